#pragma once
// The WebKitGTK engine's class, shared by its four parts: loading and the control's events
// (WebKitEngine.cpp), what pages and servers may make it do (WebKitPolicy.cpp), what a page asks of the
// user and a page that holds the view (WebKitPage.cpp), and the view's place in its window with the
// keyboard focus (WebKitPlacement.cpp).

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/web/BrowserEngine.h"

namespace vcl::webkitengine {

// The view's data key that leads back to its engine.
inline constexpr const char* kEngineKey = "kv-browser-engine";
// The script world of ours, where pages cannot see or imitate what we run.
inline constexpr const char* kWorld = "kalvenor";

// Cancels what was asked for with Cancel and gives a fresh one.
inline void Renew(GCancellable*& Cancel) {
    g_cancellable_cancel(Cancel);
    g_object_unref(Cancel);
    Cancel = g_cancellable_new();
}

// A script dialog of a page's, kept until it is answered (WebKitPage.cpp).
class TWebKitQuestion;

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

    // Connects what the web context does for every view: downloads are cancelled as they start.
    static void WatchContext(WebKitWebContext* Context);

private:
    // Idle: nothing of ours loads (a navigation of the page's own starts Loading). Helper: a post's helper
    // document loads. AwaitStart: the navigation is asked for, its load has not started. Loading: the
    // navigation's load runs. Failed: the navigation failed and the view loads the page saying so.
    enum class Phase { Idle, Helper, AwaitStart, Loading, Failed };
    enum class StepKind { BusyOn, Location, Progress, Frame, Top, Error, External, Question, QuestionGone };
    struct Step {
        StepKind Kind;
        int Value = 0; // the progress, or the error's status code
        String Url;
        IDispatchPtr Doc;
        TPageQuestionPtr Question = nullptr;
    };

    // ---- Loading (WebKitEngine.cpp)
    void Queue(Step s);
    void Restart();
    // Asks the view for the navigation under way (FRequest).
    void Load();
    void Started();
    void Finished();
    void QueueProgress(int p);
    static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self);
    static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error, gpointer self);
    static void OnProgress(GObject*, GParamSpec*, gpointer self);
    static void OnScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* r, gpointer self);
    static void OnTopMarkup(GObject* source, GAsyncResult* result, gpointer self);
    static void OnProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason reason, gpointer self);

    // ---- What pages and servers may do (WebKitPolicy.cpp)
    // Ends the navigation under way as failed: raises the error and shows a page saying so, in place of
    // whatever the view held (a post's helper document included).
    void Fail(int Code);
    // A navigation action: the helper's post starts the navigation; the site's rules for the rest.
    void DecideNavigation(WebKitPolicyDecision* d, bool NewWindow);
    // A response: no downloads, no content the view cannot show, no error status for the main document.
    void DecideResponse(WebKitPolicyDecision* d);
    static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* d, WebKitPolicyDecisionType t,
                                   gpointer self);
    static gboolean OnAuthenticate(WebKitWebView*, WebKitAuthenticationRequest* request, gpointer self);
    static void OnDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer);
    static gboolean OnPermissionRequest(WebKitWebView*, WebKitPermissionRequest* request, gpointer);
    static gboolean OnQueryPermission(WebKitWebView*, WebKitPermissionStateQuery* query, gpointer);
    static gboolean OnEnterFullscreen(WebKitWebView*, gpointer);

    // ---- What a page asks of the user, a page that holds the view (WebKitPage.cpp)
    static gboolean OnPrint(WebKitWebView*, WebKitPrintOperation*, gpointer self);
    static gboolean OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer self);
    static gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu* menu, GdkEvent*, WebKitHitTestResult*,
                                  gpointer);
    // The page asked its user Dialog: the control is given the question, or it is declined at once.
    void Ask(WebKitScriptDialog* Dialog);
    // The page asked the user something (or printed).
    void Asked();
    // True while the view's page is being left (by a navigation, ours or its own): its questions are no
    // one's any more.
    bool Leaving() const;
    // The page's questions not yet answered: declined (the page goes on), or forgotten (it is gone).
    void DeclineQuestions();
    void ForgetQuestions();
    bool QuestionsWaiting() const;
    // True while a navigation of ours waits for the view's page: to start, to load, or for its markup.
    bool Waiting() const;
    // The view's page holds the navigation under way: its web process is ended, and the navigation is
    // asked for again in a new one, or fails when it was that page.
    void Release();
    static gboolean OnRelease(gpointer self);
    static void OnResponsive(GObject* view, GParamSpec*, gpointer self);
    // Ends the view's web process; the next load starts a new one.
    void Revive();
    // A navigation of ours that has not shown its answer a while after it was asked: held by the page it
    // leaves, or by a slow server (WatchHold arms the look).
    void WatchHold();
    static gboolean OnHoldCheck(gpointer self);
    void CheckHold();
    static void OnProbe(GObject* source, GAsyncResult* result, gpointer self);

    // ---- The view in its window (WebKitPlacement.cpp)
    void Attach(GtkWidget* host);
    void Detach();
    static gboolean OnChildPosition(GtkOverlay*, GtkWidget* widget, GdkRectangle* allocation, gpointer);
    static void OnHostDestroyed(GtkWidget*, gpointer self);
    static gboolean OnWindowEvent(GtkWidget* window, GdkEvent* e, gpointer self);
    // A key while the view has the focus: the view's first, the window system's when the view hands it back.
    gboolean KeyInView(GtkWidget* window, GdkEventKey* e);
    void ForgetEarlyReleases();
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

    // The navigation under way: as asked for, its address, the site (origin) of the application's last
    // navigation, a failure decided before WebKit reports the load (a refused answer or redirect: 0 for
    // none), whether the view still holds a post's helper document (no answer to the post has been shown),
    // and whether its page has loaded and its markup is asked for.
    TNavigateRequest FRequest;
    String FUrl;
    String FSite;
    int FFailure = 0;
    bool FHelperShown = false;
    bool FReading = false;
    // The navigation under way is the page's own (a link, a script), not one the application asked for;
    // its answer has replaced the page it leaves in the view; the view holds a page of a web process that
    // runs (none before the first, or after its process ended: nothing could hold a navigation then).
    bool FPagesOwn = false;
    bool FCommitted = false;
    bool FPageInView = false;

    // Questions of the page's (dialogs, prints) while a navigation of ours waits for it, in the second
    // that began at FAskedSince; the release of a page that holds the view, when one is due; whether the
    // web process is being ended (what it reports then belongs to no navigation).
    int FAsked = 0;
    gint64 FAskedSince = 0;
    guint FReleaseSource = 0;
    bool FReviving = false;
    // The questions of the page's that wait for their answer; the look at a navigation that may be held,
    // and whether the page's process was asked to answer and has not yet.
    std::vector<std::shared_ptr<TWebKitQuestion>> FQuestions;
    guint FHoldSource = 0;
    bool FProbing = false;

    // Host.
    GtkWidget* FHost = nullptr;
    GtkWidget* FOverlay = nullptr;
    GtkWidget* FArea = nullptr; // the window's drawing area under the views
    TRect FBounds;
    bool FVisible = false;
    // Keys (hardware key codes, with the time of the press) the view was given and has not handed back,
    // and releases of such keys that came before the view's answer (copies, kept until the key is handed
    // back or another press).
    std::map<guint16, guint32> FKeysInView;
    std::map<guint16, GdkEvent*> FEarlyReleases;
    // Keys pressed while a menu loop had the keyboard, which went past the view: their releases follow.
    std::set<guint16> FKeysPastView;
};

} // namespace vcl::webkitengine
