// What the preset stylers write: every style writes every colour its case names.

#include "tests/menus/MenuTestSupport.h"

namespace menutest {
namespace {

constexpr TColor kSentinel = 0x123457;

// Colours by the dotted path of their published properties ("RootItem.Font.Color").
using TNames = std::vector<String>;

// The object holding the last property of Path, and that property's name.
TObject* Holder(TObject* Styler, String Path, String& Leaf) {
    TObject* o = Styler;
    for (std::size_t dot; o != nullptr && (dot = Path.find('.')) != String::npos; Path = Path.substr(dot + 1))
        o = GetObjectProp(o, Path.substr(0, dot));
    Leaf = Path;
    return o;
}

// The colours both the office and the fantasy cases set.
TNames CommonValues() {
    return {"Background.Color",          "Background.ColorTo",
            "MenuBorderColor",           "RootItem.Color",
            "RootItem.ColorTo",          "RootItem.SelectedColor",
            "RootItem.SelectedColorTo",  "RootItem.SelectedBorderColor",
            "RootItem.HoverColor",       "RootItem.HoverColorTo",
            "RootItem.HoverBorderColor", "RootItem.HoverTextColor",
            "SelectedItem.Color",        "SelectedItem.ColorTo",
            "SelectedItem.BorderColor",  "SelectedItem.CheckColor",
            "SelectedItem.CheckColorTo", "SelectedItem.RadioColor",
            "SelectedItem.RadioColorTo", "SelectedItem.CheckBorder",
            "SelectedItem.RadioBorder",  "IconBar.Color",
            "IconBar.ColorTo",           "IconBar.CheckColor",
            "IconBar.CheckColorTo",      "IconBar.CheckBorder",
            "Separator.Color",           "Separator.ColorTo"};
}

// The colours every office case sets, by the list of what each case writes.
TNames OfficeValues() {
    TNames v = CommonValues();
    v.insert(v.end(),
             {"RootItem.SelectedColorMirror", "RootItem.SelectedColorMirrorTo", "RootItem.HoverColorMirror",
              "RootItem.HoverColorMirrorTo", "SelectedItem.ColorMirror", "SelectedItem.ColorMirrorTo",
              "ButtonAppearance.DownColor", "ButtonAppearance.DownColorTo", "ButtonAppearance.HoverColor",
              "ButtonAppearance.HoverColorTo", "ButtonAppearance.DownBorderColor",
              "ButtonAppearance.HoverBorderColor"});
    return v;
}

// The icon bar's radio values: every office case but Office XP.
TNames IconRadioValues() {
    return {"IconBar.RadioColor", "IconBar.RadioColorTo", "IconBar.RadioBorder"};
}

// The colours the fantasy cases Arctic to WindowsClassic set beyond the office list's parts.
TNames FantasyValues() {
    TNames v = CommonValues();
    v.insert(v.end(),
             {"Font.Color", "RootItem.Font.Color", "RootItem.SelectedTextColor", "SelectedItem.Font.Color"});
    for (const String& r : IconRadioValues())
        v.push_back(r);
    return v;
}

// Sets every value to the sentinel, loads the style and names the values still at the sentinel.
template <class S, class Style> TNames Unwritten(S* Styler, Style St, const TNames& Values) {
    String leaf;
    for (const String& v : Values) {
        TObject* o = Holder(Styler, v, leaf);
        EXPECT_NE(o, nullptr) << v;
        if (o) SetOrdProp(o, leaf, kSentinel);
    }
    Styler->SetStyle(St);
    TNames left;
    for (const String& v : Values) {
        TObject* o = Holder(Styler, v, leaf);
        if (o && GetOrdProp(o, leaf) == kSentinel) left.push_back(v);
    }
    return left;
}

class PresetRulesTest : public MenuTest {};

TEST_F(PresetRulesTest, EveryOfficeStyleWritesEveryValueItsCaseNames) {
    TComponentPtr<TAdvMenuOfficeStyler> s(new TAdvMenuOfficeStyler(nullptr));
    for (int i = osOffice2003Blue; i <= osVista; ++i) {
        const auto style = static_cast<TOfficeStyle>(i);
        if (style == osCustom) {
            EXPECT_EQ(Unwritten(s.get(), style, OfficeValues()).size(), OfficeValues().size());
            continue;
        }
        EXPECT_EQ(Unwritten(s.get(), style, OfficeValues()), TNames{}) << i;
        const size_t radioLeft = Unwritten(s.get(), style, IconRadioValues()).size();
        EXPECT_EQ(radioLeft, style == osOfficeXP ? 3u : 0u) << i;
        s->IconBar()->SeparatorColor = kSentinel;
        s->SetStyle(style);
        const bool writesSeparator = style == osOffice2007Luna || style == osOffice2007Obsidian ||
                                     style == osOffice2007Silver || style == osVista;
        EXPECT_EQ(s->IconBar()->SeparatorColor != kSentinel, writesSeparator) << i;
    }
}

TEST_F(PresetRulesTest, EveryFantasyStyleWritesEveryValueItsCaseNames) {
    TComponentPtr<TAdvMenuFantasyStyler> s(new TAdvMenuFantasyStyler(nullptr));
    for (int i = fsArctic; i <= fsWindowsClassic; ++i)
        EXPECT_EQ(Unwritten(s.get(), static_cast<TFantasyStyle>(i), FantasyValues()), TNames{}) << i;
    // Whidbey writes only its colours: the fonts' colours and the icon bar's radio values stay.
    std::vector<String> left = Unwritten(s.get(), fsWhidbey, FantasyValues());
    EXPECT_EQ(left, (TNames{"Font.Color", "RootItem.Font.Color", "SelectedItem.Font.Color",
                            "IconBar.RadioColor", "IconBar.RadioColorTo", "IconBar.RadioBorder"}));
    // Custom clears the six mirror colours and writes nothing else.
    EXPECT_EQ(Unwritten(s.get(), fsCustom, FantasyValues()).size(), FantasyValues().size());
}

TEST_F(PresetRulesTest, FantasyLooksByTheirCharacteristicValuesAndTheTexture) {
    TComponentPtr<TAdvMenuFantasyStyler> s(new TAdvMenuFantasyStyler(nullptr));
    EXPECT_EQ(s->Style(), fsArctic); // nothing loaded at run time
    EXPECT_EQ(s->MenuBorderColor, TColor(0x7C7C94));
    struct Case {
        TFantasyStyle Style;
        TColor Background, Border, Font, Root, Selected, SelectedFont, Icon, Separator;
    };
    const Case cases[] = {
        {fsArctic, clWindow, clSilver, clSilver, clWhite, clWhite, clGray, 0xEFEFEF, clSilver},
        {fsTextured, clNone, 0x0000B0, clWhite, 0xCFD5F3, clNone, clRed, 0xCFD5F3, clWhite},
        {fsWindowsClassic, clMenu, clBlack, clBlack, clMenu, 0xA1684A, clWhite, clMenu, clBlack},
    };
    for (const Case& c : cases) {
        s->SetStyle(c.Style);
        EXPECT_EQ(s->Background()->Color(), c.Background) << c.Style;
        EXPECT_EQ(s->MenuBorderColor, c.Border) << c.Style;
        EXPECT_EQ(s->Font()->Color(), c.Font) << c.Style;
        EXPECT_EQ(s->RootItem()->Color(), c.Root) << c.Style;
        EXPECT_EQ(s->SelectedItem()->Color(), c.Selected) << c.Style;
        EXPECT_EQ(s->SelectedItem()->Font()->Color(), c.SelectedFont) << c.Style;
        EXPECT_FALSE(s->SelectedItem()->UseSystemFont()) << c.Style;
        EXPECT_EQ(s->IconBar()->Color(), c.Icon) << c.Style;
        EXPECT_EQ(s->Separator()->Color(), c.Separator) << c.Style;
        EXPECT_EQ(s->RootItem()->Font()->Size(), c.Style == fsTextured ? 10 : 8) << c.Style;
        EXPECT_EQ(s->SideBar()->Visible(), c.Style == fsWindowsClassic) << c.Style;
    }
    s->SetStyle(fsAquaBlue);
    EXPECT_EQ(s->IconBar()->CheckGradientDirection, gdHorizontal);
    EXPECT_EQ(s->SelectedItem()->CheckGradientDirection, gdHorizontal);
    EXPECT_TRUE(s->SelectedItem()->Font()->Style().Contains(fsBold));
    s->SetStyle(fsMacOS);
    EXPECT_EQ(s->SelectedItem()->RadioGradientDirection, gdVertical);
    // Textured tiles its texture until another look clears it.
    s->RootItem()->SetSelectedColor(2, clRed);
    s->SelectedItem()->ColorMirror = clRed;
    s->SetStyle(fsTextured);
    EXPECT_EQ(s->RootItem()->GetSelectedColor(2), clNone); // the mirrors are cleared by every look
    EXPECT_EQ(s->SelectedItem()->ColorMirror, clNone);
    EXPECT_EQ(s->Background()->Position, bpTiled);
    EXPECT_EQ(s->Background()->Image()->Width(), 52);
    EXPECT_EQ(s->Background()->Image()->Height(), 54);
    EXPECT_TRUE(s->RootItem()->Font()->Style().Contains(fsItalic));
    // Whidbey leaves the picture, the fonts and the side bar.
    s->SideBar()->SetVisible(true);
    s->SetStyle(fsWhidbey);
    EXPECT_EQ(s->Background()->Image()->Width(), 52);
    EXPECT_TRUE(s->SideBar()->Visible());
    EXPECT_EQ(s->RootItem()->Font()->Size(), 10);
    EXPECT_EQ(s->Background()->Color(), TColor(0xF9FCFC));
    s->SetStyle(fsChocolate);
    EXPECT_TRUE(s->Background()->Image()->Graphic() == nullptr ||
                s->Background()->Image()->Graphic()->Empty());
    EXPECT_FALSE(s->SideBar()->Visible());
    s->SetStyle(fsWindowsClassic);
    EXPECT_EQ(s->SideBar()->Caption, "Brix Menu");
    EXPECT_EQ(s->SideBar()->Image()->Color(), TColor(0xEDC6A9));
    EXPECT_EQ(s->SideBar()->Image()->ColorTo(), TColor(0x6A240A));
    EXPECT_EQ(s->SideBar()->Background()->GradientDirection(), gdHorizontal);
    EXPECT_EQ(s->SideBar()->Font()->Color(), clWhite);
}

TEST_F(PresetRulesTest, TheThemeChangeMessageReachesTheStylersWindow) {
    TComponentPtr<TForm> form(new TForm(nullptr));
    auto* s = new TAdvMenuOfficeStyler(form.get());
    form->Show();
    s->SetAutoThemeAdapt(true);
    SysInfo().SetVersion(5, 1, 2600, 2, "");
    SysInfo().SetTheme(true, "HomeStead");
    EXPECT_EQ(s->Style(), osOffice2003Olive);
    // The message alone, as the window system sends it to windows.
    TWinControl* notifier = nullptr;
    for (int i = 0; i < s->ComponentCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(s->Components(i))) notifier = w;
    ASSERT_NE(notifier, nullptr);
    EXPECT_EQ(notifier->Parent(), form.get());
    EXPECT_FALSE(notifier->Visible());
    SysInfo().SetTheme(false, "");
    s->SetStyle(osOffice2007Luna);
    win::SendMessage(notifier->Handle(), win::WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(s->Style(), osOfficeXP);
}

} // namespace
} // namespace menutest
