// Hooks: CBT sees a window before its first message and can veto; hooks that unhook themselves; the
// message filter of modal loops; the get-message hook rewriting a message. Subclassing and hooks held by
// their helpers, and the window system's account of what a test left alive.

#include "platform/win/Subclass.h"
#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

class Hooks : public WinTest {};

std::vector<std::pair<int, HWND>>* gCbt = nullptr;
HHOOK gSelf = nullptr;
int gSelfCalls = 0;

TEST_F(Hooks, CbtSeesAWindowBeforeAnyMessageAndCanVetoCreationAndDestruction) {
    std::vector<std::pair<int, HWND>> seen;
    gCbt = &seen;
    HHOOK h = SetWindowsHookEx(
        WH_CBT,
        [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
            gCbt->emplace_back(code, reinterpret_cast<HWND>(wp));
            if (code == HCBT_CREATEWND) {
                auto* cw = reinterpret_cast<CBT_CREATEWND*>(lp);
                EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(wp)));
                EXPECT_STREQ(cw->lpcs->lpszName, "Top");
                cw->lpcs->cx = 333; // the hook may change the bounds
            }
            return CallNextHookEx(nullptr, code, wp, lp);
        },
        nullptr, GetCurrentThreadId());
    Log().clear();
    HWND w = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0], std::make_pair(HCBT_CREATEWND, w));
    EXPECT_EQ(Log().front().msg, WM_GETMINMAXINFO); // the first message came after the hook
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.Width(), 333);
    bool activated = std::any_of(seen.begin(), seen.end(),
                                 [&](auto& p) { return p.first == HCBT_ACTIVATE && p.second == w; });
    EXPECT_TRUE(activated);
    seen.clear();
    DestroyWindow(w);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0], std::make_pair(HCBT_DESTROYWND, w));
    UnhookWindowsHookEx(h);
    gCbt = nullptr;
    // A hook that refuses prevents the creation before any message, and the destruction.
    h = SetWindowsHookEx(
        WH_CBT,
        [](int code, WPARAM, LPARAM) -> LRESULT { return code == HCBT_CREATEWND || code == HCBT_DESTROYWND; },
        nullptr, 0);
    Log().clear();
    EXPECT_EQ(Top(0, 0, 10, 10), nullptr);
    EXPECT_TRUE(Log().empty()); // not a single message
    UnhookWindowsHookEx(h);
    w = Top(0, 0, 10, 10);
    h = SetWindowsHookEx(
        WH_CBT, [](int code, WPARAM, LPARAM) -> LRESULT { return code == HCBT_DESTROYWND; }, nullptr, 0);
    EXPECT_FALSE(DestroyWindow(w));
    EXPECT_TRUE(IsWindow(w));
    UnhookWindowsHookEx(h);
}

TEST_F(Hooks, AHookMayUnhookItselfWhileCalledAndTheChainGoesOn) {
    static int older = 0;
    older = 0;
    gSelfCalls = 0;
    WindowsHook olderHook(WH_MOUSE, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        ++older;
        return CallNextHookEx(nullptr, code, wp, lp);
    });
    gSelf = SetWindowsHookEx(
        WH_MOUSE,
        [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
            ++gSelfCalls;
            UnhookWindowsHookEx(gSelf);
            return CallNextHookEx(gSelf, code, wp, lp);
        },
        nullptr, 0);
    HWND w = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    POINT p{10, 10};
    ClientToScreen(w, &p);
    screen->MoveMouse(p.X, p.Y);
    screen->MoveMouse(p.X + 1, p.Y);
    Pump();
    EXPECT_EQ(gSelfCalls, 1);
    EXPECT_EQ(older, 2); // reached through the removed hook, then directly
    EXPECT_EQ(Count(w, WM_MOUSEMOVE), 2);
}

TEST_F(Hooks, MessageFilterForModalLoopsAndGetMessageRewrites) {
    static int filtered = 0;
    filtered = 0;
    HHOOK f = SetWindowsHookEx(
        WH_MSGFILTER,
        [](int code, WPARAM, LPARAM lp) -> LRESULT {
            auto* m = reinterpret_cast<MSG*>(lp);
            if (code == MSGF_MENU && m->message == WM_KEYDOWN) {
                ++filtered;
                return 1;
            }
            return 0;
        },
        nullptr, GetCurrentThreadId());
    MSG m{};
    m.message = WM_KEYDOWN;
    EXPECT_TRUE(CallMsgFilter(&m, MSGF_MENU));
    m.message = WM_KEYUP;
    EXPECT_FALSE(CallMsgFilter(&m, MSGF_MENU));
    EXPECT_EQ(filtered, 1);
    UnhookWindowsHookEx(f);
    m.message = WM_KEYDOWN;
    EXPECT_FALSE(CallMsgFilter(&m, MSGF_MENU));
    // A get-message hook may rewrite the message before the loop sees it (swap left and right).
    HWND w = Top(0, 0, 10, 10);
    HHOOK g = SetWindowsHookEx(
        WH_GETMESSAGE,
        [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
            auto* msg = reinterpret_cast<MSG*>(lp);
            if (code == HC_ACTION && wp == PM_REMOVE && msg->message == WM_USER)
                msg->wParam = msg->wParam == VK_LEFT ? VK_RIGHT : msg->wParam;
            return CallNextHookEx(nullptr, code, wp, lp);
        },
        nullptr, 0);
    PostMessage(w, WM_USER, VK_LEFT, 0);
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.wParam, VK_RIGHT);
    UnhookWindowsHookEx(g);
    EXPECT_EQ(SetWindowsHookEx(
                  WH_JOURNALRECORD, [](int, WPARAM, LPARAM) -> LRESULT { return 0; }, nullptr, 0),
              nullptr);
    EXPECT_EQ(SetWindowsHookEx(WH_CBT, nullptr, nullptr, 0), nullptr);
}

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
