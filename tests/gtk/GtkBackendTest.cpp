// The GTK backend on a real X server: what its windows show, the input they turn into events, and what
// the window manager's side reports back. Run under xvfb-run (no window manager: moves are immediate).

#include "GtkBackendFixture.h"

#include <gdk/gdkx.h>

#include <algorithm>

using namespace gtktest;

TEST_F(GtkBackendTest, ScreenAndClock) {
    auto monitors = display->Monitors();
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_EQ(monitors[0].Bounds, (TRect{0, 0, 1280, 1024}));
    EXPECT_EQ(monitors[0].WorkArea, monitors[0].Bounds); // no window manager, no panels
    EXPECT_TRUE(monitors[0].Primary);

    // A deadline with nothing happening comes back as such, not before its time and not much after.
    std::uint32_t start = display->TickCount();
    backend::WaitResult r = backend::WaitResult::Event;
    while (r != backend::WaitResult::Deadline)
        r = display->Wait(start + 60);
    std::uint32_t took = display->TickCount() - start;
    EXPECT_GE(took, 60u);
    EXPECT_LT(took, 1000u);
    EXPECT_TRUE(sink.Events.empty());
    // A deadline already past returns at once.
    EXPECT_EQ(display->Wait(display->TickCount() - 5), backend::WaitResult::Deadline);
}

TEST_F(GtkBackendTest, ImageIsPresentedPerDirtyRectangleAndOpaque) {
    auto* w = Show(TRect{100, 100, 300, 250}, kBlue);
    cairo_surface_t* img = SurfaceOf(0);
    // Change two areas, present only the first: the second stays as it was on the screen.
    FillRect(img, 10, 10, 40, 40, kRed);
    FillRect(img, 120, 80, 40, 40, kGreen);
    w->Present(img, TRect{10, 10, 50, 50});
    EXPECT_EQ(gtktest::WaitForPixel(130, 130, kRed, 3000), kRed);
    gtktest::Pump(50);
    EXPECT_EQ(gtktest::ScreenPixel(240, 200), kBlue);
    w->Present(img, TRect{120, 80, 160, 120});
    EXPECT_EQ(gtktest::WaitForPixel(240, 200, kGreen, 3000), kGreen);

    // An ordinary window ignores the alpha byte of its pixels, as GDI does.
    cairo_surface_flush(img);
    auto* px = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(img));
    int stride = cairo_image_surface_get_stride(img) / 4;
    for (int y = 100; y < 110; ++y)
        for (int x = 20; x < 30; ++x)
            px[y * stride + x] = 0x00336699;
    cairo_surface_mark_dirty(img);
    w->Present(img, TRect{20, 100, 30, 110});
    EXPECT_EQ(gtktest::WaitForPixel(125, 205, 0x336699, 3000), 0x336699u);
}

TEST_F(GtkBackendTest, ColourKeyAndShapeCutTheWindowForPixelsAndClicks) {
    auto* below = Show(TRect{400, 100, 600, 300}, kGreen);
    auto* above = Show(TRect{420, 120, 580, 280}, kBlue);
    cairo_surface_t* img = SurfaceOf(1);
    // The key is in the platform's 0x00BBGGRR order: red pixels become holes.
    FillRect(img, 0, 0, 40, 40, kRed);
    above->Present(img, TRect{0, 0, 160, 160});
    above->SetOpacity(255, 0x001010E0, false);
    EXPECT_EQ(gtktest::WaitForPixel(430, 130, kGreen, 3000), kGreen);
    EXPECT_EQ(gtktest::ScreenPixel(500, 200), kBlue);
    // A click through the hole reaches the window below.
    ASSERT_TRUE(gtktest::Xdo("mousemove 430 130 click 1"));
    ASSERT_TRUE(WaitFor(EventKind::ButtonUp));
    EXPECT_EQ(sink.Of(EventKind::ButtonDown).at(0).Window, below);
    sink.Events.clear();

    // A shape of the window system cuts as well; dropping the key fills the hole again.
    above->SetOpacity(255, std::nullopt, false);
    above->SetShape(std::vector<TRect>{TRect{0, 0, 160, 80}});
    EXPECT_EQ(gtktest::WaitForPixel(500, 250, kGreen, 3000), kGreen);
    EXPECT_EQ(gtktest::WaitForPixel(430, 130, kRed, 3000), kRed);
    ASSERT_TRUE(gtktest::Xdo("mousemove 500 250 click 1"));
    ASSERT_TRUE(WaitFor(EventKind::ButtonUp));
    EXPECT_EQ(sink.Of(EventKind::ButtonDown).at(0).Window, below);
    above->SetShape(std::nullopt);
    EXPECT_EQ(gtktest::WaitForPixel(500, 250, kBlue, 3000), kBlue);
}

