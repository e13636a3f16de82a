#include "components/menus/AdvMenus.h"

#include "components/foundation/AdvVersion.h"
#include "components/menus/AdvMenuItemInfo.h"
#include "components/menus/AdvMenuPaint.h"
#include "components/menus/AdvMenuStylers.h"
#include "components/menus/AdvMenuWindow.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/win/Windows.h"

namespace AdvMenus {

using namespace vcl;

namespace {

constexpr std::uint32_t kVersionNr = (2u << 24) | (5u << 16) | (2u << 8) | 0u;

using AdvVersion::VersionText;

// The handlers the menus put on their items; being types of their own, a menu can tell its own
// handlers from anybody else's. A handler whose menu has gone does nothing.
struct TMeasureHook {
    detail::TAdvMenuCore* Core;
    std::weak_ptr<const bool> Life;
    void operator()(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) const {
        if (!Life.expired()) Core->ExpandItemWidth(Sender, ACanvas, Width, Height);
    }
};

struct TDrawHook {
    detail::TAdvMenuCore* Core;
    std::weak_ptr<const bool> Life;
    void operator()(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State) const {
        if (!Life.expired()) Core->AdvancedDrawItem(Sender, ACanvas, ARect, State);
    }
};

template <class THook, class TEvent> void DropDeadHook(TEvent& Event) {
    if (auto* hook = Event.template target<THook>(); hook && hook->Life.expired()) Event = nullptr;
}

bool IsDestroying(const TComponent* C) {
    return C->ComponentState().Contains(csDestroying);
}

} // namespace

IAdvMenu* GetAdvMenuIntf(TMenu* Menu) {
    if (auto* m = dynamic_cast<TAdvMainMenu*>(Menu)) return m;
    if (auto* m = dynamic_cast<TAdvPopupMenu*>(Menu)) return m;
    return nullptr;
}

IAdvMenu* GetMenuItemIntf(TMenuItem* Item) {
    return Item ? GetAdvMenuIntf(Item->GetParentMenu()) : nullptr;
}

void RefreshMenu(IAdvMenu* Menu, bool SideBarChanged, bool SizeChanged) {
    if (!Menu || !Menu->GetSelf()) return;
    if (SideBarChanged || SizeChanged) Menu->RebuildItems();
    if (auto* main = dynamic_cast<TAdvMainMenu*>(Menu->GetSelf())) HookMDIClient(main);
}

// ---- the shared part

namespace detail {

TAdvMenuCore::TAdvMenuCore(TMenu* Menu, IAdvMenu* Intf, bool MainMenu)
    : FMenu(Menu), FIntf(Intf), FMainMenu(MainMenu) {
    RegisterAdvMenu(Menu);
}

TAdvMenuCore::~TAdvMenuCore() {
    UnregisterAdvMenu(FMenu);
}

void TAdvMenuCore::AllocMenuStyler() {
    MenuStyler = nullptr;
    // An internal styler kept while the menu was loading is used again: a second one could not take its
    // name.
    if (!InternalStyler) {
        TCustomAdvMenuStyler* styler =
            FMainMenu ? new TAdvMenuStyler(FMenu) : new TCustomAdvMenuStyler(FMenu);
        styler->SetName(kInternalMenuStylerName);
        styler->SetSubComponent(true);
        InternalStyler = styler;
    }
    CurrentStyler = InternalStyler;
}

void TAdvMenuCore::LinkFontEvent(TCustomAdvMenuStyler* Styler) {
    if (!FMainMenu || !Styler) return;
    IAdvMenu* intf = FIntf;
    Styler->Font()->OnChange = [intf](TObject*) { RefreshMenu(intf, false, false); };
}

void TAdvMenuCore::UnlinkOutside() {
    if (!MenuStyler) return;
    MenuStyler->RemoveFreeNotification(FMenu);
    // The styler must not keep refreshing (or calling back into) a menu that no longer uses it.
    if (MenuStyler->Menu() == FMenu) {
        MenuStyler->SetMenu(nullptr);
        if (FMainMenu) MenuStyler->Font()->OnChange = nullptr;
    }
}

void TAdvMenuCore::SetMenuStyler(TCustomAdvMenuStyler* Value) {
    if (Value == MenuStyler) return;
    UnlinkOutside();
    if (Value) {
        if (InternalStyler && !InternalStyler->ComponentState().Contains(csLoading)) {
            TCustomAdvMenuStyler* internal = InternalStyler;
            InternalStyler = nullptr;
            FreeComponent(internal);
        }
        MenuStyler = Value;
        CurrentStyler = Value;
        Value->FreeNotification(FMenu);
    } else {
        AllocMenuStyler();
    }
    CurrentStyler->SetMenu(FMenu);
    LinkFontEvent(CurrentStyler);
}

void TAdvMenuCore::Detach() {
    UnlinkOutside();
    MenuStyler = nullptr;
    CurrentStyler = InternalStyler;
}

void TAdvMenuCore::Loaded() {
    SetMenuItemEvents(nullptr);
    if (InternalStyler && InternalStyler != CurrentStyler) {
        TCustomAdvMenuStyler* internal = InternalStyler;
        InternalStyler = nullptr;
        FreeComponent(internal);
    }
}

void TAdvMenuCore::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation != opRemove) return;
    if (AComponent == InternalStyler) {
        InternalStyler = nullptr;
        if (CurrentStyler == AComponent) CurrentStyler = nullptr;
    }
    if (AComponent && AComponent == MenuStyler) {
        MenuStyler = nullptr;
        CurrentStyler = InternalStyler;
        if (!IsDestroying(FMenu) && AComponent->Owner() != FMenu) AllocMenuStyler();
    }
    if (AComponent && AComponent == DisabledImages) DisabledImages = nullptr;
}

