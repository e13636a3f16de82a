#include "components/menus/AdvMenuGradient.h"

#include <algorithm>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Picture.h"

namespace AdvMenus {

using namespace vcl;
using namespace AdvMenuStylers;

namespace {

struct Rgb {
    int R, G, B;
};

Rgb Channels(TColor C) {
    auto v = static_cast<std::uint32_t>(ColorToRGB(C));
    return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
            static_cast<int>((v >> 16) & 0xFF)};
}

void FillSolid(TCanvas* C, const TRect& R, TColor Color) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FillRect(R);
}

void Frame(TCanvas* C, const TRect& R, TColor Color) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FrameRect(R);
}

// One row (vertical) or column (horizontal) at a time.
void Lines(TCanvas* C, const TRect& R, TColor From, TColor To, bool Vertical, int First, int Count,
           int Steps) {
    for (int i = 0; i < Count; ++i) {
        TColor c = GradientStep(From, To, i, Steps);
        if (Vertical)
            FillSolid(C, TRect{R.Left, First + i, R.Right, First + i + 1}, c);
        else
            FillSolid(C, TRect{First + i, R.Top, First + i + 1, R.Bottom}, c);
    }
}

} // namespace

TColor GradientStep(TColor C1, TColor C2, int I, int N) {
    if (N <= 0) return C1;
    Rgb a = Channels(C1), b = Channels(C2);
    auto ch = [&](int x, int y) { return x + (y - x) * I / N; };
    return static_cast<TColor>(ch(a.R, b.R) | (ch(a.G, b.G) << 8) | (ch(a.B, b.B) << 16));
}

void DrawGradient(TCanvas* ACanvas, const TRect& R, TColor Color, TColor ColorTo,
                  TGradientDirection Direction) {
    // No colour paints nothing (a textured background shows through).
    if (Color == clNone) return;
    if (ColorTo == clNone) ColorTo = Color;
    if (ColorToRGB(Color) == ColorToRGB(ColorTo)) {
        FillSolid(ACanvas, R, Color);
        return;
    }
    if (R.Bottom - R.Top <= 0) return;
    if (Direction == gdVertical)
        Lines(ACanvas, R, Color, ColorTo, true, R.Top, R.Bottom - R.Top, R.Bottom - R.Top);
    else
        Lines(ACanvas, R, Color, ColorTo, false, R.Left, R.Right - R.Left, R.Right - R.Left);
}

void DrawGradientClipped(TCanvas* ACanvas, const TRect& R, const TRect& Clip, TColor Color, TColor ColorTo,
                         TGradientDirection Direction) {
    TRect c{std::max(R.Left, Clip.Left), std::max(R.Top, Clip.Top), std::min(R.Right, Clip.Right),
            std::min(R.Bottom, Clip.Bottom)};
    if (c.Right <= c.Left || c.Bottom <= c.Top) return;
    if (ColorTo == clNone) ColorTo = Color;
    TColor from = Color, to = ColorTo;
    if (Direction == gdHorizontal) {
        from = GradientStep(Color, ColorTo, c.Left - R.Left, R.Right - R.Left);
        to = GradientStep(Color, ColorTo, c.Right - R.Left, R.Right - R.Left);
    } else {
        from = GradientStep(Color, ColorTo, c.Top - R.Top, R.Bottom - R.Top);
        to = GradientStep(Color, ColorTo, c.Bottom - R.Top, R.Bottom - R.Top);
    }
    DrawGradient(ACanvas, c, from, to, Direction);
}

void DrawFramedGradient(TCanvas* ACanvas, const TRect& R, TColor Color, TColor ColorTo,
                        TGradientDirection Direction, TColor Border, bool Fill) {
    if (Fill && Color != clNone) DrawGradient(ACanvas, R, Color, ColorTo, Direction);
    if (Border != clNone) Frame(ACanvas, R, Border);
}

void DrawFramedVistaGradient(TCanvas* ACanvas, const TRect& R, TColor Color, TColor ColorTo, TColor Mirror,
                             TColor MirrorTo, TGradientDirection Direction, TColor Border, bool Fill) {
    if (Fill && Color != clNone) {
        if (Mirror != clNone) {
            const int mid = R.Top + (R.Bottom - R.Top) / 2;
            DrawGradient(ACanvas, TRect{R.Left, R.Top, R.Right, mid}, Color, ColorTo, Direction);
            DrawGradient(ACanvas, TRect{R.Left, mid, R.Right, R.Bottom}, Mirror, MirrorTo, Direction);
        } else {
            DrawGradient(ACanvas, R, Color, ColorTo, Direction);
        }
    }
    if (Border != clNone) Frame(ACanvas, R, Border);
}

