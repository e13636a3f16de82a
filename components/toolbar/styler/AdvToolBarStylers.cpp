#include "components/toolbar/styler/AdvToolBarStylers.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Colors.h"

namespace AdvToolBarStylers {

using AdvToolBar::gdHorizontal;
using AdvToolBar::gdVertical;
using AdvToolBar::TDragGripStyle;
using vcl::TColor;

KV_PUBLISHED(TAdvToolBarOfficeStyler) {
    // Style comes first so that a streamed form loads the preset before its single overrides.
    p.Enum("Style", &TAdvToolBarOfficeStyler::FStyle, &TAdvToolBarOfficeStyler::SetToolBarStyle,
           bsOffice2003Blue);
    p.Bool("AutoThemeAdapt", &TAdvToolBarOfficeStyler::FAutoThemeAdapt, nullptr, false);
}

KV_REGISTER_CLASS(TAdvToolBarOfficeStyler)

namespace {

constexpr TColor kKeep = static_cast<TColor>(0x7FFFFFFF); // "not written by this preset"

// The characteristic colours of one preset.
struct TPreset {
    TColor Color, ColorTo;
    int ColorSteps; // 0: not written
    TColor DockColor, DockColorTo;
    TColor RightHandleColor, RightHandleColorTo;
    TColor FloatingBorderColor;
    int FloatingBorderWidth;
    TDragGripStyle DragGrip;
    bool RoundEdges;
    vcl::TBevelCut Bevel;
    bool UseBevel;
    TColor BorderColor, BorderColorHot;
    AdvStyleIF::TBrixStyle ChildStyle;
};

const TPreset& PresetOf(TToolBarStyle Style) {
    using namespace AdvToolBar;
    using namespace AdvStyleIF;
    static const TPreset blue{0xFDEADA, 0xE4AE88, 64,       0xF5BFA0,        0xFADAC4, 0xF1A675,
                              0x913500, 0x913500, 2,        dsDots,          true,     vcl::bvNone,
                              false,    kKeep,    0xE0C7AD, tsOffice2003Blue};
    static const TPreset silver{
        0xECE2E1, 0xB39698, 64,   0xE6D8D8,    0xF7F3F3, 0xC8B2B3, 0x927476, 0x927476,
        2,        dsDots,   true, vcl::bvNone, false,    kKeep,    0xF7F3F3, tsOffice2003Silver};
    static const TPreset olive{0xCFF0EA, 0x8CC0B1, 64,       0xAADADA,         0xE4F1F2, 0x8CC2B0,
                               0x6B7760, 0x6B7760, 2,        dsDots,           true,     vcl::bvNone,
                               false,    kKeep,    0x8CC0B1, tsOffice2003Olive};
    static const TPreset classic{vcl::clWhite, 0xC9D1D5, 64,       0xD2BDB6, 0xD2BDB6, vcl::clGray,
                                 vcl::clGray,  0x828F92, 2,        dsDots,   true,     vcl::bvNone,
                                 false,        kKeep,    0xD8D5D4, tsCustom};
    static const TPreset luna{0xEDD8C7, 0xF6E9D9, 0,        0xEDD8C7,        0xFAF1E9, 0xDFD2C5,
                              0xE0C7AD, 0xE3B28D, 1,        dsNone,          true,     vcl::bvNone,
                              false,    0xDFD2C5, 0xE0C7AD, tsOffice2007Luna};
    static const TPreset obsidian{
        0xC5BBB4, 0xECECE5, 0,    0xCFC6C1,    0xC5BBB4, 0xCAC7C6, 0xB4B0AE, 0xB4B0AE,
        1,        dsNone,   true, vcl::bvNone, false,    0xB4B0AE, 0xB4B0AE, tsOffice2007Obsidian};
    static const TPreset xp{vcl::clBtnFace,
                            vcl::clBtnFace,
                            64,
                            vcl::clBtnFace,
                            vcl::clBtnFace,
                            vcl::clBtnFace,
                            vcl::clNone,
                            vcl::clHighlight,
                            2,
                            dsSingleLine,
                            false,
                            vcl::bvRaised,
                            true,
                            kKeep,
                            vcl::clHighlight,
                            tsWindowsXP};
    static const TPreset whidbey{0xF5F9FA, 0xA8C0C0, 64,       0xD7E5E5, 0xE7F2F3, 0xEBEEEF,
                                 0x7E9898, 0x828F92, 2,        dsDots,   true,     vcl::bvNone,
                                 false,    kKeep,    0xE0C7AD, tsWhidbey};
    static const TPreset silver2007{
        0xE7DCD5, 0xF4F4EE, 0,    0xE5D7D7,    0xF7F3F3, 0xC6B0B1, 0x947779, 0xC6B0B1,
        1,        dsNone,   true, vcl::bvNone, false,    0x939291, 0x91908F, tsOffice2007Silver};
    switch (Style) {
    case bsOffice2003Silver:
        return silver;
    case bsOffice2003Olive:
        return olive;
    case bsOffice2003Classic:
        return classic;
    case bsOffice2007Luna:
        return luna;
    case bsOffice2007Obsidian:
        return obsidian;
    case bsWindowsXP:
    case bsOfficeXP:
        return xp;
    case bsWhidbeyStyle:
        return whidbey;
    case bsOffice2007Silver:
        return silver2007;
    case bsOffice2003Blue:
    case bsCustom:
        break;
    }
    return blue;
}

} // namespace

TAdvToolBarOfficeStyler::TAdvToolBarOfficeStyler(vcl::TComponent* AOwner)
    : AdvToolBar::TCustomAdvToolBarStyler(AOwner) {
    // The style field starts at Blue: going through Windows XP makes the Blue preset load in full.
    SetToolBarStyle(bsWindowsXP);
    SetToolBarStyle(bsOffice2003Blue);
}

TAdvToolBarOfficeStyler::~TAdvToolBarOfficeStyler() = default;

void TAdvToolBarOfficeStyler::SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) {
    SetToolBarStyle(static_cast<TToolBarStyle>(static_cast<int>(AStyle)));
}

