#pragma once
// TWICImage: a picture in one of the platform's codec formats (PNG, JPEG, GIF, BMP, TIFF), decoded
// through the imaging library. The file's bytes are kept and written back unchanged; the decoded
// pixels are drawn with their alpha channel.

#include <memory>

#include "platform/vcl/Bitmap.h"

namespace vcl {

enum TWICImageFormat { wifBmp, wifPng, wifJpeg, wifGif, wifTiff, wifWMPhoto, wifOther };

class TWICImage : public TGraphic {
    KV_CLASS(TWICImage, TGraphic)
public:
    TWICImage();
    ~TWICImage() override;

    // A TWICImage source is copied; null empties the image.
    void Assign(TPersistent* Source) override;

    // The format of the data read (wifOther while empty).
    TWICImageFormat ImageFormat() const { return FImageFormat; }

    // Unknown or broken data raises EInvalidGraphic "Bitmap image is not valid" and keeps the image.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    // The size is the picture's own: EInvalidGraphicOperation "Cannot change the size of an image".
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

protected:
    // A TBitmap destination receives the decoded pixels.
    void AssignTo(TPersistent* Dest) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool GetEmpty() override { return FBitmap->Empty(); }
    int GetWidth() override { return FBitmap->Width(); }
    int GetHeight() override { return FBitmap->Height(); }

private:
    std::unique_ptr<TBitmap> FBitmap;
    String FData;
    TWICImageFormat FImageFormat = wifOther;
};

} // namespace vcl
