// The leak canary: run on its own (the gtk_leak_canary test), it leaks from inside a GLib callback and
// expects LeakSanitizer to report it, so that the suppressions for GTK's own allocations are known not
// to hide ours.

#include <glib.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void* volatile gLost = nullptr;

gboolean LeakCanaryIdle(gpointer done) {
    gLost = std::malloc(77);
    gLost = nullptr; // the only pointer is gone: a real leak
    *static_cast<bool*>(done) = true;
    return G_SOURCE_REMOVE;
}

} // namespace

TEST(LeakCanary, OurLeakInsideAGLibCallbackIsReported) {
    const char* on = std::getenv("KALVENOR_GTK_LEAK_CANARY");
    if (!on || std::string(on) != "1") GTEST_SKIP() << "runs only as the leak canary";
    bool done = false;
    g_idle_add(LeakCanaryIdle, &done);
    while (!done)
        g_main_context_iteration(nullptr, TRUE);
    EXPECT_TRUE(done);
}
