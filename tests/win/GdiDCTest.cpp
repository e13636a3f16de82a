// Device contexts: selected objects, saved states, origins, clipping, and DCs over window surfaces; icons.

#include "platform/win/Metrics.h"
#include "tests/win/GdiTestSupport.h"

using namespace gditest;

TEST(GdiObjects, SelectObjectAndGetObjectAndSelectedOrStockObjectsSurviveDeletion) {
    Canvas c(4, 4);
    HPEN pen = CreatePen(PS_SOLID, 1, Red);
    HGDIOBJ old = SelectObject(c.dc, pen);
    EXPECT_EQ(old, GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), pen);
    EXPECT_EQ(SelectObject(c.dc, old), pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), OBJ_BRUSH);
    EXPECT_EQ(SelectObject(c.dc, nullptr), nullptr);
    EXPECT_EQ(SelectObject(nullptr, GetStockObject(BLACK_PEN)), nullptr);
    // A selected object cannot be deleted.
    HBRUSH b = CreateSolidBrush(Red);
    old = SelectObject(c.dc, b);
    EXPECT_FALSE(DeleteObject(b));
    Rectangle(c.dc, 0, 0, 4, 4); // still usable
    EXPECT_EQ(c.At(1, 1), Red);
    // A saved state holds its objects too.
    SaveDC(c.dc);
    SelectObject(c.dc, old);
    EXPECT_FALSE(DeleteObject(b));
    RestoreDC(c.dc, -1);
    EXPECT_EQ(SelectObject(c.dc, old), b);
    EXPECT_TRUE(DeleteObject(b));
    HPEN pen2 = CreatePen(PS_DASH, 1, Red);
    LOGPEN lp{};
    EXPECT_EQ(GetObject(pen2, sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, PS_DASH);
    EXPECT_EQ(lp.lopnColor, Red);
    DeleteObject(pen2);
    HBRUSH brush = CreateHatchBrush(HS_CROSS, Red);
    LOGBRUSH lb{};
    GetObject(brush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, BS_HATCHED);
    EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
    DeleteObject(brush);
    HBITMAP bm = CreateBitmap(7, 5, 1, 1, nullptr);
    BITMAP info{};
    EXPECT_EQ(GetObject(bm, sizeof info, nullptr), static_cast<int>(sizeof info));
    GetObject(bm, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 5);
    EXPECT_EQ(info.bmBitsPixel, 1);
    DeleteObject(bm);
}

TEST(GdiObjects, ABitmapGoesIntoOneMemoryDCAtATimeAndAFreshDCsCompatibleBitmapIsMonochrome) {
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateBitmap(4, 4, 1, 32, nullptr);
    HGDIOBJ oldA = SelectObject(a, bm);
    EXPECT_NE(oldA, nullptr);
    EXPECT_EQ(SelectObject(b, bm), nullptr);
    SelectObject(a, oldA);
    HGDIOBJ oldB = SelectObject(b, bm);
    EXPECT_NE(oldB, nullptr);
    SelectObject(b, oldB);
    DeleteObject(bm);
    DeleteDC(b);
    HDC dc = a;
    HBITMAP mono = CreateCompatibleBitmap(dc, 4, 4);
    BITMAP info{};
    GetObject(mono, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    HGDIOBJ old = SelectObject(dc, mono);
    SetPixel(dc, 0, 0, RGB(200, 200, 200));
    SetPixel(dc, 1, 0, RGB(60, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 0), White);
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteObject(mono);
    DeleteDC(dc);
}

TEST(GdiSaveRestore, RestoreDCBringsBackObjectsColoursAndClipAndDropsNewerLevels) {
    Canvas c(10, 10);
    HPEN pen = CreatePen(PS_SOLID, 1, Red);
    const int level = SaveDC(c.dc);
    EXPECT_EQ(level, 1);
    SelectObject(c.dc, pen);
    SetTextColor(c.dc, Red);
    IntersectClipRect(c.dc, 0, 0, 2, 2);
    EXPECT_EQ(SaveDC(c.dc), 2);
    SetBkMode(c.dc, TRANSPARENT);
    EXPECT_TRUE(RestoreDC(c.dc, -1));
    EXPECT_EQ(GetBkMode(c.dc), OPAQUE);
    EXPECT_EQ(GetTextColor(c.dc), Red);
    EXPECT_TRUE(RestoreDC(c.dc, level));
    EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetTextColor(c.dc), RGB(0, 0, 0));
    RECT box{};
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 10, 10}));
    EXPECT_FALSE(RestoreDC(c.dc, 1)); // nothing saved any more
    EXPECT_FALSE(RestoreDC(c.dc, -1));
    DeleteObject(pen);
    // Restoring an older level drops the newer ones.
    SaveDC(c.dc);
    SetBkColor(c.dc, Red);
    SaveDC(c.dc);
    SaveDC(c.dc);
    EXPECT_TRUE(RestoreDC(c.dc, 1));
    EXPECT_EQ(GetBkColor(c.dc), White);
    EXPECT_EQ(SaveDC(c.dc), 1);
    RestoreDC(c.dc, 1);
}

