#include "platform/vcl/Button.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/win/Gdi.h"
#include "platform/win/WinUser.h"

namespace vcl {

KV_PUBLISHED(TButtonControl) {
    p.Default("TabStop", true);
    p.Default("Color", clBtnFace);
    p.Str("Caption", &TButtonControl::Caption, &TButtonControl::SetCaption);
}

KV_PUBLISHED(TCustomButton) {
    p.Bool("Default", &TCustomButton::FDefault, &TCustomButton::SetDefault, false);
    p.Bool("Cancel", &TCustomButton::FCancel, &TCustomButton::SetCancel, false);
    p.Int("ModalResult", &TCustomButton::FModalResult, &TCustomButton::SetModalResult, 0);
}

KV_REGISTER_CLASS(TButton)

// ---- TButtonControl

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
    // Clicks come from the completed press, not from every mouse-up.
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csCaptureMouse};
    FColor = clBtnFace;
    SetTabStop(true);
}

TButtonControl::~TButtonControl() = default;

void TButtonControl::SetPressed(bool Value) {
    if (FPressed == Value) return;
    FPressed = Value;
    Invalidate();
}

void TButtonControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        FMouseDown = FSpaceDown = false;
        SetPressed(false);
        break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    // The focus rectangle is drawn by Paint: it comes and goes with the focus.
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TButtonControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && Enabled()) {
        if (!Focused() && CanFocus()) SetFocus();
        FMouseDown = true;
        SetPressed(true);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TButtonControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (FMouseDown) SetPressed(ClientRect().Contains(TPoint{X, Y}));
    TCustomControl::MouseMove(Shift, X, Y);
}

void TButtonControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    bool activate = false;
    if (Button == mbLeft && FMouseDown) {
        FMouseDown = false;
        activate = ClientRect().Contains(TPoint{X, Y}) && !FSpaceDown;
        SetPressed(FSpaceDown);
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (activate && Enabled()) Activate();
}

void TButtonControl::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == win::VK_SPACE && Shift.Bits() == 0) {
        FSpaceDown = true;
        SetPressed(true);
        Key = 0;
    }
}

void TButtonControl::KeyUp(Word& Key, TShiftState Shift) {
    TCustomControl::KeyUp(Key, Shift);
    if (Key == win::VK_SPACE && FSpaceDown) {
        FSpaceDown = false;
        SetPressed(FMouseDown);
        Key = 0;
        if (Enabled()) Activate();
    }
}

void TButtonControl::DoExit() {
    FSpaceDown = false;
    SetPressed(false);
    TCustomControl::DoExit();
}

void TButtonControl::DrawCaption(TRect Rect, win::UINT Flags) {
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    win::HDC dc = c->Handle();
    String text = Caption();
    win::SetBkMode(dc, win::TRANSPARENT);
    if (!Enabled()) {
        // The engraved look of disabled text: a light copy under the grey one.
        TRect lower = stdctrls::Offset(Rect, 1, 1);
        win::SetTextColor(dc, graphics::ToColorRef(clBtnHighlight));
        win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &lower, Flags);
        win::SetTextColor(dc, graphics::ToColorRef(clBtnShadow));
    } else {
        win::SetTextColor(dc, graphics::ToColorRef(Font()->Color()));
    }
    win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
}

// ---- TCustomButton

TCustomButton::TCustomButton(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 75, 25);
}

TCustomButton::~TCustomButton() = default;

void TCustomButton::SetDefault(bool Value) {
    if (FDefault == Value) return;
    FDefault = Value;
    // The default button is active unless another button has the focus.
    TWinControl* focused = FocusedControl();
    if (focused == nullptr || dynamic_cast<TCustomButton*>(focused) == nullptr) FActive = Value;
    Invalidate();
}

void TCustomButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TCustomButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_GETDLGCODE:
        Message.Result = win::DLGC_BUTTON | (FActive ? win::DLGC_DEFPUSHBUTTON : win::DLGC_UNDEFPUSHBUTTON);
        return;
    case CM_DIALOGKEY: {
        TCMDialogKey key(Message);
        bool enter = key.CharCode == win::VK_RETURN && FActive;
        bool escape = key.CharCode == win::VK_ESCAPE && FCancel;
        if ((enter || escape) && KeyDataToShiftState(key.KeyData).Bits() == 0 && CanFocus()) {
            Click();
            Message.Result = 1;
            return;
        }
        break;
    }
    case CM_DIALOGCHAR: {
        TCMDialogChar key(Message);
        if (IsAccel(key.Char, Caption()) && CanFocus()) {
            Click();
            Message.Result = 1;
            return;
        }
        break;
    }
    case CM_FOCUSCHANGED: {
        TCMFocusChanged msg(Message);
        bool active = dynamic_cast<TCustomButton*>(msg.Sender) != nullptr ? msg.Sender == this : FDefault;
        if (active != FActive) {
            FActive = active;
            Invalidate();
        }
        break;
    }
    default:
        break;
    }
    TButtonControl::WndProc(Message);
}

void TCustomButton::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    if (FActive && Enabled()) {
        // The outline of the button Enter presses.
        c->Brush()->SetColor(cl3DDkShadow);
        c->FrameRect(r);
        r = stdctrls::Inflate(r, -1, -1);
    }
    win::HDC dc = c->Handle();
    if (FPressed) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(r);
    } else {
        TRect edge = r;
        win::DrawEdge(dc, &edge, win::EDGE_RAISED, win::BF_RECT);
    }
    TRect text = stdctrls::Inflate(r, -2, -2);
    if (FPressed) text = stdctrls::Offset(text, 1, 1);
    DrawCaption(text, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
    if (Focused()) {
        TRect focus = stdctrls::Inflate(r, -3, -3);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->Font()->SetColor(clBtnText);
        c->DrawFocusRect(focus);
    }
}

} // namespace vcl
