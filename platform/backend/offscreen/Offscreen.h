#pragma once
// The offscreen backend: no display; a configurable screen, window images only, input handed to the
// window system's queue as a display would, and a virtual clock. The tests drive it through
// tests/support/OffscreenBackend.h (input, the clock, pictures).
//
// Waiting: the clock only moves when told. A message loop that waits with a timer pending jumps the clock
// to that timer; with nothing pending it reports "idle", and the window system then calls its idle handler
// (win::SetIdleHandler: the test's modal driver) or raises win::EMessageLoopIdle, so a test never hangs.
// A pending wake-up (backend::WakeUp, from a signal handler) ends the wait first, the clock unmoved.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/win/WinTypes.h"

namespace offscreen {

using backend::Monitor;
using backend::MouseButton;
using vcl::String;

class OffscreenWindow;

class OffscreenDisplay : public backend::Backend {
public:
    // One 1024 by 768 monitor with a 30-pixel task bar at the bottom, unless given.
    explicit OffscreenDisplay(std::vector<Monitor> monitors = {});
    ~OffscreenDisplay() override;

    const char* Name() const override { return "offscreen"; }
    std::vector<Monitor> Monitors() const override { return monitors_; }
    std::unique_ptr<backend::NativeWindow> CreateNativeWindow(const backend::NativeWindowInfo& info) override;
    void Restack(const std::vector<backend::NativeWindow*>& topToBottom) override;
    void SetCursor(backend::CursorShape shape) override { cursor_ = shape; }
    void WarpPointer(vcl::TPoint screen) override { pointer_ = screen; }
    std::uint32_t TickCount() override { return now_; }
    backend::WaitResult Wait(std::optional<std::uint32_t> deadline) override;
    void SetSink(backend::EventSink* sink) override { sink_ = sink; }
    void SetProgramIcon(const std::vector<backend::IconImage>& images) override { programIcon_ = images; }

    // ---- The screen
    void SetMonitors(std::vector<Monitor> monitors);
    backend::CursorShape Cursor() const { return cursor_; }
    vcl::TPoint Pointer() const { return pointer_; }

    // ---- Input: hands an event to the window system's queue (messages are made when they are retrieved).
    // The pointer's events over a window not ours go to that window instead, as on a display: the first
    // becomes MouseLeave, the rest are not seen. A button pressed over ours keeps the pointer's events
    // coming here until it is released (the pointer's implicit grab), and its release over a window not
    // ours is followed by MouseLeave.
    void Deliver(const backend::InputEvent& ev);
    // Native windows not ours, over every window of ours (another program's, a native child widget such as
    // a browser's view): their rectangles in screen coordinates. None by default.
    void SetForeignWindows(std::vector<vcl::TRect> rects) { foreign_ = std::move(rects); }
    // Native child widgets of ours (a browser's view): as windows not ours to the pointer, except that
    // while the window system holds the mouse capture a press over one, and its release, are the
    // capture's and come here. None by default.
    void SetNativeChildren(std::vector<vcl::TRect> rects) { children_ = std::move(rects); }
    // ---- The clock: sets the tick count (it never goes back by itself).
    void SetTickCount(std::uint32_t now) { now_ = now; }

    // ---- What the screen shows
    // The windows bottom to top with their shapes, constant alpha, colour keys and per-pixel alpha, over
    // the desktop colour. The caller destroys the surface.
    cairo_surface_t* ComposeScreen() const;
    // The same for a part of the screen only (screen coordinates, inside the monitors): the surface is the
    // part's size, its pixel (0, 0) the part's top-left corner.
    cairo_surface_t* ComposeScreen(const vcl::TRect& part) const;
    // An ARGB32 copy of a window image (or of the part of it given, in image coordinates, inside the image)
    // as the screen shows it: opaque unless per-pixel alpha, colour-keyed pixels transparent. The caller
    // destroys the surface.
    static cairo_surface_t* Visible(cairo_surface_t* image, bool perPixel, std::optional<std::uint32_t> key,
                                    const vcl::TRect* part = nullptr);
    // What a task bar would show for a top-level window: its title, and its own icon (empty = the
    // program's icon, ProgramIcon).
    String WindowTitle(win::HWND window) const;
    std::vector<backend::IconImage> WindowIcon(win::HWND window) const;
    // The smallest and largest size a window manager would keep a top-level window to (zero: no limit).
    std::pair<vcl::TSize, vcl::TSize> WindowSizeLimits(win::HWND window) const;
    const std::vector<backend::IconImage>& ProgramIcon() const { return programIcon_; }
    // Text input as an input method would see it: where the window's caret is (window coordinates, none
    // without a caret), and how often a composition was dropped because the focus moved inside it.
    std::optional<vcl::TRect> TextCaret(win::HWND window) const;
    int TextInputResets(win::HWND window) const;

private:
    friend class OffscreenWindow;
    const OffscreenWindow* Native(win::HWND window) const;
    std::vector<Monitor> monitors_;
    std::vector<OffscreenWindow*> windows_; // all, any order
    std::vector<OffscreenWindow*> stack_;   // visible, topmost first
    backend::EventSink* sink_ = nullptr;
    backend::CursorShape cursor_ = backend::CursorShape::Arrow;
    std::uint32_t now_ = 10000;
    vcl::TPoint pointer_{};
    std::vector<vcl::TRect> foreign_;
    std::vector<vcl::TRect> children_;
    unsigned heldButtons_ = 0; // pressed over a window of ours, bit per backend::MouseButton
    bool away_ = false;        // the pointer is over a window not ours
    std::vector<backend::IconImage> programIcon_;
};

} // namespace offscreen
