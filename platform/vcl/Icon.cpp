#include "platform/vcl/Icon.h"

#include <utility>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/GraphicsDecode.h"

namespace vcl {

using namespace win;

namespace {

// A one-image 32-bit ICO file of premultiplied pixels.
String EncodeIco(const IconRecord& icon) {
    if (icon.Width <= 0 || icon.Height <= 0 || icon.Width > 256 || icon.Height > 256)
        throw EInvalidGraphic("Icon image is not valid");
    const std::size_t w = static_cast<std::size_t>(icon.Width), h = static_cast<std::size_t>(icon.Height);
    const std::size_t maskStride = ((w + 31) / 32) * 4;
    const std::size_t imageSize = 40 + w * h * 4 + maskStride * h;
    String out(6 + 16 + imageSize, '\0');
    auto put16 = [&](std::size_t at, std::uint32_t v) {
        out[at] = static_cast<char>(v & 0xFF);
        out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    put16(2, 1); // icon
    put16(4, 1); // one image
    out[6] = static_cast<char>(w == 256 ? 0 : w);
    out[7] = static_cast<char>(h == 256 ? 0 : h);
    put16(10, 1);
    put16(12, 32);
    put32(14, static_cast<std::uint32_t>(imageSize));
    put32(18, 22);
    const std::size_t hdr = 22;
    put32(hdr, 40);
    put32(hdr + 4, static_cast<std::uint32_t>(w));
    put32(hdr + 8, static_cast<std::uint32_t>(h * 2));
    put16(hdr + 12, 1);
    put16(hdr + 14, 32);
    put32(hdr + 20, static_cast<std::uint32_t>(w * h * 4 + maskStride * h));
    const std::size_t colors = hdr + 40, mask = colors + w * h * 4;
    for (std::size_t y = 0; y < h; ++y) {
        std::size_t row = h - 1 - y; // rows bottom-up
        for (std::size_t x = 0; x < w; ++x) {
            std::uint32_t p = icon.Pixels[y * w + x];
            std::uint32_t a = p >> 24;
            auto straight = [a](std::uint32_t c) {
                return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a);
            };
            std::size_t at = colors + (row * w + x) * 4;
            out[at] = static_cast<char>(straight(p & 0xFF));
            out[at + 1] = static_cast<char>(straight((p >> 8) & 0xFF));
            out[at + 2] = static_cast<char>(straight((p >> 16) & 0xFF));
            out[at + 3] = static_cast<char>(a);
            if (a == 0) out[mask + row * maskStride + x / 8] |= static_cast<char>(0x80 >> (x % 8));
        }
    }
    return out;
}

} // namespace

TIcon::TIcon() = default;

TIcon::~TIcon() {
    if (FHandle != nullptr) DestroyIcon(FHandle);
}

void TIcon::Replace(HICON Handle, String Data) {
    HICON old = std::exchange(FHandle, Handle);
    FData = std::move(Data);
    if (old != nullptr && old != Handle) DestroyIcon(old);
    Changed(this);
}

void TIcon::Assign(TPersistent* Source) {
    if (Source == nullptr) {
        Replace(nullptr, String());
        return;
    }
    if (auto* icon = dynamic_cast<TIcon*>(Source)) {
        if (icon == this) return;
        HICON copy = icon->FHandle != nullptr ? CopyIcon(icon->FHandle) : nullptr;
        if (icon->FHandle != nullptr && copy == nullptr) throw EOutOfResources("Out of system resources");
        Replace(copy, icon->FData);
        return;
    }
    TGraphic::Assign(Source);
}

void TIcon::SetHandle(HICON Value) {
    if (Value == FHandle) return;
    Replace(Value, String());
}

HICON TIcon::ReleaseHandle() {
    HICON h = std::exchange(FHandle, nullptr);
    FData.clear();
    Changed(this);
    return h;
}

void TIcon::LoadFromStream(TStream* Stream) {
    Int64 size = Stream->Size() - Stream->Position();
    String data(static_cast<std::size_t>(std::max<Int64>(size, 0)), '\0');
    if (size > 0) Stream->ReadBuffer(data.data(), size);
    if (graphics::DetectImageKind(data) != graphics::TImageFileKind::Ico)
        throw EInvalidGraphic("Icon image is not valid");
    graphics::TDecodedImage img;
    try {
        img = graphics::DecodeImage(data);
    } catch (const EInvalidGraphic&) {
        throw EInvalidGraphic("Icon image is not valid");
    }
    // Without an alpha channel every pixel counts.
    if (!img.HasAlpha)
        for (auto& p : img.Pixels)
            p |= 0xFF000000u;
    HICON h = win::detail::CreateIconFromPixels(img.Width, img.Height, img.Pixels.data(), true, POINT{0, 0});
    if (h == nullptr) throw EOutOfResources("Out of system resources");
    Replace(h, std::move(data));
}

void TIcon::SaveToStream(TStream* Stream) {
    if (FHandle == nullptr) return;
    String data = FData.empty() ? EncodeIco(*FHandle) : FData;
    Stream->WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

int TIcon::GetWidth() {
    return FHandle != nullptr ? FHandle->Width : 0;
}

int TIcon::GetHeight() {
    return FHandle != nullptr ? FHandle->Height : 0;
}

void TIcon::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (FHandle == nullptr || ACanvas == nullptr) return;
    DrawIconEx(ACanvas->Handle(), Rect.Left, Rect.Top, FHandle, Rect.Width(), Rect.Height(), 0, nullptr,
               DI_NORMAL);
}

} // namespace vcl
