// The non-client area: metrics, the client rectangle from the styles, hit testing, system commands.

#include <climits>

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

class NonClient : public WinTest {};

TEST_F(NonClient, ClientRectangleFollowsTheStylesAndDefaultHitTestAndSystemCommands) {
    struct Case {
        DWORD style, ex;
        RECT insets; // left, top, right, bottom
    };
    const Case cases[] = {
        {WS_OVERLAPPEDWINDOW, 0, {4, 23, 4, 4}},
        {WS_POPUP, 0, {0, 0, 0, 0}},
        {WS_POPUP | WS_BORDER, 0, {1, 1, 1, 1}},
        {WS_POPUP | WS_CAPTION, 0, {3, 22, 3, 3}},
        {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, {3, 18, 3, 3}},
        {WS_POPUP | WS_THICKFRAME, WS_EX_CLIENTEDGE, {6, 6, 6, 6}},
        {WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, {0, 0, 16, 16}},
        {WS_POPUP, WS_EX_DLGMODALFRAME, {3, 3, 3, 3}},
    };
    for (const Case& c : cases) {
        HWND h = Top(10, 10, 200, 150, c.style, c.ex);
        RECT cr;
        GetClientRect(h, &cr);
        POINT o{0, 0};
        ClientToScreen(h, &o);
        EXPECT_EQ(o, (POINT{10 + c.insets.Left, 10 + c.insets.Top})) << std::hex << c.style << " " << c.ex;
        EXPECT_EQ(cr.Width(), 200 - c.insets.Left - c.insets.Right);
        EXPECT_EQ(cr.Height(), 150 - c.insets.Top - c.insets.Bottom);
        RECT adj{0, 0, cr.Width(), cr.Height()};
        AdjustWindowRectEx(&adj, c.style, FALSE, c.ex);
        EXPECT_EQ(adj.Width(), 200);
        EXPECT_EQ(adj.Height(), 150);
        DestroyWindow(h);
    }
    // A menu bar takes SM_CYMENU from the client area.
    HWND m = Made(CreateWindowEx(0, kClass, "M", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                                 reinterpret_cast<HMENU>(std::uintptr_t{0x5150}), nullptr, nullptr));
    RECT cr;
    GetClientRect(m, &cr);
    EXPECT_EQ(cr.Height(), 200 - 23 - 4 - GetSystemMetrics(SM_CYMENU));
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    auto hit = [&](int x, int y) { return SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y)); };
    // Centres of the 16-wide caption buttons: close 2 inside the 4-pixel frame, maximise 2 to its left,
    // minimise right against maximise.
    const int closeX = 300 - 4 - 2 - 8, maxX = closeX - 18, minX = maxX - 16;
    const struct {
        int X, Y;
        LRESULT Code;
    } points[] = {{150, 100, HTCLIENT},    {150, 10, HTCAPTION},      {0, 100, HTLEFT},
                  {299, 100, HTRIGHT},     {150, 0, HTTOP},           {150, 199, HTBOTTOM},
                  {0, 0, HTTOPLEFT},       {299, 199, HTBOTTOMRIGHT}, {2, 199, HTBOTTOMLEFT},
                  {299, 2, HTTOPRIGHT},    {closeX, 12, HTCLOSE},     {maxX, 12, HTMAXBUTTON},
                  {minX, 12, HTMINBUTTON}, {8, 12, HTSYSMENU},        {400, 12, HTNOWHERE}};
    for (const auto& p : points)
        EXPECT_EQ(hit(p.X, p.Y), p.Code) << "at (" << p.X << ", " << p.Y << ")";
    // Maximised windows cannot be sized from their borders.
    ShowWindow(h, SW_SHOWMAXIMIZED);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(r.Left + 1, r.Top + 100)), HTBORDER);
    HWND h2 = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SendMessage(h2, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(h2));
    SendMessage(h2, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(h2));
    SendMessage(h2, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(h2));
    RECT c;
    GetClientRect(h2, &c);
    EXPECT_TRUE(c.IsEmpty());
    SendMessage(h2, WM_SYSCOMMAND, SC_RESTORE, 0);
    // A close that the window refuses (WM_CLOSE answered without the default) leaves it.
    Answer(WM_CLOSE, 0);
    SendMessage(h2, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(IsWindow(h2));
}

// A window asked to lie at the ends of the int range is kept within the windows' range, where its frame
// comes off as anywhere else. The default processing takes the frame off a rectangle anywhere in the int
// range: at its top end the frame leaves no room, so the client area is empty at the frame's inner edge.
TEST_F(NonClient, AWindowAtTheEndsOfTheIntRangeHasItsFrameTakenOffWithoutOverflow) {
    HWND last = Top(INT_MAX, INT_MAX, 300, 200);
    RECT cr;
    GetClientRect(last, &cr);
    EXPECT_EQ(cr, (RECT{0, 0, 300 - 4 - 4, 200 - 23 - 4}));
    HWND below = Top(INT_MAX - 300, INT_MIN + 1, 300, 200);
    POINT o{0, 0};
    ClientToScreen(below, &o);
    EXPECT_EQ(o, (POINT{MaxWindowCoordinate + 4, -MaxWindowCoordinate + 23}));
    RECT end{INT_MAX, INT_MIN, INT_MAX, INT_MIN};
    SendMessage(last, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, (RECT{INT_MAX, INT_MIN + 23, INT_MAX, INT_MIN + 23}));
}

