#include "components/foundation/AdvGlowButtonAppearance.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/vcl/Graphics.h"
#include "platform/win/Global.h"
#include "platform/win/WinTypes.h"

namespace AdvGlowButton {

using namespace vcl;

KV_PUBLISHED(TGlowButtonAppearance) {
    using A = TGlowButtonAppearance;
    p.Color("BorderColor", &A::FBorderColor, nullptr, 0xC0C0C0);
    p.Color("BorderColorHot", &A::FBorderColorHot, nullptr, 0xFF0000);
    p.Color("BorderColorDown", &A::FBorderColorDown, nullptr, 0x800000);
    p.Color("BorderColorChecked", &A::FBorderColorChecked, nullptr, 0xFF0000);
    p.Color("BorderColorDisabled", &A::FBorderColorDisabled, nullptr, 0x808080);
    p.Color("Color", &A::FColor, nullptr, 0xFFFFFF);
    p.Color("ColorTo", &A::FColorTo, nullptr, 0xFFFFFF);
    // The computed defaults carry no declared default: they are always written.
    p.Color("ColorChecked", &A::FColorChecked);
    p.Color("ColorCheckedTo", &A::FColorCheckedTo);
    p.Color("ColorDisabled", &A::FColorDisabled);
    p.Color("ColorDisabledTo", &A::FColorDisabledTo);
    p.Color("ColorDown", &A::FColorDown);
    p.Color("ColorDownTo", &A::FColorDownTo);
    p.Color("ColorHot", &A::FColorHot, nullptr, 0xF5F0E1);
    p.Color("ColorHotTo", &A::FColorHotTo, nullptr, 0xF9D2B2);
    p.Color("ColorMirror", &A::FColorMirror, nullptr, 0xC0C0C0);
    p.Color("ColorMirrorTo", &A::FColorMirrorTo, nullptr, 0xFFFFFF);
    p.Color("ColorMirrorHot", &A::FColorMirrorHot, nullptr, 0xF5C8AD);
    p.Color("ColorMirrorHotTo", &A::FColorMirrorHotTo, nullptr, 0xFFF8F4);
    p.Color("ColorMirrorDown", &A::FColorMirrorDown);
    p.Color("ColorMirrorDownTo", &A::FColorMirrorDownTo);
    p.Color("ColorMirrorChecked", &A::FColorMirrorChecked);
    p.Color("ColorMirrorCheckedTo", &A::FColorMirrorCheckedTo);
    p.Color("ColorMirrorDisabled", &A::FColorMirrorDisabled);
    p.Color("ColorMirrorDisabledTo", &A::FColorMirrorDisabledTo);
    p.Enum("Gradient", &A::FGradient, nullptr, ggVertical);
    p.Enum("GradientMirror", &A::FGradientMirror, nullptr, ggVertical);
    p.Enum("GradientHot", &A::FGradientHot, nullptr, ggRadial);
    p.Enum("GradientMirrorHot", &A::FGradientMirrorHot, nullptr, ggRadial);
    p.Enum("GradientDown", &A::FGradientDown, nullptr, ggRadial);
    p.Enum("GradientMirrorDown", &A::FGradientMirrorDown, nullptr, ggRadial);
    p.Enum("GradientChecked", &A::FGradientChecked, nullptr, ggRadial);
    p.Enum("GradientMirrorChecked", &A::FGradientMirrorChecked, nullptr, ggVertical);
    p.Enum("GradientDisabled", &A::FGradientDisabled, nullptr, ggRadial);
    p.Enum("GradientMirrorDisabled", &A::FGradientMirrorDisabled, nullptr, ggRadial);
    p.Bool("SystemFont", &A::FSystemFont, &A::SetSystemFont, true);
}

TGlowButtonAppearance::TGlowButtonAppearance()
    : FBorderColor(0xC0C0C0), FBorderColorHot(0xFF0000), FBorderColorDown(0x800000),
      FBorderColorChecked(0xFF0000), FBorderColorDisabled(0x808080), FColor(0xFFFFFF), FColorTo(0xFFFFFF),
      FColorChecked(AdjustBrightnessRGB(0xF5F0E1, -10, -10, 0)),
      FColorCheckedTo(AdjustBrightnessRGB(0xF9D2B2, -10, -10, 0)),
      FColorDisabled(AdjustBrightnessRGB(0xFFFFFF, -5, -5, -5)),
      FColorDisabledTo(AdjustBrightnessRGB(0xFFFFFF, -5, -5, -5)),
      FColorDown(AdjustBrightnessRGB(0xF5F0E1, -10, -10, 0)),
      FColorDownTo(AdjustBrightnessRGB(0xF9D2B2, -10, -10, 0)), FColorHot(0xF5F0E1), FColorHotTo(0xF9D2B2),
      FColorMirror(0xC0C0C0), FColorMirrorTo(0xFFFFFF), FColorMirrorHot(0xF5C8AD),
      FColorMirrorHotTo(0xFFF8F4), FColorMirrorDown(AdjustBrightnessRGB(0xF5C8AD, -10, -10, 0)),
      FColorMirrorDownTo(AdjustBrightnessRGB(0xFFF8F4, -10, -10, 0)),
      FColorMirrorChecked(AdjustBrightnessRGB(0xF5C8AD, -10, -10, 0)),
      FColorMirrorCheckedTo(AdjustBrightnessRGB(0xFFF8F4, -10, -10, 0)),
      FColorMirrorDisabled(AdjustBrightnessRGB(0xC0C0C0, -5, -5, -5)),
      FColorMirrorDisabledTo(AdjustBrightnessRGB(0xFFFFFF, -5, -5, -5)), FGradient(ggVertical),
      FGradientMirror(ggVertical), FGradientHot(ggRadial), FGradientMirrorHot(ggRadial),
      FGradientDown(ggRadial), FGradientMirrorDown(ggRadial), FGradientChecked(ggRadial),
      FGradientMirrorChecked(ggVertical), FGradientDisabled(ggRadial), FGradientMirrorDisabled(ggRadial) {}

void TGlowButtonAppearance::SetSystemFont(bool Value) {
    if (FSystemFont == Value) return;
    FSystemFont = Value;
    Changed();
}

void TGlowButtonAppearance::Changed() {
    if (OnChange) OnChange(this);
}

void TGlowButtonAppearance::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TGlowButtonAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    // Every colour and gradient, the disabled gradients included, so that a copy never differs
    // from its source.
    FBorderColor = s->FBorderColor;
    FBorderColorHot = s->FBorderColorHot;
    FBorderColorDown = s->FBorderColorDown;
    FBorderColorChecked = s->FBorderColorChecked;
    FBorderColorDisabled = s->FBorderColorDisabled;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FColorChecked = s->FColorChecked;
    FColorCheckedTo = s->FColorCheckedTo;
    FColorDisabled = s->FColorDisabled;
    FColorDisabledTo = s->FColorDisabledTo;
    FColorDown = s->FColorDown;
    FColorDownTo = s->FColorDownTo;
    FColorHot = s->FColorHot;
    FColorHotTo = s->FColorHotTo;
    FColorMirror = s->FColorMirror;
    FColorMirrorTo = s->FColorMirrorTo;
    FColorMirrorHot = s->FColorMirrorHot;
    FColorMirrorHotTo = s->FColorMirrorHotTo;
    FColorMirrorDown = s->FColorMirrorDown;
    FColorMirrorDownTo = s->FColorMirrorDownTo;
    FColorMirrorChecked = s->FColorMirrorChecked;
    FColorMirrorCheckedTo = s->FColorMirrorCheckedTo;
    FColorMirrorDisabled = s->FColorMirrorDisabled;
    FColorMirrorDisabledTo = s->FColorMirrorDisabledTo;
    FGradient = s->FGradient;
    FGradientMirror = s->FGradientMirror;
    FGradientHot = s->FGradientHot;
    FGradientMirrorHot = s->FGradientMirrorHot;
    FGradientDown = s->FGradientDown;
    FGradientMirrorDown = s->FGradientMirrorDown;
    FGradientChecked = s->FGradientChecked;
    FGradientMirrorChecked = s->FGradientMirrorChecked;
    FGradientDisabled = s->FGradientDisabled;
    FGradientMirrorDisabled = s->FGradientMirrorDisabled;
    SetSystemFont(s->FSystemFont);
}

