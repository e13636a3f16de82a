// End to end: windows of the window system on the GTK backend, under Xvfb, driven by real X input
// (xdotool). A window procedure records what arrives; the screen is read back for what it shows.

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "GtkTestSupport.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/Menu.h"
#include "platform/win/WindowIcon.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"

using namespace win;

namespace {

struct Logged {
    UINT Msg;
    WPARAM W;
    LPARAM L;
    RECT Rect{}; // WM_MOVING, WM_SIZING: the proposed window rectangle
    HWND Window = nullptr;
};

std::vector<Logged> gLog;
POINT gMinTrack{}; // when set, the window's WM_GETMINMAXINFO answers this minimum
constexpr COLORREF kFill = RGB(0x20, 0xB0, 0x40); // the client area's colour
constexpr std::uint32_t kFillRgb = 0x20B040;

bool Interesting(UINT m) {
    static const std::set<UINT> kept = {
        WM_LBUTTONDOWN,       WM_LBUTTONUP,   WM_RBUTTONDOWN,   WM_MOUSEWHEEL,   WM_KEYDOWN, WM_SYSKEYDOWN,
        WM_SYSKEYUP,          WM_ACTIVATEAPP, WM_CHAR,          WM_MOVE,         WM_SIZE,    WM_NCLBUTTONDOWN,
        WM_ACTIVATE,          WM_SETFOCUS,    WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_MOVING,  WM_SIZING,
        WM_WINDOWPOSCHANGING, WM_SYSCOMMAND,  WM_CLOSE};
    return kept.count(m) != 0;
}

LRESULT TestProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (Interesting(msg))
        gLog.push_back(
            {msg, wp, lp, msg == WM_MOVING || msg == WM_SIZING ? *reinterpret_cast<RECT*>(lp) : RECT{}, h});
    if (msg == WM_GETMINMAXINFO && gMinTrack.X > 0) {
        reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = gMinTrack;
        return 0;
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        RECT rc;
        GetClientRect(h, &rc);
        HBRUSH brush = CreateSolidBrush(kFill);
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProc(h, msg, wp, lp);
}

std::vector<Logged> Of(UINT msg) {
    std::vector<Logged> out;
    for (const Logged& l : gLog)
        if (l.Msg == msg) out.push_back(l);
    return out;
}

class GtkWindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!gtktest::HaveDisplay()) GTEST_SKIP() << "needs an X display: run under xvfb-run";
        backend::SetBackend(gtkbackend::CreateGtkBackend());
        gtkbackend::SetFrameObserver([this](backend::NativeWindow* w) {
            if (!native) native = w;
        });
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TestProc;
        wc.lpszClassName = "KalvenorGtkTest";
        ASSERT_NE(RegisterClassEx(&wc), 0);
        gLog.clear();
        gMinTrack = POINT{};
    }
    void TearDown() override {
        if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
        UnregisterClass("KalvenorGtkTest", nullptr);
        gtkbackend::SetFrameObserver(nullptr);
        if (backend::HasBackend() && std::string(backend::GetBackend().Name()) == "gtk")
            backend::SetBackend(backend::CreateOffscreenBackend());
    }

    // Runs the message loop until pred holds or ms passed.
    bool RunUntil(const std::function<bool()>& pred, int ms) {
        UINT_PTR timer = SetTimer(nullptr, 0, 15, nullptr); // wakes the loop while the X server is quiet
        DWORD end = GetTickCount() + static_cast<DWORD>(ms);
        MSG m;
        while (!pred() && static_cast<std::int32_t>(end - GetTickCount()) > 0)
            if (GetMessage(&m, nullptr, 0, 0) > 0) {
                TranslateMessage(&m);
                DispatchMessage(&m);
            }
        KillTimer(nullptr, timer);
        return pred();
    }
    POINT ClientPoint(int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        return p;
    }
    static std::string At(POINT p) { return std::to_string(p.X) + " " + std::to_string(p.Y); }
    void ShowMain() {
        hwnd = CreateWindowEx(0, "KalvenorGtkTest", "Kalvenor end to end", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              200, 150, 360, 260, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        POINT c = ClientPoint(100, 80);
        ASSERT_TRUE(RunUntil([&] { return native && gtktest::ScreenPixel(c.X, c.Y) == kFillRgb; }, 5000));
    }

    HWND hwnd = nullptr;
    backend::NativeWindow* native = nullptr;
};

} // namespace

