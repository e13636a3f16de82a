// End to end: the page on the screen as a user sees it, under Xvfb with the engine as the program runs it.
// Where a window of ours that covered the page goes away, the page is there again at once.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/vcl/HintWindow.h"
#include "platform/win/WinUser.h"
#include "tests/web/e2e/WebE2EFixture.h"

namespace {

using namespace vcl;
using kvweb::WebEndToEnd;

// The page's one colour and the form's (colours no window of the test has by default).
constexpr std::uint32_t kPageRgb = 0x2060C0;
constexpr std::uint32_t kFormRgb = 0x996633;
constexpr TColor kFormColor = static_cast<TColor>(0x336699);
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

} // namespace
