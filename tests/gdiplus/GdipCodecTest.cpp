// Formats written by another codec library and read back through the flat interface: JPEG and ICO.

#include <cstdio>
#include <string>

#include "tests/gdiplus/GdipTestSupport.h"

// glib headers after ours: they define TRUE and FALSE as macros.
#include <gdk-pixbuf/gdk-pixbuf.h>

namespace gdiptest {
namespace {

// A 16 x 16 picture, left half red and right half blue, saved in the given format.
std::string Save(const char* type, const char* name) {
    GdkPixbuf* pb = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, 16, 16);
    guint8* px = gdk_pixbuf_get_pixels(pb);
    const int stride = gdk_pixbuf_get_rowstride(pb);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            guint8* p = px + y * stride + x * 4;
            p[0] = x < 8 ? 255 : 0;
            p[1] = 0;
            p[2] = x < 8 ? 0 : 255;
            p[3] = 255;
        }
    const std::string path = TempPath(name);
    GError* err = nullptr;
    const gboolean ok = gdk_pixbuf_save(pb, path.c_str(), type, &err, nullptr);
    EXPECT_TRUE(ok) << (err ? err->message : "");
    g_clear_error(&err);
    g_object_unref(pb);
    return path;
}

TEST(GdipCodecs, JpegAndIconAreReadWithTheirRawFormats) {
    struct Case {
        const char* type;
        const char* file;
        GUID format;
        PixelFormat pixels;
        int tolerance;
    } cases[] = {{"jpeg", "pic.jpg", ImageFormatJPEG, PixelFormat24bppRGB, 40},
                 {"ico", "pic.ico", ImageFormatIcon, PixelFormat32bppARGB, 0},
                 {"bmp", "pic.bmp", ImageFormatBMP, PixelFormat24bppRGB, 0},
                 {"png", "pic.png", ImageFormatPNG, PixelFormat32bppARGB, 0}};
    for (const Case& c : cases) {
        const std::string path = Save(c.type, c.file);
        GpImage* img = nullptr;
        ASSERT_EQ(GdipLoadImageFromFile(U16(path).c_str(), &img), Ok) << c.type;
        ImagePtr owner(img);
        GUID raw{};
        ASSERT_EQ(GdipGetImageRawFormat(img, &raw), Ok);
        EXPECT_EQ(raw, c.format) << c.type;
        PixelFormat pf = 0;
        ASSERT_EQ(GdipGetImagePixelFormat(img, &pf), Ok);
        EXPECT_EQ(pf, c.pixels) << c.type;
        UINT w = 0;
        ASSERT_EQ(GdipGetImageWidth(img, &w), Ok);
        EXPECT_EQ(w, 16u);
        ARGB left = 0, right = 0;
        ASSERT_EQ(GdipBitmapGetPixel(static_cast<GpBitmap*>(img), 2, 8, &left), Ok);
        ASSERT_EQ(GdipBitmapGetPixel(static_cast<GpBitmap*>(img), 13, 8, &right), Ok);
        EXPECT_TRUE(Near(R(left), 255, c.tolerance) && Near(B(left), 0, c.tolerance))
            << c.type << std::hex << left;
        EXPECT_TRUE(Near(B(right), 255, c.tolerance) && Near(R(right), 0, c.tolerance))
            << c.type << std::hex << right;
        std::remove(path.c_str());
    }
}

} // namespace
} // namespace gdiptest
