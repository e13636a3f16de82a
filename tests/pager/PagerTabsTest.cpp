// The pager's rows and tabs: the rectangles of caption, tab row and page, the width of a tab, the
// fitting that shrinks spacing, margins and widths (and grows them back), tab groups, and scrolling the
// tabs by screenfuls with the two scroll buttons.

#include "tests/pager/PagerTestSupport.h"

#include "platform/vcl/Bitmap.h"
#include "platform/win/Gdi.h"

namespace pagertest {
namespace {

class PagerTabsTest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        pager->SetAlign(alNone);
        pager->SetBounds(0, 0, 500, 140);
        form->Show();
    }
    // What DrawText measures for a caption in the tab font: the text part of a tab's width.
    int TextWidth(const String& Text) {
        TBitmap scratch(1, 1);
        scratch.Canvas()->SetFont(pager->CurrentStyler()->TabAppearance()->Font());
        scratch.Canvas()->TextHeight("gh");
        win::RECT r{0, 0, 1000, 100};
        win::DrawText(scratch.Canvas()->Handle(), Text.c_str(), static_cast<int>(Text.size()), &r,
                      win::DT_CALCRECT | win::DT_SINGLELINE);
        return r.Right - r.Left;
    }
    int Width(int Index) { return pager->GetTabRect(Index).Width(); }
    int Avail() { return pager->GetTabsRect().Width(); }
    void SetPagerWidth(int W) {
        pager->SetBounds(0, 0, W, 140);
        ui.Process();
    }
};

TEST_F(PagerTabsTest, CaptionTabRowAndPageStackFromTheTop) {
    TAdvPage* page = AddPage("Home");
    EXPECT_EQ(pager->GetCaptionRect(), (TRect{0, 0, 500, 27}));
    EXPECT_EQ(pager->GetTabsArea(), (TRect{0, 27, 500, 53}));
    // The tabs start after the start margin and 4 pixels in; the page overlaps their lowest 4 pixels.
    EXPECT_EQ(pager->GetTabsRect(), (TRect{64, 31, 496, 57}));
    EXPECT_EQ(pager->GetAdvPageRect(), (TRect{4, 53, 496, 135}));
    EXPECT_EQ(page->BoundsRect(), pager->GetAdvPageRect());

    pager->SetPageLeftMargin(10);
    pager->SetPageRightMargin(6);
    pager->SetPageLeftMargin(-3);
    EXPECT_EQ(pager->PageLeftMargin(), 10);
    EXPECT_EQ(pager->GetTabsRect(), (TRect{74, 31, 490, 57}));
    EXPECT_EQ(page->BoundsRect(), (TRect{14, 53, 490, 135}));

    pager->Caption()->SetVisible(false);
    EXPECT_EQ(pager->GetCaptionRect(), (TRect{-1, -1, -1, -1}));
    EXPECT_EQ(pager->GetTabsRect().Top, 4);
    EXPECT_EQ(page->Top(), 26);

    // Docked at a side there is no tab row: every rectangle is the client area.
    pager->SetAlign(daLeft);
    EXPECT_EQ(pager->GetTabsRect(), pager->GetClientRect());
}

TEST_F(PagerTabsTest, ATabIsItsTextAMarginOfAtLeastFiveOrOnePerCharacterAndTheTabMargins) {
    pager->CurrentStyler()->TabAppearance()->Font()->SetSize(8);
    AddPages({"", "Home", "Preferences"});
    int content = 0;
    EXPECT_EQ(pager->GetRealTabWidth(0, content), 5 + 4 + 4);
    EXPECT_EQ(content, 5);
    pager->GetRealTabWidth(1, content);
    EXPECT_EQ(content, TextWidth("Home") + 5);
    pager->GetRealTabWidth(2, content);
    EXPECT_EQ(content, TextWidth("Preferences") + 11);
    EXPECT_EQ(pager->GetRealTabWidth(3, content), 0);

    // A larger font widens the margin by its points above 8; without anti-aliasing it is 2.
    pager->CurrentStyler()->TabAppearance()->Font()->SetSize(11);
    pager->GetRealTabWidth(1, content);
    EXPECT_EQ(content, TextWidth("Home") + 5 + 3);
    pager->SetAntiAlias(AdvGDIP::aaNone);
    pager->GetRealTabWidth(1, content);
    EXPECT_EQ(content, TextWidth("Home") + 2);

    // An image adds its width and a gap of 2; a disabled page uses the disabled list's width.
    TCustomImageList images(16, 16), disabled(20, 20);
    pager->SetImages(&images);
    pager->SetDisabledImages(&disabled);
    pager->GetAdvPages(1)->SetImageIndex(0);
    pager->GetRealTabWidth(1, content);
    EXPECT_EQ(content, TextWidth("Home") + 2 + 18);
    pager->GetAdvPages(1)->SetTabEnabled(false);
    pager->GetRealTabWidth(1, content);
    EXPECT_EQ(content, TextWidth("Home") + 2 + 22);
    pager->SetImages(nullptr);
    pager->SetDisabledImages(nullptr);
}