void TAdvToolBarOfficeStyler::SetToolBarStyle(TToolBarStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    SetChildComponentStyle(AdvStyleIF::tsCustom);
    SetDarkStyle(false);
    if (Value != bsCustom) LoadPreset(Value);
    Change(2);
}

void TAdvToolBarOfficeStyler::LoadPreset(TToolBarStyle Value) {
    const TPreset& p = PresetOf(Value);
    DockColor()->SetColor(p.DockColor);
    DockColor()->SetColorTo(p.DockColorTo);
    DockColor()->SetDirection(gdHorizontal);
    DockColor()->SetSteps(128);
    SetRightHandleColor(p.RightHandleColor);
    SetRightHandleColorTo(p.RightHandleColorTo);
    if (Value == bsOffice2007Luna) {
        SetRightHandleColorHot(0xD3F8FF);
        SetRightHandleColorHotTo(0x76C1FF);
        SetRightHandleColorDown(0x087FE8);
        SetRightHandleColorDownTo(0x7CDAF7);
    }
    SetDragGripStyle(p.DragGrip);
    SetRoundEdges(p.RoundEdges);
    SetBevel(p.Bevel);
    SetUseBevel(p.UseBevel);
    Color()->SetColor(p.Color);
    Color()->SetColorTo(p.ColorTo);
    Color()->SetDirection(gdVertical);
    if (p.ColorSteps != 0) Color()->SetSteps(p.ColorSteps);
    if (p.BorderColor != kKeep) SetBorderColor(p.BorderColor);
    if (Value == bsOffice2007Luna) {
        ColorHot()->SetColor(0xFFF1E6);
        ColorHot()->SetColorTo(0xFAEADE);
        ColorHot()->SetDirection(gdVertical);
    }
    SetBorderColorHot(p.BorderColorHot);
    SetFloatingWindowBorderColor(p.FloatingBorderColor);
    SetFloatingWindowBorderWidth(p.FloatingBorderWidth);
    SetChildComponentStyle(p.ChildStyle);
    if (Value == bsOffice2007Obsidian) SetDarkStyle(true);
}

void TAdvToolBarOfficeStyler::ThemeChanged(vcl::TObject*) {
    if (!FAutoThemeAdapt) return;
    switch (AdvStyleIF::DetectThemeScheme()) {
    case 1:
        SetToolBarStyle(bsOffice2003Blue);
        break;
    case 2:
        SetToolBarStyle(bsOffice2003Olive);
        break;
    case 3:
        SetToolBarStyle(bsOffice2003Silver);
        break;
    default:
        SetToolBarStyle(bsOffice2003Classic);
        break;
    }
}

void TAdvToolBarOfficeStyler::Loaded() {
    AdvToolBar::TCustomAdvToolBarStyler::Loaded();
    if (!ComponentState().Contains(vcl::csDesigning)) ThemeChanged(this);
}

} // namespace AdvToolBarStylers
