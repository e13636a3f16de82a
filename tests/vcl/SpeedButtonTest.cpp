// Speed buttons: clicks by real input (a release off the button is no click), groups that keep one button
// down, AllowAllUp, the flat look's edges, glyph placement and the disabled glyph.

#include "platform/vcl/Buttons.h"
#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class SpeedButtonTest : public StdControlTest {
protected:
    TSpeedButton* MakeButton(const char* Name, int X, int Group = 0) {
        auto* b = Make<TSpeedButton>(Name, X, 20, 23, 22);
        b->SetGroupIndex(Group);
        b->OnClick = [this, b](TObject*) { clicked.push_back(b->Name()); };
        return b;
    }
    std::vector<String> clicked;
};

TEST_F(SpeedButtonTest, AClickNeedsTheReleaseOnTheButtonAndTheFaceFollowsThePointer) {
    TSpeedButton* b = MakeButton("B", 20);
    ShowHost();
    Down(b, 10, 10);
    EXPECT_EQ(b->State(), bsDown);
    // Dragged off, the face comes up; back on, it goes down again.
    MoveOver(b, 60, 10);
    EXPECT_EQ(b->State(), bsUp);
    Up();
    EXPECT_TRUE(clicked.empty());
    Down(b, 10, 10);
    MoveOver(b, 12, 12);
    Up();
    EXPECT_EQ(clicked, std::vector<String>{"B"});
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_FALSE(b->Down()); // without a group a button never stays down
    // Disabled: no click.
    b->SetEnabled(false);
    ClickAt(b, 10, 10);
    EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(SpeedButtonTest, AGroupKeepsOneButtonDownUnlessAllMayBeUp) {
    TSpeedButton* a = MakeButton("A", 20, 1);
    TSpeedButton* b = MakeButton("B", 50, 1);
    TSpeedButton* other = MakeButton("Other", 80, 2);
    other->SetDown(true);
    ShowHost();
    ClickAt(a, 10, 10);
    EXPECT_TRUE(a->Down());
    ClickAt(b, 10, 10);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(other->Down()); // another group is left alone
    // Clicking the down button keeps it down, but still clicks.
    ClickAt(b, 10, 10);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicked, (std::vector<String>{"A", "B", "B"}));
    // With AllowAllUp (shared by the group) it comes up.
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    ClickAt(b, 10, 10);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());
}

TEST_F(SpeedButtonTest, AFlatButtonShowsARaisedEdgeOnlyWhileHotAndASunkenOneWhileDown) {
    TSpeedButton* b = MakeButton("B", 20, 1);
    b->SetFlat(true);
    b->SetBounds(20, 20, 30, 30);
    ShowHost();
    // At rest the button is just its parent's face.
    ExpectPixels(b, {{0, 0, clBtnFace}, {29, 29, clBtnFace}});
    MoveOver(b, 15, 15);
    EXPECT_TRUE(b->MouseInControl());
    // Raised: light top-left, dark bottom-right.
    ExpectPixels(b, {{0, 0, clBtnHighlight}, {29, 29, clBtnShadow}});
    MoveOver(b, 100, 100);
    EXPECT_EQ(At(b, 0, 0), Ref(clBtnFace));
    b->SetDown(true);
    // Sunken: dark top-left, light bottom-right.
    ExpectPixels(b, {{0, 0, clBtnShadow}, {29, 29, clBtnHighlight}});
}

TEST_F(SpeedButtonTest, TheGlyphSitsByLayoutAndMarginAndIsEmbossedWhenDisabled) {
    auto* b = Make<TSpeedButton>("B", 20, 20, 40, 30);
    TBitmap glyph(8, 8);
    // Black square with a one-pixel frame in the transparent colour (the bottom-left pixel's).
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(TRect{0, 0, 8, 8});
    glyph.Canvas()->Brush()->SetColor(clBlack);
    glyph.Canvas()->FillRect(TRect{1, 1, 7, 7});
    b->SetGlyph(&glyph);
    b->SetMargin(3);
    ShowHost();
    // Glyph left, margin 3 inside the one-pixel face border: the square starts at x = 1 + 3 + 1.
    EXPECT_EQ(At(b, 5, 15), Ref(clBlack));
    EXPECT_EQ(At(b, 4, 15), Ref(clBtnFace)); // the transparent frame shows the face
    b->SetLayout(blGlyphRight);
    ExpectPixels(b, {{40 - 1 - 3 - 2, 15, clBlack}, {5, 15, clBtnFace}});
    // Centred (margin -1): the square's middle at the button's middle.
    b->SetMargin(-1);
    EXPECT_EQ(At(b, 20, 15), Ref(clBlack));
    // Disabled with one image: shadow colour in place, highlight one pixel down and right.
    b->SetEnabled(false);
    EXPECT_EQ(At(b, 20, 15), Ref(clBtnShadow));
    TPoint lastInk{0, 0};
    for (int x = 2; x < 30; ++x) // inside the face's border
        if (At(b, x, 15) == Ref(clBtnShadow)) lastInk.X = x;
    EXPECT_EQ(At(b, lastInk.X + 1, 15), Ref(clBtnHighlight));
}

TEST_F(SpeedButtonTest, AWideGlyphHoldsSeveralImagesAndTheDownOneShowsWhilePressed) {
    auto* b = Make<TSpeedButton>("B", 20, 20, 23, 22);
    TBitmap strip(24, 8); // up: red, disabled: green, down: blue
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        strip.Canvas()->Brush()->SetColor(colours[i]);
        strip.Canvas()->FillRect(TRect{i * 8, 0, i * 8 + 8, 8});
    }
    strip.SetTransparentColor(clFuchsia);
    b->SetGlyph(&strip);
    EXPECT_EQ(b->NumGlyphs(), 3);
    b->SetNumGlyphs(7); // out of range: ignored
    EXPECT_EQ(b->NumGlyphs(), 3);
    ShowHost();
    EXPECT_EQ(At(b, 11, 11), Ref(clRed));
    Down(b, 11, 11);
    // Pressed, the content moves one pixel down and right.
    EXPECT_EQ(At(b, 12, 12), Ref(clBlue));
    Up();
    b->SetEnabled(false);
    EXPECT_EQ(At(b, 11, 11), Ref(clLime));
}

} // namespace
} // namespace stdtest
