// The system menu tracked for its window: its items enabled as the window's state allows.

#include "platform/win/MenuInternal.h"

namespace win {
namespace {

void EnableSystemItems(HMENU menu, HWND wnd) {
    const DWORD style = static_cast<DWORD>(GetWindowLong(wnd, GWL_STYLE));
    const bool minimised = style & WS_MINIMIZE, maximised = style & WS_MAXIMIZE;
    auto enable = [menu](WPARAM command, bool on) {
        EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, minimised || maximised);
    // A minimised window is not on the screen to be moved or sized (SC_MOVE and SC_SIZE refuse it).
    enable(SC_MOVE, !minimised && !maximised);
    enable(SC_SIZE, !minimised && !maximised && (style & WS_THICKFRAME));
    enable(SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !minimised);
    enable(SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !maximised);
    // Close is left as the program set it, unless the class has none.
    if (GetClassLong(wnd, GCL_STYLE) & CS_NOCLOSE) enable(SC_CLOSE, false);
}

} // namespace

BOOL TrackSystemMenu(HWND wnd, POINT screen, UINT flags, bool fromKeyboard) {
    HMENU menu = GetSystemMenu(wnd, FALSE);
    if (!menu) return FALSE;
    EnableSystemItems(menu, wnd);
    return menu::TrackPopup(menu, flags, screen.X, screen.Y, wnd, nullptr,
                            menu::PopupStart{.ByKey = fromKeyboard, .System = true});
}

} // namespace win
