#pragma once
// What the window system needs from a display: the screen and its monitors, one native surface per
// top-level window, the pointer's cursor, the clock, and a way to wait for input or the next deadline.
// Exactly one backend is active; it is chosen at start-up (KALVENOR_BACKEND=offscreen|gtk, offscreen when
// unset) or installed explicitly with SetBackend before the first window is created.
//
// Threading: everything runs on the GUI thread. A backend never calls back into the window system except
// through the EventSink, and only from Wait (or from a test driver on the GUI thread).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/rtl/Types.h"

// Cairo's image type, named here without its header: no file above the platform sees a toolkit header.
typedef struct _cairo_surface cairo_surface_t;

namespace backend {

using vcl::String;
using vcl::TPoint;
using vcl::TRect;
using vcl::TSize;

struct Monitor {
    TRect Bounds;   // screen coordinates
    TRect WorkArea; // Bounds less task bars and docks
    bool Primary = false;
    String Name;
};

// The cursor shapes the window system asks for.
enum class CursorShape {
    Arrow,
    IBeam,
    Wait,
    Cross,
    UpArrow,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    SizeAll,
    No,
    Hand,
    AppStarting,
    Help,
    Hidden
};

struct NativeWindowInfo {
    TRect Bounds;            // screen coordinates of the whole window, frame included
    bool Popup = false;      // no window-manager decoration or placement (menus, hints, drop-downs)
    bool ToolWindow = false; // floating palette, not in the task bar
    bool Topmost = false;
    bool NoActivate = false; // never takes the keyboard focus from the window manager
    void* Owner = nullptr;   // the owner's NativeWindow, for transient-for relations
};

// One size of an icon: premultiplied ARGB pixels (0xAARRGGBB), row by row.
struct IconImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
};

// A top-level window's show state: the window system's (NativeWindow::SetState), or the window manager's
// (StateChanged).
enum class WindowState { Normal, Minimized, Maximized };

// One per top-level window. The window system owns the image (an ARGB32 Cairo image surface of the whole
// window) and presents rectangles of it; the backend shows it at the window's place.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    virtual void SetBounds(const TRect& screenBounds) = 0;
    // The window system's show state of the window, told before the bounds of that state (SetBounds). A
    // window manager that keeps states of its own is asked for it, so that both hold the window in one state:
    // it then places a maximised window itself, and the backend reports where (BoundsChanged); a window it
    // holds maximised takes the bounds of a restore once it has let go of it.
    virtual void SetState(WindowState state) { (void)state; }
    virtual void SetVisible(bool visible) = 0;
    virtual void SetTopmost(bool topmost) = 0;
    // The window's owner changed (null: none): a window manager keeps the window above its owner, as the
    // owner given at creation (NativeWindowInfo::Owner).
    virtual void SetOwner(NativeWindow* owner) { (void)owner; }
    // Constant alpha (255 = opaque), an optional colour key (0x00BBGGRR; pixels of that colour are
    // transparent) and whether the image carries per-pixel alpha (premultiplied).
    virtual void SetOpacity(std::uint8_t alpha, std::optional<std::uint32_t> colorKey,
                            bool perPixelAlpha) = 0;
    // The window's shape in window coordinates; empty optional = rectangular.
    virtual void SetShape(const std::optional<std::vector<TRect>>& rects) = 0;
    // The image changed inside dirty (window coordinates). The surface stays owned by the caller. The screen
    // takes the image no sooner than the next Wait: the window system paints between waits, so a window
    // is never shown half-painted, and its image serves as the back buffer of every control in it.
    virtual void Present(cairo_surface_t* surface, const TRect& dirty) = 0;
    // The window's title (UTF-8) as task bars, window lists and the window manager show it.
    virtual void SetTitle(const String& title) = 0;
    // The window's own icon in every size it has; empty = the program's icon (Backend::SetProgramIcon).
    virtual void SetIcon(const std::vector<IconImage>& images) = 0;
    // The smallest and the largest size of the whole window (a zero width or height: no limit), for a
    // window manager that sizes windows itself to keep to.
    virtual void SetSizeLimits(TSize minimum, TSize maximum) {
        (void)minimum;
        (void)maximum;
    }
    // Text input through an input method: where the caret of the window's focused control is (window
    // coordinates), for the method's candidate window; none when it has no caret.
    virtual void SetTextCaret(const std::optional<TRect>& caret) { (void)caret; }
    // The keyboard focus moved to another window inside this one: a composition under way is dropped.
    virtual void ResetTextInput() {}
};

