#pragma once
// The menus' gradient routines and the composition of a background (colour, gradient and picture).
// Colours run channel by channel: step i of n is c1 + (c2 - c1) * i / n (truncating), so the last row or
// column stops one step short of the second colour; clNone as the second colour means a solid fill.

#include "components/menus/AdvMenuStylerParts.h"

namespace AdvMenus {

using AdvMenuStylers::TBackground;
using AdvMenuStylers::TGradientDirection;
using AdvMenuStylers::TGradientType;
using vcl::TCanvas;
using vcl::TColor;
using vcl::TRect;

// The colour at step I of N from C1 to C2 (system colours resolved).
TColor GradientStep(TColor C1, TColor C2, int I, int N);

void DrawGradient(TCanvas* ACanvas, const TRect& R, TColor Color, TColor ColorTo,
                  TGradientDirection Direction);
// The part of R inside Clip, in the colours the whole of R would have there.
void DrawGradientClipped(TCanvas* ACanvas, const TRect& R, const TRect& Clip, TColor Color, TColor ColorTo,
                         TGradientDirection Direction);
// Filled (when Fill and Color is set) and framed (when Border is set).
void DrawFramedGradient(TCanvas* ACanvas, const TRect& R, TColor Color, TColor ColorTo,
                        TGradientDirection Direction, TColor Border, bool Fill = true);
// With a mirror colour: the upper half Color to ColorTo, the lower half Mirror to MirrorTo.
void DrawFramedVistaGradient(TCanvas* ACanvas, const TRect& R, TColor Color, TColor ColorTo, TColor Mirror,
                             TColor MirrorTo, TGradientDirection Direction, TColor Border, bool Fill = true);
// A bar whose ends fade over GradientWidth (doubled across a vertical gtBoth bar), inset by Margin.
void DrawGradientEx(TCanvas* ACanvas, TRect R, TColor Color, TColor ColorTo, TGradientDirection Direction,
                    TGradientType Type, int GradientWidth, int Margin);
// A line at the lower top of A and B from A's middle, its ends within Fade of A's edges blended toward
// Color; with LeaveGap it leaves out B's width.
void DrawFadeLine(TCanvas* ACanvas, const TRect& A, const TRect& B, TColor Color, int Fade, bool LeaveGap);
// Composes the background (gradient when PaintGradient, then its picture placed by Position) into its
// work bitmap and draws that at R shrunk by the margins.
void DrawImage(TCanvas* ACanvas, const TRect& R, TBackground* Background, bool PaintGradient);

} // namespace AdvMenus
