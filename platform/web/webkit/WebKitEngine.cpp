// The WebKitGTK engine: loading and the control's events.
//
// Load tracking. WebKit reports the main frame's load (load-changed, estimated-load-progress); frames are
// reported by a script of ours, injected into every frame in a script world of its own (pages cannot see
// or imitate it), that posts the frame's address and markup on the frame's load event. A frame's load
// event comes before its parent's, so every frame of a page reports before the page finishes; when the
// main frame finishes, the page's own markup is asked for, and its answer (which comes after every message
// the page's frames sent) completes the top-level document. That markup is the page as the server sent it,
// read without running any script in the page: a page that forbids scripts (a sandbox) is read all the
// same.
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
// helper's late notifications are ignored until the POST load starts. It holds the post's fields, the
// password among them, so it is never captured: a post whose answer never replaces it in the view has
// failed, and the page saying so replaces it (WebKitPolicy.cpp).

#include "platform/web/webkit/WebKitView.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/backend/gtk/GtkGuard.h"
#include "platform/rtl/Exceptions.h"
#include "platform/web/FormPost.h"

namespace vcl::webkitengine {

namespace {

constexpr const char* kHandler = "documentComplete";

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
        TWebKitEngine::WatchContext(c);
        return c;
    }();
    return context;
}

} // namespace

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
    // The page is drawn without compositing, into a backing store the view keeps and paints from whenever
    // GTK asks: where a window that covered the view goes away (a menu, a hint, a dialog), the page shows
    // again at once. Composited (WebKit's default), the view paints nothing on such a redraw until the web
    // process sends a new frame, so the uncovered area shows our window's own face under the view until
    // the page itself changes.
    WebKitSettings* settings = webkit_web_view_get_settings(WEBKIT_WEB_VIEW(FView));
    webkit_settings_set_hardware_acceleration_policy(settings, WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    // A page cannot take the program's window full screen (its request fails, as the page is told).
    webkit_settings_set_enable_fullscreen(settings, FALSE);
    // Nor can it reach a camera or a microphone: the request would be denied anyway, but offering it makes
    // the engine open the sound server to list the devices first.
    webkit_settings_set_enable_media_stream(settings, FALSE);
    g_object_set_data(G_OBJECT(FView), kEngineKey, this);
    g_signal_connect(FView, "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(FView, "load-failed", G_CALLBACK(OnLoadFailed), this);
    g_signal_connect(FView, "notify::estimated-load-progress", G_CALLBACK(OnProgress), this);
    g_signal_connect(FView, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
    g_signal_connect(FView, "authenticate", G_CALLBACK(OnAuthenticate), this);
    g_signal_connect(FView, "print", G_CALLBACK(OnPrint), this);
    g_signal_connect(FView, "script-dialog", G_CALLBACK(OnScriptDialog), this);
    g_signal_connect(FView, "context-menu", G_CALLBACK(OnContextMenu), this);
    g_signal_connect(FView, "notify::is-web-process-responsive", G_CALLBACK(OnResponsive), this);
    g_signal_connect(FView, "web-process-terminated", G_CALLBACK(OnProcessTerminated), this);
    g_signal_connect(FView, "permission-request", G_CALLBACK(OnPermissionRequest), this);
    g_signal_connect(FView, "query-permission-state", G_CALLBACK(OnQueryPermission), this);
    g_signal_connect(FView, "enter-fullscreen", G_CALLBACK(OnEnterFullscreen), this);
    g_signal_connect(FView, "button-press-event", G_CALLBACK(OnViewButton), this);
    FCancel = g_cancellable_new();
}

TWebKitEngine::~TWebKitEngine() {
    FEvents = nullptr;
    // The page goes with the engine: its questions reach nobody any more.
    ForgetQuestions();
    if (FReleaseSource) g_source_remove(FReleaseSource);
    if (FHoldSource) g_source_remove(FHoldSource);
    g_cancellable_cancel(FCancel);
    g_object_unref(FCancel);
    Detach();
    g_signal_handlers_disconnect_by_data(FView, this);
    g_signal_handlers_disconnect_by_data(FContent, this);
    webkit_web_view_stop_loading(WEBKIT_WEB_VIEW(FView));
    // The page's process goes with its view, now: left to notice on its own that nobody shows it any more, a
    // page busy for ever (a script that never returns) would outlive the program by seconds and then write
    // its abort to the program's terminal; and it keeps the program's signals out, so nothing else ends it.
    webkit_web_view_terminate_web_process(WEBKIT_WEB_VIEW(FView));
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
    // What the last navigation still had coming is of no interest any more, and the page it leaves asks
    // nobody.
    DeclineQuestions();
    Renew(FCancel);
    FSteps.clear();
    FLastProgress = -1;
    FFailure = 0;
    FHelperShown = false;
    FReading = false;
    FPagesOwn = false;
    FAsked = 0;
    if (FReleaseSource) g_source_remove(FReleaseSource);
    FReleaseSource = 0;
    FBusy = true;
}

void TWebKitEngine::Navigate(const TNavigateRequest& Request) {
    bool post = Request.Method == "POST";
    String origin = formpost::OriginOf(Request.URL);
    if (post && origin.empty()) throw EOleError("Navigate: a form post needs an http or https address");
    Restart();
    FRequest = Request;
    FUrl = Request.URL;
    // The application's address is the site its pages stay on.
    FSite = origin;
    QueueProgress(0);
    // A page that stopped answering would hold the load as well.
    if (!webkit_web_view_get_is_web_process_responsive(WEBKIT_WEB_VIEW(FView))) Revive();
    Load();
}

void TWebKitEngine::Load() {
    auto* view = WEBKIT_WEB_VIEW(FView);
    FCommitted = false;
    FProbing = false;
    WatchHold();
    if (FRequest.Method == "POST") {
        FPhase = Phase::Helper;
        FHelperShown = true;
        String html = formpost::BuildPostDocument(FRequest.URL, formpost::SplitBody(FRequest.Body));
        webkit_web_view_load_html(view, html.c_str(), FSite.c_str());
        return;
    }
    FPhase = Phase::AwaitStart;
    WebKitURIRequest* request = webkit_uri_request_new(FRequest.URL.c_str());
    if (SoupMessageHeaders* headers = webkit_uri_request_get_http_headers(request))
        for (const auto& [name, value] : FRequest.Headers)
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
            if (FEvents) FEvents->EngineProgressChange(s.Value, 100);
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
        case StepKind::Error:
            FBusy = false;
            FLocation = s.Url;
            FDocument = nullptr;
            if (!FSteps.empty() && FEvents) FEvents->EngineEventsPending();
            if (FEvents) FEvents->EngineNavigateError(s.Url, s.Value);
            break;
        case StepKind::External:
            if (!FSteps.empty() && FEvents) FEvents->EngineEventsPending();
            if (FEvents) FEvents->EngineExternalLink(s.Url);
            break;
        case StepKind::Question:
            if (!FSteps.empty() && FEvents) FEvents->EngineEventsPending();
            if (FEvents)
                FEvents->EngineQuestion(s.Question);
            else
                s.Question->Decline();
            break;
        case StepKind::QuestionGone:
            if (FEvents) FEvents->EngineQuestionGone(s.Question);
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
    if (FPhase == Phase::Helper || FPhase == Phase::Failed) return;
    if (FPhase == Phase::Idle) {
        // A navigation of the page's own (a link, a script, a refresh).
        Renew(FCancel);
        FFailure = 0;
        FReading = false;
        FPagesOwn = true;
        FAsked = 0;
        const char* uri = webkit_web_view_get_uri(WEBKIT_WEB_VIEW(FView));
        FUrl = uri ? uri : "";
        Queue(Step{StepKind::BusyOn, 0, {}, {}});
        FLastProgress = -1;
        QueueProgress(0);
    }
    FPhase = Phase::Loading;
    FCommitted = false;
}

void TWebKitEngine::Finished() {
    if (FPhase != Phase::Loading) return;
    // A refused answer that WebKit ended without calling it a failure; or a post whose answer never took
    // the helper's place.
    if (FFailure || FHelperShown) {
        Fail(FFailure ? FFailure : navErrorRefusedContent);
        return;
    }
    FPhase = Phase::Idle;
    FReading = true;
    QueueProgress(100);
    WebKitWebResource* page = webkit_web_view_get_main_resource(WEBKIT_WEB_VIEW(FView));
    if (!page) {
        Fail(navErrorBadAnswer);
        return;
    }
    g_object_ref(page);
    webkit_web_resource_get_data(page, FCancel, OnTopMarkup, this);
}

void TWebKitEngine::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        if (e->FReviving) return;
        switch (event) {
        case WEBKIT_LOAD_STARTED:
            e->Started();
            break;
        case WEBKIT_LOAD_COMMITTED:
            // The page that asked what is still unanswered is gone from the view.
            e->ForgetQuestions();
            e->FPageInView = true;
            if (e->FPhase == Phase::Loading) {
                // The answer is in the view now, in the helper's place.
                e->FHelperShown = false;
                e->FCommitted = true;
                if (const char* uri = webkit_web_view_get_uri(view))
                    e->Queue(Step{StepKind::Location, 0, uri, {}});
            }
            break;
        case WEBKIT_LOAD_FINISHED:
            e->Finished();
            break;
        default:
            break;
        }
    });
}

