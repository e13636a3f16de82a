// The window manager's side of the GTK backend: moves and sizes both ways, close requests, and the
// guarantees around callbacks (exceptions, destroyed windows, the clipboard, cursors).

#include <stdexcept>

#include "platform/rtl/SysInfo.h"

#include "GtkBackendFixture.h"

using namespace gtktest;

TEST_F(GtkBackendTest, OurOwnMovesAreNotEchoedButOutsideMovesAndSizesAre) {
    auto* w = Show(TRect{100, 100, 300, 250}, kBlue);
    w->SetBounds(TRect{150, 160, 330, 300});
    EXPECT_EQ(WaitForPixel(320, 290, kBlue, 3000), kBlue);
    gtktest::WaitUntil(
        *display, [] { return false; }, 150);
    for (const InputEvent& e : sink.Of(EventKind::BoundsChanged))
        ADD_FAILURE() << "echoed " << e.Bounds.Left << "," << e.Bounds.Top << "," << e.Bounds.Right << ","
                      << e.Bounds.Bottom;
    int x = 0, y = 0;
    gdk_window_get_origin(w->Gdk(), &x, &y);
    EXPECT_EQ(TPoint(x, y), (TPoint{150, 160}));

    // Another program (here xdotool) moves, then sizes the window: the window system hears of both.
    std::string id = std::to_string(XidOf(w));
    ASSERT_TRUE(Xdo("windowmove --sync " + id + " 400 300"));
    ASSERT_TRUE(gtktest::WaitUntil(
        *display,
        [&] {
            return !sink.Of(EventKind::BoundsChanged).empty() &&
                   sink.Of(EventKind::BoundsChanged).back().Bounds == TRect{400, 300, 580, 440};
        },
        3000));
    EXPECT_EQ(sink.Of(EventKind::BoundsChanged).back().Window, w);
    ASSERT_TRUE(Xdo("windowsize --sync " + id + " 240 200"));
    ASSERT_TRUE(gtktest::WaitUntil(
        *display,
        [&] {
            return sink.Of(EventKind::BoundsChanged).back().Bounds == TRect{400, 300, 640, 500};
        },
        3000));
}

TEST_F(GtkBackendTest, MoveDragOnlyWhileTheButtonIsHeld) {
    auto* w = Show(TRect{100, 100, 300, 250}, kBlue);
    ASSERT_TRUE(Xdo("mousemove 150 110 mousedown 1"));
    ASSERT_TRUE(WaitFor(EventKind::ButtonDown));
    // Held: the window manager's drag (GDK's own, with no window manager) moves the window.
    ASSERT_TRUE(w->BeginMoveDrag(TPoint{150, 110}));
    ASSERT_TRUE(Xdo("mousemove 200 150 sleep 0.1 mousemove 250 210 sleep 0.1 mouseup 1"));
    ASSERT_TRUE(gtktest::WaitUntil(
        *display,
        [&] {
            return !sink.Of(EventKind::BoundsChanged).empty() &&
                   sink.Of(EventKind::BoundsChanged).back().Bounds.Left == 200;
        },
        3000));
    EXPECT_EQ(sink.Of(EventKind::BoundsChanged).back().Bounds, (TRect{200, 200, 400, 350}));
    // The release went to the drag: the next move tells the window system the button is up.
    ASSERT_TRUE(Xdo("mousemove 260 260"));
    ASSERT_TRUE(WaitFor(EventKind::ButtonUp));
    EXPECT_EQ(sink.Of(EventKind::ButtonUp)[0].Button, MouseButton::Left);

    // Released before the window system asks: no drag that would follow the pointer until the next click.
    ASSERT_TRUE(Xdo("click 1"));
    ASSERT_TRUE(WaitFor(EventKind::ButtonUp, 2));
    EXPECT_FALSE(w->BeginMoveDrag(TPoint{260, 260}));
    EXPECT_FALSE(w->BeginResizeDrag(17, TPoint{260, 260}));
    EXPECT_FALSE(w->BeginResizeDrag(2 /* caption: not an edge */, TPoint{260, 260}));
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
    gtktest::WaitUntil(
        *display, [] { return false; }, 100);
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
    EXPECT_TRUE(gtktest::WaitUntil(
        *display, [&] { return changes == 1; }, 2000));
    g_object_set(settings, "gtk-application-prefer-dark-theme", dark, nullptr);
    EXPECT_TRUE(gtktest::WaitUntil(
        *display, [&] { return changes == 2; }, 2000));
    gchar* theme = nullptr;
    g_object_get(settings, "gtk-theme-name", &theme, nullptr);
    g_object_set(settings, "gtk-theme-name", "HighContrast", nullptr);
    EXPECT_TRUE(gtktest::WaitUntil(
        *display, [&] { return changes == 3; }, 2000));
    g_object_set(settings, "gtk-theme-name", theme, nullptr);
    g_free(theme);
    EXPECT_TRUE(gtktest::WaitUntil(
        *display, [&] { return changes == 4; }, 2000));
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
