// Paths: figures of lines and Bézier curves, point by point as GDI+ stores them.

#include <algorithm>
#include <new>

#include "platform/gdiplus/GdipInternal.h"

namespace gdip {

namespace detail {

void AppendPath(cairo_t* cr, const PathData& path) {
    const auto& p = path.points;
    const auto& t = path.types;
    const std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i) {
        const BYTE type = t[i] & PathPointTypePathTypeMask;
        std::size_t last = i;
        if (type == PathPointTypeStart) {
            cairo_move_to(cr, p[i].X, p[i].Y);
        } else if (type == PathPointTypeBezier && i + 2 < n) {
            cairo_curve_to(cr, p[i].X, p[i].Y, p[i + 1].X, p[i + 1].Y, p[i + 2].X, p[i + 2].Y);
            last = i + 2;
        } else {
            cairo_line_to(cr, p[i].X, p[i].Y);
        }
        if (t[last] & PathPointTypeCloseSubpath) cairo_close_path(cr);
        i = last;
    }
}

std::vector<FlatFigure> Flatten(const PathData& path) {
    std::vector<FlatFigure> out;
    const auto& p = path.points;
    const auto& t = path.types;
    const std::size_t n = p.size();
    auto add = [&out](GpPointF pt, double pos) {
        out.back().pts.push_back(pt);
        out.back().pos.push_back(pos);
    };
    for (std::size_t i = 0; i < n; ++i) {
        const BYTE type = t[i] & PathPointTypePathTypeMask;
        std::size_t last = i;
        if (type == PathPointTypeStart || out.empty()) {
            out.emplace_back();
            add(p[i], static_cast<double>(i));
        } else if (type == PathPointTypeBezier && i + 2 < n) {
            const GpPointF a = out.back().pts.back(), b = p[i], c = p[i + 1], d = p[i + 2];
            const double len = std::hypot(b.X - a.X, b.Y - a.Y) + std::hypot(c.X - b.X, c.Y - b.Y) +
                               std::hypot(d.X - c.X, d.Y - c.Y);
            const int steps = std::clamp(static_cast<int>(len / 3.0), 4, 64);
            for (int s = 1; s <= steps; ++s) {
                const double u = static_cast<double>(s) / steps, v = 1.0 - u;
                const double x =
                    v * v * v * a.X + 3 * v * v * u * b.X + 3 * v * u * u * c.X + u * u * u * d.X;
                const double y =
                    v * v * v * a.Y + 3 * v * v * u * b.Y + 3 * v * u * u * c.Y + u * u * u * d.Y;
                add(GpPointF{static_cast<REAL>(x), static_cast<REAL>(y)},
                    static_cast<double>(i - 1) + 3.0 * u);
            }
            last = i + 2;
        } else {
            add(p[i], static_cast<double>(i));
        }
        if (t[last] & PathPointTypeCloseSubpath) out.back().closed = true;
        i = last;
    }
    return out;
}

} // namespace detail

