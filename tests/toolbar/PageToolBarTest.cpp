// A toolbar on a pager's page: its large glow buttons stand the height of the toolbar less its caption
// strip, and it keeps a styler of its pager's while the pager's own goes.

#include "tests/toolbar/PageFixture.h"

namespace toolbartest {
namespace {

using AdvGlowButton::bsLabel;
using AdvGlowButton::bsLarge;

class PageToolBarTest : public PageTest {
protected:
    // A toolbar as the page makes it (no auto-size, caption at the bottom), 90 high.
    TAdvToolBar* MadeByPage() {
        TAdvToolBar* tb = page->CreateAdvToolBar();
        tb->SetName("Made");
        tb->SetBounds(3, 3, 200, 90);
        return tb;
    }
    // The button measures itself again, as a size variant step makes it do.
    static void Remeasure(AdvGlowButton::TAdvGlowButton* B, AdvGlowButton::TButtonSizeState State) {
        B->SetButtonSizeState(State == bsLarge ? bsLabel : bsLarge);
        B->SetButtonSizeState(State);
    }
};

TEST_F(PageToolBarTest, ALargeGlowButtonStandsTheToolBarsHeightLessItsCaption) {
    TAdvToolBar* tb = MadeByPage();
    auto* large = Glow(tb, "Paste");
    auto* label = Glow(tb, "Copy", bsLabel);
    Remeasure(large, bsLarge);
    EXPECT_EQ(large->Height(), 90 - (16 + 5));
    Remeasure(label, bsLabel);
    EXPECT_EQ(label->Height(), label->GetButtonSize(bsLabel).cy) << "a small button keeps its own height";
    tb->SetCaptionHeight(20);
    Remeasure(large, bsLarge);
    EXPECT_EQ(large->Height(), 90 - (20 + 5));
    // Without AutoPositionControls the button keeps the height it measures.
    tb->SetAutoPositionControls(false);
    Remeasure(large, bsLarge);
    EXPECT_EQ(large->Height(), large->GetButtonSize(bsLarge).cy);
}

TEST_F(PageToolBarTest, OffAPageAGlowButtonKeepsItsOwnHeight) {
    auto* fixed = Make<TAdvToolBar>("Fixed", form.get());
    fixed->SetTop(300);
    auto* b = Glow(fixed, "Paste");
    Remeasure(b, bsLarge);
    EXPECT_EQ(b->Height(), b->GetButtonSize(bsLarge).cy);
    // Moved from a page toolbar to another parent, it no longer asks the page toolbar.
    TAdvToolBar* tb = MadeByPage();
    auto* moved = Glow(tb, "Cut");
    moved->SetParent(form.get());
    Remeasure(moved, bsLarge);
    EXPECT_EQ(moved->Height(), moved->GetButtonSize(bsLarge).cy);
}

TEST_F(PageToolBarTest, WhileThePagersStylerGoesAPageToolBarTakesThePagersDefaultStyler) {
    auto* pager = static_cast<TAdvToolBarPager*>(page->Parent());
    TAdvToolBar* tb = PageToolBar("OnPage");
    TCustomAdvToolBarStyler* office = pager->CurrentStyler();
    ASSERT_EQ(tb->CurrentStyler(), office) << "a page toolbar paints with its pager's styler";
    ASSERT_NE(office, pager->InternalStyler());
    FreeComponent(office);
    EXPECT_EQ(pager->CurrentStyler(), pager->InternalStyler());
    EXPECT_EQ(tb->CurrentStyler(), pager->InternalStyler()) << "the pager's, not the toolbar's own";
    // Both still paint.
    form->Show();
    ui.Process();
}

// A page toolbar draws its caption strip along its bottom. A separator put on it keeps its own length
// rather than the toolbar's height less 4, so its etched line (the line colour, white beside it) ends
// above the strip, which shows its own colour under the separator.
TEST_F(PageToolBarTest, ASeparatorsLineStopsAboveThePageToolBarsCaptionStrip) {
    constexpr TColor kStrip = 0x20A040;
    auto* pager = static_cast<TAdvToolBarPager*>(page->Parent());
    auto* styler = Make<TCustomAdvToolBarStyler>("FlatStrip");
    styler->CaptionAppearance()->SetCaptionColor(kStrip);
    styler->CaptionAppearance()->SetCaptionColorTo(clNone);
    styler->CaptionAppearance()->SetCaptionBorderColor(clNone);
    pager->SetToolBarStyler(styler);
    TAdvToolBar* tb = MadeByPage();
    tb->SetHeight(page->Height() - 6); // all of it on the page
    tb->SetCaption("");                // no text over the strip
    Glow(tb, "Paste");
    auto* sep = Make<TAdvToolBarSeparator>("Sep", tb);
    Glow(tb, "Cut");
    form->Show();
    EXPECT_FALSE(sep->AutoSize());
    const int line = sep->Left() + sep->Width() / 2;
    const int stripTop = tb->Height() - tb->CaptionHeight();
    EXPECT_LT(sep->Top() + sep->Height(), stripTop);
    EXPECT_COLOR(At(tb, line, sep->Top() + sep->Height() / 2), Ref(clBtnShadow)) << "the line is drawn";
    EXPECT_COLOR(At(tb, line + 1, sep->Top() + sep->Height() / 2), Ref(clWhite));
    for (int y : {stripTop + 1, stripTop + tb->CaptionHeight() / 2, tb->Height() - 3})
        for (int x : {line, line + 1})
            EXPECT_COLOR(At(tb, x, y), Ref(kStrip)) << "strip at " << x << "," << y;
    ui.WritePng(form.get(), uitest::UiDriver::OutputPath("PageToolBarSeparator.png"));
}

} // namespace
} // namespace toolbartest
