// Edges and frame controls in the classic look, drawn from the system colours.

#include <algorithm>

#include "platform/win/GdiDraw.h"
#include "platform/win/GdiPaint.h"

namespace win {

namespace {

using detail::Painter;

void Fill(Painter& p, const RECT& r, COLORREF c) {
    p.UseColor(c, R2_COPYPEN);
    p.Rect(r);
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

void Line(Painter& p, int x0, int y0, int x1, int y1, COLORREF c) {
    // Horizontal, vertical and 45-degree strokes for the glyphs, end point included.
    p.UseColor(c, R2_COPYPEN);
    const int dx = (x1 > x0) - (x1 < x0), dy = (y1 > y0) - (y1 < y0);
    const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= n; ++i)
        p.Pixel(x0 + dx * i, y0 + dy * i);
}

// A filled triangle pointing in a direction (0 up, 1 down, 2 left, 3 right), centred in r.
void Arrow(Painter& p, const RECT& r, int dir, COLORREF c) {
    const int size = std::max(1, std::min(r.Width(), r.Height()) / 4);
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    p.UseColor(c, R2_COPYPEN);
    for (int i = 0; i < size; ++i) {
        switch (dir) {
        case 0:
            p.Span(cy - size / 2 + i, cx - i, cx + i + 1);
            break;
        case 1:
            p.Span(cy - size / 2 + i, cx - (size - 1 - i), cx + (size - i));
            break;
        case 2:
            for (int y = cy - i; y <= cy + i; ++y)
                p.Pixel(cx - size / 2 + i, y);
            break;
        default:
            for (int y = cy - (size - 1 - i); y <= cy + (size - 1 - i); ++y)
                p.Pixel(cx - size / 2 + i, y);
            break;
        }
    }
}

void Check(Painter& p, const RECT& r, COLORREF c) {
    // A tick of three-pixel-thick strokes, scaled to the box.
    const int s = std::max(3, std::min(r.Width(), r.Height()) - 4);
    const int x = r.Left + (r.Width() - s) / 2, y = r.Top + (r.Height() - s) / 2;
    const int midX = x + s / 3, baseY = y + s - 2;
    for (int k = 0; k < 3; ++k) {
        Line(p, x, baseY - (midX - x) + k - 1, midX, baseY + k - 1, c);
        Line(p, midX, baseY + k - 1, x + s - 1, baseY - (x + s - 1 - midX) + k - 1, c);
    }
}

void Dot(Painter& p, const RECT& r, COLORREF c) {
    const int s = std::max(2, std::min(r.Width(), r.Height()) / 3);
    const int x = r.Left + (r.Width() - s) / 2, y = r.Top + (r.Height() - s) / 2;
    p.UseColor(c, R2_COPYPEN);
    p.Rows(detail::RoundRectRows(x, y, x + s, y + s, s, s));
}

// A disc filling r, in dark where x + y lies above the box's anti-diagonal and light on and below it.
void SunkenDisc(Painter& p, const RECT& r, COLORREF dark, COLORREF light) {
    const int s = r.Width();
    const detail::ShapeRows disc = detail::RoundRectRows(r.Left, r.Top, r.Right, r.Bottom, s, s);
    for (std::size_t i = 0; i < disc.Rows.size(); ++i) {
        const int y = disc.Top + static_cast<int>(i);
        // Pixels with (x - Left) + (y - Top) < s - 1 are on the upper-left side.
        const int split = r.Left + (s - 1) - (y - r.Top);
        const auto& row = disc.Rows[i];
        for (std::size_t k = 0; k + 1 < row.size(); k += 2) {
            p.UseColor(dark, R2_COPYPEN);
            p.Span(y, row[k], std::min(row[k + 1], split));
            p.UseColor(light, R2_COPYPEN);
            p.Span(y, std::max(row[k], split), row[k + 1]);
        }
    }
}

// The face of a checked control: the face and highlight colours in a checkerboard, the highlight on the
// pixels whose device x + y from the brush origin is even, as the platform's dither brush lies.
void Dither(Painter& p, const RECT& r) {
    const COLORREF face = Sys(COLOR_BTNFACE), light = Sys(COLOR_BTNHIGHLIGHT);
    const DeviceContext* dc = p.DC();
    const int ox = dc->SurfaceOrigin.X + dc->State.BrushOrg.X,
              oy = dc->SurfaceOrigin.Y + dc->State.BrushOrg.Y;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            p.UseColor((p.SX(x) - ox + p.SY(y) - oy) % 2 == 0 ? light : face, R2_COPYPEN);
            p.Pixel(x, y);
        }
}

RECT Square(const RECT& r) {
    const int s = std::min(r.Width(), r.Height());
    const int x = r.Left + (r.Width() - s) / 2, y = r.Top + (r.Height() - s) / 2;
    return {x, y, x + s, y + s};
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
        const int n = ((edge & BDR_OUTER) ? 1 : 0) + ((edge & BDR_INNER) ? 1 : 0);
        if (sides & BF_LEFT) qrc->Left += n;
        if (sides & BF_TOP) qrc->Top += n;
        if (sides & BF_RIGHT) qrc->Right -= n;
        if (sides & BF_BOTTOM) qrc->Bottom -= n;
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
        if (pushed) box = {box.Left + 1, box.Top + 1, box.Right + 1, box.Bottom + 1};
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
            const int s = box.Width();
            if (kind & DFCS_BUTTONRADIOMASK) {
                p.UseColor(0x000000, R2_COPYPEN);
                p.Rows(detail::RoundRectRows(box.Left, box.Top, box.Right, box.Bottom, s, s));
                break;
            }
            // A sunken ring of two tones: each circle is dark above the anti-diagonal of the box and
            // light below it, the outer one shadow and highlight, the inner one dark shadow and light.
            SunkenDisc(p, box, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
            SunkenDisc(p, {box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1}, Sys(COLOR_3DDKSHADOW),
                       Sys(COLOR_3DLIGHT));
            p.UseColor(back, R2_COPYPEN);
            p.Rows(detail::RoundRectRows(box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2, s - 4,
                                         s - 4));
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
        const int m = std::max(1, g.Width() / 5);
        const RECT in{g.Left + m, g.Top + m, g.Right - m, g.Bottom - m};
        switch (kind) {
        case DFCS_CAPTIONCLOSE:
            for (int k = 0; k < 2; ++k) {
                Line(p, in.Left + k, in.Top, in.Right - 2 + k, in.Bottom - 1, glyph);
                Line(p, in.Right - 2 + k, in.Top, in.Left + k, in.Bottom - 1, glyph);
            }
            break;
        case DFCS_CAPTIONMIN:
            Fill(p, {in.Left, in.Bottom - 2, in.Right - 1, in.Bottom}, glyph);
            break;
        case DFCS_CAPTIONMAX:
            Fill(p, {in.Left, in.Top, in.Right, in.Top + 2}, glyph);
            Fill(p, {in.Left, in.Top, in.Left + 1, in.Bottom}, glyph);
            Fill(p, {in.Right - 1, in.Top, in.Right, in.Bottom}, glyph);
            Fill(p, {in.Left, in.Bottom - 1, in.Right, in.Bottom}, glyph);
            break;
        case DFCS_CAPTIONRESTORE: {
            const int s = std::max(3, in.Width() * 2 / 3);
            for (const RECT w : {RECT{in.Right - s, in.Top, in.Right, in.Top + s},
                                 RECT{in.Left, in.Bottom - s, in.Left + s, in.Bottom}}) {
                Fill(p, w, Sys(COLOR_BTNFACE));
                Fill(p, {w.Left, w.Top, w.Right, w.Top + 2}, glyph);
                Fill(p, {w.Left, w.Top, w.Left + 1, w.Bottom}, glyph);
                Fill(p, {w.Right - 1, w.Top, w.Right, w.Bottom}, glyph);
                Fill(p, {w.Left, w.Bottom - 1, w.Right, w.Bottom}, glyph);
            }
            break;
        }
        default: {
            // Help: a question mark from strokes.
            const int cx = in.Left + in.Width() / 2;
            Line(p, cx - 2, in.Top + 1, cx - 1, in.Top, glyph);
            Line(p, cx - 1, in.Top, cx + 1, in.Top, glyph);
            Line(p, cx + 2, in.Top + 1, cx + 2, in.Top + 2, glyph);
            Line(p, cx + 1, in.Top + 3, cx, in.Top + 4, glyph);
            Line(p, cx, in.Top + 4, cx, in.Bottom - 3, glyph);
            Line(p, cx, in.Bottom - 1, cx, in.Bottom - 1, glyph);
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
            // Diagonal grip lines towards the bottom-right corner.
            for (int k = 1; k + 1 < std::min(r.Width(), r.Height()); k += 4) {
                Line(p, r.Right - 1, r.Bottom - 1 - k, r.Right - 1 - k, r.Bottom - 1,
                     Sys(COLOR_BTNHIGHLIGHT));
                Line(p, r.Right - 1, r.Bottom - k, r.Right - k, r.Bottom - 1, Sys(COLOR_BTNSHADOW));
                Line(p, r.Right - 1, r.Bottom + 1 - k, r.Right + 1 - k, r.Bottom - 1, Sys(COLOR_BTNSHADOW));
            }
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
    if (uState & DFCS_ADJUSTRECT) {
        lprc->Left += 2;
        lprc->Top += 2;
        lprc->Right -= 2;
        lprc->Bottom -= 2;
    }
    return TRUE;
}

} // namespace win