namespace {

using detail::PathData;

bool ValidPoints(const GpPointF* pts, INT count) {
    for (INT i = 0; i < count; ++i)
        if (!detail::ValidCoords({pts[i].X, pts[i].Y})) return false;
    return true;
}

std::vector<GpPointF> ToFloat(const GpPoint* pts, INT count) {
    std::vector<GpPointF> out(static_cast<std::size_t>(count));
    for (INT i = 0; i < count; ++i)
        out[static_cast<std::size_t>(i)] = {static_cast<REAL>(pts[i].X), static_cast<REAL>(pts[i].Y)};
    return out;
}

// Starts a figure at pt, or joins the open figure by a line to pt (nothing when pt repeats its last point).
void Begin(PathData& d, GpPointF pt) {
    d.ellipseOnly = false;
    if (d.startNew || d.points.empty()) {
        d.points.push_back(pt);
        d.types.push_back(PathPointTypeStart);
        d.startNew = false;
        return;
    }
    const GpPointF last = d.points.back();
    if (last.X == pt.X && last.Y == pt.Y) return;
    d.points.push_back(pt);
    d.types.push_back(PathPointTypeLine);
}

void Push(PathData& d, const GpPointF* pts, std::size_t count, BYTE type) {
    for (std::size_t i = 0; i < count; ++i) {
        d.points.push_back(pts[i]);
        d.types.push_back(type);
    }
}

// A run of points: the first begins or joins the figure, the others follow with `type`.
void Append(PathData& d, const GpPointF* pts, std::size_t count, BYTE type) {
    if (count == 0) return;
    Begin(d, pts[0]);
    Push(d, pts + 1, count - 1, type);
}

void CloseFigure(PathData& d) {
    if (!d.points.empty()) d.types.back() |= PathPointTypeCloseSubpath;
    d.startNew = true;
}

// Bézier points of an elliptic arc: the start point then three points per segment of at most 90 degrees.
// Angles are in degrees, clockwise from the x axis, measured as true angles on the ellipse.
std::vector<GpPointF> ArcPoints(double x, double y, double w, double h, double start, double sweep) {
    sweep = std::clamp(sweep, -360.0, 360.0);
    const int segments = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / 90.0 - 1e-9)));
    const double rx = w / 2, ry = h / 2, cx = x + rx, cy = y + ry;
    const double deg = M_PI / 180.0;
    auto param = [&](double angle) {
        const double a = angle * deg;
        double t = std::atan2(rx * std::sin(a), ry * std::cos(a));
        t += 2 * M_PI * std::round((a - t) / (2 * M_PI));
        return t;
    };
    auto at = [&](double t) {
        return GpPointF{static_cast<REAL>(cx + rx * std::cos(t)), static_cast<REAL>(cy + ry * std::sin(t))};
    };
    std::vector<GpPointF> out;
    double t1 = param(start);
    out.push_back(at(t1));
    for (int s = 1; s <= segments; ++s) {
        const double t2 = param(start + sweep * s / segments);
        const double k = 4.0 / 3.0 * std::tan((t2 - t1) / 4.0);
        const GpPointF p0 = at(t1), p3 = at(t2);
        out.push_back({static_cast<REAL>(p0.X - k * rx * std::sin(t1)),
                       static_cast<REAL>(p0.Y + k * ry * std::cos(t1))});
        out.push_back({static_cast<REAL>(p3.X + k * rx * std::sin(t2)),
                       static_cast<REAL>(p3.Y - k * ry * std::cos(t2))});
        out.push_back(p3);
        t1 = t2;
    }
    return out;
}

bool ValidArc(REAL x, REAL y, REAL w, REAL h, REAL start, REAL sweep) {
    return detail::ValidCoords({x, y, w, h, x + w, y + h}) && std::isfinite(start) && std::isfinite(sweep) &&
           w > 0 && h > 0;
}

// Cardinal spline through the points as Bézier points (start point plus three per segment).
std::vector<GpPointF> CurvePoints(const GpPointF* p, INT count, double tension) {
    std::vector<GpPointF> out;
    const double k = tension / 3.0;
    out.push_back(p[0]);
    for (INT i = 0; i + 1 < count; ++i) {
        const GpPointF prev = p[std::max(i - 1, 0)], a = p[i], b = p[i + 1],
                       next = p[std::min(i + 2, count - 1)];
        out.push_back(
            {static_cast<REAL>(a.X + k * (b.X - prev.X)), static_cast<REAL>(a.Y + k * (b.Y - prev.Y))});
        out.push_back(
            {static_cast<REAL>(b.X - k * (next.X - a.X)), static_cast<REAL>(b.Y - k * (next.Y - a.Y))});
        out.push_back(b);
    }
    return out;
}

} // namespace

GpStatus GdipCreatePath(GpFillMode brushMode, GpPath** path) {
    if (!path) return InvalidParameter;
    *path = nullptr;
    if (brushMode != FillModeAlternate && brushMode != FillModeWinding) return InvalidParameter;
    auto* p = new (std::nothrow) GpPath;
    if (!p) return OutOfMemory;
    p->data.fillMode = brushMode;
    *path = p;
    return Ok;
}

GpStatus GdipDeletePath(GpPath* path) {
    if (!path) return InvalidParameter;
    delete path;
    return Ok;
}

GpStatus GdipClonePath(GpPath* path, GpPath** clonePath) {
    if (!path || !clonePath) return InvalidParameter;
    *clonePath = new (std::nothrow) GpPath(*path);
    return *clonePath ? Ok : OutOfMemory;
}

GpStatus GdipResetPath(GpPath* path) {
    if (!path) return InvalidParameter;
    const FillMode mode = path->data.fillMode;
    path->data = PathData{};
    path->data.fillMode = mode;
    return Ok;
}

