// End to end: a letter typed by real X input (xdotool) under Xvfb in the owner-drawn menu that a menu-bar
// toolbar drops runs the item it marks: Alt+F drops File, "o" runs "&Open".

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GtkAppFixture.h"
#include "GtkScript.h"
#include "components/toolbar/AdvToolBar.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Menu.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"

namespace {

using namespace vcl;
using namespace AdvToolBar;
using gtktest::XdoStep;

class GtkMenuBarLetterTest : public gtktest::GtkFormTest {
protected:
    void SetUp() override {
        GtkFormTest::SetUp();
        if (IsSkipped()) return;
        RegisterAdvToolBarClasses();
        auto* menu = new TMainMenu(form.get());
        file = Item(menu->Items(), "&File");
        Item(file, "&New");
        Item(file, "&Open");
        Item(file, "E&xit");
        Item(Item(menu->Items(), "&Help"), "&About");
        bar = new TAdvToolBar(form.get());
        bar->SetParent(form.get());
        bar->SetMenu(menu);
        ASSERT_NO_FATAL_FAILURE(ShowWithKeyboard());
        script = std::make_unique<gtktest::Script>();
    }
    void TearDown() override {
        script.reset();
        GtkFormTest::TearDown();
    }
    TMenuItem* Item(TMenuItem* Parent, const String& Caption) {
        TMenuItem* item = MenuItem(Parent, Caption);
        item->OnClick = [this, Caption](TObject*) { clicks.push_back(Caption); };
        return item;
    }
    // The bar's drop-down is on the screen, its owner-drawn items painted.
    bool Dropped() {
        TPopupMenu* m = bar->TempPopupMenu();
        win::HWND popup = m && win::IsMenuTracking() ? win::MenuWindowOf(m->Handle()) : nullptr;
        return popup && win::IsWindowVisible(popup) && m->OwnerDraw();
    }
    void Picture(const std::string& Name) {
        gtktest::WriteScreenPng(form->Left(), form->Top(), form->Width(), form->Height(), Name);
    }

    TMenuItem* file = nullptr;
    TAdvToolBar* bar = nullptr;
    std::vector<String> clicks;
    std::unique_ptr<gtktest::Script> script;
};

TEST_F(GtkMenuBarLetterTest, AltFDropsFileAndItsLetterRunsTheItem) {
    bool dropped = false, finished = false;
    script->Run({XdoStep("key alt+f"),
                 [&] {
                     dropped = Dropped();
                     if (dropped) Picture("GtkMenuBarLetter-dropped.png");
                     return dropped;
                 },
                 XdoStep("key o"), [] { return !win::IsMenuTracking(); },
                 [&] { return finished = !clicks.empty() && bar->TempPopupMenu() == nullptr; }},
                8000);
    // A script that gave up has closed the menu: the picture shows what the letter left.
    if (!finished) Picture("GtkMenuBarLetter-failed.png");
    EXPECT_TRUE(dropped) << "Alt+F dropped no owner-drawn File menu (GtkMenuBarLetter-failed.png)";
    EXPECT_TRUE(finished) << "the letter ran nothing (GtkMenuBarLetter-failed.png)";
    // File's own OnClick runs as it drops; then the letter's item, once.
    EXPECT_EQ(clicks, (std::vector<String>{"&File", "&Open"}));
    EXPECT_EQ(file->Count(), 3) << "the items are back in their menu";
}

} // namespace
