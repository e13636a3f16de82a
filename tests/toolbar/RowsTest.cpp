// Rows of a dock panel: moving toolbars between rows, hiding and showing docked toolbars, styler
// links through the panel, and controls leaving a toolbar.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Panel.h"

namespace toolbartest {
namespace {

class RowsTest : public ToolBarTest {};

TEST_F(RowsTest, MovingAToolBarToAnotherRowDeletesTheRowItLeftEmpty) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    auto* a = Make<TAdvToolBar>("A", panel);
    auto* b = Make<TAdvToolBar>("B", panel);
    ASSERT_EQ(panel->GetRowCount(), 2);
    try {
        panel->Rows()->MoveToolBarToRow(b, 2);
        FAIL() << "row index past the end";
    } catch (const vcl::Exception& e) {
        EXPECT_EQ(e.Message, "Invalid Row Index");
    }
    EXPECT_THROW(panel->Rows()->MoveToolBarToRow(b, -1), vcl::Exception);
    panel->Rows()->MoveToolBarToRow(b, 0);
    EXPECT_EQ(panel->GetRowCount(), 1);
    EXPECT_EQ(a->Row(), 0);
    EXPECT_EQ(b->Row(), 0);
    EXPECT_EQ(panel->Rows()->Items(0)->ToolBarCount(), 2);
    // Side by side without overlap, two pixels apart.
    EXPECT_EQ(b->Left(), a->Left() + a->Width() + 2);
    EXPECT_EQ(b->Top(), a->Top());
    EXPECT_EQ(panel->Height(), 28);
}

TEST_F(RowsTest, AFullSizeToolBarNeverSharesARow) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    auto* a = Make<TAdvToolBar>("A", panel);
    auto* b = Make<TAdvToolBar>("B", panel);
    a->SetFullSize(true);
    EXPECT_FALSE(panel->Rows()->Items(a->Row())->IsAllowed(b));
    panel->Rows()->MoveToolBarToRow(b, a->Row()); // refused: nothing moves
    EXPECT_NE(a->Row(), b->Row());
    EXPECT_EQ(panel->GetRowCount(), 2);
    EXPECT_EQ(a->Width(), panel->Width() - 2 - 4);
    EXPECT_EQ(a->Left(), 3);
}

TEST_F(RowsTest, HidingADockedToolBarTakesItOutOfItsRowAndShowingBringsItBack) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    auto* a = Make<TAdvToolBar>("A", panel);
    auto* b = Make<TAdvToolBar>("B", panel);
    a->SetVisible(false);
    EXPECT_EQ(panel->GetRowCount(), 1);
    EXPECT_EQ(a->Row(), -1);
    EXPECT_EQ(b->Row(), 0);
    EXPECT_EQ(panel->Height(), 28);
    EXPECT_EQ(panel->GetAdvToolBarCount(), 2); // still docked here
    a->SetVisible(true);
    EXPECT_EQ(panel->GetRowCount(), 2);
    EXPECT_EQ(a->Row(), 1);
    EXPECT_EQ(panel->Height(), 55);
}

TEST_F(RowsTest, WithParentStylerTheToolBarTakesThePanelsStyler) {
    auto* panelStyler = Make<TCustomAdvToolBarStyler>("PanelStyler");
    auto* other = Make<TCustomAdvToolBarStyler>("Other");
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    panel->SetToolBarStyler(panelStyler);
    auto* bar = Make<TAdvToolBar>("Bar", panel);
    EXPECT_EQ(bar->CurrentStyler(), panelStyler);
    bar->SetToolBarStyler(other); // replaced by the panel's while ParentStyler is on
    EXPECT_EQ(bar->ToolBarStyler(), panelStyler);
    EXPECT_EQ(other->ControlCount(), 0);
    bar->SetParentStyler(false);
    bar->SetToolBarStyler(other);
    EXPECT_EQ(bar->CurrentStyler(), other);
    EXPECT_EQ(other->ControlCount(), 1);
    // Switching ParentStyler on re-links at once, also when it was on already.
    bar->SetParentStyler(true);
    EXPECT_EQ(bar->CurrentStyler(), panelStyler);
    EXPECT_EQ(other->ControlCount(), 0);
    int registered = panelStyler->ControlCount();
    bar->SetParentStyler(true);
    EXPECT_EQ(bar->CurrentStyler(), panelStyler);
    EXPECT_EQ(panelStyler->ControlCount(), registered);
}

TEST_F(RowsTest, AControlThatLeavesTheToolBarLeavesItsListAndTheRestCloseUp) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    auto* a = Block("A", bar, 30);
    auto* sep = Make<TAdvToolBarSeparator>("Sep", bar);
    auto* b = Block("B", bar, 30);
    ASSERT_EQ(bar->ToolBarControlCount(), 3);
    EXPECT_EQ(b->Left(), 2 + 30 + 10);
    a->SetParent(form.get());
    EXPECT_EQ(bar->ToolBarControlCount(), 2);
    EXPECT_EQ(sep->Left(), 2);
    EXPECT_EQ(b->Left(), 12);
    FreeComponent(sep);
    EXPECT_EQ(bar->ToolBarControlCount(), 1);
    EXPECT_EQ(b->Left(), 2);
    // A styler code 5 (drag grip) re-lays the controls with the grip.
    bar->InternalStyler()->SetDragGripStyle(dsSingleLine);
    EXPECT_EQ(b->Left(), 9);
}

TEST_F(RowsTest, ReleaseAllControlsLeavesToolBarsAndPanelsOfOtherStylers) {
    auto* styler = Make<TCustomAdvToolBarStyler>("Styler");
    auto* other = Make<TCustomAdvToolBarStyler>("Other");
    auto* mine = Make<TAdvDockPanel>("Mine", form.get());
    auto* theirs = Make<TAdvDockPanel>("Theirs", form.get());
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    mine->SetToolBarStyler(styler);
    theirs->SetToolBarStyler(other);
    styler->AddControl(theirs); // registered, but uses another styler
    bar->SetParentStyler(false);
    bar->SetToolBarStyler(styler);
    ASSERT_EQ(styler->ControlCount(), 3);
    styler->ReleaseAllControls();
    EXPECT_EQ(mine->ToolBarStyler(), nullptr);
    EXPECT_EQ(styler->ControlCount(), 2);
    EXPECT_EQ(styler->Controls(0), theirs);
    EXPECT_EQ(styler->Controls(1), bar);
    EXPECT_THROW(styler->Controls(2), vcl::Exception);
    styler->RemoveControl(theirs);
}

} // namespace
} // namespace toolbartest
