// Pens: colour, width in world units, dash styles and caps.

#include <algorithm>
#include <new>

#include "platform/gdiplus/GdipInternal.h"

namespace gdip {

namespace detail {

double PixelsPerUnit(Unit unit) {
    switch (unit) {
    case UnitWorld:
    case UnitDisplay:
    case UnitPixel:
        return 1.0;
    case UnitPoint:
        return 96.0 / 72.0;
    case UnitInch:
        return 96.0;
    case UnitDocument:
        return 96.0 / 300.0;
    case UnitMillimeter:
        return 96.0 / 25.4;
    }
    return 1.0;
}

void ApplyPen(cairo_t* cr, const GpPen& pen) {
    SetSourceArgb(cr, pen.color);
    // A pen thinner than a pixel draws one pixel wide, as GDI+ does.
    const double width = std::max(1.0, pen.width * PixelsPerUnit(pen.unit));
    cairo_set_line_width(cr, width);
    static const double kDash[] = {3, 1}, kDot[] = {1, 1}, kDashDot[] = {3, 1, 1, 1},
                        kDashDotDot[] = {3, 1, 1, 1, 1, 1};
    const double* pattern = nullptr;
    int count = 0;
    switch (pen.dash) {
    case DashStyleDash:
        pattern = kDash, count = 2;
        break;
    case DashStyleDot:
        pattern = kDot, count = 2;
        break;
    case DashStyleDashDot:
        pattern = kDashDot, count = 4;
        break;
    case DashStyleDashDotDot:
        pattern = kDashDotDot, count = 6;
        break;
    default:
        break;
    }
    if (pattern) {
        double scaled[6];
        for (int i = 0; i < count; ++i)
            scaled[i] = pattern[i] * width;
        cairo_set_dash(cr, scaled, count, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT); // dashes keep flat caps
        return;
    }
    cairo_set_dash(cr, nullptr, 0, 0);
    switch (pen.endCap) {
    case LineCapSquare:
    case LineCapSquareAnchor:
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
        break;
    case LineCapRound:
    case LineCapRoundAnchor:
    case LineCapTriangle:
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        break;
    default:
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        break;
    }
}

} // namespace detail

// ---- pens ----

GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen) {
    if (!pen) return InvalidParameter;
    *pen = nullptr;
    if (!std::isfinite(width) || width < 0 || width > detail::kMaxCoord || unit < UnitWorld ||
        unit > UnitMillimeter || unit == UnitDisplay)
        return InvalidParameter;
    auto* p = new (std::nothrow) GpPen;
    if (!p) return OutOfMemory;
    p->color = color;
    p->width = width;
    p->unit = unit;
    *pen = p;
    return Ok;
}

GpStatus GdipDeletePen(GpPen* pen) {
    if (!pen) return InvalidParameter;
    delete pen;
    return Ok;
}

GpStatus GdipSetPenDashStyle(GpPen* pen, GpDashStyle dashStyle) {
    if (!pen || dashStyle < DashStyleSolid || dashStyle > DashStyleCustom) return InvalidParameter;
    pen->dash = dashStyle;
    return Ok;
}

GpStatus GdipGetPenDashStyle(GpPen* pen, GpDashStyle* dashStyle) {
    if (!pen || !dashStyle) return InvalidParameter;
    *dashStyle = pen->dash;
    return Ok;
}

namespace {
bool ValidCap(LineCap cap) {
    return (cap >= LineCapFlat && cap <= LineCapTriangle) ||
           (cap >= LineCapNoAnchor && cap <= LineCapArrowAnchor) || cap == LineCapCustom;
}
} // namespace

GpStatus GdipSetPenStartCap(GpPen* pen, GpLineCap startCap) {
    if (!pen || !ValidCap(startCap)) return InvalidParameter;
    pen->startCap = startCap;
    return Ok;
}

GpStatus GdipSetPenEndCap(GpPen* pen, GpLineCap endCap) {
    if (!pen || !ValidCap(endCap)) return InvalidParameter;
    pen->endCap = endCap;
    return Ok;
}

GpStatus GdipGetPenEndCap(GpPen* pen, GpLineCap* endCap) {
    if (!pen || !endCap) return InvalidParameter;
    *endCap = pen->endCap;
    return Ok;
}

GpStatus GdipGetPenWidth(GpPen* pen, REAL* width) {
    if (!pen || !width) return InvalidParameter;
    *width = pen->width;
    return Ok;
}

GpStatus GdipGetPenColor(GpPen* pen, ARGB* argb) {
    if (!pen || !argb) return InvalidParameter;
    *argb = pen->color;
    return Ok;
}

} // namespace gdip
