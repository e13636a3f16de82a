// Layered windows and window regions on the composed screen: constant alpha, colour keys, per-pixel alpha.

#include "tests/support/ColorMatch.h"
#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

// Paints each window's client area in the colour kept in its user data.
class Layered : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        Override() = [](HWND h, UINT m, WPARAM, LPARAM, LRESULT* r) {
            if (m != WM_PAINT) return false;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtr(h, GWLP_USERDATA)));
            RECT c;
            GetClientRect(h, &c);
            FillRect(dc, &c, b);
            DeleteObject(b);
            EndPaint(h, &ps);
            *r = 0;
            return true;
        };
    }
    HWND Painted(int x, int y, int cx, int cy, COLORREF color, DWORD ex = 0) {
        HWND h = Top(x, y, cx, cy, WS_POPUP, ex);
        SetWindowLongPtr(h, GWLP_USERDATA, static_cast<LONG_PTR>(color));
        ShowWindow(h, SW_SHOWNA);
        return h;
    }
};

TEST_F(Layered, ConstantAlphaBlendsWithTheWindowBelow) {
    Painted(0, 0, 300, 300, RGB(0, 0, 255));
    HWND glass = Painted(100, 100, 100, 100, RGB(255, 0, 0), WS_EX_LAYERED);
    EXPECT_TRUE(SetLayeredWindowAttributes(glass, 0, 128, LWA_ALPHA));
    Pump();
    EXPECT_THAT(screen->ScreenPixel(150, 150), colortest::IsColorNear(RGB(128, 0, 127), 1));
    EXPECT_THAT(screen->ScreenPixel(50, 50), colortest::IsColorNear(RGB(0, 0, 255), 1));
    COLORREF key;
    BYTE alpha;
    DWORD flags;
    EXPECT_TRUE(GetLayeredWindowAttributes(glass, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, LWA_ALPHA);
    // The attributes need the layered style.
    HWND plain = Painted(0, 0, 10, 10, 0);
    EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 10, LWA_ALPHA));
    // Leaving the layered style drops the attributes: the window is opaque again.
    SetWindowLongPtr(glass, GWL_EXSTYLE, 0);
    EXPECT_THAT(screen->ScreenPixel(150, 150), colortest::IsColorNear(RGB(255, 0, 0), 1));
}

TEST_F(Layered, ColourKeyAndWindowRegionLetTheBackgroundThrough) {
    Painted(0, 0, 300, 300, RGB(0, 255, 0));
    HWND keyed = Painted(0, 0, 100, 100, RGB(255, 0, 255), WS_EX_LAYERED);
    SetLayeredWindowAttributes(keyed, RGB(255, 0, 255), 255, LWA_COLORKEY);
    HWND shaped = Painted(150, 150, 100, 100, RGB(255, 255, 0));
    SetWindowRgn(shaped, CreateRectRgn(0, 0, 50, 100), TRUE);
    Pump();
    EXPECT_THAT(screen->ScreenPixel(50, 50), colortest::IsColorNear(RGB(0, 255, 0), 1)); // keyed away
    EXPECT_THAT(screen->ScreenPixel(160, 160),
                colortest::IsColorNear(RGB(255, 255, 0), 1)); // inside the region
    EXPECT_THAT(screen->ScreenPixel(220, 160), colortest::IsColorNear(RGB(0, 255, 0), 1)); // outside it
}

TEST_F(Layered, UpdateLayeredWindowUsesPerPixelAlpha) {
    Painted(0, 0, 300, 300, RGB(0, 0, 255));
    HWND h = Top(0, 0, 10, 10, WS_POPUP, WS_EX_LAYERED);
    ShowWindow(h, SW_SHOWNA);
    Pump();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 40;
    bi.bmiHeader.biHeight = -20;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bmp, nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            px[y * 40 + x] =
                x < 20 ? 0x00000000u : 0x80008000u; // right half: green at half alpha (premultiplied)
    POINT dst{50, 60}, src{0, 0};
    SIZE size{40, 20};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    EXPECT_TRUE(UpdateLayeredWindow(h, nullptr, &dst, &size, mem, &src, 0, &blend, ULW_ALPHA));
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r, (RECT{50, 60, 90, 80}));
    EXPECT_THAT(screen->ScreenPixel(55, 65), colortest::IsColorNear(RGB(0, 0, 255), 1)); // transparent half
    EXPECT_THAT(screen->ScreenPixel(85, 65),
                colortest::IsColorNear(RGB(0, 128, 127), 1)); // green over blue at half alpha
    Pump();                                                   // no WM_PAINT paints over the image
    EXPECT_THAT(screen->ScreenPixel(85, 65), colortest::IsColorNear(RGB(0, 128, 127), 1));
    // Once SetLayeredWindowAttributes is used, UpdateLayeredWindow is refused.
    SetLayeredWindowAttributes(h, 0, 255, LWA_ALPHA);
    EXPECT_FALSE(UpdateLayeredWindow(h, nullptr, &dst, &size, mem, &src, 0, &blend, ULW_ALPHA));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

