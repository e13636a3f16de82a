// The window manager's side of the GTK backend: moves and sizes both ways, icons, titles, work areas,
// close requests, and the guarantees around callbacks (exceptions, destroyed windows, the clipboard,
// cursors).

#include <iostream>
#include <sstream>
#include <stdexcept>

#include "platform/rtl/SysInfo.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"

#include "GtkBackendFixture.h"

using namespace gtktest;

TEST_F(GtkBackendTest, OurOwnMovesAreNotEchoedButOutsideMovesAndSizesAre) {
    auto* w = Show(TRect{100, 100, 300, 250}, kBlue);
    w->SetBounds(TRect{150, 160, 330, 300});
    EXPECT_EQ(WaitForPixel(320, 290, kBlue, 3000), kBlue);
    Settle(150);
    for (const InputEvent& e : sink.Of(EventKind::BoundsChanged))
        ADD_FAILURE() << "echoed " << e.Bounds.Left << "," << e.Bounds.Top << "," << e.Bounds.Right << ","
                      << e.Bounds.Bottom;
    int x = 0, y = 0;
    gdk_window_get_origin(w->Gdk(), &x, &y);
    EXPECT_EQ(TPoint(x, y), (TPoint{150, 160}));

    // Another program (here xdotool) moves, then sizes the window: the window system hears of both.
    std::string id = std::to_string(XidOf(w));
    ASSERT_TRUE(Xdo("windowmove --sync " + id + " 400 300"));
    ASSERT_TRUE(Until(
        [&] {
            return !sink.Of(EventKind::BoundsChanged).empty() &&
                   sink.Of(EventKind::BoundsChanged).back().Bounds == TRect{400, 300, 580, 440};
        },
        3000));
    EXPECT_EQ(sink.Of(EventKind::BoundsChanged).back().Window, w);
    ASSERT_TRUE(Xdo("windowsize --sync " + id + " 240 200"));
    ASSERT_TRUE(Until(
        [&] {
            return sink.Of(EventKind::BoundsChanged).back().Bounds == TRect{400, 300, 640, 500};
        },
        3000));
}

TEST_F(GtkBackendTest, WindowsShowTheProgramsIconUnlessTheyHaveTheirOwn) {
    // Opaque pixels of one colour, in two sizes for the program and one for the window.
    auto image = [](int size, std::uint32_t argb) {
        return backend::IconImage{size, size, std::vector<std::uint32_t>(std::size_t(size * size), argb)};
    };
    display->SetProgramIcon({image(32, 0xFF2040C0), image(16, 0xFF2040C0)});
    auto* w = Show(TRect{100, 100, 300, 250}, kBlue);
    unsigned long xid = gtktest::XidOf(w);
    auto iconOf = [](unsigned long x) { return gtktest::XProp(x, "-f _NET_WM_ICON 32c _NET_WM_ICON"); };
    auto icon = [&] { return iconOf(xid); };
    auto showsOn = [&](unsigned long x, int size, std::uint32_t argb) {
        return iconOf(x).find(std::to_string(size) + ", " + std::to_string(size) + ", " +
                              std::to_string(argb)) != std::string::npos;
    };
    auto shows = [&](int size, std::uint32_t argb) { return showsOn(xid, size, argb); };
    EXPECT_TRUE(gtktest::PumpUntil([&] { return shows(32, 0xFF2040C0) && shows(16, 0xFF2040C0); }, 3000))
        << icon().substr(0, 80);
    // Its own icon replaces the program's; half-transparent pixels reach X with straight colour.
    w->SetIcon({image(24, 0x33330000)}); // premultiplied: red 0x33 of alpha 0x33 is full red
    EXPECT_TRUE(gtktest::PumpUntil([&] { return shows(24, 0x33FF0000); }, 3000)) << icon().substr(0, 80);
    EXPECT_FALSE(shows(32, 0xFF2040C0));
    // None of its own again: the program's.
    w->SetIcon({});
    EXPECT_TRUE(gtktest::PumpUntil([&] { return shows(32, 0xFF2040C0); }, 3000)) << icon().substr(0, 80);
    // The window manager reads the property alone: no icon pixmap in the old hints.
    const std::string hints = gtktest::XProp(xid, "WM_HINTS");
    EXPECT_EQ(hints.find("icon"), std::string::npos) << hints;
    // A new program icon reaches the windows on the screen that have none of their own, and only them.
    auto* own = Show(TRect{350, 100, 500, 250}, kBlue);
    own->SetIcon({image(24, 0xFF00A000)});
    const unsigned long ownXid = gtktest::XidOf(own);
    EXPECT_TRUE(gtktest::PumpUntil([&] { return showsOn(ownXid, 24, 0xFF00A000); }, 3000));
    display->SetProgramIcon({image(48, 0xFF102030)});
    EXPECT_TRUE(gtktest::PumpUntil([&] { return shows(48, 0xFF102030); }, 3000)) << icon().substr(0, 80);
    EXPECT_FALSE(shows(32, 0xFF2040C0));
    EXPECT_TRUE(showsOn(ownXid, 24, 0xFF00A000));
    EXPECT_FALSE(showsOn(ownXid, 48, 0xFF102030));
    // No program icon at all: the windows without their own lose it (a window manager may then put its
    // own default there).
    display->SetProgramIcon({});
    EXPECT_TRUE(gtktest::PumpUntil([&] { return !shows(48, 0xFF102030); }, 3000)) << icon().substr(0, 80);
    EXPECT_TRUE(showsOn(ownXid, 24, 0xFF00A000));
}

