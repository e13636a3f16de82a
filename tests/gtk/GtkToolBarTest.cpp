// End to end: toolbars on a real window of the GTK backend under Xvfb, driven by real X input
// (xdotool). A docked toolbar is torn off its dock panel by its grip into a floating window of its own
// and docked back by that window's caption; a menu-bar toolbar drops its first menu and a click on an
// item runs it.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GtkAppFixture.h"
#include "GtkScript.h"
#include "components/toolbar/AdvToolBar.h"
#include "components/toolbar/dock/FloatingWindow.h"
#include "components/toolbar/dock/ToolBarMenuButton.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Panel.h"
#include "platform/win/Menu.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"

namespace {

using namespace vcl;
using namespace AdvToolBar;

using gtktest::At;
using gtktest::Rgb;

using gtktest::XdoStep;

class GtkToolBarTest : public gtktest::GtkFormTest {
protected:
    void SetUp() override {
        GtkAppTest::SetUp();
        if (IsSkipped()) return;
        RegisterAdvToolBarClasses();
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetBounds(40, 40, 600, 300);
        script = std::make_unique<gtktest::Script>();
    }
    void TearDown() override {
        script.reset();
        GtkFormTest::TearDown();
    }
    // Runs the script's steps to their end (or its deadline).
    void Run(std::vector<std::function<bool()>> steps, int ms = 15000) { script->Run(std::move(steps), ms); }
    // Shows the form and waits until the screen shows its face at a client point.
    void ShowAt(TPoint facePoint) {
        form->Show();
        TPoint p = form->ClientToScreen(facePoint);
        ASSERT_TRUE(RunUntil([&] { return gtktest::ScreenPixel(p.X, p.Y) == Rgb(clBtnFace); }, 5000))
            << std::hex << gtktest::ScreenPixel(p.X, p.Y);
    }
    TAdvToolBar* MakeBar(TWinControl* parent) {
        auto* b = new TAdvToolBar(form.get());
        b->SetParent(parent);
        for (int i = 0; i < 3; ++i) {
            auto* c = new TPanel(form.get());
            c->SetBounds(0, 0, 40, 20);
            c->SetParent(b);
        }
        return b;
    }

