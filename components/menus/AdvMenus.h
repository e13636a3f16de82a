#pragma once
// The owner-drawn menu components: TAdvMainMenu (a form's menu bar) and TAdvPopupMenu. Both switch their
// items to owner drawing, hook every item's measure and draw events, and paint from the menu styler set
// in MenuStyler or, while none is set, from an internal styler named "InternalMenuStyler". IAdvMenu is
// how the styler's parts and the painter reach a menu.

#include <cstdint>
#include <memory>

#include "components/menus/AdvMenuStyler.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"

namespace AdvMenus {

using AdvMenuStylers::TAdvMenuStyler;
using AdvMenuStylers::TCustomAdvMenuStyler;

// Implemented by both menu components; it is not reference-counted (the menus live as their owners
// say), so nobody frees a menu through it.
class IAdvMenu {
public:
    // Re-creates the menu's entries, so that every item is measured again.
    virtual void RebuildItems() = 0;
    virtual vcl::TMenu* GetSelf() = 0;
    virtual TCustomAdvMenuStyler* GetMenuStyler() = 0;
    // The outside styler when one is set, else the internal one.
    virtual TCustomAdvMenuStyler* GetCurrentMenuStyler() = 0;
    virtual void SetMenuStyler(TCustomAdvMenuStyler* Value) = 0;
    virtual vcl::Byte GetOpacity() = 0;
    virtual void SetOpacity(vcl::Byte Value) = 0;
    virtual bool GetShowNotes() = 0;
    virtual void SetShowNotes(bool Value) = 0;
    virtual bool GetIntlKeybShortCuts() = 0;
    virtual void SetIntlKeybShortCuts(bool Value) = 0;

protected:
    IAdvMenu() = default;
    ~IAdvMenu() = default;
    IAdvMenu(const IAdvMenu&) = default;
    IAdvMenu& operator=(const IAdvMenu&) = default;
};

// The interface of a TAdvMainMenu or TAdvPopupMenu; null for any other menu (or null).
IAdvMenu* GetAdvMenuIntf(vcl::TMenu* Menu);
// The interface of the menu an item belongs to.
IAdvMenu* GetMenuItemIntf(vcl::TMenuItem* Item);
// Nothing for a null interface; with either flag the menu measures its items again.
void RefreshMenu(IAdvMenu* Menu, bool SideBarChanged, bool SizeChanged);

inline constexpr const char* kInternalMenuStylerName = "InternalMenuStyler";

namespace detail {

// The styler link, the stored values and the item hooking that both menu components share.
class TAdvMenuCore {
public:
    TAdvMenuCore(vcl::TMenu* Menu, IAdvMenu* Intf, bool MainMenu);
    ~TAdvMenuCore();
    TAdvMenuCore(const TAdvMenuCore&) = delete;
    TAdvMenuCore& operator=(const TAdvMenuCore&) = delete;

    void AllocMenuStyler();
    void SetMenuStyler(TCustomAdvMenuStyler* Value);
    // Unlinks the outside styler for good (the menu is going).
    void Detach();
    void Loaded();
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation);
    // With null: every item of the menu, through the sub-items.
    void SetMenuItemEvents(vcl::TMenuItem* Item);
    void BeginUpdate();
    // Returns true when the outermost update ended.
    bool EndUpdate();
    void SetDisabledImages(vcl::TCustomImageList* Value);

    bool IsBarItem(const vcl::TMenuItem* Item) const;
    void ExpandItemWidth(vcl::TObject* Sender, vcl::TCanvas* ACanvas, int& Width, int& Height);
    void AdvancedDrawItem(vcl::TObject* Sender, vcl::TCanvas* ACanvas, vcl::TRect ARect,
                          vcl::TOwnerDrawState State);

    TCustomAdvMenuStyler* MenuStyler = nullptr;
    TCustomAdvMenuStyler* InternalStyler = nullptr;
    TCustomAdvMenuStyler* CurrentStyler = nullptr;
    vcl::Byte Opacity = 255;
    bool ShowNotes = true;
    bool Updating = false;
    int UpdateCount = 0;
    vcl::TCustomImageList* DisabledImages = nullptr;
    bool IntlKeybShortCuts = false;

private:
    void HookItem(vcl::TMenuItem* Item);
    void LinkFontEvent(TCustomAdvMenuStyler* Styler);
    void UnlinkOutside();

