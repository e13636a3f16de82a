// Dragging toolbars with the mouse, through the real input queue: the grip and caption hit tests, the
// tear-off distance, floating and docking back, the panels a drag may dock into (DockableTo, DockMode),
// Locked and AllowFloating, and the floating caption's close button.

#include "tests/toolbar/ToolBarTestSupport.h"

#include <deque>
#include <functional>

#include "platform/vcl/Panel.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"

namespace toolbartest {
namespace {

// The steps of a drag in progress. They run from a thread timer: timers come after input, so each
// step sees the input of the one before handled by the drag's loop.
std::deque<std::function<void()>>* DragSteps = nullptr;

void RunDragStep(win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {
    if (DragSteps == nullptr || DragSteps->empty()) return;
    auto step = std::move(DragSteps->front());
    DragSteps->pop_front();
    step();
}

class DragDockTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        top = Make<TAdvDockPanel>("Top", form.get());
        bar = MakeBar("Bar", top);
        form->Show();
        ui.Process();
    }
    void TearDown() override {
        vcl::Screen->SetCursor(crDefault);
        ToolBarTest::TearDown();
    }
    TAdvToolBar* MakeBar(const String& Name, TWinControl* Parent) {
        auto* b = Make<TAdvToolBar>(Name, Parent);
        for (int i = 0; i < 3; ++i)
            Block(Name + "C" + std::to_string(i), b);
        return b;
    }
    TAdvDockPanel* Panel(const String& Name, TDockAlign Align, TWinControl* Parent = nullptr) {
        auto* p = Make<TAdvDockPanel>(Name, Parent != nullptr ? Parent : form.get());
        p->SetAlign(Align);
        MakeBar(Name + "Bar", p);
        ui.Process();
        return p;
    }
    // Presses the left button at a client point of the control, then, from inside the drag's own loop,
    // runs each step (moves of the pointer, checks) in turn, and releases.
    void Drag(TControl* C, TPoint From, std::vector<std::function<void()>> Steps, bool ReleaseLast = true) {
        auto& s = ui.Screen();
        TPoint p = C->ClientToScreen(From);
        s.MoveMouse(p.X, p.Y);
        ui.Process();
        std::deque<std::function<void()>> steps(Steps.begin(), Steps.end());
        if (ReleaseLast) steps.push_back([&s] { s.Release(); });
        DragSteps = &steps;
        win::UINT_PTR timer = win::SetTimer(nullptr, 0, 10, RunDragStep);
        s.Press();
        ui.Process();
        win::KillTimer(nullptr, timer);
        DragSteps = nullptr;
        EXPECT_TRUE(steps.empty()) << "the drag ended before all its steps ran";
        if (!ReleaseLast) {
            s.Release();
            ui.Process();
        }
    }
    std::function<void()> To(TPoint Screen) {
        return [this, Screen] { ui.Screen().MoveMouse(Screen.X, Screen.Y); };
    }
    // A screen point at a distance below a panel's bottom edge, across from the toolbar's grip.
    TPoint Below(TAdvDockPanel* P, int Distance) {
        TPoint grip = bar->ClientToScreen(TPoint{3, 0});
        return TPoint{grip.X, P->ClientToScreen(TPoint{0, P->Height()}).Y + Distance};
    }
    // Floats the toolbar with its window's corner at a screen point.
    void Float(TPoint Corner) {
        bar->SetFloating(Corner.X, Corner.Y, true);
        ui.Process();
        ASSERT_EQ(bar->ToolBarState(), tsFloating);
    }
    TPoint CaptionPoint() { return TPoint{8, bar->CaptionHeight() / 2}; }

