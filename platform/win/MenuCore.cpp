// Menu handles and their items.

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <unordered_map>

#include "platform/win/Gdi.h"
#include "platform/win/MenuInternal.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowInternal.h"

namespace win {
namespace {

constexpr DWORD ERROR_INVALID_MENU_HANDLE = 1401;
constexpr DWORD ERROR_MENU_ITEM_NOT_FOUND = 1456;

std::unordered_map<MenuRecord*, std::unique_ptr<MenuRecord>>& Menus() {
    static std::unordered_map<MenuRecord*, std::unique_ptr<MenuRecord>> menus;
    return menus;
}

std::map<HWND, HMENU>& SystemMenus() {
    static std::map<HWND, HMENU> menus;
    return menus;
}

void InstallEngine();

HMENU NewMenu(bool popup) {
    InstallEngine();
    auto rec = std::make_unique<MenuRecord>();
    rec->Popup = popup;
    HMENU h = rec.get();
    Menus().emplace(h, std::move(rec));
    return h;
}

// Applies MF_* flags and an identifier or submenu to an item record.
void FromFlags(MenuItemRec& it, UINT flags, UINT_PTR id, const char* text) {
    it.fType =
        flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
    it.fState = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    if (flags & MF_POPUP) {
        it.hSubMenu = reinterpret_cast<HMENU>(id);
        it.wID = 0;
    } else {
        it.hSubMenu = nullptr;
        it.wID = static_cast<UINT>(id);
    }
    if (flags & MF_OWNERDRAW)
        it.dwItemData = reinterpret_cast<std::uintptr_t>(text);
    else if (!(flags & (MF_SEPARATOR | MF_BITMAP)))
        it.Text = text ? text : "";
}

bool Insert(HMENU h, UINT pos, bool byPosition, MenuItemRec it) {
    MenuRecord* m = menu::Get(h);
    if (!m) return false;
    if (it.hSubMenu && !menu::Get(it.hSubMenu)) return false;
    size_t at = m->Items.size();
    if (pos != 0xFFFFFFFF) {
        if (byPosition) {
            at = std::min<size_t>(pos, m->Items.size());
        } else {
            HMENU owner = h;
            MenuItemRec* found = menu::Find(owner, pos, false);
            if (found && owner != h) m = menu::Get(owner), h = owner;
            if (found) at = static_cast<size_t>(found - m->Items.data());
        }
    }
    m->Items.insert(m->Items.begin() + static_cast<std::ptrdiff_t>(at), std::move(it));
    return true;
}

bool Remove(HMENU h, UINT pos, UINT flags, bool destroySub) {
    HMENU owner = h;
    MenuItemRec* it = menu::Find(owner, pos, flags & MF_BYPOSITION);
    if (!it) return false;
    MenuRecord* m = menu::Get(owner);
    HMENU sub = it->hSubMenu;
    m->Items.erase(m->Items.begin() + (it - m->Items.data()));
    if (destroySub && sub) DestroyMenu(sub);
    return true;
}

} // namespace

namespace menu {

MenuRecord* Get(HMENU h) {
    if (h && Menus().count(h)) return h;
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return nullptr;
}

MenuItemRec* Find(HMENU& h, UINT item, bool byPosition) {
    MenuRecord* m = Get(h);
    if (!m) return nullptr;
    if (byPosition) {
        if (item < m->Items.size()) return &m->Items[item];
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return nullptr;
    }
    for (auto& it : m->Items)
        if (!it.hSubMenu && it.wID == item) return &it;
    for (auto& it : m->Items) {
        if (it.hSubMenu) {
            if (reinterpret_cast<UINT_PTR>(it.hSubMenu) == item) return &it;
            HMENU sub = it.hSubMenu;
            if (MenuItemRec* r = Find(sub, item, false)) {
                h = sub;
                return r;
            }
        }
    }
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return nullptr;
}

} // namespace menu

HMENU CreateMenu() {
    return NewMenu(false);
}
HMENU CreatePopupMenu() {
    return NewMenu(true);
}

BOOL IsMenu(HMENU h) {
    return h && Menus().count(h) ? TRUE : FALSE;
}

BOOL DestroyMenu(HMENU h) {
    MenuRecord* m = menu::Get(h);
    if (!m) return FALSE;
    if (m->Wnd) EndMenu();
    std::vector<HMENU> subs;
    for (auto& it : m->Items)
        if (it.hSubMenu) subs.push_back(it.hSubMenu);
    // A window showing this menu as its bar forgets it (no dangling bar).
    if (m->BarWindow && IsWindow(m->BarWindow) && GetMenu(m->BarWindow) == h) SetMenu(m->BarWindow, nullptr);
    for (auto& [wnd, sys] : SystemMenus())
        if (sys == h) {
            SystemMenus().erase(wnd);
            break;
        }
    Menus().erase(h);
    for (HMENU s : subs)
        if (IsMenu(s)) DestroyMenu(s);
    return TRUE;
}

BOOL AppendMenu(HMENU h, UINT flags, UINT_PTR id, const char* text) {
    MenuItemRec it;
    FromFlags(it, flags, id, text);
    return Insert(h, 0xFFFFFFFF, true, std::move(it)) ? TRUE : FALSE;
}

BOOL InsertMenu(HMENU h, UINT pos, UINT flags, UINT_PTR id, const char* text) {
    MenuItemRec it;
    FromFlags(it, flags, id, text);
    return Insert(h, pos, flags & MF_BYPOSITION, std::move(it)) ? TRUE : FALSE;
}

BOOL ModifyMenu(HMENU h, UINT pos, UINT flags, UINT_PTR id, const char* text) {
    HMENU owner = h;
    MenuItemRec* it = menu::Find(owner, pos, flags & MF_BYPOSITION);
    if (!it) return FALSE;
    HMENU oldSub = it->hSubMenu;
    FromFlags(*it, flags, id, text);
    if (oldSub && oldSub != it->hSubMenu) DestroyMenu(oldSub);
    return TRUE;
}

namespace {
void ApplyInfo(MenuItemRec& it, const MENUITEMINFO* mi) {
    if (mi->fMask & MIIM_TYPE) {
        it.fType = mi->fType;
        if (!(mi->fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)))
            it.Text = mi->dwTypeData ? mi->dwTypeData : "";
        else
            it.Text.clear();
    }
    if (mi->fMask & MIIM_FTYPE) it.fType = mi->fType;
    if (mi->fMask & MIIM_STRING) it.Text = mi->dwTypeData ? mi->dwTypeData : "";
    if (mi->fMask & MIIM_STATE) it.fState = mi->fState;
    if (mi->fMask & MIIM_ID) it.wID = mi->wID;
    if (mi->fMask & MIIM_SUBMENU) it.hSubMenu = mi->hSubMenu;
    if (mi->fMask & MIIM_DATA) it.dwItemData = mi->dwItemData;
    if (mi->fMask & MIIM_BITMAP) it.hbmpItem = mi->hbmpItem;
}
} // namespace

