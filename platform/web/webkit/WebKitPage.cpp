// The WebKitGTK engine: what a page asks of the user, and a page that holds the view.
//
// A page asks the user nothing: the engine's own dialogs are never shown. Its print dialog is modal and
// runs a loop of its own, and its script dialogs hold the page's script, and with it every load of the
// view, until somebody answers; a page may ask again after every answer, and then neither the program nor
// its user could do anything else, not even close it. So printing is refused and script dialogs are
// answered at once, as a user who declines would: an alert dismissed, a confirmation false, a prompt
// empty. A question about leaving the page lets it go, since the program's own navigations always run.
//
// A page whose script never returns holds its web process, and with it every later load of the view:
// one that asks or prints again at once after every answer, or one that only computes. Such a page is
// found while a navigation of ours waits for it, by its questions coming in a stream or by the engine
// finding its process unresponsive; its process is then ended, and the navigation is asked for again in
// a new one, or fails when it was that page's own.
//
// The page's context menu offers only what cannot leave the page.

#include "platform/web/webkit/WebKitView.h"

#include <vector>

#include "platform/backend/gtk/GtkGuard.h"

namespace vcl::webkitengine {

namespace {

// Questions within one second that make a stream: a script that asks again at once after every answer
// asks thousands; a page that only greets or confirms asks one or two.
constexpr int kQuestionsInAStream = 20;

} // namespace

// ---- What a page asks of the user

gboolean TWebKitEngine::OnPrint(WebKitWebView*, WebKitPrintOperation*, gpointer self) {
    gtkbackend::GuardedVoid([&] { static_cast<TWebKitEngine*>(self)->Asked(); });
    return TRUE; // refused: the program prints nothing
}

gboolean TWebKitEngine::OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer self) {
    switch (webkit_script_dialog_get_dialog_type(dialog)) {
    case WEBKIT_SCRIPT_DIALOG_CONFIRM:
        webkit_script_dialog_confirm_set_confirmed(dialog, FALSE);
        break;
    case WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM:
        // Asked when a navigation leaves the page: part of that navigation, not the page's own asking.
        webkit_script_dialog_confirm_set_confirmed(dialog, TRUE);
        return TRUE;
    case WEBKIT_SCRIPT_DIALOG_PROMPT:
        webkit_script_dialog_prompt_set_text(dialog, "");
        break;
    default:
        break;
    }
    gtkbackend::GuardedVoid([&] { static_cast<TWebKitEngine*>(self)->Asked(); });
    return TRUE;
}

gboolean TWebKitEngine::OnContextMenu(WebKitWebView*, WebKitContextMenu* menu, GdkEvent*,
                                      WebKitHitTestResult*, gpointer) {
    // What a reader of the pages needs, none of which can leave the page: copying, selecting everything, and
    // cutting and pasting in a page's edit (the engine offers those where they apply). Not the history (the
    // way back re-posts a form), reloading, opening a window, or downloading (which would send a request
    // wherever the link points before the download is cancelled).
    return gtkbackend::Guarded<gboolean>(TRUE, [&]() -> gboolean {
        std::vector<WebKitContextMenuItem*> refused;
        bool selectAll = false;
        for (GList* l = webkit_context_menu_get_items(menu); l; l = l->next) {
            auto* item = static_cast<WebKitContextMenuItem*>(l->data);
            switch (webkit_context_menu_item_get_stock_action(item)) {
            case WEBKIT_CONTEXT_MENU_ACTION_SELECT_ALL:
                selectAll = true;
                break;
            case WEBKIT_CONTEXT_MENU_ACTION_COPY:
            case WEBKIT_CONTEXT_MENU_ACTION_CUT:
            case WEBKIT_CONTEXT_MENU_ACTION_PASTE:
                break;
            default:
                refused.push_back(item); // separators too: what stays needs none
                break;
            }
        }
        for (WebKitContextMenuItem* item : refused)
            webkit_context_menu_remove(menu, item);
        // Outside an edit the engine offers no way to select the page's text for copying.
        if (!selectAll)
            webkit_context_menu_append(
                menu, webkit_context_menu_item_new_from_stock_action(WEBKIT_CONTEXT_MENU_ACTION_SELECT_ALL));
        return FALSE;
    });
}

// ---- A page that holds the view

bool TWebKitEngine::Waiting() const {
    return FPhase == Phase::Helper || FPhase == Phase::AwaitStart || FPhase == Phase::Loading || FReading;
}

void TWebKitEngine::Asked() {
    if (!Waiting() || FReleaseSource) return;
    const gint64 now = g_get_monotonic_time();
    if (now - FAskedSince > G_USEC_PER_SEC) {
        FAskedSince = now;
        FAsked = 0;
    }
    // Not from inside the question: the web process waits for its answer.
    if (++FAsked >= kQuestionsInAStream) FReleaseSource = g_idle_add(OnRelease, this);
}

gboolean TWebKitEngine::OnRelease(gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    e->FReleaseSource = 0;
    gtkbackend::GuardedVoid([&] { e->Release(); });
    return G_SOURCE_REMOVE;
}

void TWebKitEngine::OnResponsive(GObject* view, GParamSpec*, gpointer self) {
    // The engine finds out only when it waits for the page: for a load, or an input event.
    if (webkit_web_view_get_is_web_process_responsive(WEBKIT_WEB_VIEW(view))) return;
    gtkbackend::GuardedVoid([&] { static_cast<TWebKitEngine*>(self)->Release(); });
}

void TWebKitEngine::Release() {
    if (!Waiting()) return;
    FAsked = 0;
    const bool started = FPhase == Phase::Loading || FReading;
    Revive();
    if (started) {
        Fail(navErrorBadAnswer);
    } else {
        // Nothing of the navigation reached the page that held it (it would have had to answer).
        Load();
    }
}

void TWebKitEngine::Revive() {
    FReviving = true;
    webkit_web_view_terminate_web_process(WEBKIT_WEB_VIEW(FView));
    FReviving = false;
}

} // namespace vcl::webkitengine
