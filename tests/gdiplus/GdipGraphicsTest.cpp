// Graphics: start-up, settings, drawing on a device context, and refusal of degenerate input.

#include <cairo.h>

#include <limits>

#include "platform/win/DCInternal.h"
#include "platform/win/GdiObject.h"
#include "platform/win/Region.h"
#include "tests/gdiplus/GdipTestSupport.h"

namespace gdiptest {
namespace {

TEST(GdipStartup, TokensVersionsAndCheckedSettings) {
    GdiplusStartupInput in;
    GdiplusStartupOutput out;
    ULONG_PTR t1 = 0, t2 = 0;
    ASSERT_EQ(GdiplusStartup(&t1, &in, &out), Ok);
    ASSERT_EQ(GdiplusStartup(&t2, &in, nullptr), Ok);
    EXPECT_NE(t1, 0u);
    EXPECT_NE(t1, t2);
    GdiplusShutdown(t2);
    GdiplusShutdown(t1);
    in.SuppressBackgroundThread = 1;
    EXPECT_EQ(GdiplusStartup(&t1, &in, nullptr), InvalidParameter); // the hooks must go somewhere
    ASSERT_EQ(GdiplusStartup(&t1, &in, &out), Ok);
    ASSERT_NE(out.NotificationHook, nullptr);
    ULONG_PTR hook = 0;
    EXPECT_EQ(out.NotificationHook(&hook), Ok);
    out.NotificationUnhook(hook);
    GdiplusShutdown(t1);
    in.GdiplusVersion = 3;
    EXPECT_EQ(GdiplusStartup(&t1, &in, &out), UnsupportedGdiplusVersion);
    EXPECT_EQ(GdiplusStartup(nullptr, &in, &out), InvalidParameter);
    void* p = GdipAlloc(24);
    ASSERT_NE(p, nullptr);
    GdipFree(p);
    GdipFree(nullptr);
    Canvas c(4, 4);
    ASSERT_EQ(GdipSetTextRenderingHint(c.g(), TextRenderingHintClearTypeGridFit), Ok);
    TextRenderingHint hint = TextRenderingHintSystemDefault;
    ASSERT_EQ(GdipGetTextRenderingHint(c.g(), &hint), Ok);
    EXPECT_EQ(hint, TextRenderingHintClearTypeGridFit);
    EXPECT_EQ(GdipSetTextRenderingHint(c.g(), static_cast<TextRenderingHint>(6)), InvalidParameter);
    ASSERT_EQ(GdipSetSmoothingMode(c.g(), SmoothingModeAntiAlias), Ok);
    SmoothingMode sm = SmoothingModeNone;
    ASSERT_EQ(GdipGetSmoothingMode(c.g(), &sm), Ok);
    EXPECT_EQ(sm, SmoothingModeAntiAlias);
    EXPECT_EQ(GdipSetSmoothingMode(c.g(), SmoothingModeInvalid), InvalidParameter);
    ASSERT_EQ(GdipSetCompositingQuality(c.g(), CompositingQualityHighQuality), Ok);
    CompositingQuality q = CompositingQualityDefault;
    ASSERT_EQ(GdipGetCompositingQuality(c.g(), &q), Ok);
    EXPECT_EQ(q, CompositingQualityHighQuality);
    EXPECT_EQ(GdipGetSmoothingMode(nullptr, &sm), InvalidParameter);
    EXPECT_EQ(GdipFlush(c.g(), FlushIntentionSync), Ok);
    EXPECT_EQ(GdipDeleteGraphics(nullptr), InvalidParameter);
}

TEST(GdipGraphics, DegenerateDrawingIsRefusedOrEmptyAndDrawsNothing) {
    Canvas c(20, 20);
    BrushPtr red = Solid(kRed);
    PenPtr pen = Pen(kRed, 1);
    PathPtr empty = NewPath();
    const REAL nan = std::numeric_limits<REAL>::quiet_NaN(), inf = std::numeric_limits<REAL>::infinity();
    // Refused: missing objects, NaN, infinite or huge coordinates.
    EXPECT_EQ(GdipFillRectangle(nullptr, red.get(), 0, 0, 5, 5), InvalidParameter);
    EXPECT_EQ(GdipFillRectangle(c.g(), nullptr, 0, 0, 5, 5), InvalidParameter);
    EXPECT_EQ(GdipFillRectangle(c.g(), red.get(), nan, 0, 5, 5), InvalidParameter);
    EXPECT_EQ(GdipFillRectangle(c.g(), red.get(), 0, 0, inf, 5), InvalidParameter);
    EXPECT_EQ(GdipFillRectangle(c.g(), red.get(), 0, 0, 5, 3e38f), InvalidParameter);
    EXPECT_EQ(GdipDrawRectangle(c.g(), nullptr, 0, 0, 5, 5), InvalidParameter);
    EXPECT_EQ(GdipDrawRectangle(c.g(), pen.get(), 0, -inf, 5, 5), InvalidParameter);
    EXPECT_EQ(GdipDrawLine(c.g(), pen.get(), 0, 0, nan, 1), InvalidParameter);
    EXPECT_EQ(GdipFillPath(c.g(), red.get(), nullptr), InvalidParameter);
    EXPECT_EQ(GdipDrawPath(c.g(), nullptr, empty.get()), InvalidParameter);
    EXPECT_EQ(GdipDrawImageRect(c.g(), nullptr, 0, 0, 5, 5), InvalidParameter);
    // Empty geometry: nothing to draw, as GDI+ answers.
    EXPECT_EQ(GdipFillRectangle(c.g(), red.get(), 5, 5, 0, 5), Ok);
    EXPECT_EQ(GdipFillRectangle(c.g(), red.get(), 5, 5, -4, 5), Ok);
    EXPECT_EQ(GdipFillPath(c.g(), red.get(), empty.get()), Ok);
    EXPECT_EQ(GdipDrawPath(c.g(), pen.get(), empty.get()), Ok);
    EXPECT_TRUE(c.Untouched());
    // Vanishingly small shapes, images and text draw nothing visible and do not upset the context.
    GpBitmap* img = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppRGB, nullptr, &img), Ok);
    ImagePtr imgOwner(img);
    EXPECT_EQ(GdipDrawImageRect(c.g(), img, 3, 3, 1e-20f, 5), Ok);
    PathPtr dot = NewPath();
    ASSERT_EQ(GdipAddPathEllipse(dot.get(), 8, 8, 1e-20f, 1e-20f), Ok);
    GpPathGradient* pg = nullptr;
    ASSERT_EQ(GdipCreatePathGradientFromPath(dot.get(), &pg), Ok);
    BrushPtr pgOwner(pg);
    EXPECT_EQ(GdipFillPath(c.g(), pg, dot.get()), Ok);
    FontPtr tiny = MakeFont(u"Arial", 1e-20f);
    const GpRectF box{0, 0, 20, 20};
    EXPECT_EQ(GdipDrawString(c.g(), u"x", 1, tiny.get(), &box, nullptr, red.get()), Ok);
    EXPECT_TRUE(c.Untouched());
    // The graphics is still good afterwards.
    EXPECT_EQ(GdipFillRectangleI(c.g(), red.get(), 0, 0, 5, 5), Ok);
    EXPECT_EQ(c.At(4, 4), kRed);
    EXPECT_EQ(c.At(5, 5), kWhite);
}

