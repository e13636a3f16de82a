// The pager on an MDI frame: minimise, restore and close buttons for the maximised active child, right
// of the tabs, enabled by the child's border icons and acting on it.

#include "tests/pager/PagerTestSupport.h"

#include <memory>
#include <vector>

#include "components/foundation/AdvGlowButton.h"
#include "platform/win/Window.h"

namespace pagertest {
namespace {

class PagerMDITest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        form->SetFormStyle(fsMDIForm);
        AddPages({"Home", "Insert"});
        form->Show();
        ui.Process();
    }
    void TearDown() override {
        pager->SetAutoMDIButtons(false);
        children.clear();
        PagerTest::TearDown();
    }
    TForm* Child(const String& Caption, bool Maximised) {
        auto* f = new TForm(Application);
        f->SetCaption(Caption);
        f->SetFormStyle(fsMDIChild);
        f->Show();
        if (Maximised) f->SetWindowState(wsMaximized);
        children.emplace_back(f);
        Repaint();
        return f;
    }
    void Repaint() {
        pager->Invalidate();
        ui.Process();
        // The children cover the frame's client area; the pager stays in front of them.
        win::SetWindowPos(pager->Handle(), win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE);
        pager->Invalidate();
        ui.Process();
    }
    static bool Shown(TControl* C) { return C != nullptr && C->Visible(); }
    std::vector<std::unique_ptr<TForm>> children;
};

TEST_F(PagerMDITest, ButtonsShowOnlyForAMaximisedChildAndSitRightOfTheTabs) {
    const int tabsRight = pager->GetTabsRect().Right;
    pager->SetAutoMDIButtons(true);
    EXPECT_EQ(tabsRight - pager->GetTabsRect().Right, (16 + 2) * 3 + 5) << "the tabs make room";
    Child("Plain", false);
    EXPECT_FALSE(Shown(pager->MDICloseButton()));

    TForm* big = Child("Big", true);
    ASSERT_TRUE(Shown(pager->MDICloseButton()));
    auto *min = pager->MDIMinButton(), *max = pager->MDIMaxButton(), *close = pager->MDICloseButton();
    EXPECT_GT(min->Left(), pager->GetTabsRect().Right);
    EXPECT_EQ(max->Left(), min->Left() + 16 + 2);
    EXPECT_EQ(close->Left(), max->Left() + 16 + 2);
    EXPECT_LE(close->Left() + close->Width(), pager->Width());
    EXPECT_TRUE(close->Enabled() && min->Enabled() && max->Enabled());

    // Restored by other means, the child takes the buttons away at the next paint.
    big->SetWindowState(wsNormal);
    Repaint();
    EXPECT_FALSE(Shown(pager->MDICloseButton()));
}

TEST_F(PagerMDITest, TheButtonsActOnTheActiveChildAsItsBorderIconsAllow) {
    pager->SetAutoMDIButtons(true);
    TForm* child = Child("Doc", true);
    child->SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
    pager->UpdateMDIButtons(false);
    Repaint();
    EXPECT_FALSE(pager->MDIMinButton()->Enabled());
    pager->MDIMinButton()->Click();
    EXPECT_EQ(child->WindowState(), wsMaximized) << "no minimise icon, no minimising";

    ui.Click(pager->MDIMaxButton());
    EXPECT_EQ(child->WindowState(), wsNormal);
    Repaint();
    EXPECT_FALSE(Shown(pager->MDICloseButton()));

    child->SetWindowState(wsMaximized);
    Repaint();
    ASSERT_TRUE(Shown(pager->MDICloseButton()));
    int closes = 0;
    child->OnClose = [&](TObject*, TCloseAction& Action) {
        ++closes;
        Action = caHide;
    };
    ui.Click(pager->MDICloseButton());
    ui.Process();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(child->Visible());
}

TEST_F(PagerMDITest, OnePagerOwnsTheFrameHookAndGivesItBack) {
    win::WNDPROC before =
        reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(form->Handle(), win::GWL_WNDPROC));
    pager->SetAutoMDIButtons(false);
    EXPECT_EQ(reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(form->Handle(), win::GWL_WNDPROC)), before)
        << "switching off what was never on changes nothing";

    pager->SetAutoMDIButtons(true);
    auto* second = new TAdvToolBarPager(form.get());
    second->SetParent(form.get());
    second->SetAutoMDIButtons(true);
    win::WNDPROC hooked =
        reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(form->Handle(), win::GWL_WNDPROC));
    EXPECT_NE(hooked, before);
    delete second;
    EXPECT_EQ(reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(form->Handle(), win::GWL_WNDPROC)), hooked)
        << "the second pager never took the hook";

    // A move of the frame repaints the owner's buttons.
    TForm* child = Child("Doc", true);
    child->SetWindowState(wsNormal);
    form->SetLeft(form->Left() + 10);
    ui.Process();
    EXPECT_FALSE(Shown(pager->MDICloseButton()));

    pager->SetAutoMDIButtons(false);
    EXPECT_EQ(reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(form->Handle(), win::GWL_WNDPROC)),
              before);
}

} // namespace
} // namespace pagertest