TEST(GdiCoordinates, OriginsShiftDrawingOnMemoryAndWindowSurfacesWithTheirSystemClip) {
    Canvas c(20, 20);
    POINT old{1, 1};
    EXPECT_TRUE(SetViewportOrgEx(c.dc, 5, 6, &old));
    EXPECT_EQ(old, (POINT{0, 0}));
    Fill(c.dc, {0, 0, 2, 2}, Red);
    EXPECT_EQ(c.At(5, 6), Red);
    EXPECT_EQ(c.At(0, 0), White);
    OffsetViewportOrgEx(c.dc, 1, 1, nullptr);
    POINT vp{};
    GetViewportOrgEx(c.dc, &vp);
    EXPECT_EQ(vp, (POINT{6, 7}));
    SetWindowOrgEx(c.dc, 6, 7, nullptr); // logical (6,7) now lands on device (6,7) - (6,7) + (6,7)
    POINT p{6, 7};
    LPtoDP(c.dc, &p, 1);
    EXPECT_EQ(p, (POINT{6, 7}));
    EXPECT_EQ(GetPixel(c.dc, 5, 6), Red); // through the DC: logical (5,6) is device (5,6) again
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    SetWindowOrgEx(c.dc, 0, 0, nullptr);
    Canvas c2(4, 4);
    EXPECT_EQ(GetDeviceCaps(c2.dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(c2.dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(c2.dc, BITSPIXEL), 32);
    // A memory DC reports the primary screen's size, as the window system sees it.
    EXPECT_EQ(GetDeviceCaps(c2.dc, HORZRES), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(GetDeviceCaps(c2.dc, VERTRES), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 40, 30);
    HRGN sys = CreateRectRgn(10, 10, 30, 20);
    HDC dc = detail::CreateSurfaceDC(s, {10, 5}, sys, nullptr);
    DeleteObject(sys); // copied
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(detail::GetDCSurface(dc), s);
    Fill(dc, {0, 0, 40, 30}, Red);
    EXPECT_EQ(GetPixel(dc, 0, 5), Red);         // surface (10,10)
    EXPECT_EQ(GetPixel(dc, 0, 4), CLR_INVALID); // above the system clip
    // The DC's own clip is intersected with the system clip.
    IntersectClipRect(dc, 0, 0, 5, 100);
    RECT box{};
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (RECT{0, 5, 5, 15}));
    cairo_surface_flush(s);
    const auto* data = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(s));
    const int stride = cairo_image_surface_get_stride(s) / 4;
    EXPECT_EQ(data[10 * stride + 10], 0xFFFF0000u);
    EXPECT_EQ(data[9 * stride + 10], 0u);
    EXPECT_EQ(data[10 * stride + 30], 0u);
    detail::DeleteSurfaceDC(dc);
    cairo_surface_destroy(s);
    // The cairo context carries the origin and clip.
    s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 20, 20);
    dc = detail::CreateSurfaceDC(s, {4, 4}, nullptr, nullptr);
    IntersectClipRect(dc, 0, 0, 3, 3);
    cairo_t* cr = detail::GetDCCairo(dc);
    ASSERT_NE(cr, nullptr);
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_paint(cr);
    cairo_restore(cr);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(0, 0, 255));
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 3, 3), 0u); // left untouched (transparent black)
    detail::DeleteSurfaceDC(dc);
    cairo_surface_destroy(s);
}

