#include "components/toolbar/styler/ToolBarDraw.h"

#include <memory>

#include "platform/rtl/Colors.h"
#include "platform/vcl/ShortCut.h"
#include "platform/win/GdiText.h"

namespace AdvToolBar {

using namespace AdvGDIP;
using vcl::TCanvas;
using vcl::TPoint;
using vcl::TRect;

namespace {

float F(int V) {
    return static_cast<float>(V);
}

LinearGradientMode LinearModeOf(TGDIPGradient Kind) {
    switch (Kind) {
    case AdvGlowButton::ggDiagonalForward:
        return LinearGradientModeForwardDiagonal;
    case AdvGlowButton::ggDiagonalBackward:
        return LinearGradientModeBackwardDiagonal;
    default:
        return LinearGradientModeVertical;
    }
}

// A radial fill: a path gradient on the ellipse Box, centre colour at Centre, one surround colour.
void FillRadial(TGPGraphics& G, const TGPRectF& Box, TGPPointF Centre, TColor CentreColor, TColor Surround,
                const TGPRectF& Fill) {
    TGPGraphicsPath path;
    path.AddEllipse(Box);
    TGPPathGradientBrush brush(&path);
    brush.SetCenterPoint(Centre);
    brush.SetCenterColor(ColorToARGB(CentreColor));
    const ARGB surround = ColorToARGB(Surround);
    int count = 1;
    brush.SetSurroundColors(&surround, count);
    G.FillRectangle(&brush, Fill);
}

void FillLinear(TGPGraphics& G, const TGPRectF& Box, TColor From, TColor To, TGDIPGradient Kind,
                const TGPRectF& Fill) {
    // A gradient over an empty box has no direction: nothing to paint.
    if (Box.Width <= 0 || Box.Height <= 0) return;
    TGPLinearGradientBrush brush(Box, ColorToARGB(From), ColorToARGB(To), LinearModeOf(Kind));
    G.FillRectangle(&brush, Fill);
}

constexpr TColor DisabledGrey = 0x808080; // RGB(128, 128, 128)

// The drop-down part at the right edge (or the bottom): an optional split line in the border colour
// and an arrow of 5, 3 and 1 pixels. Returns the part's rectangle.
TRect DrawVistaDropDownPart(TCanvas* Canvas, const TRect& R, TColor BorderColor, const TVistaContent& C) {
    const int size = AdvGlowButton::DropDownPartSize;
    const TRect part = C.DropDownBottom ? TRect{R.Left, R.Bottom - size, R.Right, R.Bottom}
                                        : TRect{R.Right - size, R.Top, R.Right, R.Bottom};
    Canvas->Pen()->SetStyle(vcl::psSolid);
    if (C.DropDownSplit && BorderColor != vcl::clNone) {
        Canvas->Pen()->SetColor(BorderColor);
        Canvas->MoveTo(part.Left, part.Top);
        if (C.DropDownBottom)
            Canvas->LineTo(part.Right, part.Top);
        else
            Canvas->LineTo(part.Left, part.Bottom);
    }
    Canvas->Pen()->SetColor(C.Enabled ? vcl::clBlack : DisabledGrey);
    const int x = part.Left + (part.Width() - 5) / 2, y = part.Top + (part.Height() - 3) / 2;
    for (int i = 0; i < 3; ++i) {
        const int row = C.ArrowUp ? y + 2 - i : y + i;
        Canvas->MoveTo(x + i, row);
        Canvas->LineTo(x + 5 - i, row);
    }
    return part;
}

// The glyph beside the caption, the two centred together as one group in R.
void DrawVistaCaptionAndGlyph(TCanvas* Canvas, const TRect& R, const TVistaContent& C) {
    vcl::TSize g{0, 0};
    if (C.ShowGlyph) {
        if (C.Glyph != nullptr && !C.Glyph->Empty()) {
            g = vcl::TSize{C.Glyph->Width(), C.Glyph->Height()};
        } else if (C.Picture != nullptr && !C.Picture->Empty()) {
            C.Picture->GetImageSizes();
            g = vcl::TSize{C.Picture->Width(), C.Picture->Height()};
        } else if (C.Images != nullptr && C.ImageIndex >= 0) {
            g = vcl::TSize{C.Images->Width(), C.Images->Height()};
        }
    }
    const vcl::String& caption = !C.Caption.empty() ? C.Caption : C.WideCaption;
    const bool hasCaption = C.ShowCaption && !caption.empty() && C.Font != nullptr;
    int tw = 0, th = 0;
    if (hasCaption) {
        // Without anti-aliasing the caption is measured in the canvas's font: make it the caption's.
        Canvas->Font()->Assign(C.Font);
        TRect measured{R.Left, R.Top, R.Left, R.Top};
        DrawGDIPTextTrimmed(Canvas, vcl::taCenter, R, C.Caption, C.WideCaption, C.Font, C.Enabled, false,
                            C.AntiAlias, measured);
        tw = measured.Width();
        th = measured.Height();
    }
    const int gap = g.cx > 0 && hasCaption ? C.Spacing : 0;
    const bool vertical = C.Layout == AdvGlowButton::blGlyphTop || C.Layout == AdvGlowButton::blGlyphBottom;
    const bool glyphFirst = C.Layout == AdvGlowButton::blGlyphLeft || C.Layout == AdvGlowButton::blGlyphTop;
    TRect text = R;
    int gx = R.Left + (R.Width() - g.cx) / 2, gy = R.Top + (R.Height() - g.cy) / 2;
    if (g.cx > 0 && hasCaption) {
        if (vertical) {
            const int top = R.Top + (R.Height() - (g.cy + gap + th)) / 2;
            gy = glyphFirst ? top : top + th + gap;
            text.Top = glyphFirst ? top + g.cy + gap : top;
            text.Bottom = text.Top + th;
        } else {
            const int left = R.Left + (R.Width() - (g.cx + gap + tw)) / 2;
            gx = glyphFirst ? left : left + tw + gap;
            text.Left = glyphFirst ? left + g.cx + gap : left;
            text.Right = text.Left + tw;
        }
    }
    if (g.cx > 0) {
        if (C.Glyph != nullptr && !C.Glyph->Empty())
            Canvas->Draw(gx, gy, C.Glyph);
        else if (C.Picture != nullptr && !C.Picture->Empty())
            Canvas->Draw(gx, gy, C.Picture);
        else
            C.Images->Draw(Canvas, gx, gy, C.ImageIndex, C.ImageEnabled);
    }
    if (hasCaption) {
        TRect result;
        Canvas->Brush()->SetStyle(vcl::bsClear);
        DrawGDIPTextTrimmed(Canvas, vcl::taCenter, text, C.Caption, C.WideCaption, C.Font, C.Enabled, true,
                            C.AntiAlias, result);
    }
}

} // namespace

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                  bool Horizontal) {
    TRect r = R;
    if (Horizontal)
        --r.Right;
    else
        --r.Bottom;
    AdvGlowButton::DrawSteppedGradient(Canvas, FromColor, ToColor, Horizontal, r, Steps);
}

