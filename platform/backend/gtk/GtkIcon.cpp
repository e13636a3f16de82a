#include "platform/backend/gtk/GtkIcon.h"

#include <algorithm>

namespace gtkbackend {

namespace {

// Premultiplied 0xAARRGGBB to straight 0xAARRGGBB.
gulong Unpremultiply(std::uint32_t p) {
    const unsigned a = p >> 24;
    if (a == 255) return p; // most pixels of an icon: nothing to divide
    if (a == 0) return 0;
    gulong out = static_cast<gulong>(a) << 24;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const unsigned c = (p >> shift) & 0xFF;
        out |= static_cast<gulong>(std::min(255u, (c * 255 + a / 2) / a)) << shift;
    }
    return out;
}

} // namespace

std::vector<gulong> NetWmIcon(const std::vector<backend::IconImage>& images) {
    std::vector<gulong> icon;
    for (const backend::IconImage& img : images) {
        if (img.Width <= 0 || img.Height <= 0 ||
            img.Pixels.size() != static_cast<std::size_t>(img.Width) * static_cast<std::size_t>(img.Height))
            continue;
        icon.push_back(static_cast<gulong>(img.Width));
        icon.push_back(static_cast<gulong>(img.Height));
        for (std::uint32_t p : img.Pixels)
            icon.push_back(Unpremultiply(p));
    }
    return icon;
}

void SetNetWmIcon(GdkWindow* window, const std::vector<gulong>& icon) {
    if (!window) return;
    GdkAtom property = gdk_atom_intern_static_string("_NET_WM_ICON");
    if (icon.empty()) {
        gdk_property_delete(window, property);
        return;
    }
    gdk_property_change(window, property, gdk_atom_intern_static_string("CARDINAL"), 32,
                        GDK_PROP_MODE_REPLACE, reinterpret_cast<const guchar*>(icon.data()),
                        static_cast<gint>(icon.size()));
}

} // namespace gtkbackend
