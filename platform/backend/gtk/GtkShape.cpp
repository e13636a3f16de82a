// Shape and mask regions.

#include "platform/backend/gtk/GtkShape.h"

#include <vector>

// Last: X11's macros would clash with names in the headers above.
#include <X11/extensions/shape.h>
#include <gdk/gdkx.h>

namespace gtkbackend {

RegionPtr RegionFromRects(const std::vector<vcl::TRect>& rects) {
    std::vector<cairo_rectangle_int_t> list;
    list.reserve(rects.size());
    for (const vcl::TRect& r : rects)
        if (r.Right > r.Left && r.Bottom > r.Top)
            list.push_back({r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top});
    return RegionPtr(cairo_region_create_rectangles(list.data(), static_cast<int>(list.size())));
}

RegionPtr VisiblePixels(cairo_surface_t* image, std::optional<std::uint32_t> colorKey, bool dropTransparent) {
    cairo_surface_flush(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    int stride = cairo_image_surface_get_stride(image);
    std::vector<cairo_rectangle_int_t> runs;
    if (!data || cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32)
        return RegionPtr(cairo_region_create_rectangles(runs.data(), 0));
    // The key in the image's native pixel order (0xAARRGGBB).
    std::uint32_t key = 0;
    if (colorKey) key = ((*colorKey & 0xFF) << 16) | (*colorKey & 0xFF00) | ((*colorKey >> 16) & 0xFF);
    for (int y = 0; y < h; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        int start = -1;
        for (int x = 0; x <= w; ++x) {
            bool keep = false;
            if (x < w) {
                std::uint32_t p = row[x];
                keep = !(colorKey && (p & 0xFFFFFF) == key) && !(dropTransparent && (p >> 24) == 0);
            }
            if (keep && start < 0) start = x;
            if (!keep && start >= 0) {
                runs.push_back({start, y, x - start, 1});
                start = -1;
            }
        }
    }
    return RegionPtr(cairo_region_create_rectangles(runs.data(), static_cast<int>(runs.size())));
}

RegionPtr CombineShape(const cairo_region_t* shape, const cairo_region_t* mask, int width, int height) {
    if (!shape && !mask) return nullptr;
    cairo_rectangle_int_t all{0, 0, width, height};
    RegionPtr out(shape ? cairo_region_copy(shape) : cairo_region_create_rectangle(&all));
    if (mask) cairo_region_intersect(out.get(), mask);
    return out;
}

void SetServerShape(GdkWindow* window, const cairo_region_t* shape) {
    if (!window || !GDK_IS_X11_WINDOW(window)) return;
    Display* dpy = GDK_WINDOW_XDISPLAY(window);
    Window xid = GDK_WINDOW_XID(window);
    if (!shape) {
        XShapeCombineMask(dpy, xid, ShapeBounding, 0, 0, 0, ShapeSet);
        XShapeCombineMask(dpy, xid, ShapeInput, 0, 0, 0, ShapeSet);
        return;
    }
    std::vector<XRectangle> rects;
    for (int i = 0, n = cairo_region_num_rectangles(shape); i < n; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(shape, i, &r);
        rects.push_back(XRectangle{static_cast<short>(r.x), static_cast<short>(r.y),
                                   static_cast<unsigned short>(r.width),
                                   static_cast<unsigned short>(r.height)});
    }
    // Cairo's rectangles come in bands, top to bottom and left to right within a band.
    for (int kind : {ShapeBounding, ShapeInput})
        XShapeCombineRectangles(dpy, xid, kind, 0, 0, rects.data(), static_cast<int>(rects.size()), ShapeSet,
                                YXBanded);
}

} // namespace gtkbackend
