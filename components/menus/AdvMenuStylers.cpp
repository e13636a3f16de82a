#include "components/menus/AdvMenuStylers.h"

#include "components/menus/AdvMenus.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/Windows.h"

namespace AdvMenuStylers {

using namespace vcl;

namespace {

struct TOfficePreset {
    TColor BgColor, BgColorTo, MenuBorder;
    TColor RootColor, RootColorTo, RootSel, RootSelTo, RootSelMirror, RootSelMirrorTo, RootSelBorder;
    TColor RootHover, RootHoverTo, RootHoverMirror, RootHoverMirrorTo, RootHoverBorder;
    bool SetsRootDirection;
    TGradientDirection RootDirection;
    TColor SelColor, SelColorTo, SelMirror, SelMirrorTo, SelBorder;
    TColor SelCheck, SelCheckTo, SelRadio, SelRadioTo, SelCheckBorder, SelRadioBorder;
    TColor IconColor, IconColorTo, IconCheck, IconCheckTo, IconCheckBorder;
    bool SetsIconRadio;
    TColor IconRadio, IconRadioTo, IconRadioBorder;
    bool SetsIconSeparator;
    TColor IconSeparator;
    TColor SepColor, SepColorTo;
    TColor BtnHover, BtnHoverTo, BtnHoverBorder, BtnDown, BtnDownTo, BtnDownBorder;
};

constexpr TColor N = clNone;

// By TOfficeStyle ordinal; osCustom (6) has no preset.
const TOfficePreset kPresets[9] = {
    // osOffice2003Blue
    {0xF6F6F6, 0xF6F6F6, 0x962D00, 0xF5BE9E, 0xF7CDB2, 0xFFEFE3, 0xE7B593,     N,        N,        0x962D00,
     0xCCF4FF, 0x9AD6FF, N,        N,        clNavy,   true,     gdHorizontal, 0xC2EEFF, N,        N,
     N,        clNavy,   0x3E80FE, N,        0x3E80FE, N,        clNavy,       clNavy,   0xFFEFE3, 0xE4AD87,
     0x6FC0FF, N,        clNavy,   true,     0x6FC0FF, N,        clNavy,       false,    N,        0xCB8C6A,
     N,        0xCCF4FF, 0x91D0FF, clNavy,   0x4E91FE, 0x8ED3FF, clNavy},
    // osOffice2003Silver
    {0xF6F6F6, 0xF6F6F6, 0x5E8D75, 0xE5D7D7, 0xF7F3F3, 0xF1E9E8, 0xCDB9BA,     N,        N,        0x947C7C,
     0xCCF4FF, 0x9AD6FF, N,        N,        0x6F4B4B, true,     gdHorizontal, 0xC2EEFF, N,        N,
     N,        0x6F4B4B, 0x3E80FE, N,        0x3E80FE, N,        0x6F4B4B,     0x6F4B4B, 0xFFF9F9, 0xB99D9F,
     0x6FC0FF, N,        0x6F4B4B, true,     0x6FC0FF, N,        0x6F4B4B,     false,    N,        0x8F6D6E,
     N,        0xCCF4FF, 0x91D0FF, 0x6F4B4B, 0x4E91FE, 0x8ED3FF, 0x6F4B4B},
    // osOffice2003Olive
    {0xF6F6F6, 0xF6F6F6, 0x5E8D75, 0xA8D9D9, 0xE4F0F2, 0xD5F0EC, 0x9FCEC2,     N,        N,        0x588060,
     0xCCF4FF, 0x9AD6FF, N,        N,        0x385D3F, true,     gdHorizontal, 0xC2EEFF, N,        N,
     N,        0x385D3F, 0x3E80FE, N,        0x3E80FE, N,        0x385D3F,     0x385D3F, 0xEDFFFF, 0x92C7B8,
     0x6FC0FF, N,        0x385D3F, true,     0x6FC0FF, N,        0x385D3F,     false,    N,        0x588060,
     N,        0xCCF4FF, 0x91D0FF, 0x385D3F, 0x4E91FE, 0x8ED3FF, 0x385D3F},
    // osOfficeXP
    {clWindow, clWindow, clGray,   clBtnFace, clBtnFace, clBtnFace, N,          N,        N,         clGray,
     0xEFD3C6, N,        N,        N,         0x6A240A,  false,     gdVertical, 0xEFD3C6, N,         N,
     N,        0x6A240A, 0xB59284, N,         0xB59284,  N,         0x6A240A,   0x6A240A, clBtnFace, N,
     0xEFD3C6, N,        0x6A240A, false,     N,         N,         N,          false,    N,         0x7A868A,
     N,        0xEFD3C6, N,        0x6A240A,  0xB59284,  N,         0x6A240A},
    // osOffice2007Luna
    {0xF6F6F6, 0xF6F6F6, clSilver, 0xF2DAC2, 0xF0D9C1, 0x76AFF1, 0x4190F3,   0x0E72F1, 0x4C9FFD, 0x45667B,
     0xEBFDFF, 0xABEBFF, 0x69D6FF, 0x96E4FF, 0x99CEDB, true,     gdVertical, 0xEBFDFF, 0xABEBFF, 0x69D6FF,
     0x96E4FF, 0x99CEDB, 0x3E80FE, N,        0x3E80FE, N,        clNavy,     clNavy,   0xEEEEE9, 0xEEEEE9,
     0x6FC0FF, N,        clNavy,   true,     0x6FC0FF, N,        clNavy,     true,     0xC5C5C5, 0xC5C5C5,
     N,        0xE0DEDD, 0xF4F2F1, 0xB5AFA8, 0xCCCAC9, 0xEAE8E7, 0xB5AFA8},
    // osOffice2007Obsidian
    {0xF6F6F6, 0xF6F6F6, clSilver, 0xB8B8B6, 0xA0A09E, 0x76AFF1, 0x4190F3,   0x0E72F1, 0x4C9FFD, 0x45667B,
     0xEBFDFF, 0xABEBFF, 0x69D6FF, 0x96E4FF, 0x99CEDB, true,     gdVertical, 0xEBFDFF, 0xABEBFF, 0x69D6FF,
     0x96E4FF, 0x99CEDB, 0x3E80FE, N,        0x3E80FE, N,        clNavy,     clNavy,   0xEEEEE9, 0xEEEEE9,
     0x6FC0FF, N,        clNavy,   true,     0x6FC0FF, N,        clNavy,     true,     0xC5C5C5, 0xC5C5C5,
     N,        0xE0DEDD, 0xF4F2F1, 0xB5AFA8, 0xCCCAC9, 0xEAE8E7, 0xB5AFA8},
    // osCustom: not used
    {},
    // osOffice2007Silver
    {0xFAFAFA, 0xFAFAFA, 0x868686, 0xE5D7D7, 0xF7F3F3, 0x76AFF1, 0x4190F3,     0x0E72F1, 0x4C9FFD, 0x45667B,
     0xEBFDFF, 0xABEBFF, 0x69D6FF, 0x96E4FF, 0x99CEDB, true,     gdHorizontal, 0xEBFDFF, 0xABEBFF, 0x69D6FF,
     0x96E4FF, 0x99CEDB, 0x3E80FE, N,        0x3E80FE, N,        clNavy,       clNavy,   0xEFEFEF, 0xEFEFEF,
     0x6FC0FF, N,        clNavy,   true,     0x6FC0FF, N,        clNavy,       true,     0xC5C5C5, 0xC5C5C5,
     N,        0xE0DEDD, 0xF4F2F1, 0xB5AFA8, 0xCCCAC9, 0xEAE8E7, 0xB5AFA8},
    // osVista
    {0xEEEEEE, N,        0x979797, clWhite,  0xEEDBD4, 0xBBB8B6, 0xE1D0C9,   N,        N,        0x9A9A9A,
     clWhite,  0xE7D9D3, N,        N,        0xC8B2A8, true,     gdVertical, 0xF4F1EB, 0xF3EBDA, N,
     N,        0xE5C3A8, 0xE8D4C2, N,        0xE8D4C2, N,        0x9A7D6A,   0x9A7D6A, 0xEEEEEE, N,
     0xE8D4C2, N,        0x9A7D6A, true,     0xE8D4C2, N,        0x9A7D6A,   true,     0xE0E0E0, 0xE0E0E0,
     N,        0xE0DEDD, 0xF4F2F1, 0xB5AFA8, 0xCCCAC9, 0xEAE8E7, 0xB5AFA8},
};

} // namespace

KV_PUBLISHED(TAdvMenuOfficeStyler) {
    using C = TAdvMenuOfficeStyler;
    DeclareAntiAliasProperty(p);
    p.Bool("AutoThemeAdapt", &C::FAutoThemeAdapt, &C::SetAutoThemeAdapt, false);
    p.Enum("Style", &C::FStyle, &C::SetStyle, osOffice2003Blue);
    DeclareStylerProperties(p);
}

KV_REGISTER_CLASS(TAdvMenuOfficeStyler)

TAdvMenuOfficeStyler::TAdvMenuOfficeStyler(TComponent* AOwner) : TCustomAdvMenuStyler(AOwner) {
    SetStyle(osOffice2003Blue);
    FThemeListener = SysInfo().AddThemeChangeListener([this] { ThemeChanged(this); });
}

TAdvMenuOfficeStyler::~TAdvMenuOfficeStyler() {
    SysInfo().RemoveThemeChangeListener(FThemeListener);
    BeforeDestruction();
}

void TAdvMenuOfficeStyler::SetStyle(TOfficeStyle Value) {
    FStyle = Value;
    if (Value != osCustom) ApplyPreset(Value);
    if (auto* main = dynamic_cast<AdvMenus::TAdvMainMenu*>(Menu())) {
        if (main->WindowHandle() && win::IsWindow(main->WindowHandle()))
            win::DrawMenuBar(main->WindowHandle());
    }
}

void TAdvMenuOfficeStyler::ApplyPreset(TOfficeStyle Value) {
    if (Value < osOffice2003Blue || Value > osVista || Value == osCustom) return;
    const TOfficePreset& v = kPresets[Value];
    Background()->SetGradientColor(0, v.BgColor);
    Background()->SetGradientColor(1, v.BgColorTo);
    MenuBorderColor = v.MenuBorder;

    TRootItem* root = RootItem();
    root->SetGradientColor(0, v.RootColor);
    root->SetGradientColor(1, v.RootColorTo);
    root->SetSelectedColor(0, v.RootSel);
    root->SetSelectedColor(1, v.RootSelTo);
    root->SetSelectedColor(2, v.RootSelMirror);
    root->SetSelectedColor(3, v.RootSelMirrorTo);
    root->SelectedBorderColor = v.RootSelBorder;
    root->SetHoverColor(0, v.RootHover);
    root->SetHoverColor(1, v.RootHoverTo);
    root->SetHoverColor(2, v.RootHoverMirror);
    root->SetHoverColor(3, v.RootHoverMirrorTo);
    root->HoverBorderColor = v.RootHoverBorder;
    root->HoverTextColor = clWindowText;
    if (v.SetsRootDirection) root->SetGradientDirection(v.RootDirection);

    TSelectedItem* sel = SelectedItem();
    sel->SetGradientColor(0, v.SelColor);
    sel->SetGradientColor(1, v.SelColorTo);
    sel->ColorMirror = v.SelMirror;
    sel->ColorMirrorTo = v.SelMirrorTo;
    sel->BorderColor = v.SelBorder;
    sel->SetCheckColor(0, v.SelCheck);
    sel->SetCheckColor(1, v.SelCheckTo);
    sel->SetRadioColor(0, v.SelRadio);
    sel->SetRadioColor(1, v.SelRadioTo);
    sel->CheckBorder = v.SelCheckBorder;
    sel->RadioBorder = v.SelRadioBorder;

    TIconBar* icon = IconBar();
    icon->SetGradientColor(0, v.IconColor);
    icon->SetGradientColor(1, v.IconColorTo);
    icon->SetCheckColor(0, v.IconCheck);
    icon->SetCheckColor(1, v.IconCheckTo);
    icon->CheckBorder = v.IconCheckBorder;
    if (v.SetsIconRadio) {
        icon->SetRadioColor(0, v.IconRadio);
        icon->SetRadioColor(1, v.IconRadioTo);
        icon->RadioBorder = v.IconRadioBorder;
    }
    if (v.SetsIconSeparator) icon->SeparatorColor = v.IconSeparator;

    Separator()->SetGradientColor(0, v.SepColor);
    Separator()->SetGradientColor(1, v.SepColorTo);

    TButtonAppearance* button = ButtonAppearance();
    button->SetHoverColor(v.BtnHover);
    button->SetHoverColorTo(v.BtnHoverTo);
    button->HoverBorderColor = v.BtnHoverBorder;
    button->SetDownColor(v.BtnDown);
    button->SetDownColorTo(v.BtnDownTo);
    button->DownBorderColor = v.BtnDownBorder;
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

} // namespace AdvMenuStylers
