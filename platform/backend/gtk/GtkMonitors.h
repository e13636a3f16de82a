#pragma once
// The display's monitors and their work areas, read from GDK once and kept until something says they
// changed. GDK asks the X server for a work area on every call (two or three round trips), and the window
// system asks for the monitors many times while a form is made, placed and shown; the answer changes only
// when monitors come or go, the screen changes size, or the window manager changes a property of the root
// window (its work area, the current desktop). Internal to the backend and its tests.

#include <gtk/gtk.h>

#include <optional>
#include <vector>

#include "platform/backend/Backend.h"

namespace gtkbackend {

class GtkMonitors {
public:
    GtkMonitors();
    ~GtkMonitors();
    GtkMonitors(const GtkMonitors&) = delete;
    GtkMonitors& operator=(const GtkMonitors&) = delete;

    // The monitors as GDK gives them now, read again only after a change.
    const std::vector<backend::Monitor>& Get();

private:
    static std::vector<backend::Monitor> Read();
    static void OnScreenChanged(GdkScreen*, gpointer self);
    static void OnMonitorAddedOrRemoved(GdkDisplay*, GdkMonitor*, gpointer self);
    static GdkFilterReturn OnRootEvent(GdkXEvent* xevent, GdkEvent*, gpointer self);

    std::optional<std::vector<backend::Monitor>> FKept;
    GdkScreen* FScreen = nullptr;
    GdkDisplay* FDisplay = nullptr;
    GdkWindow* FRoot = nullptr;
    std::vector<gulong> FScreenHandlers;
    std::vector<gulong> FDisplayHandlers;
};

} // namespace gtkbackend
