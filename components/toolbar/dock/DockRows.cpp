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

void TRowCollectionItem::AppendToolBar(TAdvCustomToolBar* ToolBar) {
    if (ToolBar == nullptr || FToolBarList->IndexOf(ToolBar) >= 0) return;
    FToolBarList->Add(ToolBar);
    ToolBar->SetRow(Index());
}

void TRowCollectionItem::RemoveToolBar(TAdvCustomToolBar* ToolBar, bool DeleteIfEmpty) {
    int i = FToolBarList->IndexOf(ToolBar);
    if (i < 0) return;
    FToolBarList->Delete(i);
    ArrangeToolBars();
    if (DeleteIfEmpty) Rows()->DeleteMeIfEmpty(this); // may free this row: nothing after it
}

bool TRowCollectionItem::Horizontal() const {
    return Panel()->IsHorizontal();
}

int TRowCollectionItem::Pos(int K) const {
    return Horizontal() ? ToolBars(K)->Left() : ToolBars(K)->Top();
}

int TRowCollectionItem::Len(int K) const {
    return Horizontal() ? ToolBars(K)->Width() : ToolBars(K)->Height();
}

void TRowCollectionItem::Place(int K, int APos, int ALen) {
    TAdvCustomToolBar* t = ToolBars(K);
    if (Horizontal())
        PlaceToolBar(t, APos, t->Top(), ALen, t->Height());
    else
        PlaceToolBar(t, t->Left(), APos, t->Width(), ALen);
}

void TRowCollectionItem::MoveBy(int From, int To, int Delta) {
    if (Delta == 0) return;
    for (int k = std::max(From, 0); k <= To && k < ToolBarCount(); ++k)
        Place(k, Pos(k) + Delta, Len(k));
}

int TRowCollectionItem::SpaceBefore(int K) const {
    const int g = TRowCollection::ToolBarSpacing;
    if (K == 0) return Pos(0) - (RowStart() + g);
    return Pos(K) - (Pos(K - 1) + Len(K - 1) + g);
}

int TRowCollectionItem::SpaceAfter(int K) const {
    const int g = TRowCollection::ToolBarSpacing;
    if (K == ToolBarCount() - 1) return RowEnd() - (Pos(K) + Len(K) + g);
    return Pos(K + 1) - (Pos(K) + Len(K) + g);
}

int TRowCollectionItem::CloseOverlap(int I, int S) {
    // Gaps before the toolbars up to I close first ...
    for (int k = I; k >= 0 && S < 0; --k) {
        int d = std::min(SpaceBefore(k), -S);
        if (d > 0) {
            MoveBy(k, I, -d);
            S += d;
        }
    }
    // ... then the toolbars shrink, the nearest first.
    for (int k = I; k >= 0 && S < 0; --k) {
        int d = std::min(ToolBars(k)->CanShrink(), -S);
        if (d > 0) {
            Grow(k, -d);
            MoveBy(k + 1, I, -d);
            S += d;
        }
    }
    return S;
}

void TRowCollectionItem::ArrangeToolBars() {
    const bool horizontal = Horizontal();
    const int g = TRowCollection::ToolBarSpacing;
    const int n = ToolBarCount();
    const int across = horizontal ? FRowRect.Top : FRowRect.Left;
    for (int i = 0; i < n; ++i) {
        TAdvCustomToolBar* t = ToolBars(i);
        if (horizontal)
            PlaceToolBar(t, t->Left(), across, t->Width(), t->Height());
        else
            PlaceToolBar(t, across, t->Top(), t->Width(), t->Height());
        if (t->Row() != Index()) t->SetRow(Index());
        if (i == 0 && t->FullSize()) {
            FitFullSize(t);
            Place(0, RowStart() + g, Len(0));
            return;
        }
        int s = SpaceAfter(i);
        if (s < 0) {
            CloseOverlap(i, s);
        } else if (s > 0) {
            // Room after the toolbar: the ones up to it take it back as far as they can grow.
            for (int k = i; k >= 0 && s >= 1; --k) {
                int d = std::min(ToolBars(k)->CanExpand(), s);
                if (d > 0) {
                    Grow(k, d);
                    MoveBy(k + 1, i, d);
                    s -= d;
                }
            }
            if (horizontal)
                for (int k = i + 1; k < n && s >= 1; ++k) {
                    int d = std::min(ToolBars(k)->CanExpand(), s);
                    if (d > 0) {
                        Grow(k, d);
                        s -= d;
                    }
                }
        }
        // A toolbar that can still grow takes the gaps before it.
        int e = t->CanExpand();
        for (int k = i; k >= 0 && e >= 1; --k) {
            int d = std::min(SpaceBefore(k), e);
            if (d > 0) {
                MoveBy(k, i, -d);
                Grow(i, d);
                e -= d;
            }
        }
    }
    // Second pass: what still overlaps moves forward; the last toolbar closes up or shrinks.
    for (int i = 0; i < n; ++i) {
        if (i == 0 && SpaceBefore(0) < 0) MoveBy(0, 0, -SpaceBefore(0));
        int s = SpaceAfter(i);
        if (i == n - 1) {
            if (s < 0) CloseOverlap(i, s);
        } else if (s < 0) {
            MoveBy(i + 1, i + 1, -s);
        }
    }
}

