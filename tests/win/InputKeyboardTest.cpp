// Keyboard input: key messages and their lParam bits, system keys, key state and toggles, key names.

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

class InputKeyboard : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        top = Top(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        edit = Child(top, 0, 0, 100, 20);
        SetFocus(edit);
        Pump();
        Log().clear();
    }
    std::vector<Logged> Keys(HWND h) {
        std::vector<Logged> r;
        for (const Logged& l : Log())
            if (l.hwnd == h && l.msg >= WM_KEYFIRST && l.msg <= WM_KEYLAST) r.push_back(l);
        return r;
    }
    HWND top = nullptr, edit = nullptr;
};

TEST_F(InputKeyboard, KeyMessagesGoToTheFocusWithTheirBitsOrAsSystemKeysToTheActiveWindow) {
    screen->KeyDown(VK_LEFT);
    screen->KeyDown(VK_LEFT); // auto-repeat
    screen->KeyUp(VK_LEFT);
    Pump();
    auto k = Keys(edit);
    ASSERT_EQ(k.size(), 3u);
    EXPECT_EQ(k[0].msg, WM_KEYDOWN);
    EXPECT_EQ(k[0].wp, VK_LEFT);
    auto lp0 = static_cast<DWORD>(k[0].lp);
    EXPECT_EQ(lp0 & 0xFFFF, 1u);                            // repeat count
    EXPECT_EQ((lp0 >> 16) & 0xFF, 0x4Bu);                   // scan code
    EXPECT_EQ((lp0 >> 24) & 1, 1u);                         // extended key
    EXPECT_EQ((lp0 >> 30) & 1, 0u);                         // was up before
    EXPECT_EQ((static_cast<DWORD>(k[1].lp) >> 30) & 1, 1u); // a repeat: was down
    EXPECT_EQ(k[2].msg, WM_KEYUP);
    EXPECT_EQ(static_cast<DWORD>(k[2].lp) >> 30, 3u); // previous state and transition
    EXPECT_EQ(Count(top, WM_KEYDOWN), 0);
    SetFocus(nullptr);
    Log().clear();
    screen->PressKey('A');
    Pump();
    auto k2 = Keys(top);
    ASSERT_EQ(k2.size(), 3u);
    EXPECT_EQ(k2[0].msg, WM_SYSKEYDOWN);
    EXPECT_EQ(k2[1].msg, WM_SYSCHAR);
    EXPECT_EQ(k2[2].msg, WM_SYSKEYUP);
}

TEST_F(InputKeyboard, AltCombinationsAndF10AreSystemKeys) {
    int keyMenus = 0;
    WPARAM lastKey = 99;
    Override() = [&](HWND, UINT m, WPARAM w, LPARAM l, LRESULT*) {
        if (m == WM_SYSCOMMAND && (w & 0xFFF0) == SC_KEYMENU) {
            ++keyMenus;
            lastKey = static_cast<WPARAM>(l);
        }
        return false;
    };
    screen->KeyDown(VK_MENU);
    screen->PressKey('F');
    screen->KeyUp(VK_MENU);
    Pump();
    auto k = Keys(edit);
    std::vector<UINT> msgs;
    for (auto& l : k)
        msgs.push_back(l.msg);
    EXPECT_EQ(msgs, (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_SYSKEYUP}));
    EXPECT_EQ((static_cast<DWORD>(k[1].lp) >> 29) & 1, 1u); // context code: Alt is down
    EXPECT_EQ(k[2].wp, static_cast<WPARAM>('f'));
    EXPECT_EQ(keyMenus, 1); // Alt+F asked the menu for 'f'; the Alt release was not alone
    EXPECT_EQ(lastKey, static_cast<WPARAM>('f'));
    // Alt alone and F10 enter the menu bar with key 0.
    screen->PressKey(VK_MENU);
    screen->PressKey(VK_F10);
    Pump();
    EXPECT_EQ(keyMenus, 3);
    EXPECT_EQ(lastKey, 0u);
    // Alt+F4 closes the window.
    screen->KeyDown(VK_MENU);
    screen->PressKey(VK_F4);
    screen->KeyUp(VK_MENU);
    Pump();
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(InputKeyboard, ShiftF10AndTheMenuKeyAskTheFocusForItsContextMenu) {
    int keyMenus = 0;
    Override() = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
        if (m == WM_SYSCOMMAND && (w & 0xFFF0) == SC_KEYMENU) ++keyMenus;
        return false;
    };
    auto requests = [](HWND h) { return Sent(h, WM_CONTEXTMENU); };
    // Shift+F10 on its press; the Menu key on its release. From the keyboard: at (-1, -1), the focus
    // named; a child that does not answer passes the request to its parent.
    screen->KeyDown(VK_SHIFT);
    screen->KeyDown(VK_F10);
    Pump();
    ASSERT_EQ(requests(edit).size(), 1u);
    screen->KeyUp(VK_F10);
    screen->KeyUp(VK_SHIFT);
    screen->KeyDown(VK_APPS);
    Pump();
    EXPECT_EQ(requests(edit).size(), 1u) << "not yet: on the release";
    screen->KeyUp(VK_APPS);
    Pump();
    for (HWND h : {edit, top}) {
        auto r = requests(h);
        ASSERT_EQ(r.size(), 2u);
        for (const Logged& l : r) {
            EXPECT_EQ(l.wp, reinterpret_cast<WPARAM>(edit));
            EXPECT_EQ(l.lp, static_cast<LPARAM>(-1));
        }
    }
    EXPECT_EQ(keyMenus, 0) << "neither enters the menu bar";
}

