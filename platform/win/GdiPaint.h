#pragma once
// The pixel painter behind GDI's drawing calls: spans in logical coordinates, clipped to the DC, written
// with a pen colour or a brush and the mix mode, without anti-aliasing.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/win/GdiInternal.h"

namespace win::detail {

// Raster operations on 0x00RRGGBB values; the result is opaque.
std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dst);
std::uint32_t ApplyRop3(DWORD rop, std::uint32_t pat, std::uint32_t src, std::uint32_t dst);

class Painter {
public:
    explicit Painter(DeviceContext* dc);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    // False when the DC has nothing to draw into.
    bool Ok() const { return ok_; }
    DeviceContext* DC() const { return dc_; }
    const PixelView& View() const { return view_; }

    void UseColor(COLORREF color, int rop2);
    // A null brush (or a null handle) draws nothing.
    void UseBrush(const GdiBrush* brush, int rop2);
    // Ternary raster operation with the DC's brush as pattern and the destination (PatBlt).
    void UsePatternRop(const GdiBrush* brush, DWORD rop3);
    bool Visible() const { return !skip_; }

    void Pixel(int x, int y) { Span(y, x, x + 1); }
    void Span(int y, int x0, int x1);
    void Rect(const RECT& r);
    void Rows(const ShapeRows& shape);

    // The brush (pattern) colour at a surface pixel as 0x00RRGGBB; transparent for the gaps of a hatch
    // in TRANSPARENT background mode.
    std::uint32_t PatternAt(int sx, int sy, bool& transparent) const;

    // The part of the surface that the clip reaches (its bounding box) in logical coordinates: nothing
    // outside it needs to be walked or rasterised. Where it lies beyond the int range it stops at its end.
    RECT LogicalBounds() const {
        return {vcl::ClampToInt(box_.Left - offX_), vcl::ClampToInt(box_.Top - offY_),
                vcl::ClampToInt(box_.Right - offX_), vcl::ClampToInt(box_.Bottom - offY_)};
    }
    // Whether any pixel of r (logical) may be drawn.
    bool Meets(const RECT& r) const;
    // Narrows [y0, y1) to the rows of the surface that the clip reaches (logical rows).
    void VisibleRows(int& y0, int& y1) const {
        const RECT b = LogicalBounds();
        y0 = std::max(y0, b.Top);
        y1 = std::min(y1, b.Bottom);
    }

    // Surface coordinates of a logical point (one that may be drawn: it lies on the surface).
    int SX(int x) const { return static_cast<int>(x + offX_); }
    int SY(int y) const { return static_cast<int>(y + offY_); }
    // Calls f(sx0, sx1) for the visible parts of the surface row sy between sx0 and sx1.
    template <class F> void ForClipped(int sy, int sx0, int sx1, F&& f) const {
        const std::vector<RECT>& clip = *clip_;
        for (std::size_t i = FirstClipBelow(sy); i < clip.size() && clip[i].Top <= sy; ++i) {
            const int a = std::max(sx0, clip[i].Left), b = std::min(sx1, clip[i].Right);
            if (a < b) f(a, b);
            if (clip[i].Left >= sx1) break;
        }
    }

    // Calls f(pixel, x, y) for each visible pixel of the logical row y in [x0, x1); x and y logical.
    template <class F> void Each(int y, int x0, int x1, F&& f) {
        if (!ok_ || x1 <= x0) return;
        const long long sy = static_cast<long long>(y) + offY_;
        if (sy < 0 || sy >= view_.Height) return;
        std::uint32_t* row = view_.Row(static_cast<int>(sy));
        const int a0 =
            static_cast<int>(std::clamp<long long>(static_cast<long long>(x0) + offX_, 0, view_.Width));
        const int b0 =
            static_cast<int>(std::clamp<long long>(static_cast<long long>(x1) + offX_, 0, view_.Width));
        ForClipped(static_cast<int>(sy), a0, b0, [&](int a, int b) {
            for (int sx = a; sx < b; ++sx)
                f(row[sx], static_cast<int>(sx - offX_), y);
        });
    }

    // Calls f(pixels, n, x) for each visible run of the logical row y in [x0, x1): pixels points at the
    // run's first pixel, x is its logical x.
    template <class F> void EachRun(int y, int x0, int x1, F&& f) {
        if (!ok_ || x1 <= x0) return;
        const long long sy = static_cast<long long>(y) + offY_;
        if (sy < 0 || sy >= view_.Height) return;
        std::uint32_t* row = view_.Row(static_cast<int>(sy));
        const int a0 =
            static_cast<int>(std::clamp<long long>(static_cast<long long>(x0) + offX_, 0, view_.Width));
        const int b0 =
            static_cast<int>(std::clamp<long long>(static_cast<long long>(x1) + offX_, 0, view_.Width));
        ForClipped(static_cast<int>(sy), a0, b0,
                   [&](int a, int b) { f(row + a, b - a, static_cast<int>(a - offX_)); });
    }

private:
    // The first clipping rectangle whose bottom lies below the surface row sy (the clip is banded).
    std::size_t FirstClipBelow(int sy) const {
        const std::vector<RECT>& clip = *clip_;
        std::size_t lo = 0, hi = clip.size();
        while (lo < hi) {
            const std::size_t mid = (lo + hi) / 2;
            if (clip[mid].Bottom <= sy)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }
    void SurfaceSpan(int sy, int sx0, int sx1);
    // Paints the pixels [a, b) of the surface row sy (row points at its first pixel), already clipped.
    void Run(std::uint32_t* row, int sy, int a, int b);

    DeviceContext* dc_;
    PixelView view_;
    const std::vector<RECT>* clip_ = nullptr;
    RECT box_{}; // the clip's bounding box (surface coordinates)
    bool ok_ = false;
    bool skip_ = false;
    std::int64_t offX_ = 0, offY_ = 0; // surface = logical + off (DeviceContext::SurfaceOffset)
    enum class Mode { Color, Brush, PatRop } mode_ = Mode::Color;
    std::uint32_t color_ = 0; // 0x00RRGGBB (mono-mapped on monochrome targets)
    int rop2_ = R2_COPYPEN;
    DWORD rop3_ = 0;
    const GdiBrush* brush_ = nullptr;
};

} // namespace win::detail
