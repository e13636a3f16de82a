#pragma once
// Icons for the GTK backend: the window system's icon images as the window manager reads them from a
// window's _NET_WM_ICON property. The property is written here rather than through GTK's icon lists, which
// also make a pixmap of one size for the old WM_HINTS icon: an X pixmap drawn through Cairo at every
// window's first showing, for window managers that no longer exist.

#include <gtk/gtk.h>

#include <vector>

#include "platform/backend/Backend.h"

namespace gtkbackend {

// The images as _NET_WM_ICON holds them: for each, its width, its height and its pixels row by row as
// 0xAARRGGBB with straight alpha, each value in a long (X's format 32). Empty for no usable image.
std::vector<gulong> NetWmIcon(const std::vector<backend::IconImage>& images);

// Gives a realized window the icon, or takes its icon away when the icon is empty.
void SetNetWmIcon(GdkWindow* window, const std::vector<gulong>& icon);

} // namespace gtkbackend
