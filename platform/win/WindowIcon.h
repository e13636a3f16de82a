#pragma once
// Window icons: WM_SETICON's kinds, and the program's icon (the icon group resource "MAINICON" compiled
// into the program) that a top-level window without an icon of its own shows.

#include <vector>

#include "platform/rtl/Types.h"
#include "platform/win/Icon.h"

namespace backend {
struct IconImage;
}

namespace win {

// wParam of WM_SETICON and WM_GETICON.
constexpr WPARAM ICON_SMALL = 0;
constexpr WPARAM ICON_BIG = 1;
constexpr WPARAM ICON_SMALL2 = 2; // WM_GETICON: the small icon, else the big one

// The program's icon at the size nearest to size pixels (a shared handle, never destroyed), or null
// when the program has no "MAINICON" resource.
HICON ProgramIcon(int size);

// Every image of an icon file's bytes (PNG and 32-bit images; others are left out), largest first.
std::vector<backend::IconImage> IconImagesFromFile(const vcl::String& bytes);

} // namespace win
