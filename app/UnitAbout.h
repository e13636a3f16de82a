#pragma once
// The about box.

#include "platform/vcl/Button.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Label.h"
#include "platform/vcl/Panel.h"

namespace UnitAbout {

using vcl::TObject;

class Tfrm_About : public vcl::TForm {
    KV_CLASS(Tfrm_About, vcl::TForm)
    KV_PUBLISHED_PROPERTIES(Tfrm_About)
public:
    explicit Tfrm_About(vcl::TComponent* AOwner);

    vcl::TImage* Image1 = nullptr;
    vcl::TPanel* Panel1 = nullptr;
    vcl::TPanel* Panel2 = nullptr;
    vcl::TButton* Button1 = nullptr;

    void Button1Click(TObject* Sender);
};

extern Tfrm_About* frm_About;

} // namespace UnitAbout
