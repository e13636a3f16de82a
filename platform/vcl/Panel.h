#pragma once
// TPanel: a container with an outer and an inner bevel, an optional border, and a caption drawn in
// its middle.
//
// From the outside in: BorderStyle bsSingle (a sunken 2-pixel edge), the outer bevel (BevelWidth pixels),
// BorderWidth pixels of the panel's colour, the inner bevel (BevelWidth pixels). The children are laid
// out inside all of them.

#include "platform/vcl/Form.h"
#include "platform/vcl/Label.h"

namespace vcl {

KV_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace);
using TPanelBevel = TBevelCut;

namespace stdctrls {
// Draws Width nested frames inside Rect, the top and left sides in TopColor, the bottom and right sides
// in BottomColor, and shrinks Rect by Width.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
// The light and dark colours of a bevel cut (the top-left one first).
void BevelColors(TBevelCut Cut, TColor& TopColor, TColor& BottomColor);
} // namespace stdctrls

class TCustomPanel : public TCustomControl {
    KV_CLASS(TCustomPanel, TCustomControl)
    KV_PUBLISHED_PROPERTIES(TCustomPanel)
public:
    explicit TCustomPanel(TComponent* AOwner);
    ~TCustomPanel() override;

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    int BevelWidth() const { return FBevelWidth; }
    // At least 1.
    void SetBevelWidth(int Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    // bsNone or bsSingle (another border style raises EInvalidOperation).
    void SetBorderStyle(TBorderStyle Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& Rect) override;
    void WndProc(TMessage& Message) override;
    // The pixels the border and the bevels take on each side.
    int FrameSize() const;

    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;

private:
    void Changed() override;
};

class TPanel : public TCustomPanel {
    KV_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

} // namespace vcl
