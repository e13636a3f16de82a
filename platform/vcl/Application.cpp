// The application: the message loop, exceptions and the error box, and the hint machinery.

#include "platform/vcl/Application.h"

#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Input.h"

namespace vcl {

namespace {

enum HintMode { hmNone = 0, hmShow = 1, hmHide = 2, hmShort = 3 };

// The control under a screen point: the control of the window there (or of its nearest parent that is a
// control's), or its windowless child at that place.
TControl* ControlAtScreen(TPoint Pos) {
    win::HWND h = win::WindowFromPoint(Pos);
    TWinControl* w = nullptr;
    for (; h && !w; h = win::GetParent(h))
        w = FindControl(h);
    if (!w) return nullptr;
    if (TControl* child = w->ControlAtPos(w->ScreenToClient(Pos), true, false))
        if (!dynamic_cast<TWinControl*>(child)) return child;
    return w;
}

} // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() {
    BeforeDestruction();
    StopHintTimer();
}

String TApplication::ExeName() const {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? String(buf, static_cast<size_t>(n)) : String();
}

// ---- Forms

void TApplication::FormCreated(TCustomForm* Form) {
    if (!FMainForm) {
        FMainForm = Form;
        Form->FreeNotification(this);
    }
}

void TApplication::FormDestroyed(TCustomForm* Form) {
    if (FMainForm == Form) FMainForm = nullptr;
    FReleased.erase(std::remove(FReleased.begin(), FReleased.end(), Form), FReleased.end());
    if (FHintControl && (FHintControl == Form || Form->ContainsControl(FHintControl))) CancelHint();
}

void TApplication::ReleaseForm(TCustomForm* Form) {
    if (std::find(FReleased.begin(), FReleased.end(), Form) == FReleased.end()) FReleased.push_back(Form);
}

void TApplication::FreeReleasedForms() {
    while (!FReleased.empty()) {
        TCustomForm* f = FReleased.back();
        FReleased.pop_back();
        FreeComponent(f);
    }
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == static_cast<TComponent*>(FMainForm)) FMainForm = nullptr;
    if (AComponent == static_cast<TComponent*>(FHintControl)) CancelHint();
    if (AComponent == static_cast<TComponent*>(FHintWindow)) FHintWindow = nullptr;
}

win::HWND TApplication::ActiveFormHandle() const {
    win::HWND h = win::GetActiveWindow();
    if (h) return h;
    TCustomForm* f = GetScreen()->ActiveForm();
    return f && f->HandleAllocated() ? f->WindowHandle() : nullptr;
}

void TApplication::BringToFront() {
    if (TCustomForm* f = GetScreen()->ActiveForm())
        f->BringToFront();
    else if (FMainForm)
        FMainForm->BringToFront();
}

void TApplication::Minimize() {
    if (FMainForm) FMainForm->SetWindowState(wsMinimized);
}

void TApplication::Restore() {
    if (FMainForm && FMainForm->WindowState() == wsMinimized) FMainForm->SetWindowState(wsNormal);
}

void TApplication::ResetState() {
    CancelHint();
    if (FHintWindow) {
        THintWindow* w = FHintWindow;
        FHintWindow = nullptr;
        FreeComponent(w);
    }
    FreeReleasedForms();
    FMainForm = nullptr;
    FTerminated = false;
    FModalLevel = 0;
    FTitle = "Kalvenor";
    FShowHint = true;
    FHintPause = 500;
    FHintShortPause = 50;
    FHintHidePause = 2500;
    FHintColor = clInfoBk;
    FHintTimerMode = 0;
    FHint.clear();
    OnException = nullptr;
    OnMessage = nullptr;
    OnIdle = nullptr;
    OnHint = nullptr;
    OnShowHint = nullptr;
    OnModalBegin = nullptr;
    OnModalEnd = nullptr;
    IdleHook = nullptr;
}

// ---- The loop

