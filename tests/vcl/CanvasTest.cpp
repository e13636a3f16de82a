#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/rtl/Exceptions.h"
#include "tests/vcl/GraphicsTestSupport.h"

using namespace vcl;
using graphics_test::ExpectPixels;
using graphics_test::Filled;
using graphics_test::Rgb;

namespace {

constexpr TColor kWhite = Rgb(255, 255, 255), kRed = Rgb(255, 0, 0), kBlue = Rgb(0, 0, 255);

} // namespace

TEST(CanvasBasics, RefusesToDrawWithoutContextAndLetsAForeignContextGo) {
    TCanvas none;
    EXPECT_FALSE(none.HandleAllocated());
    try {
        none.FillRect(Rect(0, 0, 2, 2));
        FAIL() << "drew without a device context";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message, "Canvas does not allow drawing");
    }

    auto bmp = Filled(8, 8, clWhite);
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, bmp->Handle());
    {
        TCanvas c;
        c.SetHandle(dc);
        c.Brush()->SetColor(clRed);
        c.FillRect(Rect(0, 0, 4, 4));
        EXPECT_EQ(c.GetPixel(1, 1), kRed);
        c.SetHandle(nullptr);
        EXPECT_FALSE(c.HandleAllocated());
        // The brush is no longer selected, so it could be freed while the context lives on.
        EXPECT_NE(win::GetCurrentObject(dc, win::OBJ_BRUSH), c.Brush()->Handle());
    }
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    ExpectPixels(bmp->Canvas(), {{1, 1, kRed}, {5, 5, kWhite}});
    // The clipping rectangle of a bitmap's canvas is the bitmap.
    EXPECT_EQ(Filled(7, 5, clWhite)->Canvas()->ClipRect(), Rect(0, 0, 7, 5));
}

TEST(CanvasShapes, RectanglesUsePenAndBrushAndExcludeTheirFarEdges) {
    auto bmp = Filled(10, 10, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Pen()->SetColor(clRed);
    c->Brush()->SetColor(clBlue);
    c->Rectangle(1, 1, 6, 6);
    // The outline takes the last column and row inside.
    ExpectPixels(c, {{1, 1, kRed}, {5, 5, kRed}, {3, 3, kBlue}, {6, 6, kWhite}, {0, 0, kWhite}});

    // A clear brush leaves the inside alone: the old fill shows through.
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clLime);
    c->Rectangle(Rect(2, 2, 9, 9));
    ExpectPixels(c, {{2, 2, Rgb(0, 255, 0)}, {4, 4, kBlue}, {7, 7, kWhite}});
}

TEST(CanvasShapes, LinesLeaveOutTheEndPointAndMoveThePen) {
    auto bmp = Filled(10, 10, clWhite);
    TCanvas* c = bmp->Canvas();
    c->MoveTo(1, 2);
    c->LineTo(6, 2);
    EXPECT_EQ(c->PenPos(), Point(6, 2));
    ExpectPixels(c, {{1, 2, Rgb(0, 0, 0)}, {5, 2, Rgb(0, 0, 0)}, {6, 2, kWhite}});

    // A pen changed after it was selected is used for the next line.
    c->Pen()->SetColor(clRed);
    c->LineTo(6, 7);
    ExpectPixels(c, {{6, 4, kRed}});

    c->Pen()->SetColor(clBlue);
    c->Polyline({Point(0, 9), Point(4, 9), Point(4, 5)});
    ExpectPixels(c, {{2, 9, kBlue}, {4, 7, kBlue}});
}

