// Icons: ARGB images drawn with their alpha.

#include "platform/win/Icon.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "platform/win/GdiDraw.h"
#include "platform/win/GdiPaint.h"

namespace win {

namespace {

std::unordered_set<const IconRecord*>& LiveIcons() {
    static std::unordered_set<const IconRecord*> icons;
    return icons;
}

// Copies larger than this on a side are refused.
constexpr int MaxIconSize = 1024;

IconRecord* AsIcon(HICON h) {
    return h != nullptr && LiveIcons().count(h) ? h : nullptr;
}

GdiBitmap* AsBitmap(HBITMAP h) {
    return detail::IsLiveGdiObject(h) && h->ObjectType == OBJ_BITMAP ? h : nullptr;
}

std::uint32_t BitmapPixel(const GdiBitmap* bm, int x, int y) {
    const int row = bm->BottomUp ? bm->Height - 1 - y : y;
    return reinterpret_cast<const std::uint32_t*>(bm->Bits)[static_cast<std::size_t>(row) * bm->Width + x];
}

std::uint32_t Premultiply(std::uint32_t p) {
    const unsigned a = p >> 24;
    if (a == 255) return p;
    auto ch = [&](int shift) { return ((((p >> shift) & 0xFF) * a + 127) / 255) << shift; };
    return (a << 24) | ch(16) | ch(8) | ch(0);
}

std::uint32_t Unpremultiply(std::uint32_t p) {
    const unsigned a = p >> 24;
    if (a == 0 || a == 255) return a == 0 ? 0 : p;
    auto ch = [&](int shift) { return std::min(255u, (((p >> shift) & 0xFF) * 255 + a / 2) / a) << shift; };
    return (a << 24) | ch(16) | ch(8) | ch(0);
}

// Nearest-neighbour resize of premultiplied pixels.
std::vector<std::uint32_t> Resize(const IconRecord& icon, int w, int h) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = static_cast<int>((2LL * x + 1) * icon.Width / (2LL * w));
            const int sy = static_cast<int>((2LL * y + 1) * icon.Height / (2LL * h));
            out[static_cast<std::size_t>(y) * w + x] =
                icon.Pixels[static_cast<std::size_t>(sy) * icon.Width + sx];
        }
    return out;
}

} // namespace

namespace detail {

bool IsLiveIcon(HICON h) {
    return AsIcon(h) != nullptr;
}

HICON CreateIconFromPixels(int width, int height, const std::uint32_t* pixels, bool isIcon, POINT hotSpot) {
    if (width <= 0 || height <= 0 || pixels == nullptr) return nullptr;
    auto* icon = new IconRecord;
    icon->Width = width;
    icon->Height = height;
    icon->IsIcon = isIcon;
    icon->HotSpot = hotSpot;
    icon->Pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    LiveIcons().insert(icon);
    return icon;
}

} // namespace detail

HICON CreateIconIndirect(ICONINFO* piconinfo) {
    if (piconinfo == nullptr) return nullptr;
    GdiBitmap* color = AsBitmap(piconinfo->hbmColor);
    GdiBitmap* mask = AsBitmap(piconinfo->hbmMask);
    if (mask == nullptr) return nullptr;
    const int w = color ? color->Width : mask->Width;
    const int h = color ? color->Height : mask->Height / 2;
    if (w <= 0 || h <= 0 || mask->Width < w || mask->Height < h) return nullptr;
    if (color) cairo_surface_flush(color->Surface);
    cairo_surface_flush(mask->Surface);
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    // A DIB colour bitmap with any alpha carries its own (straight) alpha; otherwise the mask decides.
    bool alpha = false;
    if (color && color->Dib)
        for (int y = 0; y < h && !alpha; ++y)
            for (int x = 0; x < w; ++x)
                if (BitmapPixel(color, x, y) >> 24) {
                    alpha = true;
                    break;
                }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool transparent = (BitmapPixel(mask, x, y) & 0xFFFFFF) != 0;
            std::uint32_t p;
            if (color == nullptr) {
                const bool white = (BitmapPixel(mask, x, y + h) & 0xFFFFFF) != 0;
                p = transparent ? 0 : (white ? 0xFFFFFFFFu : 0xFF000000u);
            } else if (alpha) {
                p = Premultiply(BitmapPixel(color, x, y));
            } else {
                p = transparent ? 0 : (0xFF000000u | BitmapPixel(color, x, y));
            }
            px[static_cast<std::size_t>(y) * w + x] = p;
        }
    POINT hot{static_cast<int>(piconinfo->xHotspot), static_cast<int>(piconinfo->yHotspot)};
    if (piconinfo->fIcon) hot = {w / 2, h / 2};
    return detail::CreateIconFromPixels(w, h, px.data(), piconinfo->fIcon != FALSE, hot);
}

BOOL DestroyIcon(HICON hIcon) {
    IconRecord* icon = AsIcon(hIcon);
    if (icon == nullptr) return FALSE;
    LiveIcons().erase(icon);
    delete icon;
    return TRUE;
}

HICON CopyIcon(HICON hIcon) {
    IconRecord* icon = AsIcon(hIcon);
    if (icon == nullptr) return nullptr;
    return detail::CreateIconFromPixels(icon->Width, icon->Height, icon->Pixels.data(), icon->IsIcon,
                                        icon->HotSpot);
}

