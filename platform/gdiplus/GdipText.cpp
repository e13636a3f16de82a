// Drawing and measuring text through Pango, with GDI+'s layout rules.

#include <algorithm>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdiplus/GdipInternal.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

// glib headers after ours: they define TRUE and FALSE as macros.
#include <pango/pangocairo.h>

namespace gdip {

namespace detail {

INT Utf16Length(const WCHAR* s) {
    INT n = 0;
    while (s[n] != 0 && n < 0x7FFFFFFF)
        ++n;
    return n;
}

std::string Utf16ToUtf8(const WCHAR* s, INT length) {
    if (!s) return {};
    if (length < 0) length = Utf16Length(s);
    return vcl::Utf16ToUtf8(std::u16string_view(s, static_cast<std::size_t>(length)));
}

} // namespace detail

namespace {

// ---- text layout ----

// A character to show: its code point, where it came from in the caller's UTF-16 text, and whether a
// hot-key prefix underlines it. The ellipsis that trimming adds has src -1.
struct Glyph {
    gunichar cp;
    INT src;
    bool underline;
};

std::vector<Glyph> PrepareText(const WCHAR* s, INT length, INT hotkey) {
    std::vector<Glyph> out;
    bool pending = false;
    const std::u16string_view text(s, static_cast<std::size_t>(std::max(length, 0)));
    for (INT i = 0; i < length; ++i) {
        const INT at = i;
        std::size_t next = static_cast<std::size_t>(i);
        gunichar cp = vcl::Utf16Next(text, next);
        i = static_cast<INT>(next) - 1;
        if (cp == 0) cp = ' '; // embedded zeros would end Pango's text
        if (hotkey != HotkeyPrefixNone && cp == '&') {
            if (i + 1 < length && s[i + 1] == '&') {
                ++i; // "&&" shows one "&"
            } else {
                pending = hotkey == HotkeyPrefixShow;
                continue;
            }
        }
        out.push_back({cp, at, pending});
        pending = false;
    }
    return out;
}

bool IsSpace(gunichar c) {
    return c == ' ' || c == '\t' || c == 0x3000 || c == 0xA0;
}
bool IsBreak(gunichar c) {
    return c == '\n' || c == '\r' || c == 0x2028 || c == 0x2029;
}

// Painting draws and measures the same captions in the same fonts again and again: the text engine's
// contexts (one for each rendering hint and transformation) and the layouts made in them are kept, up to a
// bound, so that the text is shaped once. A kept layout is only read afterwards.
class LayoutStore {
public:
    static constexpr std::size_t MaxEntries = 1024;
    static constexpr std::size_t MaxGlyphs = 512;
    struct Entry {
        PangoLayout* Layout = nullptr;
        std::vector<int> Starts;
    };
    static LayoutStore& Instance() {
        static LayoutStore store;
        return store;
    }
    ~LayoutStore() {
        Clear();
        for (auto& [key, ctx] : contexts_)
            g_object_unref(ctx);
    }
    // The context for the hint and cr's transformation (translation aside, which shaping ignores).
    PangoContext* Context(cairo_t* cr, TextRenderingHint hint, std::string& key) {
        cairo_matrix_t m;
        cairo_get_matrix(cr, &m);
        const double parts[] = {m.xx, m.yx, m.xy, m.yy};
        key.assign(reinterpret_cast<const char*>(&hint), sizeof hint);
        key.append(reinterpret_cast<const char*>(parts), sizeof parts);
        const auto it = contexts_.find(key);
        if (it != contexts_.end()) return static_cast<PangoContext*>(g_object_ref(it->second));
        if (contexts_.size() >= 16) {
            // Layouts belong to their contexts: both go.
            Clear();
            for (auto& [k, ctx] : contexts_)
                g_object_unref(ctx);
            contexts_.clear();
        }
        PangoContext* ctx = pango_cairo_create_context(cr);
        cairo_font_options_t* opts = cairo_font_options_create();
        const bool mono =
            hint == TextRenderingHintSingleBitPerPixel || hint == TextRenderingHintSingleBitPerPixelGridFit;
        const bool grid = hint == TextRenderingHintSingleBitPerPixelGridFit ||
                          hint == TextRenderingHintAntiAliasGridFit ||
                          hint == TextRenderingHintClearTypeGridFit || hint == TextRenderingHintSystemDefault;
        // ClearType is drawn as greyscale: sub-pixel colour fringes make no sense on an ARGB surface.
        cairo_font_options_set_antialias(opts, mono ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(opts, grid ? CAIRO_HINT_STYLE_SLIGHT : CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(opts, grid ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(ctx, opts);
        cairo_font_options_destroy(opts);
        contexts_.emplace(key, static_cast<PangoContext*>(g_object_ref(ctx)));
        return ctx;
    }
    Entry* Find(const std::string& key) {
        const auto it = entries_.find(key);
        return it == entries_.end() ? nullptr : &it->second;
    }
    void Keep(const std::string& key, PangoLayout* layout, const std::vector<int>& starts) {
        if (entries_.size() >= MaxEntries) Clear();
        entries_.emplace(key, Entry{static_cast<PangoLayout*>(g_object_ref(layout)), starts});
    }

private:
    void Clear() {
        for (auto& [key, e] : entries_)
            g_object_unref(e.Layout);
        entries_.clear();
    }
    std::unordered_map<std::string, PangoContext*> contexts_;
    std::unordered_map<std::string, Entry> entries_;
};

class TextEngine {
public:
    TextEngine(cairo_t* cr, const GpFont& font, TextRenderingHint hint) : font_(font) {
        ctx_ = LayoutStore::Instance().Context(cr, hint, key_);
        key_.append(reinterpret_cast<const char*>(&font.style), sizeof font.style);
        const double px = Pixels();
        key_.append(reinterpret_cast<const char*>(&px), sizeof px);
        key_.append(font.family);
        key_.push_back('\0');
        desc_ = pango_font_description_new();
        pango_font_description_set_family(desc_, font.family.c_str());
        pango_font_description_set_absolute_size(desc_, std::max(1.0, Pixels() * PANGO_SCALE));
        pango_font_description_set_weight(desc_, (font.style & FontStyleBold) ? PANGO_WEIGHT_BOLD
                                                                              : PANGO_WEIGHT_NORMAL);
        pango_font_description_set_style(desc_, (font.style & FontStyleItalic) ? PANGO_STYLE_ITALIC
                                                                               : PANGO_STYLE_NORMAL);
    }
    ~TextEngine() {
        pango_font_description_free(desc_);
        g_object_unref(ctx_);
    }
    TextEngine(const TextEngine&) = delete;
    TextEngine& operator=(const TextEngine&) = delete;

    double Pixels() const { return font_.emSize * detail::PixelsPerUnit(font_.unit); }

    // A layout of the glyphs; wrapWidth > 0 wraps at words (breaking long words), otherwise one line per
    // paragraph. starts receives each glyph's byte offset (plus the text's end).
    PangoLayout* Layout(const std::vector<Glyph>& g, double wrapWidth,
                        std::vector<int>* starts = nullptr) const {
        if (g.size() > LayoutStore::MaxGlyphs) return MakeLayout(g, wrapWidth, starts);
        std::string key = key_;
        key.append(reinterpret_cast<const char*>(&wrapWidth), sizeof wrapWidth);
        for (const Glyph& c : g) {
            const gunichar shown = c.underline ? (c.cp | 0x80000000u) : c.cp;
            key.append(reinterpret_cast<const char*>(&shown), sizeof shown);
        }
        LayoutStore& store = LayoutStore::Instance();
        if (LayoutStore::Entry* e = store.Find(key)) {
            if (starts) *starts = e->Starts;
            return static_cast<PangoLayout*>(g_object_ref(e->Layout));
        }
        std::vector<int> offs;
        PangoLayout* layout = MakeLayout(g, wrapWidth, &offs);
        store.Keep(key, layout, offs);
        if (starts) *starts = std::move(offs);
        return layout;
    }

    double Width(const std::vector<Glyph>& g) const {
        PangoLayout* l = Layout(g, -1);
        PangoRectangle logical;
        pango_layout_get_extents(l, nullptr, &logical);
        g_object_unref(l);
        return static_cast<double>(logical.width) / PANGO_SCALE;
    }

private:
    PangoLayout* MakeLayout(const std::vector<Glyph>& g, double wrapWidth, std::vector<int>* starts) const {
        std::string text;
        std::vector<int> offs;
        offs.reserve(g.size() + 1);
        PangoAttrList* attrs = pango_attr_list_new();
        for (const Glyph& c : g) {
            offs.push_back(static_cast<int>(text.size()));
            text += vcl::Utf8Encode(c.cp);
            if (c.underline) {
                PangoAttribute* a = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
                a->start_index = static_cast<guint>(offs.back());
                a->end_index = static_cast<guint>(text.size());
                pango_attr_list_insert(attrs, a);
            }
        }
        offs.push_back(static_cast<int>(text.size()));
        if (font_.style & FontStyleUnderline)
            pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (font_.style & FontStyleStrikeout)
            pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
        PangoLayout* layout = pango_layout_new(ctx_);
        pango_layout_set_font_description(layout, desc_);
        pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
        if (wrapWidth > 0) {
            pango_layout_set_width(layout, static_cast<int>(wrapWidth * PANGO_SCALE));
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        }
        // Laid out here, once: whoever shares the layout only reads it.
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        if (starts) *starts = std::move(offs);
        return layout;
    }

    const GpFont& font_;
    std::string key_; // the context, font and size every layout of this engine shares
    PangoContext* ctx_;
    PangoFontDescription* desc_;
};

struct LineRange {
    std::size_t begin, end; // glyph indices
    double top, height;
};

std::vector<Glyph> Slice(const std::vector<Glyph>& g, std::size_t b, std::size_t e) {
    return std::vector<Glyph>(g.begin() + static_cast<std::ptrdiff_t>(b),
                              g.begin() + static_cast<std::ptrdiff_t>(e));
}

// Shortens a line to fit width, as the trimming asks. Returns the glyphs to show; kept receives how many
// of the line's leading glyphs remain (the whole text's position of the cut).
std::vector<Glyph> Trim(const TextEngine& te, const std::vector<Glyph>& line, double width,
                        StringTrimming mode, std::size_t& kept) {
    const Glyph dots{0x2026, -1, false};
    const bool ellipsis = mode >= StringTrimmingEllipsisCharacter;
    kept = line.size();
    if (te.Width(line) <= width) return line;
    if (mode == StringTrimmingEllipsisPath) {
        // Keep the start and the end, with the ellipsis between them.
        auto build = [&](std::size_t n) {
            std::vector<Glyph> out = Slice(line, 0, (n + 1) / 2);
            out.push_back(dots);
            const auto tail = Slice(line, line.size() - n / 2, line.size());
            out.insert(out.end(), tail.begin(), tail.end());
            return out;
        };
        std::size_t lo = 0, hi = line.size() - 1;
        while (lo < hi) {
            const std::size_t mid = (lo + hi + 1) / 2;
            if (te.Width(build(mid)) <= width)
                lo = mid;
            else
                hi = mid - 1;
        }
        kept = (lo + 1) / 2;
        return build(lo);
    }
    // Candidate cut positions: every character, or only word ends for the word modes.
    std::vector<std::size_t> cuts;
    const bool words = mode == StringTrimmingWord || mode == StringTrimmingEllipsisWord;
    for (std::size_t n = 0; n < line.size(); ++n)
        if (!words || (n > 0 && IsSpace(line[n].cp) && !IsSpace(line[n - 1].cp))) cuts.push_back(n);
    if (words && cuts.empty()) // a single long word is cut by character
        for (std::size_t n = 0; n < line.size(); ++n)
            cuts.push_back(n);
    auto build = [&](std::size_t n) {
        std::vector<Glyph> out = Slice(line, 0, n);
        while (!out.empty() && IsSpace(out.back().cp))
            out.pop_back();
        if (ellipsis) out.push_back(dots);
        return out;
    };
    std::size_t lo = 0, hi = cuts.size() - 1; // cuts[0] is the smallest cut; keep it when nothing fits
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (te.Width(build(cuts[mid])) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    kept = cuts[lo];
    return build(cuts[lo]);
}

struct Placed {
    PangoLayout* layout;
    double x, y, width, height;
};

// The text laid out in the layout rectangle: lines placed, and what was fitted.
struct TextBlock {
    std::vector<Placed> lines;
    INT fitted = 0;
    INT linesFilled = 0;
    GpRectF bounds{};
    ~TextBlock() {
        for (auto& p : lines)
            g_object_unref(p.layout);
    }
};

void LayOut(const TextEngine& te, const std::vector<Glyph>& glyphs, INT total, const GpRectF& rect,
            const GpStringFormat& fmt, TextBlock& block) {
    const double pad = te.Pixels() / 6.0; // GDI+ keeps a sixth of an em free on either side
    const double availW = rect.Width > 0 ? std::max(1.0, rect.Width - 2 * pad) : -1.0;
    const double availH = rect.Height > 0 ? rect.Height : -1.0;
    const bool noWrap = (fmt.flags & StringFormatFlagsNoWrap) != 0 || availW <= 0;

    std::vector<int> offs;
    PangoLayout* full = te.Layout(glyphs, noWrap ? -1.0 : availW, &offs);
    std::vector<LineRange> lines;
    auto glyphAt = [&offs](int byte) {
        return static_cast<std::size_t>(std::lower_bound(offs.begin(), offs.end(), byte) - offs.begin());
    };
    PangoLayoutIter* it = pango_layout_get_iter(full);
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(it);
        int y0, y1;
        pango_layout_iter_get_line_yrange(it, &y0, &y1);
        lines.push_back({glyphAt(line->start_index), glyphAt(line->start_index + line->length),
                         static_cast<double>(y0) / PANGO_SCALE, static_cast<double>(y1 - y0) / PANGO_SCALE});
    } while (pango_layout_iter_next_line(it));
    pango_layout_iter_free(it);
    g_object_unref(full);
    if (glyphs.empty()) lines.clear();

    // Which lines show.
    std::size_t visible = lines.size();
    if (availH > 0 && !lines.empty()) {
        std::size_t whole = 0, partial = 0;
        for (const auto& l : lines) {
            if (l.top + l.height <= availH + 0.01) ++whole;
            if (l.top < availH) ++partial;
        }
        if (fmt.flags & StringFormatFlagsLineLimit)
            visible = whole;
        else if (fmt.trimming == StringTrimmingNone)
            visible = partial;
        else
            visible = std::max<std::size_t>(whole, 1);
    }
    const bool cut = visible < lines.size();
    const bool measureSpaces = (fmt.flags & StringFormatFlagsMeasureTrailingSpaces) != 0;
    std::size_t firstHidden = visible > 0 ? lines[visible - 1].end : 0;

    std::vector<std::vector<Glyph>> shown;
    for (std::size_t i = 0; i < visible; ++i) {
        std::vector<Glyph> g = Slice(glyphs, lines[i].begin, lines[i].end);
        const bool last = i + 1 == visible;
        if (last && cut && availW > 0 && fmt.trimming >= StringTrimmingEllipsisCharacter) {
            // The last line that shows takes the rest of the text and ends in an ellipsis.
            std::vector<Glyph> rest = Slice(glyphs, lines[i].begin, glyphs.size());
            for (auto& c : rest)
                if (IsBreak(c.cp)) c.cp = ' ';
            std::size_t kept = 0;
            std::vector<Glyph> trimmed = Trim(te, rest, availW, fmt.trimming, kept);
            if (kept < rest.size()) {
                g = std::move(trimmed);
                firstHidden = lines[i].begin + kept;
            } else {
                while (!g.empty() && (IsSpace(g.back().cp) || IsBreak(g.back().cp)))
                    g.pop_back();
                g.push_back({0x2026, -1, false});
            }
        } else if (noWrap && availW > 0 && fmt.trimming != StringTrimmingNone) {
            std::size_t kept = 0;
            g = Trim(te, g, availW, fmt.trimming, kept);
            if (kept < lines[i].end - lines[i].begin)
                firstHidden = std::min(firstHidden, lines[i].begin + kept);
        }
        if (!measureSpaces)
            while (!g.empty() && IsSpace(g.back().cp))
                g.pop_back();
        shown.push_back(std::move(g));
    }
    block.fitted = firstHidden >= glyphs.size() ? total : glyphs[firstHidden].src;
    block.linesFilled = static_cast<INT>(visible);

    // Place the lines.
    double blockH = 0, blockW = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        PangoLayout* l = te.Layout(shown[i], -1);
        PangoRectangle logical;
        pango_layout_get_extents(l, nullptr, &logical);
        const double w = static_cast<double>(logical.width) / PANGO_SCALE;
        const double h = lines[i].height;
        block.lines.push_back({l, 0, blockH, w, h});
        blockH += h;
        blockW = std::max(blockW, w);
    }
    double top = rect.Y;
    if (fmt.lineAlign == StringAlignmentCenter)
        top = availH > 0 ? rect.Y + (availH - blockH) / 2 : rect.Y - blockH / 2;
    else if (fmt.lineAlign == StringAlignmentFar)
        top = availH > 0 ? rect.Y + availH - blockH : rect.Y - blockH;
    double left = INFINITY;
    for (auto& p : block.lines) {
        p.y += top;
        if (fmt.align == StringAlignmentCenter)
            p.x = availW > 0 ? rect.X + (rect.Width - p.width) / 2 : rect.X - p.width / 2;
        else if (fmt.align == StringAlignmentFar)
            p.x = availW > 0 ? rect.X + rect.Width - pad - p.width : rect.X - pad - p.width;
        else
            p.x = rect.X + pad;
        left = std::min(left, p.x);
    }
    if (block.lines.empty()) {
        block.bounds = {rect.X, rect.Y, 0, 0};
        return;
    }
    GpRectF b{static_cast<REAL>(left - pad), static_cast<REAL>(top), static_cast<REAL>(blockW + 2 * pad),
              static_cast<REAL>(blockH)};
    if (rect.Width > 0) {
        b.X = std::max(b.X, rect.X);
        b.Width = std::min(b.Width, rect.X + rect.Width - b.X);
    }
    if (rect.Height > 0) {
        b.Y = std::max(b.Y, rect.Y);
        b.Height = std::min(b.Height, rect.Y + rect.Height - b.Y);
    }
    block.bounds = b;
}

GpStatus CheckText(GpGraphics* g, const WCHAR* s, INT length, const GpFont* font, const RectF* rect) {
    if (const GpStatus st = detail::CheckGraphics(g); st != Ok) return st;
    if (!s || !font || !rect || length < -1) return InvalidParameter;
    if (!detail::ValidCoords(
            {rect->X, rect->Y, rect->Width, rect->Height, rect->X + rect->Width, rect->Y + rect->Height}))
        return InvalidParameter;
    return Ok;
}

} // namespace

// ---- drawing and measuring ----

GpStatus GdipDrawString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                        const RectF* layoutRect, const GpStringFormat* stringFormat, const GpBrush* brush) {
    if (const GpStatus s = CheckText(graphics, string, length, font, layoutRect); s != Ok) return s;
    if (!brush) return InvalidParameter;
    if (length == -1) length = detail::Utf16Length(string);
    const GpStringFormat fmt = stringFormat ? *stringFormat : GpStringFormat{};
    const std::vector<Glyph> glyphs = PrepareText(string, length, fmt.hotkeyPrefix);
    if (glyphs.empty()) return Ok;
    detail::DrawScope scope(graphics, false);
    cairo_t* cr = scope.cr();
    if (detail::SetBrushSource(cr, brush) != Ok) return InvalidParameter;
    TextEngine te(cr, *font, graphics->textHint);
    TextBlock block;
    LayOut(te, glyphs, length, *layoutRect, fmt, block);
    if (layoutRect->Width > 0 && layoutRect->Height > 0 && !(fmt.flags & StringFormatFlagsNoClip)) {
        cairo_rectangle(cr, layoutRect->X, layoutRect->Y, layoutRect->Width, layoutRect->Height);
        cairo_clip(cr);
    }
    for (const Placed& p : block.lines) {
        cairo_move_to(cr, p.x, p.y);
        pango_cairo_show_layout(cr, p.layout);
    }
    return Ok;
}

GpStatus GdipMeasureString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                           const RectF* layoutRect, const GpStringFormat* stringFormat, RectF* boundingBox,
                           INT* codepointsFitted, INT* linesFilled) {
    if (const GpStatus s = CheckText(graphics, string, length, font, layoutRect); s != Ok) return s;
    if (!boundingBox) return InvalidParameter;
    if (length == -1) length = detail::Utf16Length(string);
    const GpStringFormat fmt = stringFormat ? *stringFormat : GpStringFormat{};
    const std::vector<Glyph> glyphs = PrepareText(string, length, fmt.hotkeyPrefix);
    cairo_t* cr = detail::GraphicsCairo(graphics);
    cairo_save(cr);
    if (graphics->own) cairo_identity_matrix(cr);
    TextBlock block;
    {
        TextEngine te(cr, *font, graphics->textHint);
        LayOut(te, glyphs, length, *layoutRect, fmt, block);
    }
    cairo_restore(cr);
    *boundingBox = block.bounds;
    if (codepointsFitted) *codepointsFitted = block.fitted;
    if (linesFilled) *linesFilled = block.linesFilled;
    return Ok;
}

} // namespace gdip
