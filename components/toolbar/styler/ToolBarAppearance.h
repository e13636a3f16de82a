#pragma once
// The two appearance objects the dock panel, the toolbar and the toolbar container paint from:
// a two-colour gradient (TGradientBackground) and the container's frame line (TContainerAppearance).

#include "components/toolbar/styler/ToolBarTypes.h"
#include "platform/rtl/Colors.h"
#include "platform/rtl/Events.h"
#include "platform/rtl/Object.h"

namespace AdvToolBar {

// A two-colour gradient. Its setters do not compare: every write fires OnChange.
class TGradientBackground : public vcl::TPersistent {
    KV_CLASS(TGradientBackground, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TGradientBackground)
public:
    TGradientBackground() = default;

    // Copies Color, ColorTo, Direction and Steps without firing OnChange; another source is ignored.
    void Assign(vcl::TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TGradientDirection Direction() const { return FDirection; }
    void SetDirection(TGradientDirection Value);
    int Steps() const { return FSteps; }
    void SetSteps(int Value);

    vcl::TNotifyEvent OnChange;

private:
    void Changed();
    TColor FColor = vcl::clWhite;
    TColor FColorTo = vcl::clBtnFace;
    TGradientDirection FDirection = gdHorizontal;
    int FSteps = 64;
};

// The frame line of toolbar containers. Setters compare and fire OnChange on a change.
class TContainerAppearance : public vcl::TPersistent {
    KV_CLASS(TContainerAppearance, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TContainerAppearance)
public:
    TContainerAppearance() = default;

    // From another container appearance through the setters; any other source raises the
    // framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;

    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value);
    bool Line3D() const { return FLine3D; }
    void SetLine3D(bool Value);

    vcl::TNotifyEvent OnChange;

private:
    void Changed();
    TColor FLineColor = vcl::clBtnShadow;
    bool FLine3D = true;
};

} // namespace AdvToolBar
