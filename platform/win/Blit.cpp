// Block transfers: BitBlt, StretchBlt, PatBlt, DIB transfers, AlphaBlend and TransparentBlt.

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#include "platform/win/GdiDraw.h"
#include "platform/win/GdiPaint.h"

namespace win {

namespace {

using detail::Painter;

bool RopUsesSource(DWORD rop) {
    return (((rop >> 2) ^ rop) & 0x00330000) != 0;
}
bool RopUsesPattern(DWORD rop) {
    return (((rop >> 4) ^ rop) & 0x000F0000) != 0;
}

// Source pixels: the part of the rectangle [X, X + W) x [Y, Y + H) of the source's logical space that
// lies on the source surface, either copied (when source and destination share a surface, so that an
// overlapping transfer reads the pixels as they were) or read in place.
struct Source {
    int X = 0, Y = 0, W = 0, H = 0;
    bool Monochrome = false;
    COLORREF BkColor = 0xFFFFFF; // the source DC's background colour (colour to monochrome)

    bool At(int x, int y, std::uint32_t& p) const {
        if (x < X || y < Y || x >= X + W || y >= Y + H) return false;
        p = Row(y)[x - X];
        return true;
    }
    // The pixels of logical row y from X on.
    const std::uint32_t* Row(long long y) const { return origin_ + (y - Y) * stride_; }

    // Points at the view's pixels from (sx, sy) on, or copies them when copy is set.
    void Take(const PixelView& v, int sx, int sy, bool copy) {
        if (W <= 0 || H <= 0) return;
        if (!copy) {
            origin_ = v.Row(sy) + sx;
            stride_ = v.Stride / 4;
            return;
        }
        // Every pixel is written below: no zeroing first.
        pixels_.reset(new std::uint32_t[static_cast<std::size_t>(W) * static_cast<std::size_t>(H)]);
        for (int row = 0; row < H; ++row)
            std::memcpy(pixels_.get() + static_cast<std::size_t>(row) * static_cast<std::size_t>(W),
                        v.Row(sy + row) + sx, static_cast<std::size_t>(W) * 4);
        origin_ = pixels_.get();
        stride_ = W;
    }

private:
    std::unique_ptr<std::uint32_t[]> pixels_;
    const std::uint32_t* origin_ = nullptr;
    std::ptrdiff_t stride_ = 0;
};

// Takes the rectangle (logical x, y, w, h; the view's row 0 at logical -offY) into s, clipped to the
// view. Returns whether the whole rectangle lay on the view.
bool Fill(Source& s, const PixelView& v, int x, int y, int w, int h, std::int64_t offX, std::int64_t offY,
          bool copy = true) {
    const long long l = std::max<long long>(x, -offX), t = std::max<long long>(y, -offY);
    const long long r =
        std::min<long long>(static_cast<long long>(x) + w, static_cast<long long>(v.Width) - offX);
    const long long b =
        std::min<long long>(static_cast<long long>(y) + h, static_cast<long long>(v.Height) - offY);
    if (r <= l || b <= t) {
        // Nothing of it lies on the view (which may be far beyond the int range from it).
        s.X = x;
        s.Y = y;
        s.W = s.H = 0;
        return w <= 0 || h <= 0;
    }
    s.X = static_cast<int>(l);
    s.Y = static_cast<int>(t);
    s.W = static_cast<int>(r - l);
    s.H = static_cast<int>(b - t);
    s.Take(v, static_cast<int>(s.X + offX), static_cast<int>(s.Y + offY), copy);
    return s.X == x && s.Y == y && s.W == w && s.H == h;
}

// The source rectangle of dc; it is copied only when dst draws on the same surface.
bool SnapshotDC(DeviceContext* dc, int x, int y, int w, int h, Source& s, bool* whole = nullptr,
                const DeviceContext* dst = nullptr) {
    PixelView v;
    if (!dc->View(v)) return false;
    s.Monochrome = v.Monochrome;
    s.BkColor = dc->State.BkColor;
    const DeviceContext::Offset64 o = dc->SurfaceOffset();
    const bool copy = dst == nullptr || dst->TargetSurface() == dc->TargetSurface();
    const bool all = Fill(s, v, x, y, w, h, o.X, o.Y, copy);
    if (whole != nullptr) *whole = all;
    return true;
}

// Rows of a 32 or 24-bit DIB as a pixel view (24-bit rows are converted into store).
bool DibView(const void* bits, const BITMAPINFO* bmi, std::vector<std::uint32_t>& store, PixelView& v) {
    if (bits == nullptr || bmi == nullptr) return false;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    if ((h.biBitCount != 32 && h.biBitCount != 24) ||
        (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS))
        return false;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == std::numeric_limits<LONG>::min()) return false;
    const int w = h.biWidth, ht = std::abs(h.biHeight);
    const bool bottomUp = h.biHeight > 0;
    store.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(ht));
    const auto* src = static_cast<const std::uint8_t*>(bits);
    const std::size_t stride = h.biBitCount == 32 ? static_cast<std::size_t>(w) * 4
                                                  : ((static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3});
    for (int y = 0; y < ht; ++y) {
        const std::uint8_t* row = src + stride * static_cast<std::size_t>(bottomUp ? ht - 1 - y : y);
        std::uint32_t* out = &store[static_cast<std::size_t>(y) * w];
        if (h.biBitCount == 32)
            std::memcpy(out, row, static_cast<std::size_t>(w) * 4);
        else
            for (int x = 0; x < w; ++x)
                out[x] = 0xFF000000u | (std::uint32_t(row[3 * x + 2]) << 16) |
                         (std::uint32_t(row[3 * x + 1]) << 8) | row[3 * x];
    }
    v.Origin = reinterpret_cast<std::uint8_t*>(store.data());
    v.Width = w;
    v.Height = ht;
    v.Stride = static_cast<std::ptrdiff_t>(w) * 4;
    v.Monochrome = false;
    return true;
}

