// The platform's pixel rules on the integer grid: polygon fill, line ties, shape regions, hatches, dashed
// outlines, mirrored blits, degenerate rectangles, soft and partial edges and classic frame controls.

#include <set>
#include <utility>
#include <vector>

#include "tests/win/GdiTestSupport.h"

using namespace gditest;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF WhiteColour = RGB(255, 255, 255);

using PixelSet = std::set<std::pair<int, int>>;

PixelSet Inked(const Canvas& c, int w, int h) {
    PixelSet s;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (c.At(x, y) != WhiteColour) s.insert({x, y});
    return s;
}

PixelSet RegionPixels(HRGN r, int w, int h) {
    PixelSet s;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (PtInRegion(r, x, y)) s.insert({x, y});
    return s;
}

// The pixels of a pen-less polygon fill, drawn in the given fill mode.
PixelSet PolygonFill(const POINT* pts, int n, int mode) {
    Canvas c(40, 40);
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    Selected brush(c.dc, CreateSolidBrush(Blue));
    SetPolyFillMode(c.dc, mode);
    Polygon(c.dc, pts, n);
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
    return Inked(c, 40, 40);
}

PixelSet Line(int x0, int y0, int x1, int y1) {
    Canvas c(40, 40);
    Selected pen(c.dc, CreatePen(PS_SOLID, 1, Red));
    MoveToEx(c.dc, x0, y0, nullptr);
    LineTo(c.dc, x1, y1);
    return Inked(c, 40, 40);
}

// Paints the canvas green, so that white drawn on it shows.
void Green(Canvas& c) {
    HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
    RECT all{0, 0, c.Width(), c.Height()};
    FillRect(c.dc, &all, green);
    DeleteObject(green);
}

} // namespace

TEST(GdiGridPolygons, FillCoversThePixelsWhosePointsLieInsideAndEqualsItsRegion) {
    // A polygon that is a rectangle fills exactly as the rectangle region: left and top in, right and
    // bottom out.
    const POINT square[] = {{2, 3}, {12, 3}, {12, 9}, {2, 9}};
    PixelSet expected;
    for (int y = 3; y < 9; ++y)
        for (int x = 2; x < 12; ++x)
            expected.insert({x, y});
    EXPECT_EQ(PolygonFill(square, 4, ALTERNATE), expected);
    // A triangle takes the grid points on or right of its left edge and left of its right edge: on row
    // y = 4 of (0,0)-(8,0)-(0,8), the right edge crosses at x = 4, so columns 0 to 3.
    const POINT tri[] = {{0, 0}, {8, 0}, {0, 8}};
    const PixelSet t = PolygonFill(tri, 3, ALTERNATE);
    EXPECT_TRUE(t.count({3, 4}));
    EXPECT_FALSE(t.count({4, 4}));
    EXPECT_TRUE(t.count({0, 7}));
    EXPECT_FALSE(t.count({1, 7}));
    EXPECT_EQ(t.size(), 8u + 7 + 6 + 5 + 4 + 3 + 2 + 1);
    // In both fill modes a filled polygon and its region are the same pixels.
    const POINT star[] = {{20, 1}, {27, 30}, {4, 10}, {36, 10}, {13, 30}};
    for (int mode : {ALTERNATE, WINDING}) {
        for (const auto& [pts, n] : {std::pair{tri, 3}, std::pair{star, 5}}) {
            HRGN r = CreatePolygonRgn(pts, n, mode);
            EXPECT_EQ(PolygonFill(pts, n, mode), RegionPixels(r, 40, 40))
                << "mode " << mode << " points " << n;
            DeleteObject(r);
        }
    }
    // The star's centre is a hole only in ALTERNATE mode.
    EXPECT_FALSE(PolygonFill(star, 5, ALTERNATE).count({20, 15}));
    EXPECT_TRUE(PolygonFill(star, 5, WINDING).count({20, 15}));
}