TEST_F(GtkBackendTest, WorkAreasFollowTheWindowManagersChanges) {
    // The work area is what the window manager publishes on the root window (without one, the screen).
    if (!gtktest::HaveWindowManager()) GTEST_SKIP() << "needs a window manager";
    const std::string published = gtktest::Output("xprop -root -notype _NET_WORKAREA");
    ASSERT_NE(published.find('='), std::string::npos) << "the window manager publishes no work area";
    std::vector<long> quads;
    std::istringstream in(published.substr(published.find('=') + 1));
    for (std::string item; std::getline(in, item, ',');)
        quads.push_back(std::stol(item));
    ASSERT_TRUE(!quads.empty() && quads.size() % 4 == 0) << published;
    auto primary = [&] {
        for (const backend::Monitor& m : display->Monitors())
            if (m.Primary) return m.WorkArea;
        return TRect{};
    };
    auto publish = [](const std::vector<long>& values) {
        std::string list;
        for (long v : values)
            list += (list.empty() ? "" : ",") + std::to_string(v);
        return gtktest::Output("xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA " + list +
                               " && echo set") == "set\n";
    };
    const TRect before = primary();
    EXPECT_EQ(primary(), before); // asked again, nothing changed

    // A panel 40 pixels high appears at the top of every desktop: the program sees the smaller work area
    // without being told anything else.
    std::vector<long> panel = quads;
    for (std::size_t i = 0; i < panel.size(); i += 4) {
        panel[i + 1] += 40;
        panel[i + 3] -= 40;
    }
    ASSERT_TRUE(publish(panel));
    const TRect smaller{before.Left, before.Top + 40, before.Right, before.Bottom};
    EXPECT_TRUE(gtktest::PumpUntil([&] { return primary() == smaller; }, 3000))
        << primary().Top << " " << primary().Bottom;
    // The panel goes.
    ASSERT_TRUE(publish(quads));
    EXPECT_TRUE(gtktest::PumpUntil([&] { return primary() == before; }, 3000)) << primary().Top;
}

TEST_F(GtkBackendTest, TitlesAreWellFormedUtf8ForTheWindowManager) {
    auto* w = Show(TRect{100, 100, 300, 250}, kBlue);
    unsigned long xid = gtktest::XidOf(w);
    w->SetTitle("Übersicht — Kalvenor");
    EXPECT_TRUE(gtktest::PumpUntil(
        [&] {
            return gtktest::XProp(xid, "_NET_WM_NAME").find("\"Übersicht — Kalvenor\"") != std::string::npos;
        },
        3000));
    // A stray byte cannot make the title unreadable: it shows as U+FFFD.
    w->SetTitle("A\xFF"
                "B");
    EXPECT_TRUE(gtktest::PumpUntil(
        [&] {
            return gtktest::XProp(xid, "_NET_WM_NAME")
                       .find("\"A\xEF\xBF\xBD"
                             "B\"") != std::string::npos;
        },
        3000))
        << gtktest::XProp(xid, "_NET_WM_NAME");
}

