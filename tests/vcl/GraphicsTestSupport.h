#pragma once
// Helpers of the graphics tests: pictures made in memory, and pixel probes.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/rtl/Streams.h"
#include "platform/vcl/Graphics.h"

namespace graphics_test {

using vcl::String;

// A 0x00BBGGRR colour as the canvas reports it.
constexpr vcl::TColor Rgb(int r, int g, int b) {
    return static_cast<vcl::TColor>(win::RGB(r, g, b));
}

// A little-endian BMP file of the given depth. Pixels are 0x00RRGGBB, rows top-down; for depths of
// 8 bits or less they are indexes into Palette (0x00RRGGBB values).
inline String MakeBmp(int width, int height, int bits, const std::vector<std::uint32_t>& pixels,
                      const std::vector<std::uint32_t>& palette = {}, bool topDown = false) {
    const int stride = ((width * bits + 31) / 32) * 4;
    const int paletteBytes = static_cast<int>(palette.size()) * 4;
    const int offset = 14 + 40 + paletteBytes;
    String out(static_cast<std::size_t>(offset + stride * height), '\0');
    auto put = [&](int at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            out[static_cast<std::size_t>(at + i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    out[0] = 'B';
    out[1] = 'M';
    put(2, static_cast<std::uint32_t>(out.size()), 4);
    put(10, static_cast<std::uint32_t>(offset), 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(topDown ? -height : height), 4);
    put(26, 1, 2);
    put(28, static_cast<std::uint32_t>(bits), 2);
    put(46, static_cast<std::uint32_t>(palette.size()), 4);
    for (std::size_t i = 0; i < palette.size(); ++i)
        put(54 + static_cast<int>(i) * 4, palette[i], 4);
    for (int y = 0; y < height; ++y) {
        int row = topDown ? y : height - 1 - y;
        int at = offset + row * stride;
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
            switch (bits) {
            case 1:
                if (p) out[static_cast<std::size_t>(at + x / 8)] |= static_cast<char>(0x80 >> (x % 8));
                break;
            case 4:
                out[static_cast<std::size_t>(at + x / 2)] |= static_cast<char>(x % 2 == 0 ? p << 4 : p);
                break;
            case 8:
                out[static_cast<std::size_t>(at + x)] = static_cast<char>(p);
                break;
            case 24:
                put(at + 3 * x, p, 3);
                break;
            case 32:
                put(at + 4 * x, p, 4);
                break;
            default: // a depth no reader knows: header only
                break;
            }
        }
    }
    return out;
}

// A PNG (or, with type "jpeg", a JPEG) file encoded by the imaging library. Pixels are 0xAARRGGBB,
// straight alpha.
String MakePng(int width, int height, const std::vector<std::uint32_t>& pixels, const char* type = "png");

inline void LoadBytes(vcl::TGraphic& graphic, const String& bytes) {
    vcl::TStringStream s(bytes);
    graphic.LoadFromStream(&s);
}

inline String SaveBytes(vcl::TGraphic& graphic) {
    vcl::TStringStream s;
    graphic.SaveToStream(&s);
    return s.DataString();
}

// Pixel probes of a canvas, each naming the colour its rule gives there.
struct TProbe {
    int X, Y;
    vcl::TColor Color;
};
inline void ExpectPixels(vcl::TCanvas* Canvas, std::initializer_list<TProbe> Probes) {
    for (const TProbe& p : Probes)
        EXPECT_EQ(Canvas->Pixels(p.X, p.Y), p.Color) << "at (" << p.X << ", " << p.Y << ")";
}

// A bitmap of the given size filled with one colour.
inline std::unique_ptr<vcl::TBitmap> Filled(int w, int h, vcl::TColor color) {
    auto b = std::make_unique<vcl::TBitmap>();
    b->Canvas()->Brush()->SetColor(color);
    b->SetSize(w, h);
    return b;
}

} // namespace graphics_test
