// The mouse through the real input queue: enter and leave on windowless and windowed controls, routing
// to windowless children, capture on a press, clicks.

#include "tests/vcl/ControlTestSupport.h"

namespace controltest {
namespace {

class ControlMouseTest : public ControlTest {
protected:
    // Host at (100, 100), 300 x 200, with a panel at (10, 10) 200 x 100 holding two probes.
    void Build() {
        MakeHost(100, 100, 300, 200);
        panel = Child<TBox>(host.get(), "Panel", Rect(10, 10, 210, 110), &log);
        g1 = Child<TProbe>(panel, "G1", Rect(10, 10, 60, 60), &log);
        g2 = Child<TProbe>(panel, "G2", Rect(70, 10, 120, 60), &log);
        ShowHost();
        log.clear();
    }
    void MoveTo(int X, int Y) {
        screen->MoveMouse(X, Y);
        Pump();
    }

    TEventLog log;
    TBox* panel = nullptr;
    TProbe* g1 = nullptr;
    TProbe* g2 = nullptr;
};

TEST_F(ControlMouseTest, EnterAndLeaveFollowThePointerAcrossWindowlessAndWindowedControls) {
    Build();
    // Panel's client origin is (110, 110) on the screen.
    MoveTo(115, 115); // on the panel, outside both probes
    MoveTo(130, 130); // into G1
    MoveTo(135, 135); // still in G1: nothing new
    MoveTo(190, 130); // into G2 directly
    MoveTo(240, 130); // back to the panel
    MoveTo(350, 250); // onto the host, outside the panel
    TEventLog expected{"Enter:Panel", "Leave:Panel", "Enter:G1",    "Leave:G1",
                       "Enter:G2",    "Leave:G2",    "Enter:Panel", "Leave:Panel"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(GetMouseControl(), host.get());

    // Windowed children get them too.
    Child<TBox>(host.get(), "Inner", Rect(220, 20, 280, 80), &log);
    Pump();
    log.clear();
    MoveTo(330, 130); // inside Inner (host origin 100, 100)
    MoveTo(120, 280); // on the host, below the panel
    MoveTo(330, 130);
    EXPECT_EQ(log, (TEventLog{"Enter:Inner", "Leave:Inner", "Enter:Inner"}));
}

TEST_F(ControlMouseTest, EventsOnEnterAndLeaveHidingSendsLeaveAndAFreedControlIsForgotten) {
    Build();
    int enters = 0, leaves = 0;
    g1->OnMouseEnter = [&](TObject* s) {
        EXPECT_EQ(s, g1);
        ++enters;
    };
    g1->OnMouseLeave = [&](TObject*) { ++leaves; };
    MoveTo(130, 130);
    EXPECT_EQ(enters, 1);
    g1->SetVisible(false);
    EXPECT_EQ(leaves, 1);
    EXPECT_NE(GetMouseControl(), g1);
    // Leaving the whole screen area of the windows leaves the last control.
    g1->SetVisible(true);
    MoveTo(130, 130);
    EXPECT_EQ(enters, 2);
    MoveTo(1000, 700);
    EXPECT_EQ(leaves, 2);
    EXPECT_EQ(GetMouseControl(), nullptr);

    // A freed control is forgotten without messages.
    MoveTo(130, 130);
    ASSERT_EQ(GetMouseControl(), g1);
    FreeComponent(g1);
    g1 = nullptr;
    EXPECT_EQ(GetMouseControl(), nullptr);
    MoveTo(190, 130);
    EXPECT_EQ(GetMouseControl(), g2);
}

TEST_F(ControlMouseTest, PressCapturesAndReleaseOutsideDoesNotClick) {
    Build();
    int clicks = 0;
    std::vector<TPoint> ups;
    g1->OnClick = [&](TObject*) { ++clicks; };
    g1->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int X, int Y) {
        EXPECT_EQ(b, mbLeft);
        ups.push_back({X, Y});
    };
    std::vector<TPoint> moves;
    g1->OnMouseMove = [&](TObject*, TShiftState s, int X, int Y) {
        if (s.Contains(ssLeft)) moves.push_back({X, Y});
    };

    MoveTo(130, 130);
    screen->Press();
    Pump();
    EXPECT_TRUE(g1->MouseCapture());
    EXPECT_EQ(GetCaptureControl(), g1);
    // Moving over G2 while captured still goes to G1, in G1's coordinates.
    MoveTo(190, 130);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), Point(70, 10));
    screen->Release();
    Pump();
    EXPECT_FALSE(g1->MouseCapture());
    EXPECT_EQ(clicks, 0);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0], Point(70, 10));

    // Press and release inside: one click, before the mouse-up event.
    std::vector<std::string> order;
    g1->OnClick = [&](TObject*) { order.push_back("click"); };
    g1->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { order.push_back("up"); };
    screen->Click(135, 135);
    Pump();
    EXPECT_EQ(order, (std::vector<std::string>{"click", "up"}));
}

TEST_F(ControlMouseTest, MouseDownReachesTheTopmostChildInItsCoordinates) {
    Build();
    // A third probe over G1 and G2 takes the press.
    auto* top = Child<TProbe>(panel, "Top", Rect(40, 20, 90, 40), &log);
    TPoint down{-1, -1};
    TMouseButton button = mbMiddle;
    top->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int X, int Y) {
        button = b;
        down = {X, Y};
    };
    bool g1Down = false;
    g1->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { g1Down = true; };
    screen->Click(155, 135, backend::MouseButton::Right);
    Pump();
    EXPECT_EQ(button, mbRight);
    EXPECT_EQ(down, Point(5, 5));
    EXPECT_FALSE(g1Down);
    // Sent to the back, it no longer covers G1.
    top->SendToBack();
    screen->Click(155, 135);
    Pump();
    EXPECT_TRUE(g1Down);
    // A disabled control lets the press fall through to its parent.
    int panelDowns = 0;
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++panelDowns; };
    g1->SetEnabled(false);
    top->SetEnabled(false);
    screen->Click(155, 135);
    Pump();
    EXPECT_EQ(panelDowns, 1);
}

TEST_F(ControlMouseTest, FindDragTargetFindsTheControlUnderAScreenPoint) {
    Build();
    EXPECT_EQ(FindDragTarget(Point(130, 130), false), g1);
    EXPECT_EQ(FindDragTarget(Point(115, 115), false), panel);
    EXPECT_EQ(FindDragTarget(Point(350, 250), false), host.get());
    EXPECT_EQ(FindDragTarget(Point(900, 700), false), nullptr);
    g1->SetEnabled(false);
    EXPECT_EQ(FindDragTarget(Point(130, 130), false), panel);
    EXPECT_EQ(FindDragTarget(Point(130, 130), true), g1);
}

} // namespace
} // namespace controltest
