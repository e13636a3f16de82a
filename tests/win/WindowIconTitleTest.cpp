// What a task bar shows of a top-level window (its title and icon, through the backend), the caption's
// icon, icon files, the window manager's close request, and theme changes reaching the windows; the
// offscreen backend's sample window written to PNG, the frame as drawn, backend changes and the cursor.

#include <cairo.h>

#include <filesystem>

#include "WindowTestSupport.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/WindowIcon.h"
#include "tests/support/ColorMatch.h"

using namespace wintest;

namespace {

HICON SolidIcon(int size, std::uint32_t argb) {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(size * size), argb);
    return detail::CreateIconFromPixels(size, size, px.data(), true, POINT{});
}

void PutWord(std::string& b, unsigned v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}
void PutDword(std::string& b, std::uint32_t v) {
    PutWord(b, v & 0xFFFF);
    PutWord(b, v >> 16);
}

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// A PNG of one colour (straight 0xAARRGGBB).
std::string Png(int size, std::uint32_t argb) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                          (argb & 0xFF) / 255.0, (argb >> 24) / 255.0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::string out;
    cairo_surface_write_to_png_stream(s, Append, &out);
    cairo_surface_destroy(s);
    return out;
}

// A 32-bit icon image: bitmap header (height counting the mask), bottom-up BGRA rows, then the mask.
std::string Dib(int size, std::uint32_t argb) {
    std::string b;
    PutDword(b, 40);
    PutDword(b, static_cast<std::uint32_t>(size));
    PutDword(b, static_cast<std::uint32_t>(size * 2));
    PutWord(b, 1);
    PutWord(b, 32);
    for (int i = 0; i < 6; ++i)
        PutDword(b, 0);
    for (int i = 0; i < size * size; ++i)
        PutDword(b, argb);
    b.append(static_cast<std::size_t>(size * 4), '\0'); // the mask: 1 bit a pixel, rows of 4 bytes
    return b;
}

std::string IconFile(const std::vector<std::pair<int, std::string>>& images) {
    std::string head, data;
    PutWord(head, 0);
    PutWord(head, 1);
    PutWord(head, static_cast<unsigned>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (const auto& [size, bytes] : images) {
        head += static_cast<char>(size % 256);
        head += static_cast<char>(size % 256);
        head += std::string(2, '\0');
        PutWord(head, 1);
        PutWord(head, 32);
        PutDword(head, static_cast<std::uint32_t>(bytes.size()));
        PutDword(head, static_cast<std::uint32_t>(offset + data.size()));
        data += bytes;
    }
    return head + data;
}

} // namespace

TEST(IconFiles, EveryPngAndThirtyTwoBitImageLargestFirst) {
    // Half-transparent red as the file stores it (straight alpha) comes back premultiplied.
    std::string file =
        IconFile({{16, Png(16, 0xFF00FF00)}, {48, Dib(48, 0x80FF0000)}, {32, Png(32, 0xFF0000FF)}});
    auto images = IconImagesFromFile(file);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].Width, 48);
    EXPECT_EQ(images[1].Width, 32);
    EXPECT_EQ(images[2].Width, 16);
    EXPECT_EQ(images[0].Pixels.size(), 48u * 48u);
    EXPECT_EQ(images[0].Pixels[0], 0x80800000u);
    EXPECT_EQ(images[1].Pixels[31 * 32 + 31], 0xFF0000FFu);
    EXPECT_EQ(images[2].Pixels[0], 0xFF00FF00u);

    // An image cut short, or pointing past the end, is left out; the others stay.
    std::string cut = IconFile({{16, Png(16, 0xFF00FF00)}, {32, Png(32, 0xFF0000FF).substr(0, 40)}});
    EXPECT_EQ(IconImagesFromFile(cut).size(), 1u);
    std::string past = file;
    past[6 + 12] = '\xFF';
    past[6 + 13] = '\xFF';
    EXPECT_EQ(IconImagesFromFile(past).size(), 2u);
    EXPECT_TRUE(IconImagesFromFile("not an icon").empty());
    EXPECT_TRUE(IconImagesFromFile(std::string(6, '\0')).empty());
}

