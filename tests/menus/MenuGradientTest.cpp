// The menus' gradients and the composition of a background, probed on a bitmap.

#include "components/menus/AdvMenuGradient.h"
#include "tests/menus/MenuTestSupport.h"

namespace menutest {
namespace {

class MenuGradientTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        bmp.SetSize(100, 20);
        Clear(clFuchsia);
    }
    void Clear(TColor C) {
        bmp.Canvas()->Brush()->SetColor(C);
        bmp.Canvas()->FillRect(TRect{0, 0, 100, 20});
    }
    TColor At(int X, int Y) { return bmp.Canvas()->GetPixel(X, Y) & 0xFFFFFF; }
    static TColor Grey(int V) { return static_cast<TColor>(V | (V << 8) | (V << 16)); }

    TBitmap bmp;
};

TEST_F(MenuGradientTest, StepsStopOneShortOfTheSecondColourAndNoneIsASolidFill) {
    DrawGradient(bmp.Canvas(), TRect{0, 0, 10, 4}, clBlack, clWhite, gdVertical);
    const int rows[] = {0, 63, 127, 191};
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(At(5, y), Grey(rows[y])) << y;
    EXPECT_EQ(At(10, 0), clFuchsia); // nothing beyond the rectangle
    DrawGradient(bmp.Canvas(), TRect{0, 10, 4, 12}, clBlack, clWhite, gdHorizontal);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(At(x, 11), Grey(rows[x])) << x;
    // No second colour is a solid fill, and no colour paints nothing.
    DrawGradient(bmp.Canvas(), TRect{0, 0, 10, 10}, 0x336699, clNone, gdVertical);
    EXPECT_EQ(At(0, 0), TColor(0x336699));
    EXPECT_EQ(At(9, 9), TColor(0x336699));
    DrawGradient(bmp.Canvas(), TRect{20, 0, 30, 10}, clNone, clWhite, gdVertical);
    EXPECT_EQ(At(25, 5), clFuchsia);
}

TEST_F(MenuGradientTest, ClippedGradientsAndSeparatorBarsWithoutFade) {
    // Over 0..8 black to white; drawn only in 4..8, which starts at the whole's middle grey.
    DrawGradientClipped(bmp.Canvas(), TRect{0, 0, 8, 4}, TRect{4, 0, 100, 20}, clBlack, clWhite,
                        gdHorizontal);
    EXPECT_EQ(At(3, 1), clFuchsia);
    EXPECT_EQ(At(4, 1), Grey(127));
    DrawGradientClipped(bmp.Canvas(), TRect{0, 0, 8, 4}, TRect{50, 50, 60, 60}, clBlack, clWhite,
                        gdHorizontal);
    // A separator bar without fade is one solid line inside its margin.
    DrawGradientEx(bmp.Canvas(), TRect{0, 5, 100, 6}, 0x0000C0, clNone, gdHorizontal, gtBoth, 0, 2);
    EXPECT_EQ(At(1, 5), clFuchsia);
    EXPECT_EQ(At(2, 5), TColor(0x0000C0));
    EXPECT_EQ(At(97, 5), TColor(0x0000C0));
    EXPECT_EQ(At(98, 5), clFuchsia);
}

