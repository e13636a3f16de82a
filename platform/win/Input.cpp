// Input: raw events from the backend become mouse and key messages when they are retrieved (hit testing,
// capture, activation on click, double clicks, mouse tracking, hooks); capture, key state and synthetic
// input.

#include <algorithm>
#include <cstdlib>

#include "platform/win/Gdi.h"
#include "platform/win/Menu.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {

Wnd* TargetAt(POINT pt, LRESULT* hit);

namespace {

constexpr int WMSZ_LEFT = 1, WMSZ_RIGHT = 2, WMSZ_TOP = 3, WMSZ_TOPLEFT = 4, WMSZ_TOPRIGHT = 5,
              WMSZ_BOTTOM = 6, WMSZ_BOTTOMLEFT = 7, WMSZ_BOTTOMRIGHT = 8;

UINT ButtonVk(backend::MouseButton b) {
    switch (b) {
    case backend::MouseButton::Left:
        return VK_LBUTTON;
    case backend::MouseButton::Right:
        return VK_RBUTTON;
    case backend::MouseButton::Middle:
        return VK_MBUTTON;
    case backend::MouseButton::X1:
        return VK_XBUTTON1;
    case backend::MouseButton::X2:
        return VK_XBUTTON2;
    }
    return VK_LBUTTON;
}

// The client message of a button transition: WM_LBUTTONDOWN, WM_RBUTTONUP, ...
UINT ButtonMessage(backend::MouseButton b, bool down) {
    switch (b) {
    case backend::MouseButton::Left:
        return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case backend::MouseButton::Right:
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case backend::MouseButton::Middle:
        return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
        return down ? WM_XBUTTONDOWN : WM_XBUTTONUP;
    }
}

UINT ToNonClient(UINT m) {
    if (m == WM_MOUSEMOVE) return WM_NCMOUSEMOVE;
    if (m >= WM_LBUTTONDOWN && m <= WM_MBUTTONDBLCLK) return m - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
    return m;
}

WPARAM MouseKeys(const BYTE* k) {
    WPARAM r = 0;
    if (k[VK_LBUTTON] & 0x80) r |= MK_LBUTTON;
    if (k[VK_RBUTTON] & 0x80) r |= MK_RBUTTON;
    if (k[VK_MBUTTON] & 0x80) r |= MK_MBUTTON;
    if (k[VK_XBUTTON1] & 0x80) r |= MK_XBUTTON1;
    if (k[VK_XBUTTON2] & 0x80) r |= MK_XBUTTON2;
    if (k[VK_SHIFT] & 0x80) r |= MK_SHIFT;
    if (k[VK_CONTROL] & 0x80) r |= MK_CONTROL;
    return r;
}

bool InRange(UINT msg, UINT min, UINT max) {
    return (min == 0 && max == 0) || (msg >= min && msg <= max);
}

bool Matches(HWND h, UINT msg, HWND filter, UINT min, UINT max) {
    if (filter && filter != h) return false;
    return InRange(msg, min, max);
}

void SetKey(BYTE* keys, UINT vk, bool down) {
    if (down) {
        if (!(keys[vk] & 0x80)) keys[vk] ^= 1; // each press toggles
        keys[vk] |= 0x80;
    } else
        keys[vk] &= static_cast<BYTE>(~0x80);
}

// Keeps the generic and the left/right state of Shift, Ctrl and Alt together.
void SetKeyState(BYTE* keys, UINT vk, bool extended, bool down) {
    auto pair = [&](UINT generic, UINT left, UINT right, bool isRight) {
        SetKey(keys, isRight ? right : left, down);
        bool any = (keys[left] & 0x80) || (keys[right] & 0x80);
        if (down || !any) SetKey(keys, generic, down);
    };
    switch (vk) {
    case VK_SHIFT:
        pair(VK_SHIFT, VK_LSHIFT, VK_RSHIFT, false);
        break;
    case VK_LSHIFT:
        pair(VK_SHIFT, VK_LSHIFT, VK_RSHIFT, false);
        break;
    case VK_RSHIFT:
        pair(VK_SHIFT, VK_LSHIFT, VK_RSHIFT, true);
        break;
    case VK_CONTROL:
        pair(VK_CONTROL, VK_LCONTROL, VK_RCONTROL, extended);
        break;
    case VK_LCONTROL:
        pair(VK_CONTROL, VK_LCONTROL, VK_RCONTROL, false);
        break;
    case VK_RCONTROL:
        pair(VK_CONTROL, VK_LCONTROL, VK_RCONTROL, true);
        break;
    case VK_MENU:
        pair(VK_MENU, VK_LMENU, VK_RMENU, extended);
        break;
    case VK_LMENU:
        pair(VK_MENU, VK_LMENU, VK_RMENU, false);
        break;
    case VK_RMENU:
        pair(VK_MENU, VK_LMENU, VK_RMENU, true);
        break;
    default:
        SetKey(keys, vk & 0xFF, down);
        break;
    }
}

MSG MakeMsg(HWND h, UINT m, WPARAM wp, LPARAM lp, POINT pt) {
    MSG r{};
    r.hwnd = h;
    r.message = m;
    r.wParam = wp;
    r.lParam = lp;
    r.time = Backend().TickCount();
    r.pt = pt;
    return r;
}

void PostLeave(MSG* out) {
    State& s = S();
    bool nc = s.Track.Flags & TME_NONCLIENT;
    *out = MakeMsg(s.Track.Window, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0, s.Cursor);
    s.Track = Tracking{};
}

// The pointer went into a native window not ours: no mouse message goes anywhere, no hover comes due,
// until it is back over one of ours. The tracked window has had its leave message by then (a capture
// keeps it: the capturing window hears of the pointer again when it comes back).
void PointerAway() {
    State& s = S();
    s.LastMouse = MouseTarget{};
    s.LastMouse.Away = true;
    if (s.Track.Window) s.Track.HoverDue.reset();
}

enum class Step { Produced, Consumed, Blocked };

// A press in a child: its parents hear of it, nearest first, in their own client coordinates (always with
// the button's down message, a double click too). False when the child went meanwhile.
bool NotifyParentsOfPress(Wnd* t, backend::MouseButton button, POINT pt) {
    if (t->IsTopLevel() || (t->ExStyle & WS_EX_NOPARENTNOTIFY)) return true;
    HWND h = t->Handle;
    for (Wnd* p = t->Parent; p && !p->IsDesktop(); p = p->Parent) {
        POINT pp = pt;
        ScreenToClient(p->Handle, &pp);
        HWND ph = p->Handle;
        SendMessage(ph, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<int>(ButtonMessage(button, true)), 0),
                    MAKELPARAM(pp.X, pp.Y));
        if (!W(h) || !W(ph)) return W(h) != nullptr;
        if (p->IsTopLevel() || (p->ExStyle & WS_EX_NOPARENTNOTIFY)) break;
    }
    return true;
}

