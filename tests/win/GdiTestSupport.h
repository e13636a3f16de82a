#pragma once
// A memory DC over a white 32-bit DIB section, for probing pixels in the GDI tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/win/DCInternal.h"
#include "platform/win/Gdi.h"

namespace gditest {

using namespace win;

constexpr COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), White = RGB(255, 255, 255),
                   Black = RGB(0, 0, 0);

// The header of a 32-bit uncompressed DIB (top-down for a negative height).
inline BITMAPINFO Bmi32(int w, int h) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return bmi;
}

inline void Fill(HDC dc, RECT r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

inline HFONT MakeFont(int height, const char* face, int weight = FW_NORMAL, int escapement = 0) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfEscapement = escapement;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

class Canvas {
public:
    Canvas(int w, int h, bool bottomUp = false) : w_(w), h_(h), bottomUp_(bottomUp) {
        const BITMAPINFO bmi = Bmi32(w, bottomUp ? h : -h);
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        Fill(dc, {0, 0, w, h}, RGB(255, 255, 255));
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The pixel as stored in the bitmap, whatever the DC's origin and clip (CLR_INVALID outside).
    COLORREF At(int x, int y) const {
        if (x < 0 || y < 0 || x >= w_ || y >= h_) return CLR_INVALID;
        const int row = bottomUp_ ? h_ - 1 - y : y;
        const std::uint32_t p = static_cast<const std::uint32_t*>(bits)[row * w_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // The pixels of one row (or column) as a string: '#' for the colour, '.' for white, '?' otherwise.
    std::string Row(int y, COLORREF c, int from = 0, int to = -1) const {
        std::string s;
        for (int x = from; x < (to < 0 ? w_ : to); ++x)
            s += Mark(At(x, y), c);
        return s;
    }
    std::string Column(int x, COLORREF c, int from = 0, int to = -1) const {
        std::string s;
        for (int y = from; y < (to < 0 ? h_ : to); ++y)
            s += Mark(At(x, y), c);
        return s;
    }
    // Number of pixels in the rectangle that are not white.
    int Inked(RECT r) const {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (At(x, y) != RGB(255, 255, 255)) ++n;
        return n;
    }
    // Bounding box of the pixels that are not white (empty if none).
    RECT InkBox() const {
        RECT b{w_, h_, 0, 0};
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (At(x, y) != RGB(255, 255, 255)) {
                    b.Left = std::min(b.Left, x);
                    b.Top = std::min(b.Top, y);
                    b.Right = std::max(b.Right, x + 1);
                    b.Bottom = std::max(b.Bottom, y + 1);
                }
        return b.Left >= b.Right ? RECT{} : b;
    }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;

private:
    static char Mark(COLORREF v, COLORREF c) {
        if (v == c) return '#';
        if (v == RGB(255, 255, 255)) return '.';
        return '?';
    }
    int w_, h_;
    bool bottomUp_;
};

// Selects an object for the scope and deletes it afterwards.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ obj) : dc_(dc), obj_(obj), old_(SelectObject(dc, obj)) {}
    ~Selected() {
        SelectObject(dc_, old_);
        DeleteObject(obj_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ obj_;
    HGDIOBJ old_;
};

} // namespace gditest
