#include "platform/vcl/CheckBox.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/win/Gdi.h"
#include "platform/win/Input.h"
#include "platform/win/WinUser.h"

namespace vcl {

KV_PUBLISHED(TCustomCheckBox) {
    p.Enum("Alignment", &TCustomCheckBox::FAlignment, &TCustomCheckBox::SetAlignment, taRightJustify);
    p.Bool("AllowGrayed", &TCustomCheckBox::FAllowGrayed, &TCustomCheckBox::SetAllowGrayed, false);
    p.Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked)
        .Stored(&TCustomCheckBox::StateStored);
    p.Enum("State", &TCustomCheckBox::FState, &TCustomCheckBox::SetState, cbUnchecked);
}

KV_PUBLISHED(TRadioButton) {
    p.Enum("Alignment", &TRadioButton::FAlignment, &TRadioButton::SetAlignment, taRightJustify);
    p.Bool("Checked", &TRadioButton::FChecked, &TRadioButton::SetChecked, false);
}

KV_REGISTER_CLASS(TCheckBox)
KV_REGISTER_CLASS(TRadioButton)

namespace stdctrls {

constexpr int kCheckSize = 13;
constexpr int kRadioSize = 12;
constexpr int kCaptionGap = 4;

void DrawCheckBox(TCanvas* Canvas, int X, int Y, TCheckBoxState State, bool Enabled, bool Pressed) {
    TRect box = Bounds(X, Y, kCheckSize, kCheckSize);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Enabled && !Pressed && State != cbGrayed ? clWindow : clBtnFace);
    Canvas->FillRect(box);
    TRect edge = box;
    win::DrawEdge(Canvas->Handle(), &edge, win::EDGE_SUNKEN, win::BF_RECT);
    if (State == cbUnchecked) return;
    // The tick: three rows of a short stroke down and a long stroke up.
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(!Enabled || State == cbGrayed ? clBtnShadow : clWindowText);
    for (int i = 0; i < 3; ++i) {
        Canvas->MoveTo(X + 3, Y + 5 + i);
        Canvas->LineTo(X + 5, Y + 7 + i);
        Canvas->LineTo(X + 10, Y + 2 + i);
    }
}

void DrawRadioCircle(TCanvas* Canvas, int X, int Y, bool Checked, bool Enabled, bool Pressed) {
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(clBtnShadow);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Enabled && !Pressed ? clWindow : clBtnFace);
    Canvas->Ellipse(X, Y, X + kRadioSize, Y + kRadioSize);
    if (!Checked) return;
    TColor dot = Enabled ? clWindowText : clBtnShadow;
    Canvas->Pen()->SetColor(dot);
    Canvas->Brush()->SetColor(dot);
    Canvas->Ellipse(X + 3, Y + 3, X + kRadioSize - 3, Y + kRadioSize - 3);
}

TPoint LayoutBoxAndCaption(const TRect& Client, int BoxSize, TAlignment Alignment, TRect& CaptionRect) {
    int top = Client.Top + (Client.Height() - BoxSize) / 2;
    CaptionRect = Client;
    if (Alignment == taLeftJustify) {
        CaptionRect.Right = Client.Right - BoxSize - kCaptionGap;
        return {Client.Right - BoxSize, top};
    }
    CaptionRect.Left = Client.Left + BoxSize + kCaptionGap;
    return {Client.Left, top};
}

} // namespace stdctrls

namespace {

// The caption beside a box, with the focus rectangle around it when focused.
void PaintBoxCaption(TButtonControl* Control, TCanvas* Canvas, TRect CaptionRect, bool Focused,
                     const std::function<void(TRect, win::UINT)>& Draw) {
    String text = Control->Caption();
    win::UINT flags = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_LEFT;
    Draw(CaptionRect, flags);
    if (!Focused || text.empty()) return;
    // The focus rectangle hugs the text.
    TRect calc = CaptionRect;
    Canvas->Font()->Assign(Control->Font());
    win::DrawText(Canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &calc,
                  win::DT_SINGLELINE | win::DT_CALCRECT);
    int h = calc.Height();
    TRect focus{CaptionRect.Left - 1, CaptionRect.Top + (CaptionRect.Height() - h) / 2 - 1,
                std::min(CaptionRect.Right, CaptionRect.Left + calc.Width() + 1),
                CaptionRect.Top + (CaptionRect.Height() - h) / 2 + h + 1};
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->Font()->SetColor(clBtnText);
    Canvas->DrawFocusRect(focus);
}

// A box control's alignment: centred is taken as right-justified. False when nothing changes.
bool ChangeBoxAlignment(TAlignment& Field, TAlignment Value) {
    if (Value == taCenter) Value = taRightJustify;
    if (Field == Value) return false;
    Field = Value;
    return true;
}

// Fills the client area with the control's colour; returns where the box goes and sets the caption's place.
TPoint FillAndLayoutBox(TCanvas* Canvas, const TRect& Client, TColor Color, int BoxSize, TAlignment Alignment,
                        TRect& CaptionRect) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(Client);
    return stdctrls::LayoutBoxAndCaption(Client, BoxSize, Alignment, CaptionRect);
}

