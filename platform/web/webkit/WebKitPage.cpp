// The WebKitGTK engine: what a page asks of the user, and a page that holds the view.
//
// A page's script dialogs (alert, confirm, prompt) go to the control as questions, answered when the user
// has answered its box: the dialog is kept, the page waits, and the engine's own dialog is never shown.
// Questions of a page that is being left, by a navigation of ours or its own, are declined at once (an
// alert dismissed, a confirmation false, a prompt empty): nobody is looking at that page any more. A
// question about leaving the page lets it go, since the program's own navigations always run. Printing is
// refused: the engine's print dialog is modal and runs a loop of its own.
//
// A page whose script never returns holds its web process, and with it every later load of the view: one
// that asks or prints again at once after every answer, one that only computes, or one whose unload
// handler never returns. Such a page is found while a navigation of ours waits for it: by its questions
// coming in a stream, by the engine finding its process unresponsive, or by the navigation not showing its
// answer a few seconds after it was asked while the page's process does not answer either. Its process is
// then ended, and the navigation is asked for again in a new one (when nothing of it reached the service,
// or it was a plain request whose answer never replaced the page that held it), or fails.
//
// Whatever a page asks permission for (pointer lock, notifications, location, camera and microphone, ...)
// is denied, and it cannot put the view full screen: the program's window stays the program's.
//
// The page's context menu offers only what cannot leave the page.

#include "platform/web/webkit/WebKitView.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/backend/gtk/GtkGuard.h"

namespace vcl::webkitengine {

namespace {

// Questions within one second that make a stream: a script that asks again at once after every answer
// asks thousands; a page that only greets or confirms asks one or two.
constexpr int kQuestionsInAStream = 20;
// How long a navigation of ours may go without showing its answer before the page it leaves is looked at
// (and, when it is still there a second look later, released).
constexpr guint kHoldCheck = 3000;

String HostOf(const char* Uri) {
    String host;
    if (GUri* uri = Uri ? g_uri_parse(Uri, G_URI_FLAGS_NONE, nullptr) : nullptr) {
        if (const char* h = g_uri_get_host(uri)) host = h;
        g_uri_unref(uri);
    }
    return host;
}

String TextOr(const char* Text) {
    return Text ? String(Text) : String();
}

} // namespace

// A script dialog the page waits on, kept referenced until its answer.
class TWebKitQuestion final : public TPageQuestion {
public:
    TWebKitQuestion(WebKitScriptDialog* Dialog, TPageQuestionKind AKind, const String& AHost)
        : TPageQuestion(AKind, TextOr(webkit_script_dialog_get_message(Dialog)),
                        AKind == TPageQuestionKind::Prompt
                            ? TextOr(webkit_script_dialog_prompt_get_default_text(Dialog))
                            : String(),
                        AHost),
          FDialog(webkit_script_dialog_ref(Dialog)) {}
    ~TWebKitQuestion() override { Drop(); }
    TWebKitQuestion(const TWebKitQuestion&) = delete;
    TWebKitQuestion& operator=(const TWebKitQuestion&) = delete;

    // The page went away: nothing is answered any more (the engine closes the dialog of a page that is
    // gone when it is let go).
    void Forget() {
        SetGone();
        Drop();
    }

protected:
    void DoAnswer(bool Accepted, const String& Value) override {
        if (!FDialog) return;
        if (Kind == TPageQuestionKind::Confirm) webkit_script_dialog_confirm_set_confirmed(FDialog, Accepted);
        // A prompt left without a text answers null: the user cancelled.
        if (Kind == TPageQuestionKind::Prompt && Accepted)
            webkit_script_dialog_prompt_set_text(FDialog, Value.c_str());
        webkit_script_dialog_close(FDialog);
        Drop();
    }

private:
    void Drop() {
        if (FDialog) webkit_script_dialog_unref(FDialog);
        FDialog = nullptr;
    }
    WebKitScriptDialog* FDialog;
};

// ---- What a page asks of the user

gboolean TWebKitEngine::OnPrint(WebKitWebView*, WebKitPrintOperation*, gpointer self) {
    gtkbackend::GuardedVoid([&] { static_cast<TWebKitEngine*>(self)->Asked(); });
    return TRUE; // refused: the program prints nothing
}

gboolean TWebKitEngine::OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer self) {
    if (webkit_script_dialog_get_dialog_type(dialog) == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM) {
        // Asked when a navigation leaves the page: part of that navigation, not the page's own asking.
        webkit_script_dialog_confirm_set_confirmed(dialog, TRUE);
        return TRUE;
    }
    // Handled here either way: a dialog not kept is answered as it was left when this returns.
    gtkbackend::GuardedVoid([&] { static_cast<TWebKitEngine*>(self)->Ask(dialog); });
    return TRUE;
}

