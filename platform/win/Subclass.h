#pragma once
// Owning a window's procedure or a hook for a while: WindowSubclass puts a procedure in front of a
// window's and gives the previous one back when it ends, but only while the window still runs its
// procedure (someone who subclassed after it keeps theirs; a helper among them chains past the ended one
// from then on). WindowsHook
// holds a thread hook and removes it when it ends. Both are move-only; while one is alive the tests' leak
// check counts it, so an object that subclasses or hooks must end its helper when it goes.

#include "platform/win/Input.h"
#include "platform/win/Window.h"

namespace win {

class WindowSubclass {
public:
    WindowSubclass() = default;
    // Puts `proc` in front of the window's procedure; Attached() is false when the window is not alive.
    WindowSubclass(HWND window, WNDPROC proc) { Attach(window, proc); }
    ~WindowSubclass() { Detach(); }
    WindowSubclass(WindowSubclass&& other) noexcept;
    WindowSubclass& operator=(WindowSubclass&& other) noexcept;
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    bool Attach(HWND window, WNDPROC proc);
    // Gives the previous procedure back when the window still runs ours; forgets the window either way.
    void Detach();
    bool Attached() const { return Window_ != nullptr; }
    HWND Window() const { return Window_; }
    WNDPROC Previous() const { return Previous_; }
    // The procedure that was in place before, for the messages ours passes on.
    LRESULT CallPrevious(HWND h, UINT msg, WPARAM wp, LPARAM lp) const;
    // The helper that subclassed `window` with `proc` (for a procedure finding its state), or null.
    static WindowSubclass* Of(HWND window, WNDPROC proc);

private:
    void Register();
    void Unregister();

    HWND Window_ = nullptr;
    WNDPROC Proc_ = nullptr;
    WNDPROC Previous_ = nullptr;
};

class WindowsHook {
public:
    WindowsHook() = default;
    WindowsHook(int kind, HOOKPROC proc) { Set(kind, proc); }
    ~WindowsHook() { Remove(); }
    WindowsHook(WindowsHook&& other) noexcept;
    WindowsHook& operator=(WindowsHook&& other) noexcept;
    WindowsHook(const WindowsHook&) = delete;
    WindowsHook& operator=(const WindowsHook&) = delete;

    // Installs the hook (a held one is removed first); false when the kind or procedure is refused.
    bool Set(int kind, HOOKPROC proc);
    void Remove();
    HHOOK Handle() const { return Handle_; }
    LRESULT CallNext(int code, WPARAM wp, LPARAM lp) const { return CallNextHookEx(Handle_, code, wp, lp); }

private:
    HHOOK Handle_ = nullptr;
};

} // namespace win
