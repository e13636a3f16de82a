// The two small glow-style buttons: the colours of each state (disabled winning), the arrow in the
// blended border colour, the rounded outer corners, a Vista button at rest showing only its glyph, and a
// click through the input queue.

#include "tests/pager/PagerTestSupport.h"

namespace pagertest {
namespace {

constexpr TColor kFace = 0x0000FF, kHot = 0xFF0000, kDown = 0x00FF00, kOff = 0x808080, kBorder = 0x000000;

void Flat(AdvGlowButton::TGlowButtonAppearance* A) {
    A->SetColor(kFace);
    A->SetColorTo(kFace);
    A->SetColorMirror(kFace);
    A->SetColorMirrorTo(kFace);
    A->SetColorHot(kHot);
    A->SetColorHotTo(kHot);
    A->SetColorMirrorHot(kHot);
    A->SetColorMirrorHotTo(kHot);
    A->SetColorDown(kDown);
    A->SetColorDownTo(kDown);
    A->SetColorMirrorDown(kDown);
    A->SetColorMirrorDownTo(kDown);
    A->SetColorDisabled(kOff);
    A->SetColorDisabledTo(kOff);
    A->SetColorMirrorDisabled(kOff);
    A->SetColorMirrorDisabledTo(kOff);
    for (auto set : {&AdvGlowButton::TGlowButtonAppearance::SetBorderColor,
                     &AdvGlowButton::TGlowButtonAppearance::SetBorderColorHot,
                     &AdvGlowButton::TGlowButtonAppearance::SetBorderColorDown,
                     &AdvGlowButton::TGlowButtonAppearance::SetBorderColorDisabled})
        (A->*set)(kBorder);
}

class VistaButtonsTest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        pager->SetVisible(false);
        form->Show();
        ui.Screen().MoveMouse(0, 0);
    }
};

TEST_F(VistaButtonsTest, AScrollButtonPaintsEachStateAndDisabledWins) {
    auto* b = new TAdvPageScrollButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(20, 20, 23, 22);
    Flat(b->Appearance());
    EXPECT_THAT(At(b, 4, 5), IsColor(Ref(kFace)));
    // The arrow's tip in black over the border colour at 50; beside it the face.
    EXPECT_THAT(At(b, 11 - 1, 11), IsColor(Ref(kBorder)));
    EXPECT_THAT(At(b, 11 - 2, 11), IsColor(Ref(kFace)));
    // Standing alone, its outer corners show the parent.
    const win::COLORREF back = At(form.get(), 5, 5);
    EXPECT_THAT(At(b, 0, 0), IsColor(back));

    ui.MoveTo(b, 4, 5);
    EXPECT_TRUE(b->Hot());
    EXPECT_THAT(At(b, 4, 5), IsColor(Ref(kHot)));
    ui.Screen().Press();
    ui.Process();
    EXPECT_THAT(At(b, 4, 5), IsColor(Ref(kDown)));
    ui.Screen().Release();
    ui.Process();

    b->SetEnabled(false);
    EXPECT_THAT(At(b, 4, 5), IsColor(Ref(kOff)));
}

TEST_F(VistaButtonsTest, AClickReleasedOverTheButtonClicksItOnce) {
    auto* b = new TAdvPageScrollButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(20, 20, 12, 22);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    ui.Click(b);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->Pressed());
}

TEST_F(VistaButtonsTest, AVistaButtonAtRestShowsOnlyItsGlyph) {
    auto* b = new TAdvVistaButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(20, 20, 23, 22);
    Flat(b->Appearance());
    b->SetScrollArrow(saBottom);
    const win::COLORREF back = At(form.get(), 5, 5);
    EXPECT_THAT(At(b, 4, 5), IsColor(back));
    // The bar over the small arrow: (R-9, B-9) with B the bottom less 4.
    EXPECT_THAT(At(b, 23 - 9, 22 - 4 - 9), IsColor(Ref(clBlack)));
    ui.MoveTo(b, 4, 5);
    EXPECT_THAT(At(b, 4, 5), IsColor(Ref(kHot)));
    b->SetDown(true);
    ui.Screen().MoveMouse(0, 0);
    ui.Process();
    EXPECT_THAT(At(b, 4, 5), IsColor(Ref(kDown)));
}

} // namespace
} // namespace pagertest
