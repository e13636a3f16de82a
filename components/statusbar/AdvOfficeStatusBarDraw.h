#pragma once
// The status bar's drawing routines: gradients, the Vista-style panel fill, the segmented progress gauge
// and the panel text (GDI, or GDI+ with smoothing).

#include "components/foundation/AdvGDIPTypes.h"
#include "components/statusbar/AdvOfficeStatusBarProgress.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Label.h"

namespace AdvOfficeStatusBar {

// What a progress panel's gauge is drawn with (filled for each paint).
struct TGaugeSettings {
    TColor Level0Color = 0, Level0ColorTo = 0;
    TColor Level1Color = 0, Level1ColorTo = 0;
    TColor Level2Color = 0, Level2ColorTo = 0;
    TColor Level3Color = 0, Level3ColorTo = 0;
    int Level1Perc = 70, Level2Perc = 90;
    TColor BorderColor = 0;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    vcl::TFont* Font = nullptr;
    bool CompletionSmooth = false;
    bool ShowGradient = true;
    int Steps = 11;
    int Position = 0;
    TColor BackGround = vcl::clNone;
    TGaugeOrientation Orientation = goHorizontal;
    bool ShowAsPercent = true;
    String Suffix, Prefix, Text;
};

void DrawRectangle(vcl::TCanvas* Canvas, const vcl::TRect& R, TColor Color);
// Steps bands from FromColor to ToColor, left to right (Horizontal) or top to bottom.
void DrawGradient(vcl::TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const vcl::TRect& R,
                  bool Horizontal);
// An upper gradient Color..ColorTo and a lower ColorMirror..ColorMirrorTo (none when ColorMirror is
// clNone), split at the middle, then a one-pixel frame unless BorderColor is clNone.
void DrawVistaGradient(vcl::TCanvas* Canvas, const vcl::TRect& R, TColor Color, TColor ColorTo,
                       TColor ColorMirror, TColor ColorMirrorTo, TColor BorderColor, bool Fill,
                       bool Vertical);
// Two-pixel gaps every 9 pixels from Rect.Left + 8, in the brush colour or, without a gauge background,
// copied back from Saved (the canvas under GaugeRect before the gauge was drawn).
void DivideInSegment(vcl::TCanvas* Canvas, const vcl::TRect& R, const TGaugeSettings& Settings,
                     const vcl::TRect& GaugeRect, vcl::TCanvas* Saved);
// A horizontal gauge of Value percent in R: background, frame, the fill (one colour by level, or stacked
// bands), the segments and the centred text. The fill never leaves the gauge, whatever the value.
void DrawGauge(vcl::TCanvas* Canvas, const vcl::TRect& R, int Value, const TGaugeSettings& Settings);
// True when the canvas font is a scalable font that the system knows.
bool IsVectorFontAvailable(vcl::TCanvas* Canvas);
// Panel text in Rect: through GDI with Flags (aaNone, or a font the system lacks), else through GDI+ with
// smoothing. CalcRect receives the measured size (at the origin). Nothing is drawn without Draw.
void DrawGDIPText(vcl::TCanvas* Canvas, vcl::TAlignment Alignment, unsigned Flags, const vcl::TRect& Rect,
                  String Text, vcl::TFont* Font, bool Enabled, bool Draw, AdvGDIP::TAntiAlias AntiAlias,
                  bool Ellipsis, bool KeepWhole, vcl::TRect& CalcRect);

} // namespace AdvOfficeStatusBar
