#include "components/foundation/AdvGlowButtonFace.h"

#include "platform/win/Gdi.h"

namespace AdvGlowButton {

using namespace vcl;

TGlowFontKey TGlowFontKey::Of(TFont* Font) {
    TGlowFontKey k;
    if (Font == nullptr) return k;
    k.Name = Font->Name();
    k.Height = Font->Height();
    k.Color = Font->Color();
    k.Style = Font->Style();
    k.Charset = Font->Charset();
    k.Pitch = Font->Pitch();
    k.Orientation = Font->Orientation();
    k.PixelsPerInch = Font->PixelsPerInch();
    k.Present = true;
    return k;
}

const TGlowFaceLayout* TGlowFaceCache::Find(const TGlowFaceKey& Key) const {
    return FValid && FKey == Key ? &FLayout : nullptr;
}

TCanvas* TGlowFaceCache::Begin(const TGlowFaceKey& Key) {
    FValid = false;
    FKey = Key;
    if (FBitmap.Width() != Key.R.Right || FBitmap.Height() != Key.R.Bottom)
        FBitmap.SetSize(Key.R.Right, Key.R.Bottom);
    return FBitmap.Canvas();
}

void TGlowFaceCache::Keep(const TGlowFaceLayout& Layout) {
    FLayout = Layout;
    FValid = true;
}

void TGlowFaceCache::CopyTo(TCanvas* Canvas) const {
    const TRect& r = FKey.R;
    win::BitBlt(Canvas->Handle(), r.Left, r.Top, r.Width(), r.Height(), FBitmap.Canvas()->Handle(), r.Left,
                r.Top, win::SRCCOPY);
}

} // namespace AdvGlowButton
