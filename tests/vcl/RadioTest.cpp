// Radio buttons and radio groups: siblings exclude each other, arrows check as they move, the group's
// ItemIndex and OnClick (by code too), its columns, and its items.

#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class RadioTest : public StdControlTest {};

TEST_F(RadioTest, RadioButtonsOfOneParentExcludeEachOther) {
    auto* a = Make<TRadioButton>("A", 10, 10, 100, 17);
    auto* b = Make<TRadioButton>("B", 10, 30, 100, 17);
    auto* box = Make<TPanel>("Box", 150, 10, 150, 60);
    auto* c = Make<TRadioButton>("C", 5, 5, 100, 17, box);
    std::vector<std::string> clicks;
    for (TRadioButton* r : {a, b, c})
        r->OnClick = [&clicks, r](TObject*) { clicks.push_back(r->Name()); };
    c->SetChecked(true);
    ShowHost();
    ClickAt(a, 5, 8);
    EXPECT_TRUE(a->Checked());
    ClickAt(b, 5, 8);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    // Another parent, another group.
    EXPECT_TRUE(c->Checked());
    // Clicking the checked one changes nothing.
    ClickAt(b, 5, 8);
    EXPECT_EQ(clicks, (std::vector<std::string>{"C", "A", "B"}));
    // The checked button is the group's tab stop.
    EXPECT_TRUE(b->TabStop());
    EXPECT_FALSE(a->TabStop());
    // The dot in the middle of the circle.
    ExpectPixels(b, {{5, 8, clWindowText}});
    EXPECT_THAT(At(a, 5, 8), ::testing::Not(colortest::IsColor(Ref(clWindowText))));
}

class RadioGroupTest : public StdControlTest {
protected:
    TRadioGroup* MakeGroup() {
        auto* g = Make<TRadioGroup>("Group", 10, 10, 200, 100);
        g->SetCaption("Server");
        g->Items()->Add("Live");
        g->Items()->Add("Demo");
        g->Items()->Add("Local");
        g->OnClick = [this](TObject*) {
            clicks.push_back(static_cast<TRadioGroup*>(host->FindComponent("Group"))->ItemIndex());
        };
        return g;
    }
    std::vector<int> clicks;
};

TEST_F(RadioGroupTest, ItemIndexByCodeRunsOnClickAndColumnsAndItemsRearrangeTheButtons) {
    TRadioGroup* g = MakeGroup();
    ASSERT_EQ(g->ButtonCount(), 3);
    EXPECT_EQ(g->ItemIndex(), -1);
    g->SetItemIndex(1);
    EXPECT_TRUE(g->Buttons(1)->Checked());
    g->SetItemIndex(1);
    g->SetItemIndex(2);
    EXPECT_FALSE(g->Buttons(1)->Checked());
    g->SetItemIndex(-1);
    EXPECT_FALSE(g->Buttons(2)->Checked());
    EXPECT_EQ(clicks, (std::vector<int>{1, 2, -1}));
    EXPECT_THROW(g->SetItemIndex(3), EListError);
    EXPECT_THROW(g->Buttons(3), EListError);

    g->Items()->Add("Test");
    g->SetColumns(2);
    // Filled top to bottom, then left to right; each column (Width - 10) / 2 wide from x = 8.
    EXPECT_EQ(g->Buttons(0)->Left(), 8);
    EXPECT_EQ(g->Buttons(1)->Left(), 8);
    EXPECT_EQ(g->Buttons(2)->Left(), 8 + 95);
    EXPECT_EQ(g->Buttons(3)->Left(), 8 + 95);
    EXPECT_EQ(g->Buttons(0)->Top(), g->Buttons(2)->Top());
    EXPECT_GT(g->Buttons(1)->Top(), g->Buttons(0)->Top());
    EXPECT_EQ(g->Buttons(0)->Width(), 95);
    // The checked line stays checked when lines come and go above it.
    g->SetItemIndex(2);
    clicks.clear();
    g->Items()->Insert(0, "First");
    EXPECT_EQ(g->ButtonCount(), 5);
    EXPECT_EQ(g->ItemIndex(), 3);
    EXPECT_TRUE(g->Buttons(3)->Checked());
    EXPECT_EQ(g->Buttons(3)->Caption(), "Local");
    g->Items()->Delete(0);
    EXPECT_EQ(g->ItemIndex(), 2);
    EXPECT_TRUE(clicks.empty());
    // Removing the checked line leaves none checked.
    g->Items()->Delete(2);
    EXPECT_EQ(g->ButtonCount(), 3);
    EXPECT_EQ(g->ItemIndex(), -1);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(g->Buttons(i)->Checked());
    EXPECT_EQ(g->Buttons(1)->Caption(), "Demo");
    g->Items()->Clear();
    EXPECT_EQ(g->ButtonCount(), 0);
    EXPECT_EQ(g->ItemIndex(), -1);
}

TEST_F(RadioGroupTest, ClicksAndArrowKeysChooseItems) {
    TRadioGroup* g = MakeGroup();
    auto* edit = Make<TEdit>("Edit", 250, 10, 100, 21);
    ShowHost();
    ClickAt(g->Buttons(2), 5, 5);
    EXPECT_EQ(g->ItemIndex(), 2);
    ClickAt(g->Buttons(0), 5, 5);
    EXPECT_EQ(g->ItemIndex(), 0);
    EXPECT_EQ(clicks, (std::vector<int>{2, 0}));
    // The arrow keys move the focus and the check along the buttons.
    Press(win::VK_DOWN);
    EXPECT_EQ(g->ItemIndex(), 1);
    EXPECT_TRUE(g->Buttons(1)->Focused());
    // Tabbing away and back lands on the checked button without changing it.
    edit->SetFocus();
    Chord({win::VK_SHIFT}, win::VK_TAB);
    EXPECT_TRUE(g->Buttons(1)->Focused());
    EXPECT_EQ(g->ItemIndex(), 1);
}

} // namespace
} // namespace stdtest
