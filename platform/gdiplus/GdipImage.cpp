// Images and bitmaps: decoding through gdk-pixbuf into premultiplied ARGB32 Cairo surfaces.

#include <algorithm>
#include <cstring>
#include <fstream>
#include <new>

#include "platform/gdiplus/GdipInternal.h"
#include "platform/rtl/ImageHeader.h"

// glib headers after ours: they define TRUE and FALSE as macros.
#include <gdk-pixbuf/gdk-pixbuf.h>

namespace gdip {

namespace detail {

BitmapImpl::~BitmapImpl() {
    if (surface) cairo_surface_destroy(surface);
}

BitmapImpl* MakeBitmap(cairo_surface_t* surface, const GUID& raw, PixelFormat format) {
    auto* b = new (std::nothrow) BitmapImpl;
    if (!b) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    b->surface = surface;
    b->rawFormat = raw;
    b->format = format;
    return b;
}

} // namespace detail

namespace {

using detail::AsBitmap;
using detail::BitmapImpl;
using vcl::CheckDeclaredImageSize;
using vcl::DecodedSizeAllowed;
using vcl::TDeclaredSize;

constexpr int kMaxSide = 32767;                            // Cairo's limit for image surfaces
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28; // 1 GiB of ARGB32
constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

cairo_surface_t* NewSurface(int w, int h) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return s;
}

std::uint32_t* Row(cairo_surface_t* s, int y) {
    return reinterpret_cast<std::uint32_t*>(
        cairo_image_surface_get_data(s) + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(s));
}

std::uint32_t Premultiply(ARGB c) {
    const std::uint32_t a = c >> 24;
    auto mul = [a](std::uint32_t v) { return (v * a + 127) / 255; };
    return (a << 24) | (mul((c >> 16) & 0xFF) << 16) | (mul((c >> 8) & 0xFF) << 8) | mul(c & 0xFF);
}

ARGB Unpremultiply(std::uint32_t p) {
    const std::uint32_t a = p >> 24;
    if (a == 0) return 0;
    auto div = [a](std::uint32_t v) { return std::min<std::uint32_t>(255, (v * 255 + a / 2) / a); };
    return (a << 24) | (div((p >> 16) & 0xFF) << 16) | (div((p >> 8) & 0xFF) << 8) | div(p & 0xFF);
}

struct Signature {
    const char* loader;
    const GUID* format;
};

// Identifies the formats GDI+ decodes by their leading bytes; anything else is not an image to us.
bool Identify(const std::vector<std::uint8_t>& d, Signature& sig) {
    auto starts = [&d](std::initializer_list<int> bytes) {
        if (d.size() < bytes.size()) return false;
        std::size_t i = 0;
        for (int b : bytes)
            if (d[i++] != static_cast<std::uint8_t>(b)) return false;
        return true;
    };
    if (starts({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}))
        sig = {"png", &ImageFormatPNG};
    else if (starts({0xFF, 0xD8, 0xFF}))
        sig = {"jpeg", &ImageFormatJPEG};
    else if (starts({'G', 'I', 'F', '8'}))
        sig = {"gif", &ImageFormatGIF};
    else if (starts({'B', 'M'}) && d.size() >= 26)
        sig = {"bmp", &ImageFormatBMP};
    else if (starts({0, 0, 1, 0}) && d.size() >= 22)
        sig = {"ico", &ImageFormatIcon};
    else if (starts({'I', 'I', 42, 0}) || starts({'M', 'M', 0, 42}))
        sig = {"tiff", &ImageFormatTIFF};
    else
        return false;
    return true;
}

// The loader announces the size before it decodes; past the limits nothing more is fed to it.
void OnSizePrepared(GdkPixbufLoader*, gint width, gint height, gpointer tooBig) {
    if (!DecodedSizeAllowed(width, height)) *static_cast<bool*>(tooBig) = true;
}

GpStatus Decode(const std::vector<std::uint8_t>& data, BitmapImpl** out) {
    *out = nullptr;
    Signature sig{};
    if (!Identify(data, sig)) return UnknownImageFormat;
    // Refused before any decoding: a few bytes can declare a picture of gigabytes.
    if (CheckDeclaredImageSize(data.data(), data.size()) == TDeclaredSize::TooLarge) return OutOfMemory;
    // The decoder sizes its buffers by a bitmap header's fields, whatever they say.
    std::vector<std::uint8_t> sane;
    if (sig.format == &ImageFormatBMP || sig.format == &ImageFormatIcon) {
        sane = data;
        const bool ok = sig.format == &ImageFormatBMP ? vcl::SanitiseBmpHeader(sane.data(), sane.size())
                                                      : vcl::SanitiseIconFile(sane.data(), sane.size());
        if (!ok) return OutOfMemory; // a damaged file of a known format
    }
    const std::vector<std::uint8_t>& bytes = sane.empty() ? data : sane;
    GError* err = nullptr;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type(sig.loader, &err);
    if (!loader) {
        g_clear_error(&err);
        return UnknownImageFormat;
    }
    bool tooBig = false;
    g_signal_connect(loader, "size-prepared", G_CALLBACK(OnSizePrepared), &tooBig);
    bool written = true;
    constexpr std::size_t kChunk = 4096;
    for (std::size_t at = 0; written && !tooBig && at < bytes.size(); at += kChunk) {
        const std::size_t n = std::min(kChunk, bytes.size() - at);
        written = gdk_pixbuf_loader_write(loader, bytes.data() + at, n, &err) != FALSE;
        g_clear_error(&err);
    }
    const bool closed = gdk_pixbuf_loader_close(loader, &err) != FALSE;
    g_clear_error(&err);
    GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    GpStatus status = Ok;
    cairo_surface_t* surface = nullptr;
    bool alpha = false;
    if (tooBig) {
        status = OutOfMemory;
    } else if (!written || !closed || !pixbuf || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 ||
               gdk_pixbuf_get_colorspace(pixbuf) != GDK_COLORSPACE_RGB) {
        status = OutOfMemory; // a damaged file of a known format: GDI+'s answer
    } else {
        const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
        const int channels = gdk_pixbuf_get_n_channels(pixbuf), rowstride = gdk_pixbuf_get_rowstride(pixbuf);
        alpha = gdk_pixbuf_get_has_alpha(pixbuf) != FALSE;
        surface = DecodedSizeAllowed(w, h) && (channels == 3 || channels == 4) ? NewSurface(w, h) : nullptr;
        if (!surface) {
            status = OutOfMemory;
        } else {
            const guint8* pixels = gdk_pixbuf_read_pixels(pixbuf);
            cairo_surface_flush(surface);
            for (int y = 0; y < h; ++y) {
                const guint8* src = pixels + static_cast<std::ptrdiff_t>(y) * rowstride;
                std::uint32_t* dst = Row(surface, y);
                for (int x = 0; x < w; ++x, src += channels) {
                    const ARGB a = channels == 4 ? src[3] : 255;
                    dst[x] = Premultiply((a << 24) | (ARGB{src[0]} << 16) | (ARGB{src[1]} << 8) | src[2]);
                }
            }
            cairo_surface_mark_dirty(surface);
        }
    }
    g_object_unref(loader);
    if (status != Ok) return status;
    // As GDI+ reports decoded images: with an alpha channel 32-bit ARGB, without one 24-bit RGB.
    const PixelFormat format = alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;
    *out = detail::MakeBitmap(surface, *sig.format, format);
    return *out ? Ok : OutOfMemory;
}

GpStatus ReadStream(IStream* stream, std::vector<std::uint8_t>& data) {
    if (!stream) return InvalidParameter;
    std::uint8_t chunk[65536];
    for (;;) {
        win::ULONG got = 0;
        if (win::FAILED(stream->Read(chunk, sizeof chunk, &got))) return GenericError;
        if (got == 0) break;
        if (data.size() + got > kMaxFileBytes) return OutOfMemory;
        data.insert(data.end(), chunk, chunk + got);
    }
    return Ok;
}

GpStatus ReadFile(const WCHAR* filename, std::vector<std::uint8_t>& data) {
    if (!filename) return InvalidParameter;
    const std::string path = detail::Utf16ToUtf8(filename, -1);
    if (path.empty()) return InvalidParameter;
    std::ifstream in(path, std::ios::binary);
    if (!in) return FileNotFound;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return FileNotFound; // a folder or something unreadable
    if (static_cast<std::uint64_t>(size) > kMaxFileBytes) return OutOfMemory;
    in.seekg(0);
    data.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size)) return Win32Error;
    return Ok;
}

