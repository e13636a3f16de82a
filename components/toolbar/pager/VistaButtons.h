#pragma once
// Two small buttons drawn like glow buttons: TAdvPageScrollButton, the windowed single-arrow button a
// page (and the pager's tab row) puts at each end to scroll, and TAdvVistaButton, the windowless button
// whose glyph is a single arrow, a double arrow or a bar over an arrow. Both paint from a glow-button
// appearance their owner assigns.

#include <memory>

#include "components/foundation/AdvGlowButtonAppearance.h"
#include "platform/vcl/CustomControl.h"

namespace AdvToolBar {

KV_ENUM(TButtonPosition, bpStandalone, bpLeft, bpMiddle, bpRight);
KV_ENUM(TScrollArrow, saLeft, saTop, saRight, saBottom, saNone);
KV_ENUM(TArrowStyle, asSingle, asDouble, asWithLine);

// The colours a button state paints with: disabled wins, then pressed, then hot.
AdvGlowButton::TGlowColorSet VistaButtonColors(const AdvGlowButton::TGlowButtonAppearance& A, bool Enabled,
                                               bool Pressed, bool Hot, TButtonPosition Position);
// The arrow of a scroll button around the centre (CX, CY), in the canvas pen.
void DrawScrollArrow(vcl::TCanvas* C, TScrollArrow Arrow, int CX, int CY);

class TAdvPageScrollButton : public vcl::TCustomControl {
    KV_CLASS(TAdvPageScrollButton, vcl::TCustomControl)
public:
    explicit TAdvPageScrollButton(vcl::TComponent* AOwner);
    ~TAdvPageScrollButton() override;

    AdvGlowButton::TGlowButtonAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(AdvGlowButton::TGlowButtonAppearance* Value) { FAppearance->Assign(Value); }
    // Both take effect at the next repaint.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }
    TButtonPosition ButtonPosition() const { return FButtonPosition; }
    void SetButtonPosition(TButtonPosition Value) { FButtonPosition = Value; }
    TScrollArrow ScrollArrow() const { return FScrollArrow; }
    void SetScrollArrow(TScrollArrow Value);
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }

    vcl::TNotifyEvent OnMouseEnter;
    vcl::TNotifyEvent OnMouseLeave;

protected:
    void Paint() override;
    void WndProc(vcl::TMessage& Message) override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;

private:
    // Paints the parent's background under the clip rectangle R (client coordinates).
    void PaintParentBackground(vcl::TCanvas* C, const vcl::TRect& R);

    bool FHot = false;
    std::unique_ptr<AdvGlowButton::TGlowButtonAppearance> FAppearance;
    bool FTransparent = false;
    TButtonPosition FButtonPosition = bpStandalone;
    bool FPressed = false;
    TScrollArrow FScrollArrow = saLeft;
};

class TAdvVistaButton : public vcl::TGraphicControl {
    KV_CLASS(TAdvVistaButton, vcl::TGraphicControl)
public:
    explicit TAdvVistaButton(vcl::TComponent* AOwner);
    ~TAdvVistaButton() override;

    AdvGlowButton::TGlowButtonAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(AdvGlowButton::TGlowButtonAppearance* Value) { FAppearance->Assign(Value); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }
    TButtonPosition ButtonPosition() const { return FButtonPosition; }
    void SetButtonPosition(TButtonPosition Value) { FButtonPosition = Value; }
    TScrollArrow ScrollArrow() const { return FScrollArrow; }
    void SetScrollArrow(TScrollArrow Value);
    TArrowStyle ArrowStyle() const { return FArrowStyle; }
    void SetArrowStyle(TArrowStyle Value);
    // A sticky pressed look.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool Hot() const { return FHot; }

    vcl::TNotifyEvent OnMouseEnter;
    vcl::TNotifyEvent OnMouseLeave;

protected:
    void Paint() override;
    void WndProc(vcl::TMessage& Message) override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;

private:
    bool FHot = false;
    std::unique_ptr<AdvGlowButton::TGlowButtonAppearance> FAppearance;
    bool FTransparent = false;
    TButtonPosition FButtonPosition = bpStandalone;
    bool FPressed = false;
    TScrollArrow FScrollArrow = saLeft;
    TArrowStyle FArrowStyle = asSingle;
    bool FDown = false;
};

} // namespace AdvToolBar
