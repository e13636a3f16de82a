// The WebKitGTK engine: what pages and servers may make it do, and failed navigations.
//
// What the view loads stays on the site, frames included (NavigationPolicy.h): a redirect of a navigation
// of ours to another site ends it as failed, a link the user follows elsewhere is handed to the
// application, anything else off the site is ignored. Nothing is ever downloaded: an answer to be saved
// rather than shown, or one the view cannot show, is refused (and a download that starts anyway is
// cancelled at once), and so is a main document answered with an error status. HTTP authentication is
// refused. A navigation that fails raises its error and the view shows a short page of ours saying so, in
// place of whatever it held.

#include "platform/web/webkit/WebKitView.h"

#include "platform/backend/gtk/GtkGuard.h"
#include "platform/web/FormPost.h"
#include "platform/web/NavigationPolicy.h"

namespace vcl::webkitengine {

namespace {

// What the view shows for a failed navigation.
String ErrorPage(int Code, const String& Url) {
    String why;
    switch (Code) {
    case navErrorCannotConnect:
        why = "The server cannot be reached.";
        break;
    case navErrorBadAnswer:
        why = "The server's answer cannot be read.";
        break;
    case navErrorRefusedContent:
        why = "The answer is not a page that can be shown here.";
        break;
    case navErrorOtherOrigin:
        why = "The server sent the page on to another site, which is not followed.";
        break;
    case navErrorPageEnded:
        why = "The browser's process that showed it ended.";
        break;
    default:
        why = "The server answered with error " + std::to_string(Code) + ".";
        break;
    }
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Cannot show the page</title></head>"
           "<body style=\"font-family:sans-serif;margin:2em\"><h3>The page cannot be shown</h3><p>" +
           why + "</p><p style=\"color:#666\">" + formpost::HtmlAttributeEscape(Url) + "</p></body></html>\n";
}

// Why a load failed, from WebKit's error.
int CodeOf(const GError* Error) {
    if (Error && Error->domain == WEBKIT_POLICY_ERROR) return navErrorRefusedContent;
    if (Error && (Error->domain == G_RESOLVER_ERROR || Error->domain == G_IO_ERROR))
        return navErrorCannotConnect;
    return navErrorBadAnswer;
}

} // namespace

void TWebKitEngine::WatchContext(WebKitWebContext* Context) {
    g_signal_connect(Context, "download-started", G_CALLBACK(OnDownloadStarted), nullptr);
}

void TWebKitEngine::Fail(int Code) {
    FPhase = Phase::Failed;
    // What the failed page still had coming (its markup, its frames) is of no interest.
    Renew(FCancel);
    FHelperShown = false;
    FReading = false;
    Queue(Step{StepKind::Error, Code, FUrl, {}});
    webkit_web_view_load_html(WEBKIT_WEB_VIEW(FView), ErrorPage(Code, FUrl).c_str(), nullptr);
}

gboolean TWebKitEngine::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError* error, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    return gtkbackend::Guarded<gboolean>(FALSE, [&]() -> gboolean {
        if (e->FReviving) return TRUE;               // the loads of a web process being ended
        if (e->FPhase == Phase::Failed) return TRUE; // our own page: nothing more to show
        if (e->FPhase == Phase::Idle) return FALSE;
        // A load stopped for another one is no failure: the next load completes.
        if (!e->FFailure && g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED))
            return FALSE;
        e->Fail(e->FFailure ? e->FFailure : CodeOf(error));
        return TRUE; // our page, not the engine's
    });
}

// ---- Decisions

