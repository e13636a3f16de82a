// Block transfers: raster operations, stretching, monochrome conversion, alpha blending, colour keys,
// gradients and DIB bits; edges and frame controls.

#include <memory>
#include <vector>

#include "tests/win/GdiTestSupport.h"

using namespace gditest;

TEST(BlitRops, SourceOperationsCombineSourceAndDestinationAndPatternOperationsUseTheBrush) {
    struct Case {
        DWORD rop;
        COLORREF expected;
    };
    const COLORREF src = RGB(0x0F, 0xF0, 0x55), dst = RGB(0x33, 0x33, 0x33);
    const Case cases[] = {
        {SRCCOPY, src},
        {SRCPAINT, RGB(0x0F | 0x33, 0xF0 | 0x33, 0x55 | 0x33)},
        {SRCAND, RGB(0x0F & 0x33, 0xF0 & 0x33, 0x55 & 0x33)},
        {SRCINVERT, RGB(0x0F ^ 0x33, 0xF0 ^ 0x33, 0x55 ^ 0x33)},
        {NOTSRCCOPY, RGB(0xF0, 0x0F, 0xAA)},
        {DSTINVERT, RGB(0xCC, 0xCC, 0xCC)},
        {SRCERASE, RGB(0x0F & 0xCC, 0xF0 & 0xCC, 0x55 & 0xCC)},
        {BLACKNESS, RGB(0, 0, 0)},
        {WHITENESS, White},
    };
    Canvas source(4, 4);
    Fill(source.dc, {0, 0, 4, 4}, src);
    for (const Case& k : cases) {
        Canvas c(4, 4);
        Fill(c.dc, {0, 0, 4, 4}, dst);
        ASSERT_TRUE(BitBlt(c.dc, 1, 1, 2, 2, source.dc, 0, 0, k.rop)) << std::hex << k.rop;
        EXPECT_EQ(c.At(1, 1), k.expected) << std::hex << k.rop;
        EXPECT_EQ(c.At(2, 2), k.expected) << std::hex << k.rop;
        EXPECT_EQ(c.At(3, 3), dst) << std::hex << k.rop;
    }
    // Pattern operations use the selected brush.
    Canvas c(8, 8);
    Fill(c.dc, {0, 0, 8, 8}, RGB(0x33, 0x33, 0x33));
    HBRUSH b = CreateSolidBrush(RGB(0x0F, 0x0F, 0x0F));
    HGDIOBJ old = SelectObject(c.dc, b);
    PatBlt(c.dc, 0, 0, 2, 2, PATCOPY);
    PatBlt(c.dc, 2, 0, 2, 2, PATINVERT);
    EXPECT_EQ(c.At(0, 0), RGB(0x0F, 0x0F, 0x0F));
    EXPECT_EQ(c.At(2, 0), RGB(0x3C, 0x3C, 0x3C));
    Canvas light(2, 2);
    Fill(light.dc, {0, 0, 2, 2}, RGB(0xF0, 0xF0, 0xF0));
    BitBlt(c.dc, 4, 0, 2, 2, light.dc, 0, 0, MERGECOPY); // source AND pattern
    EXPECT_EQ(c.At(4, 0), RGB(0, 0, 0));
    EXPECT_FALSE(PatBlt(c.dc, 0, 0, 2, 2, SRCCOPY)); // needs a source
    // Negative extents are normalised.
    PatBlt(c.dc, 8, 8, -2, -2, BLACKNESS);
    EXPECT_EQ(c.At(6, 6), RGB(0, 0, 0));
    EXPECT_EQ(c.At(5, 5), RGB(0x33, 0x33, 0x33));
    SelectObject(c.dc, old);
    DeleteObject(b);
    // An overlapping copy within one DC scrolls without smearing.
    for (int x = 0; x < 8; ++x)
        SetPixel(c.dc, x, 7, RGB(x * 20, 0, 0));
    BitBlt(c.dc, 1, 7, 7, 1, c.dc, 0, 7, SRCCOPY);
    for (int x = 1; x < 8; ++x)
        EXPECT_EQ(c.At(x, 7), RGB((x - 1) * 20, 0, 0)) << x;
}