// The monitor of a rectangle or window far off every screen is the one nearest to its middle, at either
// end of the int range.
TEST(SystemMetrics, TheNearestMonitorOfARectangleAtTheEndsOfTheIntRange) {
    backend::SetBackend(std::make_unique<offscreen::OffscreenBackend>(
        std::vector<backend::Monitor>{{{0, 0, 1280, 1024}, {0, 0, 1280, 994}, true, "A"},
                                      {{1280, 0, 2560, 768}, {1280, 30, 2560, 768}, false, "B"}}));
    const HMONITOR a = MonitorFromPoint({10, 10}, MONITOR_DEFAULTTONULL);
    const HMONITOR b = MonitorFromPoint({1500, 10}, MONITOR_DEFAULTTONULL);
    ASSERT_NE(a, b);
    RECT farRight{INT_MAX - 100, 100, INT_MAX, 200};
    EXPECT_EQ(MonitorFromRect(&farRight, MONITOR_DEFAULTTONEAREST), b);
    RECT farLeft{INT_MIN, 100, INT_MIN + 100, 200};
    EXPECT_EQ(MonitorFromRect(&farLeft, MONITOR_DEFAULTTONEAREST), a);
    // Straight below the second monitor, the first one reaches nearer, being the taller.
    RECT farDown{1500, INT_MAX - 1, 1600, INT_MAX};
    EXPECT_EQ(MonitorFromRect(&farDown, MONITOR_DEFAULTTONEAREST), a);
    EXPECT_EQ(MonitorFromRect(&farDown, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromPoint({INT_MIN, INT_MIN}, MONITOR_DEFAULTTONEAREST), a);
    RegisterTestClass("KvFar", 0, DefWindowProc);
    HWND h = CreateWindowEx(0, "KvFar", "", WS_OVERLAPPEDWINDOW, INT_MAX - 50, 100, 300, 200, nullptr,
                            nullptr, nullptr, nullptr);
    EXPECT_EQ(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), b);
    DestroyWindow(h);
    detail::ResetState();
}

TEST(SystemMetrics, ClassicValuesAndTheScreen) {
    backend::SetBackend(std::make_unique<offscreen::OffscreenBackend>(
        std::vector<backend::Monitor>{{{0, 0, 1280, 1024}, {0, 0, 1280, 994}, true, "A"},
                                      {{1280, 0, 2560, 768}, {1280, 30, 2560, 768}, false, "B"}}));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 2560);
    EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CXFIXEDFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
    RECT work;
    EXPECT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, (RECT{0, 0, 1280, 994}));
    HMONITOR second = MonitorFromPoint({1500, 100}, MONITOR_DEFAULTTONULL);
    ASSERT_NE(second, nullptr);
    MONITORINFOEX mi{};
    mi.cbSize = sizeof mi;
    EXPECT_TRUE(GetMonitorInfo(second, &mi));
    EXPECT_EQ(mi.rcWork, (RECT{1280, 30, 2560, 768}));
    EXPECT_EQ(mi.dwFlags, 0u);
    EXPECT_STREQ(mi.szDevice, "B");
    EXPECT_EQ(MonitorFromPoint({5000, 5000}, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromPoint({5000, 100}, MONITOR_DEFAULTTONEAREST), second);
    RECT straddle{1200, 0, 1500, 100}; // mostly on the second monitor
    EXPECT_EQ(MonitorFromRect(&straddle, MONITOR_DEFAULTTONULL), second);
    int count = 0;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, RECT*, LPARAM lp) { return ++*reinterpret_cast<int*>(lp) < 5 ? TRUE : FALSE; },
        reinterpret_cast<LPARAM>(&count));
    EXPECT_EQ(count, 2);
    BOOL anim = TRUE;
    SystemParametersInfo(SPI_SETMENUANIMATION, 0, nullptr, 0);
    EXPECT_TRUE(SystemParametersInfo(SPI_GETMENUANIMATION, 0, &anim, 0));
    EXPECT_FALSE(anim);
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof ncm;
    EXPECT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    EXPECT_STREQ(ncm.lfMenuFont.lfFaceName, "Tahoma");
    ncm.cbSize = 7;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 7, &ncm, 0));
    // A maximised window fills the work area of its own monitor.
    RegisterTestClass("KvPlain", 0, DefWindowProc);
    HWND h = CreateWindowEx(0, "KvPlain", "", WS_OVERLAPPEDWINDOW, 1400, 100, 300, 200, nullptr, nullptr,
                            nullptr, nullptr);
    ShowWindow(h, SW_SHOWMAXIMIZED);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r, (RECT{1280 - 4, 30 - 4, 2560 + 4, 768 + 4}));
    DestroyWindow(h);
    detail::ResetState();
}

} // namespace
} // namespace wintest
