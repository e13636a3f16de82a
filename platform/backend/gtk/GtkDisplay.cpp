// The GTK backend: display, waiting on the GLib main loop, monitors, cursors, clipboard, theme watch.

#include "platform/backend/gtk/GtkDisplay.h"

#include <glib-unix.h>

#include <algorithm>

#include "platform/backend/gtk/GtkBackend.h"
#include "platform/backend/gtk/GtkDesktopFont.h"
#include "platform/backend/gtk/GtkGuard.h"
#include "platform/backend/gtk/GtkIcon.h"
#include "platform/backend/gtk/GtkLockKeys.h"
#include "platform/backend/gtk/GtkMonitors.h"
#include "platform/backend/gtk/GtkNativeWindow.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysInfo.h"

namespace gtkbackend {

using backend::CursorShape;
using backend::EventKind;
using backend::InputEvent;

namespace {

FrameObserver& Observer() {
    static FrameObserver observer;
    return observer;
}

// GTK is opened once per process and stays open.
void OpenDisplay() {
    static bool opened = false;
    if (opened) return;
    // Popups, hints and floating toolbars are placed at screen positions: X11 only.
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr))
        throw vcl::Exception("Cannot open the display: no X11 display is available (is DISPLAY set?)");
    opened = true;
}

std::vector<const char*> CursorNames(CursorShape shape) {
    switch (shape) {
    case CursorShape::Arrow:
        return {"default", "left_ptr"};
    case CursorShape::IBeam:
        return {"text", "xterm"};
    case CursorShape::Wait:
        return {"wait", "watch"};
    case CursorShape::Cross:
        return {"crosshair", "cross"};
    case CursorShape::UpArrow:
        return {"sb_up_arrow", "n-resize", "default"};
    case CursorShape::SizeNWSE:
        return {"nwse-resize", "bottom_right_corner"};
    case CursorShape::SizeNESW:
        return {"nesw-resize", "bottom_left_corner"};
    case CursorShape::SizeWE:
        return {"ew-resize", "sb_h_double_arrow"};
    case CursorShape::SizeNS:
        return {"ns-resize", "sb_v_double_arrow"};
    case CursorShape::SizeAll:
        return {"move", "all-scroll", "fleur"};
    case CursorShape::No:
        return {"not-allowed", "crossed_circle"};
    case CursorShape::Hand:
        return {"pointer", "hand2"};
    case CursorShape::AppStarting:
        return {"progress", "left_ptr_watch", "watch"};
    case CursorShape::Help:
        return {"help", "question_arrow"};
    case CursorShape::Hidden:
        return {"none"};
    }
    return {"default"};
}

} // namespace

GtkDisplay::GtkDisplay() {
    OpenDisplay();
    FMonitors = std::make_unique<GtkMonitors>();
    FStart = g_get_monotonic_time();
    GtkSettings* settings = gtk_settings_get_default();
    if (settings) {
        FSettingsHandlers.push_back(
            g_signal_connect(settings, "notify::gtk-theme-name", G_CALLBACK(OnThemeSetting), this));
        FSettingsHandlers.push_back(g_signal_connect(settings, "notify::gtk-application-prefer-dark-theme",
                                                     G_CALLBACK(OnThemeSetting), this));
        WatchDesktopFont(settings, G_CALLBACK(OnThemeSetting), this, FSettingsHandlers);
    }
    gdk_event_handler_set(OnEvent, this, nullptr);
    // A wake-up from a signal handler or another thread ends the main loop's poll.
    if (const int fd = backend::WakeUpFd(); fd >= 0)
        FWakeWatch = g_unix_fd_add(fd, G_IO_IN, OnWakeUp, nullptr);
}

GtkDisplay::~GtkDisplay() {
    // GTK's own handler again.
    gdk_event_handler_set([](GdkEvent* event, gpointer) { gtk_main_do_event(event); }, nullptr, nullptr);
    if (GtkSettings* settings = gtk_settings_get_default())
        for (gulong id : FSettingsHandlers)
            g_signal_handler_disconnect(settings, id);
    if (FWakeWatch) g_source_remove(FWakeWatch);
    if (FFocusCheck) g_source_remove(FFocusCheck);
    if (FLeaveCheck) g_source_remove(FLeaveCheck);
    for (auto& [shape, cursor] : FCursors)
        if (cursor) g_object_unref(cursor);
}

