// The WebKitGTK engine.
//
// Load tracking. WebKit reports the main frame's load (load-changed, estimated-load-progress); frames are
// reported by a script of ours, injected into every frame in a script world of its own (pages cannot see
// or imitate it), that posts the frame's address and markup on the frame's load event. A frame's load
// event comes before its parent's, so every frame of a page reports before the page finishes; when the
// main frame finishes, the page's own markup is asked for in the same world, and its answer (which comes
// after every message the page's frames sent) completes the top-level document.
//
// Nothing reaches the control from inside a WebKit callback: each observation becomes a step in a queue,
// the control is asked to call DispatchPending from its message loop, and the state the control reads
// (Busy, LocationURL, Document) changes as the steps are taken, in order, so that it is right inside
// each event.
//
// Form posts. A WebKit request carries no method and no body, so a post loads a small document holding a
// self-submitting form (FormPost.h) with the service's origin as its base address (its post is then a
// same-site request). That helper document is invisible: from the post's start until WebKit decides on
// the POST navigation the helper's loads, progress and messages are ignored, and after the decision the
// helper's late notifications are ignored until the POST load starts.

#include "platform/web/WebKitEngine.h"

#include <gtk/gtk.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "platform/backend/Backend.h"
#include "platform/backend/gtk/GtkGuard.h"
#include "platform/rtl/Exceptions.h"
#include "platform/web/FormPost.h"
#include "platform/web/GtkHost.h"

namespace vcl {

namespace {

constexpr const char* kWorld = "kalvenor";
constexpr const char* kHandler = "documentComplete";
constexpr const char* kEngineKey = "kv-browser-engine";
constexpr const char* kOverlayKey = "kv-browser-overlay";

// The markup of a document: its doctype and its root element.
constexpr const char* kSerialize = "(function(){var d=document,t=d.doctype,s='';"
                                   "if(t){s='<!DOCTYPE '+t.name+(t.publicId?' PUBLIC \"'+t.publicId+'\"':'')+"
                                   "(t.systemId?(t.publicId?'':' SYSTEM')+' \"'+t.systemId+'\"':'')+'>\\n';}"
                                   "return s+(d.documentElement?d.documentElement.outerHTML:'');})()";

String FrameScript() {
    return String("(function(){if(window.top===window)return;var sent=false;function report(){if(sent)return;"
                  "sent=true;try{window.webkit.messageHandlers.") +
           kHandler + ".postMessage({url:String(location.href),html:" + kSerialize +
           "});}catch(e){}}"
           "if(document.readyState==='complete')report();else window.addEventListener('load',report);})();";
}

String TopScript() {
    return String("({url:String(location.href),html:") + kSerialize + "})";
}

String PropertyString(JSCValue* object, const char* name) {
    String out;
    if (!object || !jsc_value_is_object(object)) return out;
    JSCValue* v = jsc_value_object_get_property(object, name);
    if (v && jsc_value_is_string(v)) {
        char* s = jsc_value_to_string(v);
        if (s) out = s;
        g_free(s);
    }
    if (v) g_object_unref(v);
    return out;
}

WebKitWebContext* SharedContext() {
    static WebKitWebContext* context = [] {
        // Without a user namespace (root, most containers) the web process sandbox cannot be set up.
        bool noSandbox = ::geteuid() == 0 || std::getenv("WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS");
        if (noSandbox) g_setenv("WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS", "1", FALSE);
        WebKitWebContext* c = webkit_web_context_new_ephemeral();
        webkit_web_context_set_sandbox_enabled(c, noSandbox ? FALSE : TRUE);
        webkit_web_context_set_cache_model(c, WEBKIT_CACHE_MODEL_DOCUMENT_VIEWER);
        return c;
    }();
    return context;
}

class TWebKitEngine final : public TBrowserEngine {
public:
    TWebKitEngine();
    ~TWebKitEngine() override;
    TWebKitEngine(const TWebKitEngine&) = delete;
    TWebKitEngine& operator=(const TWebKitEngine&) = delete;

