// Regions and device contexts at the ends of the int range: offsets stop at its ends instead of wrapping
// (the sanitizer checks every sum), origins add up in 64 bits, and drawing a huge shape walks only what
// the clip reaches.

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/win/GdiTestSupport.h"

namespace gditest {
namespace {

// Deletes the GDI objects of a test.
struct Objects {
    std::vector<HGDIOBJ> all;
    template <class H> H operator()(H h) {
        all.push_back(h);
        return h;
    }
    ~Objects() {
        for (HGDIOBJ h : all)
            DeleteObject(h);
    }
};

RECT Box(HRGN r) {
    RECT b{};
    GetRgnBox(r, &b);
    return b;
}

HRGN Union(HRGN a, HRGN b) {
    CombineRgn(a, a, b, RGN_OR);
    DeleteObject(b);
    return a;
}

TEST(RegionRange, AnOffsetStopsAtTheEndsOfTheIntRangeAndTheRegionStaysBanded) {
    Objects keep;
    HRGN r = keep(CreateRectRgn(INT_MAX - 10, 0, INT_MAX, 10));
    EXPECT_EQ(OffsetRgn(r, 5, 0), SIMPLEREGION);
    EXPECT_EQ(Box(r), (RECT{INT_MAX - 5, 0, INT_MAX, 10})) << "pressed against the end, it narrows";
    EXPECT_EQ(OffsetRgn(r, 20, 0), NULLREGION) << "pushed past the end, it is gone";

    // Of two spans in a band, the one pushed past the end goes and the other stays.
    HRGN pair = keep(Union(CreateRectRgn(0, 0, 10, 10), CreateRectRgn(20, 0, 30, 10)));
    EXPECT_EQ(OffsetRgn(pair, INT_MAX - 15, 0), SIMPLEREGION);
    EXPECT_EQ(Box(pair), (RECT{INT_MAX - 15, 0, INT_MAX - 5, 10}));
    // Two bands whose spans come to match once pressed against the end are one band.
    HRGN steps = keep(Union(CreateRectRgn(0, 0, 10, 10), CreateRectRgn(0, 10, 20, 20)));
    EXPECT_EQ(OffsetRgn(steps, INT_MAX - 5, INT_MIN), SIMPLEREGION);
    EXPECT_EQ(detail::GetRegionRects(steps),
              (std::vector<RECT>{{INT_MAX - 5, INT_MIN, INT_MAX, INT_MIN + 20}}));

    // The whole range moved by the whole range keeps what is still in it.
    HRGN all = keep(CreateRectRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_EQ(OffsetRgn(all, INT_MAX, INT_MIN), SIMPLEREGION);
    EXPECT_EQ(Box(all), (RECT{-1, INT_MIN, INT_MAX, -1}));
}

TEST(RegionRange, RoundRegionsOfBoxesWithoutWidthOrHeightAreEmptyWhereverTheyLie) {
    const RECT flat[] = {{10, 10, 10, 50},
                         {10, 10, 50, 10},
                         {INT_MIN, INT_MIN, INT_MIN, INT_MIN + 8},
                         {INT_MIN, INT_MIN + 3, INT_MIN + 8, INT_MIN + 3},
                         {INT_MAX, 0, INT_MAX, 8}};
    for (const RECT& b : flat) {
        Objects keep;
        RECT box{};
        EXPECT_EQ(GetRgnBox(keep(CreateEllipticRgn(b.Left, b.Top, b.Right, b.Bottom)), &box), NULLREGION)
            << b.Left << "," << b.Top << " " << box.Left << "," << box.Top;
        EXPECT_EQ(GetRgnBox(keep(CreateRoundRectRgn(b.Left, b.Top, b.Right, b.Bottom, 4, 4)), &box),
                  NULLREGION)
            << b.Left << "," << b.Top;
    }
    // A small box in the far corner holds its disc.
    Objects keep;
    const RECT box = Box(keep(CreateEllipticRgn(INT_MIN, INT_MIN, INT_MIN + 8, INT_MIN + 8)));
    EXPECT_FALSE(box.IsEmpty());
    EXPECT_GE(box.Left, INT_MIN);
    EXPECT_LE(box.Right, INT_MIN + 8);
}

TEST(DCRange, OriginsAnywhereInTheIntRangeAddUpWithoutWrapping) {
    Objects keep; // deleted once the canvas has let them go
    Canvas c(20, 20);
    SelectObject(c.dc, keep(CreatePen(PS_SOLID, 1, Red)));
    SelectObject(c.dc, keep(CreateSolidBrush(Blue)));
    // Logical 0 lies 2^32 - 1 pixels right of the surface's corner: nothing of the int range reaches it.
    SetViewportOrgEx(c.dc, INT_MAX, INT_MAX, nullptr);
    SetWindowOrgEx(c.dc, INT_MIN, INT_MIN, nullptr);
    Rectangle(c.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    Ellipse(c.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(c.InkBox(), RECT{});
    EXPECT_FALSE(PtVisible(c.dc, INT_MIN, INT_MIN));
    POINT p{0, 0};
    LPtoDP(c.dc, &p, 1);
    EXPECT_EQ(p, (POINT{INT_MAX, INT_MAX}));
    // Offsets past the end of the range stop there.
    OffsetViewportOrgEx(c.dc, 10, 10, nullptr);
    OffsetWindowOrgEx(c.dc, -10, -10, nullptr);
    POINT vp{}, wo{};
    GetViewportOrgEx(c.dc, &vp);
    GetWindowOrgEx(c.dc, &wo);
    EXPECT_EQ(vp, (POINT{INT_MAX, INT_MAX}));
    EXPECT_EQ(wo, (POINT{INT_MIN, INT_MIN}));

    // Far logical places brought onto the surface draw there: the top-right end of the range at (0, 0).
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    SetWindowOrgEx(c.dc, INT_MAX - 10, INT_MAX - 10, nullptr);
    Rectangle(c.dc, INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX);
    EXPECT_EQ(c.Row(0, Red), "##########..........");
    EXPECT_EQ(c.Column(9, Red), "##########..........");
    EXPECT_EQ(c.At(5, 5), Blue);
    EXPECT_TRUE(PtVisible(c.dc, INT_MAX - 1, INT_MAX - 1));
    // The bottom-left end: an outline of a wide pen around a box in the corner stops at the range's end.
    Fill(c.dc, {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX}, White);
    SetWindowOrgEx(c.dc, INT_MIN, INT_MIN, nullptr);
    SelectObject(c.dc, keep(CreatePen(PS_SOLID, 5, Red)));
    Ellipse(c.dc, INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10);
    const RECT ink = c.InkBox();
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_LE(ink.Right, 12) << "within the outer edge of the pen";
    EXPECT_LE(ink.Bottom, 12);
    // A focus rectangle over the whole range: every other pixel from its corner, which lies at (0, 0).
    Fill(c.dc, {INT_MIN, INT_MIN, INT_MIN + 20, INT_MIN + 20}, White);
    const RECT whole{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    DrawFocusRect(c.dc, &whole);
    EXPECT_EQ(c.Row(0, Black), "#.#.#.#.#.#.#.#.#.#.");
    EXPECT_EQ(c.Column(0, Black), "#.#.#.#.#.#.#.#.#.#.");
}

TEST(DCRange, AFrameControlOfAHugeBoxDrawsOnlyWhatTheClipReaches) {
    Canvas c(20, 20);
    RECT whole{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    // A checked radio button: its dot covers the middle of the box, at logical (0, 0).
    SetViewportOrgEx(c.dc, 10, 10, nullptr);
    DrawFrameControl(c.dc, &whole, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(c.At(10, 10), GetSysColor(COLOR_BTNTEXT));
    // A size grip: every fourth diagonal from the bottom-right corner, which lies at (20, 20); the first one
    // is light over a dark one.
    SetViewportOrgEx(c.dc, 20 - INT_MAX, 20 - INT_MAX, nullptr);
    DrawFrameControl(c.dc, &whole, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    EXPECT_EQ(c.At(19, 18), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.At(19, 19), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(19, 17), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.At(19, 14), GetSysColor(COLOR_BTNHIGHLIGHT));
    // A checked three-state box, seen away from its edges and its tick: the dithered face, light where
    // the device's x + y is even.
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    SetWindowOrgEx(c.dc, INT_MIN + 1000, INT_MIN + 1000, nullptr);
    DrawFrameControl(c.dc, &whole, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_BUTTON3STATE | DFCS_CHECKED);
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.At(1, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.At(7, 3), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(DCRange, ALineAcrossTheWholeIntRangeLightsThePixelsItCrosses) {
    Objects keep; // deleted once the canvases have let them go
    const auto diagonal = [](int x) { return std::string(x, '.') + '#' + std::string(19 - x, '.'); };
    // From one corner of the range to the other: the diagonal through (0, 0).
    Canvas solid(20, 20);
    SelectObject(solid.dc, keep(CreatePen(PS_SOLID, 1, Red)));
    MoveToEx(solid.dc, INT_MIN, INT_MIN, nullptr);
    LineTo(solid.dc, INT_MAX, INT_MAX);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(solid.Row(y, Red), diagonal(y)) << "row " << y;
    // Twice as steep, along x = y / 2: a row with an odd y passes between two pixels and takes the one with
    // the smaller x.
    Canvas steep(20, 20);
    SelectObject(steep.dc, keep(CreatePen(PS_SOLID, 1, Red)));
    MoveToEx(steep.dc, INT_MIN / 2, INT_MIN, nullptr);
    LineTo(steep.dc, INT_MAX / 2, INT_MAX - 1);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(steep.Row(y, Red), diagonal(y / 2)) << "row " << y;
    // Dotted, three on and three off: the pattern runs on from the line's start, 2^31 pixels before (0, 0),
    // so the corner pixel lies two into a run of three.
    Canvas dotted(20, 20);
    SelectObject(dotted.dc, keep(CreatePen(PS_DOT, 1, Red)));
    SetBkMode(dotted.dc, TRANSPARENT);
    MoveToEx(dotted.dc, INT_MIN, INT_MIN, nullptr);
    LineTo(dotted.dc, INT_MAX, INT_MAX);
    ASSERT_EQ((std::int64_t{1} << 31) % 6, 2);
    std::string along;
    for (int i = 0; i < 20; ++i)
        along += dotted.At(i, i) == Red ? '#' : '.';
    EXPECT_EQ(along, "#...###...###...###.");
    EXPECT_EQ(dotted.Inked({0, 0, 20, 20}), 10) << "nothing off the diagonal";
}

TEST(DCRange, AWidePenDrawsWhereTheViewReachesTheEndsOfTheIntRange) {
    // A line five pixels wide along row 10 of the canvas, across the whole range: it covers the pixels whose
    // centres lie within two and a half pixels of its middle, rows 8 to 12, from edge to edge. The canvas
    // starts at the bottom end of the range, or ends where the view does, a pixel short of its top end.
    const std::string all(20, '#'), none(20, '.');
    for (const int corner : {INT_MIN, INT_MAX - 20}) {
        Objects keep;
        Canvas c(20, 20);
        SelectObject(c.dc, keep(CreatePen(PS_SOLID, 5, Red)));
        SetWindowOrgEx(c.dc, corner, corner, nullptr);
        MoveToEx(c.dc, INT_MIN, corner + 10, nullptr);
        LineTo(c.dc, INT_MAX, corner + 10);
        for (int y = 0; y < 20; ++y)
            EXPECT_EQ(c.Row(y, Red), y >= 8 && y <= 12 ? all : none) << "row " << y << " at " << corner;
    }
}

TEST(DCRange, TheClipBoxKeepsToWhatALogicalCoordinateReaches) {
    Objects keep;
    Canvas c(20, 20);
    RECT box{};
    // The surface lies wholly past the top end of the logical range, or wholly past its bottom end.
    SetViewportOrgEx(c.dc, INT_MIN, INT_MIN, nullptr);
    EXPECT_EQ(GetClipBox(c.dc, &box), NULLREGION);
    EXPECT_EQ(box, RECT{});
    SetViewportOrgEx(c.dc, INT_MAX, INT_MAX, nullptr);
    SetWindowOrgEx(c.dc, INT_MIN, INT_MIN, nullptr);
    EXPECT_EQ(GetClipBox(c.dc, &box), NULLREGION);
    EXPECT_EQ(box, RECT{});
    // The surface's first columns and rows lie at the end of the range: the box runs to it, and what lies
    // past it is left out.
    SetWindowOrgEx(c.dc, 0, 0, nullptr);
    SetViewportOrgEx(c.dc, INT_MIN + 5, INT_MIN + 5, nullptr);
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{INT_MAX - 4, INT_MAX - 4, INT_MAX, INT_MAX}));
    EXPECT_TRUE(PtVisible(c.dc, box.Left, box.Top));
    // Two bands of different widths, cut to the same columns, are one rectangle.
    HRGN bands = keep(Union(CreateRectRgn(0, 0, 10, 5), CreateRectRgn(0, 5, 20, 10)));
    SelectClipRgn(c.dc, bands);
    SetViewportOrgEx(c.dc, INT_MIN + 5, 0, nullptr);
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{INT_MAX - 4, 0, INT_MAX, 10}));
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    EXPECT_EQ(GetClipBox(c.dc, &box), COMPLEXREGION) << "within the range, the bands stay";
    EXPECT_EQ(box, (RECT{0, 0, 20, 10}));
}

} // namespace
} // namespace gditest
