// End to end: an Office-style form carrying a pager, in a real undecorated window of the GTK backend
// under Xvfb, driven by real X input (xdotool). A tab is clicked and another is chosen by its key tip
// (Alt tapped, then the tip's letter); each time the screen shows the chosen tab in the face that the
// selected tab had, and the tab left behind in the band's colour again.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "GtkAppFixture.h"
#include "components/toolbar/AdvToolBar.h"
#include "components/toolbar/pager/AdvToolBarForm.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/vcl/Application.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"

namespace {

using namespace vcl;
using namespace AdvToolBar;
using gtktest::At;

class GtkPagerForm : public gtktest::GtkAppTest {
protected:
    void SetUp() override {
        GtkAppTest::SetUp();
        if (IsSkipped()) return;
        RegisterAdvToolBarClasses();
        form.reset(new TAdvToolBarForm(nullptr));
        form->SetBounds(60, 60, 600, 320);
        pager = new TAdvToolBarPager(form.get());
        pager->SetParent(form.get());
        pager->Caption()->SetCaption("Kalvenor");
        const char* tabs[][2] = {{"Home", "H"}, {"Insert", "N"}, {"View", "V"}};
        for (auto& t : tabs)
            pager->GetAdvPages(pager->AddAdvPage(t[0]))->SetShortCutHint(t[1]);
        pager->SetActivePageIndex(0);
    }
    void TearDown() override {
        form.reset();
        GtkAppTest::TearDown();
    }
    // A point inside tab Index, on the screen: a few pixels into its face below its rounded top.
    TPoint TabFace(int Index) {
        const TRect r = pager->GetTabRect(Index);
        return pager->ClientToScreen(TPoint{r.Left + 6, r.Top + 4});
    }
    std::uint32_t Screen(TPoint P) { return gtktest::ScreenPixel(P.X, P.Y); }
    // Waits until the screen shows Rgb at the face of tab Index.
    bool TabShows(int Index, std::uint32_t Rgb) {
        return RunUntil([&] { return Screen(TabFace(Index)) == Rgb; }, 3000);
    }
    std::string Xid() {
        win::detail::Wnd* w = win::detail::W(form->Handle());
        return std::to_string(w && w->Native ? gtktest::XidOf(w->Native.get()) : 0);
    }

    TComponentPtr<TAdvToolBarForm> form;
    TAdvToolBarPager* pager = nullptr;
};

TEST_F(GtkPagerForm, ATabIsChosenByAClickAndAnotherByItsKeyTip) {
    // What the root shows where no window is, then the form on the screen over it.
    const TPoint body = form->ClientToScreen(TPoint{300, 250});
    const std::uint32_t root = gtktest::ScreenPixel(body.X, body.Y);
    form->Show();
    ASSERT_TRUE(RunUntil([&] { return gtktest::ScreenPixel(body.X, body.Y) != root; }, 5000));
    // The form is a window of its own without the window system's frame: its pager's caption row is its
    // top edge on the screen.
    EXPECT_EQ(form->ClientToScreen(TPoint{0, 0}).Y, form->Top());
    ASSERT_TRUE(
        RunUntil([&] { return Screen(TabFace(0)) != root && !pager->GetAdvPages(0)->GlowRunning(); }, 3000));
    RunUntil([] { return false; }, 300);
    const std::uint32_t selected = Screen(TabFace(0));
    const std::uint32_t band = Screen(TabFace(2));
    ASSERT_NE(selected, band) << "the selected tab shows a face of its own";

    // A real click on the third tab.
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(TabFace(2)) + " click 1"));
    ASSERT_TRUE(RunUntil([&] { return pager->ActivePageIndex() == 2; }, 3000));
    // Away from the tabs, so that no hover glow is left on them, then the screen settles on the faces.
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(body)));
    EXPECT_TRUE(TabShows(2, selected)) << std::hex << Screen(TabFace(2));
    EXPECT_TRUE(TabShows(0, band)) << std::hex << Screen(TabFace(0));

    // With the keyboard on the pager, Alt tapped shows the tips and N chooses the second tab.
    pager->SetTabStop(true);
    pager->SetFocus();
    ASSERT_TRUE(gtktest::Xdo("windowfocus --sync " + Xid()));
    ASSERT_TRUE(RunUntil([&] { return win::GetActiveWindow() == form->Handle() && pager->Focused(); }, 3000));
    ASSERT_TRUE(gtktest::Xdo("key alt"));
    ASSERT_TRUE(RunUntil([&] { return pager->KeyTipMode(); }, 3000));
    auto* tip = pager->GetAdvPages(1)->ShortCutHintWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->Visible());
    ASSERT_TRUE(gtktest::Xdo("key n"));
    ASSERT_TRUE(RunUntil([&] { return pager->ActivePageIndex() == 1; }, 3000));
    EXPECT_FALSE(pager->KeyTipMode());
    EXPECT_TRUE(TabShows(2, band)) << std::hex << Screen(TabFace(2));
    EXPECT_NE(Screen(TabFace(1)), band) << "the chosen tab shows a face";
    EXPECT_TRUE(gtktest::WriteScreenPng(form->Left(), form->Top(), form->Width(), form->Height(),
                                        "GtkPagerForm.png"));
}

} // namespace
