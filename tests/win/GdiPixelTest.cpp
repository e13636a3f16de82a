// GDI's pixel rules: shapes exclude their right and bottom edges, lines leave out their end point.

#include <climits>

#include "tests/win/GdiTestSupport.h"

using namespace gditest;

TEST(GdiPixelRules, RectanglesTouchZeroToNineFillOneToEightAndShrinkWithoutAPen) {
    Canvas c(16, 16);
    Selected pen(c.dc, CreatePen(PS_SOLID, 1, Red));
    Selected brush(c.dc, CreateSolidBrush(Blue));
    ASSERT_TRUE(Rectangle(c.dc, 0, 0, 10, 10));
    EXPECT_EQ(c.Row(0, Red, 0, 11), "##########.");
    EXPECT_EQ(c.Row(9, Red, 0, 11), "##########.");
    EXPECT_EQ(c.Row(10, Red, 0, 11), "...........");
    EXPECT_EQ(c.Column(0, Red, 0, 11), "##########.");
    EXPECT_EQ(c.Column(9, Red, 0, 11), "##########.");
    EXPECT_EQ(c.Row(5, Blue, 1, 9), "########");
    EXPECT_EQ(c.At(1, 1), Blue);
    EXPECT_EQ(c.At(8, 8), Blue);
    // Without a pen the fill is one pixel smaller; without a brush only the outline is drawn.
    Canvas c2(16, 16);
    Selected brush2(c2.dc, CreateSolidBrush(Blue));
    SelectObject(c2.dc, GetStockObject(NULL_PEN));
    Rectangle(c2.dc, 2, 2, 8, 8);
    EXPECT_EQ(c2.InkBox(), (RECT{2, 2, 7, 7}));
    Canvas d(12, 12);
    SelectObject(d.dc, GetStockObject(NULL_BRUSH));
    Rectangle(d.dc, 1, 1, 9, 9);
    EXPECT_EQ(d.Inked({2, 2, 8, 8}), 0);
    EXPECT_EQ(d.Row(1, Black, 1, 9), "########");
}

TEST(GdiPixelRules, AWidePenIsCentredOnTheEdgeUnlessInsideFrame) {
    Canvas c(20, 20);
    Selected pen(c.dc, CreatePen(PS_SOLID, 3, Red));
    SelectObject(c.dc, GetStockObject(NULL_BRUSH));
    Rectangle(c.dc, 5, 5, 15, 15);
    EXPECT_EQ(c.InkBox(), (RECT{4, 4, 16, 16}));
    EXPECT_EQ(c.Row(10, Red, 3, 17), ".###......###.");
    Canvas d(20, 20);
    Selected inside(d.dc, CreatePen(PS_INSIDEFRAME, 3, Red));
    SelectObject(d.dc, GetStockObject(NULL_BRUSH));
    Rectangle(d.dc, 5, 5, 15, 15);
    EXPECT_EQ(d.InkBox(), (RECT{5, 5, 15, 15}));
    EXPECT_EQ(d.Row(10, Red, 5, 15), "###....###");
}

