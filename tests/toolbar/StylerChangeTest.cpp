// The styler's change codes reaching its registered clients, its menu styler link, and Assign of the
// styler and of its appearance objects.

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/styler/StylerFile.h"
#include "platform/vcl/Edit.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

class StylerChangeTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        styler = Make<TCustomAdvToolBarStyler>("Styler");
        styler->AddControl(&a);
        styler->AddControl(&b);
    }
    void TearDown() override {
        styler->RemoveControl(&a);
        styler->RemoveControl(&b);
        ToolBarTest::TearDown();
    }
    // What both clients heard since the last call.
    std::vector<int> Heard() {
        EXPECT_EQ(a.Codes, b.Codes);
        std::vector<int> codes = a.Codes;
        a.Codes.clear();
        b.Codes.clear();
        return codes;
    }
    TCustomAdvToolBarStyler* styler = nullptr;
    RecordingClient a, b;
};

TEST_F(StylerChangeTest, EveryCodeReachesEveryRegisteredClient) {
    TBitmap picture(4, 4);
    TFont font;
    styler->SetBackGroundTransparent(false);
    styler->SetBackGround(&picture);
    styler->SetFont(&font);
    EXPECT_EQ(Heard(), (std::vector<int>{1, 1, 1}));
    styler->SetRightHandleImage(&picture);
    styler->SetCaptionFont(&font);
    EXPECT_EQ(Heard(), (std::vector<int>{2, 2}));
    styler->SetBorderColor(clRed);
    styler->CaptionAppearance()->SetCaptionColor(clRed);
    styler->DockColor()->SetSteps(3);
    EXPECT_EQ(Heard(), (std::vector<int>{2, 2, 2}));
    styler->ContainerAppearance()->SetLineColor(clRed);
    EXPECT_EQ(Heard(), std::vector<int>{4});
    styler->SetDragGripStyle(dsNone);
    EXPECT_EQ(Heard(), std::vector<int>{5});
    styler->SetAdvMenuStyler(nullptr);
    EXPECT_EQ(Heard(), std::vector<int>{6});
    styler->GlowButtonAppearance()->Changed();
    styler->CompactGlowButtonAppearance()->Changed();
    EXPECT_EQ(Heard(), (std::vector<int>{7, 7}));
    styler->TabAppearance()->SetTextColor(clRed);
    styler->PageAppearance()->SetColor(clRed);
    styler->GroupAppearance()->SetTextColor(clRed);
    EXPECT_EQ(Heard(), (std::vector<int>{10, 10, 10}));
    styler->PagerCaption()->SetTextColor(clRed);
    EXPECT_EQ(Heard(), std::vector<int>{11});
    styler->QATAppearance()->SetColor(clRed);
    EXPECT_EQ(Heard(), std::vector<int>{12});
}

TEST_F(StylerChangeTest, UnchangedValuesAndUnconnectedObjectsSignalNothingButRoundEdgesAlwaysDoes) {
    styler->SetRightHandleColor(styler->RightHandleColor());
    styler->SetBevel(styler->Bevel());
    styler->SetFloatingWindowBorderWidth(styler->FloatingWindowBorderWidth());
    styler->ButtonAppearance()->SetColor(clRed);
    styler->ColorHot()->SetColor(clRed);
    styler->SetDragGripImage(styler->DragGripImage());
    styler->TabAppearance()->SetBorderColorHot(clRed);
    styler->GroupAppearance()->ToolBarAppearance()->Color()->SetColor(clRed);
    styler->SetSystemFont(false);
    styler->SetSystemFont(true);
    EXPECT_TRUE(Heard().empty());
    styler->SetRoundEdges(styler->RoundEdges());
    styler->TabAppearance()->BackGround()->SetColor(clRed);
    styler->GroupAppearance()->ToolBarAppearance()->SetBorderColor(clRed);
    EXPECT_EQ(Heard(), (std::vector<int>{2, 10, 10}));
}