    void Navigate(const TNavigateRequest& Request) override;
    bool Busy() const override { return FBusy; }
    String LocationURL() const override { return FLocation; }
    IDispatchPtr Document() const override { return FDocument; }
    void Place(const TBrowserPlacement& Placement) override;
    void FocusChanged(bool Focused) override;
    void DispatchPending() override;

private:
    enum class Phase { Idle, Helper, AwaitStart, Loading };
    enum class StepKind { BusyOn, Location, Progress, Frame, Top };
    struct Step {
        StepKind Kind;
        int Progress = 0;
        String Url;
        IDispatchPtr Doc;
    };

    void Queue(Step s);
    void Restart();
    void Attach(GtkWidget* host);
    void Detach();
    void Started();
    void Finished();
    void QueueProgress(int p);

    static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self);
    static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error, gpointer self);
    static void OnProgress(GObject*, GParamSpec*, gpointer self);
    static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* d, WebKitPolicyDecisionType t,
                                   gpointer self);
    static void OnScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* r, gpointer self);
    static void OnTopMarkup(GObject* source, GAsyncResult* result, gpointer self);
    static gboolean OnChildPosition(GtkOverlay*, GtkWidget* widget, GdkRectangle* allocation, gpointer);
    static void OnHostDestroyed(GtkWidget*, gpointer self);
    static gboolean OnWindowEvent(GtkWidget* window, GdkEvent* e, gpointer self);
    static gboolean OnAreaEvent(GtkWidget* area, GdkEvent* e, gpointer self);
    bool ViewFocused() const;
    static gboolean OnViewButton(GtkWidget*, GdkEventButton*, gpointer self);

    // State the control reads.
    bool FBusy = false;
    String FLocation;
    IDispatchPtr FDocument;
    std::deque<Step> FSteps;

    // WebKit.
    WebKitUserContentManager* FContent = nullptr;
    GtkWidget* FView = nullptr;
    GCancellable* FCancel = nullptr;
    Phase FPhase = Phase::Idle;
    int FLastProgress = -1;
    bool FFailed = false;

    // Host.
    GtkWidget* FHost = nullptr;
    GtkWidget* FOverlay = nullptr;
    GtkWidget* FArea = nullptr; // the window's drawing area under the views
    TRect FBounds;
    bool FVisible = false;
};

