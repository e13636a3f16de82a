#pragma once
// A measuring aid for the start-up benchmark (bench/GtkStartup.cpp). With KALVENOR_STARTUP_PROBE set,
// the program prints "first-frame" on its standard output once the login dialog's first complete frame
// is on the screen, waits until its standard input is closed (so that its memory can be read at that
// moment), and ends at once. Without the variable nothing changes.

//
// With KALVENOR_SIGNIN_PROBE set, it prints "sign-in <ms>" when the login dialog signs in and
// "document-complete <ms>" when the main window's first page has loaded (milliseconds of the monotonic
// clock), for the benchmark of the first page (bench/startup/signin_probe.py). Set to "preload", the
// browser engine's module is loaded before the login dialog shows, as the reference to compare with.

namespace StartupProbe {

void InstallIfAsked();
void SignedIn();
void DocumentComplete();

} // namespace StartupProbe
