// The offscreen backend: a sample window written to PNG, the frame as drawn, backend changes, the cursor.

#include <cstdio>
#include <filesystem>

#include "tests/support/ColorMatch.h"
#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

using colortest::IsColor;

class Offscreen : public WinTest {};

TEST_F(Offscreen, ASampleWindowIsWrittenToPngWithItsFrameAndCaption) {
    HWND h = Made(CreateWindowEx(0, kClass, "Kalvenor - sample", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                 320, 200, nullptr, nullptr, nullptr, nullptr));
    HWND child = Child(h, 20, 20, 120, 60, WS_CHILD | WS_VISIBLE | WS_BORDER);
    (void)child;
    Pump();
    // Pixels of the frame: the caption in the active caption colour, the client in the window colour.
    COLORREF caption = screen->WindowPixel(h, 150, 8);
    EXPECT_THAT(caption, IsColor(GetSysColor(COLOR_ACTIVECAPTION)));
    EXPECT_THAT(screen->WindowPixel(h, 200, 150), IsColor(GetSysColor(COLOR_WINDOW)));
    EXPECT_THAT(screen->WindowPixel(h, 4 + 20, 23 + 20),
                IsColor(GetSysColor(COLOR_WINDOWFRAME))); // the child's border
    EXPECT_THAT(screen->ScreenPixel(40 + 150, 40 + 8), IsColor(caption));
    // Deactivated, the caption turns to the inactive colour.
    screen->DeactivateApp();
    Pump();
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_THAT(screen->WindowPixel(h, 150, 8), IsColor(GetSysColor(COLOR_INACTIVECAPTION)));
    SetActiveWindow(h);
    auto dir = std::filesystem::temp_directory_path() / "kalvenor-winsys";
    std::filesystem::create_directories(dir);
    auto window = (dir / "sample-window.png").string();
    auto whole = (dir / "sample-screen.png").string();
    EXPECT_TRUE(screen->WriteWindowPng(h, window));
    EXPECT_TRUE(screen->WriteScreenPng(whole));
    EXPECT_GT(std::filesystem::file_size(window), 100u);
    cairo_surface_t* png = cairo_image_surface_create_from_png(window.c_str());
    EXPECT_EQ(cairo_image_surface_get_width(png), 320);
    EXPECT_EQ(cairo_image_surface_get_height(png), 200);
    cairo_surface_destroy(png);
    EXPECT_FALSE(screen->WriteWindowPng(child, window)); // only top-level windows have an image
}

TEST_F(Offscreen, ANewBackendTakesOverTheWindowsAndTheCursorFollowsThePointer) {
    HWND h = Top(10, 10, 100, 80, WS_POPUP | WS_VISIBLE);
    SetWindowLongPtr(h, GWLP_USERDATA, 0);
    Pump();
    auto next = std::make_unique<offscreen::OffscreenBackend>();
    auto* second = next.get();
    backend::SetBackend(std::move(next));
    screen = second;
    InvalidateRect(h, nullptr, TRUE);
    Pump();
    EXPECT_THAT(screen->ScreenPixel(50, 50), IsColor(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(&offscreen::Offscreen(), second);
    RegisterTestClass("KvHandCursor", 0, DefWindowProc, LoadCursor(nullptr, IDC_HAND));
    HWND h2 = CreateWindowEx(0, "KvHandCursor", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                             nullptr, nullptr, nullptr, nullptr);
    screen->MoveMouse(200, 200);
    Pump();
    EXPECT_EQ(screen->Cursor(), backend::CursorShape::Hand);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    screen->MoveMouse(101, 200); // the left border
    Pump();
    EXPECT_EQ(screen->Cursor(), backend::CursorShape::SizeWE);
    EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), nullptr);
    DestroyWindow(h2);
}

} // namespace
} // namespace wintest
