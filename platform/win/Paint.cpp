// Invalidation, WM_PAINT, device contexts of windows, window images, regions and layered windows.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "platform/win/DCInternal.h"
#include "platform/win/Gdi.h"
#include "platform/win/Metrics.h"
#include "platform/win/PaintStamp.h"
#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {

namespace {

struct DCInfo {
    HWND Window = nullptr;
    RECT Dirty{}; // surface coordinates of the root window
};

std::unordered_map<HDC, DCInfo>& DCs() {
    static auto* m = new std::unordered_map<HDC, DCInfo>;
    return *m;
}

HRGN RectRgn(const RECT& r) {
    return CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
}

// Whether r and the region's bounding box share no pixel: then subtracting r changes nothing.
bool Apart(HRGN rgn, const RECT& r) {
    RECT box{};
    if (GetRgnBox(rgn, &box) == NULLREGION) return true;
    return r.Right <= box.Left || r.Left >= box.Right || r.Bottom <= box.Top || r.Top >= box.Bottom;
}

void Subtract(HRGN rgn, const RECT& r) {
    if (r.IsEmpty() || Apart(rgn, r)) return;
    HRGN t = RectRgn(r);
    CombineRgn(rgn, rgn, t, RGN_DIFF);
    DeleteObject(t);
}

void Intersect(HRGN rgn, const RECT& r) {
    // Nothing to cut when r holds the whole region.
    RECT box{};
    if (GetRgnBox(rgn, &box) != NULLREGION && r.Left <= box.Left && r.Top <= box.Top &&
        r.Right >= box.Right && r.Bottom >= box.Bottom)
        return;
    HRGN t = RectRgn(r);
    CombineRgn(rgn, rgn, t, RGN_AND);
    DeleteObject(t);
}

void IntersectShape(HRGN rgn, const Wnd* w, POINT at) {
    if (!w->Shape) return;
    HRGN t = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(t, w->Shape, nullptr, RGN_COPY);
    OffsetRgn(t, at.X, at.Y);
    CombineRgn(rgn, rgn, t, RGN_AND);
    DeleteObject(t);
}

void SubtractWindow(HRGN rgn, const Wnd* w) {
    POINT o = RootOffset(w);
    if (Apart(rgn, vcl::Bounds(o.X, o.Y, w->Rect.Width(), w->Rect.Height()))) return;
    if (!w->Shape) {
        Subtract(rgn, vcl::Bounds(o.X, o.Y, w->Rect.Width(), w->Rect.Height()));
        return;
    }
    HRGN t = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(t, w->Shape, nullptr, RGN_COPY);
    OffsetRgn(t, o.X, o.Y);
    Intersect(t, vcl::Bounds(o.X, o.Y, w->Rect.Width(), w->Rect.Height()));
    CombineRgn(rgn, rgn, t, RGN_DIFF);
    DeleteObject(t);
}

RECT ClientInSurface(const Wnd* w) {
    POINT o = RootClientOffset(w);
    return vcl::Bounds(o.X, o.Y, w->Client.Width(), w->Client.Height());
}

RECT ClientInWindow(const Wnd* w) {
    return w->Client;
}

bool RegionEmpty(HRGN r) {
    RECT b{};
    return !r || GetRgnBox(r, &b) == NULLREGION;
}

} // namespace

HRGN VisibleRegion(Wnd* w, bool window, bool clipChildren, bool clipSiblings) {
    (void)clipSiblings; // siblings above always clip: children are painted in z-order
    POINT o = RootOffset(w);
    RECT base = window ? vcl::Bounds(o.X, o.Y, w->Rect.Width(), w->Rect.Height()) : ClientInSurface(w);
    HRGN rgn = RectRgn(base);
    IntersectShape(rgn, w, o);
    for (Wnd* p = w->Parent; p && !p->IsDesktop(); p = p->Parent) {
        Intersect(rgn, ClientInSurface(p));
        IntersectShape(rgn, p, RootOffset(p));
    }
    for (Wnd* x = w; x && x->Parent && !x->IsTopLevel(); x = x->Parent) {
        for (Wnd* s : x->Parent->Children) {
            if (s == x) break;
            if (s->Style & WS_VISIBLE) SubtractWindow(rgn, s);
        }
    }
    if (clipChildren)
        for (Wnd* c : w->Children)
            if (c->Style & WS_VISIBLE) SubtractWindow(rgn, c);
    return rgn;
}