void TAdvMenuCore::SetDisabledImages(TCustomImageList* Value) {
    if (DisabledImages == Value) return;
    if (DisabledImages) DisabledImages->RemoveFreeNotification(FMenu);
    DisabledImages = Value;
    if (DisabledImages) DisabledImages->FreeNotification(FMenu);
}

void TAdvMenuCore::HookItem(TMenuItem* Item) {
    if (IsDestroying(Item)) return;
    // Handlers left by a menu that lent the item and is gone make way for this menu's.
    DropDeadHook<TMeasureHook>(Item->OnMeasureItem);
    DropDeadHook<TDrawHook>(Item->OnAdvancedDrawItem);
    if (auto* own = Item->OnAdvancedDrawItem.target<TDrawHook>(); own && own->Core == this) return;
    if (!Item->OnMeasureItem) Item->OnMeasureItem = TMeasureHook{this, FLife};
    if (!Item->OnDrawItem && !Item->OnAdvancedDrawItem) Item->OnAdvancedDrawItem = TDrawHook{this, FLife};
}

void TAdvMenuCore::SetMenuItemEvents(TMenuItem* Item) {
    if (FMenu->ComponentState().Contains(csLoading) || IsDestroying(FMenu)) return;
    if (Item) {
        HookItem(Item);
        return;
    }
    std::function<void(TMenuItem*)> walk = [&](TMenuItem* parent) {
        for (int i = 0; i < parent->Count(); ++i) {
            HookItem(parent->Items(i));
            walk(parent->Items(i));
        }
    };
    if (FMenu->Items()) walk(FMenu->Items());
}

void TAdvMenuCore::BeginUpdate() {
    Updating = true;
    ++UpdateCount;
}

bool TAdvMenuCore::EndUpdate() {
    if (UpdateCount > 0) --UpdateCount;
    if (UpdateCount != 0) return false;
    SetMenuItemEvents(nullptr);
    Updating = false;
    return true;
}

bool TAdvMenuCore::IsBarItem(const TMenuItem* Item) const {
    return FMainMenu && Item && Item->Parent() == FMenu->Items();
}

void TAdvMenuCore::ExpandItemWidth(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    // The window system hands a popup item no height of its own; items start from the bar's.
    if (!IsBarItem(item) && Height <= 0) Height = win::GetSystemMetrics(win::SM_CYMENUSIZE);
    MeasureItem(item, ACanvas, Width, Height, IsSideBarVisible(item));
    // The window system puts the space of a check mark beside every owner-drawn bar item.
    if (IsBarItem(item)) Width += win::GetSystemMetrics(win::SM_CXMENUCHECK);
}

void TAdvMenuCore::AdvancedDrawItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    if (!IsBarItem(item)) ARect.Right -= kHiddenStrip;
    DrawMenuItemBackground(item, ACanvas, ARect, IsSideBarVisible(item), State);
}

template <class TMenuBase> std::uint32_t TAdvMenuImpl<TMenuBase>::GetVersionNr() const {
    return kVersionNr;
}

template <class TMenuBase> String TAdvMenuImpl<TMenuBase>::GetVersion() const {
    return VersionText(GetVersionNr());
}

template class TAdvMenuImpl<TMainMenu>;
template class TAdvMenuImpl<TPopupMenu>;

} // namespace detail

namespace {

// Both menu components publish the same properties.
template <class M> void DeclareAdvMenuProperties(TPropertyDeclarer<M>& p) {
    p.Ref("DisabledImages", &M::DisabledImages, &M::SetDisabledImages);
    p.Ref("MenuStyler", &M::MenuStyler, [](M* m, TCustomAdvMenuStyler* s) { m->SetMenuStyler(s); });
    p.Bool("OwnerDraw", &M::OwnerDraw, &M::SetOwnerDraw, true);
    p.Bool("IntlKeybShortCuts", &M::GetIntlKeybShortCuts, &M::SetIntlKeybShortCuts, false);
    p.Bool("ShowNotes", &M::GetShowNotes, &M::SetShowNotes, true);
    p.Str("Version", &M::GetVersion, &M::SetVersion, "2.5.2.0");
}

} // namespace

