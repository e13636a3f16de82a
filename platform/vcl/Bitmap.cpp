#include "platform/vcl/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Resources.h"
#include "platform/vcl/GraphicsDecode.h"

namespace vcl {

using namespace win;

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

constexpr std::uint32_t PixelOf(COLORREF c) {
    return graphics::PixelOfColorRef(c);
}
constexpr COLORREF RefOf(std::uint32_t pixel) {
    return graphics::ColorRefOfPixel(pixel);
}

bool IsLight(std::uint32_t p) {
    std::uint32_t b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
    return r * 299 + g * 587 + b * 114 >= 128000;
}

// A 32-bit top-down section of the given size.
HBITMAP CreateSection(int width, int height, std::uint32_t** bits) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (h == nullptr || p == nullptr) {
        if (h != nullptr) DeleteObject(h);
        throw EOutOfResources("Out of system resources");
    }
    *bits = static_cast<std::uint32_t*>(p);
    return h;
}

String ReadRest(TStream* Stream) {
    Int64 size = Stream->Size() - Stream->Position();
    if (size <= 0) return String();
    String data(static_cast<std::size_t>(size), '\0');
    Stream->ReadBuffer(data.data(), size);
    return data;
}

TPixelFormat FormatOfDepth(int bits) {
    switch (bits) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        return pf16bit;
    case 24:
        return pf24bit;
    case 32:
        return pf32bit;
    default:
        return pfDevice;
    }
}

} // namespace

// ---- TBitmapCanvas ----

TBitmapCanvas::~TBitmapCanvas() {
    FreeContext();
}

void TBitmapCanvas::CreateHandle() {
    if (FDC != nullptr) return;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) throw EOutOfResources("Out of system resources");
    HBITMAP bmp = FBitmap->Handle();
    if (bmp != nullptr) FOldBitmap = SelectObject(dc, bmp);
    FDC = dc;
    SetHandle(dc);
}

void TBitmapCanvas::FreeContext() {
    if (FDC == nullptr) return;
    SetHandle(nullptr);
    if (FOldBitmap != nullptr) SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
    FDC = nullptr;
    FOldBitmap = nullptr;
}

// ---- TBitmap ----

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight) {
    SetSize(AWidth, AHeight);
}

TBitmap::~TBitmap() {
    FreeContext();
    FCanvas.reset();
    if (FHandle != nullptr) DeleteObject(FHandle);
}

void TBitmap::FreeContext() {
    if (FCanvas) FCanvas->FreeContext();
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(this);
        FCanvas->OnChange = [this](TObject* s) { Changed(s); };
    }
    return FCanvas.get();
}

HBITMAP TBitmap::Handle() {
    return FHandle;
}

std::uint32_t TBitmap::FillPixel() {
    return PixelOf(graphics::ToColorRef(FCanvas ? FCanvas->Brush()->Color() : clWhite));
}

void TBitmap::Reallocate(int AWidth, int AHeight, bool KeepPixels, std::uint32_t Fill) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth > graphics::MaxImageSide || AHeight > graphics::MaxImageSide ||
        static_cast<std::int64_t>(AWidth) * AHeight > graphics::MaxImagePixels)
        throw EOutOfResources("Out of system resources");

    HBITMAP handle = nullptr;
    std::uint32_t* bits = nullptr;
    if (AWidth > 0 && AHeight > 0) {
        handle = CreateSection(AWidth, AHeight, &bits);
        std::fill_n(bits, static_cast<std::size_t>(AWidth) * AHeight, Fill);
    }
    FreeContext();
    if (KeepPixels && bits != nullptr && FBits != nullptr) {
        GdiFlush();
        int w = std::min(AWidth, FWidth), h = std::min(AHeight, FHeight);
        for (int y = 0; y < h; ++y)
            std::memcpy(bits + static_cast<std::size_t>(y) * AWidth,
                        FBits + static_cast<std::size_t>(y) * FWidth, static_cast<std::size_t>(w) * 4);
    }
    if (FHandle != nullptr) DeleteObject(FHandle);
    FHandle = handle;
    FBits = bits;
    FWidth = AWidth;
    FHeight = AHeight;
}

void TBitmap::SetSize(int AWidth, int AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == FWidth && AHeight == FHeight) return;
    Reallocate(AWidth, AHeight, true, FillPixel());
    Changed(this);
}

void TBitmap::LoadPixels(int AWidth, int AHeight, const std::uint32_t* Pixels) {
    Reallocate(AWidth, AHeight, false, 0);
    if (FBits != nullptr && Pixels != nullptr)
        std::memcpy(FBits, Pixels, static_cast<std::size_t>(AWidth) * AHeight * 4);
}

