// The form's menu bar: its place in the frame, choosing by mouse and keyboard through the input queue,
// the order of the menu messages, submenus, Escape, and shortcuts dispatched without opening a menu.

#include "tests/support/ColorMatch.h"
#include "tests/vcl/MenuTestSupport.h"

namespace {

using namespace menutest;
using namespace vcl;

class MenuBarTest : public MenuFormTest {};

TEST_F(MenuBarTest, BarIsReservedBelowTheCaptionAndItemsRunLeftToRight) {
    win::RECT wr{}, client{};
    win::GetWindowRect(Form->Handle(), &wr);
    win::GetClientRect(Form->Handle(), &client);
    win::POINT origin{0, 0};
    win::ClientToScreen(Form->Handle(), &origin);
    const int frame = win::GetSystemMetrics(win::SM_CXSIZEFRAME);
    const int caption = win::GetSystemMetrics(win::SM_CYCAPTION);
    const int bar = win::GetSystemMetrics(win::SM_CYMENU);
    EXPECT_EQ(origin.Y - wr.Top, frame + caption + bar);
    EXPECT_EQ(client.Bottom, wr.Height() - 2 * frame - caption - bar);

    win::RECT f{}, e{};
    ASSERT_TRUE(win::GetMenuItemRect(Form->Handle(), Menu->Handle(), 0, &f));
    ASSERT_TRUE(win::GetMenuItemRect(Form->Handle(), Menu->Handle(), 1, &e));
    EXPECT_EQ(f.Left, wr.Left + frame);
    EXPECT_EQ(f.Top, wr.Top + frame + caption);
    EXPECT_EQ(f.Height(), bar);
    EXPECT_EQ(e.Left, f.Right);
    EXPECT_GT(f.Width(), 0);
    EXPECT_EQ(win::MenuItemFromPoint(Form->Handle(), Menu->Handle(), {e.Left + 1, e.Top + 1}), 1);
    EXPECT_EQ(win::MenuItemFromPoint(Form->Handle(), Menu->Handle(), {e.Right + 40, e.Top + 1}), -1);

    // Removing the menu gives the bar back to the client area.
    Form->SetMenu(nullptr);
    EXPECT_EQ(win::GetMenu(Form->Handle()), nullptr);
    win::GetClientRect(Form->Handle(), &client);
    EXPECT_EQ(client.Bottom, wr.Height() - 2 * frame - caption);
}

TEST_F(MenuBarTest, MouseChoiceSendsTheMessagesInThePlatformsOrderAndAMissChoosesNothing) {
    MenuLog log(Form->Handle(), Menu);
    menus.Choose(Form, "File|Exit");
    EXPECT_EQ(Clicks, std::vector<String>{"Exit1"});
    std::vector<String> expected{"enter",       "init",         "select:File", "popup:File",  "select:Exit",
                                 "uninit:File", "select:close", "exit",        "command:Exit"};
    EXPECT_EQ(log.Entries, expected);
    EXPECT_FALSE(win::IsMenuTracking());
    EXPECT_EQ(win::FindWindow(win::MENU_WINDOW_CLASS, nullptr), nullptr);

    // A click on a disabled item leaves the menu open; one outside every menu closes it, choosing nothing.
    Clicks.clear();
    Exit->SetEnabled(false);
    ui.WhenIdle([&] { menus.ClickOpenItem(Exit); });
    ui.WhenIdle([&] { ui.Screen().Click(5, 5); });
    menus.OpenMenu(Form, "File");
    EXPECT_TRUE(Clicks.empty());
    EXPECT_FALSE(win::IsMenuTracking());
}

TEST_F(MenuBarTest, DropDownHangsFromTheBarItemAndASubmenuOpensToTheRightOfItsItem) {
    MenuLog log(Form->Handle(), Menu);
    win::RECT fileItem{}, drop{}, openItem{}, sub{};
    win::HWND dropDown = nullptr;
    ui.WhenIdle([&] {
        dropDown = win::MenuWindowOf(File->Handle());
        win::GetMenuItemRect(Form->Handle(), Menu->Handle(), 0, &fileItem);
        win::GetWindowRect(dropDown, &drop);
        menus.ClickOpenItem(Open);
    });
    ui.WhenIdle([&] {
        win::GetMenuItemRect(nullptr, File->Handle(), 1, &openItem);
        win::GetWindowRect(win::MenuWindowOf(Open->Handle()), &sub);
        menus.ClickOpenItem(Recent2);
    });
    menus.OpenMenu(Form, "File");
    EXPECT_EQ(drop.Left, fileItem.Left);
    EXPECT_EQ(drop.Top, fileItem.Bottom);
    ASSERT_NE(dropDown, nullptr);
    EXPECT_FALSE(win::IsWindow(dropDown));
    // The submenu's first item is level with its parent item.
    EXPECT_GE(sub.Left, openItem.Right);
    EXPECT_EQ(sub.Top + 3, openItem.Top);
    EXPECT_EQ(Clicks, std::vector<String>{"Recent2"});
    std::vector<String> expected{
        "enter",           "init",        "select:File", "popup:File",   "select:Open", "popup:Open",
        "select:Recent 2", "uninit:Open", "uninit:File", "select:close", "exit",        "command:Recent 2"};
    EXPECT_EQ(log.Entries, expected);
}

TEST_F(MenuBarTest, MovingAlongTheBarSwitchesTheDropDown) {
    MenuLog log(Form->Handle(), Menu);
    bool editOpen = false, fileClosed = false;
    ui.WhenIdle([&] {
        uitest::TPoint p = uitest::MenuDriver::BarItemPoint(Form, Edit);
        ui.Screen().MoveMouse(p.X, p.Y);
    });
    ui.WhenIdle([&] {
        editOpen = win::MenuWindowOf(Edit->Handle()) != nullptr;
        fileClosed = win::MenuWindowOf(File->Handle()) == nullptr;
        menus.ClickOpenItem(Paste);
    });
    menus.OpenMenu(Form, "File");
    EXPECT_TRUE(editOpen);
    EXPECT_TRUE(fileClosed);
    EXPECT_EQ(Clicks, std::vector<String>{"Paste1"});
    auto at = std::find(log.Entries.begin(), log.Entries.end(), "uninit:File");
    ASSERT_NE(at, log.Entries.end());
    EXPECT_EQ(*(at + 1), "select:Edit");
    EXPECT_EQ(*(at + 2), "popup:Edit");
}

TEST_F(MenuBarTest, F10ArrowsAndMnemonicsChooseFromTheKeyboard) {
    // Bar: File -> Edit; Down opens Edit with Copy selected; Down to Paste.
    KeysWhenIdle({win::VK_RIGHT, win::VK_DOWN, win::VK_DOWN, win::VK_RETURN});
    ui.Key(win::VK_F10);
    EXPECT_EQ(Clicks, std::vector<String>{"Paste1"});
    // Up from New wraps to Exit, over nothing else.
    Clicks.clear();
    KeysWhenIdle({win::VK_UP, win::VK_RETURN});
    ui.Key('F', {ssAlt});
    EXPECT_EQ(Clicks, std::vector<String>{"Exit1"});
    // New -> Open -> Exit: the separator is passed over.
    Clicks.clear();
    KeysWhenIdle({win::VK_DOWN, win::VK_DOWN, win::VK_RETURN});
    ui.Key('F', {ssAlt});
    EXPECT_EQ(Clicks, std::vector<String>{"Exit1"});
    // A mnemonic opens Open's submenu with its first item selected; another chooses Recent &2.
    Clicks.clear();
    ui.WhenIdle([&] { ui.Type("o"); });
    ui.WhenIdle([&] { ui.Type("2"); });
    ui.Key('F', {ssAlt});
    EXPECT_EQ(Clicks, std::vector<String>{"Recent2"});
}

TEST_F(MenuBarTest, EscapeClosesOneLevelAtATime) {
    MenuLog log(Form->Handle(), Menu);
    bool subOpenAfterFirst = true, dropOpenAfterFirst = false, dropOpenAfterSecond = true, tracking = false;
    KeysWhenIdle({win::VK_DOWN, win::VK_RIGHT, win::VK_ESCAPE}); // New -> Open, its submenu, back
    ui.WhenIdle([&] {
        subOpenAfterFirst = win::MenuWindowOf(Open->Handle()) != nullptr;
        dropOpenAfterFirst = win::MenuWindowOf(File->Handle()) != nullptr;
        ui.Key(win::VK_ESCAPE);
    });
    ui.WhenIdle([&] {
        dropOpenAfterSecond = win::MenuWindowOf(File->Handle()) != nullptr;
        tracking = win::IsMenuTracking(); // the bar item stays selected
        ui.Key(win::VK_ESCAPE);
    });
    ui.Key('F', {ssAlt});
    EXPECT_FALSE(subOpenAfterFirst);
    EXPECT_TRUE(dropOpenAfterFirst);
    EXPECT_FALSE(dropOpenAfterSecond);
    EXPECT_TRUE(tracking);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_FALSE(win::IsMenuTracking());
    ASSERT_FALSE(log.Entries.empty());
    EXPECT_EQ(log.Entries.back(), "exit");
    EXPECT_EQ(std::count(log.Entries.begin(), log.Entries.end(), "uninit:Open"), 1);
    EXPECT_EQ(std::count(log.Entries.begin(), log.Entries.end(), "uninit:File"), 1);
}

// The browser's view is a native child widget that takes its own clicks; while the menu holds the mouse, a
// click on it is the menu's, as a click outside every menu: the menu closes and nothing is chosen.
TEST_F(MenuBarTest, AClickOnANativeChildWidgetClosesTheMenu) {
    const TPoint view = Form->ClientToScreen(TPoint{200, 60});
    ui.Screen().SetNativeChildren({TRect{view.X - 50, view.Y - 40, view.X + 90, view.Y + 40}});
    bool pressed = false;
    Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { pressed = true; };
    auto clickOnView = [&] {
        ui.Screen().MoveMouse(view.X, view.Y);
        ui.Screen().Press();
        ui.Screen().Release();
    };
    // Without a menu up the view keeps its clicks to itself.
    clickOnView();
    ui.Process();
    EXPECT_FALSE(pressed);

    ui.WhenIdle(clickOnView);
    menus.OpenMenu(Form, "File");
    EXPECT_FALSE(win::IsMenuTracking());
    EXPECT_EQ(win::MenuWindowOf(File->Handle()), nullptr);
    EXPECT_TRUE(Clicks.empty());
}

// The window manager's own drag never reaches the caption; the menu must not stay where the form was.
TEST_F(MenuBarTest, TheWindowManagerMovingTheFormClosesItsMenu) {
    ui.WhenIdle([&] { ui.Screen().WindowManagerMoves(Form->WindowHandle(), TRect{300, 250, 620, 450}); });
    menus.OpenMenu(Form, "File");
    EXPECT_FALSE(win::IsMenuTracking());
    EXPECT_EQ(win::MenuWindowOf(File->Handle()), nullptr);
    EXPECT_EQ(Form->Left(), 300);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(MenuBarTest, OpeningASubmenuRaisesItsParentsOnClickAfterTheShowDelayWhenRestingOnIt) {
    // Menus filled when they open rely on this.
    int opened = 0;
    Open->OnClick = [&](TObject*) {
        ++opened;
        if (Open->Count() == 2) AddItem(Open, "Recent3", "Recent &3");
    };
    menus.Choose(Form, "File|Open|Recent 3");
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Clicks, std::vector<String>{"Recent3"});

    // Resting on an item opens its submenu after the show delay.
    win::DWORD movedAt = 0, openedAt = 0;
    Open->OnClick = [&](TObject*) { openedAt = win::GetTickCount(); }; // runs as its submenu opens
    ui.WhenIdle([&] {
        uitest::TPoint p = uitest::MenuDriver::OpenItemPoint(Open);
        movedAt = win::GetTickCount();
        ui.Screen().MoveMouse(p.X, p.Y);
    });
    ui.WhenIdle([&] { menus.ClickOpenItem(Recent1); }); // only reachable once the submenu is open
    menus.OpenMenu(Form, "File");
    win::UINT delay = 0;
    win::SystemParametersInfo(win::SPI_GETMENUSHOWDELAY, 0, &delay, 0);
    EXPECT_GE(openedAt - movedAt, delay);
    EXPECT_EQ(Clicks, (std::vector<String>{"Recent3", "Recent1"}));
}

TEST_F(MenuBarTest, ShortcutRunsItsItemWithoutOpeningAMenu) {
    MenuLog log(Form->Handle(), Menu);
    ui.Key('N', {ssCtrl});
    EXPECT_EQ(Clicks, std::vector<String>{"New1"});
    EXPECT_TRUE(log.Entries.empty());
    // A disabled item, or one under a disabled parent, is not run.
    Copy->SetEnabled(false);
    ui.Key('C', {ssCtrl});
    Copy->SetEnabled(true);
    Edit->SetEnabled(false);
    ui.Key('C', {ssCtrl});
    EXPECT_EQ(Clicks, std::vector<String>{"New1"});
    Edit->SetEnabled(true);
    ui.Key('C', {ssCtrl});
    EXPECT_EQ(Clicks, (std::vector<String>{"New1", "Copy1"}));
}

TEST_F(MenuBarTest, ChangesRebuildTheBar) {
    auto* help = AddItem(Menu->Items(), "Help1", "&Help");
    AddItem(help, "About1", "&About");
    help->OnClick = nullptr;
    EXPECT_EQ(win::GetMenuItemCount(Menu->Handle()), 3);
    Edit->SetVisible(false);
    EXPECT_EQ(win::GetMenuItemCount(Menu->Handle()), 2);
    menus.Choose(Form, "Help|About");
    EXPECT_EQ(Clicks, std::vector<String>{"About1"});
    // Freeing the menu leaves the form without a bar, not with a dangling one.
    FreeComponent(Menu);
    Menu = nullptr;
    EXPECT_EQ(Form->Menu(), nullptr);
    EXPECT_EQ(win::GetMenu(Form->Handle()), nullptr);
}

TEST_F(MenuBarTest, MergedMenuReplacesItsGroupsAndIsOrderedByGroup) {
    Edit->SetGroupIndex(1);
    auto* other = new TMainMenu(Form);
    auto* childEdit = AddItem(other->Items(), "ChildEdit1", "E&dit here");
    childEdit->OnClick = nullptr;
    childEdit->SetGroupIndex(1);
    AddItem(childEdit, "Undo1", "&Undo");
    auto* tools = AddItem(other->Items(), "Tools1", "&Tools");
    tools->SetGroupIndex(2);
    auto bar = [&] {
        std::vector<String> r;
        for (int i = 0; i < win::GetMenuItemCount(Menu->Handle()); ++i) {
            char buf[32]{};
            win::GetMenuString(Menu->Handle(), static_cast<win::UINT>(i), buf, sizeof buf,
                               win::MF_BYPOSITION);
            r.push_back(buf);
        }
        return r;
    };
    Menu->Merge(other);
    EXPECT_EQ(bar(), (std::vector<String>{"&File", "E&dit here", "&Tools"}));
    // The merged items work like the bar's own, and their changes show.
    ui.WhenIdle([&] { ui.Type("u"); });
    ui.Key('D', {ssAlt});
    EXPECT_EQ(Clicks, std::vector<String>{"Undo1"});
    tools->SetCaption("&Extras");
    EXPECT_EQ(bar().back(), "&Extras");
    Menu->Unmerge(other);
    EXPECT_EQ(bar(), (std::vector<String>{"&File", "&Edit"}));
    // A merged menu that is freed leaves the bar.
    Menu->Merge(other);
    FreeComponent(other);
    EXPECT_EQ(bar(), (std::vector<String>{"&File", "&Edit"}));
}

TEST_F(MenuBarTest, HoveringTheBarHotLightsAnOwnerDrawnItem) {
    Menu->SetOwnerDraw(true);
    std::vector<std::pair<String, bool>> draws;
    for (TMenuItem* i : {File, Edit})
        i->OnAdvancedDrawItem = [&](TObject* Sender, TCanvas*, TRect, TOwnerDrawState S) {
            draws.push_back({static_cast<TMenuItem*>(Sender)->Name(), S.Contains(odHotLight)});
        };
    win::DrawMenuBar(Form->Handle());
    ui.Process();
    draws.clear();
    uitest::TPoint p = uitest::MenuDriver::BarItemPoint(Form, Edit);
    ui.Screen().MoveMouse(p.X, p.Y);
    ui.Process();
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back(), std::make_pair(String("Edit1"), true));
    // Into the client area: the hot-light goes.
    draws.clear();
    ui.MoveTo(Form);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back(), std::make_pair(String("Edit1"), false));
}

