// Solid fills, linear gradients and path gradients.

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/gdiplus/GdipInternal.h"

namespace gdip {

namespace detail {

Status SetBrushSource(cairo_t* cr, const GpBrush* brush) {
    if (auto* s = dynamic_cast<const SolidFillImpl*>(brush)) {
        SetSourceArgb(cr, s->color);
        return Ok;
    }
    if (auto* l = dynamic_cast<const LineGradientImpl*>(brush)) {
        const GpRectF& r = l->rect;
        double x0 = r.X, y0 = r.Y, x1 = r.X + r.Width, y1 = r.Y;
        if (l->mode == LinearGradientModeVertical) {
            x1 = r.X, y1 = r.Y + r.Height;
        } else if (l->mode != LinearGradientModeHorizontal) {
            // Diagonal modes: lines of equal colour run parallel to the other diagonal of the rectangle,
            // so the far corners are the two end colours and the near corners the middle colour.
            const bool forward = l->mode == LinearGradientModeForwardDiagonal;
            const double gx = (forward ? 1.0 : -1.0) / (2.0 * r.Width), gy = 1.0 / (2.0 * r.Height);
            const double len2 = gx * gx + gy * gy;
            x0 = forward ? r.X : r.X + r.Width;
            y0 = r.Y;
            x1 = x0 + gx / len2;
            y1 = y0 + gy / len2;
        }
        cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
        AddStopArgb(p, 0.0, l->color1);
        AddStopArgb(p, 1.0, l->color2);
        cairo_pattern_set_extend(p, l->wrap == WrapModeTile ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_REFLECT);
        cairo_set_source(cr, p);
        cairo_pattern_destroy(p);
        return Ok;
    }
    if (auto* g = dynamic_cast<const PathGradientImpl*>(brush)) {
        // Where a whole-shape fill is not possible (text), the centre colour stands for the brush.
        SetSourceArgb(cr, g->center);
        return Ok;
    }
    return InvalidParameter;
}

namespace {

struct Rgba {
    double a, r, g, b;
};
Rgba Unpack(ARGB c) {
    return {((c >> 24) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
            (c & 0xFF) / 255.0};
}
Rgba Lerp(const Rgba& x, const Rgba& y, double t) {
    return {x.a + (y.a - x.a) * t, x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t};
}

bool AllSame(const std::vector<ARGB>& colors) {
    return std::all_of(colors.begin(), colors.end(), [&](ARGB c) { return c == colors.front(); });
}

// Surround colour at a place along the path's points (see FlatFigure::pos).
Rgba ColourAt(const PathGradientImpl& b, double pos) {
    auto colourOf = [&](std::size_t i) { return Unpack(b.surround[std::min(i, b.surround.size() - 1)]); };
    const double f = std::floor(pos);
    const auto i = static_cast<std::size_t>(std::max(0.0, f));
    return Lerp(colourOf(i), colourOf(i + 1), pos - f);
}

struct Edge {
    double ax, ay, bx, by, pa, pb;
};

// Colour of the brush at a point: between the centre and the boundary along the ray from the centre.
Rgba ColourAtPoint(const PathGradientImpl& b, const std::vector<Edge>& edges, double px, double py) {
    const double cx = b.centerPoint.X, cy = b.centerPoint.Y;
    const Rgba centre = Unpack(b.center);
    double bestT = -1, outsideT = INFINITY;
    Rgba best = centre, outside = centre;
    const double dx = px - cx, dy = py - cy;
    for (const Edge& e : edges) {
        const double ux = e.ax - cx, uy = e.ay - cy, vx = e.bx - cx, vy = e.by - cy;
        const double det = ux * vy - uy * vx;
        if (std::fabs(det) < 1e-12) continue;
        const double beta = (dx * vy - dy * vx) / det, gamma = (ux * dy - uy * dx) / det;
        if (beta < -1e-9 || gamma < -1e-9) continue;
        const double t = beta + gamma;
        const double s = t > 1e-12 ? gamma / t : 0.0;
        const Rgba boundary = Lerp(ColourAt(b, e.pa), ColourAt(b, e.pb), s);
        if (t <= 1.0 + 1e-9) {
            if (t > bestT) bestT = t, best = Lerp(centre, boundary, std::min(t, 1.0));
        } else if (t < outsideT) {
            outsideT = t, outside = boundary;
        }
    }
    return bestT >= 0 ? best : outside;
}

void FillRasterised(cairo_t* cr, const PathGradientImpl& b) {
    cairo_matrix_t toUser;
    cairo_get_matrix(cr, &toUser);
    cairo_matrix_invert(&toUser); // device -> world
    cairo_identity_matrix(cr);
    double x0, y0, x1, y1;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    const int ix0 = static_cast<int>(std::floor(x0)), iy0 = static_cast<int>(std::floor(y0));
    const int w = static_cast<int>(std::ceil(x1)) - ix0, h = static_cast<int>(std::ceil(y1)) - iy0;
    if (w <= 0 || h <= 0 || w > 32767 || h > 32767) return;
    std::vector<Edge> edges;
    for (const FlatFigure& f : Flatten(b.path)) {
        const std::size_t n = f.pts.size();
        for (std::size_t i = 0; i + 1 < n || (i + 1 == n && n > 2); ++i) {
            const std::size_t j = (i + 1) % n;
            edges.push_back({f.pts[i].X, f.pts[i].Y, f.pts[j].X, f.pts[j].Y, f.pos[i], f.pos[j]});
        }
    }
    cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(img) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(img);
        return;
    }
    cairo_surface_flush(img);
    unsigned char* data = cairo_image_surface_get_data(img);
    const int stride = cairo_image_surface_get_stride(img);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            double ux = ix0 + x + 0.5, uy = iy0 + y + 0.5;
            cairo_matrix_transform_point(&toUser, &ux, &uy);
            const Rgba c = ColourAtPoint(b, edges, ux, uy);
            auto byte = [](double v) {
                return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
            };
            const std::uint32_t a = byte(c.a);
            row[x] = (a << 24) | (byte(c.r * c.a) << 16) | (byte(c.g * c.a) << 8) | byte(c.b * c.a);
        }
    }
    cairo_surface_mark_dirty(img);
    cairo_set_source_surface(cr, img, ix0, iy0);
    cairo_paint(cr);
    cairo_surface_destroy(img);
}

} // namespace

