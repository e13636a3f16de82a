#pragma once
// Graphics paths and regions.

#include "components/foundation/AdvGDIPBase.h"

namespace AdvGDIP {

class TGPGraphicsPath : public TGdiplusBase {
    KV_CLASS(TGPGraphicsPath, TGdiplusBase)
public:
    explicit TGPGraphicsPath(FillMode fillMode = FillModeAlternate);
    // Takes over the native path; the kept status is Ok.
    explicit TGPGraphicsPath(gdip::GpPath* nativePath);
    ~TGPGraphicsPath() override;

    Status CloseFigure();

    Status AddLine(const TGPPointF& pt1, const TGPPointF& pt2);
    Status AddLine(float x1, float y1, float x2, float y2);
    Status AddLines(const TGPPoint* points, int count);

    // Angles in degrees, clockwise from the x axis.
    Status AddArc(const TGPRectF& rect, float startAngle, float sweepAngle);
    Status AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    Status AddEllipse(const TGPRectF& rect);
    Status AddEllipse(float x, float y, float width, float height);
    Status AddPie(const TGPRectF& rect, float startAngle, float sweepAngle);
    Status AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle);

    Status AddPolygon(const TGPPointF* points, int count);
    Status AddPolygon(const TGPPoint* points, int count);
    Status AddCurve(const TGPPointF* points, int count);
    Status AddCurve(const TGPPoint* points, int count);
    Status AddCurve(const TGPPoint* points, int count, float tension);

    Status AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3, const TGPPoint& pt4);
    Status AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3, const TGPPointF& pt4);
    Status AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);

    Status GetLastStatus();

protected:
    Status SetStatus(Status status);

private:
    friend class TGPGraphics;
    friend class TGPPathGradientBrush;
    friend class TGPRegion;
    gdip::GpPath* nativePath = nullptr;
    Status lastResult = Ok;
};

class TGPRegion : public TGdiplusBase {
    KV_CLASS(TGPRegion, TGdiplusBase)
public:
    explicit TGPRegion(const TGPRectF& rect);
    explicit TGPRegion(TGPGraphicsPath* path);
    ~TGPRegion() override;

    Status Exclude(TGPGraphicsPath* path);
    Status Union(TGPRegion* region);

    Status GetLastStatus();

protected:
    Status SetStatus(Status status);

private:
    friend class TGPGraphics;
    gdip::GpRegion* nativeRegion = nullptr;
    Status lastResult = Ok;
};

} // namespace AdvGDIP
