// Text output and measuring: TextOut, ExtTextOut and the text extents.

#include <algorithm>
#include <climits>
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

// The letter spacing (Pango units) a run is drawn with.
int RunSpacing(const DeviceContext* dc, std::string_view text) {
    const long long extra = dc->State.CharExtra;
    const bool spaced =
        extra != 0 && std::llabs(extra) <= MaxDrawnExtra && std::llabs(extra) * CodePoints(text) < (1 << 20);
    return spaced ? static_cast<int>(extra * PANGO_SCALE) : 0;
}

PangoLayout* RunLayout(const DeviceContext* dc, const GdiFont* font, std::string_view text) {
    return NewLayout(font, text, RunSpacing(dc, text));
}

// a * b / 255, rounded as the compositor rounds.
constexpr std::uint32_t Mul255(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t t = a * b + 0x80;
    return (t + (t >> 8)) >> 8;
}

// The x extents (pixels from the run's cell) of the prefix underlines, the byte ranges of the layout's text
// in ranges; the end of the text lies at width. One walk over the layout's clusters finds them all (a
// position lookup per range walks the text again for each, and a text of many prefixes took quadratic
// time). A range that ends at or before its start gives an empty extent.
std::vector<std::pair<int, int>> UnderlineSpans(PangoLayout* layout, std::size_t size,
                                                const std::vector<std::pair<int, int>>& ranges, int width) {
    // Each cluster's first byte and the x of its leading edge, in the text's order.
    std::vector<std::pair<int, int>> clusters;
    PangoLayoutIter* it = pango_layout_get_iter(layout);
    do {
        PangoLayoutRun* run = pango_layout_iter_get_run_readonly(it);
        if (run == nullptr) continue;
        PangoRectangle logical;
        pango_layout_iter_get_cluster_extents(it, nullptr, &logical);
        const bool rtl = run->item->analysis.level % 2 != 0;
        clusters.push_back({pango_layout_iter_get_index(it), rtl ? logical.x + logical.width : logical.x});
    } while (pango_layout_iter_next_cluster(it));
    pango_layout_iter_free(it);
    if (!std::is_sorted(clusters.begin(), clusters.end())) std::sort(clusters.begin(), clusters.end());
    // The x of a byte offset: that of the cluster it lies in.
    auto x = [&](int index) {
        if (static_cast<std::size_t>(index) >= size) return width;
        auto c = std::upper_bound(clusters.begin(), clusters.end(), std::pair<int, int>{index, INT_MAX});
        return c == clusters.begin() ? 0 : PANGO_PIXELS(std::prev(c)->second);
    };
    std::vector<std::pair<int, int>> out;
    out.reserve(ranges.size());
    for (const auto& [from, to] : ranges) {
        if (from < 0 || to <= from || static_cast<std::size_t>(to) > size)
            out.push_back({0, 0});
        else
            out.push_back({x(from), x(to)});
    }
    return out;
}

// The row of the prefix underlines in the cell: the font's underline position, kept inside the cell.
int UnderlineRow(const GdiFont* font) {
    const TEXTMETRIC& tm = font->Metrics();
    return std::min<int>(tm.tmAscent + font->UnderlinePosition(), tm.tmHeight - 1);
}