TEST_F(GtkWindowSystemTest, WindowIsOnTheScreenWithItsOwnFrame) {
    ShowMain();
    RECT wr;
    GetWindowRect(hwnd, &wr);
    EXPECT_EQ(wr, (RECT{200, 150, 560, 410}));
    // Client area painted by the window procedure; the caption above it is the window system's.
    POINT c = ClientPoint(0, 0);
    EXPECT_EQ(gtktest::ScreenPixel(c.X + 2, c.Y + 2), kFillRgb);
    EXPECT_EQ(gtktest::ScreenPixel(c.X + 300, c.Y + 200), kFillRgb);
    ASSERT_GT(c.Y, wr.Top);
    std::uint32_t caption = gtktest::ScreenPixel(wr.Left + 40, (wr.Top + c.Y) / 2);
    EXPECT_NE(caption, kFillRgb);
    // Nothing of ours outside the window rectangle.
    std::uint32_t outside = gtktest::ScreenPixel(wr.Right + 3, wr.Top + 50);
    EXPECT_NE(outside, kFillRgb);
    EXPECT_NE(outside, caption);
}

TEST_F(GtkWindowSystemTest, RealClicksWheelAndTypingReachTheWindowProcedure) {
    ShowMain();
    POINT p = ClientPoint(120, 90);
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(p) + " click 1"));
    ASSERT_TRUE(RunUntil([] { return !Of(WM_LBUTTONUP).empty(); }, 3000));
    auto downs = Of(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(LOWORD(downs[0].L), 120);
    EXPECT_EQ(HIWORD(downs[0].L), 90);
    EXPECT_TRUE(downs[0].W & MK_LBUTTON);

    ASSERT_TRUE(gtktest::Xdo("click 5"));
    ASSERT_TRUE(RunUntil([] { return !Of(WM_MOUSEWHEEL).empty(); }, 3000));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(Of(WM_MOUSEWHEEL)[0].W), -120);

    ASSERT_TRUE(gtktest::Xdo("windowfocus --sync " + std::to_string(gtktest::XidOf(native))));
    ASSERT_TRUE(RunUntil([&] { return GetActiveWindow() == hwnd; }, 3000));
    gLog.clear();
    ASSERT_TRUE(gtktest::Xdo("type --delay 20 'Hi, you!'"));
    ASSERT_TRUE(gtktest::Xdo("key Return"));
    ASSERT_TRUE(RunUntil([] { return Of(WM_CHAR).size() >= 9; }, 4000));
    std::string typed;
    for (const Logged& l : Of(WM_CHAR))
        typed += static_cast<char>(l.W);
    EXPECT_EQ(typed, "Hi, you!\r");
    auto keys = Of(WM_KEYDOWN);
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.back().W, VK_RETURN);
}

