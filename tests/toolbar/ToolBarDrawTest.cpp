// The toolbar unit's drawing routines, probed pixel by pixel on a bitmap.

#include "components/toolbar/styler/ToolBarDraw.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

class DrawTestBase : public uitest::UiTest {
protected:
    DrawTestBase() : bmp(120, 60) {
        c = bmp.Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect{0, 0, 120, 60});
    }
    TColor At(int X, int Y) { return c->GetPixel(X, Y); }
    // The columns where the colour changes along row Y, from X0 up to X1.
    std::vector<int> Edges(int Y, int X0, int X1) {
        std::vector<int> e;
        for (int x = X0 + 1; x < X1; ++x)
            if (At(x, Y) != At(x - 1, Y)) e.push_back(x);
        return e;
    }
    TBitmap bmp;
    TCanvas* c = nullptr;
};

class DrawTest : public DrawTestBase {};

TEST_F(DrawTest, GradientBandsStartAtRoundedOffsetsOfTheShrunkWidthInEvenColourSteps) {
    DrawGradient(c, clBlack, clWhite, 4, TRect{0, 0, 100, 20}, true);
    // 99 / 4 = 24.75 per band: bands at 0, 25, 50, 74 in grey 0, 64, 128, 191.
    EXPECT_EQ(Edges(10, 0, 100), (std::vector<int>{25, 50, 74}));
    EXPECT_COLOR(At(0, 10), 0x000000);
    EXPECT_COLOR(At(30, 10), 0x404040);
    EXPECT_COLOR(At(60, 10), 0x808080);
    EXPECT_COLOR(At(99, 19), 0xBFBFBF); // the last band reaches the far edge
    EXPECT_COLOR(c->Brush()->Color(), 0xBFBFBF);
    EXPECT_COLOR(c->Pen()->Color(), 0xBFBFBF);
}

TEST_F(DrawTest, AVerticalGradientRunsTopToBottomAndZeroStepsPaintsOneBandOfTheFromColour) {
    DrawGradient(c, clRed, clBlue, 2, TRect{0, 0, 10, 41}, false);
    EXPECT_COLOR(At(5, 0), ColorToRGB(clRed));
    EXPECT_COLOR(At(5, 39), 0x80007F); // red 255 - 128 (halves to even), blue 0 + 128
    DrawGradient(c, clLime, clBlue, 0, TRect{20, 0, 40, 20}, true);
    EXPECT_TRUE(Edges(10, 20, 40).empty());
    EXPECT_COLOR(At(25, 10), ColorToRGB(clLime));
}

TEST(ToolBarColourTest, BlendAndBrightnessFollowTheirRoundingRules) {
    EXPECT_COLOR(BlendColor(clWhite, clBlack, 50), 0x808080); // 127.5 rounds to 128
    EXPECT_EQ(BlendColor(clBtnFace, clBlack, 100), clBtnFace);
    EXPECT_EQ(BlendColor(clBtnFace, clBlack, 150), clBtnFace);
    EXPECT_EQ(BlendColor(clWhite, clBtnShadow, 0), clBtnShadow);
    EXPECT_EQ(BlendColor(clWhite, clBtnShadow, -5), clBtnShadow);
    // Channels are (red, green, blue) = (0, 100, 200).
    EXPECT_COLOR(BrightnessColor(0xC86400, -50), 0x643200);
    EXPECT_COLOR(BrightnessColor(0xC86400, 20), 0xC86414);
}

TEST(ToolBarColourTest, CenterRectCentresAndRoundsTowardZero) {
    TRect r{0, 0, 16, 16};
    CenterRect(r, 7, 7);
    EXPECT_EQ(r.Left, 4);
    EXPECT_EQ(r.Top, 4);
    EXPECT_EQ(r.Right, 11);
    EXPECT_EQ(r.Bottom, 11);
    TRect n{-9, -9, 0, 0};
    CenterRect(n, 2, 2);
    EXPECT_EQ(n.Right, -3); // (-9 + 0 + 2) div 2 = -3.5 toward zero
    EXPECT_EQ(n.Left, -5);
}

TEST_F(DrawTest, EdgeLinesPutTheRaisedWhiteOnTheLeadingSideAndTheShadowOnTheTrailingSide) {
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect{0, 0, 120, 60});
    Draw3DEdgeLines(c, TPoint{10, 10}, TPoint{10, 30}, true, true);
    EXPECT_COLOR(At(9, 20), 0xFFFFFF);                 // first line at x - 1
    EXPECT_COLOR(At(11, 20), ColorToRGB(clBtnShadow)); // second line at x + 1
    Draw3DEdgeLines(c, TPoint{40, 10}, TPoint{80, 10}, false, false);
    EXPECT_COLOR(At(60, 9), ColorToRGB(clBtnShadow)); // sunken: the shadow leads
    EXPECT_COLOR(At(60, 11), 0xFFFFFF);
}

