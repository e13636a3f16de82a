#pragma once
// The pager's appearance objects: tabs (TCustomTabAppearance, TTabAppearance), two-part page
// backgrounds (TVistaBackground, TVistaTextBackground), tab groups (TGroupAppearance), toolbars
// inside a group (TToolBarAppearance) and the quick access toolbar (TQATAppearance).

#include "components/foundation/AdvGlowButtonAppearance.h"
#include "components/toolbar/styler/ToolBarAppearance.h"

namespace AdvToolBar {

using AdvGlowButton::ggDiagonalBackward;
using AdvGlowButton::ggDiagonalForward;
using AdvGlowButton::ggRadial;
using AdvGlowButton::ggVertical;
using AdvGlowButton::TGDIPGradient;

// Tab colours per state, each with a mirror (lower-half) pair and gradient kinds.
class TCustomTabAppearance : public vcl::TPersistent {
    KV_CLASS(TCustomTabAppearance, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TCustomTabAppearance)
public:
    TCustomTabAppearance();
    ~TCustomTabAppearance() override;

    // Copies the border, colour, mirror and gradient values and TextColorDisabled/Selected into the
    // fields, the font, then TextColor and TextColorHot through their setters, last the background.
    // SystemFont stays. Another source raises the framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;
    void Changed();

    vcl::TFont* Font() const { return FFont.get(); }
    void SetFont(vcl::TFont* Value) { FFont->Assign(Value); }
    bool SystemFont() const { return FSystemFont; }
    void SetSystemFont(bool Value);
    TGradientBackground* BackGround() const { return FBackGround.get(); }
    void SetBackGround(TGradientBackground* Value) { FBackGround->Assign(Value); }

    vcl::TNotifyEvent OnChange;

    KV_TB_PROP(TColor, BorderColor) = vcl::clBtnFace;
    KV_TB_FIELD(TColor, BorderColorHot) = vcl::clBlue;
    KV_TB_PROP(TColor, BorderColorSelected) = vcl::clBtnFace;
    KV_TB_PROP(TColor, BorderColorSelectedHot) = vcl::clNone;
    KV_TB_PROP(TColor, BorderColorDisabled) = vcl::clNone;
    KV_TB_PROP(TColor, BorderColorDown) = vcl::clNone;
    KV_TB_PROP(TColor, Color) = vcl::clBtnFace;
    KV_TB_PROP(TColor, ColorTo) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorSelected) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorSelectedTo) = vcl::clBtnFace;
    KV_TB_PROP(TColor, ColorDisabled) = vcl::clNone;
    KV_TB_PROP(TColor, ColorDisabledTo) = vcl::clNone;
    KV_TB_PROP(TColor, ColorHot) = vcl::clYellow;
    KV_TB_PROP(TColor, ColorHotTo) = vcl::clNone;
    KV_TB_PROP(TColor, ColorMirror) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorMirrorTo) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorMirrorHot) = vcl::clNone;
    KV_TB_PROP(TColor, ColorMirrorHotTo) = vcl::clNone;
    KV_TB_PROP(TColor, ColorMirrorSelected) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorMirrorSelectedTo) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorMirrorDisabled) = vcl::clNone;
    KV_TB_PROP(TColor, ColorMirrorDisabledTo) = vcl::clNone;
    KV_TB_PROP(TGDIPGradient, Gradient) = ggVertical;
    KV_TB_PROP(TGDIPGradient, GradientMirror) = ggVertical;
    KV_TB_PROP(TGDIPGradient, GradientHot) = ggVertical;
    KV_TB_PROP(TGDIPGradient, GradientMirrorHot) = ggVertical;
    KV_TB_PROP(TGDIPGradient, GradientSelected) = ggVertical;
    KV_TB_PROP(TGDIPGradient, GradientMirrorSelected) = ggVertical;
    KV_TB_PROP(TGDIPGradient, GradientDisabled) = ggVertical;
    KV_TB_PROP(TGDIPGradient, GradientMirrorDisabled) = ggVertical;
    KV_TB_PROP(TColor, TextColor) = vcl::clBlue;
    KV_TB_PROP(TColor, TextColorHot) = vcl::clBlue;
    KV_TB_PROP(TColor, TextColorSelected) = vcl::clBlue;
    KV_TB_PROP(TColor, TextColorDisabled) = vcl::clWhite;

private:
    std::unique_ptr<vcl::TFont> FFont;
    bool FSystemFont = true;
    std::unique_ptr<TGradientBackground> FBackGround;
};

// The styler's tab appearance; the same values with the background published.
class TTabAppearance : public TCustomTabAppearance {
    KV_CLASS(TTabAppearance, TCustomTabAppearance)
    KV_PUBLISHED_PROPERTIES(TTabAppearance)
public:
    TTabAppearance() = default;
};

// A two-part background: an upper colour pair and a lower "mirror" pair, a border and steps.
class TVistaBackground : public vcl::TPersistent {
    KV_CLASS(TVistaBackground, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TVistaBackground)
public:
    TVistaBackground() = default;

    // Copies Steps and the five colours into the fields, then both gradients through their setters;
    // another source raises the framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;
    void Changed();

    vcl::TNotifyEvent OnChange;

    KV_TB_PROP(TColor, BorderColor) = vcl::clGray;
    KV_TB_PROP(TColor, Color) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorTo) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorMirror) = vcl::clSilver;
    KV_TB_PROP(TColor, ColorMirrorTo) = vcl::clWhite;
    KV_TB_PROP(TGDIPGradient, Gradient) = ggVertical;
    KV_TB_PROP(TGDIPGradient, GradientMirror) = ggVertical;
    KV_TB_STEPS() = 64;
};