TEST_F(GtkWindowSystemTest, MovesBySomeoneElseAreFollowedAndDragsAreTheWindowSystemsOwnLoop) {
    ShowMain();
    // Another program moves the window: the window system hears of it.
    ASSERT_TRUE(gtktest::Xdo("windowmove --sync " + std::to_string(gtktest::XidOf(native)) + " 300 200"));
    RECT wr{};
    ASSERT_TRUE(RunUntil([&] { return GetWindowRect(hwnd, &wr) && wr.Left == 300 && wr.Top == 200; }, 3000));
    EXPECT_EQ(wr, (RECT{300, 200, 660, 460}));
    auto moves = Of(WM_MOVE);
    ASSERT_FALSE(moves.empty());
    POINT c = ClientPoint(0, 0);
    EXPECT_EQ(static_cast<int>(LOWORD(moves.back().L)), c.X);
    EXPECT_EQ(static_cast<int>(HIWORD(moves.back().L)), c.Y);

    // Our caption: the window system's own move loop, with its messages, as on every backend.
    POINT caption{wr.Left + 60, (wr.Top + c.Y) / 2};
    ASSERT_EQ(SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(caption.X, caption.Y)), HTCAPTION);
    gLog.clear();
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(caption) + " mousedown 1"));
    ASSERT_TRUE(RunUntil([] { return !Of(WM_ENTERSIZEMOVE).empty(); }, 3000));
    POINT to{caption.X + 80, caption.Y + 50};
    ASSERT_TRUE(gtktest::Xdo("mousemove " + std::to_string(caption.X + 40) + " " +
                             std::to_string(caption.Y + 20) + " sleep 0.1 mousemove " + At(to) +
                             " sleep 0.1 mouseup 1"));
    ASSERT_TRUE(RunUntil([] { return !Of(WM_EXITSIZEMOVE).empty(); }, 3000));
    GetWindowRect(hwnd, &wr);
    EXPECT_EQ(wr, (RECT{380, 250, 740, 510}));
    ASSERT_FALSE(Of(WM_MOVING).empty());
    EXPECT_EQ(Of(WM_MOVING).back().Rect, wr) << "the last proposal is where it went";
    EXPECT_FALSE(Of(WM_WINDOWPOSCHANGING).empty());
    // The screen shows it there.
    POINT inside = ClientPoint(50, 50);
    EXPECT_EQ(gtktest::WaitForPixel(inside.X, inside.Y, kFillRgb, 3000), kFillRgb);

    // The bottom-right corner: the sizing loop, WM_SIZING with the edge dragged.
    POINT corner{wr.Right - 2, wr.Bottom - 2};
    ASSERT_EQ(SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(corner.X, corner.Y)), HTBOTTOMRIGHT);
    gLog.clear();
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(corner) + " mousedown 1"));
    ASSERT_TRUE(RunUntil([] { return !Of(WM_ENTERSIZEMOVE).empty(); }, 3000));
    ASSERT_TRUE(gtktest::Xdo("mousemove " + std::to_string(corner.X + 20) + " " +
                             std::to_string(corner.Y + 10) + " sleep 0.1 mousemove " +
                             std::to_string(corner.X + 40) + " " + std::to_string(corner.Y + 30) +
                             " sleep 0.1 mouseup 1"));
    ASSERT_TRUE(RunUntil([] { return !Of(WM_EXITSIZEMOVE).empty(); }, 3000));
    GetWindowRect(hwnd, &wr);
    EXPECT_EQ(wr, (RECT{380, 250, 780, 540}));
    ASSERT_FALSE(Of(WM_SIZING).empty());
    EXPECT_EQ(Of(WM_SIZING).back().W, static_cast<WPARAM>(8)); // WMSZ_BOTTOMRIGHT
    EXPECT_EQ(Of(WM_SIZING).back().Rect, wr);
    inside = ClientPoint(380, 260);
    EXPECT_EQ(gtktest::WaitForPixel(inside.X, inside.Y, kFillRgb, 3000), kFillRgb);
}

TEST_F(GtkWindowSystemTest, LockTogglesFollowTheKeyboardEvenWhenChangedElsewhere) {
    ShowMain();
    std::string self = std::to_string(gtktest::XidOf(native));
    ASSERT_FALSE(gtktest::CapsLockOn());
    // Caps Lock goes on while another program has the keyboard (the pointer off our window, or X would
    // give the key to it)...
    ASSERT_TRUE(gtktest::Xdo("mousemove 1200 1000"));
    ASSERT_TRUE(gtktest::Xdo("windowfocus --sync " + std::to_string(gtktest::RootXid())));
    ASSERT_TRUE(gtktest::Xdo("key Caps_Lock"));
    ASSERT_TRUE(RunUntil([] { return gtktest::CapsLockOn(); }, 2000));
    // ...and our window knows when it gets the keyboard back.
    ASSERT_TRUE(gtktest::Xdo("windowfocus --sync " + self));
    EXPECT_TRUE(RunUntil([] { return (GetKeyState(VK_CAPITAL) & 1) != 0; }, 3000));
    gLog.clear();
    ASSERT_TRUE(gtktest::Xdo("type a"));
    EXPECT_TRUE(RunUntil([] { return !Of(WM_CHAR).empty(); }, 3000));
    if (!Of(WM_CHAR).empty()) {
        EXPECT_EQ(Of(WM_CHAR)[0].W, static_cast<WPARAM>('A'));
    }
    // Toggled off here: the ordinary key path.
    ASSERT_TRUE(gtktest::Xdo("key Caps_Lock"));
    EXPECT_TRUE(RunUntil([] { return (GetKeyState(VK_CAPITAL) & 1) == 0; }, 3000));
    if (gtktest::CapsLockOn()) gtktest::Xdo("key Caps_Lock");
}

