// A docked toolbar longer than its row: whatever does not fit before the right handle goes behind it,
// the last controls first, and nothing shows under or past the handle, at any length, whichever way the
// toolbar got there (controls added to a full row, the row narrowed or widened step by step).

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/options/OptionWindow.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

constexpr int kHandle = 14; // the right handle's length

class RightHandleOverflowTest : public ToolBarTest {
protected:
    void Build(int Count, TDockAlign Side = daTop, bool MixGlow = false) {
        panel = Make<TAdvDockPanel>("Panel", form.get());
        panel->SetAlign(Side);
        bar = Make<TAdvToolBar>("Bar", panel);
        horizontal = Side == daTop || Side == daBottom;
        for (int i = 0; i < Count; ++i) {
            const String name = "B" + std::to_string(i);
            TControl* c;
            if (MixGlow && i % 2 == 1) {
                c = Make<AdvGlowButton::TAdvGlowButton>(name);
                c->SetBounds(0, 0, 40, 40);
                c->SetParent(bar);
            } else {
                auto* block = Block(name, bar, 40, 40);
                block->SetColor(clRed);
                c = block;
            }
            names.push_back(c->Name());
        }
        form->Show();
        ui.Process();
    }
    bool IsHidden(TComponent* C) const {
        for (int i = 0; i < bar->HiddenControlCount(); ++i)
            if (bar->HiddenControls(i) == C) return true;
        return false;
    }
    int Length() const { return horizontal ? bar->Width() : bar->Height(); }
    void SetLength(int L) {
        bar->SetAllowBoundChange(true);
        if (horizontal)
            bar->SetWidth(L);
        else
            bar->SetHeight(L);
        bar->SetAllowBoundChange(false);
    }
    // What a user sees: the controls that show make an unbroken run from the first one, all of it before
    // the handle; the rest are in the hidden list; and the first hidden one would not have fitted.
    void ExpectTailHidden(const std::string& Where) {
        SCOPED_TRACE(Where + ", length " + std::to_string(Length()));
        const int limit = Length() - kHandle;
        int shown = 0;
        int end = 0;
        for (const String& n : names) {
            auto* c = static_cast<TControl*>(form->FindComponent(n));
            const bool hidden = IsHidden(c);
            if (!hidden) {
                EXPECT_EQ(shown, &n - names.data()) << n << " shows after a hidden control";
                ++shown;
                end = horizontal ? c->Left() + c->Width() : c->Top() + c->Height();
                EXPECT_LE(end, limit) << n << " reaches under the handle";
            } else {
                if (c->Parent() == bar) {
                    EXPECT_EQ(horizontal ? c->Top() : c->Left(),
                              (horizontal ? bar->Height() : bar->Width()) + 2)
                        << n << " is hidden but not parked out of sight";
                }
            }
        }
        EXPECT_EQ(bar->HiddenControlCount(), static_cast<int>(names.size()) - shown);
        if (shown < static_cast<int>(names.size())) {
            EXPECT_GT(end + 40, limit) << "a hidden control would fit";
        }
    }

    TAdvDockPanel* panel = nullptr;
    TAdvToolBar* bar = nullptr;
    bool horizontal = true;
    std::vector<String> names;
};

TEST_F(RightHandleOverflowTest, ControlsAddedToAFullRowGoBehindTheHandleAndComeBackInOrder) {
    Build(16);
    ASSERT_LT(bar->Width(), 2 + 16 * 40 + kHandle) << "the row must be too short for the toolbar";
    ExpectTailHidden("built");
    EXPECT_TRUE(IsHidden(form->FindComponent("B15")));
    // The handle's area shows the handle, not a control under it.
    const TRect handle = bar->GetRightHandleRect();
    EXPECT_COLOR(At(bar, 20, bar->Height() / 2), Ref(clRed)) << "probe on a control";
    for (int x = handle.Left + 1; x < bar->Width() - 1; x += 3)
        EXPECT_THAT(At(bar, x, bar->Height() / 2), ::testing::Not(::colortest::IsColor(Ref(clRed))))
            << "at x " << x;
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("RightHandle_OverflowAdded.png")));
    // The handle offers the hidden ones in its window.
    ui.Click(bar, handle.Left + handle.Width() / 2, bar->Height() / 2);
    ASSERT_NE(bar->OptionWindow(), nullptr);
    EXPECT_TRUE(bar->OptionWindow()->Visible());
    for (const char* n : {"B14", "B15"})
        EXPECT_EQ(static_cast<TControl*>(form->FindComponent(n))->Parent()->Parent(), bar->OptionWindow())
            << n;
    bar->HideOptionWindow();
    // One control's room more: the first hidden one comes back, not the last.
    const int shown = 16 - bar->HiddenControlCount();
    SetLength(Length() + 40);
    ExpectTailHidden("widened by one");
    EXPECT_EQ(16 - bar->HiddenControlCount(), shown + 1);
}

TEST_F(RightHandleOverflowTest, NarrowedAndWidenedStepByStepTheTailGoesAndComesInOrder) {
    Build(16);
    const int start = Length();
    for (int l = start; l >= 200; l -= 7) {
        SetLength(l);
        ExpectTailHidden("narrowing");
    }
    for (int l = 200; l <= start; l += 9) {
        SetLength(l);
        ExpectTailHidden("widening");
    }
}

TEST_F(RightHandleOverflowTest, GlowButtonsAndWindowedControlsMixed) {
    Build(16, daTop, true);
    ExpectTailHidden("built");
    for (int l = Length(); l >= 200; l -= 11) {
        SetLength(l);
        ExpectTailHidden("narrowing");
    }
    for (int l = 200; l <= 600; l += 13) {
        SetLength(l);
        ExpectTailHidden("widening");
    }
}

TEST_F(RightHandleOverflowTest, AVerticalToolBarHidesItsBottomControls) {
    Build(16, daLeft);
    ASSERT_LT(bar->Height(), 2 + 16 * 40 + kHandle);
    ExpectTailHidden("built");
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("RightHandle_OverflowVertical.png")));
    for (int l = Length(); l >= 200; l -= 17) {
        SetLength(l);
        ExpectTailHidden("narrowing");
    }
}

} // namespace
} // namespace toolbartest
