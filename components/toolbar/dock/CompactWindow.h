#pragma once
// TCompactWindow: the small borderless popup that a compacted toolbar drops down from its compact
// button. It holds the toolbar's clone, which carries the toolbar's controls while it is compacted,
// and hides itself shortly after it loses the activation.

#include <memory>

#include "components/foundation/AdvGlowButton.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Timer.h"

namespace AdvToolBar {

class TAdvCustomToolBar;

class TCompactWindow : public vcl::TCustomForm {
    KV_CLASS(TCompactWindow, vcl::TCustomForm)
public:
    // Owner is the compacted toolbar.
    explicit TCompactWindow(vcl::TComponent* AOwner);
    TCompactWindow(vcl::TComponent* AOwner, int Dummy);
    ~TCompactWindow() override;

    TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
    void SetAdvToolBar(TAdvCustomToolBar* Value) { FAdvToolBar = Value; }
    AdvGlowButton::TAdvGlowButton* DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(AdvGlowButton::TAdvGlowButton* Value);
    TAdvCustomToolBar* OwnerToolBar() const { return FOwner; }
    bool HideOnDeActivate() const { return FHideOnDeActivate; }
    void SetHideOnDeActivate(bool Value) { FHideOnDeActivate = Value; }
    vcl::TTimer* HideTimer() const { return FHideTimer.get(); }

    // Fits the window around the clone (one pixel on each side) in the clone's background colour.
    void SetWindowSize();
    // The top-level window of the owner toolbar.
    win::HWND GetParentWnd() const;
    bool GetHideOnDeActivate() const { return Visible() && FHideOnDeActivate; }
    void HideTimerOnTime(vcl::TObject* Sender);

protected:
    void CreateParams(vcl::TCreateParams& Params) override;
    void Paint() override;
    void DoHide() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void WndProc(vcl::TMessage& Message) override;
    void WMActivate(vcl::TMessage& Message);
    void WMNCHitTest(vcl::TMessage& Message);

private:
    void Init();

    TAdvCustomToolBar* FAdvToolBar = nullptr;
    AdvGlowButton::TAdvGlowButton* FDropDownButton = nullptr;
    TAdvCustomToolBar* FOwner = nullptr;
    bool FHideOnDeActivate = true;
    bool FRefocusing = false;
    std::unique_ptr<vcl::TTimer> FHideTimer;
};

// True for the compact window a toolbar holds among its children (it is no toolbar control).
inline bool IsCompactWindow(const vcl::TControl* Control) {
    return dynamic_cast<const TCompactWindow*>(Control) != nullptr;
}

} // namespace AdvToolBar