void AddUpdate(Wnd* w, HRGN windowRgn, bool erase, bool frame) {
    if (!w || w->IsDesktop() || w->Dead) return;
    if (!w->Update) w->Update = CreateRectRgn(0, 0, 0, 0);
    HRGN add = windowRgn ? CreateRectRgn(0, 0, 0, 0) : RectRgn(ClientInWindow(w));
    if (windowRgn) {
        CombineRgn(add, windowRgn, nullptr, RGN_COPY);
        Intersect(add, ClientInWindow(w));
    }
    CombineRgn(w->Update, w->Update, add, RGN_OR);
    bool any = !RegionEmpty(add);
    DeleteObject(add);
    if (any) w->PaintStamp = ++S().PaintStamps;
    if (erase && any) w->ErasePending = true;
    if (frame) w->FramePending = true;
}

void KeepUpdateInClient(Wnd* w) {
    if (w->Update) Intersect(w->Update, ClientInWindow(w));
}

void InvalidateWhole(Wnd* w, bool erase, bool children) {
    AddUpdate(w, nullptr, erase, true);
    if (children)
        for (Wnd* c : w->Children)
            InvalidateWhole(c, erase, true);
}

bool HasPendingPaint(Wnd* w) {
    if (!w || w->Dead || !w->Redraw || !IsVisibleChain(w)) return false;
    if (Root(w)->UlwMode) return false;
    if (w->Style & WS_MINIMIZE) return w->FramePending || w->InternalPaint;
    return w->FramePending || w->InternalPaint || !RegionEmpty(w->Update);
}

namespace {
Wnd* FindPaint(Wnd* w, HWND filter) {
    if (!(w->Style & WS_VISIBLE)) return nullptr;
    if ((!filter || filter == w->Handle) && HasPendingPaint(w)) return w;
    for (Wnd* c : w->Children)
        if (Wnd* r = FindPaint(c, filter)) return r;
    return nullptr;
}
} // namespace

Wnd* NextPaintWindow(HWND filter) {
    for (Wnd* t : S().Desktop->Children)
        if (Wnd* r = FindPaint(t, filter)) return r;
    return nullptr;
}

void EnsureSurface(Wnd* root) {
    // No image can be wider or taller than 32767 pixels (nor can an X window be), and a window's picture
    // is kept to 2^26 pixels (256 MB, more than an 8K screen): the picture of a larger window holds its
    // top-left part, and drawing beyond it is clipped away.
    constexpr int kMaxSide = 32767;
    constexpr int kMaxPixels = 1 << 26;
    int w = std::clamp(root->Rect.Width(), 1, kMaxSide), h = std::clamp(root->Rect.Height(), 1, kMaxSide);
    h = std::min(h, kMaxPixels / w);
    if (!root->Surface || cairo_image_surface_get_width(root->Surface) != w ||
        cairo_image_surface_get_height(root->Surface) != h) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        if (root->Surface) {
            // Keep what was there until the window repaints (a new image that could not be made, for
            // want of memory, takes nothing: drawing into it would only leak).
            if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
                cairo_t* cr = cairo_create(s);
                cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
                cairo_set_source_surface(cr, root->Surface, 0, 0);
                cairo_paint(cr);
                cairo_destroy(cr);
            }
            cairo_surface_destroy(root->Surface);
        }
        root->Surface = s;
    }
    if (!root->Native && !root->MessageOnly) {
        backend::NativeWindowInfo info;
        info.Bounds = root->Rect;
        // A pop-up window with a caption is a dialog (a message box, a form with a dialog frame): the
        // window manager places it and gives it the keyboard like any window with a caption. Only the
        // captionless ones (menus, hints, drop-downs) are the display's bare pop-ups, which never take
        // the keyboard: a box of that kind answered no key unless another window of ours held it.
        info.Popup = (root->Style & WS_POPUP) != 0 && (root->Style & WS_CAPTION) != WS_CAPTION;
        info.ToolWindow = (root->ExStyle & WS_EX_TOOLWINDOW) != 0;
        info.Topmost = (root->ExStyle & WS_EX_TOPMOST) != 0;
        info.NoActivate = (root->ExStyle & WS_EX_NOACTIVATE) != 0;
        info.Owner = root->Owner ? root->Owner->Native.get() : nullptr;
        root->Native = Backend().CreateNativeWindow(info);
        if (root->Native) {
            root->Native->SetVisible(root->Style & WS_VISIBLE);
            UpdateNativeAttributes(root);
            UpdateNativeTitleAndIcon(root);
            // Windows it owns that reached the screen before it learn their owner only now.
            for (Wnd* t : S().Desktop->Children)
                if (t->Owner == root) UpdateNativeOwner(t);
        }
    }
}

