// Lines, shapes, fills and pixels.

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "platform/win/GdiDraw.h"
#include "platform/win/GdiPaint.h"
#include "platform/win/GdiStroke.h"

namespace win {

namespace {

using detail::Painter;
using detail::ShapeRows;

COLORREF PenColor(const DeviceContext* dc) {
    const GdiPen* pen = dc->State.Pen;
    return pen == detail::DCPen() ? dc->State.DCPenColor : pen->Color;
}

bool NullPen(const DeviceContext* dc) {
    return dc->State.Pen == nullptr || dc->State.Pen->BaseStyle() == PS_NULL;
}

int PenWidth(const DeviceContext* dc) {
    return std::max(1, dc->State.Pen->Width);
}

// v + d, stopping at the ends of the int range: shapes anywhere in it, drawn with pens of any width.
int SaturatedAdd(int v, long long d) {
    return vcl::ClampToInt(std::int64_t{v} + d);
}

// Bresenham's walk along a line `major` pixels long and `minor` pixels across, from its pixel `from` on.
// Before pixel i, floor((2 i minor + major - bias) / (2 major)) minor steps were taken, bias 1 or 0
// breaking the ties. That closed form is worked out once, at the first pixel walked, with a 128-bit product
// (across the whole int range i and minor come near 2^32, and 2 i minor near 2^65); from there its
// remainder, the error term, is carried from pixel to pixel with an addition and a compare.
class MinorWalk {
public:
    MinorWalk(long long from, long long minor, long long major, long long bias)
        : twoMinor_(2 * minor), twoMajor_(2 * major) {
        __extension__ using Wide = __int128;
        const Wide n = Wide{2} * from * minor + major - bias;
        steps_ = static_cast<long long>(n / twoMajor_);
        error_ = static_cast<long long>(n % twoMajor_);
    }

    // The minor steps taken before the current pixel.
    long long Steps() const { return steps_; }

    // On to the next pixel.
    void Next() {
        error_ += twoMinor_;
        if (error_ >= twoMajor_) {
            error_ -= twoMajor_;
            ++steps_;
        }
    }

private:
    long long twoMinor_, twoMajor_;
    long long steps_ = 0, error_ = 0; // error_ in [0, 2 major)
};

// The on/off run lengths of the cosmetic pen styles.
const std::vector<int>* DashPattern(UINT style) {
    static const std::vector<int> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3},
        alternate{1, 1};
    switch (style) {
    case PS_DASH:
        return &dash;
    case PS_DOT:
        return &dot;
    case PS_DASHDOT:
        return &dashDot;
    case PS_DASHDOTDOT:
        return &dashDotDot;
    case PS_ALTERNATE:
        return &alternate;
    default:
        return nullptr;
    }
}

// Draws pen lines; the dash state runs on across the segments of one call. Wide pens stroke each figure
// as a whole, with the pen's end caps and joins.
class LineDrawer {
public:
    explicit LineDrawer(DeviceContext* dc) : dc_(dc), p_(dc) {
        if (!p_.Ok() || NullPen(dc)) {
            active_ = false;
            return;
        }
        width_ = PenWidth(dc);
        if (width_ == 1) pattern_ = DashPattern(dc->State.Pen->BaseStyle());
        if (pattern_ != nullptr)
            for (int run : *pattern_)
                total_ += run;
        color_ = PenColor(dc);
        p_.UseColor(color_, dc->State.Rop2);
    }

    // The figure through n points (closed: back to the first one).
    void Figure(const POINT* pts, std::size_t n, bool closed) {
        if (!active_ || n == 0) return;
        if (width_ > 1) {
            const GdiPen* pen = dc_->State.Pen;
            detail::StrokeStyle style;
            style.Width = width_;
            if (pen->Extended) {
                style.EndCap = pen->Style & PS_ENDCAP_MASK;
                style.Join = pen->Style & PS_JOIN_MASK;
            }
            p_.Rows(detail::StrokeRows(std::vector<POINT>(pts, pts + n), closed, style, p_.LogicalBounds()));
            return;
        }
        const std::size_t segments = closed ? n : n - 1;
        for (std::size_t i = 0; i < segments; ++i)
            Line(pts[i].X, pts[i].Y, pts[(i + 1) % n].X, pts[(i + 1) % n].Y);
    }

