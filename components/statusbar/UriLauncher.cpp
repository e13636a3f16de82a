#include "components/statusbar/UriLauncher.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <thread>

#include "platform/rtl/SysUtils.h"

extern char** environ;

namespace AdvOfficeStatusBar {

using vcl::String;

namespace {

// "gio open <uri>" with the address as one argument: no shell ever reads it. The handler, and the browser it
// may start, are the user's programs, not ours: they start with no signal blocked, whatever the thread that
// starts them keeps out (the program keeps its signals to itself), so that they can be ended as usual. A
// signal ignored when the program started stays ignored in them, as a shell would leave it.
bool GioOpen(const String& Uri) {
    String program = "gio", verb = "open", uri = Uri;
    char* argv[] = {program.data(), verb.data(), uri.data(), nullptr};
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) return false;
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, "gio", nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (failed) return false;
    // The handler runs on its own; a helper thread collects it when it ends.
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return true;
}

TUriLauncher& Current() {
    static TUriLauncher launcher = GioOpen;
    return launcher;
}

} // namespace

bool IsOpenableUri(const String& Anchor) {
    String lower = vcl::LowerCase(Anchor.substr(0, 8));
    for (const char* scheme : {"http://", "https://", "ftp://", "mailto:"})
        if (lower.rfind(scheme, 0) == 0) return Anchor.size() > String(scheme).size();
    return false;
}

bool LaunchUri(const String& Uri) {
    return Current() ? Current()(Uri) : false;
}

TUriLauncher SetUriLauncher(TUriLauncher Launcher) {
    TUriLauncher previous = Current();
    Current() = Launcher ? std::move(Launcher) : TUriLauncher(GioOpen);
    return previous;
}

} // namespace AdvOfficeStatusBar
