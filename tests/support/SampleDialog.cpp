// The sample dialog: its layout and its handlers.

#include "tests/support/SampleDialog.h"

#include <string>

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Resources.h"
#include "platform/vcl/Dialogs.h"

namespace sample {

using namespace vcl;

const char* const kSampleLayout = R"(object SampleForm: TSampleForm
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

TSampleForm::TSampleForm(TComponent* AOwner) : TForm(AOwner) {
    InitInheritedComponent();
}

void TSampleForm::FormCreate(TObject*) {
    ++Creates;
    ReadBeforeCreate = AccountPanel && UserEdit && PasswordEdit && ServerGroup && OptionsGroup &&
                       RememberCheck && Divider && OkButton && CancelButton;
}

void TSampleForm::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult() == mrOk && UserEdit->Text().empty()) {
        ++RefusedCloses;
        MessageDlg("Please enter a user name.", mtWarning, TMsgDlgButtons{mbOK}, 0);
        CanClose = false;
    }
}

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

namespace {
[[maybe_unused]] const bool kLayoutRegistered =
    (RegisterResource("TSAMPLEFORM", RT_RCDATA, kSampleLayout, std::char_traits<char>::length(kSampleLayout)),
     true);
} // namespace

} // namespace sample
