// A wake-up given by another thread ends the GTK main loop's wait at once: the loop, waiting with nothing
// due but a far timer, retrieves the wake-up's message, not the timer's.

#include <chrono>
#include <thread>

#include "GtkAppFixture.h"
#include "platform/vcl/Timer.h"

namespace {

using namespace win;

class GtkWakeUp : public gtktest::GtkAppTest {};

TEST_F(GtkWakeUp, AWakeUpFromAnotherThreadEndsTheWait) {
    if (IsSkipped()) return;
    constexpr UINT WM_WOKEN = WM_APP + 9;
    vcl::TUtilityWindow window([](UINT, WPARAM, LPARAM) {});
    SetWakeMessage(window.Handle(), WM_WOKEN);
    SetTimer(window.Handle(), 1, 10000, nullptr);
    std::thread waker([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        WakeQueue();
    });
    MSG m{};
    // The display's own messages may come first; the timer's means the wake-up was missed.
    while (GetMessage(&m, nullptr, 0, 0) && m.message != WM_WOKEN && m.message != WM_TIMER)
        DispatchMessage(&m);
    waker.join();
    EXPECT_EQ(m.message, WM_WOKEN);
    SetWakeMessage(nullptr, 0);
}

} // namespace
