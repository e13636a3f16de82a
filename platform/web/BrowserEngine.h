#pragma once
// The seam between the browser control and the engine that loads pages. TWebBrowser talks only to
// TBrowserEngine; the WebKitGTK engine is the real one, and tests install a fake through
// SetBrowserEngineFactory.
//
// The engine owns the browsing state the control reports (Busy, LocationURL, Document) and raises the
// control's events through TBrowserEngineEvents, on the GUI thread, in order: progress changes, and one
// document completion per completed document, frames included, the top-level document last. Inside a
// completion the state already answers for that moment (a frame completing while the page still loads
// finds Busy true; the top-level document finds Busy false and itself as Document).
//
// An engine that learns of things inside a toolkit callback does not raise events there: it calls
// EventsPending, and the control later calls DispatchPending from its own message loop.
//
// A navigation ends either with its top-level completion or, when it fails, with a navigation error in its
// place (Busy false, no document): a failure never completes as a document. Every navigation, the
// application's or the page's own, starts its progress again at 0.
//
// A page's questions to its user (its script dialogs) reach the control as TPageQuestion objects, through
// the same queue; the page waits until the question is answered, and the answer may come later, from
// another turn of the loop. A question whose page goes away first (left, its process ended, the engine
// freed) is gone: the control hears of it, and an answer given after that reaches nobody.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/web/HtmlDocument.h"

namespace vcl {

// One navigation as the engine receives it.
struct TNavigateRequest {
    String URL;
    String Method = "GET"; // "GET" or "POST"
    String Body;           // the raw bytes of a POST body
    // Header lines other than the content type of a post, "Name" -> "Value".
    std::vector<std::pair<String, String>> Headers;
    String ContentType; // of a POST body
    int Flags = 0;      // the navigation flags as given (navNoHistory, ...)
};

// Why a navigation failed: an HTTP status of 400 or more, or one of these.
constexpr int navErrorCannotConnect = -1;  // no connection: refused, no such host, timed out, cut off
constexpr int navErrorBadAnswer = -2;      // an answer that cannot be read, or redirects without end
constexpr int navErrorRefusedContent = -3; // a download, or content the view cannot show: refused
constexpr int navErrorOtherOrigin = -4;    // sent on to another site by a redirect: not followed
constexpr int navErrorPageEnded = -5;      // the process of the page ended (killed, crashed) under it

enum class TPageQuestionKind { Alert, Confirm, Prompt };

// A question of a page's: an alert (to dismiss), a confirmation (OK or Cancel) or a prompt (a text, or
// Cancel). Answered at most once; an answer after the first, or after the question is gone, does nothing.
class TPageQuestion {
public:
    TPageQuestion(TPageQuestionKind AKind, String AText, String ADefaultText, String AHost)
        : Kind(AKind), Text(std::move(AText)), DefaultText(std::move(ADefaultText)), Host(std::move(AHost)) {}
    virtual ~TPageQuestion() = default;
    TPageQuestion(const TPageQuestion&) = delete;
    TPageQuestion& operator=(const TPageQuestion&) = delete;

    const TPageQuestionKind Kind;
    const String Text;
    const String DefaultText; // a prompt's suggested answer
    const String Host;        // of the page that asks

    // OK (a confirmation true, a prompt Value) or Cancel (false, no text).
    void Answer(bool Accepted, const String& Value = String()) {
        if (FDone) return;
        FDone = true;
        DoAnswer(Accepted, Value);
    }
    // As a user who declines: an alert dismissed, a confirmation false, a prompt empty.
    void Decline() { Answer(Kind == TPageQuestionKind::Prompt, String()); }
    bool Done() const { return FDone; }
    bool Gone() const { return FGone; }

protected:
    virtual void DoAnswer(bool Accepted, const String& Value) = 0;
    // The engine's: the page went away unanswered.
    void SetGone() {
        FDone = true;
        FGone = true;
    }

private:
    bool FDone = false;
    bool FGone = false;
};
using TPageQuestionPtr = std::shared_ptr<TPageQuestion>;

class TBrowserEngineEvents {
public:
    virtual ~TBrowserEngineEvents() = default;
    virtual void EngineProgressChange(int Progress, int ProgressMax) = 0;
    virtual void EngineDocumentComplete(const IDispatchPtr& Document, const String& URL) = 0;
    // The top-level navigation to URL failed (StatusCode: see navError*); it completes no document. With
    // navErrorPageEnded also when no navigation waited: the page shown, URL, is gone.
    virtual void EngineNavigateError(const String& URL, int StatusCode) = 0;
    // The user followed a link that leaves the site (another origin, or a mail address): the page stays,
    // and the address is the application's to hand to the desktop.
    virtual void EngineExternalLink(const String& URL) { (void)URL; }
    // The engine has events waiting: the control should call DispatchPending soon, outside any callback.
    virtual void EngineEventsPending() = 0;
    // The user clicked into the page: the control should take the keyboard focus (soon, not inside the
    // callback).
    virtual void EngineFocusWanted() {}
    // The page asks its user something; it waits for Question's answer.
    virtual void EngineQuestion(const TPageQuestionPtr& Question) { Question->Decline(); }
    // The page of a question went away before it was answered (Question->Gone()).
    virtual void EngineQuestionGone(const TPageQuestionPtr& Question) { (void)Question; }
};

// Where the engine's view goes: the control's rectangle in its top-level window's coordinates (frame
// included), inside the top-level window Root; Visible when the control is showing.
struct TBrowserPlacement {
    void* Root = nullptr; // the top-level window (win::HWND), null = no host
    TRect Bounds;
    bool Visible = false;
    bool operator==(const TBrowserPlacement& O) const {
        return Root == O.Root && Bounds == O.Bounds && Visible == O.Visible;
    }
};

class TBrowserEngine {
public:
    virtual ~TBrowserEngine() = default;
    void SetEvents(TBrowserEngineEvents* Events) { FEvents = Events; }

    virtual void Navigate(const TNavigateRequest& Request) = 0;
    virtual bool Busy() const = 0;
    virtual String LocationURL() const = 0;
    // The current top-level document, null before the first completed one.
    virtual IDispatchPtr Document() const = 0;
    virtual void Place(const TBrowserPlacement& Placement) { (void)Placement; }
    // The control got or lost the keyboard focus.
    virtual void FocusChanged(bool Focused) { (void)Focused; }
    virtual void DispatchPending() {}

protected:
    TBrowserEngineEvents* FEvents = nullptr;
};

using TBrowserEngineFactory = std::function<std::unique_ptr<TBrowserEngine>()>;

// Installs the factory new browser controls take their engine from; an empty function restores the
// default (the WebKitGTK engine on the GTK display backend; on any other backend navigating raises
// EOleError, since there is nothing to show pages on).
void SetBrowserEngineFactory(TBrowserEngineFactory Factory);
// Makes an engine with the installed factory (raises EOleError when there is none for this backend).
std::unique_ptr<TBrowserEngine> CreateBrowserEngine();
// True when CreateBrowserEngine would make one.
bool BrowserEngineAvailable();
// Starts loading the engine's module on a thread of its own, a moment later, when CreateBrowserEngine will
// need it (the GTK backend, no factory set), so that the first page does not wait for it; nothing otherwise.
void PreloadBrowserEngine();

} // namespace vcl
