#pragma once
// TSpeedButton: a windowless button with a glyph and an optional caption, as tool bars and dialog
// side bars use. It never takes the focus.
//
// Pressing shows it down while the pointer stays on it; releasing on it clicks. With a GroupIndex it
// stays down once clicked, and going down raises the other buttons of its parent with the same group
// (CM_BUTTONPRESSED); with AllowAllUp a down button of a group comes up again when clicked. A Flat
// button draws no face at rest: a thin raised edge while the pointer is on it, a thin sunken one while
// it is down.
//
// Glyph holds NumGlyphs images side by side: up, disabled, down, held down (missing ones fall back to
// the up image; a missing disabled image is made from the up image in the embossed grey of disabled
// text). The glyph's transparent colour is its bitmap's (the bottom-left pixel unless set). Layout,
// Margin (-1: the glyph and caption centred together) and Spacing (-1: the room left shared evenly)
// place the glyph against the caption.

#include <memory>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/CustomControl.h"

namespace vcl {

KV_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int;

class TSpeedButton : public TGraphicControl {
    KV_CLASS(TSpeedButton, TGraphicControl)
    KV_PUBLISHED_PROPERTIES(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    // Only a button of a group (GroupIndex above 0) stays down.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
    // 1 to 4; other values are ignored.
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // The state the face is drawn in, and whether the pointer is on the button.
    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    void Click() override;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void GlyphChanged(TObject* Sender);
    void UpdateExclusive();
    void DrawGlyph(TCanvas* C, TPoint At, TButtonState State);
    // Where the glyph and the caption go inside Client.
    void Arrange(const TRect& Client, TSize GlyphSize, TSize TextSize, TPoint& GlyphAt, TRect& TextRect);

    std::unique_ptr<TBitmap> FGlyph;
    TButtonState FState = bsUp;
    TButtonLayout FLayout = blGlyphLeft;
    TNumGlyphs FNumGlyphs = 1;
    int FGroupIndex = 0;
    int FMargin = -1;
    int FSpacing = 4;
    bool FAllowAllUp = false;
    bool FDown = false;
    bool FFlat = false;
    bool FTransparent = true;
    bool FMouseInControl = false;
    bool FDragging = false;
};

} // namespace vcl