TEST(GdiGridPolygons, OutlinedArrowHasNoHolesBetweenFillAndPen) {
    // The small arrow of a scroll bar: outline and fill in one colour make a solid triangle.
    Canvas c(16, 16);
    Selected pen(c.dc, CreatePen(PS_SOLID, 1, Red));
    Selected brush(c.dc, CreateSolidBrush(Red));
    const POINT down[] = {{4, 6}, {10, 6}, {7, 9}};
    Polygon(c.dc, down, 3);
    EXPECT_EQ(c.Row(6, Red, 3, 12), ".#######.");
    EXPECT_EQ(c.Row(7, Red, 3, 12), "..#####..");
    EXPECT_EQ(c.Row(8, Red, 3, 12), "...###...");
    EXPECT_EQ(c.Row(9, Red, 3, 12), "....#....");
}

TEST(GdiGridLines, ATieTakesTheSmallerMinorCoordinateInEveryOctant) {
    // From (0,0) to (10,5) the line passes exactly between rows 0 and 1 at x = 1: row 0 is lit.
    const PixelSet shallow = Line(10, 10, 20, 15);
    EXPECT_TRUE(shallow.count({11, 10}));
    EXPECT_FALSE(shallow.count({11, 11}));
    EXPECT_TRUE(shallow.count({13, 11}));
    // A steep line between columns takes the left one.
    const PixelSet steep = Line(10, 10, 15, 20);
    EXPECT_TRUE(steep.count({10, 11}));
    EXPECT_FALSE(steep.count({11, 11}));
    // Whichever way a line runs, it lights the same pixels apart from the end point each leaves out.
    for (const auto& [dx, dy] : std::vector<std::pair<int, int>>{{10, 5},
                                                                 {5, 10},
                                                                 {-5, 10},
                                                                 {-10, 5},
                                                                 {-10, -5},
                                                                 {-5, -10},
                                                                 {5, -10},
                                                                 {10, -5},
                                                                 {7, 3},
                                                                 {-3, 7}}) {
        const int x0 = 20, y0 = 20, x1 = 20 + dx, y1 = 20 + dy;
        PixelSet forward = Line(x0, y0, x1, y1), backward = Line(x1, y1, x0, y0);
        forward.insert({x1, y1});
        backward.insert({x0, y0});
        EXPECT_EQ(forward, backward) << "towards " << dx << "," << dy;
        EXPECT_EQ(forward.size(), static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy)) + 1));
    }
}

TEST(GdiGridShapes, EllipticAndRoundRegionsLeaveOutTheRightColumnAndBottomRow) {
    HRGN ellipse = CreateEllipticRgn(2, 2, 12, 12);
    RECT box{};
    GetRgnBox(ellipse, &box);
    EXPECT_EQ(box, (RECT{2, 2, 11, 11}));
    EXPECT_TRUE(PtInRegion(ellipse, 2, 6));
    EXPECT_FALSE(PtInRegion(ellipse, 11, 6));
    EXPECT_FALSE(PtInRegion(ellipse, 6, 11));
    HRGN round = CreateRoundRectRgn(0, 0, 20, 10, 4, 4);
    GetRgnBox(round, &box);
    EXPECT_EQ(box, (RECT{0, 0, 19, 9}));
    EXPECT_TRUE(PtInRegion(round, 18, 4));
    EXPECT_FALSE(PtInRegion(round, 19, 4));
    EXPECT_FALSE(PtInRegion(round, 0, 0)); // a corner is cut
    // Pen-less, Ellipse and RoundRect fill exactly their regions.
    for (int kind = 0; kind < 2; ++kind) {
        Canvas c(24, 24);
        SelectObject(c.dc, GetStockObject(NULL_PEN));
        Selected brush(c.dc, CreateSolidBrush(Blue));
        if (kind == 0)
            Ellipse(c.dc, 2, 2, 12, 12);
        else
            RoundRect(c.dc, 0, 0, 20, 10, 4, 4);
        EXPECT_EQ(Inked(c, 24, 24), RegionPixels(kind == 0 ? ellipse : round, 24, 24)) << kind;
        SelectObject(c.dc, GetStockObject(BLACK_PEN));
    }
    DeleteObject(ellipse);
    DeleteObject(round);
}

