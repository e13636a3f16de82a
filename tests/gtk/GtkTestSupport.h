#pragma once
// Helpers for the tests that run on a real X server (Xvfb): the screen's pixels and pictures, the X window
// of a native window, real input through xdotool, and a recording event sink. No GTK header here, so that
// the window system's headers can be included beside it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/rtl/Colors.h"

namespace gtktest {

// Runs "xdotool <args>"; true when it succeeded.
bool Xdo(const std::string& args);
// A step of a script that runs "xdotool <args>" (failing the test when it does not succeed) and is done.
std::function<bool()> XdoStep(const std::string& args);
// A screen point as xdotool takes it: "x y".
std::string At(vcl::TPoint p);
// A colour of ours as the screen shows it (0xRRGGBB).
std::uint32_t Rgb(vcl::TColor c);
// The X window id of a native window of the GTK backend (0 before it is realized).
unsigned long XidOf(backend::NativeWindow* window);
// The screen's pixel at (x, y) as 0xRRGGBB, read back from the root window.
std::uint32_t ScreenPixel(int x, int y);
// The screen's pixels in the rectangle (x, y, w, h), row by row, as 0xRRGGBB; empty when the rectangle
// is not on the screen.
std::vector<std::uint32_t> ScreenPixels(int x, int y, int w, int h);
// Writes the rectangle of the screen to a PNG file; false when it could not be read or written.
bool WriteScreenPng(int x, int y, int w, int h, const std::string& path);
// Runs the GLib main loop without waiting (and lets the X server catch up) for about ms milliseconds.
void Pump(int ms);
// Pumps until pred holds or timeoutMs passed; returns pred().
bool PumpUntil(const std::function<bool()>& pred, int timeoutMs);
// Pumps until the screen's pixel at (x, y) is rgb (0xRRGGBB) or timeoutMs passed; returns the last value.
std::uint32_t WaitForPixel(int x, int y, std::uint32_t rgb, int timeoutMs);
// The root window's X id (focus there = another program has the keyboard).
unsigned long RootXid();
// Whether the keyboard's Caps Lock is on.
bool CapsLockOn();
// Whether a display is there (the tests under xvfb-run have one).
bool HaveDisplay();
// Whether a window manager runs on it (one that announces itself, as tests/support/with-window-manager
// starts).
bool HaveWindowManager();
// What a shell command prints on its standard output.
std::string Output(const std::string& command);
// The X server's keyboard layout, as setxkbmap names it ("us", "us,ru"); empty when it tells none.
std::string KeyboardLayout();
// What "xprop -id <xid> <arguments>" prints (empty when it fails).
std::string XProp(unsigned long xid, const std::string& arguments);
// Asks the window manager for something about a window, as a pager, a key binding or a tiling tool does:
// a client message of the given type (_NET_WM_STATE, _NET_MOVERESIZE_WINDOW, ...) sent to the root window.
// The X atom of a name, as a client message carries it.
long XAtom(const char* name);
bool SendToWindowManager(unsigned long xid, const char* type, const std::vector<long>& data);
// Whether the window manager holds the window maximised (both maximised atoms in its _NET_WM_STATE).
bool WindowManagerMaximized(unsigned long xid);
// Where the X server has the window (screen coordinates; empty when it cannot tell).
vcl::TRect XGeometry(unsigned long xid);

// A window of one colour that is not the window system's: a native child widget laid over a rectangle of
// a window of ours (window coordinates), as the browser's view lies over its control, or a top-level X
// window of its own (screen coordinates), as another program's. It takes the pointer's events itself.
class ForeignWindow {
public:
    static std::unique_ptr<ForeignWindow> Over(backend::NativeWindow* window, const vcl::TRect& rect,
                                               std::uint32_t rgb);
    static std::unique_ptr<ForeignWindow> TopLevel(const vcl::TRect& rect, std::uint32_t rgb);
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    // From now on the widget leaves what an exposure asks of it unpainted, as the browser's view does: what
    // the window under it paints there shows instead.
    void StopPainting() { FPainting = false; }

private:
    ForeignWindow() = default;
    void* FWidget = nullptr; // cleared when the widget goes with the window it lies in
    vcl::TRect FRect;
    std::uint32_t FRgb = 0;
    bool FPainting = true;
};

// Records the X server's exposures of a native window of ours (window coordinates) while it lives: what
// the server asks the window to paint again because something that covered it went.
class ExposeRecorder {
public:
    explicit ExposeRecorder(backend::NativeWindow* window);
    ~ExposeRecorder();
    ExposeRecorder(const ExposeRecorder&) = delete;
    ExposeRecorder& operator=(const ExposeRecorder&) = delete;
    std::vector<vcl::TRect> Rects;

private:
    void* FWindow = nullptr; // the GdkWindow
};

class RecordingSink : public backend::EventSink {
public:
    void Deliver(const backend::InputEvent& event) override { Events.push_back(event); }
    std::vector<backend::InputEvent> Of(backend::EventKind kind) const;
    std::vector<backend::InputEvent> Events;
};

// Waits on the backend (as the window system does) until pred holds or timeoutMs passed.
bool WaitUntil(backend::Backend& b, const std::function<bool()>& pred, int timeoutMs);

} // namespace gtktest
