// Images and bitmaps: from streams and files, their formats, pixels, rotation, and drawing.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "tests/foundation/AdvGDIPTestSupport.h"
#include "tests/support/ColorMatch.h"

using namespace AdvGDIP;
using namespace AdvGDIPTest;
using colortest::IsColor;

namespace {

const ARGB kRed = MakeColor(255, 0, 0);
const ARGB kGreen = MakeColor(0, 255, 0);
const ARGB kBlue = MakeColor(0, 0, 255);
const ARGB kWhite = MakeColor(255, 255, 255);

// A file in the temporary folder, removed when the test ends.
class TTempFile {
public:
    TTempFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const char* dir = std::getenv("TMPDIR");
        Path = std::string(dir && *dir ? dir : "/tmp") + "/kv_advgdip_" + std::to_string(::getpid()) + "_" +
               name;
        std::ofstream out(Path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ~TTempFile() { std::remove(Path.c_str()); }
    std::string Path;
};

} // namespace

TEST(AdvGDIPImage, FilesInAStreamGiveTheirFormatSizeAndPixels) {
    // The BMP is stored bottom-up: its top row (red, green, blue) is read first all the same.
    struct Case {
        std::vector<std::uint8_t> Bytes;
        TGPImageFormat Format;
        unsigned Width, Height;
        int X, Y;
        ARGB Expected;
    } cases[] = {{QuadrantPng(), ifPNG, 4, 4, 0, 0, kRed},  {QuadrantPng(), ifPNG, 4, 4, 3, 1, kGreen},
                 {QuadrantPng(), ifPNG, 4, 4, 1, 3, kBlue}, {QuadrantPng(), ifPNG, 4, 4, 3, 3, kWhite},
                 {SmallBmp(), ifBMP, 3, 2, 0, 0, kRed},     {SmallBmp(), ifBMP, 3, 2, 1, 1, kWhite}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
        auto stream = MakeStream(c.Bytes);
        std::unique_ptr<TGPBitmap> bitmap = TGPBitmap::FromStream(stream.get());
        ASSERT_TRUE(bitmap);
        ASSERT_EQ(bitmap->GetLastStatus(), Ok);
        EXPECT_EQ(bitmap->GetFormat(), c.Format);
        EXPECT_EQ(bitmap->GetWidth(), c.Width);
        EXPECT_EQ(bitmap->GetHeight(), c.Height);
        ARGB pixel = 0;
        EXPECT_EQ(bitmap->GetPixel(c.X, c.Y, pixel), Ok);
        EXPECT_THAT(pixel, IsColor(c.Expected));
    }
    // The image and bitmap constructors, with and without colour management, read the same stream.
    auto a = MakeStream(QuadrantPng()), b = MakeStream(QuadrantPng()), c = MakeStream(QuadrantPng());
    TGPImage image(a.get()), imageIcm(b.get(), true);
    TGPBitmap bitmapIcm(c.get(), true);
    for (TGPImage* i : {&image, &imageIcm, static_cast<TGPImage*>(&bitmapIcm)}) {
        EXPECT_EQ(i->GetLastStatus(), Ok);
        EXPECT_EQ(i->GetFormat(), ifPNG);
        EXPECT_EQ(i->GetWidth(), 4u);
    }
}

TEST(AdvGDIPImage, UnknownOrMissingDataGivesUndefinedFormatAndNoSize) {
    auto garbage = MakeStream(std::vector<std::uint8_t>(64, 0x5A));
    TGPImage image(garbage.get());
    EXPECT_EQ(image.GetFormat(), ifUndefined);
    EXPECT_EQ(image.GetWidth(), 0u);
    EXPECT_EQ(image.GetHeight(), 0u);
    EXPECT_EQ(image.GetLastStatus(), UnknownImageFormat);

    auto empty = MakeStream({});
    TGPImage fromEmpty(empty.get());
    EXPECT_NE(fromEmpty.GetLastStatus(), Ok);
    EXPECT_EQ(fromEmpty.GetFormat(), ifUndefined);

    TGPImage fromNothing(static_cast<gdip::IStream*>(nullptr));
    EXPECT_EQ(fromNothing.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(fromNothing.RotateFlip(Rotate90FlipNone), InvalidParameter);

    auto truncated = QuadrantPng();
    truncated.resize(30);
    auto cut = MakeStream(truncated);
    TGPBitmap bitmap(cut.get());
    EXPECT_NE(bitmap.GetLastStatus(), Ok);
    ARGB c = 0x12345678;
    EXPECT_NE(bitmap.GetPixel(0, 0, c), Ok);
}

TEST(AdvGDIPImage, ImagesFromFiles) {
    TTempFile png("quadrant.png", QuadrantPng());
    TGPImage byName(vcl::String(png.Path));
    ASSERT_EQ(byName.GetLastStatus(), Ok);
    EXPECT_EQ(byName.GetFormat(), ifPNG);
    EXPECT_EQ(byName.GetWidth(), 4u);
    TGPImage withIcm(vcl::String(png.Path), true);
    EXPECT_EQ(withIcm.GetLastStatus(), Ok);
    std::u16string widePath(png.Path.begin(), png.Path.end()); // the path is ASCII
    TGPImage wide(widePath.c_str());
    EXPECT_EQ(wide.GetLastStatus(), Ok);

    TTempFile bmp("small.bmp", SmallBmp());
    TGPImage bitmapFile(vcl::String(bmp.Path));
    EXPECT_EQ(bitmapFile.GetFormat(), ifBMP);

    TGPImage missing(vcl::String(png.Path + ".missing"));
    EXPECT_NE(missing.GetLastStatus(), Ok);
    EXPECT_EQ(missing.GetWidth(), 0u);
    EXPECT_EQ(missing.GetFormat(), ifUndefined);
}

TEST(AdvGDIPBitmap, MemoryBitmapPixelsBoundsAndRotation) {
    TGPBitmap bitmap(10, 5, gdip::PixelFormat32bppARGB);
    ASSERT_EQ(bitmap.GetLastStatus(), Ok);
    EXPECT_EQ(bitmap.GetFormat(), ifMemoryBMP);
    EXPECT_EQ(bitmap.GetWidth(), 10u);
    EXPECT_EQ(bitmap.GetHeight(), 5u);

    EXPECT_EQ(bitmap.SetPixel(9, 4, MakeColor(255, 12, 34, 56)), Ok);
    ARGB c = 0;
    EXPECT_EQ(bitmap.GetPixel(9, 4, c), Ok);
    EXPECT_EQ(c, MakeColor(255, 12, 34, 56));
    EXPECT_EQ(bitmap.SetPixel(0, 0, MakeColor(0, 0, 0, 0)), Ok);
    EXPECT_EQ(bitmap.GetPixel(0, 0, c), Ok);
    EXPECT_EQ(GetAlpha(c), 0);

    EXPECT_EQ(bitmap.GetPixel(10, 0, c), InvalidParameter);
    EXPECT_EQ(bitmap.SetPixel(0, -1, 0), InvalidParameter);
    EXPECT_EQ(bitmap.GetLastStatus(), InvalidParameter);

    TGPBitmap negative(-3, 4);
    EXPECT_NE(negative.GetLastStatus(), Ok);
    EXPECT_EQ(negative.GetWidth(), 0u);
    // RotateFlip turns the pixels.
    auto stream = MakeStream(SmallBmp());
    TGPBitmap turned(stream.get());
    ASSERT_EQ(turned.RotateFlip(Rotate90FlipNone), Ok);
    EXPECT_EQ(turned.GetWidth(), 2u);
    EXPECT_EQ(turned.GetHeight(), 3u);
    turned.GetPixel(1, 0, c); // the old top-left turns to the top-right
    EXPECT_EQ(c, kRed);
    turned.GetPixel(0, 0, c); // the old bottom-left turns to the top-left
    EXPECT_EQ(c, MakeColor(0, 0, 0));
}

TEST(AdvGDIPDrawImage, PngDrawnAtAPointAndScaled) {
    auto stream = MakeStream(QuadrantPng());
    TGPImage image(stream.get());
    ASSERT_EQ(image.GetLastStatus(), Ok);

    TSurface s(60, 60);
    ASSERT_EQ(s.Graphics->DrawImage(&image, 5, 6), Ok);
    EXPECT_THAT(s.Pixel(5, 6), IsColor(kRed));
    EXPECT_THAT(s.Pixel(8, 6), IsColor(kGreen));
    EXPECT_THAT(s.Pixel(5, 9), IsColor(kBlue));
    EXPECT_THAT(s.Pixel(4, 6), IsColor(kWhite));

    TSurface big(60, 60);
    ASSERT_EQ(big.Graphics->DrawImageRect(&image, 10, 10, 40, 40), Ok);
    EXPECT_TRUE(Near(big.Pixel(15, 15), kRed, 4));
    EXPECT_TRUE(Near(big.Pixel(44, 15), kGreen, 4));
    EXPECT_TRUE(Near(big.Pixel(15, 44), kBlue, 4));
    EXPECT_TRUE(Near(big.Pixel(44, 44), kWhite, 4));
    EXPECT_THAT(big.Pixel(5, 5), IsColor(kWhite)); // outside the target rectangle
    EXPECT_THAT(big.Pixel(55, 30), IsColor(kWhite));

    EXPECT_EQ(big.Graphics->DrawImage(nullptr, 0, 0), InvalidParameter);
    EXPECT_EQ(big.Graphics->DrawImageRect(nullptr, 0, 0, 4, 4), InvalidParameter);
}
