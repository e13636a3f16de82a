// Labels: auto-size, word wrap, alignment and layout, transparency, and the accelerator that focuses the
// FocusControl. Images: where the picture goes for each combination of Stretch, Proportional and Center,
// and that it is drawn there.

#include "platform/vcl/Bitmap.h"
#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class LabelTest : public StdControlTest {
protected:
    // Columns of the label holding dark (text) pixels: first and last.
    std::pair<int, int> InkColumns(TLabel* L) {
        int first = -1, last = -1;
        for (int x = 0; x < L->Width(); ++x)
            for (int y = 0; y < L->Height(); ++y)
                if (IsInk(At(L, x, y))) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }
};

TEST_F(LabelTest, AutoSizeFollowsTheCaption) {
    auto* l = Make<TLabel>("L", 10, 10, 200, 50);
    l->SetCaption("Short");
    int shortWidth = l->Width();
    int lineHeight = l->Height();
    EXPECT_GT(shortWidth, 10);
    EXPECT_GT(lineHeight, 5);
    l->SetCaption("A much longer caption");
    EXPECT_GT(l->Width(), shortWidth);
    EXPECT_EQ(l->Height(), lineHeight);
    // "&" marks an accelerator and takes no room; with ShowAccelChar off it is shown.
    l->SetCaption("&Short");
    EXPECT_EQ(l->Width(), shortWidth);
    l->SetShowAccelChar(false);
    EXPECT_GT(l->Width(), shortWidth);
    // An empty caption keeps one line's height.
    l->SetCaption("");
    EXPECT_EQ(l->Height(), lineHeight);
    // Word wrap keeps the width and grows downwards.
    l->SetCaption("one two three four five six seven eight nine ten");
    l->SetWordWrap(true);
    l->SetWidth(60);
    l->AdjustBounds();
    EXPECT_EQ(l->Width(), 60);
    EXPECT_GT(l->Height(), 2 * lineHeight);
    // Without AutoSize nothing moves.
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 33, 44);
    l->SetCaption("x");
    EXPECT_EQ(l->BoundsRect(), (TRect{10, 10, 43, 54}));
}

TEST_F(LabelTest, AlignmentLayoutAndTransparency) {
    auto* l = Make<TLabel>("L", 10, 10, 200, 40);
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 200, 40);
    l->SetCaption("III");
    l->SetColor(clWhite);
    ShowHost();
    auto left = InkColumns(l);
    ASSERT_GE(left.first, 0);
    EXPECT_LT(left.first, 5);
    l->SetAlignment(taRightJustify);
    auto right = InkColumns(l);
    EXPECT_GT(right.second, 190);
    l->SetAlignment(taCenter);
    auto centre = InkColumns(l);
    EXPECT_NEAR((centre.first + centre.second) / 2, 100, 4);
    // Layout moves the text down.
    auto inkRow = [&]() {
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x)
                if (IsInk(At(l, x, y))) return y;
        return -1;
    };
    int top = inkRow();
    l->SetLayout(tlBottom);
    EXPECT_GT(inkRow(), top + 15);
    // Opaque labels fill with their colour; transparent ones show the parent.
    ExpectPixels(l, {{2, 2, clWhite}});
    l->SetTransparent(true);
    ExpectPixels(l, {{2, 2, clBtnFace}});
}

TEST_F(LabelTest, AcceleratorFocusesTheFocusControl) {
    auto* button = Make<TButton>("B", 10, 100, 75, 25);
    auto* edit = Make<TEdit>("E", 100, 10, 100, 21);
    auto* l = Make<TLabel>("L", 10, 10, 60, 13);
    l->SetCaption("&Name:");
    l->SetFocusControl(edit);
    ShowHost();
    button->SetFocus();
    Chord({win::VK_MENU}, 'N');
    EXPECT_TRUE(edit->Focused());
    // Another letter does nothing; a disabled target cannot take the focus.
    button->SetFocus();
    Chord({win::VK_MENU}, 'X');
    EXPECT_TRUE(button->Focused());
    edit->SetEnabled(false);
    Chord({win::VK_MENU}, 'N');
    EXPECT_TRUE(button->Focused());
    // Freeing the target clears the reference.
    edit->SetEnabled(true);
    FreeComponent(edit);
    EXPECT_EQ(l->FocusControl(), nullptr);
    Chord({win::VK_MENU}, 'N');
    EXPECT_TRUE(button->Focused());
}

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