template <typename Out> GpStatus Load(GpStatus read, const std::vector<std::uint8_t>& data, Out** out) {
    if (read != Ok) return read;
    BitmapImpl* b = nullptr;
    const GpStatus s = Decode(data, &b);
    *out = b;
    return s;
}

int BytesPerPixel(PixelFormat f) {
    switch (f) {
    case PixelFormat24bppRGB:
        return 3;
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB:
    case PixelFormat32bppPARGB:
        return 4;
    default:
        return 0;
    }
}

bool HasAlpha(PixelFormat f) {
    return (f & (PixelFormatAlpha | PixelFormatPAlpha)) != 0;
}

} // namespace

GpStatus GdipLoadImageFromFile(const WCHAR* filename, GpImage** image) {
    if (!image) return InvalidParameter;
    *image = nullptr;
    std::vector<std::uint8_t> data;
    return Load(ReadFile(filename, data), data, image);
}

GpStatus GdipLoadImageFromFileICM(const WCHAR* filename, GpImage** image) {
    return GdipLoadImageFromFile(filename, image);
}

GpStatus GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap** bitmap) {
    if (!bitmap) return InvalidParameter;
    *bitmap = nullptr;
    std::vector<std::uint8_t> data;
    return Load(ReadFile(filename, data), data, bitmap);
}