// The source pixel as seen by the destination: monochrome sources take the destination's text colour
// (black bits) and background colour (white bits); colour sources going to a monochrome destination
// become white where they match the source's background colour.
std::uint32_t Convert(std::uint32_t p, const Source& s, const DeviceContext* dst, bool dstMono) {
    if (s.Monochrome && !dstMono)
        return detail::PixelOf((p & 0xFFFFFF) ? dst->State.BkColor : dst->State.TextColor) & 0xFFFFFF;
    if (!s.Monochrome && dstMono) return (detail::ColorOf(p) == s.BkColor) ? 0xFFFFFF : 0;
    return p & 0xFFFFFF;
}

// The first pixel of an extent of n from x: a negative extent runs leftwards (or upwards) from x itself,
// so (x, -n) covers [x - n + 1, x + 1).
int Low(int x, int n) {
    return n >= 0
               ? x
               : static_cast<int>(std::clamp<long long>(static_cast<long long>(x) + n + 1, INT_MIN, INT_MAX));
}

// Maps destination pixel d (0 .. dn-1) to a source offset for a stretch of sn over dn (either may be
// negative for a mirror).
int MapCoord(int d, int dn, int sn) {
    const long long adn = std::abs(dn), asn = std::abs(sn);
    long long s = ((2LL * d + 1) * asn) / (2 * adn);
    if ((dn < 0) != (sn < 0)) s = asn - 1 - s;
    return static_cast<int>(s);
}

// The source offsets [first, second) that destination pixel d (0 .. dn-1) covers when sn source pixels
// shrink into dn (|sn| > dn > 0); a negative sn mirrors.
std::pair<int, int> ShrinkRange(int d, int dn, int sn) {
    const long long adn = dn, asn = std::abs(static_cast<long long>(sn));
    long long lo = d * asn / adn, hi = (d + 1) * asn / adn;
    if (sn < 0) {
        const long long mirroredLo = asn - hi;
        hi = asn - lo;
        lo = mirroredLo;
    }
    return {static_cast<int>(lo), static_cast<int>(hi)};
}

