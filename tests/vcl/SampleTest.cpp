// A sample dialog read from a layout: labelled edits on a bevelled panel, a radio group, a group box
// with a check box, OK and Cancel. Tab order, Enter and Escape, the edits' limits, ShowModal, a refused
// close, and a picture of it.

#include <gtest/gtest.h>

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Resources.h"
#include "platform/vcl/Bevel.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/CheckBox.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GroupBox.h"
#include "platform/vcl/LabeledEdit.h"
#include "platform/vcl/Panel.h"
#include "platform/vcl/RadioGroup.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using uitest::UiDriver;

const char* const kLayout = R"(object SampleForm: TSampleForm
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Sign in'
  ClientHeight = 226
  ClientWidth = 384
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  OldCreateOrder = False
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object AccountPanel: TPanel
    Left = 8
    Top = 8
    Width = 177
    Height = 169
    BevelOuter = bvLowered
    TabOrder = 0
    object UserEdit: TLabeledEdit
      Left = 12
      Top = 28
      Width = 150
      Height = 21
      EditLabel.Caption = '&User name'
      MaxLength = 12
      TabOrder = 0
    end
    object PasswordEdit: TLabeledEdit
      Left = 12
      Top = 80
      Width = 150
      Height = 21
      EditLabel.Caption = '&Password'
      PasswordChar = '*'
      TabOrder = 1
    end
  end
  object ServerGroup: TRadioGroup
    Left = 196
    Top = 8
    Width = 180
    Height = 73
    Caption = 'Server'
    ItemIndex = 0
    Items.Strings = (
      'Live'
      'Demo')
    TabOrder = 1
  end
  object OptionsGroup: TGroupBox
    Left = 196
    Top = 88
    Width = 180
    Height = 89
    Caption = 'Options'
    TabOrder = 2
    object RememberCheck: TCheckBox
      Left = 12
      Top = 24
      Width = 150
      Height = 17
      Caption = '&Remember me'
      TabOrder = 0
    end
  end
  object Divider: TBevel
    Left = 8
    Top = 184
    Width = 368
    Height = 2
    Shape = bsTopLine
  end
  object OkButton: TButton
    Left = 220
    Top = 193
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
  end
  object CancelButton: TButton
    Left = 301
    Top = 193
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
end
)";

class TSampleForm : public TForm {
    KV_CLASS(TSampleForm, TForm)
    KV_PUBLISHED_PROPERTIES(TSampleForm)
public:
    explicit TSampleForm(TComponent* AOwner) : TForm(AOwner) { InitInheritedComponent(); }

    TPanel* AccountPanel = nullptr;
    TLabeledEdit* UserEdit = nullptr;
    TLabeledEdit* PasswordEdit = nullptr;
    TRadioGroup* ServerGroup = nullptr;
    TGroupBox* OptionsGroup = nullptr;
    TCheckBox* RememberCheck = nullptr;
    TBevel* Divider = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    int Creates = 0;
    int RefusedCloses = 0;

    void FormCreate(TObject*) {
        ++Creates;
        // Everything read is there when OnCreate runs.
        EXPECT_NE(CancelButton, nullptr);
    }
    void FormCloseQuery(TObject*, bool& CanClose) {
        // OK needs a user name.
        if (ModalResult() == mrOk && UserEdit->Text().empty()) {
            ++RefusedCloses;
            MessageDlg("Please enter a user name.", mtWarning, TMsgDlgButtons{mbOK}, 0);
            CanClose = false;
        }
    }
};

KV_PUBLISHED(TSampleForm) {
    p.Field("AccountPanel", &TSampleForm::AccountPanel);
    p.Field("UserEdit", &TSampleForm::UserEdit);
    p.Field("PasswordEdit", &TSampleForm::PasswordEdit);
    p.Field("ServerGroup", &TSampleForm::ServerGroup);
    p.Field("OptionsGroup", &TSampleForm::OptionsGroup);
    p.Field("RememberCheck", &TSampleForm::RememberCheck);
    p.Field("Divider", &TSampleForm::Divider);
    p.Field("OkButton", &TSampleForm::OkButton);
    p.Field("CancelButton", &TSampleForm::CancelButton);
    p.Handler("FormCreate", &TSampleForm::FormCreate);
    p.Handler("FormCloseQuery", &TSampleForm::FormCloseQuery);
}
KV_REGISTER_CLASS(TSampleForm)

[[maybe_unused]] const bool kLayoutRegistered =
    (RegisterResource("TSAMPLEFORM", RT_RCDATA, kLayout, std::char_traits<char>::length(kLayout)), true);

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

TEST_F(SampleTest, TheLayoutIsReadIntoTheFormAndOnCreateRunsOnce) {
    EXPECT_EQ(form->Creates, 1);
    EXPECT_EQ(form->Caption(), "Sign in");
    EXPECT_EQ(form->BorderStyle(), bsDialog);
    EXPECT_EQ(form->ClientWidth(), 384);
    EXPECT_EQ(form->ClientHeight(), 226);
    ASSERT_NE(form->UserEdit, nullptr);
    EXPECT_EQ(form->UserEdit->Parent(), form->AccountPanel);
    EXPECT_EQ(form->RememberCheck->Parent(), form->OptionsGroup);
    EXPECT_EQ(form->UserEdit->EditLabel()->Caption(), "&User name");
    EXPECT_EQ(form->ServerGroup->ItemIndex(), 0);
    EXPECT_TRUE(form->OkButton->Default());
    EXPECT_TRUE(form->CancelButton->Cancel());
    EXPECT_EQ(UiDriver::Find(form.get(), "RememberCheck"), form->RememberCheck);
    EXPECT_EQ(UiDriver::Find(form.get(), "NoSuchControl"), nullptr);
    form->Show();
    EXPECT_EQ(form->Creates, 1);
    // Centred on the screen.
    EXPECT_EQ(form->Left(), (1024 - form->Width()) / 2);
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

TEST_F(SampleTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
    ui.WhenModal([&](TCustomForm*) {
        ui.Type("trader");
        ui.Key(win::VK_RETURN);
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(form->UserEdit->Text(), "trader");
    ui.WhenModal([&](TCustomForm*) { ui.Key(win::VK_ESCAPE); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(SampleTest, TheEditsKeepTheirLimitsAndThePasswordIsHidden) {
    form->Show();
    ui.Click(form->UserEdit);
    ui.Type("abcdefghijklmnopqrst");
    EXPECT_EQ(form->UserEdit->Text(), "abcdefghijkl"); // MaxLength 12
    ui.Key(win::VK_TAB);
    ui.Type("s3cret");
    EXPECT_EQ(form->PasswordEdit->Text(), "s3cret");
    EXPECT_EQ(form->PasswordEdit->PasswordChar(), '*');
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

TEST_F(SampleTest, IsWrittenToAPictureThatLooksLikeADesktopDialog) {
    form->Show();
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
    EXPECT_EQ(ui.Pixel(form.get(), dx + 190, dy + 100), face);
    TPoint edit = form->UserEdit->ClientToScreen({20, 10});
    EXPECT_EQ(ui.Pixel(form.get(), edit.X - form->Left(), edit.Y - form->Top()),
              static_cast<win::COLORREF>(ColorToRGB(clWindow)) & 0xFFFFFF);
    EXPECT_NE(ui.Pixel(form.get(), form->Width() / 2, 8), face); // the caption is not the face colour
}

} // namespace
