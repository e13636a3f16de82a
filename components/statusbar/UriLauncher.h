#pragma once
// Opening web and mail addresses with the desktop's handler. The launcher is a replaceable function so
// that tests can see what would be opened without starting anything.

#include <functional>

#include "platform/rtl/Types.h"

namespace AdvOfficeStatusBar {

// Starts the desktop's handler for Uri; false when it could not be started.
using TUriLauncher = std::function<bool(const vcl::String& Uri)>;

// True for an address whose scheme is http, https, ftp (each followed by "://") or mailto (followed by
// ':'), in any case. Other schemes (file, javascript, a program's own) are never opened.
bool IsOpenableUri(const vcl::String& Anchor);
// Hands Uri to the current launcher (by default "gio open <uri>", started without a shell).
bool LaunchUri(const vcl::String& Uri);
// Replaces the launcher (null restores the default); returns the previous one.
TUriLauncher SetUriLauncher(TUriLauncher Launcher);

} // namespace AdvOfficeStatusBar