BOOL InsertMenuItem(HMENU h, UINT item, BOOL byPos, const MENUITEMINFO* mi) {
    if (!mi) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MenuItemRec it;
    ApplyInfo(it, mi);
    return Insert(h, item, byPos, std::move(it)) ? TRUE : FALSE;
}

BOOL SetMenuItemInfo(HMENU h, UINT item, BOOL byPos, const MENUITEMINFO* mi) {
    if (!mi) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HMENU owner = h;
    MenuItemRec* it = menu::Find(owner, item, byPos);
    if (!it) return FALSE;
    if ((mi->fMask & MIIM_SUBMENU) && mi->hSubMenu && !IsMenu(mi->hSubMenu)) return FALSE;
    ApplyInfo(*it, mi);
    return TRUE;
}

BOOL GetMenuItemInfo(HMENU h, UINT item, BOOL byPos, MENUITEMINFO* mi) {
    if (!mi) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HMENU owner = h;
    MenuItemRec* it = menu::Find(owner, item, byPos);
    if (!it) return FALSE;
    if (mi->fMask & (MIIM_TYPE | MIIM_FTYPE)) mi->fType = it->fType;
    if (mi->fMask & MIIM_STATE) mi->fState = it->fState;
    if (mi->fMask & MIIM_ID) mi->wID = it->wID;
    if (mi->fMask & MIIM_SUBMENU) mi->hSubMenu = it->hSubMenu;
    if (mi->fMask & MIIM_DATA) mi->dwItemData = it->dwItemData;
    if (mi->fMask & MIIM_BITMAP) mi->hbmpItem = it->hbmpItem;
    if (mi->fMask & (MIIM_STRING | MIIM_TYPE)) {
        UINT len = static_cast<UINT>(it->Text.size());
        if (mi->dwTypeData && mi->cch > 0) {
            auto n = static_cast<UINT>(detail::Utf8Cut(it->Text, mi->cch - 1));
            std::memcpy(mi->dwTypeData, it->Text.data(), n);
            mi->dwTypeData[n] = '\0';
            mi->cch = n;
        } else {
            mi->cch = len;
        }
    }
    return TRUE;
}

