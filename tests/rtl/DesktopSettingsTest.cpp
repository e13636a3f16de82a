// The desktop's settings in the system information: the locale's time and date formats in the framework's
// letters, the desktop's font and the screen's pixels per inch.

#include <gtest/gtest.h>

#include "platform/rtl/LocaleFormats.h"
#include "platform/rtl/SysInfo.h"

using namespace vcl;

namespace {

class DesktopSettingsTest : public testing::Test {
protected:
    void TearDown() override { SysInfo().Reset(); }
};

// The formats of the C library's locales, and what the letters make of them.
TEST(LocaleFormatsTest, PosixFormatsBecomeTheFrameworksLetters) {
    const struct {
        const char* Posix;
        const char* Letters;
    } cases[] = {
        {"%H:%M:%S", "hh:nn:ss"},   // C
        {"%m/%d/%y", "mm/dd/yy"},   // C
        {"%d.%m.%Y", "dd.mm.yyyy"}, // de_DE
        {"%T", "hh:nn:ss"},         // de_DE's time
        {"%Y-%m-%d", "yyyy-mm-dd"}, // sv_SE
        {"%r", "hh:nn:ss AM/PM"},   // en_US's time, through its 12-hour format
        {"%I:%M:%S %p", "hh:nn:ss AM/PM"},
        {"%l:%M %P", "h:nn am/pm"},
        {"%e/%m/%Y", "d/mm/yyyy"},
        {"%D", "mm/dd/yy"},
        {"%F", "yyyy-mm-dd"},
        {"%R", "hh:nn"},
        {"%k h %M", "h\" h \"nn"}, // a letter between conversions is quoted
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", "yyyy\xE5\xB9\xB4mm\xE6\x9C\x88"
                                                       "dd\xE6\x97\xA5"},
        {"%Y. %m. %d.", "yyyy. mm. dd."},
        {"%d\"%m", "dd'\"'mm"},           // a double quote goes in single ones
        {"%Ey/%Om/%-d %%", "yy/mm/dd %"}, // modifiers and padding flags change no letter
    };
    for (const auto& k : cases) {
        String letters = "unchanged";
        EXPECT_TRUE(PosixFormatToLetters(k.Posix, "%I:%M:%S %p", letters)) << k.Posix;
        EXPECT_EQ(letters, k.Letters) << k.Posix;
    }
    // What the letters cannot say leaves the result alone.
    for (const char* posix :
         {"%a %d", "%d %b %Y", "%B", "%j", "%U", "%Z", "%C", "%s", "%G", "%", "%E", "", "%d'\"", "%X"}) {
        String letters = "unchanged";
        EXPECT_FALSE(PosixFormatToLetters(posix, "%I:%M:%S %p", letters)) << posix;
        EXPECT_EQ(letters, "unchanged") << posix;
    }
    // "%r" needs the 12-hour format, which may not refer back to it.
    String letters;
    EXPECT_FALSE(PosixFormatToLetters("%r", "", letters));
    EXPECT_FALSE(PosixFormatToLetters("%r", "%r", letters));
    // Every locale reads: one the system lacks as the C locale.
    const TPosixTimeFormats c = PosixTimeFormats("C");
    EXPECT_EQ(c.Time, "%H:%M:%S");
    EXPECT_EQ(c.Date, "%m/%d/%y");
    const TPosixTimeFormats none = PosixTimeFormats("xx_NOWHERE.UTF-8");
    EXPECT_EQ(none.Time, c.Time);
    EXPECT_EQ(none.Date, c.Date);
}

TEST_F(DesktopSettingsTest, TheFormatsComeFromTheEnvironmentsLocaleUnlessSet) {
    auto& info = SysInfo();
    info.SetEnvironmentOverride("LC_ALL", String("C"));
    EXPECT_EQ(info.LongTimeFormat(), "hh:nn:ss");
    EXPECT_EQ(info.ShortDateFormat(), "mm/dd/yy");
    // LC_ALL comes first; then LC_TIME, then LANG; a locale the system lacks reads as C.
    info.SetEnvironmentOverride("LC_ALL", std::nullopt);
    info.SetEnvironmentOverride("LC_TIME", String("xx_NOWHERE"));
    info.SetEnvironmentOverride("LANG", String("C"));
    EXPECT_EQ(info.ShortDateFormat(), "mm/dd/yy");
    info.SetLongTimeFormat(String("h:nn"));
    info.SetShortDateFormat(String("d.m.yy"));
    EXPECT_EQ(info.LongTimeFormat(), "h:nn");
    EXPECT_EQ(info.ShortDateFormat(), "d.m.yy");
    info.SetLongTimeFormat(std::nullopt);
    EXPECT_EQ(info.LongTimeFormat(), "hh:nn:ss");
    info.Reset();
    info.SetEnvironmentOverride("LC_ALL", String("C"));
    EXPECT_EQ(info.ShortDateFormat(), "mm/dd/yy") << "Reset forgets the format set";
}

TEST_F(DesktopSettingsTest, TheDesktopFontAndItsChanges) {
    auto& info = SysInfo();
    int broadcasts = 0;
    const int id = info.AddThemeChangeListener([&] { ++broadcasts; });
    // The platform's own until the display or a test says otherwise.
    info.SetIsVista(true);
    EXPECT_EQ(info.DesktopFont(), (TDesktopFont{"Segoe UI", 9}));
    info.SetIsVista(false);
    EXPECT_EQ(info.DesktopFont(), (TDesktopFont{"Tahoma", 8}));
    // The display's, kept without a broadcast; one without a name or a size is not known.
    info.SetSystemDesktopFont({"Cantarell", 11});
    EXPECT_EQ(info.DesktopFont(), (TDesktopFont{"Cantarell", 11}));
    info.SetSystemDesktopFont({"Cantarell", 0});
    EXPECT_EQ(info.DesktopFont(), (TDesktopFont{"Tahoma", 8}));
    info.SetSystemDesktopFont({"Cantarell", 11});
    EXPECT_EQ(broadcasts, 0);
    // One set over it is a change of the desktop's settings, told once.
    info.SetDesktopFont({"DejaVu Sans", 10});
    EXPECT_EQ(info.DesktopFont(), (TDesktopFont{"DejaVu Sans", 10}));
    EXPECT_EQ(broadcasts, 1);
    info.SetDesktopFont({"DejaVu Sans", 10});
    EXPECT_EQ(broadcasts, 1);
    info.Reset();
    EXPECT_EQ(info.DesktopFont(), (TDesktopFont{"Cantarell", 11})) << "the display's stays";
    EXPECT_EQ(broadcasts, 2);
    info.RemoveThemeChangeListener(id);
    info.SetSystemDesktopFont({});
}

TEST_F(DesktopSettingsTest, ThePixelsPerInchAre96UnlessSet) {
    auto& info = SysInfo();
    EXPECT_EQ(info.ScreenPixelsPerInch(), 96);
    info.SetScreenPixelsPerInch(144);
    EXPECT_EQ(info.ScreenPixelsPerInch(), 144);
    info.SetScreenPixelsPerInch(0);
    info.SetScreenPixelsPerInch(-96);
    EXPECT_EQ(info.ScreenPixelsPerInch(), 144);
    info.Reset();
    EXPECT_EQ(info.ScreenPixelsPerInch(), 96);
}

} // namespace
