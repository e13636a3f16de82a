// The right handle: a docked toolbar shorter than its controls hides the least recently used ones and
// brings back the last hidden as it grows; a group's separator goes and comes with the group; a click
// on a control makes it the most recently used; the handle's click reaches OnOptionClick.

#include "components/toolbar/options/OptionWindow.h"
#include "platform/vcl/StdCtrls.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

class RightHandleTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        panel = Make<TAdvDockPanel>("Panel", form.get());
        panel->InternalStyler()->SetDragGripStyle(dsNone);
        bar = Make<TAdvToolBar>("Bar", panel);
    }
    TControl* Add(const String& Name, int W = 40) { return Block(Name, bar, W); }
    TControl* Separator(const String& Name) {
        auto* s = Make<TAdvToolBarSeparator>(Name);
        s->SetAdvToolBar(bar);
        return s;
    }
    // The hidden controls' names, in the order they were hidden.
    String Hidden() const {
        String s;
        for (int i = 0; i < bar->HiddenControlCount(); ++i)
            s += (i ? "," : "") + bar->HiddenControls(i)->Name();
        return s;
    }

    TAdvDockPanel* panel = nullptr;
    TAdvToolBar* bar = nullptr;
};

TEST_F(RightHandleTest, ShrinkingHidesTheLeastRecentlyUsedAndGrowingBringsBackTheLastHidden) {
    for (const char* n : {"A", "B", "C", "D", "E", "F"})
        Add(n);
    ASSERT_EQ(bar->Width(), 2 + 6 * 40 + 14);
    EXPECT_EQ(Hidden(), "");
    // 150 long: 136 before the handle, the controls reach 242: 106 over, three controls go, the
    // least recently used (the last added) first.
    Length(bar, 150);
    EXPECT_EQ(Hidden(), "F,E,D");
    for (int i = 0; i < bar->HiddenControlCount(); ++i)
        EXPECT_EQ(bar->HiddenControls(i)->Top(), bar->Height() + 2) << "parked out of sight";
    // Using F makes it the most recent: it comes back and C, now the least recent showing, goes.
    bar->UpControlInRUL(static_cast<TControl*>(form->FindComponent("F")));
    EXPECT_EQ(Hidden(), "E,D,C");
    EXPECT_EQ(bar->RULControls(0)->Name(), "F");
    // Growing brings them back from the end of the list, while each fits.
    Length(bar, 2 + 4 * 40 + 14 + 10);
    EXPECT_EQ(Hidden(), "E,D");
    Length(bar, 2 + 6 * 40 + 14);
    EXPECT_EQ(Hidden(), "");
    // Shown again in the toolbar's own order.
    for (int i = 1; i < bar->ToolBarControlCount(); ++i)
        EXPECT_EQ(bar->ToolBarControls(i)->Left(),
                  bar->ToolBarControls(i - 1)->Left() + bar->ToolBarControls(i - 1)->Width());
}

TEST_F(RightHandleTest, AGroupsSeparatorGoesWithItsLastControlAndComesBackOnlyWhenBothFit) {
    Add("A");
    Add("B");
    TControl* sep = Separator("S");
    Add("C");
    Add("D");
    const int full = bar->Width();
    // Hiding D and C leaves the group empty: its separator goes too.
    Length(bar, full - 80);
    EXPECT_EQ(Hidden(), "D,C,S");
    // Room for C alone but not for C with the separator: nothing comes back.
    Length(bar, full - 80 + 35); // 45 free after B
    EXPECT_EQ(Hidden(), "D,C,S");
    // Room for both: C comes back with its separator.
    Length(bar, full - 80 + 40 + sep->Width());
    EXPECT_EQ(Hidden(), "D");
}

TEST_F(RightHandleTest, FullSizeAndFixedToolBarsHideNothing) {
    for (const char* n : {"A", "B", "C"})
        Add(n);
    Length(bar, 80);
    ASSERT_GT(bar->HiddenControlCount(), 0);
    bar->SetFullSize(true);
    EXPECT_EQ(bar->HiddenControlCount(), 0);
    // On a form, not a dock panel, the toolbar is fixed: its list never changes.
    auto* fixed = Make<TAdvToolBar>("Fixed", form.get());
    Block("X", fixed, 200);
    fixed->SetWidth(40);
    fixed->UpdateRULists();
    EXPECT_EQ(fixed->HiddenControlCount(), 0);
}

