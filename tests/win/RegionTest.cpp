// Regions: banded rectangle lists, shapes rasterised as GDI does, combinations and their kinds.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/win/Gdi.h"

using namespace win;

namespace {

std::vector<RECT> Rects(HRGN r) {
    return detail::GetRegionRects(r);
}

// Repeatable numbers: next(n) is in [0, n).
struct Numbers {
    unsigned Seed;
    int operator()(int n) {
        Seed = Seed * 1103515245u + 12345u;
        return static_cast<int>((Seed >> 16) % static_cast<unsigned>(n));
    }
};

// Deletes the regions of a test.
struct Regions {
    std::vector<HRGN> all;
    HRGN operator()(HRGN r) {
        all.push_back(r);
        return r;
    }
    ~Regions() {
        for (HRGN r : all)
            DeleteObject(r);
    }
};

} // namespace

// Whether the region's bands mirror left to right and top to bottom within its box.
bool Symmetric(const std::vector<RECT>& rects, const RECT& box) {
    for (const RECT& r : rects) {
        const RECT mirrored{box.Left + box.Right - r.Right, box.Top + box.Bottom - r.Bottom,
                            box.Left + box.Right - r.Left, box.Top + box.Bottom - r.Top};
        bool found = false;
        for (const RECT& q : rects)
            found = found || (q.Left == mirrored.Left && q.Right == mirrored.Right && q.Top <= mirrored.Top &&
                              q.Bottom >= mirrored.Bottom);
        if (!found) return false;
    }
    return true;
}

TEST(RegionShapes, RectRegionsNormaliseTheirCornersRoundOnesAreSymmetricAndPolygonsFollowTheFillMode) {
    Regions keep;
    HRGN r = keep(CreateRectRgn(10, 20, 2, 5));
    EXPECT_EQ(Rects(r), (std::vector<RECT>{{2, 5, 10, 20}}));
    RECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{2, 5, 10, 20}));
    HRGN empty = keep(CreateRectRgn(3, 3, 3, 9));
    EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
    EXPECT_TRUE(box.IsEmpty());
    const POINT square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    HRGN sq = keep(CreatePolygonRgn(square, 4, ALTERNATE));
    EXPECT_EQ(Rects(sq), (std::vector<RECT>{{0, 0, 10, 10}}));
    // A five-pointed star: its centre is outside in ALTERNATE mode and inside in WINDING mode.
    const POINT star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    HRGN alt = keep(CreatePolygonRgn(star, 5, ALTERNATE));
    HRGN wind = keep(CreatePolygonRgn(star, 5, WINDING));
    EXPECT_FALSE(PtInRegion(alt, 10, 11));
    EXPECT_TRUE(PtInRegion(wind, 10, 11));
    EXPECT_TRUE(PtInRegion(alt, 10, 3));
    EXPECT_EQ(CreatePolygonRgn(star, 5, 7), nullptr);
    Regions keep2;
    HRGN r2 = keep2(CreateRoundRectRgn(0, 0, 20, 12, 8, 8));
    EXPECT_TRUE(Symmetric(Rects(r2), {0, 0, 19, 11}));
    EXPECT_GT(Rects(r2).size(), 3u); // larger corners step over several rows
    HRGN e = keep2(CreateEllipticRgn(0, 0, 10, 10));
    EXPECT_TRUE(Symmetric(Rects(e), {0, 0, 9, 9}));
    EXPECT_TRUE(PtInRegion(e, 4, 4));
    EXPECT_FALSE(PtInRegion(e, 0, 0));
    const RECT indirect{10, 10, 0, 0};
    HRGN same = keep2(CreateEllipticRgnIndirect(&indirect));
    EXPECT_TRUE(EqualRgn(e, same));
}

