// Fonts: logical fonts resolved to Pango descriptions, with GDI's metrics.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/win/FontAlias.h"
#include "platform/win/FontText.h"

namespace win {

namespace detail {

PangoContext* TextContext() {
    static PangoContext* ctx = [] {
        PrepareFonts();
        PangoFontMap* map = pango_cairo_font_map_get_default();
        PangoContext* c = pango_font_map_create_context(map);
        cairo_font_options_t* opts = cairo_font_options_create();
        cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_ON);
        cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_SLIGHT);
        pango_cairo_context_set_font_options(c, opts);
        cairo_font_options_destroy(opts);
        pango_cairo_context_set_resolution(c, 96);
        return c;
    }();
    return ctx;
}

std::string FontKey(const LOGFONT& lf) {
    std::string key;
    const LONG numbers[] = {lf.lfHeight, lf.lfWeight};
    key.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
    for (const BYTE b : {lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet, lf.lfPitchAndFamily})
        key.push_back(static_cast<char>(b));
    key.append(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    return key;
}

namespace {

// Pango takes valid UTF-8 only (it warns and draws nothing of anything else): each byte that begins no
// valid sequence stands for one replacement character.
constexpr std::string_view Replacement = "\xEF\xBF\xBD";

PangoLayout* MakeLayout(const GdiFont* font, std::string_view text, int letterSpacing) {
    PangoLayout* layout = pango_layout_new(TextContext());
    pango_layout_set_font_description(layout, font->Description());
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    } else {
        const std::string valid = ValidUtf8(text);
        pango_layout_set_text(layout, valid.data(), static_cast<int>(valid.size()));
    }
    if (letterSpacing != 0) {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(letterSpacing));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    // Laid out once, here: later measuring of a shared layout only reads.
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    return layout;
}

// The glyphs' coverage, drawn as DrawRun places them: the layout's top at the font's ascent less the
// layout's baseline from the cell's top. Pixel-aligned runs differ only by whole pixels, so one mask serves
// them all.
TextMask MakeMask(const GdiFont* font, PangoLayout* layout) {
    TextMask m;
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    if (ink.width <= 0 || ink.height <= 0) {
        m.Valid = true; // nothing to draw
        return m;
    }
    const double dy = font->Metrics().tmAscent - pango_layout_get_baseline(layout) / double(PANGO_SCALE);
    constexpr int Margin = 2; // hinting and rounding may move ink a pixel beyond its extents
    m.X = ink.x - Margin;
    m.Y = static_cast<int>(std::floor(ink.y + dy)) - Margin;
    m.Width = ink.width + 2 * Margin;
    m.Height = static_cast<int>(std::ceil(ink.y + ink.height + dy)) + Margin - m.Y;
    if (static_cast<long long>(m.Width) * m.Height > TextMask::MaxPixels) return TextMask{};
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, m.Width, m.Height);
    cairo_t* cr = cairo_create(s);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
    cairo_move_to(cr, -m.X, dy - m.Y);
    pango_cairo_show_layout(cr, layout);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    m.Alpha.resize(static_cast<std::size_t>(m.Width) * static_cast<std::size_t>(m.Height));
    for (int y = 0; y < m.Height; ++y)
        std::memcpy(&m.Alpha[static_cast<std::size_t>(y) * m.Width],
                    data + static_cast<std::ptrdiff_t>(y) * stride, static_cast<std::size_t>(m.Width));
    cairo_surface_destroy(s);
    m.Valid = true;
    return m;
}

// Painting asks for the same short texts in the same few fonts again and again (captions, labels, menu
// items): their layouts, and the masks of those drawn, are kept up to a bound and shared.
class LayoutCache {
public:
    static constexpr std::size_t MaxText = 256;
    static constexpr std::size_t MaxEntries = 2048;
    static constexpr std::size_t MaxMaskBytes = std::size_t{8} << 20;

    struct Entry {
        PangoLayout* Layout = nullptr;
        std::unique_ptr<TextMask> Mask;
    };

    ~LayoutCache() { Clear(); }

