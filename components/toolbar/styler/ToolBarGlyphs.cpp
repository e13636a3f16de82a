// The Vista button face and the caption-button glyphs of the toolbar unit.

#include "components/toolbar/styler/ToolBarDraw.h"

#include "platform/win/GdiDC.h"

namespace AdvToolBar {

using namespace AdvGDIP;
using vcl::TCanvas;
using vcl::TRect;
using vcl::TSize;

namespace {

void Line(TCanvas* C, int X1, int Y1, int X2, int Y2) {
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

TSize VistaGlyphSize(const TVistaContent& C) {
    if (!C.ShowGlyph) return TSize{0, 0};
    TSize g{0, 0};
    if (C.Glyph != nullptr && !C.Glyph->Empty()) {
        g = TSize{C.Glyph->Width(), C.Glyph->Height()};
    } else if (C.Picture != nullptr && !C.Picture->Empty()) {
        C.Picture->GetImageSizes();
        g = TSize{C.Picture->Width(), C.Picture->Height()};
    } else if (C.Images != nullptr && C.ImageIndex >= 0) {
        g = TSize{C.Images->Width(), C.Images->Height()};
    }
    if (g.cx > 0) g.cx += C.Spacing;
    return g;
}

} // namespace

TSize DrawVistaButton(const TVistaButtonInput& In) {
    TCanvas* Canvas = In.Canvas;
    const TRect& R = In.R;
    if (R.Left != 0 || R.Top != 0) {
        // The face's outline and the glow painter's focus frame take R's right and bottom coordinates
        // as their width and height: a button away from the canvas origin is drawn at the origin of a
        // viewport moved to it, or its right and bottom edges would fall outside it.
        win::HDC dc = Canvas->Handle();
        win::POINT old{};
        win::OffsetViewportOrgEx(dc, R.Left, R.Top, &old);
        TVistaButtonInput atOrigin = In;
        atOrigin.R = TRect{0, 0, R.Right - R.Left, R.Bottom - R.Top};
        const TSize glyph = DrawVistaButton(atOrigin);
        win::SetViewportOrgEx(dc, old.X, old.Y, nullptr);
        return glyph;
    }
    const TVistaContent& c = In.Content;
    const int radius = In.Rounded ? 3 : 0;
    const int h2 = (R.Bottom - R.Top) / 2;
    const bool face = !In.NoFace && !c.Measuring;
    // A split drop-down part has background pieces of its own at the right (or bottom) edge.
    const bool split = c.DropDownButton && c.DropDownSplit;
    const int strip = AdvGlowButton::DropDownStripSize;
    {
        TGPGraphics g(Canvas->Handle());
        // The glow fills reach to R's right and bottom coordinates, counted from the canvas origin; a
        // button drawn away from the origin keeps them inside its own rectangle.
        TGPRegion clip(TGPRectF{static_cast<float>(R.Left), static_cast<float>(R.Top),
                                static_cast<float>(R.Right - R.Left), static_cast<float>(R.Bottom - R.Top)});
        g.SetClip(&clip);
        if (face) {
            // The halves overlap by one row: the lower one starts a row above the upper one's end.
            AdvGlowButton::FillGlowBackground(Canvas, &g, TRect{R.Left, R.Top + h2 - 1, R.Right, R.Bottom},
                                              In.ColorMirrorTo, In.ColorMirror, In.GradientMirror, false);
            AdvGlowButton::FillGlowBackground(Canvas, &g, TRect{R.Left, R.Top, R.Right, R.Bottom - h2},
                                              In.Color, In.ColorTo, In.Gradient, true);
            if (split) {
                // The drop-down part is 10 % darker, unless it is the pressed part.
                const int shade = c.DropDownState == 2 ? 0 : -10;
                const TRect part = c.DropDownBottom ? TRect{R.Left, R.Bottom - strip, R.Right, R.Bottom}
                                                    : TRect{R.Right - strip, R.Top, R.Right, R.Bottom};
                const int ph2 = (part.Bottom - part.Top) / 2;
                AdvGlowButton::FillGlowBackground(
                    Canvas, &g, TRect{part.Left, part.Top + ph2 - 1, part.Right, part.Bottom},
                    BrightnessColor(In.ColorMirrorTo, shade), BrightnessColor(In.ColorMirror, shade),
                    In.GradientMirror, false);
                AdvGlowButton::FillGlowBackground(
                    Canvas, &g, TRect{part.Left, part.Top, part.Right, part.Bottom - ph2},
                    BrightnessColor(In.Color, shade), BrightnessColor(In.ColorTo, shade), In.Gradient, true);
            }
        }
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        if (face && In.ShowBorder) {
            const int x = R.Left, y = R.Top, w = R.Right - 1, h = R.Bottom - 1;
            switch (In.Position) {
            case TVistaButtonPosition::Single: {
                TGPPen pen(ColorToARGB(In.BorderColor), 1);
                DrawGDIPRoundRect(&g, &pen, x, y, w, h, radius);
                break;
            }
            case TVistaButtonPosition::Left:
                AdvGlowButton::DrawLeftButtonBorder(&g, In.BorderColor, x, y, w, h, radius);
                break;
            case TVistaButtonPosition::Middle:
                AdvGlowButton::DrawMiddleButtonBorder(&g, In.BorderColor, x, y, w, h, radius, In.Emphasised);
                break;
            case TVistaButtonPosition::Right:
                AdvGlowButton::DrawRightButtonBorder(&g, In.BorderColor, x, y, w, h, radius, In.Emphasised);
                break;
            }
        }
    }
    const TSize glyph = VistaGlyphSize(c);
    const bool hasCaption = c.ShowCaption && (!c.Caption.empty() || !c.WideCaption.empty()) && c.Font;
    if (!c.Measuring && (hasCaption || glyph.cx > 0 || c.Focused || c.DropDownButton)) {
        // The content is drawn as the glow button draws it, over the face drawn here.
        AdvGlowButton::TGlowDrawInput g;
        g.Canvas = Canvas;
        g.R = R;
        g.BorderColor = In.BorderColor;
        if (hasCaption) {
            g.Caption = c.Caption;
            g.WideCaption = c.WideCaption;
        }
        vcl::TFont fallback;
        g.Font = c.Font != nullptr ? c.Font : &fallback;
        if (c.ShowGlyph) {
            g.Images = c.Images;
            g.ImageIndex = c.ImageIndex;
            g.ImageEnabled = c.ImageEnabled;
            g.Picture = c.Picture;
            g.ToolImage = c.Glyph;
        }
        g.Layout = c.Layout;
        g.Spacing = c.Spacing;
        g.WordWrap = c.WordWrap;
        g.Trimming = c.Trimming;
        g.AntiAlias = c.AntiAlias;
        g.DropDownButton = c.DropDownButton;
        g.DropDownPosition = c.DropDownBottom ? AdvGlowButton::dpBottom : AdvGlowButton::dpRight;
        g.DropDownSplit = c.DropDownSplit;
        g.Emphasised = c.DropDownSplit; // the split line
        g.ArrowDown = !c.ArrowUp;
        g.Enabled = c.Enabled;
        g.Focused = c.Focused;
        g.DrawBorder = false;
        g.SkipBackground = true;
        g.Rounded = In.Rounded;
        AdvGlowButton::DrawGlowButton(g);
    }
    if (!c.Measuring) Canvas->Brush()->SetStyle(vcl::bsClear);
    return glyph;
}

void DrawVistaButton(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                     TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient,
                     TGDIPGradient GradientMirror, bool NoFace, bool Emphasised,
                     TVistaButtonPosition Position, bool ShowBorder, bool Rounded) {
    TVistaButtonInput in;
    in.Canvas = Canvas;
    in.R = R;
    in.Color = Color;
    in.ColorTo = ColorTo;
    in.ColorMirror = ColorMirror;
    in.ColorMirrorTo = ColorMirrorTo;
    in.BorderColor = BorderColor;
    in.Gradient = Gradient;
    in.GradientMirror = GradientMirror;
    in.NoFace = NoFace;
    in.Emphasised = Emphasised;
    in.Position = Position;
    in.ShowBorder = ShowBorder;
    in.Rounded = Rounded;
    DrawVistaButton(in);
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
