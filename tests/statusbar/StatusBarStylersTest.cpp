// The status-bar stylers: presets, pushed styles, the desktop's scheme, Assign.

#include <algorithm>

#include "platform/classes/LayoutReader.h"
#include "platform/rtl/SysInfo.h"
#include "tests/statusbar/StatusBarTestSupport.h"

namespace statusbartest {
namespace {

using namespace AdvOfficeStatusBarStylers;

class StatusBarStylerTest : public StatusBarTest {
protected:
    void TearDown() override {
        SysInfo().Reset();
        StatusBarTest::TearDown();
    }
};

// Hands each colour property of both appearances to Do.
template <class F> void ForEachColour(TAdvOfficeStatusBarOfficeStyler* S, F Do) {
    for (TVistaBackground* a : {S->PanelAppearanceLight(), S->PanelAppearanceDark()})
        for (const TPropInfo* p : GetPropList(a->ClassType()))
            if (p->Kind == TPropKind::Color) Do(a, p);
}

// Every value a preset writes, in one list: the styler's border and both appearances' colours.
std::vector<TColor> Values(TAdvOfficeStatusBarOfficeStyler* S) {
    std::vector<TColor> v{S->BorderColor()};
    ForEachColour(
        S, [&](TVistaBackground* A, const TPropInfo* P) { v.push_back(static_cast<TColor>(P->GetOrd(A))); });
    return v;
}

TEST_F(StatusBarStylerTest, EveryPresetWritesEveryValue) {
    // Hand-edited values everywhere, then a preset: none of the edited values is left.
    constexpr TColor edited = 0x123456;
    for (int style = psOffice2003Blue; style <= psOffice2007Silver; ++style) {
        if (style == psCustom) continue;
        auto* s = new TAdvOfficeStatusBarOfficeStyler(form.get());
        if (style == psOffice2003Blue) s->SetStyle(psWindowsXP);
        s->SetBorderColor(edited);
        ForEachColour(s, [](TVistaBackground* A, const TPropInfo* P) { P->SetOrd(A, edited); });
        ASSERT_EQ(Values(s), std::vector<TColor>(37, edited)); // the border and 18 colours of each
        s->SetStyle(static_cast<TOfficeStatusBarStyle>(style));
        std::vector<TColor> v = Values(s);
        EXPECT_EQ(std::count(v.begin(), v.end(), edited), 0) << style;
        // The same preset over another preset gives the same values.
        auto* t = new TAdvOfficeStatusBarOfficeStyler(form.get());
        t->SetStyle(psOffice2007Obsidian);
        t->SetStyle(psOffice2003Olive);
        t->SetStyle(static_cast<TOfficeStatusBarStyle>(style));
        EXPECT_EQ(Values(t), v) << style;
    }
}

// A new styler is Office 2003 blue; Luna is the application's look. Only the blue light appearance has a
// border of its own, and Whidbey has no mirror gradient.
TEST_F(StatusBarStylerTest, CharacteristicColoursOfTheStyles) {
    auto* s = new TAdvOfficeStatusBarOfficeStyler(form.get());
    EXPECT_EQ(s->Style(), psOffice2003Blue);
    EXPECT_EQ(s->PanelAppearanceLight()->BorderColor(), 0xE3B28D);
    EXPECT_FALSE(s->AutoThemeAdapt());
    for (int style = psOffice2003Blue; style <= psOffice2007Silver; ++style) {
        if (style == psCustom) continue;
        s->SetStyle(static_cast<TOfficeStatusBarStyle>(style));
        EXPECT_EQ(s->PanelAppearanceDark()->BorderColor(), clNone) << style;
        if (style != psOffice2003Blue) {
            EXPECT_EQ(s->PanelAppearanceLight()->BorderColor(), clNone) << style;
        }
    }
    s->SetStyle(psOffice2003Silver);
    EXPECT_EQ(s->BorderColor(), 0xB39698);
    EXPECT_EQ(s->PanelAppearanceDark()->ColorTo(), 0xB79B9D);
    s->SetStyle(psWhidbey);
    EXPECT_EQ(s->PanelAppearanceLight()->ColorMirror(), clNone);
    s->SetStyle(psOffice2007Luna);
    EXPECT_EQ(s->BorderColor(), 0xB07D56);
    EXPECT_EQ(s->PanelAppearanceLight()->Color(), 0xF9E6D7);
    EXPECT_EQ(s->PanelAppearanceDark()->ColorHot(), 0xFBFFFF);
    EXPECT_EQ(s->PanelAppearanceLight()->BorderColorDown(), 0x45667B);
}

TEST_F(StatusBarStylerTest, ReselectingOrPushingStyles) {
    auto* s = new TAdvOfficeStatusBarOfficeStyler(form.get());
    s->SetStyle(psOffice2007Luna);
    s->SetBorderColor(0x010101);
    s->PanelAppearanceLight()->SetColor(0x020202);
    s->SetStyle(psOffice2007Luna);
    EXPECT_EQ(s->BorderColor(), 0x010101);
    EXPECT_EQ(s->PanelAppearanceLight()->Color(), 0x020202);
    // psCustom only tells the bars.
    auto* bar = MakeBar({80});
    bar->SetStyler(s);
    ShowAndPaint();
    s->SetStyle(psCustom);
    EXPECT_EQ(s->Style(), psCustom);
    EXPECT_EQ(s->BorderColor(), 0x010101);
    EXPECT_TRUE(RepaintPending(bar));
    // Styles pushed through the style interface map by ordinal.
    auto* pushed = new TAdvOfficeStatusBarOfficeStyler(form.get());
    AdvStyleIF::IBrixStyle* intf = Supports<AdvStyleIF::IBrixStyle>(pushed);
    ASSERT_NE(intf, nullptr);
    intf->SetComponentStyle(AdvStyleIF::tsOffice2007Luna);
    EXPECT_EQ(pushed->Style(), psOffice2007Luna);
    EXPECT_EQ(pushed->BorderColor(), 0xB07D56);
    pushed->SetBorderColor(0x123456);
    intf->SetComponentStyle(AdvStyleIF::tsCustom);
    EXPECT_EQ(pushed->Style(), psCustom);
    EXPECT_EQ(pushed->BorderColor(), 0x123456);
    intf->SetComponentStyle(AdvStyleIF::tsOffice2007Silver);
    EXPECT_EQ(pushed->Style(), psOffice2007Silver);
}

TEST_F(StatusBarStylerTest, FollowsTheDesktopSchemeOnlyWhenAskedAlsoWhenLoaded) {
    auto* s = new TAdvOfficeStatusBarOfficeStyler(form.get());
    SysInfo().SetVersion(5, 1, 2600, 2, "");
    SysInfo().SetTheme(true, "Metallic");
    EXPECT_EQ(s->Style(), psOffice2003Blue); // AutoThemeAdapt is false
    s->SetAutoThemeAdapt(true);
    EXPECT_EQ(s->Style(), psOffice2003Blue); // writing it re-reads nothing
    s->ThemeChanged(s);
    EXPECT_EQ(s->Style(), psOffice2003Silver);
    // The desktop's broadcast reaches the styler.
    SysInfo().SetTheme(true, "HomeStead");
    EXPECT_EQ(s->Style(), psOffice2003Olive);
    SysInfo().SetTheme(true, "NormalColor");
    EXPECT_EQ(s->Style(), psOffice2003Blue);
    SysInfo().SetTheme(false, "");
    EXPECT_EQ(s->Style(), psWindowsXP);
    // A freed styler no longer listens.
    FreeComponent(s);
    SysInfo().SetTheme(true, "Metallic");
    // A form loaded at run time follows the scheme where its styler asks.
    form->SetName("");
    ReadComponentFromText("object F: TCustomForm\n"
                          "  object Follows: TAdvOfficeStatusBarOfficeStyler\n"
                          "    Style = psOffice2007Luna\n"
                          "    AutoThemeAdapt = True\n"
                          "  end\n"
                          "  object Fixed: TAdvOfficeStatusBarOfficeStyler\n"
                          "    Style = psOffice2007Luna\n"
                          "  end\n"
                          "end\n",
                          form.get(), "F");
    auto* follows = dynamic_cast<TAdvOfficeStatusBarOfficeStyler*>(form->FindComponent("Follows"));
    auto* fixed = dynamic_cast<TAdvOfficeStatusBarOfficeStyler*>(form->FindComponent("Fixed"));
    ASSERT_NE(follows, nullptr);
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(follows->Style(), psOffice2003Silver);
    EXPECT_EQ(fixed->Style(), psOffice2007Luna);
}

TEST_F(StatusBarStylerTest, AssignCopiesTheLookBetweenStylersAndAFantasyStylerOnlyStoresItsStyle) {
    auto* a = new TAdvOfficeStatusBarOfficeStyler(form.get());
    auto* b = new TAdvOfficeStatusBarFantasyStyler(form.get());
    a->SetStyle(psOffice2007Luna);
    a->SetAutoThemeAdapt(true);
    b->Assign(a);
    EXPECT_EQ(b->BorderColor(), 0xB07D56);
    EXPECT_EQ(b->PanelAppearanceLight()->Color(), 0xF9E6D7);
    EXPECT_EQ(b->PanelAppearanceDark()->ColorTo(), 0xF5B687);
    EXPECT_TRUE(b->AutoThemeAdapt());
    EXPECT_EQ(b->Style(), psChocolate);
    TVistaBackground look;
    EXPECT_THROW(b->Assign(&look), EConvertError);
    // A fantasy styler only stores its style.
    auto* s = new TAdvOfficeStatusBarFantasyStyler(form.get());
    EXPECT_EQ(s->Style(), psChocolate);
    EXPECT_EQ(s->BorderColor(), 0x825A3B);
    auto* bar = MakeBar({80});
    bar->SetStyler(s);
    ShowAndPaint();
    s->SetOfficeStatusBarStyle(psMacOS);
    EXPECT_EQ(s->Style(), psMacOS);
    EXPECT_EQ(s->BorderColor(), 0x825A3B);
    EXPECT_EQ(s->PanelAppearanceLight()->Color(), 0xFFFFFF);
    EXPECT_FALSE(RepaintPending(bar));
}

} // namespace
} // namespace statusbartest
