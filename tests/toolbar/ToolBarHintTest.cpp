// The toolbar's hints: over the right handle, and over the floating caption's close and customize
// buttons, the hint texts given for them replace the toolbar's own, shown by the application's hint
// machinery as the pointer rests.

#include "platform/vcl/Application.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

class ToolBarHintTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        panel = Make<TAdvDockPanel>("Top", form.get());
        bar = Make<TAdvToolBar>("Bar", panel);
        for (int i = 0; i < 3; ++i)
            Block("C" + std::to_string(i), bar);
        bar->SetHint("Formatting");
        bar->HintCloseButton = "Close the toolbar";
        bar->HintOptionButton = "Add or remove buttons";
        Application->SetHintPause(500);
        form->Show();
        ui.Process();
    }
    void TearDown() override {
        Application->CancelHint();
        ToolBarTest::TearDown();
    }
    // The hint that shows once the pointer has rested on the toolbar's point; empty when none shows.
    String HintAt(int X, int Y) {
        Application->CancelHint();
        ui.MoveTo(bar, X, Y);
        ui.Advance(600);
        THintWindow* w = Application->HintWindow();
        if (w == nullptr || !w->HandleAllocated() || !win::IsWindowVisible(w->WindowHandle())) return "";
        return w->Caption();
    }
    TPoint Centre(const TRect& R) const { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

    TAdvDockPanel* panel = nullptr;
    TAdvToolBar* bar = nullptr;
};

TEST_F(ToolBarHintTest, TheRightHandleShowsTheOptionButtonsHintWhileItHasOne) {
    const int handle = bar->Width() - 5;
    const int middle = bar->Height() / 2;
    EXPECT_EQ(HintAt(handle, middle), "Add or remove buttons");
    EXPECT_EQ(HintAt(2, middle), "Formatting") << "the body keeps the toolbar's own";
    bar->HintOptionButton.clear();
    EXPECT_EQ(HintAt(handle, middle), "Formatting") << "no text of its own: the toolbar's";
    bar->HintOptionButton = "Add or remove buttons";
    bar->SetShowOptionIndicator(false);
    EXPECT_EQ(HintAt(handle, middle), "Formatting") << "without its option arrow the handle has no hint";
}

TEST_F(ToolBarHintTest, TheFloatingCaptionsButtonsShowTheirOwnHints) {
    bar->SetFloating(300, 200, true);
    ui.Process();
    ASSERT_EQ(bar->ToolBarState(), tsFloating);
    const TPoint close = Centre(bar->FWCloseBtnRect());
    const TPoint customize = Centre(bar->FWCustomizedBtnRect());
    EXPECT_EQ(HintAt(close.X, close.Y), "Close the toolbar");
    EXPECT_EQ(HintAt(customize.X, customize.Y), "Add or remove buttons");
    EXPECT_EQ(HintAt(5, close.Y), "Formatting") << "the rest of the caption";
    bar->SetShowClose(false);
    const TPoint alone = Centre(bar->FWCustomizedBtnRect());
    EXPECT_EQ(HintAt(alone.X, alone.Y), "Add or remove buttons") << "in the close button's place";
    bar->SetShowHint(false);
    EXPECT_EQ(HintAt(alone.X, alone.Y), "") << "no hints at all without ShowHint";
}

} // namespace
} // namespace toolbartest
