#include "platform/win/GdiPaint.h"

#include <algorithm>
#include <climits>

namespace win::detail {

std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dst) {
    const unsigned idx = static_cast<unsigned>(rop2 - 1) & 0xF;
    std::uint32_t r = 0;
    if (idx & 1) r |= ~pen & ~dst;
    if (idx & 2) r |= ~pen & dst;
    if (idx & 4) r |= pen & ~dst;
    if (idx & 8) r |= pen & dst;
    return 0xFF000000u | (r & 0xFFFFFFu);
}

std::uint32_t ApplyRop3(DWORD rop, std::uint32_t pat, std::uint32_t src, std::uint32_t dst) {
    const unsigned idx = (rop >> 16) & 0xFF;
    switch (idx) {
    case 0xCC:
        return 0xFF000000u | src;
    case 0xF0:
        return 0xFF000000u | pat;
    case 0x00:
        return 0xFF000000u;
    case 0xFF:
        return 0xFFFFFFFFu;
    default:
        break;
    }
    std::uint32_t r = 0;
    for (unsigned k = 0; k < 8; ++k) {
        if (!(idx & (1u << k))) continue;
        r |= ((k & 4) ? pat : ~pat) & ((k & 2) ? src : ~src) & ((k & 1) ? dst : ~dst);
    }
    return 0xFF000000u | (r & 0xFFFFFFu);
}

Painter::Painter(DeviceContext* dc) : dc_(dc) {
    if (dc_ == nullptr || !dc_->View(view_)) return;
    clip_ = &dc_->EffectiveClip();
    box_ = dc_->EffectiveClipBox();
    const DeviceContext::Offset64 o = dc_->SurfaceOffset();
    offX_ = o.X;
    offY_ = o.Y;
    ok_ = true;
}

Painter::~Painter() {
    if (ok_) dc_->Dirty();
}

bool Painter::Meets(const RECT& r) const {
    if (!ok_) return false;
    const auto at = [](long long v, std::int64_t off) {
        return static_cast<int>(std::clamp<long long>(v + off, INT_MIN / 2, INT_MAX / 2));
    };
    return RectsMeet(*clip_,
                     RECT{at(std::min(r.Left, r.Right), offX_), at(std::min(r.Top, r.Bottom), offY_),
                          at(std::max(r.Left, r.Right), offX_), at(std::max(r.Top, r.Bottom), offY_)});
}

void Painter::UseColor(COLORREF color, int rop2) {
    mode_ = Mode::Color;
    const COLORREF c = ResolveColor(color);
    color_ = (view_.Monochrome ? MonoPixelOf(c) : PixelOf(c)) & 0xFFFFFFu;
    rop2_ = rop2;
    skip_ = rop2 == R2_NOP;
}

void Painter::UseBrush(const GdiBrush* brush, int rop2) {
    brush_ = brush;
    rop2_ = rop2;
    skip_ = brush == nullptr || brush->Style == BS_NULL || rop2 == R2_NOP;
    if (!skip_ && brush->Style == BS_SOLID) {
        UseColor(brush == DCBrush() ? dc_->State.DCBrushColor : brush->Color, rop2);
        return;
    }
    mode_ = Mode::Brush;
}

void Painter::UsePatternRop(const GdiBrush* brush, DWORD rop3) {
    mode_ = Mode::PatRop;
    brush_ = brush;
    rop3_ = rop3;
    skip_ = false;
}

std::uint32_t Painter::PatternAt(int sx, int sy, bool& transparent) const {
    transparent = false;
    const GdiBrush* b = brush_;
    if (b == nullptr || b->Style == BS_NULL) {
        // A pattern operation with no brush uses black, as a null pattern.
        return 0;
    }
    const DCState& st = dc_->State;
    COLORREF c;
    if (b->Style == BS_SOLID) {
        c = b == DCBrush() ? st.DCBrushColor : b->Color;
    } else {
        const std::int64_t dx = std::int64_t{sx} - dc_->SurfaceOrigin.X - st.BrushOrg.X;
        const std::int64_t dy = std::int64_t{sy} - dc_->SurfaceOrigin.Y - st.BrushOrg.Y;
        if (b->Style == BS_HATCHED) {
            // An 8 by 8 cell from the brush origin: the horizontal line is its row 3, the vertical
            // line its column 4.
            const int x = static_cast<int>(((dx % 8) + 8) % 8), y = static_cast<int>(((dy % 8) + 8) % 8);
            bool on = false;
            switch (b->Hatch) {
            case HS_HORIZONTAL:
                on = y == 3;
                break;
            case HS_VERTICAL:
                on = x == 4;
                break;
            case HS_FDIAGONAL:
                on = x == y;
                break;
            case HS_BDIAGONAL:
                on = x + y == 7;
                break;
            case HS_CROSS:
                on = x == 4 || y == 3;
                break;
            default:
                on = x == y || x + y == 7;
                break;
            }
            if (on) {
                c = b->Color;
            } else {
                if (st.BkMode == TRANSPARENT && mode_ != Mode::PatRop) transparent = true;
                c = st.BkColor;
            }
        } else {
            const int x = static_cast<int>(((dx % b->PatternWidth) + b->PatternWidth) % b->PatternWidth);
            const int y = static_cast<int>(((dy % b->PatternHeight) + b->PatternHeight) % b->PatternHeight);
            const std::uint32_t p = b->Pattern[static_cast<std::size_t>(y) * b->PatternWidth + x];
            if (b->PatternMonochrome && !view_.Monochrome)
                c = (p & 0xFFFFFF) ? st.BkColor : st.TextColor;
            else
                c = ColorOf(p);
        }
    }
    return (view_.Monochrome ? MonoPixelOf(c) : PixelOf(c)) & 0xFFFFFFu;
}