TEST_F(DrawTest, VerticalTextUnderlinesTheMarkedCharacterOnly) {
    c->Font()->SetColor(clRed);
    c->Brush()->SetStyle(bsClear);
    DrawVerticalText(c, "Fo&&o", TPoint{60, 5});
    int red = 0;
    for (int y = 0; y < 60; ++y)
        if (At(60 - c->TextHeight("Fo&&o") + 1, y) == ColorToRGB(clRed)) ++red;
    EXPECT_EQ(red, 0) << "a doubled ampersand marks nothing";
    DrawVerticalText(c, "Open&A", TPoint{100, 5});
    const int x = 100 - c->TextHeight("Open&A") + 1;
    const int y1 = 5 + c->TextWidth("Open"), y2 = y1 + c->TextWidth("A");
    EXPECT_COLOR(At(x, y1), ColorToRGB(clRed));
    EXPECT_COLOR(At(x, y2 - 1), ColorToRGB(clRed));
    EXPECT_NE(At(x, y2 + 1), ColorToRGB(clRed));
}

TEST_F(DrawTest, VistaGradientPaintsTheUpperPairAboveTheMirrorPairWithAnOptionalBorder) {
    const TColor top = 0x0000C0, mirror = 0xC00000;
    DrawVistaGradient(c, TRect{0, 0, 40, 24}, top, top, mirror, mirror, clNone, AdvGlowButton::ggVertical,
                      AdvGlowButton::ggVertical, "", nullptr, true, false, AdvGDIP::aaNone, false);
    EXPECT_COLOR(At(20, 5), top);
    EXPECT_COLOR(At(20, 20), mirror);
    EXPECT_COLOR(At(0, 0), top) << "no border with clNone";
    EXPECT_EQ(c->Brush()->Style(), bsClear);
    DrawVistaGradient(c, TRect{50, 0, 90, 24}, top, top, mirror, mirror, clBlack, AdvGlowButton::ggVertical,
                      AdvGlowButton::ggVertical, "", nullptr, true, false, AdvGDIP::aaNone, false);
    EXPECT_NE(At(50, 12), top);
    EXPECT_NE(At(88, 12), top);
}

TEST_F(DrawTest, TheMirrorHalfStartsAtHalfTheHeightRoundedDown) {
    auto split = [&](int H) {
        DrawVistaGradient(c, TRect{0, 0, 40, H}, 0x0000C0, 0x0000C0, 0xC00000, 0xC00000, clNone,
                          AdvGlowButton::ggVertical, AdvGlowButton::ggVertical, "", nullptr, true, false,
                          AdvGDIP::aaNone, false);
        int y = 0;
        while (y < H && At(20, y) == 0x0000C0)
            ++y;
        return y;
    };
    EXPECT_EQ(split(24), 12);
    EXPECT_EQ(split(25), 12);
}

TEST_F(DrawTest, VistaButtonHalvesOverlapByOneRowAndNoFacePaintsNothing) {
    DrawVistaButton(c, TRect{0, 0, 100, 24}, 0x0000C0, 0x0000C0, 0xC00000, 0xC00000, clBlack,
                    AdvGlowButton::ggVertical, AdvGlowButton::ggVertical, false, false,
                    TVistaButtonPosition::Single);
    EXPECT_COLOR(At(50, 6), 0x0000C0);
    EXPECT_COLOR(At(50, 18), 0xC00000);
    EXPECT_NE(At(50, 0), 0x0000C0); // the rounded border
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect{0, 30, 100, 54});
    c->Brush()->SetStyle(bsSolid);
    DrawVistaButton(c, TRect{0, 30, 100, 54}, 0x0000C0, 0x0000C0, 0xC00000, 0xC00000, clBlack,
                    AdvGlowButton::ggVertical, AdvGlowButton::ggVertical, true, false,
                    TVistaButtonPosition::Single);
    EXPECT_COLOR(At(50, 40), 0xFFFFFF);
    EXPECT_EQ(c->Brush()->Style(), bsClear);
}

