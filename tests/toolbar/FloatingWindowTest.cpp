// The floating window: its size around the toolbar and its border, following the form's visibility,
// the rows a floating toolbar wraps into, and changing them by dragging the window's border.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "platform/vcl/Panel.h"

namespace toolbartest {
namespace {

// A panel as the layout reader leaves it once loaded.
struct LoadedPanel : TAdvDockPanel {
    using TAdvDockPanel::Loaded;
    using TAdvDockPanel::TAdvDockPanel;
};

class FloatingWindowTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        panel = Make<TAdvDockPanel>("Top", form.get());
        bar = Make<TAdvToolBar>("Bar", panel);
        // Six controls 40 wide: a row of three is 2 + 120 + 2 wide.
        for (int i = 0; i < 6; ++i)
            controls.push_back(Block("C" + std::to_string(i), bar));
        form->Show();
        ui.Process();
    }
    void Float() {
        bar->SetFloating(300, 200, true);
        ui.Process();
        ASSERT_NE(bar->FloatingWindow(), nullptr);
        window = bar->FloatingWindow();
    }
    // Mouse input on the floating window, in its client coordinates.
    void Press(int X, int Y) {
        ui.Screen().MoveMouse(window->Left() + X, window->Top() + Y);
        ui.Screen().Press();
        ui.Process();
    }
    void MoveTo(int X, int Y) {
        ui.Screen().MoveMouse(window->Left() + X, window->Top() + Y);
        ui.Process();
    }
    win::COLORREF Pixel(int X, int Y) {
        ui.Process();
        return ui.Screen().ScreenPixel(window->Left() + X, window->Top() + Y);
    }

    TAdvDockPanel* panel = nullptr;
    TAdvToolBar* bar = nullptr;
    TFloatingWindow* window = nullptr;
    std::vector<TControl*> controls;
};

TEST_F(FloatingWindowTest, TheWindowIsTheToolBarWithItsBorderAroundIt) {
    panel->InternalStyler()->SetFloatingWindowBorderColor(clRed);
    Float();
    EXPECT_EQ(window->BorderWidth(), 2);
    EXPECT_EQ(window->BorderColor(), clRed) << "the styler's border";
    EXPECT_EQ((TPoint{window->Left(), window->Top()}), (TPoint{300, 200}));
    EXPECT_EQ(window->Width(), bar->Width() + 6);
    EXPECT_EQ(window->Height(), bar->Height() + 6);
    EXPECT_EQ((TPoint{bar->Left(), bar->Top()}), (TPoint{3, 3}));
    EXPECT_EQ(bar->Height(), bar->Thickness() + bar->CaptionHeight()) << "one row under the caption";
    EXPECT_EQ(bar->Position(), daTop);
    EXPECT_TRUE(window->Visible());
    ui.WritePng(window, ui.OutputPath("floating-window.png"));
    // The four inner corner pixels of the border, and the frame's sides.
    const int w = window->Width();
    const int h = window->Height();
    for (TPoint p : {TPoint{2, 2}, TPoint{w - 3, 2}, TPoint{2, h - 3}, TPoint{w - 3, h - 3}})
        EXPECT_COLOR(Pixel(p.X, p.Y), Ref(clRed)) << p.X << "," << p.Y;
    EXPECT_COLOR(Pixel(1, h / 2), Ref(clRed)) << "left side";
    EXPECT_COLOR(Pixel(w / 2, h - 2), Ref(clRed)) << "bottom side";

    window->SetBorderWidth(4);
    EXPECT_EQ(window->Width(), bar->Width() + 10);
    EXPECT_EQ((TPoint{bar->Left(), bar->Top()}), (TPoint{5, 5}));
    window->SetBorderWidth(2);
    window->SetBorderColor(clNone);
    window->Invalidate();
    EXPECT_COLOR(Pixel(1, h / 2), Ref(window->Color())) << "no border without a colour";
}

TEST_F(FloatingWindowTest, TheWindowFollowsItsFormsVisibilityWithin40Milliseconds) {
    form->Hide();
    ui.Process();
    Float();
    EXPECT_FALSE(window->Visible()) << "not shown while the form is hidden";
    form->Show();
    ui.Advance(39);
    EXPECT_FALSE(window->Visible());
    ui.Advance(1);
    EXPECT_TRUE(window->Visible());
    form->Hide();
    ui.Advance(40);
    EXPECT_FALSE(window->Visible());
    form->Show();
    ui.Advance(40);
    EXPECT_TRUE(window->Visible());
    // A toolbar the user closed stays closed when the form shows again.
    bar->SetVisible(false);
    form->Hide();
    ui.Advance(40);
    form->Show();
    ui.Advance(80);
    EXPECT_FALSE(window->Visible());
}

TEST_F(FloatingWindowTest, FloatingBringsBackHiddenControlsAndHappensOnce) {
    Length(bar, 120);
    ASSERT_GT(bar->HiddenControlCount(), 0);
    Float();
    EXPECT_EQ(bar->HiddenControlCount(), 0);
    for (TControl* c : controls)
        EXPECT_EQ(c->Parent(), bar);
    EXPECT_EQ(bar->Width(), 2 + 6 * 40 + 2) << "one row: up to the last control and 2 more";
    bar->SetFloating(10, 10, true);
    EXPECT_EQ(bar->FloatingWindow(), window) << "already floating";
    EXPECT_EQ(window->Left(), 300);
    // A floating toolbar freed takes its window along: none is left empty on the screen.
    FreeComponent(bar);
    for (int i = 0; i < form->ComponentCount(); ++i)
        EXPECT_EQ(dynamic_cast<TFloatingWindow*>(form->Components(i)), nullptr);
}

