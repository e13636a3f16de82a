#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "platform/win/DCInternal.h"
#include "platform/win/GdiInternal.h"
#include "platform/win/Metrics.h"

namespace win {

namespace {

std::unordered_set<const DeviceContext*>& LiveDCs() {
    static std::unordered_set<const DeviceContext*> table;
    return table;
}

void RetainState(const DCState& s) {
    detail::RetainSelected(s.Pen);
    detail::RetainSelected(s.Brush);
    detail::RetainSelected(s.Font);
    detail::RetainSelected(s.Bitmap);
}

void ReleaseState(const DCState& s) {
    detail::ReleaseSelected(s.Pen);
    detail::ReleaseSelected(s.Brush);
    detail::ReleaseSelected(s.Font);
    detail::ReleaseSelected(s.Bitmap);
}

void InitState(DeviceContext* dc) {
    dc->State.Pen = detail::StockPen(BLACK_PEN);
    dc->State.Brush = detail::StockBrush(WHITE_BRUSH);
    dc->State.Font = detail::StockFont(SYSTEM_FONT);
    dc->State.Bitmap = dc->Memory ? detail::StockBitmap() : nullptr;
    RetainState(dc->State);
}

detail::RectList DeviceBounds(const DeviceContext* dc) {
    cairo_surface_t* s = dc->TargetSurface();
    if (s == nullptr) return {};
    const std::int64_t w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const POINT o = dc->SurfaceOrigin;
    return {RECT{vcl::ClampToInt(-std::int64_t{o.X}), vcl::ClampToInt(-std::int64_t{o.Y}),
                 vcl::ClampToInt(w - o.X), vcl::ClampToInt(h - o.Y)}};
}

int ClipKind(DeviceContext* dc) {
    dc->InvalidateClip();
    return detail::RectsKind(dc->EffectiveClip());
}

// Applies a region (device coordinates) to the DC's clip with a combination mode.
int CombineClip(DeviceContext* dc, const detail::RectList& rgn, int mode) {
    if (mode == RGN_COPY) {
        dc->State.Clip = rgn;
    } else {
        const detail::RectList current = dc->State.Clip ? *dc->State.Clip : DeviceBounds(dc);
        dc->State.Clip = detail::CombineRects(current, rgn, mode);
    }
    return ClipKind(dc);
}

RECT ToDevice(const DeviceContext* dc, int l, int t, int r, int b) {
    const DeviceContext::Offset64 o = dc->Offset();
    auto add = [](int v, std::int64_t d) {
        return static_cast<int>(std::clamp<std::int64_t>(v + d, -(1LL << 30), 1LL << 30));
    };
    return {add(l, o.X), add(t, o.Y), add(r, o.X), add(b, o.Y)};
}

} // namespace

DeviceContext::DeviceContext() {
    LiveDCs().insert(this);
}

DeviceContext::~DeviceContext() {
    LiveDCs().erase(this);
    if (Cairo != nullptr) cairo_destroy(Cairo);
    if (Surface != nullptr) cairo_surface_destroy(Surface);
}

cairo_surface_t* DeviceContext::TargetSurface() const {
    if (Memory) return State.Bitmap != nullptr ? State.Bitmap->Surface : nullptr;
    return Surface;
}

bool DeviceContext::TargetBottomUp() const {
    return Memory && State.Bitmap != nullptr && State.Bitmap->BottomUp;
}

bool DeviceContext::View(PixelView& v) const {
    cairo_surface_t* s = TargetSurface();
    if (s == nullptr) return false;
    cairo_surface_flush(s);
    if (Memory) {
        const GdiBitmap* bm = State.Bitmap;
        const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(bm->Width) * 4;
        v.Width = bm->Width;
        v.Height = bm->Height;
        v.Monochrome = bm->Monochrome;
        v.Stride = bm->BottomUp ? -stride : stride;
        v.Origin = bm->BottomUp ? bm->Bits + stride * (bm->Height - 1) : bm->Bits;
        return true;
    }
    const cairo_format_t f = cairo_image_surface_get_format(s);
    if (f != CAIRO_FORMAT_ARGB32 && f != CAIRO_FORMAT_RGB24) return false;
    v.Origin = cairo_image_surface_get_data(s);
    if (v.Origin == nullptr) return false;
    v.Width = cairo_image_surface_get_width(s);
    v.Height = cairo_image_surface_get_height(s);
    v.Stride = cairo_image_surface_get_stride(s);
    v.Monochrome = false;
    return true;
}

void DeviceContext::Dirty() const {
    if (cairo_surface_t* s = TargetSurface()) cairo_surface_mark_dirty(s);
}

const std::vector<RECT>& DeviceContext::EffectiveClip() const {
    if (clipValid_) return clip_;
    clipValid_ = true;
    clip_.clear();
    clipBox_ = RECT{};
    cairo_surface_t* s = TargetSurface();
    if (s == nullptr) return clip_;
    detail::RectList area{RECT{0, 0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)}};
    if (SysClip) area = detail::CombineRects(area, *SysClip, RGN_AND);
    if (State.Clip) {
        detail::RectList c = *State.Clip;
        detail::OffsetRects(c, SurfaceOrigin.X, SurfaceOrigin.Y);
        area = detail::CombineRects(area, c, RGN_AND);
    }
    clip_ = std::move(area);
    clipBox_ = clip_.empty() ? RECT{} : detail::RectsExtents(clip_);
    return clip_;
}

