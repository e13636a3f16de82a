#include "platform/vcl/GraphicsDecode.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ImageHeader.h"

namespace vcl::graphics {

namespace {

const char* const kInvalidBitmap = "Bitmap image is not valid";

[[noreturn]] void InvalidBitmap() {
    throw EInvalidGraphic(kInvalidBitmap);
}

std::uint32_t ReadU16(const String& d, std::size_t at) {
    return static_cast<std::uint8_t>(d[at]) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(d[at + 1])) << 8);
}

std::uint32_t ReadU32(const String& d, std::size_t at) {
    return ReadU16(d, at) | (ReadU16(d, at + 2) << 16);
}

[[noreturn]] void TooLarge() {
    throw EOutOfResources("Out of system resources");
}

void CheckSize(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) InvalidBitmap();
    if (!DecodedSizeAllowed(width, height)) TooLarge();
}

// Stops feeding the loader once it has announced a size too large: nothing of it is decoded.
void OnSizePrepared(GdkPixbufLoader*, gint width, gint height, gpointer tooLarge) {
    if (!DecodedSizeAllowed(width, height)) *static_cast<bool*>(tooLarge) = true;
}

// One channel of a bit-field pixel, scaled to 0..255.
struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Max = 0;

    explicit TChannel(std::uint32_t mask = 0) : Mask(mask) {
        if (mask == 0) return;
        while (((mask >> Shift) & 1u) == 0)
            ++Shift;
        Max = mask >> Shift;
    }
    std::uint32_t Get(std::uint32_t pixel) const {
        if (Max == 0) return 0;
        return (((pixel & Mask) >> Shift) * 255u + Max / 2) / Max;
    }
};

constexpr std::uint32_t Bgra(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

TDecodedImage DecodeWithPixbuf(const String& data) {
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    std::unique_ptr<GdkPixbufLoader, void (*)(GdkPixbufLoader*)> loaderGuard(
        loader, [](GdkPixbufLoader* l) { g_object_unref(l); });
    bool tooLarge = false;
    g_signal_connect(loader, "size-prepared", G_CALLBACK(OnSizePrepared), &tooLarge);
    GError* error = nullptr;
    bool ok = true;
    constexpr std::size_t kChunk = 4096;
    for (std::size_t at = 0; ok && !tooLarge && at < data.size(); at += kChunk) {
        const std::size_t n = std::min(kChunk, data.size() - at);
        ok = gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(data.data() + at), n, &error);
        g_clear_error(&error);
    }
    if (tooLarge) {
        // Closing a loader in the middle of a file fails; the failure is expected.
        gdk_pixbuf_loader_close(loader, nullptr);
        TooLarge();
    }
    // The loader must always be closed; a failed close means the data was incomplete or wrong.
    bool closed = gdk_pixbuf_loader_close(loader, &error);
    g_clear_error(&error);
    GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    if (tooLarge) TooLarge();
    if (!ok || !closed || pixbuf == nullptr) InvalidBitmap();

    int width = gdk_pixbuf_get_width(pixbuf);
    int height = gdk_pixbuf_get_height(pixbuf);
    CheckSize(width, height);
    int channels = gdk_pixbuf_get_n_channels(pixbuf);
    bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    if (gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels < (alpha ? 4 : 3)) InvalidBitmap();
    int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* bytes = gdk_pixbuf_read_pixels(pixbuf);

    TDecodedImage img;
    img.Width = width;
    img.Height = height;
    img.BitCount = alpha ? 32 : 24;
    img.Pixels.resize(static_cast<std::size_t>(width) * height);
    bool translucent = false;
    for (int y = 0; y < height; ++y) {
        const guchar* row = bytes + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            const guchar* p = row + static_cast<std::ptrdiff_t>(x) * channels;
            std::uint32_t a = alpha ? p[3] : 255u;
            if (a != 255u) translucent = true;
            std::uint32_t r = (p[0] * a + 127) / 255, g = (p[1] * a + 127) / 255, b = (p[2] * a + 127) / 255;
            img.Pixels[static_cast<std::size_t>(y) * width + x] = Bgra(r, g, b, a);
        }
    }
    img.HasAlpha = translucent;
    return img;
}

} // namespace

TImageFileKind DetectImageKind(const String& d) {
    auto starts = [&](const char* magic, std::size_t n) {
        return d.size() >= n && std::memcmp(d.data(), magic, n) == 0;
    };
    if (starts("BM", 2)) return TImageFileKind::Bmp;
    if (starts("\x89PNG\r\n\x1a\n", 8)) return TImageFileKind::Png;
    if (starts("\xff\xd8\xff", 3)) return TImageFileKind::Jpeg;
    if (starts("GIF87a", 6) || starts("GIF89a", 6)) return TImageFileKind::Gif;
    if (starts("\0\0\1\0", 4) || starts("\0\0\2\0", 4)) return TImageFileKind::Ico;
    if (starts("II*\0", 4) || starts("MM\0*", 4)) return TImageFileKind::Tiff;
    return TImageFileKind::Unknown;
}