TGlowColorSet TGlowButtonAppearance::NormalColors() const {
    return {FColor, FColorTo, FColorMirror, FColorMirrorTo, FBorderColor, FGradient, FGradientMirror};
}
TGlowColorSet TGlowButtonAppearance::HotColors() const {
    return {FColorHot,       FColorHotTo,  FColorMirrorHot,   FColorMirrorHotTo,
            FBorderColorHot, FGradientHot, FGradientMirrorHot};
}
TGlowColorSet TGlowButtonAppearance::DownColors() const {
    return {FColorDown,       FColorDownTo,  FColorMirrorDown,   FColorMirrorDownTo,
            FBorderColorDown, FGradientDown, FGradientMirrorDown};
}
TGlowColorSet TGlowButtonAppearance::CheckedColors() const {
    return {FColorChecked,       FColorCheckedTo,  FColorMirrorChecked,   FColorMirrorCheckedTo,
            FBorderColorChecked, FGradientChecked, FGradientMirrorChecked};
}
TGlowColorSet TGlowButtonAppearance::DisabledColors() const {
    return {FColorDisabled,       FColorDisabledTo,  FColorMirrorDisabled,   FColorMirrorDisabledTo,
            FBorderColorDisabled, FGradientDisabled, FGradientMirrorDisabled};
}

