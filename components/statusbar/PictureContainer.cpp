#include "components/statusbar/PictureContainer.h"

#include "components/foundation/AdvVersion.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsDecode.h"

namespace PictureContainer {

using namespace vcl;

namespace {

int Word16(const String& D, size_t At) {
    return static_cast<unsigned char>(D[At]) | (static_cast<unsigned char>(D[At + 1]) << 8);
}

// A graphic control extension (0x21 0xF9 0x04) whose image descriptor (0x2C) follows at p + 8. The match
// also needs the descriptor's four 16-bit values (p + 9 .. p + 16) inside the data: a short tail of
// truncated data is no frame.
bool FrameAt(const String& D, size_t p) {
    return p + 17 <= D.size() && static_cast<unsigned char>(D[p]) == 0x21 &&
           static_cast<unsigned char>(D[p + 1]) == 0xF9 && static_cast<unsigned char>(D[p + 2]) == 0x04 &&
           static_cast<unsigned char>(D[p + 8]) == 0x2C;
}

int MulDiv96(int Pixels, int PixelsPerInch) {
    return static_cast<int>((static_cast<long long>(Pixels) * PixelsPerInch + 48) / 96);
}

String ReadAll(TStream* Stream) {
    String bytes;
    Int64 size = Stream->Size() - Stream->Position();
    if (size <= 0) return bytes;
    bytes.resize(static_cast<size_t>(size));
    Int64 got = Stream->Read(bytes.data(), size);
    bytes.resize(static_cast<size_t>(got < 0 ? 0 : got));
    return bytes;
}

} // namespace

// ---- THTMLPicture

// The picture's bytes are the graphic's "Data"; the frame is read after them, so that a layout selects
// the frame of the bytes it has just given.
KV_PUBLISHED(THTMLPicture) {
    using P = THTMLPicture;
    p.Bool("Stretch", &P::FStretch, &P::SetStretch, false);
    p.Int("Frame", &P::FFrame, &P::SetFrame, 1);
    p.Event("OnFrameChange", &P::OnFrameChange);
    p.Event("OnDownLoadError", &P::OnDownLoadError);
    p.Event("OnDownLoadCancel", &P::OnDownLoadCancel);
    p.Event("OnDownLoadProgress", &P::OnDownLoadProgress);
    p.Event("OnDownLoadComplete", &P::OnDownLoadComplete);
}

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Clear() {
    FData.clear();
    FFrameData.clear();
    FPicture.reset();
    FEmpty = true;
    FFrameCount = -1;
    FNextFrameTime = -1;
    FTicks = -1;
    FFrame = 1;
    FFrameTransparent = false;
    FFrameDisposal = 0;
}

void THTMLPicture::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<THTMLPicture*>(Source);
    String data = s != nullptr ? s->FData : String();
    Clear();
    if (s == nullptr || data.empty()) return;
    FData = std::move(data);
    FEmpty = false;
    LoadPicture();
    Changed(this);
}

void THTMLPicture::LoadFromBytes(const String& Bytes) {
    FData = Bytes;
    FFrameCount = -1;
    FEmpty = false;
    LoadPicture();
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
    if (Stream == nullptr) return;
    LoadFromBytes(ReadAll(Stream));
    Changed(this);
}

void THTMLPicture::ReadData(TStream* Stream) {
    if (Stream == nullptr) return;
    LoadFromBytes(ReadAll(Stream));
}

void THTMLPicture::SaveToStream(TStream* Stream) {
    if (Stream != nullptr && !FData.empty()) Stream->Write(FData.data(), static_cast<Int64>(FData.size()));
}

void THTMLPicture::WriteData(TStream* Stream) {
    SaveToStream(Stream);
}

void THTMLPicture::LoadFromFile(const String& FileName) {
    try {
        TFileStream file(FileName, fmOpenRead);
        LoadFromStream(&file);
    } catch (const Exception&) {
        Clear();
    }
}

void THTMLPicture::LoadFromURL(const String& URL) {
    const String upper = UpperCase(URL.substr(0, 7));
    if (upper.rfind("RES://", 0) == 0) {
        if (URL.size() <= 6) return;
        FID = URL;
        LoadFromResourceName(nullptr, URL.substr(6));
    } else if (upper == "FILE://") {
        if (URL.size() <= 7) return;
        FID = URL;
        LoadFromFile(URL.substr(7));
    } else if (FAsynch) {
        // Web addresses are recorded only: nothing is fetched, the picture stays empty.
        if (FThreadBusy) return;
        FAddress = URL;
        FThreadBusy = true;
        TDownLoadThread::Start(this);
    } else {
        FAddress = URL;
        FID = URL;
    }
}