TEST(RegionCombine, KindsOfEachModeMergedBandsAndErrors) {
    Regions keep;
    HRGN a = keep(CreateRectRgn(0, 0, 10, 10));
    HRGN b = keep(CreateRectRgn(5, 5, 15, 15));
    HRGN d = keep(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(Rects(d), (std::vector<RECT>{{5, 5, 10, 10}}));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(Rects(d), (std::vector<RECT>{{0, 0, 10, 5}, {0, 5, 15, 10}, {5, 10, 15, 15}}));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(Rects(d), (std::vector<RECT>{{0, 0, 10, 5}, {0, 5, 5, 10}}));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(Rects(d), (std::vector<RECT>{{0, 0, 10, 5}, {0, 5, 5, 10}, {10, 5, 15, 10}, {5, 10, 15, 15}}));
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(d, a));
    EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
    EXPECT_TRUE(Rects(d).empty());
    // Adjacent rectangles merge into bands and bands merge vertically.
    SetRectRgn(d, 0, 0, 5, 5);
    HRGN right = keep(CreateRectRgn(5, 0, 10, 5));
    HRGN below = keep(CreateRectRgn(0, 5, 10, 8));
    EXPECT_EQ(CombineRgn(d, d, right, RGN_OR), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(d, d, below, RGN_OR), SIMPLEREGION);
    EXPECT_EQ(Rects(d), (std::vector<RECT>{{0, 0, 10, 8}}));
    EXPECT_EQ(CombineRgn(a, a, nullptr, RGN_OR), ERROR);
    EXPECT_EQ(CombineRgn(a, a, a, 9), ERROR);
    EXPECT_EQ(CombineRgn(nullptr, a, a, RGN_OR), ERROR);
    HRGN dead = CreateRectRgn(0, 0, 1, 1);
    EXPECT_TRUE(DeleteObject(dead));
    EXPECT_FALSE(DeleteObject(dead));
    EXPECT_EQ(GetObjectType(dead), 0u);
    EXPECT_EQ(GetObjectType(a), OBJ_REGION);
}

