#pragma once
// Window shapes for the GTK backend: the window system's shape rectangles and the pixels a layered window
// leaves out (its colour key, or fully transparent pixels when no compositor can blend them) become one
// Cairo region, used for both the shape and the input shape of the window.

#include <cairo.h>
#include <gdk/gdk.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/rtl/Types.h"

namespace gtkbackend {

// Owns a cairo_region_t.
struct RegionDeleter {
    void operator()(cairo_region_t* r) const { cairo_region_destroy(r); }
};
using RegionPtr = std::unique_ptr<cairo_region_t, RegionDeleter>;

// The region of rectangles given in window coordinates (empty rectangles are skipped).
RegionPtr RegionFromRects(const std::vector<vcl::TRect>& rects);

// The pixels of an ARGB32 image that stay visible: those whose colour differs from colorKey (0x00BBGGRR;
// the alpha byte is not compared), and, when dropTransparent, whose alpha is not zero.
RegionPtr VisiblePixels(cairo_surface_t* image, std::optional<std::uint32_t> colorKey, bool dropTransparent);

// The window's final shape: shape (null = the whole window) cut by mask (null = nothing cut); null when
// neither is given, meaning "rectangular".
RegionPtr CombineShape(const cairo_region_t* shape, const cairo_region_t* mask, int width, int height);

// Gives a realized top-level window its shape for drawing and for input on the X server at once (null =
// rectangular). GDK sets the shape of a top-level window only once it is mapped; this one holds from the
// first pixel the window shows.
void SetServerShape(GdkWindow* window, const cairo_region_t* shape);

} // namespace gtkbackend