TEST_F(StylerChangeTest, TheMenuStylerInUseFallsBackToTheInternalOneWhenTheLinkedOneGoes) {
    EXPECT_EQ(styler->CurrentAdvMenuStyler(), styler->InternalMenuStyler());
    EXPECT_EQ(styler->InternalMenuStyler()->Name(), "InternalMenuStyler");
    auto* menus = new AdvMenuStylers::TAdvMenuStyler(nullptr);
    styler->SetAdvMenuStyler(menus);
    EXPECT_EQ(styler->CurrentAdvMenuStyler(), menus);
    FreeComponent(menus);
    EXPECT_EQ(styler->AdvMenuStyler(), nullptr);
    EXPECT_EQ(styler->CurrentAdvMenuStyler(), styler->InternalMenuStyler());
    EXPECT_EQ(Heard(), (std::vector<int>{6, 6}));
}

TEST_F(StylerChangeTest, FreeingTheStylerAsksEachClientOnceAndKeepsThoseThatStay) {
    auto* other = Make<TCustomAdvToolBarStyler>("Other");
    other->Change(TStylerChange::Colors); // nobody listed: nothing
    RecordingClient c;
    other->RemoveControl(&c); // never listed: nothing
    other->AddControl(&c);
    other->AddControl(&c); // no duplicate check: listed twice, asked twice
    FreeComponent(other);
    EXPECT_EQ(c.Releases, 2);
}

TEST_F(StylerChangeTest, ReadingPastTheClientListRaisesTheListsMessage) {
    try {
        styler->Controls(2);
        FAIL() << "read past the end";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Index out of bounds in list read access");
    }
    TDbgListOf<RecordingClient> list;
    list.Add(&a);
    EXPECT_THROW(list.Set(1, &b), Exception);
    TDbgList plain, copy;
    plain.Add(&a);
    plain.Add(&b);
    copy.Add(&b);
    copy.AssignList(&plain);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.GetItemsEx(0), &a);
    // Before the start as past the end: the list's own messages.
    EXPECT_THAT([&] { plain.GetItemsEx(-1); }, ::testing::ThrowsMessage<Exception>(::testing::StrEq(
                                                   "Index out of bounds in list read access")));
    EXPECT_THAT([&] { plain.SetItemsEx(-1, &a); }, ::testing::ThrowsMessage<Exception>(::testing::StrEq(
                                                       "Index out of bounds in list write access")));
    EXPECT_EQ(plain.GetItemsEx(1), &b) << "nothing written";
}

// The property lines under Prefix of a styler.
std::vector<String> Lines(TCustomAdvToolBarStyler* S, const String& Prefix) {
    std::vector<String> all, some;
    S->SavePropToFile(all);
    for (const String& l : all)
        if (l.rfind(Prefix, 0) == 0 || l.rfind("\"" + Prefix, 0) == 0) some.push_back(l);
    return some;
}

TEST_F(StylerChangeTest, WritingAnAppearancePropertyCopiesEveryValueItStores) {
    auto* src = Make<TAdvToolBarOfficeStyler>("Source");
    src->SetToolBarStyle(AdvToolBarStylers::bsOffice2007Obsidian);
    src->TabAppearance()->Font()->SetStyle({fsBold});
    src->GlowButtonAppearance()->SetColorDisabled(0x010203);
    for (const char* prefix :
         {"TabAppearance.", "PageAppearance.", "PagerCaption.", "GlowButtonAppearance.",
          "CompactGlowButtonAppearance.", "CaptionAppearance.", "Color.", "DockColor.", "ColorHot."}) {
        EXPECT_NE(Lines(styler, prefix), Lines(src, prefix)) << prefix;
    }
    styler->SetTabAppearance(src->TabAppearance());
    styler->SetPageAppearance(src->PageAppearance());
    styler->SetPagerCaption(src->PagerCaption());
    styler->SetGlowButtonAppearance(src->GlowButtonAppearance());
    styler->SetCompactGlowButtonAppearance(src->CompactGlowButtonAppearance());
    styler->SetCaptionAppearance(src->CaptionAppearance());
    styler->SetColor(src->Color());
    styler->SetDockColor(src->DockColor());
    styler->SetColorHot(src->ColorHot());
    styler->SetGroupAppearance(src->GroupAppearance());
    for (const char* prefix :
         {"TabAppearance.", "PageAppearance.", "PagerCaption.", "GlowButtonAppearance.",
          "CompactGlowButtonAppearance.", "CaptionAppearance.", "Color.", "DockColor.", "ColorHot.",
          "GroupAppearance.CaptionAppearance.", "GroupAppearance.PageAppearance.",
          "GroupAppearance.TabAppearance.", "GroupAppearance.Color"})
        EXPECT_EQ(Lines(styler, prefix), Lines(src, prefix)) << prefix;
    // The group's toolbar appearance is its own.
    EXPECT_NE(Lines(styler, "GroupAppearance.ToolBarAppearance."),
              Lines(src, "GroupAppearance.ToolBarAppearance."));
}

