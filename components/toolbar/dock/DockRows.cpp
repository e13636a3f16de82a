#include "components/toolbar/dock/DockRows.h"

#include <algorithm>

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/ToolBar.h"
#include "platform/rtl/Exceptions.h"

namespace AdvToolBar {

namespace {

// Applies bounds to a docked toolbar without asking its panel again.
void PlaceToolBar(TAdvCustomToolBar* T, int ALeft, int ATop, int AWidth, int AHeight) {
    bool saved = T->AllowBoundChange();
    T->SetAllowBoundChange(true);
    T->SetBounds(ALeft, ATop, AWidth, AHeight);
    T->SetAllowBoundChange(saved);
}

} // namespace

// ---- TRowCollectionItem

TRowCollectionItem::TRowCollectionItem(vcl::TCollection* Collection)
    : vcl::TCollectionItem(Collection), FToolBarList(std::make_unique<TDbgList>()) {}

TRowCollectionItem::~TRowCollectionItem() = default;

TRowCollection* TRowCollectionItem::Rows() const {
    return static_cast<TRowCollection*>(Collection());
}

TAdvDockPanel* TRowCollectionItem::Panel() const {
    return Rows() ? Rows()->DockPanel() : nullptr;
}

int TRowCollectionItem::RowStart() const {
    return Panel()->IsHorizontal() ? FRowRect.Left : FRowRect.Top;
}

int TRowCollectionItem::RowEnd() const {
    return Panel()->IsHorizontal() ? FRowRect.Right : FRowRect.Bottom;
}

bool TRowCollectionItem::IsAllowed(TAdvCustomToolBar* ToolBar) const {
    if (FToolBarList->Count() == 0) return true;
    return !ToolBars(0)->FullSize() && !ToolBar->FullSize();
}

int TRowCollectionItem::GetHeight() const {
    bool horizontal = Panel()->IsHorizontal();
    int h = TRowCollection::MinRowThickness;
    for (int i = 0; i < FToolBarList->Count(); ++i) {
        TAdvCustomToolBar* t = ToolBars(i);
        h = std::max(h, horizontal ? t->Height() : t->Width());
    }
    return h;
}

void TRowCollectionItem::FitFullSize(TAdvCustomToolBar* ToolBar) {
    // A panel not yet sized gives no room: the length stays at 0 rather than going negative.
    int length = std::max(0, RowEnd() - RowStart() - 2 * TRowCollection::ToolBarSpacing);
    vcl::TSizeConstraints* c = ToolBar->Constraints();
    bool saved = ToolBar->AllowBoundChange();
    ToolBar->SetAllowBoundChange(true);
    if (Panel()->IsHorizontal()) {
        c->SetMinWidth(0);
        c->SetMaxWidth(length);
        c->SetMinWidth(length);
        PlaceToolBar(ToolBar, ToolBar->Left(), ToolBar->Top(), length, ToolBar->Height());
    } else {
        c->SetMinHeight(0);
        c->SetMaxHeight(length);
        c->SetMinHeight(length);
        PlaceToolBar(ToolBar, ToolBar->Left(), ToolBar->Top(), ToolBar->Width(), length);
    }
    ToolBar->SetAllowBoundChange(saved);
}

int TRowCollectionItem::AddToolBar(TAdvCustomToolBar* ToolBar) {
    if (ToolBar == nullptr || FToolBarList->IndexOf(ToolBar) >= 0 || !IsAllowed(ToolBar)) return -1;
    int index = FToolBarList->Add(ToolBar);
    bool horizontal = Panel()->IsHorizontal();
    if (ToolBar->FullSize()) {
        FitFullSize(ToolBar);
    } else {
        int pos = RowStart() + TRowCollection::ToolBarSpacing;
        if (index > 0) {
            TAdvCustomToolBar* prev = ToolBars(index - 1);
            pos = horizontal ? prev->Left() + prev->Width() : prev->Top() + prev->Height();
            pos += TRowCollection::ToolBarSpacing;
        }
        if (horizontal)
            PlaceToolBar(ToolBar, pos, ToolBar->Top(), ToolBar->Width(), ToolBar->Height());
        else
            PlaceToolBar(ToolBar, ToolBar->Left(), pos, ToolBar->Width(), ToolBar->Height());
    }
    ToolBar->SetRow(Index());
    Rows()->SetRowsPosition();
    return FToolBarList->IndexOf(ToolBar);
}

void TRowCollectionItem::RemoveToolBar(TAdvCustomToolBar* ToolBar, bool DeleteIfEmpty) {
    int i = FToolBarList->IndexOf(ToolBar);
    if (i < 0) return;
    FToolBarList->Delete(i);
    ArrangeToolBars();
    if (DeleteIfEmpty) Rows()->DeleteMeIfEmpty(this); // may free this row: nothing after it
}

void TRowCollectionItem::ArrangeToolBars() {
    bool horizontal = Panel()->IsHorizontal();
    const int g = TRowCollection::ToolBarSpacing;
    int next = RowStart() + g; // the first place free along the row
    for (int i = 0; i < FToolBarList->Count(); ++i) {
        TAdvCustomToolBar* t = ToolBars(i);
        if (t->Row() != Index()) t->SetRow(Index());
        int across = horizontal ? FRowRect.Top : FRowRect.Left;
        if (i == 0 && t->FullSize()) {
            FitFullSize(t);
            if (horizontal)
                PlaceToolBar(t, RowStart() + g, across, t->Width(), t->Height());
            else
                PlaceToolBar(t, across, RowStart() + g, t->Width(), t->Height());
            break;
        }
        // Toolbars keep their order; one that overlaps the one before moves forward.
        int pos = std::max(horizontal ? t->Left() : t->Top(), next);
        if (horizontal)
            PlaceToolBar(t, pos, across, t->Width(), t->Height());
        else
            PlaceToolBar(t, across, pos, t->Width(), t->Height());
        next = pos + (horizontal ? t->Width() : t->Height()) + g;
    }
}

// ---- TRowCollection

TRowCollection::TRowCollection(TAdvDockPanel* DockPanel)
    : vcl::TCollection(vcl::ItemClassOf<TRowCollectionItem>(), DockPanel), FDockPanel(DockPanel) {}

vcl::TPersistent* TRowCollection::GetOwner() {
    return FDockPanel;
}

TRowCollectionItem* TRowCollection::Add() {
    auto* row = static_cast<TRowCollectionItem*>(vcl::TCollection::Add());
    SetRowsPosition();
    return row;
}

TRowCollectionItem* TRowCollection::Insert(int Index) {
    auto* row = static_cast<TRowCollectionItem*>(vcl::TCollection::Insert(Index));
    SetRowsPosition();
    return row;
}

void TRowCollection::DeleteMeIfEmpty(TRowCollectionItem* Row) {
    if (Row == nullptr || Row->ToolBarCount() > 0 || FDockPanel->RowsFrozen()) return;
    Delete(Row->Index());
    SetRowsPosition();
}

int TRowCollection::IsToolBarAlreadyAdded(TAdvCustomToolBar* ToolBar) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->IndexOfToolBar(ToolBar) >= 0) return i;
    return -1;
}

