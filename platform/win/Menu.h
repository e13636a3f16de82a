#pragma once
// Menus of the window system: menu handles and their items, the menu bar of a top-level window, popup
// menus tracked in a nested loop (TrackPopupMenu), owner-drawn items (WM_MEASUREITEM / WM_DRAWITEM to the
// owner window) and the popup menu windows of class "#32768".
//
// Tracking runs its own loop on the thread's queue: mouse and key input is taken by the menu, everything
// else is dispatched as usual. WH_MSGFILTER hooks see each message first with code MSGF_MENU. The owner
// gets, in order: WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP (each popup as it opens), WM_MENUSELECT
// (each selection), WM_ENTERIDLE (MSGF_MENU) each time the loop finds the queue empty, then on closing
// WM_UNINITMENUPOPUP (innermost first), WM_MENUSELECT (0xFFFF, null menu), WM_EXITMENULOOP, and, for a
// chosen item, a posted WM_COMMAND (or TrackPopupMenu's result). DefWindowProc(WM_CANCELMODE) of the owner
// ends the loop as EndMenu does.

#include "platform/win/Window.h"

namespace win {

// Sent when a drop-down menu or submenu has closed (wParam: its menu).
constexpr UINT WM_UNINITMENUPOPUP = 0x0125;

// Asks a "#32768" window for the menu it shows.
constexpr UINT MN_GETHMENU = 0x01E1;

// ---- Flags of AppendMenu / InsertMenu / ModifyMenu
constexpr UINT MF_INSERT = 0x0000;
constexpr UINT MF_CHANGE = 0x0080;
constexpr UINT MF_APPEND = 0x0100;
constexpr UINT MF_DELETE = 0x0200;
constexpr UINT MF_REMOVE = 0x1000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_USECHECKBITMAPS = 0x0200;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_UNHILITE = 0x0000;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_HELP = 0x4000;
constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
constexpr UINT MF_MOUSESELECT = 0x8000;

constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_BITMAP = MF_BITMAP;
constexpr UINT MFT_MENUBARBREAK = MF_MENUBARBREAK;
constexpr UINT MFT_MENUBREAK = MF_MENUBREAK;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFT_RIGHTORDER = 0x2000;
constexpr UINT MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;

constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_UNCHECKED = MF_UNCHECKED;
constexpr UINT MFS_UNHILITE = MF_UNHILITE;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;

// ---- TrackPopupMenu flags
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_HORIZONTAL = 0x0000;
constexpr UINT TPM_VERTICAL = 0x0040;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;
constexpr UINT TPM_RECURSE = 0x0001;
constexpr UINT TPM_HORPOSANIMATION = 0x0400;
constexpr UINT TPM_HORNEGANIMATION = 0x0800;
constexpr UINT TPM_VERPOSANIMATION = 0x1000;
constexpr UINT TPM_VERNEGANIMATION = 0x2000;
constexpr UINT TPM_NOANIMATION = 0x4000;
constexpr UINT TPM_LAYOUTRTL = 0x8000;

// ---- WM_MENUCHAR results (high word)
constexpr UINT MNC_IGNORE = 0;
constexpr UINT MNC_CLOSE = 1;
constexpr UINT MNC_EXECUTE = 2;
constexpr UINT MNC_SELECT = 3;

// GetMenuItemID of a submenu item; GetMenuState / CheckMenuItem failure.
constexpr UINT MENU_ERROR = 0xFFFFFFFF;

struct MENUITEMINFO {
    UINT cbSize = sizeof(MENUITEMINFO);
    UINT fMask = 0;
    UINT fType = 0;
    UINT fState = 0;
    UINT wID = 0;
    HMENU hSubMenu = nullptr;
    HBITMAP hbmpChecked = nullptr;
    HBITMAP hbmpUnchecked = nullptr;
    std::uintptr_t dwItemData = 0;
    char* dwTypeData = nullptr; // the text (UTF-8); GetMenuItemInfo copies into it, cch bytes at most
    UINT cch = 0;
    HBITMAP hbmpItem = nullptr;
};

struct TPMPARAMS {
    UINT cbSize = sizeof(TPMPARAMS);
    RECT rcExclude{};
};

// ---- Menu handles
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and the submenus its items hold.
BOOL DestroyMenu(HMENU hMenu);
BOOL IsMenu(HMENU hMenu);
// uFlags MF_POPUP: uIDNewItem is the submenu handle.
BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, const char* lpNewItem);
BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, const char* lpNewItem);
BOOL ModifyMenu(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, const char* lpNewItem);
BOOL InsertMenuItem(HMENU hmenu, UINT item, BOOL fByPosition, const MENUITEMINFO* lpmi);
BOOL SetMenuItemInfo(HMENU hmenu, UINT item, BOOL fByPositon, const MENUITEMINFO* lpmii);
BOOL GetMenuItemInfo(HMENU hmenu, UINT item, BOOL fByPosition, MENUITEMINFO* lpmii);
// RemoveMenu keeps the submenu of the item alive; DeleteMenu destroys it.
BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
int GetMenuItemCount(HMENU hMenu);
HMENU GetSubMenu(HMENU hMenu, int nPos);
UINT GetMenuItemID(HMENU hMenu, int nPos);
UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);
int GetMenuString(HMENU hMenu, UINT uIDItem, char* lpString, int cchMax, UINT flags);
DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck);
BOOL CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check, UINT flags);
BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos);
BOOL HiliteMenuItem(HWND hWnd, HMENU hMenu, UINT uIDHiliteItem, UINT uHilite);
// The window's system menu (restore, move, size, minimise, maximise, close; commands SC_*); bRevert
// restores the standard one and returns null.
HMENU GetSystemMenu(HWND hWnd, BOOL bRevert);

