#include "platform/web/WebBrowser.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/web/FormPost.h"
#include "platform/win/Messages.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"

namespace vcl {

namespace {

// Posted to the control's own window when the engine has events waiting.
constexpr win::UINT WM_BROWSERDISPATCH = win::WM_USER + 0x3B0;
// Posted when the user clicked into the page.
constexpr win::UINT WM_BROWSERFOCUS = win::WM_USER + 0x3B1;
// Posted when a page's question waits for its box.
constexpr win::UINT WM_BROWSERQUESTION = win::WM_USER + 0x3B2;
constexpr const char* kFormContentType = "application/x-www-form-urlencoded";

} // namespace

KV_PUBLISHED(TWebBrowser) {
    p.Default("TabStop", true);
    p.Event("OnProgressChange", &TWebBrowser::OnProgressChange);
    p.Event("OnDocumentComplete", &TWebBrowser::OnDocumentComplete);
    p.Event("OnNavigateError", &TWebBrowser::OnNavigateError);
    p.Event("OnExternalLink", &TWebBrowser::OnExternalLink);
}

KV_REGISTER_CLASS(TWebBrowser)

TWebBrowser::TWebBrowser(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetBounds(FLeft, FTop, 300, 150);
}

TWebBrowser::~TWebBrowser() {
    // A box still up closes; the engine going marks its question gone, so that nobody answers it.
    if (FAlive) *FAlive = false;
    CloseBox();
    if (FEngine) {
        FEngine->SetEvents(nullptr);
        FEngine.reset();
    }
}

TBrowserEngine& TWebBrowser::NeedEngine() {
    if (!FEngine) {
        FEngine = CreateBrowserEngine();
        FEngine->SetEvents(this);
        UpdatePlacement();
        if (Focused()) FEngine->FocusChanged(true);
    }
    return *FEngine;
}

void TWebBrowser::Navigate(const String& URL) {
    Navigate(URL, OleVariant(), OleVariant(), OleVariant(), OleVariant());
}

void TWebBrowser::Navigate(const String& URL, const OleVariant& Flags, const OleVariant& TargetFrameName,
                           const OleVariant& PostData, const OleVariant& Headers) {
    TNavigateRequest request;
    request.URL = URL;
    if (URL.empty()) throw EOleError("Navigate needs an address");

    if (!Flags.IsEmpty()) {
        if (Flags.VarType() != varInteger) throw EOleError("Navigate: Flags must be an integer");
        request.Flags = Flags.AsInteger();
        if (request.Flags & navOpenInNewWindow)
            throw EOleError("Navigate: opening a new window is not supported");
    }

    if (!TargetFrameName.IsEmpty()) {
        bool top = false;
        if (TargetFrameName.VarType() == varInteger)
            top = TargetFrameName.AsInteger() == 0;
        else if (TargetFrameName.VarType() == varOleStr) {
            String name = LowerCase(TargetFrameName.AsString());
            top = name.empty() || name == "_self" || name == "_top";
        }
        if (!top) throw EOleError("Navigate: named target frames are not supported");
    }

    String contentType;
    if (!Headers.IsEmpty()) {
        if (Headers.VarType() == varOleStr) {
            for (auto& [name, value] : formpost::ParseHeaders(Headers.AsString())) {
                if (LowerCase(name) == "content-type")
                    contentType = value;
                else
                    request.Headers.emplace_back(name, value);
            }
        } else if (Headers.VarType() != varInteger || Headers.AsInteger() != 0) {
            throw EOleError("Navigate: Headers must be a string");
        }
    }

    if (!PostData.IsEmpty()) {
        if (!PostData.IsArray()) throw EOleError("Navigate: PostData must be an array of bytes");
        if (formpost::OriginOf(URL).empty())
            throw EOleError("Navigate: a form post needs an http or https address");
        // The media type without parameters (a charset is allowed).
        String type = LowerCase(contentType.substr(0, contentType.find(';')));
        while (!type.empty() && type.back() == ' ')
            type.pop_back();
        if (!type.empty() && type != kFormContentType)
            throw EOleError("Navigate: only application/x-www-form-urlencoded posts are supported");
        const TByteArray& bytes = PostData.AsBytes();
        request.Method = "POST";
        request.Body.assign(bytes.begin(), bytes.end());
        request.ContentType = kFormContentType;
    } else if (!contentType.empty()) {
        request.Headers.emplace_back("Content-Type", contentType);
    }

    // The application leaves the page: what it still asks is of no interest to anybody.
    DeclineQuestions();
    FPace.Reset();
    NeedEngine().Navigate(request);
}

bool TWebBrowser::Busy() const {
    return FEngine && FEngine->Busy();
}

IDispatchPtr TWebBrowser::Document() const {
    return FEngine ? FEngine->Document() : nullptr;
}

String TWebBrowser::LocationURL() const {
    return FEngine ? FEngine->LocationURL() : String();
}

// ---- Engine events

void TWebBrowser::EngineProgressChange(int Progress, int ProgressMax) {
    if (OnProgressChange) OnProgressChange(this, Progress, ProgressMax);
}

void TWebBrowser::EngineDocumentComplete(const IDispatchPtr& Document, const String& URL) {
    if (OnDocumentComplete) OnDocumentComplete(this, Document, OleVariant(URL));
}

void TWebBrowser::EngineNavigateError(const String& URL, int StatusCode) {
    if (OnNavigateError) OnNavigateError(this, OleVariant(URL), StatusCode);
}

void TWebBrowser::EngineExternalLink(const String& URL) {
    if (OnExternalLink) OnExternalLink(this, URL);
}

void TWebBrowser::EngineEventsPending() {
    if (FDispatchPosted || !HandleAllocated()) return;
    FDispatchPosted = win::PostMessage(WindowHandle(), WM_BROWSERDISPATCH, 0, 0) != 0;
}

void TWebBrowser::EngineFocusWanted() {
    if (HandleAllocated()) win::PostMessage(WindowHandle(), WM_BROWSERFOCUS, 0, 0);
}

// ---- A page's questions

void TWebBrowser::SetSilent(bool Value) {
    FSilent = Value;
    if (FSilent) DeclineQuestions();
}

void TWebBrowser::EngineQuestion(const TPageQuestionPtr& Question) {
    if (FSilent || !FPace.MayShow(win::GetTickCount()) || !HandleAllocated()) {
        Question->Decline();
        return;
    }
    FQuestions.push_back(Question);
    // Not from inside the engine's dispatch: the box runs a loop of its own until it is answered.
    if (!FQuestionPosted) FQuestionPosted = win::PostMessage(WindowHandle(), WM_BROWSERQUESTION, 0, 0) != 0;
}

void TWebBrowser::EngineQuestionGone(const TPageQuestionPtr& Question) {
    if (Question == FAsking) CloseBox();
}

void TWebBrowser::CloseBox() {
    if (FBox) FBox->SetModalResult(mrCancel);
}

void TWebBrowser::DeclineQuestions() {
    for (const TPageQuestionPtr& q : FQuestions)
        q->Decline();
    FQuestions.clear();
    if (FAsking) FAsking->Decline();
    CloseBox();
}

void TWebBrowser::AskWaiting() {
    FQuestionPosted = false;
    // One box at a time: the questions that come meanwhile wait for it.
    while (!FAsking && !FQuestions.empty()) {
        TPageQuestionPtr q = FQuestions.front();
        FQuestions.pop_front();
        if (q->Done()) continue;
        TCustomForm* form = GetParentForm(this);
        if (!form || !form->Visible() || !Showing()) {
            q->Decline(); // nobody could see it
            continue;
        }
        TForm* box = CreateQuestionBox(*q, form);
        // While the box is up; the control may be freed meanwhile (the box's loop runs on its stack), and
        // then it clears Alive so that nothing here touches it again.
        struct TAsking {
            TWebBrowser* Self;
            bool Alive = true;
            ~TAsking() {
                if (!Alive) return;
                Self->FAlive = nullptr;
                Self->FAsking.reset();
                Self->FBox = nullptr;
            }
        } asking{this};
        FAlive = &asking.Alive;
        FAsking = q;
        FBox = box;
        TModalResult result = mrCancel;
        try {
            result = box->ShowModal();
        } catch (...) {
            q->Decline();
            FreeComponent(box);
            throw;
        }
        // Nothing when the question was answered meanwhile or is gone (the page left, the control freed).
        AnswerFromBox(*q, box, result);
        FreeComponent(box);
        if (!asking.Alive) return;
        FPace.Answered(win::GetTickCount());
    }
}

// ---- The window

void TWebBrowser::CreateWnd() {
    TWinControl::CreateWnd();
    // The engine comes with the first navigation, not with the window: showing a form that holds a
    // browser loads no engine.
    // Events that came while there was no window to post to.
    FDispatchPosted = false;
    if (FEngine) EngineEventsPending();
    UpdatePlacement();
}

void TWebBrowser::UpdatePlacement() {
    if (!FEngine) return;
    TBrowserPlacement p;
    win::HWND h = WindowHandle();
    if (h && !ComponentState().Contains(csDestroying)) {
        win::HWND root = win::GetAncestor(h, win::GA_ROOT);
        win::RECT r{}, rr{};
        if (root && win::GetWindowRect(h, &r) && win::GetWindowRect(root, &rr)) {
            p.Root = root;
            p.Bounds = TRect{r.Left - rr.Left, r.Top - rr.Top, r.Right - rr.Left, r.Bottom - rr.Top};
            p.Visible = win::IsWindowVisible(h) && !p.Bounds.IsEmpty();
        }
    }
    FEngine->Place(p);
}

void TWebBrowser::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_BROWSERDISPATCH:
        FDispatchPosted = false;
        if (FEngine) FEngine->DispatchPending();
        return;
    case WM_BROWSERFOCUS:
        if (CanFocus() && !Focused()) SetFocus();
        return;
    case WM_BROWSERQUESTION:
        AskWaiting();
        return;
    case win::WM_DESTROY:
        // The view leaves the window before it goes, and with it whatever the page was asking.
        if (FEngine) FEngine->Place(TBrowserPlacement{});
        FDispatchPosted = false;
        FQuestionPosted = false;
        DeclineQuestions();
        TWinControl::WndProc(Message);
        return;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
        TWinControl::WndProc(Message);
        if (FEngine) FEngine->FocusChanged(Message.Msg == win::WM_SETFOCUS);
        return;
    default:
        break;
    }
    TWinControl::WndProc(Message);
    switch (Message.Msg) {
    case win::WM_WINDOWPOSCHANGED:
    case win::WM_SHOWWINDOW:
    case win::WM_PAINT:
    case CM_SHOWINGCHANGED:
    case CM_VISIBLECHANGED:
    case CM_PARENTWINDOWPOSCHANGED:
        UpdatePlacement();
        break;
    default:
        break;
    }
}

} // namespace vcl
