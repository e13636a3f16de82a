#include "components/toolbar/styler/ToolBarAppearance.h"

#include "components/foundation/AdvStyleIF.h"
#include "platform/rtl/Exceptions.h"

namespace AdvToolBar {

String SystemFontName() {
    return AdvStyleIF::IsVista() ? "Segoe UI" : "Tahoma";
}

std::unique_ptr<vcl::TFont> MakeAppearanceFont() {
    auto font = std::make_unique<vcl::TFont>();
    font->SetName(SystemFontName());
    font->SetSize(8);
    font->SetStyle({});
    return font;
}

// ---- TDbgList (declared with the unit's shared types)

void* TDbgList::GetItemsEx(int Index) const {
    if (Index < 0 || Index >= Count()) throw vcl::Exception("Index out of bounds in list read access");
    return Get(Index);
}

void TDbgList::SetItemsEx(int Index, void* Item) {
    if (Index < 0 || Index >= Count()) throw vcl::Exception("Index out of bounds in list write access");
    Put(Index, Item);
}

void TDbgList::AssignList(const vcl::TList* List) {
    Clear();
    for (int i = 0; i < List->Count(); ++i)
        Add(List->Get(i));
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
    FSteps = LimitGradientSteps(Value);
    Changed();
}

// ---- TButtonAppearance

KV_PUBLISHED(TButtonAppearance) {
    using A = TButtonAppearance;
    p.Color("Color", &A::FColor, &A::SetColor, vcl::clNone);
    p.Color("ColorTo", &A::FColorTo, &A::SetColorTo, vcl::clNone);
    p.Color("ColorChecked", &A::FColorChecked, &A::SetColorChecked, 0xD8D5D4);
    p.Color("ColorCheckedTo", &A::FColorCheckedTo, &A::SetColorCheckedTo, vcl::clNone);
    p.Color("ColorDown", &A::FColorDown, &A::SetColorDown, 0xB59285);
    p.Color("ColorDownTo", &A::FColorDownTo, &A::SetColorDownTo, vcl::clNone);
    p.Color("ColorHot", &A::FColorHot, &A::SetColorHot, 0xD2BDB6);
    p.Color("ColorHotTo", &A::FColorHotTo, &A::SetColorHotTo, vcl::clNone);
    p.Color("CaptionTextColor", &A::FCaptionTextColor, &A::SetCaptionTextColor, vcl::clBlack);
    p.Color("CaptionTextColorHot", &A::FCaptionTextColorHot, &A::SetCaptionTextColorHot, vcl::clBlack);
    p.Color("CaptionTextColorDown", &A::FCaptionTextColorDown, &A::SetCaptionTextColorDown, vcl::clBlack);
    p.Color("CaptionTextColorChecked", &A::FCaptionTextColorChecked, &A::SetCaptionTextColorChecked,
            vcl::clBlack);
    p.Enum("GradientDirection", &A::FGradientDirection, &A::SetGradientDirection, gdVertical);
    p.Enum("GradientDirectionHot", &A::FGradientDirectionHot, &A::SetGradientDirectionHot, gdVertical);
    p.Enum("GradientDirectionDown", &A::FGradientDirectionDown, &A::SetGradientDirectionDown, gdVertical);
    p.Enum("GradientDirectionChecked", &A::FGradientDirectionChecked, &A::SetGradientDirectionChecked,
           gdVertical);
    p.Color("BorderColor", &A::FBorderColor, &A::SetBorderColor, vcl::clNone);
    p.Color("BorderDownColor", &A::FBorderDownColor, &A::SetBorderDownColor, 0x6A240A);
    p.Color("BorderHotColor", &A::FBorderHotColor, &A::SetBorderHotColor, 0x6A240A);
    p.Color("BorderCheckedColor", &A::FBorderCheckedColor, &A::SetBorderCheckedColor, 0x6A240A);
    p.Object("CaptionFont", &A::FCaptionFont);
    p.Bool("SystemFont", &A::FSystemFont, &A::SetSystemFont, true);
}

TButtonAppearance::TButtonAppearance() : FCaptionFont(std::make_unique<vcl::TFont>()) {
    FCaptionFont->SetName(SystemFontName());
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::Change() {
    if (OnChange) OnChange(this);
}

void TButtonAppearance::SetCaptionFont(vcl::TFont* Value) {
    FCaptionFont->Assign(Value);
    Change();
}

void TButtonAppearance::SetSystemFont(bool Value) {
    if (FSystemFont == Value) return;
    FSystemFont = Value;
    if (Value) FCaptionFont->SetName(SystemFontName());
}

void TButtonAppearance::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TButtonAppearance*>(Source);
    if (s == nullptr) return;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FColorHot = s->FColorHot;
    FColorHotTo = s->FColorHotTo;
    FColorDown = s->FColorDown;
    FColorDownTo = s->FColorDownTo;
    FColorChecked = s->FColorChecked;
    FColorCheckedTo = s->FColorCheckedTo;
    FCaptionTextColor = s->FCaptionTextColor;
    FCaptionTextColorHot = s->FCaptionTextColorHot;
    FCaptionTextColorDown = s->FCaptionTextColorDown;
    FCaptionTextColorChecked = s->FCaptionTextColorChecked;
    FGradientDirection = s->FGradientDirection;
    FBorderColor = s->FBorderColor;
    FBorderHotColor = s->FBorderHotColor;
    FBorderDownColor = s->FBorderDownColor;
    FBorderCheckedColor = s->FBorderCheckedColor;
}

// ---- TCaptionAppearance

KV_PUBLISHED(TCaptionAppearance) {
    using A = TCaptionAppearance;
    p.Color("CaptionColor", &A::FCaptionColor, &A::SetCaptionColor, vcl::clGray);
    p.Color("CaptionColorTo", &A::FCaptionColorTo, &A::SetCaptionColorTo, vcl::clNone);
    p.Color("CaptionTextColor", &A::FCaptionTextColor, &A::SetCaptionTextColor, vcl::clWhite);
    p.Color("CaptionBorderColor", &A::FCaptionBorderColor, &A::SetCaptionBorderColor, vcl::clNone);
    p.Color("CaptionColorHot", &A::FCaptionColorHot, &A::SetCaptionColorHot, vcl::clNone);
    p.Color("CaptionColorHotTo", &A::FCaptionColorHotTo, &A::SetCaptionColorHotTo, vcl::clNone);
    p.Color("CaptionTextColorHot", &A::FCaptionTextColorHot, &A::SetCaptionTextColorHot, vcl::clWhite);
    p.Color("CaptionBorderColorHot", &A::FCaptionBorderColorHot, &A::SetCaptionBorderColorHot, vcl::clNone);
}

void TCaptionAppearance::Changed() {
    if (OnChange) OnChange(this);
}

void TCaptionAppearance::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TCaptionAppearance*>(Source);
    if (s == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FCaptionColor = s->FCaptionColor;
    FCaptionColorTo = s->FCaptionColorTo;
    FCaptionTextColor = s->FCaptionTextColor;
    FCaptionBorderColor = s->FCaptionBorderColor;
    FCaptionBorderColorHot = s->FCaptionBorderColorHot;
    FCaptionColorHot = s->FCaptionColorHot;
    SetCaptionColorHotTo(s->FCaptionColorHotTo);
    SetCaptionTextColorHot(s->FCaptionTextColorHot);
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

} // namespace AdvToolBar