// A press on a window that is not the active window itself (a child of the active window too) asks it
// whether to activate its top-level window and whether to keep the press; the default procedure asks the
// parents first. A window that never activates (WS_EX_NOACTIVATE) is asked as well but stays inactive.
// False when the press is eaten or the window went.
bool ClickActivate(Wnd* t, Wnd* root, LRESULT hit, UINT button) {
    HWND h = t->Handle, rh = root->Handle;
    LRESULT r = SendMessage(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(rh),
                            MAKELPARAM(static_cast<int>(hit), static_cast<int>(button)));
    if (!W(h)) return false;
    bool activates = r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT;
    if (activates && W(rh) && rh != S().Active && !(root->ExStyle & WS_EX_NOACTIVATE))
        ActivateWindow(root, WA_CLICKACTIVE, false);
    return r != MA_ACTIVATEANDEAT && r != MA_NOACTIVATEANDEAT && W(h);
}

Step ConvertMouse(const backend::InputEvent& ev, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
    State& s = S();
    POINT pt = ev.Screen;
    bool down = ev.Kind == backend::EventKind::ButtonDown;
    bool up = ev.Kind == backend::EventKind::ButtonUp;
    if (s.Drag.Window && remove && HandleDrag(ev)) return Step::Consumed;

    if (ev.Kind == backend::EventKind::Wheel) {
        Wnd* t = W(s.Focus);
        if (!t) t = W(s.Active);
        if (!t) return Step::Consumed;
        UINT m = ev.Horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;
        if (!Matches(t->Handle, m, filter, min, max)) return Step::Blocked;
        *out = MakeMsg(t->Handle, m, MAKEWPARAM(static_cast<int>(MouseKeys(s.Keys)), ev.WheelDelta),
                       MAKELPARAM(pt.X, pt.Y), pt);
        return Step::Produced;
    }

    // The pointer gone into a native window not ours is over no window of ours; only the capture keeps it.
    const bool away = ev.Kind == backend::EventKind::MouseLeave;
    Wnd* t = nullptr;
    LRESULT hit = HTCLIENT;
    if (Wnd* c = W(s.Capture))
        t = c;
    else if (!away)
        t = TargetAt(pt, &hit);
    // Leaving the tracked window (or its tracked area) posts the leave message first.
    if (s.Track.Window && (s.Track.Flags & TME_LEAVE)) {
        bool nc = s.Track.Flags & TME_NONCLIENT;
        bool inside = t && t->Handle == s.Track.Window &&
                      (s.Capture == s.Track.Window || (nc ? hit != HTCLIENT : hit == HTCLIENT));
        if (!inside) {
            if (!remove) {
                *out = MakeMsg(s.Track.Window, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0, s.Cursor);
                return Step::Produced;
            }
            PostLeave(out);
            return Step::Produced;
        }
    }
    if (away) {
        if (remove) PointerAway();
        return Step::Consumed;
    }
    if (!t) {
        if (remove) {
            if (down || up) SetKeyState(s.Keys, ButtonVk(ev.Button), down, down);
            s.LastMouse = MouseTarget{};
        }
        return Step::Consumed;
    }
    HWND h = t->Handle;
    Wnd* root = Root(t);
    bool captured = s.Capture == h;
    if (!captured && root && (root->Style & WS_DISABLED)) {
        // A disabled window (a modal dialog's owner) gets no mouse input; a press on it activates the box
        // that disables it, so that the keys go on to the box.
        if (remove) {
            if (down) {
                ++s.Beeps;
                SetKeyState(s.Keys, ButtonVk(ev.Button), true, false);
                if (Wnd* box = EnabledPopup(root)) ActivateWindow(box, WA_CLICKACTIVE, false);
            } else if (up)
                SetKeyState(s.Keys, ButtonVk(ev.Button), false, false);
        }
        return Step::Consumed;
    }
    UINT base = down || up ? ButtonMessage(ev.Button, down) : WM_MOUSEMOVE;
    bool client = captured || hit == HTCLIENT;
    UINT msg = client ? base : ToNonClient(base);
    if (!remove) {
        if (!Matches(h, msg, filter, min, max)) return Step::Blocked;
        POINT cp = pt;
        if (client) ScreenToClient(h, &cp);
        *out = MakeMsg(h, msg, client ? MouseKeys(s.Keys) : static_cast<WPARAM>(hit),
                       client ? MAKELPARAM(cp.X, cp.Y) : MAKELPARAM(pt.X, pt.Y), pt);
        return Step::Produced;
    }
    if (!captured) {
        SendMessage(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h),
                    MAKELPARAM(static_cast<int>(hit), static_cast<int>(base)));
        if (!W(h)) return Step::Consumed;
    }
    if (down) {
        s.AltAlone = false;
        SetKeyState(s.Keys, ButtonVk(ev.Button), false, true);
        // The parents hear of a press in a child first, before anything else it causes.
        if (client && !NotifyParentsOfPress(t, ev.Button, pt)) return Step::Consumed;
        if (!captured && root && h != s.Active && !ClickActivate(t, root, hit, base)) return Step::Consumed;
        // Double clicks: same button and window, within the time and the rectangle.
        DWORD now = Backend().TickCount();
        ClickInfo& lc = s.LastClick;
        bool same = lc.Button == base && lc.Window == h && now - lc.Time <= s.DoubleClickTime &&
                    std::abs(pt.X - lc.Pt.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                    std::abs(pt.Y - lc.Pt.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        if (same) {
            lc = ClickInfo{};
            bool dbl = !client || (t->Class && (t->Class->Style & CS_DBLCLKS));
            if (dbl) {
                base += 2; // WM_xBUTTONDOWN + 2 = WM_xBUTTONDBLCLK
                msg = client ? base : ToNonClient(base);
            }
        } else
            lc = ClickInfo{base, h, now, pt};
    } else if (up) {
        SetKeyState(s.Keys, ButtonVk(ev.Button), false, false);
    }
    WPARAM wp = client ? MouseKeys(s.Keys) : static_cast<WPARAM>(hit);
    if (client && (base == WM_XBUTTONDOWN || base == WM_XBUTTONUP || base == WM_XBUTTONDBLCLK))
        wp = MAKEWPARAM(static_cast<int>(wp), ev.Button == backend::MouseButton::X1 ? XBUTTON1 : XBUTTON2);
    POINT cp = pt;
    if (client) ScreenToClient(h, &cp);
    if (HasHook(WH_MOUSE)) {
        MOUSEHOOKSTRUCT mh{pt, h, static_cast<UINT>(hit), 0};
        if (CallHooks(WH_MOUSE, HC_ACTION, msg, reinterpret_cast<LPARAM>(&mh))) return Step::Consumed;
        if (!W(h)) return Step::Consumed;
    }
    s.LastMouse = MouseTarget{h, !client};
    // Hover restarts when the pointer leaves the hover rectangle.
    if (s.Track.Window == h && s.Track.HoverDue && ev.Kind == backend::EventKind::MouseMove &&
        (std::abs(pt.X - s.Track.HoverOrigin.X) > 2 || std::abs(pt.Y - s.Track.HoverOrigin.Y) > 2)) {
        s.Track.HoverOrigin = pt;
        s.Track.HoverDue = Backend().TickCount() + s.Track.HoverTime;
    }
    *out = MakeMsg(h, msg, wp, client ? MAKELPARAM(cp.X, cp.Y) : MAKELPARAM(pt.X, pt.Y), pt);
    if (!Matches(h, msg, filter, min, max)) return Step::Consumed; // retrieved for another filter: dropped
    return Step::Produced;
}

Step ConvertKey(const backend::InputEvent& ev, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
    State& s = S();
    bool down = ev.Kind == backend::EventKind::KeyDown;
    if (s.Drag.Window && remove && HandleDragKey(ev)) return Step::Consumed;
    if (ev.Kind == backend::EventKind::Char) {
        Wnd* t = W(s.Focus);
        if (!t) t = W(s.Active);
        if (!t) return Step::Consumed;
        if (!Matches(t->Handle, WM_CHAR, filter, min, max)) return Step::Blocked;
        *out = MakeMsg(t->Handle, WM_CHAR, ev.Char, 1, s.Cursor);
        return Step::Produced;
    }
    UINT vk = ev.VirtualKey & 0xFF;
    bool ext = ev.Extended;
    UINT scan = ev.ScanCode;
    if (vk == VK_PACKET)
        scan = static_cast<UINT>(ev.Char) & 0xFFFF;
    else if (!scan) {
        bool e = false;
        scan = ScanCodeOf(vk, &e);
        ext = ext || e;
    }
    bool prev = s.Keys[vk] & 0x80;
    BYTE keys[256];
    std::copy(std::begin(s.Keys), std::end(s.Keys), keys);
    if (vk != VK_PACKET) SetKeyState(keys, vk, ext, down);
    bool alt = keys[VK_MENU] & 0x80;
    bool ctrl = keys[VK_CONTROL] & 0x80;
    if (!down) alt = alt || vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
    bool sys = (alt && !ctrl) || vk == VK_F10;
    Wnd* t = W(s.Focus);
    if (!t) {
        t = W(s.Active);
        sys = true; // no focus: the active window gets the system variants
    }
    if (!t) {
        if (remove) std::copy(std::begin(keys), std::end(keys), std::begin(s.Keys));
        return Step::Consumed;
    }
    UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lp = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16) | (ext ? (1L << 24) : 0) |
                ((alt && !ctrl) ? (1L << 29) : 0) | ((prev || !down) ? (1L << 30) : 0) |
                (!down ? static_cast<LPARAM>(1UL << 31) : 0);
    lp = static_cast<LPARAM>(static_cast<DWORD>(lp));
    if (!Matches(t->Handle, msg, filter, min, max)) return remove ? Step::Consumed : Step::Blocked;
    if (!remove) {
        *out = MakeMsg(t->Handle, msg, vk, lp, s.Cursor);
        return Step::Produced;
    }
    std::copy(std::begin(keys), std::end(keys), std::begin(s.Keys));
    bool isAlt = vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
    if (down) {
        if (isAlt) {
            if (!prev) s.AltAlone = true;
        } else
            s.AltAlone = false;
        s.AltTap = false;
    } else {
        s.AltTap = isAlt && s.AltAlone;
        if (isAlt) s.AltAlone = false;
    }
    HWND h = t->Handle;
    if (HasHook(WH_KEYBOARD)) {
        if (CallHooks(WH_KEYBOARD, HC_ACTION, vk, lp)) return Step::Consumed;
        if (!W(h)) return Step::Consumed;
    }
    *out = MakeMsg(h, msg, vk, lp, s.Cursor);
    if (vk == VK_PACKET) out->lPrivate = static_cast<DWORD>(ev.Char);
    return Step::Produced;
}