TEST_F(MenuBarTest, PictureOfTheBarWithAnOpenSubmenu) {
    File->Items(0)->SetChecked(true);
    bool written = false;
    ui.WhenIdle([&] { menus.ClickOpenItem(Open); });
    ui.WhenIdle([&] {
        uitest::TPoint p = uitest::MenuDriver::OpenItemPoint(Recent1);
        ui.Screen().MoveMouse(p.X, p.Y);
    });
    ui.WhenIdle([&] {
        ui.Process();
        written = ui.Screen().WriteScreenPng(uitest::UiDriver::OutputPath("MenuBarOpen.png"));
        // The highlighted submenu item is drawn in the highlight colour.
        uitest::TPoint p = uitest::MenuDriver::OpenItemPoint(Recent1);
        win::RECT r{};
        win::GetWindowRect(win::MenuWindowOf(Open->Handle()), &r);
        win::HDC dc = win::GetWindowDC(win::MenuWindowOf(Open->Handle()));
        EXPECT_THAT(win::GetPixel(dc, 5, p.Y - r.Top),
                    colortest::IsColor(win::GetSysColor(win::COLOR_HIGHLIGHT)));
        EXPECT_THAT(win::GetPixel(dc, 1, 1),
                    ::testing::Not(colortest::IsColor(win::GetSysColor(win::COLOR_HIGHLIGHT))));
        win::ReleaseDC(win::MenuWindowOf(Open->Handle()), dc);
        menus.CloseMenus();
    });
    menus.OpenMenu(Form, "File");
    EXPECT_TRUE(written);
}

} // namespace
