// Edges and frame controls in the classic look, drawn from the system colours.

#include <algorithm>

#include "platform/win/GdiDraw.h"
#include "platform/win/GdiPaint.h"

namespace win {

namespace {

using detail::Painter;

// Frame controls may be asked for boxes anywhere in the int range and of any size: their glyphs are worked
// out in 64 bits, and only what the clip reaches is walked or rasterised, so that a box of two billion
// pixels a side costs what its visible part does.
using Coord = long long;

RECT Box(Coord l, Coord t, Coord r, Coord b) {
    return {vcl::ClampToInt(l), vcl::ClampToInt(t), vcl::ClampToInt(r), vcl::ClampToInt(b)};
}

Coord WidthOf(const RECT& r) {
    return Coord{r.Right} - r.Left;
}
Coord HeightOf(const RECT& r) {
    return Coord{r.Bottom} - r.Top;
}

void Fill(Painter& p, const RECT& r, COLORREF c) {
    p.UseColor(c, R2_COPYPEN);
    p.Rect(r);
}

void Fill(Painter& p, Coord l, Coord t, Coord r, Coord b, COLORREF c) {
    Fill(p, Box(l, t, r, b), c);
}

// One ring of an edge: top and left in tl, bottom and right in br; the bottom-right colour takes the
// top-right and bottom-left corners when those sides are drawn. A side whose neighbour is not drawn
// runs to the end of the rectangle.
void Ring(Painter& p, RECT& r, UINT sides, COLORREF tl, COLORREF br) {
    if (r.IsEmpty()) return;
    const int right = (sides & BF_RIGHT) ? r.Right - 1 : r.Right;
    const int bottom = (sides & BF_BOTTOM) ? r.Bottom - 1 : r.Bottom;
    if (sides & BF_TOP) Fill(p, {r.Left, r.Top, right, r.Top + 1}, tl);
    if (sides & BF_LEFT) Fill(p, {r.Left, r.Top, r.Left + 1, bottom}, tl);
    if (sides & BF_BOTTOM) Fill(p, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, br);
    if (sides & BF_RIGHT) Fill(p, {r.Right - 1, r.Top, r.Right, r.Bottom}, br);
    if (sides & BF_LEFT) ++r.Left;
    if (sides & BF_TOP) ++r.Top;
    if (sides & BF_RIGHT) --r.Right;
    if (sides & BF_BOTTOM) --r.Bottom;
}

COLORREF Sys(int i) {
    return GetSysColor(i);
}

// Narrows the steps [from, to] of a walk start + d * i (d -1, 0 or 1) to those that land in [low, high).
void Narrow(Coord& from, Coord& to, Coord start, int d, Coord low, Coord high) {
    if (d == 0) {
        if (start < low || start >= high) to = from - 1;
    } else if (d > 0) {
        from = std::max(from, low - start);
        to = std::min(to, high - 1 - start);
    } else {
        from = std::max(from, start - (high - 1));
        to = std::min(to, start - low);
    }
}

void Line(Painter& p, Coord x0, Coord y0, Coord x1, Coord y1, COLORREF c) {
    // Horizontal, vertical and 45-degree strokes for the glyphs, end point included.
    p.UseColor(c, R2_COPYPEN);
    const int dx = (x1 > x0) - (x1 < x0), dy = (y1 > y0) - (y1 < y0);
    Coord from = 0, to = std::max(std::llabs(x1 - x0), std::llabs(y1 - y0));
    const RECT v = p.LogicalBounds();
    Narrow(from, to, x0, dx, v.Left, v.Right);
    Narrow(from, to, y0, dy, v.Top, v.Bottom);
    for (Coord i = from; i <= to; ++i)
        p.Pixel(static_cast<int>(x0 + dx * i), static_cast<int>(y0 + dy * i));
}

// A filled triangle pointing in a direction (0 up, 1 down, 2 left, 3 right), centred in r.
void Arrow(Painter& p, const RECT& r, int dir, COLORREF c) {
    const Coord size = std::max<Coord>(1, std::min(WidthOf(r), HeightOf(r)) / 4);
    const Coord cx = r.Left + WidthOf(r) / 2, cy = r.Top + HeightOf(r) / 2;
    p.UseColor(c, R2_COPYPEN);
    const RECT v = p.LogicalBounds();
    // Row (up, down) or column (left, right) i of the triangle lies at first + i.
    const bool rows = dir < 2;
    const Coord first = (rows ? cy : cx) - size / 2;
    Coord from = 0, to = size - 1;
    Narrow(from, to, first, 1, rows ? v.Top : v.Left, rows ? v.Bottom : v.Right);
    for (Coord i = from; i <= to; ++i) {
        const Coord half = (dir == 0 || dir == 2) ? i : size - 1 - i;
        const Coord at = first + i;
        if (rows)
            p.Rect(Box(cx - half, at, cx + half + 1, at + 1));
        else
            p.Rect(Box(at, cy - half, at + 1, cy + half + 1));
    }
}

void Check(Painter& p, const RECT& r, COLORREF c) {
    // A tick of three-pixel-thick strokes, scaled to the box.
    const Coord s = std::max<Coord>(3, std::min(WidthOf(r), HeightOf(r)) - 4);
    const Coord x = r.Left + (WidthOf(r) - s) / 2, y = r.Top + (HeightOf(r) - s) / 2;
    const Coord midX = x + s / 3, baseY = y + s - 2;
    for (int k = 0; k < 3; ++k) {
        Line(p, x, baseY - (midX - x) + k - 1, midX, baseY + k - 1, c);
        Line(p, midX, baseY + k - 1, x + s - 1, baseY - (x + s - 1 - midX) + k - 1, c);
    }
}

// The rows of a disc (or rounded box) whose corners are ellipses of w by h, limited to the rows the clip
// reaches.
detail::ShapeRows VisibleRounded(const Painter& p, const RECT& r, Coord w, Coord h) {
    const RECT v = p.LogicalBounds();
    return detail::RoundRectRows(r.Left, r.Top, r.Right, r.Bottom, vcl::ClampToInt(w), vcl::ClampToInt(h),
                                 v.Top, v.Bottom);
}

void Dot(Painter& p, const RECT& r, COLORREF c) {
    const Coord s = std::max<Coord>(2, std::min(WidthOf(r), HeightOf(r)) / 3);
    const Coord x = r.Left + (WidthOf(r) - s) / 2, y = r.Top + (HeightOf(r) - s) / 2;
    p.UseColor(c, R2_COPYPEN);
    p.Rows(VisibleRounded(p, Box(x, y, x + s, y + s), s, s));
}

// A disc filling r, in dark where x + y lies above the box's anti-diagonal and light on and below it.
void SunkenDisc(Painter& p, const RECT& r, COLORREF dark, COLORREF light) {
    const Coord s = WidthOf(r);
    const detail::ShapeRows disc = VisibleRounded(p, r, s, s);
    for (std::size_t i = 0; i < disc.Rows.size(); ++i) {
        const int y = disc.Top + static_cast<int>(i);
        // Pixels with (x - Left) + (y - Top) < s - 1 are on the upper-left side.
        const Coord split = r.Left + (s - 1) - (y - Coord{r.Top});
        const auto& row = disc.Rows[i];
        for (std::size_t k = 0; k + 1 < row.size(); k += 2) {
            p.UseColor(dark, R2_COPYPEN);
            p.Span(y, row[k], static_cast<int>(std::min<Coord>(row[k + 1], split)));
            p.UseColor(light, R2_COPYPEN);
            p.Span(y, static_cast<int>(std::max<Coord>(row[k], split)), row[k + 1]);
        }
    }
}

// The face of a checked control: the face and highlight colours in a checkerboard, the highlight on the
// pixels whose device x + y from the brush origin is even, as the platform's dither brush lies.
void Dither(Painter& p, const RECT& r) {
    const COLORREF face = Sys(COLOR_BTNFACE), light = Sys(COLOR_BTNHIGHLIGHT);
    const DeviceContext* dc = p.DC();
    const DeviceContext::Offset64 o = dc->Offset();
    const Coord shift = o.X + o.Y - dc->State.BrushOrg.X - dc->State.BrushOrg.Y;
    const RECT v = p.LogicalBounds();
    for (int y = std::max(r.Top, v.Top); y < std::min(r.Bottom, v.Bottom); ++y)
        for (int x = std::max(r.Left, v.Left); x < std::min(r.Right, v.Right); ++x) {
            p.UseColor(((x + Coord{y} + shift) & 1) == 0 ? light : face, R2_COPYPEN);
            p.Pixel(x, y);
        }
}

RECT Square(const RECT& r) {
    const Coord s = std::min(WidthOf(r), HeightOf(r));
    const Coord x = r.Left + (WidthOf(r) - s) / 2, y = r.Top + (HeightOf(r) - s) / 2;
    return Box(x, y, x + s, y + s);
}

// The diagonal lines of a size grip in the bottom-right corner of r, every fourth one from the corner, the
// ones that the clip reaches.
void SizeGrip(Painter& p, const RECT& r) {
    const Coord right = r.Right, bottom = r.Bottom, n = std::min(WidthOf(r), HeightOf(r));
    // Line k's pixels have x + y from right + bottom - 2 - k to right + bottom - k.
    const RECT v = p.LogicalBounds();
    Coord k = std::max<Coord>(1, right + bottom - v.Right - v.Bottom);
    k += ((1 - k) % 4 + 4) % 4;
    const Coord last = std::min(n - 2, right + bottom - v.Left - v.Top);
    for (; k <= last; k += 4) {
        Line(p, right - 1, bottom - 1 - k, right - 1 - k, bottom - 1, Sys(COLOR_BTNHIGHLIGHT));
        Line(p, right - 1, bottom - k, right - k, bottom - 1, Sys(COLOR_BTNSHADOW));
        Line(p, right - 1, bottom + 1 - k, right + 1 - k, bottom - 1, Sys(COLOR_BTNSHADOW));
    }
}

// r grown by d on every side (shrunk for a negative d), stopping at the ends of the int range.
RECT Grown(const RECT& r, Coord d) {
    return Box(r.Left - d, r.Top - d, r.Right + d, r.Bottom + d);
}

} // namespace

BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || qrc == nullptr) return FALSE;
    if (grfFlags & BF_DIAGONAL) return FALSE; // diagonal edges are not drawn by this layer
    RECT r = *qrc;
    const UINT sides = grfFlags & BF_RECT;
    Painter p(dc);
    if (p.Ok()) {
        const UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
        if (grfFlags & (BF_FLAT | BF_MONO)) {
            const bool mono = grfFlags & BF_MONO;
            if (outer)
                Ring(p, r, sides, Sys(mono ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW),
                     Sys(mono ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW));
            if (inner)
                Ring(p, r, sides, Sys(mono ? COLOR_WINDOW : COLOR_BTNFACE),
                     Sys(mono ? COLOR_WINDOW : COLOR_BTNFACE));
        } else {
            // A soft edge swaps the top-left colours of the outer and inner rings: the brighter (or
            // darker) line goes outside.
            const bool soft = grfFlags & BF_SOFT;
            const int raisedOut = soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT;
            const int raisedIn = soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT;
            const int sunkenOut = soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW;
            const int sunkenIn = soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW;
            if (outer == BDR_RAISEDOUTER)
                Ring(p, r, sides, Sys(raisedOut), Sys(COLOR_3DDKSHADOW));
            else if (outer == BDR_SUNKENOUTER)
                Ring(p, r, sides, Sys(sunkenOut), Sys(COLOR_BTNHIGHLIGHT));
            if (inner == BDR_RAISEDINNER)
                Ring(p, r, sides, Sys(raisedIn), Sys(COLOR_BTNSHADOW));
            else if (inner == BDR_SUNKENINNER)
                Ring(p, r, sides, Sys(sunkenIn), Sys(COLOR_3DLIGHT));
        }
        if ((grfFlags & BF_MIDDLE) && !r.IsEmpty())
            Fill(p, r, Sys((grfFlags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    if (grfFlags & BF_ADJUST) {
        // The rectangle shrinks by the borders drawn.
        const Coord n = ((edge & BDR_OUTER) ? 1 : 0) + ((edge & BDR_INNER) ? 1 : 0);
        const RECT& q = *qrc;
        *qrc = Box(q.Left + ((sides & BF_LEFT) ? n : 0), q.Top + ((sides & BF_TOP) ? n : 0),
                   q.Right - ((sides & BF_RIGHT) ? n : 0), q.Bottom - ((sides & BF_BOTTOM) ? n : 0));
    }
    return TRUE;
}

BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || lprc == nullptr) return FALSE;
    RECT r = *lprc;
    const bool inactive = uState & DFCS_INACTIVE, pushed = uState & (DFCS_PUSHED | DFCS_CHECKED);
    const COLORREF glyph = Sys(inactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    const UINT kind = uState & 0xFF;
    auto face = [&](RECT& box) {
        if (uState & DFCS_FLAT) {
            Painter p(dc);
            if (!(uState & DFCS_TRANSPARENT)) Fill(p, box, Sys(COLOR_BTNFACE));
            Ring(p, box, BF_RECT, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW));
            return;
        }
        RECT e = box;
        DrawEdge(hdc, &e, pushed ? EDGE_SUNKEN : EDGE_RAISED,
                 BF_RECT | BF_SOFT | BF_ADJUST | ((uState & DFCS_TRANSPARENT) ? 0 : BF_MIDDLE));
        box = e;
        if (pushed)
            box = Box(Coord{box.Left} + 1, Coord{box.Top} + 1, Coord{box.Right} + 1, Coord{box.Bottom} + 1);
    };
    switch (uType) {
    case DFC_BUTTON: {
        if (kind & DFCS_BUTTONPUSH) {
            // Checked and not pressed: sunken, with the dithered face.
            if ((uState & DFCS_CHECKED) && !(uState & (DFCS_PUSHED | DFCS_FLAT | DFCS_TRANSPARENT))) {
                DrawEdge(hdc, &r, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_ADJUST);
                Painter p(dc);
                Dither(p, r);
                break;
            }
            face(r);
            break;
        }
        Painter p(dc);
        if (!p.Ok()) break;
        const RECT box = Square(r);
        const COLORREF back = Sys(inactive || (uState & DFCS_PUSHED) ? COLOR_BTNFACE : COLOR_WINDOW);
        if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            const Coord s = WidthOf(box);
            if (kind & DFCS_BUTTONRADIOMASK) {
                p.UseColor(0x000000, R2_COPYPEN);
                p.Rows(VisibleRounded(p, box, s, s));
                break;
            }
            // A sunken ring of two tones: each circle is dark above the anti-diagonal of the box and
            // light below it, the outer one shadow and highlight, the inner one dark shadow and light.
            SunkenDisc(p, box, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
            SunkenDisc(p, Grown(box, -1), Sys(COLOR_3DDKSHADOW), Sys(COLOR_3DLIGHT));
            p.UseColor(back, R2_COPYPEN);
            p.Rows(VisibleRounded(p, Grown(box, -2), s - 4, s - 4));
            if (uState & DFCS_CHECKED) Dot(p, box, glyph);
        } else {
            // The classic check box is a sunken 3-D box; its two rings are two pixels thick each on boxes
            // larger than 16 pixels. A checked three-state box shows its grey tick on the dithered face.
            RECT in = box;
            const int thickness = box.Width() > 16 ? 2 : 1;
            for (int k = 0; k < thickness; ++k)
                Ring(p, in, BF_RECT, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
            for (int k = 0; k < thickness; ++k)
                Ring(p, in, BF_RECT, Sys(COLOR_3DDKSHADOW), Sys(COLOR_3DLIGHT));
            const bool mixed = (kind & DFCS_BUTTON3STATE) && (uState & DFCS_CHECKED);
            if (mixed && !(uState & DFCS_PUSHED))
                Dither(p, in);
            else
                Fill(p, in, back);
            if (uState & DFCS_CHECKED) Check(p, in, mixed ? Sys(COLOR_GRAYTEXT) : glyph);
        }
        break;
    }
    case DFC_CAPTION: {
        face(r);
        Painter p(dc);
        if (!p.Ok()) break;
        const RECT g = Square(r);
        const Coord m = std::max<Coord>(1, WidthOf(g) / 5);
        const Coord left = g.Left + m, top = g.Top + m, right = g.Right - m, bottom = g.Bottom - m;
        // A window's outline in the glyph's colour, two pixels thick at the top.
        const auto frame = [&](Coord l, Coord t, Coord rr, Coord b) {
            Fill(p, l, t, rr, t + 2, glyph);
            Fill(p, l, t, l + 1, b, glyph);
            Fill(p, rr - 1, t, rr, b, glyph);
            Fill(p, l, b - 1, rr, b, glyph);
        };
        switch (kind) {
        case DFCS_CAPTIONCLOSE:
            for (int k = 0; k < 2; ++k) {
                Line(p, left + k, top, right - 2 + k, bottom - 1, glyph);
                Line(p, right - 2 + k, top, left + k, bottom - 1, glyph);
            }
            break;
        case DFCS_CAPTIONMIN:
            Fill(p, left, bottom - 2, right - 1, bottom, glyph);
            break;
        case DFCS_CAPTIONMAX:
            frame(left, top, right, bottom);
            break;
        case DFCS_CAPTIONRESTORE: {
            const Coord s = std::max<Coord>(3, (right - left) * 2 / 3);
            Fill(p, right - s, top, right, top + s, Sys(COLOR_BTNFACE));
            frame(right - s, top, right, top + s);
            Fill(p, left, bottom - s, left + s, bottom, Sys(COLOR_BTNFACE));
            frame(left, bottom - s, left + s, bottom);
            break;
        }
        default: {
            // Help: a question mark from strokes.
            const Coord cx = left + (right - left) / 2;
            Line(p, cx - 2, top + 1, cx - 1, top, glyph);
            Line(p, cx - 1, top, cx + 1, top, glyph);
            Line(p, cx + 2, top + 1, cx + 2, top + 2, glyph);
            Line(p, cx + 1, top + 3, cx, top + 4, glyph);
            Line(p, cx, top + 4, cx, bottom - 3, glyph);
            Line(p, cx, bottom - 1, cx, bottom - 1, glyph);
            break;
        }
        }
        break;
    }
    case DFC_SCROLL: {
        if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
            Painter p(dc);
            if (!p.Ok()) break;
            if (!(uState & DFCS_TRANSPARENT)) Fill(p, r, Sys(COLOR_BTNFACE));
            SizeGrip(p, r);
            break;
        }
        face(r);
        Painter p(dc);
        const int dir = kind == DFCS_SCROLLUP      ? 0
                        : kind == DFCS_SCROLLLEFT  ? 2
                        : kind == DFCS_SCROLLRIGHT ? 3
                                                   : 1;
        Arrow(p, r, dir, glyph);
        break;
    }
    case DFC_MENU:
    case DFC_POPUPMENU: {
        // Menu glyphs are drawn black on white, as a mask the caller colours.
        Painter p(dc);
        if (!p.Ok()) break;
        Fill(p, r, 0xFFFFFF);
        if (kind == DFCS_MENUCHECK)
            Check(p, r, 0x000000);
        else if (kind == DFCS_MENUBULLET)
            Dot(p, r, 0x000000);
        else
            Arrow(p, r, kind == DFCS_MENUARROWRIGHT ? 2 : 3, 0x000000);
        break;
    }
    default:
        return FALSE;
    }
    if (uState & DFCS_ADJUSTRECT) *lprc = Grown(*lprc, -2);
    return TRUE;
}

} // namespace win
