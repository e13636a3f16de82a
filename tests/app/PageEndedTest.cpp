// The main window when the browser's page process ends: the failure is told, and a close request that
// comes with it, or just after it, does not wait for an exit page that cannot come.

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

TEST_F(PageEndedTest, ACloseRequestRightAfterThePageProcessEndedClosesAtOnce) {
    struct Case {
        const char* What;
        unsigned After; // milliseconds between the end and the close request
        bool AtOnce;
    } cases[] = {
        {"with the session's end", 0, true},
        {"a moment later", UnitMain::PageEndedGrace - 1, true},
        {"long after (the user closes a window whose page crashed once)", UnitMain::PageEndedGrace, false},
    };
    SignIn();
    MainEngine()->RaiseDocumentComplete(Page("user_home.php?agenting=true"), "<html>Overview</html>");
    // (The last case starts the sign-out; the ones before it close at once and leave the session open.)
    for (const Case& c : cases) {
        const std::size_t asked = MainNavigations().size();
        // The page shown is gone: no navigation of the window's was under way.
        MainEngine()->RaiseNavigateError(Page("user_home.php?agenting=true"), navErrorPageEnded);
        ui.Advance(c.After);
        bool canClose = false;
        main->FormCloseQuery(nullptr, canClose);
        EXPECT_EQ(canClose, c.AtOnce) << c.What;
        EXPECT_EQ(MainNavigations().size(), asked + (c.AtOnce ? 0 : 1)) << c.What << ": exit pages asked for";
        main->FSessionClosed = false;
    }
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

TEST_F(PageEndedTest, ThePageProcessEndingWhileSigningOutClosesAtOnce) {
    SignIn();
    main->Close();
    ui.Process();
    ASSERT_EQ(MainNavigations().back().URL, Page("user_exit.php"));
    MainEngine()->RaiseNavigateError(Page("user_exit.php"), navErrorPageEnded);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
}

} // namespace