TWebKitEngine::TWebKitEngine() {
    FContent = webkit_user_content_manager_new();
    WebKitUserScript* script =
        webkit_user_script_new_for_world(FrameScript().c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                         WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_END, kWorld, nullptr, nullptr);
    webkit_user_content_manager_add_script(FContent, script);
    webkit_user_script_unref(script);
    webkit_user_content_manager_register_script_message_handler_in_world(FContent, kHandler, kWorld);
    g_signal_connect(FContent, (String("script-message-received::") + kHandler).c_str(),
                     G_CALLBACK(OnScriptMessage), this);

    FView = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", SharedContext(),
                                    "user-content-manager", FContent, nullptr));
    g_object_ref_sink(FView);
    g_object_set_data(G_OBJECT(FView), kEngineKey, this);
    g_signal_connect(FView, "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(FView, "load-failed", G_CALLBACK(OnLoadFailed), this);
    g_signal_connect(FView, "notify::estimated-load-progress", G_CALLBACK(OnProgress), this);
    g_signal_connect(FView, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
    g_signal_connect(FView, "button-press-event", G_CALLBACK(OnViewButton), this);
    FCancel = g_cancellable_new();
}

TWebKitEngine::~TWebKitEngine() {
    FEvents = nullptr;
    g_cancellable_cancel(FCancel);
    g_object_unref(FCancel);
    Detach();
    g_signal_handlers_disconnect_by_data(FView, this);
    g_signal_handlers_disconnect_by_data(FContent, this);
    webkit_web_view_stop_loading(WEBKIT_WEB_VIEW(FView));
    gtk_widget_destroy(FView);
    g_object_unref(FView);
    webkit_user_content_manager_unregister_script_message_handler_in_world(FContent, kHandler, kWorld);
    g_object_unref(FContent);
}

void TWebKitEngine::Queue(Step s) {
    FSteps.push_back(std::move(s));
    if (FEvents) FEvents->EngineEventsPending();
}

void TWebKitEngine::Restart() {
    // What the last navigation still had coming is of no interest any more.
    g_cancellable_cancel(FCancel);
    g_object_unref(FCancel);
    FCancel = g_cancellable_new();
    FSteps.clear();
    FLastProgress = -1;
    FFailed = false;
    FBusy = true;
}

void TWebKitEngine::Navigate(const TNavigateRequest& Request) {
    bool post = Request.Method == "POST";
    String origin = post ? formpost::OriginOf(Request.URL) : String();
    if (post && origin.empty()) throw EOleError("Navigate: a form post needs an http or https address");
    Restart();
    auto* view = WEBKIT_WEB_VIEW(FView);
    if (post) {
        FPhase = Phase::Helper;
        String html = formpost::BuildPostDocument(Request.URL, formpost::SplitBody(Request.Body));
        webkit_web_view_load_html(view, html.c_str(), origin.c_str());
        return;
    }
    FPhase = Phase::AwaitStart;
    WebKitURIRequest* request = webkit_uri_request_new(Request.URL.c_str());
    if (SoupMessageHeaders* headers = webkit_uri_request_get_http_headers(request))
        for (const auto& [name, value] : Request.Headers)
            soup_message_headers_replace(headers, name.c_str(), value.c_str());
    webkit_web_view_load_request(view, request);
    g_object_unref(request);
}

void TWebKitEngine::DispatchPending() {
    while (!FSteps.empty()) {
        Step s = std::move(FSteps.front());
        FSteps.pop_front();
        switch (s.Kind) {
        case StepKind::BusyOn:
            FBusy = true;
            break;
        case StepKind::Location:
            FLocation = s.Url;
            break;
        case StepKind::Progress:
            if (!FSteps.empty() && FEvents) FEvents->EngineEventsPending();
            if (FEvents) FEvents->EngineProgressChange(s.Progress, 100);
            break;
        case StepKind::Frame:
            if (!FSteps.empty() && FEvents) FEvents->EngineEventsPending();
            if (FEvents) FEvents->EngineDocumentComplete(s.Doc, s.Url);
            break;
        case StepKind::Top:
            FBusy = false;
            FLocation = s.Url;
            FDocument = s.Doc;
            if (!FSteps.empty() && FEvents) FEvents->EngineEventsPending();
            if (FEvents) FEvents->EngineDocumentComplete(s.Doc, s.Url);
            break;
        }
    }
}

// ---- Loading

void TWebKitEngine::QueueProgress(int p) {
    if (p == FLastProgress) return;
    FLastProgress = p;
    Queue(Step{StepKind::Progress, p, {}, {}});
}

void TWebKitEngine::Started() {
    if (FPhase == Phase::Helper) return;
    if (FPhase == Phase::Idle) {
        // A navigation of the page's own (a link, a script, a refresh).
        g_cancellable_cancel(FCancel);
        g_object_unref(FCancel);
        FCancel = g_cancellable_new();
        Queue(Step{StepKind::BusyOn, 0, {}, {}});
    }
    FPhase = Phase::Loading;
    FLastProgress = -1;
    FFailed = false;
}

void TWebKitEngine::Finished() {
    if (FPhase != Phase::Loading) return;
    // A failed load is followed by the engine's error page, which completes as the document.
    if (FFailed) return;
    FPhase = Phase::Idle;
    QueueProgress(100);
    g_object_ref(FView);
    webkit_web_view_evaluate_javascript(WEBKIT_WEB_VIEW(FView), TopScript().c_str(), -1, kWorld, nullptr,
                                        FCancel, OnTopMarkup, this);
}

void TWebKitEngine::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        switch (event) {
        case WEBKIT_LOAD_STARTED:
            e->Started();
            break;
        case WEBKIT_LOAD_COMMITTED:
            if (e->FPhase == Phase::Loading)
                if (const char* uri = webkit_web_view_get_uri(view))
                    e->Queue(Step{StepKind::Location, 0, uri, {}});
            break;
        case WEBKIT_LOAD_FINISHED:
            e->Finished();
            break;
        default:
            break;
        }
    });
}

