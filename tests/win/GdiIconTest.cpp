// Icons drawn from a mask and colour bitmap, stretched, copied, and with their alpha.

#include "tests/win/GdiTestSupport.h"

using namespace gditest;

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
