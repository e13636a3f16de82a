// Paths (point counts as GDI+ builds them), path gradient brushes and regions.

#include <gtest/gtest.h>

#include <functional>

#include "tests/foundation/AdvGDIPTestSupport.h"

using namespace AdvGDIP;
using namespace AdvGDIPTest;

namespace {

// The number of points of a path, read through a path gradient brush made from it.
int PointCount(TGPGraphicsPath& path) {
    TGPPathGradientBrush brush(&path);
    return brush.GetPointCount();
}

// Fills a path built by `build` in black on a white surface and returns the surface's pixels.
std::vector<ARGB> FilledPixels(const std::function<void(TGPGraphicsPath&)>& build, int size = 40) {
    TSurface surface(size, size);
    surface.Graphics->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    TGPGraphicsPath path;
    build(path);
    TGPSolidBrush black(MakeColor(0, 0, 0));
    EXPECT_EQ(surface.Graphics->FillPath(&black, &path), Ok);
    std::vector<ARGB> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            pixels.push_back(surface.Pixel(x, y));
    return pixels;
}

bool AllNear(const std::vector<ARGB>& a, const std::vector<ARGB>& b, int tolerance) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!Near(a[i], b[i], tolerance)) return false;
    return true;
}

} // namespace

TEST(AdvGDIPPath, PointCountsOfTheShapes) {
    {
        TGPGraphicsPath path;
        EXPECT_EQ(path.AddEllipse(MakeRect(0.0f, 0.0f, 20.0f, 10.0f)), Ok);
        EXPECT_EQ(PointCount(path), 13); // four Béziers
    }
    {
        TGPGraphicsPath path;
        TGPPoint pts[] = {{0, 0}, {10, 0}, {10, 10}};
        EXPECT_EQ(path.AddLines(pts, 3), Ok);
        EXPECT_EQ(PointCount(path), 3);
    }
    {
        TGPGraphicsPath path;
        TGPPointF pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
        EXPECT_EQ(path.AddPolygon(pts, 4), Ok);
        EXPECT_EQ(PointCount(path), 4);
    }
    {
        TGPGraphicsPath path;
        EXPECT_EQ(path.AddBezier(MakePoint(0, 0), MakePoint(5, 10), MakePoint(15, 10), MakePoint(20, 0)), Ok);
        EXPECT_EQ(PointCount(path), 4);
    }
    {
        TGPGraphicsPath path;
        EXPECT_EQ(path.AddArc(MakeRect(0.0f, 0.0f, 20.0f, 20.0f), 180.0f, 90.0f), Ok);
        EXPECT_EQ(PointCount(path), 4); // a quarter circle is one Bézier
    }
    {
        TGPGraphicsPath path;
        TGPPoint pts[] = {{0, 0}, {10, 10}, {20, 0}};
        EXPECT_EQ(path.AddCurve(pts, 3), Ok);
        EXPECT_EQ(PointCount(path), 7); // a cardinal spline: one Bézier per segment
    }
    {
        TGPGraphicsPath path;
        EXPECT_EQ(path.AddLine(MakePoint(0.0f, 0.0f), MakePoint(10.0f, 0.0f)), Ok);
        EXPECT_EQ(PointCount(path), 2);
    }
}

