#include "platform/win/Region.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace win {

namespace detail {

namespace {

// A band of a rectangle list: rectangles [Begin, End) share Top and Bottom.
struct BandRef {
    int Top;
    int Bottom;
    std::size_t Begin;
    std::size_t End;
};

std::vector<BandRef> BandsOf(const RectList& rects) {
    std::vector<BandRef> bands;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (bands.empty() || bands.back().Top != rects[i].Top || bands.back().Bottom != rects[i].Bottom)
            bands.push_back({rects[i].Top, rects[i].Bottom, i, i});
        bands.back().End = i + 1;
    }
    return bands;
}

bool Apply(int mode, bool a, bool b) {
    switch (mode) {
    case RGN_AND:
        return a && b;
    case RGN_OR:
        return a || b;
    case RGN_XOR:
        return a != b;
    case RGN_DIFF:
        return a && !b;
    default:
        return a;
    }
}

// Builds the output list band by band, merging a band into the one above when they touch and have the
// same spans.
class BandWriter {
public:
    explicit BandWriter(RectList& out) : out_(out) {}

    void Add(int top, int bottom, const std::vector<int>& xs) {
        if (xs.empty() || bottom <= top) return;
        const std::size_t n = xs.size() / 2;
        if (hasPrev_ && prevBottom_ == top && out_.size() - prevBegin_ == n) {
            bool same = true;
            for (std::size_t i = 0; i < n && same; ++i)
                same = out_[prevBegin_ + i].Left == xs[2 * i] && out_[prevBegin_ + i].Right == xs[2 * i + 1];
            if (same) {
                for (std::size_t i = prevBegin_; i < out_.size(); ++i)
                    out_[i].Bottom = bottom;
                prevBottom_ = bottom;
                return;
            }
        }
        prevBegin_ = out_.size();
        prevBottom_ = bottom;
        hasPrev_ = true;
        for (std::size_t i = 0; i < n; ++i)
            out_.push_back({xs[2 * i], top, xs[2 * i + 1], bottom});
    }

    // Appends whole bands [first, last] of an already banded list, none of which touch the next band.
    void AddBands(const RectList& src, const BandRef& first, const BandRef& last) {
        out_.insert(out_.end(), src.begin() + static_cast<std::ptrdiff_t>(first.Begin),
                    src.begin() + static_cast<std::ptrdiff_t>(last.End));
        prevBegin_ = out_.size() - (last.End - last.Begin);
        prevBottom_ = last.Bottom;
        hasPrev_ = true;
    }

private:
    RectList& out_;
    bool hasPrev_ = false;
    int prevBottom_ = 0;
    std::size_t prevBegin_ = 0;
};

void SpansOf(const RectList& rects, const BandRef* band, std::vector<int>& xs) {
    xs.clear();
    if (band == nullptr) return;
    for (std::size_t i = band->Begin; i < band->End; ++i) {
        xs.push_back(rects[i].Left);
        xs.push_back(rects[i].Right);
    }
}

// Combines two sorted, disjoint span lists by sweeping their edges.
void CombineSpans(const std::vector<int>& a, const std::vector<int>& b, int mode, std::vector<int>& out) {
    out.clear();
    std::size_t ia = 0, ib = 0;
    bool inA = false, inB = false, inOut = false;
    while (ia < a.size() || ib < b.size()) {
        const int x = std::min(ia < a.size() ? a[ia] : std::numeric_limits<int>::max(),
                               ib < b.size() ? b[ib] : std::numeric_limits<int>::max());
        while (ia < a.size() && a[ia] == x) {
            inA = !inA;
            ++ia;
        }
        while (ib < b.size() && b[ib] == x) {
            inB = !inB;
            ++ib;
        }
        const bool now = Apply(mode, inA, inB);
        if (now != inOut) {
            if (now && !out.empty() && out.back() == x)
                out.pop_back(); // touching spans join
            else
                out.push_back(x);
            inOut = now;
        }
    }
}

// The intersection of a banded list with one rectangle, as the general sweep below makes it, without its
// band lists: each band is cut to the rectangle's rows and columns.
RectList ClipToRect(const RectList& rects, const RECT& r) {
    RectList out;
    if (r.IsEmpty()) return out;
    out.reserve(rects.size());
    BandWriter writer(out);
    std::vector<int> xs;
    for (std::size_t i = 0; i < rects.size();) {
        const int top = rects[i].Top, bottom = rects[i].Bottom;
        if (top >= r.Bottom) break;
        xs.clear();
        std::size_t j = i;
        for (; j < rects.size() && rects[j].Top == top && rects[j].Bottom == bottom; ++j) {
            const int left = std::max(rects[j].Left, r.Left), right = std::min(rects[j].Right, r.Right);
            if (left >= right) continue;
            if (!xs.empty() && xs.back() == left)
                xs.back() = right; // touching spans join
            else
                xs.insert(xs.end(), {left, right});
        }
        writer.Add(std::max(top, r.Top), std::min(bottom, r.Bottom), xs);
        i = j;
    }
    return out;
}

} // namespace

