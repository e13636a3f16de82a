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

class TBrowserEngineEvents {
public:
    virtual ~TBrowserEngineEvents() = default;
    virtual void EngineProgressChange(int Progress, int ProgressMax) = 0;
    virtual void EngineDocumentComplete(const IDispatchPtr& Document, const String& URL) = 0;
    // The top-level navigation to URL failed (StatusCode: see navError*); it completes no document.
    virtual void EngineNavigateError(const String& URL, int StatusCode) = 0;
    // The user followed a link that leaves the site (another origin, or a mail address): the page stays,
    // and the address is the application's to hand to the desktop.
    virtual void EngineExternalLink(const String& URL) { (void)URL; }
    // The engine has events waiting: the control should call DispatchPending soon, outside any callback.
    virtual void EngineEventsPending() = 0;
    // The user clicked into the page: the control should take the keyboard focus (soon, not inside the
    // callback).
    virtual void EngineFocusWanted() {}
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
