// The main window when the service fails it: failures read as failures, the sign-in comes back, the
// failed-sign-in phrase counts only in answers to the sign-in body, links elsewhere go to the desktop,
// and the page copy goes with the program.

#include <sys/stat.h>

#include "components/statusbar/UriLauncher.h"
#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;
using namespace vcl;

using ServiceFailureTest = AppTest;

const char* const FailedPage = "<html><body><p>Incorrect username or password</p></body></html>";

String Page(const char* Name) {
    return String(Base) + Name;
}

TEST_F(ServiceFailureTest, AFailedSignInSaysWhyAndBringsTheLoginBackWithTheTypedValues) {
    struct Case {
        int Code;
        const char* Text;
    } cases[] = {{navErrorCannotConnect, "The service cannot be reached"}, {500, "Service error 500"}};
    SignIn("trader", "s3cret");
    for (const Case& c : cases) {
        ui.AnswerWith("OK");
        bool asked = false;
        ui.WhenModal([&](TCustomForm* Dlg) {
            asked = true;
            EXPECT_EQ(Dlg, login);
            EXPECT_EQ(login->ledt_Login->Text(), "trader");
            EXPECT_EQ(login->ledt_Password->Text(), "s3cret");
            ui.ClickButton(Dlg, "OK");
        });
        MainEngine()->RaiseNavigateError(Page("user_home.php?agenting=true"), c.Code);
        ui.Process();
        EXPECT_TRUE(asked) << c.Text;
        EXPECT_EQ(ui.SeenMessages().back(), c.Text);
        // Signed in again: a new post.
        EXPECT_EQ(MainNavigations().back().Body, "login=trader&pass=s3cret");
        EXPECT_EQ(main->StatusText(), "Overview loading...");
    }
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(ServiceFailureTest, AFailedPageSaysWhatHappenedAndKeepsTheSession) {
    SignIn();
    MainEngine()->RaiseDocumentComplete(Page("user_home.php?agenting=true"), "<html>Overview</html>");
    struct Case {
        int Code;
        const char* Text;
    } cases[] = {{404, "Service error 404"},
                 {navErrorCannotConnect, "The service cannot be reached"},
                 {navErrorBadAnswer, "The service's answer cannot be read"},
                 {navErrorRefusedContent, "The service sent something that cannot be shown"},
                 {navErrorOtherOrigin, "The service sent the page to another site"}};
    for (const Case& c : cases) {
        main->AdvGlowButton_InboxClick(nullptr);
        MainEngine()->RaiseNavigateError(Page("user_inbox.php?agenting=true"), c.Code);
        ui.Process();
        EXPECT_EQ(main->StatusText(), c.Text);
    }
    EXPECT_TRUE(ui.SeenMessages().empty()) << "no login asked for, no box";
    EXPECT_FALSE(main->FSessionClosed);
}

TEST_F(ServiceFailureTest, TheFailedSignInPhraseCountsOnlyInAnswersToTheSignInBody) {
    SignIn();
    MainEngine()->RaiseDocumentComplete(Page("user_home.php?agenting=true"), "<html>Overview</html>");
    // Each showing of the login notes the page that brought it back, and signs in again.
    std::vector<String> broughtBack;
    for (int i = 0; i < 4; ++i)
        ui.WhenModal([&](TCustomForm* Dlg) {
            broughtBack.push_back(MainEngine()->LocationURL());
            login->ledt_Login->SetText("demo");
            login->ledt_Password->SetText("demo123");
            ui.ClickButton(Dlg, "OK");
        });
    // A search whose results quote the phrase, a plain page holding it, a page the user reached by a
    // link: the session goes on.
    main->edt_Search->SetText("Incorrect username or password");
    Word enter = 13;
    main->edt_SearchKeyDown(nullptr, enter, {});
    MainEngine()->RaiseDocumentComplete(Page("search.php?agenting=true"), FailedPage);
    main->FAQ1Click(nullptr);
    MainEngine()->RaiseDocumentComplete(Page("faq.php?agenting=true"), FailedPage);
    MainEngine()->RaiseDocumentComplete(Page("message.php?id=7"), FailedPage);
    // A member page's answer with it: the sign-in is asked for again.
    main->AdvGlowButton_OutboxClick(nullptr);
    MainEngine()->RaiseDocumentComplete(Page("user_outbox.php?agenting=true"), FailedPage);
    ui.Process();
    EXPECT_EQ(broughtBack, std::vector<String>{Page("user_outbox.php?agenting=true")});
    EXPECT_EQ(MainNavigations().back().URL, Page("user_home.php?agenting=true"));
    while (ui.PendingActions() > 0) // the showings that did not come
        login->ShowModal();
}

TEST_F(ServiceFailureTest, ALinkToAnotherSiteOpensThroughTheDesktopOnly) {
    std::vector<String> opened;
    auto previous = AdvOfficeStatusBar::SetUriLauncher([&](const String& Uri) {
        opened.push_back(Uri);
        return true;
    });
    SignIn();
    main->WebBrowser_MainExternalLink(nullptr, "https://bank.example/login");
    main->WebBrowser_MainExternalLink(nullptr, "mailto:admin@kalvenor.example");
    main->WebBrowser_MainExternalLink(nullptr, "file:///etc/passwd");
    AdvOfficeStatusBar::SetUriLauncher(previous);
    EXPECT_EQ(opened, (std::vector<String>{"https://bank.example/login", "mailto:admin@kalvenor.example"}));
    EXPECT_EQ(MainNavigations().size(), 1u) << "the program's window goes nowhere";
}

TEST_F(ServiceFailureTest, ThePageCopyGoesWithTheProgram) {
    SignIn();
    MainEngine()->RaiseDocumentComplete(Page("user_home.php?agenting=true"), "<html>Balance 1,204.50</html>");
    const String copy = folder.Path() + "/tmp.html";
    struct stat st {};
    ASSERT_EQ(::stat(copy.c_str(), &st), 0);
    AppForms::FreeForms();
    EXPECT_NE(::stat(copy.c_str(), &st), 0);
}

} // namespace
