// System metrics and parameters, monitors from the backend's screen, and the standard cursors.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>

#include "platform/win/Gdi.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {

namespace {

std::vector<backend::Monitor> Monitors() {
    auto m = Backend().Monitors();
    if (m.empty()) m.push_back(backend::Monitor{{0, 0, 1024, 768}, {0, 0, 1024, 768}, true, "DISPLAY1"});
    return m;
}

const backend::Monitor& Primary(const std::vector<backend::Monitor>& ms) {
    for (const auto& m : ms)
        if (m.Primary) return m;
    return ms.front();
}

HMONITOR ToHandle(size_t i) {
    return reinterpret_cast<HMONITOR>(std::uintptr_t{0x30000} + (i + 1) * 0x10);
}

std::optional<size_t> FromHandle(HMONITOR h) {
    auto v = reinterpret_cast<std::uintptr_t>(h);
    if (v < 0x30010 || (v - 0x30000) % 0x10) return std::nullopt;
    size_t i = (v - 0x30000) / 0x10 - 1;
    if (i >= Monitors().size()) return std::nullopt;
    return i;
}

// A point and a monitor may lie at opposite ends of the int range: each offset needs 33 bits, its square
// 65, so the distance is compared as a double (exact enough to tell the nearest monitor).
double DistanceSq(const RECT& r, POINT p) {
    const double x = p.X, y = p.Y;
    const double dx = x < r.Left ? r.Left - x : (x >= r.Right ? x - r.Right + 1 : 0);
    const double dy = y < r.Top ? r.Top - y : (y >= r.Bottom ? y - r.Bottom + 1 : 0);
    return dx * dx + dy * dy;
}

// The middle of a rectangle (towards its top left); the sums are taken in 64 bits, so that a rectangle
// near the ends of the int range has its middle inside it.
POINT Centre(const RECT& r) {
    return {static_cast<int>((std::int64_t{r.Left} + r.Right) / 2),
            static_cast<int>((std::int64_t{r.Top} + r.Bottom) / 2)};
}

void DefaultFont(LOGFONT& lf, bool bold) {
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -11; // 8 points at 96 DPI
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    std::strncpy(lf.lfFaceName, "Tahoma", sizeof lf.lfFaceName - 1);
}

} // namespace

HCURSOR StandardCursor(int id) {
    // The standard cursors live as long as the program.
    static auto* cache = new std::map<int, HCURSOR>;
    auto it = cache->find(id);
    if (it != cache->end()) return it->second;
    // A small, plain image; the backend shows its own cursor of the same shape.
    std::vector<std::uint32_t> px(16 * 16, 0);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x <= y / 2 && x < 16; ++x)
            px[static_cast<size_t>(y * 16 + x)] = 0xFF000000;
    HCURSOR c = CreateIconFromPixels(16, 16, px.data(), false, POINT{0, 0});
    (*cache)[id] = c;
    return c;
}

backend::CursorShape ShapeOf(HCURSOR c) {
    if (!c) return backend::CursorShape::Hidden;
    struct Pair {
        int Id;
        backend::CursorShape Shape;
    };
    static const Pair kPairs[] = {
        {32512, backend::CursorShape::Arrow},    {32513, backend::CursorShape::IBeam},
        {32514, backend::CursorShape::Wait},     {32515, backend::CursorShape::Cross},
        {32516, backend::CursorShape::UpArrow},  {32640, backend::CursorShape::SizeAll},
        {32642, backend::CursorShape::SizeNWSE}, {32643, backend::CursorShape::SizeNESW},
        {32644, backend::CursorShape::SizeWE},   {32645, backend::CursorShape::SizeNS},
        {32646, backend::CursorShape::SizeAll},  {32648, backend::CursorShape::No},
        {32649, backend::CursorShape::Hand},     {32650, backend::CursorShape::AppStarting},
        {32651, backend::CursorShape::Help}};
    for (const Pair& p : kPairs)
        if (StandardCursor(p.Id) == c) return p.Shape;
    return backend::CursorShape::Arrow;
}

} // namespace detail

