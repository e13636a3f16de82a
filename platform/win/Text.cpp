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

// Character spacing beyond this many pixels puts every character after the first off any surface; the
// text engine's fixed-point units could not hold it either.
constexpr long long MaxDrawnExtra = 1 << 15;

long long CodePoints(std::string_view text) {
    long long n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

PangoLayout* RunLayout(const DeviceContext* dc, const GdiFont* font, std::string_view text) {
    const long long extra = dc->State.CharExtra;
    const bool spaced =
        extra != 0 && std::llabs(extra) <= MaxDrawnExtra && std::llabs(extra) * CodePoints(text) < (1 << 20);
    return NewLayout(font, text, spaced ? static_cast<int>(extra * PANGO_SCALE) : 0);
}

// The run's advance: the glyphs' own width plus the character spacing after each character, computed
// wide and kept to the int range.
int RunAdvance(const DeviceContext* dc, PangoLayout* plain, std::string_view text) {
    PangoRectangle logical;
    pango_layout_get_extents(plain, nullptr, &logical);
    return vcl::ClampToInt(PANGO_PIXELS(static_cast<long long>(logical.width)) +
                           static_cast<long long>(dc->State.CharExtra) * CodePoints(text));
}

} // namespace

int RunWidth(const DeviceContext* dc, const GdiFont* font, std::string_view text) {
    if (text.empty()) return 0;
    PangoLayout* layout = NewLayout(font, text);
    const int width = RunAdvance(dc, layout, text);
    g_object_unref(layout);
    return width;
}

void DrawRun(DeviceContext* dc, const TextRunOptions& o, std::string_view text) {
    const GdiFont* font = CurrentFont(dc);
    const TEXTMETRIC& tm = font->Metrics();
    cairo_t* cr = dc->PrepareCairo();
    if (cr == nullptr) return;
    const int width = RunWidth(dc, font, text);
    std::string_view shown = text;
    if (std::llabs(dc->State.CharExtra) > MaxDrawnExtra && !text.empty()) {
        // Only the first character can land on a surface.
        const char* next = g_utf8_find_next_char(text.data(), text.data() + text.size());
        if (next != nullptr) shown = text.substr(0, static_cast<std::size_t>(next - text.data()));
    }
    PangoLayout* layout = RunLayout(dc, font, shown);
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
    if (o.DrawGlyphs && !shown.empty()) {
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
        if (from < 0 || to <= from || static_cast<std::size_t>(to) > shown.size()) continue;
        PangoRectangle a, b;
        pango_layout_index_to_pos(layout, from, &a);
        int x1;
        if (static_cast<std::size_t>(to) >= shown.size()) {
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
        extent = vcl::ClampToInt(extent + static_cast<long long>(dc->State.CharExtra) * (index + 1));
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
        dc->State.Position.X = vcl::ClampToInt(x + std::llround(w * std::cos(angle)));
        dc->State.Position.Y = vcl::ClampToInt(y - std::llround(w * std::sin(angle)));
    }
    return TRUE;
}

BOOL TextOut(HDC hdc, int x, int y, const char* lpString, int c) {
    if (c < 0) return FALSE;
    return ExtTextOut(hdc, x, y, 0, nullptr, lpString, static_cast<UINT>(c), nullptr);
}

} // namespace win