TEST(GdiGridBrushes, HatchLinesLieOnRowThreeAndColumnFourFromTheBrushOrigin) {
    Canvas c(16, 16);
    SetBkMode(c.dc, TRANSPARENT);
    RECT all{0, 0, 16, 16};
    HBRUSH horizontal = CreateHatchBrush(HS_HORIZONTAL, Red);
    FillRect(c.dc, &all, horizontal);
    EXPECT_EQ(c.Column(0, Red), "...#.......#....");
    HBRUSH vertical = CreateHatchBrush(HS_VERTICAL, Blue);
    FillRect(c.dc, &all, vertical);
    EXPECT_EQ(c.Row(0, Blue), "....#.......#...");
    // The cross moves with the brush origin.
    Canvas d(16, 16);
    SetBkMode(d.dc, TRANSPARENT);
    SetBrushOrgEx(d.dc, 2, 1, nullptr);
    HBRUSH cross = CreateHatchBrush(HS_CROSS, Red);
    FillRect(d.dc, &all, cross);
    EXPECT_EQ(d.Column(0, Red), "....#.......#...");
    EXPECT_EQ(d.Row(0, Red), "......#.......#.");
    for (HBRUSH b : {horizontal, vertical, cross})
        DeleteObject(b);
}

TEST(GdiGridRectangles, DashedOutlineStartsTopLeftAndRunsClockwise) {
    Canvas c(20, 12);
    Selected pen(c.dc, CreatePen(PS_DOT, 1, Red));
    SelectObject(c.dc, GetStockObject(NULL_BRUSH));
    SetBkMode(c.dc, TRANSPARENT);
    Rectangle(c.dc, 0, 0, 11, 7);
    // The outline walked clockwise from the top-left corner: three on, three off, from the first pixel.
    std::vector<POINT> walk;
    for (int x = 0; x < 10; ++x)
        walk.push_back({x, 0});
    for (int y = 0; y < 6; ++y)
        walk.push_back({10, y});
    for (int x = 10; x > 0; --x)
        walk.push_back({x, 6});
    for (int y = 6; y > 0; --y)
        walk.push_back({0, y});
    for (std::size_t i = 0; i < walk.size(); ++i)
        EXPECT_EQ(c.At(walk[i].X, walk[i].Y) == Red, i % 6 < 3) << "step " << i;
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
}

TEST(GdiGridRectangles, ARectangleOnePixelWideOrHighDrawsNothing) {
    Canvas c(10, 10);
    Selected pen(c.dc, CreatePen(PS_SOLID, 1, Red));
    Selected brush(c.dc, CreateSolidBrush(Blue));
    EXPECT_TRUE(Rectangle(c.dc, 2, 2, 3, 3));
    EXPECT_TRUE(Rectangle(c.dc, 4, 1, 5, 8));
    EXPECT_TRUE(Rectangle(c.dc, 1, 9, 8, 8)); // corners given in either order
    EXPECT_EQ(c.Inked({0, 0, 10, 10}), 0);
    EXPECT_TRUE(Rectangle(c.dc, 2, 2, 4, 4)); // two by two is all outline
    EXPECT_EQ(c.Inked({0, 0, 10, 10}), 4);
}

