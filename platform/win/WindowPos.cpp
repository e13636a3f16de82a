// Positions, z-order, show states, placement, coordinate mapping and finding windows at a point.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/win/Gdi.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {

namespace {

void ApplyZOrder(Wnd* w, HWND after) {
    auto& v = w->Parent->Children;
    bool top = w->IsTopLevel();
    if (top && after == HWND_TOPMOST) w->ExStyle |= WS_EX_TOPMOST;
    if (top && after == HWND_NOTOPMOST) w->ExStyle &= ~WS_EX_TOPMOST;
    v.erase(std::remove(v.begin(), v.end(), w), v.end());
    auto groupBegin = [&]() {
        auto it = v.begin();
        if (top && !(w->ExStyle & WS_EX_TOPMOST))
            while (it != v.end() && ((*it)->ExStyle & WS_EX_TOPMOST))
                ++it;
        return it;
    };
    auto groupEnd = [&]() {
        if (top && (w->ExStyle & WS_EX_TOPMOST)) {
            auto it = v.begin();
            while (it != v.end() && ((*it)->ExStyle & WS_EX_TOPMOST))
                ++it;
            return it;
        }
        return v.end();
    };
    if (after == HWND_BOTTOM) {
        v.insert(groupEnd(), w);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        v.insert(groupBegin(), w);
    } else {
        Wnd* a = W(after);
        auto it = a ? std::find(v.begin(), v.end(), a) : v.end();
        if (it == v.end())
            v.insert(groupBegin(), w);
        else {
            ++it;
            // Stay inside the window's own group.
            auto b = groupBegin(), e = groupEnd();
            if (it < b) it = b;
            if (it > e) it = e;
            v.insert(it, w);
        }
    }
}

// The parent's area that w left (rectInParent, less where w lies now when `except` is given).
void InvalidateParentArea(Wnd* w, const RECT& rectInParent, const RECT* except = nullptr) {
    Wnd* p = w->Parent;
    if (!p || p->IsDesktop() || rectInParent.IsEmpty()) return;
    HRGN rg = CreateRectRgn(rectInParent.Left, rectInParent.Top, rectInParent.Right, rectInParent.Bottom);
    if (except) {
        HRGN ex = CreateRectRgn(except->Left, except->Top, except->Right, except->Bottom);
        CombineRgn(rg, rg, ex, RGN_DIFF);
        DeleteObject(ex);
    }
    OffsetRgn(rg, p->Client.Left, p->Client.Top);
    AddUpdate(p, rg, true, false);
    DeleteObject(rg);
    // Siblings overlapped by the old place are shown again as well.
    for (Wnd* s : p->Children) {
        if (s == w || !(s->Style & WS_VISIBLE)) continue;
        RECT i{std::max(s->Rect.Left, rectInParent.Left), std::max(s->Rect.Top, rectInParent.Top),
               std::min(s->Rect.Right, rectInParent.Right), std::min(s->Rect.Bottom, rectInParent.Bottom)};
        if (i.IsEmpty()) continue;
        HRGN sr = CreateRectRgn(i.Left - s->Rect.Left, i.Top - s->Rect.Top, i.Right - s->Rect.Left,
                                i.Bottom - s->Rect.Top);
        AddUpdate(s, sr, true, true);
        DeleteObject(sr);
    }
}

MINMAXINFO MinMaxFor(Wnd* w) {
    MINMAXINFO mmi{};
    RECT ins = NonClientInsets(w->Style & ~WS_MINIMIZE, w->ExStyle, w->IsTopLevel() && w->Menu);
    HMONITOR mon = MonitorFromWindow(w->Handle, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{sizeof(MONITORINFO), {}, {}, 0};
    GetMonitorInfo(mon, &mi);
    RECT work = w->IsTopLevel() ? mi.rcWork : w->Parent->Client;
    if (!w->IsTopLevel()) work = {0, 0, w->Parent->Client.Width(), w->Parent->Client.Height()};
    RECT base = w->IsTopLevel() ? mi.rcMonitor : work;
    // The frame (not the caption) lies outside the work area.
    int fx = ins.Left, fy = ins.Bottom;
    mmi.ptMaxSize = {work.Width() + 2 * fx, work.Height() + 2 * fy};
    mmi.ptMaxPosition = {work.Left - base.Left - fx, work.Top - base.Top - fy};
    mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    if (w->MaxPos.X != -1 || w->MaxPos.Y != -1) mmi.ptMaxPosition = w->MaxPos;
    HWND h = w->Handle;
    Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    if (W(h)) NoteTrackLimits(w, mmi);
    // Positions are relative to the window's monitor (the handler may have answered any position).
    mmi.ptMaxPosition.X = vcl::ClampToInt(std::int64_t{mmi.ptMaxPosition.X} + base.Left);
    mmi.ptMaxPosition.Y = vcl::ClampToInt(std::int64_t{mmi.ptMaxPosition.Y} + base.Top);
    return mmi;
}

} // namespace

bool ZOrderWouldChange(Wnd* w, HWND after) {
    if (!w->Parent) return false;
    std::vector<Wnd*> order = w->Parent->Children;
    DWORD ex = w->ExStyle;
    ApplyZOrder(w, after);
    bool changed = order != w->Parent->Children || ex != w->ExStyle;
    w->Parent->Children = std::move(order);
    w->ExStyle = ex;
    return changed;
}

HWND PlaceOf(Wnd* w) {
    if (!w->Parent) return HWND_TOP;
    const auto& v = w->Parent->Children;
    const auto it = std::find(v.begin(), v.end(), w);
    return it == v.begin() || it == v.end() ? HWND_TOP : (*(it - 1))->Handle;
}

namespace {

RECT WorkspaceOffset(Wnd* w) {
    // Placement rectangles of top-level windows (not tool windows) are in workspace coordinates:
    // relative to the primary monitor's work area.
    if (!w->IsTopLevel() || (w->ExStyle & WS_EX_TOOLWINDOW)) return {};
    for (const auto& m : Backend().Monitors())
        if (m.Primary) return {m.WorkArea.Left - m.Bounds.Left, m.WorkArea.Top - m.Bounds.Top, 0, 0};
    return {};
}

} // namespace

MINMAXINFO AskTrackLimits(Wnd* w) {
    MINMAXINFO mmi{};
    mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    if ((w->Style & WS_CAPTION) != WS_CAPTION && !(w->Style & WS_THICKFRAME)) mmi.ptMinTrackSize = {0, 0};
    HWND h = w->Handle;
    Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    if (W(h)) NoteTrackLimits(w, mmi);
    return mmi;
}

void NoteTrackLimits(Wnd* w, const MINMAXINFO& mmi) {
    if (!w->IsTopLevel()) return;
    // A maximum at or above the system's own is no limit of the window's.
    auto limit = [](LONG v, int system) { return v < system ? std::max(static_cast<int>(v), 1) : 0; };
    vcl::TSize mx{limit(mmi.ptMaxTrackSize.X, GetSystemMetrics(SM_CXMAXTRACK)),
                  limit(mmi.ptMaxTrackSize.Y, GetSystemMetrics(SM_CYMAXTRACK))};
    vcl::TSize mn{std::max(static_cast<int>(mmi.ptMinTrackSize.X), 0),
                  std::max(static_cast<int>(mmi.ptMinTrackSize.Y), 0)};
    if (mx.cx) mn.cx = std::min(mn.cx, mx.cx);
    if (mx.cy) mn.cy = std::min(mn.cy, mx.cy);
    std::pair<vcl::TSize, vcl::TSize> limits{mn, mx};
    if (w->TrackLimits == limits) return;
    w->TrackLimits = limits;
    ApplyNativeSizeLimits(w);
}

void ApplyNativeSizeLimits(Wnd* w) {
    if (w->Native && w->TrackLimits) w->Native->SetSizeLimits(w->TrackLimits->first, w->TrackLimits->second);
}

BOOL SetPos(Wnd* w, HWND after, int x, int y, int cx, int cy, UINT flags, MoveRole role) {
    HWND h = w->Handle;
    // The proposal carries the caller's values as they were given, kept to the windows' range
    // (MaxWindowCoordinate); SWP_NOMOVE and SWP_NOSIZE say which of them count. What the WM_WINDOWPOSCHANGING
    // handler leaves is kept to it again: every sum below then stays within int.
    // The flags tell what changes: the show flag only where the window was hidden, except in a change of
    // state asked with it (a minimise), which carries it.
    UINT asked = flags;
    WINDOWPOS pos{h, after, KeptCoordinate(x), KeptCoordinate(y), KeptSize(cx), KeptSize(cy), flags};
    if ((flags & SWP_SHOWWINDOW) && (w->Style & WS_VISIBLE) && !(flags & SWP_STATECHANGED))
        pos.flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !(w->Style & WS_VISIBLE)) pos.flags &= ~SWP_HIDEWINDOW;
    if (!(pos.flags & SWP_NOSENDCHANGING)) {
        Send(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (!W(h)) return FALSE;
    }
    // The handler may have changed any member, the place in the z-order among them: what it leaves is done.
    flags = pos.flags;
    after = pos.hwndInsertAfter;
    const bool askedToTop = !(flags & SWP_NOZORDER) && after == HWND_TOP;
    const RECT kept = KeptBounds(pos.x, pos.y, pos.cx, pos.cy);
    pos.x = kept.Left, pos.y = kept.Top, pos.cx = kept.Width(), pos.cy = kept.Height();
    // Whether the z-order changes is decided from where the handler left the window to go, not from where
    // the caller asked: a handler may move a window that the caller's request would have left in place.
    if (!(flags & SWP_NOZORDER) && (after == h || !ZOrderWouldChange(w, after))) flags |= SWP_NOZORDER;
    RECT oldRect = w->Rect;
    RECT oldClient = w->Client;
    bool wasVisible = w->Style & WS_VISIBLE;
    bool showing = (flags & SWP_SHOWWINDOW) && !wasVisible, hiding = (flags & SWP_HIDEWINDOW) && wasVisible;
    RECT nr = oldRect;
    if (!(flags & SWP_NOMOVE)) nr = vcl::Bounds(pos.x, pos.y, nr.Width(), nr.Height());
    if (!(flags & SWP_NOSIZE)) nr = vcl::Bounds(nr.Left, nr.Top, pos.cx, pos.cy);
    bool moved = nr.Left != oldRect.Left || nr.Top != oldRect.Top;
    bool sized = nr.Width() != oldRect.Width() || nr.Height() != oldRect.Height();
    // A visible child that moves carries its pixels along: what was seen of it before is noted first.
    HRGN seenBefore = nullptr;
    if (moved && wasVisible && !w->IsTopLevel() && !(flags & (SWP_NOREDRAW | SWP_HIDEWINDOW)) &&
        IsVisibleChain(w))
        seenBefore = VisibleRegion(w, true, false, true);
    struct RegionGuard {
        HRGN& r;
        ~RegionGuard() {
            if (r) DeleteObject(r);
        }
    } seenGuard{seenBefore};
    w->Rect = nr;
    // A pure move keeps the client area where it lies in the window: nothing to compute.
    if (sized || (flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS p{};
        p.rgrc[0] = nr;
        p.rgrc[1] = oldRect;
        p.rgrc[2] = {oldRect.Left + oldClient.Left, oldRect.Top + oldClient.Top,
                     oldRect.Left + oldClient.Right, oldRect.Top + oldClient.Bottom};
        p.lppos = &pos;
        Send(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
        if (!W(h)) return FALSE;
        w->Client = ClientFromAnswer(p.rgrc[0], nr);
        // A window grown, invalidated and shrunk again before it paints paints only what it still has.
        KeepUpdateInClient(w);
    }
    // A change of the topmost state alone (of a window first already) is a change of the z-order too.
    bool restacked = false;
    if (!(flags & SWP_NOZORDER) && w->Parent) {
        std::vector<Wnd*> before = w->Parent->Children;
        DWORD exBefore = w->ExStyle;
        ApplyZOrder(w, after);
        restacked = before != w->Parent->Children || exBefore != w->ExStyle;
    }
    if (flags & SWP_SHOWWINDOW) w->Style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) w->Style &= ~WS_VISIBLE;
    bool visible = w->Style & WS_VISIBLE;

    if (w->IsTopLevel()) {
        if (sized || !w->Surface) EnsureSurface(w);
        if (w->Native) {
            if (moved || sized) w->Native->SetBounds(w->Rect);
            if (visible != wasVisible) w->Native->SetVisible(visible);
            if (!(flags & SWP_NOZORDER)) w->Native->SetTopmost(w->ExStyle & WS_EX_TOPMOST);
        }
        if (!(flags & SWP_NOZORDER) || visible != wasVisible) Restack();
    }

    if (!(flags & SWP_NOREDRAW)) {
        bool frame = (flags & SWP_FRAMECHANGED) || sized;
        if (visible && !wasVisible)
            InvalidateWhole(w, true, true);
        else if (!visible && wasVisible)
            InvalidateParentArea(w, oldRect);
        else if (visible && (moved || sized)) {
            // Only what the change uncovers is painted: the parent's area the child left, the part of the
            // window not seen before, and what a resize adds (the whole window for CS_HREDRAW/CS_VREDRAW).
            if (!w->IsTopLevel()) InvalidateParentArea(w, oldRect, &w->Rect);
            if (seenBefore && IsVisibleChain(w))
                CopyMovedBits(w, seenBefore, POINT{nr.Left - oldRect.Left, nr.Top - oldRect.Top});
            else if (moved && !w->IsTopLevel())
                InvalidateWhole(w, true, true);
            UINT cs = w->Class ? w->Class->Style : 0;
            bool whole = ((cs & CS_HREDRAW) && nr.Width() != oldRect.Width()) ||
                         ((cs & CS_VREDRAW) && nr.Height() != oldRect.Height());
            if (sized || (flags & SWP_FRAMECHANGED)) InvalidateResized(w, oldRect, oldClient, whole);
        } else if (frame) {
            AddUpdate(w, nullptr, false, true);
        }
        // A child raised or lowered in place: where it overlaps its siblings, the new top one shows.
        if (restacked && visible && wasVisible && !moved && !sized && !w->IsTopLevel()) {
            InvalidateParentArea(w, w->Rect);
            InvalidateWhole(w, true, true);
        }
        if (w->IsTopLevel() && visible && !wasVisible && w->Surface)
            Present(w, {0, 0, nr.Width(), nr.Height()});
    }

    bool activated = false;
    if (w->IsTopLevel() && visible && !(flags & SWP_NOACTIVATE) && role != MoveRole::ActivatedAfter &&
        !(w->Style & WS_DISABLED) && (!wasVisible || !(asked & SWP_NOZORDER) || moved || sized) &&
        S().Active != h) {
        ActivateWindow(w, WA_ACTIVE, true);
        activated = W(h) && S().Active == h;
    } else if (!w->IsTopLevel() && !(flags & SWP_NOACTIVATE) && (moved || sized || (flags & SWP_SHOWWINDOW)))
        Send(w, WM_CHILDACTIVATE, 0, 0);
    if (!W(h)) return FALSE;
    // A call that changed nothing (place, size, z-order, visibility and frame as they were) ends here, also
    // where it activated the window first of all. One that activated a window asked to the top, first under
    // the topmost windows (as high as it may go), reports the raise it asked for: the window is not first of
    // all, and WM_WINDOWPOSCHANGED says so without SWP_NOZORDER.
    const bool changedNothing =
        !moved && !sized && !restacked && !showing && !hiding && !(flags & SWP_FRAMECHANGED);
    const bool raisedUnderTopmost =
        changedNothing && activated && askedToTop && w->Parent && w->Parent->Children.front() != w;
    if (changedNothing && !raisedUnderTopmost) return TRUE;

    POINT oldClientPos{oldRect.Left + oldClient.Left, oldRect.Top + oldClient.Top};
    POINT newClientPos{w->Rect.Left + w->Client.Left, w->Rect.Top + w->Client.Top};
    WINDOWPOS done{h, after, w->Rect.Left, w->Rect.Top, w->Rect.Width(), w->Rect.Height(), flags};
    if (!moved) done.flags |= SWP_NOMOVE;
    if (!sized) done.flags |= SWP_NOSIZE;
    if (raisedUnderTopmost)
        done.flags &= ~SWP_NOZORDER;
    else if (!restacked)
        done.flags |= SWP_NOZORDER;
    if (oldClientPos == newClientPos) done.flags |= SWP_NOCLIENTMOVE;
    if (oldClient.Width() == w->Client.Width() && oldClient.Height() == w->Client.Height())
        done.flags |= SWP_NOCLIENTSIZE;
    Send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
    if (!W(h)) return TRUE;
    if (!visible && wasVisible) {
        // A hidden child hands a focus inside it to its parent (when the parent can take it).
        if (!w->IsTopLevel() && HasFocusInside(w)) SetFocus(w->Parent->Handle);
        if (W(h)) Deactivated(w);
    }
    return TRUE;
}

} // namespace detail

using namespace detail;

BOOL SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
    Wnd* w = Checked(h);
    if (!w || w->IsDesktop()) return FALSE;
    if (after == h) flags |= SWP_NOZORDER;
    BOOL r = SetPos(w, after, x, y, cx, cy, flags);
    FreeGraveyard();
    return r;
}

