#include "platform/backend/gtk/GtkIcon.h"

namespace gtkbackend {

namespace {

// Premultiplied 0xAARRGGBB back to straight R, G, B, A bytes.
void Unpremultiply(std::uint32_t p, guchar* out) {
    unsigned a = p >> 24;
    for (int k = 0; k < 3; ++k) {
        unsigned c = (p >> (16 - 8 * k)) & 0xFF;
        out[k] = static_cast<guchar>(a ? std::min(255u, (c * 255 + a / 2) / a) : 0);
    }
    out[3] = static_cast<guchar>(a);
}

} // namespace

GList* PixbufList(const std::vector<backend::IconImage>& images) {
    GList* list = nullptr;
    for (const backend::IconImage& img : images) {
        if (img.Width <= 0 || img.Height <= 0 ||
            img.Pixels.size() != static_cast<std::size_t>(img.Width) * static_cast<std::size_t>(img.Height))
            continue;
        GdkPixbuf* pb = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, img.Width, img.Height);
        if (!pb) continue;
        guchar* px = gdk_pixbuf_get_pixels(pb);
        int stride = gdk_pixbuf_get_rowstride(pb);
        for (int y = 0; y < img.Height; ++y)
            for (int x = 0; x < img.Width; ++x)
                Unpremultiply(img.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(img.Width) +
                                         static_cast<std::size_t>(x)],
                              px + static_cast<std::ptrdiff_t>(y) * stride + x * 4);
        list = g_list_append(list, pb);
    }
    return list;
}

} // namespace gtkbackend
