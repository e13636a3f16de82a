// The default window procedure.

#include "platform/win/Gdi.h"
#include "platform/win/Menu.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {
LRESULT DefTextMessage(Wnd* w, UINT msg, WPARAM wp, LPARAM lp);

namespace {

HBRUSH ClassBrush(const Wnd* w) {
    HBRUSH b = w->Class ? w->Class->Background : nullptr;
    auto v = reinterpret_cast<std::uintptr_t>(b);
    if (b && v <= 31) return GetSysColorBrush(static_cast<int>(v) - 1); // COLOR_xxx + 1
    return b;
}

HCURSOR CursorFor(LRESULT hit, const Wnd* w) {
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
        return LoadCursor(nullptr, IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM:
        return LoadCursor(nullptr, IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return LoadCursor(nullptr, IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return LoadCursor(nullptr, IDC_SIZENESW);
    case HTCLIENT:
        return w->Class ? w->Class->Cursor : nullptr;
    default:
        return LoadCursor(nullptr, IDC_ARROW);
    }
}

// The system menu opened by the icon or by Alt+Space: below the icon, its left edge at the window's left
// frame edge and its top at the caption's bottom. A window without WS_SYSMENU has none.
void ShowSystemMenu(Wnd* w, bool byKey) {
    if (!(w->Style & WS_SYSMENU)) return;
    RECT wr{};
    GetWindowRect(w->Handle, &wr);
    RECT frame = NonClientInsets(w->Style & ~(WS_VSCROLL | WS_HSCROLL),
                                 w->ExStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), false);
    TrackSystemMenu(w->Handle, POINT{wr.Left + frame.Left, wr.Top + frame.Top}, TPM_LEFTBUTTON, byKey);
}

void SysCommand(Wnd* w, WPARAM wp, LPARAM lp) {
    HWND h = w->Handle;
    if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_SYSCOMMAND, wp, lp)) return;
    if (!W(h)) return;
    // Where the pointer was when the message that led here was retrieved.
    POINT cursor = S().MessagePos;
    switch (wp & 0xFFF0) {
    case SC_MINIMIZE:
        ShowWindow(h, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(h, SW_SHOWMAXIMIZED);
        break;
    case SC_RESTORE:
        ShowWindow(h, SW_RESTORE);
        break;
    case SC_CLOSE:
        if (!(w->Class && (w->Class->Style & CS_NOCLOSE))) SendMessage(h, WM_CLOSE, 0, 0);
        break;
    case SC_MOVE:
        if (!(w->Style & (WS_MAXIMIZE | WS_MINIMIZE))) StartSizeMove(w, HTCAPTION, cursor);
        break;
    case SC_SIZE: {
        static const LRESULT kEdges[] = {HTNOWHERE,  HTLEFT,   HTRIGHT,      HTTOP,        HTTOPLEFT,
                                         HTTOPRIGHT, HTBOTTOM, HTBOTTOMLEFT, HTBOTTOMRIGHT};
        int e = static_cast<int>(wp & 0x0F);
        // Size from the system menu names no edge: the bottom-right corner follows the pointer until a click,
        // as the whole window does for Move.
        if (e == 0 && (w->Style & WS_THICKFRAME)) e = 8;
        if (e > 0 && e <= 8 && !(w->Style & (WS_MAXIMIZE | WS_MINIMIZE))) StartSizeMove(w, kEdges[e], cursor);
        break;
    }
    case SC_MOUSEMENU:
        ShowSystemMenu(w, false);
        break;
    case SC_KEYMENU:
        // Alt+Space is the system menu's key; Alt alone and Alt+letter go to the menu bar.
        if (lp == ' ')
            ShowSystemMenu(w, true);
        else if (MenuEngine().KeyMenu)
            MenuEngine().KeyMenu(h, static_cast<WPARAM>(lp));
        break;
    default:
        break;
    }
}

} // namespace
} // namespace detail

using namespace detail;

LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Wnd* w = W(h);
    if (!w || w->IsDesktop()) return 0;
    State& s = S();
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCT*>(lp);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->Text = cs->lpszName;
        return TRUE;
    }
    case WM_NCCALCSIZE: {
        if (wp) {
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
            if (p) DefCalcSize(w, &p->rgrc[0]);
        } else if (auto* r = reinterpret_cast<RECT*>(lp))
            DefCalcSize(w, r);
        return 0;
    }
    case WM_NCHITTEST:
        return DefNcHitTest(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    case WM_NCPAINT:
        DefNcPaint(w, w->FrameActive);
        return 0;
    case WM_NCACTIVATE:
        w->FrameActive = wp != 0;
        if (IsVisibleChain(w)) DefNcPaint(w, w->FrameActive);
        return TRUE;
    case WM_ERASEBKGND: {
        HBRUSH b = ClassBrush(w);
        HDC dc = reinterpret_cast<HDC>(wp);
        if (!b || !dc) return 0;
        RECT r{0, 0, w->Client.Width(), w->Client.Height()};
        FillRect(dc, &r, b);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        return DefTextMessage(w, msg, wp, lp);
    case WM_SETICON:
    case WM_GETICON:
        return DefIconMessage(w, msg, wp, lp);
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
        bool sizable = (w->Style & WS_THICKFRAME) || !(w->Style & (WS_POPUP | WS_CHILD));
        if (pos && !(pos->flags & SWP_NOSIZE) && sizable) {
            MINMAXINFO mmi = AskTrackLimits(w);
            if (!W(h)) return 0;
            // A minimised or maximised window is asked too, but its size is the state's, not the track's.
            if (w->Style & (WS_MINIMIZE | WS_MAXIMIZE)) return 0;
            pos->cx = std::clamp(pos->cx, std::min(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X),
                                 mmi.ptMaxTrackSize.X);
            pos->cy = std::clamp(pos->cy, std::min(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y),
                                 mmi.ptMaxTrackSize.Y);
        }
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
        if (!pos) return 0;
        if (!(pos->flags & SWP_NOCLIENTMOVE)) {
            SendMessage(h, WM_MOVE, 0,
                        MAKELPARAM(w->Rect.Left + w->Client.Left, w->Rect.Top + w->Client.Top));
            if (!W(h)) return 0;
        }
        if (!(pos->flags & SWP_NOCLIENTSIZE)) {
            WPARAM kind = (w->Style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                          : (w->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                     : SIZE_RESTORED;
            SendMessage(h, WM_SIZE, kind, MAKELPARAM(w->Client.Width(), w->Client.Height()));
        }
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(h);
        return 0;
    case WM_SYSCOMMAND:
        SysCommand(w, wp, lp);
        return 0;
    case WM_SYSKEYDOWN:
        if ((lp & (1L << 29)) && wp == VK_F4) SendMessage(Root(w)->Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        // Shift+F10 asks for the context menu, from the keyboard (at no point: -1, -1).
        if (wp == VK_F10 && GetKeyState(static_cast<int>(VK_SHIFT)) < 0)
            SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), static_cast<LPARAM>(-1));
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // The Menu key asks for the context menu when it is released.
        if (wp == VK_APPS) {
            SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), static_cast<LPARAM>(-1));
            return 0;
        }
        if ((wp == VK_MENU && s.AltTap) || (wp == VK_F10 && GetKeyState(static_cast<int>(VK_SHIFT)) >= 0)) {
            s.AltTap = false;
            SendMessage(Root(w)->Handle, WM_SYSCOMMAND, SC_KEYMENU, 0);
        }
        return 0;
    case WM_SYSCHAR:
        if (wp != '\r') SendMessage(Root(w)->Handle, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wp));
        return 0;
    case WM_MOUSEACTIVATE:
        if (!w->IsTopLevel()) {
            LRESULT r = SendMessage(w->Parent->Handle, WM_MOUSEACTIVATE, wp, lp);
            if (r) return r;
        }
        return MA_ACTIVATE;
    case WM_SETCURSOR: {
        if (!w->IsTopLevel() && SendMessage(w->Parent->Handle, WM_SETCURSOR, wp, lp)) return TRUE;
        if (!W(h)) return TRUE;
        auto hit = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lp)));
        UINT mouse = HIWORD(static_cast<std::uintptr_t>(lp));
        if (hit == HTERROR) {
            if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN) MessageBeep(0);
            return TRUE;
        }
        HCURSOR c = CursorFor(hit, w);
        if (!c) return FALSE;
        SetCursor(c);
        return TRUE;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        if (!w->IsTopLevel()) return SendMessage(w->Parent->Handle, msg, wp, lp);
        return 0;
    case WM_CONTEXTMENU: {
        if (!w->IsTopLevel()) return SendMessage(w->Parent->Handle, msg, wp, lp);
        // On the caption or its icon, the top-level window's context menu is its system menu, at the
        // pointer. From the keyboard (-1, -1) the point is on no caption.
        if (!(w->Style & WS_SYSMENU) || lp == static_cast<LPARAM>(-1)) return 0;
        LRESULT hit = SendMessage(h, WM_NCHITTEST, 0, lp);
        if (W(h) && (hit == HTCAPTION || hit == HTSYSMENU))
            TrackSystemMenu(h, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, TPM_LEFTBUTTON | TPM_RIGHTBUTTON);
        return 0;
    }
    case WM_NCLBUTTONDOWN:
        switch (static_cast<LRESULT>(wp)) {
        case HTCAPTION:
            SendMessage(h, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lp);
            break;
        case HTLEFT:
        case HTRIGHT:
        case HTTOP:
        case HTTOPLEFT:
        case HTTOPRIGHT:
        case HTBOTTOM:
        case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT:
            if (w->Style & WS_THICKFRAME) SendMessage(h, WM_SYSCOMMAND, SC_SIZE + (wp - HTLEFT + 1), lp);
            break;
        case HTCLOSE:
        case HTMINBUTTON:
        case HTMAXBUTTON:
            s.PressedCaptionButton = h;
            s.PressedCaptionHit = static_cast<LRESULT>(wp);
            break;
        case HTSYSMENU:
            SendMessage(h, WM_SYSCOMMAND, SC_MOUSEMENU | static_cast<WPARAM>(HTSYSMENU), lp);
            break;
        case HTMENU:
            if (MenuEngine().BarClick) MenuEngine().BarClick(h, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            break;
        default:
            break;
        }
        return 0;
    case WM_NCLBUTTONUP:
        if (s.PressedCaptionButton == h && s.PressedCaptionHit == static_cast<LRESULT>(wp)) {
            s.PressedCaptionButton = nullptr;
            WPARAM cmd = wp == HTCLOSE              ? SC_CLOSE
                         : wp == HTMINBUTTON        ? SC_MINIMIZE
                         : (w->Style & WS_MAXIMIZE) ? SC_RESTORE
                                                    : SC_MAXIMIZE;
            bool allowed = wp == HTCLOSE ||
                           (wp == HTMINBUTTON ? (w->Style & WS_MINIMIZEBOX) : (w->Style & WS_MAXIMIZEBOX));
            if (allowed) SendMessage(h, WM_SYSCOMMAND, cmd, lp);
        }
        s.PressedCaptionButton = nullptr;
        return 0;
    case WM_NCRBUTTONUP:
        // The right button's release on the caption asks for its context menu.
        if (wp == static_cast<WPARAM>(HTCAPTION) || wp == static_cast<WPARAM>(HTSYSMENU))
            SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), lp);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        if (wp == static_cast<WPARAM>(HTCAPTION) && (w->Style & WS_MAXIMIZEBOX))
            SendMessage(h, WM_SYSCOMMAND, (w->Style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE,
                        lp);
        else if (wp == static_cast<WPARAM>(HTSYSMENU))
            SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, lp);
        return 0;
    case WM_ACTIVATE:
        // A window activated takes the focus unless it is minimised or the focus already lies inside it.
        if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp) && !HasFocusInside(w)) SetFocus(h);
        return 0;
    case WM_CANCELMODE:
        // Ends what the window tracks: its menu loop and its mouse capture.
        if (MenuEngine().CancelMode) MenuEngine().CancelMode(h);
        if (W(h) && s.Capture == h) ReleaseCapture();
        return 0;
    case WM_QUERYOPEN:
        return TRUE;
    case WM_SETREDRAW:
        w->Redraw = wp != 0;
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_GETMINMAXINFO:
    case WM_GETDLGCODE:
    default:
        return 0;
    }
}

} // namespace win
