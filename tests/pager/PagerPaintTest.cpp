// The pager's painting probed pixel by pixel: the tab band and the line under the caption, the caption
// row, a tab in each state with its rounded corners and inner lines, the hover glow on the virtual
// clock, separators at minimum spacing, tab groups, a tab cut by the row's end, and the active page
// joined to its tab. A picture of a whole pager is written to look at.

#include "tests/pager/PagerTestSupport.h"

#include "platform/vcl/ControlMessages.h"

namespace pagertest {
namespace {

// The colour made of Percent of C1 and the rest of C2, channel by channel.
TColor Mix(TColor C1, TColor C2, int Percent) {
    auto ch = [&](int shift) {
        const int a = (static_cast<int>(C1) >> shift) & 0xFF, b = (static_cast<int>(C2) >> shift) & 0xFF;
        return ((a * Percent + b * (100 - Percent)) / 100) << shift;
    };
    return static_cast<TColor>(ch(0) | ch(8) | ch(16));
}

constexpr TColor kBand = 0xC0C0C0;
constexpr TColor kCaption = 0x804000;
constexpr TColor kNormal = 0x0000FF, kNormalBorder = 0x000080;
constexpr TColor kHot = 0xFF0000, kHotBorder = 0x800000;
constexpr TColor kSelected = 0x00FF00, kSelectedBorder = 0x008000;
constexpr TColor kDisabled = 0x808000;
constexpr TColor kPage = 0x00FFFF, kPageBorder = 0x0080FF;
constexpr TColor kGroup = 0xFF00FF;

class PagerPaintTest : public PagerTest {
protected:
    // The pager's own styler with every surface flat, so that each rule shows as one colour.
    void SetUp() override {
        PagerTest::SetUp();
        pager->SetToolBarStyler(nullptr);
        TCustomAdvToolBarStyler* s = pager->CurrentStyler();
        TTabAppearance* t = s->TabAppearance();
        t->BackGround()->SetColor(kBand);
        t->BackGround()->SetColorTo(clNone);
        auto four = [](auto set1, auto set2, auto set3, auto set4, TColor c) {
            set1(c);
            set2(c);
            set3(c);
            set4(c);
        };
        four([t](TColor c) { t->SetColor(c); }, [t](TColor c) { t->SetColorTo(c); },
             [t](TColor c) { t->SetColorMirror(c); }, [t](TColor c) { t->SetColorMirrorTo(c); }, kNormal);
        four([t](TColor c) { t->SetColorHot(c); }, [t](TColor c) { t->SetColorHotTo(c); },
             [t](TColor c) { t->SetColorMirrorHot(c); }, [t](TColor c) { t->SetColorMirrorHotTo(c); }, kHot);
        four([t](TColor c) { t->SetColorSelected(c); }, [t](TColor c) { t->SetColorSelectedTo(c); },
             [t](TColor c) { t->SetColorMirrorSelected(c); },
             [t](TColor c) { t->SetColorMirrorSelectedTo(c); }, kSelected);
        four([t](TColor c) { t->SetColorDisabled(c); }, [t](TColor c) { t->SetColorDisabledTo(c); },
             [t](TColor c) { t->SetColorMirrorDisabled(c); },
             [t](TColor c) { t->SetColorMirrorDisabledTo(c); }, kDisabled);
        t->SetBorderColor(kNormalBorder);
        t->SetBorderColorHot(kHotBorder);
        t->SetBorderColorSelected(kSelectedBorder);
        t->SetBorderColorDisabled(kDisabled);
        TVistaTextBackground* c = s->PagerCaption();
        c->SetColor(kCaption);
        c->SetColorTo(kCaption);
        c->SetColorMirror(kCaption);
        c->SetColorMirrorTo(kCaption);
        c->SetBorderColor(clNone);
        TVistaBackground* p = s->PageAppearance();
        p->SetColor(kPage);
        p->SetColorTo(kPage);
        p->SetColorMirror(kPage);
        p->SetColorMirrorTo(kPage);
        p->SetBorderColor(kPageBorder);
        TGroupAppearance* g = s->GroupAppearance();
        g->SetColor(kGroup);
        g->SetColorTo(kGroup);
        g->SetColorMirror(kGroup);
        g->SetColorMirrorTo(kGroup);
        pager->SetAlign(alNone);
        pager->SetBounds(0, 0, 560, 140);
        AddPages({"Home", "Insert", "Layout", "View"});
        pager->SetActivePageIndex(0);
        form->Show();
    }
    TColor AtTab(int Index, int DX, int DY) {
        const TRect r = pager->GetTabRect(Index);
        return static_cast<TColor>(At(pager, DX >= 0 ? r.Left + DX : r.Right + DX, r.Top + DY));
    }
};

TEST_F(PagerPaintTest, TheBandCaptionAndActiveTabShowTheirColours) {
    const TRect r = pager->GetTabRect(0);
    struct Probe {
        const char* Rule;
        int X, Y;
        TColor Expected;
    } probes[] = {
        {"caption row in the caption colour", 10, 10, kCaption},
        {"tab band left of the tabs", 30, 45, kBand},
        {"one pixel below the band top: white over the band at 70", 30, 28, Mix(clWhite, kBand, 70)},
        {"band below the page", 300, 137, kBand},
        {"active tab filled in its selected colour", r.Left + 5, r.Top + 2, kSelected},
        {"its border", r.Left, r.Top + 10, kSelectedBorder},
        {"top-left corner takes the band outside it", r.Left, r.Top, kBand},
        {"top-right corner too", r.Right - 1, r.Top, kBand},
        {"line at T+1: fill over border at 80", r.Left + 5, r.Top + 1, Mix(kSelected, kSelectedBorder, 80)},
        {"highlight at T+3: white over fill at 50", r.Left + 5, r.Top + 3, Mix(clWhite, kSelected, 50)},
        {"side line at L+1: fill over border at 50", r.Left + 1, r.Top + 6,
         Mix(kSelected, kSelectedBorder, 50)},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.Rule);
        EXPECT_THAT(At(pager, p.X, p.Y), IsColorNear(Ref(p.Expected), 2));
    }
}

TEST_F(PagerPaintTest, InactiveTabsShowAFaceOnlyWhenAskedAndDisabledOnesTheirOwn) {
    EXPECT_THAT(AtTab(1, 5, 2), IsColor(Ref(kBand)));
    pager->SetShowNonSelectedTabs(true);
    EXPECT_THAT(AtTab(1, 5, 2), IsColor(Ref(kNormal)));
    pager->GetAdvPages(2)->SetTabEnabled(false);
    EXPECT_THAT(AtTab(2, 5, 2), IsColor(Ref(kDisabled)));
}

TEST_F(PagerPaintTest, AHoveredTabFadesInStepByStepAndOutAfterThePointerLeaves) {
    const TRect r = pager->GetTabRect(1);
    ui.Screen().MoveMouse(0, 0);
    ui.MoveTo(pager, r.Left + 8, r.Top + 8);
    EXPECT_EQ(pager->HotTabIndex(), 1);
    ui.Advance(30);
    EXPECT_THAT(AtTab(1, 5, 2), IsColorNear(Ref(Mix(kHot, kBand, 20)), 2));
    ui.Advance(30);
    EXPECT_THAT(AtTab(1, 5, 2), IsColorNear(Ref(Mix(kHot, kBand, 40)), 2));
    ui.Advance(300);
    EXPECT_THAT(AtTab(1, 5, 2), IsColor(Ref(kHot)));

    // Over the caption row the tab is no longer under the pointer: it fades out and its face goes.
    ui.MoveTo(pager, 10, 10);
    ui.Advance(600);
    EXPECT_FALSE(pager->GetAdvPages(1)->GlowRunning());
    EXPECT_EQ(pager->HotTabIndex(), -1);
    EXPECT_THAT(AtTab(1, 5, 2), IsColor(Ref(kBand)));
}

TEST_F(PagerPaintTest, AClickedTabBecomesActiveAndFadesFromItsHotColoursToItsSelectedOnes) {
    const TRect r = pager->GetTabRect(2);
    ui.Click(pager, r.Left + 8, r.Top + 8);
    EXPECT_EQ(pager->ActivePageIndex(), 2);
    TAdvPage* page = pager->GetAdvPages(2);
    EXPECT_TRUE(page->GlowRunning());
    EXPECT_TRUE(page->SelectionGlow());
    ui.Advance(30);
    EXPECT_THAT(AtTab(2, 5, 2), IsColorNear(Ref(Mix(kSelected, kHot, 20)), 2));
    ui.Advance(300);
    EXPECT_FALSE(page->GlowRunning());
    EXPECT_THAT(AtTab(2, 5, 2), IsColor(Ref(kSelected)));
    EXPECT_THAT(AtTab(2, 0, 0), IsColor(Ref(kBand))) << "a corner repainted by the glow alone is rounded too";
    // A click on a disabled tab only marks it pressed until the button comes up.
    pager->GetAdvPages(3)->SetTabEnabled(false);
    const TRect d = pager->GetTabRect(3);
    ui.MoveTo(pager, d.Left + 8, d.Top + 8);
    ui.Screen().Press();
    ui.Process();
    EXPECT_EQ(pager->PressedTabIndex(), 3);
    EXPECT_EQ(pager->ActivePageIndex(), 2);
    ui.Screen().Release();
    ui.Process();
    EXPECT_EQ(pager->PressedTabIndex(), -1);
}

TEST_F(PagerPaintTest, TheTabUnderThePointerGivesItsHintOnlyWhenTabHintsAreOn) {
    pager->GetAdvPages(2)->SetTabHint("Page layout");
    const TRect r = pager->GetTabRect(2);
    ui.MoveTo(pager, r.Left + 6, r.Top + 6);
    auto hint = [&] {
        THintInfo info;
        info.HintStr = "pager";
        pager->Perform(CM_HINTSHOW, 0, reinterpret_cast<win::LPARAM>(&info));
        return info.HintStr;
    };
    EXPECT_EQ(hint(), "");
    pager->SetShowTabHint(true);
    EXPECT_EQ(hint(), "Page layout");
}

TEST_F(PagerPaintTest, AtMinimumSpacingASeparatorStandsBeforeEveryTabButTheFirst) {
    const int total = pager->GetTotalTabsWidth();
    pager->SetBounds(0, 0, total + 68 - 1, 140);
    ASSERT_EQ(pager->TabSpacing(), 3);
    const TRect r = pager->GetTabRect(2);
    EXPECT_THAT(At(pager, r.Left - 2, r.Top + 1), IsColorNear(Ref(Mix(kBand, kSelectedBorder, 60)), 3));
    const TRect first = pager->GetTabRect(0);
    EXPECT_THAT(At(pager, first.Left - 2, first.Top + 1), IsColor(Ref(kBand)));
}

TEST_F(PagerPaintTest, ThePageJoinsItsTabAndHasAWhiteInnerRim) {
    TAdvPage* page = pager->ActivePage();
    const TRect tab = pager->GetTabRect(0);
    const int x = tab.Left - 4 + 6; // the tab's x in page coordinates, a little inside
    EXPECT_THAT(At(page, 40, 40), IsColor(Ref(kPage)));
    EXPECT_THAT(At(page, x, 0), IsColor(Ref(kPage)));
    EXPECT_THAT(At(page, page->Width() - 20, 0), IsColorNear(Ref(kPageBorder), 2));
    EXPECT_THAT(At(page, 1, 20), IsColorNear(Ref(Mix(clWhite, kPageBorder, 50)), 1));
}

TEST_F(PagerPaintTest, ThePagesBackgroundFollowsEveryChangeOfItsLookAndSize) {
    TAdvPage* page = pager->ActivePage();
    EXPECT_THAT(At(page, 40, 40), IsColor(Ref(kPage)));
    // Each colour of the look, and the border, shows in the next paint.
    TVistaBackground* p = pager->CurrentStyler()->PageAppearance();
    p->SetColorMirror(kGroup);
    p->SetColorMirrorTo(kGroup);
    page->Invalidate();
    EXPECT_THAT(At(page, 40, page->Height() - 10), IsColor(Ref(kGroup)));
    EXPECT_THAT(At(page, 40, 5), IsColor(Ref(kPage)));
    p->SetBorderColor(kNormalBorder);
    page->Invalidate();
    EXPECT_THAT(At(page, page->Width() - 20, 0), IsColorNear(Ref(kNormalBorder), 2));
    // Wider, the page has no border where its right edge was.
    const int oldEdge = page->Width() - 1;
    EXPECT_THAT(At(page, oldEdge, 20), IsColorNear(Ref(kNormalBorder), 40)) << "the edge before";
    pager->SetBounds(0, 0, 600, 140);
    page->Invalidate();
    ASSERT_GT(page->Width() - 1, oldEdge + 10);
    EXPECT_THAT(At(page, oldEdge, 20), IsColor(Ref(kPage)));
}

TEST_F(PagerPaintTest, ATabGroupPaintsABandAboveItsTabsReachingIntoTheCaptionRow) {
    TTabGroupItem* g = pager->TabGroups()->Add();
    g->SetTabIndexStart(1);
    g->SetTabIndexEnd(2);
    bool l = false, r = false;
    const TRect gr = pager->GetTabGroupRect(0, l, r);
    EXPECT_THAT(At(pager, gr.Left + 6, gr.Top + 14), IsColor(Ref(kGroup)));
    EXPECT_THAT(At(pager, gr.Left + 6, gr.Top + 4), IsColor(Ref(kCaption)));
}

TEST_F(PagerPaintTest, ATabCutByTheRowsEndIsPaintedOnlyInsideTheRow) {
    for (int i = 0; i < 10; ++i)
        AddPage("More " + std::to_string(i));
    pager->SetShowNonSelectedTabs(true);
    pager->SetBounds(0, 0, 360, 140);
    ui.Process();
    const TRect t = pager->GetTabsRect();
    // The row ends with a tab cut by its right edge: past the edge the band shows, inside it the tab.
    int cut = -1;
    for (int i = 0; i < pager->GetAdvToolBarPageCount(); ++i)
        if (pager->GetTabRect(i).Left < t.Right && pager->GetTabRect(i).Right > t.Right + 1) cut = i;
    ASSERT_GE(cut, 0);
    const TRect r = pager->GetTabRect(cut);
    // Inside the row (left of the scroll button over its end) the tab shows.
    ASSERT_LT(r.Left + 4, t.Right - 12);
    EXPECT_THAT(At(pager, r.Left + 4, t.Top + 2), IsColor(Ref(kNormal)));
    EXPECT_THAT(At(pager, t.Right + 1, t.Top + 2), IsColor(Ref(kBand)));
}

TEST_F(PagerPaintTest, AnOfficePagerLooksRight) {
    pager->SetToolBarStyler(nullptr);
    auto* office = new AdvToolBarStylers::TAdvToolBarOfficeStyler(form.get());
    office->SetToolBarStyle(AdvToolBarStylers::bsOffice2007Luna);
    pager->SetToolBarStyler(office);
    pager->Caption()->SetCaption("Kalvenor - Orders");
    pager->SetCaptionButtons(TCaptionButtons{cbClose, cbMinimize, cbMaximize});
    TTabGroupItem* g = pager->TabGroups()->Add();
    g->SetCaption("Tools");
    g->SetTabIndexStart(2);
    g->SetTabIndexEnd(3);
    TAdvPage* page = pager->ActivePage();
    TAdvToolBar* a = page->CreateAdvToolBar();
    a->SetCaption("Clipboard");
    TAdvToolBar* b = page->CreateAdvToolBar();
    b->SetCaption("Font");
    ui.MoveTo(pager, pager->GetTabRect(1).Left + 5, pager->GetTabRect(1).Top + 5);
    ui.Advance(200);
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("pager-office.png")));
}

} // namespace
} // namespace pagertest