    static LayoutCache& Instance() {
        static LayoutCache cache;
        return cache;
    }
    // The entry of the text in the font, made if need be; null for texts too long to keep.
    Entry* Find(const GdiFont* font, std::string_view text, int letterSpacing) {
        if (text.size() > MaxText) return nullptr;
        // Made here, not kept in the cache: making a layout resolves the font, which measures texts of
        // its own through this cache.
        std::string key;
        key.reserve(font->Key().size() + sizeof letterSpacing + text.size());
        key.append(font->Key());
        key.append(reinterpret_cast<const char*>(&letterSpacing), sizeof letterSpacing);
        key.append(text);
        const auto it = entries_.find(key);
        if (it != entries_.end()) return &it->second;
        Entry e;
        e.Layout = MakeLayout(font, text, letterSpacing);
        if (entries_.size() >= MaxEntries) Clear();
        return &entries_.emplace(std::move(key), std::move(e)).first->second;
    }
    const TextMask* Mask(const GdiFont* font, Entry* e) {
        if (e->Mask == nullptr) {
            if (maskBytes_ >= MaxMaskBytes) {
                // Dropping every mask (not the layouts) keeps the pointer handed out valid: e stays.
                for (auto& [key, other] : entries_)
                    other.Mask.reset();
                maskBytes_ = 0;
            }
            e->Mask = std::make_unique<TextMask>(MakeMask(font, e->Layout));
            maskBytes_ += e->Mask->Alpha.size() + sizeof(TextMask);
        }
        return e->Mask.get();
    }

private:
    void Clear() {
        for (auto& [key, e] : entries_)
            g_object_unref(e.Layout);
        entries_.clear();
        maskBytes_ = 0;
    }
    std::unordered_map<std::string, Entry> entries_;
    std::size_t maskBytes_ = 0;
};

} // namespace

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* valid = nullptr;
        g_utf8_validate(p, end - p, &valid);
        out.append(p, static_cast<std::size_t>(valid - p));
        if (valid >= end) break;
        out.append(Replacement); // NUL included: Pango takes no NUL within the text
        p = valid + 1;
    }
    return out;
}

PangoLayout* NewLayout(const GdiFont* font, std::string_view text, int letterSpacing) {
    if (LayoutCache::Entry* e = LayoutCache::Instance().Find(font, text, letterSpacing))
        return static_cast<PangoLayout*>(g_object_ref(e->Layout));
    return MakeLayout(font, text, letterSpacing);
}

const TextMask* RunMask(const GdiFont* font, std::string_view text, int letterSpacing) {
    LayoutCache& cache = LayoutCache::Instance();
    LayoutCache::Entry* e = cache.Find(font, text, letterSpacing);
    if (e == nullptr) return nullptr;
    const TextMask* m = cache.Mask(font, e);
    return m->Valid ? m : nullptr;
}

namespace {

// A piece stays under 2^20 pixels however wide its characters are taken to be: MaxAdvanceEms is wider than
// any glyph and than a tab (a stop eight spaces on, at least a space away). The letter spacing a run is
// drawn with (under 2^20 pixels, Text.cpp) takes the other half of the engine's range.
constexpr long long MaxPiecePixels = 1 << 20;
constexpr long long MaxAdvanceEms = 16;
constexpr gunichar ZeroWidthJoiner = 0x200D;

// The most characters a piece holds in the font.
std::size_t PieceCharacters(const GdiFont* font) {
    const long long em = std::max(1, PANGO_PIXELS_CEIL(pango_font_description_get_size(font->Description())));
    return static_cast<std::size_t>(std::max(1LL, MaxPiecePixels / (MaxAdvanceEms * em)));
}

long long PieceWidth(const GdiFont* font, std::string_view piece) {
    if (piece.empty()) return 0;
    PangoLayout* layout = NewLayout(font, piece);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    return PANGO_PIXELS(logical.width);
}

} // namespace

bool IsOnePiece(const GdiFont* font, std::string_view text) {
    return text.size() <= PieceCharacters(font);
}

