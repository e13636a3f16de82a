// Graphics: drawing on a device context's Cairo context or on a bitmap, with GDI+'s settings and clip.

#include <new>

#include "platform/gdiplus/GdipInternal.h"
#include "platform/win/DCInternal.h"

namespace gdip {

GpGraphics::~GpGraphics() {
    if (lentDC) win::detail::DeleteSurfaceDC(lentDC);
    if (clip) cairo_surface_destroy(clip);
    if (own) cairo_destroy(own);
    if (surface) cairo_surface_destroy(surface);
}

namespace detail {

cairo_t* GraphicsCairo(GpGraphics* g) {
    if (g->dc) return win::detail::GetDCCairo(g->dc);
    return g->own;
}

cairo_surface_t* GraphicsSurface(GpGraphics* g) {
    if (g->dc) return win::detail::GetDCSurface(g->dc);
    return g->surface;
}

cairo_matrix_t ShapeMatrix(GpGraphics* g) {
    cairo_matrix_t m;
    cairo_matrix_init_identity(&m);
    if (cairo_t* cr = GraphicsCairo(g)) cairo_get_matrix(cr, &m);
    // GDI+ puts pixel centres on integer coordinates; Cairo puts them on half-integers.
    cairo_matrix_translate(&m, 0.5, 0.5);
    return m;
}

Status CheckGraphics(GpGraphics* g) {
    if (!g) return InvalidParameter;
    if (g->dcLent) return ObjectBusy;
    return GraphicsCairo(g) ? Ok : InvalidParameter;
}

DrawScope::DrawScope(GpGraphics* g, bool shapes) : g_(g) {
    cr_ = GraphicsCairo(g);
    if (!cr_) return;
    cairo_save(cr_);
    if (g->own) cairo_identity_matrix(cr_);
    if (g->clip) cairo_push_group(cr_);
    if (shapes) cairo_translate(cr_, 0.5, 0.5);
    const bool smooth = g->smoothing == SmoothingModeAntiAlias || g->smoothing == SmoothingModeAntiAlias8x8 ||
                        g->smoothing == SmoothingModeHighQuality;
    cairo_set_antialias(cr_, smooth ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_new_path(cr_);
}

DrawScope::~DrawScope() {
    if (!cr_) return;
    if (g_->clip) {
        cairo_pop_group_to_source(cr_);
        cairo_identity_matrix(cr_);
        cairo_mask_surface(cr_, g_->clip, 0, 0);
    }
    cairo_restore(cr_);
}

} // namespace detail

namespace {

using detail::CheckGraphics;
using detail::DrawScope;

GpStatus NewGraphics(GpGraphics** graphics, GpGraphics* g) {
    *graphics = g;
    return Ok;
}

// Fills the context's current path with a brush.
void FillCurrent(cairo_t* cr, const GpBrush* brush) {
    if (auto* pg = dynamic_cast<const detail::PathGradientImpl*>(brush)) {
        detail::FillWithPathGradient(cr, *pg);
        return;
    }
    detail::SetBrushSource(cr, brush);
    cairo_fill(cr);
}

bool KnownBrush(const GpBrush* brush) {
    return dynamic_cast<const detail::SolidFillImpl*>(brush) ||
           dynamic_cast<const detail::LineGradientImpl*>(brush) ||
           dynamic_cast<const detail::PathGradientImpl*>(brush);
}

// Combines the graphics' clip with a region given in world coordinates.
GpStatus CombineClip(GpGraphics* g, const detail::RegionNode& region, CombineMode mode) {
    if (mode < CombineModeReplace || mode > CombineModeComplement) return InvalidParameter;
    cairo_surface_t* target = detail::GraphicsSurface(g);
    if (!target || cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE) return GenericError;
    const int w = cairo_image_surface_get_width(target), h = cairo_image_surface_get_height(target);
    const cairo_matrix_t m = detail::ShapeMatrix(g);
    if (!g->clip && mode == CombineModeUnion) return Ok; // no clip already means everything
    cairo_surface_t* mask = detail::RenderRegionMask(region, w, h, m);
    if (!mask) return OutOfMemory;
    if (mode == CombineModeReplace || (!g->clip && mode == CombineModeIntersect)) {
        if (g->clip) cairo_surface_destroy(g->clip);
        g->clip = mask;
        return Ok;
    }
    if (!g->clip) {
        detail::RegionNode all;
        all.kind = detail::RegionNode::Kind::Infinite;
        g->clip = detail::RenderRegionMask(all, w, h, m);
        if (!g->clip) {
            cairo_surface_destroy(mask);
            return OutOfMemory;
        }
    }
    detail::CombineMasks(g->clip, mask, mode);
    cairo_surface_destroy(mask);
    return Ok;
}

} // namespace

GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics** graphics) {
    if (!graphics) return InvalidParameter;
    *graphics = nullptr;
    if (!hdc || !win::detail::GetDCCairo(hdc)) return OutOfMemory; // GDI+'s answer for an unusable DC
    auto* g = new (std::nothrow) GpGraphics;
    if (!g) return OutOfMemory;
    g->dc = hdc;
    return NewGraphics(graphics, g);
}

GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
    if (!graphics) return InvalidParameter;
    *graphics = nullptr;
    auto* bmp = detail::AsBitmap(image);
    if (!bmp || !bmp->surface) return InvalidParameter;
    cairo_t* cr = cairo_create(bmp->surface);
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cr);
        return OutOfMemory;
    }
    auto* g = new (std::nothrow) GpGraphics;
    if (!g) {
        cairo_destroy(cr);
        return OutOfMemory;
    }
    g->own = cr;
    g->surface = cairo_surface_reference(bmp->surface);
    return NewGraphics(graphics, g);
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics) {
    if (!graphics) return InvalidParameter;
    delete graphics;
    return Ok;
}