// The window manager moves or sizes a window by its own drag (a modifier and the mouse, its keys), which
// the window's caption never sees. What the press on the caption that begins a move would close, closes
// first, so that nothing is left behind where the window was: an open menu, and a popup that holds the
// activation from the window (the option window of one of its toolbars), as the window takes it back.
void LetGoBeforeWindowManagerMove(Wnd* t) {
    // A handler told of the menu's end may destroy the window: it is looked up again by its handle.
    const HWND h = t->Handle;
    if (IsMenuTracking()) EndMenu();
    t = W(h);
    State& s = S();
    Wnd* active = W(s.Active);
    // A window that a modal box disables leaves the activation with the box.
    if (!t || !active || active == t || (t->Style & WS_DISABLED)) return;
    for (Wnd* o = active->Owner; o; o = o->Owner)
        if (o == t) {
            ActivateWindow(t, WA_ACTIVE, false);
            return;
        }
}

} // namespace

bool HasInput() {
    return !S().Input.empty();
}

bool ConvertInput(MSG* out, HWND filter, UINT min, UINT max, bool remove) {
    State& s = S();
    while (!s.Input.empty()) {
        backend::InputEvent ev = s.Input.front();
        Step step = Step::Consumed;
        switch (ev.Kind) {
        case backend::EventKind::MouseMove:
        case backend::EventKind::ButtonDown:
        case backend::EventKind::ButtonUp:
        case backend::EventKind::Wheel:
        case backend::EventKind::MouseLeave:
            step = ConvertMouse(ev, out, filter, min, max, remove);
            break;
        case backend::EventKind::KeyDown:
        case backend::EventKind::KeyUp:
        case backend::EventKind::Char:
            step = ConvertKey(ev, out, filter, min, max, remove);
            break;
        case backend::EventKind::CloseRequest:
        case backend::EventKind::Activate: {
            Wnd* t = nullptr;
            for (Wnd* x : s.Desktop->Children)
                if (x->Native.get() == ev.Window) t = x;
            if (t && ev.Kind == backend::EventKind::CloseRequest) {
                if (!Matches(t->Handle, WM_SYSCOMMAND, filter, min, max)) return false;
                *out = MakeMsg(t->Handle, WM_SYSCOMMAND, SC_CLOSE, 0, s.Cursor);
                step = Step::Produced;
            } else if (t && remove) {
                // The window manager's focus on a window that a modal box disables activates the box,
                // whether it comes before or after the application lost the activation: the keys must go
                // somewhere. A window that never activates (a menu, a key tip) leaves the activation with
                // its owner.
                if (t->Style & WS_DISABLED) t = EnabledPopup(t);
                if (t && !(t->ExStyle & WS_EX_NOACTIVATE)) ActivateWindow(t, WA_ACTIVE, false);
            }
            break;
        }
        case backend::EventKind::BoundsChanged:
        case backend::EventKind::StateChanged: {
            // The window manager moved, sized, minimised or maximised a window: the tree follows.
            Wnd* t = nullptr;
            for (Wnd* x : s.Desktop->Children)
                if (x->Native.get() == ev.Window) t = x;
            if (!t || !remove) break;
            if (ev.Kind == backend::EventKind::BoundsChanged) {
                if (ev.Bounds != ScreenRect(t)) {
                    const HWND th = t->Handle;
                    LetGoBeforeWindowManagerMove(t);
                    if ((t = W(th)) != nullptr)
                        SetPos(t, nullptr, ev.Bounds.Left, ev.Bounds.Top, ev.Bounds.Width(),
                               ev.Bounds.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
                }
            } else {
                bool mn = t->Style & WS_MINIMIZE, mx = t->Style & WS_MAXIMIZE;
                if (ev.State == backend::WindowState::Minimized && !mn)
                    ShowWindow(t->Handle, SW_SHOWMINNOACTIVE);
                else if (ev.State == backend::WindowState::Maximized && !mx)
                    ShowWindow(t->Handle, SW_SHOWMAXIMIZED);
                else if (ev.State == backend::WindowState::Normal && (mn || mx))
                    ShowWindow(t->Handle, SW_RESTORE);
            }
            break;
        }
        case backend::EventKind::Deactivate:
            if (remove && s.Active) {
                if (Wnd* a = W(s.Active)) {
                    HWND ah = a->Handle;
                    Send(a, WM_NCACTIVATE, FALSE, 0);
                    if (W(ah)) Send(a, WM_ACTIVATE, WA_INACTIVE, 0);
                    if (s.Focus) {
                        HWND f = s.Focus;
                        s.Focus = nullptr;
                        if (Wnd* fw = W(f)) Send(fw, WM_KILLFOCUS, 0, 0);
                    }
                }
                s.Active = nullptr;
                s.AppActive = false;
                std::vector<HWND> tops;
                for (Wnd* x : s.Desktop->Children)
                    tops.push_back(x->Handle);
                for (HWND th : tops)
                    if (Wnd* x = W(th)) Send(x, WM_ACTIVATEAPP, FALSE, 0);
            }
            break;
        }
        if (step == Step::Blocked) return false;
        // A leave message is made from the event without using it up.
        bool leave = step == Step::Produced &&
                     (out->message == WM_MOUSELEAVE || out->message == WM_NCMOUSELEAVE) &&
                     ev.Kind != backend::EventKind::Char;
        if (remove && !leave && !s.Input.empty()) s.Input.pop_front();
        if (step == Step::Produced) {
            if (leave && filter && out->hwnd != filter) continue;
            return true;
        }
        if (!remove) return false;
    }
    return false;
}

void ReleaseCaptureOf(Wnd* w) {
    if (S().Capture == w->Handle) ReleaseCapture();
}

void ForgetWindowInput(HWND h) {
    State& s = S();
    if (s.Focus == h) s.Focus = nullptr;
    if (s.Active == h) s.Active = nullptr;
    if (s.Capture == h) s.Capture = nullptr;
    if (s.Track.Window == h) s.Track = Tracking{};
    if (s.LastMouse.Window == h) s.LastMouse = MouseTarget{};
    if (s.LastClick.Window == h) s.LastClick = ClickInfo{};
    if (s.Drag.Window == h) s.Drag = SizeMoveDrag{};
    if (s.PressedCaptionButton == h) s.PressedCaptionButton = nullptr;
    ForgetCaretOf(h);
}

LRESULT HitTest(Wnd* w, POINT screen) {
    if (!w) return HTNOWHERE;
    return SendMessage(w->Handle, WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y));
}

