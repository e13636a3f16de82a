// The window system's message orders for focus handover, destroying, first sizes, child activation,
// minimising and restoring, and the painting a change leaves to do: the reference tables.

#include "platform/win/Menu.h"
#include "tests/support/ColorMatch.h"
#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

using Order = std::vector<UINT>;
using Pairs = std::vector<std::pair<HWND, UINT>>;

class MessageOrder : public WinTest {
protected:
    static HWND AsWindow(WPARAM wp) { return reinterpret_cast<HWND>(wp); }
};

TEST_F(MessageOrder, ActivationHandsTheFocusOverFromTheNewWindowsActivate) {
    HWND a = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND b = Top(50, 50, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Log().clear();
    SetActiveWindow(a); // (the order of the switch: WindowLifecycle.ActivationAndFocusChangeOrdersAndRules)
    // Each side names the other: the focus moved in one step from b to a.
    EXPECT_EQ(AsWindow(First(b, WM_KILLFOCUS).wp), a);
    EXPECT_EQ(AsWindow(First(a, WM_SETFOCUS).wp), b);

    // A window that gives the focus to a child of its own in WM_ACTIVATE takes it straight from b.
    HWND ac = Child(a, 5, 5, 20, 20);
    SetActiveWindow(b);
    Override() = [ac](HWND hw, UINT m, WPARAM wp, LPARAM, LRESULT* r) {
        if (m != WM_ACTIVATE || LOWORD(wp) == WA_INACTIVE || hw == ac) return false;
        SetFocus(ac);
        *r = 0;
        return true;
    };
    Log().clear();
    SetActiveWindow(a);
    EXPECT_EQ(AllMessages({WM_KILLFOCUS, WM_SETFOCUS}), (Pairs{{b, WM_KILLFOCUS}, {ac, WM_SETFOCUS}}));
    EXPECT_EQ(AsWindow(First(b, WM_KILLFOCUS).wp), ac);
    EXPECT_EQ(AsWindow(First(ac, WM_SETFOCUS).wp), b);

    // A window whose WM_ACTIVATE takes no focus leaves none: the focus never stays outside the active one.
    Answer(WM_ACTIVATE, 0);
    SetActiveWindow(b);
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(AsWindow(Log().back().wp), nullptr);
    EXPECT_EQ(Log().back().msg, static_cast<UINT>(WM_KILLFOCUS));
}

TEST_F(MessageOrder, DestroyingAFocusedChildHidesItAndHandsTheFocusToTheParent) {
    HWND top = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND c = Child(top, 5, 5, 20, 20, WS_CHILD | WS_VISIBLE, 9);
    SetFocus(c);
    Log().clear();
    DestroyWindow(c);
    Pairs expected{{top, WM_PARENTNOTIFY},   {c, WM_SHOWWINDOW}, {c, WM_WINDOWPOSCHANGING},
                   {c, WM_WINDOWPOSCHANGED}, {c, WM_KILLFOCUS},  {top, WM_SETFOCUS},
                   {c, WM_DESTROY},          {c, WM_NCDESTROY}};
    EXPECT_EQ(AllMessages({WM_PARENTNOTIFY, WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
                           WM_KILLFOCUS, WM_SETFOCUS, WM_DESTROY, WM_NCDESTROY}),
              expected);
    EXPECT_EQ(First(c, WM_SHOWWINDOW).wp, static_cast<WPARAM>(FALSE));
    EXPECT_EQ(AsWindow(First(c, WM_KILLFOCUS).wp), top);
    EXPECT_EQ(AsWindow(First(top, WM_SETFOCUS).wp), c);
    EXPECT_EQ(GetFocus(), top);
    // Hiding a child that holds the focus does the same.
    HWND d = Child(top, 5, 5, 20, 20);
    SetFocus(d);
    ShowWindow(d, SW_HIDE);
    EXPECT_EQ(GetFocus(), top);
}

TEST_F(MessageOrder, OverlappedWindowsHearTheirFirstSizeWhenFirstShownAndChildrenTheirActivation) {
    // (creation: WindowLifecycle.VisibleAndHiddenTopLevelAndChildCreationFollowThePlatformOrder)
    HWND top = Top(100, 100, 300, 200);
    Log().clear();
    ShowWindow(top, SW_SHOWNORMAL);
    Order shown = MessagesOf(top);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(Order(shown.end() - 3, shown.end()), (Order{WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}));
    RECT c;
    GetClientRect(top, &c);
    EXPECT_EQ(First(top, WM_SIZE).lp, MAKELPARAM(c.Width(), c.Height()));
    // Only once.
    Log().clear();
    ShowWindow(top, SW_HIDE);
    ShowWindow(top, SW_SHOW);
    EXPECT_EQ(Count(top, WM_SIZE), 0);
    // Popups and children keep them right after WM_CREATE.
    Log().clear();
    HWND pop = Top(0, 0, 50, 50, WS_POPUP);
    EXPECT_EQ(MessagesOf(pop), (Order{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
    HWND top2 = Top(0, 0, 300, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND c2 = Child(top2, 0, 0, 50, 50);
    Log().clear();
    SetWindowPos(c2, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(MessagesOf(c2), (Order{WM_WINDOWPOSCHANGING, WM_CHILDACTIVATE, WM_WINDOWPOSCHANGED, WM_MOVE}));
    Log().clear();
    SetWindowPos(c2, nullptr, 0, 0, 60, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Count(c2, WM_CHILDACTIVATE), 0);
    MoveWindow(c2, 1, 1, 60, 60, TRUE);
    EXPECT_EQ(Count(c2, WM_CHILDACTIVATE), 0);
    ShowWindow(c2, SW_HIDE);
    Log().clear();
    SetWindowPos(c2, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    EXPECT_EQ(Count(c2, WM_CHILDACTIVATE), 1);
}

TEST_F(MessageOrder, MinimisingAndRestoring) {
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Log().clear();
    ShowWindow(h, SW_MINIMIZE);
    // The focus goes first; the minimised window is still asked for its limits; it is deactivated last,
    // with the minimised flag.
    EXPECT_EQ(MessagesOf(h),
              (Order{WM_KILLFOCUS, WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED,
                     WM_MOVE, WM_SIZE, WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP}));
    EXPECT_EQ(First(h, WM_SIZE).wp, static_cast<WPARAM>(SIZE_MINIMIZED));
    EXPECT_EQ(First(h, WM_ACTIVATE).wp, MAKEWPARAM(WA_INACTIVE, 1));

    // A window that answers WM_QUERYOPEN with FALSE stays minimised.
    Answer(WM_QUERYOPEN, FALSE);
    Log().clear();
    ShowWindow(h, SW_RESTORE);
    EXPECT_TRUE(IsIconic(h));
    EXPECT_EQ(MessagesOf(h), (Order{WM_QUERYOPEN}));
    Override() = nullptr;
    Log().clear();
    ShowWindow(h, SW_RESTORE);
    EXPECT_FALSE(IsIconic(h));
    Order restored = MessagesOf(h);
    ASSERT_FALSE(restored.empty());
    EXPECT_EQ(restored.front(), static_cast<UINT>(WM_QUERYOPEN));
    // The restore ends with the activation, which gives the window its focus back.
    EXPECT_EQ(Order(restored.end() - 2, restored.end()), (Order{WM_ACTIVATE, WM_SETFOCUS}));
    EXPECT_EQ(Log().back().hwnd, h);
    EXPECT_EQ(First(h, WM_ACTIVATE).wp, static_cast<WPARAM>(WA_ACTIVE));
    EXPECT_EQ(GetFocus(), h);

    // With another window to take over, the minimised one is deactivated as the other activates.
    HWND other = Top(0, 0, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetActiveWindow(h);
    Log().clear();
    ShowWindow(h, SW_MINIMIZE);
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(First(h, WM_ACTIVATE).wp, MAKEWPARAM(WA_INACTIVE, 1));
    EXPECT_EQ(AsWindow(First(other, WM_SETFOCUS).wp), nullptr); // the focus had gone already
    // A maximised window is asked for its limits on every size change too.
    ShowWindow(other, SW_SHOWMAXIMIZED);
    Log().clear();
    SetWindowPos(other, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Count(other, WM_GETMINMAXINFO), 1);
    // A window minimised while staying active has no focus; opened again (here back to maximised, asked
    // once) it takes the focus from its activation.
    ShowWindow(other, SW_SHOWMINIMIZED);
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(GetFocus(), nullptr);
    Log().clear();
    ShowWindow(other, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(other));
    EXPECT_EQ(Count(other, WM_QUERYOPEN), 1);
    EXPECT_EQ(GetFocus(), other);
}

TEST_F(MessageOrder, MenuLoopIdlesAndEndsOnCancelMode) {
    HWND h = Top(0, 0, 300, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HMENU m = CreatePopupMenu();
    AppendMenu(m, MF_STRING, 101, "One");
    // The owner is told when the loop has nothing to do; disabling the owner (WM_CANCELMODE) ends it.
    Override() = [h](HWND hw, UINT msg, WPARAM wp, LPARAM, LRESULT*) {
        if (hw == h && msg == WM_ENTERIDLE) {
            EXPECT_EQ(wp, static_cast<WPARAM>(MSGF_MENU));
            EnableWindow(h, FALSE);
        }
        return false;
    };
    SetIdleHandler([] {
        ADD_FAILURE() << "the menu loop waited with nothing to end it";
        EndMenu();
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, h, nullptr), 0);
    EXPECT_FALSE(IsMenuTracking());
    Order expected{WM_ENTERMENULOOP, WM_INITMENU,        WM_INITMENUPOPUP, WM_ENTERIDLE,
                   WM_CANCELMODE,    WM_UNINITMENUPOPUP, WM_MENUSELECT,    WM_EXITMENULOOP};
    std::set<UINT> menuMessages(expected.begin(), expected.end());
    Order got;
    for (const Logged& l : Log())
        if (l.hwnd == h && menuMessages.count(l.msg)) got.push_back(l.msg);
    EXPECT_EQ(got, expected);
    Logged closing = First(h, WM_MENUSELECT);
    EXPECT_EQ(HIWORD(closing.wp), 0xFFFFu);
    EXPECT_EQ(closing.lp, 0);
    EnableWindow(h, TRUE);

    // EndMenu from a message the loop dispatches leaves nothing behind in the queue.
    Override() = [](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_TIMER) EndMenu();
        return msg == WM_TIMER;
    };
    SetTimer(h, 7, 10, nullptr);
    EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 50, 50, 0, h, nullptr), 0);
    KillTimer(h, 7);
    EXPECT_TRUE(detail::S().Posted.empty()) << "message " << detail::S().Posted.front().message << " left";
    SetIdleHandler(nullptr);
    DestroyMenu(m);
}

class Painting : public MessageOrder {
protected:
    int Paints(HWND h) { return Count(h, WM_PAINT); }
};

TEST_F(Painting, AResizeRepaintsOnlyWhatItUncoversAndAMovedChildCarriesItsPixels) {
    HWND top = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND still = Child(top, 10, 10, 50, 50, WS_CHILD | WS_VISIBLE, 1);
    HWND edge = Child(top, 250, 10, 100, 50, WS_CHILD | WS_VISIBLE, 2); // cut off by the right edge
    Pump();
    Log().clear();
    SetWindowPos(top, nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT upd{};
    EXPECT_TRUE(GetUpdateRect(top, &upd, FALSE));
    RECT client;
    GetClientRect(top, &client);
    EXPECT_GE(upd.Left, 300 - 8); // only the new strip, from the old right frame on
    EXPECT_EQ(upd.Right, client.Right);
    Pump();
    EXPECT_EQ(Paints(still), 0);
    EXPECT_EQ(Paints(edge), 1);
    EXPECT_EQ(Paints(top), 1);
    // Shrinking uncovers nothing of the client area.
    Log().clear();
    SetWindowPos(top, nullptr, 0, 0, 350, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
    Pump();
    EXPECT_EQ(Paints(still) + Paints(edge), 0);
    // A class that asks for it (CS_HREDRAW) is repainted whole when its width changes.
    RegisterTestClass("KvHRedraw", CS_HREDRAW);
    HWND whole = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, nullptr, "KvHRedraw");
    Pump();
    SetWindowPos(whole, nullptr, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(whole, &client);
    EXPECT_TRUE(GetUpdateRect(whole, &upd, FALSE));
    EXPECT_EQ(upd, client);
    HWND top2 = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND c = Child(top2, 10, 10, 40, 40);
    Override() = [c](HWND hw, UINT m, WPARAM wp, LPARAM, LRESULT* r) {
        if (hw != c || m != WM_ERASEBKGND) return false;
        RECT all{0, 0, 40, 40};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(reinterpret_cast<HDC>(wp), &all, red);
        DeleteObject(red);
        *r = 1;
        return true;
    };
    Pump();
    Log().clear();
    MoveWindow(c, 100, 60, 40, 40, TRUE);
    POINT at{120, 80};
    ClientToScreen(top2, &at);
    EXPECT_THAT(screen->ScreenPixel(at.X, at.Y), colortest::IsColor(RGB(255, 0, 0)))
        << "the child's pixels are at its new place";
    Pump();
    EXPECT_EQ(Paints(c), 0);
    EXPECT_EQ(Paints(top2), 1); // the place it left
    Override() = nullptr;
}

TEST_F(Painting, UpdateWindowPaintsChildrenAndACaptionIsDrawnAtOnce) {
    HWND top = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND c = Child(top, 10, 10, 40, 40);
    Pump();
    InvalidateRect(c, nullptr, TRUE);
    Log().clear();
    UpdateWindow(top);
    EXPECT_EQ(Paints(c), 1);
    // The caption row on the screen changes as the text is set, before any message is retrieved.
    auto captionRow = [&] {
        std::vector<COLORREF> row;
        for (int x = 4; x < 200; ++x)
            row.push_back(screen->ScreenPixel(x, 4 + GetSystemMetrics(SM_CYCAPTION) / 2));
        return row;
    };
    std::vector<COLORREF> before = captionRow();
    Log().clear();
    SetWindowText(top, "A new caption");
    EXPECT_NE(captionRow(), before);
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE)); // the client area is not repainted for it
    EXPECT_FALSE(detail::HasPendingPaint(detail::W(top)));
    Pump();
    EXPECT_EQ(Paints(top), 0);
}

} // namespace
} // namespace wintest
