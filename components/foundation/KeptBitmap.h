#pragma once
// TKeptBitmap: a picture painted into a bitmap of its own and kept, with everything it was painted from
// (the key), for as long as that holds. A request with the same key and size hands the kept bitmap back;
// any difference paints a fresh bitmap, so a kept picture is always the picture painted afresh.

#include <functional>
#include <memory>

#include "platform/vcl/Bitmap.h"

namespace AdvGlowButton {

template <class TKey> class TKeptBitmap {
public:
    // The bitmap Width by Height painted by Paint for Key: kept, or painted now onto a new bitmap.
    vcl::TBitmap& For(const TKey& Key, int Width, int Height,
                      const std::function<void(vcl::TBitmap&)>& Paint) {
        if (!FBitmap || !(FKey == Key) || FBitmap->Width() != Width || FBitmap->Height() != Height) {
            FBitmap.reset();
            auto fresh = std::make_unique<vcl::TBitmap>(Width, Height);
            Paint(*fresh);
            FBitmap = std::move(fresh);
            FKey = Key;
        }
        return *FBitmap;
    }

private:
    std::unique_ptr<vcl::TBitmap> FBitmap;
    TKey FKey{};
};

} // namespace AdvGlowButton
