#include "platform/vcl/DialogBox.h"

#include <algorithm>

#include "platform/vcl/Screen.h"
#include "platform/win/Gdi.h"

namespace vcl::dialogs {

void TBoxForm::DoShow() {
    TForm::DoShow();
    const TRect bounds = BoundsRect();
    TMonitor* monitor = GetScreen()->MonitorFromRect(bounds, mdNearest);
    const TRect work = monitor ? monitor->WorkareaRect() : GetScreen()->WorkAreaRect();
    const int left = std::max(work.Left, std::min(bounds.Left, work.Right - bounds.Width()));
    const int top = std::max(work.Top, std::min(bounds.Top, work.Bottom - bounds.Height()));
    if (left != bounds.Left || top != bounds.Top) SetBounds(left, top, bounds.Width(), bounds.Height());
}

TBoxText::TBoxText(TComponent* AOwner) : TLabel(AOwner) {
    SetAutoSize(false);
    SetWordWrap(true);
}

win::UINT TBoxText::TextFlags() const {
    // A line too narrow for a word breaks inside it: a word of thousands of characters (a page's, say)
    // would otherwise make the box as wide as the word.
    return TLabel::TextFlags() | win::DT_EDITCONTROL;
}

TSize TBoxText::Measure(const String& Text, int MaxWidth) {
    // Measured on a memory context, as the label measures itself: the box is not shown yet.
    const String text = Text.empty() ? String(" ") : Text;
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, Font()->Handle());
    win::RECT r{0, 0, MaxWidth, 0};
    win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFlags() | win::DT_CALCRECT);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    return {r.Right - r.Left, r.Bottom - r.Top};
}

TSize TBoxText::Fit(const String& Text, int MaxWidth, int MaxHeight) {
    const TSize whole = Measure(Text, MaxWidth);
    // An empty text has nothing to cut, however low the work area.
    if (whole.cy <= MaxHeight || Text.empty() || whole.cy <= 0) {
        SetCaption(Text);
        return whole;
    }
    // The first n bytes, back to the start of a character and without the line breaks and spaces at their
    // end, then the mark; never a lone "&" before it, which would underline the mark's first dot.
    auto head = [&](std::size_t n) {
        while (n > 0 && (static_cast<unsigned char>(Text[n]) & 0xC0) == 0x80)
            --n;
        while (n > 0 &&
               (Text[n - 1] == '\n' || Text[n - 1] == '\r' || Text[n - 1] == ' ' || Text[n - 1] == '\t'))
            --n;
        if (ShowAccelChar()) {
            std::size_t amps = 0;
            while (amps < n && Text[n - 1 - amps] == '&')
                ++amps;
            n -= amps % 2;
        }
        return Text.substr(0, n) + "...";
    };
    auto fits = [&](std::size_t n) { return Measure(head(n), MaxWidth).cy <= MaxHeight; };
    // The longest head that fits: from a guess in proportion to the heights, doubling or halving until the
    // answer changes, then by halves. Only heads near the length shown are measured, so that a text of
    // thousands of lines costs little more than the lines shown.
    std::size_t lo = 0, hi = Text.size(); // head(lo) fits (or lo is 0), head(hi) does not
    const auto ratio = static_cast<double>(std::max(MaxHeight, 0)) / whole.cy;
    std::size_t n = std::clamp<std::size_t>(static_cast<std::size_t>(ratio * static_cast<double>(hi)), 1, hi);
    if (fits(n)) {
        for (lo = n; lo < hi / 2 && fits(lo * 2);)
            lo *= 2;
        hi = std::min(hi, lo * 2);
    } else {
        for (hi = n; hi > 1 && !fits(hi / 2);)
            hi /= 2;
        lo = hi / 2;
    }
    while (hi - lo > 1) {
        const std::size_t mid = lo + (hi - lo) / 2;
        (fits(mid) ? lo : hi) = mid;
    }
    const String shown = head(lo);
    SetCaption(shown);
    return Measure(shown, MaxWidth);
}

TRect BoxWorkArea() {
    return GetScreen()->WorkAreaRect();
}

} // namespace vcl::dialogs