BOOL MoveWindow(HWND h, int x, int y, int cx, int cy, BOOL repaint) {
    return SetWindowPos(h, nullptr, x, y, cx, cy,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND h) {
    return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

// Whether a change of show state activates the window: in its move (on top), once moved (a window opened
// out of the minimised state, whose WM_ACTIVATE gives it back its focus), or not at all.
enum class StateActivation { InMove, AfterMove, None };

// Whether the window system's own show, hide or restore of w that does not raise it proposes the place w
// has, so that whether the z-order changes is decided once WM_WINDOWPOSCHANGING has answered, as in a
// SetWindowPos (a top-level window's SW_HIDE, SW_SHOWNA and restore), or keeps the place with SWP_NOZORDER
// (a child's every show and hide, and SW_SHOWNOACTIVATE).
bool ProposesItsPlace(const Wnd* w, int cmd) {
    return w->IsTopLevel() && cmd != SW_SHOWNOACTIVATE;
}

// Moves w to a new rectangle for a show state change, showing it (with the show flag) if asked. Only a
// window the change leaves inactive is moved with SWP_NOACTIVATE. A window activated in the move is asked to
// the top. Otherwise the move proposes the place the window has where `proposePlace` (a restore; see
// ProposesItsPlace), else keeps it with SWP_NOZORDER (a minimise, a maximise).
void ApplyState(Wnd* w, const RECT& r, bool show, StateActivation activate, bool proposePlace) {
    // The native window hears the state before the bounds that go with it: a window manager keeps states too.
    if (w->IsTopLevel() && w->Native)
        w->Native->SetState((w->Style & WS_MINIMIZE)   ? backend::WindowState::Minimized
                            : (w->Style & WS_MAXIMIZE) ? backend::WindowState::Maximized
                                                       : backend::WindowState::Normal);
    UINT flags = SWP_FRAMECHANGED | SWP_STATECHANGED;
    HWND after = HWND_TOP;
    if (show) flags |= SWP_SHOWWINDOW;
    if (activate == StateActivation::None) flags |= SWP_NOACTIVATE;
    if (activate != StateActivation::InMove) {
        if (proposePlace)
            after = PlaceOf(w);
        else
            flags |= SWP_NOZORDER;
    }
    SetPos(w, after, r.Left, r.Top, r.Width(), r.Height(), flags,
           activate == StateActivation::AfterMove ? MoveRole::ActivatedAfter : MoveRole::Plain);
}

// Shows w where it lies: on top if the show activates it, else in its place, proposed unless the show
// keeps it (ProposesItsPlace).
void ShowInPlace(Wnd* w, bool activate, int cmd) {
    const UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
    if (activate)
        SetPos(w, HWND_TOP, 0, 0, 0, 0, flags);
    else if (ProposesItsPlace(w, cmd))
        SetPos(w, PlaceOf(w), 0, 0, 0, 0, flags | SWP_NOACTIVATE);
    else
        SetPos(w, nullptr, 0, 0, 0, 0, flags | SWP_NOACTIVATE | SWP_NOZORDER);
}

// In the move, after it, or not at all: the activation of a change of state that activates when `activate`.
StateActivation StateActivationOf(bool activate, bool fromMinimised) {
    if (!activate) return StateActivation::None;
    return fromMinimised ? StateActivation::AfterMove : StateActivation::InMove;
}

} // namespace

BOOL ShowWindow(HWND h, int cmd) {
    State& s = S();
    Wnd* w = Checked(h);
    if (!w || w->IsDesktop()) return FALSE;
    bool wasVisible = w->Style & WS_VISIBLE;
    bool top = w->IsTopLevel();
    auto showMsg = [&](bool show) {
        if (show != wasVisible) Send(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        return W(h) != nullptr;
    };
    bool activate = top && !(w->ExStyle & WS_EX_NOACTIVATE);
    // A minimised window asked to open may refuse (WM_QUERYOPEN answers FALSE). A restore that goes on to
    // maximise has asked already.
    auto mayOpen = [&] {
        return std::exchange(w->OpenAsked, false) || !(w->Style & WS_MINIMIZE) ||
               (Send(w, WM_QUERYOPEN, 0, 0) && W(h));
    };
    // Out of the minimised state the window is activated last, so that its WM_ACTIVATE gives it the focus
    // it gave up (also when it stayed the active window).
    auto activateOpened = [&] {
        if (s.Active != h)
            ActivateWindow(w, WA_ACTIVE, false);
        else
            Send(w, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    };
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible) return FALSE;
        if (!showMsg(false)) return TRUE;
        // Only a child's hide is a move without activation: a top-level window hands its activation on
        // once hidden. A top-level window keeps its place unless WM_WINDOWPOSCHANGING moves it; a child
        // keeps it with SWP_NOZORDER.
        if (ProposesItsPlace(w, cmd))
            SetPos(w, PlaceOf(w), 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE);
        else
            SetPos(w, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        FreeGraveyard();
        return TRUE;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: {
        if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(h), cmd)) break;
        if (!(w->Style & WS_MINIMIZE)) {
            if (w->Style & WS_MAXIMIZE)
                w->RestoreToMax = true;
            else {
                w->Normal = w->Rect;
                w->RestoreToMax = false;
            }
        }
        // Shown minimised and inactive, a hidden window is not told that it shows.
        if (cmd != SW_SHOWMINNOACTIVE && !showMsg(true)) return TRUE;
        // A minimised window keeps no focus: it goes before the window moves.
        if (HasFocusInside(w)) {
            SetFocus(nullptr);
            if (!W(h)) return wasVisible;
        }
        w->Style = (w->Style | WS_MINIMIZE) & ~WS_MAXIMIZE;
        POINT p = (w->MinPos.X != -1 || w->MinPos.Y != -1) ? w->MinPos : POINT{-32000, -32000};
        RECT r = vcl::Bounds(p.X, p.Y, GetSystemMetrics(SM_CXMINIMIZED), GetSystemMetrics(SM_CYMINIMIZED));
        ApplyState(w, r, true, StateActivation::None, false);
        if (!W(h)) return wasVisible;
        if (cmd == SW_SHOWMINIMIZED && activate) {
            if (s.Active != h) ActivateWindow(w, WA_ACTIVE, true);
        } else if (s.Active == h) {
            ActivateNext(w);
        }
        break;
    }
    case SW_SHOWMAXIMIZED: {
        if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(h), cmd)) break;
        if (!mayOpen()) return wasVisible;
        bool fromMin = w->Style & WS_MINIMIZE;
        if (!(w->Style & (WS_MINIMIZE | WS_MAXIMIZE))) w->Normal = w->Rect;
        if (!showMsg(true)) return TRUE;
        w->Style = (w->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        MINMAXINFO mmi = MinMaxFor(w);
        if (!W(h)) return wasVisible;
        // Unlike a minimise, a maximise reports the show flag only where the window was hidden.
        ApplyState(w, vcl::Bounds(mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxSize.X, mmi.ptMaxSize.Y),
                   !wasVisible, StateActivationOf(activate, fromMin), false);
        if (fromMin && activate && W(h)) activateOpened();
        break;
    }
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE: {
        bool act = activate && cmd != SW_SHOWNOACTIVATE;
        if (w->Style & (WS_MINIMIZE | WS_MAXIMIZE)) {
            if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(h), cmd)) break;
            if (!mayOpen()) return wasVisible;
            bool fromMin = w->Style & WS_MINIMIZE;
            if (fromMin && w->RestoreToMax && cmd != SW_SHOWNORMAL) {
                w->RestoreToMax = false;
                w->OpenAsked = true;
                ShowWindow(h, SW_SHOWMAXIMIZED);
                if (Wnd* ww = W(h)) ww->OpenAsked = false;
                return wasVisible ? TRUE : FALSE;
            }
            if (!showMsg(true)) return TRUE;
            w->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            w->RestoreToMax = false;
            // As a maximise: the show flag only where the window was hidden.
            ApplyState(w, w->Normal, !wasVisible, StateActivationOf(act, fromMin), ProposesItsPlace(w, cmd));
            if (fromMin && act && W(h)) activateOpened();
        } else {
            if (!showMsg(true)) return TRUE;
            ShowInPlace(w, act, cmd);
        }
        break;
    }
    case SW_SHOW:
    case SW_SHOWNA:
    default: {
        if (cmd != SW_SHOW && cmd != SW_SHOWNA) {
            s.LastError = ERROR_INVALID_PARAMETER;
            return FALSE;
        }
        if (!showMsg(true)) return TRUE;
        ShowInPlace(w, activate && cmd == SW_SHOW, cmd);
        break;
    }
    }
    // An overlapped window hears its first size and place when it is first shown.
    if (Wnd* ww = W(h); ww && !ww->SizeSent && (ww->Style & WS_VISIBLE)) SendFirstSize(ww);
    FreeGraveyard();
    return wasVisible ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND h, RECT* r) {
    Wnd* w = Checked(h);
    if (!w || !r) return FALSE;
    *r = ScreenRect(w);
    return TRUE;
}

