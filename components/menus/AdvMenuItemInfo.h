#pragma once
// Where a menu item stands: on a menu bar, in the first drop-down, after a column break, at which level,
// and the rectangles the window system gives its menu.

#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Windows.h"

namespace AdvMenus {

using vcl::TMenuItem;

bool IsInTopMainMenu(const TMenuItem* Item);
// The item's parent component is a menu other than a TAdvPopupMenu.
bool IsInTopMenu(const TMenuItem* Item);
bool IsInTopPopupMenu(const TMenuItem* Item);
bool IsInFirstLevelMenu(const TMenuItem* Item);
bool IsInFirstVisibleMenu(const TMenuItem* Item);
bool IsSideBarVisible(const TMenuItem* Item);
bool IsFirstSubMenuItem(const TMenuItem* Item);
bool IsAfterMenuBreak(const TMenuItem* Item);
// The last bar item (every item of the owner-drawn menus is owner-drawn).
bool IsRightmost(const TMenuItem* Item);
// The submenu holding Item opened to the right of its parent item (always for a top item).
bool IsRightAligned(TMenuItem* Item);
// 0 for a bar item and for a popup menu's own items.
int GetMenuItemLevel(const TMenuItem* Item);
// Visible here means shown in the window-system menu (TMenuItem::Shown): a separator the line reduction
// leaves out is not, so that positions are those of the menu the window system has.
TMenuItem* FirstVisibleItem(const TMenuItem* Item);
TMenuItem* LastVisibleItem(const TMenuItem* Item);
// Among the shown siblings; -1 for an item not shown.
int VisibleMenuIndex(const TMenuItem* Item);
vcl::TMenu* GetParentMenuEx(const TMenuItem* Item);
// The union of the rectangles of the items of Item's menu (screen); false while that menu shows nowhere.
bool GetMenuRect(TMenuItem* Item, vcl::TRect& R);
// The window whose bar shows the menu (for an MDI child's menu, the frame), else null.
win::HWND GetMenuWnd(vcl::TMenu* Menu);
// The multiple-document frame that holds the child form, or null.
vcl::TCustomForm* MDIFrameOf(vcl::TCustomForm* Child);

} // namespace AdvMenus
