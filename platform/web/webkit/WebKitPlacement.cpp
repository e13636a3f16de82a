// The WebKitGTK engine: where its view goes in the control's window, and the keyboard focus between the
// view and the window's own controls.

#include "platform/web/webkit/WebKitView.h"

#include <algorithm>

#include "platform/backend/gtk/GtkGuard.h"
#include "platform/web/GtkHost.h"

namespace vcl::webkitengine {

namespace {
constexpr const char* kOverlayKey = "kv-browser-overlay";
} // namespace

// ---- Placing the view

void TWebKitEngine::Place(const TBrowserPlacement& Placement) {
    GtkWidget* host =
        Placement.Root ? static_cast<GtkWidget*>(webhost::GtkWindowOf(Placement.Root)) : nullptr;
    if (host != FHost) {
        Detach();
        if (host) Attach(host);
    }
    bool moved = Placement.Bounds != FBounds;
    FBounds = Placement.Bounds;
    bool visible = FHost && Placement.Visible;
    if (visible != FVisible) {
        FVisible = visible;
        gtk_widget_set_visible(FView, visible);
    }
    if (FHost && moved) gtk_widget_queue_resize(FView);
}

void TWebKitEngine::Attach(GtkWidget* host) {
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(host));
    GtkWidget* overlay = nullptr;
    if (child && GTK_IS_OVERLAY(child) && g_object_get_data(G_OBJECT(child), kOverlayKey)) {
        overlay = child;
    } else {
        // The window's drawing area becomes the main child of an overlay that carries the views.
        overlay = gtk_overlay_new();
        g_object_set_data(G_OBJECT(overlay), kOverlayKey, GINT_TO_POINTER(1));
        g_signal_connect(overlay, "get-child-position", G_CALLBACK(OnChildPosition), nullptr);
        if (child) {
            g_object_ref(child);
            gtk_container_remove(GTK_CONTAINER(host), child);
            gtk_container_add(GTK_CONTAINER(overlay), child);
            g_object_unref(child);
        }
        gtk_container_add(GTK_CONTAINER(host), overlay);
        gtk_widget_show(overlay);
    }
    gtk_widget_set_visible(FView, FALSE);
    FVisible = false;
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), FView);
    FHost = host;
    FOverlay = overlay;
    // The window going away must not take the view with it.
    g_signal_connect(overlay, "destroy", G_CALLBACK(OnHostDestroyed), this);
    // Keys reach the window before its focus widget: while the view has the focus they go to it alone.
    g_signal_connect(host, "event", G_CALLBACK(OnWindowEvent), this);
    // A press on the window's own drawing takes the focus from the view.
    FArea = gtk_bin_get_child(GTK_BIN(overlay));
    if (FArea) g_signal_connect(FArea, "event", G_CALLBACK(OnAreaEvent), this);
}

void TWebKitEngine::Detach() {
    if (!FHost) return;
    g_signal_handlers_disconnect_by_data(FOverlay, this);
    g_signal_handlers_disconnect_by_data(FHost, this);
    if (FArea) g_signal_handlers_disconnect_by_data(FArea, this);
    FArea = nullptr;
    ForgetEarlyReleases();
    if (gtk_widget_get_parent(FView) == FOverlay) gtk_container_remove(GTK_CONTAINER(FOverlay), FView);
    FHost = nullptr;
    FOverlay = nullptr;
    FVisible = false;
}

void TWebKitEngine::OnHostDestroyed(GtkWidget*, gpointer self) {
    gtkbackend::GuardedVoid([&] { static_cast<TWebKitEngine*>(self)->Detach(); });
}

gboolean TWebKitEngine::OnChildPosition(GtkOverlay*, GtkWidget* widget, GdkRectangle* allocation, gpointer) {
    auto* e = static_cast<TWebKitEngine*>(g_object_get_data(G_OBJECT(widget), kEngineKey));
    if (!e) return FALSE;
    allocation->x = e->FBounds.Left;
    allocation->y = e->FBounds.Top;
    allocation->width = std::max(e->FBounds.Width(), 1);
    allocation->height = std::max(e->FBounds.Height(), 1);
    return TRUE;
}

// ---- Keyboard focus: keys go to the view while it has GTK's focus, which follows the control's.

