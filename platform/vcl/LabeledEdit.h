#pragma once
// TLabeledEdit: an edit with a label of its own (EditLabel) that stays beside it: above, below, left or
// right of it, LabelSpacing pixels away. The label shares the edit's parent, visibility and enabled
// state, and its accelerator focuses the edit.

#include "platform/vcl/Edit.h"

namespace vcl {

KV_ENUM(TLabelPosition, lpAbove, lpBelow, lpLeft, lpRight);

class TCustomLabeledEdit;

// The label of a labelled edit: a sub-component owned by the edit.
class TBoundLabel : public TCustomLabel {
    KV_CLASS(TBoundLabel, TCustomLabel)
public:
    explicit TBoundLabel(TComponent* AOwner);

protected:
    void AdjustBounds() override;
};

class TCustomLabeledEdit : public TCustomEdit {
    KV_CLASS(TCustomLabeledEdit, TCustomEdit)
    KV_PUBLISHED_PROPERTIES(TCustomLabeledEdit)
public:
    explicit TCustomLabeledEdit(TComponent* AOwner);
    ~TCustomLabeledEdit() override;

    TBoundLabel* EditLabel() const { return FEditLabel; }
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int LabelSpacing() const { return FLabelSpacing; }
    void SetLabelSpacing(int Value);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Places the label for the current position and spacing.
    void UpdateLabelPosition();

    void SetParent(TWinControl* AParent) override;

protected:
    void WndProc(TMessage& Message) override;

private:
    TBoundLabel* FEditLabel = nullptr; // owned (as a component) by this edit
    TLabelPosition FLabelPosition = lpAbove;
    int FLabelSpacing = 3;
};

class TLabeledEdit : public TCustomLabeledEdit {
    KV_CLASS(TLabeledEdit, TCustomLabeledEdit)
public:
    explicit TLabeledEdit(TComponent* AOwner) : TCustomLabeledEdit(AOwner) {}
};

} // namespace vcl
