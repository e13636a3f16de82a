// The toolbar button through real input: clicks, check buttons, groups, press-and-leave, the drop-down
// part and its menu, hot tracking, the menu button's handshake; the action and menu-item links and the
// layout round trip.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "components/menus/AdvMenus.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/vcl/ActnList.h"
#include "tests/support/MenuDriver.h"

namespace toolbartest {
namespace {

class ToolBarButtonTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        panel = Make<TAdvDockPanel>("Panel", form.get());
        bar = Make<TAdvToolBar>("Bar", panel);
    }
    TAdvToolBarButton* Button(const String& Name, TWinControl* Parent = nullptr) {
        auto* b = Make<TAdvToolBarButton>(Name, Parent != nullptr ? Parent : bar);
        b->OnClick = [this, Name](TObject*) { clicks.push_back(Name); };
        return b;
    }
    void Show() {
        form->Show();
        ui.Process();
    }
    // A press at one client point and the release at another, through the screen's input.
    void PressAndRelease(TControl* C, TPoint Down, TPoint Up) {
        TPoint d = C->ClientToScreen(Down), u = C->ClientToScreen(Up);
        ui.Screen().MoveMouse(d.X, d.Y);
        ui.Screen().Press();
        ui.Process();
        ui.Screen().MoveMouse(u.X, u.Y);
        ui.Process();
        ui.Screen().Release();
        ui.Process();
    }

    TAdvDockPanel* panel = nullptr;
    TAdvToolBar* bar = nullptr;
    std::vector<String> clicks;
};

TEST_F(ToolBarButtonTest, APlainButtonClicksAndNeverStaysDownACheckButtonToggles) {
    auto* b = Button("B");
    Show();
    EXPECT_EQ(b->AdvToolBar(), bar);
    b->SetDown(true);
    EXPECT_FALSE(b->Down());
    ui.Click(b);
    ui.Click(b);
    EXPECT_EQ(clicks, (std::vector<String>{"B", "B"}));
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(b->State(), absUp);
    // Disabled: no click.
    b->SetEnabled(false);
    ui.Click(b);
    EXPECT_EQ(clicks.size(), 2u);
    // A check button toggles on each click.
    auto* check = Button("Check");
    check->SetStyle(tasCheck);
    ui.Process();
    ui.Click(check);
    EXPECT_TRUE(check->Down());
    EXPECT_EQ(check->State(), absDown);
    ui.Click(check);
    EXPECT_FALSE(check->Down());
    EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(ToolBarButtonTest, AGroupKeepsOneButtonDownAndSharesAllowAllUp) {
    auto* a = Button("A");
    auto* b = Button("B");
    auto* c = Button("C");
    for (auto* x : {a, b, c})
        x->SetGroupIndex(1);
    Show();
    ui.Click(a);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), absExclusive);
    ui.Click(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), absUp);
    // The down button of a group without AllowAllUp stays down when clicked again.
    ui.Click(b);
    EXPECT_TRUE(b->Down());
    // AllowAllUp set on one member reaches the others at once; then the same click releases.
    c->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    EXPECT_TRUE(b->AllowAllUp());
    ui.Click(b);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, (std::vector<String>{"A", "B", "B", "B"}));
}

TEST_F(ToolBarButtonTest, PressingInsideAndReleasingOutsideDoesNotClick) {
    auto* a = Button("A");
    auto* b = Button("B");
    b->SetGroupIndex(3);
    Show();
    PressAndRelease(a, {5, 5}, {a->Width() + 40, 5});
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(a->State(), absUp);
    ui.Click(b);
    clicks.clear();
    PressAndRelease(b, {5, 5}, {5, b->Height() + 40});
    EXPECT_TRUE(clicks.empty());
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(b->State(), absExclusive);
}

TEST_F(ToolBarButtonTest, OnlyTheLastTwelvePixelsOpenASplitDropDown) {
    auto* b = Button("Drop");
    int drops = 0;
    b->OnDropDown = [&](TObject*) { ++drops; };
    b->SetDropDownButton(true);
    Show();
    ASSERT_GT(b->Width(), 20);
    ui.Click(b, b->Width() - 13, 5);
    EXPECT_EQ(drops, 0);
    EXPECT_EQ(clicks.size(), 1u);
    ui.Click(b, b->Width() - 12, 5);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(clicks.size(), 1u);
    // Without the split the whole button is the drop-down part.
    b->SetDropDownSplit(false);
    ui.Click(b, 3, 5);
    EXPECT_EQ(drops, 2);
    EXPECT_EQ(clicks.size(), 1u);
    // On a vertical toolbar the part runs along the bottom.
    b->SetPosition(daLeft);
    b->SetDropDownSplit(true);
    b->SetBounds(b->Left(), b->Top(), 40, 40);
    ui.Click(b, 5, 40 - 13);
    EXPECT_EQ(drops, 2);
    ui.Click(b, 5, 40 - 12);
    EXPECT_EQ(drops, 3);
}