// ---- Colour routines

namespace {

struct TChannels {
    int R, G, B;
};

TChannels Split(TColor C) {
    const auto rgb = static_cast<std::uint32_t>(ColorToRGB(C));
    return {static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
            static_cast<int>((rgb >> 16) & 0xFF)};
}

// The platform's RGB macro takes each value as a byte.
TColor Join(int R, int G, int B) {
    return static_cast<TColor>(win::RGB(R & 0xFF, G & 0xFF, B & 0xFF));
}

int AdjustChannel(int C, int Percent) {
    if (C == 0) return std::max(0, Percent);
    return Round(std::min(100, Percent + 100) / 100.0 * C);
}

} // namespace

TColor BlendColor(TColor C1, TColor C2, int Percent) {
    if (Percent >= 100) return C1;
    if (Percent < 1) return C2;
    const TChannels a = Split(C1), b = Split(C2);
    const double f = Percent / 100.0;
    return Join(Round(f * a.R + (1 - f) * b.R), Round(f * a.G + (1 - f) * b.G),
                Round(f * a.B + (1 - f) * b.B));
}

TColor AdjustBrightness(TColor C, int Percent) {
    return AdjustBrightnessRGB(C, Percent, Percent, Percent);
}

TColor AdjustBrightnessRGB(TColor C, int PercentR, int PercentG, int PercentB) {
    const TChannels c = Split(C);
    return Join(AdjustChannel(c.R, PercentR), AdjustChannel(c.G, PercentG), AdjustChannel(c.B, PercentB));
}

void DrawSteppedGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R,
                         int Steps) {
    if (Steps == 0) Steps = 1;
    const TChannels from = Split(FromColor), to = Split(ToColor);
    const double dr = static_cast<double>(to.R - from.R) / Steps;
    const double dg = static_cast<double>(to.G - from.G) / Steps;
    const double db = static_cast<double>(to.B - from.B) / Steps;
    const double band = static_cast<double>(Horizontal ? R.Right - R.Left : R.Bottom - R.Top) / Steps;
    const int s = Round(band);
    // More steps than pixels: a line that the next step draws again in the same place is wholly painted
    // over by it (the pen copies), so it is left out.
    const bool overdrawn = s < 1 && Canvas->Pen()->Mode() == pmCopy;
    for (int i = 0; i < Steps; ++i) {
        const int offset = static_cast<std::int16_t>(Round(i * band));
        if (overdrawn && i + 1 < Steps && static_cast<std::int16_t>(Round((i + 1) * band)) == offset)
            continue;
        const TColor c = Join(from.R + Round(i * dr), from.G + Round(i * dg), from.B + Round(i * db));
        Canvas->Pen()->SetColor(c);
        Canvas->Brush()->SetColor(c);
        // A band one pixel wide (many steps over a narrow rectangle) is drawn as a line of the pen: an
        // outlined rectangle that narrow draws nothing.
        if (Horizontal) {
            const int x = R.Left + offset;
            if (s >= 1 && R.Bottom - R.Top == 1) {
                // A strip one pixel high: the band is a line along it.
                Canvas->MoveTo(x, R.Top);
                Canvas->LineTo(x + s + 1, R.Top);
            } else if (s >= 1) {
                Canvas->Rectangle(x, R.Top, x + s + 1, R.Bottom);
            } else {
                Canvas->MoveTo(x, R.Top);
                Canvas->LineTo(x, R.Bottom);
            }
        } else {
            const int y = R.Top + offset;
            if (s >= 1 && R.Right - R.Left == 1) {
                Canvas->MoveTo(R.Left, y);
                Canvas->LineTo(R.Left, y + s + 1);
            } else if (s >= 1) {
                Canvas->Rectangle(R.Left, y, R.Right, y + s + 1);
            } else {
                Canvas->MoveTo(R.Left, y);
                Canvas->LineTo(R.Right, y);
            }
        }
    }
}