void TWebKitEngine::FocusChanged(bool Focused) {
    if (!FHost) return;
    if (Focused) {
        if (FVisible) gtk_widget_grab_focus(FView);
    } else if (gtk_window_get_focus(GTK_WINDOW(FHost)) == FView) {
        gtk_window_set_focus(GTK_WINDOW(FHost), nullptr);
    }
}

bool TWebKitEngine::ViewFocused() const {
    GtkWidget* focus = FHost ? gtk_window_get_focus(GTK_WINDOW(FHost)) : nullptr;
    return focus && (focus == FView || gtk_widget_is_ancestor(focus, FView));
}

gboolean TWebKitEngine::OnWindowEvent(GtkWidget* window, GdkEvent* ev, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    return gtkbackend::Guarded<gboolean>(FALSE, [&]() -> gboolean {
        if (ev->type != GDK_KEY_PRESS && ev->type != GDK_KEY_RELEASE) return FALSE;
        return e->KeyInView(window, &ev->key);
    });
}

// The view takes a key first and answers later, from its web process. A press it does not want it hands
// back (GTK delivers it to the window once more, and the view lets it pass): the window system has it then,
// as a page leaves keys to its host (F10 and Alt for the menu, Tab past the page's last link), followed by
// its release where that came before the answer. Other releases reach the window system too, so that it
// never holds a key that it saw go down.
//
// While a menu loop runs (the menu bar in menu mode after F10 or Alt, or a menu open), the keyboard is the
// menu's, whichever has the focus: presses pass the view and the page never sees them, so that the arrows,
// Enter, Escape and letters work the menu as they do with the focus in the window's own controls. The
// release of such a press passes too, even once the loop has ended on the press (Enter, Escape): the
// window system saw the key go down, the page did not. A press the view was given before the loop began
// still goes through it when handed back: the view lets its own hand-back pass. A hand-back is known by its
// key and time, which are the press's own: a key the page kept earlier (an arrow it scrolled by) is still
// on record as given to the view, and its next press is a new one, the menu's. The view keeps GTK's focus
// all along, so that the page has the keys again once the loop ends.
gboolean TWebKitEngine::KeyInView(GtkWidget* window, GdkEventKey* k) {
    const guint16 code = k->hardware_keycode;
    const bool press = k->type == GDK_KEY_PRESS;
    auto given = FKeysInView.find(code);
    const bool handedBack = press && given != FKeysInView.end() && given->second == k->time;
    if (press && !handedBack && webhost::MenuHasKeyboard()) {
        FKeysPastView.insert(code);
        return FALSE;
    }
    if (!press && FKeysPastView.erase(code)) return FALSE;
    const bool inView = ViewFocused();
    if (inView && gtk_window_propagate_key_event(GTK_WINDOW(window), k)) {
        if (press) {
            FKeysInView[code] = k->time;
        } else if (FKeysInView.count(code)) {
            GdkEvent*& kept = FEarlyReleases[code];
            if (kept) gdk_event_free(kept);
            kept = gdk_event_copy(reinterpret_cast<GdkEvent*>(k));
            return TRUE;
        }
        return press ? TRUE : FALSE;
    }
    if (!press) return FALSE;
    FKeysInView.erase(code);
    auto early = FEarlyReleases.find(code);
    if (early == FEarlyReleases.end()) return FALSE;
    GdkEvent* release = early->second;
    FEarlyReleases.erase(early);
    gboolean done = FALSE;
    g_signal_emit_by_name(window, "key-press-event", k, &done);
    g_signal_emit_by_name(window, "key-release-event", &release->key, &done);
    gdk_event_free(release);
    return TRUE;
}

void TWebKitEngine::ForgetEarlyReleases() {
    for (auto& [code, release] : FEarlyReleases)
        gdk_event_free(release);
    FEarlyReleases.clear();
    FKeysInView.clear();
    FKeysPastView.clear();
}

gboolean TWebKitEngine::OnAreaEvent(GtkWidget*, GdkEvent* ev, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        if (ev->type == GDK_BUTTON_PRESS && e->ViewFocused())
            gtk_window_set_focus(GTK_WINDOW(e->FHost), nullptr);
    });
    return FALSE;
}

gboolean TWebKitEngine::OnViewButton(GtkWidget*, GdkEventButton*, gpointer self) {
    auto* e = static_cast<TWebKitEngine*>(self);
    gtkbackend::GuardedVoid([&] {
        if (e->FEvents) e->FEvents->EngineFocusWanted();
    });
    return FALSE;
}

} // namespace vcl::webkitengine
