#pragma once
// The menu-like popup of the toolbar library: a tree of TATBMenuItem and the panel that lists one level
// of it in rows, drawn with a menu styler's colours and glyphs. An item with children opens a further
// popup beside it when hovered; an auto-check item toggles the visibility of the toolbar control it
// stands for, and the popup stays open so that several controls can be switched in a row.

#include <memory>

#include "components/menus/AdvMenuStyler.h"
#include "components/toolbar/styler/ToolBarTypes.h"
#include "platform/vcl/Panel.h"

namespace AdvToolBar {

class TATBPopupWindow;

class TATBMenuItem : public vcl::TObject {
    KV_CLASS(TATBMenuItem, vcl::TObject)
public:
    TATBMenuItem() = default;
    ~TATBMenuItem() override;

    // A new child whose parent item is this one, appended.
    TATBMenuItem* Add();
    void Clear();
    int GetCount() const { return static_cast<int>(FChildren.size()); }
    TATBMenuItem* GetItem(int Index) const { return FChildren.at(static_cast<std::size_t>(Index)).get(); }
    bool HasChildren() const { return !FChildren.empty(); }
    // Kept for callers that remove by index; the list does not change.
    void RemoveItem(int) {}

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value) { FChecked = Value; }
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    TATBMenuItem* ParentItem() const { return FParentItem; }
    void SetFParentItem(TATBMenuItem* Value) { FParentItem = Value; }
    vcl::TControl* Control() const { return FControl; }
    void SetControl(vcl::TControl* Value) { FControl = Value; }
    // In panel coordinates; set by the panel's ArrangeItems.
    vcl::TRect ItemRect;

private:
    bool FEnabled = true;
    bool FVisible = true;
    std::vector<std::unique_ptr<TATBMenuItem>> FChildren;
    TATBMenuItem* FParentItem = nullptr;
    int FHeight = 0;
    String FCaption;
    int FWidth = 0;
    bool FChecked = false;
    bool FAutoCheck = false;
    vcl::TControl* FControl = nullptr;
};

// The plain popup surface: an optional gradient and a one-pixel border.
class TATBCustomPopupPanel : public vcl::TCustomPanel {
    KV_CLASS(TATBCustomPopupPanel, vcl::TCustomPanel)
public:
    explicit TATBCustomPopupPanel(vcl::TComponent* AOwner);

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
    virtual int GetVisibleHeight() { return Height(); }

protected:
    void Paint() override;

    vcl::TComponent* FOwner;
    TColor FColorTo = vcl::clNone;
    TGradientDirection FGradientDirection = gdHorizontal;
    TColor FWindowBorderColor = 0x808080;
    int FMarginY = 2;
    int FMarginX = 2;
};

class TATBPopupPanel : public TATBCustomPopupPanel {
    KV_CLASS(TATBPopupPanel, TATBCustomPopupPanel)
public:
    explicit TATBPopupPanel(vcl::TComponent* AOwner);

    // The item whose children are listed (not owned); setting it arranges them.
    TATBMenuItem* Items() const { return FItems; }
    void SetItems(TATBMenuItem* Value);
    AdvMenuStylers::TCustomAdvMenuStyler* AdvMenuStyler() const { return FAdvMenuStyler; }
    // The panel is told when the menu styler goes, and then paints without it.
    void SetAdvMenuStyler(AdvMenuStylers::TCustomAdvMenuStyler* Value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value) { FItemHeight = Value; }
    bool ShowImageBar() const { return FShowImageBar; }
    void SetShowImageBar(bool Value) { FShowImageBar = Value; }
    bool ShowIconBar() const { return FShowIconBar; }
    void SetShowIconBar(bool Value) { FShowIconBar = Value; }
    int ImageBarSize() const { return FImageBarSize; }
    void SetImageBarSize(int Value) { FImageBarSize = Value; }
    bool IsAnyAutoCheckItem() const { return true; }
    int HotItem() const { return FHotItem; }
    int PopupItem() const { return FPopupItem; }
    // The sub-popup (null until an item with children was first hovered).
    TATBPopupWindow* ItemPopup() const { return FItemPopup; }

    void ArrangeItems();
    void DrawAllItems();
    void DrawItem(int Index);
    // Invalidates the item's rectangle; an index out of range is ignored.
    void InvalidateItem(int Index);
    // The first item whose rectangle holds the point, else -1.
    int IndexOfItemAt(int X, int Y) const;
    void SetHotItem(int Index);
    void ToggleCheck(int Index);
    void ItemClick(int Index);
    void ShowItemPopup();
    void HideItemPopup();
    void BeforeHide();
    void OnItemPopupHide(vcl::TObject* Sender);
    void OnItemPopupDeActivateHide(vcl::TObject* Sender);

protected:
    void Paint() override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void KeyDown(vcl::Word& Key, vcl::TShiftState Shift) override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void WndProc(vcl::TMessage& Message) override;

private:
    int Count() const { return FItems != nullptr ? FItems->GetCount() : 0; }
    TATBMenuItem* Item(int Index) const { return FItems->GetItem(Index); }
    bool Valid(int Index) const { return Index >= 0 && Index < Count(); }
    TATBPopupWindow* Window() const;
    void DrawItemCheck(TATBMenuItem* Item, const vcl::TRect& R, bool Hot);
    void DrawItemImage(TATBMenuItem* Item, const vcl::TRect& Cell);
    void DrawSubMenuArrow(const vcl::TRect& R);

    TATBMenuItem* FItems = nullptr;
    AdvMenuStylers::TCustomAdvMenuStyler* FAdvMenuStyler = nullptr;
    int FItemHeight = 24;
    int FHotItem = -1;
    int FPopupItem = -1;
    bool FShowImageBar = false;
    bool FShowIconBar = false;
    int FImageBarSize = 20;
    TColor FImageBarColorTo = vcl::clNone;
    TColor FImageBarColor = 0x808080;
    TATBPopupWindow* FItemPopup = nullptr; // owned by the panel as a component
};

} // namespace AdvToolBar
