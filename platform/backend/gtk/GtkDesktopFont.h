#pragma once
// The desktop's font as the display's settings give it (GTK's "gtk-font-name"), kept in the system
// information.

#include <vector>

#include <gtk/gtk.h>

namespace gtkbackend {

// Reads the font now and again whenever the setting changes; after each change Changed(Settings, the
// setting's description, Data) runs too, so that the display broadcasts it as a change of the desktop's
// settings. The handlers connected are added to Handlers, for the caller to disconnect.
void WatchDesktopFont(GtkSettings* Settings, GCallback Changed, gpointer Data, std::vector<gulong>& Handlers);

} // namespace gtkbackend
