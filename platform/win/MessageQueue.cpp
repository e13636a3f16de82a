// The message queue: sent and posted messages, retrieval in the platform's order (sent, posted, quit,
// input, paint, timers), translation, dispatch, waiting, and timers.

#include <algorithm>

#include "platform/win/Gdi.h"
#include "platform/win/QueueWake.h"
#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {

namespace {

bool InRange(UINT msg, UINT min, UINT max) {
    return (min == 0 && max == 0) || (msg >= min && msg <= max);
}

bool WindowMatches(HWND msgWindow, HWND filter) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(std::intptr_t{-1})) return msgWindow == nullptr;
    return msgWindow == filter;
}

Timer* DueTimer(HWND filter, std::uint32_t now) {
    Timer* best = nullptr;
    for (Timer& t : S().Timers) {
        if (!WindowMatches(t.Handle, filter)) continue;
        if (static_cast<std::int32_t>(now - t.Due) < 0) continue;
        if (!best || static_cast<std::int32_t>(t.Due - best->Due) < 0 ||
            (t.Due == best->Due && t.Order < best->Order))
            best = &t;
    }
    return best;
}

bool Fetch(MSG* out, HWND filter, UINT min, UINT max, UINT flags) {
    State& s = S();
    bool remove = flags & PM_REMOVE;
    std::uint32_t now = Backend().TickCount();
    // A wake-up from a signal handler or another thread is posted now, behind what is there.
    PostWakeMessage();
    // Posted messages.
    for (auto it = s.Posted.begin(); it != s.Posted.end(); ++it) {
        if (!WindowMatches(it->hwnd, filter) || !InRange(it->message, min, max)) continue;
        *out = *it;
        if (remove) s.Posted.erase(it);
        return true;
    }
    // The quit message, once the posted messages are gone.
    if (s.QuitPending && InRange(WM_QUIT, min, max)) {
        *out = MSG{};
        out->message = WM_QUIT;
        out->wParam = static_cast<WPARAM>(s.QuitCode);
        out->time = now;
        out->pt = s.Cursor;
        if (remove) s.QuitPending = false;
        return true;
    }
    // Input. Input handled without a message of its own (the application losing the activation) may
    // have posted some: those are retrieved now, not left for a later call.
    const std::size_t posted = s.Posted.size();
    if (ConvertInput(out, filter, min, max, remove)) return true;
    if (s.Posted.size() != posted) return Fetch(out, filter, min, max, flags);
    // Hover tracking comes due like a timer.
    if (s.Track.HoverDue && static_cast<std::int32_t>(now - *s.Track.HoverDue) >= 0 && W(s.Track.Window) &&
        WindowMatches(s.Track.Window, filter)) {
        bool nc = s.Track.Flags & TME_NONCLIENT;
        UINT msg = nc ? WM_NCMOUSEHOVER : WM_MOUSEHOVER;
        if (InRange(msg, min, max)) {
            *out = MSG{};
            out->hwnd = s.Track.Window;
            out->message = msg;
            POINT p = s.Cursor;
            if (!nc) ScreenToClient(out->hwnd, &p);
            WPARAM keys = 0;
            if (s.Keys[VK_LBUTTON] & 0x80) keys |= MK_LBUTTON;
            if (s.Keys[VK_RBUTTON] & 0x80) keys |= MK_RBUTTON;
            if (s.Keys[VK_MBUTTON] & 0x80) keys |= MK_MBUTTON;
            if (s.Keys[VK_SHIFT] & 0x80) keys |= MK_SHIFT;
            if (s.Keys[VK_CONTROL] & 0x80) keys |= MK_CONTROL;
            out->wParam = nc ? static_cast<WPARAM>(HitTest(W(out->hwnd), s.Cursor)) : keys;
            out->lParam = MAKELPARAM(p.X, p.Y);
            if (remove) {
                s.Track.HoverDue.reset();
                s.Track.Flags &= ~TME_HOVER;
                if (!s.Track.Flags) s.Track.Window = nullptr;
            }
            return true;
        }
    }
    // Paint, only when nothing else is there.
    if (InRange(WM_PAINT, min, max))
        if (Wnd* w = NextPaintWindow(
                filter && filter != reinterpret_cast<HWND>(std::intptr_t{-1}) ? filter : nullptr)) {
            if (!filter || w->Handle == filter) {
                *out = MSG{};
                out->hwnd = w->Handle;
                out->message = WM_PAINT;
                return true;
            }
        }
    // Timers, last.
    if (InRange(WM_TIMER, min, max))
        if (Timer* t = DueTimer(filter, now)) {
            *out = MSG{};
            out->hwnd = t->Handle;
            out->message = WM_TIMER;
            out->wParam = t->Id;
            out->lParam = reinterpret_cast<LPARAM>(t->Proc);
            if (remove) {
                t->Due = now + t->Elapse;
                t->Order = ++s.TimerOrder;
            }
            return true;
        }
    return false;
}

