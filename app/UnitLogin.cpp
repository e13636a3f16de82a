// The login dialog.

#include "app/UnitLogin.h"

#include "app/StartupProbe.h"

#include "platform/classes/ClassRegistry.h"

#include "app/AppForms.h"
#include "app/UnitMain.h"
#include "app/UnitRecoverPass.h"
#include "app/UnitRegistration.h"
#include "platform/rtl/Registry.h"
#include "platform/vcl/Dialogs.h"
#include "platform/web/BrowserEngine.h"

namespace UnitLogin {

using namespace vcl;

Tfrm_Login* frm_Login = nullptr;

KV_PUBLISHED(Tfrm_Login) {
    p.Field("img_Splash", &Tfrm_Login::img_Splash);
    p.Field("rg_WouldLike", &Tfrm_Login::rg_WouldLike);
    p.Field("gb_Login", &Tfrm_Login::gb_Login);
    p.Field("ledt_Login", &Tfrm_Login::ledt_Login);
    p.Field("ledt_Password", &Tfrm_Login::ledt_Password);
    p.Field("chkb_SavePass", &Tfrm_Login::chkb_SavePass);
    p.Field("pnl_Bevel", &Tfrm_Login::pnl_Bevel);
    p.Field("btn_OK", &Tfrm_Login::btn_OK);
    p.Field("btn_Cancel", &Tfrm_Login::btn_Cancel);
    p.Handler("FormShow", &Tfrm_Login::FormShow);
    p.Handler("rg_WouldLikeClick", &Tfrm_Login::rg_WouldLikeClick);
    p.Handler("btn_OKClick", &Tfrm_Login::btn_OKClick);
    p.Handler("btn_CancelClick", &Tfrm_Login::btn_CancelClick);
}
KV_REGISTER_CLASS(Tfrm_Login)

Tfrm_Login::Tfrm_Login(TComponent* AOwner) : TForm(AOwner) {
    InitInheritedComponent();
}

void Tfrm_Login::FormShow(TObject*) {
    // Loading the browser engine takes a while: done while the user types, the first page does not wait.
    PreloadBrowserEngine();
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    reg.OpenKey(UnitMain::RegistryKey, true);
    if (reg.ValueExists("SaveAuthData") && reg.ReadBool("SaveAuthData")) {
        ledt_Login->SetText(reg.ReadString("Login"));
        ledt_Password->SetText(reg.ReadString("Password"));
        chkb_SavePass->SetChecked(reg.ReadBool("SaveAuthData"));
    }
    reg.CloseKey();
}

void Tfrm_Login::rg_WouldLikeClick(TObject*) {
    const bool signIn = rg_WouldLike->ItemIndex() == 0;
    gb_Login->SetEnabled(signIn);
    ledt_Login->SetEnabled(signIn);
    ledt_Password->SetEnabled(signIn);
    chkb_SavePass->SetEnabled(signIn);
}

void Tfrm_Login::btn_OKClick(TObject*) {
    // Three tests in a row: a window opened by the second or third sets the choice back to the first,
    // which must not sign in within the same click.
    if (rg_WouldLike->ItemIndex() == 0) DoLogin();
    if (rg_WouldLike->ItemIndex() == 1) AppForms::Need(UnitRegistration::frm_Registration)->ShowModal();
    if (rg_WouldLike->ItemIndex() == 2) AppForms::Need(UnitRecoverPass::frm_RecoverPass)->ShowModal();
}

void Tfrm_Login::btn_CancelClick(TObject*) {
    Close();
}

void Tfrm_Login::DoLogin() {
    if (ledt_Login->Text().empty() || ledt_Password->Text().empty()) {
        Application->MessageBox("Incorrect login or password", Application->Title(), 0);
        return;
    }
    StartupProbe::SignedIn();
    UnitMain::frm_Main->FLogin = ledt_Login->Text();
    UnitMain::frm_Main->FPassword = ledt_Password->Text();
    if (chkb_SavePass->Checked()) {
        TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        reg.OpenKey(UnitMain::RegistryKey, true);
        reg.WriteString("Login", ledt_Login->Text());
        reg.WriteString("Password", ledt_Password->Text());
        reg.WriteBool("SaveAuthData", chkb_SavePass->Checked());
        reg.CloseKey();
    }
    SetModalResult(mrOk);
}

} // namespace UnitLogin
