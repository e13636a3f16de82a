// Paths (every add form reaches GDI+ with its own points), path gradient brushes and clip regions.

#include <gtest/gtest.h>

#include <functional>

#include "tests/foundation/AdvGDIPTestSupport.h"
#include "tests/support/ColorMatch.h"

using namespace AdvGDIP;
using namespace AdvGDIPTest;
using colortest::IsColor;

namespace {

using TBuild = std::function<void(TGPGraphicsPath&)>;

// The number of points of a path, read through a path gradient brush made from it.
int PointCount(TGPGraphicsPath& path) {
    TGPPathGradientBrush brush(&path);
    return brush.GetPointCount();
}

// Fills a path built by `build` in black on a white 40 x 40 surface and returns the surface's pixels.
std::vector<ARGB> FilledPixels(const TBuild& build) {
    TSurface surface(40, 40);
    surface.Graphics->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    TGPGraphicsPath path;
    build(path);
    TGPSolidBrush black(MakeColor(0, 0, 0));
    EXPECT_EQ(surface.Graphics->FillPath(&black, &path), Ok);
    std::vector<ARGB> pixels;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            pixels.push_back(surface.Pixel(x, y));
    return pixels;
}

bool AllNear(const std::vector<ARGB>& a, const std::vector<ARGB>& b, int tolerance) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!Near(a[i], b[i], tolerance)) return false;
    return a.size() == b.size();
}

TGPPoint ip[] = {{2, 2}, {36, 8}, {20, 36}};
TGPPointF fp[] = {{2, 2}, {36, 8}, {20, 36}};

} // namespace