// The pixels that a shrink drops, merged as the destination's stretch mode says: BLACKONWHITE (a new
// DC's mode) ANDs their colour values, so that black on white keeps its thin dark strokes; WHITEONBLACK
// ORs them, keeping white on black; HALFTONE averages them. (COLORONCOLOR keeps one of them and never
// comes here.)
class Merge {
public:
    explicit Merge(int mode) : mode_(mode) {}
    void Add(std::uint32_t p) {
        if (count_ == 0) {
            and_ = or_ = p;
        } else {
            and_ &= p;
            or_ |= p;
        }
        r_ += (p >> 16) & 0xFF;
        g_ += (p >> 8) & 0xFF;
        b_ += p & 0xFF;
        ++count_;
    }
    bool Empty() const { return count_ == 0; }
    std::uint32_t Result() const {
        if (mode_ == WHITEONBLACK) return or_;
        if (mode_ != HALFTONE) return and_;
        const auto avg = [this](unsigned long long sum) {
            return static_cast<std::uint32_t>((sum + count_ / 2) / count_);
        };
        return (avg(r_) << 16) | (avg(g_) << 8) | avg(b_);
    }

private:
    int mode_;
    std::uint32_t and_ = 0, or_ = 0;
    unsigned long long r_ = 0, g_ = 0, b_ = 0, count_ = 0;
};

BOOL Transfer(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, const Source* src, int xSrc, int ySrc,
              int wSrc, int hSrc, DWORD rop) {
    DeviceContext* dc = detail::AsDC(hdcDest);
    if (dc == nullptr) return FALSE;
    if (wDest == 0 || hDest == 0) return TRUE;
    Painter p(dc);
    if (!p.Ok()) return TRUE;
    const bool dstMono = p.View().Monochrome;
    const bool usesPattern = RopUsesPattern(rop);
    if (usesPattern) p.UsePatternRop(dc->State.Brush, rop);
    const int x0 = Low(xDest, wDest), y0 = Low(yDest, hDest);
    const int aw = std::abs(wDest), ah = std::abs(hDest);
    // A negative destination extent mirrors the image, as does a negative source extent.
    const int sw = src ? ((wDest < 0) != (wSrc < 0) ? -std::abs(wSrc) : std::abs(wSrc)) : 1;
    const int sh = src ? ((hDest < 0) != (hSrc < 0) ? -std::abs(hSrc) : std::abs(hSrc)) : 1;
    const int sx0 = Low(xSrc, wSrc), sy0 = Low(ySrc, hSrc);
    int rowFrom = y0, rowTo = y0 + ah;
    p.VisibleRows(rowFrom, rowTo);
    // An unstretched, unmirrored transfer between colour surfaces without a pattern (the back-buffer
    // copies of painting) goes run by run, without mapping coordinates pixel by pixel.
    if (src != nullptr && !usesPattern && !src->Monochrome && !dstMono && sw == aw && sh == ah) {
        const bool copy = ((rop >> 16) & 0xFF) == 0xCC;
        for (int dy = rowFrom - y0; dy < rowTo - y0; ++dy) {
            const long long srcY = static_cast<long long>(sy0) + dy;
            if (srcY < src->Y || srcY >= static_cast<long long>(src->Y) + src->H) continue;
            const std::uint32_t* srcRow = src->Row(srcY);
            p.EachRun(y0 + dy, x0, x0 + aw, [&](std::uint32_t* d, int n, int x) {
                // The part of the run whose source lies on the source surface.
                long long from = static_cast<long long>(sx0) + (x - x0);
                long long to = from + n;
                const long long lo = std::max<long long>(from, src->X);
                const long long hi = std::min<long long>(to, static_cast<long long>(src->X) + src->W);
                if (lo >= hi) return;
                d += lo - from;
                const std::uint32_t* s = srcRow + (lo - src->X);
                const long long count = hi - lo;
                if (copy) {
                    for (long long i = 0; i < count; ++i)
                        d[i] = s[i] | 0xFF000000u;
                } else {
                    for (long long i = 0; i < count; ++i)
                        d[i] = detail::ApplyRop3(rop, 0, s[i] & 0xFFFFFFu, d[i] & 0xFFFFFFu);
                }
            });
        }
        return TRUE;
    }
    // Shrinking merges the source pixels of each destination pixel unless the mode drops all but one.
    const bool merge =
        src != nullptr && dc->State.StretchMode != COLORONCOLOR &&
        (std::abs(static_cast<long long>(sw)) > aw || std::abs(static_cast<long long>(sh)) > ah);
    auto range = [](int d, int dn, int sn) {
        if (std::abs(static_cast<long long>(sn)) > dn) return ShrinkRange(d, dn, sn);
        const int s = MapCoord(d, dn, sn);
        return std::pair<int, int>{s, s + 1};
    };
    for (int dy = rowFrom - y0; dy < rowTo - y0; ++dy) {
        const int srcY = src ? sy0 + MapCoord(dy, ah, sh) : 0;
        const auto rows = merge ? range(dy, ah, sh) : std::pair<int, int>{};
        p.Each(y0 + dy, x0, x0 + aw, [&](std::uint32_t& pixel, int x, int y) {
            std::uint32_t s = 0;
            if (merge) {
                const auto columns = range(x - x0, aw, sw);
                Merge m(dc->State.StretchMode);
                for (int yy = rows.first; yy < rows.second; ++yy)
                    for (int xx = columns.first; xx < columns.second; ++xx)
                        if (src->At(sx0 + xx, sy0 + yy, s)) m.Add(Convert(s, *src, dc, dstMono));
                if (m.Empty()) return;
                s = m.Result();
            } else if (src != nullptr) {
                const int srcX = sx0 + MapCoord(x - x0, aw, sw);
                if (!src->At(srcX, srcY, s)) return;
                s = Convert(s, *src, dc, dstMono);
            }
            bool transparent = false;
            const std::uint32_t pat = usesPattern ? p.PatternAt(p.SX(x), p.SY(y), transparent) : 0;
            std::uint32_t out = detail::ApplyRop3(rop, pat, s, pixel & 0xFFFFFF);
            if (dstMono) out = (out & 0xFFFFFF) ? 0xFFFFFFFFu : 0xFF000000u;
            pixel = out;
        });
    }
    return TRUE;
}

