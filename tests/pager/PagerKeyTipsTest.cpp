// Keyboard use of the pager: arrows switch tabs, Alt (pressed and released, or held) shows the key
// tips of the tabs, typed letters narrow them down and activate the matching tab, and Escape leaves.

#include "tests/pager/PagerTestSupport.h"

#include "platform/vcl/Edit.h"
#include "platform/win/WinUser.h"

namespace pagertest {
namespace {

class PagerKeyTipsTest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        edit = new TEdit(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(10, 200, 100, 22);
        AddPages({"Home", "Insert", "Layout"});
        pager->GetAdvPages(0)->SetShortCutHint("H");
        pager->GetAdvPages(1)->SetShortCutHint("NA");
        pager->GetAdvPages(2)->SetShortCutHint("NB");
        pager->SetActivePageIndex(0);
        form->Show();
        pager->SetTabStop(true);
        pager->SetFocus();
        ui.Process();
    }
    void TapAlt() {
        ui.Screen().KeyDown(win::VK_MENU);
        ui.Process();
        ui.Screen().KeyUp(win::VK_MENU);
        ui.Process();
        ui.Advance(50);
    }
    bool TipShown(int Index) {
        auto* w = pager->GetAdvPages(Index)->ShortCutHintWindow();
        return w != nullptr && w->Visible();
    }
    TEdit* edit = nullptr;
};

TEST_F(PagerKeyTipsTest, ArrowKeysStepThroughTheTabs) {
    ui.Key(win::VK_RIGHT);
    EXPECT_EQ(pager->ActivePageIndex(), 1);
    ui.Key(win::VK_LEFT);
    ui.Key(win::VK_LEFT);
    EXPECT_EQ(pager->ActivePageIndex(), 2);
}

TEST_F(PagerKeyTipsTest, AltTappedShowsTheTipsAndTappedAgainHidesThem) {
    TapAlt();
    EXPECT_TRUE(pager->KeyTipMode());
    EXPECT_TRUE(TipShown(0));
    EXPECT_TRUE(TipShown(2));
    TapAlt();
    EXPECT_FALSE(pager->KeyTipMode());
    EXPECT_FALSE(TipShown(0));
}

TEST_F(PagerKeyTipsTest, AltHeldShowsTheTipsAfterSevenHundredMilliseconds) {
    ui.Screen().KeyDown(win::VK_MENU);
    ui.Process();
    ui.Advance(650);
    EXPECT_FALSE(pager->KeyTipMode());
    ui.Advance(50);
    EXPECT_TRUE(pager->KeyTipMode());
    ui.Screen().KeyUp(win::VK_MENU);
    ui.Process();
}

TEST_F(PagerKeyTipsTest, TypedLettersNarrowTheTipsDownAndAFullMatchActivatesTheTab) {
    TapAlt();
    ui.Key('N');
    EXPECT_TRUE(pager->KeyTipMode());
    EXPECT_FALSE(TipShown(0));
    EXPECT_TRUE(TipShown(1));
    EXPECT_TRUE(TipShown(2));
    ui.Key('B');
    EXPECT_FALSE(pager->KeyTipMode());
    EXPECT_EQ(pager->ActivePageIndex(), 2);
    EXPECT_FALSE(TipShown(1));
}

TEST_F(PagerKeyTipsTest, ALetterMatchingNoTipKeepsTheTipsAsTheyWere) {
    TapAlt();
    ui.Key('Q');
    EXPECT_TRUE(pager->KeyTipMode());
    EXPECT_TRUE(TipShown(0));
    EXPECT_EQ(pager->TypedKeyTip(), "");
    ui.Key('N');
    ui.Key('A');
    EXPECT_EQ(pager->ActivePageIndex(), 1);
}

TEST_F(PagerKeyTipsTest, EscapeLeavesTheTipsAndGivesTheFocusBack) {
    TapAlt();
    ui.Key(win::VK_ESCAPE);
    EXPECT_FALSE(pager->KeyTipMode());
    EXPECT_FALSE(TipShown(0));
    EXPECT_TRUE(edit->Focused());
}

TEST_F(PagerKeyTipsTest, DownEntersTheActivePagesFirstToolbar) {
    TAdvToolBar* bar = pager->ActivePage()->CreateAdvToolBar();
    ui.Process();
    TapAlt();
    ui.Key(win::VK_DOWN);
    EXPECT_TRUE(bar->Focused());
    EXPECT_FALSE(pager->KeyTipMode());
}

TEST_F(PagerKeyTipsTest, AnAcceleratorOfATabCaptionActivatesThatTab) {
    pager->GetAdvPages(2)->SetCaption("&Layout");
    edit->SetFocus();
    ui.Key('L', TShiftState{ssAlt});
    EXPECT_EQ(pager->ActivePageIndex(), 2);
}

TEST_F(PagerKeyTipsTest, WithoutTabStopAltShowsNoTips) {
    pager->SetTabStop(false);
    TapAlt();
    EXPECT_FALSE(pager->KeyTipMode());
}

} // namespace
} // namespace pagertest
