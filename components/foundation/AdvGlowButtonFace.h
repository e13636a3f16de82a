#pragma once
// TGlowFaceCache: a glow button's face (background halves, border, focus outlines and caption) as last
// painted, with everything it was painted from. A paint from the same description is a copy of the kept
// pixels; any difference (colours, state, size, caption, fonts, layout) paints the face anew. The glyph and
// the drop-down arrow are not kept: they are drawn over the copy at every paint, since their pictures can
// change without anything the button knows of changing.

#include "components/foundation/AdvGlowButtonAppearance.h"
#include "platform/vcl/Bitmap.h"

namespace AdvGlowButton {

// The parts of a font that change how text comes out.
struct TGlowFontKey {
    vcl::String Name;
    int Height = 0;
    vcl::TColor Color = 0;
    vcl::TFontStyles Style;
    vcl::TFontCharset Charset = 0;
    vcl::TFontPitch Pitch = vcl::fpDefault;
    int Orientation = 0, PixelsPerInch = 0;
    bool Present = false;

    static TGlowFontKey Of(vcl::TFont* Font);
    bool operator==(const TGlowFontKey&) const = default;
};

// Everything the face's pixels depend on.
struct TGlowFaceKey {
    vcl::TRect R;
    vcl::TColor Color = 0, ColorTo = 0, ColorMirror = 0, ColorMirrorTo = 0, BorderColor = 0;
    int Gradient = 0, GradientMirror = 0;
    vcl::String Caption, WideCaption, Notes;
    TGlowFontKey Font, NotesFont;
    vcl::TSize Glyph{0, 0};
    bool ForcedGlyph = false;
    int Layout = 0, Spacing = 0, Trimming = 0, AntiAlias = 0, DropDownPosition = 0, DropDownPartState = 0;
    int Position = 0;
    bool WordWrap = false, DropDownButton = false, DropDownSplit = false, Emphasised = false, Enabled = false,
         Hot = false, Down = false, Focused = false, DrawBorder = false, Rounded = false;

    bool operator==(const TGlowFaceKey&) const = default;
};

// Where painting the face put things: the content size, and the glyph's place and size.
struct TGlowFaceLayout {
    vcl::TSize Size{0, 0};
    vcl::TSize Glyph{0, 0};
    int GX = 0, GY = 0;
    bool HasCaption = false, HasNotes = false, GdiText = false;
};

class TGlowFaceCache {
public:
    // The kept face and its layout when they were painted from Key, else nullptr.
    const TGlowFaceLayout* Find(const TGlowFaceKey& Key) const;
    // A canvas Key.R.Right by Key.R.Bottom to paint the face for Key into (at Key.R); Keep then stores
    // the layout the painting reported. Until then nothing is kept.
    vcl::TCanvas* Begin(const TGlowFaceKey& Key);
    void Keep(const TGlowFaceLayout& Layout);
    // Copies the kept face to the same rectangle of Canvas.
    void CopyTo(vcl::TCanvas* Canvas) const;
    // Forgets the face (the bitmap is kept for the next one of the same size).
    void Clear() { FValid = false; }

private:
    mutable vcl::TBitmap FBitmap;
    TGlowFaceKey FKey;
    TGlowFaceLayout FLayout;
    bool FValid = false;
};

} // namespace AdvGlowButton
