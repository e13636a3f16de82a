// The gauge's geometry on a bitmap in flat colours, the gradient routines and the panel text.

#include <climits>

#include <gtest/gtest.h>

#include "components/statusbar/AdvOfficeStatusBarDraw.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Screen.h"
#include "tests/support/ColorMatch.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using namespace AdvOfficeStatusBar;
using colortest::IsColor;

constexpr TColor L0 = 0x00FF00, L1 = 0x00FFFF, L2 = 0x53A9FF, L3 = 0x0000FF, Back = 0xFFFFFF;

// A pixel of a canvas as 0x00BBGGRR.
TColor PixelOf(TCanvas* Canvas, int X, int Y) {
    return Canvas->Pixels(X, Y) & 0xFFFFFF;
}

class GaugeDrawTest : public ::testing::Test {
protected:
    GaugeDrawTest() {
        s.Level0Color = L0, s.Level1Color = L1, s.Level2Color = L2, s.Level3Color = L3;
        s.Level0ColorTo = L0, s.Level1ColorTo = L1, s.Level2ColorTo = L2, s.Level3ColorTo = L3;
        s.ShowGradient = false;
        s.ShowPercentage = false;
        s.BackGround = Back;
    }
    // A gauge of 102 x 16 pixels: a fill length of 100 without a border.
    void Draw(int Value) {
        bmp.Canvas()->Brush()->SetColor(0x808080);
        bmp.Canvas()->FillRect(TRect{0, 0, 120, 20});
        DrawGauge(bmp.Canvas(), TRect{0, 0, 102, 16}, Value, s);
    }
    TColor At(int X, int Y) { return PixelOf(bmp.Canvas(), X, Y); }

    TBitmap bmp{120, 20};
    TGaugeSettings s;
};

TEST_F(GaugeDrawTest, ASegmentedBandWithGapsEveryNinePixels) {
    Draw(45);
    // The band runs from 2 to round(45 * 100 / 100) = 45, rows 2..12; gaps at 10, 19, 28, 37.
    EXPECT_THAT(At(2, 7), IsColor(L0));
    EXPECT_THAT(At(44, 7), IsColor(L0));
    EXPECT_THAT(At(45, 7), IsColor(Back));
    for (int gap : {10, 11, 19, 20, 28, 29, 37, 38})
        EXPECT_THAT(At(gap, 7), IsColor(Back)) << gap;
    for (int bar : {9, 12, 18, 21, 36, 39})
        EXPECT_THAT(At(bar, 7), IsColor(L0)) << bar;
    EXPECT_THAT(At(5, 1), IsColor(Back));
    EXPECT_THAT(At(5, 13), IsColor(Back));
    // Level colours by value.
    Draw(95);
    EXPECT_THAT(At(5, 7), IsColor(L2));
    Draw(100);
    EXPECT_THAT(At(5, 7), IsColor(L3));
    // Nothing at or below zero.
    Draw(0);
    EXPECT_THAT(At(5, 7), IsColor(Back));
    Draw(-20);
    EXPECT_THAT(At(5, 7), IsColor(Back));
}

TEST_F(GaugeDrawTest, StackedBandsTheSmoothFillTheFrameAndTheText) {
    s.Stacked = true;
    s.CompletionSmooth = true;
    Draw(80);
    // 70 % in Level0 from 1, then 10 % in Level1.
    EXPECT_THAT(At(1, 7), IsColor(L0));
    EXPECT_THAT(At(70, 7), IsColor(L0));
    EXPECT_THAT(At(71, 7), IsColor(L1));
    EXPECT_THAT(At(80, 7), IsColor(L1));
    EXPECT_THAT(At(81, 7), IsColor(Back));
    // At 100 the third band, flat in Level3, ends exactly at the fill length.
    Draw(100);
    EXPECT_THAT(At(95, 7), IsColor(L3));
    EXPECT_THAT(At(100, 7), IsColor(L3));
    EXPECT_THAT(At(101, 7), IsColor(Back));
    // Past 100 the fill stays inside the gauge.
    Draw(150);
    EXPECT_THAT(At(101, 7), IsColor(L3));
    EXPECT_THAT(At(102, 7), IsColor(0x808080));
    EXPECT_THAT(At(110, 7), IsColor(0x808080));
    // The frame and the text.
    s.Stacked = false;
    s.CompletionSmooth = false;
    s.ShowBorder = true;
    s.BorderColor = 0x000080;
    Draw(50);
    EXPECT_THAT(At(0, 7), IsColor(0x000080));
    EXPECT_THAT(At(101, 7), IsColor(0x000080));
    EXPECT_THAT(At(50, 0), IsColor(0x000080));
    // Inside the frame the fill length is 98: the band ends at 1 + round(50 * 98 / 100) = 50.
    EXPECT_THAT(At(49, 7), IsColor(L0));
    EXPECT_THAT(At(50, 7), IsColor(Back));
    // The text is drawn in the middle.
    s.ShowBorder = false;
    s.ShowPercentage = true;
    s.ShowAsPercent = true;
    Draw(0);
    bool text = false;
    for (int x = 35; x < 67; ++x)
        for (int y = 2; y < 14; ++y)
            text = text || At(x, y) != Back;
    EXPECT_TRUE(text);
}

