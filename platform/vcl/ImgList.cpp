#include "platform/vcl/ImgList.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"

namespace vcl {

using namespace win;

namespace {

bool IsLight(std::uint32_t p) {
    std::uint32_t b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
    return r * 299 + g * 587 + b * 114 >= 128000;
}

std::uint32_t Premultiply(std::uint32_t p) {
    std::uint32_t a = p >> 24;
    auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
}

// Mixes each channel of a premultiplied pixel toward a colour (scaled by the pixel's alpha).
std::uint32_t Mix(std::uint32_t p, std::uint32_t color, std::uint32_t percent) {
    std::uint32_t a = p >> 24;
    auto ch = [&](int shift) {
        std::uint32_t c = (p >> shift) & 0xFF, t = (((color >> shift) & 0xFF) * a + 127) / 255;
        return ((c * (100 - percent) + t * percent + 50) / 100) << shift;
    };
    return (a << 24) | ch(16) | ch(8) | ch(0);
}

// A premultiplied pixel laid over an opaque colour.
std::uint32_t Over(std::uint32_t p, std::uint32_t back) {
    std::uint32_t a = p >> 24;
    auto ch = [&](int shift) {
        std::uint32_t c = (p >> shift) & 0xFF, b = (back >> shift) & 0xFF;
        return std::min(255u, c + (b * (255 - a) + 127) / 255) << shift;
    };
    return 0xFF000000u | ch(16) | ch(8) | ch(0);
}

std::uint32_t PixelOfColor(TColor c) {
    return graphics::PixelOfColorRef(graphics::ToColorRef(c));
}

} // namespace

// ---- TChangeLink ----

TChangeLink::~TChangeLink() {
    if (FSender != nullptr) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(FSender);
}

// ---- TCustomImageList ----

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(int AWidth, int AHeight) : TComponent(nullptr) {
    if (AWidth < 1 || AHeight < 1) throw EInvalidOperation("Invalid image size");
    FWidth = AWidth;
    FHeight = AHeight;
}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : FClients)
        link->SetSender(nullptr);
    FClients.clear();
}

void TCustomImageList::SetWidth(int Value) {
    if (Value < 1) throw EInvalidOperation("Invalid image size");
    if (Value == FWidth) return;
    FWidth = Value;
    FImages.clear();
    Change();
}

void TCustomImageList::SetHeight(int Value) {
    if (Value < 1) throw EInvalidOperation("Invalid image size");
    if (Value == FHeight) return;
    FHeight = Value;
    FImages.clear();
    Change();
}

COLORREF TCustomImageList::KeyOf(TBitmap* Image, TColor MaskColor) const {
    return graphics::ToColorRef(MaskColor == clDefault ? Image->TransparentColor() : MaskColor);
}

std::vector<TCustomImageList::TImage> TCustomImageList::Cut(TBitmap* Image, TBitmap* Mask, bool UseKey,
                                                            COLORREF Key) const {
    if (Image == nullptr || Image->Empty()) throw EInvalidOperation("Failed to add image");
    const int iw = Image->Width(), ih = Image->Height();
    const std::uint32_t* src = Image->PixelData();
    const TAlphaFormat alpha = Image->AlphaFormat();
    const std::uint32_t* mask = nullptr;
    int mw = 0, mh = 0;
    if (Mask != nullptr && !Mask->Empty()) {
        mask = Mask->PixelData();
        mw = Mask->Width();
        mh = Mask->Height();
    }
    const int count = std::max(1, iw / FWidth);
    std::vector<TImage> images;
    images.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        TImage img(static_cast<std::size_t>(FWidth) * FHeight, 0u);
        const int x0 = k * FWidth;
        for (int y = 0; y < std::min(FHeight, ih); ++y) {
            for (int x = 0; x < std::min(FWidth, iw - x0); ++x) {
                const int sx = x0 + x;
                std::uint32_t p = src[static_cast<std::size_t>(y) * iw + sx];
                bool clear = (UseKey && (graphics::ColorRefOfPixel(p) & 0xFFFFFFu) == Key) ||
                             (mask != nullptr && sx < mw && y < mh &&
                              IsLight(mask[static_cast<std::size_t>(y) * mw + sx]));
                std::uint32_t v = 0;
                if (!clear) {
                    if (alpha == afPremultiplied)
                        v = p;
                    else if (alpha == afDefined)
                        v = Premultiply(p);
                    else
                        v = p | 0xFF000000u;
                }
                img[static_cast<std::size_t>(y) * FWidth + x] = v;
            }
        }
        images.push_back(std::move(img));
    }
    return images;
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    std::vector<TImage> images = Cut(Image, Mask, false, 0);
    int first = Count();
    for (auto& img : images)
        FImages.push_back(std::move(img));
    Change();
    return first;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    if (Image == nullptr || Image->Empty()) throw EInvalidOperation("Failed to add image");
    std::vector<TImage> images = Cut(Image, nullptr, true, KeyOf(Image, MaskColor));
    int first = Count();
    for (auto& img : images)
        FImages.push_back(std::move(img));
    Change();
    return first;
}

