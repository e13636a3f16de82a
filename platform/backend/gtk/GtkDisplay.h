#pragma once
// The GTK backend's object: the display, the event queue towards the window system, cursors, the
// clipboard and the theme watch. Internal to the backend and its tests.

#include <gtk/gtk.h>

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/backend/gtk/GtkKeys.h"

namespace gtkbackend {

class GtkMonitors;
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
    // Whether the window system holds the mouse capture (EventSink::MouseCaptured).
    bool MouseCaptured() const { return FSink && FSink->MouseCaptured(); }
    void WindowCreated(GtkNativeWindow* window);
    void WindowDestroyed(GtkNativeWindow* window);
    GdkCursor* CurrentCursor() const { return FCursor; }
    // The program's icon as _NET_WM_ICON holds it (GtkIcon.h); empty: none.
    const std::vector<gulong>& ProgramIcon() const { return FProgramIcon; }
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
    // The pointer left a window of ours (at: where it is now) or entered one. A leave that no entry into
    // another window of ours follows, by the time GTK is idle, went to a window not ours: the window
    // system hears MouseLeave. The entry after that tells where the pointer is back.
    void PointerLeft(vcl::TPoint at);
    void PointerEntered(GtkNativeWindow* window, vcl::TPoint at);

private:
    bool Flush();
    static void OnThemeSetting(GObject*, GParamSpec*, gpointer self);
    static void OnEvent(GdkEvent* event, gpointer self);
    static gboolean OnFocusCheck(gpointer self);
    static gboolean OnLeaveCheck(gpointer self);
    static gboolean OnWakeUp(gint fd, GIOCondition condition, gpointer);

    backend::EventSink* FSink = nullptr;
    std::unique_ptr<GtkMonitors> FMonitors;
    std::vector<gulong> FProgramIcon;
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
    guint FLeaveCheck = 0;
    guint FWakeWatch = 0; // the source watching backend::WakeUpFd
    vcl::TPoint FLeftAt;
    bool FPointerAway = false;           // the window system was told the pointer is in a window not ours
    std::optional<vcl::TPoint> FPointer; // where the window system was last told the pointer is
};

} // namespace gtkbackend