TDecodedImage DecodeImage(const String& data) {
    // Refused before any decoding: a few bytes can declare a picture of gigabytes.
    if (CheckDeclaredImageSize(data.data(), data.size()) == TDeclaredSize::TooLarge) TooLarge();
    switch (DetectImageKind(data)) {
    case TImageFileKind::Bmp:
        return DecodeBmp(data);
    case TImageFileKind::Ico: {
        String file = data;
        if (!SanitiseIconFile(file.data(), file.size())) InvalidBitmap();
        return DecodeWithPixbuf(file);
    }
    case TImageFileKind::Unknown:
        InvalidBitmap();
    default:
        return DecodeWithPixbuf(data);
    }
}

TDecodedImage DecodeBmp(const String& data, bool bareDib) {
    const std::size_t base = bareDib ? 0 : 14;
    if (!bareDib && (data.size() < 14 || data[0] != 'B' || data[1] != 'M')) InvalidBitmap();
    if (data.size() < base + 12) InvalidBitmap();
    const std::uint32_t headerSize = ReadU32(data, base);
    if (headerSize != 12 && (headerSize < 40 || headerSize > 124)) InvalidBitmap();
    if (data.size() < base + headerSize) InvalidBitmap();

    std::int64_t width, height;
    std::uint32_t bitCount, compression = 0, colorsUsed = 0;
    const bool core = headerSize == 12;
    if (core) {
        width = ReadU16(data, base + 4);
        height = ReadU16(data, base + 6);
        bitCount = ReadU16(data, base + 10);
    } else {
        width = static_cast<std::int32_t>(ReadU32(data, base + 4));
        height = static_cast<std::int32_t>(ReadU32(data, base + 8));
        bitCount = ReadU16(data, base + 14);
        compression = ReadU32(data, base + 16);
        colorsUsed = ReadU32(data, base + 32);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    CheckSize(width, height);

    // Bit fields: inside a version 4/5 header, or following a plain one.
    std::size_t after = base + headerSize;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    if (compression == 3 || compression == 6) {
        int count = compression == 6 ? 4 : 3;
        if (headerSize >= 52) {
            for (int i = 0; i < count && 40u + 4u * i + 4u <= headerSize; ++i)
                masks[i] = ReadU32(data, base + 40 + 4 * i);
        } else {
            if (data.size() < after + 4u * count) InvalidBitmap();
            for (int i = 0; i < count; ++i)
                masks[i] = ReadU32(data, after + 4 * i);
            after += 4u * count;
        }
    } else if (compression != 0) {
        // Run-length encoded and embedded formats go to the general decoder, which wants a file (with a
        // colour count it will not size a table of gigabytes by).
        if (!bareDib) {
            String file = data;
            if (!SanitiseBmpHeader(file.data(), file.size())) InvalidBitmap();
            return DecodeWithPixbuf(file);
        }
        String file = "BM" + String(12, '\0') + data;
        std::uint32_t total = static_cast<std::uint32_t>(file.size());
        const std::uint32_t most = bitCount <= 8 ? 1u << bitCount : 0;
        const std::uint32_t entries = colorsUsed != 0 && colorsUsed < most ? colorsUsed : most;
        std::uint32_t offset = 14 + headerSize + entries * 4;
        for (int i = 0; i < 4; ++i) {
            file[2 + i] = static_cast<char>((total >> (8 * i)) & 0xFF);
            file[10 + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
        }
        if (!SanitiseBmpHeader(file.data(), file.size())) InvalidBitmap();
        return DecodeWithPixbuf(file);
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        InvalidBitmap();
    if ((compression == 3 || compression == 6) && bitCount != 16 && bitCount != 32) InvalidBitmap();

    // Colour table.
    std::vector<std::uint32_t> palette;
    if (bitCount <= 8) {
        // A colour count beyond what the bit depth can index means the full table (the count field
        // is often garbage in files that other readers show without complaint).
        std::uint32_t entries =
            colorsUsed != 0 && colorsUsed < (1u << bitCount) ? colorsUsed : (1u << bitCount);
        const std::size_t entrySize = core ? 3 : 4;
        if (data.size() < after + entries * entrySize) InvalidBitmap();
        for (std::uint32_t i = 0; i < entries; ++i) {
            std::size_t at = after + i * entrySize;
            auto byte = [&](std::size_t k) {
                return static_cast<std::uint32_t>(static_cast<std::uint8_t>(data[at + k]));
            };
            palette.push_back(Bgra(byte(2), byte(1), byte(0), 255));
        }
        after += entries * entrySize;
        palette.resize(std::size_t{1} << bitCount, Bgra(0, 0, 0, 255));
    }

    std::size_t bitsAt = bareDib ? after : ReadU32(data, 10);
    const std::size_t stride = static_cast<std::size_t>((width * bitCount + 31) / 32) * 4;
    if (bitsAt > data.size() || (data.size() - bitsAt) / stride < static_cast<std::size_t>(height))
        InvalidBitmap();

    TChannel red, green, blue, alpha;
    if (compression == 3 || compression == 6) {
        red = TChannel(masks[0]);
        green = TChannel(masks[1]);
        blue = TChannel(masks[2]);
        alpha = TChannel(masks[3]);
    } else if (bitCount == 16) {
        red = TChannel(0x7C00);
        green = TChannel(0x03E0);
        blue = TChannel(0x001F);
    }

    TDecodedImage img;
    img.Width = static_cast<int>(width);
    img.Height = static_cast<int>(height);
    img.BitCount = static_cast<int>(bitCount);
    img.Monochrome =
        bitCount == 1 && ((palette[0] == Bgra(0, 0, 0, 255) && palette[1] == Bgra(255, 255, 255, 255)) ||
                          (palette[1] == Bgra(0, 0, 0, 255) && palette[0] == Bgra(255, 255, 255, 255)));
    img.Pixels.resize(static_cast<std::size_t>(width) * height);
    for (std::int64_t row = 0; row < height; ++row) {
        const auto* src = reinterpret_cast<const std::uint8_t*>(data.data() + bitsAt + row * stride);
        std::int64_t y = topDown ? row : height - 1 - row;
        std::uint32_t* dst = img.Pixels.data() + y * width;
        for (std::int64_t x = 0; x < width; ++x) {
            switch (bitCount) {
            case 1:
                dst[x] = palette[(src[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                dst[x] = palette[(src[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
                break;
            case 8:
                dst[x] = palette[src[x]];
                break;
            case 16: {
                std::uint32_t v = src[2 * x] | (static_cast<std::uint32_t>(src[2 * x + 1]) << 8);
                dst[x] = Bgra(red.Get(v), green.Get(v), blue.Get(v), 255);
                break;
            }
            case 24:
                dst[x] = Bgra(src[3 * x + 2], src[3 * x + 1], src[3 * x], 255);
                break;
            default: {
                std::uint32_t v = src[4 * x] | (static_cast<std::uint32_t>(src[4 * x + 1]) << 8) |
                                  (static_cast<std::uint32_t>(src[4 * x + 2]) << 16) |
                                  (static_cast<std::uint32_t>(src[4 * x + 3]) << 24);
                if (compression == 0)
                    dst[x] = v; // the fourth byte is kept as it stands, as a 32-bit bitmap holds it
                else
                    dst[x] =
                        Bgra(red.Get(v), green.Get(v), blue.Get(v), alpha.Mask != 0 ? alpha.Get(v) : 255);
                break;
            }
            }
        }
    }
    return img;
}

String EncodeBmp(int width, int height, const std::uint32_t* pixels, int bitCount) {
    if (bitCount != 1 && bitCount != 24 && bitCount != 32) bitCount = 24;
    if (width < 0 || height < 0) InvalidBitmap();
    const std::size_t stride =
        static_cast<std::size_t>((static_cast<std::int64_t>(width) * bitCount + 31) / 32) * 4;
    const std::size_t paletteSize = bitCount == 1 ? 8 : 0;
    const std::size_t bitsAt = 14 + 40 + paletteSize;
    const std::size_t total = bitsAt + stride * static_cast<std::size_t>(height);
    String out(total, '\0');
    auto put16 = [&](std::size_t at, std::uint32_t v) {
        out[at] = static_cast<char>(v & 0xFF);
        out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<std::uint32_t>(total));
    put32(10, static_cast<std::uint32_t>(bitsAt));
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    put16(26, 1);
    put16(28, static_cast<std::uint32_t>(bitCount));
    put32(34, static_cast<std::uint32_t>(stride * height));
    put32(38, 3780); // 96 dots per inch
    put32(42, 3780);
    if (bitCount == 1) {
        put32(46, 2);
        put32(54, 0x000000);
        put32(58, 0xFFFFFF);
    }
    for (int y = 0; y < height; ++y) {
        auto* dst = reinterpret_cast<std::uint8_t*>(out.data() + bitsAt +
                                                    static_cast<std::size_t>(height - 1 - y) * stride);
        const std::uint32_t* src = pixels + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = src[x];
            std::uint32_t b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
            if (bitCount == 1) {
                if (r * 299 + g * 587 + b * 114 >= 128000)
                    dst[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            } else if (bitCount == 24) {
                dst[3 * x] = static_cast<std::uint8_t>(b);
                dst[3 * x + 1] = static_cast<std::uint8_t>(g);
                dst[3 * x + 2] = static_cast<std::uint8_t>(r);
            } else {
                std::memcpy(dst + 4 * x, &p, 4);
            }
        }
    }
    return out;
}

} // namespace vcl::graphics