TEST(GdiGridBlits, AMirroredStretchCoversTheColumnsUpToItsOrigin) {
    Canvas src(4, 1);
    for (int x = 0; x < 4; ++x)
        SetPixel(src.dc, x, 0, RGB(x * 60, 0, 0));
    Canvas c(12, 3);
    // (8, -4) covers x = 5 to 8, the first source column at x = 8.
    ASSERT_TRUE(StretchBlt(c.dc, 8, 1, -4, 1, src.dc, 0, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(c.Inked({0, 0, 12, 3}), 4);
    EXPECT_EQ(c.At(8, 1), RGB(0, 0, 0));
    EXPECT_EQ(c.At(5, 1), RGB(180, 0, 0));
    EXPECT_EQ(c.At(4, 1), WhiteColour);
    // A mirrored source reads the same way: (3, -4) is columns 3 down to 0.
    Canvas d(12, 3);
    ASSERT_TRUE(StretchBlt(d.dc, 0, 0, 4, 1, src.dc, 3, 0, -4, 1, SRCCOPY));
    EXPECT_EQ(d.At(0, 0), RGB(180, 0, 0));
    EXPECT_EQ(d.At(3, 0), RGB(0, 0, 0));
    // Mirrored vertically: (2, -2) covers rows 1 and 2.
    Canvas e(4, 4);
    Canvas column(1, 2);
    SetPixel(column.dc, 0, 0, Red);
    SetPixel(column.dc, 0, 1, Blue);
    ASSERT_TRUE(StretchBlt(e.dc, 0, 2, 1, -2, column.dc, 0, 0, 1, 2, SRCCOPY));
    EXPECT_EQ(e.Column(0, Red), ".?#.");
    EXPECT_EQ(e.At(0, 1), Blue);
}

TEST(GdiGridEdges, SoftEdgesSwapTheTopLeftColoursOfTheirRings) {
    for (const bool soft : {false, true}) {
        Canvas c(10, 10);
        RECT raised{0, 0, 10, 10};
        DrawEdge(c.dc, &raised, EDGE_RAISED, BF_RECT | (soft ? BF_SOFT : 0));
        EXPECT_EQ(c.At(3, 0), GetSysColor(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT)) << soft;
        EXPECT_EQ(c.At(3, 1), GetSysColor(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT)) << soft;
        // The bottom-right colours stay.
        EXPECT_EQ(c.At(3, 9), GetSysColor(COLOR_3DDKSHADOW)) << soft;
        EXPECT_EQ(c.At(3, 8), GetSysColor(COLOR_BTNSHADOW)) << soft;
        Canvas d(10, 10);
        RECT sunken{0, 0, 10, 10};
        DrawEdge(d.dc, &sunken, EDGE_SUNKEN, BF_RECT | (soft ? BF_SOFT : 0));
        EXPECT_EQ(d.At(0, 3), GetSysColor(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW)) << soft;
        EXPECT_EQ(d.At(1, 3), GetSysColor(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW)) << soft;
    }
}

TEST(GdiGridEdges, APartialEdgeRunsItsSidesToTheEndsOfTheRectangle) {
    // Without a right side the top line reaches the right edge; without a bottom the left line reaches
    // the bottom.
    Canvas c(8, 6);
    RECT r{0, 0, 8, 6};
    DrawEdge(c.dc, &r, BDR_SUNKENOUTER, BF_TOPLEFT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(c.At(7, 0), shadow);
    EXPECT_EQ(c.At(0, 5), shadow);
    // With both sides the corner they share takes the bottom-right colour.
    Canvas d(8, 6);
    RECT s{0, 0, 8, 6};
    DrawEdge(d.dc, &s, BDR_SUNKENOUTER, BF_TOPRIGHT);
    EXPECT_EQ(d.At(6, 0), shadow);
    EXPECT_EQ(d.At(7, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d.At(7, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d.At(0, 1), WhiteColour);
}

TEST(GdiGridEdges, ClassicCheckBoxAndRadioButtonAreSunken) {
    Canvas c(13, 13);
    RECT box{0, 0, 13, 13};
    Green(c);
    DrawFrameControl(c.dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(c.At(5, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(5, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.At(5, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.At(12, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.At(5, 11), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(c.At(6, 6), GetSysColor(COLOR_WINDOW));
    // The radio ring: dark on its upper left, light on its lower right, window colour inside.
    Canvas d(12, 12);
    RECT ring{0, 0, 12, 12};
    Green(d);
    DrawFrameControl(d.dc, &ring, DFC_BUTTON, DFCS_BUTTONRADIO);
    EXPECT_EQ(d.At(5, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(d.At(0, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(d.At(6, 11), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d.At(11, 6), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d.At(5, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(d.At(6, 10), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(d.At(6, 6), GetSysColor(COLOR_WINDOW));
    // A push button's face is the soft raised edge.
    Canvas e(10, 10);
    RECT push{0, 0, 10, 10};
    DrawFrameControl(e.dc, &push, DFC_BUTTON, DFCS_BUTTONPUSH);
    EXPECT_EQ(e.At(4, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(e.At(4, 1), GetSysColor(COLOR_3DLIGHT));
}
