#include "components/toolbar/styler/PagerAppearance.h"

namespace AdvToolBar {

// ---- TCustomTabAppearance

KV_PUBLISHED(TCustomTabAppearance) {
    using A = TCustomTabAppearance;
    p.Color("BorderColor", &A::FBorderColor, &A::SetBorderColor, vcl::clBtnFace);
    p.Color("BorderColorHot", &A::FBorderColorHot, &A::SetBorderColorHot, vcl::clBlue);
    p.Color("BorderColorSelected", &A::FBorderColorSelected, &A::SetBorderColorSelected, vcl::clBtnFace);
    p.Color("BorderColorSelectedHot", &A::FBorderColorSelectedHot, &A::SetBorderColorSelectedHot,
            vcl::clNone);
    p.Color("BorderColorDisabled", &A::FBorderColorDisabled, &A::SetBorderColorDisabled, vcl::clNone);
    p.Color("BorderColorDown", &A::FBorderColorDown, &A::SetBorderColorDown, vcl::clNone);
    p.Color("Color", &A::FColor, &A::SetColor, vcl::clBtnFace);
    p.Color("ColorTo", &A::FColorTo, &A::SetColorTo, vcl::clWhite);
    p.Color("ColorSelected", &A::FColorSelected, &A::SetColorSelected, vcl::clWhite);
    p.Color("ColorSelectedTo", &A::FColorSelectedTo, &A::SetColorSelectedTo, vcl::clBtnFace);
    p.Color("ColorDisabled", &A::FColorDisabled, &A::SetColorDisabled, vcl::clNone);
    p.Color("ColorDisabledTo", &A::FColorDisabledTo, &A::SetColorDisabledTo, vcl::clNone);
    p.Color("ColorHot", &A::FColorHot, &A::SetColorHot, vcl::clYellow);
    p.Color("ColorHotTo", &A::FColorHotTo, &A::SetColorHotTo, vcl::clNone);
    p.Color("ColorMirror", &A::FColorMirror, &A::SetColorMirror, vcl::clWhite);
    p.Color("ColorMirrorTo", &A::FColorMirrorTo, &A::SetColorMirrorTo, vcl::clWhite);
    p.Color("ColorMirrorHot", &A::FColorMirrorHot, &A::SetColorMirrorHot, vcl::clNone);
    p.Color("ColorMirrorHotTo", &A::FColorMirrorHotTo, &A::SetColorMirrorHotTo, vcl::clNone);
    p.Color("ColorMirrorSelected", &A::FColorMirrorSelected, &A::SetColorMirrorSelected, vcl::clWhite);
    p.Color("ColorMirrorSelectedTo", &A::FColorMirrorSelectedTo, &A::SetColorMirrorSelectedTo, vcl::clWhite);
    p.Color("ColorMirrorDisabled", &A::FColorMirrorDisabled, &A::SetColorMirrorDisabled, vcl::clNone);
    p.Color("ColorMirrorDisabledTo", &A::FColorMirrorDisabledTo, &A::SetColorMirrorDisabledTo, vcl::clNone);
    p.Enum("Gradient", &A::FGradient, &A::SetGradient, ggVertical);
    p.Enum("GradientMirror", &A::FGradientMirror, &A::SetGradientMirror, ggVertical);
    p.Enum("GradientHot", &A::FGradientHot, &A::SetGradientHot, ggVertical);
    p.Enum("GradientMirrorHot", &A::FGradientMirrorHot, &A::SetGradientMirrorHot, ggVertical);
    p.Enum("GradientSelected", &A::FGradientSelected, &A::SetGradientSelected, ggVertical);
    p.Enum("GradientMirrorSelected", &A::FGradientMirrorSelected, &A::SetGradientMirrorSelected, ggVertical);
    p.Enum("GradientDisabled", &A::FGradientDisabled, &A::SetGradientDisabled, ggVertical);
    p.Enum("GradientMirrorDisabled", &A::FGradientMirrorDisabled, &A::SetGradientMirrorDisabled, ggVertical);
    p.Color("TextColor", &A::FTextColor, &A::SetTextColor, vcl::clBlue);
    p.Color("TextColorHot", &A::FTextColorHot, &A::SetTextColorHot, vcl::clBlue);
    p.Color("TextColorSelected", &A::FTextColorSelected, &A::SetTextColorSelected, vcl::clBlue);
    p.Color("TextColorDisabled", &A::FTextColorDisabled, &A::SetTextColorDisabled, vcl::clWhite);
    p.Object("Font", &A::FFont);
    p.Bool("SystemFont", &A::FSystemFont, &A::SetSystemFont, true);
}

KV_PUBLISHED(TTabAppearance) {
    p.Object("BackGround", &TTabAppearance::BackGround);
}

TCustomTabAppearance::TCustomTabAppearance()
    : FFont(MakeAppearanceFont()), FBackGround(std::make_unique<TGradientBackground>()) {
    FBackGround->OnChange = [this](vcl::TObject*) { Changed(); };
}

TCustomTabAppearance::~TCustomTabAppearance() = default;

void TCustomTabAppearance::Changed() {
    if (OnChange) OnChange(this);
}

void TCustomTabAppearance::SetSystemFont(bool Value) {
    if (FSystemFont == Value) return;
    FSystemFont = Value;
    if (Value) FFont->SetName(SystemFontName());
}

void TCustomTabAppearance::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TCustomTabAppearance*>(Source);
    if (s == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FBorderColor = s->FBorderColor;
    FBorderColorHot = s->FBorderColorHot;
    FBorderColorSelected = s->FBorderColorSelected;
    FBorderColorSelectedHot = s->FBorderColorSelectedHot;
    FBorderColorDisabled = s->FBorderColorDisabled;
    FBorderColorDown = s->FBorderColorDown;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FColorSelected = s->FColorSelected;
    FColorSelectedTo = s->FColorSelectedTo;
    FColorDisabled = s->FColorDisabled;
    FColorDisabledTo = s->FColorDisabledTo;
    FColorHot = s->FColorHot;
    FColorHotTo = s->FColorHotTo;
    FColorMirror = s->FColorMirror;
    FColorMirrorTo = s->FColorMirrorTo;
    FColorMirrorHot = s->FColorMirrorHot;
    FColorMirrorHotTo = s->FColorMirrorHotTo;
    FColorMirrorSelected = s->FColorMirrorSelected;
    FColorMirrorSelectedTo = s->FColorMirrorSelectedTo;
    FColorMirrorDisabled = s->FColorMirrorDisabled;
    FColorMirrorDisabledTo = s->FColorMirrorDisabledTo;
    FGradient = s->FGradient;
    FGradientMirror = s->FGradientMirror;
    FGradientHot = s->FGradientHot;
    FGradientMirrorHot = s->FGradientMirrorHot;
    FGradientSelected = s->FGradientSelected;
    FGradientMirrorSelected = s->FGradientMirrorSelected;
    FGradientDisabled = s->FGradientDisabled;
    FGradientMirrorDisabled = s->FGradientMirrorDisabled;
    FTextColorDisabled = s->FTextColorDisabled;
    FTextColorSelected = s->FTextColorSelected;
    FFont->Assign(s->FFont.get());
    SetTextColor(s->FTextColor);
    SetTextColorHot(s->FTextColorHot);
    FBackGround->Assign(s->FBackGround.get());
}

// ---- TVistaBackground

KV_PUBLISHED(TVistaBackground) {
    using A = TVistaBackground;
    p.Color("BorderColor", &A::FBorderColor, &A::SetBorderColor, vcl::clGray);
    p.Color("Color", &A::FColor, &A::SetColor, vcl::clWhite);
    p.Color("ColorTo", &A::FColorTo, &A::SetColorTo, vcl::clWhite);
    p.Color("ColorMirror", &A::FColorMirror, &A::SetColorMirror, vcl::clSilver);
    p.Color("ColorMirrorTo", &A::FColorMirrorTo, &A::SetColorMirrorTo, vcl::clWhite);
    p.Enum("Gradient", &A::FGradient, &A::SetGradient, ggVertical);
    p.Enum("GradientMirror", &A::FGradientMirror, &A::SetGradientMirror, ggVertical);
    p.Int("Steps", &A::FSteps, &A::SetSteps, 64);
}

void TVistaBackground::Changed() {
    if (OnChange) OnChange(this);
}

void TVistaBackground::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TVistaBackground*>(Source);
    if (s == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FSteps = s->FSteps;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FColorMirror = s->FColorMirror;
    FColorMirrorTo = s->FColorMirrorTo;
    FBorderColor = s->FBorderColor;
    SetGradient(s->FGradient);
    SetGradientMirror(s->FGradientMirror);
}

// ---- TVistaTextBackground

KV_PUBLISHED(TVistaTextBackground) {
    using A = TVistaTextBackground;
    p.Color("TextColor", &A::FTextColor, &A::SetTextColor, vcl::clBlue);
    p.Object("Font", &A::FFont);
    p.Bool("SystemFont", &A::FSystemFont, &A::SetSystemFont, true);
}

TVistaTextBackground::TVistaTextBackground() : FFont(MakeAppearanceFont()) {}

TVistaTextBackground::~TVistaTextBackground() = default;

void TVistaTextBackground::SetSystemFont(bool Value) {
    if (FSystemFont == Value) return;
    FSystemFont = Value;
    if (Value) FFont->SetName(SystemFontName());
}

void TVistaTextBackground::Assign(vcl::TPersistent* Source) {
    TVistaBackground::Assign(Source);
    if (auto* s = dynamic_cast<TVistaTextBackground*>(Source)) {
        SetTextColor(s->FTextColor);
        FFont->Assign(s->FFont.get());
    }
}

// ---- TToolBarAppearance

KV_PUBLISHED(TToolBarAppearance) {
    using A = TToolBarAppearance;
    p.Color("BorderColor", &A::FBorderColor, &A::SetBorderColor, vcl::clNone);
    p.Color("BorderColorHot", &A::FBorderColorHot, &A::SetBorderColorHot, vcl::clNone);
    p.Object("Color", &A::FColor);
    p.Object("ColorHot", &A::FColorHot);
}

TToolBarAppearance::TToolBarAppearance()
    : FColor(std::make_unique<TGradientBackground>()), FColorHot(std::make_unique<TGradientBackground>()) {
    FColorHot->SetColor(vcl::clNone);
    FColorHot->SetColorTo(vcl::clNone);
}

TToolBarAppearance::~TToolBarAppearance() = default;

void TToolBarAppearance::Changed() {
    if (OnChange) OnChange(this);
}

void TToolBarAppearance::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TToolBarAppearance*>(Source);
    if (s == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FColor->Assign(s->FColor.get());
    FColorHot->Assign(s->FColorHot.get());
    FBorderColor = s->FBorderColor;
    FBorderColorHot = s->FBorderColorHot;
}

// ---- TGroupAppearance

KV_PUBLISHED(TGroupAppearance) {
    using A = TGroupAppearance;
    p.Color("BorderColor", &A::FBorderColor, &A::SetBorderColor, 0xA3B8AC);
    p.Color("Color", &A::FColor, &A::SetColor, vcl::clWhite);
    p.Color("ColorTo", &A::FColorTo, &A::SetColorTo, vcl::clWhite);
    p.Color("ColorMirror", &A::FColorMirror, &A::SetColorMirror, vcl::clSilver);
    p.Color("ColorMirrorTo", &A::FColorMirrorTo, &A::SetColorMirrorTo, vcl::clWhite);
    p.Enum("Gradient", &A::FGradient, &A::SetGradient, ggVertical);
    p.Enum("GradientMirror", &A::FGradientMirror, &A::SetGradientMirror, ggVertical);
    p.Color("TextColor", &A::FTextColor, &A::SetTextColor, vcl::clBlue);
    p.Object("Font", &A::FFont);
    p.Bool("SystemFont", &A::FSystemFont, &A::SetSystemFont, true);
    p.Object("CaptionAppearance", &A::FCaptionAppearance);
    p.Object("PageAppearance", &A::FPageAppearance);
    p.Object("ToolBarAppearance", &A::FToolBarAppearance);
    p.Object("TabAppearance", &A::FTabAppearance);
}

TGroupAppearance::TGroupAppearance()
    : FFont(MakeAppearanceFont()), FCaptionAppearance(std::make_unique<TCaptionAppearance>()),
      FPageAppearance(std::make_unique<TVistaBackground>()),
      FToolBarAppearance(std::make_unique<TToolBarAppearance>()),
      FTabAppearance(std::make_unique<TCustomTabAppearance>()) {
    auto fire = [this](vcl::TObject*) { Changed(); };
    FCaptionAppearance->OnChange = fire;
    FPageAppearance->OnChange = fire;
    FToolBarAppearance->OnChange = fire;
    FTabAppearance->OnChange = fire;
}

TGroupAppearance::~TGroupAppearance() = default;

void TGroupAppearance::Changed() {
    if (OnChange) OnChange(this);
}

void TGroupAppearance::SetSystemFont(bool Value) {
    if (FSystemFont == Value) return;
    FSystemFont = Value;
    if (Value) FFont->SetName(SystemFontName());
}

void TGroupAppearance::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TGroupAppearance*>(Source);
    if (s == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FCaptionAppearance->Assign(s->FCaptionAppearance.get());
    FPageAppearance->Assign(s->FPageAppearance.get());
    FTabAppearance->Assign(s->FTabAppearance.get());
    FSteps = s->FSteps;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FColorMirror = s->FColorMirror;
    FColorMirrorTo = s->FColorMirrorTo;
    FBorderColor = s->FBorderColor;
    FTextColor = s->FTextColor;
    FFont->Assign(s->FFont.get());
    SetGradient(s->FGradient);
    SetGradientMirror(s->FGradientMirror);
}

// ---- TQATAppearance

KV_PUBLISHED(TQATAppearance) {
    using A = TQATAppearance;
    p.Color("BorderColor", &A::FBorderColor, &A::SetBorderColor, vcl::clGray);
    p.Color("Color", &A::FColor, &A::SetColor, vcl::clWhite);
    p.Color("ColorTo", &A::FColorTo, &A::SetColorTo, vcl::clSilver);
    p.Color("FullSizeBorderColor", &A::FFullSizeBorderColor, &A::SetFullSizeBorderColor, vcl::clBlack);
    p.Color("FullSizeColor", &A::FFullSizeColor, &A::SetFullSizeColor, 0xC59F81);
    p.Color("FullSizeColorTo", &A::FFullSizeColorTo, &A::SetFullSizeColorTo, 0xE3B28D);
    p.Int("Steps", &A::FSteps, &A::SetSteps, 64);
}

void TQATAppearance::Changed() {
    if (OnChange) OnChange(this);
}

void TQATAppearance::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TQATAppearance*>(Source);
    if (s == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FBorderColor = s->FBorderColor;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FFullSizeBorderColor = s->FFullSizeBorderColor;
    FFullSizeColor = s->FFullSizeColor;
    SetFullSizeColorTo(s->FFullSizeColorTo);
}

} // namespace AdvToolBar