TEST(GdiClipping, ClipsCombineWithTheCurrentClipAndSelectClipRgnCopiesTheRegionInDeviceCoordinates) {
    Canvas c(20, 20);
    EXPECT_EQ(IntersectClipRect(c.dc, 2, 2, 12, 12), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(c.dc, 4, 4, 6, 6), COMPLEXREGION);
    Fill(c.dc, {0, 0, 20, 20}, Red);
    EXPECT_EQ(c.Inked({0, 0, 20, 20}), 100 - 4);
    EXPECT_FALSE(PtVisible(c.dc, 5, 5));
    EXPECT_TRUE(PtVisible(c.dc, 3, 3));
    const RECT hidden{4, 4, 6, 6}, shown{0, 0, 3, 3};
    EXPECT_FALSE(RectVisible(c.dc, &hidden));
    EXPECT_TRUE(RectVisible(c.dc, &shown));
    RECT box{};
    GetClipBox(c.dc, &box);
    EXPECT_EQ(box, (RECT{2, 2, 12, 12}));
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 20, 20}));
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    SelectClipRgn(c.dc, a);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtVisible(c.dc, 14, 14));
    EXPECT_EQ(ExtSelectClipRgn(c.dc, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(PtVisible(c.dc, 7, 7));
    EXPECT_TRUE(PtVisible(c.dc, 2, 2));
    EXPECT_EQ(ExtSelectClipRgn(c.dc, nullptr, RGN_AND), ERROR);
    DeleteObject(a);
    DeleteObject(b);
    Canvas c2(20, 20);
    HRGN r = CreateEllipticRgn(0, 0, 10, 10);
    EXPECT_EQ(SelectClipRgn(c2.dc, r), COMPLEXREGION);
    OffsetRgn(r, 10, 10);                   // the DC keeps its own copy
    SetViewportOrgEx(c2.dc, 3, 0, nullptr); // the clip does not move with the origin
    Fill(c2.dc, {-3, 0, 17, 20}, Red);
    EXPECT_EQ(c2.At(0, 0), White);
    EXPECT_EQ(c2.At(5, 5), Red);
    EXPECT_EQ(c2.At(15, 15), White);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(c2.dc, copy), 1);
    HRGN expected = CreateEllipticRgn(0, 0, 10, 10);
    EXPECT_TRUE(EqualRgn(copy, expected));
    SelectClipRgn(c2.dc, nullptr);
    EXPECT_EQ(GetClipRgn(c2.dc, copy), 0);
    // Selecting a region as an object does the same and answers its kind.
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(SelectObject(c2.dc, expected)), COMPLEXREGION);
    EXPECT_FALSE(PtVisible(c2.dc, -3, 0));
    for (HRGN h : {r, copy, expected})
        DeleteObject(h);
}

