// Colour helpers and image-format identifiers.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "components/foundation/AdvGDIP.h"

using namespace AdvGDIP;

TEST(AdvGDIPColor, ColorToARGBSwapsRedAndBlueAndIsOpaque) {
    EXPECT_EQ(ColorToARGB(0x0000FF), 0xFFFF0000u); // framework red
    EXPECT_EQ(ColorToARGB(0xFF0000), 0xFF0000FFu); // framework blue
    EXPECT_EQ(ColorToARGB(0x612009), 0xFF092061u); // the dark blue of the conventions
    EXPECT_EQ(ColorToARGB(vcl::clBlack), 0xFF000000u);
    // A value that is not a system colour keeps its three low bytes, whatever its top byte.
    EXPECT_EQ(ColorToARGB(vcl::clNone), 0xFFFFFFFFu);
}

TEST(AdvGDIPColor, ColorToARGBResolvesSystemColours) {
    vcl::SetSystemColor(15, 0x00123456); // clBtnFace := R 0x56, G 0x34, B 0x12
    EXPECT_EQ(ColorToARGB(vcl::clBtnFace), 0xFF563412u);
    vcl::ResetSystemColors();
    auto classic = static_cast<std::uint32_t>(vcl::ColorToRGB(vcl::clWindowText));
    EXPECT_EQ(ColorToARGB(vcl::clWindowText),
              MakeColor(255, classic & 0xFF, (classic >> 8) & 0xFF, (classic >> 16) & 0xFF));
}

TEST(AdvGDIPColor, MakeColorAndChannels) {
    EXPECT_EQ(MakeColor(10, 20, 30), 0xFF0A141Eu);
    EXPECT_EQ(MakeColor(0x80, 1, 2, 3), 0x80010203u);
    EXPECT_EQ(MakeColor(0, 255, 255, 255), 0x00FFFFFFu);
    ARGB c = MakeColor(0x12, 0x34, 0x56, 0x78);
    EXPECT_EQ(GetAlpha(c), 0x12);
    EXPECT_EQ(GetRed(c), 0x34);
    EXPECT_EQ(GetGreen(c), 0x56);
    EXPECT_EQ(GetBlue(c), 0x78);
}

TEST(AdvGDIPColor, ImageFormatIdentifiersAreGdiplusPublishedValues) {
    const std::uint32_t expected[] = {0xb96b3ca9, 0xb96b3caa, 0xb96b3cab, 0xb96b3cac, 0xb96b3cad, 0xb96b3cae,
                                      0xb96b3caf, 0xb96b3cb0, 0xb96b3cb1, 0xb96b3cb2, 0xb96b3cb5};
    const gdip::GUID* ids[] = {&ImageFormatUndefined, &ImageFormatMemoryBMP, &ImageFormatBMP, &ImageFormatEMF,
                               &ImageFormatWMF,       &ImageFormatJPEG,      &ImageFormatPNG, &ImageFormatGIF,
                               &ImageFormatTIFF,      &ImageFormatEXIF,      &ImageFormatIcon};
    const std::uint8_t tail[8] = {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e};
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ids[i]->Data1, expected[i]);
        EXPECT_EQ(ids[i]->Data2, 0x0728);
        EXPECT_EQ(ids[i]->Data3, 0x11d3);
        EXPECT_TRUE(std::equal(std::begin(tail), std::end(tail), std::begin(ids[i]->Data4)));
    }
}
