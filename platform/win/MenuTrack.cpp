// Menu tracking: the nested loop that drives the menu bar and popup menus by mouse and keyboard, and the
// popup menu windows of class "#32768".

#include <algorithm>

#include "platform/win/Gdi.h"
#include "platform/win/Input.h"
#include "platform/win/MenuInternal.h"
#include "platform/win/Metrics.h"

namespace win {
namespace menu {
RECT BarRectOf(HWND wnd);

namespace {

constexpr UINT_PTR kSubmenuTimer = 1;

struct Level {
    HMENU Menu = nullptr;
    HWND Wnd = nullptr; // null for the bar
    int Sel = -1;
};

struct Tracker {
    HWND Owner = nullptr;
    UINT Flags = 0;
    bool Bar = false;
    bool Notify = true;
    bool Keyboard = false;
    bool System = false; // the owner's system menu
    bool Done = false;
    bool Chosen = false;
    UINT Command = 0;
    std::vector<Level> Levels;
};

Tracker* g_tracker = nullptr;

void OpenSubmenu(Tracker& t, size_t level, bool selectFirst);

LRESULT Notify(Tracker& t, UINT msg, WPARAM wp, LPARAM lp) {
    if (!t.Notify || !IsWindow(t.Owner)) return 0;
    return SendMessage(t.Owner, msg, wp, lp);
}

MenuItemRec* ItemOf(const Level& l, int i) {
    MenuRecord* m = Get(l.Menu);
    if (!m || i < 0 || static_cast<size_t>(i) >= m->Items.size()) return nullptr;
    return &m->Items[static_cast<size_t>(i)];
}

// F10's and Alt's toggle bits (bit 0, bit 1): each press of a key flips its own.
int KeyToggles() {
    return (GetKeyState(static_cast<int>(VK_F10)) & 1) | ((GetKeyState(static_cast<int>(VK_MENU)) & 1) << 1);
}

bool IsBarLevel(const Tracker& t, size_t level) {
    return t.Bar && level == 0;
}

void RepaintItem(Tracker& t, size_t level, int index) {
    Level& l = t.Levels[level];
    MenuItemRec* it = ItemOf(l, index);
    if (!it) return;
    if (IsBarLevel(t, level)) {
        if (!IsWindow(t.Owner)) return;
        HDC dc = GetWindowDC(t.Owner);
        PaintItem(l.Menu, index, dc, t.Owner, true, false);
        ReleaseDC(t.Owner, dc);
    } else if (l.Wnd) {
        RECT r = it->Rect;
        InvalidateRect(l.Wnd, &r, FALSE);
        UpdateWindow(l.Wnd);
    }
}

void Select(Tracker& t, size_t level, int index, bool mouse) {
    Level& l = t.Levels[level];
    MenuItemRec* it = ItemOf(l, index);
    if (it && (it->fType & MFT_SEPARATOR)) index = -1, it = nullptr;
    if (l.Sel == index) return;
    if (l.Wnd) KillTimer(l.Wnd, kSubmenuTimer);
    if (MenuItemRec* old = ItemOf(l, l.Sel)) {
        old->Hilite = false;
        RepaintItem(t, level, l.Sel);
    }
    l.Sel = index;
    if (!it) return;
    it->Hilite = true;
    RepaintItem(t, level, index);
    UINT flags = (it->fType | it->fState | MF_HILITE) & 0xFFFF;
    if (it->hSubMenu) flags |= MF_POPUP;
    if (mouse) flags |= MF_MOUSESELECT;
    if (t.System) flags |= MF_SYSMENU;
    UINT id = it->hSubMenu ? static_cast<UINT>(index) : it->wID;
    Notify(t, WM_MENUSELECT, MAKEWPARAM(static_cast<int>(id & 0xFFFF), static_cast<int>(flags)),
           reinterpret_cast<LPARAM>(l.Menu));
}

// Closes the popups above level `keep`.
void CloseAbove(Tracker& t, size_t keep) {
    while (t.Levels.size() > keep + 1) {
        Level l = t.Levels.back();
        t.Levels.pop_back();
        if (MenuItemRec* it = ItemOf(l, l.Sel)) it->Hilite = false;
        if (MenuRecord* m = Get(l.Menu)) m->Wnd = nullptr;
        if (l.Wnd && IsWindow(l.Wnd)) DestroyWindow(l.Wnd);
        Notify(t, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(l.Menu), 0);
    }
}

RECT WorkAreaAt(POINT p) {
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfo(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &mi);
    return mi.rcWork;
}

LRESULT MenuWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        if (HMENU h = MenuOfWindow(hwnd)) PaintPopup(h, dc, g_tracker ? g_tracker->Owner : nullptr);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case MN_GETHMENU:
        return reinterpret_cast<LRESULT>(MenuOfWindow(hwnd));
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_TIMER:
        if (wp == kSubmenuTimer) {
            KillTimer(hwnd, kSubmenuTimer);
            if (g_tracker) {
                Tracker& t = *g_tracker;
                for (size_t i = 0; i < t.Levels.size(); ++i)
                    if (t.Levels[i].Wnd == hwnd && i + 1 == t.Levels.size()) {
                        OpenSubmenu(t, i, false);
                        break;
                    }
            }
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProc(hwnd, msg, wp, lp);
}

void RegisterMenuClass() {
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, MENU_WINDOW_CLASS, &wc)) return;
    wc.style = CS_SAVEBITS | CS_DROPSHADOW;
    wc.lpfnWndProc = MenuWindowProc;
    wc.lpszClassName = MENU_WINDOW_CLASS;
    RegisterClass(&wc);
}

// Creates and shows the popup window of a menu at a position decided by `place` from its size.
template <typename Place> HWND ShowPopup(Tracker& t, HMENU h, Place place) {
    MenuRecord* m = Get(h);
    LayoutPopup(m, t.Owner);
    POINT at = place(m->Size);
    RegisterMenuClass();
    // Created hidden at its final place and size, so that a creation hook sees the real geometry.
    HWND wnd =
        CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, MENU_WINDOW_CLASS, "", WS_POPUP,
                       at.X, at.Y, m->Size.cx, m->Size.cy, nullptr, nullptr, nullptr, nullptr);
    if (!wnd) return nullptr;
    m->Wnd = wnd;
    SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(wnd);
    return wnd;
}

