// How a row shares its length among its toolbars (closing gaps, shrinking, growing again in two passes)
// and how bounds requests move a toolbar along its row, swap it with its predecessor, or take it to
// another row or a new one.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "platform/vcl/Panel.h"

namespace toolbartest {
namespace {

class RowArrangeTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        panel = Make<TAdvDockPanel>("Panel", form.get());
        panel->InternalStyler()->SetDragGripStyle(dsNone);
        form->Show();
        ui.Process();
    }
    // A toolbar of N controls 40 wide: it wants 2 + 40N + 14 pixels.
    TAdvToolBar* Bar(const String& Name, int N) {
        auto* bar = Make<TAdvToolBar>(Name, panel);
        for (int i = 0; i < N; ++i)
            Block(Name + "_" + std::to_string(i), bar);
        return bar;
    }
    // Gap after toolbar A on the same row (2 is a closed-up row).
    static int Gap(TAdvCustomToolBar* A, TAdvCustomToolBar* B) {
        return B->Left() - (A->Left() + A->Width());
    }
    // The panel is aligned to the form's top: its length follows the form.
    void Resize(int PanelWidth) {
        form->SetClientWidth(PanelWidth);
        ui.Process();
        ASSERT_EQ(panel->Width(), PanelWidth);
    }
    void Join(TAdvCustomToolBar* T, int Row) { panel->Rows()->MoveToolBarToRow(T, Row); }
    // A bounds request as dragging makes it: through the toolbar's own SetBounds.
    void Request(TAdvCustomToolBar* T, int ALeft, int ATop) {
        T->SetBounds(ALeft, ATop, T->Width(), T->Height());
    }

    TAdvDockPanel* panel = nullptr;
};

TEST_F(RowArrangeTest, ToolBarsThatDoNotFitShrinkNearestFirstAndGrowBackWhenThereIsRoom) {
    auto* a = Bar("A", 4); // wants 176
    auto* b = Bar("B", 4);
    Join(b, 0);
    ASSERT_EQ(panel->GetRowCount(), 1);
    // Both fit in 600: each its whole length, two pixels apart, the first two pixels into the row.
    EXPECT_EQ(a->Left(), 3);
    EXPECT_EQ(a->Width(), 176);
    EXPECT_EQ(Gap(a, b), 2);
    EXPECT_EQ(b->Width(), 176);
    // Row length 300 - 2: the room is 298 - 3 x 2 = 292 for 352 wanted. The second, nearest the
    // overflow, gives what it can first (down to its 60 minimum... but its controls keep 56+).
    Resize(300);
    EXPECT_EQ(a->Width() + b->Width(), 292);
    EXPECT_EQ(Gap(a, b), 2);
    EXPECT_EQ(b->Left() + b->Width(), 300 - 1 - 2);
    EXPECT_EQ(a->Width(), 176); // the first kept all it had
    // Shrunk to where both are at their least, they overlap no more than the row allows.
    Resize(200);
    EXPECT_LE(b->Left() + b->Width(), 200 - 1 - 2 + 1);
    EXPECT_GE(Gap(a, b), 2);
    // Room again: both grow back to their whole length.
    Resize(600);
    EXPECT_EQ(a->Width(), 176);
    EXPECT_EQ(b->Width(), 176);
    EXPECT_EQ(Gap(a, b), 2);
}

TEST_F(RowArrangeTest, RequestsAcrossTheRowsChangeRowAtTheThresholds) {
    // Two rows: A and B share row 0, C sits in row 1.
    auto* a = Bar("A", 2);
    auto* b = Bar("B", 2);
    auto* c = Bar("C", 2);
    Join(b, 0);
    ASSERT_EQ(panel->GetRowCount(), 2);
    const int row0 = panel->Rows()->Items(0)->GetRowRect().Top;
    // 4 above its row's top: a new row above, of its own.
    Request(b, b->Left(), row0 - 4);
    EXPECT_EQ(panel->GetRowCount(), 3);
    EXPECT_EQ(b->Row(), 0);
    EXPECT_EQ(a->Row(), 1);
    EXPECT_EQ(panel->Rows()->Items(0)->ToolBarCount(), 1);
    // 7 above its row (not the first): into the row whose rectangle holds the requested top.
    Request(c, c->Left(), panel->Rows()->Items(c->Row())->GetRowRect().Top - 7);
    EXPECT_EQ(c->Row(), a->Row());
    EXPECT_EQ(panel->GetRowCount(), 2); // C's emptied row went
    // 4 below its row's top, in a row of two: a new row after it.
    const int top = panel->Rows()->Items(c->Row())->GetRowRect().Top;
    Request(c, c->Left(), top + 4);
    EXPECT_EQ(panel->GetRowCount(), 3);
    EXPECT_EQ(c->Row(), a->Row() + 1);
    // Anything from 6 above to 5 below, other than those, snaps back to the row.
    for (int off : {-6, -2, 0, 2, 5}) {
        SCOPED_TRACE(off);
        const int t = panel->Rows()->Items(c->Row())->GetRowRect().Top;
        const int rows = panel->GetRowCount();
        Request(c, c->Left(), t + off);
        EXPECT_EQ(c->Top(), t);
        EXPECT_EQ(panel->GetRowCount(), rows);
    }
}