bool Retrieve(MSG* msg, HWND filter, UINT min, UINT max, UINT flags) {
    State& s = S();
    FreeGraveyard();
    if (!Fetch(msg, filter, min, max, flags)) return false;
    if (!msg->time) {
        // Generated messages (paint, timers) carry the time and place of their retrieval.
        msg->time = Backend().TickCount();
        msg->pt = s.Cursor;
    }
    s.MessageTime = msg->time;
    s.MessagePos = msg->pt;
    if (HasHook(WH_GETMESSAGE))
        CallHooks(WH_GETMESSAGE, HC_ACTION, (flags & PM_REMOVE) ? PM_REMOVE : PM_NOREMOVE,
                  reinterpret_cast<LPARAM>(msg));
    return true;
}

// Waits for something that a retrieval with this filter could return.
void WaitFor(HWND filter) {
    State& s = S();
    std::optional<std::uint32_t> deadline;
    std::uint32_t now = Backend().TickCount();
    for (const Timer& t : s.Timers)
        if (WindowMatches(t.Handle, filter))
            if (!deadline || static_cast<std::int32_t>(t.Due - *deadline) < 0) deadline = t.Due;
    if (s.Track.HoverDue && WindowMatches(s.Track.Window, filter))
        if (!deadline || static_cast<std::int32_t>(*s.Track.HoverDue - *deadline) < 0)
            deadline = s.Track.HoverDue;
    if (deadline && static_cast<std::int32_t>(*deadline - now) <= 0) return;
    backend::WaitResult r = Backend().Wait(deadline);
    if (r != backend::WaitResult::Idle) return;
    if (s.IdleHandler && s.IdleHandler()) return;
    throw EMessageLoopIdle();
}

} // namespace

void KillTimersOf(Wnd* w) {
    auto& v = S().Timers;
    v.erase(std::remove_if(v.begin(), v.end(), [&](const Timer& t) { return t.Handle == w->Handle; }),
            v.end());
    if (S().Track.Window == w->Handle) S().Track = Tracking{};
}

std::optional<std::uint32_t> NextDeadline() {
    std::optional<std::uint32_t> d;
    for (const Timer& t : S().Timers)
        if (!d || static_cast<std::int32_t>(t.Due - *d) < 0) d = t.Due;
    if (S().Track.HoverDue && (!d || static_cast<std::int32_t>(*S().Track.HoverDue - *d) < 0))
        d = S().Track.HoverDue;
    return d;
}

void RemovePostedFor(HWND h) {
    auto& q = S().Posted;
    q.erase(std::remove_if(q.begin(), q.end(), [&](const MSG& m) { return m.hwnd == h; }), q.end());
}

} // namespace detail

using namespace detail;

LRESULT SendMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    State& s = S();
    if (h == HWND_BROADCAST) {
        std::vector<HWND> tops;
        for (Wnd* t : s.Desktop->Children)
            tops.push_back(t->Handle);
        for (HWND t : tops)
            if (W(t)) SendMessage(t, msg, wp, lp);
        return 0;
    }
    Wnd* w = W(h);
    if (!w || w->IsDesktop() || !w->Proc) return 0;
    if (HasHook(WH_CALLWNDPROC)) {
        CWPSTRUCT cwp{lp, wp, msg, h};
        CallHooks(WH_CALLWNDPROC, HC_ACTION, 0, reinterpret_cast<LPARAM>(&cwp));
        if (!W(h)) return 0;
    }
    ++s.SendDepth;
    struct Guard {
        State& s;
        ~Guard() { --s.SendDepth; }
    } guard{s};
    return w->Proc(h, msg, wp, lp);
}

BOOL PostMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    State& s = S();
    if (h == HWND_BROADCAST) {
        for (Wnd* t : s.Desktop->Children)
            PostMessage(t->Handle, msg, wp, lp);
        return TRUE;
    }
    if (h && !Checked(h)) return FALSE;
    MSG m{};
    m.hwnd = h;
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    m.time = Backend().TickCount();
    m.pt = s.Cursor;
    s.Posted.push_back(m);
    return TRUE;
}

