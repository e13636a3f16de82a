// Windows asked to lie at the ends of the int range, by callers of the window system, its hooks and window
// procedures: the window system keeps every window within +-MaxWindowCoordinate with a size from 0 to it,
// and adds positions along a chain of parents without leaving int (the sanitizer checks every sum).

#include <climits>
#include <cstdint>

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

constexpr int kMax = MaxWindowCoordinate;

class WindowRange : public WinTest {
protected:
    static RECT WindowRect(HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        return r;
    }
    static RECT ClientRect(HWND h) {
        RECT r{};
        GetClientRect(h, &r);
        return r;
    }
    static POINT ClientOrigin(HWND h) {
        POINT p{0, 0};
        ClientToScreen(h, &p);
        return p;
    }
};

TEST_F(WindowRange, SetWindowPosMoveWindowAndTheChangingHandlerAreKeptInRange) {
    HWND h = Top(100, 100, 300, 200, WS_POPUP);
    SetWindowPos(h, nullptr, INT_MAX, INT_MAX, 100, 100, SWP_NOZORDER);
    EXPECT_EQ(WindowRect(h), vcl::Bounds(kMax, kMax, 100, 100));
    MoveWindow(h, INT_MIN + 1, INT_MIN + 1, INT_MAX, INT_MAX, TRUE);
    EXPECT_EQ(WindowRect(h), vcl::Bounds(-kMax, -kMax, kMax, kMax));
    MoveWindow(h, 10, 10, -5, INT_MIN, TRUE);
    EXPECT_EQ(WindowRect(h), vcl::Bounds(10, 10, 0, 0)) << "a negative size is empty";
    // The handler is offered the kept place, and what it leaves is kept again.
    WINDOWPOS offered{};
    Override() = [&](HWND, UINT m, WPARAM, LPARAM l, LRESULT*) {
        if (m != WM_WINDOWPOSCHANGING) return false;
        auto* pos = reinterpret_cast<WINDOWPOS*>(l);
        offered = *pos;
        pos->x = pos->y = pos->cx = pos->cy = INT_MAX;
        return true;
    };
    SetWindowPos(h, nullptr, INT_MIN + 1, INT_MAX, 50, 50, SWP_NOZORDER);
    EXPECT_EQ(offered.x, -kMax);
    EXPECT_EQ(offered.y, kMax);
    EXPECT_EQ(WindowRect(h), vcl::Bounds(kMax, kMax, kMax, kMax));
}

TEST_F(WindowRange, CreateWindowExKeepsWhatTheCallerTheHookAndTheSizeLimitsAsk) {
    HWND far = Top(INT_MAX, INT_MIN + 1, INT_MAX, 200, WS_POPUP);
    EXPECT_EQ(WindowRect(far), vcl::Bounds(kMax, -kMax, kMax, 200));
    // A size limit below zero leaves the window empty where it was asked to be.
    Override() = [](HWND, UINT m, WPARAM, LPARAM l, LRESULT*) {
        if (m == WM_GETMINMAXINFO) reinterpret_cast<MINMAXINFO*>(l)->ptMaxTrackSize = {INT_MIN, INT_MIN};
        return false;
    };
    HWND limited = Top(-100, -100, 300, 200);
    EXPECT_EQ(WindowRect(limited), vcl::Bounds(-100, -100, 0, 0));
    Override() = nullptr;
    HHOOK hook = SetWindowsHookEx(
        WH_CBT,
        [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
            if (code == HCBT_CREATEWND) {
                CREATESTRUCT* cs = reinterpret_cast<CBT_CREATEWND*>(lp)->lpcs;
                cs->x = INT_MIN + 1, cs->y = INT_MAX, cs->cx = INT_MAX, cs->cy = INT_MIN;
            }
            return CallNextHookEx(nullptr, code, wp, lp);
        },
        nullptr, GetCurrentThreadId());
    HWND hooked = Top(0, 0, 10, 10, WS_POPUP);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(WindowRect(hooked), vcl::Bounds(-kMax, kMax, kMax, 0));
}

TEST_F(WindowRange, ACalcSizeAnswerAtTheOtherEndKeepsTheClientAreaInRange) {
    // A procedure's answer far from its window keeps its size, kept in range from the window, both when
    // the window is made and when it is resized.
    RECT answer{INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX};
    Override() = [&](HWND, UINT m, WPARAM, LPARAM l, LRESULT* r) {
        if (m != WM_NCCALCSIZE) return false;
        *reinterpret_cast<RECT*>(l) = answer;
        *r = 0;
        return true;
    };
    HWND odd = Top(-100, -100, 300, 200);
    EXPECT_EQ(ClientRect(odd), (RECT{0, 0, 10, 10}));
    EXPECT_EQ(ClientOrigin(odd), (POINT{-100 + kMax, -100 + kMax}));
    answer = {INT_MIN, INT_MIN, INT_MIN + 20, INT_MIN + 20};
    SetWindowPos(odd, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ClientRect(odd), (RECT{0, 0, 20, 20}));
    EXPECT_EQ(ClientOrigin(odd), (POINT{-100 - kMax, -100 - kMax}));
    answer = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    SetWindowPos(odd, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ClientRect(odd), (RECT{})) << "an inverted answer is an empty client area";
}

