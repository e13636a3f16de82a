// Shortcut values and their English texts, and hotkey captions.

#include <gtest/gtest.h>

#include "platform/vcl/ShortCut.h"
#include "platform/win/WinUser.h"

namespace {

using namespace vcl;

TEST(ShortCutTest, TextsUseThePlatformsKeyNamesAndModifierOrder) {
    EXPECT_EQ(ShortCutToText(ShortCut('S', {ssCtrl})), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_F10, {})), "F10");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_DELETE, {ssShift})), "Shift+Del");
    EXPECT_EQ(ShortCutToText(ShortCut('Z', {ssAlt, ssCtrl, ssShift})), "Shift+Ctrl+Alt+Z");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_RETURN, {ssCtrl})), "Ctrl+Enter");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_PRIOR, {})), "PgUp");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_ESCAPE, {})), "Esc");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_BACK, {ssAlt})), "Alt+BkSp");
    EXPECT_EQ(ShortCutToText(ShortCut('7', {ssCtrl})), "Ctrl+7");
    // The framework's stored values.
    EXPECT_EQ(ShortCut('S', {ssCtrl}), 16467);
    EXPECT_EQ(ShortCut(win::VK_DELETE, {ssShift}), 0x2000 + 0x2E);
    // No shortcut, and keys without a name, give no text.
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(scCtrl), "");             // a modifier alone
    EXPECT_EQ(ShortCutToText(ShortCut(0xE5, {})), ""); // no English name
    EXPECT_EQ(ShortCut(0x1FF, {ssCtrl}), 0);           // not a key code
}

TEST(ShortCutTest, TextToShortCutAndShortCutToKeyReverseTheValue) {
    for (TShortCut sc :
         {ShortCut('S', {ssCtrl}), ShortCut(win::VK_F10, {}), ShortCut(win::VK_DELETE, {ssShift}),
          ShortCut('Q', {ssShift, ssCtrl, ssAlt}), ShortCut(win::VK_F1 + 11, {ssAlt})})
        EXPECT_EQ(TextToShortCut(ShortCutToText(sc)), sc) << ShortCutToText(sc);
    EXPECT_EQ(TextToShortCut("ctrl+s"), ShortCut('S', {ssCtrl}));
    EXPECT_EQ(TextToShortCut("Alt+Ctrl+X"), ShortCut('X', {ssCtrl, ssAlt}));
    EXPECT_EQ(TextToShortCut(""), 0);
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Ctrl+Banana"), 0);
    EXPECT_EQ(TextToShortCut("F25"), 0);
    // ShortCutToKey splits a value into the key and the modifiers.
    Word key = 0;
    TShiftState shift;
    ShortCutToKey(ShortCut('K', {ssCtrl, ssShift}), key, shift);
    EXPECT_EQ(key, 'K');
    EXPECT_TRUE(shift.Contains(ssCtrl));
    EXPECT_TRUE(shift.Contains(ssShift));
    EXPECT_FALSE(shift.Contains(ssAlt));
}

TEST(ShortCutTest, HotkeysOfCaptions) {
    EXPECT_EQ(StripHotkey("&File"), "File");
    EXPECT_EQ(StripHotkey("Save && E&xit"), "Save & Exit");
    EXPECT_EQ(StripHotkey("Trailing&"), "Trailing");
    EXPECT_EQ(GetHotkey("E&xit"), "X");
    EXPECT_EQ(GetHotkey("Save && Close"), "");
    EXPECT_EQ(GetHotkey("&&&Both"), "B");
    EXPECT_EQ(GetHotkey("Zur&ück"), "ü"); // a character, not a byte
    EXPECT_EQ(GetHotkey("None"), "");
}

} // namespace
