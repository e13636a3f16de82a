// The menu bar by keyboard: Alt and F10 make the first button hot, Alt+letter drops that menu, arrows move
// between buttons and menus, Escape closes one level at a time, Enter chooses.

#include "tests/menubar/MenuBarSupport.h"

namespace menubartest {
namespace {

TEST_F(MenuBarTest, AltAloneMakesTheFirstButtonHotAndLeftWrapsToTheLast) {
    TControl *hotFirst = nullptr, *hotAfterLeft = nullptr, *hotAfterRight = nullptr;
    bool droppedAny = false;
    ui.WhenIdle([&] {
        hotFirst = bar->HotButton();
        droppedAny = win::IsMenuTracking();
        Press(win::VK_LEFT);
    });
    ui.WhenIdle([&] {
        hotAfterLeft = bar->HotButton();
        Press(win::VK_RIGHT);
    });
    ui.WhenIdle([&] {
        hotAfterRight = bar->HotButton();
        Press(win::VK_ESCAPE);
    });
    ui.Key(win::VK_MENU);
    EXPECT_EQ(hotFirst, ButtonOf(file));
    EXPECT_FALSE(droppedAny);
    EXPECT_EQ(hotAfterLeft, ButtonOf(help));
    EXPECT_EQ(hotAfterRight, ButtonOf(file));
    // Escape with no menu dropped leaves menu mode with no button hot.
    EXPECT_FALSE(bar->InMenuLoop());
    EXPECT_EQ(bar->HotButton(), nullptr);
}

TEST_F(MenuBarTest, AltLetterDropsThatMenuAndEscapeClosesOneLevelAtATime) {
    std::vector<TMenuItem*> shown;
    bool openAfterEscape = true, loopAfterEscape = false;
    TControl* hotAfterEscape = nullptr;
    ui.WhenIdle([&] {
        shown = Dropped();
        Press(win::VK_ESCAPE);
    });
    ui.WhenIdle([&] {
        openAfterEscape = win::IsMenuTracking();
        loopAfterEscape = bar->InMenuLoop();
        hotAfterEscape = bar->HotButton();
        Press(win::VK_ESCAPE);
    });
    ui.Key('E', {ssAlt});
    EXPECT_EQ(shown, (std::vector<TMenuItem*>{undo}));
    EXPECT_FALSE(openAfterEscape);
    EXPECT_TRUE(loopAfterEscape);
    EXPECT_EQ(hotAfterEscape, ButtonOf(edit));
    EXPECT_FALSE(bar->InMenuLoop());
    EXPECT_EQ(clicks, (std::vector<String>{"&Edit"}));
}

TEST_F(MenuBarTest, F10ThenDownDropsAndRightOnAPlainItemMovesToTheNextMenu) {
    std::vector<TMenuItem*> first, second;
    TControl* hot = nullptr;
    ui.WhenIdle([&] {
        hot = bar->HotButton();
        Press(win::VK_DOWN);
    });
    ui.WhenIdle([&] {
        first = Dropped();
        Press(win::VK_RIGHT);
    });
    ui.WhenIdle([&] {
        second = Dropped();
        Press(win::VK_ESCAPE);
    });
    ui.WhenIdle([&] { Press(win::VK_ESCAPE); });
    ui.Key(win::VK_F10);
    EXPECT_EQ(hot, ButtonOf(file));
    EXPECT_EQ(first, (std::vector<TMenuItem*>{open, exitItem}));
    EXPECT_EQ(second, (std::vector<TMenuItem*>{undo}));
    EXPECT_FALSE(bar->InMenuLoop());
    EXPECT_FALSE(win::IsMenuTracking());
}

TEST_F(MenuBarTest, InARightToLeftMenuTheArrowsTradePlaces) {
    menu->SetBiDiMode(bdRightToLeft);
    std::vector<TMenuItem*> shown;
    // Left on a plain item of a right-to-left menu goes on to the next menu, as Right does otherwise.
    ui.WhenIdle([&] { Press(win::VK_LEFT); });
    ui.WhenIdle([&] {
        shown = Dropped();
        Press(win::VK_ESCAPE);
    });
    ui.WhenIdle([&] { Press(win::VK_ESCAPE); });
    ui.Key('F', {ssAlt});
    EXPECT_EQ(shown, (std::vector<TMenuItem*>{undo}));
}

TEST_F(MenuBarTest, LeftOnATopLevelEntryMovesToThePreviousMenu) {
    std::vector<TMenuItem*> shown;
    ui.WhenIdle([&] { Press(win::VK_LEFT); });
    ui.WhenIdle([&] {
        shown = Dropped();
        Press(win::VK_ESCAPE);
    });
    ui.WhenIdle([&] { Press(win::VK_ESCAPE); });
    ui.Key('E', {ssAlt});
    EXPECT_EQ(shown, (std::vector<TMenuItem*>{open, exitItem}));

    // Again: the items lent to the first drop-downs came back and measure and draw as before.
    shown.clear();
    ui.WhenIdle([&] { Press(win::VK_LEFT); });
    ui.WhenIdle([&] {
        shown = Dropped();
        Press(win::VK_ESCAPE);
    });
    ui.WhenIdle([&] { Press(win::VK_ESCAPE); });
    ui.Key('E', {ssAlt});
    EXPECT_EQ(shown, (std::vector<TMenuItem*>{open, exitItem}));
}

TEST_F(MenuBarTest, EnterChoosesTheHighlightedItemAndEndsMenuMode) {
    // The menu opens with its first item highlighted; Down moves on to the second.
    ui.WhenIdle([&] { Press(win::VK_DOWN); });
    ui.WhenIdle([&] { Press(win::VK_RETURN); });
    ui.Key('F', {ssAlt});
    ui.Process();
    EXPECT_EQ(clicks, (std::vector<String>{"&File", "E&xit"}));
    EXPECT_FALSE(bar->InMenuLoop());
    EXPECT_EQ(bar->HotButton(), nullptr);
}

TEST_F(MenuBarTest, ALetterWithoutAButtonLeavesTheKeyToOthers) {
    ui.Key('Q', {ssAlt});
    EXPECT_FALSE(bar->InMenuLoop());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(MenuBarTest, AltEndsMenuModeForGood) {
    bool inLoop = false;
    ui.WhenIdle([&] {
        inLoop = bar->InMenuLoop();
        Press(win::VK_MENU);
    });
    ui.Key(win::VK_F10);
    ui.Process();
    EXPECT_TRUE(inLoop);
    EXPECT_FALSE(bar->InMenuLoop());
    EXPECT_EQ(bar->HotButton(), nullptr);
}

} // namespace
} // namespace menubartest