namespace {

// The sizing loop keeps the window within its limits: the dragged edges stop, the others stay.
void ClampToTrack(RECT& r, LRESULT hit, const SizeMoveDrag& d) {
    auto size = [](int v, int mn, int mx) { return std::clamp(v, std::min(std::max(mn, 0), mx), mx); };
    int w = size(r.Width(), d.MinTrack.X, d.MaxTrack.X), h = size(r.Height(), d.MinTrack.Y, d.MaxTrack.Y);
    if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
        r.Left = r.Right - w;
    else
        r.Right = r.Left + w;
    if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT)
        r.Top = r.Bottom - h;
    else
        r.Bottom = r.Top + h;
}

} // namespace

void StartSizeMove(Wnd* w, LRESULT hit, POINT screen) {
    // The window system's own loop on every backend, so that the sizing messages reach the window.
    State& s = S();
    if (s.Capture) ReleaseCapture();
    HWND h = w->Handle;
    SizeMoveDrag drag{h, hit, screen, w->Rect};
    if (hit != HTCAPTION) {
        MINMAXINFO mmi = AskTrackLimits(w);
        if (!W(h)) return;
        drag.MinTrack = mmi.ptMinTrackSize;
        drag.MaxTrack = mmi.ptMaxTrackSize;
    }
    s.Drag = drag;
    Send(w, WM_ENTERSIZEMOVE, 0, 0);
}

