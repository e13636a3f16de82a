#include "platform/vcl/Picture.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/GraphicsDecode.h"
#include "platform/vcl/GraphicsImage.h"
#include "platform/vcl/Icon.h"

namespace vcl {

namespace {

struct TFileFormat {
    String Extension; // lower case, no dot
    String Description;
    TGraphicClass Class;
};

std::mutex& FormatsLock() {
    static std::mutex m;
    return m;
}

std::vector<TFileFormat>& Formats() {
    static std::vector<TFileFormat> formats;
    return formats;
}

String LowerExtension(String ext) {
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    return LowerCase(ext);
}

void AddFormat(const String& ext, const String& description, TGraphicClass cls) {
    std::lock_guard<std::mutex> guard(FormatsLock());
    Formats().push_back({LowerExtension(ext), description, cls});
}

void EnsureFormats() {
    static std::once_flag once;
    std::call_once(once, [] {
        AddFormat("bmp", "Bitmaps", TBitmap::StaticClassType());
        AddFormat("ico", "Icons", TIcon::StaticClassType());
        AddFormat("gif", "GIF Image", TWICImage::StaticClassType());
        AddFormat("png", "Portable Network Graphics", TWICImage::StaticClassType());
        AddFormat("jpeg", "JPEG Image File", TWICImage::StaticClassType());
        AddFormat("jpg", "JPEG Image File", TWICImage::StaticClassType());
    });
}

} // namespace

namespace graphics {
void RegisterStandardGraphics() {
    RegisterGraphicClass<TBitmap>();
    RegisterGraphicClass<TIcon>();
    RegisterGraphicClass<TWICImage>();
}
} // namespace graphics

KV_PUBLISHED(TPicture) {
    p.Binary("Data", &TPicture::ReadData, &TPicture::WriteData,
             [](TPicture* q) { return q->Graphic() != nullptr; });
}

TPicture::TPicture() = default;

TPicture::~TPicture() {
    if (FGraphic) FGraphic->OnChange = nullptr;
}

void TPicture::Changed(TObject*) {
    if (OnChange) OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> Graphic) {
    if (Graphic) Graphic->OnChange = [this](TObject* s) { Changed(s); };
    std::unique_ptr<TGraphic> old = std::move(FGraphic);
    FGraphic = std::move(Graphic);
    if (old) old->OnChange = nullptr;
    old.reset();
    Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (Value == FGraphic.get() && Value != nullptr) return;
    if (Value == nullptr) {
        Take(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy = NewGraphic(Value->ClassType());
    copy->Assign(Value);
    Take(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (dynamic_cast<TBitmap*>(FGraphic.get()) == nullptr) Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::SetBitmap(TBitmap* Value) {
    SetGraphic(Value);
}

TIcon* TPicture::Icon() {
    if (dynamic_cast<TIcon*>(FGraphic.get()) == nullptr) Take(std::make_unique<TIcon>());
    return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::SetIcon(TIcon* Value) {
    SetGraphic(Value);
}

int TPicture::Width() const {
    return FGraphic ? FGraphic->Width() : 0;
}

int TPicture::Height() const {
    return FGraphic ? FGraphic->Height() : 0;
}

void TPicture::LoadFromFile(const String& FileName) {
    // The extension of the file's own name, not of a folder on its path.
    std::size_t slash = FileName.find_last_of('/');
    std::size_t dot = FileName.find_last_of('.');
    String ext =
        (dot != String::npos && (slash == String::npos || dot > slash)) ? FileName.substr(dot + 1) : String();
    TGraphicClass cls = GraphicClassForExtension(ext);
    if (cls == nullptr) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
    std::unique_ptr<TGraphic> graphic = NewGraphic(cls);
    graphic->LoadFromFile(FileName);
    Take(std::move(graphic));
}

void TPicture::SaveToFile(const String& FileName) {
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream* Stream) {
    Int64 size = Stream->Size() - Stream->Position();
    String data(static_cast<std::size_t>(std::max<Int64>(size, 0)), '\0');
    if (size > 0) Stream->ReadBuffer(data.data(), size);
    TGraphicClass cls = nullptr;
    switch (graphics::DetectImageKind(data)) {
    case graphics::TImageFileKind::Bmp:
        cls = TBitmap::StaticClassType();
        break;
    case graphics::TImageFileKind::Ico:
        cls = TIcon::StaticClassType();
        break;
    case graphics::TImageFileKind::Unknown:
        throw EInvalidGraphic("Unknown picture format");
    default:
        cls = TWICImage::StaticClassType();
        break;
    }
    std::unique_ptr<TGraphic> graphic = NewGraphic(cls);
    TStringStream bytes(data);
    graphic->LoadFromStream(&bytes);
    Take(std::move(graphic));
}

void TPicture::SaveToStream(TStream* Stream) {
    if (FGraphic) FGraphic->SaveToStream(Stream);
}

void TPicture::ReadData(TStream* Stream) {
    std::uint8_t length = 0;
    Stream->ReadBuffer(&length, 1);
    String name(length, '\0');
    if (length > 0) Stream->ReadBuffer(name.data(), length);
    if (name.empty()) {
        Take(nullptr);
        return;
    }
    TGraphicClass cls = FindGraphicClass(name);
    if (cls == nullptr) throw EInvalidGraphic("Unknown graphic class " + name);
    std::unique_ptr<TGraphic> graphic = NewGraphic(cls);
    graphic->ReadData(Stream);
    Take(std::move(graphic));
}

void TPicture::WriteData(TStream* Stream) {
    String name = FGraphic ? FGraphic->ClassName() : String();
    if (name.size() > 255) name.resize(255);
    auto length = static_cast<std::uint8_t>(name.size());
    Stream->WriteBuffer(&length, 1);
    if (length > 0) Stream->WriteBuffer(name.data(), length);
    if (FGraphic) FGraphic->WriteData(Stream);
}

void TPicture::Assign(TPersistent* Source) {
    if (Source == nullptr) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        if (picture != this) SetGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(Source);
    }
}

void TPicture::AssignTo(TPersistent* Dest) {
    if (FGraphic && Dest != nullptr && FGraphic->InheritsFrom(Dest->ClassType())) {
        Dest->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(Dest);
}

void TPicture::RegisterFileFormat(const String& AExtension, const String& ADescription,
                                  TGraphicClass AGraphicClass) {
    if (!IsGraphicClassRegistered(AGraphicClass))
        throw EInvalidGraphic("Unknown graphic class " +
                              String(AGraphicClass != nullptr ? AGraphicClass->Name : "nil"));
    EnsureFormats();
    AddFormat(AExtension, ADescription, AGraphicClass);
}

void TPicture::UnregisterGraphicClass(TGraphicClass AClass) {
    EnsureFormats();
    std::lock_guard<std::mutex> guard(FormatsLock());
    auto& f = Formats();
    f.erase(std::remove_if(f.begin(), f.end(), [&](const TFileFormat& e) { return e.Class == AClass; }),
            f.end());
}

TGraphicClass TPicture::GraphicClassForExtension(const String& AExtension) {
    EnsureFormats();
    String ext = LowerExtension(AExtension);
    if (ext.empty()) return nullptr;
    std::lock_guard<std::mutex> guard(FormatsLock());
    const auto& f = Formats();
    for (auto it = f.rbegin(); it != f.rend(); ++it)
        if (it->Extension == ext) return it->Class;
    return nullptr;
}

} // namespace vcl