void TApplication::Run() {
    if (FMainForm && FShowMainForm) {
        if (FMainForm->WindowState() == wsMinimized) FMainForm->SetWindowState(wsMinimized);
        FMainForm->SetVisible(true);
    }
    while (!FTerminated) {
        try {
            HandleMessage();
        } catch (win::EMessageLoopIdle&) {
            throw;
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Terminate() {
    win::PostQuitMessage(0);
}

bool TApplication::ProcessMessage(win::MSG& Msg) {
    if (!win::PeekMessage(&Msg, nullptr, 0, 0, win::PM_REMOVE)) return false;
    if (Msg.message == win::WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) OnMessage(Msg, handled);
    if (handled) return true;
    if (Msg.message == CM_RELEASE) {
        if (TWinControl* c = FindControl(Msg.hwnd))
            if (TCustomForm* f = c->AsForm()) ReleaseForm(f);
        FreeReleasedForms();
        return true;
    }
    HintMouseMessage(Msg);
    ActivateMDIChildOnClick(Msg);
    win::TranslateMessage(&Msg);
    win::DispatchMessage(&Msg);
    return true;
}

void TApplication::ProcessMessages() {
    win::MSG msg{};
    while (true) {
        bool any;
        try {
            any = ProcessMessage(msg);
        } catch (win::EMessageLoopIdle&) {
            throw;
        } catch (...) {
            HandleException(this);
            any = true;
        }
        if (!any) break;
    }
    FreeReleasedForms();
}

void TApplication::HandleMessage() {
    win::MSG msg{};
    bool any;
    try {
        any = ProcessMessage(msg);
    } catch (win::EMessageLoopIdle&) {
        throw;
    } catch (...) {
        HandleException(this);
        any = true;
    }
    if (!any) {
        if (Idle(msg) || FTerminated) return;
        win::WaitMessage();
    }
}

bool TApplication::Idle(const win::MSG&) {
    bool acted = !FReleased.empty();
    FreeReleasedForms();
    if (IdleHook && IdleHook()) acted = true;
    bool done = true;
    if (OnIdle) {
        try {
            OnIdle(this, done);
        } catch (win::EMessageLoopIdle&) {
            throw;
        } catch (...) {
            HandleException(this);
        }
    }
    return acted || !done;
}

void TApplication::ModalStarted() {
    ++FModalLevel;
    CancelHint();
    if (FModalLevel == 1 && OnModalBegin) OnModalBegin(this);
}

void TApplication::ModalFinished() {
    if (FModalLevel > 0) --FModalLevel;
    if (FModalLevel == 0 && OnModalEnd) OnModalEnd(this);
}

// A click anywhere in an MDI child brings it to the front (the parent frame stays the active window).
void TApplication::ActivateMDIChildOnClick(const win::MSG& Msg) {
    using namespace win;
    UINT m = Msg.message;
    if (m != WM_LBUTTONDOWN && m != WM_RBUTTONDOWN && m != WM_MBUTTONDOWN && m != WM_NCLBUTTONDOWN &&
        m != WM_NCRBUTTONDOWN)
        return;
    TWinControl* w = nullptr;
    for (HWND h = Msg.hwnd; h && !w; h = GetParent(h))
        w = FindControl(h);
    for (TControl* c = w; c; c = c->Parent()) {
        if (auto* wc = dynamic_cast<TWinControl*>(c))
            if (TCustomForm* f = wc->AsForm(); f && f->FormStyle() == fsMDIChild) {
                if (f->HandleAllocated() &&
                    GetWindow(GetParent(f->WindowHandle()), GW_CHILD) != f->WindowHandle())
                    f->BringToFront();
                return;
            }
    }
}

// ---- Exceptions

void TApplication::HandleException(TObject* Sender) {
    std::exception_ptr current = std::current_exception();
    if (!current) return;
    try {
        std::rethrow_exception(current);
    } catch (win::EMessageLoopIdle&) {
        throw; // the test harness's signal, not an error of the program
    } catch (EAbort&) {
    } catch (std::exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    } catch (...) {
        Exception e("Unknown exception");
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& E) {
    String msg = E.what();
    if (const auto* ve = dynamic_cast<const Exception*>(&E)) msg = ve->Message;
    while (!msg.empty() && (msg.back() == '\n' || msg.back() == '\r' || msg.back() == ' '))
        msg.pop_back();
    // A sentence gets its full stop; a message that ends in punctuation keeps it.
    if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.') msg += '.';
    MessageBox(msg, FTitle, win::MB_OK | win::MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, unsigned Flags) {
    return vcl::MessageBox(ActiveFormHandle(), Text, Caption.empty() ? FTitle : Caption, Flags);
}

// ---- Hints

void TApplication::SetShowHint(bool Value) {
    if (FShowHint == Value) return;
    FShowHint = Value;
    if (!Value) CancelHint();
}

void TApplication::SetHintColor(TColor Value) {
    FHintColor = Value;
    if (FHintWindow) FHintWindow->SetColor(Value);
}

void TApplication::SetHint(const String& Value) {
    if (FHint == Value) return;
    FHint = Value;
    if (OnHint) OnHint(this);
}

void TApplication::HintTimerProc(win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {
    GetApplication()->HintTimerExpired();
}

void TApplication::StartHintTimer(int Pause, int Mode) {
    StopHintTimer();
    FHintTimerMode = Mode;
    FHintTimerId =
        win::SetTimer(nullptr, 0, static_cast<win::UINT>(std::max(Pause, 1)), &TApplication::HintTimerProc);
}

void TApplication::StopHintTimer() {
    if (FHintTimerId) win::KillTimer(nullptr, FHintTimerId);
    FHintTimerId = 0;
    FHintTimerMode = hmNone;
}

void TApplication::SetHintControl(TControl* Control) {
    if (FHintControl == Control) return;
    if (FHintControl) FHintControl->RemoveFreeNotification(this);
    FHintControl = Control;
    if (FHintControl) FHintControl->FreeNotification(this);
}

namespace {

// The window that gets a control's mouse messages: its own, or its parent's for a control without one.
win::HWND WindowOf(TControl* Control) {
    for (TControl* c = Control; c; c = c->Parent())
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated()) return w->WindowHandle();
    return nullptr;
}

} // namespace

void TApplication::HintMouseMessage(const win::MSG& Msg) {
    using namespace win;
    UINT m = Msg.message;
    bool mouseDown = m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN ||
                     m == WM_NCLBUTTONDOWN || m == WM_LBUTTONDBLCLK || m == WM_MOUSEWHEEL;
    bool keyDown = m == WM_KEYDOWN || m == WM_SYSKEYDOWN;
    if (mouseDown || keyDown) {
        CancelHint();
        return;
    }
    // The pointer leaving the window of the hint's control goes to a control without a hint: into a window
    // not ours (the page, another program) no move follows; into one of ours its move comes next.
    const bool left = m == WM_MOUSELEAVE && FHintControl && Msg.hwnd == WindowOf(FHintControl);
    if (m != WM_MOUSEMOVE && m != WM_NCMOUSEMOVE && !left) return;
    if (FHintWindow && Msg.hwnd && FHintWindow->HandleAllocated() && Msg.hwnd == FHintWindow->WindowHandle())
        return;
    TPoint pos{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
    if (m == WM_MOUSEMOVE) ClientToScreen(Msg.hwnd, &pos);
    TControl* control = left ? nullptr : ControlAtScreen(pos);
    if (control && !control->Showing()) control = nullptr;
    TControl* hintSource = control;
    // A control without a hint of its own shows its parent's (as far as the hint is inherited).
    while (hintSource && hintSource->GetHint().empty() && hintSource->Parent())
        hintSource = hintSource->Parent();
    if (hintSource && hintSource->GetHint().empty()) hintSource = nullptr;
    SetHint(hintSource ? hintSource->GetHint() : String());
    if (control == FHintControl) {
        // Moving out of the rectangle the control gave for its hint shows it again for the new place.
        if (FHintActive && !FHintCursorRect.Contains(pos)) {
            HideHint();
            StartHintTimer(FHintShortPause, hmShow);
        }
        return;
    }
    bool wasActive = FHintActive;
    HideHint();
    SetHintControl(control);
    if (!control || !FShowHint || !control->ShowHint() || control->GetHint().empty()) {
        // A hint shown a moment ago makes the next one come quickly.
        if (wasActive)
            StartHintTimer(FHintPause, hmShort);
        else if (FHintTimerMode != hmShort)
            StopHintTimer();
        return;
    }
    bool shortPause = wasActive || FHintTimerMode == hmShort;
    StartHintTimer(shortPause ? FHintShortPause : FHintPause, hmShow);
}

void TApplication::HintTimerExpired() {
    int mode = FHintTimerMode;
    StopHintTimer();
    switch (mode) {
    case hmShow: {
        win::POINT p{};
        win::GetCursorPos(&p);
        try {
            ActivateHint(p);
        } catch (win::EMessageLoopIdle&) {
            throw;
        } catch (...) {
            HandleException(this);
        }
        break;
    }
    case hmHide:
        HideHint();
        break;
    default:
        break;
    }
}

void TApplication::ActivateHint(TPoint CursorPos) {
    TControl* control = ControlAtScreen(CursorPos);
    if (!control || !FShowHint || !control->ShowHint() || control->GetHint().empty()) {
        HideHint();
        return;
    }
    SetHintControl(control);
    THintInfo info;
    info.HintControl = control;
    info.HintWindowClass = THintWindow::StaticClassType();
    info.CursorPos = control->ScreenToClient(CursorPos);
    info.CursorRect = control->ClientRect();
    info.HintPos = {CursorPos.X, CursorPos.Y + 20};
    info.HintMaxWidth = GetScreen()->Width();
    info.HintColor = FHintColor;
    info.HintStr = GetShortHint(control->GetHint());
    info.ReshowTimeout = 0;
    info.HideTimeout = FHintHidePause;
    info.HintData = nullptr;
    bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<win::LPARAM>(&info)) == 0;
    if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
    // The control may have changed who shows the hint.
    TControl* shown = info.HintControl ? info.HintControl : control;
    if (!canShow || info.HintStr.empty()) {
        HideHint();
        FHintCursorRect = Rect(0, 0, 0, 0);
        return;
    }
    TPoint rectOrigin = shown->ClientToScreen(info.CursorRect.TopLeft());
    FHintCursorRect = Bounds(rectOrigin.X, rectOrigin.Y, info.CursorRect.Width(), info.CursorRect.Height());
    if (!FHintWindow) {
        FHintWindow = new THintWindow(this);
    }
    FHintWindow->SetColor(static_cast<TColor>(info.HintColor));
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    r = Bounds(info.HintPos.X, info.HintPos.Y, r.Width(), r.Height());
    FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
    FHintActive = true;
    if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout, hmHide);
}

void TApplication::HideHint() {
    if (FHintWindow && FHintWindow->HandleAllocated() && win::IsWindowVisible(FHintWindow->WindowHandle()))
        win::ShowWindow(FHintWindow->WindowHandle(), win::SW_HIDE);
    FHintActive = false;
}

void TApplication::CancelHint() {
    StopHintTimer();
    HideHint();
    SetHintControl(nullptr);
    if (FHintWindow) FHintWindow->ReleaseHandle();
}

// ---- Hint texts

String GetShortHint(const String& Hint) {
    size_t bar = Hint.find('|');
    return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint) {
    size_t bar = Hint.find('|');
    return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

// ---- The global

TApplication* GetApplication() {
    static TApplication* app = new TApplication(nullptr);
    return app;
}

TApplication* Application = GetApplication();

} // namespace vcl
