#include "components/toolbar/styler/ToolBarAppearance.h"

#include "platform/rtl/Exceptions.h"

namespace AdvToolBar {

// ---- TDbgList (declared with the unit's shared types)

void* TDbgList::GetItemsEx(int Index) const {
    if (Index >= Count()) throw vcl::Exception("Index out of bounds in list read access");
    return Get(Index);
}

void TDbgList::SetItemsEx(int Index, void* Item) {
    if (Index >= Count()) throw vcl::Exception("Index out of bounds in list write access");
    Put(Index, Item);
}

// ---- TGradientBackground

KV_PUBLISHED(TGradientBackground) {
    p.Color("Color", &TGradientBackground::FColor, &TGradientBackground::SetColor, vcl::clWhite);
    p.Color("ColorTo", &TGradientBackground::FColorTo, &TGradientBackground::SetColorTo, vcl::clBtnFace);
    p.Enum("Direction", &TGradientBackground::FDirection, &TGradientBackground::SetDirection, gdHorizontal);
    p.Int("Steps", &TGradientBackground::FSteps, &TGradientBackground::SetSteps, 64);
}

void TGradientBackground::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TGradientBackground*>(Source);
    if (src == nullptr) return;
    FColor = src->FColor;
    FColorTo = src->FColorTo;
    FDirection = src->FDirection;
    FSteps = src->FSteps;
}

void TGradientBackground::Changed() {
    if (OnChange) OnChange(this);
}

void TGradientBackground::SetColor(TColor Value) {
    FColor = Value;
    Changed();
}

void TGradientBackground::SetColorTo(TColor Value) {
    FColorTo = Value;
    Changed();
}

void TGradientBackground::SetDirection(TGradientDirection Value) {
    FDirection = Value;
    Changed();
}

void TGradientBackground::SetSteps(int Value) {
    FSteps = Value;
    Changed();
}

// ---- TContainerAppearance

KV_PUBLISHED(TContainerAppearance) {
    p.Color("LineColor", &TContainerAppearance::FLineColor, &TContainerAppearance::SetLineColor,
            vcl::clBtnShadow);
    p.Bool("Line3D", &TContainerAppearance::FLine3D, &TContainerAppearance::SetLine3D, true);
}

void TContainerAppearance::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TContainerAppearance*>(Source);
    if (src == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    SetLineColor(src->FLineColor);
    SetLine3D(src->FLine3D);
}

void TContainerAppearance::Changed() {
    if (OnChange) OnChange(this);
}

void TContainerAppearance::SetLineColor(TColor Value) {
    if (FLineColor == Value) return;
    FLineColor = Value;
    Changed();
}

void TContainerAppearance::SetLine3D(bool Value) {
    if (FLine3D == Value) return;
    FLine3D = Value;
    Changed();
}

} // namespace AdvToolBar