void FillWithPathGradient(cairo_t* cr, const PathGradientImpl& b) {
    cairo_save(cr);
    cairo_clip(cr); // the shape being filled
    cairo_new_path(cr);
    AppendPath(cr, b.path);
    cairo_set_fill_rule(cr, b.path.fillMode == FillModeWinding ? CAIRO_FILL_RULE_WINDING
                                                               : CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr); // the brush paints only inside its own path
    const GpRectF& e = b.path.ellipse;
    const double rx = e.Width / 2, ry = e.Height / 2, cx = e.X + rx, cy = e.Y + ry;
    const double fx = (b.centerPoint.X - cx) / rx, fy = (b.centerPoint.Y - cy) / ry;
    // (Tiny ellipses go to the rasteriser: their scale matrix would be near singular, and a Cairo error
    // would stop all later drawing on a shared context.)
    if (b.path.ellipseOnly && AllSame(b.surround) && rx >= 1e-3 && ry >= 1e-3 && fx * fx + fy * fy < 0.98) {
        // One ellipse, one surround colour: a focal radial gradient in the ellipse's unit-circle space.
        cairo_pattern_t* p = cairo_pattern_create_radial(fx, fy, 0, 0, 0, 1);
        AddStopArgb(p, 0, b.center);
        AddStopArgb(p, 1, b.surround.front());
        cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, 1 / rx, 1 / ry);
        cairo_matrix_translate(&m, -cx, -cy);
        cairo_pattern_set_matrix(p, &m);
        cairo_set_source(cr, p);
        cairo_paint(cr);
        cairo_pattern_destroy(p);
    } else {
        FillRasterised(cr, b);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
}

} // namespace detail

using detail::LineGradientImpl;
using detail::PathGradientImpl;
using detail::SolidFillImpl;

// ---- brushes ----

GpStatus GdipDeleteBrush(GpBrush* brush) {
    if (!brush) return InvalidParameter;
    delete brush;
    return Ok;
}

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
    if (!brush) return InvalidParameter;
    auto* b = new (std::nothrow) SolidFillImpl;
    if (!b) return OutOfMemory;
    b->color = color;
    *brush = b;
    return Ok;
}

GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color) {
    auto* b = dynamic_cast<SolidFillImpl*>(brush);
    if (!b || !color) return InvalidParameter;
    *color = b->color;
    return Ok;
}

GpStatus GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                     GpWrapMode wrapMode, GpLineGradient** lineGradient) {
    if (!lineGradient) return InvalidParameter;
    *lineGradient = nullptr;
    if (!rect || mode < LinearGradientModeHorizontal || mode > LinearGradientModeBackwardDiagonal ||
        wrapMode < WrapModeTile || wrapMode > WrapModeTileFlipXY ||
        !detail::ValidCoords({rect->X, rect->Y, rect->Width, rect->Height}))
        return InvalidParameter;
    // GDI+ reports an empty gradient rectangle as out of memory.
    if (!(rect->Width > 0) || !(rect->Height > 0)) return OutOfMemory;
    auto* b = new (std::nothrow) LineGradientImpl;
    if (!b) return OutOfMemory;
    b->rect = *rect;
    b->color1 = color1;
    b->color2 = color2;
    b->mode = mode;
    b->wrap = wrapMode;
    *lineGradient = b;
    return Ok;
}

GpStatus GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                      GpWrapMode wrapMode, GpLineGradient** lineGradient) {
    if (!rect) {
        if (lineGradient) *lineGradient = nullptr;
        return InvalidParameter;
    }
    const GpRectF r{static_cast<REAL>(rect->X), static_cast<REAL>(rect->Y), static_cast<REAL>(rect->Width),
                    static_cast<REAL>(rect->Height)};
    return GdipCreateLineBrushFromRect(&r, color1, color2, mode, wrapMode, lineGradient);
}

