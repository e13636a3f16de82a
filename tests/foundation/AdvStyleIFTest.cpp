// Desktop tests: the version test, Vista detection and the colour-scheme detection.

#include <gtest/gtest.h>

#include <tuple>

#include "components/foundation/AdvStyleIF.h"
#include "platform/rtl/SysInfo.h"

namespace {

using namespace AdvStyleIF;

class AdvStyleIFTest : public ::testing::Test {
protected:
    void TearDown() override { vcl::SysInfo().Reset(); }
    void Version(unsigned Major, unsigned Minor) {
        vcl::SysInfo().SetVersion(Major, Minor, 0, vcl::VER_PLATFORM_WIN32_NT, "");
    }
};

TEST_F(AdvStyleIFTest, XPOrLaterFollowsTheVersionQueryAndVistaTheSystemsAnswer) {
    const std::tuple<unsigned, unsigned, bool> cases[] = {
        {5, 0, false}, {5, 1, true}, {5, 2, true}, {6, 0, true}, {4, 90, false}};
    for (const auto& [major, minor, expected] : cases) {
        Version(major, minor);
        EXPECT_EQ(IsWindowsXPOrLater(), expected) << major << "." << minor;
    }
    vcl::SysInfo().SetVersionQueryFails(true);
    Version(6, 0);
    EXPECT_FALSE(IsWindowsXPOrLater());
    // Vista is the system's answer whatever the version.
    vcl::SysInfo().SetVersionQueryFails(false);
    Version(5, 1);
    vcl::SysInfo().SetIsVista(true);
    EXPECT_TRUE(IsVista());
    Version(10, 0);
    vcl::SysInfo().SetIsVista(false);
    EXPECT_FALSE(IsVista());
}

// The scheme names map exactly; without an active style, or before XP, there is no scheme.
TEST_F(AdvStyleIFTest, SchemeNamesMapExactlyOnlyWithAnActiveStyle) {
    Version(5, 1);
    const std::pair<const char*, int> cases[] = {{"NormalColor", 1}, {"HomeStead", 2}, {"Metallic", 3},
                                                 {"normalcolor", 0}, {"Royale", 0},    {"", 0}};
    for (const auto& [name, expected] : cases) {
        vcl::SysInfo().SetTheme(true, name);
        EXPECT_EQ(DetectThemeScheme(), expected) << name;
    }
    Version(6, 0);
    vcl::SysInfo().SetTheme(false, "NormalColor");
    EXPECT_EQ(DetectThemeScheme(), 0); // the classic look
    vcl::SysInfo().SetTheme(true, "NormalColor");
    Version(5, 0);
    EXPECT_EQ(DetectThemeScheme(), 0);
}

} // namespace