TEST_F(GtkWindowSystemTest, LosingTheKeyboardToAnotherProgramDeactivatesAndReleasesHeldKeys) {
    ShowMain();
    ASSERT_TRUE(gtktest::Xdo("windowfocus --sync " + std::to_string(gtktest::XidOf(native))));
    ASSERT_TRUE(RunUntil([&] { return GetActiveWindow() == hwnd; }, 3000));
    ASSERT_TRUE(gtktest::Xdo("keydown Alt_L"));
    ASSERT_TRUE(RunUntil([] { return (GetKeyState(VK_MENU) & 0x8000) != 0; }, 3000));
    gLog.clear();
    // Alt+Tab to another program: the Tab and the release go there. (With the focus on the root window,
    // X gives the keyboard to the window under the pointer: keep the pointer off ours.)
    ASSERT_TRUE(gtktest::Xdo("mousemove 1200 1000"));
    ASSERT_TRUE(gtktest::Xdo("windowfocus --sync " + std::to_string(gtktest::RootXid())));
    ASSERT_TRUE(RunUntil([] { return GetActiveWindow() == nullptr; }, 3000));
    ASSERT_TRUE(RunUntil([] { return (GetKeyState(VK_MENU) & 0x8000) == 0; }, 3000));
    gtktest::Xdo("keyup Alt_L");
    RunUntil([] { return false; }, 100);
    auto app = Of(WM_ACTIVATEAPP);
    ASSERT_FALSE(app.empty());
    EXPECT_EQ(app.back().W, static_cast<WPARAM>(FALSE));
    // The window was not handed an Alt release of its own (which would open its menu).
    EXPECT_TRUE(Of(WM_SYSKEYUP).empty());
}

TEST_F(GtkWindowSystemTest, XTitleFollowsTheWindowTextAndTheIconIsTheWindowsOwn) {
    ShowMain();
    unsigned long xid = gtktest::XidOf(native);
    auto named = [&](const std::string& utf8) {
        return gtktest::XProp(xid, "_NET_WM_NAME").find("\"" + utf8 + "\"") != std::string::npos;
    };
    EXPECT_TRUE(named("Kalvenor end to end"));
    EXPECT_NE(gtktest::XProp(xid, "WM_NAME").find("Kalvenor end to end"), std::string::npos);
    // Tools find it by its name.
    EXPECT_NE(gtktest::Output("xdotool search --name '^Kalvenor end to end$'").find(std::to_string(xid)),
              std::string::npos);
    ASSERT_TRUE(SetWindowText(hwnd, "Grüße — Kalvenor"));
    EXPECT_TRUE(RunUntil([&] { return named("Grüße — Kalvenor"); }, 3000));

    // An icon of its own (opaque red, 24 by 24): the window manager reads it as width, height, then
    // straight 0xAARRGGBB pixels; the caption's icon area shows it.
    std::vector<std::uint32_t> red(24 * 24, 0xFFE01010);
    HICON icon = detail::CreateIconFromPixels(24, 24, red.data(), true, POINT{});
    SendMessage(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    std::string expected = "= 24, 24, " + std::to_string(0xFFE01010u) + ", ";
    EXPECT_TRUE(RunUntil(
        [&] {
            return gtktest::XProp(xid, "-f _NET_WM_ICON 32c _NET_WM_ICON").find(expected) !=
                   std::string::npos;
        },
        3000))
        << gtktest::XProp(xid, "-f _NET_WM_ICON 32c _NET_WM_ICON").substr(0, 80);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    int captionY = (wr.Top + ClientPoint(0, 0).Y) / 2;
    EXPECT_TRUE(RunUntil(
        [&] {
            for (int x = wr.Left; x < wr.Left + 30; ++x)
                if (gtktest::ScreenPixel(x, captionY) == 0xE01010) return true;
            return false;
        },
        3000));
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, ICON_SMALL2, 0)), icon);
    DestroyWindow(hwnd);
    DestroyIcon(icon);
}

// With a window manager running (tests/support/with-window-manager).
class GtkUnderWindowManager : public GtkWindowSystemTest {
protected:
    void SetUp() override {
        if (!gtktest::HaveWindowManager()) GTEST_SKIP() << "needs a window manager";
        GtkWindowSystemTest::SetUp();
    }
};

