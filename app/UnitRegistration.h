#pragma once
// The registration window: the service's sign-up page, with an OK panel once the sign-up is done.

#include "platform/vcl/Button.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Panel.h"
#include "platform/web/WebBrowser.h"

namespace UnitRegistration {

using vcl::TObject;

// The word whose presence in a completed address shows that the sign-up is done.
inline constexpr const char* DoneMarker = "welcome";

class Tfrm_Registration : public vcl::TForm {
    KV_CLASS(Tfrm_Registration, vcl::TForm)
    KV_PUBLISHED_PROPERTIES(Tfrm_Registration)
public:
    explicit Tfrm_Registration(vcl::TComponent* AOwner);

    vcl::TWebBrowser* WebBrowser_Registration = nullptr;
    vcl::TPanel* pnl_Bottom = nullptr;
    vcl::TButton* btn_OK = nullptr;

    void FormShow(TObject* Sender);
    void WebBrowser_RegistrationDocumentComplete(TObject* Sender, const vcl::IDispatchPtr& pDisp,
                                                 const vcl::OleVariant& URL);
    void btn_OKClick(TObject* Sender);
    void FormClose(TObject* Sender, vcl::TCloseAction& Action);
};

extern Tfrm_Registration* frm_Registration;

} // namespace UnitRegistration
