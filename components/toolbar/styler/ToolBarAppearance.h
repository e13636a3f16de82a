#pragma once
// The simple appearance objects of the toolbar unit: a two-colour gradient (TGradientBackground), the
// toolbar buttons' colours (TButtonAppearance), a caption bar's colours (TCaptionAppearance) and the
// container's frame line (TContainerAppearance). Each fires OnChange (when assigned) from its setters.

#include <memory>

#include "components/toolbar/styler/ToolBarTypes.h"
#include "platform/rtl/Colors.h"
#include "platform/rtl/Events.h"
#include "platform/rtl/Object.h"
#include "platform/vcl/GraphicsObjects.h"

namespace AdvToolBar {

KV_ENUM(TGlyphPosition, gpLeft, gpTop, gpRight, gpBottom);

// "Segoe UI" on Vista and later, else "Tahoma": the name a font with the system-font flag takes.
String SystemFontName();
// A new appearance font: the system font name, size 8, no style.
std::unique_ptr<vcl::TFont> MakeAppearanceFont();

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
    // Kept to 0 .. kMaxGradientSteps.
    void SetSteps(int Value);

    vcl::TNotifyEvent OnChange;

private:
    void Changed();
    TColor FColor = vcl::clWhite;
    TColor FColorTo = vcl::clBtnFace;
    TGradientDirection FDirection = gdHorizontal;
    int FSteps = 64;
};

// The colours of toolbar buttons per state.
class TButtonAppearance : public vcl::TPersistent {
    KV_CLASS(TButtonAppearance, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TButtonAppearance)
public:
    TButtonAppearance();
    ~TButtonAppearance() override;

    // Copies the colours, GradientDirection and the four border colours into the fields, without
    // change event; the caption font, SystemFont, GlyphPosition and the three state directions stay.
    // Another source is ignored.
    void Assign(vcl::TPersistent* Source) override;

    vcl::TFont* CaptionFont() const { return FCaptionFont.get(); }
    // Copies the font and always fires the change event.
    void SetCaptionFont(vcl::TFont* Value);
    bool SystemFont() const { return FSystemFont; }
    // Switched on, the caption font takes the system font name (no change event).
    void SetSystemFont(bool Value);
    void Change();
    void Changed() { Change(); }

    vcl::TNotifyEvent OnChange;

    KV_TB_PROP(TColor, Color) = vcl::clNone;
    KV_TB_PROP(TColor, ColorTo) = vcl::clNone;
    KV_TB_PROP(TColor, ColorChecked) = 0xD8D5D4;
    KV_TB_PROP(TColor, ColorCheckedTo) = vcl::clNone;
    KV_TB_PROP(TColor, ColorDown) = 0xB59285;
    KV_TB_PROP(TColor, ColorDownTo) = vcl::clNone;
    KV_TB_PROP(TColor, ColorHot) = 0xD2BDB6;
    KV_TB_PROP(TColor, ColorHotTo) = vcl::clNone;
    KV_TB_PROP(TColor, CaptionTextColor) = vcl::clBlack;
    KV_TB_PROP(TColor, CaptionTextColorHot) = vcl::clBlack;
    KV_TB_PROP(TColor, CaptionTextColorDown) = vcl::clBlack;
    KV_TB_PROP(TColor, CaptionTextColorChecked) = vcl::clBlack;
    KV_TB_PROP(TGradientDirection, GradientDirection) = gdVertical;
    KV_TB_FIELD(TGradientDirection, GradientDirectionHot) = gdVertical;
    KV_TB_FIELD(TGradientDirection, GradientDirectionDown) = gdVertical;
    KV_TB_FIELD(TGradientDirection, GradientDirectionChecked) = gdVertical;
    KV_TB_PROP(TColor, BorderColor) = vcl::clNone;
    KV_TB_FIELD(TColor, BorderDownColor) = 0x6A240A;
    KV_TB_FIELD(TColor, BorderHotColor) = 0x6A240A;
    KV_TB_PROP(TColor, BorderCheckedColor) = 0x6A240A;
    KV_TB_PROP(TGlyphPosition, GlyphPosition) = gpLeft;

private:
    std::unique_ptr<vcl::TFont> FCaptionFont;
    bool FSystemFont = true;
};

// The colours of a caption bar in its normal and hot state.
class TCaptionAppearance : public vcl::TPersistent {
    KV_CLASS(TCaptionAppearance, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TCaptionAppearance)
public:
    TCaptionAppearance() = default;

    // Copies six colours into the fields, then CaptionColorHotTo and CaptionTextColorHot through
    // their setters; another source raises the framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;
    void Changed();

    vcl::TNotifyEvent OnChange;

    KV_TB_PROP(TColor, CaptionColor) = vcl::clGray;
    KV_TB_PROP(TColor, CaptionColorTo) = vcl::clNone;
    KV_TB_PROP(TColor, CaptionTextColor) = vcl::clWhite;
    KV_TB_PROP(TColor, CaptionBorderColor) = vcl::clNone;
    KV_TB_PROP(TColor, CaptionColorHot) = vcl::clNone;
    KV_TB_PROP(TColor, CaptionColorHotTo) = vcl::clNone;
    KV_TB_PROP(TColor, CaptionTextColorHot) = vcl::clWhite;
    KV_TB_PROP(TColor, CaptionBorderColorHot) = vcl::clNone;
};

// The frame line of toolbar containers.
class TContainerAppearance : public vcl::TPersistent {
    KV_CLASS(TContainerAppearance, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TContainerAppearance)
public:
    TContainerAppearance() = default;

    // From another container appearance through the setters; any other source raises the
    // framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;
    void Changed();

    vcl::TNotifyEvent OnChange;

    KV_TB_PROP(TColor, LineColor) = vcl::clBtnShadow;
    KV_TB_PROP(bool, Line3D) = true;
};

} // namespace AdvToolBar
