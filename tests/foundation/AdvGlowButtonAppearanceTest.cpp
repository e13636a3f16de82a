// The glow button's appearance record and the colour routines.

#include <gtest/gtest.h>

#include <memory>

#include "components/foundation/AdvGlowButtonAppearance.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Graphics.h"
#include "tests/foundation/PublishedValues.h"

namespace {

using namespace AdvGlowButton;
using vcl::TColor;

TEST(AdvGlowButtonColors, BlendBrightnessAndSteppedGradientRules) {
    EXPECT_EQ(BlendColor(vcl::clBtnFace, 0x000000, 100), vcl::clBtnFace); // unchanged, even a system colour
    EXPECT_EQ(BlendColor(0x123456, 0x000000, 250), 0x123456);
    EXPECT_EQ(BlendColor(0x123456, vcl::clWindow, 0), vcl::clWindow);
    EXPECT_EQ(BlendColor(0x123456, 0x654321, -5), 0x654321);
    EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, 50), 0x808080); // round(127.5) = 128
    EXPECT_EQ(BlendColor(0x0000FF, 0xFF0000, 25), 0xBF0040);
    // System colours are resolved in the middle range.
    EXPECT_EQ(BlendColor(vcl::clBtnFace, vcl::clBtnFace, 50), vcl::ColorToRGB(vcl::clBtnFace));
    EXPECT_EQ(AdjustBrightness(0x000000, -5), 0x000000);
    EXPECT_EQ(AdjustBrightness(0x000000, 10), 0x0A0A0A);
    EXPECT_EQ(AdjustBrightness(0xFFFFFF, 10), 0xFFFFFF);
    EXPECT_EQ(AdjustBrightness(0xC8C8C8, -10), 0xB4B4B4);
    EXPECT_EQ(AdjustBrightness(0x00FF80, 20), 0x14FF80);
    // One percentage per channel: red, green, blue.
    // 0.9 * 225 = 202.5 rounds to even.
    EXPECT_EQ(AdjustBrightnessRGB(0xF5F0E1, -10, -10, 0), 0xF5D8CA);
    EXPECT_EQ(AdjustBrightnessRGB(0xFFFFFF, -5, -5, -5), 0xF2F2F2);
    vcl::TBitmap bmp(10, 20);
    DrawSteppedGradient(bmp.Canvas(), 0x000000, 0xFFFFFF, false, vcl::TRect{0, 0, 10, 20}, 32);
    auto at = [&](int x, int y) { return bmp.PixelData()[y * 10 + x] & 0xFFFFFF; };
    EXPECT_EQ(at(5, 0), 0x000000u);     // the first band
    EXPECT_GT(at(5, 19) & 0xFF, 0xE0u); // the last bands overdraw the earlier ones
    EXPECT_LT(at(5, 10) & 0xFF, at(5, 19) & 0xFF);
    vcl::TBitmap one(4, 4);
    DrawSteppedGradient(one.Canvas(), 0x0000FF, 0x00FF00, true, vcl::TRect{0, 0, 4, 4}, 0); // 0 counts as 1
    EXPECT_EQ(one.PixelData()[5] & 0xFFFFFF, 0xFF0000u); // red (0x0000FF as TColor)
}

TEST(AdvGlowButtonColors, AGradientOfMoreStepsThanPixelsShowsTheLastStepOfEachLineUnlessThePenMixes) {
    // 128 steps over 10 rows, black to white: step i lies on row round(i * 10 / 128) in colour
    // round(i * 255 / 128) per channel; a line gets the colour of the last step on it.
    auto draw = [](vcl::TPenMode Mode) {
        auto bmp = std::make_unique<vcl::TBitmap>(4, 12);
        bmp->Canvas()->Brush()->SetColor(vcl::clWhite);
        bmp->Canvas()->FillRect(vcl::TRect{0, 0, 4, 12});
        bmp->Canvas()->Pen()->SetMode(Mode);
        DrawSteppedGradient(bmp->Canvas(), 0x000000, 0xFFFFFF, false, vcl::TRect{0, 0, 4, 10}, 128);
        return bmp;
    };
    auto copy = draw(vcl::pmCopy);
    auto at = [](vcl::TBitmap& b, int y) { return b.PixelData()[y * 4 + 1] & 0xFFFFFF; };
    EXPECT_EQ(at(*copy, 0), 0x0C0C0Cu);  // steps 0 to 6, the last one 12
    EXPECT_EQ(at(*copy, 9), 0xF1F1F1u);  // steps 116 to 121, the last one 241
    EXPECT_EQ(at(*copy, 10), 0xFDFDFDu); // steps 122 to 127 fall on the row after the rectangle
    // A mixing pen draws every step: row 0 is white XOR 0, 2, 4, 6, 8, 10 and 12.
    auto mixed = draw(vcl::pmXor);
    EXPECT_EQ(at(*mixed, 0), 0xF1F1F1u);
}

// The pressed and disabled colours derive from the hot and border ones by the brightness rules.
TEST(AdvGlowButtonAppearance, DefaultsAsDeclaredAndAssignCopiesEveryValueNotifyingOnlyOnSystemFont) {
    TGlowButtonAppearance a;
    publishedtest::ExpectDeclaredDefaults(&a);
    EXPECT_EQ(a.ColorDown(), AdjustBrightnessRGB(a.ColorHot(), -10, -10, 0));
    EXPECT_EQ(a.ColorMirrorDisabled(), AdjustBrightnessRGB(a.BorderColor(), -5, -5, -5));
    const TGlowColorSet hot = a.HotColors();
    EXPECT_EQ(hot.ColorMirrorTo, a.ColorMirrorHotTo());
    EXPECT_EQ(hot.BorderColor, a.BorderColorHot());
    TGlowButtonAppearance src, dst;
    publishedtest::ChangeEveryValue(&src);
    src.SetSystemFont(dst.SystemFont());
    int changes = 0;
    dst.OnChange = [&](vcl::TObject*) { ++changes; };
    dst.Assign(&src);
    EXPECT_EQ(changes, 0); // equal SystemFont: no notice
    publishedtest::ExpectSameValues(&src, &dst);
    src.SetSystemFont(false);
    dst.Assign(&src);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(dst.SystemFont());
    vcl::TFont font;
    EXPECT_THROW(dst.Assign(&font), vcl::EConvertError);
}

} // namespace
