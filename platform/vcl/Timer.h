#pragma once
// TTimer: a component that raises OnTimer every Interval milliseconds while it is Enabled and has an
// Interval above 0. It runs on a window timer of a hidden utility window of its
// own, so it ticks in any message loop (the main loop, ShowModal, a message box). A timer may be freed,
// disabled or re-timed from its own OnTimer.

#include <memory>

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Events.h"
#include "platform/win/Windows.h"

namespace vcl {

// A hidden window whose messages go to a method (the framework's AllocateHWnd).
class TUtilityWindow {
public:
    using THandler = std::function<void(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam)>;
    explicit TUtilityWindow(THandler Handler);
    ~TUtilityWindow();
    TUtilityWindow(const TUtilityWindow&) = delete;
    TUtilityWindow& operator=(const TUtilityWindow&) = delete;
    win::HWND Handle() const { return FHandle; }

private:
    static win::LRESULT WndProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
    win::HWND FHandle = nullptr;
    THandler FHandler;
};

class TTimer : public TComponent {
    KV_CLASS(TTimer, TComponent)
    KV_PUBLISHED_PROPERTIES(TTimer)
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    TNotifyEvent OnTimer;

    // True while the window timer runs (Enabled with an Interval above 0, outside layout reading).
    bool Running() const { return FRunning; }

protected:
    virtual void Timer();
    void Loaded() override;

private:
    void UpdateTimer();
    void WndProc(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    bool FRunning = false;
    std::unique_ptr<TUtilityWindow> FWindow;
    // Set while OnTimer runs; the destructor clears *FAlive so the tick knows the timer is gone.
    bool* FAlive = nullptr;
};

} // namespace vcl
