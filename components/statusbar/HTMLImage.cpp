#include "components/statusbar/HTMLImage.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/win/Gdi.h"
#include "platform/win/Window.h"

namespace PictureContainer {

using namespace vcl;

KV_PUBLISHED(THTMLImage) {
    using I = THTMLImage;
    p.Object("HTMLPicture", &I::FPicture);
    p.Enum("PicturePosition", &I::FPicturePosition, &I::SetPicturePosition, bpTopLeft);
    p.Event("OnDownLoadError", &I::OnDownLoadError);
    p.Event("OnDownLoadCancel", &I::OnDownLoadCancel);
    p.Event("OnDownLoadProgress", &I::OnDownLoadProgress);
    p.Event("OnDownLoadComplete", &I::OnDownLoadComplete);
}

KV_REGISTER_CLASS(THTMLImage)

THTMLImage::THTMLImage(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<THTMLPicture>()) {
    SetBounds(0, 0, 100, 100);
    FPicture->OnChange = [this](TObject*) { Invalidate(); };
    FPicture->OnDownLoadError = [this](TObject*, const String& Err) {
        if (OnDownLoadError) OnDownLoadError(this, Err);
    };
    FPicture->OnDownLoadCancel = [this](TObject*, bool& Cancel) {
        if (OnDownLoadCancel) OnDownLoadCancel(this, Cancel);
    };
    FPicture->OnDownLoadProgress = [this](TObject*, std::uint32_t Size, std::uint32_t Total) {
        if (OnDownLoadProgress) OnDownLoadProgress(this, Size, Total);
    };
    FPicture->OnDownLoadComplete = [this](TObject*) {
        if (OnDownLoadComplete) OnDownLoadComplete(this);
    };
}

void THTMLImage::Loaded() {
    TGraphicControl::Loaded();
    // A control's canvas draws on the screen: the screen's device stands for it here, so that loading
    // takes no window's device context.
    win::HDC dc = win::GetDC(nullptr);
    FPicture->SetPixelsPerInch(win::GetDeviceCaps(dc, win::LOGPIXELSX),
                               win::GetDeviceCaps(dc, win::LOGPIXELSY));
    win::ReleaseDC(nullptr, dc);
}

THTMLImage::~THTMLImage() = default;

void THTMLImage::SetHTMLPicture(THTMLPicture* Value) {
    FPicture->Assign(Value);
    Invalidate();
}

void THTMLImage::SetPicturePosition(TPicturePosition Value) {
    if (Value == FPicturePosition) return;
    FPicturePosition = Value;
    Invalidate();
}

TPoint THTMLImage::PictureOrigin() {
    const int dx = std::max(0, Width() - FPicture->Width()), dy = std::max(0, Height() - FPicture->Height());
    switch (FPicturePosition) {
    case bpTopRight:
        return TPoint{dx, 0};
    case bpBottomLeft:
        return TPoint{0, dy};
    case bpBottomRight:
        return TPoint{dx, dy};
    case bpCenter:
        return TPoint{dx / 2, dy / 2};
    default:
        return TPoint{0, 0};
    }
}

void THTMLImage::Paint() {
    if (FPicture->Empty()) return;
    const int w = FPicture->Width(), h = FPicture->Height();
    if (FPicturePosition == bpStretched) {
        FPicture->SetStretch(true);
        Canvas()->StretchDraw(TRect{0, 0, Width(), Height()}, FPicture.get());
        FPicture->SetStretch(false);
    } else if (FPicturePosition == bpTiled) {
        if (w <= 0 || h <= 0) return;
        for (int y = 0; y < Height(); y += h)
            for (int x = 0; x < Width(); x += w)
                Canvas()->Draw(x, y, FPicture.get());
    } else {
        TPoint p = PictureOrigin();
        Canvas()->Draw(p.X, p.Y, FPicture.get());
    }
}

void RegisterHTMLImageClasses() {
    RegisterClasses({ClassEntry<THTMLImage>()});
}

} // namespace PictureContainer