TEST_F(StylerChangeTest, StylerAssignCopiesTheBackgroundAndButtonLookButNotThePagerLook) {
    auto* src = Make<TAdvToolBarOfficeStyler>("Source");
    src->SetToolBarStyle(AdvToolBarStylers::bsWhidbeyStyle);
    src->SetFloatingWindowBorderWidth(7);
    src->SetDragGripStyle(dsNone);
    src->SetBorderColor(0x333333);
    src->ContainerAppearance()->SetLineColor(clRed);
    src->Font()->SetSize(13);
    auto* menus = Make<AdvMenuStylers::TAdvMenuStyler>("Menus");
    menus->Font()->SetSize(17);
    src->SetAdvMenuStyler(menus);
    styler->Assign(src);
    EXPECT_EQ(Lines(styler, "Color."), Lines(src, "Color."));
    EXPECT_EQ(Lines(styler, "DockColor."), Lines(src, "DockColor."));
    EXPECT_EQ(Lines(styler, "CaptionAppearance."), Lines(src, "CaptionAppearance."));
    EXPECT_EQ(styler->ButtonAppearance()->ColorHot(), src->ButtonAppearance()->ColorHot());
    EXPECT_EQ(styler->FloatingWindowBorderWidth(), 7);
    EXPECT_EQ(styler->DragGripStyle(), dsNone);
    EXPECT_NE(styler->BorderColor(), src->BorderColor());
    EXPECT_NE(styler->ContainerAppearance()->LineColor(), clRed);
    EXPECT_EQ(styler->Font()->Size(), 13);
    EXPECT_EQ(styler->InternalMenuStyler()->Font()->Size(), 17);
    EXPECT_EQ(styler->AdvMenuStyler(), nullptr) << "the link itself is not copied";
    EXPECT_NE(Lines(styler, "TabAppearance."), Lines(src, "TabAppearance."));
    EXPECT_NE(Lines(styler, "GlowButtonAppearance."), Lines(src, "GlowButtonAppearance."));
    EXPECT_NE(styler->BorderColorHot(), src->BorderColorHot());
    EXPECT_THROW(styler->Assign(form.get()), EConvertError);
}

TEST(StylerAppearanceTest, AssignFiresOnlyThroughTheSettersTheClassUses) {
    int changes = 0;
    // A gradient signals every write, even of the same value, but copies silently.
    TGradientBackground g, gOther;
    g.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &g);
        ++changes;
    };
    g.SetColor(g.Color());
    g.SetSteps(g.Steps());
    EXPECT_EQ(changes, 2);
    gOther.SetColor(0x123456);
    gOther.SetSteps(8);
    g.Assign(&gOther);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(g.Color(), 0x123456);
    EXPECT_EQ(g.Steps(), 8);
    TContainerAppearance container, containerOther;
    g.Assign(&container); // ignored without error
    EXPECT_EQ(g.Color(), 0x123456);
    // The container's lines copy through its setters, which signal only a new value.
    container.OnChange = [&](TObject*) { ++changes; };
    container.SetLineColor(container.LineColor());
    container.SetLine3D(container.Line3D());
    EXPECT_EQ(changes, 2);
    containerOther.SetLineColor(clNone);
    containerOther.SetLine3D(false);
    container.Assign(&containerOther);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(container.LineColor(), clNone);
    EXPECT_THROW(container.Assign(&g), EConvertError);

    changes = 0;
    TCustomTabAppearance tab, other;
    tab.OnChange = [&](TObject*) { ++changes; };
    other.SetColorSelected(clRed);
    tab.Assign(&other);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(tab.ColorSelected(), clRed);
    other.SetTextColor(clRed);
    tab.Assign(&other);
    EXPECT_EQ(changes, 1);

    TCaptionAppearance cap, capOther;
    cap.OnChange = [&](TObject*) { ++changes; };
    capOther.SetCaptionColor(clRed);
    cap.Assign(&capOther);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(cap.CaptionColor(), clRed);

    TButtonAppearance button, buttonOther;
    buttonOther.SetGradientDirectionHot(gdHorizontal);
    buttonOther.CaptionFont()->SetSize(20);
    buttonOther.SetBorderHotColor(clRed);
    button.Assign(&buttonOther);
    EXPECT_EQ(button.GradientDirectionHot(), gdVertical);
    EXPECT_NE(button.CaptionFont()->Size(), 20);
    EXPECT_EQ(button.BorderHotColor(), clRed);
    button.Assign(&g); // ignored without error
    EXPECT_THROW(cap.Assign(&g), EConvertError);
}

