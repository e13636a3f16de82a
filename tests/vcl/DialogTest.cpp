// Message boxes: buttons and their results, default and cancel buttons, captions, icons, closing. A sample
// dialog read from a layout: labelled edits on a bevelled panel, a radio group, a group box with a check
// box, OK and Cancel; tab order, ShowModal, a refused close, and a picture of it.

#include <gtest/gtest.h>

#include "platform/rtl/FileUtil.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Label.h"
#include "tests/support/ColorMatch.h"
#include "tests/support/SampleDialog.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using uitest::UiDriver;

class DialogTest : public uitest::UiTest {
protected:
    // The captions of the box's buttons from left to right.
    static std::vector<String> Buttons(TCustomForm* Box) {
        std::vector<std::pair<int, String>> found;
        for (int i = 0; i < Box->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TCustomButton*>(Box->Controls(i)))
                found.emplace_back(b->Left(), b->Caption());
        std::sort(found.begin(), found.end());
        std::vector<String> out;
        for (auto& f : found)
            out.push_back(f.second);
        return out;
    }
};

TEST_F(DialogTest, MessageBoxReturnsTheIdOfThePressedButtonAndRefusesAnUnknownType) {
    struct Case {
        unsigned Type;
        std::vector<String> Captions;
        String Press;
        int Expected;
    };
    const Case cases[] = {
        {win::MB_OK, {"OK"}, "OK", win::IDOK},
        {win::MB_OKCANCEL, {"OK", "Cancel"}, "Cancel", win::IDCANCEL},
        {win::MB_YESNO, {"&Yes", "&No"}, "No", win::IDNO},
        {win::MB_YESNOCANCEL, {"&Yes", "&No", "Cancel"}, "Yes", win::IDYES},
        {win::MB_ABORTRETRYIGNORE, {"&Abort", "&Retry", "&Ignore"}, "Ignore", win::IDIGNORE},
        {win::MB_RETRYCANCEL, {"&Retry", "Cancel"}, "Retry", win::IDRETRY},
        {win::MB_CANCELTRYCONTINUE, {"Cancel", "&Try Again", "&Continue"}, "Continue", win::IDCONTINUE},
    };
    for (const Case& c : cases) {
        std::vector<String> seen;
        ui.WhenModal([&](TCustomForm* Box) {
            seen = Buttons(Box);
            ui.ClickButton(Box, c.Press);
        });
        EXPECT_EQ(win::MessageBox(nullptr, "Text", "Title", c.Type), c.Expected) << c.Type;
        EXPECT_EQ(seen, c.Captions) << c.Type;
    }
    EXPECT_EQ(Screen->FormCount(), 0); // every box was freed

    // An unknown type is refused; a missing caption is "Error".
    win::SetLastError(0);
    EXPECT_EQ(win::MessageBox(nullptr, "x", "y", 0x0F), 0);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_PARAMETER);
    String caption;
    ui.WhenModal([&](TCustomForm* Box) {
        caption = Box->Caption();
        Box->SetModalResult(mrOk);
    });
    win::MessageBox(nullptr, "x", nullptr, win::MB_OK);
    EXPECT_EQ(caption, "Error");
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndEscapeTheCancelOne) {
    ui.WhenModal([&](TCustomForm*) { ui.Key(win::VK_RETURN); });
    EXPECT_EQ(win::MessageBox(nullptr, "Save?", "Editor", win::MB_YESNOCANCEL | win::MB_DEFBUTTON2),
              win::IDNO);
    ui.WhenModal([&](TCustomForm*) { ui.Key(win::VK_ESCAPE); });
    EXPECT_EQ(win::MessageBox(nullptr, "Save?", "Editor", win::MB_YESNOCANCEL), win::IDCANCEL);
    // An OK box: Escape and the close button both mean OK.
    ui.WhenModal([&](TCustomForm*) { ui.Key(win::VK_ESCAPE); });
    EXPECT_EQ(win::MessageBox(nullptr, "Done", "Editor", win::MB_OK), win::IDOK);
    ui.WhenModal([&](TCustomForm* Box) { ui.Screen().RequestClose(Box->WindowHandle()); });
    EXPECT_EQ(win::MessageBox(nullptr, "Done", "Editor", win::MB_OK), win::IDOK);
    // A Yes/No box has no close button and ignores Escape and the window manager's close.
    ui.WhenModal([&](TCustomForm* Box) {
        EXPECT_FALSE(Box->BorderIcons().Contains(biSystemMenu));
        ui.Key(win::VK_ESCAPE);
        ui.Screen().RequestClose(Box->WindowHandle());
    });
    ui.WhenModal([&](TCustomForm* Box) {
        EXPECT_TRUE(Box->Visible()); // still up
        ui.ClickButton(Box, "Yes");
    });
    EXPECT_EQ(win::MessageBox(nullptr, "Sure?", "Editor", win::MB_YESNO), win::IDYES);
}