BOOL StretchFromDC(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                   int wSrc, int hSrc, DWORD rop) {
    rop &= 0x00FFFFFF;
    if (detail::AsDC(hdcDest) == nullptr) return FALSE;
    if (!RopUsesSource(rop)) return Transfer(hdcDest, xDest, yDest, wDest, hDest, nullptr, 0, 0, 0, 0, rop);
    DeviceContext* s = detail::AsDC(hdcSrc);
    if (s == nullptr || wSrc == 0 || hSrc == 0) return FALSE;
    Source src;
    if (!SnapshotDC(s, Low(xSrc, wSrc), Low(ySrc, hSrc), std::abs(wSrc), std::abs(hSrc), src, nullptr,
                    detail::AsDC(hdcDest)))
        return FALSE;
    return Transfer(hdcDest, xDest, yDest, wDest, hDest, &src, xSrc, ySrc, wSrc, hSrc, rop);
}

} // namespace

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    return StretchFromDC(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                int wSrc, int hSrc, DWORD rop) {
    return StretchFromDC(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    rop &= 0x00FFFFFF;
    if (RopUsesSource(rop)) return FALSE;
    // A pattern fill has nothing to mirror: a negative extent is the rectangle between x + w and x.
    const auto from = [](int v, int n) {
        return n >= 0 ? v : static_cast<int>(std::max<long long>(INT_MIN, static_cast<long long>(v) + n));
    };
    const auto size = [](int n) { return n == INT_MIN ? INT_MAX : std::abs(n); };
    return Transfer(hdc, from(x, w), from(y, h), size(w), size(h), nullptr, 0, 0, 0, 0, rop);
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                  int SrcWidth, int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage,
                  DWORD rop) {
    if (detail::AsDC(hdc) == nullptr || iUsage != DIB_RGB_COLORS) return 0;
    std::vector<std::uint32_t> store;
    PixelView v;
    if (!DibView(lpBits, lpbmi, store, v)) return 0;
    // Source coordinates of a DIB count from its bottom-left for bottom-up DIBs.
    const bool bottomUp = lpbmi->bmiHeader.biHeight > 0;
    const int top = bottomUp ? v.Height - (ySrc + SrcHeight) : ySrc;
    if (SrcWidth == 0 || SrcHeight == 0) return 0;
    Source src;
    Fill(src, v, Low(xSrc, SrcWidth), Low(top, SrcHeight), std::abs(SrcWidth), std::abs(SrcHeight), 0, 0,
         false);
    if (!Transfer(hdc, xDest, yDest, DestWidth, DestHeight, &src, xSrc, top, SrcWidth, SrcHeight,
                  rop & 0xFFFFFF))
        return 0;
    return std::abs(SrcHeight);
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                      UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse) {
    if (lpbmi == nullptr || StartScan != 0 || cLines < static_cast<UINT>(std::abs(lpbmi->bmiHeader.biHeight)))
        return 0; // banded transfers are not supported
    if (w > 0x7FFFFFFF || h > 0x7FFFFFFF) return 0;
    const int lines =
        StretchDIBits(hdc, xDest, yDest, static_cast<int>(w), static_cast<int>(h), xSrc, ySrc,
                      static_cast<int>(w), static_cast<int>(h), lpvBits, lpbmi, ColorUse, SRCCOPY);
    return lines;
}

BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, BLENDFUNCTION ftn) {
    DeviceContext* dc = detail::AsDC(hdcDest);
    DeviceContext* sdc = detail::AsDC(hdcSrc);
    if (dc == nullptr || sdc == nullptr || wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0) return FALSE;
    if (ftn.BlendOp != AC_SRC_OVER) return FALSE;
    if (wDest == 0 || hDest == 0 || wSrc == 0 || hSrc == 0) return TRUE;
    Source src;
    bool whole = false;
    // The source rectangle must lie inside the source surface.
    if (!SnapshotDC(sdc, xoriginSrc, yoriginSrc, wSrc, hSrc, src, &whole) || !whole) return FALSE;
    Painter p(dc);
    if (!p.Ok()) return TRUE;
    const unsigned sca = ftn.SourceConstantAlpha;
    const bool perPixel = (ftn.AlphaFormat & AC_SRC_ALPHA) != 0;
    auto mul = [](unsigned a, unsigned b) { return (a * b + 127) / 255; };
    int rowFrom = yoriginDest, rowTo = yoriginDest + hDest;
    p.VisibleRows(rowFrom, rowTo);
    // Images drawn at their own size (the usual case) map source pixels without dividing.
    const bool sameWidth = wDest == wSrc, sameHeight = hDest == hSrc;
    for (int dy = rowFrom - yoriginDest; dy < rowTo - yoriginDest; ++dy) {
        const int sy = yoriginSrc + (sameHeight ? dy : MapCoord(dy, hDest, hSrc));
        p.Each(yoriginDest + dy, xoriginDest, xoriginDest + wDest, [&](std::uint32_t& pixel, int x, int) {
            std::uint32_t s = 0;
            const int dx = x - xoriginDest;
            if (!src.At(xoriginSrc + (sameWidth ? dx : MapCoord(dx, wDest, wSrc)), sy, s)) return;
            if (s == 0 && perPixel) return; // a fully transparent premultiplied pixel leaves the destination
            const unsigned sa = perPixel ? mul(s >> 24, sca) : sca;
            const unsigned inv = 255 - sa;
            std::uint32_t out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const unsigned sc = (shift == 24 && !perPixel) ? 255 : (s >> shift) & 0xFF;
                const unsigned dcv = (pixel >> shift) & 0xFF;
                const unsigned v = std::min(255u, mul(sc, sca) + mul(dcv, inv));
                out |= v << shift;
            }
            pixel = out;
        });
    }
    return TRUE;
}

BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                    int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, UINT crTransparent) {
    DeviceContext* dc = detail::AsDC(hdcDest);
    DeviceContext* sdc = detail::AsDC(hdcSrc);
    if (dc == nullptr || sdc == nullptr || wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0) return FALSE;
    Source src;
    if (!SnapshotDC(sdc, xoriginSrc, yoriginSrc, wSrc, hSrc, src)) return FALSE;
    Painter p(dc);
    if (!p.Ok()) return TRUE;
    const bool dstMono = p.View().Monochrome;
    const COLORREF key = crTransparent & 0xFFFFFF;
    int rowFrom = yoriginDest, rowTo = yoriginDest + hDest;
    p.VisibleRows(rowFrom, rowTo);
    for (int dy = rowFrom - yoriginDest; dy < rowTo - yoriginDest; ++dy) {
        const int sy = yoriginSrc + MapCoord(dy, hDest, hSrc);
        p.Each(yoriginDest + dy, xoriginDest, xoriginDest + wDest, [&](std::uint32_t& pixel, int x, int) {
            std::uint32_t s = 0;
            if (!src.At(xoriginSrc + MapCoord(x - xoriginDest, wDest, wSrc), sy, s)) return;
            if (detail::ColorOf(s) == key) return;
            pixel = 0xFF000000u | Convert(s, src, dc, dstMono);
        });
    }
    return TRUE;
}