gboolean TWebKitEngine::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError* error, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        if (e->FPhase != Phase::Loading) return;
        // A load stopped for another one (or by us) is no failure: the next load completes.
        if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED)) return;
        // Content handed to a download or a plug-in leaves the current page in place.
        if (g_error_matches(error, WEBKIT_POLICY_ERROR,
                            WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
            g_error_matches(error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD))
            return;
        e->FFailed = true;
    });
    return FALSE; // the engine shows its error page
}

void TWebKitEngine::OnProgress(GObject* view, GParamSpec*, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        if (e->FPhase != Phase::Loading || e->FFailed) return;
        double p = webkit_web_view_get_estimated_load_progress(WEBKIT_WEB_VIEW(view));
        int percent = static_cast<int>(std::lround(std::clamp(p, 0.0, 1.0) * 100.0));
        // The end of the load reports 100 itself, right before the document completes.
        if (percent < 100) e->QueueProgress(percent);
    });
}

gboolean TWebKitEngine::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* d, WebKitPolicyDecisionType t,
                                       gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        if (t != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION || e->FPhase != Phase::Helper) return;
        WebKitNavigationAction* action =
            webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(d));
        WebKitURIRequest* request = webkit_navigation_action_get_request(action);
        const char* method = webkit_uri_request_get_http_method(request);
        if (method && g_ascii_strcasecmp(method, "POST") == 0) e->FPhase = Phase::AwaitStart;
    });
    return FALSE;
}

void TWebKitEngine::OnScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* r, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        // Frames of the helper document, or of a page already left, are not reported.
        if (e->FPhase == Phase::Helper || e->FPhase == Phase::AwaitStart) return;
        JSCValue* v = webkit_javascript_result_get_js_value(r);
        String url = PropertyString(v, "url");
        String html = PropertyString(v, "html");
        if (url.empty()) return;
        e->Queue(Step{StepKind::Frame, 0, url, std::make_shared<THTMLDocument>(url, html)});
    });
}

void TWebKitEngine::OnTopMarkup(GObject* source, GAsyncResult* result, gpointer self) {
    GError* error = nullptr;
    JSCValue* v = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
    bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    g_object_unref(source);
    // A cancelled request belongs to a navigation (or an engine) that is gone: self may be too.
    if (!cancelled) {
        auto* e = static_cast<TWebKitEngine*>(self);
        gtkbackend::GuardedVoid([&] {
            // The page's address is the view's: an error page's own document has none of its own.
            const char* uri = webkit_web_view_get_uri(WEBKIT_WEB_VIEW(e->FView));
            String url = uri && *uri ? String(uri) : PropertyString(v, "url");
            String html = PropertyString(v, "html");
            e->Queue(Step{StepKind::Top, 0, url, std::make_shared<THTMLDocument>(url, html)});
        });
    }
    if (v) g_object_unref(v);
    if (error) g_error_free(error);
}

// ---- Placing the view

void TWebKitEngine::Place(const TBrowserPlacement& Placement) {
    GtkWidget* host =
        Placement.Root ? static_cast<GtkWidget*>(webhost::GtkWindowOf(Placement.Root)) : nullptr;
    if (host != FHost) {
        Detach();
        if (host) Attach(host);
    }
    bool moved = Placement.Bounds != FBounds;
    FBounds = Placement.Bounds;
    bool visible = FHost && Placement.Visible;
    if (visible != FVisible) {
        FVisible = visible;
        gtk_widget_set_visible(FView, visible);
    }
    if (FHost && moved) gtk_widget_queue_resize(FView);
}

