// The main window when the browser's page process ends: the failure is told; a close request that comes
// with it, or an exit page whose process ends under it, asks for the exit page once more from a fresh
// process and waits for it about two seconds, not the ten of a first exit page.

#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;
using namespace vcl;

using PageEndedTest = AppTest;

String Page(const char* Name) {
    return String(Base) + Name;
}

TEST_F(PageEndedTest, ThePageProcessEndingIsToldAndKeepsTheSession) {
    SignIn();
    main->AdvGlowButton_InboxClick(nullptr);
    MainEngine()->RaiseNavigateError(Page("user_inbox.php?agenting=true"), navErrorPageEnded);
    ui.Process();
    EXPECT_EQ(main->StatusText(), "The page stopped: the browser's page process ended");
    EXPECT_TRUE(ui.SeenMessages().empty());
    EXPECT_FALSE(main->FSessionClosed);
    // The next section is asked for as ever.
    main->AdvGlowButton_HitsClick(nullptr);
    EXPECT_EQ(MainNavigations().back().URL, Page("user_hits.php?agenting=true"));
}

class PageEndedCloseTest : public PageEndedTest {
protected:
    // Signed in, the overview shown; its page's process ends, and After milliseconds later the user closes.
    void CloseAfterTheEnd(unsigned After) {
        SignIn();
        MainEngine()->RaiseDocumentComplete(Page("user_home.php?agenting=true"), "<html>Overview</html>");
        // The page shown is gone: no navigation of the window's was under way.
        MainEngine()->RaiseNavigateError(Page("user_home.php?agenting=true"), navErrorPageEnded);
        ui.Advance(After);
        main->Close();
        ui.Process();
        ASSERT_EQ(MainNavigations().back().URL, Page("user_exit.php"));
        EXPECT_FALSE(Application->Terminated());
        EXPECT_EQ(main->StatusText(), "Signing out...");
    }
    int ExitPagesAsked() {
        int n = 0;
        for (const TNavigateRequest& r : MainNavigations())
            n += r.URL == Page("user_exit.php");
        return n;
    }
};

TEST_F(PageEndedCloseTest, ACloseWithThePageProcessEndAsksForTheExitPageAndWaitsAboutTwoSeconds) {
    // (The last moment that counts as coming with the end.)
    CloseAfterTheEnd(UnitMain::PageEndedGrace - 1);
    ui.Advance(1500);
    EXPECT_FALSE(Application->Terminated());
    ui.Advance(1000);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(ExitPagesAsked(), 1);
}

TEST_F(PageEndedCloseTest, ACloseLongAfterThePageProcessEndedWaitsTheWholeTime) {
    // The user closes a window whose page crashed once, a while ago.
    CloseAfterTheEnd(UnitMain::PageEndedGrace);
    ui.Advance(9000);
    EXPECT_FALSE(Application->Terminated());
    ui.Advance(1000);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(PageEndedCloseTest, AnExitPageAskedFromAFreshProcessWhoseProcessEndsTooIsNotAskedAgain) {
    CloseAfterTheEnd(0);
    MainEngine()->RaiseNavigateError(Page("user_exit.php"), navErrorPageEnded);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(ExitPagesAsked(), 1);
}

TEST_F(PageEndedTest, APageThatCompletesAfterTheEndShowsThatTheExitPageCanCome) {
    SignIn();
    MainEngine()->RaiseDocumentComplete(Page("user_home.php?agenting=true"), "<html>Overview</html>");
    MainEngine()->RaiseNavigateError(Page("user_home.php?agenting=true"), navErrorPageEnded);
    main->AdvGlowButton_HitsClick(nullptr);
    MainEngine()->RaiseDocumentComplete(Page("user_hits.php?agenting=true"), "<html>Hits</html>");
    main->Close();
    ui.Process();
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(MainNavigations().back().URL, Page("user_exit.php"));
}

// What the exit page asked for once more does.
enum class SecondExitPage { SignsOut, ItsProcessEndsToo, NeverAnswers };

class ExitPageProcessEndedTest : public PageEndedCloseTest,
                                 public ::testing::WithParamInterface<SecondExitPage> {};

TEST_P(ExitPageProcessEndedTest, TheExitPageIsAskedForOnceMoreAndWaitedForAboutTwoSeconds) {
    SignIn();
    main->Close();
    ui.Process();
    ASSERT_EQ(ExitPagesAsked(), 1);
    MainEngine()->RaiseNavigateError(Page("user_exit.php"), navErrorPageEnded);
    ui.Process();
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(ExitPagesAsked(), 2);
    EXPECT_EQ(main->StatusText(), "Signing out...");
    switch (GetParam()) {
    case SecondExitPage::SignsOut:
        MainEngine()->RaiseDocumentComplete(Page("user_exit.php"), "<html>Bye</html>");
        break;
    case SecondExitPage::ItsProcessEndsToo:
        MainEngine()->RaiseNavigateError(Page("user_exit.php"), navErrorPageEnded);
        break;
    case SecondExitPage::NeverAnswers:
        ui.Advance(1500);
        EXPECT_FALSE(Application->Terminated());
        ui.Advance(1000);
        break;
    }
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(ExitPagesAsked(), 2) << "asked for once more only";
}

std::string NameOf(const ::testing::TestParamInfo<SecondExitPage>& Info) {
    static const char* const names[] = {"SignsOut", "ItsProcessEndsToo", "NeverAnswers"};
    return names[static_cast<int>(Info.param)];
}

INSTANTIATE_TEST_SUITE_P(PageEnded, ExitPageProcessEndedTest,
                         ::testing::Values(SecondExitPage::SignsOut, SecondExitPage::ItsProcessEndsToo,
                                           SecondExitPage::NeverAnswers),
                         NameOf);

} // namespace
