#pragma once
// Shared by the option popup tests: a toolbar docked on a form whose controls do not all fit, and
// probes of popup windows in their own client coordinates.

#include "components/toolbar/options/PopupMenuWindow.h"
#include "components/toolbar/options/SelectorPanels.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace optionstest {

using namespace toolbartest;

class OptionsTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        form->Show();
        dock = Make<TAdvDockPanel>("Dock", form.get());
        dock->InternalStyler()->SetDragGripStyle(dsNone);
        bar = Make<TAdvToolBar>("Bar", dock);
        bar->SetCaption("Standard");
    }
    TControl* Add(const String& Name, int W = 40, int H = 20) { return Block(Name, bar, W, H); }
    TAdvToolBarSeparator* Separator(const String& Name) {
        auto* s = Make<TAdvToolBarSeparator>(Name);
        s->SetAdvToolBar(bar);
        return s;
    }
    void Length(int W) { ToolBarTest::Length(bar, W); }
    void ClickHandle() {
        vcl::TRect h = bar->GetRightHandleRect();
        ui.Click(bar, (h.Left + h.Right) / 2, (h.Top + h.Bottom) / 2);
    }
    // The colour a top-level popup shows at one of a control's client points (as 0x00BBGGRR).
    win::COLORREF PopupAt(TControl* C, int X, int Y) {
        ui.Process();
        TPoint p = C->ClientToScreen(TPoint{X, Y});
        return ui.Screen().ScreenPixel(p.X, p.Y);
    }
    // Moves the pointer over a control's point and lets the popups' timers tick (a 1 ms timer ticks
    // after the window system's shortest interval, 10 ms).
    void Hover(TControl* C, int X, int Y) {
        ui.MoveTo(C, X, Y);
        ui.Advance(kTick);
    }
    // A click on the main form, away from every popup, and the timer ticks after it (one per popup
    // of a chain).
    void ClickOutside() {
        ui.Click(form.get(), 300, 400);
        for (int i = 0; i < 3; ++i)
            ui.Advance(kTick);
    }
    static constexpr unsigned kTick = 10;

    TAdvDockPanel* dock = nullptr;
    TAdvToolBar* bar = nullptr;
};

} // namespace optionstest
