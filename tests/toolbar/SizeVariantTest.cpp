// Size variants of a toolbar on a page: its glow buttons step between large, label and glyph states,
// and each step wins or costs the width the toolbar then really loses or gains.

#include "tests/toolbar/PageFixture.h"

namespace toolbartest {
namespace {

using AdvGlowButton::bsGlyph;
using AdvGlowButton::bsLabel;
using AdvGlowButton::bsLarge;
using AdvGlowButton::TButtonSizeState;

class SizeVariantTest : public PageTest {};

TEST_F(SizeVariantTest, ThreeLargeButtonsShrinkToAColumnThenToGlyphsAndGrowBack) {
    TAdvToolBar* tb = PageToolBar("Tools");
    auto* a = Glow(tb, "Alpha");
    auto* b = Glow(tb, "Bravo button");
    auto* c = Glow(tb, "Charlie");
    std::vector<AdvGlowButton::TAdvGlowButton*> all{a, b, c};
    auto widthsIn = [&](TButtonSizeState s) {
        std::vector<int> w;
        for (auto* x : all)
            w.push_back(x->GetButtonSize(s).cx);
        return w;
    };
    const std::vector<int> large = widthsIn(bsLarge), label = widthsIn(bsLabel), glyph = widthsIn(bsGlyph);
    auto sum = [](const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); };
    auto widest = [](const std::vector<int>& v) { return *std::max_element(v.begin(), v.end()); };
    ASSERT_GT(sum(large), widest(label));
    ASSERT_GT(widest(label), widest(glyph));

    // Asking changes nothing.
    TButtonSizeState state = bsGlyph;
    const int before = tb->Width();
    EXPECT_EQ(tb->SmallerVariantDifference(state), sum(large) - widest(label));
    EXPECT_EQ(state, bsLabel);
    EXPECT_EQ(tb->Width(), before);
    EXPECT_EQ(b->ButtonSizeState(), bsLarge);

    // Large to label: the three buttons form one column as wide as its widest member.
    EXPECT_EQ(tb->SetSmallerVariant(state, true), sum(large) - widest(label));
    for (auto* x : all)
        EXPECT_EQ(x->ButtonSizeState(), bsLabel) << x->Name();
    EXPECT_EQ(b->Left(), a->Left());
    EXPECT_EQ(c->Left(), a->Left());
    EXPECT_EQ(b->Top(), a->Top() + a->Height());
    EXPECT_EQ(c->Top(), b->Top() + b->Height());
    EXPECT_EQ(before - tb->Width(), sum(large) - widest(label)) << "the width won is the width lost";

    // Label to glyph.
    const int columnWide = tb->Width();
    EXPECT_EQ(tb->SetSmallerVariant(state, true), widest(label) - widest(glyph));
    EXPECT_EQ(state, bsGlyph);
    for (auto* x : all)
        EXPECT_EQ(x->ButtonSizeState(), bsGlyph) << x->Name();
    EXPECT_EQ(columnWide - tb->Width(), widest(label) - widest(glyph));

    // The smallest variant: no step is left, and the state asked for is not touched.
    state = bsLarge;
    EXPECT_EQ(tb->SetSmallerVariant(state, true), 0);
    EXPECT_EQ(state, bsLarge);