    TAdvDockPanel* top = nullptr;
    TAdvToolBar* bar = nullptr;
};

TEST_F(DragDockTest, TheGripTheCaptionAndItsButtonsAreFoundByTheirRectangles) {
    const int grip = bar->DragGripWidth();
    const int h = bar->Height();
    EXPECT_TRUE(bar->PtOnDragGrip(0, 0));
    EXPECT_TRUE(bar->PtOnDragGrip(grip - 1, h - 1));
    EXPECT_FALSE(bar->PtOnDragGrip(grip, 5)) << "the right edge is outside";
    EXPECT_FALSE(bar->PtOnDragGrip(3, h));
    EXPECT_FALSE(bar->PtOnGripCaption(20, 5)) << "only a floating toolbar has a grip caption";
    top->InternalStyler()->SetDragGripStyle(dsNone);
    EXPECT_FALSE(bar->PtOnDragGrip(0, 0)) << "no grip drawn, none to take";
    top->InternalStyler()->SetDragGripStyle(dsDots);

    top->SetAlign(daLeft);
    EXPECT_TRUE(bar->PtOnDragGrip(bar->Width() - 1, grip - 1)) << "across the top of a vertical toolbar";
    EXPECT_FALSE(bar->PtOnDragGrip(0, grip));
    top->SetAlign(daTop);

    Float(TPoint{300, 300});
    EXPECT_FALSE(bar->PtOnDragGrip(0, 0));
    TRect custom = bar->FWCustomizedBtnRect();
    TRect close = bar->FWCloseBtnRect();
    EXPECT_TRUE(bar->PtOnGripCaption(custom.Left - 1, 2));
    EXPECT_FALSE(bar->PtOnGripCaption(custom.Left, 2)) << "the caption stops at the customize button";
    EXPECT_TRUE(bar->PtOnCustomizedBtn(custom.Left, custom.Top));
    EXPECT_TRUE(bar->PtOnCloseBtn(close.Right - 1, close.Bottom - 1));
    EXPECT_FALSE(bar->PtOnCloseBtn(close.Right, close.Top));
    bar->SetShowOptionIndicator(false);
    EXPECT_TRUE(bar->PtOnGripCaption(close.Left - 1, 2));
    EXPECT_FALSE(bar->PtOnGripCaption(close.Left, 2)) << "without it, at the close button";
    EXPECT_FALSE(bar->PtOnGripCaption(8, bar->CaptionHeight())) << "below the caption";
}

TEST_F(DragDockTest, AlongItsRowTheToolBarFollowsThePointer) {
    auto* second = MakeBar("Second", top);
    top->Rows()->MoveToolBarToRow(second, 0);
    ui.Process();
    ASSERT_EQ(second->Row(), 0);
    const int left = second->Left();
    TPoint grip = second->ClientToScreen(TPoint{3, 10});
    Drag(second, TPoint{3, 10}, {To(TPoint{grip.X + 30, grip.Y + 2}), To(TPoint{grip.X + 50, grip.Y})});
    EXPECT_EQ(second->Left(), left + 50);
    EXPECT_EQ(second->Row(), 0);
    EXPECT_EQ(second->ToolBarState(), tsDocked);
}

TEST_F(DragDockTest, ADownwardDragTearsOffOnlyMoreThan26PixelsBelowThePanel) {
    int undocked = 0;
    bar->OnUnDocked = [&](TObject*) { ++undocked; };
    Drag(bar, TPoint{3, 10},
         {To(Below(top, 26)), [&] { EXPECT_EQ(bar->ToolBarState(), tsDocked) << "26 pixels below"; },
          To(Below(top, 27)),
          [&] {
              EXPECT_EQ(bar->ToolBarState(), tsFloating) << "27 pixels below";
              ASSERT_NE(bar->FloatingWindow(), nullptr);
              win::POINT cursor{};
              win::GetCursorPos(&cursor);
              EXPECT_EQ(bar->FloatingWindow()->Left(), cursor.X) << "the window starts at the cursor";
              EXPECT_EQ(bar->FloatingWindow()->Top(), cursor.Y);
              EXPECT_TRUE(bar->Moving());
          },
          To(TPoint{400, 420})});
    EXPECT_FALSE(bar->Moving());
    EXPECT_EQ(win::GetCapture(), nullptr);
    EXPECT_EQ(bar->ToolBarState(), tsFloating) << "stays floating after the release";
    EXPECT_EQ(bar->Parent(), bar->FloatingWindow());
    EXPECT_EQ(bar->DockPanel(), nullptr);
    EXPECT_EQ(top->GetAdvToolBarCount(), 0);
    EXPECT_TRUE(bar->FloatingWindow()->Visible());
    EXPECT_EQ(undocked, 1);
    // The grabbed point of the grip stays under the pointer as the window follows.
    EXPECT_EQ(bar->ClientToScreen(TPoint{3, 10}), (TPoint{400, 420}));
}

TEST_F(DragDockTest, AVerticalToolBarTearsOffOnlyMoreThan26PixelsPastItsPanelsSide) {
    TAdvDockPanel* side = Panel("Side", daLeft);
    TAdvCustomToolBar* v = side->GetAdvToolBars(0);
    ASSERT_TRUE(v->IsVertical());
    // Low enough that the top panel's docking margin is not in the way.
    const int y = v->ClientToScreen(TPoint{0, 3}).Y + 40;
    auto past = [&](int Distance) {
        return TPoint{side->ClientToScreen(TPoint{side->Width(), 0}).X + Distance, y};
    };
    Drag(v, TPoint{10, 3},
         {To(past(26)), [&] { EXPECT_EQ(v->ToolBarState(), tsDocked) << "26 pixels past"; }, To(past(27)),
          [&] { EXPECT_EQ(v->ToolBarState(), tsFloating) << "27 pixels past"; }});
    EXPECT_FALSE(v->IsVertical()) << "a floating toolbar lies horizontally";
}

TEST_F(DragDockTest, AFloatingToolBarDocksWithin15PixelsOfAPanelsClientSideWhenDockableThere) {
    TAdvDockPanel* docked = nullptr;
    bar->OnDocked = [&](TObject*, TAdvDockPanel* P) { docked = P; };
    Float(TPoint{300, 400});
    bar->SetDockableTo(TDockableTo{daLeft, daRight, daBottom});
    Drag(bar, CaptionPoint(), {To(Below(top, 5)), To(top->ClientToScreen(TPoint{100, 5}))});
    EXPECT_EQ(bar->ToolBarState(), tsFloating) << "a panel on a side not in DockableTo never catches it";
    bar->SetDockableTo(TDockableTo{daTop});
    Drag(bar, CaptionPoint(),
         {To(Below(top, 15)), [&] { EXPECT_EQ(bar->ToolBarState(), tsFloating); }, To(Below(top, 14))});
    EXPECT_EQ(bar->ToolBarState(), tsDocked);
    EXPECT_EQ(bar->DockPanel(), top);
    EXPECT_EQ(docked, top);
    EXPECT_EQ(bar->FloatingWindow(), nullptr) << "the window goes once the toolbar docks";
    EXPECT_EQ(bar->Height(), bar->Thickness()) << "no caption bar docked";
    EXPECT_EQ(top->GetAdvToolBarCount(), 1);
}

TEST_F(DragDockTest, WithoutAllowFloatingTheToolBarMovesBetweenRowsButNeverLeavesThePanel) {
    auto* second = MakeBar("Second", top);
    ui.Process();
    ASSERT_EQ(top->GetRowCount(), 2);
    ASSERT_EQ(second->Row(), 1);
    second->SetAllowFloating(false);
    TPoint onFirstRow = bar->ClientToScreen(TPoint{bar->Width() + 30, 10});
    Drag(second, TPoint{3, 10}, {To(Below(top, 100)), To(TPoint{500, 500}), To(onFirstRow), [&] {
                                     EXPECT_EQ(second->Row(), 0) << "moved up into the first row";
                                 }});
    EXPECT_EQ(second->ToolBarState(), tsDocked);
    EXPECT_EQ(second->DockPanel(), top);
    EXPECT_EQ(second->FloatingWindow(), nullptr);
}

TEST_F(DragDockTest, ALockedToolBarIgnoresItsGripButFloatingItStillDragsByItsCaption) {
    TPoint grip = bar->ClientToScreen(TPoint{3, 10});
    ui.Screen().MoveMouse(grip.X, grip.Y);
    ui.Process();
    EXPECT_EQ(bar->Cursor(), crSizeAll) << "the grip offers the drag";
    bar->SetLocked(true);
    TPoint inside = bar->ClientToScreen(TPoint{30, 10});
    ui.Screen().MoveMouse(inside.X, inside.Y);
    ui.Screen().MoveMouse(grip.X, grip.Y);
    ui.Process();
    EXPECT_NE(bar->Cursor(), crSizeAll);
    const TRect before = bar->BoundsRect();
    ui.Screen().Press();
    ui.Screen().MoveMouse(grip.X, grip.Y + 200);
    ui.Screen().Release();
    ui.Process();
    EXPECT_FALSE(bar->Moving());
    EXPECT_EQ(bar->ToolBarState(), tsDocked);
    EXPECT_EQ(bar->BoundsRect(), before);

    Float(TPoint{300, 400});
    EXPECT_TRUE(bar->Locked());
    Drag(bar, CaptionPoint(), {To(TPoint{350, 300}), [&] { EXPECT_EQ(vcl::Screen->Cursor(), crSizeAll); }});
    EXPECT_EQ(bar->FloatingWindow()->Top(), 300 - CaptionPoint().Y - bar->Top());
    EXPECT_EQ(vcl::Screen->Cursor(), crDefault) << "the drag cursor goes with the drag";
}

TEST_F(DragDockTest, DockModeChoosesWhichPanelsADragLooksAt) {
    TAdvDockPanel* bottom = Panel("Bottom", daBottom);
    auto* holder = Make<TPanel>("Holder", form.get());
    holder->SetBounds(150, 200, 300, 200);
    TAdvDockPanel* nested = Panel("Nested", daTop, holder);
    ui.Process();
    TPoint intoBottom = bottom->ClientToScreen(TPoint{200, 3});
    TPoint intoNested = nested->ClientToScreen(TPoint{200, 3});
    TPoint intoTop = top->ClientToScreen(TPoint{300, 3});
    auto floatAndDrag = [&](TDockMode Mode, TPoint Target) {
        bar->DockMode = Mode;
        Float(TPoint{300, 120});
        Drag(bar, CaptionPoint(), {To(Target)});
    };
    floatAndDrag(dmParentDockPanelOnly, intoBottom);
    EXPECT_EQ(bar->ToolBarState(), tsFloating) << "only the last dock panel catches it";
    Drag(bar, CaptionPoint(), {To(intoTop)});
    EXPECT_EQ(bar->DockPanel(), top);

    floatAndDrag(dmAllParentDockPanels, intoNested);
    EXPECT_EQ(bar->ToolBarState(), tsFloating) << "a panel nested in another control is not visited";
    Drag(bar, CaptionPoint(), {To(intoBottom)});
    EXPECT_EQ(bar->DockPanel(), bottom) << "a sibling of the last dock panel catches it";
    EXPECT_EQ(bar->Position(), daBottom);

    floatAndDrag(dmAll, intoNested);
    EXPECT_EQ(bar->DockPanel(), nested) << "every panel of the form";
}

TEST_F(DragDockTest, AToolBarThatNeverWasDockedFindsNoDockTarget) {
    auto* fixed = MakeBar("Fixed", form.get());
    fixed->SetBounds(20, 300, fixed->Width(), fixed->Height());
    fixed->SetFloating(300, 400, true);
    ui.Process();
    ASSERT_EQ(fixed->ToolBarState(), tsFloating);
    ASSERT_NE(fixed->FloatingWindow(), nullptr);
    Drag(fixed, CaptionPoint(), {To(top->ClientToScreen(TPoint{300, 3}))});
    EXPECT_EQ(fixed->ToolBarState(), tsFloating);
    EXPECT_EQ(fixed->LastDockPanel(), nullptr);
}

TEST_F(DragDockTest, TheCloseButtonClosesWhereverOnTheCaptionItIsReleased) {
    int closed = 0;
    bar->OnClose = [&](TObject*) { ++closed; };
    Float(TPoint{300, 400});
    TRect close = bar->FWCloseBtnRect();
    TPoint press = bar->ClientToScreen(TPoint{close.Left + 3, close.Top + 3});
    TPoint elsewhere = bar->ClientToScreen(CaptionPoint());
    TFloatingWindow* window = bar->FloatingWindow();
    ui.Screen().MoveMouse(press.X, press.Y);
    ui.Screen().Press();
    ui.Screen().MoveMouse(elsewhere.X, elsewhere.Y);
    ui.Screen().Release();
    ui.Process();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(bar->Visible());
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(bar->ToolBarState(), tsFloating);

    // With AutoDockOnClose the toolbar goes back to its panel instead.
    bar->SetVisible(true);
    bar->AutoDockOnClose = true;
    ui.Process();
    ui.Click(bar, close.Left + 3, close.Top + 3);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(bar->DockPanel(), top);
    EXPECT_EQ(bar->FloatingWindow(), nullptr);
}

TEST_F(DragDockTest, AQuitArrivingDuringADragEndsItAndReachesTheApplication) {
    ASSERT_FALSE(GetApplication()->Terminated());
    // The release after the quit is never read by the drag: the application's loop takes it.
    Drag(bar, TPoint{3, 10}, {[] { win::PostQuitMessage(7); }}, false);
    EXPECT_FALSE(bar->Moving());
    EXPECT_EQ(win::GetCapture(), nullptr);
    EXPECT_TRUE(GetApplication()->Terminated()) << "the quit was posted again for the application";
}

} // namespace
} // namespace toolbartest
