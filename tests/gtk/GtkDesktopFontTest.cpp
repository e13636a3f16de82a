// The desktop's font as the display's settings give it: read when the display opens and again, with a
// broadcast of the change, whenever the setting changes.

#include "GtkBackendFixture.h"

#include "platform/rtl/SysInfo.h"

using namespace gtktest;

namespace {

class GtkDesktopFontTest : public GtkBackendTest {
protected:
    void SetFontName(const char* Name) {
        g_object_set(gtk_settings_get_default(), "gtk-font-name", Name, nullptr);
        // The change is told from the display's own loop, outside GTK's callbacks.
        display->Wait(display->TickCount() + 50);
    }
    void TearDown() override {
        if (display) SetFontName(saved.c_str());
        GtkBackendTest::TearDown();
        vcl::SysInfo().SetSystemDesktopFont({});
    }
    std::string saved;
};

TEST_F(GtkDesktopFontTest, TheDisplaysFontSettingIsTheDesktopsFont) {
    gchar* name = nullptr;
    g_object_get(gtk_settings_get_default(), "gtk-font-name", &name, nullptr);
    saved = name != nullptr ? name : "";
    g_free(name);
    int broadcasts = 0;
    const int id = vcl::SysInfo().AddThemeChangeListener([&] { ++broadcasts; });
    SetFontName("DejaVu Serif Bold 13");
    EXPECT_EQ(vcl::SysInfo().DesktopFont(), (vcl::TDesktopFont{"DejaVu Serif", 13}));
    EXPECT_GE(broadcasts, 1);
    // A size in pixels is taken at 96 pixels per inch.
    SetFontName("DejaVu Sans 16px");
    EXPECT_EQ(vcl::SysInfo().DesktopFont(), (vcl::TDesktopFont{"DejaVu Sans", 12}));
    // A setting without a size names no font: the platform's own stands.
    SetFontName("DejaVu Sans");
    EXPECT_EQ(vcl::SysInfo().DesktopFont().Name, vcl::SysInfo().IsVista() ? "Segoe UI" : "Tahoma");
    // A font a test sets stands over the display's.
    vcl::SysInfo().SetDesktopFont({"Liberation Serif", 10});
    SetFontName("DejaVu Serif 13");
    EXPECT_EQ(vcl::SysInfo().DesktopFont(), (vcl::TDesktopFont{"Liberation Serif", 10}));
    vcl::SysInfo().RemoveThemeChangeListener(id);
    vcl::SysInfo().Reset();
}

} // namespace
