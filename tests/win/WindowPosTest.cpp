// What SetWindowPos and ShowWindow report: a call that changes nothing, and the flags of WINDOWPOS in
// WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED as components read them.

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

using Order = std::vector<UINT>;
using Pairs = std::vector<std::pair<HWND, UINT>>;

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
    // A frame with three overlapping children, the last made on top.
    struct Family {
        HWND top, c1, c2, c3;
    };
    Family ThreeChildren() {
        HWND top = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        return {top, Child(top, 10, 10, 50, 50, WS_CHILD | WS_VISIBLE, 1),
                Child(top, 20, 20, 50, 50, WS_CHILD | WS_VISIBLE, 2),
                Child(top, 30, 30, 50, 50, WS_CHILD | WS_VISIBLE, 3)};
    }
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
    EXPECT_FALSE(Has(changing[0], SWP_NOZORDER)) << "decided once the handler has answered";
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
    // The restore is a change of state too (what else it reports: RestoresAndHidesReportOnlyWhatTheyDo),
    // which leaves the window where it is: found once the handler has answered.
    RecordFlags(h);
    ShowWindow(h, SW_RESTORE);
    ASSERT_FALSE(changed.empty());
    for (UINT f : {changing[0], changed[0]})
        EXPECT_TRUE(Has(f, SWP_STATECHANGED)) << std::hex << f;
    EXPECT_FALSE(Has(changing[0], SWP_NOZORDER)) << std::hex << changing[0];
    EXPECT_TRUE(Has(changed[0], SWP_NOZORDER)) << std::hex << changed[0];
    // A maximise of the active window on top: a change of state, no z-order (found once the handler has
    // answered), and no show flag, since it was visible.
    ASSERT_EQ(GetActiveWindow(), h);
    RecordFlags(h);
    ShowWindow(h, SW_SHOWMAXIMIZED);
    ASSERT_FALSE(changed.empty());
    for (UINT f : {changing[0], changed[0]}) {
        EXPECT_TRUE(Has(f, SWP_STATECHANGED)) << std::hex << f;
        EXPECT_FALSE(Has(f, SWP_SHOWWINDOW)) << std::hex << f;
    }
    EXPECT_TRUE(Has(changed[0], SWP_NOZORDER)) << std::hex << changed[0];
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

TEST_F(WindowPos, RestoresAndHidesReportOnlyWhatTheyDo) {
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    // A restore of a window that shows already carries no show flag; one out of the minimised state carries
    // no SWP_NOACTIVATE either: the window is activated once it is back.
    auto expectRestoreFlags = [&](const char* what, bool activates) {
        ASSERT_FALSE(changing.empty()) << what;
        ASSERT_FALSE(changed.empty()) << what;
        for (UINT f : {changing[0], changed[0]}) {
            EXPECT_TRUE(Has(f, SWP_STATECHANGED)) << what << std::hex << " " << f;
            EXPECT_FALSE(Has(f, SWP_SHOWWINDOW)) << what << std::hex << " " << f;
            if (activates) {
                EXPECT_FALSE(Has(f, SWP_NOACTIVATE)) << what << std::hex << " " << f;
            }
        }
    };
    ShowWindow(h, SW_SHOWMAXIMIZED);
    RecordFlags(h);
    ShowWindow(h, SW_RESTORE);
    expectRestoreFlags("from maximised", true);

    ShowWindow(h, SW_MINIMIZE);
    RecordFlags(h);
    Log().clear();
    ShowWindow(h, SW_RESTORE);
    expectRestoreFlags("from minimised", true);
    // The activation still comes after the move; the window is first already, so it moves nothing more.
    Order order = MessagesOf(h, {WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_MOVE, WM_SIZE, WM_QUERYOPEN, WM_NCPAINT,
                                 WM_ERASEBKGND, WM_PAINT, WM_GETTEXT, WM_GETTEXTLENGTH, WM_ACTIVATEAPP});
    EXPECT_EQ(order,
              (Order{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}));
    EXPECT_EQ(GetActiveWindow(), h);

    ShowWindow(h, SW_MINIMIZE);
    RecordFlags(h);
    ShowWindow(h, SW_SHOWNOACTIVATE);
    expectRestoreFlags("shown inactive from minimised", false);
    EXPECT_FALSE(IsIconic(h));

    // Hiding a top-level window: the hide flag, no SWP_NOACTIVATE; the z-order kept, found once the
    // handler has answered.
    RecordFlags(h);
    ShowWindow(h, SW_HIDE);
    ASSERT_EQ(changed.size(), 1u);
    for (UINT f : {changing[0], changed[0]}) {
        EXPECT_TRUE(Has(f, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE)) << std::hex << f;
        EXPECT_FALSE(Has(f, SWP_NOACTIVATE)) << std::hex << f;
    }
    EXPECT_FALSE(Has(changing[0], SWP_NOZORDER)) << std::hex << changing[0];
    EXPECT_TRUE(Has(changed[0], SWP_NOZORDER)) << std::hex << changed[0];
    EXPECT_FALSE(IsWindowVisible(h));
}

