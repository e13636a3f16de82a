// Brushes and pens by pixel probes: linear gradients in the four modes, path gradients, anti-aliasing.

#include <limits>

#include "tests/gdiplus/GdipTestSupport.h"

namespace gdiptest {
namespace {

constexpr ARGB kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00, kBlack = 0xFF000000;

BrushPtr Linear(GpRectF r, ARGB c1, ARGB c2, LinearGradientMode mode) {
    GpLineGradient* b = nullptr;
    EXPECT_EQ(GdipCreateLineBrushFromRect(&r, c1, c2, mode, WrapModeTile, &b), Ok);
    return BrushPtr(b);
}

TEST(GdipLinearGradient, VerticalRunsFromFirstRowToLastRow) {
    Canvas c(20, 100);
    BrushPtr b = Linear({0, 0, 20, 100}, kRed, kBlue, LinearGradientModeVertical);
    ASSERT_EQ(GdipFillRectangle(c.g(), b.get(), 0, 0, 20, 100), Ok);
    for (int x : {0, 10, 19}) {
        EXPECT_GE(R(c.At(x, 0)), 250) << x;
        EXPECT_LE(B(c.At(x, 0)), 5) << x;
        EXPECT_GE(B(c.At(x, 99)), 245) << x;
        EXPECT_LE(R(c.At(x, 99)), 10) << x;
    }
    EXPECT_TRUE(Near(R(c.At(5, 50)), 128, 6));
    EXPECT_EQ(c.At(0, 50), c.At(19, 50)); // constant along each row
}

TEST(GdipLinearGradient, HorizontalTilesBeyondItsRectangle) {
    Canvas c(30, 4);
    BrushPtr b = Linear({0, 0, 10, 4}, kRed, kBlue, LinearGradientModeHorizontal);
    ASSERT_EQ(GdipFillRectangle(c.g(), b.get(), 0, 0, 30, 4), Ok);
    EXPECT_GE(R(c.At(0, 1)), 250);
    EXPECT_GE(B(c.At(9, 1)), 200);
    EXPECT_EQ(c.At(2, 1), c.At(12, 1)); // the pattern repeats every 10 pixels
    EXPECT_EQ(c.At(7, 2), c.At(27, 2));
}

TEST(GdipLinearGradient, DiagonalsRunCornerToCorner) {
    Canvas c(100, 50);
    BrushPtr fwd = Linear({0, 0, 100, 50}, kRed, kBlue, LinearGradientModeForwardDiagonal);
    ASSERT_EQ(GdipFillRectangle(c.g(), fwd.get(), 0, 0, 100, 50), Ok);
    EXPECT_GE(R(c.At(0, 0)), 250);             // top left: first colour
    EXPECT_GE(B(c.At(99, 49)), 245);           // bottom right: second colour
    EXPECT_TRUE(Near(R(c.At(99, 0)), 128, 8)); // the other two corners: the middle
    EXPECT_TRUE(Near(R(c.At(0, 49)), 128, 8));

    Canvas d(100, 50);
    BrushPtr back = Linear({0, 0, 100, 50}, kRed, kBlue, LinearGradientModeBackwardDiagonal);
    ASSERT_EQ(GdipFillRectangle(d.g(), back.get(), 0, 0, 100, 50), Ok);
    EXPECT_GE(R(d.At(99, 0)), 245); // top right: first colour
    EXPECT_GE(B(d.At(0, 49)), 245); // bottom left: second colour
    EXPECT_TRUE(Near(R(d.At(0, 0)), 128, 8));
}

TEST(GdipLinearGradient, CreationRefusesDegenerateInput) {
    GpLineGradient* b = reinterpret_cast<GpLineGradient*>(1);
    const GpRectF empty{0, 0, 0, 10}, negative{0, 0, 10, -5},
        nan{0, std::numeric_limits<REAL>::quiet_NaN(), 5, 5}, ok{0, 0, 10, 10};
    EXPECT_EQ(GdipCreateLineBrushFromRect(&empty, kRed, kBlue, LinearGradientModeVertical, WrapModeTile, &b),
              OutOfMemory);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(
        GdipCreateLineBrushFromRect(&negative, kRed, kBlue, LinearGradientModeVertical, WrapModeTile, &b),
        OutOfMemory);
    EXPECT_EQ(GdipCreateLineBrushFromRect(&nan, kRed, kBlue, LinearGradientModeVertical, WrapModeTile, &b),
              InvalidParameter);
    EXPECT_EQ(GdipCreateLineBrushFromRect(&ok, kRed, kBlue, LinearGradientModeVertical, WrapModeClamp, &b),
              InvalidParameter);
    EXPECT_EQ(
        GdipCreateLineBrushFromRect(&ok, kRed, kBlue, static_cast<LinearGradientMode>(4), WrapModeTile, &b),
        InvalidParameter);
    EXPECT_EQ(GdipCreateLineBrushFromRect(nullptr, kRed, kBlue, LinearGradientModeVertical, WrapModeTile, &b),
              InvalidParameter);
    const GpRect zero{5, 5, 10, 0};
    EXPECT_EQ(
        GdipCreateLineBrushFromRectI(&zero, kRed, kBlue, LinearGradientModeHorizontal, WrapModeTile, &b),
        OutOfMemory);
}

PathPtr RoundRect(REAL x, REAL y, REAL w, REAL h, REAL d) {
    PathPtr p = NewPath();
    GdipAddPathArc(p.get(), x, y, d, d, 180, 90);
    GdipAddPathArc(p.get(), x + w - d, y, d, d, 270, 90);
    GdipAddPathArc(p.get(), x + w - d, y + h - d, d, d, 0, 90);
    GdipAddPathArc(p.get(), x, y + h - d, d, d, 90, 90);
    GdipClosePathFigure(p.get());
    return p;
}

TEST(GdipSmoothing, AntiAliasedEdgeIsPartlyCoveredAliasedIsNot) {
    BrushPtr black = Solid(kBlack);
    PathPtr p = RoundRect(10, 10, 60, 30, 12);
    Canvas smooth(80, 50), sharp(80, 50);
    SmoothingMode mode = SmoothingModeInvalid;
    ASSERT_EQ(GdipGetSmoothingMode(sharp.g(), &mode), Ok);
    EXPECT_EQ(mode, SmoothingModeNone);
    ASSERT_EQ(GdipSetSmoothingMode(smooth.g(), SmoothingModeAntiAlias), Ok);
    ASSERT_EQ(GdipFillPath(smooth.g(), black.get(), p.get()), Ok);
    ASSERT_EQ(GdipFillPath(sharp.g(), black.get(), p.get()), Ok);
    // With pixel centres on integer coordinates, the straight top edge at y = 10 covers half of row 10.
    const int edge = R(smooth.At(40, 10));
    EXPECT_GT(edge, 60);
    EXPECT_LT(edge, 200);
    EXPECT_EQ(smooth.At(40, 11), kBlack);
    EXPECT_EQ(smooth.At(40, 9), 0xFFFFFFFFu);
    // The rounded corner has partial coverage too; the aliased fill has only two values.
    bool partial = false;
    for (int y = 10; y < 16; ++y)
        for (int x = 10; x < 16; ++x) {
            const int v = R(smooth.At(x, y));
            partial = partial || (v > 20 && v < 235);
            const ARGB s = sharp.At(x, y);
            EXPECT_TRUE(s == kBlack || s == 0xFFFFFFFFu) << x << "," << y;
        }
    EXPECT_TRUE(partial);
    EXPECT_EQ(sharp.At(40, 10), kBlack);
    EXPECT_EQ(sharp.At(40, 9), 0xFFFFFFFFu);
    EXPECT_EQ(sharp.At(69, 25), kBlack); // right edge at x = 70 excludes column 70
    EXPECT_EQ(sharp.At(70, 25), 0xFFFFFFFFu);
}

TEST(GdipPathGradient, EllipseRunsFromCentreColourToRim) {
    Canvas c(101, 101);
    PathPtr p = NewPath();
    ASSERT_EQ(GdipAddPathEllipse(p.get(), 0, 0, 100, 100), Ok);
    GpPathGradient* pg = nullptr;
    ASSERT_EQ(GdipCreatePathGradientFromPath(p.get(), &pg), Ok);
    BrushPtr owner(pg);
    GpPointF centre{};
    ASSERT_EQ(GdipGetPathGradientCenterPoint(pg, &centre), Ok);
    EXPECT_NEAR(centre.X, 50, 0.01);
    EXPECT_NEAR(centre.Y, 50, 0.01);
    ASSERT_EQ(GdipSetPathGradientCenterColor(pg, kRed), Ok);
    INT n = 1;
    ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(pg, &kBlue, &n), Ok);
    ASSERT_EQ(GdipFillPath(c.g(), pg, p.get()), Ok);
    EXPECT_GE(R(c.At(50, 50)), 245);
    EXPECT_GE(B(c.At(50, 2)), 220);
    EXPECT_GE(B(c.At(98, 50)), 220);
    EXPECT_TRUE(Near(R(c.At(75, 50)), 128, 12)); // half way out: half way between the colours
    EXPECT_EQ(c.At(3, 3), 0xFFFFFFFFu);          // outside the ellipse: nothing
    // Moving the centre moves the centre colour with it.
    GpPoint off{30, 50};
    ASSERT_EQ(GdipSetPathGradientCenterPointI(pg, &off), Ok);
    Canvas d(101, 101);
    ASSERT_EQ(GdipFillPath(d.g(), pg, p.get()), Ok);
    EXPECT_GE(R(d.At(30, 50)), 240);
    EXPECT_LT(R(d.At(50, 50)), 200);
}

TEST(GdipPathGradient, PolygonInterpolatesCentreToBoundaryAndPerPointColours) {
    Canvas c(101, 101);
    PathPtr p = NewPath();
    const GpPoint square[4] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    ASSERT_EQ(GdipAddPathPolygonI(p.get(), square, 4), Ok);
    GpPathGradient* pg = nullptr;
    ASSERT_EQ(GdipCreatePathGradientFromPath(p.get(), &pg), Ok);
    BrushPtr owner(pg);
    ASSERT_EQ(GdipSetPathGradientCenterColor(pg, kRed), Ok);
    INT n = 1;
    ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(pg, &kGreen, &n), Ok);
    ASSERT_EQ(GdipFillRectangle(c.g(), pg, 0, 0, 101, 101), Ok);
    EXPECT_GE(R(c.At(50, 50)), 245);
    EXPECT_GE(G(c.At(50, 1)), 240);
    EXPECT_GE(G(c.At(1, 50)), 240);
    EXPECT_TRUE(Near(G(c.At(50, 25)), 128, 10));

