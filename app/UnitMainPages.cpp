// The main window's pages: section buttons, menu items and the quick search.

#include "app/ServicePages.h"
#include "app/UnitMain.h"
#include "platform/rtl/SysUtils.h"

namespace UnitMain {

using namespace vcl;

void Tfrm_Main::PostMemberPage(const String& Page, const String& Status) {
    ServicePages::NavigatePost(WebBrowser_Main, ServicePages::PageUrl(Page),
                               ServicePages::SignInBody(FLogin, FPassword));
    FRequest = TRequest::MemberPage;
    SetStatusText(Status);
}

void Tfrm_Main::OpenPage(const String& Page, const String& Status) {
    WebBrowser_Main->Navigate(ServicePages::PageUrl(Page));
    FRequest = TRequest::Other;
    SetStatusText(Status);
}

void Tfrm_Main::AdvGlowButton_OverviewClick(TObject*) {
    PostMemberPage("user_home.php?agenting=true", "Overview loading...");
}
void Tfrm_Main::AdvGlowButton_SuppliesClick(TObject*) {
    PostMemberPage("user_supplies.php?agenting=true", "Loading supplies list...");
}
void Tfrm_Main::AdvGlowButton_DemandsClick(TObject*) {
    PostMemberPage("user_demands.php?agenting=true", "Loading demands list...");
}
void Tfrm_Main::AdvGlowButton_ContactsClick(TObject*) {
    PostMemberPage("user_contacts.php?agenting=true", "Contacts loading...");
}
void Tfrm_Main::AdvGlowButton_InboxClick(TObject*) {
    PostMemberPage("user_inbox.php?agenting=true", "Inbox messages loading...");
}
void Tfrm_Main::AdvGlowButton_OutboxClick(TObject*) {
    PostMemberPage("user_outbox.php?agenting=true", "Outbox messages loading...");
}
void Tfrm_Main::AdvGlowButton_AddFundsClick(TObject*) {
    PostMemberPage("user_addfunds.php?agenting=true", "Add Funds page loading...");
}
void Tfrm_Main::AdvGlowButton_TransactionsClick(TObject*) {
    PostMemberPage("user_transactions.php?agenting=true", "Transactions loading...");
}
void Tfrm_Main::AdvGlowButton_HitsClick(TObject*) {
    PostMemberPage("user_hits.php?agenting=true", "Hits statistics loading...");
}
void Tfrm_Main::AdvGlowButton_CatalogClick(TObject*) {
    OpenPage("catalog.php?agenting=true", "Catalog loading...");
}
void Tfrm_Main::Profile1Click(TObject*) {
    OpenPage("user_profile.php?agenting=true", "User profile loading...");
}
void Tfrm_Main::FAQ1Click(TObject*) {
    OpenPage("faq.php?agenting=true", "FAQ loading...");
}
void Tfrm_Main::Contactadministrator1Click(TObject*) {
    OpenPage("contacts.php?agenting=true", "Contact administrator loading...");
}

void Tfrm_Main::edt_SearchKeyDown(TObject*, Word& Key, TShiftState) {
    if (Key != 13) return;
    ServicePages::NavigatePost(WebBrowser_Main, ServicePages::PageUrl("search.php?agenting=true"),
                               ServicePages::SearchBody(edt_Search->Text()));
    FRequest = TRequest::Other;
    SetStatusText("Searching ...");
}

void Tfrm_Main::edt_SearchEnter(TObject*) {
    if (Trim(edt_Search->Text()) == "search...") edt_Search->SetText("");
}

void Tfrm_Main::edt_SearchExit(TObject*) {
    if (Trim(edt_Search->Text()).empty()) edt_Search->SetText("search...");
}

} // namespace UnitMain
