// A sample drawing written to PNG (for a look by eye), and icons drawn with their alpha.

#include <cstring>
#include <filesystem>

#include "tests/win/GdiTestSupport.h"

using namespace gditest;

namespace {

void DrawSample(HDC dc) {
    RECT all{0, 0, 320, 200};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge{8, 8, 150, 60};
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    LOGFONT lf{};
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    std::strncpy(lf.lfFaceName, "Tahoma", LF_FACESIZE - 1);
    HFONT font = CreateFontIndirect(&lf);
    lf.lfEscapement = 900;
    HFONT turned = CreateFontIndirect(&lf);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    DrawText(dc, "&File and R&&D", -1, &edge, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    RECT wrap{160, 8, 310, 90};
    DrawText(dc, "A longer caption that wraps over several lines of the box", -1, &wrap,
             DT_WORDBREAK | DT_CENTER);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 128));
    HBRUSH brush = CreateSolidBrush(RGB(255, 220, 120));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 8, 70, 60, 120);
    Ellipse(dc, 70, 70, 130, 120);
    RoundRect(dc, 140, 100, 220, 150, 12, 12);
    MoveToEx(dc, 8, 190, nullptr);
    LineTo(dc, 150, 130);
    TRIVERTEX v[2] = {{230, 100, 0xFF00, 0xFF00, 0xFF00, 0}, {310, 190, 0x3000, 0x6000, 0xC000, 0}};
    GRADIENT_RECT g{0, 1};
    GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
    SelectObject(dc, turned);
    TextOut(dc, 240, 185, "Turned", 6);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    for (HGDIOBJ o : std::initializer_list<HGDIOBJ>{font, turned, pen, brush})
        DeleteObject(o);
}

} // namespace

TEST(GdiSample, SampleDrawingIsWrittenToPng) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 320, 200);
    HDC dc = detail::CreateSurfaceDC(s, {0, 0}, nullptr, nullptr);
    DrawSample(dc);
    detail::DeleteSurfaceDC(dc);
    const auto path = std::filesystem::temp_directory_path() / "kalvenor-gdi-sample.png";
    ASSERT_EQ(cairo_surface_write_to_png(s, path.c_str()), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(s);
    cairo_surface_t* back = cairo_image_surface_create_from_png(path.c_str());
    EXPECT_EQ(cairo_surface_status(back), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(back), 320);
    EXPECT_EQ(cairo_image_surface_get_height(back), 200);
    cairo_surface_destroy(back);
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
