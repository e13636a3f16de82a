// The queue: retrieval order, quit, translation, paint coalescing, BeginPaint, idle waiting, subclassing.

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

class MessageQueue : public WinTest {};

TEST_F(MessageQueue, PostedMessagesComeInOrderQuitAfterThemAndGoWithTheirWindow) {
    HWND h = Top(0, 0, 100, 100);
    PostMessage(h, WM_USER + 1, 1, 0);
    PostQuitMessage(3);
    PostMessage(h, WM_USER + 2, 2, 0);
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_USER + 1u); // not removed: seen again
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_USER + 1u);
    // A range filter skips over messages without losing them.
    ASSERT_TRUE(PeekMessage(&m, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
    EXPECT_EQ(m.wParam, 2u);
    EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0)); // WM_QUIT
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PostMessage(reinterpret_cast<HWND>(std::uintptr_t{0x999990}), WM_USER, 0, 0));
    HWND a = Top(0, 0, 10, 10);
    HWND b = Top(0, 0, 10, 10);
    PostMessage(a, WM_USER, 0, 0);
    PostMessage(b, WM_USER, 0, 0);
    DestroyWindow(a);
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, b);
    EXPECT_FALSE(PeekMessage(&m, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

TEST_F(MessageQueue, GetMessageNeverHangsAndTranslateMessageMakesCharacters) {
    MSG m;
    EXPECT_THROW(GetMessage(&m, nullptr, 0, 0), EMessageLoopIdle);
    // The idle handler (a modal driver) is asked first and can make something happen.
    HWND h = Top(0, 0, 10, 10);
    int calls = 0;
    SetIdleHandler([&] {
        ++calls;
        PostMessage(h, WM_USER + 7, 0, 0);
        return true;
    });
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_USER + 7u);
    EXPECT_EQ(calls, 1);
    SetIdleHandler(nullptr);
    // With a timer pending, the virtual clock jumps to it instead.
    SetTimer(h, 1, 250, nullptr);
    DWORD before = GetTickCount();
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_TIMER);
    EXPECT_EQ(GetTickCount() - before, 250u);
    HWND h2 = Top(0, 0, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    screen->KeyDown(VK_SHIFT);
    screen->PressKey('A');
    screen->KeyUp(VK_SHIFT);
    screen->PressKey('1');
    Log().clear();
    Pump();
    EXPECT_EQ(WParams(h2, WM_CHAR), (std::vector<WPARAM>{'A', '1'}));
    // Characters without a key arrive as packets.
    Log().clear();
    screen->TypeText("aZ é€");
    Pump();
    EXPECT_EQ(WParams(h2, WM_CHAR), (std::vector<WPARAM>{'a', 'Z', ' ', 0xE9, 0x20AC}));
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
}

TEST_F(MessageQueue, PaintIsCoalescedUntilTheQueueIsEmptyAndNeverRepeatsForever) {
    HWND h = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    Log().clear();
    RECT a{0, 0, 10, 10}, b{50, 50, 60, 70};
    InvalidateRect(h, &a, FALSE);
    InvalidateRect(h, &b, TRUE);
    PostMessage(h, WM_USER, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER); // posted messages go first
    RECT u;
    EXPECT_TRUE(GetUpdateRect(h, &u, FALSE));
    EXPECT_EQ(u, (RECT{0, 0, 60, 70}));
    int paints = 0;
    RECT painted{};
    BOOL erase = FALSE;
    Override() = [&](HWND hw, UINT msg, WPARAM, LPARAM, LRESULT* r) {
        if (msg != WM_PAINT) return false;
        ++paints;
        PAINTSTRUCT ps;
        BeginPaint(hw, &ps);
        painted = ps.rcPaint;
        erase = ps.fErase;
        EndPaint(hw, &ps);
        *r = 0;
        return true;
    };
    Pump();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(painted, (RECT{0, 0, 60, 70}));
    EXPECT_FALSE(erase);                       // the class brush erased it in WM_ERASEBKGND
    EXPECT_EQ(Count(h, WM_ERASEBKGND), 1);     // asked for by the second invalidation
    EXPECT_FALSE(GetUpdateRect(h, &u, FALSE)); // BeginPaint validated
    Pump();
    EXPECT_EQ(paints, 1);
    // A paint that never validates is not sent again and again.
    HWND lazy = Top(0, 0, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Answer(WM_PAINT, 0);
    Pump();
    EXPECT_EQ(Count(lazy, WM_PAINT), 1);
}

TEST_F(MessageQueue, ParentsPaintFirstClipChildrenDecidesAndUpdateWindowPaintsAtOnceWhenShown) {
    HWND top = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = Child(top, 10, 10, 50, 50);
    Pump();
    Log().clear();
    InvalidateRect(top, nullptr, TRUE); // no WS_CLIPCHILDREN: the child is invalidated too
    Pump();
    auto order = AllMessages({WM_PAINT});
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{top, WM_PAINT}, {child, WM_PAINT}}));
    SetWindowLongPtr(top, GWL_STYLE, GetWindowLongPtr(top, GWL_STYLE) | WS_CLIPCHILDREN);
    Log().clear();
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    EXPECT_EQ(Count(child, WM_PAINT), 0);
    EXPECT_EQ(Count(top, WM_PAINT), 1);
    Log().clear();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(Count(child, WM_PAINT), 1); // painted at once, no queue needed
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE);
    ValidateRect(child, nullptr);
    RECT u;
    EXPECT_FALSE(GetUpdateRect(child, &u, FALSE));
    HWND h = Top(0, 0, 100, 100);
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    EXPECT_EQ(Count(h, WM_PAINT), 0); // hidden
    ShowWindow(h, SW_SHOW);
    Log().clear();
    UpdateWindow(h);
    EXPECT_EQ(Count(h, WM_PAINT), 1);
    EXPECT_EQ(Count(h, WM_NCPAINT), 1);
}

