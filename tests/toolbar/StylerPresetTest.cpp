// The Office and fantasy presets: the values that set each apart, the rule that a preset writes every
// value it owns (nothing of the previous look survives), and theme following.

#include "platform/classes/LayoutReader.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/Messages.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

using namespace AdvToolBarStylers;

constexpr const char* kJunk = "$00010203";

// Every colour, step count, gradient kind and grip of the styler set to an odd value no preset uses.
void FillWithJunk(TCustomAdvToolBarStyler* S) {
    std::vector<String> lines;
    S->SavePropToFile(lines);
    for (String& l : lines) {
        const auto eq = l.find('=');
        const String key = l.substr(0, eq), value = l.substr(eq + 1);
        if (key.find("Font.") != String::npos || key.rfind("\"", 0) == 0) continue;
        if (value.rfind("cl", 0) == 0 || value.rfind("$", 0) == 0)
            l = key + "=" + kJunk;
        else if (key.ends_with("Steps") || key == "FloatingWindowBorderWidth")
            l = key + "=3";
        else if (value.rfind("gg", 0) == 0)
            l = key + "=ggDiagonalBackward";
        else if (key == "DragGripStyle")
            l = key + "=dsFlatDots";
    }
    S->LoadPropFromFile(lines, 0);
}

// The keys that still hold a junk value.
std::vector<String> JunkKeys(TCustomAdvToolBarStyler* S) {
    std::vector<String> lines, keys;
    S->SavePropToFile(lines);
    for (const String& l : lines) {
        const auto eq = l.find('=');
        const String value = l.substr(eq + 1);
        if (value == kJunk || value == "3" || value == "ggDiagonalBackward" || value == "dsFlatDots")
            keys.push_back(l.substr(0, eq));
    }
    return keys;
}

bool StartsWith(const String& S, const char* P) {
    return S.rfind(P, 0) == 0;
}
bool EndsWithAny(const String& S, std::initializer_list<const char*> Ends) {
    for (const char* e : Ends)
        if (S.ends_with(e)) return true;
    return false;
}

// What the Office presets leave alone, in the terms the presets are described in.
bool NoOfficePresetWrites(const String& K) {
    if (K.find("Font.") != String::npos || StartsWith(K, "ContainerAppearance.") ||
        K == "PagerCaption.TextColor")
        return true;
    if (K.ends_with("Steps") && !StartsWith(K, "DockColor.") && !StartsWith(K, "Color.")) return true;
    if (K.ends_with("Disabled") || K.ends_with("DisabledTo"))
        return StartsWith(K, "GlowButtonAppearance.") || StartsWith(K, "CompactGlowButtonAppearance.") ||
               StartsWith(K, "GroupAppearance.TabAppearance.");
    if (K.ends_with("CaptionBorderColorHot") || K == "GroupAppearance.CaptionAppearance.CaptionBorderColor")
        return true;
    if (StartsWith(K, "ButtonAppearance.GradientDirection") || K == "ButtonAppearance.BorderColor")
        return true;
    if (StartsWith(K, "GroupAppearance.ToolBarAppearance.") && EndsWithAny(K, {"Direction", "Steps"}))
        return true;
    if (K == "ColorHot.Steps" || K == "TabAppearance.BackGround.Steps") return true;
    for (const char* tab : {"TabAppearance.", "GroupAppearance.TabAppearance."}) {
        if (!StartsWith(K, tab)) continue;
        const String rest = K.substr(std::char_traits<char>::length(tab));
        if (rest == "Color" || rest == "ColorTo" || rest == "ColorMirror" || rest == "ColorMirrorTo" ||
            rest == "BorderColorDown")
            return true;
    }
    if (K == "TabAppearance.GradientMirror") return true;
    if (StartsWith(K, "GroupAppearance.TabAppearance.Gradient") &&
        K != "GroupAppearance.TabAppearance.Gradient" && K != "GroupAppearance.TabAppearance.GradientMirror")
        return true;
    return false;
}

bool OfficeStyleLeaves(TToolBarStyle Style, const String& K) {
    const bool is2007 =
        Style == bsOffice2007Luna || Style == bsOffice2007Obsidian || Style == bsOffice2007Silver;
    if (NoOfficePresetWrites(K)) return true;
    if (is2007 && (StartsWith(K, "ButtonAppearance.") || K == "Color.Steps")) return true;
    if ((Style == bsOffice2007Luna || Style == bsOffice2007Obsidian) &&
        K == "CaptionAppearance.CaptionBorderColor")
        return true;
    if ((Style == bsOffice2003Silver || Style == bsOffice2003Olive) && StartsWith(K, "RightHandleColorDown"))
        return true;
    if (!is2007 && K == "BorderColor") return true;
    if ((Style == bsWindowsXP || Style == bsOfficeXP) &&
        EndsWithAny(K, {"BorderHotColor", "BorderDownColor", "BorderCheckedColor"}) &&
        StartsWith(K, "ButtonAppearance."))
        return true;
    if ((Style == bsOffice2003Classic || Style == bsWhidbeyStyle) &&
        K == "ButtonAppearance.BorderCheckedColor")
        return true;
    const bool orangeSet = Style == bsOffice2003Blue || Style == bsOffice2003Silver ||
                           Style == bsOffice2003Olive || Style == bsWhidbeyStyle;
    if ((orangeSet || Style == bsOffice2003Classic) && K.ends_with("GlowButtonAppearance.BorderColorChecked"))
        return true;
    if (Style != bsOffice2007Obsidian && K == "TabAppearance.BackGround.Direction") return true;
    return false;
}

