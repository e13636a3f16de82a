// The toolbar: defaults, settings that refuse or ignore writes, the control list and its ordering,
// the one-line layout and its sizes, the separator's size and the container's line settings.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/Panel.h"

namespace toolbartest {
namespace {

class ToolBarModelTest : public ToolBarTest {};

TEST_F(ToolBarModelTest, TheVersionAndIndexRefuseWritesTheCaptionIsTheTextAndAStylerRelinks) {
    auto* bar = Make<TAdvToolBar>("Bar");
    EXPECT_EQ(bar->CurrentStyler(), bar->InternalStyler());
    bar->SetVersion("1.0");
    EXPECT_EQ(bar->Version(), "3.0.9.1");
    bar->SetToolBarIndex(3);
    EXPECT_EQ(bar->ToolBarIndex(), -1);
    bar->SetCaption("Untitled");
    EXPECT_EQ(bar->Caption(), "Untitled");
    EXPECT_EQ(bar->Text(), "Untitled");
    auto* styler = Make<TCustomAdvToolBarStyler>("Styler");
    bar->SetParentStyler(false);
    bar->SetToolBarStyler(styler);
    EXPECT_EQ(bar->CurrentStyler(), styler);
    EXPECT_EQ(styler->ControlCount(), 1);
    bar->SetToolBarStyler(nullptr);
    EXPECT_EQ(bar->CurrentStyler(), bar->InternalStyler());
    EXPECT_EQ(styler->ControlCount(), 0);
}

TEST_F(ToolBarModelTest, InsertAdvToolBarControlAppendsAtTheCountAndRefusesBeyond) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    auto* a = Make<TAdvToolBarSeparator>("A");
    auto* b = Make<TAdvToolBarSeparator>("B");
    EXPECT_EQ(bar->InsertAdvToolBarControl(a, 0), 0);
    EXPECT_EQ(a->AdvToolBar(), bar);
    try {
        bar->InsertAdvToolBarControl(b, 2);
        FAIL() << "index past the count";
    } catch (const vcl::Exception& e) {
        EXPECT_EQ(e.Message, "Invalid Index");
    }
    EXPECT_EQ(bar->ToolBarControlCount(), 1);
    EXPECT_EQ(bar->AddAdvToolBarControl(b), 1);
    EXPECT_EQ(bar->InsertAdvToolBarControl(a, 0), 0); // already listed: only its index
    EXPECT_EQ(bar->ToolBarControls(5), nullptr);
    EXPECT_EQ(bar->ToolBarControls(-1), nullptr);
    bar->RemoveAdvToolBarControl(a);
    EXPECT_EQ(bar->IndexOfToolBarControl(b), 0);
}

TEST_F(ToolBarModelTest, ControlsAreListedByPositionAndOneAtTheOriginGoesLast) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    auto* first = Block("First", bar, 30, 20);
    auto* second = Block("Second", bar, 40, 20);
    EXPECT_EQ(bar->IndexOfToolBarControl(first), 0);
    EXPECT_EQ(bar->IndexOfToolBarControl(second), 1);
    // Laid out left to right from 2 (no grip drawn with dsNone)...
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    bar->SetControlsPosition(true);
    EXPECT_EQ(first->Left(), 2);
    EXPECT_EQ(second->Left(), 32);
    EXPECT_EQ(first->Top(), 2);
    // ...and with a grip, from its width + 2.
    bar->InternalStyler()->SetDragGripStyle(dsDots);
    bar->SetControlsPosition(true);
    EXPECT_EQ(first->Left(), 9);
    // A control dropped at Left 0 goes to the end, not the front.
    EXPECT_EQ(bar->ControlIndex(-1, 0, 5), 2);
    EXPECT_EQ(bar->ControlIndex(-1, 10, 5), 1);
    EXPECT_EQ(bar->ControlIndex(-1, 100, 5), 2);
    bar->MoveToolBarControl(1, 0);
    EXPECT_EQ(bar->ToolBarControls(0), second);
    EXPECT_EQ(second->Left(), 9);
    EXPECT_EQ(first->Left(), 49);
    bar->MoveToolBarControl(0, 7); // out of range: nothing
    EXPECT_EQ(bar->ToolBarControls(0), second);
}