TEST_F(DialogTest, MessageDlgCaptionsButtonsInOrderAndResults) {
    String caption;
    std::vector<String> buttons;
    ui.WhenModal([&](TCustomForm* Box) {
        caption = Box->Caption();
        buttons = Buttons(Box);
        ui.ClickButton(Box, "OK");
    });
    // The order is fixed whatever order the set was written in.
    EXPECT_EQ(MessageDlg("Delete record?", mtConfirmation, TMsgDlgButtons{mbCancel, mbOK}, 0), mrOk);
    EXPECT_EQ(caption, "Confirmation");
    EXPECT_EQ((std::vector<String>{"OK", "Cancel"}), buttons);
    ui.WhenModal([&](TCustomForm*) { ui.Key(win::VK_RETURN); });
    EXPECT_EQ(MessageDlg("Overwrite?", mtWarning, TMsgDlgButtons{mbYes, mbNo}, 0), mrYes);
    ui.WhenModal([&](TCustomForm*) { ui.Key(win::VK_ESCAPE); });
    EXPECT_EQ(MessageDlg("Overwrite?", mtWarning, TMsgDlgButtons{mbYes, mbNo}, 0), mrNo);
    ui.WhenModal([&](TCustomForm* Box) {
        caption = Box->Caption();
        ui.Screen().RequestClose(Box->WindowHandle());
    });
    EXPECT_EQ(MessageDlg("Failed", mtError, TMsgDlgButtons{mbAbort, mbRetry}, 0), mrCancel);
    EXPECT_EQ(caption, "Error");
    // No buttons at all still gives a way out.
    ui.WhenModal([&](TCustomForm* Box) {
        buttons = Buttons(Box);
        ui.ClickButton(Box, "OK");
    });
    EXPECT_EQ(MessageDlg("Note", mtInformation, TMsgDlgButtons{}, 0), mrOk);
    EXPECT_EQ(buttons, std::vector<String>{"OK"});
}

TEST_F(DialogTest, ShowMessageUsesTheTitleAndTheBoxFitsItsText) {
    Application->SetTitle("Kalvenor");
    String caption;
    int width = 0, textRight = 0, buttonsBottom = 0, height = 0;
    const String text = "A fairly long message that needs some room to be read comfortably by the user.";
    ui.WhenModal([&](TCustomForm* Box) {
        caption = Box->Caption();
        width = Box->ClientWidth();
        height = Box->ClientHeight();
        auto* label = UiDriver::Get<TLabel>(Box, "Message");
        EXPECT_EQ(label->Caption(), text);
        textRight = label->Left() + label->Width();
        auto* ok = UiDriver::Get<TButton>(Box, "OK");
        buttonsBottom = ok->Top() + ok->Height();
        // The button row is centred.
        EXPECT_NEAR(ok->Left() + ok->Width() / 2, width / 2, 1);
        ui.ClickButton(Box, "OK");
    });
    ShowMessage(text);
    EXPECT_EQ(caption, "Kalvenor");
    EXPECT_LE(textRight, width);
    EXPECT_LT(buttonsBottom, height);
    EXPECT_EQ(ui.SeenMessages(), std::vector<String>{text});
}

TEST_F(DialogTest, AWarningBoxShowsItsIconAndIsWrittenToAPicture) {
    win::COLORREF iconCentre = 0, faceBesideIcon = 0;
    ui.WhenModal([&](TCustomForm* Box) {
        EXPECT_TRUE(ui.WritePng(Box, UiDriver::OutputPath("WarningBox.png")));
        TControl* icon = UiDriver::Find(Box, "Image");
        ASSERT_NE(icon, nullptr);
        win::POINT origin{0, 0};
        win::ClientToScreen(Box->Handle(), &origin);
        int dx = origin.X - Box->Left(), dy = origin.Y - Box->Top();
        iconCentre = ui.Pixel(Box, dx + icon->Left() + 16, dy + icon->Top() + 24);
        faceBesideIcon = ui.Pixel(Box, dx + 2, dy + 2);
        ui.ClickButton(Box, "OK");
    });
    MessageDlg("The connection was lost.", mtWarning, TMsgDlgButtons{mbOK}, 0);
    EXPECT_THAT(iconCentre, colortest::IsColor(win::RGB(0xF2, 0xC0, 0x1E))); // the yellow triangle
    EXPECT_THAT(faceBesideIcon, colortest::IsColor(ColorToRGB(clBtnFace) & 0xFFFFFF));
}

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
