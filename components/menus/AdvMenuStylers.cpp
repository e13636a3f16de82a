#include "components/menus/AdvMenuStylers.h"

#include "components/menus/AdvMenus.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/win/Windows.h"

namespace AdvMenuStylers {

using namespace vcl;

namespace {

// Every value a preset writes, as a colour-sized value: directions and small numbers are stored as
// such, and kKeep marks a value the preset leaves as it is.
using V = TColor;
constexpr V kKeep = 0x2FFFFFFF;

struct TOfficePreset {
    V BackgroundColor, BackgroundColorTo, MenuBorderColor;
    V RootColor, RootColorTo, RootSelectedColor, RootSelectedColorTo, RootSelectedColorMirror,
        RootSelectedColorMirrorTo, RootSelectedBorderColor, RootHoverColor, RootHoverColorTo,
        RootHoverColorMirror, RootHoverColorMirrorTo, RootHoverBorderColor, RootHoverTextColor,
        RootGradientDirection;
    V SelectedColor, SelectedColorTo, SelectedColorMirror, SelectedColorMirrorTo, SelectedBorderColor,
        SelectedCheckColor, SelectedCheckColorTo, SelectedRadioColor, SelectedRadioColorTo,
        SelectedCheckBorder, SelectedRadioBorder;
    V IconColor, IconColorTo, IconCheckColor, IconCheckColorTo, IconCheckBorder, IconRadioColor,
        IconRadioColorTo, IconRadioBorder, IconSeparatorColor;
    V SeparatorColor, SeparatorColorTo;
    V ButtonHoverColor, ButtonHoverColorTo, ButtonHoverBorderColor, ButtonDownColor, ButtonDownColorTo,
        ButtonDownBorderColor;
};
constexpr int kOfficeValues = 45;
static_assert(sizeof(TOfficePreset) == kOfficeValues * sizeof(V), "every office value is listed once");

// osCustom writes nothing.
constexpr TOfficePreset kNoPreset{
    kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep,
    kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep,
    kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep};

// By TOfficeStyle.
constexpr TOfficePreset kOfficePresets[] = {
    // osOffice2003Blue
    {
        .BackgroundColor = 0xF6F6F6,
        .BackgroundColorTo = 0xF6F6F6,
        .MenuBorderColor = 0x962D00,
        .RootColor = 0xF5BE9E,
        .RootColorTo = 0xF7CDB2,
        .RootSelectedColor = 0xFFEFE3,
        .RootSelectedColorTo = 0xE7B593,
        .RootSelectedColorMirror = clNone,
        .RootSelectedColorMirrorTo = clNone,
        .RootSelectedBorderColor = 0x962D00,
        .RootHoverColor = 0xCCF4FF,
        .RootHoverColorTo = 0x9AD6FF,
        .RootHoverColorMirror = clNone,
        .RootHoverColorMirrorTo = clNone,
        .RootHoverBorderColor = clNavy,
        .RootHoverTextColor = clWindowText,
        .RootGradientDirection = V(gdHorizontal),
        .SelectedColor = 0xC2EEFF,
        .SelectedColorTo = clNone,
        .SelectedColorMirror = clNone,
        .SelectedColorMirrorTo = clNone,
        .SelectedBorderColor = clNavy,
        .SelectedCheckColor = 0x3E80FE,
        .SelectedCheckColorTo = clNone,
        .SelectedRadioColor = 0x3E80FE,
        .SelectedRadioColorTo = clNone,
        .SelectedCheckBorder = clNavy,
        .SelectedRadioBorder = clNavy,
        .IconColor = 0xFFEFE3,
        .IconColorTo = 0xE4AD87,
        .IconCheckColor = 0x6FC0FF,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = clNavy,
        .IconRadioColor = 0x6FC0FF,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = clNavy,
        .IconSeparatorColor = kKeep,
        .SeparatorColor = 0xCB8C6A,
        .SeparatorColorTo = clNone,
        .ButtonHoverColor = 0xCCF4FF,
        .ButtonHoverColorTo = 0x91D0FF,
        .ButtonHoverBorderColor = clNavy,
        .ButtonDownColor = 0x4E91FE,
        .ButtonDownColorTo = 0x8ED3FF,
        .ButtonDownBorderColor = clNavy,
    },
    // osOffice2003Silver
    {
        .BackgroundColor = 0xF6F6F6,
        .BackgroundColorTo = 0xF6F6F6,
        .MenuBorderColor = 0x5E8D75,
        .RootColor = 0xE5D7D7,
        .RootColorTo = 0xF7F3F3,
        .RootSelectedColor = 0xF1E9E8,
        .RootSelectedColorTo = 0xCDB9BA,
        .RootSelectedColorMirror = clNone,
        .RootSelectedColorMirrorTo = clNone,
        .RootSelectedBorderColor = 0x947C7C,
        .RootHoverColor = 0xCCF4FF,
        .RootHoverColorTo = 0x9AD6FF,
        .RootHoverColorMirror = clNone,
        .RootHoverColorMirrorTo = clNone,
        .RootHoverBorderColor = 0x6F4B4B,
        .RootHoverTextColor = clWindowText,
        .RootGradientDirection = V(gdHorizontal),
        .SelectedColor = 0xC2EEFF,
        .SelectedColorTo = clNone,
        .SelectedColorMirror = clNone,
        .SelectedColorMirrorTo = clNone,
        .SelectedBorderColor = 0x6F4B4B,
        .SelectedCheckColor = 0x3E80FE,
        .SelectedCheckColorTo = clNone,
        .SelectedRadioColor = 0x3E80FE,
        .SelectedRadioColorTo = clNone,
        .SelectedCheckBorder = 0x6F4B4B,
        .SelectedRadioBorder = 0x6F4B4B,
        .IconColor = 0xFFF9F9,
        .IconColorTo = 0xB99D9F,
        .IconCheckColor = 0x6FC0FF,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = 0x6F4B4B,
        .IconRadioColor = 0x6FC0FF,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = 0x6F4B4B,
        .IconSeparatorColor = kKeep,
        .SeparatorColor = 0x8F6D6E,
        .SeparatorColorTo = clNone,
        .ButtonHoverColor = 0xCCF4FF,
        .ButtonHoverColorTo = 0x91D0FF,
        .ButtonHoverBorderColor = 0x6F4B4B,
        .ButtonDownColor = 0x4E91FE,
        .ButtonDownColorTo = 0x8ED3FF,
        .ButtonDownBorderColor = 0x6F4B4B,
    },
    // osOffice2003Olive
    {
        .BackgroundColor = 0xF6F6F6,
        .BackgroundColorTo = 0xF6F6F6,
        .MenuBorderColor = 0x5E8D75,
        .RootColor = 0xA8D9D9,
        .RootColorTo = 0xE4F0F2,
        .RootSelectedColor = 0xD5F0EC,
        .RootSelectedColorTo = 0x9FCEC2,
        .RootSelectedColorMirror = clNone,
        .RootSelectedColorMirrorTo = clNone,
        .RootSelectedBorderColor = 0x588060,
        .RootHoverColor = 0xCCF4FF,
        .RootHoverColorTo = 0x9AD6FF,
        .RootHoverColorMirror = clNone,
        .RootHoverColorMirrorTo = clNone,
        .RootHoverBorderColor = 0x385D3F,
        .RootHoverTextColor = clWindowText,
        .RootGradientDirection = V(gdHorizontal),
        .SelectedColor = 0xC2EEFF,
        .SelectedColorTo = clNone,
        .SelectedColorMirror = clNone,
        .SelectedColorMirrorTo = clNone,
        .SelectedBorderColor = 0x385D3F,
        .SelectedCheckColor = 0x3E80FE,
        .SelectedCheckColorTo = clNone,
        .SelectedRadioColor = 0x3E80FE,
        .SelectedRadioColorTo = clNone,
        .SelectedCheckBorder = 0x385D3F,
        .SelectedRadioBorder = 0x385D3F,
        .IconColor = 0xEDFFFF,
        .IconColorTo = 0x92C7B8,
        .IconCheckColor = 0x6FC0FF,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = 0x385D3F,
        .IconRadioColor = 0x6FC0FF,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = 0x385D3F,
        .IconSeparatorColor = kKeep,
        .SeparatorColor = 0x588060,
        .SeparatorColorTo = clNone,
        .ButtonHoverColor = 0xCCF4FF,
        .ButtonHoverColorTo = 0x91D0FF,
        .ButtonHoverBorderColor = 0x385D3F,
        .ButtonDownColor = 0x4E91FE,
        .ButtonDownColorTo = 0x8ED3FF,
        .ButtonDownBorderColor = 0x385D3F,
    },
    // osOfficeXP
    {
        .BackgroundColor = clWindow,
        .BackgroundColorTo = clWindow,
        .MenuBorderColor = clGray,
        .RootColor = clBtnFace,
        .RootColorTo = clBtnFace,
        .RootSelectedColor = clBtnFace,
        .RootSelectedColorTo = clNone,
        .RootSelectedColorMirror = clNone,
        .RootSelectedColorMirrorTo = clNone,
        .RootSelectedBorderColor = clGray,
        .RootHoverColor = 0xEFD3C6,
        .RootHoverColorTo = clNone,
        .RootHoverColorMirror = clNone,
        .RootHoverColorMirrorTo = clNone,
        .RootHoverBorderColor = 0x6A240A,
        .RootHoverTextColor = clWindowText,
        .RootGradientDirection = kKeep,
        .SelectedColor = 0xEFD3C6,
        .SelectedColorTo = clNone,
        .SelectedColorMirror = clNone,
        .SelectedColorMirrorTo = clNone,
        .SelectedBorderColor = 0x6A240A,
        .SelectedCheckColor = 0xB59284,
        .SelectedCheckColorTo = clNone,
        .SelectedRadioColor = 0xB59284,
        .SelectedRadioColorTo = clNone,
        .SelectedCheckBorder = 0x6A240A,
        .SelectedRadioBorder = 0x6A240A,
        .IconColor = clBtnFace,
        .IconColorTo = clNone,
        .IconCheckColor = 0xEFD3C6,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = 0x6A240A,
        .IconRadioColor = kKeep,
        .IconRadioColorTo = kKeep,
        .IconRadioBorder = kKeep,
        .IconSeparatorColor = kKeep,
        .SeparatorColor = 0x7A868A,
        .SeparatorColorTo = clNone,
        .ButtonHoverColor = 0xEFD3C6,
        .ButtonHoverColorTo = clNone,
        .ButtonHoverBorderColor = 0x6A240A,
        .ButtonDownColor = 0xB59284,
        .ButtonDownColorTo = clNone,
        .ButtonDownBorderColor = 0x6A240A,
    },
    // osOffice2007Luna
    {
        .BackgroundColor = 0xF6F6F6,
        .BackgroundColorTo = 0xF6F6F6,
        .MenuBorderColor = clSilver,
        .RootColor = 0xF2DAC2,
        .RootColorTo = 0xF0D9C1,
        .RootSelectedColor = 0x76AFF1,
        .RootSelectedColorTo = 0x4190F3,
        .RootSelectedColorMirror = 0x0E72F1,
        .RootSelectedColorMirrorTo = 0x4C9FFD,
        .RootSelectedBorderColor = 0x45667B,
        .RootHoverColor = 0xEBFDFF,
        .RootHoverColorTo = 0xABEBFF,
        .RootHoverColorMirror = 0x69D6FF,
        .RootHoverColorMirrorTo = 0x96E4FF,
        .RootHoverBorderColor = 0x99CEDB,
        .RootHoverTextColor = clWindowText,
        .RootGradientDirection = V(gdVertical),
        .SelectedColor = 0xEBFDFF,
        .SelectedColorTo = 0xABEBFF,
        .SelectedColorMirror = 0x69D6FF,
        .SelectedColorMirrorTo = 0x96E4FF,
        .SelectedBorderColor = 0x99CEDB,
        .SelectedCheckColor = 0x3E80FE,
        .SelectedCheckColorTo = clNone,
        .SelectedRadioColor = 0x3E80FE,
        .SelectedRadioColorTo = clNone,
        .SelectedCheckBorder = clNavy,
        .SelectedRadioBorder = clNavy,
        .IconColor = 0xEEEEE9,
        .IconColorTo = 0xEEEEE9,
        .IconCheckColor = 0x6FC0FF,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = clNavy,
        .IconRadioColor = 0x6FC0FF,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = clNavy,
        .IconSeparatorColor = 0xC5C5C5,
        .SeparatorColor = 0xC5C5C5,
        .SeparatorColorTo = clNone,
        .ButtonHoverColor = 0xE0DEDD,
        .ButtonHoverColorTo = 0xF4F2F1,
        .ButtonHoverBorderColor = 0xB5AFA8,
        .ButtonDownColor = 0xCCCAC9,
        .ButtonDownColorTo = 0xEAE8E7,
        .ButtonDownBorderColor = 0xB5AFA8,
    },
    // osOffice2007Obsidian
    {
        .BackgroundColor = 0xF6F6F6,
        .BackgroundColorTo = 0xF6F6F6,
        .MenuBorderColor = clSilver,
        .RootColor = 0xB8B8B6,
        .RootColorTo = 0xA0A09E,
        .RootSelectedColor = 0x76AFF1,
        .RootSelectedColorTo = 0x4190F3,
        .RootSelectedColorMirror = 0x0E72F1,
        .RootSelectedColorMirrorTo = 0x4C9FFD,
        .RootSelectedBorderColor = 0x45667B,
        .RootHoverColor = 0xEBFDFF,
        .RootHoverColorTo = 0xABEBFF,
        .RootHoverColorMirror = 0x69D6FF,
        .RootHoverColorMirrorTo = 0x96E4FF,
        .RootHoverBorderColor = 0x99CEDB,
        .RootHoverTextColor = clWindowText,
        .RootGradientDirection = V(gdVertical),
        .SelectedColor = 0xEBFDFF,
        .SelectedColorTo = 0xABEBFF,
        .SelectedColorMirror = 0x69D6FF,
        .SelectedColorMirrorTo = 0x96E4FF,
        .SelectedBorderColor = 0x99CEDB,
        .SelectedCheckColor = 0x3E80FE,
        .SelectedCheckColorTo = clNone,
        .SelectedRadioColor = 0x3E80FE,
        .SelectedRadioColorTo = clNone,
        .SelectedCheckBorder = clNavy,
        .SelectedRadioBorder = clNavy,
        .IconColor = 0xEEEEE9,
        .IconColorTo = 0xEEEEE9,
        .IconCheckColor = 0x6FC0FF,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = clNavy,
        .IconRadioColor = 0x6FC0FF,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = clNavy,
        .IconSeparatorColor = 0xC5C5C5,
        .SeparatorColor = 0xC5C5C5,
        .SeparatorColorTo = clNone,
        .ButtonHoverColor = 0xE0DEDD,
        .ButtonHoverColorTo = 0xF4F2F1,
        .ButtonHoverBorderColor = 0xB5AFA8,
        .ButtonDownColor = 0xCCCAC9,
        .ButtonDownColorTo = 0xEAE8E7,
        .ButtonDownBorderColor = 0xB5AFA8,
    },
    // osCustom: not used
    kNoPreset,
    // osOffice2007Silver
    {
        .BackgroundColor = 0xFAFAFA,
        .BackgroundColorTo = 0xFAFAFA,
        .MenuBorderColor = 0x868686,
        .RootColor = 0xE5D7D7,
        .RootColorTo = 0xF7F3F3,
        .RootSelectedColor = 0x76AFF1,
        .RootSelectedColorTo = 0x4190F3,
        .RootSelectedColorMirror = 0x0E72F1,
        .RootSelectedColorMirrorTo = 0x4C9FFD,
        .RootSelectedBorderColor = 0x45667B,
        .RootHoverColor = 0xEBFDFF,
        .RootHoverColorTo = 0xABEBFF,
        .RootHoverColorMirror = 0x69D6FF,
        .RootHoverColorMirrorTo = 0x96E4FF,
        .RootHoverBorderColor = 0x99CEDB,
        .RootHoverTextColor = clWindowText,
        .RootGradientDirection = V(gdHorizontal),
        .SelectedColor = 0xEBFDFF,
        .SelectedColorTo = 0xABEBFF,
        .SelectedColorMirror = 0x69D6FF,
        .SelectedColorMirrorTo = 0x96E4FF,
        .SelectedBorderColor = 0x99CEDB,
        .SelectedCheckColor = 0x3E80FE,
        .SelectedCheckColorTo = clNone,
        .SelectedRadioColor = 0x3E80FE,
        .SelectedRadioColorTo = clNone,
        .SelectedCheckBorder = clNavy,
        .SelectedRadioBorder = clNavy,
        .IconColor = 0xEFEFEF,
        .IconColorTo = 0xEFEFEF,
        .IconCheckColor = 0x6FC0FF,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = clNavy,
        .IconRadioColor = 0x6FC0FF,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = clNavy,
        .IconSeparatorColor = 0xC5C5C5,
        .SeparatorColor = 0xC5C5C5,
        .SeparatorColorTo = clNone,
        .ButtonHoverColor = 0xE0DEDD,
        .ButtonHoverColorTo = 0xF4F2F1,
        .ButtonHoverBorderColor = 0xB5AFA8,
        .ButtonDownColor = 0xCCCAC9,
        .ButtonDownColorTo = 0xEAE8E7,
        .ButtonDownBorderColor = 0xB5AFA8,
    },
    // osVista
    {
        .BackgroundColor = 0xEEEEEE,
        .BackgroundColorTo = clNone,
        .MenuBorderColor = 0x979797,
        .RootColor = clWhite,
        .RootColorTo = 0xEEDBD4,
        .RootSelectedColor = 0xBBB8B6,
        .RootSelectedColorTo = 0xE1D0C9,
        .RootSelectedColorMirror = clNone,
        .RootSelectedColorMirrorTo = clNone,
        .RootSelectedBorderColor = 0x9A9A9A,
        .RootHoverColor = clWhite,
        .RootHoverColorTo = 0xE7D9D3,
        .RootHoverColorMirror = clNone,
        .RootHoverColorMirrorTo = clNone,
        .RootHoverBorderColor = 0xC8B2A8,
        .RootHoverTextColor = clWindowText,
        .RootGradientDirection = V(gdVertical),
        .SelectedColor = 0xF4F1EB,
        .SelectedColorTo = 0xF3EBDA,
        .SelectedColorMirror = clNone,
        .SelectedColorMirrorTo = clNone,
        .SelectedBorderColor = 0xE5C3A8,
        .SelectedCheckColor = 0xE8D4C2,
        .SelectedCheckColorTo = clNone,
        .SelectedRadioColor = 0xE8D4C2,
        .SelectedRadioColorTo = clNone,
        .SelectedCheckBorder = 0x9A7D6A,
        .SelectedRadioBorder = 0x9A7D6A,
        .IconColor = 0xEEEEEE,
        .IconColorTo = clNone,
        .IconCheckColor = 0xE8D4C2,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = 0x9A7D6A,
        .IconRadioColor = 0xE8D4C2,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = 0x9A7D6A,
        .IconSeparatorColor = 0xE0E0E0,
        .SeparatorColor = 0xE0E0E0,
        .SeparatorColorTo = clNone,
        .ButtonHoverColor = 0xE0DEDD,
        .ButtonHoverColorTo = 0xF4F2F1,
        .ButtonHoverBorderColor = 0xB5AFA8,
        .ButtonDownColor = 0xCCCAC9,
        .ButtonDownColorTo = 0xEAE8E7,
        .ButtonDownBorderColor = 0xB5AFA8,
    },
};
static_assert(std::size(kOfficePresets) == osVista + 1, "one office preset per style");

// Font styles of the fantasy presets.
constexpr V kBold = 1, kItalic = 2;
// The background picture: cleared, or the tiled texture.
constexpr V kClearPicture = 0, kTexture = 1;

struct TFantasyPreset {
    V BackgroundColor, BackgroundColorTo, BackgroundGradientDirection, MenuBorderColor, Picture, FontColor;
    V RootFontStyle, RootColor, RootColorTo, RootGradientDirection, RootFontColor, RootFontSize,
        RootSelectedColor, RootSelectedColorTo, RootSelectedBorderColor, RootSelectedTextColor,
        RootHoverColor, RootHoverColorTo, RootHoverBorderColor, RootHoverTextColor;
    V SelectedColor, SelectedColorTo, SelectedGradientDirection, SelectedBorderColor, SelectedFontColor,
        SelectedFontStyle, SelectedUseSystemFont, SelectedCheckColor, SelectedCheckColorTo,
        SelectedCheckBorder, SelectedRadioColor, SelectedRadioColorTo, SelectedRadioBorder,
        SelectedCheckGradientDirection, SelectedRadioGradientDirection;
    V IconColor, IconColorTo, IconCheckColor, IconCheckColorTo, IconCheckBorder, IconRadioColor,
        IconRadioColorTo, IconRadioBorder, IconCheckGradientDirection, IconRadioGradientDirection;
    V SeparatorColor, SeparatorColorTo, SeparatorGradientDirection;
    V SideBarVisible, SideBarImageColor, SideBarImageColorTo, SideBarBackgroundGradientDirection,
        SideBarFontColor;
};
constexpr int kFantasyValues = 53;
static_assert(sizeof(TFantasyPreset) == kFantasyValues * sizeof(V), "every fantasy value is listed once");

// By TFantasyStyle up to fsWhidbey; fsCustom has none.
constexpr TFantasyPreset kFantasyPresets[] = {
    // fsArctic
    {
        .BackgroundColor = clWindow,
        .BackgroundColorTo = clNone,
        .BackgroundGradientDirection = V(gdVertical),
        .MenuBorderColor = clSilver,
        .Picture = kClearPicture,
        .FontColor = clSilver,
        .RootFontStyle = 0,
        .RootColor = clWhite,
        .RootColorTo = clInactiveCaptionText,
        .RootGradientDirection = V(gdVertical),
        .RootFontColor = clGray,
        .RootFontSize = 8,
        .RootSelectedColor = clInactiveCaptionText,
        .RootSelectedColorTo = clWhite,
        .RootSelectedBorderColor = clSilver,
        .RootSelectedTextColor = clWindowText,
        .RootHoverColor = clWhite,
        .RootHoverColorTo = clInactiveCaptionText,
        .RootHoverBorderColor = clSilver,
        .RootHoverTextColor = clWindowText,
        .SelectedColor = clWhite,
        .SelectedColorTo = clInactiveCaptionText,
        .SelectedGradientDirection = V(gdVertical),
        .SelectedBorderColor = clSilver,
        .SelectedFontColor = clGray,
        .SelectedFontStyle = 0,
        .SelectedUseSystemFont = 0,
        .SelectedCheckColor = clInactiveCaptionText,
        .SelectedCheckColorTo = clNone,
        .SelectedCheckBorder = clGray,
        .SelectedRadioColor = clInactiveCaptionText,
        .SelectedRadioColorTo = clNone,
        .SelectedRadioBorder = clGray,
        .SelectedCheckGradientDirection = kKeep,
        .SelectedRadioGradientDirection = kKeep,
        .IconColor = 0xEFEFEF,
        .IconColorTo = clWhite,
        .IconCheckColor = clWhite,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = clSilver,
        .IconRadioColor = clWhite,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = clSilver,
        .IconCheckGradientDirection = kKeep,
        .IconRadioGradientDirection = kKeep,
        .SeparatorColor = clSilver,
        .SeparatorColorTo = clWhite,
        .SeparatorGradientDirection = V(gdHorizontal),
        .SideBarVisible = 0,
        .SideBarImageColor = kKeep,
        .SideBarImageColorTo = kKeep,
        .SideBarBackgroundGradientDirection = kKeep,
        .SideBarFontColor = kKeep,
    },
    // fsAquaBlue
    {
        .BackgroundColor = clWhite,
        .BackgroundColorTo = clWhite,
        .BackgroundGradientDirection = V(gdVertical),
        .MenuBorderColor = clNone,
        .Picture = kClearPicture,
        .FontColor = 0x26B0FB,
        .RootFontStyle = 0,
        .RootColor = 0xD08130,
        .RootColorTo = 0xFEF17E,
        .RootGradientDirection = V(gdVertical),
        .RootFontColor = clWhite,
        .RootFontSize = 8,
        .RootSelectedColor = 0xE6E0B0,
        .RootSelectedColorTo = 0xD08130,
        .RootSelectedBorderColor = 0xD08130,
        .RootSelectedTextColor = clWhite,
        .RootHoverColor = 0xFEF17E,
        .RootHoverColorTo = 0xE6E0B0,
        .RootHoverBorderColor = 0xD08130,
        .RootHoverTextColor = 0x804000,
        .SelectedColor = 0xFEF17E,
        .SelectedColorTo = 0xD08130,
        .SelectedGradientDirection = V(gdVertical),
        .SelectedBorderColor = 0xD08130,
        .SelectedFontColor = clWhite,
        .SelectedFontStyle = kBold,
        .SelectedUseSystemFont = 0,
        .SelectedCheckColor = 0xD08130,
        .SelectedCheckColorTo = 0xFEF17E,
        .SelectedCheckBorder = 0x804000,
        .SelectedRadioColor = 0xD08130,
        .SelectedRadioColorTo = 0xFEF17E,
        .SelectedRadioBorder = 0x804000,
        .SelectedCheckGradientDirection = V(gdHorizontal),
        .SelectedRadioGradientDirection = kKeep,
        .IconColor = 0xE6E0B0,
        .IconColorTo = clWhite,
        .IconCheckColor = 0xFEF17E,
        .IconCheckColorTo = 0xD08130,
        .IconCheckBorder = 0xD08130,
        .IconRadioColor = 0xFEF17E,
        .IconRadioColorTo = 0xD08130,
        .IconRadioBorder = 0xD08130,
        .IconCheckGradientDirection = V(gdHorizontal),
        .IconRadioGradientDirection = V(gdHorizontal),
        .SeparatorColor = 0xE6E0B0,
        .SeparatorColorTo = 0xE6E0B0,
        .SeparatorGradientDirection = V(gdHorizontal),
        .SideBarVisible = 0,
        .SideBarImageColor = kKeep,
        .SideBarImageColorTo = kKeep,
        .SideBarBackgroundGradientDirection = kKeep,
        .SideBarFontColor = kKeep,
    },
    // fsChocolate
    {
        .BackgroundColor = clWindow,
        .BackgroundColorTo = clBtnFace,
        .BackgroundGradientDirection = V(gdVertical),
        .MenuBorderColor = clGray,
        .Picture = kClearPicture,
        .FontColor = clMaroon,
        .RootFontStyle = 0,
        .RootColor = clBtnFace,
        .RootColorTo = clWhite,
        .RootGradientDirection = V(gdVertical),
        .RootFontColor = clMaroon,
        .RootFontSize = 8,
        .RootSelectedColor = clBtnFace,
        .RootSelectedColorTo = 0x8AC2C1,
        .RootSelectedBorderColor = 0x7A868A,
        .RootSelectedTextColor = clMaroon,
        .RootHoverColor = 0xD9FFFF,
        .RootHoverColorTo = 0xC1FFFE,
        .RootHoverBorderColor = 0x7A868A,
        .RootHoverTextColor = clMaroon,
        .SelectedColor = 0xC1FFFE,
        .SelectedColorTo = 0xD9FFFF,
        .SelectedGradientDirection = V(gdVertical),
        .SelectedBorderColor = 0x7A868A,
        .SelectedFontColor = 0x7A868A,
        .SelectedFontStyle = 0,
        .SelectedUseSystemFont = 0,
        .SelectedCheckColor = 0x8AC2C1,
        .SelectedCheckColorTo = clNone,
        .SelectedCheckBorder = clMaroon,
        .SelectedRadioColor = 0x8AC2C1,
        .SelectedRadioColorTo = clNone,
        .SelectedRadioBorder = clMaroon,
        .SelectedCheckGradientDirection = kKeep,
        .SelectedRadioGradientDirection = kKeep,
        .IconColor = 0xD7EDED,
        .IconColorTo = 0x8AC2C1,
        .IconCheckColor = 0xC1FFFE,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = clMaroon,
        .IconRadioColor = 0xC1FFFE,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = clMaroon,
        .IconCheckGradientDirection = kKeep,
        .IconRadioGradientDirection = kKeep,
        .SeparatorColor = 0x7A868A,
        .SeparatorColorTo = clNone,
        .SeparatorGradientDirection = kKeep,
        .SideBarVisible = 0,
        .SideBarImageColor = kKeep,
        .SideBarImageColorTo = kKeep,
        .SideBarBackgroundGradientDirection = kKeep,
        .SideBarFontColor = kKeep,
    },
    // fsMacOS
    {
        .BackgroundColor = clWhite,
        .BackgroundColorTo = 0xF3F3F3,
        .BackgroundGradientDirection = V(gdVertical),
        .MenuBorderColor = clGray,
        .Picture = kClearPicture,
        .FontColor = clBlack,
        .RootFontStyle = 0,
        .RootColor = clWhite,
        .RootColorTo = 0xF3F3F3,
        .RootGradientDirection = V(gdVertical),
        .RootFontColor = clBlack,
        .RootFontSize = 8,
        .RootSelectedColor = 0xF19546,
        .RootSelectedColorTo = 0xC34907,
        .RootSelectedBorderColor = 0xC34907,
        .RootSelectedTextColor = clWhite,
        .RootHoverColor = 0xF3F3F3,
        .RootHoverColorTo = 0xE0E0E0,
        .RootHoverBorderColor = clGray,
        .RootHoverTextColor = clBlack,
        .SelectedColor = 0xF19546,
        .SelectedColorTo = 0xC34907,
        .SelectedGradientDirection = V(gdVertical),
        .SelectedBorderColor = 0xC34907,
        .SelectedFontColor = clWhite,
        .SelectedFontStyle = 0,
        .SelectedUseSystemFont = 0,
        .SelectedCheckColor = clWhite,
        .SelectedCheckColorTo = 0xF3F3F3,
        .SelectedCheckBorder = 0xC34907,
        .SelectedRadioColor = clWhite,
        .SelectedRadioColorTo = 0xF3F3F3,
        .SelectedRadioBorder = 0xC34907,
        .SelectedCheckGradientDirection = V(gdVertical),
        .SelectedRadioGradientDirection = V(gdVertical),
        .IconColor = 0xF3F3F3,
        .IconColorTo = clWhite,
        .IconCheckColor = 0xF19546,
        .IconCheckColorTo = 0xC34907,
        .IconCheckBorder = clGray,
        .IconRadioColor = 0xF19546,
        .IconRadioColorTo = 0xC34907,
        .IconRadioBorder = clGray,
        .IconCheckGradientDirection = kKeep,
        .IconRadioGradientDirection = kKeep,
        .SeparatorColor = clWhite,
        .SeparatorColorTo = clWhite,
        .SeparatorGradientDirection = kKeep,
        .SideBarVisible = 0,
        .SideBarImageColor = kKeep,
        .SideBarImageColorTo = kKeep,
        .SideBarBackgroundGradientDirection = kKeep,
        .SideBarFontColor = kKeep,
    },
    // fsSilverFox
    {
        .BackgroundColor = 0xD1C9C8,
        .BackgroundColorTo = 0xD1C9C8,
        .BackgroundGradientDirection = V(gdVertical),
        .MenuBorderColor = 0x666666,
        .Picture = kClearPicture,
        .FontColor = clBlack,
        .RootFontStyle = 0,
        .RootColor = clWhite,
        .RootColorTo = 0xC5BAB7,
        .RootGradientDirection = V(gdVertical),
        .RootFontColor = clBlack,
        .RootFontSize = 8,
        .RootSelectedColor = 0xF1F3F4,
        .RootSelectedColorTo = 0xD2BDB5,
        .RootSelectedBorderColor = 0x666666,
        .RootSelectedTextColor = 0x0000B0,
        .RootHoverColor = clWhite,
        .RootHoverColorTo = 0xE4DCDA,
        .RootHoverBorderColor = 0x666666,
        .RootHoverTextColor = clBlack,
        .SelectedColor = 0xD2BDB5,
        .SelectedColorTo = clNone,
        .SelectedGradientDirection = V(gdVertical),
        .SelectedBorderColor = 0x666666,
        .SelectedFontColor = 0x0000B0,
        .SelectedFontStyle = 0,
        .SelectedUseSystemFont = 0,
        .SelectedCheckColor = clWhite,
        .SelectedCheckColorTo = clNone,
        .SelectedCheckBorder = 0x666666,
        .SelectedRadioColor = clWhite,
        .SelectedRadioColorTo = clNone,
        .SelectedRadioBorder = 0x666666,
        .SelectedCheckGradientDirection = kKeep,
        .SelectedRadioGradientDirection = kKeep,
        .IconColor = clWhite,
        .IconColorTo = 0xE4DCDA,
        .IconCheckColor = 0xD2BDB5,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = 0x666666,
        .IconRadioColor = 0xD2BDB5,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = 0x666666,
        .IconCheckGradientDirection = kKeep,
        .IconRadioGradientDirection = kKeep,
        .SeparatorColor = 0xA6A6A6,
        .SeparatorColorTo = clNone,
        .SeparatorGradientDirection = V(gdHorizontal),
        .SideBarVisible = 0,
        .SideBarImageColor = kKeep,
        .SideBarImageColorTo = kKeep,
        .SideBarBackgroundGradientDirection = kKeep,
        .SideBarFontColor = kKeep,
    },
    // fsSoftSand
    {
        .BackgroundColor = 0xE7F7FF,
        .BackgroundColorTo = clNone,
        .BackgroundGradientDirection = V(gdVertical),
        .MenuBorderColor = clBlack,
        .Picture = kClearPicture,
        .FontColor = clGray,
        .RootFontStyle = 0,
        .RootColor = 0xE7F7FF,
        .RootColorTo = clWhite,
        .RootGradientDirection = V(gdVertical),
        .RootFontColor = 0x0884BD,
        .RootFontSize = 8,
        .RootSelectedColor = 0xE7F7FF,
        .RootSelectedColorTo = 0xB5DEF7,
        .RootSelectedBorderColor = 0x0884BD,
        .RootSelectedTextColor = clBlack,
        .RootHoverColor = 0xB5DEF7,
        .RootHoverColorTo = 0xE7F7FF,
        .RootHoverBorderColor = 0x0884BD,
        .RootHoverTextColor = clBlack,
        .SelectedColor = 0xB5DEF7,
        .SelectedColorTo = 0xE7F7FF,
        .SelectedGradientDirection = V(gdVertical),
        .SelectedBorderColor = 0x0884BD,
        .SelectedFontColor = 0x0884BD,
        .SelectedFontStyle = 0,
        .SelectedUseSystemFont = 0,
        .SelectedCheckColor = 0xE7F7FF,
        .SelectedCheckColorTo = clNone,
        .SelectedCheckBorder = 0x0884BD,
        .SelectedRadioColor = 0xE7F7FF,
        .SelectedRadioColorTo = clNone,
        .SelectedRadioBorder = 0x0884BD,
        .SelectedCheckGradientDirection = kKeep,
        .SelectedRadioGradientDirection = kKeep,
        .IconColor = 0xB5DEF7,
        .IconColorTo = clNone,
        .IconCheckColor = 0xE7F7FF,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = 0x0884BD,
        .IconRadioColor = 0xE7F7FF,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = 0x0884BD,
        .IconCheckGradientDirection = kKeep,
        .IconRadioGradientDirection = kKeep,
        .SeparatorColor = 0x0884BD,
        .SeparatorColorTo = 0x0884BD,
        .SeparatorGradientDirection = kKeep,
        .SideBarVisible = 0,
        .SideBarImageColor = kKeep,
        .SideBarImageColorTo = kKeep,
        .SideBarBackgroundGradientDirection = kKeep,
        .SideBarFontColor = kKeep,
    },
    // fsTerminalGreen
    {
        .BackgroundColor = clWindow,
        .BackgroundColorTo = clNone,
        .BackgroundGradientDirection = V(gdVertical),
        .MenuBorderColor = 0x00C000,
        .Picture = kClearPicture,
        .FontColor = clGreen,
        .RootFontStyle = 0,
        .RootColor = 0xF7FFF7,
        .RootColorTo = clNone,
        .RootGradientDirection = V(gdVertical),
        .RootFontColor = clGreen,
        .RootFontSize = 8,
        .RootSelectedColor = 0x00C000,
        .RootSelectedColorTo = clNone,
        .RootSelectedBorderColor = clGreen,
        .RootSelectedTextColor = clWhite,
        .RootHoverColor = 0xD0FFD0,
        .RootHoverColorTo = clNone,
        .RootHoverBorderColor = 0x00C000,
        .RootHoverTextColor = clGreen,
        .SelectedColor = 0xF7FFF7,
        .SelectedColorTo = clNone,
        .SelectedGradientDirection = V(gdVertical),
        .SelectedBorderColor = 0x00C000,
        .SelectedFontColor = clGreen,
        .SelectedFontStyle = 0,
        .SelectedUseSystemFont = 0,
        .SelectedCheckColor = 0x00C000,
        .SelectedCheckColorTo = clNone,
        .SelectedCheckBorder = clGreen,
        .SelectedRadioColor = 0x00C000,
        .SelectedRadioColorTo = clNone,
        .SelectedRadioBorder = clGreen,
        .SelectedCheckGradientDirection = kKeep,
        .SelectedRadioGradientDirection = kKeep,
        .IconColor = 0x00A000,
        .IconColorTo = clNone,
        .IconCheckColor = 0x00C000,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = clWhite,
        .IconRadioColor = 0x00C000,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = clWhite,
        .IconCheckGradientDirection = kKeep,
        .IconRadioGradientDirection = kKeep,
        .SeparatorColor = 0x00C000,
        .SeparatorColorTo = clNone,
        .SeparatorGradientDirection = kKeep,
        .SideBarVisible = 0,
        .SideBarImageColor = kKeep,
        .SideBarImageColorTo = kKeep,
        .SideBarBackgroundGradientDirection = kKeep,
        .SideBarFontColor = kKeep,
    },
    // fsTextured
    {
        .BackgroundColor = clNone,
        .BackgroundColorTo = clNone,
        .BackgroundGradientDirection = V(gdVertical),
        .MenuBorderColor = 0x0000B0,
        .Picture = kTexture,
        .FontColor = clWhite,
        .RootFontStyle = kBold | kItalic,
        .RootColor = 0xCFD5F3,
        .RootColorTo = 0xCFD5F3,
        .RootGradientDirection = V(gdVertical),
        .RootFontColor = 0x0000B0,
        .RootFontSize = 10,
        .RootSelectedColor = clNone,
        .RootSelectedColorTo = clNone,
        .RootSelectedBorderColor = 0x0000B0,
        .RootSelectedTextColor = clRed,
        .RootHoverColor = clNone,
        .RootHoverColorTo = clNone,
        .RootHoverBorderColor = 0x0000B0,
        .RootHoverTextColor = clRed,
        .SelectedColor = clNone,
        .SelectedColorTo = clNone,
        .SelectedGradientDirection = V(gdVertical),
        .SelectedBorderColor = clWhite,
        .SelectedFontColor = clRed,
        .SelectedFontStyle = kBold,
        .SelectedUseSystemFont = 0,
        .SelectedCheckColor = 0xCFD5F3,
        .SelectedCheckColorTo = clNone,
        .SelectedCheckBorder = clWhite,
        .SelectedRadioColor = 0xCFD5F3,
        .SelectedRadioColorTo = clNone,
        .SelectedRadioBorder = clWhite,
        .SelectedCheckGradientDirection = kKeep,
        .SelectedRadioGradientDirection = kKeep,
        .IconColor = 0xCFD5F3,
        .IconColorTo = 0xCFD5F3,
        .IconCheckColor = clWhite,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = 0x0000B0,
        .IconRadioColor = clWhite,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = 0x0000B0,
        .IconCheckGradientDirection = kKeep,
        .IconRadioGradientDirection = kKeep,
        .SeparatorColor = clWhite,
        .SeparatorColorTo = clNone,
        .SeparatorGradientDirection = V(gdHorizontal),
        .SideBarVisible = 0,
        .SideBarImageColor = kKeep,
        .SideBarImageColorTo = kKeep,
        .SideBarBackgroundGradientDirection = kKeep,
        .SideBarFontColor = kKeep,
    },
    // fsWindowsClassic
    {
        .BackgroundColor = clMenu,
        .BackgroundColorTo = clMenu,
        .BackgroundGradientDirection = V(gdVertical),
        .MenuBorderColor = clBlack,
        .Picture = kClearPicture,
        .FontColor = clBlack,
        .RootFontStyle = 0,
        .RootColor = clMenu,
        .RootColorTo = clNone,
        .RootGradientDirection = V(gdVertical),
        .RootFontColor = clBlack,
        .RootFontSize = 8,
        .RootSelectedColor = 0xA1684A,
        .RootSelectedColorTo = clNone,
        .RootSelectedBorderColor = 0xA1684A,
        .RootSelectedTextColor = clWhite,
        .RootHoverColor = clMenu,
        .RootHoverColorTo = clNone,
        .RootHoverBorderColor = clGray,
        .RootHoverTextColor = clBlack,
        .SelectedColor = 0xA1684A,
        .SelectedColorTo = clNone,
        .SelectedGradientDirection = V(gdVertical),
        .SelectedBorderColor = 0xA1684A,
        .SelectedFontColor = clWhite,
        .SelectedFontStyle = 0,
        .SelectedUseSystemFont = 0,
        .SelectedCheckColor = 0xA1684A,
        .SelectedCheckColorTo = clNone,
        .SelectedCheckBorder = clWhite,
        .SelectedRadioColor = 0xA1684A,
        .SelectedRadioColorTo = clNone,
        .SelectedRadioBorder = clWhite,
        .SelectedCheckGradientDirection = kKeep,
        .SelectedRadioGradientDirection = kKeep,
        .IconColor = clMenu,
        .IconColorTo = clNone,
        .IconCheckColor = clMenu,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = clBlack,
        .IconRadioColor = clMenu,
        .IconRadioColorTo = clNone,
        .IconRadioBorder = clBlack,
        .IconCheckGradientDirection = kKeep,
        .IconRadioGradientDirection = kKeep,
        .SeparatorColor = clBlack,
        .SeparatorColorTo = clNone,
        .SeparatorGradientDirection = kKeep,
        .SideBarVisible = 1,
        .SideBarImageColor = 0xEDC6A9,
        .SideBarImageColorTo = 0x6A240A,
        .SideBarBackgroundGradientDirection = V(gdHorizontal),
        .SideBarFontColor = clWhite,
    },
    // fsWhidbey
    {
        .BackgroundColor = 0xF9FCFC,
        .BackgroundColorTo = 0xF9FCFC,
        .BackgroundGradientDirection = kKeep,
        .MenuBorderColor = 0x7A868A,
        .Picture = kKeep,
        .FontColor = kKeep,
        .RootFontStyle = kKeep,
        .RootColor = 0xD9E6E7,
        .RootColorTo = 0xD9E6E7,
        .RootGradientDirection = kKeep,
        .RootFontColor = kKeep,
        .RootFontSize = kKeep,
        .RootSelectedColor = 0xF4F9F9,
        .RootSelectedColorTo = clNone,
        .RootSelectedBorderColor = 0x7A868A,
        .RootSelectedTextColor = clBlack,
        .RootHoverColor = 0xEFD3C6,
        .RootHoverColorTo = clNone,
        .RootHoverBorderColor = 0xC66931,
        .RootHoverTextColor = clWindowText,
        .SelectedColor = 0xEED2C1,
        .SelectedColorTo = clNone,
        .SelectedGradientDirection = kKeep,
        .SelectedBorderColor = 0xC56A31,
        .SelectedFontColor = kKeep,
        .SelectedFontStyle = kKeep,
        .SelectedUseSystemFont = kKeep,
        .SelectedCheckColor = 0xC56A31,
        .SelectedCheckColorTo = clNone,
        .SelectedCheckBorder = clBlack,
        .SelectedRadioColor = 0xC56A31,
        .SelectedRadioColorTo = clNone,
        .SelectedRadioBorder = clBlack,
        .SelectedCheckGradientDirection = kKeep,
        .SelectedRadioGradientDirection = kKeep,
        .IconColor = 0xFBFEFE,
        .IconColorTo = 0xACC3C4,
        .IconCheckColor = 0xE8E6E1,
        .IconCheckColorTo = clNone,
        .IconCheckBorder = 0xC56A31,
        .IconRadioColor = kKeep,
        .IconRadioColorTo = kKeep,
        .IconRadioBorder = kKeep,
        .IconCheckGradientDirection = kKeep,
        .IconRadioGradientDirection = kKeep,
        .SeparatorColor = 0xB8C2C5,
        .SeparatorColorTo = clNone,
        .SeparatorGradientDirection = kKeep,
        .SideBarVisible = kKeep,
        .SideBarImageColor = kKeep,
        .SideBarImageColorTo = kKeep,
        .SideBarBackgroundGradientDirection = kKeep,
        .SideBarFontColor = kKeep,
    },
};
static_assert(std::size(kFantasyPresets) == fsCustom, "one fantasy preset per style but custom");

// Writes a value the preset sets.
template <typename F> void Put(V Value, F&& Setter) {
    if (Value != kKeep) Setter(Value);
}

TGradientDirection Dir(V Value) {
    return static_cast<TGradientDirection>(Value);
}

TFontStyles FontStyles(V Value) {
    TFontStyles s;
    if (Value & kBold) s = s + fsBold;
    if (Value & kItalic) s = s + fsItalic;
    return s;
}

void RepaintMenuBar(TMenu* Menu) {
    if (auto* main = dynamic_cast<AdvMenus::TAdvMainMenu*>(Menu))
        if (main->WindowHandle() && win::IsWindow(main->WindowHandle()))
            win::DrawMenuBar(main->WindowHandle());
}

} // namespace

// ---- TAdvMenuOfficeStyler

KV_PUBLISHED(TAdvMenuOfficeStyler) {
    using C = TAdvMenuOfficeStyler;
    DeclareAntiAliasProperty(p);
    p.Bool("AutoThemeAdapt", &C::FAutoThemeAdapt, &C::SetAutoThemeAdapt, false);
    p.Enum("Style", &C::FStyle, &C::SetStyle, osOffice2003Blue);
    DeclareStylerProperties(p);
    p.Color("MenuBorderColor", &C::MenuBorderColor, nullptr); // every style sets it: always stored
}

KV_REGISTER_CLASS(TAdvMenuOfficeStyler)

TAdvMenuOfficeStyler::TAdvMenuOfficeStyler(TComponent* AOwner) : TCustomAdvMenuStyler(AOwner) {
    SetStyle(osOffice2003Blue);
    FNotifier = new TNotifierWindow(this);
    FNotifier->ParentToOwnerWindow(AOwner);
    FNotifier->OnThemeChange = [this](TObject* Sender) { ThemeChanged(Sender); };
}

TAdvMenuOfficeStyler::~TAdvMenuOfficeStyler() {
    BeforeDestruction();
}

void TAdvMenuOfficeStyler::SetStyle(TOfficeStyle Value) {
    FStyle = Value;
    ApplyPreset(Value);
    RepaintMenuBar(Menu());
}

void TAdvMenuOfficeStyler::ApplyPreset(TOfficeStyle Value) {
    if (Value < osOffice2003Blue || Value > osVista) return;
    const TOfficePreset& v = kOfficePresets[Value];
    Put(v.BackgroundColor, [&](V c) { Background()->SetGradientColor(0, c); });
    Put(v.BackgroundColorTo, [&](V c) { Background()->SetGradientColor(1, c); });
    Put(v.MenuBorderColor, [&](V c) { MenuBorderColor = c; });

    TRootItem* root = RootItem();
    Put(v.RootColor, [&](V c) { root->SetGradientColor(0, c); });
    Put(v.RootColorTo, [&](V c) { root->SetGradientColor(1, c); });
    Put(v.RootSelectedColor, [&](V c) { root->SetSelectedColor(0, c); });
    Put(v.RootSelectedColorTo, [&](V c) { root->SetSelectedColor(1, c); });
    Put(v.RootSelectedColorMirror, [&](V c) { root->SetSelectedColor(2, c); });
    Put(v.RootSelectedColorMirrorTo, [&](V c) { root->SetSelectedColor(3, c); });
    Put(v.RootSelectedBorderColor, [&](V c) { root->SelectedBorderColor = c; });
    Put(v.RootHoverColor, [&](V c) { root->SetHoverColor(0, c); });
    Put(v.RootHoverColorTo, [&](V c) { root->SetHoverColor(1, c); });
    Put(v.RootHoverColorMirror, [&](V c) { root->SetHoverColor(2, c); });
    Put(v.RootHoverColorMirrorTo, [&](V c) { root->SetHoverColor(3, c); });
    Put(v.RootHoverBorderColor, [&](V c) { root->HoverBorderColor = c; });
    Put(v.RootHoverTextColor, [&](V c) { root->HoverTextColor = c; });
    Put(v.RootGradientDirection, [&](V d) { root->SetGradientDirection(Dir(d)); });

    TSelectedItem* sel = SelectedItem();
    Put(v.SelectedColor, [&](V c) { sel->SetGradientColor(0, c); });
    Put(v.SelectedColorTo, [&](V c) { sel->SetGradientColor(1, c); });
    Put(v.SelectedColorMirror, [&](V c) { sel->ColorMirror = c; });
    Put(v.SelectedColorMirrorTo, [&](V c) { sel->ColorMirrorTo = c; });
    Put(v.SelectedBorderColor, [&](V c) { sel->BorderColor = c; });
    Put(v.SelectedCheckColor, [&](V c) { sel->SetCheckColor(0, c); });
    Put(v.SelectedCheckColorTo, [&](V c) { sel->SetCheckColor(1, c); });
    Put(v.SelectedRadioColor, [&](V c) { sel->SetRadioColor(0, c); });
    Put(v.SelectedRadioColorTo, [&](V c) { sel->SetRadioColor(1, c); });
    Put(v.SelectedCheckBorder, [&](V c) { sel->CheckBorder = c; });
    Put(v.SelectedRadioBorder, [&](V c) { sel->RadioBorder = c; });

    TIconBar* icon = IconBar();
    Put(v.IconColor, [&](V c) { icon->SetGradientColor(0, c); });
    Put(v.IconColorTo, [&](V c) { icon->SetGradientColor(1, c); });
    Put(v.IconCheckColor, [&](V c) { icon->SetCheckColor(0, c); });
    Put(v.IconCheckColorTo, [&](V c) { icon->SetCheckColor(1, c); });
    Put(v.IconCheckBorder, [&](V c) { icon->CheckBorder = c; });
    Put(v.IconRadioColor, [&](V c) { icon->SetRadioColor(0, c); });
    Put(v.IconRadioColorTo, [&](V c) { icon->SetRadioColor(1, c); });
    Put(v.IconRadioBorder, [&](V c) { icon->RadioBorder = c; });
    Put(v.IconSeparatorColor, [&](V c) { icon->SeparatorColor = c; });

    Put(v.SeparatorColor, [&](V c) { Separator()->SetGradientColor(0, c); });
    Put(v.SeparatorColorTo, [&](V c) { Separator()->SetGradientColor(1, c); });

    TButtonAppearance* button = ButtonAppearance();
    Put(v.ButtonHoverColor, [&](V c) { button->SetHoverColor(c); });
    Put(v.ButtonHoverColorTo, [&](V c) { button->SetHoverColorTo(c); });
    Put(v.ButtonHoverBorderColor, [&](V c) { button->HoverBorderColor = c; });
    Put(v.ButtonDownColor, [&](V c) { button->SetDownColor(c); });
    Put(v.ButtonDownColorTo, [&](V c) { button->SetDownColorTo(c); });
    Put(v.ButtonDownBorderColor, [&](V c) { button->DownBorderColor = c; });
}

void TAdvMenuOfficeStyler::SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) {
    using namespace AdvStyleIF;
    switch (AStyle) {
    case tsOffice2003Blue:
        SetStyle(osOffice2003Blue);
        break;
    case tsOffice2003Silver:
        SetStyle(osOffice2003Silver);
        break;
    case tsOffice2003Olive:
        SetStyle(osOffice2003Olive);
        break;
    case tsOffice2003Classic:
    case tsWindowsXP:
    case tsWhidbey:
        SetStyle(osOfficeXP);
        break;
    case tsOffice2007Luna:
        SetStyle(osOffice2007Luna);
        break;
    case tsOffice2007Obsidian:
        SetStyle(osOffice2007Obsidian);
        break;
    case tsOffice2007Silver:
        SetStyle(osOffice2007Silver);
        break;
    default:
        break; // tsCustom and anything unknown
    }
}

