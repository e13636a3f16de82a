#include "platform/web/BrowserEngine.h"

#include <cstring>

#include "platform/backend/Backend.h"
#include "platform/rtl/Exceptions.h"
#include "platform/web/WebKitEngine.h"

namespace vcl {

namespace {

TBrowserEngineFactory& Factory() {
    static TBrowserEngineFactory factory;
    return factory;
}

bool OnGtk() {
    return backend::HasBackend() && std::strcmp(backend::GetBackend().Name(), "gtk") == 0;
}

} // namespace

void SetBrowserEngineFactory(TBrowserEngineFactory F) {
    Factory() = std::move(F);
}

bool BrowserEngineAvailable() {
    return static_cast<bool>(Factory()) || OnGtk();
}

void PreloadBrowserEngine() {
    // A second: the asking window's first frame is on the screen by then, and nobody has typed a
    // password yet.
    if (!Factory() && OnGtk()) LoadWebKitModuleInBackground(std::chrono::seconds(1));
}

std::unique_ptr<TBrowserEngine> CreateBrowserEngine() {
    if (Factory()) {
        auto engine = Factory()();
        if (!engine) throw EOleError("The browser engine factory made no engine");
        return engine;
    }
    if (!OnGtk()) throw EOleError("No browser engine: pages can be shown on the GTK display backend only");
    return CreateWebKitEngine();
}

} // namespace vcl