    // One colour per corner: each corner takes its own.
    const ARGB corners[4] = {kRed, kGreen, kBlue, kBlack};
    n = 4;
    ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(pg, corners, &n), Ok);
    Canvas d(101, 101);
    ASSERT_EQ(GdipFillPath(d.g(), pg, p.get()), Ok);
    EXPECT_GE(R(d.At(1, 1)), 230);
    EXPECT_GE(G(d.At(99, 1)), 230);
    EXPECT_GE(B(d.At(99, 99)), 230);
    EXPECT_LE(R(d.At(1, 99)) + G(d.At(1, 99)) + B(d.At(1, 99)), 30);
}

TEST(GdipPathGradient, SurroundColourCountsAreChecked) {
    PathPtr p = NewPath();
    const GpPoint square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    ASSERT_EQ(GdipAddPathPolygonI(p.get(), square, 4), Ok);
    GpPathGradient* pg = nullptr;
    ASSERT_EQ(GdipCreatePathGradientFromPath(p.get(), &pg), Ok);
    BrushPtr owner(pg);
    INT points = 0;
    ASSERT_EQ(GdipGetPathGradientPointCount(pg, &points), Ok);
    EXPECT_EQ(points, 4);
    const ARGB five[5] = {1, 2, 3, 4, 5};
    INT n = 5;
    EXPECT_EQ(GdipSetPathGradientSurroundColorsWithCount(pg, five, &n), InvalidParameter);
    EXPECT_EQ(n, 5);
    n = 0;
    EXPECT_EQ(GdipSetPathGradientSurroundColorsWithCount(pg, five, &n), InvalidParameter);
    n = 2;
    ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(pg, five, &n), Ok);
    EXPECT_EQ(n, 2);
    INT have = 0;
    ASSERT_EQ(GdipGetPathGradientSurroundColorCount(pg, &have), Ok);
    EXPECT_EQ(have, 2);
    ARGB out[2] = {0, 0};
    INT room = 1;
    EXPECT_EQ(GdipGetPathGradientSurroundColorsWithCount(pg, out, &room), InsufficientBuffer);
    EXPECT_EQ(room, 1);
    room = 2;
    ASSERT_EQ(GdipGetPathGradientSurroundColorsWithCount(pg, out, &room), Ok);
    EXPECT_EQ(out[0], 1u);
    EXPECT_EQ(out[1], 2u);

    PathPtr empty = NewPath();
    GpPathGradient* none = nullptr;
    EXPECT_EQ(GdipCreatePathGradientFromPath(empty.get(), &none), OutOfMemory);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(GdipCreatePathGradientFromPath(nullptr, &none), InvalidParameter);
    EXPECT_EQ(GdipSetPathGradientCenterColor(nullptr, kRed), InvalidParameter);
    EXPECT_EQ(GdipGetPathGradientSurroundColorsWithCount(pg, nullptr, &room), InvalidParameter);
}

