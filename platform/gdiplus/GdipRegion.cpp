// Regions: trees of rectangles and paths combined by set operations, rasterised into pixel masks.

#include <algorithm>
#include <new>

#include "platform/gdiplus/GdipInternal.h"

namespace gdip {

namespace detail {

namespace {

cairo_surface_t* NewMask(int width, int height) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, std::max(width, 1), std::max(height, 1));
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return s;
}

void FillLeaf(cairo_surface_t* mask, const RegionNode& node, const cairo_matrix_t& m) {
    cairo_t* cr = cairo_create(mask);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE); // region edges are whole pixels
    cairo_set_matrix(cr, &m);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    if (node.kind == RegionNode::Kind::Infinite) {
        cairo_paint(cr);
    } else if (node.kind == RegionNode::Kind::Rect) {
        if (node.rect.Width > 0 && node.rect.Height > 0) {
            cairo_rectangle(cr, node.rect.X, node.rect.Y, node.rect.Width, node.rect.Height);
            cairo_fill(cr);
        }
    } else if (node.kind == RegionNode::Kind::Path && node.path) {
        AppendPath(cr, *node.path);
        cairo_set_fill_rule(cr, node.path->fillMode == FillModeWinding ? CAIRO_FILL_RULE_WINDING
                                                                       : CAIRO_FILL_RULE_EVEN_ODD);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
}

} // namespace

void CombineMasks(cairo_surface_t* dst, cairo_surface_t* src, CombineMode op) {
    cairo_t* cr = cairo_create(dst);
    cairo_set_source_surface(cr, src, 0, 0);
    switch (op) {
    case CombineModeReplace:
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        break;
    case CombineModeIntersect:
        cairo_set_operator(cr, CAIRO_OPERATOR_IN);
        break;
    case CombineModeUnion:
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        break;
    case CombineModeXor:
        cairo_set_operator(cr, CAIRO_OPERATOR_XOR);
        break;
    case CombineModeExclude:
        cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
        break;
    case CombineModeComplement:
        cairo_set_operator(cr, CAIRO_OPERATOR_OUT);
        break;
    }
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(dst);
}

cairo_surface_t* RenderRegionMask(const RegionNode& region, int width, int height, const cairo_matrix_t& m) {
    if (region.kind != RegionNode::Kind::Combine) {
        cairo_surface_t* mask = NewMask(width, height);
        if (mask) FillLeaf(mask, region, m);
        return mask;
    }
    cairo_surface_t* a = region.a ? RenderRegionMask(*region.a, width, height, m) : nullptr;
    cairo_surface_t* b = region.b ? RenderRegionMask(*region.b, width, height, m) : nullptr;
    if (!a || !b) {
        if (a) cairo_surface_destroy(a);
        if (b) cairo_surface_destroy(b);
        return nullptr;
    }
    CombineMasks(a, b, region.op);
    cairo_surface_destroy(b);
    return a;
}

bool RegionContains(const RegionNode& region, double x, double y) {
    switch (region.kind) {
    case RegionNode::Kind::Empty:
        return false;
    case RegionNode::Kind::Infinite:
        return true;
    case RegionNode::Kind::Rect:
        return x >= region.rect.X && y >= region.rect.Y && x < region.rect.X + region.rect.Width &&
               y < region.rect.Y + region.rect.Height;
    case RegionNode::Kind::Path: {
        if (!region.path) return false;
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
        cairo_t* cr = cairo_create(s);
        AppendPath(cr, *region.path);
        cairo_set_fill_rule(cr, region.path->fillMode == FillModeWinding ? CAIRO_FILL_RULE_WINDING
                                                                         : CAIRO_FILL_RULE_EVEN_ODD);
        const bool in = cairo_in_fill(cr, x, y) != 0;
        cairo_destroy(cr);
        cairo_surface_destroy(s);
        return in;
    }
    case RegionNode::Kind::Combine: {
        const bool a = region.a && RegionContains(*region.a, x, y);
        const bool b = region.b && RegionContains(*region.b, x, y);
        switch (region.op) {
        case CombineModeReplace:
            return b;
        case CombineModeIntersect:
            return a && b;
        case CombineModeUnion:
            return a || b;
        case CombineModeXor:
            return a != b;
        case CombineModeExclude:
            return a && !b;
        case CombineModeComplement:
            return b && !a;
        }
        return false;
    }
    }
    return false;
}

} // namespace detail

