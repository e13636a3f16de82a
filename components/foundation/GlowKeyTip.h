#pragma once
// TShortCutHintWindow: the key tip a glow button shows beside itself while a toolbar or the pager is in
// keyboard-access mode: the key text on a white-to-silver gradient in a grey rounded outline, without a
// window border.

#include "platform/vcl/HintWindow.h"

namespace AdvGlowButton {

class TShortCutHintWindow : public vcl::THintWindow {
    KV_CLASS(TShortCutHintWindow, vcl::THintWindow)
public:
    explicit TShortCutHintWindow(vcl::TComponent* AOwner);

    // Sized to the caption plus a margin, shown with its top-left corner at a screen point.
    void ShowAt(vcl::TPoint Screen);
    // The size the caption gives the tip (the text plus a margin; never below 12 x 12).
    vcl::TSize TipSize();

protected:
    void CreateParams(vcl::TCreateParams& Params) override;
    void Paint() override;
    void WndProc(vcl::TMessage& Message) override;
};

} // namespace AdvGlowButton
