#include "components/foundation/AdvGDIPBrushes.h"

#include "components/foundation/AdvGDIPPaths.h"

namespace AdvGDIP {

namespace {

gdip::GpPathGradient* AsPathGradient(gdip::GpBrush* brush) {
    return static_cast<gdip::GpPathGradient*>(brush);
}

} // namespace

// ---- TGPBrush ----

TGPBrush::TGPBrush() : lastResult(NotImplemented) {}

TGPBrush::TGPBrush(gdip::GpBrush* nativeBrush, Status status)
    : nativeBrush(nativeBrush), lastResult(status) {}

TGPBrush::~TGPBrush() {
    gdip::GdipDeleteBrush(nativeBrush);
}

Status TGPBrush::SetStatus(Status status) {
    if (status != Ok && lastResult == Ok) lastResult = status; // the first failure stays until read
    return status;
}

Status TGPBrush::GetLastStatus() {
    Status kept = lastResult;
    lastResult = Ok;
    return kept;
}

// ---- TGPSolidBrush ----

TGPSolidBrush::TGPSolidBrush(ARGB color) : TGPBrush(nullptr, Ok) {
    gdip::GpSolidFill* brush = nullptr;
    lastResult = gdip::GdipCreateSolidFill(color, &brush);
    SetNativeBrush(brush);
}

TGPSolidBrush::TGPSolidBrush() : TGPBrush(nullptr, Ok) {}

// ---- TGPLinearGradientBrush ----

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2,
                                               LinearGradientMode mode)
    : TGPBrush(nullptr, Ok) {
    gdip::GpRectF r{rect.X, rect.Y, rect.Width, rect.Height};
    gdip::GpLineGradient* brush = nullptr;
    lastResult = gdip::GdipCreateLineBrushFromRect(&r, color1, color2, mode, WrapModeTile, &brush);
    SetNativeBrush(brush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2,
                                               LinearGradientMode mode)
    : TGPBrush(nullptr, Ok) {
    gdip::GpRect r{rect.X, rect.Y, rect.Width, rect.Height};
    gdip::GpLineGradient* brush = nullptr;
    lastResult = gdip::GdipCreateLineBrushFromRectI(&r, color1, color2, mode, WrapModeTile, &brush);
    SetNativeBrush(brush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush() : TGPBrush(nullptr, Ok) {}

// ---- TGPPathGradientBrush ----

TGPPathGradientBrush::TGPPathGradientBrush(TGPGraphicsPath* path) : TGPBrush(nullptr, Ok) {
    gdip::GpPathGradient* brush = nullptr;
    lastResult = gdip::GdipCreatePathGradientFromPath(path ? path->nativePath : nullptr, &brush);
    SetNativeBrush(brush);
}

Status TGPPathGradientBrush::SetCenterColor(ARGB color) {
    SetStatus(gdip::GdipSetPathGradientCenterColor(AsPathGradient(nativeBrush), color));
    return lastResult;
}

Status TGPPathGradientBrush::GetCenterColor(ARGB& color) {
    SetStatus(gdip::GdipGetPathGradientCenterColor(AsPathGradient(nativeBrush), &color));
    return lastResult;
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPointF& point) {
    gdip::GpPointF p{point.X, point.Y};
    return SetStatus(gdip::GdipSetPathGradientCenterPoint(AsPathGradient(nativeBrush), &p));
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& point) {
    gdip::GpPointF p{point.X, point.Y};
    Status status = SetStatus(gdip::GdipGetPathGradientCenterPoint(AsPathGradient(nativeBrush), &p));
    if (status == Ok) point = TGPPointF{p.X, p.Y};
    return status;
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPoint& point) {
    gdip::GpPoint p{point.X, point.Y};
    return SetStatus(gdip::GdipSetPathGradientCenterPointI(AsPathGradient(nativeBrush), &p));
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPoint& point) {
    gdip::GpPoint p{point.X, point.Y};
    Status status = SetStatus(gdip::GdipGetPathGradientCenterPointI(AsPathGradient(nativeBrush), &p));
    if (status == Ok) point = TGPPoint{p.X, p.Y};
    return status;
}

int TGPPathGradientBrush::GetPointCount() {
    gdip::INT count = 0;
    SetStatus(gdip::GdipGetPathGradientPointCount(AsPathGradient(nativeBrush), &count));
    return count;
}

Status TGPPathGradientBrush::SetSurroundColors(const ARGB* colors, int& count) {
    if (colors == nullptr) return SetStatus(InvalidParameter);
    int pointCount = GetPointCount();
    if (count > pointCount || pointCount <= 0) return SetStatus(InvalidParameter);
    gdip::INT used = count;
    SetStatus(gdip::GdipSetPathGradientSurroundColorsWithCount(AsPathGradient(nativeBrush), colors, &used));
    if (lastResult == Ok) count = used;
    return lastResult;
}

Status TGPPathGradientBrush::GetSurroundColors(ARGB* colors, int& count) {
    if (colors == nullptr) return SetStatus(InvalidParameter);
    gdip::INT n = 0;
    SetStatus(gdip::GdipGetPathGradientSurroundColorCount(AsPathGradient(nativeBrush), &n));
    if (lastResult != Ok) return lastResult;
    if (count < n || n <= 0) return SetStatus(InsufficientBuffer);
    SetStatus(gdip::GdipGetPathGradientSurroundColorsWithCount(AsPathGradient(nativeBrush), colors, &n));
    if (lastResult == Ok) count = n;
    return lastResult;
}

} // namespace AdvGDIP
