#include "components/foundation/GlowKeyTip.h"

#include <algorithm>

#include "components/foundation/AdvGlowButtonAppearance.h"
#include "platform/win/Gdi.h"

namespace AdvGlowButton {

using namespace vcl;

TShortCutHintWindow::TShortCutHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void TShortCutHintWindow::CreateParams(TCreateParams& Params) {
    THintWindow::CreateParams(Params);
    Params.Style &= ~win::WS_BORDER;
}

TSize TShortCutHintWindow::TipSize() {
    const TRect r = CalcHintRect(300, Caption(), nullptr);
    return TSize{std::max(r.Width() + 2, 12), std::max(r.Height() + 2, 12)};
}

void TShortCutHintWindow::ShowAt(TPoint Screen) {
    const TSize s = TipSize();
    if (Width() != s.cx || Height() != s.cy) SetBounds(Left(), Top(), s.cx, s.cy);
    ActivateHint(TRect{Screen.X, Screen.Y, Screen.X + s.cx, Screen.Y + s.cy}, Caption());
}

void TShortCutHintWindow::Paint() {
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    DrawSteppedGradient(c, clWhite, clSilver, false, r, 32);
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    String text = Caption();
    win::RECT tr{r.Left, r.Top, r.Right, r.Bottom};
    win::DrawText(c->Handle(), text.c_str(), -1, &tr, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(0x808080);
    c->RoundRect(r.Left, r.Top, r.Right, r.Bottom, 3, 3);
}

void TShortCutHintWindow::WndProc(TMessage& Message) {
    if (Message.Msg == win::WM_ERASEBKGND) {
        Message.Result = 1; // the gradient covers it all
        return;
    }
    THintWindow::WndProc(Message);
}

} // namespace AdvGlowButton