void TBitmap::SetPixels(int AWidth, int AHeight, const std::uint32_t* Pixels, TAlphaFormat Alpha, bool Mono) {
    LoadPixels(AWidth, AHeight, Pixels);
    FAlphaFormat = Alpha;
    FMonochrome = Mono;
    if (Mono) FPixelFormat = pf1bit;
    Changed(this);
}

std::uint32_t* TBitmap::PixelData() {
    if (FBits != nullptr) GdiFlush();
    return FBits;
}

void TBitmap::Assign(TPersistent* Source) {
    if (Source == nullptr) {
        Reallocate(0, 0, false, 0);
        Changed(this);
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        if (b == this) return;
        LoadPixels(b->FWidth, b->FHeight, b->PixelData());
        FPixelFormat = b->FPixelFormat;
        FMonochrome = b->FMonochrome;
        FAlphaFormat = b->FAlphaFormat;
        FTransparentMode = b->FTransparentMode;
        FTransparentColor = b->FTransparentColor;
        FTransparent = b->FTransparent;
        Changed(this);
        return;
    }
    TGraphic::Assign(Source);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == FPixelFormat) return;
    if (Value == pf1bit) {
        SetMonochrome(true);
        return;
    }
    FPixelFormat = Value;
    FMonochrome = false;
    if (Value != pf32bit) FAlphaFormat = afIgnored;
    Changed(this);
}

void TBitmap::SetMonochrome(bool Value) {
    if (Value == FMonochrome) return;
    FMonochrome = Value;
    if (Value) {
        if (std::uint32_t* p = PixelData())
            for (std::size_t i = 0, n = static_cast<std::size_t>(FWidth) * FHeight; i < n; ++i)
                p[i] = IsLight(p[i]) ? 0xFFFFFFFFu : kOpaque;
        FPixelFormat = pf1bit;
        FAlphaFormat = afIgnored;
    } else if (FPixelFormat == pf1bit) {
        FPixelFormat = pfDevice;
    }
    Changed(this);
}

void TBitmap::SetAlphaFormat(TAlphaFormat Value) {
    if (Value == FAlphaFormat) return;
    FAlphaFormat = Value;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (Value == FTransparentMode) return;
    if (Value == tmAuto) FTransparentColor = clDefault;
    FTransparentMode = Value;
    Changed(this);
}

TColor TBitmap::TransparentColor() {
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    std::uint32_t* p = PixelData();
    if (p == nullptr) return clDefault;
    return static_cast<TColor>(RefOf(p[static_cast<std::size_t>(FHeight - 1) * FWidth]));
}

void TBitmap::SetTransparentColor(TColor Value) {
    if (Value == FTransparentColor && (Value == clDefault || FTransparentMode == tmFixed)) return;
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed(this);
}

void* TBitmap::ScanLine(int Row) {
    if (FPixelFormat != pf32bit) throw EInvalidGraphicOperation("Scan lines need a 32-bit pixel format");
    if (Row < 0 || Row >= FHeight || FBits == nullptr)
        throw EInvalidGraphicOperation("Scan line index out of range");
    return PixelData() + static_cast<std::size_t>(Row) * FWidth;
}

void TBitmap::LoadFromBytes(const String& Data, bool BareDib) {
    if (Data.empty()) {
        Reallocate(0, 0, false, 0);
        FMonochrome = false;
        FAlphaFormat = afIgnored;
        Changed(this);
        return;
    }
    // Decoded completely before anything changes, so bad data leaves the bitmap as it was.
    graphics::TDecodedImage img = BareDib ? graphics::DecodeBmp(Data, true) : graphics::DecodeImage(Data);
    LoadPixels(img.Width, img.Height, img.Pixels.data());
    FMonochrome = img.Monochrome;
    FPixelFormat = img.Monochrome ? pf1bit : img.HasAlpha ? pf32bit : FormatOfDepth(img.BitCount);
    FAlphaFormat = img.HasAlpha ? afPremultiplied : afIgnored;
    Changed(this);
}

void TBitmap::LoadFromStream(TStream* Stream) {
    LoadFromBytes(ReadRest(Stream), false);
}