TEST_F(PagerTabsTest, TabsLineUpFromTheRowStartWithTheSpacingBetweenThem) {
    AddPages({"Home", "Insert", "View"});
    pager->GetAdvPages(1)->SetTabVisible(false);
    EXPECT_EQ(pager->GetTabRect(0).Left, 64);
    EXPECT_EQ(pager->GetTabRect(1), (TRect{-1, -1, -1, -1}));
    EXPECT_EQ(pager->GetTabRect(2).Left, pager->GetTabRect(0).Right + 4);
    EXPECT_EQ(pager->GetTabRect(2).Top, 31);
    const TRect r = pager->GetTabRect(2);
    EXPECT_EQ(pager->PTOnTab(r.Left, r.Top), 2);
    EXPECT_EQ(pager->PTOnTab(r.Right, r.Top), -1);
    EXPECT_EQ(pager->VisibleTabCount(), 2);
    EXPECT_EQ(pager->GetLastVisibleTabIndex(), 2);
}

TEST_F(PagerTabsTest, ShrinkingGivesUpSpacingThenMarginsThenWidthsAndWideningGivesThemBackInReverse) {
    AddPages({"Clipboard", "Formatting", "Arrangement"});
    const int full[3] = {Width(0), Width(1), Width(2)};
    const int total = full[0] + full[1] + full[2] + 2 * 4;

    // One pixel short: one pixel less spacing (two gaps) is enough.
    SetPagerWidth(total + 68 - 1);
    EXPECT_EQ(pager->TabSpacing(), 3);
    EXPECT_EQ(pager->TabLeftMargin(false), 4);
    EXPECT_EQ(Width(0), full[0]);

    // Three short: spacing to its minimum, then the left margins of ungrouped tabs.
    SetPagerWidth(total + 68 - 3);
    EXPECT_EQ(pager->TabSpacing(), 3);
    EXPECT_EQ(pager->TabLeftMargin(false), 3);
    EXPECT_EQ(pager->TabRightMargin(false), 4);

    // Far too narrow: the widest tabs shrink, never below 24, and never beyond what is needed.
    SetPagerWidth(68 + 100);
    EXPECT_EQ(pager->TabLeftMargin(false), 3);
    EXPECT_EQ(pager->TabRightMargin(false), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(Width(i), 24) << i;
        EXPECT_LT(Width(i), full[i] - 2) << i;
    }
    EXPECT_LE(pager->GetTotalTabsWidth(), Avail());

    // A little room back goes to the tab widths first: spacing stays at its minimum meanwhile.
    SetPagerWidth(68 + 110);
    EXPECT_EQ(pager->TabSpacing(), 3);
    EXPECT_TRUE(pager->AnyTabCanBeExpanded());

    // Plenty of room: everything is as it was, spacing and margins no wider than the settings.
    SetPagerWidth(total + 68 + 200);
    EXPECT_FALSE(pager->AnyTabCanBeExpanded());
    EXPECT_EQ(pager->TabSpacing(), 4);
    EXPECT_EQ(pager->TabLeftMargin(false), 4);
    EXPECT_EQ(pager->TabRightMargin(false), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Width(i), full[i]) << i;
}

TEST_F(PagerTabsTest, WithNoVisibleTabTheFittingHasNothingToPick) {
    AddPages({"A", "B"});
    pager->GetAdvPages(0)->SetTabVisible(false);
    pager->GetAdvPages(1)->SetTabVisible(false);
    EXPECT_EQ(pager->GetLargestTabIndex(true), -1);
    EXPECT_EQ(pager->GetSmallestExpandableTabIndex(true), -1);
    SetPagerWidth(80);
    EXPECT_EQ(pager->GetTotalTabsWidth(), 0);
}