TEST(CanvasShapes, FillsFramesAndPolygons) {
    auto bmp = Filled(12, 12, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clGreen);
    c->FrameRect(Rect(1, 1, 8, 8));
    ExpectPixels(c, {{1, 1, Rgb(0, 128, 0)}, {7, 7, Rgb(0, 128, 0)}, {4, 4, kWhite}});

    c->Brush()->SetColor(clNavy);
    c->Pen()->SetStyle(psClear);
    c->Polygon({Point(0, 0), Point(11, 0), Point(11, 11), Point(0, 11)});
    ExpectPixels(c, {{5, 5, Rgb(0, 0, 128)}});

    // The corners lie outside the ellipse.
    c->Brush()->SetColor(clYellow);
    c->Ellipse(0, 0, 12, 12);
    ExpectPixels(c, {{6, 6, Rgb(255, 255, 0)}, {0, 0, Rgb(0, 0, 128)}});
}

TEST(CanvasShapes, APatternBrushRepeatsItsBitmap) {
    auto pattern = Filled(2, 2, clRed);
    pattern->Canvas()->Pixels(1, 0) = kBlue;
    pattern->Canvas()->Pixels(0, 1) = kBlue;
    auto bmp = Filled(6, 6, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetBitmap(pattern.get());
    c->FillRect(Rect(0, 0, 6, 6));
    ExpectPixels(c, {{0, 0, kRed}, {1, 0, kBlue}, {4, 4, kRed}, {5, 4, kBlue}});
    pattern->Canvas()->Pixels(0, 0) = Rgb(0, 255, 0);
    c->Brush()->SetBitmap(pattern.get()); // again: the pattern follows the bitmap's pixels
    c->FillRect(Rect(0, 0, 6, 6));
    ExpectPixels(c, {{2, 2, Rgb(0, 255, 0)}});
    c->Brush()->SetBitmap(nullptr); // back to the plain brush
    c->FillRect(Rect(0, 0, 6, 6));
    ExpectPixels(c, {{1, 0, kWhite}});
}

TEST(CanvasPixels, ReadWriteAndOutside) {
    auto bmp = Filled(4, 4, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Pixels(2, 3) = Rgb(10, 20, 30);
    EXPECT_EQ(c->GetPixel(2, 3), Rgb(10, 20, 30));
    c->Pixels[1][2] = c->Pixels[2][3]; // copies the colour, not the place
    EXPECT_EQ(c->Pixels(1, 2), Rgb(10, 20, 30));
    TColor read = c->Pixels[3][3];
    EXPECT_EQ(read, kWhite);
    c->SetPixel(0, 0, clBtnFace);
    EXPECT_EQ(c->GetPixel(0, 0), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(c->GetPixel(4, 0), -1);
    EXPECT_EQ(c->GetPixel(-1, 2), -1);
}

TEST(CanvasText, MeasuringAgreesWithDrawText) {
    auto bmp = Filled(200, 40, clWhite);
    TCanvas* c = bmp->Canvas();
    TSize extent = c->TextExtent("Kalvenor");
    EXPECT_GT(extent.cx, 0);
    EXPECT_GT(extent.cy, 0);
    EXPECT_EQ(c->TextWidth("Kalvenor"), extent.cx);
    EXPECT_EQ(c->TextHeight("gh"), extent.cy) << "one line is one line high";
    EXPECT_EQ(c->TextWidth(""), 0);

    TRect r = Rect(0, 0, 1000, 100);
    win::DrawText(c->Handle(), "Kalvenor", -1, &r, win::DT_CALCRECT | win::DT_SINGLELINE | win::DT_NOPREFIX);
    EXPECT_EQ(r.Width(), extent.cx);
    EXPECT_EQ(r.Height(), extent.cy);

    TRect calc = Rect(0, 0, 1000, 100);
    String text = "Kalvenor";
    c->TextRect(calc, text, {tfCalcRect, tfSingleLine, tfNoPrefix});
    EXPECT_EQ(calc.Width(), extent.cx);

    int small = c->TextWidth("Wide text");
    c->Font()->SetSize(16);
    EXPECT_GT(c->TextWidth("Wide text"), small) << "a bigger font is selected before measuring";
    c->Font()->SetStyle({fsBold});
    EXPECT_GT(c->TextHeight("gh"), extent.cy);
}

TEST(CanvasText, TextOutMovesThePenAndPaintsTheBrushBehind) {
    auto bmp = Filled(100, 30, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clRed);
    c->TextOut(5, 5, "   ");
    int w = c->TextWidth("   ");
    EXPECT_EQ(c->PenPos(), Point(5 + w, 5));
    EXPECT_EQ(c->Pixels(6, 7), kRed) << "opaque text background in the brush colour";

    c->Brush()->SetStyle(bsClear);
    c->TextOut(5, 18, "   ");
    EXPECT_EQ(c->Pixels(6, 20), kWhite) << "a clear brush gives transparent text";

    c->Font()->SetColor(clBlue);
    c->TextOut(40, 5, "\xE2\x96\x88\xE2\x96\x88"); // full blocks
    bool blue = false;
    for (int y = 5; y < 20 && !blue; ++y)
        for (int x = 40; x < 60 && !blue; ++x)
            blue = c->Pixels(x, y) == kBlue;
    EXPECT_TRUE(blue) << "text drawn in the font colour";

    // TextRect fills its rectangle and draws nothing outside it.
    c->Brush()->SetColor(clYellow);
    c->TextRect(Rect(0, 0, 10, 10), 0, 0, "clipped text");
    ExpectPixels(c, {{12, 2, kWhite}, {9, 9, Rgb(255, 255, 0)}});

    String text = "A rather long caption";
    TRect r = Rect(0, 0, c->TextWidth("A rath") + 1, 20);
    c->TextRect(r, text, {tfSingleLine, tfEndEllipsis, tfModifyString});
    EXPECT_NE(text, "A rather long caption");
    EXPECT_EQ(text.substr(text.size() - 3), "...");
}

TEST(CanvasEvents, DrawingRaisesChangingThenChange) {
    auto bmp = Filled(4, 4, clWhite);
    TCanvas* c = bmp->Canvas();
    std::vector<String> log;
    c->OnChanging = [&](TObject*) { log.push_back("changing"); };
    c->OnChange = [&](TObject*) { log.push_back("change"); };
    c->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(log, (std::vector<String>{"changing", "change"}));
    log.clear();
    c->TextWidth("x");
    c->GetPixel(0, 0);
    EXPECT_TRUE(log.empty()) << "measuring and reading change nothing";
}

TEST(CanvasCopy, CopyRectStretchesAndHonoursTheCopyMode) {
    auto src = Filled(4, 4, clWhite);
    src->Canvas()->Brush()->SetColor(clRed);
    src->Canvas()->FillRect(Rect(0, 0, 2, 2));
    auto dst = Filled(8, 8, clBlack);
    dst->Canvas()->CopyRect(Rect(0, 0, 8, 8), src->Canvas(), Rect(0, 0, 4, 4));
    ExpectPixels(dst->Canvas(), {{3, 3, kRed}, {4, 4, kWhite}});

    // Red xor red is black; red xor white is cyan.
    dst->Canvas()->SetCopyMode(cmSrcInvert);
    dst->Canvas()->CopyRect(Rect(0, 0, 4, 4), src->Canvas(), Rect(0, 0, 4, 4));
    ExpectPixels(dst->Canvas(), {{0, 0, Rgb(0, 0, 0)}, {3, 3, Rgb(0, 255, 255)}});
}

TEST(CanvasLock, LocksAreCountedAndExcludeOtherThreads) {
    TCanvas c;
    c.Lock();
    EXPECT_TRUE(c.TryLock());
    EXPECT_EQ(c.LockCount(), 2);
    std::atomic<bool> other{true};
    std::thread t([&] {
        other = c.TryLock();
        if (other) c.Unlock();
    });
    t.join();
    EXPECT_FALSE(other);
    c.Unlock();
    c.Unlock();
    EXPECT_EQ(c.LockCount(), 0);
    c.Unlock(); // one too many is ignored
    EXPECT_EQ(c.LockCount(), 0);
}