TEST_F(GtkUnderWindowManager, ActivationAndTheCloseRequestGoThroughTheWindowManager) {
    ShowMain();
    std::string xid = std::to_string(gtktest::XidOf(native));
    // The window manager activates it (_NET_ACTIVE_WINDOW), and Alt+F4 is its close request
    // (WM_DELETE_WINDOW): the platform's close command, then WM_CLOSE, which destroys the window.
    ASSERT_TRUE(gtktest::Xdo("windowactivate --sync " + xid));
    ASSERT_TRUE(RunUntil([&] { return GetActiveWindow() == hwnd; }, 3000));
    gLog.clear();
    ASSERT_TRUE(gtktest::Xdo("key alt+F4"));
    ASSERT_TRUE(RunUntil([&] { return !IsWindow(hwnd); }, 3000));
    auto commands = Of(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].W & 0xFFF0, static_cast<WPARAM>(SC_CLOSE));
    EXPECT_EQ(Of(WM_CLOSE).size(), 1u);
    hwnd = nullptr;
}

TEST_F(GtkUnderWindowManager, MovesAndSizesFromOutsideRightAfterTheFirstShowingAreFollowed) {
    // Placed step by step before it first shows, as a form restoring its placement does.
    hwnd = CreateWindowEx(0, "KalvenorGtkTest", "Kalvenor end to end", WS_OVERLAPPEDWINDOW, 200, 150, 360,
                          260, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    SetWindowPos(hwnd, nullptr, 200, 0, 360, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hwnd, nullptr, 0, 0, 360, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hwnd, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, SW_SHOW);
    POINT c = ClientPoint(100, 80);
    ASSERT_TRUE(RunUntil([&] { return native && gtktest::ScreenPixel(c.X, c.Y) == kFillRgb; }, 5000));
    HWND button = CreateWindowEx(0, "KalvenorGtkTest", "", WS_CHILD | WS_VISIBLE, 30, 20, 80, 30, hwnd,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(button, nullptr);
    std::string xid = std::to_string(gtktest::XidOf(native));
    // The window manager (here xdotool) sizes the window: it is laid out and painted at its new size.
    gLog.clear();
    ASSERT_TRUE(gtktest::Xdo("windowsize --sync " + xid + " 420 320"));
    RECT wr{};
    EXPECT_TRUE(
        RunUntil([&] { return GetWindowRect(hwnd, &wr) && wr.Width() == 420 && wr.Height() == 320; }, 3000))
        << wr.Left << "," << wr.Top << "," << wr.Right << "," << wr.Bottom;
    RECT cr{};
    GetClientRect(hwnd, &cr);
    ASSERT_FALSE(Of(WM_SIZE).empty());
    EXPECT_EQ(Of(WM_SIZE).back().L, MAKELPARAM(cr.Right, cr.Bottom));
    POINT corner = ClientPoint(cr.Right - 4, cr.Bottom - 4);
    EXPECT_EQ(gtktest::WaitForPixel(corner.X, corner.Y, kFillRgb, 3000), kFillRgb);

    // It moves the window: a click where the button now shows reaches the button, at its own coordinates.
    ASSERT_TRUE(gtktest::Xdo("windowmove --sync " + xid + " 20 20"));
    EXPECT_TRUE(RunUntil([&] { return GetWindowRect(hwnd, &wr) && wr.Left == 20 && wr.Top == 20; }, 3000))
        << wr.Left << "," << wr.Top;
    POINT inButton{10, 10};
    ClientToScreen(button, &inButton);
    gLog.clear();
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(inButton) + " click 1"));
    ASSERT_TRUE(RunUntil([] { return !Of(WM_LBUTTONUP).empty(); }, 3000));
    auto downs = Of(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].Window, button);
    EXPECT_EQ(downs[0].L, MAKELPARAM(10, 10));
    EXPECT_NE(gtktest::Output("xdotool getwindowgeometry " + xid).find("Position: 20,20"), std::string::npos)
        << "where X shows it";
}