GpStatus GdipGetPointCount(GpPath* path, INT* count) {
    if (!path || !count) return InvalidParameter;
    *count = static_cast<INT>(path->data.points.size());
    return Ok;
}

GpStatus GdipGetPathTypes(GpPath* path, BYTE* types, INT count) {
    if (!path || !types || count <= 0) return InvalidParameter;
    if (static_cast<std::size_t>(count) < path->data.types.size()) return InsufficientBuffer;
    std::copy(path->data.types.begin(), path->data.types.end(), types);
    return Ok;
}

GpStatus GdipGetPathPoints(GpPath* path, GpPointF* points, INT count) {
    if (!path || !points || count <= 0) return InvalidParameter;
    if (static_cast<std::size_t>(count) < path->data.points.size()) return InsufficientBuffer;
    std::copy(path->data.points.begin(), path->data.points.end(), points);
    return Ok;
}

GpStatus GdipGetPathFillMode(GpPath* path, GpFillMode* fillmode) {
    if (!path || !fillmode) return InvalidParameter;
    *fillmode = path->data.fillMode;
    return Ok;
}

GpStatus GdipSetPathFillMode(GpPath* path, GpFillMode fillmode) {
    if (!path || (fillmode != FillModeAlternate && fillmode != FillModeWinding)) return InvalidParameter;
    path->data.fillMode = fillmode;
    return Ok;
}

GpStatus GdipGetPathWorldBounds(GpPath* path, GpRectF* bounds, const GpMatrix* matrix, const GpPen* pen) {
    if (!path || !bounds || matrix) return InvalidParameter;
    *bounds = {0, 0, 0, 0};
    const auto figures = detail::Flatten(path->data);
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (const auto& f : figures)
        for (const auto& p : f.pts) {
            x0 = std::min<double>(x0, p.X), y0 = std::min<double>(y0, p.Y);
            x1 = std::max<double>(x1, p.X), y1 = std::max<double>(y1, p.Y);
        }
    if (!(x0 <= x1)) return Ok;
    const double grow = pen ? pen->width / 2.0 : 0.0;
    *bounds = {static_cast<REAL>(x0 - grow), static_cast<REAL>(y0 - grow),
               static_cast<REAL>(x1 - x0 + 2 * grow), static_cast<REAL>(y1 - y0 + 2 * grow)};
    return Ok;
}

GpStatus GdipStartPathFigure(GpPath* path) {
    if (!path) return InvalidParameter;
    path->data.startNew = true;
    return Ok;
}

GpStatus GdipClosePathFigure(GpPath* path) {
    if (!path) return InvalidParameter;
    CloseFigure(path->data);
    return Ok;
}

GpStatus GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2) {
    if (!path || !detail::ValidCoords({x1, y1, x2, y2})) return InvalidParameter;
    const GpPointF pts[2] = {{x1, y1}, {x2, y2}};
    Append(path->data, pts, 2, PathPointTypeLine);
    return Ok;
}

GpStatus GdipAddPathLineI(GpPath* path, INT x1, INT y1, INT x2, INT y2) {
    return GdipAddPathLine(path, static_cast<REAL>(x1), static_cast<REAL>(y1), static_cast<REAL>(x2),
                           static_cast<REAL>(y2));
}

GpStatus GdipAddPathLine2(GpPath* path, const GpPointF* points, INT count) {
    if (!path || !points || count <= 0 || !ValidPoints(points, count)) return InvalidParameter;
    Append(path->data, points, static_cast<std::size_t>(count), PathPointTypeLine);
    return Ok;
}

GpStatus GdipAddPathLine2I(GpPath* path, const GpPoint* points, INT count) {
    if (!path || !points || count <= 0) return InvalidParameter;
    const auto pts = ToFloat(points, count);
    return GdipAddPathLine2(path, pts.data(), count);
}

GpStatus GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                        REAL sweepAngle) {
    if (!path || !ValidArc(x, y, width, height, startAngle, sweepAngle)) return InvalidParameter;
    const auto pts = ArcPoints(x, y, width, height, startAngle, sweepAngle);
    Append(path->data, pts.data(), pts.size(), PathPointTypeBezier);
    return Ok;
}

GpStatus GdipAddPathArcI(GpPath* path, INT x, INT y, INT width, INT height, REAL startAngle,
                         REAL sweepAngle) {
    return GdipAddPathArc(path, static_cast<REAL>(x), static_cast<REAL>(y), static_cast<REAL>(width),
                          static_cast<REAL>(height), startAngle, sweepAngle);
}

