// Panels: the outer and inner bevels, their width, the border and the client area the children get,
// pixel by pixel; controls read from a layout; group boxes; bevels in each shape and style.

#include "platform/classes/LayoutReader.h"
#include "platform/vcl/XPMan.h"
#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class PanelTest : public StdControlTest {};

TEST_F(PanelTest, OuterBevelRaisedAndLowered) {
    auto* p = Make<TPanel>("P1", 10, 10, 100, 50);
    p->SetCaption("");
    p->SetColor(clWhite);
    ShowHost();
    const TColor dark = clBtnShadow, light = clBtnHighlight;
    // Raised: light top-left, dark bottom-right (corners included), then the panel's colour.
    ExpectPixels(p, {{0, 0, light},
                     {50, 0, light},
                     {0, 25, light},
                     {99, 49, dark},
                     {99, 0, dark},
                     {0, 49, dark},
                     {50, 49, dark},
                     {1, 1, clWhite},
                     {98, 48, clWhite}});
    p->SetBevelOuter(bvLowered);
    ExpectPixels(p, {{0, 0, dark}, {99, 49, light}});
    p->SetBevelOuter(bvNone);
    ExpectPixels(p, {{0, 0, clWhite}, {99, 49, clWhite}});
}

TEST_F(PanelTest, InnerBevelBevelWidthAndBorderWidthNest) {
    auto* p = Make<TPanel>("P1", 10, 10, 100, 60);
    p->SetCaption("");
    p->SetColor(clWhite);
    p->SetBevelOuter(bvRaised);
    p->SetBevelInner(bvLowered);
    p->SetBevelWidth(2);
    p->SetBorderWidth(3);
    ShowHost();
    // Outer: 2 light pixels; border: 3 pixels of the panel colour; inner (lowered): 2 dark pixels.
    const TColor dark = clBtnShadow, light = clBtnHighlight;
    ExpectPixels(p, {{0, 30, light},
                     {1, 30, light},
                     {2, 30, clWhite},
                     {4, 30, clWhite},
                     {5, 30, dark},
                     {6, 30, dark},
                     {7, 30, clWhite},
                     {99, 30, dark},
                     {93, 30, light},
                     {92, 30, clWhite}});
    // A child aligned to the client gets what is inside all of them.
    auto* child = Make<TPanel>("Child", 0, 0, 10, 10, p);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), (TRect{7, 7, 93, 53}));
    // A bevel width below 1 is taken as 1.
    p->SetBevelWidth(0);
    EXPECT_EQ(p->BevelWidth(), 1);
    EXPECT_EQ(child->BoundsRect(), (TRect{5, 5, 95, 55}));
}

TEST_F(PanelTest, SingleBorderAndCaption) {
    auto* p = Make<TPanel>("P1", 10, 10, 120, 40);
    p->SetColor(clWhite);
    p->SetBevelOuter(bvNone);
    p->SetBorderStyle(bsSingle);
    p->SetCaption("");
    ShowHost();
    // The sunken border: shadow outside at the top-left, highlight at the bottom-right.
    ExpectPixels(p, {{0, 20, clBtnShadow}, {119, 20, clBtnHighlight}, {2, 20, clWhite}});
    EXPECT_THROW(p->SetBorderStyle(bsSizeable), EInvalidOperation);
    // The caption is drawn centred: dark pixels near the middle, none near the sides.
    auto darkIn = [&](int x0, int x1) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            for (int y = 3; y < 37; ++y)
                if (IsInk(At(p, x, y))) ++n;
        return n;
    };
    EXPECT_EQ(darkIn(3, 117), 0);
    p->SetCaption("MM");
    EXPECT_GT(darkIn(45, 75), 0);
    EXPECT_EQ(darkIn(3, 40), 0);
    p->SetAlignment(taLeftJustify);
    EXPECT_GT(darkIn(3, 30), 0);
}

class PanelLayoutTest : public StdControlTest {};

