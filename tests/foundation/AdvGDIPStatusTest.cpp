// The wrappers' start-up, allocation and status rules.

#include <gtest/gtest.h>

#include "tests/foundation/AdvGDIPTestSupport.h"
#include "tests/support/ColorMatch.h"

using colortest::IsColor;
using namespace AdvGDIP;
using namespace AdvGDIPTest;

TEST(AdvGDIPStartup, UnitInitialisationAndTheWrappersAsLiveObjects) {
    EXPECT_EQ(StartupInput.GdiplusVersion, 1u);
    EXPECT_EQ(StartupInput.DebugEventCallback, nullptr);
    EXPECT_EQ(static_cast<unsigned>(StartupInput.SuppressBackgroundThread), 0xFFFFFFFFu); // all bits set
    EXPECT_EQ(StartupInput.SuppressExternalCodecs, 0);
    EXPECT_NE(gdiplusToken, 0u);
    // The wrappers are live objects of the object model.
    long before = vcl::TObject::LiveObjects();
    {
        auto pen = std::make_unique<TGPPen>(MakeColor(1, 2, 3), 2.0f);
        TGPSolidBrush brush(MakeColor(4, 5, 6));
        EXPECT_EQ(vcl::TObject::LiveObjects(), before + 2);
        EXPECT_TRUE(pen->InheritsFrom(TGdiplusBase::StaticClassType()));
        EXPECT_TRUE(brush.InheritsFrom(TGPBrush::StaticClassType()));
        EXPECT_EQ(brush.ClassName(), "TGPSolidBrush");
    }
    EXPECT_EQ(vcl::TObject::LiveObjects(), before);
}

