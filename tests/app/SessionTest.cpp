// The main window's session: start, sign-in post, placement, close query, exit page, failed sign-in.

#include <sys/stat.h>

#include <filesystem>

#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;
using namespace vcl;

using SessionTest = AppTest;

const char* const FailedPage = "<html><body><p>Incorrect username or password</p></body></html>";

TEST_F(SessionTest, FirstStartWithAnEmptyRegistrySignsInAndPlacesTheWindowAtTheDefault) {
    SignIn();
    ASSERT_EQ(MainNavigations().size(), 1u);
    const TNavigateRequest& post = MainNavigations()[0];
    EXPECT_EQ(post.URL, String(Base) + "user_home.php?agenting=true");
    EXPECT_EQ(post.Method, "POST");
    EXPECT_EQ(post.Body, "login=demo&pass=demo123");
    EXPECT_EQ(post.ContentType, "application/x-www-form-urlencoded");
    EXPECT_EQ(post.Flags, navNoHistory | navNoWriteToCache);
    EXPECT_EQ(main->StatusText(), "Overview loading...");
    EXPECT_EQ(main->Left(), 0);
    EXPECT_EQ(main->Top(), 0);
    EXPECT_EQ(main->Width(), 900);
    EXPECT_EQ(main->Height(), 620);
    EXPECT_EQ(main->WindowState(), wsNormal);
    EXPECT_FALSE(main->FSessionClosed);
    EXPECT_TRUE(main->Visible());
}

TEST_F(SessionTest, StoredPlacementIsRestoredAndAMinimisedOneShowsNormal) {
    WritePlacement(30, 40, 800, 600, 1);
    SignIn();
    EXPECT_EQ(main->Top(), 30);
    EXPECT_EQ(main->Left(), 40);
    EXPECT_EQ(main->Width(), 800);
    EXPECT_EQ(main->Height(), 600);
    EXPECT_EQ(main->WindowState(), wsNormal);
}

TEST_F(SessionTest, StoredMaximisedStateShowsMaximised) {
    WritePlacement(30, 40, 800, 600, 2);
    SignIn();
    EXPECT_EQ(main->WindowState(), wsMaximized);
}

TEST_F(SessionTest, AStoredStateThatNamesNoStateShowsNormal) {
    WritePlacement(30, 40, 800, 600, 7);
    SignIn();
    EXPECT_EQ(main->WindowState(), wsNormal);
    EXPECT_EQ(main->Width(), 800);
}

TEST_F(SessionTest, AMissingPlacementValueGivesTheDefaultPlacement) {
    WritePlacement(30, 40, 800, 600, 0);
    Key(true)->DeleteValue("State");
    SignIn();
    EXPECT_EQ(main->Top(), 0);
    EXPECT_EQ(main->Width(), 900);
}

TEST_F(SessionTest, DamagedPlacementValuesFallBackToTheirOwnDefaultsAlone) {
    // A top far outside any screen, a height of two billion, a width stored as text.
    WritePlacement(16777218, 40, 800, 2000000000, 0);
    Key(true)->WriteString("Width", "wide");
    SignIn(); // nothing raised out of the show handler
    EXPECT_EQ(main->Top(), 0);
    EXPECT_EQ(main->Left(), 40) << "a sound value is kept";
    EXPECT_EQ(main->Width(), 900);
    EXPECT_EQ(main->Height(), 620);
    EXPECT_EQ(MainNavigations().size(), 1u);
}

TEST_F(SessionTest, AWindowStoredWhereNoMonitorIsNowEndsOnOneNoLargerThanItsWorkArea) {
    // The window was on a second monitor, right of this one, which has gone.
    WritePlacement(100, 1500, 800, 600, 0);
    SignIn();
    EXPECT_EQ(main->BoundsRect(), Bounds(224, 100, 800, 600));
}

TEST_F(SessionTest, AWindowLargerThanTheWorkAreaShrinksOntoTheMonitorItOverlapsMost) {
    ui.Screen().SetMonitors(
        {backend::Monitor{{0, 0, 1024, 768}, {0, 0, 1024, 738}, true, "left"},
         backend::Monitor{{1024, 0, 2304, 1024}, {1024, 30, 2304, 1024}, false, "right"}});
    WritePlacement(-100, 900, 1600, 1200, 0);
    SignIn();
    EXPECT_EQ(main->BoundsRect(), Bounds(1024, 30, 1280, 994));
}

