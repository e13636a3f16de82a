#pragma once
// The GTK backend's object: the display, the event queue towards the window system, cursors, the
// clipboard and the theme watch. Internal to the backend and its tests.

#include <gtk/gtk.h>

#include <deque>
#include <map>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/backend/gtk/GtkKeys.h"

namespace gtkbackend {

class GtkNativeWindow;

class GtkDisplay final : public backend::Backend {
public:
    GtkDisplay();
    ~GtkDisplay() override;
    GtkDisplay(const GtkDisplay&) = delete;
    GtkDisplay& operator=(const GtkDisplay&) = delete;

    const char* Name() const override { return "gtk"; }
    std::vector<backend::Monitor> Monitors() const override;
    std::unique_ptr<backend::NativeWindow> CreateNativeWindow(const backend::NativeWindowInfo& info) override;
    void Restack(const std::vector<backend::NativeWindow*>& topToBottom) override;
    void SetCursor(backend::CursorShape shape) override;
    void WarpPointer(vcl::TPoint screen) override;
    std::uint32_t TickCount() override;
    backend::WaitResult Wait(std::optional<std::uint32_t> deadline) override;
    void SetSink(backend::EventSink* sink) override { FSink = sink; }
    void SetProgramIcon(const std::vector<backend::IconImage>& images) override;
    void SetClipboardText(const vcl::String& text) override;
    vcl::String GetClipboardText() override;

    // ---- For the native windows
    // Queues an event; it reaches the sink from Wait, never from inside a GTK callback.
    void Post(const backend::InputEvent& event);
    void WindowCreated(GtkNativeWindow* window);
    void WindowDestroyed(GtkNativeWindow* window);
    GdkCursor* CurrentCursor() const { return FCursor; }
    // Keys held down, by hardware key code: the key that went to the window system for each.
    std::map<unsigned, KeyInfo>& HeldKeys() { return FHeldKeys; }
    // A window lost the focus: once no window of ours has it, the application is deactivated.
    void FocusLeft();
    void FocusEntered();
    // Without a window manager, the focus the window manager would hand on (GtkFocus.cpp): a window of
    // ours was shown, or one that held the focus was hidden.
    void WindowMapped(GtkNativeWindow* window);
    void FocusedWindowHidden(GtkNativeWindow* window);
    void FrameShown(GtkNativeWindow* window);
    // Buttons pressed on a window that went before their release: the release, which then arrives on
    // whichever window is under the pointer, still reaches the window system once.
    bool TakeOrphanButton(unsigned Bit);
    void ForgetOrphanButton(unsigned Bit) { FOrphanButtons &= ~Bit; }

private:
    bool Flush();
    static void OnThemeSetting(GObject*, GParamSpec*, gpointer self);
    static gboolean OnFocusCheck(gpointer self);

    backend::EventSink* FSink = nullptr;
    std::deque<backend::InputEvent> FPending;
    unsigned FOrphanButtons = 0;
    std::vector<GtkNativeWindow*> FWindows;
    std::vector<GdkWindow*> FLastStack;
    std::map<backend::CursorShape, GdkCursor*> FCursors;
    backend::CursorShape FCursorShape = backend::CursorShape::Arrow;
    GdkCursor* FCursor = nullptr;
    std::map<unsigned, KeyInfo> FHeldKeys;
    gint64 FStart = 0;
    std::vector<gulong> FSettingsHandlers;
    bool FThemeChanged = false;
    guint FFocusCheck = 0;
    bool FAppActive = false;
    // A window of ours that held the focus was hidden with no other to take it (no window manager).
    bool FFocusOrphaned = false;
};

} // namespace gtkbackend
