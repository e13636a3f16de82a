#pragma once
// TGroupBox: an etched frame with a caption in its top edge, holding other controls.

#include "platform/vcl/Label.h"

namespace vcl {

class TCustomGroupBox : public TCustomControl {
    KV_CLASS(TCustomGroupBox, TCustomControl)
    KV_PUBLISHED_PROPERTIES(TCustomGroupBox)
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    ~TCustomGroupBox() override;

protected:
    void Paint() override;
    // The children are laid out inside the frame, below the caption.
    void AdjustClientRect(TRect& Rect) override;
    void WndProc(TMessage& Message) override;
    // The height of a line of the caption's font.
    int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
    KV_CLASS(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

} // namespace vcl
