#include "platform/vcl/ShellIconTheme.h"

#include <gio/gio.h>
#include <gtk/gtk.h>

#include <filesystem>
#include <system_error>

namespace vcl::shellicon {

namespace {

unsigned gGeneration = 1;

// Runs inside the toolkit's own loop: it only counts, nothing can fail.
void ThemeChanged(GtkIconTheme*, gpointer) {
    ++gGeneration;
}

// The desktop's theme while a display is open; without one (the offscreen backend) a theme object of our
// own, which is the toolkit's default theme. Both live as long as the program.
GtkIconTheme* Theme() {
    static GtkIconTheme* own = nullptr;
    static GtkIconTheme* watched = nullptr;
    GtkIconTheme* theme = gdk_display_get_default() != nullptr ? gtk_icon_theme_get_default() : nullptr;
    if (theme == nullptr) {
        if (own == nullptr) own = gtk_icon_theme_new();
        theme = own;
    }
    if (theme != watched) {
        if (watched != nullptr) ++gGeneration;
        g_signal_connect(theme, "changed", G_CALLBACK(ThemeChanged), nullptr);
        watched = theme;
    }
    return theme;
}

std::uint32_t Premultiplied(const guchar* P, bool Alpha) {
    const unsigned a = Alpha ? P[3] : 255;
    auto channel = [a](unsigned v) { return (v * a + 127) / 255; };
    return (a << 24) | (channel(P[0]) << 16) | (channel(P[1]) << 8) | channel(P[2]);
}

} // namespace

String ContentTypeOf(const String& Name) {
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::path(Name), ec)) return "inode/directory";
    // By the name alone: a file is never opened, so a device or a pipe named here cannot block.
    gchar* type = g_content_type_guess(Name.c_str(), nullptr, 0, nullptr);
    String result = type != nullptr ? String(type) : String("application/octet-stream");
    g_free(type);
    return result;
}

std::vector<String> IconNamesOf(const String& ContentType) {
    std::vector<String> names;
    if (GIcon* icon = g_content_type_get_icon(ContentType.c_str())) {
        if (G_IS_THEMED_ICON(icon))
            for (const gchar* const* n = g_themed_icon_get_names(G_THEMED_ICON(icon)); n != nullptr && *n;
                 ++n)
                names.emplace_back(*n);
        g_object_unref(icon);
    }
    names.emplace_back("application-x-generic");
    return names;
}

std::vector<std::uint32_t> LoadThemedIcon(const std::vector<String>& Names, int Size) {
    std::vector<const gchar*> list;
    for (const String& n : Names)
        list.push_back(n.c_str());
    list.push_back(nullptr);
    GtkIconInfo* info = gtk_icon_theme_choose_icon(Theme(), list.data(), Size, GTK_ICON_LOOKUP_FORCE_SIZE);
    if (info == nullptr) return {};
    GdkPixbuf* pixbuf = gtk_icon_info_load_icon(info, nullptr);
    g_object_unref(info);
    if (pixbuf == nullptr) return {};
    // The theme may still give another size: the icon is scaled to the one asked for.
    if (gdk_pixbuf_get_width(pixbuf) != Size || gdk_pixbuf_get_height(pixbuf) != Size) {
        GdkPixbuf* scaled = gdk_pixbuf_scale_simple(pixbuf, Size, Size, GDK_INTERP_BILINEAR);
        g_object_unref(pixbuf);
        pixbuf = scaled;
        if (pixbuf == nullptr) return {};
    }
    std::vector<std::uint32_t> pixels;
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf), stride = gdk_pixbuf_get_rowstride(pixbuf);
    if (gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 && channels == (alpha ? 4 : 3)) {
        const guchar* data = gdk_pixbuf_read_pixels(pixbuf);
        pixels.reserve(static_cast<size_t>(Size) * static_cast<size_t>(Size));
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
                pixels.push_back(
                    Premultiplied(data + static_cast<ptrdiff_t>(y) * stride + x * channels, alpha));
    }
    g_object_unref(pixbuf);
    return pixels;
}

unsigned ThemeGeneration() {
    Theme();
    return gGeneration;
}

} // namespace vcl::shellicon
