#pragma once
// The GDI+ pen.

#include "components/foundation/AdvGDIPBase.h"

namespace AdvGDIP {

class TGPPen : public TGdiplusBase {
    KV_CLASS(TGPPen, TGdiplusBase)
public:
    // A pen of the colour and width in world units.
    explicit TGPPen(ARGB color, float width = 1.0f);
    // Takes over the native pen and its status.
    TGPPen(gdip::GpPen* nativePen, Status status);
    ~TGPPen() override;

    Status SetDashStyle(DashStyle dashStyle);
    DashStyle GetDashStyle();
    // lineCap: GDI+'s line cap value (0 flat, 1 square, 2 round, 3 triangle, ...).
    Status SetEndCap(int lineCap);

    Status GetLastStatus();

protected:
    Status SetStatus(Status status);

private:
    friend class TGPGraphics;
    gdip::GpPen* nativePen = nullptr;
    Status lastResult = Ok;
};

} // namespace AdvGDIP