TEST_F(RowArrangeTest, MovingAlongTheRowPushesNeighboursAndSwapsWithinFivePixels) {
    auto* a = Bar("A", 1); // 56 long
    auto* b = Bar("B", 1);
    auto* c = Bar("C", 1);
    Join(b, 0);
    Join(c, 0);
    ASSERT_EQ(panel->Rows()->Items(0)->ToolBarCount(), 3);
    // Forward into free room: only the toolbar moves.
    const int cLeft = c->Left();
    Request(c, cLeft + 50, c->Top());
    EXPECT_EQ(c->Left(), cLeft + 50);
    // B forward by 80: it takes the gap after it, then pushes C along.
    const int bLeft = b->Left();
    Request(b, bLeft + 80, b->Top());
    EXPECT_EQ(b->Left(), bLeft + 80);
    EXPECT_GE(Gap(b, c), 2);
    // Back past the row start: the first toolbar stops two pixels into the row.
    Request(a, -40, a->Top());
    EXPECT_EQ(a->Left(), 3);
    // C back to within 5 pixels of where B starts once the gap before B is closed: B goes back as far
    // as it can, and then C and B swap places in the row.
    const int bClosed = a->Left() + a->Width() + 2;
    ASSERT_GT(b->Left(), bClosed);
    Request(c, bClosed + 3, c->Top());
    TRowCollectionItem* row = panel->Rows()->Items(0);
    EXPECT_EQ(row->IndexOfToolBar(c), 1);
    EXPECT_EQ(row->IndexOfToolBar(b), 2);
    EXPECT_LT(c->Left(), b->Left());
    EXPECT_GE(Gap(c, b), 2);
    EXPECT_GE(Gap(a, c), 2);
}

TEST_F(RowArrangeTest, ARequestForAToolBarOfAnotherRowIsRefused) {
    auto* a = Bar("A", 1);
    auto* b = Bar("B", 1);
    int left = a->Left();
    int width = a->Width();
    ASSERT_NE(a->Row(), b->Row());
    try {
        panel->Rows()->Items(b->Row())->SetToolBarLeftAndWidth(a, left, width);
        FAIL() << "a toolbar of another row";
    } catch (const vcl::Exception& e) {
        EXPECT_EQ(e.Message, "Invalid ToolBar Index");
    }
}

TEST_F(RowArrangeTest, AVerticalPanelStacksToolBarsInColumnsAndChangesColumnAcross) {
    panel->SetAlign(daLeft);
    form->SetClientHeight(300);
    ui.Process();
    auto* a = Bar("A", 3); // down the column: 2 + 3 x 20 + 14 = 76 long
    auto* b = Bar("B", 3);
    Join(b, 0);
    ASSERT_EQ(panel->GetRowCount(), 1);
    // Stacked down the column, two pixels apart, each as thick as the column.
    EXPECT_EQ(a->Top(), 3);
    EXPECT_EQ(b->Top(), a->Top() + a->Height() + 2);
    EXPECT_EQ(a->Left(), b->Left());
    EXPECT_EQ(panel->Width(), a->Width() + 1 + 1 + 1);
    // 140 high: the column runs from 1 to 139 and keeps 2 pixels free at each end and between the two,
    // 132 for 152 wanted. The lower one, nearest the end, gives up all it can (down to the minimum
    // length 60), the upper one the last 4.
    form->SetClientHeight(140);
    ui.Process();
    EXPECT_EQ(b->Height(), 60);
    EXPECT_EQ(a->Height(), 72);
    EXPECT_LE(b->Top() + b->Height(), panel->Height() - 1 - 2);
    EXPECT_GT(b->HiddenControlCount(), 0);
    // 4 to the left of its column, in a column of two: a new column before it.
    const int left = panel->Rows()->Items(0)->GetRowRect().Left;
    b->SetBounds(left - 4, b->Top(), b->Width(), b->Height());
    EXPECT_EQ(panel->GetRowCount(), 2);
    EXPECT_EQ(b->Row(), 0);
    EXPECT_EQ(a->Row(), 1);
    EXPECT_EQ(b->HiddenControlCount(), 0); // a column of its own gives it its whole length
}

} // namespace
} // namespace toolbartest