// ---- TAdvMainMenu

KV_PUBLISHED(TAdvMainMenu) {
    DeclareAdvMenuProperties(p);
}

KV_REGISTER_CLASS(TAdvMainMenu)

TAdvMainMenu::TAdvMainMenu(TComponent* AOwner) : TAdvMenuImpl(AOwner, true) {
    SetOwnerDraw(true);
    FCore.AllocMenuStyler();
    FCore.ShowNotes = true;
}

TAdvMainMenu::~TAdvMainMenu() {
    UnhookMDIClient(this);
    FCore.Detach();
    BeforeDestruction();
}

void TAdvMainMenu::Loaded() {
    TMainMenu::Loaded();
    SetOwnerDraw(true);
    FCore.Loaded();
    if (Items() && Items()->Count() > 0) {
        // Toggling the first item rebuilds the bar; its own visibility is kept.
        TMenuItem* first = Items()->Items(0);
        bool visible = first->Visible();
        first->SetVisible(!visible);
        first->SetVisible(visible);
    }
    RefreshMenu(this, false, false);
}

void TAdvMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMainMenu::Notification(AComponent, Operation);
    FCore.Notification(AComponent, Operation);
}

void TAdvMainMenu::EndUpdate() {
    if (FCore.EndUpdate() && WindowHandle() && win::IsWindow(WindowHandle()))
        win::DrawMenuBar(WindowHandle());
}

void TAdvMainMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    (void)Rebuild;
    if (!IsDestroying(this)) {
        if (!FCore.Updating)
            RefreshMenu(this, false, false);
        else
            FCore.SetMenuItemEvents(Source);
    }
    TMainMenu::MenuChanged(Sender, Source, true);
}

void TAdvMainMenu::ActivateMDIChild(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || item->Tag() == 0) return;
    win::HWND client = GetMDIClientWnd(this);
    if (client &&
        win::SendMessage(client, win::WM_MDIACTIVATE, static_cast<win::WPARAM>(item->Tag()), 0) == 0)
        item->SetChecked(true);
}

// ---- TAdvPopupMenu

KV_PUBLISHED(TAdvPopupMenu) {
    DeclareAdvMenuProperties(p);
}

KV_REGISTER_CLASS(TAdvPopupMenu)

TAdvPopupMenu::TAdvPopupMenu(TComponent* AOwner) : TAdvMenuImpl(AOwner, false) {
    SetOwnerDraw(true);
    FCore.AllocMenuStyler();
    FCore.ShowNotes = true;
}

TAdvPopupMenu::~TAdvPopupMenu() {
    FCore.Detach();
    BeforeDestruction();
}

void TAdvPopupMenu::Loaded() {
    TPopupMenu::Loaded();
    SetOwnerDraw(true);
    FCore.Loaded();
}

void TAdvPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TPopupMenu::Notification(AComponent, Operation);
    FCore.Notification(AComponent, Operation);
}

void TAdvPopupMenu::EndUpdate() {
    FCore.EndUpdate();
}

void TAdvPopupMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    if (!IsDestroying(this)) {
        if (!FCore.Updating)
            FCore.SetMenuItemEvents(Source);
        else
            RefreshMenu(this, false, false);
    }
    TPopupMenu::MenuChanged(Sender, Source, Rebuild);
}

int TAdvPopupMenu::PopupX(int X) {
    TMenuItem* first = Items()->Items(0);
    win::MEASUREITEMSTRUCT info{};
    info.CtlType = win::ODT_MENU;
    info.itemID = first->Command();
    info.itemWidth = 10;
    info.itemHeight = 10;
    info.itemData = reinterpret_cast<std::uintptr_t>(first);
    MeasureItem(info);
    const int w = static_cast<int>(info.itemWidth) + 17;
    const int screenWidth = win::GetSystemMetrics(win::SM_CXSCREEN);
    if ((Alignment() == paRight && X - 17 - w >= 0) || (Alignment() == paLeft && screenWidth <= X + 34 + w))
        X += 17;
    else if (Alignment() == paCenter)
        X += 8;
    if (X >= screenWidth) X = screenWidth - 1;
    return X;
}

void TAdvPopupMenu::Popup(int X, int Y) {
    if (!Items() || Items()->Count() == 0) return;
    TPopupMenu::Popup(PopupX(X), Y);
}

void TAdvPopupMenu::PopupAtCursor() {
    win::POINT p{};
    win::GetCursorPos(&p);
    Popup(TPoint{p.X, p.Y});
}

void RegisterAdvMenusClasses() {
    RegisterClasses({ClassEntry<TAdvMainMenu>(), ClassEntry<TAdvPopupMenu>(), ClassEntry<TAdvMenuStyler>(),
                     ClassEntry<AdvMenuStylers::TAdvMenuOfficeStyler>(),
                     ClassEntry<AdvMenuStylers::TAdvMenuFantasyStyler>()});
}

} // namespace AdvMenus
