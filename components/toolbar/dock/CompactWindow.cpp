#include "components/toolbar/dock/CompactWindow.h"

#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/ToolBar.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/Region.h"
#include "platform/win/Window.h"

namespace AdvToolBar {

namespace {

// The class-style drop shadow exists from Windows XP (NT 5.1) on.
bool HasDropShadow() {
    vcl::TOSVersionInfo v;
    if (!vcl::SysInfo().GetVersionEx(v)) return false;
    return v.dwPlatformId == vcl::VER_PLATFORM_WIN32_NT &&
           (v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion >= 1));
}

} // namespace

TCompactWindow::TCompactWindow(vcl::TComponent* AOwner) : vcl::TCustomForm(AOwner) {
    Init();
}

TCompactWindow::TCompactWindow(vcl::TComponent* AOwner, int) : vcl::TCustomForm(AOwner) {
    Init();
}

void TCompactWindow::Init() {
    FOwner = dynamic_cast<TAdvCustomToolBar*>(Owner());
    FHideTimer = std::make_unique<vcl::TTimer>(nullptr);
    FHideTimer->SetInterval(1);
    FHideTimer->SetEnabled(false);
    FHideTimer->OnTimer = [this](vcl::TObject* Sender) { HideTimerOnTime(Sender); };
}

TCompactWindow::~TCompactWindow() {
    BeforeDestruction();
    FHideTimer.reset();
}

void TCompactWindow::SetDropDownButton(AdvGlowButton::TAdvGlowButton* Value) {
    if (FDropDownButton == Value) return;
    if (FDropDownButton != nullptr) FDropDownButton->RemoveFreeNotification(this);
    FDropDownButton = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TCompactWindow::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TCustomForm::Notification(AComponent, Operation);
    if (Operation != vcl::opRemove) return;
    // The compact button goes before the window when the toolbar un-compacts: forget it then.
    if (AComponent == FDropDownButton) FDropDownButton = nullptr;
    if (AComponent == FAdvToolBar) FAdvToolBar = nullptr;
}

void TCompactWindow::CreateParams(vcl::TCreateParams& Params) {
    vcl::TCustomForm::CreateParams(Params);
    // A popup owned by the toolbar's form, not a child drawn inside the toolbar.
    Params.Style = (Params.Style & ~win::WS_CHILD) | win::WS_POPUP;
    Params.WndParent = GetParentWnd();
    if (HasDropShadow()) Params.WindowClass.style |= win::CS_DROPSHADOW;
}

void TCompactWindow::SetWindowSize() {
    if (FAdvToolBar == nullptr) return;
    SetHeight(FAdvToolBar->Height() + 2);
    SetWidth(FAdvToolBar->Width() + 2);
    FAdvToolBar->SetLeft(1);
    FAdvToolBar->SetTop(1);
    if (TCustomAdvToolBarStyler* styler = FAdvToolBar->CurrentStyler()) SetColor(styler->Color()->Color());
}

win::HWND TCompactWindow::GetParentWnd() const {
    if (FOwner == nullptr || !FOwner->HandleAllocated()) return nullptr;
    win::HWND h = FOwner->WindowHandle();
    while (win::HWND parent = win::GetParent(h))
        h = parent;
    return h;
}

void TCompactWindow::HideTimerOnTime(vcl::TObject*) {
    Hide();
    FHideTimer->SetEnabled(false);
}

void TCompactWindow::DoHide() {
    vcl::TCustomForm::DoHide();
    if (FDropDownButton != nullptr) FDropDownButton->SetDown(false);
    if (FOwner != nullptr) FOwner->OnCompactWindowHide(this);
}

void TCompactWindow::Paint() {
    vcl::TCanvas* c = Canvas();
    vcl::TRect r = ClientRect();
    r.Left -= 4;
    r.Top -= 4;
    r.Right += 4;
    r.Bottom += 4;
    c->Pen()->SetColor(Color());
    c->Brush()->SetColor(Color());
    c->Rectangle(r);
}

void TCompactWindow::WndProc(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_ACTIVATE:
        WMActivate(Message);
        return;
    case win::WM_NCHITTEST:
        WMNCHitTest(Message);
        return;
    default:
        break;
    }
    vcl::TCustomForm::WndProc(Message);
}

void TCompactWindow::WMActivate(vcl::TMessage& Message) {
    vcl::TCustomForm::WndProc(Message);
    if (!Visible()) {
        // Focusing the toolbar activates its form, which deactivates this window once more.
        if (FRefocusing) return;
        TFlagGuard refocusing(FRefocusing, true);
        if (FOwner != nullptr && FOwner->Visible() && FOwner->CanFocus()) FOwner->SetFocus();
        return;
    }
    if (Message.WParamLo() != win::WA_INACTIVE) {
        if (FAdvToolBar != nullptr && FAdvToolBar->CanFocus()) FAdvToolBar->SetFocus();
        // The form under the popup keeps its caption active.
        if (win::HWND top = GetParentWnd()) win::SendMessage(top, win::WM_NCACTIVATE, 1, 0);
        win::SetWindowRgn(Handle(), win::CreateRoundRectRgn(0, 0, ClientWidth(), ClientHeight(), 4, 4), 1);
    } else if (GetHideOnDeActivate()) {
        // A drop-down menu of a button in the window takes the activation without closing it.
        bool keep = FOwner != nullptr && FOwner->Visible() && FAdvToolBar != nullptr &&
                    FAdvToolBar->AnyDroppedDownButton();
        if (!keep) FHideTimer->SetEnabled(true);
    }
}

void TCompactWindow::WMNCHitTest(vcl::TMessage& Message) {
    // Elsewhere nothing: the clone covers the rest of the window.
    Message.Result = win::HTNOWHERE;
    const vcl::TPoint p =
        ScreenToClient(vcl::TPoint{win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)});
    if (p.X > Width() - 10 && p.Y > Height() - 10) Message.Result = win::HTBOTTOMRIGHT;
}

} // namespace AdvToolBar
