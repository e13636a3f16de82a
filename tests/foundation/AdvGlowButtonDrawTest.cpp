// The glow button unit's painter pieces, checked by pixel probes on a bitmap.

#include <gtest/gtest.h>

#include "components/foundation/AdvGlowButtonAppearance.h"
#include "tests/foundation/AdvGDIPTestSupport.h"
#include "tests/support/ColorMatch.h"

namespace {

using colortest::IsColor;

using namespace AdvGlowButton;
using namespace vcl;

class AdvGlowButtonDraw : public ::testing::Test {
protected:
    void Make(int W, int H) {
        bmp = std::make_unique<TBitmap>(W, H);
        bmp->SetPixelFormat(pf32bit);
        bmp->Canvas()->Brush()->SetColor(clWhite);
        bmp->Canvas()->FillRect(TRect{0, 0, W, H});
        graphics = std::make_unique<AdvGDIP::TGPGraphics>(bmp->Canvas()->Handle());
    }
    // 0x00RRGGBB.
    std::uint32_t At(int x, int y) { return bmp->PixelData()[y * bmp->Width() + x] & 0xFFFFFF; }
    static int Red(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
    static int Blue(std::uint32_t c) { return static_cast<int>(c & 0xFF); }
    void TearDown() override {
        graphics.reset();
        bmp.reset();
    }
    std::unique_ptr<TBitmap> bmp;
    std::unique_ptr<AdvGDIP::TGPGraphics> graphics;
};

TEST_F(AdvGlowButtonDraw, RadialAndVerticalHalves) {
    Make(100, 40);
    // C1 red (the centre), C2 blue (solid outside the ellipse).
    FillGlowBackground(bmp->Canvas(), graphics.get(), TRect{0, 0, 100, 40}, 0x0000FF, 0xFF0000, ggRadial,
                       false);
    EXPECT_THAT(At(0, 0), IsColor(0x0000FFu)); // corner: outside the ellipse, the solid C2
    EXPECT_THAT(At(99, 39), IsColor(0x0000FFu));
    const std::uint32_t nearCentre = At(50, 38);
    EXPECT_GT(Red(nearCentre), 200); // near the centre point (50, 40) the centre colour
    EXPECT_LT(Blue(nearCentre), 60);
    const std::uint32_t nearEdge = At(50, 1);
    EXPECT_GT(Blue(nearEdge), Red(nearEdge)); // towards the ellipse's edge the surround colour
    // A vertical half runs from C1 to C2.
    Make(20, 40);
    FillGlowBackground(bmp->Canvas(), graphics.get(), TRect{0, 0, 20, 40}, 0x0000FF, 0xFF0000, ggVertical,
                       true);
    EXPECT_GT(Red(At(10, 0)), 240);
    EXPECT_GT(Blue(At(10, 39)), 240);
    EXPECT_GT(Red(At(10, 10)), Red(At(10, 30)));
}

TEST_F(AdvGlowButtonDraw, Outlines) {
    Make(40, 30);
    DrawRoundRectBorder(graphics.get(), 0x000000, 0, 0, 39, 29, 0);
    EXPECT_THAT(At(0, 15), IsColor(0x000000u));
    EXPECT_THAT(At(20, 0), IsColor(0x000000u));
    EXPECT_THAT(At(39, 29), IsColor(0x000000u));
    EXPECT_THAT(At(20, 15), IsColor(0xFFFFFFu));

    Make(40, 30);
    DrawRoundRectBorder(graphics.get(), 0x000000, 0, 0, 39, 29, 5);
    EXPECT_THAT(At(0, 0), IsColor(0xFFFFFFu)); // the rounded corner leaves the corner pixel out
    EXPECT_LT(Red(At(20, 0)), 0x40);
    EXPECT_LT(Red(At(0, 15)), 0x40);

    Make(40, 30);
    DrawMiddleButtonBorder(graphics.get(), 0x000000, 0, 0, 39, 29, 3, false);
    EXPECT_LT(Red(At(20, 0)), 0x40);  // top edge
    EXPECT_LT(Red(At(20, 29)), 0x40); // bottom edge
    // The light separator on the left: white darkened by 10 percent, 2 pixels short at each end.
    EXPECT_THAT(At(0, 15), IsColor(0xE6E6E6u));
    EXPECT_THAT(At(0, 1), IsColor(0xFFFFFFu));

    Make(40, 30);
    DrawMiddleButtonBorder(graphics.get(), 0x646464, 0, 0, 39, 29, 3, true);
    EXPECT_THAT(At(0, 15), IsColor(0x5F5F5Fu)); // emphasised: the colour 5 percent darker
    EXPECT_THAT(At(39, 15), IsColor(0x5F5F5Fu));

    Make(40, 30);
    DrawLeftButtonBorder(graphics.get(), 0x646464, 0, 0, 39, 29, 4);
    EXPECT_THAT(At(39, 15), IsColor(0x5F5F5Fu)); // its right edge
    EXPECT_THAT(At(0, 0), IsColor(0xFFFFFFu));   // rounded on the left
    Make(40, 30);
    DrawRightButtonBorder(graphics.get(), 0x646464, 0, 0, 39, 29, 4, true);
    EXPECT_THAT(At(39, 0), IsColor(0xFFFFFFu)); // rounded on the right
    EXPECT_THAT(At(0, 15), IsColor(0x5F5F5Fu));

    Make(40, 30);
    DrawDottedRoundRect(graphics.get(), 0x000000, 0, 0, 39, 29, 3);
    int dark = 0, light = 0;
    for (int y = 6; y < 22; ++y)
        (Red(At(0, y)) < 0x80 ? dark : light)++;
    EXPECT_GT(dark, 4);
    EXPECT_GT(light, 4); // dotted, not solid
}

TEST_F(AdvGlowButtonDraw, DropDownArrowsAndPictures) {
    Make(12, 12);
    DrawDropDownArrow(bmp->Canvas(), TPoint{2, 2}, 0x000000, 0x0000FF, true);
    EXPECT_THAT(At(2, 2), IsColor(0x000000u));
    EXPECT_THAT(At(6, 2), IsColor(0x000000u));
    EXPECT_THAT(At(7, 2), IsColor(0xFFFFFFu)); // the line leaves out its end point
    EXPECT_THAT(At(4, 4), IsColor(0x000000u)); // the tip
    EXPECT_THAT(At(2, 3), IsColor(0xFF0000u)); // edge pixels
    EXPECT_THAT(At(4, 5), IsColor(0xFF0000u));

    Make(12, 12);
    DrawDropDownArrow(bmp->Canvas(), TPoint{2, 2}, 0x000000, 0x0000FF, false);
    EXPECT_THAT(At(2, 6), IsColor(0x000000u));
    EXPECT_THAT(At(2, 7), IsColor(0xFFFFFFu));
    EXPECT_THAT(At(4, 4), IsColor(0x000000u));
    EXPECT_THAT(At(4, 3), IsColor(0xFF0000u));
    EXPECT_THAT(At(5, 4), IsColor(0xFF0000u));
    EXPECT_THAT(At(3, 6), IsColor(0xFF0000u));
    GDIPicture::TGDIPPicture png;
    const auto bytes = AdvGDIPTest::QuadrantPng();
    TMemoryStream ms;
    ms.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    ms.SetPosition(0);
    png.LoadFromStream(&ms);
    Make(20, 20);
    DrawPictureStream(graphics.get(), bmp->Canvas(), TRect{0, 0, 8, 8}, &png);
    EXPECT_THAT(At(1, 1), IsColor(0xFF0000u));
    EXPECT_THAT(At(6, 1), IsColor(0x00FF00u));
    EXPECT_THAT(At(12, 12), IsColor(0xFFFFFFu));

    GDIPicture::TGDIPPicture file;
    const auto bmpBytes = AdvGDIPTest::SmallBmp();
    TMemoryStream bs;
    bs.WriteBuffer(bmpBytes.data(), static_cast<Int64>(bmpBytes.size()));
    bs.SetPosition(0);
    file.LoadFromStream(&bs);
    Make(20, 20);
    DrawPictureStream(graphics.get(), bmp->Canvas(), TRect{0, 0, 6, 4}, &file);
    EXPECT_THAT(At(0, 0), IsColor(0xFF0000u)); // stretched two by two
    EXPECT_THAT(At(1, 1), IsColor(0xFF0000u));
    EXPECT_THAT(At(4, 0), IsColor(0x0000FFu));

    GDIPicture::TGDIPPicture empty;
    Make(4, 4);
    EXPECT_NO_THROW(DrawPictureStream(graphics.get(), bmp->Canvas(), TRect{0, 0, 4, 4}, &empty));
    EXPECT_THAT(At(1, 1), IsColor(0xFFFFFFu));
}

} // namespace