bool HandleDrag(const backend::InputEvent& ev) {
    State& s = S();
    Wnd* w = W(s.Drag.Window);
    if (!w) {
        s.Drag = SizeMoveDrag{};
        return false;
    }
    HWND h = w->Handle;
    if (ev.Kind == backend::EventKind::ButtonUp) {
        SetKeyState(s.Keys, ButtonVk(ev.Button), false, false);
        s.Drag = SizeMoveDrag{};
        Send(w, WM_EXITSIZEMOVE, 0, 0);
        return true;
    }
    if (ev.Kind != backend::EventKind::MouseMove) return true;
    int dx = ev.Screen.X - s.Drag.Start.X, dy = ev.Screen.Y - s.Drag.Start.Y;
    RECT r = s.Drag.StartRect;
    LRESULT hit = s.Drag.Hit;
    int edge = 0;
    if (hit == HTCAPTION)
        r = vcl::Bounds(r.Left + dx, r.Top + dy, r.Width(), r.Height());
    else {
        if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT) r.Left += dx;
        if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT) r.Right += dx;
        if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT) r.Top += dy;
        if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT) r.Bottom += dy;
        switch (hit) {
        case HTLEFT:
            edge = WMSZ_LEFT;
            break;
        case HTRIGHT:
            edge = WMSZ_RIGHT;
            break;
        case HTTOP:
            edge = WMSZ_TOP;
            break;
        case HTTOPLEFT:
            edge = WMSZ_TOPLEFT;
            break;
        case HTTOPRIGHT:
            edge = WMSZ_TOPRIGHT;
            break;
        case HTBOTTOM:
            edge = WMSZ_BOTTOM;
            break;
        case HTBOTTOMLEFT:
            edge = WMSZ_BOTTOMLEFT;
            break;
        default:
            edge = WMSZ_BOTTOMRIGHT;
            break;
        }
        ClampToTrack(r, hit, s.Drag);
    }
    Send(w, hit == HTCAPTION ? WM_MOVING : WM_SIZING, static_cast<WPARAM>(edge),
         reinterpret_cast<LPARAM>(&r));
    if (!W(h)) return true;
    SetPos(w, nullptr, r.Left, r.Top, r.Width(), r.Height(),
           SWP_NOZORDER | SWP_NOACTIVATE | (hit == HTCAPTION ? SWP_NOSIZE : 0));
    return true;
}