RectList RectsUnion(std::vector<RECT> rects) {
    std::vector<int> ys;
    std::size_t n = 0;
    for (const RECT& r : rects) {
        const RECT c{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                     std::max(r.Top, r.Bottom)};
        if (c.IsEmpty()) continue;
        rects[n++] = c;
        ys.push_back(c.Top);
        ys.push_back(c.Bottom);
    }
    rects.resize(n);
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.Left < b.Left; });
    RectList out;
    BandWriter writer(out);
    std::vector<int> xs;
    // Each stretch between two consecutive edges: the spans of the rectangles across it, joined.
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const int top = ys[i], bottom = ys[i + 1];
        xs.clear();
        for (const RECT& r : rects) {
            if (r.Top > top || r.Bottom < bottom) continue;
            if (!xs.empty() && r.Left <= xs.back())
                xs.back() = std::max(xs.back(), r.Right);
            else
                xs.insert(xs.end(), {r.Left, r.Right});
        }
        writer.Add(top, bottom, xs);
    }
    return out;
}

RectList RectsFromRect(const RECT& r) {
    RECT n{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
           std::max(r.Top, r.Bottom)};
    if (n.IsEmpty()) return {};
    return {n};
}

RectList CombineRects(const RectList& a, const RectList& b, int mode) {
    if (mode == RGN_COPY) return a;
    if (b.empty()) return mode == RGN_AND ? RectList{} : a;
    if (a.empty()) return (mode == RGN_OR || mode == RGN_XOR) ? b : RectList{};
    // Cutting to one rectangle (clipping to a window or a control) is the common case.
    if (mode == RGN_AND && a.size() == 1) return ClipToRect(b, a.front());
    if (mode == RGN_AND && b.size() == 1) return ClipToRect(a, b.front());
    const std::vector<BandRef> ba = BandsOf(a);
    const std::vector<BandRef> bb = BandsOf(b);
    RectList out;
    out.reserve(a.size() + b.size());
    BandWriter writer(out);
    std::vector<int> sa, sb, xs;
    std::size_t ia = 0, ib = 0;
    // Walk the y edges of both lists in order.
    int y = std::min(ba.front().Top, bb.front().Top);
    while (ia < ba.size() || ib < bb.size()) {
        while (ia < ba.size() && ba[ia].Bottom <= y)
            ++ia;
        while (ib < bb.size() && bb[ib].Bottom <= y)
            ++ib;
        if (ia >= ba.size() && ib >= bb.size()) break;
        const BandRef* pa = (ia < ba.size() && ba[ia].Top <= y) ? &ba[ia] : nullptr;
        const BandRef* pb = (ib < bb.size() && bb[ib].Top <= y) ? &bb[ib] : nullptr;
        // The next y where either list changes.
        int next = std::numeric_limits<int>::max();
        if (ia < ba.size()) next = std::min(next, pa ? ba[ia].Bottom : ba[ia].Top);
        if (ib < bb.size()) next = std::min(next, pb ? bb[ib].Bottom : bb[ib].Top);
        // A stretch of bands of one list that meets nothing of the other is copied whole when the mode
        // keeps it.
        const bool keepA = mode != RGN_AND, keepB = mode == RGN_OR || mode == RGN_XOR;
        if ((pa && !pb && keepA) || (pb && !pa && keepB)) {
            const RectList& list = pa ? a : b;
            const std::vector<BandRef>& bands = pa ? ba : bb;
            std::size_t& i = pa ? ia : ib;
            const std::vector<BandRef>& other = pa ? bb : ba;
            const std::size_t io = pa ? ib : ia;
            const int limit = io < other.size() ? other[io].Top : std::numeric_limits<int>::max();
            if (bands[i].Bottom <= limit) {
                SpansOf(list, &bands[i], sa);
                writer.Add(y, bands[i].Bottom, sa);
                std::size_t k = i + 1;
                while (k < bands.size() && bands[k].Bottom <= limit)
                    ++k;
                if (k > i + 1) writer.AddBands(list, bands[i + 1], bands[k - 1]);
                y = bands[k - 1].Bottom;
                i = k;
                int nextEdge = limit;
                if (k < bands.size()) nextEdge = std::min(nextEdge, bands[k].Top);
                if (nextEdge == std::numeric_limits<int>::max()) break;
                y = std::max(y, nextEdge);
                continue;
            }
        }
        if (pa || pb) {
            SpansOf(a, pa, sa);
            SpansOf(b, pb, sb);
            if (!pb)
                xs = (mode == RGN_AND) ? std::vector<int>{} : sa;
            else if (!pa)
                xs = (mode == RGN_OR || mode == RGN_XOR) ? sb : std::vector<int>{};
            else
                CombineSpans(sa, sb, mode, xs);
            writer.Add(y, next, xs);
        }
        y = next;
    }
    return out;
}

