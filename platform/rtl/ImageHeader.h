#pragma once
// The size a picture file declares, read from its headers without decoding it, so that both image
// paths (the framework's pictures and GDI+) refuse a picture too large to hold before spending time
// and memory on it.

#include <cstddef>
#include <cstdint>

namespace vcl {

// The largest picture either path decodes: 16 million pixels (64 MB as 32-bit pixels), no side
// above 32767 (the drawing surfaces' limit).
constexpr std::int64_t MaxDecodedPixels = std::int64_t{1} << 24;
constexpr int MaxDecodedSide = 32767;

enum class TDeclaredSize {
    Unknown, // not a format read here, or headers too short to say: the decoder decides
    Allowed, // every size the file declares is within the limits
    TooLarge // some declared size exceeds them
};

// Reads the sizes a BMP, PNG, GIF (the screen and every frame), JPEG, ICO (every entry and the
// picture inside it) or TIFF (the first page) file declares.
TDeclaredSize CheckDeclaredImageSize(const void* Data, std::size_t Size);

// Readies a BMP file for a general decoder, which sizes its buffers by the header's fields whatever they
// say: false when the header size or the offset of the bits cannot be right. A colour count beyond what
// the depth can index (any count above 256) means the full table; it is set to 0, in place.
bool SanitiseBmpHeader(void* Data, std::size_t Size);

// The same for an icon or cursor file: false when an entry's picture lies beyond the file or a bitmap
// inside has a header of no known size; colour counts beyond the depth are set to 0 as above.
bool SanitiseIconFile(void* Data, std::size_t Size);

// True when a picture of Width by Height is within the limits (and not empty).
bool DecodedSizeAllowed(std::int64_t Width, std::int64_t Height);

} // namespace vcl
