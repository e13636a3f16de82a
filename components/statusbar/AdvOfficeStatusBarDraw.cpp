#include "components/statusbar/AdvOfficeStatusBarDraw.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "components/foundation/AdvGDIPBrushes.h"
#include "components/foundation/AdvGDIPGraphics.h"
#include "components/foundation/AdvGDIPText.h"
#include "components/foundation/AdvGDIPUtf16.h"
#include "components/statusbar/ClipScope.h"
#include "components/statusbar/PathShorten.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Screen.h"

namespace AdvOfficeStatusBar {

using namespace vcl;

namespace {

int Channel(std::int32_t C, int Shift) {
    return (C >> Shift) & 0xFF;
}

// Draws with a clip to R added for the duration of Draw.
template <typename F> void Clipped(TCanvas* Canvas, const TRect& R, F Draw) {
    TClipScope clip(Canvas, R);
    Draw();
}

} // namespace

void DrawRectangle(TCanvas* Canvas, const TRect& R, TColor Color) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
}

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                  bool Horizontal) {
    std::int32_t from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
    int n = Steps == 0 ? 1 : std::abs(Steps);
    double step[3];
    for (int ch = 0; ch < 3; ++ch)
        step[ch] = (Channel(to, 8 * ch) - Channel(from, 8 * ch)) / static_cast<double>(n);
    int extent = Horizontal ? R.Right - R.Left : R.Bottom - R.Top;
    double size = extent / static_cast<double>(n);
    int sw = Round(size);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    for (int i = 0; i < n; ++i) {
        int p = Round(i * size);
        // More steps than pixels: a band starting where the next one starts lies wholly under it.
        if (i + 1 < n && Round((i + 1) * size) == p) continue;
        TColor c = 0;
        for (int ch = 0; ch < 3; ++ch)
            c |= std::clamp(Channel(from, 8 * ch) + Round(i * step[ch]), 0, 255) << (8 * ch);
        Canvas->Pen()->SetColor(c);
        Canvas->Brush()->SetColor(c);
        if (Horizontal) {
            Canvas->FillRect(TRect{R.Left + p, R.Top, R.Left + p + sw + 1, R.Bottom});
        } else if (R.Left + 1 >= R.Right) {
            // As every band, a line reaches one pixel past its own stripe: the last one paints the row
            // under the rectangle.
            int y = R.Top + p;
            Canvas->MoveTo(R.Left, y);
            Canvas->LineTo(R.Left, y + sw + 1);
        } else {
            Canvas->FillRect(TRect{R.Left, R.Top + p, R.Right, R.Top + p + sw + 1});
        }
    }
}

void DrawVistaGradient(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                       TColor ColorMirrorTo, TColor BorderColor, bool Fill, bool Vertical) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    if (Fill && Color != clNone) {
        // A band's stripe reaches one pixel past its end, so the last one paints the row (or column) after
        // the rectangle: the status bar leaves it to the panels above its bottom line and erases nothing.
        if (ColorMirror != clNone) {
            TRect first = R, second = R;
            if (Vertical) {
                first.Bottom = second.Top = R.Top + (R.Bottom - R.Top) / 2;
            } else {
                first.Right = second.Left = R.Left + (R.Right - R.Left) / 2;
            }
            DrawGradient(Canvas, Color, ColorTo, 128, first, !Vertical);
            DrawGradient(Canvas, ColorMirror, ColorMirrorTo, 128, second, !Vertical);
        } else {
            DrawGradient(Canvas, Color, ColorTo, 128, R, !Vertical);
        }
    }
    if (BorderColor != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(BorderColor);
        Canvas->FrameRect(R);
    }
}

