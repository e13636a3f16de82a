// The menu bar's menu mode with the focus in the browser control, on the offscreen backend with a fake
// engine: while the menu loop runs the view's key routing is told that the keyboard is the menu's (it
// then lets the keys pass the page), the control's window sees none of the menu's keys, and it keeps
// the focus, so that the page has the keys again once menu mode ends.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/web/GtkHost.h"
#include "platform/web/WebBrowser.h"
#include "platform/win/Subclass.h"
#include "platform/win/Windows.h"
#include "tests/support/FakeBrowserEngine.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;

// Hears the messages of one window (subclassed) before the window does.
class Watch {
public:
    using Listener = std::function<void(win::UINT, win::WPARAM)>;
    Watch(win::HWND Wnd, Listener Heard) : FWnd(Wnd), FHeard(std::move(Heard)) {
        All()[Wnd] = this;
        FSubclass.Attach(Wnd, &Proc);
    }
    ~Watch() { All().erase(FWnd); }

private:
    static std::map<win::HWND, Watch*>& All() {
        static std::map<win::HWND, Watch*> all;
        return all;
    }
    static win::LRESULT Proc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp) {
        Watch* w = All().at(h);
        w->FHeard(msg, wp);
        return w->FSubclass.CallPrevious(h, msg, wp, lp);
    }
    win::HWND FWnd;
    Listener FHeard;
    win::WindowSubclass FSubclass;
};

class BrowserMenuKeysTest : public uitest::UiTest {
protected:
    TMenuItem* AddItem(TMenuItem* Parent, const String& Name, const String& Caption) {
        auto* i = new TMenuItem(Form);
        i->SetName(Name);
        i->SetCaption(Caption);
        Parent->Add(i);
        return i;
    }
    // The program's bar: File (Exit), Settings (Profile), Help (FAQ, -, Contact administrator); the
    // page over the client area, holding the focus.
    void SetUp() override {
        Form = new TForm(Application);
        Form->SetBounds(100, 100, 500, 400);
        auto* menu = new TMainMenu(Form);
        TMenuItem* file = AddItem(menu->Items(), "File1", "File");
        TMenuItem* settings = AddItem(menu->Items(), "Settings1", "Settings");
        TMenuItem* help = AddItem(menu->Items(), "Help1", "Help");
        for (TMenuItem* leaf : {AddItem(file, "Exit1", "Exit"), AddItem(settings, "Profile1", "Profile"),
                                AddItem(help, "FAQ1", "FAQ"), AddItem(help, "N1", "-"),
                                AddItem(help, "Contact1", "Contact administrator")})
            leaf->OnClick = [this](TObject* Sender) {
                Clicks.push_back(static_cast<TMenuItem*>(Sender)->Name());
            };
        Form->SetMenu(menu);
        Browser = new TWebBrowser(Form);
        Browser->SetParent(Form);
        Browser->SetAlign(alClient);
        Form->Show();
        ui.Process();
        Browser->Navigate("http://h/a.php");
        Browser->SetFocus();
        ui.Process();
    }
    void TearDown() override { FreeComponent(Form); }
    kvtest::FakeBrowserEngine* Engine() {
        return dynamic_cast<kvtest::FakeBrowserEngine*>(Browser->Engine());
    }
    // Presses the keys one at each idle turn of the menu loop that `entry` starts, noting each time
    // whether the view's key routing hears that the menu has the keyboard.
    std::vector<bool> MenuKeys(unsigned entry, std::initializer_list<unsigned> keys) {
        std::vector<bool> told;
        for (unsigned k : keys)
            ui.WhenIdle([this, k, &told] {
                told.push_back(webhost::MenuHasKeyboard());
                ui.Key(k);
            });
        ui.Key(entry);
        return told;
    }

    kvtest::FakeBrowserEngineScope fakes;
    TForm* Form = nullptr;
    TWebBrowser* Browser = nullptr;
    std::vector<String> Clicks;
};

TEST_F(BrowserMenuKeysTest, FromF10OrAltTheMenuHasTheKeysAndThePageKeepsTheFocus) {
    ASSERT_NE(Engine(), nullptr);
    ASSERT_EQ(win::GetFocus(), Browser->Handle());
    const size_t focusChanges = Engine()->FocusChanges.size();
    std::vector<win::WPARAM> pageKeys;
    Watch page(Browser->Handle(), [&](win::UINT msg, win::WPARAM key) {
        if (msg == win::WM_KEYDOWN || msg == win::WM_SYSKEYDOWN) pageKeys.push_back(key);
    });
    EXPECT_FALSE(webhost::MenuHasKeyboard());

    // Lit by F10 alone, with no drop-down yet, the bar already has the keyboard.
    EXPECT_EQ(MenuKeys(win::VK_F10, {win::VK_RIGHT, win::VK_DOWN, win::VK_RETURN}),
              (std::vector<bool>{true, true, true}));
    EXPECT_EQ(Clicks, std::vector<String>{"Profile1"});
    // Alt: round to Help, its FAQ, past the separator to Contact administrator.
    EXPECT_EQ(MenuKeys(win::VK_MENU, {win::VK_LEFT, win::VK_DOWN, win::VK_DOWN, win::VK_RETURN}),
              (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(Clicks, (std::vector<String>{"Profile1", "Contact1"}));
    // Escape ends menu mode with nothing chosen.
    EXPECT_EQ(MenuKeys(win::VK_F10, {win::VK_RIGHT, win::VK_ESCAPE}), (std::vector<bool>{true, true}));
    EXPECT_EQ(Clicks.size(), 2u);

    EXPECT_FALSE(webhost::MenuHasKeyboard());
    // The page's window had the keys that enter menu mode (as the page has them first), none of the menu's.
    const std::vector<win::WPARAM> entries{win::VK_F10, win::VK_MENU, win::VK_F10};
    EXPECT_EQ(pageKeys, entries);
    EXPECT_EQ(win::GetFocus(), Browser->Handle());
    EXPECT_EQ(Engine()->FocusChanges.size(), focusChanges) << "the page was told of a focus change";
    // Once menu mode has ended the keys are the page's again.
    ui.Key(win::VK_DOWN);
    ASSERT_EQ(pageKeys.size(), entries.size() + 1);
    EXPECT_EQ(pageKeys.back(), win::VK_DOWN);
}

// F10 or Alt pressed in menu mode ends it; the release that follows, once the loop is over, does not put
// the bar back in menu mode (and a new press of either key does).
TEST_F(BrowserMenuKeysTest, F10OrAltAgainLeavesMenuModeForGood) {
    int entries = 0, expected = 1;
    // An entry more than expected ends at once, so that the test goes on to say so.
    Watch form(Form->Handle(), [&](win::UINT msg, win::WPARAM) {
        if (msg == win::WM_ENTERMENULOOP && ++entries > expected) win::EndMenu();
    });
    for (unsigned entry : {win::VK_F10, win::VK_MENU})
        for (unsigned again : {win::VK_F10, win::VK_MENU}) {
            entries = 0;
            MenuKeys(entry, {again});
            EXPECT_EQ(entries, 1) << "menu mode came back after the release of " << again << " (entered by "
                                  << entry << ")";
        }
    entries = 0;
    expected = 2;
    MenuKeys(win::VK_F10, {win::VK_F10});
    MenuKeys(win::VK_F10, {win::VK_ESCAPE});
    EXPECT_EQ(entries, 2) << "a new F10 after one that left menu mode enters it";
    EXPECT_FALSE(win::IsMenuTracking());
    EXPECT_EQ(win::GetFocus(), Browser->Handle());
}

} // namespace