RectList RectsFromRows(int top, const std::vector<std::vector<int>>& rows) {
    RectList out;
    BandWriter writer(out);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int y = top + static_cast<int>(i);
        writer.Add(y, y + 1, rows[i]);
    }
    return out;
}

RECT RectsExtents(const RectList& rects) {
    if (rects.empty()) return {};
    RECT e{std::numeric_limits<int>::max(), rects.front().Top, std::numeric_limits<int>::min(),
           rects.back().Bottom};
    for (const RECT& r : rects) {
        e.Left = std::min(e.Left, r.Left);
        e.Right = std::max(e.Right, r.Right);
    }
    return e;
}

int RectsKind(const RectList& rects) {
    if (rects.empty()) return NULLREGION;
    return rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool RectsContain(const RectList& rects, int x, int y) {
    // Rectangles are sorted by band; find the first whose bottom lies below y.
    auto it =
        std::upper_bound(rects.begin(), rects.end(), y, [](int yy, const RECT& r) { return yy < r.Bottom; });
    for (; it != rects.end() && it->Top <= y; ++it)
        if (x >= it->Left && x < it->Right) return true;
    return false;
}

bool RectsMeet(const RectList& rects, const RECT& r) {
    if (r.IsEmpty()) return false;
    auto it = std::upper_bound(rects.begin(), rects.end(), r.Top,
                               [](int yy, const RECT& c) { return yy < c.Bottom; });
    for (; it != rects.end() && it->Top < r.Bottom; ++it)
        if (it->Left < r.Right && it->Right > r.Left) return true;
    return false;
}

void OffsetRects(RectList& rects, int dx, int dy) {
    if (rects.empty() || (dx == 0 && dy == 0)) return;
    const RECT e = RectsExtents(rects);
    const auto fits = [](int low, int high, int d) {
        return std::int64_t{low} + d >= INT_MIN && std::int64_t{high} + d <= INT_MAX;
    };
    if (fits(e.Left, e.Right, dx) && fits(e.Top, e.Bottom, dy)) {
        for (RECT& r : rects) {
            r.Left += dx;
            r.Right += dx;
            r.Top += dy;
            r.Bottom += dy;
        }
        return;
    }
    // Part of the list would leave the int range: its edges stop at the range's ends, so a rectangle pushed
    // against an end narrows and one pushed past it is gone, and the list is banded again (an emptied band
    // drops out, and two bands whose spans came to match merge). The clamp keeps the order of the edges,
    // so one pass does it.
    const auto at = [](int v, int d) { return vcl::ClampToInt(std::int64_t{v} + d); };
    RectList out;
    BandWriter writer(out);
    std::vector<int> xs;
    for (const BandRef& band : BandsOf(rects)) {
        xs.clear();
        for (std::size_t i = band.Begin; i < band.End; ++i) {
            const int left = at(rects[i].Left, dx), right = at(rects[i].Right, dx);
            if (left >= right) continue;
            if (!xs.empty() && xs.back() >= left)
                xs.back() = std::max(xs.back(), right);
            else
                xs.insert(xs.end(), {left, right});
        }
        writer.Add(at(band.Top, dy), at(band.Bottom, dy), xs);
    }
    rects = std::move(out);
}

ShapeRows RoundRectRows(int left, int top, int right, int bottom, int w, int h, int yFrom, int yTo) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    ShapeRows shape;
    const double width = double(right) - left, height = double(bottom) - top;
    const int first = std::max(top, yFrom), last = std::min(bottom, yTo);
    shape.Top = first;
    if (width <= 0 || height <= 0 || last <= first) return shape;
    const double rx = std::min<double>(std::abs(double(w)), width) / 2.0;
    const double ry = std::min<double>(std::abs(double(h)), height) / 2.0;
    constexpr double eps = 1e-9;
    auto& rows = shape.Rows;
    rows.resize(static_cast<std::size_t>(last - first));
    for (int y = first; y < last; ++y) {
        const double yc = y + 0.5;
        double dy = 0;
        if (yc < top + ry)
            dy = top + ry - yc;
        else if (yc > bottom - ry)
            dy = yc - (bottom - ry);
        double inset = 0;
        if (dy > 0 && ry > 0) {
            const double t = dy / ry;
            if (t >= 1) continue;
            inset = rx - rx * std::sqrt(1 - t * t);
        }
        const int x0 = static_cast<int>(std::ceil(left + inset - 0.5 - eps));
        const int x1 = static_cast<int>(std::floor(right - inset - 0.5 + eps)) + 1;
        if (x1 > x0) rows[static_cast<std::size_t>(y - first)] = {x0, x1};
    }
    return shape;
}

