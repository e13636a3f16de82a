#include "platform/vcl/Panel.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Gdi.h"

namespace vcl {

KV_PUBLISHED(TCustomPanel) {
    p.Default("Color", clBtnFace);
    p.Default("ParentColor", false);
    p.Default("ParentBackground", true);
    p.Str("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption);
    p.Enum("Alignment", &TCustomPanel::FAlignment, &TCustomPanel::SetAlignment, taCenter);
    p.Enum("BevelInner", &TCustomPanel::FBevelInner, &TCustomPanel::SetBevelInner, bvNone);
    p.Enum("BevelOuter", &TCustomPanel::FBevelOuter, &TCustomPanel::SetBevelOuter, bvRaised);
    p.Int("BevelWidth", &TCustomPanel::FBevelWidth, &TCustomPanel::SetBevelWidth, 1);
    p.Enum("BorderStyle", &TCustomPanel::FBorderStyle, &TCustomPanel::SetBorderStyle, bsNone);
}

KV_REGISTER_CLASS(TPanel)

namespace stdctrls {

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    for (int i = 0; i < Width && Rect.Width() > 0 && Rect.Height() > 0; ++i) {
        int right = Rect.Right - 1;
        int bottom = Rect.Bottom - 1;
        Canvas->Pen()->SetColor(TopColor);
        Canvas->Polyline({TPoint{Rect.Left, bottom}, TPoint{Rect.Left, Rect.Top}, TPoint{right, Rect.Top}});
        Canvas->Pen()->SetColor(BottomColor);
        // The last point is drawn too (a polyline leaves out only its end point).
        Canvas->Polyline({TPoint{right, Rect.Top}, TPoint{right, bottom}, TPoint{Rect.Left - 1, bottom}});
        Rect = Inflate(Rect, -1, -1);
    }
}

void BevelColors(TBevelCut Cut, TColor& TopColor, TColor& BottomColor) {
    TopColor = Cut == bvLowered ? clBtnShadow : clBtnHighlight;
    BottomColor = Cut == bvLowered ? clBtnHighlight : clBtnShadow;
}

} // namespace stdctrls

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents,  csSetCaption,
                                  csOpaque,          csDoubleClicks, csReplicatable, csParentBackground};
    FColor = clBtnFace;
    FParentColor = false;
    SetBounds(0, 0, 185, 41);
}

TCustomPanel::~TCustomPanel() = default;

int TCustomPanel::FrameSize() const {
    int size = BorderWidth();
    if (FBorderStyle == bsSingle) size += 2;
    if (FBevelOuter != bvNone) size += FBevelWidth;
    if (FBevelInner != bvNone) size += FBevelWidth;
    return size;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    // BorderWidth is counted here with the bevels (the base class would count it again).
    int size = FrameSize();
    Rect = stdctrls::Inflate(Rect, -size, -size);
}

void TCustomPanel::Changed() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    Changed();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    Changed();
}

void TCustomPanel::SetBevelWidth(int Value) {
    if (Value < 1) Value = 1;
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone && Value != bsSingle) throw EInvalidOperation("Invalid border style for a panel");
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    Changed();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    TColor top, bottom;
    if (FBorderStyle == bsSingle) {
        TRect edge = r;
        win::DrawEdge(c->Handle(), &edge, win::EDGE_SUNKEN, win::BF_RECT);
        r = stdctrls::Inflate(r, -2, -2);
    }
    if (FBevelOuter != bvNone) {
        stdctrls::BevelColors(FBevelOuter, top, bottom);
        if (FBevelOuter == bvSpace) top = bottom = Color();
        stdctrls::Frame3D(c, r, top, bottom, FBevelWidth);
    }
    stdctrls::Frame3D(c, r, Color(), Color(), BorderWidth());
    if (FBevelInner != bvNone) {
        stdctrls::BevelColors(FBevelInner, top, bottom);
        if (FBevelInner == bvSpace) top = bottom = Color();
        stdctrls::Frame3D(c, r, top, bottom, FBevelWidth);
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    String text = Caption();
    if (text.empty()) return;
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    win::HDC dc = c->Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    win::SetTextColor(dc, graphics::ToColorRef(Enabled() ? Font()->Color() : clGrayText));
    win::UINT flags = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_EXPANDTABS;
    flags |= FAlignment == taCenter         ? win::DT_CENTER
             : FAlignment == taRightJustify ? win::DT_RIGHT
                                            : win::DT_LEFT;
    win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

void TCustomPanel::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

} // namespace vcl
