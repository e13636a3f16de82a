// The platform's pixel rules on the integer grid: polygon fill, line ties, shape regions, hatches, dashed
// outlines and degenerate rectangles.

#include <set>
#include <utility>
#include <vector>

#include "tests/win/GdiTestSupport.h"

using namespace gditest;

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet Inked(const Canvas& c, int w, int h) {
    PixelSet s;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (c.At(x, y) != White) s.insert({x, y});
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

} // namespace

TEST(GdiGridPolygons, FillCoversThePixelsWhosePointsLieInsideEqualsItsRegionAndMeetsItsOutline) {
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

TEST(GdiGridLines, TiesTakeTheSmallerMinorCoordinateAndShapeRegionsLeaveOutTheirRightAndBottom) {
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
    const std::pair<int, int> towards[] = {{10, 5},   {5, 10},  {-5, 10}, {-10, 5}, {-10, -5},
                                           {-5, -10}, {5, -10}, {10, -5}, {7, 3},   {-3, 7}};
    for (const auto& [dx, dy] : towards) {
        const int x0 = 20, y0 = 20, x1 = 20 + dx, y1 = 20 + dy;
        PixelSet forward = Line(x0, y0, x1, y1), backward = Line(x1, y1, x0, y0);
        forward.insert({x1, y1});
        backward.insert({x0, y0});
        EXPECT_EQ(forward, backward) << "towards " << dx << "," << dy;
        EXPECT_EQ(forward.size(), static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy)) + 1));
    }
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

TEST(GdiGridBrushes, HatchLinesFollowTheBrushOriginAndDashesRunAnticlockwiseFromTheTopRight) {
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
    Canvas c3(20, 12);
    Selected pen(c3.dc, CreatePen(PS_DOT, 1, Red));
    SelectObject(c3.dc, GetStockObject(NULL_BRUSH));
    SetBkMode(c3.dc, TRANSPARENT);
    Rectangle(c3.dc, 0, 0, 11, 7);
    // The outline walked anticlockwise from the top-right corner (10, 0): left along the top, down the
    // left side, right along the bottom, up the right side; three on, three off, from the first pixel.
    std::vector<POINT> walk;
    for (int x = 10; x > 0; --x)
        walk.push_back({x, 0});
    for (int y = 0; y < 6; ++y)
        walk.push_back({0, y});
    for (int x = 0; x < 10; ++x)
        walk.push_back({x, 6});
    for (int y = 6; y > 0; --y)
        walk.push_back({10, y});
    for (std::size_t i = 0; i < walk.size(); ++i)
        EXPECT_EQ(c3.At(walk[i].X, walk[i].Y) == Red, i % 6 < 3) << "step " << i;
    SelectObject(c3.dc, GetStockObject(BLACK_PEN));
}

TEST(GdiGridRectangles, OnePixelWideOrHighDrawsItsColumnOrRowOnlyOneByOneDrawsNothing) {
    Canvas c(40, 14);
    Selected pen(c.dc, CreatePen(PS_SOLID, 1, Red));
    Selected brush(c.dc, CreateSolidBrush(Blue));
    EXPECT_TRUE(Rectangle(c.dc, 20, 2, 21, 12)); // a ten-pixel column in the pen colour
    EXPECT_EQ(c.Column(20, Red, 0, 14), "..##########..");
    EXPECT_EQ(c.Inked({0, 0, 40, 14}), 10);
    EXPECT_TRUE(Rectangle(c.dc, 35, 3, 25, 2)); // a ten-pixel row, corners given in either order
    EXPECT_EQ(c.Row(2, Red, 23, 37), "..##########..");
    EXPECT_EQ(c.Inked({0, 0, 40, 14}), 20);
    EXPECT_TRUE(Rectangle(c.dc, 2, 2, 3, 3)); // one by one, and nothing wide or high: nothing
    EXPECT_TRUE(Rectangle(c.dc, 5, 2, 5, 12));
    EXPECT_TRUE(Rectangle(c.dc, 5, 2, 15, 2));
    EXPECT_EQ(c.Inked({0, 0, 40, 14}), 20);
    EXPECT_TRUE(Rectangle(c.dc, 2, 2, 4, 4)); // two by two is all outline
    EXPECT_EQ(c.Inked({0, 0, 40, 14}), 24);
    // A three-pixel pen widens the column to three columns, the outline centred on it.
    Canvas w(12, 14);
    Selected wide(w.dc, CreatePen(PS_SOLID, 3, Red));
    Rectangle(w.dc, 5, 2, 6, 12);
    EXPECT_EQ(w.Row(6, Red), "....###.....");
    // Without a pen, the fill is a pixel narrower and lower: nothing is left.
    Canvas n(12, 14);
    SelectObject(n.dc, GetStockObject(NULL_PEN));
    Selected fill(n.dc, CreateSolidBrush(Blue));
    Rectangle(n.dc, 5, 2, 6, 12);
    EXPECT_EQ(n.Inked({0, 0, 12, 14}), 0);
    SelectObject(n.dc, GetStockObject(BLACK_PEN));
    // A dotted column runs down from the top, a dotted row to the left from the right end.
    Canvas d(20, 14);
    Selected dots(d.dc, CreatePen(PS_DOT, 1, Red));
    SetBkMode(d.dc, TRANSPARENT);
    Rectangle(d.dc, 2, 1, 3, 11);
    EXPECT_EQ(d.Column(2, Red, 0, 12), ".###...###..");
    Rectangle(d.dc, 5, 12, 15, 13);
    EXPECT_EQ(d.Row(12, Red, 4, 16), "..###...###.");
}
