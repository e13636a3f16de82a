#include "components/toolbar/pager/VistaButtons.h"

#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"

namespace AdvToolBar {

using AdvGlowButton::TGlowButtonAppearance;
using AdvGlowButton::TGlowColorSet;

AdvGlowButton::TGlowColorSet VistaButtonColors(const TGlowButtonAppearance& A, bool Enabled, bool Pressed,
                                               bool Hot, TButtonPosition Position) {
    if (!Enabled) return A.DisabledColors();
    if (Pressed) {
        TGlowColorSet s = A.DownColors();
        // Inside a group a pressed button keeps the group's outline.
        if (Position != bpStandalone) s.BorderColor = A.BorderColor();
        return s;
    }
    return Hot ? A.HotColors() : A.NormalColors();
}

void DrawScrollArrow(vcl::TCanvas* C, TScrollArrow Arrow, int CX, int CY) {
    auto line = [C](int x1, int y1, int x2, int y2) {
        C->MoveTo(x1, y1);
        C->LineTo(x2, y2);
    };
    switch (Arrow) {
    case saLeft:
        C->SetPixel(CX - 1, CY, C->Pen()->Color());
        line(CX, CY - 1, CX, CY + 2);
        line(CX + 1, CY - 2, CX + 1, CY + 3);
        break;
    case saRight:
        line(CX - 1, CY - 2, CX - 1, CY + 3);
        line(CX, CY - 1, CX, CY + 2);
        C->SetPixel(CX + 1, CY, C->Pen()->Color());
        break;
    default:
        break;
    }
}

namespace {

TVistaButtonPosition FacePosition(TButtonPosition P) {
    switch (P) {
    case bpLeft:
        return TVistaButtonPosition::Left;
    case bpMiddle:
        return TVistaButtonPosition::Middle;
    case bpRight:
        return TVistaButtonPosition::Right;
    case bpStandalone:
        break;
    }
    return TVistaButtonPosition::Single;
}

void DrawFace(vcl::TCanvas* C, const vcl::TRect& R, const TGlowColorSet& s, TButtonPosition Position,
              bool NoFace) {
    DrawVistaButton(C, R, s.Color, s.ColorTo, s.ColorMirror, s.ColorMirrorTo, s.BorderColor, s.Gradient,
                    s.GradientMirror, NoFace, false, FacePosition(Position));
}

void SetArrowPen(vcl::TCanvas* C, TColor Border) {
    C->Pen()->SetStyle(vcl::psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(BlendColor(vcl::clBlack, Border, 50));
}

template <typename Button> void FollowMouse(Button* B, bool Inside, bool& Hot, bool Repaint) {
    if (B->ComponentState().Contains(vcl::csDesigning) || Hot == Inside) return;
    Hot = Inside;
    if (B->Enabled() && Repaint) B->Invalidate();
    auto& event = Inside ? B->OnMouseEnter : B->OnMouseLeave;
    if (event) event(B);
}

// A left press on an enabled button at run time holds it down.
void BeginPress(vcl::TControl* B, vcl::TMouseButton Button, bool& Pressed) {
    if (Button != vcl::mbLeft || !B->Enabled() || B->ComponentState().Contains(vcl::csDesigning)) return;
    Pressed = true;
    B->Invalidate();
}

// The release clicks a held button. The click is the button's own: csClickEvents is off, so the
// framework does not click it as well.
void EndPress(vcl::TControl* B, bool& Pressed) {
    if (B->ComponentState().Contains(vcl::csDesigning)) return;
    const bool wasPressed = Pressed;
    B->Invalidate();
    Pressed = false;
    if (wasPressed && B->Enabled()) B->Click();
}

} // namespace

// ---- TAdvPageScrollButton

TAdvPageScrollButton::TAdvPageScrollButton(vcl::TComponent* AOwner)
    : vcl::TCustomControl(AOwner), FAppearance(std::make_unique<TGlowButtonAppearance>()) {
    FControlStyle = vcl::TControlStyle{vcl::csCaptureMouse, vcl::csDoubleClicks};
    FAppearance->OnChange = [this](vcl::TObject*) { Invalidate(); };
    SetBounds(0, 0, 23, 22);
    SetParentFont(true);
    Font()->SetName("Tahoma");
    SetShowHint(false);
}

TAdvPageScrollButton::~TAdvPageScrollButton() = default;

void TAdvPageScrollButton::SetScrollArrow(TScrollArrow Value) {
    if (FScrollArrow == Value) return;
    FScrollArrow = Value;
    Invalidate();
}

void TAdvPageScrollButton::WndProc(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case vcl::CM_MOUSEENTER:
    case vcl::CM_MOUSELEAVE:
        vcl::TCustomControl::WndProc(Message);
        if (Message.LParam == 0) FollowMouse(this, Message.Msg == vcl::CM_MOUSEENTER, FHot, true);
        return;
    case win::WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        vcl::TCustomControl::WndProc(Message);
    }
}

void TAdvPageScrollButton::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomControl::MouseDown(Button, Shift, X, Y);
    BeginPress(this, Button, FPressed);
}

void TAdvPageScrollButton::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomControl::MouseUp(Button, Shift, X, Y);
    EndPress(this, FPressed);
}

