// The option window and the surface of its panels.

#include "components/toolbar/options/OptionWindow.h"

#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/options/PopupMenuWindow.h"
#include "components/toolbar/styler/ToolBarDraw.h"

namespace AdvToolBar {

// ---- TOptionSelectorPanel

TOptionSelectorPanel::TOptionSelectorPanel(vcl::TComponent* AOwner)
    : vcl::TCustomPanel(AOwner), FOwner(AOwner) {
    SetBevelOuter(vcl::bvNone);
    SetBevelWidth(1);
    SetColor(0xF7F8F9); // RGB(249, 248, 247)
}

void TOptionSelectorPanel::Paint() {
    vcl::TCustomPanel::Paint();
    vcl::TCanvas* c = Canvas();
    const int w = Width();
    const int h = Height();
    if (FColorTo != vcl::clNone)
        DrawGradient(c, Color(), FColorTo, 40, vcl::TRect{0, 0, w, h}, FGradientDirection == gdHorizontal);
    c->Brush()->SetStyle(vcl::bsClear);
    c->Pen()->SetStyle(vcl::psSolid);
    c->Pen()->SetColor(FWindowBorderColor);
    c->MoveTo(0, 0);
    c->LineTo(0, h);
    c->MoveTo(0, 0);
    c->LineTo(w - 1, 0);
    c->MoveTo(0, h - 1);
    c->LineTo(w - 1, h - 1);
    c->MoveTo(w - 1, h);
    c->LineTo(w - 1, -1);
}

// ---- TOptionSelectorWindow

TOptionSelectorWindow::TOptionSelectorWindow(vcl::TComponent* AOwner) : vcl::TCustomForm(AOwner) {
    Init();
}

TOptionSelectorWindow::TOptionSelectorWindow(vcl::TComponent* AOwner, int) : vcl::TCustomForm(AOwner) {
    FOwnerControl = AOwner;
    Init();
}

void TOptionSelectorWindow::Init() {
    FHideOnDeActivate = true;
    FHideTimer = std::make_unique<vcl::TTimer>(nullptr);
    FHideTimer->SetEnabled(false);
    FHideTimer->SetInterval(1);
    FHideTimer->OnTimer = [this](vcl::TObject* Sender) { HideTimerOnTime(Sender); };
    SetPosition(vcl::poDesigned);
}

TOptionSelectorWindow::~TOptionSelectorWindow() {
    FHideTimer.reset();
}

win::HWND TOptionSelectorWindow::GetParentWnd() const {
    auto* owner = dynamic_cast<vcl::TWinControl*>(FOwnerControl);
    if (owner == nullptr || !owner->HandleAllocated()) return nullptr;
    win::HWND parent = win::GetParent(owner->WindowHandle());
    return parent != nullptr ? popups::TopMostAncestor(parent) : nullptr;
}

void TOptionSelectorWindow::SetWindowSize() {
    if (FOptionsPanel == nullptr) return;
    SetHeight(FOptionsPanel->GetVisibleHeight());
    SetWidth(FOptionsPanel->Width());
}

void TOptionSelectorWindow::HideTimerOnTime(vcl::TObject*) {
    Hide();
    FHideTimer->SetEnabled(false);
}

void TOptionSelectorWindow::CreateParams(vcl::TCreateParams& Params) {
    vcl::TCustomForm::CreateParams(Params);
    // A top-level popup that belongs to the window of the toolbar it serves, wherever that toolbar is.
    popups::MakePopupParams(Params, GetParentWnd());
}

void TOptionSelectorWindow::WndProc(vcl::TMessage& Message) {
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

void TOptionSelectorWindow::WMActivate(vcl::TMessage& Message) {
    if (Message.WParamLo() == win::WA_INACTIVE) {
        if (FHideOnDeActivate && Visible()) FHideTimer->SetEnabled(true);
        return;
    }
    if (FOptionsPanel == nullptr || !Visible()) return;
    if (FOptionsPanel->CanFocus()) FOptionsPanel->SetFocus();
    // The owning form keeps an active caption while its popup is up.
    if (win::HWND owner = GetParentWnd()) win::SendMessage(owner, win::WM_NCACTIVATE, 1, 0);
}

void TOptionSelectorWindow::WMNCHitTest(vcl::TMessage& Message) {
    vcl::TPoint p = ScreenToClient(
        vcl::TPoint{static_cast<short>(Message.LParamLo()), static_cast<short>(Message.LParamHi())});
    Message.Result = (p.X > Width() - 10 && p.Y > Height() - 10) ? win::HTBOTTOMRIGHT : win::HTNOWHERE;
}

void TOptionSelectorWindow::DoHide() {
    vcl::TCustomForm::DoHide();
    if (FOptionsPanel != nullptr) FOptionsPanel->DoHide();
}

// ---- TAdvToolBarWindow

TAdvToolBarWindow::TAdvToolBarWindow(vcl::TComponent* AOwner)
    : vcl::TCustomForm(AOwner), FOwnerControl(AOwner) {
    SetColor(vcl::clSilver);
}

TAdvToolBarWindow::TAdvToolBarWindow(vcl::TComponent* AOwner, int) : TAdvToolBarWindow(AOwner) {}

void TAdvToolBarWindow::Paint() {
    vcl::TCustomForm::Paint();
    vcl::TCanvas* c = Canvas();
    const vcl::TRect client = GetClientRect();
    if (ColorTo != vcl::clNone)
        DrawGradient(c, Color(), ColorTo, 80, client, GradientDirection == gdHorizontal);
    const vcl::TRect band{client.Left, client.Top, client.Right, client.Top + 16};
    if (CaptionColor != vcl::clNone && CaptionColorTo != vcl::clNone) {
        DrawGradient(c, CaptionColor, CaptionColorTo, 80, band, true);
    } else {
        c->Brush()->SetStyle(vcl::bsSolid);
        c->Brush()->SetColor(CaptionColor);
        c->FillRect(band);
    }
}

} // namespace AdvToolBar
