// SIGTERM, SIGINT and SIGHUP: the way out they take from each state of the program, how signals that come
// together make one request, when the signal's default is taken, and the exit status.

#include <pthread.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "app/ExitSignals.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/Timer.h"
#include "platform/win/Menu.h"
#include "platform/win/Subclass.h"
#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;
using namespace vcl;

// The handler's clock, set by the tests: what counts is when each signal comes.
std::atomic<std::int64_t> g_now{0};
std::int64_t TestClock() {
    return g_now.load();
}
// Sends Signal as the clock says Ms, and returns once the handler has counted it: at once where this thread
// takes it; sent to the process where this thread keeps it out (once installed), to reach the handler on
// another thread. An ignored signal is sent and forgotten.
void SignalAt(int Signal, std::int64_t Ms) {
    g_now = Ms;
    sigset_t blocked;
    pthread_sigmask(SIG_BLOCK, nullptr, &blocked);
    struct sigaction now {};
    sigaction(Signal, nullptr, &now);
    if (!sigismember(&blocked, Signal) || now.sa_handler == SIG_IGN) {
        std::raise(Signal);
        return;
    }
    const int before = ExitSignals::Received();
    ::kill(::getpid(), Signal);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (ExitSignals::Received() == before && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_NE(ExitSignals::Received(), before) << "signal " << Signal << " never reached the handler";
}

// The signals (of the three) a process's status line ("SigBlk:", "SigIgn:") lists.
std::vector<int> SignalsOf(const String& Status, const String& Line) {
    const std::size_t at = Status.find("\n" + Line);
    if (at == String::npos) return {-1};
    const unsigned long long mask = std::stoull(Status.substr(at + 1 + Line.size()), nullptr, 16);
    std::vector<int> signals;
    for (int signal : {SIGHUP, SIGINT, SIGTERM})
        if (mask >> (signal - 1) & 1) signals.push_back(signal);
    return signals;
}

// The signals (of the three) that a process has blocked, as its status in /proc says.
std::vector<int> BlockedIn(pid_t Pid) {
    std::ifstream status("/proc/" + std::to_string(Pid) + "/status");
    return SignalsOf(String(std::istreambuf_iterator<char>(status), std::istreambuf_iterator<char>()),
                     "SigBlk:");
}

// The signals (of the three) that a mask holds.
std::vector<int> BlockedIn(const sigset_t& Mask) {
    std::vector<int> blocked;
    for (int signal : {SIGHUP, SIGINT, SIGTERM})
        if (sigismember(&Mask, signal)) blocked.push_back(signal);
    return blocked;
}

std::vector<int> BlockedInAThreadStartedNow() {
    std::vector<int> blocked;
    std::thread([&] {
        sigset_t mask;
        pthread_sigmask(SIG_BLOCK, nullptr, &mask);
        blocked = BlockedIn(mask);
    }).join();
    return blocked;
}

// Starts a process from this thread (as the browser engine starts its own) and returns what it blocks.
std::vector<int> BlockedInAProcessStartedNow() {
    char sleepArg[] = "sleep", seconds[] = "30";
    char* argv[] = {sleepArg, seconds, nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ) != 0) return {-1};
    const std::vector<int> blocked = BlockedIn(child);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return blocked;
}

// The three signals as a program started from a terminal has them (a test run under nohup ignores SIGHUP).
void DefaultDispositions() {
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_DFL);
}

class ExitSignalsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        DefaultDispositions();
        ExitSignals::Install(TestClock);
        watch.reset(new ExitSignals::TExitWatch(nullptr));
        // A loop the watch failed to end would run on the virtual clock for ever (the status bar's timer
        // keeps it busy): after a virtual minute this ends it, and the test fails instead of hanging.
        guard.reset(new TTimer(nullptr));
        guard->SetInterval(60000);
        guard->OnTimer = [](TObject*) {
            ADD_FAILURE() << "a loop was still running a minute after the signal";
            win::EndMenu();
            for (int i = 0; i < Screen->FormCount(); ++i)
                if (Screen->Forms(i)->FormState().Contains(fsModal))
                    Screen->Forms(i)->SetModalResult(mrAbort);
            Application->Terminate();
        };
    }
    void TearDown() override {
        guard.reset();
        watch.reset();
        ExitSignals::Uninstall();
        AppTest::TearDown();
    }
    std::size_t ExitPagesAsked() {
        std::size_t n = 0;
        for (const TNavigateRequest& r : MainNavigations())
            n += r.URL == ExitPage();
        return n;
    }
    static String ExitPage() { return String(Base) + "user_exit.php"; }

    TComponentPtr<ExitSignals::TExitWatch> watch;
    TComponentPtr<TTimer> guard;
};