GpStatus GdipFlush(GpGraphics* graphics, GpFlushIntention) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (cairo_surface_t* s = detail::GraphicsSurface(graphics)) cairo_surface_flush(s);
    return Ok;
}

GpStatus GdipGetDC(GpGraphics* graphics, HDC* hdc) {
    if (!graphics || !hdc) return InvalidParameter;
    if (graphics->dcLent) return ObjectBusy;
    if (graphics->dc) {
        *hdc = graphics->dc;
    } else {
        graphics->lentDC =
            win::detail::CreateSurfaceDC(graphics->surface, win::POINT{0, 0}, nullptr, nullptr);
        if (!graphics->lentDC) return OutOfMemory;
        *hdc = graphics->lentDC;
    }
    graphics->dcLent = true;
    return Ok;
}

GpStatus GdipReleaseDC(GpGraphics* graphics, HDC hdc) {
    if (!graphics || !graphics->dcLent) return InvalidParameter;
    if (hdc != (graphics->dc ? graphics->dc : graphics->lentDC)) return InvalidParameter;
    if (graphics->lentDC) {
        win::detail::DeleteSurfaceDC(graphics->lentDC);
        graphics->lentDC = nullptr;
    }
    graphics->dcLent = false;
    return Ok;
}

GpStatus GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint mode) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (mode < TextRenderingHintSystemDefault || mode > TextRenderingHintClearTypeGridFit)
        return InvalidParameter;
    graphics->textHint = mode;
    return Ok;
}

GpStatus GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* mode) {
    if (!mode) return InvalidParameter;
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    *mode = graphics->textHint;
    return Ok;
}

GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode smoothingMode) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (smoothingMode < SmoothingModeDefault || smoothingMode > SmoothingModeAntiAlias8x8)
        return InvalidParameter;
    graphics->smoothing = smoothingMode;
    return Ok;
}

GpStatus GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* smoothingMode) {
    if (!smoothingMode) return InvalidParameter;
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    *smoothingMode = graphics->smoothing;
    return Ok;
}

GpStatus GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality compositingQuality) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (compositingQuality < CompositingQualityDefault || compositingQuality > CompositingQualityAssumeLinear)
        return InvalidParameter;
    graphics->quality = compositingQuality;
    return Ok;
}

GpStatus GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* compositingQuality) {
    if (!compositingQuality) return InvalidParameter;
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    *compositingQuality = graphics->quality;
    return Ok;
}

GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    DrawScope scope(graphics, false);
    detail::SetSourceArgb(scope.cr(), color);
    cairo_set_operator(scope.cr(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(scope.cr());
    return Ok;
}

GpStatus GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (!brush || !KnownBrush(brush) || !detail::ValidCoords({x, y, width, height, x + width, y + height}))
        return InvalidParameter;
    if (width <= 0 || height <= 0) return Ok; // nothing to fill, as GDI+
    DrawScope scope(graphics, true);
    cairo_rectangle(scope.cr(), x, y, width, height);
    FillCurrent(scope.cr(), brush);
    return Ok;
}

GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
    return GdipFillRectangle(graphics, brush, static_cast<REAL>(x), static_cast<REAL>(y),
                             static_cast<REAL>(width), static_cast<REAL>(height));
}

GpStatus GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (!pen || !detail::ValidCoords({x, y, width, height, x + width, y + height})) return InvalidParameter;
    if (width < 0 || height < 0) return Ok;
    DrawScope scope(graphics, true);
    cairo_rectangle(scope.cr(), x, y, width, height);
    detail::ApplyPen(scope.cr(), *pen);
    cairo_stroke(scope.cr());
    return Ok;
}

