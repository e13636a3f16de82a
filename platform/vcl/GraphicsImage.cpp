#include "platform/vcl/GraphicsImage.h"

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/GraphicsDecode.h"

namespace vcl {

TWICImage::TWICImage() : FBitmap(std::make_unique<TBitmap>()) {}

TWICImage::~TWICImage() = default;

void TWICImage::Assign(TPersistent* Source) {
    if (Source == nullptr) {
        FBitmap->Assign(nullptr);
        FData.clear();
        FImageFormat = wifOther;
        Changed(this);
        return;
    }
    if (auto* image = dynamic_cast<TWICImage*>(Source)) {
        if (image == this) return;
        FBitmap->Assign(image->FBitmap.get());
        FData = image->FData;
        FImageFormat = image->FImageFormat;
        Changed(this);
        return;
    }
    TGraphic::Assign(Source);
}

void TWICImage::AssignTo(TPersistent* Dest) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        bitmap->Assign(FBitmap.get());
        return;
    }
    TGraphic::AssignTo(Dest);
}

void TWICImage::LoadFromStream(TStream* Stream) {
    Int64 size = Stream->Size() - Stream->Position();
    String data(static_cast<std::size_t>(std::max<Int64>(size, 0)), '\0');
    if (size > 0) Stream->ReadBuffer(data.data(), size);
    graphics::TDecodedImage img = graphics::DecodeImage(data);
    switch (graphics::DetectImageKind(data)) {
    case graphics::TImageFileKind::Bmp:
        FImageFormat = wifBmp;
        break;
    case graphics::TImageFileKind::Png:
        FImageFormat = wifPng;
        break;
    case graphics::TImageFileKind::Jpeg:
        FImageFormat = wifJpeg;
        break;
    case graphics::TImageFileKind::Gif:
        FImageFormat = wifGif;
        break;
    case graphics::TImageFileKind::Tiff:
        FImageFormat = wifTiff;
        break;
    default:
        FImageFormat = wifOther;
        break;
    }
    FBitmap->SetPixels(img.Width, img.Height, img.Pixels.data(), img.HasAlpha ? afPremultiplied : afIgnored,
                       false);
    FBitmap->SetPixelFormat(img.HasAlpha ? pf32bit : pf24bit);
    FData = std::move(data);
    Changed(this);
}

void TWICImage::SaveToStream(TStream* Stream) {
    if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
}

void TWICImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (ACanvas == nullptr || FBitmap->Empty()) return;
    FBitmap->DrawPart(ACanvas, Rect, Bounds(0, 0, FBitmap->Width(), FBitmap->Height()), false, 0);
}

void TWICImage::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an image");
}

void TWICImage::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an image");
}

} // namespace vcl
