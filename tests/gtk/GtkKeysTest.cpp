// Key translation and the choice of backend: no display needed.

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "platform/backend/gtk/GtkBackend.h"
#include "platform/backend/gtk/GtkKeys.h"
#include "platform/win/WinUser.h"

using gtkbackend::DecideKeyPress;
using gtkbackend::KeyFromKeyval;
using gtkbackend::KeyInfo;
using gtkbackend::KeyModifiers;
using gtkbackend::UsLayoutChar;

TEST(GtkKeys, KeyValuesMapToThePlatformsVirtualKeys) {
    struct Row {
        unsigned Keyval;
        KeyInfo Key;
    } rows[] = {
        {'a', {'A', 0, false}},
        {'Z', {'Z', 0, false}},
        {'7', {'7', 0, false}},
        {'&', {'7', 0, false}},
        {'?', {0xBF, 0, false}},
        {'~', {0xC0, 0, false}},
        {' ', {0x20, 0, false}},
        {GDK_KEY_F1, {0x70, 0, false}},
        {GDK_KEY_F24, {0x87, 0, false}},
        {GDK_KEY_Return, {0x0D, 0, false}},
        {GDK_KEY_KP_Enter, {0x0D, 0, true}},
        {GDK_KEY_ISO_Left_Tab, {0x09, 0, false}},
        {GDK_KEY_Home, {0x24, 0, true}},
        {GDK_KEY_KP_Home, {0x24, 0, false}},
        {GDK_KEY_Delete, {0x2E, 0, true}},
        {GDK_KEY_KP_Delete, {0x2E, 0, false}},
        {GDK_KEY_KP_Begin, {0x0C, 0, false}},
        {GDK_KEY_KP_5, {0x65, 0, false}},
        {GDK_KEY_KP_Divide, {0x6F, 0, true}},
        {GDK_KEY_KP_Decimal, {0x6E, 0, false}},
        {GDK_KEY_Shift_L, {0x10, 0x2A, false}},
        {GDK_KEY_Shift_R, {0x10, 0x36, false}},
        {GDK_KEY_Control_R, {0x11, 0x1D, true}},
        {GDK_KEY_Alt_L, {0x12, 0x38, false}},
        {GDK_KEY_ISO_Level3_Shift, {0x12, 0x38, true}},
        {GDK_KEY_Caps_Lock, {0x14, 0, false}},
        {GDK_KEY_Num_Lock, {0x90, 0, true}},
        {GDK_KEY_Scroll_Lock, {0x91, 0, false}},
        {GDK_KEY_dead_acute, {0, 0, false}},
        {GDK_KEY_Cyrillic_es, {0, 0, false}},
        {GDK_KEY_eacute, {0, 0, false}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(KeyFromKeyval(r.Keyval), r.Key) << "key value 0x" << std::hex << r.Keyval;
}

TEST(GtkKeys, UsLayoutCharactersFollowShiftAndCapsLock) {
    EXPECT_EQ(UsLayoutChar('A', false, false), U'a');
    EXPECT_EQ(UsLayoutChar('A', true, false), U'A');
    EXPECT_EQ(UsLayoutChar('A', false, true), U'A');
    EXPECT_EQ(UsLayoutChar('A', true, true), U'a');
    EXPECT_EQ(UsLayoutChar('3', false, true), U'3'); // Caps Lock leaves digits alone
    EXPECT_EQ(UsLayoutChar('3', true, false), U'#');
    EXPECT_EQ(UsLayoutChar(0xDE, true, false), U'"');
    EXPECT_EQ(UsLayoutChar(0x63, false, false), U'3'); // numpad 3
    EXPECT_EQ(UsLayoutChar(0x0D, false, false), 0u);
    EXPECT_EQ(UsLayoutChar(0x70, false, false), 0u);
}

TEST(GtkKeys, EveryPrintableAsciiCharacterComesBackFromItsKey) {
    // The GTK side and the window system read one layout: a character's key types that character, with
    // Shift or without.
    for (unsigned ch = '!'; ch <= '~'; ++ch) {
        unsigned vk = KeyFromKeyval(ch).VirtualKey;
        ASSERT_NE(vk, 0u) << "no key for '" << static_cast<char>(ch) << "'";
        EXPECT_TRUE(UsLayoutChar(vk, false, false) == ch || UsLayoutChar(vk, true, false) == ch)
            << "'" << static_cast<char>(ch) << "' on key 0x" << std::hex << vk;
    }
}

TEST(GtkKeys, PressesGoAsKeysWhenTheirTranslationGivesTheSameText) {
    KeyModifiers none, shift, ctrl;
    shift.Shift = true;
    ctrl.Control = true;
    // US text: the window system makes the characters itself.
    auto d = DecideKeyPress('a', 'a', U'a', none);
    ASSERT_TRUE(d.Key);
    EXPECT_EQ(d.Key->VirtualKey, 'A');
    d = DecideKeyPress('!', '1', U'!', shift);
    ASSERT_TRUE(d.Key);
    EXPECT_EQ(d.Key->VirtualKey, '1');
    d = DecideKeyPress(GDK_KEY_Return, GDK_KEY_Return, U'\r', none);
    ASSERT_TRUE(d.Key);
    EXPECT_EQ(d.Key->VirtualKey, 0x0Du);

    // Another layout's Shift+7 is "/": as a key it would read "&", so it goes as the character.
    d = DecideKeyPress('/', '7', U'/', shift);
    EXPECT_FALSE(d.Key);
    EXPECT_EQ(d.Char, U'/');
    // A letter of another alphabet is text...
    d = DecideKeyPress(GDK_KEY_Cyrillic_es, GDK_KEY_Cyrillic_es, U'с', none);
    EXPECT_FALSE(d.Key);
    EXPECT_EQ(d.Char, U'с');
    // ...but with Ctrl it is the shortcut of its key in the first layout.
    d = DecideKeyPress(GDK_KEY_Cyrillic_es, 'c', U'с', ctrl);
    ASSERT_TRUE(d.Key);
    EXPECT_EQ(d.Key->VirtualKey, 'C');
    // Ctrl+letter stays a key even though GDK reports the plain letter.
    d = DecideKeyPress('v', 'v', U'v', ctrl);
    ASSERT_TRUE(d.Key);
    EXPECT_EQ(d.Key->VirtualKey, 'V');
    // A dead key gives nothing at all; so does an unknown key with Ctrl.
    d = DecideKeyPress(GDK_KEY_dead_acute, GDK_KEY_dead_acute, 0, none);
    EXPECT_FALSE(d.Key);
    EXPECT_EQ(d.Char, 0u);
    d = DecideKeyPress(GDK_KEY_eacute, GDK_KEY_eacute, U'é', ctrl);
    EXPECT_FALSE(d.Key);
    EXPECT_EQ(d.Char, 0u);
}

TEST(GtkKeys, AltWithALetterNoKeyGivesGoesAsACharacterPacket) {
    KeyModifiers alt, altShift, ctrlAlt;
    alt.Alt = true;
    altShift.Alt = altShift.Shift = true;
    ctrlAlt.Alt = ctrlAlt.Control = true;
    // é on a French layout (the first one), ф on a Russian layout after a US one (on the A key), Ф with
    // Shift: the letter typed reaches the window system, which makes WM_SYSCHAR of it.
    const struct {
        unsigned Keyval, Base;
        char32_t Char;
        KeyModifiers Mods;
    } packets[] = {{GDK_KEY_eacute, GDK_KEY_eacute, U'é', alt},
                   {GDK_KEY_Cyrillic_ef, 'a', U'ф', alt},
                   {GDK_KEY_Cyrillic_EF, 'a', U'Ф', altShift}};
    for (const auto& p : packets) {
        auto d = DecideKeyPress(p.Keyval, p.Base, p.Char, p.Mods);
        ASSERT_TRUE(d.Key) << "key value 0x" << std::hex << p.Keyval;
        EXPECT_EQ(d.Key->VirtualKey, win::VK_PACKET);
        EXPECT_EQ(d.Char, p.Char);
    }
    // A letter of the US layout stays its key; with Ctrl a shortcut is its key in the first layout; a
    // dead key gives nothing.
    auto d = DecideKeyPress('e', 'e', U'e', alt);
    ASSERT_TRUE(d.Key);
    EXPECT_EQ(d.Key->VirtualKey, 'E');
    d = DecideKeyPress(GDK_KEY_Cyrillic_ef, 'a', U'ф', ctrlAlt);
    ASSERT_TRUE(d.Key);
    EXPECT_EQ(d.Key->VirtualKey, 'A');
    d = DecideKeyPress(GDK_KEY_dead_acute, GDK_KEY_dead_acute, 0, alt);
    EXPECT_FALSE(d.Key);
    EXPECT_EQ(d.Char, 0u);
}

TEST(GtkBackendChoice, TheVariableNamesTheBackendAndOffscreenIsNeverTheDefault) {
    EXPECT_EQ(gtkbackend::BackendNameFor("offscreen"), "offscreen");
    EXPECT_EQ(gtkbackend::BackendNameFor("gtk"), "gtk");
    EXPECT_EQ(gtkbackend::BackendNameFor(""), "gtk");
}
