// What the user sees: rectangles, gradients, pens and anti-aliased paths, probed pixel by pixel.

#include <gtest/gtest.h>

#include "platform/win/Gdi.h"
#include "tests/foundation/AdvGDIPTestSupport.h"

using namespace AdvGDIP;
using namespace AdvGDIPTest;

namespace {

const ARGB kRed = MakeColor(255, 0, 0);
const ARGB kBlue = MakeColor(0, 0, 255);
const ARGB kWhite = MakeColor(255, 255, 255);
const ARGB kBlack = MakeColor(0, 0, 0);

std::vector<ARGB> AllPixels(TSurface& s, int width, int height) {
    std::vector<ARGB> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.push_back(s.Pixel(x, y));
    return out;
}

// The rounded rectangle the painters build: four quarter arcs joined by the closing lines.
void AddRoundRect(TGPGraphicsPath& path, float x, float y, float w, float h, float radius) {
    float d = radius * 2;
    path.AddArc(x, y, d, d, 180.0f, 90.0f);
    path.AddArc(x + w - d, y, d, d, 270.0f, 90.0f);
    path.AddArc(x + w - d, y + h - d, d, d, 0.0f, 90.0f);
    path.AddArc(x, y + h - d, d, d, 90.0f, 90.0f);
    path.CloseFigure();
}

} // namespace

TEST(AdvGDIPDraw, FillRectangleWithARectangleEqualsTheFourFloatForm) {
    TSurface a(20, 20), b(20, 20);
    a.Graphics->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    b.Graphics->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    TGPSolidBrush brush(MakeColor(0x80, 0x20, 0x40, 0x60));
    EXPECT_EQ(a.Graphics->FillRectangle(&brush, MakeRect(2.5f, 3.25f, 10.5f, 7.75f)), Ok);
    EXPECT_EQ(b.Graphics->FillRectangle(&brush, 2.5f, 3.25f, 10.5f, 7.75f), Ok);
    EXPECT_EQ(AllPixels(a, 20, 20), AllPixels(b, 20, 20));

    TGPPen pen(kBlack, 1.0f);
    EXPECT_EQ(a.Graphics->DrawRectangle(&pen, MakeRect(4.0f, 4.0f, 10.0f, 8.0f)), Ok);
    EXPECT_EQ(b.Graphics->DrawRectangle(&pen, 4.0f, 4.0f, 10.0f, 8.0f), Ok);
    EXPECT_EQ(AllPixels(a, 20, 20), AllPixels(b, 20, 20));
}

TEST(AdvGDIPDraw, SolidRectangleCoversExactlyItsPixels) {
    TSurface s(20, 20);
    TGPSolidBrush brush(kRed);
    ASSERT_EQ(s.Graphics->FillRectangle(&brush, 5.0f, 5.0f, 10.0f, 4.0f), Ok);
    EXPECT_EQ(s.Pixel(5, 5), kRed);
    EXPECT_EQ(s.Pixel(14, 8), kRed);
    EXPECT_EQ(s.Pixel(15, 8), kWhite);
    EXPECT_EQ(s.Pixel(14, 9), kWhite);
    EXPECT_EQ(s.Pixel(4, 5), kWhite);

    TGPPen pen(kBlack, 1.0f);
    ASSERT_EQ(s.Graphics->DrawRectangle(&pen, 2.0f, 12.0f, 10.0f, 5.0f), Ok);
    EXPECT_EQ(s.Pixel(2, 14), kBlack);  // left edge
    EXPECT_EQ(s.Pixel(12, 14), kBlack); // right edge: x + width
    EXPECT_EQ(s.Pixel(7, 14), kWhite);  // inside stays
}

