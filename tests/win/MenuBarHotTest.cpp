// The menu bar's hot item, hot-tracked as the framework's forms do it (MenuBarHotTrack on WM_NCMOUSEMOVE,
// none on WM_NCMOUSELEAVE): it goes back to rest whatever the pointer leaves the bar for.

#include "platform/win/Menu.h"
#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

class MenuBarHot : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        top = Top(100, 100, 400, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        HMENU bar = CreateMenu();
        for (const char* caption : {"&File", "&Help"}) {
            HMENU sub = CreatePopupMenu();
            AppendMenu(sub, MF_STRING, 100, "&Item");
            AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), caption);
        }
        SetMenu(top, bar);
        Override() = [this](HWND h, UINT m, WPARAM, LPARAM lp, LRESULT*) {
            if (h == top && m == WM_NCMOUSEMOVE)
                MenuBarHotTrack(h, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            if (h == top && m == WM_NCMOUSELEAVE) MenuBarHotTrack(h, POINT{-32000, -32000});
            return false;
        };
        child = Child(top, 200, 50, 150, 150);
        Pump();
        GetMenuItemRect(top, GetMenu(top), 0, &item);
    }
    void TearDown() override {
        DestroyMenu(GetMenu(top));
        WinTest::TearDown();
    }
    // The hot item's raised edge: its top-left pixel in the highlight colour of 3-D elements.
    bool ItemHot() {
        RECT wr{};
        GetWindowRect(top, &wr);
        return screen->WindowPixel(top, item.Left - wr.Left, item.Top - wr.Top) ==
               GetSysColor(COLOR_BTNHIGHLIGHT);
    }

    HWND top = nullptr, child = nullptr;
    RECT item{};
};

TEST_F(MenuBarHot, TheHotItemComesToRestWhereverThePointerLeavesTheBarFor) {
    POINT onItem{(item.Left + item.Right) / 2, (item.Top + item.Bottom) / 2};
    POINT childCentre{};
    ClientToScreen(child, &childCentre);
    childCentre = {childCentre.X + 75, childCentre.Y + 75};
    HWND other = Top(600, 100, 200, 200, WS_POPUP | WS_VISIBLE);
    const std::vector<std::pair<const char*, POINT>> places{{"a child window", childCentre},
                                                            {"another window", POINT{700, 200}},
                                                            {"the desktop", POINT{900, 600}},
                                                            {"a native window not ours", POINT{120, 380}}};
    screen->SetForeignWindows({vcl::TRect{110, 370, 300, 395}});
    for (const auto& [name, place] : places) {
        screen->MoveMouse(onItem.X, onItem.Y);
        Pump();
        EXPECT_TRUE(ItemHot()) << name;
        screen->MoveMouse(place.X, place.Y);
        Pump();
        EXPECT_FALSE(ItemHot()) << "left for " << name;
    }
    DestroyWindow(other);
}

} // namespace
} // namespace wintest
