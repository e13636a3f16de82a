#pragma once
// The window system's and the GDI+ layer's door into device contexts: a DC over a Cairo surface.

#include <cairo.h>

#include "platform/win/WinTypes.h"

namespace win::detail {

// Creates a device context drawing into surface (an ARGB32 or RGB24 image surface; referenced while the
// DC lives). origin: where the DC's logical (0,0) lies on the surface. clip: a region in surface
// coordinates (copied; nullptr = the whole surface); it limits everything drawn, and the DC's own clip
// (SelectClipRgn ...) is intersected with it. window: the window the DC belongs to (WindowFromDC), or
// nullptr.
HDC CreateSurfaceDC(cairo_surface_t* surface, POINT origin, HRGN clip, HWND window);
// Frees a DC made by CreateSurfaceDC (objects selected into it are released, not freed).
void DeleteSurfaceDC(HDC dc);
// A Cairo context with the DC's current origin (device origin plus viewport and window origins) and clip
// (system clip and DC clip) applied, for the GDI+ layer, which draws into the same surface. The context is
// owned by the DC and valid until the DC is freed; each call resets its matrix, clip and source to the
// DC's current state (other state, such as antialiasing, is the caller's). Returns nullptr for an
// invalid DC.
cairo_t* GetDCCairo(HDC dc);
// The surface the DC draws into (a memory DC: its selected bitmap's surface), or nullptr.
cairo_surface_t* GetDCSurface(HDC dc);
HWND GetDCWindow(HDC dc);

} // namespace win::detail