void TAdvMenuOfficeStyler::ThemeChanged(TObject*) {
    if (!FAutoThemeAdapt) return;
    switch (AdvStyleIF::DetectThemeScheme()) {
    case 1:
        SetStyle(osOffice2003Blue);
        break;
    case 2:
        SetStyle(osOffice2003Olive);
        break;
    case 3:
        SetStyle(osOffice2003Silver);
        break;
    default:
        SetStyle(osOfficeXP);
        break;
    }
}

void TAdvMenuOfficeStyler::Loaded() {
    TCustomAdvMenuStyler::Loaded();
    ThemeChanged(this);
}

// ---- TAdvMenuFantasyStyler

KV_PUBLISHED(TAdvMenuFantasyStyler) {
    using C = TAdvMenuFantasyStyler;
    DeclareAntiAliasProperty(p);
    p.Enum("Style", &C::FStyle, &C::SetStyle, fsArctic);
    DeclareStylerProperties(p);
}

KV_REGISTER_CLASS(TAdvMenuFantasyStyler)

TAdvMenuFantasyStyler::TAdvMenuFantasyStyler(TComponent* AOwner) : TCustomAdvMenuStyler(AOwner) {
    if (ComponentState().Contains(csDesigning)) SetStyle(fsCustom);
}

TAdvMenuFantasyStyler::~TAdvMenuFantasyStyler() {
    BeforeDestruction();
}

