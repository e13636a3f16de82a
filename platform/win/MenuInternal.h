#pragma once
// The records behind menu handles, shared by the menu calls, the layout and painting, and tracking.

#include <vector>

#include "platform/win/Menu.h"

namespace win {

using String = vcl::String;

struct MenuItemRec {
    UINT fType = MFT_STRING;
    UINT fState = 0;
    UINT wID = 0;
    HMENU hSubMenu = nullptr;
    std::uintptr_t dwItemData = 0;
    String Text;
    HBITMAP hbmpItem = nullptr;
    RECT Rect{}; // laid out: window coordinates of the bar's window or of the popup window
    bool Hilite = false;
};

struct MenuRecord {
    bool Popup = false;
    std::vector<MenuItemRec> Items;
    HWND BarWindow = nullptr; // the window whose bar shows it
    HWND Wnd = nullptr;       // the open popup window
    SIZE Size{};              // laid out: the popup window's size
    int HotItem = -1;         // bar hot-light
    // The bar's menu mode ended by a press of F10 or Alt: the toggle bits of the two keys after that press
    // (KeyToggles in MenuTrack.cpp); -1 for none.
    int EndedByKey = -1;
};

namespace menu {

MenuRecord* Get(HMENU h); // null (and last error) when not a live menu
// The item by command (searching submenus; sets *owner) or by position; null when none.
MenuItemRec* Find(HMENU& h, UINT item, bool byPosition);

// Layout (measuring owner-drawn items through the owner) and painting.
constexpr int kFrame = 3; // items start this far inside the popup window's edges
void LayoutPopup(MenuRecord* m, HWND owner);
void LayoutBar(MenuRecord* m, HWND wnd);
void PaintPopup(HMENU h, HDC dc, HWND owner);
void PaintBarItems(HMENU h, HDC dc, HWND wnd, const RECT& bar);
void PaintItem(HMENU h, int index, HDC dc, HWND owner, bool bar, bool hot);
int ItemAt(MenuRecord* m, POINT windowPoint);
// The mnemonic of an item's text: the whole character after its first single "&", as MnemonicKey folds
// it; 0 for none. A typed character answers the item when MnemonicKey(typed) equals it.
char32_t Mnemonic(const String& text);
// A character without regard to case (AnsiUpperChar: "ф" and "Ф", "é" and "É" are one key); 0 for a
// value beyond the code points.
char32_t MnemonicKey(char32_t typed);

// Tracking (MenuTrack.cpp)
void TrackBar(HWND wnd, POINT screen, WPARAM key, bool byKey);
// How a popup menu is tracked beyond TrackPopupMenuEx's flags: opened from the keyboard (its first item
// selected, mnemonics underlined), and as the owner's system menu (WM_INITMENUPOPUP and WM_MENUSELECT say
// so, and the chosen command is posted as WM_SYSCOMMAND).
struct PopupStart {
    bool ByKey = false;
    bool System = false;
};
BOOL TrackPopup(HMENU h, UINT flags, int x, int y, HWND owner, const TPMPARAMS* tpm, PopupStart start);
// Ends the menu loop when `owner` is the window that tracks it (its WM_CANCELMODE).
void CancelTracking(HWND owner);
// Mnemonics are underlined (tracking began from the keyboard, or the keyboard-cues setting is on).
bool KeyboardCues();

} // namespace menu
} // namespace win
