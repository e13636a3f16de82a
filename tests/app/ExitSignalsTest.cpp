// SIGTERM and SIGINT: the way out they take from each state of the program, and the exit status.

#include <csignal>

#include "app/ExitSignals.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/Timer.h"
#include "platform/win/Menu.h"
#include "platform/win/Subclass.h"
#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;
using namespace vcl;

class ExitSignalsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ExitSignals::Install();
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
            n += r.URL == String(Base) + "user_exit.php";
        return n;
    }

    TComponentPtr<ExitSignals::TExitWatch> watch;
    TComponentPtr<TTimer> guard;
};

// Signed in, each signal is one close request, made one a tick: the first signs out and waits for the
// exit page, the second closes at once, also when both came before the first tick.
TEST_F(ExitSignalsTest, SignedInTheFirstSignalSignsOutAndTheSecondClosesAtOnce) {
    SignIn();
    std::raise(SIGINT);
    std::raise(SIGINT);
    ui.Advance(ExitSignals::PollInterval);
    EXPECT_EQ(ExitPagesAsked(), 1u);
    EXPECT_EQ(main->StatusText(), "Signing out...");
    EXPECT_FALSE(Application->Terminated());
    ui.Advance(ExitSignals::PollInterval);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(ExitPagesAsked(), 1u);
    EXPECT_EQ(ExitSignals::ExitStatus(0), 130); // as a shell reports a program ended by SIGINT
}

TEST_F(ExitSignalsTest, ASignalWhileTheLoginDialogIsUpEndsTheProgramWithoutAnyRequest) {
    // The watch's timer moves the clock while the dialog's loop waits: no answer from the test.
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

TEST_F(ExitSignalsTest, AnOpenMenuIsEndedBeforeTheWindowIsAskedToClose) {
    SignIn();
    // The menu's loop shows its messages to this hook.
    static bool inMenu = false;
    inMenu = false;
    win::WindowsHook hook(win::WH_MSGFILTER, [](int code, win::WPARAM wp, win::LPARAM lp) -> win::LRESULT {
        inMenu = inMenu || code == win::MSGF_MENU;
        return win::CallNextHookEx(nullptr, code, wp, lp);
    });
    std::raise(SIGTERM);
    ui.Key(win::VK_F10); // the menu bar's loop runs until something ends it
    hook.Remove();
    EXPECT_TRUE(inMenu) << "the menu was never open";
    EXPECT_FALSE(win::IsMenuTracking());
    EXPECT_EQ(ExitPagesAsked(), 0u) << "nothing else in the tick that ended the menu";
    ui.Advance(ExitSignals::PollInterval);
    EXPECT_EQ(ExitPagesAsked(), 1u);
}

TEST(ExitSignals, TwoSignalsAreOnlyCountedAndAThirdEndsTheProgramAsTheSignalsDefaultDoes) {
    EXPECT_EXIT(
        {
            ExitSignals::Install();
            std::raise(SIGINT);
            std::raise(SIGINT);
            std::_Exit(ExitSignals::Received() == 2 ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_EXIT(
        {
            ExitSignals::Install();
            for (int i = 0; i < 3; ++i)
                std::raise(SIGTERM);
            std::_Exit(0);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

} // namespace
