// The quick access toolbar's layout: its geometry, the ordered control list, its size from the pager's
// MaxQATRect, the positions of the controls and of its two buttons, and which controls are hidden.

#include <algorithm>

#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/options/SelectorPanels.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/pager/QuickAccessToolBar.h"
#include "components/toolbar/pager/VistaButtons.h"

namespace AdvToolBar {

// ---- Geometry

vcl::TRect TAdvCustomQuickAccessToolBar::GetDrawingRect() {
    vcl::TRect r = GetClientRect();
    if (!FFullSize) {
        r.Top += 3;
        r.Right -= ButtonWidth + ButtonGap;
    }
    return r;
}

vcl::TRect TAdvCustomQuickAccessToolBar::GetMyClientRect() {
    vcl::TRect r = GetDrawingRect();
    r.Left = GetLeftMargin();
    r.Right -= GetRightMargin();
    r.Bottom -= 1;
    return r;
}

int TAdvCustomQuickAccessToolBar::GetLeftMargin() const {
    // In the caption row the bar's left end is cut round by the application button's notch.
    return FFullSize ? 4 : Height() / 2 + 2;
}

int TAdvCustomQuickAccessToolBar::GetRightMargin() const {
    return FFullSize ? 4 : 12;
}

vcl::TRect TAdvCustomQuickAccessToolBar::GetCustomizeBtnRect() const {
    return vcl::TRect{Width() - ButtonWidth, 1, Width(), Height()};
}

int TAdvCustomQuickAccessToolBar::MaxWidth() {
    int w = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        vcl::TControl* c = Controls(i);
        if (IsOwnControl(c) || IsHidden(c)) continue;
        if (c->Visible() || IsDesigning()) w += c->Width();
    }
    for (void* p : *FHiddenList)
        if (!IsOwnControl(static_cast<vcl::TControl*>(p))) w += static_cast<vcl::TControl*>(p)->Width();
    return w + GetLeftMargin() + GetRightMargin() + ButtonWidth + ButtonGap;
}

int TAdvCustomQuickAccessToolBar::TotalCtrlsWidth() const {
    int w = 0;
    for (void* p : *FControlList)
        w += static_cast<vcl::TControl*>(p)->Width();
    return w;
}

int TAdvCustomQuickAccessToolBar::CanShrink() {
    return FFullSize ? 0 : std::max(0, Width() - MinWidth);
}

int TAdvCustomQuickAccessToolBar::CanExpand() {
    return FFullSize ? 0 : std::max(0, Width() - MaxWidth());
}

// ---- Control list

void TAdvCustomQuickAccessToolBar::GetSequentialControlList(TDbgList* List) {
    for (int i = 0; i < ControlCount(); ++i) {
        vcl::TControl* c = Controls(i);
        if (IsOwnControl(c) || IsHidden(c) || (!c->Visible() && !IsDesigning())) continue;
        int at = List->Count();
        for (int k = 0; k < List->Count(); ++k)
            if (List->At<vcl::TControl>(k)->Left() > c->Left()) {
                at = k;
                break;
            }
        List->Insert(at, c);
    }
}

void TAdvCustomQuickAccessToolBar::UpdateControlList() {
    FControlList->Clear();
    GetSequentialControlList(FControlList.get());
}

// ---- Size and positions

void TAdvCustomQuickAccessToolBar::UpdateSize() {
    TAdvToolBarPager* pager = Pager();
    if (FSizing || pager == nullptr) return;
    TFlagGuard sizing(FSizing, true);
    const vcl::TRect r = pager->MaxQATRect();
    if (FFullSize) {
        SetBounds(r.Left, r.Top, std::max(r.Width(), MinWidth), r.Height());
    } else if (pager->Caption()->Visible()) {
        SetBounds(r.Left, r.Top, std::max(std::min(r.Width(), MaxWidth()), MinWidth), r.Height());
    }
}

