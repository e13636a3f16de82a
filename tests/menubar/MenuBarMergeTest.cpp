// A second main menu merged into the bar: items sharing a group replace the buttons' items, others are
// added at the end; unmerging gives the bar back its own items.

#include "tests/menubar/MenuBarSupport.h"

namespace menubartest {
namespace {

TEST_F(MenuBarTest, MergedItemsReplaceTheirGroupAndUnmergingRestoresTheBar) {
    edit->SetGroupIndex(2);
    auto* child = new TMainMenu(form.get());
    TMenuItem* childEdit = Item(child->Items(), "&Edit text");
    childEdit->SetGroupIndex(2);
    Item(childEdit, "&Copy");
    TMenuItem* tools = Item(child->Items(), "&Tools");
    Item(tools, "&Options");

    bar->MergeMenu(child);
    ASSERT_EQ(bar->ToolBarControlCount(), 4);
    EXPECT_EQ(ButtonOf(edit), nullptr);
    ASSERT_NE(ButtonOf(childEdit), nullptr);
    EXPECT_EQ(bar->IndexOfToolBarControl(ButtonOf(childEdit)), 1);
    EXPECT_EQ(bar->IndexOfToolBarControl(ButtonOf(tools)), 3);

    // The merged menu drops like the bar's own.
    std::vector<TMenuItem*> shown;
    ui.WhenIdle([&] {
        shown = Dropped();
        menus.CloseMenus();
    });
    ui.Click(ButtonOf(tools));
    ui.Process();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->Caption(), "&Options");

    bar->UnmergeMenu(child);
    EXPECT_EQ(bar->MergedMenu(), nullptr);
    ASSERT_EQ(bar->ToolBarControlCount(), 3);
    EXPECT_NE(ButtonOf(file), nullptr);
    EXPECT_NE(ButtonOf(edit), nullptr);
    EXPECT_NE(ButtonOf(help), nullptr);
    EXPECT_EQ(ButtonOf(tools), nullptr);
}

TEST_F(MenuBarTest, AMergedMenuThatGoesIsUnmerged) {
    auto* child = new TMainMenu(form.get());
    Item(child->Items(), "&Tools");
    bar->MergeMenu(child);
    EXPECT_EQ(bar->ToolBarControlCount(), 4);
    delete child;
    EXPECT_EQ(bar->MergedMenu(), nullptr);
    EXPECT_EQ(bar->ToolBarControlCount(), 3);
}

} // namespace
} // namespace menubartest
