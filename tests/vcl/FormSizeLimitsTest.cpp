// A form's Constraints are its window's size limits: a drag of the frame or grip, a size from the window
// manager and the limits the native window is given all keep to them.

#include <gtest/gtest.h>

#include "platform/vcl/Forms.h"
#include "platform/win/WindowInternal.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;

class FormSizeLimits : public uitest::UiTest {
protected:
    void SetUp() override {
        form.reset(new TForm(Application));
        form->SetPosition(poDesigned);
        form->SetBounds(100, 100, 500, 350);
        form->Constraints()->SetMinWidth(450);
        form->Constraints()->SetMinHeight(300);
        form->Constraints()->SetMaxWidth(700);
        form->Constraints()->SetMaxHeight(500);
        form->Show();
        ui.Process();
    }
    win::RECT Rect() {
        win::RECT r{};
        win::GetWindowRect(form->Handle(), &r);
        return r;
    }
    // Drags the window's frame at a screen point by (dx, dy) with the mouse, in two steps.
    void Drag(win::POINT at, int dx, int dy) {
        ui.Screen().MoveMouse(at.X, at.Y);
        ui.Screen().Press();
        ui.Process();
        ui.Screen().MoveMouse(at.X + dx / 2, at.Y + dy / 2);
        ui.Screen().MoveMouse(at.X + dx, at.Y + dy);
        ui.Screen().Release();
        ui.Process();
        ui.Advance(1000); // the next press is no double click
    }
    TComponentPtr<TForm> form;
};

TEST_F(FormSizeLimits, DragsOfTheFrameStopAtTheConstraintsWithTheOtherEdgesInPlace) {
    // The bottom-right corner, as a size grip drags it, well past the minimum.
    win::RECT r = Rect();
    ASSERT_EQ(
        win::SendMessage(form->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(r.Right - 2, r.Bottom - 2)),
        win::HTBOTTOMRIGHT);
    Drag({r.Right - 2, r.Bottom - 2}, -200, -150);
    EXPECT_EQ(Rect(), (win::RECT{100, 100, 550, 400}));
    EXPECT_EQ(form->Width(), 450);
    EXPECT_EQ(form->Height(), 300);
    // The top-left corner: the bottom-right one stays where it is.
    Drag({102, 102}, 120, 80);
    EXPECT_EQ(Rect(), (win::RECT{100, 100, 550, 400}));
    // And outwards, past the maximum.
    Drag({548, 398}, 400, 300);
    EXPECT_EQ(Rect(), (win::RECT{100, 100, 800, 600}));
}

TEST_F(FormSizeLimits, SizesFromElsewhereKeepToThemAndTheNativeWindowIsToldOfThem) {
    win::HWND h = form->Handle();
    // The window manager sizes the window below the minimum: the window system keeps the minimum.
    backend::InputEvent e;
    e.Kind = backend::EventKind::BoundsChanged;
    e.Window = win::detail::W(h)->Native.get();
    e.Bounds = vcl::TRect{100, 100, 300, 200};
    ui.Screen().Deliver(e);
    ui.Process();
    EXPECT_EQ(Rect(), (win::RECT{100, 100, 550, 400}));
    win::SetWindowPos(h, nullptr, 0, 0, 900, 900, win::SWP_NOMOVE | win::SWP_NOZORDER);
    EXPECT_EQ(Rect(), (win::RECT{100, 100, 800, 600}));

    // A window manager that sizes windows itself hears the same limits, and hears again when they change.
    using Limits = std::pair<vcl::TSize, vcl::TSize>;
    EXPECT_EQ(ui.Screen().WindowSizeLimits(h), (Limits{{450, 300}, {700, 500}}));
    form->Constraints()->SetMinWidth(320);
    form->Constraints()->SetMaxHeight(0);
    EXPECT_EQ(ui.Screen().WindowSizeLimits(h).first, (vcl::TSize{320, 300}));
    EXPECT_EQ(ui.Screen().WindowSizeLimits(h).second.cy, 0) << "no maximum height any more";
    // A form without constraints gives the system's own minimum only.
    TComponentPtr<TForm> plain(new TForm(Application));
    plain->Show();
    Limits free = ui.Screen().WindowSizeLimits(plain->Handle());
    EXPECT_EQ(free.first, (vcl::TSize{win::GetSystemMetrics(win::SM_CXMINTRACK),
                                      win::GetSystemMetrics(win::SM_CYMINTRACK)}));
    EXPECT_EQ(free.second, (vcl::TSize{}));
}

} // namespace
