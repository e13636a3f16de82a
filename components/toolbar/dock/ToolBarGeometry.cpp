// The toolbar painter's geometry: caption strip, body, floating caption buttons, option indicator, drag
// grip and right handle, in client coordinates; and the colour the dock shows around the toolbar.

#include <algorithm>

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarPaint_p.h"

namespace AdvToolBar {

bool TAdvCustomToolBar::GripDrawn() const {
    return DragGripShown();
}

bool TAdvCustomToolBar::RightHandleShown() const {
    return FShowPopupIndicator && FShowRightHandle && !IsFloating() && !FFullSize;
}

vcl::TRect TAdvCustomToolBar::GetCaptionRect() const {
    vcl::TRect r{0, 0, Width(), Height()};
    if (IsFloating()) {
        r.Bottom = r.Top + FCaptionHeight;
        return r;
    }
    if (!FShowCaption) return vcl::TRect{};
    if (Horizontal()) {
        if (FCaptionPosition == cpTop)
            r.Bottom = r.Top + FCaptionHeight;
        else
            r.Top = r.Bottom - FCaptionHeight;
    } else if (FCaptionPosition == cpTop) {
        r.Right = r.Left + FCaptionHeight;
    } else {
        r.Left = r.Right - FCaptionHeight;
    }
    return r;
}

vcl::TRect TAdvCustomToolBar::GetMyClientRect() const {
    vcl::TRect r{0, 0, Width(), Height()};
    vcl::TRect cap = GetCaptionRect();
    if (IsFloating()) {
        r.Top = cap.Bottom;
    } else if (FShowCaption) {
        if (Horizontal()) {
            if (FCaptionPosition == cpTop)
                r.Top = cap.Bottom;
            else
                r.Bottom = cap.Top;
        } else if (FCaptionPosition == cpTop) {
            r.Left = cap.Right;
        } else {
            r.Right = cap.Left;
        }
    }
    return r;
}

vcl::TRect TAdvCustomToolBar::FWCloseBtnRect() const {
    if (!IsFloating() || !FShowClose) return vcl::TRect{};
    vcl::TRect cap = GetCaptionRect();
    return vcl::TRect{cap.Right - FCaptionHeight - 1, cap.Top + 1, cap.Right - 1, cap.Bottom - 1};
}

vcl::TRect TAdvCustomToolBar::FWCustomizedBtnRect() const {
    if (!IsFloating() || !FShowOptionIndicator) return vcl::TRect{};
    vcl::TRect cap = GetCaptionRect();
    vcl::TRect close{cap.Right - FCaptionHeight - 1, cap.Top + 1, cap.Right - 1, cap.Bottom - 1};
    if (!FShowClose) return close;
    return vcl::TRect{close.Left - FCaptionHeight - 2, close.Top, close.Left - 2, close.Bottom};
}

vcl::TRect TAdvCustomToolBar::GetOptionIndicatorRect() const {
    if (IsFloating() || !Horizontal() || !FShowOptionIndicator || !FShowCaption || FShowRightHandle)
        return vcl::TRect{-1, -1, -1, -1};
    vcl::TRect cap = GetCaptionRect();
    return vcl::TRect{cap.Right - FCaptionHeight + 1, cap.Top + 2, cap.Right - 1, cap.Bottom - 1};
}

vcl::TRect TAdvCustomToolBar::GetDragGripRect() const {
    if (Horizontal()) return vcl::TRect{1, 1, FDragGripWidth, Height()};
    return vcl::TRect{1, 1, Width(), FDragGripWidth};
}

vcl::TRect TAdvCustomToolBar::GetRightHandleRect() const {
    const int w = PopupIndicatorWidth();
    const bool round = FCurrentStyler != nullptr && FCurrentStyler->RoundEdges();
    if (Horizontal()) {
        vcl::TRect r{Width() - w, 0, Width() + 1, Height() + 1};
        if (!round) r = vcl::TRect{r.Left - 1, r.Top + 1, r.Right - 2, r.Bottom - 2};
        return r;
    }
    vcl::TRect r{0, Height() - w, Width(), Height()};
    if (!round) r = vcl::TRect{r.Left + 1, r.Top, r.Right - 1, r.Bottom - 1};
    return r;
}

TColor TAdvCustomToolBar::PanelColorAt(int X, int Y) const {
    if (FDockPanel == nullptr || FToolBarState != tsDocked) return Color();
    vcl::TBitmap* image = FDockPanel->GetMyImage();
    int px = std::clamp(Left() + X, 0, std::max(0, image->Width() - 1));
    int py = std::clamp(Top() + Y, 0, std::max(0, image->Height() - 1));
    if (image->Width() == 0 || image->Height() == 0) return FDockPanel->Color();
    return static_cast<TColor>(image->Canvas()->Pixels[px][py]);
}

} // namespace AdvToolBar