TEST_F(PagerTabsTest, TabGroupsSpanTheirTabsAndReachIntoTheCaptionRow) {
    AddPages({"Home", "Design", "Layout", "View"});
    TTabGroupItem* g = pager->TabGroups()->Add();
    g->SetTabIndexStart(1);
    g->SetTabIndexEnd(2);
    bool left = false, right = false;
    const TRect r = pager->GetTabGroupRect(0, left, right);
    EXPECT_TRUE(left);
    EXPECT_TRUE(right);
    // Half the spacing beyond the outer tabs on each side.
    EXPECT_EQ(r, (TRect{pager->GetTabRect(1).Left - 2, 0, pager->GetTabRect(2).Right + 2, 57}));
    EXPECT_EQ(pager->GroupOfTab(2), 0);
    EXPECT_EQ(pager->GroupOfTab(3), -1);
    // Grouped tabs use their own working margins.
    EXPECT_TRUE(pager->GetAdvPages(1)->IsGroupTab());

    EXPECT_FALSE(pager->IsTabGroupVisible(0));
    pager->SetActivePageIndex(2);
    EXPECT_TRUE(pager->IsTabGroupVisible(0));

    g->SetTabIndexEnd(4);
    EXPECT_EQ(pager->GetTabGroupRect(0, left, right).Width(), 0);
    EXPECT_FALSE(left);
}

TEST_F(PagerTabsTest, TabsThatDoNotFitScrollByScreenfulsWithTheTwoButtons) {
    for (int i = 0; i < 12; ++i)
        AddPage("Page " + std::to_string(i));
    SetPagerWidth(300);
    ASSERT_NE(pager->ScrollRightButton(), nullptr);
    EXPECT_TRUE(pager->ScrollRightButton()->Visible());
    EXPECT_TRUE(pager->ScrollLeftButton() == nullptr || !pager->ScrollLeftButton()->Visible());
    EXPECT_GE(pager->TabScroller().Max(), 1);
    // The right button sits at the right end of the row, 12 wide.
    const TRect t = pager->GetTabsRect();
    EXPECT_EQ(pager->ScrollRightButton()->BoundsRect(), (TRect{t.Right - 12, t.Top, t.Right, t.Bottom - 5}));
    EXPECT_EQ(pager->ScrollTabsPage(0), 0);

    ui.Click(pager->ScrollRightButton());
    EXPECT_EQ(pager->TabScroller().Position(), 1);
    EXPECT_GT(pager->LeftTabIndex(), 0);
    ASSERT_NE(pager->ScrollLeftButton(), nullptr);
    EXPECT_TRUE(pager->ScrollLeftButton()->Visible());
    while (pager->TabScroller().CanGoForward())
        pager->ScrollTabsPage(1);
    EXPECT_FALSE(pager->ScrollRightButton()->Visible());
    // The last screenful fills the row from its right end; the tab before the first one shown is cut.
    const int first = pager->LeftTabIndex();
    EXPECT_EQ(pager->GetTabRect(11).Right, t.Right);
    EXPECT_GE(pager->GetTabRect(first).Left, t.Left);
    EXPECT_LT(pager->GetTabRect(first - 1).Left, t.Left);
    EXPECT_EQ(pager->GetTabVisibleRect(0), (TRect{-1, -1, -1, -1}));

    ui.Click(pager->ScrollLeftButton());
    EXPECT_EQ(pager->TabScroller().Position(), pager->TabScroller().Max() - 1);
    EXPECT_TRUE(pager->ScrollRightButton()->Visible());
    while (pager->TabScroller().CanGoBack())
        pager->ScrollTabsPage(-1);
    EXPECT_EQ(pager->LeftTabIndex(), 0);
    EXPECT_EQ(pager->GetTabRect(0).Left, t.Left);
    EXPECT_FALSE(pager->ScrollLeftButton()->Visible());
}

TEST_F(PagerTabsTest, ScrollingToAHiddenTabGoesToTheNextShownOne) {
    for (int i = 0; i < 14; ++i)
        AddPage("Page " + std::to_string(i));
    for (int i = 4; i < 7; ++i)
        pager->GetAdvPages(i)->SetTabVisible(false);
    SetPagerWidth(220);
    const TRect t = pager->GetTabsRect();
    ASSERT_TRUE(pager->TabScroller().CanGoForward());
    pager->ChangeLeftTabIndexTo(5);
    EXPECT_EQ(pager->LeftTabIndex(), 7);
    EXPECT_EQ(pager->GetTabRect(7).Left, t.Left);
    pager->ChangeLeftTabIndexTo(5);
    EXPECT_EQ(pager->LeftTabIndex(), 3);
    EXPECT_EQ(pager->GetTabRect(3).Left, t.Left);
}

} // namespace
} // namespace pagertest
