// The system menu of a framed window: opened by a press on the caption's icon (below the icon), by a right
// click on the caption (at the pointer) and by Alt+Space (below the icon, from the keyboard), its items
// enabled as the window's state allows, and its chosen command run as WM_SYSCOMMAND.

#include "platform/win/Menu.h"
#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

const UINT kCommands[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};

class SystemMenu : public MenuLoopTest {
protected:
    // The open menu's window rectangle on the screen (empty when it is not open).
    static RECT OpenMenuRect(HWND h) {
        RECT r{};
        if (HWND popup = MenuWindowOf(GetSystemMenu(h, FALSE))) GetWindowRect(popup, &r);
        return r;
    }
    static POINT ItemCentre(HWND h, UINT command) {
        HMENU sys = GetSystemMenu(h, FALSE);
        for (int i = 0; i < GetMenuItemCount(sys); ++i)
            if (GetMenuItemID(sys, i) == command) {
                RECT r{};
                GetMenuItemRect(nullptr, sys, static_cast<UINT>(i), &r);
                return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
            }
        ADD_FAILURE() << "no item " << command;
        return {};
    }
    // Which of Restore, Move, Size, Minimize, Maximize and Close are enabled, as "RMSNXC" with '-' for
    // greyed.
    static std::string Enabled(HWND h) {
        std::string r;
        const char letters[] = "RMSNXC";
        for (size_t i = 0; i < std::size(kCommands); ++i)
            r += (GetMenuState(GetSystemMenu(h, FALSE), kCommands[i], MF_BYCOMMAND) & MF_GRAYED) ? '-'
                                                                                                 : letters[i];
        return r;
    }
    static POINT ClientOrigin(HWND h) {
        POINT p{0, 0};
        ClientToScreen(h, &p);
        return p;
    }
    void AltSpace() {
        screen->KeyDown(VK_MENU);
        screen->PressKey(VK_SPACE);
        screen->KeyUp(VK_MENU);
    }
};

TEST_F(SystemMenu, APressOnTheIconOpensItBelowTheIconAndMaximizeMaximises) {
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    // Below the icon: its left edge at the frame's inner edge, its top at the caption's bottom (the
    // client area's top, the window having no menu bar).
    const POINT below = ClientOrigin(h);
    RECT opened{};
    steps.push_back([&] {
        opened = OpenMenuRect(h);
        // The menu is open while the button is still down; the release over the icon chooses nothing.
        screen->Release();
        POINT maximize = ItemCentre(h, SC_MAXIMIZE);
        screen->Click(maximize.X, maximize.Y);
    });
    screen->MoveMouse(108, 112); // the icon
    screen->Press();
    Pump();
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(opened.Left, below.X);
    EXPECT_EQ(opened.Top, below.Y);
    EXPECT_FALSE(IsMenuTracking());
    EXPECT_TRUE(IsZoomed(h));
    // The window heard of its menu as of any other, told it is the system menu, before it showed.
    Logged init = First(h, WM_INITMENUPOPUP);
    EXPECT_EQ(reinterpret_cast<HMENU>(init.wp), GetSystemMenu(h, FALSE));
    EXPECT_EQ(HIWORD(static_cast<DWORD>(init.lp)), TRUE);
    EXPECT_EQ(WParams(h, WM_SYSCOMMAND), (std::vector<WPARAM>{SC_MOUSEMENU | HTSYSMENU, SC_MAXIMIZE}));
}

TEST_F(SystemMenu, ADoubleClickOnTheIconClosesTheWindow) {
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    // The first press opens the menu; the second, within the double-click time, ends it and reaches the
    // window as the double click that closes it.
    steps.push_back([&] { screen->Click(108, 112); });
    screen->Click(108, 112);
    Pump();
    EXPECT_TRUE(steps.empty());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(IsMenuTracking());
}

