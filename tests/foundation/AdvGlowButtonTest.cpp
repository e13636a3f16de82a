// The glow button: defaults, clicks by mouse and keys, groups, check style, presets, layouts.

#include <gtest/gtest.h>

#include <cstring>

#include "components/foundation/AdvGlowButton.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/win/WinUser.h"
#include "tests/foundation/AdvGDIPTestSupport.h"
#include "tests/foundation/PublishedValues.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using namespace AdvGlowButton;

String PngBytes() {
    const auto png = AdvGDIPTest::QuadrantPng();
    return String(png.begin(), png.end());
}

class AdvGlowButtonTest : public uitest::UiTest {
protected:
    void SetUp() override {
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetBounds(0, 0, 400, 300);
    }
    TAdvGlowButton* Make(const char* Name, int Top, int Group = 0) {
        auto* b = new TAdvGlowButton(form.get());
        b->SetName(Name);
        b->SetParent(form.get());
        b->SetBounds(10, Top, 120, 43);
        b->SetGroupIndex(Group);
        b->OnClick = [this, Name](TObject*) { clicks.push_back(Name); };
        return b;
    }
    // A click well after the last one (two quick clicks on one spot are a double click).
    void ClickLater(TControl* Control) {
        ui.Advance(1000);
        ui.Click(Control);
    }
    void Show() {
        form->Show();
        ui.Process();
    }
    TComponentPtr<TCustomForm> form;
    std::vector<String> clicks;
};

// A new button holds the defaults its class declares (a layout leaves those out); the rest by hand.
TEST_F(AdvGlowButtonTest, DefaultsAfterConstructionAndALayoutKeepsAClearedDoubleBuffered) {
    TComponentPtr<TAdvGlowButton> b(new TAdvGlowButton(nullptr));
    publishedtest::ExpectDeclaredDefaults(b->Appearance());
    EXPECT_EQ(b->BoundsRect(), (TRect{0, 0, 100, 41}));
    EXPECT_EQ(b->State(), absUp);
    EXPECT_EQ(b->NotesFont()->Name(), "Tahoma");
    EXPECT_EQ(b->NotesFont()->Size(), 8);
    EXPECT_TRUE(b->Picture()->Empty());
    EXPECT_EQ(b->GetVersion(), "1.8.1.3");
    EXPECT_EQ(b->GetVersionNr(), 0x01080103);
    EXPECT_TRUE(b->DoubleBuffered());
    // The button paints double-buffered: a layout leaves that out and keeps an explicit false.
    TComponentPtr<TAdvGlowButton> named(new TAdvGlowButton(nullptr));
    named->SetName("Glow");
    EXPECT_EQ(WriteComponentToText(named.get()).find("DoubleBuffered"), String::npos);
    named->SetDoubleBuffered(false);
    const String text = WriteComponentToText(named.get());
    EXPECT_NE(text.find("DoubleBuffered = False"), String::npos) << text;
    TComponentPtr<TAdvGlowButton> again(new TAdvGlowButton(nullptr));
    ReadComponentFromText(text, again.get(), "Glow");
    EXPECT_FALSE(again->DoubleBuffered());
}

TEST_F(AdvGlowButtonTest, MouseClickFiresOnceOnlyWhenReleasedInsideAndAPlainButtonNeverStaysDown) {
    TAdvGlowButton* b = Make("Plain", 10);
    Show();
    ui.Click(b);
    EXPECT_EQ(clicks, (std::vector<String>{"Plain"}));
    EXPECT_FALSE(b->Down());
    b->SetDown(true);
    EXPECT_FALSE(b->Down()); // group 0, button style
    EXPECT_EQ(b->State(), absUp);
    // Released outside, a press does not click.
    TAdvGlowButton* out = Make("B", 60);
    ui.Process();
    ui.MoveTo(out);
    ui.Screen().Press();
    ui.Process();
    EXPECT_TRUE(out->Pressed());
    EXPECT_EQ(out->State(), absDown);
    ui.MoveTo(out, 300, 20);
    ui.Screen().Release();
    ui.Process();
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_FALSE(out->Pressed());
    EXPECT_EQ(out->State(), absUp);
}

