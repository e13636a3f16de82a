#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/rtl/Colors.h"
#include "platform/win/GdiInternal.h"

namespace win {

namespace {

template <class T> int CopyOut(const T& value, int c, void* pv) {
    if (pv == nullptr) return static_cast<int>(sizeof(T));
    const int n = std::min(c, static_cast<int>(sizeof(T)));
    std::memcpy(pv, &value, static_cast<std::size_t>(n));
    return n;
}

GdiPen* NewPen(UINT style, int width, COLORREF color, bool extended) {
    auto* p = new GdiPen;
    p->Style = style;
    p->Width = std::max(0, width);
    p->Color = color & 0x00FFFFFF;
    p->Extended = extended;
    return p;
}

GdiBitmap* AsBitmap(HBITMAP h) {
    return detail::IsLiveGdiObject(h) && h->ObjectType == OBJ_BITMAP ? h : nullptr;
}

} // namespace

// ---- Pens ----

int GdiPen::Describe(int c, void* pv) const {
    if (Extended) {
        EXTLOGPEN e{};
        e.elpPenStyle = Style;
        e.elpWidth = static_cast<DWORD>(Width);
        e.elpBrushStyle = BaseStyle() == PS_NULL ? BS_NULL : BS_SOLID;
        e.elpColor = Color;
        return CopyOut(e, c, pv);
    }
    LOGPEN lp{Style, {Width, 0}, Color};
    return CopyOut(lp, c, pv);
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
    if (iStyle < 0 || (static_cast<UINT>(iStyle) & PS_STYLE_MASK) > PS_INSIDEFRAME) return nullptr;
    return NewPen(static_cast<UINT>(iStyle), cWidth, color, false);
}

HPEN CreatePenIndirect(const LOGPEN* plpen) {
    if (plpen == nullptr) return nullptr;
    return CreatePen(static_cast<int>(plpen->lopnStyle), plpen->lopnWidth.X, plpen->lopnColor);
}

HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle, const DWORD* pstyle) {
    if (plbrush == nullptr || cStyle != 0 || pstyle != nullptr) return nullptr;
    const UINT base = iPenStyle & PS_STYLE_MASK;
    if (base > PS_INSIDEFRAME && base != PS_ALTERNATE) return nullptr;
    if ((iPenStyle & PS_TYPE_MASK) == PS_COSMETIC && cWidth != 1) return nullptr;
    if (plbrush->lbStyle != BS_SOLID && plbrush->lbStyle != BS_NULL) return nullptr;
    UINT style = iPenStyle;
    if (plbrush->lbStyle == BS_NULL) style = (style & ~PS_STYLE_MASK) | PS_NULL;
    if (cWidth > static_cast<DWORD>(std::numeric_limits<int>::max())) return nullptr;
    return NewPen(style, static_cast<int>(cWidth), plbrush->lbColor, true);
}

// ---- Brushes ----

int GdiBrush::Describe(int c, void* pv) const {
    LOGBRUSH lb{Style, Color, Style == BS_HATCHED ? static_cast<ULONG_PTR>(Hatch) : PatternHandle};
    return CopyOut(lb, c, pv);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto* b = new GdiBrush;
    b->Style = BS_SOLID;
    b->Color = color & 0x00FFFFFF;
    return b;
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color) {
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS) return nullptr;
    auto* b = new GdiBrush;
    b->Style = BS_HATCHED;
    b->Hatch = iHatch;
    b->Color = color & 0x00FFFFFF;
    return b;
}