cairo_t* DeviceContext::PrepareCairo() {
    cairo_surface_t* s = TargetSurface();
    if (s == nullptr) return nullptr;
    if (Cairo != nullptr && cairo_get_target(Cairo) != s) {
        cairo_destroy(Cairo);
        Cairo = nullptr;
    }
    if (Cairo == nullptr) Cairo = cairo_create(s);
    cairo_t* cr = Cairo;
    cairo_reset_clip(cr);
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
    if (TargetBottomUp()) {
        cairo_translate(cr, 0, cairo_image_surface_get_height(s));
        cairo_scale(cr, 1, -1);
    }
    for (const RECT& r : EffectiveClip())
        cairo_rectangle(cr, r.Left, r.Top, r.Width(), r.Height());
    if (EffectiveClip().empty()) cairo_rectangle(cr, 0, 0, 0, 0);
    cairo_clip(cr);
    const Offset64 o = SurfaceOffset();
    cairo_translate(cr, static_cast<double>(o.X), static_cast<double>(o.Y));
    return cr;
}

namespace detail {

bool IsLiveDC(HDC hdc) {
    return hdc != nullptr && LiveDCs().count(hdc) != 0;
}

DeviceContext* AsDC(HDC hdc) {
    return IsLiveDC(hdc) ? hdc : nullptr;
}

HDC CreateSurfaceDC(cairo_surface_t* surface, POINT origin, HRGN clip, HWND window) {
    if (surface == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return nullptr;
    auto* dc = new DeviceContext;
    dc->Surface = cairo_surface_reference(surface);
    dc->Window = window;
    dc->SurfaceOrigin = origin;
    if (clip != nullptr) dc->SysClip = GetRegionRects(clip);
    InitState(dc);
    return dc;
}

void DeleteSurfaceDC(HDC dc) {
    if (!IsLiveDC(dc) || dc->Memory) return;
    DeleteDC(dc);
}

cairo_t* GetDCCairo(HDC hdc) {
    DeviceContext* dc = AsDC(hdc);
    if (dc == nullptr) return nullptr;
    cairo_t* cr = dc->PrepareCairo();
    if (cr == nullptr) return nullptr;
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    return cr;
}

cairo_surface_t* GetDCSurface(HDC hdc) {
    DeviceContext* dc = AsDC(hdc);
    return dc != nullptr ? dc->TargetSurface() : nullptr;
}

HWND GetDCWindow(HDC hdc) {
    DeviceContext* dc = AsDC(hdc);
    return dc != nullptr ? dc->Window : nullptr;
}

} // namespace detail

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc != nullptr && !detail::IsLiveDC(hdc)) return nullptr;
    auto* dc = new DeviceContext;
    dc->Memory = true;
    InitState(dc);
    dc->State.Bitmap->SelectedInto = dc;
    return dc;
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return FALSE;
    if (dc->Cairo != nullptr) {
        cairo_destroy(dc->Cairo);
        dc->Cairo = nullptr;
    }
    if (dc->State.Bitmap != nullptr && dc->State.Bitmap->SelectedInto == dc)
        dc->State.Bitmap->SelectedInto = nullptr;
    ReleaseState(dc->State);
    for (const DCState& s : dc->Saved)
        ReleaseState(s);
    delete dc;
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || !detail::IsLiveGdiObject(h)) return nullptr;
    HGDIOBJ old = nullptr;
    switch (h->ObjectType) {
    case OBJ_PEN:
        old = dc->State.Pen;
        dc->State.Pen = static_cast<GdiPen*>(h);
        break;
    case OBJ_BRUSH:
        old = dc->State.Brush;
        dc->State.Brush = static_cast<GdiBrush*>(h);
        break;
    case OBJ_FONT:
        old = dc->State.Font;
        dc->State.Font = static_cast<GdiFont*>(h);
        break;
    case OBJ_BITMAP: {
        auto* bm = static_cast<GdiBitmap*>(h);
        if (!dc->Memory) return nullptr;
        if (bm->SelectedInto != nullptr && bm->SelectedInto != dc && !bm->Stock) return nullptr;
        old = dc->State.Bitmap;
        if (dc->State.Bitmap != nullptr && dc->State.Bitmap->SelectedInto == dc)
            dc->State.Bitmap->SelectedInto = nullptr;
        dc->State.Bitmap = bm;
        if (!bm->Stock) bm->SelectedInto = dc;
        if (dc->Cairo != nullptr) {
            cairo_destroy(dc->Cairo);
            dc->Cairo = nullptr;
        }
        dc->InvalidateClip();
        break;
    }
    case OBJ_REGION: {
        const int kind = ExtSelectClipRgn(hdc, static_cast<HRGN>(h), RGN_COPY);
        return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(kind));
    }
    default:
        return nullptr;
    }
    if (old == h) return old;
    detail::RetainSelected(h);
    detail::ReleaseSelected(old);
    return old;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->State.Pen;
    case OBJ_BRUSH:
        return dc->State.Brush;
    case OBJ_FONT:
        return dc->State.Font;
    case OBJ_BITMAP:
        return dc->State.Bitmap;
    case OBJ_PAL:
        return GetStockObject(DEFAULT_PALETTE);
    default:
        return nullptr;
    }
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return 0;
    dc->Saved.push_back(dc->State);
    RetainState(dc->State);
    return static_cast<int>(dc->Saved.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return FALSE;
    const int count = static_cast<int>(dc->Saved.size());
    const int level = nSavedDC < 0 ? count + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > count) return FALSE;
    DCState restored = dc->Saved[static_cast<std::size_t>(level - 1)];
    // A bitmap selected into another DC meanwhile cannot come back.
    if (dc->Memory && restored.Bitmap != dc->State.Bitmap && restored.Bitmap != nullptr &&
        restored.Bitmap->SelectedInto != nullptr && restored.Bitmap->SelectedInto != dc &&
        !restored.Bitmap->Stock)
        return FALSE;
    RetainState(restored);
    for (int i = count - 1; i >= level - 1; --i)
        ReleaseState(dc->Saved[static_cast<std::size_t>(i)]);
    dc->Saved.resize(static_cast<std::size_t>(level - 1));
    if (dc->State.Bitmap != restored.Bitmap) {
        if (dc->State.Bitmap != nullptr && dc->State.Bitmap->SelectedInto == dc)
            dc->State.Bitmap->SelectedInto = nullptr;
        if (restored.Bitmap != nullptr && !restored.Bitmap->Stock) restored.Bitmap->SelectedInto = dc;
        if (dc->Cairo != nullptr) {
            cairo_destroy(dc->Cairo);
            dc->Cairo = nullptr;
        }
    }
    ReleaseState(dc->State);
    dc->State = std::move(restored);
    dc->InvalidateClip();
    return TRUE;
}

