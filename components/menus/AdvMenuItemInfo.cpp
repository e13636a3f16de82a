#include "components/menus/AdvMenuItemInfo.h"

#include <algorithm>

#include "components/menus/AdvMenuStyler.h"
#include "components/menus/AdvMenus.h"
#include "platform/vcl/Forms.h"

namespace AdvMenus {

using namespace vcl;

namespace {

TComponent* ParentComponentOf(const TMenuItem* Item) {
    return Item ? Item->GetParentComponent() : nullptr;
}

// The screen rectangle of Item in the menu that shows it, when it shows.
bool ItemScreenRect(TMenuItem* Item, TRect& R) {
    TMenuItem* parent = Item->Parent();
    const int pos = VisibleMenuIndex(Item);
    if (!parent || pos < 0) return false;
    TMenu* menu = GetParentMenuEx(Item);
    win::HWND bar = nullptr;
    win::HMENU h = nullptr;
    if (IsInTopMainMenu(Item)) {
        bar = GetMenuWnd(menu);
        h = menu->Handle();
    } else {
        if (!parent->HandleAllocated()) return false;
        h = parent->Handle();
    }
    win::RECT r{};
    if (!win::GetMenuItemRect(bar, h, static_cast<win::UINT>(pos), &r)) return false;
    R = r;
    return true;
}

} // namespace

bool IsInTopMainMenu(const TMenuItem* Item) {
    return dynamic_cast<TMainMenu*>(ParentComponentOf(Item)) != nullptr;
}

bool IsInTopMenu(const TMenuItem* Item) {
    TComponent* p = ParentComponentOf(Item);
    return dynamic_cast<TMenu*>(p) && !dynamic_cast<TAdvPopupMenu*>(p);
}

bool IsInTopPopupMenu(const TMenuItem* Item) {
    return dynamic_cast<TPopupMenu*>(ParentComponentOf(Item)) != nullptr;
}

bool IsInFirstLevelMenu(const TMenuItem* Item) {
    TComponent* p = ParentComponentOf(Item);
    if (dynamic_cast<TPopupMenu*>(p)) return true;
    auto* parentItem = dynamic_cast<TMenuItem*>(p);
    return parentItem && dynamic_cast<TMainMenu*>(ParentComponentOf(parentItem));
}

bool IsInFirstVisibleMenu(const TMenuItem* Item) {
    if (!Item) return false;
    TMenu* menu = GetParentMenuEx(Item);
    if (dynamic_cast<TMainMenu*>(menu)) {
        TMenuItem* parent = Item->Parent();
        return parent && parent == FirstVisibleItem(menu->Items());
    }
    return IsInTopMenu(Item);
}

bool IsSideBarVisible(const TMenuItem* Item) {
    IAdvMenu* intf = GetMenuItemIntf(const_cast<TMenuItem*>(Item));
    if (!intf || !intf->GetCurrentMenuStyler()) return false;
    AdvMenuStylers::TSideBar* bar = intf->GetCurrentMenuStyler()->SideBar();
    if (!bar->Visible()) return false;
    switch (bar->VisibleIn) {
    case AdvMenuStylers::viFirstVisible:
        return IsInFirstVisibleMenu(Item);
    case AdvMenuStylers::viFirstLevel:
        return IsInFirstLevelMenu(Item);
    default:
        return !IsInTopMainMenu(Item);
    }
}

bool IsFirstSubMenuItem(const TMenuItem* Item) {
    return Item && Item->Parent() && FirstVisibleItem(Item->Parent()) == Item;
}

bool IsAfterMenuBreak(const TMenuItem* Item) {
    TMenuItem* parent = Item ? Item->Parent() : nullptr;
    if (!parent) return false;
    // A shown item up to this one that breaks the menu (this one's place is found only for those).
    const int at = Item->MenuIndex();
    bool reached = false;
    const TMenuItem* breaking = parent->FindShown([&](TMenuItem* s) {
        reached = s == Item;
        return (s->Break() != mbNone && (reached || s->MenuIndex() < at)) || reached;
    });
    return breaking && breaking->Break() != mbNone;
}

bool IsRightmost(const TMenuItem* Item) {
    return IsInTopMainMenu(Item) && LastVisibleItem(Item->Parent()) == Item;
}

bool IsRightAligned(TMenuItem* Item) {
    if (IsInTopMenu(Item)) return true;
    TMenuItem* parent = Item->Parent();
    TMenuItem* first = FirstVisibleItem(parent);
    TRect sub{}, own{};
    if (!first || !ItemScreenRect(first, sub) || sub.Right <= sub.Left || sub.Bottom <= sub.Top) return true;
    if (!ItemScreenRect(parent, own)) return true;
    return sub.Left > own.Left || (sub.Left == own.Left && sub.Right > own.Right);
}

int GetMenuItemLevel(const TMenuItem* Item) {
    int parents = 0;
    for (const TMenuItem* p = Item ? Item->Parent() : nullptr; p; p = p->Parent())
        ++parents;
    return parents - 1;
}

TMenuItem* FirstVisibleItem(const TMenuItem* Item) {
    return Item ? Item->FindShown([](TMenuItem*) { return true; }) : nullptr;
}

TMenuItem* LastVisibleItem(const TMenuItem* Item) {
    TMenuItem* last = nullptr;
    if (Item)
        Item->FindShown([&](TMenuItem* s) {
            last = s;
            return false;
        });
    return last;
}

int VisibleMenuIndex(const TMenuItem* Item) {
    if (!Item || !Item->Parent()) return -1;
    int n = 0;
    const TMenuItem* found = Item->Parent()->FindShown([&](TMenuItem* s) {
        if (s == Item) return true;
        ++n;
        return false;
    });
    return found ? n : -1;
}

TMenu* GetParentMenuEx(const TMenuItem* Item) {
    if (!Item) return nullptr;
    if (TMenu* m = Item->GetParentMenu()) return m;
    return dynamic_cast<TMenu*>(Item->Owner());
}

bool GetMenuRect(TMenuItem* Item, TRect& R) {
    TMenuItem* parent = Item->Parent();
    if (!parent) return false;
    bool any = false;
    for (TMenuItem* shown : parent->ShownItems()) {
        TRect r{};
        if (!ItemScreenRect(shown, r)) continue;
        if (!any) {
            R = r;
            any = true;
        } else {
            R = TRect{std::min(R.Left, r.Left), std::min(R.Top, r.Top), std::max(R.Right, r.Right),
                      std::max(R.Bottom, r.Bottom)};
        }
    }
    return any;
}

TCustomForm* MDIFrameOf(TCustomForm* Child) {
    TScreen* screen = GetScreen();
    for (int i = 0; i < screen->FormCount(); ++i) {
        TCustomForm* f = screen->Forms(i);
        if (f->FormStyle() != fsMDIForm) continue;
        for (int c = 0; c < f->MDIChildCount(); ++c)
            if (f->MDIChildren(c) == Child) return f;
    }
    return nullptr;
}

win::HWND GetMenuWnd(TMenu* Menu) {
    auto* main = dynamic_cast<TMainMenu*>(Menu);
    if (!main) return nullptr;
    if (auto* form = dynamic_cast<TCustomForm*>(main->Owner()); form && form->FormStyle() == fsMDIChild) {
        TCustomForm* frame = MDIFrameOf(form);
        return frame && frame->HandleAllocated() ? frame->Handle() : nullptr;
    }
    win::HWND w = main->WindowHandle();
    return w && win::IsWindow(w) ? w : nullptr;
}

} // namespace AdvMenus
