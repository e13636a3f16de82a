// Window subclassing and hooks held for a while.

#include "platform/win/Subclass.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/win/WindowInternal.h"

namespace win {

namespace {
// Every attached WindowSubclass, oldest first.
std::vector<WindowSubclass*>& Registry() {
    static auto* r = new std::vector<WindowSubclass*>;
    return *r;
}
} // namespace

namespace detail {
std::vector<std::string> LiveSubclasses() {
    std::vector<std::string> out;
    for (const WindowSubclass* s : Registry()) {
        if (!IsWindow(s->Window())) continue; // a window gone takes its subclassing along
        char buf[64];
        std::snprintf(buf, sizeof buf, "subclassing of window %#zx",
                      reinterpret_cast<std::uintptr_t>(s->Window()));
        out.emplace_back(buf);
    }
    return out;
}
} // namespace detail

void WindowSubclass::Register() {
    Registry().push_back(this);
}

void WindowSubclass::Unregister() {
    auto& r = Registry();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
}

WindowSubclass::WindowSubclass(WindowSubclass&& other) noexcept {
    *this = std::move(other);
}

WindowSubclass& WindowSubclass::operator=(WindowSubclass&& other) noexcept {
    if (this == &other) return *this;
    Detach();
    Window_ = std::exchange(other.Window_, nullptr);
    Proc_ = std::exchange(other.Proc_, nullptr);
    Previous_ = std::exchange(other.Previous_, nullptr);
    if (Window_) {
        other.Unregister();
        Register();
    }
    return *this;
}

bool WindowSubclass::Attach(HWND window, WNDPROC proc) {
    Detach();
    if (!proc || !IsWindow(window)) return false;
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(window, GWLP_WNDPROC));
    SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    Window_ = window;
    Proc_ = proc;
    Previous_ = previous;
    Register();
    return true;
}

void WindowSubclass::Detach() {
    if (!Window_) return;
    // Only our own procedure is replaced. When another subclassing came after ours, the window keeps its
    // procedure; a helper that chains to ours is made to chain past it instead.
    if (IsWindow(Window_) && reinterpret_cast<WNDPROC>(GetWindowLongPtr(Window_, GWLP_WNDPROC)) == Proc_)
        SetWindowLongPtr(Window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous_));
    else
        for (WindowSubclass* later : Registry())
            if (later != this && later->Window_ == Window_ && later->Previous_ == Proc_)
                later->Previous_ = Previous_;
    Unregister();
    Window_ = nullptr;
    Proc_ = Previous_ = nullptr;
}

LRESULT WindowSubclass::CallPrevious(HWND h, UINT msg, WPARAM wp, LPARAM lp) const {
    return Previous_ ? CallWindowProc(Previous_, h, msg, wp, lp) : DefWindowProc(h, msg, wp, lp);
}

WindowSubclass* WindowSubclass::Of(HWND window, WNDPROC proc) {
    auto& r = Registry();
    // The newest first: a procedure used twice on one window finds the innermost call's helper last.
    for (auto it = r.rbegin(); it != r.rend(); ++it)
        if ((*it)->Window_ == window && (*it)->Proc_ == proc) return *it;
    return nullptr;
}

WindowsHook::WindowsHook(WindowsHook&& other) noexcept : Handle_(std::exchange(other.Handle_, nullptr)) {}

WindowsHook& WindowsHook::operator=(WindowsHook&& other) noexcept {
    if (this != &other) {
        Remove();
        Handle_ = std::exchange(other.Handle_, nullptr);
    }
    return *this;
}

bool WindowsHook::Set(int kind, HOOKPROC proc) {
    Remove();
    Handle_ = SetWindowsHookEx(kind, proc, nullptr, GetCurrentThreadId());
    return Handle_ != nullptr;
}

void WindowsHook::Remove() {
    if (Handle_) UnhookWindowsHookEx(std::exchange(Handle_, nullptr));
}

} // namespace win
