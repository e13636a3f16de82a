#pragma once
// Strokes of wide pens: the pixels whose centres lie inside the pen's outline of a figure, with the pen's
// end caps at the ends of an open figure and its joins at every corner.

#include <vector>

#include "platform/win/GdiInternal.h"
#include "platform/win/Region.h"

namespace win::detail {

struct StrokeStyle {
    int Width = 2;
    UINT EndCap = PS_ENDCAP_ROUND; // PS_ENDCAP_ROUND, _SQUARE or _FLAT
    UINT Join = PS_JOIN_ROUND;     // PS_JOIN_ROUND, _BEVEL or _MITER
};

// The miter limit of a new DC: a miter longer than this many pen widths is drawn as a bevel.
constexpr double DefaultMiterLimit = 10.0;

// The rows of the stroke of the figure through pts (closed: the last point joins the first), limited to
// the part of view (logical coordinates) that can be drawn. Each pixel appears once, so a mix mode such as
// R2_XORPEN touches it once. Odd widths centre on the pixels of the points, even widths on their top-left
// corners; a flat or square end leaves out the pixel centres on its far edge, as a line leaves out its end
// point.
ShapeRows StrokeRows(const std::vector<POINT>& pts, bool closed, const StrokeStyle& style, const RECT& view);

} // namespace win::detail
