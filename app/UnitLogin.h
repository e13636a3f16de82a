#pragma once
// The login dialog: sign in (with the saved login), or open the registration or recovery window.

#include "platform/vcl/Button.h"
#include "platform/vcl/CheckBox.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GroupBox.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/LabeledEdit.h"
#include "platform/vcl/Panel.h"
#include "platform/vcl/RadioGroup.h"

namespace UnitLogin {

using vcl::TObject;

class Tfrm_Login : public vcl::TForm {
    KV_CLASS(Tfrm_Login, vcl::TForm)
    KV_PUBLISHED_PROPERTIES(Tfrm_Login)
public:
    explicit Tfrm_Login(vcl::TComponent* AOwner);

    vcl::TImage* img_Splash = nullptr;
    vcl::TRadioGroup* rg_WouldLike = nullptr;
    vcl::TGroupBox* gb_Login = nullptr;
    vcl::TLabeledEdit* ledt_Login = nullptr;
    vcl::TLabeledEdit* ledt_Password = nullptr;
    vcl::TCheckBox* chkb_SavePass = nullptr;
    vcl::TPanel* pnl_Bevel = nullptr;
    vcl::TButton* btn_OK = nullptr;
    vcl::TButton* btn_Cancel = nullptr;

    void FormShow(TObject* Sender);
    void rg_WouldLikeClick(TObject* Sender);
    void btn_OKClick(TObject* Sender);
    void btn_CancelClick(TObject* Sender);
    void DoLogin();

private:
    // Moves the dialog into the work area of a monitor when it is not wholly on one.
    void KeepOnMonitor();
};

extern Tfrm_Login* frm_Login;

} // namespace UnitLogin
