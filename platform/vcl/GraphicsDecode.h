#pragma once
// Decoding and encoding of picture files: BMP by hand (so that the bit depth and the monochrome
// palette are known), PNG, JPEG, GIF, ICO and the rest through gdk-pixbuf.

#include <cstdint>
#include <vector>

#include "platform/rtl/Types.h"

namespace vcl::graphics {

// A decoded picture: rows top-down, each pixel 0xAARRGGBB (blue, green, red, alpha in memory
// order, as a 32-bit device-independent bitmap holds them). When HasAlpha is set the colour
// channels are premultiplied by alpha; otherwise the alpha byte carries no meaning.
struct TDecodedImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
    bool HasAlpha = false;
    int BitCount = 32;       // bits per pixel of the source, when it says so (BMP); else 24 or 32
    bool Monochrome = false; // a 1-bit picture whose palette is black and white
};

enum class TImageFileKind { Unknown, Bmp, Png, Jpeg, Gif, Ico, Tiff };

// Recognises a picture by its first bytes.
TImageFileKind DetectImageKind(const String& data);

// Decodes any supported file. Raises EInvalidGraphic "Bitmap image is not valid" for data that is
// no picture, and EOutOfResources for a picture too large to hold.
TDecodedImage DecodeImage(const String& data);

// Decodes a BMP file, or a bare device-independent bitmap (header and bits without the file
// header) when `bareDib` is set. Raises EInvalidGraphic "Bitmap image is not valid".
TDecodedImage DecodeBmp(const String& data, bool bareDib = false);

// Writes a BMP file, bottom-up rows: 1 bit per pixel (black and white palette; pixels darker than
// mid-grey are black), 24 bits, or 32 bits (alpha byte written as held).
String EncodeBmp(int width, int height, const std::uint32_t* pixels, int bitCount);

// Largest side accepted for a created picture, and the largest pixel count. Decoded pictures have the
// lower limits of platform/rtl/ImageHeader.h, checked against the sizes their files declare first.
constexpr int MaxImageSide = 32768;
constexpr std::int64_t MaxImagePixels = std::int64_t{1} << 28;

} // namespace vcl::graphics
