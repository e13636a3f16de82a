#pragma once
// DrawGlowButton: paints a glow button's face (two gradient halves, border, focus outlines, split
// drop-down part, glyph, caption and notes) into a canvas, or only measures its content.

#include "components/foundation/AdvGlowButtonAppearance.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImgList.h"

namespace AdvGlowButton {

class TGlowFaceCache;

KV_ENUM(TButtonLayout, blGlyphLeft, blGlyphTop, blGlyphRight, blGlyphBottom, blGlyphLeftAdjusted,
        blGlyphRightAdjusted, blGlyphTopAdjusted, blGlyphBottomAdjusted);
KV_ENUM(TButtonPosition, bpStandalone, bpLeft, bpMiddle, bpRight);
KV_ENUM(TDropDownPosition, dpRight, dpBottom);

// The width of the drop-down part, and of the strip its split look paints.
constexpr int DropDownPartSize = 13;
constexpr int DropDownStripSize = 12;

// Everything the painter needs, chosen by the button's Paint (or by a measuring caller).
struct TGlowDrawInput {
    vcl::TCanvas* Canvas = nullptr;
    vcl::TRect R;
    TColor Color = vcl::clWhite, ColorTo = vcl::clWhite, ColorMirror = vcl::clWhite,
           ColorMirrorTo = vcl::clWhite, BorderColor = vcl::clBlack;
    TGDIPGradient Gradient = ggVertical, GradientMirror = ggVertical;
    vcl::String Caption, WideCaption; // the first one is used when not empty
    vcl::TFont* Font = nullptr;
    vcl::TFont* NotesFont = nullptr;
    vcl::TStrings* Notes = nullptr;
    vcl::TCustomImageList* Images = nullptr;
    int ImageIndex = -1;
    bool ImageEnabled = true;
    GDIPicture::TGDIPPicture* Picture = nullptr;
    vcl::TBitmap* ToolImage = nullptr;
    vcl::TSize ForcedGlyphSize{0, 0}; // 0 keeps the glyph's own size
    TButtonLayout Layout = blGlyphLeft;
    int Spacing = 2;
    bool WordWrap = true;
    AdvGDIP::StringTrimming Trimming = AdvGDIP::StringTrimmingNone;
    AdvGDIP::TAntiAlias AntiAlias = AdvGDIP::aaClearType;
    bool DropDownButton = false;
    TDropDownPosition DropDownPosition = dpRight;
    bool DropDownSplit = true;
    bool ArrowDown = true;
    int DropDownPartState = 0; // 0 none, 1 over the main part, 2 over the drop-down part
    bool Emphasised = false;   // hot, down or checked look: split strip and split line
    bool Enabled = true, Hot = false, Down = false, Focused = false, DrawBorder = true;
    TButtonPosition Position = bpStandalone;
    bool Rounded = true;
    bool SkipBackground = false;
    bool MeasureOnly = false;
    // Where the face is kept between paints (nullptr: painted every time).
    TGlowFaceCache* FaceCache = nullptr;
};

// Paints (or measures) and returns the content size: glyph, spacing, caption and notes.
vcl::TSize DrawGlowButton(const TGlowDrawInput& In);

} // namespace AdvGlowButton
