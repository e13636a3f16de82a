// Check boxes: toggling by click and Space, the grayed state, OnClick on every change, the check mark.

#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class CheckBoxTest : public StdControlTest {
protected:
    TCheckBox* MakeCheck() {
        auto* c = Make<TCheckBox>("Check", 20, 20, 120, 17);
        c->SetCaption("Remember");
        c->OnClick = [this](TObject*) { ++clicks; };
        return c;
    }
    int clicks = 0;
};

TEST_F(CheckBoxTest, ClickAndSpaceToggle) {
    TCheckBox* c = MakeCheck();
    ShowHost();
    ClickAt(c, 5, 8);
    EXPECT_TRUE(c->Checked());
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(clicks, 1);
    // Clicking the caption toggles too.
    ClickAt(c, 60, 8);
    EXPECT_FALSE(c->Checked());
    Press(win::VK_SPACE);
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(clicks, 3);
    c->SetEnabled(false);
    ClickAt(c, 5, 8);
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(clicks, 3);
}

TEST_F(CheckBoxTest, AllowGrayedCyclesThroughThreeStatesAndChangesByCodeRunOnClickOnce) {
    TCheckBox* c = MakeCheck();
    c->SetAllowGrayed(true);
    ShowHost();
    c->SetFocus();
    Press(win::VK_SPACE);
    EXPECT_EQ(c->State(), cbGrayed);
    EXPECT_FALSE(c->Checked());
    Press(win::VK_SPACE);
    EXPECT_EQ(c->State(), cbChecked);
    Press(win::VK_SPACE);
    EXPECT_EQ(c->State(), cbUnchecked);
    // Without AllowGrayed a grayed box goes on to checked and never back to grayed.
    c->SetAllowGrayed(false);
    c->SetState(cbGrayed);
    Press(win::VK_SPACE);
    EXPECT_EQ(c->State(), cbChecked);
    Press(win::VK_SPACE);
    EXPECT_EQ(c->State(), cbUnchecked);

    // A change of state by code runs OnClick once.
    clicks = 0;
    c->SetChecked(true);
    c->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(c->State(), cbChecked);
    c->SetState(cbUnchecked);
    EXPECT_FALSE(c->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(CheckBoxTest, CheckMarkAndBoxSide) {
    TCheckBox* c = MakeCheck();
    ShowHost();
    // The box is 13 pixels square, vertically centred, on the left: its inside is the window colour.
    ExpectPixels(c, {{6, 8, clWindow}});
    c->SetChecked(true);
    ExpectPixels(c, {{5, 9, clWindowText}});
    c->SetState(cbGrayed);
    ExpectPixels(c, {{5, 9, clBtnShadow}});
    // Alignment taLeftJustify puts the box at the right end.
    c->SetChecked(true);
    c->SetAlignment(taLeftJustify);
    EXPECT_THAT(At(c, 5, 9), ::testing::Not(colortest::IsColor(Ref(clWindowText))));
    ExpectPixels(c, {{120 - 13 + 5, 9, clWindowText}});
}

} // namespace
} // namespace stdtest