TEST(AdvGDIPDraw, VerticalAndHorizontalLinearGradients) {
    TSurface s(100, 100);
    TGPLinearGradientBrush vertical(MakeRect(0.0f, 0.0f, 50.0f, 100.0f), kRed, kBlue,
                                    LinearGradientModeVertical);
    ASSERT_EQ(vertical.GetLastStatus(), Ok);
    ASSERT_EQ(s.Graphics->FillRectangle(&vertical, 0.0f, 0.0f, 50.0f, 100.0f), Ok);
    EXPECT_TRUE(Near(s.Pixel(25, 0), kRed, 6));
    EXPECT_TRUE(Near(s.Pixel(25, 99), kBlue, 6));
    EXPECT_TRUE(Near(s.Pixel(0, 0), s.Pixel(49, 0), 1)); // rows are uniform
    ARGB middle = s.Pixel(25, 50);
    EXPECT_NEAR(GetRed(middle), 127, 8);
    EXPECT_NEAR(GetBlue(middle), 127, 8);

    TGPLinearGradientBrush horizontal(TGPRect{50, 0, 50, 100}, kRed, kBlue, LinearGradientModeHorizontal);
    ASSERT_EQ(horizontal.GetLastStatus(), Ok);
    ASSERT_EQ(s.Graphics->FillRectangle(&horizontal, 50.0f, 0.0f, 50.0f, 100.0f), Ok);
    EXPECT_TRUE(Near(s.Pixel(50, 50), kRed, 8));
    EXPECT_TRUE(Near(s.Pixel(99, 50), kBlue, 8));
    EXPECT_TRUE(Near(s.Pixel(75, 0), s.Pixel(75, 99), 1)); // columns are uniform
}

TEST(AdvGDIPDraw, DiagonalGradientCorners) {
    TSurface s(100, 100);
    TGPLinearGradientBrush forward(MakeRect(0.0f, 0.0f, 100.0f, 100.0f), kWhite, kBlack,
                                   LinearGradientModeForwardDiagonal);
    ASSERT_EQ(s.Graphics->FillRectangle(&forward, 0.0f, 0.0f, 100.0f, 100.0f), Ok);
    EXPECT_TRUE(Near(s.Pixel(0, 0), kWhite, 6));
    EXPECT_TRUE(Near(s.Pixel(99, 99), kBlack, 6));
    ARGB topRight = s.Pixel(99, 0);
    EXPECT_TRUE(Near(topRight, s.Pixel(0, 99), 2));
    EXPECT_NEAR(GetRed(topRight), 127, 8);

    TSurface t(100, 100);
    TGPLinearGradientBrush backward(MakeRect(0.0f, 0.0f, 100.0f, 100.0f), kWhite, kBlack,
                                    LinearGradientModeBackwardDiagonal);
    ASSERT_EQ(t.Graphics->FillRectangle(&backward, 0.0f, 0.0f, 100.0f, 100.0f), Ok);
    EXPECT_TRUE(Near(t.Pixel(99, 0), kWhite, 6));
    EXPECT_TRUE(Near(t.Pixel(0, 99), kBlack, 6));
    EXPECT_NEAR(GetRed(t.Pixel(0, 0)), 127, 8);
}

TEST(AdvGDIPDraw, LinearGradientTilesBeyondItsRectangle) {
    TSurface s(10, 100);
    TGPLinearGradientBrush brush(MakeRect(0.0f, 0.0f, 10.0f, 50.0f), kRed, kBlue, LinearGradientModeVertical);
    ASSERT_EQ(s.Graphics->FillRectangle(&brush, 0.0f, 0.0f, 10.0f, 100.0f), Ok);
    EXPECT_TRUE(Near(s.Pixel(5, 49), kBlue, 8));
    EXPECT_TRUE(Near(s.Pixel(5, 50), kRed, 8)); // the second tile starts over
    EXPECT_TRUE(Near(s.Pixel(5, 99), kBlue, 8));
}

TEST(AdvGDIPDraw, GradientOfAnEmptyRectangleFailsAndDrawsNothing) {
    TSurface s(10, 10);
    TGPLinearGradientBrush brush(MakeRect(0.0f, 0.0f, 0.0f, 10.0f), kRed, kBlue,
                                 LinearGradientModeHorizontal);
    EXPECT_NE(brush.GetLastStatus(), Ok);
    EXPECT_NE(s.Graphics->FillRectangle(&brush, 0.0f, 0.0f, 10.0f, 10.0f), Ok);
    EXPECT_EQ(s.Pixel(5, 5), kWhite);
}