void UpdateNativeOwner(Wnd* root) {
    if (root->Native) root->Native->SetOwner(root->Owner ? root->Owner->Native.get() : nullptr);
}

void ReleaseSurface(Wnd* root) {
    root->Native.reset();
    if (root->Surface) cairo_surface_destroy(root->Surface);
    root->Surface = nullptr;
    Restack();
}

void Present(Wnd* root, const RECT& r) {
    if (!root || !root->Surface || !root->Native || r.IsEmpty()) return;
    RECT c{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, root->Rect.Width()),
           std::min(r.Bottom, root->Rect.Height())};
    if (c.IsEmpty()) return;
    cairo_surface_flush(root->Surface);
    root->Native->Present(root->Surface, c);
}

void UpdateNativeAttributes(Wnd* root) {
    if (!root->Native) return;
    bool layered = root->ExStyle & WS_EX_LAYERED;
    BYTE alpha = layered && (root->LayeredFlags & LWA_ALPHA) ? root->Alpha : 255;
    std::optional<std::uint32_t> key;
    if (layered && (root->LayeredFlags & LWA_COLORKEY)) key = root->Key;
    root->Native->SetOpacity(alpha, key, layered && root->PerPixel);
    if (root->Shape) {
        std::vector<RECT> rects = GetRegionRects(root->Shape);
        root->Native->SetShape(rects);
    } else
        root->Native->SetShape(std::nullopt);
}

void Restack() {
    std::vector<backend::NativeWindow*> list;
    for (Wnd* t : S().Desktop->Children)
        if ((t->Style & WS_VISIBLE) && t->Native) list.push_back(t->Native.get());
    if (backend::HasBackend()) Backend().Restack(list);
}

} // namespace detail

using namespace detail;

// ---- Invalidation

namespace {

// Applies RedrawWindow to w with a region in window coordinates (null = all), and to its children.
void Redraw(Wnd* w, HRGN rgn, UINT flags, bool top) {
    if (flags & RDW_INVALIDATE) {
        AddUpdate(w, rgn, flags & RDW_ERASE, (flags & RDW_FRAME) && (!rgn || top));
        if (flags & RDW_INTERNALPAINT) w->InternalPaint = true;
    }
    if (flags & RDW_VALIDATE) {
        if (w->Update) {
            if (rgn) {
                HRGN t = CreateRectRgn(0, 0, 0, 0);
                CombineRgn(t, rgn, nullptr, RGN_COPY);
                CombineRgn(w->Update, w->Update, t, RGN_DIFF);
                DeleteObject(t);
            } else
                SetRectRgn(w->Update, 0, 0, 0, 0);
        }
        if (flags & RDW_NOERASE) w->ErasePending = false;
        if (flags & RDW_NOFRAME) w->FramePending = false;
        if (flags & RDW_NOINTERNALPAINT) w->InternalPaint = false;
        if (RegionEmpty(w->Update)) w->ErasePending = false;
    }
    bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->Style & WS_CLIPCHILDREN));
    if (!children) return;
    for (Wnd* c : w->Children) {
        if (!(c->Style & WS_VISIBLE)) continue;
        // Both kept to the windows' range (MaxWindowCoordinate), the sum stays within int.
        POINT at{w->Client.Left + c->Rect.Left, w->Client.Top + c->Rect.Top};
        HRGN cr = nullptr;
        if (rgn) {
            cr = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(cr, rgn, nullptr, RGN_COPY);
            OffsetRgn(cr, -at.X, -at.Y);
            Intersect(cr, {0, 0, c->Rect.Width(), c->Rect.Height()});
            if (RegionEmpty(cr)) {
                DeleteObject(cr);
                continue;
            }
        }
        Redraw(c, cr, flags | ((flags & RDW_INVALIDATE) ? RDW_FRAME : 0), false);
        if (cr) DeleteObject(cr);
    }
}