void FirstSelectable(Tracker& t, size_t level, int from, int step) {
    MenuRecord* m = Get(t.Levels[level].Menu);
    int n = m ? static_cast<int>(m->Items.size()) : 0;
    if (n == 0) return;
    int i = from;
    for (int k = 0; k < n; ++k) {
        i = ((i % n) + n) % n;
        if (!(m->Items[static_cast<size_t>(i)].fType & MFT_SEPARATOR)) {
            Select(t, level, i, false);
            return;
        }
        i += step;
    }
}

void OpenSubmenu(Tracker& t, size_t level, bool selectFirst) {
    Level& l = t.Levels[level];
    MenuItemRec* it = ItemOf(l, l.Sel);
    if (!it || !it->hSubMenu || !Get(it->hSubMenu)) return;
    if (it->fState & MF_GRAYED) return;
    CloseAbove(t, level);
    HMENU sub = it->hSubMenu;
    RECT itemScreen{};
    bool bar = IsBarLevel(t, level);
    GetMenuItemRect(bar ? t.Owner : nullptr, l.Menu, static_cast<UINT>(l.Sel), &itemScreen);
    Notify(t, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(l.Sel, 0));
    if (t.Done || level + 1 != t.Levels.size()) return;
    RECT parentWnd{};
    if (!bar) GetWindowRect(l.Wnd, &parentWnd);
    HWND wnd = ShowPopup(t, sub, [&](SIZE s) {
        RECT work = WorkAreaAt(POINT{itemScreen.Left, itemScreen.Top});
        POINT p{};
        if (bar) {
            // A drop-down: below the bar item; above it when there is no room below.
            p = {itemScreen.Left, itemScreen.Bottom};
            if (p.Y + s.cy > work.Bottom && itemScreen.Top - s.cy >= work.Top) p.Y = itemScreen.Top - s.cy;
        } else {
            // A submenu: to the right of the parent item, its first item level with it; flipped to the
            // left when it does not fit.
            p = {parentWnd.Right - kFrame, itemScreen.Top - kFrame};
            if (p.X + s.cx > work.Right) p.X = parentWnd.Left + kFrame - s.cx;
            if (p.Y + s.cy > work.Bottom) p.Y = work.Bottom - s.cy;
        }
        p.X = std::max(work.Left, std::min(p.X, work.Right - s.cx));
        p.Y = std::max(work.Top, p.Y);
        return p;
    });
    if (!wnd) return;
    t.Levels.push_back(Level{sub, wnd, -1});
    if (selectFirst) FirstSelectable(t, t.Levels.size() - 1, 0, 1);
}

