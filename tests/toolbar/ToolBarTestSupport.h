#pragma once
// Shared by the toolbar tests: a fresh offscreen screen and application per test, a form to put dock
// panels, toolbars and stylers on, and pixel probes in a control's client coordinates.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "components/toolbar/AdvToolBar.h"
#include "platform/classes/Component.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Panel.h"
#include "tests/support/ColorMatch.h"
#include "tests/support/UiDriver.h"

namespace toolbartest {

using namespace vcl;
using namespace AdvToolBar;
using AdvToolBarStylers::TAdvToolBarOfficeStyler;

using colortest::Hex;
// Both colours printed in hex when they differ.
#define EXPECT_COLOR(Actual, Expected)                                                                       \
    EXPECT_THAT(static_cast<std::uint32_t>(Actual), ::colortest::IsColor(Expected))

// A styled client that only records what its styler tells it.
struct RecordingClient : IToolBarStylerClient {
    std::vector<int> Codes;
    int Releases = 0;
    void StylerChanged(TStylerChange Code) override { Codes.push_back(static_cast<int>(Code)); }
    void StylerReleased(TCustomAdvToolBarStyler*) override { ++Releases; }
};

// What a fade shows Percent of the way: Percent of First and the rest of Second, channel by channel,
// rounded.
inline TColor Mix(TColor First, TColor Second, int Percent) {
    if (Percent >= 100) return First;
    if (Percent <= 0) return Second;
    const double f = Percent / 100.0;
    TColor result = 0;
    for (int shift : {0, 8, 16}) {
        const double a = (First >> shift) & 0xFF, b = (Second >> shift) & 0xFF;
        result |= static_cast<TColor>(std::lround(f * a + (1 - f) * b)) << shift;
    }
    return result;
}

class ToolBarTest : public uitest::UiTest {
protected:
    void SetUp() override {
        RegisterAdvToolBarClasses();
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetName("MainForm");
        form->SetBounds(40, 40, 600, 560);
    }
    void TearDown() override { form.reset(); }

    template <typename T> T* Make(const String& Name, TWinControl* Parent = nullptr) {
        auto* c = new T(form.get());
        c->SetName(Name);
        if constexpr (std::is_base_of_v<TControl, T>)
            if (Parent != nullptr) c->SetParent(Parent);
        return c;
    }
    // A plain W x H control: a toolbar holds any control, so it stands in for a button.
    TPanel* Block(const String& Name, TWinControl* Parent, int W = 40, int H = 20) {
        auto* c = Make<TPanel>(Name);
        c->SetBounds(0, 0, W, H);
        c->SetParent(Parent);
        return c;
    }
    // The toolbar takes a length the way a row gives it one.
    static void Length(TAdvCustomToolBar* Bar, int W) {
        Bar->SetAllowBoundChange(true);
        Bar->SetWidth(W);
        Bar->SetAllowBoundChange(false);
    }
    // The colour on screen at a client point of a control (as 0x00BBGGRR).
    win::COLORREF At(TControl* C, int X, int Y) {
        ui.Process();
        TPoint p = C->ClientToScreen(TPoint{X, Y});
        return ui.Pixel(form.get(), p.X - form->Left(), p.Y - form->Top());
    }
    static win::COLORREF Ref(TColor Color) {
        return static_cast<win::COLORREF>(ColorToRGB(Color)) & 0xFFFFFF;
    }

    TComponentPtr<TCustomForm> form;
};

} // namespace toolbartest
