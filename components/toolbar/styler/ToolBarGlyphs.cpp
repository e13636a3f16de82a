// The Vista button face and the caption-button glyphs of the toolbar unit.

#include "components/toolbar/styler/ToolBarDraw.h"

namespace AdvToolBar {

using namespace AdvGDIP;
using vcl::TCanvas;
using vcl::TRect;

namespace {

void Line(TCanvas* C, int X1, int Y1, int X2, int Y2) {
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

} // namespace

void DrawVistaButton(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                     TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient,
                     TGDIPGradient GradientMirror, bool NoFace, bool Emphasised,
                     TVistaButtonPosition Position, bool ShowBorder, bool Rounded) {
    const int radius = Rounded ? 3 : 0;
    const int h2 = (R.Bottom - R.Top) / 2;
    {
        TGPGraphics g(Canvas->Handle());
        // The glow fills reach to R's right and bottom coordinates, counted from the canvas origin; a
        // button drawn away from the origin keeps them inside its own rectangle.
        TGPRegion clip(TGPRectF{static_cast<float>(R.Left), static_cast<float>(R.Top),
                                static_cast<float>(R.Right - R.Left), static_cast<float>(R.Bottom - R.Top)});
        g.SetClip(&clip);
        if (!NoFace) {
            // The halves overlap by one row: the lower one starts a row above the upper one's end.
            AdvGlowButton::FillGlowBackground(Canvas, &g, TRect{R.Left, R.Top + h2 - 1, R.Right, R.Bottom},
                                              ColorMirrorTo, ColorMirror, GradientMirror, false);
            AdvGlowButton::FillGlowBackground(Canvas, &g, TRect{R.Left, R.Top, R.Right, R.Bottom - h2}, Color,
                                              ColorTo, Gradient, true);
        }
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        if (!NoFace && ShowBorder) {
            const int x = R.Left, y = R.Top, w = R.Right - 1, h = R.Bottom - 1;
            switch (Position) {
            case TVistaButtonPosition::Single: {
                TGPPen pen(ColorToARGB(BorderColor), 1);
                DrawGDIPRoundRect(&g, &pen, x, y, w, h, radius);
                break;
            }
            case TVistaButtonPosition::Left:
                AdvGlowButton::DrawLeftButtonBorder(&g, BorderColor, x, y, w, h, radius);
                break;
            case TVistaButtonPosition::Middle:
                AdvGlowButton::DrawMiddleButtonBorder(&g, BorderColor, x, y, w, h, radius, Emphasised);
                break;
            case TVistaButtonPosition::Right:
                AdvGlowButton::DrawRightButtonBorder(&g, BorderColor, x, y, w, h, radius, Emphasised);
                break;
            }
        }
    }
    Canvas->Brush()->SetStyle(vcl::bsClear);
}

void DrawCloseGlyph(TCanvas* Canvas, const TRect& R, TColor Color, int Size) {
    const int l = R.Left, t = R.Top, s = Size;
    const int dx = (R.Right - R.Left - s) / 3, dy = (R.Bottom - R.Top - s) / 3;
    Canvas->Pen()->SetColor(Color);
    Line(Canvas, l + dx, t + s + dy, l + s + 1 + dx, t + dy);
    Line(Canvas, l + 1 + dx, t + s + dy, l + s + dx, t + dy);
    Line(Canvas, l + dx, t + 1 + dy, l + s + 1 + dx, t + 1 + s + dy);
    Line(Canvas, l + 1 + dx, t + 1 + dy, l + s + dx, t + 1 + s + dy);
}

void DrawMinimizeGlyph(TCanvas* Canvas, const TRect& R, TColor Color, bool Horizontal) {
    const int l = R.Left, t = R.Top;
    Canvas->Pen()->SetColor(Color);
    if (Horizontal) {
        const int dx = (R.Right - R.Left - 6) / 3, dy = (R.Bottom - R.Top) / 2;
        Line(Canvas, l + dx, t + dy, l + 6 + dx, t + dy);
        Line(Canvas, l + dx, t + dy + 1, l + 6 + dx, t + dy + 1);
    } else {
        Line(Canvas, l, t, l, t + 6);
        Line(Canvas, l + 1, t, l + 1, t + 6);
    }
}

void DrawMaximizeGlyph(TCanvas* Canvas, const TRect& R, TColor Color, bool Horizontal) {
    const int l = R.Left, t = R.Top, rt = R.Right;
    Canvas->Pen()->SetColor(Color);
    if (Horizontal) {
        const int dx = (R.Right - R.Left - 8) / 3, dy = (R.Bottom - R.Top - 8) / 3;
        Line(Canvas, l + dx, t + 1 + dy, l + 9 + dx, t + 1 + dy);
        Line(Canvas, l + dx, t + 2 + dy, l + 9 + dx, t + 2 + dy);
        Canvas->MoveTo(l + dx, t + 2 + dy);
        Canvas->LineTo(l + dx, t + 8 + dy);
        Canvas->LineTo(l + 8 + dx, t + 8 + dy);
        Canvas->LineTo(l + 8 + dx, t + 2 + dy);
    } else {
        Line(Canvas, rt - 8, t, rt - 8, t + 7);
        Line(Canvas, rt - 9, t, rt - 9, t + 7);
        Canvas->MoveTo(rt - 9, t);
        Canvas->LineTo(rt - 13, t);
        Canvas->LineTo(rt - 13, t + 6);
        Canvas->LineTo(rt - 9, t + 6);
    }
}

void DrawRestoreGlyph(TCanvas* Canvas, const TRect& R, TColor Color, bool Horizontal) {
    const int l = R.Left, t = R.Top, rt = R.Right;
    Canvas->Pen()->SetColor(Color);
    if (Horizontal) {
        const int dx = (R.Right - R.Left - 8) / 3, dy = (R.Bottom - R.Top - 8) / 3;
        // The window behind.
        Line(Canvas, l + 2 + dx, t + dy, l + 8 + dx, t + dy);
        Line(Canvas, l + 2 + dx, t + 1 + dy, l + 8 + dx, t + 1 + dy);
        Line(Canvas, l + 8 + dx, t + dy, l + 8 + dx, t + 6 + dy);
        // The window in front.
        Line(Canvas, l + dx, t + 3 + dy, l + 7 + dx, t + 3 + dy);
        Line(Canvas, l + dx, t + 4 + dy, l + 7 + dx, t + 4 + dy);
        Canvas->MoveTo(l + dx, t + 4 + dy);
        Canvas->LineTo(l + dx, t + 8 + dy);
        Canvas->LineTo(l + 6 + dx, t + 8 + dy);
        Canvas->LineTo(l + 6 + dx, t + 4 + dy);
    } else {
        Line(Canvas, rt - 5, t + 2, rt - 5, t + 8);
        Line(Canvas, rt - 6, t + 2, rt - 6, t + 8);
        Line(Canvas, rt - 5, t + 8, rt - 11, t + 8);
        Line(Canvas, rt - 8, t, rt - 8, t + 7);
        Line(Canvas, rt - 9, t, rt - 9, t + 7);
        Canvas->MoveTo(rt - 9, t);
        Canvas->LineTo(rt - 13, t);
        Canvas->LineTo(rt - 13, t + 6);
        Canvas->LineTo(rt - 9, t + 6);
    }
}

} // namespace AdvToolBar