TEST_F(RightHandleTest, ClickingTheHandleReportsWhereTheOptionWindowWouldOpen) {
    Add("A");
    form->Show();
    ui.Process();
    TPoint client;
    TPoint screen;
    int clicks = 0;
    bar->OnOptionClick = [&](TObject* Sender, TPoint Client, TPoint Screen) {
        EXPECT_EQ(Sender, bar);
        client = Client;
        screen = Screen;
        ++clicks;
    };
    ui.Click(bar, bar->Width() - 6, bar->Height() / 2);
    EXPECT_EQ(clicks, 1);
    // Below the handle's far end, in the panel's coordinates.
    EXPECT_EQ(client.X, bar->Left() + bar->Width() - 12);
    EXPECT_EQ(client.Y, bar->Top() + bar->Height() + 1);
    EXPECT_EQ(screen.X, panel->ClientToScreen(client).X);
    // A click on the body is no click on the handle.
    ui.Click(bar, 5, bar->Height() / 2);
    EXPECT_EQ(clicks, 1);
}

// The window manager moving the form by its own drag never shows on the form's caption; the option window
// must not stay behind where the form was: it closes, and the form and its focused control have the
// keyboard again.
TEST_F(RightHandleTest, TheOptionWindowClosesWhenTheWindowManagerMovesTheForm) {
    for (const char* n : {"A", "B", "C", "D"})
        Add(n);
    auto* edit = Make<TEdit>("Edit", form.get());
    edit->SetBounds(10, 200, 100, 22);
    form->Show();
    ui.Process();
    Length(bar, 120);
    ASSERT_GT(bar->HiddenControlCount(), 0);
    edit->SetFocus();
    ui.Click(bar, bar->Width() - 6, bar->Height() / 2);
    ASSERT_NE(bar->OptionWindow(), nullptr);
    ASSERT_TRUE(bar->OptionWindow()->Visible());
    ui.Screen().WindowManagerMoves(form->WindowHandle(), TRect{200, 150, 800, 710});
    ui.Advance(10);
    EXPECT_EQ(form->Left(), 200);
    EXPECT_FALSE(bar->OptionWindow()->Visible());
    EXPECT_EQ(win::GetActiveWindow(), form->WindowHandle());
    EXPECT_EQ(win::GetFocus(), edit->WindowHandle());
    ui.Type("x");
    EXPECT_EQ(edit->Text(), "x");
}

// The option window stands by the handle it opened from: a toolbar that code moves to another parent,
// or gives its own parent again, closes it first, and its hidden controls stay its own.
TEST_F(RightHandleTest, AToolBarGivenAParentByCodeClosesItsOptionWindow) {
    for (const char* n : {"A", "B", "C", "D"})
        Add(n);
    auto* other = Make<TAdvDockPanel>("Other", form.get());
    other->SetAlign(alBottom);
    form->Show();
    ui.Process();
    auto openWindow = [&] {
        Length(bar, 120);
        ASSERT_GT(bar->HiddenControlCount(), 0);
        ui.Click(bar, bar->Width() - 6, bar->Height() / 2);
        ASSERT_NE(bar->OptionWindow(), nullptr);
        ASSERT_TRUE(bar->OptionWindow()->Visible());
    };
    openWindow();
    ASSERT_FALSE(HasFatalFailure());
    bar->SetParent(panel);
    EXPECT_FALSE(bar->OptionWindow()->Visible()) << "given the same parent";
    openWindow();
    ASSERT_FALSE(HasFatalFailure());
    bar->SetParent(other);
    EXPECT_FALSE(bar->OptionWindow()->Visible()) << "moved to another panel";
    for (int i = 0; i < bar->ToolBarControlCount(); ++i)
        EXPECT_EQ(bar->ToolBarControls(i)->Parent(), bar) << bar->ToolBarControls(i)->Name();
}

} // namespace
} // namespace toolbartest
