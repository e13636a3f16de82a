#include "components/statusbar/AdvOfficeStatusBarProgress.h"

#include <cmath>

#include "components/statusbar/AdvOfficeStatusBar.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace AdvOfficeStatusBar {

using namespace vcl;

// ---- Colour helpers

std::uint32_t ColorToARGB(TColor Color) {
    auto rgb = static_cast<std::uint32_t>(ColorToRGB(Color));
    std::uint32_t r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

int GaugeValue(int Min, int Max, int Position) {
    if (Max == Min) return 0;
    // In floating point: the differences of two 32-bit values do not fit 32 bits, and Round clamps a
    // result beyond the integer range.
    double range = static_cast<double>(Max) - static_cast<double>(Min);
    return Round((static_cast<double>(Position) - static_cast<double>(Min)) * 100.0 / range);
}

// ---- TProgressStyle

KV_PUBLISHED(TProgressStyle) {
    p.Color("BackGround", &TProgressStyle::FBackGround, &TProgressStyle::SetBackGround, clNone);
    p.Enum("Indication", &TProgressStyle::FIndication, &TProgressStyle::SetIndication, piPercentage);
    p.Int("Min", &TProgressStyle::FMin, &TProgressStyle::SetMin, 0);
    p.Int("Max", &TProgressStyle::FMax, &TProgressStyle::SetMax, 100);
    p.Int("Position", &TProgressStyle::FPosition, &TProgressStyle::SetPosition, 0);
    p.Color("Level0Color", &TProgressStyle::FLevel0Color, &TProgressStyle::SetLevel0Color, clLime);
    p.Color("Level0ColorTo", &TProgressStyle::FLevel0ColorTo, &TProgressStyle::SetLevel0ColorTo, 0xE1FFE1);
    p.Color("Level1Color", &TProgressStyle::FLevel1Color, &TProgressStyle::SetLevel1Color, clYellow);
    p.Color("Level1ColorTo", &TProgressStyle::FLevel1ColorTo, &TProgressStyle::SetLevel1ColorTo, 0xCAFFFF);
    p.Color("Level2Color", &TProgressStyle::FLevel2Color, &TProgressStyle::SetLevel2Color, 0x53A9FF);
    p.Color("Level2ColorTo", &TProgressStyle::FLevel2ColorTo, &TProgressStyle::SetLevel2ColorTo, 0xA8D3FF);
    p.Color("Level3Color", &TProgressStyle::FLevel3Color, &TProgressStyle::SetLevel3Color, clRed);
    p.Color("Level3ColorTo", &TProgressStyle::FLevel3ColorTo, &TProgressStyle::SetLevel3ColorTo, 0xCACAFF);
    p.Int("Level1Perc", &TProgressStyle::FLevel1Perc, &TProgressStyle::SetLevel1Perc, 70);
    p.Int("Level2Perc", &TProgressStyle::FLevel2Perc, &TProgressStyle::SetLevel2Perc, 90);
    p.Color("BorderColor", &TProgressStyle::FBorderColor, &TProgressStyle::SetBorderColor, clBlack);
    p.Bool("ShowBorder", &TProgressStyle::FShowBorder, &TProgressStyle::SetShowBorder, false);
    p.Bool("Stacked", &TProgressStyle::FStacked, &TProgressStyle::SetStacked, false);
    p.Bool("ShowPercentage", &TProgressStyle::FShowPercentage, &TProgressStyle::SetShowPercentage, true);
    p.Bool("CompletionSmooth", &TProgressStyle::FCompletionSmooth, &TProgressStyle::SetCompletionSmooth,
           false);
    p.Bool("ShowGradient", &TProgressStyle::FShowGradient, &TProgressStyle::SetShowGradient, true);
    p.Str("Suffix", &TProgressStyle::FSuffix, &TProgressStyle::SetSuffix);
    p.Str("Prefix", &TProgressStyle::FPrefix, &TProgressStyle::SetPrefix);
}

TProgressStyle::TProgressStyle(TAdvOfficeStatusPanel* Panel) : FOwner(Panel) {}

TProgressStyle::~TProgressStyle() = default;

TPersistent* TProgressStyle::GetOwner() {
    return FOwner;
}

void TProgressStyle::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TProgressStyle*>(Source);
    if (s == nullptr) throw EInvalidCast("Invalid class typecast");
    FBackGround = s->FBackGround;
    FIndication = s->FIndication;
    FMin = s->FMin;
    FMax = s->FMax;
    FPosition = s->FPosition;
    FShowPercentage = s->FShowPercentage;
    FShowGradient = s->FShowGradient;
    FStacked = s->FStacked;
    FShowBorder = s->FShowBorder;
    FBorderColor = s->FBorderColor;
    FCompletionSmooth = s->FCompletionSmooth;
    FLevel0Color = s->FLevel0Color;
    FLevel0ColorTo = s->FLevel0ColorTo;
    FLevel1Color = s->FLevel1Color;
    FLevel1ColorTo = s->FLevel1ColorTo;
    FLevel2Color = s->FLevel2Color;
    FLevel2ColorTo = s->FLevel2ColorTo;
    FLevel3Color = s->FLevel3Color;
    FLevel3ColorTo = s->FLevel3ColorTo;
    FLevel1Perc = s->FLevel1Perc;
    FLevel2Perc = s->FLevel2Perc;
    FPrefix = s->FPrefix;
    FSuffix = s->FSuffix;
}

