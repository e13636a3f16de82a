// The program's entry: the application, its five forms and the message loop. No command line is read;
// the service's address comes from KALVENOR_SERVICE_URL (see ServicePages.h).

#include <exception>

#include "app/AppForms.h"
#include "app/StartupProbe.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Application.h"

int main(int, char**) {
    using namespace vcl;
    try {
        gtkbackend::ChooseBackendForProgram();
        StartupProbe::InstallIfAsked();
        Application->Initialize();
        Application->SetMainFormOnTaskBar(true);
        Application->SetTitle("Kalvenor");
        AppForms::CreateForms(true);
        Application->Run();
    } catch (const Exception& E) {
        Application->ShowException(E);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    try {
        AppForms::FreeForms();
    } catch (...) {
        // Nothing left to tell anyone at this point.
    }
    return 0;
}