// A two-part background with a text colour and a font (the pager caption).
class TVistaTextBackground : public TVistaBackground {
    KV_CLASS(TVistaTextBackground, TVistaBackground)
    KV_PUBLISHED_PROPERTIES(TVistaTextBackground)
public:
    TVistaTextBackground();
    ~TVistaTextBackground() override;

    // The background values from any Vista background; TextColor and the font only from a text one.
    void Assign(vcl::TPersistent* Source) override;

    vcl::TFont* Font() const { return FFont.get(); }
    void SetFont(vcl::TFont* Value) { FFont->Assign(Value); }
    bool SystemFont() const { return FSystemFont; }
    void SetSystemFont(bool Value);

    KV_TB_PROP(TColor, TextColor) = vcl::clBlue;

private:
    std::unique_ptr<vcl::TFont> FFont;
    bool FSystemFont = true;
};

// Border colours and the two gradients of toolbars inside a tab group. The gradients' own change
// events are not connected.
class TToolBarAppearance : public vcl::TPersistent {
    KV_CLASS(TToolBarAppearance, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TToolBarAppearance)
public:
    TToolBarAppearance();
    ~TToolBarAppearance() override;

    // Both gradients, and the two border colours into the fields; another source raises the
    // framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;
    void Changed();

    TGradientBackground* Color() const { return FColor.get(); }
    void SetColor(TGradientBackground* Value) { FColor->Assign(Value); }
    TGradientBackground* ColorHot() const { return FColorHot.get(); }
    void SetColorHot(TGradientBackground* Value) { FColorHot->Assign(Value); }

    vcl::TNotifyEvent OnChange;

    KV_TB_PROP(TColor, BorderColor) = vcl::clNone;
    KV_TB_PROP(TColor, BorderColorHot) = vcl::clNone;

private:
    std::unique_ptr<TGradientBackground> FColor;
    std::unique_ptr<TGradientBackground> FColorHot;
};

// The look of a tab group, with four nested appearances whose change events fire the group's.
class TGroupAppearance : public vcl::TPersistent {
    KV_CLASS(TGroupAppearance, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TGroupAppearance)
public:
    TGroupAppearance();
    ~TGroupAppearance() override;

    // The caption, page and tab appearances, then the colours, the font, the gradients; the toolbar
    // appearance and SystemFont stay. Another source raises the framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;
    void Changed();

    vcl::TFont* Font() const { return FFont.get(); }
    void SetFont(vcl::TFont* Value) { FFont->Assign(Value); }
    bool SystemFont() const { return FSystemFont; }
    void SetSystemFont(bool Value);
    TCaptionAppearance* CaptionAppearance() const { return FCaptionAppearance.get(); }
    void SetCaptionAppearance(TCaptionAppearance* Value) { FCaptionAppearance->Assign(Value); }
    TVistaBackground* PageAppearance() const { return FPageAppearance.get(); }
    void SetPageAppearance(TVistaBackground* Value) { FPageAppearance->Assign(Value); }
    TToolBarAppearance* ToolBarAppearance() const { return FToolBarAppearance.get(); }
    void SetToolBarAppearance(TToolBarAppearance* Value) { FToolBarAppearance->Assign(Value); }
    TCustomTabAppearance* TabAppearance() const { return FTabAppearance.get(); }
    void SetTabAppearance(TCustomTabAppearance* Value) { FTabAppearance->Assign(Value); }

    vcl::TNotifyEvent OnChange;

    KV_TB_PROP(TColor, BorderColor) = 0xA3B8AC;
    KV_TB_PROP(TColor, Color) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorTo) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorMirror) = vcl::clSilver;
    KV_TB_PROP(TColor, ColorMirrorTo) = vcl::clWhite;
    KV_TB_PROP(TGDIPGradient, Gradient) = ggVertical;
    KV_TB_PROP(TGDIPGradient, GradientMirror) = ggVertical;
    KV_TB_PROP(TColor, TextColor) = vcl::clBlue;
    KV_TB_STEPS() = 64;

private:
    std::unique_ptr<vcl::TFont> FFont;
    bool FSystemFont = true;
    std::unique_ptr<TCaptionAppearance> FCaptionAppearance;
    std::unique_ptr<TVistaBackground> FPageAppearance;
    std::unique_ptr<TToolBarAppearance> FToolBarAppearance;
    std::unique_ptr<TCustomTabAppearance> FTabAppearance;
};

// The quick access toolbar's colours in its normal and full-size form.
class TQATAppearance : public vcl::TPersistent {
    KV_CLASS(TQATAppearance, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TQATAppearance)
public:
    TQATAppearance() = default;
    ~TQATAppearance() override = default;

    // Five colours into the fields, then FullSizeColorTo through its setter; Steps stays. Another
    // source raises the framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;
    void Changed();

    vcl::TNotifyEvent OnChange;

    KV_TB_PROP(TColor, BorderColor) = vcl::clGray;
    KV_TB_PROP(TColor, Color) = vcl::clWhite;
    KV_TB_PROP(TColor, ColorTo) = vcl::clSilver;
    KV_TB_PROP(TColor, FullSizeBorderColor) = vcl::clBlack;
    KV_TB_PROP(TColor, FullSizeColor) = 0xC59F81;
    KV_TB_PROP(TColor, FullSizeColorTo) = 0xE3B28D;
    KV_TB_STEPS() = 64;
};

} // namespace AdvToolBar