// ---- Bar and geometry
// Measures and repaints the menu bar of a window.
BOOL DrawMenuBar(HWND hWnd);
// The item's rectangle in screen coordinates (bar items of hWnd's bar, or items of an open popup).
BOOL GetMenuItemRect(HWND hWnd, HMENU hMenu, UINT uItem, RECT* lprcItem);
// The position of the item under ptScreen, or -1.
int MenuItemFromPoint(HWND hWnd, HMENU hMenu, POINT ptScreen);

// ---- Tracking
// Shows the popup menu at (x, y) (screen) and returns when it closes: with TPM_RETURNCMD the chosen
// command (0 for none), else nonzero when an item was chosen (its WM_COMMAND is posted to hWnd).
BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const RECT* prcRect);
BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, const TPMPARAMS* lptpm);
// This window system's own call, shared by the default window procedure and captions that components
// draw themselves: the window's system menu tracked at ptScreen as TrackPopupMenu does, its items first
// enabled as the window's state allows (Restore when minimised or maximised; Move and Size when neither,
// Size with WS_THICKFRAME; Minimize and Maximize with their box, unless already so; Close greyed for a
// class with CS_NOCLOSE), then WM_INITMENU and WM_INITMENUPOPUP (high word of lParam TRUE) to the window.
// The chosen command is posted to the window as WM_SYSCOMMAND, or returned with TPM_RETURNCMD. From the
// keyboard, its first item is selected and its mnemonics underlined.
BOOL TrackSystemMenu(HWND hWnd, POINT ptScreen, UINT uFlags, bool fromKeyboard = false);
// Closes the menus being tracked (the tracking call returns as cancelled).
BOOL EndMenu();
// The popup menu window of a menu while it is open, else null.
HWND MenuWindowOf(HMENU hMenu);
// The menu shown by an open "#32768" window, else null.
HMENU MenuOfWindow(HWND hWnd);
// True while a menu is being tracked.
bool IsMenuTracking();
// Hot-light of the bar item under ptScreen (outside the bar: none); does nothing while tracking.
void MenuBarHotTrack(HWND hWnd, POINT ptScreen);

// The class name of popup menu windows.
inline constexpr const char* MENU_WINDOW_CLASS = "#32768";

} // namespace win
