// The timer component and the hidden utility window it ticks on.

#include "platform/vcl/Timer.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/vcl/Application.h"

namespace vcl {

namespace {

constexpr const char* kUtilClass = "TPUtilWindow";
constexpr win::UINT_PTR kTimerId = 1;

void RegisterUtilClass(win::WNDPROC Proc) {
    win::WNDCLASS existing{};
    if (win::GetClassInfo(nullptr, kUtilClass, &existing)) return;
    win::WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = kUtilClass;
    win::RegisterClassEx(&wc);
}

} // namespace

// ---- TUtilityWindow

TUtilityWindow::TUtilityWindow(THandler Handler) : FHandler(std::move(Handler)) {
    RegisterUtilClass(&TUtilityWindow::WndProc);
    FHandle = win::CreateWindowEx(win::WS_EX_TOOLWINDOW, kUtilClass, "", win::WS_POPUP, 0, 0, 0, 0,
                                  win::HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!FHandle) throw EOutOfResources("Cannot create the timer's window");
    win::SetWindowLongPtr(FHandle, win::GWLP_USERDATA, reinterpret_cast<win::LONG_PTR>(this));
}

TUtilityWindow::~TUtilityWindow() {
    if (FHandle && win::IsWindow(FHandle)) {
        win::SetWindowLongPtr(FHandle, win::GWLP_USERDATA, 0);
        win::DestroyWindow(FHandle);
    }
}

win::LRESULT TUtilityWindow::WndProc(win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) {
    auto* self = reinterpret_cast<TUtilityWindow*>(win::GetWindowLongPtr(h, win::GWLP_USERDATA));
    if (self && self->FHandler && m != win::WM_NCCREATE && m != win::WM_CREATE) {
        self->FHandler(m, w, l);
        if (m == win::WM_TIMER) return 0;
    }
    return win::DefWindowProc(h, m, w, l);
}

// ---- TTimer

KV_PUBLISHED(TTimer) {
    p.Bool("Enabled", &TTimer::FEnabled, &TTimer::SetEnabled, true);
    p.Int("Interval", &TTimer::FInterval, &TTimer::SetInterval, 1000);
    p.Event("OnTimer", &TTimer::OnTimer);
}
KV_REGISTER_CLASS(TTimer)

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    FWindow = std::make_unique<TUtilityWindow>(
        [this](win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) { WndProc(Msg, WParam, LParam); });
    UpdateTimer();
}

TTimer::~TTimer() {
    if (FAlive) *FAlive = false;
    FEnabled = false;
    UpdateTimer();
    FWindow.reset();
}

void TTimer::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
    if (Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (!FWindow) return;
    win::HWND h = FWindow->Handle();
    if (FRunning) {
        win::KillTimer(h, kTimerId);
        FRunning = false;
    }
    if (FEnabled && FInterval > 0 && !ComponentState().Contains(csLoading) &&
        !ComponentState().Contains(csDestroying)) {
        if (win::SetTimer(h, kTimerId, FInterval, nullptr) == 0)
            throw EOutOfResources("Not enough timers available");
        FRunning = true;
    }
}

void TTimer::WndProc(win::UINT Msg, win::WPARAM WParam, win::LPARAM) {
    if (Msg != win::WM_TIMER || WParam != kTimerId || !FRunning) return;
    // OnTimer may free this timer: note whether we still exist afterwards.
    bool alive = true;
    bool* outer = FAlive;
    FAlive = &alive;
    auto leave = [&] {
        if (alive)
            FAlive = outer;
        else if (outer)
            *outer = false;
    };
    try {
        Timer();
    } catch (win::EMessageLoopIdle&) {
        leave();
        throw;
    } catch (...) {
        // An error in OnTimer is reported, and the timer goes on ticking.
        TObject* sender = alive ? this : nullptr;
        leave();
        GetApplication()->HandleException(sender);
        return;
    }
    leave();
}

void TTimer::Timer() {
    if (!OnTimer) return;
    TNotifyEvent handler = OnTimer; // survives the timer being freed by it
    handler(this);
}

} // namespace vcl