std::vector<std::string_view> LayoutPieces(const GdiFont* font, std::string_view text) {
    const std::size_t most = PieceCharacters(font);
    std::vector<std::string_view> pieces;
    // A text of no more bytes than that holds no more characters either.
    while (text.size() > most) {
        // A piece ends right after the last tab within reach, so that the stops of the text after it count
        // from a stop, as they do in the whole line; else after the last space; else before the last
        // character that does not combine with the one before it.
        const char* const begin = text.data();
        const char* const end = begin + text.size();
        std::size_t at = 0, count = 0, afterTab = 0, afterSpace = 0, beforeBase = 0;
        gunichar previous = 0;
        const auto note = [&](std::size_t boundary) {
            const gunichar c = g_utf8_get_char_validated(begin + boundary, end - (begin + boundary));
            if (previous == '\t')
                afterTab = boundary;
            else if (previous == ' ')
                afterSpace = boundary;
            if (!g_unichar_ismark(c) && previous != ZeroWidthJoiner) beforeBase = boundary;
        };
        while (at < text.size() && count < most) {
            if (at > 0) note(at);
            previous = g_utf8_get_char_validated(begin + at, end - (begin + at));
            const char* next = g_utf8_find_next_char(begin + at, end);
            at = next == nullptr ? text.size() : static_cast<std::size_t>(next - begin);
            ++count;
        }
        if (at >= text.size()) break;
        note(at);
        const std::size_t cut = afterTab ? afterTab : afterSpace ? afterSpace : beforeBase ? beforeBase : at;
        pieces.push_back(text.substr(0, cut));
        text.remove_prefix(cut);
    }
    pieces.push_back(text);
    return pieces;
}

long long TextWidth(const GdiFont* font, std::string_view text) {
    if (IsOnePiece(font, text)) return PieceWidth(font, text);
    long long width = 0;
    for (const std::string_view piece : LayoutPieces(font, text))
        width += PieceWidth(font, piece);
    return width;
}

const GdiFont* CurrentFont(const DeviceContext* dc) {
    return dc->State.Font != nullptr ? dc->State.Font : StockFont(SYSTEM_FONT);
}

GdiFont* StockFont(int which) {
    static GdiFont* fonts[DEFAULT_GUI_FONT + 1] = {};
    if (which < 0 || which > DEFAULT_GUI_FONT) return nullptr;
    if (fonts[which] == nullptr) {
        LOGFONT lf{};
        const char* face = "MS Sans Serif";
        switch (which) {
        case SYSTEM_FONT:
            lf.lfHeight = 16;
            lf.lfWeight = FW_BOLD;
            face = "System";
            break;
        case OEM_FIXED_FONT:
        case ANSI_FIXED_FONT:
        case SYSTEM_FIXED_FONT:
            lf.lfHeight = 12;
            lf.lfWeight = FW_NORMAL;
            lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
            face = "Courier New";
            break;
        default: // ANSI_VAR_FONT, DEVICE_DEFAULT_FONT, DEFAULT_GUI_FONT
            lf.lfHeight = -11;
            lf.lfWeight = FW_NORMAL;
            face = "MS Shell Dlg";
            break;
        }
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        auto* f = static_cast<GdiFont*>(CreateFontIndirect(&lf));
        f->Stock = true;
        fonts[which] = f;
    }
    return fonts[which];
}

} // namespace detail

GdiFont::~GdiFont() {
    if (desc_ != nullptr) pango_font_description_free(desc_);
}

int GdiFont::Describe(int c, void* pv) const {
    if (pv == nullptr) return static_cast<int>(sizeof(LOGFONT));
    const int n = std::min(c, static_cast<int>(sizeof(LOGFONT)));
    std::memcpy(pv, &Log, static_cast<std::size_t>(n));
    return n;
}

namespace {

// The largest character height a font takes, in pixels: far above any surface.
constexpr double MaxFontPixels = 16384;

PangoFontMetrics* MetricsOf(const PangoFontDescription* d) {
    return pango_context_get_metrics(detail::TextContext(), d, pango_language_from_string("en"));
}

} // namespace