TEST_F(DrawTest, InAGroupOnlyTheFirstButtonOpensWithTheBorderTheOthersWithALightSeparator) {
    using P = TVistaButtonPosition;
    const std::pair<P, bool> buttons[] = {
        {P::Single, true}, {P::Left, true}, {P::Middle, false}, {P::Right, false}};
    int x = 0;
    for (auto [position, bordered] : buttons) {
        SCOPED_TRACE(static_cast<int>(position));
        DrawVistaButton(c, TRect{x, 0, x + 26, 24}, 0x0000C0, 0x0000C0, 0xC00000, 0xC00000, clBlack,
                        AdvGlowButton::ggVertical, AdvGlowButton::ggVertical, false, false, position);
        const TColor edge = At(x, 12);
        if (bordered)
            EXPECT_COLOR(edge, clBlack);
        else
            EXPECT_TRUE(win::GetRValue(edge) > 0xD0 && win::GetGValue(edge) > 0xD0 &&
                        win::GetBValue(edge) > 0xD0)
                << Hex(edge);
        EXPECT_COLOR(At(x + 25, 12), clBlack) << "every button closes with the border";
        x += 30;
    }
}

TEST_F(DrawTest, ARadialUpperHalfGlowsFromItsSecondColourAtTheTopCentreOutToItsFirst) {
    DrawVistaGradient(c, TRect{0, 0, 40, 24}, 0x0000C0, 0xC00000, 0x00C000, 0x00C000, clNone,
                      AdvGlowButton::ggRadial, AdvGlowButton::ggVertical, "", nullptr, true, false,
                      AdvGDIP::aaNone, false);
    EXPECT_GT(win::GetBValue(At(20, 2)), 0x80) << Hex(At(20, 2));
    EXPECT_GT(win::GetRValue(At(1, 2)), 0x80) << Hex(At(1, 2));
    EXPECT_GT(win::GetRValue(At(38, 2)), 0x80) << Hex(At(38, 2));
    EXPECT_COLOR(At(20, 20), 0x00C000) << "the mirror half is its own";
}

// The painted columns of row Y between X0 and X1.
std::vector<int> Painted(TCanvas* C, int Y, int X0, int X1, TColor Ink) {
    std::vector<int> xs;
    for (int x = X0; x < X1; ++x)
        if (C->GetPixel(x, Y) == Ink) xs.push_back(x);
    return xs;
}

TEST_F(DrawTest, CloseGlyphStrokesSpanItsSizeFromAThirdOfTheSpareRoom) {
    DrawCloseGlyph(c, TRect{0, 0, 16, 16}, clBlack, 7);
    int minX = 99, maxX = -1;
    for (int y = 0; y < 16; ++y)
        for (int x : Painted(c, y, 0, 16, clBlack)) {
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
        }
    EXPECT_EQ(minX, 3);
    EXPECT_EQ(maxX, 10);
    EXPECT_COLOR(At(3, 4), clBlack); // the falling stroke starts one row lower than the rising one ends
    EXPECT_COLOR(At(3, 10), clBlack);
}

