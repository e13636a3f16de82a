#include "platform/vcl/ListBox.h"

#include <algorithm>
#include <deque>
#include <map>

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Edit.h"
#include "platform/win/Gdi.h"
#include "platform/win/WinUser.h"

namespace vcl {

KV_PUBLISHED(TCustomListBox) {
    p.Default("TabStop", true);
    p.Default("ParentColor", false);
    p.Int("ItemHeight", &TCustomListBox::FItemHeight, &TCustomListBox::SetItemHeight, 0);
    p.Strings("Items", &TCustomListBox::FItems);
    p.Bool("MultiSelect", &TCustomListBox::FMultiSelect, &TCustomListBox::SetMultiSelect, false);
    p.Enum("Style", &TCustomListBox::FStyle, &TCustomListBox::SetStyle, lbStandard);
    p.Event("OnDrawItem", &TCustomListBox::OnDrawItem);
}

KV_REGISTER_CLASS(TListBox)

namespace stdctrls {

int DefaultItemHeight(TFont* Font) {
    return TextLineHeight(Font) + 2;
}

void TItemsSnapshot::Take(const TStrings* Items) {
    FLines.clear();
    for (int i = 0; i < Items->GetCount(); ++i)
        FLines.emplace_back(Items->Get(i), Items->GetObject(i));
    FTaken = true;
}

std::vector<int> TItemsSnapshot::MapTo(const TStrings* Items) const {
    std::map<std::pair<String, TObject*>, std::deque<int>> where;
    for (int i = 0; i < Items->GetCount(); ++i)
        where[{Items->Get(i), Items->GetObject(i)}].push_back(i);
    std::vector<int> map;
    map.reserve(FLines.size());
    for (const auto& line : FLines) {
        auto it = where.find(line);
        if (it == where.end() || it->second.empty()) {
            map.push_back(-1);
        } else {
            map.push_back(it->second.front());
            it->second.pop_front();
        }
    }
    return map;
}

int TItemsSnapshot::Follow(int OldIndex, const TStrings* Items) const {
    if (OldIndex < 0 || OldIndex >= static_cast<int>(FLines.size())) return -1;
    return MapTo(Items)[static_cast<std::size_t>(OldIndex)];
}

} // namespace stdctrls

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TStringList>()),
      FScrollBar([this] { return ScrollBarView(); }, [this](int Top) { SetTopIndex(Top); }) {
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csCaptureMouse, csOpaque};
    FColor = clWindow;
    FParentColor = false;
    SetTabStop(true);
    FItems->OnChanging = [this](TObject*) { FBefore.Take(FItems.get()); };
    FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() {
    FItems->OnChanging = nullptr;
    FItems->OnChange = nullptr;
}

int TCustomListBox::ItemHeight() const {
    return FItemHeight > 0 ? FItemHeight : stdctrls::DefaultItemHeight(Font());
}

void TCustomListBox::SetItemHeight(int Value) {
    Value = std::max(0, Value);
    if (FItemHeight == Value) return;
    FItemHeight = Value;
    Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TCustomListBox::SetMultiSelect(bool Value) {
    if (FMultiSelect == Value) return;
    FMultiSelect = Value;
    FSelected.assign(static_cast<std::size_t>(Count()), false);
    if (Value && FItemIndex >= 0) FSelected[static_cast<std::size_t>(FItemIndex)] = true;
    Invalidate();
}

void TCustomListBox::ItemsChanged(TObject*) {
    const int n = Count();
    if (FBefore.Taken()) {
        // The selection follows its lines.
        std::vector<int> map = FBefore.MapTo(FItems.get());
        auto follow = [&](int i) {
            return i >= 0 && i < static_cast<int>(map.size()) ? map[static_cast<std::size_t>(i)] : -1;
        };
        std::vector<bool> selected(static_cast<std::size_t>(n), false);
        for (std::size_t i = 0; i < FSelected.size() && i < map.size(); ++i)
            if (FSelected[i] && map[i] >= 0) selected[static_cast<std::size_t>(map[i])] = true;
        FSelected = std::move(selected);
        FItemIndex = follow(FItemIndex);
        FAnchor = follow(FAnchor);
        FBefore.Clear();
    } else {
        FSelected.resize(static_cast<std::size_t>(n), false);
        if (FItemIndex >= n) FItemIndex = -1;
        if (FAnchor >= n) FAnchor = -1;
    }
    SetTopIndex(FTopIndex);
    Invalidate();
}

void TCustomListBox::SetItemIndex(int Value) {
    if (Value < -1 || Value >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Value) + ")");
    if (FMultiSelect) {
        std::fill(FSelected.begin(), FSelected.end(), false);
        if (Value >= 0) FSelected[static_cast<std::size_t>(Value)] = true;
    }
    FItemIndex = Value;
    FAnchor = Value;
    if (Value >= 0) MakeVisible(Value);
    Invalidate();
}

