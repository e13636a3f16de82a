#include "components/foundation/AdvGDIPBase.h"

#include <cstring>

#include "platform/rtl/Exceptions.h"

namespace AdvGDIP {

gdip::GdiplusStartupInput StartupInput{};
gdip::GdiplusStartupOutput StartupOutput{};
gdip::ULONG_PTR gdiplusToken = 0;

std::int32_t GlowSpeed = 30;

namespace {

// Starts GDI+ once during static initialisation and shuts it down at process end. The start-up result
// is not checked: a wrapper allocation starts GDI+ again when it is not running. This library is always
// linked into the program itself, never loaded as a shared library, so shut-down always happens.
class TGdiplusLifetime {
public:
    TGdiplusLifetime() {
        StartupInput.GdiplusVersion = 1;
        StartupInput.DebugEventCallback = nullptr;
        StartupInput.SuppressBackgroundThread = ~0; // all bits set
        StartupInput.SuppressExternalCodecs = 0;
        StartupOutput = gdip::GdiplusStartupOutput{};
        gdip::GdiplusStartup(&gdiplusToken, &StartupInput, &StartupOutput);
    }
    ~TGdiplusLifetime() { gdip::GdiplusShutdown(gdiplusToken); }
    TGdiplusLifetime(const TGdiplusLifetime&) = delete;
    TGdiplusLifetime& operator=(const TGdiplusLifetime&) = delete;
};

TGdiplusLifetime gdiplusLifetime;

} // namespace

void* TGdiplusBase::operator new(std::size_t size) {
    void* p = gdip::GdipAlloc(size);
    if (p == nullptr) {
        gdip::GdiplusStartup(&gdiplusToken, &StartupInput, &StartupOutput);
        p = gdip::GdipAlloc(size);
    }
    if (p == nullptr) throw vcl::EOutOfMemory("Out of memory");
    std::memset(p, 0, size);
    return p;
}

void TGdiplusBase::operator delete(void* p) noexcept {
    gdip::GdipFree(p);
}

} // namespace AdvGDIP