namespace {

// What resolving a logical font found: fonts made anew for every paint with the same description
// (the controls' canvases do so) resolve once.
struct ResolvedFont {
    PangoFontDescription* Description = nullptr;
    TEXTMETRIC Metrics{};
    int UnderlinePosition = 1, LineThickness = 1, StrikePosition = 3;
};

class ResolvedFonts {
public:
    static constexpr std::size_t MaxEntries = 256;
    ~ResolvedFonts() { Clear(); }
    const ResolvedFont* Find(const std::string& key) const {
        const auto it = fonts_.find(key);
        return it == fonts_.end() ? nullptr : &it->second;
    }
    void Keep(std::string key, ResolvedFont f) {
        if (fonts_.size() >= MaxEntries) Clear();
        f.Description = pango_font_description_copy(f.Description);
        fonts_.emplace(std::move(key), f);
    }

private:
    void Clear() {
        for (auto& [key, f] : fonts_)
            pango_font_description_free(f.Description);
        fonts_.clear();
    }
    std::unordered_map<std::string, ResolvedFont> fonts_;
};

ResolvedFonts& Resolved() {
    static ResolvedFonts fonts;
    return fonts;
}

} // namespace

const std::string& GdiFont::Key() const {
    if (key_.empty()) key_ = detail::FontKey(Log);
    return key_;
}

void GdiFont::Resolve() const {
    if (desc_ != nullptr) return;
    const std::string& key = Key();
    if (const ResolvedFont* known = Resolved().Find(key)) {
        desc_ = pango_font_description_copy(known->Description);
        metrics_ = known->Metrics;
        underlinePos_ = known->UnderlinePosition;
        thickness_ = known->LineThickness;
        strikePos_ = known->StrikePosition;
        return;
    }
    ResolveAnew();
    Resolved().Keep(key, {desc_, metrics_, underlinePos_, thickness_, strikePos_});
}

