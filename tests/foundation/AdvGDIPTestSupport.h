#pragma once
// Shared helpers of the GDI+ wrapper tests: drawing surfaces, streams and small image files.

#include <cstdint>
#include <memory>
#include <vector>

#include "components/foundation/AdvGDIP.h"
#include "platform/win/Global.h"

namespace AdvGDIPTest {

using namespace AdvGDIP;

// A drawing surface on a GDI+ bitmap, for pixel probes: the graphics draws into the bitmap.
class TImageGraphics : public TGPGraphics {
public:
    explicit TImageGraphics(gdip::GpImage* image) : TGPGraphics(nullptr) {
        gdip::GpGraphics* graphics = nullptr;
        gdip::GdipGetImageGraphicsContext(image, &graphics);
        SetNativeGraphics(graphics);
        GetLastStatus(); // forget the failed creation on the empty device context
    }
};

class TSurface {
public:
    TSurface(int width, int height, ARGB background = 0xFFFFFFFF) {
        gdip::GpBitmap* native = nullptr;
        gdip::GdipCreateBitmapFromScan0(width, height, 0, gdip::PixelFormat32bppARGB, nullptr, &native);
        Graphics = std::make_unique<TImageGraphics>(native);
        Bitmap = std::make_unique<TGPBitmap>(native);
        TGPSolidBrush brush(background);
        Graphics->FillRectangle(&brush, 0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height));
    }
    ~TSurface() {
        Graphics.reset(); // the graphics goes before the bitmap it draws on
        Bitmap.reset();
    }
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;

    ARGB Pixel(int x, int y) {
        ARGB color = 0;
        Graphics->Flush(FlushIntentionSync);
        Bitmap->GetPixel(x, y, color);
        return color;
    }

    std::unique_ptr<TGPBitmap> Bitmap;
    std::unique_ptr<TImageGraphics> Graphics;
};

// Colours compared channel by channel within a tolerance.
inline bool Near(ARGB a, ARGB b, int tolerance = 2) {
    for (int shift = 0; shift < 32; shift += 8) {
        int ca = static_cast<int>((a >> shift) & 0xFF);
        int cb = static_cast<int>((b >> shift) & 0xFF);
        if (ca - cb > tolerance || cb - ca > tolerance) return false;
    }
    return true;
}

// A COM stream holding bytes, positioned at its start; released when it goes.
struct TStreamReleaser {
    void operator()(win::IStream* s) const {
        if (s) s->Release();
    }
};
using TStreamPtr = std::unique_ptr<win::IStream, TStreamReleaser>;

inline TStreamPtr MakeStream(const std::vector<std::uint8_t>& bytes) {
    win::IStream* stream = nullptr;
    win::CreateStreamOnHGlobal(nullptr, win::TRUE, &stream);
    if (stream == nullptr) return TStreamPtr();
    win::ULONG written = 0;
    if (!bytes.empty()) stream->Write(bytes.data(), static_cast<win::ULONG>(bytes.size()), &written);
    stream->Seek(win::LARGE_INTEGER{0}, win::STREAM_SEEK_SET, nullptr);
    return TStreamPtr(stream);
}

// A 4 x 4 PNG in 2 x 2 blocks: red top left, green top right, blue bottom left, white bottom right.
inline std::vector<std::uint8_t> QuadrantPng() {
    return {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
            0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x08, 0x06, 0x00, 0x00, 0x00, 0xA9, 0xF1, 0x9E,
            0x7E, 0x00, 0x00, 0x00, 0x17, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8, 0xCF, 0xC0, 0xF0,
            0x1F, 0x84, 0x91, 0x20, 0x9A, 0x00, 0x94, 0x0F, 0x07, 0x18, 0x02, 0x00, 0x97, 0xE4, 0x27, 0xD9,
            0x58, 0xB7, 0xEF, 0x9A, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
}

// A 3 x 2 24-bit bottom-up BMP: top row red, green, blue; bottom row black, white, grey 0x80. The file
// header and the 40-byte info header, then the rows bottom first, each padded to 12 bytes.
inline std::vector<std::uint8_t> SmallBmp() {
    return {0x42, 0x4D, 0x4E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00, 0x28, 0x00,
            0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x18, 0x00, 0x00, 0x00,
            0x00, 0x00, 0x18, 0x00, 0x00, 0x00, 0x13, 0x0B, 0x00, 0x00, 0x13, 0x0B, 0x00, 0x00, 0x00, 0x00,
            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x80, 0x80, 0x80, 0x00,
            0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
}

} // namespace AdvGDIPTest