BOOL RemoveMenu(HMENU h, UINT pos, UINT flags) {
    return Remove(h, pos, flags, false) ? TRUE : FALSE;
}
BOOL DeleteMenu(HMENU h, UINT pos, UINT flags) {
    return Remove(h, pos, flags, true) ? TRUE : FALSE;
}

int GetMenuItemCount(HMENU h) {
    MenuRecord* m = menu::Get(h);
    return m ? static_cast<int>(m->Items.size()) : -1;
}

HMENU GetSubMenu(HMENU h, int pos) {
    MenuRecord* m = menu::Get(h);
    if (!m || pos < 0 || static_cast<size_t>(pos) >= m->Items.size()) return nullptr;
    return m->Items[static_cast<size_t>(pos)].hSubMenu;
}

UINT GetMenuItemID(HMENU h, int pos) {
    MenuRecord* m = menu::Get(h);
    if (!m || pos < 0 || static_cast<size_t>(pos) >= m->Items.size()) return MENU_ERROR;
    const MenuItemRec& it = m->Items[static_cast<size_t>(pos)];
    return it.hSubMenu ? MENU_ERROR : it.wID;
}

UINT GetMenuState(HMENU h, UINT id, UINT flags) {
    HMENU owner = h;
    MenuItemRec* it = menu::Find(owner, id, flags & MF_BYPOSITION);
    if (!it) return MENU_ERROR;
    // An item the pointer or the keys have selected in an open menu reads as highlighted.
    UINT state = it->fType | it->fState | (it->Hilite ? MF_HILITE : 0);
    if (it->hSubMenu)
        state = (state & 0xFF) | MF_POPUP | (static_cast<UINT>(GetMenuItemCount(it->hSubMenu)) << 8);
    return state;
}

int GetMenuString(HMENU h, UINT id, char* buf, int cchMax, UINT flags) {
    HMENU owner = h;
    MenuItemRec* it = menu::Find(owner, id, flags & MF_BYPOSITION);
    if (!it) return 0;
    int len = static_cast<int>(it->Text.size());
    if (!buf || cchMax <= 0) return len;
    auto n = static_cast<int>(detail::Utf8Cut(it->Text, static_cast<size_t>(cchMax - 1)));
    std::memcpy(buf, it->Text.data(), static_cast<size_t>(n));
    buf[n] = '\0';
    return n;
}

