#pragma once
// TControlSelectorPanel: the panel of the option window: the controls that did not fit on the
// toolbar, in rows, and below them the "Options" and "Add or Remove Buttons" items. The first opens
// the toolbar's options menu (or the "Customize" window when a customizer is linked), the second a
// popup with one check item per toolbar control.
// TCustomizeOption: the panel of the "Customize" window, one button that hands the customize request
// to the toolbar.

#include <memory>

#include "components/toolbar/dock/ToolBarSeparator.h"
#include "components/toolbar/options/OptionWindow.h"
#include "components/toolbar/styler/ToolBarStyler.h"
#include "platform/vcl/Menus.h"

namespace AdvToolBar {

class TATBPopupWindow;
class TCustomizeOption;

class TControlSelectorPanel : public TOptionSelectorPanel {
    KV_CLASS(TControlSelectorPanel, TOptionSelectorPanel)
public:
    explicit TControlSelectorPanel(vcl::TComponent* AOwner);
    ~TControlSelectorPanel() override;

    // -1 for null; else the control comes onto the panel and is listed (once); its index.
    int AddControl(vcl::TControl* Control);
    void RemoveControl(vcl::TControl* Control);
    // A copy of the separator, owned by the panel until the window next hides.
    TAdvToolBarSeparator* AddCopySeparator(TAdvToolBarSeparator* Separator);
    void ClearControls() { FControls->Clear(); }
    int SelectorControlCount() const { return FControls->Count(); }
    vcl::TControl* SelectorControls(int Index) const { return FControls->At<vcl::TControl>(Index); }
    // Lays out the controls and the items, and sizes the panel.
    void ArrangeControls();
    bool IsEmpty() const;

    bool ShowAddAndRemoveBtn() const { return FShowAddAndRemoveBtn; }
    void SetShowAddAndRemoveBtn(bool Value) { FShowAddAndRemoveBtn = Value; }
    vcl::TPopupMenu* OptionsMenu() const { return FOptionsMenu; }
    void SetOptionsMenu(vcl::TPopupMenu* Value) { FOptionsMenu = Value; }
    // The linked customizer (set by the toolbar); the Options item shows while it is set.
    vcl::TComponent* Customizer() const { return FCustomizer; }
    void SetCustomizer(vcl::TComponent* Value) { FCustomizer = Value; }
    // The customizer's "Customize" text, which the Customize window's caption starts with.
    String CustomizeText = "Customize";
    bool ShowOptionsBtn() const { return FOptionsMenu != nullptr || FCustomizer != nullptr; }
    void SetTextAutoOptionMenu(const String& Value);
    void SetTextOptionMenu(const String& Value);
    String GetTextAutoOptionMenu() const { return FAddRemoveItem->Caption(); }
    String GetTextOptionMenu() const { return FOptionsItem->Caption(); }
    const TSelectorItem* AddRemoveItem() const { return FAddRemoveItem.get(); }
    const TSelectorItem* OptionsItem() const { return FOptionsItem.get(); }

    TColor ItemColorHot = 0xD2BDB6; // RGB(182, 189, 210)
    TColor ItemColorHotTo = vcl::clNone;
    TColor ItemColorDown = 0x808080;
    TColor ItemColorDownTo = vcl::clNone;
    TColor ItemTextColor = vcl::clBlack;
    TColor ItemTextColorHot = vcl::clWhite;
    TColor ItemTextColorDown = vcl::clBlack;

    void ShowAddAndRemovePopup();
    void HideAddAndRemovePopup();
    void ShowOptionsBtnPopup();
    void HideOptionsBtnPopup() {}
    // Null until first used.
    TATBPopupWindow* AddAndRemovePopup() const { return FAddRemovePopup; }
    TOptionSelectorWindow* OptionsPopup() const { return FOptionsPopup; }
    TCustomizeOption* CustomizeOption() const { return FCustomizeOption; }
    bool AddRemoveHot() const { return FAddRemoveHot; }
    bool AddRemoveDown() const { return FAddRemoveDown; }
    bool OptionsHot() const { return FOptionsHot; }

    // Frees the separator copies.
    void DoHide() override;

protected:
    void Paint() override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;
    void WndProc(vcl::TMessage& Message) override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    // Escape closes the option window.
    void KeyDown(vcl::Word& Key, vcl::TShiftState Shift) override;

private:
    void ReSetButtonSize();
    void PaintItem(const TSelectorItem& Item, bool Hot, bool Down, bool AddRemove);
    TOptionSelectorWindow* OptionWindow() const;
    void HideOptionsPopupInternally();
    void TimerOnTime(vcl::TObject* Sender);
    void OnAddAndRemoveWindowHide(vcl::TObject* Sender);
    void OnAARWindowDeActivateHide(vcl::TObject* Sender);
    void OnCustomizeOptionWindowHide(vcl::TObject* Sender);
    vcl::TPoint PointerInPanel() const;

    std::unique_ptr<TDbgList> FControls;
    std::unique_ptr<TSelectorItem> FAddRemoveItem;
    bool FAddRemoveHot = false;
    bool FAddRemoveDown = false;
    int FGap = 8;
    TATBPopupWindow* FAddRemovePopup = nullptr; // owned by the panel as a component
    bool FShowAddAndRemoveBtn = true;
    std::unique_ptr<TSelectorItem> FOptionsItem;
    bool FOptionsHot = false;
    bool FOptionsDown = false;
    vcl::TPopupMenu* FOptionsMenu = nullptr;
    std::unique_ptr<vcl::TTimer> FHoverTimer;
    std::unique_ptr<TDbgList> FSeparatorCopies;
    bool FInternalHide = false;
    vcl::TComponent* FCustomizer = nullptr;
    TCustomizeOption* FCustomizeOption = nullptr;   // owned by the Options popup as a component
    TOptionSelectorWindow* FOptionsPopup = nullptr; // owned by the panel as a component
};

class TCustomizeOption : public TOptionSelectorPanel {
    KV_CLASS(TCustomizeOption, TOptionSelectorPanel)
public:
    explicit TCustomizeOption(vcl::TComponent* AOwner);

    String Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    bool Hot() const { return FHot; }
    bool Down() const { return FDown; }
    // 25 high; as wide as the caption and the margins with 12 pixels to spare.
    void UpDateSize();
    vcl::TRect GetCustomizeBtnRect() const;

protected:
    void Paint() override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void WndProc(vcl::TMessage& Message) override;

private:
    vcl::TComponent* FOwnerWindow;
    bool FHot = false;
    bool FDown = false;
    String FCaption = "Customize";
};

} // namespace AdvToolBar
