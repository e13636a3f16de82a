#pragma once
// The GTK window (a GtkWidget*) that shows a top-level window of the window system on the GTK backend,
// or null when the window has none (not yet made, another backend). Kept apart from the engine: the
// window system's headers and GLib's cannot share a translation unit in just any order.

namespace vcl::webhost {

void* GtkWindowOf(void* rootWindow);

// Whether a menu loop of the window system runs (the menu bar in menu mode, or a menu open): every key is
// the menu's then, whichever window has the focus.
bool MenuHasKeyboard();

} // namespace vcl::webhost
