// Bevels: each shape in both styles, pixel by pixel.

#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class BevelTest : public StdControlTest {};

TEST_F(BevelTest, BoxAndFrame) {
    host->SetColor(clWhite);
    auto* b = Make<TBevel>("B", 10, 10, 40, 30);
    ShowHost();
    // Lowered box: dark top and left, light bottom and right (including both far corners).
    EXPECT_EQ(At(b, 0, 0), Ref(clBtnShadow));
    EXPECT_EQ(At(b, 20, 0), Ref(clBtnShadow));
    EXPECT_EQ(At(b, 0, 15), Ref(clBtnShadow));
    EXPECT_EQ(At(b, 39, 15), Ref(clBtnHighlight));
    EXPECT_EQ(At(b, 20, 29), Ref(clBtnHighlight));
    EXPECT_EQ(At(b, 39, 0), Ref(clBtnHighlight));
    EXPECT_EQ(At(b, 0, 29), Ref(clBtnHighlight));
    EXPECT_EQ(At(b, 20, 15), Ref(clWhite)); // the inside is not painted
    b->SetStyle(bsRaised);
    EXPECT_EQ(At(b, 0, 0), Ref(clBtnHighlight));
    EXPECT_EQ(At(b, 39, 29), Ref(clBtnShadow));
    // A lowered frame: a dark rectangle with a light one one pixel down and right.
    b->SetStyle(bsLowered);
    b->SetShape(bsFrame);
    EXPECT_EQ(At(b, 0, 0), Ref(clBtnShadow));
    EXPECT_EQ(At(b, 1, 1), Ref(clBtnHighlight));
    EXPECT_EQ(At(b, 38, 28), Ref(clBtnShadow));
    EXPECT_EQ(At(b, 39, 29), Ref(clBtnHighlight));
    b->SetShape(bsSpacer);
    EXPECT_EQ(At(b, 0, 0), Ref(clWhite));
}

TEST_F(BevelTest, Lines) {
    host->SetColor(clWhite);
    auto* b = Make<TBevel>("B", 10, 10, 40, 30);
    b->SetShape(bsTopLine);
    ShowHost();
    EXPECT_EQ(At(b, 20, 0), Ref(clBtnShadow));
    EXPECT_EQ(At(b, 20, 1), Ref(clBtnHighlight));
    EXPECT_EQ(At(b, 20, 2), Ref(clWhite));
    EXPECT_EQ(At(b, 39, 0), Ref(clBtnShadow));
    b->SetShape(bsBottomLine);
    EXPECT_EQ(At(b, 20, 28), Ref(clBtnShadow));
    EXPECT_EQ(At(b, 20, 29), Ref(clBtnHighlight));
    EXPECT_EQ(At(b, 20, 0), Ref(clWhite));
    b->SetShape(bsLeftLine);
    EXPECT_EQ(At(b, 0, 15), Ref(clBtnShadow));
    EXPECT_EQ(At(b, 1, 15), Ref(clBtnHighlight));
    b->SetShape(bsRightLine);
    b->SetStyle(bsRaised);
    EXPECT_EQ(At(b, 38, 15), Ref(clBtnHighlight));
    EXPECT_EQ(At(b, 39, 15), Ref(clBtnShadow));
}

} // namespace
} // namespace stdtest