// Answers WM_GETDLGCODE with DlgCode, and the caption's accelerator key by focusing the control and, once it
// has the focus, calling Activate. True when the message is handled.
bool HandleBoxKeys(TButtonControl* Control, TMessage& Message, win::LRESULT DlgCode,
                   const std::function<void()>& Activate) {
    if (Message.Msg == win::WM_GETDLGCODE) {
        Message.Result = DlgCode;
        return true;
    }
    if (Message.Msg != CM_DIALOGCHAR) return false;
    TCMDialogChar key(Message);
    if (!IsAccel(key.Char, Control->Caption()) || !Control->CanFocus()) return false;
    Control->SetFocus();
    if (Control->Focused()) Activate();
    Message.Result = 1;
    return true;
}

} // namespace

// ---- TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 97, 17);
}

TCustomCheckBox::~TCustomCheckBox() = default;

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (FState == Value) return;
    FState = Value;
    Invalidate();
    if (!ComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked:
        SetState(FAllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
    if (ChangeBoxAlignment(FAlignment, Value)) Invalidate();
}

void TCustomCheckBox::Paint() {
    TCanvas* c = Canvas();
    TRect caption;
    TPoint box = FillAndLayoutBox(c, ClientRect(), Color(), stdctrls::kCheckSize, FAlignment, caption);
    stdctrls::DrawCheckBox(c, box.X, box.Y, FState, Enabled(), FPressed);
    PaintBoxCaption(this, c, caption, Focused(), [this](TRect r, win::UINT f) { DrawCaption(r, f); });
}

void TCustomCheckBox::WndProc(TMessage& Message) {
    if (HandleBoxKeys(this, Message, win::DLGC_BUTTON, [this] { Toggle(); })) return;
    TButtonControl::WndProc(Message);
}

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 113, 17);
}

TRadioButton::~TRadioButton() = default;

void TRadioButton::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    // The button that is checked is the group's tab stop.
    SetTabStop(Value);
    Invalidate();
    if (!Value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
            if (sibling != nullptr && sibling != this) sibling->SetChecked(false);
        }
    }
    if (!ComponentState().Contains(csLoading)) Click();
}

void TRadioButton::SetAlignment(TAlignment Value) {
    if (ChangeBoxAlignment(FAlignment, Value)) Invalidate();
}

void TRadioButton::Paint() {
    TCanvas* c = Canvas();
    TRect caption;
    TPoint box = FillAndLayoutBox(c, ClientRect(), Color(), stdctrls::kRadioSize, FAlignment, caption);
    stdctrls::DrawRadioCircle(c, box.X, box.Y, FChecked, Enabled(), FPressed);
    PaintBoxCaption(this, c, caption, Focused(), [this](TRect r, win::UINT f) { DrawCaption(r, f); });
}

void TRadioButton::DoEnter() {
    TButtonControl::DoEnter();
    // Moving onto a radio button with the arrow keys checks it.
    bool arrow = win::GetKeyState(win::VK_UP) < 0 || win::GetKeyState(win::VK_DOWN) < 0 ||
                 win::GetKeyState(win::VK_LEFT) < 0 || win::GetKeyState(win::VK_RIGHT) < 0;
    if (arrow && !FControlState.Contains(csLButtonDown)) SetChecked(true);
}

void TRadioButton::WndProc(TMessage& Message) {
    if (HandleBoxKeys(this, Message, win::DLGC_BUTTON | win::DLGC_RADIOBUTTON, [this] { SetChecked(true); }))
        return;
    TButtonControl::WndProc(Message);
}

} // namespace vcl
