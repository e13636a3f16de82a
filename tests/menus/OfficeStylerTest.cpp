// The office menu styler: presets, pushed styles and the desktop's colour scheme.

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

// A few characteristic colours per style (the whole presets are not restated here), starting from the
// new styler's Office 2003 blue.
TEST_F(OfficeStylerTest, EachStyleLoadsItsCharacteristicColoursAndLeavesTheRest) {
    TComponentPtr<TAdvMenuOfficeStyler> s(new TAdvMenuOfficeStyler(nullptr));
    EXPECT_EQ(s->Style(), osOffice2003Blue);
    EXPECT_FALSE(s->AutoThemeAdapt());
    EXPECT_EQ(s->AntiAlias(), AdvGDIP::aaNone); // the base styler's own defaults stay
    EXPECT_EQ(s->IconBar()->Size(), 24);
    struct Case {
        TOfficeStyle Style;
        TColor Border, Root, Icon, Separator, Hover;
    };
    const Case cases[] = {
        {osOffice2003Blue, 0x962D00, 0xF5BE9E, 0xFFEFE3, 0xCB8C6A, 0xCCF4FF},
        {osOfficeXP, clGray, clBtnFace, clBtnFace, 0x7A868A, 0xEFD3C6},
        {osOffice2007Luna, clSilver, 0xF2DAC2, 0xEEEEE9, 0xC5C5C5, 0xEBFDFF},
        {osVista, 0x979797, clWhite, 0xEEEEEE, 0xE0E0E0, clWhite},
    };
    for (const Case& c : cases) {
        if (c.Style != osOffice2003Blue) s->SetStyle(c.Style);
        EXPECT_EQ(s->MenuBorderColor, c.Border) << c.Style;
        EXPECT_EQ(s->RootItem()->Color(), c.Root) << c.Style;
        EXPECT_EQ(s->IconBar()->Color(), c.Icon) << c.Style;
        EXPECT_EQ(s->Separator()->Color(), c.Separator) << c.Style;
        EXPECT_EQ(s->RootItem()->GetHoverColor(0), c.Hover) << c.Style;
    }
    // Styles leave what they do not write.
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

TEST_F(OfficeStylerTest, TheCurrentStyleLoadsAgainCustomLoadsNothingAndTheMenuMeasuresAgain) {
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
    // Loading a style makes the served menu measure again; custom does not.
    TComponentPtr<TCountingMainMenu> menu(new TCountingMainMenu(nullptr));
    TComponentPtr<TAdvMenuOfficeStyler> served(new TAdvMenuOfficeStyler(nullptr));
    menu->SetMenuStyler(served.get());
    int before = menu->Rebuilds;
    served->SetStyle(osOffice2007Luna);
    EXPECT_GT(menu->Rebuilds, before); // the menu-bar colours change the bar items' sizes
    before = menu->Rebuilds;
    served->SetStyle(osCustom);
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