TEST(AdvGDIPPath, PointCountsOfTheShapesAndRefusedArrays) {
    // Béziers take three points each after the first; a cardinal spline is one Bézier per segment.
    const std::pair<TBuild, int> cases[] = {
        {[](TGPGraphicsPath& p) { p.AddEllipse(MakeRect(0.0f, 0.0f, 20.0f, 10.0f)); }, 13},
        {[](TGPGraphicsPath& p) { p.AddLines(ip, 3); }, 3},
        {[](TGPGraphicsPath& p) { p.AddPolygon(fp, 3); }, 3},
        {[](TGPGraphicsPath& p) {
             p.AddBezier(MakePoint(0, 0), MakePoint(5, 10), MakePoint(15, 10), MakePoint(20, 0));
         },
         4},
        {[](TGPGraphicsPath& p) { p.AddArc(MakeRect(0.0f, 0.0f, 20.0f, 20.0f), 180.0f, 90.0f); }, 4},
        {[](TGPGraphicsPath& p) { p.AddCurve(ip, 3); }, 7},
        {[](TGPGraphicsPath& p) { p.AddLine(MakePoint(0.0f, 0.0f), MakePoint(10.0f, 0.0f)); }, 2}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        TGPGraphicsPath path;
        cases[i].first(path);
        EXPECT_EQ(path.GetLastStatus(), Ok) << i;
        EXPECT_EQ(PointCount(path), cases[i].second) << i;
    }
    // Bad point arrays are refused, and the refusal kept.
    TGPGraphicsPath path;
    EXPECT_EQ(path.AddLines(nullptr, 3), InvalidParameter);
    TGPPoint one[] = {{1, 1}};
    EXPECT_NE(path.AddPolygon(one, -1), Ok);
    EXPECT_EQ(path.AddLine(0.0f, 0.0f, 5.0f, 5.0f), Ok);
    EXPECT_EQ(path.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(path.GetLastStatus(), Ok);
    EXPECT_EQ(PointCount(path), 2); // the refused calls added nothing
}

TEST(AdvGDIPPath, IntegerRectangleAndFloatFormsBuildTheSamePathAndTheTensionArrives) {
    const std::pair<TBuild, TBuild> pairs[] = {
        {[](TGPGraphicsPath& p) {
             p.AddBezier(MakePoint(2, 30), MakePoint(10, 0), MakePoint(30, 0), MakePoint(38, 30));
         },
         [](TGPGraphicsPath& p) {
             p.AddBezier(MakePoint(2.0f, 30.0f), MakePoint(10.0f, 0.0f), MakePoint(30.0f, 0.0f),
                         MakePoint(38.0f, 30.0f));
         }},
        {[](TGPGraphicsPath& p) { p.AddCurve(ip, 3); }, [](TGPGraphicsPath& p) { p.AddCurve(fp, 3); }},
        {[](TGPGraphicsPath& p) { p.AddPolygon(ip, 3); }, [](TGPGraphicsPath& p) { p.AddPolygon(fp, 3); }},
        {[](TGPGraphicsPath& p) { p.AddArc(MakeRect(4.0f, 4.0f, 30.0f, 30.0f), 0.0f, 180.0f); },
         [](TGPGraphicsPath& p) { p.AddArc(4.0f, 4.0f, 30.0f, 30.0f, 0.0f, 180.0f); }},
        {[](TGPGraphicsPath& p) { p.AddPie(MakeRect(4.0f, 4.0f, 30.0f, 30.0f), 0.0f, 90.0f); },
         [](TGPGraphicsPath& p) { p.AddPie(4.0f, 4.0f, 30.0f, 30.0f, 0.0f, 90.0f); }}};
    for (std::size_t i = 0; i < std::size(pairs); ++i)
        EXPECT_EQ(FilledPixels(pairs[i].first), FilledPixels(pairs[i].second)) << i;

    // The pie's quarter lies below and right of its centre (angles run clockwise on screen).
    const auto pie = FilledPixels(pairs[4].first);
    EXPECT_THAT(pie[26 * 40 + 26], IsColor(0xFF000000u));
    EXPECT_THAT(pie[12 * 40 + 12], IsColor(0xFFFFFFFFu));
    // The curve tension reaches GDI+.
    auto straight = FilledPixels([](TGPGraphicsPath& p) { p.AddCurve(ip, 3, 0.0f); });
    auto polyline = FilledPixels([](TGPGraphicsPath& p) { p.AddLines(ip, 3); });
    auto bent = FilledPixels([](TGPGraphicsPath& p) { p.AddCurve(ip, 3, 1.0f); });
    EXPECT_TRUE(AllNear(straight, polyline, 8)); // tension 0 gives straight segments
    EXPECT_FALSE(AllNear(bent, polyline, 8));
}

TEST(AdvGDIPPathGradient, SurroundColoursWithinThePathsPointCount) {
    TGPGraphicsPath path;
    TGPPoint square[] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    ASSERT_EQ(path.AddLines(square, 4), Ok);
    TGPPathGradientBrush brush(&path);
    ASSERT_EQ(brush.GetPointCount(), 4);

    ARGB two[] = {MakeColor(255, 0, 0), MakeColor(0, 0, 255)};
    int count = 2;
    EXPECT_EQ(brush.SetSurroundColors(two, count), Ok);
    EXPECT_EQ(count, 2);
    ARGB read[4] = {};
    int room = 4;
    EXPECT_EQ(brush.GetSurroundColors(read, room), Ok);
    ASSERT_GE(room, 2);
    EXPECT_THAT(read[0], IsColor(two[0]));
    EXPECT_THAT(read[1], IsColor(two[1]));

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

    // A brush of an empty path (or of none) fails, and takes no colours.
    TGPGraphicsPath empty;
    TGPPathGradientBrush ofEmpty(&empty);
    EXPECT_NE(ofEmpty.GetLastStatus(), Ok);
    int one = 1;
    EXPECT_EQ(ofEmpty.SetSurroundColors(two, one), InvalidParameter);
    EXPECT_EQ(one, 1);
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
    EXPECT_THAT(centre, IsColor(MakeColor(200, 10, 20, 30)));

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

TEST(AdvGDIPRegion, ClipRegionsOnScreen) {
    TSurface surface(40, 40);
    TGPGraphics& g = *surface.Graphics;
    TGPSolidBrush black(MakeColor(0, 0, 0)), white(MakeColor(255, 255, 255));
    auto paint = [&] {
        g.FillRectangle(&black, 0.0f, 0.0f, 40.0f, 40.0f);
        std::vector<bool> dark;
        for (TGPPoint p : {TGPPoint{5, 5}, TGPPoint{15, 15}, TGPPoint{23, 30}, TGPPoint{30, 30}})
            dark.push_back(surface.Pixel(p.X, p.Y) == 0xFF000000u);
        EXPECT_EQ(g.ResetClip(), Ok);
        g.FillRectangle(&white, 0.0f, 0.0f, 40.0f, 40.0f);
        return dark;
    };
    using V = std::vector<bool>;
    // Probes: (5,5), (15,15), (23,30) in the disc below, (30,30) its hole.
    EXPECT_EQ(g.ExcludeClip(MakeRect(10.0f, 10.0f, 10.0f, 10.0f)), Ok);
    EXPECT_EQ(paint(), (V{true, false, true, true}));

    TGPRegion region(MakeRect(0.0f, 0.0f, 10.0f, 10.0f));
    TGPGraphicsPath circle, hole;
    circle.AddEllipse(20.0f, 20.0f, 20.0f, 20.0f);
    hole.AddEllipse(26.0f, 26.0f, 8.0f, 8.0f);
    TGPRegion disc(&circle);
    EXPECT_EQ(disc.Exclude(&hole), Ok);
    EXPECT_EQ(region.Union(&disc), Ok);
    EXPECT_EQ(region.GetLastStatus(), Ok);
    EXPECT_EQ(g.SetClip(&region, CombineModeReplace), Ok);
    EXPECT_EQ(paint(), (V{true, false, true, false}));

    TGPRegion corner(MakeRect(0.0f, 0.0f, 20.0f, 20.0f));
    EXPECT_EQ(g.ExcludeClip(&corner), Ok);
    EXPECT_EQ(paint(), (V{false, false, true, true}));

    EXPECT_EQ(g.SetClip(nullptr), InvalidParameter);
    EXPECT_EQ(g.GetLastStatus(), InvalidParameter);
}
