// The pager's model: its settings objects, the page list, the active page and its change events, the
// styler link and the parents it refuses.

#include "tests/pager/PagerTestSupport.h"

#include <vector>

#include "components/toolbar/styler/AdvToolBarStylers.h"
#include "platform/rtl/Exceptions.h"

namespace pagertest {
namespace {

using ::testing::ElementsAre;

class PagerModelTest : public PagerTest {
protected:
    // Records every change event as "from>to" (changing, with its answer) and "=index" (changed).
    void Record(bool Allow = true) {
        pager->OnChanging = [this, Allow](TObject*, int From, int To, bool& AllowChange) {
            events.push_back(std::to_string(From) + ">" + std::to_string(To));
            AllowChange = Allow;
        };
        pager->OnChange = [this](TObject*) {
            events.push_back("=" + std::to_string(pager->ActivePageIndex()));
        };
    }
    std::vector<std::string> events;
};

TEST_F(PagerModelTest, SettingsStartAtTheirDefaultsAndAssignCopiesOnlyWhatItShould) {
    TAdvPageCaption* c = pager->Caption();
    EXPECT_TRUE(c->Visible());
    EXPECT_EQ(c->Height(), 27);
    EXPECT_EQ(c->Indent(), 100);
    EXPECT_EQ(c->MinWidth(), 100);
    TATBTabSettings* t = pager->TabSettings();
    EXPECT_EQ(t->LeftMargin(), 4);
    EXPECT_EQ(t->RightMargin(), 4);
    EXPECT_EQ(t->Height(), 26);
    EXPECT_EQ(t->StartMargin(), 60);
    EXPECT_EQ(t->EndMargin(), 0);
    EXPECT_EQ(t->Spacing(), 4);
    EXPECT_EQ(pager->Height(), 140);
    EXPECT_EQ(pager->ActivePageIndex(), -1);
    EXPECT_EQ(pager->ActivePage(), nullptr);

    // Spacing is not copied between tab settings; the rest is.
    TATBTabSettings other;
    other.SetSpacing(9);
    other.SetLeftMargin(7);
    other.SetHeight(30);
    t->Assign(&other);
    EXPECT_EQ(t->Spacing(), 4);
    EXPECT_EQ(t->LeftMargin(), 7);
    EXPECT_EQ(t->Height(), 30);

    // A caption copies its text and height without a change event, and never the wide caption.
    TAdvPageCaption source;
    source.SetCaption("Title");
    source.SetHeight(40);
    source.SetWideCaption("Wide");
    int changes = 0;
    TAdvPageCaption target;
    target.OnChange = [&](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(target.Caption(), "Title");
    EXPECT_EQ(target.Height(), 40);
    EXPECT_EQ(target.WideCaption(), "");
    EXPECT_EQ(changes, 0);
    target.SetIndent(5);
    EXPECT_EQ(changes, 1);
}

TEST_F(PagerModelTest, TheScrollerRefusesBoundsThatCross) {
    TATBTabScroller s;
    s.SetMax(3);
    s.SetMin(4);
    EXPECT_EQ(s.Min(), 0);
    s.SetMin(2);
    s.SetMax(1);
    EXPECT_EQ(s.Max(), 3);
    s.SetPosition(2);
    EXPECT_FALSE(s.CanGoBack());
    EXPECT_TRUE(s.CanGoForward());
    s.SetPosition(3);
    EXPECT_TRUE(s.CanGoBack());
    EXPECT_FALSE(s.CanGoForward());
}

TEST_F(PagerModelTest, OnlyTheActivePageIsVisibleAndChangingFiresBothEvents) {
    AddPages({"Home", "Insert", "View"});
    form->Show();
    Record();
    pager->SetActivePageIndex(1);
    EXPECT_THAT(events, ElementsAre("-1>1", "=1"));
    EXPECT_FALSE(pager->GetAdvPages(0)->Visible());
    EXPECT_TRUE(pager->GetAdvPages(1)->Visible());
    EXPECT_FALSE(pager->GetAdvPages(2)->Visible());

    // Out of range and the active index itself change nothing.
    events.clear();
    pager->SetActivePageIndex(3);
    pager->SetActivePageIndex(-1);
    pager->SetActivePageIndex(1);
    EXPECT_TRUE(events.empty());

    pager->SetActivePage(pager->GetAdvPages(2));
    EXPECT_EQ(pager->ActivePageIndex(), 2);
    auto* stranger = new TAdvPage(form.get());
    pager->SetActivePage(stranger);
    EXPECT_EQ(pager->ActivePageIndex(), 2);
}

TEST_F(PagerModelTest, ARefusedChangeLeavesThePagesAsTheyWere) {
    AddPages({"Home", "Insert"});
    pager->SetActivePageIndex(0);
    Record(false);
    pager->SetActivePageIndex(1);
    EXPECT_THAT(events, ElementsAre("0>1"));
    EXPECT_EQ(pager->ActivePageIndex(), 0);
    EXPECT_TRUE(pager->GetAdvPages(0)->Visible());
    EXPECT_FALSE(pager->GetAdvPages(1)->Visible());
}

TEST_F(PagerModelTest, RemovingPagesKeepsASensibleActivePage) {
    AddPages({"A", "B", "C", "D"});
    TAdvPage* b = pager->GetAdvPages(1);
    TAdvPage* c = pager->GetAdvPages(2);
    pager->SetActivePageIndex(1);
    Record();
    // The active page goes: the next one steps in, and then the page now at its index is made active.
    pager->RemoveAdvPage(b);
    EXPECT_THAT(events, ElementsAre("1>2", "=2", "2>1", "=1"));
    EXPECT_EQ(pager->ActivePage(), c);
    EXPECT_TRUE(c->Visible());
    EXPECT_EQ(b->AdvToolBarPager(), nullptr);
    delete b;

    // A page before the active one goes: the same page stays active.
    pager->RemoveAdvPage(pager->GetAdvPages(0));
    EXPECT_EQ(pager->ActivePage(), c);
    EXPECT_EQ(pager->ActivePageIndex(), 0);

    // The last page, when active, goes: the search wraps to the start.
    pager->SetActivePageIndex(1);
    pager->RemoveAdvPage(pager->GetAdvPages(1));
    EXPECT_EQ(pager->ActivePage(), c);

    // The only page goes: nothing is active, and a page added later is not active either.
    pager->RemoveAdvPage(c);
    EXPECT_EQ(pager->ActivePage(), nullptr);
    EXPECT_EQ(pager->ActivePageIndex(), -1);
    TAdvPage* e = AddPage("E");
    EXPECT_EQ(pager->ActivePage(), nullptr);
    EXPECT_FALSE(e->Visible());
    EXPECT_EQ(pager->RemoveAdvPage(c), -1);
    delete c;
}

TEST_F(PagerModelTest, SelectionSkipsHiddenAndDisabledTabsAndOnlySelectNextWraps) {
    AddPages({"A", "B", "C", "D"});
    pager->SetActivePageIndex(0);
    pager->GetAdvPages(1)->SetTabEnabled(false);
    pager->GetAdvPages(2)->SetTabVisible(false);
    pager->SelectNextPage(true);
    EXPECT_EQ(pager->ActivePageIndex(), 3);
    pager->SelectNextPage(true);
    EXPECT_EQ(pager->ActivePageIndex(), 0);
    pager->SelectNextPage(false);
    EXPECT_EQ(pager->ActivePageIndex(), 3);

    pager->PrevActivePage();
    EXPECT_EQ(pager->ActivePageIndex(), 0);
    pager->PrevActivePage();
    EXPECT_EQ(pager->ActivePageIndex(), 0);
    pager->NextActivePage();
    EXPECT_EQ(pager->ActivePageIndex(), 3);
    pager->NextActivePage();
    EXPECT_EQ(pager->ActivePageIndex(), 3);

    // With no other selectable page nothing changes.
    pager->GetAdvPages(0)->SetTabVisible(false);
    pager->SelectNextPage(true);
    EXPECT_EQ(pager->ActivePageIndex(), 3);
}

TEST_F(PagerModelTest, MovingAPageKeepsTheActivePageObject) {
    AddPages({"A", "B", "C"});
    TAdvPage* b = pager->GetAdvPages(1);
    pager->SetActivePageIndex(1);
    pager->MoveAdvPage(1, 2);
    EXPECT_EQ(pager->ActivePage(), b);
    EXPECT_EQ(pager->ActivePageIndex(), 2);
    EXPECT_EQ(b->PageIndex(), 2);
    pager->MoveAdvPage(0, 7);
    EXPECT_EQ(pager->GetAdvPages(0)->Caption(), "A");
    b->SetPageIndex(0);
    EXPECT_EQ(pager->GetAdvPages(0), b);
    EXPECT_EQ(pager->ActivePageIndex(), 0);
}

TEST_F(PagerModelTest, ThePagerDrawsWithOfficeLunaUntilAStylerIsLinkedAndWithItsOwnAfterUnlinking) {
    auto* office = dynamic_cast<AdvToolBarStylers::TAdvToolBarOfficeStyler*>(pager->CurrentStyler());
    ASSERT_NE(office, nullptr);
    EXPECT_EQ(office->Style(), AdvToolBarStylers::bsOffice2007Luna);
    auto* styler = new TCustomAdvToolBarStyler(form.get());
    pager->SetToolBarStyler(styler);
    EXPECT_EQ(pager->CurrentStyler(), styler);
    pager->SetToolBarStyler(nullptr);
    EXPECT_EQ(pager->CurrentStyler(), pager->InternalStyler());

    // A linked styler that goes away is let go of.
    pager->SetToolBarStyler(styler);
    delete styler;
    EXPECT_EQ(pager->ToolBarStyler(), nullptr);
    EXPECT_EQ(pager->CurrentStyler(), pager->InternalStyler());
}

TEST_F(PagerModelTest, APagerRefusesToolbarContainersAndPagersAsParent) {
    AddPage("A");
    auto* panel = new TAdvDockPanel(form.get());
    panel->SetParent(form.get());
    auto* other = new TAdvToolBarPager(form.get());
    for (TWinControl* bad : std::initializer_list<TWinControl*>{panel, other, pager->GetAdvPages(0)}) {
        EXPECT_THROW(
            {
                try {
                    other->SetParent(bad == other ? pager : bad);
                } catch (const Exception& e) {
                    EXPECT_EQ(e.Message, "Invalid Parent");
                    throw;
                }
            },
            Exception);
    }
    other->SetParent(nullptr);
    EXPECT_EQ(other->Parent(), nullptr);
}

TEST_F(PagerModelTest, APagerDroppedInTheDesignerComesWithThreePagesOnce) {
    form->SetDesigning(true);
    auto* dropped = new TAdvToolBarPager(form.get());
    dropped->SetName("Ribbon");
    dropped->SetParent(form.get());
    dropped->HandleNeeded();
    ASSERT_EQ(dropped->GetAdvToolBarPageCount(), 3);
    EXPECT_EQ(dropped->GetAdvPages(0)->Name(), "Ribbon1");
    EXPECT_EQ(dropped->GetAdvPages(2)->Caption(), "Ribbon3");
    EXPECT_EQ(dropped->GetAdvPages(1)->Owner(), form.get());
    EXPECT_EQ(dropped->ActivePageIndex(), 0);
    dropped->RecreateWnd();
    dropped->HandleNeeded();
    EXPECT_EQ(dropped->GetAdvToolBarPageCount(), 3);
    // One made in code outside the designer starts empty.
    EXPECT_EQ(pager->GetAdvToolBarPageCount(), 0);
}

TEST_F(PagerModelTest, CollapsingLeavesCaptionAndTabsAndExpandingRestoresTheHeight) {
    pager->SetHeight(150);
    pager->Collaps();
    EXPECT_FALSE(pager->Expanded());
    EXPECT_EQ(pager->Height(), 27 + 26);
    pager->Collaps();
    EXPECT_EQ(pager->Height(), 53);
    pager->Expand();
    EXPECT_TRUE(pager->Expanded());
    EXPECT_EQ(pager->Height(), 150);
}

TEST_F(PagerModelTest, TheVersionIsThreeZeroNineOnePackedOneNumberPerByte) {
    pager->SetVersion("1.0");
    EXPECT_EQ(pager->Version(), "3.0.9.1");
    EXPECT_EQ(pager->GetVersionNr(), 0x03000901);
}

} // namespace
} // namespace pagertest
