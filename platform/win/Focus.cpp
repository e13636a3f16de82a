// Activation of top-level windows and the keyboard focus.

#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {

namespace {

void SendActivateApp(BOOL active) {
    std::vector<HWND> tops;
    for (Wnd* t : S().Desktop->Children)
        tops.push_back(t->Handle);
    for (HWND t : tops)
        if (Wnd* w = W(t))
            Send(w, WM_ACTIVATEAPP, static_cast<WPARAM>(active), static_cast<LPARAM>(GetCurrentThreadId()));
}

bool FocusIn(HWND top) {
    HWND f = S().Focus;
    return f && (f == top || IsChild(top, f));
}

void KillFocusIn(HWND top) {
    State& s = S();
    if (FocusIn(top)) {
        HWND f = s.Focus;
        s.Focus = nullptr;
        if (Wnd* fw = W(f)) Send(fw, WM_KILLFOCUS, 0, 0);
    }
}

WPARAM ActivateCode(WORD how, const Wnd* w) {
    return MAKEWPARAM(how, (w->Style & WS_MINIMIZE) ? 1 : 0);
}

bool CanActivate(Wnd* t, Wnd* leaving) {
    return t != leaving && (t->Style & WS_VISIBLE) && !(t->Style & (WS_DISABLED | WS_MINIMIZE)) &&
           !(t->ExStyle & WS_EX_NOACTIVATE) && !t->Destroying;
}

} // namespace

void ActivateWindow(Wnd* w, WORD how, bool fromShow) {
    State& s = S();
    w = Root(w);
    if (!w || w->IsDesktop()) return;
    HWND h = w->Handle;
    HWND old = s.Active;
    if (old == h) return;
    if (HasHook(WH_CBT)) {
        CBTACTIVATESTRUCT cbt{how == WA_CLICKACTIVE, old};
        if (CallHooks(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(h), reinterpret_cast<LPARAM>(&cbt)))
            return;
        if (!W(h)) return;
    }
    // The old window keeps the focus through its deactivation: the new window takes it over from its
    // WM_ACTIVATE, so that WM_KILLFOCUS names the window getting the focus and WM_SETFOCUS the one losing it.
    if (Wnd* o = W(old)) {
        Send(o, WM_NCACTIVATE, FALSE, 0);
        if (W(old)) Send(o, WM_ACTIVATE, ActivateCode(WA_INACTIVE, o), reinterpret_cast<LPARAM>(h));
    }
    if (!W(h)) return;
    s.Active = h;
    if (!s.AppActive) {
        s.AppActive = true;
        SendActivateApp(TRUE);
        if (!W(h)) return;
    }
    // The activated window comes to the top of its group. One there already (first of all, or first under
    // the topmost windows, as high as it may go) is not moved at all: no WM_WINDOWPOSCHANGING, no
    // WM_WINDOWPOSCHANGED.
    if (!fromShow && ZOrderWouldChange(w, HWND_TOP)) {
        SetPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!W(h)) return;
    }
    Send(w, WM_NCACTIVATE, TRUE, 0);
    if (!W(h) || s.Active != h) return;
    Send(w, WM_ACTIVATE, ActivateCode(how, w), reinterpret_cast<LPARAM>(old));
    // The focus always lies inside the active window: one that the new window did not take (a handler that
    // kept it, or a minimised window, which takes none) is lost.
    if (W(h) && s.Active == h && s.Focus && !FocusIn(h)) {
        HWND f = s.Focus;
        s.Focus = nullptr;
        if (Wnd* fw = W(f)) Send(fw, WM_KILLFOCUS, 0, 0);
    }
}

void ActivateNext(Wnd* leaving) {
    State& s = S();
    HWND lh = leaving->Handle;
    Wnd* next = nullptr;
    if (leaving->Owner && CanActivate(leaving->Owner, leaving)) next = leaving->Owner;
    if (!next)
        for (Wnd* t : s.Desktop->Children)
            if (CanActivate(t, leaving)) {
                next = t;
                break;
            }
    if (next) {
        ActivateWindow(next, WA_ACTIVE, false);
        if (s.Active == lh) s.Active = nullptr;
        return;
    }
    // The application loses activation: the window hears it first, then every top-level window, and the
    // focus goes last.
    Send(leaving, WM_NCACTIVATE, FALSE, 0);
    if (W(lh)) Send(leaving, WM_ACTIVATE, ActivateCode(WA_INACTIVE, leaving), 0);
    s.Active = nullptr;
    if (s.AppActive) {
        s.AppActive = false;
        SendActivateApp(FALSE);
    }
    if (W(lh)) KillFocusIn(lh);
}

void Deactivated(Wnd* w) {
    State& s = S();
    HWND h = w->Handle;
    if (s.Active == h && w->IsTopLevel()) {
        ActivateNext(w);
        if (!W(h)) return;
    }
    KillFocusIn(h);
}

Wnd* EnabledPopup(Wnd* owner) {
    for (Wnd* x : S().Desktop->Children) {
        if (x->Owner != owner || !(x->Style & WS_VISIBLE) || (x->ExStyle & WS_EX_NOACTIVATE) || x->Destroying)
            continue;
        if (!(x->Style & WS_DISABLED)) return x;
        // A box that is itself disabled hands on to the box it shows.
        if (Wnd* inner = EnabledPopup(x)) return inner;
    }
    return nullptr;
}

bool HasFocusInside(Wnd* w) {
    return FocusIn(w->Handle);
}

} // namespace detail

using namespace detail;

HWND SetFocus(HWND h) {
    State& s = S();
    HWND old = s.Focus;
    if (!h) {
        s.Focus = nullptr;
        if (Wnd* o = W(old)) Send(o, WM_KILLFOCUS, 0, 0);
        return old;
    }
    Wnd* w = Checked(h);
    if (!w || w->IsDesktop()) return nullptr;
    for (Wnd* x = w; x && !x->IsDesktop(); x = x->Parent)
        if (x->Style & WS_DISABLED) return nullptr; // disabled windows take no keyboard input
    if (old == h) return old;
    if (HasHook(WH_CBT) &&
        CallHooks(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(h), reinterpret_cast<LPARAM>(old)))
        return nullptr;
    if (!W(h)) return nullptr;
    Wnd* root = Root(w);
    if (root->Handle != s.Active) {
        ActivateWindow(root, WA_ACTIVE, false);
        if (!W(h)) return nullptr;
        if (s.Active != root->Handle) return nullptr;
        old = s.Focus;
        if (old == h) return old;
    }
    s.Focus = h;
    TextInputFocusMoved(old, h);
    if (Wnd* o = W(old)) Send(o, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
    if (s.Focus != h || !W(h)) return old;
    Send(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() {
    return W(S().Focus) ? S().Focus : nullptr;
}

HWND SetActiveWindow(HWND h) {
    State& s = S();
    Wnd* w = Checked(h);
    if (!w) return nullptr;
    HWND old = s.Active;
    ActivateWindow(Root(w), WA_ACTIVE, false);
    return old;
}

HWND GetActiveWindow() {
    return W(S().Active) ? S().Active : nullptr;
}

BOOL SetForegroundWindow(HWND h) {
    Wnd* w = Checked(h);
    if (!w) return FALSE;
    ActivateWindow(Root(w), WA_ACTIVE, false);
    return S().Active == Root(w)->Handle ? TRUE : FALSE;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

} // namespace win