class PresetTest : public ToolBarTest {};

TEST_F(PresetTest, EveryOfficePresetWritesEveryValueItOwns) {
    for (int i = 0; i <= static_cast<int>(bsOfficeXP); ++i) {
        const auto style = static_cast<TToolBarStyle>(i);
        if (style == bsCustom) continue;
        auto* s = Make<TAdvToolBarOfficeStyler>("S" + std::to_string(i));
        s->SetToolBarStyle(style == bsOffice2003Classic ? bsWindowsXP : bsOffice2003Classic);
        FillWithJunk(s);
        s->SetToolBarStyle(style);
        for (const String& key : JunkKeys(s))
            EXPECT_TRUE(OfficeStyleLeaves(style, key)) << "style " << i << " leaves " << key;
        // And the Part's own examples of what a preset keeps.
        if (style == bsOffice2007Luna) {
            EXPECT_COLOR(s->ButtonAppearance()->ColorHot(), 0x010203);
        }
    }
}

TEST_F(PresetTest, EachOfficePresetShowsItsCharacteristicColours) {
    struct Expect {
        TToolBarStyle Style;
        TColor Dock, Floating;
        TDragGripStyle Grip;
        AdvStyleIF::TBrixStyle Child;
    };
    const Expect table[] = {
        {bsOffice2003Blue, 0xF5BFA0, 0x913500, dsDots, AdvStyleIF::tsOffice2003Blue},
        {bsOffice2003Silver, 0xE6D8D8, 0x927476, dsDots, AdvStyleIF::tsOffice2003Silver},
        {bsOffice2003Olive, 0xAADADA, 0x6B7760, dsDots, AdvStyleIF::tsOffice2003Olive},
        {bsOffice2003Classic, 0xD2BDB6, 0x828F92, dsDots, AdvStyleIF::tsCustom},
        {bsOffice2007Luna, 0xEDD8C7, 0xE3B28D, dsNone, AdvStyleIF::tsOffice2007Luna},
        {bsOffice2007Obsidian, 0xCFC6C1, 0xB4B0AE, dsNone, AdvStyleIF::tsOffice2007Obsidian},
        {bsWindowsXP, clBtnFace, clHighlight, dsSingleLine, AdvStyleIF::tsWindowsXP},
        {bsWhidbeyStyle, 0xD7E5E5, 0x828F92, dsDots, AdvStyleIF::tsWhidbey},
        {bsOffice2007Silver, 0xE5D7D7, 0xC6B0B1, dsNone, AdvStyleIF::tsOffice2007Silver},
    };
    auto* s = Make<TAdvToolBarOfficeStyler>("Office");
    // A new styler holds the 2003 Blue preset over the Windows XP one; Blue does not write the glow
    // buttons' checked border, so the Windows XP value stays.
    EXPECT_EQ(s->Style(), bsOffice2003Blue);
    EXPECT_EQ(s->GlowButtonAppearance()->BorderColorChecked(), clBlack);
    for (const Expect& e : table) {
        s->SetToolBarStyle(e.Style);
        SCOPED_TRACE(static_cast<int>(e.Style));
        EXPECT_COLOR(s->DockColor()->Color(), e.Dock);
        EXPECT_COLOR(s->FloatingWindowBorderColor(), e.Floating);
        EXPECT_EQ(s->DragGripStyle(), e.Grip);
        EXPECT_EQ(s->ChildComponentStyle(), e.Child);
        EXPECT_EQ(s->DarkStyle(), e.Style == bsOffice2007Obsidian);
    }
}

TEST_F(PresetTest, OnlyANewStyleReloadsAndSignalsCustomKeepsTheColoursAndWindowsXPIsOfficeXP) {
    auto* s = Make<TAdvToolBarOfficeStyler>("Office");
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    panel->SetToolBarStyler(s);
    s->SetToolBarStyle(bsOffice2007Luna);
    EXPECT_EQ(panel->Color(), s->DockColor()->Color()) << "the panel was told";
    s->DockColor()->SetColor(0x0000FF); // a single override...
    panel->SetColor(0x010203);
    s->SetToolBarStyle(bsOffice2007Luna); // ...survives setting the same style, and nobody is told
    EXPECT_EQ(s->DockColor()->Color(), 0x0000FF);
    EXPECT_EQ(panel->Color(), 0x010203);

    s->SetToolBarStyle(bsWhidbeyStyle);
    const TColor dock = s->DockColor()->Color();
    s->SetComponentStyle(AdvStyleIF::tsCustom);
    EXPECT_EQ(s->Style(), bsCustom);
    EXPECT_EQ(s->DockColor()->Color(), dock);
    EXPECT_EQ(s->ChildComponentStyle(), AdvStyleIF::tsCustom);

    auto* officeXp = Make<TAdvToolBarOfficeStyler>("OfficeXP");
    s->SetToolBarStyle(bsWindowsXP);
    officeXp->SetToolBarStyle(bsOfficeXP);
    EXPECT_EQ(s->Color()->Color(), officeXp->Color()->Color());
    EXPECT_EQ(officeXp->DragGripStyle(), dsSingleLine);
    EXPECT_EQ(s->Bevel(), officeXp->Bevel());
    EXPECT_TRUE(officeXp->UseBevel());
    EXPECT_FALSE(officeXp->RoundEdges());
    EXPECT_EQ(officeXp->ChildComponentStyle(), AdvStyleIF::tsWindowsXP);
}