HBRUSH CreatePatternBrush(HBITMAP hbm) {
    GdiBitmap* bm = AsBitmap(hbm);
    if (bm == nullptr || bm->Width <= 0 || bm->Height <= 0) return nullptr;
    auto* b = new GdiBrush;
    b->Style = BS_PATTERN;
    b->PatternWidth = bm->Width;
    b->PatternHeight = bm->Height;
    b->PatternMonochrome = bm->Monochrome;
    b->PatternHandle = reinterpret_cast<ULONG_PTR>(hbm);
    cairo_surface_flush(bm->Surface);
    b->Pattern.resize(static_cast<std::size_t>(bm->Width) * static_cast<std::size_t>(bm->Height));
    for (int y = 0; y < bm->Height; ++y) {
        const int row = bm->BottomUp ? bm->Height - 1 - y : y;
        std::memcpy(&b->Pattern[static_cast<std::size_t>(y) * static_cast<std::size_t>(bm->Width)],
                    bm->Bits + static_cast<std::size_t>(row) * static_cast<std::size_t>(bm->Width) * 4,
                    static_cast<std::size_t>(bm->Width) * 4);
    }
    return b;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush) {
    if (plbrush == nullptr) return nullptr;
    switch (plbrush->lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(plbrush->lbColor);
    case BS_NULL: {
        auto* b = new GdiBrush;
        b->Style = BS_NULL;
        return b;
    }
    case BS_HATCHED:
        return CreateHatchBrush(static_cast<int>(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN:
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    default:
        return nullptr;
    }
}

// ---- Bitmaps ----

GdiBitmap::~GdiBitmap() {
    if (Surface != nullptr) cairo_surface_destroy(Surface);
    std::free(Bits);
}

int GdiBitmap::Describe(int c, void* pv) const {
    BITMAP bm{0,
              Width,
              Height,
              Monochrome ? ((Width + 15) / 16) * 2 : Width * 4,
              1,
              static_cast<WORD>(Monochrome ? 1 : 32),
              Dib ? Bits : nullptr};
    if (Dib && c >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION ds{};
        ds.dsBm = bm;
        ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
        ds.dsBmih.biWidth = Width;
        ds.dsBmih.biHeight = BottomUp ? Height : -Height;
        ds.dsBmih.biPlanes = 1;
        ds.dsBmih.biBitCount = 32;
        ds.dsBmih.biCompression = BI_RGB;
        ds.dsBmih.biSizeImage = static_cast<DWORD>(Width * Height * 4);
        return CopyOut(ds, c, pv);
    }
    return CopyOut(bm, c, pv);
}

namespace detail {

GdiBitmap* NewBitmap(int width, int height, bool monochrome, bool bottomUp, bool dib) {
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    // DIB sections start zeroed; other bitmaps are filled with opaque black below, so zeroing them
    // first would only cost a second pass over the memory.
    const bool zeroed = dib && !monochrome;
    auto* data = static_cast<std::uint8_t*>(zeroed ? std::calloc(bytes, 1) : std::malloc(bytes));
    if (data == nullptr) return nullptr;
    auto* bm = new GdiBitmap;
    bm->Width = width;
    bm->Height = height;
    bm->Monochrome = monochrome;
    bm->BottomUp = bottomUp;
    bm->Dib = dib;
    bm->Bits = data;
    if (monochrome)
        std::fill_n(reinterpret_cast<std::uint32_t*>(data), bytes / 4, 0xFF000000u);
    else if (!dib)
        std::fill_n(reinterpret_cast<std::uint32_t*>(data), bytes / 4, 0xFF000000u);
    bm->Surface = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, width, height, width * 4);
    return bm;
}

GdiBitmap* StockBitmap() {
    static GdiBitmap* bm = [] {
        GdiBitmap* b = NewBitmap(1, 1, true, false, false);
        b->Stock = true;
        return b;
    }();
    return bm;
}

COLORREF ResolveColor(COLORREF c) {
    // 0x01xxxxxx palette indexes and 0x02xxxxxx palette-relative colours map to their RGB part.
    return c & 0x00FFFFFF;
}

std::uint32_t MonoPixelOf(COLORREF c) {
    const unsigned sum = GetRValue(c) * 30u + GetGValue(c) * 59u + GetBValue(c) * 11u;
    return sum >= 12800u ? 0xFFFFFFFFu : 0xFF000000u;
}

COLORREF SysColorValue(int index) {
    return static_cast<COLORREF>(vcl::GetSysColorValue(index)) & 0x00FFFFFF;
}

GdiPen* StockPen(int which) {
    static GdiPen* pens[3] = {nullptr, nullptr, nullptr};
    const int i = which - WHITE_PEN;
    if (i < 0 || i > 2) return nullptr;
    if (pens[i] == nullptr) {
        static const COLORREF colors[3] = {0xFFFFFF, 0x000000, 0x000000};
        pens[i] = NewPen(i == 2 ? PS_NULL : PS_SOLID, 1, colors[i], false);
        pens[i]->Stock = true;
    }
    return pens[i];
}

GdiBrush* StockBrush(int which) {
    static GdiBrush* brushes[6] = {};
    if (which < WHITE_BRUSH || which > NULL_BRUSH) return nullptr;
    if (brushes[which] == nullptr) {
        static const COLORREF colors[5] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
        auto* b = new GdiBrush;
        if (which == NULL_BRUSH)
            b->Style = BS_NULL;
        else
            b->Color = colors[which];
        b->Stock = true;
        brushes[which] = b;
    }
    return brushes[which];
}

GdiBrush* DCBrush() {
    static GdiBrush* b = [] {
        auto* r = new GdiBrush;
        r->Stock = true;
        r->Color = 0xFFFFFF;
        return r;
    }();
    return b;
}

GdiPen* DCPen() {
    static GdiPen* p = [] {
        GdiPen* r = NewPen(PS_SOLID, 1, 0, false);
        r->Stock = true;
        return r;
    }();
    return p;
}

} // namespace detail

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
    const UINT bpp = nPlanes * nBitCount;
    if (bpp == 0) return nullptr;
    GdiBitmap* bm = detail::NewBitmap(nWidth, nHeight, bpp == 1, false, false);
    if (bm == nullptr || lpBits == nullptr) return bm;
    const auto* src = static_cast<const std::uint8_t*>(lpBits);
    for (int y = 0; y < nHeight; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bm->Bits) + static_cast<std::size_t>(y) * nWidth;
        if (bpp == 1) {
            const std::size_t stride = static_cast<std::size_t>((nWidth + 15) / 16) * 2;
            const std::uint8_t* s = src + stride * static_cast<std::size_t>(y);
            for (int x = 0; x < nWidth; ++x)
                row[x] = (s[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFFFu : 0xFF000000u;
        } else if (bpp == 32) {
            const std::uint8_t* s = src + static_cast<std::size_t>(nWidth) * 4 * static_cast<std::size_t>(y);
            for (int x = 0; x < nWidth; ++x)
                row[x] = 0xFF000000u | (std::uint32_t(s[4 * x + 2]) << 16) |
                         (std::uint32_t(s[4 * x + 1]) << 8) | s[4 * x];
        } else if (bpp == 24) {
            const std::size_t stride = ((static_cast<std::size_t>(nWidth) * 3 + 1) / 2) * 2;
            const std::uint8_t* s = src + stride * static_cast<std::size_t>(y);
            for (int x = 0; x < nWidth; ++x)
                row[x] = 0xFF000000u | (std::uint32_t(s[3 * x + 2]) << 16) |
                         (std::uint32_t(s[3 * x + 1]) << 8) | s[3 * x];
        }
    }
    cairo_surface_mark_dirty(bm->Surface);
    return bm;
}

HBITMAP CreateBitmapIndirect(const BITMAP* pbm) {
    if (pbm == nullptr) return nullptr;
    return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return nullptr;
    const bool mono = dc->Memory && dc->State.Bitmap != nullptr && dc->State.Bitmap->Monochrome;
    return detail::NewBitmap(cx, cy, mono, false, false);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection, DWORD) {
    if (ppvBits != nullptr) *ppvBits = nullptr;
    if (pbmi == nullptr || hSection != nullptr || usage != DIB_RGB_COLORS) return nullptr;
    const BITMAPINFOHEADER& h = pbmi->bmiHeader;
    if (h.biBitCount != 32 || (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)) return nullptr;
    if (h.biCompression == BI_BITFIELDS) {
        DWORD masks[3];
        std::memcpy(masks, pbmi->bmiColors, sizeof masks);
        if (masks[0] != 0xFF0000 || masks[1] != 0xFF00 || masks[2] != 0xFF) return nullptr;
    }
    if (h.biHeight == std::numeric_limits<LONG>::min()) return nullptr;
    GdiBitmap* bm = detail::NewBitmap(h.biWidth, std::abs(h.biHeight), false, h.biHeight > 0, true);
    if (bm != nullptr && ppvBits != nullptr) *ppvBits = bm->Bits;
    return bm;
}

BOOL GetBitmapDimensionEx(HBITMAP hbit, SIZE* lpsize) {
    if (AsBitmap(hbit) == nullptr || lpsize == nullptr) return FALSE;
    *lpsize = {0, 0};
    return TRUE;
}

// ---- Stock objects and system colours ----

HGDIOBJ GetStockObject(int i) {
    if (i >= WHITE_BRUSH && i <= NULL_BRUSH) return detail::StockBrush(i);
    if (i >= WHITE_PEN && i <= NULL_PEN) return detail::StockPen(i);
    if (i == DC_BRUSH) return detail::DCBrush();
    if (i == DC_PEN) return detail::DCPen();
    if ((i >= OEM_FIXED_FONT && i <= DEVICE_DEFAULT_FONT) || i == SYSTEM_FIXED_FONT || i == DEFAULT_GUI_FONT)
        return detail::StockFont(i);
    if (i == DEFAULT_PALETTE) {
        static GdiPalette* pal = [] {
            auto* p = new GdiPalette;
            p->Stock = true;
            return p;
        }();
        return pal;
    }
    return nullptr;
}

DWORD GetSysColor(int nIndex) {
    return detail::SysColorValue(nIndex);
}

HBRUSH GetSysColorBrush(int nIndex) {
    constexpr int count = COLOR_MENUBAR + 1;
    static GdiBrush* brushes[count] = {};
    if (nIndex < 0 || nIndex >= count) return nullptr;
    if (brushes[nIndex] == nullptr) {
        brushes[nIndex] = new GdiBrush;
        brushes[nIndex]->Stock = true;
    }
    // The table may change at run time; the brush follows it.
    brushes[nIndex]->Color = detail::SysColorValue(nIndex);
    return brushes[nIndex];
}

} // namespace win
