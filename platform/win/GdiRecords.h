#pragma once
// The records behind the pen, brush, font, bitmap and palette handles. Complete types, so that each handle
// converts to HGDIOBJ and back (static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))); their members are the
// GDI layer's own business.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/GdiObjects.h"

struct _cairo_surface;
struct _PangoFontDescription;

namespace win {

using cairo_surface_ptr = ::_cairo_surface*;

struct GdiPen : GdiObject {
    GdiPen() : GdiObject(OBJ_PEN) {}
    UINT Style = PS_SOLID; // PS_* style (low bits), end cap, join and type bits as given
    int Width = 1;
    COLORREF Color = 0;
    bool Extended = false; // made by ExtCreatePen
    int Describe(int c, void* pv) const override;
    UINT BaseStyle() const { return Style & PS_STYLE_MASK; }
};

struct GdiBitmap;

struct GdiBrush : GdiObject {
    GdiBrush() : GdiObject(OBJ_BRUSH) {}
    UINT Style = BS_SOLID;
    COLORREF Color = 0;
    int Hatch = 0;
    // BS_PATTERN: a copy of the pattern's pixels (0xAARRGGBB), Monochrome if from a 1-bit bitmap.
    int PatternWidth = 0;
    int PatternHeight = 0;
    bool PatternMonochrome = false;
    std::vector<std::uint32_t> Pattern;
    ULONG_PTR PatternHandle = 0; // as given, for GetObject
    int Describe(int c, void* pv) const override;
};

struct GdiFont : GdiObject {
    GdiFont() : GdiObject(OBJ_FONT) {}
    ~GdiFont() override;
    LOGFONT Log{};
    int Describe(int c, void* pv) const override;

    // Resolved on first use.
    ::_PangoFontDescription* Description() const;
    const TEXTMETRIC& Metrics() const;
    int UnderlinePosition() const; // below the baseline, pixels
    int LineThickness() const;
    int StrikePosition() const; // above the baseline, pixels
    // What the font's resolution depends on (see detail::FontKey), made once: Log never changes after
    // the font is made.
    const std::string& Key() const;

private:
    void Resolve() const;
    void ResolveAnew() const;
    mutable ::_PangoFontDescription* desc_ = nullptr;
    mutable TEXTMETRIC metrics_{};
    mutable int underlinePos_ = 1;
    mutable int thickness_ = 1;
    mutable int strikePos_ = 3;
    mutable std::string key_;
};

struct GdiBitmap : GdiObject {
    GdiBitmap() : GdiObject(OBJ_BITMAP) {}
    ~GdiBitmap() override;
    int Width = 0;
    int Height = 0;
    bool Monochrome = false;             // 1 bit per pixel: pixels are black or white
    bool Dib = false;                    // made by CreateDIBSection
    bool BottomUp = false;               // DIB rows stored bottom-up
    std::uint8_t* Bits = nullptr;        // Width * Height * 4 bytes, rows as stored
    cairo_surface_ptr Surface = nullptr; // over Bits (rows as stored)
    DeviceContext* SelectedInto = nullptr;
    int Describe(int c, void* pv) const override;
};

struct GdiPalette : GdiObject {
    GdiPalette() : GdiObject(OBJ_PAL) {}
};

} // namespace win