void DivideInSegment(TCanvas* Canvas, const TRect& R, const TGaugeSettings& Settings, const TRect& GaugeRect,
                     TCanvas* Saved) {
    // Gaps of a band that runs past the gauge (a value above 100) would fall outside the gauge.
    const int right = std::min(R.Right, GaugeRect.Right);
    for (int x = R.Left + 8; x + 2 < right; x += 9) {
        TRect gap{x, R.Top, x + 2, R.Bottom + 1};
        if (Settings.BackGround == clNone && Saved != nullptr)
            Canvas->CopyRect(gap, Saved,
                             TRect{x - GaugeRect.Left, R.Top - GaugeRect.Top, x + 2 - GaugeRect.Left,
                                   R.Bottom + 1 - GaugeRect.Top});
        else
            Canvas->FillRect(gap);
    }
}

namespace {

struct TBand {
    TColor Color, ColorTo, Flat;
};

void FillBand(TCanvas* Canvas, const TRect& R, const TBand& B, const TGaugeSettings& S) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    if (S.ShowGradient) {
        int half = (R.Bottom - R.Top) / 2;
        // Lightest at the top and the bottom.
        DrawGradient(Canvas, B.ColorTo, B.Color, S.Steps, TRect{R.Left, R.Top, R.Right, R.Top + half}, false);
        DrawGradient(Canvas, B.Color, B.ColorTo, S.Steps, TRect{R.Left, R.Top + half, R.Right, R.Bottom},
                     false);
    } else {
        DrawRectangle(Canvas, R, B.Flat);
    }
}

} // namespace

