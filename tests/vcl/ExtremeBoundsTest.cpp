// Forms and controls whose layout puts them at the ends of the int range: their bounds are kept within
// the controls' range, so that the form shows, is maximised, restored and moved, and its children find
// their place on the screen without any sum leaving the int range (the sanitizer checks every sum).

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/classes/LayoutReader.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Panel.h"
#include "platform/win/Metrics.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;

class ExtremeBoundsTest : public uitest::UiTest {};

String FormLayout(long long Left, long long Top, long long Width, long long Height) {
    auto line = [](const char* name, long long v) {
        return String("  ") + name + " = " + std::to_string(v) + "\n";
    };
    return "object Far: TForm\n" + line("Left", Left) + line("Top", Top) + line("Width", Width) +
           line("Height", Height) + "  object Inner: TPanel\n" + line("  Left", Left) + line("  Top", Top) +
           line("  Width", Width) + line("  Height", Height) + "  end\nend\n";
}

TEST_F(ExtremeBoundsTest, AFormLaidOutAtTheEndsOfTheIntRangeKeepsItsBoundsInRangeAndShows) {
    const long long ends[] = {INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1};
    for (long long at : ends) {
        SCOPED_TRACE(at);
        TComponentPtr<TForm> f(new TForm(Application));
        ReadComponentFromText(FormLayout(at, at, INT_MAX, INT_MAX), f.get(), "Far");
        const int kept = at > 0 ? MaxControlCoordinate : -MaxControlCoordinate;
        EXPECT_EQ(f->BoundsRect(), Bounds(kept, kept, MaxControlCoordinate, MaxControlCoordinate));
        auto* inner = static_cast<TControl*>(f->FindComponent("Inner"));
        ASSERT_NE(inner, nullptr);
        EXPECT_EQ(inner->BoundsRect(), f->BoundsRect());
        f->Show();
        ui.Process();
        // Shown, the form is a top-level window that the window system brings onto the screen and
        // within the maximum tracking size; the panel keeps its place, and its screen position is the
        // form's client origin plus that place, exactly.
        EXPECT_LE(f->Width(), win::GetSystemMetrics(win::SM_CXMAXTRACK));
        EXPECT_EQ(inner->BoundsRect(), Bounds(kept, kept, MaxControlCoordinate, MaxControlCoordinate));
        const TPoint origin = f->ClientOrigin();
        EXPECT_EQ(inner->ClientToScreen(TPoint{0, 0}), (TPoint{origin.X + kept, origin.Y + kept}));
        f->SetWindowState(wsMaximized);
        ui.Process();
        f->SetWindowState(wsNormal);
        ui.Process();
        // Moved and sized by code past the ends: the place is kept in range the same way, the size is
        // the window system's (between the tracking sizes).
        f->SetBounds(INT_MIN, INT_MAX, -5, INT_MAX);
        ui.Process();
        EXPECT_EQ(f->BoundsRect().TopLeft(), (TPoint{-MaxControlCoordinate, MaxControlCoordinate}));
        EXPECT_EQ(f->Height(), win::GetSystemMetrics(win::SM_CYMAXTRACK));
        // A client size at the end of the range: the frame is added to it in 64 bits.
        f->SetClientWidth(INT_MAX);
        EXPECT_EQ(f->Width(), win::GetSystemMetrics(win::SM_CXMAXTRACK));
    }
}

// A borderless form is not held to the tracking sizes: its picture keeps to what an image can be (32767
// pixels a side, 2^26 pixels in all) and holds the form's top-left part, painted.
TEST_F(ExtremeBoundsTest, ThePictureOfAFormLargerThanAnImageCanBeHoldsItsTopLeftPart) {
    auto borderless = [&](int Width, int Height) {
        auto* f = new TForm(Application);
        f->SetBorderStyle(bsNone);
        f->SetColor(clRed);
        f->SetBounds(0, 0, Width, Height);
        auto* b = new TButton(f);
        b->SetParent(f);
        b->SetBounds(0, 0, Width, 20);
        f->Show();
        b->SetFocus();
        ui.Process();
        return f;
    };
    const win::COLORREF red = win::RGB(255, 0, 0), none = 0xFFFFFFFF;
    TComponentPtr<TForm> wide(borderless(INT_MAX, 100));
    EXPECT_EQ(wide->Width(), MaxControlCoordinate);
    EXPECT_EQ(ui.Screen().WindowPixel(wide->Handle(), 32766, 99), red);
    EXPECT_EQ(ui.Screen().WindowPixel(wide->Handle(), 32767, 99), none);
    TComponentPtr<TForm> large(borderless(20000, 20000));
    const int rows = (1 << 26) / 20000;
    EXPECT_EQ(ui.Screen().WindowPixel(large->Handle(), 19999, rows - 1), red);
    EXPECT_EQ(ui.Screen().WindowPixel(large->Handle(), 0, rows), none);
}

} // namespace