void CenterRect(TRect& R, int Width, int Height) {
    R.Right = (R.Left + R.Right + Width) / 2;
    R.Bottom = (R.Top + R.Bottom + Height) / 2;
    R.Left = R.Right - Width;
    R.Top = R.Bottom - Height;
}

void Draw3DEdgeLines(TCanvas* Canvas, TPoint P1, TPoint P2, bool Raised, bool Vertical) {
    const TColor first = Raised ? vcl::clWhite : vcl::clBtnShadow;
    const TColor second = Raised ? vcl::clBtnShadow : vcl::clWhite;
    Canvas->Pen()->SetColor(first);
    if (Vertical) {
        Canvas->MoveTo(P1.X - 1, P1.Y - 1);
        Canvas->LineTo(P2.X - 1, P2.Y);
        Canvas->LineTo(P2.X + 1, P2.Y);
    } else {
        Canvas->MoveTo(P1.X - 1, P1.Y + 1);
        Canvas->LineTo(P1.X - 1, P1.Y - 1);
        Canvas->LineTo(P2.X + 1, P2.Y - 1);
    }
    Canvas->Pen()->SetColor(second);
    if (Vertical) {
        Canvas->MoveTo(P2.X + 1, P2.Y);
        Canvas->LineTo(P2.X + 1, P1.Y);
        Canvas->LineTo(P2.X - 1, P1.Y);
    } else {
        Canvas->MoveTo(P2.X + 1, P2.Y - 1);
        Canvas->LineTo(P2.X + 1, P2.Y + 1);
        Canvas->LineTo(P1.X, P1.Y + 1);
    }
}