TEST(StylerAppearanceTest, PartialCopiesKeepWhatTheirClassDoesNotCopy) {
    TVistaTextBackground text;
    TVistaBackground plain;
    plain.SetColor(clRed);
    text.SetTextColor(clLime);
    text.Font()->SetSize(15);
    text.Assign(&plain);
    EXPECT_EQ(text.Color(), clRed);
    EXPECT_EQ(text.TextColor(), clLime);
    EXPECT_EQ(text.Font()->Size(), 15);

    TQATAppearance q, qOther;
    qOther.SetSteps(9);
    qOther.SetFullSizeColorTo(clRed);
    q.Assign(&qOther);
    EXPECT_EQ(q.Steps(), 64);
    EXPECT_EQ(q.FullSizeColorTo(), clRed);

    TGroupAppearance group, groupOther;
    groupOther.ToolBarAppearance()->SetBorderColor(clRed);
    groupOther.TabAppearance()->SetColorHot(clLime);
    group.Assign(&groupOther);
    EXPECT_EQ(group.ToolBarAppearance()->BorderColor(), clNone);
    EXPECT_EQ(group.TabAppearance()->ColorHot(), clLime);
}

TEST(StylerAppearanceTest, TheSystemFontFlagRenamesOnlyWhenSwitchedOn) {
    TGroupAppearance group;
    const String name = group.Font()->Name();
    EXPECT_TRUE(name == "Tahoma" || name == "Segoe UI");
    group.Font()->SetName("Courier New");
    group.SetSystemFont(false);
    EXPECT_EQ(group.Font()->Name(), "Courier New");
    group.SetSystemFont(true);
    EXPECT_EQ(group.Font()->Name(), name);
}

TEST_F(ToolBarTest, GlowButtonsOnAToolBarWearTheStylersGlowLook) {
    auto* s = Make<TAdvToolBarOfficeStyler>("Office");
    s->SetToolBarStyle(AdvToolBarStylers::bsOffice2007Luna);
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    panel->SetToolBarStyler(s);
    auto* bar = Make<TAdvToolBar>("Bar", panel);
    auto* button = Make<AdvGlowButton::TAdvGlowButton>("Button", bar);
    EXPECT_COLOR(button->Appearance()->Color(), 0xEEDBC8);
    s->SetToolBarStyle(AdvToolBarStylers::bsOffice2007Obsidian);
    EXPECT_COLOR(button->Appearance()->Color(), 0xDFDED6);
    EXPECT_COLOR(button->Appearance()->BorderColor(), 0xC0BCB2);
    s->GlowButtonAppearance()->SetColorHot(clRed);
    s->GlowButtonAppearance()->Changed();
    EXPECT_COLOR(button->Appearance()->ColorHot(), clRed);
}

TEST_F(ToolBarTest, OnlyControlsThatCanTakeTheFocusStayInTheTabOrder) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    auto* button = Make<AdvGlowButton::TAdvGlowButton>("Button", bar);
    auto* hidden = Make<TEdit>("Hidden", form.get());
    hidden->SetVisible(false);
    auto* container = Make<TAdvToolBarContainer>("Container", bar);
    auto* separator = Make<TAdvToolBarSeparator>("Separator", bar);
    TList list;
    for (void* c : {static_cast<void*>(button), static_cast<void*>(hidden), static_cast<void*>(container),
                    static_cast<void*>(separator)})
        list.Add(c);
    RemoveUnfocusableControls(&list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0), button);
    EXPECT_EQ(list.Get(1), separator) << "a control without a window stays";
    RemoveUnfocusableControls(nullptr);
}

} // namespace
} // namespace toolbartest
