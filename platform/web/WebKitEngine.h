#pragma once
// The browser engine over WebKitGTK, for the GTK display backend. Its view is a native widget laid over
// the control's rectangle inside the GTK window of the control's top-level window.
//
// The engine lives in a module of its own (platform/web/webkit/, built as libkalvenor-webkit.so beside the
// program), loaded on the first navigation: a program that never shows a page never loads WebKit, its
// hundred-odd libraries and its OpenGL set-up, and starts no web process. The module finds the rest of
// the platform in the program itself, which therefore exports its symbols.

#include <chrono>
#include <memory>

#include "platform/web/BrowserEngine.h"

namespace vcl {

// Makes the engine, loading the module on first use (from KALVENOR_WEBKIT_MODULE when that is set, else
// beside the program); raises EOleError when the display backend is not the GTK one or the module cannot
// be loaded.
std::unique_ptr<TBrowserEngine> CreateWebKitEngine();
// Loads the module now, without making an engine; a failure is left for CreateWebKitEngine to report.
void LoadWebKitModule();
// Starts LoadWebKitModule on a thread of its own (once), after Delay; an engine asked for while the module
// loads waits for it.
void LoadWebKitModuleInBackground(std::chrono::milliseconds Delay);

} // namespace vcl
