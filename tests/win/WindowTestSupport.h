#pragma once
// Shared by the window-system tests: a fresh offscreen screen per test, a message log, and a class whose
// procedure records every message before the default processing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "platform/win/PaintStamp.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"
#include "tests/support/OffscreenBackend.h"

namespace wintest {

using namespace win;

struct Logged {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};

inline std::vector<Logged>& Log() {
    static std::vector<Logged> log;
    return log;
}

// Per-test overrides: return true to answer a message with *result instead of the default processing.
inline std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>& Override() {
    static std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> f;
    return f;
}

inline LRESULT LogProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    Log().push_back({h, m, w, l});
    LRESULT r = 0;
    if (Override() && Override()(h, m, w, l, &r)) return r;
    return DefWindowProc(h, m, w, l);
}

// Answers one message (of one window, or of any) with a fixed result instead of the default processing.
inline void Answer(UINT msg, LRESULT result, HWND only = nullptr) {
    Override() = [=](HWND h, UINT m, WPARAM, LPARAM, LRESULT* r) {
        if (m != msg || (only != nullptr && h != only)) return false;
        *r = result;
        return true;
    };
}

// Registers a class of the given style, procedure and cursor under a name.
inline void RegisterTestClass(const char* name, UINT style, WNDPROC proc = LogProc,
                              HCURSOR cursor = nullptr) {
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hCursor = cursor;
    wc.lpszClassName = name;
    RegisterClassEx(&wc);
}

inline const char* kClass = "KvTestWindow";
inline const char* kDblClass = "KvTestDblClk";

class WinTest : public ::testing::Test {
protected:
    void SetUp() override {
        detail::ResetState();
        auto b = std::make_unique<offscreen::OffscreenBackend>();
        screen = b.get();
        backend::SetBackend(std::move(b));
        for (const char* name : {kClass, kDblClass}) {
            WNDCLASSEX wc{};
            wc.cbSize = sizeof wc;
            wc.style = name == kDblClass ? CS_DBLCLKS : 0;
            wc.lpfnWndProc = LogProc;
            wc.cbWndExtra = 16;
            wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_WINDOW + 1));
            wc.lpszClassName = name;
            RegisterClassEx(&wc);
        }
        Log().clear();
        Override() = nullptr;
    }
    void TearDown() override {
        Override() = nullptr;
        // The windows made through Top and Child are the fixture's: it destroys them (with their timers
        // and capture). Anything else a test leaves alive is reported by the leak check.
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            if (IsWindow(*it)) DestroyWindow(*it);
        made_.clear();
        detail::ResetState();
        Log().clear();
    }

    HWND Top(int x, int y, int cx, int cy, DWORD style = WS_OVERLAPPEDWINDOW, DWORD ex = 0,
             HWND owner = nullptr, const char* cls = kClass) {
        return Made(CreateWindowEx(ex, cls, "Top", style, x, y, cx, cy, owner, nullptr, nullptr, nullptr));
    }
    HWND Child(HWND parent, int x, int y, int cx, int cy, DWORD style = WS_CHILD | WS_VISIBLE, int id = 1,
               const char* cls = kClass) {
        return Made(CreateWindowEx(0, cls, "Child", style, x, y, cx, cy, parent,
                                   reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr,
                                   nullptr));
    }
    HWND Made(HWND h) {
        if (h) made_.push_back(h);
        return h;
    }

    // The messages one window received, in order, without the chatty ones.
    static std::vector<UINT> MessagesOf(HWND h, std::set<UINT> skip = {WM_NCHITTEST, WM_SETCURSOR, WM_GETTEXT,
                                                                       WM_GETTEXTLENGTH, WM_NCPAINT,
                                                                       WM_ERASEBKGND, WM_PAINT}) {
        std::vector<UINT> r;
        for (const Logged& l : Log())
            if (l.hwnd == h && !skip.count(l.msg)) r.push_back(l.msg);
        return r;
    }
    // The messages of all windows, as (window, message) pairs.
    static std::vector<std::pair<HWND, UINT>> AllMessages(std::set<UINT> keep) {
        std::vector<std::pair<HWND, UINT>> r;
        for (const Logged& l : Log())
            if (keep.count(l.msg)) r.emplace_back(l.hwnd, l.msg);
        return r;
    }
    // Each time a window (any window, for nullptr) received a message, in order.
    static std::vector<Logged> Sent(HWND h, UINT msg) {
        std::vector<Logged> r;
        for (const Logged& l : Log())
            if ((h == nullptr || l.hwnd == h) && l.msg == msg) r.push_back(l);
        return r;
    }
    // The wParams of those messages (the characters of WM_CHAR, the sizes' kinds of WM_SIZE, ...).
    static std::vector<WPARAM> WParams(HWND h, UINT msg) {
        std::vector<WPARAM> r;
        for (const Logged& l : Sent(h, msg))
            r.push_back(l.wp);
        return r;
    }
    // The first time a window received a message (fails the test when it never did).
    static Logged First(HWND h, UINT msg) {
        std::vector<Logged> sent = Sent(h, msg);
        if (!sent.empty()) return sent.front();
        ADD_FAILURE() << "message " << msg << " not sent";
        return {};
    }
    static int Count(HWND h, UINT msg) {
        return static_cast<int>(std::count_if(Log().begin(), Log().end(),
                                              [&](const Logged& l) { return l.hwnd == h && l.msg == msg; }));
    }
    static void Pump() { offscreen::OffscreenBackend::ProcessMessages(); }

    offscreen::OffscreenBackend* screen = nullptr;

private:
    std::vector<HWND> made_;
};

// A test that works a menu loop (a modal loop of the window system) from inside it: each idle turn of the
// loop takes the next step; a loop left waiting with none fails the test.
class MenuLoopTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        SetIdleHandler([this] {
            if (steps.empty()) return false;
            auto step = std::move(steps.front());
            steps.pop_front();
            step();
            return true;
        });
    }
    void TearDown() override {
        SetIdleHandler(nullptr);
        WinTest::TearDown();
    }

    std::deque<std::function<void()>> steps;
};

} // namespace wintest
