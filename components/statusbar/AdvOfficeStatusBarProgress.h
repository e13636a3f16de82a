#pragma once
// The status bar's value classes: the progress settings of a panel (TProgressStyle) and the look of a
// panel in its three states (TVistaBackground), with the colour helpers the painting uses.

#include <cstdint>

#include "components/foundation/AdvGlowButtonAppearance.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Colors.h"
#include "platform/vcl/GraphicsObjects.h"

namespace AdvOfficeStatusBar {

using vcl::String;
using vcl::TColor;

class TAdvOfficeStatusPanel;

KV_ENUM(TProgressIndication, piPercentage, piAbsolute, piNone);
KV_ENUM(TGaugeOrientation, goHorizontal, goVertical);

// The bar mixes its colours the way the glow button does.
using AdvGlowButton::BlendColor;
// An opaque GDI+ colour (0xAARRGGBB) from a framework colour, system colours resolved.
std::uint32_t ColorToARGB(TColor Color);
// The value a gauge shows: round((Position - Min) * 100 / (Max - Min)), halves to even; 0 when Max equals
// Min. A position beyond the range gives a value beyond 0..100.
int GaugeValue(int Min, int Max, int Position);

// The gauge settings of a psProgress panel. Every setter stores the value as given (no clamping) and
// repaints the owner panel.
class TProgressStyle : public vcl::TPersistent {
    KV_CLASS(TProgressStyle, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TProgressStyle)
public:
    explicit TProgressStyle(TAdvOfficeStatusPanel* Panel);
    ~TProgressStyle() override;

    // Copies every published property of another progress style without repainting; any other source
    // raises EInvalidCast.
    void Assign(vcl::TPersistent* Source) override;

    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    TProgressIndication Indication() const { return FIndication; }
    TColor BackGround() const { return FBackGround; }
    TColor Level0Color() const { return FLevel0Color; }
    TColor Level0ColorTo() const { return FLevel0ColorTo; }
    TColor Level1Color() const { return FLevel1Color; }
    TColor Level1ColorTo() const { return FLevel1ColorTo; }
    TColor Level2Color() const { return FLevel2Color; }
    TColor Level2ColorTo() const { return FLevel2ColorTo; }
    TColor Level3Color() const { return FLevel3Color; }
    TColor Level3ColorTo() const { return FLevel3ColorTo; }
    int Level1Perc() const { return FLevel1Perc; }
    int Level2Perc() const { return FLevel2Perc; }
    TColor BorderColor() const { return FBorderColor; }
    bool ShowBorder() const { return FShowBorder; }
    bool Stacked() const { return FStacked; }
    bool ShowPercentage() const { return FShowPercentage; }
    bool CompletionSmooth() const { return FCompletionSmooth; }
    bool ShowGradient() const { return FShowGradient; }
    const String& Suffix() const { return FSuffix; }
    const String& Prefix() const { return FPrefix; }
    TAdvOfficeStatusPanel* Owner() const { return FOwner; }

    void SetMin(int Value);
    void SetMax(int Value);
    void SetPosition(int Value);
    void SetIndication(TProgressIndication Value);
    void SetBackGround(TColor Value);
    void SetLevel0Color(TColor Value);
    void SetLevel0ColorTo(TColor Value);
    void SetLevel1Color(TColor Value);
    void SetLevel1ColorTo(TColor Value);
    void SetLevel2Color(TColor Value);
    void SetLevel2ColorTo(TColor Value);
    void SetLevel3Color(TColor Value);
    void SetLevel3ColorTo(TColor Value);
    void SetLevel1Perc(int Value);
    void SetLevel2Perc(int Value);
    void SetBorderColor(TColor Value);
    void SetShowBorder(bool Value);
    void SetStacked(bool Value);
    void SetShowPercentage(bool Value);
    void SetCompletionSmooth(bool Value);
    void SetShowGradient(bool Value);
    void SetSuffix(const String& Value);
    void SetPrefix(const String& Value);

    // The gauge's value for the current Min, Max and Position (see GaugeValue).
    int Value() const { return GaugeValue(FMin, FMax, FPosition); }
    // The text the gauge shows: the value and "%" for piPercentage, else Prefix + Position + Suffix;
    // the panel's Text when ShowPercentage is false.
    String GaugeText() const;
    // The colour of the gauge's fill for a value (Level0 below Level1Perc, Level1 below Level2Perc,
    // Level2 below 100, Level3 from 100).
    TColor LevelColor(int Value) const;

protected:
    vcl::TPersistent* GetOwner() override;
    // Repaints the owner panel's place on the bar (only when the bar has a window).
    void Changed();

private:
    template <typename V> void Store(V& Field, const V& Value) {
        Field = Value;
        Changed();
    }

