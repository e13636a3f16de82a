// The option indicator in the caption strip of a toolbar without right handle: hot under the pointer,
// pressed by a press that fires OnOptionClick below the toolbar, each look faded in steps of a fifth on
// the glow timer, and sunk back into the strip when the pointer leaves; pictures of both looks in Luna.

#include "components/toolbar/styler/AdvToolBarStylers.h"
#include "tests/toolbar/PageFixture.h"

namespace toolbartest {
namespace {

using AdvToolBarStylers::bsOffice2007Luna;

// Plain colours, one per look, each face half solid so that one pixel names the look.
constexpr TColor kStrip = 0x806040;
constexpr TColor kHot = 0x20E0F0, kHotMirror = 0x10C0E0;
constexpr TColor kDown = 0x1060F0, kDownMirror = 0x0840C0;

class CaptionIndicatorTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        speed = AdvGDIP::GlowSpeed;
        AdvGDIP::GlowSpeed = 30;
        bar = Make<TAdvToolBar>("Bar", form.get());
        // Fixed on the form and sized by hand: no controls to size it.
        bar->SetAutoSizeEx(false);
        bar->SetBounds(20, 200, 200, 50);
        bar->SetShowCaption(true);
        bar->SetCaption("Tools");
        bar->SetShowRightHandle(false);
        TCustomAdvToolBarStyler* s = bar->CurrentStyler();
        s->CaptionAppearance()->SetCaptionColor(kStrip);
        s->CaptionAppearance()->SetCaptionColorTo(kStrip);
        s->CaptionAppearance()->SetCaptionBorderColor(clNone);
        AdvGlowButton::TGlowButtonAppearance* g = s->GlowButtonAppearance();
        g->SetColorHot(kHot);
        g->SetColorHotTo(kHot);
        g->SetColorMirrorHot(kHotMirror);
        g->SetColorMirrorHotTo(kHotMirror);
        g->SetColorDown(kDown);
        g->SetColorDownTo(kDown);
        g->SetColorMirrorDown(kDownMirror);
        g->SetColorMirrorDownTo(kDownMirror);
        form->Show();
        ui.Process();
    }
    void TearDown() override {
        AdvGDIP::GlowSpeed = speed;
        PageTest::TearDown();
    }
    TRect Indicator() const { return bar->GetOptionIndicatorRect(); }
    // The upper and the lower half of the indicator's face.
    win::COLORREF Upper() { return At(bar, Indicator().Left + 6, Indicator().Top + 3); }
    win::COLORREF Lower() { return At(bar, Indicator().Left + 6, Indicator().Bottom - 3); }
    void PointAt(int X, int Y) {
        TPoint p = bar->ClientToScreen(TPoint{X, Y});
        ui.Screen().MoveMouse(p.X, p.Y);
        ui.Process();
    }

    TAdvToolBar* bar = nullptr;
    std::int32_t speed = 0;
};

TEST_F(CaptionIndicatorTest, ItStandsAtTheRightEndOfTheCaptionStripOnlyWithoutRightHandle) {
    // (caption Right - CaptionHeight + 1, caption Top + 2, caption Right - 1, caption Bottom - 1)
    EXPECT_EQ(Indicator(), (TRect{200 - 16 + 1, 2, 199, 15}));
    EXPECT_COLOR(Upper(), Ref(kStrip)) << "at rest nothing is drawn over the strip";
    for (auto set : {+[](TAdvToolBar* B) { B->SetShowRightHandle(true); },
                     +[](TAdvToolBar* B) { B->SetShowCaption(false); },
                     +[](TAdvToolBar* B) { B->SetShowOptionIndicator(false); }}) {
        set(bar);
        EXPECT_EQ(Indicator().Left, -1);
        PointAt(192, 8);
        EXPECT_FALSE(bar->CapIndicatorHot());
        ui.MoveTo(form.get(), 400, 20);
        bar->SetShowRightHandle(false);
        bar->SetShowCaption(true);
        bar->SetShowOptionIndicator(true);
    }
    // A vertical toolbar never shows it.
    bar->SetPosition(daLeft);
    EXPECT_EQ(Indicator().Left, -1);
}

TEST_F(CaptionIndicatorTest, HoverShowsTheHotLookAndLeavingSinksItIntoTheStripStepByStep) {
    PointAt(190, 8);
    ASSERT_TRUE(bar->CapIndicatorHot());
    ASSERT_TRUE(bar->OptionFading());
    EXPECT_COLOR(Upper(), Ref(kHot)) << "hot at once";
    EXPECT_COLOR(Lower(), Ref(kHotMirror)) << "the lower half in the mirror colour";
    ui.Advance(6 * 30);
    EXPECT_FALSE(bar->OptionFading()) << "six ticks carry the hover fade past its end";
    EXPECT_COLOR(Upper(), Ref(kHot));

    // Off the indicator but still on the toolbar: the hot look blends into the strip.
    PointAt(100, 30);
    EXPECT_FALSE(bar->CapIndicatorHot()) << "the flag goes at once, the look fades";
    for (int percent : {100, 80, 60, 40, 20, 0}) {
        ui.Advance(30);
        EXPECT_THAT(Upper(), colortest::IsColorNear(Ref(Mix(kHot, kStrip, percent)), 1)) << percent << " %";
        EXPECT_THAT(Lower(), colortest::IsColorNear(Ref(Mix(kHotMirror, kStrip, percent)), 1))
            << percent << " %";
    }
    ui.Advance(30);
    EXPECT_FALSE(bar->OptionFading());
    EXPECT_COLOR(Upper(), Ref(kStrip)) << "gone into the strip";
}