bool TCustomListBox::Selected(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FMultiSelect ? FSelected[static_cast<std::size_t>(Index)] : Index == FItemIndex;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    if (FMultiSelect) {
        FSelected[static_cast<std::size_t>(Index)] = Value;
        if (Value) FItemIndex = Index;
    } else if (Value) {
        FItemIndex = Index;
    } else if (FItemIndex == Index) {
        FItemIndex = -1;
    }
    Invalidate();
}

int TCustomListBox::SelCount() const {
    if (!FMultiSelect) return FItemIndex >= 0 ? 1 : 0;
    return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), true));
}

void TCustomListBox::ClearSelection() {
    std::fill(FSelected.begin(), FSelected.end(), false);
    if (!FMultiSelect) FItemIndex = -1;
    Invalidate();
}

void TCustomListBox::SelectAll() {
    if (!FMultiSelect) return;
    std::fill(FSelected.begin(), FSelected.end(), true);
    Invalidate();
}

TRect TCustomListBox::ListRect() {
    TRect r = stdctrls::Inflate(ClientRect(), -2, -2);
    if (ScrollBarVisible()) r.Right -= stdctrls::kScrollBarWidth;
    return r;
}

bool TCustomListBox::ScrollBarVisible() {
    TRect r = stdctrls::Inflate(ClientRect(), -2, -2);
    return Count() * ItemHeight() > r.Height();
}

int TCustomListBox::VisibleCount() {
    return std::max(1, ListRect().Height() / std::max(1, ItemHeight()));
}

void TCustomListBox::SetTopIndex(int Value) {
    int top = std::clamp(Value, 0, std::max(0, Count() - VisibleCount()));
    if (top == FTopIndex) return;
    FTopIndex = top;
    Invalidate();
}

void TCustomListBox::MakeVisible(int Index) {
    if (Index < FTopIndex)
        SetTopIndex(Index);
    else if (Index >= FTopIndex + VisibleCount())
        SetTopIndex(Index - VisibleCount() + 1);
}

TRect TCustomListBox::ItemRect(int Index) {
    TRect lr = ListRect();
    int h = ItemHeight();
    int top = lr.Top + (Index - FTopIndex) * h;
    return TRect{lr.Left, top, lr.Right, top + h};
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
    TRect lr = ListRect();
    if (!lr.Contains(Pos)) return Existing ? -1 : Count();
    int index = FTopIndex + (Pos.Y - lr.Top) / std::max(1, ItemHeight());
    if (index >= Count()) return Existing ? -1 : Count();
    return index;
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    bool ownerDraw =
        FStyle == lbOwnerDrawFixed || FStyle == lbOwnerDrawVariable || FStyle == lbVirtualOwnerDraw;
    if (ownerDraw && OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    TCanvas* c = Canvas();
    c->FillRect(Rect);
    c->Brush()->SetStyle(bsClear);
    c->TextRect(Rect, Rect.Left + 2, Rect.Top + 1, FItems->Get(Index));
}

void TCustomListBox::Paint() {
    TCanvas* c = Canvas();
    stdctrls::DrawSunkenField(c, ClientRect(), Color(), Enabled());
    TRect lr = ListRect();
    bool focused = Focused();
    for (int i = FTopIndex; i < Count(); ++i) {
        TRect r = ItemRect(i);
        if (r.Top >= lr.Bottom) break;
        r.Bottom = std::min(r.Bottom, lr.Bottom);
        TOwnerDrawState state;
        bool selected = FMultiSelect ? FSelected[static_cast<std::size_t>(i)] : i == FItemIndex;
        if (selected) state.Include(odSelected);
        if (focused && i == FItemIndex) state.Include(odFocused);
        if (!Enabled()) state.Include(odDisabled);
        c->Font()->Assign(Font());
        c->Brush()->SetStyle(bsSolid);
        if (selected) {
            c->Brush()->SetColor(clHighlight);
            c->Font()->SetColor(clHighlightText);
        } else {
            c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
            if (!Enabled()) c->Font()->SetColor(clGrayText);
        }
        DrawItem(i, r, state);
        if (state.Contains(odFocused)) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(clWindow);
            c->Font()->SetColor(clWindowText);
            c->DrawFocusRect(r);
        }
    }
    if (ScrollBarVisible()) {
        TRect sb{lr.Right, lr.Top, lr.Right + stdctrls::kScrollBarWidth, lr.Bottom};
        stdctrls::DrawVScrollBar(c, sb, FTopIndex, Count(), VisibleCount());
    }
}

