#include "components/toolbar/pager/AdvToolBarForm.h"

#include "components/foundation/AdvStyleIF.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/win/Metrics.h"
#include "platform/win/Region.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"

namespace AdvToolBar {

KV_PUBLISHED(TAdvToolBarForm) {
    p.Default("BorderStyle", vcl::bsSingle);
}

KV_REGISTER_CLASS(TAdvToolBarForm)

TAdvToolBarForm::TAdvToolBarForm(vcl::TComponent* AOwner) : vcl::TForm(AOwner) {
    SetBorderStyle(vcl::bsSingle);
}

void TAdvToolBarForm::CreateParams(vcl::TCreateParams& Params) {
    vcl::TForm::CreateParams(Params);
    Params.Style = (Params.Style & ~win::WS_CAPTION) | win::WS_POPUP | win::WS_SYSMENU;
    if (!ComponentState().Contains(vcl::csDesigning)) Params.WindowClass.style |= win::CS_DROPSHADOW;
}

void TAdvToolBarForm::AdjustClientRect(vcl::TRect& Rect) {
    vcl::TForm::AdjustClientRect(Rect);
    if (AdvStyleIF::IsVista()) return;
    Rect = {Rect.Left + 1, Rect.Top + 1, Rect.Right - 2, Rect.Bottom - 2};
}

TColor TAdvToolBarForm::OutlineColor() {
    TColor color = vcl::clGray;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* pager = dynamic_cast<TAdvToolBarPager*>(Controls(i));
            pager != nullptr && pager->CurrentStyler())
            color = pager->CurrentStyler()->CaptionAppearance()->CaptionTextColor();
    if (vcl::ColorToRGB(color) == vcl::ColorToRGB(vcl::clWhite)) color = vcl::clBlack;
    return color;
}

void TAdvToolBarForm::Paint() {
    vcl::TForm::Paint();
    vcl::TCanvas* c = Canvas();
    c->Brush()->SetStyle(vcl::bsClear);
    c->Pen()->SetStyle(vcl::psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(OutlineColor());
    c->RoundRect(0, 0, Width() - 7, Height() - 7, 18, 18);
}

win::LRESULT TAdvToolBarForm::EdgeHitTest(vcl::TPoint P, win::LRESULT Inherited) const {
    const int x = P.X, y = P.Y, w = Width(), h = Height();
    // Later rules win: the corners over the edges.
    win::LRESULT r = Inherited;
    if (y < 3) r = win::HTTOP;
    if (x < 3) r = win::HTLEFT;
    if (x > w - 12) r = win::HTRIGHT;
    if (y > h - 12) r = win::HTBOTTOM;
    if (x > w - 20 && y > h - 20) r = win::HTBOTTOMRIGHT;
    if (x < 20 && y < 20) r = win::HTTOPLEFT;
    if (x > w - 20 && y < 20) r = win::HTTOPRIGHT;
    if (x < 20 && y > h - 20) r = win::HTBOTTOMLEFT;
    return r;
}

void TAdvToolBarForm::WMSize(vcl::TMessage& Message) {
    if (ComponentState().Contains(vcl::csDesigning) || AdvStyleIF::IsVista()) return;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* pager = dynamic_cast<TAdvToolBarPager*>(Controls(i))) {
            pager->SetCanMove(Message.WParam == win::SIZE_RESTORED);
            break;
        }
    if (HandleAllocated()) {
        win::HRGN rgn = win::CreateRoundRectRgn(3, 3, Width() - 3, Height() - 3, 18, 18);
        win::SetWindowRgn(Handle(), rgn, Visible());
    }
}

void TAdvToolBarForm::WMGetMinMaxInfo(vcl::TMessage& Message) {
    if (ComponentState().Contains(vcl::csDesigning) || !HandleAllocated()) return;
    auto* info = reinterpret_cast<win::MINMAXINFO*>(Message.LParam);
    win::HMONITOR monitor = win::MonitorFromWindow(Handle(), win::MONITOR_DEFAULTTONEAREST);
    win::MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (info == nullptr || monitor == nullptr || !win::GetMonitorInfo(monitor, &mi)) return;
    const int d = AdvStyleIF::IsVista() ? 0 : 3;
    const vcl::TRect work = mi.rcWork, mon = mi.rcMonitor;
    info->ptMaxPosition = {work.Left - mon.Left - d, work.Top - mon.Top - d};
    info->ptMaxSize = {work.Width() + 2 * d, work.Height() + 2 * d};
}

void TAdvToolBarForm::WndProc(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_SIZE:
        WMSize(Message);
        break;
    case win::WM_NCHITTEST: {
        vcl::TForm::WndProc(Message);
        if (ComponentState().Contains(vcl::csDesigning) || WindowState() != vcl::wsNormal) return;
        const vcl::TPoint p =
            ScreenToClient(vcl::TPoint{static_cast<short>(Message.LParam & 0xFFFF),
                                       static_cast<short>((Message.LParam >> 16) & 0xFFFF)});
        Message.Result = EdgeHitTest(p, Message.Result);
        return;
    }
    case win::WM_GETMINMAXINFO:
        vcl::TForm::WndProc(Message);
        WMGetMinMaxInfo(Message);
        return;
    default:
        break;
    }
    vcl::TForm::WndProc(Message);
}

} // namespace AdvToolBar