// Every event passes here before GTK delivers it: a button event of a native child widget in a window of
// ours may be the window system's (GtkNativeWindow::ChildButton).
void GtkDisplay::OnEvent(GdkEvent* event, gpointer self) {
    auto* d = static_cast<GtkDisplay*>(self);
    const bool taken = Guarded<bool>(false, [&] {
        const GdkEventType t = event->type;
        if (t != GDK_BUTTON_PRESS && t != GDK_2BUTTON_PRESS && t != GDK_3BUTTON_PRESS &&
            t != GDK_BUTTON_RELEASE)
            return false;
        GtkWidget* target = gtk_get_event_widget(event);
        if (!target) return false;
        GtkWidget* top = gtk_widget_get_toplevel(target);
        for (GtkNativeWindow* w : d->FWindows)
            if (w->Widget() == top) return w->ChildButton(target, &event->button);
        return false;
    });
    if (!taken) gtk_main_do_event(event);
}

// ---- Screen

std::vector<backend::Monitor> GtkDisplay::Monitors() const {
    return FMonitors->Get();
}

// ---- Windows

std::unique_ptr<backend::NativeWindow> GtkDisplay::CreateNativeWindow(const backend::NativeWindowInfo& info) {
    GtkWindow* owner = nullptr;
    for (GtkNativeWindow* w : FWindows)
        if (w == info.Owner) owner = GTK_WINDOW(w->Widget());
    return std::make_unique<GtkNativeWindow>(*this, info, owner);
}

void GtkDisplay::WindowCreated(GtkNativeWindow* window) {
    FWindows.push_back(window);
}

void GtkDisplay::WindowDestroyed(GtkNativeWindow* window) {
    FOrphanButtons |= window->HeldButtons();
    FWindows.erase(std::remove(FWindows.begin(), FWindows.end(), window), FWindows.end());
    // Its events must not reach the window system after it is gone.
    FPending.erase(std::remove_if(FPending.begin(), FPending.end(),
                                  [&](const InputEvent& e) { return e.Window == window; }),
                   FPending.end());
    if (GdkWindow* g = window->Gdk())
        FLastStack.erase(std::remove(FLastStack.begin(), FLastStack.end(), g), FLastStack.end());
}

bool GtkDisplay::TakeOrphanButton(unsigned Bit) {
    if (!(FOrphanButtons & Bit)) return false;
    FOrphanButtons &= ~Bit;
    return true;
}

void GtkDisplay::Restack(const std::vector<backend::NativeWindow*>& topToBottom) {
    std::vector<GdkWindow*> stack;
    for (backend::NativeWindow* n : topToBottom)
        for (GtkNativeWindow* w : FWindows)
            if (w == n && w->Gdk() && gdk_window_is_visible(w->Gdk())) stack.push_back(w->Gdk());
    if (stack == FLastStack) return;
    FLastStack = stack;
    for (std::size_t i = 1; i < stack.size(); ++i)
        gdk_window_restack(stack[i], stack[i - 1], FALSE);
}

// ---- Pointer

void GtkDisplay::SetCursor(CursorShape shape) {
    if (shape == FCursorShape && FCursor) return;
    FCursorShape = shape;
    auto it = FCursors.find(shape);
    if (it == FCursors.end()) {
        GdkDisplay* d = gdk_display_get_default();
        GdkCursor* c = nullptr;
        if (shape == CursorShape::Hidden) c = gdk_cursor_new_for_display(d, GDK_BLANK_CURSOR);
        for (const char* name : CursorNames(shape))
            if (!c) c = gdk_cursor_new_from_name(d, name);
        it = FCursors.emplace(shape, c).first;
    }
    FCursor = it->second;
    for (GtkNativeWindow* w : FWindows)
        w->ApplyCursor(FCursor);
}