    // One pixel of an outline walked in order, in the pen's dash pattern.
    void Dot(int x, int y) {
        if (active_) Plot(x, y);
    }

private:
    // From (x0, y0) to (x1, y1) with a one-pixel pen, leaving out the end point. Only the part that can reach
    // the surface is walked; the dash pattern advances over the rest.
    void Line(int x0, int y0, int x1, int y1) {
        const long long dx = std::llabs(static_cast<long long>(x1) - x0);
        const long long dy = std::llabs(static_cast<long long>(y1) - y0);
        const int sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
        const bool xMajor = dx >= dy;
        const long long major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
        if (major == 0) return;
        // A line that meets nothing of the clip is only walked over by the dash pattern.
        if (!p_.Meets({std::min(x0, x1), std::min(y0, y1), SaturatedAdd(std::max(x0, x1), 1),
                       SaturatedAdd(std::max(y0, y1), 1)})) {
            Skip(major);
            return;
        }
        const int sMajor = xMajor ? sx : sy, sMinor = xMajor ? sy : sx;
        // Bresenham's minor steps (MinorWalk). A line passing exactly between two pixels takes the one with
        // the smaller minor coordinate, whichever way it runs, so a line and its reverse light the same
        // pixels apart from the end point each leaves out: a tie steps only when the minor axis runs toward
        // smaller values.
        const long long bias = sMinor < 0 ? 0 : 1;
        const RECT view = p_.LogicalBounds();
        const long long lo = xMajor ? view.Left : view.Top, hi = xMajor ? view.Right : view.Bottom;
        const long long start = xMajor ? x0 : y0, startMinor = xMajor ? y0 : x0;
        long long from = sMajor > 0 ? lo - start : start - (hi - 1);
        long long to = sMajor > 0 ? hi - start : start - lo + 1;
        from = std::max(0LL, from);
        to = std::min(major, to);
        if (from >= to) {
            Skip(major);
            return;
        }
        Skip(from);
        if (pattern_ == nullptr && minor == 0) {
            // A solid straight line: its pixels go out as one row or one column.
            const long long a = start + sMajor * from, b = start + sMajor * (to - 1);
            const int lo = static_cast<int>(std::min(a, b)), hi = static_cast<int>(std::max(a, b) + 1);
            const int m = static_cast<int>(startMinor);
            p_.Rect(xMajor ? RECT{lo, m, hi, SaturatedAdd(m, 1)} : RECT{m, lo, SaturatedAdd(m, 1), hi});
            return;
        }
        if (pattern_ == nullptr && xMajor) {
            // A solid pen: the pixels of one row go out as one span, pixels first to last.
            const auto span = [&](long long first, long long last, long long steps) {
                const long long a0 = start + sMajor * first, a1 = start + sMajor * last;
                p_.Span(static_cast<int>(startMinor + sMinor * steps), static_cast<int>(std::min(a0, a1)),
                        static_cast<int>(std::max(a0, a1) + 1));
            };
            MinorWalk walk(from, minor, major, bias);
            long long runFrom = from;
            for (long long i = from; i < to; ++i) {
                const long long steps = walk.Steps();
                walk.Next();
                if (walk.Steps() != steps) {
                    span(runFrom, i, steps);
                    runFrom = i + 1;
                }
            }
            if (runFrom < to) span(runFrom, to - 1, walk.Steps());
            return;
        }
        MinorWalk walk(from, minor, major, bias);
        for (long long i = from; i < to; ++i, walk.Next()) {
            const long long a = start + sMajor * i, b = startMinor + sMinor * walk.Steps();
            Plot(static_cast<int>(xMajor ? a : b), static_cast<int>(xMajor ? b : a));
        }
        Skip(major - to);
    }

    void Skip(long long pixels) {
        if (pattern_ != nullptr) pos_ = static_cast<int>((pos_ + pixels) % total_);
    }

