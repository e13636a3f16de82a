// End to end: the sample dialog of the controls layer in a real window on the GTK backend, under Xvfb,
// driven by real X input (xdotool): typing into its edits, Tab, the check box, the modal results of its
// buttons and keys, the password character on the screen, a picture of it, and moving it by its caption.
// Xvfb runs no window manager: the caption drag is our own fallback, and minimise and maximise are the
// window system's commands (see the README for what a desktop session must be checked by hand for).

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "GtkAppFixture.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"
#include "tests/support/SampleDialog.h"

namespace {

using namespace vcl;
using sample::TSampleForm;

// A script that runs inside whatever message loop is running (a modal form's included): each timer tick
// tries the first step; a step returns true when it is done. A modal form whose script does not finish
// in time is ended with mrAbort, so that a lost key or click fails the test instead of hanging it.
std::deque<std::function<bool()>> gSteps;
TSampleForm* gForm = nullptr;
win::DWORD gDeadline = 0;

bool gArmed = false;

void Tick(win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {
    if (gArmed && gForm && gForm->FormState().Contains(fsModal) &&
        static_cast<std::int32_t>(win::GetTickCount() - gDeadline) > 0) {
        ADD_FAILURE() << "the dialog's script did not finish: " << gSteps.size() << " step(s) left";
        gArmed = false;
        gSteps.clear();
        // Every modal form up (a message box over the dialog included) ends.
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i)->FormState().Contains(fsModal)) Screen->Forms(i)->SetModalResult(mrAbort);
        return;
    }
    if (!gSteps.empty() && gSteps.front()()) gSteps.pop_front();
}

using gtktest::At;
using gtktest::Rgb;

class GtkSampleDialogTest : public gtktest::GtkAppTest {
protected:
    void SetUp() override {
        GtkAppTest::SetUp();
        if (IsSkipped()) return;
        gSteps.clear();
        form.reset(new TSampleForm(Application));
        gForm = form.get();
        timer = win::SetTimer(nullptr, 0, 20, Tick);
    }
    void TearDown() override {
        if (timer) win::KillTimer(nullptr, timer);
        gSteps.clear();
        gArmed = false;
        gForm = nullptr;
        form.reset();
        GtkAppTest::TearDown();
    }

    // The name of the focused control, or of the named control that holds it.
    static String FocusedName() {
        for (TWinControl* c = Screen->ActiveControl(); c; c = c->Parent())
            if (!c->Name().empty()) return c->Name();
        return "";
    }
    // The backend's window of a form (null before it has one).
    static backend::NativeWindow* NativeOf(TWinControl* c) {
        if (!c->HandleAllocated()) return nullptr;
        win::detail::Wnd* w = win::detail::W(c->Handle());
        return w ? w->Native.get() : nullptr;
    }
    backend::NativeWindow* Native() { return NativeOf(form.get()); }
    std::string Xid() { return std::to_string(gtktest::XidOf(Native())); }
    // The face of the form between the panel and the group boxes, on the screen.
    TPoint FacePoint() { return form->ClientToScreen({190, 100}); }
    bool FaceOnScreen() {
        TPoint p = FacePoint();
        return Native() && gtktest::ScreenPixel(p.X, p.Y) == Rgb(clBtnFace);
    }
    // One step of a modal script: the dialog is on the screen, then it has the keyboard.
    void StepsToBringItUp() {
        gSteps.push_back([this] {
            if (!FaceOnScreen()) return false;
            EXPECT_TRUE(gtktest::Xdo("windowfocus --sync " + Xid()));
            return true;
        });
        gSteps.push_back([this] { return win::GetActiveWindow() == form->Handle(); });
    }
    // A step that clicks the control at a client point, found on the screen when the step runs.
    static std::function<bool()> ClickStep(TControl* c, TPoint p) {
        return [c, p] { return gtktest::XdoStep("mousemove " + At(c->ClientToScreen(p)) + " click 1")(); };
    }
    TModalResult ShowModalWithin(int ms) {
        gDeadline = win::GetTickCount() + static_cast<win::DWORD>(ms);
        gArmed = true;
        TModalResult r = form->ShowModal();
        gArmed = false;
        return r;
    }
    // Shows the dialog modelessly, waits until the screen shows it and gives it the keyboard.
    void ShowOnScreen() {
        form->Show();
        ASSERT_TRUE(RunUntil([this] { return FaceOnScreen(); }, 5000));
        ASSERT_TRUE(gtktest::Xdo("windowfocus --sync " + Xid()));
        ASSERT_TRUE(RunUntil([this] { return win::GetActiveWindow() == form->Handle(); }, 3000));
    }
    // The inside of a control (its client area less a margin) as the screen shows it.
    std::vector<std::uint32_t> Inside(TWinControl* c, int margin) {
        TPoint p = c->ClientToScreen({margin, margin});
        return gtktest::ScreenPixels(p.X, p.Y, c->ClientWidth() - 2 * margin, c->ClientHeight() - 2 * margin);
    }