void EraseNow(Wnd* w, bool children) {
    HWND h = w->Handle;
    if (w->FramePending && IsVisibleChain(w)) {
        w->FramePending = false;
        Send(w, WM_NCPAINT, 1, 0);
    }
    if (W(h) && w->ErasePending && IsVisibleChain(w)) {
        w->ErasePending = false;
        HDC dc = GetDCEx(h, nullptr, DCX_INTERSECTUPDATE | DCX_CACHE | DCX_CLIPSIBLINGS);
        Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(h, dc);
    }
    if (!children || !W(h)) return;
    std::vector<HWND> kids;
    for (Wnd* c : w->Children)
        kids.push_back(c->Handle);
    for (HWND k : kids)
        if (Wnd* c = W(k)) EraseNow(c, true);
}

void UpdateNow(Wnd* w, bool children) {
    HWND h = w->Handle;
    if (HasPendingPaint(w)) Send(w, WM_PAINT, 0, 0);
    if (!children || !W(h)) return;
    std::vector<HWND> kids;
    for (Wnd* c : w->Children)
        kids.push_back(c->Handle);
    for (HWND k : kids)
        if (Wnd* c = W(k)) UpdateNow(c, true);
}

} // namespace

namespace detail {

void InvalidateResized(Wnd* w, const RECT& oldRect, const RECT& oldClient, bool whole) {
    // What lay inside the old client area keeps its bits where the client area did not move inside the
    // window; only the part newly uncovered is painted, in the window and in the children it reaches (and
    // the frame, which moved with the edges).
    HRGN exposed = RectRgn(w->Client);
    if (w->Client.Left == oldClient.Left && w->Client.Top == oldClient.Top) Subtract(exposed, oldClient);
    RECT all{0, 0, w->Rect.Width(), w->Rect.Height()};
    bool hasFrame = w->Client != all || oldClient != RECT{0, 0, oldRect.Width(), oldRect.Height()};
    if (hasFrame) w->FramePending = true;
    Redraw(w, exposed, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN, true);
    DeleteObject(exposed);
    // CS_HREDRAW / CS_VREDRAW: the window repaints whole, and its children too where it paints over them.
    if (whole)
        Redraw(w, nullptr,
               RDW_INVALIDATE | RDW_ERASE | ((w->Style & WS_CLIPCHILDREN) ? RDW_NOCHILDREN : RDW_ALLCHILDREN),
               true);
}

void CopyMovedBits(Wnd* w, HRGN oldVisible, POINT delta) {
    Wnd* root = Root(w);
    if (!root || !root->Surface || !oldVisible) return;
    // The part of the window seen both before and after the move keeps its pixels, carried along; the
    // rest of the window is painted.
    HRGN now = VisibleRegion(w, true, false, true);
    HRGN kept = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(kept, oldVisible, nullptr, RGN_COPY);
    OffsetRgn(kept, delta.X, delta.Y);
    CombineRgn(kept, kept, now, RGN_AND);
    if (!RegionEmpty(kept)) {
        cairo_surface_t* snap = cairo_surface_create_similar_image(
            root->Surface, CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(root->Surface),
            cairo_image_surface_get_height(root->Surface));
        cairo_t* c = cairo_create(snap);
        cairo_set_operator(c, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(c, root->Surface, 0, 0);
        cairo_paint(c);
        cairo_destroy(c);
        cairo_surface_flush(root->Surface);
        c = cairo_create(root->Surface);
        for (const RECT& r : GetRegionRects(kept))
            cairo_rectangle(c, r.Left, r.Top, r.Width(), r.Height());
        cairo_clip(c);
        cairo_set_operator(c, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(c, snap, delta.X, delta.Y);
        cairo_paint(c);
        cairo_destroy(c);
        cairo_surface_destroy(snap);
        cairo_surface_mark_dirty(root->Surface);
        RECT box{};
        GetRgnBox(kept, &box);
        Present(root, box);
    }
    HRGN lost = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(lost, now, kept, RGN_DIFF);
    POINT o = RootOffset(w);
    OffsetRgn(lost, -o.X, -o.Y);
    if (!RegionEmpty(lost)) Redraw(w, lost, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN, true);
    DeleteObject(lost);
    DeleteObject(kept);
    DeleteObject(now);
}

} // namespace detail

BOOL RedrawWindow(HWND h, const RECT* rc, HRGN rgn, UINT flags) {
    Wnd* w = h ? Checked(h) : nullptr;
    if (h && !w) return FALSE;
    if (!w) {
        std::vector<HWND> tops;
        for (Wnd* t : S().Desktop->Children)
            tops.push_back(t->Handle);
        for (HWND th : tops)
            if (W(th)) RedrawWindow(th, nullptr, nullptr, flags);
        return TRUE;
    }
    HRGN r = nullptr;
    if (rgn) {
        r = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(r, rgn, nullptr, RGN_COPY);
        OffsetRgn(r, w->Client.Left, w->Client.Top);
    } else if (rc) {
        // In 64 bits: the rectangle given may lie anywhere in the int range.
        auto x = [&](int v) { return vcl::ClampToInt(std::int64_t{v} + w->Client.Left); };
        auto y = [&](int v) { return vcl::ClampToInt(std::int64_t{v} + w->Client.Top); };
        r = CreateRectRgn(x(rc->Left), y(rc->Top), x(rc->Right), y(rc->Bottom));
    }
    Redraw(w, r, flags, true);
    if (r) DeleteObject(r);
    bool kids = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->Style & WS_CLIPCHILDREN));
    if (flags & (RDW_ERASENOW | RDW_UPDATENOW)) EraseNow(w, kids);
    if ((flags & RDW_UPDATENOW) && W(h)) UpdateNow(w, kids);
    FreeGraveyard();
    return TRUE;
}

