// Images and bitmaps: decoding, raw formats, pixels, rotation and scaled drawing.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "platform/win/Global.h"
#include "tests/gdiplus/GdipTestSupport.h"

namespace gdiptest {
namespace {

constexpr ARGB kYellow = 0xFFFFFF00;

GpBitmap* NewBitmap(int w, int h, PixelFormat f = PixelFormat32bppARGB) {
    GpBitmap* b = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(w, h, 0, f, nullptr, &b), Ok);
    return b;
}

ARGB Pixel(GpBitmap* b, int x, int y) {
    ARGB c = 0;
    EXPECT_EQ(GdipBitmapGetPixel(b, x, y, &c), Ok);
    return c;
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A stream over a copy of the bytes, as the components make one from resource data.
win::IStream* StreamOf(const std::vector<std::uint8_t>& bytes) {
    win::HGLOBAL h = win::GlobalAlloc(win::GMEM_MOVEABLE, bytes.size());
    EXPECT_NE(h, nullptr);
    if (!bytes.empty()) std::memcpy(win::GlobalLock(h), bytes.data(), bytes.size());
    win::GlobalUnlock(h);
    win::IStream* s = nullptr;
    EXPECT_EQ(win::CreateStreamOnHGlobal(h, win::TRUE, &s), win::S_OK);
    return s;
}

// A 2 x 2 PNG with four colours, written through the flat interface.
std::string MakePng() {
    ImagePtr bmp(NewBitmap(2, 2));
    auto* b = static_cast<GpBitmap*>(bmp.get());
    GdipBitmapSetPixel(b, 0, 0, kRed);
    GdipBitmapSetPixel(b, 1, 0, kGreen);
    GdipBitmapSetPixel(b, 0, 1, kBlue);
    GdipBitmapSetPixel(b, 1, 1, kYellow);
    const std::string path = TempPath("four.png");
    const std::u16string wpath = U16(path);
    EXPECT_EQ(GdipSaveImageToFile(bmp.get(), wpath.c_str(), &ImageFormatPNG, nullptr), Ok);
    return path;
}

TEST(GdipImage, PngFromFileAndStreamDrawnScaledAndRotateFlipRearrangesPixels) {
    const std::string path = MakePng();
    const std::u16string wpath = U16(path);
    GpImage* img = nullptr;
    ASSERT_EQ(GdipLoadImageFromFile(wpath.c_str(), &img), Ok);
    ImagePtr owner(img);
    GUID raw{};
    ASSERT_EQ(GdipGetImageRawFormat(img, &raw), Ok);
    EXPECT_EQ(raw, ImageFormatPNG);
    UINT w = 0, h = 0;
    ASSERT_EQ(GdipGetImageWidth(img, &w), Ok);
    ASSERT_EQ(GdipGetImageHeight(img, &h), Ok);
    EXPECT_EQ(w, 2u);
    EXPECT_EQ(h, 2u);

    Canvas c(60, 60);
    ASSERT_EQ(GdipDrawImageRect(c.g(), img, 10, 10, 40, 40), Ok);
    EXPECT_EQ(c.At(5, 5), 0xFFFFFFFFu);   // outside the target rectangle
    EXPECT_EQ(c.At(50, 30), 0xFFFFFFFFu); // the right edge is excluded
    EXPECT_EQ(c.At(12, 12), kRed);        // corners keep their colours, the middle blends
    EXPECT_EQ(c.At(47, 12), kGreen);
    EXPECT_EQ(c.At(12, 47), kBlue);
    EXPECT_EQ(c.At(47, 47), kYellow);
    const ARGB mid = c.At(30, 12);
    EXPECT_GT(R(mid), 60);
    EXPECT_GT(G(mid), 60);
    // Unscaled drawing copies the pixels exactly.
    ASSERT_EQ(GdipDrawImageI(c.g(), img, 0, 0), Ok);
    EXPECT_EQ(c.At(0, 0), kRed);
    EXPECT_EQ(c.At(1, 1), kYellow);

    win::IStream* s = StreamOf(ReadAll(path));
    GpBitmap* fromStream = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromStream(s, &fromStream), Ok);
    ImagePtr owner2(fromStream);
    s->Release();
    EXPECT_EQ(Pixel(fromStream, 1, 0), kGreen);
    std::remove(path.c_str());
    // A B C
    // D E F
    const ARGB px[6] = {1, 2, 3, 4, 5, 6};
    auto make = [&] {
        GpBitmap* b = NewBitmap(3, 2);
        for (int i = 0; i < 6; ++i)
            GdipBitmapSetPixel(b, i % 3, i / 3, 0xFF000000u | px[i]);
        return b;
    };
    auto rows = [](GpBitmap* b) {
        UINT w = 0, h = 0;
        GdipGetImageWidth(b, &w);
        GdipGetImageHeight(b, &h);
        std::vector<std::vector<int>> out(h, std::vector<int>(w));
        for (UINT y = 0; y < h; ++y)
            for (UINT x = 0; x < w; ++x)
                out[y][x] = static_cast<int>(Pixel(b, static_cast<int>(x), static_cast<int>(y)) & 0xFF);
        return out;
    };
    using Rows = std::vector<std::vector<int>>;
    const std::pair<RotateFlipType, Rows> cases[] = {
        {RotateNoneFlipNone, {{1, 2, 3}, {4, 5, 6}}}, {Rotate90FlipNone, {{4, 1}, {5, 2}, {6, 3}}},
        {Rotate180FlipNone, {{6, 5, 4}, {3, 2, 1}}},  {Rotate270FlipNone, {{3, 6}, {2, 5}, {1, 4}}},
        {RotateNoneFlipX, {{3, 2, 1}, {6, 5, 4}}},    {Rotate90FlipX, {{1, 4}, {2, 5}, {3, 6}}},
        {RotateNoneFlipY, {{4, 5, 6}, {1, 2, 3}}},    {Rotate270FlipX, {{6, 3}, {5, 2}, {4, 1}}},
    };
    for (const auto& [type, expected] : cases) {
        ImagePtr owner(make());
        auto* b = static_cast<GpBitmap*>(owner.get());
        ASSERT_EQ(GdipImageRotateFlip(b, type), Ok);
        EXPECT_EQ(rows(b), expected) << type;
    }
    ImagePtr owner3(make());
    EXPECT_EQ(GdipImageRotateFlip(owner3.get(), static_cast<RotateFlipType>(8)), InvalidParameter);
    EXPECT_EQ(GdipImageRotateFlip(nullptr, Rotate90FlipNone), InvalidParameter);
}

TEST(GdipImage, FormatsAreRecognisedAndUnknownDataOrHugeDeclaredSizesRefused) {
    // A one-pixel GIF and a one-pixel BMP, byte by byte.
    const std::vector<std::uint8_t> gif = {'G', 'I',  'F', '8', '9', 'a', 1, 0,    1, 0, 0x80, 0,
                                           0,   0xFF, 0,   0,   0,   0,   0, 0x2C, 0, 0, 0,    0,
                                           1,   0,    1,   0,   0,   2,   2, 0x44, 1, 0, 0x3B};
    const std::vector<std::uint8_t> bmp = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0,    54,   0,    0, 0,  40,
                                           0,   0,   0,  1, 0, 0, 0, 1, 0, 0,    0,    1,    0, 24, 0,
                                           0,   0,   0,  0, 4, 0, 0, 0, 0, 0,    0,    0,    0, 0,  0,
                                           0,   0,   0,  0, 0, 0, 0, 0, 0, 0x20, 0x40, 0x60, 0};
    struct Case {
        const std::vector<std::uint8_t>* bytes;
        GUID format;
        ARGB pixel;
    } cases[] = {{&gif, ImageFormatGIF, 0xFFFF0000}, {&bmp, ImageFormatBMP, 0xFF604020}};
    for (const Case& c : cases) {
        win::IStream* s = StreamOf(*c.bytes);
        GpImage* img = nullptr;
        ASSERT_EQ(GdipLoadImageFromStream(s, &img), Ok);
        s->Release();
        ImagePtr owner(img);
        GUID raw{};
        ASSERT_EQ(GdipGetImageRawFormat(img, &raw), Ok);
        EXPECT_EQ(raw, c.format);
        EXPECT_EQ(Pixel(static_cast<GpBitmap*>(img), 0, 0), c.pixel);
    }
    const std::vector<std::uint8_t> junk = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    const std::vector<std::uint8_t> brokenPng = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 1, 2, 3, 4, 5};
    const std::vector<std::uint8_t> empty;
    const std::pair<const std::vector<std::uint8_t>*, GpStatus> bad[] = {
        {&junk, UnknownImageFormat}, {&empty, UnknownImageFormat}, {&brokenPng, OutOfMemory}};
    for (const auto& [bytes, status] : bad) {
        win::IStream* s = StreamOf(*bytes);
        GpImage* img = reinterpret_cast<GpImage*>(1);
        EXPECT_EQ(GdipLoadImageFromStream(s, &img), status);
        EXPECT_EQ(img, nullptr);
        s->Release();
    }
    GpImage* img = nullptr;
    EXPECT_EQ(GdipLoadImageFromFile(U16(TempPath("missing.png")).c_str(), &img), FileNotFound);
    EXPECT_EQ(GdipLoadImageFromStream(nullptr, &img), InvalidParameter);
    EXPECT_EQ(GdipLoadImageFromFile(nullptr, &img), InvalidParameter);
    // The size a file declares is refused before decoding when it exceeds 16 million pixels, whatever the
    // file holds besides: a 35-byte GIF declaring 16384 by 16384 answers at once.
    auto declaring = [](int w, int h) {
        // Screen of w by h with a two-colour table; one 1 x 1 frame.
        std::vector<std::uint8_t> g = {'G', 'I',  'F', '8', '9', 'a', 0, 0, 0,    0, 0x80, 0,
                                       0,   0xFF, 0,   0,   0,   0,   0, 0, 0x2C, 0, 0,    0,
                                       0,   1,    0,   1,   0,   0,   2, 2, 0x44, 1, 0,    0x3B};
        g[6] = static_cast<std::uint8_t>(w & 0xFF);
        g[7] = static_cast<std::uint8_t>(w >> 8);
        g[8] = static_cast<std::uint8_t>(h & 0xFF);
        g[9] = static_cast<std::uint8_t>(h >> 8);
        return g;
    };
    const std::pair<std::vector<std::uint8_t>, GpStatus> sizes[] = {
        {declaring(16384, 16384), OutOfMemory}, {declaring(4097, 4096), OutOfMemory}, {declaring(3, 2), Ok}};
    for (const auto& [bytes, status] : sizes) {
        win::IStream* s = StreamOf(bytes);
        GpImage* img = nullptr;
        EXPECT_EQ(GdipLoadImageFromStream(s, &img), status);
        s->Release();
        ImagePtr owner(img);
    }
}

