// End to end: Alt with a letter that the US layout has no key for, typed by real X input (xdotool) under
// Xvfb on a French and on a Russian keyboard layout (the only layout each time), opens the form's menu whose
// caption marks that letter: Alt+é opens "&Émile", Alt+ф opens "&Файл".

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "GtkAppFixture.h"
#include "GtkScript.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Menu.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"

namespace {

using namespace vcl;
using gtktest::XdoStep;

class GtkAltLetterTest : public gtktest::GtkFormTest {
protected:
    void SetUp() override {
        GtkFormTest::SetUp();
        if (IsSkipped()) return;
        // The layout in use, put back afterwards: the other tests type on it.
        savedLayout = gtktest::KeyboardLayout();
        if (savedLayout.empty()) GTEST_SKIP() << "the display has no keyboard layout to change";
        menu = new TMainMenu(form.get());
        emile = MenuItem(menu->Items(), "&\xC3\x89mile"); // Émile
        MenuItem(emile, "&Ouvrir");
        file = MenuItem(menu->Items(), "&\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB"); // Файл
        MenuItem(file, "&Open");
        form->SetMenu(menu);
        ASSERT_NO_FATAL_FAILURE(ShowWithKeyboard());
        script = std::make_unique<gtktest::Script>();
    }
    void TearDown() override {
        script.reset();
        if (changed && std::system(("setxkbmap -layout '" + savedLayout + "'").c_str()) != 0)
            ADD_FAILURE() << "the keyboard layout could not be put back";
        GtkFormTest::TearDown();
    }
    // On the layout, Alt and the key of the key value; true when the item's menu dropped. A picture of the
    // form, with the menu dropped or not, is left in the build folder (GtkAltLetter-<layout>.png).
    bool AltOpens(const std::string& layout, const std::string& keyval, TMenuItem* item) {
        if (std::system(("setxkbmap -layout " + layout).c_str()) != 0) {
            ADD_FAILURE() << "setxkbmap cannot set the layout " << layout;
            return false;
        }
        changed = true;
        Settle(200); // GDK reads the new keymap
        bool dropped = false;
        auto picture = [&] {
            gtktest::WriteScreenPng(form->Left(), form->Top(), form->Width(), form->Height(),
                                    "GtkAltLetter-" + layout + ".png");
        };
        script->Run({XdoStep("key alt+" + keyval),
                     [&] {
                         win::HWND popup = win::MenuWindowOf(item->Handle());
                         dropped = popup && win::IsWindowVisible(popup);
                         if (dropped) picture();
                         return dropped;
                     },
                     [] { return win::EndMenu() != 0; }, [] { return !win::IsMenuTracking(); }},
                    5000);
        if (!dropped) picture();
        return dropped;
    }

    std::string savedLayout;
    bool changed = false;
    TMainMenu* menu = nullptr;
    TMenuItem *emile = nullptr, *file = nullptr;
    std::unique_ptr<gtktest::Script> script;
};

TEST_F(GtkAltLetterTest, AltWithALetterOfAnotherLayoutOpensTheMenuItMarks) {
    EXPECT_TRUE(AltOpens("fr", "eacute", emile)) << "Alt+\xC3\xA9 on the French layout";
    EXPECT_TRUE(AltOpens("ru", "Cyrillic_ef", file)) << "Alt+\xD1\x84 on the Russian layout";
}

} // namespace
