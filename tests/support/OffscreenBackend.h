#pragma once
// The offscreen backend as the tests drive it: input through the window system's real queue, the
// virtual clock, and pictures of windows and the screen.

#include "platform/backend/offscreen/Offscreen.h"

namespace offscreen {

class OffscreenBackend : public OffscreenDisplay {
public:
    using OffscreenDisplay::OffscreenDisplay;

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
    // The window manager moving or sizing a top-level window by its own means (screen coordinates).
    void WindowManagerMoves(win::HWND window, const vcl::TRect& bounds);

    // ---- Time and the queue
    // Retrieves and dispatches everything that is there now (messages, input, paint, due timers).
    static void ProcessMessages();
    // Moves the clock by ms, firing the timers that come due on the way, in order, each at its time.
    void Advance(std::uint32_t ms);

    // ---- Pictures
    // One pixel of the composed screen (0x00BBGGRR).
    win::COLORREF ScreenPixel(int x, int y) const;
    // One pixel of a top-level window's image, window coordinates (0x00BBGGRR).
    win::COLORREF WindowPixel(win::HWND window, int x, int y) const;
    bool WriteWindowPng(win::HWND window, const String& path) const;
    bool WriteScreenPng(const String& path) const;
};

// The active backend as the tests' offscreen one (installing one if no backend is active yet); raises if
// another backend is active.
OffscreenBackend& Offscreen();

} // namespace offscreen
