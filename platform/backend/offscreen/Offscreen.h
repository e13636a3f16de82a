#pragma once
// The offscreen backend: no display; a configurable screen, window images only, input injected by tests
// through the real queue, a virtual clock that tests advance, and PNG pictures of windows and the screen.
//
// Waiting: the clock only moves when told. A message loop that waits with a timer pending jumps the clock
// to that timer; with nothing pending it reports "idle", and the window system then calls its idle handler
// (win::SetIdleHandler: the test's modal driver) or raises win::EMessageLoopIdle, so a test never hangs.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/win/WinTypes.h"

namespace offscreen {

using backend::Monitor;
using backend::MouseButton;
using vcl::String;

class OffscreenWindow;

class OffscreenBackend : public backend::Backend {
public:
    // One 1024 by 768 monitor with a 30-pixel task bar at the bottom, unless given.
    explicit OffscreenBackend(std::vector<Monitor> monitors = {});
    ~OffscreenBackend() override;

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

    // ---- Input, through the window system's queue (messages are made when they are retrieved)
    void MoveMouse(int x, int y);
    void Press(MouseButton button = MouseButton::Left);
    void Release(MouseButton button = MouseButton::Left);
    void Click(int x, int y, MouseButton button = MouseButton::Left);
    void Wheel(int delta, bool horizontal = false);
    void KeyDown(unsigned vk, bool extended = false);
    void KeyUp(unsigned vk, bool extended = false);
    void PressKey(unsigned vk);
    // Types UTF-8 text: keys of the US layout where there are keys (with Shift as needed), else
    // character packets (VK_PACKET) that become WM_CHAR with the character.
    void TypeText(const String& utf8);
    // The window manager's close button on a top-level window, and the application losing the focus.
    void RequestClose(win::HWND window);
    void DeactivateApp();

    // ---- Time and the queue
    // Retrieves and dispatches everything that is there now (messages, input, paint, due timers).
    static void ProcessMessages();
    // Moves the clock by ms, firing the timers that come due on the way, in order, each at its time.
    void Advance(std::uint32_t ms);

    // ---- Pictures
    // The screen as composed now: windows bottom to top with their shapes, constant alpha, colour keys
    // and per-pixel alpha, over the desktop colour. The caller destroys the surface.
    cairo_surface_t* ComposeScreen() const;
    // One pixel of the composed screen (0x00BBGGRR).
    win::COLORREF ScreenPixel(int x, int y) const;
    // One pixel of a top-level window's image, window coordinates (0x00BBGGRR).
    win::COLORREF WindowPixel(win::HWND window, int x, int y) const;
    bool WriteWindowPng(win::HWND window, const String& path) const;
    bool WriteScreenPng(const String& path) const;
    // What a task bar would show for a top-level window: its title, and its own icon (empty = the
    // program's icon, ProgramIcon).
    String WindowTitle(win::HWND window) const;
    std::vector<backend::IconImage> WindowIcon(win::HWND window) const;
    const std::vector<backend::IconImage>& ProgramIcon() const { return programIcon_; }

private:
    friend class OffscreenWindow;
    void Deliver(const backend::InputEvent& ev);
    const OffscreenWindow* Native(win::HWND window) const;
    std::vector<Monitor> monitors_;
    std::vector<OffscreenWindow*> windows_; // all, any order
    std::vector<OffscreenWindow*> stack_;   // visible, topmost first
    backend::EventSink* sink_ = nullptr;
    backend::CursorShape cursor_ = backend::CursorShape::Arrow;
    std::uint32_t now_ = 10000;
    vcl::TPoint pointer_{};
    std::vector<backend::IconImage> programIcon_;
};

// The active backend as the offscreen one (installing it if no backend is active yet); raises if another
// backend is active.
OffscreenBackend& Offscreen();

} // namespace offscreen
