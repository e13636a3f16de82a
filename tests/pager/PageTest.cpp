// A page of the pager: the toolbars it hosts side by side, the styler they follow, scrolling them with
// the page's two buttons when they do not fit, and the parents a page takes or refuses.

#include "tests/pager/PagerTestSupport.h"

#include "components/foundation/AdvGlowButton.h"
#include "platform/rtl/Exceptions.h"

namespace pagertest {
namespace {

class PageTest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        page = AddPage("Home");
        pager->SetActivePageIndex(0);
        form->Show();
    }
    TAdvToolBar* Bar(const String& Caption, int Width) {
        TAdvToolBar* t = page->CreateAdvToolBar();
        t->SetCaption(Caption);
        t->Constraints()->SetMinWidth(Width);
        t->Constraints()->SetMaxWidth(Width);
        t->SetWidth(Width);
        page->UpdateAdvToolBarsPosition();
        return t;
    }
    TAdvPage* page = nullptr;
};

TEST_F(PageTest, ANewPageToolbarHasThePageDefaults) {
    TAdvToolBar* t = page->CreateAdvToolBar();
    EXPECT_EQ(t->Caption(), "Untitled");
    EXPECT_TRUE(t->ShowCaption());
    EXPECT_EQ(t->CaptionPosition(), cpBottom);
    EXPECT_EQ(t->CaptionAlignment(), taCenter);
    EXPECT_FALSE(t->ShowRightHandle());
    EXPECT_FALSE(t->AutoSize());
    EXPECT_EQ(t->Parent(), page);
    EXPECT_EQ(page->AdvToolBarCount(), 1);
    EXPECT_EQ(page->GetFirstToolBar(true), t);
    // It follows the pager's styler and, on a page, has no grip.
    EXPECT_TRUE(t->ParentStyler());
    EXPECT_EQ(t->CurrentStyler(), pager->CurrentStyler());
    EXPECT_FALSE(t->DragGripShown());
    auto* styler = new TCustomAdvToolBarStyler(form.get());
    pager->SetToolBarStyler(styler);
    EXPECT_EQ(t->CurrentStyler(), styler);
}

TEST_F(PageTest, ToolbarsStandSideBySideThreePixelsApart) {
    TAdvToolBar* a = Bar("A", 80);
    TAdvToolBar* b = Bar("B", 100);
    TAdvToolBar* c = Bar("C", 60);
    EXPECT_EQ(a->BoundsRect(), (TRect{3, 3, 83, page->Height() - 3}));
    EXPECT_EQ(b->Left(), 86);
    EXPECT_EQ(c->Left(), 189);
    // A hidden toolbar takes no room; moving one in the list moves it on the page.
    b->SetVisible(false);
    EXPECT_EQ(c->Left(), 86);
    EXPECT_EQ(page->VisibleToolBarCount(), 2);
    EXPECT_EQ(page->RealIndexToVisIndex(2), 1);
    EXPECT_EQ(page->RealIndexToVisIndex(1), -1);
    EXPECT_EQ(page->VisIndexToRealIndex(1), 2);
    b->SetVisible(true);
    EXPECT_EQ(c->Left(), 189);
    page->MoveAdvToolBar(2, 0);
    EXPECT_EQ(page->AdvToolBars(0), c);
    EXPECT_EQ(c->Left(), 3);
    EXPECT_EQ(c->ToolBarIndex(), 0);
    c->SetToolBarIndex(9);
    EXPECT_EQ(page->AdvToolBars(2), c);
    EXPECT_EQ(c->ToolBarIndex(), 2);
    c->SetToolBarIndex(0);
    EXPECT_EQ(page->AdvToolBars(5), nullptr);
    EXPECT_EQ(page->AddAdvToolBar(c), -1);

    // A toolbar that goes leaves the list.
    delete a;
    EXPECT_EQ(page->AdvToolBarCount(), 2);
    EXPECT_EQ(page->IndexOfAdvToolBar(b), 1);
}

TEST_F(PageTest, ToolbarsThatDoNotFitScrollWithThePagesButtons) {
    const int w = page->Width();
    // So many that even compacted they overflow: only then does the page scroll.
    const int count = w / 45 + 2;
    for (int i = 0; i < count; ++i)
        Bar("T" + std::to_string(i), w / 3);
    page->UpdateAllToolBars();
    EXPECT_TRUE(page->ALLATBSmallestVariant());
    page->InitializeScroller();
    ASSERT_NE(page->ScrollRightButton(), nullptr);
    EXPECT_TRUE(page->ScrollRightButton()->Visible());
    EXPECT_TRUE(page->ScrollLeftButton() == nullptr || !page->ScrollLeftButton()->Visible());
    EXPECT_EQ(page->ScrollRightButton()->Width(), 12);

    ui.Click(page->ScrollRightButton());
    EXPECT_GT(page->FirstShownToolBar(), 0);
    ASSERT_NE(page->ScrollLeftButton(), nullptr);
    EXPECT_TRUE(page->ScrollLeftButton()->Visible());
    // The first toolbar shown lands 3 pixels in (or the last one ends 3 pixels before the end).
    TAdvToolBar* first = page->AdvToolBars(page->FirstShownToolBar());
    TAdvToolBar* last = page->AdvToolBars(count - 1);
    EXPECT_TRUE(first->Left() == 3 || last->Left() + last->Width() == w - 3);

    while (page->Scroller().CanGoBack())
        page->ScrollToolBars(-1);
    EXPECT_EQ(page->FirstShownToolBar(), 0);
    EXPECT_EQ(page->AdvToolBars(0)->Left(), 3);
}

