// Stacking of windowed children: BringToFront and SendToBack move the child's window among its siblings'
// windows (what the screen shows and what the window list says), also for windows made later.

#include "tests/vcl/ControlTestSupport.h"

namespace controltest {
namespace {

constexpr win::COLORREF kRed = win::RGB(255, 0, 0);
constexpr win::COLORREF kBlue = win::RGB(0, 0, 255);
constexpr win::COLORREF kGreen = win::RGB(0, 128, 0);

class ZOrderTest : public ControlTest {
protected:
    TBox* Box(TColor Fill, TRect R) {
        TBox* b = Child<TBox>(host.get(), "", R);
        b->Fill = Fill;
        return b;
    }
    // The host's child windows, top first.
    std::vector<win::HWND> Stack() const {
        std::vector<win::HWND> v;
        for (win::HWND h = win::GetWindow(host->Handle(), win::GW_CHILD); h;
             h = win::GetWindow(h, win::GW_HWNDNEXT))
            v.push_back(h);
        return v;
    }
};

TEST_F(ZOrderTest, BringToFrontAndSendToBackRestackTheWindowsOnScreen) {
    MakeHost(50, 50, 200, 150);
    TBox* red = Box(clRed, Rect(10, 10, 90, 90));
    TBox* blue = Box(clBlue, Rect(50, 50, 130, 130));
    TBox* green = Box(clGreen, Rect(70, 20, 150, 60));
    // Restacked before its window is made, a child takes its place when it is.
    green->SendToBack();
    ShowHost();
    ExpectHostPixels({{60, 60, kBlue}, {80, 30, kRed}});
    EXPECT_EQ(Stack(), (std::vector<win::HWND>{blue->Handle(), red->Handle(), green->Handle()}));

    green->BringToFront();
    Pump();
    ExpectHostPixels({{80, 30, kGreen}, {60, 60, kBlue}});
    red->BringToFront();
    Pump();
    ExpectHostPixels({{60, 60, kRed}, {80, 30, kRed}, {100, 100, kBlue}});
    EXPECT_EQ(Stack(), (std::vector<win::HWND>{red->Handle(), green->Handle(), blue->Handle()}));
    EXPECT_EQ(host->WinControls().back(), red) << "the list follows the windows";
    EXPECT_EQ(host->ControlAtPos(TPoint{60, 60}, false, true, false), red);

    red->SendToBack();
    Pump();
    ExpectHostPixels({{60, 60, kBlue}, {80, 30, kGreen}, {20, 20, kRed}});
    EXPECT_EQ(win::ChildWindowFromPoint(host->Handle(), win::POINT{60, 60}), blue->Handle());
}

} // namespace
} // namespace controltest
