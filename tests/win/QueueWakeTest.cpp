// Waking the queue from a signal handler: one message for the wake-ups before it is retrieved, ahead of
// any timer and with the virtual clock unmoved, for the window registered, and for no window once it is gone.

#include <csignal>

#include "platform/backend/Backend.h"
#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

constexpr UINT WM_WOKEN = WM_APP + 7;

extern "C" void WakeFromHandler(int) {
    WakeQueue();
}

class QueueWake : public WinTest {};

TEST_F(QueueWake, WakeUpsFromASignalHandlerBecomeOneMessageBeforeAnyTimer) {
    struct sigaction action {};
    struct sigaction previous {};
    action.sa_handler = WakeFromHandler;
    sigaction(SIGUSR1, &action, &previous);
    HWND h = Top(0, 0, 10, 10);
    SetTimer(h, 1, 5000, nullptr);
    const DWORD before = GetTickCount();
    std::raise(SIGUSR1); // before anyone listens, as a signal while the program starts
    std::raise(SIGUSR1);
    MSG m;
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    SetWakeMessage(h, WM_WOKEN);
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_WOKEN);
    EXPECT_EQ(m.hwnd, h);
    EXPECT_EQ(GetTickCount(), before);
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_TIMER) << "two wake-ups, two messages";
    // A window gone hears nothing.
    DestroyWindow(h);
    std::raise(SIGUSR1);
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    SetWakeMessage(nullptr, 0);
    sigaction(SIGUSR1, &previous, nullptr);
}

// The offscreen backend's wait ends on a pending wake-up where the clock stands, and takes it.
TEST_F(QueueWake, TheOffscreenWaitEndsOnAWakeUpWithoutMovingTheClock) {
    const std::uint32_t now = screen->TickCount();
    backend::WakeUp();
    EXPECT_EQ(screen->Wait(now + 1000), backend::WaitResult::Event);
    EXPECT_EQ(screen->TickCount(), now);
    EXPECT_EQ(screen->Wait(now + 1000), backend::WaitResult::Deadline);
    EXPECT_EQ(screen->TickCount(), now + 1000);
    backend::WakeUp();
    EXPECT_EQ(screen->Wait(std::nullopt), backend::WaitResult::Event) << "a wake-up is not idleness";
}

} // namespace
} // namespace wintest
