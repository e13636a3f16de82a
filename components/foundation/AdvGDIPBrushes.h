#pragma once
// Brushes: solid, linear gradient and path gradient.

#include "components/foundation/AdvGDIPBase.h"

namespace AdvGDIP {

class TGPGraphicsPath;

class TGPBrush : public TGdiplusBase {
    KV_CLASS(TGPBrush, TGdiplusBase)
public:
    // No GDI+ object; the kept status is NotImplemented.
    TGPBrush();
    // Takes over the native brush and its status.
    TGPBrush(gdip::GpBrush* nativeBrush, Status status);
    // Deletes the brush of every brush class.
    ~TGPBrush() override;

    Status GetLastStatus();

protected:
    Status SetStatus(Status status);
    void SetNativeBrush(gdip::GpBrush* brush) { nativeBrush = brush; }

    gdip::GpBrush* nativeBrush = nullptr;
    Status lastResult = Ok;

private:
    friend class TGPGraphics;
};

class TGPSolidBrush : public TGPBrush {
    KV_CLASS(TGPSolidBrush, TGPBrush)
public:
    explicit TGPSolidBrush(ARGB color);
    // Empty: no GDI+ object.
    TGPSolidBrush();
};

class TGPLinearGradientBrush : public TGPBrush {
    KV_CLASS(TGPLinearGradientBrush, TGPBrush)
public:
    // Both gradients tile beyond the rectangle.
    TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    // Empty: no GDI+ object.
    TGPLinearGradientBrush();
};

class TGPPathGradientBrush : public TGPBrush {
    KV_CLASS(TGPPathGradientBrush, TGPBrush)
public:
    explicit TGPPathGradientBrush(TGPGraphicsPath* path);

    // Both return the kept status after the call.
    Status SetCenterColor(ARGB color);
    Status GetCenterColor(ARGB& color);

    Status SetCenterPoint(const TGPPointF& point);
    Status GetCenterPoint(TGPPointF& point);
    Status SetCenterPoint(const TGPPoint& point);
    Status GetCenterPoint(TGPPoint& point);

    int GetPointCount();

    // Sets count surround colours (no more than the path has points); on success count becomes the
    // number GDI+ used. Returns the kept status.
    Status SetSurroundColors(const ARGB* colors, int& count);
    // Reads the surround colours into a buffer of count entries; on success count becomes their number.
    // Returns the kept status.
    Status GetSurroundColors(ARGB* colors, int& count);
};

} // namespace AdvGDIP
