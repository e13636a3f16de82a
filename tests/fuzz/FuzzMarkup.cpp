// Fuzz target of the mark-up renderer: any bytes are laid out, drawn and hit-tested on a memory bitmap.
// The renderer must neither fail nor hang, and its outputs stay within sound bounds: in particular a point
// outside the layout rectangle is never a hit, however far the text overflows it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "components/statusbar/HTMLRender.h"
#include "platform/vcl/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size > 4096) return 0;
    static vcl::TBitmap* bmp = [] {
        auto* b = new vcl::TBitmap(200, 40);
        b->Canvas()->Font()->SetSize(9);
        return b;
    }();
    vcl::String text(reinterpret_cast<const char*>(Data), Size);
    // The layout rectangle lies inside the bitmap, so that text overflows it onto pixels that exist.
    const vcl::TRect bounds{20, 8, 160, 30};
    for (int mode = 0; mode < 3; ++mode) {
        HTMLRender::THTMLRenderArgs args;
        args.NoDraw = mode != 0;
        args.HeightOnly = mode == 2;
        args.HitX = Size > 0 ? Data[0] % 200 : 0;
        args.HitY = Size > 1 ? Data[1] % 40 : 0;
        args.BlinkOn = (Size & 1) != 0;
        HTMLRender::THTMLRenderResult result;
        const bool hit = HTMLRender::RenderHTML(bmp->Canvas(), text, bounds, args, result);
        if (result.TotalHeight < 0 || result.MaxLineWidth < 0 || result.AnchorCount < 0) std::abort();
        const bool inside = args.HitX >= bounds.Left && args.HitX < bounds.Right && args.HitY >= bounds.Top &&
                            args.HitY < bounds.Bottom;
        if (hit != result.Hit || (hit && !inside)) std::abort();
    }
    return 0;
}
