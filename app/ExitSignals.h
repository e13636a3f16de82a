#pragma once
// SIGTERM and SIGINT end the program the normal way, as the main window's close box does: the window's
// placement is saved, the session is signed out at the service, the forms are freed and the page copy
// is removed. Killed at once, as the signals' default does, the program would leave all of that undone.
//
// A signal handler may do almost nothing safely, so it only counts the signal; a timer of the window
// system (TExitWatch) notices the count in whichever message loop runs and takes the way out, one step
// a tick: it ends a tracked menu, then cancels every modal form (a message box, the login dialog, the
// about box), then asks the main window to close. The first signal asks once, and the window waits for
// the service's exit page as after a close request; a second one closes it at once; a third one, for a
// program whose loop no longer runs, ends it as the signal's default does.

#include "platform/vcl/Timer.h"

namespace ExitSignals {

// How often the watch looks at the count, in milliseconds.
inline constexpr unsigned PollInterval = 200;

// Installs the handlers (and clears the count); Uninstall puts back what was there before.
void Install();
void Uninstall();

// Signals counted since Install.
int Received();

// The program's exit status: 128 plus the first signal's number when a signal ended it (as a shell
// reports a program ended by that signal), otherwise Normal.
int ExitStatus(int Normal);

class TExitWatch : public vcl::TTimer {
    KV_CLASS(TExitWatch, vcl::TTimer)
public:
    explicit TExitWatch(vcl::TComponent* AOwner);

protected:
    void Timer() override;

private:
    int FAnswered = 0; // signals whose close request has been made
};

} // namespace ExitSignals
