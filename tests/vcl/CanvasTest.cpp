#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/rtl/Exceptions.h"
#include "tests/vcl/GraphicsTestSupport.h"

using namespace vcl;
using graphics_test::Filled;
using graphics_test::Rgb;

TEST(CanvasBasics, ACanvasWithoutContextRefusesToDraw) {
    TCanvas c;
    EXPECT_FALSE(c.HandleAllocated());
    try {
        c.FillRect(Rect(0, 0, 2, 2));
        FAIL() << "drew without a device context";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message, "Canvas does not allow drawing");
    }
}

TEST(CanvasBasics, DrawsOnAForeignContextAndLetsItGo) {
    auto bmp = Filled(8, 8, clWhite);
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, bmp->Handle());
    {
        TCanvas c;
        c.SetHandle(dc);
        c.Brush()->SetColor(clRed);
        c.FillRect(Rect(0, 0, 4, 4));
        EXPECT_EQ(c.GetPixel(1, 1), Rgb(255, 0, 0));
        c.SetHandle(nullptr);
        EXPECT_FALSE(c.HandleAllocated());
        // The brush is no longer selected, so it could be freed while the context lives on.
        EXPECT_NE(win::GetCurrentObject(dc, win::OBJ_BRUSH), c.Brush()->Handle());
    }
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    EXPECT_EQ(bmp->Canvas()->Pixels(1, 1), Rgb(255, 0, 0));
    EXPECT_EQ(bmp->Canvas()->Pixels(5, 5), Rgb(255, 255, 255));
}

TEST(CanvasShapes, RectangleUsesPenAndBrushAndExcludesItsFarEdges) {
    auto bmp = Filled(10, 10, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Pen()->SetColor(clRed);
    c->Brush()->SetColor(clBlue);
    c->Rectangle(1, 1, 6, 6);
    EXPECT_EQ(c->Pixels(1, 1), Rgb(255, 0, 0));
    EXPECT_EQ(c->Pixels(5, 5), Rgb(255, 0, 0)) << "outline on the last column inside";
    EXPECT_EQ(c->Pixels(3, 3), Rgb(0, 0, 255));
    EXPECT_EQ(c->Pixels(6, 6), Rgb(255, 255, 255));
    EXPECT_EQ(c->Pixels(0, 0), Rgb(255, 255, 255));

    // A clear brush leaves the inside alone.
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clLime);
    c->Rectangle(Rect(2, 2, 9, 9));
    EXPECT_EQ(c->Pixels(2, 2), Rgb(0, 255, 0));
    EXPECT_EQ(c->Pixels(4, 4), Rgb(0, 0, 255)) << "old fill shows through";
    EXPECT_EQ(c->Pixels(7, 7), Rgb(255, 255, 255));
}

TEST(CanvasShapes, LinesLeaveOutTheEndPointAndMoveThePen) {
    auto bmp = Filled(10, 10, clWhite);
    TCanvas* c = bmp->Canvas();
    c->MoveTo(1, 2);
    c->LineTo(6, 2);
    EXPECT_EQ(c->PenPos(), Point(6, 2));
    EXPECT_EQ(c->Pixels(1, 2), Rgb(0, 0, 0));
    EXPECT_EQ(c->Pixels(5, 2), Rgb(0, 0, 0));
    EXPECT_EQ(c->Pixels(6, 2), Rgb(255, 255, 255));

    // A pen changed after it was selected is used for the next line.
    c->Pen()->SetColor(clRed);
    c->LineTo(6, 7);
    EXPECT_EQ(c->Pixels(6, 4), Rgb(255, 0, 0));

    c->Pen()->SetColor(clBlue);
    c->Polyline({Point(0, 9), Point(4, 9), Point(4, 5)});
    EXPECT_EQ(c->Pixels(2, 9), Rgb(0, 0, 255));
    EXPECT_EQ(c->Pixels(4, 7), Rgb(0, 0, 255));
}

TEST(CanvasShapes, FillsFramesAndPolygons) {
    auto bmp = Filled(12, 12, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clGreen);
    c->FrameRect(Rect(1, 1, 8, 8));
    EXPECT_EQ(c->Pixels(1, 1), Rgb(0, 128, 0));
    EXPECT_EQ(c->Pixels(7, 7), Rgb(0, 128, 0));
    EXPECT_EQ(c->Pixels(4, 4), Rgb(255, 255, 255));

    c->Brush()->SetColor(clNavy);
    c->Pen()->SetStyle(psClear);
    c->Polygon({Point(0, 0), Point(11, 0), Point(11, 11), Point(0, 11)});
    EXPECT_EQ(c->Pixels(5, 5), Rgb(0, 0, 128));

    c->Brush()->SetColor(clYellow);
    c->Ellipse(0, 0, 12, 12);
    EXPECT_EQ(c->Pixels(6, 6), Rgb(255, 255, 0));
    EXPECT_EQ(c->Pixels(0, 0), Rgb(0, 0, 128)) << "corners lie outside the ellipse";
}