void DrawVerticalText(TCanvas* Canvas, const vcl::String& Caption, TPoint P) {
    // The visible text before the hot key and the hot key itself, as byte ranges of the stripped text.
    vcl::String before, hotKey;
    bool found = false;
    vcl::String visible;
    for (std::size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == '&' && i + 1 < Caption.size()) {
            if (Caption[i + 1] == '&') {
                visible += '&';
                ++i;
                continue;
            }
            if (!found) {
                found = true;
                before = visible;
                // The marked character, a whole UTF-8 sequence.
                std::size_t end = i + 2;
                while (end < Caption.size() && (static_cast<unsigned char>(Caption[end]) & 0xC0) == 0x80)
                    ++end;
                hotKey = Caption.substr(i + 1, end - i - 1);
            }
            continue;
        }
        if (Caption[i] != '&') visible += Caption[i];
    }
    Canvas->TextOut(P.X, P.Y, vcl::StripHotkey(Caption));
    if (!found) return;
    const int x = P.X - Canvas->TextHeight(Caption) + 1;
    const int y1 = P.Y + Canvas->TextWidth(before);
    const int y2 = y1 + Canvas->TextWidth(hotKey);
    Canvas->Pen()->SetColor(Canvas->Font()->Color());
    Canvas->MoveTo(x, y1);
    Canvas->LineTo(x, y2);
}

void DrawGDIPLine(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height) {
    TGPGraphicsPath path;
    path.AddLine(F(X), F(Y), F(X + Width), F(Y + Height));
    path.CloseFigure();
    Graphics->DrawPath(Pen, &path);
}

void DrawGDIPArc(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height, float StartAngle,
                 float SweepAngle, bool Close) {
    TGPGraphicsPath path;
    path.AddArc(F(X), F(Y), F(Width), F(Height), StartAngle, SweepAngle);
    if (Close) path.CloseFigure();
    Graphics->DrawPath(Pen, &path);
}

void DrawGDIPRect(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height) {
    TGPGraphicsPath path;
    path.AddLine(F(X), F(Y), F(X + Width), F(Y));
    path.AddLine(F(X + Width), F(Y), F(X + Width), F(Y + Height));
    path.AddLine(F(X + Width), F(Y + Height), F(X), F(Y + Height));
    path.AddLine(F(X), F(Y + Height), F(X), F(Y));
    path.CloseFigure();
    Graphics->DrawPath(Pen, &path);
}

void DrawGDIPRoundRect(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height, int Radius) {
    const int r = Radius, d = 2 * Radius, w = Width, h = Height;
    TGPGraphicsPath path;
    path.AddLine(F(X + r), F(Y), F(X + w - d), F(Y));
    path.AddArc(F(X + w - d), F(Y), F(d), F(d), 270, 90);
    path.AddLine(F(X + w), F(Y + r), F(X + w), F(Y + h - d));
    path.AddArc(F(X + w - d), F(Y + h - d), F(d), F(d), 0, 90);
    path.AddLine(F(X + w - d), F(Y + h), F(X + r), F(Y + h));
    path.AddArc(F(X), F(Y + h - d), F(d), F(d), 90, 90);
    path.AddLine(F(X), F(Y + h - d), F(X), F(Y + r));
    path.AddArc(F(X), F(Y), F(d), F(d), 180, 90);
    path.CloseFigure();
    Graphics->DrawPath(Pen, &path);
}

