// Window creation, showing, sizing, activation, focus and destruction: the message orders as tables.

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

using Order = std::vector<UINT>;

class WindowLifecycle : public WinTest {};

TEST_F(WindowLifecycle, VisibleAndHiddenTopLevelAndChildCreationFollowThePlatformOrder) {
    HWND h = Top(100, 100, 400, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_TRUE(IsWindow(h));
    // An overlapped window hears its first size and place after its first showing.
    Order expected{WM_GETMINMAXINFO,     WM_NCCREATE,    WM_NCCALCSIZE, WM_CREATE,   WM_SHOWWINDOW,
                   WM_WINDOWPOSCHANGING, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS,
                   WM_WINDOWPOSCHANGED,  WM_SIZE,        WM_MOVE};
    EXPECT_EQ(MessagesOf(h), expected);
    EXPECT_EQ(GetActiveWindow(), h);
    EXPECT_EQ(GetFocus(), h);
    // The first WM_SIZE carries the client size; WM_MOVE the client origin on the screen.
    RECT c;
    GetClientRect(h, &c);
    EXPECT_EQ(c, (RECT{0, 0, 400 - 8, 300 - 8 - 19}));
    EXPECT_EQ(First(h, WM_SIZE).lp, MAKELPARAM(c.Right, c.Bottom));
    EXPECT_EQ(First(h, WM_MOVE).lp, MAKELPARAM(104, 123));
    HWND top = Top(0, 0, 200, 200);
    EXPECT_EQ(MessagesOf(top), (Order{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
    Log().clear();
    HWND child = Child(top, 5, 6, 50, 40, WS_CHILD | WS_VISIBLE, 7);
    EXPECT_EQ(MessagesOf(child), (Order{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                                        WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));
    // The parent hears of the new child before the child is shown, with the child's id and handle.
    EXPECT_EQ(AllMessages({WM_PARENTNOTIFY, WM_SHOWWINDOW}),
              (std::vector<std::pair<HWND, UINT>>{{top, WM_PARENTNOTIFY}, {child, WM_SHOWWINDOW}}));
    EXPECT_EQ(First(top, WM_PARENTNOTIFY).wp, MAKEWPARAM(WM_CREATE, 7));
    EXPECT_EQ(reinterpret_cast<HWND>(First(top, WM_PARENTNOTIFY).lp), child);
    EXPECT_FALSE(IsWindowVisible(child)); // its parent is hidden
    EXPECT_EQ(GetParent(child), top);
    // ShowWindow returns the previous visibility; SW_SHOWNA does not activate.
    Log().clear();
    EXPECT_FALSE(ShowWindow(top, SW_SHOWNA));
    EXPECT_NE(GetActiveWindow(), top);
    EXPECT_TRUE(ShowWindow(top, SW_HIDE));
    EXPECT_FALSE(ShowWindow(top, SW_HIDE));
    EXPECT_EQ(Count(top, WM_SHOWWINDOW), 2);
}

TEST_F(WindowLifecycle, FailedCreationsCleanUpAndDestroyGoesParentFirstThenChildrenFirst) {
    Answer(WM_CREATE, -1);
    HWND h = Top(0, 0, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(h, nullptr);
    ASSERT_GE(Log().size(), 2u);
    EXPECT_EQ(Log()[Log().size() - 2].msg, WM_DESTROY);
    EXPECT_EQ(Log().back().msg, WM_NCDESTROY);
    EXPECT_FALSE(IsWindow(Log().back().hwnd));
    Answer(WM_NCCREATE, FALSE);
    Log().clear();
    EXPECT_EQ(Top(0, 0, 100, 100), nullptr);
    EXPECT_EQ(Log().back().msg, WM_NCDESTROY);
    Override() = nullptr;
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
    EXPECT_EQ(CreateWindowEx(0, kClass, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    HWND top = Top(0, 0, 300, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = Child(top, 0, 0, 50, 50);
    HWND grand = Child(child, 0, 0, 10, 10);
    Log().clear();
    EXPECT_TRUE(DestroyWindow(top));
    auto order = AllMessages({WM_DESTROY, WM_NCDESTROY});
    std::vector<std::pair<HWND, UINT>> expected{{top, WM_DESTROY},     {child, WM_DESTROY},
                                                {grand, WM_DESTROY},   {grand, WM_NCDESTROY},
                                                {child, WM_NCDESTROY}, {top, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    // The visible active window is hidden and deactivated before WM_DESTROY; the application hears it
    // before the focus goes.
    EXPECT_EQ(MessagesOf(top), (Order{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE, WM_ACTIVATE,
                                      WM_ACTIVATEAPP, WM_KILLFOCUS, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(grand));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    // A stale handle is refused everywhere, and no new window ever gets it.
    EXPECT_EQ(SendMessage(top, WM_USER, 0, 0), 0);
    EXPECT_FALSE(DestroyWindow(top));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    HWND again = Top(0, 0, 10, 10);
    EXPECT_NE(again, top);
}

TEST_F(WindowLifecycle, OwnedWindowsGoWithTheirOwnerAndDestroyingItselfInAHandlerIsSafe) {
    HWND owner = Top(0, 0, 300, 300);
    HWND popup = Top(10, 10, 50, 50, WS_POPUP, 0, owner);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
    EXPECT_EQ(GetParent(popup), owner); // a popup's parent is its owner
    HWND tool = Top(10, 10, 50, 50, WS_OVERLAPPED, 0, owner);
    EXPECT_EQ(GetParent(tool), nullptr); // an overlapped window has none
    Log().clear();
    DestroyWindow(owner);
    auto order = AllMessages({WM_DESTROY});
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order.back().first, owner);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_FALSE(IsWindow(tool));
    HWND h = Top(0, 0, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Override() = [](HWND hw, UINT m, WPARAM, LPARAM, LRESULT* r) {
        if (m == WM_USER) {
            DestroyWindow(hw);
            DestroyWindow(hw); // a second call on a dying window does nothing harmful
            *r = 5;
            return true;
        }
        return false;
    };
    EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 5);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(Count(h, WM_NCDESTROY), 1);
}

TEST_F(WindowLifecycle, SizingAndMovingSendTheirMessages) {
    HWND h = Top(10, 10, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Log().clear();
    SetWindowPos(h, nullptr, 20, 30, 320, 240, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(MessagesOf(h), (Order{WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE,
                                    WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r, (RECT{20, 30, 340, 270}));
    Log().clear();
    // MoveWindow passes its size: the limits are asked for again, but the size stays, so the client area
    // is not computed again.
    MoveWindow(h, 25, 30, 320, 240, TRUE);
    EXPECT_EQ(MessagesOf(h), (Order{WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_WINDOWPOSCHANGED, WM_MOVE}));
    Log().clear();
    std::vector<WINDOWPOS> seen;
    Override() = [&seen](HWND, UINT m, WPARAM, LPARAM lp, LRESULT*) {
        if (m == WM_WINDOWPOSCHANGING) seen.push_back(*reinterpret_cast<WINDOWPOS*>(lp));
        return false;
    };
    SetWindowPos(h, nullptr, 26, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A pure move keeps the client area as it is: no WM_NCCALCSIZE.
    EXPECT_EQ(MessagesOf(h), (Order{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
    // WM_WINDOWPOSCHANGING carries the caller's values.
    SetWindowPos(h, nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ((std::vector<int>{seen[0].x, seen[0].y, seen[0].cx, seen[0].cy}),
              (std::vector<int>{26, 30, 0, 0}));
    EXPECT_EQ((std::vector<int>{seen[1].x, seen[1].y, seen[1].cx, seen[1].cy}),
              (std::vector<int>{0, 0, 320, 240}));
    // A handler of WM_WINDOWPOSCHANGING may change the proposal (magnet snapping does so).
    Override() = [](HWND, UINT m, WPARAM, LPARAM lp, LRESULT*) {
        if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lp)->x = 0;
        return false;
    };
    MoveWindow(h, 7, 30, 320, 240, TRUE);
    GetWindowRect(h, &r);
    EXPECT_EQ(r.Left, 0);
    // The default minimum track size holds.
    Override() = nullptr;
    SetWindowPos(h, nullptr, 0, 0, 5, 5, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(h, &r);
    EXPECT_EQ(r.Width(), GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(r.Height(), GetSystemMetrics(SM_CYMINTRACK));
}

TEST_F(WindowLifecycle, ActivationAndFocusChangeOrdersAndRules) {
    HWND a = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND b = Top(50, 50, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(GetTopWindow(nullptr), b);
    Log().clear();
    EXPECT_EQ(SetActiveWindow(a), b);
    auto order = AllMessages({WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS, WM_WINDOWPOSCHANGING,
                              WM_WINDOWPOSCHANGED, WM_ACTIVATEAPP});
    std::vector<std::pair<HWND, UINT>> expected{
        {b, WM_NCACTIVATE}, {b, WM_ACTIVATE}, {a, WM_WINDOWPOSCHANGING}, {a, WM_WINDOWPOSCHANGED},
        {a, WM_NCACTIVATE}, {a, WM_ACTIVATE}, {b, WM_KILLFOCUS},         {a, WM_SETFOCUS}};
    EXPECT_EQ(order, expected);
    // Each side names the other.
    EXPECT_EQ(LOWORD(First(b, WM_ACTIVATE).wp), WA_INACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(First(b, WM_ACTIVATE).lp), a);
    EXPECT_EQ(LOWORD(First(a, WM_ACTIVATE).wp), WA_ACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(First(a, WM_ACTIVATE).lp), b);
    EXPECT_EQ(GetTopWindow(nullptr), a);
    EXPECT_EQ(GetFocus(), a);
    // Hiding the active window activates the next one.
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), b);
    HWND top = Top(0, 0, 300, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND c1 = Child(top, 0, 0, 50, 50, WS_CHILD | WS_VISIBLE, 1);
    HWND c2 = Child(top, 60, 0, 50, 50, WS_CHILD | WS_VISIBLE, 2);
    SetFocus(c1);
    Log().clear();
    EXPECT_EQ(SetFocus(c2), c1);
    order = AllMessages({WM_KILLFOCUS, WM_SETFOCUS});
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{c1, WM_KILLFOCUS}, {c2, WM_SETFOCUS}}));
    EXPECT_EQ(reinterpret_cast<HWND>(Log()[0].wp), c2);
    EXPECT_EQ(reinterpret_cast<HWND>(Log()[1].wp), c1);
    // A disabled window takes no focus and loses it when disabled.
    EnableWindow(c1, FALSE);
    EXPECT_EQ(SetFocus(c1), nullptr);
    EXPECT_EQ(GetFocus(), c2);
    EnableWindow(c2, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(Count(c2, WM_ENABLE), 1);
    // Focus in another top-level window activates it first.
    HWND other = Top(400, 0, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND oc = Child(other, 0, 0, 10, 10);
    SetActiveWindow(top);
    SetFocus(oc);
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(GetFocus(), oc);
}

TEST_F(WindowLifecycle, PlacementKeepsTheRestoredBoundsWhileMinimisedOrMaximised) {
    HWND h = Top(100, 120, 400, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Log().clear();
    ShowWindow(h, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(h));
    RECT r, work;
    GetWindowRect(h, &r);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    // The frame lies just outside the work area.
    EXPECT_EQ(r, (RECT{work.Left - 4, work.Top - 4, work.Right + 4, work.Bottom + 4}));
    ASSERT_FALSE(WParams(h, WM_SIZE).empty());
    EXPECT_EQ(WParams(h, WM_SIZE).back(), static_cast<WPARAM>(SIZE_MAXIMIZED));
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(h, &wp);
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition, (RECT{100, 120, 500, 420}));
    ShowWindow(h, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(h));
    EXPECT_FALSE(IsZoomed(h));
    GetWindowPlacement(h, &wp);
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_EQ(wp.flags & WPF_RESTORETOMAXIMIZED, WPF_RESTORETOMAXIMIZED);
    EXPECT_EQ(wp.rcNormalPosition, (RECT{100, 120, 500, 420}));
    EXPECT_NE(GetActiveWindow(), h); // minimising deactivates
    ShowWindow(h, SW_RESTORE);       // back to maximised, as it was
    EXPECT_TRUE(IsZoomed(h));
    ShowWindow(h, SW_RESTORE);
    GetWindowRect(h, &r);
    EXPECT_EQ(r, (RECT{100, 120, 500, 420}));
    // A placement set while maximised decides where a later restore goes.
    ShowWindow(h, SW_SHOWMAXIMIZED);
    wp.rcNormalPosition = {10, 20, 210, 220};
    wp.showCmd = SW_SHOWMAXIMIZED;
    wp.flags = 0;
    EXPECT_TRUE(SetWindowPlacement(h, &wp));
    ShowWindow(h, SW_RESTORE);
    GetWindowRect(h, &r);
    EXPECT_EQ(r, (RECT{10, 20, 210, 220}));
    wp.length = 3;
    EXPECT_FALSE(SetWindowPlacement(h, &wp));
}

} // namespace
} // namespace wintest
