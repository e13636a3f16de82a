// A control and its action: properties taken over and followed, clicks executing the action, the link
// dropped when the action goes; double clicks.

#include "tests/vcl/ControlTestSupport.h"

namespace controltest {
namespace {

class ControlActionTest : public ControlTest {};

TEST_F(ControlActionTest, ControlFollowsItsActionWhileLinked) {
    MakeHost(0, 0, 100, 100);
    auto* action = new TAction(host.get());
    action->SetCaption("&Save");
    action->SetHint("Saves the file");
    auto* c = new TProbe(host.get());
    c->SetParent(host.get());
    c->SetAction(action);
    EXPECT_EQ(c->Caption(), "&Save");
    EXPECT_EQ(c->Hint(), "Saves the file");
    EXPECT_TRUE(c->ControlStyle().Contains(csActionClient));

    action->SetEnabled(false);
    EXPECT_FALSE(c->Enabled());
    action->SetCaption("Save &As");
    EXPECT_EQ(c->Caption(), "Save &As");
    // A change of the action is taken over whatever the control showed meanwhile.
    c->SetCaption("Mine");
    action->SetCaption("Other");
    EXPECT_EQ(c->Caption(), "Other");
    action->SetVisible(false);
    EXPECT_FALSE(c->Visible());
}

TEST_F(ControlActionTest, ClickExecutesTheActionUnlessTheControlHasItsOwnAndFreeingTheActionDropsTheLink) {
    MakeHost(0, 0, 100, 100);
    auto* action = new TAction(host.get());
    int executed = 0, clicked = 0;
    action->OnExecute = [&](TObject*) { ++executed; };
    auto* c = new TProbe(host.get());
    c->SetParent(host.get());
    c->SetAction(action);
    c->Click();
    EXPECT_EQ(executed, 1);
    c->OnClick = [&](TObject*) { ++clicked; };
    c->Click();
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(clicked, 1);
    // A disabled action does not execute.
    c->OnClick = nullptr;
    action->SetEnabled(false);
    c->Click();
    EXPECT_EQ(executed, 1);

    // Freeing the action drops the link.
    ASSERT_EQ(c->Action(), action);
    FreeComponent(action);
    EXPECT_EQ(c->Action(), nullptr);
    EXPECT_EQ(c->ActionLink(), nullptr);
    c->Click(); // nothing to run, nothing breaks
    // The popup menu reference is cleared the same way.
    auto* menu = new TComponent(nullptr);
    c->SetPopupMenu(menu);
    FreeComponent(menu);
    EXPECT_EQ(c->PopupMenu(), nullptr);
}

TEST_F(ControlActionTest, DoubleClickGivesOneClickAndOneDoubleClick) {
    MakeHost(100, 100, 200, 100);
    auto* c = new TProbe(host.get());
    c->SetBounds(10, 10, 50, 50);
    c->SetParent(host.get());
    ShowHost();
    int clicks = 0, doubles = 0;
    c->OnClick = [&](TObject*) { ++clicks; };
    c->OnDblClick = [&](TObject*) { ++doubles; };
    screen->Click(120, 120);
    screen->Click(120, 120);
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    // Without csDoubleClicks the second press is a plain press again.
    c->SetControlStyle(c->ControlStyle() - csDoubleClicks);
    clicks = doubles = 0;
    screen->Advance(2000);
    screen->Click(120, 120);
    screen->Click(120, 120);
    Pump();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 0);
}

} // namespace
} // namespace controltest
