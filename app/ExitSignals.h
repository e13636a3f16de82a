#pragma once
// SIGTERM, SIGINT and SIGHUP (the terminal the program was started from closing) end the program the
// normal way, as the main window's close box does: the window's placement is saved, the session is
// signed out at the service, the forms are freed and the page copy is removed. Killed at once, as the
// signals' default does, the program would leave all of that undone. A signal ignored when the program
// starts (nohup's SIGHUP) stays ignored.
//
// A signal handler may do almost nothing safely: it counts the signal and wakes the message queue
// (win::WakeQueue), whichever loop waits, and the watch (TExitWatch) takes the way out on the GUI thread
// at once, one step after the other: it ends a tracked menu, then cancels every modal form (a message
// box, the login dialog, the about box), then asks the main window to close.
//
// Signals that come together are one request: a signal makes a new one only when it comes
// SameRequestMs or more after the first signal of the one before (a sender's burst, or the SIGHUP of a
// closed terminal that its shell sends again to its jobs, is one request). The first request signs out,
// and the window waits for the service's exit page as after a close request; a second one closes it at
// once.
//
// The signals are the program's alone, from its first line: Install blocks them in the thread that calls it
// (the GUI thread, first thing in main, before any other thread or process is started), and a thread of the
// watch's own, which leaves them open and does nothing else, takes them for the whole run. Every thread
// started afterwards inherits them blocked, and so does every process those threads start: the browser
// engine's processes never take a signal sent to the program's whole process group (Ctrl+C in a terminal, a
// desktop session's end, the SIGHUP of a closed terminal). The engine aborts the whole program when a process
// it starts ends before it has told the engine who it is, which such a signal did; and a page process ended
// by the group's signal took the exit page with it. The engine's processes end with the program instead
// (the browser control ends its page process when it goes). A process the program starts for the user (the
// desktop's link handler) is started with no signal blocked, as it would be from a shell.
//
// The signal's default is the last resort, for a program whose loop no longer answers: a signal counts
// toward it only when it comes PressingMs or more after the last one that counted, the program having had
// the time to answer that one; the third that counts takes the default, and the page copy
// (RemoveWhenKilled) is removed first.

#include <cstdint>
#include <memory>

#include "platform/vcl/Timer.h"

namespace ExitSignals {

inline constexpr std::int64_t SameRequestMs = 250;
inline constexpr std::int64_t PressingMs = 1000;

// The handler's clock: monotonic milliseconds, async-signal-safe.
using TClock = std::int64_t (*)();
std::int64_t MonotonicMilliseconds();

// Installs the handlers (and clears the counts), blocks the three signals in the calling thread and starts
// the thread that takes them; Uninstall puts back what was there before.
void Install(TClock Clock = MonotonicMilliseconds);
void Uninstall();

// Signals counted since Install, and the requests they make.
int Received();
int Requests();

// The file to remove before the signal's default ends the program (empty: none). Paths of 4096 bytes or
// more are not kept.
void RemoveWhenKilled(const vcl::String& Path);

// The program's exit status: 128 plus the first signal's number when a signal ended it (as a shell
// reports a program ended by that signal), otherwise Normal.
int ExitStatus(int Normal);

// Answers the requests on the GUI thread, woken by the handler. One lives while the program runs.
class TExitWatch : public vcl::TComponent {
    KV_CLASS(TExitWatch, vcl::TComponent)
public:
    explicit TExitWatch(vcl::TComponent* AOwner);
    ~TExitWatch() override;

private:
    void Answer();
    void AnswerAgain();

    std::unique_ptr<vcl::TUtilityWindow> FWindow;
    vcl::TNotifyEvent FOuterModalBegin;
    int FAnswered = 0; // requests whose close request has been made
};

} // namespace ExitSignals