void DrawGradientEx(TCanvas* ACanvas, TRect R, TColor Color, TColor ColorTo, TGradientDirection Direction,
                    TGradientType Type, int GradientWidth, int Margin) {
    if (ColorTo == clNone) ColorTo = Color;
    const TColor solid = Type == gtBoth ? Color : ColorTo;
    int gw = GradientWidth;
    const bool vertical = Direction == gdVertical;
    if (vertical) {
        R.Top += Margin;
        R.Bottom -= Margin;
        if (Type == gtBoth) gw *= 2;
    } else {
        R.Left += Margin;
        R.Right -= Margin;
    }
    const int lo = vertical ? R.Top : R.Left;
    const int hi = vertical ? R.Bottom : R.Right;
    auto span = [&](int a, int b) {
        return vertical ? TRect{R.Left, a, R.Right, b} : TRect{a, R.Top, b, R.Bottom};
    };
    if (hi - lo <= gw) {
        gw = hi - lo;
    } else if (Type == gtLeft) {
        FillSolid(ACanvas, vertical ? span(lo, hi - gw) : span(lo + gw, hi), solid);
    } else if (Type == gtRight) {
        FillSolid(ACanvas, vertical ? span(lo + gw, hi) : span(lo, hi - gw), solid);
    } else {
        FillSolid(ACanvas, span(lo + gw / 2, hi - gw / 2), solid);
    }
    if (gw <= 0) return;
    // The fading ends, in the order and colours of each type.
    auto fade = [&](int first, int count, TColor from, TColor to) {
        if (count > 0) Lines(ACanvas, R, from, to, vertical, first, count, count);
    };
    if (vertical) {
        if (Type == gtLeft) fade(hi - gw, gw, ColorTo, Color);
        if (Type == gtRight) fade(lo, gw, Color, ColorTo);
    } else {
        if (Type == gtLeft) fade(lo, gw, Color, ColorTo);
        if (Type == gtRight) fade(hi - gw, gw, ColorTo, Color);
    }
    if (Type == gtBoth) {
        fade(lo, gw / 2, ColorTo, Color);
        fade(hi - gw / 2, gw / 2, Color, ColorTo);
    }
}

void DrawFadeLine(TCanvas* ACanvas, const TRect& A, const TRect& B, TColor Color, int Fade, bool LeaveGap) {
    const int y = std::max(A.Top, B.Top);
    const int mid = A.Left + (A.Right - A.Left) / 2;
    const Rgb c = Channels(Color);
    auto put = [&](int x) {
        int d = std::min(x - A.Left, A.Right - 1 - x);
        if (Fade > 0 && d < Fade) {
            Rgb o = Channels(ACanvas->GetPixel(x, y));
            auto mix = [&](int from, int to) { return from + (to - from) * d / Fade; };
            ACanvas->SetPixel(x, y, mix(o.R, c.R) | (mix(o.G, c.G) << 8) | (mix(o.B, c.B) << 16));
        } else {
            ACanvas->SetPixel(x, y, Color);
        }
    };
    if (LeaveGap) {
        for (int x = A.Left; x < std::min(mid, B.Left - 1); ++x)
            put(x);
        for (int x = std::max(mid, B.Right); x < A.Right; ++x)
            put(x);
    } else {
        for (int x = mid; x < A.Right; ++x)
            put(x);
    }
}

void DrawImage(TCanvas* ACanvas, const TRect& R, TBackground* Background, bool PaintGradient) {
    TRect d{R.Left + Background->MarginX, R.Top + Background->MarginY, R.Right - Background->MarginX,
            R.Bottom - Background->MarginY};
    if (d.Right <= d.Left || d.Bottom <= d.Top) return;
    TBitmap* work = Background->GetBitmap();
    work->SetSize(d.Right - d.Left, d.Bottom - d.Top);
    TGraphic* picture = Background->HasImage() ? Background->Image()->Graphic() : nullptr;
    if (picture && picture->Empty()) picture = nullptr;
    const bool covering = picture && !picture->Transparent() &&
                          (Background->Position == bpTiled || Background->Position == bpStretched);
    const TRect local{0, 0, work->Width(), work->Height()};
    if (PaintGradient && !covering)
        DrawGradient(work->Canvas(), local, Background->Color(), Background->ColorTo(),
                     Background->GradientDirection());
    // A picture that covers the whole background over no colour has nothing to show through it.
    const bool wasTransparent = picture && picture->Transparent();
    const bool opaque = picture && (Background->Position == bpTiled || Background->Position == bpStretched) &&
                        (!PaintGradient || Background->Color() == clNone);
    if (opaque && wasTransparent) picture->SetTransparent(false);
    if (picture) {
        TCanvas* wc = work->Canvas();
        switch (Background->Position) {
        case bpTiled:
            for (int y = 0; y < local.Bottom; y += picture->Height())
                for (int x = 0; x < local.Right; x += picture->Width())
                    wc->Draw(x, y, picture);
            break;
        case bpStretched:
            wc->StretchDraw(local, picture);
            break;
        case bpXY:
            wc->Draw(Background->OffsetX, Background->OffsetY, picture);
            break;
        default: {
            int x = 0, y = 0;
            Background->CalcPicturePosition(local, x, y);
            wc->Draw(x, y, picture);
        }
        }
    }
    if (opaque && wasTransparent) picture->SetTransparent(true);
    ACanvas->Draw(d.Left, d.Top, work);
}

} // namespace AdvMenus
