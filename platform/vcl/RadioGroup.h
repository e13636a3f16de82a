#pragma once
// TRadioGroup: a group box holding one radio button per line of Items, in Columns columns (filled top to
// bottom, then left to right). ItemIndex is the checked line (-1: none). OnClick runs whenever ItemIndex
// changes, by a click, by the keyboard or by code; setting it to the value it has runs nothing.

#include <memory>
#include <vector>

#include "platform/rtl/Strings.h"
#include "platform/vcl/CheckBox.h"
#include "platform/vcl/GroupBox.h"
#include "platform/vcl/ListBox.h"

namespace vcl {

class TCustomRadioGroup : public TCustomGroupBox {
    KV_CLASS(TCustomRadioGroup, TCustomGroupBox)
    KV_PUBLISHED_PROPERTIES(TCustomRadioGroup)
public:
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int ItemIndex() const { return FItemIndex; }
    // -1 unchecks every button; out of range raises EListError.
    void SetItemIndex(int Value);
    int Columns() const { return FColumns; }
    // 1 to 16.
    void SetColumns(int Value);
    // The radio button of line Index (they are rebuilt when Items change).
    TRadioButton* Buttons(int Index) const;
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }

protected:
    void Loaded() override;
    void Resize() override;
    void WndProc(TMessage& Message) override;
    void ArrangeButtons();

private:
    class TGroupButton;
    void ItemsChanged(TObject* Sender);
    void UpdateButtons();
    void ButtonClicked(TGroupButton* Button);
    // The checked button (or the first when none is) is the group's tab stop.
    void UpdateTabStops();

    std::unique_ptr<TStringList> FItems;
    stdctrls::TItemsSnapshot FBefore;
    std::vector<TGroupButton*> FButtons; // parented here; freed by this group
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
    KV_CLASS(TRadioGroup, TCustomRadioGroup)
public:
    explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};

} // namespace vcl
