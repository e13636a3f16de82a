// The toolbar's own painting: caption strip, body, bevel, drag grip, right handle with its chevron and
// option arrow, the caption's option indicator, rounded corners and border, and the floating caption's
// buttons. The controls on the toolbar paint themselves.

#include <algorithm>
#include <initializer_list>

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/Bitmap.h"
#include "platform/win/GdiText.h"

namespace AdvToolBar {

namespace {

constexpr TColor clNone = vcl::clNone;

struct TSeg {
    int X1, Y1, X2, Y2;
};

void Lines(vcl::TCanvas* C, TColor Color, std::initializer_list<TSeg> Segs) {
    C->Pen()->SetStyle(vcl::psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(Color);
    for (const TSeg& s : Segs) {
        C->MoveTo(s.X1, s.Y1);
        C->LineTo(s.X2, s.Y2);
    }
}

void Pixel(vcl::TCanvas* C, int X, int Y, TColor Color) {
    C->Pixels[X][Y] = Color;
}

// Fills R with Color alone when ColorTo is not set, else with Steps bands from Color to ColorTo.
void FillOrGradient(vcl::TCanvas* C, TColor Color, TColor ColorTo, int Steps, const vcl::TRect& R,
                    bool LeftToRight) {
    if (Color == clNone && ColorTo == clNone) return;
    if (Color == clNone || ColorTo == clNone) {
        TColor only = Color == clNone ? ColorTo : Color;
        C->Pen()->SetColor(only);
        C->Brush()->SetStyle(vcl::bsSolid);
        C->Brush()->SetColor(only);
        C->FillRect(R);
        return;
    }
    DrawGradient(C, Color, ColorTo, Steps, R, LeftToRight);
}

struct TBodyLook {
    TColor Color, ColorTo, Border;
    int Steps;
    bool LeftToRight;
    bool Round;
};

} // namespace

// ---- Geometry

bool TAdvCustomToolBar::GripDrawn() const {
    return DragGripShown();
}

bool TAdvCustomToolBar::RightHandleShown() const {
    return FShowPopupIndicator && FShowRightHandle && !IsFloating() && !FFullSize;
}

vcl::TRect TAdvCustomToolBar::GetCaptionRect() const {
    vcl::TRect r{0, 0, Width(), Height()};
    if (IsFloating()) {
        r.Bottom = r.Top + FCaptionHeight;
        return r;
    }
    if (!FShowCaption) return vcl::TRect{};
    if (Horizontal()) {
        if (FCaptionPosition == cpTop)
            r.Bottom = r.Top + FCaptionHeight;
        else
            r.Top = r.Bottom - FCaptionHeight;
    } else if (FCaptionPosition == cpTop) {
        r.Right = r.Left + FCaptionHeight;
    } else {
        r.Left = r.Right - FCaptionHeight;
    }
    return r;
}

vcl::TRect TAdvCustomToolBar::GetMyClientRect() const {
    vcl::TRect r{0, 0, Width(), Height()};
    vcl::TRect cap = GetCaptionRect();
    if (IsFloating()) {
        r.Top = cap.Bottom;
    } else if (FShowCaption) {
        if (Horizontal()) {
            if (FCaptionPosition == cpTop)
                r.Top = cap.Bottom;
            else
                r.Bottom = cap.Top;
        } else if (FCaptionPosition == cpTop) {
            r.Left = cap.Right;
        } else {
            r.Right = cap.Left;
        }
    }
    return r;
}

vcl::TRect TAdvCustomToolBar::FWCloseBtnRect() const {
    if (!IsFloating() || !FShowClose) return vcl::TRect{};
    vcl::TRect cap = GetCaptionRect();
    return vcl::TRect{cap.Right - FCaptionHeight - 1, cap.Top + 1, cap.Right - 1, cap.Bottom - 1};
}

vcl::TRect TAdvCustomToolBar::FWCustomizedBtnRect() const {
    if (!IsFloating() || !FShowOptionIndicator) return vcl::TRect{};
    vcl::TRect cap = GetCaptionRect();
    vcl::TRect close{cap.Right - FCaptionHeight - 1, cap.Top + 1, cap.Right - 1, cap.Bottom - 1};
    if (!FShowClose) return close;
    return vcl::TRect{close.Left - FCaptionHeight - 2, close.Top, close.Left - 2, close.Bottom};
}

vcl::TRect TAdvCustomToolBar::GetOptionIndicatorRect() const {
    if (IsFloating() || !Horizontal() || !FShowOptionIndicator || !FShowCaption || FShowRightHandle)
        return vcl::TRect{-1, -1, -1, -1};
    vcl::TRect cap = GetCaptionRect();
    return vcl::TRect{cap.Right - FCaptionHeight + 1, cap.Top + 2, cap.Right - 1, cap.Bottom - 1};
}

vcl::TRect TAdvCustomToolBar::GetDragGripRect() const {
    if (Horizontal()) return vcl::TRect{1, 1, FDragGripWidth, Height()};
    return vcl::TRect{1, 1, Width(), FDragGripWidth};
}

vcl::TRect TAdvCustomToolBar::GetRightHandleRect() const {
    const int w = PopupIndicatorWidth();
    const bool round = FCurrentStyler != nullptr && FCurrentStyler->RoundEdges();
    if (Horizontal()) {
        vcl::TRect r{Width() - w, 0, Width() + 1, Height() + 1};
        if (!round) r = vcl::TRect{r.Left - 1, r.Top + 1, r.Right - 2, r.Bottom - 2};
        return r;
    }
    vcl::TRect r{0, Height() - w, Width(), Height()};
    if (!round) r = vcl::TRect{r.Left + 1, r.Top, r.Right - 1, r.Bottom - 1};
    return r;
}

TColor TAdvCustomToolBar::PanelColorAt(int X, int Y) const {
    if (FDockPanel == nullptr || FToolBarState != tsDocked) return Color();
    vcl::TBitmap* image = FDockPanel->GetMyImage();
    int px = std::clamp(Left() + X, 0, std::max(0, image->Width() - 1));
    int py = std::clamp(Top() + Y, 0, std::max(0, image->Height() - 1));
    if (image->Width() == 0 || image->Height() == 0) return FDockPanel->Color();
    return static_cast<TColor>(image->Canvas()->Pixels[px][py]);
}

// ---- Paint

void TAdvCustomToolBar::Paint() {
    if (FUpdateCount > 0 || FCurrentStyler == nullptr) return;
    vcl::TCanvas* c = Canvas();
    if (IsFloating())
        PaintFloatingCaption(c);
    else if (FShowCaption)
        PaintCaption(c);
    vcl::TRect body = GetMyClientRect();
    const TColor border = PaintBackground(c, body);
    PaintBevel(c);
    DrawDragGrip(c);
    DrawPopupIndicator(c);
    DrawCaptionOptionIndicator(c);
    PaintRoundCorners(c);
    // The border closes the body.
    TCustomAdvToolBarStyler* s = FCurrentStyler;
    if (border == clNone || IsFloating()) return;
    c->Pen()->SetStyle(vcl::psSolid);
    c->Pen()->SetColor(border);
    c->Brush()->SetStyle(vcl::bsClear);
    if (s->RoundEdges() && !FFullSize)
        c->RoundRect(0, 0, Width() - 1, Height() - 1, 6, 6);
    else
        c->Rectangle(body);
}

void TAdvCustomToolBar::PaintCaption(vcl::TCanvas* C) {
    TCaptionAppearance* a = FCurrentStyler->CaptionAppearance();
    TColor color = a->CaptionColor();
    TColor colorTo = a->CaptionColorTo();
    TColor border = a->CaptionBorderColor();
    TColor text = a->CaptionTextColor();
    if (FHoverTimer != nullptr && a->CaptionColorHot() != clNone) {
        // A running hover fade blends from the normal toward the hot colours.
        color = BlendColor(a->CaptionColorHot(), color, FFadePosition);
        colorTo = BlendColor(a->CaptionColorHotTo(), colorTo, FFadePosition);
        if (border != clNone || a->CaptionBorderColorHot() != clNone)
            border = BlendColor(a->CaptionBorderColorHot(), border, FFadePosition);
        if (text != clNone || a->CaptionTextColorHot() != clNone)
            text = BlendColor(a->CaptionTextColorHot(), text, FFadePosition);
    } else if (FHover) {
        if (a->CaptionColorHot() != clNone) color = a->CaptionColorHot();
        if (a->CaptionColorHotTo() != clNone) colorTo = a->CaptionColorHotTo();
        if (a->CaptionBorderColorHot() != clNone) border = a->CaptionBorderColorHot();
        if (a->CaptionTextColorHot() != clNone) text = a->CaptionTextColorHot();
    }
    vcl::TRect cap = GetCaptionRect();
    if (color != clNone || colorTo != clNone) {
        if (color == clNone || colorTo == clNone)
            FillOrGradient(C, color == clNone ? colorTo : color, clNone, 1, cap, false);
        else
            DrawGradient(C, color, colorTo, 80, cap, false);
    }
    if (border != clNone) {
        C->Pen()->SetColor(border);
        C->Brush()->SetStyle(vcl::bsClear);
        C->Rectangle(cap);
    }
    if (FCaption.empty() && FWideCaption.empty()) return;
    const String& caption = FCaption.empty() ? FWideCaption : FCaption;
    vcl::TRect tr = cap;
    const int lead = GripDrawn() ? FDragGripWidth + 3 : 3;
    const bool cutEnd = FShowPopupIndicator && FShowRightHandle && !FFullSize;
    if (Horizontal()) {
        tr.Left += lead;
        if (cutEnd) tr.Right -= PopupIndicatorWidth() + 2;
    } else {
        tr.Top += lead;
        if (cutEnd) tr.Bottom -= PopupIndicatorWidth() + 2;
    }
    C->Font()->Assign(FCurrentStyler->CaptionFont());
    C->Font()->SetColor(text);
    C->Brush()->SetStyle(vcl::bsClear);
    if (!Horizontal()) {
        const int textWidth = C->TextWidth(caption);
        const int textHeight = tr.Bottom - tr.Top;
        // Top to bottom on the right side, bottom to top on the left.
        C->Font()->SetOrientation(FPosition == daRight ? 2700 : 900);
        vcl::TPoint at;
        if (FPosition == daRight) {
            at.X = tr.Right;
            at.Y = FCaptionAlignment == vcl::taLeftJustify    ? tr.Top
                   : FCaptionAlignment == vcl::taRightJustify ? tr.Bottom - textWidth - 5
                                                              : (textHeight - textWidth) / 2;
        } else {
            at.X = tr.Left;
            at.Y = FCaptionAlignment == vcl::taLeftJustify    ? tr.Bottom - 2
                   : FCaptionAlignment == vcl::taRightJustify ? tr.Top + textWidth + 2
                                                              : tr.Bottom - (textHeight - textWidth) / 2;
        }
        DrawVerticalText(C, caption, at);
        C->Font()->SetOrientation(0);
        return;
    }
    vcl::TRect indicator = GetOptionIndicatorRect();
    if (indicator.Left >= 0) tr.Right = indicator.Left;
    unsigned align = FCaptionAlignment == vcl::taRightJustify ? win::DT_RIGHT
                     : FCaptionAlignment == vcl::taCenter     ? win::DT_CENTER
                                                              : win::DT_LEFT;
    win::RECT wr{tr.Left, tr.Top, tr.Right, tr.Bottom};
    win::DrawText(C->Handle(), caption.c_str(), -1, &wr,
                  win::DT_SINGLELINE | win::DT_VCENTER | win::DT_END_ELLIPSIS | align);
}

void TAdvCustomToolBar::PaintFloatingCaption(vcl::TCanvas* C) {
    TCaptionAppearance* a = FCurrentStyler->CaptionAppearance();
    vcl::TRect cap = GetCaptionRect();
    if (a->CaptionColor() != clNone && a->CaptionColorTo() != clNone)
        DrawGradient(C, a->CaptionColor(), a->CaptionColorTo(), 80, cap, false);
    else if (a->CaptionColor() != clNone || a->CaptionColorTo() != clNone)
        FillOrGradient(C, a->CaptionColor(), clNone, 1, cap, false);
    if (a->CaptionBorderColor() != clNone) {
        C->Pen()->SetColor(a->CaptionBorderColor());
        C->Brush()->SetStyle(vcl::bsClear);
        C->Rectangle(cap);
    }
    const String& caption = FCaption.empty() ? FWideCaption : FCaption;
    if (!caption.empty()) {
        C->Font()->Assign(FParentStyler ? FCurrentStyler->CaptionFont() : FCaptionFont.get());
        C->Font()->SetColor(a->CaptionTextColor());
        C->Brush()->SetStyle(vcl::bsClear);
        int right = FShowOptionIndicator ? FWCustomizedBtnRect().Left
                    : FShowClose         ? FWCloseBtnRect().Left
                                         : cap.Right;
        win::RECT wr{cap.Left + 3, cap.Top, right, cap.Bottom};
        win::DrawText(C->Handle(), caption.c_str(), -1, &wr, win::DT_SINGLELINE | win::DT_VCENTER);
    }
    DrawCustomizedBtn(C);
    DrawCloseBtn(C);
}

namespace {

// The three looks of a floating caption button: pressed, hot, plain.
void CaptionButtonFace(vcl::TCanvas* C, TCustomAdvToolBarStyler* S, const vcl::TRect& R, bool Down, bool Hot,
                       TColor& Glyph) {
    TColor captionColor = S->CaptionAppearance()->CaptionColor();
    C->Brush()->SetStyle(vcl::bsSolid);
    if (Down) {
        C->Pen()->SetColor(vcl::clBlack);
        C->Brush()->SetColor(captionColor);
        Glyph = vcl::clWhite;
    } else if (Hot) {
        C->Pen()->SetColor(vcl::clBlack);
        C->Brush()->SetColor(S->ButtonAppearance()->ColorHot());
        Glyph = vcl::clBlack;
    } else {
        C->Pen()->SetColor(captionColor);
        C->Brush()->SetColor(captionColor);
        Glyph = vcl::clWhite;
    }
    C->Rectangle(R);
}

} // namespace

void TAdvCustomToolBar::DrawCloseBtn(vcl::TCanvas* C) {
    if (!IsFloating() || !FShowClose) return;
    vcl::TRect r = FWCloseBtnRect();
    TColor glyph;
    CaptionButtonFace(C, FCurrentStyler, r, FCloseBtnDown, FCloseBtnHot, glyph);
    const int x = r.Left + 4;
    const int y = r.Top + 4;
    Lines(C, glyph,
          {{x, y + 7, x + 8, y},
           {x + 1, y + 7, x + 7, y},
           {x, y + 1, x + 8, y + 8},
           {x + 1, y + 1, x + 7, y + 8}});
}

void TAdvCustomToolBar::DrawCustomizedBtn(vcl::TCanvas* C) {
    if (!IsFloating() || !FShowOptionIndicator) return;
    vcl::TRect r = FWCustomizedBtnRect();
    TColor glyph;
    CaptionButtonFace(C, FCurrentStyler, r, FCustomBtnDown, FCustomBtnHot, glyph);
    const int x = r.Left;
    const int b = r.Bottom;
    Lines(C, glyph,
          {{x + 5, b - 10, x + 12, b - 10},
           {x + 6, b - 9, x + 11, b - 9},
           {x + 7, b - 8, x + 10, b - 8},
           {x + 8, b - 7, x + 9, b - 7}});
}

TColor TAdvCustomToolBar::PaintBackground(vcl::TCanvas* C, const vcl::TRect& Body) {
    TCustomAdvToolBarStyler* s = FCurrentStyler;
    TBodyLook look{s->Color()->Color(),
                   s->Color()->ColorTo(),
                   s->BorderColor(),
                   s->Color()->Steps(),
                   s->Color()->Direction() == gdHorizontal,
                   s->RoundEdges()};
    // A vertical toolbar with its own styler turns the gradient with it.
    if (!Horizontal() && !FParentStyler) look.LeftToRight = !look.LeftToRight;
    TGradientBackground* hot = s->ColorHot();
    TColor hotBorder = s->BorderColorHot();
    if (FFullSize) {
        // A full-size toolbar is part of the dock: its colour in fine bands, no corners, and docked no
        // border.
        look = TBodyLook{s->DockColor()->Color(),
                         s->DockColor()->ColorTo(),
                         s->BorderColor(),
                         256,
                         s->DockColor()->Direction() == gdHorizontal,
                         false};
        if (IsFloating())
            look.ColorTo = look.Color;
        else
            look.Border = clNone;
    }
    if (FHoverTimer != nullptr && hot->Color() != clNone) {
        look.Color = BlendColor(hot->Color(), look.Color, FFadePosition);
        look.ColorTo = BlendColor(hot->ColorTo(), look.ColorTo, FFadePosition);
        if (look.Border != clNone || hotBorder != clNone)
            look.Border = BlendColor(hotBorder, look.Border, FFadePosition);
        look.Steps = hot->Steps();
    } else if (FHover) {
        if (hot->Color() != clNone) look.Color = hot->Color();
        if (hot->ColorTo() != clNone) look.ColorTo = hot->ColorTo();
        if (hotBorder != clNone) look.Border = hotBorder;
        look.Steps = hot->Steps();
    }
    if (s->Transparent()) return look.Border;
    vcl::TRect r{Body.Left, Body.Top, Body.Right + 1, Body.Bottom + 1};
    if (look.ColorTo == clNone) {
        C->Pen()->SetColor(look.Color);
        C->Brush()->SetStyle(vcl::bsSolid);
        C->Brush()->SetColor(look.Color);
        C->FillRect(r);
    } else if (!IsFloating() || FFloatingRows == 1) {
        const TBodyKey key{r.Right - r.Left, r.Bottom - r.Top, look.Steps,
                           look.Color,       look.ColorTo,     look.LeftToRight};
        if (FBodyCache == nullptr || !(key == FBodyKey)) {
            if (FBodyCache == nullptr) FBodyCache = std::make_unique<vcl::TBitmap>();
            FBodyCache->SetSize(key.Width, key.Height);
            DrawGradient(FBodyCache->Canvas(), look.Color, look.ColorTo, look.Steps,
                         vcl::TRect{0, 0, key.Width, key.Height}, look.LeftToRight);
            FBodyKey = key;
        }
        C->Draw(r.Left, r.Top, FBodyCache.get());
    } else {
        // One band per floating row.
        for (int y = Body.Top; y < r.Bottom; y += FThickness)
            DrawGradient(C, look.Color, look.ColorTo, look.Steps,
                         vcl::TRect{r.Left, y, r.Right, std::min(r.Bottom, y + FThickness)},
                         look.LeftToRight);
    }
    vcl::TBitmap* bitmap = s->BackGround();
    if (bitmap == nullptr || bitmap->Empty()) return look.Border;
    const int bw = bitmap->Width();
    const int bh = bitmap->Height();
    switch (s->BackGroundDisplay()) {
    case bdTile:
        for (int y = 1; y < Height() - 2; y += bh)
            for (int x = 1; x < Width() - 2; x += bw)
                C->Draw(x, y, bitmap);
        break;
    case bdCenter:
        C->Draw((Width() - bw) / 2, (Height() - bh) / 2, bitmap);
        break;
    case bdStretch:
        C->StretchDraw(vcl::TRect{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}, bitmap);
        break;
    }
    return look.Border;
}

void TAdvCustomToolBar::PaintBevel(vcl::TCanvas* C) {
    TCustomAdvToolBarStyler* s = FCurrentStyler;
    if (!s->UseBevel() || IsFloating()) return;
    const int w = Width();
    const int h = Height();
    if (s->Bevel() == vcl::bvLowered) {
        C->Pen()->SetColor(vcl::clBtnShadow);
        C->Polyline({vcl::TPoint{1, h}, vcl::TPoint{1, 1}, vcl::TPoint{w, 1}});
        C->Pen()->SetColor(vcl::clWhite);
        C->Polyline({vcl::TPoint{w - 1, 1}, vcl::TPoint{w - 1, h - 1}, vcl::TPoint{1, h - 1}});
    } else if (s->Bevel() == vcl::bvRaised || s->Bevel() == vcl::bvSpace) {
        C->Pen()->SetColor(vcl::clWhite);
        C->Polyline({vcl::TPoint{0, h}, vcl::TPoint{0, 0}, vcl::TPoint{w, 0}});
        C->Pen()->SetColor(vcl::clBtnShadow);
        C->Polyline({vcl::TPoint{w - 1, 0}, vcl::TPoint{w - 1, h - 1}, vcl::TPoint{0, h - 1}});
    }
}

void TAdvCustomToolBar::DrawDragGrip(vcl::TCanvas* C) {
    if (!GripDrawn()) return;
    vcl::TRect g = GetDragGripRect();
    vcl::TBitmap* image = FCurrentStyler->DragGripImage();
    if (image != nullptr && !image->Empty()) {
        C->StretchDraw(g, image);
        return;
    }
    const int l = g.Left;
    const int t = g.Top;
    const int r = g.Right;
    const int b = g.Bottom;
    const bool h = Horizontal();
    C->Brush()->SetStyle(vcl::bsSolid);
    auto square = [C](TColor Color, int X1, int Y1, int X2, int Y2) {
        C->Brush()->SetColor(Color);
        C->FillRect(vcl::TRect{X1, Y1, X2, Y2});
    };
    switch (FCurrentStyler->DragGripStyle()) {
    case dsDots:
        // A white dot with its shadow dot over it, one pixel up and left.
        for (int k = 0; k < ((h ? b : r) - 8) / 4; ++k) {
            const int at = (h ? t : l) + 4 + 4 * k;
            if (h) {
                square(vcl::clWhite, l + 4, at + 1, l + 6, at + 3);
                square(vcl::clBtnShadow, l + 3, at, l + 5, at + 2);
            } else {
                square(vcl::clWhite, at + 1, t + 4, at + 3, t + 6);
                square(vcl::clBtnShadow, at, t + 3, at + 2, t + 5);
            }
        }
        break;
    case dsSingleLine:
        if (h)
            Draw3DEdgeLines(C, vcl::TPoint{l + 4, t + 3}, vcl::TPoint{l + 4, b - 4}, false, true);
        else
            Draw3DEdgeLines(C, vcl::TPoint{l + 3, t + 4}, vcl::TPoint{r - 5, t + 4}, false, false);
        break;
    case dsDoubleLine:
        for (int d : {2, 5}) {
            if (h)
                Draw3DEdgeLines(C, vcl::TPoint{l + d, t + 3}, vcl::TPoint{l + d, b - 4}, false, true);
            else
                Draw3DEdgeLines(C, vcl::TPoint{l + 3, t + d}, vcl::TPoint{r - 5, t + d}, false, false);
        }
        break;
    case dsFlatDots:
        C->Pen()->SetColor(static_cast<TColor>(win::RGB(165, 165, 165)));
        for (int k = 0; k < ((h ? b : r) - 8) / 2; ++k) {
            const int at = (h ? t : l) + 4 + 2 * k;
            if (h) {
                C->MoveTo(l + 2, at);
                C->LineTo(l + 5, at);
            } else {
                C->MoveTo(at, t + 2);
                C->LineTo(at, t + 5);
            }
        }
        break;
    case dsNone:
        break;
    }
}

void TAdvCustomToolBar::DrawPopupIndicator(vcl::TCanvas* C) {
    if (!RightHandleShown()) return;
    TCustomAdvToolBarStyler* s = FCurrentStyler;
    TColor color = s->RightHandleColor();
    TColor colorTo = s->RightHandleColorTo();
    TColor border = s->ButtonAppearance()->BorderColor();
    if (FRightHandleDown) {
        color = s->RightHandleColorDown();
        colorTo = s->RightHandleColorDownTo();
        border = s->ButtonAppearance()->BorderDownColor();
    } else if (FRightHandleHot) {
        color = s->RightHandleColorHot();
        colorTo = s->RightHandleColorHotTo();
        border = s->ButtonAppearance()->BorderHotColor();
    }
    const vcl::TRect h = GetRightHandleRect();
    vcl::TBitmap* image = s->RightHandleImage();
    if (image != nullptr && !image->Empty()) {
        C->StretchDraw(h, image);
        return;
    }
    const bool horizontal = Horizontal();
    const bool round = s->RoundEdges();
    if (round && colorTo == clNone) colorTo = color;
    vcl::TRect bodyRect = h;
    if (horizontal)
        bodyRect.Left += 3;
    else
        bodyRect.Top += 3;
    if (color == clNone || colorTo == clNone)
        FillOrGradient(C, color == clNone ? colorTo : color, clNone, 1, bodyRect, false);
    else
        DrawGradient(C, color, colorTo, 16, bodyRect, !horizontal);
    const int l = h.Left;
    const int t = h.Top;
    const int r = h.Right;
    const int b = h.Bottom;
    const bool chevron = const_cast<TAdvCustomToolBar*>(this)->CanExpand() > 0;
    if (round) {
        // The far end takes the dock's colours; the near end is rounded in the handle's colours.
        auto dock = [&](int X, int Y) { Pixel(C, X, Y, PanelColorAt(X, Y)); };
        if (horizontal) {
            for (auto [x, y] : {std::pair{r - 2, t},
                                {r - 3, t},
                                {r - 2, t + 1},
                                {r - 2, b - 2},
                                {r - 3, b - 2},
                                {r - 2, b - 3}})
                dock(x, y);
            Pixel(C, l + 1, t, color);
            Pixel(C, l + 2, t, color);
            Pixel(C, l + 2, t + 1, color);
            Pixel(C, l + 1, b - 2, colorTo);
            Pixel(C, l + 2, b - 2, colorTo);
            Pixel(C, l + 2, b - 3, colorTo);
        } else {
            for (auto [x, y] : {std::pair{l, b - 1},
                                {l + 1, b - 1},
                                {l, b - 2},
                                {r - 1, b - 1},
                                {r - 2, b - 1},
                                {r - 1, b - 2}})
                dock(x, y);
            Pixel(C, l, t + 2, color);
            Pixel(C, l + 1, t + 2, color);
            Pixel(C, l, t + 1, color);
            Pixel(C, r - 1, t + 2, colorTo);
            Pixel(C, r - 2, t + 2, colorTo);
            Pixel(C, r - 1, t + 1, colorTo);
        }
        if (chevron) {
            if (horizontal) {
                Lines(C, vcl::clBlack,
                      {{r - 6, t + 5, r - 6, t + 8},
                       {r - 6, t + 6, r - 4, t + 6},
                       {r - 10, t + 5, r - 10, t + 8},
                       {r - 10, t + 6, r - 8, t + 6}});
                Lines(C, vcl::clWhite,
                      {{r - 5, t + 7, r - 5, t + 9},
                       {r - 5, t + 7, r - 3, t + 7},
                       {r - 9, t + 7, r - 9, t + 9},
                       {r - 9, t + 7, r - 7, t + 7}});
            } else {
                for (int d : {0, 4}) {
                    Lines(C, vcl::clBlack,
                          {{l + 5, t + 5 + d, l + 8, t + 5 + d}, {l + 6, t + 5 + d, l + 6, t + 7 + d}});
                    Lines(C, vcl::clWhite,
                          {{l + 7, t + 6 + d, l + 9, t + 6 + d}, {l + 7, t + 6 + d, l + 7, t + 8 + d}});
                }
            }
        }
        if (FShowOptionIndicator) {
            if (horizontal) {
                Lines(C, vcl::clBlack,
                      {{r - 9, b - 11, r - 4, b - 11},
                       {r - 9, b - 8, r - 4, b - 8},
                       {r - 8, b - 7, r - 5, b - 7}});
                Pixel(C, r - 7, b - 6, vcl::clBlack);
                Lines(C, vcl::clWhite,
                      {{r - 8, b - 10, r - 3, b - 10},
                       {r - 5, b - 7, r - 3, b - 7},
                       {r - 6, b - 6, r - 4, b - 6}});
                Pixel(C, r - 6, b - 5, vcl::clWhite);
            } else {
                Lines(C, vcl::clBlack,
                      {{r - 9, t + 5, r - 9, t + 10},
                       {r - 6, t + 5, r - 6, t + 10},
                       {r - 5, t + 6, r - 5, t + 9}});
                Pixel(C, r - 4, t + 7, vcl::clBlack);
                Lines(C, vcl::clWhite,
                      {{r - 8, t + 6, r - 8, t + 11},
                       {r - 5, t + 9, r - 5, t + 11},
                       {r - 4, t + 8, r - 2, t + 8}});
                Pixel(C, r - 4, t + 9, vcl::clWhite);
            }
        }
        return;
    }
    if (border != clNone) {
        C->Pen()->SetColor(border);
        C->Brush()->SetStyle(vcl::bsClear);
        if (horizontal)
            C->Rectangle(l + 3, t, r - 1, b - 1);
        else
            C->Rectangle(l, t + 3, r, b);
    }
    if (chevron) {
        if (horizontal) {
            C->Pen()->SetColor(vcl::clBlack);
            C->Polyline({vcl::TPoint{l + 8, t + 3}, vcl::TPoint{l + 11, t + 6}, vcl::TPoint{l + 7, t + 10}});
            C->Polyline({vcl::TPoint{l + 6, t + 3}, vcl::TPoint{l + 9, t + 6}, vcl::TPoint{l + 5, t + 10}});
        } else {
            C->Pen()->SetColor(vcl::clBlack);
            C->Polyline({vcl::TPoint{l + 3, t + 6}, vcl::TPoint{l + 5, t + 8}, vcl::TPoint{l + 8, t + 5}});
            C->Polyline({vcl::TPoint{l + 3, t + 8}, vcl::TPoint{l + 5, t + 10}, vcl::TPoint{l + 8, t + 7}});
        }
    }
    if (FShowOptionIndicator) {
        if (horizontal) {
            Lines(C, vcl::clBlack,
                  {{r - 9, b - 9, r - 4, b - 9}, {r - 9, b - 7, r - 4, b - 7}, {r - 8, b - 6, r - 5, b - 6}});
            Pixel(C, r - 7, b - 5, vcl::clBlack);
        } else {
            Lines(C, vcl::clBlack,
                  {{r - 9, t + 6, r - 9, t + 11},
                   {r - 6, t + 6, r - 6, t + 11},
                   {r - 5, t + 7, r - 5, t + 10}});
            Pixel(C, r - 4, t + 8, vcl::clBlack);
        }
    }
}

void TAdvCustomToolBar::DrawCaptionOptionIndicator(vcl::TCanvas* C) {
    vcl::TRect r = GetOptionIndicatorRect();
    if (r.Left < 0 || (!FCapIndicatorHot && !FCapIndicatorDown)) return;
    AdvGlowButton::TGlowButtonAppearance* a = FCurrentStyler->GlowButtonAppearance();
    if (FCapIndicatorDown)
        DrawVistaGradient(C, r, a->ColorDown(), a->ColorDownTo(), a->ColorMirrorDown(),
                          a->ColorMirrorDownTo(), a->BorderColorDown(), a->GradientDown(),
                          a->GradientMirrorDown(), "", Font(), Enabled(), false, FAntiAlias, false);
    else
        DrawVistaGradient(C, r, a->ColorHot(), a->ColorHotTo(), a->ColorMirrorHot(), a->ColorMirrorHotTo(),
                          a->BorderColorHot(), a->GradientHot(), a->GradientMirrorHot(), "", Font(),
                          Enabled(), false, FAntiAlias, false);
    GDIPicture::TGDIPPicture* picture =
        !Enabled() && !FOptionDisabledPicture->Empty() ? FOptionDisabledPicture.get() : FOptionPicture.get();
    if (picture->Empty()) return;
    picture->GetImageSizes();
    const int x = std::max(0, (r.Right - r.Left - picture->Width()) / 2);
    const int y = std::max(0, (r.Bottom - r.Top - picture->Height()) / 2);
    C->Draw(r.Left + x, r.Top + y, picture);
}

void TAdvCustomToolBar::PaintRoundCorners(vcl::TCanvas* C) {
    TCustomAdvToolBarStyler* s = FCurrentStyler;
    if (!s->RoundEdges() || s->Bevel() != vcl::bvNone || FFullSize) return;
    const vcl::TRect k{0, 0, Width(), Height()};
    const int x = k.Left;
    const int y = k.Top;
    const int r = k.Right;
    const int b = k.Bottom;
    auto dock = [&](int X, int Y) { Pixel(C, X, Y, PanelColorAt(X, Y)); };
    for (auto [px, py] : {std::pair{x, y}, {x + 1, y}, {x, y + 1}})
        dock(px, py);
    if (Horizontal()) {
        for (auto [px, py] : {std::pair{x, b - 2}, {x + 1, b - 2}, {x, b - 3}})
            dock(px, py);
    } else {
        for (auto [px, py] : {std::pair{r - 1, y}, {r - 2, y}, {r - 1, y + 1}})
            dock(px, py);
    }
    // The far corners are the right handle's to round while it shows.
    if (FShowRightHandle || IsFloating()) return;
    if (Horizontal()) {
        for (auto [px, py] : {std::pair{r - 2, y}, {r - 3, y}, {r - 2, y + 1}})
            dock(px, py);
    } else {
        for (auto [px, py] : {std::pair{x, b - 2}, {x + 1, b - 2}, {x, b - 3}})
            dock(px, py);
    }
    for (auto [px, py] : {std::pair{r - 2, b - 2}, {r - 3, b - 2}, {r - 2, b - 3}})
        dock(px, py);
}

} // namespace AdvToolBar
