#pragma once
// Shared by the status bar's tests: a fresh offscreen screen and application per test, a form holding
// a bar, pixel probes in the bar's client coordinates and a check for pending repaints.

#include <gtest/gtest.h>

#include <cstdio>

#include "components/statusbar/AdvOfficeStatusBar.h"
#include "components/statusbar/AdvOfficeStatusBarStylers.h"
#include "platform/classes/Component.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Window.h"
#include "tests/support/UiDriver.h"

namespace statusbartest {

using namespace vcl;
using namespace AdvOfficeStatusBar;

class StatusBarTest : public uitest::UiTest {
protected:
    void SetUp() override {
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetName("MainForm");
        form->SetBounds(40, 40, 500, 200);
    }
    void TearDown() override { form.reset(); }

    // A bar on the form with panels of the given widths (psText, texts empty).
    TAdvOfficeStatusBar* MakeBar(std::initializer_list<int> Widths, int BarWidth = 400) {
        auto* bar = new TAdvOfficeStatusBar(form.get());
        bar->SetName("Bar" + std::to_string(++bars));
        bar->SetAlign(alNone);
        bar->SetBounds(0, 100, BarWidth, 19);
        bar->SetParent(form.get());
        for (int w : Widths) {
            TAdvOfficeStatusPanel* p = bar->Panels()->Add();
            p->SetWidth(w);
            p->SetStyle(psText);
        }
        return bar;
    }
    // Shows the form and handles everything waiting (painting included).
    void ShowAndPaint() {
        form->Show();
        ui.Process();
    }
    // True when part of the bar's window waits for a repaint.
    static bool RepaintPending(TAdvOfficeStatusBar* Bar) {
        win::RECT r{};
        return win::GetUpdateRect(Bar->Handle(), &r, 0) != 0;
    }
    // The colour on screen at a client point of a control (as 0x00BBGGRR).
    win::COLORREF At(TControl* C, int X, int Y) {
        ui.Process();
        return Peek(C, X, Y);
    }
    // The same without handling what waits first (for scanning many pixels of one picture).
    win::COLORREF Peek(TControl* C, int X, int Y) {
        TPoint p = C->ClientToScreen(TPoint{X, Y});
        return ui.Screen().WindowPixel(form->Handle(), p.X - form->Left(), p.Y - form->Top()) & 0xFFFFFF;
    }
    // Whether any pixel of the client rectangle differs from Color.
    bool AnyOtherThan(TControl* C, const TRect& R, win::COLORREF Color) {
        ui.Process();
        for (int x = R.Left; x < R.Right; ++x)
            for (int y = R.Top; y < R.Bottom; ++y)
                if (Peek(C, x, y) != Color) return true;
        return false;
    }
    // Colours equal within a few steps per channel (smoothed text).
    static bool Near(win::COLORREF A, win::COLORREF B, int Tolerance = 8) {
        for (int shift = 0; shift <= 16; shift += 8) {
            int d = static_cast<int>((A >> shift) & 0xFF) - static_cast<int>((B >> shift) & 0xFF);
            if (d > Tolerance || d < -Tolerance) return false;
        }
        return true;
    }
    // Colours within Tolerance steps per channel, printed in hex when they are not.
    static ::testing::AssertionResult Close(win::COLORREF Actual, win::COLORREF Expected, int Tolerance = 3) {
        if (Near(Actual, Expected, Tolerance)) return ::testing::AssertionSuccess();
        char buf[64];
        std::snprintf(buf, sizeof buf, "0x%06X is not 0x%06X (within %d)", static_cast<unsigned>(Actual),
                      static_cast<unsigned>(Expected), Tolerance);
        return ::testing::AssertionFailure() << buf;
    }
    static win::COLORREF Ref(TColor Color) {
        return static_cast<win::COLORREF>(ColorToRGB(Color)) & 0xFFFFFF;
    }

    TComponentPtr<TCustomForm> form;
    int bars = 0;
};

} // namespace statusbartest