void TAdvCustomQuickAccessToolBar::UpdateControlsPos(bool UpdateSizeAfter) {
    if (FPositioning || IsLoading() || FUpdateCount > 0) return;
    {
        TFlagGuard positioning(FPositioning, true);
        const vcl::TRect r = GetMyClientRect();
        int x = r.Left;
        const int h = r.Height();
        for (void* p : *FControlList) {
            auto* c = static_cast<vcl::TControl*>(p);
            c->SetLeft(x);
            x += c->Width();
            // A hidden control waits above the bar, out of sight.
            c->SetTop(IsHidden(c) ? -c->Height() - 2 : r.Top + (h - c->Height()) / 2);
        }
        for (void* p : *FHiddenList)
            if (auto* c = static_cast<vcl::TControl*>(p); c->Parent() == this) c->SetTop(-c->Height() - 2);
        const int left = FFullSize ? x : GetCustomizeBtnRect().Left;
        auto place = [&](TAdvVistaButton* b) { b->SetBounds(left, r.Top, ButtonWidth, h); };
        if (FCustomizeButton != nullptr && FCustomizeButton->Visible() &&
            FCustomizeButton->Parent() == this && FHiddenList->Count() == 0)
            place(FCustomizeButton);
        if (FOverflowButton != nullptr && FOverflowButton->Visible() && FHiddenList->Count() > 0)
            place(FOverflowButton);
    }
    if (UpdateSizeAfter) UpdateSize();
}

// ---- Hiding and showing controls

void TAdvCustomQuickAccessToolBar::UpdateControlsVisiblity() {
    if (Pager() == nullptr || FUpdateCount > 0 || FSizing || FPositioning || IsLoading()) return;
    const vcl::TRect r = GetMyClientRect();
    int first = -1;
    for (int i = 0; i < FControlList->Count() && first < 0; ++i) {
        vcl::TControl* c = ControlListItems(i);
        if (c->Left() + c->Width() > r.Right) first = i;
    }
    {
        TFlagGuard positioning(FPositioning, true);
        if (first < 0)
            ShowHiddenControls(r);
        else
            HideControlsFrom(first);
    }
    UpdateControlList();
    // Controls that went or came are placed at once: none may show over the overflow button.
    UpdateControlsPos(false);
}

void TAdvCustomQuickAccessToolBar::HideControlsFrom(int Index) {
    SetShowScrollButton(true);
    for (int i = FControlList->Count() - 1; i >= Index; --i) {
        vcl::TControl* c = ControlListItems(i);
        FHiddenList->Insert(0, c);
        c->FreeNotification(this);
    }
    if (FCustomizeButton != nullptr && FCustomizeButton->Parent() == this && FCustomizeButton->Visible())
        FCustomizeButton->SetVisible(false);
}

void TAdvCustomQuickAccessToolBar::ShowHiddenControls(const vcl::TRect& R) {
    if (FHiddenList->Count() > 0) {
        int x = FControlList->Count() > 0 ? ControlListItems(FControlList->Count() - 1)->BoundsRect().Right
                                          : R.Left;
        int room = R.Right - x;
        // One by one from the first hidden, while each fits.
        while (FHiddenList->Count() > 0 && room > 0) {
            vcl::TControl* c = HiddenControls(0);
            if (c->Width() > room) break;
            if (c->Parent() != this) {
                c->SetParent(this);
                c->SetLeft(x);
                x += c->Width();
            }
            room -= c->Width();
            FHiddenList->Delete(0);
            c->RemoveFreeNotification(this);
        }
    }
    if (FHiddenList->Count() > 0) return;
    SetShowScrollButton(false);
    if (FShowCustomizeOption &&
        (FCustomizeButton == nullptr || FCustomizeButton->Parent() != this || !FCustomizeButton->Visible())) {
        // The button comes back from the overflow window (or is made again).
        SetShowCustomizeOption(false);
        SetShowCustomizeOption(true);
    }
}

} // namespace AdvToolBar