TEST_F(GtkBackendTest, RestackOrdersOverlappingWindows) {
    auto* a = Show(TRect{700, 100, 900, 300}, kRed);
    auto* b = Show(TRect{800, 200, 1000, 400}, kGreen);
    display->Restack({a, b});
    EXPECT_EQ(gtktest::WaitForPixel(850, 250, kRed, 3000), kRed);
    display->Restack({b, a});
    EXPECT_EQ(gtktest::WaitForPixel(850, 250, kGreen, 3000), kGreen);
}

TEST_F(GtkBackendTest, PointerButtonsAndWheelBecomeEventsInScreenCoordinates) {
    auto* w = Show(TRect{100, 500, 400, 700}, kBlue);
    ASSERT_TRUE(gtktest::Xdo("mousemove 150 540"));
    ASSERT_TRUE(Until(
        [&] {
            return !sink.Of(EventKind::MouseMove).empty() && sink.Events.back().Screen == TPoint{150, 540};
        },
        3000));
    EXPECT_EQ(sink.Events.back().Window, w);
    sink.Events.clear();

    ASSERT_TRUE(gtktest::Xdo("click 1 click 3 click 2"));
    ASSERT_TRUE(WaitFor(EventKind::ButtonUp, 3));
    std::vector<std::pair<EventKind, MouseButton>> seen;
    for (const InputEvent& e : sink.Events)
        if (e.Kind == EventKind::ButtonDown || e.Kind == EventKind::ButtonUp) {
            seen.emplace_back(e.Kind, e.Button);
            EXPECT_EQ(e.Screen, (TPoint{150, 540}));
        }
    std::vector<std::pair<EventKind, MouseButton>> expected{
        {EventKind::ButtonDown, MouseButton::Left},   {EventKind::ButtonUp, MouseButton::Left},
        {EventKind::ButtonDown, MouseButton::Right},  {EventKind::ButtonUp, MouseButton::Right},
        {EventKind::ButtonDown, MouseButton::Middle}, {EventKind::ButtonUp, MouseButton::Middle}};
    EXPECT_EQ(seen, expected);
    sink.Events.clear();

    // A double click is two plain presses: the window system recognises it.
    ASSERT_TRUE(gtktest::Xdo("click --repeat 2 --delay 50 1"));
    ASSERT_TRUE(WaitFor(EventKind::ButtonUp, 2));
    Settle(100);
    EXPECT_EQ(sink.Of(EventKind::ButtonDown).size(), 2u);
    sink.Events.clear();

    // One notch is 120; up and right are positive.
    ASSERT_TRUE(gtktest::Xdo("click 4 click 5 click 5 click 7 click 6"));
    ASSERT_TRUE(WaitFor(EventKind::Wheel, 5));
    std::vector<std::pair<int, bool>> wheel;
    for (const InputEvent& e : sink.Of(EventKind::Wheel))
        wheel.emplace_back(e.WheelDelta, e.Horizontal);
    EXPECT_EQ(wheel, (std::vector<std::pair<int, bool>>{
                         {120, false}, {-120, false}, {-120, false}, {120, true}, {-120, true}}));
}

TEST_F(GtkBackendTest, PointerWarpIsReportedAsAMove) {
    Show(TRect{100, 500, 400, 700}, kBlue);
    display->WarpPointer(TPoint{222, 611});
    ASSERT_TRUE(Until(
        [&] {
            return !sink.Events.empty() && sink.Events.back().Screen == TPoint{222, 611};
        },
        3000));
    EXPECT_EQ(sink.Events.back().Kind, EventKind::MouseMove);
}

