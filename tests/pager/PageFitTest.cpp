// A page fits its row of toolbars to its width: narrowed, it steps their glow buttons down (large to
// labelled columns to glyphs) and compacts the last toolbars; widened, it un-compacts and grows them.

#include "tests/pager/PagerTestSupport.h"

#include "components/foundation/AdvGlowButton.h"

namespace pagertest {
namespace {

using AdvGlowButton::bsGlyph;
using AdvGlowButton::bsLabel;
using AdvGlowButton::bsLarge;

class PageFitTest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        page = AddPage("Home");
        pager->SetActivePageIndex(0);
        form->SetWidth(1400);
        form->Show();
        ui.Process();
        // Five alike toolbars: each step wins the same width on each, so only the order rules choose.
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            TAdvToolBar* t = page->CreateAdvToolBar();
            t->SetName(name);
            t->SetAutoSizeEx(true);
            for (const char* caption : {"Open", "Save", "Print"}) {
                auto* b = new AdvGlowButton::TAdvGlowButton(form.get());
                b->SetCaption(caption);
                b->SetAutoSizeEx(true);
                b->SetButtonSizeState(bsLarge);
                b->SetParent(t);
            }
            bars.push_back(t);
        }
        page->UpdateAllToolBars();
    }
    // One letter per toolbar: L large buttons, B labelled column, G glyphs, C compacted.
    String Row() const {
        String s;
        for (TAdvToolBar* t : bars) {
            if (t->Compact()) {
                s += 'C';
                continue;
            }
            auto* b = dynamic_cast<AdvGlowButton::TAdvGlowButton*>(t->ToolBarControls(0));
            const auto st = b->ButtonSizeState();
            s += st == bsLarge ? 'L' : st == bsLabel ? 'B' : st == bsGlyph ? 'G' : '?';
        }
        return s;
    }
    // The row after each change, while the form's width walks to To a few pixels at a time.
    std::vector<String> Walk(int To, bool MustFit = true) {
        std::vector<String> seen{Row()};
        const int step = To < form->Width() ? -4 : 4;
        while (form->Width() != To) {
            const int before = form->Width();
            form->SetWidth(std::abs(To - before) < 4 ? To : before + step);
            if (form->Width() == before) break; // the form's smallest width

            if (Row() != seen.back()) seen.push_back(Row());
            // Whatever the row shows, it fits the page unless every toolbar is already compacted.
            TAdvToolBar* last = bars.back();
            if (MustFit && !page->ALLATBSmallestVariant()) {
                EXPECT_LE(last->Left() + last->Width(), page->Width()) << "page width " << page->Width();
            }
        }
        return seen;
    }
    TAdvPage* page = nullptr;
    std::vector<TAdvToolBar*> bars;
};

TEST_F(PageFitTest, NarrowingStepsTheLastToolBarsDownFirstAndCompactsFromTheEnd) {
    ASSERT_EQ(Row(), "LLLLL") << "a wide page shows every toolbar at its largest";
    // Among equal steps the last toolbar gives first, and a step to labels beats one to glyphs.
    const std::vector<String> seen = Walk(40);
    ASSERT_GE(seen.size(), 12u);
    EXPECT_THAT(std::vector<String>(seen.begin(), seen.begin() + 11),
                ::testing::ElementsAre("LLLLL", "LLLLB", "LLLBB", "LLBBB", "LBBBB", "BBBBB", "BBBBG", "BBBGG",
                                       "BBGGG", "BGGGG", "GGGGG"));
    EXPECT_EQ(seen.back(), "CCCCC") << "at their smallest and still too wide, they compact";
    EXPECT_TRUE(bars.back()->CloneAtSmallest()) << "compacted by a narrowing page";
}

TEST_F(PageFitTest, WideningUnCompactsTheFirstToolBarsFirstAndGrowsFromTheStart) {
    Walk(40);
    ASSERT_EQ(Row(), "CCCCC");
    const std::vector<String> seen = Walk(1400);
    ASSERT_GE(seen.size(), 3u);
    // Compacted they are wider than at their glyphs: the first room that brings one back brings all.
    EXPECT_EQ(seen[1].find('C'), String::npos) << seen[1];
    // Widening only ever grows a toolbar, never shrinks one.
    const String order = "CGBL";
    for (size_t i = 1; i < seen.size(); ++i)
        for (size_t k = 0; k < seen[i].size(); ++k)
            EXPECT_GE(order.find(seen[i][k]), order.find(seen[i - 1][k])) << seen[i - 1] << " to " << seen[i];
    EXPECT_EQ(seen.back(), "LLLLL");
}

TEST_F(PageFitTest, CompactModePinsAToolBarAndTheRowRefitsAroundIt) {
    bars[0]->SetCompactMode(true);
    EXPECT_EQ(Row(), "CLLLL");
    // The room it gave back cannot bring it back while the mode holds.
    Walk(1500);
    EXPECT_EQ(Row(), "CLLLL");
    Walk(40);
    EXPECT_TRUE(bars[0]->CompactMode());
    EXPECT_EQ(Row(), "CCCCC");
    Walk(1400);
    EXPECT_EQ(Row(), "CLLLL") << "the others come back; the pinned one stays";
    bars[0]->SetCompactMode(false);
    EXPECT_EQ(Row(), "LLLLL") << "switched off, the row is fitted again at once";
}

TEST_F(PageFitTest, AToolBarNeverLoadedStaysAsItIsAndHiddenOnesDoNotCount) {
    bars[4]->SetLoadedOnce(false);
    bars[3]->SetVisible(false);
    Walk(40, false);
    EXPECT_EQ(Row()[0], 'C');
    EXPECT_EQ(Row()[4], 'L') << "not loaded yet: neither stepped nor compacted";
    EXPECT_EQ(Row()[3], 'L') << "hidden: not part of the row";
}

TEST_F(PageFitTest, AToolBarShownMakesTheOthersShrinkAndOneHiddenLetsThemGrowBack) {
    TAdvToolBar* last = bars.back();
    last->SetVisible(false);
    // The page just wide enough for the four others at their largest.
    TAdvToolBar* fourth = bars[3];
    const int room = fourth->Left() + fourth->Width() + 10;
    form->SetWidth(1000);
    form->SetWidth(1000 + room - page->Width());
    ASSERT_EQ(page->Width(), room);
    ASSERT_EQ(Row().substr(0, 4), "LLLL");
    last->SetVisible(true);
    EXPECT_LE(last->Left() + last->Width(), page->Width()) << "the row fits the page again";
    const String shown = Row();
    EXPECT_NE(shown, "LLLLL") << "some toolbar stepped down for it";
    last->SetVisible(false);
    const String hidden = Row();
    // Its room is taken back: no toolbar ends smaller, and some grows.
    const String order = "CGBL";
    int grown = 0;
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_GE(order.find(hidden[k]), order.find(shown[k])) << shown << " to " << hidden;
        grown += order.find(hidden[k]) > order.find(shown[k]) ? 1 : 0;
    }
    EXPECT_GT(grown, 0) << shown << " to " << hidden;
}

} // namespace
} // namespace pagertest