    void Plot(int x, int y) {
        if (pattern_ == nullptr) {
            p_.Pixel(x, y);
            return;
        }
        int at = pos_;
        std::size_t segment = 0;
        while (at >= (*pattern_)[segment])
            at -= (*pattern_)[segment++];
        if (segment % 2 == 0) {
            p_.UseColor(color_, dc_->State.Rop2);
            p_.Pixel(x, y);
        } else if (dc_->State.BkMode == OPAQUE) {
            p_.UseColor(dc_->State.BkColor, dc_->State.Rop2);
            p_.Pixel(x, y);
        }
        pos_ = (pos_ + 1) % total_;
    }

    DeviceContext* dc_;
    Painter p_;
    bool active_ = true;
    int width_ = 1;
    COLORREF color_ = 0;
    const std::vector<int>* pattern_ = nullptr;
    int total_ = 0; // length of the dash pattern
    int pos_ = 0;   // position in it
};

// The spans of shape a less those of shape b.
ShapeRows SubtractRows(const ShapeRows& a, const ShapeRows& b) {
    ShapeRows out;
    out.Top = a.Top;
    out.Rows.resize(a.Rows.size());
    for (std::size_t i = 0; i < a.Rows.size(); ++i) {
        const long j = static_cast<long>(i) + a.Top - b.Top;
        const auto& as = a.Rows[i];
        if (j < 0 || j >= static_cast<long>(b.Rows.size()) || b.Rows[static_cast<std::size_t>(j)].empty()) {
            out.Rows[i] = as;
            continue;
        }
        const auto& bs = b.Rows[static_cast<std::size_t>(j)];
        for (std::size_t k = 0; k + 1 < as.size(); k += 2) {
            int x0 = as[k];
            const int x1 = as[k + 1];
            for (std::size_t m = 0; m + 1 < bs.size() && x0 < x1; m += 2) {
                if (bs[m + 1] <= x0 || bs[m] >= x1) continue;
                if (bs[m] > x0) {
                    out.Rows[i].push_back(x0);
                    out.Rows[i].push_back(bs[m]);
                }
                x0 = std::max(x0, bs[m + 1]);
            }
            if (x0 < x1) {
                out.Rows[i].push_back(x0);
                out.Rows[i].push_back(x1);
            }
        }
    }
    return out;
}

void Normalize(int& l, int& t, int& r, int& b) {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
}

// The box of a shape's outline for a pen of width w: the outline is centred on the pixels at left/top and
// right - 1/bottom - 1 (inside the box for PS_INSIDEFRAME).
RECT OuterBox(const DeviceContext* dc, int l, int t, int r, int b) {
    const int w = PenWidth(dc);
    if (w == 1 || dc->State.Pen->BaseStyle() == PS_INSIDEFRAME) return {l, t, r, b};
    const long long after = w - 1 - w / 2;
    return {SaturatedAdd(l, -(w / 2)), SaturatedAdd(t, -(w / 2)), SaturatedAdd(r, after),
            SaturatedAdd(b, after)};
}

// The box inside a pen of width w drawn on the outer box o (inverted when the pen fills it).
RECT InnerBox(const RECT& o, int w) {
    return {SaturatedAdd(o.Left, w), SaturatedAdd(o.Top, w), SaturatedAdd(o.Right, -w),
            SaturatedAdd(o.Bottom, -w)};
}

// Draws the pixels of a one-pixel outline around the box in the pen's dash pattern, walked anticlockwise
// (on the screen) around the box's centre from the direction of start (the rightmost point if none).
void DashedRing(LineDrawer& d, const ShapeRows& ring, const RECT& box, std::optional<POINT> start) {
    const double cx = (box.Left + box.Right) / 2.0, cy = (box.Top + box.Bottom) / 2.0;
    auto angle = [&](double x, double y) { return std::atan2(cy - y, x - cx); };
    const double from = start ? angle(start->X + 0.5, start->Y + 0.5) : 0.0;
    struct Step {
        double Angle, Distance;
        int X, Y;
    };
    std::vector<Step> walk;
    for (std::size_t i = 0; i < ring.Rows.size(); ++i) {
        const int y = ring.Top + static_cast<int>(i);
        const auto& row = ring.Rows[i];
        for (std::size_t k = 0; k + 1 < row.size(); k += 2)
            for (int x = row[k]; x < row[k + 1]; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double a = std::fmod(angle(px, py) - from + 4 * M_PI, 2 * M_PI);
                walk.push_back({a, std::hypot(px - cx, py - cy), x, y});
            }
    }
    std::sort(walk.begin(), walk.end(), [](const Step& a, const Step& b) {
        return a.Angle != b.Angle ? a.Angle < b.Angle : a.Distance < b.Distance;
    });
    for (const Step& s : walk)
        d.Dot(s.X, s.Y);
}

// The rows of a rounded shape's inside and of its outline ring, pen width w (0: the whole shape is the
// inside), rasterised between the rows top and bottom. The last few are kept: the same outline painted
// again (a toolbar's border at every paint) is not rasterised again. A pure function of its arguments.
struct RoundedRows {
    ShapeRows Inner, Ring;
};

const RoundedRows& RoundRowsOf(const RECT& o, int cw, int ch, int w, int top, int bottom) {
    struct Entry {
        std::array<int, 9> Key;
        RoundedRows Rows;
    };
    static auto* kept = new std::vector<Entry>;
    static std::size_t next = 0;
    const std::array<int, 9> key{o.Left, o.Top, o.Right, o.Bottom, cw, ch, w, top, bottom};
    for (const Entry& e : *kept)
        if (e.Key == key) return e.Rows;
    RoundedRows rows;
    if (w == 0) {
        rows.Inner = detail::RoundRectRows(o.Left, o.Top, o.Right, o.Bottom, cw, ch, top, bottom);
    } else {
        const ShapeRows outer = detail::RoundRectRows(o.Left, o.Top, o.Right, o.Bottom, cw, ch, top, bottom);
        const RECT in = InnerBox(o, w);
        const auto less = [w](int c) { return static_cast<int>(std::max(0LL, c - 2LL * w)); };
        if (in.Right > in.Left && in.Bottom > in.Top)
            rows.Inner =
                detail::RoundRectRows(in.Left, in.Top, in.Right, in.Bottom, less(cw), less(ch), top, bottom);
        rows.Ring = SubtractRows(outer, rows.Inner);
    }
    constexpr std::size_t kKept = 8;
    if (kept->size() < kKept) {
        kept->push_back({key, std::move(rows)});
        return kept->back().Rows;
    }
    Entry& e = (*kept)[next];
    next = (next + 1) % kKept;
    e = {key, std::move(rows)};
    return e.Rows;
}

// Fills and outlines a rounded shape (ellipse or rounded rectangle).
BOOL RoundShape(HDC hdc, int l, int t, int r, int b, int cw, int ch, bool ellipse) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return FALSE;
    Normalize(l, t, r, b);
    Painter p(dc);
    if (!p.Ok()) return TRUE;
    const RECT view = p.LogicalBounds(); // rows off the surface are not rasterised
    // A shape wholly outside the clip (a parent painted under a child's corners) draws nothing.
    const int reach = NullPen(dc) ? 0 : PenWidth(dc);
    if (!p.Meets({SaturatedAdd(l, -reach), SaturatedAdd(t, -reach), SaturatedAdd(r, reach),
                  SaturatedAdd(b, reach)}))
        return TRUE;
    if (NullPen(dc)) {
        // Without a pen the shape is one pixel smaller on the right and at the bottom, as on the platform;
        // a box with no width or height holds nothing (made smaller, it would turn inside out).
        if (r == l || b == t) return TRUE;
        if (ellipse) {
            cw = SaturatedAdd(r, -1LL - l);
            ch = SaturatedAdd(b, -1LL - t);
        }
        p.UseBrush(dc->State.Brush, dc->State.Rop2);
        p.Rows(RoundRowsOf({l, t, r - 1, b - 1}, cw, ch, 0, view.Top, view.Bottom).Inner);
        return TRUE;
    }
    const int w = PenWidth(dc);
    const RECT o = OuterBox(dc, l, t, r, b);
    if (ellipse) {
        cw = o.Width();
        ch = o.Height();
    }
    const RoundedRows& rows = RoundRowsOf(o, cw, ch, w, view.Top, view.Bottom);
    const ShapeRows& ring = rows.Ring;
    p.UseBrush(dc->State.Brush, dc->State.Rop2);
    p.Rows(rows.Inner);
    if (w == 1 && DashPattern(dc->State.Pen->BaseStyle()) != nullptr) {
        // An ellipse's pattern starts at its rightmost point, a rounded rectangle's where the top-right
        // corner of its box lies, and runs anticlockwise, as a rectangle's does.
        LineDrawer d(dc);
        DashedRing(d, ring, o, ellipse ? std::optional<POINT>{} : POINT{SaturatedAdd(o.Right, -1), o.Top});
        return TRUE;
    }
    p.UseColor(PenColor(dc), dc->State.Rop2);
    p.Rows(ring);
    return TRUE;
}