TEST_F(ToolBarModelTest, TheToolBarSizesItselfToItsControls) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    bar->SetControlsPosition(true);
    EXPECT_EQ(bar->Width(), 60); // an empty list needs exactly the minimum length
    auto* a = Block("A", bar, 50, 30);
    Block("B", bar, 50, 16);
    // Tallest button 30 -> 34 thick; length 2 + 100 + right handle 14.
    EXPECT_EQ(bar->Height(), 34);
    EXPECT_EQ(bar->Width(), 116);
    EXPECT_EQ(bar->MaxLength(), 116);
    a->SetHeight(16);
    bar->SetControlsPosition(true);
    EXPECT_EQ(bar->Height(), 26);
    // All controls hidden: 15 + the right handle.
    for (int i = 0; i < bar->ToolBarControlCount(); ++i)
        bar->ToolBarControls(i)->SetVisible(false);
    bar->SetControlsPosition(true);
    EXPECT_EQ(bar->Constraints()->MinWidth(), 29);
}

TEST_F(ToolBarModelTest, SeparatorsNeverRaiseTheThicknessAndFitTheToolBar) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    auto* sep = Make<TAdvToolBarSeparator>("Sep");
    sep->SetHeight(60);
    sep->SetParent(bar);
    EXPECT_EQ(sep->AdvToolBar(), bar);
    EXPECT_EQ(sep->Width(), 10);
    EXPECT_EQ(sep->Height(), 22); // toolbar height 26 - 4
    EXPECT_EQ(bar->Height(), 26);

    // On a vertical toolbar 124 wide it becomes 120 x 10.
    auto* vbar = Make<TAdvToolBar>("VBar", form.get());
    vbar->SetPosition(daLeft);
    vbar->SetAutoSize(false);
    vbar->SetWidth(124);
    auto* vsep = Make<TAdvToolBarSeparator>("VSep", vbar);
    EXPECT_EQ(vsep->Width(), 120);
    EXPECT_EQ(vsep->Height(), 10);

    auto* copy = Make<TAdvToolBarSeparator>("Copy");
    vsep->SetLineColor(clRed);
    vsep->SetSeparatorStyle(ssBlank);
    copy->Assign(vsep);
    EXPECT_EQ(copy->LineColor(), clRed);
    EXPECT_EQ(copy->SeparatorStyle(), ssBlank);
}

TEST_F(ToolBarModelTest, SetPositionTurnsTheLineAndItsControls) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    auto* sep = Make<TAdvToolBarSeparator>("Sep", bar);
    auto* b = Block("B", bar, 40, 20);
    bar->SetPosition(daLeft);
    EXPECT_EQ(sep->Position(), daLeft);
    EXPECT_EQ(bar->Constraints()->MinWidth(), 0);
    EXPECT_EQ(bar->Constraints()->MinHeight(), 60);
    bar->SetControlsPosition(true);
    EXPECT_EQ(sep->Top(), 2);
    EXPECT_EQ(b->Top(), 2 + sep->Height());
    EXPECT_EQ(b->Left(), 2);
    EXPECT_EQ(bar->Width(), 44); // widest non-separator 40 + 4
}

TEST_F(ToolBarModelTest, UpdateBatchingAndSettingsThatRefuseWrites) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    auto* b = Block("B", bar, 40, 20);
    bar->BeginUpdate();
    bar->MoveToolBarControl(0, 0);
    b->SetLeft(70);
    bar->EndUpdate();
    EXPECT_EQ(b->Left(), 2);
    bar->EndUpdate(); // without a BeginUpdate: still re-lays
    EXPECT_EQ(b->Left(), 2);
    // Hidden inside a batch: the batch still ends, and the toolbar lays out again once shown.
    bar->BeginUpdate();
    bar->SetVisible(false);
    bar->EndUpdate();
    bar->SetVisible(true);
    b->SetLeft(70);
    bar->SetControlsPosition(false);
    EXPECT_EQ(b->Left(), 2);
}

TEST_F(ToolBarModelTest, TheContainerIsAToolBarControlWhoseChildrenAreNot) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    auto* container = Make<TAdvToolBarContainer>("Container");
    container->SetParent(bar);
    EXPECT_EQ(container->AdvToolBar(), bar);
    EXPECT_GE(bar->IndexOfToolBarControl(container), 0);

    // The gradient's colour becomes the control's colour.
    container->GradientColor()->SetColor(0x00C0FFEE);
    EXPECT_EQ(container->Color(), 0x00C0FFEE);

    EXPECT_EQ(bar->IndexOfToolBarControl(Make<TEdit>("Edit", container)), -1);
    container->SetParent(form.get());
    EXPECT_EQ(container->AdvToolBar(), nullptr);
    EXPECT_EQ(bar->IndexOfToolBarControl(container), -1);
}

} // namespace
} // namespace toolbartest