TEST_F(AdvGlowButtonTest, GroupMembersReleaseEachOther) {
    TAdvGlowButton* a = Make("A", 10, 1);
    TAdvGlowButton* b = Make("B", 60, 1);
    TAdvGlowButton* other = Make("Other", 110, 2);
    other->SetDown(true);
    Show();
    ClickLater(a);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), absExclusive);
    ClickLater(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), absUp);
    EXPECT_TRUE(other->Down()); // another group is not touched
    ClickLater(b);
    EXPECT_TRUE(b->Down()); // the last one down stays down
    EXPECT_EQ(clicks, (std::vector<String>{"A", "B", "B"}));
    b->SetAllowAllUp(true);
    ClickLater(b);
    EXPECT_FALSE(b->Down());
    // Down set in code also releases the others.
    a->SetDown(true);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
}

TEST_F(AdvGlowButtonTest, CheckStyleTogglesAndUntogglesWhenReleasedOutside) {
    TAdvGlowButton* c = Make("C", 10);
    c->SetStyle(bsCheck);
    Show();
    ClickLater(c);
    EXPECT_TRUE(c->Down());
    ClickLater(c);
    EXPECT_FALSE(c->Down());
    ui.MoveTo(c);
    ui.Screen().Press();
    ui.Process();
    EXPECT_TRUE(c->Down()); // toggled on press
    ui.MoveTo(c, 300, 20);
    ui.Screen().Release();
    ui.Process();
    EXPECT_FALSE(c->Down()); // released outside: back
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(AdvGlowButtonTest, KeysClickTheFocusedButton) {
    TAdvGlowButton* b = Make("K", 10);
    b->SetTabStop(true);
    Show();
    b->SetFocus();
    ui.Process();
    ui.Screen().KeyDown(win::VK_SPACE);
    ui.Process();
    EXPECT_TRUE(b->Pressed());
    EXPECT_EQ(b->State(), absDown);
    ui.Screen().KeyUp(win::VK_SPACE);
    ui.Process();
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(b->State(), absUp);
    EXPECT_EQ(clicks, (std::vector<String>{"K"}));
    ui.Key(win::VK_RETURN);
    EXPECT_EQ(clicks, (std::vector<String>{"K", "K"}));
}

TEST_F(AdvGlowButtonTest, DisabledButtonsHoverAndTheInternalClick) {
    TAdvGlowButton* b = Make("D", 10);
    b->SetModalResult(mrOk);
    Show();
    b->SetEnabled(false);
    ClickLater(b);
    EXPECT_TRUE(clicks.empty());
    b->SetEnabled(true);
    ClickLater(b);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_EQ(form->ModalResult(), mrOk);
    // Hovering sets hot; the internal click runs the hook and clicks.
    TAdvGlowButton* h = Make("H", 60);
    int hooked = 0;
    h->OnInternalClick = [&](TObject*) { ++hooked; };
    ui.Process();
    ui.MoveTo(h);
    EXPECT_TRUE(h->Hot());
    ui.MoveTo(h, 300, 20);
    EXPECT_FALSE(h->Hot());
    h->InternalClick();
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(clicks.size(), 2u);
}

// Custom keeps the appearance; a preset writes its colours but never the disabled ones.
TEST_F(AdvGlowButtonTest, StylePresets) {
    TAdvGlowButton* b = Make("S", 10);
    TGlowButtonAppearance before;
    before.Assign(b->Appearance());
    AdvStyleIF::IBrixStyle* style = Supports<AdvStyleIF::IBrixStyle>(b);
    ASSERT_NE(style, nullptr);
    style->SetComponentStyle(AdvStyleIF::tsCustom);
    publishedtest::ExpectSameValues(&before, b->Appearance());
    style->SetComponentStyle(AdvStyleIF::tsOffice2003Classic);
    EXPECT_EQ(b->Appearance()->BorderColor(), 0x000000);
    EXPECT_EQ(b->Appearance()->ColorHot(), 0xEBFDFF);
    style->SetComponentStyle(AdvStyleIF::tsOffice2007Luna);
    EXPECT_EQ(b->Appearance()->BorderColor(), 0xE0B99B);
    EXPECT_EQ(b->Appearance()->GradientHot(), ggVertical);
    EXPECT_EQ(b->Appearance()->ColorDisabled(), before.ColorDisabled()); // never touched
    style->SetComponentStyle(AdvStyleIF::tsWindowsXP);
    EXPECT_EQ(b->Appearance()->BorderColorHot(), clHighlight);
}

// ---- A fragment of the main window's layout

class TGlowLayoutForm : public TForm {
    KV_CLASS(TGlowLayoutForm, TForm)
    KV_PUBLISHED_PROPERTIES(TGlowLayoutForm)
public:
    explicit TGlowLayoutForm(TComponent* AOwner) : TForm(AOwner) {}
    TAdvGlowButton* AdvGlowButton_Overview = nullptr;
    TAdvGlowButton* AdvGlowButton_Catalog = nullptr;
    std::vector<String> Clicked;
    void AdvGlowButton_OverviewClick(TObject*) { Clicked.push_back("Overview"); }
    void AdvGlowButton_CatalogClick(TObject*) { Clicked.push_back("Catalog"); }
};

KV_PUBLISHED(TGlowLayoutForm) {
    p.Field("AdvGlowButton_Overview", &TGlowLayoutForm::AdvGlowButton_Overview);
    p.Field("AdvGlowButton_Catalog", &TGlowLayoutForm::AdvGlowButton_Catalog);
    p.Handler("AdvGlowButton_OverviewClick", &TGlowLayoutForm::AdvGlowButton_OverviewClick);
    p.Handler("AdvGlowButton_CatalogClick", &TGlowLayoutForm::AdvGlowButton_CatalogClick);
}

String HexOf(const String& Bytes) {
    static const char* digits = "0123456789ABCDEF";
    String out;
    for (unsigned char c : Bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

String Fragment() {
    return R"(object GlowForm: TGlowLayoutForm
  Left = 0
  Top = 0
  Width = 300
  Height = 400
  object AdvGlowButton_Catalog: TAdvGlowButton
    Left = 2
    Top = 61
    Width = 120
    Height = 24
    Caption = 'Catalog'
    FocusType = ftHot
    GroupIndex = 1
    NotesFont.Height = -11
    NotesFont.Name = 'Tahoma'
    TabOrder = 0
    OnClick = AdvGlowButton_CatalogClick
  end
  object AdvGlowButton_Overview: TAdvGlowButton
    Left = 2
    Top = 95
    Width = 120
    Height = 43
    Caption = 'Overview'
    FocusType = ftHot
    GroupIndex = 1
    Layout = blGlyphLeftAdjusted
    NotesFont.Charset = DEFAULT_CHARSET
    NotesFont.Height = -11
    NotesFont.Name = 'Tahoma'
    NotesFont.Style = []
    Picture.Data = {)" +
           HexOf(PngBytes()) + R"(}
    TabOrder = 1
    OnClick = AdvGlowButton_OverviewClick
    Appearance.BorderColor = 14727579
    Appearance.BorderColorHot = 10079963
    Appearance.ColorMirrorDown = 946929
    Appearance.ColorMirrorDisabled = 11974326
    Appearance.GradientChecked = ggVertical
  end
end
)";
}

TEST_F(AdvGlowButtonTest, MainWindowLayoutFragmentSetsEveryPropertyAndIsWrittenBack) {
    RegisterClasses({ClassEntry<TGlowLayoutForm>(), ClassEntry<TAdvGlowButton>()});
    TComponentPtr<TGlowLayoutForm> lf(new TGlowLayoutForm(nullptr));
    ReadComponentFromText(Fragment(), lf.get(), "GlowForm");
    TAdvGlowButton* o = lf->AdvGlowButton_Overview;
    TAdvGlowButton* c = lf->AdvGlowButton_Catalog;
    ASSERT_NE(o, nullptr);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(o->Caption(), "Overview");
    EXPECT_EQ(o->BoundsRect(), (TRect{2, 95, 122, 138}));
    EXPECT_EQ(o->GroupIndex(), 1);
    EXPECT_EQ(o->FocusType(), ftHot);
    EXPECT_EQ(o->Layout(), blGlyphLeftAdjusted);
    EXPECT_EQ(o->NotesFont()->Name(), "Tahoma");
    EXPECT_EQ(o->NotesFont()->Size(), 8);
    EXPECT_EQ(o->Appearance()->BorderColor(), 0xE0B99B);
    EXPECT_EQ(o->Appearance()->BorderColorHot(), 0x99CEDB);
    EXPECT_EQ(o->Appearance()->ColorMirrorDown(), 0x0E72F1);
    EXPECT_EQ(o->Appearance()->ColorMirrorDisabled(), 0xB6B6B6);
    EXPECT_EQ(o->Appearance()->GradientChecked(), ggVertical);
    EXPECT_EQ(o->Appearance()->GradientMirrorChecked(), ggVertical);
    EXPECT_FALSE(o->Picture()->Empty());
    EXPECT_TRUE(o->Picture()->GetImageSizes());
    EXPECT_EQ(o->Picture()->Width(), 4);
    EXPECT_EQ(c->Layout(), blGlyphLeft);
    EXPECT_TRUE(c->Picture()->Empty());
    EXPECT_EQ(c->Appearance()->BorderColor(), 0xC0C0C0); // the default appearance

    lf->Show();
    ui.Process();
    ClickLater(o);
    ClickLater(c);
    EXPECT_EQ(lf->Clicked, (std::vector<String>{"Overview", "Catalog"}));
    EXPECT_TRUE(c->Down());
    EXPECT_FALSE(o->Down());
    // Written back, the layout keeps the picture byte for byte and leaves out the version.
    const String text = WriteComponentToText(lf.get());
    EXPECT_EQ(text.find("Version"), String::npos);
    EXPECT_NE(text.find("Layout = blGlyphLeftAdjusted"), String::npos);
    EXPECT_NE(text.find("Picture.Data"), String::npos);
    EXPECT_NE(text.find(HexOf(PngBytes()).substr(0, 32)), String::npos); // the PNG signature first

    TComponentPtr<TGlowLayoutForm> again(new TGlowLayoutForm(nullptr));
    ReadComponentFromText(text, again.get(), "GlowForm");
    TMemoryStream a, b;
    lf->AdvGlowButton_Overview->Picture()->WriteData(&a);
    again->AdvGlowButton_Overview->Picture()->WriteData(&b);
    ASSERT_EQ(a.Size(), b.Size());
    EXPECT_EQ(std::memcmp(a.Memory(), b.Memory(), static_cast<std::size_t>(a.Size())), 0);
    EXPECT_EQ(again->AdvGlowButton_Overview->Appearance()->ColorMirrorDown(), 0x0E72F1);
    EXPECT_TRUE(again->AdvGlowButton_Catalog->Picture()->Empty());
}

TEST_F(AdvGlowButtonTest, RepeatClickWhileHeldThenStopsOnRelease) {
    TAdvGlowButton* b = Make("R", 10);
    b->SetRepeatClick(true);
    Show();
    ui.MoveTo(b);
    ui.Screen().Press();
    ui.Process();
    ui.Advance(399);
    EXPECT_TRUE(clicks.empty());
    ui.Advance(1);
    EXPECT_EQ(clicks.size(), 1u); // the first repeat after InitRepeatPause
    ui.Advance(100);
    EXPECT_EQ(clicks.size(), 2u); // then every RepeatPause
    ui.Advance(250);
    EXPECT_EQ(clicks.size(), 4u);
    ui.Screen().Release();
    ui.Process();
    EXPECT_EQ(clicks.size(), 5u); // the release clicks once more
    ui.Advance(1000);
    EXPECT_EQ(clicks.size(), 5u); // and the repeats stop
}

TEST_F(AdvGlowButtonTest, AssignCopiesSettingsButNotGroupOrAppearance) {
    TAdvGlowButton* a = Make("SrcButton", 10, 3);
    TAdvGlowButton* b = Make("DstButton", 60);
    a->SetCaption("&Source");
    a->SetSpacing(6);
    a->SetFocusType(ftHotBorder);
    a->SetBorderStyle(bsNone);
    a->SetAntiAlias(AdvGDIP::aaNone);
    a->SetRepeatClick(true);
    a->Notes()->Add("note");
    a->OfficeHint()->SetTitle("Hint");
    a->Appearance()->SetColor(0x123456);
    b->Assign(a);
    EXPECT_EQ(b->Caption(), "&Source");
    EXPECT_EQ(b->Spacing(), 6);
    EXPECT_EQ(b->FocusType(), ftHotBorder);
    EXPECT_EQ(b->BorderStyle(), bsNone);
    EXPECT_FALSE(b->CanDrawBorder());
    EXPECT_EQ(b->AntiAlias(), AdvGDIP::aaNone);
    EXPECT_TRUE(b->RepeatClick());
    EXPECT_EQ(b->Notes()->Strings(0), "note");
    EXPECT_EQ(b->OfficeHint()->Title(), "Hint");
    EXPECT_EQ(b->GroupIndex(), 0);                 // not copied
    EXPECT_EQ(b->Appearance()->Color(), 0xFFFFFF); // not copied
    EXPECT_NE(b->Notes(), a->Notes());
    TFont font;
    EXPECT_THROW(b->Assign(&font), EConvertError);
}

TEST_F(AdvGlowButtonTest, AcceleratorClicksAndWideCaptionIsDrawnWhenCaptionIsEmpty) {
    TAdvGlowButton* b = Make("Acc", 10);
    b->SetCaption("&Inbox");
    TAdvGlowButton* w = Make("Wide", 60);
    w->SetWideCaption("Outbox");
    w->Appearance()->SetColor(clWhite);
    Show();
    ui.Key('I', TShiftState{ssAlt});
    EXPECT_EQ(clicks, (std::vector<String>{"Acc"}));
    ui.Key('X', TShiftState{ssAlt});
    EXPECT_EQ(clicks.size(), 1u);

    // Some dark text pixel appears on the wide-caption button's face.
    const TRect wr = form->BoundsRect();
    const TPoint o = w->ClientToScreen(TPoint{0, 0});
    int dark = 0;
    for (int y = 10; y < 33; ++y)
        for (int x = 20; x < 100; ++x)
            if ((ui.Pixel(form.get(), o.X - wr.Left + x, o.Y - wr.Top + y) & 0xFF) < 0x60) ++dark;
    EXPECT_GT(dark, 10);
}

// The properties added for image lists, menus, sizing and text read from a layout and written back.

// Alt with a character that has no key of the layout: the whole code point reaches the button.
TEST_F(AdvGlowButtonTest, AnAcceleratorBeyondAsciiAnswersItsOwnCharacterOnly) {
    Make("Emile", 10)->SetCaption("&Émile");
    Make("Smile", 60)->SetCaption("&😀 Smile");
    Show();
    auto altType = [&](const String& Text) {
        ui.Screen().KeyDown(win::VK_MENU);
        ui.Screen().TypeText(Text);
        ui.Screen().KeyUp(win::VK_MENU);
        ui.Process();
    };
    altType("Ã");      // the first byte of "É"
    altType("\uF600"); // the low 16 bits of U+1F600
    EXPECT_TRUE(clicks.empty());
    altType("é");
    altType("😀");
    EXPECT_EQ(clicks, (std::vector<String>{"Emile", "Smile"}));
}
TEST_F(AdvGlowButtonTest, ImageListMenuAndSizingPropertiesRoundTripThroughLayouts) {
    RegisterClasses({ClassEntry<TGlowLayoutForm>(), ClassEntry<TAdvGlowButton>(), ClassEntry<TImageList>(),
                     ClassEntry<TPopupMenu>()});
    const String layout = R"(object GlowForm: TGlowLayoutForm
  Left = 0
  Top = 0
  Width = 300
  Height = 400
  object Glyphs: TImageList
  end
  object Tools: TPopupMenu
  end
  object AdvGlowButton_Overview: TAdvGlowButton
    Left = 2
    Top = 5
    Width = 120
    Height = 43
    AntiAlias = aaAntiAlias
    AutoSize = True
    ImageIndex = 3
    Images = Glyphs
    HotImages = Glyphs
    Trimming = StringTrimmingEllipsisWord
    DropDownButton = True
    DropDownMenu = Tools
    DropDownDirection = ddRight
    MaxButtonSizeState = bsLabel
  end
end
)";
    TComponentPtr<TGlowLayoutForm> lf(new TGlowLayoutForm(nullptr));
    ReadComponentFromText(layout, lf.get(), "GlowForm");
    TAdvGlowButton* b = lf->AdvGlowButton_Overview;
    EXPECT_EQ(b->AntiAlias(), AdvGDIP::aaAntiAlias);
    EXPECT_TRUE(b->AutoSize());
    EXPECT_EQ(b->ImageIndex(), 3);
    ASSERT_NE(b->Images(), nullptr);
    EXPECT_EQ(b->Images()->Name(), "Glyphs");
    EXPECT_EQ(b->HotImages(), b->Images());
    EXPECT_EQ(b->Trimming(), AdvGDIP::StringTrimmingEllipsisWord);
    ASSERT_NE(b->DropDownMenu(), nullptr);
    EXPECT_EQ(b->DropDownMenu()->Name(), "Tools");
    EXPECT_EQ(b->DropDownDirection(), ddRight);
    EXPECT_EQ(b->ButtonSizeState(), bsLabel);

    const String text = WriteComponentToText(lf.get());
    for (const char* line :
         {"AntiAlias = aaAntiAlias", "AutoSize = True", "ImageIndex = 3", "Images = Glyphs",
          "Trimming = StringTrimmingEllipsisWord", "DropDownMenu = Tools"})
        EXPECT_NE(text.find(line), String::npos) << line;
    EXPECT_EQ(text.find("DisabledImages"), String::npos); // unset references are not written
}

} // namespace