HBRUSH ResolveBrush(HBRUSH hbr) {
    // A system colour index + 1 may stand for a brush.
    const auto v = reinterpret_cast<std::uintptr_t>(hbr);
    if (v >= 1 && v <= static_cast<std::uintptr_t>(COLOR_MENUBAR + 1))
        return GetSysColorBrush(static_cast<int>(v) - 1);
    if (!detail::IsLiveGdiObject(hbr) || hbr->ObjectType != OBJ_BRUSH) return nullptr;
    return hbr;
}

detail::RectList RegionRects(HRGN hrgn) {
    if (!detail::IsLiveGdiObject(hrgn) || hrgn->ObjectType != OBJ_REGION) return {};
    return hrgn->Rects;
}

void FillRects(Painter& p, const detail::RectList& rects) {
    for (const RECT& r : rects)
        p.Rect(r);
}

} // namespace

BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return FALSE;
    const POINT pts[2] = {dc->State.Position, {x, y}};
    LineDrawer(dc).Figure(pts, 2, false);
    dc->State.Position = {x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || apt == nullptr || cpt < 2) return FALSE;
    LineDrawer(dc).Figure(apt, static_cast<std::size_t>(cpt), false);
    return TRUE;
}

BOOL PolylineTo(HDC hdc, const POINT* apt, DWORD cpt) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || apt == nullptr || cpt == 0) return FALSE;
    std::vector<POINT> pts{dc->State.Position};
    pts.insert(pts.end(), apt, apt + cpt);
    LineDrawer(dc).Figure(pts.data(), pts.size(), false);
    dc->State.Position = pts.back();
    return TRUE;
}