std::uint64_t GetWindowPaintStamp(HWND h) {
    Wnd* w = Checked(h);
    if (!w) return 0;
    if (w->PaintStamp == 0) w->PaintStamp = ++S().PaintStamps;
    return w->PaintStamp;
}

BOOL InvalidateRect(HWND h, const RECT* rc, BOOL erase) {
    return RedrawWindow(h, rc, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND h, HRGN rgn, BOOL erase) {
    return RedrawWindow(h, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND h, const RECT* rc) {
    return RedrawWindow(h, rc, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}
BOOL ValidateRgn(HWND h, HRGN rgn) {
    return RedrawWindow(h, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL GetUpdateRect(HWND h, RECT* rc, BOOL erase) {
    Wnd* w = Checked(h);
    if (!w) return FALSE;
    RECT box{};
    if (w->Update) GetRgnBox(w->Update, &box);
    if (!box.IsEmpty())
        box = {box.Left - w->Client.Left, box.Top - w->Client.Top, box.Right - w->Client.Left,
               box.Bottom - w->Client.Top};
    else
        box = {};
    if (rc) *rc = box;
    if (erase && w->ErasePending && !box.IsEmpty()) EraseNow(w, false);
    return box.IsEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND h, HRGN out, BOOL erase) {
    Wnd* w = Checked(h);
    if (!w || !out) return ERROR;
    if (w->Update)
        CombineRgn(out, w->Update, nullptr, RGN_COPY);
    else
        SetRectRgn(out, 0, 0, 0, 0);
    int kind = OffsetRgn(out, -w->Client.Left, -w->Client.Top);
    if (erase && w->ErasePending && kind != NULLREGION) EraseNow(w, false);
    return kind;
}

BOOL UpdateWindow(HWND h) {
    Wnd* w = Checked(h);
    if (!w) return FALSE;
    // The window's pending painting and its children's, now.
    UpdateNow(w, true);
    FreeGraveyard();
    return TRUE;
}

// ---- Device contexts of windows

HDC GetDCEx(HWND h, HRGN clip, DWORD flags) {
    State& s = S();
    if (!h || h == s.Desktop->Handle) {
        if (!s.ScreenSurface) {
            int cx = std::max(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1);
            int cy = std::max(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1);
            s.ScreenSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cx, cy);
        }
        HDC dc = CreateSurfaceDC(s.ScreenSurface, POINT{}, nullptr, nullptr);
        DCs()[dc] = DCInfo{nullptr, {}};
        return dc;
    }
    Wnd* w = Checked(h);
    if (!w) return nullptr;
    Wnd* root = Root(w);
    EnsureSurface(root);
    bool window = flags & DCX_WINDOW;
    bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->Style & WS_CLIPCHILDREN);
    HRGN vis = VisibleRegion(w, window, clipChildren, true);
    POINT wo = RootOffset(w);
    POINT o = window ? wo : RootClientOffset(w);
    if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        HRGN t = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(t, clip, nullptr, RGN_COPY);
        OffsetRgn(t, o.X, o.Y);
        CombineRgn(vis, vis, t, (flags & DCX_INTERSECTRGN) ? RGN_AND : RGN_DIFF);
        DeleteObject(t);
    }
    if ((flags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE)) && w->Update) {
        HRGN t = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(t, w->Update, nullptr, RGN_COPY);
        OffsetRgn(t, wo.X, wo.Y);
        CombineRgn(vis, vis, t, (flags & DCX_INTERSECTUPDATE) ? RGN_AND : RGN_DIFF);
        DeleteObject(t);
    } else if ((flags & DCX_INTERSECTUPDATE) && !w->Update) {
        SetRectRgn(vis, 0, 0, 0, 0);
    }
    if (!IsVisibleChain(w)) SetRectRgn(vis, 0, 0, 0, 0);
    // A clip region handed to the call belongs to the system afterwards, as on the platform.
    if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) DeleteObject(clip);
    RECT box{};
    GetRgnBox(vis, &box);
    HDC dc = CreateSurfaceDC(root->Surface, o, vis, h);
    DeleteObject(vis);
    if (dc) DCs()[dc] = DCInfo{h, box};
    return dc;
}

