// The main window's session with the service after the sign-in: completed documents, failed
// navigations, links elsewhere, and the sign-out when the window closes.

#include "app/AppForms.h"
#include "app/ServicePages.h"
#include "app/SessionProbe.h"
#include "app/StartupProbe.h"
#include "app/UnitAbout.h"
#include "app/UnitMain.h"
#include "components/statusbar/UriLauncher.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Dialogs.h"
#include "platform/win/Window.h"

namespace UnitMain {

using namespace vcl;

void Tfrm_Main::FormCloseQuery(TObject*, bool& CanClose) {
    SavePlacement();
    // A second close request while signing out: the user does not wait for the service.
    if (FSessionClosed || FLoggingOut) {
        FSessionClosed = true;
        FExitTimer->SetEnabled(false);
        CanClose = true;
        return;
    }
    // The page's process has just ended (killed, or crashed; the signals of the program's process group do
    // not reach it). The exit page comes from a fresh process then, and is waited for briefly only: the user
    // has asked to close.
    const bool pageJustEnded = FPageEnded && win::GetTickCount() - FPageEndedAt < PageEndedGrace;
    // The user has asked to close: whatever the pages still ask is answered unseen, as a page being left
    // is answered, rather than put in front of a window that says "Signing out...".
    WebBrowser_Main->SetSilent(true);
    if (!(pageJustEnded ? AskExitPageAgain() : AskExitPage())) {
        // The browser refused even to try: no exit page can ever complete, so the session counts as
        // closed rather than keeping the window open for good.
        FSessionClosed = true;
        CanClose = true;
        return;
    }
    FLoggingOut = true;
    CanClose = false;
    if (pageJustEnded) return;
    SetStatusText("Signing out...");
    WaitForExitPage(ExitPageTimeout);
}

bool Tfrm_Main::AskExitPage() {
    try {
        WebBrowser_Main->Navigate(ServicePages::PageUrl("user_exit.php"));
    } catch (const Exception&) {
        return false;
    }
    FRequest = TRequest::Exit;
    return true;
}

bool Tfrm_Main::AskExitPageAgain() {
    if (!AskExitPage()) return false;
    FExitAskedAgain = true;
    SetStatusText("Signing out...");
    WaitForExitPage(ExitPageAgainTimeout);
    return true;
}

void Tfrm_Main::WaitForExitPage(unsigned Ms) {
    FExitTimer->SetEnabled(false);
    FExitTimer->SetInterval(Ms);
    FExitTimer->SetEnabled(true);
}

void Tfrm_Main::EndSession() {
    FSessionClosed = true;
    FExitTimer->SetEnabled(false);
    Close();
}

void Tfrm_Main::ExitTimerTimer(TObject*) {
    FExitTimer->SetEnabled(false);
    if (FLoggingOut && !FSessionClosed) EndSession();
}

void Tfrm_Main::Exit1Click(TObject*) {
    Close();
}

void Tfrm_Main::About1Click(TObject*) {
    AppForms::Need(UnitAbout::frm_About)->ShowModal();
}

void Tfrm_Main::WebBrowser_MainDocumentComplete(TObject*, const IDispatchPtr&, const OleVariant& URL) {
    StartupProbe::DocumentComplete();
    SetStatusText("Ready");
    const String url = URL.VarType() == varOleStr ? URL.AsString() : String();
    if (url.find("user_exit.php") != String::npos) {
        EndSession();
        return;
    }
    if (FInShow) return; // the login dialog is up already
    // A frame completes while the page still loads; the page's own completion answers the request.
    if (WebBrowser_Main->Busy()) return;
    // A page process that works again: an exit page can come from it.
    FPageEnded = false;
    const TRequest answered = FRequest;
    FRequest = TRequest::Other;
    // Only what the service answers to the sign-in body can say that the sign-in failed: a search or a
    // message that quotes the phrase says nothing about the session.
    if (answered != TRequest::SignIn && answered != TRequest::MemberPage) return;
    const String html = ServicePages::GetDocumentHtml(WebBrowser_Main);
    if (html.find("Incorrect username or password") != String::npos) FormShow(this);
}

String Tfrm_Main::FailureText(int StatusCode) {
    switch (StatusCode) {
    case navErrorCannotConnect:
        return "The service cannot be reached";
    case navErrorBadAnswer:
        return "The service's answer cannot be read";
    case navErrorRefusedContent:
        return "The service sent something that cannot be shown";
    case navErrorOtherOrigin:
        return "The service sent the page to another site";
    case navErrorPageEnded:
        return "The page stopped: the browser's page process ended";
    default:
        return "Service error " + std::to_string(StatusCode);
    }
}

void Tfrm_Main::WebBrowser_MainNavigateError(TObject*, const OleVariant&, int StatusCode) {
    const TRequest failed = FRequest;
    FRequest = TRequest::Other;
    if (StatusCode == navErrorPageEnded) {
        FPageEnded = true;
        FPageEndedAt = win::GetTickCount();
    }
    const String text = FailureText(StatusCode);
    SetStatusText(text);
    if (failed == TRequest::Exit) {
        if (!FLoggingOut || FSessionClosed) return;
        // The page's process ended under the exit page before it could ask the service (killed, or crashed):
        // asked once more, from a fresh process, and waited for briefly.
        if (StatusCode == navErrorPageEnded && !FExitAskedAgain && AskExitPageAgain()) return;
        // The service cannot sign us out now: the window closes all the same.
        EndSession();
        return;
    }
    if (failed != TRequest::SignIn || FInShow) return;
    // The sign-in did not happen: the user is told why and asked again, with the values as typed.
    SessionProbe::Message(text);
    Application->MessageBox(text, Application->Title(), win::MB_OK | win::MB_ICONWARNING);
    FormShow(this);
}

void Tfrm_Main::WebBrowser_MainExternalLink(TObject*, const String& URL) {
    // The desktop's handler shows the address (and the user sees that it is another site).
    if (AdvOfficeStatusBar::IsOpenableUri(URL)) AdvOfficeStatusBar::LaunchUri(URL);
}

} // namespace UnitMain