TEST_F(CaptionIndicatorTest, APressFiresOnOptionClickBelowTheToolBarAndFadesToThePressedLook) {
    TPoint client{-1, -1}, screen{-1, -1};
    int clicks = 0;
    bar->OnOptionClick = [&](TObject* Sender, TPoint Client, TPoint Screen) {
        EXPECT_EQ(Sender, bar);
        EXPECT_TRUE(bar->CapIndicatorDown()) << "fired at the press";
        client = Client;
        screen = Screen;
        ++clicks;
    };
    PointAt(190, 8);
    ui.Advance(6 * 30);
    ui.Screen().Press();
    ui.Process();
    EXPECT_EQ(clicks, 1);
    // (Left + Width - 12, Top + Height + 1) in the parent, and that point on the screen.
    EXPECT_EQ(client, (TPoint{20 + 200 - 12, 200 + 50 + 1}));
    EXPECT_EQ(screen, form->ClientToScreen(client));
    EXPECT_TRUE(bar->CapIndicatorDown());
    EXPECT_COLOR(Upper(), Ref(kHot)) << "the pressed fade starts from the hot look";
    for (int percent : {20, 40, 60, 80, 100}) {
        ui.Advance(30);
        EXPECT_THAT(Upper(), colortest::IsColorNear(Ref(Mix(kDown, kHot, percent)), 1)) << percent << " %";
    }
    ui.Advance(30);
    EXPECT_FALSE(bar->OptionFading());
    EXPECT_COLOR(Upper(), Ref(kDown));
    EXPECT_COLOR(Lower(), Ref(kDownMirror));

    // Released elsewhere on the toolbar: no longer pressed, hot again until the pointer moves.
    ui.Screen().MoveMouse(bar->ClientToScreen(TPoint{100, 30}).X, bar->ClientToScreen(TPoint{100, 30}).Y);
    ui.Screen().Release();
    ui.Process();
    EXPECT_FALSE(bar->CapIndicatorDown());
    EXPECT_EQ(clicks, 1) << "a release fires nothing";
    ui.Advance(10 * 30);
    EXPECT_COLOR(Upper(), Ref(kStrip)) << "the pointer had left: the hot look sank into the strip";
}

TEST_F(CaptionIndicatorTest, LeavingTheToolBarClearsBothLooksAtOnce) {
    PointAt(190, 8);
    ui.Screen().Press();
    ui.Process();
    ui.Advance(7 * 30);
    ASSERT_TRUE(bar->CapIndicatorDown());
    ui.Screen().Release();
    ui.Process();
    ui.Advance(7 * 30);
    ASSERT_FALSE(bar->OptionFading());
    ui.MoveTo(form.get(), 400, 20);
    EXPECT_FALSE(bar->CapIndicatorHot());
    EXPECT_FALSE(bar->CapIndicatorDown());
    EXPECT_COLOR(Upper(), Ref(kStrip));
}

TEST_F(CaptionIndicatorTest, APageToolBarShowsThePagersOptionPictureUnlessToldOtherwise) {
    // A 4 x 4 red picture; its bottom-left pixel is the key colour a bitmap is drawn transparent by.
    TBitmap red(4, 4);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(TRect{0, 0, 4, 4});
    red.Canvas()->Pixels[0][3] = clBlue;
    auto* pager = static_cast<TAdvToolBarPager*>(page->Parent());
    pager->OptionPicture()->Assign(&red);
    ASSERT_FALSE(pager->OptionPicture()->Empty());
    TAdvToolBar* tb = PageToolBar("OnPage", 10);
    tb->SetShowCaption(true);
    tb->SetShowRightHandle(false);
    tb->SetWidth(120);
    ui.Process();
    const TRect r = tb->GetOptionIndicatorRect();
    ui.MoveTo(tb, r.Left + 3, r.Top + 3);
    const TPoint centre{r.Left + (r.Right - r.Left) / 2, r.Top + (r.Bottom - r.Top) / 2};
    EXPECT_COLOR(At(tb, centre.X, centre.Y), Ref(clRed)) << "the pager's picture, centred";
    tb->SetParentOptionPicture(false);
    EXPECT_THAT(At(tb, centre.X, centre.Y), ::testing::Not(colortest::IsColor(Ref(clRed))))
        << "its own picture, which is empty";
}

TEST_F(CaptionIndicatorTest, PicturesOfTheHotAndPressedIndicatorInLuna) {
    auto* styler = Make<AdvToolBarStylers::TAdvToolBarOfficeStyler>("Luna");
    styler->SetToolBarStyle(bsOffice2007Luna);
    bar->SetToolBarStyler(styler);
    bar->SetBounds(20, 200, 200, 70);
    for (const char* name : {"Hot", "Pressed"}) {
        PointAt(190, 8);
        if (String(name) == "Pressed") {
            ui.Screen().Press();
            ui.Process();
        }
        ui.Advance(7 * 30);
        EXPECT_TRUE(ui.WritePng(form.get(),
                                uitest::UiDriver::OutputPath(String("CaptionIndicator_") + name + ".png")));
        // The face is the glow look's: hot or pressed, not the strip.
        EXPECT_THAT(Upper(), ::testing::Not(colortest::IsColor(At(bar, 100, 8))));
        ui.Screen().Release();
        ui.MoveTo(form.get(), 400, 20);
        ui.Advance(10 * 30);
    }
}

} // namespace
} // namespace toolbartest