TEST_F(WindowRange, AChildInAWindowAtTheFarEndHasItsScreenPlace) {
    HWND top = Top(INT_MAX, INT_MAX, 300, 200);
    HWND child = Child(top, 0, 10, 50, 40, WS_CHILD);
    const POINT o = ClientOrigin(top);
    const RECT r = WindowRect(child);
    EXPECT_EQ(std::int64_t{r.Left} - o.X, 0);
    EXPECT_EQ(std::int64_t{r.Top} - o.Y, 10);
    EXPECT_EQ(r.Width(), 50);
    EXPECT_EQ(r.Height(), 40);
    POINT p{5, 5};
    MapWindowPoints(child, top, &p, 1);
    EXPECT_EQ(p, (POINT{5, 15}));
    // A chain of children each at the far end of its parent reaches past the int range: the screen place
    // is taken in 64 bits and stops at the end of int.
    HWND parent = top;
    for (int i = 0; i < 200; ++i)
        parent = Child(parent, kMax, -kMax, 10, 10, WS_CHILD);
    EXPECT_EQ(ClientOrigin(parent), (POINT{INT_MAX, INT_MIN}));
    p = {INT_MIN, INT_MAX};
    ScreenToClient(parent, &p);
    EXPECT_EQ(p, (POINT{INT_MIN, INT_MAX}));
}

TEST_F(WindowRange, InvalidatingAWindowReachesAChildAtTheFarEnd) {
    // The parent has a frame, so its client area lies inside the window; it stays hidden, so only the
    // invalidation reaches the child.
    HWND top = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW);
    HWND child = Child(top, INT_MAX - 2, INT_MAX - 2, 10, 10);
    ValidateRect(child, nullptr);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(child, &update, FALSE));
    EXPECT_EQ(update, (RECT{0, 0, 10, 10}));
}

TEST_F(WindowRange, AChildMovedFromOneEndToTheOtherAndBackIsPaintedWhole) {
    HWND top = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND child = Child(top, INT_MIN + 1, 0, 50, 40);
    SetWindowPos(child, nullptr, INT_MAX, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(WindowRect(child), vcl::Bounds(kMax, 0, 50, 40));
    ValidateRect(child, nullptr);
    // Nothing of it was seen where it was: all of it is painted where it comes.
    SetWindowPos(child, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(child, &update, FALSE));
    EXPECT_EQ(update, (RECT{0, 0, 50, 40}));
}

TEST_F(WindowRange, APlacementAnywhereInTheIntRangeIsKept) {
    // A placement is relative to the work area, here 30 pixels below the screen's top.
    screen->SetMonitors({backend::Monitor{{0, 0, 1024, 768}, {0, 30, 1024, 768}, true, "M"}});
    HWND h = Top(100, 100, 300, 200, WS_POPUP | WS_VISIBLE);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    wp.showCmd = SW_SHOWNORMAL;
    wp.ptMinPosition = {-1, -1};
    wp.ptMaxPosition = {-1, -1};
    wp.rcNormalPosition = {INT_MIN + 1, INT_MAX, INT_MAX, INT_MIN};
    ASSERT_TRUE(SetWindowPlacement(h, &wp));
    EXPECT_EQ(WindowRect(h), vcl::Bounds(-kMax, kMax, kMax, 0)) << "an inverted side is empty";
    WINDOWPLACEMENT back{};
    back.length = sizeof back;
    ASSERT_TRUE(GetWindowPlacement(h, &back));
    EXPECT_EQ(back.rcNormalPosition, vcl::Bounds(-kMax, kMax - 30, kMax, 0));
    // Minimised at a position asked at the end of the range.
    wp.flags = WPF_SETMINPOSITION;
    wp.showCmd = SW_SHOWMINIMIZED;
    wp.ptMinPosition = {INT_MAX, INT_MIN};
    wp.rcNormalPosition = {0, 0, 300, 200};
    ASSERT_TRUE(SetWindowPlacement(h, &wp));
    EXPECT_TRUE(IsIconic(h));
    EXPECT_EQ(WindowRect(h).TopLeft(), (POINT{kMax, -kMax}));
    ShowWindow(h, SW_RESTORE);
    EXPECT_EQ(WindowRect(h), (RECT{0, 30, 300, 230}));
}

} // namespace
} // namespace wintest
