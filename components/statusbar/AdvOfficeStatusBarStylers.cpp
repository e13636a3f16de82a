#include "components/statusbar/AdvOfficeStatusBarStylers.h"

#include <iterator>

#include "platform/classes/ClassRegistry.h"

namespace AdvOfficeStatusBarStylers {

using namespace vcl;
using AdvOfficeStatusBar::TVistaBackground;

namespace {

// A colour a preset writes. It has no default: an initialiser that leaves a value out does not compile.
struct TPresetColor {
    constexpr TPresetColor(TColor Value) : Value(Value) {}
    TColor Value;
};

// One panel appearance as a preset writes it, in the order the preset sets the values.
struct TPresetLook {
    TPresetColor BorderColor, Color, ColorTo, ColorMirror, ColorMirrorTo;
    TPresetColor TextColor, TextColorHot, TextColorDown;
    TPresetColor ColorHot, ColorHotTo, ColorMirrorHotTo, ColorMirrorHot, BorderColorHot;
    TPresetColor ColorDown, ColorDownTo, ColorMirrorDownTo, ColorMirrorDown, BorderColorDown;
};
constexpr int PresetLookValues = 18;
static_assert(sizeof(TPresetLook) == PresetLookValues * sizeof(TPresetColor), "a look value is missing");

// Every value a preset writes: the styler's border and both appearances.
struct TPreset {
    TPresetColor BorderColor;
    TPresetLook Light, Dark;
};
static_assert(sizeof(TPreset) == (1 + 2 * PresetLookValues) * sizeof(TPresetColor),
              "a preset value is missing");

// The Office 2007 hot and down states (Luna, Obsidian, Office 2007 silver).
constexpr TPresetLook Office2007Look(TColor Border, TColor Color, TColor ColorTo, TColor Mirror,
                                     TColor MirrorTo, TColor Text, TColor TextHot, TColor TextDown) {
    return {.BorderColor = Border,
            .Color = Color,
            .ColorTo = ColorTo,
            .ColorMirror = Mirror,
            .ColorMirrorTo = MirrorTo,
            .TextColor = Text,
            .TextColorHot = TextHot,
            .TextColorDown = TextDown,
            .ColorHot = 0xFBFFFF,
            .ColorHotTo = 0xC0F0FF,
            .ColorMirrorHotTo = 0xA0E6FC,
            .ColorMirrorHot = 0x6BD8FF,
            .BorderColorHot = 0x99CEDB,
            .ColorDown = 0x77B4F7,
            .ColorDownTo = 0x459AF9,
            .ColorMirrorDownTo = 0x03AEFF,
            .ColorMirrorDown = 0x1982F8,
            .BorderColorDown = 0x45667B};
}

// The Office 2003 hot and down states, with each style's down border. Where a style leaves its hot and
// down text to what was there, black is written: the hot and down fills are light.
constexpr TPresetLook Office2003Look(TColor Border, TColor Color, TColor ColorTo, TColor Mirror,
                                     TColor MirrorTo, TColor Text, TColor DownBorder) {
    return {.BorderColor = Border,
            .Color = Color,
            .ColorTo = ColorTo,
            .ColorMirror = Mirror,
            .ColorMirrorTo = MirrorTo,
            .TextColor = Text,
            .TextColorHot = clBlack,
            .TextColorDown = clBlack,
            .ColorHot = 0xD4FBFF,
            .ColorHotTo = 0x63C4F7,
            .ColorMirrorHotTo = 0x63C4F7,
            .ColorMirrorHot = 0x63C4F7,
            .BorderColorHot = 0x808080,
            .ColorDown = 0x8CE1FA,
            .ColorDownTo = 0x1D9AEF,
            .ColorMirrorDownTo = 0x1D9AEF,
            .ColorMirrorDown = 0x1D9AEF,
            .BorderColorDown = DownBorder};
}

// Flat hot and down states without mirrors (Classic, Windows XP).
constexpr TPresetLook FlatLook(TColor Color, TColor ColorTo, TColor Mirror, TColor MirrorTo, TColor Text,
                               TColor Hot, TColor Down) {
    return {.BorderColor = clNone,
            .Color = Color,
            .ColorTo = ColorTo,
            .ColorMirror = Mirror,
            .ColorMirrorTo = MirrorTo,
            .TextColor = Text,
            .TextColorHot = clBlack,
            .TextColorDown = clBlack,
            .ColorHot = Hot,
            .ColorHotTo = Hot,
            .ColorMirrorHotTo = clNone,
            .ColorMirrorHot = clNone,
            .BorderColorHot = 0x808080,
            .ColorDown = Down,
            .ColorDownTo = Down,
            .ColorMirrorDownTo = clNone,
            .ColorMirrorDown = clNone,
            .BorderColorDown = clBlack};
}

constexpr TPreset Office2003Blue{
    .BorderColor = 0xE4AE88,
    .Light = Office2003Look(0xE3B28D, 0xFADDC6, 0xE2A982, 0xE2A982, 0xE2A982, clBlack, 0x9C430F),
    .Dark = Office2003Look(clNone, 0xD38355, 0x9C430F, 0x9C430F, 0x9C430F, clWhite, 0x9C430F)};

// Indexed by TOfficeStatusBarStyle. psCustom writes no colours: its entry is never applied.
constexpr TPreset Presets[] = {
    /* psOffice2003Blue */ Office2003Blue,
    /* psOffice2003Silver */
    {.BorderColor = 0xB39698,
     .Light = Office2003Look(clNone, 0xF7F3F3, 0xE6D8D8, 0xE6D8D8, 0xE6D8D8, clBlack, 0xB79B9D),
     .Dark = Office2003Look(clNone, 0xE6D8D8, 0xB79B9D, 0xB79B9D, 0xB79B9D, clWhite, 0xB79B9D)},
    /* psOffice2003Olive */
    {.BorderColor = 0x8CC0B1,
     .Light = Office2003Look(clNone, 0xCFF0EA, 0x90C3B5, 0x90C3B5, 0x90C3B5, clBlack, 0x4D846E),
     .Dark = Office2003Look(clNone, 0x81BFAE, 0x4D846E, 0x4D846E, 0x4D846E, clWhite, 0x4D846E)},
    /* psOffice2003Classic */
    {.BorderColor = 0xC9D1D5,
     .Light = FlatLook(clWhite, 0xC9D1D5, clNone, clNone, clBlack, 0xD2BDB6, 0xE2B598),
     .Dark = FlatLook(0x808080, 0x808080, clNone, clNone, clWhite, 0xD2BDB6, 0xE2B598)},
    /* psOffice2007Luna */
    {.BorderColor = 0xB07D56,
     .Light = Office2007Look(clNone, 0xF9E6D7, 0xF8DCC7, 0xF5D0B3, 0xF7E0CD, 0x612009, 0x000000, 0x000000),
     .Dark = Office2007Look(clNone, 0xF8DCC5, 0xF5B687, 0xEAB690, 0xC29574, 0x612009, 0x612009, 0x612009)},
    /* psOffice2007Obsidian */
    {.BorderColor = 0x414141,
     .Light = Office2007Look(clNone, 0x414141, 0x30302F, 0x30302F, 0x4C4C4C, clWhite, clWhite, clWhite),
     .Dark = Office2007Look(clNone, 0xA19F9E, 0x635F5E, 0x635F5E, 0x534D4B, clWhite, clWhite, clWhite)},
    /* psWindowsXP */
    {.BorderColor = 0xC0C0C0,
     .Light = FlatLook(clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBlack, 0xEFD3C6, 0xB59284),
     .Dark = FlatLook(clWhite, clBtnFace, clBtnFace, clBtnFace, clBlack, 0xEFD3C6, 0xB59284)},
    /* psWhidbey */
    {.BorderColor = 0xA8C0C0,
     .Light = Office2003Look(clNone, 0xF5F9FA, 0xA8C0C0, clNone, clNone, clBlack, clBlack),
     .Dark = Office2003Look(clNone, 0xEBEEEF, 0x7E9898, clNone, clNone, clBlack, clBlack)},
    /* psCustom (never applied) */ Office2003Blue,
    /* psOffice2007Silver */
    {.BorderColor = 0x766A61,
     .Light = Office2007Look(clNone, 0xEBE8E7, 0xC7BBB5, 0xB7B0AA, 0xCEC9C7, 0x2A2623, clBlack, clBlack),
     .Dark = Office2007Look(clNone, 0xEBE8E7, 0xC7BBB6, 0xBAB4AE, 0xAFABA5, 0x2A2623, 0x612009, 0x612009)},
};
static_assert(std::size(Presets) == psOffice2007Silver + 1, "one preset per style");

void ApplyLook(const TPresetLook& L, TVistaBackground* V) {
    V->SetBorderColor(L.BorderColor.Value);
    V->SetColor(L.Color.Value);
    V->SetColorTo(L.ColorTo.Value);
    V->SetColorMirror(L.ColorMirror.Value);
    V->SetColorMirrorTo(L.ColorMirrorTo.Value);
    V->SetTextColor(L.TextColor.Value);
    V->SetTextColorHot(L.TextColorHot.Value);
    V->SetTextColorDown(L.TextColorDown.Value);
    V->SetColorHot(L.ColorHot.Value);
    V->SetColorHotTo(L.ColorHotTo.Value);
    V->SetColorMirrorHotTo(L.ColorMirrorHotTo.Value);
    V->SetColorMirrorHot(L.ColorMirrorHot.Value);
    V->SetBorderColorHot(L.BorderColorHot.Value);
    V->SetColorDown(L.ColorDown.Value);
    V->SetColorDownTo(L.ColorDownTo.Value);
    V->SetColorMirrorDownTo(L.ColorMirrorDownTo.Value);
    V->SetColorMirrorDown(L.ColorMirrorDown.Value);
    V->SetBorderColorDown(L.BorderColorDown.Value);
}

} // namespace

// ---- TAdvOfficeStatusBarOfficeStyler

KV_PUBLISHED(TAdvOfficeStatusBarOfficeStyler) {
    using S = TAdvOfficeStatusBarOfficeStyler;
    // Before the inherited colours, which the preset would otherwise overwrite on reading.
    p.Enum("Style", &S::FStyle, &S::SetOfficeStatusBarStyle, psOffice2003Blue).First();
    p.Bool("AutoThemeAdapt", &S::AutoThemeAdapt, &S::SetAutoThemeAdapt, false);
}

KV_REGISTER_CLASS(TAdvOfficeStatusBarOfficeStyler)

TAdvOfficeStatusBarOfficeStyler::TAdvOfficeStatusBarOfficeStyler(TComponent* AOwner)
    : TCustomAdvOfficeStatusBarStyler(AOwner) {
    FNotifier = new TNotifierWindow(this);
    FNotifier->ParentToOwnerWindow(AOwner);
    FNotifier->OnThemeChange = [this](TObject* Sender) { ThemeChanged(Sender); };
    // The setter acts only on a change, and a new styler already holds psOffice2003Blue: going through
    // another style first really applies the blue colours.
    SetOfficeStatusBarStyle(psWindowsXP);
    SetOfficeStatusBarStyle(psOffice2003Blue);
}

TAdvOfficeStatusBarOfficeStyler::~TAdvOfficeStatusBarOfficeStyler() {
    BeforeDestruction();
}

void TAdvOfficeStatusBarOfficeStyler::SetOfficeStatusBarStyle(TOfficeStatusBarStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    if (Value != psCustom) ApplyPreset(Value);
    Change(1);
}

void TAdvOfficeStatusBarOfficeStyler::ApplyPreset(TOfficeStatusBarStyle Value) {
    if (Value < psOffice2003Blue || Value > psOffice2007Silver) return; // not a style: no colours
    const TPreset& preset = Presets[Value];
    SetBorderColor(preset.BorderColor.Value);
    ApplyLook(preset.Light, PanelAppearanceLight());
    ApplyLook(preset.Dark, PanelAppearanceDark());
}

void TAdvOfficeStatusBarOfficeStyler::SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) {
    SetOfficeStatusBarStyle(static_cast<TOfficeStatusBarStyle>(AStyle));
}