TEST(GdipBitmap, PixelsRoundTripUnpremultipliedAndScan0IsCopiedWithItsStride) {
    ImagePtr owner(NewBitmap(4, 3));
    auto* b = static_cast<GpBitmap*>(owner.get());
    EXPECT_EQ(Pixel(b, 3, 2), 0u); // a fresh ARGB bitmap is transparent
    for (ARGB c : {0xFF102030u, 0x80FF0000u, 0x40204080u, 0x00000000u, 0xFFFFFFFFu}) {
        ASSERT_EQ(GdipBitmapSetPixel(b, 1, 1, c), Ok);
        const ARGB back = Pixel(b, 1, 1);
        EXPECT_EQ(A(back), A(c));
        EXPECT_TRUE(Near(R(back), R(c), A(c) >= 0x80 ? 0 : 2)) << std::hex << c;
        EXPECT_TRUE(Near(G(back), G(c), A(c) >= 0x80 ? 0 : 2)) << std::hex << c;
        EXPECT_TRUE(Near(B(back), B(c), A(c) >= 0x80 ? 0 : 2)) << std::hex << c;
    }
    EXPECT_EQ(GdipBitmapSetPixel(b, 4, 0, 0), InvalidParameter);
    EXPECT_EQ(GdipBitmapSetPixel(b, 0, -1, 0), InvalidParameter);
    ARGB c = 0;
    EXPECT_EQ(GdipBitmapGetPixel(b, 0, 3, &c), InvalidParameter);

    // Formats without alpha are opaque.
    ImagePtr rgb(NewBitmap(2, 2, PixelFormat24bppRGB));
    auto* r = static_cast<GpBitmap*>(rgb.get());
    EXPECT_EQ(Pixel(r, 0, 0), 0xFF000000u);
    ASSERT_EQ(GdipBitmapSetPixel(r, 0, 0, 0x80123456), Ok);
    EXPECT_EQ(Pixel(r, 0, 0), 0xFF123456u);
    PixelFormat f = 0;
    ASSERT_EQ(GdipGetImagePixelFormat(rgb.get(), &f), Ok);
    EXPECT_EQ(f, PixelFormat24bppRGB);
    // Two rows of two 24-bit pixels (blue, green, red order), each row padded to eight bytes.
    BYTE data[16] = {0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0, 0, 0x90, 0x80, 0x70, 0xC0, 0xB0, 0xA0, 0, 0};
    GpBitmap* b2 = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat24bppRGB, data, &b2), Ok);
    ImagePtr owner3(b2);
    EXPECT_EQ(Pixel(b2, 0, 0), 0xFF102030u);
    EXPECT_EQ(Pixel(b2, 1, 1), 0xFFA0B0C0u);
    // Bottom-up: a negative stride from the last row.
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, -8, PixelFormat24bppRGB, data + 8, &b2), Ok);
    ImagePtr owner2(b2);
    EXPECT_EQ(Pixel(b2, 0, 0), 0xFF708090u);
    EXPECT_EQ(GdipCreateBitmapFromScan0(2, 2, 5, PixelFormat24bppRGB, data, &b2), InvalidParameter);
    EXPECT_EQ(GdipCreateBitmapFromScan0(3, 2, 8, PixelFormat24bppRGB, data, &b2), InvalidParameter);
    EXPECT_EQ(GdipCreateBitmapFromScan0(0, 2, 0, PixelFormat32bppARGB, nullptr, &b2), InvalidParameter);
    EXPECT_EQ(GdipCreateBitmapFromScan0(2, -2, 0, PixelFormat32bppARGB, nullptr, &b2), InvalidParameter);
    EXPECT_EQ(GdipCreateBitmapFromScan0(100000, 2, 0, PixelFormat32bppARGB, nullptr, &b2), InvalidParameter);
    EXPECT_EQ(GdipCreateBitmapFromScan0(20000, 20000, 0, PixelFormat32bppARGB, nullptr, &b2), OutOfMemory);
    EXPECT_EQ(GdipCreateBitmapFromScan0(2, 2, 0, 0x12345, nullptr, &b2), InvalidParameter);
    EXPECT_EQ(b2, nullptr);
}

} // namespace
} // namespace gdiptest