void Choose(Tracker& t, const MenuItemRec& it) {
    if (it.fState & (MF_GRAYED | MF_DISABLED)) return;
    t.Chosen = true;
    t.Command = it.wID;
    t.Done = true;
}

void Cancel(Tracker& t) {
    t.Done = true;
}

// Where the point is: the level and item (-1 for none); level -1 when outside every menu.
std::pair<int, int> HitTest(Tracker& t, POINT pt) {
    for (size_t i = t.Levels.size(); i-- > 0;) {
        Level& l = t.Levels[i];
        if (IsBarLevel(t, i)) {
            RECT wr{};
            GetWindowRect(t.Owner, &wr);
            RECT bar = BarRectOf(t.Owner);
            POINT local{pt.X - wr.Left, pt.Y - wr.Top};
            if (bar.Contains(local)) return {static_cast<int>(i), ItemAt(Get(l.Menu), local)};
        } else if (l.Wnd) {
            RECT wr{};
            GetWindowRect(l.Wnd, &wr);
            if (wr.Contains(pt))
                return {static_cast<int>(i), ItemAt(Get(l.Menu), POINT{pt.X - wr.Left, pt.Y - wr.Top})};
        }
    }
    return {-1, -1};
}

void SwitchBar(Tracker& t, int index, bool selectFirst) {
    CloseAbove(t, 0);
    Select(t, 0, index, !selectFirst);
    OpenSubmenu(t, 0, selectFirst);
}

bool IsMouseMessage(UINT m) {
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

bool IsButtonDown(UINT m) {
    return m == WM_LBUTTONDOWN || m == WM_NCLBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_NCRBUTTONDOWN ||
           m == WM_MBUTTONDOWN;
}

// Where a mouse message happened: a client message carries its point in its window's client coordinates
// (a message posted to a window names its own point), a non-client one in screen coordinates.
POINT MousePoint(const MSG& msg) {
    POINT p{static_cast<short>(LOWORD(static_cast<DWORD>(msg.lParam))),
            static_cast<short>(HIWORD(static_cast<DWORD>(msg.lParam)))};
    if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK) return p;
    if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST || msg.message == WM_MOUSEWHEEL ||
        msg.message == WM_MOUSEHWHEEL || !msg.hwnd || !IsWindow(msg.hwnd))
        return msg.pt;
    ClientToScreen(msg.hwnd, &p);
    return p;
}

void HandleMouse(Tracker& t, const MSG& msg) {
    auto [level, index] = HitTest(t, MousePoint(msg));
    bool right = t.Flags & TPM_RIGHTBUTTON;
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        if (level < 0) return;
        size_t lv = static_cast<size_t>(level);
        if (IsBarLevel(t, lv)) {
            if (index >= 0 && index != t.Levels[0].Sel && (t.Levels.size() > 1 || !t.Keyboard))
                SwitchBar(t, index, false);
            return;
        }
        if (index < 0) return;
        if (index != t.Levels[lv].Sel) {
            CloseAbove(t, lv);
            Select(t, lv, index, true);
            MenuItemRec* it = ItemOf(t.Levels[lv], index);
            if (it && it->hSubMenu) {
                UINT delay = 400;
                SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
                SetTimer(t.Levels[lv].Wnd, kSubmenuTimer, std::max<UINT>(delay, 1), nullptr);
            }
        }
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        if (level < 0) {
            Cancel(t);
            return;
        }
        bool isRight = msg.message == WM_RBUTTONDOWN || msg.message == WM_NCRBUTTONDOWN;
        if (msg.message == WM_MBUTTONDOWN || (isRight && !right)) return;
        size_t lv = static_cast<size_t>(level);
        if (IsBarLevel(t, lv)) {
            if (index < 0) return;
            if (index == t.Levels[0].Sel && t.Levels.size() > 1) {
                Cancel(t);
                return;
            }
            t.Keyboard = false;
            SwitchBar(t, index, false);
            return;
        }
        if (index >= 0) {
            if (index != t.Levels[lv].Sel) {
                CloseAbove(t, lv);
                Select(t, lv, index, true);
            }
            MenuItemRec* it = ItemOf(t.Levels[lv], index);
            if (it && it->hSubMenu && t.Levels.size() == lv + 1) OpenSubmenu(t, lv, false);
        }
        return;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP: {
        bool isRight = msg.message == WM_RBUTTONUP || msg.message == WM_NCRBUTTONUP;
        if (isRight && !right) return;
        if (level < 0 || index < 0 || IsBarLevel(t, static_cast<size_t>(level))) return;
        // Only the item the pointer has selected is chosen: the release of the press that opened the
        // menu, with the pointer not moved since, chooses nothing it happens to be over.
        if (index != t.Levels[static_cast<size_t>(level)].Sel) return;
        MenuItemRec* it = ItemOf(t.Levels[static_cast<size_t>(level)], index);
        if (it && !it->hSubMenu && !(it->fType & MFT_SEPARATOR)) Choose(t, *it);
        return;
    }
    default:
        return;
    }
}