GpStatus GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height) {
    return GdipDrawRectangle(graphics, pen, static_cast<REAL>(x), static_cast<REAL>(y),
                             static_cast<REAL>(width), static_cast<REAL>(height));
}

GpStatus GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (!pen || !detail::ValidCoords({x1, y1, x2, y2})) return InvalidParameter;
    DrawScope scope(graphics, true);
    cairo_move_to(scope.cr(), x1, y1);
    cairo_line_to(scope.cr(), x2, y2);
    detail::ApplyPen(scope.cr(), *pen);
    cairo_stroke(scope.cr());
    return Ok;
}

GpStatus GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (!pen || !path) return InvalidParameter;
    if (path->data.points.empty()) return Ok;
    DrawScope scope(graphics, true);
    detail::AppendPath(scope.cr(), path->data);
    detail::ApplyPen(scope.cr(), *pen);
    cairo_stroke(scope.cr());
    return Ok;
}

GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (!brush || !path || !KnownBrush(brush)) return InvalidParameter;
    if (path->data.points.empty()) return Ok;
    DrawScope scope(graphics, true);
    detail::AppendPath(scope.cr(), path->data);
    cairo_set_fill_rule(scope.cr(), path->data.fillMode == FillModeWinding ? CAIRO_FILL_RULE_WINDING
                                                                           : CAIRO_FILL_RULE_EVEN_ODD);
    FillCurrent(scope.cr(), brush);
    return Ok;
}

GpStatus GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    auto* bmp = detail::AsBitmap(image);
    if (!bmp || !bmp->surface || !detail::ValidCoords({x, y, width, height, x + width, y + height}))
        return InvalidParameter;
    const int iw = cairo_image_surface_get_width(bmp->surface),
              ih = cairo_image_surface_get_height(bmp->surface);
    // Nothing shows of a target narrower than a thousandth of a pixel; its scale would be near singular, and
    // a Cairo error would stop all later drawing on a shared context.
    if (std::fabs(width) < 1e-3 || std::fabs(height) < 1e-3 || iw == 0 || ih == 0) return Ok;
    DrawScope scope(graphics, false);
    cairo_t* cr = scope.cr();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE); // the image's rectangle has crisp edges
    cairo_rectangle(cr, std::min(x, x + width), std::min(y, y + height), std::fabs(width), std::fabs(height));
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, width / iw, height / ih);
    cairo_set_source_surface(cr, bmp->surface, 0, 0);
    cairo_pattern_t* p = cairo_get_source(cr);
    const bool unscaled = width == iw && height == ih;
    cairo_pattern_set_filter(p, unscaled ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    return Ok;
}

GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height) {
    return GdipDrawImageRect(graphics, image, static_cast<REAL>(x), static_cast<REAL>(y),
                             static_cast<REAL>(width), static_cast<REAL>(height));
}

GpStatus GdipDrawImage(GpGraphics* graphics, GpImage* image, REAL x, REAL y) {
    auto* bmp = detail::AsBitmap(image);
    if (!bmp || !bmp->surface) return InvalidParameter;
    return GdipDrawImageRect(graphics, image, x, y,
                             static_cast<REAL>(cairo_image_surface_get_width(bmp->surface)),
                             static_cast<REAL>(cairo_image_surface_get_height(bmp->surface)));
}

GpStatus GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y) {
    return GdipDrawImage(graphics, image, static_cast<REAL>(x), static_cast<REAL>(y));
}

GpStatus GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height,
                         CombineMode combineMode) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (!detail::ValidCoords({x, y, width, height, x + width, y + height})) return InvalidParameter;
    detail::RegionNode node;
    node.kind = detail::RegionNode::Kind::Rect;
    // A rectangle given with negative sizes covers the same area as its normalised form.
    node.rect = {std::min(x, x + width), std::min(y, y + height), std::fabs(width), std::fabs(height)};
    return CombineClip(graphics, node, combineMode);
}

GpStatus GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode combineMode) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (!region || !region->root) return InvalidParameter;
    return CombineClip(graphics, *region->root, combineMode);
}

GpStatus GdipSetClipPath(GpGraphics* graphics, GpPath* path, CombineMode combineMode) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (!path) return InvalidParameter;
    detail::RegionNode node;
    node.kind = detail::RegionNode::Kind::Path;
    node.path = std::make_shared<const detail::PathData>(path->data);
    return CombineClip(graphics, node, combineMode);
}

GpStatus GdipResetClip(GpGraphics* graphics) {
    if (const GpStatus s = CheckGraphics(graphics); s != Ok) return s;
    if (graphics->clip) cairo_surface_destroy(graphics->clip);
    graphics->clip = nullptr;
    return Ok;
}

} // namespace gdip