BOOL PostThreadMessage(DWORD tid, UINT msg, WPARAM wp, LPARAM lp) {
    if (tid != GetCurrentThreadId()) {
        S().LastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    return PostMessage(nullptr, msg, wp, lp);
}

void PostQuitMessage(int code) {
    S().QuitPending = true;
    S().QuitCode = code;
}

BOOL GetMessage(MSG* msg, HWND h, UINT min, UINT max) {
    if (!msg) return -1;
    if (h && h != reinterpret_cast<HWND>(std::intptr_t{-1}) && !Checked(h)) return -1;
    for (;;) {
        if (Retrieve(msg, h, min, max, PM_REMOVE)) return msg->message == WM_QUIT ? FALSE : TRUE;
        WaitFor(h);
    }
}

BOOL PeekMessage(MSG* msg, HWND h, UINT min, UINT max, UINT flags) {
    if (!msg) return FALSE;
    if (h && h != reinterpret_cast<HWND>(std::intptr_t{-1}) && !W(h)) return FALSE;
    return Retrieve(msg, h, min, max, flags) ? TRUE : FALSE;
}

BOOL WaitMessage() {
    State& s = S();
    if (!s.Posted.empty() || s.QuitPending || WakePending() || HasInput() || NextPaintWindow(nullptr))
        return TRUE;
    std::uint32_t now = Backend().TickCount();
    for (const Timer& t : s.Timers)
        if (static_cast<std::int32_t>(now - t.Due) >= 0) return TRUE;
    WaitFor(nullptr);
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    UINT m = msg->message;
    if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_KEYUP && m != WM_SYSKEYUP) return FALSE;
    if (m == WM_KEYUP || m == WM_SYSKEYUP) return TRUE;
    char32_t ch = msg->wParam == VK_PACKET ? static_cast<char32_t>(msg->lPrivate)
                                           : CharFromKey(static_cast<UINT>(msg->wParam), S().Keys);
    if (!ch) return TRUE;
    MSG c = *msg;
    c.message = m == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    c.wParam = ch;
    // The character is read before anything posted later.
    S().Posted.push_front(c);
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    State& s = S();
    if (!msg) return 0;
    if ((msg->message == WM_TIMER || msg->message == 0x0118 /* WM_SYSTIMER */) && msg->lParam) {
        // Only a live timer's own procedure is called: a posted WM_TIMER cannot run arbitrary code.
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        bool live = std::any_of(s.Timers.begin(), s.Timers.end(), [&](const Timer& t) {
            return t.Handle == msg->hwnd && t.Id == msg->wParam && t.Proc == proc;
        });
        if (!live) return 0;
        ++s.DispatchDepth;
        proc(msg->hwnd, WM_TIMER, msg->wParam, Backend().TickCount());
        --s.DispatchDepth;
        FreeGraveyard();
        return 0;
    }
    Wnd* w = W(msg->hwnd);
    if (!w || w->IsDesktop() || !w->Proc) return 0;
    ++s.DispatchDepth;
    LRESULT r;
    try {
        r = w->Proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    } catch (...) {
        --s.DispatchDepth;
        throw;
    }
    --s.DispatchDepth;
    if (msg->message == WM_PAINT) {
        // A window procedure that did not validate is validated here, so that WM_PAINT does not repeat.
        if (Wnd* ww = W(msg->hwnd)) {
            if (ww->Update) SetRectRgn(ww->Update, 0, 0, 0, 0);
            ww->InternalPaint = false;
            ww->ErasePending = false;
            ww->FramePending = false;
        }
    }
    FreeGraveyard();
    return r;
}

DWORD GetMessageTime() {
    return S().MessageTime;
}
DWORD GetMessagePos() {
    return static_cast<DWORD>(MAKELPARAM(S().MessagePos.X, S().MessagePos.Y));
}
BOOL InSendMessage() {
    return FALSE;
}
DWORD GetTickCount() {
    return Backend().TickCount();
}
void SetIdleHandler(std::function<bool()> handler) {
    S().IdleHandler = std::move(handler);
}

// ---- Timers

UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    State& s = S();
    if (h && !Checked(h)) return 0;
    elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    std::uint32_t now = Backend().TickCount();
    if (!h) {
        bool exists = id && std::any_of(s.Timers.begin(), s.Timers.end(),
                                        [&](const Timer& t) { return !t.Handle && t.Id == id; });
        if (!exists) {
            do {
                id = ++s.NextThreadTimerId;
            } while (std::any_of(s.Timers.begin(), s.Timers.end(),
                                 [&](const Timer& t) { return !t.Handle && t.Id == id; }));
        }
    }
    for (Timer& t : s.Timers)
        if (t.Handle == h && t.Id == id) {
            t.Elapse = elapse;
            t.Proc = proc;
            t.Due = now + elapse;
            t.Order = ++s.TimerOrder;
            return id ? id : 1;
        }
    Timer t;
    t.Window = W(h);
    t.Handle = h;
    t.Id = id;
    t.Elapse = elapse;
    t.Proc = proc;
    t.Due = now + elapse;
    t.Order = ++s.TimerOrder;
    s.Timers.push_back(t);
    return id ? id : 1;
}

BOOL KillTimer(HWND h, UINT_PTR id) {
    State& s = S();
    auto it = std::find_if(s.Timers.begin(), s.Timers.end(),
                           [&](const Timer& t) { return t.Handle == h && t.Id == id; });
    if (it == s.Timers.end()) return FALSE;
    s.Timers.erase(it);
    // A WM_TIMER of it that was already posted goes too.
    auto& q = s.Posted;
    q.erase(
        std::remove_if(q.begin(), q.end(),
                       [&](const MSG& m) { return m.message == WM_TIMER && m.hwnd == h && m.wParam == id; }),
        q.end());
    return TRUE;
}

} // namespace win