TEST_F(InputKeyboard, KeyStateFollowsRetrievalAndTogglesLocksAndAHookCanSwallowKeys) {
    screen->KeyDown(VK_SHIFT);
    // The physical state changes at once; the thread's state when the message is retrieved.
    EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
    Pump();
    EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
    EXPECT_TRUE(GetKeyState(VK_LSHIFT) & 0x8000);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0); // the high bit makes it negative
    screen->KeyUp(VK_SHIFT);
    screen->PressKey(VK_CAPITAL);
    screen->PressKey(VK_NUMLOCK);
    Pump();
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
    EXPECT_EQ(GetKeyState(VK_NUMLOCK), 1);
    EXPECT_EQ(GetKeyState(VK_SCROLL), 0);
    screen->PressKey(VK_CAPITAL);
    Pump();
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 0);
    // With Caps Lock on, letters come out in capitals; with Shift, small.
    screen->PressKey(VK_CAPITAL);
    Log().clear();
    screen->PressKey('Q');
    screen->TypeText("q");
    Pump();
    EXPECT_EQ(WParams(nullptr, WM_CHAR), (std::vector<WPARAM>{'Q', 'q'}));
    BYTE state[256];
    GetKeyboardState(state);
    EXPECT_EQ(state[VK_CAPITAL] & 1, 1);
    // Mouse buttons are keys too.
    screen->MoveMouse(20, 40);
    screen->Press(backend::MouseButton::Right);
    Pump();
    EXPECT_TRUE(GetKeyState(VK_RBUTTON) & 0x8000);
    EXPECT_EQ(GetAsyncKeyState(VK_RBUTTON) & 1, 1); // pressed since the last question
    EXPECT_EQ(GetAsyncKeyState(VK_RBUTTON) & 1, 0);
    screen->Release(backend::MouseButton::Right);
    Pump();
    // A keyboard hook sees the keys and can swallow them.
    Log().clear();
    static int seen = 0;
    seen = 0;
    HHOOK hook = SetWindowsHookEx(
        WH_KEYBOARD,
        [](int code, WPARAM vk, LPARAM lp) -> LRESULT {
            if (code == HC_ACTION) ++seen;
            if (vk == VK_ESCAPE) return 1; // eaten
            return CallNextHookEx(nullptr, code, vk, lp);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    screen->PressKey(VK_ESCAPE);
    screen->PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(seen, 4);
    auto k = Keys(edit);
    ASSERT_EQ(k.size(), 3u); // return down, its character, return up
    EXPECT_EQ(k[0].wp, VK_RETURN);
    EXPECT_EQ(k[1].msg, WM_CHAR);
    EXPECT_EQ(k[1].wp, static_cast<WPARAM>('\r'));
    EXPECT_TRUE(UnhookWindowsHookEx(hook));
    EXPECT_FALSE(UnhookWindowsHookEx(hook));
}

TEST(KeyNames, EnglishNamesFromScanCodes) {
    auto name = [](UINT vk, bool ext) {
        char buf[64];
        LONG lp = static_cast<LONG>((MapVirtualKey(vk, MAPVK_VK_TO_VSC) << 16) | (ext ? (1u << 24) : 0));
        GetKeyNameText(lp, buf, sizeof buf);
        return std::string(buf);
    };
    // The extended bit as a caller sets it for every key but Backspace, Enter, Shift, Ctrl and Alt.
    EXPECT_EQ(name(VK_RETURN, false), "Enter");
    EXPECT_EQ(name(VK_CONTROL, false), "Ctrl");
    EXPECT_EQ(name('A', true), "A");
    EXPECT_EQ(name(VK_DELETE, true), "Delete");
    EXPECT_EQ(name(VK_PRIOR, true), "Page Up");
    EXPECT_EQ(name(VK_NUMLOCK, true), "Num Lock");
    EXPECT_EQ(name(VK_LEFT, true), "Left");
    EXPECT_EQ(name(VK_LEFT, false), "Num 4");
    EXPECT_EQ(name(VK_RETURN, true), "Num Enter");
    EXPECT_EQ(name(VK_CONTROL, true), "Right Ctrl");
    EXPECT_EQ(name(VK_OEM_COMMA, true), ",");
    // "Don't care" makes right and left the same.
    char buf[64];
    GetKeyNameText(static_cast<LONG>((0x1Du << 16) | (1u << 24) | (1u << 25)), buf, 64);
    EXPECT_STREQ(buf, "Ctrl");
    // A small buffer truncates.
    EXPECT_EQ(GetKeyNameText(static_cast<LONG>(0x3Au << 16), buf, 5), 4);
    EXPECT_STREQ(buf, "Caps");
    EXPECT_EQ(GetKeyNameText(static_cast<LONG>(0x7Fu << 16), buf, 64), 0);
    EXPECT_EQ(MapVirtualKey(0x1E, MAPVK_VSC_TO_VK), static_cast<UINT>('A'));
    EXPECT_EQ(MapVirtualKey(0x36, MAPVK_VSC_TO_VK), VK_SHIFT);
    EXPECT_EQ(MapVirtualKey(0x36, MAPVK_VSC_TO_VK_EX), VK_RSHIFT);
    EXPECT_EQ(MapVirtualKey(VK_OEM_2, MAPVK_VK_TO_CHAR), static_cast<UINT>('/'));
    EXPECT_EQ(MapVirtualKey('Z', MAPVK_VK_TO_CHAR), static_cast<UINT>('Z'));
    EXPECT_EQ(MapVirtualKey(VK_F1, MAPVK_VK_TO_CHAR), 0u);
}

} // namespace
} // namespace wintest