void GtkDisplay::PointerLeft(vcl::TPoint at) {
    FLeftAt = at;
    if (!FLeaveCheck) FLeaveCheck = g_idle_add(OnLeaveCheck, this);
}

void GtkDisplay::PointerEntered(GtkNativeWindow* window, vcl::TPoint at) {
    if (FLeaveCheck) {
        g_source_remove(FLeaveCheck);
        FLeaveCheck = 0;
    }
    // Back from elsewhere, or from a window not ours the pointer was over when ours came under it: the
    // window system learns where, even if the pointer stops here.
    if (!FPointerAway && FPointer == at) return;
    FPointerAway = false;
    InputEvent e;
    e.Kind = EventKind::MouseMove;
    e.Window = window;
    e.Screen = at;
    Post(e);
}

gboolean GtkDisplay::OnLeaveCheck(gpointer self) {
    auto* d = static_cast<GtkDisplay*>(self);
    d->FLeaveCheck = 0;
    GuardedVoid([&] {
        d->FPointerAway = true;
        // About the pointer, not the window left: it stays queued when that window goes.
        InputEvent e;
        e.Kind = EventKind::MouseLeave;
        e.Screen = d->FLeftAt;
        d->Post(e);
    });
    return G_SOURCE_REMOVE;
}

void GtkDisplay::WarpPointer(vcl::TPoint screen) {
    GdkDisplay* d = gdk_display_get_default();
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(d));
    gdk_device_warp(pointer, gdk_display_get_default_screen(d), screen.X, screen.Y);
    gdk_display_flush(d);
}

// ---- Clock and waiting

std::uint32_t GtkDisplay::TickCount() {
    return static_cast<std::uint32_t>((g_get_monotonic_time() - FStart) / 1000);
}

void GtkDisplay::Post(const InputEvent& event) {
    if (event.Kind == EventKind::MouseMove || event.Kind == EventKind::ButtonDown ||
        event.Kind == EventKind::ButtonUp || event.Kind == EventKind::MouseLeave)
        FPointer = event.Screen;
    FPending.push_back(event);
}

bool GtkDisplay::Flush() {
    bool any = false;
    if (FThemeChanged) {
        // Outside any GTK callback, so that the listeners may do anything (and may throw to our caller).
        FThemeChanged = false;
        any = true;
        vcl::SysInfo().NotifyThemeChanged();
    }
    while (!FPending.empty()) {
        InputEvent e = FPending.front();
        FPending.pop_front();
        any = true;
        if (!FSink) continue;
        if (e.Kind == EventKind::Activate) {
            // The lock keys may have been toggled while another program had the keyboard.
            GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_display_get_default());
            SyncLockToggles(gdk_keymap_get_caps_lock_state(keymap), gdk_keymap_get_num_lock_state(keymap),
                            gdk_keymap_get_scroll_lock_state(keymap));
        }
        FSink->Deliver(e);
    }
    return any;
}

gboolean GtkDisplay::OnWakeUp(gint, GIOCondition, gpointer) {
    // Emptied here, so that the poll blocks again; the window system finds what the wake-up was for at
    // its next look at the queue, once the iteration returns from Wait.
    backend::TakeWakeUp();
    return G_SOURCE_CONTINUE;
}

backend::WaitResult GtkDisplay::Wait(std::optional<std::uint32_t> deadline) {
    if (Flush()) return backend::WaitResult::Event;
    bool timedOut = false;
    guint timeout = 0;
    if (deadline) {
        auto left = static_cast<std::int32_t>(*deadline - TickCount());
        if (left <= 0) return backend::WaitResult::Deadline;
        timeout = g_timeout_add_full(
            G_PRIORITY_DEFAULT, static_cast<guint>(left),
            [](gpointer flag) -> gboolean {
                *static_cast<bool*>(flag) = true;
                return G_SOURCE_REMOVE;
            },
            &timedOut, nullptr);
    }
    // One iteration: nested message loops are nested calls of this, each running the main loop once.
    g_main_context_iteration(nullptr, TRUE);
    if (timeout && !timedOut) g_source_remove(timeout);
    if (Flush()) return backend::WaitResult::Event;
    // Something else ran (a redraw, another library's source): the window system looks at its queue again.
    return timedOut ? backend::WaitResult::Deadline : backend::WaitResult::Event;
}