TEST_F(FloatingWindowTest, RowsWrapTheControlsIntoTheNarrowestWidthInStepsOfTen) {
    Float();
    // With the minimum length 60 each control of 40 fills a row of its own.
    EXPECT_EQ(bar->GetMaxFloatingRowCount(), 6);
    int h = 0;
    int w = 0;
    EXPECT_FALSE(bar->GetFloatingWindowSizes(0, h, w));
    EXPECT_FALSE(bar->GetFloatingWindowSizes(7, h, w));
    // Two rows: from 60 wide, the first width at which three controls share a row is 130
    // (2 + 120 + 6 spare, 2 of which stay), so 124.
    ASSERT_TRUE(bar->GetFloatingWindowSizes(2, h, w));
    EXPECT_EQ(w, 124);
    EXPECT_EQ(h, 2 * bar->Thickness() + bar->CaptionHeight());
    // Three rows: two controls a row fit first at 90, less 6 spare: 84.
    ASSERT_TRUE(bar->GetFloatingWindowSizes(3, h, w));
    EXPECT_EQ(w, 84);
    EXPECT_EQ(h, 3 * bar->Thickness() + bar->CaptionHeight());

    bar->SetFloatingRows(2);
    EXPECT_EQ(bar->FloatingRows(), 2);
    EXPECT_EQ(bar->Width(), 124);
    EXPECT_EQ(window->Width(), 130) << "the window follows";
    const int first = bar->CaptionHeight() + 2;
    EXPECT_EQ((TPoint{controls[2]->Left(), controls[2]->Top()}), (TPoint{82, first}));
    EXPECT_EQ((TPoint{controls[3]->Left(), controls[3]->Top()}), (TPoint{2, first + bar->Thickness()}));
    bar->SetFloatingRows(0);
    bar->SetFloatingRows(7);
    EXPECT_EQ(bar->FloatingRows(), 2) << "out of range: ignored";
}

TEST_F(FloatingWindowTest, DraggingTheRightBorderStepsThroughTheRowsAndBack) {
    Float();
    bar->SetFloatingRows(3);
    ASSERT_EQ(window->Width(), 84 + 6);
    const int y = window->Height() / 2;
    Press(88, y);
    EXPECT_TRUE(window->Resizing());
    MoveTo(95, y);
    EXPECT_EQ(bar->FloatingRows(), 3) << "5 pixels out: no step yet";
    MoveTo(96, y);
    EXPECT_EQ(bar->FloatingRows(), 2) << "6 out: one row fewer";
    EXPECT_EQ(window->Width(), 130);
    EXPECT_EQ(window->Left(), 300) << "the left edge stays";
    MoveTo(133, y);
    EXPECT_EQ(bar->FloatingRows(), 1) << "3 more after a step: the next row";
    // Back to where the two-row window's edge is (2 x border + 124): the row comes back.
    MoveTo(129, y);
    EXPECT_EQ(bar->FloatingRows(), 1);
    MoveTo(128, y);
    EXPECT_EQ(bar->FloatingRows(), 2);
    MoveTo(88, y);
    EXPECT_EQ(bar->FloatingRows(), 3);
    ui.Screen().Release();
    ui.Process();
    EXPECT_FALSE(window->Resizing());
    MoveTo(60, y);
    EXPECT_EQ(bar->FloatingRows(), 3) << "no step without the button";
}

TEST_F(FloatingWindowTest, DraggingTheLeftBorderKeepsTheRightEdgeWhereItIs) {
    Float();
    bar->SetFloatingRows(3);
    const int right = window->Left() + window->Width();
    const int y = window->Height() / 2;
    Press(1, y);
    MoveTo(-5, y);
    EXPECT_EQ(bar->FloatingRows(), 3);
    MoveTo(-6, y);
    EXPECT_EQ(bar->FloatingRows(), 2);
    EXPECT_EQ(window->Left() + window->Width(), right);
    EXPECT_EQ(window->Width(), 130);
    ui.Screen().Release();
    ui.Process();
    // The bottom edge, outward: one row more.
    const int h = window->Height();
    Press(window->Width() / 2, h - 1);
    MoveTo(window->Width() / 2, h + 6);
    EXPECT_EQ(bar->FloatingRows(), 3);
    EXPECT_EQ(window->Height(), 3 * bar->Thickness() + bar->CaptionHeight() + 6);
    ui.Screen().Release();
    ui.Process();
}

TEST_F(FloatingWindowTest, DockingAgainFreesTheWindowAndStopsFollowing) {
    Float();
    bar->SetAdvDockPanel(panel);
    EXPECT_EQ(bar->ToolBarState(), tsDocked);
    EXPECT_EQ(bar->FloatingWindow(), nullptr);
    EXPECT_EQ(bar->Height(), bar->Thickness());
    EXPECT_EQ(bar->Position(), daTop);
    // A panel whose frozen rows have no room refuses the toolbar, which keeps floating in its window.
    Float();
    auto* frozen = Make<LoadedPanel>("Frozen", form.get());
    frozen->Loaded();
    auto* full = Make<TAdvToolBar>("Full", frozen);
    full->SetFullSize(true);
    frozen->SetLockHeight(true);
    ui.Process();
    ASSERT_TRUE(frozen->RowsFrozen());
    ASSERT_LT(frozen->IsAllowedInAnyRow(bar), 0);
    bar->SetAdvDockPanel(frozen);
    EXPECT_EQ(bar->ToolBarState(), tsFloating);
    EXPECT_EQ(bar->FloatingWindow(), window);
    EXPECT_EQ(bar->Parent(), window);
}

} // namespace
} // namespace toolbartest