TEST_F(MenuGradientTest, FadingEndsFramesAndMirroredHalves) {
    // Both ends fade over 10 columns from the end colour (white) into the solid colour (black).
    DrawGradientEx(bmp.Canvas(), TRect{0, 0, 100, 2}, clBlack, clWhite, gdHorizontal, gtBoth, 20, 0);
    EXPECT_EQ(At(0, 0), clWhite);
    EXPECT_EQ(At(10, 0), clBlack);
    EXPECT_EQ(At(89, 0), clBlack);
    EXPECT_EQ(At(90, 0), clBlack);
    EXPECT_EQ(At(99, 1), Grey(229)); // the last fade step stops short of white
    // gtLeft: solid in the second colour, the fade at the start.
    Clear(clFuchsia);
    DrawGradientEx(bmp.Canvas(), TRect{0, 0, 100, 2}, clBlack, clWhite, gdHorizontal, gtLeft, 10, 0);
    EXPECT_EQ(At(0, 0), clBlack);
    EXPECT_EQ(At(50, 0), clWhite);
    // A vertical gtBoth bar doubles the fade width: 2 rows fade at each end of 20.
    Clear(clFuchsia);
    DrawGradientEx(bmp.Canvas(), TRect{0, 0, 4, 20}, clBlack, clWhite, gdVertical, gtBoth, 2, 0);
    EXPECT_EQ(At(1, 0), clWhite);
    EXPECT_EQ(At(1, 2), clBlack);
    EXPECT_EQ(At(1, 19), Grey(127));
    // Framed mirrored halves, and a frame alone.
    Clear(clFuchsia);
    DrawFramedVistaGradient(bmp.Canvas(), TRect{0, 0, 20, 20}, 0x000010, 0x000010, 0x100000, 0x100000,
                            gdVertical, clBlack);
    EXPECT_EQ(At(0, 5), clBlack);
    EXPECT_EQ(At(19, 19), clBlack);
    EXPECT_EQ(At(5, 9), TColor(0x000010));
    EXPECT_EQ(At(5, 10), TColor(0x100000));
    // Not filled: only the frame.
    Clear(clFuchsia);
    DrawFramedGradient(bmp.Canvas(), TRect{0, 0, 20, 20}, clRed, clRed, gdVertical, clBlack, false);
    EXPECT_EQ(At(0, 0), clBlack);
    EXPECT_EQ(At(10, 10), clFuchsia);
}

TEST_F(MenuGradientTest, FadeLinesAndBackgroundPictures) {
    Clear(clWhite);
    DrawFadeLine(bmp.Canvas(), TRect{0, 4, 40, 5}, TRect{0, 4, 0, 5}, clBlack, 10, false);
    EXPECT_EQ(At(19, 4), clWhite); // starts at the middle
    EXPECT_EQ(At(25, 4), clBlack);
    EXPECT_EQ(At(39, 4), clWhite); // the very end keeps what was there
    EXPECT_EQ(At(34, 4), Grey(255 - 255 * 5 / 10));
    Clear(clWhite);
    DrawFadeLine(bmp.Canvas(), TRect{0, 4, 60, 5}, TRect{40, 4, 50, 5}, clBlack, 0, true);
    EXPECT_EQ(At(5, 4), clBlack);
    EXPECT_EQ(At(45, 4), clWhite); // the gap under B
    EXPECT_EQ(At(55, 4), clBlack);
    Clear(clFuchsia);
    TBackground back;
    back.SetGradientColor(0, clBlack);
    back.SetGradientColor(1, clBlack);
    auto* pic = back.Image()->Bitmap();
    pic->SetSize(4, 4);
    pic->Canvas()->Brush()->SetColor(clRed);
    pic->Canvas()->FillRect(TRect{0, 0, 4, 4});
    pic->Canvas()->SetPixel(0, 3, clLime); // the corner colour is the see-through one
    back.Position = bpBottomRight;
    back.MarginX = 1;
    DrawImage(bmp.Canvas(), TRect{0, 0, 20, 20}, &back, true);
    EXPECT_EQ(At(0, 0), clFuchsia); // the margin
    EXPECT_EQ(At(1, 1), clBlack);   // the gradient
    EXPECT_EQ(At(18, 19), clRed);   // the picture in the corner, inside the margin
    EXPECT_EQ(At(15, 19), clBlack); // its see-through pixel
    back.Position = bpTiled;
    back.MarginX = 0;
    DrawImage(bmp.Canvas(), TRect{0, 0, 20, 20}, &back, true);
    EXPECT_EQ(At(2, 2), clRed);
    EXPECT_EQ(At(17, 17), clRed);
    EXPECT_EQ(At(4, 7), clBlack);
}

} // namespace
} // namespace menutest