TEST_F(WinTest, TheBackendShowsTheWindowTextAsTitleAndItsCloseIsTheCloseCommand) {
    HWND h = Top(10, 10, 200, 150, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(screen->WindowTitle(h), "Top");
    SetWindowText(h, "Übersicht");
    EXPECT_EQ(screen->WindowTitle(h), "Übersicht");
    // A child's text is no title of anyone's.
    HWND c = Child(h, 5, 5, 50, 20);
    SetWindowText(c, "child");
    EXPECT_EQ(screen->WindowTitle(h), "Übersicht");
    DestroyWindow(c);
    Log().clear();
    screen->RequestClose(h);
    Pump();
    EXPECT_FALSE(IsWindow(h)) << "the default close destroys it";
    auto seen = AllMessages({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].second, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(seen[1].second, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(seen[2].second, static_cast<UINT>(WM_DESTROY));
}

TEST_F(WinTest, SetIconKeepsBothKindsTheBackendShowsTheWindowsOwnAndTheCaptionDrawsIt) {
    HWND h = Top(10, 10, 200, 150, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_TRUE(screen->WindowIcon(h).empty()) << "no icon of its own: the program's";
    HICON big = SolidIcon(32, 0xFFFF0000), small = SolidIcon(16, 0xFF00FF00);
    EXPECT_EQ(SendMessage(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)), 0);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(h, WM_GETICON, ICON_SMALL2, 0)), big) << "small, else big";
    EXPECT_EQ(SendMessage(h, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessage(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small)), 0);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(h, WM_GETICON, ICON_SMALL2, 0)), small);
    auto shown = screen->WindowIcon(h);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Width, 32);
    EXPECT_EQ(shown[1].Pixels[0], 0xFF00FF00u);
    // Setting one returns the one it replaces; taking both away leaves the program's icon.
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(h, WM_SETICON, ICON_BIG, 0)), big);
    SendMessage(h, WM_SETICON, ICON_SMALL, 0);
    EXPECT_TRUE(screen->WindowIcon(h).empty());
    // A destroyed icon is never read.
    SendMessage(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    DestroyIcon(big);
    SetWindowText(h, "again");
    EXPECT_TRUE(screen->WindowIcon(h).empty());
    DestroyWindow(h);
    DestroyIcon(small);
    HICON icon = SolidIcon(16, 0xFFE01010);
    HWND h2 = Top(10, 10, 240, 160, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SendMessage(h2, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    Pump();
    // The icon area is left of the caption's text, inside the frame.
    auto redInCaption = [&](HWND w) {
        RECT wr;
        GetWindowRect(w, &wr);
        POINT c{0, 0};
        ClientToScreen(w, &c);
        int y = (c.Y - wr.Top) / 2 + 2;
        for (int x = 0; x < 30; ++x)
            if (screen->WindowPixel(w, x, y) == RGB(0xE0, 0x10, 0x10)) return true;
        return false;
    };
    EXPECT_TRUE(redInCaption(h2));
    // A dialog frame shows none.
    HWND d = Top(10, 200, 240, 160, WS_CAPTION | WS_SYSMENU | WS_VISIBLE, WS_EX_DLGMODALFRAME);
    SendMessage(d, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    Pump();
    EXPECT_FALSE(redInCaption(d));
    DestroyWindow(h2);
    DestroyWindow(d);
    DestroyIcon(icon);
}

TEST_F(WinTest, ThemeChangesReachEveryWindowTopLevelFirst) {
    HWND a = Top(10, 10, 200, 150);
    HWND child = Child(a, 5, 5, 50, 20);
    HWND b = Top(300, 10, 200, 150);
    Log().clear();
    vcl::SysInfo().NotifyThemeChanged();
    auto seen = AllMessages({WM_THEMECHANGED});
    ASSERT_EQ(seen.size(), 3u);
    std::set<HWND> windows;
    for (const auto& s : seen)
        windows.insert(s.first);
    EXPECT_EQ(windows, (std::set<HWND>{a, child, b}));
    auto at = [&](HWND h) {
        return std::find(seen.begin(), seen.end(), std::pair{h, UINT(WM_THEMECHANGED)});
    };
    EXPECT_LT(at(a), at(child));
}

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
    // Written beside the test program, with the other pictures the tests leave for looking at.
    auto dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    auto window = (dir / "WindowSample-window.png").string();
    auto whole = (dir / "WindowSample-screen.png").string();
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
