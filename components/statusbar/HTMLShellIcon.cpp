// Shell icons in the mark-up ("SSYS:" and "LSYS:" image sources): the desktop's icon of a path, a folder or
// a file type, or a system icon by its index.

#include <algorithm>

#include "components/statusbar/HTMLRender.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ShellIcons.h"
#include "platform/win/Gdi.h"

namespace HTMLRender {

using namespace vcl;

namespace {

// An optional sign and decimal digits, nothing else.
bool IsPlainInteger(const String& S) {
    size_t i = S.empty() || (S[0] != '-' && S[0] != '+') ? 0 : 1;
    return i < S.size() && std::all_of(S.begin() + static_cast<std::ptrdiff_t>(i), S.end(),
                                       [](char Ch) { return Ch >= '0' && Ch <= '9'; });
}

} // namespace

void DrawShellIcon(TCanvas* Canvas, int X, int Y, int& Size, double Scale, bool Print, bool Draw, bool Large,
                   const String& Name) {
    Size = 0;
    int index = AttrToInt(Name);
    if (!Name.empty() && !IsPlainInteger(Name)) index = SystemIconIndex(Name);
    const int ppi = win::GetDeviceCaps(Canvas->Handle(), win::LOGPIXELSX);
    const int size = static_cast<int>(static_cast<long long>(SystemIconSize(Large)) * ppi / 96);
    if (!DrawSystemIcon(nullptr, 0, 0, index, size)) return;
    Size = size;
    if (!Draw) return;
    if (!Print) {
        DrawSystemIcon(Canvas, X, Y, index, size);
        return;
    }
    TBitmap bitmap(size, size);
    DrawSystemIcon(bitmap.Canvas(), 0, 0, index, size);
    // A print scale of nothing or of thousands is no icon a bar can show.
    const int scaled = std::clamp(Round(size * Scale), 0, 4096);
    Canvas->StretchDraw(TRect{X, Y, X + scaled, Y + scaled}, &bitmap);
}

} // namespace HTMLRender