// The controls read their published properties from a layout (those the sample dialog leaves out).
TEST_F(PanelLayoutTest, ControlsReadFromALayout) {
    RegisterStdCtrlsClasses();
    RegisterExtCtrlsClasses();
    const char* layout = R"(object Host: THost
  object Panel1: TPanel
    BevelOuter = bvLowered
    BevelInner = bvRaised
    BevelWidth = 2
    Caption = ''
    object Pass: TLabeledEdit
      Left = 80
      Top = 10
      Width = 121
      Height = 21
      EditLabel.Caption = '&Password'
      LabelPosition = lpLeft
      LabelSpacing = 5
      Text = 'abc'
    end
    object Check: TCheckBox
      Caption = 'Check'
      Checked = True
    end
    object Shape: TBevel
      Shape = bsTopLine
    end
    object Pick: TComboBox
      Style = csDropDownList
      ItemIndex = 1
      Items.Strings = (
        'A'
        'B')
    end
    object List: TListBox
      ItemHeight = 15
      Items.Strings = (
        'x'
        'y')
    end
    object Bar: TScrollBar
      Max = 10
      Position = 7
    end
    object Caption1: TLabel
      Caption = 'Hello'
      WordWrap = False
    end
    object Pic: TImage
      Proportional = True
      Stretch = True
    end
  end
  object Manifest: TXPManifest
  end
end
)";
    ReadComponentFromText(layout, host.get(), "Host");
    auto* panel = static_cast<TPanel*>(host->FindComponent("Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->BevelOuter(), bvLowered);
    EXPECT_EQ(panel->BevelInner(), bvRaised);
    EXPECT_EQ(panel->BevelWidth(), 2);
    auto* pass = static_cast<TLabeledEdit*>(host->FindComponent("Pass"));
    EXPECT_EQ(pass->EditLabel()->Caption(), "&Password");
    EXPECT_EQ(pass->LabelPosition(), lpLeft);
    EXPECT_EQ(pass->EditLabel()->Left() + pass->EditLabel()->Width() + 5, 80);
    EXPECT_EQ(pass->Text(), "abc");
    EXPECT_TRUE(static_cast<TCheckBox*>(host->FindComponent("Check"))->Checked());
    EXPECT_EQ(static_cast<TBevel*>(host->FindComponent("Shape"))->Shape(), bsTopLine);
    auto* pick = static_cast<TComboBox*>(host->FindComponent("Pick"));
    EXPECT_EQ(pick->Style(), csDropDownList);
    EXPECT_EQ(pick->ItemIndex(), 1);
    EXPECT_EQ(pick->Text(), "B");
    auto* list = static_cast<TListBox*>(host->FindComponent("List"));
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->ItemHeight(), 15);
    EXPECT_EQ(static_cast<TScrollBar*>(host->FindComponent("Bar"))->Position(), 7);
    auto* caption = static_cast<TLabel*>(host->FindComponent("Caption1"));
    EXPECT_EQ(caption->Caption(), "Hello");
    EXPECT_GT(caption->Width(), 0);
    EXPECT_TRUE(static_cast<TImage*>(host->FindComponent("Pic"))->Proportional());
    EXPECT_NE(dynamic_cast<TXPManifest*>(host->FindComponent("Manifest")), nullptr);
}

class PanelGroupBoxTest : public StdControlTest {};

TEST_F(PanelGroupBoxTest, ChildrenSitBelowTheCaptionAndFreeingTheBoxFreesALabelledEditAndItsLabel) {
    auto* outside = Make<TEdit>("Outside", 250, 10, 100, 21);
    auto* box = Make<TGroupBox>("Box", 10, 10, 200, 100);
    box->SetCaption("&Options");
    auto* fill = Make<TPanel>("Fill", 0, 0, 10, 10, box);
    fill->SetAlign(alClient);
    auto* inner = Make<TEdit>("Inner", 10, 40, 100, 21, box);
    auto* e = Make<TLabeledEdit>("LE", 80, 70, 100, 21, box);
    e->EditLabel()->SetCaption("Name");
    EXPECT_EQ(box->ControlCount(), 4);
    fill->SetVisible(false);
    ShowHost();
    // The client area starts under the caption line and stays inside the frame.
    fill->SetVisible(true);
    EXPECT_GT(fill->Top(), 8);
    EXPECT_GE(fill->Left(), 1);
    EXPECT_LE(fill->Left() + fill->Width(), 199);
    EXPECT_LE(fill->Top() + fill->Height(), 99);
    fill->SetVisible(false);
    // The accelerator enters the box.
    outside->SetFocus();
    Chord({win::VK_MENU}, 'O');
    EXPECT_TRUE(inner->Focused());
    long before = TObject::LiveObjects();
    FreeComponent(box);
    EXPECT_LT(TObject::LiveObjects(), before);
    EXPECT_EQ(host->FindComponent("LE"), nullptr);
    EXPECT_EQ(host->ControlCount(), 1);
}

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
