// Which pixels a one-pixel line lights: in each column it crosses (each row for a steep line), the end
// point left out, the pixel nearest the line, a tie going to the smaller coordinate. The part that a surface
// or a clip holds is lit as in the whole line, however far off the line starts.

#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "tests/win/GdiTestSupport.h"

namespace gditest {
namespace {

using PixelSet = std::set<std::pair<long long, long long>>;

// The pixels of the line from a to b within the box, by the rule above.
PixelSet Nearest(POINT a, POINT b, RECT box) {
    const long long dx = static_cast<long long>(b.X) - a.X, dy = static_cast<long long>(b.Y) - a.Y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long along = xMajor ? dx : dy, across = xMajor ? dy : dx, major = std::llabs(along);
    PixelSet out;
    for (long long c = xMajor ? box.Left : box.Top; c < (xMajor ? box.Right : box.Bottom); ++c) {
        const long long i = (c - (xMajor ? a.X : a.Y)) * (along < 0 ? -1 : 1); // pixels from the start
        if (i < 0 || i >= major) continue;
        // The line lies q + rem / major from the start's row (column), 0 <= rem < major.
        long long q = i * across / major, rem = i * across % major;
        if (rem < 0) {
            --q;
            rem += major;
        }
        const long long m = (xMajor ? a.Y : a.X) + (2 * rem > major ? q + 1 : q);
        const long long x = xMajor ? c : m, y = xMajor ? m : c;
        if (x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom) out.insert({x, y});
    }
    return out;
}

TEST(GdiLineSteps, EachColumnOrRowALineCrossesLightsThePixelNearestItWhereverItStartsAndWhateverTheClip) {
    constexpr int W = 32, H = 24;
    std::mt19937 random(20261208);
    const auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int n = 0; n < 300; ++n) {
        // Short lines around the canvas, and lines from a thousand or a billion pixels off through a pixel
        // of it (the far end a few pixels off the mirror image of the start), in every direction.
        POINT a{any(-8, W + 8), any(-8, H + 8)}, b{any(-8, W + 8), any(-8, H + 8)};
        if (n % 3 != 0) {
            const int reach = n % 3 == 1 ? 1000 : 1000000000;
            a = {any(-reach, reach), any(-reach, reach)};
            b = {2 * any(0, W - 1) - a.X + any(-3, 3), 2 * any(0, H - 1) - a.Y + any(-3, 3)};
        }
        // Every other line through a clip rectangle within the canvas.
        RECT clip{0, 0, W, H};
        if (n % 2 == 1) {
            clip = {any(0, W / 2), any(0, H / 2), 0, 0};
            clip.Right = any(clip.Left + 1, W);
            clip.Bottom = any(clip.Top + 1, H);
        }
        // A solid pen, and a dotted one whose gaps are painted in the background colour.
        for (const int style : {PS_SOLID, PS_DOT}) {
            Canvas c(W, H);
            Selected pen(c.dc, CreatePen(style, 1, Red));
            SetBkMode(c.dc, OPAQUE);
            SetBkColor(c.dc, Blue);
            HRGN region = CreateRectRgn(clip.Left, clip.Top, clip.Right, clip.Bottom);
            SelectClipRgn(c.dc, region);
            DeleteObject(region);
            MoveToEx(c.dc, a.X, a.Y, nullptr);
            LineTo(c.dc, b.X, b.Y);
            PixelSet lit;
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    if (c.At(x, y) != White) lit.insert({x, y});
            EXPECT_EQ(lit, Nearest(a, b, clip))
                << a.X << "," << a.Y << " to " << b.X << "," << b.Y << " style " << style << ", clip "
                << clip.Left << "," << clip.Top << " " << clip.Right << "," << clip.Bottom;
        }
    }
}

} // namespace
} // namespace gditest
