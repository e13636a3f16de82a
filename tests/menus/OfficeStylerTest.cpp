// The office menu styler: its presets, styles pushed through IBrixStyle and following the desktop's
// colour scheme.

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "tests/menus/MenuTestSupport.h"

namespace menutest {
namespace {

class OfficeStylerTest : public MenuTest {
protected:
    // A system on which the colour scheme is detected.
    static void UseScheme(const String& Scheme) {
        SysInfo().SetVersion(5, 1, 2600, 2, "");
        SysInfo().SetTheme(true, Scheme);
    }
};

TEST_F(OfficeStylerTest, StartsWithTheOffice2003BlueColours) {
    TComponentPtr<TAdvMenuOfficeStyler> s(new TAdvMenuOfficeStyler(nullptr));
    EXPECT_EQ(s->Style(), osOffice2003Blue);
    EXPECT_FALSE(s->AutoThemeAdapt());
    EXPECT_EQ(s->MenuBorderColor, TColor(0x962D00));
    EXPECT_EQ(s->RootItem()->Color(), TColor(0xF5BE9E));
    EXPECT_EQ(s->RootItem()->ColorTo(), TColor(0xF7CDB2));
    EXPECT_EQ(s->RootItem()->GradientDirection(), gdHorizontal);
    EXPECT_EQ(s->IconBar()->Color(), TColor(0xFFEFE3));
    EXPECT_EQ(s->IconBar()->ColorTo(), TColor(0xE4AD87));
    EXPECT_EQ(s->Separator()->Color(), TColor(0xCB8C6A));
    EXPECT_EQ(s->ButtonAppearance()->DownColor(), TColor(0x4E91FE));
    // The base styler's own defaults stay.
    EXPECT_EQ(s->AntiAlias(), AdvGDIP::aaNone);
    EXPECT_EQ(s->IconBar()->Size(), 24);
}

TEST_F(OfficeStylerTest, Office2007LunaLoadsItsWholePreset) {
    TComponentPtr<TAdvMenuOfficeStyler> s(new TAdvMenuOfficeStyler(nullptr));
    s->SetStyle(osOffice2007Luna);
    EXPECT_EQ(s->Background()->Color(), TColor(0xF6F6F6));
    EXPECT_EQ(s->Background()->ColorTo(), TColor(0xF6F6F6));
    EXPECT_EQ(s->MenuBorderColor, clSilver);
    TRootItem* r = s->RootItem();
    EXPECT_EQ(r->Color(), TColor(0xF2DAC2));
    EXPECT_EQ(r->ColorTo(), TColor(0xF0D9C1));
    const TColor selected[4] = {0x76AFF1, 0x4190F3, 0x0E72F1, 0x4C9FFD};
    const TColor hover[4] = {0xEBFDFF, 0xABEBFF, 0x69D6FF, 0x96E4FF};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(r->GetSelectedColor(i), selected[i]) << i;
        EXPECT_EQ(r->GetHoverColor(i), hover[i]) << i;
    }
    EXPECT_EQ(r->SelectedBorderColor, TColor(0x45667B));
    EXPECT_EQ(r->HoverBorderColor, TColor(0x99CEDB));
    EXPECT_EQ(r->HoverTextColor, clWindowText);
    EXPECT_EQ(r->GradientDirection(), gdVertical);
    TSelectedItem* sel = s->SelectedItem();
    EXPECT_EQ(sel->Color(), TColor(0xEBFDFF));
    EXPECT_EQ(sel->ColorTo(), TColor(0xABEBFF));
    EXPECT_EQ(sel->ColorMirror, TColor(0x69D6FF));
    EXPECT_EQ(sel->ColorMirrorTo, TColor(0x96E4FF));
    EXPECT_EQ(sel->BorderColor, TColor(0x99CEDB));
    EXPECT_EQ(sel->CheckColor(), TColor(0x3E80FE));
    EXPECT_EQ(sel->RadioColorTo(), clNone);
    EXPECT_EQ(sel->CheckBorder, clNavy);
    EXPECT_EQ(sel->RadioBorder, clNavy);
    TIconBar* icon = s->IconBar();
    EXPECT_EQ(icon->Color(), TColor(0xEEEEE9));
    EXPECT_EQ(icon->ColorTo(), TColor(0xEEEEE9));
    EXPECT_EQ(icon->CheckColor(), TColor(0x6FC0FF));
    EXPECT_EQ(icon->RadioColor(), TColor(0x6FC0FF));
    EXPECT_EQ(icon->CheckBorder, clNavy);
    EXPECT_EQ(icon->RadioBorder, clNavy);
    EXPECT_EQ(icon->SeparatorColor, TColor(0xC5C5C5));
    EXPECT_EQ(s->Separator()->Color(), TColor(0xC5C5C5));
    EXPECT_EQ(s->Separator()->ColorTo(), clNone);
    TButtonAppearance* b = s->ButtonAppearance();
    EXPECT_EQ(b->HoverColor(), TColor(0xE0DEDD));
    EXPECT_EQ(b->HoverColorTo(), TColor(0xF4F2F1));
    EXPECT_EQ(b->HoverBorderColor, TColor(0xB5AFA8));
    EXPECT_EQ(b->DownColor(), TColor(0xCCCAC9));
    EXPECT_EQ(b->DownColorTo(), TColor(0xEAE8E7));
    EXPECT_EQ(b->DownBorderColor, TColor(0xB5AFA8));
}

TEST_F(OfficeStylerTest, CharacteristicColoursOfTheOtherStyles) {
    TComponentPtr<TAdvMenuOfficeStyler> s(new TAdvMenuOfficeStyler(nullptr));
    struct Case {
        TOfficeStyle Style;
        TColor Border, Root, Icon, Separator, Hover;
    };
    const Case cases[] = {
        {osOffice2003Silver, 0x5E8D75, 0xE5D7D7, 0xFFF9F9, 0x8F6D6E, 0xCCF4FF},
        {osOffice2003Olive, 0x5E8D75, 0xA8D9D9, 0xEDFFFF, 0x588060, 0xCCF4FF},
        {osOfficeXP, clGray, clBtnFace, clBtnFace, 0x7A868A, 0xEFD3C6},
        {osOffice2007Obsidian, clSilver, 0xB8B8B6, 0xEEEEE9, 0xC5C5C5, 0xEBFDFF},
        {osOffice2007Silver, 0x868686, 0xE5D7D7, 0xEFEFEF, 0xC5C5C5, 0xEBFDFF},
        {osVista, 0x979797, clWhite, 0xEEEEEE, 0xE0E0E0, clWhite},
    };
    for (const Case& c : cases) {
        s->SetStyle(c.Style);
        EXPECT_EQ(s->MenuBorderColor, c.Border) << c.Style;
        EXPECT_EQ(s->RootItem()->Color(), c.Root) << c.Style;
        EXPECT_EQ(s->IconBar()->Color(), c.Icon) << c.Style;
        EXPECT_EQ(s->Separator()->Color(), c.Separator) << c.Style;
        EXPECT_EQ(s->RootItem()->GetHoverColor(0), c.Hover) << c.Style;
    }
}

TEST_F(OfficeStylerTest, StylesLeaveWhatTheyDoNotWrite) {
    TComponentPtr<TAdvMenuOfficeStyler> s(new TAdvMenuOfficeStyler(nullptr));
    s->SetStyle(osOffice2007Luna);
    s->SetStyle(osOfficeXP);
    EXPECT_EQ(s->RootItem()->GradientDirection(), gdVertical);
    EXPECT_EQ(s->IconBar()->RadioColor(), TColor(0x6FC0FF));
    EXPECT_EQ(s->IconBar()->RadioBorder, clNavy);
    EXPECT_EQ(s->IconBar()->SeparatorColor, TColor(0xC5C5C5));
    // No style touches fonts, sizes or the side bar.
    s->IconBar()->SetSize(30);
    s->Font()->SetName("Verdana");
    s->SideBar()->SetVisible(true);
    s->SetStyle(osOffice2003Blue);
    EXPECT_EQ(s->IconBar()->Size(), 30);
    EXPECT_EQ(s->Font()->Name(), "Verdana");
    EXPECT_TRUE(s->SideBar()->Visible());
}

TEST_F(OfficeStylerTest, TheCurrentStyleLoadsAgainAndCustomLoadsNothing) {
    TComponentPtr<TAdvMenuOfficeStyler> s(new TAdvMenuOfficeStyler(nullptr));
    s->SetStyle(osOffice2007Luna);
    s->RootItem()->SetColor(clRed);
    s->MenuBorderColor = clLime;
    s->SetStyle(osOffice2007Luna);
    EXPECT_EQ(s->RootItem()->Color(), TColor(0xF2DAC2));
    EXPECT_EQ(s->MenuBorderColor, clSilver);

    s->RootItem()->SetColor(clRed);
    s->SetStyle(osCustom);
    EXPECT_EQ(s->Style(), osCustom);
    EXPECT_EQ(s->RootItem()->Color(), clRed);
    EXPECT_EQ(s->MenuBorderColor, clSilver);
}

TEST_F(OfficeStylerTest, LoadingAStyleMakesTheServedMenuMeasureAgain) {
    TComponentPtr<TCountingMainMenu> menu(new TCountingMainMenu(nullptr));
    TComponentPtr<TAdvMenuOfficeStyler> s(new TAdvMenuOfficeStyler(nullptr));
    menu->SetMenuStyler(s.get());
    int before = menu->Rebuilds;
    s->SetStyle(osOffice2007Luna);
    EXPECT_GT(menu->Rebuilds, before); // the menu-bar colours change the bar items' sizes
    before = menu->Rebuilds;
    s->SetStyle(osCustom);
    EXPECT_EQ(menu->Rebuilds, before);
}

TEST_F(OfficeStylerTest, PushedStylesMapToTheOfficeStyles) {
    using namespace AdvStyleIF;
    TComponentPtr<TAdvMenuOfficeStyler> s(new TAdvMenuOfficeStyler(nullptr));
    IBrixStyle* intf = Supports<IBrixStyle>(s.get());
    ASSERT_NE(intf, nullptr);
    struct Case {
        TBrixStyle Pushed;
        TOfficeStyle Expected;
    };
    const Case cases[] = {
        {tsOffice2003Silver, osOffice2003Silver},
        {tsOffice2003Olive, osOffice2003Olive},
        {tsOffice2003Classic, osOfficeXP},
        {tsWindowsXP, osOfficeXP},
        {tsWhidbey, osOfficeXP},
        {tsOffice2007Luna, osOffice2007Luna},
        {tsOffice2007Obsidian, osOffice2007Obsidian},
        {tsOffice2007Silver, osOffice2007Silver},
        {tsOffice2003Blue, osOffice2003Blue},
    };
    for (const Case& c : cases) {
        intf->SetComponentStyle(c.Pushed);
        EXPECT_EQ(s->Style(), c.Expected) << c.Pushed;
    }
    s->RootItem()->SetColor(clRed);
    intf->SetComponentStyle(tsCustom);
    EXPECT_EQ(s->Style(), osOffice2003Blue);
    EXPECT_EQ(s->RootItem()->Color(), clRed);
}

TEST_F(OfficeStylerTest, ThemeChangesAreFollowedOnlyWhenAsked) {
    TComponentPtr<TForm> form(new TForm(nullptr));
    auto* s = new TAdvMenuOfficeStyler(form.get());
    // Without a windowed owner there is no window for the desktop's broadcast to reach.
    TComponentPtr<TAdvMenuOfficeStyler> alone(new TAdvMenuOfficeStyler(nullptr));
    alone->SetAutoThemeAdapt(true);
    s->SetStyle(osOffice2007Luna);
    UseScheme("Metallic");
    EXPECT_EQ(s->Style(), osOffice2007Luna);
    s->SetAutoThemeAdapt(true); // switching it on reads nothing
    EXPECT_EQ(s->Style(), osOffice2007Luna);
    SysInfo().SetTheme(true, "HomeStead");
    EXPECT_EQ(s->Style(), osOffice2003Olive);
    SysInfo().SetTheme(true, "NormalColor");
    EXPECT_EQ(s->Style(), osOffice2003Blue);
    SysInfo().SetTheme(true, "Metallic");
    EXPECT_EQ(s->Style(), osOffice2003Silver);
    SysInfo().SetTheme(false, "");
    EXPECT_EQ(s->Style(), osOfficeXP);
    EXPECT_EQ(alone->Style(), osOffice2003Blue);
}

class TStylerHost : public TForm {
    KV_CLASS(TStylerHost, TForm)
    KV_PUBLISHED_PROPERTIES(TStylerHost)
public:
    explicit TStylerHost(TComponent* AOwner) : TForm(AOwner) {}
    TAdvMenuOfficeStyler* AdvMenuOfficeStyler = nullptr;
};

KV_PUBLISHED(TStylerHost) {
    p.Field("AdvMenuOfficeStyler", &TStylerHost::AdvMenuOfficeStyler);
}

String StylerLayout(bool Adapt) {
    return String("object StylerHost: TStylerHost\n"
                  "  object AdvMenuOfficeStyler: TAdvMenuOfficeStyler\n"
                  "    AntiAlias = aaNone\n"
                  "    AutoThemeAdapt = ") +
           (Adapt ? "True" : "False") +
           "\n"
           "    Style = osOffice2007Luna\n"
           "    MenuBorderColor = clSilver\n"
           "  end\n"
           "end\n";
}

TEST_F(OfficeStylerTest, LoadingAppliesTheDesktopSchemeWhenAdapting) {
    RegisterClasses({ClassEntry<TStylerHost>()});
    UseScheme("HomeStead");
    TComponentPtr<TStylerHost> adapting(new TStylerHost(nullptr));
    ReadComponentFromText(StylerLayout(true), adapting.get(), "StylerHost");
    ASSERT_NE(adapting->AdvMenuOfficeStyler, nullptr);
    EXPECT_EQ(adapting->AdvMenuOfficeStyler->Style(), osOffice2003Olive);

    TComponentPtr<TStylerHost> fixed(new TStylerHost(nullptr));
    ReadComponentFromText(StylerLayout(false), fixed.get(), "StylerHost");
    ASSERT_NE(fixed->AdvMenuOfficeStyler, nullptr);
    EXPECT_EQ(fixed->AdvMenuOfficeStyler->Style(), osOffice2007Luna);
}

TEST_F(OfficeStylerTest, AWrittenStylerReadsBackWithItsOverridesAfterThePreset) {
    // The preset comes before the parts in the published order.
    const auto& props = GetPropList(TAdvMenuOfficeStyler::StaticClassType());
    std::vector<String> names;
    for (const TPropInfo* info : props)
        names.push_back(info->Name);
    auto pos = [&](const char* n) { return std::find(names.begin(), names.end(), n) - names.begin(); };
    EXPECT_LT(pos("AntiAlias"), pos("AutoThemeAdapt"));
    EXPECT_LT(pos("AutoThemeAdapt"), pos("Style"));
    EXPECT_LT(pos("Style"), pos("Background"));
    EXPECT_LT(pos("Style"), pos("MenuBorderColor"));

    TComponentPtr<TAdvMenuOfficeStyler> s(new TAdvMenuOfficeStyler(nullptr));
    s->SetName("AdvMenuOfficeStyler");
    s->SetStyle(osOffice2007Luna);
    s->RootItem()->SetColor(0x010203);
    s->MenuBorderColor = 0x040506;
    s->SetAntiAlias(AdvGDIP::aaClearType);
    const String text = WriteComponentToText(s.get());

    TComponentPtr<TComponent> read(ReadComponentFromText(text, nullptr, "AdvMenuOfficeStyler"));
    auto* again = dynamic_cast<TAdvMenuOfficeStyler*>(read.get());
    ASSERT_NE(again, nullptr) << text;
    EXPECT_EQ(again->Style(), osOffice2007Luna);
    EXPECT_EQ(again->RootItem()->Color(), TColor(0x010203)) << text;
    EXPECT_EQ(again->MenuBorderColor, TColor(0x040506));
    EXPECT_EQ(again->AntiAlias(), AdvGDIP::aaClearType);
    EXPECT_EQ(again->RootItem()->GetHoverColor(2), TColor(0x69D6FF));
}

} // namespace
} // namespace menutest
