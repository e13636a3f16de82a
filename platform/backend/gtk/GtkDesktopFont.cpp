#include "platform/backend/gtk/GtkDesktopFont.h"

#include <cmath>

#include "platform/backend/gtk/GtkGuard.h"
#include "platform/rtl/SysInfo.h"

namespace gtkbackend {

namespace {

// A font description such as "Cantarell 11" as a family and a size in points; a size given in pixels is
// taken at 96 pixels per inch, the platform's. Nothing (no name) when the setting names no size.
vcl::TDesktopFont ReadDesktopFont(GtkSettings* Settings) {
    gchar* text = nullptr;
    g_object_get(Settings, "gtk-font-name", &text, nullptr);
    vcl::TDesktopFont font;
    if (text == nullptr) return font;
    PangoFontDescription* desc = pango_font_description_from_string(text);
    g_free(text);
    const char* family = pango_font_description_get_family(desc);
    const double size = pango_font_description_get_size(desc) / static_cast<double>(PANGO_SCALE);
    const double points = pango_font_description_get_size_is_absolute(desc) ? size * 72.0 / 96.0 : size;
    if (family != nullptr && *family != '\0' && points >= 1 && points <= 1000) {
        font.Name = family;
        font.Size = static_cast<int>(std::lround(points));
    }
    pango_font_description_free(desc);
    return font;
}

void OnFontSetting(GObject* Settings, GParamSpec*, gpointer) {
    // Only kept here, inside GTK's callback: the change is broadcast from the display's loop.
    GuardedVoid([&] { vcl::SysInfo().SetSystemDesktopFont(ReadDesktopFont(GTK_SETTINGS(Settings))); });
}

} // namespace

void WatchDesktopFont(GtkSettings* Settings, GCallback Changed, gpointer Data,
                      std::vector<gulong>& Handlers) {
    vcl::SysInfo().SetSystemDesktopFont(ReadDesktopFont(Settings));
    Handlers.push_back(
        g_signal_connect(Settings, "notify::gtk-font-name", G_CALLBACK(OnFontSetting), nullptr));
    Handlers.push_back(g_signal_connect(Settings, "notify::gtk-font-name", Changed, Data));
}

} // namespace gtkbackend
