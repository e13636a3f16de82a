// The about box.

#include "app/UnitAbout.h"

#include "platform/classes/ClassRegistry.h"

namespace UnitAbout {

using namespace vcl;

Tfrm_About* frm_About = nullptr;

KV_PUBLISHED(Tfrm_About) {
    p.Field("Image1", &Tfrm_About::Image1);
    p.Field("Panel1", &Tfrm_About::Panel1);
    p.Field("Panel2", &Tfrm_About::Panel2);
    p.Field("Button1", &Tfrm_About::Button1);
    p.Handler("Button1Click", &Tfrm_About::Button1Click);
}
KV_REGISTER_CLASS(Tfrm_About)

Tfrm_About::Tfrm_About(TComponent* AOwner) : TForm(AOwner) {
    InitInheritedComponent();
}

void Tfrm_About::Button1Click(TObject*) {
    Close();
}

} // namespace UnitAbout
