#include "components/toolbar/dock/ToolBarSeparator.h"

#include "components/toolbar/dock/ToolBar.h"
#include "platform/classes/ClassRegistry.h"

namespace AdvToolBar {

// ---- TAdvToolBarSeparator

KV_PUBLISHED(TAdvToolBarSeparator) {
    p.Enum("SeparatorStyle", &TAdvToolBarSeparator::FSeparatorStyle, &TAdvToolBarSeparator::SetSeparatorStyle,
           ssOffice2003);
    p.Color("LineColor", &TAdvToolBarSeparator::FLineColor, &TAdvToolBarSeparator::SetLineColor,
            vcl::clBtnShadow);
}

KV_REGISTER_CLASS(TAdvToolBarSeparator)

TAdvToolBarSeparator::TAdvToolBarSeparator(vcl::TComponent* AOwner) : TAdvCustomToolBarControl(AOwner) {
    SetBounds(0, 0, 10, 22);
    SetAutoSize(true);
}

void TAdvToolBarSeparator::SetSeparatorStyle(TAdvSeparatorStyle Value) {
    if (FSeparatorStyle == Value) return;
    FSeparatorStyle = Value;
    Invalidate();
}

void TAdvToolBarSeparator::SetLineColor(TColor Value) {
    if (FLineColor == Value) return;
    FLineColor = Value;
    Invalidate();
}

void TAdvToolBarSeparator::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TAdvToolBarSeparator*>(Source);
    if (src == nullptr) {
        TAdvCustomToolBarControl::Assign(Source);
        return;
    }
    SetSeparatorStyle(src->FSeparatorStyle);
    SetLineColor(src->FLineColor);
}

void TAdvToolBarSeparator::AdjustSize() {
    if (!AutoSize() || ComponentState().Contains(vcl::csLoading)) return;
    if (IsHorizontal(FPosition)) {
        int h = FAdvToolBar != nullptr ? FAdvToolBar->Height() - 4 : Height();
        SetBounds(Left(), Top(), 10, h);
    } else {
        int w = FAdvToolBar != nullptr ? FAdvToolBar->Width() - 4 : Width();
        SetBounds(Left(), Top(), w, 10);
    }
}

void TAdvToolBarSeparator::Paint() {
    if (FSeparatorStyle == ssBlank) return;
    vcl::TCanvas* c = Canvas();
    vcl::TRect r = ClientRect();
    vcl::TPoint from, to;
    if (IsHorizontal(FPosition)) {
        int x = r.Left + (r.Right - r.Left) / 2;
        from = {x, r.Top + 3};
        to = {x, r.Bottom - 3};
    } else {
        int y = r.Top + (r.Bottom - r.Top) / 2;
        from = {r.Left + 3, y};
        to = {r.Right - 3, y};
    }
    c->Pen()->SetStyle(vcl::psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(FLineColor);
    c->MoveTo(from.X, from.Y);
    c->LineTo(to.X, to.Y);
    c->Pen()->SetColor(vcl::clWhite);
    c->MoveTo(from.X + 1, from.Y + 1);
    c->LineTo(to.X + 1, to.Y + 1);
}

} // namespace AdvToolBar