TEST_F(PresetTest, FantasyPresetsReloadOnEveryWriteAndUserKeepsEverything) {
    auto* s = Make<TAdvToolBarFantasyStyler>("Fantasy");
    EXPECT_EQ(s->Style(), bsChocolate);
    EXPECT_COLOR(s->Color()->Color(), 0xD7EDED);
    EXPECT_COLOR(s->Font()->Color(), clMaroon);
    RecordingClient client;
    s->AddControl(&client);
    s->Color()->SetColor(clRed);
    client.Codes.clear();
    s->SetToolBarStyle(bsChocolate); // no equality test: loads again
    EXPECT_COLOR(s->Color()->Color(), 0xD7EDED);
    EXPECT_FALSE(client.Codes.empty());
    s->Color()->SetColor(clRed);
    client.Codes.clear();
    s->SetToolBarStyle(bsUser);
    EXPECT_COLOR(s->Color()->Color(), clRed);
    EXPECT_TRUE(client.Codes.empty());
    s->RemoveControl(&client);
}

TEST_F(PresetTest, TheFantasyWhidbeyLookOutlivesASwitchToAnotherFantasyStyle) {
    auto* s = Make<TAdvToolBarFantasyStyler>("Fantasy");
    s->SetToolBarStyle(bsWhidbey);
    EXPECT_COLOR(s->GlowButtonAppearance()->BorderColor(), 0x99A8AC);
    EXPECT_COLOR(s->PagerCaption()->BorderColor(), 0xF0CAAE);
    EXPECT_COLOR(s->CompactGlowButtonAppearance()->ColorMirrorDown(), 0x0E72F1);
    s->SetToolBarStyle(bsTextured);
    EXPECT_COLOR(s->GlowButtonAppearance()->BorderColor(), 0x99A8AC);
    EXPECT_COLOR(s->TabAppearance()->BackGround()->Color(), 0x859D9D);
    EXPECT_COLOR(s->GroupAppearance()->ColorMirrorTo(), 0xFFDDBB);
    EXPECT_EQ(s->FloatingWindowBorderWidth(), 2);
}

class ThemeTest : public ToolBarTest {
protected:
    void TearDown() override {
        SysInfo().Reset();
        ToolBarTest::TearDown();
    }
};

TEST_F(ThemeTest, AThemeChangeSwitchesTheStyleOnlyWithAutoThemeAdapt) {
    auto* s = Make<TAdvToolBarOfficeStyler>("Office");
    ASSERT_NE(s->NotifierWindow(), nullptr);
    EXPECT_EQ(s->NotifierWindow()->Parent(), form.get());
    s->SetToolBarStyle(bsOffice2007Luna);
    SysInfo().SetVersion(5, 1, 2600, 2, "");
    SysInfo().SetTheme(true, "HomeStead");
    EXPECT_EQ(s->Style(), bsOffice2007Luna) << "AutoThemeAdapt is off";
    s->SetAutoThemeAdapt(true);
    s->NotifierWindow()->Perform(win::WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(s->Style(), bsOffice2003Olive);
    SysInfo().SetTheme(true, "Metallic"); // the desktop's broadcast
    EXPECT_EQ(s->Style(), bsOffice2003Silver);
    SysInfo().SetTheme(false, "");
    EXPECT_EQ(s->Style(), bsOffice2003Classic);
}

TEST_F(ThemeTest, ALoadedFormAdaptsToTheDesktopSchemeOverItsStoredStyle) {
    SysInfo().SetVersion(5, 1, 2600, 2, "");
    SysInfo().SetTheme(true, "Metallic");
    TComponentPtr<TForm> loaded(new TForm(nullptr));
    ReadComponentFromText("object Themed: TForm\n"
                          "  object Styler: TAdvToolBarOfficeStyler\n"
                          "    Style = bsOffice2007Luna\n"
                          "    AutoThemeAdapt = True\n"
                          "  end\n"
                          "end\n",
                          loaded.get(), "Themed.layout");
    auto* s = dynamic_cast<TAdvToolBarOfficeStyler*>(loaded->FindComponent("Styler"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Style(), bsOffice2003Silver);
}

} // namespace
} // namespace toolbartest