enum class EventKind {
    MouseMove,     // Screen
    ButtonDown,    // Screen, Button
    ButtonUp,      // Screen, Button
    Wheel,         // Screen, WheelDelta (multiples of 120 per notch), Horizontal
    MouseLeave,    // Screen: the pointer went into a native window not ours (a native child such as the
                   // browser's view, another program's window, the root window); no move is reported
                   // until it comes back
    KeyDown,       // VirtualKey, ScanCode, Extended (a held key repeats KeyDown)
    KeyUp,         // VirtualKey, ScanCode, Extended
    Char,          // Char: a character without a key of its own (a dead key's or a compose sequence's
                   // result, an input method's committed text: one event per character)
    CloseRequest,  // Window: the window manager's close button
    Activate,      // Window: the window manager gave the application's window the focus
    Deactivate,    // the application lost the focus to another program
    BoundsChanged, // Window, Bounds: the window manager moved or sized the window (screen coordinates)
    StateChanged,  // Window, State: the window manager minimised, maximised or restored the window
};

enum class MouseButton { Left = 0, Right = 1, Middle = 2, X1 = 3, X2 = 4 };

struct InputEvent {
    EventKind Kind = EventKind::MouseMove;
    TPoint Screen;
    MouseButton Button = MouseButton::Left;
    int WheelDelta = 0;
    bool Horizontal = false;
    unsigned VirtualKey = 0;
    unsigned ScanCode = 0; // 0 = derive from the virtual key
    bool Extended = false;
    char32_t Char = 0;
    NativeWindow* Window = nullptr;
    TRect Bounds;                            // BoundsChanged
    WindowState State = WindowState::Normal; // StateChanged
};

// The window system's door for input; the backend delivers events in the order they happened.
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void Deliver(const InputEvent& event) = 0;
    // Whether a window of the window system holds the mouse capture now (a menu's loop, a drag): a press
    // over a native child widget of ours is then the capture's, not the child's.
    virtual bool MouseCaptured() const { return false; }
};

enum class WaitResult {
    Event,    // something was delivered to the sink
    Deadline, // the deadline passed
    Idle,     // nothing will ever happen by itself (offscreen with no deadline): the caller regains control
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual const char* Name() const = 0;
    virtual std::vector<Monitor> Monitors() const = 0;
    virtual std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowInfo& info) = 0;
    // Stacking of the visible top-level windows, topmost first.
    virtual void Restack(const std::vector<NativeWindow*>& topToBottom) = 0;
    virtual void SetCursor(CursorShape shape) = 0;
    // Moves the pointer (SetCursorPos); the backend reports the move as an event if it does so.
    virtual void WarpPointer(TPoint screen) = 0;
    // Milliseconds since an arbitrary start; wraps as a 32-bit value.
    virtual std::uint32_t TickCount() = 0;
    // Blocks until an event has been delivered or the tick count reached deadline (if any).
    virtual WaitResult Wait(std::optional<std::uint32_t> deadline) = 0;
    // Called once by the window system when the backend is installed.
    virtual void SetSink(EventSink* sink) = 0;
    // The program's icon in every size it has: the icon of each top-level window without one of its own.
    virtual void SetProgramIcon(const std::vector<IconImage>& images) = 0;
    // The clipboard's text (UTF-8) for the edit controls. The default keeps it inside this process.
    virtual void SetClipboardText(const String& text) { FClipboardText = text; }
    virtual String GetClipboardText() { return FClipboardText; }

private:
    String FClipboardText;
};

// Installs a backend; the window system keeps it until the next SetBackend. Native windows of existing
// top-level windows are re-created on the new backend.
void SetBackend(std::unique_ptr<Backend> backend);
// The active backend; on first use without SetBackend, the one named by KALVENOR_BACKEND (default
// "offscreen") is created through its registered factory.
Backend& GetBackend();
// True once a backend is installed (GetBackend would not create one).
bool HasBackend();
// Backends register a factory by name (the offscreen backend is always available).
void RegisterBackendFactory(const String& name, std::function<std::unique_ptr<Backend>()> factory);

// Defined by the offscreen backend.
std::unique_ptr<Backend> CreateOffscreenBackend();

// ---- A wake-up from outside the GUI thread
// One for the whole process, given by a signal handler or another thread to end a Wait (the window
// system's win::WakeQueue gives it). Each backend watches WakeUpFd while it waits: a pending wake-up ends
// the wait as an Event, without moving the clock, and the backend empties it with TakeWakeUp.
// WakeUpFd makes the eventfd at its first call, on the GUI thread (each backend asks for it when it is
// made); -1 when the system refuses one. WakeUp is async-signal-safe (a write); before the eventfd exists
// it wakes nothing.
int WakeUpFd();
void WakeUp();
// Empties a pending wake-up; true if there was one.
bool TakeWakeUp();
// Whether a wake-up may be pending, without a system call: a backend that looks at every wait rather
// than polling the eventfd asks this first (a true answer may find nothing to take; a false one is sure).
bool WakeUpMayBePending();

} // namespace backend