void DrawVistaGradient(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                       TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient,
                       TGDIPGradient GradientMirror, const vcl::String& Caption, vcl::TFont* Font,
                       bool Enabled, bool Focused, TAntiAlias AntiAlias, bool RoundEdges) {
    TVistaContent content;
    content.Caption = Caption;
    content.Font = Font;
    content.Enabled = Enabled;
    content.Focused = Focused;
    content.AntiAlias = AntiAlias;
    DrawVistaGradientEx(Canvas, R, Color, ColorTo, ColorMirror, ColorMirrorTo, BorderColor, Gradient,
                        GradientMirror, RoundEdges, content);
}

void DrawVistaGradientEx(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                         TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient,
                         TGDIPGradient GradientMirror, bool RoundEdges, const TVistaContent& Content) {
    const bool Focused = Content.Focused;
    const int w = R.Right - R.Left, h = R.Bottom - R.Top;
    int h2 = h / 2;
    const int w2 = w / 2;

    // The lower half first.
    Canvas->Brush()->SetColor(ColorMirror);
    Canvas->FillRect(TRect{R.Left, R.Top + h2, R.Right, R.Bottom});
    {
        TGPGraphics g(Canvas->Handle());
        if (GradientMirror == AdvGlowButton::ggRadial)
            FillRadial(g, TGPRectF{F(R.Left), F(R.Top + h2), F(w), F(h)},
                       TGPPointF{F(R.Left + w2), F(R.Bottom)}, ColorMirrorTo, ColorMirror,
                       TGPRectF{F(R.Left + 1), F(R.Top + h2), F(w - 1), F(h2 + 1)});
        else
            FillLinear(g, TGPRectF{F(R.Left), F(R.Top + h2), F(w), F(h2)}, ColorMirror, ColorMirrorTo,
                       GradientMirror, TGPRectF{F(R.Left + 1), F(R.Top + h2 + 1), F(w - 1), F(h2 + 1)});
    }

    // The upper half; with an odd height it takes the extra row.
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(TRect{R.Left, R.Top, R.Right, R.Top + h2});
    TGPGraphics g(Canvas->Handle());
    const int evenHalf = h2;
    if (h % 2 == 1) ++h2;
    const TGPRectF upperFill{F(R.Left + 1), F(R.Top + 1), F(w - 1), F(h - h2 - 1)};
    if (Gradient == AdvGlowButton::ggRadial)
        FillRadial(g, TGPRectF{F(R.Left), F(R.Top - evenHalf), F(w), F(h)},
                   TGPPointF{F(R.Left + w2), F(R.Top)}, ColorTo, Color, upperFill);
    else if (Gradient == AdvGlowButton::ggVertical)
        FillLinear(g, TGPRectF{F(R.Left), F(R.Top), F(w), F(h2)}, Color, ColorTo, Gradient, upperFill);
    else
        FillLinear(g, TGPRectF{F(R.Left), F(R.Top), F(w), F(h)}, Color, ColorTo, Gradient, upperFill);

    g.SetSmoothingMode(SmoothingModeAntiAlias);
    if (BorderColor != vcl::clNone) {
        TGPPen pen(ColorToARGB(BorderColor), 1);
        if (RoundEdges)
            DrawGDIPRoundRect(&g, &pen, R.Left, R.Top, w - 1, h - 1, 3);
        else
            DrawGDIPRect(&g, &pen, R.Left, R.Top, w - 1, h - 1);
    }
    if (Focused) {
        TGPPen focus(ColorToARGB(static_cast<TColor>(win::RGB(137, 173, 228))), 1);
        DrawGDIPRoundRect(&g, &focus, R.Left + 1, R.Top + 1, w - 3, h - 3, 3);
        AdvGlowButton::DrawDottedRoundRect(&g, vcl::clGray, R.Left + 2, R.Top + 2, w - 5, h - 5, 3);
    }
    TRect content = R;
    if (Content.DropDownButton) {
        const TRect part = DrawVistaDropDownPart(Canvas, R, BorderColor, Content);
        (Content.DropDownBottom ? content.Bottom : content.Right) =
            Content.DropDownBottom ? part.Top : part.Left;
    }
    DrawVistaCaptionAndGlyph(Canvas, content, Content);
    Canvas->Brush()->SetColor(Color);
    Canvas->Brush()->SetStyle(vcl::bsClear);
}

} // namespace AdvToolBar
