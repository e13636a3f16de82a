// The toolbars on the active page of a tab group wear the group's colours: the styler's group look
// while the group keeps its default appearance, the group's own look once it has one.

#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

constexpr TColor kBody = 0x4080C0;
constexpr TColor kGroup = 0x30B030;
constexpr TColor kGroupHot = 0x10E0F0;
constexpr TColor kGroupCaption = 0x8020A0;
constexpr TColor kOwn = 0xA0A020;

void FlatBody(TGradientBackground* G, TColor Color) {
    G->SetColor(Color);
    G->SetColorTo(clNone);
}

class GroupColourTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        styler = Make<TCustomAdvToolBarStyler>("Styler");
        FlatBody(styler->Color(), kBody);
        styler->SetBorderColor(clNone);
        styler->SetRoundEdges(false);
        pager = Make<TAdvToolBarPager>("Pager", form.get());
        pager->SetBounds(0, 0, 580, 150);
        pager->SetToolBarStyler(styler);
        for (const char* caption : {"Home", "Chart", "Orders"}) {
            TAdvPage* p = pager->GetAdvPages(pager->AddAdvPage(caption));
            bars.push_back(p->CreateAdvToolBar());
        }
        group = pager->TabGroups()->Add();
        group->SetCaption("Trading");
        group->SetTabIndexStart(1);
        group->SetTabIndexEnd(2);
        TGroupAppearance* look = styler->GroupAppearance();
        FlatBody(look->ToolBarAppearance()->Color(), kGroup);
        FlatBody(look->ToolBarAppearance()->ColorHot(), kGroupHot);
        look->CaptionAppearance()->SetCaptionColor(kGroupCaption);
        look->CaptionAppearance()->SetCaptionColorTo(clNone);
        form->Show();
    }
    // A body point away from the caption strip and the grip, and a caption point before its text.
    TColor Body(TAdvToolBar* Tb) { return static_cast<TColor>(At(Tb, Tb->Width() / 2, 6)); }
    TColor Caption(TAdvToolBar* Tb) { return static_cast<TColor>(At(Tb, 3, Tb->Height() - 4)); }

    TCustomAdvToolBarStyler* styler = nullptr;
    TAdvToolBarPager* pager = nullptr;
    TTabGroupItem* group = nullptr;
    std::vector<TAdvToolBar*> bars;
};

TEST_F(GroupColourTest, OnlyTheActiveGroupedPagesToolBarsTakeTheGroupLookOrTheGroupsOwn) {
    pager->SetActivePageIndex(0);
    EXPECT_COLOR(Body(bars[0]), Ref(kBody)) << "a page outside the group";
    pager->SetActivePageIndex(2);
    EXPECT_COLOR(Body(bars[2]), Ref(kGroup)) << "a grouped page: the group's toolbar colour";
    EXPECT_COLOR(Caption(bars[2]), Ref(kGroupCaption)) << "and its caption colour";
    pager->SetActivePageIndex(1);
    EXPECT_COLOR(Body(bars[1]), Ref(kGroup));
    // A group with an appearance of its own uses it.
    group->SetDefaultAppearance(false);
    FlatBody(group->GroupAppearance()->ToolBarAppearance()->Color(), kOwn);
    group->GroupAppearance()->CaptionAppearance()->SetCaptionColor(kBody);
    group->GroupAppearance()->CaptionAppearance()->SetCaptionColorTo(clNone);
    pager->SetActivePageIndex(1);
    bars[1]->Invalidate();
    EXPECT_COLOR(Body(bars[1]), Ref(kOwn));
    EXPECT_COLOR(Caption(bars[1]), Ref(kBody));
    group->SetDefaultAppearance(true);
    bars[1]->Invalidate();
    EXPECT_COLOR(Body(bars[1]), Ref(kGroup)) << "back to the styler's group look";
}

TEST_F(GroupColourTest, TheHoverOnAGroupedPageEndsOnTheGroupsHotColour) {
    pager->SetActivePageIndex(1);
    TAdvToolBar* tb = bars[1];
    ui.MoveTo(tb, tb->Width() / 2, 6);
    ui.Advance(1000);
    EXPECT_FALSE(tb->HoverFading());
    EXPECT_COLOR(Body(tb), Ref(kGroupHot));
    ui.MoveTo(pager, 4, 4);
    ui.Advance(1000);
    EXPECT_COLOR(Body(tb), Ref(kGroup));
}

} // namespace
} // namespace toolbartest