TEST_F(GtkBackendTest, CloseButtonOfTheWindowManagerIsARequestOnly) {
    auto* w = Show(TRect{100, 100, 300, 250}, kBlue);
    gtk_window_close(GTK_WINDOW(w->Widget()));
    ASSERT_TRUE(WaitFor(EventKind::CloseRequest));
    EXPECT_EQ(sink.Of(EventKind::CloseRequest)[0].Window, w);
    // The window stays until the window system destroys it.
    gtktest::Pump(50);
    EXPECT_TRUE(gtk_widget_get_visible(w->Widget()));
}

TEST_F(GtkBackendTest, EventsOfADestroyedWindowNeverReachTheWindowSystem) {
    auto* w = Show(TRect{100, 100, 300, 250}, kBlue);
    ASSERT_TRUE(Xdo("mousemove 120 120 click 1"));
    // GTK sees the input, but the window is gone before the window system waits again.
    gtktest::PumpUntil([] { return false; }, 200);
    windows.clear();
    Settle(100);
    for (const InputEvent& e : sink.Events)
        EXPECT_NE(e.Window, w);
}

TEST_F(GtkBackendTest, ExceptionsInCallbacksGoToTheHandlerAndInputGoesOn) {
    std::vector<std::string> caught;
    gtkbackend::SetExceptionHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& ex) {
            caught.push_back(ex.what());
        }
    });
    gtkbackend::SetFrameObserver([](backend::NativeWindow*) { throw std::runtime_error("observer failed"); });
    auto* w = Show(TRect{100, 100, 300, 250}, kBlue);
    ASSERT_FALSE(caught.empty());
    EXPECT_EQ(caught[0], "observer failed");

    // A handler that throws itself is survived too.
    gtkbackend::SetExceptionHandler([](std::exception_ptr) { throw std::runtime_error("handler failed"); });
    w->Present(SurfaceOf(0), TRect{0, 0, 10, 10});
    gtktest::Pump(100);
    ASSERT_TRUE(Xdo("mousemove 140 140 click 1"));
    EXPECT_TRUE(WaitFor(EventKind::ButtonUp));
}

TEST_F(GtkBackendTest, ClipboardKeepsUtf8TextAndCursorsReachTheWindows) {
    display->SetClipboardText("Grüße, 世界");
    EXPECT_EQ(display->GetClipboardText(), "Grüße, 世界");
    display->SetClipboardText("");
    EXPECT_EQ(display->GetClipboardText(), "");

    auto* w = Show(TRect{100, 100, 300, 250}, kBlue);
    GdkWindow* area = gtk_widget_get_window(gtk_bin_get_child(GTK_BIN(w->Widget())));
    display->SetCursor(backend::CursorShape::IBeam);
    GdkCursor* ibeam = gdk_window_get_cursor(area);
    ASSERT_NE(ibeam, nullptr);
    display->SetCursor(backend::CursorShape::SizeWE);
    EXPECT_NE(gdk_window_get_cursor(area), ibeam);
    display->SetCursor(backend::CursorShape::IBeam);
    EXPECT_EQ(gdk_window_get_cursor(area), ibeam); // made once, then reused
    // A window made later starts with the current cursor.
    auto* later = Show(TRect{400, 100, 500, 200}, kGreen);
    EXPECT_EQ(gdk_window_get_cursor(gtk_widget_get_window(gtk_bin_get_child(GTK_BIN(later->Widget())))),
              ibeam);
}