// A position far outside Min..Max gives a value at an end of the int range: the gauge is full or empty
// in every way of filling, and nothing is drawn beside it.
TEST_F(GaugeDrawTest, AValueAtAnEndOfTheIntRangeFillsOrEmptiesTheGauge) {
    EXPECT_EQ(GaugeValue(0, 1, INT_MAX), INT_MAX);
    EXPECT_EQ(GaugeValue(0, 100, INT_MIN), INT_MIN);
    EXPECT_EQ(GaugeValue(INT_MIN, INT_MAX, INT_MAX), 100);
    EXPECT_EQ(GaugeValue(INT_MIN, INT_MAX, INT_MIN), 0);
    EXPECT_EQ(GaugeValue(INT_MAX, INT_MIN, INT_MIN), 100);
    const struct {
        bool Stacked, Smooth, Border;
    } ways[] = {{false, false, false}, {false, true, false}, {true, false, false},
                {true, true, false},   {false, false, true}, {true, true, true}};
    for (const auto& way : ways) {
        SCOPED_TRACE(testing::Message()
                     << "stacked " << way.Stacked << " smooth " << way.Smooth << " border " << way.Border);
        s.Stacked = way.Stacked;
        s.CompletionSmooth = way.Smooth;
        s.ShowBorder = way.Border;
        s.BorderColor = 0x000080;
        Draw(INT_MAX);
        EXPECT_THAT(At(5, 7), IsColor(way.Stacked ? L0 : L3));
        EXPECT_THAT(At(98, 7), IsColor(L3)) << "full to its right end";
        EXPECT_THAT(At(102, 7), IsColor(0x808080));
        EXPECT_THAT(At(119, 7), IsColor(0x808080));
        Draw(INT_MIN);
        EXPECT_THAT(At(5, 7), IsColor(Back));
        EXPECT_THAT(At(98, 7), IsColor(Back));
        EXPECT_THAT(At(102, 7), IsColor(0x808080));
    }
    // Levels at the ends of the range too: bands of any length stay inside the gauge.
    s.Stacked = true;
    s.ShowBorder = false;
    for (int level1 : {INT_MIN, 0, INT_MAX})
        for (int level2 : {INT_MIN, INT_MAX}) {
            s.Level1Perc = level1;
            s.Level2Perc = level2;
            Draw(INT_MAX);
            EXPECT_THAT(At(102, 7), IsColor(0x808080)) << level1 << " " << level2;
            EXPECT_THAT(At(110, 7), IsColor(0x808080)) << level1 << " " << level2;
        }
    // A gauge far wider than the canvas keeps aside only what the canvas shows (for the gaps).
    s.Stacked = false;
    s.CompletionSmooth = false;
    s.Level1Perc = 70;
    s.Level2Perc = 90;
    bmp.Canvas()->Brush()->SetColor(0x808080);
    bmp.Canvas()->FillRect(TRect{0, 0, 120, 20});
    DrawGauge(bmp.Canvas(), TRect{0, 0, 100000000, 16}, 50, s);
    EXPECT_THAT(At(10, 7), IsColor(Back)) << "a gap";
    EXPECT_THAT(At(50, 7), IsColor(L0));
    EXPECT_THAT(At(119, 7), IsColor(L0));
}