void TCustomListBox::SelectByUser(int Index, TShiftState Shift) {
    if (Index < 0 || Index >= Count()) return;
    if (FMultiSelect) {
        bool ctrl = Shift.Contains(ssCtrl);
        if (Shift.Contains(ssShift) && FAnchor >= 0) {
            if (!ctrl) std::fill(FSelected.begin(), FSelected.end(), false);
            for (int i = std::min(FAnchor, Index); i <= std::max(FAnchor, Index); ++i)
                FSelected[static_cast<std::size_t>(i)] = true;
        } else if (ctrl) {
            FSelected[static_cast<std::size_t>(Index)] = !FSelected[static_cast<std::size_t>(Index)];
            FAnchor = Index;
        } else {
            std::fill(FSelected.begin(), FSelected.end(), false);
            FSelected[static_cast<std::size_t>(Index)] = true;
            FAnchor = Index;
        }
    }
    FItemIndex = Index;
    MakeVisible(Index);
    Invalidate();
    Click();
}

stdctrls::TListScrollBar::TView TCustomListBox::ScrollBarView() {
    TRect lr = ListRect();
    TRect bar = ScrollBarVisible() ? TRect{lr.Right, lr.Top, lr.Right + stdctrls::kScrollBarWidth, lr.Bottom}
                                   : TRect{};
    return {bar, FTopIndex, Count(), VisibleCount()};
}

void TCustomListBox::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0 || Count() == 0) return;
    int index = FItemIndex;
    switch (Key) {
    case win::VK_UP:
        index = index < 0 ? 0 : index - 1;
        break;
    case win::VK_DOWN:
        index = index + 1;
        break;
    case win::VK_HOME:
        index = 0;
        break;
    case win::VK_END:
        index = Count() - 1;
        break;
    case win::VK_PRIOR:
        index = std::max(0, index - VisibleCount() + 1);
        break;
    case win::VK_NEXT:
        index = index + VisibleCount() - 1;
        break;
    default:
        return;
    }
    index = std::clamp(index, 0, Count() - 1);
    Key = 0;
    if (index != FItemIndex || (FMultiSelect && !Selected(index))) SelectByUser(index, Shift);
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (!Focused() && CanFocus()) SetFocus();
        TRect lr = ListRect();
        if (FScrollBar.Press(WindowHandle(), TPoint{X, Y})) {
            // The bar's until the button goes up.
        } else if (!ScrollBarVisible() || X < lr.Right) {
            int index = ItemAtPos(TPoint{X, Y}, true);
            if (index >= 0 && !Shift.Contains(ssDouble)) SelectByUser(index, Shift);
            FTracking = index >= 0 && !FMultiSelect;
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::MouseMove(TShiftState Shift, int X, int Y) {
    if (FScrollBar.Held()) FScrollBar.Move(TPoint{X, Y});
    if (FTracking && Shift.Contains(ssLeft)) {
        TRect lr = ListRect();
        int y = std::clamp(Y, lr.Top, lr.Bottom - 1);
        int index = ItemAtPos(TPoint{lr.Left, y}, true);
        if (index >= 0 && index != FItemIndex) SelectByUser(index, TShiftState{});
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        FTracking = false;
        FScrollBar.Release();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TCustomListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    // Three lines a notch.
    SetTopIndex(FTopIndex - WheelDelta / 120 * 3);
    return true;
}

void TCustomListBox::DoEnter() {
    Invalidate();
    TCustomControl::DoEnter();
}

void TCustomListBox::DoExit() {
    Invalidate();
    TCustomControl::DoExit();
}

void TCustomListBox::WndProc(TMessage& Message) {
    if (Message.Msg == win::WM_GETDLGCODE) {
        Message.Result = win::DLGC_WANTARROWS | win::DLGC_WANTCHARS;
        return;
    }
    if (Message.Msg == win::WM_TIMER && FScrollBar.Timer(Message.WParam)) return;
    if (Message.Msg == win::WM_CANCELMODE || Message.Msg == win::WM_CAPTURECHANGED ||
        Message.Msg == win::WM_DESTROY || Message.Msg == CM_ENABLEDCHANGED)
        FScrollBar.Release();
    if (Message.Msg == CM_FONTCHANGED || Message.Msg == CM_ENABLEDCHANGED) Invalidate();
    TCustomControl::WndProc(Message);
}

} // namespace vcl
