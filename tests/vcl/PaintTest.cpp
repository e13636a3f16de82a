// Painting: windowless children painted by their parent in z-order and clipped to their bounds, windowed
// children above them, invalidation, double buffering and PaintTo (pixel probes); the stacking of windowed
// children (what the screen shows and what the window list says), also for windows made later.

#include "platform/vcl/Bitmap.h"
#include "tests/vcl/ControlTestSupport.h"

namespace controltest {
namespace {

constexpr win::COLORREF kWhite = win::RGB(255, 255, 255);
constexpr win::COLORREF kRed = win::RGB(255, 0, 0);
constexpr win::COLORREF kGreen = win::RGB(0, 128, 0);
constexpr win::COLORREF kBlue = win::RGB(0, 0, 255);

class PaintTest : public ControlTest {
protected:
    TProbe* Probe(TWinControl* Parent, TColor Fill, TRect R) {
        TProbe* p = Child<TProbe>(Parent, "", R);
        p->Fill = Fill;
        return p;
    }
    TBox* Box(TColor Fill, TRect R) {
        TBox* b = Child<TBox>(host.get(), "", R);
        b->Fill = Fill;
        return b;
    }
};

TEST_F(PaintTest, WindowlessChildrenPaintInZOrderClippedToTheirBounds) {
    MakeHost(50, 50, 200, 150);
    TProbe* red = Probe(host.get(), clRed, Rect(10, 10, 60, 60));
    TProbe* green = Probe(host.get(), clGreen, Rect(30, 30, 80, 80));
    ShowHost();
    // The host's background; red alone; the later one on top; right and bottom edges excluded; red's fill
    // stops at its own bounds.
    ExpectHostPixels({{5, 5, kWhite},
                      {15, 15, kRed},
                      {40, 40, kGreen},
                      {75, 75, kGreen},
                      {80, 80, kWhite},
                      {60, 15, kWhite}});

    red->BringToFront();
    Pump();
    ExpectHostPixels({{40, 40, kRed}});
    red->SendToBack();
    Pump();
    ExpectHostPixels({{40, 40, kGreen}});

    // Hidden controls are not painted and their place is painted again.
    green->SetVisible(false);
    Pump();
    ExpectHostPixels({{40, 40, kRed}, {70, 70, kWhite}});
}

TEST_F(PaintTest, InvalidateRepaintsMovingLeavesNoTrailAndDrawingOutsidePaintingGivesItsContextBack) {
    MakeHost(50, 50, 200, 150);
    TProbe* p = Probe(host.get(), clRed, Rect(10, 10, 30, 30));
    ShowHost();
    int paints = p->Paints;
    p->Fill = clBlue;
    p->Invalidate();
    Pump();
    EXPECT_GT(p->Paints, paints);
    ExpectHostPixels({{20, 20, kBlue}});
    p->SetBounds(100, 100, 20, 20);
    Pump();
    ExpectHostPixels({{20, 20, kWhite}, {110, 110, kBlue}});
    // Repaint paints at once, without a trip through the queue.
    p->Fill = clGreen;
    p->Repaint();
    ExpectHostPixels({{110, 110, kGreen}});

    TBox* box = Box(clBlue, Rect(10, 10, 70, 50));
    Pump();
    // Drawing on the canvas outside painting takes a device context of the window...
    box->Canvas()->Brush()->SetColor(clRed);
    box->Canvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_TRUE(box->Canvas()->HandleAllocated());
    // ...which goes back (and so reaches the screen) once a control has handled a message.
    win::SendMessage(box->Handle(), win::WM_NULL, 0, 0);
    EXPECT_FALSE(box->Canvas()->HandleAllocated());
    ExpectHostPixels({{15, 15, kRed}});
    // A canvas someone is drawing on (locked) keeps its context.
    box->Canvas()->FillRect(Rect(0, 0, 10, 10));
    box->Canvas()->Lock();
    win::SendMessage(box->Handle(), win::WM_NULL, 0, 0);
    EXPECT_TRUE(box->Canvas()->HandleAllocated());
    box->Canvas()->Unlock();
    win::SendMessage(box->Handle(), win::WM_NULL, 0, 0);
    EXPECT_FALSE(box->Canvas()->HandleAllocated());
}

TEST_F(PaintTest, WindowedChildrenCoverWindowlessSiblingsAndPaintTheirOwn) {
    MakeHost(50, 50, 200, 150);
    TProbe* under = Probe(host.get(), clRed, Rect(0, 0, 100, 100));
    TBox* box = Box(clBlue, Rect(50, 50, 150, 130));
    Probe(box, clGreen, Rect(10, 10, 20, 20)); // in the box's coordinates
    under->BringToFront();                     // windowless z-order cannot lift it over a window
    ShowHost();
    // The box covers the red probe; the box's own child sits at (60, 60)..(80, 80).
    ExpectHostPixels({{25, 25, kRed}, {55, 55, kBlue}, {65, 65, kGreen}, {145, 125, kBlue}});
}

TEST_F(PaintTest, DoubleBufferedPaintsTheSame) {
    MakeHost(50, 50, 120, 80);
    host->SetDoubleBuffered(true);
    Probe(host.get(), clRed, Rect(10, 10, 40, 40));
    Probe(host.get(), clBlue, Rect(20, 20, 60, 60));
    ShowHost();
    ExpectHostPixels({{5, 5, kWhite}, {15, 15, kRed}, {30, 30, kBlue}, {119, 79, kWhite}});
}

TEST_F(PaintTest, PaintToDrawsTheControlTreeIntoAnotherContext) {
    MakeHost(50, 50, 100, 60);
    Probe(host.get(), clRed, Rect(0, 0, 20, 20));
    TBox* box = Box(clBlue, Rect(50, 10, 90, 50));
    Probe(box, clGreen, Rect(5, 5, 10, 10));
    // No window is needed to paint into a bitmap.
    TBitmap bmp(120, 80);
    bmp.Canvas()->Brush()->SetColor(clBlack);
    bmp.Canvas()->FillRect(Rect(0, 0, 120, 80));
    host->PaintTo(bmp.Canvas()->Handle(), 10, 10);
    EXPECT_FALSE(host->HandleAllocated());
    // Outside the control; the probe at the control's origin; the host's background; the windowed child;
    // its windowless child; clipped to the control's size.
    for (THostProbe p : std::vector<THostProbe>{{5, 5, win::RGB(0, 0, 0)},
                                                {15, 15, kRed},
                                                {40, 40, kWhite},
                                                {62, 22, kBlue},
                                                {67, 27, kGreen},
                                                {110, 70, win::RGB(0, 0, 0)}})
        EXPECT_THAT(bmp.Canvas()->GetPixel(p.X, p.Y), colortest::IsColor(p.Color))
            << "at (" << p.X << ", " << p.Y << ")";
}

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
