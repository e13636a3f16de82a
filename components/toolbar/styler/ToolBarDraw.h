#pragma once
// The toolbar unit's stateless drawing routines, shared by every painter of the toolbar family: the
// banded gradient, colour helpers, etched lines, vertical captions, GDI+ outlines and captions, the
// two-part "Vista" surface, the Vista button face and the caption-button glyphs. Each GDI+ routine
// makes and frees its own GDI+ objects.

#include "components/foundation/AdvGDIP.h"
#include "components/foundation/AdvGlowButtonAppearance.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Label.h"

namespace AdvToolBar {

using AdvGDIP::TAntiAlias;
using AdvGlowButton::TGDIPGradient;
using vcl::TColor;

// Mixes Percent of C1 with the rest of C2 (100 and above: C1, below 1: C2, both unchanged).
using AdvGlowButton::BlendColor;
// A channel of 0 becomes max(0, Brightness); others scale by min(100, Brightness + 100) percent.
inline TColor BrightnessColor(TColor Color, int Brightness) {
    return AdvGlowButton::AdjustBrightness(Color, Brightness);
}
// The opaque GDI+ colour of a framework colour.
using AdvGDIP::ColorToARGB;

// Steps bands (0 counts as 1) from FromColor to ToColor over R less its far edge, left to right when
// Horizontal, else top to bottom. The canvas keeps the last band's pen and brush colour.
void DrawGradient(vcl::TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const vcl::TRect& R,
                  bool Horizontal);
// R becomes a Width x Height rectangle centred in it.
void CenterRect(vcl::TRect& R, int Width, int Height);
// A two-tone etched line from P1 to P2: white first when Raised, else the button shadow first.
void Draw3DEdgeLines(vcl::TCanvas* Canvas, vcl::TPoint P1, vcl::TPoint P2, bool Raised, bool Vertical);
// Writes Caption at P with the canvas's (rotated, top to bottom) font, its hot key underlined.
void DrawVerticalText(vcl::TCanvas* Canvas, const vcl::String& Caption, vcl::TPoint P);

// GDI+ outlines as closed paths.
void DrawGDIPLine(AdvGDIP::TGPGraphics* Graphics, AdvGDIP::TGPPen* Pen, int X, int Y, int Width, int Height);
void DrawGDIPArc(AdvGDIP::TGPGraphics* Graphics, AdvGDIP::TGPPen* Pen, int X, int Y, int Width, int Height,
                 float StartAngle, float SweepAngle, bool Close);
void DrawGDIPRect(AdvGDIP::TGPGraphics* Graphics, AdvGDIP::TGPPen* Pen, int X, int Y, int Width, int Height);
void DrawGDIPRoundRect(AdvGDIP::TGPGraphics* Graphics, AdvGDIP::TGPPen* Pen, int X, int Y, int Width,
                       int Height, int Radius);

// True when the canvas's font is a vector screen font installed on the screen.
bool IsScalableScreenFont(vcl::TCanvas* Canvas);
// Measures (and, with Draw, draws) Caption in R: GDI text with aaNone or a font that does not scale,
// else GDI+ text, shortened to R (with "..." when Ellipsis) when it does not wrap. Result: the
// measured box; (0,0,0,0) for an empty caption.
void DrawGDIPText(vcl::TCanvas* Canvas, vcl::TAlignment Alignment, unsigned Flags, const vcl::TRect& R,
                  const vcl::String& Caption, const vcl::String& WideCaption, vcl::TFont* Font, bool Enabled,
                  bool Draw, TAntiAlias AntiAlias, bool Ellipsis, bool WordWrap, vcl::TRect& Result);
// Measures (and draws) the caption (the wide one when Caption is empty) in R without trimming. Both
// empty: Result stays as it is.
void DrawGDIPTextTrimmed(vcl::TCanvas* Canvas, vcl::TAlignment Alignment, const vcl::TRect& R,
                         const vcl::String& Caption, const vcl::String& WideCaption, vcl::TFont* Font,
                         bool Enabled, bool Draw, TAntiAlias AntiAlias, vcl::TRect& Result);

// The two-part surface: the lower half ColorMirror to ColorMirrorTo, the upper half Color to ColorTo
// (one pixel taller for an odd height), a border unless BorderColor is clNone (rounded with
// RoundEdges). The canvas is left with brush colour Color, style clear.
void DrawVistaGradient(vcl::TCanvas* Canvas, const vcl::TRect& R, TColor Color, TColor ColorTo,
                       TColor ColorMirror, TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient,
                       TGDIPGradient GradientMirror, const vcl::String& Caption, vcl::TFont* Font,
                       bool Enabled, bool Focused, TAntiAlias AntiAlias, bool RoundEdges);

// Where a Vista button sits in a group.
enum class TVistaButtonPosition { Single = 0, Left = 1, Middle = 2, Right = 3 };

// The face of a page scroll button or a quick access toolbar button: the two glow halves and a
// border shaped by Position (Emphasised: the left edge of the middle and right pieces). NoFace draws
// nothing but still leaves the canvas brush clear.
void DrawVistaButton(vcl::TCanvas* Canvas, const vcl::TRect& R, TColor Color, TColor ColorTo,
                     TColor ColorMirror, TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient,
                     TGDIPGradient GradientMirror, bool NoFace, bool Emphasised,
                     TVistaButtonPosition Position, bool ShowBorder = true, bool Rounded = true);

// The caption-button glyphs, drawn with the canvas pen in Color (the last point of each line is not
// painted). The vertical forms hang from R's top-right corner (minimise: top-left).
void DrawCloseGlyph(vcl::TCanvas* Canvas, const vcl::TRect& R, TColor Color, int Size);
void DrawMinimizeGlyph(vcl::TCanvas* Canvas, const vcl::TRect& R, TColor Color, bool Horizontal);
void DrawMaximizeGlyph(vcl::TCanvas* Canvas, const vcl::TRect& R, TColor Color, bool Horizontal);
void DrawRestoreGlyph(vcl::TCanvas* Canvas, const vcl::TRect& R, TColor Color, bool Horizontal);

} // namespace AdvToolBar
