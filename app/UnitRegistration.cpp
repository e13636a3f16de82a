// The registration window.

#include "app/UnitRegistration.h"

#include "platform/classes/ClassRegistry.h"

#include "app/ServicePages.h"
#include "app/UnitLogin.h"

namespace UnitRegistration {

using namespace vcl;

Tfrm_Registration* frm_Registration = nullptr;

KV_PUBLISHED(Tfrm_Registration) {
    p.Field("WebBrowser_Registration", &Tfrm_Registration::WebBrowser_Registration);
    p.Field("pnl_Bottom", &Tfrm_Registration::pnl_Bottom);
    p.Field("btn_OK", &Tfrm_Registration::btn_OK);
    p.Handler("FormShow", &Tfrm_Registration::FormShow);
    p.Handler("WebBrowser_RegistrationDocumentComplete",
              &Tfrm_Registration::WebBrowser_RegistrationDocumentComplete);
    p.Handler("btn_OKClick", &Tfrm_Registration::btn_OKClick);
    p.Handler("FormClose", &Tfrm_Registration::FormClose);
}
KV_REGISTER_CLASS(Tfrm_Registration)

Tfrm_Registration::Tfrm_Registration(TComponent* AOwner) : TForm(AOwner) {
    InitInheritedComponent();
}

void Tfrm_Registration::FormShow(TObject*) {
    WebBrowser_Registration->Navigate(ServicePages::PageUrl("registration.php?agenting=true"));
}

void Tfrm_Registration::WebBrowser_RegistrationDocumentComplete(TObject*, const IDispatchPtr&,
                                                                const OleVariant& URL) {
    const String url = URL.VarType() == varOleStr ? URL.AsString() : String();
    if (url.find(DoneMarker) != String::npos) pnl_Bottom->SetVisible(true);
}

void Tfrm_Registration::btn_OKClick(TObject*) {
    UnitLogin::frm_Login->rg_WouldLike->SetItemIndex(0);
    Close();
}

void Tfrm_Registration::FormClose(TObject*, TCloseAction&) {
    UnitLogin::frm_Login->rg_WouldLike->SetItemIndex(0);
}

} // namespace UnitRegistration
