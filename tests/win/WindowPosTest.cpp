// What SetWindowPos and ShowWindow report: a call that changes nothing, and the flags of WINDOWPOS in
// WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED as components read them.

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

using Order = std::vector<UINT>;

class WindowPos : public WinTest {
protected:
    // Records the flags of every WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED of h.
    void RecordFlags(HWND h) {
        changing.clear();
        changed.clear();
        Override() = [this, h](HWND w, UINT m, WPARAM, LPARAM lp, LRESULT*) {
            if (w == h && m == WM_WINDOWPOSCHANGING)
                changing.push_back(reinterpret_cast<WINDOWPOS*>(lp)->flags);
            if (w == h && m == WM_WINDOWPOSCHANGED)
                changed.push_back(reinterpret_cast<WINDOWPOS*>(lp)->flags);
            return false;
        };
    }
    static bool Has(UINT flags, UINT f) { return (flags & f) == f; }
    std::vector<UINT> changing, changed;
};

TEST_F(WindowPos, ACallThatChangesNothingIsAnnouncedButNeverDone) {
    HWND top = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND a = Child(top, 10, 10, 50, 50, WS_CHILD | WS_VISIBLE, 1);
    HWND b = Child(top, 70, 10, 50, 50, WS_CHILD | WS_VISIBLE, 2);
    ASSERT_EQ(GetWindow(top, GW_CHILD), b); // the newest child is on top
    RecordFlags(b);
    Log().clear();
    // Where it is, at the size it has, on top already: only the announcement.
    SetWindowPos(b, HWND_TOP, 70, 10, 50, 50, SWP_NOACTIVATE);
    EXPECT_EQ(MessagesOf(b), (Order{WM_WINDOWPOSCHANGING}));
    ASSERT_EQ(changing.size(), 1u);
    EXPECT_TRUE(Has(changing[0], SWP_NOZORDER)) << "the z-order stays";
    MoveWindow(b, 70, 10, 50, 50, TRUE);
    SetWindowPos(b, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    EXPECT_EQ(MessagesOf(b), (Order{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGING}));
    // A new z-order, a new frame or a move is done and reported.
    Log().clear();
    SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_FALSE(Has(changed[0], SWP_NOZORDER));
    EXPECT_TRUE(Has(changed[0], SWP_NOMOVE | SWP_NOSIZE));
    Log().clear();
    SetWindowPos(b, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(Count(b, WM_WINDOWPOSCHANGED), 1);
    Log().clear();
    MoveWindow(b, 71, 10, 50, 50, TRUE);
    EXPECT_EQ(MessagesOf(b), (Order{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
}

TEST_F(WindowPos, MinimisingShownAndInactiveTellsAHiddenWindowNothingOfItsShowing) {
    HWND h = Top(100, 100, 300, 200);
    ShowWindow(h, SW_SHOWMINNOACTIVE);
    EXPECT_EQ(Count(h, WM_SHOWWINDOW), 0);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_TRUE(IsIconic(h));
    EXPECT_NE(GetActiveWindow(), h);
    // The other ways to minimise a hidden window tell it.
    HWND g = Top(100, 100, 300, 200);
    ShowWindow(g, SW_SHOWMINIMIZED);
    EXPECT_EQ(WParams(g, WM_SHOWWINDOW), (std::vector<WPARAM>{TRUE}));
}

TEST_F(WindowPos, StateChangesAndShowsReportTheirFlagsAsThePlatformDoes) {
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    RecordFlags(h);
    // A minimise of a visible window: the state changed, the show flag carried, the z-order kept.
    ShowWindow(h, SW_MINIMIZE);
    ASSERT_EQ(changing.size(), 1u);
    ASSERT_EQ(changed.size(), 1u);
    for (UINT f : {changing[0], changed[0]}) {
        EXPECT_TRUE(Has(f, SWP_STATECHANGED | SWP_SHOWWINDOW | SWP_NOZORDER | SWP_FRAMECHANGED))
            << std::hex << f;
        EXPECT_TRUE(Has(f, SWP_NOACTIVATE)) << std::hex << f;
    }
    // The restore reports the same.
    RecordFlags(h);
    ShowWindow(h, SW_RESTORE);
    ASSERT_FALSE(changed.empty());
    for (UINT f : {changing[0], changed[0]})
        EXPECT_TRUE(Has(f, SWP_STATECHANGED | SWP_SHOWWINDOW | SWP_NOZORDER)) << std::hex << f;
    // A maximise of the active window on top: a change of state, no z-order, and no show flag, since it
    // was visible.
    ASSERT_EQ(GetActiveWindow(), h);
    RecordFlags(h);
    ShowWindow(h, SW_SHOWMAXIMIZED);
    ASSERT_FALSE(changed.empty());
    for (UINT f : {changing[0], changed[0]}) {
        EXPECT_TRUE(Has(f, SWP_STATECHANGED | SWP_NOZORDER)) << std::hex << f;
        EXPECT_FALSE(Has(f, SWP_SHOWWINDOW)) << std::hex << f;
    }
    // A plain move is no change of state.
    ShowWindow(h, SW_RESTORE);
    RecordFlags(h);
    MoveWindow(h, 120, 100, 300, 200, TRUE);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_FALSE(Has(changed[0], SWP_STATECHANGED));

    // Showing a window that is on top already keeps the z-order; one beneath another is raised.
    HWND hidden = Top(0, 0, 100, 100);
    RecordFlags(hidden);
    ShowWindow(hidden, SW_SHOW);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_TRUE(Has(changed[0], SWP_SHOWWINDOW | SWP_NOZORDER)) << std::hex << changed[0];
    ShowWindow(hidden, SW_HIDE);
    SetWindowPos(hidden, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RecordFlags(hidden);
    ShowWindow(hidden, SW_SHOW);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_TRUE(Has(changed[0], SWP_SHOWWINDOW));
    EXPECT_FALSE(Has(changed[0], SWP_NOZORDER)) << std::hex << changed[0];
    EXPECT_EQ(GetTopWindow(nullptr), hidden);
}

} // namespace
} // namespace wintest