TEST(AdvGDIPDraw, AntiAliasedRoundedRectangle) {
    TSurface s(60, 40);
    s.Graphics->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    TGPGraphicsPath path;
    AddRoundRect(path, 0.0f, 0.0f, 60.0f, 40.0f, 10.0f);
    ASSERT_EQ(path.GetLastStatus(), Ok);
    TGPSolidBrush black(kBlack);
    ASSERT_EQ(s.Graphics->FillPath(&black, &path), Ok);

    EXPECT_EQ(s.Pixel(30, 20), kBlack); // inside
    // Pixel centres lie on integer coordinates, so the edge at y = 0 covers half of the first row.
    EXPECT_EQ(s.Pixel(30, 1), kBlack);
    EXPECT_NEAR(GetRed(s.Pixel(30, 0)), 128, 16);
    EXPECT_EQ(s.Pixel(0, 0), kWhite); // the cut corner
    ARGB edge = s.Pixel(3, 3);        // on the corner's arc: partly covered
    EXPECT_GT(GetRed(edge), 10);
    EXPECT_LT(GetRed(edge), 245);
    EXPECT_TRUE(Near(s.Pixel(59, 0), kWhite, 0));
    EXPECT_TRUE(Near(s.Pixel(0, 39), kWhite, 0));

    // The outline with a pen reaches the same arc.
    TSurface o(60, 40);
    o.Graphics->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    TGPPen pen(kBlack, 1.0f);
    ASSERT_EQ(o.Graphics->DrawPath(&pen, &path), Ok);
    EXPECT_EQ(o.Pixel(30, 20), kWhite);
    EXPECT_LT(GetRed(o.Pixel(30, 0)), 140);
    EXPECT_EQ(o.Graphics->DrawPath(nullptr, &path), InvalidParameter);
    EXPECT_EQ(o.Graphics->DrawPath(&pen, nullptr), InvalidParameter);
}

TEST(AdvGDIPDraw, DottedPenLeavesGaps) {
    TSurface s(40, 5);
    TGPPen pen(kBlack, 1.0f);
    ASSERT_EQ(pen.SetDashStyle(DashStyleDot), Ok);
    TGPGraphicsPath line;
    line.AddLine(0.0f, 2.0f, 40.0f, 2.0f);
    ASSERT_EQ(s.Graphics->DrawPath(&pen, &line), Ok);
    int dark = 0, light = 0;
    for (int x = 0; x < 40; ++x)
        (GetRed(s.Pixel(x, 2)) < 128 ? dark : light)++;
    EXPECT_GE(dark, 10);
    EXPECT_GE(light, 10);
}

TEST(AdvGDIPDraw, GraphicsOnADeviceContextDrawsIntoItsBitmap) {
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    win::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(win::BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = win::BI_RGB;
    void* bits = nullptr;
    win::HBITMAP dib = win::CreateDIBSection(dc, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    ASSERT_NE(bits, nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, reinterpret_cast<win::HGDIOBJ>(dib));
    {
        TGPGraphics g(dc);
        ASSERT_EQ(g.GetLastStatus(), Ok);
        TGPSolidBrush red(kRed);
        EXPECT_EQ(g.FillRectangle(&red, 4.0f, 4.0f, 8.0f, 8.0f), Ok);
        win::HDC inner = g.GetHDC();
        EXPECT_NE(inner, nullptr);
        g.ReleaseHDC(inner);
        g.Flush(FlushIntentionSync);
        EXPECT_EQ(g.GetLastStatus(), Ok);
    }
    const auto* px = static_cast<const std::uint32_t*>(bits);
    EXPECT_EQ(px[6 * 16 + 6] & 0x00FFFFFFu, 0x00FF0000u); // blue-green-red bytes: red in the third byte
    EXPECT_EQ(px[1 * 16 + 1] & 0x00FFFFFFu, 0x00000000u);
    win::SelectObject(dc, old);
    win::DeleteObject(reinterpret_cast<win::HGDIOBJ>(dib));
    win::DeleteDC(dc);
}