BOOL PolyPolygon(HDC hdc, const POINT* apt, const int* asz, int csz) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || apt == nullptr || asz == nullptr || csz <= 0) return FALSE;
    for (int i = 0; i < csz; ++i)
        if (asz[i] < 2) return FALSE;
    {
        Painter p(dc);
        p.UseBrush(dc->State.Brush, dc->State.Rop2);
        if (p.Ok()) {
            const RECT view = p.LogicalBounds();
            p.Rows(detail::PolygonRows(apt, asz, csz, dc->State.PolyFillMode, view.Top, view.Bottom));
        }
    }
    LineDrawer d(dc);
    const POINT* pts = apt;
    for (int k = 0; k < csz; ++k) {
        d.Figure(pts, static_cast<std::size_t>(asz[k]), true);
        pts += asz[k];
    }
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt) {
    return PolyPolygon(hdc, apt, &cpt, 1);
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return FALSE;
    Normalize(left, top, right, bottom);
    // A rectangle of no width or height draws nothing, nor does one a pixel wide and high (or less); one
    // pixel wide or high has no inside, and its outline is the column or the row.
    const long long width = static_cast<long long>(right) - left,
                    height = static_cast<long long>(bottom) - top;
    if (width == 0 || height == 0 || (width < 2 && height < 2)) return TRUE;
    if (NullPen(dc)) {
        Painter p(dc);
        p.UseBrush(dc->State.Brush, dc->State.Rop2);
        p.Rect({left, top, right - 1, bottom - 1});
        return TRUE;
    }
    const int w = PenWidth(dc);
    const RECT o = OuterBox(dc, left, top, right, bottom);
    const RECT in = InnerBox(o, w);
    {
        Painter p(dc);
        p.UseBrush(dc->State.Brush, dc->State.Rop2);
        if (!in.IsEmpty()) p.Rect(in);
    }
    const UINT style = dc->State.Pen->BaseStyle();
    if (w == 1 && DashPattern(style) != nullptr) {
        // The pattern starts at the top-right corner and runs anticlockwise: left along the top, down the
        // left side, right along the bottom and up the right side. A column or a row is one line, down or
        // to the left.
        LineDrawer d(dc);
        if (width == 1 || height == 1) {
            const POINT line[2] = {
                {right - 1, top},
                {width == 1 ? right - 1 : SaturatedAdd(left, -1), width == 1 ? bottom : top}};
            d.Figure(line, 2, false);
            return TRUE;
        }
        const POINT pts[4] = {{right - 1, top}, {left, top}, {left, bottom - 1}, {right - 1, bottom - 1}};
        d.Figure(pts, 4, true);
        return TRUE;
    }
    Painter p(dc);
    p.UseColor(PenColor(dc), dc->State.Rop2);
    if (in.IsEmpty()) {
        p.Rect(o);
        return TRUE;
    }
    p.Rect({o.Left, o.Top, o.Right, in.Top});
    p.Rect({o.Left, in.Bottom, o.Right, o.Bottom});
    p.Rect({o.Left, in.Top, in.Left, in.Bottom});
    p.Rect({in.Right, in.Top, o.Right, in.Bottom});
    return TRUE;
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
    return RoundShape(hdc, left, top, right, bottom, std::abs(width), std::abs(height), false);
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    return RoundShape(hdc, left, top, right, bottom, 0, 0, true);
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = detail::AsDC(hDC);
    HBRUSH brush = ResolveBrush(hbr);
    if (dc == nullptr || lprc == nullptr || brush == nullptr) return FALSE;
    if (lprc->IsEmpty()) return TRUE;
    Painter p(dc);
    p.UseBrush(brush, R2_COPYPEN);
    p.Rect(*lprc);
    return TRUE;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = detail::AsDC(hDC);
    HBRUSH brush = ResolveBrush(hbr);
    if (dc == nullptr || lprc == nullptr || brush == nullptr) return FALSE;
    const RECT& r = *lprc;
    if (r.IsEmpty()) return TRUE;
    Painter p(dc);
    p.UseBrush(brush, R2_COPYPEN);
    p.Rect({r.Left, r.Top, r.Right, r.Top + 1});
    if (r.Height() > 1) p.Rect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    p.Rect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1});
    if (r.Width() > 1) p.Rect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1});
    return TRUE;
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
    DeviceContext* dc = detail::AsDC(hDC);
    if (dc == nullptr || lprc == nullptr) return FALSE;
    Painter p(dc);
    p.UseColor(0, R2_NOT);
    p.Rect(*lprc);
    return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
    DeviceContext* dc = detail::AsDC(hDC);
    if (dc == nullptr || lprc == nullptr) return FALSE;
    const RECT& r = *lprc;
    if (r.IsEmpty()) return TRUE;
    Painter p(dc);
    // Every other pixel of the frame is inverted, starting at the top-left corner.
    auto dot = [&](int x, int y) {
        if ((static_cast<long long>(x) - r.Left + y - r.Top) % 2 != 0) return;
        p.Each(y, x, x + 1, [](std::uint32_t& px, int, int) { px = 0xFF000000u | (~px & 0xFFFFFFu); });
    };
    // Only the part the clip reaches is walked: a control may be millions of pixels wide.
    const RECT seen = p.LogicalBounds();
    for (int x = std::max(r.Left, seen.Left); x < std::min(r.Right, seen.Right); ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top) dot(x, r.Bottom - 1);
    }
    for (int y = std::max(r.Top + 1, seen.Top); y < std::min(r.Bottom - 1, seen.Bottom); ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left) dot(r.Right - 1, y);
    }
    return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
    DeviceContext* dc = detail::AsDC(hdc);
    HBRUSH brush = ResolveBrush(hbr);
    if (dc == nullptr || brush == nullptr || !detail::IsLiveGdiObject(hrgn)) return FALSE;
    Painter p(dc);
    p.UseBrush(brush, R2_COPYPEN);
    FillRects(p, RegionRects(hrgn));
    return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN hrgn) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || !detail::IsLiveGdiObject(hrgn)) return FALSE;
    Painter p(dc);
    p.UseBrush(dc->State.Brush, dc->State.Rop2);
    FillRects(p, RegionRects(hrgn));
    return TRUE;
}