void TProgressStyle::Changed() {
    if (FOwner == nullptr) return;
    TAdvOfficeStatusBar* bar = FOwner->Bar();
    // While the bar has no window yet (a layout being read) there is nothing to repaint, and asking for
    // the window here would make it too early.
    if (bar == nullptr || !bar->HandleAllocated()) return;
    TRect r = bar->GetPanelRect(FOwner->Index());
    win::InvalidateRect(bar->WindowHandle(), &r, 0);
}

void TProgressStyle::SetMin(int Value) {
    Store(FMin, Value);
}
void TProgressStyle::SetMax(int Value) {
    Store(FMax, Value);
}
void TProgressStyle::SetPosition(int Value) {
    Store(FPosition, Value);
}
void TProgressStyle::SetIndication(TProgressIndication Value) {
    Store(FIndication, Value);
}
void TProgressStyle::SetBackGround(TColor Value) {
    Store(FBackGround, Value);
}
void TProgressStyle::SetLevel0Color(TColor Value) {
    Store(FLevel0Color, Value);
}
void TProgressStyle::SetLevel0ColorTo(TColor Value) {
    Store(FLevel0ColorTo, Value);
}
void TProgressStyle::SetLevel1Color(TColor Value) {
    Store(FLevel1Color, Value);
}
void TProgressStyle::SetLevel1ColorTo(TColor Value) {
    Store(FLevel1ColorTo, Value);
}
void TProgressStyle::SetLevel2Color(TColor Value) {
    Store(FLevel2Color, Value);
}
void TProgressStyle::SetLevel2ColorTo(TColor Value) {
    Store(FLevel2ColorTo, Value);
}
void TProgressStyle::SetLevel3Color(TColor Value) {
    Store(FLevel3Color, Value);
}
void TProgressStyle::SetLevel3ColorTo(TColor Value) {
    Store(FLevel3ColorTo, Value);
}
void TProgressStyle::SetLevel1Perc(int Value) {
    Store(FLevel1Perc, Value);
}
void TProgressStyle::SetLevel2Perc(int Value) {
    Store(FLevel2Perc, Value);
}
void TProgressStyle::SetBorderColor(TColor Value) {
    Store(FBorderColor, Value);
}
void TProgressStyle::SetShowBorder(bool Value) {
    Store(FShowBorder, Value);
}
void TProgressStyle::SetStacked(bool Value) {
    Store(FStacked, Value);
}
void TProgressStyle::SetShowPercentage(bool Value) {
    Store(FShowPercentage, Value);
}
void TProgressStyle::SetCompletionSmooth(bool Value) {
    Store(FCompletionSmooth, Value);
}
void TProgressStyle::SetShowGradient(bool Value) {
    Store(FShowGradient, Value);
}
void TProgressStyle::SetSuffix(const String& Value) {
    Store(FSuffix, Value);
}
void TProgressStyle::SetPrefix(const String& Value) {
    Store(FPrefix, Value);
}

String TProgressStyle::GaugeText() const {
    if (!FShowPercentage) return FOwner != nullptr ? FOwner->Text() : String();
    if (FIndication == piPercentage) return IntToStr(Value()) + "%";
    return FPrefix + IntToStr(FPosition) + FSuffix;
}

TColor TProgressStyle::LevelColor(int Value) const {
    if (Value < FLevel1Perc) return FLevel0Color;
    if (Value >= 100) return FLevel3Color;
    if (Value >= FLevel2Perc) return FLevel2Color;
    return FLevel1Color;
}

// ---- TVistaBackground

