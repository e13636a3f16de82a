#include "components/foundation/GDIPicture.h"

#include <cstring>

#include "components/foundation/AdvGDIP.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Global.h"

namespace GDIPicture {

using namespace vcl;
using namespace AdvGDIP;

KV_PUBLISHED(TGDIPPicture) {
    p.Event("OnClear", &TGDIPPicture::OnClear);
}

// The bytes as a GDI+ image: a global block holding a copy of them, a platform stream over the block
// (which frees the block when released) and the image decoded from that stream.
class TGDIPPicture::TDecodedImage {
public:
    explicit TDecodedImage(const TMemoryStream& Data) {
        const std::size_t size = static_cast<std::size_t>(const_cast<TMemoryStream&>(Data).Size());
        win::HGLOBAL block = win::GlobalAlloc(win::GMEM_MOVEABLE, size);
        if (!block) throw Exception("Could not allocate memory for image");
        void* p = win::GlobalLock(block);
        if (p && size > 0) std::memcpy(p, Data.Memory(), size);
        win::GlobalUnlock(block);
        if (win::FAILED(win::CreateStreamOnHGlobal(block, win::TRUE, &FStream)) || !FStream) {
            win::GlobalFree(block);
            throw Exception("Could not allocate memory for image");
        }
        FImage = std::make_unique<TGPImage>(FStream, false);
    }
    ~TDecodedImage() {
        FImage.reset();
        if (FStream) FStream->Release(); // frees the block too
    }
    TDecodedImage(const TDecodedImage&) = delete;
    TDecodedImage& operator=(const TDecodedImage&) = delete;

    TGPImage& Image() { return *FImage; }
    bool Ok() { return FImage->GetLastStatus() == gdip::Ok; }

private:
    win::IStream* FStream = nullptr;
    std::unique_ptr<TGPImage> FImage;
};

TGDIPPicture::TGDIPPicture() : FData(std::make_unique<TMemoryStream>()) {}

TGDIPPicture::~TGDIPPicture() = default;

void TGDIPPicture::SetWidth(int) {}
void TGDIPPicture::SetHeight(int) {}

void TGDIPPicture::Forget() {
    FDecoded.reset();
    FUndecodable = false;
}

TGPImage* TGDIPPicture::Image() {
    if (FEmpty || FData->Size() == 0 || FUndecodable) return nullptr;
    if (!FDecoded) {
        ++FDecodeCount;
        auto decoded = std::make_unique<TDecodedImage>(*FData);
        if (!decoded->Ok()) {
            FUndecodable = true;
            return nullptr;
        }
        FDecoded = std::move(decoded);
    }
    return &FDecoded->Image();
}

void TGDIPPicture::CopyBytes(const void* Bytes, std::size_t Count) {
    Forget();
    FData->Clear();
    if (Count > 0) FData->WriteBuffer(Bytes, static_cast<Int64>(Count));
    FData->SetPosition(0);
}

void TGDIPPicture::ReplaceData(TStream* Stream) {
    String bytes;
    const Int64 count = Stream->Size() - Stream->Position();
    if (count > 0) {
        bytes.resize(static_cast<std::size_t>(count));
        Stream->ReadBuffer(bytes.data(), count);
    }
    CopyBytes(bytes.data(), bytes.size());
}

void TGDIPPicture::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    ReplaceData(Stream);
    FEmpty = false;
    GetImageSizes();
    Changed(this);
}

void TGDIPPicture::SaveToStream(TStream* Stream) {
    if (!Stream || FData->Size() == 0) return;
    Stream->WriteBuffer(FData->Memory(), FData->Size());
}

void TGDIPPicture::WriteData(TStream* Stream) {
    SaveToStream(Stream);
}

void TGDIPPicture::ReadData(TStream* Stream) {
    if (!Stream) return;
    ReplaceData(Stream);
    FEmpty = false;
}

void TGDIPPicture::LoadFromFile(const String& FileName) {
    // Only a file that cannot be read leaves the picture empty quietly; a fault further on (in a
    // handler, say) is the caller's to see, and the picture keeps the bytes it has just taken.
    String bytes;
    try {
        bytes = ReadFileBytes(FileName);
    } catch (const Exception&) {
        FEmpty = true;
        return;
    }
    CopyBytes(bytes.data(), bytes.size());
    FEmpty = false;
    if (OnClear) OnClear(this);
    GetImageSizes();
    Changed(this);
}

