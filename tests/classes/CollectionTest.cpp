// Collections: ownership, IDs, moves, update counting, notifications and Assign.

#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "tests/classes/TestComponents.h"

using namespace vcl;
using namespace TestComponents;

TEST(Collection, AddInsertDeleteIndexErrorsAndIdsNeverReused) {
    TTestPanels panels;
    auto* a = static_cast<TTestPanel*>(panels.Add());
    auto* b = static_cast<TTestPanel*>(panels.Add());
    auto* c = static_cast<TTestPanel*>(panels.Insert(1));
    EXPECT_EQ(panels.Count(), 3);
    EXPECT_EQ(panels.GetItem(0), a);
    EXPECT_EQ(panels.GetItem(1), c);
    EXPECT_EQ(panels[2], b);
    EXPECT_EQ(c->Index(), 1);
    EXPECT_EQ(a->Collection(), &panels);
    EXPECT_EQ(a->FSeenCollection, &panels); // the item constructor already sees its collection
    try {
        panels.Items(3);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (3)");
    }
    EXPECT_THROW(panels.Delete(-1), EListError);
    EXPECT_THROW(panels.Insert(4), EListError);
    EXPECT_EQ(panels.Count(), 3); // a refused Insert adds nothing
    panels.Delete(1);
    EXPECT_EQ(panels.Count(), 2);
    EXPECT_EQ(panels.GetItem(1), b);
    panels.Clear();
    EXPECT_EQ(panels.Count(), 0);
    int id0 = panels.Add()->ID();
    int id1 = panels.Add()->ID();
    EXPECT_LT(id0, id1);
    panels.Delete(1);
    int id2 = panels.Add()->ID();
    EXPECT_GT(id2, id1);
    EXPECT_EQ(panels.FindItemID(id2), panels.GetItem(1));
    EXPECT_EQ(panels.FindItemID(id1), nullptr);
    panels.Clear();
    EXPECT_GT(panels.Add()->ID(), id2);
}

TEST(Collection, IndexAndCollectionMovesAndAssignCopiesEveryItem) {
    TTestPanels one, two;
    for (int i = 0; i < 4; ++i)
        one.Add()->SetDisplayName("");
    TTestPanel* p0 = one.GetItem(0);
    TTestPanel* p3 = one.GetItem(3);
    p0->SetIndex(2);
    EXPECT_EQ(one.GetItem(2), p0);
    EXPECT_EQ(p0->Index(), 2);
    p3->SetIndex(0);
    EXPECT_EQ(one.GetItem(0), p3);
    p3->SetIndex(10); // out of range: ignored
    EXPECT_EQ(p3->Index(), 0);
    int oldId = p0->ID();
    p0->SetCollection(&two);
    EXPECT_EQ(one.Count(), 3);
    EXPECT_EQ(two.Count(), 1);
    EXPECT_EQ(p0->Collection(), &two);
    EXPECT_EQ(p0->Index(), 0);
    (void)oldId;
    // An item taken out of every collection belongs to the caller.
    p3->SetCollection(nullptr);
    EXPECT_EQ(one.Count(), 2);
    EXPECT_EQ(p3->Index(), -1);
    delete p3;
    // Deleting an item directly takes it out of its collection.
    delete one.GetItem(0);
    EXPECT_EQ(one.Count(), 1);
    TTestPanels source;
    TTestPanels target(&source); // any persistent will do as owner
    for (int w : {10, 20, 30})
        static_cast<TTestPanel*>(source.Add())->FWidth = w;
    source.GetItem(1)->FText = "middle";
    target.Add();
    target.Updates = 0;
    target.Assign(&source);
    ASSERT_EQ(target.Count(), 3);
    EXPECT_EQ(target.GetItem(0)->FWidth, 10);
    EXPECT_EQ(target.GetItem(2)->FWidth, 30);
    EXPECT_EQ(target.GetItem(1)->DisplayName(), "middle");
    EXPECT_EQ(target.GetItem(0)->DisplayName(), "TTestPanel");
    EXPECT_NE(target.GetItem(0), source.GetItem(0));
    EXPECT_EQ(target.Updates, 1); // one update for the whole copy
    EXPECT_EQ(target.Owner(), &source);
    target.SetItem(0, source.GetItem(2));
    EXPECT_EQ(target.GetItem(0)->FWidth, 30);
    target.Assign(&target); // self-assignment keeps the items
    EXPECT_EQ(target.Count(), 3);
    TTestFont font;
    EXPECT_THROW(target.Assign(&font), EConvertError);
    EXPECT_EQ(target.Count(), 3);
}

TEST(Collection, UpdateCalledOnceAtTheOuterEndUpdateAndNotificationsSeeCompleteItems) {
    TTestPanels panels;
    panels.Add();
    EXPECT_EQ(panels.Updates, 1);
    panels.Updates = 0;
    panels.BeginUpdate();
    panels.BeginUpdate();
    panels.Add();
    panels.Add();
    panels.GetItem(0)->SetWidth(70);
    panels.EndUpdate();
    EXPECT_EQ(panels.Updates, 0);
    panels.EndUpdate();
    EXPECT_EQ(panels.Updates, 1);
    EXPECT_EQ(panels.LastUpdateItem, nullptr);
    panels.EndUpdate(); // unbalanced: harmless
    EXPECT_EQ(panels.UpdateCount(), 0);
    // An item change outside an update names the item.
    panels.Updates = 0;
    panels.GetItem(1)->SetWidth(5);
    EXPECT_EQ(panels.Updates, 1);
    EXPECT_EQ(panels.LastUpdateItem, panels.GetItem(1));
    // Moving an item reports the whole collection.
    panels.GetItem(1)->SetIndex(0);
    EXPECT_EQ(panels.LastUpdateItem, nullptr);
    // Insert is one update.
    panels.Updates = 0;
    panels.Insert(0);
    EXPECT_EQ(panels.Updates, 1);
    // Notifications see complete items.
    panels.Clear();
    panels.Notes.clear();
    panels.Add();
    static_cast<TTestPanel*>(panels.Add())->SetWidth(7);
    panels.Delete(1);
    panels.Clear();
    EXPECT_EQ(panels.Notes,
              (std::vector<String>{"added 50", "added 50", "deleting 7", "extracting 7", "extracting 50"}));
}
