#pragma once
// TAdvToolBarForm: a form without a system caption whose caption is the caption row of a pager placed
// on it. The form draws its own rounded outline, answers the sizing hit tests along its edges and,
// before Vista, clips itself to a rounded region and maximises a little beyond the work area.

#include "platform/vcl/Form.h"

namespace AdvToolBar {

class TAdvToolBarForm : public vcl::TForm {
    KV_CLASS(TAdvToolBarForm, vcl::TForm)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarForm)
public:
    explicit TAdvToolBarForm(vcl::TComponent* AOwner);

    // The sizing hit test of a client point (as WM_NCHITTEST answers it), or Inherited where no edge
    // rule holds.
    win::LRESULT EdgeHitTest(vcl::TPoint P, win::LRESULT Inherited) const;
    // The outline colour: grey, or the caption text colour of the last pager's styler (white as black).
    vcl::TColor OutlineColor();

protected:
    void CreateParams(vcl::TCreateParams& Params) override;
    void AdjustClientRect(vcl::TRect& Rect) override;
    void Paint() override;
    void WndProc(vcl::TMessage& Message) override;

private:
    void WMSize(vcl::TMessage& Message);
    void WMGetMinMaxInfo(vcl::TMessage& Message);
};

} // namespace AdvToolBar