TEST_F(ToolBarButtonTest, TheDropDownMenuShowsUnderTheButtonWithTheFrameUp) {
    auto* b = Button("Drop");
    auto* menu = Make<AdvMenus::TAdvPopupMenu>("Menu");
    auto* item = new TMenuItem(menu);
    item->SetCaption("First");
    menu->Items()->Add(item);
    b->SetDropDownButton(true);
    b->SetDropDownMenu(menu);
    Show();
    uitest::MenuDriver menus(ui);
    bool showing = false;
    ui.WhenIdle([&] {
        showing = b->MenuShowing();
        menus.CloseMenus();
    });
    ui.Click(b, b->Width() - 4, 5);
    EXPECT_TRUE(showing);
    EXPECT_FALSE(b->MenuShowing());
    EXPECT_EQ(ui.PendingActions(), 0);
    EXPECT_TRUE(clicks.empty());
    // Freeing the menu unlinks it.
    delete menu;
    EXPECT_EQ(b->DropDownMenu(), nullptr);
}

TEST_F(ToolBarButtonTest, HotTrackingKeepsOneHotButtonAndLetsGoOutside) {
    auto* a = Button("A");
    auto* b = Button("B");
    int enters = 0, leaves = 0;
    a->OnMouseEnter = [&](TObject*) { ++enters; };
    a->OnMouseLeave = [&](TObject*) { ++leaves; };
    Show();
    ui.MoveTo(a);
    EXPECT_TRUE(a->Hot());
    EXPECT_EQ(enters, 1);
    ui.MoveTo(b);
    EXPECT_TRUE(b->Hot());
    EXPECT_FALSE(a->Hot());
    EXPECT_EQ(leaves, 1);
    ui.MoveTo(form.get(), 300, 400);
    ui.Advance(5);
    EXPECT_FALSE(b->Hot());
    // A button that is down does not turn hot; one off any toolbar never does.
    b->SetStyle(tasCheck);
    b->SetDown(true);
    b->SetHot(true);
    EXPECT_FALSE(b->Hot());
    auto* loose = Make<TAdvToolBarButton>("Loose", form.get());
    loose->SetHot(true);
    EXPECT_FALSE(loose->Hot());
}

TEST_F(ToolBarButtonTest, AMenuButtonDropsItsMenuButNotOnTheClickThatClosedIt) {
    auto* m = Make<TAdvToolBarMenuButton>("File", bar);
    int clicked = 0;
    m->OnClick = [&](TObject*) { ++clicked; };
    auto* menu = Make<AdvMenus::TAdvPopupMenu>("Menu");
    auto* item = new TMenuItem(menu);
    item->SetCaption("Open");
    menu->Items()->Add(item);
    m->SetDropDownMenu(menu);
    Show();
    EXPECT_TRUE(m->IsMenuButton());
    uitest::MenuDriver menus(ui);
    int shown = 0;
    ui.WhenIdle([&] {
        ++shown;
        menus.CloseMenus();
    });
    ui.Click(m);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(m->State(), absUp);
    // The menu closed over the button: the next press only takes note.
    m->ClosedOverButton = true;
    ui.WhenIdle([&] {
        ++shown;
        menus.CloseMenus();
    });
    ui.Click(m);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(m->ClosedOverButton);
    // A menu button's release neither toggles nor clicks.
    EXPECT_EQ(clicked, 0);
    ui.Process();
    ui.Click(m);
    EXPECT_EQ(shown, 2);
}

TEST_F(ToolBarButtonTest, TheActionLinkCarriesGroupImageIndexAndChecked) {
    auto* list = Make<TActionList>("Actions");
    auto* act = new TAction(form.get());
    act->SetActionList(list);
    act->SetCaption("Bold");
    act->SetGroupIndex(4);
    act->SetImageIndex(7);
    auto* b = Button("B");
    b->SetAction(act);
    EXPECT_EQ(b->GroupIndex(), 4);
    EXPECT_EQ(b->ImageIndex(), 7);
    EXPECT_EQ(b->Caption(), "Bold");
    act->SetChecked(true);
    EXPECT_TRUE(b->Down());
    // Another member going down unchecks the action of the one that comes up.
    auto* other = Button("Other");
    other->SetGroupIndex(4);
    other->SetDown(true);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(act->Checked());
}

