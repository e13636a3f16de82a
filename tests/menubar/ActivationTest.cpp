// The menu bar and the application's activation: another program taking the activation ends the menu
// mode, whether only a button is hot or a menu is dropped.

#include "tests/menubar/MenuBarSupport.h"

namespace menubartest {
namespace {

TEST_F(MenuBarTest, AnotherProgramTakingTheActivationEndsMenuMode) {
    bool inLoop = false;
    TControl* hot = nullptr;
    // Nothing else is queued: were menu mode to outlive the deactivation, the idle loop would fail.
    ui.WhenIdle([&] {
        inLoop = bar->InMenuLoop();
        hot = bar->HotButton();
        ui.Screen().DeactivateApp();
    });
    ui.Key(win::VK_F10);
    EXPECT_TRUE(inLoop);
    EXPECT_EQ(hot, ButtonOf(file));
    EXPECT_FALSE(bar->InMenuLoop());
    EXPECT_EQ(bar->HotButton(), nullptr);
    EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(MenuBarTest, AnotherProgramTakingTheActivationClosesADroppedMenuAndMenuMode) {
    std::vector<TMenuItem*> shown;
    ui.WhenIdle([&] {
        shown = Dropped();
        ui.Screen().DeactivateApp();
    });
    ui.Key('F', {ssAlt});
    EXPECT_EQ(shown, (std::vector<TMenuItem*>{open, exitItem}));
    EXPECT_FALSE(win::IsMenuTracking());
    EXPECT_FALSE(bar->InMenuLoop());
    EXPECT_EQ(bar->HotButton(), nullptr);
    EXPECT_EQ(clicks, (std::vector<String>{"&File"})) << "no item was chosen";
}

} // namespace
} // namespace menubartest