// A pixel of an image surface, as stored.
std::uint32_t SurfacePixel(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    const unsigned char* d = cairo_image_surface_get_data(s);
    return *reinterpret_cast<const std::uint32_t*>(d + y * cairo_image_surface_get_stride(s) + x * 4);
}

TEST(GdipGraphics, DrawsOnADeviceContextWithItsOriginAndInsideItsClipAndLendsOne) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 40, 40);
    HDC dc = win::detail::CreateSurfaceDC(surface, win::POINT{10, 5}, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    GpGraphics* g = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(dc, &g), Ok);
    BrushPtr red = Solid(kRed);
    ASSERT_EQ(GdipFillRectangle(g, red.get(), 0, 0, 4, 4), Ok);
    GdipFlush(g, FlushIntentionFlush);
    EXPECT_EQ(SurfacePixel(surface, 10, 5), kRed); // logical (0,0) lies at the DC's origin
    EXPECT_EQ(SurfacePixel(surface, 13, 8), kRed);
    EXPECT_EQ(SurfacePixel(surface, 14, 8), 0u);
    EXPECT_EQ(SurfacePixel(surface, 9, 5), 0u);
    // While the DC is handed out, the graphics is busy.
    HDC out = nullptr;
    ASSERT_EQ(GdipGetDC(g, &out), Ok);
    EXPECT_EQ(out, dc);
    EXPECT_EQ(GdipFillRectangle(g, red.get(), 0, 0, 1, 1), ObjectBusy);
    EXPECT_EQ(GdipGetDC(g, &out), ObjectBusy);
    EXPECT_EQ(GdipReleaseDC(g, nullptr), InvalidParameter);
    ASSERT_EQ(GdipReleaseDC(g, out), Ok);
    EXPECT_EQ(GdipFillRectangle(g, red.get(), 0, 0, 1, 1), Ok);
    GdipDeleteGraphics(g);
    win::detail::DeleteSurfaceDC(dc);
    EXPECT_EQ(GdipCreateFromHDC(nullptr, &g), OutOfMemory);
    // Our own clip combines with the DC's: only columns 5 to 11 are drawn.
    win::HRGN clip = win::CreateRectRgn(0, 20, 12, 40);
    dc = win::detail::CreateSurfaceDC(surface, win::POINT{0, 0}, clip, nullptr);
    win::DeleteObject(clip);
    ASSERT_EQ(GdipCreateFromHDC(dc, &g), Ok);
    ASSERT_EQ(GdipSetClipRect(g, 5, 0, 30, 40, CombineModeReplace), Ok);
    ASSERT_EQ(GdipFillRectangle(g, red.get(), 0, 0, 40, 40), Ok);
    GdipDeleteGraphics(g);
    EXPECT_EQ(SurfacePixel(surface, 4, 30), 0u);
    EXPECT_EQ(SurfacePixel(surface, 5, 30), kRed);
    EXPECT_EQ(SurfacePixel(surface, 11, 30), kRed);
    EXPECT_EQ(SurfacePixel(surface, 12, 30), 0u);
    win::detail::DeleteSurfaceDC(dc);
    cairo_surface_destroy(surface);
    Canvas c(10, 10);
    HDC dc2 = nullptr;
    ASSERT_EQ(GdipGetDC(c.g(), &dc2), Ok);
    ASSERT_NE(dc2, nullptr);
    EXPECT_NE(win::detail::GetDCSurface(dc2), nullptr);
    ASSERT_EQ(GdipReleaseDC(c.g(), dc2), Ok);
    // Deleting a graphics with a DC still out frees the DC too.
    ASSERT_EQ(GdipGetDC(c.g(), &dc2), Ok);
    GdipReleaseDC(c.g(), dc2);
}

} // namespace
} // namespace gdiptest
