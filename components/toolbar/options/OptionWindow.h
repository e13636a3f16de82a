#pragma once
// TOptionSelectorWindow: the borderless popup that opens from a toolbar's right handle (and from the
// quick access toolbar's overflow button), carrying a TOptionSelectorPanel; it hides one timer tick
// after it loses activation, unless one of its own sub-popups took it.
// TOptionSelectorPanel: the base of the panels it shows (surface, border, margins).

#include <memory>

#include "components/toolbar/styler/ToolBarTypes.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Panel.h"
#include "platform/vcl/Timer.h"

namespace AdvToolBar {

class TAdvCustomToolBar;
class TAdvQuickAccessToolBar;

class TOptionSelectorPanel : public vcl::TCustomPanel {
    KV_CLASS(TOptionSelectorPanel, vcl::TCustomPanel)
public:
    explicit TOptionSelectorPanel(vcl::TComponent* AOwner);

    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { FColorTo = Value; }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
    TColor WindowBorderColor() const { return FWindowBorderColor; }
    void SetWindowBorderColor(TColor Value) { FWindowBorderColor = Value; }
    int MarginX() const { return FMarginX; }
    void SetMarginX(int Value) { FMarginX = Value; }
    int MarginY() const { return FMarginY; }
    void SetMarginY(int Value) { FMarginY = Value; }
    TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
    void SetAdvToolBar(TAdvCustomToolBar* Value) { FAdvToolBar = Value; }
    TAdvQuickAccessToolBar* AdvQuickAccessToolBar() const { return FAdvQuickAccessToolBar; }
    void SetAdvQuickAccessToolBar(TAdvQuickAccessToolBar* Value) { FAdvQuickAccessToolBar = Value; }

    virtual int GetVisibleHeight() { return Height(); }
    // Called when the window that shows the panel hides.
    virtual void DoHide() {}

protected:
    void Paint() override;

    vcl::TComponent* FOwner;
    TColor FColorTo = vcl::clNone;
    TGradientDirection FGradientDirection = gdHorizontal;
    TColor FWindowBorderColor = 0x808080;
    int FMarginY = 3;
    int FMarginX = 3;
    TAdvCustomToolBar* FAdvToolBar = nullptr;
    TAdvQuickAccessToolBar* FAdvQuickAccessToolBar = nullptr;
};

class TOptionSelectorWindow : public vcl::TCustomForm {
    KV_CLASS(TOptionSelectorWindow, vcl::TCustomForm)
public:
    explicit TOptionSelectorWindow(vcl::TComponent* AOwner);
    // The constructor every caller uses: it also stores the owner.
    TOptionSelectorWindow(vcl::TComponent* AOwner, int Dummy);
    ~TOptionSelectorWindow() override;

    TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
    void SetAdvToolBar(TAdvCustomToolBar* Value) { FAdvToolBar = Value; }
    TOptionSelectorPanel* OptionsPanel() const { return FOptionsPanel; }
    void SetOptionsPanel(TOptionSelectorPanel* Value) { FOptionsPanel = Value; }
    bool HideOnDeActivate() const { return FHideOnDeActivate; }
    void SetHideOnDeActivate(bool Value) { FHideOnDeActivate = Value; }
    vcl::TTimer* HideTimer() const { return FHideTimer.get(); }

    // The top-most ancestor window of the owner's window (null when that window has no parent).
    win::HWND GetParentWnd() const;
    // Takes the panel's visible height and its width.
    void SetWindowSize();
    void HideTimerOnTime(vcl::TObject* Sender);

protected:
    void CreateParams(vcl::TCreateParams& Params) override;
    void WndProc(vcl::TMessage& Message) override;
    void DoHide() override;

private:
    void Init();
    void WMActivate(vcl::TMessage& Message);
    void WMNCHitTest(vcl::TMessage& Message);

    TAdvCustomToolBar* FAdvToolBar = nullptr;
    TOptionSelectorPanel* FOptionsPanel = nullptr;
    bool FHideOnDeActivate = true;
    vcl::TComponent* FOwnerControl = nullptr;
    std::unique_ptr<vcl::TTimer> FHideTimer;
};

// A plain form with a gradient body and a caption band; offered for forms that want the toolbar's look.
class TAdvToolBarWindow : public vcl::TCustomForm {
    KV_CLASS(TAdvToolBarWindow, vcl::TCustomForm)
public:
    explicit TAdvToolBarWindow(vcl::TComponent* AOwner);
    TAdvToolBarWindow(vcl::TComponent* AOwner, int Dummy);

    TColor ColorTo = vcl::clWhite;
    TColor CaptionColor = vcl::clBlue;
    TColor CaptionColorTo = vcl::clNone;
    TGradientDirection GradientDirection = gdVertical;
    // Stored only.
    int BorderWidth = 2;
    TColor BorderColor = 0x808080;

protected:
    void Paint() override;

private:
    vcl::TComponent* FOwnerControl;
};

// One text item of a selector panel.
class TSelectorItem : public vcl::TObject {
    KV_CLASS(TSelectorItem, vcl::TObject)
public:
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    // In panel coordinates; set by the panel's ArrangeControls (empty while the item is not shown).
    vcl::TRect ItemRect;

private:
    int FHeight = 20;
    String FCaption;
    int FWidth = 30;
};

} // namespace AdvToolBar