// ---- GDI+ pieces of the painter

namespace {

using namespace AdvGDIP;

float F(int V) {
    return static_cast<float>(V);
}

void Line(TGPGraphics* Graphics, TColor Color, int X1, int Y1, int X2, int Y2) {
    TGPPen pen(ColorToARGB(Color), 1.0f);
    TGPGraphicsPath path;
    path.AddLine(F(X1), F(Y1), F(X2), F(Y2));
    Graphics->DrawPath(&pen, &path);
}

void RoundRectPath(TGPGraphicsPath& Path, int X, int Y, int W, int H, int Radius) {
    const float d = F(2 * Radius);
    Path.AddLine(F(X), F(Y + H - 2 * Radius), F(X), F(Y + Radius));
    Path.AddArc(F(X), F(Y), d, d, 180, 90);
    Path.AddLine(F(X + Radius), F(Y), F(X + W - Radius), F(Y));
    Path.AddArc(F(X + W - 2 * Radius), F(Y), d, d, 270, 90);
    Path.AddLine(F(X + W), F(Y + Radius), F(X + W), F(Y + H - Radius));
    Path.AddArc(F(X + W - 2 * Radius), F(Y + H - 2 * Radius), d, d, 0, 90);
    Path.AddLine(F(X + W - Radius), F(Y + H), F(X + Radius), F(Y + H));
    Path.AddArc(F(X), F(Y + H - 2 * Radius), d, d, 90, 90);
    Path.CloseFigure();
}

// The left edge of a middle or right piece: emphasised, or a light separator.
void LeftEdge(TGPGraphics* Graphics, TColor Color, int X, int Y, int H, bool Emphasised) {
    if (Emphasised)
        Line(Graphics, AdjustBrightness(Color, -5), X, Y, X, Y + H);
    else
        Line(Graphics, AdjustBrightness(clWhite, -10), X, Y + 2, X, Y + H - 2);
}

} // namespace

void FillGlowBackground(TCanvas*, TGPGraphics* Graphics, const TRect& R, TColor C1, TColor C2,
                        TGDIPGradient Kind, bool UpperHalf) {
    const int w = R.Right - R.Left, h = R.Bottom - R.Top;
    const int hh = h / 2, hw = w / 2;
    TGPSolidBrush solid(ColorToARGB(UpperHalf ? C1 : C2));
    Graphics->FillRectangle(&solid, F(R.Left), F(R.Top), F(R.Right), F(R.Bottom));

    TGPGraphicsPath path;
    path.AddEllipse(F(R.Left), F(UpperHalf ? R.Top - hh + 2 : R.Top), F(R.Right), F(R.Bottom));
    std::unique_ptr<TGPBrush> brush;
    if (Kind == ggRadial) {
        auto radial = std::make_unique<TGPPathGradientBrush>(&path);
        radial->SetCenterPoint(TGPPointF{F(R.Left + hw), F(UpperHalf ? R.Top : R.Bottom)});
        radial->SetCenterColor(ColorToARGB(UpperHalf ? C2 : C1));
        const ARGB surround = ColorToARGB(UpperHalf ? C1 : C2);
        int count = 1;
        radial->SetSurroundColors(&surround, count);
        brush = std::move(radial);
    } else {
        brush = std::make_unique<TGPLinearGradientBrush>(TGPRectF{F(R.Left), F(R.Top), F(w), F(h)},
                                                         ColorToARGB(C1), ColorToARGB(C2),
                                                         static_cast<LinearGradientMode>(Kind));
    }
    Graphics->FillRectangle(brush.get(), F(R.Left), F(R.Top), F(R.Right), F(R.Bottom));
}

void DrawRoundRectBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius) {
    TGPPen pen(ColorToARGB(Color), 1.0f);
    if (Radius == 0) {
        Graphics->DrawRectangle(&pen, F(X), F(Y), F(W), F(H));
        return;
    }
    TGPGraphicsPath path;
    RoundRectPath(path, X, Y, W, H, Radius);
    Graphics->DrawPath(&pen, &path);
}

