// What the preset stylers write: every style writes every colour its case names.

#include "tests/menus/MenuTestSupport.h"

namespace menutest {
namespace {

constexpr TColor kSentinel = 0x123457;

struct Value {
    const char* Name;
    std::function<TColor(TCustomAdvMenuStyler*)> Get;
    std::function<void(TCustomAdvMenuStyler*, TColor)> Set;
};

#define KV_VALUE(name, get, set)                                                                             \
    Value {                                                                                                  \
        name, [](TCustomAdvMenuStyler* s) { return s->get; },                                                \
            [](TCustomAdvMenuStyler* s, TColor c) { s->set; }                                                \
    }

// The colours both the office and the fantasy cases set.
std::vector<Value> CommonValues() {
    return {
        KV_VALUE("Background.Color", Background()->Color(), Background()->SetColor(c)),
        KV_VALUE("Background.ColorTo", Background()->ColorTo(), Background()->SetColorTo(c)),
        KV_VALUE("MenuBorderColor", MenuBorderColor, MenuBorderColor = c),
        KV_VALUE("RootItem.Color", RootItem()->Color(), RootItem()->SetColor(c)),
        KV_VALUE("RootItem.ColorTo", RootItem()->ColorTo(), RootItem()->SetColorTo(c)),
        KV_VALUE("RootItem.SelectedColor", RootItem()->GetSelectedColor(0),
                 RootItem()->SetSelectedColor(0, c)),
        KV_VALUE("RootItem.SelectedColorTo", RootItem()->GetSelectedColor(1),
                 RootItem()->SetSelectedColor(1, c)),
        KV_VALUE("RootItem.SelectedBorderColor", RootItem()->SelectedBorderColor,
                 RootItem()->SelectedBorderColor = c),
        KV_VALUE("RootItem.HoverColor", RootItem()->GetHoverColor(0), RootItem()->SetHoverColor(0, c)),
        KV_VALUE("RootItem.HoverColorTo", RootItem()->GetHoverColor(1), RootItem()->SetHoverColor(1, c)),
        KV_VALUE("RootItem.HoverBorderColor", RootItem()->HoverBorderColor, RootItem()->HoverBorderColor = c),
        KV_VALUE("RootItem.HoverTextColor", RootItem()->HoverTextColor, RootItem()->HoverTextColor = c),
        KV_VALUE("SelectedItem.Color", SelectedItem()->Color(), SelectedItem()->SetColor(c)),
        KV_VALUE("SelectedItem.ColorTo", SelectedItem()->ColorTo(), SelectedItem()->SetColorTo(c)),
        KV_VALUE("SelectedItem.BorderColor", SelectedItem()->BorderColor, SelectedItem()->BorderColor = c),
        KV_VALUE("SelectedItem.CheckColor", SelectedItem()->CheckColor(),
                 SelectedItem()->SetCheckColor(0, c)),
        KV_VALUE("SelectedItem.CheckColorTo", SelectedItem()->CheckColorTo(),
                 SelectedItem()->SetCheckColor(1, c)),
        KV_VALUE("SelectedItem.RadioColor", SelectedItem()->RadioColor(),
                 SelectedItem()->SetRadioColor(0, c)),
        KV_VALUE("SelectedItem.RadioColorTo", SelectedItem()->RadioColorTo(),
                 SelectedItem()->SetRadioColor(1, c)),
        KV_VALUE("SelectedItem.CheckBorder", SelectedItem()->CheckBorder, SelectedItem()->CheckBorder = c),
        KV_VALUE("SelectedItem.RadioBorder", SelectedItem()->RadioBorder, SelectedItem()->RadioBorder = c),
        KV_VALUE("IconBar.Color", IconBar()->Color(), IconBar()->SetColor(c)),
        KV_VALUE("IconBar.ColorTo", IconBar()->ColorTo(), IconBar()->SetColorTo(c)),
        KV_VALUE("IconBar.CheckColor", IconBar()->CheckColor(), IconBar()->SetCheckColor(0, c)),
        KV_VALUE("IconBar.CheckColorTo", IconBar()->CheckColorTo(), IconBar()->SetCheckColor(1, c)),
        KV_VALUE("IconBar.CheckBorder", IconBar()->CheckBorder, IconBar()->CheckBorder = c),
        KV_VALUE("Separator.Color", Separator()->Color(), Separator()->SetColor(c)),
        KV_VALUE("Separator.ColorTo", Separator()->ColorTo(), Separator()->SetColorTo(c))};
}

// The colours every office case sets, by the list of what each case writes.
std::vector<Value> OfficeValues() {
    std::vector<Value> v = CommonValues();
    v.insert(
        v.end(),
        {KV_VALUE("RootItem.SelectedColorMirror", RootItem()->GetSelectedColor(2),
                  RootItem()->SetSelectedColor(2, c)),
         KV_VALUE("RootItem.SelectedColorMirrorTo", RootItem()->GetSelectedColor(3),
                  RootItem()->SetSelectedColor(3, c)),
         KV_VALUE("RootItem.HoverColorMirror", RootItem()->GetHoverColor(2), RootItem()->SetHoverColor(2, c)),
         KV_VALUE("RootItem.HoverColorMirrorTo", RootItem()->GetHoverColor(3),
                  RootItem()->SetHoverColor(3, c)),
         KV_VALUE("SelectedItem.ColorMirror", SelectedItem()->ColorMirror, SelectedItem()->ColorMirror = c),
         KV_VALUE("SelectedItem.ColorMirrorTo", SelectedItem()->ColorMirrorTo,
                  SelectedItem()->ColorMirrorTo = c),
         KV_VALUE("ButtonAppearance.DownColor", ButtonAppearance()->DownColor(),
                  ButtonAppearance()->SetDownColor(c)),
         KV_VALUE("ButtonAppearance.DownColorTo", ButtonAppearance()->DownColorTo(),
                  ButtonAppearance()->SetDownColorTo(c)),
         KV_VALUE("ButtonAppearance.HoverColor", ButtonAppearance()->HoverColor(),
                  ButtonAppearance()->SetHoverColor(c)),
         KV_VALUE("ButtonAppearance.HoverColorTo", ButtonAppearance()->HoverColorTo(),
                  ButtonAppearance()->SetHoverColorTo(c)),
         KV_VALUE("ButtonAppearance.DownBorderColor", ButtonAppearance()->DownBorderColor,
                  ButtonAppearance()->DownBorderColor = c),
         KV_VALUE("ButtonAppearance.HoverBorderColor", ButtonAppearance()->HoverBorderColor,
                  ButtonAppearance()->HoverBorderColor = c)});
    return v;
}

// The icon bar's radio values: every office case but Office XP.
std::vector<Value> IconRadioValues() {
    return {KV_VALUE("IconBar.RadioColor", IconBar()->RadioColor(), IconBar()->SetRadioColor(0, c)),
            KV_VALUE("IconBar.RadioColorTo", IconBar()->RadioColorTo(), IconBar()->SetRadioColor(1, c)),
            KV_VALUE("IconBar.RadioBorder", IconBar()->RadioBorder, IconBar()->RadioBorder = c)};
}

// The colours the fantasy cases Arctic to WindowsClassic set beyond the office list's parts.
std::vector<Value> FantasyValues() {
    std::vector<Value> v = CommonValues();
    v.insert(v.end(),
             {KV_VALUE("Font.Color", Font()->Color(), Font()->SetColor(c)),
              KV_VALUE("RootItem.Font.Color", RootItem()->Font()->Color(), RootItem()->Font()->SetColor(c)),
              KV_VALUE("RootItem.SelectedTextColor", RootItem()->SelectedTextColor,
                       RootItem()->SelectedTextColor = c),
              KV_VALUE("SelectedItem.Font.Color", SelectedItem()->Font()->Color(),
                       SelectedItem()->Font()->SetColor(c))});
    for (Value& r : IconRadioValues())
        v.push_back(r);
    return v;
}

// Sets every value to the sentinel, loads the style and names the values still at the sentinel.
template <class S, class Style>
std::vector<String> Unwritten(S* Styler, Style St, const std::vector<Value>& Values) {
    for (const Value& v : Values)
        v.Set(Styler, kSentinel);
    Styler->SetStyle(St);
    std::vector<String> left;
    for (const Value& v : Values)
        if (v.Get(Styler) == kSentinel) left.push_back(v.Name);
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
        EXPECT_EQ(Unwritten(s.get(), style, OfficeValues()), std::vector<String>{}) << i;
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
        EXPECT_EQ(Unwritten(s.get(), static_cast<TFantasyStyle>(i), FantasyValues()), std::vector<String>{})
            << i;
    // Whidbey writes only its colours: the fonts' colours and the icon bar's radio values stay.
    std::vector<String> left = Unwritten(s.get(), fsWhidbey, FantasyValues());
    EXPECT_EQ(left,
              (std::vector<String>{"Font.Color", "RootItem.Font.Color", "SelectedItem.Font.Color",
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