TEST_F(PageTest, SmallGlowButtonsStackInColumnsOfThreeAndALargeOneStartsANewColumn) {
    TAdvToolBar* bar = page->CreateAdvToolBar();
    bar->SetShowCaption(false);
    auto button = [&](const char* Name, AdvGlowButton::TButtonSizeState State, int W, int H) {
        auto* b = new AdvGlowButton::TAdvGlowButton(form.get());
        b->SetName(Name);
        b->SetButtonSizeState(State);
        b->SetParent(bar);
        b->SetBounds(0, 0, W, H);
        return b;
    };
    auto* s1 = button("S1", AdvGlowButton::bsGlyph, 22, 20);
    auto* s2 = button("S2", AdvGlowButton::bsLabel, 40, 20);
    auto* s3 = button("S3", AdvGlowButton::bsGlyph, 22, 20);
    auto* s4 = button("S4", AdvGlowButton::bsGlyph, 22, 20);
    auto* big = button("Big", AdvGlowButton::bsLarge, 36, 60);
    auto* s5 = button("S5", AdvGlowButton::bsGlyph, 22, 20);
    bar->SetControlsPosition(true);
    // No grip on a page: the first column starts 2 pixels in, three buttons high, as wide as its widest.
    EXPECT_EQ(s1->BoundsRect(), (TRect{2, 2, 24, 22}));
    EXPECT_EQ(s2->BoundsRect(), (TRect{2, 22, 42, 42}));
    EXPECT_EQ(s3->BoundsRect(), (TRect{2, 42, 24, 62}));
    EXPECT_EQ(s4->Left(), 42);
    EXPECT_EQ(s4->Top(), 2);
    EXPECT_EQ(big->Left(), 64);
    EXPECT_EQ(s5->BoundsRect(), (TRect{100, 2, 122, 22}));
}

TEST_F(PageTest, APageWithoutToolbarsHasNothingToScroll) {
    page->InitializeScroller();
    EXPECT_EQ(page->Scroller().Max(), 0);
    EXPECT_EQ(page->GetFirstToolBar(false), nullptr);
    page->ScrollToolBars(1);
    EXPECT_EQ(page->FirstShownToolBar(), 0);
}

TEST_F(PageTest, APageRefusesToolbarContainersAndMovesToAnotherPagesPlace) {
    auto* panel = new TAdvDockPanel(form.get());
    panel->SetParent(form.get());
    EXPECT_THROW(page->SetParent(panel), Exception);
    TAdvPage* second = AddPage("Insert");
    TAdvPage* third = AddPage("View");
    EXPECT_EQ(second->AdvToolBarPager(), pager);
    EXPECT_EQ(second->Parent(), pager);
    // Dropped on the first page, the third takes its index and stays on the pager.
    third->SetParent(page);
    EXPECT_EQ(third->PageIndex(), 0);
    EXPECT_EQ(third->Parent(), pager);
    EXPECT_EQ(pager->GetAdvPages(1), page);

    // Parented elsewhere, a page leaves the pager.
    second->SetParent(form.get());
    EXPECT_EQ(second->AdvToolBarPager(), nullptr);
    EXPECT_EQ(pager->GetAdvToolBarPageCount(), 2);

    // Parented to a pager it joins it.
    second->SetParent(pager);
    EXPECT_EQ(pager->IndexOfPage(second), 2);
}

TEST_F(PageTest, AKeyTipSitsOnTheTabEdgeItsPositionNames) {
    page->SetShortCutHint("H");
    const TRect tab = pager->GetTabRect(0);
    const TPoint p = pager->ClientToScreen(TPoint{tab.Left, tab.Top});
    page->SetShortCutHintPos(shpTop);
    page->ShowShortCutHint();
    ASSERT_NE(page->ShortCutHintWindow(), nullptr);
    auto* w = page->ShortCutHintWindow();
    EXPECT_TRUE(w->Visible());
    const TRect at = w->BoundsRect();
    EXPECT_EQ(at.Left, p.X + (tab.Width() - at.Width()) / 2);
    EXPECT_EQ(at.Top, p.Y - at.Height() / 2);
    page->SetShortCutHintPos(shpLeft);
    page->ShowShortCutHint();
    EXPECT_EQ(page->ShortCutHintWindow()->Left(), p.X - at.Width() / 2);
    page->HideShortCutHint();
    EXPECT_EQ(page->ShortCutHintWindow(), nullptr);
}

} // namespace
} // namespace pagertest