KV_PUBLISHED(TVistaBackground) {
    using V = TVistaBackground;
    p.Int("Steps", &V::FSteps, &V::SetSteps, 64);
    p.Color("Color", &V::FColor, &V::SetColor);
    p.Color("ColorTo", &V::FColorTo, &V::SetColorTo);
    p.Color("ColorMirror", &V::FColorMirror, &V::SetColorMirror);
    p.Color("ColorMirrorTo", &V::FColorMirrorTo, &V::SetColorMirrorTo);
    p.Color("BorderColor", &V::FBorderColor, &V::SetBorderColor);
    p.Color("BorderColorHot", &V::FBorderColorHot, &V::SetBorderColorHot);
    p.Color("BorderColorDown", &V::FBorderColorDown, &V::SetBorderColorDown);
    p.Color("ColorHot", &V::FColorHot, &V::SetColorHot);
    p.Color("ColorHotTo", &V::FColorHotTo, &V::SetColorHotTo);
    p.Color("ColorDown", &V::FColorDown, &V::SetColorDown);
    p.Color("ColorDownTo", &V::FColorDownTo, &V::SetColorDownTo);
    p.Color("ColorMirrorHot", &V::FColorMirrorHot, &V::SetColorMirrorHot);
    p.Color("ColorMirrorHotTo", &V::FColorMirrorHotTo, &V::SetColorMirrorHotTo);
    p.Color("ColorMirrorDown", &V::FColorMirrorDown, &V::SetColorMirrorDown);
    p.Color("ColorMirrorDownTo", &V::FColorMirrorDownTo, &V::SetColorMirrorDownTo);
    p.Color("TextColor", &V::FTextColor, &V::SetTextColor);
    p.Color("TextColorHot", &V::FTextColorHot, &V::SetTextColorHot);
    p.Color("TextColorDown", &V::FTextColorDown, &V::SetTextColorDown);
    p.Set("TextStyle", &V::FTextStyle, &V::SetTextStyle);
}

TVistaBackground::TVistaBackground() = default;

TVistaBackground::~TVistaBackground() = default;

void TVistaBackground::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TVistaBackground*>(Source);
    if (s == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FSteps = s->FSteps;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FColorMirror = s->FColorMirror;
    FColorMirrorTo = s->FColorMirrorTo;
    FBorderColor = s->FBorderColor;
    FTextColor = s->FTextColor;
    FColorHot = s->FColorHot;
    FColorHotTo = s->FColorHotTo;
    FColorMirrorHot = s->FColorMirrorHot;
    FColorMirrorHotTo = s->FColorMirrorHotTo;
    FBorderColorHot = s->FBorderColorHot;
    FTextColorHot = s->FTextColorHot;
    FColorDown = s->FColorDown;
    FColorDownTo = s->FColorDownTo;
    FColorMirrorDown = s->FColorMirrorDown;
    FColorMirrorDownTo = s->FColorMirrorDownTo;
    FBorderColorDown = s->FBorderColorDown;
    FTextColorDown = s->FTextColorDown;
    SetTextStyle(s->FTextStyle);
}

void TVistaBackground::Changed() {
    if (OnChange) OnChange(this);
}

void TVistaBackground::SetSteps(int Value) {
    Update(FSteps, Value);
}
void TVistaBackground::SetColor(TColor Value) {
    Update(FColor, Value);
}
void TVistaBackground::SetColorTo(TColor Value) {
    Update(FColorTo, Value);
}
void TVistaBackground::SetColorMirror(TColor Value) {
    Update(FColorMirror, Value);
}
void TVistaBackground::SetColorMirrorTo(TColor Value) {
    Update(FColorMirrorTo, Value);
}
void TVistaBackground::SetBorderColor(TColor Value) {
    Update(FBorderColor, Value);
}
void TVistaBackground::SetTextColor(TColor Value) {
    Update(FTextColor, Value);
}
void TVistaBackground::SetColorDown(TColor Value) {
    Update(FColorDown, Value);
}
void TVistaBackground::SetColorDownTo(TColor Value) {
    Update(FColorDownTo, Value);
}
void TVistaBackground::SetColorMirrorDown(TColor Value) {
    Update(FColorMirrorDown, Value);
}
void TVistaBackground::SetColorMirrorDownTo(TColor Value) {
    Update(FColorMirrorDownTo, Value);
}
void TVistaBackground::SetBorderColorDown(TColor Value) {
    Update(FBorderColorDown, Value);
}
void TVistaBackground::SetTextColorDown(TColor Value) {
    Update(FTextColorDown, Value);
}

void TVistaBackground::SetTextStyle(TFontStyles Value) {
    FTextStyle = Value;
    Changed();
}

} // namespace AdvOfficeStatusBar
