// End to end: a glow button on a real window of the GTK backend under Xvfb, hovered and clicked with real
// X input (xdotool), then left for a window not ours: a native widget over the form (as the browser's view
// lies over the page), another program's window, or the root window. The button must look as after
// leaving onto the form itself: at rest when it was hovered, checked when a click left it down.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GtkAppFixture.h"
#include "components/foundation/AdvGlowButton.h"
#include "platform/vcl/Forms.h"
#include "platform/win/WindowInternal.h"

namespace {

using namespace vcl;
using namespace AdvGlowButton;
using gtktest::At;
using gtktest::Rgb;

// One plain colour per look, so that a probe names the look it sees.
constexpr TColor kNormal = 0x00C08040, kHot = 0x0040C0F0, kDown = 0x00202080, kChecked = 0x0040A040;

void Paint(TGlowButtonAppearance* a) {
    a->SetColor(kNormal);
    a->SetColorTo(kNormal);
    a->SetColorMirror(kNormal);
    a->SetColorMirrorTo(kNormal);
    a->SetColorHot(kHot);
    a->SetColorHotTo(kHot);
    a->SetColorMirrorHot(kHot);
    a->SetColorMirrorHotTo(kHot);
    a->SetColorDown(kDown);
    a->SetColorDownTo(kDown);
    a->SetColorMirrorDown(kDown);
    a->SetColorMirrorDownTo(kDown);
    a->SetColorChecked(kChecked);
    a->SetColorCheckedTo(kChecked);
    a->SetColorMirrorChecked(kChecked);
    a->SetColorMirrorCheckedTo(kChecked);
}

class GtkPointerLeaveTest : public gtktest::GtkFormTest {
protected:
    void SetUp() override {
        GtkFormTest::SetUp();
        if (IsSkipped()) return;
        button = new TAdvGlowButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(20, 20, 120, 44);
        Paint(button->Appearance());
        form->Show();
        face = button->ClientToScreen({button->Width() / 2, button->Height() / 4});
        ASSERT_TRUE(Shows(kNormal));
        // The browser's view over the right of the form, another program's window over its bottom.
        win::detail::Wnd* w = win::detail::W(form->Handle());
        ASSERT_NE(w, nullptr);
        TPoint origin = form->ClientToScreen({0, 0});
        TRect onScreen{origin.X + 300, origin.Y + 10, origin.X + 560, origin.Y + 200};
        view =
            gtktest::ForeignWindow::Over(w->Native.get(),
                                         TRect{onScreen.Left - form->Left(), onScreen.Top - form->Top(),
                                               onScreen.Right - form->Left(), onScreen.Bottom - form->Top()},
                                         0xFF0000);
        intoView = {onScreen.Left + 40, origin.Y + 40};
        program = gtktest::ForeignWindow::TopLevel(
            TRect{origin.X + 10, origin.Y + 150, origin.X + 200, origin.Y + 400}, 0xFFFF00);
        intoProgram = {origin.X + 80, origin.Y + 200};
        onForm = {origin.X + 200, origin.Y + 40};
        ASSERT_TRUE(RunUntil([&] { return gtktest::ScreenPixel(intoView.X, intoView.Y) == 0xFF0000; }, 3000));
        ASSERT_TRUE(
            RunUntil([&] { return gtktest::ScreenPixel(intoProgram.X, intoProgram.Y) == 0xFFFF00; }, 3000));
    }
    void TearDown() override {
        view.reset();
        program.reset();
        GtkFormTest::TearDown();
    }
    // Waits (the hover fades included) until the button's face shows the colour.
    bool Shows(TColor c) {
        return RunUntil([&] { return gtktest::ScreenPixel(face.X, face.Y) == Rgb(c); }, 3000);
    }
    std::string FaceNow() {
        char text[16];
        std::snprintf(text, sizeof text, "%06X", gtktest::ScreenPixel(face.X, face.Y));
        return text;
    }
    void MoveTo(TPoint p) { ASSERT_TRUE(gtktest::Xdo("mousemove " + At(p))); }

    TAdvGlowButton* button = nullptr;
    std::unique_ptr<gtktest::ForeignWindow> view, program;
    TPoint face, intoView, intoProgram, onForm;
};

TEST_F(GtkPointerLeaveTest, AHoveredButtonComesToRestWhereverThePointerGoes) {
    const TPoint root{1200, 1000};
    for (TPoint away : {onForm, intoView, intoProgram, root}) {
        MoveTo(face);
        EXPECT_TRUE(Shows(kHot)) << FaceNow();
        MoveTo(away);
        EXPECT_TRUE(Shows(kNormal)) << "left for " << At(away) << ": " << FaceNow();
    }
}

TEST_F(GtkPointerLeaveTest, AClickedGroupButtonShowsItsCheckedLookOnceThePointerGoes) {
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    for (TPoint away : {onForm, intoView, intoProgram}) {
        MoveTo(face);
        ASSERT_TRUE(gtktest::Xdo("click 1"));
        ASSERT_TRUE(RunUntil([&] { return button->Down(); }, 3000));
        MoveTo(away);
        EXPECT_TRUE(Shows(kChecked)) << "left for " << At(away) << ": " << FaceNow();
        // Up again, for the next round.
        MoveTo(face);
        ASSERT_TRUE(gtktest::Xdo("click 1"));
        ASSERT_TRUE(RunUntil([&] { return !button->Down(); }, 3000));
        Settle(600); // past the double-click time
    }
}

} // namespace
