// Images: where the picture goes for each combination of Stretch, Proportional and Center, and that it is
// drawn there.

#include "platform/vcl/Bitmap.h"
#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class ImageTest : public StdControlTest {
protected:
    TImage* MakeImage(int PicW, int PicH, int W = 100, int H = 50) {
        auto* img = Make<TImage>("Img", 10, 10, W, H);
        TBitmap bmp;
        bmp.SetSize(PicW, PicH);
        bmp.Canvas()->Brush()->SetColor(clRed);
        bmp.Canvas()->FillRect(TRect{0, 0, PicW, PicH});
        img->Picture()->SetGraphic(&bmp);
        return img;
    }
};

TEST_F(ImageTest, DestinationRectangle) {
    TImage* img = MakeImage(20, 10);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 20, 10}));
    img->SetCenter(true);
    EXPECT_EQ(img->DestRect(), (TRect{40, 20, 60, 30}));
    // Proportional alone never enlarges.
    img->SetProportional(true);
    EXPECT_EQ(img->DestRect(), (TRect{40, 20, 60, 30}));
    // Stretch fills; with Proportional it keeps 2:1 inside 100 x 50.
    img->SetCenter(false);
    img->SetProportional(false);
    img->SetStretch(true);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 100, 50}));
    img->SetProportional(true);
    img->SetBounds(10, 10, 100, 80);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 100, 50}));
    img->SetCenter(true);
    EXPECT_EQ(img->DestRect(), (TRect{0, 15, 100, 65}));
}

TEST_F(ImageTest, ProportionalShrinksLargePictures) {
    // Taller than wide, larger than the control: the height decides.
    TImage* img = MakeImage(40, 200, 100, 50);
    img->SetProportional(true);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 10, 50}));
    // Wider than tall but the height still limits.
    TBitmap wide;
    wide.SetSize(300, 200);
    img->Picture()->SetGraphic(&wide);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 75, 50}));
    // An empty picture has no extent.
    img->Picture()->SetGraphic(nullptr);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 0, 0}));
}

TEST_F(ImageTest, PictureIsDrawnStretched) {
    host->SetColor(clWhite);
    TImage* img = MakeImage(4, 2);
    ShowHost();
    ExpectPixels(img, {{1, 1, clRed}, {10, 5, clWhite}});
    img->SetStretch(true);
    ExpectPixels(img, {{99, 49, clRed}, {50, 25, clRed}});
    img->SetProportional(true);
    img->SetCenter(true);
    img->SetBounds(10, 10, 100, 100);
    // 2:1 in 100 x 100: rows 25 to 74.
    ExpectPixels(img, {{50, 20, clWhite}, {50, 30, clRed}, {50, 80, clWhite}});
    // AutoSize takes the picture's size.
    img->SetAutoSize(true);
    EXPECT_EQ(img->Width(), 4);
    EXPECT_EQ(img->Height(), 2);
}

} // namespace
} // namespace stdtest
