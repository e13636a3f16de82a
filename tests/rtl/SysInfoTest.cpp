#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/rtl/FileUtil.h"
#include "platform/rtl/SysInfo.h"

using namespace vcl;

namespace {

class SysInfoTest : public testing::Test {
protected:
    void TearDown() override { SysInfo().Reset(); }
};

} // namespace

TEST_F(SysInfoTest, ByDefaultThisIsNotWindows) {
    TOSVersionInfo info;
    info.dwMajorVersion = 99;
    ASSERT_TRUE(SysInfo().GetVersionEx(info));
    EXPECT_EQ(info.dwOSVersionInfoSize, 148u);
    EXPECT_EQ(info.dwMajorVersion, 0u);
    EXPECT_EQ(info.dwMinorVersion, 0u);
    EXPECT_EQ(info.dwPlatformId, 0u);
    EXPECT_STREQ(info.szCSDVersion, "");
    EXPECT_TRUE(SysInfo().IsVista());
    EXPECT_FALSE(SysInfo().IsThemeActive());
    EXPECT_EQ(SysInfo().CurrentThemeName(), "");
    EXPECT_EQ(SysInfo().WindowsDirectory(), "");
    EXPECT_EQ(SysInfo().SystemDirectory(), "");
    EXPECT_FALSE(SysInfo().ComputerName().empty());
    EXPECT_FALSE(SysInfo().UserName().empty());
    String exe = SysInfo().ProgramPath();
    EXPECT_TRUE(FileExists(exe)) << exe;
    EXPECT_NE(exe.find("tests_rtl"), String::npos) << exe;
}

TEST_F(SysInfoTest, OverridesHoldUntilReset) {
    SysInfo().SetVersion(5, 1, 2600, VER_PLATFORM_WIN32_NT, String(200, 'x'));
    SysInfo().SetIsVista(false);
    SysInfo().SetUserName("alice");
    SysInfo().SetComputerNameOverride("DESK-01");
    TOSVersionInfo info;
    ASSERT_TRUE(SysInfo().GetVersionEx(info));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(std::strlen(info.szCSDVersion), 127u) << "cut to fit, still terminated";
    EXPECT_FALSE(SysInfo().IsVista());
    EXPECT_EQ(SysInfo().UserName(), "alice");
    EXPECT_EQ(SysInfo().ComputerName(), "DESK-01");

    EXPECT_FALSE(SysInfo().SetComputerName("RENAMED")) << "the machine is never renamed";
    EXPECT_EQ(SysInfo().ComputerName(), "DESK-01");

    SysInfo().SetVersionQueryFails(true);
    EXPECT_FALSE(SysInfo().GetVersionEx(info));
    EXPECT_EQ(info.dwMajorVersion, 5u) << "a failed query leaves the record alone";

    SysInfo().Reset();
    ASSERT_TRUE(SysInfo().GetVersionEx(info));
    EXPECT_EQ(info.dwMajorVersion, 0u);
    EXPECT_TRUE(SysInfo().IsVista());
    EXPECT_NE(SysInfo().UserName(), "alice");
    EXPECT_NE(SysInfo().ComputerName(), "DESK-01");
}

TEST_F(SysInfoTest, EnvironmentOverridesAndFolders) {
    auto& info = SysInfo();
    info.SetEnvironmentOverride("TEMP", std::nullopt);
    info.SetEnvironmentOverride("TMPDIR", std::nullopt);
    EXPECT_FALSE(info.EnvironmentVariableExists("TEMP"));
    EXPECT_EQ(info.TempFolder(), "/tmp/");
    info.SetEnvironmentOverride("TMPDIR", "/var/tmp");
    EXPECT_EQ(info.TempFolder(), "/var/tmp/");
    info.SetEnvironmentOverride("TEMP", "");
    EXPECT_TRUE(info.EnvironmentVariableExists("TEMP"));
    EXPECT_EQ(info.TempFolder(), "/var/tmp/") << "an empty TEMP counts as unset";
    info.SetEnvironmentOverride("TEMP", "/scratch/");
    EXPECT_EQ(info.TempFolder(), "/scratch/");
    EXPECT_EQ(info.GetEnvironmentVariable("TEMP"), "/scratch/");

    // An override hides the real variable; clearing it shows it again.
    ASSERT_NE(std::getenv("PATH"), nullptr);
    info.SetEnvironmentOverride("PATH", std::nullopt);
    EXPECT_EQ(info.GetEnvironmentVariable("PATH"), "");
    info.ClearEnvironmentOverride("PATH");
    EXPECT_EQ(info.GetEnvironmentVariable("PATH"), std::getenv("PATH"));

    info.SetEnvironmentOverride("HOME", "/home/bob/");
    EXPECT_EQ(info.HomeFolder(), "/home/bob");
    info.SetEnvironmentOverride("XDG_CONFIG_HOME", "relative/cfg");
    EXPECT_EQ(info.ConfigFolder(), "/home/bob/.config/kalvenor/") << "a relative XDG folder is ignored";
    info.SetEnvironmentOverride("XDG_CONFIG_HOME", "/etc/xdg-user");
    EXPECT_EQ(info.ConfigFolder(), "/etc/xdg-user/kalvenor/");
}

TEST_F(SysInfoTest, ThemeChangesAreBroadcastOnce) {
    auto& info = SysInfo();
    int calls = 0, other = 0;
    int first = info.AddThemeChangeListener([&] { ++calls; });
    int second = 0;
    second = info.AddThemeChangeListener([&] {
        ++other;
        info.RemoveThemeChangeListener(second); // removes itself while being called
    });
    info.SetTheme(true, "NormalColor");
    EXPECT_TRUE(info.IsThemeActive());
    EXPECT_EQ(info.CurrentThemeName(), "NormalColor");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(other, 1);
    info.SetTheme(true, "NormalColor");
    EXPECT_EQ(calls, 1) << "no change, no broadcast";
    info.SetTheme(true, "Metallic");
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(other, 1);
    info.NotifyThemeChanged();
    EXPECT_EQ(calls, 3);
    info.RemoveThemeChangeListener(first);
    info.Reset();
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(info.IsThemeActive());
}
