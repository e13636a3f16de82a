// Thread hooks: chains newest first; a hook may unhook itself or another one while it runs.

#include <algorithm>

#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {

namespace {
// The hook now running, per chain call, so that CallNextHookEx finds the next one.
std::vector<std::shared_ptr<Hook>> CallStack;

LRESULT CallFrom(size_t start, int kind, int code, WPARAM wp, LPARAM lp) {
    auto chain = S().Hooks; // a snapshot: hooks added or removed meanwhile do not disturb the walk
    for (size_t i = start; i < chain.size(); ++i) {
        auto& h = chain[i];
        if (h->Kind != kind || h->Dead) continue;
        CallStack.push_back(h);
        struct Pop {
            ~Pop() { CallStack.pop_back(); }
        } pop;
        return h->Proc(code, wp, lp);
    }
    return 0;
}
} // namespace

bool HasHook(int kind) {
    return std::any_of(S().Hooks.begin(), S().Hooks.end(),
                       [&](const auto& h) { return h->Kind == kind && !h->Dead; });
}

LRESULT CallHooks(int kind, int code, WPARAM wp, LPARAM lp, bool* any) {
    if (any) *any = HasHook(kind);
    return CallFrom(0, kind, code, wp, lp);
}

} // namespace detail

using namespace detail;

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, HINSTANCE, DWORD thread) {
    State& s = S();
    bool known = kind == WH_MSGFILTER || kind == WH_KEYBOARD || kind == WH_GETMESSAGE ||
                 kind == WH_CALLWNDPROC || kind == WH_CBT || kind == WH_MOUSE;
    if (!proc || !known || (thread != 0 && thread != GetCurrentThreadId())) {
        s.LastError = proc ? ERROR_INVALID_PARAMETER : ERROR_INVALID_FILTER_PROC;
        return nullptr;
    }
    auto h = std::make_shared<Hook>();
    h->Handle = reinterpret_cast<HHOOK>(s.NextHookId);
    s.NextHookId += 0x10;
    h->Kind = kind;
    h->Proc = proc;
    s.Hooks.insert(s.Hooks.begin(), h);
    return h->Handle;
}

BOOL UnhookWindowsHookEx(HHOOK hh) {
    State& s = S();
    auto it = std::find_if(s.Hooks.begin(), s.Hooks.end(), [&](const auto& h) { return h->Handle == hh; });
    if (it == s.Hooks.end()) {
        s.LastError = ERROR_INVALID_HOOK_HANDLE;
        return FALSE;
    }
    (*it)->Dead = true;
    s.Hooks.erase(it);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK, int code, WPARAM wp, LPARAM lp) {
    if (CallStack.empty()) return 0;
    auto current = CallStack.back();
    auto& hooks = S().Hooks;
    // The next hook of the same kind after the current one (or, if the current one was removed, after
    // the place where it was: every older hook of the kind).
    size_t start = 0;
    auto it = std::find(hooks.begin(), hooks.end(), current);
    if (it != hooks.end())
        start = static_cast<size_t>(it - hooks.begin()) + 1;
    else {
        // Removed while running: continue with the hooks older than it (higher ids were added later).
        auto older = std::find_if(hooks.begin(), hooks.end(), [&](const auto& h) {
            return reinterpret_cast<std::uintptr_t>(h->Handle) <
                   reinterpret_cast<std::uintptr_t>(current->Handle);
        });
        start = static_cast<size_t>(older - hooks.begin());
    }
    return CallFrom(start, current->Kind, code, wp, lp);
}

BOOL CallMsgFilter(MSG* msg, int code) {
    if (!msg || !HasHook(WH_MSGFILTER)) return FALSE;
    return CallHooks(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)) ? TRUE : FALSE;
}

} // namespace win