// ---- Coordinates ----

namespace {
BOOL SetOrg(HDC hdc, POINT DCState::*field, int x, int y, POINT* old, bool offset) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return FALSE;
    POINT& p = dc->State.*field;
    if (old != nullptr) *old = p;
    // An offset past the end of the int range stops there.
    p = offset ? POINT{vcl::ClampToInt(std::int64_t{p.X} + x), vcl::ClampToInt(std::int64_t{p.Y} + y)}
               : POINT{x, y};
    return TRUE;
}
BOOL GetOrg(HDC hdc, POINT DCState::*field, POINT* out) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || out == nullptr) return FALSE;
    *out = dc->State.*field;
    return TRUE;
}
} // namespace

BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* lppt) {
    return SetOrg(hdc, &DCState::ViewportOrg, x, y, lppt, false);
}
BOOL GetViewportOrgEx(HDC hdc, POINT* lppoint) {
    return GetOrg(hdc, &DCState::ViewportOrg, lppoint);
}
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, POINT* lppt) {
    return SetOrg(hdc, &DCState::ViewportOrg, x, y, lppt, true);
}
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* lppt) {
    return SetOrg(hdc, &DCState::WindowOrg, x, y, lppt, false);
}
BOOL GetWindowOrgEx(HDC hdc, POINT* lppoint) {
    return GetOrg(hdc, &DCState::WindowOrg, lppoint);
}
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, POINT* lppt) {
    return SetOrg(hdc, &DCState::WindowOrg, x, y, lppt, true);
}
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* lppt) {
    return SetOrg(hdc, &DCState::BrushOrg, x, y, lppt, false);
}
BOOL GetBrushOrgEx(HDC hdc, POINT* lppt) {
    return GetOrg(hdc, &DCState::BrushOrg, lppt);
}
BOOL MoveToEx(HDC hdc, int x, int y, POINT* lppt) {
    return SetOrg(hdc, &DCState::Position, x, y, lppt, false);
}
BOOL GetCurrentPositionEx(HDC hdc, POINT* lppt) {
    return GetOrg(hdc, &DCState::Position, lppt);
}

