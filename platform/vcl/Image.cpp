#include "platform/vcl/Image.h"

#include "platform/classes/ClassRegistry.h"

namespace vcl {

KV_PUBLISHED(TImage) {
    p.Bool("AutoSize", &TImage::FAutoSize, &TImage::SetAutoSize, false);
    p.Bool("Center", &TImage::FCenter, &TImage::SetCenter, false);
    p.Object("Picture", &TImage::FPicture);
    p.Bool("Proportional", &TImage::FProportional, &TImage::SetProportional, false);
    p.Bool("Stretch", &TImage::FStretch, &TImage::SetStretch, false);
    p.Bool("Transparent", &TImage::FTransparent, &TImage::SetTransparent, false);
}

KV_REGISTER_CLASS(TImage)

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
    FControlStyle.Include(csReplicatable);
    FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
    FPicture->OnChange = nullptr;
}

TRect TImage::DestRect() {
    int w = FPicture->Width();
    int h = FPicture->Height();
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            // Scale to fit, keeping the proportions; the longer side decides first.
            const double aspect = static_cast<double>(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<int>(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = static_cast<int>(ch * aspect);
                }
            } else {
                h = ch;
                w = static_cast<int>(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = static_cast<int>(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r{0, 0, w, h};
    if (FCenter) r = stdctrls::Offset(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint() {
    TGraphic* g = FPicture->Graphic();
    if (g == nullptr || g->Empty()) return;
    TRect r = DestRect();
    if (r.Width() == g->Width() && r.Height() == g->Height())
        Canvas()->Draw(r.Left, r.Top, g);
    else
        Canvas()->StretchDraw(r, g);
}

void TImage::PictureChanged(TObject*) {
    TGraphic* g = FPicture->Graphic();
    if (g != nullptr) {
        if (FTransparent != g->Transparent()) g->SetTransparent(FTransparent);
        if (FAutoSize && g->Width() > 0 && g->Height() > 0) SetBounds(Left(), Top(), g->Width(), g->Height());
    }
    Invalidate();
}

void TImage::SetStretch(bool Value) {
    if (FStretch == Value) return;
    FStretch = Value;
    Invalidate();
}

void TImage::SetProportional(bool Value) {
    if (FProportional == Value) return;
    FProportional = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value) {
    if (FCenter == Value) return;
    FCenter = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    PictureChanged(this);
}

void TImage::SetAutoSize(bool Value) {
    FAutoSize = Value;
    if (Value) PictureChanged(this);
}

} // namespace vcl