    TComponentPtr<TSampleForm> form;
    win::UINT_PTR timer = 0;
};

} // namespace

TEST_F(GtkSampleDialogTest, RealTypingTabAndSpaceFillTheControlsAndThePasswordIsMasked) {
    ShowOnScreen();
    // Centred on Xvfb's screen.
    EXPECT_EQ(form->Left(), (1280 - form->Width()) / 2);
    EXPECT_EQ(form->Top(), (1024 - form->Height()) / 2);

    TPoint user = form->UserEdit->ClientToScreen({20, 10});
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(user) + " click 1"));
    ASSERT_TRUE(RunUntil([] { return FocusedName() == "UserEdit"; }, 3000));
    // One character more than the edit takes.
    ASSERT_TRUE(gtktest::Xdo("type --delay 15 'Trader42xyzw!'"));
    RunUntil([this] { return form->UserEdit->Text().size() >= 12; }, 4000);
    Settle(150);
    EXPECT_EQ(form->UserEdit->Text(), "Trader42xyzw");

    ASSERT_TRUE(gtktest::Xdo("key Tab"));
    ASSERT_TRUE(RunUntil([] { return FocusedName() == "PasswordEdit"; }, 3000));
    ASSERT_TRUE(gtktest::Xdo("type --delay 15 's3cret'"));
    EXPECT_TRUE(RunUntil([this] { return form->PasswordEdit->Text() == "s3cret"; }, 4000));

    // On through the radio group to the check box, back and forth, and Space ticks it.
    ASSERT_TRUE(gtktest::Xdo("key Tab"));
    EXPECT_TRUE(RunUntil([] { return FocusedName() == "ServerGroup"; }, 3000));
    ASSERT_TRUE(gtktest::Xdo("key Tab"));
    EXPECT_TRUE(RunUntil([] { return FocusedName() == "RememberCheck"; }, 3000));
    ASSERT_TRUE(gtktest::Xdo("key shift+Tab"));
    EXPECT_TRUE(RunUntil([] { return FocusedName() == "ServerGroup"; }, 3000));
    ASSERT_TRUE(gtktest::Xdo("key Tab"));
    ASSERT_TRUE(RunUntil([] { return FocusedName() == "RememberCheck"; }, 3000));
    EXPECT_FALSE(form->RememberCheck->Checked());
    ASSERT_TRUE(gtktest::Xdo("key space"));
    EXPECT_TRUE(RunUntil([this] { return form->RememberCheck->Checked(); }, 3000));
    // The typing went to the edits only.
    EXPECT_EQ(form->UserEdit->Text(), "Trader42xyzw");
    EXPECT_EQ(form->PasswordEdit->Text(), "s3cret");

    // The screen shows six '*' in the password edit: the same picture as the user edit showing "******"
    // (same size, same font, neither focused), and not the picture of the letters themselves.
    // Repaint the whole window first, so that the comparison is about what the controls draw and not about
    // which of their own repaints the screen has shown yet.
    auto repaint = [this] {
        win::RedrawWindow(form->Handle(), nullptr, nullptr,
                          win::RDW_INVALIDATE | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
    };
    repaint();
    const int margin = 2;
    std::vector<std::uint32_t> masked;
    std::uint32_t white = Rgb(clWindow);
    auto inked = [&] {
        int n = 0;
        for (std::uint32_t px : masked)
            n += px != white;
        return n;
    };
    EXPECT_TRUE(RunUntil(
        [&] {
            masked = Inside(form->PasswordEdit, margin);
            return inked() > 6; // something is drawn
        },
        3000));
    form->UserEdit->SetText("******");
    repaint();
    EXPECT_TRUE(RunUntil([&] { return Inside(form->UserEdit, margin) == masked; }, 3000))
        << "the password edit does not show its password character";
    form->UserEdit->SetText("s3cret");
    repaint();
    EXPECT_TRUE(RunUntil([&] { return Inside(form->UserEdit, margin) != masked; }, 3000))
        << "the password's letters look like its mask";
}

