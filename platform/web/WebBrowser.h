#pragma once
// TWebBrowser: the browser control. A windowed control whose page view (the engine's) lies over its
// rectangle inside its top-level form and follows it: bounds, alignment, visibility, its parents' moves,
// sizes, showing and hiding (the view shows only while every parent does), the form's showing and hiding.
//
// Navigate(URL) loads an address. Navigate(URL, Flags, TargetFrameName, PostData, Headers) takes the
// framework's variants: Flags an integer (navNoHistory and navNoWriteToCache are accepted and have no
// visible effect; navOpenInNewWindow is refused), TargetFrameName empty, 0, "", "_self" or "_top" (named
// frames are refused), PostData empty (a plain request) or a byte array (a form post of those bytes),
// Headers empty, 0 or header lines. A form post goes out as application/x-www-form-urlencoded, the only
// content type accepted; its body is split into fields as formpost::SplitBody describes, and the browser
// URL-encodes each value. Refusals raise EOleError before anything is requested.
//
// Events, always from the control's own message loop (never from inside the engine's callbacks):
// OnProgressChange(Sender, Progress, ProgressMax) while a page loads, with ProgressMax 100 and Progress
// the percentage loaded, rising to 100 when the load ends; OnDocumentComplete(Sender, pDisp, URL) once per
// completed document, each frame's first and the top-level document's last. Inside the top-level
// completion Busy is false, LocationURL is the page's address and Document is the page, already holding
// its HTML, so that saving it is immediate. Every navigation starts its progress again at 0.
//
// A navigation that fails raises OnNavigateError(Sender, URL, StatusCode) in place of its completion, with
// Busy false, LocationURL the address and no Document: no connection (navErrorCannotConnect), an answer
// that cannot be read or redirects without end (navErrorBadAnswer), an HTTP status of 400 or more (the
// status), an answer that would be a download or that the view cannot show (navErrorRefusedContent; no
// download ever starts), a redirect to another site (navErrorOtherOrigin), the end of the process that
// loaded it (navErrorPageEnded: killed or crashed). The view then shows a short page saying so. A page
// whose process ends once it has loaded fails the same way, after the fact, with no navigation under way.
// HTTP authentication is refused (the answer then fails with its status).
//
// A page's questions (alert, confirm, prompt) are shown one at a time, each in a modal box of the program's
// own over the control's form, titled with the page's host (PageQuestions.h), from the control's message
// loop; the page waits for the answer. From the third question within ten seconds on, a page's questions
// are answered without showing (declined) until the control navigates again. A navigation of the
// application's leaves the page: a box still up is closed and the page's questions are declined. A box
// whose page goes away meanwhile (its process ended), or whose control is freed, closes unanswered. A
// control that does not show (no window, its form hidden) declines the questions, since nobody could
// answer them; so does a Silent one, whose pages nobody is meant to answer any more (those of an
// application that is closing).
//
// The pages stay on the site of the address navigated to last (NavigationPolicy.h): a link the user
// clicks to a web or mail address elsewhere raises OnExternalLink(Sender, URL) and the page stays; other
// ways off the site are refused. The documents of a form post's own helper page are never seen: no
// events, no Busy change, no LocationURL of theirs, never a Document, also when the post fails.

#include <deque>
#include <memory>

#include "platform/vcl/Controls.h"
#include "platform/web/BrowserEngine.h"
#include "platform/web/OleVariant.h"
#include "platform/web/PageQuestions.h"

namespace vcl {

// Navigation flags.
constexpr int navOpenInNewWindow = 0x1;
constexpr int navNoHistory = 0x2;
constexpr int navNoReadFromCache = 0x4;
constexpr int navNoWriteToCache = 0x8;

using TWebBrowserProgressChange = std::function<void(TObject* Sender, int Progress, int ProgressMax)>;
using TWebBrowserDocumentComplete =
    std::function<void(TObject* ASender, const IDispatchPtr& pDisp, const OleVariant& URL)>;
using TWebBrowserNavigateError = std::function<void(TObject* Sender, const OleVariant& URL, int StatusCode)>;
using TWebBrowserExternalLink = std::function<void(TObject* Sender, const String& URL)>;

class TWebBrowser : public TWinControl, private TBrowserEngineEvents {
    KV_CLASS(TWebBrowser, TWinControl)
    KV_PUBLISHED_PROPERTIES(TWebBrowser)
public:
    explicit TWebBrowser(TComponent* AOwner);
    ~TWebBrowser() override;

    void Navigate(const String& URL);
    void Navigate(const String& URL, const OleVariant& Flags, const OleVariant& TargetFrameName,
                  const OleVariant& PostData, const OleVariant& Headers);

    bool Busy() const;
    // The current top-level document; null before the first one completed.
    IDispatchPtr Document() const;
    String LocationURL() const;

    TWebBrowserProgressChange OnProgressChange;
    TWebBrowserDocumentComplete OnDocumentComplete;
    TWebBrowserNavigateError OnNavigateError;
    TWebBrowserExternalLink OnExternalLink;

    // While true, a page's questions are declined without a box; turning it on declines those waiting and
    // closes the box that is up.
    bool Silent() const { return FSilent; }
    void SetSilent(bool Value);

    // The engine, made on first need (null until then).
    TBrowserEngine* Engine() const { return FEngine.get(); }

protected:
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;

private:
    void EngineProgressChange(int Progress, int ProgressMax) override;
    void EngineDocumentComplete(const IDispatchPtr& Document, const String& URL) override;
    void EngineNavigateError(const String& URL, int StatusCode) override;
    void EngineExternalLink(const String& URL) override;
    void EngineEventsPending() override;
    void EngineFocusWanted() override;
    void EngineQuestion(const TPageQuestionPtr& Question) override;
    void EngineQuestionGone(const TPageQuestionPtr& Question) override;
    TBrowserEngine& NeedEngine();
    void UpdatePlacement();
    // Shows the questions waiting, one box at a time.
    void AskWaiting();
    // Closes the box that is up, unanswered (its loop ends; the question is answered by whoever closed it).
    void CloseBox();
    // Declines every question not yet shown, and closes the box that is up.
    void DeclineQuestions();

    std::unique_ptr<TBrowserEngine> FEngine;
    bool FDispatchPosted = false;
    // The page's questions: waiting to be shown, the one whose box is up (with its box), and their pace.
    std::deque<TPageQuestionPtr> FQuestions;
    TPageQuestionPtr FAsking;
    TForm* FBox = nullptr;
    TQuestionPace FPace;
    bool FQuestionPosted = false;
    bool FSilent = false;
    // Cleared when the control is freed while its box is up (the box's loop runs on the control's stack).
    bool* FAlive = nullptr;
};

} // namespace vcl
