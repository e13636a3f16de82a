// The section buttons, menu items, quick search, status texts and progress of the main window.

#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;
using namespace vcl;

using PagesTest = AppTest;

struct PostedPage {
    const char* Button;
    const char* Page;
    const char* Status;
};

const PostedPage MemberPages[] = {
    {"AdvGlowButton_Overview", "user_home.php?agenting=true", "Overview loading..."},
    {"AdvGlowButton_Supplies", "user_supplies.php?agenting=true", "Loading supplies list..."},
    {"AdvGlowButton_Demands", "user_demands.php?agenting=true", "Loading demands list..."},
    {"AdvGlowButton_Contacts", "user_contacts.php?agenting=true", "Contacts loading..."},
    {"AdvGlowButton_Inbox", "user_inbox.php?agenting=true", "Inbox messages loading..."},
    {"AdvGlowButton_Outbox", "user_outbox.php?agenting=true", "Outbox messages loading..."},
    {"AdvGlowButton_AddFunds", "user_addfunds.php?agenting=true", "Add Funds page loading..."},
    {"AdvGlowButton_Transactions", "user_transactions.php?agenting=true", "Transactions loading..."},
    {"AdvGlowButton_Hits", "user_hits.php?agenting=true", "Hits statistics loading..."},
};

TEST_F(PagesTest, EverySectionButtonPostsTheSignInToItsPageAndShowsItsStatus) {
    SignIn("trader", "s3cret");
    for (const PostedPage& p : MemberPages) {
        SCOPED_TRACE(p.Button);
        auto* button = uitest::UiDriver::Get<AdvGlowButton::TAdvGlowButton>(main, p.Button);
        const std::size_t before = MainNavigations().size();
        ui.Click(button);
        ASSERT_EQ(MainNavigations().size(), before + 1);
        const TNavigateRequest& r = MainNavigations().back();
        EXPECT_EQ(r.URL, String(Base) + p.Page);
        EXPECT_EQ(r.Method, "POST");
        EXPECT_EQ(r.Body, "login=trader&pass=s3cret");
        EXPECT_EQ(r.ContentType, "application/x-www-form-urlencoded");
        EXPECT_EQ(r.Flags, 10);
        EXPECT_EQ(main->StatusText(), p.Status);
    }
}

TEST_F(PagesTest, CatalogAndTheMenuItemsMakePlainRequests) {
    SignIn();
    struct Plain {
        std::function<void()> Act;
        const char* Page;
        const char* Status;
    };
    const Plain plain[] = {
        {[&] { ui.Click(main->AdvGlowButton_Catalog); }, "catalog.php?agenting=true", "Catalog loading..."},
        {[&] { main->Profile1->Click(); }, "user_profile.php?agenting=true", "User profile loading..."},
        {[&] { main->FAQ1->Click(); }, "faq.php?agenting=true", "FAQ loading..."},
        {[&] { main->Contactadministrator1->Click(); }, "contacts.php?agenting=true",
         "Contact administrator loading..."},
    };
    for (const Plain& p : plain) {
        SCOPED_TRACE(p.Page);
        p.Act();
        const TNavigateRequest& r = MainNavigations().back();
        EXPECT_EQ(r.URL, String(Base) + p.Page);
        EXPECT_EQ(r.Method, "GET");
        EXPECT_TRUE(r.Body.empty());
        EXPECT_EQ(main->StatusText(), p.Status);
    }
}

TEST_F(PagesTest, ARefusedNavigationRaisesAndLeavesTheStatusText) {
    SignIn();
    MainEngine()->OnNavigate = [](const TNavigateRequest&) { throw EOleError("refused"); };
    EXPECT_THROW(main->AdvGlowButton_InboxClick(nullptr), EOleError);
    EXPECT_THROW(main->FAQ1Click(nullptr), EOleError);
    EXPECT_EQ(main->StatusText(), "Overview loading...");
}

TEST_F(PagesTest, EnterInTheSearchBoxPostsTheSearchAndOtherKeysDoNothing) {
    SignIn();
    const std::size_t before = MainNavigations().size();
    main->edt_Search->SetText("search...");
    Word key = 'A';
    main->edt_SearchKeyDown(main->edt_Search, key, {});
    EXPECT_EQ(MainNavigations().size(), before);
    // The placeholder itself is searched for when Enter comes first.
    key = 13;
    main->edt_SearchKeyDown(main->edt_Search, key, {});
    EXPECT_EQ(key, 13);
    ASSERT_EQ(MainNavigations().size(), before + 1);
    EXPECT_EQ(MainNavigations().back().URL, String(Base) + "search.php?agenting=true");
    EXPECT_EQ(MainNavigations().back().Body, "searchword=search...");
    EXPECT_EQ(MainNavigations().back().Method, "POST");
    EXPECT_EQ(main->StatusText(), "Searching ...");
}

TEST_F(PagesTest, TypingASearchAndPressingEnterPostsItThroughTheRealInput) {
    SignIn();
    ui.Click(main->edt_Search);
    EXPECT_EQ(main->edt_Search->Text(), ""); // the placeholder went on entering
    ui.Type("red & blue");
    ui.Key(win::VK_RETURN);
    EXPECT_EQ(MainNavigations().back().Body, "searchword=red+%26+blue");
}

TEST_F(PagesTest, ThePlaceholderIgnoresSurroundingBlanks) {
    SignIn();
    main->edt_Search->SetText("  search...  ");
    main->edt_SearchEnter(nullptr);
    EXPECT_EQ(main->edt_Search->Text(), "");
    main->edt_Search->SetText("Search...");
    main->edt_SearchEnter(nullptr);
    EXPECT_EQ(main->edt_Search->Text(), "Search..."); // case counts
    main->edt_Search->SetText("   ");
    main->edt_SearchExit(nullptr);
    EXPECT_EQ(main->edt_Search->Text(), "search...");
    main->edt_Search->SetText(" gold ");
    main->edt_SearchExit(nullptr);
    EXPECT_EQ(main->edt_Search->Text(), " gold ");
}

TEST_F(PagesTest, ProgressValuesReachTheGaugeUnchanged) {
    SignIn();
    auto* gauge = main->AdvOfficeStatusBar->Panels()->GetItem(1)->Progress();
    MainEngine()->RaiseProgress(40, 100);
    EXPECT_EQ(gauge->Max(), 100);
    EXPECT_EQ(gauge->Position(), 40);
    main->WebBrowser_MainProgressChange(nullptr, 250, 100);
    EXPECT_EQ(gauge->Position(), 250);
    main->WebBrowser_MainProgressChange(nullptr, 5, 0);
    EXPECT_EQ(gauge->Max(), 0);
    EXPECT_EQ(gauge->Position(), 5);
}

} // namespace