void TWebKitEngine::Attach(GtkWidget* host) {
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(host));
    GtkWidget* overlay = nullptr;
    if (child && GTK_IS_OVERLAY(child) && g_object_get_data(G_OBJECT(child), kOverlayKey)) {
        overlay = child;
    } else {
        // The window's drawing area becomes the main child of an overlay that carries the views.
        overlay = gtk_overlay_new();
        g_object_set_data(G_OBJECT(overlay), kOverlayKey, GINT_TO_POINTER(1));
        g_signal_connect(overlay, "get-child-position", G_CALLBACK(OnChildPosition), nullptr);
        if (child) {
            g_object_ref(child);
            gtk_container_remove(GTK_CONTAINER(host), child);
            gtk_container_add(GTK_CONTAINER(overlay), child);
            g_object_unref(child);
        }
        gtk_container_add(GTK_CONTAINER(host), overlay);
        gtk_widget_show(overlay);
    }
    gtk_widget_set_visible(FView, FALSE);
    FVisible = false;
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), FView);
    FHost = host;
    FOverlay = overlay;
    // The window going away must not take the view with it.
    g_signal_connect(overlay, "destroy", G_CALLBACK(OnHostDestroyed), this);
    // Keys reach the window before its focus widget: while the view has the focus they go to it alone.
    g_signal_connect(host, "event", G_CALLBACK(OnWindowEvent), this);
    // A press on the window's own drawing takes the focus from the view.
    FArea = gtk_bin_get_child(GTK_BIN(overlay));
    if (FArea) g_signal_connect(FArea, "event", G_CALLBACK(OnAreaEvent), this);
}

void TWebKitEngine::Detach() {
    if (!FHost) return;
    g_signal_handlers_disconnect_by_data(FOverlay, this);
    g_signal_handlers_disconnect_by_data(FHost, this);
    if (FArea) g_signal_handlers_disconnect_by_data(FArea, this);
    FArea = nullptr;
    if (gtk_widget_get_parent(FView) == FOverlay) gtk_container_remove(GTK_CONTAINER(FOverlay), FView);
    FHost = nullptr;
    FOverlay = nullptr;
    FVisible = false;
}

void TWebKitEngine::OnHostDestroyed(GtkWidget*, gpointer self) {
    gtkbackend::GuardedVoid([&] { static_cast<TWebKitEngine*>(self)->Detach(); });
}

gboolean TWebKitEngine::OnChildPosition(GtkOverlay*, GtkWidget* widget, GdkRectangle* allocation, gpointer) {
    auto* e = static_cast<TWebKitEngine*>(g_object_get_data(G_OBJECT(widget), kEngineKey));
    if (!e) return FALSE;
    allocation->x = e->FBounds.Left;
    allocation->y = e->FBounds.Top;
    allocation->width = std::max(e->FBounds.Width(), 1);
    allocation->height = std::max(e->FBounds.Height(), 1);
    return TRUE;
}

// ---- Keyboard focus: keys go to the view while it has GTK's focus, which follows the control's.

void TWebKitEngine::FocusChanged(bool Focused) {
    if (!FHost) return;
    if (Focused) {
        if (FVisible) gtk_widget_grab_focus(FView);
    } else if (gtk_window_get_focus(GTK_WINDOW(FHost)) == FView) {
        gtk_window_set_focus(GTK_WINDOW(FHost), nullptr);
    }
}

bool TWebKitEngine::ViewFocused() const {
    GtkWidget* focus = FHost ? gtk_window_get_focus(GTK_WINDOW(FHost)) : nullptr;
    return focus && (focus == FView || gtk_widget_is_ancestor(focus, FView));
}

gboolean TWebKitEngine::OnWindowEvent(GtkWidget* window, GdkEvent* ev, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    return gtkbackend::Guarded<gboolean>(FALSE, [&]() -> gboolean {
        if (ev->type != GDK_KEY_PRESS && ev->type != GDK_KEY_RELEASE) return FALSE;
        if (!e->ViewFocused()) return FALSE;
        gtk_window_propagate_key_event(GTK_WINDOW(window), &ev->key);
        return TRUE;
    });
}

gboolean TWebKitEngine::OnAreaEvent(GtkWidget*, GdkEvent* ev, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        if (ev->type == GDK_BUTTON_PRESS && e->ViewFocused())
            gtk_window_set_focus(GTK_WINDOW(e->FHost), nullptr);
    });
    return FALSE;
}

gboolean TWebKitEngine::OnViewButton(GtkWidget*, GdkEventButton*, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        if (e->FEvents) e->FEvents->EngineFocusWanted();
    });
    return FALSE;
}

} // namespace

} // namespace vcl

// The module's one entry (see platform/web/WebKitModule.cpp): the loader checks the display backend.
extern "C" __attribute__((visibility("default"))) vcl::TBrowserEngine* kalvenor_create_webkit_engine() {
    return new vcl::TWebKitEngine();
}