BOOL InvertRgn(HDC hdc, HRGN hrgn) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || !detail::IsLiveGdiObject(hrgn)) return FALSE;
    Painter p(dc);
    p.UseColor(0, R2_NOT);
    FillRects(p, RegionRects(hrgn));
    return TRUE;
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
    DeviceContext* dc = detail::AsDC(hdc);
    HBRUSH brush = ResolveBrush(hbr);
    if (dc == nullptr || brush == nullptr || !detail::IsLiveGdiObject(hrgn) || w < 0 || h < 0) return FALSE;
    const detail::RectList all = RegionRects(hrgn);
    // The frame is the region less the region eroded by w across and h down.
    detail::RectList core = all;
    for (const POINT d : {POINT{w, 0}, POINT{-w, 0}, POINT{0, h}, POINT{0, -h}}) {
        detail::RectList moved = all;
        detail::OffsetRects(moved, d.X, d.Y);
        core = detail::CombineRects(core, moved, RGN_AND);
    }
    Painter p(dc);
    p.UseBrush(brush, R2_COPYPEN);
    FillRects(p, detail::CombineRects(all, core, RGN_DIFF));
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return CLR_INVALID;
    Painter p(dc);
    COLORREF result = CLR_INVALID;
    const COLORREF c = detail::ResolveColor(color);
    const std::uint32_t px = p.View().Monochrome ? detail::MonoPixelOf(c) : detail::PixelOf(c);
    p.Each(y, x, x + 1, [&](std::uint32_t& pixel, int, int) {
        pixel = px;
        result = detail::ColorOf(px);
    });
    return result;
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) {
    return SetPixel(hdc, x, y, color) != CLR_INVALID;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return CLR_INVALID;
    Painter p(dc);
    COLORREF result = CLR_INVALID;
    p.Each(y, x, x + 1, [&](std::uint32_t& pixel, int, int) { result = detail::ColorOf(pixel); });
    return result;
}