    std::unique_ptr<gtktest::Script> script;
};

TEST_F(GtkToolBarTest, TheGripTearsTheToolBarOffIntoAWindowOfItsOwnOnTheScreen) {
    auto* top = new TAdvDockPanel(form.get());
    top->SetParent(form.get());
    TAdvToolBar* bar = MakeBar(top);
    ShowAt({300, 250});
    ASSERT_EQ(bar->ToolBarState(), tsDocked);
    // Nothing of ours covers this corner of the screen: what the root shows where no window is.
    const std::uint32_t root = gtktest::ScreenPixel(1270, 1010);

    // Press on the grip, move down in steps well past the panel, out to free space, release.
    TPoint grip = bar->ClientToScreen({3, bar->Height() / 2});
    const int below = top->ClientToScreen({0, top->Height()}).Y;
    Run({XdoStep("mousemove " + At(grip) + " mousedown 1"),
         XdoStep("mousemove " + At({grip.X + 2, grip.Y + 8})),
         XdoStep("mousemove " + At({grip.X + 4, below + 20})),
         XdoStep("mousemove " + At({grip.X + 6, below + 60})), XdoStep("mousemove " + At({500, 560})),
         [&] { return bar->ToolBarState() == tsFloating; }, XdoStep("mouseup 1"),
         [&] { return !bar->Moving(); }});
    ASSERT_EQ(bar->ToolBarState(), tsFloating);
    TFloatingWindow* fw = bar->FloatingWindow();
    ASSERT_NE(fw, nullptr);
    EXPECT_EQ(bar->Parent(), fw);
    EXPECT_EQ(bar->DockPanel(), nullptr);
    EXPECT_EQ(top->GetAdvToolBarCount(), 0);
    EXPECT_GT(fw->Top(), form->Top() + form->Height()) << "the window went where the pointer let go";
    // The new top-level window is on the screen, below the form, where only the root showed.
    TPoint centre{fw->Left() + fw->Width() / 2, fw->Top() + fw->Height() / 2};
    EXPECT_TRUE(RunUntil([&] { return gtktest::ScreenPixel(centre.X, centre.Y) != root; }, 3000))
        << "floating window not on the screen at " << At(centre);
}

// The floating window goes when the toolbar docks, with the button still down on it: the release then
// arrives on the form, which never saw the press, and must still end the drag.
TEST_F(GtkToolBarTest, TheFloatingCaptionDragsTheToolBarBackOntoItsPanel) {
    auto* top = new TAdvDockPanel(form.get());
    top->SetParent(form.get());
    TAdvToolBar* bar = MakeBar(top);
    ShowAt({300, 250});
    const std::uint32_t root = gtktest::ScreenPixel(1270, 1010);
    bar->SetFloating(500, 560, true);
    ASSERT_EQ(bar->ToolBarState(), tsFloating);
    TFloatingWindow* fw = bar->FloatingWindow();
    ASSERT_NE(fw, nullptr);
    TPoint centre{fw->Left() + fw->Width() / 2, fw->Top() + fw->Height() / 2};
    ASSERT_TRUE(RunUntil([&] { return gtktest::ScreenPixel(centre.X, centre.Y) != root; }, 3000));

    // Up onto the panel by the caption, where it docks while the button is still down, then released.
    TPoint caption = bar->ClientToScreen({8, bar->CaptionHeight() / 2});
    TPoint onPanel = top->ClientToScreen({100, 5});
    Run({XdoStep("mousemove " + At(caption) + " mousedown 1"),
         XdoStep("mousemove " + At({caption.X + 5, caption.Y - 20})),
         XdoStep("mousemove " + At({(caption.X + onPanel.X) / 2, (caption.Y + onPanel.Y) / 2})),
         XdoStep("mousemove " + At({onPanel.X, onPanel.Y + 20})), XdoStep("mousemove " + At(onPanel)),
         [&] { return bar->ToolBarState() == tsDocked; }, XdoStep("mouseup 1"),
         [&] { return !bar->Moving(); }});
    EXPECT_EQ(bar->ToolBarState(), tsDocked);
    EXPECT_EQ(bar->DockPanel(), top);
    EXPECT_EQ(bar->FloatingWindow(), nullptr) << "the window goes once the toolbar docks";
    EXPECT_EQ(top->GetAdvToolBarCount(), 1);
    EXPECT_TRUE(RunUntil([&] { return gtktest::ScreenPixel(centre.X, centre.Y) == root; }, 3000))
        << "the floating window is still on the screen: " << std::hex
        << gtktest::ScreenPixel(centre.X, centre.Y);
}

TEST_F(GtkToolBarTest, AClickOnAMenuBarButtonDropsItsMenuAndAClickOnAnItemRunsIt) {
    std::vector<String> clicks;
    auto* menu = new TMainMenu(form.get());
    auto item = [&](TMenuItem* parent, const String& caption) {
        auto* i = new TMenuItem(form.get());
        i->SetCaption(caption);
        i->OnClick = [&clicks, caption](TObject*) { clicks.push_back(caption); };
        parent->Add(i);
        return i;
    };
    TMenuItem* file = item(menu->Items(), "&File");
    TMenuItem* open = item(file, "&Open");
    item(file, "E&xit");
    TMenuItem* help = item(menu->Items(), "&Help");
    item(help, "&About");
    auto* bar = new TAdvToolBar(form.get());
    bar->SetParent(form.get());
    bar->SetMenu(menu);
    ShowAt({300, 250});
    TAdvToolBarMenuButton* button = nullptr;
    for (int i = 0; i < bar->ToolBarControlCount(); ++i)
        if (auto* b = dynamic_cast<TAdvToolBarMenuButton*>(bar->ToolBarControls(i));
            b && b->MenuItem() == file)
            button = b;
    ASSERT_NE(button, nullptr);

    TPoint press = button->ClientToScreen({button->Width() / 2, button->Height() / 2});
    win::RECT item0{};
    std::vector<std::uint32_t> shown;
    Run({XdoStep("mousemove " + At(press) + " click 1"),
         [&] {
             auto* m = bar->TempPopupMenu();
             return m && win::IsMenuTracking() && win::MenuWindowOf(m->Handle()) != nullptr &&
                    win::GetMenuItemRect(nullptr, m->Handle(), 0, &item0);
         },
         // The drop-down is on the screen: its first item shows its text (more than one colour) where the
         // form's face was.
         [&] {
             shown = gtktest::ScreenPixels(item0.Left, item0.Top, item0.Right - item0.Left,
                                           item0.Bottom - item0.Top);
             bool other = false;
             for (std::uint32_t px : shown)
                 other = other || px != shown.front();
             return !shown.empty() && other;
         },
         [&] {
             return XdoStep("mousemove " +
                            At({(item0.Left + item0.Right) / 2, (item0.Top + item0.Bottom) / 2}) +
                            " click 1")();
         },
         [&] { return !win::IsMenuTracking(); }});
    ASSERT_FALSE(shown.empty());
    EXPECT_GT(item0.Top, press.Y) << "the menu drops below the button";
    EXPECT_NE(std::find(clicks.begin(), clicks.end(), String("&Open")), clicks.end());
    EXPECT_EQ(std::find(clicks.begin(), clicks.end(), String("E&xit")), clicks.end());
    EXPECT_EQ(open->Parent(), file) << "the item is back in its menu";
    EXPECT_EQ(bar->TempPopupMenu(), nullptr);
}

// From the dropped button down into its menu a pixel at a time: the menu stays open, the item under the
// pointer is selected, and a click there runs it.
TEST_F(GtkToolBarTest, SlidingSlowlyFromAMenuBarButtonIntoItsMenuKeepsItOpen) {
    std::vector<String> clicks;
    auto* menu = new TMainMenu(form.get());
    auto* file = new TMenuItem(form.get());
    file->SetCaption("&File");
    menu->Items()->Add(file);
    for (const char* caption : {"&Open", "E&xit"}) {
        auto* i = new TMenuItem(form.get());
        i->SetCaption(caption);
        i->OnClick = [&clicks, caption](TObject*) { clicks.push_back(caption); };
        file->Add(i);
    }
    auto* bar = new TAdvToolBar(form.get());
    bar->SetParent(form.get());
    bar->SetMenu(menu);
    ShowAt({300, 250});
    TControl* button = bar->ToolBarControls(0);
    TPoint press = button->ClientToScreen({button->Width() / 2, button->Height() - 4});
    win::RECT item0{};
    std::vector<std::function<bool()>> steps{XdoStep("mousemove " + At(press) + " click 1"), [&] {
                                                 auto* m = bar->TempPopupMenu();
                                                 return m && win::IsMenuTracking() &&
                                                        win::MenuWindowOf(m->Handle()) != nullptr &&
                                                        win::GetMenuItemRect(nullptr, m->Handle(), 0, &item0);
                                             }};
    for (int y = press.Y + 1; y <= press.Y + 16; ++y)
        steps.push_back([&, y] { return XdoStep("mousemove " + At({press.X, y}))(); });
    bool openInside = false, firstSelected = false;
    steps.push_back([&] {
        // The pointer is over the first item now.
        win::POINT p{};
        win::GetCursorPos(&p);
        if (p.Y != press.Y + 16) return false;
        auto* m = bar->TempPopupMenu();
        openInside = m && win::IsMenuTracking() && win::MenuWindowOf(m->Handle()) != nullptr;
        firstSelected = m && (win::GetMenuState(m->Handle(), 0, win::MF_BYPOSITION) & win::MF_HILITE);
        return true;
    });
    steps.push_back(XdoStep("click 1"));
    steps.push_back([] { return !win::IsMenuTracking(); });
    Run(steps);
    EXPECT_GT(press.Y + 16, item0.Top) << "the pointer went onto the first item";
    EXPECT_TRUE(openInside) << "the menu closed on the way in";
    EXPECT_TRUE(firstSelected);
    EXPECT_EQ(clicks, (std::vector<String>{"&Open"}));
}

} // namespace
