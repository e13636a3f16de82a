#pragma once
// TCheckBox and TRadioButton: a box or a circle with a caption beside it, drawn by us.
//
// A check box toggles on a click or on Space (unchecked -> checked -> unchecked, passing through grayed
// when AllowGrayed). A radio button becomes checked on a click, on Space, or when it receives the focus
// from the keyboard, and unchecks the radio buttons that share its parent. Changing the state (by the
// user or by code) runs OnClick, except while the layout is being read.

#include "platform/vcl/Button.h"

namespace vcl {

KV_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed);

class TCustomCheckBox : public TButtonControl {
    KV_CLASS(TCustomCheckBox, TButtonControl)
    KV_PUBLISHED_PROPERTIES(TCustomCheckBox)
public:
    explicit TCustomCheckBox(TComponent* AOwner);
    ~TCustomCheckBox() override;

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    // taRightJustify (the default): the caption right of the box; taLeftJustify: left of it.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // The next state of a click.
    virtual void Toggle();

protected:
    void Activate() override { Toggle(); }
    void Paint() override;
    void WndProc(TMessage& Message) override;

    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;

private:
    bool StateStored() const { return FState != cbUnchecked; }
};

class TCheckBox : public TCustomCheckBox {
    KV_CLASS(TCheckBox, TCustomCheckBox)
public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
    KV_CLASS(TRadioButton, TButtonControl)
    KV_PUBLISHED_PROPERTIES(TRadioButton)
public:
    explicit TRadioButton(TComponent* AOwner);
    ~TRadioButton() override;

    bool Checked() const { return FChecked; }
    // Checking unchecks the other radio buttons of the same parent.
    void SetChecked(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

protected:
    void Activate() override { SetChecked(true); }
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void DoEnter() override;

    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};

namespace stdctrls {
// Draws a check box (13 by 13) with its top-left corner at (X, Y).
void DrawCheckBox(TCanvas* Canvas, int X, int Y, TCheckBoxState State, bool Enabled, bool Pressed);
// Draws a radio circle (12 by 12) with its top-left corner at (X, Y).
void DrawRadioCircle(TCanvas* Canvas, int X, int Y, bool Checked, bool Enabled, bool Pressed);
// Lays out a box of BoxSize beside the caption in Client; returns the box's top-left and the caption's rect.
TPoint LayoutBoxAndCaption(const TRect& Client, int BoxSize, TAlignment Alignment, TRect& CaptionRect);
} // namespace stdctrls

} // namespace vcl
