// The keyboard focus without a window manager. Nobody hands the focus on then: X gives it to no window
// when the one holding it is hidden, and to none when a window is shown, so that after a dialog of ours
// closes the program's next window stays inactive and deaf to keys (unless the pointer happens to lie
// over it). The program's windows then get what a window manager would give them, as the platform does
// within a program: when a window of ours that held the focus is hidden, the topmost one of ours still
// shown takes it, or, when none is, the next one of ours to be shown; a window shown while another of
// ours holds the focus takes it too. Under a window manager nothing here acts.

#include "platform/backend/gtk/GtkDisplay.h"
#include "platform/backend/gtk/GtkNativeWindow.h"

// Last: X11's macros would clash with names in the headers above.
#include <gdk/gdkx.h>

namespace gtkbackend {

namespace {

bool WithoutWindowManager() {
    GdkScreen* screen = gdk_screen_get_default();
    return screen && GDK_IS_X11_SCREEN(screen) &&
           !gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern_static_string("_NET_ACTIVE_WINDOW"));
}

bool TakesFocus(GtkNativeWindow* w) {
    return w->Visible() && w->Gdk() && gtk_window_get_accept_focus(GTK_WINDOW(w->Widget()));
}

void Focus(GtkNativeWindow* w) {
    // Without a window manager GDK sets the X focus itself.
    gdk_window_focus(w->Gdk(), GDK_CURRENT_TIME);
}

} // namespace

void GtkDisplay::WindowMapped(GtkNativeWindow* window) {
    if (!WithoutWindowManager() || !TakesFocus(window)) return;
    bool ours = FFocusOrphaned;
    for (GtkNativeWindow* w : FWindows)
        ours = ours || (w != window && gtk_window_is_active(GTK_WINDOW(w->Widget())));
    if (!ours) return;
    FFocusOrphaned = false;
    Focus(window);
}

void GtkDisplay::FocusedWindowHidden(GtkNativeWindow* window) {
    if (!WithoutWindowManager()) return;
    for (GdkWindow* g : FLastStack)
        for (GtkNativeWindow* w : FWindows)
            if (w != window && w->Gdk() == g && TakesFocus(w)) {
                Focus(w);
                return;
            }
    FFocusOrphaned = true;
}

} // namespace gtkbackend