void TAdvOfficeStatusBarOfficeStyler::ThemeChanged(TObject*) {
    if (!AutoThemeAdapt()) return;
    switch (AdvStyleIF::DetectThemeScheme()) {
    case 1:
        SetOfficeStatusBarStyle(psOffice2003Blue);
        break;
    case 2:
        SetOfficeStatusBarStyle(psOffice2003Olive);
        break;
    case 3:
        SetOfficeStatusBarStyle(psOffice2003Silver);
        break;
    default:
        SetOfficeStatusBarStyle(psWindowsXP);
        break;
    }
}

void TAdvOfficeStatusBarOfficeStyler::Loaded() {
    TCustomAdvOfficeStatusBarStyler::Loaded();
    if (!ComponentState().Contains(csDesigning)) ThemeChanged(this);
}

// ---- TAdvOfficeStatusBarFantasyStyler

KV_PUBLISHED(TAdvOfficeStatusBarFantasyStyler) {
    using S = TAdvOfficeStatusBarFantasyStyler;
    // Before the inherited colours, which the preset would otherwise overwrite on reading.
    p.Enum("Style", &S::FStyle, &S::SetOfficeStatusBarStyle, psChocolate).First();
}

KV_REGISTER_CLASS(TAdvOfficeStatusBarFantasyStyler)

TAdvOfficeStatusBarFantasyStyler::TAdvOfficeStatusBarFantasyStyler(TComponent* AOwner)
    : TCustomAdvOfficeStatusBarStyler(AOwner) {
    SetOfficeStatusBarStyle(psChocolate);
}

TAdvOfficeStatusBarFantasyStyler::~TAdvOfficeStatusBarFantasyStyler() {
    BeforeDestruction();
}

void RegisterAdvOfficeStatusBarStylersClasses() {
    RegisterClasses(
        {ClassEntry<TAdvOfficeStatusBarOfficeStyler>(), ClassEntry<TAdvOfficeStatusBarFantasyStyler>()});
}

} // namespace AdvOfficeStatusBarStylers
