// The right handle: body, rounded ends, chevron and option arrow.

#include <algorithm>

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarPaint_p.h"

namespace AdvToolBar {

using namespace paint;

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

} // namespace AdvToolBar
