// Screen read-back for the end-to-end tests.

#include "GtkScreenGrab.h"

#include <gtk/gtk.h>

namespace gtktest {

namespace {

GdkPixbuf* Grab(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return nullptr;
    return gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, w, h);
}

} // namespace

std::vector<std::uint32_t> ScreenPixels(int x, int y, int w, int h) {
    std::vector<std::uint32_t> out;
    GdkPixbuf* pb = Grab(x, y, w, h);
    if (!pb) return out;
    const guchar* data = gdk_pixbuf_read_pixels(pb);
    int stride = gdk_pixbuf_get_rowstride(pb), channels = gdk_pixbuf_get_n_channels(pb);
    int pw = gdk_pixbuf_get_width(pb), ph = gdk_pixbuf_get_height(pb);
    out.reserve(static_cast<std::size_t>(pw) * static_cast<std::size_t>(ph));
    for (int row = 0; row < ph; ++row)
        for (int col = 0; col < pw; ++col) {
            const guchar* p = data + row * stride + col * channels;
            out.push_back((std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2]);
        }
    g_object_unref(pb);
    return out;
}

bool WriteScreenPng(int x, int y, int w, int h, const std::string& path) {
    GdkPixbuf* pb = Grab(x, y, w, h);
    if (!pb) return false;
    GError* error = nullptr;
    bool ok = gdk_pixbuf_save(pb, path.c_str(), "png", &error, nullptr);
    if (error) g_error_free(error);
    g_object_unref(pb);
    return ok;
}

} // namespace gtktest