namespace {

using detail::RegionNode;
using detail::RegionPtr;

GpStatus NewRegion(RegionPtr root, GpRegion** region) {
    auto* r = new (std::nothrow) GpRegion;
    if (!r) return OutOfMemory;
    r->root = std::move(root);
    *region = r;
    return Ok;
}

bool ValidMode(CombineMode mode) {
    return mode >= CombineModeReplace && mode <= CombineModeComplement;
}

bool ValidRect(const GpRectF* rect) {
    return rect && detail::ValidCoords({rect->X, rect->Y, rect->Width, rect->Height, rect->X + rect->Width,
                                        rect->Y + rect->Height});
}

RegionPtr RectNode(const GpRectF& rect) {
    auto n = std::make_shared<RegionNode>();
    n->kind = RegionNode::Kind::Rect;
    n->rect = rect;
    return n;
}

RegionPtr PathNode(const GpPath& path) {
    auto n = std::make_shared<RegionNode>();
    n->kind = RegionNode::Kind::Path;
    n->path = std::make_shared<const detail::PathData>(path.data);
    return n;
}

void Combine(GpRegion* region, RegionPtr other, CombineMode mode) {
    if (mode == CombineModeReplace) {
        region->root = std::move(other);
        return;
    }
    auto n = std::make_shared<RegionNode>();
    n->kind = RegionNode::Kind::Combine;
    n->op = mode;
    n->a = region->root;
    n->b = std::move(other);
    region->root = std::move(n);
}

} // namespace

GpStatus GdipCreateRegion(GpRegion** region) {
    if (!region) return InvalidParameter;
    auto n = std::make_shared<RegionNode>();
    n->kind = RegionNode::Kind::Infinite;
    return NewRegion(std::move(n), region);
}

GpStatus GdipCreateRegionRect(const GpRectF* rect, GpRegion** region) {
    if (!region) return InvalidParameter;
    *region = nullptr;
    if (!ValidRect(rect)) return InvalidParameter;
    return NewRegion(RectNode(*rect), region);
}

GpStatus GdipCreateRegionRectI(const GpRect* rect, GpRegion** region) {
    if (!rect) return GdipCreateRegionRect(nullptr, region);
    const GpRectF r{static_cast<REAL>(rect->X), static_cast<REAL>(rect->Y), static_cast<REAL>(rect->Width),
                    static_cast<REAL>(rect->Height)};
    return GdipCreateRegionRect(&r, region);
}

GpStatus GdipCreateRegionPath(GpPath* path, GpRegion** region) {
    if (!region) return InvalidParameter;
    *region = nullptr;
    if (!path) return InvalidParameter;
    return NewRegion(PathNode(*path), region);
}

GpStatus GdipCloneRegion(GpRegion* region, GpRegion** cloneRegion) {
    if (!region || !cloneRegion) return InvalidParameter;
    return NewRegion(region->root, cloneRegion);
}

GpStatus GdipDeleteRegion(GpRegion* region) {
    if (!region) return InvalidParameter;
    delete region;
    return Ok;
}

GpStatus GdipCombineRegionRect(GpRegion* region, const GpRectF* rect, CombineMode combineMode) {
    if (!region || !ValidRect(rect) || !ValidMode(combineMode)) return InvalidParameter;
    Combine(region, RectNode(*rect), combineMode);
    return Ok;
}

GpStatus GdipCombineRegionPath(GpRegion* region, GpPath* path, CombineMode combineMode) {
    if (!region || !path || !ValidMode(combineMode)) return InvalidParameter;
    Combine(region, PathNode(*path), combineMode);
    return Ok;
}

GpStatus GdipCombineRegionRegion(GpRegion* region1, GpRegion* region2, CombineMode combineMode) {
    if (!region1 || !region2 || !ValidMode(combineMode)) return InvalidParameter;
    Combine(region1, region2->root, combineMode); // nodes are shared read-only, so self-combining is safe
    return Ok;
}

GpStatus GdipIsVisibleRegionPoint(GpRegion* region, REAL x, REAL y, GpGraphics*, BOOL* result) {
    if (!region || !result || !detail::ValidCoords({x, y})) return InvalidParameter;
    *result = detail::RegionContains(*region->root, x, y) ? 1 : 0;
    return Ok;
}

} // namespace gdip
