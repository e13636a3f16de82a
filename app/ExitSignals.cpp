#include "app/ExitSignals.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <ctime>
#include <mutex>
#include <thread>

#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Menu.h"

namespace ExitSignals {

namespace {

// Everything the handler touches is a lock-free atomic: handlers run in whichever thread the signal
// lands in, several at once when signals land in several threads.
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<std::int64_t>::is_always_lock_free &&
              std::atomic<char>::is_always_lock_free && std::atomic<TClock>::is_always_lock_free);

// Signals counted only when they come Spacing or more after the last one counted (the first counts).
class TSpacedCount {
public:
    void Clear() {
        FCount = 0;
        FLast = None;
    }
    int Count() const { return FCount; }
    // The count with this signal when it counts, otherwise 0.
    int Add(std::int64_t Now, std::int64_t Spacing) {
        std::int64_t last = FLast.load();
        do {
            if (last != None && Now - last < Spacing) return 0;
        } while (!FLast.compare_exchange_weak(last, Now));
        return FCount.fetch_add(1) + 1;
    }

private:
    static constexpr std::int64_t None = INT64_MIN;
    std::atomic<int> FCount{0};
    std::atomic<std::int64_t> FLast{None};
};

std::atomic<int> g_received{0};
std::atomic<int> g_first{0};
TSpacedCount g_requests;
TSpacedCount g_pressing;
std::atomic<TClock> g_clock{MonotonicMilliseconds};

// The file to remove before the default: two slots, the one that the generation names is complete. The
// GUI thread writes the other one and then moves the generation on, so a handler that interrupts the
// writing reads a whole path; a handler in another thread reads again when the generation moved meanwhile.
constexpr std::size_t PathCapacity = 4096;
std::atomic<char> g_paths[2][PathCapacity];
std::atomic<unsigned> g_pathGeneration{0};

void RemoveFileNow() {
    char path[PathCapacity];
    for (int attempt = 0; attempt < 8; ++attempt) {
        const unsigned generation = g_pathGeneration.load(std::memory_order_acquire);
        const std::atomic<char>* slot = g_paths[generation % 2];
        std::size_t i = 0;
        for (; i + 1 < PathCapacity && (path[i] = slot[i].load(std::memory_order_relaxed)) != '\0'; ++i) {
        }
        path[i] = '\0';
        std::atomic_thread_fence(std::memory_order_acquire);
        if (g_pathGeneration.load(std::memory_order_relaxed) != generation) continue;
        // unlink removes no folder; a link put in the copy's place goes, not what it points to.
        if (path[0]) ::unlink(path);
        return;
    }
}

constexpr int Handled[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int HandledCount = sizeof Handled / sizeof Handled[0];
struct sigaction g_previous[HandledCount];
bool g_ours[HandledCount] = {};
bool g_installed = false;

extern "C" void OnSignal(int Signal) {
    const int savedErrno = errno;
    const std::int64_t now = g_clock.load()();
    int none = 0;
    g_first.compare_exchange_strong(none, Signal);
    g_received.fetch_add(1);
    g_requests.Add(now, SameRequestMs);
    win::WakeQueue();
    if (g_pressing.Add(now, PressingMs) >= 3) {
        // Two signals went by, each with the time to be answered, and the program still runs: its loop
        // does not answer. The signal, blocked while its handler runs, comes again with its default
        // action as soon as the handler returns.
        RemoveFileNow();
        std::signal(Signal, SIG_DFL);
        std::raise(Signal);
    }
    errno = savedErrno;
}

// The watch's message on its own window.
constexpr win::UINT WM_EXITREQUEST = win::WM_APP + 1;

sigset_t HandledSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : Handled)
        sigaddset(&set, signal);
    return set;
}

// Keeps every thread and process started after Install out of the signals (see ExitSignals.h): the
// installing thread blocks them, and the catcher, a thread that leaves them open and does nothing else, takes
// them instead, so that a signal still reaches the handler whatever the other threads block.
class TShield {
public:
    // On the installing thread, the handlers installed: a signal that comes before the catcher runs waits
    // for it.
    void Raise() {
        if (FRaised) return;
        const sigset_t handled = HandledSet();
        pthread_sigmask(SIG_BLOCK, &handled, &FBefore);
        FStop = false;
        FCatcher = std::thread([this] {
            const sigset_t handled = HandledSet();
            pthread_sigmask(SIG_UNBLOCK, &handled, nullptr);
            std::unique_lock<std::mutex> lock(FMutex);
            FStopped.wait(lock, [this] { return FStop; });
        });
        FRaised = true;
    }
    // On the installing thread, the handlers still installed: a signal blocked meanwhile reaches them.
    void Lower() {
        if (!FRaised) return;
        pthread_sigmask(SIG_SETMASK, &FBefore, nullptr);
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FStop = true;
        }
        FStopped.notify_one();
        FCatcher.join();
        FRaised = false;
    }

