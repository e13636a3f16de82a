#include "platform/web/GtkHost.h"

// The window system's headers first: they declare TRUE and FALSE, which GLib defines as macros.
#include "platform/win/Menu.h"
#include "platform/win/WindowInternal.h"

#include "platform/backend/gtk/GtkNativeWindow.h"

namespace vcl::webhost {

void* GtkWindowOf(void* rootWindow) {
    win::detail::Wnd* w = win::detail::W(static_cast<win::HWND>(rootWindow));
    if (!w || !w->Native) return nullptr;
    auto* native = dynamic_cast<gtkbackend::GtkNativeWindow*>(w->Native.get());
    return native ? native->Widget() : nullptr;
}

bool MenuHasKeyboard() {
    return win::IsMenuTracking();
}

} // namespace vcl::webhost
