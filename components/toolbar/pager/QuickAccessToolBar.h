#pragma once
// TAdvCustomQuickAccessToolBar: the small strip of buttons a pager carries, in its caption row beside
// the title or, in full-size mode, as a full-width bar below the pages. Its controls are ordinary child
// controls laid out left to right; those that do not fit are parked above it and offered in an overflow
// window behind a double-arrow button, and a customize button drops a menu. The pager places and sizes
// it (MaxQATRect); it paints its own background shape. TAdvQuickAccessToolBar publishes the properties.

#include "components/toolbar/styler/ToolBarStyler.h"
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"

namespace AdvToolBar {

class TAdvVistaButton;
class TOptionSelectorWindow;
class TControlSelectorPanel;
class TAdvToolBarPager;

class TAdvCustomQuickAccessToolBar : public vcl::TCustomControl {
    KV_CLASS(TAdvCustomQuickAccessToolBar, vcl::TCustomControl)
public:
    explicit TAdvCustomQuickAccessToolBar(vcl::TComponent* AOwner);
    ~TAdvCustomQuickAccessToolBar() override;

    // Only a pager (or none) can hold it: any other parent raises "Invalid Parent".
    void SetParent(vcl::TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ---- Layout (QuickAccessLayout.cpp)
    void UpdateControlList();
    // The visible children other than its own buttons and window and the hidden controls, by Left.
    void GetSequentialControlList(TDbgList* List);
    void UpdateSize();
    void UpdateControlsPos(bool UpdateSizeAfter);
    void UpdateControlsVisiblity();
    static constexpr int MinWidth = 60;
    int MaxWidth();
    int TotalCtrlsWidth() const;
    int CanShrink();
    int CanExpand();
    vcl::TRect GetDrawingRect();
    vcl::TRect GetMyClientRect();
    int GetLeftMargin() const;
    int GetRightMargin() const;
    vcl::TRect GetCustomizeBtnRect() const;
    int ControlListCount() const { return FControlList->Count(); }
    vcl::TControl* ControlListItems(int Index) const { return FControlList->At<vcl::TControl>(Index); }
    int HiddenCount() const { return FHiddenList->Count(); }
    vcl::TControl* HiddenControls(int Index) const { return FHiddenList->At<vcl::TControl>(Index); }
    bool IsHidden(const vcl::TControl* C) const {
        return FHiddenList->IndexOf(const_cast<vcl::TControl*>(C)) >= 0;
    }
    // Joins Control at the end of the bar.
    void AddToolBarControl(vcl::TControl* Control);

    bool FullSize() const { return FFullSize; }
    void SetFullSize(bool Value);

    // ---- The customize and overflow buttons and the overflow window
    bool ShowCustomizeOption() const { return FShowCustomizeOption; }
    void SetShowCustomizeOption(bool Value);
    bool GetShowScrollButton() const;
    void SetShowScrollButton(bool Value);
    void InitializeOverflowWindow();
    // AtPosition False: below the bar's right end, kept on the screen.
    void ShowOverflowWindow(int X, int Y, bool AtPosition);
    void HideOverflowWindow();
    TAdvVistaButton* CustomizeButton() const { return FCustomizeButton; }
    TAdvVistaButton* OverflowButton() const { return FOverflowButton; }
    TOptionSelectorWindow* OverflowWindow() const { return FOverflowWindow; }
    TControlSelectorPanel* OverflowPanel() const { return FOverflowPanel; }
    // Whether Parent is the overflow window or lies inside it.
    bool HoldsInOverflowWindow(const vcl::TWinControl* Parent) const;
    static constexpr int ButtonWidth = 14;
    static constexpr int ButtonGap = 2;

    // ---- Styling
    // The styler of the pager it sits on; null on any other parent.
    TCustomAdvToolBarStyler* GetCustomAdvToolBarStyler() const;
    void UpdateMe(int Code);
    void UpdateAllGlowButtons();
    vcl::TCustomImageList* Images() const { return FImages; }
    void SetImages(vcl::TCustomImageList* Value);
    vcl::TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(vcl::TCustomImageList* Value);
    String CustomizeHint() const { return FCustomizeHint; }
    void SetCustomizeHint(const String& Value);
    vcl::TPopupMenu* DropDownPopupMenu() const { return FDropDownPopupMenu; }
    void SetDropDownPopupMenu(vcl::TPopupMenu* Value);

    // ---- Key tips of its glow buttons
    // A tip equal to Keys clicks its button (true); tips that start with Keys count in PartialCount,
    // the others are hidden.
    bool HasShortCut(const String& Keys, int& PartialCount);
    // Whether some button's tip starts with Keys; changes nothing.
    bool AnyShortCutStartsWith(const String& Keys) const;
    void ShowShortCutHintOfButtons();
    void HideShortCutHintOfButtons();

    // Layout and painting wait until the last EndUpdate; both count only while the bar is visible.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void AlignControls(vcl::TControl* AControl, vcl::TRect& Rect) override;
    void WndProc(vcl::TMessage& Message) override;
    // QuickAccessPaint.cpp
    void Paint() override;

    bool FFullSize = false;
    bool FShowCustomizeOption = false;
    std::unique_ptr<TDbgList> FControlList;
    std::unique_ptr<TDbgList> FHiddenList;
    bool FPositioning = false;
    bool FSizing = false;
    TAdvVistaButton* FCustomizeButton = nullptr;      // owned as a component
    TAdvVistaButton* FOverflowButton = nullptr;       // owned as a component
    TOptionSelectorWindow* FOverflowWindow = nullptr; // owned as a component
    TControlSelectorPanel* FOverflowPanel = nullptr;  // owned by the window
    vcl::TCustomImageList* FDisabledImages = nullptr;
    vcl::TCustomImageList* FImages = nullptr;
    vcl::TPopupMenu* FDropDownPopupMenu = nullptr;
    int FUpdateCount = 0;
    String FCustomizeHint;

private:
    TAdvToolBarPager* Pager() const;
    bool IsOwnControl(const vcl::TControl* C) const;
    bool IsLoading() const { return ComponentState().Contains(vcl::csLoading); }
    bool IsDesigning() const { return ComponentState().Contains(vcl::csDesigning); }
    void Relayout();
    void HideControlsFrom(int Index);
    void ShowHiddenControls(const vcl::TRect& R);
    void ForgetControl(vcl::TControl* C);
    void JoinBehindHidden(vcl::TControl* C);
    void CMControlChange(vcl::TMessage& Message);
    void OnCustomizeButtonClick(vcl::TObject* Sender);
    void OnScrollButtonDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X,
                            int Y);
    void OnScrollButtonClick(vcl::TObject*) {}
    void OnOverflowWindowHide(vcl::TObject* Sender);
    // Every toolbar control of the list measures itself again.
    void AdjustToolBarControls();
    void PaintFullSize(vcl::TCanvas* C, TCustomAdvToolBarStyler* S);
    void PaintCaptionShape(vcl::TCanvas* C, TCustomAdvToolBarStyler* S);
};

class TAdvQuickAccessToolBar : public TAdvCustomQuickAccessToolBar {
    KV_CLASS(TAdvQuickAccessToolBar, TAdvCustomQuickAccessToolBar)
    KV_PUBLISHED_PROPERTIES(TAdvQuickAccessToolBar)
public:
    using TAdvCustomQuickAccessToolBar::TAdvCustomQuickAccessToolBar;
};

} // namespace AdvToolBar