void Painter::Run(std::uint32_t* row, int sy, int a, int b) {
    if (mode_ == Mode::Color) {
        if (rop2_ == R2_COPYPEN) {
            std::fill(row + a, row + b, 0xFF000000u | color_);
        } else {
            for (int x = a; x < b; ++x)
                row[x] = ApplyRop2(rop2_, color_, row[x] & 0xFFFFFFu);
        }
        return;
    }
    for (int x = a; x < b; ++x) {
        bool transparent = false;
        const std::uint32_t p = PatternAt(x, sy, transparent);
        if (mode_ == Mode::PatRop) {
            row[x] = ApplyRop3(rop3_, p, 0, row[x] & 0xFFFFFFu);
            continue;
        }
        if (transparent) continue;
        row[x] = ApplyRop2(rop2_, p, row[x] & 0xFFFFFFu);
    }
    if (view_.Monochrome && mode_ != Mode::Color)
        for (int x = a; x < b; ++x)
            row[x] = (row[x] & 0xFFFFFFu) ? 0xFFFFFFFFu : 0xFF000000u;
}

void Painter::SurfaceSpan(int sy, int sx0, int sx1) {
    if (sy < 0 || sy >= view_.Height) return;
    sx0 = std::max(sx0, 0);
    sx1 = std::min(sx1, view_.Width);
    if (sx0 >= sx1) return;
    std::uint32_t* row = view_.Row(sy);
    ForClipped(sy, sx0, sx1, [&](int a, int b) { Run(row, sy, a, b); });
}

namespace {
// Logical to surface coordinates without overflow, limited to [-1, limit].
int ToSurface(int v, std::int64_t off, int limit) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(v) + off, -1, limit));
}
} // namespace

void Painter::Span(int y, int x0, int x1) {
    if (!ok_ || skip_ || x1 <= x0) return;
    SurfaceSpan(ToSurface(y, offY_, view_.Height), ToSurface(x0, offX_, view_.Width),
                ToSurface(x1, offX_, view_.Width));
}

void Painter::Rect(const RECT& r) {
    if (!ok_ || skip_) return;
    const int l = std::max(ToSurface(std::min(r.Left, r.Right), offX_, view_.Width), 0);
    const int rr = ToSurface(std::max(r.Left, r.Right), offX_, view_.Width);
    const int t = std::max(ToSurface(std::min(r.Top, r.Bottom), offY_, view_.Height), 0);
    const int b = ToSurface(std::max(r.Top, r.Bottom), offY_, view_.Height);
    if (l >= rr || t >= b) return;
    // Band by band through the clip: each clipping rectangle the fill meets is filled row by row, with
    // no search of the clip per row.
    const std::vector<RECT>& clip = *clip_;
    for (std::size_t i = FirstClipBelow(t); i < clip.size() && clip[i].Top < b; ++i) {
        const RECT& c = clip[i];
        const int x0 = std::max(l, c.Left), x1 = std::min(rr, c.Right);
        if (x0 >= x1) continue;
        const int y1 = std::min(b, c.Bottom);
        for (int sy = std::max(t, c.Top); sy < y1; ++sy)
            Run(view_.Row(sy), sy, x0, x1);
    }
}

void Painter::Rows(const ShapeRows& shape) {
    const auto& rows = shape.Rows;
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t k = 0; k + 1 < rows[i].size(); k += 2)
            Span(shape.Top + static_cast<int>(i), rows[i][k], rows[i][k + 1]);
}

} // namespace win::detail