ShapeRows PolygonRows(const POINT* pts, const int* counts, int polys, int mode, int yFrom, int yTo) {
    struct Edge {
        double X0, Y0, X1, Y1;
        int Dir;
    };
    std::vector<Edge> edges;
    int minY = std::numeric_limits<int>::max(), maxY = std::numeric_limits<int>::min();
    const POINT* p = pts;
    for (int k = 0; k < polys; ++k) {
        const int n = counts[k];
        for (int i = 0; i < n; ++i) {
            const POINT a = p[i], b = p[(i + 1) % n];
            minY = std::min(minY, a.Y);
            maxY = std::max(maxY, a.Y);
            if (a.Y == b.Y) continue;
            if (a.Y < b.Y)
                edges.push_back({double(a.X), double(a.Y), double(b.X), double(b.Y), 1});
            else
                edges.push_back({double(b.X), double(b.Y), double(a.X), double(a.Y), -1});
        }
        p += n;
    }
    ShapeRows shape;
    minY = std::max(minY, yFrom);
    maxY = std::min(maxY, yTo);
    shape.Top = minY;
    if (edges.empty() || maxY <= minY) return shape;
    auto& rows = shape.Rows;
    rows.resize(static_cast<std::size_t>(maxY - minY));
    std::vector<std::pair<double, int>> xs;
    // A pixel is filled when its own point (x, y) of the integer grid lies inside: edges are taken from
    // their top end and up to, not including, their bottom end, and a span runs from the first x on or
    // right of its left crossing to the last x left of its right crossing. Rectangles then fill exactly
    // as rectangle regions do.
    for (int y = minY; y < maxY; ++y) {
        const double yc = y;
        xs.clear();
        for (const Edge& e : edges)
            if (e.Y0 <= yc && yc < e.Y1)
                xs.push_back({e.X0 + (yc - e.Y0) * (e.X1 - e.X0) / (e.Y1 - e.Y0), e.Dir});
        std::sort(xs.begin(), xs.end());
        std::vector<int>& row = rows[static_cast<std::size_t>(y - minY)];
        int winding = 0;
        for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
            winding += xs[i].second;
            const bool inside = mode == WINDING ? winding != 0 : (i % 2) == 0;
            if (!inside) continue;
            const auto column = [](double x) {
                return static_cast<int>(std::clamp(std::ceil(x - 1e-9), double{INT_MIN}, double{INT_MAX}));
            };
            const int x0 = column(xs[i].first), x1 = column(xs[i + 1].first);
            if (x1 <= x0) continue;
            if (!row.empty() && row.back() >= x0)
                row.back() = std::max(row.back(), x1);
            else {
                row.push_back(x0);
                row.push_back(x1);
            }
        }
    }
    return shape;
}