BOOL LPtoDP(HDC hdc, POINT* lppt, int c) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || (lppt == nullptr && c > 0)) return FALSE;
    const DeviceContext::Offset64 o = dc->Offset();
    for (int i = 0; i < c; ++i)
        lppt[i] = {vcl::ClampToInt(lppt[i].X + o.X), vcl::ClampToInt(lppt[i].Y + o.Y)};
    return TRUE;
}

BOOL DPtoLP(HDC hdc, POINT* lppt, int c) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || (lppt == nullptr && c > 0)) return FALSE;
    const DeviceContext::Offset64 o = dc->Offset();
    for (int i = 0; i < c; ++i)
        lppt[i] = {vcl::ClampToInt(lppt[i].X - o.X), vcl::ClampToInt(lppt[i].Y - o.Y)};
    return TRUE;
}

// ---- Colours and modes ----

namespace {
template <class T> T SetField(HDC hdc, T DCState::*field, T value, T failure) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return failure;
    T old = dc->State.*field;
    dc->State.*field = value;
    return old;
}
template <class T> T GetField(HDC hdc, T DCState::*field, T failure) {
    DeviceContext* dc = detail::AsDC(hdc);
    return dc == nullptr ? failure : dc->State.*field;
}
} // namespace

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    return SetField(hdc, &DCState::BkColor, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetBkColor(HDC hdc) {
    return GetField(hdc, &DCState::BkColor, CLR_INVALID);
}
int SetBkMode(HDC hdc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return SetField(hdc, &DCState::BkMode, mode, 0);
}
int GetBkMode(HDC hdc) {
    return GetField(hdc, &DCState::BkMode, 0);
}
COLORREF SetTextColor(HDC hdc, COLORREF color) {
    return SetField(hdc, &DCState::TextColor, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetTextColor(HDC hdc) {
    return GetField(hdc, &DCState::TextColor, CLR_INVALID);
}
UINT SetTextAlign(HDC hdc, UINT align) {
    return SetField(hdc, &DCState::TextAlign, align, GDI_ERROR);
}
UINT GetTextAlign(HDC hdc) {
    return GetField(hdc, &DCState::TextAlign, GDI_ERROR);
}
int SetROP2(HDC hdc, int rop2) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
    return SetField(hdc, &DCState::Rop2, rop2, 0);
}
int GetROP2(HDC hdc) {
    return GetField(hdc, &DCState::Rop2, 0);
}
int SetStretchBltMode(HDC hdc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    return SetField(hdc, &DCState::StretchMode, mode, 0);
}
int GetStretchBltMode(HDC hdc) {
    return GetField(hdc, &DCState::StretchMode, 0);
}
int SetPolyFillMode(HDC hdc, int mode) {
    if (mode != ALTERNATE && mode != WINDING) return 0;
    return SetField(hdc, &DCState::PolyFillMode, mode, 0);
}
int GetPolyFillMode(HDC hdc) {
    return GetField(hdc, &DCState::PolyFillMode, 0);
}
COLORREF SetDCBrushColor(HDC hdc, COLORREF color) {
    return SetField(hdc, &DCState::DCBrushColor, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF SetDCPenColor(HDC hdc, COLORREF color) {
    return SetField(hdc, &DCState::DCPenColor, color & 0xFFFFFF, CLR_INVALID);
}
int SetTextCharacterExtra(HDC hdc, int extra) {
    return SetField(hdc, &DCState::CharExtra, extra, static_cast<int>(0x80000000u));
}
int GetTextCharacterExtra(HDC hdc) {
    return GetField(hdc, &DCState::CharExtra, static_cast<int>(0x80000000u));
}

// ---- Clipping ----

int SelectClipRgn(HDC hdc, HRGN hrgn) {
    return ExtSelectClipRgn(hdc, hrgn, RGN_COPY);
}

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    if (hrgn == nullptr) {
        if (mode != RGN_COPY) return ERROR;
        dc->State.Clip.reset();
        return ClipKind(dc);
    }
    if (!detail::IsLiveGdiObject(hrgn) || hrgn->ObjectType != OBJ_REGION) return ERROR;
    return CombineClip(dc, hrgn->Rects, mode);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return ERROR;
    return CombineClip(dc, detail::RectsFromRect(ToDevice(dc, left, top, right, bottom)), RGN_AND);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return ERROR;
    return CombineClip(dc, detail::RectsFromRect(ToDevice(dc, left, top, right, bottom)), RGN_DIFF);
}

int OffsetClipRgn(HDC hdc, int x, int y) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return ERROR;
    if (dc->State.Clip) detail::OffsetRects(*dc->State.Clip, x, y);
    return ClipKind(dc);
}

int GetClipBox(HDC hdc, RECT* lprect) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || lprect == nullptr) return ERROR;
    dc->InvalidateClip();
    // The clip in logical coordinates. Only what a logical coordinate reaches can be drawn into: the part
    // of the clip beyond the int range is left out of the box and of the kind, and a clip lying wholly
    // beyond it is no visible region at all. The 64-bit offset is taken in steps of one sign, which stop
    // at the range's ends as one step would (OffsetRects bands the list again).
    detail::RectList clip = dc->EffectiveClip();
    const DeviceContext::Offset64 o = dc->SurfaceOffset();
    for (std::int64_t dx = -o.X, dy = -o.Y; (dx != 0 || dy != 0) && !clip.empty();) {
        const int sx = vcl::ClampToInt(dx), sy = vcl::ClampToInt(dy);
        detail::OffsetRects(clip, sx, sy);
        dx -= sx;
        dy -= sy;
    }
    *lprect = detail::RectsExtents(clip);
    return detail::RectsKind(clip);
}

