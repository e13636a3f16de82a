// The menu bar by mouse: buttons built from the menu, a click dropping the item's sub-menu (lent to the
// pop-up and given back), a choice raising the item's click, and sliding from one open menu to the next.

#include "tests/menubar/MenuBarSupport.h"

namespace menubartest {
namespace {

TEST_F(MenuBarTest, OneButtonPerTopLevelItemInMenuOrderAndNoneAfterTheMenuGoes) {
    ASSERT_EQ(bar->ToolBarControlCount(), 3);
    EXPECT_EQ(bar->ToolBarControls(0), ButtonOf(file));
    EXPECT_EQ(bar->ToolBarControls(1), ButtonOf(edit));
    EXPECT_EQ(bar->ToolBarControls(2), ButtonOf(help));
    EXPECT_EQ(ButtonOf(file)->Caption(), "&File");
    EXPECT_TRUE(ButtonOf(file)->ToolBarMade);
    // The buttons stand side by side, each as wide as its caption needs.
    EXPECT_LT(ButtonOf(file)->Left(), ButtonOf(edit)->Left());
    EXPECT_GT(ButtonOf(file)->Width(), 0);

    delete menu;
    EXPECT_EQ(bar->Menu(), nullptr);
    EXPECT_EQ(bar->ToolBarControlCount(), 0);
}

TEST_F(MenuBarTest, AClickDropsTheSubMenuAndAChoiceRaisesTheItemsClick) {
    std::vector<TMenuItem*> shown;
    int fileCountWhileOpen = -1;
    bool pictured = false;
    ui.WhenIdle([&] {
        shown = Dropped();
        fileCountWhileOpen = file->Count();
        pictured = ui.Screen().WriteScreenPng(uitest::UiDriver::OutputPath("menubar-open.png"));
        menus.ClickOpenItem(open);
    });
    ui.Click(ButtonOf(file));
    ui.Process();
    EXPECT_EQ(shown, (std::vector<TMenuItem*>{open, exitItem}));
    EXPECT_TRUE(pictured);
    // The sub-items are lent to the pop-up while it is up, and come back in their order.
    EXPECT_EQ(fileCountWhileOpen, 0);
    ASSERT_EQ(file->Count(), 2);
    EXPECT_EQ(file->Items(0), open);
    EXPECT_EQ(file->Items(1), exitItem);
    // Dropping a top-level item clicks it (it may fill itself in), then the chosen item runs.
    EXPECT_EQ(clicks, (std::vector<String>{"&File", "&Open"}));
    EXPECT_EQ(bar->TempPopupMenu(), nullptr);
    EXPECT_FALSE(bar->DropDownOpen());
}

TEST_F(MenuBarTest, SlidingThePointerOntoTheNextButtonOpensItsMenu) {
    std::vector<TMenuItem*> first, second, third;
    ui.WhenIdle([&] {
        first = Dropped();
        Slide(ButtonOf(edit));
    });
    ui.WhenIdle([&] {
        second = Dropped();
        Slide(ButtonOf(help));
    });
    ui.WhenIdle([&] {
        third = Dropped();
        menus.CloseMenus();
    });
    ui.Click(ButtonOf(file));
    ui.Process();
    EXPECT_EQ(first, (std::vector<TMenuItem*>{open, exitItem}));
    EXPECT_EQ(second, (std::vector<TMenuItem*>{undo}));
    EXPECT_EQ(third, (std::vector<TMenuItem*>{about}));
    // Every lent item is back where it was.
    EXPECT_EQ(file->Count(), 2);
    EXPECT_EQ(edit->Count(), 1);
    EXPECT_EQ(help->Count(), 1);
    EXPECT_FALSE(win::IsMenuTracking());
}

TEST_F(MenuBarTest, AClickOutsideClosesTheMenuAndReachesTheControlUnderThePointer) {
    auto* other = Make<TAdvToolBarButton>("Other", form.get());
    other->SetBounds(300, 200, 40, 24);
    int otherClicks = 0;
    other->OnClick = [&](TObject*) { ++otherClicks; };
    ui.WhenIdle([&] {
        TPoint p = other->ClientToScreen(TPoint{10, 10});
        ui.Screen().MoveMouse(p.X, p.Y);
        ui.Screen().Press();
        ui.Screen().Release();
    });
    ui.Click(ButtonOf(file));
    ui.Process();
    EXPECT_FALSE(win::IsMenuTracking());
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(clicks, (std::vector<String>{"&File"}));
}

TEST_F(MenuBarTest, AClickOnTheOpenMenusOwnButtonClosesItForGood) {
    int drops = 0;
    file->OnClick = [&](TObject*) { ++drops; };
    ui.WhenIdle([&] {
        TPoint p = ButtonOf(file)->ClientToScreen(TPoint{5, 5});
        ui.Screen().MoveMouse(p.X, p.Y);
        ui.Screen().Press();
        ui.Screen().Release();
    });
    ui.Click(ButtonOf(file));
    ui.Process();
    EXPECT_EQ(drops, 1);
    EXPECT_FALSE(win::IsMenuTracking());
    EXPECT_FALSE(bar->DropDownOpen());
}

TEST_F(MenuBarTest, AMenuDroppedNearTheBottomOfTheScreenOpensAboveItsButton) {
    const int screen = win::GetSystemMetrics(win::SM_CYSCREEN);
    form->SetBounds(40, screen - 120, 600, 110);
    ui.Process();
    int itemY = 0;
    ui.WhenIdle([&] {
        itemY = uitest::MenuDriver::OpenItemPoint(exitItem).Y;
        menus.CloseMenus();
    });
    ui.Click(ButtonOf(file));
    ui.Process();
    // The menu ends at the button's lower edge or above it, not below.
    EXPECT_LT(itemY, ButtonOf(file)->ClientToScreen(TPoint{0, ButtonOf(file)->Height()}).Y);
    // The release of the opening click chose nothing.
    EXPECT_EQ(clicks, (std::vector<String>{"&File"}));
}

} // namespace
} // namespace menubartest
