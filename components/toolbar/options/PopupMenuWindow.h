#pragma once
// TATBPopupWindow: the borderless top-level form that carries a TATBPopupPanel. It hides itself one
// timer tick after it loses activation (unless a sub-popup of its own took it), and keeps the owning
// form's caption drawn as active while it is up.

#include <memory>

#include "components/toolbar/options/PopupMenuPanel.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Timer.h"

namespace AdvToolBar {

class TAdvCustomToolBar;

class TATBPopupWindow : public vcl::TCustomForm {
    KV_CLASS(TATBPopupWindow, vcl::TCustomForm)
public:
    explicit TATBPopupWindow(vcl::TComponent* AOwner);
    // The constructor every caller uses: it also stores the owner and creates the panel.
    TATBPopupWindow(vcl::TComponent* AOwner, int Dummy);
    ~TATBPopupWindow() override;

    TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
    void SetAdvToolBar(TAdvCustomToolBar* Value) { FAdvToolBar = Value; }
    TATBPopupPanel* PopupPanel() const { return FPopupPanel; }
    bool HideOnDeActivate() const { return FHideOnDeActivate; }
    void SetHideOnDeActivate(bool Value) { FHideOnDeActivate = Value; }
    vcl::TTimer* HideTimer() const { return FHideTimer.get(); }

    void CreatePopupPanel();
    // Creates the root item and hands it to the panel.
    void CreateItems();
    TATBMenuItem* RootItem() const { return FRootItem.get(); }
    void SetWindowSize();
    // The panel lets go of its hot item and sub-popup first.
    void Hide();
    void HideTimerOnTime(vcl::TObject* Sender);
    // The top-most ancestor window of the toolbar's (or else the owner's) window.
    win::HWND GetParentWnd() const;

    // Fired after the window hid itself because it lost activation.
    vcl::TNotifyEvent OnDeActivateHide;

protected:
    void CreateParams(vcl::TCreateParams& Params) override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void WndProc(vcl::TMessage& Message) override;

private:
    void Init();
    void WMActivate(vcl::TMessage& Message);
    void WMNCHitTest(vcl::TMessage& Message);

    TAdvCustomToolBar* FAdvToolBar = nullptr;
    TATBPopupPanel* FPopupPanel = nullptr; // owned by the window as a component
    bool FHideOnDeActivate = true;
    vcl::TComponent* FOwnerControl = nullptr;
    std::unique_ptr<vcl::TTimer> FHideTimer;
    std::unique_ptr<TATBMenuItem> FRootItem;
};

namespace popups {
// The top-most ancestor of a window (the window itself when it has no parent); null stays null.
win::HWND TopMostAncestor(win::HWND Window);
// The work area of the monitor that holds the screen point.
vcl::TRect WorkAreaAt(vcl::TPoint P);
// Places a popup of Size at P: moved up by what its bottom + 2 passes the work area's bottom, and to
// LeftX - width when its right edge passes the work area's right.
vcl::TPoint FitPopup(vcl::TPoint P, vcl::TSize Size, int LeftX);
// Marks a form as one of the option popups: its bounds are screen bounds, and the owner given here
// is the window its own window belongs to.
void MakePopupParams(vcl::TCreateParams& Params, win::HWND Owner);
} // namespace popups

} // namespace AdvToolBar
