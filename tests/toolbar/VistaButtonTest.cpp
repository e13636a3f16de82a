// The content a Vista face carries over its surface: caption, glyph, focus frame and drop-down part,
// on the Vista button face and on the Vista gradient, probed pixel by pixel.

#include "components/toolbar/styler/ToolBarDraw.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

constexpr TColor Face = 0x3C78C8;   // the upper pair (red 200, green 120, blue 60)
constexpr TColor Mirror = 0x50A0E6; // the lower pair
constexpr TColor Border = 0x402000;
constexpr TColor Red = 0x0000FF;
constexpr TColor Grey = 0x808080; // RGB(128, 128, 128): disabled text and arrow

class VistaButtonTest : public uitest::UiTest {
protected:
    VistaButtonTest() : bmp(240, 120) {
        c = bmp.Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect{0, 0, 240, 120});
        font.SetName("Tahoma");
        font.SetColor(clBlack);
        images = std::make_unique<TImageList>(nullptr);
        images->SetWidth(16);
        images->SetHeight(16);
        TBitmap b(16, 16);
        b.Canvas()->Brush()->SetColor(Red);
        b.Canvas()->FillRect(TRect{0, 0, 16, 16});
        images->Add(&b, nullptr);
    }
    TColor At(int X, int Y) { return c->GetPixel(X, Y); }
    int Count(const TRect& R, TColor Colour) {
        int n = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                n += At(x, y) == Colour;
        return n;
    }
    // The bounds of the pixels of one colour, or of the caption's ink (dark pixels: the text is
    // smoothed at its edges), within R.
    template <typename Pred> TRect BoundsOf(const TRect& R, Pred P) {
        TRect b{1000, 1000, -1, -1};
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                if (P(At(x, y)))
                    b = TRect{std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1),
                              std::max(b.Bottom, y + 1)};
        return b;
    }
    TRect Bounds(TColor Colour) {
        return BoundsOf(TRect{0, 0, 240, 120}, [Colour](TColor P) { return P == Colour; });
    }
    TRect Ink(const TRect& R) {
        return BoundsOf(R, [](TColor P) {
            return win::GetRValue(P) < 0x60 && win::GetGValue(P) < 0x60 && win::GetBValue(P) < 0x60;
        });
    }
    TVistaButtonInput Button(const TRect& R) {
        TVistaButtonInput in;
        in.Canvas = c;
        in.R = R;
        in.Color = in.ColorTo = Face;
        in.ColorMirror = in.ColorMirrorTo = Mirror;
        in.BorderColor = Border;
        in.Content.Font = &font;
        return in;
    }
    TBitmap bmp;
    TCanvas* c = nullptr;
    TFont font;
    std::unique_ptr<TImageList> images;
};

TEST_F(VistaButtonTest, ASplitDropDownPartIsShadedUnlessPressedAndCutOffByABorderLine) {
    TVistaButtonInput in = Button(TRect{0, 0, 100, 24});
    in.Content.DropDownButton = true;
    in.Content.DropDownSplit = true;
    DrawVistaButton(in);
    // The part's background pieces are 12 pixels wide, 10 % darker.
    EXPECT_COLOR(At(50, 5), Face);
    EXPECT_COLOR(At(95, 5), BrightnessColor(Face, -10));
    EXPECT_COLOR(At(95, 19), BrightnessColor(Mirror, -10));
    EXPECT_COLOR(At(88, 5), BrightnessColor(Face, -10)) << "the pieces start 12 pixels from the right edge";
    EXPECT_COLOR(At(86, 5), Face);
    // The split line stands 13 pixels from the right edge, in the border colour.
    EXPECT_COLOR(At(87, 12), Border);

    in.R = TRect{0, 30, 100, 54};
    in.Content.DropDownState = 2;
    DrawVistaButton(in);
    EXPECT_COLOR(At(95, 35), Face) << "a pressed drop-down part is not shaded";

    // Without the split the part has neither shading nor line, only its arrow.
    in.R = TRect{0, 60, 100, 84};
    in.Content.DropDownSplit = false;
    DrawVistaButton(in);
    EXPECT_COLOR(At(95, 65), Face);
    EXPECT_NE(At(87, 72), Border);
    EXPECT_GT(Count(TRect{87, 60, 100, 84}, clBlack), 0) << "the arrow, in black";
}

TEST_F(VistaButtonTest, TheArrowIsBlackOrGreyWhenDisabledAndAtTheBottomWhenAsked) {
    TVistaButtonInput in = Button(TRect{0, 0, 60, 40});
    in.Content.DropDownButton = true;
    in.Content.DropDownBottom = true;
    DrawVistaButton(in);
    const TRect black = Bounds(clBlack);
    EXPECT_GE(black.Top, 40 - 13) << "within the bottom 13 pixels";
    EXPECT_EQ(black.Right - black.Left, 5) << "the arrow's widest row";
    EXPECT_EQ(Count(TRect{0, 0, 60, 40}, Grey), 0);

    in.R = TRect{100, 0, 160, 40};
    in.Content.Enabled = false;
    DrawVistaButton(in);
    EXPECT_GT(Count(TRect{100, 27, 160, 40}, Grey), 0);
    EXPECT_EQ(Count(TRect{100, 0, 160, 40}, clBlack), 0);

    // Split, on a focused face: a border line across, 13 pixels above the bottom edge.
    in.R = TRect{0, 60, 60, 100};
    in.Content.Enabled = true;
    in.Content.DropDownSplit = true;
    in.Content.Focused = true;
    DrawVistaButton(in);
    EXPECT_COLOR(At(30, 100 - 13), Border);
    EXPECT_COLOR(At(30, 100 - 14), Mirror);
}

