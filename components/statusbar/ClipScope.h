#pragma once
// Drawing cut to a rectangle for the lifetime of a scope: the clip region the canvas had before comes back
// when the scope ends (the canvas's pen, brush and font are left alone).

#include "platform/vcl/Canvas.h"
#include "platform/win/Region.h"

namespace AdvOfficeStatusBar {

class TClipScope {
public:
    TClipScope(vcl::TCanvas* Canvas, const vcl::TRect& R) : FDC(Canvas->Handle()) {
        FOld = win::CreateRectRgn(0, 0, 0, 0);
        FHad = win::GetClipRgn(FDC, FOld) == 1;
        win::IntersectClipRect(FDC, R.Left, R.Top, R.Right, R.Bottom);
    }
    ~TClipScope() {
        win::SelectClipRgn(FDC, FHad ? FOld : nullptr);
        win::DeleteObject(FOld);
    }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

private:
    win::HDC FDC;
    win::HRGN FOld = nullptr;
    bool FHad = false;
};

} // namespace AdvOfficeStatusBar
