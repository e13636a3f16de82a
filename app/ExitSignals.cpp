#include "app/ExitSignals.h"

#include <atomic>
#include <cerrno>
#include <csignal>

#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Menu.h"

namespace ExitSignals {

namespace {

// Touched by the handler, in whichever thread the signal lands: lock-free atomics only.
std::atomic<int> g_received{0};
std::atomic<int> g_first{0};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int Handled[] = {SIGTERM, SIGINT};
struct sigaction g_previous[2];
bool g_installed = false;

extern "C" void OnSignal(int Signal) {
    const int savedErrno = errno;
    int none = 0;
    g_first.compare_exchange_strong(none, Signal);
    if (g_received.fetch_add(1) + 1 >= 3) {
        // Two requests went unanswered: the loop is not running. The signal, blocked while its handler
        // runs, comes again with its default action as soon as the handler returns.
        std::signal(Signal, SIG_DFL);
        std::raise(Signal);
    }
    errno = savedErrno;
}

} // namespace

void Install() {
    g_received = 0;
    g_first = 0;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // The system calls a signal interrupts start again (reading the settings, writing the page copy). The
    // loop's wait does not, and nothing depends on it: the watch looks at the count within a tick,
    // whichever thread the signal landed in.
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 2; ++i)
        sigaction(Handled[i], &action, g_installed ? nullptr : &g_previous[i]);
    g_installed = true;
}

void Uninstall() {
    if (!g_installed) return;
    for (int i = 0; i < 2; ++i)
        sigaction(Handled[i], &g_previous[i], nullptr);
    g_installed = false;
}

int Received() {
    return g_received;
}

int ExitStatus(int Normal) {
    const int first = g_first;
    return first ? 128 + first : Normal;
}

TExitWatch::TExitWatch(vcl::TComponent* AOwner) : vcl::TTimer(AOwner) {
    SetInterval(PollInterval);
}

void TExitWatch::Timer() {
    using namespace vcl;
    const int received = Received();
    if (received == 0 || Application->Terminated()) return;
    // What runs a loop of its own ends first: the main window's close cannot end the program while a
    // nested loop runs above the main one. A modal form shown after this one (the login dialog that a
    // failed sign-in's box leads to) is cancelled at the next tick.
    if (win::EndMenu()) return;
    bool modal = false;
    for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (TCustomForm* form = Screen->Forms(i); form->FormState().Contains(fsModal)) {
            form->Close(); // a modal form's close is its cancel
            modal = true;
        }
    if (modal || FAnswered >= received) return;
    // One close request for each signal, one a tick: the second one closes while the first one's
    // sign-out waits for the service.
    ++FAnswered;
    if (TCustomForm* main = Application->MainForm())
        main->Close();
    else
        Application->Terminate();
}

} // namespace ExitSignals