void DrawDottedRoundRect(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius) {
    TGPPen pen(ColorToARGB(Color), 1.0f);
    pen.SetDashStyle(DashStyleDot);
    TGPGraphicsPath path;
    RoundRectPath(path, X, Y, W, H, Radius);
    Graphics->DrawPath(&pen, &path);
}

void DrawLeftButtonBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius) {
    const float d = F(2 * Radius);
    TGPPen pen(ColorToARGB(Color), 1.0f);
    TGPGraphicsPath path;
    path.AddLine(F(X + W), F(Y + H), F(X + Radius), F(Y + H));
    path.AddArc(F(X), F(Y + H - 2 * Radius), d, d, 90, 90);
    path.AddLine(F(X), F(Y + H - Radius), F(X), F(Y + Radius));
    path.AddArc(F(X), F(Y), d, d, 180, 90);
    path.AddLine(F(X + Radius), F(Y), F(X + W), F(Y));
    Graphics->DrawPath(&pen, &path);
    Line(Graphics, AdjustBrightness(Color, -5), X + W, Y, X + W, Y + H);
}

void DrawMiddleButtonBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int,
                            bool Emphasised) {
    Line(Graphics, Color, X - 1, Y + H, X + W, Y + H);
    Line(Graphics, Color, X - 1, Y, X + W, Y);
    Line(Graphics, AdjustBrightness(Color, -5), X + W, Y, X + W, Y + H);
    LeftEdge(Graphics, Color, X, Y, H, Emphasised);
}

void DrawRightButtonBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius,
                           bool Emphasised) {
    const float d = F(2 * Radius);
    TGPPen pen(ColorToARGB(Color), 1.0f);
    TGPGraphicsPath path;
    path.AddLine(F(X), F(Y), F(X + W - 2 * Radius), F(Y));
    path.AddArc(F(X + W - 2 * Radius), F(Y), d, d, 270, 90);
    path.AddLine(F(X + W), F(Y + Radius), F(X + W), F(Y + H - Radius));
    path.AddArc(F(X + W - 2 * Radius), F(Y + H - 2 * Radius), d, d, 0, 90);
    path.AddLine(F(X + W - Radius), F(Y + H), F(X), F(Y + H));
    Graphics->DrawPath(&pen, &path);
    LeftEdge(Graphics, Color, X, Y, H, Emphasised);
}

void DrawDropDownArrow(TCanvas* Canvas, TPoint P, TColor Color, TColor EdgeColor, bool Down) {
    const int x = P.X, y = P.Y;
    Canvas->Pen()->SetColor(Color);
    if (Down) {
        Canvas->MoveTo(x, y);
        Canvas->LineTo(x + 5, y);
        Canvas->MoveTo(x + 1, y + 1);
        Canvas->LineTo(x + 4, y + 1);
        Canvas->SetPixel(x + 2, y + 2, Color);
        for (const TPoint e : {TPoint{x, y + 1}, TPoint{x + 4, y + 1}, TPoint{x + 1, y + 2},
                               TPoint{x + 3, y + 2}, TPoint{x + 2, y + 3}})
            Canvas->SetPixel(e.X, e.Y, EdgeColor);
    } else {
        Canvas->MoveTo(x, y);
        Canvas->LineTo(x, y + 5);
        Canvas->MoveTo(x + 1, y + 1);
        Canvas->LineTo(x + 1, y + 4);
        Canvas->SetPixel(x + 2, y + 2, Color);
        for (const TPoint e : {TPoint{x + 2, y + 1}, TPoint{x + 3, y + 2}, TPoint{x + 1, y + 4}})
            Canvas->SetPixel(e.X, e.Y, EdgeColor);
    }
}

void DrawPictureStream(TGPGraphics* Graphics, TCanvas* Canvas, const TRect& R,
                       GDIPicture::TGDIPPicture* Picture) {
    if (!Picture) return;
    TGPImage* image = Picture->Image(); // decoded once per picture, not per draw
    if (!image) return;
    if (image->GetFormat() != ifBMP) {
        Graphics->DrawImageRect(image, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
        return;
    }
    TMemoryStream ms;
    Picture->SaveToStream(&ms);
    ms.SetPosition(0);
    TBitmap bmp;
    bmp.LoadFromStream(&ms);
    bmp.SetTransparentMode(tmAuto);
    bmp.SetTransparent(true);
    Canvas->StretchDraw(R, &bmp);
}

} // namespace AdvGlowButton
