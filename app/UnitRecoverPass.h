#pragma once
// The password-recovery window: the service's lost-password page.

#include "platform/vcl/Forms.h"
#include "platform/web/WebBrowser.h"

namespace UnitRecoverPass {

using vcl::TObject;

class Tfrm_RecoverPass : public vcl::TForm {
    KV_CLASS(Tfrm_RecoverPass, vcl::TForm)
    KV_PUBLISHED_PROPERTIES(Tfrm_RecoverPass)
public:
    explicit Tfrm_RecoverPass(vcl::TComponent* AOwner);

    vcl::TWebBrowser* WebBrowser1 = nullptr;

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, vcl::TCloseAction& Action);
};

extern Tfrm_RecoverPass* frm_RecoverPass;

} // namespace UnitRecoverPass
