// The popup menu window: creation, size, hiding on deactivation and the placement helpers that the
// option popups share.

#include "components/toolbar/options/PopupMenuWindow.h"

#include "components/toolbar/dock/ToolBar.h"
#include "platform/vcl/Screen.h"

namespace AdvToolBar {

namespace popups {

win::HWND TopMostAncestor(win::HWND Window) {
    for (win::HWND p = Window; p != nullptr; p = win::GetParent(p))
        Window = p;
    return Window;
}

vcl::TRect WorkAreaAt(vcl::TPoint P) {
    // The work area of the monitor holding the point, not the primary one: a popup opened on a second
    // monitor is kept on that monitor.
    if (vcl::TMonitor* m = vcl::GetScreen()->MonitorFromPoint(P)) return m->WorkareaRect();
    win::RECT r{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

vcl::TPoint FitPopup(vcl::TPoint P, vcl::TSize Size, int LeftX) {
    const vcl::TRect work = WorkAreaAt(P);
    if (P.Y + Size.cy + 2 > work.Bottom) P.Y -= P.Y + Size.cy + 2 - work.Bottom;
    if (P.X + Size.cx > work.Right) P.X = LeftX - Size.cx;
    return P;
}

void MakePopupParams(vcl::TCreateParams& Params, win::HWND Owner) {
    Params.Style = (Params.Style & ~win::WS_CHILD) | win::WS_POPUP;
    if (Owner != nullptr) Params.WndParent = Owner;
}

} // namespace popups

TATBPopupWindow::TATBPopupWindow(vcl::TComponent* AOwner) : vcl::TCustomForm(AOwner) {
    Init();
}

TATBPopupWindow::TATBPopupWindow(vcl::TComponent* AOwner, int) : vcl::TCustomForm(AOwner) {
    FOwnerControl = AOwner;
    Init();
    CreatePopupPanel();
}

void TATBPopupWindow::Init() {
    FHideOnDeActivate = true;
    FHideTimer = std::make_unique<vcl::TTimer>(nullptr);
    FHideTimer->SetEnabled(false);
    FHideTimer->SetInterval(1);
    FHideTimer->OnTimer = [this](vcl::TObject* Sender) { HideTimerOnTime(Sender); };
    // Placed where its caller puts it, never by the window system.
    SetPosition(vcl::poDesigned);
}

TATBPopupWindow::~TATBPopupWindow() {
    FHideTimer.reset();
}

void TATBPopupWindow::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TCustomForm::Notification(AComponent, Operation);
    if (Operation == vcl::opRemove && AComponent == FPopupPanel) FPopupPanel = nullptr;
}

void TATBPopupWindow::CreatePopupPanel() {
    FPopupPanel = new TATBPopupPanel(this);
    FPopupPanel->SetParent(this);
}

void TATBPopupWindow::CreateItems() {
    FRootItem = std::make_unique<TATBMenuItem>();
    if (FPopupPanel != nullptr) FPopupPanel->SetItems(FRootItem.get());
}

void TATBPopupWindow::SetWindowSize() {
    if (FPopupPanel == nullptr) return;
    SetHeight(FPopupPanel->GetVisibleHeight());
    SetWidth(FPopupPanel->Width());
}

void TATBPopupWindow::Hide() {
    if (FPopupPanel != nullptr) FPopupPanel->BeforeHide();
    vcl::TCustomForm::Hide();
}

void TATBPopupWindow::HideTimerOnTime(vcl::TObject*) {
    Hide();
    FHideTimer->SetEnabled(false);
    if (OnDeActivateHide) OnDeActivateHide(this);
}

win::HWND TATBPopupWindow::GetParentWnd() const {
    vcl::TWinControl* from = FAdvToolBar;
    if (from == nullptr) from = dynamic_cast<vcl::TWinControl*>(FOwnerControl);
    if (from == nullptr || !from->HandleAllocated()) return nullptr;
    win::HWND parent = win::GetParent(from->WindowHandle());
    return parent != nullptr ? popups::TopMostAncestor(parent) : nullptr;
}

void TATBPopupWindow::CreateParams(vcl::TCreateParams& Params) {
    vcl::TCustomForm::CreateParams(Params);
    // An ordinary borderless top-level form, which belongs to the window of the toolbar it serves.
    popups::MakePopupParams(Params, GetParentWnd());
}

void TATBPopupWindow::WndProc(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_ACTIVATE:
        vcl::TCustomForm::WndProc(Message);
        WMActivate(Message);
        return;
    case win::WM_NCHITTEST:
        WMNCHitTest(Message);
        return;
    default:
        vcl::TCustomForm::WndProc(Message);
    }
}

void TATBPopupWindow::WMActivate(vcl::TMessage& Message) {
    if (Message.WParamLo() == win::WA_INACTIVE) {
        if (FHideOnDeActivate && Visible()) FHideTimer->SetEnabled(true);
        return;
    }
    if (FPopupPanel == nullptr) return;
    if (FPopupPanel->CanFocus()) FPopupPanel->SetFocus();
    // The owning form keeps an active caption while its popup is up.
    if (win::HWND owner = GetParentWnd()) win::SendMessage(owner, win::WM_NCACTIVATE, 1, 0);
}

void TATBPopupWindow::WMNCHitTest(vcl::TMessage& Message) {
    vcl::TPoint p = ScreenToClient(
        vcl::TPoint{static_cast<short>(Message.LParamLo()), static_cast<short>(Message.LParamHi())});
    Message.Result = (p.X > Width() - 10 && p.Y > Height() - 10) ? win::HTBOTTOMRIGHT : win::HTNOWHERE;
}

} // namespace AdvToolBar