void DrawGauge(TCanvas* Canvas, const TRect& Rect, int Value, const TGaugeSettings& S) {
    if (Rect.Right <= Rect.Left || Rect.Bottom <= Rect.Top) return;
    TRect r = Rect;
    // Only the part of the gauge the canvas can show is kept (a panel may be far wider than the bar).
    TRect kept = r;
    const TRect clip = Canvas->ClipRect();
    kept.Left = std::max(kept.Left, clip.Left), kept.Top = std::max(kept.Top, clip.Top);
    kept.Right = std::max(kept.Left, std::min(kept.Right, clip.Right));
    kept.Bottom = std::max(kept.Top, std::min(kept.Bottom, clip.Bottom));
    TBitmap saved(kept.Right - kept.Left, kept.Bottom - kept.Top);
    saved.Canvas()->CopyRect(TRect{0, 0, saved.Width(), saved.Height()}, Canvas, kept);
    const TRect gaugeRect = kept;
    const long long w0 = static_cast<long long>(r.Right) - r.Left;

    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    if (S.ShowBorder) {
        Canvas->Pen()->SetColor(S.BorderColor);
    } else if (S.BackGround != clNone) {
        Canvas->Pen()->SetColor(S.BackGround);
    }
    if (S.BackGround != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(S.BackGround);
        Canvas->Rectangle(r);
    } else if (S.ShowBorder) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Rectangle(r);
    }
    if (S.ShowBorder) r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    // The fill length of 100 %. Band lengths are reckoned in floating point and edges in 64 bits: a value
    // far past 100 (a position far outside Min..Max) times the width leaves the int range. The fill is
    // clipped to the gauge, so an edge is kept to the gauge's own: such a value fills it, and one at or
    // below 0 leaves it empty.
    const double w = static_cast<double>(w0 - 2 - (S.ShowBorder ? 2 : 0));
    const int right = std::max(r.Left, r.Right); // a border inside a gauge 2 pixels wide leaves nothing
    auto edge = [&](long long X) { return static_cast<int>(std::clamp<long long>(X, r.Left, right)); };
    auto band = [&](long long Left, long long Top, long long Right, long long Bottom) {
        auto row = [](long long Y) { return static_cast<int>(std::clamp<long long>(Y, INT_MIN, INT_MAX)); };
        return TRect{edge(Left), row(Top), edge(Right), row(Bottom)};
    };

    auto segment = [&](TRect b) {
        if (S.CompletionSmooth) return;
        b.Top += 1;
        b.Bottom -= 1;
        if (S.BackGround != clNone) {
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(S.BackGround);
        }
        DivideInSegment(Canvas, b, S, gaugeRect, saved.Canvas());
    };

    // A value past 100 would run the fill over the neighbouring panels: the fill stays inside.
    Clipped(Canvas, r, [&] {
        const double value = Value;
        if (Value > 0 && S.Stacked) {
            const TBand bands[3] = {{S.Level0Color, S.Level0ColorTo, S.Level0Color},
                                    {S.Level1Color, S.Level1ColorTo, S.Level1Color},
                                    {S.Level2Color, S.Level2ColorTo, S.Level3Color}};
            const double level1 = S.Level1Perc, level2 = S.Level2Perc;
            long long x = static_cast<long long>(r.Left) + 1;
            long long done = 0;
            for (int i = 0; i < 3; ++i) {
                long long len = 0;
                bool last = false;
                if (i == 0) {
                    last = Value < S.Level1Perc;
                    len = Round((last ? value : level1) / 100.0 * w);
                } else if (i == 1) {
                    last = Value < S.Level2Perc;
                    len = Round(w * ((last ? value : level2) - level1) / 100.0);
                } else {
                    len =
                        Value == 100 ? static_cast<long long>(w) - done : Round(w * (value - level2) / 100.0);
                }
                const TRect b = band(x, r.Top + 1LL, x + len, r.Bottom - 2LL);
                FillBand(Canvas, b, bands[i], S);
                segment(b);
                x += len;
                done += len;
                if (last) break;
            }
        } else if (Value > 0) {
            TBand colours = Value < S.Level1Perc    ? TBand{S.Level0Color, S.Level0ColorTo, S.Level0Color}
                            : Value >= 100          ? TBand{S.Level3Color, S.Level3ColorTo, S.Level3Color}
                            : Value >= S.Level2Perc ? TBand{S.Level2Color, S.Level2ColorTo, S.Level2Color}
                                                    : TBand{S.Level1Color, S.Level1ColorTo, S.Level1Color};
            const long long left = r.Left;
            if (S.CompletionSmooth) {
                FillBand(Canvas,
                         band(left + 1, r.Top + 1LL, left + 1 + Round(value / 100.0 * w), r.Bottom - 2LL),
                         colours, S);
            } else {
                const TRect b = band(left + 2, r.Top + 2LL, left + Round(value * w / 100.0), r.Bottom - 3LL);
                FillBand(Canvas, b, colours, S);
                if (S.BackGround != clNone) {
                    Canvas->Brush()->SetStyle(bsSolid);
                    Canvas->Brush()->SetColor(S.BackGround);
                }
                DivideInSegment(Canvas, b, S, gaugeRect, saved.Canvas());
            }
        }
    });

    String text;
    if (S.ShowPercentage)
        text = S.ShowAsPercent ? IntToStr(Value) + "%" : S.Prefix + IntToStr(S.Position) + S.Suffix;
    else
        text = S.Text;
    if (text.empty()) return;
    if (S.Font != nullptr) Canvas->Font()->Assign(S.Font);
    Canvas->Brush()->SetStyle(bsClear);
    TSize size = Canvas->TextExtent(text);
    auto centred = [](int Low, int High, int Extent) {
        const long long at = Low + (static_cast<long long>(High) - Low) / 2 - Extent / 2;
        return static_cast<int>(std::clamp<long long>(at, INT_MIN, INT_MAX));
    };
    Canvas->TextOut(centred(r.Left, r.Right, size.cx), centred(r.Top, r.Bottom, size.cy), text);
}

bool IsVectorFontAvailable(TCanvas* Canvas) {
    // Every font the system offers here is scalable: the question is whether the system has it.
    if (vcl::Screen == nullptr) return false;
    TStrings* fonts = vcl::Screen->Fonts();
    const String& name = Canvas->Font()->Name();
    for (int i = 0; i < fonts->Count(); ++i)
        if (SameText(fonts->Strings(i), name)) return true;
    return false;
}

