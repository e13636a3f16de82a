// The toolbar's keyboard use among its glow buttons: key tips typed to click a button (any case, partial
// matches keeping their tips), arrows between the focusable controls, and the flag that marks the
// keyboard focus inside the toolbar.

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/dock/ToolBarContainer.h"
#include "platform/vcl/Edit.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace menubartest {
namespace {

using namespace toolbartest;
using AdvGlowButton::TAdvGlowButton;

class KeyTipsTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        bar = Make<TAdvToolBar>("Bar", form.get());
        bar->SetBounds(0, 0, 500, 40);
        fa = Glow("FA", "Fa");
        fb = Glow("FB", "Fb");
        x = Glow("X", "X");
        form->Show();
        ui.Process();
    }
    TAdvGlowButton* Glow(const String& Name, const String& Tip, TWinControl* Parent = nullptr) {
        auto* b = Make<TAdvGlowButton>(Name, Parent ? Parent : static_cast<TWinControl*>(bar));
        b->SetShortCutHint(Tip);
        b->SetCaption(Name);
        b->OnClick = [this, Name](TObject*) { clicked.push_back(Name); };
        return b;
    }
    static bool TipShown(TAdvGlowButton* B) {
        auto* w = reinterpret_cast<TWinControl*>(B->ShortCutHintWindow());
        return w != nullptr && w->HandleAllocated() && win::IsWindowVisible(w->Handle());
    }
    // The key pressed through the queue while From has the focus: the toolbar gave its buttons its
    // key handler when they were inserted.
    void Key(TAdvGlowButton* From, win::WORD Vk) {
        ASSERT_TRUE(From->Focused());
        ui.Key(Vk);
    }

    TAdvToolBar* bar = nullptr;
    TAdvGlowButton *fa = nullptr, *fb = nullptr, *x = nullptr;
    std::vector<String> clicked;
};

TEST_F(KeyTipsTest, APartialTipKeepsTheMatchingTipsAndAFullOneClicksItsButton) {
    bar->ShowShortCutHintOfButtons();
    EXPECT_TRUE(TipShown(fa) && TipShown(fb) && TipShown(x));
    int partial = 0;
    EXPECT_FALSE(bar->HasShortCut("f", partial));
    EXPECT_EQ(partial, 2);
    EXPECT_TRUE(TipShown(fa));
    EXPECT_TRUE(TipShown(fb));
    EXPECT_FALSE(TipShown(x));
    EXPECT_TRUE(clicked.empty());

    partial = 0;
    EXPECT_TRUE(bar->HasShortCut("fB", partial));
    EXPECT_EQ(clicked, (std::vector<String>{"FB"}));
    EXPECT_TRUE(fb->Focused());
    bar->HideShortCutHintOfButtons();
    EXPECT_FALSE(TipShown(fa) || TipShown(fb));
}

TEST_F(KeyTipsTest, AFullTipOfADisabledOrHiddenButtonCountsAsPartialAndKeepsItsTip) {
    bar->ShowShortCutHintOfButtons();
    fb->SetEnabled(false);
    int partial = 0;
    EXPECT_FALSE(bar->HasShortCut("FB", partial));
    EXPECT_EQ(partial, 1) << "the disabled button's equal tip";
    EXPECT_TRUE(TipShown(fb));
    EXPECT_FALSE(TipShown(fa)) << "Fa does not start with FB";
    EXPECT_TRUE(clicked.empty());
    fb->SetEnabled(true);
    x->SetVisible(false);
    partial = 0;
    EXPECT_FALSE(bar->HasShortCut("x", partial));
    EXPECT_EQ(partial, 1) << "the hidden button's equal tip";
    EXPECT_TRUE(clicked.empty());
}

TEST_F(KeyTipsTest, TipsAndDroppedDownButtonsAreFoundInsideContainersAndADisabledButtonIsNotClicked) {
    auto* box = Make<TAdvToolBarContainer>("Box", bar);
    box->SetBounds(200, 2, 100, 30);
    TAdvGlowButton* inner = Glow("Inner", "I", box);
    ui.Process();
    int partial = 0;
    EXPECT_TRUE(bar->HasShortCut("i", partial));
    EXPECT_EQ(clicked, (std::vector<String>{"Inner"}));
    inner->SetEnabled(false);
    EXPECT_FALSE(bar->HasShortCut("I", partial));
    EXPECT_EQ(clicked.size(), 1u);
    // A glow button dropped down inside the container counts as the toolbar's.
    EXPECT_FALSE(bar->AnyDroppedDownButton());
    inner->SetDroppedDown(true);
    EXPECT_TRUE(bar->AnyDroppedDownButton());
    inner->SetDroppedDown(false);
}

TEST_F(KeyTipsTest, ArrowsMoveTheFocusAlongTheToolbarAndStopAtItsEnds) {
    EXPECT_EQ(bar->GetFirstTabControl(true), fa);
    EXPECT_EQ(bar->GetLastTabControl(true), x);
    fa->SetFocus();
    Key(fa, win::VK_RIGHT);
    EXPECT_TRUE(fb->Focused());
    Key(fb, win::VK_LEFT);
    EXPECT_TRUE(fa->Focused());
    // Off either end of a toolbar that is not on a page the focus stays.
    Key(fa, win::VK_LEFT);
    EXPECT_TRUE(fa->Focused());
    x->SetFocus();
    Key(x, win::VK_RIGHT);
    EXPECT_TRUE(x->Focused());
    // A button that cannot take the focus is passed over.
    fb->SetEnabled(false);
    fa->SetFocus();
    Key(fa, win::VK_RIGHT);
    EXPECT_TRUE(x->Focused());
}

TEST_F(KeyTipsTest, TheFocusFlagFollowsTheFocusIntoAndOutOfTheToolbar) {
    auto* edit = Make<TEdit>("Outside", form.get());
    edit->SetBounds(10, 100, 80, 24);
    ui.Process();
    EXPECT_FALSE(bar->KeyTipFocus());
    fb->SetFocus();
    ui.Process();
    EXPECT_TRUE(bar->KeyTipFocus());
    edit->SetFocus();
    ui.Process();
    EXPECT_FALSE(bar->KeyTipFocus());
    EXPECT_EQ(bar->GetControlFromHandle(fb->Handle()), fb);
    EXPECT_EQ(bar->GetControlFromHandle(edit->Handle()), nullptr);
}

} // namespace
} // namespace menubartest
