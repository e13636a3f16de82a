// A stand-in for the browser engine's module (KALVENOR_WEBKIT_MODULE) that loads slowly, for the start-up
// freeze test (startup_freeze_e2e.py). Its initialiser does what libsoup's does while the loader runs it,
// over a long time instead of a moment: it holds the loader's lock, then looks a symbol up through GModule.
// A program that loads it with plain dlopen while its GTK thread looks a symbol up through GModule (as GTK
// does at the first pointer event over a window) freezes: each thread waits for the lock the other holds.
//
// It says "slow-engine-module: loading" on standard error as its initialiser starts and
// "slow-engine-module: loaded" as it ends. It has no engine entry: the program that loads it can show
// its login dialog and end, but not show a page.

#include <gmodule.h>
#include <unistd.h>

#include <cstdio>

namespace {

// How long the initialiser holds the loader's lock: long enough for a test to move the pointer over the
// login dialog meanwhile.
constexpr unsigned kHoldMicroseconds = 1500 * 1000;

[[gnu::constructor]] void LoadSlowly() {
    std::fprintf(stderr, "slow-engine-module: loading\n");
    std::fflush(stderr);
    usleep(kHoldMicroseconds);
    if (GModule* self = g_module_open(nullptr, static_cast<GModuleFlags>(0))) {
        gpointer symbol = nullptr;
        g_module_symbol(self, "g_module_open", &symbol);
        g_module_close(self);
    }
    std::fprintf(stderr, "slow-engine-module: loaded\n");
    std::fflush(stderr);
}

} // namespace