void TRowCollection::MoveToolBarToRow(TAdvCustomToolBar* ToolBar, int Index) {
    if (Index < 0 || Index >= Count()) throw vcl::Exception("Invalid Row Index");
    if (ToolBar == nullptr || ToolBar->Row() == Index || !Items(Index)->IsAllowed(ToolBar)) return;
    TRowCollectionItem* old =
        ToolBar->Row() >= 0 && ToolBar->Row() < Count() ? Items(ToolBar->Row()) : nullptr;
    if (old) old->RemoveToolBar(ToolBar, false);
    Items(Index)->AddToolBar(ToolBar);
    if (old) DeleteMeIfEmpty(old);
}

void TRowCollection::SetRowsPosition() {
    bool horizontal = FDockPanel->IsHorizontal();
    int inset = FDockPanel->RowInset();
    int p = RowSpacing;
    for (int i = 0; i < Count(); ++i) {
        TRowCollectionItem* row = Items(i);
        int t = row->GetHeight();
        if (horizontal)
            row->SetRowRect(vcl::TRect{inset, p, FDockPanel->Width() - inset, p + t + 1});
        else
            row->SetRowRect(vcl::TRect{p, inset, p + t + 1, FDockPanel->Height() - inset});
        row->ArrangeToolBars();
        p += row->GetHeight() + 1;
    }
    SetParentSize();
}