TEST_F(GtkUnderWindowManager, TheWindowManagerAndTheSizingLoopKeepToTheWindowsMinimum) {
    gMinTrack = POINT{300, 220};
    ShowMain();
    std::string xid = std::to_string(gtktest::XidOf(native));
    // The window manager is told the minimum among the window's size hints...
    EXPECT_NE(gtktest::Output("xprop -id " + xid + " WM_NORMAL_HINTS").find("minimum size: 300 by 220"),
              std::string::npos)
        << gtktest::Output("xprop -id " + xid + " WM_NORMAL_HINTS");
    // ...and keeps to it when it sizes the window for someone else; the window system does as well.
    ASSERT_TRUE(gtktest::Xdo("windowsize " + xid + " 120 100"));
    RunUntil([] { return false; }, 300);
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    EXPECT_EQ(wr.Width(), 300);
    EXPECT_EQ(wr.Height(), 220);
    EXPECT_NE(gtktest::Output("xdotool getwindowgeometry " + xid).find("Geometry: 300x220"),
              std::string::npos)
        << gtktest::Output("xdotool getwindowgeometry " + xid);

    // A drag of the bottom-right corner (as a size grip drags it) inwards stops there too.
    ASSERT_TRUE(gtktest::Xdo("windowsize --sync " + xid + " 360 260"));
    ASSERT_TRUE(RunUntil([&] { return GetWindowRect(hwnd, &wr) && wr.Width() == 360; }, 3000));
    // (Once it shows at that size, the corner takes the pointer's input.)
    RECT cr{};
    GetClientRect(hwnd, &cr);
    POINT inside = ClientPoint(cr.Right - 2, cr.Bottom - 2);
    ASSERT_EQ(gtktest::WaitForPixel(inside.X, inside.Y, kFillRgb, 3000), kFillRgb);
    POINT corner{wr.Right - 2, wr.Bottom - 2};
    ASSERT_EQ(SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(corner.X, corner.Y)), HTBOTTOMRIGHT);
    gLog.clear();
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(corner) + " mousedown 1"));
    ASSERT_TRUE(RunUntil([] { return !Of(WM_ENTERSIZEMOVE).empty(); }, 3000));
    ASSERT_TRUE(gtktest::Xdo("mousemove " + std::to_string(corner.X - 60) + " " +
                             std::to_string(corner.Y - 60) + " sleep 0.1 mousemove " +
                             std::to_string(corner.X - 150) + " " + std::to_string(corner.Y - 150) +
                             " sleep 0.1 mouseup 1"));
    ASSERT_TRUE(RunUntil([] { return !Of(WM_EXITSIZEMOVE).empty(); }, 3000));
    RECT after{};
    GetWindowRect(hwnd, &after);
    EXPECT_EQ(after, (RECT{wr.Left, wr.Top, wr.Left + 300, wr.Top + 220}));
    ASSERT_FALSE(Of(WM_SIZING).empty());
    EXPECT_EQ(Of(WM_SIZING).back().Rect, after) << "the loop proposes no smaller size";
}

// What the owner of a popup looks like while the pointer is in the popup, seen from inside the popup's
// modal loop (a timer) or after the pointer went there.
struct OwnerSeen {
    HWND Active = nullptr;
    bool CaptionActive = false;
    std::string NetActive; // _NET_ACTIVE_WINDOW, under a window manager
};

OwnerSeen SeeOwner(HWND owner) {
    OwnerSeen seen;
    seen.Active = GetActiveWindow();
    detail::Wnd* w = detail::W(owner);
    seen.CaptionActive = w && w->FrameActive;
    if (gtktest::HaveWindowManager()) seen.NetActive = gtktest::Output("xprop -root _NET_ACTIVE_WINDOW");
    return seen;
}

// The popup menu's loop: after a while the pointer goes into the menu, then the owner is looked at and
// the menu ends.
struct MenuScript {
    POINT Into{};
    HWND Owner = nullptr;
    int Ticks = 0;
    std::optional<OwnerSeen> Seen;
};
MenuScript* gMenuScript = nullptr;

void MenuScriptTick(HWND, UINT, UINT_PTR, DWORD) {
    MenuScript& m = *gMenuScript;
    ++m.Ticks;
    if (m.Ticks == 5) gtktest::Xdo("mousemove " + std::to_string(m.Into.X) + " " + std::to_string(m.Into.Y));
    if (m.Ticks == 12 && !m.Seen) {
        m.Seen = SeeOwner(m.Owner);
        EndMenu();
    }
}