TEST_F(SessionTest, CancellingTheLoginEndsTheProgramWithoutAnyRequest) {
    AnswerLogin(nullptr, nullptr);
    main->Show();
    ui.Process();
    EXPECT_TRUE(main->FSessionClosed);
    EXPECT_TRUE(MainNavigations().empty());
    EXPECT_TRUE(Application->Terminated());
    // The close query stored the placement as it stood before the stored one was applied.
    auto reg = Key();
    EXPECT_TRUE(reg->ValueExists("Top"));
    EXPECT_TRUE(reg->ValueExists("State"));
    EXPECT_EQ(reg->ReadInteger("State"), 0);
}

TEST_F(SessionTest, AStartAfterACancelledLoginShowsTheStatusBarAtTheFootOfTheWindow) {
    // The first start ends at its login dialog: the window as it stood is stored, its outer size
    // unchanged by the menu bar that took its room from the client area.
    AnswerLogin(nullptr, nullptr);
    main->Show();
    ui.Process();
    ASSERT_TRUE(Application->Terminated());
    // The next start gets that placement back, the same outer size the form already has.
    AppForms::FreeForms();
    auto driver = Application->IdleHook;
    Application->ResetState();
    Application->IdleHook = driver;
    AppForms::CreateForms();
    main = UnitMain::frm_Main;
    login = UnitLogin::frm_Login;
    SignIn();
    auto* bar = main->AdvOfficeStatusBar;
    EXPECT_EQ(bar->Top() + bar->Height(), main->ClientHeight()) << "the bar follows the client area";
    EXPECT_EQ(main->WebBrowser_Main->Top() + main->WebBrowser_Main->Height(), bar->Top());
    // The window's last client rows show the bar, not the page area above it.
    auto at = [&](int Y) {
        const TPoint p = main->ClientToScreen({300, Y});
        return ui.Pixel(main, p.X - main->Left(), p.Y - main->Top());
    };
    EXPECT_NE(at(main->ClientHeight() - 9), at(main->ClientHeight() - 60));
}

TEST_F(SessionTest, AnEmptyPasswordAsksAgainAndNothingIsHandedOver) {
    ui.WhenModal([&](TCustomForm* Dlg) {
        login->ledt_Login->SetText("demo");
        login->ledt_Password->SetText("");
        ui.ClickButton(Dlg, "OK");
    });
    ui.AnswerWith("OK"); // "Incorrect login or password"
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(Dlg, login); // still up
        EXPECT_TRUE(main->FLogin.empty());
        ui.ClickButton(Dlg, "Cancel");
    });
    main->Show();
    ui.Process();
    EXPECT_EQ(ui.SeenMessages(), std::vector<String>{"Incorrect login or password"});
    EXPECT_TRUE(MainNavigations().empty());
    EXPECT_TRUE(main->FSessionClosed);
}

TEST_F(SessionTest, OneCharacterValuesAndSpecialCharactersArePostedEncoded) {
    SignIn("a", "b");
    ASSERT_EQ(MainNavigations().size(), 1u);
    EXPECT_EQ(MainNavigations()[0].Body, "login=a&pass=b");
    main->FLogin = "a&b=c+d";
    main->FPassword = "p%ss w\xC3\xB6rd";
    main->AdvGlowButton_OverviewClick(nullptr);
    EXPECT_EQ(MainNavigations().back().Body, "login=a%26b%3Dc%2Bd&pass=p%25ss+w%C3%B6rd");
}