void TGDIPPicture::LoadFromResourceName(const void* Instance, const String& Name) {
    if (!ResourceExists(Name, TResType(RT_RCDATA))) return;
    TResourceStream rs(Instance, Name, TResType(RT_RCDATA));
    LoadFromStream(&rs);
}

void TGDIPPicture::LoadFromResourceID(const void* Instance, int ResID) {
    TResourceStream rs(Instance, ResID, TResType(RT_RCDATA));
    LoadFromStream(&rs);
}

void TGDIPPicture::LoadFromURL(const String& URL) {
    const String upper = UpperCase(URL);
    if (upper.rfind("RES://", 0) == 0) {
        const String rest = URL.substr(6);
        if (!rest.empty()) LoadFromResourceName(nullptr, rest);
    } else if (upper.rfind("FILE://", 0) == 0) {
        const String rest = URL.substr(7);
        if (!rest.empty()) LoadFromFile(rest);
    }
}

void TGDIPPicture::LoadFromClipboardFormat(Word, THandle, win::HPALETTE) {}
void TGDIPPicture::SaveToClipboardFormat(Word&, THandle&, win::HPALETTE&) {}

bool TGDIPPicture::GetImageSizes() {
    if (FEmpty || FData->Size() == 0) return false;
    TGPImage* image = Image();
    if (!image) {
        // Undecodable bytes: no size to report, and no success either.
        FWidth = 0;
        FHeight = 0;
        return false;
    }
    FWidth = static_cast<int>(image->GetWidth());
    FHeight = static_cast<int>(image->GetHeight());
    return true;
}

void TGDIPPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (!ACanvas) return;
    TGPImage* image = Image();
    if (!image) return;
    if (image->GetFormat() == ifBMP) {
        // Painting never raises: a bitmap the framework cannot hold is drawn as GDI+ decoded it.
        TBitmap bmp;
        bool loaded = true;
        FData->SetPosition(0);
        try {
            bmp.LoadFromStream(FData.get());
        } catch (const Exception&) {
            loaded = false;
        }
        FData->SetPosition(0);
        if (loaded) {
            bmp.SetTransparentMode(tmAuto);
            bmp.SetTransparent(true);
            ACanvas->Draw(Rect.Left, Rect.Top, &bmp);
            return;
        }
    }
    FWidth = static_cast<int>(image->GetWidth());
    FHeight = static_cast<int>(image->GetHeight());
    TGPGraphics graphics(ACanvas->Handle());
    graphics.DrawImageRect(image, Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
}

void TGDIPPicture::Assign(TPersistent* Source) {
    FEmpty = true;
    if (!Source) {
        Forget();
        FData->Clear();
        Changed(this);
        if (OnClear) OnClear(this);
        return;
    }
    if (auto* pic = dynamic_cast<TGDIPPicture*>(Source)) {
        if (pic != this) CopyBytes(pic->FData->Memory(), static_cast<std::size_t>(pic->FData->Size()));
        // A copy of an empty picture is empty too.
        FEmpty = pic->FEmpty || FData->Size() == 0;
        Changed(this);
    } else if (auto* bmp = dynamic_cast<TBitmap*>(Source)) {
        TMemoryStream ms;
        bmp->SaveToStream(&ms);
        ms.SetPosition(0);
        ReplaceData(&ms);
        FEmpty = false;
        Changed(this);
    } else if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        // A picture without a graphic has nothing to save: the result is an empty picture.
        if (TGraphic* g = picture->Graphic()) {
            TMemoryStream ms;
            g->SaveToStream(&ms);
            ms.SetPosition(0);
            ReplaceData(&ms);
            FEmpty = ms.Size() == 0;
        } else {
            Forget();
            FData->Clear();
        }
        Changed(this);
    } else {
        // Nothing to copy: drop the old bytes as well, so that an empty picture never stores them.
        Forget();
        FData->Clear();
    }
    GetImageSizes();
}

namespace {
[[maybe_unused]] const bool registered = [] {
    RegisterGraphicClass<TGDIPPicture>();
    return true;
}();
} // namespace

} // namespace GDIPicture
