#include "platform/vcl/GraphicsCore.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/SysUtils.h"

namespace vcl {

namespace graphics {
// Registers the graphic classes of the framework itself (defined with TPicture).
void RegisterStandardGraphics();
} // namespace graphics

// ---- TGraphic ----

KV_PUBLISHED(TGraphic) {
    p.Binary("Data", &TGraphic::ReadData, &TGraphic::WriteData, [](TGraphic* g) { return !g->Empty(); });
}

void TGraphic::SetModified(bool Value) {
    if (Value)
        Changed(this);
    else
        FModified = false;
}

void TGraphic::Changed(TObject*) {
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName) {
    // Written whole into memory first, so that a failing picture leaves no half file behind.
    TMemoryStream memory;
    SaveToStream(&memory);
    const char* bytes = static_cast<const char*>(memory.Memory());
    WriteFileAtomic(FileName,
                    bytes != nullptr ? String(bytes, static_cast<std::size_t>(memory.Size())) : String());
}

void TGraphic::LoadFromClipboardFormat(Word, THandle, win::HPALETTE) {}

void TGraphic::SaveToClipboardFormat(Word&, THandle&, win::HPALETTE&) {}

void TGraphic::ReadData(TStream* Stream) {
    LoadFromStream(Stream);
}

void TGraphic::WriteData(TStream* Stream) {
    SaveToStream(Stream);
}

// ---- Registry ----

namespace {

struct TGraphicEntry {
    TGraphicClass Class;
    TGraphicFactory Factory;
};

std::mutex& RegistryLock() {
    static std::mutex m;
    return m;
}

std::vector<TGraphicEntry>& Registry() {
    static std::vector<TGraphicEntry> entries;
    return entries;
}

void EnsureStandard() {
    static std::once_flag once;
    std::call_once(once, [] { graphics::RegisterStandardGraphics(); });
}

} // namespace

void RegisterGraphicClass(TGraphicClass Class, TGraphicFactory Factory) {
    if (Class == nullptr || Factory == nullptr) return;
    std::lock_guard<std::mutex> guard(RegistryLock());
    auto& r = Registry();
    auto it = std::find_if(r.begin(), r.end(), [&](const TGraphicEntry& e) { return e.Class == Class; });
    if (it != r.end())
        it->Factory = Factory;
    else
        r.push_back({Class, Factory});
}

bool IsGraphicClassRegistered(TGraphicClass Class) {
    EnsureStandard();
    std::lock_guard<std::mutex> guard(RegistryLock());
    auto& r = Registry();
    return std::any_of(r.begin(), r.end(), [&](const TGraphicEntry& e) { return e.Class == Class; });
}

std::unique_ptr<TGraphic> NewGraphic(TGraphicClass Class) {
    EnsureStandard();
    TGraphicFactory factory = nullptr;
    {
        std::lock_guard<std::mutex> guard(RegistryLock());
        for (const auto& e : Registry())
            if (e.Class == Class) factory = e.Factory;
    }
    if (factory == nullptr)
        throw EInvalidGraphic("Unknown graphic class " + String(Class != nullptr ? Class->Name : "nil"));
    return factory();
}

TGraphicClass FindGraphicClass(const String& ClassName) {
    EnsureStandard();
    std::lock_guard<std::mutex> guard(RegistryLock());
    for (const auto& e : Registry())
        if (SameText(e.Class->Name, ClassName)) return e.Class;
    return nullptr;
}

} // namespace vcl