void THTMLPicture::SetPixelsPerInch(int X, int Y) {
    FPPIX = X;
    FPPIY = Y;
}

void THTMLPicture::DownLoadError(const String& Err) {
    if (OnDownLoadError) OnDownLoadError(this, Err);
}

void THTMLPicture::DownLoadComplete() {
    if (OnDownLoadComplete) OnDownLoadComplete(this);
}

void THTMLPicture::DownLoadCancel(bool& Cancel) {
    if (OnDownLoadCancel) OnDownLoadCancel(this, Cancel);
}

void THTMLPicture::DownLoadProgress(std::uint32_t DwSize, std::uint32_t DwTotSize) {
    if (OnDownLoadProgress) OnDownLoadProgress(this, DwSize, DwTotSize);
}

void TDownLoadThread::Start(THTMLPicture* Picture) {
    TDownLoadThread thread(Picture);
    thread.Execute();
}

void THTMLPicture::LoadFromResourceName(const void*, const String& Name) {
    if (!ResourceExists(Name, TResType(RT_RCDATA))) return;
    LoadFromBytes(LoadResourceBytes(Name, TResType(RT_RCDATA)));
    Changed(this);
}

void THTMLPicture::LoadFromResourceID(const void* Instance, int ResID) {
    TResourceStream rs(Instance, ResID, TResType(RT_RCDATA));
    LoadFromStream(&rs);
}

void THTMLPicture::LoadPicture() {
    FFrameLeft = FFrameTop = FFrameWidth = FFrameHeight = 0;
    FLogicalWidth = FLogicalHeight = 0;
    if (!IsGIFFile() || GetFrameCount() < 1) {
        FFrameData = FData;
    } else {
        if (FData.size() >= 10) {
            FLogicalWidth = Word16(FData, 6);
            FLogicalHeight = Word16(FData, 8);
        }
        // Keeps the bytes before the first frame and those from the selected frame on.
        FFrameData.clear();
        FFrameData.reserve(FData.size());
        bool copy = true;
        int frame = 1;
        for (size_t p = 0; p < FData.size(); ++p) {
            if (FrameAt(FData, p)) {
                if (frame == FFrame) {
                    FFrameLeft = Word16(FData, p + 9);
                    FFrameTop = Word16(FData, p + 11);
                    FFrameWidth = Word16(FData, p + 13);
                    FFrameHeight = Word16(FData, p + 15);
                }
                ++frame;
                copy = FFrame < frame;
            }
            if (copy) FFrameData += FData[p];
        }
    }
    FPicture.reset();
    graphics::TDecodedImage image;
    try {
        image = graphics::DecodeImage(FFrameData);
    } catch (const Exception&) {
        throw Exception("Could not load image. Invalid format");
    }
    if (image.Width <= 0 || image.Height <= 0) throw Exception("Could not load image");
    FPicture = std::make_unique<TBitmap>();
    FPicture->SetPixels(image.Width, image.Height, image.Pixels.data(),
                        image.HasAlpha ? afPremultiplied : afIgnored, image.Monochrome);
}

// The decoded picture's pixels are those of a 96 pixels-per-inch device.
int THTMLPicture::GetWidth() {
    return FPicture != nullptr ? MulDiv96(FPicture->Width(), FPPIX) : 0;
}

int THTMLPicture::GetHeight() {
    return FPicture != nullptr ? MulDiv96(FPicture->Height(), FPPIY) : 0;
}

int THTMLPicture::GetMaxWidth() {
    if (FPicture == nullptr) return 0;
    return FLogicalWidth > 0 ? FLogicalWidth : GetWidth();
}

int THTMLPicture::GetMaxHeight() {
    if (FPicture == nullptr) return 0;
    return FLogicalHeight > 0 ? FLogicalHeight : GetHeight();
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (FEmpty || FPicture == nullptr) return;
    if (FStretch)
        ACanvas->StretchDraw(Rect, FPicture.get());
    else
        ACanvas->Draw(Rect.Left, Rect.Top, FPicture.get());
}

bool THTMLPicture::IsGIFFile() const {
    return FData.size() >= 5 && FData.compare(0, 4, "GIF8") == 0;
}

int THTMLPicture::GetFrameCount() {
    if (FFrameCount != -1) return FFrameCount;
    if (!IsGIFFile()) return -1;
    int count = 0;
    for (size_t p = 0; p < FData.size(); ++p)
        if (FrameAt(FData, p)) ++count;
    FFrameCount = count;
    return count;
}