BOOL GetClientRect(HWND h, RECT* r) {
    Wnd* w = Checked(h);
    if (!w || !r) return FALSE;
    if (w->IsDesktop())
        *r = {0, 0, ScreenRect(w).Width(), ScreenRect(w).Height()};
    else
        *r = {0, 0, w->Client.Width(), w->Client.Height()};
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* r, DWORD style, BOOL menu, DWORD exStyle) {
    if (!r) return FALSE;
    RECT ins = NonClientInsets(style, exStyle, menu != FALSE);
    // In 64 bits: the rectangle given may lie anywhere in the int range.
    r->Left = vcl::ClampToInt(std::int64_t{r->Left} - ins.Left);
    r->Top = vcl::ClampToInt(std::int64_t{r->Top} - ins.Top);
    r->Right = vcl::ClampToInt(std::int64_t{r->Right} + ins.Right);
    r->Bottom = vcl::ClampToInt(std::int64_t{r->Bottom} + ins.Bottom);
    return TRUE;
}

BOOL AdjustWindowRect(RECT* r, DWORD style, BOOL menu) {
    return AdjustWindowRectEx(r, style, menu, 0);
}

BOOL GetWindowPlacement(HWND h, WINDOWPLACEMENT* p) {
    Wnd* w = Checked(h);
    if (!w || !p) return FALSE;
    p->length = sizeof(WINDOWPLACEMENT);
    p->flags = 0;
    if (w->Style & WS_MINIMIZE) {
        p->showCmd = SW_SHOWMINIMIZED;
        if (w->RestoreToMax) p->flags |= WPF_RESTORETOMAXIMIZED;
    } else if (w->Style & WS_MAXIMIZE)
        p->showCmd = SW_SHOWMAXIMIZED;
    else
        p->showCmd = SW_SHOWNORMAL;
    RECT n = (w->Style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->Normal : w->Rect;
    RECT off = WorkspaceOffset(w);
    p->rcNormalPosition = {n.Left - off.Left, n.Top - off.Top, n.Right - off.Left, n.Bottom - off.Top};
    p->ptMinPosition = w->MinPos;
    p->ptMaxPosition = w->MaxPos;
    return TRUE;
}

BOOL SetWindowPlacement(HWND h, const WINDOWPLACEMENT* p) {
    Wnd* w = Checked(h);
    if (!w || !p || p->length != sizeof(WINDOWPLACEMENT)) {
        S().LastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    // The placement given may lie anywhere in the int range: it is kept to the windows' range (an inverted
    // rectangle empty), its positions too (-1 for "none" lies within it).
    RECT off = WorkspaceOffset(w);
    const RECT& n = p->rcNormalPosition;
    w->Normal = KeptBounds(std::int64_t{n.Left} + off.Left, std::int64_t{n.Top} + off.Top,
                           std::int64_t{n.Right} - n.Left, std::int64_t{n.Bottom} - n.Top);
    auto keptPoint = [](POINT pt) { return POINT{KeptCoordinate(pt.X), KeptCoordinate(pt.Y)}; };
    if (p->flags & WPF_SETMINPOSITION) w->MinPos = keptPoint(p->ptMinPosition);
    w->MaxPos = keptPoint(p->ptMaxPosition);
    w->RestoreToMax = (p->flags & WPF_RESTORETOMAXIMIZED) != 0;
    if (!(w->Style & (WS_MINIMIZE | WS_MAXIMIZE)))
        SetPos(w, nullptr, w->Normal.Left, w->Normal.Top, w->Normal.Width(), w->Normal.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
    if (W(h)) ShowWindow(h, static_cast<int>(p->showCmd));
    FreeGraveyard();
    return TRUE;
}

// ---- Coordinates

BOOL ClientToScreen(HWND h, POINT* p) {
    Wnd* w = Checked(h);
    if (!w || !p) return FALSE;
    POINT o = ClientScreenOrigin(w);
    // In 64 bits: the point given may lie anywhere in the int range.
    p->X = vcl::ClampToInt(std::int64_t{p->X} + o.X);
    p->Y = vcl::ClampToInt(std::int64_t{p->Y} + o.Y);
    return TRUE;
}

BOOL ScreenToClient(HWND h, POINT* p) {
    Wnd* w = Checked(h);
    if (!w || !p) return FALSE;
    POINT o = ClientScreenOrigin(w);
    p->X = vcl::ClampToInt(std::int64_t{p->X} - o.X);
    p->Y = vcl::ClampToInt(std::int64_t{p->Y} - o.Y);
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* pts, UINT n) {
    POINT a{}, b{};
    if (from) {
        Wnd* f = Checked(from);
        if (!f) return 0;
        a = ClientScreenOrigin(f);
    }
    if (to) {
        Wnd* t = Checked(to);
        if (!t) return 0;
        b = ClientScreenOrigin(t);
    }
    const int dx = vcl::ClampToInt(std::int64_t{a.X} - b.X), dy = vcl::ClampToInt(std::int64_t{a.Y} - b.Y);
    for (UINT i = 0; pts && i < n; ++i) {
        pts[i].X = vcl::ClampToInt(std::int64_t{pts[i].X} + dx);
        pts[i].Y = vcl::ClampToInt(std::int64_t{pts[i].Y} + dy);
    }
    int r = MAKELPARAM(dx, dy);
    return r;
}

// ---- Windows at a point

namespace detail {

// True if the screen point lies in the window: its rectangle, its shape, and every ancestor's client area.
bool Hits(Wnd* w, POINT pt) {
    RECT r = ScreenRect(w);
    if (!r.Contains(pt)) return false;
    if (w->Shape && !PtInRegion(w->Shape, pt.X - r.Left, pt.Y - r.Top)) return false;
    for (Wnd* p = w->Parent; p && !p->IsDesktop(); p = p->Parent) {
        POINT o = ClientScreenOrigin(p);
        if (!vcl::Bounds(o.X, o.Y, p->Client.Width(), p->Client.Height()).Contains(pt)) return false;
        if (p->Shape) {
            RECT pr = ScreenRect(p);
            if (!PtInRegion(p->Shape, pt.X - pr.Left, pt.Y - pr.Top)) return false;
        }
    }
    return true;
}

namespace {
void Visit(Wnd* w, POINT pt, std::vector<Wnd*>& out) {
    for (Wnd* c : w->Children) {
        if (!(c->Style & WS_VISIBLE) || (c->Style & WS_DISABLED)) continue; // input passes to the parent
        if (Hits(c, pt)) Visit(c, pt, out);
    }
    out.push_back(w);
}
} // namespace

// The windows under a screen point, front to back: deeper and upper windows first, each window before
// its parent, then the windows beneath.
std::vector<Wnd*> WindowsAt(POINT pt) {
    std::vector<Wnd*> out;
    for (Wnd* t : S().Desktop->Children) {
        if (!(t->Style & WS_VISIBLE)) continue;
        if ((t->ExStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT))
            continue;
        if (Hits(t, pt)) Visit(t, pt, out);
    }
    return out;
}

// The window that gets the mouse at pt, after WM_NCHITTEST; hit receives the answer.
Wnd* TargetAt(POINT pt, LRESULT* hit) {
    for (Wnd* c : WindowsAt(pt)) {
        HWND h = c->Handle;
        LRESULT r = SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(pt.X, pt.Y));
        if (!W(h)) continue;
        if (r == HTTRANSPARENT) continue;
        if (hit) *hit = r;
        return c;
    }
    if (hit) *hit = HTNOWHERE;
    return nullptr;
}

} // namespace detail

HWND WindowFromPoint(POINT pt) {
    Wnd* w = TargetAt(pt, nullptr);
    FreeGraveyard();
    return w ? w->Handle : nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
    Wnd* p = Checked(parent);
    if (!p) return nullptr;
    RECT cr{0, 0, p->Client.Width(), p->Client.Height()};
    if (p->IsDesktop()) cr = ScreenRect(p);
    if (!cr.Contains(pt)) return nullptr;
    for (Wnd* c : p->Children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(c->Style & WS_VISIBLE)) continue;
        if ((flags & CWP_SKIPDISABLED) && (c->Style & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (c->ExStyle & WS_EX_TRANSPARENT)) continue;
        if (!c->Rect.Contains(pt)) continue;
        if (c->Shape && !PtInRegion(c->Shape, pt.X - c->Rect.Left, pt.Y - c->Rect.Top)) continue;
        return c->Handle;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
    return ChildWindowFromPointEx(parent, pt, CWP_ALL);
}

HWND RealChildWindowFromPoint(HWND parent, POINT pt) {
    return ChildWindowFromPointEx(parent, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

} // namespace win
