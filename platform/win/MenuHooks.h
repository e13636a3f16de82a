#pragma once
// Where the menu engine (a later layer) plugs into the window system: the menu bar of a top-level window
// with a menu (height reserved in the frame, painting, clicks) and the keyboard entry into the bar
// (WM_SYSCOMMAND with SC_KEYMENU). Without an engine: the bar is SM_CYMENU high and painted plain.

#include <functional>

#include "platform/win/WinTypes.h"

namespace win {

struct MenuEngineHooks {
    std::function<int(HWND, HMENU)> BarHeight;
    std::function<void(HWND, HDC, const RECT&)> PaintBar; // RECT: the bar in window coordinates
    std::function<void(HWND, WPARAM key)> KeyMenu;        // key: 0 for Alt or F10 alone, else the character
    std::function<void(HWND, POINT screen)> BarClick;
    std::function<void(HWND)> CancelMode; // DefWindowProc(WM_CANCELMODE): ends the menu the window tracks
};

MenuEngineHooks& MenuEngine();

} // namespace win
