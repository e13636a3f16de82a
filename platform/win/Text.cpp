// Text output and measuring: TextOut, ExtTextOut and the text extents.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win/FontText.h"
#include "platform/win/TextDraw.h"

namespace win {

namespace detail {

namespace {

void SetSource(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

void ThresholdMonochrome(DeviceContext* dc) {
    PixelView v;
    if (!dc->View(v) || !v.Monochrome) return;
    for (int y = 0; y < v.Height; ++y) {
        std::uint32_t* row = v.Row(y);
        for (int x = 0; x < v.Width; ++x) {
            const std::uint32_t p = row[x];
            const unsigned lum = ((p >> 16) & 0xFF) * 30u + ((p >> 8) & 0xFF) * 59u + (p & 0xFF) * 11u;
            row[x] = lum >= 12800u ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    dc->Dirty();
}

PangoLayout* RunLayout(const DeviceContext* dc, const GdiFont* font, std::string_view text) {
    PangoLayout* layout = NewLayout(font, text);
    if (dc->State.CharExtra != 0) {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(dc->State.CharExtra * PANGO_SCALE));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    return layout;
}

} // namespace

int RunWidth(const DeviceContext* dc, const GdiFont* font, std::string_view text) {
    if (text.empty()) return 0;
    PangoLayout* layout = RunLayout(dc, font, text);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    return PANGO_PIXELS(logical.width);
}

void DrawRun(DeviceContext* dc, const TextRunOptions& o, std::string_view text) {
    const GdiFont* font = CurrentFont(dc);
    const TEXTMETRIC& tm = font->Metrics();
    cairo_t* cr = dc->PrepareCairo();
    if (cr == nullptr) return;
    PangoLayout* layout = RunLayout(dc, font, text);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const int width = text.empty() ? 0 : PANGO_PIXELS(logical.width);
    const double baseline = pango_layout_get_baseline(layout) / double(PANGO_SCALE);
    const double angle = font->Log.lfEscapement / 10.0 * M_PI / 180.0;

    cairo_save(cr);
    if (o.Clip != nullptr) {
        cairo_rectangle(cr, o.Clip->Left, o.Clip->Top, o.Clip->Width(), o.Clip->Height());
        cairo_clip(cr);
    }
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_translate(cr, o.X, o.Y);
    if (angle != 0) cairo_rotate(cr, -angle);
    // Offset of the cell's top-left from the reference point.
    double ox = 0, oy = 0;
    const UINT h = o.Align & (TA_LEFT | TA_RIGHT | TA_CENTER);
    if (h == TA_CENTER)
        ox = -(width / 2);
    else if (h == TA_RIGHT)
        ox = -width;
    const UINT v = o.Align & (TA_TOP | TA_BOTTOM | TA_BASELINE);
    if (v == TA_BASELINE)
        oy = -tm.tmAscent;
    else if (v == TA_BOTTOM)
        oy = -tm.tmHeight;
    if (o.OpaqueBackground && width > 0) {
        SetSource(cr, dc->State.BkColor);
        cairo_rectangle(cr, ox, oy, width, tm.tmHeight);
        cairo_fill(cr);
    }
    SetSource(cr, dc->State.TextColor);
    if (o.DrawGlyphs && !text.empty()) {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
        cairo_move_to(cr, ox, oy + tm.tmAscent - baseline);
        pango_cairo_show_layout(cr, layout);
        cairo_new_path(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    }
    const int thick = font->LineThickness();
    if (o.DrawGlyphs && width > 0) {
        if (font->Log.lfUnderline) {
            cairo_rectangle(cr, ox, oy + tm.tmAscent + font->UnderlinePosition(), width, thick);
            cairo_fill(cr);
        }
        if (font->Log.lfStrikeOut) {
            cairo_rectangle(cr, ox, oy + tm.tmAscent - font->StrikePosition(), width, thick);
            cairo_fill(cr);
        }
    }
    for (const auto& [from, to] : o.Underlines) {
        if (from < 0 || to <= from || static_cast<std::size_t>(to) > text.size()) continue;
        PangoRectangle a, b;
        pango_layout_index_to_pos(layout, from, &a);
        int x1;
        if (static_cast<std::size_t>(to) >= text.size()) {
            x1 = width;
        } else {
            pango_layout_index_to_pos(layout, to, &b);
            x1 = PANGO_PIXELS(b.x);
        }
        const int x0 = PANGO_PIXELS(a.x);
        if (x1 <= x0) continue;
        const int y = std::min<int>(tm.tmAscent + font->UnderlinePosition(), tm.tmHeight - 1);
        cairo_rectangle(cr, ox + x0, oy + y, x1 - x0, 1);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    g_object_unref(layout);
    cairo_surface_flush(cairo_get_target(cr));
    ThresholdMonochrome(dc);
}

} // namespace detail

BOOL GetTextExtentPoint32(HDC hdc, const char* lpString, int c, SIZE* psizl) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || psizl == nullptr || c < 0 || (lpString == nullptr && c > 0)) return FALSE;
    const GdiFont* font = detail::CurrentFont(dc);
    psizl->cx =
        detail::RunWidth(dc, font, std::string_view(lpString ? lpString : "", static_cast<std::size_t>(c)));
    psizl->cy = font->Metrics().tmHeight;
    return TRUE;
}

BOOL GetTextExtentExPoint(HDC hdc, const char* lpszString, int cchString, int nMaxExtent, int* lpnFit,
                          int* lpnDx, SIZE* lpSize) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || cchString < 0 || (lpszString == nullptr && cchString > 0)) return FALSE;
    const std::string_view text(lpszString ? lpszString : "", static_cast<std::size_t>(cchString));
    const GdiFont* font = detail::CurrentFont(dc);
    PangoLayout* layout = detail::NewLayout(font, text);
    int fit = 0, index = 0;
    const char* p = text.data();
    const char* end = text.data() + text.size();
    while (p < end) {
        const char* next = g_utf8_find_next_char(p, end);
        if (next == nullptr) next = end;
        int extent;
        if (next >= end) {
            PangoRectangle logical;
            pango_layout_get_extents(layout, nullptr, &logical);
            extent = PANGO_PIXELS(logical.width);
        } else {
            PangoRectangle pos;
            pango_layout_index_to_pos(layout, static_cast<int>(next - text.data()), &pos);
            extent = PANGO_PIXELS(pos.x);
        }
        extent += dc->State.CharExtra * (index + 1);
        const bool fits = nMaxExtent < 0 || extent <= nMaxExtent;
        if (lpnFit != nullptr && !fits) break;
        if (lpnDx != nullptr) lpnDx[index] = extent;
        ++index;
        if (fits) fit = index;
        p = next;
    }
    g_object_unref(layout);
    if (lpnFit != nullptr) *lpnFit = fit;
    if (lpSize != nullptr) {
        lpSize->cx = detail::RunWidth(dc, font, text);
        lpSize->cy = font->Metrics().tmHeight;
    }
    return TRUE;
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, const char* lpString, UINT c,
                const int*) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || (lpString == nullptr && c > 0)) return FALSE;
    const std::string_view text(lpString ? lpString : "", c);
    if ((options & ETO_OPAQUE) && lprect != nullptr) {
        detail::Painter p(dc);
        p.UseColor(dc->State.BkColor, R2_COPYPEN);
        p.Rect(*lprect);
    }
    const bool updateCP = dc->State.TextAlign & TA_UPDATECP;
    if (updateCP) {
        x = dc->State.Position.X;
        y = dc->State.Position.Y;
    }
    detail::TextRunOptions o;
    o.X = x;
    o.Y = y;
    o.Align = dc->State.TextAlign;
    o.Clip = (options & ETO_CLIPPED) ? lprect : nullptr;
    o.OpaqueBackground = dc->State.BkMode == OPAQUE && !(options & ETO_OPAQUE && lprect != nullptr);
    if (!text.empty()) detail::DrawRun(dc, o, text);
    if (updateCP) {
        const GdiFont* font = detail::CurrentFont(dc);
        const int w = detail::RunWidth(dc, font, text);
        const double angle = font->Log.lfEscapement / 10.0 * M_PI / 180.0;
        dc->State.Position.X = x + static_cast<int>(std::lround(w * std::cos(angle)));
        dc->State.Position.Y = y - static_cast<int>(std::lround(w * std::sin(angle)));
    }
    return TRUE;
}

BOOL TextOut(HDC hdc, int x, int y, const char* lpString, int c) {
    if (c < 0) return FALSE;
    return ExtTextOut(hdc, x, y, 0, nullptr, lpString, static_cast<UINT>(c), nullptr);
}

} // namespace win
