#pragma once
// The records behind the GDI handles, shared by the GDI sources only.

// The platform headers come before Pango's: GLib defines TRUE and FALSE as macros.
#include "platform/win/GdiDC.h"
#include "platform/win/GdiText.h"

#include <cairo.h>
#include <pango/pango.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace win {

// The state SaveDC keeps.
struct DCState {
    HPEN Pen = nullptr;
    HBRUSH Brush = nullptr;
    HFONT Font = nullptr;
    HBITMAP Bitmap = nullptr;
    std::optional<std::vector<RECT>> Clip; // device coordinates
    POINT ViewportOrg{};
    POINT WindowOrg{};
    POINT BrushOrg{};
    POINT Position{};
    COLORREF TextColor = 0x000000;
    COLORREF BkColor = 0xFFFFFF;
    COLORREF DCBrushColor = 0xFFFFFF;
    COLORREF DCPenColor = 0x000000;
    int BkMode = OPAQUE;
    UINT TextAlign = TA_LEFT | TA_TOP;
    int Rop2 = R2_COPYPEN;
    int StretchMode = BLACKONWHITE;
    int PolyFillMode = ALTERNATE;
    int CharExtra = 0;
};

// A view of 32-bit pixels; Stride in bytes may be negative (bottom-up storage seen top-down).
struct PixelView {
    std::uint8_t* Origin = nullptr; // row 0
    int Width = 0;
    int Height = 0;
    std::ptrdiff_t Stride = 0;
    bool Monochrome = false;
    std::uint32_t* Row(int y) const { return reinterpret_cast<std::uint32_t*>(Origin + Stride * y); }
};

struct DeviceContext {
    DeviceContext();
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    bool Memory = false;
    cairo_surface_t* Surface = nullptr; // window DC: referenced
    HWND Window = nullptr;
    POINT SurfaceOrigin{};                    // where device (0,0) lies on the surface
    std::optional<std::vector<RECT>> SysClip; // surface coordinates
    DCState State;
    std::vector<DCState> Saved;
    cairo_t* Cairo = nullptr;

    // The surface drawn into (window surface or selected bitmap's), null if none.
    cairo_surface_t* TargetSurface() const;
    bool TargetBottomUp() const;
    // Pixel access to the whole target; flushes Cairo first. Call Dirty() after writing.
    bool View(PixelView& v) const;
    void Dirty() const;
    // Device offset from logical coordinates: device = logical + Offset(); and the surface's: surface =
    // logical + SurfaceOffset(). Taken in 64 bits: each origin may lie anywhere in the int range, so their
    // sums may not; a caller brings what it computes from them back into int where it hands it on.
    struct Offset64 {
        std::int64_t X = 0, Y = 0;
    };
    Offset64 Offset() const {
        return {std::int64_t{State.ViewportOrg.X} - State.WindowOrg.X,
                std::int64_t{State.ViewportOrg.Y} - State.WindowOrg.Y};
    }
    Offset64 SurfaceOffset() const {
        const Offset64 o = Offset();
        return {o.X + SurfaceOrigin.X, o.Y + SurfaceOrigin.Y};
    }
    // The rectangles that may be drawn, in surface coordinates (system clip, DC clip and surface bounds).
    const std::vector<RECT>& EffectiveClip() const;
    // The bounding box of EffectiveClip (empty when nothing may be drawn).
    const RECT& EffectiveClipBox() const {
        EffectiveClip();
        return clipBox_;
    }
    void InvalidateClip() { clipValid_ = false; }
    // Prepares Cairo for drawing in logical coordinates with the effective clip.
    cairo_t* PrepareCairo();

private:
    mutable bool clipValid_ = false;
    mutable std::vector<RECT> clip_;
    mutable RECT clipBox_{};
};

namespace detail {
DeviceContext* AsDC(HDC hdc);
bool IsLiveDC(HDC hdc);
GdiPen* StockPen(int which);
GdiBrush* StockBrush(int which);
GdiFont* StockFont(int which);
GdiBitmap* StockBitmap();
// The DC_BRUSH and DC_PEN stock objects: they draw in the DC's SetDCBrushColor/SetDCPenColor colour.
GdiBrush* DCBrush();
GdiPen* DCPen(); // the 1 by 1 monochrome bitmap of fresh memory DCs
COLORREF SysColorValue(int index);
// A 32-bit bitmap (or monochrome) with zeroed (white for monochrome) pixels; null if too large.
GdiBitmap* NewBitmap(int width, int height, bool monochrome, bool bottomUp, bool dib);
// 0xFFRRGGBB pixel of a colour reference.
constexpr std::uint32_t PixelOf(COLORREF c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
// Colour reference of a pixel (alpha ignored; premultiplied values are taken as they are).
constexpr COLORREF ColorOf(std::uint32_t p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}
// Resolves a palette-index or system colour reference to a plain RGB.
COLORREF ResolveColor(COLORREF c);
// The monochrome pixel for a colour (black or white by brightness).
std::uint32_t MonoPixelOf(COLORREF c);
} // namespace detail

} // namespace win
