#pragma once
// A view of the engine's own, not the browser control's: a fresh ephemeral context and a view in a window
// off the screen, for asking the installed engine what it makes of an input (an address, a page's bytes).

#include <gtk/gtk.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

namespace kvweb {

class OwnEngineView {
public:
    OwnEngineView() {
        // Without a user namespace (root, most containers) the engine's sandbox cannot be set up.
        if (::geteuid() == 0) g_setenv("WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS", "1", FALSE);
        FContext = webkit_web_context_new_ephemeral();
        webkit_web_context_set_sandbox_enabled(FContext, ::geteuid() != 0);
        FWindow = gtk_offscreen_window_new();
        FView = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", FContext, nullptr));
        gtk_container_add(GTK_CONTAINER(FWindow), GTK_WIDGET(FView));
        gtk_widget_show_all(FWindow);
    }
    ~OwnEngineView() {
        gtk_widget_destroy(FWindow);
        g_object_unref(FContext);
    }
    OwnEngineView(const OwnEngineView&) = delete;
    OwnEngineView& operator=(const OwnEngineView&) = delete;

    WebKitWebView* View() const { return FView; }

private:
    WebKitWebContext* FContext;
    GtkWidget* FWindow;
    WebKitWebView* FView;
};

} // namespace kvweb