// Activates the selected item of a level: opens its submenu (first item selected) or chooses it.
void Activate(Tracker& t, size_t level) {
    MenuItemRec* it = ItemOf(t.Levels[level], t.Levels[level].Sel);
    if (!it) return;
    if (it->hSubMenu)
        OpenSubmenu(t, level, true);
    else
        Choose(t, *it);
}

void HandleChar(Tracker& t, WPARAM wp) {
    // A value beyond the code points is kept whole (never narrowed onto a character): it answers nothing.
    const char32_t ch = wp <= 0x10FFFF ? static_cast<char32_t>(wp) : 0x110000;
    size_t lv = t.Levels.size() - 1;
    Level& l = t.Levels[lv];
    MenuRecord* m = Get(l.Menu);
    if (!m) return;
    const char32_t key = MnemonicKey(ch);
    std::vector<int> hits;
    for (size_t i = 0; i < m->Items.size(); ++i)
        if (key && !(m->Items[i].fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) &&
            Mnemonic(m->Items[i].Text) == key)
            hits.push_back(static_cast<int>(i));
    int target = -1;
    bool execute = false;
    if (hits.size() == 1) {
        target = hits[0];
        execute = true;
    } else if (hits.size() > 1) {
        target = hits[0];
        for (int h : hits)
            if (h > l.Sel) {
                target = h;
                break;
            }
    } else if (ch > 0xFFFF) {
        // WM_MENUCHAR carries the character in its low word: cut to it, a character beyond U+FFFF would
        // name another one (U+10041 would read as "A"), so the owner is not asked.
        MessageBeep(0);
        return;
    } else {
        UINT flags = IsBarLevel(t, lv) ? 0 : MF_POPUP;
        LRESULT r = Notify(t, WM_MENUCHAR, MAKEWPARAM(static_cast<int>(ch & 0xFFFF), static_cast<int>(flags)),
                           reinterpret_cast<LPARAM>(l.Menu));
        switch (HIWORD(static_cast<DWORD>(r))) {
        case MNC_CLOSE:
            Cancel(t);
            return;
        case MNC_EXECUTE:
            target = LOWORD(static_cast<DWORD>(r));
            execute = true;
            break;
        case MNC_SELECT:
            target = LOWORD(static_cast<DWORD>(r));
            break;
        default:
            MessageBeep(0);
            return;
        }
    }
    MenuItemRec* it = ItemOf(l, target);
    if (!it) return;
    if (IsBarLevel(t, lv) && execute && it->hSubMenu) {
        // Executing a bar item drops its menu, the first item selected.
        SwitchBar(t, target, true);
        return;
    }
    // Selecting (several items share the character) only highlights, on the bar as in a popup;
    // executing opens a submenu or chooses the item.
    Select(t, lv, target, false);
    if (execute) Activate(t, lv);
}

