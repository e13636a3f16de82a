// The login dialog.

#include "app/UnitLogin.h"

#include "app/StartupProbe.h"

#include "platform/classes/ClassRegistry.h"

#include "app/AppForms.h"
#include "app/SessionProbe.h"
#include "app/UnitMain.h"
#include "app/UnitRecoverPass.h"
#include "app/UnitRegistration.h"
#include "app/WindowPlacement.h"
#include "platform/rtl/Registry.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Screen.h"
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
    KeepOnMonitor();
    UnitMain::frm_Main->UseSettings([this](TRegistry& reg) {
        // A value stored with another type (a damaged or hand-edited hive) is left out on its own: the
        // flag then reads as not set, a text as not saved.
        if (reg.GetDataType("SaveAuthData") == rdInteger && reg.ReadBool("SaveAuthData")) {
            if (reg.GetDataType("Login") == rdString) ledt_Login->SetText(reg.ReadString("Login"));
            if (reg.GetDataType("Password") == rdString) ledt_Password->SetText(reg.ReadString("Password"));
            chkb_SavePass->SetChecked(true);
        }
    });
    SessionProbe::LoginShown(ledt_Login->Text(), ledt_Password->Text(), chkb_SavePass->Checked());
}

void Tfrm_Login::KeepOnMonitor() {
    // Centred on the desktop, the dialog may fall between monitors or across two of them, or stay where a
    // monitor was at an earlier showing: it ends on one.
    std::vector<TRect> areas;
    for (int i = 0; i < Screen->MonitorCount(); ++i)
        areas.push_back(Screen->Monitors(i)->WorkareaRect());
    const TRect r = WindowPlacement::FitToWorkArea(BoundsRect(), areas);
    if (r != BoundsRect()) SetBounds(r.Left, r.Top, r.Width(), r.Height());
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
        SessionProbe::Message("Incorrect login or password");
        Application->MessageBox("Incorrect login or password", Application->Title(), 0);
        return;
    }
    StartupProbe::SignedIn();
    UnitMain::frm_Main->FLogin = ledt_Login->Text();
    UnitMain::frm_Main->FPassword = ledt_Password->Text();
    UnitMain::frm_Main->UseSettings([this](TRegistry& reg) {
        if (chkb_SavePass->Checked()) {
            reg.WriteString("Login", ledt_Login->Text());
            reg.WriteString("Password", ledt_Password->Text());
        } else {
            // The user no longer wants them kept: the saved login and password go, not just their loading.
            reg.DeleteValue("Login");
            reg.DeleteValue("Password");
        }
        reg.WriteBool("SaveAuthData", chkb_SavePass->Checked());
    });
    SetModalResult(mrOk);
}

} // namespace UnitLogin