// ---- path gradients ----

namespace {

// The centroid of the path's area (the mean of its points for a path without area).
GpPointF Centroid(const detail::PathData& path) {
    double area = 0, cx = 0, cy = 0, sx = 0, sy = 0;
    std::size_t count = 0;
    for (const auto& f : detail::Flatten(path)) {
        const std::size_t n = f.pts.size();
        for (std::size_t i = 0; i < n; ++i) {
            const GpPointF a = f.pts[i], b = f.pts[(i + 1) % n];
            const double cross = static_cast<double>(a.X) * b.Y - static_cast<double>(b.X) * a.Y;
            area += cross;
            cx += (a.X + b.X) * cross;
            cy += (a.Y + b.Y) * cross;
            sx += a.X, sy += a.Y, ++count;
        }
    }
    if (std::fabs(area) > 1e-9)
        return {static_cast<REAL>(cx / (3 * area)), static_cast<REAL>(cy / (3 * area))};
    if (count == 0) return {0, 0};
    return {static_cast<REAL>(sx / count), static_cast<REAL>(sy / count)};
}

PathGradientImpl* AsPathGradient(GpPathGradient* brush) {
    return dynamic_cast<PathGradientImpl*>(brush);
}

} // namespace

GpStatus GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** polyGradient) {
    if (!polyGradient) return InvalidParameter;
    *polyGradient = nullptr;
    if (!path) return InvalidParameter;
    // A path of fewer than two points has no area to paint: GDI+ reports this as out of memory.
    if (path->data.points.size() < 2) return OutOfMemory;
    auto* b = new (std::nothrow) PathGradientImpl;
    if (!b) return OutOfMemory;
    b->path = path->data;
    b->centerPoint = Centroid(path->data);
    *polyGradient = b;
    return Ok;
}

GpStatus GdipSetPathGradientCenterColor(GpPathGradient* brush, ARGB colors) {
    auto* b = AsPathGradient(brush);
    if (!b) return InvalidParameter;
    b->center = colors;
    return Ok;
}

GpStatus GdipGetPathGradientCenterColor(GpPathGradient* brush, ARGB* colors) {
    auto* b = AsPathGradient(brush);
    if (!b || !colors) return InvalidParameter;
    *colors = b->center;
    return Ok;
}

GpStatus GdipSetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* points) {
    auto* b = AsPathGradient(brush);
    if (!b || !points || !detail::ValidCoords({points->X, points->Y})) return InvalidParameter;
    b->centerPoint = *points;
    return Ok;
}

GpStatus GdipGetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* points) {
    auto* b = AsPathGradient(brush);
    if (!b || !points) return InvalidParameter;
    *points = b->centerPoint;
    return Ok;
}

GpStatus GdipSetPathGradientCenterPointI(GpPathGradient* brush, GpPoint* points) {
    if (!points) return InvalidParameter;
    GpPointF p{static_cast<REAL>(points->X), static_cast<REAL>(points->Y)};
    return GdipSetPathGradientCenterPoint(brush, &p);
}

GpStatus GdipGetPathGradientCenterPointI(GpPathGradient* brush, GpPoint* points) {
    if (!points) return InvalidParameter;
    GpPointF p{};
    const GpStatus s = GdipGetPathGradientCenterPoint(brush, &p);
    if (s == Ok) *points = {static_cast<INT>(std::lround(p.X)), static_cast<INT>(std::lround(p.Y))};
    return s;
}

GpStatus GdipGetPathGradientPointCount(GpPathGradient* brush, INT* count) {
    auto* b = AsPathGradient(brush);
    if (!b || !count) return InvalidParameter;
    *count = static_cast<INT>(b->path.points.size());
    return Ok;
}

GpStatus GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* brush, const ARGB* color, INT* count) {
    auto* b = AsPathGradient(brush);
    if (!b || !color || !count) return InvalidParameter;
    const INT points = static_cast<INT>(b->path.points.size());
    if (*count <= 0 || *count > points) return InvalidParameter;
    b->surround.assign(color, color + *count);
    return Ok;
}

GpStatus GdipGetPathGradientSurroundColorCount(GpPathGradient* brush, INT* count) {
    auto* b = AsPathGradient(brush);
    if (!b || !count) return InvalidParameter;
    *count = static_cast<INT>(b->surround.size());
    return Ok;
}

GpStatus GdipGetPathGradientSurroundColorsWithCount(GpPathGradient* brush, ARGB* color, INT* count) {
    auto* b = AsPathGradient(brush);
    if (!b || !color || !count) return InvalidParameter;
    const INT have = static_cast<INT>(b->surround.size());
    if (*count < have) return InsufficientBuffer;
    std::copy(b->surround.begin(), b->surround.end(), color);
    *count = have;
    return Ok;
}

} // namespace gdip
