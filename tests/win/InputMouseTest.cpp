// Mouse input through the real queue: hit testing, capture, enter and leave, double clicks, activation
// by click, window regions and disabled windows.

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

class InputMouse : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        top = Top(100, 100, 400, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        GetClientRect(top, &client);
        origin = {0, 0};
        ClientToScreen(top, &origin);
        Pump();
        Log().clear();
    }
    POINT At(int x, int y) const { return {origin.X + x, origin.Y + y}; }
    void MoveTo(int x, int y) {
        screen->MoveMouse(origin.X + x, origin.Y + y);
        Pump();
    }
    HWND top = nullptr;
    RECT client{};
    POINT origin{};
};

TEST_F(InputMouse, ClientMessagesCarryClientCoordinatesAndKeys) {
    HWND child = Child(top, 10, 20, 100, 50);
    Log().clear();
    screen->Click(origin.X + 15, origin.Y + 30);
    Pump();
    // The top-level window is active already, the child is not the active window itself: it is asked.
    EXPECT_EQ(MessagesOf(child),
              (std::vector<UINT>{WM_MOUSEMOVE, WM_MOUSEACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(First(child, WM_LBUTTONDOWN).wp, MK_LBUTTON);
    EXPECT_EQ(First(child, WM_LBUTTONDOWN).lp, MAKELPARAM(5, 10));
    EXPECT_EQ(First(child, WM_LBUTTONUP).wp, 0u);
    // The parent heard of the press first, in its own coordinates.
    EXPECT_EQ(First(top, WM_PARENTNOTIFY).wp, MAKEWPARAM(WM_LBUTTONDOWN, 0));
    EXPECT_EQ(First(top, WM_PARENTNOTIFY).lp, MAKELPARAM(15, 30));
    // Coordinates left of and above the client area are negative 16-bit values.
    SetCapture(child);
    MoveTo(0, 0);
    const Logged& last = Log().back();
    EXPECT_EQ(last.msg, WM_MOUSEMOVE);
    EXPECT_EQ(GET_X_LPARAM(last.lp), -10);
    EXPECT_EQ(GET_Y_LPARAM(last.lp), -20);
}

TEST_F(InputMouse, NonClientMessagesComeWithTheHitTestCodeAndACaptionDragMovesTheWindow) {
    RECT wr;
    GetWindowRect(top, &wr);
    screen->MoveMouse(wr.Left + 50, wr.Top + 10); // the caption
    Pump();
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().back().msg, WM_NCMOUSEMOVE);
    EXPECT_EQ(static_cast<LRESULT>(Log().back().wp), HTCAPTION);
    EXPECT_EQ(Log().back().lp, MAKELPARAM(wr.Left + 50, wr.Top + 10)); // screen coordinates
    EXPECT_EQ(WindowFromPoint({wr.Left + 50, wr.Top + 10}), top);
    EXPECT_EQ(WindowFromPoint({5, 5}), nullptr);
    // A caption drag moves the window.
    screen->MoveMouse(wr.Left + 60, wr.Top + 10);
    screen->Press();
    screen->MoveMouse(wr.Left + 90, wr.Top + 50);
    screen->Release();
    Pump();
    RECT now;
    GetWindowRect(top, &now);
    EXPECT_EQ(now, (RECT{wr.Left + 30, wr.Top + 40, wr.Right + 30, wr.Bottom + 40}));
    EXPECT_EQ(Count(top, WM_ENTERSIZEMOVE), 1);
    EXPECT_EQ(Count(top, WM_EXITSIZEMOVE), 1);
    EXPECT_EQ(Count(top, WM_MOVING), 1);
    // Escape in the middle of a drag puts the window back and ends the drag; Enter ends it where it is.
    for (UINT key : {VK_ESCAPE, VK_RETURN}) {
        GetWindowRect(top, &wr);
        Log().clear();
        screen->Advance(1000); // no double click on the caption
        screen->MoveMouse(wr.Left + 60, wr.Top + 10);
        screen->Press();
        screen->MoveMouse(wr.Left + 80, wr.Top + 30);
        Pump();
        screen->PressKey(key);
        screen->MoveMouse(wr.Left + 120, wr.Top + 70);
        screen->Release();
        Pump();
        GetWindowRect(top, &now);
        EXPECT_EQ(now,
                  key == VK_ESCAPE ? wr : (RECT{wr.Left + 20, wr.Top + 20, wr.Right + 20, wr.Bottom + 20}));
        EXPECT_EQ(Count(top, WM_EXITSIZEMOVE), 1);
        EXPECT_EQ(Count(top, WM_KEYDOWN), 0); // the drag's own key
    }
    // The close button closes (WM_SYSCOMMAND SC_CLOSE, WM_CLOSE, destroy).
    GetWindowRect(top, &wr);
    screen->Click(wr.Right - 4 - 2 - 8, wr.Top + 4 + 8);
    Pump();
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(InputMouse, CaptureKeepsTheMouseAndLeaveComesOnMovingAwayAndWhenCaptureEnds) {
    HWND a = Child(top, 0, 0, 100, 100, WS_CHILD | WS_VISIBLE, 1);
    HWND b = Child(top, 200, 0, 100, 100, WS_CHILD | WS_VISIBLE, 2);
    MoveTo(10, 10);
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(GetCapture(), a);
    Log().clear();
    MoveTo(250, 50); // over b, but a has the capture
    EXPECT_EQ(Count(a, WM_MOUSEMOVE), 1);
    EXPECT_EQ(Count(b, WM_MOUSEMOVE), 0);
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(Count(a, WM_CAPTURECHANGED), 1);
    ReleaseCapture();
    EXPECT_EQ(Count(b, WM_CAPTURECHANGED), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    MoveTo(10, 10);
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, a, HOVER_DEFAULT};
    ASSERT_TRUE(TrackMouseEvent(&t));
    Log().clear();
    MoveTo(20, 20);
    EXPECT_EQ(Count(a, WM_MOUSELEAVE), 0);
    MoveTo(250, 20);
    // The leave comes before the new window's first move.
    auto order = AllMessages({WM_MOUSELEAVE, WM_MOUSEMOVE});
    std::vector<std::pair<HWND, UINT>> expected{{a, WM_MOUSEMOVE}, {a, WM_MOUSELEAVE}, {b, WM_MOUSEMOVE}};
    EXPECT_EQ(order, expected);
    MoveTo(10, 10);
    EXPECT_EQ(Count(a, WM_MOUSELEAVE), 1); // tracking ended with the leave
    // With the capture, moving out posts nothing; ending the capture outside posts the leave.
    TrackMouseEvent(&t);
    SetCapture(a);
    Log().clear();
    MoveTo(250, 20);
    EXPECT_EQ(Count(a, WM_MOUSELEAVE), 0);
    ReleaseCapture();
    Pump();
    EXPECT_EQ(Count(a, WM_MOUSELEAVE), 1);
    // Asking while the pointer is elsewhere gives the leave at once; cancelling stops tracking.
    Log().clear();
    TrackMouseEvent(&t);
    Pump();
    EXPECT_EQ(Count(a, WM_MOUSELEAVE), 1);
    TRACKMOUSEEVENT tb{sizeof tb, TME_LEAVE, b, HOVER_DEFAULT};
    TrackMouseEvent(&tb);
    tb.dwFlags = TME_LEAVE | TME_CANCEL;
    TrackMouseEvent(&tb);
    MoveTo(10, 10);
    EXPECT_EQ(Count(b, WM_MOUSELEAVE), 0);
    t.cbSize = 3;
    EXPECT_FALSE(TrackMouseEvent(&t));
}

// A native window not ours over ours (a browser's own view, another program's window): the display tells
// only that the pointer went there, and nothing of ours under it is reached until it comes back.
TEST_F(InputMouse, ThePointerGoneIntoANativeWindowNotOursIsALeaveForEveryWindowOfOurs) {
    HWND a = Child(top, 0, 0, 100, 100, WS_CHILD | WS_VISIBLE, 1);
    HWND page = Child(top, 200, 0, 150, 150, WS_CHILD | WS_VISIBLE, 2);
    screen->SetForeignWindows({vcl::TRect{At(200, 0).X, At(200, 0).Y, At(350, 150).X, At(350, 150).Y}});
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE | TME_HOVER, a, 300};
    MoveTo(10, 10);
    ASSERT_TRUE(TrackMouseEvent(&t));
    Log().clear();
    MoveTo(250, 20); // straight from a into the view over the page
    MoveTo(260, 30);
    screen->Advance(1000);
    EXPECT_EQ(Count(a, WM_MOUSELEAVE), 1);
    EXPECT_EQ(Count(a, WM_MOUSEHOVER), 0) << "no hover while the pointer is elsewhere";
    EXPECT_EQ(Count(page, WM_MOUSEMOVE), 0) << "the window under the view hears nothing";
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(p, At(250, 20)) << "the pointer is where it went";
    // Asked while the pointer is away, the leave comes at once; back over a, a hears the pointer again.
    Log().clear();
    t.dwFlags = TME_LEAVE;
    TrackMouseEvent(&t);
    Pump();
    EXPECT_EQ(Count(a, WM_MOUSELEAVE), 1);
    MoveTo(20, 20);
    EXPECT_EQ(Count(a, WM_MOUSEMOVE), 1);

    // A press over a holds the pointer's events there (the capture a button takes included) until the
    // release over the view; once a lets the pointer go, it hears the leave and nothing of ours is entered.
    ASSERT_TRUE(TrackMouseEvent(&t));
    screen->Press();
    Pump();
    SetCapture(a);
    Log().clear();
    MoveTo(260, 40);
    screen->Release();
    Pump();
    EXPECT_EQ(Count(a, WM_MOUSEMOVE), 1);
    EXPECT_EQ(Count(a, WM_LBUTTONUP), 1);
    EXPECT_EQ(Count(a, WM_MOUSELEAVE), 0) << "a keeps the capture";
    ReleaseCapture();
    Pump();
    EXPECT_EQ(Count(a, WM_MOUSELEAVE), 1);
    EXPECT_EQ(Count(page, WM_MOUSEMOVE), 0);
    EXPECT_EQ(Count(top, WM_MOUSEMOVE), 0);
    // Clicks over the view are the view's.
    screen->Click(At(270, 50).X, At(270, 50).Y);
    Pump();
    EXPECT_EQ(Count(page, WM_LBUTTONDOWN), 0);
}

TEST_F(InputMouse, HoverComesAfterTheHoverTimeAtRestAndDragDetectNeedsMovement) {
    HWND a = Child(top, 0, 0, 100, 100);
    MoveTo(10, 10);
    TRACKMOUSEEVENT t{sizeof t, TME_HOVER, a, 300};
    TrackMouseEvent(&t);
    screen->Advance(200);
    MoveTo(20, 20); // leaving the hover rectangle restarts the wait
    screen->Advance(200);
    EXPECT_EQ(Count(a, WM_MOUSEHOVER), 0);
    screen->Advance(100);
    EXPECT_EQ(Count(a, WM_MOUSEHOVER), 1);
    screen->Advance(1000);
    EXPECT_EQ(Count(a, WM_MOUSEHOVER), 1); // once per request
    screen->MoveMouse(origin.X + 10, origin.Y + 10);
    screen->MoveMouse(origin.X + 12, origin.Y + 10); // inside the 4-pixel rectangle
    screen->Release();
    EXPECT_FALSE(DragDetect(top, At(10, 10)));
    Pump();
    screen->MoveMouse(origin.X + 11, origin.Y + 10);
    screen->MoveMouse(origin.X + 20, origin.Y + 10);
    EXPECT_TRUE(DragDetect(top, At(10, 10)));
    Pump();
    EXPECT_FALSE(DragDetect(top, At(10, 10))); // nothing more will come: no hang
}

TEST_F(InputMouse, DoubleClicksOnlyForDoubleClickClassesWithinTimeAndDistance) {
    HWND plain = Child(top, 0, 0, 100, 100, WS_CHILD | WS_VISIBLE, 1, kClass);
    HWND dbl = Child(top, 200, 0, 100, 100, WS_CHILD | WS_VISIBLE, 2, kDblClass);
    auto click = [&](int x, int y) {
        screen->Click(origin.X + x, origin.Y + y);
        Pump();
    };
    click(10, 10);
    click(11, 11);
    EXPECT_EQ(Count(plain, WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(Count(plain, WM_LBUTTONDOWN), 2);
    click(210, 10);
    click(212, 12);
    EXPECT_EQ(Count(dbl, WM_LBUTTONDBLCLK), 1);
    click(210, 10); // a third click starts over
    EXPECT_EQ(Count(dbl, WM_LBUTTONDBLCLK), 1);
    click(215, 10); // too far: 5 pixels, the rectangle is 4 wide
    EXPECT_EQ(Count(dbl, WM_LBUTTONDBLCLK), 1);
    screen->Advance(GetDoubleClickTime() + 1);
    click(215, 10); // too late
    EXPECT_EQ(Count(dbl, WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(Count(dbl, WM_LBUTTONDOWN), 4);
}

TEST_F(InputMouse, TransparentHitTestsAndLayeredTransparentWindowsPassToTheWindowBelow) {
    HWND below = Child(top, 0, 0, 200, 200, WS_CHILD | WS_VISIBLE, 1);
    HWND above = Child(top, 0, 0, 100, 100, WS_CHILD | WS_VISIBLE, 2);
    Answer(WM_NCHITTEST, HTTRANSPARENT, above);
    Log().clear();
    MoveTo(50, 50);
    EXPECT_EQ(Count(above, WM_MOUSEMOVE), 0);
    EXPECT_EQ(Count(below, WM_MOUSEMOVE), 1);
    EXPECT_EQ(WindowFromPoint(At(50, 50)), below);
    EXPECT_EQ(ChildWindowFromPoint(top, {50, 50}), above); // no hit testing there
    EXPECT_EQ(ChildWindowFromPoint(top, {250, 250}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, {-5, 0}), nullptr);
    HWND overlay = Top(origin.X, origin.Y, 100, 100, WS_POPUP | WS_VISIBLE,
                       WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST);
    SetLayeredWindowAttributes(overlay, 0, 100, LWA_ALPHA);
    EXPECT_EQ(WindowFromPoint(At(10, 10)), below); // through the overlay and the transparent child
    SetWindowLongPtr(overlay, GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_EQ(WindowFromPoint(At(10, 10)), overlay);
}

TEST_F(InputMouse, AWindowRegionShapesHitTesting) {
    HWND round = Child(top, 0, 0, 100, 100, WS_CHILD | WS_VISIBLE, 1);
    SetWindowRgn(round, CreateEllipticRgn(0, 0, 100, 100), TRUE);
    EXPECT_EQ(WindowFromPoint(At(50, 50)), round);
    EXPECT_EQ(WindowFromPoint(At(2, 2)), top); // the corner is outside the ellipse
    RECT box;
    EXPECT_EQ(GetWindowRgnBox(round, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 99, 99})); // an elliptic region leaves out its right column and bottom row
    SetWindowRgn(round, nullptr, TRUE);
    EXPECT_EQ(WindowFromPoint(At(2, 2)), round);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(round, probe), ERROR);
    DeleteObject(probe);
}

TEST_F(InputMouse, ClickActivatesThroughMouseActivate) {
    HWND other = Top(600, 100, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(GetActiveWindow(), other);
    Log().clear();
    screen->Click(origin.X + 10, origin.Y + 10);
    Pump();
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(LOWORD(First(top, WM_ACTIVATE).wp), WA_CLICKACTIVE);
    // Eating the activation click: the window is activated but never sees the press.
    Answer(WM_MOUSEACTIVATE, MA_ACTIVATEANDEAT, other);
    Log().clear();
    POINT op{10, 10};
    ClientToScreen(other, &op);
    screen->Click(op.X, op.Y);
    Pump();
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(Count(other, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Count(other, WM_LBUTTONUP), 1);
}

TEST_F(InputMouse, APressInAChildTellsTheParentsFirstThenAsksTheChildWhichAsksItsParents) {
    HWND other = Top(600, 100, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND panel = Child(top, 10, 10, 200, 150, WS_CHILD | WS_VISIBLE, 1);
    HWND button = Child(panel, 20, 20, 80, 30, WS_CHILD | WS_VISIBLE, 2);
    // The button takes the focus on its press, as controls do.
    Override() = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (h == button && m == WM_LBUTTONDOWN) SetFocus(button);
        return false;
    };
    ASSERT_EQ(GetActiveWindow(), other);
    Log().clear();
    screen->Click(origin.X + 40, origin.Y + 40);
    Pump();
    std::set<UINT> keep{WM_PARENTNOTIFY, WM_MOUSEACTIVATE, WM_NCACTIVATE, WM_ACTIVATE,
                        WM_SETFOCUS,     WM_KILLFOCUS,     WM_LBUTTONDOWN};
    using Pairs = std::vector<std::pair<HWND, UINT>>;
    // Into an inactive window: the parents hear of the press before anything else happens.
    Pairs inactive{{panel, WM_PARENTNOTIFY},  {top, WM_PARENTNOTIFY},  {button, WM_MOUSEACTIVATE},
                   {panel, WM_MOUSEACTIVATE}, {top, WM_MOUSEACTIVATE}, {other, WM_NCACTIVATE},
                   {other, WM_ACTIVATE},      {top, WM_NCACTIVATE},    {top, WM_ACTIVATE},
                   {other, WM_KILLFOCUS},     {top, WM_SETFOCUS},      {button, WM_LBUTTONDOWN},
                   {top, WM_KILLFOCUS},       {button, WM_SETFOCUS}};
    EXPECT_EQ(AllMessages(keep), inactive);
    // Each asked window hears of the top-level window and the press.
    EXPECT_EQ(reinterpret_cast<HWND>(First(button, WM_MOUSEACTIVATE).wp), top);
    EXPECT_EQ(First(panel, WM_MOUSEACTIVATE).lp, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));

    // Into the window that is active now: the child is still not the active window itself.
    SetFocus(top);
    Log().clear();
    screen->Click(origin.X + 40, origin.Y + 40);
    Pump();
    Pairs active{{panel, WM_PARENTNOTIFY},  {top, WM_PARENTNOTIFY},  {button, WM_MOUSEACTIVATE},
                 {panel, WM_MOUSEACTIVATE}, {top, WM_MOUSEACTIVATE}, {button, WM_LBUTTONDOWN},
                 {top, WM_KILLFOCUS},       {button, WM_SETFOCUS}};
    EXPECT_EQ(AllMessages(keep), active);
    // The active window's own client area is not asked.
    Log().clear();
    screen->Click(origin.X + 300, origin.Y + 200);
    Pump();
    EXPECT_EQ(Count(top, WM_MOUSEACTIVATE), 0);
    EXPECT_EQ(Count(top, WM_LBUTTONDOWN), 1);
}

TEST_F(InputMouse, AChildThatRefusesActivationIsHeardOnEveryClick) {
    HWND other = Top(600, 100, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND tool = Child(top, 10, 10, 100, 40);
    // Clicks the child, answering WM_MOUSEACTIVATE in `who` with `answer`; true when the child got the press.
    auto click = [&](HWND who, LRESULT answer) {
        Answer(WM_MOUSEACTIVATE, answer, who);
        Log().clear();
        screen->Click(origin.X + 20, origin.Y + 20);
        Pump();
        EXPECT_EQ(Count(tool, WM_MOUSEACTIVATE), 1);
        EXPECT_EQ(Count(tool, WM_LBUTTONUP), 1);
        return Count(tool, WM_LBUTTONDOWN) == 1;
    };
    // A child that eats its presses without activating: the first click into the form and every later one.
    EXPECT_FALSE(click(tool, MA_NOACTIVATEANDEAT));
    EXPECT_FALSE(click(tool, MA_NOACTIVATEANDEAT));
    EXPECT_EQ(GetActiveWindow(), other);
    // MA_NOACTIVATE keeps the press; the form stays inactive.
    EXPECT_TRUE(click(tool, MA_NOACTIVATE));
    EXPECT_EQ(GetActiveWindow(), other);
    // The parents' answer counts for a child that leaves the question to them: a form that eats presses
    // in its children while it is active.
    SetActiveWindow(top);
    EXPECT_FALSE(click(top, MA_ACTIVATEANDEAT));
    EXPECT_EQ(GetActiveWindow(), top);
}

TEST_F(InputMouse, AWindowThatNeverActivatesLeavesTheActivationWithItsOwner) {
    HWND tip = Top(origin.X + 300, origin.Y + 10, 60, 30, WS_POPUP, WS_EX_NOACTIVATE | WS_EX_TOPMOST, top);
    ShowWindow(tip, SW_SHOWNOACTIVATE);
    ASSERT_EQ(GetActiveWindow(), top);
    Log().clear();
    // A click on it: it is asked, takes the press, and its owner stays active with an active caption.
    screen->Click(origin.X + 310, origin.Y + 20);
    Pump();
    EXPECT_EQ(Count(tip, WM_MOUSEACTIVATE), 1);
    EXPECT_EQ(Count(tip, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(Count(top, WM_NCACTIVATE), 0);
    // The display giving it the keyboard (the keyboard following the pointer) activates nothing either.
    backend::InputEvent e;
    e.Kind = backend::EventKind::Activate;
    e.Window = detail::W(tip)->Native.get();
    screen->Deliver(e);
    Pump();
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(Count(top, WM_NCACTIVATE), 0);
    // Another window the display activates is activated.
    HWND other = Top(600, 100, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetActiveWindow(top);
    e.Window = detail::W(other)->Native.get();
    screen->Deliver(e);
    Pump();
    EXPECT_EQ(GetActiveWindow(), other);
}

TEST_F(InputMouse, ADisabledOwnerGetsNoMouseInputAndTheWheelGoesToTheFocusAndUp) {
    EnableWindow(top, FALSE);
    Log().clear();
    screen->Click(origin.X + 10, origin.Y + 10);
    Pump();
    EXPECT_EQ(Count(top, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Count(top, WM_MOUSEMOVE), 0);
    EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    EXPECT_FALSE(GetKeyState(VK_LBUTTON) & 0x8000);
    // The wheel goes to the focus and up to its parents.
    EnableWindow(top, TRUE);
    HWND child = Child(top, 0, 0, 50, 50);
    SetFocus(child);
    Log().clear();
    screen->MoveMouse(5, 5); // far away: the wheel does not follow the pointer
    screen->Wheel(-120);
    Pump();
    EXPECT_EQ(Count(child, WM_MOUSEWHEEL), 1);
    EXPECT_EQ(Count(top, WM_MOUSEWHEEL), 1); // the default procedure passed it up
    for (const Logged& l : Sent(nullptr, WM_MOUSEWHEEL))
        EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(l.wp), -120);
}

// A modal box disables its owner. The window manager's focus on the owner, a press on it and the
// application's loss of the activation come in any order; each order ends with the box active, so that
// the keys reach it. A box that shows a box of its own hands on to that one.
TEST_F(InputMouse, TheFocusOrAPressOnAWindowABoxDisablesEndsWithTheBoxActive) {
    HWND box = Top(origin.X + 50, origin.Y + 50, 150, 100, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, top);
    HWND ok = Child(box, 10, 10, 50, 20);
    EnableWindow(top, FALSE);
    SetFocus(ok);
    ASSERT_EQ(GetActiveWindow(), box);
    auto focusOnOwner = [&] {
        backend::InputEvent e;
        e.Kind = backend::EventKind::Activate;
        e.Window = detail::W(top)->Native.get();
        screen->Deliver(e);
        Pump();
    };
    auto keysReachTheBox = [&](const char* order) {
        SCOPED_TRACE(order);
        EXPECT_EQ(GetActiveWindow(), box);
        const HWND f = GetFocus();
        ASSERT_TRUE(f == box || IsChild(box, f)) << "the focus is outside the box";
        Log().clear();
        screen->PressKey(VK_RETURN);
        Pump();
        EXPECT_EQ(Count(f, WM_KEYDOWN), 1);
    };
    // The application lost the activation before the window manager's focus came to the owner.
    screen->DeactivateApp();
    Pump();
    ASSERT_EQ(GetActiveWindow(), nullptr);
    focusOnOwner();
    keysReachTheBox("deactivated, then the focus on the owner");
    // The focus on the owner while the box is still active changes nothing.
    focusOnOwner();
    keysReachTheBox("the focus on the owner while the box is active");
    // A press on the owner after the loss of the activation.
    screen->DeactivateApp();
    Pump();
    screen->Click(origin.X + 10, origin.Y + 200);
    Pump();
    keysReachTheBox("deactivated, then a press on the owner");
    EXPECT_EQ(Count(top, WM_LBUTTONDOWN), 0) << "the owner still gets no mouse input";
    // The window manager moving the owner leaves the activation with the box.
    RECT r{};
    GetWindowRect(top, &r);
    screen->WindowManagerMoves(top, {r.Left + 20, r.Top, r.Right + 20, r.Bottom});
    Pump();
    keysReachTheBox("the owner moved by the window manager");
    // A box shown by the box: the first is disabled in turn, and the focus on the owner reaches the second.
    HWND inner = Top(origin.X + 80, origin.Y + 80, 100, 60, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, box);
    EnableWindow(box, FALSE);
    screen->DeactivateApp();
    Pump();
    focusOnOwner();
    EXPECT_EQ(GetActiveWindow(), inner);
    // With no box to hand on to, the focus on a disabled window activates nothing.
    DestroyWindow(inner);
    DestroyWindow(box);
    screen->DeactivateApp();
    Pump();
    focusOnOwner();
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(InputMouse, SyntheticInputTakesTheSamePath) {
    HWND child = Child(top, 0, 0, 100, 100);
    SetCursorPos(origin.X + 10, origin.Y + 10);
    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_MOVE, 5, 7, 0, 0); // relative
    Pump();
    EXPECT_EQ(Count(child, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(Count(child, WM_LBUTTONUP), 1);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p, At(15, 17));
    SetFocus(child);
    keybd_event(static_cast<BYTE>(VK_DOWN), 0, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(static_cast<BYTE>(VK_DOWN), 0, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
    Pump();
    EXPECT_EQ(Count(child, WM_KEYDOWN), 1);
    EXPECT_EQ(Count(child, WM_KEYUP), 1);
    // The offscreen pointer follows SetCursorPos.
    SetCursorPos(origin.X + 50, origin.Y + 50);
    screen->Press();
    screen->Release();
    Pump();
    EXPECT_EQ(Count(child, WM_LBUTTONDOWN), 2);
}

} // namespace
} // namespace wintest
