#pragma once
// TMenuItem: one entry of a menu, with its sub-items. A caption of "-" is a separator; "&" marks the
// mnemonic. Each change tells the menu, which rebuilds its window-system menu.
//
// Sub-items are freed by their parent item; an item owned by a form is freed by whichever goes first and
// leaves its parent on the way.

#include <functional>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Events.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ListBox.h"
#include "platform/vcl/ShortCut.h"
#include "platform/win/Menu.h"

namespace vcl {

class TMenu;

KV_ENUM(TMenuBreak, mbNone, mbBreak, mbBarBreak);
// Whether a menu drops the separators that separate nothing: maParent takes the parent item's choice (at
// the top, the menu's).
KV_ENUM(TMenuAutoFlag, maAutomatic, maManual, maParent);
using TMenuItemAutoFlag = TMenuAutoFlag;

class TMenuItem;
class TCustomImageList;

// Keeps a menu item in step with its action: caption, checked state, enabled state, hint, image,
// shortcut, visibility and the click.
class TMenuActionLink : public TActionLink {
    KV_CLASS(TMenuActionLink, TActionLink)
public:
    explicit TMenuActionLink(TObject* AClient);
    void AssignClient(TObject* AClient) override;
    bool IsAutoCheckLinked() override;
    bool IsCaptionLinked() override;
    bool IsCheckedLinked() override;
    bool IsEnabledLinked() override;
    bool IsHintLinked() override;
    bool IsGroupIndexLinked() override;
    bool IsImageIndexLinked() override;
    bool IsShortCutLinked() override;
    bool IsVisibleLinked() override;
    void SetAutoCheck(bool Value) override;
    void SetCaption(const String& Value) override;
    void SetChecked(bool Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const String& Value) override;
    void SetImageIndex(TImageIndex Value) override;
    void SetShortCut(TShortCut Value) override;
    void SetVisible(bool Value) override;

protected:
    TMenuItem* FClient = nullptr;
};

using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;

class TMenuItem : public TComponent {
    KV_CLASS(TMenuItem, TComponent)
    KV_PUBLISHED_PROPERTIES(TMenuItem)
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    // ---- Look and behaviour
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool IsLine() const { return FCaption == "-"; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    TMenuBreak Break() const { return FBreak; }
    void SetBreak(TMenuBreak Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    // maAutomatic: this item's submenu leaves out its leading and trailing separators and every separator
    // after another one, counting shown items only. The separators keep their own Visible.
    TMenuItemAutoFlag AutoLineReduction() const { return FAutoLineReduction; }
    void SetAutoLineReduction(TMenuItemAutoFlag Value);
    // The choice in force for the sub-items: maAutomatic or maManual, maParent resolved upwards.
    TMenuAutoFlag GetAutoLineReduction() const;
    // In the window-system menu: visible, and not a separator its parent's line reduction leaves out.
    bool Shown() const;
    // A picture shown beside the caption (created on first use).
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value);
    bool HasBitmap() { return FBitmap != nullptr && !FBitmap->Empty(); }
    // The images this item draws from: its menu's Images.
    TCustomImageList* GetImageList() const;

    // ---- Action
    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    void SetAction(TBasicAction* Value);
    TMenuActionLink* ActionLink() const { return FActionLink.get(); }
    // Lets the action update the item (its OnUpdate) before the item is shown.
    void InitiateAction();

    // ---- Tree
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const;
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void SetMenuIndex(int Value);
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out (not freed).
    void Delete(int Index);
    void Remove(TMenuItem* Item);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    // The sub-items the window-system menu shows, in order (see Shown).
    std::vector<TMenuItem*> ShownItems() const;
    // The first of those for which Visit is true, visiting them in order and stopping there; null when
    // none is. Allocates nothing (but on the bar of a merged main menu), for what painting asks of each item.
    TMenuItem* FindShown(const std::function<bool(TMenuItem*)>& Visit) const;
    // The sub-item whose caption without "&" is ACaption (any case), or null.
    TMenuItem* Find(const String& ACaption) const;
    // The menu this item belongs to (through its parents), or null.
    TMenu* GetParentMenu() const;

    // ---- Window system
    // The command identifier posted in WM_COMMAND when the item is chosen.
    win::UINT Command() const { return FCommand; }
    // The submenu handle (created with the first request; null for an item without sub-items).
    win::HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    // Raises OnClick (toggling Checked first when AutoCheck), or runs the action, if enabled.
    virtual void Click();

    // ---- Owner drawing (the menu calls these for WM_MEASUREITEM / WM_DRAWITEM)
    virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
    virtual void AdvancedDrawItem(TCanvas* ACanvas, TRect ARect, TOwnerDrawState State, bool TopLevel);

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    friend class TMenuActionLink;
    // Takes the action's properties (with CheckDefaults, only where the item still has its defaults).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // Tells the parent (and so the menu) that this item changed.
    virtual void MenuChanged(bool Rebuild);
    // A sub-item changed.
    virtual void ItemChanged(TMenuItem* Source, bool Rebuild);
    void DoDrawText(TCanvas* ACanvas, const String& ACaption, TRect& Rect, bool Selected, int Flags);

private:
    friend class TMenu;
    // Re-fills this item's submenu handle from its visible sub-items (recursively).
    void RebuildHandle(bool OwnerDraw);
    void ClearHandle();
    void FillEntry(win::MENUITEMINFO& Info, String& Text, bool OwnerDraw);
    void TurnSiblingsOff();

    String FCaption;
    TShortCut FShortCut = 0;
    bool FChecked = false;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    int FImageIndex = -1;
    String FHint;
    TMenuBreak FBreak = mbNone;
    bool FAutoCheck = false;
    TMenuItemAutoFlag FAutoLineReduction = maParent;
    win::UINT FCommand = 0;
    win::HMENU FHandle = nullptr;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item
    std::unique_ptr<TBitmap> FBitmap;
    std::unique_ptr<TMenuActionLink> FActionLink;
};

} // namespace vcl
