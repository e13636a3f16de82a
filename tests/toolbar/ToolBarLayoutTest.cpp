// Where a toolbar puts its controls: one line across or down, floating rows, controls hidden behind
// the right handle parked out of sight; the size queries; layouts naming every dock mode.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "platform/classes/LayoutReader.h"
#include "platform/vcl/Panel.h"

namespace toolbartest {
namespace {

class ToolBarLayoutTest : public ToolBarTest {
protected:
    TPanel* Control(const String& Name, TWinControl* Parent, int W, int H) {
        auto* b = Make<TPanel>(Name);
        b->SetBounds(0, 0, W, H);
        b->SetParent(Parent);
        return b;
    }
};

struct Placement {
    const char* Case;
    TDockAlign Align;
    bool Grip;
    bool Caption;
    // Expected Left and Top of the two controls (30 x 20 and 40 x 22).
    int L1, T1, L2, T2;
};

TEST_F(ToolBarLayoutTest, ControlsFollowOneAnotherAlongTheLineFromTheStartOffset) {
    // Start: grip width 7 + 2 when the grip shows, else 2; across: 2, plus the caption on its near side.
    const Placement cases[] = {
        {"horizontal with grip", daTop, true, false, 9, 2, 39, 2},
        {"horizontal without grip", daTop, false, false, 2, 2, 32, 2},
        {"horizontal with caption on top", daBottom, false, true, 2, 18, 32, 18},
        {"vertical with grip", daLeft, true, false, 2, 9, 2, 29},
        {"vertical with caption strip on the left", daRight, false, true, 18, 2, 18, 22},
    };
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.Case);
        auto* bar = Make<TAdvToolBar>("Bar", form.get());
        bar->InternalStyler()->SetDragGripStyle(c.Grip ? dsDots : dsNone);
        bar->SetPosition(c.Align);
        bar->SetShowCaption(c.Caption);
        auto* a = Control("A", bar, 30, 20);
        auto* b = Control("B", bar, 40, 22);
        bar->SetControlsPosition(true);
        EXPECT_EQ(a->Left(), c.L1);
        EXPECT_EQ(a->Top(), c.T1);
        EXPECT_EQ(b->Left(), c.L2);
        EXPECT_EQ(b->Top(), c.T2);
        delete bar;
    }
}

TEST_F(ToolBarLayoutTest, InvisibleControlsAreParkedJustPastTheFarSide) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    auto* a = Control("A", bar, 30, 20);
    auto* b = Control("B", bar, 40, 20);
    auto* c = Control("C", bar, 20, 20);
    b->SetVisible(false);
    bar->SetControlsPosition(true);
    EXPECT_EQ(b->Top(), bar->Height() + 2);
    EXPECT_EQ(c->Left(), a->Left() + a->Width()); // the gap closes
    bar->SetPosition(daLeft);
    EXPECT_EQ(b->Left(), bar->Width() + 2);
    EXPECT_EQ(c->Top(), a->Top() + a->Height());
}

TEST_F(ToolBarLayoutTest, SizeQueriesCountTheRightKindsOfControl) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    Control("Edit", bar, 80, 21);
    auto* sep = Make<TAdvToolBarSeparator>("Sep");
    sep->SetAdvToolBar(bar);
    sep->SetBounds(sep->Left(), sep->Top(), 10, 60); // taller than anything: never counted
    int w = 0;
    int h = 0;
    bar->GetMaxControlSize(w, h);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(h, 21);
    w = h = 0;
    bar->GetMaxToolBarButtonSize(w, h);
    EXPECT_EQ(w, 0); // neither the edit nor the separator is a toolbar button
    // Docked thickness: the tallest non-separator + 4, at least 26.
    EXPECT_EQ(bar->GetSizeAtDock(false), 26);
    bar->ToolBarControls(0)->SetHeight(30);
    EXPECT_EQ(bar->GetSizeAtDock(false), 34);
    // Shrink and expand follow the constraints the layout set.
    bar->SetControlsPosition(true);
    EXPECT_EQ(bar->CanExpand(), bar->Constraints()->MaxWidth() - bar->Width());
    EXPECT_EQ(bar->CanShrink(), bar->Width() - bar->Constraints()->MinWidth());
}

TEST_F(ToolBarLayoutTest, WithoutThePopupIndicatorTheLengthLeavesNoRoomForTheHandle) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    Control("A", bar, 50, 20);
    EXPECT_EQ(bar->GetMaxLength(), 2 + 50 + 14);
    bar->SetShowPopupIndicator(false);
    bar->SetShowRightHandle(false);
    EXPECT_EQ(bar->GetMaxLength(), 60); // 52 is below the minimum length
}

TEST_F(ToolBarLayoutTest, LayoutsNamingEachDockModeLoad) {
    const std::pair<const char*, TDockMode> modes[] = {{"dmAll", dmAll},
                                                       {"dmAllParentDockPanels", dmAllParentDockPanels},
                                                       {"dmParentDockPanelOnly", dmParentDockPanelOnly}};
    for (auto [mode, value] : modes) {
        SCOPED_TRACE(mode);
        TComponentPtr<TForm> f(new TForm(nullptr));
        ReadComponentFromText(String("object F: TForm\n"
                                     "  object Panel: TAdvDockPanel\n"
                                     "    object Bar: TAdvToolBar\n"
                                     "      DockMode = ") +
                                  mode + "\n    end\n  end\nend\n",
                              f.get(), "DockMode.layout");
        auto* bar = dynamic_cast<TAdvToolBar*>(f->FindComponent("Bar"));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->DockMode, value);
        EXPECT_EQ(bar->ToolBarState(), tsDocked);
    }
}

} // namespace
} // namespace toolbartest