void HandleKey(Tracker& t, const MSG& msg) {
    if (!t.Keyboard) {
        // The first key shows the mnemonics' underlines in every open menu, not only in the items
        // painted from now on.
        t.Keyboard = true;
        for (const Level& l : t.Levels)
            if (l.Wnd) InvalidateRect(l.Wnd, nullptr, FALSE);
    }
    size_t top = t.Levels.size() - 1;
    size_t firstPopup = t.Bar ? 1 : 0;
    bool onBar = IsBarLevel(t, top);
    switch (msg.wParam) {
    case VK_ESCAPE:
        if (top > firstPopup) {
            CloseAbove(t, top - 1);
        } else if (t.Bar && top == 1) {
            CloseAbove(t, 0);
        } else {
            Cancel(t);
        }
        return;
    case VK_MENU:
    case VK_F10:
        // The release of this press comes once the loop has ended, to the window, which takes it for a
        // keyboard entry into menu mode (as F10 or Alt alone): the bar notes that the press was the menu's.
        if (HMENU h = GetMenu(GetAncestor(t.Owner, GA_ROOT)))
            if (MenuRecord* bar = Get(h)) bar->EndedByKey = KeyToggles();
        Cancel(t);
        return;
    case VK_UP:
    case VK_DOWN: {
        int step = msg.wParam == VK_UP ? -1 : 1;
        if (onBar) {
            OpenSubmenu(t, 0, true);
            return;
        }
        int sel = t.Levels[top].Sel;
        FirstSelectable(t, top, sel < 0 ? (step > 0 ? 0 : -1) : sel + step, step);
        return;
    }
    case VK_LEFT:
    case VK_RIGHT: {
        bool right = msg.wParam == VK_RIGHT;
        if (!onBar && right) {
            MenuItemRec* it = ItemOf(t.Levels[top], t.Levels[top].Sel);
            if (it && it->hSubMenu) {
                OpenSubmenu(t, top, true);
                return;
            }
        }
        if (!onBar && !right && top > firstPopup) {
            CloseAbove(t, top - 1);
            return;
        }
        if (!t.Bar) return;
        MenuRecord* bar = Get(t.Levels[0].Menu);
        int n = bar ? static_cast<int>(bar->Items.size()) : 0;
        if (n == 0) return;
        int next = ((t.Levels[0].Sel + (right ? 1 : -1)) % n + n) % n;
        if (onBar) {
            Select(t, 0, next, false);
        } else {
            SwitchBar(t, next, true);
        }
        return;
    }
    case VK_RETURN:
        Activate(t, top);
        return;
    default:
        TranslateMessage(&msg);
        return;
    }
}

void Cleanup(Tracker& t) {
    t.Notify = false;
    CloseAbove(t, 0);
    if (!t.Levels.empty()) {
        if (MenuItemRec* it = ItemOf(t.Levels[0], t.Levels[0].Sel)) it->Hilite = false;
        if (t.Levels[0].Wnd) {
            if (MenuRecord* m = Get(t.Levels[0].Menu)) m->Wnd = nullptr;
            if (IsWindow(t.Levels[0].Wnd)) DestroyWindow(t.Levels[0].Wnd);
        }
    }
}

// The loop: runs until an item is chosen or the menu is cancelled.
void Run(Tracker& t) {
    Tracker* outer = g_tracker;
    g_tracker = &t;
    // All mouse input comes to the menu while it is up, also clicks outside every window.
    HWND oldCapture = GetCapture();
    SetCapture(t.Owner);
    auto release = [&] {
        if (GetCapture() == t.Owner) {
            if (oldCapture && IsWindow(oldCapture))
                SetCapture(oldCapture);
            else
                ReleaseCapture();
        }
    };
    try {
        // The owner hears once each time the loop finds its queue empty; EndMenu from there (or from
        // anything the wait runs) ends the loop without a message to wake it.
        bool busy = true;
        const bool appActive = GetActiveWindow() != nullptr;
        while (!t.Done) {
            // The owner gone, or another program taking the activation, ends the menu.
            if (!IsWindow(t.Owner) || (appActive && GetActiveWindow() == nullptr)) {
                Cancel(t);
                break;
            }
            MSG msg{};
            if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && IsButtonDown(msg.message) &&
                HitTest(t, MousePoint(msg)).first < 0) {
                // A press outside every menu ends the menu and stays in the queue for the window under
                // the pointer, which gets it once the menu has let the pointer go.
                Cancel(t);
                break;
            }
            if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                // Taking the input may have ended the menu without a message (the window manager moved
                // the window): no wait then.
                if (t.Done) break;
                if (busy) {
                    busy = false;
                    HWND popup = t.Levels.empty() ? nullptr : t.Levels.back().Wnd;
                    Notify(t, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(popup ? popup : t.Owner));
                    continue;
                }
                WaitMessage();
                continue;
            }
            busy = true;
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                Cancel(t);
                break;
            }
            if (CallMsgFilter(&msg, MSGF_MENU)) continue;
            if (IsMouseMessage(msg.message)) {
                HandleMouse(t, msg);
            } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
                HandleKey(t, msg);
            } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
                HandleChar(t, msg.wParam);
            } else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
                // Taken by the menu.
            } else {
                DispatchMessage(&msg);
            }
        }
    } catch (...) {
        release();
        Cleanup(t);
        g_tracker = outer;
        throw;
    }
    release();
    // Closing: each popup's uninit (innermost first), the final selection notice, the loop's end.
    CloseAbove(t, 0);
    Level& root = t.Levels[0];
    if (MenuItemRec* it = ItemOf(root, root.Sel)) {
        it->Hilite = false;
        if (t.Bar) RepaintItem(t, 0, root.Sel);
    }
    if (!t.Bar) {
        if (MenuRecord* m = Get(root.Menu)) m->Wnd = nullptr;
        if (root.Wnd && IsWindow(root.Wnd)) DestroyWindow(root.Wnd);
        Notify(t, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(root.Menu), 0);
    }
    Notify(t, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Notify(t, WM_EXITMENULOOP, t.Bar ? FALSE : TRUE, 0);
    g_tracker = outer;
}

} // namespace

