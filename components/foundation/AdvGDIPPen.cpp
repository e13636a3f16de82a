#include "components/foundation/AdvGDIPPen.h"

namespace AdvGDIP {

TGPPen::TGPPen(ARGB color, float width) {
    lastResult = gdip::GdipCreatePen1(color, width, UnitWorld, &nativePen);
}

TGPPen::TGPPen(gdip::GpPen* nativePen, Status status) : nativePen(nativePen), lastResult(status) {}

TGPPen::~TGPPen() {
    gdip::GdipDeletePen(nativePen);
}

Status TGPPen::SetStatus(Status status) {
    if (status != Ok && lastResult == Ok) lastResult = status; // the first failure stays until read
    return status;
}

Status TGPPen::GetLastStatus() {
    Status kept = lastResult;
    lastResult = Ok;
    return kept;
}

Status TGPPen::SetDashStyle(DashStyle dashStyle) {
    return SetStatus(gdip::GdipSetPenDashStyle(nativePen, dashStyle));
}

DashStyle TGPPen::GetDashStyle() {
    DashStyle dashStyle = DashStyleSolid;
    SetStatus(gdip::GdipGetPenDashStyle(nativePen, &dashStyle));
    return dashStyle;
}

Status TGPPen::SetEndCap(int lineCap) {
    // GDI+'s line caps lie in 0..0xFF; anything else is refused before it becomes a cap value.
    if (lineCap < 0 || lineCap > gdip::LineCapCustom) return SetStatus(InvalidParameter);
    return SetStatus(gdip::GdipSetPenEndCap(nativePen, static_cast<gdip::LineCap>(lineCap)));
}

} // namespace AdvGDIP