void TRowCollection::SetParentSize() {
    if (FDockPanel->RowsFrozen()) return;
    bool horizontal = FDockPanel->IsHorizontal();
    int m = horizontal ? FDockPanel->HorizontalEndMargin() : FDockPanel->RowInset();
    int size;
    bool designing = FDockPanel->ComponentState().Contains(vcl::csDesigning);
    if (Count() == 0) {
        size = designing && !FDockPanel->UseRunTimeHeight() ? 2 * m + 13 : FDockPanel->MinimumSize();
    } else {
        vcl::TRect last = Items(Count() - 1)->GetRowRect();
        int e = horizontal ? last.Bottom : last.Right;
        size = designing && !FDockPanel->UseRunTimeHeight() ? e + m + 13 : e + m;
    }
    TAdvDockPanel* p = FDockPanel;
    switch (p->Align()) {
    case daTop:
        if (p->Height() != size) p->SetHeight(size);
        break;
    case daLeft:
        if (p->Width() != size) p->SetWidth(size);
        break;
    case daBottom:
        if (p->Height() >= size)
            p->SetHeight(size);
        else
            p->SetBounds(p->Left(), p->Top() - (size - p->Height()), p->Width(), size);
        break;
    case daRight:
        if (p->Width() >= size)
            p->SetWidth(size);
        else
            p->SetBounds(p->Left() - (size - p->Width()), p->Top(), size, p->Height());
        break;
    }
}

void TRowCollection::ReArrangeAllToolBars() {
    bool horizontal = FDockPanel->IsHorizontal();
    for (int i = 0; i < Count(); ++i) {
        TRowCollectionItem* row = Items(i);
        row->ArrangeToolBars();
        TAdvCustomToolBar* prev = nullptr;
        int start = (horizontal ? row->GetRowRect().Left : row->GetRowRect().Top) + ToolBarSpacing;
        for (int k = 0; k < row->ToolBarCount(); ++k) {
            TAdvCustomToolBar* t = row->ToolBars(k);
            if (!t->Visible()) continue;
            int pos = prev == nullptr ? start
                      : horizontal    ? prev->Left() + prev->Width() + ToolBarSpacing
                                      : prev->Top() + prev->Height() + ToolBarSpacing;
            if (horizontal)
                PlaceToolBar(t, pos, t->Top(), t->Width(), t->Height());
            else
                PlaceToolBar(t, t->Left(), pos, t->Width(), t->Height());
            prev = t;
        }
    }
}

void TRowCollection::SetToolBarFullSize(TAdvCustomToolBar* ToolBar) {
    int r = ToolBar->Row();
    if (r < 0 || r >= Count()) return;
    Items(r)->RemoveToolBar(ToolBar, true);
    TRowCollectionItem* row = Insert(std::min(r, Count()));
    row->AddToolBar(ToolBar);
    row->ArrangeToolBars();
}

void TRowCollection::UpdateToolBarVisibility(TAdvCustomToolBar* ToolBar) {
    if (!ToolBar->Visible()) {
        int r = ToolBar->Row();
        if (r >= 0 && r < Count()) {
            Items(r)->RemoveToolBar(ToolBar, true);
            ToolBar->SetRow(-1);
        }
        return;
    }
    if (IsToolBarAlreadyAdded(ToolBar) >= 0) return;
    if (FDockPanel->LockHeight() && Count() > 0)
        Items(Count() - 1)->AddToolBar(ToolBar);
    else
        Add()->AddToolBar(ToolBar);
}

} // namespace AdvToolBar
