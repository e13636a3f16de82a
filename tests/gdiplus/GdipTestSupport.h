#pragma once
// Helpers for the flat interface's tests: owned objects, a bitmap canvas and pixel probes.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/gdiplus/GdiPlusFlat.h"

namespace gdiptest {

using namespace gdip;

// Owns a flat-interface object and frees it with the given function.
template <auto Free> struct Deleter {
    template <class T> void operator()(T* p) const { Free(p); }
};
using PathPtr = std::unique_ptr<GpPath, Deleter<GdipDeletePath>>;
using BrushPtr = std::unique_ptr<GpBrush, Deleter<GdipDeleteBrush>>;
using PenPtr = std::unique_ptr<GpPen, Deleter<GdipDeletePen>>;
using RegionPtr = std::unique_ptr<GpRegion, Deleter<GdipDeleteRegion>>;
using ImagePtr = std::unique_ptr<GpImage, Deleter<GdipDisposeImage>>;
using FamilyPtr = std::unique_ptr<GpFontFamily, Deleter<GdipDeleteFontFamily>>;
using FontPtr = std::unique_ptr<GpFont, Deleter<GdipDeleteFont>>;
using FormatPtr = std::unique_ptr<GpStringFormat, Deleter<GdipDeleteStringFormat>>;

constexpr ARGB kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kBlack = 0xFF000000,
               kWhite = 0xFFFFFFFF;

inline PathPtr NewPath(FillMode mode = FillModeAlternate) {
    GpPath* p = nullptr;
    EXPECT_EQ(GdipCreatePath(mode, &p), Ok);
    return PathPtr(p);
}

inline BrushPtr Solid(ARGB c) {
    GpSolidFill* b = nullptr;
    EXPECT_EQ(GdipCreateSolidFill(c, &b), Ok);
    return BrushPtr(b);
}

// A font of the family in pixels.
inline FontPtr MakeFont(const char16_t* family, REAL size, INT style = FontStyleRegular) {
    GpFontFamily* f = nullptr;
    EXPECT_EQ(GdipCreateFontFamilyFromName(family, nullptr, &f), Ok);
    FamilyPtr fam(f);
    GpFont* font = nullptr;
    EXPECT_EQ(GdipCreateFont(f, size, style, UnitPixel, &font), Ok);
    return FontPtr(font);
}

inline PenPtr Pen(ARGB c, REAL width) {
    GpPen* p = nullptr;
    EXPECT_EQ(GdipCreatePen1(c, width, UnitWorld, &p), Ok);
    return PenPtr(p);
}

constexpr int A(ARGB c) {
    return static_cast<int>((c >> 24) & 0xFF);
}
constexpr int R(ARGB c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int G(ARGB c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int B(ARGB c) {
    return static_cast<int>(c & 0xFF);
}

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1; // inclusive; right < left when empty
    bool Empty() const { return right < left; }
    double CentreX() const { return (left + right) / 2.0; }
    double CentreY() const { return (top + bottom) / 2.0; }
};

// A bitmap with a graphics over it, cleared to a background colour.
class Canvas {
public:
    Canvas(int width, int height, ARGB background = 0xFFFFFFFF)
        : width_(width), height_(height), bg_(background) {
        EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap_), Ok);
        EXPECT_EQ(GdipGetImageGraphicsContext(bitmap_, &graphics_), Ok);
        EXPECT_EQ(GdipGraphicsClear(graphics_, background), Ok);
    }
    ~Canvas() {
        GdipDeleteGraphics(graphics_);
        GdipDisposeImage(bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    GpGraphics* g() const { return graphics_; }

    ARGB At(int x, int y) const {
        ARGB c = 0;
        EXPECT_EQ(GdipBitmapGetPixel(bitmap_, x, y, &c), Ok);
        return c;
    }
    // The box of pixels that differ from the background.
    Box Inked() const {
        Box b{width_, height_, -1, -1};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y) != bg_) {
                    b.left = std::min(b.left, x), b.top = std::min(b.top, y);
                    b.right = std::max(b.right, x), b.bottom = std::max(b.bottom, y);
                }
        if (b.right < 0) return Box{};
        return b;
    }
    bool Untouched() const { return Inked().Empty(); }

private:
    int width_, height_;
    ARGB bg_;
    GpBitmap* bitmap_ = nullptr;
    GpGraphics* graphics_ = nullptr;
};

inline bool Near(int actual, int expected, int tolerance) {
    return std::abs(actual - expected) <= tolerance;
}

// A scratch file name in the build folder, removed by the caller.
inline std::string TempPath(const std::string& name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/kv_gdip_" + std::to_string(::getpid()) + "_" + name;
}

inline std::u16string U16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

} // namespace gdiptest
