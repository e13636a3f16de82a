#pragma once
// TListBox: a list of lines, drawn by us (or by OnDrawItem for the owner-drawn styles), with a vertical
// scroll bar of its own when the lines do not fit.
//
// Selection: a click selects the line under the pointer (with MultiSelect, Ctrl toggles a line and Shift
// selects the range from the last clicked line); Up, Down, Home, End, Page Up and Page Down move the
// selection. OnClick runs when the user selects; setting ItemIndex by code runs nothing.
//
// Scrolling: the wheel (three lines a notch), the keys, and the scroll bar's arrows, track and thumb.

#include <memory>
#include <vector>

#include "platform/rtl/Strings.h"
#include "platform/vcl/Label.h"
#include "platform/vcl/ScrollBar.h"

namespace vcl {

KV_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw);

enum TOwnerDrawStateFlag {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

namespace stdctrls {
// The line height of a font (text height plus two pixels).
int DefaultItemHeight(TFont* Font);

// The lines of a list (text and object) before a change, to find where each line went after it: a
// selection follows its line when lines are inserted, deleted, moved or sorted above it.
class TItemsSnapshot {
public:
    void Take(const TStrings* Items);
    bool Taken() const { return FTaken; }
    // For each line of the snapshot, its index in Items now (-1: gone). Equal lines keep their order.
    std::vector<int> MapTo(const TStrings* Items) const;
    // One old index followed into Items (-1 stays -1; out of range gives -1).
    int Follow(int OldIndex, const TStrings* Items) const;
    void Clear() {
        FLines.clear();
        FTaken = false;
    }

private:
    std::vector<std::pair<String, TObject*>> FLines;
    bool FTaken = false;
};
} // namespace stdctrls

class TCustomListBox : public TCustomControl {
    KV_CLASS(TCustomListBox, TCustomControl)
    KV_PUBLISHED_PROPERTIES(TCustomListBox)
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int Count() const { return FItems->GetCount(); }
    // The selected line (the focused one with MultiSelect); -1: none. Out of range raises EListError.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    // 0 (the default): from the font.
    int ItemHeight() const;
    void SetItemHeight(int Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool Selected(int Index) const;
    void SetSelected(int Index, bool Value);
    int SelCount() const;
    void ClearSelection();
    void SelectAll();
    // The first line shown.
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int Value);
    // The line at a client point; -1 when there is none there (Existing), else the nearest position.
    int ItemAtPos(TPoint Pos, bool Existing);
    // The rectangle of line Index in client coordinates.
    TRect ItemRect(int Index);
    // Lines that fit in the client area.
    int VisibleCount();

    TDrawItemEvent OnDrawItem;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    // With DragMode dmAutomatic, a press selects its line first; the drag waits for the threshold, so a
    // press and release without moving stays a click.
    bool AutoDragTakesPress() const override { return false; }
    void BeginAutoDrag() override { BeginDrag(false); }
    void DoEnter() override;
    void DoExit() override;
    // Draws line Index in Rect (OnDrawItem for the owner-drawn styles).
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    // The area of the lines (the client area less the border and the scroll bar).
    TRect ListRect();
    bool ScrollBarVisible();
    // What the scroll bar shows (its mouse handling asks).
    stdctrls::TListScrollBar::TView ScrollBarView();

private:
    void ItemsChanged(TObject* Sender);
    void MakeVisible(int Index);
    // A user's selection of line Index with the given modifiers; runs OnClick.
    void SelectByUser(int Index, TShiftState Shift);

    std::unique_ptr<TStringList> FItems;
    stdctrls::TItemsSnapshot FBefore;
    std::vector<bool> FSelected; // MultiSelect only
    TListBoxStyle FStyle = lbStandard;
    int FItemIndex = -1;
    int FItemHeight = 0;
    int FTopIndex = 0;
    int FAnchor = -1;
    bool FMultiSelect = false;
    bool FTracking = false;
    stdctrls::TListScrollBar FScrollBar;
};

class TListBox : public TCustomListBox {
    KV_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

} // namespace vcl
