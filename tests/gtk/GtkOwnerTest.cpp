// A window's owner on the screen: the window manager is told it (WM_TRANSIENT_FOR), which keeps an owned
// window above its owner; when the owner changes, and when the native windows are made afresh in an order
// that makes the owned one first.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "GtkTestSupport.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"

namespace {

using namespace win;

constexpr const char* kClass = "KalvenorOwnerTest";

class GtkOwnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!gtktest::HaveDisplay()) GTEST_SKIP() << "needs an X display: run under xvfb-run";
        backend::SetBackend(gtkbackend::CreateGtkBackend());
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = kClass;
        ASSERT_NE(RegisterClassEx(&wc), 0);
    }
    void TearDown() override {
        for (HWND h : made)
            if (IsWindow(h)) DestroyWindow(h);
        UnregisterClass(kClass, nullptr);
        if (backend::HasBackend() && std::string(backend::GetBackend().Name()) == "gtk")
            backend::SetBackend(backend::CreateOffscreenBackend());
    }
    // A captioned pop-up window (a dialog, a box), shown.
    HWND Make(const char* title, HWND owner, int x) {
        HWND h = CreateWindowEx(0, kClass, title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, x, 100,
                                240, 160, owner, nullptr, nullptr, nullptr);
        made.push_back(h);
        return h;
    }
    static unsigned long Xid(HWND h) {
        detail::Wnd* w = detail::W(h);
        return w && w->Native ? gtktest::XidOf(w->Native.get()) : 0;
    }
    // The X window that the window manager is told h belongs to (0: none).
    static unsigned long TransientFor(HWND h) {
        gtktest::Pump(50);
        const std::string out = gtktest::XProp(Xid(h), "WM_TRANSIENT_FOR");
        const auto at = out.find("0x");
        return at == std::string::npos ? 0 : std::strtoul(out.c_str() + at, nullptr, 16);
    }

    std::vector<HWND> made;
};

TEST_F(GtkOwnerTest, AnOwnerGivenOrChangedLaterReachesTheWindowManager) {
    HWND main = Make("Main", nullptr, 100);
    HWND dialog = Make("Dialog", main, 200);
    HWND box = Make("Box", nullptr, 300);
    ASSERT_NE(Xid(main), 0u);
    EXPECT_EQ(TransientFor(dialog), Xid(main));
    EXPECT_EQ(TransientFor(box), 0u);
    // The box comes to belong to the dialog, then to nobody again.
    SetWindowLongPtr(box, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(dialog));
    EXPECT_EQ(TransientFor(box), Xid(dialog));
    SetWindowLongPtr(box, GWLP_HWNDPARENT, 0);
    EXPECT_EQ(TransientFor(box), 0u);
}

TEST_F(GtkOwnerTest, NativeWindowsMadeAfreshKeepTheirOwners) {
    HWND main = Make("Main", nullptr, 100);
    HWND box = Make("Box", main, 200);
    // The box stands above its owner, so a new backend makes its native window first, before its owner's.
    ASSERT_EQ(GetWindow(main, GW_HWNDPREV), box);
    backend::SetBackend(gtkbackend::CreateGtkBackend());
    ASSERT_NE(Xid(main), 0u);
    EXPECT_EQ(TransientFor(box), Xid(main));
}

} // namespace
