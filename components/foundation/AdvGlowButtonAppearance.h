#pragma once
// The glow button's appearance record (colours, gradients and border colours of its five looks) and the
// unit's colour routines.

#include "components/foundation/AdvGDIP.h"
#include "components/foundation/GDIPicture.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Colors.h"
#include "platform/rtl/Events.h"
#include "platform/vcl/Canvas.h"

namespace AdvGlowButton {

using vcl::TColor;

KV_ENUM(TGDIPGradient, ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward);

// The colours of one look, as the painter takes them from the record.
struct TGlowColorSet {
    TColor Color, ColorTo, ColorMirror, ColorMirrorTo, BorderColor;
    TGDIPGradient Gradient, GradientMirror;
    bool operator==(const TGlowColorSet&) const = default;
};

#define KV_GLOW_PROP(Type, Name)                                                                             \
public:                                                                                                      \
    Type Name() const {                                                                                      \
        return F##Name;                                                                                      \
    }                                                                                                        \
    void Set##Name(Type Value) {                                                                             \
        F##Name = Value;                                                                                     \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    Type F##Name

class TGlowButtonAppearance : public vcl::TPersistent {
    KV_CLASS(TGlowButtonAppearance, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TGlowButtonAppearance)
public:
    TGlowButtonAppearance();

    // Copies every colour and gradient of another appearance, then SystemFont through its setter;
    // any other source raises EConvertError.
    void Assign(vcl::TPersistent* Source) override;

    bool SystemFont() const { return FSystemFont; }
    void SetSystemFont(bool Value);
    // Calls OnChange when set.
    void Changed();

    // Normal, hot, down, checked and disabled colours.
    TGlowColorSet NormalColors() const;
    TGlowColorSet HotColors() const;
    TGlowColorSet DownColors() const;
    TGlowColorSet CheckedColors() const;
    TGlowColorSet DisabledColors() const;

    // Set by the owner (a glow button repaints).
    vcl::TNotifyEvent OnChange;

    KV_GLOW_PROP(TColor, BorderColor);
    KV_GLOW_PROP(TColor, BorderColorHot);
    KV_GLOW_PROP(TColor, BorderColorDown);
    KV_GLOW_PROP(TColor, BorderColorChecked);
    KV_GLOW_PROP(TColor, BorderColorDisabled);
    KV_GLOW_PROP(TColor, Color);
    KV_GLOW_PROP(TColor, ColorTo);
    KV_GLOW_PROP(TColor, ColorChecked);
    KV_GLOW_PROP(TColor, ColorCheckedTo);
    KV_GLOW_PROP(TColor, ColorDisabled);
    KV_GLOW_PROP(TColor, ColorDisabledTo);
    KV_GLOW_PROP(TColor, ColorDown);
    KV_GLOW_PROP(TColor, ColorDownTo);
    KV_GLOW_PROP(TColor, ColorHot);
    KV_GLOW_PROP(TColor, ColorHotTo);
    KV_GLOW_PROP(TColor, ColorMirror);
    KV_GLOW_PROP(TColor, ColorMirrorTo);
    KV_GLOW_PROP(TColor, ColorMirrorHot);
    KV_GLOW_PROP(TColor, ColorMirrorHotTo);
    KV_GLOW_PROP(TColor, ColorMirrorDown);
    KV_GLOW_PROP(TColor, ColorMirrorDownTo);
    KV_GLOW_PROP(TColor, ColorMirrorChecked);
    KV_GLOW_PROP(TColor, ColorMirrorCheckedTo);
    KV_GLOW_PROP(TColor, ColorMirrorDisabled);
    KV_GLOW_PROP(TColor, ColorMirrorDisabledTo);
    KV_GLOW_PROP(TGDIPGradient, Gradient);
    KV_GLOW_PROP(TGDIPGradient, GradientMirror);
    KV_GLOW_PROP(TGDIPGradient, GradientHot);
    KV_GLOW_PROP(TGDIPGradient, GradientMirrorHot);
    KV_GLOW_PROP(TGDIPGradient, GradientDown);
    KV_GLOW_PROP(TGDIPGradient, GradientMirrorDown);
    KV_GLOW_PROP(TGDIPGradient, GradientChecked);
    KV_GLOW_PROP(TGDIPGradient, GradientMirrorChecked);
    KV_GLOW_PROP(TGDIPGradient, GradientDisabled);
    KV_GLOW_PROP(TGDIPGradient, GradientMirrorDisabled);

private:
    bool FSystemFont = true;
};

#undef KV_GLOW_PROP

// Mixes two colours: Percent of C1 and the rest of C2. 100 and above give C1, below 1 give C2, both
// unchanged (system colours included); otherwise system colours are resolved first.
TColor BlendColor(TColor C1, TColor C2, int Percent);
// Darkens each channel by -Percent percent; a positive Percent raises zero channels to Percent.
TColor AdjustBrightness(TColor C, int Percent);
// The same with one percentage per channel (red, green, blue).
TColor AdjustBrightnessRGB(TColor C, int PercentR, int PercentG, int PercentB);
// A gradient of Steps overlapping bands (0 counts as 1) from FromColor to ToColor, left to right when
// Horizontal, else top to bottom, drawn with the canvas's pen and brush.
void DrawSteppedGradient(vcl::TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal,
                         const vcl::TRect& R, int Steps);

// The painter's GDI+ pieces. FillGlowBackground fills one half of a face: a solid fill, then the
// half's gradient (radial: centred on the top edge for the upper half, the bottom edge for the lower);
// width and height of both fills are R's right and bottom coordinates (the surplus is clipped).
void FillGlowBackground(vcl::TCanvas* Canvas, AdvGDIP::TGPGraphics* Graphics, const vcl::TRect& R, TColor C1,
                        TColor C2, TGDIPGradient Kind, bool UpperHalf);
// Outlines; X, Y, W, H are the first and last pixels' coordinates as the painter passes them.
void DrawRoundRectBorder(AdvGDIP::TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H,
                         int Radius);
void DrawLeftButtonBorder(AdvGDIP::TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H,
                          int Radius);
void DrawMiddleButtonBorder(AdvGDIP::TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H,
                            int Radius, bool Emphasised);
void DrawRightButtonBorder(AdvGDIP::TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H,
                           int Radius, bool Emphasised);
void DrawDottedRoundRect(AdvGDIP::TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H,
                         int Radius);
// The small arrow of a drop-down part at P: pointing down, or right.
void DrawDropDownArrow(vcl::TCanvas* Canvas, vcl::TPoint P, TColor Color, TColor EdgeColor, bool Down);
// Draws the picture's bytes into R: scaled with GDI+, or, for a bitmap file, stretched on Canvas with
// its automatic transparent colour.
void DrawPictureStream(AdvGDIP::TGPGraphics* Graphics, vcl::TCanvas* Canvas, const vcl::TRect& R,
                       GDIPicture::TGDIPPicture* Picture);

} // namespace AdvGlowButton
