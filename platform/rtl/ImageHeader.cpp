#include "platform/rtl/ImageHeader.h"

#include <cstring>

namespace vcl {

namespace {

// A bounds-checked view of the file: reads past the end give `ok = false` and zero.
class Bytes {
public:
    Bytes(const void* data, std::size_t size) : FData(static_cast<const std::uint8_t*>(data)), FSize(size) {}

    std::size_t Size() const { return FSize; }
    bool Has(std::size_t at, std::size_t n) const { return at <= FSize && n <= FSize - at; }
    std::uint32_t U8(std::size_t at) {
        if (!Has(at, 1)) return Fail();
        return FData[at];
    }
    std::uint32_t Le16(std::size_t at) { return Has(at, 2) ? FData[at] | (FData[at + 1] << 8) : Fail(); }
    std::uint32_t Be16(std::size_t at) { return Has(at, 2) ? (FData[at] << 8) | FData[at + 1] : Fail(); }
    std::uint32_t Le32(std::size_t at) { return Has(at, 4) ? Le16(at) | (Le16(at + 2) << 16) : Fail(); }
    std::uint32_t Be32(std::size_t at) { return Has(at, 4) ? (Be16(at) << 16) | Be16(at + 2) : Fail(); }
    bool StartsWith(std::size_t at, const char* magic, std::size_t n) const {
        return Has(at, n) && std::memcmp(FData + at, magic, n) == 0;
    }
    bool Ok() const { return FOk; }

private:
    std::uint32_t Fail() {
        FOk = false;
        return 0;
    }
    const std::uint8_t* FData;
    std::size_t FSize;
    bool FOk = true;
};

// Collects the declared sizes; the answer is the worst of them.
class Verdict {
public:
    void Size(std::int64_t w, std::int64_t h) {
        if (!DecodedSizeAllowed(w < 0 ? -w : w, h < 0 ? -h : h)) FTooLarge = true;
        FAny = true;
    }
    TDeclaredSize Result(const Bytes& b) const {
        if (FTooLarge) return TDeclaredSize::TooLarge;
        return FAny && b.Ok() ? TDeclaredSize::Allowed : TDeclaredSize::Unknown;
    }

private:
    bool FTooLarge = false;
    bool FAny = false;
};

// A device-independent bitmap header at `at` (a BMP file's second header, or an icon's picture,
// whose height counts the mask too).
void DibSize(Bytes& b, std::size_t at, bool iconHeight, Verdict& v) {
    const std::uint32_t header = b.Le32(at);
    if (!b.Ok()) return;
    std::int64_t w, h;
    if (header == 12) {
        w = b.Le16(at + 4);
        h = b.Le16(at + 6);
    } else {
        w = static_cast<std::int32_t>(b.Le32(at + 4));
        h = static_cast<std::int32_t>(b.Le32(at + 8));
    }
    if (!b.Ok()) return;
    if (iconHeight) h /= 2;
    v.Size(w, h);
}

// The first chunk (at `at`, after the signature) is the header: length, "IHDR", width, height.
void PngSize(Bytes& b, std::size_t at, Verdict& v) {
    if (!b.StartsWith(at + 4, "IHDR", 4)) return;
    const std::int64_t w = b.Be32(at + 8), h = b.Be32(at + 12);
    if (b.Ok()) v.Size(w, h);
}

// The logical screen and each frame (whose right and bottom edges must fit too, as frames are drawn
// into a picture of the larger size).
void GifSize(Bytes& b, Verdict& v) {
    v.Size(b.Le16(6), b.Le16(8));
    const std::uint32_t flags = b.U8(10);
    std::size_t at = 13 + ((flags & 0x80) ? 3u * (2u << (flags & 7)) : 0u);
    auto skipBlocks = [&] {
        for (;;) {
            const std::uint32_t n = b.U8(at);
            if (!b.Ok()) return false;
            ++at;
            if (n == 0) return true;
            at += n;
        }
    };
    while (b.Ok() && at < b.Size()) {
        const std::uint32_t kind = b.U8(at);
        if (kind == 0x3B) break; // trailer
        if (kind == 0x21) {      // extension: label, then data blocks
            at += 2;
            if (!skipBlocks()) break;
        } else if (kind == 0x2C) { // image descriptor
            const std::int64_t left = b.Le16(at + 1), top = b.Le16(at + 3);
            const std::int64_t w = b.Le16(at + 5), h = b.Le16(at + 7);
            const std::uint32_t local = b.U8(at + 9);
            if (!b.Ok()) break;
            v.Size(left + w, top + h);
            at += 10 + ((local & 0x80) ? 3u * (2u << (local & 7)) : 0u) + 1; // + the code size byte
            if (!skipBlocks()) break;
        } else {
            break;
        }
    }
}

// The first start-of-frame marker gives the size; markers before it are skipped by their length.
void JpegSize(Bytes& b, Verdict& v) {
    std::size_t at = 2;
    while (b.Has(at, 4)) {
        if (b.U8(at) != 0xFF) return;
        const std::uint32_t marker = b.U8(at + 1);
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return; // scan or end before any frame
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            const std::int64_t h = b.Be16(at + 5), w = b.Be16(at + 7);
            if (b.Ok()) v.Size(w, h);
            return;
        }
        at += 2 + b.Be16(at + 2);
    }
}

void IcoSize(Bytes& b, Verdict& v) {
    const std::uint32_t count = b.Le16(4);
    for (std::uint32_t i = 0; i < count && b.Ok(); ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        const std::uint32_t w = b.U8(entry), h = b.U8(entry + 1);
        const std::uint32_t offset = b.Le32(entry + 12);
        if (!b.Ok()) return;
        v.Size(w == 0 ? 256 : w, h == 0 ? 256 : h);
        if (b.StartsWith(offset, "\x89PNG\r\n\x1a\n", 8)) {
            PngSize(b, offset + std::size_t{8}, v);
        } else if (b.Has(offset, 12)) {
            Bytes inner = b; // a damaged picture inside does not make the directory unreadable
            DibSize(inner, offset, true, v);
        }
    }
}

void TiffSize(Bytes& b, Verdict& v) {
    const bool little = b.StartsWith(0, "II", 2);
    auto u16 = [&](std::size_t at) { return little ? b.Le16(at) : b.Be16(at); };
    auto u32 = [&](std::size_t at) { return little ? b.Le32(at) : b.Be32(at); };
    const std::size_t ifd = u32(4);
    const std::uint32_t count = u16(ifd);
    std::int64_t w = -1, h = -1;
    for (std::uint32_t i = 0; i < count && b.Ok(); ++i) {
        const std::size_t e = ifd + 2 + 12 * static_cast<std::size_t>(i);
        const std::uint32_t tag = u16(e), type = u16(e + 2);
        if (tag != 256 && tag != 257) continue;
        const std::int64_t value = type == 3 ? u16(e + 8) : u32(e + 8); // SHORT or LONG
        (tag == 256 ? w : h) = value;
    }
    if (b.Ok() && w >= 0 && h >= 0) v.Size(w, h);
}

bool KnownDibHeader(std::uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

// A colour count beyond what the depth indexes, in the device-independent bitmap header at `dib`,
// becomes 0 (the full table).
void ClampColourCount(std::uint8_t* d, Bytes& b, std::size_t dib) {
    const std::uint32_t bits = b.Le16(dib + 14), colours = b.Le32(dib + 32);
    const std::uint32_t most = bits >= 1 && bits <= 8 ? 1u << bits : 256u;
    if (b.Ok() && colours > most) std::memset(d + dib + 32, 0, 4);
}

} // namespace

bool SanitiseBmpHeader(void* Data, std::size_t Size) {
    Bytes b(Data, Size);
    if (!b.StartsWith(0, "BM", 2)) return false;
    const std::uint32_t offset = b.Le32(10), header = b.Le32(14);
    if (!b.Ok() || !KnownDibHeader(header) || !b.Has(14, header) || offset < 14 + header || offset > Size)
        return false;
    if (header != 12) ClampColourCount(static_cast<std::uint8_t*>(Data), b, 14);
    return b.Ok();
}

bool SanitiseIconFile(void* Data, std::size_t Size) {
    Bytes b(Data, Size);
    const std::uint32_t count = b.Le16(4);
    if (!b.Ok() || count == 0) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        const std::uint32_t bytes = b.Le32(entry + 8), offset = b.Le32(entry + 12);
        if (!b.Ok() || !b.Has(offset, bytes)) return false;
        if (b.StartsWith(offset, "\x89PNG", 4)) continue;
        const std::uint32_t header = b.Le32(offset);
        if (!b.Ok() || header == 12 || !KnownDibHeader(header) || header > bytes) return false;
        ClampColourCount(static_cast<std::uint8_t*>(Data), b, offset);
    }
    return b.Ok();
}

bool DecodedSizeAllowed(std::int64_t Width, std::int64_t Height) {
    return Width > 0 && Height > 0 && Width <= MaxDecodedSide && Height <= MaxDecodedSide &&
           Width * Height <= MaxDecodedPixels;
}

TDeclaredSize CheckDeclaredImageSize(const void* Data, std::size_t Size) {
    Bytes b(Data, Size);
    Verdict v;
    if (b.StartsWith(0, "BM", 2))
        DibSize(b, 14, false, v);
    else if (b.StartsWith(0, "\x89PNG\r\n\x1a\n", 8))
        PngSize(b, 8, v);
    else if (b.StartsWith(0, "GIF8", 4))
        GifSize(b, v);
    else if (b.StartsWith(0, "\xff\xd8\xff", 3))
        JpegSize(b, v);
    else if (b.StartsWith(0, "\0\0\1\0", 4) || b.StartsWith(0, "\0\0\2\0", 4))
        IcoSize(b, v);
    else if (b.StartsWith(0, "II*\0", 4) || b.StartsWith(0, "MM\0*", 4))
        TiffSize(b, v);
    else
        return TDeclaredSize::Unknown;
    return v.Result(b);
}

} // namespace vcl