// Draws a plain run (no rotation) through its kept glyph mask straight into the
// pixels: the common case of painting, which skips the text engine's per-call set-up. The blend is the
// compositor's own (solid colour over the destination through the coverage). False when the run needs the
// general path.
bool DrawMasked(DeviceContext* dc, const TextRunOptions& o, const GdiFont* font, std::string_view text,
                long long cellX, long long cellY, int width) {
    if (font->Log.lfEscapement != 0 || !o.DrawGlyphs || std::llabs(dc->State.CharExtra) > MaxDrawnExtra)
        return false;
    const TextMask* mask = RunMask(font, text, RunSpacing(dc, text));
    if (mask == nullptr) return false;
    PixelView view;
    if (!dc->View(view)) return true;
    const DeviceContext::Offset64 off = dc->SurfaceOffset();
    const long long dx = off.X, dy = off.Y;
    // The run's own clip, in surface pixels.
    long long cl = LLONG_MIN / 4, ct = LLONG_MIN / 4, cr = LLONG_MAX / 4, cb = LLONG_MAX / 4;
    if (o.Clip != nullptr) {
        cl = o.Clip->Left + dx;
        ct = o.Clip->Top + dy;
        cr = o.Clip->Right + dx;
        cb = o.Clip->Bottom + dy;
    }
    const TEXTMETRIC& tm = font->Metrics();
    const std::uint32_t ink = PixelOf(dc->State.TextColor);
    // Fills [l, r) x [t, b) of the surface, within the clips, pixel by pixel.
    auto each = [&](long long l, long long t, long long r, long long b, auto&& paint) {
        for (const RECT& c : dc->EffectiveClip()) {
            const long long x0 = std::max({l, cl, static_cast<long long>(c.Left), 0LL});
            const long long x1 =
                std::min({r, cr, static_cast<long long>(c.Right), static_cast<long long>(view.Width)});
            const long long y0 = std::max({t, ct, static_cast<long long>(c.Top), 0LL});
            const long long y1 =
                std::min({b, cb, static_cast<long long>(c.Bottom), static_cast<long long>(view.Height)});
            for (long long y = y0; y < y1; ++y) {
                std::uint32_t* row = view.Row(static_cast<int>(y));
                for (long long x = x0; x < x1; ++x)
                    paint(row[x], x, y);
            }
        }
    };
    const long long left = cellX + dx, top = cellY + dy;
    if (o.OpaqueBackground && width > 0) {
        const std::uint32_t bk = PixelOf(dc->State.BkColor);
        each(left, top, left + width, top + tm.tmHeight,
             [bk](std::uint32_t& p, long long, long long) { p = bk; });
    }
    if (mask->Width > 0) {
        const long long ml = left + mask->X, mt = top + mask->Y;
        each(ml, mt, ml + mask->Width, mt + mask->Height, [&](std::uint32_t& p, long long x, long long y) {
            const std::uint32_t m = mask->Alpha[static_cast<std::size_t>((y - mt) * mask->Width + (x - ml))];
            if (m == 0) return;
            if (m == 255) {
                p = ink;
                return;
            }
            std::uint32_t out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const std::uint32_t v =
                    Mul255((ink >> shift) & 0xFF, m) + Mul255((p >> shift) & 0xFF, 255 - m);
                out |= std::min<std::uint32_t>(v, 255) << shift;
            }
            p = out;
        });
    }
    if (width > 0) {
        const int thick = font->LineThickness();
        auto line = [&](long long y) {
            each(left, y, left + width, y + thick,
                 [ink](std::uint32_t& p, long long, long long) { p = ink; });
        };
        if (font->Log.lfUnderline) line(top + tm.tmAscent + font->UnderlinePosition());
        if (font->Log.lfStrikeOut) line(top + tm.tmAscent - font->StrikePosition());
    }
    if (!o.Underlines.empty()) {
        PangoLayout* layout = NewLayout(font, text, RunSpacing(dc, text));
        const long long y = top + UnderlineRow(font);
        for (const auto& [x0, x1] : UnderlineSpans(layout, text.size(), o.Underlines, width))
            if (x1 > x0)
                each(left + x0, y, left + x1, y + 1,
                     [ink](std::uint32_t& p, long long, long long) { p = ink; });
        g_object_unref(layout);
    }
    dc->Dirty();
    ThresholdMonochrome(dc);
    return true;
}