TEST_F(GtkBackendTest, KeysBecomeVirtualKeysAndForeignTextBecomesCharacters) {
    auto* w = Show(TRect{500, 500, 700, 650}, kBlue);
    ASSERT_TRUE(gtktest::Xdo("mousemove 600 575"));
    Focus(w);
    ASSERT_TRUE(gtktest::Xdo("type --delay 20 'aB1!'"));
    ASSERT_TRUE(WaitFor(EventKind::KeyUp, 6));
    Settle(100);
    std::vector<unsigned> downs;
    for (const InputEvent& e : sink.Of(EventKind::KeyDown))
        downs.push_back(e.VirtualKey);
    EXPECT_EQ(downs, (std::vector<unsigned>{'A', 0x10, 'B', '1', 0x10, '1'}));
    EXPECT_EQ(sink.Of(EventKind::KeyUp).size(), downs.size());
    EXPECT_TRUE(sink.Of(EventKind::Char).empty());
    sink.Events.clear();

    // Left and right modifiers differ by scan code and the extended bit; grey keys are extended. (xdotool
    // may press other modifiers around a modifier it is asked for: look for ours among them.)
    struct KeyRow {
        const char* Name;
        unsigned Vk, Scan;
        bool Extended;
    } const rows[] = {{"Shift_L", 0x10, 0x2A, false},  {"Shift_R", 0x10, 0x36, false},
                      {"Control_R", 0x11, 0x1D, true}, {"Control_L", 0x11, 0x1D, false},
                      {"Alt_L", 0x12, 0x38, false},    {"F10", 0x79, 0, false},
                      {"KP_Enter", 0x0D, 0, true},     {"Return", 0x0D, 0, false},
                      {"Left", 0x25, 0, true},         {"Escape", 0x1B, 0, false}};
    for (const KeyRow& row : rows) {
        sink.Events.clear();
        ASSERT_TRUE(gtktest::Xdo(std::string("key ") + row.Name));
        auto seen = [&](EventKind kind) {
            for (const InputEvent& e : sink.Of(kind))
                if (e.VirtualKey == row.Vk && e.ScanCode == row.Scan && e.Extended == row.Extended)
                    return true;
            return false;
        };
        EXPECT_TRUE(Until([&] { return seen(EventKind::KeyUp); }, 3000)) << row.Name;
        EXPECT_TRUE(seen(EventKind::KeyDown)) << row.Name;
    }
    sink.Events.clear();

    // A character with no key of ours arrives as itself, once per press and without a key up. (xdotool's
    // spare-key trick races GDK's keymap update, so the press is handed to the window as X would.)
    for (int pass = 0; pass < 2; ++pass) {
        GdkEvent* press = gdk_event_new(pass == 0 ? GDK_KEY_PRESS : GDK_KEY_RELEASE);
        press->key.window = GDK_WINDOW(g_object_ref(w->Gdk()));
        press->key.keyval = GDK_KEY_eacute;
        press->key.hardware_keycode = 8;
        press->key.time = GDK_CURRENT_TIME;
        gtk_widget_event(w->Widget(), press);
        gdk_event_free(press);
    }
    Until([&] { return !sink.Events.empty(); }, 1000);
    ASSERT_EQ(sink.Events.size(), 1u);
    EXPECT_EQ(sink.Events[0].Kind, EventKind::Char);
    EXPECT_EQ(sink.Events[0].Char, U'é');
}

TEST_F(GtkBackendTest, FocusBetweenOurWindowsIsNoDeactivation) {
    auto* a = Show(TRect{100, 100, 300, 250}, kBlue);
    auto* b = Show(TRect{400, 100, 600, 250}, kGreen);
    Focus(a);
    ASSERT_TRUE(gtktest::Xdo("windowfocus --sync " + std::to_string(gtktest::XidOf(b))));
    ASSERT_TRUE(Until([&] { return !sink.Of(EventKind::Activate).empty(); }, 3000));
    Settle(100);
    EXPECT_EQ(sink.Of(EventKind::Activate).back().Window, b);
    EXPECT_TRUE(sink.Of(EventKind::Deactivate).empty());

    // Focus going to the root window (another program) deactivates, releasing keys held at that moment.
    sink.Events.clear();
    ASSERT_TRUE(gtktest::Xdo("keydown Shift_L"));
    ASSERT_TRUE(WaitFor(EventKind::KeyDown));
    ASSERT_TRUE(gtktest::Xdo("mousemove 1000 900"));
    // Another program takes the focus (here: the root window).
    gtktest::Xdo("windowfocus " + std::to_string(gdk_x11_window_get_xid(gdk_get_default_root_window())));
    ASSERT_TRUE(WaitFor(EventKind::Deactivate));
    auto ups = sink.Of(EventKind::KeyUp);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0].VirtualKey, 0x10u);
    gtktest::Xdo("keyup Shift_L");
}