private:
    bool FRaised = false;
    sigset_t FBefore{};
    std::thread FCatcher;
    std::mutex FMutex;
    std::condition_variable FStopped;
    bool FStop = false;
};

TShield& Shield() {
    // Never destroyed: the program ends with the catcher still waiting.
    static TShield* shield = new TShield;
    return *shield;
}

} // namespace

std::int64_t MonotonicMilliseconds() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

void Install(TClock Clock) {
    Shield().Lower();
    g_received = 0;
    g_first = 0;
    g_requests.Clear();
    g_pressing.Clear();
    g_clock = Clock ? Clock : MonotonicMilliseconds;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // The system calls a signal interrupts start again (reading the settings, writing the page copy). The
    // loop's wait does not need to: the wake-up ends it whichever thread the signal landed in.
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < HandledCount; ++i) {
        if (!g_installed) {
            sigaction(Handled[i], nullptr, &g_previous[i]);
            // Ignored by whoever started the program (nohup, a shell's background job): left so.
            g_ours[i] = g_previous[i].sa_handler != SIG_IGN;
        }
        if (g_ours[i]) sigaction(Handled[i], &action, nullptr);
    }
    g_installed = true;
    // An ignored signal is blocked too: a process started with it blocked keeps it out whatever it does with
    // its handlers (the engine's processes do not keep nohup's SIGHUP ignored).
    Shield().Raise();
}

void Uninstall() {
    if (!g_installed) return;
    Shield().Lower();
    for (int i = 0; i < HandledCount; ++i)
        if (g_ours[i]) sigaction(Handled[i], &g_previous[i], nullptr);
    g_installed = false;
}

int Received() {
    return g_received;
}

int Requests() {
    return g_requests.Count();
}

void RemoveWhenKilled(const vcl::String& Path) {
    const std::size_t length = Path.size() < PathCapacity ? Path.size() : 0;
    const char* path = Path.c_str();
    const unsigned next = g_pathGeneration.load(std::memory_order_relaxed) + 1;
    std::atomic<char>* slot = g_paths[next % 2];
    for (std::size_t i = 0; i < length; ++i)
        slot[i].store(path[i], std::memory_order_relaxed);
    slot[length].store('\0', std::memory_order_relaxed);
    g_pathGeneration.store(next, std::memory_order_release);
}

int ExitStatus(int Normal) {
    const int first = g_first;
    return first ? 128 + first : Normal;
}

TExitWatch::TExitWatch(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {
    FWindow = std::make_unique<vcl::TUtilityWindow>([this](win::UINT Msg, win::WPARAM, win::LPARAM) {
        if (Msg == WM_EXITREQUEST) Answer();
    });
    // A signal that came before this watch is answered as soon as a loop runs.
    win::SetWakeMessage(FWindow->Handle(), WM_EXITREQUEST);
    // A modal form shown after a request (a box that a late answer of the service brings) runs a loop
    // that the main window's close cannot end: it is cancelled as it comes.
    FOuterModalBegin = vcl::Application->OnModalBegin;
    vcl::Application->OnModalBegin = [this](vcl::TObject* Sender) {
        if (FOuterModalBegin) FOuterModalBegin(Sender);
        if (Requests() > 0) AnswerAgain();
    };
}

TExitWatch::~TExitWatch() {
    vcl::Application->OnModalBegin = FOuterModalBegin;
    win::SetWakeMessage(nullptr, 0);
}

void TExitWatch::AnswerAgain() {
    win::PostMessage(FWindow->Handle(), WM_EXITREQUEST, 0, 0);
}

void TExitWatch::Answer() {
    using namespace vcl;
    const int requests = Requests();
    if (requests == 0 || Application->Terminated()) return;
    // What runs a loop of its own ends first: the main window's close cannot end the program while a
    // nested loop runs above the main one. Each step is taken from a message of its own, which the
    // next loop out retrieves once the loop this step ended has returned (a modal form shown then, such
    // as the login dialog that a failed sign-in's box leads to, is cancelled in turn).
    if (win::EndMenu()) {
        AnswerAgain();
        return;
    }
    bool modal = false;
    for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (TCustomForm* form = Screen->Forms(i); form->FormState().Contains(fsModal)) {
            form->Close(); // a modal form's close is its cancel, which always ends its loop
            modal = true;
        }
    if (modal) {
        AnswerAgain();
        return;
    }
    if (FAnswered >= requests) return;
    // One close request for each request: the second one closes while the first one's sign-out waits
    // for the service.
    ++FAnswered;
    if (TCustomForm* main = Application->MainForm())
        main->Close();
    else
        Application->Terminate();
    if (FAnswered < requests) AnswerAgain();
}

} // namespace ExitSignals