// Whether nothing of a run can land in the DC's clip: its cell, widened on every side by a margin for
// ink beyond it (italic overhangs, accents, underlines), meets none of the clip's rectangles. Rotated runs
// are never skipped.
bool OutsideClip(const DeviceContext* dc, const TextRunOptions& o, const GdiFont* font, long long left,
                 long long top, int width) {
    if (font->Log.lfEscapement != 0) return false;
    const TEXTMETRIC& tm = font->Metrics();
    const long long margin = std::max<long long>({tm.tmHeight, tm.tmMaxCharWidth, 1});
    long long l = left - margin, t = top - margin;
    long long r = left + std::max(width, 0) + margin, b = top + tm.tmHeight + margin;
    if (o.Clip != nullptr) {
        l = std::max<long long>(l, o.Clip->Left);
        t = std::max<long long>(t, o.Clip->Top);
        r = std::min<long long>(r, o.Clip->Right);
        b = std::min<long long>(b, o.Clip->Bottom);
        if (l >= r || t >= b) return true;
    }
    const DeviceContext::Offset64 off = dc->SurfaceOffset();
    const long long dx = off.X, dy = off.Y;
    for (const RECT& c : dc->EffectiveClip())
        if (l + dx < c.Right && c.Left < r + dx && t + dy < c.Bottom && c.Top < b + dy) return false;
    return true;
}

} // namespace

namespace {
bool IsUtf8(std::string_view text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}
} // namespace

// The run's advance: the glyphs' own width plus the character spacing after each character, computed
// wide and kept to the int range.
int RunWidth(const DeviceContext* dc, const GdiFont* font, std::string_view text) {
    if (text.empty()) return 0;
    if (!IsUtf8(text)) return RunWidth(dc, font, ValidUtf8(text));
    return vcl::ClampToInt(TextWidth(font, text) +
                           static_cast<long long>(dc->State.CharExtra) * CodePoints(text));
}