void GdiFont::ResolveAnew() const {
    vcl::String family = ResolveFontFamily(Log.lfFaceName);
    if (family.empty()) {
        // An unknown family falls back by pitch, as the font mapper does.
        const BYTE pitch = Log.lfPitchAndFamily & 0x03, fam = Log.lfPitchAndFamily & 0xF0;
        if (pitch == FIXED_PITCH || fam == FF_MODERN)
            family = ResolveFontFamily("Courier New");
        else if (fam == FF_ROMAN)
            family = ResolveFontFamily("Times New Roman");
        else
            family = DefaultFontFamily();
    }
    desc_ = pango_font_description_new();
    pango_font_description_set_family(desc_, family.c_str());
    const int weight = Log.lfWeight <= 0 ? FW_NORMAL : std::clamp<int>(Log.lfWeight, 100, 1000);
    pango_font_description_set_weight(desc_, static_cast<PangoWeight>(weight));
    pango_font_description_set_style(desc_, Log.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

    // Character height (em) in pixels: lfHeight < 0 gives it; > 0 gives the cell height (ascent plus
    // descent), scaled through the family's own proportions; 0 takes a 16-pixel cell.
    const int cell = Log.lfHeight == 0 ? 16 : Log.lfHeight;
    double em = 0;
    if (cell < 0) {
        em = -static_cast<double>(cell);
    } else {
        pango_font_description_set_absolute_size(desc_, 1000.0 * PANGO_SCALE);
        PangoFontMetrics* m = MetricsOf(desc_);
        const double h =
            (pango_font_metrics_get_ascent(m) + pango_font_metrics_get_descent(m)) / double(PANGO_SCALE);
        pango_font_metrics_unref(m);
        em = h > 0 ? std::min(std::floor(cell * 1000.0 / h + 0.5), MaxFontPixels)
                   : std::min<double>(cell, MaxFontPixels);
        // Whole-pixel hinting may round the cell up; step down until it fits.
        for (int i = 0; i < 3 && em > 1; ++i) {
            pango_font_description_set_absolute_size(desc_, em * PANGO_SCALE);
            PangoFontMetrics* mm = MetricsOf(desc_);
            const int a = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(mm));
            const int d = PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(mm));
            pango_font_metrics_unref(mm);
            if (a + d <= cell) break;
            em -= 1;
        }
    }
    // The height is taken as a magnitude in doubles (-2147483648 has no int negation) and kept to a
    // size the text engine holds in its fixed-point units.
    em = std::clamp(em, 1.0, MaxFontPixels);
    pango_font_description_set_absolute_size(desc_, em * PANGO_SCALE);

    PangoFontMetrics* m = MetricsOf(desc_);
    TEXTMETRIC& tm = metrics_;
    tm = {};
    tm.tmAscent = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(m));
    tm.tmDescent = PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(m));
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - static_cast<LONG>(std::lround(em)));
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = std::max(1, PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(m)));
    tm.tmWeight = weight;
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0x7E;
    tm.tmDefaultChar = '?';
    tm.tmBreakChar = ' ';
    tm.tmItalic = Log.lfItalic ? 1 : 0;
    tm.tmUnderlined = Log.lfUnderline ? 1 : 0;
    tm.tmStruckOut = Log.lfStrikeOut ? 1 : 0;
    tm.tmCharSet = Log.lfCharSet;
    thickness_ = std::max(1, PANGO_PIXELS(pango_font_metrics_get_underline_thickness(m)));
    underlinePos_ = std::clamp(-PANGO_PIXELS(pango_font_metrics_get_underline_position(m)), 1,
                               std::max<int>(1, tm.tmDescent - thickness_));
    strikePos_ = std::max(1, PANGO_PIXELS(pango_font_metrics_get_strikethrough_position(m)));
    pango_font_metrics_unref(m);

    const int widthI = vcl::ClampToInt(detail::TextWidth(this, "iiii"));
    const int widthW = vcl::ClampToInt(detail::TextWidth(this, "WWWW"));
    tm.tmMaxCharWidth = std::max<LONG>(tm.tmAveCharWidth, (widthW + 3) / 4);
    const bool fixed = widthI == widthW;
    // Outline fonts: vector and TrueType bits; TMPF_FIXED_PITCH is set for variable-pitch fonts.
    tm.tmPitchAndFamily = static_cast<BYTE>(TMPF_VECTOR | TMPF_TRUETYPE | (fixed ? 0 : TMPF_FIXED_PITCH) |
                                            (Log.lfPitchAndFamily & 0xF0));
}

PangoFontDescription* GdiFont::Description() const {
    Resolve();
    return desc_;
}

const TEXTMETRIC& GdiFont::Metrics() const {
    Resolve();
    return metrics_;
}

int GdiFont::UnderlinePosition() const {
    Resolve();
    return underlinePos_;
}

int GdiFont::LineThickness() const {
    Resolve();
    return thickness_;
}

int GdiFont::StrikePosition() const {
    Resolve();
    return strikePos_;
}

HFONT CreateFontIndirect(const LOGFONT* lplf) {
    if (lplf == nullptr) return nullptr;
    auto* f = new GdiFont;
    f->Log = *lplf;
    f->Log.lfFaceName[LF_FACESIZE - 1] = '\0';
    return f;
}

HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                 DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision,
                 DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily, const char* pszFaceName) {
    LOGFONT lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = bItalic ? 1 : 0;
    lf.lfUnderline = bUnderline ? 1 : 0;
    lf.lfStrikeOut = bStrikeOut ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(iCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    lf.lfQuality = static_cast<BYTE>(iQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    if (pszFaceName != nullptr) std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* lptm) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || lptm == nullptr) return FALSE;
    *lptm = detail::CurrentFont(dc)->Metrics();
    return TRUE;
}

int GetTextFace(HDC hdc, int c, char* lpName) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return 0;
    const char* face = detail::CurrentFont(dc)->Log.lfFaceName;
    const int len = static_cast<int>(std::strlen(face));
    if (lpName == nullptr) return len + 1;
    if (c <= 0) return 0;
    const int n = std::min(len, c - 1);
    std::memcpy(lpName, face, static_cast<std::size_t>(n));
    lpName[n] = '\0';
    return n;
}

} // namespace win