bool KeyboardCues() {
    if (g_tracker && g_tracker->Keyboard) return true;
    BOOL cues = FALSE;
    SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &cues, 0);
    return cues != FALSE;
}

void TrackBar(HWND wnd, POINT screen, WPARAM key, bool byKey) {
    if (g_tracker) return;
    HMENU bar = GetMenu(wnd);
    MenuRecord* m = Get(bar);
    if (!m || m->Items.empty()) return;
    if (byKey && key == 0 && m->EndedByKey >= 0) {
        // F10 or Alt alone, with neither gone down since a press of one ended menu mode: the release of
        // that press, which leaves menu mode ended.
        const bool release = m->EndedByKey == KeyToggles();
        m->EndedByKey = -1;
        if (release) return;
    }
    m->BarWindow = wnd;
    m->HotItem = -1;
    LayoutBar(m, wnd);
    Tracker t;
    t.Owner = wnd;
    t.Bar = true;
    t.Keyboard = byKey;
    t.Levels.push_back(Level{bar, nullptr, -1});
    int first = -1;
    if (!byKey) {
        RECT wr{};
        GetWindowRect(wnd, &wr);
        first = ItemAt(m, POINT{screen.X - wr.Left, screen.Y - wr.Top});
        if (first < 0) return;
    } else if (key != 0) {
        // Alt+letter: the whole character of WM_SYSCHAR (never a byte of it).
        const char32_t k = key <= 0x10FFFF ? MnemonicKey(static_cast<char32_t>(key)) : 0;
        for (size_t i = 0; k && i < m->Items.size(); ++i)
            if (Mnemonic(m->Items[i].Text) == k) {
                first = static_cast<int>(i);
                break;
            }
        if (first < 0) {
            MessageBeep(0);
            return;
        }
    }
    g_tracker = &t; // the notifications below must see the tracking state
    Notify(t, WM_ENTERMENULOOP, FALSE, 0);
    Notify(t, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
    g_tracker = nullptr;
    if (!Get(bar) || GetMenu(wnd) != bar) return;
    g_tracker = &t;
    try {
        if (byKey && key == 0)
            FirstSelectable(t, 0, 0, 1);
        else
            SwitchBar(t, first, byKey);
    } catch (...) {
        Cleanup(t);
        g_tracker = nullptr;
        throw;
    }
    g_tracker = nullptr;
    Run(t);
    if (t.Chosen && IsWindow(wnd))
        PostMessage(wnd, WM_COMMAND, MAKEWPARAM(static_cast<int>(t.Command & 0xFFFF), 0), 0);
}

BOOL TrackPopup(HMENU h, UINT flags, int x, int y, HWND hwnd, const TPMPARAMS* tpm, PopupStart start) {
    MenuRecord* m = Get(h);
    if (!m || !IsWindow(hwnd)) {
        if (m) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (g_tracker) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Tracker t;
    t.Owner = hwnd;
    t.Flags = flags;
    t.Notify = !(flags & TPM_NONOTIFY);
    t.Keyboard = start.ByKey;
    t.System = start.System;
    g_tracker = &t;
    try {
        Notify(t, WM_ENTERMENULOOP, TRUE, 0);
        Notify(t, WM_INITMENU, reinterpret_cast<WPARAM>(h), 0);
        Notify(t, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(h), MAKELPARAM(0, start.System ? TRUE : FALSE));
        if (!Get(h)) {
            g_tracker = nullptr;
            return FALSE;
        }
        HWND wnd = ShowPopup(t, h, [&](SIZE s) {
            RECT work = WorkAreaAt(POINT{x, y});
            POINT p{x, y};
            if (flags & TPM_CENTERALIGN)
                p.X -= s.cx / 2;
            else if (flags & TPM_RIGHTALIGN)
                p.X -= s.cx;
            if (flags & TPM_VCENTERALIGN)
                p.Y -= s.cy / 2;
            else if (flags & TPM_BOTTOMALIGN)
                p.Y -= s.cy;
            // Flipped about the point when it does not fit, then kept on the work area.
            if (p.X + s.cx > work.Right && x - s.cx >= work.Left) p.X = x - s.cx;
            if (p.Y + s.cy > work.Bottom && y - s.cy >= work.Top) p.Y = y - s.cy;
            if (tpm) {
                RECT ex = tpm->rcExclude;
                RECT r{p.X, p.Y, p.X + s.cx, p.Y + s.cy};
                bool overlap =
                    r.Left < ex.Right && ex.Left < r.Right && r.Top < ex.Bottom && ex.Top < r.Bottom;
                if (overlap) {
                    if (flags & TPM_VERTICAL)
                        p.Y = ex.Bottom + s.cy <= work.Bottom ? ex.Bottom : ex.Top - s.cy;
                    else
                        p.X = ex.Right + s.cx <= work.Right ? ex.Right : ex.Left - s.cx;
                }
            }
            p.X = std::max(work.Left, std::min(p.X, work.Right - s.cx));
            p.Y = std::max(work.Top, std::min(p.Y, work.Bottom - s.cy));
            return p;
        });
        if (!wnd) {
            g_tracker = nullptr;
            return FALSE;
        }
        t.Levels.push_back(Level{h, wnd, -1});
        if (start.ByKey) FirstSelectable(t, 0, 0, 1);
    } catch (...) {
        Cleanup(t);
        g_tracker = nullptr;
        throw;
    }
    g_tracker = nullptr;
    Run(t);
    if (flags & TPM_RETURNCMD) return t.Chosen ? static_cast<BOOL>(t.Command) : 0;
    if (t.Chosen && t.Notify && IsWindow(hwnd)) {
        if (t.System) {
            // Where the pointer was when the menu closed: a move or size starts from there.
            PostMessage(hwnd, WM_SYSCOMMAND, t.Command, static_cast<LPARAM>(GetMessagePos()));
        } else {
            PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<int>(t.Command & 0xFFFF), 0), 0);
        }
    }
    return TRUE;
}

} // namespace menu

