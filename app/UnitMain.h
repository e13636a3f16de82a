#pragma once
// The main window: the session with the service (login, sign-in post, exit page), the window's placement
// in the registry, the section buttons, menu items, quick search, status texts and progress.
//
// The session's states: Asking (the login dialog is up), Signed in, Logging out (a close was refused and
// the exit page requested: "Signing out...") and Closed (FSessionClosed: the window may close). A
// completed document whose address contains "user_exit.php" ends the session from any state. So do, while
// logging out, a second close request, an exit page that fails, and ten seconds without its answer: the
// user is never kept waiting on the service for good. When the browser's page process has just ended with
// the close request (killed, or crashed: the signals sent to the program's process group never reach it),
// the exit page is asked for once more from a fresh process and waited for two seconds only.
// While logging out the pages' questions are answered without being shown.
//
// A navigation that fails reads as a failure: the status bar says what happened ("The service cannot be
// reached", "Service error 500"), and when it was the sign-in post the login dialog comes back, after a
// message box saying the same, with the values typed. Only the answers to the posts that carry the
// sign-in body (the sign-in and the member pages) are looked at for the failed-sign-in phrase.

#include <functional>

#include "components/foundation/AdvGlowButton.h"
#include "components/foundation/ExeInfo.h"
#include "components/menus/AdvMenuStylers.h"
#include "components/menus/AdvMenus.h"
#include "components/statusbar/AdvOfficeStatusBar.h"
#include "components/statusbar/AdvOfficeStatusBarStylers.h"
#include "components/toolbar/AdvToolBar.h"
#include "platform/rtl/Registry.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/MenuItem.h"
#include "platform/vcl/Timer.h"
#include "platform/vcl/XPMan.h"
#include "platform/web/WebBrowser.h"

namespace UnitMain {

using vcl::String;
using vcl::TObject;

// The registry key of the program's settings (under the current user's hive).
inline constexpr const char* RegistryKey = "Software\\Orvandel\\Kalvenor";
// How long the window waits for the exit page before it closes anyway.
inline constexpr unsigned ExitPageTimeout = 10000;
// How long the exit page is waited for when it is asked for again after the browser's page process ended.
inline constexpr unsigned ExitPageAgainTimeout = 2000;
// How long after the browser's page process ended a close request counts as coming with that end.
inline constexpr unsigned PageEndedGrace = 2000;

class Tfrm_Main : public vcl::TForm {
    KV_CLASS(Tfrm_Main, vcl::TForm)
    KV_PUBLISHED_PROPERTIES(Tfrm_Main)
public:
    explicit Tfrm_Main(vcl::TComponent* AOwner);
    ~Tfrm_Main() override;

    // ---- Components of the layout
    AdvToolBar::TAdvDockPanel* AdvDockPanel_Left = nullptr;
    AdvToolBar::TAdvToolBar* AdvToolBar_Left = nullptr;
    AdvToolBar::TAdvToolBarContainer* AdvToolBarContainer = nullptr;
    vcl::TEdit* edt_Search = nullptr;
    AdvToolBar::TAdvToolBarSeparator* AdvToolBarSeparator1 = nullptr;
    AdvToolBar::TAdvToolBarSeparator* AdvToolBarSeparator2 = nullptr;
    AdvToolBar::TAdvToolBarSeparator* AdvToolBarSeparator3 = nullptr;
    AdvToolBar::TAdvToolBarSeparator* AdvToolBarSeparator4 = nullptr;
    AdvToolBar::TAdvToolBarSeparator* AdvToolBarSeparator5 = nullptr;
    AdvToolBar::TAdvToolBarSeparator* AdvToolBarSeparator6 = nullptr;
    AdvGlowButton::TAdvGlowButton* AdvGlowButton_Catalog = nullptr;
    AdvGlowButton::TAdvGlowButton* AdvGlowButton_Overview = nullptr;
    AdvGlowButton::TAdvGlowButton* AdvGlowButton_Supplies = nullptr;
    AdvGlowButton::TAdvGlowButton* AdvGlowButton_Demands = nullptr;
    AdvGlowButton::TAdvGlowButton* AdvGlowButton_Contacts = nullptr;
    AdvGlowButton::TAdvGlowButton* AdvGlowButton_Inbox = nullptr;
    AdvGlowButton::TAdvGlowButton* AdvGlowButton_Outbox = nullptr;
    AdvGlowButton::TAdvGlowButton* AdvGlowButton_AddFunds = nullptr;
    AdvGlowButton::TAdvGlowButton* AdvGlowButton_Transactions = nullptr;
    AdvGlowButton::TAdvGlowButton* AdvGlowButton_Hits = nullptr;
    vcl::TWebBrowser* WebBrowser_Main = nullptr;
    AdvOfficeStatusBar::TAdvOfficeStatusBar* AdvOfficeStatusBar = nullptr;
    vcl::TXPManifest* XPManifest = nullptr;
    AdvToolBarStylers::TAdvToolBarOfficeStyler* AdvToolBarOfficeStyler = nullptr;
    AdvOfficeStatusBarStylers::TAdvOfficeStatusBarOfficeStyler* AdvOfficeStatusBarOfficeStyler = nullptr;
    AdvMenuStylers::TAdvMenuOfficeStyler* AdvMenuOfficeStyler = nullptr;
    AdvMenus::TAdvMainMenu* AdvMainMenu = nullptr;
    vcl::TMenuItem* File1 = nullptr;
    vcl::TMenuItem* Exit1 = nullptr;
    vcl::TMenuItem* Settings1 = nullptr;
    vcl::TMenuItem* Profile1 = nullptr;
    vcl::TMenuItem* Help1 = nullptr;
    vcl::TMenuItem* FAQ1 = nullptr;
    vcl::TMenuItem* N1 = nullptr;
    vcl::TMenuItem* Contactadministrator1 = nullptr;
    vcl::TMenuItem* N2 = nullptr;
    vcl::TMenuItem* About1 = nullptr;
    ExeInfo::TExeInfo* ExeInfo1 = nullptr;

