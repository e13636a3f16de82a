// The pager's MDI buttons: minimise, restore and close of the maximised MDI child, right of the tabs.
// The pager repaints them whenever the frame window moves or resizes by hooking the frame's window
// procedure; one pager per process owns that hook.

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/pager/PagerButton_p.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/Bitmap.h"
#include "platform/win/Messages.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"

namespace AdvToolBar {

namespace {

// The pager that repaints on the frame's moves; it holds the hook.
TAdvToolBarPager* HookOwner = nullptr;

win::LRESULT PagerMDIParentWndProc(win::HWND H, win::UINT Msg, win::WPARAM W, win::LPARAM L);

win::WindowSubclass* FrameHook(win::HWND H) {
    return win::WindowSubclass::Of(H, PagerMDIParentWndProc);
}

win::LRESULT PagerMDIParentWndProc(win::HWND H, win::UINT Msg, win::WPARAM W, win::LPARAM L) {
    if (Msg == win::WM_WINDOWPOSCHANGED && HookOwner != nullptr) HookOwner->Invalidate();
    win::WindowSubclass* hook = FrameHook(H);
    return hook != nullptr ? hook->CallPrevious(H, Msg, W, L) : win::DefWindowProc(H, Msg, W, L);
}

} // namespace

void TAdvToolBarPager::SetAutoMDIButtons(bool Value) {
    if (FAutoMDIButtons == Value) return;
    FAutoMDIButtons = Value;
    const auto state = ComponentState();
    if (state.Contains(vcl::csDesigning) || state.Contains(vcl::csLoading)) return;
    vcl::TCustomForm* form = vcl::GetParentForm(this);
    if (Value) {
        // A frame already hooked by another pager keeps that pager as the owner.
        if (form != nullptr && form->HandleAllocated() && FrameHook(form->Handle()) == nullptr) {
            FMDISubclass.Attach(form->Handle(), PagerMDIParentWndProc);
            HookOwner = this;
            FActiveMDIChild = nullptr;
        }
    } else if (FMDISubclass.Attached()) {
        const win::HWND h = FMDISubclass.Window();
        EndMDIHook();
        if (win::IsWindow(h)) win::SetWindowRgn(h, nullptr, win::TRUE);
        Invalidate();
    }
    UpdateTabSizes();
    UpdateMDIButtons(true);
}

void TAdvToolBarPager::EndMDIHook() {
    FMDISubclass.Detach();
    if (HookOwner == this) HookOwner = nullptr;
    FActiveMDIChild = nullptr;
}

void TAdvToolBarPager::SetMDIButtonsVisible(bool Value) {
    if (FMDIButtonsVisible == Value) return;
    FMDIButtonsVisible = Value;
    Invalidate();
}

void TAdvToolBarPager::UpdateMDIButtonsShowing() {
    if (!FAutoMDIButtons) return;
    vcl::TCustomForm* form = vcl::GetParentForm(this);
    FActiveMDIChild = form != nullptr ? form->ActiveMDIChild() : nullptr;
    const bool show = FActiveMDIChild != nullptr && FActiveMDIChild->WindowState() == vcl::wsMaximized;
    if (show == FMDIButtonsVisible) return;
    FMDIButtonsVisible = show;
    UpdateMDIButtons(true);
}

vcl::TRect TAdvToolBarPager::GetMDIButtonsRectRect() {
    if (!FMDIButtonsVisible || !FAutoMDIButtons) return {0, 0, 0, 0};
    const vcl::TRect t = GetTabsRect();
    const int left = t.Right + (FTabScroller.Visible() ? 32 : 0) + 2;
    return {left, t.Top, left + (MDIButtonSize + MDIButtonGap) * 3, t.Bottom};
}

vcl::TCustomForm* TAdvToolBarPager::MaximizedMDIChild() {
    vcl::TCustomForm* form = vcl::GetParentForm(this);
    FActiveMDIChild = form != nullptr ? form->ActiveMDIChild() : nullptr;
    if (!FAutoMDIButtons || !FMDIButtonsVisible || FActiveMDIChild == nullptr ||
        FActiveMDIChild->WindowState() != vcl::wsMaximized)
        return nullptr;
    return FActiveMDIChild;
}

void TAdvToolBarPager::UpdateMDIButtons(bool RebuildGlyphs) {
    const auto state = ComponentState();
    if (state.Contains(vcl::csDesigning) || state.Contains(vcl::csDestroying)) return;
    vcl::TCustomForm* form = vcl::GetParentForm(this);
    vcl::TCustomForm* child = form != nullptr ? form->ActiveMDIChild() : nullptr;
    FActiveMDIChild = child;
    const bool show = form != nullptr && FMDIButtonsVisible && FAutoMDIButtons &&
                      !form->BorderIcons().Empty() &&
                      (child == nullptr || child->WindowState() == vcl::wsMaximized);
    if (!show) {
        for (AdvGlowButton::TAdvGlowButton* b : {FMDICloseBtn, FMDIMaxBtn, FMDIMinBtn})
            if (b != nullptr) b->SetVisible(false);
        return;
    }
    auto make = [this](AdvGlowButton::TAdvGlowButton*& Button,
                       void (TAdvToolBarPager::*Click)(vcl::TObject*)) {
        if (Button != nullptr) return;
        Button = new TPagerButton(this);
        Button->SetParent(this);
        Button->SetCaption("");
        Button->SetTransparent(true);
        Button->SetBounds(0, 0, MDIButtonSize, MDIButtonSize);
        Button->OnClick = [this, Click](vcl::TObject* Sender) { (this->*Click)(Sender); };
    };
    make(FMDICloseBtn, &TAdvToolBarPager::OnMDICloseBtnClick);
    make(FMDIMinBtn, &TAdvToolBarPager::OnMDIMinBtnClick);
    make(FMDIMaxBtn, &TAdvToolBarPager::OnMDIMaxBtnClick);
    if (FCurrentStyler != nullptr)
        for (AdvGlowButton::TAdvGlowButton* b : {FMDICloseBtn, FMDIMaxBtn, FMDIMinBtn})
            b->Appearance()->Assign(FCurrentStyler->GlowButtonAppearance());
    const vcl::TRect r = GetMDIButtonsRectRect();
    const int top = r.Top + (r.Height() - MDIButtonSize) / 2 - 4;
    int x = r.Left;
    for (AdvGlowButton::TAdvGlowButton* b : {FMDIMinBtn, FMDIMaxBtn, FMDICloseBtn}) {
        b->SetBounds(x, top, MDIButtonSize, MDIButtonSize);
        x += MDIButtonSize + MDIButtonGap;
    }
    if (FCurrentStyler != nullptr && RebuildGlyphs) {
        if (FMDIImages == nullptr) FMDIImages = std::make_unique<vcl::TCustomImageList>(14, 14);
        MakeCaptionGlyphs(FMDIImages.get(), form->WindowState() != vcl::wsNormal);
        FMDICloseBtn->SetImages(FMDIImages.get());
        FMDICloseBtn->SetImageIndex(0);
        FMDIMaxBtn->SetImages(FMDIImages.get());
        FMDIMaxBtn->SetImageIndex(1);
        FMDIMinBtn->SetImages(FMDIImages.get());
        FMDIMinBtn->SetImageIndex(2);
    }
    const vcl::TBorderIcons icons = child != nullptr ? child->BorderIcons() : vcl::TBorderIcons{};
    FMDICloseBtn->SetEnabled(icons.Contains(vcl::biSystemMenu));
    FMDIMinBtn->SetEnabled(icons.Contains(vcl::biMinimize));
    FMDIMaxBtn->SetEnabled(icons.Contains(vcl::biMaximize));
    for (AdvGlowButton::TAdvGlowButton* b : {FMDIMinBtn, FMDIMaxBtn, FMDICloseBtn}) {
        b->SetVisible(true);
        b->BringToFront();
    }
}

void TAdvToolBarPager::OnMDICloseBtnClick(vcl::TObject*) {
    if (vcl::TCustomForm* child = MaximizedMDIChild()) child->Close();
    UpdateMDIButtons(true);
}

void TAdvToolBarPager::OnMDIMaxBtnClick(vcl::TObject*) {
    if (vcl::TCustomForm* child = MaximizedMDIChild();
        child != nullptr && child->BorderIcons().Contains(vcl::biMaximize))
        child->SetWindowState(vcl::wsNormal);
    UpdateMDIButtons(true);
}

void TAdvToolBarPager::OnMDIMinBtnClick(vcl::TObject*) {
    if (vcl::TCustomForm* child = MaximizedMDIChild();
        child != nullptr && child->BorderIcons().Contains(vcl::biMinimize))
        child->SetWindowState(vcl::wsMinimized);
}

} // namespace AdvToolBar
