// The password-recovery window.

#include "app/UnitRecoverPass.h"

#include "platform/classes/ClassRegistry.h"

#include "app/ServicePages.h"
#include "app/UnitLogin.h"

namespace UnitRecoverPass {

using namespace vcl;

Tfrm_RecoverPass* frm_RecoverPass = nullptr;

KV_PUBLISHED(Tfrm_RecoverPass) {
    p.Field("WebBrowser1", &Tfrm_RecoverPass::WebBrowser1);
    p.Handler("FormShow", &Tfrm_RecoverPass::FormShow);
    p.Handler("FormClose", &Tfrm_RecoverPass::FormClose);
}
KV_REGISTER_CLASS(Tfrm_RecoverPass)

Tfrm_RecoverPass::Tfrm_RecoverPass(TComponent* AOwner) : TForm(AOwner) {
    InitInheritedComponent();
}

void Tfrm_RecoverPass::FormShow(TObject*) {
    WebBrowser1->Navigate(ServicePages::PageUrl("lostpass.php?agenting=true"));
}

void Tfrm_RecoverPass::FormClose(TObject*, TCloseAction&) {
    UnitLogin::frm_Login->rg_WouldLike->SetItemIndex(0);
}

} // namespace UnitRecoverPass
