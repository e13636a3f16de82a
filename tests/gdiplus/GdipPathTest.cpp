// Paths: the points GDI+ stores for each kind of figure, and how figures join.

#include <limits>
#include <vector>

#include "tests/gdiplus/GdipTestSupport.h"

namespace gdiptest {
namespace {

INT Count(GpPath* p) {
    INT n = -1;
    EXPECT_EQ(GdipGetPointCount(p, &n), Ok);
    return n;
}

std::vector<GpPointF> Points(GpPath* p) {
    std::vector<GpPointF> pts(static_cast<std::size_t>(Count(p)));
    if (!pts.empty()) {
        EXPECT_EQ(GdipGetPathPoints(p, pts.data(), static_cast<INT>(pts.size())), Ok);
    }
    return pts;
}

std::vector<BYTE> Types(GpPath* p) {
    std::vector<BYTE> t(static_cast<std::size_t>(Count(p)));
    if (!t.empty()) {
        EXPECT_EQ(GdipGetPathTypes(p, t.data(), static_cast<INT>(t.size())), Ok);
    }
    return t;
}

TEST(GdipPath, PointCountsFollowTheBezierDecompositionAndFiguresJoinByLinesUnlessTheyMeet) {
    struct Case {
        const char* what;
        INT expected;
        GpStatus (*build)(GpPath*);
    };
    const Case cases[] = {
        {"ellipse", 13, [](GpPath* p) { return GdipAddPathEllipse(p, 0, 0, 40, 20); }},
        {"arc of 90", 4, [](GpPath* p) { return GdipAddPathArc(p, 0, 0, 40, 40, 0, 90); }},
        {"arc of 45", 4, [](GpPath* p) { return GdipAddPathArc(p, 0, 0, 40, 40, 10, 45); }},
        {"arc of 180", 7, [](GpPath* p) { return GdipAddPathArc(p, 0, 0, 40, 40, 0, 180); }},
        {"arc of -270", 10, [](GpPath* p) { return GdipAddPathArc(p, 0, 0, 40, 40, 0, -270); }},
        {"arc beyond 360", 13, [](GpPath* p) { return GdipAddPathArc(p, 0, 0, 40, 40, 0, 720); }},
        {"pie of 90", 5, [](GpPath* p) { return GdipAddPathPie(p, 0, 0, 40, 40, 0, 90); }},
        {"bezier", 4, [](GpPath* p) { return GdipAddPathBezier(p, 0, 0, 1, 1, 2, 1, 3, 0); }},
        {"line", 2, [](GpPath* p) { return GdipAddPathLine(p, 0, 0, 5, 5); }},
        {"rectangle", 4, [](GpPath* p) { return GdipAddPathRectangle(p, 1, 1, 5, 5); }},
        {"curve of 3 points", 7,
         [](GpPath* p) {
             const GpPoint pts[3] = {{0, 0}, {10, 10}, {20, 0}};
             return GdipAddPathCurve2I(p, pts, 3, 0.5f);
         }},
        {"polygon of 5 points", 5,
         [](GpPath* p) {
             const GpPoint pts[5] = {{0, 0}, {10, 0}, {12, 8}, {5, 12}, {-2, 8}};
             return GdipAddPathPolygonI(p, pts, 5);
         }},
    };
    for (const Case& c : cases) {
        PathPtr p = NewPath();
        ASSERT_EQ(c.build(p.get()), Ok) << c.what;
        EXPECT_EQ(Count(p.get()), c.expected) << c.what;
    }
    PathPtr p = NewPath();
    ASSERT_EQ(GdipAddPathLine(p.get(), 0, 0, 10, 0), Ok);
    ASSERT_EQ(GdipAddPathLine(p.get(), 10, 0, 10, 10), Ok); // starts where the last ended: 1 more point
    EXPECT_EQ(Count(p.get()), 3);
    ASSERT_EQ(GdipAddPathBezier(p.get(), 20, 20, 25, 25, 30, 25, 35, 20), Ok); // elsewhere: joined by a line
    EXPECT_EQ(Count(p.get()), 7);
    ASSERT_EQ(GdipClosePathFigure(p.get()), Ok);
    ASSERT_EQ(GdipAddPathLine(p.get(), 50, 50, 60, 60), Ok); // after a close: a new figure
    const auto t = Types(p.get());
    ASSERT_EQ(t.size(), 9u);
    EXPECT_EQ(t[0], PathPointTypeStart);
    EXPECT_EQ(t[1], PathPointTypeLine);
    EXPECT_EQ(t[3], PathPointTypeLine);
    EXPECT_EQ(t[4], PathPointTypeBezier);
    EXPECT_EQ(t[6], PathPointTypeBezier | PathPointTypeCloseSubpath);
    EXPECT_EQ(t[7], PathPointTypeStart);
}

TEST(GdipPath, RoundedRectangleOfFourArcsHasSixteenPointsAndArcAnglesAreTrueAngles) {
    PathPtr p = NewPath();
    const REAL x = 2, y = 3, w = 60, h = 30, d = 10;
    ASSERT_EQ(GdipAddPathArc(p.get(), x, y, d, d, 180, 90), Ok);
    ASSERT_EQ(GdipAddPathArc(p.get(), x + w - d, y, d, d, 270, 90), Ok);
    ASSERT_EQ(GdipAddPathArc(p.get(), x + w - d, y + h - d, d, d, 0, 90), Ok);
    ASSERT_EQ(GdipAddPathArc(p.get(), x, y + h - d, d, d, 90, 90), Ok);
    ASSERT_EQ(GdipClosePathFigure(p.get()), Ok);
    EXPECT_EQ(Count(p.get()), 16);
    const auto pts = Points(p.get());
    // The first arc starts at the left middle of its square and ends at the top middle.
    EXPECT_NEAR(pts[0].X, x, 1e-4);
    EXPECT_NEAR(pts[0].Y, y + d / 2, 1e-4);
    EXPECT_NEAR(pts[3].X, x + d / 2, 1e-4);
    EXPECT_NEAR(pts[3].Y, y, 1e-4);
    PathPtr p2 = NewPath();
    // On a flat ellipse, 45 degrees points along the diagonal, not at the parametric 45 degrees.
    ASSERT_EQ(GdipAddPathArc(p2.get(), -100, -25, 200, 50, 0, 45), Ok);
    const auto pts2 = Points(p2.get());
    const GpPointF end = pts2.back();
    EXPECT_NEAR(end.X, end.Y, 1e-3);
    EXPECT_NEAR(end.X * end.X / (100.0 * 100.0) + end.Y * end.Y / (25.0 * 25.0), 1.0, 1e-4);
}

TEST(GdipPath, IntegerFormsEqualFloatFormsAndTensionShapesTheControlPoints) {
    PathPtr a = NewPath(), b = NewPath();
    ASSERT_EQ(GdipAddPathBezierI(a.get(), 1, 2, 3, 4, 5, 6, 7, 8), Ok);
    ASSERT_EQ(GdipAddPathBezier(b.get(), 1, 2, 3, 4, 5, 6, 7, 8), Ok);
    const auto pa = Points(a.get()), pb = Points(b.get());
    ASSERT_EQ(pa.size(), pb.size());
    for (std::size_t i = 0; i < pa.size(); ++i) {
        EXPECT_EQ(pa[i].X, pb[i].X);
        EXPECT_EQ(pa[i].Y, pb[i].Y);
    }
    const GpPoint ip[3] = {{0, 0}, {10, 10}, {20, 0}};
    const GpPointF fp[3] = {{0, 0}, {10, 10}, {20, 0}};
    PathPtr c = NewPath(), d = NewPath();
    ASSERT_EQ(GdipAddPathCurveI(c.get(), ip, 3), Ok);
    ASSERT_EQ(GdipAddPathCurve(d.get(), fp, 3), Ok);
    const auto pc = Points(c.get()), pd = Points(d.get());
    ASSERT_EQ(pc.size(), pd.size());
    for (std::size_t i = 0; i < pc.size(); ++i)
        EXPECT_FLOAT_EQ(pc[i].Y, pd[i].Y);
    const GpPoint pts[3] = {{0, 0}, {10, 10}, {20, 0}};
    PathPtr straight = NewPath(), round = NewPath();
    ASSERT_EQ(GdipAddPathCurve2I(straight.get(), pts, 3, 0.0f), Ok);
    ASSERT_EQ(GdipAddPathCurve2I(round.get(), pts, 3, 0.5f), Ok);
    const auto s = Points(straight.get()), r = Points(round.get());
    // Tension 0: control points sit on the points, so the curve is the polyline.
    EXPECT_FLOAT_EQ(s[1].X, 0);
    EXPECT_FLOAT_EQ(s[2].X, 10);
    // Tension 0.5: the middle point's tangent runs along P0->P2 (horizontal), a sixth of its length.
    EXPECT_FLOAT_EQ(r[2].X, 10 - 20.0f / 6);
    EXPECT_FLOAT_EQ(r[2].Y, 10);
    EXPECT_FLOAT_EQ(r[4].X, 10 + 20.0f / 6);
}

TEST(GdipPath, RejectsDegenerateFigures) {
    PathPtr p = NewPath();
    const GpPointF two[2] = {{0, 0}, {1, 1}};
    const GpPointF one[1] = {{0, 0}};
    const REAL nan = std::numeric_limits<REAL>::quiet_NaN(), inf = std::numeric_limits<REAL>::infinity();
    EXPECT_EQ(GdipAddPathPolygon(p.get(), two, 2), InvalidParameter);
    EXPECT_EQ(GdipAddPathCurve(p.get(), one, 1), InvalidParameter);
    EXPECT_EQ(GdipAddPathLine2(p.get(), nullptr, 3), InvalidParameter);
    EXPECT_EQ(GdipAddPathLine(p.get(), nan, 0, 1, 1), InvalidParameter);
    EXPECT_EQ(GdipAddPathLine(p.get(), 0, inf, 1, 1), InvalidParameter);
    EXPECT_EQ(GdipAddPathLine(p.get(), 0, 0, 1e30f, 1), InvalidParameter);
    EXPECT_EQ(GdipAddPathArc(p.get(), 0, 0, 0, 10, 0, 90), InvalidParameter);
    EXPECT_EQ(GdipAddPathEllipse(p.get(), 0, 0, 10, -1), InvalidParameter);
    EXPECT_EQ(GdipAddPathPie(p.get(), 0, 0, 10, 10, nan, 90), InvalidParameter);
    EXPECT_EQ(GdipAddPathCurve2(p.get(), two, 2, nan), InvalidParameter);
    EXPECT_EQ(GdipAddPathLine(nullptr, 0, 0, 1, 1), InvalidParameter);
    EXPECT_EQ(GdipCreatePath(static_cast<FillMode>(7), nullptr), InvalidParameter);
    EXPECT_EQ(Count(p.get()), 0); // nothing of the refused calls was kept
    INT n = 0;
    EXPECT_EQ(GdipGetPointCount(nullptr, &n), InvalidParameter);
    BYTE types[1];
    ASSERT_EQ(GdipAddPathLine(p.get(), 0, 0, 1, 1), Ok);
    EXPECT_EQ(GdipGetPathTypes(p.get(), types, 1), InsufficientBuffer);
}

} // namespace
} // namespace gdiptest
