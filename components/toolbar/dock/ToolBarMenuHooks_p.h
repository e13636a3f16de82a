#pragma once
// The menu bar's hooks, one set per process (only one toolbar can have a menu dropped, and one is in menu
// mode, at a time): a message-filter hook and a selection watch while a pop-up menu of the bar is
// tracked, and a get-message hook for the whole menu mode that hands the keys to the toolbar. Private to
// the menu bar's sources.

#include "components/toolbar/dock/ToolBar.h"
#include "platform/win/Subclass.h"

namespace AdvToolBar {

// Posted by a toolbar to itself after each menu drop-down.
constexpr win::UINT CN_DROPDOWNCLOSED = win::WM_USER + 0x1000;

struct MenuBarHooks {
    win::WindowsHook MsgFilter;
    win::WindowsHook SelectWatch; // sees the menu's selection notices, sent to the pop-up's owner
    TAdvCustomToolBar* MenuToolBar = nullptr;
    int MenuButtonIndex = -1;
    vcl::TMenuItem* SelectedItem = nullptr;
    win::POINT LastPoint{};
    bool Switch = false;
    bool FirstKey = false;
    win::WindowsHook GetMessage;
    TAdvCustomToolBar* KeyboardToolBar = nullptr;

    static MenuBarHooks& Get();
    // The next (or previous) visible, enabled button after the dropped one, with wrap-around.
    static TAdvCustomToolBarButton* FindNextMenuButton(bool Forward);
    static win::LRESULT MsgFilterProc(int Code, win::WPARAM WParam, win::LPARAM LParam);
    static win::LRESULT SelectWatchProc(int Code, win::WPARAM WParam, win::LPARAM LParam);
    static win::LRESULT GetMessageProc(int Code, win::WPARAM WParam, win::LPARAM LParam);
    static void InitToolMenuHooks(TAdvCustomToolBar* ToolBar, int ButtonIndex);
    static void ReleaseToolMenuHooks();
};

} // namespace AdvToolBar
