// End to end: text input through GTK's input method context, under Xvfb with a keyboard layout that has
// dead keys (US international), driven by real X input (xdotool). A dead key combines with the next
// letter and a compose sequence gives its character, in a plain edit and in a password edit; what is being
// composed is not typed; shortcuts, Tab and Backspace still arrive as keys.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "GtkAppFixture.h"
#include "platform/vcl/Edit.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"

namespace {

using namespace vcl;
using gtktest::At;

class GtkTextInputTest : public gtktest::GtkFormTest {
protected:
    void SetUp() override {
        GtkFormTest::SetUp();
        if (IsSkipped()) return;
        // The layout in use, put back afterwards: the other tests type on it.
        savedLayout = gtktest::KeyboardLayout();
        if (savedLayout.empty()) GTEST_SKIP() << "the display has no keyboard layout to change";
        // Compose on the Menu key.
        if (std::system("setxkbmap -layout us -variant intl -option compose:menu") != 0)
            GTEST_SKIP() << "setxkbmap cannot set the US international layout";
        changed = true;
        plain = MakeEdit("Plain", 20);
        secret = MakeEdit("Secret", 60);
        secret->SetPasswordChar('*');
        ASSERT_NO_FATAL_FAILURE(ShowWithKeyboard());
        ASSERT_TRUE(gtktest::Xdo("mousemove " + At(plain->ClientToScreen({20, 10})) + " click 1"));
        ASSERT_TRUE(RunUntil([this] { return plain->Focused(); }, 3000));
    }
    void TearDown() override {
        if (changed && std::system(("setxkbmap -option '' -layout '" + savedLayout + "'").c_str()) != 0)
            ADD_FAILURE() << "the keyboard layout could not be put back";
        GtkFormTest::TearDown();
    }
    TEdit* MakeEdit(const char* Name, int Y) {
        auto* e = new TEdit(form.get());
        e->SetName(Name);
        e->SetText("");
        e->SetBounds(20, Y, 200, 21);
        e->SetParent(form.get());
        return e;
    }
    bool TextBecomes(TEdit* e, const String& text) {
        return RunUntil([&] { return e->Text() == text; }, 3000);
    }

    std::string savedLayout;
    bool changed = false;
    TEdit* plain = nullptr;
    TEdit* secret = nullptr;
};

TEST_F(GtkTextInputTest, DeadKeysAndComposeSequencesTypeTheirCharactersAndKeysStayKeys) {
    // A dead key types nothing by itself; the next letter takes its accent.
    ASSERT_TRUE(gtktest::Xdo("key --delay 30 dead_acute"));
    Settle(200);
    EXPECT_EQ(plain->Text(), "");
    ASSERT_TRUE(gtktest::Xdo("key --delay 30 e"));
    EXPECT_TRUE(TextBecomes(plain, "\xC3\xA9")) << plain->Text(); // é
    // Plain letters and a compose sequence (Compose, o, c: the copyright sign).
    ASSERT_TRUE(gtktest::Xdo("key --delay 30 x Multi_key o c"));
    EXPECT_TRUE(TextBecomes(plain, "\xC3\xA9x\xC2\xA9")) << plain->Text(); // éx©
    // Keys still arrive as keys: Backspace, a shortcut, the undo.
    ASSERT_TRUE(gtktest::Xdo("key --delay 30 BackSpace"));
    EXPECT_TRUE(TextBecomes(plain, "\xC3\xA9x"));
    ASSERT_TRUE(gtktest::Xdo("key --delay 30 ctrl+a BackSpace"));
    EXPECT_TRUE(TextBecomes(plain, ""));
    ASSERT_TRUE(gtktest::Xdo("key --delay 30 ctrl+z"));
    EXPECT_TRUE(TextBecomes(plain, "\xC3\xA9x"));

    // A dead key left pending when the focus moves to another edit does not follow it there. The password
    // edit takes committed text too.
    ASSERT_TRUE(gtktest::Xdo("key --delay 30 dead_grave"));
    Settle(100);
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(secret->ClientToScreen({20, 10})) + " click 1"));
    ASSERT_TRUE(RunUntil([this] { return secret->Focused(); }, 3000));
    ASSERT_TRUE(gtktest::Xdo("key --delay 30 a dead_acute e"));
    EXPECT_TRUE(TextBecomes(secret, "a\xC3\xA9")) << secret->Text(); // aé, not àé
    EXPECT_EQ(plain->Text(), "\xC3\xA9x");
    // Tab is still a key.
    ASSERT_TRUE(gtktest::Xdo("key --delay 30 Tab"));
    EXPECT_TRUE(RunUntil([this] { return plain->Focused(); }, 3000));
}

} // namespace
