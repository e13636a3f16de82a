#include "components/foundation/AdvGDIPImages.h"

#include "components/foundation/AdvGDIPUtf16.h"

namespace AdvGDIP {

namespace {

gdip::GpBitmap* AsBitmap(gdip::GpImage* image) {
    return static_cast<gdip::GpBitmap*>(image);
}

} // namespace

// ---- TGPImage ----

TGPImage::TGPImage(const gdip::WCHAR* filename, bool useEmbeddedColorManagement) {
    lastResult = useEmbeddedColorManagement ? gdip::GdipLoadImageFromFileICM(filename, &nativeImage)
                                            : gdip::GdipLoadImageFromFile(filename, &nativeImage);
}

TGPImage::TGPImage(const vcl::String& filename, bool useEmbeddedColorManagement)
    : TGPImage(Utf8ToUtf16Buffer(filename).data(), useEmbeddedColorManagement) {}

TGPImage::TGPImage(gdip::IStream* stream, bool useEmbeddedColorManagement) {
    lastResult = useEmbeddedColorManagement ? gdip::GdipLoadImageFromStreamICM(stream, &nativeImage)
                                            : gdip::GdipLoadImageFromStream(stream, &nativeImage);
}

TGPImage::TGPImage(gdip::GpImage* nativeImage, Status status)
    : nativeImage(nativeImage), lastResult(status) {}

TGPImage::~TGPImage() {
    gdip::GdipDisposeImage(nativeImage);
}

Status TGPImage::SetStatus(Status status) {
    if (status != Ok && lastResult == Ok) lastResult = status; // the first failure stays until read
    return status;
}

Status TGPImage::GetLastStatus() {
    Status kept = lastResult;
    lastResult = Ok;
    return kept;
}

unsigned TGPImage::GetWidth() {
    gdip::UINT width = 0;
    if (SetStatus(gdip::GdipGetImageWidth(nativeImage, &width)) != Ok) return 0;
    return width;
}

unsigned TGPImage::GetHeight() {
    gdip::UINT height = 0;
    if (SetStatus(gdip::GdipGetImageHeight(nativeImage, &height)) != Ok) return 0;
    return height;
}

TGPImageFormat TGPImage::GetFormat() {
    // The status of the query is not kept; a failed query leaves the identifier zero, which matches
    // no format.
    gdip::GUID format{};
    gdip::GdipGetImageRawFormat(nativeImage, &format);
    if (format == ImageFormatMemoryBMP) return ifMemoryBMP;
    if (format == ImageFormatBMP) return ifBMP;
    if (format == ImageFormatEMF) return ifEMF;
    if (format == ImageFormatWMF) return ifWMF;
    if (format == ImageFormatJPEG) return ifJPEG;
    if (format == ImageFormatGIF) return ifGIF;
    if (format == ImageFormatPNG) return ifPNG;
    if (format == ImageFormatTIFF) return ifTIFF;
    if (format == ImageFormatEXIF) return ifEXIF;
    if (format == ImageFormatIcon) return ifIcon;
    return ifUndefined;
}

Status TGPImage::RotateFlip(RotateFlipType rotateFlipType) {
    return SetStatus(gdip::GdipImageRotateFlip(nativeImage, rotateFlipType));
}

// ---- TGPBitmap ----

TGPBitmap::TGPBitmap(gdip::IStream* stream, bool useEmbeddedColorManagement) {
    gdip::GpBitmap* bitmap = nullptr;
    lastResult = useEmbeddedColorManagement ? gdip::GdipCreateBitmapFromStreamICM(stream, &bitmap)
                                            : gdip::GdipCreateBitmapFromStream(stream, &bitmap);
    SetNativeImage(bitmap);
}

TGPBitmap::TGPBitmap(gdip::GpBitmap* nativeBitmap) {
    SetNativeImage(nativeBitmap);
}

TGPBitmap::TGPBitmap(int width, int height, int format) {
    gdip::GpBitmap* bitmap = nullptr;
    lastResult = gdip::GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap);
    SetNativeImage(bitmap);
}

std::unique_ptr<TGPBitmap> TGPBitmap::FromStream(gdip::IStream* stream, bool useEmbeddedColorManagement) {
    return std::make_unique<TGPBitmap>(stream, useEmbeddedColorManagement);
}

Status TGPBitmap::GetPixel(int x, int y, ARGB& color) {
    return SetStatus(gdip::GdipBitmapGetPixel(AsBitmap(nativeImage), x, y, &color));
}

Status TGPBitmap::SetPixel(int x, int y, ARGB color) {
    return SetStatus(gdip::GdipBitmapSetPixel(AsBitmap(nativeImage), x, y, color));
}

} // namespace AdvGDIP
