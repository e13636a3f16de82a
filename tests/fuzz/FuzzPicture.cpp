// Picture loading through both image paths, the framework's pictures and GDI+: any bytes load or are
// refused (an exception of the picture kinds, a GDI+ status), and what loads can be drawn.

#include <cstring>

#include "platform/gdiplus/GdiPlusFlat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/vcl/Graphics.h"
#include "platform/win/Global.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

void ThroughTheFramework(const std::string& bytes) {
    vcl::TPicture picture;
    vcl::TStringStream stream(bytes);
    try {
        picture.LoadFromStream(&stream);
    } catch (const vcl::EInvalidGraphic&) {
        return;
    } catch (const vcl::EOutOfResources&) {
        return;
    }
    vcl::TBitmap target;
    target.SetSize(24, 24);
    // Painting never raises.
    target.Canvas()->Draw(2, 2, picture.Graphic());
    target.Canvas()->StretchDraw(vcl::Rect(0, 0, 24, 12), picture.Graphic());
}

void ThroughGdiPlus(const std::string& bytes, win::HDC dc) {
    win::HGLOBAL h = win::GlobalAlloc(win::GMEM_MOVEABLE, bytes.size());
    if (h == nullptr) return;
    if (!bytes.empty()) std::memcpy(win::GlobalLock(h), bytes.data(), bytes.size());
    win::GlobalUnlock(h);
    win::IStream* stream = nullptr;
    if (win::CreateStreamOnHGlobal(h, win::TRUE, &stream) != win::S_OK) fuzz::Broken("no stream");
    gdip::GpBitmap* bitmap = nullptr;
    const gdip::GpStatus status = gdip::GdipCreateBitmapFromStream(stream, &bitmap);
    stream->Release();
    if (status != gdip::Ok) {
        if (bitmap != nullptr) fuzz::Broken("a refused picture was returned");
        return;
    }
    gdip::GpGraphics* graphics = nullptr;
    if (gdip::GdipCreateFromHDC(dc, &graphics) == gdip::Ok) {
        gdip::GdipDrawImageRectI(graphics, bitmap, 1, 1, 20, 10);
        gdip::GdipDeleteGraphics(graphics);
    }
    gdip::GdipDisposeImage(bitmap);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static win::HDC dc = [] {
        win::HDC memory = win::CreateCompatibleDC(nullptr);
        win::SelectObject(memory, win::CreateCompatibleBitmap(memory, 24, 24));
        return memory;
    }();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ThroughTheFramework(bytes);
    ThroughGdiPlus(bytes, dc);
    return 0;
}