    // ---- Session
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void Exit1Click(TObject* Sender);
    void About1Click(TObject* Sender);
    void WebBrowser_MainDocumentComplete(TObject* Sender, const vcl::IDispatchPtr& pDisp,
                                         const vcl::OleVariant& URL);
    void WebBrowser_MainNavigateError(TObject* Sender, const vcl::OleVariant& URL, int StatusCode);
    // A link of the service's pages to another site opens through the desktop's handler.
    void WebBrowser_MainExternalLink(TObject* Sender, const String& URL);
    // What the status bar says of a failed navigation (StatusCode as OnNavigateError gives it).
    static String FailureText(int StatusCode);

    // ---- Pages
    void AdvGlowButton_OverviewClick(TObject* Sender);
    void AdvGlowButton_SuppliesClick(TObject* Sender);
    void AdvGlowButton_DemandsClick(TObject* Sender);
    void AdvGlowButton_ContactsClick(TObject* Sender);
    void AdvGlowButton_InboxClick(TObject* Sender);
    void AdvGlowButton_OutboxClick(TObject* Sender);
    void AdvGlowButton_AddFundsClick(TObject* Sender);
    void AdvGlowButton_TransactionsClick(TObject* Sender);
    void AdvGlowButton_HitsClick(TObject* Sender);
    void AdvGlowButton_CatalogClick(TObject* Sender);
    void Profile1Click(TObject* Sender);
    void FAQ1Click(TObject* Sender);
    void Contactadministrator1Click(TObject* Sender);
    void edt_SearchKeyDown(TObject* Sender, vcl::Word& Key, vcl::TShiftState Shift);
    void edt_SearchEnter(TObject* Sender);
    void edt_SearchExit(TObject* Sender);
    void WebBrowser_MainProgressChange(TObject* Sender, int Progress, int ProgressMax);

    // The first status panel's text.
    void SetStatusText(const String& Text);
    String StatusText() const;

    // What the login dialog hands over; emptied at the start of every showing of the login.
    String FLogin;
    String FPassword;
    // True once the user abandoned the login or the exit page completed: only then may the window close.
    bool FSessionClosed = false;

    // Runs Use on the program's settings key (opened, and made when missing). Settings that cannot be read
    // or written (a damaged hive, or one that is not a file at all) stop nothing: the user is told once,
    // and the program goes on with the defaults and without saving. False when the settings failed.
    bool UseSettings(const std::function<void(vcl::TRegistry&)>& Use);

private:
    // What the browser loads for the window: its answer decides what a completed document or a failure
    // means. A page's own navigations (its links) count as Other.
    enum class TRequest { Other, SignIn, MemberPage, Exit };

    // Posts the sign-in body to a member page, then shows its status text.
    void PostMemberPage(const String& Page, const String& Status);
    // Requests a page plainly, then shows its status text.
    void OpenPage(const String& Page, const String& Status);
    void RestorePlacement();
    void SavePlacement();
    // Asks for the exit page (false when the browser refuses even to try).
    bool AskExitPage();
    // Asks for the exit page once more, from a fresh process, and waits ExitPageAgainTimeout from now for
    // it. False, as AskExitPage, when the browser refuses.
    bool AskExitPageAgain();
    // The window closes anyway when the exit page has not come Ms milliseconds from now.
    void WaitForExitPage(unsigned Ms);
    // The session is over: the window closes for real.
    void EndSession();
    void ExitTimerTimer(TObject* Sender);

    // The show handler is running (its login dialog is up): it must not run again inside itself.
    bool FInShow = false;
    TRequest FRequest = TRequest::Other;
    // A close was refused and the exit page asked for; and asked for again after the page's process ended
    // (once only).
    bool FLoggingOut = false;
    bool FExitAskedAgain = false;
    // The user has been told that the settings cannot be used.
    bool FSettingsFailureTold = false;
    // When the browser's page process last ended under it (a tick count), and whether it did since the last
    // page that completed.
    unsigned FPageEndedAt = 0;
    bool FPageEnded = false;
    vcl::TTimer* FExitTimer = nullptr;
};

extern Tfrm_Main* frm_Main;

} // namespace UnitMain