TEST(AdvGDIPStatus, FirstFailureIsKeptUntilReadAndLaterCallsDoNotReplaceIt) {
    TSurface surface(10, 10);
    TGPGraphics& g = *surface.Graphics;
    TGPSolidBrush brush(MakeColor(0, 0, 0));
    ASSERT_EQ(g.GetLastStatus(), Ok);

    EXPECT_EQ(g.FillRectangle(nullptr, 0.0f, 0.0f, 5.0f, 5.0f), InvalidParameter);
    EXPECT_EQ(g.FillRectangle(&brush, 0.0f, 0.0f, 5.0f, 5.0f), Ok); // the operation itself succeeds
    EXPECT_EQ(g.SetSmoothingMode(99), InvalidParameter);            // a second failure
    EXPECT_EQ(g.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(g.GetLastStatus(), Ok); // reading resets
    EXPECT_THAT(surface.Pixel(2, 2), IsColor(0xFF000000u));

    // Of two different failures the first wins.
    TGPGraphicsPath path;
    TGPPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    ASSERT_EQ(path.AddPolygon(square, 4), Ok);
    TGPPathGradientBrush gradient(&path);
    ARGB colors[4] = {MakeColor(255, 0, 0), MakeColor(0, 255, 0), 0, 0};
    int count = 2, small = 0;
    ASSERT_EQ(gradient.SetSurroundColors(colors, count), Ok);
    EXPECT_EQ(gradient.GetSurroundColors(colors, small), InsufficientBuffer);
    EXPECT_EQ(gradient.SetSurroundColors(nullptr, count), InvalidParameter);
    EXPECT_EQ(gradient.GetLastStatus(), InsufficientBuffer);
    EXPECT_EQ(gradient.GetLastStatus(), Ok);
}

TEST(AdvGDIPStatus, WrappersKeepTheCreatingCallsStatusAndEmptyOnesFailCleanly) {
    TSurface surface(8, 8);
    TGPPen adopted(static_cast<gdip::GpPen*>(nullptr), WrongState);
    EXPECT_EQ(adopted.GetLastStatus(), WrongState);
    TGPBrush bare;
    EXPECT_EQ(bare.GetLastStatus(), NotImplemented);
    TGPLinearGradientBrush emptyLinear;
    EXPECT_EQ(emptyLinear.GetLastStatus(), Ok);

    // Every one of these holds no GDI+ object: using it fails, and freeing it at the end of the block
    // passes the empty handle to GDI+'s delete function.
    {
        TGPSolidBrush brush;
        EXPECT_EQ(brush.GetLastStatus(), Ok);
        EXPECT_EQ(surface.Graphics->FillRectangle(&brush, 0.0f, 0.0f, 4.0f, 4.0f), InvalidParameter);
        TGPPen pen(static_cast<gdip::GpPen*>(nullptr), Ok);
        EXPECT_NE(pen.SetDashStyle(DashStyleDot), Ok);
        TGPGraphicsPath path(static_cast<gdip::GpPath*>(nullptr));
        EXPECT_EQ(path.GetLastStatus(), Ok);
        EXPECT_NE(path.AddLine(0.0f, 0.0f, 1.0f, 1.0f), Ok);
        TGPGraphics failedGraphics(nullptr);
        EXPECT_NE(failedGraphics.GetLastStatus(), Ok);
        EXPECT_EQ(failedGraphics.GetNativeGraphics(), nullptr);
        TGPFontFamily family(vcl::String("No Such Family Kalvenor"));
        EXPECT_EQ(family.GetLastStatus(), FontFamilyNotFound);
        TGPFont font(&family, 10.0f);
        EXPECT_NE(font.GetLastStatus(), Ok);
        TGPBitmap bitmap(0, 0);
        EXPECT_NE(bitmap.GetLastStatus(), Ok);
    }
    EXPECT_THAT(surface.Pixel(1, 1), IsColor(0xFFFFFFFFu)); // nothing was drawn
}

TEST(AdvGDIPGraphics, SettingsReadBackFailedQueriesGiveTheirMarkersAndPenSettings) {
    TSurface surface(4, 4);
    TGPGraphics& g = *surface.Graphics;
    EXPECT_EQ(g.SetSmoothingMode(gdip::SmoothingModeAntiAlias), Ok);
    EXPECT_EQ(g.GetSmoothingMode(), 4);
    EXPECT_EQ(g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit), Ok);
    EXPECT_EQ(g.GetTextRenderingHint(), TextRenderingHintClearTypeGridFit);
    EXPECT_EQ(g.SetCompositingQuality(gdip::CompositingQualityHighQuality), Ok);
    EXPECT_EQ(g.GetCompositingQuality(), gdip::CompositingQualityHighQuality);
    EXPECT_EQ(g.GetLastStatus(), Ok);

    EXPECT_EQ(g.SetSmoothingMode(-2), InvalidParameter);
    EXPECT_EQ(g.SetCompositingQuality(42), InvalidParameter);
    EXPECT_EQ(g.GetSmoothingMode(), 4); // unchanged by the refused values
    g.GetLastStatus();

    TGPGraphics noDevice(nullptr);
    noDevice.GetLastStatus();
    EXPECT_EQ(noDevice.GetSmoothingMode(), -1);
    EXPECT_NE(noDevice.GetLastStatus(), Ok);
    noDevice.Flush(FlushIntentionFlush); // neither kept nor returned
    EXPECT_EQ(noDevice.GetLastStatus(), Ok);
    // A pen's dash style and end cap.
    TGPPen pen(MakeColor(0, 0, 0), 3.0f);
    ASSERT_EQ(pen.GetLastStatus(), Ok);
    EXPECT_EQ(pen.GetDashStyle(), DashStyleSolid);
    EXPECT_EQ(pen.SetDashStyle(DashStyleDot), Ok);
    EXPECT_EQ(pen.GetDashStyle(), DashStyleDot);
    EXPECT_EQ(pen.SetEndCap(gdip::LineCapRound), Ok);
    EXPECT_EQ(pen.SetEndCap(-1), InvalidParameter);
    EXPECT_EQ(pen.SetEndCap(0x100), InvalidParameter);
    EXPECT_EQ(pen.GetLastStatus(), InvalidParameter);
}
