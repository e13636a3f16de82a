#include <gtest/gtest.h>

#include "platform/rtl/Colors.h"
#include "platform/rtl/Exceptions.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

class ColorsTest : public testing::Test {
protected:
    void TearDown() override { ResetSystemColors(); }
};

TEST_F(ColorsTest, SystemColorsResolveThroughTheTable) {
    EXPECT_LT(clBtnFace, 0); // system colours are negative: a layout writes them as names
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC8D0D4);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
    EXPECT_EQ(ColorToRGB(clInfoBk), 0xE1FFFF);
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(ColorToRGB(clNone), clNone);                            // not a system colour
    EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x8000000F)), 0xC8D0D4); // the older high-bit form too
    EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xFF0000FF)), 0);        // index outside the table

    SetSystemColor(15, 0x123456);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0x123456);
    EXPECT_EQ(GetSysColorValue(15), 0x123456u);
    SetSystemColor(99, 0xFFFFFF); // ignored
    EXPECT_EQ(GetSysColorValue(99), 0u);
    ResetSystemColors();
    EXPECT_EQ(GetSysColorValue(15), 0xC8D0D4u);
}

TEST_F(ColorsTest, NamesBothWays) {
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(clSilver), "clSilver"); // clLtGray is the same value: the table's name wins
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(ColorToString(static_cast<TColor>(0xFF000019)), "$FF000019");

    EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
    EXPECT_EQ(StringToColor("cl3DDKSHADOW"), cl3DDkShadow);
    EXPECT_EQ(StringToColor("$00123456"), 0x123456);
    EXPECT_EQ(StringToColor("255"), 255);
    EXPECT_EQ(StringToColor("$FF00000F"), clBtnFace);
    EXPECT_EQ(StringToColor(ColorToString(0x00ABCDEF)), 0x00ABCDEF);
    EXPECT_EQ(rtltest::ErrorOf<EConvertError>([] { StringToColor("clNoSuchColour"); }),
              "'clNoSuchColour' is not a valid integer value");

    int count = 0;
    GetColorValues([&](const String& name) {
        int32_t c = 0;
        String back;
        EXPECT_TRUE(IdentToColor(name, c)) << name;
        EXPECT_TRUE(ColorToIdent(c, back));
        EXPECT_EQ(back, name); // every name maps to a value that maps back to it
        ++count;
    });
    EXPECT_EQ(count, 52);
    int32_t c = 0;
    EXPECT_FALSE(IdentToColor("Red", c));
}

} // namespace
