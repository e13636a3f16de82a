// The display's monitors, kept between changes.

#include "platform/backend/gtk/GtkMonitors.h"

#include <algorithm>

// Last: X11's macros would clash with names in the headers above.
#include <gdk/gdkx.h>

namespace gtkbackend {

GtkMonitors::GtkMonitors() : FScreen(gdk_screen_get_default()), FDisplay(gdk_display_get_default()) {
    if (FScreen) {
        FScreenHandlers.push_back(
            g_signal_connect(FScreen, "monitors-changed", G_CALLBACK(OnScreenChanged), this));
        FScreenHandlers.push_back(
            g_signal_connect(FScreen, "size-changed", G_CALLBACK(OnScreenChanged), this));
    }
    if (FDisplay) {
        FDisplayHandlers.push_back(
            g_signal_connect(FDisplay, "monitor-added", G_CALLBACK(OnMonitorAddedOrRemoved), this));
        FDisplayHandlers.push_back(
            g_signal_connect(FDisplay, "monitor-removed", G_CALLBACK(OnMonitorAddedOrRemoved), this));
    }
    // The window manager publishes work areas as properties of the root window: any change of one of its
    // properties is reason enough to read again. Our own selection of the root window's events is widened,
    // not replaced, since GDK keeps some of it for itself.
    FRoot = gdk_get_default_root_window();
    if (FRoot && GDK_IS_X11_WINDOW(FRoot)) {
        Display* x = GDK_WINDOW_XDISPLAY(FRoot);
        Window root = GDK_WINDOW_XID(FRoot);
        XWindowAttributes attributes;
        if (XGetWindowAttributes(x, root, &attributes))
            XSelectInput(x, root, attributes.your_event_mask | PropertyChangeMask);
        gdk_window_add_filter(FRoot, OnRootEvent, this);
    } else {
        FRoot = nullptr;
    }
}

GtkMonitors::~GtkMonitors() {
    if (FRoot) gdk_window_remove_filter(FRoot, OnRootEvent, this);
    for (gulong id : FScreenHandlers)
        g_signal_handler_disconnect(FScreen, id);
    for (gulong id : FDisplayHandlers)
        g_signal_handler_disconnect(FDisplay, id);
}

const std::vector<backend::Monitor>& GtkMonitors::Get() {
    if (!FKept) FKept = Read();
    return *FKept;
}

std::vector<backend::Monitor> GtkMonitors::Read() {
    std::vector<backend::Monitor> out;
    GdkDisplay* d = gdk_display_get_default();
    int n = gdk_display_get_n_monitors(d);
    for (int i = 0; i < n; ++i) {
        GdkMonitor* m = gdk_display_get_monitor(d, i);
        GdkRectangle g, wa;
        gdk_monitor_get_geometry(m, &g);
        gdk_monitor_get_workarea(m, &wa);
        backend::Monitor mon;
        mon.Bounds = vcl::TRect{g.x, g.y, g.x + g.width, g.y + g.height};
        mon.WorkArea = vcl::TRect{wa.x, wa.y, wa.x + wa.width, wa.y + wa.height};
        mon.Primary = gdk_monitor_is_primary(m);
        const char* model = gdk_monitor_get_model(m);
        mon.Name = model ? model : "";
        out.push_back(mon);
    }
    if (out.empty()) {
        // No monitor information (an X server without RandR): the root window is the screen.
        GdkWindow* root = gdk_get_default_root_window();
        backend::Monitor mon;
        mon.Bounds = vcl::TRect{0, 0, gdk_window_get_width(root), gdk_window_get_height(root)};
        mon.WorkArea = mon.Bounds;
        out.push_back(mon);
    }
    // Exactly one monitor is the primary one, as the platform promises.
    if (std::none_of(out.begin(), out.end(), [](const backend::Monitor& m) { return m.Primary; }))
        out.front().Primary = true;
    return out;
}

void GtkMonitors::OnScreenChanged(GdkScreen*, gpointer self) {
    static_cast<GtkMonitors*>(self)->FKept.reset();
}

void GtkMonitors::OnMonitorAddedOrRemoved(GdkDisplay*, GdkMonitor*, gpointer self) {
    static_cast<GtkMonitors*>(self)->FKept.reset();
}

GdkFilterReturn GtkMonitors::OnRootEvent(GdkXEvent* xevent, GdkEvent*, gpointer self) {
    if (static_cast<XEvent*>(xevent)->type == PropertyNotify) static_cast<GtkMonitors*>(self)->FKept.reset();
    return GDK_FILTER_CONTINUE;
}

} // namespace gtkbackend