TEST_F(MessageQueue, APaintStampChangesWithEveryInvalidationOfItsWindowOnly) {
    HWND top = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE);
    HWND child = Child(top, 10, 10, 50, 50);
    Pump();
    const std::uint64_t first = GetWindowPaintStamp(top), childFirst = GetWindowPaintStamp(child);
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, childFirst) << "no two windows share a stamp";
    EXPECT_EQ(GetWindowPaintStamp(top), first) << "reading it changes nothing";
    // The child alone: the parent's picture holds.
    InvalidateRect(child, nullptr, TRUE);
    EXPECT_EQ(GetWindowPaintStamp(top), first);
    EXPECT_NE(GetWindowPaintStamp(child), childFirst);
    // Any part of the parent, even one a child covers, and painting it does not change it back.
    const RECT under{20, 20, 30, 30};
    InvalidateRect(top, &under, FALSE);
    const std::uint64_t second = GetWindowPaintStamp(top);
    EXPECT_NE(second, first);
    Pump();
    EXPECT_EQ(GetWindowPaintStamp(top), second);
    // Nothing to invalidate (outside the client area): the picture holds.
    const RECT outside{500, 500, 600, 600};
    InvalidateRect(top, &outside, FALSE);
    EXPECT_EQ(GetWindowPaintStamp(top), second);
    EXPECT_EQ(GetWindowPaintStamp(nullptr), 0u);
}

LRESULT Subclass(HWND h, UINT m, WPARAM w, LPARAM l);
LONG_PTR gPrevious = 0;
int gSubclassed = 0;
LRESULT Subclass(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER) ++gSubclassed;
    return CallWindowProc(reinterpret_cast<WNDPROC>(gPrevious), h, m, w, l);
}

