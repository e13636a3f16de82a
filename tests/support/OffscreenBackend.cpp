// The offscreen backend as the tests drive it.

#include "tests/support/OffscreenBackend.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"
#include "platform/win/WindowInternal.h"

namespace offscreen {

namespace {

win::COLORREF PixelAt(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) || y >= cairo_image_surface_get_height(s))
        return 0xFFFFFFFF; // CLR_INVALID
    auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(s) +
                                                       y * cairo_image_surface_get_stride(s));
    std::uint32_t p = row[x];
    return win::RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

backend::InputEvent Event(backend::EventKind kind, vcl::TPoint at = {}) {
    backend::InputEvent ev;
    ev.Kind = kind;
    ev.Screen = at;
    return ev;
}

} // namespace

void OffscreenBackend::MoveMouse(int x, int y) {
    WarpPointer(vcl::TPoint{x, y});
    Deliver(Event(backend::EventKind::MouseMove, Pointer()));
}

void OffscreenBackend::Press(MouseButton b) {
    backend::InputEvent ev = Event(backend::EventKind::ButtonDown, Pointer());
    ev.Button = b;
    Deliver(ev);
}

void OffscreenBackend::Release(MouseButton b) {
    backend::InputEvent ev = Event(backend::EventKind::ButtonUp, Pointer());
    ev.Button = b;
    Deliver(ev);
}

void OffscreenBackend::Click(int x, int y, MouseButton b) {
    MoveMouse(x, y);
    Press(b);
    Release(b);
}

void OffscreenBackend::Wheel(int delta, bool horizontal) {
    backend::InputEvent ev = Event(backend::EventKind::Wheel, Pointer());
    ev.WheelDelta = delta;
    ev.Horizontal = horizontal;
    Deliver(ev);
}

void OffscreenBackend::KeyDown(unsigned vk, bool extended) {
    backend::InputEvent ev = Event(backend::EventKind::KeyDown);
    ev.VirtualKey = vk;
    ev.Extended = extended;
    Deliver(ev);
}

void OffscreenBackend::KeyUp(unsigned vk, bool extended) {
    backend::InputEvent ev = Event(backend::EventKind::KeyUp);
    ev.VirtualKey = vk;
    ev.Extended = extended;
    Deliver(ev);
}

void OffscreenBackend::PressKey(unsigned vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void OffscreenBackend::TypeText(const String& text) {
    using namespace win::detail;
    for (size_t i = 0; i < text.size();) {
        char32_t cp = vcl::Utf8Next(text, i);
        auto key = KeyForChar(cp);
        if (key) {
            bool shift = key->second;
            // Caps Lock turns letters round, so Shift is used the other way.
            if (key->first >= 'A' && key->first <= 'Z' && (S().AsyncKeys[win::VK_CAPITAL] & 1))
                shift = !shift;
            bool held = S().AsyncKeys[win::VK_SHIFT] & 0x80;
            if (shift && !held) KeyDown(win::VK_SHIFT);
            if (!shift && held) KeyUp(win::VK_SHIFT);
            PressKey(key->first);
            if (shift && !held) KeyUp(win::VK_SHIFT);
            if (!shift && held) KeyDown(win::VK_SHIFT);
            continue;
        }
        backend::InputEvent ev;
        ev.Kind = backend::EventKind::KeyDown;
        ev.VirtualKey = win::VK_PACKET;
        ev.Char = cp;
        Deliver(ev);
        ev.Kind = backend::EventKind::KeyUp;
        Deliver(ev);
    }
}

void OffscreenBackend::RequestClose(win::HWND window) {
    win::detail::Wnd* w = win::detail::W(window);
    if (!w || !w->Native) return;
    backend::InputEvent ev;
    ev.Kind = backend::EventKind::CloseRequest;
    ev.Window = w->Native.get();
    Deliver(ev);
}

void OffscreenBackend::WindowManagerMoves(win::HWND window, const vcl::TRect& bounds) {
    win::detail::Wnd* w = win::detail::W(window);
    if (!w || !w->Native) return;
    backend::InputEvent ev;
    ev.Kind = backend::EventKind::BoundsChanged;
    ev.Window = w->Native.get();
    ev.Bounds = bounds;
    Deliver(ev);
}

void OffscreenBackend::DeactivateApp() {
    backend::InputEvent ev;
    ev.Kind = backend::EventKind::Deactivate;
    Deliver(ev);
}

void OffscreenBackend::ProcessMessages() {
    win::MSG m;
    while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE)) {
        if (m.message == win::WM_QUIT) {
            win::PostQuitMessage(static_cast<int>(m.wParam)); // left for the program's own loop
            return;
        }
        win::TranslateMessage(&m);
        win::DispatchMessage(&m);
    }
}

void OffscreenBackend::Advance(std::uint32_t ms) {
    std::uint32_t target = TickCount() + ms;
    ProcessMessages();
    for (;;) {
        auto d = win::detail::NextDeadline();
        if (!d || static_cast<std::int32_t>(*d - target) > 0) break;
        if (static_cast<std::int32_t>(*d - TickCount()) > 0) SetTickCount(*d);
        ProcessMessages();
        if (win::detail::S().QuitPending) break;
    }
    SetTickCount(target);
    ProcessMessages();
}

win::COLORREF OffscreenBackend::ScreenPixel(int x, int y) const {
    const std::vector<Monitor> monitors = Monitors();
    vcl::TRect u = monitors.front().Bounds;
    for (const auto& m : monitors)
        u = {std::min(u.Left, m.Bounds.Left), std::min(u.Top, m.Bounds.Top),
             std::max(u.Right, m.Bounds.Right), std::max(u.Bottom, m.Bounds.Bottom)};
    if (x < u.Left || y < u.Top || x >= u.Right || y >= u.Bottom) return 0xFFFFFFFF; // CLR_INVALID
    // Only the one pixel is composed.
    cairo_surface_t* s = ComposeScreen(vcl::TRect{x, y, x + 1, y + 1});
    win::COLORREF c = PixelAt(s, 0, 0);
    cairo_surface_destroy(s);
    return c;
}

win::COLORREF OffscreenBackend::WindowPixel(win::HWND window, int x, int y) const {
    win::detail::Wnd* w = win::detail::W(window);
    if (!w || !w->IsTopLevel() || !w->Surface) return 0xFFFFFFFF;
    return PixelAt(w->Surface, x, y);
}

bool OffscreenBackend::WriteWindowPng(win::HWND window, const String& path) const {
    win::detail::Wnd* w = win::detail::W(window);
    if (!w || !w->IsTopLevel() || !w->Surface) return false;
    cairo_surface_t* img = OffscreenDisplay::Visible(w->Surface, w->PerPixel, std::nullopt);
    bool ok = cairo_surface_write_to_png(img, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(img);
    return ok;
}

bool OffscreenBackend::WriteScreenPng(const String& path) const {
    cairo_surface_t* s = ComposeScreen();
    bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

OffscreenBackend& Offscreen() {
    if (!backend::HasBackend()) backend::SetBackend(std::make_unique<OffscreenBackend>());
    auto* b = dynamic_cast<OffscreenBackend*>(&backend::GetBackend());
    if (!b) throw vcl::Exception("The active display backend is not the tests' offscreen one");
    return *b;
}

} // namespace offscreen
