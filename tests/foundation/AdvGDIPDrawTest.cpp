// What the GDI+ wrappers hand over when drawing rectangles, gradients and paths, probed pixel by pixel.

#include <gtest/gtest.h>

#include "tests/foundation/AdvGDIPTestSupport.h"
#include "tests/support/ColorMatch.h"

using namespace AdvGDIP;
using namespace AdvGDIPTest;
using colortest::IsColor;
using colortest::IsColorNear;

namespace {

const ARGB kRed = MakeColor(255, 0, 0);
const ARGB kWhite = MakeColor(255, 255, 255);
const ARGB kBlack = MakeColor(0, 0, 0);

} // namespace

TEST(AdvGDIPDraw, BothRectangleFormsCoverExactlyTheirPixels) {
    TSurface rectForm(20, 20), floatForm(20, 20);
    TGPSolidBrush brush(kRed);
    TGPPen pen(kBlack, 1.0f);
    ASSERT_EQ(rectForm.Graphics->FillRectangle(&brush, MakeRect(5.0f, 5.0f, 10.0f, 4.0f)), Ok);
    ASSERT_EQ(floatForm.Graphics->FillRectangle(&brush, 5.0f, 5.0f, 10.0f, 4.0f), Ok);
    ASSERT_EQ(rectForm.Graphics->DrawRectangle(&pen, MakeRect(2.0f, 12.0f, 10.0f, 5.0f)), Ok);
    ASSERT_EQ(floatForm.Graphics->DrawRectangle(&pen, 2.0f, 12.0f, 10.0f, 5.0f), Ok);
    struct Probe {
        int X, Y;
        ARGB Expected;
    } probes[] = {
        {5, 5, kRed},   {14, 8, kRed},   {15, 8, kWhite},  {14, 9, kWhite},
        {4, 5, kWhite}, {2, 14, kBlack}, {12, 14, kBlack}, // the outline's right edge lies at x + width
        {7, 14, kWhite}};
    for (TSurface* s : {&rectForm, &floatForm})
        for (const Probe& p : probes)
            EXPECT_THAT(s->Pixel(p.X, p.Y), IsColor(p.Expected)) << p.X << "," << p.Y;
}

TEST(AdvGDIPDraw, EachGradientModeRunsFromItsStartCorner) {
    struct Case {
        LinearGradientMode Mode;
        int StartX, StartY, EndX, EndY;
    } cases[] = {{LinearGradientModeVertical, 50, 0, 50, 99},
                 {LinearGradientModeHorizontal, 0, 50, 99, 50},
                 {LinearGradientModeForwardDiagonal, 0, 0, 99, 99},
                 {LinearGradientModeBackwardDiagonal, 99, 0, 0, 99}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Mode));
        TSurface s(100, 100);
        // The integer rectangle form for the horizontal brush, the float form for the others.
        auto brush =
            c.Mode == LinearGradientModeHorizontal
                ? std::make_unique<TGPLinearGradientBrush>(TGPRect{0, 0, 100, 100}, kWhite, kBlack, c.Mode)
                : std::make_unique<TGPLinearGradientBrush>(MakeRect(0.0f, 0.0f, 100.0f, 100.0f), kWhite,
                                                           kBlack, c.Mode);
        ASSERT_EQ(s.Graphics->FillRectangle(brush.get(), 0.0f, 0.0f, 100.0f, 100.0f), Ok);
        EXPECT_THAT(s.Pixel(c.StartX, c.StartY), IsColorNear(kWhite, 8));
        EXPECT_THAT(s.Pixel(c.EndX, c.EndY), IsColorNear(kBlack, 8));
    }

    TSurface s(10, 10);
    TGPLinearGradientBrush empty(MakeRect(0.0f, 0.0f, 0.0f, 10.0f), kRed, kWhite,
                                 LinearGradientModeHorizontal);
    EXPECT_NE(empty.GetLastStatus(), Ok);
    EXPECT_NE(s.Graphics->FillRectangle(&empty, 0.0f, 0.0f, 10.0f, 10.0f), Ok);
    EXPECT_THAT(s.Pixel(5, 5), IsColor(kWhite));
}

TEST(AdvGDIPDraw, RoundedPathFilledAndOutlined) {
    // The rounded rectangle the painters build: four quarter arcs joined by the closing lines.
    TGPGraphicsPath path;
    const float d = 20.0f;
    path.AddArc(0.0f, 0.0f, d, d, 180.0f, 90.0f);
    path.AddArc(60.0f - d, 0.0f, d, d, 270.0f, 90.0f);
    path.AddArc(60.0f - d, 40.0f - d, d, d, 0.0f, 90.0f);
    path.AddArc(0.0f, 40.0f - d, d, d, 90.0f, 90.0f);
    path.CloseFigure();
    ASSERT_EQ(path.GetLastStatus(), Ok);

    TSurface s(60, 40);
    s.Graphics->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    TGPSolidBrush black(kBlack);
    ASSERT_EQ(s.Graphics->FillPath(&black, &path), Ok);
    EXPECT_THAT(s.Pixel(30, 20), IsColor(kBlack));
    EXPECT_THAT(s.Pixel(0, 0), IsColor(kWhite)); // the cut corner
    const ARGB arc = s.Pixel(3, 3);              // on the corner's arc: partly covered
    EXPECT_GT(GetRed(arc), 10);
    EXPECT_LT(GetRed(arc), 245);

    TSurface o(60, 40);
    TGPPen pen(kBlack, 1.0f);
    ASSERT_EQ(o.Graphics->DrawPath(&pen, &path), Ok);
    EXPECT_THAT(o.Pixel(30, 20), IsColor(kWhite));
    EXPECT_LT(GetRed(o.Pixel(30, 0)), 140);
    EXPECT_EQ(o.Graphics->DrawPath(nullptr, &path), InvalidParameter);
    EXPECT_EQ(o.Graphics->DrawPath(&pen, nullptr), InvalidParameter);
}