BOOL GradientFill(HDC hdc, TRIVERTEX* pVertex, ULONG nVertex, void* pMesh, ULONG nMesh, ULONG ulMode) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || pVertex == nullptr || pMesh == nullptr) return FALSE;
    if (ulMode != GRADIENT_FILL_RECT_H && ulMode != GRADIENT_FILL_RECT_V) return FALSE;
    const auto* rects = static_cast<const GRADIENT_RECT*>(pMesh);
    for (ULONG i = 0; i < nMesh; ++i)
        if (rects[i].UpperLeft >= nVertex || rects[i].LowerRight >= nVertex) return FALSE;
    Painter p(dc);
    for (ULONG i = 0; i < nMesh; ++i) {
        TRIVERTEX a = pVertex[rects[i].UpperLeft], b = pVertex[rects[i].LowerRight];
        // The colours run from the first vertex to the second along the gradient's direction.
        const bool horizontal = ulMode == GRADIENT_FILL_RECT_H;
        if ((horizontal && a.x > b.x) || (!horizontal && a.y > b.y)) std::swap(a, b);
        const int l = std::min(a.x, b.x), r = std::max(a.x, b.x);
        const int t = std::min(a.y, b.y), bt = std::max(a.y, b.y);
        const long long span = horizontal ? static_cast<long long>(r) - l : static_cast<long long>(bt) - t;
        if (r <= l || bt <= t) continue;
        auto channel = [&](int c0, int c1, long long pos) {
            return static_cast<std::uint32_t>((c0 + static_cast<long long>(c1 - c0) * pos / span) >> 8) &
                   0xFF;
        };
        int rowFrom = t, rowTo = bt;
        p.VisibleRows(rowFrom, rowTo);
        for (int y = rowFrom; y < rowTo; ++y) {
            p.Each(y, l, r, [&](std::uint32_t& pixel, int x, int yy) {
                const long long pos =
                    horizontal ? static_cast<long long>(x) - l : static_cast<long long>(yy) - t;
                pixel = 0xFF000000u | (channel(a.Red, b.Red, pos) << 16) |
                        (channel(a.Green, b.Green, pos) << 8) | channel(a.Blue, b.Blue, pos);
            });
        }
    }
    return TRUE;
}

} // namespace win