void TWebKitEngine::Ask(WebKitScriptDialog* Dialog) {
    Asked();
    TPageQuestionKind kind = TPageQuestionKind::Alert;
    switch (webkit_script_dialog_get_dialog_type(Dialog)) {
    case WEBKIT_SCRIPT_DIALOG_CONFIRM:
        kind = TPageQuestionKind::Confirm;
        break;
    case WEBKIT_SCRIPT_DIALOG_PROMPT:
        kind = TPageQuestionKind::Prompt;
        break;
    default:
        break;
    }
    // A page being left, or one found holding a navigation, asks nobody: declined here and now. (Not
    // through a kept question: a dialog closed inside its own signal would be answered twice.)
    if (Leaving() || FReleaseSource || !FEvents) {
        if (kind == TPageQuestionKind::Confirm) webkit_script_dialog_confirm_set_confirmed(Dialog, FALSE);
        if (kind == TPageQuestionKind::Prompt) webkit_script_dialog_prompt_set_text(Dialog, "");
        return;
    }
    auto question = std::make_shared<TWebKitQuestion>(
        Dialog, kind, HostOf(webkit_web_view_get_uri(WEBKIT_WEB_VIEW(FView))));
    std::erase_if(FQuestions, [](const auto& q) { return q->Done(); });
    FQuestions.push_back(question);
    Queue(Step{StepKind::Question, 0, {}, {}, question});
}

void TWebKitEngine::DeclineQuestions() {
    for (const auto& q : FQuestions)
        q->Decline();
    FQuestions.clear();
}

void TWebKitEngine::ForgetQuestions() {
    for (const auto& q : FQuestions)
        if (!q->Done()) {
            q->Forget();
            Queue(Step{StepKind::QuestionGone, 0, {}, {}, q});
        }
    FQuestions.clear();
}

bool TWebKitEngine::QuestionsWaiting() const {
    return std::any_of(FQuestions.begin(), FQuestions.end(), [](const auto& q) { return !q->Done(); });
}

bool TWebKitEngine::Leaving() const {
    return FPhase == Phase::Helper || FPhase == Phase::AwaitStart || FPhase == Phase::Failed ||
           (FPhase == Phase::Loading && !FCommitted);
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

// ---- Permissions and full screen

gboolean TWebKitEngine::OnPermissionRequest(WebKitWebView*, WebKitPermissionRequest* request, gpointer) {
    webkit_permission_request_deny(request);
    return TRUE;
}

gboolean TWebKitEngine::OnQueryPermission(WebKitWebView*, WebKitPermissionStateQuery* query, gpointer) {
    // What a page learns before it asks: that asking is no use.
    webkit_permission_state_query_finish(query, WEBKIT_PERMISSION_STATE_DENIED);
    return TRUE;
}

gboolean TWebKitEngine::OnEnterFullscreen(WebKitWebView*, gpointer) {
    return TRUE; // the window stays as it is
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
    auto* e = static_cast<TWebKitEngine*>(self);
    // A page waiting for its user's answer is not holding anything.
    gtkbackend::GuardedVoid([&] {
        if (!e->QuestionsWaiting()) e->Release();
    });
}

void TWebKitEngine::Release() {
    if (!Waiting()) return;
    FAsked = 0;
    // Whether the navigation's request reached the service: a post is never sent twice, and a page's own
    // navigation is the page's business. A plain request of ours whose answer never replaced the page that
    // held it is asked for again.
    const bool sent = FPhase == Phase::Loading || FReading;
    const bool again = !sent || (!FCommitted && !FPagesOwn && FRequest.Method != "POST");
    Revive();
    if (again)
        Load();
    else
        Fail(navErrorBadAnswer);
}

void TWebKitEngine::Revive() {
    ForgetQuestions();
    FPageInView = false;
    FReviving = true;
    webkit_web_view_terminate_web_process(WEBKIT_WEB_VIEW(FView));
    FReviving = false;
}

void TWebKitEngine::WatchHold() {
    if (FHoldSource) g_source_remove(FHoldSource);
    FHoldSource = g_timeout_add(kHoldCheck, OnHoldCheck, this);
}

gboolean TWebKitEngine::OnHoldCheck(gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    e->FHoldSource = 0;
    gtkbackend::GuardedVoid([&] { e->CheckHold(); });
    return G_SOURCE_REMOVE;
}

void TWebKitEngine::CheckHold() {
    // (A web process that is still starting holds nothing: it has no page to leave.)
    if (!Waiting() || FPagesOwn || FCommitted || FReading || !FPageInView) return;
    // Not started yet: the page it leaves has not let it go (an unload or pagehide handler that never
    // returns), since nothing else comes between the asking and the start.
    if (FPhase != Phase::Loading || FProbing) {
        Release();
        return;
    }
    // Started, and its answer not shown yet: a slow server, or the page it leaves in a handler that never
    // returns. That page's process answers a question of ours (in our own script world) in the first case
    // only.
    FProbing = true;
    g_object_ref(FView);
    webkit_web_view_evaluate_javascript(WEBKIT_WEB_VIEW(FView), "0", -1, kWorld, nullptr, FCancel, OnProbe,
                                        this);
    WatchHold();
}

void TWebKitEngine::OnProbe(GObject* source, GAsyncResult* result, gpointer self) {
    GError* error = nullptr;
    JSCValue* v = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
    // A cancelled probe belongs to a navigation (or an engine) that is gone: self may be too. Any other
    // answer, an error included, came from a process that runs.
    if (!g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED))
        static_cast<TWebKitEngine*>(self)->FProbing = false;
    g_object_unref(source);
    if (v) g_object_unref(v);
    if (error) g_error_free(error);
}

} // namespace vcl::webkitengine