// Signed in, the first request signs out and waits for the exit page; a second one, a signal that comes
// after the first request's, closes at once. Neither waits for a timer: the clock never moves.
TEST_F(ExitSignalsTest, SignedInTheFirstRequestSignsOutAndTheSecondClosesAtOnce) {
    SignIn();
    const win::DWORD before = win::GetTickCount();
    SignalAt(SIGINT, 0);
    ui.Process();
    EXPECT_EQ(ExitPagesAsked(), 1u);
    EXPECT_EQ(main->StatusText(), "Signing out...");
    EXPECT_FALSE(Application->Terminated());
    SignalAt(SIGINT, ExitSignals::SameRequestMs);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(ExitPagesAsked(), 1u);
    EXPECT_EQ(win::GetTickCount(), before) << "the signals were noticed by a timer";
    EXPECT_EQ(ExitSignals::ExitStatus(0), 130); // as a shell reports a program ended by SIGINT
}

// Signals sent together (at once, or 70 ms apart) are one request, whichever of the three: the program
// signs out and waits for the exit page, then ends with the first signal's status.
struct TBurst {
    int Signal;
    std::int64_t Apart;
    int Status;
};
void PrintTo(const TBurst& B, std::ostream* Out) {
    *Out << "signal " << B.Signal << ", " << B.Apart << " ms apart";
}
class ExitSignalsBurst : public ExitSignalsTest, public ::testing::WithParamInterface<TBurst> {};

TEST_P(ExitSignalsBurst, SignalsThatComeTogetherAreOneRequestThatSignsOut) {
    const TBurst& b = GetParam();
    SignIn();
    for (int i = 0; i < 3; ++i)
        SignalAt(b.Signal, 100000 + i * b.Apart);
    ui.Process();
    EXPECT_EQ(ExitSignals::Received(), 3);
    EXPECT_EQ(ExitSignals::Requests(), 1);
    EXPECT_EQ(ExitPagesAsked(), 1u);
    EXPECT_EQ(main->StatusText(), "Signing out...");
    ASSERT_FALSE(Application->Terminated()) << "the sign-out did not wait for the service";
    MainEngine()->RaiseDocumentComplete(ExitPage(), "");
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(ExitSignals::ExitStatus(0), b.Status);
}

INSTANTIATE_TEST_SUITE_P(Signals, ExitSignalsBurst,
                         ::testing::Values(TBurst{SIGTERM, 0, 143}, TBurst{SIGINT, 70, 130},
                                           TBurst{SIGHUP, 0, 129}));

TEST_F(ExitSignalsTest, ASignalWhileTheLoginDialogIsUpEndsTheProgramWithoutAnyRequest) {
    // Sent from the dialog's own loop, with nothing else to wake it.
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(Dlg, login);
        SignalAt(SIGTERM, 0);
    });
    main->Show();
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(MainEngine(), nullptr) << "the browser was never asked for anything";
    EXPECT_TRUE(main->FSessionClosed);
}

TEST_F(ExitSignalsTest, ABoxUpWhenTheSignalComesIsCancelledAndSoIsTheLoginThatFollowsIt) {
    SignIn();
    ui.WhenModal([&](TCustomForm* Box) {
        EXPECT_NE(Box, login);
        SignalAt(SIGTERM, 0);
    });
    // The sign-in fails: a box says so, then the login dialog would come back.
    MainEngine()->RaiseNavigateError(String(Base) + "user_home.php?agenting=true", navErrorCannotConnect);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(ExitPagesAsked(), 0u) << "no session was open";
}

