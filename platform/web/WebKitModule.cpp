// Loads the WebKit engine's module on first use (see WebKitEngine.h).

#include <gmodule.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define KV_CHECK_LEAKS_BEFORE_ENGINE_EXIT 1
#endif

#include "platform/backend/Backend.h"
#include "platform/rtl/Exceptions.h"
#include "platform/web/GtkHost.h"
#include "platform/web/NavigationPolicy.h"
#include "platform/web/WebKitEngine.h"

namespace vcl {

namespace {

constexpr const char* kModuleName = "libkalvenor-webkit.so";
constexpr const char* kEntry = "kalvenor_create_webkit_engine";
using TEntry = TBrowserEngine* (*)();

// What the module takes from the program that nothing in the program itself calls: referenced here so
// that the linker keeps it in the program.
[[gnu::used]] void* (*const kKeptHost)(void*) = &webhost::GtkWindowOf;
[[gnu::used]] navpolicy::TVerdict (*const kKeptPolicy)(const String&,
                                                       const navpolicy::TNavigation&) = &navpolicy::Decide;
// (A document's vtable is where its class is kept: making one refers to it.)
[[gnu::used]] IDispatch* KeptDocument() {
    return new THTMLDocument(String(), String());
}

String ModulePath() {
    if (const char* p = std::getenv("KALVENOR_WEBKIT_MODULE"); p && *p) return p;
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return kModuleName;
    String path(self, static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/') + 1) + kModuleName;
}

// The module is loaded through GModule, never with dlopen itself: its libraries' initialisers (libsoup's)
// take GModule's lock while the loader holds its own, and the GTK thread may at that moment be inside
// g_module_symbol (a GtkBuilder template at the first pointer event, an input method or image loader),
// holding GModule's lock and waiting for the loader's. g_module_open takes GModule's lock before the
// loader's, as GLib's own callers do, so the two threads take them in one order; the lock is recursive, so
// the initialisers' own GModule calls on the loading thread go through. The GTK thread's next lookup then
// waits for the load to end rather than for ever.
//
// The module stays loaded until the program ends (WebKit cannot be unloaded): it is made resident, and its
// handle is never closed.
TEntry LoadEntry() {
    static TEntry entry = nullptr;
    static String failure;
    static std::once_flag once;
    std::call_once(once, [] {
        String path = ModulePath();
        GModule* module = g_module_open(path.c_str(), G_MODULE_BIND_LOCAL);
        if (!module) {
            const gchar* why = g_module_error();
            failure = "Cannot load the browser engine (" + path + "): " + (why ? why : "unknown error");
            return;
        }
        g_module_make_resident(module);
#ifdef KV_CHECK_LEAKS_BEFORE_ENGINE_EXIT
        // The engine's libraries register their own clean-up at exit as they load, so a handler made
        // after them runs first: the leak checker then sees the process as it does when the libraries
        // are linked in (their clean-up after the check), not half torn down.
        std::atexit([] { __lsan_do_leak_check(); });
#endif
        gpointer symbol = nullptr;
        if (g_module_symbol(module, kEntry, &symbol) && symbol)
            entry = reinterpret_cast<TEntry>(symbol);
        else
            failure = "The browser engine module " + path + " has no entry " + kEntry;
    });
    if (!entry) throw EOleError(failure);
    return entry;
}

} // namespace

void LoadWebKitModule() {
    try {
        LoadEntry();
    } catch (const EOleError&) {
        // Reported again when an engine is asked for.
    }
}

void LoadWebKitModuleInBackground(std::chrono::milliseconds Delay) {
    // The thread waits Delay first (the window that asked is still to show its first frame, which the
    // loading must not slow down or swell), and is told to stop waiting at exit, where it is joined: the
    // program never ends while the loader is inside the load.
    struct TLoader {
        std::thread Thread;
        std::mutex Lock;
        std::condition_variable Wake;
        bool Ending = false;
        ~TLoader() {
            {
                std::lock_guard<std::mutex> hold(Lock);
                Ending = true;
            }
            Wake.notify_all();
            if (Thread.joinable()) Thread.join();
        }
    };
    static TLoader loader;
    static std::once_flag started;
    std::call_once(started, [Delay] {
        loader.Thread = std::thread([Delay] {
            {
                std::unique_lock<std::mutex> hold(loader.Lock);
                if (loader.Wake.wait_for(hold, Delay, [] { return loader.Ending; })) return;
            }
            LoadWebKitModule();
        });
    });
}

std::unique_ptr<TBrowserEngine> CreateWebKitEngine() {
    if (!backend::HasBackend() || String(backend::GetBackend().Name()) != "gtk")
        throw EOleError("The WebKit browser engine needs the GTK display backend");
    return std::unique_ptr<TBrowserEngine>(LoadEntry()());
}

} // namespace vcl
