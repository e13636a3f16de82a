// The active display backend: chosen at start-up, or installed by the program or a test.

#include <cstdlib>
#include <map>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/WindowInternal.h"

namespace win::detail {

namespace {

void Collect(Wnd* parent, std::vector<HWND>& out) {
    for (Wnd* c : parent->Children) {
        out.push_back(c->Handle);
        Collect(c, out);
    }
}

// A theme change (the display's settings, or SetTheme) reaches every window as WM_THEMECHANGED, top-level
// windows before their children; a window destroyed by an earlier handler is passed over.
void BroadcastThemeChanged() {
    std::vector<HWND> all;
    Collect(S().Desktop.get(), all);
    for (HWND h : all)
        if (W(h)) SendMessage(h, WM_THEMECHANGED, 0, 0);
}

} // namespace

} // namespace win::detail

namespace backend {

namespace {

std::unique_ptr<Backend>& Current() {
    static auto* b = new std::unique_ptr<Backend>;
    return *b;
}

std::map<String, std::function<std::unique_ptr<Backend>()>>& Factories() {
    static auto* m = new std::map<String, std::function<std::unique_ptr<Backend>()>>;
    return *m;
}

} // namespace

void RegisterBackendFactory(const String& name, std::function<std::unique_ptr<Backend>()> factory) {
    Factories()[name] = std::move(factory);
}

bool HasBackend() {
    return Current() != nullptr;
}

Backend& GetBackend() {
    auto& cur = Current();
    if (!cur) {
        const char* env = std::getenv("KALVENOR_BACKEND");
        String name = env && *env ? env : "offscreen";
        std::unique_ptr<Backend> b;
        auto it = Factories().find(name);
        if (it != Factories().end())
            b = it->second();
        else if (name == "offscreen")
            b = CreateOffscreenBackend();
        else
            throw vcl::Exception("Unknown display backend \"" + name + "\"");
        SetBackend(std::move(b));
    }
    return *cur;
}

void SetBackend(std::unique_ptr<Backend> b) {
    auto& cur = Current();
    auto& s = win::detail::S();
    // The native windows of the old backend go before it does.
    for (auto& [id, w] : s.Windows)
        w->Native.reset();
    cur = std::move(b);
    if (!cur) return;
    static const int themeListener =
        vcl::SysInfo().AddThemeChangeListener(win::detail::BroadcastThemeChanged);
    (void)themeListener;
    cur->SetSink(win::detail::Sink());
    cur->SetProgramIcon(win::detail::ProgramIconImages());
    for (win::detail::Wnd* t : s.Desktop->Children) {
        win::detail::EnsureSurface(t);
        win::detail::ApplyNativeSizeLimits(t);
    }
    win::detail::Restack();
}

} // namespace backend

namespace win::detail {
backend::Backend& Backend() {
    return backend::GetBackend();
}
} // namespace win::detail
