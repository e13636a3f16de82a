// Waking the GUI thread's queue from a signal handler or another thread: an eventfd that the backends
// watch while they wait, and a flag that the queue turns into the registered message.

#include "platform/win/QueueWake.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

#include "platform/backend/Backend.h"
#include "platform/win/Window.h"
#include "platform/win/WindowInternal.h"

namespace backend {

namespace {

// Read by signal handlers: lock-free atomics only. The flag is set after each write and cleared before
// each read, so that a write is always followed by the flag.
std::atomic<int> g_wakeFd{-1};
std::atomic<bool> g_written{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

} // namespace

int WakeUpFd() {
    int fd = g_wakeFd.load();
    if (fd < 0) {
        // Not inherited by the programs we start (the browser engine's processes).
        fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (fd >= 0) g_wakeFd.store(fd);
    }
    return fd;
}

void WakeUp() {
    const int fd = g_wakeFd.load();
    if (fd < 0) return;
    const int savedErrno = errno;
    const std::uint64_t one = 1;
    // A counter at its limit (EAGAIN) is as awake as it gets: nothing to do about a failure.
    [[maybe_unused]] const ssize_t written = ::write(fd, &one, sizeof one);
    g_written.store(true);
    errno = savedErrno;
}

bool TakeWakeUp() {
    const int fd = g_wakeFd.load();
    if (fd < 0) return false;
    std::uint64_t count = 0;
    g_written.store(false);
    return ::read(fd, &count, sizeof count) == static_cast<ssize_t>(sizeof count) && count > 0;
}

bool WakeUpMayBePending() {
    return g_written.load(std::memory_order_relaxed);
}

} // namespace backend

namespace win {

namespace {

std::atomic<bool> g_pending{false};
static_assert(std::atomic<bool>::is_always_lock_free);
// Set on the GUI thread only.
HWND g_window = nullptr;
UINT g_message = 0;

} // namespace

void SetWakeMessage(HWND hWnd, UINT Msg) {
    g_window = hWnd;
    g_message = Msg;
}

void WakeQueue() {
    // The flag before the write: a loop that the write wakes finds it set.
    g_pending.store(true);
    backend::WakeUp();
}

namespace detail {

bool WakePending() {
    return g_window && g_pending.load();
}

void PostWakeMessage() {
    // Without a window to hear it, the wake-up waits for one (SetWakeMessage). A plain read first: this
    // runs at every look at the queue.
    if (!g_window || !g_pending.load(std::memory_order_relaxed) || !g_pending.exchange(false)) return;
    if (W(g_window)) PostMessage(g_window, g_message, 0, 0);
}

} // namespace detail

} // namespace win