    vcl::TMenu* FMenu;
    IAdvMenu* FIntf;
    bool FMainMenu;
    // Held by the handlers put on items: an item that left the menu (lent to another and given back)
    // may outlive it, and its handlers must then know the menu is gone.
    std::shared_ptr<const bool> FLife = std::make_shared<const bool>(true);
};

// What both menu components add to their framework menu class: the IAdvMenu interface answered from the
// shared core, the stored values' accessors and the version.
template <class TMenuBase> class TAdvMenuImpl : public TMenuBase, public IAdvMenu {
public:
    void RebuildItems() override { vcl::TMenu::RebuildItems(); }
    vcl::TMenu* GetSelf() override { return this; }
    TCustomAdvMenuStyler* GetMenuStyler() override { return FCore.MenuStyler; }
    TCustomAdvMenuStyler* GetCurrentMenuStyler() override { return FCore.CurrentStyler; }
    void SetMenuStyler(TCustomAdvMenuStyler* Value) override { FCore.SetMenuStyler(Value); }
    vcl::Byte GetOpacity() override { return FCore.Opacity; }
    void SetOpacity(vcl::Byte Value) override { FCore.Opacity = Value; }
    bool GetShowNotes() override { return FCore.ShowNotes; }
    void SetShowNotes(bool Value) override { FCore.ShowNotes = Value; }
    bool GetIntlKeybShortCuts() override { return FCore.IntlKeybShortCuts; }
    void SetIntlKeybShortCuts(bool Value) override { FCore.IntlKeybShortCuts = Value; }

    TCustomAdvMenuStyler* MenuStyler() const { return FCore.MenuStyler; }
    vcl::TCustomImageList* DisabledImages() const { return FCore.DisabledImages; }
    void SetDisabledImages(vcl::TCustomImageList* Value) { FCore.SetDisabledImages(Value); }
    bool IsUpdating() const { return FCore.Updating; }
    void BeginUpdate() { FCore.BeginUpdate(); }

    virtual std::uint32_t GetVersionNr() const;
    vcl::String GetVersion() const;
    void SetVersion(const vcl::String&) {}

protected:
    TAdvMenuImpl(vcl::TComponent* AOwner, bool MainMenu) : TMenuBase(AOwner), FCore(this, this, MainMenu) {}

    TAdvMenuCore FCore;
};

} // namespace detail

class TAdvMainMenu : public detail::TAdvMenuImpl<vcl::TMainMenu> {
    KV_CLASS(TAdvMainMenu, vcl::TMainMenu)
    KV_PUBLISHED_PROPERTIES(TAdvMainMenu)
public:
    explicit TAdvMainMenu(vcl::TComponent* AOwner);
    ~TAdvMainMenu() override;

    // Inside a BeginUpdate/EndUpdate pair changed items are hooked at once; the outermost EndUpdate hooks
    // every item and redraws the bar.
    void EndUpdate();

    // The handler of the window list's items: activates the child form whose window the item's Tag
    // holds, and checks the item when that succeeded.
    void ActivateMDIChild(vcl::TObject* Sender);

    void MenuChanged(vcl::TObject* Sender, vcl::TMenuItem* Source, bool Rebuild) override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

protected:
    void Loaded() override;
};

class TAdvPopupMenu : public detail::TAdvMenuImpl<vcl::TPopupMenu> {
    KV_CLASS(TAdvPopupMenu, vcl::TPopupMenu)
    KV_PUBLISHED_PROPERTIES(TAdvPopupMenu)
public:
    explicit TAdvPopupMenu(vcl::TComponent* AOwner);
    ~TAdvPopupMenu() override;

    void EndUpdate();

    // Shifts X to where the owner-drawn menu's frame meets the point, then shows the menu; a menu
    // without items shows nothing.
    void Popup(int X, int Y) override;
    void Popup(vcl::TPoint P) { Popup(P.X, P.Y); }
    void PopupAtCursor();

    void MenuChanged(vcl::TObject* Sender, vcl::TMenuItem* Source, bool Rebuild) override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

protected:
    void Loaded() override;
    // The X at which the menu is shown for a request at X (the first item measured w pixels wide).
    int PopupX(int X);
};

// Registers both menu components and the menu stylers for the layout reader.
void RegisterAdvMenusClasses();

} // namespace AdvMenus