TEST_F(SystemMenu, MoveAndSizeFromItFollowThePointerUntilAClick) {
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    // Move: the whole window goes with the pointer; Size: its bottom-right corner does, its top-left stays.
    for (UINT command : {SC_MOVE, SC_SIZE}) {
        RECT before{};
        GetWindowRect(h, &before);
        POINT chosen{};
        steps.push_back([&] {
            chosen = ItemCentre(h, command);
            screen->Click(chosen.X, chosen.Y);
        });
        screen->Click(before.Left + 8, before.Top + 12); // the icon
        Pump();
        ASSERT_TRUE(steps.empty());
        screen->MoveMouse(chosen.X + 40, chosen.Y + 30);
        Pump();
        screen->Click(chosen.X + 40, chosen.Y + 30);
        Pump();
        RECT after{};
        GetWindowRect(h, &after);
        if (command == SC_MOVE)
            EXPECT_EQ(after,
                      (RECT{before.Left + 40, before.Top + 30, before.Right + 40, before.Bottom + 30}));
        else
            EXPECT_EQ(after, (RECT{before.Left, before.Top, before.Right + 40, before.Bottom + 30}));
        // The loop ended with the click: the pointer moving on moves nothing.
        screen->MoveMouse(chosen.X + 90, chosen.Y + 90);
        Pump();
        RECT later{};
        GetWindowRect(h, &later);
        EXPECT_EQ(later, after);
    }
}

TEST_F(SystemMenu, ItsItemsAreEnabledAsTheWindowsStateAllows) {
    RegisterTestClass("KvNoClose", CS_NOCLOSE);
    struct Case {
        const char* Name;
        DWORD Style;
        int Show;
        const char* Class;
        const char* Enabled;
    } cases[] = {
        {"normal", WS_OVERLAPPEDWINDOW, SW_SHOWNORMAL, kClass, "-MSNXC"},
        {"maximised", WS_OVERLAPPEDWINDOW, SW_SHOWMAXIMIZED, kClass, "R--N-C"},
        {"minimised", WS_OVERLAPPEDWINDOW, SW_SHOWMINIMIZED, kClass, "R---XC"},
        {"no boxes, no sizing frame", WS_CAPTION | WS_SYSMENU, SW_SHOWNORMAL, kClass, "-M---C"},
        {"only a maximise box", WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX, SW_SHOWNORMAL, kClass, "-M--XC"},
        {"a class without close", WS_OVERLAPPEDWINDOW, SW_SHOWNORMAL, "KvNoClose", "-MSNX-"},
    };
    for (const Case& c : cases) {
        HWND h = Top(100, 100, 300, 200, c.Style, 0, nullptr, c.Class);
        ShowWindow(h, c.Show);
        Pump();
        std::string seen;
        steps.push_back([&] {
            seen = Enabled(h);
            screen->PressKey(VK_ESCAPE);
        });
        AltSpace();
        Pump();
        EXPECT_EQ(seen, c.Enabled) << c.Name;
        EXPECT_TRUE(steps.empty()) << c.Name;
        DestroyWindow(h);
    }
}