GpStatus GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
    if (!path || !ValidArc(x, y, width, height, 0, 360)) return InvalidParameter;
    const bool wasEmpty = path->data.points.empty();
    const auto pts = ArcPoints(x, y, width, height, 0, 360);
    path->data.startNew = true;
    Append(path->data, pts.data(), pts.size(), PathPointTypeBezier);
    CloseFigure(path->data);
    path->data.ellipseOnly = wasEmpty;
    path->data.ellipse = {x, y, width, height};
    return Ok;
}

GpStatus GdipAddPathEllipseI(GpPath* path, INT x, INT y, INT width, INT height) {
    return GdipAddPathEllipse(path, static_cast<REAL>(x), static_cast<REAL>(y), static_cast<REAL>(width),
                              static_cast<REAL>(height));
}

GpStatus GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                        REAL sweepAngle) {
    if (!path || !ValidArc(x, y, width, height, startAngle, sweepAngle)) return InvalidParameter;
    const auto pts = ArcPoints(x, y, width, height, startAngle, sweepAngle);
    const GpPointF centre{x + width / 2, y + height / 2};
    path->data.startNew = true;
    Begin(path->data, centre);
    // The arc's first point always follows the centre by a line.
    Push(path->data, pts.data(), 1, PathPointTypeLine);
    Push(path->data, pts.data() + 1, pts.size() - 1, PathPointTypeBezier);
    CloseFigure(path->data);
    return Ok;
}

GpStatus GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
    if (!path || !detail::ValidCoords({x, y, width, height, x + width, y + height})) return InvalidParameter;
    if (width <= 0 || height <= 0) return Ok; // GDI+ adds nothing for an empty rectangle
    const GpPointF pts[4] = {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}};
    path->data.startNew = true;
    Append(path->data, pts, 4, PathPointTypeLine);
    CloseFigure(path->data);
    return Ok;
}

GpStatus GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count) {
    if (!path || !points || count < 3 || !ValidPoints(points, count)) return InvalidParameter;
    path->data.startNew = true;
    Append(path->data, points, static_cast<std::size_t>(count), PathPointTypeLine);
    CloseFigure(path->data);
    return Ok;
}

GpStatus GdipAddPathPolygonI(GpPath* path, const GpPoint* points, INT count) {
    if (!path || !points || count < 3) return InvalidParameter;
    const auto pts = ToFloat(points, count);
    return GdipAddPathPolygon(path, pts.data(), count);
}

GpStatus GdipAddPathCurve2(GpPath* path, const GpPointF* points, INT count, REAL tension) {
    if (!path || !points || count < 2 || !std::isfinite(tension) || !ValidPoints(points, count))
        return InvalidParameter;
    const auto pts = CurvePoints(points, count, tension);
    Append(path->data, pts.data(), pts.size(), PathPointTypeBezier);
    return Ok;
}

GpStatus GdipAddPathCurve2I(GpPath* path, const GpPoint* points, INT count, REAL tension) {
    if (!path || !points || count < 2) return InvalidParameter;
    const auto pts = ToFloat(points, count);
    return GdipAddPathCurve2(path, pts.data(), count, tension);
}

GpStatus GdipAddPathCurve(GpPath* path, const GpPointF* points, INT count) {
    return GdipAddPathCurve2(path, points, count, 0.5f);
}

GpStatus GdipAddPathCurveI(GpPath* path, const GpPoint* points, INT count) {
    return GdipAddPathCurve2I(path, points, count, 0.5f);
}

GpStatus GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4,
                           REAL y4) {
    if (!path || !detail::ValidCoords({x1, y1, x2, y2, x3, y3, x4, y4})) return InvalidParameter;
    const GpPointF pts[4] = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
    Append(path->data, pts, 4, PathPointTypeBezier);
    return Ok;
}

GpStatus GdipAddPathBezierI(GpPath* path, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4) {
    return GdipAddPathBezier(path, static_cast<REAL>(x1), static_cast<REAL>(y1), static_cast<REAL>(x2),
                             static_cast<REAL>(y2), static_cast<REAL>(x3), static_cast<REAL>(y3),
                             static_cast<REAL>(x4), static_cast<REAL>(y4));
}

} // namespace gdip