int GetClipRgn(HDC hdc, HRGN hrgn) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || !detail::IsLiveGdiObject(hrgn) || hrgn->ObjectType != OBJ_REGION) return -1;
    if (!dc->State.Clip) return 0;
    hrgn->Rects = *dc->State.Clip;
    hrgn->Extents = detail::RectsExtents(hrgn->Rects);
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return FALSE;
    // A point that lands beyond the int range on the surface lies far off it.
    const DeviceContext::Offset64 o = dc->SurfaceOffset();
    const std::int64_t sx = x + o.X, sy = y + o.Y;
    if (sx != vcl::ClampToInt(sx) || sy != vcl::ClampToInt(sy)) return FALSE;
    return detail::RectsContain(dc->EffectiveClip(), static_cast<int>(sx), static_cast<int>(sy)) ? TRUE
                                                                                                 : FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* lprect) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || lprect == nullptr) return FALSE;
    const RECT d = ToDevice(dc, lprect->Left, lprect->Top, lprect->Right, lprect->Bottom);
    // The rectangle either way round, in surface coordinates.
    const auto at = [](int v, int origin) { return vcl::ClampToInt(std::int64_t{v} + origin); };
    const POINT so = dc->SurfaceOrigin;
    const RECT r{at(std::min(d.Left, d.Right), so.X), at(std::min(d.Top, d.Bottom), so.Y),
                 at(std::max(d.Left, d.Right), so.X), at(std::max(d.Top, d.Bottom), so.Y)};
    return detail::RectsMeet(dc->EffectiveClip(), r) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC hdc, int index) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr) return 0;
    // The screen's size is asked of the window system only when wanted, so that DCs work without a display.
    const bool overSurface = !dc->Memory && dc->Surface != nullptr;
    auto width = [&] {
        return overSurface ? cairo_image_surface_get_width(dc->Surface) : GetSystemMetrics(SM_CXSCREEN);
    };
    auto height = [&] {
        return overSurface ? cairo_image_surface_get_height(dc->Surface) : GetSystemMetrics(SM_CYSCREEN);
    };
    const bool mono = dc->Memory && dc->State.Bitmap != nullptr && dc->State.Bitmap->Monochrome;
    switch (index) {
    case DRIVERVERSION:
        return 0x4000;
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZRES:
    case DESKTOPHORZRES:
        return width();
    case VERTRES:
    case DESKTOPVERTRES:
        return height();
    case HORZSIZE:
        return width() * 254 / 960;
    case VERTSIZE:
        return height() * 254 / 960;
    case BITSPIXEL:
        return mono ? 1 : 32;
    case PLANES:
        return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS:
        return -1;
    case NUMFONTS:
        return 0;
    case RASTERCAPS:
        return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case SIZEPALETTE:
        return 0;
    case VREFRESH:
        return 60;
    default:
        return 0;
    }
}

HWND WindowFromDC(HDC hdc) {
    return detail::GetDCWindow(hdc);
}

BOOL GdiFlush() {
    return TRUE;
}

} // namespace win
