// Subclassing and hooks held by their helpers, and the window system's account of what a test left alive.

#include "platform/win/Subclass.h"
#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

class Subclassing : public WinTest {
protected:
    static std::vector<std::string>& Heard() {
        static std::vector<std::string> h;
        return h;
    }
    template <int N> static LRESULT Tagged(HWND h, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_USER) Heard().push_back("P" + std::to_string(N));
        WindowSubclass* self = WindowSubclass::Of(h, &Tagged<N>);
        return self ? self->CallPrevious(h, m, wp, lp) : DefWindowProc(h, m, wp, lp);
    }
    WNDPROC ProcOf(HWND h) { return reinterpret_cast<WNDPROC>(GetWindowLongPtr(h, GWLP_WNDPROC)); }
    std::vector<std::string> HeardOf(HWND h) {
        Heard().clear();
        Log().clear();
        SendMessage(h, WM_USER, 0, 0);
        if (Count(h, WM_USER)) Heard().push_back("class");
        return Heard();
    }
};

TEST_F(Subclassing, HelpersKeepTheChainWholeAndTheLiveStateNamesEachKindOfLeftover) {
    HWND h = Top(0, 0, 100, 100);
    {
        WindowSubclass first(h, &Tagged<1>);
        ASSERT_TRUE(first.Attached());
        EXPECT_EQ(HeardOf(h), (std::vector<std::string>{"P1", "class"}));
        auto second = std::make_unique<WindowSubclass>(h, &Tagged<2>);
        EXPECT_EQ(HeardOf(h), (std::vector<std::string>{"P2", "P1", "class"}));
        // The first ends while the second is in front: the window keeps the second's procedure, which now
        // goes straight to the class's.
        first.Detach();
        EXPECT_EQ(ProcOf(h), &Tagged<2>);
        EXPECT_EQ(HeardOf(h), (std::vector<std::string>{"P2", "class"}));
        // A helper moved keeps the subclassing; the moved-from one gives nothing back.
        WindowSubclass moved = std::move(*second);
        second.reset();
        EXPECT_EQ(ProcOf(h), &Tagged<2>);
        EXPECT_EQ(detail::LiveSubclasses().size(), 1u);
    }
    EXPECT_EQ(ProcOf(h), &LogProc);
    EXPECT_TRUE(detail::LiveSubclasses().empty());
    // A window that is gone cannot be subclassed, and one destroyed takes its subclassing along.
    WindowSubclass none(reinterpret_cast<HWND>(std::uintptr_t{0x99990}), &Tagged<1>);
    EXPECT_FALSE(none.Attached());
    HWND other = Top(0, 0, 10, 10);
    WindowSubclass held(other, &Tagged<3>);
    DestroyWindow(other);
    EXPECT_TRUE(detail::LiveSubclasses().empty());
    HWND h2 = Top(0, 0, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const std::vector<std::string> before = detail::LiveState();
    auto hookProc = [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        return CallNextHookEx(nullptr, code, wp, lp);
    };
    auto has = [](const std::vector<std::string>& v, const std::string& start) {
        return std::any_of(v.begin(), v.end(), [&](const std::string& s) { return s.rfind(start, 0) == 0; });
    };
    {
        WindowsHook hook(WH_CBT, hookProc);
        SetTimer(h2, 5, 100, nullptr);
        UINT_PTR thread = SetTimer(nullptr, 0, 100, nullptr);
        SetCapture(h2);
        HDC dc = GetDC(h2);
        WindowSubclass sub(h2, &Tagged<1>);
        std::vector<std::string> now = detail::LiveState();
        for (const char* kind : {"hook ", "timer 5 of window", "timer ", "mouse capture", "device context",
                                 "subclassing of window"})
            EXPECT_TRUE(has(now, kind)) << kind;
        EXPECT_TRUE(has(now, "window ") && now.back().find("subclassing") != std::string::npos);
        ReleaseDC(h2, dc);
        ReleaseCapture();
        KillTimer(h2, 5);
        KillTimer(nullptr, thread);
    }
    EXPECT_EQ(detail::LiveState(), before);
    // What a reset wipes is kept for the check that runs after the test.
    HWND stray = CreateWindowEx(0, kClass, "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    detail::TakeWiped();
    DestroyWindow(h);
    DestroyWindow(h2);
    detail::ResetState();
    std::vector<std::string> wiped = detail::TakeWiped();
    ASSERT_EQ(wiped.size(), 1u);
    EXPECT_NE(wiped[0].find("window "), std::string::npos);
    EXPECT_FALSE(IsWindow(stray));
}

} // namespace
} // namespace wintest
