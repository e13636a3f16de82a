// The imaging library is kept out of the test headers: its headers define macros that clash with
// the window system's names.

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdint>
#include <string>
#include <vector>

namespace graphics_test {

std::string MakePng(int width, int height, const std::vector<std::uint32_t>& pixels, const char* type) {
    bool jpeg = std::string(type) == "jpeg";
    GdkPixbuf* pb = gdk_pixbuf_new(GDK_COLORSPACE_RGB, !jpeg, 8, width, height);
    int stride = gdk_pixbuf_get_rowstride(pb);
    int channels = gdk_pixbuf_get_n_channels(pb);
    guchar* data = gdk_pixbuf_get_pixels(pb);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
            guchar* d = data + y * stride + x * channels;
            d[0] = static_cast<guchar>(p >> 16);
            d[1] = static_cast<guchar>(p >> 8);
            d[2] = static_cast<guchar>(p);
            if (!jpeg) d[3] = static_cast<guchar>(p >> 24);
        }
    gchar* buffer = nullptr;
    gsize size = 0;
    gdk_pixbuf_save_to_buffer(pb, &buffer, &size, type, nullptr, nullptr);
    std::string out(buffer != nullptr ? buffer : "", size);
    g_free(buffer);
    g_object_unref(pb);
    return out;
}

} // namespace graphics_test
