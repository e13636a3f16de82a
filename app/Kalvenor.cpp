// The program's entry: the application, its five forms and the message loop. No command line is read;
// the service's address comes from KALVENOR_SERVICE_URL (see ServicePages.h). SIGTERM, SIGINT and SIGHUP
// take the normal way out (see ExitSignals.h).

#include <cstdio>
#include <exception>

#include "app/AppForms.h"
#include "app/ExitSignals.h"
#include "app/ServicePages.h"
#include "app/SessionProbe.h"
#include "app/StartupProbe.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysInfo.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Dialogs.h"
#include "platform/win/FontAlias.h"

namespace {

// Installs the display backend. Without a display there is nothing to show the program on and nobody to
// tell in a window: the reason goes to standard error and the program ends with a failure.
bool OpenDisplay() {
    const vcl::String name =
        gtkbackend::BackendNameFor(vcl::SysInfo().GetEnvironmentVariable("KALVENOR_BACKEND"));
    try {
        gtkbackend::ChooseBackendForProgram();
        backend::GetBackend();
        return true;
    } catch (const vcl::Exception& E) {
        if (name == "gtk") {
            const vcl::String display = vcl::SysInfo().GetEnvironmentVariable("DISPLAY");
            if (display.empty())
                std::fprintf(stderr, "kalvenor: cannot open display (DISPLAY is not set)\n");
            else
                std::fprintf(stderr, "kalvenor: cannot open display \"%s\"\n", display.c_str());
        } else {
            std::fprintf(stderr, "kalvenor: %s\n", E.Message.c_str());
        }
        return false;
    }
}

} // namespace

int main(int, char**) {
    using namespace vcl;
    ExitSignals::Install();
    // The login dialog's text needs fontconfig's set-up, read from disk: it comes while the display opens.
    win::PrepareFontsAhead();
    // An address the sign-in can never reach is told before anything is shown: on standard error (which
    // is all there is without a display), then in a box.
    const String addressProblem = ServicePages::ServiceAddressProblem();
    if (!addressProblem.empty()) std::fprintf(stderr, "kalvenor: %s\n", addressProblem.c_str());
    if (!OpenDisplay()) return 1;
    TComponentPtr<ExitSignals::TExitWatch> exitWatch;
    try {
        StartupProbe::InstallIfAsked();
        Application->Initialize();
        Application->SetMainFormOnTaskBar(true);
        Application->SetTitle("Kalvenor");
        exitWatch.reset(new ExitSignals::TExitWatch(nullptr));
        if (!addressProblem.empty()) {
            SessionProbe::Message(addressProblem);
            Application->MessageBox(addressProblem, Application->Title(), win::MB_OK | win::MB_ICONSTOP);
            return 1;
        }
        AppForms::CreateForms(true);
        Application->Run();
    } catch (const Exception& E) {
        Application->ShowException(E);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    exitWatch.reset();
    try {
        AppForms::FreeForms();
    } catch (...) {
        // Nothing left to tell anyone at this point.
    }
    return ExitSignals::ExitStatus(0);
}
