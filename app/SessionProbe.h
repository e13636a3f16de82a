#pragma once
// What the end-to-end tests of the program (tests/app/e2e) read of a session they drive from outside.
// With KALVENOR_SESSION_PROBE set, the program prints one line on its standard output, flushed at once,
// for each of:
//
//     status <text>                       the main window's first status panel shows text
//     gauge <position> <maximum>          the page-load gauge was set
//     message <text>                      the shell shows a message box
//     login <login>|<password length>|<0 or 1>
//                                         the login dialog shows: the login, how many bytes the password
//                                         edit holds (never the password) and whether "Save password" is
//                                         checked
//
// Without the variable nothing is printed.

#include "platform/rtl/Types.h"

namespace SessionProbe {

using vcl::String;

void Status(const String& Text);
void Gauge(int Position, int Maximum);
void Message(const String& Text);
void LoginShown(const String& Login, const String& Password, bool Save);

} // namespace SessionProbe
