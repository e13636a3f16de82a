#include "components/statusbar/AdvOfficeStatusBarStylers.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysInfo.h"

namespace AdvOfficeStatusBarStylers {

using namespace vcl;
using AdvOfficeStatusBar::TVistaBackground;

namespace {

// A preset value that leaves the property as it is.
constexpr TColor Keep = 0x7FFFFFFF;

// One panel appearance of a preset, in the order the preset sets them.
struct TLook {
    TColor BorderColor, Color, ColorTo, ColorMirror, ColorMirrorTo;
    TColor TextColor, TextColorHot, TextColorDown;
    TColor ColorHot, ColorHotTo, ColorMirrorHotTo, ColorMirrorHot, BorderColorHot;
    TColor ColorDown, ColorDownTo, ColorMirrorDownTo, ColorMirrorDown, BorderColorDown;
};

struct TPreset {
    TColor BorderColor;
    TLook Light, Dark;
};

// The Office 2007 hot and down states, shared by Luna, Obsidian and Office 2007 silver.
#define KV_LUNA_HOT_DOWN                                                                                     \
    0xFBFFFF, 0xC0F0FF, 0xA0E6FC, 0x6BD8FF, 0x99CEDB, 0x77B4F7, 0x459AF9, 0x03AEFF, 0x1982F8, 0x45667B
// The Office 2003 hot and down states with the down border of each style.
#define KV_2003_HOT_DOWN(DownBorder)                                                                         \
    0xD4FBFF, 0x63C4F7, 0x63C4F7, 0x63C4F7, 0x808080, 0x8CE1FA, 0x1D9AEF, 0x1D9AEF, 0x1D9AEF, DownBorder

// Indexed by TOfficeStatusBarStyle; psCustom's entry is never applied. Where only the character of a
// style is fixed, the mirror gradient runs flat in its colour and the hot and down text is black.
const TPreset Presets[] = {
    // psOffice2003Blue
    {0xE4AE88,
     {0xE3B28D, 0xFADDC6, 0xE2A982, 0xE2A982, 0xE2A982, clBlack, clBlack, clBlack,
      KV_2003_HOT_DOWN(0x9C430F)},
     {clNone, 0xD38355, 0x9C430F, 0x9C430F, 0x9C430F, clWhite, clBlack, clBlack, KV_2003_HOT_DOWN(0x9C430F)}},
    // psOffice2003Silver
    {0xB39698,
     {clNone, 0xF7F3F3, 0xE6D8D8, 0xE6D8D8, 0xE6D8D8, clBlack, Keep, Keep, KV_2003_HOT_DOWN(0xB79B9D)},
     {clNone, 0xE6D8D8, 0xB79B9D, 0xB79B9D, 0xB79B9D, clWhite, clBlack, clBlack, KV_2003_HOT_DOWN(0xB79B9D)}},
    // psOffice2003Olive
    {0x8CC0B1,
     {clNone, 0xCFF0EA, 0x90C3B5, 0x90C3B5, 0x90C3B5, clBlack, Keep, Keep, KV_2003_HOT_DOWN(0x4D846E)},
     {clNone, 0x81BFAE, 0x4D846E, 0x4D846E, 0x4D846E, clWhite, Keep, Keep, KV_2003_HOT_DOWN(0x4D846E)}},
    // psOffice2003Classic
    {0xC9D1D5,
     {clNone, clWhite, 0xC9D1D5, clNone, clNone, clBlack, clBlack, clBlack, 0xD2BDB6, 0xD2BDB6, clNone,
      clNone, 0x808080, 0xE2B598, 0xE2B598, clNone, clNone, clBlack},
     {clNone, 0x808080, 0x808080, clNone, clNone, clWhite, clBlack, clBlack, 0xD2BDB6, 0xD2BDB6, clNone,
      clNone, 0x808080, 0xE2B598, 0xE2B598, clNone, clNone, clBlack}},
    // psOffice2007Luna
    {0xB07D56,
     {clNone, 0xF9E6D7, 0xF8DCC7, 0xF5D0B3, 0xF7E0CD, 0x612009, 0x000000, 0x000000, KV_LUNA_HOT_DOWN},
     {clNone, 0xF8DCC5, 0xF5B687, 0xEAB690, 0xC29574, 0x612009, 0x612009, 0x612009, KV_LUNA_HOT_DOWN}},
    // psOffice2007Obsidian
    {0x414141,
     {clNone, 0x414141, 0x30302F, 0x30302F, 0x4C4C4C, clWhite, clWhite, clWhite, KV_LUNA_HOT_DOWN},
     {clNone, 0xA19F9E, 0x635F5E, 0x635F5E, 0x534D4B, clWhite, clWhite, clWhite, KV_LUNA_HOT_DOWN}},
    // psWindowsXP
    {0xC0C0C0,
     {clNone, clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBlack, clBlack, clBlack, 0xEFD3C6, 0xEFD3C6,
      clNone, clNone, 0x808080, 0xB59284, 0xB59284, clNone, clNone, clBlack},
     {clNone, clWhite, clBtnFace, clBtnFace, clBtnFace, clBlack, clBlack, clBlack, 0xEFD3C6, 0xEFD3C6, clNone,
      clNone, 0x808080, 0xB59284, 0xB59284, clNone, clNone, clBlack}},
    // psWhidbey
    {0xA8C0C0,
     {clNone, 0xF5F9FA, 0xA8C0C0, clNone, clNone, clBlack, clBlack, clBlack, KV_2003_HOT_DOWN(clBlack)},
     {clNone, 0xEBEEEF, 0x7E9898, clNone, clNone, clBlack, Keep, Keep, KV_2003_HOT_DOWN(clBlack)}},
    // psCustom (not applied)
    {Keep, {}, {}},
    // psOffice2007Silver
    {0x766A61,
     {clNone, 0xEBE8E7, 0xC7BBB5, 0xB7B0AA, 0xCEC9C7, 0x2A2623, clBlack, clBlack, KV_LUNA_HOT_DOWN},
     {clNone, 0xEBE8E7, 0xC7BBB6, 0xBAB4AE, 0xAFABA5, 0x2A2623, 0x612009, 0x612009, KV_LUNA_HOT_DOWN}},
};

#undef KV_LUNA_HOT_DOWN
#undef KV_2003_HOT_DOWN

static_assert(sizeof(Presets) / sizeof(Presets[0]) == psOffice2007Silver + 1);

void Apply(TColor Value, TVistaBackground* Look, void (TVistaBackground::*Setter)(TColor)) {
    if (Value != Keep) (Look->*Setter)(Value);
}

void ApplyLook(const TLook& L, TVistaBackground* V) {
    Apply(L.BorderColor, V, &TVistaBackground::SetBorderColor);
    Apply(L.Color, V, &TVistaBackground::SetColor);
    Apply(L.ColorTo, V, &TVistaBackground::SetColorTo);
    Apply(L.ColorMirror, V, &TVistaBackground::SetColorMirror);
    Apply(L.ColorMirrorTo, V, &TVistaBackground::SetColorMirrorTo);
    Apply(L.TextColor, V, &TVistaBackground::SetTextColor);
    Apply(L.TextColorHot, V, &TVistaBackground::SetTextColorHot);
    Apply(L.TextColorDown, V, &TVistaBackground::SetTextColorDown);
    Apply(L.ColorHot, V, &TVistaBackground::SetColorHot);
    Apply(L.ColorHotTo, V, &TVistaBackground::SetColorHotTo);
    Apply(L.ColorMirrorHotTo, V, &TVistaBackground::SetColorMirrorHotTo);
    Apply(L.ColorMirrorHot, V, &TVistaBackground::SetColorMirrorHot);
    Apply(L.BorderColorHot, V, &TVistaBackground::SetBorderColorHot);
    Apply(L.ColorDown, V, &TVistaBackground::SetColorDown);
    Apply(L.ColorDownTo, V, &TVistaBackground::SetColorDownTo);
    Apply(L.ColorMirrorDownTo, V, &TVistaBackground::SetColorMirrorDownTo);
    Apply(L.ColorMirrorDown, V, &TVistaBackground::SetColorMirrorDown);
    Apply(L.BorderColorDown, V, &TVistaBackground::SetBorderColorDown);
}

} // namespace

// ---- TAdvOfficeStatusBarOfficeStyler

KV_PUBLISHED(TAdvOfficeStatusBarOfficeStyler) {
    using S = TAdvOfficeStatusBarOfficeStyler;
    p.Enum("Style", &S::FStyle, &S::SetOfficeStatusBarStyle, psOffice2003Blue);
    p.Bool("AutoThemeAdapt", &S::AutoThemeAdapt, &S::SetAutoThemeAdapt, false);
}

KV_REGISTER_CLASS(TAdvOfficeStatusBarOfficeStyler)

TAdvOfficeStatusBarOfficeStyler::TAdvOfficeStatusBarOfficeStyler(TComponent* AOwner)
    : TCustomAdvOfficeStatusBarStyler(AOwner) {
    // The setter acts only on a change, and a new styler already holds psOffice2003Blue: going through
    // another style first really applies the blue colours.
    SetOfficeStatusBarStyle(psWindowsXP);
    SetOfficeStatusBarStyle(psOffice2003Blue);
    FThemeListener = SysInfo().AddThemeChangeListener([this] { ThemeChanged(this); });
}

TAdvOfficeStatusBarOfficeStyler::~TAdvOfficeStatusBarOfficeStyler() {
    SysInfo().RemoveThemeChangeListener(FThemeListener);
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
    SetBorderColor(preset.BorderColor);
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
    p.Enum("Style", &S::FStyle, &S::SetOfficeStatusBarStyle, psChocolate);
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