TEST(GdiLines, LineToLeavesOutTheEndPointAndStepsOnePixelPerRowOrColumn) {
    Canvas c(12, 12);
    Selected pen(c.dc, CreatePen(PS_SOLID, 1, Red));
    MoveToEx(c.dc, 1, 2, nullptr);
    LineTo(c.dc, 8, 2);
    EXPECT_EQ(c.Row(2, Red, 0, 10), ".#######..");
    POINT p{};
    GetCurrentPositionEx(c.dc, &p);
    EXPECT_EQ(p, (POINT{8, 2}));
    LineTo(c.dc, 8, 9); // continues from the end point, which it now draws first
    EXPECT_EQ(c.Column(8, Red, 0, 11), "..#######..");
    // Diagonals step one pixel a row; shallow lines cover each column once.
    Canvas c2(12, 12);
    Selected pen4(c2.dc, CreatePen(PS_SOLID, 1, Red));
    MoveToEx(c2.dc, 0, 0, nullptr);
    LineTo(c2.dc, 6, 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(c2.At(i, i), Red) << i;
    EXPECT_NE(c2.At(6, 6), Red);
    EXPECT_EQ(c2.Inked({0, 0, 12, 12}), 6);
    // Drawn backwards, the same line covers the other end.
    Canvas d(12, 12);
    Selected pen2(d.dc, CreatePen(PS_SOLID, 1, Red));
    MoveToEx(d.dc, 6, 6, nullptr);
    LineTo(d.dc, 0, 0);
    EXPECT_EQ(d.At(6, 6), Red);
    EXPECT_NE(d.At(0, 0), Red);
    Canvas e(20, 10);
    Selected pen3(e.dc, CreatePen(PS_SOLID, 1, Red));
    MoveToEx(e.dc, 0, 0, nullptr);
    LineTo(e.dc, 10, 3);
    for (int x = 0; x < 10; ++x) {
        int n = 0;
        for (int y = 0; y < 10; ++y)
            n += e.At(x, y) == Red;
        EXPECT_EQ(n, 1) << "column " << x;
    }
    EXPECT_EQ(e.At(0, 0), Red);
    EXPECT_EQ(e.Inked({10, 0, 20, 10}), 0);
}

TEST(GdiLines, DottedPenAlternatesNullPenDrawsNothingPolylineJoinsAndXorUndoesItself) {
    Canvas c(20, 6);
    {
        Selected pen(c.dc, CreatePen(PS_DOT, 1, Red));
        SetBkMode(c.dc, TRANSPARENT);
        MoveToEx(c.dc, 0, 1, nullptr);
        LineTo(c.dc, 12, 1);
    }
    EXPECT_EQ(c.Row(1, Red, 0, 12), "###...###...");
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    MoveToEx(c.dc, 0, 3, nullptr);
    LineTo(c.dc, 12, 3);
    EXPECT_EQ(c.Inked({0, 3, 20, 4}), 0);
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
    // Polyline joins its points.
    Canvas c2(12, 12);
    Selected pen(c2.dc, CreatePen(PS_SOLID, 1, Red));
    const POINT pts[] = {{1, 1}, {6, 1}, {6, 6}};
    Polyline(c2.dc, pts, 3);
    EXPECT_EQ(c2.Row(1, Red, 0, 8), ".######.");
    EXPECT_EQ(c2.Column(6, Red, 0, 8), ".#####..");
    // Drawn twice with the XOR mix, a line leaves the picture as it was.
    SetROP2(c2.dc, R2_XORPEN);
    const POINT other[] = {{1, 9}, {10, 9}, {10, 3}};
    Polyline(c2.dc, other, 3);
    EXPECT_EQ(c2.At(5, 9), RGB(0, 255, 255));
    Polyline(c2.dc, other, 3);
    EXPECT_EQ(c2.Inked({0, 7, 12, 12}), 0);
    EXPECT_EQ(c2.Inked({7, 0, 12, 12}), 0);
}

TEST(GdiFills, FillRectExcludesRightAndBottomAndFrameRectDrawsInside) {
    Canvas c(12, 12);
    HBRUSH b = CreateSolidBrush(Red);
    RECT r{2, 3, 6, 8};
    FillRect(c.dc, &r, b);
    EXPECT_EQ(c.InkBox(), r);
    EXPECT_EQ(c.Inked({0, 0, 12, 12}), 4 * 5);
    DeleteObject(b);
    RECT r2{8, 8, 10, 10};
    FillRect(c.dc, &r2, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNSHADOW + 1)));
    EXPECT_EQ(c.At(8, 8), GetSysColor(COLOR_BTNSHADOW));
    Canvas d(12, 12);
    b = CreateSolidBrush(Red);
    r = {2, 2, 8, 7};
    FrameRect(d.dc, &r, b);
    DeleteObject(b);
    EXPECT_EQ(d.InkBox(), r);
    EXPECT_EQ(d.Row(2, Red, 2, 8), "######");
    EXPECT_EQ(d.Row(4, Red, 2, 8), "#....#");
    EXPECT_EQ(d.Row(6, Red, 2, 8), "######");
}