    // Growing reverses the steps, with the same widths.
    EXPECT_EQ(tb->LargerVariantDifference(state), widest(label) - widest(glyph));
    EXPECT_EQ(state, bsLabel);
    EXPECT_EQ(tb->SetLargerVariant(state, true), widest(label) - widest(glyph));
    EXPECT_EQ(tb->Width(), columnWide);
    EXPECT_EQ(tb->SetLargerVariant(state, true), sum(large) - widest(label));
    EXPECT_EQ(state, bsLarge);
    EXPECT_EQ(tb->Width(), before);
    EXPECT_LT(a->Left(), b->Left());
    EXPECT_LT(b->Left(), c->Left());
    EXPECT_EQ(tb->SetLargerVariant(state, true), 0);
}

TEST_F(SizeVariantTest, ARowOfToolBarsShrinksStepByStepFromItsLastButtons) {
    // Five large buttons: the last three step down first, then the first two; the smallest variant
    // is two columns of glyphs.
    TAdvToolBar* tb = PageToolBar("Row");
    std::vector<AdvGlowButton::TAdvGlowButton*> b;
    for (const char* n : {"One", "Two", "Three", "Four", "Five"})
        b.push_back(Glow(tb, n));
    TButtonSizeState state{};
    EXPECT_GT(tb->SetSmallerVariant(state, true), 0);
    EXPECT_EQ(b[0]->ButtonSizeState(), bsLarge);
    EXPECT_EQ(b[1]->ButtonSizeState(), bsLarge);
    for (int i = 2; i < 5; ++i)
        EXPECT_EQ(b[i]->ButtonSizeState(), bsLabel) << i;
    EXPECT_EQ(b[3]->Left(), b[2]->Left());
    EXPECT_EQ(b[4]->Left(), b[2]->Left());
    // Two large buttons side by side form a group of two: the width their two large states take
    // against the wider of their label states.
    const int won = b[0]->Width() + b[1]->Width() -
                    std::max(b[0]->GetButtonSize(bsLabel).cx, b[1]->GetButtonSize(bsLabel).cx);
    EXPECT_EQ(tb->SetSmallerVariant(state, true), won);
    // Laid out again, the first three small buttons share a column and the last two the next one.
    EXPECT_EQ(b[1]->Left(), b[0]->Left());
    EXPECT_EQ(b[2]->Left(), b[0]->Left());
    EXPECT_EQ(b[3]->Top(), b[0]->Top());
    EXPECT_EQ(b[4]->Left(), b[3]->Left());
    EXPECT_GT(b[3]->Left(), b[0]->Left());

    tb->SetSmallestVaraint();
    for (auto* x : b)
        EXPECT_EQ(x->ButtonSizeState(), bsGlyph) << x->Name();
    EXPECT_FALSE(tb->IsSmallestVariant()) << "only compacting makes the smallest variant";
    tb->SetLargestVaraint();
    for (auto* x : b)
        EXPECT_EQ(x->ButtonSizeState(), bsLarge) << x->Name();
}

TEST_F(SizeVariantTest, GroupsNeedTwoNeighboursAndLabelGroupsOneColumn) {
    // A single large button after small ones never steps down.
    TAdvToolBar* lone = PageToolBar("Lone");
    Glow(lone, "Small", bsLabel);
    auto* big = Glow(lone, "Large");
    TButtonSizeState state = bsLarge;
    EXPECT_EQ(lone->SmallerVariantDifference(state), 0);
    EXPECT_EQ(state, bsLarge);
    EXPECT_EQ(big->ButtonSizeState(), bsLarge);

    // Four label buttons make a column of three and one of one: the last column steps alone.
    TAdvToolBar* tb = PageToolBar("Columns", 100);
    std::vector<AdvGlowButton::TAdvGlowButton*> b;
    for (const char* n : {"North", "East", "South", "West"})
        b.push_back(Glow(tb, n, bsLabel));
    ASSERT_EQ(b[1]->Left(), b[0]->Left());
    ASSERT_EQ(b[2]->Left(), b[0]->Left());
    ASSERT_GT(b[3]->Left(), b[2]->Left());
    const int lastWon = b[3]->Width() - b[3]->GetButtonSize(bsGlyph).cx;
    EXPECT_EQ(tb->SetSmallerVariant(state, true), lastWon);
    EXPECT_EQ(state, bsGlyph);
    EXPECT_EQ(b[3]->ButtonSizeState(), bsGlyph);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(b[i]->ButtonSizeState(), bsLabel) << i;
    // A button kept at its label state by its minimum ends the group before it.
    b[0]->SetMinButtonSizeState(bsLabel);
    const int columnWon = std::max(b[1]->Width(), b[2]->Width()) -
                          std::max(b[1]->GetButtonSize(bsGlyph).cx, b[2]->GetButtonSize(bsGlyph).cx);
    EXPECT_EQ(tb->SetSmallerVariant(state, true), columnWon);
    EXPECT_EQ(b[2]->ButtonSizeState(), bsGlyph);
    EXPECT_EQ(b[1]->ButtonSizeState(), bsGlyph);
    EXPECT_EQ(b[0]->ButtonSizeState(), bsLabel);
    // Nothing is left: the first button cannot step and has no neighbour that can.
    EXPECT_EQ(tb->SetSmallerVariant(state, true), 0);
}

TEST_F(SizeVariantTest, NoVariantsOffAPageOrWithoutAutomaticLayoutOrGlowButtonsThatSizeThemselves) {
    auto twoLarge = [&](TAdvToolBar* Tb) {
        Glow(Tb, "One");
        Glow(Tb, "Two");
        return Tb;
    };
    TAdvToolBar* manual = twoLarge(PageToolBar("Manual"));
    manual->SetAutoPositionControls(false);
    TAdvToolBar* unsized = twoLarge(PageToolBar("Unsized"));
    unsized->SetAutoSizeEx(false);
    TAdvToolBar* fixedSize = PageToolBar("FixedSize");
    Glow(fixedSize, "One")->SetAutoSizeEx(false);
    Glow(fixedSize, "Two")->SetAutoSizeEx(false);
    TAdvToolBar* plain = PageToolBar("NoGlow");
    Make<TAdvToolBarButton>("Btn", plain)->SetCaption("Plain");
    for (TAdvToolBar* tb :
         {twoLarge(Make<TAdvToolBar>("OnForm", form.get())), manual, unsized, fixedSize, plain}) {
        TButtonSizeState state = bsGlyph;
        EXPECT_EQ(tb->SetSmallerVariant(state, true), 0) << tb->Name();
        EXPECT_EQ(tb->SetLargerVariant(state, true), 0) << tb->Name();
        EXPECT_EQ(state, bsGlyph) << tb->Name();
    }
}

TEST_F(SizeVariantTest, OnAPageSmallButtonsStackInColumnsOfThree) {
    TAdvToolBar* tb = PageToolBar("Stack", 100);
    std::vector<AdvGlowButton::TAdvGlowButton*> b;
    for (const char* n : {"A1", "A2", "A3", "A4"})
        b.push_back(Glow(tb, n, bsGlyph));
    auto* large = Glow(tb, "Big");
    auto* after = Glow(tb, "B1", bsGlyph);
    EXPECT_FALSE(tb->DragGripShown()) << "a page toolbar has no grip";
    EXPECT_EQ(b[0]->Left(), 2);
    EXPECT_EQ(b[0]->Top(), 2);
    EXPECT_EQ(b[2]->Top(), 2 + b[0]->Height() + b[1]->Height());
    EXPECT_EQ(b[3]->Top(), 2) << "the fourth starts a new column";
    const int col1 = std::max({b[0]->Width(), b[1]->Width(), b[2]->Width()});
    EXPECT_EQ(b[3]->Left(), 2 + col1);
    EXPECT_EQ(large->Left(), b[3]->Left() + b[3]->Width());
    EXPECT_EQ(after->Left(), large->Left() + large->Width()) << "a large button starts a new column";
    // The toolbar ends with its last column (plus the right handle).
    EXPECT_EQ(tb->Width(), after->Left() + after->Width() + tb->IndicatorLength());
}

} // namespace
} // namespace toolbartest
