#include "platform/vcl/RadioGroup.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include <algorithm>

#include "platform/win/Gdi.h"

namespace vcl {

// A radio button of the group: reports its clicks to the group.
class TCustomRadioGroup::TGroupButton : public TRadioButton {
    KV_CLASS(TGroupButton, TRadioButton)
public:
    TGroupButton(TCustomRadioGroup* Group) : TRadioButton(nullptr), FGroup(Group) {}
    void Click() override {
        TRadioButton::Click();
        if (Checked()) FGroup->ButtonClicked(this);
    }

private:
    TCustomRadioGroup* FGroup;
};

KV_PUBLISHED(TCustomRadioGroup) {
    p.Int("Columns", &TCustomRadioGroup::FColumns, &TCustomRadioGroup::SetColumns, 1);
    p.Strings("Items", &TCustomRadioGroup::FItems);
    p.Int("ItemIndex", &TCustomRadioGroup::FItemIndex, &TCustomRadioGroup::SetItemIndex, -1);
}

KV_REGISTER_CLASS(TRadioGroup)

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>()) {
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csParentBackground};
    FItems->OnChanging = [this](TObject*) { FBefore.Take(FItems.get()); };
    FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
    FItems->OnChanging = nullptr;
    FItems->OnChange = nullptr;
    std::vector<TGroupButton*> buttons;
    buttons.swap(FButtons);
    for (TGroupButton* b : buttons)
        FreeComponent(b);
}

TRadioButton* TCustomRadioGroup::Buttons(int Index) const {
    if (Index < 0 || Index >= ButtonCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FButtons[static_cast<std::size_t>(Index)];
}

void TCustomRadioGroup::SetItemIndex(int Value) {
    if (ComponentState().Contains(csLoading)) {
        // Items may come later in the layout; Loaded checks the button.
        FItemIndex = Value;
        return;
    }
    if (Value < -1 || Value >= ButtonCount())
        throw EListError("List index out of bounds (" + std::to_string(Value) + ")");
    if (Value == FItemIndex) return;
    if (Value < 0) {
        FUpdating = true;
        for (TGroupButton* b : FButtons)
            b->SetChecked(false);
        FUpdating = false;
        FItemIndex = -1;
        UpdateTabStops();
        Click();
        return;
    }
    // Checking the button runs ButtonClicked, which records the index and runs OnClick.
    FButtons[static_cast<std::size_t>(Value)]->SetChecked(true);
}

void TCustomRadioGroup::ButtonClicked(TGroupButton* Button) {
    if (FUpdating) return;
    auto it = std::find(FButtons.begin(), FButtons.end(), Button);
    if (it == FButtons.end()) return;
    int index = static_cast<int>(it - FButtons.begin());
    if (index == FItemIndex) return;
    FItemIndex = index;
    UpdateTabStops();
    Click();
}

void TCustomRadioGroup::SetColumns(int Value) {
    Value = std::clamp(Value, 1, 16);
    if (FColumns == Value) return;
    FColumns = Value;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::ItemsChanged(TObject*) {
    if (ComponentState().Contains(csLoading)) return;
    // The checked line stays checked where it went; when it is gone, none is.
    if (FBefore.Taken()) FItemIndex = FBefore.Follow(FItemIndex, FItems.get());
    FBefore.Clear();
    UpdateButtons();
    if (FItemIndex >= ButtonCount()) FItemIndex = -1;
    FUpdating = true;
    for (int i = 0; i < ButtonCount(); ++i)
        FButtons[static_cast<std::size_t>(i)]->SetChecked(i == FItemIndex);
    FUpdating = false;
    UpdateTabStops();
}

void TCustomRadioGroup::UpdateButtons() {
    const int count = FItems->GetCount();
    while (ButtonCount() > count) {
        TGroupButton* b = FButtons.back();
        FButtons.pop_back();
        FreeComponent(b);
    }
    while (ButtonCount() < count) {
        auto* b = new TGroupButton(this);
        static_cast<TControl*>(b)->SetParent(this);
        FButtons.push_back(b);
    }
    for (int i = 0; i < count; ++i) {
        TGroupButton* b = FButtons[static_cast<std::size_t>(i)];
        b->SetCaption(FItems->Get(i));
        b->SetEnabled(Enabled());
    }
    ArrangeButtons();
}

void TCustomRadioGroup::UpdateTabStops() {
    for (int i = 0; i < ButtonCount(); ++i) {
        bool stop = FItemIndex < 0 ? i == 0 : i == FItemIndex;
        FButtons[static_cast<std::size_t>(i)]->SetTabStop(stop);
    }
}

void TCustomRadioGroup::ArrangeButtons() {
    if (FButtons.empty()) return;
    const int count = ButtonCount();
    const int perColumn = (count + FColumns - 1) / FColumns;
    const int buttonWidth = (Width() - 10) / FColumns;
    const int lineHeight = CaptionHeight();
    const int space = Height() - lineHeight - 5;
    const int buttonHeight = std::max(0, space / perColumn);
    const int topMargin = lineHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < count; ++i) {
        int left = (i / perColumn) * buttonWidth + 8;
        int top = (i % perColumn) * buttonHeight + topMargin;
        FButtons[static_cast<std::size_t>(i)]->SetBounds(left, top, std::max(0, buttonWidth), buttonHeight);
    }
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    int index = FItemIndex;
    FItemIndex = -1;
    UpdateButtons();
    if (index >= ButtonCount()) index = -1;
    if (index >= 0) {
        FUpdating = true;
        FButtons[static_cast<std::size_t>(index)]->SetChecked(true);
        FUpdating = false;
        FItemIndex = index;
    }
    UpdateTabStops();
}

void TCustomRadioGroup::Resize() {
    TCustomGroupBox::Resize();
    ArrangeButtons();
}

void TCustomRadioGroup::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        for (TGroupButton* b : FButtons)
            b->SetEnabled(Enabled());
        break;
    case CM_FONTCHANGED:
        TCustomGroupBox::WndProc(Message);
        ArrangeButtons();
        return;
    default:
        break;
    }
    TCustomGroupBox::WndProc(Message);
}

} // namespace vcl
