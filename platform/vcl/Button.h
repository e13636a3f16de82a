#pragma once
// TButton: a push button drawn by us. A click (mouse released over it, Space released while it has the
// focus, Enter while it is the active default, Escape when it is the cancel button, its accelerator) sets
// its form's ModalResult to the button's ModalResult and then runs OnClick.
//
// The "active" button is the one Enter presses: the focused button, or the Default button while the focus
// is on a control that is not a button. It is drawn with a dark outline.

#include "platform/vcl/Form.h"
#include "platform/vcl/Label.h"

namespace vcl {

// The base of push buttons, check boxes and radio buttons: the pressed state under the mouse and Space.
class TButtonControl : public TCustomControl {
    KV_CLASS(TButtonControl, TCustomControl)
    KV_PUBLISHED_PROPERTIES(TButtonControl)
public:
    explicit TButtonControl(TComponent* AOwner);
    ~TButtonControl() override;

    // True while the button is held down (mouse over it with the button pressed, or Space held).
    bool Pressed() const { return FPressed; }

protected:
    // Called when a press completes (mouse released over the control, Space released).
    virtual void Activate() { Click(); }
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoExit() override;
    // Draws the caption in Rect (DrawText flags), grey when disabled.
    void DrawCaption(TRect Rect, win::UINT Flags);

    bool FPressed = false;

private:
    void SetPressed(bool Value);
    bool FMouseDown = false;
    bool FSpaceDown = false;
};

class TCustomButton : public TButtonControl {
    KV_CLASS(TCustomButton, TButtonControl)
    KV_PUBLISHED_PROPERTIES(TCustomButton)
public:
    explicit TCustomButton(TComponent* AOwner);
    ~TCustomButton() override;

    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    // True when Enter presses this button now (see the header comment).
    bool Active() const { return FActive; }

    void Click() override;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;

    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    TModalResult FModalResult = 0;
};

class TButton : public TCustomButton {
    KV_CLASS(TButton, TCustomButton)
public:
    explicit TButton(TComponent* AOwner) : TCustomButton(AOwner) {}
};

} // namespace vcl