TEST_F(GtkBackendTest, ThemeSettingsChangesReachTheSystemInformation) {
    int changes = 0;
    int id = vcl::SysInfo().AddThemeChangeListener([&] { ++changes; });
    GtkSettings* settings = gtk_settings_get_default();
    gboolean dark = FALSE;
    g_object_get(settings, "gtk-application-prefer-dark-theme", &dark, nullptr);
    g_object_set(settings, "gtk-application-prefer-dark-theme", !dark, nullptr);
    // Reported from Wait, not from inside the GTK callback.
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(Until([&] { return changes == 1; }, 2000));
    g_object_set(settings, "gtk-application-prefer-dark-theme", dark, nullptr);
    EXPECT_TRUE(Until([&] { return changes == 2; }, 2000));
    gchar* theme = nullptr;
    g_object_get(settings, "gtk-theme-name", &theme, nullptr);
    g_object_set(settings, "gtk-theme-name", "HighContrast", nullptr);
    EXPECT_TRUE(Until([&] { return changes == 3; }, 2000));
    g_object_set(settings, "gtk-theme-name", theme, nullptr);
    g_free(theme);
    EXPECT_TRUE(Until([&] { return changes == 4; }, 2000));
    vcl::SysInfo().RemoveThemeChangeListener(id);
}

TEST_F(GtkBackendTest, WindowKindsMapToGtkWindows) {
    auto* owner = Show(TRect{100, 100, 300, 250}, kBlue);
    NativeWindowInfo popup;
    popup.Popup = true;
    popup.Topmost = true;
    popup.Owner = owner;
    auto* menu = Show(TRect{150, 150, 250, 200}, kRed, popup);
    EXPECT_EQ(gtk_window_get_window_type(GTK_WINDOW(menu->Widget())), GTK_WINDOW_POPUP);
    EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(menu->Widget())), GTK_WINDOW(owner->Widget()));
    EXPECT_FALSE(gtk_window_get_accept_focus(GTK_WINDOW(menu->Widget())));
    NativeWindowInfo tool;
    tool.ToolWindow = true;
    tool.NoActivate = true;
    auto* palette = Show(TRect{400, 100, 500, 200}, kGreen, tool);
    EXPECT_EQ(gtk_window_get_window_type(GTK_WINDOW(palette->Widget())), GTK_WINDOW_TOPLEVEL);
    EXPECT_TRUE(gtk_window_get_skip_taskbar_hint(GTK_WINDOW(palette->Widget())));
    EXPECT_FALSE(gtk_window_get_accept_focus(GTK_WINDOW(palette->Widget())));
    EXPECT_FALSE(gtk_window_get_decorated(GTK_WINDOW(palette->Widget())));
    EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(palette->Widget())), nullptr);
    // The popup stands where it was asked to, on top of its owner.
    EXPECT_EQ(gtktest::ScreenPixel(200, 175), kRed);
}

// ---- A window of the window system and the window manager's states, moves and sizes

namespace {

constexpr std::uint32_t kClientRgb = 0x3070D0;

win::LRESULT StateTestProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp) {
    if (msg == win::WM_PAINT) {
        win::PAINTSTRUCT ps;
        win::HDC dc = win::BeginPaint(h, &ps);
        win::RECT rc;
        win::GetClientRect(h, &rc);
        win::HBRUSH brush = win::CreateSolidBrush(win::RGB(0x30, 0x70, 0xD0));
        win::FillRect(dc, &rc, brush);
        win::DeleteObject(brush);
        win::EndPaint(h, &ps);
        return 0;
    }
    return win::DefWindowProc(h, msg, wp, lp);
}

std::string Text(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + " " + std::to_string(r.Width()) + "x" +
           std::to_string(r.Height());
}

} // namespace

