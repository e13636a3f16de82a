#pragma once
// The browser engine over WebKitGTK, for the GTK display backend. Its view is a native widget laid over
// the control's rectangle inside the GTK window of the control's top-level window.

#include <memory>

#include "platform/web/BrowserEngine.h"

namespace vcl {

// Makes the engine; raises EOleError when the display backend is not the GTK one.
std::unique_ptr<TBrowserEngine> CreateWebKitEngine();

} // namespace vcl