    int FMin = 0;
    int FPosition = 0;
    int FMax = 100;
    TProgressIndication FIndication = piPercentage;
    TColor FBackGround = vcl::clNone;
    TAdvOfficeStatusPanel* FOwner;
    TColor FLevel0Color = vcl::clLime;
    TColor FLevel0ColorTo = 0xE1FFE1;
    TColor FLevel1Color = vcl::clYellow;
    TColor FLevel1ColorTo = 0xCAFFFF;
    TColor FLevel2Color = 0x53A9FF;
    TColor FLevel2ColorTo = 0xA8D3FF;
    TColor FLevel3Color = vcl::clRed;
    TColor FLevel3ColorTo = 0xCACAFF;
    int FLevel1Perc = 70;
    int FLevel2Perc = 90;
    TColor FBorderColor = vcl::clBlack;
    bool FShowBorder = false;
    bool FStacked = false;
    bool FShowPercentage = true;
    bool FCompletionSmooth = false;
    bool FShowGradient = true;
    String FSuffix;
    String FPrefix;
};

// One panel look in three states: an upper gradient Color..ColorTo, a lower (mirror) gradient, a frame,
// and the text colour and style. The hot-state setters store only; the others notify OnChange.
class TVistaBackground : public vcl::TPersistent {
    KV_CLASS(TVistaBackground, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TVistaBackground)
public:
    TVistaBackground();
    ~TVistaBackground() override;

    // From another TVistaBackground: Steps and the eighteen colours directly, TextStyle through its
    // setter (one OnChange).
    void Assign(vcl::TPersistent* Source) override;

    int Steps() const { return FSteps; }
    TColor Color() const { return FColor; }
    TColor ColorTo() const { return FColorTo; }
    TColor ColorMirror() const { return FColorMirror; }
    TColor ColorMirrorTo() const { return FColorMirrorTo; }
    TColor BorderColor() const { return FBorderColor; }
    TColor TextColor() const { return FTextColor; }
    vcl::TFontStyles TextStyle() const { return FTextStyle; }
    TColor ColorHot() const { return FColorHot; }
    TColor ColorHotTo() const { return FColorHotTo; }
    TColor ColorMirrorHot() const { return FColorMirrorHot; }
    TColor ColorMirrorHotTo() const { return FColorMirrorHotTo; }
    TColor BorderColorHot() const { return FBorderColorHot; }
    TColor TextColorHot() const { return FTextColorHot; }
    TColor ColorDown() const { return FColorDown; }
    TColor ColorDownTo() const { return FColorDownTo; }
    TColor ColorMirrorDown() const { return FColorMirrorDown; }
    TColor ColorMirrorDownTo() const { return FColorMirrorDownTo; }
    TColor BorderColorDown() const { return FBorderColorDown; }
    TColor TextColorDown() const { return FTextColorDown; }

    void SetSteps(int Value);
    void SetColor(TColor Value);
    void SetColorTo(TColor Value);
    void SetColorMirror(TColor Value);
    void SetColorMirrorTo(TColor Value);
    void SetBorderColor(TColor Value);
    void SetTextColor(TColor Value);
    void SetTextStyle(vcl::TFontStyles Value);
    void SetColorHot(TColor Value) { FColorHot = Value; }
    void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
    void SetColorMirrorHot(TColor Value) { FColorMirrorHot = Value; }
    void SetColorMirrorHotTo(TColor Value) { FColorMirrorHotTo = Value; }
    void SetBorderColorHot(TColor Value) { FBorderColorHot = Value; }
    void SetTextColorHot(TColor Value) { FTextColorHot = Value; }
    void SetColorDown(TColor Value);
    void SetColorDownTo(TColor Value);
    void SetColorMirrorDown(TColor Value);
    void SetColorMirrorDownTo(TColor Value);
    void SetBorderColorDown(TColor Value);
    void SetTextColorDown(TColor Value);

    vcl::TNotifyEvent OnChange;

protected:
    void Changed();

private:
    template <typename V> void Update(V& Field, const V& Value) {
        if (Field == Value) return;
        Field = Value;
        Changed();
    }

    int FSteps = 64;
    TColor FColor = 0xFFFFFF;
    TColor FColorTo = 0xFFFFFF;
    TColor FColorMirror = 0xC0C0C0;
    TColor FColorMirrorTo = 0xFFFFFF;
    TColor FBorderColor = vcl::clNone;
    TColor FTextColor = 0;
    vcl::TFontStyles FTextStyle;
    TColor FColorMirrorDownTo = 0xFFFFFF;
    TColor FColorHot = 0xFFFFFF;
    TColor FColorMirrorDown = 0xC0C0C0;
    TColor FColorDownTo = 0xFFFFFF;
    TColor FTextColorDown = 0;
    TColor FColorDown = 0xFFFFFF;
    TColor FColorHotTo = 0xFFFFFF;
    TColor FBorderColorDown = 0x808080;
    TColor FColorMirrorHot = 0xC0C0C0;
    TColor FBorderColorHot = 0x808080;
    TColor FColorMirrorHotTo = 0xFFFFFF;
    TColor FTextColorHot = 0;
};

} // namespace AdvOfficeStatusBar
