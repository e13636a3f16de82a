// A sample dialog read from a layout: labelled edits on a bevelled panel, a radio group, a group box
// with a check box, OK and Cancel. Tab order, ShowModal, a refused close, and a picture of it.

#include <gtest/gtest.h>

#include "platform/rtl/FileUtil.h"
#include "platform/vcl/Dialogs.h"
#include "tests/support/ColorMatch.h"
#include "tests/support/SampleDialog.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using uitest::UiDriver;

using sample::TSampleForm;

class SampleTest : public uitest::UiTest {
protected:
    void SetUp() override { form.reset(new TSampleForm(Application)); }
    // The name of the focused control, or of the named control that holds it.
    String FocusedName() {
        TWinControl* c = Screen->ActiveControl();
        for (; c; c = c->Parent())
            if (!c->Name().empty()) return c->Name();
        return "";
    }
    TComponentPtr<TSampleForm> form;
};

TEST_F(SampleTest, TheLayoutIsReadIntoTheFormOnCreateRunsOnceAndItLooksLikeADesktopDialog) {
    EXPECT_EQ(form->Creates, 1);
    EXPECT_TRUE(form->ReadBeforeCreate); // everything read is there when OnCreate runs
    EXPECT_EQ(form->Caption(), "Sign in");
    EXPECT_EQ(form->BorderStyle(), bsDialog);
    EXPECT_EQ(form->ClientWidth(), 384);
    EXPECT_EQ(form->ClientHeight(), 226);
    ASSERT_NE(form->UserEdit, nullptr);
    EXPECT_EQ(form->UserEdit->Parent(), form->AccountPanel);
    EXPECT_EQ(form->RememberCheck->Parent(), form->OptionsGroup);
    EXPECT_EQ(form->UserEdit->EditLabel()->Caption(), "&User name");
    EXPECT_EQ(form->UserEdit->MaxLength(), 12);
    EXPECT_EQ(form->PasswordEdit->PasswordChar(), '*');
    EXPECT_EQ(form->ServerGroup->ItemIndex(), 0);
    EXPECT_TRUE(form->OkButton->Default());
    EXPECT_TRUE(form->CancelButton->Cancel());
    EXPECT_EQ(UiDriver::Find(form.get(), "RememberCheck"), form->RememberCheck);
    EXPECT_EQ(UiDriver::Find(form.get(), "NoSuchControl"), nullptr);
    form->Show();
    EXPECT_EQ(form->Creates, 1);
    // Centred on the screen.
    EXPECT_EQ(form->Left(), (1024 - form->Width()) / 2);

    // It is written to a picture that looks like a desktop dialog.
    ui.Process();
    // Written next to the test program, in the build folder.
    String path = UiDriver::OutputPath("SampleForm.png");
    ASSERT_TRUE(ui.WritePng(form.get(), path));
    EXPECT_TRUE(FileExists(path));
    // The caption bar, the face colour inside, and the white edit field.
    win::COLORREF face = static_cast<win::COLORREF>(ColorToRGB(clBtnFace)) & 0xFFFFFF;
    win::POINT client{0, 0};
    win::ClientToScreen(form->Handle(), &client);
    int dx = client.X - form->Left(), dy = client.Y - form->Top();
    EXPECT_GT(dy, dx); // a caption above the client area
    EXPECT_THAT(ui.Pixel(form.get(), dx + 190, dy + 100), colortest::IsColor(face));
    TPoint edit = form->UserEdit->ClientToScreen({20, 10});
    EXPECT_THAT(ui.Pixel(form.get(), edit.X - form->Left(), edit.Y - form->Top()),
                colortest::IsColor(ColorToRGB(clWindow) & 0xFFFFFF));
    EXPECT_THAT(ui.Pixel(form.get(), form->Width() / 2, 8),
                ::testing::Not(colortest::IsColor(face))); // the caption is not the face colour
}

TEST_F(SampleTest, TabWalksTheControlsInTabOrderAndShiftTabGoesBack) {
    form->Show();
    EXPECT_EQ(FocusedName(), "UserEdit");
    std::vector<String> order;
    for (int i = 0; i < 6; ++i) {
        ui.Key(win::VK_TAB);
        order.push_back(FocusedName());
    }
    EXPECT_EQ((std::vector<String>{"PasswordEdit", "ServerGroup", "RememberCheck", "OkButton", "CancelButton",
                                   "UserEdit"}),
              order);
    ui.Key(win::VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(FocusedName(), "CancelButton");
}

TEST_F(SampleTest, OnCloseQueryRefusesAnOkWithoutAUserNameAndTheDialogStaysUp) {
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(Dlg, form.get());
        ui.ClickButton(Dlg, "OK");
    });
    ui.AnswerWith("OK"); // the warning box
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(Dlg, form.get()); // still up
        ui.Click(form->UserEdit);
        ui.Type("demo");
        ui.ClickButton(Dlg, "OK");
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(form->RefusedCloses, 1);
    // Only the warning box had a message.
    EXPECT_EQ(ui.SeenMessages(), std::vector<String>{"Please enter a user name."});
}

} // namespace
