// Timers on the virtual clock: order, intervals, killing from a tick, timers of destroyed windows.

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

class Timers : public WinTest {};

TEST_F(Timers, FireInOrderOfTheirTimesAndMayBeKilledFromTheirOwnTickOrAnother) {
    HWND h = Top(0, 0, 10, 10);
    std::vector<std::pair<UINT_PTR, DWORD>> fired;
    DWORD start = GetTickCount();
    Override() = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
        if (m == WM_TIMER) fired.emplace_back(w, GetTickCount() - start);
        return false;
    };
    SetTimer(h, 1, 30, nullptr);
    SetTimer(h, 2, 45, nullptr);
    screen->Advance(100);
    std::vector<std::pair<UINT_PTR, DWORD>> expected{{1, 30}, {2, 45}, {1, 60}, {2, 90}, {1, 90}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(GetTickCount() - start, 100u);
    // Re-setting a timer restarts it; a tiny interval is raised to the minimum.
    fired.clear();
    SetTimer(h, 1, 1, nullptr);
    KillTimer(h, 2);
    screen->Advance(25);
    EXPECT_EQ(fired.size(), 2u);
    EXPECT_FALSE(KillTimer(h, 2));
    // Killed from its own tick, together with one due at the same time.
    KillTimer(h, 1);
    int ones = 0, twos = 0;
    Override() = [&](HWND hw, UINT m, WPARAM w, LPARAM, LRESULT*) {
        if (m != WM_TIMER) return false;
        if (w == 1) {
            ++ones;
            KillTimer(hw, 1); // its own
            KillTimer(hw, 2); // and one that is due at the same time
        } else
            ++twos;
        return false;
    };
    SetTimer(h, 1, 50, nullptr);
    SetTimer(h, 2, 50, nullptr);
    screen->Advance(500);
    EXPECT_EQ(ones, 1);
    EXPECT_EQ(twos, 0);
}

TEST_F(Timers, DieWithTheirWindowEvenFromTheirOwnTick) {
    HWND h = Top(0, 0, 10, 10);
    HWND other = Top(0, 0, 10, 10);
    int ticks = 0;
    Override() = [&](HWND hw, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (m == WM_TIMER && hw == h) {
            ++ticks;
            DestroyWindow(hw);
        }
        return false;
    };
    SetTimer(h, 9, 20, nullptr);
    SetTimer(other, 9, 1000, nullptr);
    screen->Advance(200);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(KillTimer(h, 9));
    EXPECT_TRUE(KillTimer(other, 9));
    EXPECT_EQ(SetTimer(h, 1, 10, nullptr), 0u); // no timers for a dead window
}

int gProcTicks = 0;
void CALLBACK_Proc(HWND, UINT msg, UINT_PTR id, DWORD) {
    if (msg == WM_TIMER) ++gProcTicks;
    KillTimer(nullptr, id);
}

TEST_F(Timers, ThreadTimersCallTheirProcedureAndTimersComeAfterInputAndPaint) {
    gProcTicks = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 40, &CALLBACK_Proc);
    EXPECT_NE(id, 0u);
    UINT_PTR id2 = SetTimer(nullptr, 0, 40, &CALLBACK_Proc);
    EXPECT_NE(id, id2); // each call without a window gets its own id
    screen->Advance(200);
    EXPECT_EQ(gProcTicks, 2); // each killed itself at its first tick
    // A WM_TIMER posted by hand with a procedure that is not a live timer's runs nothing.
    MSG m{};
    m.message = WM_TIMER;
    m.wParam = id;
    m.lParam = reinterpret_cast<LPARAM>(&CALLBACK_Proc);
    DispatchMessage(&m);
    EXPECT_EQ(gProcTicks, 2);
    HWND h = Top(0, 0, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    // A timer, a paint and a posted message are all waiting: the loop takes them in this order.
    SetTimer(h, 1, 10, nullptr);
    InvalidateRect(h, nullptr, FALSE);
    PostMessage(h, WM_USER, 0, 0);
    std::vector<UINT> order;
    SetIdleHandler([] { return false; });
    for (int i = 0; i < 3; ++i) {
        GetMessage(&m, nullptr, 0, 0);
        order.push_back(m.message);
        DispatchMessage(&m);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_PAINT, WM_TIMER}));
}

TEST_F(Timers, MessageOnlyWindowsTakeTimersAndMessagesButNeverReachTheScreen) {
    // What timers and other helpers hang on: a window under HWND_MESSAGE, made with a size and a title.
    HWND helper = Made(CreateWindowEx(0, kClass, "helper", WS_POPUP, 20, 20, 120, 90, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr));
    ASSERT_TRUE(IsWindow(helper));
    HWND top = Top(300, 300, 120, 90); // an ordinary hidden window, for comparison
    SetWindowText(top, "ordinary");
    EXPECT_EQ(screen->WindowTitle(top), "ordinary");
    EXPECT_EQ(screen->WindowTitle(helper), ""); // no window of the display stands for it
    const COLORREF desktop = screen->ScreenPixel(60, 60);
    ShowWindow(helper, SW_SHOWNORMAL);
    Pump();
    EXPECT_EQ(screen->ScreenPixel(60, 60), desktop);
    // It works as a window all the same: its timers fire and messages reach it.
    int ticks = 0;
    Override() = [&](HWND hw, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (hw == helper && m == WM_TIMER) ++ticks;
        return false;
    };
    SetTimer(helper, 1, 20, nullptr);
    screen->Advance(50);
    EXPECT_EQ(ticks, 2);
    PostMessage(helper, WM_USER + 5, 0, 0);
    Pump();
    EXPECT_EQ(Count(helper, WM_USER + 5), 1);
}

} // namespace
} // namespace wintest