// The windows of one parent (the desktop for nullptr), top first.
std::vector<HWND> ZOrder(HWND parent) {
    std::vector<HWND> v;
    for (HWND c = parent ? GetWindow(parent, GW_CHILD) : GetTopWindow(nullptr); c;
         c = GetWindow(c, GW_HWNDNEXT))
        v.push_back(c);
    return v;
}

bool IsTopmost(HWND h) {
    return (GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST_F(WindowPos, AChangeOfTheTopmostStateAloneIsDoneAndReported) {
    HWND other = Top(0, 0, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_EQ(ZOrder(nullptr), (std::vector<HWND>{h, other}));
    // First already: only the topmost state changes, and that is a change of the z-order.
    for (HWND after : {HWND_TOPMOST, HWND_NOTOPMOST}) {
        bool topmost = after == HWND_TOPMOST;
        RecordFlags(h);
        Log().clear();
        SetWindowPos(h, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        EXPECT_EQ(MessagesOf(h), (Order{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED})) << topmost;
        EXPECT_EQ(IsTopmost(h), topmost);
        EXPECT_EQ(ZOrder(nullptr), (std::vector<HWND>{h, other}));
        ASSERT_EQ(changed.size(), 1u);
        EXPECT_FALSE(Has(changed[0], SWP_NOZORDER)) << std::hex << changed[0];
        EXPECT_TRUE(Has(changed[0], SWP_NOMOVE | SWP_NOSIZE)) << std::hex << changed[0];
        // Asked again, nothing changes: only the announcement.
        Log().clear();
        SetWindowPos(h, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        EXPECT_EQ(MessagesOf(h), (Order{WM_WINDOWPOSCHANGING})) << topmost;
    }
}

TEST_F(WindowPos, ASetWindowPosThatOnlyActivatesReportsARaiseUnlessTheWindowIsFirstOfAll) {
    // Asked to the top and activated, a window moves nothing. First of all windows, the call is announced
    // only; first under a topmost one (as high as it may go), it is reported as a raise, after the
    // activation, without SWP_NOZORDER.
    const std::set<UINT> shown{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE,
                               WM_ACTIVATE,          WM_KILLFOCUS,        WM_SETFOCUS};
    for (bool underTopmost : {false, true}) {
        HWND topmost = underTopmost ? Top(400, 0, 100, 100, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST) : nullptr;
        HWND a = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        HWND b = Top(50, 50, 200, 200);
        ShowWindow(b, SW_SHOWNA);
        ASSERT_EQ(GetActiveWindow(), a);
        const std::vector<HWND> before = underTopmost ? std::vector<HWND>{topmost, b, a}
                                                      : std::vector<HWND>{b, a}; // b as high as it may go
        ASSERT_EQ(ZOrder(nullptr), before);
        RecordFlags(b);
        Log().clear();
        SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        // The activation happens inside the call, after its announcement.
        Pairs expected{{b, WM_WINDOWPOSCHANGING}, {a, WM_NCACTIVATE}, {a, WM_ACTIVATE}, {b, WM_NCACTIVATE},
                       {b, WM_ACTIVATE},          {a, WM_KILLFOCUS},  {b, WM_SETFOCUS}};
        if (underTopmost) expected.emplace_back(b, WM_WINDOWPOSCHANGED);
        EXPECT_EQ(AllMessages(shown), expected) << underTopmost;
        if (underTopmost) {
            ASSERT_EQ(changed.size(), 1u);
            EXPECT_EQ(changed[0], SWP_NOSIZE | SWP_NOMOVE | SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE)
                << std::hex << changed[0];
        }
        EXPECT_EQ(GetActiveWindow(), b);
        EXPECT_EQ(ZOrder(nullptr), before);
        for (HWND h : {b, a, topmost})
            if (h) DestroyWindow(h);
    }
}

TEST_F(WindowPos, AChangingHandlerMayPutTheWindowElsewhereInTheZOrder) {
    const auto [top, c1, c2, c3] = ThreeChildren();
    using Z = std::vector<HWND>;
    ASSERT_EQ(ZOrder(top), (Z{c3, c2, c1}));
    HWND redirect = nullptr, reported = nullptr;
    Override() = [&](HWND h, UINT m, WPARAM, LPARAM lp, LRESULT*) {
        auto* p = reinterpret_cast<WINDOWPOS*>(lp);
        if (h == c1 && m == WM_WINDOWPOSCHANGING) p->hwndInsertAfter = redirect;
        if (h == c1 && m == WM_WINDOWPOSCHANGED) reported = p->hwndInsertAfter;
        return false;
    };
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    // Asked to the top, the window goes where its handler puts it, and is told so.
    redirect = c3;
    SetWindowPos(c1, HWND_TOP, 0, 0, 0, 0, keep);
    EXPECT_EQ(ZOrder(top), (Z{c3, c1, c2}));
    EXPECT_EQ(reported, c3);
    redirect = HWND_BOTTOM;
    SetWindowPos(c1, HWND_TOP, 0, 0, 0, 0, keep);
    EXPECT_EQ(ZOrder(top), (Z{c3, c2, c1}));
    // Put back where it lies, or after itself: nothing is done.
    for (HWND where : {c2, c1}) {
        redirect = where;
        Log().clear();
        SetWindowPos(c1, HWND_TOP, 0, 0, 0, 0, keep);
        EXPECT_EQ(ZOrder(top), (Z{c3, c2, c1}));
        EXPECT_EQ(MessagesOf(c1), (Order{WM_WINDOWPOSCHANGING}));
    }

    // A top-level window the handler makes topmost.
    HWND other = Top(0, 0, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Override() = [&](HWND h, UINT m, WPARAM, LPARAM lp, LRESULT*) {
        if (h == top && m == WM_WINDOWPOSCHANGING)
            reinterpret_cast<WINDOWPOS*>(lp)->hwndInsertAfter = HWND_TOPMOST;
        return false;
    };
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, keep);
    EXPECT_TRUE(IsTopmost(top));
    EXPECT_EQ(ZOrder(nullptr), (Z{top, other}));
}

TEST_F(WindowPos, AChangingHandlerMovesAWindowTheCallerWouldHaveLeftInPlace) {
    const auto [top, c1, c2, c3] = ThreeChildren();
    using Z = std::vector<HWND>;
    ASSERT_EQ(ZOrder(top), (Z{c3, c2, c1}));
    RecordFlags(c1);
    auto record = Override();
    Override() = [&](HWND h, UINT m, WPARAM wp, LPARAM lp, LRESULT* r) {
        record(h, m, wp, lp, r);
        if (h == c1 && m == WM_WINDOWPOSCHANGING)
            reinterpret_cast<WINDOWPOS*>(lp)->hwndInsertAfter = HWND_TOP;
        return false;
    };
    Log().clear();
    // At the bottom already: the caller's request alone would change nothing.
    SetWindowPos(c1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(ZOrder(top), (Z{c1, c3, c2}));
    EXPECT_EQ(MessagesOf(c1), (Order{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_FALSE(Has(changing[0], SWP_NOZORDER)) << std::hex << changing[0];
    EXPECT_FALSE(Has(changed[0], SWP_NOZORDER)) << std::hex << changed[0];
}

TEST_F(WindowPos, TheWindowSystemsOwnMovesLeaveTheZOrderToTheChangingHandler) {
    // A top-level window's hide, show without activation and restore keep the window where it is, but decide
    // so only once WM_WINDOWPOSCHANGING has answered, as a SetWindowPos does: a handler may put the window
    // elsewhere. A child's every show and hide, and SW_SHOWNOACTIVATE, keep the place with SWP_NOZORDER: the
    // handler's hwndInsertAfter counts for nothing.
    using Z = std::vector<HWND>;
    HWND watched = nullptr;
    bool raise = false;
    Override() = [&](HWND h, UINT m, WPARAM, LPARAM lp, LRESULT*) {
        auto* p = reinterpret_cast<WINDOWPOS*>(lp);
        if (h != watched) return false;
        if (m == WM_WINDOWPOSCHANGING) {
            changing.push_back(p->flags);
            if (raise) p->hwndInsertAfter = HWND_TOP;
        }
        if (m == WM_WINDOWPOSCHANGED) changed.push_back(p->flags);
        return false;
    };
    enum class Place { Kept, Proposed, ProposedThenActivated };
    // The call, made ready for (and the window put at the bottom), once left to itself and once with a
    // handler that raises the window. A call that activates the window raises it after its own move where
    // it still lies beneath another: a second move.
    auto expectZOrder = [&](const char* what, HWND w, Place how, const std::function<void()>& ready,
                            const std::function<void()>& call) {
        watched = w;
        const HWND parent = GetParent(w); // none for the overlapped windows here
        const bool proposes = how != Place::Kept, activates = how == Place::ProposedThenActivated;
        for (const bool raising : {false, true}) {
            raise = false;
            ready();
            SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            const Z before = ZOrder(parent);
            ASSERT_NE(before.front(), w) << what;
            Z raised = before;
            raised.erase(std::find(raised.begin(), raised.end(), w));
            raised.insert(raised.begin(), w);
            raise = raising;
            changing.clear();
            changed.clear();
            call();
            raise = false;
            ASSERT_FALSE(changing.empty()) << what;
            ASSERT_EQ(changed.size(), activates && !raising ? 2u : 1u) << what << " " << raising;
            EXPECT_EQ(Has(changing[0], SWP_NOZORDER), !proposes) << what << std::hex << " " << changing[0];
            EXPECT_EQ(Has(changed[0], SWP_NOZORDER), !(proposes && raising))
                << what << " " << raising << std::hex << " " << changed[0];
            EXPECT_EQ(ZOrder(parent), ((proposes && raising) || activates) ? raised : before)
                << what << " " << raising;
        }
    };
    HWND h = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Top(50, 50, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    expectZOrder(
        "hide", h, Place::Proposed, [&] { ShowWindow(h, SW_SHOWNA); }, [&] { ShowWindow(h, SW_HIDE); });
    expectZOrder(
        "SW_SHOWNA", h, Place::Proposed, [&] { ShowWindow(h, SW_HIDE); }, [&] { ShowWindow(h, SW_SHOWNA); });
    expectZOrder(
        "restore that activates", h, Place::ProposedThenActivated, [&] { ShowWindow(h, SW_MINIMIZE); },
        [&] { ShowWindow(h, SW_RESTORE); });
    expectZOrder(
        "SW_SHOWNOACTIVATE out of the minimised state", h, Place::Kept, [&] { ShowWindow(h, SW_MINIMIZE); },
        [&] { ShowWindow(h, SW_SHOWNOACTIVATE); });
    expectZOrder(
        "SW_SHOWNOACTIVATE out of the maximised state", h, Place::Kept, [&] { ShowWindow(h, SW_MAXIMIZE); },
        [&] { ShowWindow(h, SW_SHOWNOACTIVATE); });
    expectZOrder(
        "SW_SHOWNOACTIVATE of a hidden window", h, Place::Kept, [&] { ShowWindow(h, SW_HIDE); },
        [&] { ShowWindow(h, SW_SHOWNOACTIVATE); });

    const auto [top, c1, c2, c3] = ThreeChildren();
    ASSERT_EQ(ZOrder(top), (Z{c3, c2, c1}));
    HWND c = c1;
    expectZOrder(
        "a child's hide", c, Place::Kept, [&] { ShowWindow(c, SW_SHOWNA); }, [&] { ShowWindow(c, SW_HIDE); });
    for (int cmd : {SW_SHOW, SW_SHOWNA, SW_SHOWNORMAL, SW_SHOWNOACTIVATE}) {
        SCOPED_TRACE(cmd);
        expectZOrder(
            "a child's show", c, Place::Kept, [&] { ShowWindow(c, SW_HIDE); }, [&] { ShowWindow(c, cmd); });
    }
    expectZOrder(
        "a child's restore", c, Place::Kept, [&] { ShowWindow(c, SW_MINIMIZE); },
        [&] { ShowWindow(c, SW_RESTORE); });
}

TEST_F(WindowPos, AChildsShowsAndHidesAndShowNoActivateReportThePlaceKept) {
    // The platform's tables: a child's show and hide (inside DestroyWindow too) and a top-level window's
    // SW_SHOWNOACTIVATE carry SWP_NOZORDER, with SWP_NOACTIVATE, in both messages.
    using Flagged = std::vector<std::pair<UINT, UINT>>;
    HWND watched = nullptr;
    Flagged seen;
    Override() = [&](HWND h, UINT m, WPARAM wp, LPARAM lp, LRESULT*) {
        if (h != watched) return false;
        if (m == WM_WINDOWPOSCHANGING || m == WM_WINDOWPOSCHANGED)
            seen.emplace_back(m, reinterpret_cast<WINDOWPOS*>(lp)->flags);
        if (m == WM_SHOWWINDOW || m == WM_DESTROY) seen.emplace_back(m, static_cast<UINT>(wp));
        return false;
    };
    const UINT still = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    const UINT clientStill = SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE;
    const UINT show = SWP_SHOWWINDOW | still, hide = SWP_HIDEWINDOW | still;
    auto expectTable = [&](const char* what, HWND w, const std::function<void()>& call,
                           const Flagged& table) {
        watched = w;
        seen.clear();
        call();
        EXPECT_EQ(seen, table) << what;
    };
    const Flagged shown{
        {WM_SHOWWINDOW, TRUE}, {WM_WINDOWPOSCHANGING, show}, {WM_WINDOWPOSCHANGED, show | clientStill}};
    const Flagged hidden{
        {WM_SHOWWINDOW, FALSE}, {WM_WINDOWPOSCHANGING, hide}, {WM_WINDOWPOSCHANGED, hide | clientStill}};

    const Family family = ThreeChildren();
    HWND c1 = family.c1, c2 = family.c2;
    for (int cmd : {SW_SHOW, SW_SHOWNA, SW_SHOWNOACTIVATE}) {
        SCOPED_TRACE(cmd);
        expectTable(
            "a child's hide", c1, [&] { ShowWindow(c1, SW_HIDE); }, hidden);
        expectTable(
            "a child's show", c1, [&] { ShowWindow(c1, cmd); }, shown);
    }
    Flagged destroyed = hidden;
    destroyed.emplace_back(WM_DESTROY, 0);
    expectTable(
        "a child destroyed", c2, [&] { DestroyWindow(c2); }, destroyed);

    HWND h = Top(0, 0, 200, 200);
    expectTable(
        "SW_SHOWNOACTIVATE of a hidden top-level window", h, [&] { ShowWindow(h, SW_SHOWNOACTIVATE); },
        shown);
    EXPECT_NE(GetActiveWindow(), h);
}

TEST_F(WindowPos, ActivatingAWindowFirstInTheZOrderAlreadyMovesNothing) {
    // First of all windows, and first under a topmost one (as high as it may go): the activation sends
    // neither WM_WINDOWPOSCHANGING nor WM_WINDOWPOSCHANGED, whether asked for or handed on by a window
    // that goes. (A restore out of the minimised state: RestoresAndHidesReportOnlyWhatTheyDo.)
    const std::set<UINT> shown{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE,
                               WM_ACTIVATE,          WM_KILLFOCUS,        WM_SETFOCUS};
    for (bool underTopmost : {false, true}) {
        // A topmost window that takes no activation, as a hint window.
        HWND topmost = underTopmost
                           ? Top(400, 0, 100, 100, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST | WS_EX_NOACTIVATE)
                           : nullptr;
        const std::size_t first = underTopmost ? 1 : 0;
        HWND a = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        HWND b = Top(50, 50, 200, 200);
        ShowWindow(b, SW_SHOWNA);
        ASSERT_EQ(GetActiveWindow(), a);
        ASSERT_EQ(ZOrder(nullptr).at(first), b);
        Log().clear();
        SetActiveWindow(b);
        EXPECT_EQ(AllMessages(shown), (Pairs{{a, WM_NCACTIVATE},
                                             {a, WM_ACTIVATE},
                                             {b, WM_NCACTIVATE},
                                             {b, WM_ACTIVATE},
                                             {a, WM_KILLFOCUS},
                                             {b, WM_SETFOCUS}}))
            << underTopmost;
        EXPECT_EQ(ZOrder(nullptr).at(first), b);

        // The active window, put at the bottom, goes: the activation passes to b, first already.
        HWND c = Top(100, 100, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ASSERT_EQ(GetActiveWindow(), c);
        ASSERT_EQ(ZOrder(nullptr).at(first), b);
        Log().clear();
        DestroyWindow(c);
        EXPECT_EQ(GetActiveWindow(), b);
        EXPECT_EQ(MessagesOf(b, {WM_NCHITTEST, WM_SETCURSOR, WM_GETTEXT, WM_GETTEXTLENGTH, WM_GETICON,
                                 WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}),
                  (Order{WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}))
            << underTopmost;
        for (HWND h : {b, a, topmost})
            if (h) DestroyWindow(h);
    }
}

} // namespace
} // namespace wintest