void TAdvMenuFantasyStyler::SetStyle(TFantasyStyle Value) {
    FStyle = Value;
    TRootItem* root = RootItem();
    TSelectedItem* sel = SelectedItem();
    for (int i = 2; i < 4; ++i) {
        root->SetSelectedColor(i, clNone);
        root->SetHoverColor(i, clNone);
    }
    sel->ColorMirror = clNone;
    sel->ColorMirrorTo = clNone;
    if (Value >= fsArctic && Value < fsCustom) {
        const TFantasyPreset& v = kFantasyPresets[Value];
        TBackground* back = Background();
        Put(v.BackgroundColor, [&](V c) { back->SetGradientColor(0, c); });
        Put(v.BackgroundColorTo, [&](V c) { back->SetGradientColor(1, c); });
        Put(v.BackgroundGradientDirection, [&](V d) { back->SetGradientDirection(Dir(d)); });
        Put(v.MenuBorderColor, [&](V c) { MenuBorderColor = c; });
        Put(v.Picture, [&](V p) {
            if (p == kTexture) {
                back->Image()->Bitmap()->LoadFromResourceName(nullptr, kMenuTextureResource);
                back->Position = bpTiled;
            } else {
                back->SetImage(nullptr);
            }
        });
        Put(v.FontColor, [&](V c) { Font()->SetColor(c); });

        Put(v.RootFontStyle, [&](V s) { root->Font()->SetStyle(FontStyles(s)); });
        Put(v.RootColor, [&](V c) { root->SetGradientColor(0, c); });
        Put(v.RootColorTo, [&](V c) { root->SetGradientColor(1, c); });
        Put(v.RootGradientDirection, [&](V d) { root->SetGradientDirection(Dir(d)); });
        Put(v.RootFontColor, [&](V c) { root->Font()->SetColor(c); });
        Put(v.RootFontSize, [&](V n) { root->Font()->SetSize(n); });
        Put(v.RootSelectedColor, [&](V c) { root->SetSelectedColor(0, c); });
        Put(v.RootSelectedColorTo, [&](V c) { root->SetSelectedColor(1, c); });
        Put(v.RootSelectedBorderColor, [&](V c) { root->SelectedBorderColor = c; });
        Put(v.RootSelectedTextColor, [&](V c) { root->SelectedTextColor = c; });
        Put(v.RootHoverColor, [&](V c) { root->SetHoverColor(0, c); });
        Put(v.RootHoverColorTo, [&](V c) { root->SetHoverColor(1, c); });
        Put(v.RootHoverBorderColor, [&](V c) { root->HoverBorderColor = c; });
        Put(v.RootHoverTextColor, [&](V c) { root->HoverTextColor = c; });

        Put(v.SelectedColor, [&](V c) { sel->SetGradientColor(0, c); });
        Put(v.SelectedColorTo, [&](V c) { sel->SetGradientColor(1, c); });
        Put(v.SelectedGradientDirection, [&](V d) { sel->SetGradientDirection(Dir(d)); });
        Put(v.SelectedBorderColor, [&](V c) { sel->BorderColor = c; });
        Put(v.SelectedFontColor, [&](V c) { sel->Font()->SetColor(c); });
        Put(v.SelectedFontStyle, [&](V s) { sel->Font()->SetStyle(FontStyles(s)); });
        Put(v.SelectedUseSystemFont, [&](V b) { sel->SetUseSystemFont(b != 0); });
        Put(v.SelectedCheckColor, [&](V c) { sel->SetCheckColor(0, c); });
        Put(v.SelectedCheckColorTo, [&](V c) { sel->SetCheckColor(1, c); });
        Put(v.SelectedCheckBorder, [&](V c) { sel->CheckBorder = c; });
        Put(v.SelectedRadioColor, [&](V c) { sel->SetRadioColor(0, c); });
        Put(v.SelectedRadioColorTo, [&](V c) { sel->SetRadioColor(1, c); });
        Put(v.SelectedRadioBorder, [&](V c) { sel->RadioBorder = c; });
        Put(v.SelectedCheckGradientDirection, [&](V d) { sel->CheckGradientDirection = Dir(d); });
        Put(v.SelectedRadioGradientDirection, [&](V d) { sel->RadioGradientDirection = Dir(d); });

        TIconBar* icon = IconBar();
        Put(v.IconColor, [&](V c) { icon->SetGradientColor(0, c); });
        Put(v.IconColorTo, [&](V c) { icon->SetGradientColor(1, c); });
        Put(v.IconCheckColor, [&](V c) { icon->SetCheckColor(0, c); });
        Put(v.IconCheckColorTo, [&](V c) { icon->SetCheckColor(1, c); });
        Put(v.IconCheckBorder, [&](V c) { icon->CheckBorder = c; });
        Put(v.IconRadioColor, [&](V c) { icon->SetRadioColor(0, c); });
        Put(v.IconRadioColorTo, [&](V c) { icon->SetRadioColor(1, c); });
        Put(v.IconRadioBorder, [&](V c) { icon->RadioBorder = c; });
        Put(v.IconCheckGradientDirection, [&](V d) { icon->CheckGradientDirection = Dir(d); });
        Put(v.IconRadioGradientDirection, [&](V d) { icon->RadioGradientDirection = Dir(d); });

        Put(v.SeparatorColor, [&](V c) { Separator()->SetGradientColor(0, c); });
        Put(v.SeparatorColorTo, [&](V c) { Separator()->SetGradientColor(1, c); });
        Put(v.SeparatorGradientDirection, [&](V d) { Separator()->SetGradientDirection(Dir(d)); });

        TSideBar* side = SideBar();
        Put(v.SideBarVisible, [&](V b) { side->SetVisible(b != 0); });
        Put(v.SideBarImageColor, [&](V c) { side->Image()->SetGradientColor(0, c); });
        Put(v.SideBarImageColorTo, [&](V c) { side->Image()->SetGradientColor(1, c); });
        Put(v.SideBarBackgroundGradientDirection,
            [&](V d) { side->Background()->SetGradientDirection(Dir(d)); });
        Put(v.SideBarFontColor, [&](V c) { side->Font()->SetColor(c); });
        if (Value == fsWindowsClassic) side->Caption = "Brix Menu";
    }
    RepaintMenuBar(Menu());
}

} // namespace AdvMenuStylers
