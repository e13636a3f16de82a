// The toolbar's layout: placing its controls in one line, its length, thickness and constraints.

#include <algorithm>

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarControl.h"
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
    bool designing = state.Contains(vcl::csDesigning);
    {
        TFlagGuard positioning(FPositioning, true);
        bool horizontal = Horizontal();
        int start = DragGripShown() ? FDragGripWidth + 2 : 2;
        int across = 2 + (FShowCaption && FCaptionPosition == cpTop ? FCaptionHeight : 0);
        int pos = start;
        for (int i = 0; i < FControlList->Count(); ++i) {
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

void TAdvCustomToolBar::UpdateSize() {
    if (FToolBarState == tsFloating) return;
    bool horizontal = Horizontal();
    if (!horizontal && FFullSize) return;
    int n = FControlList->Count();
    // Needed length: up to the end of the last control that shows.
    int needed = FMinLength;
    if (n > 0) {
        needed = 15;
        for (int i = n - 1; i >= 0; --i) {
            vcl::TControl* c = FControlList->At<vcl::TControl>(i);
            if (c->Visible() && FHiddenControlList->IndexOf(c) < 0) {
                needed = horizontal ? c->Left() + c->Width() : c->Top() + c->Height();
                break;
            }
        }
        needed += PopupIndicatorWidth();
    }
    int full = DragGripShown() ? FDragGripWidth + 2 : 2;
    int thickness = 26;
    for (int i = 0; i < n; ++i) {
        vcl::TControl* c = FControlList->At<vcl::TControl>(i);
        if (!c->Visible()) continue;
        full += horizontal ? c->Width() : c->Height();
        if (!IsSeparator(c)) thickness = std::max(thickness, (horizontal ? c->Height() : c->Width()) + 4);
    }
    full += PopupIndicatorWidth();
    FMaxLength = std::max(full, needed);
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
    length += PopupIndicatorWidth();
    return std::max(length, FMinLength);
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
}

void TAdvCustomToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FDockPanel != nullptr && !FAllowBoundChange)
        FDockPanel->SetToolBarBounds(this, ALeft, ATop, AWidth, AHeight);
    vcl::TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
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
    if (FDockPanel != nullptr) {
        TFlagGuard adjusting(FAdjustingControl, true);
        SetControlsPosition(true);
    }
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
