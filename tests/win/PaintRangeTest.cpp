// Painting at the ends of the int range: invalidations spanning the whole range reach every child, windows
// nested past the range paint without leaving it (the sanitizer checks every sum), and a window's update
// region keeps to its client area.

#include <climits>

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

constexpr int kMax = MaxWindowCoordinate;
constexpr RECT kWhole{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

class PaintRange : public WinTest {
protected:
    static RECT UpdateOf(HWND h) {
        RECT r{};
        GetUpdateRect(h, &r, FALSE);
        return r;
    }
};

TEST_F(PaintRange, AnInvalidationSpanningTheIntRangeReachesEveryChild) {
    // The parent's frame puts its client area inside the window: each child's region is offset twice.
    HWND top = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW);
    HWND nearby = Child(top, 10, 10, 50, 40);
    HWND far = Child(top, kMax - 5, -kMax, 50, 40);
    HRGN whole = CreateRectRgnIndirect(&kWhole);
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"InvalidateRect", [&] { InvalidateRect(top, &kWhole, TRUE); }},
        {"InvalidateRgn", [&] { InvalidateRgn(top, whole, TRUE); }},
        {"RedrawWindow", [&] { RedrawWindow(top, nullptr, whole, RDW_INVALIDATE | RDW_ALLCHILDREN); }},
    };
    for (const auto& [name, invalidate] : ways) {
        for (HWND h : {top, nearby, far})
            ValidateRect(h, nullptr);
        invalidate();
        EXPECT_EQ(UpdateOf(nearby), (RECT{0, 0, 50, 40})) << name;
        EXPECT_EQ(UpdateOf(far), (RECT{0, 0, 50, 40})) << name;
        ValidateRgn(top, whole);
        EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE)) << name;
    }
    DeleteObject(whole);
}

TEST_F(PaintRange, WindowsNestedPastTheIntRangePaintAndDrawNothing) {
    // 129 children each at the far corner of the one before lie past 2^31 from their root's corner; their
    // borders put each client area inside its window.
    HWND top = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND deepest = top;
    for (int i = 0; i < 129; ++i)
        deepest = Child(deepest, kMax, kMax, 10, 10, WS_CHILD | WS_VISIBLE | WS_BORDER);
    SetWindowRgn(deepest, CreateRectRgnIndirect(&kWhole), FALSE);
    Log().clear();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(Count(deepest, WM_PAINT), 1);
    EXPECT_FALSE(GetUpdateRect(deepest, nullptr, FALSE));

    // Its device contexts see nothing of the image, whatever clip they are given.
    HDC dc = GetDCEx(deepest, CreateRectRgnIndirect(&kWhole), DCX_INTERSECTRGN | DCX_CACHE);
    ASSERT_NE(dc, nullptr);
    EXPECT_FALSE(PtVisible(dc, 0, 0));
    HRGN whole = CreateRectRgnIndirect(&kWhole);
    SelectClipRgn(dc, whole);
    OffsetClipRgn(dc, INT_MAX, INT_MIN);
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), NULLREGION);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    EXPECT_TRUE(FrameRgn(dc, whole, brush, 3, 3));
    DeleteObject(brush);
    DeleteObject(whole);
    ReleaseDC(deepest, dc);
}

TEST_F(PaintRange, AWindowGrownThenShrunkBeforeItPaintsPaintsOnlyItsClientArea) {
    HWND top = Top(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND child = Child(top, 10, 10, 50, 40);
    ValidateRect(child, nullptr);
    const RECT middle{20, 10, 40, 30};
    InvalidateRect(child, &middle, FALSE);
    SetWindowPos(child, nullptr, 0, 0, 100, 80, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(child, nullptr, 0, 0, 30, 20, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(UpdateOf(child), (RECT{20, 10, 30, 20}));
    HRGN update = CreateRectRgn(0, 0, 0, 0), expected = CreateRectRgn(20, 10, 30, 20);
    EXPECT_EQ(GetUpdateRgn(child, update, FALSE), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(update, expected));
    DeleteObject(update);
    DeleteObject(expected);
}

} // namespace
} // namespace wintest