HDC GetDC(HWND h) {
    return GetDCEx(h, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
}
HDC GetWindowDC(HWND h) {
    return GetDCEx(h, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS);
}

namespace detail {
std::vector<std::string> OpenWindowDCs() {
    std::vector<std::string> out;
    for (const auto& [dc, info] : DCs()) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "device context %#zx of window %#zx",
                      reinterpret_cast<std::uintptr_t>(dc), reinterpret_cast<std::uintptr_t>(info.Window));
        out.emplace_back(buf);
    }
    std::sort(out.begin(), out.end());
    return out;
}

void ReleaseWindowDCs() {
    std::vector<HDC> open;
    for (const auto& [dc, info] : DCs())
        open.push_back(dc);
    for (HDC dc : open)
        ReleaseDC(nullptr, dc);
}
} // namespace detail

int ReleaseDC(HWND, HDC dc) {
    auto& m = DCs();
    auto it = m.find(dc);
    if (it == m.end()) return 0;
    DCInfo info = it->second;
    m.erase(it);
    DeleteSurfaceDC(dc);
    if (Wnd* w = W(info.Window)) Present(Root(w), info.Dirty);
    return 1;
}

HDC BeginPaint(HWND h, PAINTSTRUCT* ps) {
    Wnd* w = Checked(h);
    if (!w || !ps) return nullptr;
    *ps = PAINTSTRUCT{};
    HideCaretForPaint(w);
    if (w->FramePending) {
        w->FramePending = false;
        if (IsVisibleChain(w)) Send(w, WM_NCPAINT, 1, 0);
        if (!W(h)) return nullptr;
    }
    HRGN upd = CreateRectRgn(0, 0, 0, 0);
    if (w->Update) CombineRgn(upd, w->Update, nullptr, RGN_COPY);
    OffsetRgn(upd, -w->Client.Left, -w->Client.Top);
    RECT box{};
    GetRgnBox(upd, &box);
    ps->rcPaint = box;
    if (w->Update) SetRectRgn(w->Update, 0, 0, 0, 0);
    w->InternalPaint = false;
    bool erase = w->ErasePending;
    w->ErasePending = false;
    HDC dc = GetDCEx(h, upd, DCX_INTERSECTRGN | DCX_CACHE | DCX_CLIPSIBLINGS); // takes upd
    ps->hdc = dc;
    if (erase && dc) ps->fErase = Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return dc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps) {
    if (!ps) return FALSE;
    ReleaseDC(h, ps->hdc);
    ShowCaretAfterPaint(h);
    FreeGraveyard();
    return TRUE;
}

