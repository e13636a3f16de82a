// The caption writers of the toolbar unit: GDI text or GDI+ text chosen by the anti-alias setting.

#include <algorithm>
#include <cmath>
#include <vector>

#include "components/foundation/AdvGDIPUtf16.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/rtl/Colors.h"
#include "platform/vcl/Screen.h"
#include "platform/win/GdiObjects.h"
#include "platform/win/GdiText.h"

namespace AdvToolBar {

using namespace AdvGDIP;
using vcl::TCanvas;
using vcl::TRect;

namespace {

constexpr TColor kDisabledText = 0x808080; // RGB(128, 128, 128)

int RoundHalfEven(float V) {
    return static_cast<int>(std::nearbyint(V));
}

StringAlignment AlignmentOf(vcl::TAlignment A) {
    switch (A) {
    case vcl::taRightJustify:
        return StringAlignmentFar;
    case vcl::taCenter:
        return StringAlignmentCenter;
    default:
        return StringAlignmentNear;
    }
}

void SetHint(TGPGraphics& G, TAntiAlias A) {
    if (A == aaClearType)
        G.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    else if (A == aaAntiAlias)
        G.SetTextRenderingHint(TextRenderingHintAntiAlias);
}

// The font's family, or "Arial" when it is not installed.
std::unique_ptr<TGPFontFamily> FamilyOf(vcl::TFont* Font) {
    auto family = std::make_unique<TGPFontFamily>(Font->Name());
    const Status s = family->GetLastStatus();
    if (s == FontFamilyNotFound || s == FontStyleNotFound) family = std::make_unique<TGPFontFamily>("Arial");
    return family;
}

int StyleBits(vcl::TFont* Font, bool WithStrikeOut) {
    const auto st = Font->Style();
    int bits = 0;
    if (st.Contains(vcl::fsBold)) bits |= 1;
    if (st.Contains(vcl::fsItalic)) bits |= 2;
    if (st.Contains(vcl::fsUnderline)) bits |= 4;
    if (WithStrikeOut && st.Contains(vcl::fsStrikeOut)) bits |= 8;
    return bits;
}

TRect Box(const TGPRectF& B) {
    return TRect{RoundHalfEven(B.X), RoundHalfEven(B.Y), RoundHalfEven(B.X + B.Width),
                 RoundHalfEven(B.Y + B.Height)};
}

TGPRectF Measure(TGPGraphics& G, const vcl::String& Text, TGPFont* Font, const TGPRectF& Layout,
                 TGPStringFormat* Format) {
    const auto wide = Utf8ToUtf16Buffer(Text);
    TGPRectF box{};
    G.MeasureString(wide.data(), static_cast<int>(wide.size()) - 1, Font, Layout, Format, box);
    return box;
}

// Drops the last UTF-8 character of Text.
void DropLast(vcl::String& Text) {
    if (Text.empty()) return;
    std::size_t n = Text.size() - 1;
    while (n > 0 && (static_cast<unsigned char>(Text[n]) & 0xC0) == 0x80)
        --n;
    Text.erase(n);
}

} // namespace

bool IsScalableScreenFont(TCanvas* Canvas) {
    if (Canvas == nullptr) return false;
    win::TEXTMETRIC tm{};
    win::GetTextMetrics(Canvas->Handle(), &tm);
    if ((tm.tmPitchAndFamily & win::TMPF_VECTOR) == 0 || (tm.tmPitchAndFamily & win::TMPF_DEVICE) != 0)
        return false;
    vcl::TStrings* fonts = vcl::GetScreen()->Fonts();
    return fonts != nullptr && fonts->IndexOf(Canvas->Font()->Name()) >= 0;
}

void DrawGDIPText(TCanvas* Canvas, vcl::TAlignment Alignment, unsigned Flags, const TRect& R,
                  const vcl::String& Caption, const vcl::String&, vcl::TFont* Font, bool Enabled, bool Draw,
                  TAntiAlias AntiAlias, bool Ellipsis, bool WordWrap, TRect& Result) {
    Result = TRect{0, 0, 0, 0};
    if (Caption.empty()) return;
    Canvas->Font()->SetName(Font->Name());
    if (AntiAlias == aaNone || !IsScalableScreenFont(Canvas)) {
        Result = TRect{0, 0, 1000, 100};
        win::DrawText(Canvas->Handle(), Caption.c_str(), static_cast<int>(Caption.size()), &Result,
                      win::DT_CALCRECT | win::DT_SINGLELINE);
        if (Draw) {
            TRect r = R;
            win::DrawText(Canvas->Handle(), Caption.c_str(), static_cast<int>(Caption.size()), &r, Flags);
        }
        return;
    }
    TGPGraphics g(Canvas->Handle());
    auto family = FamilyOf(Font);
    TGPFont font(family.get(), static_cast<float>(Font->Size()), StyleBits(Font, true), UnitPoint);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    const TGPRectF layout{static_cast<float>(R.Left), static_cast<float>(R.Top),
                          static_cast<float>(R.Right - R.Left), static_cast<float>(R.Bottom - R.Top)};
    TGPStringFormat format(0, 0);
    format.SetAlignment(AlignmentOf(Alignment));
    format.SetLineAlignment(StringAlignmentCenter);
    format.SetHotkeyPrefix(HotkeyPrefixShow);
    TGPSolidBrush brush(ColorToARGB(Enabled ? Font->Color() : kDisabledText));
    SetHint(g, AntiAlias);

    const bool oneLine = Ellipsis || !WordWrap;
    TGPRectF wideLayout = layout;
    wideLayout.Width = 1000;
    const TGPRectF box = Measure(g, Caption, &font, Draw && oneLine ? wideLayout : layout, &format);
    Result = Box(box);
    if (!Draw) return;
    vcl::String text = Caption;
    if (box.Width > layout.Width && oneLine) {
        const vcl::String suffix = Ellipsis ? "..." : "";
        const std::size_t limit = text.size() + 1;
        for (std::size_t i = 0; i < limit; ++i) {
            const TGPRectF m = Measure(g, text + suffix, &font, wideLayout, &format);
            if (m.Width <= layout.Width || text.empty()) break;
            DropLast(text);
        }
        text += suffix;
    }
    g.DrawString(text, -1, &font, layout, &format, &brush);
}

void DrawGDIPTextTrimmed(TCanvas* Canvas, vcl::TAlignment Alignment, const TRect& R,
                         const vcl::String& Caption, const vcl::String& WideCaption, vcl::TFont* Font,
                         bool Enabled, bool Draw, TAntiAlias AntiAlias, TRect& Result) {
    if (Caption.empty() && WideCaption.empty()) return;
    const vcl::String& text = Caption.empty() ? WideCaption : Caption;
    TGPGraphics g(Canvas->Handle());
    auto family = FamilyOf(Font);
    TGPFont font(family.get(), static_cast<float>(Font->Size()), StyleBits(Font, false), UnitPoint);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    const TGPRectF layout{static_cast<float>(R.Left), static_cast<float>(R.Top),
                          static_cast<float>(R.Right - R.Left), static_cast<float>(R.Bottom - R.Top)};
    TGPStringFormat format(0, 0);
    format.SetAlignment(AlignmentOf(Alignment));
    format.SetLineAlignment(StringAlignmentCenter);
    format.SetHotkeyPrefix(HotkeyPrefixShow);
    format.SetTrimming(StringTrimmingNone);
    TGPSolidBrush brush(ColorToARGB(Enabled ? Font->Color() : kDisabledText));
    SetHint(g, AntiAlias);

    TGPRectF box{};
    if (AntiAlias == aaNone) {
        // The widest word or line decides the width.
        TRect r{RoundHalfEven(layout.X), RoundHalfEven(layout.Y), RoundHalfEven(layout.X) + 2,
                RoundHalfEven(layout.Y)};
        const int height = win::DrawText(Canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
                                         win::DT_CALCRECT | win::DT_WORDBREAK);
        box = TGPRectF{static_cast<float>(r.Left), static_cast<float>(r.Top),
                       static_cast<float>(r.Right - r.Left), static_cast<float>(height)};
    } else {
        box = Measure(g, text, &font, layout, &format);
    }
    Result = Box(box);
    if (!Draw) return;
    if (AntiAlias == aaNone) {
        Canvas->Brush()->SetStyle(vcl::bsClear);
        unsigned align = win::DT_LEFT;
        if (Alignment == vcl::taRightJustify) align = win::DT_RIGHT;
        if (Alignment == vcl::taCenter) align = win::DT_CENTER;
        const int x = RoundHalfEven(layout.X), y = RoundHalfEven(layout.Y);
        TRect r{x, y, x + RoundHalfEven(layout.Width), y + RoundHalfEven(layout.Height)};
        win::DrawText(Canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
                      align | win::DT_VCENTER | win::DT_SINGLELINE);
    } else {
        g.DrawString(text, -1, &font, layout, &format, &brush);
    }
}

} // namespace AdvToolBar