using namespace detail;

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
        return Primary(Monitors()).Bounds.Width();
    case SM_CYSCREEN:
        return Primary(Monitors()).Bounds.Height();
    case SM_CXFULLSCREEN:
        return Primary(Monitors()).WorkArea.Width();
    case SM_CYFULLSCREEN:
        return Primary(Monitors()).WorkArea.Height() - 19;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CYVIRTUALSCREEN: {
        auto ms = Monitors();
        RECT u = ms.front().Bounds;
        for (const auto& m : ms)
            u = {std::min(u.Left, m.Bounds.Left), std::min(u.Top, m.Bounds.Top),
                 std::max(u.Right, m.Bounds.Right), std::max(u.Bottom, m.Bounds.Bottom)};
        if (index == SM_XVIRTUALSCREEN) return u.Left;
        if (index == SM_YVIRTUALSCREEN) return u.Top;
        return index == SM_CXVIRTUALSCREEN ? u.Width() : u.Height();
    }
    case SM_CMONITORS:
        return static_cast<int>(Monitors().size());
    case SM_SAMEDISPLAYFORMAT:
        return 1;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 16;
    case SM_CYCAPTION:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME:
        return 3;
    case SM_CXSIZEFRAME:
    case SM_CYSIZEFRAME:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYMENU:
        return 19;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE:
        return 18;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 18;
    case SM_CYSMCAPTION:
        return 15;
    case SM_CXSMSIZE:
        return 12;
    case SM_CYSMSIZE:
        return 14;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMINTRACK:
        return 27;
    case SM_CXMAXTRACK:
        return GetSystemMetrics(SM_CXVIRTUALSCREEN) + 2 * 4;
    case SM_CYMAXTRACK:
        return GetSystemMetrics(SM_CYVIRTUALSCREEN) + 2 * 4;
    case SM_CXMAXIMIZED:
        return Primary(Monitors()).WorkArea.Width() + 2 * 4;
    case SM_CYMAXIMIZED:
        return Primary(Monitors()).WorkArea.Height() + 2 * 4;
    case SM_CXMINIMIZED:
        return 160;
    case SM_CYMINIMIZED:
        return 24;
    case SM_CXMINSPACING:
        return 160;
    case SM_CYMINSPACING:
        return 24;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
        return 75;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
        return 1;
    case SM_CXPADDEDBORDER:
        return 0;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
        return 1;
    case SM_CMOUSEBUTTONS:
        return 3;
    case SM_MENUDROPALIGNMENT:
    case SM_SWAPBUTTON:
    case SM_DEBUG:
    case SM_NETWORK:
    case SM_CLEANBOOT:
    case SM_SHOWSOUNDS:
    case SM_SLOWMACHINE:
    case SM_MIDEASTENABLED:
    case SM_REMOTESESSION:
    case SM_CYKANJIWINDOW:
        return 0;
    case SM_ARRANGE:
        return 8; // ARW_HIDE
    default:
        return 0;
    }
}

BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pv, UINT winIni) {
    State& s = S();
    auto setFlag = [&](bool& flag) {
        flag = pv != nullptr;
        if (winIni & SPIF_SENDCHANGE) SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, action, 0);
        return TRUE;
    };
    auto getFlag = [&](bool flag) {
        if (!pv) return FALSE;
        *static_cast<BOOL*>(pv) = flag ? TRUE : FALSE;
        return TRUE;
    };
    switch (action) {
    case SPI_GETWORKAREA:
        if (!pv) return FALSE;
        *static_cast<RECT*>(pv) = Primary(Monitors()).WorkArea;
        return TRUE;
    case SPI_GETNONCLIENTMETRICS: {
        auto* m = static_cast<NONCLIENTMETRICS*>(pv);
        if (!m ||
            (m->cbSize != sizeof(NONCLIENTMETRICS) && m->cbSize != sizeof(NONCLIENTMETRICS) - sizeof(int)))
            return FALSE;
        UINT size = m->cbSize;
        std::memset(m, 0, size);
        m->cbSize = size;
        m->iBorderWidth = 1;
        m->iScrollWidth = m->iScrollHeight = 16;
        m->iCaptionWidth = m->iCaptionHeight = 18;
        DefaultFont(m->lfCaptionFont, true);
        m->iSmCaptionWidth = 12;
        m->iSmCaptionHeight = 14;
        DefaultFont(m->lfSmCaptionFont, true);
        m->iMenuWidth = m->iMenuHeight = 18;
        DefaultFont(m->lfMenuFont, false);
        DefaultFont(m->lfStatusFont, false);
        DefaultFont(m->lfMessageFont, false);
        return TRUE;
    }
    case SPI_GETMENUANIMATION:
        return getFlag(s.MenuAnimation);
    case SPI_SETMENUANIMATION:
        return setFlag(s.MenuAnimation);
    case SPI_GETMENUFADE:
        return getFlag(s.MenuFade);
    case SPI_SETMENUFADE:
        return setFlag(s.MenuFade);
    case SPI_GETKEYBOARDCUES:
        return getFlag(s.KeyboardCues);
    case SPI_SETKEYBOARDCUES:
        return setFlag(s.KeyboardCues);
    case SPI_GETFLATMENU:
        return getFlag(s.FlatMenu);
    case SPI_SETFLATMENU:
        return setFlag(s.FlatMenu);
    case SPI_GETDROPSHADOW:
        return getFlag(s.DropShadow);
    case SPI_SETDROPSHADOW:
        return setFlag(s.DropShadow);
    case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETHOTTRACKING:
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETUIEFFECTS:
    case SPI_GETFONTSMOOTHING:
        return getFlag(true);
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETSELECTIONFADE:
    case SPI_GETTOOLTIPANIMATION:
    case SPI_GETTOOLTIPFADE:
    case SPI_GETCURSORSHADOW:
    case SPI_GETACTIVEWINDOWTRACKING:
    case SPI_GETMENUDROPALIGNMENT:
        return getFlag(false);
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
    case SPI_GETFOCUSBORDERWIDTH:
    case SPI_GETFOCUSBORDERHEIGHT:
    case SPI_GETMOUSEHOVERTIME:
    case SPI_GETWHEELSCROLLLINES:
    case SPI_GETMENUSHOWDELAY:
    case SPI_GETBORDER:
    case SPI_GETKEYBOARDDELAY:
    case SPI_GETKEYBOARDSPEED: {
        if (!pv) return FALSE;
        UINT v = 0;
        switch (action) {
        case SPI_GETMOUSEHOVERWIDTH:
        case SPI_GETMOUSEHOVERHEIGHT:
            v = 4;
            break;
        case SPI_GETMOUSEHOVERTIME:
            v = 400;
            break;
        case SPI_GETWHEELSCROLLLINES:
            v = 3;
            break;
        case SPI_GETMENUSHOWDELAY:
            v = 400;
            break;
        case SPI_GETKEYBOARDDELAY:
            v = 1;
            break;
        case SPI_GETKEYBOARDSPEED:
            v = 31;
            break;
        default:
            v = 1;
            break;
        }
        *static_cast<UINT*>(pv) = v;
        return TRUE;
    }
    default:
        (void)uiParam;
        s.LastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
}

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
    auto ms = Monitors();
    size_t best = 0;
    double bestD = -1;
    for (size_t i = 0; i < ms.size(); ++i) {
        if (ms[i].Bounds.Contains(pt)) return ToHandle(i);
        const double d = DistanceSq(ms[i].Bounds, pt);
        if (bestD < 0 || d < bestD) bestD = d, best = i;
    }
    if (flags == MONITOR_DEFAULTTONULL) return nullptr;
    if (flags == MONITOR_DEFAULTTOPRIMARY)
        for (size_t i = 0; i < ms.size(); ++i)
            if (ms[i].Primary) return ToHandle(i);
    return ToHandle(best);
}