// ---- Activation

void GtkDisplay::FocusEntered() {
    FAppActive = true;
    FFocusOrphaned = false;
    if (FFocusCheck) {
        g_source_remove(FFocusCheck);
        FFocusCheck = 0;
    }
}

void GtkDisplay::FocusLeft() {
    // The focus may only be moving between two of our windows: decide once GTK is idle.
    if (!FFocusCheck) FFocusCheck = g_idle_add(OnFocusCheck, this);
}

gboolean GtkDisplay::OnFocusCheck(gpointer self) {
    auto* d = static_cast<GtkDisplay*>(self);
    d->FFocusCheck = 0;
    GuardedVoid([&] {
        for (GtkNativeWindow* w : d->FWindows)
            if (gtk_window_is_active(GTK_WINDOW(w->Widget()))) return;
        if (!d->FAppActive) return;
        d->FAppActive = false;
        InputEvent off;
        off.Kind = EventKind::Deactivate;
        d->Post(off);
        // Keys held when the focus went elsewhere are released there: let the window system know, after
        // the deactivation, so that no window takes them for its own (an Alt released after Alt+Tab is
        // no menu key).
        for (const auto& [code, key] : d->FHeldKeys) {
            InputEvent e;
            e.Kind = EventKind::KeyUp;
            e.VirtualKey = key.VirtualKey;
            e.ScanCode = key.ScanCode;
            e.Extended = key.Extended;
            d->Post(e);
        }
        d->FHeldKeys.clear();
    });
    return G_SOURCE_REMOVE;
}

void GtkDisplay::FrameShown(GtkNativeWindow* window) {
    if (Observer()) Observer()(window);
}

// ---- Theme

void GtkDisplay::OnThemeSetting(GObject*, GParamSpec*, gpointer self) {
    static_cast<GtkDisplay*>(self)->FThemeChanged = true;
}

// ---- Clipboard

void GtkDisplay::SetProgramIcon(const std::vector<backend::IconImage>& images) {
    // The icon of every window that has none of its own, those shown already too.
    FProgramIcon = NetWmIcon(images);
    for (GtkNativeWindow* w : FWindows)
        if (!w->HasOwnIcon()) w->ApplyIcon();
}

void GtkDisplay::SetClipboardText(const vcl::String& text) {
    GtkClipboard* cb = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gtk_clipboard_set_text(cb, text.data(), static_cast<gint>(text.size()));
    // Keeps the text available after the program ends, where a clipboard manager runs.
    gtk_clipboard_set_can_store(cb, nullptr, 0);
}

vcl::String GtkDisplay::GetClipboardText() {
    gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
    vcl::String out = text ? text : "";
    g_free(text);
    return out;
}

// ---- Entry points

void SetFrameObserver(FrameObserver observer) {
    Observer() = std::move(observer);
}

std::unique_ptr<backend::Backend> CreateGtkBackend() {
    return std::make_unique<GtkDisplay>();
}

void RegisterGtkBackend() {
    static bool registered = false;
    if (registered) return;
    backend::RegisterBackendFactory("gtk", [] { return CreateGtkBackend(); });
    registered = true;
}

vcl::String BackendNameFor(const vcl::String& backendVariable) {
    // Never the offscreen backend by default: without a display a program would run unseen, forever.
    return backendVariable.empty() ? "gtk" : backendVariable;
}

vcl::String ChooseBackendForProgram() {
    RegisterGtkBackend();
    vcl::String name = BackendNameFor(vcl::SysInfo().GetEnvironmentVariable("KALVENOR_BACKEND"));
    if (name == "gtk" && !backend::HasBackend()) backend::SetBackend(CreateGtkBackend());
    return name;
}

} // namespace gtkbackend
