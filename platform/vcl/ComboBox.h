#pragma once
// TComboBox: an edit (csDropDown) or a plain field (csDropDownList, and the owner-drawn styles) with a
// button that drops down the list of Items in a popup window below it.
//
// The list opens on a click on the control's button (or anywhere on a csDropDownList box), F4, Alt+Down
// and Alt+Up; a click on a line, or Enter, chooses it; Escape or a click outside closes it unchanged. Up
// and Down step through the items without opening the list; in a list box-style combo a letter chooses the
// next item starting with it. The open list scrolls by the wheel, the keys and its scroll bar (arrows and
// track repeating while held, the thumb dragged), as a list box does.
//
// A box one types into (csDropDown, csSimple) has the edit's own context menu in its edit.
//
// OnChange runs when the user types or chooses an item; choosing also runs OnClick and OnSelect. Setting
// ItemIndex or Items by code runs nothing. Typed text leaves ItemIndex at -1.

#include <memory>

#include "platform/rtl/Strings.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/ListBox.h"

namespace vcl {

class TComboPopup;

KV_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable);

// The combo box is an edit (csDropDown) that may also be read-only list field; it shares the edit's
// caret, selection, clipboard and MaxLength handling.
class TCustomComboBox : public TCustomEdit {
    KV_CLASS(TCustomComboBox, TCustomEdit)
    KV_PUBLISHED_PROPERTIES(TCustomComboBox)
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    // -1: none. Out of range raises EListError. Sets the text to the item's.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    // 0 (the default): from the font.
    int ItemHeight() const;
    void SetItemHeight(int Value) { FItemHeight = std::max(0, Value); }
    // Lines the open list shows before it scrolls.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { FDropDownCount = std::max(1, Value); }
    bool DroppedDown() const { return FPopup != nullptr; }
    void SetDroppedDown(bool Value);
    // The line the open list highlights (-1 when closed).
    int DropDownHotIndex() const;
    // The first line the open list shows (-1 when closed).
    int DropDownTopIndex() const;
    // The open list's window (null when closed).
    win::HWND DropDownHandle() const;

    TDrawItemEvent OnDrawItem;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    friend class TComboPopup;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoExit() override;
    void Loaded() override;
    void Change() override;
    void SetTextValue(const String& Value) override;
    TRect EditRect() override;
    // The drop-down button's rectangle.
    TRect ButtonRect();
    bool IsListStyle() const { return FStyle != csDropDown && FStyle != csSimple; }
    bool WantsCaret() override { return !IsListStyle(); }
    // The edit's menu in the edit of a box one types into; none on the button or in a box that only chooses.
    bool EditMenuAt(TPoint ClientPos, bool ByKeyboard) override {
        return !IsListStyle() && (ByKeyboard || !ButtonRect().Contains(ClientPos));
    }
    // Draws one line of the list (OnDrawItem for the owner-drawn styles).
    virtual void DrawItem(TCanvas* Canvas, int Index, TRect Rect, TOwnerDrawState State);
    // The user chose Index: text, OnClick, OnSelect (or else OnChange).
    void ChooseByUser(int Index);
    void CloseUp(bool Accept);

private:
    void ItemsChanged(TObject* Sender);
    // Sets the index and the text without running any event.
    void SetIndexQuietly(int Index);

    std::unique_ptr<TStringList> FItems;
    stdctrls::TItemsSnapshot FBefore;
    std::unique_ptr<TComboPopup> FPopup;
    TComboBoxStyle FStyle = csDropDown;
    int FItemIndex = -1;
    int FItemHeight = 0;
    int FDropDownCount = 8;
    bool FQuiet = false;
};

class TComboBox : public TCustomComboBox {
    KV_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

} // namespace vcl