void TRowCollectionItem::SetToolBarLeftAndWidth(TAdvCustomToolBar* ToolBar, int& ALeft, int& AWidth) {
    RequestAlong(ToolBar, ALeft, AWidth, true);
}

void TRowCollectionItem::SetToolBarTopAndHeight(TAdvCustomToolBar* ToolBar, int& ATop, int& AHeight) {
    RequestAlong(ToolBar, ATop, AHeight, false);
}

void TRowCollectionItem::RequestAlong(TAdvCustomToolBar* ToolBar, int& APos, int& ALen,
                                      bool ArrangeLoneToolBar) {
    const int i = IndexOfToolBar(ToolBar);
    if (i < 0) throw vcl::Exception("Invalid ToolBar Index");
    const int n = ToolBarCount();
    const int g = TRowCollection::ToolBarSpacing;
    auto sumSpaceBefore = [&]() {
        int sum = 0;
        for (int k = 0; k <= i; ++k)
            sum += SpaceBefore(k);
        return sum;
    };
    if (APos == Pos(i)) {
        if (ALen < Len(i)) {
            // A lone toolbar of a horizontal row keeps the row's length.
            if (ArrangeLoneToolBar && n == 1) {
                ArrangeToolBars();
                ALen = Len(i);
            }
            return;
        }
        if (ALen == Len(i)) return;
        int want = ALen - Len(i);
        for (int k = i; k < n && want >= 1; ++k) {
            int sp = SpaceAfter(k);
            if (sp <= 0) continue;
            int d = std::min(sp, want);
            want -= d;
            MoveBy(i + 1, k, d);
            Grow(i, d);
        }
        if (want > 0 && sumSpaceBefore() > 0)
            for (int k = i; k >= 0 && want >= 1; --k) {
                int sp = SpaceBefore(k);
                if (sp <= 0) continue;
                int d = std::min(sp, want);
                want -= d;
                MoveBy(k, i, -d);
                Grow(i, d);
            }
    } else if (APos > Pos(i)) {
        int m = APos - Pos(i);
        for (int k = i; k < n && m >= 1; ++k) {
            int sp = SpaceAfter(k);
            if (sp <= 0) continue;
            int d = std::min(sp, m);
            m -= d;
            MoveBy(i, k, d);
        }
        if (m > 0 && sumSpaceBefore() < 1) {
            int room = 0;
            for (int k = i - 1; k >= 0; --k)
                room += ToolBars(k)->CanExpand();
            m = std::min(m, room);
            // Later toolbars give up length on their near side; earlier ones grow into the room left.
            for (int k = n - 1; k >= i && m >= 1; --k) {
                int d = std::min(m, ToolBars(k)->CanShrink());
                m -= d;
                if (d <= 0) continue;
                Place(k, Pos(k) + d, Len(k) - d);
                MoveBy(i, k - 1, d);
                for (int p = i - 1; p >= 0 && d >= 1; --p) {
                    int e = std::min(d, ToolBars(p)->CanExpand());
                    if (e <= 0) continue;
                    Grow(p, e);
                    MoveBy(p + 1, i - 1, e);
                    d -= e;
                }
            }
        }
    } else {
        APos = std::max(APos, RowStart() + g);
        int m = Pos(i) - APos;
        if (i == 0) return; // the first toolbar goes back as far as the row start allows
        for (int k = i; k >= 0 && m >= 1; --k) {
            int sp = SpaceBefore(k);
            if (sp <= 0) continue;
            int d = std::min(sp, m);
            m -= d;
            MoveBy(k, i, -d);
        }
        if (m > 0 && SpaceAfter(n - 1) < 1) {
            for (int k = i - 1; k >= 0 && m >= 1; --k) {
                int room = 0;
                for (int p = i; p < n; ++p)
                    room += ToolBars(p)->CanExpand();
                int d = std::min({m, ToolBars(k)->CanShrink(), room});
                m -= d;
                if (d <= 0) continue;
                Grow(k, -d);
                MoveBy(k + 1, i - 1, -d);
                // The toolbar and those after it grow backward into the room.
                for (int p = i; p < n && d >= 1; ++p) {
                    int e = std::min(d, ToolBars(p)->CanExpand());
                    if (e > 0) {
                        Place(p, Pos(p) - e, Len(p) + e);
                        MoveBy(i, p - 1, -e);
                    }
                    d -= e;
                }
            }
        }
        // A request that reaches within 5 pixels of the predecessor's start swaps the two.
        if (m > 0 && !ToolBar->ComponentState().Contains(vcl::csLoading) && Pos(i - 1) + 5 >= Pos(i) - m) {
            const int at = Pos(i - 1);
            FToolBarList->Move(i, i - 1);
            Place(i - 1, at, Len(i - 1));
            Place(i, at + Len(i - 1) + g, Len(i));
            ArrangeToolBars();
        }
    }
    APos = Pos(IndexOfToolBar(ToolBar));
    ALen = Len(IndexOfToolBar(ToolBar));
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

void TRowCollection::NewRowFor(TAdvCustomToolBar* ToolBar, int Index, bool DeleteEmptied) {
    TRowCollectionItem* old = Items(ToolBar->Row());
    old->RemoveToolBar(ToolBar, false);
    int at = std::min(Index, Count());
    TRowCollectionItem* row = Insert(at);
    if (DeleteEmptied) DeleteMeIfEmpty(old);
    row->AddToolBar(ToolBar);
}

void TRowCollection::SetToolBarTopAndHeight(TAdvCustomToolBar* ToolBar, int& ATop, int& AHeight) {
    if (FDockPanel->IsHorizontal()) RequestAcross(ToolBar, ATop, AHeight, true);
}

void TRowCollection::SetToolBarLeftAndWidth(TAdvCustomToolBar* ToolBar, int& ALeft, int& AWidth) {
    if (!FDockPanel->IsHorizontal()) RequestAcross(ToolBar, ALeft, AWidth, false);
}

void TRowCollection::RequestAcross(TAdvCustomToolBar* ToolBar, int& APos, int& AThickness,
                                   bool DesignTimeNewRow) {
    const int r = ToolBar->Row();
    if (r < 0 || r >= Count()) return;
    const bool horizontal = FDockPanel->IsHorizontal();
    const bool frozen = FDockPanel->RowsFrozen();
    auto start = [&](int k) { return horizontal ? Items(k)->GetRowRect().Top : Items(k)->GetRowRect().Left; };
    auto end = [&](int k) {
        return horizontal ? Items(k)->GetRowRect().Bottom : Items(k)->GetRowRect().Right;
    };
    auto current = [&]() { return horizontal ? ToolBar->Top() : ToolBar->Left(); };
    const int q = APos;
    const int rs = start(r);
    const int shared = Items(r)->ToolBarCount();
    if (q >= rs - 5 && q <= rs - 3 && shared > 1) {
        // Just above its row: a new row of its own there.
        if (!frozen) NewRowFor(ToolBar, r, false);
        APos = current();
    } else if (q < rs - 6 && r > 0) {
        int k = -1;
        for (int j = 0; j < Count() && k < 0; ++j)
            if (start(j) <= q && q < end(j)) k = j;
        if (k >= 0) {
            if (Items(k)->IsAllowed(ToolBar))
                MoveToolBarToRow(ToolBar, k);
            else if (!frozen)
                NewRowFor(ToolBar, k, true);
        }
        APos = current();
    } else if (q >= rs + 3 && q <= rs + 5 && shared >= 2) {
        // Just below its row's start: a new row of its own after it.
        if (!frozen) NewRowFor(ToolBar, r + 1, false);
        APos = current();
    } else if (q > rs + 5 && r < Count() - 1) {
        int k = -1;
        for (int j = r + 1; j < Count() && k < 0; ++j)
            if (end(j) > q) k = j;
        if (k >= 0) {
            if (Items(k)->IsAllowed(ToolBar))
                MoveToolBarToRow(ToolBar, k);
            else if (!frozen)
                NewRowFor(ToolBar, k + 1, true);
        }
        APos = current();
    } else {
        if (DesignTimeNewRow && FDockPanel->ComponentState().Contains(vcl::csDesigning) && q > rs + 5 &&
            r == Count() - 1 && shared > 1)
            NewRowFor(ToolBar, Count(), false);
        // Anything else snaps back to the row.
        APos = start(ToolBar->Row());
    }
    const int thickness = horizontal ? ToolBar->Height() : ToolBar->Width();
    if (AThickness != thickness) {
        if (horizontal)
            PlaceToolBar(ToolBar, ToolBar->Left(), ToolBar->Top(), ToolBar->Width(), AThickness);
        else
            PlaceToolBar(ToolBar, ToolBar->Left(), ToolBar->Top(), AThickness, ToolBar->Height());
        SetRowsPosition();
    }
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