TEST(GdiFills, HatchBrushGapsFollowTheBackgroundModeAndRegionsFillFrameAndInvert) {
    Canvas c(16, 16);
    Selected brush(c.dc, CreateHatchBrush(HS_CROSS, Red));
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    SetBkMode(c.dc, TRANSPARENT);
    Rectangle(c.dc, 0, 0, 9, 9);
    EXPECT_GT(c.Inked({0, 0, 8, 8}), 0);
    EXPECT_LT(c.Inked({0, 0, 8, 8}), 64);
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, Blue);
    Rectangle(c.dc, 0, 0, 9, 9);
    EXPECT_EQ(c.Inked({0, 0, 8, 8}), 64);
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
    // Regions fill, frame and invert.
    Canvas c2(20, 20);
    HRGN r = CreateRectRgn(2, 2, 12, 10);
    HBRUSH red = CreateSolidBrush(Red);
    ASSERT_TRUE(FrameRgn(c2.dc, r, red, 2, 1));
    EXPECT_EQ(c2.Row(2, Red, 0, 14), "..##########..");
    EXPECT_EQ(c2.Row(5, Red, 0, 14), "..##......##..");
    EXPECT_EQ(c2.Row(9, Red, 0, 14), "..##########..");
    ASSERT_TRUE(FillRgn(c2.dc, r, red));
    EXPECT_EQ(c2.Inked({0, 0, 20, 20}), 80);
    ASSERT_TRUE(InvertRgn(c2.dc, r));
    EXPECT_EQ(c2.At(5, 5), RGB(0, 255, 255));
    EXPECT_FALSE(FillRgn(c2.dc, nullptr, red));
    DeleteObject(red);
    DeleteObject(r);
}

TEST(GdiShapes, EllipseRoundRectAndPolygonTouchTheirBoxes) {
    Canvas c(24, 24);
    Selected pen(c.dc, CreatePen(PS_SOLID, 1, Red));
    Selected brush(c.dc, CreateSolidBrush(Blue));
    Ellipse(c.dc, 2, 2, 12, 12);
    EXPECT_EQ(c.InkBox(), (RECT{2, 2, 12, 12}));
    for (int y = 2; y < 12; ++y)
        for (int x = 2; x < 12; ++x) {
            EXPECT_EQ(c.At(x, y), c.At(13 - x, y)) << x << "," << y;
            EXPECT_EQ(c.At(x, y), c.At(x, 13 - y)) << x << "," << y;
        }
    EXPECT_EQ(c.At(2, 2), White); // corners stay clear
    EXPECT_EQ(c.At(7, 7), Blue);
    EXPECT_EQ(c.Row(2, Red, 2, 12), "...####...");
    Canvas d(24, 24);
    SelectObject(d.dc, GetCurrentObject(c.dc, OBJ_PEN));
    SelectObject(d.dc, GetCurrentObject(c.dc, OBJ_BRUSH));
    RoundRect(d.dc, 0, 0, 12, 10, 6, 6);
    EXPECT_EQ(d.InkBox(), (RECT{0, 0, 12, 10}));
    EXPECT_EQ(d.At(0, 0), White);
    EXPECT_EQ(d.At(6, 0), Red);
    EXPECT_EQ(d.At(0, 5), Red);
    const POINT tri[] = {{14, 2}, {22, 2}, {14, 10}};
    Polygon(d.dc, tri, 3);
    EXPECT_EQ(d.At(15, 3), Blue);
    EXPECT_EQ(d.At(21, 9), White);
    EXPECT_EQ(d.At(14, 2), Red);
    SelectObject(d.dc, GetStockObject(BLACK_PEN));
    SelectObject(d.dc, GetStockObject(WHITE_BRUSH));
}