namespace {

// Draws one piece of a run (LayoutPieces), of `width`, its cell's top-left (ox, oy) from the run's
// reference point along and across the baseline.
void DrawPiece(DeviceContext* dc, const TextRunOptions& o, const GdiFont* font, std::string_view text,
               double ox, double oy, int width) {
    const TEXTMETRIC& tm = font->Metrics();
    std::string_view shown = text;
    if (std::llabs(dc->State.CharExtra) > MaxDrawnExtra && !text.empty()) {
        // Only the first character can land on a surface.
        const char* next = g_utf8_find_next_char(text.data(), text.data() + text.size());
        if (next != nullptr) shown = text.substr(0, static_cast<std::size_t>(next - text.data()));
    }
    // Painting draws many runs wholly outside what is shown (scrolled or clipped away): they are neither
    // laid out for drawing nor handed to Cairo.
    if (OutsideClip(dc, o, font, static_cast<long long>(o.X) + static_cast<long long>(ox),
                    static_cast<long long>(o.Y) + static_cast<long long>(oy), width))
        return;
    if (DrawMasked(dc, o, font, text, static_cast<long long>(o.X) + static_cast<long long>(ox),
                   static_cast<long long>(o.Y) + static_cast<long long>(oy), width))
        return;
    cairo_t* cr = dc->PrepareCairo();
    if (cr == nullptr) return;
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
    if (!o.Underlines.empty()) {
        for (const auto& [x0, x1] : UnderlineSpans(layout, shown.size(), o.Underlines, width))
            if (x1 > x0) cairo_rectangle(cr, ox + x0, oy + UnderlineRow(font), x1 - x0, 1);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    g_object_unref(layout);
    cairo_surface_flush(cairo_get_target(cr));
    ThresholdMonochrome(dc);
}

} // namespace

void DrawRun(DeviceContext* dc, const TextRunOptions& o, std::string_view text) {
    if (!IsUtf8(text)) {
        // Drawn as measured: each broken byte as a replacement character; underlined byte ranges move
        // with the text before them.
        const std::string valid = ValidUtf8(text);
        TextRunOptions mapped = o;
        // The offsets map in one pass over the text: the ranges begin and end on characters, and no valid
        // sequence spans a character's first byte, so the text converts piece by piece between them.
        std::vector<int> bounds;
        for (const auto& [from, to] : o.Underlines)
            if (from >= 0 && to > from && static_cast<std::size_t>(to) <= text.size()) {
                bounds.push_back(from);
                bounds.push_back(to);
            }
        std::sort(bounds.begin(), bounds.end());
        bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
        std::vector<int> moved(bounds.size());
        std::size_t done = 0, length = 0;
        for (std::size_t i = 0; i < bounds.size(); ++i) {
            const auto at = static_cast<std::size_t>(bounds[i]);
            length += ValidUtf8(text.substr(done, at - done)).size();
            done = at;
            moved[i] = static_cast<int>(length);
        }
        auto map = [&](int offset) {
            return moved[static_cast<std::size_t>(std::lower_bound(bounds.begin(), bounds.end(), offset) -
                                                  bounds.begin())];
        };
        for (auto& [from, to] : mapped.Underlines) {
            if (from < 0 || to <= from || static_cast<std::size_t>(to) > text.size()) continue;
            from = map(from);
            to = map(to);
        }
        DrawRun(dc, mapped, valid);
        return;
    }
    const GdiFont* font = CurrentFont(dc);
    const TEXTMETRIC& tm = font->Metrics();
    // A run too wide for the text engine at once is drawn piece by piece, each where the ones before it
    // end, with the underlines that fall in it.
    const bool whole = IsOnePiece(font, text);
    std::vector<std::string_view> pieces;
    std::vector<int> widths;
    long long sum = 0;
    if (!whole) pieces = LayoutPieces(font, text);
    for (const std::string_view piece : pieces) {
        widths.push_back(RunWidth(dc, font, piece));
        sum += widths.back();
    }
    const int width = whole ? RunWidth(dc, font, text) : vcl::ClampToInt(sum);
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
    if (whole) {
        DrawPiece(dc, o, font, text, ox, oy, width);
        return;
    }
    long long along = 0, start = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const long long end = start + static_cast<long long>(pieces[i].size());
        TextRunOptions part = o;
        part.Underlines.clear();
        for (const auto& [from, to] : o.Underlines) {
            const long long a = std::max<long long>(from, start), b = std::min<long long>(to, end);
            if (a < b) part.Underlines.push_back({static_cast<int>(a - start), static_cast<int>(b - start)});
        }
        DrawPiece(dc, part, font, pieces[i], ox + static_cast<double>(along), oy, widths[i]);
        along += widths[i];
        start = end;
    }
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
    std::string_view text(lpszString ? lpszString : "", static_cast<std::size_t>(cchString));
    // Broken UTF-8 measures as drawn: one replacement character for each broken byte.
    std::string valid;
    if (!detail::IsUtf8(text)) {
        valid = detail::ValidUtf8(text);
        text = valid;
    }
    const GdiFont* font = detail::CurrentFont(dc);
    int fit = 0, index = 0;
    bool full = false;
    long long offset = 0; // where the piece begins
    for (const std::string_view piece : detail::LayoutPieces(font, text)) {
        PangoLayout* layout = detail::NewLayout(font, piece);
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        const char* p = piece.data();
        const char* end = piece.data() + piece.size();
        while (p < end) {
            const char* next = g_utf8_find_next_char(p, end);
            if (next == nullptr) next = end;
            long long extent = offset;
            if (next >= end) {
                extent += PANGO_PIXELS(logical.width);
            } else {
                PangoRectangle pos;
                pango_layout_index_to_pos(layout, static_cast<int>(next - piece.data()), &pos);
                extent += PANGO_PIXELS(pos.x);
            }
            const int total =
                vcl::ClampToInt(extent + static_cast<long long>(dc->State.CharExtra) * (index + 1));
            const bool fits = nMaxExtent < 0 || total <= nMaxExtent;
            if (lpnFit != nullptr && !fits) {
                full = true;
                break;
            }
            if (lpnDx != nullptr) lpnDx[index] = total;
            ++index;
            if (fits) fit = index;
            p = next;
        }
        offset += PANGO_PIXELS(logical.width);
        g_object_unref(layout);
        if (full) break;
    }
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
