// The hover fade of a toolbar on a page: the pointer entering blends the body from its colour to the
// hot colour in steps of a fifth, one step per glow tick, and leaving blends it back.

#include "platform/vcl/Edit.h"
#include "tests/toolbar/PageFixture.h"

namespace toolbartest {
namespace {

constexpr TColor kNormal = 0x204060;
constexpr TColor kHot = 0xE0C0A0;

class HoverFadeTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        speed = AdvGDIP::GlowSpeed;
        form->Show();
    }
    void TearDown() override {
        AdvGDIP::GlowSpeed = speed;
        PageTest::TearDown();
    }
    TAdvToolBar* Bar(TWinControl* Parent, const String& Name = "Bar") {
        auto* tb = Make<TAdvToolBar>(Name, Parent);
        tb->SetBounds(10, 10, 160, 40);
        // On a page the toolbar paints from its pager's styler.
        TCustomAdvToolBarStyler* s = tb->CurrentStyler();
        s->Color()->SetColor(kNormal);
        s->Color()->SetColorTo(clNone);
        s->ColorHot()->SetColor(kHot);
        s->ColorHot()->SetColorTo(clNone);
        s->SetBorderColor(clNone);
        s->SetRoundEdges(false);
        return tb;
    }
    win::COLORREF Body(TAdvToolBar* Tb) { return At(Tb, Tb->Width() / 2, Tb->Height() / 2); }

    std::int32_t speed = 0;
};

TEST_F(HoverFadeTest, EnteringStepsTowardTheHotColourEachTickAndLeavingStepsBack) {
    AdvGDIP::GlowSpeed = 30;
    TAdvToolBar* tb = Bar(page);
    ui.MoveTo(tb, tb->Width() / 2, tb->Height() / 2);
    ASSERT_TRUE(tb->HoverFading());
    EXPECT_COLOR(Body(tb), Ref(kNormal)) << "the fade starts from the normal colour";
    for (int percent : {20, 40, 60, 80, 100}) {
        ui.Advance(30);
        EXPECT_COLOR(Body(tb), Ref(Mix(kHot, kNormal, percent))) << percent << " %";
    }
    ui.Advance(30);
    EXPECT_FALSE(tb->HoverFading()) << "past the hot colour the fade ends";
    EXPECT_COLOR(Body(tb), Ref(kHot)) << "and the toolbar stays hot while the pointer is on it";

    ui.MoveTo(page, 400, 100);
    ASSERT_TRUE(tb->HoverFading());
    // The fade went one step past the hot colour: the way back starts there.
    for (int percent : {100, 80, 60, 40, 20, 0}) {
        ui.Advance(30);
        EXPECT_COLOR(Body(tb), Ref(Mix(kHot, kNormal, percent))) << percent << " %";
    }
    ui.Advance(30);
    EXPECT_FALSE(tb->HoverFading());
    EXPECT_COLOR(Body(tb), Ref(kNormal));
}

TEST_F(HoverFadeTest, TheTimerTicksAtTheGlowSpeedItFindsWhenTheFadeStarts) {
    AdvGDIP::GlowSpeed = 90;
    TAdvToolBar* tb = Bar(page);
    ui.MoveTo(tb, 20, 20);
    ui.Advance(60);
    EXPECT_EQ(tb->FadePosition(), 0) << "no tick before the glow speed";
    ui.Advance(30);
    EXPECT_EQ(tb->FadePosition(), 20);
    EXPECT_COLOR(Body(tb), Ref(Mix(kHot, kNormal, 20)));
}

TEST_F(HoverFadeTest, NoFadeOffAPageOrWithoutAHotColour) {
    TAdvToolBar* onForm = Bar(form.get(), "OnForm");
    onForm->SetTop(300);
    ui.MoveTo(onForm, 20, 20);
    EXPECT_FALSE(onForm->HoverFading());
    ui.Advance(200);
    EXPECT_COLOR(Body(onForm), Ref(kNormal)) << "a toolbar off a page has no hot look";
    ui.MoveTo(page, 400, 100);

    TAdvToolBar* tb = Bar(page);
    tb->CurrentStyler()->ColorHot()->SetColor(clNone);
    ui.MoveTo(tb, 20, 20);
    ui.Advance(AdvGDIP::GlowSpeed);
    EXPECT_FALSE(tb->HoverFading()) << "the first tick finds no hot colour and stops";
    EXPECT_COLOR(Body(tb), Ref(kNormal));
}

TEST_F(HoverFadeTest, AToolBarOnAPageHoldingTheFocusLooksHotUntilItLosesIt) {
    TAdvToolBar* tb = Bar(page);
    auto* edit = Make<TEdit>("Entry", tb);
    edit->SetWidth(40);
    auto* outside = Make<TEdit>("Outside", form.get());
    outside->SetTop(300);
    ui.Process();
    // The toolbar has shrunk around the narrowed edit: probe the body strip above it.
    auto body = [&] { return At(tb, tb->Width() / 2, 1); };
    EXPECT_COLOR(body(), Ref(kNormal));
    edit->SetFocus();
    EXPECT_COLOR(body(), Ref(kHot));
    outside->SetFocus();
    EXPECT_COLOR(body(), Ref(kNormal));
}

} // namespace
} // namespace toolbartest