TEST(CanvasShapes, APatternBrushRepeatsItsBitmap) {
    auto pattern = Filled(2, 2, clRed);
    pattern->Canvas()->Pixels(1, 0) = Rgb(0, 0, 255);
    pattern->Canvas()->Pixels(0, 1) = Rgb(0, 0, 255);
    auto bmp = Filled(6, 6, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetBitmap(pattern.get());
    c->FillRect(Rect(0, 0, 6, 6));
    EXPECT_EQ(c->Pixels(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(c->Pixels(1, 0), Rgb(0, 0, 255));
    EXPECT_EQ(c->Pixels(4, 4), Rgb(255, 0, 0));
    EXPECT_EQ(c->Pixels(5, 4), Rgb(0, 0, 255));
    pattern->Canvas()->Pixels(0, 0) = Rgb(0, 255, 0);
    c->Brush()->SetBitmap(pattern.get()); // again: the pattern follows the bitmap's pixels
    c->FillRect(Rect(0, 0, 6, 6));
    EXPECT_EQ(c->Pixels(2, 2), Rgb(0, 255, 0));
    c->Brush()->SetBitmap(nullptr);
    c->FillRect(Rect(0, 0, 6, 6));
    EXPECT_EQ(c->Pixels(1, 0), Rgb(255, 255, 255)) << "back to the plain brush";
}

TEST(CanvasPixels, ReadWriteAndOutside) {
    auto bmp = Filled(4, 4, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Pixels(2, 3) = Rgb(10, 20, 30);
    EXPECT_EQ(c->GetPixel(2, 3), Rgb(10, 20, 30));
    c->Pixels[1][2] = c->Pixels[2][3]; // copies the colour, not the place
    EXPECT_EQ(c->Pixels(1, 2), Rgb(10, 20, 30));
    TColor read = c->Pixels[3][3];
    EXPECT_EQ(read, Rgb(255, 255, 255));
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
    EXPECT_EQ(c->Pixels(6, 7), Rgb(255, 0, 0)) << "opaque text background in the brush colour";

    c->Brush()->SetStyle(bsClear);
    c->TextOut(5, 18, "   ");
    EXPECT_EQ(c->Pixels(6, 20), Rgb(255, 255, 255)) << "a clear brush gives transparent text";

    c->Font()->SetColor(clBlue);
    c->TextOut(40, 5, "\xE2\x96\x88\xE2\x96\x88"); // full blocks
    bool blue = false;
    for (int y = 5; y < 20 && !blue; ++y)
        for (int x = 40; x < 60 && !blue; ++x)
            blue = c->Pixels(x, y) == Rgb(0, 0, 255);
    EXPECT_TRUE(blue) << "text drawn in the font colour";
}

TEST(CanvasText, TextRectClipsAndShortens) {
    auto bmp = Filled(60, 20, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clYellow);
    c->TextRect(Rect(0, 0, 10, 10), 0, 0, "clipped text");
    EXPECT_EQ(c->Pixels(12, 2), Rgb(255, 255, 255)) << "nothing outside the rectangle";
    EXPECT_EQ(c->Pixels(9, 9), Rgb(255, 255, 0)) << "the rectangle is filled";

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
    EXPECT_EQ(dst->Canvas()->Pixels(3, 3), Rgb(255, 0, 0));
    EXPECT_EQ(dst->Canvas()->Pixels(4, 4), Rgb(255, 255, 255));

    dst->Canvas()->SetCopyMode(cmSrcInvert);
    dst->Canvas()->CopyRect(Rect(0, 0, 4, 4), src->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(dst->Canvas()->Pixels(0, 0), Rgb(0, 0, 0)) << "red xor red";
    EXPECT_EQ(dst->Canvas()->Pixels(3, 3), Rgb(0, 255, 255)) << "red xor white";
}

TEST(CanvasCopy, ClipRectIsTheBitmap) {
    auto bmp = Filled(7, 5, clWhite);
    EXPECT_EQ(bmp->Canvas()->ClipRect(), Rect(0, 0, 7, 5));
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