void TWebKitEngine::OnProgress(GObject* view, GParamSpec*, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        if (e->FPhase != Phase::Loading) return;
        double p = webkit_web_view_get_estimated_load_progress(WEBKIT_WEB_VIEW(view));
        int percent = static_cast<int>(std::lround(std::clamp(p, 0.0, 1.0) * 100.0));
        // The end of the load reports 100 itself, right before the document completes.
        if (percent < 100) e->QueueProgress(percent);
    });
}

void TWebKitEngine::OnScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* r, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        // Frames of the helper document, of a page already left or of a failed one are not reported.
        if (e->FPhase == Phase::Helper || e->FPhase == Phase::AwaitStart || e->FPhase == Phase::Failed)
            return;
        JSCValue* v = webkit_javascript_result_get_js_value(r);
        String url = PropertyString(v, "url");
        String html = PropertyString(v, "html");
        if (url.empty()) return;
        e->Queue(Step{StepKind::Frame, 0, url, std::make_shared<THTMLDocument>(url, html)});
    });
}

void TWebKitEngine::OnTopMarkup(GObject* source, GAsyncResult* result, gpointer self) {
    auto* page = WEBKIT_WEB_RESOURCE(source);
    GError* error = nullptr;
    gsize length = 0;
    guchar* data = webkit_web_resource_get_data_finish(page, result, &length, &error);
    // A cancelled request belongs to a navigation (or an engine) that is gone: self may be too.
    if (!g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED)) {
        auto* e = static_cast<TWebKitEngine*>(self);
        gtkbackend::GuardedVoid([&] {
            // The page's process was ended under it (the ending fails the navigation itself).
            if (e->FReviving) return;
            e->FReading = false;
            // The page's markup cannot be had: its document does not complete as if it had loaded.
            if (error) {
                e->Fail(navErrorBadAnswer);
                return;
            }
            // The Content-Type header as the HTTP library gives it (several lines joined), and the type the
            // engine gave the answer, which tells which line it read and what it sniffed (MarkupText.h). An
            // answer without the header has neither.
            String contentType, engineType;
            if (WebKitURIResponse* response = webkit_web_resource_get_response(page))
                if (SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response))
                    if (const char* type = soup_message_headers_get_one(headers, "Content-Type")) {
                        contentType = type;
                        if (const char* mime = webkit_uri_response_get_mime_type(response)) engineType = mime;
                    }
            const char* uri = webkit_web_view_get_uri(WEBKIT_WEB_VIEW(e->FView));
            if (!uri || !*uri) uri = webkit_web_resource_get_uri(page);
            const String url = uri ? uri : "";
            const String bytes(reinterpret_cast<const char*>(data), data ? length : 0);
            e->Queue(
                Step{StepKind::Top, 0, url, THTMLDocument::FromBytes(url, bytes, contentType, engineType)});
        });
    }
    g_object_unref(source);
    g_free(data);
    if (error) g_error_free(error);
}

void TWebKitEngine::OnProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason reason,
                                        gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        if (e->FReviving || reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API) return; // ours
        // Killed or crashed: its page is gone, and so is whatever it was asked or was asking. A navigation
        // that waited for it fails; so does, after the fact, the page that was shown (nothing of it is left
        // but a picture that no longer answers).
        e->ForgetQuestions();
        e->FPageInView = false;
        if (e->Waiting() || (e->FPhase == Phase::Idle && !e->FUrl.empty())) e->Fail(navErrorPageEnded);
    });
}

} // namespace vcl::webkitengine

// The module's one entry (see platform/web/WebKitModule.cpp): the loader checks the display backend.
extern "C" __attribute__((visibility("default"))) vcl::TBrowserEngine* kalvenor_create_webkit_engine() {
    return new vcl::webkitengine::TWebKitEngine();
}
