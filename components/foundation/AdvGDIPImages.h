#pragma once
// Images and bitmaps, from files, streams or a size and pixel format.

#include <memory>

#include "components/foundation/AdvGDIPBase.h"

namespace AdvGDIP {

class TGPImage : public TGdiplusBase {
    KV_CLASS(TGPImage, TGdiplusBase)
public:
    TGPImage(const gdip::WCHAR* filename, bool useEmbeddedColorManagement = false);
    TGPImage(const vcl::String& filename, bool useEmbeddedColorManagement = false);
    TGPImage(gdip::IStream* stream, bool useEmbeddedColorManagement = false);
    // Takes over the native image and its status.
    TGPImage(gdip::GpImage* nativeImage, Status status);
    ~TGPImage() override;

    // 0 when the query fails.
    unsigned GetWidth();
    unsigned GetHeight();
    // The file format the image was read from; ifUndefined when unknown or when the query fails.
    TGPImageFormat GetFormat();
    Status RotateFlip(RotateFlipType rotateFlipType);

    Status GetLastStatus();

protected:
    TGPImage() = default;
    Status SetStatus(Status status);
    void SetNativeImage(gdip::GpImage* image) { nativeImage = image; }

    gdip::GpImage* nativeImage = nullptr;
    Status lastResult = Ok;

private:
    friend class TGPGraphics;
};

class TGPBitmap : public TGPImage {
    KV_CLASS(TGPBitmap, TGPImage)
public:
    TGPBitmap(gdip::IStream* stream, bool useEmbeddedColorManagement = false);
    // Takes over the native bitmap; the kept status is Ok.
    explicit TGPBitmap(gdip::GpBitmap* nativeBitmap);
    // An uninitialised bitmap of the size and GDI+ pixel format (PixelFormat32bppARGB, ...).
    TGPBitmap(int width, int height, int format = gdip::PixelFormat32bppARGB);

    static std::unique_ptr<TGPBitmap> FromStream(gdip::IStream* stream,
                                                 bool useEmbeddedColorManagement = false);

    Status GetPixel(int x, int y, ARGB& color);
    Status SetPixel(int x, int y, ARGB color);
};

} // namespace AdvGDIP