void THTMLPicture::SetFrame(int Value) {
    FFrame = Value;
    if (FData.empty()) return;
    LoadPicture();
    if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext() {
    SetFrame(FFrame >= GetFrameCount() ? 1 : FFrame + 1);
}

void THTMLPicture::FramePrev() {
    SetFrame(FFrame < 2 ? GetFrameCount() : FFrame - 1);
}

int THTMLPicture::GetFrameTime(int n) {
    int match = 0;
    for (size_t p = 0; p < FData.size(); ++p) {
        if (!FrameAt(FData, p)) continue;
        if (++match != n) continue;
        // The graphic control extension's packed byte: the transparent flag in bit 0, the disposal method
        // in bits 2 to 4.
        const auto packed = static_cast<unsigned char>(FData[p + 3]);
        FFrameTransparent = (packed & 0x01) != 0;
        FFrameDisposal = (packed >> 2) & 0x07;
        return Word16(FData, p + 4);
    }
    return -1;
}

bool THTMLPicture::Step() {
    if (FEmpty || GetFrameCount() < 2) return false;
    bool advanced = false;
    if (FTicks * 10 >= FNextFrameTime) {
        FrameNext();
        int delay = GetFrameTime(FFrame);
        FNextFrameTime = (FNextFrameTime < 0 ? 0 : FNextFrameTime) + (delay < 0 ? 0 : delay);
        advanced = true;
    }
    ++FTicks;
    return advanced;
}

// ---- Container and cache

KV_PUBLISHED(TPictureItem) {
    using I = TPictureItem;
    p.Object("Picture", &I::FPicture);
    p.Str("Name", &I::FName, &I::SetName);
    p.Int("Tag", &I::FTag, &I::SetTag, 0);
}

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>()) {}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TPictureItem*>(Source);
    if (s == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FName = s->FName;
    FTag = s->FTag;
    FPicture->Assign(s->FPicture.get());
}

TPictureCollection::TPictureCollection(TPersistent* Owner)
    : TCollection(ItemClassOf<TPictureItem>(), Owner) {}

TPictureItem* TPictureCollection::Add() {
    return static_cast<TPictureItem*>(TCollection::Add());
}

TPictureItem* TPictureCollection::Insert(int Index) {
    return static_cast<TPictureItem*>(TCollection::Insert(Index));
}

TPictureItem* TPictureCollection::GetItem(int Index) const {
    return static_cast<TPictureItem*>(TCollection::GetItem(Index));
}

bool TPictureCollection::Animate() {
    bool any = false;
    for (int i = 0; i < Count(); ++i)
        any = GetItem(i)->Picture()->Step() || any;
    return any;
}

KV_PUBLISHED(TPictureContainer) {
    using C = TPictureContainer;
    p.Collection("Items", &C::FItems);
    p.Str("Version", &C::Version, &C::SetVersion, "1.0.0.0");
}

KV_REGISTER_CLASS(TPictureContainer)

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this)) {}

TPictureContainer::~TPictureContainer() {
    BeforeDestruction();
}

String TPictureContainer::Version() const {
    return AdvVersion::VersionText(static_cast<std::uint32_t>(GetVersionNr()));
}

THTMLPicture* TPictureContainer::FindPicture(const String& Name) {
    String wanted = UpperCase(Name);
    for (int i = 0; i < FItems->Count(); ++i)
        if (UpperCase(FItems->GetItem(i)->Name()) == wanted) return FItems->GetItem(i)->Picture();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::AddPicture() {
    FPictures.push_back(std::make_unique<THTMLPicture>());
    return FPictures.back().get();
}

THTMLPicture* THTMLPictureCache::GetPicture(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FPictures[static_cast<size_t>(Index)].get();
}

void THTMLPictureCache::SetPicture(int Index, std::unique_ptr<THTMLPicture> Value) {
    GetPicture(Index);
    if (Value == nullptr) throw EInvalidPointer("Invalid pointer operation");
    FPictures[static_cast<size_t>(Index)] = std::move(Value);
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const {
    for (const auto& picture : FPictures)
        if (picture->ID() == ID) return picture.get();
    return nullptr;
}

bool THTMLPictureCache::Animate() {
    bool any = false;
    for (const auto& picture : FPictures)
        any = picture->Step() || any;
    return any;
}

void RegisterPictureContainerClasses() {
    RegisterClasses({ClassEntry<TPictureContainer>()});
}

} // namespace PictureContainer
