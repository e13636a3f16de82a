// The default non-client area: frame metrics, hit testing and a plain frame with its caption.

#include <algorithm>
#include <cstdint>

#include "platform/win/Gdi.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowInternal.h"

namespace win {

MenuEngineHooks& MenuEngine() {
    static MenuEngineHooks hooks;
    return hooks;
}

namespace detail {

namespace {

int FrameWidth(DWORD style, DWORD ex) {
    if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXSIZEFRAME);
    if ((style & WS_DLGFRAME) || (ex & WS_EX_DLGMODALFRAME)) return GetSystemMetrics(SM_CXFIXEDFRAME);
    if (style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

int CaptionHeight(DWORD style, DWORD ex) {
    if ((style & WS_CAPTION) != WS_CAPTION) return 0;
    return GetSystemMetrics((ex & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

struct Layout {
    int Frame = 0;
    RECT Caption{}; // window coordinates
    RECT Close{}, Max{}, Min{}, Icon{}, Menu{};
    bool HasClose = false, HasMax = false, HasMin = false, HasIcon = false, HasMenu = false;
};

Layout LayoutOf(Wnd* w) {
    Layout l;
    int ww = w->Rect.Width();
    l.Frame = FrameWidth(w->Style, w->ExStyle);
    int ch = CaptionHeight(w->Style, w->ExStyle);
    if (ch > 0) {
        l.Caption = {l.Frame, l.Frame, ww - l.Frame, l.Frame + ch - 1};
        bool tool = w->ExStyle & WS_EX_TOOLWINDOW;
        int bh = ch - 5, bw = bh + 2;
        int top = l.Frame + 2;
        int x = ww - l.Frame - 2;
        if (w->Style & WS_SYSMENU) {
            l.HasClose = true;
            l.Close = {x - bw, top, x, top + bh};
            x -= bw + 2;
            if (!tool && (w->Style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
                l.HasMax = l.HasMin = true;
                l.Max = {x - bw, top, x, top + bh};
                x -= bw;
                l.Min = {x - bw, top, x, top + bh};
            }
            if (!tool && !(w->ExStyle & WS_EX_DLGMODALFRAME)) {
                l.HasIcon = true;
                int is = GetSystemMetrics(SM_CXSMICON);
                l.Icon = {l.Frame + 2, l.Frame + (ch - 1 - is) / 2, l.Frame + 2 + is,
                          l.Frame + (ch - 1 - is) / 2 + is};
            }
        }
    }
    if (w->IsTopLevel() && w->Menu && !(w->Style & WS_CHILD)) {
        l.HasMenu = true;
        int top = l.Frame + ch;
        l.Menu = {l.Frame, top, ww - l.Frame, top + MenuBarHeight(w)};
    }
    return l;
}

} // namespace

int MenuBarHeight(Wnd* w) {
    if (!w->Menu) return 0;
    if (MenuEngine().BarHeight) return MenuEngine().BarHeight(w->Handle, w->Menu);
    return GetSystemMetrics(SM_CYMENU);
}

RECT NonClientInsets(DWORD style, DWORD ex, bool hasMenu) {
    int f = FrameWidth(style, ex);
    RECT r{f, f, f, f};
    r.Top += CaptionHeight(style, ex);
    if (hasMenu) r.Top += GetSystemMetrics(SM_CYMENU);
    int edge = (ex & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0;
    if (ex & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CXBORDER);
    r.Left += edge;
    r.Top += edge;
    r.Right += edge;
    r.Bottom += edge;
    if (style & WS_VSCROLL) r.Right += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) r.Bottom += GetSystemMetrics(SM_CYHSCROLL);
    return r;
}

void DefCalcSize(Wnd* w, RECT* rc) {
    if (w->Style & WS_MINIMIZE) {
        *rc = {rc->Left, rc->Top, rc->Left, rc->Top};
        return;
    }
    RECT ins = NonClientInsets(w->Style, w->ExStyle, false);
    if (w->IsTopLevel() && w->Menu && !(w->Style & WS_CHILD)) ins.Top += MenuBarHeight(w);
    // A window may lie anywhere in the int range (a layout can say Left = 2147483647): the frame is
    // taken off in 64 bits, and a client area that has no room left is empty at the frame's inner edge.
    rc->Left = vcl::ClampToInt(std::int64_t{rc->Left} + ins.Left);
    rc->Top = vcl::ClampToInt(std::int64_t{rc->Top} + ins.Top);
    rc->Right = vcl::ClampToInt(std::int64_t{rc->Right} - ins.Right);
    rc->Bottom = vcl::ClampToInt(std::int64_t{rc->Bottom} - ins.Bottom);
    if (rc->Right < rc->Left) rc->Right = rc->Left;
    if (rc->Bottom < rc->Top) rc->Bottom = rc->Top;
}

void CalcClient(Wnd* w) {
    RECT r = w->Rect;
    SendMessage(w->Handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
    if (!W(w->Handle)) return;
    // What a window procedure answered may lie anywhere: the client area is kept to the windows' range.
    w->Client = ClientFromAnswer(r, w->Rect);
}

LRESULT DefNcHitTest(Wnd* w, POINT pt) {
    RECT r = ScreenRect(w);
    if (!r.Contains(pt)) return HTNOWHERE;
    if (w->Style & WS_MINIMIZE) return HTCAPTION;
    POINT p{pt.X - r.Left, pt.Y - r.Top};
    if (w->Client.Contains(p)) return HTCLIENT;
    Layout l = LayoutOf(w);
    int ww = r.Width(), hh = r.Height();
    int f = l.Frame;
    if (f > 0 && (p.X < f || p.Y < f || p.X >= ww - f || p.Y >= hh - f)) {
        if (!(w->Style & WS_THICKFRAME) || (w->Style & WS_MAXIMIZE)) return HTBORDER;
        int corner = GetSystemMetrics(SM_CYCAPTION) + f;
        bool left = p.X < corner, right = p.X >= ww - corner, top = p.Y < corner, bottom = p.Y >= hh - corner;
        if (p.Y < f) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (p.Y >= hh - f) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (p.X < f) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
        return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
    }
    if (!l.Caption.IsEmpty() && p.Y >= l.Caption.Top && p.Y < l.Caption.Bottom + 1) {
        if (l.HasClose && l.Close.Contains(p)) return HTCLOSE;
        if (l.HasMax && l.Max.Contains(p)) return HTMAXBUTTON;
        if (l.HasMin && l.Min.Contains(p)) return HTMINBUTTON;
        if (l.HasIcon && p.X < l.Icon.Right + 1) return HTSYSMENU;
        return HTCAPTION;
    }
    if (l.HasMenu && l.Menu.Contains(p)) return HTMENU;
    if ((w->Style & WS_VSCROLL) && p.X >= w->Client.Right && p.Y < w->Client.Bottom) return HTVSCROLL;
    if ((w->Style & WS_HSCROLL) && p.Y >= w->Client.Bottom && p.X < w->Client.Right) return HTHSCROLL;
    if ((w->Style & WS_VSCROLL) && (w->Style & WS_HSCROLL) && p.X >= w->Client.Right &&
        p.Y >= w->Client.Bottom)
        return HTSIZE;
    return HTBORDER;
}

void DefNcPaint(Wnd* w, bool active) {
    HWND h = w->Handle;
    if (w->Rect.IsEmpty()) return;
    const Layout l = LayoutOf(w);
    // A window with no frame, caption, menu bar, client edge or scroll bar has nothing to paint here:
    // it is spared the window DC and its visible region.
    if (l.Frame == 0 && l.Caption.IsEmpty() && !l.HasMenu && !(w->ExStyle & WS_EX_CLIENTEDGE) &&
        !(w->Style & (WS_VSCROLL | WS_HSCROLL)))
        return;
    HDC dc = GetWindowDC(h);
    if (!dc) return;
    int ww = w->Rect.Width(), hh = w->Rect.Height();
    RECT all{0, 0, ww, hh};
    if (l.Frame > 0) {
        if ((w->Style & WS_THICKFRAME) || (w->Style & WS_DLGFRAME) || (w->ExStyle & WS_EX_DLGMODALFRAME)) {
            // A raised frame in the face colour: the band's four sides, the edge drawn over them.
            const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
            const int f = l.Frame;
            const RECT sides[] = {
                {0, 0, ww, f}, {0, hh - f, ww, hh}, {0, f, f, hh - f}, {ww - f, f, ww, hh - f}};
            for (const RECT& side : sides)
                FillRect(dc, &side, face);
            RECT e = all;
            DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
        } else {
            FrameRect(dc, &all, GetSysColorBrush(COLOR_WINDOWFRAME));
        }
    }
    if (!l.Caption.IsEmpty()) {
        RECT cap = l.Caption;
        FillRect(dc, &cap, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        // The line under the caption.
        RECT line{cap.Left, cap.Bottom, cap.Right, cap.Bottom + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));
        if (HICON icon = l.HasIcon ? CaptionIcon(w) : nullptr)
            DrawIconEx(dc, l.Icon.Left, l.Icon.Top, icon, l.Icon.Width(), l.Icon.Height(), 0, nullptr,
                       DI_NORMAL);
        RECT text{cap.Left + 3, cap.Top, cap.Right - 2, cap.Bottom};
        if (l.HasIcon) text.Left = l.Icon.Right + 3;
        if (l.HasMin)
            text.Right = l.Min.Left - 2;
        else if (l.HasClose)
            text.Right = l.Close.Left - 2;
        LOGFONT lf{};
        lf.lfHeight = (w->ExStyle & WS_EX_TOOLWINDOW) ? -10 : -11;
        lf.lfWeight = FW_BOLD;
        const char face[] = "Tahoma";
        for (size_t i = 0; i < sizeof face; ++i)
            lf.lfFaceName[i] = face[i];
        HFONT font = CreateFontIndirect(&lf);
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        DrawText(dc, w->Text.c_str(), -1, &text,
                 DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
        SelectObject(dc, oldFont);
        DeleteObject(font);
        UINT inactive = (w->Style & WS_DISABLED) ? DFCS_INACTIVE : 0;
        if (l.HasClose) {
            RECT b = l.Close;
            UINT noClose = (w->Class && (w->Class->Style & CS_NOCLOSE)) ? DFCS_INACTIVE : 0;
            DrawFrameControl(dc, &b, DFC_CAPTION, DFCS_CAPTIONCLOSE | inactive | noClose);
        }
        if (l.HasMax) {
            RECT b = l.Max;
            UINT state = (w->Style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
            DrawFrameControl(dc, &b, DFC_CAPTION,
                             state | ((w->Style & WS_MAXIMIZEBOX) ? inactive : DFCS_INACTIVE));
        }
        if (l.HasMin) {
            RECT b = l.Min;
            UINT state = (w->Style & WS_MINIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN;
            DrawFrameControl(dc, &b, DFC_CAPTION,
                             state | ((w->Style & WS_MINIMIZEBOX) ? inactive : DFCS_INACTIVE));
        }
    }
    if (l.HasMenu) {
        RECT m = l.Menu;
        if (MenuEngine().PaintBar)
            MenuEngine().PaintBar(h, dc, m);
        else
            FillRect(dc, &m, GetSysColorBrush(COLOR_MENU));
    }
    if (W(h)) {
        RECT c = w->Client;
        if (w->ExStyle & WS_EX_CLIENTEDGE) {
            RECT e{c.Left - 2, c.Top - 2, c.Right + 2, c.Bottom + 2};
            if (w->Style & WS_VSCROLL) e.Right += GetSystemMetrics(SM_CXVSCROLL);
            if (w->Style & WS_HSCROLL) e.Bottom += GetSystemMetrics(SM_CYHSCROLL);
            DrawEdge(dc, &e, EDGE_SUNKEN, BF_RECT);
        }
        if (w->Style & WS_VSCROLL) {
            RECT sb{c.Right, c.Top, c.Right + GetSystemMetrics(SM_CXVSCROLL), c.Bottom};
            FillRect(dc, &sb, GetSysColorBrush(COLOR_SCROLLBAR));
        }
        if (w->Style & WS_HSCROLL) {
            RECT sb{c.Left, c.Bottom, c.Right, c.Bottom + GetSystemMetrics(SM_CYHSCROLL)};
            FillRect(dc, &sb, GetSysColorBrush(COLOR_SCROLLBAR));
        }
    }
    ReleaseDC(h, dc);
}

} // namespace detail
} // namespace win
