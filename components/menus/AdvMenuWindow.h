#pragma once
// The owner-drawn menus' hold on the window system's popup menu windows ("#32768"): each is found as it
// is created, and before it first shows it gets a region that cuts off its outer pixel and the hidden
// 17-pixel strip, and moves so that its frame meets the item it drops from; every item painting then
// draws the frame in the styler's border colour and, under an open bar item, the line that joins the two.
// Also the menus' opacity and the window list of a multiple-document frame.

#include "components/menus/AdvMenus.h"

namespace AdvMenus {

// The last step of an item's painting: the frame of the popup window the canvas draws on (hooking the
// window first when it was not seen at its creation).
void DrawMenuWindowBorder(vcl::TMenuItem* Item, vcl::TCanvas* ACanvas);
// The window procedure of a hooked popup window.
win::LRESULT MenuWindowProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
// True while the popup window carries the menus' hook.
bool IsMenuWindowHooked(win::HWND Wnd);

// Every live owner-drawn menu is listed here; while any lives, new popup menu windows are watched.
void RegisterAdvMenu(vcl::TMenu* Menu);
void UnregisterAdvMenu(vcl::TMenu* Menu);

// A popup menu's window becomes layered with the menu's opacity when that is below 255; a main menu's
// window loses the layering.
void SetMenuOpacity(IAdvMenu* Menu, win::HWND Wnd, vcl::Byte Value);
void SetMenuOpacity(vcl::TMenuItem* Item, vcl::TCanvas* ACanvas);

// The multiple-document client of the main menu's form (the frame's own client window), else null.
win::HWND GetMDIClientWnd(IAdvMenu* Menu);
vcl::TCustomForm* FindForm(win::HWND Wnd);
// Hooks the main menu's MDI client (unhooking an earlier one), so that it keeps the window list.
void HookMDIClient(TAdvMainMenu* Menu);
void UnhookMDIClient(TAdvMainMenu* Menu);
// The window procedure of a hooked MDI client: WM_MDIREFRESHMENU rebuilds the window list.
win::LRESULT MDIClientWindowProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);

inline constexpr vcl::TShortCut kWindowListMarker = 0xABCD;
inline constexpr vcl::Byte kWindowListGroup = 205;

} // namespace AdvMenus