void TCustomImageList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
}

void TCustomImageList::Delete(int Index) {
    CheckIndex(Index);
    FImages.erase(FImages.begin() + Index);
    Change();
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
    CheckIndex(Index);
    FImages[static_cast<std::size_t>(Index)] = std::move(Cut(Image, Mask, false, 0).front());
    Change();
}

void TCustomImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Change();
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
    if (Image == nullptr) return;
    Image->SetSize(FWidth, FHeight);
    Draw(Image->Canvas(), 0, 0, Index);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
    Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
    if (Canvas == nullptr || Index < 0 || Index >= Count()) return;
    const TImage& img = FImages[static_cast<std::size_t>(Index)];
    const std::size_t n = img.size();
    int w = FWidth, h = FHeight;
    std::vector<std::uint32_t> out;

    if (!Enabled) {
        // Embossed: the shape in the highlight colour, one pixel down and right, under the shape in
        // the shadow colour.
        w = FWidth + 1;
        h = FHeight + 1;
        out.assign(static_cast<std::size_t>(w) * h, 0u);
        const std::uint32_t light = PixelOfColor(clBtnHighlight), dark = PixelOfColor(clBtnShadow);
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x)
                if ((img[static_cast<std::size_t>(y) * FWidth + x] >> 24) >= 128)
                    out[static_cast<std::size_t>(y + 1) * w + x + 1] = light;
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x)
                if ((img[static_cast<std::size_t>(y) * FWidth + x] >> 24) >= 128)
                    out[static_cast<std::size_t>(y) * w + x] = dark;
    } else if (AImageType == itMask) {
        out.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            out[i] = (img[i] >> 24) >= 128 ? 0xFF000000u : 0xFFFFFFFFu;
    } else {
        out = img;
        if (ADrawingStyle == dsFocus || ADrawingStyle == dsSelected) {
            std::uint32_t blend = PixelOfColor(FBlendColor == clNone ? clHighlight : FBlendColor);
            std::uint32_t percent = ADrawingStyle == dsFocus ? 25 : 50;
            for (auto& p : out)
                p = Mix(p, blend, percent);
        }
        bool overBk =
            ADrawingStyle != dsTransparent && (!FMasked || (ADrawingStyle == dsNormal && FBkColor != clNone));
        if (overBk) {
            std::uint32_t back = PixelOfColor(FBkColor == clNone ? clWhite : FBkColor);
            for (auto& p : out)
                p = Over(p, back);
        }
    }
    graphics::BlendPixels(Canvas->Handle(), Bounds(X, Y, w, h), w, h, out.data());
    Canvas->Changed();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
    if (Value == FDrawingStyle) return;
    FDrawingStyle = Value;
    Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
    if (Value == FImageType) return;
    FImageType = Value;
    Change();
}

void TCustomImageList::SetBkColor(TColor Value) {
    if (Value == FBkColor) return;
    FBkColor = Value;
    Change();
}

void TCustomImageList::SetBlendColor(TColor Value) {
    if (Value == FBlendColor) return;
    FBlendColor = Value;
    Change();
}

void TCustomImageList::SetMasked(bool Value) {
    if (Value == FMasked) return;
    FMasked = Value;
    Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
    if (Value == nullptr) return;
    if (Value->Sender() != nullptr && Value->Sender() != this) Value->Sender()->UnRegisterChanges(Value);
    Value->SetSender(this);
    if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
    auto it = std::find(FClients.begin(), FClients.end(), Value);
    if (it == FClients.end()) return;
    FClients.erase(it);
    Value->SetSender(nullptr);
}

void TCustomImageList::Change() {
    // A link may unregister (or free another) while being told: walk a copy, checking each is still here.
    std::vector<TChangeLink*> clients = FClients;
    for (TChangeLink* link : clients)
        if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
    if (OnChange) OnChange(this);
}

// ---- TImageList ----

KV_PUBLISHED(TImageList) {
    p.Color("BkColor", &TImageList::BkColor, &TImageList::SetBkColor, clNone);
    p.Color("BlendColor", &TImageList::BlendColor, &TImageList::SetBlendColor, clNone);
    p.Enum("DrawingStyle", &TImageList::DrawingStyle, &TImageList::SetDrawingStyle, dsNormal);
    p.Int("Height", &TImageList::Height, &TImageList::SetHeight, 16);
    p.Enum("ImageType", &TImageList::ImageType, &TImageList::SetImageType, itImage);
    p.Bool("Masked", &TImageList::Masked, &TImageList::SetMasked, true);
    p.Int("Width", &TImageList::Width, &TImageList::SetWidth, 16);
    p.Event("OnChange", &TImageList::OnChange);
}

KV_REGISTER_CLASS(TImageList)

} // namespace vcl
