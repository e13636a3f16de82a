// End to end: the page on the screen as a user sees it, under Xvfb with the engine as the program runs it.
// Where a window of ours that covered the page goes away, the page is there again at once; the page goes
// with a hidden parent of its control and comes back with it, and follows its parents' moves and sizes.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/vcl/HintWindow.h"
#include "platform/vcl/Panel.h"
#include "platform/win/WinUser.h"
#include "tests/web/e2e/WebE2EFixture.h"

namespace {

using namespace vcl;
using kvweb::WebEndToEnd;

// The page's one colour, the form's and a panel's (colours no window of the test has by default).
constexpr std::uint32_t kPageRgb = 0x2060C0;
constexpr std::uint32_t kFormRgb = 0x996633;
constexpr TColor kFormColor = static_cast<TColor>(0x336699);
constexpr std::uint32_t kPanelRgb = 0x40A040;
constexpr TColor kPanelColor = static_cast<TColor>(0x40A040);
const char* const kPage = "data:text/html,<html><body style='background:%232060c0'></body></html>";

String Hex(std::uint32_t rgb) {
    std::ostringstream s;
    s << std::hex << rgb;
    return s.str();
}

class WebViewOnScreen : public WebEndToEnd {
protected:
    void SetUp() override {
        WebEndToEnd::SetUp();
        if (IsSkipped()) return;
        Form->SetColor(kFormColor);
    }
    // Loads the page and waits until the screen shows it at the control's centre.
    void ShowPage() {
        Browser->Navigate(kPage);
        ASSERT_TRUE(WaitForEnd());
        TPoint c = Browser->ClientToScreen({Browser->Width() / 2, Browser->Height() / 2});
        ASSERT_TRUE(Shows(c, kPageRgb)) << "the page never showed";
    }
    // Waits (a moment at most: the screen follows within a few frames) until the screen's pixel at p is
    // rgb; on a failure says what it is instead.
    ::testing::AssertionResult Shows(TPoint p, std::uint32_t rgb) {
        std::uint32_t seen = 0;
        if (kvweb::PumpUntil([&] { return (seen = kvweb::ScreenPixel(p.X, p.Y)) == rgb; }, 1500))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "at " << p.X << ", " << p.Y << " the screen shows " << Hex(seen) << ", not " << Hex(rgb);
    }
    // The form's client point (x, y) on the screen.
    TPoint OnForm(int x, int y) const { return Form->ClientToScreen({x, y}); }
    TPanel* Panel(TWinControl* parent, TRect bounds, TAlign align) {
        auto* p = new TPanel(Form);
        p->SetParent(parent);
        p->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        p->SetAlign(align);
        return p;
    }
};

TEST_F(WebViewOnScreen, ThePageShowsAgainAtOnceWhereAPopupUncoveredItEveryTime) {
    ShowPage();
    TPoint o = Browser->ClientOrigin();
    TRect over{o.X + 60, o.Y + 40, o.X + 360, o.Y + 200};
    const TPoint probes[] = {
        {over.Left + 2, over.Top + 2}, {over.Left + 150, over.Top + 80}, {over.Right - 3, over.Bottom - 3}};
    auto* hint = new THintWindow(nullptr);
    for (int round = 0; round < 3; ++round) {
        hint->ActivateHint(over, "Over the page");
        ASSERT_TRUE(
            kvweb::PumpUntil([&] { return kvweb::ScreenPixel(probes[1].X, probes[1].Y) != kPageRgb; }, 1500))
            << "the popup never covered the page (round " << round << ")";
        // Hidden twice, then gone for good.
        if (round < 2)
            win::ShowWindow(hint->Handle(), win::SW_HIDE);
        else
            hint->ReleaseHandle();
        for (TPoint p : probes)
            EXPECT_TRUE(Shows(p, kPageRgb)) << "round " << round;
    }
    vcl::FreeComponent(hint);
    kvweb::ScreenshotToPng(TRect{o.X, o.Y, o.X + 400, o.Y + 260},
                           kvweb::ArtifactDir() + "/page-uncovered.png");
}

TEST_F(WebViewOnScreen, HidingAParentOfTheControlTakesThePageAwayAndShowingItBringsItBack) {
    TPanel* outer = Panel(Form, TRect{20, 20, 520, 420}, alNone);
    outer->SetColor(kPanelColor);
    TPanel* inner = Panel(outer, TRect{}, alClient);
    Browser->SetParent(inner);
    ShowPage();
    const TPoint centre = OnForm(270, 220);

    outer->SetVisible(false);
    EXPECT_TRUE(Shows(centre, kFormRgb)) << "the page stays drawn over its hidden parent's parent";
    outer->SetVisible(true);
    EXPECT_TRUE(Shows(centre, kPageRgb)) << "the page does not come back with its parents";

    inner->SetVisible(false);
    EXPECT_TRUE(Shows(centre, kPanelRgb)) << "the page stays drawn over its hidden parent";
    inner->SetVisible(true);
    EXPECT_TRUE(Shows(centre, kPageRgb));

    // Hidden by the window system alone, without the control library knowing.
    win::ShowWindow(outer->Handle(), win::SW_HIDE);
    EXPECT_TRUE(Shows(centre, kFormRgb));
    win::ShowWindow(outer->Handle(), win::SW_SHOWNA);
    EXPECT_TRUE(Shows(centre, kPageRgb));

    // The form hidden and shown again: the page comes back with it.
    Form->Hide();
    kvweb::Pump(200);
    Form->Show();
    EXPECT_TRUE(Shows(centre, kPageRgb));
}

TEST_F(WebViewOnScreen, ThePageFollowsItsParentsMovesAndSizes) {
    TPanel* outer = Panel(Form, TRect{20, 20, 320, 220}, alNone);
    TPanel* inner = Panel(outer, TRect{}, alClient);
    Browser->SetParent(inner);
    ShowPage();

    // Moved: the page is at the new place and gone from the old one.
    outer->SetBounds(400, 300, 300, 200);
    EXPECT_TRUE(Shows(OnForm(550, 400), kPageRgb));
    EXPECT_TRUE(Shows(OnForm(170, 120), kFormRgb));
    // Sized: the page fills the parent's new size and nothing past it.
    outer->SetBounds(400, 300, 380, 250);
    EXPECT_TRUE(Shows(OnForm(400 + 370, 300 + 240), kPageRgb));
    outer->SetBounds(400, 300, 200, 120);
    EXPECT_TRUE(Shows(OnForm(400 + 190, 300 + 110), kPageRgb));
    EXPECT_TRUE(Shows(OnForm(400 + 250, 300 + 180), kFormRgb));
}

} // namespace
