// The main window: its components, the start of the session, the placement and the status bar.

#include "app/UnitMain.h"

#include "platform/classes/ClassRegistry.h"

#include "app/ServicePages.h"
#include "app/SessionProbe.h"
#include "app/UnitLogin.h"
#include "app/WindowPlacement.h"
#include "platform/rtl/Registry.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"

namespace UnitMain {

using namespace vcl;

Tfrm_Main* frm_Main = nullptr;

KV_PUBLISHED(Tfrm_Main) {
    p.Field("AdvDockPanel_Left", &Tfrm_Main::AdvDockPanel_Left);
    p.Field("AdvToolBar_Left", &Tfrm_Main::AdvToolBar_Left);
    p.Field("AdvToolBarContainer", &Tfrm_Main::AdvToolBarContainer);
    p.Field("edt_Search", &Tfrm_Main::edt_Search);
    p.Field("AdvToolBarSeparator1", &Tfrm_Main::AdvToolBarSeparator1);
    p.Field("AdvToolBarSeparator2", &Tfrm_Main::AdvToolBarSeparator2);
    p.Field("AdvToolBarSeparator3", &Tfrm_Main::AdvToolBarSeparator3);
    p.Field("AdvToolBarSeparator4", &Tfrm_Main::AdvToolBarSeparator4);
    p.Field("AdvToolBarSeparator5", &Tfrm_Main::AdvToolBarSeparator5);
    p.Field("AdvToolBarSeparator6", &Tfrm_Main::AdvToolBarSeparator6);
    p.Field("AdvGlowButton_Catalog", &Tfrm_Main::AdvGlowButton_Catalog);
    p.Field("AdvGlowButton_Overview", &Tfrm_Main::AdvGlowButton_Overview);
    p.Field("AdvGlowButton_Supplies", &Tfrm_Main::AdvGlowButton_Supplies);
    p.Field("AdvGlowButton_Demands", &Tfrm_Main::AdvGlowButton_Demands);
    p.Field("AdvGlowButton_Contacts", &Tfrm_Main::AdvGlowButton_Contacts);
    p.Field("AdvGlowButton_Inbox", &Tfrm_Main::AdvGlowButton_Inbox);
    p.Field("AdvGlowButton_Outbox", &Tfrm_Main::AdvGlowButton_Outbox);
    p.Field("AdvGlowButton_AddFunds", &Tfrm_Main::AdvGlowButton_AddFunds);
    p.Field("AdvGlowButton_Transactions", &Tfrm_Main::AdvGlowButton_Transactions);
    p.Field("AdvGlowButton_Hits", &Tfrm_Main::AdvGlowButton_Hits);
    p.Field("WebBrowser_Main", &Tfrm_Main::WebBrowser_Main);
    p.Field("AdvOfficeStatusBar", &Tfrm_Main::AdvOfficeStatusBar);
    p.Field("XPManifest", &Tfrm_Main::XPManifest);
    p.Field("AdvToolBarOfficeStyler", &Tfrm_Main::AdvToolBarOfficeStyler);
    p.Field("AdvOfficeStatusBarOfficeStyler", &Tfrm_Main::AdvOfficeStatusBarOfficeStyler);
    p.Field("AdvMenuOfficeStyler", &Tfrm_Main::AdvMenuOfficeStyler);
    p.Field("AdvMainMenu", &Tfrm_Main::AdvMainMenu);
    p.Field("File1", &Tfrm_Main::File1);
    p.Field("Exit1", &Tfrm_Main::Exit1);
    p.Field("Settings1", &Tfrm_Main::Settings1);
    p.Field("Profile1", &Tfrm_Main::Profile1);
    p.Field("Help1", &Tfrm_Main::Help1);
    p.Field("FAQ1", &Tfrm_Main::FAQ1);
    p.Field("N1", &Tfrm_Main::N1);
    p.Field("Contactadministrator1", &Tfrm_Main::Contactadministrator1);
    p.Field("N2", &Tfrm_Main::N2);
    p.Field("About1", &Tfrm_Main::About1);
    p.Field("ExeInfo1", &Tfrm_Main::ExeInfo1);
    p.Handler("FormShow", &Tfrm_Main::FormShow);
    p.Handler("FormCloseQuery", &Tfrm_Main::FormCloseQuery);
    p.Handler("Exit1Click", &Tfrm_Main::Exit1Click);
    p.Handler("About1Click", &Tfrm_Main::About1Click);
    p.Handler("WebBrowser_MainDocumentComplete", &Tfrm_Main::WebBrowser_MainDocumentComplete);
    p.Handler("WebBrowser_MainProgressChange", &Tfrm_Main::WebBrowser_MainProgressChange);
    p.Handler("AdvGlowButton_OverviewClick", &Tfrm_Main::AdvGlowButton_OverviewClick);
    p.Handler("AdvGlowButton_SuppliesClick", &Tfrm_Main::AdvGlowButton_SuppliesClick);
    p.Handler("AdvGlowButton_DemandsClick", &Tfrm_Main::AdvGlowButton_DemandsClick);
    p.Handler("AdvGlowButton_ContactsClick", &Tfrm_Main::AdvGlowButton_ContactsClick);
    p.Handler("AdvGlowButton_InboxClick", &Tfrm_Main::AdvGlowButton_InboxClick);
    p.Handler("AdvGlowButton_OutboxClick", &Tfrm_Main::AdvGlowButton_OutboxClick);
    p.Handler("AdvGlowButton_AddFundsClick", &Tfrm_Main::AdvGlowButton_AddFundsClick);
    p.Handler("AdvGlowButton_TransactionsClick", &Tfrm_Main::AdvGlowButton_TransactionsClick);
    p.Handler("AdvGlowButton_HitsClick", &Tfrm_Main::AdvGlowButton_HitsClick);
    p.Handler("AdvGlowButton_CatalogClick", &Tfrm_Main::AdvGlowButton_CatalogClick);
    p.Handler("Profile1Click", &Tfrm_Main::Profile1Click);
    p.Handler("FAQ1Click", &Tfrm_Main::FAQ1Click);
    p.Handler("Contactadministrator1Click", &Tfrm_Main::Contactadministrator1Click);
    p.Handler("edt_SearchKeyDown", &Tfrm_Main::edt_SearchKeyDown);
    p.Handler("edt_SearchEnter", &Tfrm_Main::edt_SearchEnter);
    p.Handler("edt_SearchExit", &Tfrm_Main::edt_SearchExit);
}
KV_REGISTER_CLASS(Tfrm_Main)

Tfrm_Main::Tfrm_Main(TComponent* AOwner) : TForm(AOwner) {
    InitInheritedComponent();
    WebBrowser_Main->OnNavigateError = [this](TObject* Sender, const OleVariant& URL, int StatusCode) {
        WebBrowser_MainNavigateError(Sender, URL, StatusCode);
    };
    WebBrowser_Main->OnExternalLink = [this](TObject* Sender, const String& URL) {
        WebBrowser_MainExternalLink(Sender, URL);
    };
    FExitTimer = new TTimer(this);
    FExitTimer->SetEnabled(false);
    FExitTimer->SetInterval(ExitPageTimeout);
    FExitTimer->OnTimer = [this](TObject* Sender) { ExitTimerTimer(Sender); };
}

Tfrm_Main::~Tfrm_Main() {
    // The copy of the last page holds what the service showed the user: it does not outlive the run.
    ServicePages::RemovePageCopy();
}

// ---- Session

void Tfrm_Main::FormShow(TObject*) {
    // A document completing while the login dialog is up (a late frame, a refresh of the failed-login
    // page) must not ask for the login a second time.
    if (FInShow) return;
    FInShow = true;
    struct Reset {
        bool& Flag;
        ~Reset() { Flag = false; }
    } reset{FInShow};

    FSessionClosed = false;
    FLoggingOut = false;
    FExitAskedAgain = false;
    FExitTimer->SetEnabled(false);
    WebBrowser_Main->SetSilent(false);
    FLogin.clear();
    FPassword.clear();
    UnitLogin::frm_Login->ShowModal();
    if (!FLogin.empty() && !FPassword.empty()) {
        ServicePages::NavigatePost(WebBrowser_Main, ServicePages::PageUrl("user_home.php?agenting=true"),
                                   ServicePages::SignInBody(FLogin, FPassword));
        FRequest = TRequest::SignIn;
        SetStatusText("Overview loading...");
    } else {
        FSessionClosed = true;
        Close();
    }
    RestorePlacement();
}

bool Tfrm_Main::UseSettings(const std::function<void(TRegistry&)>& Use) {
    try {
        TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        reg.OpenKey(RegistryKey, true);
        Use(reg);
        reg.CloseKey();
        return true;
    } catch (const ERegistryException& E) {
        if (!FSettingsFailureTold) {
            FSettingsFailureTold = true;
            Application->ShowException(E);
        }
        return false;
    }
}

void Tfrm_Main::RestorePlacement() {
    WindowPlacement::TPlacement stored; // the defaults, where the settings cannot be read
    UseSettings([&](TRegistry& reg) { stored = WindowPlacement::Read(reg); });
    // Wherever the values say, the window ends on a monitor that is there now.
    std::vector<TRect> areas;
    for (int i = 0; i < Screen->MonitorCount(); ++i)
        areas.push_back(Screen->Monitors(i)->WorkareaRect());
    const TRect r =
        WindowPlacement::FitToWorkArea(Bounds(stored.Left, stored.Top, stored.Width, stored.Height), areas);
    SetTop(r.Top);
    SetLeft(r.Left);
    SetWidth(r.Width());
    SetHeight(r.Height());
    SetWindowState(stored.State == WindowPlacement::StateMaximised ? wsMaximized : wsNormal);
}

void Tfrm_Main::SavePlacement() {
    UseSettings([this](TRegistry& reg) {
        reg.WriteInteger("Top", Top());
        reg.WriteInteger("Left", Left());
        reg.WriteInteger("Width", Width());
        reg.WriteInteger("Height", Height());
        reg.WriteInteger("State", static_cast<int>(WindowState()));
    });
}

// ---- Status bar

void Tfrm_Main::SetStatusText(const String& Text) {
    AdvOfficeStatusBar->Panels()->GetItem(0)->SetText(Text);
    SessionProbe::Status(Text);
}

String Tfrm_Main::StatusText() const {
    return AdvOfficeStatusBar->Panels()->GetItem(0)->Text();
}

void Tfrm_Main::WebBrowser_MainProgressChange(TObject*, int Progress, int ProgressMax) {
    AdvOfficeStatusBar::TProgressStyle* gauge = AdvOfficeStatusBar->Panels()->GetItem(1)->Progress();
    gauge->SetMax(ProgressMax);
    gauge->SetPosition(Progress);
    SessionProbe::Gauge(Progress, ProgressMax);
}

} // namespace UnitMain