TEST(RegionQueries, OffsetRectInRegionSetRectRgnAndRegionData) {
    Regions keep;
    HRGN r = keep(CreateRoundRectRgn(0, 0, 20, 10, 4, 4));
    EXPECT_EQ(OffsetRgn(r, 5, 7), COMPLEXREGION);
    RECT box{};
    GetRgnBox(r, &box);
    EXPECT_EQ(box, (RECT{5, 7, 24, 16}));
    const RECT corner{5, 7, 6, 8};
    const RECT inside{6, 8, 8, 9};
    const RECT outside{30, 30, 40, 40};
    EXPECT_FALSE(RectInRegion(r, &corner));
    EXPECT_TRUE(RectInRegion(r, &inside));
    EXPECT_FALSE(RectInRegion(r, &outside));
    EXPECT_TRUE(SetRectRgn(r, 1, 1, 3, 3));
    EXPECT_EQ(Rects(r), (std::vector<RECT>{{1, 1, 3, 3}}));
    // The region data copies the rectangles.
    r = keep(CreateEllipticRgn(0, 0, 10, 10));
    const std::vector<RECT> rects = Rects(r);
    const DWORD size = GetRegionData(r, 0, nullptr);
    ASSERT_EQ(size, sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    std::vector<unsigned char> buf(size);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    EXPECT_EQ(GetRegionData(r, size - 1, data), 0u);
    EXPECT_EQ(GetRegionData(r, size, data), size);
    EXPECT_EQ(data->rdh.nCount, rects.size());
    EXPECT_EQ(data->rdh.iType, RDH_RECTANGLES);
    EXPECT_EQ(data->rdh.rcBound, (RECT{0, 0, 9, 9}));
    RECT first{};
    std::memcpy(&first, data->Buffer, sizeof first);
    EXPECT_EQ(first, rects.front());
}

namespace {

// Checks the banding rules: sorted by band then left, rectangles of one band share top and bottom and
// neither touch nor overlap, bands do not overlap, and touching bands differ in their spans.
void ExpectBanded(const std::vector<RECT>& rects) {
    for (std::size_t i = 0; i < rects.size(); ++i) {
        ASSERT_FALSE(rects[i].IsEmpty());
        if (i == 0) continue;
        const RECT& p = rects[i - 1];
        const RECT& r = rects[i];
        if (r.Top == p.Top) {
            ASSERT_EQ(r.Bottom, p.Bottom);
            ASSERT_GT(r.Left, p.Right) << "touching or overlapping rectangles in a band";
        } else {
            ASSERT_GE(r.Top, p.Bottom) << "overlapping bands";
        }
    }
    // Collect bands and check that touching ones differ.
    std::vector<std::vector<std::pair<int, int>>> spans;
    std::vector<std::pair<int, int>> ys;
    for (const RECT& r : rects) {
        if (ys.empty() || ys.back().first != r.Top) {
            ys.push_back({r.Top, r.Bottom});
            spans.emplace_back();
        }
        spans.back().push_back({r.Left, r.Right});
    }
    for (std::size_t i = 1; i < ys.size(); ++i) {
        if (ys[i].first == ys[i - 1].second) {
            EXPECT_NE(spans[i], spans[i - 1]) << "unmerged bands at " << ys[i].first;
        }
    }
}

} // namespace

TEST(RegionCombine, RandomCombinationsMatchAPixelModelAndStayBanded) {
    Numbers next{12345u};
    constexpr int N = 32;
    for (int round = 0; round < 200; ++round) {
        bool a[N][N] = {}, b[N][N] = {};
        HRGN ra = CreateRectRgn(0, 0, 0, 0), rb = CreateRectRgn(0, 0, 0, 0), tmp = CreateRectRgn(0, 0, 0, 0);
        for (auto [grid, rgn] : {std::pair{&a, ra}, std::pair{&b, rb}}) {
            for (int k = 0; k < 1 + next(6); ++k) {
                const int x = next(N - 1), y = next(N - 1);
                const int w = 1 + next(N - x), h = 1 + next(N - y);
                SetRectRgn(tmp, x, y, x + w, y + h);
                CombineRgn(rgn, rgn, tmp, RGN_OR);
                for (int yy = y; yy < y + h; ++yy)
                    for (int xx = x; xx < x + w; ++xx)
                        (*grid)[yy][xx] = true;
            }
        }
        for (int mode : {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF}) {
            const int kind = CombineRgn(tmp, ra, rb, mode);
            const std::vector<RECT> rects = Rects(tmp);
            ExpectBanded(rects);
            EXPECT_EQ(kind, rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION);
            for (int y = 0; y < N; ++y)
                for (int x = 0; x < N; ++x) {
                    const bool want = mode == RGN_AND   ? a[y][x] && b[y][x]
                                      : mode == RGN_OR  ? a[y][x] || b[y][x]
                                      : mode == RGN_XOR ? a[y][x] != b[y][x]
                                                        : a[y][x] && !b[y][x];
                    ASSERT_EQ(PtInRegion(tmp, x, y) != FALSE, want)
                        << "round " << round << " mode " << mode << " at " << x << "," << y;
                }
        }
        DeleteObject(ra);
        DeleteObject(rb);
        DeleteObject(tmp);
    }
}

TEST(RegionCombine, CuttingToOneRectangleGivesTheListOfTheGeneralSweep) {
    // A region cut to one rectangle must come out band for band as from the general combination; the
    // second operand here holds, besides the rectangle, a pixel far from everything, which changes no
    // pixel of the result but takes the general way.
    Numbers next{777u};
    Regions keep;
    HRGN a = keep(CreateRectRgn(0, 0, 0, 0)), tmp = keep(CreateRectRgn(0, 0, 0, 0));
    HRGN cut = keep(CreateRectRgn(0, 0, 0, 0)), swept = keep(CreateRectRgn(0, 0, 0, 0));
    HRGN rect = keep(CreateRectRgn(0, 0, 0, 0)), wide = keep(CreateRectRgn(0, 0, 0, 0));
    HRGN far = keep(CreateRectRgn(1000, 1000, 1001, 1001));
    for (int round = 0; round < 300; ++round) {
        SetRectRgn(a, 0, 0, 0, 0);
        for (int k = 0; k < 1 + next(8); ++k) {
            const int x = next(40), y = next(40);
            SetRectRgn(tmp, x, y, x + 1 + next(20), y + 1 + next(20));
            CombineRgn(a, a, tmp, next(3) == 0 ? RGN_DIFF : RGN_OR);
        }
        const int x = next(50) - 5, y = next(50) - 5;
        SetRectRgn(rect, x, y, x + next(30), y + next(30));
        CombineRgn(wide, rect, far, RGN_OR);
        // Either way round: the one rectangle first or second.
        CombineRgn(cut, a, rect, RGN_AND);
        CombineRgn(swept, a, wide, RGN_AND);
        ASSERT_EQ(Rects(cut), Rects(swept)) << "round " << round;
        CombineRgn(cut, rect, a, RGN_AND);
        CombineRgn(swept, wide, a, RGN_AND);
        ASSERT_EQ(Rects(cut), Rects(swept)) << "round " << round;
        ExpectBanded(Rects(cut));
    }
}

TEST(RegionCombine, ExtCreateRegionIsTheUnionOfRectanglesInAnyOrder) {
    Numbers next{99u};
    Regions keep;
    HRGN expected = keep(CreateRectRgn(0, 0, 0, 0)), one = keep(CreateRectRgn(0, 0, 0, 0));
    for (int round = 0; round < 100; ++round) {
        // Rectangles overlapping, touching, empty or given either way round, in no order.
        std::vector<RECT> rects;
        SetRectRgn(expected, 0, 0, 0, 0);
        for (int k = 0; k < 1 + next(12); ++k) {
            const int x = next(30), y = next(30);
            RECT r{x, y, x + next(12), y + next(12)};
            if (next(4) == 0) std::swap(r.Left, r.Right);
            rects.push_back(r);
            SetRectRgn(one, std::min(r.Left, r.Right), r.Top, std::max(r.Left, r.Right), r.Bottom);
            CombineRgn(expected, expected, one, RGN_OR);
        }
        std::vector<char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
        RGNDATAHEADER h{sizeof(RGNDATAHEADER),
                        RDH_RECTANGLES,
                        static_cast<DWORD>(rects.size()),
                        static_cast<DWORD>(rects.size() * sizeof(RECT)),
                        {}};
        std::memcpy(data.data(), &h, sizeof h);
        std::memcpy(data.data() + sizeof h, rects.data(), rects.size() * sizeof(RECT));
        HRGN made = keep(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                         reinterpret_cast<const RGNDATA*>(data.data())));
        ASSERT_NE(made, nullptr);
        ASSERT_EQ(Rects(made), Rects(expected)) << "round " << round;
        // Data shorter than its count of rectangles is refused.
        EXPECT_EQ(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size() - 1),
                                  reinterpret_cast<const RGNDATA*>(data.data())),
                  nullptr);
    }
}

TEST(RegionCombine, ExtCreateRegionRefusesAHeaderThatClaimsMoreThanTheDataHolds) {
    // One rectangle's worth of data whose header says its rectangles start past the end: nothing is read
    // beyond the data given.
    std::vector<char> data(sizeof(RGNDATAHEADER) + sizeof(RECT));
    RGNDATAHEADER h{static_cast<DWORD>(data.size() + 64), RDH_RECTANGLES, 1, sizeof(RECT), {}};
    std::memcpy(data.data(), &h, sizeof h);
    EXPECT_EQ(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                              reinterpret_cast<const RGNDATA*>(data.data())),
              nullptr);
}