TEST(GdiPixels, SetPixelGetPixelAndTheBytesOfTopDownAndBottomUpSections) {
    Canvas c(4, 4);
    EXPECT_EQ(SetPixel(c.dc, 1, 2, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(c.dc, 1, 2), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(c.dc, 4, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(c.dc, -1, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(c.dc, 9, 9, RGB(1, 2, 3)), CLR_INVALID);
    // The DIB's bytes are blue, green, red, alpha.
    const auto* b = static_cast<const unsigned char*>(c.bits) + (2 * 4 + 1) * 4;
    EXPECT_EQ(b[0], 30);
    EXPECT_EQ(b[1], 20);
    EXPECT_EQ(b[2], 10);
    EXPECT_EQ(b[3], 255);
    // A bottom-up section keeps its first row at the bottom of memory.
    Canvas up(4, 3, true);
    SetPixel(up.dc, 0, 0, RGB(1, 2, 3));
    EXPECT_EQ(static_cast<const unsigned char*>(up.bits)[2 * 4 * 4 + 2], 1);
    EXPECT_EQ(GetPixel(up.dc, 0, 0), RGB(1, 2, 3));
}

TEST(GdiRobustness, HugeCoordinatesAreClippedWithoutWalkingThem) {
    Canvas c(16, 16);
    Selected pen(c.dc, CreatePen(PS_DASHDOT, 1, Red));
    MoveToEx(c.dc, -1000000000, -1000000000, nullptr);
    EXPECT_TRUE(LineTo(c.dc, 1000000000, 1000000000));
    EXPECT_GT(c.Inked({0, 0, 16, 16}), 0);
    int offDiagonal = 0;
    for (int i = 0; i < 16; ++i)
        for (int j = 0; j < 16; ++j)
            offDiagonal += i != j && c.At(i, j) != White;
    EXPECT_EQ(offDiagonal, 0);
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
    EXPECT_TRUE(Ellipse(c.dc, -1000000000, -1000000000, 1000000000, 1000000000));
    EXPECT_EQ(c.At(8, 8), White); // inside, filled with the white brush
    Selected wide(c.dc, CreatePen(PS_SOLID, 5, Blue));
    MoveToEx(c.dc, -2000000000, 8, nullptr);
    LineTo(c.dc, 2000000000, 8);
    EXPECT_EQ(c.At(3, 8), Blue);
    Canvas small(2, 2);
    EXPECT_TRUE(StretchBlt(c.dc, 0, 0, 1000000000, 1000000000, small.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(c.At(15, 15), White);
    EXPECT_TRUE(BitBlt(c.dc, 0, 0, 1000000000, 1000000000, small.dc, -5, -5, SRCCOPY));
    TRIVERTEX v[2] = {{-1000000000, -1000000000, 0, 0, 0, 0},
                      {1000000000, 1000000000, 0xFF00, 0xFF00, 0xFF00, 0}};
    GRADIENT_RECT g{0, 1};
    EXPECT_TRUE(GradientFill(c.dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V));
    EXPECT_EQ(CreateEllipticRgn(0, 0, 2000000000, 2000000000), nullptr);
    const POINT far[] = {{0, -2000000000}, {10, 2000000000}, {-10, 0}};
    EXPECT_EQ(CreatePolygonRgn(far, 3, ALTERNATE), nullptr);
    EXPECT_TRUE(Polygon(c.dc, far, 3));
    SetViewportOrgEx(c.dc, 5, 5, nullptr);
    RECT everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    HBRUSH red = CreateSolidBrush(Red);
    EXPECT_TRUE(FillRect(c.dc, &everything, red));
    DeleteObject(red);
    EXPECT_EQ(c.Inked({0, 0, 16, 16}), 256);
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
}