bool HandleDragKey(const backend::InputEvent& ev) {
    State& s = S();
    Wnd* w = W(s.Drag.Window);
    if (!w || ev.Kind != backend::EventKind::KeyDown) return false;
    const UINT vk = ev.VirtualKey & 0xFF;
    if (vk != VK_ESCAPE && vk != VK_RETURN) return false;
    // Enter keeps the window where the drag has put it; Escape puts it back where the drag found it.
    const SizeMoveDrag drag = s.Drag;
    s.Drag = SizeMoveDrag{};
    if (vk == VK_ESCAPE) {
        const RECT& r = drag.StartRect;
        SetPos(w, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (!W(drag.Window)) return true;
    }
    Send(w, WM_EXITSIZEMOVE, 0, 0);
    return true;
}

} // namespace detail

using namespace detail;

// ---- Capture and mouse

HWND SetCapture(HWND h) {
    State& s = S();
    if (!Checked(h)) return nullptr;
    HWND old = s.Capture;
    if (old == h) return old;
    s.Capture = h;
    if (Wnd* o = W(old)) Send(o, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(h));
    return old;
}

BOOL ReleaseCapture() {
    State& s = S();
    HWND old = s.Capture;
    if (!old) return TRUE;
    s.Capture = nullptr;
    if (Wnd* o = W(old)) Send(o, WM_CAPTURECHANGED, 0, 0);
    // The pointer is looked at again, as after a move: enter and leave follow. A pointer over a window not
    // ours stays there: no window of ours under that point hears of it.
    backend::InputEvent ev;
    ev.Kind = s.LastMouse.Away ? backend::EventKind::MouseLeave : backend::EventKind::MouseMove;
    ev.Screen = s.Cursor;
    s.Input.push_back(ev);
    return TRUE;
}