TEST_F(GtkBackendTest, SmoothScrollingIsCollectedIntoWholeNotches) {
    auto* w = Show(TRect{100, 500, 400, 700}, kBlue);
    GtkWidget* area = gtk_bin_get_child(GTK_BIN(w->Widget()));
    auto scroll = [&](double dx, double dy, bool stop) {
        GdkEvent* e = gdk_event_new(GDK_SCROLL);
        e->scroll.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(area)));
        e->scroll.direction = GDK_SCROLL_SMOOTH;
        e->scroll.delta_x = dx;
        e->scroll.delta_y = dy;
        e->scroll.is_stop = stop;
        e->scroll.x_root = 150;
        e->scroll.y_root = 550;
        gdk_event_set_device(e,
                             gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
        gtk_widget_event(area, e);
        gdk_event_free(e);
    };
    // Half a notch and three quarters down make one notch; the quarter left counts later.
    scroll(0, 0.5, false);
    scroll(0, 0.75, false);
    scroll(0, -2.25, false); // the quarter down left, then 2.25 up: two notches up
    scroll(1.5, 0, false);   // one notch right, half kept
    scroll(0.25, 0, true);   // a stop drops what is left
    scroll(0.5, 0, false);
    Settle(50);
    std::vector<std::pair<int, bool>> wheel;
    for (const InputEvent& e : sink.Of(EventKind::Wheel)) {
        wheel.emplace_back(e.WheelDelta, e.Horizontal);
        EXPECT_EQ(e.Screen, (TPoint{150, 550}));
    }
    EXPECT_EQ(wheel, (std::vector<std::pair<int, bool>>{{-120, false}, {240, false}, {120, true}}));
}

TEST_F(GtkBackendTest, TransparentPixelsWithoutACompositorAreCutOut) {
    Show(TRect{700, 500, 900, 700}, kGreen);
    auto* layered = Show(TRect{720, 520, 880, 680}, kBlue);
    cairo_surface_t* img = SurfaceOf(1);
    cairo_t* cr = cairo_create(img);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, 0, 0, 50, 50);
    cairo_fill(cr);
    cairo_destroy(cr);
    layered->Present(img, TRect{0, 0, 160, 160});
    layered->SetOpacity(255, std::nullopt, true);
    EXPECT_EQ(gtktest::WaitForPixel(730, 530, kGreen, 3000), kGreen);
    EXPECT_EQ(gtktest::ScreenPixel(800, 600), kBlue);
    // Back to an ordinary window: the whole image shows again (its cleared pixels as black).
    layered->SetOpacity(255, std::nullopt, false);
    EXPECT_EQ(gtktest::WaitForPixel(730, 530, 0x000000, 3000), 0x000000u);
}

