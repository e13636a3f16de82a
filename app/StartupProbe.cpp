#include "app/StartupProbe.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/UnitLogin.h"

using UnitLogin::frm_Login;
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/vcl/PaintCheck.h"
#include "platform/web/WebKitEngine.h"

namespace StartupProbe {

namespace {

bool SignInProbe() {
    const char* asked = std::getenv("KALVENOR_SIGNIN_PROBE");
    return asked && *asked;
}

void Mark(const char* What) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("%s %.3f\n", What, std::chrono::duration<double, std::milli>(now).count());
    std::fflush(stdout);
}

} // namespace

void SignedIn() {
    if (SignInProbe()) Mark("sign-in");
}

void DocumentComplete() {
    static bool told = false;
    if (told || !SignInProbe()) return;
    told = true;
    Mark("document-complete");
}

void InstallIfAsked() {
    if (const char* preload = std::getenv("KALVENOR_SIGNIN_PROBE");
        preload && !std::strcmp(preload, "preload"))
        vcl::LoadWebKitModule();
    const char* asked = std::getenv("KALVENOR_STARTUP_PROBE");
    if (!asked || !*asked) return;
    gtkbackend::SetFrameObserver([](backend::NativeWindow*) {
        if (!frm_Login || !frm_Login->Visible() || !vcl::NothingLeftToPaint(frm_Login)) return;
        std::printf("first-frame\n");
        std::fflush(stdout);
        char buffer[64];
        while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
        }
        // Nothing of the session is left to save: the dialog was never answered.
        _exit(0);
    });
}

} // namespace StartupProbe