// A framed top-level window of the window system on the GTK backend. The window manager's tests need one
// running (tests/support/with-window-manager); without one, only what a window has without it is checked.
class GtkWindowStates : public ::testing::Test {
protected:
    void SetUp() override {
        if (!gtktest::HaveDisplay()) GTEST_SKIP() << "needs an X display: run under xvfb-run";
        backend::SetBackend(gtkbackend::CreateGtkBackend());
        win::WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = StateTestProc;
        wc.lpszClassName = "KalvenorWindowStates";
        ASSERT_NE(win::RegisterClassEx(&wc), 0);
    }
    void TearDown() override {
        if (HasFailure()) {
            // What the screen showed, kept in the build folder beside the test's output.
            const std::string picture =
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".png";
            if (gtktest::WriteScreenPng(0, 0, 1280, 1024, picture))
                std::cerr << "screen at the failure: " << picture << "\n";
        }
        if (hwnd && win::IsWindow(hwnd)) win::DestroyWindow(hwnd);
        win::UnregisterClass("KalvenorWindowStates", nullptr);
        if (backend::HasBackend() && std::string(backend::GetBackend().Name()) == "gtk")
            backend::SetBackend(backend::CreateOffscreenBackend());
    }

    void ShowMain(const TRect& r) {
        hwnd = win::CreateWindowEx(0, "KalvenorWindowStates", "Kalvenor window states",
                                   win::WS_OVERLAPPEDWINDOW | win::WS_VISIBLE, r.Left, r.Top, r.Width(),
                                   r.Height(), nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        win::detail::Wnd* w = win::detail::W(hwnd);
        ASSERT_TRUE(w && w->Native);
        const TRect client = ClientOnScreen();
        ASSERT_TRUE(RunUntil(
            [&] { return gtktest::ScreenPixel(client.Left + 20, client.Top + 20) == kClientRgb; }, 5000));
        xid = gtktest::XidOf(w->Native.get());
        ASSERT_NE(xid, 0u);
    }
    // Runs the message loop until pred holds or ms passed.
    bool RunUntil(const std::function<bool()>& pred, int ms) {
        win::UINT_PTR timer = win::SetTimer(nullptr, 0, 15, nullptr); // wakes the loop while X is quiet
        win::DWORD end = win::GetTickCount() + static_cast<win::DWORD>(ms);
        win::MSG m;
        while (!pred() && static_cast<std::int32_t>(end - win::GetTickCount()) > 0)
            if (win::GetMessage(&m, nullptr, 0, 0) > 0) {
                win::TranslateMessage(&m);
                win::DispatchMessage(&m);
            }
        win::KillTimer(nullptr, timer);
        return pred();
    }
    void Settle(int ms) {
        RunUntil([] { return false; }, ms);
    }
    TRect Rect() const {
        win::RECT r{};
        win::GetWindowRect(hwnd, &r);
        return r;
    }
    TRect ClientOnScreen() const {
        win::RECT c{};
        win::GetClientRect(hwnd, &c);
        win::POINT p{0, 0};
        win::ClientToScreen(hwnd, &p);
        return TRect{p.X, p.Y, p.X + c.Right, p.Y + c.Bottom};
    }
    TRect OnX() const { return gtktest::XGeometry(xid); }
    // The screen shows the client area whole, to its far corner (and the pointer reaches it there).
    bool ShowsWhole() const {
        const TRect c = ClientOnScreen();
        return gtktest::ScreenPixel(c.Right - 3, c.Bottom - 3) == kClientRgb;
    }
    bool Zoomed() const { return win::IsZoomed(hwnd) != 0; }
    bool WmMaximized() const { return gtktest::WindowManagerMaximized(xid); }
    // The window system's and the window manager's view of the window, for a failure's message.
    std::string Seen() const {
        return "window system " + Text(Rect()) + (Zoomed() ? " maximised" : "") + "; X " + Text(OnX()) +
               (WmMaximized() ? " maximised" : "") + "; " + gtktest::XProp(xid, "_NET_WM_STATE");
    }
    // Both agree that the window is at r, in the state given.
    bool At(const TRect& r, bool maximized) const {
        return Rect() == r && OnX() == r && Zoomed() == maximized && WmMaximized() == maximized;
    }
    bool WmMaximize(bool on) const {
        return gtktest::SendToWindowManager(xid, "_NET_WM_STATE",
                                            {on ? 1 : 0, gtktest::XAtom("_NET_WM_STATE_MAXIMIZED_VERT"),
                                             gtktest::XAtom("_NET_WM_STATE_MAXIMIZED_HORZ"), 2});
    }
    // One _NET_MOVERESIZE_WINDOW with place and size, as a tiling tool or a pager sends it.
    bool WmMoveResize(const TRect& r) const {
        const long northWest = 1, allFour = 0xF << 8, fromPager = 2 << 12;
        return gtktest::SendToWindowManager(
            xid, "_NET_MOVERESIZE_WINDOW",
            {northWest | allFour | fromPager, r.Left, r.Top, r.Width(), r.Height()});
    }
    // A point of the caption, for a double click.
    win::POINT CaptionPoint() const {
        const TRect r = Rect();
        const int x = (r.Left + r.Right) / 2;
        for (int y = r.Top; y < r.Bottom; ++y)
            if (win::SendMessage(hwnd, win::WM_NCHITTEST, 0, win::MAKELPARAM(x, y)) == win::HTCAPTION)
                return win::POINT{x, y + 4};
        ADD_FAILURE() << "no caption in " << Text(r);
        return win::POINT{x, r.Top};
    }

    win::HWND hwnd = nullptr;
    unsigned long xid = 0;
};

TEST_F(GtkWindowStates, MaximisedByTheWindowManagerTheCaptionRestoresIt) {
    if (!gtktest::HaveWindowManager()) GTEST_SKIP() << "needs a window manager";
    const TRect restore{200, 150, 560, 410};
    ShowMain(restore);
    // The window manager maximises it (its key, its menu, a snap to the screen's edge): the window follows.
    ASSERT_TRUE(WmMaximize(true));
    ASSERT_TRUE(RunUntil([&] { return Zoomed() && WmMaximized() && Rect() == OnX() && ShowsWhole(); }, 5000))
        << Seen();
    EXPECT_GT(OnX().Width(), restore.Width());
    // A double click on the caption restores it, as the restore button does: the window manager lets go of
    // it, and it is back at its place and size on the screen.
    const win::POINT caption = CaptionPoint();
    ASSERT_TRUE(gtktest::Xdo("mousemove " + std::to_string(caption.X) + " " + std::to_string(caption.Y) +
                             " click --repeat 2 --delay 80 1"));
    EXPECT_TRUE(RunUntil([&] { return At(restore, false); }, 5000)) << Seen();
    Settle(300);
    EXPECT_TRUE(At(restore, false)) << Seen();
}

TEST_F(GtkWindowStates, TheProgramsMaximiseIsOneTheWindowManagerKnows) {
    const TRect restore{200, 150, 560, 410};
    ShowMain(restore);
    win::ShowWindow(hwnd, win::SW_MAXIMIZE);
    if (!gtktest::HaveWindowManager()) {
        // Without one, the maximised window's frame lies outside the work area, its caption at the top.
        RunUntil([&] { return OnX() == Rect(); }, 3000);
        TRect work;
        for (const backend::Monitor& m : backend::GetBackend().Monitors())
            if (m.Primary) work = m.WorkArea;
        const TRect r = Rect();
        EXPECT_TRUE(r.Left < work.Left && r.Top < work.Top && r.Right > work.Right && r.Bottom > work.Bottom)
            << Seen();
        EXPECT_EQ(OnX(), r) << Seen();
        EXPECT_GT(ClientOnScreen().Top, work.Top) << Seen();
        win::ShowWindow(hwnd, win::SW_RESTORE);
        EXPECT_TRUE(RunUntil([&] { return Rect() == restore && OnX() == restore && !Zoomed(); }, 3000))
            << Seen();
        return;
    }
    // The window manager holds it maximised, where it put it; the window system has it there too.
    ASSERT_TRUE(RunUntil([&] { return Zoomed() && WmMaximized() && Rect() == OnX(); }, 5000)) << Seen();
    Settle(300);
    const TRect maximised = OnX();
    EXPECT_TRUE(At(maximised, true)) << Seen();
    EXPECT_GT(maximised.Width(), restore.Width());
    // The window manager restores it: back where it was before the maximise, for both.
    ASSERT_TRUE(WmMaximize(false));
    EXPECT_TRUE(RunUntil([&] { return At(restore, false); }, 5000)) << Seen();

    // Maximised again, then minimised: it comes back maximised where the window manager keeps it, and is
    // restored by the program.
    win::ShowWindow(hwnd, win::SW_MAXIMIZE);
    EXPECT_TRUE(RunUntil([&] { return At(maximised, true); }, 5000)) << Seen();
    win::ShowWindow(hwnd, win::SW_MINIMIZE);
    EXPECT_TRUE(RunUntil(
        [&] {
            return gtktest::XProp(xid, "_NET_WM_STATE").find("_NET_WM_STATE_HIDDEN") != std::string::npos;
        },
        5000))
        << Seen();
    win::ShowWindow(hwnd, win::SW_RESTORE);
    EXPECT_TRUE(RunUntil([&] { return At(maximised, true) && ShowsWhole(); }, 5000)) << Seen();
    win::ShowWindow(hwnd, win::SW_RESTORE);
    EXPECT_TRUE(RunUntil([&] { return At(restore, false); }, 5000)) << Seen();

    // The window manager is asked to move and size the maximised window (a pager, a tiling tool): whatever
    // it makes of that, the two keep one view of the window's place and state.
    win::ShowWindow(hwnd, win::SW_MAXIMIZE);
    EXPECT_TRUE(RunUntil([&] { return At(maximised, true); }, 5000)) << Seen();
    ASSERT_TRUE(WmMoveResize(TRect{100, 100, 500, 400}));
    Settle(500);
    EXPECT_TRUE(RunUntil([&] { return Rect() == OnX() && Zoomed() == WmMaximized(); }, 3000)) << Seen();
}

TEST_F(GtkWindowStates, OneMoveAndSizeOfTheWindowManagerEndsAtTheNewPlaceAndSize) {
    if (!gtktest::HaveWindowManager()) GTEST_SKIP() << "needs a window manager";
    ShowMain(TRect{200, 150, 560, 410});
    // A tiling tool snaps it to halves of the screen and back, a script places it: each time in one step.
    const TRect steps[] = {{0, 0, 640, 1024},    {640, 0, 1280, 1024}, {100, 80, 520, 400},
                           {300, 200, 700, 500}, {250, 260, 650, 520}, {20, 30, 1000, 700}};
    for (const TRect& r : steps) {
        ASSERT_TRUE(WmMoveResize(r));
        EXPECT_TRUE(RunUntil([&] { return At(r, false); }, 5000)) << "to " << Text(r) << ": " << Seen();
        Settle(200);
        EXPECT_TRUE(At(r, false)) << "to " << Text(r) << ", later: " << Seen();
    }
}

TEST_F(GtkWindowStates, SizedByTheTopLeftCornerThroughTheWindowManagerItGrowsUpAndLeft) {
    if (!gtktest::HaveWindowManager()) GTEST_SKIP() << "needs a window manager";
    const TRect start{400, 300, 760, 560};
    ShowMain(start);
    // The window manager sizes the window by its top-left corner with the pointer (_NET_WM_MOVERESIZE, as a
    // window manager's own drag): the bottom-right corner stays where it is all along.
    const TPoint grip{start.Left + 2, start.Top + 2};
    ASSERT_TRUE(gtktest::Xdo("mousemove " + gtktest::At(grip)));
    Settle(100);
    ASSERT_TRUE(gtktest::SendToWindowManager(xid, "_NET_WM_MOVERESIZE", {grip.X, grip.Y, 0, 1, 1}));
    Settle(200);
    TRect expected = start;
    for (int step = 1; step <= 5; ++step) {
        const TPoint to{grip.X - 12 * step, grip.Y - 9 * step};
        ASSERT_TRUE(gtktest::Xdo("mousemove " + gtktest::At(to)));
        expected = TRect{start.Left - 12 * step, start.Top - 9 * step, start.Right, start.Bottom};
        EXPECT_TRUE(RunUntil([&] { return At(expected, false); }, 3000)) << "step " << step << ": " << Seen();
    }
    ASSERT_TRUE(gtktest::Xdo("mousedown 1 mouseup 1"));
    Settle(300);
    EXPECT_TRUE(RunUntil([&] { return At(expected, false); }, 3000)) << "released: " << Seen();
}