BOOL ScrollWindow(HWND h, int dx, int dy, const RECT* rc, const RECT*) {
    Wnd* w = Checked(h);
    if (!w) return FALSE;
    if (!rc) {
        std::vector<HWND> kids;
        for (Wnd* c : w->Children)
            kids.push_back(c->Handle);
        for (HWND k : kids)
            if (Wnd* c = W(k))
                SetPos(c, nullptr, vcl::ClampToInt(std::int64_t{c->Rect.Left} + dx),
                       vcl::ClampToInt(std::int64_t{c->Rect.Top} + dy), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    // The image is not shifted: the scrolled area is repainted instead.
    if (W(h)) InvalidateRect(h, rc, TRUE);
    return TRUE;
}

// ---- Window regions

int SetWindowRgn(HWND h, HRGN rgn, BOOL redraw) {
    Wnd* w = Checked(h);
    if (!w || w->IsDesktop()) return 0;
    if (w->Shape && w->Shape != rgn) DeleteObject(w->Shape);
    w->Shape = rgn;
    if (w->IsTopLevel()) UpdateNativeAttributes(w);
    if (redraw && (w->Style & WS_VISIBLE)) {
        if (!w->IsTopLevel()) {
            RECT r = w->Rect;
            HRGN pr = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
            OffsetRgn(pr, w->Parent->Client.Left, w->Parent->Client.Top);
            AddUpdate(w->Parent, pr, true, false);
            DeleteObject(pr);
        }
        InvalidateWhole(w, true, true);
        if (w->IsTopLevel()) Present(w, {0, 0, w->Rect.Width(), w->Rect.Height()});
    }
    return 1;
}

int GetWindowRgn(HWND h, HRGN out) {
    Wnd* w = Checked(h);
    if (!w || !out || !w->Shape) return ERROR;
    return CombineRgn(out, w->Shape, nullptr, RGN_COPY);
}

int GetWindowRgnBox(HWND h, RECT* rc) {
    Wnd* w = Checked(h);
    if (!w || !rc || !w->Shape) return ERROR;
    return GetRgnBox(w->Shape, rc);
}

// ---- Layered windows

BOOL SetLayeredWindowAttributes(HWND h, COLORREF key, BYTE alpha, DWORD flags) {
    Wnd* w = Checked(h);
    if (!w || !w->IsTopLevel() || !(w->ExStyle & WS_EX_LAYERED)) {
        S().LastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    w->Key = key;
    w->Alpha = alpha;
    w->LayeredFlags = flags & (LWA_ALPHA | LWA_COLORKEY);
    w->PerPixel = false;
    w->AttrMode = true;
    UpdateNativeAttributes(w);
    Present(w, {0, 0, w->Rect.Width(), w->Rect.Height()});
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND h, COLORREF* key, BYTE* alpha, DWORD* flags) {
    Wnd* w = Checked(h);
    if (!w || !(w->ExStyle & WS_EX_LAYERED) || !w->AttrMode) return FALSE;
    if (key) *key = w->Key;
    if (alpha) *alpha = w->Alpha;
    if (flags) *flags = w->LayeredFlags;
    return TRUE;
}

BOOL UpdateLayeredWindow(HWND h, HDC, POINT* dst, SIZE* size, HDC src, POINT* srcPt, COLORREF key,
                         BLENDFUNCTION* blend, DWORD flags) {
    Wnd* w = Checked(h);
    // After SetLayeredWindowAttributes, the platform refuses UpdateLayeredWindow until the style is reset.
    if (!w || !w->IsTopLevel() || !(w->ExStyle & WS_EX_LAYERED) || w->AttrMode) {
        S().LastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    if (dst || size) {
        int x = dst ? dst->X : w->Rect.Left, y = dst ? dst->Y : w->Rect.Top;
        int cx = size ? size->cx : w->Rect.Width(), cy = size ? size->cy : w->Rect.Height();
        if (cx < 0 || cy < 0) return FALSE;
        SetPos(w, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        if (!W(h)) return FALSE;
    }
    EnsureSurface(w);
    if (src) {
        cairo_surface_t* from = GetDCSurface(src);
        if (!from) return FALSE;
        POINT sp = srcPt ? *srcPt : POINT{};
        cairo_t* cr = cairo_create(w->Surface);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, from, -sp.X, -sp.Y);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    w->LayeredFlags = 0;
    w->PerPixel = false;
    w->Alpha = 255;
    w->UlwMode = true;
    if ((flags & ULW_ALPHA) && blend) {
        w->Alpha = blend->SourceConstantAlpha;
        w->LayeredFlags |= LWA_ALPHA;
        w->PerPixel = (blend->AlphaFormat & AC_SRC_ALPHA) != 0;
    }
    if (flags & ULW_COLORKEY) {
        w->Key = key;
        w->LayeredFlags |= LWA_COLORKEY;
    }
    UpdateNativeAttributes(w);
    // Nothing is painted through WM_PAINT for such a window: the image is the caller's.
    if (w->Update) SetRectRgn(w->Update, 0, 0, 0, 0);
    w->ErasePending = w->FramePending = false;
    Present(w, {0, 0, w->Rect.Width(), w->Rect.Height()});
    return TRUE;
}

} // namespace win
