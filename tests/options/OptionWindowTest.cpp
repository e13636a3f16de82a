// The option window from the toolbar's side: the right handle's click opens it below the handle with
// the hidden controls in toolbar order, a separator between groups; nothing opens when it would be
// empty; a click outside, or a glow button's click, closes it.

#include "tests/options/OptionsTestSupport.h"

#include "components/foundation/AdvGlowButton.h"

namespace optionstest {
namespace {

class OptionWindowTest : public OptionsTest {};

TEST_F(OptionWindowTest, TheHandlesClickShowsTheHiddenControlsInToolbarOrderWithASeparatorBetweenGroups) {
    Add("A");
    Separator("S1");
    Add("B");
    Separator("S2");
    Add("C");
    Add("D");
    bar->UpControlInRUL(bar->ToolBarControls(4)); // C is used: D, then B are the least recent
    // 182 long with the controls; 60 over: D goes, then B with its separator S1.
    Length(2 + 4 * 40 + 2 * 10 + 14 - 60);
    ASSERT_EQ(bar->HiddenControlCount(), 3);
    const win::COLORREF activeCaption = ui.Pixel(form.get(), 60, 10);
    // The handle acts on the press, as a menu's button does; its release changes nothing.
    const vcl::TRect h = bar->GetRightHandleRect();
    ui.MoveTo(bar, (h.Left + h.Right) / 2, (h.Top + h.Bottom) / 2);
    ui.Screen().Press();
    ui.Process();
    TOptionSelectorWindow* w = bar->OptionWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Visible()) << "open on the press";
    ui.Screen().Release();
    ui.Process();
    EXPECT_TRUE(w->Visible());
    EXPECT_EQ(win::GetActiveWindow(), w->WindowHandle());
    EXPECT_EQ(Hex(ui.Pixel(form.get(), 60, 10)), Hex(activeCaption)) << "the form's caption stays active";
    TControlSelectorPanel* panel = bar->OptionPanel();
    String order;
    for (int i = 0; i < panel->SelectorControlCount(); ++i) {
        TControl* c = panel->SelectorControls(i);
        order += (i ? "," : "") + (c->Owner() == panel ? String("copy of ") : String()) + c->Name();
        EXPECT_EQ(c->Parent(), panel) << c->Name();
    }
    // No separator before the first group (S1 stays hidden on no panel); S2, still on the toolbar,
    // is copied between the groups.
    EXPECT_EQ(order, "B,copy of ,D");
    EXPECT_EQ(panel->SelectorControls(1)->Owner(), panel);
    // Below the handle's far end: (Left + Width - 12, Top + Height + 1) of the dock panel, on screen.
    TPoint at = dock->ClientToScreen(TPoint{bar->Left() + bar->Width() - 12, bar->Top() + bar->Height() + 1});
    EXPECT_EQ(w->Left(), at.X);
    EXPECT_EQ(w->Top(), at.Y);
    // The window takes the panel's size; controls flow left to right from the margins.
    EXPECT_EQ(w->Width(), panel->Width());
    EXPECT_EQ(w->Height(), panel->Height());
    EXPECT_EQ(panel->SelectorControls(0)->Left(), 3);
    EXPECT_EQ(panel->SelectorControls(0)->Top(), 3);
    EXPECT_EQ(panel->SelectorControls(1)->Left(), 3 + 40);
    EXPECT_EQ(panel->SelectorControls(2)->Left(), 3 + 40 + 10);
    // The separator copy goes when the window hides; the hidden controls come back as room allows.
    ClickOutside();
    EXPECT_FALSE(w->Visible());
    EXPECT_EQ(panel->SelectorControlCount(), 2);
    Length(2 + 4 * 40 + 2 * 10 + 14);
    EXPECT_EQ(bar->HiddenControlCount(), 0);
    EXPECT_EQ(panel->SelectorControlCount(), 0) << "a control back on the toolbar leaves the panel's list";
    EXPECT_EQ(bar->ToolBarControls(2)->Parent(), bar);
}

TEST_F(OptionWindowTest, NothingOpensWhenThePanelWouldBeEmptyAndTheAddRemoveItemKeepsItOpen) {
    Add("A");
    ClickHandle();
    ASSERT_NE(bar->OptionWindow(), nullptr);
    EXPECT_FALSE(bar->OptionWindow()->Visible()) << "no hidden control, no item";
    bar->AutoOptionMenu = true;
    ClickHandle();
    TControlSelectorPanel* panel = bar->OptionPanel();
    EXPECT_TRUE(bar->OptionWindow()->Visible());
    EXPECT_FALSE(panel->IsEmpty());
    EXPECT_EQ(panel->AddRemoveItem()->Caption(), "Add or Remove Buttons");
    EXPECT_TRUE(panel->OptionsItem()->ItemRect.IsEmpty()) << "no options menu, no customizer";
    ui.Key(win::VK_ESCAPE);
    EXPECT_FALSE(bar->OptionWindow()->Visible()) << "Escape closes it";
}

TEST_F(OptionWindowTest, AWindowThatWouldLeaveTheWorkAreasBottomOpensHigher) {
    // A dock panel at the bottom of a form that reaches the task bar.
    form->SetBounds(600, 500, 400, 230);
    dock->SetAlign(daBottom);
    for (const char* n : {"A", "B", "C", "D", "E"})
        Add(n, 40, 40);
    Length(2 + 40 + 14 + 5);
    ClickHandle();
    TOptionSelectorWindow* w = bar->OptionWindow();
    ASSERT_TRUE(w->Visible());
    // The work area ends 30 pixels above the 768-pixel screen's bottom; 2 pixels are kept free.
    EXPECT_EQ(w->Top() + w->Height() + 2, 768 - 30);
    EXPECT_LE(w->Left() + w->Width(), 1024);
}

TEST_F(OptionWindowTest, OnAToolbarDockedAtTheRightAWindowThatWouldLeaveTheScreenOpensLeftOfTheToolbar) {
    form->SetBounds(1024 - 150, 100, 150, 200);
    dock->SetAlign(daRight);
    for (const char* n : {"A", "B", "C", "D", "E", "F"})
        Add(n, 40, 40);
    ASSERT_GT(bar->HiddenControlCount(), 0);
    bar->ShowOptionWindow(0, 0, false);
    TOptionSelectorWindow* w = bar->OptionWindow();
    ASSERT_TRUE(w->Visible());
    EXPECT_EQ(w->Left(), bar->ClientToScreen(TPoint{0, 0}).X - w->Width());
    EXPECT_LE(w->Left() + w->Width(), 1024);
}

TEST_F(OptionWindowTest, ClickingAHiddenButtonInTheWindowBringsItBackAndHidesAnotherWhenRoomIsShort) {
    TControl* a = Add("A");
    TControl* b = Add("B");
    auto* button = Make<TAdvToolBarButton>("Button");
    button->SetCaption("Button");
    button->SetAutoSize(false);
    button->SetBounds(0, 0, 40, 22);
    button->SetParent(bar);
    // A form only as wide as two controls and the handle: the row keeps the toolbar that short.
    form->SetClientSize(TSize{2 + 2 * 40 + 14 + 2, 300});
    ASSERT_EQ(bar->HiddenControlCount(), 1); // the least recently used: the last added
    ASSERT_EQ(bar->HiddenControls(0), button);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    ClickHandle();
    ASSERT_TRUE(bar->OptionWindow()->Visible());
    ASSERT_EQ(button->Parent(), bar->OptionPanel());
    ui.Click(button);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(bar->OptionWindow()->Visible());
    EXPECT_EQ(button->Parent(), bar);
    EXPECT_EQ(bar->RULControls(0), button);
    // The button is back; B, now the least recently used showing, went in its place.
    ASSERT_EQ(bar->HiddenControlCount(), 1);
    EXPECT_EQ(bar->HiddenControls(0), b);
    EXPECT_EQ(a->Parent(), bar);
}

TEST_F(OptionWindowTest, AGlowButtonsClickClosesTheWindow) {
    auto* glow = Make<AdvGlowButton::TAdvGlowButton>("Glow", bar);
    glow->SetBounds(0, 0, 40, 22);
    for (const char* n : {"B", "C", "D"})
        Add(n);
    Length(2 + 40 + 14 + 5);
    ASSERT_EQ(bar->ToolBarControls(0), glow);
    bar->UpControlInRUL(glow);
    ClickHandle();
    ASSERT_TRUE(bar->OptionWindow()->Visible());
    ui.Click(glow);
    EXPECT_FALSE(bar->OptionWindow()->Visible());
}

} // namespace
} // namespace optionstest
