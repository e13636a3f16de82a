#include "platform/vcl/Bevel.h"

#include "platform/classes/ClassRegistry.h"

namespace vcl {

KV_PUBLISHED(TBevel) {
    p.Enum("Shape", &TBevel::FShape, &TBevel::SetShape, bsBox);
    p.Enum("Style", &TBevel::FStyle, &TBevel::SetStyle, bsLowered);
}

KV_REGISTER_CLASS(TBevel)

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle.Include(csReplicatable);
    SetBounds(0, 0, 50, 50);
}

TBevel::~TBevel() = default;

void TBevel::SetShape(TBevelShape Value) {
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* c = Canvas();
    TColor dark = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor light = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width();
    const int h = Height();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    // A rectangle's top-left sides in the first colour, its bottom-right sides (corners included) in the
    // second; R's right and bottom are the last pixels drawn.
    auto bevelRect = [&](TRect r, TColor first, TColor second) {
        c->Pen()->SetColor(first);
        c->Polyline({TPoint{r.Left, r.Bottom}, TPoint{r.Left, r.Top}, TPoint{r.Right, r.Top}});
        c->Pen()->SetColor(second);
        c->Polyline({TPoint{r.Right, r.Top}, TPoint{r.Right, r.Bottom}, TPoint{r.Left - 1, r.Bottom}});
    };
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(color);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    switch (FShape) {
    case bsBox:
        bevelRect(TRect{0, 0, w - 1, h - 1}, dark, light);
        break;
    case bsFrame:
        bevelRect(TRect{1, 1, w - 1, h - 1}, light, light);
        bevelRect(TRect{0, 0, w - 2, h - 2}, dark, dark);
        break;
    case bsTopLine:
        line(dark, 0, 0, w, 0);
        line(light, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(dark, 0, h - 2, w, h - 2);
        line(light, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(dark, 0, 0, 0, h);
        line(light, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(dark, w - 2, 0, w - 2, h);
        line(light, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}

} // namespace vcl