HMONITOR MonitorFromRect(const RECT* r, DWORD flags) {
    if (!r) return nullptr;
    auto ms = Monitors();
    long long bestArea = 0;
    std::optional<size_t> best;
    for (size_t i = 0; i < ms.size(); ++i) {
        const RECT& b = ms[i].Bounds;
        long long w = std::int64_t{std::min(b.Right, r->Right)} - std::max(b.Left, r->Left);
        long long h = std::int64_t{std::min(b.Bottom, r->Bottom)} - std::max(b.Top, r->Top);
        if (w > 0 && h > 0 && w * h > bestArea) bestArea = w * h, best = i;
    }
    if (best) return ToHandle(*best);
    return MonitorFromPoint(Centre(*r), flags);
}

HMONITOR MonitorFromWindow(HWND h, DWORD flags) {
    Wnd* w = W(h);
    if (!w)
        return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    Wnd* r = Root(w);
    RECT rc = (r->Style & WS_MINIMIZE) ? r->Normal : ScreenRect(r);
    if (rc.IsEmpty()) rc = {rc.Left, rc.Top, rc.Left + 1, rc.Top + 1};
    return MonitorFromRect(&rc, flags);
}

BOOL GetMonitorInfo(HMONITOR h, MONITORINFO* mi) {
    auto i = FromHandle(h);
    if (!i || !mi || (mi->cbSize != sizeof(MONITORINFO) && mi->cbSize != sizeof(MONITORINFOEX))) return FALSE;
    const auto m = Monitors()[*i];
    mi->rcMonitor = m.Bounds;
    mi->rcWork = m.WorkArea;
    mi->dwFlags = m.Primary ? MONITORINFOF_PRIMARY : 0;
    if (mi->cbSize == sizeof(MONITORINFOEX)) {
        auto* ex = static_cast<MONITORINFOEX*>(mi);
        String name = m.Name.empty() ? "DISPLAY" + std::to_string(*i + 1) : m.Name;
        std::memset(ex->szDevice, 0, sizeof ex->szDevice);
        std::strncpy(ex->szDevice, name.c_str(), sizeof ex->szDevice - 1);
    }
    return TRUE;
}

BOOL EnumDisplayMonitors(HDC, const RECT* clip, MONITORENUMPROC proc, LPARAM data) {
    if (!proc) return FALSE;
    auto ms = Monitors();
    for (size_t i = 0; i < ms.size(); ++i) {
        RECT r = ms[i].Bounds;
        if (clip) {
            r = {std::max(r.Left, clip->Left), std::max(r.Top, clip->Top), std::min(r.Right, clip->Right),
                 std::min(r.Bottom, clip->Bottom)};
            if (r.IsEmpty()) continue;
        }
        if (!proc(ToHandle(i), nullptr, &r, data)) return FALSE;
    }
    return TRUE;
}

// ---- Cursors

HCURSOR LoadCursor(HINSTANCE inst, const char* name) {
    if (inst || !name || !IS_INTRESOURCE(name)) {
        // Cursor resources of the program are not kept by this layer.
        S().LastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    if (id == 32641) id = 32512; // IDC_ICON is an arrow, as on current systems
    if ((id < 32512 || id > 32516) && (id < 32640 || id > 32651 || id == 32647)) return nullptr;
    return StandardCursor(id);
}

HCURSOR SetCursor(HCURSOR c) {
    State& s = S();
    HCURSOR old = s.CurrentCursor;
    s.CurrentCursor = c;
    if (old != c) Backend().SetCursor(s.CursorCount >= 0 ? ShapeOf(c) : backend::CursorShape::Hidden);
    return old;
}

HCURSOR GetCursor() {
    return S().CurrentCursor;
}

int ShowCursor(BOOL show) {
    State& s = S();
    s.CursorCount += show ? 1 : -1;
    Backend().SetCursor(s.CursorCount >= 0 ? ShapeOf(s.CurrentCursor) : backend::CursorShape::Hidden);
    return s.CursorCount;
}

} // namespace win