TEST(GdipPen, WidthDashesAndPixelCentres) {
    Canvas c(40, 20);
    PenPtr pen = Pen(kBlack, 1);
    // A one-pixel line on y = 5 covers exactly row 5 (pixel centres on integers).
    ASSERT_EQ(GdipDrawLine(c.g(), pen.get(), 0, 5, 39, 5), Ok);
    EXPECT_EQ(c.At(20, 5), kBlack);
    EXPECT_EQ(c.At(20, 4), 0xFFFFFFFFu);
    EXPECT_EQ(c.At(20, 6), 0xFFFFFFFFu);
    // A dotted pen alternates one pixel on, one off.
    ASSERT_EQ(GdipSetPenDashStyle(pen.get(), DashStyleDot), Ok);
    DashStyle ds = DashStyleSolid;
    ASSERT_EQ(GdipGetPenDashStyle(pen.get(), &ds), Ok);
    EXPECT_EQ(ds, DashStyleDot);
    ASSERT_EQ(GdipDrawLine(c.g(), pen.get(), 0, 10, 39, 10), Ok);
    int on = 0;
    for (int x = 0; x < 39; ++x)
        on += c.At(x, 10) == kBlack ? 1 : 0;
    EXPECT_GE(on, 17);
    EXPECT_LE(on, 22);
    // A wide pen covers its width around the line.
    PenPtr wide = Pen(kBlack, 3);
    ASSERT_EQ(GdipDrawRectangle(c.g(), wide.get(), 5, 14, 30, 0), Ok);
    EXPECT_EQ(c.At(20, 13), kBlack);
    EXPECT_EQ(c.At(20, 15), kBlack);

    GpPen* bad = nullptr;
    EXPECT_EQ(GdipCreatePen1(kBlack, -1, UnitWorld, &bad), InvalidParameter);
    EXPECT_EQ(GdipCreatePen1(kBlack, std::numeric_limits<REAL>::infinity(), UnitWorld, &bad),
              InvalidParameter);
    EXPECT_EQ(GdipCreatePen1(kBlack, 1, UnitDisplay, &bad), InvalidParameter);
    EXPECT_EQ(GdipSetPenEndCap(pen.get(), static_cast<LineCap>(9)), InvalidParameter);
    EXPECT_EQ(GdipSetPenEndCap(pen.get(), LineCapRound), Ok);
}

} // namespace
} // namespace gdiptest