HWND GetCapture() {
    return W(S().Capture) ? S().Capture : nullptr;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* t) {
    State& s = S();
    if (!t || t->cbSize != sizeof(TRACKMOUSEEVENT)) {
        s.LastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    if (t->dwFlags & TME_QUERY) {
        t->dwFlags = s.Track.Window ? s.Track.Flags : 0;
        t->hwndTrack = s.Track.Window;
        t->dwHoverTime = s.Track.HoverTime;
        return TRUE;
    }
    if (!Checked(t->hwndTrack)) return FALSE;
    DWORD kinds = t->dwFlags & (TME_LEAVE | TME_HOVER);
    if (t->dwFlags & TME_CANCEL) {
        if (s.Track.Window == t->hwndTrack) {
            s.Track.Flags &= ~kinds;
            if (kinds & TME_HOVER) s.Track.HoverDue.reset();
            if (!(s.Track.Flags & (TME_LEAVE | TME_HOVER))) s.Track = Tracking{};
        }
        return TRUE;
    }
    bool nc = t->dwFlags & TME_NONCLIENT;
    bool over =
        s.Capture == t->hwndTrack || (s.LastMouse.Window == t->hwndTrack && s.LastMouse.NonClient == nc);
    if (!over) {
        // The pointer is not there: the leave message comes at once.
        if (kinds & TME_LEAVE) PostMessage(t->hwndTrack, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        return TRUE;
    }
    if (s.Track.Window != t->hwndTrack) s.Track = Tracking{};
    s.Track.Window = t->hwndTrack;
    s.Track.Flags = (s.Track.Flags & ~TME_NONCLIENT) | kinds | (nc ? TME_NONCLIENT : 0);
    if (kinds & TME_HOVER) {
        s.Track.HoverTime = t->dwHoverTime == HOVER_DEFAULT ? 400 : t->dwHoverTime;
        s.Track.HoverDue = Backend().TickCount() + s.Track.HoverTime;
        s.Track.HoverOrigin = s.Cursor;
    }
    return TRUE;
}

BOOL GetCursorPos(POINT* p) {
    if (!p) return FALSE;
    *p = S().Cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    Backend().WarpPointer({x, y});
    if (S().Cursor != POINT{x, y}) {
        backend::InputEvent ev;
        ev.Kind = backend::EventKind::MouseMove;
        ev.Screen = {x, y};
        S().Cursor = ev.Screen;
        S().Input.push_back(ev);
    }
    return TRUE;
}

UINT GetDoubleClickTime() {
    return S().DoubleClickTime;
}

BOOL SetDoubleClickTime(UINT ms) {
    S().DoubleClickTime = ms ? std::min<UINT>(ms, 5000) : 500;
    return TRUE;
}

namespace {
void Inject(const backend::InputEvent& ev);
} // namespace

void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, std::uintptr_t) {
    State& s = S();
    POINT p = s.Cursor;
    if (flags & MOUSEEVENTF_MOVE) {
        if (flags & MOUSEEVENTF_ABSOLUTE) {
            int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
            p = {static_cast<int>((static_cast<long long>(dx) * cx) / 65536),
                 static_cast<int>((static_cast<long long>(dy) * cy) / 65536)};
        } else
            p = {p.X + static_cast<int>(dx), p.Y + static_cast<int>(dy)};
        backend::InputEvent ev;
        ev.Kind = backend::EventKind::MouseMove;
        ev.Screen = p;
        Inject(ev);
    }
    struct B {
        DWORD flag;
        backend::EventKind kind;
        backend::MouseButton button;
    };
    const B buttons[] = {
        {MOUSEEVENTF_LEFTDOWN, backend::EventKind::ButtonDown, backend::MouseButton::Left},
        {MOUSEEVENTF_LEFTUP, backend::EventKind::ButtonUp, backend::MouseButton::Left},
        {MOUSEEVENTF_RIGHTDOWN, backend::EventKind::ButtonDown, backend::MouseButton::Right},
        {MOUSEEVENTF_RIGHTUP, backend::EventKind::ButtonUp, backend::MouseButton::Right},
        {MOUSEEVENTF_MIDDLEDOWN, backend::EventKind::ButtonDown, backend::MouseButton::Middle},
        {MOUSEEVENTF_MIDDLEUP, backend::EventKind::ButtonUp, backend::MouseButton::Middle}};
    for (const B& b : buttons)
        if (flags & b.flag) {
            backend::InputEvent ev;
            ev.Kind = b.kind;
            ev.Button = b.button;
            ev.Screen = p;
            Inject(ev);
        }
    if (flags & (MOUSEEVENTF_WHEEL | MOUSEEVENTF_HWHEEL)) {
        backend::InputEvent ev;
        ev.Kind = backend::EventKind::Wheel;
        ev.Screen = p;
        ev.WheelDelta = static_cast<int>(data);
        ev.Horizontal = flags & MOUSEEVENTF_HWHEEL;
        Inject(ev);
    }
}

void keybd_event(BYTE vk, BYTE scan, DWORD flags, std::uintptr_t) {
    backend::InputEvent ev;
    ev.Kind = (flags & KEYEVENTF_KEYUP) ? backend::EventKind::KeyUp : backend::EventKind::KeyDown;
    ev.VirtualKey = vk;
    ev.ScanCode = scan;
    ev.Extended = flags & KEYEVENTF_EXTENDEDKEY;
    Inject(ev);
}

BOOL DragDetect(HWND h, POINT pt) {
    State& s = S();
    if (!Checked(h)) return FALSE;
    int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
    RECT r{pt.X - cx, pt.Y - cy, pt.X + cx + 1, pt.Y + cy + 1};
    for (;;) {
        while (!s.Input.empty()) {
            const backend::InputEvent& ev = s.Input.front();
            if (ev.Kind == backend::EventKind::ButtonUp && ev.Button == backend::MouseButton::Left)
                return FALSE;
            if (ev.Kind == backend::EventKind::MouseMove && !r.Contains(ev.Screen)) return TRUE;
            if (ev.Kind == backend::EventKind::MouseMove) {
                s.Input.pop_front();
                continue;
            }
            return FALSE;
        }
        if (Backend().Wait(NextDeadline()) == backend::WaitResult::Idle &&
            !(s.IdleHandler && s.IdleHandler()))
            return FALSE;
    }
}

BOOL MessageBeep(UINT) {
    ++S().Beeps;
    return TRUE;
}

// ---- Keyboard state

short GetKeyState(int vk) {
    BYTE k = S().Keys[vk & 0xFF];
    return static_cast<short>(((k & 0x80) ? 0x8000 : 0) | (k & 1));
}

short GetAsyncKeyState(int vk) {
    State& s = S();
    BYTE k = s.AsyncKeys[vk & 0xFF];
    int pressed = s.AsyncPressed[vk & 0xFF];
    s.AsyncPressed[vk & 0xFF] = 0;
    return static_cast<short>(((k & 0x80) ? 0x8000 : 0) | (pressed ? 1 : 0));
}

BOOL GetKeyboardState(BYTE* keys) {
    if (!keys) return FALSE;
    std::copy(std::begin(S().Keys), std::end(S().Keys), keys);
    return TRUE;
}

BOOL SetKeyboardState(BYTE* keys) {
    if (!keys) return FALSE;
    std::copy(keys, keys + 256, std::begin(S().Keys));
    return TRUE;
}

namespace detail {

// The window system's door for the backend's events: the physical state changes at once, the messages
// are made when the events are retrieved.
class WindowSink : public backend::EventSink {
public:
    void Deliver(const backend::InputEvent& ev) override { Inject(ev); }
    bool MouseCaptured() const override { return GetCapture() != nullptr; }
};

backend::EventSink* Sink() {
    static WindowSink sink;
    return &sink;
}

} // namespace detail

namespace {
void Inject(const backend::InputEvent& ev) {
    State& s = S();
    switch (ev.Kind) {
    case backend::EventKind::MouseMove:
    case backend::EventKind::Wheel:
    case backend::EventKind::MouseLeave:
        s.Cursor = ev.Screen;
        break;
    case backend::EventKind::ButtonDown:
    case backend::EventKind::ButtonUp: {
        s.Cursor = ev.Screen;
        UINT vk = ButtonVk(ev.Button);
        bool down = ev.Kind == backend::EventKind::ButtonDown;
        if (down) s.AsyncPressed[vk] = 1;
        SetKeyState(s.AsyncKeys, vk, false, down);
        break;
    }
    case backend::EventKind::KeyDown:
    case backend::EventKind::KeyUp: {
        UINT vk = ev.VirtualKey & 0xFF;
        bool down = ev.Kind == backend::EventKind::KeyDown;
        if (vk == VK_PACKET) break;
        if (down) s.AsyncPressed[vk] = 1;
        SetKeyState(s.AsyncKeys, vk, ev.Extended, down);
        break;
    }
    default:
        break;
    }
    s.Input.push_back(ev);
}
} // namespace

} // namespace win