TEST_F(MessageQueue, WindowLongsSubclassingPropertiesAndText) {
    HWND h = Top(0, 0, 10, 10);
    gSubclassed = 0;
    gPrevious = SetWindowLongPtr(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass));
    EXPECT_EQ(gPrevious, reinterpret_cast<LONG_PTR>(&LogProc));
    Log().clear();
    SendMessage(h, WM_USER, 0, 0);
    EXPECT_EQ(gSubclassed, 1);
    EXPECT_EQ(Count(h, WM_USER), 1); // the previous procedure still ran
    SetWindowLongPtr(h, GWLP_WNDPROC, gPrevious);
    SendMessage(h, WM_USER, 0, 0);
    EXPECT_EQ(gSubclassed, 1);
    // The 32-bit calls cannot carry a pointer.
    EXPECT_EQ(GetWindowLong(h, GWL_WNDPROC), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
    EXPECT_EQ(SetWindowLongPtr(h, GWLP_USERDATA, 42), 0);
    EXPECT_EQ(GetWindowLongPtr(h, GWLP_USERDATA), 42);
    EXPECT_EQ(SetWindowLongPtr(h, 8, 0x1234), 0);
    EXPECT_EQ(GetWindowLongPtr(h, 8), 0x1234);
    EXPECT_EQ(GetWindowLongPtr(h, 9), 0); // would read past the 16 extra bytes
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
    Log().clear();
    SetWindowLongPtr(h, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    EXPECT_EQ(MessagesOf(h), (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
    EXPECT_EQ(GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, static_cast<LONG_PTR>(WS_EX_TOOLWINDOW));
    int a = 1, b = 2;
    EXPECT_TRUE(SetProp(h, "Kv.Hook", &a));
    EXPECT_TRUE(SetProp(h, "kv.hook", &b)); // names ignore case: this replaces
    EXPECT_EQ(GetProp(h, "KV.HOOK"), &b);
    EXPECT_EQ(RemoveProp(h, "Kv.Hook"), &b);
    EXPECT_EQ(GetProp(h, "Kv.Hook"), nullptr);
    EXPECT_TRUE(SetWindowText(h, "Größe"));
    EXPECT_EQ(GetWindowTextLength(h), 7);
    char buf[5];
    EXPECT_EQ(GetWindowText(h, buf, 5), 4);
    EXPECT_STREQ(buf, "Grö");
    char small[4];
    // Three bytes hold "Gr" and half of "ö": the cut keeps whole characters.
    EXPECT_EQ(GetWindowText(h, small, 4), 2);
    EXPECT_STREQ(small, "Gr");
    char cls[64];
    EXPECT_EQ(GetClassName(h, cls, 64), static_cast<int>(std::strlen(kClass)));
    EXPECT_STREQ(cls, kClass);
    WNDCLASS wc{};
    EXPECT_TRUE(GetClassInfo(nullptr, "kvtestwindow", &wc));
    EXPECT_EQ(wc.lpfnWndProc, &LogProc);
    EXPECT_FALSE(UnregisterClass(kClass, nullptr)); // it has a window
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    WNDCLASSEX dup{};
    dup.cbSize = sizeof dup;
    dup.lpfnWndProc = LogProc;
    dup.lpszClassName = kClass;
    EXPECT_EQ(RegisterClassEx(&dup), 0);
    // The 32-bit calls.
    // Extra bytes: the last LONG of the 16 fits, one byte further does not.
    EXPECT_EQ(SetWindowLong(h, 12, -7), 0);
    EXPECT_EQ(GetWindowLong(h, 12), -7);
    EXPECT_EQ(SetWindowLong(h, 12, 5), -7); // the earlier value comes back
    SetLastError(0);
    EXPECT_EQ(SetWindowLong(h, 13, 1), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
    EXPECT_EQ(GetWindowLong(h, 13), 0);
    EXPECT_EQ(GetWindowLong(h, 12), 5); // the refused write changed nothing
    // Pointer-sized indexes are refused before the handle is looked at; a dead handle says so.
    SetLastError(0);
    EXPECT_EQ(SetWindowLong(nullptr, GWLP_HWNDPARENT, 1), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
    SetLastError(0);
    EXPECT_EQ(GetWindowLong(nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    // Other negative indexes go through the pointer-sized calls; a style keeps its high bit.
    EXPECT_EQ(SetWindowLong(h, GWLP_USERDATA, 43), 42);
    EXPECT_EQ(GetWindowLong(h, GWLP_USERDATA), 43);
    SetWindowLong(h, GWL_STYLE, static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtr(h, GWL_STYLE)) & WS_POPUP, WS_POPUP);
}

TEST_F(MessageQueue, RelationsAndZOrder) {
    HWND top = Top(0, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND c1 = Child(top, 0, 0, 10, 10, WS_CHILD | WS_VISIBLE, 1);
    HWND c2 = Child(top, 0, 0, 10, 10, WS_CHILD | WS_VISIBLE, 2);
    HWND g = Child(c1, 0, 0, 5, 5);
    EXPECT_EQ(GetWindow(top, GW_CHILD), c2); // newest on top
    EXPECT_EQ(GetWindow(c2, GW_HWNDNEXT), c1);
    EXPECT_EQ(GetWindow(c1, GW_HWNDPREV), c2);
    SetWindowPos(c2, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), c1);
    EXPECT_TRUE(IsChild(top, g));
    EXPECT_FALSE(IsChild(c2, g));
    EXPECT_EQ(GetAncestor(g, GA_ROOT), top);
    EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetWindowLongPtr(c2, GWLP_ID), 2);
    EXPECT_EQ(SetParent(c1, g), nullptr); // a window cannot go inside its own child
    EXPECT_EQ(SetParent(c2, c1), top);
    EXPECT_EQ(GetParent(c2), c1);
    POINT p{1, 2};
    ClientToScreen(g, &p);
    RECT wr;
    GetWindowRect(g, &wr);
    EXPECT_EQ(p, (POINT{wr.Left + 1, wr.Top + 2}));
    ScreenToClient(g, &p);
    EXPECT_EQ(p, (POINT{1, 2}));
    POINT q{0, 0};
    MapWindowPoints(g, top, &q, 1);
    EXPECT_EQ(q, (POINT{0, 0}));
    // Topmost windows stay above the others.
    HWND tm = Top(0, 0, 10, 10, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    HWND normal = Top(0, 0, 10, 10, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetTopWindow(nullptr), tm);
    EXPECT_EQ(GetWindow(tm, GW_HWNDNEXT), normal);
    struct Ctx {
        int n = 0;
    } ctx;
    EnumWindows([](HWND, LPARAM lp) { return ++reinterpret_cast<Ctx*>(lp)->n < 2 ? TRUE : FALSE; },
                reinterpret_cast<LPARAM>(&ctx));
    EXPECT_EQ(ctx.n, 2);                             // stopped when asked
    EXPECT_EQ(FindWindow(kClass, "Child"), nullptr); // only top-level windows
    EXPECT_EQ(FindWindowEx(top, nullptr, kClass, "Child"), c1);
}

} // namespace
} // namespace wintest
