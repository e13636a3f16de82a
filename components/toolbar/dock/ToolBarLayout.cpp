// The toolbar's layout: placing its controls in one line, its length, thickness and constraints.

#include <algorithm>

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/FloatingWindow.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarControl.h"
#include "components/toolbar/options/OptionWindow.h"
#include "components/toolbar/pager/AdvPage.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

namespace AdvToolBar {

namespace {

bool IsSeparator(vcl::TControl* C) {
    return dynamic_cast<TAdvToolBarSeparator*>(C) != nullptr;
}

} // namespace

void TAdvCustomToolBar::SetControlsPosition(bool UpdateSizeToo) {
    const auto state = ComponentState();
    if (state.Contains(vcl::csLoading) || state.Contains(vcl::csDestroying) || FUpdateCount > 0) return;
    if (!FAutoPositionControls && FToolBarState == tsFixed &&
        dynamic_cast<TAdvDockPanel*>(Parent()) == nullptr)
        return;
    if (FToolBarState == tsFloating) {
        LayoutFloating(UpdateSizeToo);
        return;
    }
    bool designing = state.Contains(vcl::csDesigning);
    {
        TFlagGuard positioning(FPositioning, true);
        bool horizontal = Horizontal();
        int start = DragGripShown() ? FDragGripWidth + 2 : 2;
        int across = 2 + (FShowCaption && FCaptionPosition == cpTop ? FCaptionHeight : 0);
        int pos = start;
        // On a page small glow buttons stack in columns; elsewhere every control follows the last.
        const bool stacked = horizontal && OnPageOrCompactWindow();
        if (stacked) LayoutStacked(start, across, designing);
        for (int i = 0; !stacked && i < FControlList->Count(); ++i) {
            vcl::TControl* c = FControlList->At<vcl::TControl>(i);
            if (c->Visible() || designing) {
                if (FHiddenControlList->IndexOf(c) >= 0) {
                    // Hidden behind the right handle: parked out of sight while still ours.
                    if (c->Parent() == this) {
                        if (horizontal)
                            c->SetTop(Height() + 2);
                        else
                            c->SetLeft(Width() + 2);
                    }
                    continue;
                }
                if (horizontal) {
                    c->SetBounds(pos, across, c->Width(), c->Height());
                    pos += c->Width();
                } else {
                    c->SetBounds(across, pos, c->Width(), c->Height());
                    pos += c->Height();
                }
            } else if (horizontal) {
                c->SetTop(Height() + 2);
            } else {
                c->SetLeft(Width() + 2);
            }
        }
    }
    if (UpdateSizeToo) UpdateSize();
}

void TAdvCustomToolBar::LayoutStacked(int X, int Y, bool Designing) {
    // A column of up to three small glow buttons shares one X; a large glow button or any other
    // control stands alone and starts the next column after it.
    int columnTop = Y, columnLeft = X, columnWidth = 0, row = 1;
    for (void* p : *FControlList) {
        auto* c = static_cast<vcl::TControl*>(p);
        if (!c->Visible() && !Designing) {
            c->SetTop(Height() + 2);
            continue;
        }
        auto* glow = dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(c);
        if (glow == nullptr || glow->ButtonSizeState() == AdvGlowButton::bsLarge) {
            c->SetBounds(X, Y, c->Width(), c->Height());
            X += c->Width();
            row = 1;
            columnTop = Y;
            columnLeft = X;
            columnWidth = 0;
            continue;
        }
        c->SetBounds(columnLeft, columnTop, c->Width(), c->Height());
        if (c->Width() > columnWidth) {
            X += c->Width() - columnWidth;
            columnWidth = c->Width();
        }
        if (++row > 3) {
            row = 1;
            columnTop = Y;
            columnLeft = X;
            columnWidth = 0;
        } else {
            columnTop += c->Height();
        }
    }
}

int TAdvCustomToolBar::TrailingColumnEnd() const {
    int end = 0, small = 0;
    for (int i = FControlList->Count() - 1; i >= 0; --i) {
        vcl::TControl* c = FControlList->At<vcl::TControl>(i);
        if (!c->Visible()) continue;
        end = std::max(end, c->Left() + c->Width());
        auto* glow = dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(c);
        if (glow == nullptr || glow->ButtonSizeState() == AdvGlowButton::bsLarge || ++small == 3) break;
    }
    return end;
}

void TAdvCustomToolBar::LayoutFloating(bool UpdateSizeToo) {
    {
        TFlagGuard positioning(FPositioning, true);
        int x = 2;
        int y = FCaptionHeight + 2;
        if (FFloatingRows != 1 && UpdateSizeToo) UpdateFloatingSize();
        for (void* p : *FControlList) {
            auto* c = static_cast<vcl::TControl*>(p);
            if (!c->Visible()) {
                c->SetTop(Height() + 2);
                continue;
            }
            // With more than one row a control that does not fit the rest of its row starts the next.
            if (FFloatingRows != 1 && c->Width() > Width() - x - 2) {
                x = 2;
                y += FThickness;
            }
            c->SetBounds(x, y, c->Width(), c->Height());
            x += c->Width();
        }
    }
    if (FFloatingRows == 1 && UpdateSizeToo) UpdateFloatingSize();
}

void TAdvCustomToolBar::UpdateFloatingSize() {
    vcl::TSizeConstraints* k = Constraints();
    k->SetMinWidth(0);
    k->SetMaxWidth(0);
    k->SetMinHeight(0);
    k->SetMaxHeight(0);
    if (FFloatingRows != 1) {
        int h = 0;
        int w = 0;
        GetFloatingSizes(h, w);
        SetBounds(Left(), Top(), w, h);
    } else {
        int w = FMinLength;
        for (int i = FControlList->Count() - 1; i >= 0; --i) {
            vcl::TControl* c = FControlList->At<vcl::TControl>(i);
            if (c->Visible()) {
                w = std::max(FMinLength, c->Left() + c->Width() + 2);
                break;
            }
        }
        SetBounds(Left(), Top(), w, FThickness + FCaptionHeight);
    }
    if (FFloatingWindow != nullptr) FFloatingWindow->SetWindowSize();
}

void TAdvCustomToolBar::UpdateSize() {
    if (FToolBarState == tsFloating) {
        UpdateFloatingSize();
        return;
    }
    bool horizontal = Horizontal();
    if (!horizontal && FFullSize) return;
    int n = FControlList->Count();
    // Needed length: up to the end of the last control that shows.
    int needed = FMinLength;
    const bool stacked = horizontal && OnPageOrCompactWindow();
    if (n > 0) {
        needed = 15;
        for (int i = n - 1; i >= 0; --i) {
            vcl::TControl* c = FControlList->At<vcl::TControl>(i);
            if (c->Visible() && FHiddenControlList->IndexOf(c) < 0) {
                needed = horizontal ? c->Left() + c->Width() : c->Top() + c->Height();
                break;
            }
        }
        // On a page the last column ends where its widest member does.
        if (stacked)
            if (int end = TrailingColumnEnd(); end != 0) needed = end;
        needed += IndicatorLength();
    }
    int full = DragGripShown() ? FDragGripWidth + 2 : 2;
    int thickness = 26;
    for (int i = 0; i < n; ++i) {
        vcl::TControl* c = FControlList->At<vcl::TControl>(i);
        if (!c->Visible()) continue;
        full += horizontal ? c->Width() : c->Height();
        if (!IsSeparator(c)) thickness = std::max(thickness, (horizontal ? c->Height() : c->Width()) + 4);
    }
    full += IndicatorLength();
    // A page toolbar is as long as its stacked columns, never as the sum of its controls.
    FMaxLength = stacked ? needed : std::max(full, needed);
    if (!AutoSize() || (horizontal && FFullSize)) return;
    vcl::TSizeConstraints* k = Constraints();
    if (FShowCaption) thickness += FCaptionHeight;
    if (horizontal) {
        k->SetMinHeight(0);
        k->SetMaxHeight(0);
        k->SetMinWidth(std::min(FMinLength, needed));
        if (FAdjustingControl && k->MaxWidth() != FMaxLength && Width() > FMaxLength && Width() != needed)
            SetWidth(needed);
        k->SetMaxWidth(FMaxLength);
        if (needed > Width()) {
            SetWidth(needed);
        } else if (needed < Width() && Width() > FMaxLength) {
            TFlagGuard allow(FAllowBoundChange, !FAdjustingControl);
            SetWidth(needed);
        }
        if (Height() != thickness) SetHeight(thickness);
    } else {
        k->SetMinWidth(0);
        k->SetMaxWidth(0);
        k->SetMinHeight(std::min(FMinLength, needed));
        k->SetMaxHeight(FMaxLength);
        if (needed > Height() || (needed < Height() && Height() > FMaxLength)) SetHeight(needed);
        if (Width() != thickness) SetWidth(thickness);
    }
    FThickness = thickness;
}

int TAdvCustomToolBar::GetMaxLength() const {
    bool vertical = !Horizontal() && FToolBarState != tsFloating;
    int length = DragGripShown() ? FDragGripWidth + 2 : 2;
    for (void* p : *FControlList) {
        auto* c = static_cast<vcl::TControl*>(p);
        if (c->Visible()) length += vertical ? c->Height() : c->Width();
    }
    length += IndicatorLength();
    return std::max(length, FMinLength);
}

namespace {

template <typename Pred> void RaiseToLargest(const TDbgList& List, int& AWidth, int& AHeight, Pred Counts) {
    for (void* p : List) {
        auto* c = static_cast<vcl::TControl*>(p);
        if (!Counts(c)) continue;
        AWidth = std::max(AWidth, c->Width());
        AHeight = std::max(AHeight, c->Height());
    }
}

} // namespace

void TAdvCustomToolBar::GetMaxControlSize(int& AWidth, int& AHeight) const {
    RaiseToLargest(*FControlList, AWidth, AHeight, [](vcl::TControl* c) { return !IsSeparator(c); });
}

void TAdvCustomToolBar::GetMaxExternalControlSize(int& AWidth, int& AHeight) const {
    RaiseToLargest(*FControlList, AWidth, AHeight,
                   [](vcl::TControl* c) { return dynamic_cast<TAdvCustomToolBarControl*>(c) == nullptr; });
}

void TAdvCustomToolBar::GetMaxToolBarButtonSize(int& AWidth, int& AHeight) const {
    // The toolbar's own controls that are not separators are its buttons.
    RaiseToLargest(*FControlList, AWidth, AHeight, [](vcl::TControl* c) {
        return dynamic_cast<TAdvCustomToolBarControl*>(c) != nullptr && !IsSeparator(c);
    });
}

int TAdvCustomToolBar::GetSizeAtDock(bool AsFloating) const {
    int w = 0;
    int h = 0;
    GetMaxControlSize(w, h);
    int size;
    if (!AsFloating && FToolBarState != tsFloating) {
        size = (Horizontal() ? h : w) + 4;
    } else if (Horizontal()) {
        size = h + 4;
    } else {
        int ew = 0;
        int eh = 0;
        GetMaxExternalControlSize(ew, eh);
        int bw = 0;
        int bh = 0;
        GetMaxToolBarButtonSize(bw, bh);
        size = std::max(eh, bw) + 4;
    }
    return std::max(size, 26);
}

int TAdvCustomToolBar::CanShrink() {
    return Horizontal() ? Width() - Constraints()->MinWidth() : Height() - Constraints()->MinHeight();
}

int TAdvCustomToolBar::CanExpand() {
    return Horizontal() ? Constraints()->MaxWidth() - Width() : Constraints()->MaxHeight() - Height();
}

void TAdvCustomToolBar::SetPosition(TDockAlign Value) {
    if (FPosition == Value) return;
    FPosition = Value;
    TFlagGuard allow(FAllowBoundChange, true);
    vcl::TSizeConstraints* k = Constraints();
    if (Horizontal()) {
        k->SetMinHeight(0);
        k->SetMaxHeight(0);
        k->SetMinWidth(FMinLength);
        k->SetMaxWidth(FMaxLength);
        SetBounds(Left(), Top(), FMaxLength, FThickness);
    } else {
        k->SetMinWidth(0);
        k->SetMaxWidth(0);
        k->SetMinHeight(FMinLength);
        k->SetMaxHeight(FMaxLength);
        SetBounds(Left(), Top(), FThickness, FMaxLength);
    }
    {
        TFlagGuard positioning(FPositioning, true);
        for (void* p : *FControlList)
            if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(static_cast<vcl::TControl*>(p)))
                tc->SetPosition(Value);
    }
    FMaxLength = GetMaxLength();
    if (Horizontal()) {
        k->SetMinWidth(FMinLength);
        k->SetMaxWidth(FMaxLength);
        SetWidth(FMaxLength);
    } else {
        k->SetMinHeight(FMinLength);
        k->SetMaxHeight(FMaxLength);
        SetHeight(FMaxLength);
    }
    SetControlsPosition(false);
    UpdateRULists();
}

void TAdvCustomToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FDockPanel != nullptr && !FAllowBoundChange)
        FDockPanel->SetToolBarBounds(this, ALeft, ATop, AWidth, AHeight);
    int oldLength = Horizontal() ? Width() : Height();
    vcl::TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    int newLength = Horizontal() ? Width() : Height();
    if (!ComponentState().Contains(vcl::csLoading) && newLength != oldLength) UpdateRULists();
}

void TAdvCustomToolBar::AlignControls(vcl::TControl* AControl, vcl::TRect& Rect) {
    vcl::TCustomControl::AlignControls(AControl, Rect);
    if (AControl != nullptr && !FPositioning) AdjustControl(AControl);
}

void TAdvCustomToolBar::AdjustControl(vcl::TControl* Control) {
    int i = IndexOfToolBarControl(Control);
    if (i < 0) return;
    const auto state = ComponentState();
    if (state.Contains(vcl::csDesigning) || state.Contains(vcl::csLoading)) {
        ReorderControl(i, Control->Left(), Control->Top());
        return;
    }
    // A fixed or floating toolbar re-lays too: left alone, a control that grew by itself (a menu
    // button taking its caption) would overlap its neighbours and the right handle.
    {
        TFlagGuard adjusting(FAdjustingControl, true);
        SetControlsPosition(true);
        UpdateRULists();
    }
    if (FDockPanel != nullptr && !FAllowBoundChange && FRow >= 0 && FRow < FDockPanel->GetRowCount())
        FDockPanel->Rows()->Items(FRow)->ArrangeToolBars();
    if (AutoOptionMenu && FOptionWindow != nullptr && FOptionWindow->Visible()) InitializeOptionWindow();
}

void TAdvCustomToolBar::BeginUpdate() {
    if (!Visible()) return;
    ++FUpdateCount;
    if (HandleAllocated()) win::SendMessage(Handle(), win::WM_SETREDRAW, 0, 0);
}

void TAdvCustomToolBar::EndUpdate() {
    // The count goes down whatever the visibility: a toolbar hidden inside a batch must not stay
    // locked against layout for good.
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount > 0 || !Visible()) return;
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::WM_SETREDRAW, 1, 0);
        win::InvalidateRect(Handle(), nullptr, 0);
    }
    SetControlsPosition(true);
}

void TAdvCustomToolBar::Update() {
    vcl::TCustomControl::Update();
    SetControlsPosition(true);
}

} // namespace AdvToolBar