void TWebKitEngine::DecideNavigation(WebKitPolicyDecision* d, bool NewWindow) {
    WebKitNavigationAction* action =
        webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(d));
    WebKitURIRequest* request = webkit_navigation_action_get_request(action);
    const char* uri = webkit_uri_request_get_uri(request);
    const char* method = webkit_uri_request_get_http_method(request);
    navpolicy::TNavigation n;
    n.URL = uri ? uri : "";
    n.Redirect = webkit_navigation_action_is_redirect(action);
    n.UserLink =
        webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED &&
        webkit_navigation_action_is_user_gesture(action);
    n.NewWindow = NewWindow;
    // The page saying that the navigation failed.
    if (FPhase == Phase::Failed && n.URL == "about:blank") {
        webkit_policy_decision_use(d);
        return;
    }
    // The helper's post: the navigation proper begins.
    if (!NewWindow && FPhase == Phase::Helper && method && g_ascii_strcasecmp(method, "POST") == 0)
        FPhase = Phase::AwaitStart;
    switch (navpolicy::Decide(FSite, n)) {
    case navpolicy::TVerdict::Allow:
        webkit_policy_decision_use(d);
        break;
    case navpolicy::TVerdict::OpenOutside:
        webkit_policy_decision_ignore(d);
        Queue(Step{StepKind::External, 0, n.URL, {}});
        break;
    case navpolicy::TVerdict::Refuse:
        webkit_policy_decision_ignore(d);
        // Our navigation sent elsewhere ends there, as failed. (The view takes the address of its main
        // document's redirect at once; a frame's redirect leaves it at the page's.)
        if (n.Redirect && (FPhase == Phase::AwaitStart || FPhase == Phase::Loading)) {
            const char* view = webkit_web_view_get_uri(WEBKIT_WEB_VIEW(FView));
            if (view && n.URL == view) FFailure = navErrorOtherOrigin;
        }
        break;
    }
}

void TWebKitEngine::DecideResponse(WebKitPolicyDecision* d) {
    auto* rd = WEBKIT_RESPONSE_POLICY_DECISION(d);
    WebKitURIResponse* response = webkit_response_policy_decision_get_response(rd);
    const bool main = webkit_response_policy_decision_is_main_frame_main_resource(rd);
    const guint status = webkit_uri_response_get_status_code(response);
    bool attachment = false;
    if (SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response)) {
        char* disposition = nullptr;
        if (soup_message_headers_get_content_disposition(headers, &disposition, nullptr))
            attachment = disposition && g_ascii_strcasecmp(disposition, "inline") != 0;
        g_free(disposition);
    }
    const bool showable = webkit_response_policy_decision_is_mime_type_supported(rd);
    const bool ours = FPhase == Phase::AwaitStart || FPhase == Phase::Loading;
    if (attachment || !showable) {
        webkit_policy_decision_ignore(d);
        if (main && ours) FFailure = navErrorRefusedContent;
        return;
    }
    if (main && status >= 400) {
        webkit_policy_decision_ignore(d);
        if (ours) FFailure = static_cast<int>(status);
        return;
    }
    webkit_policy_decision_use(d);
}

gboolean TWebKitEngine::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* d, WebKitPolicyDecisionType t,
                                       gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    return gtkbackend::Guarded<gboolean>(FALSE, [&]() -> gboolean {
        switch (t) {
        case WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION:
        case WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION:
            e->DecideNavigation(d, t == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION);
            return TRUE;
        case WEBKIT_POLICY_DECISION_TYPE_RESPONSE:
            e->DecideResponse(d);
            return TRUE;
        default:
            return FALSE;
        }
    });
}

gboolean TWebKitEngine::OnAuthenticate(WebKitWebView*, WebKitAuthenticationRequest* request, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    // The service asks for no HTTP credentials: nobody is asked for any, and a navigation of ours that
    // asked fails with the status that asks.
    gtkbackend::GuardedVoid([&] {
        if (e->FPhase == Phase::AwaitStart || e->FPhase == Phase::Loading)
            e->FFailure = webkit_authentication_request_is_for_proxy(request) ? 407 : 401;
        webkit_authentication_request_cancel(request);
    });
    return TRUE;
}

void TWebKitEngine::OnDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer) {
    // No page may write into the user's folders.
    webkit_download_cancel(download);
}

} // namespace vcl::webkitengine
