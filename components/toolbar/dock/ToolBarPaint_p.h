#pragma once
// Small drawing helpers shared by the toolbar's painting units; nothing outside them includes this.

#include <initializer_list>

#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/Canvas.h"

namespace AdvToolBar::paint {

inline constexpr TColor clNone = vcl::clNone;

struct TSeg {
    int X1, Y1, X2, Y2;
};

inline void Lines(vcl::TCanvas* C, TColor Color, std::initializer_list<TSeg> Segs) {
    C->Pen()->SetStyle(vcl::psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(Color);
    for (const TSeg& s : Segs) {
        C->MoveTo(s.X1, s.Y1);
        C->LineTo(s.X2, s.Y2);
    }
}

inline void Pixel(vcl::TCanvas* C, int X, int Y, TColor Color) {
    C->Pixels[X][Y] = Color;
}

// One step of a fade: Position percent of First, the rest of Second (BlendColor). An unset colour cannot
// be mixed: the fade switches from one value to the other half way instead of blending toward a
// meaningless colour.
inline TColor FadeColor(TColor First, TColor Second, int Position) {
    if (First == clNone || Second == clNone) return Position >= 50 ? First : Second;
    return BlendColor(First, Second, Position);
}

// Fills R with Color alone when ColorTo is not set, else with Steps bands from Color to ColorTo.
inline void FillOrGradient(vcl::TCanvas* C, TColor Color, TColor ColorTo, int Steps, const vcl::TRect& R,
                           bool LeftToRight) {
    if (Color == clNone && ColorTo == clNone) return;
    if (Color == clNone || ColorTo == clNone) {
        TColor only = Color == clNone ? ColorTo : Color;
        C->Pen()->SetColor(only);
        C->Brush()->SetStyle(vcl::bsSolid);
        C->Brush()->SetColor(only);
        C->FillRect(R);
        return;
    }
    DrawGradient(C, Color, ColorTo, Steps, R, LeftToRight);
}

} // namespace AdvToolBar::paint
