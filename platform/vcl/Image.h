#pragma once
// TImage: a windowless control showing a picture, at its own size from the top-left corner, centred,
// stretched to the control, or scaled keeping its proportions.

#include <memory>

#include "platform/vcl/Label.h"
#include "platform/vcl/Picture.h"

namespace vcl {

class TImage : public TGraphicControl {
    KV_CLASS(TImage, TGraphicControl)
    KV_PUBLISHED_PROPERTIES(TImage)
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    // Scales the picture down to fit, keeping its proportions (with Stretch also up).
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Resizes the control to the picture whenever the picture changes.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) override;

    // Where the picture is drawn, in client coordinates.
    TRect DestRect();

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* Sender);

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FProportional = false;
    bool FCenter = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

} // namespace vcl