TEST(GdiClipping, ShapesOutsideTheClipDrawNothingAndDashesRunOnOverTheirPart) {
    // The clip: a 40 by 40 surface with a hole at (10, 10)..(30, 30).
    Canvas clipped(40, 40), plain(40, 40);
    ExcludeClipRect(clipped.dc, 10, 10, 30, 30);
    for (Canvas* c : {&clipped, &plain}) {
        HPEN dash = CreatePen(PS_DASH, 1, Red);
        HGDIOBJ old = SelectObject(c->dc, dash);
        // The first segment lies wholly in the hole: the dashes of the second start where they would have.
        const POINT pts[3] = {{12, 15}, {28, 15}, {28, 5}};
        Polyline(c->dc, pts, 3);
        const POINT row[3] = {{12, 20}, {28, 20}, {2, 35}};
        Polyline(c->dc, row, 3);
        SelectObject(c->dc, old);
        DeleteObject(dash);
        HPEN solid = CreatePen(PS_SOLID, 1, Blue);
        old = SelectObject(c->dc, solid);
        HGDIOBJ oldBrush = SelectObject(c->dc, GetStockObject(NULL_BRUSH)); // outlines only
        RoundRect(c->dc, 14, 14, 26, 26, 4, 4);                             // in the hole
        RoundRect(c->dc, 5, 5, 35, 35, 8, 8);                               // around it
        SelectObject(c->dc, oldBrush);
        SelectObject(c->dc, old);
        DeleteObject(solid);
    }
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool hole = x >= 10 && x < 30 && y >= 10 && y < 30;
            ASSERT_EQ(clipped.At(x, y), hole ? White : plain.At(x, y)) << "at " << x << "," << y;
        }
    EXPECT_NE(plain.Column(28, Red, 6, 10).find('#'), std::string::npos) << "the probe needs dashes there";
    // Rectangles meet the clip with their inside only, either way round.
    const RECT inside{12, 12, 28, 28}, edge{30, 12, 30, 28}, reversed{35, 35, 25, 25};
    EXPECT_FALSE(RectVisible(clipped.dc, &inside));
    EXPECT_FALSE(RectVisible(clipped.dc, &edge));
    EXPECT_TRUE(RectVisible(clipped.dc, &reversed));
}

TEST(GdiIcons, AMaskedIconDrawsOnlyItsOpaquePartAndAnAlphaIconBlends) {
    HBITMAP color = CreateBitmap(2, 1, 1, 32, nullptr);
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, color);
    SetPixel(dc, 0, 0, RGB(255, 0, 0));
    SetPixel(dc, 1, 0, RGB(0, 255, 0));
    SelectObject(dc, mask);
    SetPixel(dc, 0, 0, RGB(0, 0, 0));       // opaque
    SetPixel(dc, 1, 0, RGB(255, 255, 255)); // transparent
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO ii{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(color); // copied
    DeleteObject(mask);
    ASSERT_NE(icon, nullptr);
    Canvas c(6, 2);
    ASSERT_TRUE(DrawIconEx(c.dc, 1, 0, icon, 4, 2, 0, nullptr, DI_NORMAL)); // stretched to 4 by 2
    EXPECT_EQ(c.Row(1, RGB(255, 0, 0)), ".##...");
    ICONINFO back{};
    ASSERT_TRUE(GetIconInfo(icon, &back));
    BITMAP bm{};
    GetObject(back.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 2);
    DeleteObject(back.hbmColor);
    DeleteObject(back.hbmMask);
    HICON copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 4, 4, 0));
    EXPECT_EQ(copy->Width, 4);
    EXPECT_TRUE(DestroyIcon(copy));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    // An icon with alpha blends with the background.
    const std::uint32_t px[1] = {0x80800000}; // half-transparent red, premultiplied
    icon = detail::CreateIconFromPixels(1, 1, px, true, {0, 0});
    Canvas c2(1, 1);
    Fill(c2.dc, {0, 0, 1, 1}, RGB(0, 0, 200));
    DrawIconEx(c2.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_NEAR(GetRValue(c2.At(0, 0)), 128, 1);
    EXPECT_NEAR(GetBValue(c2.At(0, 0)), 100, 1);
    DestroyIcon(icon);
}