// The pointer going into a window not ours (a native widget over ours, as the browser's view is; another
// program's window; the root window) is told once, where it went; its coming back is a move. Between two
// windows of ours, and while a button pressed here holds the pointer, nothing is told.
TEST_F(GtkBackendTest, ThePointerGoingIntoAWindowNotOursIsToldOnceAndItsReturnIsAMove) {
    // The pointer rests where the view will be: it never leaves a window of ours for it.
    ASSERT_TRUE(gtktest::Xdo("mousemove 350 540"));
    auto* w = Show(TRect{100, 500, 400, 700}, kBlue);
    auto* v = Show(TRect{400, 500, 600, 700}, kGreen);
    auto view = ForeignWindow::Over(w, TRect{200, 0, 300, 120}, kRed);
    auto program = ForeignWindow::TopLevel(TRect{120, 650, 220, 750}, 0xC0C000);
    ASSERT_EQ(gtktest::WaitForPixel(350, 540, kRed, 3000), kRed);
    ASSERT_EQ(gtktest::WaitForPixel(170, 690, 0xC0C000, 3000), 0xC0C000u);
    auto leaves = [&] { return sink.Of(EventKind::MouseLeave); };
    auto lastMove = [&] {
        auto moves = sink.Of(EventKind::MouseMove);
        return moves.empty() ? TPoint{-1, -1} : moves.back().Screen;
    };
    // Moves the pointer and waits until the display tells what is expected (nothing: a while), then a
    // little longer for anything else it would tell.
    enum Told { Move, Leave, Nothing };
    auto moveTo = [&](TPoint p, Told told = Move) {
        sink.Events.clear();
        ASSERT_TRUE(gtktest::Xdo("mousemove " + At(p)));
        if (told != Nothing) Until([&] { return told == Move ? lastMove() == p : !leaves().empty(); }, 3000);
        Settle(told == Nothing ? 300 : 100);
    };
    moveTo({150, 540});
    ASSERT_EQ(lastMove(), (TPoint{150, 540}));

    const TPoint intoView{350, 540}, intoProgram{170, 690}, intoRoot{1000, 900};
    for (TPoint away : {intoView, intoProgram, intoRoot}) {
        moveTo(away, Leave);
        ASSERT_EQ(leaves().size(), 1u) << At(away);
        EXPECT_EQ(leaves()[0].Screen, away);
        moveTo({away.X + 5, away.Y + 5}, Nothing);
        EXPECT_TRUE(sink.Of(EventKind::MouseMove).empty() && leaves().empty())
            << "nothing near " << At(away) << " is ours";
        moveTo({150, 540});
        EXPECT_EQ(lastMove(), (TPoint{150, 540})) << "back from " << At(away);
    }

    // Over to the window beside, and back.
    moveTo({500, 540});
    EXPECT_EQ(sink.Events.back().Window, v);
    moveTo({150, 540});
    EXPECT_TRUE(leaves().empty());

    // A press here holds the pointer's events until the release, which ends where the pointer is.
    ASSERT_TRUE(gtktest::Xdo("mousedown 1"));
    moveTo(intoRoot);
    EXPECT_EQ(lastMove(), intoRoot);
    EXPECT_TRUE(leaves().empty());
    ASSERT_TRUE(gtktest::Xdo("mouseup 1"));
    ASSERT_TRUE(WaitFor(EventKind::MouseLeave));
    auto up = std::find_if(sink.Events.begin(), sink.Events.end(),
                           [](const InputEvent& e) { return e.Kind == EventKind::ButtonUp; });
    auto leave = std::find_if(sink.Events.begin(), sink.Events.end(),
                              [](const InputEvent& e) { return e.Kind == EventKind::MouseLeave; });
    EXPECT_LT(up, leave) << "the release first";
}

// The shape is on the X server before the window maps: the windows under the parts it cuts away are never
// covered, so they are never asked to paint them again (the browser's view would not).
TEST_F(GtkBackendTest, APopupHasItsShapeFromItsFirstPixelOn) {
    auto* below = Show(TRect{100, 100, 500, 400}, kBlue);
    gtktest::ExposeRecorder exposed(below);
    NativeWindowInfo info;
    info.Bounds = TRect{150, 150, 350, 250};
    info.Popup = true;
    auto popup = display->CreateNativeWindow(info);
    SurfacePtr img = Image(200, 100, kGreen);
    popup->SetShape(std::vector<TRect>{TRect{1, 1, 149, 99}});
    popup->SetVisible(true);
    popup->Present(img.get(), TRect{0, 0, 200, 100});
    EXPECT_EQ(gtktest::WaitForPixel(200, 200, kGreen, 3000), kGreen);
    Settle(200);
    EXPECT_EQ(gtktest::ScreenPixel(320, 200), kBlue) << "cut away";
    EXPECT_EQ(gtktest::ScreenPixel(150, 150), kBlue) << "cut away";
    EXPECT_TRUE(exposed.Rects.empty()) << exposed.Rects.size() << " exposures, the first at "
                                       << At({exposed.Rects[0].Left, exposed.Rects[0].Top});
}
