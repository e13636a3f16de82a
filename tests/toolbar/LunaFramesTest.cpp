// The frames the 2007 looks keep from the look before them (every styler is made in Office 2003 Blue):
// no dark frame round a toolbar's caption strip, and toolbar buttons framed hot, pressed and checked
// in the glow look's own borders; probed and pictured in Luna.

#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

using namespace AdvToolBarStylers;

class LunaFramesTest : public ToolBarTest {};

TEST_F(LunaFramesTest, The2007LooksFrameButtonsInTheGlowLooksBordersAndTheCaptionNotAtAll) {
    for (TToolBarStyle look : {bsOffice2007Luna, bsOffice2007Obsidian, bsOffice2007Silver}) {
        SCOPED_TRACE(static_cast<int>(look));
        auto* fresh = Make<TAdvToolBarOfficeStyler>("Fresh" + std::to_string(look));
        fresh->SetToolBarStyle(look);
        TButtonAppearance* b = fresh->ButtonAppearance();
        AdvGlowButton::TGlowButtonAppearance* g = fresh->GlowButtonAppearance();
        EXPECT_COLOR(b->BorderHotColor(), g->BorderColorHot());
        EXPECT_COLOR(b->BorderDownColor(), g->BorderColorDown());
        EXPECT_COLOR(b->BorderCheckedColor(), g->BorderColorChecked());
        if (look != bsOffice2007Silver) {
            EXPECT_COLOR(fresh->CaptionAppearance()->CaptionBorderColor(), clNone) << "no caption frame";
        }
        // The same after going back to Blue from another look.
        auto* again = Make<TAdvToolBarOfficeStyler>("Again" + std::to_string(look));
        again->SetToolBarStyle(bsOffice2003Silver);
        again->SetToolBarStyle(bsOffice2003Blue);
        again->SetToolBarStyle(look);
        EXPECT_COLOR(again->ButtonAppearance()->BorderHotColor(), b->BorderHotColor());
        EXPECT_COLOR(again->ButtonAppearance()->BorderDownColor(), b->BorderDownColor());
        EXPECT_COLOR(again->ButtonAppearance()->BorderCheckedColor(), b->BorderCheckedColor());
        EXPECT_COLOR(again->CaptionAppearance()->CaptionBorderColor(),
                     fresh->CaptionAppearance()->CaptionBorderColor());
    }
}

TEST_F(LunaFramesTest, ALunaToolBarShowsTheseFramesOnItsButtonsAndCaptionStrip) {
    auto* styler = Make<TAdvToolBarOfficeStyler>("Luna");
    styler->SetToolBarStyle(bsOffice2007Luna);
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    panel->SetToolBarStyler(styler);
    auto* bar = Make<TAdvToolBar>("Bar", panel);
    bar->SetShowCaption(true);
    bar->SetCaption("Clipboard");
    auto button = [&](const String& Name) {
        auto* b = Make<TAdvToolBarButton>(Name, bar);
        b->SetCaption(Name);
        b->SetShowCaption(true);
        return b;
    };
    TAdvToolBarButton* hot = button("Hot");
    TAdvToolBarButton* pressed = button("Pressed");
    TAdvToolBarButton* checked = button("Checked");
    checked->SetStyle(tasCheck);
    checked->SetDown(true);
    form->Show();
    ui.Process();
    AdvGlowButton::TGlowButtonAppearance* glow = styler->GlowButtonAppearance();
    auto leftSide = [&](TAdvToolBarButton* B) { return At(B, 0, B->Height() / 2); };
    EXPECT_COLOR(leftSide(checked), Ref(glow->BorderColorChecked()));
    TPoint p = pressed->ClientToScreen(TPoint{pressed->Width() / 2, pressed->Height() / 2});
    ui.Screen().MoveMouse(p.X, p.Y);
    ui.Screen().Press();
    ui.Process();
    EXPECT_COLOR(leftSide(pressed), Ref(glow->BorderColorDown()));
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("LunaFrames_Pressed.png")));
    ui.Screen().Release();
    ui.MoveTo(hot);
    EXPECT_COLOR(leftSide(hot), Ref(glow->BorderColorHot()));
    // The caption strip's last row is the strip's own colour, with no frame under it.
    const TColor stripTo = styler->CaptionAppearance()->CaptionColorTo();
    EXPECT_THAT(At(bar, bar->Width() / 2, bar->CaptionHeight() - 1), colortest::IsColorNear(Ref(stripTo), 2));
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("LunaFrames_Hot.png")));
}

} // namespace
} // namespace toolbartest