void TBitmap::SaveToStream(TStream* Stream) {
    if (GetEmpty()) return;
    int bits = FMonochrome ? 1 : FPixelFormat == pf32bit ? 32 : 24;
    String data = graphics::EncodeBmp(FWidth, FHeight, PixelData(), bits);
    Stream->WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

void TBitmap::LoadFromResourceName(const void*, const String& ResName) {
    String data = LoadResourceBytes(ResName, RT_BITMAP);
    bool bare = !(data.size() >= 2 && data[0] == 'B' && data[1] == 'M');
    LoadFromBytes(data, bare);
}

void TBitmap::ReadData(TStream* Stream) {
    std::uint8_t size[4];
    Stream->ReadBuffer(size, 4);
    Int64 n = size[0] | (size[1] << 8) | (size[2] << 16) | (static_cast<Int64>(size[3]) << 24);
    if (n > Stream->Size() - Stream->Position()) throw EReadError("Stream read error");
    String data(static_cast<std::size_t>(n), '\0');
    if (n > 0) Stream->ReadBuffer(data.data(), n);
    LoadFromBytes(data, false);
}

void TBitmap::WriteData(TStream* Stream) {
    TMemoryStream memory;
    SaveToStream(&memory);
    auto n = static_cast<std::uint32_t>(memory.Size());
    std::uint8_t size[4] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                            static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
    Stream->WriteBuffer(size, 4);
    if (n > 0) Stream->WriteBuffer(memory.Memory(), n);
}

void TBitmap::Changed(TObject* Sender) {
    TGraphic::Changed(Sender);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (GetEmpty() || ACanvas == nullptr) return;
    bool transparent = Transparent();
    COLORREF key = transparent ? graphics::ToColorRef(TransparentColor()) : 0;
    DrawPart(ACanvas, Rect, Bounds(0, 0, FWidth, FHeight), transparent, key);
}

void TBitmap::DrawPart(TCanvas* ACanvas, const TRect& Dest, const TRect& Source, bool Transparent,
                       COLORREF Key) {
    if (ACanvas == nullptr || GetEmpty() || Dest.IsEmpty() || Source.IsEmpty()) return;
    // Keep to the bitmap; the destination shrinks with the source.
    TRect src{std::max(Source.Left, 0), std::max(Source.Top, 0), std::min(Source.Right, FWidth),
              std::min(Source.Bottom, FHeight)};
    if (src.IsEmpty()) return;
    TRect dst{Dest.Left + graphics::MulDiv(src.Left - Source.Left, Dest.Width(), Source.Width()),
              Dest.Top + graphics::MulDiv(src.Top - Source.Top, Dest.Height(), Source.Height()),
              Dest.Right - graphics::MulDiv(Source.Right - src.Right, Dest.Width(), Source.Width()),
              Dest.Bottom - graphics::MulDiv(Source.Bottom - src.Bottom, Dest.Height(), Source.Height())};
    if (dst.IsEmpty()) return;

    ACanvas->RequiredState({csHandleValid});
    HDC dc = ACanvas->FHandle;

    if (!Transparent && !FMonochrome && FAlphaFormat == afIgnored) {
        Canvas()->RequiredState({csHandleValid});
        StretchBlt(dc, dst.Left, dst.Top, dst.Width(), dst.Height(), FCanvas->FHandle, src.Left, src.Top,
                   src.Width(), src.Height(), static_cast<DWORD>(ACanvas->CopyMode()));
        return;
    }

    // Compose the part as premultiplied pixels: left-out pixels get no alpha, monochrome ones the
    // destination's text and background colours.
    const std::uint32_t* pixels = PixelData();
    const int w = src.Width(), h = src.Height();
    std::vector<std::uint32_t> part(static_cast<std::size_t>(w) * h);
    std::uint32_t* bits = part.data();
    std::uint32_t fore = PixelOf(GetTextColor(dc)), back = PixelOf(GetBkColor(dc));
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(src.Top + y) * FWidth + src.Left;
        std::uint32_t* out = bits + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            std::uint32_t p = row[x];
            if (Transparent && (RefOf(p) & 0xFFFFFFu) == Key) {
                out[x] = 0;
            } else if (FMonochrome) {
                out[x] = IsLight(p) ? back : fore;
            } else if (FAlphaFormat == afPremultiplied) {
                out[x] = p;
            } else if (FAlphaFormat == afDefined) {
                std::uint32_t a = p >> 24;
                auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
                out[x] =
                    (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
            } else {
                out[x] = p | kOpaque;
            }
        }
    }
    graphics::BlendPixels(dc, dst, w, h, bits);
}

void graphics::BlendPixels(HDC DC, const TRect& Dest, int Width, int Height, const std::uint32_t* Pixels) {
    if (DC == nullptr || Width <= 0 || Height <= 0 || Dest.IsEmpty()) return;
    std::uint32_t* bits = nullptr;
    HBITMAP part = CreateSection(Width, Height, &bits);
    std::memcpy(bits, Pixels, static_cast<std::size_t>(Width) * Height * 4);
    HDC partDC = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(partDC, part);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(DC, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), partDC, 0, 0, Width, Height, blend);
    SelectObject(partDC, old);
    DeleteDC(partDC);
    DeleteObject(part);
}

} // namespace vcl