// ---- DIB bits of a bitmap ----

namespace {

GdiBitmap* AsBitmap(HBITMAP h) {
    return detail::IsLiveGdiObject(h) && h->ObjectType == OBJ_BITMAP ? h : nullptr;
}

std::uint32_t* BitmapRow(GdiBitmap* bm, int y) {
    const int row = bm->BottomUp ? bm->Height - 1 - y : y;
    return reinterpret_cast<std::uint32_t*>(bm->Bits) + static_cast<std::size_t>(row) * bm->Width;
}

} // namespace

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, void* lpvBits, BITMAPINFO* lpbmi, UINT usage) {
    GdiBitmap* bm = AsBitmap(hbm);
    if (detail::AsDC(hdc) == nullptr || bm == nullptr || lpbmi == nullptr || usage != DIB_RGB_COLORS)
        return 0;
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    if (lpvBits == nullptr) {
        if (h.biBitCount == 0) {
            h.biWidth = bm->Width;
            h.biHeight = bm->BottomUp || !bm->Dib ? bm->Height : -bm->Height;
            h.biPlanes = 1;
            h.biBitCount = static_cast<WORD>(bm->Monochrome ? 1 : 32);
            h.biCompression = BI_RGB;
            h.biSizeImage = static_cast<DWORD>(bm->Width * bm->Height * 4);
        }
        return bm->Height;
    }
    if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth != bm->Width ||
        std::abs(h.biHeight) != bm->Height)
        return 0;
    if (start >= static_cast<UINT>(bm->Height)) return 0;
    const int lines = static_cast<int>(std::min<UINT>(cLines, static_cast<UINT>(bm->Height) - start));
    cairo_surface_flush(bm->Surface);
    auto* out = static_cast<std::uint32_t*>(lpvBits);
    for (int i = 0; i < lines; ++i) {
        // Scan line n counts from the bottom for a bottom-up request, from the top otherwise.
        const int scan = static_cast<int>(start) + i;
        const int y = h.biHeight > 0 ? bm->Height - 1 - scan : scan;
        std::memcpy(out + static_cast<std::size_t>(i) * bm->Width, BitmapRow(bm, y),
                    static_cast<std::size_t>(bm->Width) * 4);
    }
    return lines;
}

int SetDIBits(HDC, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT ColorUse) {
    GdiBitmap* bm = AsBitmap(hbm);
    if (bm == nullptr || lpBits == nullptr || lpbmi == nullptr || ColorUse != DIB_RGB_COLORS) return 0;
    const BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth != bm->Width ||
        std::abs(h.biHeight) != bm->Height)
        return 0;
    if (start >= static_cast<UINT>(bm->Height)) return 0;
    const int lines = static_cast<int>(std::min<UINT>(cLines, static_cast<UINT>(bm->Height) - start));
    cairo_surface_flush(bm->Surface);
    const auto* in = static_cast<const std::uint32_t*>(lpBits);
    for (int i = 0; i < lines; ++i) {
        const int scan = static_cast<int>(start) + i;
        const int y = h.biHeight > 0 ? bm->Height - 1 - scan : scan;
        std::uint32_t* row = BitmapRow(bm, y);
        const std::uint32_t* src = in + static_cast<std::size_t>(i) * bm->Width;
        for (int x = 0; x < bm->Width; ++x) {
            if (bm->Monochrome)
                row[x] = (src[x] & 0xFFFFFF) ? 0xFFFFFFFFu : 0xFF000000u;
            else
                row[x] = bm->Dib ? src[x] : (0xFF000000u | src[x]);
        }
    }
    cairo_surface_mark_dirty(bm->Surface);
    return lines;
}

} // namespace win