TEST(AdvGDIPPath, BadPointArraysAreRefusedAndKept) {
    TGPGraphicsPath path;
    EXPECT_EQ(path.AddLines(nullptr, 3), InvalidParameter);
    TGPPoint one[] = {{1, 1}};
    EXPECT_NE(path.AddPolygon(one, -1), Ok);
    EXPECT_EQ(path.AddLine(0.0f, 0.0f, 5.0f, 5.0f), Ok);
    EXPECT_EQ(path.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(path.GetLastStatus(), Ok);
    EXPECT_EQ(PointCount(path), 2); // the refused calls added nothing
}

TEST(AdvGDIPPath, IntegerAndFloatFormsBuildTheSamePath) {
    auto bezierInt = FilledPixels([](TGPGraphicsPath& p) {
        p.AddBezier(MakePoint(2, 30), MakePoint(10, 0), MakePoint(30, 0), MakePoint(38, 30));
        p.CloseFigure();
    });
    auto bezierFloat = FilledPixels([](TGPGraphicsPath& p) {
        p.AddBezier(MakePoint(2.0f, 30.0f), MakePoint(10.0f, 0.0f), MakePoint(30.0f, 0.0f),
                    MakePoint(38.0f, 30.0f));
        p.CloseFigure();
    });
    EXPECT_EQ(bezierInt, bezierFloat);

    TGPPoint ip[] = {{2, 2}, {36, 8}, {20, 36}};
    TGPPointF fp[] = {{2, 2}, {36, 8}, {20, 36}};
    auto curveInt = FilledPixels([&](TGPGraphicsPath& p) { p.AddCurve(ip, 3); });
    auto curveFloat = FilledPixels([&](TGPGraphicsPath& p) { p.AddCurve(fp, 3); });
    EXPECT_EQ(curveInt, curveFloat);
    auto polygonInt = FilledPixels([&](TGPGraphicsPath& p) { p.AddPolygon(ip, 3); });
    auto polygonFloat = FilledPixels([&](TGPGraphicsPath& p) { p.AddPolygon(fp, 3); });
    EXPECT_EQ(polygonInt, polygonFloat);
}

TEST(AdvGDIPPath, CurveTensionReachesGdiplus) {
    TGPPoint pts[] = {{2, 2}, {36, 8}, {20, 36}};
    auto straight = FilledPixels([&](TGPGraphicsPath& p) { p.AddCurve(pts, 3, 0.0f); });
    auto polyline = FilledPixels([&](TGPGraphicsPath& p) { p.AddLines(pts, 3); });
    auto bent = FilledPixels([&](TGPGraphicsPath& p) { p.AddCurve(pts, 3, 1.0f); });
    EXPECT_TRUE(AllNear(straight, polyline, 8)); // tension 0 gives straight segments
    EXPECT_FALSE(AllNear(bent, polyline, 8));
}

TEST(AdvGDIPPath, RectangleFormsForwardToTheFloatForms) {
    auto arcRect =
        FilledPixels([](TGPGraphicsPath& p) { p.AddArc(MakeRect(4.0f, 4.0f, 30.0f, 30.0f), 0.0f, 180.0f); });
    auto arcFloats =
        FilledPixels([](TGPGraphicsPath& p) { p.AddArc(4.0f, 4.0f, 30.0f, 30.0f, 0.0f, 180.0f); });
    EXPECT_EQ(arcRect, arcFloats);
    auto pieRect =
        FilledPixels([](TGPGraphicsPath& p) { p.AddPie(MakeRect(4.0f, 4.0f, 30.0f, 30.0f), 0.0f, 90.0f); });
    auto pieFloats =
        FilledPixels([](TGPGraphicsPath& p) { p.AddPie(4.0f, 4.0f, 30.0f, 30.0f, 0.0f, 90.0f); });
    EXPECT_EQ(pieRect, pieFloats);
    // The pie's quarter lies below and right of its centre (angles run clockwise on screen).
    EXPECT_EQ(pieRect[static_cast<std::size_t>(26 * 40 + 26)], 0xFF000000u);
    EXPECT_EQ(pieRect[static_cast<std::size_t>(12 * 40 + 12)], 0xFFFFFFFFu);
}

TEST(AdvGDIPPathGradient, SurroundColoursWithinThePathsPointCount) {
    TGPGraphicsPath path;
    TGPPoint square[] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    ASSERT_EQ(path.AddLines(square, 4), Ok);
    TGPPathGradientBrush brush(&path);
    ASSERT_EQ(brush.GetLastStatus(), Ok);
    ASSERT_EQ(brush.GetPointCount(), 4);

    ARGB two[] = {MakeColor(255, 0, 0), MakeColor(0, 0, 255)};
    int count = 2;
    EXPECT_EQ(brush.SetSurroundColors(two, count), Ok);
    EXPECT_EQ(count, 2);

    ARGB read[4] = {};
    int room = 4;
    EXPECT_EQ(brush.GetSurroundColors(read, room), Ok);
    ASSERT_GE(room, 2);
    EXPECT_EQ(read[0], two[0]);
    EXPECT_EQ(read[1], two[1]);

    int tooSmall = room - 1;
    EXPECT_EQ(brush.GetSurroundColors(read, tooSmall), InsufficientBuffer);
    EXPECT_EQ(tooSmall, room - 1);
    brush.GetLastStatus();

    ARGB five[5] = {};
    int fiveCount = 5;
    EXPECT_EQ(brush.SetSurroundColors(five, fiveCount), InvalidParameter);
    EXPECT_EQ(fiveCount, 5);
    EXPECT_EQ(brush.SetSurroundColors(nullptr, count), InvalidParameter);
    EXPECT_EQ(brush.GetSurroundColors(nullptr, room), InvalidParameter);
}

TEST(AdvGDIPPathGradient, BrushOfAnEmptyPathRefusesSurroundColours) {
    TGPGraphicsPath empty;
    TGPPathGradientBrush brush(&empty);
    EXPECT_NE(brush.GetLastStatus(), Ok);
    ARGB one[] = {MakeColor(1, 2, 3)};
    int count = 1;
    EXPECT_EQ(brush.SetSurroundColors(one, count), InvalidParameter);
    EXPECT_EQ(count, 1);
    TGPPathGradientBrush none(nullptr);
    EXPECT_NE(none.GetLastStatus(), Ok);
}

TEST(AdvGDIPPathGradient, CentreColourAndPoint) {
    TGPGraphicsPath path;
    path.AddEllipse(0.0f, 0.0f, 40.0f, 20.0f);
    TGPPathGradientBrush brush(&path);
    ASSERT_EQ(brush.GetLastStatus(), Ok);

    EXPECT_EQ(brush.SetCenterColor(MakeColor(200, 10, 20, 30)), Ok);
    ARGB centre = 0;
    EXPECT_EQ(brush.GetCenterColor(centre), Ok);
    EXPECT_EQ(centre, MakeColor(200, 10, 20, 30));

    TGPPointF pf;
    EXPECT_EQ(brush.GetCenterPoint(pf), Ok);
    EXPECT_NEAR(pf.X, 20.0f, 0.01f); // the path's centre by default
    EXPECT_NEAR(pf.Y, 10.0f, 0.01f);
    EXPECT_EQ(brush.SetCenterPoint(MakePoint(12.5f, 7.0f)), Ok);
    EXPECT_EQ(brush.GetCenterPoint(pf), Ok);
    EXPECT_EQ(pf, MakePoint(12.5f, 7.0f));
    EXPECT_EQ(brush.SetCenterPoint(MakePoint(15, 9)), Ok);
    TGPPoint pi;
    EXPECT_EQ(brush.GetCenterPoint(pi), Ok);
    EXPECT_EQ(pi, MakePoint(15, 9));
}

TEST(AdvGDIPPathGradient, CentreAndRimColoursOnScreen) {
    TSurface surface(60, 60);
    surface.Graphics->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    TGPGraphicsPath path;
    path.AddEllipse(0.0f, 0.0f, 60.0f, 60.0f);
    TGPPathGradientBrush brush(&path);
    brush.SetCenterColor(MakeColor(255, 0, 0));
    ARGB rim[] = {MakeColor(0, 0, 255)};
    int count = 1;
    ASSERT_EQ(brush.SetSurroundColors(rim, count), Ok);
    ASSERT_EQ(surface.Graphics->FillPath(&brush, &path), Ok);

    EXPECT_TRUE(Near(surface.Pixel(30, 30), MakeColor(255, 0, 0), 20));
    ARGB nearRim = surface.Pixel(30, 2);
    EXPECT_GT(GetBlue(nearRim), 200);
    EXPECT_LT(GetRed(nearRim), 60);
    EXPECT_EQ(surface.Pixel(1, 1), 0xFFFFFFFFu); // outside the ellipse
}

TEST(AdvGDIPRegion, ClipRegionsOnScreen) {
    TSurface surface(40, 40);
    TGPGraphics& g = *surface.Graphics;
    TGPSolidBrush black(MakeColor(0, 0, 0));

    // Excluding a rectangle leaves it untouched.
    EXPECT_EQ(g.ExcludeClip(MakeRect(10.0f, 10.0f, 10.0f, 10.0f)), Ok);
    g.FillRectangle(&black, 0.0f, 0.0f, 40.0f, 40.0f);
    EXPECT_EQ(surface.Pixel(15, 15), 0xFFFFFFFFu);
    EXPECT_EQ(surface.Pixel(5, 5), 0xFF000000u);
    EXPECT_EQ(surface.Pixel(25, 15), 0xFF000000u);

    // A region made of a rectangle and an ellipse with a hole, set as the clip.
    TGPSolidBrush white(MakeColor(255, 255, 255));
    EXPECT_EQ(g.ResetClip(), Ok);
    g.FillRectangle(&white, 0.0f, 0.0f, 40.0f, 40.0f);
    TGPRegion region(MakeRect(0.0f, 0.0f, 10.0f, 10.0f));
    TGPGraphicsPath circle;
    circle.AddEllipse(20.0f, 20.0f, 20.0f, 20.0f);
    TGPRegion disc(&circle);
    TGPGraphicsPath hole;
    hole.AddEllipse(26.0f, 26.0f, 8.0f, 8.0f);
    EXPECT_EQ(disc.Exclude(&hole), Ok);
    EXPECT_EQ(region.Union(&disc), Ok);
    EXPECT_EQ(region.GetLastStatus(), Ok);
    EXPECT_EQ(g.SetClip(&region, CombineModeReplace), Ok);
    g.FillRectangle(&black, 0.0f, 0.0f, 40.0f, 40.0f);
    EXPECT_EQ(surface.Pixel(5, 5), 0xFF000000u);   // the rectangle
    EXPECT_EQ(surface.Pixel(23, 30), 0xFF000000u); // the disc
    EXPECT_EQ(surface.Pixel(30, 30), 0xFFFFFFFFu); // its hole
    EXPECT_EQ(surface.Pixel(15, 5), 0xFFFFFFFFu);  // neither

    // Excluding a region from the clip.
    EXPECT_EQ(g.ResetClip(), Ok);
    g.FillRectangle(&white, 0.0f, 0.0f, 40.0f, 40.0f);
    TGPRegion corner(MakeRect(0.0f, 0.0f, 20.0f, 20.0f));
    EXPECT_EQ(g.ExcludeClip(&corner), Ok);
    g.FillRectangle(&black, 0.0f, 0.0f, 40.0f, 40.0f);
    EXPECT_EQ(surface.Pixel(5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(surface.Pixel(30, 30), 0xFF000000u);

    EXPECT_EQ(g.SetClip(nullptr), InvalidParameter);
    EXPECT_EQ(g.GetLastStatus(), InvalidParameter);
}
