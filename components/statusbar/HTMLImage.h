#pragma once
// THTMLImage: a graphic control that shows one picture of the picture container's kind, placed by
// PicturePosition (corners, centre, tiled or stretched).

#include <memory>

#include "components/statusbar/PictureContainer.h"
#include "platform/vcl/CustomControl.h"

namespace PictureContainer {

KV_ENUM(TPicturePosition, bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpCenter, bpTiled, bpStretched);

class THTMLImage : public vcl::TGraphicControl {
    KV_CLASS(THTMLImage, vcl::TGraphicControl)
    KV_PUBLISHED_PROPERTIES(THTMLImage)
public:
    // 100 x 100 pixels, the picture at the top-left.
    explicit THTMLImage(vcl::TComponent* AOwner);
    ~THTMLImage() override;

    THTMLPicture* HTMLPicture() const { return FPicture.get(); }
    // Assigns Value to the owned picture and repaints.
    void SetHTMLPicture(THTMLPicture* Value);
    TPicturePosition PicturePosition() const { return FPicturePosition; }
    void SetPicturePosition(TPicturePosition Value);

    // Where the picture is drawn, in client pixels, for each placement but tiling and stretching.
    vcl::TPoint PictureOrigin();

    // The picture's download events, passed on with the image as sender.
    TDownLoadErrorEvent OnDownLoadError;
    TDownLoadCancelEvent OnDownLoadCancel;
    TDownLoadProgressEvent OnDownLoadProgress;
    vcl::TNotifyEvent OnDownLoadComplete;

protected:
    // The picture's size follows the pixels per inch of the device the image is shown on.
    void Loaded() override;
    void Paint() override;

private:
    std::unique_ptr<THTMLPicture> FPicture;
    TPicturePosition FPicturePosition = bpTopLeft;
};

void RegisterHTMLImageClasses();

} // namespace PictureContainer