void DrawGDIPText(TCanvas* Canvas, TAlignment Alignment, unsigned Flags, const TRect& Rect, String Text,
                  TFont* Font, bool Enabled, bool Draw, AdvGDIP::TAntiAlias AntiAlias, bool Ellipsis,
                  bool KeepWhole, TRect& CalcRect) {
    CalcRect = TRect{0, 0, 0, 0};
    if (Text.empty()) return;
    if (Font != nullptr) Canvas->Font()->SetName(Font->Name());
    // Paths are shortened by leading folders, whichever way the text is drawn: the text drawing's own
    // path ellipsis does not know the folders of a stored path.
    if ((Flags & win::DT_PATH_ELLIPSIS) != 0) {
        Text = EllipsisText(true, Text, Canvas, Rect.Right - Rect.Left);
        Flags = (Flags & ~win::DT_PATH_ELLIPSIS) | win::DT_END_ELLIPSIS;
        if (Text.empty()) return;
    }
    if (AntiAlias == AdvGDIP::aaNone || !IsVectorFontAvailable(Canvas)) {
        win::RECT calc{0, 0, 1000, 100};
        win::DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &calc,
                      win::DT_CALCRECT | win::DT_NOPREFIX | win::DT_SINGLELINE);
        CalcRect = calc;
        if (Draw) {
            win::RECT r = Rect;
            win::DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &r, Flags);
        }
        return;
    }
    using namespace AdvGDIP;
    win::HDC dc = Canvas->Handle();
    TGPGraphics graphics(dc);
    TGPFontFamily family(Font != nullptr ? Font->Name() : Canvas->Font()->Name());
    TGPFont font(&family, static_cast<float>(Font != nullptr ? Font->Size() : Canvas->Font()->Size()));
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    TGPRectF layout =
        MakeRect(static_cast<float>(Rect.Left), static_cast<float>(Rect.Top),
                 static_cast<float>(Rect.Right - Rect.Left), static_cast<float>(Rect.Bottom - Rect.Top));
    TGPStringFormat format;
    format.SetAlignment(Alignment == taRightJustify ? StringAlignmentFar
                        : Alignment == taCenter     ? StringAlignmentCenter
                                                    : StringAlignmentNear);
    format.SetLineAlignment(StringAlignmentCenter);
    format.SetHotkeyPrefix(HotkeyPrefixNone);
    TColor color = Font != nullptr ? Font->Color() : Canvas->Font()->Color();
    TGPSolidBrush brush(ColorToARGB(Enabled ? color : TColor(0x808080)));
    graphics.SetTextRenderingHint(AntiAlias == aaClearType ? TextRenderingHintClearTypeGridFit
                                                           : TextRenderingHintAntiAlias);
    auto measure = [&](const String& S, const TGPRectF& In) {
        std::vector<gdip::WCHAR> w = Utf8ToUtf16Buffer(S);
        TGPRectF box{};
        graphics.MeasureString(w.data(), static_cast<int>(w.size()) - 1, &font, In, &format, box);
        return box;
    };
    TGPRectF wide = layout;
    if (Draw && (Ellipsis || !KeepWhole)) wide.Width = 1000;
    TGPRectF box = measure(Text, wide);
    CalcRect = TRect{Round(box.X), Round(box.Y), Round(box.X + box.Width), Round(box.Y + box.Height)};
    CalcRect = TRect{0, 0, CalcRect.Right - CalcRect.Left, CalcRect.Bottom - CalcRect.Top};
    if (!Draw) return;
    if (box.Width > layout.Width && (Ellipsis || !KeepWhole)) {
        String suffix = Ellipsis ? "..." : "";
        // Characters go from the end (whole UTF-8 sequences) until the text and its suffix fit.
        while (!Text.empty() && measure(Text + suffix, wide).Width > layout.Width) {
            size_t cut = Text.size() - 1;
            while (cut > 0 && (static_cast<unsigned char>(Text[cut]) & 0xC0) == 0x80)
                --cut;
            Text.erase(cut);
        }
        Text += suffix;
    }
    std::vector<gdip::WCHAR> w = Utf8ToUtf16Buffer(Text);
    graphics.DrawString(w.data(), static_cast<int>(w.size()) - 1, &font, layout, &format, &brush);
}

} // namespace AdvOfficeStatusBar
