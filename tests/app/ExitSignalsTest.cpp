// SIGTERM, SIGINT and SIGHUP: the way out they take from each state of the program, how signals that come
// together make one request, when the signal's default is taken, and the exit status.

#include <sys/stat.h>

#include <atomic>
#include <csignal>
#include <cstdio>
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
void SignalAt(int Signal, std::int64_t Ms) {
    g_now = Ms;
    std::raise(Signal);
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
    // Raised from the dialog's own loop, with nothing else to wake it.
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(Dlg, login);
        std::raise(SIGTERM);
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
        std::raise(SIGTERM);
    });
    // The sign-in fails: a box says so, then the login dialog would come back.
    MainEngine()->RaiseNavigateError(String(Base) + "user_home.php?agenting=true", navErrorCannotConnect);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(ExitPagesAsked(), 0u) << "no session was open";
}

TEST_F(ExitSignalsTest, AModalFormShownAfterTheRequestIsCancelledAsItComes) {
    SignIn();
    std::raise(SIGTERM);
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
            std::raise(SIGTERM);
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
