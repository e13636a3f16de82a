#pragma once
// Icons for the GTK backend: the window system's icon images as the pixbufs of a window's icon list
// (which GTK hands to the window manager as _NET_WM_ICON).

#include <gtk/gtk.h>

#include <vector>

#include "platform/backend/Backend.h"

namespace gtkbackend {

// A new list of new pixbufs (straight alpha), one per image, in the same order; null for no images. The
// caller frees it with g_list_free_full(list, g_object_unref).
GList* PixbufList(const std::vector<backend::IconImage>& images);

} // namespace gtkbackend