void TAdvPageScrollButton::PaintParentBackground(vcl::TCanvas* C, const vcl::TRect& R) {
    vcl::TWinControl* parent = Parent();
    if (parent == nullptr) return;
    vcl::TBitmap back(Width() + Left(), Height() + Top());
    win::HDC dc = back.Canvas()->Handle();
    const int saved = win::SaveDC(dc);
    parent->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), reinterpret_cast<win::LPARAM>(dc));
    parent->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
    win::RestoreDC(dc, saved);
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            C->SetPixel(x, y, back.Canvas()->GetPixel(x + Left(), y + Top()));
}

void TAdvPageScrollButton::Paint() {
    vcl::TCanvas* c = Canvas();
    const vcl::TRect r{0, 0, Width(), Height()};
    if (FTransparent && !FHot) PaintParentBackground(c, r);
    const TGlowColorSet s = VistaButtonColors(*FAppearance, Enabled(), FPressed, FHot, FButtonPosition);
    DrawFace(c, r, s, FButtonPosition, FTransparent && !FHot && !FPressed);
    SetArrowPen(c, s.BorderColor);
    DrawScrollArrow(c, FScrollArrow, Width() / 2, Height() / 2);

    if (Parent() == nullptr || (FTransparent && !FHot)) return;
    // The outer corners show the parent, so that the button looks rounded.
    const bool left = FButtonPosition == bpStandalone || FButtonPosition == bpLeft;
    const bool right = FButtonPosition == bpStandalone || FButtonPosition == bpRight;
    const int w = Width(), h = Height();
    if (left) {
        PaintParentBackground(c, {0, 0, 1, 1});
        PaintParentBackground(c, {0, h - 1, 1, h});
    }
    if (right) {
        PaintParentBackground(c, {w - 1, 0, w, 1});
        PaintParentBackground(c, {w - 1, h - 1, w, h});
    }
}

// ---- TAdvVistaButton

TAdvVistaButton::TAdvVistaButton(vcl::TComponent* AOwner)
    : vcl::TGraphicControl(AOwner), FAppearance(std::make_unique<TGlowButtonAppearance>()) {
    FControlStyle = vcl::TControlStyle{vcl::csCaptureMouse, vcl::csDoubleClicks};
    FAppearance->OnChange = [this](vcl::TObject*) { Invalidate(); };
    SetBounds(0, 0, 23, 22);
    SetParentFont(true);
    Font()->SetName("Tahoma");
    SetShowHint(false);
}

TAdvVistaButton::~TAdvVistaButton() = default;

void TAdvVistaButton::SetScrollArrow(TScrollArrow Value) {
    if (FScrollArrow == Value) return;
    FScrollArrow = Value;
    Invalidate();
}

void TAdvVistaButton::SetArrowStyle(TArrowStyle Value) {
    if (FArrowStyle == Value) return;
    FArrowStyle = Value;
    Invalidate();
}

void TAdvVistaButton::SetDown(bool Value) {
    if (FDown == Value) return;
    FDown = Value;
    Invalidate();
}

void TAdvVistaButton::WndProc(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case vcl::CM_MOUSEENTER:
    case vcl::CM_MOUSELEAVE:
        vcl::TGraphicControl::WndProc(Message);
        if (Message.LParam == 0) FollowMouse(this, Message.Msg == vcl::CM_MOUSEENTER, FHot, !FDown);
        return;
    default:
        vcl::TGraphicControl::WndProc(Message);
    }
}

void TAdvVistaButton::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    vcl::TGraphicControl::MouseDown(Button, Shift, X, Y);
    BeginPress(this, Button, FPressed);
}

void TAdvVistaButton::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    vcl::TGraphicControl::MouseUp(Button, Shift, X, Y);
    EndPress(this, FPressed);
}

void TAdvVistaButton::Paint() {
    vcl::TCanvas* c = Canvas();
    const vcl::TRect r{0, 0, Width(), Height()};
    const bool pressed = FPressed || FDown;
    const TGlowColorSet s = VistaButtonColors(*FAppearance, Enabled(), pressed, FHot, FButtonPosition);
    // A button at rest shows only its glyph.
    if (FHot || pressed || !Enabled()) DrawFace(c, r, s, FButtonPosition, false);
    SetArrowPen(c, s.BorderColor);
    auto line = [c](int x1, int y1, int x2, int y2) {
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    const int cx = Width() / 2, cy = Height() / 2;
    if (FScrollArrow == saLeft || (FScrollArrow == saRight && FArrowStyle == asSingle)) {
        DrawScrollArrow(c, FScrollArrow, cx, cy);
    } else if (FScrollArrow == saRight && FArrowStyle == asDouble) {
        const int R = r.Right, T = r.Top + 6;
        c->Pen()->SetColor(vcl::clBlack);
        line(R - 6, T + 5, R - 6, T + 8);
        line(R - 6, T + 6, R - 4, T + 6);
        line(R - 10, T + 5, R - 10, T + 8);
        line(R - 10, T + 6, R - 8, T + 6);
        c->Pen()->SetColor(vcl::clWhite);
        line(R - 5, T + 7, R - 5, T + 9);
        line(R - 5, T + 7, R - 3, T + 7);
        line(R - 9, T + 7, R - 9, T + 9);
        line(R - 9, T + 7, R - 7, T + 7);
    } else if (FScrollArrow == saBottom) {
        const int R = r.Right, B = r.Bottom - 4;
        c->Pen()->SetColor(vcl::clBlack);
        line(R - 9, B - 9, R - 4, B - 9);
        line(R - 9, B - 7, R - 4, B - 7);
        line(R - 8, B - 6, R - 5, B - 6);
        c->SetPixel(R - 7, B - 5, vcl::clBlack);
    }
}

} // namespace AdvToolBar
