// Where the painter finds an item: its position and its first and last siblings are those of the menu
// the window system shows, past the separators the line reduction leaves out.

#include "components/menus/AdvMenuItemInfo.h"
#include "tests/menus/MenuTestSupport.h"

namespace menutest {
namespace {

class MenuItemPlaceTest : public MenuTest {};

TEST_F(MenuItemPlaceTest, PositionsAndEndsAreThoseOfTheShownMenu) {
    TComponentPtr<TAdvPopupMenu> popup(new TAdvPopupMenu(nullptr));
    TMenuItem* root = popup->Items();
    TMenuItem* lead = AddItem(popup.get(), root, "-");
    TMenuItem* a = AddItem(popup.get(), root, "A");
    AddItem(popup.get(), root, "-");
    AddItem(popup.get(), root, "-");
    TMenuItem* b = AddItem(popup.get(), root, "B");
    TMenuItem* trail = AddItem(popup.get(), root, "-");
    const win::HMENU h = popup->Handle();
    ASSERT_EQ(win::GetMenuItemCount(h), 3) << "A, a line, B";
    EXPECT_EQ(FirstVisibleItem(root), a);
    EXPECT_EQ(LastVisibleItem(root), b);
    EXPECT_TRUE(IsFirstSubMenuItem(a)) << "the side bar starts at the first item shown";
    EXPECT_EQ(VisibleMenuIndex(lead), -1);
    EXPECT_EQ(VisibleMenuIndex(trail), -1);
    ASSERT_EQ(VisibleMenuIndex(b), 2);
    EXPECT_EQ(win::GetMenuItemID(h, VisibleMenuIndex(b)), b->Command());
    // Kept, they count again.
    popup->SetAutoLineReduction(maManual);
    EXPECT_EQ(FirstVisibleItem(root), lead);
    EXPECT_EQ(VisibleMenuIndex(b), 4);
    EXPECT_EQ(win::GetMenuItemID(h, VisibleMenuIndex(b)), b->Command());
}

} // namespace
} // namespace menutest