TEST_F(ExitSignalsTest, AModalFormShownAfterTheRequestIsCancelledAsItComes) {
    SignIn();
    SignalAt(SIGTERM, 0);
    ui.Process();
    ASSERT_EQ(main->StatusText(), "Signing out...");
    // No answer from the test: a loop left waiting would raise EMessageLoopIdle.
    EXPECT_EQ(AppForms::Need(UnitAbout::frm_About)->ShowModal(), mrCancel);
    ui.Process();
    EXPECT_EQ(ExitPagesAsked(), 1u) << "the cancel made no second close request";
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(ExitSignalsTest, AnOpenMenuIsEndedBeforeTheWindowIsAskedToClose) {
    SignIn();
    // The menu's loop shows its messages to this hook; the signal comes with the first of them.
    static bool inMenu = false;
    inMenu = false;
    win::WindowsHook hook(win::WH_MSGFILTER, [](int code, win::WPARAM wp, win::LPARAM lp) -> win::LRESULT {
        if (code == win::MSGF_MENU && !inMenu) {
            inMenu = true;
            SignalAt(SIGTERM, 0);
        }
        return win::CallNextHookEx(nullptr, code, wp, lp);
    });
    std::vector<bool> trackingWhenAsked;
    MainEngine()->OnNavigate = [&](const TNavigateRequest& R) {
        if (R.URL == ExitPage()) trackingWhenAsked.push_back(win::IsMenuTracking());
    };
    ui.Key(win::VK_F10); // the menu bar's loop runs until something ends it
    ui.Process();
    hook.Remove();
    MainEngine()->OnNavigate = nullptr;
    EXPECT_TRUE(inMenu) << "the menu was never open";
    EXPECT_FALSE(win::IsMenuTracking());
    EXPECT_EQ(trackingWhenAsked, std::vector<bool>{false}) << "the close request came while the menu ran";
}

// Ctrl+C in a terminal reaches every process of the program's group. From the program's first line on, every
// thread and process it starts (the browser engine's among them) keeps the signals out: none can end one of
// the engine's processes, least of all as it starts. The signals still reach the program.
TEST_F(ExitSignalsTest, EveryThreadAndProcessStartedAfterInstallIsOutOfTheSignals) {
    const std::vector<int> all{SIGHUP, SIGINT, SIGTERM};
    EXPECT_EQ(BlockedInAThreadStartedNow(), all);
    EXPECT_EQ(BlockedInAProcessStartedNow(), all);
    SignIn();
    SignalAt(SIGINT, 0);
    ui.Process();
    ASSERT_EQ(main->StatusText(), "Signing out...");
    EXPECT_EQ(BlockedInAProcessStartedNow(), all);
    SignalAt(SIGINT, ExitSignals::SameRequestMs);
    ui.Process();
    EXPECT_TRUE(Application->Terminated()) << "the second request was not answered";
    EXPECT_EQ(ExitSignals::ExitStatus(0), 130);
    ExitSignals::Uninstall();
    EXPECT_EQ(BlockedInAThreadStartedNow(), std::vector<int>{}) << "after Uninstall";
    EXPECT_EQ(BlockedInAProcessStartedNow(), std::vector<int>{}) << "after Uninstall";
}

// A link a page opens while the program signs out goes to the desktop's handler, a program of the user's: it
// starts with no signal blocked, and with a signal ignored at start (nohup's SIGHUP) ignored, as a shell
// would start it, so that it and the browser it starts can be ended as usual.
TEST_F(ExitSignalsTest, TheLinkHandlerStartsWithTheSignalsAsTheyWereAtStart) {
    ExitSignals::Uninstall();
    std::signal(SIGHUP, SIG_IGN);
    ExitSignals::Install(TestClock);
    // A handler of our own in the desktop's place: it writes its status where the test reads it. (Not a shell
    // script: the shell unblocks every signal as it starts.)
    const String bin = folder.Path() + "/bin", status = bin + "/gio.status";
    ::mkdir(bin.c_str(), 0700);
    {
        std::ofstream gio(bin + "/gio");
        gio << "#!/usr/bin/env python3\n"
               "import os, sys\n"
               "with open(sys.argv[0] + '.new', 'w') as f:\n"
               "    f.write(open('/proc/self/status').read())\n"
               "os.replace(sys.argv[0] + '.new', sys.argv[0] + '.status')\n";
    }
    ::chmod((bin + "/gio").c_str(), 0700);
    ScopedEnv path("PATH", (bin + ":" + ::getenv("PATH")).c_str());
    SignIn();
    SignalAt(SIGINT, 0);
    ui.Process();
    ASSERT_EQ(main->StatusText(), "Signing out...");
    MainEngine()->RaiseExternalLink("https://elsewhere.example/offer");
    ui.Process();
    String text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (text.empty() && std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(status);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (text.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(text.empty()) << "the link handler never ran";
    EXPECT_EQ(SignalsOf(text, "SigBlk:"), std::vector<int>{});
    EXPECT_EQ(SignalsOf(text, "SigIgn:"), std::vector<int>{SIGHUP});
}

// A page process that ended otherwise (killed, crashed) under the exit page a signal asked for: the exit page
// is asked for once more, from a fresh process, at once, and waited for two seconds.
TEST_F(ExitSignalsTest, TheExitPageAskedAgainAfterThePageProcessEndedIsWaitedForTwoSeconds) {
    SignIn();
    SignalAt(SIGINT, 0);
    ui.Process();
    ASSERT_EQ(ExitPagesAsked(), 1u);
    MainEngine()->RaiseNavigateError(ExitPage(), navErrorPageEnded);
    ui.Process();
    EXPECT_EQ(ExitPagesAsked(), 2u);
    EXPECT_EQ(main->StatusText(), "Signing out...");
    // The fresh process never answers either.
    ui.Advance(UnitMain::ExitPageAgainTimeout - 1);
    EXPECT_FALSE(Application->Terminated());
    ui.Advance(1);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(ExitSignals::Requests(), 1);
}

// ---- The signal's default, for a loop that no longer answers (no watch here: nothing answers)

// The times (ms) of SIGTERMs and whether they end the program as the default does: a signal counts toward
// the default only a second or more after the last one that counted.
TEST(ExitSignals, OnlySignalsWithTheTimeToBeAnsweredCountTowardTheDefault) {
    using Times = std::vector<std::int64_t>;
    const std::int64_t P = ExitSignals::PressingMs;
    const struct {
        Times At;
        bool Killed;
    } cases[] = {
        {{0, 0, 0}, false},
        {{0, 70, 140, 210, 280}, false},
        {{0, P - 1, 2 * P - 2}, false}, // the third comes P - 1 after the second, which did not count
        {{0, P / 2, P, P + P / 2, 2 * P}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.At));
        auto send = [&] {
            DefaultDispositions();
            ExitSignals::Install(TestClock);
            for (std::int64_t at : c.At)
                SignalAt(SIGTERM, at);
            std::_Exit(ExitSignals::Received() == static_cast<int>(c.At.size()) ? 7 : 1);
        };
        if (c.Killed)
            EXPECT_EXIT(send(), ::testing::KilledBySignal(SIGTERM), "");
        else
            EXPECT_EXIT(send(), ::testing::ExitedWithCode(7), "");
    }
}

TEST(ExitSignals, TheDefaultRemovesTheFileNamedLastFirst) {
    TempFolder folder;
    const String older = folder.Path() + "/older.html", copy = folder.Path() + "/tmp.html";
    for (const String& path : {older, copy})
        if (FILE* f = std::fopen(path.c_str(), "w")) std::fclose(f);
    EXPECT_EXIT(
        {
            DefaultDispositions();
            ExitSignals::Install(TestClock);
            ExitSignals::RemoveWhenKilled(older);
            ExitSignals::RemoveWhenKilled(copy);
            for (int i = 0; i < 3; ++i)
                SignalAt(SIGHUP, i * ExitSignals::PressingMs);
            std::_Exit(0);
        },
        ::testing::KilledBySignal(SIGHUP), "");
    struct stat st {};
    EXPECT_NE(::stat(copy.c_str(), &st), 0) << "the page copy outlived the default";
    EXPECT_EQ(::stat(older.c_str(), &st), 0) << "a file named before the copy went instead";
}

TEST(ExitSignals, ASignalIgnoredWhenTheProgramStartsStaysIgnored) {
    EXPECT_EXIT(
        {
            std::signal(SIGHUP, SIG_IGN); // as nohup starts a program
            ExitSignals::Install(TestClock);
            for (int i = 0; i < 3; ++i)
                SignalAt(SIGHUP, i * ExitSignals::PressingMs);
            std::_Exit(ExitSignals::Received() == 0 ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "");
}

} // namespace
