#pragma once
// A measuring aid for the start-up benchmark (bench/AppStartup.cpp). With KALVENOR_STARTUP_PROBE set,
// the program prints "first-frame" on its standard output once the login dialog's first complete frame
// is on the screen, waits until its standard input is closed (so that its memory can be read at that
// moment), and ends at once. Without the variable nothing changes.

namespace StartupProbe {

void InstallIfAsked();

} // namespace StartupProbe