TEST_F(SessionTest, ClosingWhileSignedInRequestsTheExitPageAndClosesWhenItCompletes) {
    SignIn();
    main->SetBounds(12, 14, 850, 640);
    main->Close();
    ui.Process();
    EXPECT_FALSE(Application->Terminated());
    ASSERT_EQ(MainNavigations().size(), 2u);
    EXPECT_EQ(MainNavigations()[1].URL, String(Base) + "user_exit.php");
    EXPECT_EQ(MainNavigations()[1].Method, "GET");
    EXPECT_EQ(main->StatusText(), "Signing out...");
    {
        auto reg = Key();
        EXPECT_EQ(reg->ReadInteger("Left"), 12);
        EXPECT_EQ(reg->ReadInteger("Top"), 14);
        EXPECT_EQ(reg->ReadInteger("Width"), 850);
        EXPECT_EQ(reg->ReadInteger("Height"), 640);
    }
    MainEngine()->RaiseDocumentComplete(String(Base) + "user_exit.php", "<html>Bye</html>");
    EXPECT_TRUE(main->FSessionClosed);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(SessionTest, ASecondCloseRequestWhileSigningOutClosesAtOnce) {
    SignIn();
    main->Close();
    ui.Process();
    EXPECT_FALSE(Application->Terminated());
    main->Exit1Click(nullptr);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(MainNavigations().size(), 2u) << "the exit page is not asked for again";
}

TEST_F(SessionTest, AnExitPageWithoutAnswerClosesTheWindowAfterTenSeconds) {
    SignIn();
    main->Close();
    ui.Advance(9999);
    EXPECT_FALSE(Application->Terminated());
    ui.Advance(1);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(SessionTest, AnExitPageThatFailsClosesTheWindow) {
    SignIn();
    main->Close();
    MainEngine()->RaiseNavigateError(String(Base) + "user_exit.php", navErrorCannotConnect);
    EXPECT_TRUE(main->FSessionClosed);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(SessionTest, AnExitPageCompletingWithAnErrorPageClosesTheWindow) {
    SignIn();
    main->Close();
    // An engine that completes an error page of its own for the address asked for.
    MainEngine()->RaiseDocumentComplete(String(Base) + "user_exit.php",
                                        "<html><body>Could not connect: Connection refused</body></html>");
    EXPECT_TRUE(main->FSessionClosed);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(SessionTest, AnExitNavigationTheBrowserRefusesLetsTheWindowClose) {
    SignIn();
    MainEngine()->OnNavigate = [](const TNavigateRequest&) { throw EOleError("refused"); };
    main->Close();
    EXPECT_TRUE(main->FSessionClosed);
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(SessionTest, WhileSigningOutThePagesQuestionsAreAnsweredUnseenAsThoseOfAPageBeingLeft) {
    SignIn();
    MainEngine()->RaiseDocumentComplete(String(Base) + "user_home.php?agenting=true",
                                        "<html>Overview</html>");
    // Before the close a page's question is the user's to answer.
    auto before = MainEngine()->PostQuestion(TPageQuestionKind::Confirm, "Save the order?");
    int boxes = 0;
    ui.WhenModal([&](TCustomForm*) {
        ++boxes;
        ui.Key(win::VK_RETURN);
    });
    ui.Process();
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(before->Accepted);

    main->Close();
    ui.Process();
    auto alert = MainEngine()->PostQuestion(TPageQuestionKind::Alert, "Goodbye");
    auto confirm = MainEngine()->PostQuestion(TPageQuestionKind::Confirm, "Stay signed in?");
    auto prompt = MainEngine()->PostQuestion(TPageQuestionKind::Prompt, "Why do you leave?");
    ui.Process(); // a box now would fail the test: nothing answers it
    for (const auto& q : {alert, confirm, prompt})
        EXPECT_EQ(q->Answers, 1) << q->Text;
    EXPECT_FALSE(confirm->Accepted) << "a confirmation declined";
    EXPECT_TRUE(prompt->Accepted && prompt->Value.empty()) << "a prompt answered empty";
    // Answered, the exit page completes and the window closes without waiting out the time limit.
    MainEngine()->RaiseDocumentComplete(String(Base) + "user_exit.php", "<html>Bye</html>");
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(SessionTest, TheExitPageReachedByALinkEndsTheProgramToo) {
    SignIn();
    MainEngine()->RaiseDocumentComplete(String(Base) + "user_exit.php", "<html></html>");
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(MainNavigations().size(), 1u); // no exit page of its own asked for
}

TEST_F(SessionTest, AFailedSignInBringsTheLoginBackAndPostsAgain) {
    SignIn("demo", "wrong");
    AnswerLogin("demo", "demo123");
    MainEngine()->RaiseDocumentComplete(String(Base) + "user_home.php?agenting=true", FailedPage);
    ui.Process();
    EXPECT_EQ(ui.PendingActions(), 0);
    ASSERT_EQ(MainNavigations().size(), 2u);
    EXPECT_EQ(MainNavigations()[1].Body, "login=demo&pass=demo123");
    EXPECT_EQ(main->StatusText(), "Overview loading...");
    ui.Process();
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(SessionTest, OnlyTheExactTextMeansAFailedSignIn) {
    SignIn();
    MainEngine()->RaiseDocumentComplete(String(Base) + "user_home.php?agenting=true",
                                        "<html>incorrect USERNAME or password</html>");
    EXPECT_EQ(main->StatusText(), "Ready");
    EXPECT_EQ(MainNavigations().size(), 1u);
    // And "user_exit.php" is looked for with its case.
    MainEngine()->RaiseDocumentComplete(String(Base) + "USER_EXIT.PHP", "<html></html>");
    ui.Process();
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(SessionTest, ADocumentCompletingWhileTheLoginIsUpDoesNotShowItTwice) {
    SignIn("demo", "wrong");
    int loginsSeen = 0;
    ui.WhenModal([&](TCustomForm* Dlg) {
        ++loginsSeen;
        // A refresh of the failed page completes while the dialog is up.
        MainEngine()->RaiseDocumentComplete(String(Base) + "user_home.php?agenting=true", FailedPage);
        login->ledt_Login->SetText("demo");
        login->ledt_Password->SetText("demo123");
        ui.ClickButton(Dlg, "OK");
    });
    MainEngine()->RaiseDocumentComplete(String(Base) + "user_home.php?agenting=true", FailedPage);
    ui.Process();
    EXPECT_EQ(loginsSeen, 1);
    EXPECT_EQ(MainNavigations().size(), 2u);
    ui.Process();
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(SessionTest, EveryCompletedDocumentSetsReadyAndFramesWhileBusyAreNotInspected) {
    SignIn("demo", "wrong");
    MainEngine()->SetBusy(true);
    MainEngine()->RaiseFrameComplete(String(Base) + "frame.php", FailedPage);
    EXPECT_EQ(main->StatusText(), "Ready");
    EXPECT_EQ(MainNavigations().size(), 1u); // no login asked for
}

TEST_F(SessionTest, TheAboutBoxOpensModallyFromTheHelpMenu) {
    SignIn();
    bool seen = false;
    ui.WhenModal([&](TCustomForm* Dlg) {
        seen = Dlg == UnitAbout::frm_About;
        ui.ClickButton(Dlg, "OK");
    });
    main->About1Click(nullptr);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(UnitAbout::frm_About->Visible());
}

// Settings that cannot be read or written (the hive a folder, a pipe or a device) are told once; the
// program goes on with the defaults: sign-in, placement and closing all work.
TEST_F(SessionTest, UnreadableSettingsAreToldOnceAndTheProgramGoesOnWithDefaults) {
    std::filesystem::create_directories(TRegistry::HiveFileName(HKEY_CURRENT_USER));
    ui.AnswerWith("OK");
    SignIn();
    ASSERT_EQ(ui.SeenMessages().size(), 1u);
    EXPECT_NE(ui.SeenMessages()[0].find("Cannot read registry file"), String::npos) << ui.SeenMessages()[0];
    ASSERT_EQ(MainNavigations().size(), 1u);
    EXPECT_EQ(MainNavigations()[0].Body, "login=demo&pass=demo123");
    EXPECT_EQ(main->Width(), 900);
    EXPECT_EQ(main->Height(), 620);
    main->Close();
    ui.Process();
    ASSERT_EQ(MainNavigations().size(), 2u);
    MainEngine()->RaiseDocumentComplete(String(Base) + "user_exit.php", "<html>Bye</html>");
    ui.Process();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(ui.SeenMessages().size(), 1u);
}

TEST_F(SessionTest, TheRegistryHiveHoldingThePasswordIsReadableByItsOwnerOnly) {
    AnswerLogin("demo", "demo123", true);
    main->Show();
    ui.Process();
    struct stat st {};
    ASSERT_EQ(::stat(TRegistry::HiveFileName(HKEY_CURRENT_USER).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

} // namespace