// Popups take no activation from their owner, also where the keyboard follows the pointer (no window
// manager, before a window took the focus, or a focus-follows-mouse one) and the pointer goes into them.
TEST_F(GtkWindowSystemTest, PopupMenusAndKeyTipsLeaveTheActivationWithTheirOwner) {
    ShowMain();
    std::string xid = std::to_string(gtktest::XidOf(native));
    ASSERT_TRUE(gtktest::Xdo(gtktest::HaveWindowManager() ? "windowactivate --sync " + xid
                                                          : "windowfocus --sync " + xid));
    ASSERT_TRUE(RunUntil([&] { return GetActiveWindow() == hwnd; }, 3000));
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(ClientPoint(150, 150))));
    if (!gtktest::HaveWindowManager()) {
        ASSERT_TRUE(gtktest::Xdo("windowfocus --sync " + std::to_string(gtktest::RootXid())));
    }
    RunUntil([] { return false; }, 200);
    ASSERT_EQ(GetActiveWindow(), hwnd);
    std::string netActive =
        gtktest::HaveWindowManager() ? gtktest::Output("xprop -root _NET_ACTIVE_WINDOW") : "";

    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 1, "First");
    AppendMenu(menu, MF_STRING, 2, "Second");
    POINT at = ClientPoint(40, 40);
    MenuScript script;
    script.Into = POINT{at.X + 20, at.Y + 8};
    script.Owner = hwnd;
    gMenuScript = &script;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, MenuScriptTick);
    TrackPopupMenu(menu, TPM_LEFTALIGN, at.X, at.Y, 0, hwnd, nullptr);
    KillTimer(nullptr, timer);
    gMenuScript = nullptr;
    DestroyMenu(menu);
    ASSERT_TRUE(script.Seen.has_value()) << "the menu closed early";
    EXPECT_EQ(script.Seen->Active, hwnd);
    EXPECT_TRUE(script.Seen->CaptionActive);
    EXPECT_EQ(script.Seen->NetActive, netActive);

    // A key tip: a window that never activates, shown beside its owner.
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(ClientPoint(150, 150))));
    HWND tip = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "KalvenorGtkTest", "",
                              WS_POPUP, at.X, at.Y, 40, 30, hwnd, nullptr, nullptr, nullptr);
    ShowWindow(tip, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(RunUntil([&] { return gtktest::ScreenPixel(at.X + 20, at.Y + 15) == kFillRgb; }, 3000));
    ASSERT_TRUE(gtktest::Xdo("mousemove " + std::to_string(at.X + 20) + " " + std::to_string(at.Y + 15)));
    RunUntil([] { return false; }, 300);
    OwnerSeen seen = SeeOwner(hwnd);
    DestroyWindow(tip);
    EXPECT_EQ(seen.Active, hwnd);
    EXPECT_TRUE(seen.CaptionActive);
    EXPECT_EQ(seen.NetActive, netActive);
}

TEST(GtkProgramBackend, ChosenByTheVariableElseByTheDisplay) {
    if (!gtktest::HaveDisplay()) GTEST_SKIP() << "needs an X display: run under xvfb-run";
    vcl::TSystemInfo& info = vcl::SysInfo();
    backend::SetBackend(backend::CreateOffscreenBackend());
    // The variable wins: the offscreen backend stays.
    info.SetEnvironmentOverride("KALVENOR_BACKEND", vcl::String("offscreen"));
    EXPECT_EQ(gtkbackend::ChooseBackendForProgram(), "offscreen");
    EXPECT_STREQ(backend::GetBackend().Name(), "offscreen");
    // No variable, a display: the GTK backend is installed.
    info.SetEnvironmentOverride("KALVENOR_BACKEND", std::nullopt);
    backend::SetBackend(nullptr);
    EXPECT_EQ(gtkbackend::ChooseBackendForProgram(), "gtk");
    EXPECT_STREQ(backend::GetBackend().Name(), "gtk");
    info.ClearEnvironmentOverride("KALVENOR_BACKEND");
    backend::SetBackend(backend::CreateOffscreenBackend());
}

TEST(BackendClipboard, WithoutADisplayTheTextStaysInTheProcess) {
    auto offscreen = backend::CreateOffscreenBackend();
    EXPECT_EQ(offscreen->GetClipboardText(), "");
    offscreen->SetClipboardText("Grüße\r\nline two");
    EXPECT_EQ(offscreen->GetClipboardText(), "Grüße\r\nline two");
    // Each backend has its own: a second one starts empty.
    EXPECT_EQ(backend::CreateOffscreenBackend()->GetClipboardText(), "");
}
