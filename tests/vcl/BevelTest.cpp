// Bevels: each shape in both styles, pixel by pixel.

#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class BevelTest : public StdControlTest {};

TEST_F(BevelTest, BoxFrameAndLines) {
    host->SetColor(clWhite);
    auto* b = Make<TBevel>("B", 10, 10, 40, 30);
    ShowHost();
    const TColor dark = clBtnShadow, light = clBtnHighlight;
    // Lowered box: dark top and left, light bottom and right (including both far corners); the inside is
    // not painted.
    ExpectPixels(b, {{0, 0, dark},
                     {20, 0, dark},
                     {0, 15, dark},
                     {39, 15, light},
                     {20, 29, light},
                     {39, 0, light},
                     {0, 29, light},
                     {20, 15, clWhite}});
    b->SetStyle(bsRaised);
    ExpectPixels(b, {{0, 0, light}, {39, 29, dark}});
    // A lowered frame: a dark rectangle with a light one one pixel down and right.
    b->SetStyle(bsLowered);
    b->SetShape(bsFrame);
    ExpectPixels(b, {{0, 0, dark}, {1, 1, light}, {38, 28, dark}, {39, 29, light}});
    b->SetShape(bsSpacer);
    ExpectPixels(b, {{0, 0, clWhite}});

    struct {
        TBevelShape Shape;
        TBevelStyle Style;
        std::vector<TPixelProbe> Probes;
    } const cases[] = {
        // A lowered line is a dark line with a light one below (or right of) it.
        {bsTopLine, bsLowered, {{20, 0, dark}, {20, 1, light}, {20, 2, clWhite}, {39, 0, dark}}},
        {bsBottomLine, bsLowered, {{20, 28, dark}, {20, 29, light}, {20, 0, clWhite}}},
        {bsLeftLine, bsLowered, {{0, 15, dark}, {1, 15, light}}},
        {bsRightLine, bsRaised, {{38, 15, light}, {39, 15, dark}}},
    };
    for (const auto& c : cases) {
        b->SetShape(c.Shape);
        b->SetStyle(c.Style);
        ExpectPixels(b, c.Probes);
    }
}

} // namespace
} // namespace stdtest