TEST_F(SystemMenu, TheWindowMayChangeTheItemsWhenToldOfThePopup) {
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    std::string atInit;
    Override() = [&](HWND hw, UINT m, WPARAM wp, LPARAM, LRESULT*) {
        if (hw == h && m == WM_INITMENUPOPUP) {
            atInit = Enabled(h);
            EnableMenuItem(reinterpret_cast<HMENU>(wp), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        }
        return false;
    };
    std::string shown;
    steps.push_back([&] {
        shown = Enabled(h);
        screen->PressKey(VK_ESCAPE);
    });
    ShowWindow(h, SW_SHOWMAXIMIZED);
    Pump();
    AltSpace();
    Pump();
    EXPECT_EQ(atInit, "R--N-C") << "already set by the window's state";
    EXPECT_EQ(shown, "R--N--") << "and the window's own change kept";
}

TEST_F(SystemMenu, AltSpaceOpensItFromTheKeyboardAndLeavesTheMenuBarAlone) {
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 100, "&Open");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    SetMenu(h, bar);
    Pump();
    HMENU sys = GetSystemMenu(h, FALSE);
    RECT opened{};
    UINT firstState = 0;
    COLORREF firstRow = 0;
    steps.push_back([&] {
        opened = OpenMenuRect(h);
        firstState = GetMenuState(sys, 0, MF_BYPOSITION);
        RECT first{};
        GetMenuItemRect(nullptr, sys, 0, &first);
        firstRow = screen->ScreenPixel(first.Left + 2, (first.Top + first.Bottom) / 2);
        EXPECT_TRUE(screen->WriteScreenPng("system-menu-alt-space.png"));
        screen->PressKey(VK_ESCAPE);
    });
    AltSpace();
    Pump();
    EXPECT_TRUE(steps.empty());
    EXPECT_FALSE(IsMenuTracking());
    // Below the icon: at the caption's bottom, above the menu bar.
    POINT client = ClientOrigin(h);
    EXPECT_EQ(opened.Left, client.X);
    EXPECT_EQ(opened.Top, client.Y - GetSystemMetrics(SM_CYMENU));
    EXPECT_TRUE(firstState & MF_HILITE) << "the first item selected";
    EXPECT_EQ(firstRow, GetSysColor(COLOR_HIGHLIGHT)) << "and drawn so";
    // The bar was not entered: the one menu loop was the popup's, over the system menu.
    EXPECT_EQ(WParams(h, WM_ENTERMENULOOP), (std::vector<WPARAM>{TRUE}));
    EXPECT_EQ(WParams(h, WM_INITMENU), (std::vector<WPARAM>{reinterpret_cast<WPARAM>(sys)}));

    // A mnemonic chooses: Alt+Space, then "x" maximises.
    steps.push_back([&] { screen->PressKey('X'); });
    AltSpace();
    Pump();
    EXPECT_TRUE(IsZoomed(h));

    // Alt alone and Alt+letter still enter the bar.
    Log().clear();
    steps.push_back([&] { screen->PressKey(VK_ESCAPE); });
    screen->PressKey(VK_MENU);
    Pump();
    bool fileOpened = false;
    steps.push_back([&] {
        fileOpened = MenuWindowOf(file) != nullptr;
        screen->PressKey(VK_ESCAPE);
        screen->PressKey(VK_ESCAPE);
    });
    screen->KeyDown(VK_MENU);
    screen->PressKey('F');
    screen->KeyUp(VK_MENU);
    Pump();
    EXPECT_TRUE(steps.empty());
    EXPECT_TRUE(fileOpened);
    EXPECT_EQ(WParams(h, WM_INITMENU),
              (std::vector<WPARAM>{reinterpret_cast<WPARAM>(bar), reinterpret_cast<WPARAM>(bar)}));
    SetMenu(h, nullptr);
    DestroyMenu(bar);
}

TEST_F(SystemMenu, ARightClickOnTheCaptionOpensItAtThePointerAndItsRightButtonChooses) {
    HWND h = Top(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    RECT opened{};
    steps.push_back([&] {
        opened = OpenMenuRect(h);
        POINT close = ItemCentre(h, SC_CLOSE);
        screen->Click(close.X, close.Y, backend::MouseButton::Right);
    });
    screen->Click(200, 110, backend::MouseButton::Right);
    Pump();
    EXPECT_EQ(opened.Left, 200);
    EXPECT_EQ(opened.Top, 110);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(SystemMenu, AWindowWithoutSysMenuShowsNone) {
    HWND h = Top(100, 100, 300, 200, WS_CAPTION | WS_THICKFRAME | WS_VISIBLE);
    Pump();
    screen->Click(200, 110, backend::MouseButton::Right);
    screen->Click(108, 112); // where an icon would be: the caption
    AltSpace();
    Pump();
    // Nothing opened (an open menu would have waited for a step and failed the test).
    EXPECT_EQ(Count(h, WM_INITMENU), 0);
    EXPECT_EQ(Count(h, WM_INITMENUPOPUP), 0);
}

} // namespace
} // namespace wintest
