// Colour helpers.

#include <gtest/gtest.h>

#include "components/foundation/AdvGDIP.h"

using namespace AdvGDIP;

TEST(AdvGDIPColor, ColourConversionsAndChannels) {
    EXPECT_EQ(ColorToARGB(0x0000FF), 0xFFFF0000u); // framework red
    EXPECT_EQ(ColorToARGB(0xFF0000), 0xFF0000FFu); // framework blue
    EXPECT_EQ(ColorToARGB(0x612009), 0xFF092061u); // the dark blue of the conventions
    EXPECT_EQ(ColorToARGB(vcl::clBlack), 0xFF000000u);
    // A value that is not a system colour keeps its three low bytes, whatever its top byte.
    EXPECT_EQ(ColorToARGB(vcl::clNone), 0xFFFFFFFFu);
    vcl::SetSystemColor(15, 0x00123456); // clBtnFace := R 0x56, G 0x34, B 0x12
    EXPECT_EQ(ColorToARGB(vcl::clBtnFace), 0xFF563412u);
    vcl::ResetSystemColors();
    auto classic = static_cast<std::uint32_t>(vcl::ColorToRGB(vcl::clWindowText));
    EXPECT_EQ(ColorToARGB(vcl::clWindowText),
              MakeColor(255, classic & 0xFF, (classic >> 8) & 0xFF, (classic >> 16) & 0xFF));
    EXPECT_EQ(MakeColor(10, 20, 30), 0xFF0A141Eu);
    EXPECT_EQ(MakeColor(0, 255, 255, 255), 0x00FFFFFFu);
    ARGB c = MakeColor(0x12, 0x34, 0x56, 0x78);
    EXPECT_EQ(c, 0x12345678u);
    EXPECT_EQ(GetAlpha(c), 0x12);
    EXPECT_EQ(GetRed(c), 0x34);
    EXPECT_EQ(GetGreen(c), 0x56);
    EXPECT_EQ(GetBlue(c), 0x78);
}
