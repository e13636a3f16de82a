// Font families (through the platform's alias table), fonts and string formats.

#include <algorithm>
#include <new>

#include "platform/gdiplus/GdipInternal.h"
#include "platform/rtl/Unicode.h"
#include "platform/win/FontAlias.h"

// glib headers after ours: they define TRUE and FALSE as macros.
#include <glib.h>

namespace gdip {

namespace {

// Larger fonts are refused: nothing on a screen needs them, and the glyph caches would not cope.
constexpr double kMaxFontPixels = 16384.0;

bool ValidAlign(StringAlignment a) {
    return a >= StringAlignmentNear && a <= StringAlignmentFar;
}

} // namespace

// ---- font families ----

GpStatus GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection*, GpFontFamily** fontFamily) {
    if (!name || !fontFamily) return InvalidParameter;
    *fontFamily = nullptr;
    const std::string utf8 = detail::Utf16ToUtf8(name, -1);
    if (utf8.empty()) return FontFamilyNotFound;
    std::string resolved = win::ResolveFontFamily(utf8);
    if (resolved.empty()) return FontFamilyNotFound;
    auto* f = new (std::nothrow) GpFontFamily;
    if (!f) return OutOfMemory;
    f->name = utf8;
    f->resolved = std::move(resolved);
    *fontFamily = f;
    return Ok;
}

GpStatus GdipDeleteFontFamily(GpFontFamily* fontFamily) {
    if (!fontFamily) return InvalidParameter;
    delete fontFamily;
    return Ok;
}

GpStatus GdipGetFamilyName(const GpFontFamily* family, WCHAR name[32], LANGID) {
    if (!family || !name) return InvalidParameter;
    // Back to UTF-16, cut at 31 units without splitting a surrogate pair.
    const std::u16string utf16 = vcl::Utf8ToUtf16(family->name);
    std::size_t n = std::min<std::size_t>(utf16.size(), 31);
    if (n < utf16.size() && n > 0 && utf16[n - 1] >= 0xD800 && utf16[n - 1] <= 0xDBFF) --n;
    std::copy_n(utf16.begin(), n, name);
    name[n] = 0;
    return Ok;
}

// ---- fonts ----

GpStatus GdipCreateFont(const GpFontFamily* fontFamily, REAL emSize, INT style, Unit unit, GpFont** font) {
    if (!font) return InvalidParameter;
    *font = nullptr;
    if (!fontFamily || !std::isfinite(emSize) || emSize <= 0 || unit < UnitWorld || unit > UnitMillimeter ||
        unit == UnitDisplay)
        return InvalidParameter;
    if (emSize * detail::PixelsPerUnit(unit) > kMaxFontPixels) return InvalidParameter;
    auto* f = new (std::nothrow) GpFont;
    if (!f) return OutOfMemory;
    f->family = fontFamily->resolved;
    f->emSize = emSize;
    f->style = style & (FontStyleBold | FontStyleItalic | FontStyleUnderline | FontStyleStrikeout);
    f->unit = unit;
    *font = f;
    return Ok;
}

GpStatus GdipDeleteFont(GpFont* font) {
    if (!font) return InvalidParameter;
    delete font;
    return Ok;
}

GpStatus GdipGetFontSize(GpFont* font, REAL* size) {
    if (!font || !size) return InvalidParameter;
    *size = font->emSize;
    return Ok;
}

GpStatus GdipGetFontStyle(GpFont* font, INT* style) {
    if (!font || !style) return InvalidParameter;
    *style = font->style;
    return Ok;
}

GpStatus GdipGetFontUnit(GpFont* font, Unit* unit) {
    if (!font || !unit) return InvalidParameter;
    *unit = font->unit;
    return Ok;
}

// ---- string formats ----

GpStatus GdipCreateStringFormat(INT formatAttributes, LANGID language, GpStringFormat** format) {
    if (!format) return InvalidParameter;
    auto* f = new (std::nothrow) GpStringFormat;
    if (!f) return OutOfMemory;
    f->flags = formatAttributes;
    f->language = language;
    *format = f;
    return Ok;
}

GpStatus GdipDeleteStringFormat(GpStringFormat* format) {
    if (!format) return InvalidParameter;
    delete format;
    return Ok;
}

GpStatus GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** newFormat) {
    if (!format || !newFormat) return InvalidParameter;
    *newFormat = new (std::nothrow) GpStringFormat(*format);
    return *newFormat ? Ok : OutOfMemory;
}

GpStatus GdipSetStringFormatFlags(GpStringFormat* format, INT flags) {
    if (!format) return InvalidParameter;
    format->flags = flags;
    return Ok;
}

GpStatus GdipGetStringFormatFlags(const GpStringFormat* format, INT* flags) {
    if (!format || !flags) return InvalidParameter;
    *flags = format->flags;
    return Ok;
}

GpStatus GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align) {
    if (!format || !ValidAlign(align)) return InvalidParameter;
    format->align = align;
    return Ok;
}

GpStatus GdipGetStringFormatAlign(const GpStringFormat* format, StringAlignment* align) {
    if (!format || !align) return InvalidParameter;
    *align = format->align;
    return Ok;
}

GpStatus GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align) {
    if (!format || !ValidAlign(align)) return InvalidParameter;
    format->lineAlign = align;
    return Ok;
}

GpStatus GdipGetStringFormatLineAlign(const GpStringFormat* format, StringAlignment* align) {
    if (!format || !align) return InvalidParameter;
    *align = format->lineAlign;
    return Ok;
}

GpStatus GdipSetStringFormatTrimming(GpStringFormat* format, StringTrimming trimming) {
    if (!format || trimming < StringTrimmingNone || trimming > StringTrimmingEllipsisPath)
        return InvalidParameter;
    format->trimming = trimming;
    return Ok;
}

GpStatus GdipGetStringFormatTrimming(const GpStringFormat* format, StringTrimming* trimming) {
    if (!format || !trimming) return InvalidParameter;
    *trimming = format->trimming;
    return Ok;
}

GpStatus GdipSetStringFormatHotkeyPrefix(GpStringFormat* format, INT hotkeyPrefix) {
    if (!format || hotkeyPrefix < HotkeyPrefixNone || hotkeyPrefix > HotkeyPrefixHide)
        return InvalidParameter;
    format->hotkeyPrefix = hotkeyPrefix;
    return Ok;
}

GpStatus GdipGetStringFormatHotkeyPrefix(const GpStringFormat* format, INT* hotkeyPrefix) {
    if (!format || !hotkeyPrefix) return InvalidParameter;
    *hotkeyPrefix = format->hotkeyPrefix;
    return Ok;
}

} // namespace gdip
