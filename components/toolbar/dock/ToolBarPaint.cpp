// The toolbar's own painting: caption strip, body, bevel, drag grip, right handle with its chevron and
// option arrow, the caption's option indicator, rounded corners and border, and the floating caption's
// buttons. The controls on the toolbar paint themselves.

#include <algorithm>

#include "components/toolbar/dock/CompactWindow.h"
#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarPaint_p.h"
#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/Bitmap.h"
#include "platform/win/GdiText.h"

namespace AdvToolBar {

using namespace paint;

namespace {

struct TBodyLook {
    TColor Color, ColorTo, Border;
    int Steps;
    bool LeftToRight;
    bool Round;
};

} // namespace

// ---- Group context

TGroupAppearance* TAdvCustomToolBar::GroupLook() const {
    if (IsFloating() || FCurrentStyler == nullptr) return nullptr;
    // A clone in the compact window paints as the toolbar it stands for, on that toolbar's page.
    vcl::TWinControl* context = Parent();
    if (auto* window = dynamic_cast<TCompactWindow*>(context))
        context = window->OwnerToolBar() != nullptr ? window->OwnerToolBar()->Parent() : nullptr;
    auto* page = dynamic_cast<TAdvPage*>(context);
    if (page == nullptr) return nullptr;
    auto* pager = dynamic_cast<TAdvToolBarPager*>(page->Parent());
    if (pager == nullptr || pager->ActivePage() != page) return nullptr;
    const int group = pager->GroupOfTab(page->PageIndex());
    if (group < 0 || group >= pager->TabGroups()->Count()) return nullptr;
    TTabGroupItem* item = pager->TabGroups()->Items(group);
    return item->DefaultAppearance() ? FCurrentStyler->GroupAppearance() : item->GroupAppearance();
}

bool TAdvCustomToolBar::FocusLooksHot() const {
    return FKeyTipFocus && Enabled() && OnPageOrCompactWindow();
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
    DrawMDIButtons(c);
    PaintRoundCorners(c);
    // The border closes the body.
    TCustomAdvToolBarStyler* s = FCurrentStyler;
    if (border == clNone || IsFloating()) return;
    c->Pen()->SetStyle(vcl::psSolid);
    c->Pen()->SetColor(border);
    c->Brush()->SetStyle(vcl::bsClear);
    if (s->RoundEdges() && !FFullSize) {
        // Over the background rectangle, out to the last column and row, where the corners are
        // rounded; with rounded corners painted it takes the caption strip in too.
        const vcl::TRect k = RoundedRect();
        c->RoundRect(k.Left, k.Top, k.Right - 1, k.Bottom - 1, 6, 6);
    } else {
        c->Rectangle(body);
    }
}

vcl::TRect TAdvCustomToolBar::RoundedRect() const {
    const vcl::TRect body = GetMyClientRect();
    vcl::TRect k{body.Left, body.Top, body.Right + 1, body.Bottom + 1};
    if (FCurrentStyler->Bevel() == vcl::bvNone) {
        k.Left = k.Top = 0;
        k.Right = Width() + 1;
        k.Bottom = Height() + 1;
    }
    return k;
}

TCaptionAppearance* TAdvCustomToolBar::CaptionLook() const {
    TGroupAppearance* group = GroupLook();
    return group != nullptr ? group->CaptionAppearance() : FCurrentStyler->CaptionAppearance();
}

void TAdvCustomToolBar::PaintCaption(vcl::TCanvas* C) {
    TCaptionAppearance* a = CaptionLook();
    TColor color = a->CaptionColor();
    TColor colorTo = a->CaptionColorTo();
    TColor border = a->CaptionBorderColor();
    TColor text = a->CaptionTextColor();
    // The hot values come from the same appearance as the normal ones, so that a grouped page's
    // toolbar ends its fade on the colour the fade ran toward.
    if (HoverFading() && a->CaptionColorHot() != clNone && !(OnPage() && FKeyTipFocus)) {
        color = FadeColor(a->CaptionColorHot(), color, FFadePosition);
        colorTo = FadeColor(a->CaptionColorHotTo(), colorTo, FFadePosition);
        if (border != clNone || a->CaptionBorderColorHot() != clNone)
            border = FadeColor(a->CaptionBorderColorHot(), border, FFadePosition);
        if (text != clNone || a->CaptionTextColorHot() != clNone)
            text = FadeColor(a->CaptionTextColorHot(), text, FFadePosition);
    } else if (FHover || FocusLooksHot()) {
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
    if (TGroupAppearance* group = GroupLook()) {
        // A grouped page's toolbars wear the group's toolbar colours.
        TToolBarAppearance* g = group->ToolBarAppearance();
        look.Color = g->Color()->Color();
        look.ColorTo = g->Color()->ColorTo();
        look.Steps = g->Color()->Steps();
        look.LeftToRight = (g->Color()->Direction() == gdHorizontal) == (Horizontal() || FParentStyler);
        if (!FFullSize || IsFloating()) look.Border = g->BorderColor();
        hot = g->ColorHot();
        hotBorder = g->BorderColorHot();
    }
    if (HoverFading() && hot->Color() != clNone && !(OnPage() && FKeyTipFocus)) {
        look.Color = FadeColor(hot->Color(), look.Color, FFadePosition);
        look.ColorTo = FadeColor(hot->ColorTo(), look.ColorTo, FFadePosition);
        if (look.Border != clNone || hotBorder != clNone)
            look.Border = FadeColor(hotBorder, look.Border, FFadePosition);
        look.Steps = hot->Steps();
    } else if (FHover || FocusLooksHot()) {
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

void TAdvCustomToolBar::PaintRoundCorners(vcl::TCanvas* C) {
    TCustomAdvToolBarStyler* s = FCurrentStyler;
    if (!s->RoundEdges() || s->Bevel() != vcl::bvNone || FFullSize) return;
    // The background rectangle reaches one past the last column and row: its corners are the
    // toolbar's outermost pixels, where the border's corner ellipses leave the dock showing.
    const vcl::TRect k = RoundedRect();
    const int x = k.Left;
    const int y = k.Top;
    const int r = k.Right;
    const int b = k.Bottom;
    auto paintDock = [&](int X, int Y) { Pixel(C, X, Y, PanelColorAt(X, Y)); };
    auto dock = [&](std::initializer_list<std::pair<int, int>> Pixels) {
        for (auto [px, py] : Pixels)
            paintDock(px, py);
    };
    const auto topLeft = {std::pair{x, y}, {x + 1, y}, {x, y + 1}};
    const auto topRight = {std::pair{r - 2, y}, {r - 3, y}, {r - 2, y + 1}};
    const auto bottomLeft = {std::pair{x, b - 2}, {x + 1, b - 2}, {x, b - 3}};
    const auto bottomRight = {std::pair{r - 2, b - 2}, {r - 3, b - 2}, {r - 2, b - 3}};
    dock(topLeft);
    dock(Horizontal() ? bottomLeft : topRight);
    // The far corners are the right handle's to round while it shows.
    if (FShowRightHandle || IsFloating()) return;
    dock(Horizontal() ? topRight : bottomLeft);
    dock(bottomRight);
}

} // namespace AdvToolBar
