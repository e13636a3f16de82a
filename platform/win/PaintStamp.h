#pragma once
// Paint stamps, our own addition to the window system: a value per window that changes whenever anything
// invalidates the window (any part of it), so that a picture kept of what the window paints knows
// whether it still holds. Stamps are never handed out twice, whichever window they go to.

#include <cstdint>

#include "platform/win/WinTypes.h"

namespace win {

// The window's current stamp; 0 for no window.
std::uint64_t GetWindowPaintStamp(HWND hWnd);

} // namespace win