DWORD CheckMenuItem(HMENU h, UINT id, UINT check) {
    HMENU owner = h;
    MenuItemRec* it = menu::Find(owner, id, check & MF_BYPOSITION);
    if (!it) return MENU_ERROR;
    DWORD old = it->fState & MF_CHECKED;
    it->fState = (it->fState & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

BOOL CheckMenuRadioItem(HMENU h, UINT first, UINT last, UINT check, UINT flags) {
    bool byPos = flags & MF_BYPOSITION;
    if (byPos) {
        MenuRecord* m = menu::Get(h);
        if (!m || first > last || last >= m->Items.size() || check < first || check > last) return FALSE;
        for (UINT i = first; i <= last; ++i) {
            auto& it = m->Items[i];
            it.fState &= ~MF_CHECKED;
            if (i == check) {
                it.fState |= MF_CHECKED;
                it.fType |= MFT_RADIOCHECK;
            }
        }
        return TRUE;
    }
    MenuRecord* m = menu::Get(h);
    if (!m) return FALSE;
    bool any = false;
    for (auto& it : m->Items) {
        if (it.hSubMenu || it.wID < first || it.wID > last) continue;
        any = true;
        it.fState &= ~MF_CHECKED;
        if (it.wID == check) {
            it.fState |= MF_CHECKED;
            it.fType |= MFT_RADIOCHECK;
        }
    }
    return any ? TRUE : FALSE;
}

BOOL EnableMenuItem(HMENU h, UINT id, UINT enable) {
    HMENU owner = h;
    MenuItemRec* it = menu::Find(owner, id, enable & MF_BYPOSITION);
    if (!it) return -1;
    BOOL old = static_cast<BOOL>(it->fState & (MF_GRAYED | MF_DISABLED));
    it->fState = (it->fState & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return old;
}

BOOL SetMenuDefaultItem(HMENU h, UINT item, UINT byPos) {
    MenuRecord* m = menu::Get(h);
    if (!m) return FALSE;
    for (auto& it : m->Items)
        it.fState &= ~MFS_DEFAULT;
    if (item == 0xFFFFFFFF) return TRUE;
    HMENU owner = h;
    MenuItemRec* it = nullptr;
    if (byPos) {
        it = menu::Find(owner, item, true);
    } else {
        for (auto& i : m->Items)
            if (!i.hSubMenu && i.wID == item) it = &i;
    }
    if (!it) return FALSE;
    it->fState |= MFS_DEFAULT;
    return TRUE;
}

BOOL HiliteMenuItem(HWND wnd, HMENU h, UINT id, UINT hilite) {
    HMENU owner = h;
    MenuItemRec* it = menu::Find(owner, id, hilite & MF_BYPOSITION);
    if (!it || !IsWindow(wnd)) return FALSE;
    it->fState = (it->fState & ~MF_HILITE) | (hilite & MF_HILITE);
    if (GetMenu(wnd) == h) DrawMenuBar(wnd);
    return TRUE;
}

HMENU GetSystemMenu(HWND wnd, BOOL revert) {
    if (!IsWindow(wnd)) return nullptr;
    auto& sys = SystemMenus();
    // Menus of windows that are gone go with them.
    for (auto it = sys.begin(); it != sys.end();) {
        if (!IsWindow(it->first)) {
            HMENU dead = it->second;
            it = sys.erase(it);
            if (IsMenu(dead)) DestroyMenu(dead);
        } else {
            ++it;
        }
    }
    auto found = sys.find(wnd);
    if (revert) {
        if (found != sys.end()) {
            HMENU old = found->second;
            sys.erase(found);
            DestroyMenu(old);
        }
        return nullptr;
    }
    if (found != sys.end() && IsMenu(found->second)) return found->second;
    HMENU m = CreatePopupMenu();
    AppendMenu(m, MF_STRING, SC_RESTORE, "&Restore");
    AppendMenu(m, MF_STRING, SC_MOVE, "&Move");
    AppendMenu(m, MF_STRING, SC_SIZE, "&Size");
    AppendMenu(m, MF_STRING, SC_MINIMIZE, "Mi&nimize");
    AppendMenu(m, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
    AppendMenu(m, MF_SEPARATOR, 0, nullptr);
    AppendMenu(m, MF_STRING | MF_DEFAULT, SC_CLOSE, "&Close\tAlt+F4");
    sys[wnd] = m;
    return m;
}

// ---- The engine's hooks into the window system's frame

namespace {

RECT BarRect(HWND wnd) {
    detail::Wnd* w = detail::W(wnd);
    RECT wr{};
    GetWindowRect(wnd, &wr);
    RECT ins = detail::NonClientInsets(w->Style & ~(WS_VSCROLL | WS_HSCROLL),
                                       w->ExStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), false);
    return {ins.Left, ins.Top, wr.Width() - ins.Right, ins.Top + GetSystemMetrics(SM_CYMENU)};
}

void InstallEngine() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    MenuEngineHooks& hooks = MenuEngine();
    hooks.BarHeight = [](HWND, HMENU) { return GetSystemMetrics(SM_CYMENU); };
    hooks.PaintBar = [](HWND wnd, HDC dc, const RECT& bar) {
        HMENU h = GetMenu(wnd);
        MenuRecord* m = menu::Get(h);
        if (!m) {
            FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
            return;
        }
        m->BarWindow = wnd;
        menu::LayoutBar(m, wnd);
        menu::PaintBarItems(h, dc, wnd, bar);
    };
    hooks.KeyMenu = [](HWND wnd, WPARAM key) {
        if (menu::Get(GetMenu(wnd))) menu::TrackBar(wnd, POINT{}, key, true);
    };
    hooks.CancelMode = [](HWND wnd) { menu::CancelTracking(wnd); };
    hooks.BarClick = [](HWND wnd, POINT screen) {
        if (menu::Get(GetMenu(wnd))) menu::TrackBar(wnd, screen, 0, false);
    };
}

} // namespace

namespace menu {
RECT BarRectOf(HWND wnd) {
    return BarRect(wnd);
}
} // namespace menu

BOOL DrawMenuBar(HWND wnd) {
    if (!IsWindow(wnd)) return FALSE;
    MenuRecord* m = menu::Get(GetMenu(wnd));
    if (!m) return FALSE;
    m->BarWindow = wnd;
    menu::LayoutBar(m, wnd);
    RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    return TRUE;
}

BOOL GetMenuItemRect(HWND wnd, HMENU h, UINT item, RECT* rc) {
    MenuRecord* m = menu::Get(h);
    if (!m || !rc || item >= m->Items.size()) return FALSE;
    POINT origin{};
    if (m->Wnd) {
        RECT wr{};
        GetWindowRect(m->Wnd, &wr);
        origin = {wr.Left, wr.Top};
    } else if (wnd && GetMenu(wnd) == h) {
        m->BarWindow = wnd;
        menu::LayoutBar(m, wnd);
        RECT wr{};
        GetWindowRect(wnd, &wr);
        origin = {wr.Left, wr.Top};
    } else {
        return FALSE;
    }
    RECT r = m->Items[item].Rect;
    *rc = {r.Left + origin.X, r.Top + origin.Y, r.Right + origin.X, r.Bottom + origin.Y};
    return TRUE;
}

int MenuItemFromPoint(HWND wnd, HMENU h, POINT pt) {
    MenuRecord* m = menu::Get(h);
    if (!m) return -1;
    for (UINT i = 0; i < m->Items.size(); ++i) {
        RECT r{};
        if (GetMenuItemRect(wnd, h, i, &r) && r.Contains(pt)) return static_cast<int>(i);
    }
    return -1;
}

HWND MenuWindowOf(HMENU h) {
    MenuRecord* m = menu::Get(h);
    return m ? m->Wnd : nullptr;
}

HMENU MenuOfWindow(HWND wnd) {
    if (!wnd) return nullptr;
    for (auto& [h, rec] : Menus())
        if (rec->Wnd == wnd) return h;
    return nullptr;
}

} // namespace win