TEST_F(DrawTest, MinimiseMaximiseAndRestoreGlyphsDrawTheirBars) {
    DrawMinimizeGlyph(c, TRect{0, 0, 16, 16}, clBlack, true);
    // dx = (16 - 6) div 3 = 3, dy = 8: two rows of six pixels (the end point is not painted).
    EXPECT_EQ(Painted(c, 8, 0, 16, clBlack), (std::vector<int>{3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Painted(c, 9, 0, 16, clBlack).size(), 6u);
    EXPECT_TRUE(Painted(c, 10, 0, 16, clBlack).empty());

    DrawMaximizeGlyph(c, TRect{20, 0, 36, 16}, clBlack, true);
    // dx = dy = (16 - 8) div 3 = 2: a two-row title bar at y 3 and 4, nine pixels wide.
    EXPECT_EQ(Painted(c, 3, 20, 36, clBlack).size(), 9u);
    EXPECT_EQ(Painted(c, 4, 20, 36, clBlack).size(), 9u);
    EXPECT_EQ(Painted(c, 10, 20, 36, clBlack), (std::vector<int>{22, 23, 24, 25, 26, 27, 28, 29, 30}));
    EXPECT_EQ(Painted(c, 7, 20, 36, clBlack), (std::vector<int>{22, 30}));

    DrawRestoreGlyph(c, TRect{40, 0, 56, 16}, clBlack, true);
    // The back window's bar at y 2 (its side at x 50), the front window's at y 5, its bottom at y 10.
    EXPECT_EQ(Painted(c, 2, 40, 56, clBlack), (std::vector<int>{44, 45, 46, 47, 48, 49, 50}));
    EXPECT_EQ(Painted(c, 5, 40, 56, clBlack), (std::vector<int>{42, 43, 44, 45, 46, 47, 48, 50}));
    EXPECT_EQ(Painted(c, 10, 40, 56, clBlack), (std::vector<int>{42, 43, 44, 45, 46, 47, 48}));
}

TEST_F(DrawTest, VerticalGlyphsHangFromTheTopRightCorner) {
    DrawMaximizeGlyph(c, TRect{0, 0, 30, 50}, clBlack, false);
    EXPECT_EQ(Painted(c, 3, 0, 30, clBlack), (std::vector<int>{17, 21, 22}));
    DrawMinimizeGlyph(c, TRect{40, 10, 90, 60}, clBlack, false);
    EXPECT_EQ(Painted(c, 12, 40, 90, clBlack), (std::vector<int>{40, 41}));
}

class TextDrawTest : public DrawTestBase {};

TEST_F(TextDrawTest, CaptionWritersMeasureAndLeaveEmptyCaptionsAlone) {
    TFont font;
    font.SetName("Tahoma");
    TRect result{1, 2, 3, 4};
    DrawGDIPTextTrimmed(c, taLeftJustify, TRect{0, 0, 100, 20}, "", "", &font, true, true,
                        AdvGDIP::aaAntiAlias, result);
    EXPECT_EQ(result.Right, 3) << "both captions empty: untouched";
    DrawGDIPText(c, taLeftJustify, 0, TRect{0, 0, 100, 20}, "", "", &font, true, true, AdvGDIP::aaAntiAlias,
                 true, false, result);
    EXPECT_EQ(result.Right, 0) << "an empty caption measures as nothing";
    DrawGDIPText(c, taLeftJustify, 0, TRect{0, 0, 100, 20}, "Wide", "", &font, true, false, AdvGDIP::aaNone,
                 false, false, result);
    EXPECT_GT(result.Right - result.Left, 10);
    TRect wider;
    DrawGDIPText(c, taLeftJustify, 0, TRect{0, 0, 100, 20}, "Wide Wide", "", &font, true, false,
                 AdvGDIP::aaNone, false, false, wider);
    EXPECT_GT(wider.Right, result.Right);
}

TEST_F(TextDrawTest, ALongCaptionStaysInsideItsRectangle) {
    TFont font;
    font.SetColor(clBlack);
    TRect result;
    const String caption = "A caption far too long for fifty pixels";
    // Each writer in each mode, in a band of its own.
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        font.SetName(i == 0 ? "Tahoma" : "No Such Family");
        const TRect r{10, 2 + 14 * i, 60, 14 + 14 * i};
        const AdvGDIP::TAntiAlias mode = i % 2 ? AdvGDIP::aaNone : AdvGDIP::aaAntiAlias;
        if (i < 2)
            DrawGDIPText(c, taLeftJustify, 0, r, caption, "", &font, true, true, mode, true, false, result);
        else
            DrawGDIPTextTrimmed(c, taLeftJustify, r, caption, "", &font, true, true, mode, result);
        int inside = 0, outside = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = 0; x < 120; ++x)
                if (At(x, y) != 0xFFFFFF) ++(x >= 10 && x < 62 ? inside : outside);
        EXPECT_GT(inside, 0) << "the missing family falls back to one that draws";
        EXPECT_EQ(outside, 0);
    }
}

TEST_F(TextDrawTest, GdipLinesAndArcsOutlineTheirBoxes) {
    {
        AdvGDIP::TGPGraphics g(c->Handle());
        AdvGDIP::TGPPen pen(AdvGDIP::ColorToARGB(clBlack), 1);
        DrawGDIPLine(&g, &pen, 10, 10, 40, 0);
        DrawGDIPArc(&g, &pen, 60, 10, 40, 40, 180, 90, false);
        DrawGDIPRect(&g, &pen, 10, 30, 30, 20);
    }
    EXPECT_NE(At(30, 10), 0xFFFFFF) << "the line";
    EXPECT_EQ(At(30, 20), 0xFFFFFF);
    auto inked = [&](int X, int Y) {
        for (int y = Y - 1; y <= Y + 1; ++y)
            for (int x = X - 1; x <= X + 1; ++x)
                if (At(x, y) != 0xFFFFFF) return true;
        return false;
    };
    EXPECT_TRUE(inked(66, 16)) << "the arc half way, at 225 degrees";
    EXPECT_EQ(At(99, 29), 0xFFFFFF) << "the arc stops at a quarter";
    EXPECT_NE(At(10, 40), 0xFFFFFF) << "the rectangle's left side";
    EXPECT_EQ(At(25, 40), 0xFFFFFF) << "an outline only";
}

} // namespace
} // namespace toolbartest