GpStatus GdipLoadImageFromStream(IStream* stream, GpImage** image) {
    if (!image) return InvalidParameter;
    *image = nullptr;
    std::vector<std::uint8_t> data;
    return Load(ReadStream(stream, data), data, image);
}

GpStatus GdipLoadImageFromStreamICM(IStream* stream, GpImage** image) {
    return GdipLoadImageFromStream(stream, image);
}

GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
    if (!bitmap) return InvalidParameter;
    *bitmap = nullptr;
    std::vector<std::uint8_t> data;
    return Load(ReadStream(stream, data), data, bitmap);
}

GpStatus GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap) {
    return GdipCreateBitmapFromStream(stream, bitmap);
}

GpStatus GdipDisposeImage(GpImage* image) {
    if (!image) return InvalidParameter;
    delete image;
    return Ok;
}

GpStatus GdipCloneImage(GpImage* image, GpImage** cloneImage) {
    auto* src = AsBitmap(image);
    if (!src || !cloneImage) return InvalidParameter;
    *cloneImage = nullptr;
    const int w = cairo_image_surface_get_width(src->surface),
              h = cairo_image_surface_get_height(src->surface);
    cairo_surface_t* s = NewSurface(w, h);
    if (!s) return OutOfMemory;
    cairo_surface_flush(src->surface);
    cairo_surface_flush(s);
    for (int y = 0; y < h; ++y)
        std::memcpy(Row(s, y), Row(src->surface, y), static_cast<std::size_t>(w) * 4);
    cairo_surface_mark_dirty(s);
    *cloneImage = detail::MakeBitmap(s, src->rawFormat, src->format);
    return *cloneImage ? Ok : OutOfMemory;
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width) {
    auto* b = AsBitmap(image);
    if (!b || !width) return InvalidParameter;
    *width = static_cast<UINT>(cairo_image_surface_get_width(b->surface));
    return Ok;
}

GpStatus GdipGetImageHeight(GpImage* image, UINT* height) {
    auto* b = AsBitmap(image);
    if (!b || !height) return InvalidParameter;
    *height = static_cast<UINT>(cairo_image_surface_get_height(b->surface));
    return Ok;
}

GpStatus GdipGetImageRawFormat(GpImage* image, GUID* format) {
    auto* b = AsBitmap(image);
    if (!b || !format) return InvalidParameter;
    *format = b->rawFormat;
    return Ok;
}

GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format) {
    auto* b = AsBitmap(image);
    if (!b || !format) return InvalidParameter;
    *format = b->format;
    return Ok;
}

GpStatus GdipImageRotateFlip(GpImage* image, RotateFlipType rfType) {
    auto* b = AsBitmap(image);
    if (!b || rfType < RotateNoneFlipNone || rfType > Rotate270FlipX) return InvalidParameter;
    const int w = cairo_image_surface_get_width(b->surface), h = cairo_image_surface_get_height(b->surface);
    const int turn = rfType & 3;
    const bool flipX = (rfType & 4) != 0;
    const int nw = (turn & 1) ? h : w, nh = (turn & 1) ? w : h;
    cairo_surface_t* s = NewSurface(nw, nh);
    if (!s) return OutOfMemory;
    cairo_surface_flush(b->surface);
    cairo_surface_flush(s);
    for (int dy = 0; dy < nh; ++dy) {
        std::uint32_t* dst = Row(s, dy);
        for (int dx = 0; dx < nw; ++dx) {
            const int rx = flipX ? nw - 1 - dx : dx; // undo the flip, which follows the turn
            int sx = rx, sy = dy;
            switch (turn) {
            case 1:
                sx = dy, sy = h - 1 - rx;
                break; // 90 degrees clockwise
            case 2:
                sx = w - 1 - rx, sy = h - 1 - dy;
                break;
            case 3:
                sx = w - 1 - dy, sy = rx;
                break; // 270 degrees clockwise
            default:
                break;
            }
            dst[dx] = Row(b->surface, sy)[sx];
        }
    }
    cairo_surface_mark_dirty(s);
    cairo_surface_destroy(b->surface);
    b->surface = s;
    return Ok;
}

GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap) {
    if (!bitmap) return InvalidParameter;
    *bitmap = nullptr;
    if (width <= 0 || height <= 0) return InvalidParameter;
    if (width > kMaxSide || height > kMaxSide) return InvalidParameter;
    if (static_cast<std::int64_t>(width) * height > kMaxPixels) return OutOfMemory;
    switch (format) {
    case PixelFormat16bppRGB555:
    case PixelFormat16bppRGB565:
    case PixelFormat16bppARGB1555:
    case PixelFormat24bppRGB:
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB:
    case PixelFormat32bppPARGB:
    case PixelFormat48bppRGB:
    case PixelFormat64bppARGB:
    case PixelFormat64bppPARGB:
        break;
    case PixelFormat1bppIndexed:
    case PixelFormat4bppIndexed:
    case PixelFormat8bppIndexed:
    case PixelFormat16bppGrayScale:
        return NotImplemented;
    default:
        return InvalidParameter;
    }
    const int bpp = BytesPerPixel(format);
    if (scan0) {
        if (bpp == 0) return NotImplemented;
        const std::int64_t minStride = static_cast<std::int64_t>(width) * bpp;
        if (stride % 4 != 0 || std::abs(static_cast<std::int64_t>(stride)) < minStride)
            return InvalidParameter;
    }
    cairo_surface_t* s = NewSurface(width, height);
    if (!s) return OutOfMemory;
    cairo_surface_flush(s);
    const bool alpha = HasAlpha(format);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* dst = Row(s, y);
        if (!scan0) {
            // Fresh bitmaps are transparent black; formats without alpha are opaque black.
            std::fill(dst, dst + width, alpha ? 0u : 0xFF000000u);
            continue;
        }
        const BYTE* src = scan0 + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x, src += bpp) {
            const ARGB rgb = (ARGB{src[2]} << 16) | (ARGB{src[1]} << 8) | src[0];
            if (format == PixelFormat32bppPARGB) {
                const std::uint32_t a = src[3];
                auto clampTo = [a](std::uint32_t v) { return std::min(v, a); };
                dst[x] = (a << 24) | (clampTo(src[2]) << 16) | (clampTo(src[1]) << 8) | clampTo(src[0]);
            } else if (format == PixelFormat32bppARGB) {
                dst[x] = Premultiply((ARGB{src[3]} << 24) | rgb);
            } else {
                dst[x] = 0xFF000000u | rgb;
            }
        }
    }
    cairo_surface_mark_dirty(s);
    BitmapImpl* b = detail::MakeBitmap(s, ImageFormatMemoryBMP, format);
    *bitmap = b;
    return b ? Ok : OutOfMemory;
}

GpStatus GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color) {
    auto* b = AsBitmap(bitmap);
    if (!b || !color) return InvalidParameter;
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(b->surface) ||
        y >= cairo_image_surface_get_height(b->surface))
        return InvalidParameter;
    cairo_surface_flush(b->surface);
    *color = Unpremultiply(Row(b->surface, y)[x]);
    return Ok;
}

GpStatus GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color) {
    auto* b = AsBitmap(bitmap);
    if (!b) return InvalidParameter;
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(b->surface) ||
        y >= cairo_image_surface_get_height(b->surface))
        return InvalidParameter;
    if (!HasAlpha(b->format)) color |= 0xFF000000u;
    cairo_surface_flush(b->surface);
    Row(b->surface, y)[x] = Premultiply(color);
    cairo_surface_mark_dirty_rectangle(b->surface, x, y, 1, 1);
    return Ok;
}

GpStatus GdipSaveImageToFile(GpImage* image, const WCHAR* filename, const CLSID* clsidEncoder,
                             const EncoderParameters*) {
    auto* b = AsBitmap(image);
    if (!b || !filename || !clsidEncoder) return InvalidParameter;
    const std::string path = detail::Utf16ToUtf8(filename, -1);
    if (path.empty()) return InvalidParameter;
    return cairo_surface_write_to_png(b->surface, path.c_str()) == CAIRO_STATUS_SUCCESS ? Ok : Win32Error;
}

} // namespace gdip
