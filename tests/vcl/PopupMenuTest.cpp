// Popup menus: Popup returns only once the menu has closed, choosing by mouse and keyboard, placement
// on the work area, owner drawing through measure and draw requests, and the "#32768" window a creation
// hook can find and shape.

#include "platform/vcl/ActnList.h"
#include "platform/vcl/Button.h"
#include "tests/support/ColorMatch.h"
#include "tests/vcl/MenuTestSupport.h"

namespace {

using namespace menutest;
using namespace vcl;

class PopupMenuTest : public MenuFormTest {
protected:
    void SetUp() override {
        MenuFormTest::SetUp();
        Popup = new TPopupMenu(Form);
        Popup->SetName("PopupMenu1");
        Cut = AddItem(Popup->Items(), "Cut1", "Cu&t");
        More = AddItem(Popup->Items(), "More1", "&More");
        More->OnClick = nullptr;
        Deeper = AddItem(More, "Deeper1", "&Deeper");
        Last = AddItem(Popup->Items(), "Last1", "&Last");
    }
    // Pops the menu up at (150, 150) and handles the command chosen while it was open.
    void ShowPopup() {
        Popup->Popup(150, 150);
        ui.Process();
    }
    TPopupMenu* Popup = nullptr;
    TMenuItem *Cut = nullptr, *More = nullptr, *Deeper = nullptr, *Last = nullptr;
};

TEST_F(PopupMenuTest, PopupReturnsOnlyWhenTheMenuHasClosedAndMessagesGoToItsOwnWindow) {
    bool openDuringPopup = false, clickedBeforeReturn = true;
    int popups = 0;
    Popup->OnPopup = [&](TObject*) { ++popups; };
    ui.WhenIdle([&] {
        openDuringPopup = win::IsWindowVisible(win::MenuWindowOf(Popup->Handle())) != 0;
        menus.ClickOpenItem(Last);
    });
    Popup->Popup(150, 150);
    // The menu is gone when Popup returns; the choice arrives as a posted command right after.
    clickedBeforeReturn = !Clicks.empty();
    EXPECT_EQ(win::MenuWindowOf(Popup->Handle()), nullptr);
    ui.Process();
    EXPECT_TRUE(openDuringPopup);
    EXPECT_FALSE(clickedBeforeReturn);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(Clicks, std::vector<String>{"Last1"});

    // The menu messages go in order to the popup list's own window.
    Clicks.clear();
    MenuLog log(PopupList().Window(), Popup);
    menus.ChoosePopup(Popup, "More|Deeper", 150, 150);
    EXPECT_EQ(Clicks, std::vector<String>{"Deeper1"});
    std::vector<String> expected{"enter",        "init",          "popup:(menu)",  "select:More",
                                 "popup:More",   "select:Deeper", "uninit:More",   "uninit:(menu)",
                                 "select:close", "exit",          "command:Deeper"};
    EXPECT_EQ(log.Entries, expected);
}

TEST_F(PopupMenuTest, KeyboardMovesOpensChoosesAndEscapeClosesOneLevel) {
    bool subOpen = false, subClosedByEscape = false, rootStillOpen = false;
    KeysWhenIdle({win::VK_DOWN, win::VK_DOWN, win::VK_RIGHT}); // Cut, More, opens More on Deeper
    ui.WhenIdle([&] {
        subOpen = win::MenuWindowOf(More->Handle()) != nullptr;
        ui.Key(win::VK_ESCAPE);
    });
    ui.WhenIdle([&] {
        subClosedByEscape = win::MenuWindowOf(More->Handle()) == nullptr;
        rootStillOpen = win::MenuWindowOf(Popup->Handle()) != nullptr;
        ui.Key(win::VK_RETURN); // More again: opens it with Deeper selected
    });
    ui.WhenIdle([&] { ui.Key(win::VK_RETURN); });
    ShowPopup();
    EXPECT_TRUE(subOpen);
    EXPECT_TRUE(subClosedByEscape);
    EXPECT_TRUE(rootStillOpen);
    EXPECT_EQ(Clicks, std::vector<String>{"Deeper1"});

    // Escape at the first level closes the menu with no choice.
    ui.WhenIdle([&] { ui.Key(win::VK_ESCAPE); });
    ShowPopup();
    EXPECT_EQ(Clicks, std::vector<String>{"Deeper1"});
    // A mnemonic chooses its item.
    ui.WhenIdle([&] { ui.Type("t"); }); // Cu&t
    ShowPopup();
    EXPECT_EQ(Clicks, (std::vector<String>{"Deeper1", "Cut1"}));
}

TEST_F(PopupMenuTest, MenuCharAnswersACharacterNoItemHas) {
    // A character no item has goes to the owner as WM_MENUCHAR; MNC_EXECUTE runs the item it names.
    win::HMENU h = win::CreatePopupMenu();
    win::AppendMenu(h, win::MF_STRING, 201, "&Alpha");
    win::AppendMenu(h, win::MF_STRING, 202, "&Beta");
    static int asked = 0;
    asked = 0;
    win::WNDCLASS wc{};
    wc.lpszClassName = "MenuCharOwner";
    wc.lpfnWndProc = [](win::HWND w, win::UINT m, win::WPARAM wp, win::LPARAM lp) -> win::LRESULT {
        if (m == win::WM_MENUCHAR) {
            ++asked;
            if (win::LOWORD(static_cast<win::DWORD>(wp)) == 'z') return win::MAKELPARAM(1, win::MNC_EXECUTE);
            return win::MAKELPARAM(0, win::MNC_CLOSE);
        }
        return win::DefWindowProc(w, m, wp, lp);
    };
    win::RegisterClass(&wc);
    win::HWND owner = win::CreateWindowEx(0, "MenuCharOwner", "", win::WS_POPUP, 0, 0, 10, 10, nullptr,
                                          nullptr, nullptr, nullptr);
    ui.WhenIdle([&] { ui.Type("z"); });
    EXPECT_EQ(win::TrackPopupMenu(h, win::TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 202);
    ui.WhenIdle([&] { ui.Type("q"); });
    EXPECT_EQ(win::TrackPopupMenu(h, win::TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 0);
    EXPECT_EQ(asked, 2);
    win::DestroyWindow(owner);
    win::DestroyMenu(h);
}

TEST_F(PopupMenuTest, TrackPopupMenuReturnsTheCommandHonoursAlignmentAndMenusFlipAtTheEdges) {
    win::HMENU h = win::CreatePopupMenu();
    win::AppendMenu(h, win::MF_STRING, 101, "&One");
    win::AppendMenu(h, win::MF_STRING | win::MF_GRAYED, 102, "&Two");
    win::AppendMenu(h, win::MF_STRING, 103, "T&hree");
    win::RECT placed{};
    ui.WhenIdle([&] {
        win::GetWindowRect(win::MenuWindowOf(h), &placed);
        ui.Type("h");
    });
    int cmd = win::TrackPopupMenu(h, win::TPM_RETURNCMD | win::TPM_RIGHTALIGN | win::TPM_BOTTOMALIGN, 400,
                                  300, 0, Form->Handle(), nullptr);
    EXPECT_EQ(cmd, 103);
    EXPECT_EQ(placed.Right, 400);
    EXPECT_EQ(placed.Bottom, 300);

    // Flipped left and up when the menu does not fit right of and below the point.
    win::MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    win::GetMonitorInfo(win::MonitorFromPoint({0, 0}, win::MONITOR_DEFAULTTOPRIMARY), &mi);
    ui.WhenIdle([&] {
        win::GetWindowRect(win::MenuWindowOf(h), &placed);
        ui.Key(win::VK_ESCAPE);
    });
    cmd = win::TrackPopupMenu(h, win::TPM_RETURNCMD, mi.rcWork.Right - 2, mi.rcWork.Bottom - 2, 0,
                              Form->Handle(), nullptr);
    EXPECT_EQ(cmd, 0);
    EXPECT_EQ(placed.Right, mi.rcWork.Right - 2);
    EXPECT_EQ(placed.Bottom, mi.rcWork.Bottom - 2);

    // A grayed item is not chosen by its mnemonic.
    ui.WhenIdle([&] { ui.Type("t"); });
    ui.WhenIdle([&] { ui.Key(win::VK_ESCAPE); });
    cmd = win::TrackPopupMenu(h, win::TPM_RETURNCMD, 100, 100, 0, Form->Handle(), nullptr);
    EXPECT_EQ(cmd, 0);
    win::DestroyMenu(h);

    // A submenu flips left at the right edge of the work area.
    win::RECT root{}, sub{};
    ui.WhenIdle([&] { menus.ClickOpenItem(More); });
    ui.WhenIdle([&] {
        win::GetWindowRect(win::MenuWindowOf(Popup->Handle()), &root);
        win::GetWindowRect(win::MenuWindowOf(More->Handle()), &sub);
        menus.CloseMenus();
    });
    Popup->Popup(mi.rcWork.Right - 60, 100);
    ui.Process();
    EXPECT_LE(root.Right, mi.rcWork.Right);
    EXPECT_LE(sub.Right, root.Left + 3);
    EXPECT_GE(sub.Left, mi.rcWork.Left);
}

TEST_F(PopupMenuTest, RightClickPopsUpTheNearestPopupMenuUpTheParents) {
    auto* button = new TButton(Form);
    button->SetName("Button1");
    static_cast<TControl*>(button)->SetParent(Form);
    button->SetBounds(10, 10, 75, 25);
    Form->SetPopupMenu(Popup); // the button has none of its own: its form's is used
    win::RECT placed{};
    ui.WhenIdle([&] {
        win::GetWindowRect(win::MenuWindowOf(Popup->Handle()), &placed);
        menus.ClickOpenItem(Cut);
    });
    ui.Click(button, 20, 5, backend::MouseButton::Right);
    EXPECT_EQ(Popup->PopupComponent(), button);
    EXPECT_EQ(Clicks, std::vector<String>{"Cut1"});
    TPoint at = button->ClientToScreen({20, 5});
    EXPECT_EQ(placed.Left, at.X);
    EXPECT_EQ(placed.Top, at.Y);

    // Without AutoPopup a right click shows nothing (no menu loop runs).
    Popup->SetAutoPopup(false);
    ui.Click(button, 20, 5, backend::MouseButton::Right);
    EXPECT_FALSE(win::IsMenuTracking());
    EXPECT_EQ(Clicks, std::vector<String>{"Cut1"});
}

TEST_F(PopupMenuTest, AnItemFollowsItsActionAndRunsIt) {
    auto* list = new TActionList(Form);
    auto* action = new TAction(Form);
    action->SetActionList(list);
    action->SetCaption("&Print");
    action->SetShortCut(ShortCut('P', {ssCtrl}));
    int executed = 0, updated = 0;
    action->OnExecute = [&](TObject*) { ++executed; };
    action->OnUpdate = [&](TObject*) {
        ++updated;
        action->SetEnabled(updated < 3);
    };
    Last->OnClick = nullptr;
    Last->SetAction(action);
    EXPECT_EQ(Last->Caption(), "&Print");
    EXPECT_EQ(Last->ShortCut(), ShortCut('P', {ssCtrl}));
    action->SetCaption("Print &Now");
    EXPECT_EQ(Last->Caption(), "Print &Now");
    char text[64]{};
    win::GetMenuString(Popup->Handle(), 2, text, sizeof text, win::MF_BYPOSITION);
    EXPECT_STREQ(text, "Print &Now\tCtrl+P");

    // Opening the menu lets the action update the item; choosing it runs the action (which updates
    // once more before it executes).
    ui.WhenIdle([&] { menus.ClickOpenItem(Last); });
    ShowPopup();
    EXPECT_EQ(updated, 2);
    EXPECT_EQ(executed, 1);
    // The next opening disables it through its action: a click then does nothing.
    ui.WhenIdle([&] { menus.ClickOpenItem(Last); });
    ui.WhenIdle([&] { menus.CloseMenus(); });
    ShowPopup();
    EXPECT_FALSE(Last->Enabled());
    EXPECT_EQ(executed, 1);
    // Freeing the action unlinks the item.
    FreeComponent(action);
    EXPECT_EQ(Last->Action(), nullptr);
}

class OwnerDrawMenuTest : public PopupMenuTest {
protected:
    struct Draw {
        String Name;
        TRect Rect;
        TOwnerDrawState State;
    };
    void SetUp() override {
        PopupMenuTest::SetUp();
        Popup->SetOwnerDraw(true);
        for (TMenuItem* i : {Cut, More, Last, Deeper}) {
            i->OnMeasureItem = [this](TObject* Sender, TCanvas*, int& W, int& H) {
                auto* item = static_cast<TMenuItem*>(Sender);
                W = item == More ? 120 : 90;
                H = item == Cut ? 30 : 20;
            };
            i->OnAdvancedDrawItem = [this](TObject* Sender, TCanvas* C, TRect R, TOwnerDrawState S) {
                Draws.push_back({static_cast<TMenuItem*>(Sender)->Name(), R, S});
                C->Brush()->SetColor(S.Contains(odSelected) ? clRed : clLime);
                // Paints past its own rectangle: nothing clips it to the item.
                C->FillRect(TRect{R.Left, R.Top, R.Right + 2, R.Bottom});
            };
        }
        Last->SetEnabled(false);
        Cut->SetChecked(true);
    }
    std::vector<Draw> Draws;
};

TEST_F(OwnerDrawMenuTest, ItemsAreMeasuredStackedAndDrawnWithTheirStates) {
    win::RECT wr{};
    win::COLORREF pastRight = 0;
    ui.WhenIdle([&] {
        win::HWND w = win::MenuWindowOf(Popup->Handle());
        win::GetWindowRect(w, &wr);
        win::HDC dc = win::GetWindowDC(w);
        pastRight = win::GetPixel(dc, 3 + 120, 3 + 5); // one pixel right of the widest item
        win::ReleaseDC(w, dc);
        uitest::TPoint p = uitest::MenuDriver::OpenItemPoint(More);
        ui.Screen().MoveMouse(p.X, p.Y);
    });
    ui.WhenIdle([&] { menus.CloseMenus(); });
    ShowPopup();
    // Window = widest item + 6 by the sum of heights + 6; items start 3 pixels in.
    EXPECT_EQ(wr.Width(), 120 + 6);
    EXPECT_EQ(wr.Height(), 30 + 20 + 20 + 6);
    ASSERT_GE(Draws.size(), 3u);
    EXPECT_EQ(Draws[0].Name, "Cut1");
    EXPECT_EQ(Draws[0].Rect, (TRect{3, 3, 123, 33}));
    EXPECT_TRUE(Draws[0].State.Contains(odChecked));
    EXPECT_EQ(Draws[1].Rect, (TRect{3, 33, 123, 53}));
    EXPECT_EQ(Draws[2].Name, "Last1");
    EXPECT_TRUE(Draws[2].State.Contains(odGrayed));
    EXPECT_TRUE(Draws[2].State.Contains(odDisabled));
    EXPECT_FALSE(Draws[2].State.Contains(odSelected));
    // The item a little past the widest one was painted by the owner (lime), not left to the frame.
    EXPECT_THAT(pastRight, colortest::IsColor(win::RGB(0, 255, 0)));
    // Hovering More repainted it selected.
    auto hovered =
        std::find_if(Draws.begin() + 3, Draws.end(), [](const Draw& d) { return d.Name == "More1"; });
    ASSERT_NE(hovered, Draws.end());
    EXPECT_TRUE(hovered->State.Contains(odSelected));
}

TEST_F(OwnerDrawMenuTest, BarItemsStartFromTheBarButtonSizeAndTheLastMayPaintToTheBarsEnd) {
    Menu->SetOwnerDraw(true);
    std::vector<std::pair<int, int>> measured;
    TRect lastRect;
    File->OnMeasureItem = [&](TObject*, TCanvas*, int& W, int& H) {
        measured.push_back({W, H});
        W = -7 + 40;
    };
    Edit->OnMeasureItem = File->OnMeasureItem;
    Edit->OnAdvancedDrawItem = [&](TObject*, TCanvas* C, TRect R, TOwnerDrawState) {
        lastRect = R;
        C->Brush()->SetColor(clBlue);
        win::RECT client{};
        win::GetClientRect(Form->Handle(), &client);
        C->FillRect(TRect{R.Left, R.Top, R.Left + 300, R.Bottom}); // to the bar's right end
    };
    win::DrawMenuBar(Form->Handle());
    ui.Process();
    ASSERT_FALSE(measured.empty());
    EXPECT_EQ(measured[0], std::make_pair(win::GetSystemMetrics(win::SM_CXMENUSIZE),
                                          win::GetSystemMetrics(win::SM_CYMENUSIZE)));
    const int frame = win::GetSystemMetrics(win::SM_CXSIZEFRAME);
    EXPECT_EQ(lastRect.Left, frame + 33);
    EXPECT_EQ(lastRect.Width(), 33);
    // Right of the last item, the bar shows the owner's paint.
    EXPECT_THAT(ui.Pixel(Form, lastRect.Right + 50, lastRect.Top + 5),
                colortest::IsColor(win::RGB(0, 0, 255)));
}

TEST_F(OwnerDrawMenuTest, FirstItemIsMeasuredThroughThePopupListWindowAndAFilterHookSeesTheMenuLoop) {
    win::MEASUREITEMSTRUCT mis{win::ODT_MENU, 0, Cut->Command(), 10, 10, 0};
    EXPECT_EQ(
        win::SendMessage(PopupList().Window(), win::WM_MEASUREITEM, 0, reinterpret_cast<win::LPARAM>(&mis)),
        1);
    EXPECT_EQ(mis.itemWidth, 90u);
    EXPECT_EQ(mis.itemHeight, 30u);
    // An unknown command is left alone.
    win::MEASUREITEMSTRUCT other{win::ODT_MENU, 0, 0xFFFE, 10, 10, 0};
    EXPECT_EQ(
        win::SendMessage(PopupList().Window(), win::WM_MEASUREITEM, 0, reinterpret_cast<win::LPARAM>(&other)),
        0);
    EXPECT_EQ(other.itemWidth, 10u);

    // A message filter hook sees the menu loop's messages.
    static int filtered = 0;
    filtered = 0;
    win::WindowsHook hook(win::WH_MSGFILTER, [](int code, win::WPARAM wp, win::LPARAM lp) -> win::LRESULT {
        auto* msg = reinterpret_cast<win::MSG*>(lp);
        if (code == win::MSGF_MENU) {
            ++filtered;
            // Swallows Escape: the menu never sees it.
            if (msg->message == win::WM_KEYDOWN && msg->wParam == win::VK_ESCAPE) return 1;
        }
        return win::CallNextHookEx(nullptr, code, wp, lp);
    });
    bool stillOpen = false;
    ui.WhenIdle([&] { ui.Key(win::VK_ESCAPE); });
    ui.WhenIdle([&] {
        stillOpen = win::IsMenuTracking();
        menus.CloseMenus();
    });
    ShowPopup();
    hook.Remove();
    EXPECT_TRUE(stillOpen);
    EXPECT_GT(filtered, 0);
}

TEST_F(OwnerDrawMenuTest, CreationHookShapesTheMenuWindowWhichNamesItsMenuAndItemPlaces) {
    static win::HWND seen = nullptr;
    static int created = 0;
    seen = nullptr;
    created = 0;
    win::WindowsHook hook(win::WH_CBT, [](int code, win::WPARAM wp, win::LPARAM lp) -> win::LRESULT {
        if (code == win::HCBT_CREATEWND) {
            char cls[32]{};
            win::GetClassName(reinterpret_cast<win::HWND>(wp), cls, sizeof cls);
            if (String(cls) == win::MENU_WINDOW_CLASS) {
                ++created;
                seen = reinterpret_cast<win::HWND>(wp);
                auto* cs = reinterpret_cast<win::CBT_CREATEWND*>(lp)->lpcs;
                // Cut the outermost pixel all round, as a styled menu does.
                win::SetWindowRgn(seen, win::CreateRectRgn(1, 1, cs->cx - 1, cs->cy - 1), win::FALSE);
            }
        }
        return win::CallNextHookEx(nullptr, code, wp, lp);
    });
    win::RECT box{}, first{}, wr{};
    win::HMENU named = nullptr;
    int kind = 0;
    ui.WhenIdle([&] {
        kind = win::GetWindowRgnBox(win::MenuWindowOf(Popup->Handle()), &box);
        // The open menu window names its menu and its items' places.
        win::HWND w = win::FindWindow(win::MENU_WINDOW_CLASS, nullptr);
        named = reinterpret_cast<win::HMENU>(win::SendMessage(w, win::MN_GETHMENU, 0, 0));
        win::GetMenuItemRect(nullptr, named, 0, &first);
        win::GetWindowRect(w, &wr);
        menus.CloseMenus();
    });
    ShowPopup();
    hook.Remove();
    EXPECT_EQ(named, Popup->Handle());
    EXPECT_EQ(first, (win::RECT{wr.Left + 3, wr.Top + 3, wr.Left + 123, wr.Top + 33}));
    EXPECT_EQ(created, 1);
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(kind, win::SIMPLEREGION);
    EXPECT_EQ(box, (win::RECT{1, 1, 120 + 6 - 1, 30 + 20 + 20 + 6 - 1}));
}

} // namespace
