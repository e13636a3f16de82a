// Regions and clipping: rectangles and paths combined, and drawing limited by the clip.

#include <limits>
#include <string>

#include "tests/gdiplus/GdipTestSupport.h"

namespace gdiptest {
namespace {

RegionPtr RectRegion(REAL x, REAL y, REAL w, REAL h) {
    GpRegion* r = nullptr;
    const GpRectF rect{x, y, w, h};
    EXPECT_EQ(GdipCreateRegionRect(&rect, &r), Ok);
    return RegionPtr(r);
}

bool Visible(GpRegion* r, REAL x, REAL y) {
    BOOL v = 0;
    EXPECT_EQ(GdipIsVisibleRegionPoint(r, x, y, nullptr, &v), Ok);
    return v != 0;
}

TEST(GdipClip, AnExcludedRectangleStaysUntouchedByFillsAndImages) {
    Canvas c(60, 40);
    BrushPtr red = Solid(kRed);
    ASSERT_EQ(GdipSetClipRect(c.g(), 20, 10, 10, 10, CombineModeExclude), Ok);
    ASSERT_EQ(GdipFillRectangle(c.g(), red.get(), 0, 0, 60, 40), Ok);
    EXPECT_EQ(c.At(25, 15), kWhite);
    EXPECT_EQ(c.At(20, 10), kWhite);
    EXPECT_EQ(c.At(29, 19), kWhite);
    EXPECT_EQ(c.At(19, 15), kRed);
    EXPECT_EQ(c.At(30, 15), kRed); // the right and bottom edges are outside the rectangle
    EXPECT_EQ(c.At(25, 20), kRed);
    EXPECT_EQ(c.At(0, 0), kRed);
    // After a reset everything is drawn again.
    ASSERT_EQ(GdipResetClip(c.g()), Ok);
    ASSERT_EQ(GdipFillRectangle(c.g(), red.get(), 0, 0, 60, 40), Ok);
    EXPECT_EQ(c.At(25, 15), kRed);
    Canvas c2(40, 20);
    GpBitmap* src = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(40, 20, 0, PixelFormat32bppRGB, nullptr, &src), Ok);
    ImagePtr owner(src);
    ASSERT_EQ(GdipSetClipRect(c2.g(), 0, 0, 10, 20, CombineModeReplace), Ok);
    ASSERT_EQ(GdipDrawImageI(c2.g(), src, 0, 0), Ok);
    EXPECT_EQ(c2.At(5, 5), 0xFF000000u);
    EXPECT_EQ(c2.At(15, 5), kWhite);
}

TEST(GdipClip, RegionsFromPathsAndRectanglesAndClipModesCombine) {
    RegionPtr r = RectRegion(0, 0, 50, 50);
    RegionPtr right = RectRegion(50, 0, 50, 50);
    ASSERT_EQ(GdipCombineRegionRegion(r.get(), right.get(), CombineModeUnion), Ok);
    PathPtr hole = NewPath();
    ASSERT_EQ(GdipAddPathEllipse(hole.get(), 40, 15, 20, 20), Ok);
    ASSERT_EQ(GdipCombineRegionPath(r.get(), hole.get(), CombineModeExclude), Ok);
    EXPECT_TRUE(Visible(r.get(), 10, 10));
    EXPECT_TRUE(Visible(r.get(), 90, 10));
    EXPECT_FALSE(Visible(r.get(), 50, 25));  // in the hole
    EXPECT_FALSE(Visible(r.get(), 100, 10)); // right edge excluded
    EXPECT_TRUE(Visible(r.get(), 41, 2));
    // Combining a region with itself is safe.
    ASSERT_EQ(GdipCombineRegionRegion(r.get(), r.get(), CombineModeIntersect), Ok);
    EXPECT_TRUE(Visible(r.get(), 10, 10));
    EXPECT_FALSE(Visible(r.get(), 50, 25));

    Canvas c(100, 50);
    BrushPtr red = Solid(kRed);
    ASSERT_EQ(GdipSetClipRegion(c.g(), r.get(), CombineModeReplace), Ok);
    ASSERT_EQ(GdipFillRectangle(c.g(), red.get(), 0, 0, 100, 50), Ok);
    EXPECT_EQ(c.At(10, 10), kRed);
    EXPECT_EQ(c.At(50, 25), kWhite);
    EXPECT_EQ(c.At(90, 45), kRed);
    // The clip is columns 0 to 19 (0 to 9 for the union), combined with columns 10 to 29 (30 to 39);
    // probes at x = 5, 15, 25 and 35, 'R' where the fill shows.
    const struct {
        CombineMode mode;
        const char* shown;
    } cases[] = {{CombineModeIntersect, ".R.."},
                 {CombineModeUnion, "R..R"},
                 {CombineModeXor, "R.R."},
                 {CombineModeComplement, "..R."}};
    BrushPtr red2 = Solid(kRed);
    for (const auto& k : cases) {
        Canvas c(40, 20);
        const bool uni = k.mode == CombineModeUnion;
        ASSERT_EQ(GdipSetClipRect(c.g(), 0, 0, uni ? 10 : 20, 20, CombineModeReplace), Ok);
        ASSERT_EQ(GdipSetClipRect(c.g(), uni ? 30 : 10, 0, uni ? 10 : 20, 20, k.mode), Ok);
        ASSERT_EQ(GdipFillRectangle(c.g(), red2.get(), 0, 0, 40, 20), Ok);
        std::string shown;
        for (int x = 5; x < 40; x += 10)
            shown += c.At(x, 5) == kRed ? 'R' : c.At(x, 5) == kWhite ? '.' : '?';
        EXPECT_EQ(shown, k.shown) << "mode " << k.mode;
    }
}

TEST(GdipClip, GradientsPaintTheSamePixelsThroughAClipAndDegenerateRegionsAreRefused) {
    // The rasterised path gradient and the group used for clipping share one device space.
    PathPtr tri = NewPath();
    const GpPoint pts[3] = {{0, 0}, {60, 0}, {30, 40}};
    ASSERT_EQ(GdipAddPathPolygonI(tri.get(), pts, 3), Ok);
    GpPathGradient* pg = nullptr;
    ASSERT_EQ(GdipCreatePathGradientFromPath(tri.get(), &pg), Ok);
    BrushPtr owner(pg);
    ASSERT_EQ(GdipSetPathGradientCenterColor(pg, kRed), Ok);
    Canvas free(60, 40), clipped(60, 40);
    ASSERT_EQ(GdipSetClipRect(clipped.g(), 0, 0, 30, 40, CombineModeExclude), Ok);
    ASSERT_EQ(GdipFillPath(free.g(), pg, tri.get()), Ok);
    ASSERT_EQ(GdipFillPath(clipped.g(), pg, tri.get()), Ok);
    for (int y = 0; y < 40; y += 3)
        for (int x = 0; x < 60; x += 3) {
            if (x < 30) {
                EXPECT_EQ(clipped.At(x, y), kWhite) << x << "," << y;
            } else {
                EXPECT_EQ(clipped.At(x, y), free.At(x, y)) << x << "," << y;
            }
        }
    EXPECT_NE(free.At(31, 12), kWhite);
    GpRegion* r = nullptr;
    const GpRectF nan{0, 0, std::numeric_limits<REAL>::quiet_NaN(), 1};
    EXPECT_EQ(GdipCreateRegionRect(&nan, &r), InvalidParameter);
    EXPECT_EQ(r, nullptr);
    EXPECT_EQ(GdipCreateRegionRect(nullptr, &r), InvalidParameter);
    EXPECT_EQ(GdipCreateRegionPath(nullptr, &r), InvalidParameter);
    RegionPtr ok = RectRegion(0, 0, 5, 5);
    EXPECT_EQ(GdipCombineRegionRegion(ok.get(), nullptr, CombineModeUnion), InvalidParameter);
    EXPECT_EQ(GdipCombineRegionRect(ok.get(), &nan, CombineModeUnion), InvalidParameter);
    EXPECT_EQ(GdipCombineRegionRegion(ok.get(), ok.get(), static_cast<CombineMode>(6)), InvalidParameter);
    Canvas c(10, 10);
    EXPECT_EQ(GdipSetClipRect(c.g(), 0, 0, 1e30f, 5, CombineModeReplace), InvalidParameter);
    EXPECT_EQ(GdipSetClipRegion(c.g(), nullptr, CombineModeReplace), InvalidParameter);
    // An empty rectangle region as clip hides everything; an infinite one shows everything.
    RegionPtr empty = RectRegion(3, 3, 0, 0);
    BrushPtr red = Solid(kRed);
    ASSERT_EQ(GdipSetClipRegion(c.g(), empty.get(), CombineModeReplace), Ok);
    ASSERT_EQ(GdipFillRectangle(c.g(), red.get(), 0, 0, 10, 10), Ok);
    EXPECT_TRUE(c.Untouched());
    GpRegion* all = nullptr;
    ASSERT_EQ(GdipCreateRegion(&all), Ok);
    RegionPtr allOwner(all);
    ASSERT_EQ(GdipSetClipRegion(c.g(), all, CombineModeReplace), Ok);
    ASSERT_EQ(GdipFillRectangle(c.g(), red.get(), 0, 0, 10, 10), Ok);
    EXPECT_EQ(c.At(9, 9), kRed);
}

} // namespace
} // namespace gdiptest
