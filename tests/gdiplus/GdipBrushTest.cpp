// Brushes and pens by pixel probes: linear gradients in the four modes, path gradients, anti-aliasing.

#include <limits>

#include "tests/gdiplus/GdipTestSupport.h"

namespace gdiptest {
namespace {

// A canvas filled with a red-to-blue gradient over the rectangle, tiled beyond it.
std::unique_ptr<Canvas> Gradient(int w, int h, GpRectF r, LinearGradientMode mode) {
    auto c = std::make_unique<Canvas>(w, h);
    GpLineGradient* b = nullptr;
    EXPECT_EQ(GdipCreateLineBrushFromRect(&r, kRed, kBlue, mode, WrapModeTile, &b), Ok);
    BrushPtr owner(b);
    EXPECT_EQ(GdipFillRectangle(c->g(), b, 0, 0, static_cast<REAL>(w), static_cast<REAL>(h)), Ok);
    return c;
}

TEST(GdipLinearGradient, EachModeRunsFromTheFirstColourToTheSecondAndTilesBeyondItsRectangle) {
    auto v = Gradient(20, 100, {0, 0, 20, 100}, LinearGradientModeVertical);
    for (int x : {0, 10, 19}) {
        EXPECT_GE(R(v->At(x, 0)), 250) << x;
        EXPECT_LE(B(v->At(x, 0)), 5) << x;
        EXPECT_GE(B(v->At(x, 99)), 245) << x;
        EXPECT_LE(R(v->At(x, 99)), 10) << x;
    }
    EXPECT_TRUE(Near(R(v->At(5, 50)), 128, 6));
    EXPECT_EQ(v->At(0, 50), v->At(19, 50)); // constant along each row
    auto h = Gradient(30, 4, {0, 0, 10, 4}, LinearGradientModeHorizontal);
    EXPECT_GE(R(h->At(0, 1)), 250);
    EXPECT_GE(B(h->At(9, 1)), 200);
    EXPECT_EQ(h->At(2, 1), h->At(12, 1)); // the pattern repeats every 10 pixels
    EXPECT_EQ(h->At(7, 2), h->At(27, 2));
    auto f = Gradient(100, 50, {0, 0, 100, 50}, LinearGradientModeForwardDiagonal);
    EXPECT_GE(R(f->At(0, 0)), 250);             // top left: first colour
    EXPECT_GE(B(f->At(99, 49)), 245);           // bottom right: second colour
    EXPECT_TRUE(Near(R(f->At(99, 0)), 128, 8)); // the other two corners: the middle
    EXPECT_TRUE(Near(R(f->At(0, 49)), 128, 8));
    auto k = Gradient(100, 50, {0, 0, 100, 50}, LinearGradientModeBackwardDiagonal);
    EXPECT_GE(R(k->At(99, 0)), 245); // top right: first colour
    EXPECT_GE(B(k->At(0, 49)), 245); // bottom left: second colour
    EXPECT_TRUE(Near(R(k->At(0, 0)), 128, 8));
}

TEST(GdipLinearGradient, CreationRefusesDegenerateInput) {
    GpLineGradient* b = reinterpret_cast<GpLineGradient*>(1);
    auto make = [&](const GpRectF* r, LinearGradientMode mode = LinearGradientModeVertical,
                    WrapMode wrap = WrapModeTile) {
        return GdipCreateLineBrushFromRect(r, kRed, kBlue, mode, wrap, &b);
    };
    const GpRectF empty{0, 0, 0, 10}, negative{0, 0, 10, -5},
        nan{0, std::numeric_limits<REAL>::quiet_NaN(), 5, 5}, ok{0, 0, 10, 10};
    EXPECT_EQ(make(&empty), OutOfMemory);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(make(&negative), OutOfMemory);
    EXPECT_EQ(make(&nan), InvalidParameter);
    EXPECT_EQ(make(&ok, LinearGradientModeVertical, WrapModeClamp), InvalidParameter);
    EXPECT_EQ(make(&ok, static_cast<LinearGradientMode>(4)), InvalidParameter);
    EXPECT_EQ(make(nullptr), InvalidParameter);
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

TEST(GdipSmoothing, AntiAliasedEdgesArePartlyCoveredAndPensCentreOnTheLine) {
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
    EXPECT_EQ(smooth.At(40, 9), kWhite);
    // The rounded corner has partial coverage too; the aliased fill has only two values.
    bool partial = false;
    for (int y = 10; y < 16; ++y)
        for (int x = 10; x < 16; ++x) {
            const int v = R(smooth.At(x, y));
            partial = partial || (v > 20 && v < 235);
            const ARGB s = sharp.At(x, y);
            EXPECT_TRUE(s == kBlack || s == kWhite) << x << "," << y;
        }
    EXPECT_TRUE(partial);
    EXPECT_EQ(sharp.At(40, 10), kBlack);
    EXPECT_EQ(sharp.At(40, 9), kWhite);
    EXPECT_EQ(sharp.At(69, 25), kBlack); // right edge at x = 70 excludes column 70
    EXPECT_EQ(sharp.At(70, 25), kWhite);
    Canvas c(40, 20);
    PenPtr pen = Pen(kBlack, 1);
    // A one-pixel line on y = 5 covers exactly row 5 (pixel centres on integers).
    ASSERT_EQ(GdipDrawLine(c.g(), pen.get(), 0, 5, 39, 5), Ok);
    EXPECT_EQ(c.At(20, 5), kBlack);
    EXPECT_EQ(c.At(20, 4), kWhite);
    EXPECT_EQ(c.At(20, 6), kWhite);
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

TEST(GdipPathGradient, EllipsesAndPolygonsRunFromTheCentreColourToTheirBoundaryColours) {
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
    EXPECT_EQ(c.At(3, 3), kWhite);               // outside the ellipse: nothing
    // Moving the centre moves the centre colour with it.
    GpPoint off{30, 50};
    ASSERT_EQ(GdipSetPathGradientCenterPointI(pg, &off), Ok);
    Canvas d(101, 101);
    ASSERT_EQ(GdipFillPath(d.g(), pg, p.get()), Ok);
    EXPECT_GE(R(d.At(30, 50)), 240);
    EXPECT_LT(R(d.At(50, 50)), 200);
    // A polygon runs from the centre colour to its boundary, and one colour per corner takes each.
    Canvas c2(101, 101);
    PathPtr p2 = NewPath();
    const GpPoint square[4] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    ASSERT_EQ(GdipAddPathPolygonI(p2.get(), square, 4), Ok);
    GpPathGradient* pg2 = nullptr;
    ASSERT_EQ(GdipCreatePathGradientFromPath(p2.get(), &pg2), Ok);
    BrushPtr owner2(pg2);
    ASSERT_EQ(GdipSetPathGradientCenterColor(pg2, kRed), Ok);
    INT n2 = 1;
    ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(pg2, &kGreen, &n2), Ok);
    ASSERT_EQ(GdipFillRectangle(c2.g(), pg2, 0, 0, 101, 101), Ok);
    EXPECT_GE(R(c2.At(50, 50)), 245);
    EXPECT_GE(G(c2.At(50, 1)), 240);
    EXPECT_GE(G(c2.At(1, 50)), 240);
    EXPECT_TRUE(Near(G(c2.At(50, 25)), 128, 10));

    // One colour per corner: each corner takes its own.
    const ARGB corners[4] = {kRed, kGreen, kBlue, kBlack};
    n2 = 4;
    ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(pg2, corners, &n2), Ok);
    Canvas d2(101, 101);
    ASSERT_EQ(GdipFillPath(d2.g(), pg2, p2.get()), Ok);
    EXPECT_GE(R(d2.At(1, 1)), 230);
    EXPECT_GE(G(d2.At(99, 1)), 230);
    EXPECT_GE(B(d2.At(99, 99)), 230);
    EXPECT_LE(R(d2.At(1, 99)) + G(d2.At(1, 99)) + B(d2.At(1, 99)), 30);
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

} // namespace
} // namespace gdiptest