std::vector<RECT> GetRegionRects(HRGN hrgn) {
    if (!IsLiveGdiObject(hrgn) || hrgn->ObjectType != OBJ_REGION) return {};
    return hrgn->Rects;
}

HRGN CreateRegionFromRects(std::vector<RECT> rects) {
    auto* r = new GdiRegion;
    r->Rects = std::move(rects);
    r->Extents = RectsExtents(r->Rects);
    return r;
}

} // namespace detail

namespace {

GdiRegion* AsRegion(HRGN h) {
    return detail::IsLiveGdiObject(h) && h->ObjectType == OBJ_REGION ? h : nullptr;
}

void SetRects(GdiRegion* r, detail::RectList rects) {
    r->Rects = std::move(rects);
    r->Extents = detail::RectsExtents(r->Rects);
}

} // namespace

GdiRegion::GdiRegion() : GdiObject(OBJ_REGION) {}
GdiRegion::~GdiRegion() = default;

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) {
    return detail::CreateRegionFromRects(detail::RectsFromRect({x1, y1, x2, y2}));
}

HRGN CreateRectRgnIndirect(const RECT* lprect) {
    if (lprect == nullptr) return nullptr;
    return CreateRectRgn(lprect->Left, lprect->Top, lprect->Right, lprect->Bottom);
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
    if (std::abs(double(y2) - y1) > detail::MaxShapeRows) return nullptr;
    // Like a rectangle region, the shape leaves out the right column and the bottom row of its box:
    // it is the shape drawn in the box one pixel smaller, which is also what a pen-less RoundRect fills.
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    // A box with no width or no height holds nothing (the box one pixel smaller would turn inside out).
    if (x1 == x2 || y1 == y2) return detail::CreateRegionFromRects({});
    const detail::ShapeRows shape = detail::RoundRectRows(x1, y1, x2 - 1, y2 - 1, w, h);
    return detail::CreateRegionFromRects(detail::RectsFromRows(shape.Top, shape.Rows));
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2) {
    const double w = std::abs(double(x2) - x1), h = std::abs(double(y2) - y1);
    return CreateRoundRectRgn(x1, y1, x2, y2, static_cast<int>(std::min(w, 2e9)),
                              static_cast<int>(std::min(h, 2e9)));
}

HRGN CreateEllipticRgnIndirect(const RECT* lprect) {
    if (lprect == nullptr) return nullptr;
    return CreateEllipticRgn(lprect->Left, lprect->Top, lprect->Right, lprect->Bottom);
}

HRGN CreatePolyPolygonRgn(const POINT* pptl, const int* pc, int cPoly, int iMode) {
    if (pptl == nullptr || pc == nullptr || cPoly <= 0 || (iMode != ALTERNATE && iMode != WINDING))
        return nullptr;
    long long points = 0;
    for (int i = 0; i < cPoly; ++i) {
        if (pc[i] < 2) return nullptr;
        points += pc[i];
    }
    if (points > (1 << 24)) return nullptr;
    int minY = pptl[0].Y, maxY = pptl[0].Y, total = 0;
    for (int i = 0; i < cPoly; ++i)
        total += pc[i];
    for (int i = 0; i < total; ++i) {
        minY = std::min(minY, pptl[i].Y);
        maxY = std::max(maxY, pptl[i].Y);
    }
    if (double(maxY) - minY > detail::MaxShapeRows) return nullptr;
    const detail::ShapeRows shape = detail::PolygonRows(pptl, pc, cPoly, iMode);
    return detail::CreateRegionFromRects(detail::RectsFromRows(shape.Top, shape.Rows));
}

HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode) {
    return CreatePolyPolygonRgn(pptl, &cPoint, 1, iMode);
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
    GdiRegion* dst = AsRegion(hrgnDst);
    GdiRegion* a = AsRegion(hrgnSrc1);
    if (dst == nullptr || a == nullptr || iMode < RGN_AND || iMode > RGN_COPY) return ERROR;
    if (iMode == RGN_COPY) {
        if (dst != a) SetRects(dst, a->Rects);
        return detail::RectsKind(dst->Rects);
    }
    GdiRegion* b = AsRegion(hrgnSrc2);
    if (b == nullptr) return ERROR;
    SetRects(dst, detail::CombineRects(a->Rects, b->Rects, iMode));
    return detail::RectsKind(dst->Rects);
}

int OffsetRgn(HRGN hrgn, int x, int y) {
    GdiRegion* r = AsRegion(hrgn);
    if (r == nullptr) return ERROR;
    detail::OffsetRects(r->Rects, x, y);
    r->Extents = detail::RectsExtents(r->Rects);
    return detail::RectsKind(r->Rects);
}

int GetRgnBox(HRGN hrgn, RECT* lprc) {
    GdiRegion* r = AsRegion(hrgn);
    if (r == nullptr || lprc == nullptr) return ERROR;
    *lprc = r->Extents;
    return detail::RectsKind(r->Rects);
}

BOOL PtInRegion(HRGN hrgn, int x, int y) {
    GdiRegion* r = AsRegion(hrgn);
    return r != nullptr && detail::RectsContain(r->Rects, x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect) {
    GdiRegion* r = AsRegion(hrgn);
    if (r == nullptr || lprect == nullptr) return FALSE;
    const detail::RectList test = detail::RectsFromRect(*lprect);
    if (test.empty()) return FALSE;
    for (const RECT& q : r->Rects) {
        if (q.Top >= test[0].Bottom) break;
        if (q.Bottom > test[0].Top && q.Left < test[0].Right && q.Right > test[0].Left) return TRUE;
    }
    return FALSE;
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2) {
    GdiRegion* a = AsRegion(hrgn1);
    GdiRegion* b = AsRegion(hrgn2);
    if (a == nullptr || b == nullptr) return ERROR;
    return a->Rects == b->Rects ? TRUE : FALSE;
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
    GdiRegion* r = AsRegion(hrgn);
    if (r == nullptr) return FALSE;
    SetRects(r, detail::RectsFromRect({left, top, right, bottom}));
    return TRUE;
}

DWORD GetRegionData(HRGN hrgn, DWORD nCount, RGNDATA* lpRgnData) {
    GdiRegion* r = AsRegion(hrgn);
    if (r == nullptr) return 0;
    const DWORD rectBytes = static_cast<DWORD>(r->Rects.size() * sizeof(RECT));
    const DWORD needed = static_cast<DWORD>(sizeof(RGNDATAHEADER)) + rectBytes;
    if (lpRgnData == nullptr) return needed;
    if (nCount < needed) return 0;
    lpRgnData->rdh.dwSize = sizeof(RGNDATAHEADER);
    lpRgnData->rdh.iType = RDH_RECTANGLES;
    lpRgnData->rdh.nCount = static_cast<DWORD>(r->Rects.size());
    lpRgnData->rdh.nRgnSize = rectBytes;
    lpRgnData->rdh.rcBound = r->Extents;
    if (rectBytes != 0) std::memcpy(lpRgnData->Buffer, r->Rects.data(), rectBytes);
    return needed;
}

HRGN ExtCreateRegion(const XFORM* lpx, DWORD nCount, const RGNDATA* lpData) {
    if (lpx != nullptr || lpData == nullptr || nCount < sizeof(RGNDATAHEADER)) return nullptr;
    const RGNDATAHEADER& h = lpData->rdh;
    if (h.iType != RDH_RECTANGLES || h.dwSize < sizeof(RGNDATAHEADER) || h.dwSize > nCount ||
        h.nCount > (nCount - h.dwSize) / sizeof(RECT))
        return nullptr;
    std::vector<RECT> rects(h.nCount);
    if (!rects.empty())
        std::memcpy(rects.data(), reinterpret_cast<const char*>(lpData) + h.dwSize,
                    rects.size() * sizeof(RECT));
    return detail::CreateRegionFromRects(detail::RectsUnion(std::move(rects)));
}

} // namespace win