TEST_F(Layered, APixelReadAloneIsThePixelOfTheWholeScreenComposed) {
    // Windows of every kind, some partly off the screen: each pixel read alone must match the composed
    // screen, where windows overlap, at their edges and outside them.
    Painted(-30, -20, 200, 150, RGB(0, 200, 0));
    HWND glass = Painted(100, 60, 120, 90, RGB(255, 0, 0), WS_EX_LAYERED);
    SetLayeredWindowAttributes(glass, 0, 100, LWA_ALPHA);
    HWND keyed = Painted(150, 100, 80, 80, RGB(255, 0, 255), WS_EX_LAYERED);
    SetLayeredWindowAttributes(keyed, RGB(255, 0, 255), 255, LWA_COLORKEY);
    HWND shaped = Painted(960, 700, 100, 100, RGB(255, 255, 0));
    SetWindowRgn(shaped, CreateEllipticRgn(0, 0, 100, 100), TRUE);
    Pump();
    cairo_surface_t* all = screen->ComposeScreen();
    const auto* rows = cairo_image_surface_get_data(all);
    const int stride = cairo_image_surface_get_stride(all);
    for (int y = 0; y < 768; y += 7)
        for (int x = 0; x < 1024; x += 5) {
            const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(rows + y * stride)[x];
            ASSERT_EQ(screen->ScreenPixel(x, y), RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF))
                << "at " << x << "," << y;
        }
    cairo_surface_destroy(all);
    EXPECT_EQ(screen->ScreenPixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(screen->ScreenPixel(0, 768), CLR_INVALID);
}

TEST_F(Layered, ChildrenArePaintedClippedInZOrder) {
    HWND top = Painted(0, 0, 200, 200, RGB(255, 0, 0));
    HWND below = Child(top, 10, 10, 100, 100);
    SetWindowLongPtr(below, GWLP_USERDATA, RGB(0, 255, 0));
    HWND above = Child(top, 50, 50, 100, 100);
    SetWindowLongPtr(above, GWLP_USERDATA, RGB(0, 0, 255));
    Pump();
    EXPECT_THAT(screen->ScreenPixel(5, 5), colortest::IsColorNear(RGB(255, 0, 0), 1));
    EXPECT_THAT(screen->ScreenPixel(20, 20), colortest::IsColorNear(RGB(0, 255, 0), 1));
    EXPECT_THAT(screen->ScreenPixel(60, 60),
                colortest::IsColorNear(RGB(0, 0, 255), 1)); // the upper sibling wins where they overlap
    // Repainting the lower one alone does not draw over the upper one.
    InvalidateRect(below, nullptr, TRUE);
    Pump();
    EXPECT_THAT(screen->ScreenPixel(60, 60), colortest::IsColorNear(RGB(0, 0, 255), 1));
    // Moving a child shows the parent again where it was.
    SetWindowPos(above, nullptr, 150, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump();
    EXPECT_THAT(screen->ScreenPixel(60, 60), colortest::IsColorNear(RGB(0, 255, 0), 1));
    EXPECT_THAT(screen->ScreenPixel(140, 140), colortest::IsColorNear(RGB(255, 0, 0), 1));
}

TEST_F(Layered, PaintingIsClippedToTheWindowRegionAndHiddenWindowsDrawNothing) {
    HWND top = Painted(0, 0, 200, 200, RGB(255, 0, 0));
    HWND round = Child(top, 50, 50, 100, 100);
    SetWindowLongPtr(round, GWLP_USERDATA, RGB(0, 0, 255));
    SetWindowRgn(round, CreateEllipticRgn(0, 0, 100, 100), TRUE);
    Pump();
    EXPECT_THAT(screen->ScreenPixel(100, 100), colortest::IsColorNear(RGB(0, 0, 255), 1)); // the centre
    EXPECT_THAT(screen->ScreenPixel(52, 52),
                colortest::IsColorNear(RGB(255, 0, 0), 1)); // a corner of its rectangle: the parent shows
    // A DC of a hidden window draws nowhere.
    ShowWindow(round, SW_HIDE);
    Pump();
    HDC dc = GetDC(round);
    RECT all{0, 0, 100, 100};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dc, &all, green);
    ReleaseDC(round, dc);
    DeleteObject(green);
    EXPECT_THAT(screen->ScreenPixel(100, 100), colortest::IsColorNear(RGB(255, 0, 0), 1));
    // RDW_FRAME repaints the frame through WM_NCPAINT.
    Log().clear();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(Count(top, WM_NCPAINT), 1);
}

} // namespace
} // namespace wintest