BOOL TrackPopupMenuEx(HMENU h, UINT flags, int x, int y, HWND hwnd, const TPMPARAMS* tpm) {
    return menu::TrackPopup(h, flags, x, y, hwnd, tpm, menu::PopupStart{});
}

BOOL TrackPopupMenu(HMENU h, UINT flags, int x, int y, int, HWND hwnd, const RECT*) {
    return TrackPopupMenuEx(h, flags, x, y, hwnd, nullptr);
}

BOOL EndMenu() {
    if (!menu::g_tracker) return FALSE;
    menu::g_tracker->Done = true;
    return TRUE;
}

bool IsMenuTracking() {
    return menu::g_tracker != nullptr;
}

namespace menu {
void CancelTracking(HWND owner) {
    if (g_tracker && g_tracker->Owner == owner) g_tracker->Done = true;
}
} // namespace menu

void MenuBarHotTrack(HWND wnd, POINT pt) {
    if (menu::g_tracker) return;
    HMENU h = GetMenu(wnd);
    MenuRecord* m = menu::Get(h);
    if (!m) return;
    int i = MenuItemFromPoint(wnd, h, pt);
    if (i == m->HotItem) return;
    int old = m->HotItem;
    m->HotItem = i;
    if (i >= 0) {
        // The bar hears when the pointer leaves the frame, wherever it goes (WM_NCMOUSELEAVE), and its
        // hot item goes back to rest.
        TRACKMOUSEEVENT leave{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_NONCLIENT, wnd, 0};
        TrackMouseEvent(&leave);
    }
    HDC dc = GetWindowDC(wnd);
    if (old >= 0) menu::PaintItem(h, old, dc, wnd, true, false);
    if (i >= 0) menu::PaintItem(h, i, dc, wnd, true, true);
    ReleaseDC(wnd, dc);
}

} // namespace win