BOOL GetIconInfo(HICON hIcon, ICONINFO* piconinfo) {
    IconRecord* icon = AsIcon(hIcon);
    if (icon == nullptr || piconinfo == nullptr) return FALSE;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = icon->Width;
    bmi.bmiHeader.biHeight = -icon->Height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HBITMAP mask = CreateBitmap(icon->Width, icon->Height, 1, 1, nullptr);
    if (color == nullptr || mask == nullptr) {
        DeleteObject(color);
        DeleteObject(mask);
        return FALSE;
    }
    auto* out = static_cast<std::uint32_t*>(bits);
    auto* m = reinterpret_cast<std::uint32_t*>(mask->Bits);
    for (std::size_t i = 0; i < icon->Pixels.size(); ++i) {
        out[i] = Unpremultiply(icon->Pixels[i]);
        m[i] = (icon->Pixels[i] >> 24) == 0 ? 0xFFFFFFFFu : 0xFF000000u;
    }
    cairo_surface_mark_dirty(color->Surface);
    cairo_surface_mark_dirty(mask->Surface);
    piconinfo->fIcon = icon->IsIcon;
    piconinfo->xHotspot = static_cast<DWORD>(icon->HotSpot.X);
    piconinfo->yHotspot = static_cast<DWORD>(icon->HotSpot.Y);
    piconinfo->hbmColor = color;
    piconinfo->hbmMask = mask;
    return TRUE;
}

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
    DeviceContext* dc = detail::AsDC(hdc);
    IconRecord* icon = AsIcon(hIcon);
    if (dc == nullptr || icon == nullptr) return FALSE;
    const int w = cxWidth > 0 ? cxWidth : icon->Width;
    const int h = cyWidth > 0 ? cyWidth : icon->Height;
    const bool image = diFlags & DI_IMAGE, mask = diFlags & DI_MASK;
    if (!image && !mask) return FALSE;
    if (hbrFlickerFreeDraw != nullptr) {
        const RECT r{xLeft, yTop, xLeft + w, yTop + h};
        FillRect(hdc, &r, hbrFlickerFreeDraw);
    }
    detail::Painter p(dc);
    if (!p.Ok()) return TRUE;
    int rowFrom = yTop, rowTo = yTop + h;
    p.VisibleRows(rowFrom, rowTo);
    for (int y = rowFrom; y < rowTo; ++y) {
        // Nearest-neighbour sampling when the icon is drawn at another size.
        const int sy = static_cast<int>((2LL * (y - yTop) + 1) * icon->Height / (2LL * h));
        const std::uint32_t* srcRow = &icon->Pixels[static_cast<std::size_t>(sy) * icon->Width];
        p.Each(y, xLeft, xLeft + w, [&](std::uint32_t& pixel, int x, int) {
            const std::uint32_t s = srcRow[(2LL * (x - xLeft) + 1) * icon->Width / (2LL * w)];
            const unsigned a = s >> 24;
            if (image && mask) {
                if (a == 0) return;
                const unsigned inv = 255 - a;
                std::uint32_t out = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    const unsigned v = ((s >> shift) & 0xFF) + (((pixel >> shift) & 0xFF) * inv + 127) / 255;
                    out |= std::min(255u, v) << shift;
                }
                pixel = out;
            } else if (image) {
                pixel = 0xFF000000u | (Unpremultiply(s) & 0xFFFFFF);
            } else if (a != 0) {
                pixel = 0xFF000000u; // the mask: opaque parts black, the rest left as it is
            }
        });
    }
    return TRUE;
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
    return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL);
}

HANDLE CopyImage(HANDLE h, UINT type, int cx, int cy, UINT flags) {
    if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
        IconRecord* icon = AsIcon(static_cast<HICON>(h));
        if (icon == nullptr) return nullptr;
        const int w = cx > 0 ? cx : icon->Width, ht = cy > 0 ? cy : icon->Height;
        if (w > MaxIconSize || ht > MaxIconSize) return nullptr;
        const std::vector<std::uint32_t> px = Resize(*icon, w, ht);
        HICON copy = detail::CreateIconFromPixels(w, ht, px.data(), icon->IsIcon, icon->HotSpot);
        if (flags & LR_COPYDELETEORG) DestroyIcon(icon);
        return copy;
    }
    if (type != IMAGE_BITMAP) return nullptr;
    GdiBitmap* bm = AsBitmap(static_cast<HBITMAP>(h));
    if (bm == nullptr) return nullptr;
    const int w = cx > 0 ? cx : bm->Width, ht = cy > 0 ? cy : bm->Height;
    GdiBitmap* copy = detail::NewBitmap(w, ht, bm->Monochrome, false, false);
    if (copy == nullptr) return nullptr;
    cairo_surface_flush(bm->Surface);
    auto* out = reinterpret_cast<std::uint32_t*>(copy->Bits);
    for (int y = 0; y < ht; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = static_cast<int>((2LL * x + 1) * bm->Width / (2LL * w));
            const int sy = static_cast<int>((2LL * y + 1) * bm->Height / (2LL * ht));
            out[static_cast<std::size_t>(y) * w + x] = BitmapPixel(bm, sx, sy);
        }
    cairo_surface_mark_dirty(copy->Surface);
    if ((flags & LR_COPYDELETEORG) && bm->SelectCount == 0) DeleteObject(bm);
    return copy;
}

} // namespace win
