// A menu bar standing on its form, not docked: its buttons take their captions' widths after they are
// made, and the bar must re-lay them so that none overlaps the next or the right handle; another menu
// styler measures them again.

#include "tests/menubar/MenuBarSupport.h"

#include "components/menus/AdvMenuStyler.h"

namespace menubartest {
namespace {

TEST_F(MenuBarTest, AFixedBarReLaysButtonsThatGrewSoNoneOverlaps) {
    ASSERT_EQ(bar->ToolBarState(), tsFixed);
    ASSERT_EQ(bar->ToolBarControlCount(), 3);
    const TRect handle = bar->GetRightHandleRect();
    for (int i = 0; i < 3; ++i) {
        TControl* c = bar->ToolBarControls(i);
        SCOPED_TRACE(c->Name());
        if (i + 1 < 3) {
            EXPECT_LE(c->Left() + c->Width(), bar->ToolBarControls(i + 1)->Left());
        }
        EXPECT_LE(c->Left() + c->Width(), handle.Left) << "clear of the right handle";
    }

    // A button that grows later pushes the ones after it and the bar's width.
    const int barWidth = bar->Width();
    TControl* edit = ButtonOf(this->edit);
    ButtonOf(file)->SetWidth(ButtonOf(file)->Width() + 30);
    EXPECT_LE(ButtonOf(file)->Left() + ButtonOf(file)->Width(), edit->Left());
    EXPECT_EQ(bar->Width(), barWidth + 30);
}

TEST_F(MenuBarTest, AnotherMenuStylerOnTheToolBarsStylerResizesTheMenuButtons) {
    TControl* fileButton = ButtonOf(file);
    const int before = fileButton->Width();
    auto* large = new AdvMenuStylers::TAdvMenuStyler(form.get());
    large->RootItem()->Font()->Assign(bar->CurrentStyler()->CurrentAdvMenuStyler()->RootItem()->Font());
    large->RootItem()->Font()->SetSize(large->RootItem()->Font()->Size() * 2);
    bar->CurrentStyler()->SetAdvMenuStyler(large);
    EXPECT_GT(fileButton->Width(), before) << "measured in the new root item font";
    EXPECT_LE(fileButton->Left() + fileButton->Width(), ButtonOf(edit)->Left()) << "and laid out again";
    bar->CurrentStyler()->SetAdvMenuStyler(nullptr);
    EXPECT_EQ(fileButton->Width(), before);
}

} // namespace
} // namespace menubartest