TEST(GradientDrawTest, GradientsRunFromTheirFirstToTheirLastColour) {
    TBitmap bmp(40, 40);
    DrawGradient(bmp.Canvas(), 0x000000, 0xFF0000, 4, TRect{0, 0, 40, 8}, true);
    EXPECT_THAT(PixelOf(bmp.Canvas(), 0, 4), IsColor(0x000000));
    EXPECT_THAT(PixelOf(bmp.Canvas(), 39, 4), IsColor(0xBF0000)); // the last of four steps: 3 * 255 / 4
    // A Vista fill: two halves, then the frame.
    DrawVistaGradient(bmp.Canvas(), TRect{0, 10, 20, 30}, 0x0000FF, 0x0000FF, 0x00FF00, 0x00FF00, 0xFF0000,
                      true, true);
    EXPECT_THAT(PixelOf(bmp.Canvas(), 5, 12), IsColor(0x0000FF));
    EXPECT_THAT(PixelOf(bmp.Canvas(), 5, 25), IsColor(0x00FF00));
    EXPECT_THAT(PixelOf(bmp.Canvas(), 0, 15), IsColor(0xFF0000));
    // Without a mirror one gradient fills it all; clNone as the colour fills nothing.
    DrawVistaGradient(bmp.Canvas(), TRect{20, 10, 40, 30}, 0x00FFFF, 0x00FFFF, clNone, clNone, clNone, true,
                      true);
    EXPECT_THAT(PixelOf(bmp.Canvas(), 30, 28), IsColor(0x00FFFF));
    DrawVistaGradient(bmp.Canvas(), TRect{20, 10, 40, 30}, clNone, 0x000000, clNone, clNone, clNone, true,
                      true);
    EXPECT_THAT(PixelOf(bmp.Canvas(), 30, 28), IsColor(0x00FFFF));
}

class PanelTextTest : public uitest::UiTest {
protected:
    PanelTextTest() {
        bmp.Canvas()->Font()->SetName(vcl::Screen->Fonts()->Strings(0));
        bmp.Canvas()->Font()->SetSize(9);
        bmp.Canvas()->Font()->SetColor(clBlack);
    }
    // Whether any pixel in the columns [From, To) differs from white.
    bool Inked(int From, int To) {
        for (int x = From; x < To; ++x)
            for (int y = 0; y < 20; ++y)
                if ((PixelOf(bmp.Canvas(), x, y) & 0xFFFFFF) != 0xFFFFFF) return true;
        return false;
    }
    void Clear() {
        bmp.Canvas()->Brush()->SetColor(clWhite);
        bmp.Canvas()->FillRect(TRect{0, 0, 200, 20});
        bmp.Canvas()->Brush()->SetStyle(bsClear);
    }
    TBitmap bmp{200, 20};
};

TEST_F(PanelTextTest, MeasuresAndCutsTextToItsRectangleBothWays) {
    const unsigned flags = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_NOPREFIX | win::DT_END_ELLIPSIS;
    for (AdvGDIP::TAntiAlias aa : {AdvGDIP::aaNone, AdvGDIP::aaAntiAlias}) {
        SCOPED_TRACE(aa);
        TRect calc{1, 1, 1, 1};
        DrawGDIPText(bmp.Canvas(), taLeftJustify, flags, TRect{0, 0, 200, 20}, "", bmp.Canvas()->Font(), true,
                     true, aa, true, false, calc);
        EXPECT_EQ(calc, (TRect{0, 0, 0, 0}));
        // Measuring draws nothing and gives about the canvas's own width of the text.
        Clear();
        DrawGDIPText(bmp.Canvas(), taLeftJustify, flags, TRect{0, 0, 200, 20}, "Measured",
                     bmp.Canvas()->Font(), true, false, aa, true, false, calc);
        EXPECT_FALSE(Inked(0, 200));
        EXPECT_NEAR(calc.Right - calc.Left, bmp.Canvas()->TextWidth("Measured"), 4);
        // A text too long for its rectangle is cut (with its ellipsis) inside it.
        Clear();
        DrawGDIPText(bmp.Canvas(), taLeftJustify, flags, TRect{10, 0, 60, 20},
                     "A rather long text for this place", bmp.Canvas()->Font(), true, true, aa, true, false,
                     calc);
        EXPECT_TRUE(Inked(10, 60));
        EXPECT_FALSE(Inked(61, 200));
    }
}

} // namespace