TEST_F(GtkSampleDialogTest, ClicksAndKeysEndTheModalDialogWithTheirResults) {
    // Click into the user name, type, click OK.
    StepsToBringItUp();
    gSteps.push_back(ClickStep(form->UserEdit, {20, 10}));
    gSteps.push_back([] { return FocusedName() == "UserEdit"; });
    gSteps.push_back(gtktest::XdoStep("type --delay 15 demo"));
    gSteps.push_back([this] {
        if (form->UserEdit->Text() != "demo") return false;
        EXPECT_TRUE(gtktest::Xdo("mousemove " + At(form->OkButton->ClientToScreen({37, 12})) + " click 1"));
        return true;
    });
    EXPECT_EQ(ShowModalWithin(15000), mrOk);
    EXPECT_EQ(form->UserEdit->Text(), "demo");
    EXPECT_FALSE(form->Visible());

    // Escape: Cancel, wherever the focus is.
    StepsToBringItUp();
    gSteps.push_back(gtktest::XdoStep("key Escape"));
    EXPECT_EQ(ShowModalWithin(15000), mrCancel);

    // Enter: the default button.
    StepsToBringItUp();
    gSteps.push_back(gtktest::XdoStep("key Return"));
    EXPECT_EQ(ShowModalWithin(15000), mrOk);

    // A click on Cancel.
    StepsToBringItUp();
    gSteps.push_back(ClickStep(form->CancelButton, {37, 12}));
    EXPECT_EQ(ShowModalWithin(15000), mrCancel);
    EXPECT_EQ(form->UserEdit->Text(), "demo");
    EXPECT_EQ(form->RefusedCloses, 0);
}

TEST_F(GtkSampleDialogTest, OkWithoutAUserNameShowsARealMessageBoxAndTheDialogStaysUp) {
    StepsToBringItUp();
    gSteps.push_back(ClickStep(form->OkButton, {37, 12}));
    // The warning is a window of its own on the screen; Enter answers it.
    TCustomForm* box = nullptr; // only while it is up: the box frees itself when answered
    bool sawBox = false;
    gSteps.push_back([&] {
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i) != form.get() && Screen->Forms(i)->Visible()) box = Screen->Forms(i);
        if (!box || !NativeOf(box) || !gtktest::XidOf(NativeOf(box))) return false;
        sawBox = true;
        EXPECT_TRUE(gtktest::Xdo("windowfocus --sync " + std::to_string(gtktest::XidOf(NativeOf(box)))));
        return true;
    });
    gSteps.push_back([&] { return win::GetActiveWindow() == box->Handle(); });
    gSteps.push_back(gtktest::XdoStep("key Return"));
    gSteps.push_back([&] {
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i) != form.get() && Screen->Forms(i)->Visible()) return false;
        box = nullptr;
        return form->RefusedCloses == 1;
    });
    gSteps.push_back([this] {
        EXPECT_TRUE(gtktest::Xdo("windowfocus --sync " + Xid()));
        return true;
    });
    gSteps.push_back([this] { return win::GetActiveWindow() == form->Handle(); });
    gSteps.push_back([this] {
        EXPECT_TRUE(form->Visible()); // still up
        EXPECT_TRUE(gtktest::Xdo("mousemove " + At(form->UserEdit->ClientToScreen({20, 10})) + " click 1"));
        return true;
    });
    gSteps.push_back([] { return FocusedName() == "UserEdit"; });
    gSteps.push_back(gtktest::XdoStep("type --delay 15 ann"));
    gSteps.push_back(gtktest::XdoStep("key Return"));
    EXPECT_EQ(ShowModalWithin(20000), mrOk);
    EXPECT_TRUE(sawBox);
    EXPECT_EQ(form->RefusedCloses, 1);
    EXPECT_EQ(form->UserEdit->Text(), "ann");
}

