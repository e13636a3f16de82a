#include "platform/vcl/LabeledEdit.h"

#include "platform/classes/ClassRegistry.h"

namespace vcl {

KV_PUBLISHED(TCustomLabeledEdit) {
    p.Object("EditLabel", &TCustomLabeledEdit::FEditLabel);
    p.Enum("LabelPosition", &TCustomLabeledEdit::FLabelPosition, &TCustomLabeledEdit::SetLabelPosition,
           lpAbove);
    p.Int("LabelSpacing", &TCustomLabeledEdit::FLabelSpacing, &TCustomLabeledEdit::SetLabelSpacing, 3);
}

KV_REGISTER_CLASS(TLabeledEdit)

// ---- TBoundLabel

TBoundLabel::TBoundLabel(TComponent* AOwner) : TCustomLabel(AOwner) {
    SetName("SubLabel");
    SetSubComponent(true);
    SetCaption(AOwner != nullptr ? AOwner->Name() : String());
}

void TBoundLabel::AdjustBounds() {
    TCustomLabel::AdjustBounds();
    // A new size moves the label to keep its place beside the edit.
    if (auto* edit = dynamic_cast<TCustomLabeledEdit*>(Owner())) edit->UpdateLabelPosition();
}

// ---- TCustomLabeledEdit

TCustomLabeledEdit::TCustomLabeledEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    FEditLabel = new TBoundLabel(this);
    FEditLabel->FreeNotification(this);
    FEditLabel->SetFocusControl(this);
}

TCustomLabeledEdit::~TCustomLabeledEdit() = default;

void TCustomLabeledEdit::UpdateLabelPosition() {
    if (FEditLabel == nullptr) return;
    const int lw = FEditLabel->Width();
    const int lh = FEditLabel->Height();
    TPoint p;
    switch (FLabelPosition) {
    case lpAbove:
        p = {Left(), Top() - lh - FLabelSpacing};
        break;
    case lpBelow:
        p = {Left(), Top() + Height() + FLabelSpacing};
        break;
    case lpLeft:
        p = {Left() - lw - FLabelSpacing, Top() + (Height() - lh) / 2};
        break;
    case lpRight:
        p = {Left() + Width() + FLabelSpacing, Top() + (Height() - lh) / 2};
        break;
    }
    if (p.X != FEditLabel->Left() || p.Y != FEditLabel->Top()) FEditLabel->SetBounds(p.X, p.Y, lw, lh);
}

void TCustomLabeledEdit::SetLabelPosition(TLabelPosition Value) {
    FLabelPosition = Value;
    UpdateLabelPosition();
}

void TCustomLabeledEdit::SetLabelSpacing(int Value) {
    FLabelSpacing = Value;
    UpdateLabelPosition();
}

void TCustomLabeledEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateLabelPosition();
}

void TCustomLabeledEdit::SetParent(TWinControl* AParent) {
    TCustomEdit::SetParent(AParent);
    if (FEditLabel == nullptr) return;
    static_cast<TControl*>(FEditLabel)->SetParent(AParent);
    FEditLabel->SetVisible(Visible());
}

void TCustomLabeledEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FEditLabel) FEditLabel = nullptr;
}

void TCustomLabeledEdit::WndProc(TMessage& Message) {
    TCustomEdit::WndProc(Message);
    if (FEditLabel == nullptr) return;
    switch (Message.Msg) {
    case CM_VISIBLECHANGED:
        FEditLabel->SetVisible(Visible());
        break;
    case CM_ENABLEDCHANGED:
        FEditLabel->SetEnabled(Enabled());
        break;
    default:
        break;
    }
}

} // namespace vcl
