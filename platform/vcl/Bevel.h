#pragma once
// TBevel: a windowless box, frame or line with a lowered or raised 3-D look.

#include "platform/vcl/Panel.h"

namespace vcl {

KV_ENUM(TBevelStyle, bsLowered, bsRaised);
KV_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer);

class TBevel : public TGraphicControl {
    KV_CLASS(TBevel, TGraphicControl)
    KV_PUBLISHED_PROPERTIES(TBevel)
public:
    explicit TBevel(TComponent* AOwner);
    ~TBevel() override;

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

} // namespace vcl