TEST_F(ToolBarButtonTest, AMenuItemGivesItsStateAndItsRemovalIsNoticed) {
    auto* b = Button("B");
    b->SetGroupIndex(2);
    auto* item = new TMenuItem(form.get());
    item->SetCaption("&Edit");
    item->SetChecked(true);
    item->SetHint("Edits");
    item->SetImageIndex(2);
    b->SetMenuItem(item);
    EXPECT_EQ(b->Caption(), "&Edit");
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(b->Hint(), "Edits");
    EXPECT_EQ(b->ImageIndex(), 2);
    delete item;
    EXPECT_EQ(b->MenuItem(), nullptr);
}

TEST_F(ToolBarButtonTest, AGlyphMakesAGreyDisabledGlyphOnlyOnce) {
    auto* b = Button("B");
    TBitmap g(2, 1);
    g.Canvas()->SetPixel(0, 0, static_cast<TColor>(win::RGB(30, 60, 90)));
    g.Canvas()->SetPixel(1, 0, static_cast<TColor>(win::RGB(255, 255, 255)));
    b->SetGlyph(&g);
    // v = mean / 2 + 96: 60 / 2 + 96 and 255 / 2 + 96.
    EXPECT_COLOR(b->GlyphDisabled()->Canvas()->GetPixel(0, 0), win::RGB(126, 126, 126));
    EXPECT_COLOR(b->GlyphDisabled()->Canvas()->GetPixel(1, 0), win::RGB(223, 223, 223));
    TBitmap h(2, 1);
    h.Canvas()->SetPixel(0, 0, vcl::clBlack);
    b->SetGlyph(&h);
    EXPECT_COLOR(b->GlyphDisabled()->Canvas()->GetPixel(0, 0), win::RGB(126, 126, 126));
}

TEST_F(ToolBarButtonTest, PropertiesAndEventsSurviveALayoutRoundTrip) {
    auto* b = Button("Saved");
    b->SetCaption("Print");
    b->SetShowCaption(true);
    b->SetGlyphPosition(gpTop);
    b->SetGroupIndex(5);
    b->SetAllowAllUp(true);
    b->SetStyle(tasCheck);
    b->SetDown(true);
    b->SetDropDownButton(true);
    b->SetDropDownSplit(false);
    b->SetParentStyler(false);
    b->SetShaded(false);
    b->Appearance()->SetColorHot(0x123456);
    b->DrawPosition()->SetEnabled(true);
    b->DrawPosition()->SetTextX(7);
    String text = WriteComponentToText(b);
    EXPECT_NE(text.find("Version = '3.0.9.1'"), String::npos) << text;
    TComponentPtr<TComponent> read(ReadComponentFromText(text, nullptr, "Saved", form.get()));
    auto* r = dynamic_cast<TAdvToolBarButton*>(read.get());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Caption(), "Print");
    EXPECT_TRUE(r->ShowCaption());
    EXPECT_EQ(r->GlyphPosition(), gpTop);
    EXPECT_EQ(r->GroupIndex(), 5);
    EXPECT_TRUE(r->AllowAllUp());
    EXPECT_EQ(r->Style(), tasCheck);
    EXPECT_TRUE(r->Down()); // applied after Style and GroupIndex are known
    EXPECT_TRUE(r->DropDownButton());
    EXPECT_FALSE(r->DropDownSplit());
    EXPECT_FALSE(r->ParentStyler());
    EXPECT_FALSE(r->Shaded());
    EXPECT_EQ(r->Appearance()->ColorHot(), 0x123456);
    EXPECT_TRUE(r->DrawPosition()->Enabled());
    EXPECT_EQ(r->DrawPosition()->TextX(), 7);
    EXPECT_EQ(r->GetVersionNr(), 0x03000901);
}

TEST_F(ToolBarButtonTest, DrawPositionAssignCopiesSilentlyWhileSettersNotify) {
    TAdvToolBarButtonDrawPosition a, b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    a.SetImageX(3);
    a.SetTextY(9);
    b.Assign(&a);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(b.ImageX(), 3);
    EXPECT_EQ(b.TextY(), 9);
    b.SetImageX(3);
    EXPECT_EQ(changes, 0);
    b.SetImageX(4);
    EXPECT_EQ(changes, 1);
}

} // namespace
} // namespace toolbartest