TEST(BlitStretch, StretchingRepeatsPixelsAndMirroringCoversTheColumnsUpToTheOrigin) {
    Canvas src(4, 1);
    for (int x = 0; x < 4; ++x)
        SetPixel(src.dc, x, 0, RGB(x * 60, 0, 0));
    Canvas c(12, 3);
    ASSERT_TRUE(StretchBlt(c.dc, 0, 0, 8, 2, src.dc, 2, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(c.Row(0, RGB(120, 0, 0), 0, 8), "####????");
    EXPECT_EQ(c.At(7, 1), RGB(180, 0, 0));
    // (8, -4) covers x = 5 to 8, the first source column at x = 8.
    Canvas m(12, 3);
    ASSERT_TRUE(StretchBlt(m.dc, 8, 1, -4, 1, src.dc, 0, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(m.Inked({0, 0, 12, 3}), 4);
    EXPECT_EQ(m.At(8, 1), Black);
    EXPECT_EQ(m.At(5, 1), RGB(180, 0, 0));
    EXPECT_EQ(m.At(4, 1), White);
    // A mirrored source reads the same way: (3, -4) is columns 3 down to 0.
    Canvas d(12, 3);
    ASSERT_TRUE(StretchBlt(d.dc, 0, 0, 4, 1, src.dc, 3, 0, -4, 1, SRCCOPY));
    EXPECT_EQ(d.At(0, 0), RGB(180, 0, 0));
    EXPECT_EQ(d.At(3, 0), Black);
    // Mirrored vertically: (2, -2) covers rows 1 and 2.
    Canvas e(4, 4), column(1, 2);
    SetPixel(column.dc, 0, 0, Red);
    SetPixel(column.dc, 0, 1, Blue);
    ASSERT_TRUE(StretchBlt(e.dc, 0, 2, 1, -2, column.dc, 0, 0, 1, 2, SRCCOPY));
    EXPECT_EQ(e.Column(0, Red), ".?#.");
    EXPECT_EQ(e.At(0, 1), Blue);
}

TEST(BlitStretch, ShrinkingMergesTheDroppedPixelsAsTheStretchModeSays) {
    // A one-pixel black stroke at x = 3 on white, shrunk from 9 columns to 3: destination column 1 stands
    // for source columns 3 to 5, of which the centre one (4) is kept when pixels are dropped.
    Canvas src(9, 2);
    Fill(src.dc, {3, 0, 4, 2}, Black);
    auto shrink = [&](int mode) {
        auto c = std::make_unique<Canvas>(3, 1);
        if (mode != 0) SetStretchBltMode(c->dc, mode);
        StretchBlt(c->dc, 0, 0, 3, 1, src.dc, 0, 0, 9, 2, SRCCOPY);
        return c;
    };
    // A new DC's mode is BLACKONWHITE: the dropped pixels are ANDed in, the thin dark stroke stays.
    EXPECT_EQ(GetStretchBltMode(shrink(0)->dc), BLACKONWHITE);
    EXPECT_EQ(shrink(0)->Row(0, Black), ".#.");
    EXPECT_EQ(shrink(BLACKONWHITE)->Row(0, Black), ".#.");
    // COLORONCOLOR drops them: column 4 is white, the stroke is gone.
    EXPECT_EQ(shrink(COLORONCOLOR)->Row(0, Black), "...");
    // WHITEONBLACK ORs them: white wins.
    EXPECT_EQ(shrink(WHITEONBLACK)->Row(0, Black), "...");
    // HALFTONE averages the three columns of both rows: a third black.
    EXPECT_EQ(shrink(HALFTONE)->At(1, 0), RGB(170, 170, 170));
    // White on black keeps its light stroke with WHITEONBLACK, loses it with the default mode.
    Canvas dark(9, 1);
    Fill(dark.dc, {0, 0, 9, 1}, Black);
    SetPixel(dark.dc, 5, 0, White);
    Canvas light(3, 1), plain(3, 1);
    SetStretchBltMode(light.dc, WHITEONBLACK);
    StretchBlt(light.dc, 0, 0, 3, 1, dark.dc, 0, 0, 9, 1, SRCCOPY);
    StretchBlt(plain.dc, 0, 0, 3, 1, dark.dc, 0, 0, 9, 1, SRCCOPY);
    EXPECT_EQ(light.Row(0, Black), "#.#");
    EXPECT_EQ(plain.Row(0, Black), "###");
    // Mirrored, a stroke at x = 7 lands in the first column instead of the last; DIBs shrink the same way.
    Canvas seven(9, 1), straight(3, 1), mirrored(3, 1);
    SetPixel(seven.dc, 7, 0, Black);
    StretchBlt(straight.dc, 0, 0, 3, 1, seven.dc, 0, 0, 9, 1, SRCCOPY);
    StretchBlt(mirrored.dc, 0, 0, 3, 1, seven.dc, 8, 0, -9, 1, SRCCOPY);
    EXPECT_EQ(straight.Row(0, Black), "..#");
    EXPECT_EQ(mirrored.Row(0, Black), "#..");
    std::vector<std::uint32_t> bits(9, 0x00FFFFFF);
    bits[7] = 0;
    const BITMAPINFO bmi = Bmi32(9, -1);
    Canvas dib(3, 1);
    StretchDIBits(dib.dc, 0, 0, 3, 1, 0, 0, 9, 1, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(dib.Row(0, Black), "..#");
    // Enlarging repeats pixels whatever the mode.
    Canvas big(18, 1);
    SetStretchBltMode(big.dc, HALFTONE);
    StretchBlt(big.dc, 0, 0, 18, 1, src.dc, 0, 0, 9, 1, SRCCOPY);
    EXPECT_EQ(big.Row(0, Black), "......##..........");
}

TEST(BlitColours, MonochromeTakesTextAndBackgroundColoursAndAColourKeyIsLeftOut) {
    HDC monoDC = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateBitmap(2, 1, 1, 1, nullptr);
    HGDIOBJ oldMono = SelectObject(monoDC, mono);
    SetPixel(monoDC, 0, 0, White);
    SetPixel(monoDC, 1, 0, RGB(0, 0, 0));
    Canvas c(2, 1);
    SetTextColor(c.dc, Red);
    SetBkColor(c.dc, Blue);
    BitBlt(c.dc, 0, 0, 2, 1, monoDC, 0, 0, SRCCOPY);
    EXPECT_EQ(c.At(0, 0), Blue);
    EXPECT_EQ(c.At(1, 0), Red);
    // Colour to monochrome: the source's background colour becomes white, the rest black.
    SetBkColor(c.dc, Blue);
    BitBlt(monoDC, 0, 0, 2, 1, c.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(monoDC, 0, 0), White);
    EXPECT_EQ(GetPixel(monoDC, 1, 0), RGB(0, 0, 0));
    SelectObject(monoDC, oldMono);
    DeleteObject(mono);
    DeleteDC(monoDC);
    Canvas src(3, 1), keyed(6, 2);
    SetPixel(src.dc, 0, 0, RGB(255, 0, 255));
    SetPixel(src.dc, 1, 0, Red);
    SetPixel(src.dc, 2, 0, RGB(255, 0, 255));
    Fill(keyed.dc, {0, 0, 6, 2}, Blue);
    ASSERT_TRUE(TransparentBlt(keyed.dc, 0, 0, 6, 2, src.dc, 0, 0, 3, 1, RGB(255, 0, 255)));
    EXPECT_EQ(keyed.Row(0, Blue), "##??##");
    EXPECT_EQ(keyed.At(2, 1), Red);
    EXPECT_FALSE(TransparentBlt(keyed.dc, 0, 0, 0, 2, src.dc, 0, 0, 3, 1, 0));
}

TEST(BlitAlpha, ConstantAlphaMixesEvenlyAndPerPixelAlphaUsesAPremultipliedSource) {
    Canvas even(2, 2), under(2, 2);
    Fill(even.dc, {0, 0, 2, 2}, RGB(200, 0, 0));
    Fill(under.dc, {0, 0, 2, 2}, RGB(0, 0, 100));
    ASSERT_TRUE(AlphaBlend(under.dc, 0, 0, 2, 2, even.dc, 0, 0, 2, 2, BLENDFUNCTION{AC_SRC_OVER, 0, 128, 0}));
    EXPECT_NEAR(GetRValue(under.At(1, 1)), 100, 1);
    EXPECT_EQ(GetGValue(under.At(1, 1)), 0);
    EXPECT_NEAR(GetBValue(under.At(1, 1)), 50, 1);
    Canvas src(3, 1), c(3, 1);
    auto* px = static_cast<std::uint32_t*>(src.bits);
    px[0] = 0x00000000; // transparent
    px[1] = 0x80800000; // half red, premultiplied
    px[2] = 0xFF00FF00; // opaque green
    Fill(c.dc, {0, 0, 3, 1}, RGB(0, 0, 200));
    BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(AlphaBlend(c.dc, 0, 0, 3, 1, src.dc, 0, 0, 3, 1, bf));
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 200));
    EXPECT_NEAR(GetRValue(c.At(1, 0)), 128, 1);
    EXPECT_NEAR(GetBValue(c.At(1, 0)), 100, 1);
    EXPECT_EQ(c.At(2, 0), RGB(0, 255, 0));
    // A source rectangle outside the source fails; a bad blend operation fails.
    EXPECT_FALSE(AlphaBlend(c.dc, 0, 0, 3, 1, src.dc, 1, 0, 3, 1, bf));
    bf.BlendOp = 1;
    EXPECT_FALSE(AlphaBlend(c.dc, 0, 0, 3, 1, src.dc, 0, 0, 3, 1, bf));
}

TEST(BlitFills, GradientsRunFromFirstToLastColourAndPatternsTileFromTheBrushOrigin) {
    Canvas c(256, 16);
    TRIVERTEX v[2] = {{0, 0, 0x0000, 0x0000, 0xFF00, 0}, {256, 8, 0xFF00, 0x0000, 0x0000, 0}};
    GRADIENT_RECT g{0, 1};
    ASSERT_TRUE(GradientFill(c.dc, v, 2, &g, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(c.At(255, 7), RGB(254, 0, 0)); // the last column stops one step short
    EXPECT_EQ(c.At(128, 3), RGB(127, 0, 127));
    EXPECT_EQ(c.At(0, 8), White);
    TRIVERTEX w[2] = {{0, 8, 0xFF00, 0xFF00, 0xFF00, 0}, {4, 16, 0x0000, 0x0000, 0x0000, 0}};
    ASSERT_TRUE(GradientFill(c.dc, w, 2, &g, 1, GRADIENT_FILL_RECT_V));
    EXPECT_EQ(c.At(0, 8), White);
    EXPECT_EQ(c.At(3, 15), RGB(31, 31, 31));
    EXPECT_EQ(c.At(4, 15), White);
    GRADIENT_RECT bad{0, 5};
    EXPECT_FALSE(GradientFill(c.dc, v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 2, &g, 1, GRADIENT_FILL_TRIANGLE));
    HBITMAP pat = CreateBitmap(2, 2, 1, 32, nullptr);
    HDC pdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(pdc, pat);
    SetPixel(pdc, 0, 0, Red);
    SetPixel(pdc, 1, 0, Blue);
    SetPixel(pdc, 0, 1, Blue);
    SetPixel(pdc, 1, 1, Red);
    SelectObject(pdc, old);
    DeleteDC(pdc);
    HBRUSH b = CreatePatternBrush(pat);
    DeleteObject(pat); // the brush keeps its own copy
    Canvas c2(4, 4);
    RECT all{0, 0, 4, 4};
    FillRect(c2.dc, &all, b);
    EXPECT_EQ(c2.Row(0, Red), "#?#?");
    EXPECT_EQ(c2.Row(1, Red), "?#?#");
    SetBrushOrgEx(c2.dc, 1, 0, nullptr);
    FillRect(c2.dc, &all, b);
    EXPECT_EQ(c2.Row(0, Red), "?#?#");
    DeleteObject(b);
}

TEST(BlitDib, GetAndSetDIBitsAndStretchDIBits) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateBitmap(2, 2, 1, 32, nullptr);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(GetDIBits(dc, bm, 0, 2, nullptr, &bmi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(bmi.bmiHeader.biWidth, 2);
    EXPECT_EQ(bmi.bmiHeader.biBitCount, 32);
    bmi.bmiHeader.biHeight = 2; // bottom-up
    bmi.bmiHeader.biCompression = BI_RGB;
    const std::uint32_t in[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF}; // bottom row first
    EXPECT_EQ(SetDIBits(dc, bm, 0, 2, in, &bmi, DIB_RGB_COLORS), 2);
    HGDIOBJ old = SelectObject(dc, bm);
    EXPECT_EQ(GetPixel(dc, 0, 1), Red); // scan line 0 is the bottom row
    EXPECT_EQ(GetPixel(dc, 0, 0), Blue);
    SelectObject(dc, old);
    std::uint32_t out[4] = {};
    bmi.bmiHeader.biHeight = -2; // top-down
    EXPECT_EQ(GetDIBits(dc, bm, 0, 2, out, &bmi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out[0] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(out[2] & 0xFFFFFF, 0xFF0000u);
    Canvas c(4, 4);
    bmi.bmiHeader.biHeight = 2;
    EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 4, 4, 0, 0, 2, 2, in, &bmi, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(c.At(0, 3), Red);
    EXPECT_EQ(c.At(3, 3), RGB(0, 255, 0));
    EXPECT_EQ(c.At(0, 0), Blue);
    DeleteObject(bm);
    DeleteDC(dc);
}

TEST(GdiEdges, RaisedAndSunkenEdgesUseTheSystemColoursAndSoftEdgesSwapTheTopLeftRings) {
    Canvas c(10, 10);
    RECT r{0, 0, 10, 10};
    ASSERT_TRUE(DrawEdge(c.dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
    EXPECT_EQ(r, (RECT{2, 2, 8, 8}));
    EXPECT_EQ(c.At(8, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(c.At(9, 0), GetSysColor(COLOR_3DDKSHADOW)); // the top-right corner belongs to the shadow
    EXPECT_EQ(c.At(0, 9), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.At(5, 5), GetSysColor(COLOR_BTNFACE));
    for (const bool soft : {false, true}) {
        Canvas e(10, 10);
        RECT raised{0, 0, 10, 10};
        DrawEdge(e.dc, &raised, EDGE_RAISED, BF_RECT | (soft ? BF_SOFT : 0));
        EXPECT_EQ(e.At(3, 0), GetSysColor(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT)) << soft;
        EXPECT_EQ(e.At(3, 1), GetSysColor(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT)) << soft;
        // The bottom-right colours stay.
        EXPECT_EQ(e.At(3, 9), GetSysColor(COLOR_3DDKSHADOW)) << soft;
        EXPECT_EQ(e.At(3, 8), GetSysColor(COLOR_BTNSHADOW)) << soft;
        Canvas d(10, 10);
        RECT sunken{0, 0, 10, 10};
        DrawEdge(d.dc, &sunken, EDGE_SUNKEN, BF_RECT | (soft ? BF_SOFT : 0));
        EXPECT_EQ(d.At(0, 3), GetSysColor(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW)) << soft;
        EXPECT_EQ(d.At(1, 3), GetSysColor(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW)) << soft;
    }
}

TEST(GdiEdges, APartialEdgeRunsItsSidesToTheEndsAndClassicCheckBoxesAndRadioButtonsAreSunken) {
    // Without a right side the top line reaches the right edge; without a bottom the left line reaches
    // the bottom.
    Canvas c(8, 6);
    RECT r{0, 0, 8, 6};
    DrawEdge(c.dc, &r, BDR_SUNKENOUTER, BF_TOPLEFT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(c.At(0, 0), shadow);
    EXPECT_EQ(c.At(7, 0), shadow);
    EXPECT_EQ(c.At(0, 5), shadow);
    EXPECT_EQ(c.At(7, 5), White);
    EXPECT_EQ(r, (RECT{0, 0, 8, 6})); // no BF_ADJUST
    // With both sides the corner they share takes the bottom-right colour.
    Canvas d(8, 6);
    DrawEdge(d.dc, &r, BDR_SUNKENOUTER, BF_TOPRIGHT);
    EXPECT_EQ(d.At(6, 0), shadow);
    EXPECT_EQ(d.At(7, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d.At(7, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d.At(0, 1), White);
    // The classic check box is sunken.
    Canvas c2(13, 13);
    RECT box{0, 0, 13, 13};
    Fill(c2.dc, box, RGB(0, 160, 0));
    DrawFrameControl(c2.dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(c2.At(5, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c2.At(5, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c2.At(5, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c2.At(12, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c2.At(5, 11), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(c2.At(6, 6), GetSysColor(COLOR_WINDOW));
    // The radio ring: dark on its upper left, light on its lower right, window colour inside.
    Canvas d2(12, 12);
    RECT ring{0, 0, 12, 12};
    Fill(d2.dc, ring, RGB(0, 160, 0));
    DrawFrameControl(d2.dc, &ring, DFC_BUTTON, DFCS_BUTTONRADIO);
    EXPECT_EQ(d2.At(5, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(d2.At(0, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(d2.At(6, 11), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d2.At(11, 6), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d2.At(5, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(d2.At(6, 10), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(d2.At(6, 6), GetSysColor(COLOR_WINDOW));
}

TEST(GdiEdges, CheckedThreeStateBoxesAndPushButtonsHaveTheDitheredFaceAndLargeBoxesTwoPixelRings) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(face, light);
    // The face and highlight colours alternate in a checkerboard over the rectangle.
    auto dithered = [&](const Canvas& c, RECT r) {
        int other = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const COLORREF want =
                    (c.At(r.Left, r.Top) == light) == ((x - r.Left + y - r.Top) % 2 == 0) ? light : face;
                if (c.At(x, y) != want) ++other;
            }
        return other;
    };
    // The three-state box: the dither behind a grey tick, inside the sunken rings.
    Canvas box(13, 13);
    RECT r{0, 0, 13, 13};
    DrawFrameControl(box.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_BUTTON3STATE | DFCS_CHECKED);
    EXPECT_EQ(box.At(5, 1), GetSysColor(COLOR_3DDKSHADOW));
    const int tick = dithered(box, {2, 2, 11, 11});
    EXPECT_GT(tick, 4);  // the tick covers some of it
    EXPECT_LT(tick, 40); // the rest is dithered
    int grey = 0;
    for (int y = 2; y < 11; ++y)
        for (int x = 2; x < 11; ++x)
            grey += box.At(x, y) == GetSysColor(COLOR_GRAYTEXT);
    EXPECT_EQ(grey, tick);
    // Unchecked or pressed, it has the plain window or face colour.
    Canvas plainBox(13, 13);
    DrawFrameControl(plainBox.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_BUTTON3STATE);
    EXPECT_EQ(plainBox.At(3, 3), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(plainBox.At(4, 3), GetSysColor(COLOR_WINDOW));
    // The checked push button: sunken, dithered inside its two rings; pressed, the plain face.
    Canvas push(20, 12);
    RECT b{0, 0, 20, 12};
    DrawFrameControl(push.dc, &b, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED);
    EXPECT_EQ(dithered(push, {2, 2, 18, 10}), 0);
    EXPECT_EQ(push.At(10, 11), light); // sunken: the light line at the bottom
    Canvas pressed(20, 12);
    DrawFrameControl(pressed.dc, &b, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED | DFCS_PUSHED);
    EXPECT_EQ(pressed.At(5, 5), face);
    EXPECT_EQ(pressed.At(6, 5), face);
    // A box larger than 16 pixels draws each ring two pixels thick; 16 pixels, one.
    for (const int size : {16, 20}) {
        SCOPED_TRACE(size);
        Canvas c(size, size);
        RECT s{0, 0, size, size};
        DrawFrameControl(c.dc, &s, DFC_BUTTON, DFCS_BUTTONCHECK);
        const int t = size > 16 ? 2 : 1;
        const int mid = size / 2;
        EXPECT_EQ(c.At(mid, t - 1), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(c.At(t - 1, mid), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(c.At(mid, 2 * t - 1), GetSysColor(COLOR_3DDKSHADOW));
        EXPECT_EQ(c.At(mid, 2 * t), GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(c.At(mid, size - t), GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(c.At(size - t, mid), GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(c.At(mid, size - 2 * t), GetSysColor(COLOR_3DLIGHT));
        EXPECT_EQ(c.At(mid, size - 2 * t - 1), GetSysColor(COLOR_WINDOW));
    }
}

TEST(GdiEdges, FocusRectInvertsEveryOtherPixelAndFrameControlsDrawInsideTheirRectangle) {
    Canvas c(8, 6);
    RECT r{0, 0, 8, 6};
    DrawFocusRect(c.dc, &r);
    EXPECT_EQ(c.Row(0, RGB(0, 0, 0)), "#.#.#.#.");
    EXPECT_EQ(c.At(3, 3), White);
    DrawFocusRect(c.dc, &r);
    EXPECT_EQ(c.Inked(r), 0);
    Canvas c2(40, 20);
    Fill(c2.dc, {0, 0, 40, 20}, RGB(10, 200, 10));
    RECT push{0, 0, 20, 20}, check{20, 0, 33, 13};
    ASSERT_TRUE(DrawFrameControl(c2.dc, &push, DFC_BUTTON, DFCS_BUTTONPUSH));
    ASSERT_TRUE(DrawFrameControl(c2.dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_EQ(c2.At(10, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c2.At(4, 0), GetSysColor(COLOR_BTNHIGHLIGHT)); // a push button's face is the soft raised edge
    EXPECT_EQ(c2.At(4, 1), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(c2.At(20, 0), GetSysColor(COLOR_BTNSHADOW));
    int glyph = 0;
    for (int y = 1; y < 12; ++y)
        for (int x = 21; x < 32; ++x)
            glyph += c2.At(x, y) == GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(glyph, 5);
    EXPECT_EQ(c2.At(35, 5), RGB(10, 200, 10));
    RECT bad{0, 0, 5, 5};
    EXPECT_FALSE(DrawFrameControl(c2.dc, &bad, 99, 0));
}

// Sources with no pixel on their surface (empty, or wholly beside it) draw nothing and leave the
// destination as it was, whether the source is read in place, copied from the same surface or stretched.
TEST(BlitEmptySource, NothingOfTheSourceOnItsSurfaceDrawsNothing) {
    Canvas src(4, 4), c(8, 8);
    Fill(src.dc, {0, 0, 4, 4}, Red);
    Fill(c.dc, {0, 0, 8, 8}, Blue);
    auto untouched = [&](const char* what) {
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(c.Row(y, Blue), "########") << what << " row " << y;
    };
    const POINT beside[] = {{-4, 0}, {4, 0}, {0, -4}, {0, 4}, {-100000, 100000}};
    for (const POINT& at : beside) {
        BitBlt(c.dc, 2, 2, 4, 4, src.dc, at.X, at.Y, SRCCOPY);
        StretchBlt(c.dc, 0, 0, 8, 8, src.dc, at.X, at.Y, 4, 4, SRCCOPY);
        BitBlt(c.dc, 2, 2, 4, 4, c.dc, at.X * 2, at.Y * 2, SRCCOPY); // same surface: copied first
        TransparentBlt(c.dc, 0, 0, 8, 8, src.dc, at.X, at.Y, 4, 4, White);
    }
    untouched("beside the source");
    EXPECT_FALSE(StretchBlt(c.dc, 0, 0, 8, 8, src.dc, 0, 0, 0, 4, SRCCOPY));
    EXPECT_FALSE(StretchBlt(c.dc, 0, 0, 8, 8, src.dc, 0, 0, 4, 0, SRCCOPY));
    BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, 0};
    EXPECT_TRUE(AlphaBlend(c.dc, 0, 0, 8, 8, src.dc, 0, 0, 0, 4, bf));
    EXPECT_FALSE(AlphaBlend(c.dc, 0, 0, 8, 8, src.dc, 4, 0, 4, 4, bf));
    untouched("empty source rectangles");

    // A source DC whose origin moves its whole surface away from the rectangle asked for.
    SetWindowOrgEx(src.dc, 50, 50, nullptr);
    BitBlt(c.dc, 0, 0, 8, 8, src.dc, 0, 0, SRCCOPY);
    untouched("moved origin");

    // DIB bits: an empty source rectangle, and one beside the bits.
    std::uint32_t bits[4] = {0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u};
    const BITMAPINFO bmi = Bmi32(2, -2);
    EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 8, 8, 0, 0, 0, 2, bits, &bmi, DIB_RGB_COLORS, SRCCOPY), 0);
    StretchDIBits(c.dc, 0, 0, 8, 8, 5, 5, 2, 2, bits, &bmi, DIB_RGB_COLORS, SRCCOPY);
    untouched("DIB bits");
}
