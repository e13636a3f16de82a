#include "components/foundation/AdvGDIPPaths.h"

#include <vector>

namespace AdvGDIP {

namespace {

// The wrapper's point records are converted into GDI+'s own; a negative count gives an empty copy and
// GDI+ then refuses the count itself.
std::vector<gdip::GpPoint> ToGp(const TGPPoint* points, int count) {
    std::vector<gdip::GpPoint> out;
    if (points == nullptr || count <= 0) return out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out.push_back(gdip::GpPoint{points[i].X, points[i].Y});
    return out;
}

std::vector<gdip::GpPointF> ToGp(const TGPPointF* points, int count) {
    std::vector<gdip::GpPointF> out;
    if (points == nullptr || count <= 0) return out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out.push_back(gdip::GpPointF{points[i].X, points[i].Y});
    return out;
}

template <class T> const T* DataOrNull(const std::vector<T>& v) {
    return v.empty() ? nullptr : v.data();
}

} // namespace

// ---- TGPGraphicsPath ----

TGPGraphicsPath::TGPGraphicsPath(FillMode fillMode) {
    lastResult = gdip::GdipCreatePath(fillMode, &nativePath);
}

TGPGraphicsPath::TGPGraphicsPath(gdip::GpPath* nativePath) : nativePath(nativePath), lastResult(Ok) {}

TGPGraphicsPath::~TGPGraphicsPath() {
    gdip::GdipDeletePath(nativePath);
}

Status TGPGraphicsPath::SetStatus(Status status) {
    if (status != Ok && lastResult == Ok) lastResult = status; // the first failure stays until read
    return status;
}

Status TGPGraphicsPath::GetLastStatus() {
    Status kept = lastResult;
    lastResult = Ok;
    return kept;
}

Status TGPGraphicsPath::CloseFigure() {
    return SetStatus(gdip::GdipClosePathFigure(nativePath));
}

Status TGPGraphicsPath::AddLine(const TGPPointF& pt1, const TGPPointF& pt2) {
    return AddLine(pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status TGPGraphicsPath::AddLine(float x1, float y1, float x2, float y2) {
    return SetStatus(gdip::GdipAddPathLine(nativePath, x1, y1, x2, y2));
}

Status TGPGraphicsPath::AddLines(const TGPPoint* points, int count) {
    auto pts = ToGp(points, count);
    return SetStatus(gdip::GdipAddPathLine2I(nativePath, DataOrNull(pts), count));
}

Status TGPGraphicsPath::AddArc(const TGPRectF& rect, float startAngle, float sweepAngle) {
    return AddArc(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle,
                               float sweepAngle) {
    return SetStatus(gdip::GdipAddPathArc(nativePath, x, y, width, height, startAngle, sweepAngle));
}

Status TGPGraphicsPath::AddEllipse(const TGPRectF& rect) {
    return AddEllipse(rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphicsPath::AddEllipse(float x, float y, float width, float height) {
    return SetStatus(gdip::GdipAddPathEllipse(nativePath, x, y, width, height));
}

Status TGPGraphicsPath::AddPie(const TGPRectF& rect, float startAngle, float sweepAngle) {
    return AddPie(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status TGPGraphicsPath::AddPie(float x, float y, float width, float height, float startAngle,
                               float sweepAngle) {
    return SetStatus(gdip::GdipAddPathPie(nativePath, x, y, width, height, startAngle, sweepAngle));
}

Status TGPGraphicsPath::AddPolygon(const TGPPointF* points, int count) {
    auto pts = ToGp(points, count);
    return SetStatus(gdip::GdipAddPathPolygon(nativePath, DataOrNull(pts), count));
}

Status TGPGraphicsPath::AddPolygon(const TGPPoint* points, int count) {
    auto pts = ToGp(points, count);
    return SetStatus(gdip::GdipAddPathPolygonI(nativePath, DataOrNull(pts), count));
}

Status TGPGraphicsPath::AddCurve(const TGPPointF* points, int count) {
    auto pts = ToGp(points, count);
    return SetStatus(gdip::GdipAddPathCurve(nativePath, DataOrNull(pts), count));
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* points, int count) {
    auto pts = ToGp(points, count);
    return SetStatus(gdip::GdipAddPathCurveI(nativePath, DataOrNull(pts), count));
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* points, int count, float tension) {
    auto pts = ToGp(points, count);
    return SetStatus(gdip::GdipAddPathCurve2I(nativePath, DataOrNull(pts), count, tension));
}

Status TGPGraphicsPath::AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3,
                                  const TGPPoint& pt4) {
    return AddBezier(static_cast<float>(pt1.X), static_cast<float>(pt1.Y), static_cast<float>(pt2.X),
                     static_cast<float>(pt2.Y), static_cast<float>(pt3.X), static_cast<float>(pt3.Y),
                     static_cast<float>(pt4.X), static_cast<float>(pt4.Y));
}

Status TGPGraphicsPath::AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                                  const TGPPointF& pt4) {
    return AddBezier(pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status TGPGraphicsPath::AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                                  float y4) {
    return SetStatus(gdip::GdipAddPathBezier(nativePath, x1, y1, x2, y2, x3, y3, x4, y4));
}

// ---- TGPRegion ----

TGPRegion::TGPRegion(const TGPRectF& rect) {
    gdip::GpRectF r{rect.X, rect.Y, rect.Width, rect.Height};
    lastResult = gdip::GdipCreateRegionRect(&r, &nativeRegion);
}

TGPRegion::TGPRegion(TGPGraphicsPath* path) {
    lastResult = gdip::GdipCreateRegionPath(path ? path->nativePath : nullptr, &nativeRegion);
}

TGPRegion::~TGPRegion() {
    gdip::GdipDeleteRegion(nativeRegion);
}

Status TGPRegion::SetStatus(Status status) {
    if (status != Ok && lastResult == Ok) lastResult = status; // the first failure stays until read
    return status;
}

Status TGPRegion::GetLastStatus() {
    Status kept = lastResult;
    lastResult = Ok;
    return kept;
}

Status TGPRegion::Exclude(TGPGraphicsPath* path) {
    return SetStatus(
        gdip::GdipCombineRegionPath(nativeRegion, path ? path->nativePath : nullptr, CombineModeExclude));
}

Status TGPRegion::Union(TGPRegion* region) {
    return SetStatus(gdip::GdipCombineRegionRegion(nativeRegion, region ? region->nativeRegion : nullptr,
                                                   CombineModeUnion));
}

} // namespace AdvGDIP