TEST_F(VistaButtonTest, TheGlyphStandsBesideOrAboveTheCaptionAndItsSizeIsReturned) {
    TVistaButtonInput in = Button(TRect{0, 0, 120, 40});
    in.Content.Caption = "Paste";
    in.Content.Images = images.get();
    in.Content.ImageIndex = 0;
    EXPECT_EQ(DrawVistaButton(in), (TSize{16 + 2, 16})) << "width plus the spacing";
    TRect glyph = Bounds(Red);
    TRect text = Ink(TRect{2, 2, 118, 38});
    ASSERT_GT(text.Right, text.Left);
    EXPECT_EQ(glyph.Right - glyph.Left, 16);
    EXPECT_LT(glyph.Right, text.Left) << "glyph left of the caption";

    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect{0, 0, 240, 120});
    in.R = TRect{0, 0, 120, 60};
    in.Content.Layout = AdvGlowButton::blGlyphTop;
    DrawVistaButton(in);
    glyph = Bounds(Red);
    text = Ink(TRect{2, 2, 118, 58});
    EXPECT_LE(glyph.Bottom, text.Top) << "glyph above the caption";

    // No glyph: (0, 0); a glyph that is switched off counts as none.
    in.Content.ImageIndex = -1;
    EXPECT_EQ(DrawVistaButton(in), (TSize{0, 0}));
    in.Content.ImageIndex = 0;
    in.Content.ShowGlyph = false;
    EXPECT_EQ(DrawVistaButton(in), (TSize{0, 0}));
}

TEST_F(VistaButtonTest, ADisabledCaptionIsGreyAndMeasuringDrawsNothing) {
    TVistaButtonInput in = Button(TRect{0, 0, 120, 30});
    in.Content.Caption = "Open";
    in.Content.Enabled = false;
    DrawVistaButton(in);
    EXPECT_GT(Count(TRect{0, 0, 120, 30}, Grey), 0);
    EXPECT_EQ(Count(TRect{0, 0, 120, 30}, clBlack), 0);

    in.R = TRect{0, 60, 120, 90};
    in.Content.Enabled = true;
    in.Content.Measuring = true;
    in.Content.Images = images.get();
    in.Content.ImageIndex = 0;
    c->Brush()->SetStyle(bsSolid);
    EXPECT_EQ(DrawVistaButton(in), (TSize{18, 16}));
    EXPECT_EQ(Count(TRect{0, 60, 120, 90}, clWhite), 120 * 30) << "nothing drawn";
    EXPECT_EQ(c->Brush()->Style(), bsSolid) << "the brush is left alone";

    // Without a face the content is still drawn, on what was there.
    in.R = TRect{130, 60, 230, 90};
    in.Content.Measuring = false;
    in.NoFace = true;
    DrawVistaButton(in);
    EXPECT_COLOR(At(132, 62), clWhite);
    EXPECT_GT(Count(in.R, Red), 0);
    EXPECT_EQ(c->Brush()->Style(), bsClear);
}

TEST_F(VistaButtonTest, TheFocusFrameIsBlueOnePixelInsideTheBorder) {
    TVistaButtonInput in = Button(TRect{0, 0, 80, 30});
    in.Content.Focused = true;
    DrawVistaButton(in);
    // RGB(137, 173, 228), blended by the anti-aliased outline with the face.
    const TColor blue = 0xE4AD89;
    const TColor onTop = At(40, 1);
    EXPECT_GT(win::GetBValue(onTop), win::GetBValue(Face)) << Hex(onTop);
    EXPECT_GT(win::GetBValue(At(40, 1)), win::GetRValue(At(40, 1))) << "bluer than red, as " << Hex(blue);
    EXPECT_COLOR(At(40, 10), Face) << "the face inside the frames";
}

TEST_F(VistaButtonTest, TheVistaGradientCarriesAGlyphBesideItsCaptionAndADropDownPart) {
    TVistaContent content;
    content.Caption = "Tabs";
    content.Font = &font;
    content.Images = images.get();
    content.ImageIndex = 0;
    content.DropDownButton = true;
    content.DropDownSplit = true;
    DrawVistaGradientEx(c, TRect{0, 0, 140, 30}, Face, Face, Mirror, Mirror, Border,
                        AdvGlowButton::ggVertical, AdvGlowButton::ggVertical, false, content);
    // Black ink left of the drop-down part is the caption's.
    const TRect glyph = Bounds(Red), text = Ink(TRect{2, 2, 127, 28});
    EXPECT_EQ(glyph.Right - glyph.Left, 16);
    EXPECT_LT(glyph.Right, text.Left);
    EXPECT_EQ((glyph.Left + text.Right) / 2, 127 / 2) << "the two centred as one group";
    // The split line 13 pixels from the right edge; the arrow of 5, 3 and 1 pixels in the part.
    EXPECT_COLOR(At(127, 5), Border);
    std::vector<int> rows;
    for (int y = 0; y < 30; ++y)
        if (int n = Count(TRect{128, y, 140, y + 1}, clBlack); n > 0) rows.push_back(n);
    EXPECT_EQ(rows, (std::vector<int>{5, 3, 1}));

    content.Enabled = false;
    DrawVistaGradientEx(c, TRect{0, 40, 140, 70}, Face, Face, Mirror, Mirror, Border,
                        AdvGlowButton::ggVertical, AdvGlowButton::ggVertical, false, content);
    EXPECT_EQ(Count(TRect{128, 40, 140, 70}, clBlack), 0);
    EXPECT_EQ(Count(TRect{128, 40, 140, 70}, Grey), 5 + 3 + 1);
}

} // namespace
} // namespace toolbartest