TEST_F(GtkSampleDialogTest, TheScreenShowsATidyDesktopDialog) {
    ShowOnScreen();
    Settle(100);
    int l = form->Left(), t = form->Top(), w = form->Width(), h = form->Height();
    // Written to the build folder, to be looked at.
    EXPECT_TRUE(gtktest::WriteScreenPng(l, t, w, h, "GtkSampleDialog.png"));

    std::uint32_t face = Rgb(clBtnFace), window = Rgb(clWindow);
    TPoint client = form->ClientToScreen({0, 0});
    ASSERT_GT(client.Y, t); // a caption above the client area
    EXPECT_EQ(gtktest::ScreenPixel(FacePoint().X, FacePoint().Y), face);
    // The edits' fields are white, the password's too.
    TPoint user = form->UserEdit->ClientToScreen({form->UserEdit->ClientWidth() - 6, 4});
    EXPECT_EQ(gtktest::ScreenPixel(user.X, user.Y), window);
    TPoint pass = form->PasswordEdit->ClientToScreen({form->PasswordEdit->ClientWidth() - 6, 4});
    EXPECT_EQ(gtktest::ScreenPixel(pass.X, pass.Y), window);
    // The divider is a shadow line over a highlight line.
    TPoint divider = form->ClientToScreen({100, 184});
    EXPECT_EQ(gtktest::ScreenPixel(divider.X, divider.Y), Rgb(clBtnShadow));
    EXPECT_EQ(gtktest::ScreenPixel(divider.X, divider.Y + 1), Rgb(clBtnHighlight));
    // The caption is not the face colour, and carries its text (pixels of more than one colour).
    std::vector<std::uint32_t> caption = gtktest::ScreenPixels(l + 4, t + (client.Y - t) / 2 - 2, 120, 4);
    ASSERT_FALSE(caption.empty());
    EXPECT_NE(caption[0], face);
    bool text = false;
    for (std::uint32_t px : caption)
        text = text || px != caption[0];
    EXPECT_TRUE(text);
    // The OK button carries its caption: dark text on the face.
    std::vector<std::uint32_t> ok = Inside(form->OkButton, 6);
    int dark = 0;
    for (std::uint32_t px : ok)
        dark += ((px >> 16) & 0xFF) < 0x60 && ((px >> 8) & 0xFF) < 0x60 && (px & 0xFF) < 0x60;
    EXPECT_GT(dark, 5);
    // Nothing of ours beside the window.
    EXPECT_NE(gtktest::ScreenPixel(l + w + 3, t + h / 2), face);
    EXPECT_NE(gtktest::ScreenPixel(l - 3, t + h / 2), face);
}

TEST_F(GtkSampleDialogTest, DraggingTheCaptionMovesTheDialogWithoutAWindowManager) {
    ShowOnScreen();
    int l = form->Left(), t = form->Top();
    TPoint client = form->ClientToScreen({0, 0});
    TPoint caption{l + 60, (t + client.Y) / 2};
    ASSERT_EQ(win::SendMessage(form->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(caption.X, caption.Y)),
              win::HTCAPTION);
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(caption) + " mousedown 1"));
    Settle(100);
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At({caption.X + 40, caption.Y + 20}) + " sleep 0.1 mousemove " +
                             At({caption.X + 90, caption.Y + 60}) + " sleep 0.1 mouseup 1"));
    EXPECT_TRUE(RunUntil([&] { return form->Left() == l + 90 && form->Top() == t + 60; }, 3000))
        << form->Left() << "," << form->Top();
    // The screen shows it there, and its controls still take the keyboard where they now are.
    EXPECT_TRUE(RunUntil([this] { return FaceOnScreen(); }, 3000));
    ASSERT_TRUE(gtktest::Xdo("mousemove " + At(form->UserEdit->ClientToScreen({20, 10})) + " click 1"));
    ASSERT_TRUE(RunUntil([] { return FocusedName() == "UserEdit"; }, 3000));
    ASSERT_TRUE(gtktest::Xdo("type --delay 15 moved"));
    EXPECT_TRUE(RunUntil([this] { return form->UserEdit->Text() == "moved"; }, 3000));
}

TEST_F(GtkSampleDialogTest, MinimiseMaximiseAndRestoreFollowTheWindowSystemsCommands) {
    ShowOnScreen();
    win::HWND h = form->Handle();
    win::RECT before{};
    win::GetWindowRect(h, &before);
    win::SendMessage(h, win::WM_SYSCOMMAND, win::SC_MINIMIZE, 0);
    EXPECT_TRUE(RunUntil([&] { return win::IsIconic(h) != 0; }, 3000));
    EXPECT_EQ(form->WindowState(), wsMinimized);
    win::SendMessage(h, win::WM_SYSCOMMAND, win::SC_RESTORE, 0);
    EXPECT_TRUE(RunUntil([&] { return !win::IsIconic(h); }, 3000));
    EXPECT_EQ(form->WindowState(), wsNormal);
    win::RECT after{};
    win::GetWindowRect(h, &after);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(RunUntil([this] { return FaceOnScreen(); }, 3000));

    win::SendMessage(h, win::WM_SYSCOMMAND, win::SC_MAXIMIZE, 0);
    EXPECT_TRUE(RunUntil([&] { return win::IsZoomed(h) != 0; }, 3000));
    EXPECT_EQ(form->WindowState(), wsMaximized);
    win::SendMessage(h, win::WM_SYSCOMMAND, win::SC_RESTORE, 0);
    EXPECT_TRUE(RunUntil([&] { return !win::IsZoomed(h); }, 3000));
    win::GetWindowRect(h, &after);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(RunUntil([this] { return FaceOnScreen(); }, 3000));
}
