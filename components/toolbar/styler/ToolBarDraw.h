#pragma once
// The toolbar unit's stateless drawing routines, shared by every painter of the toolbar family: the
// banded gradient, colour helpers, etched lines, vertical captions, GDI+ outlines and captions, the
// two-part "Vista" surface, the Vista button face and the caption-button glyphs. Each GDI+ routine
// makes and frees its own GDI+ objects.

#include "components/foundation/AdvGDIP.h"
#include "components/foundation/AdvGlowButtonAppearance.h"
#include "components/foundation/AdvGlowButtonDraw.h"
#include "components/foundation/GDIPicture.h"
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

// What a Vista face may carry over its surface: a caption, a glyph, a focus frame and a drop-down part.
struct TVistaContent {
    vcl::String Caption, WideCaption; // the first one is used when not empty
    bool ShowCaption = true;
    vcl::TFont* Font = nullptr;
    vcl::TCustomImageList* Images = nullptr;
    int ImageIndex = -1;
    bool ImageEnabled = true;
    GDIPicture::TGDIPPicture* Picture = nullptr;
    vcl::TBitmap* Glyph = nullptr; // a bitmap goes before a picture, a picture before the image list
    bool ShowGlyph = true;
    // Where the glyph stands against the caption (blGlyphLeft, blGlyphTop, blGlyphRight, blGlyphBottom).
    AdvGlowButton::TButtonLayout Layout = AdvGlowButton::blGlyphLeft;
    int Spacing = 2;
    bool WordWrap = false;
    AdvGDIP::StringTrimming Trimming = AdvGDIP::StringTrimmingNone;
    TAntiAlias AntiAlias = AdvGDIP::aaNone;
    bool Enabled = true;
    bool Focused = false;
    // A drop-down part 13 pixels wide at the right edge (or high at the bottom) with an arrow; split
    // off, it has a split line in the border colour and its own shading.
    bool DropDownButton = false;
    bool DropDownSplit = false;
    bool DropDownBottom = false;
    int DropDownState = 0; // 2: the drop-down part is pressed
    bool ArrowUp = false;
    // Only measures: nothing is drawn and the canvas brush is left alone.
    bool Measuring = false;
};

// DrawVistaGradient with the content drawn over the surface: the glyph beside the caption (by
// Content.Layout) and the drop-down part with its optional split line and its arrow (black, grey when
// disabled). Content.Focused and Content.Enabled stand for the plain routine's arguments.
void DrawVistaGradientEx(vcl::TCanvas* Canvas, const vcl::TRect& R, TColor Color, TColor ColorTo,
                         TColor ColorMirror, TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient,
                         TGDIPGradient GradientMirror, bool RoundEdges, const TVistaContent& Content);

// Where a Vista button sits in a group.
enum class TVistaButtonPosition { Single = 0, Left = 1, Middle = 2, Right = 3 };

// Everything a Vista button face is drawn from.
struct TVistaButtonInput {
    vcl::TCanvas* Canvas = nullptr;
    vcl::TRect R;
    TColor Color = vcl::clWhite, ColorTo = vcl::clWhite, ColorMirror = vcl::clWhite,
           ColorMirrorTo = vcl::clWhite, BorderColor = vcl::clBlack;
    TGDIPGradient Gradient = AdvGlowButton::ggVertical, GradientMirror = AdvGlowButton::ggVertical;
    bool NoFace = false;     // neither background nor border
    bool Emphasised = false; // the left edge of the middle and right pieces
    TVistaButtonPosition Position = TVistaButtonPosition::Single;
    bool ShowBorder = true;
    bool Rounded = true;
    TVistaContent Content;
};

// The face of a page scroll button or a quick access toolbar button: the two glow halves, a border
// shaped by Position, then the content as a glow button draws it (caption and glyph by layout, focus
// frame, drop-down part). NoFace draws no face but still the content, and leaves the canvas brush
// clear. The result is the glyph's size: its width plus the spacing when it has one, (0, 0) without.
vcl::TSize DrawVistaButton(const TVistaButtonInput& In);
// The face alone, as the page scroll buttons and the quick access toolbar's buttons draw it.
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
