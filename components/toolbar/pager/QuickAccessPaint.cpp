// The quick access toolbar's background: a framed full-width bar below the pages, or, in the caption
// row, a rounded strip whose left end is cut by the notch of the application button.

#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/pager/QuickAccessToolBar.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/Bitmap.h"
#include "platform/win/GdiDC.h"
#include "platform/win/Messages.h"

namespace AdvToolBar {

using namespace AdvGDIP;

namespace {

void Line(vcl::TCanvas* C, int X1, int Y1, int X2, int Y2) {
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

float F(int V) {
    return static_cast<float>(V);
}

// What the parent shows behind Control, drawn into C at the control's origin.
void PaintParentBackground(vcl::TControl* Control, vcl::TCanvas* C) {
    vcl::TWinControl* parent = Control->Parent();
    if (parent == nullptr) return;
    vcl::TBitmap back(Control->Left() + Control->Width(), Control->Top() + Control->Height());
    win::HDC dc = back.Canvas()->Handle();
    const int saved = win::SaveDC(dc);
    parent->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), reinterpret_cast<win::LPARAM>(dc));
    parent->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
    win::RestoreDC(dc, saved);
    C->Draw(-Control->Left(), -Control->Top(), &back);
}

} // namespace

void TAdvCustomQuickAccessToolBar::Paint() {
    // Off a pager, or while updates are held, the bar paints nothing of its own.
    if (Pager() == nullptr || FUpdateCount > 0) return;
    TCustomAdvToolBarStyler* s = GetCustomAdvToolBarStyler();
    if (s == nullptr) return;
    if (FFullSize)
        PaintFullSize(Canvas(), s);
    else
        PaintCaptionShape(Canvas(), s);
}

void TAdvCustomQuickAccessToolBar::PaintFullSize(vcl::TCanvas* C, TCustomAdvToolBarStyler* S) {
    TQATAppearance* a = S->QATAppearance();
    const vcl::TRect r = GetDrawingRect();
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    if (a->FullSizeColorTo() == vcl::clNone) {
        C->Brush()->SetStyle(vcl::bsSolid);
        C->Brush()->SetColor(a->FullSizeColor());
        C->Pen()->SetColor(a->BorderColor());
        C->Rectangle(r);
        return;
    }
    DrawGradient(C, a->FullSizeColor(), a->FullSizeColorTo(), 80, r, false);
    C->Brush()->SetStyle(vcl::bsClear);
    C->Pen()->SetStyle(vcl::psSolid);
    C->Pen()->SetColor(a->FullSizeBorderColor());
    Line(C, L + 1, T, R - 1, T);
    Line(C, R - 1, T + 1, R - 1, B - 2);
    Line(C, L + 1, B - 2, R - 1, B - 2);
    Line(C, L, T + 1, L, B - 2);
    // A light line inside the frame.
    C->Pen()->SetColor(BlendColor(vcl::clWhite, a->FullSizeColor(), 50));
    Line(C, L + 1, T + 1, R - 1, T + 1);
    Line(C, R, T, R, B - 1);
    Line(C, L + 1, B - 1, R, B - 1);
    Line(C, L + 1, T + 1, L + 1, B - 2);
}

void TAdvCustomQuickAccessToolBar::PaintCaptionShape(vcl::TCanvas* C, TCustomAdvToolBarStyler* S) {
    TQATAppearance* a = S->QATAppearance();
    const int w = Width(), H = Height();
    if (w <= 0 || H <= 0) return;
    vcl::TBitmap bmp(w, H);
    PaintParentBackground(this, bmp.Canvas());

    vcl::TRect r = GetDrawingRect();
    r.Bottom -= 1;
    // The rounded right end and the notch the application button cuts into the left end.
    const int rightX = r.Right - (H + 6), rightY = r.Top - 2;
    const int notchX = r.Left - (H - H / 3 - 2), notchY = r.Top;
    const int notchW = H + (S->WideQATNotch() ? 2 : 1), notchH = H + H / 3 + 3;
    {
        TGPGraphics g(bmp.Canvas()->Handle());
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        TGPRegion region(TGPRectF{F(r.Left), F(r.Top - 1), F(r.Right - H / 2), F(r.Bottom + 1)});
        TGPGraphicsPath right;
        right.AddEllipse(F(rightX), F(rightY), F(H + 4), F(H - 1));
        TGPRegion rightRegion(&right);
        region.Union(&rightRegion);
        TGPGraphicsPath notch;
        notch.AddEllipse(F(notchX), F(notchY), F(notchW), F(notchH));
        region.Exclude(&notch);
        g.SetClip(&region);
        TGPLinearGradientBrush brush(TGPRect{0, 0, w, H}, ColorToARGB(a->Color()), ColorToARGB(a->ColorTo()),
                                     LinearGradientModeVertical);
        g.FillRectangle(&brush, TGPRectF{0, 0, F(w), F(H)});
    }
    // Only the rounded ends of the two ellipses' outlines stay: the strip between them is restored.
    vcl::TBitmap filled(w, H);
    filled.Canvas()->Draw(0, 0, &bmp);
    {
        TGPGraphics g(bmp.Canvas()->Handle());
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        TGPPen pen(ColorToARGB(a->BorderColor()), 1);
        DrawGDIPArc(&g, &pen, rightX, rightY, H + 4, H - 1, 30, 360, false);
        DrawGDIPArc(&g, &pen, notchX, notchY, notchW, notchH, 20, 360, false);
    }
    const vcl::TRect strip{GetLeftMargin() - 1, 0, r.Right - H / 2, H};
    bmp.Canvas()->CopyRect(strip, filled.Canvas(), strip);
    {
        TGPGraphics g(bmp.Canvas()->Handle());
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        const int rw = r.Width();
        const int x = r.Left + H / 3 + 4;
        TGPPen border(ColorToARGB(a->BorderColor()), 1);
        DrawGDIPLine(&g, &border, r.Left, r.Top, rw - 10, 0);
        DrawGDIPLine(&g, &border, x, r.Bottom - 1, rw - 18, 0);
        TVistaTextBackground* caption = S->PagerCaption();
        TGPPen upper(ColorToARGB(BlendColor(caption->Color(), a->BorderColor(), 60)), 1);
        DrawGDIPLine(&g, &upper, r.Left, r.Top - 1, rw - 10, 0);
        TGPPen lower(ColorToARGB(BlendColor(caption->ColorMirror(), a->BorderColor(), 40)), 1);
        DrawGDIPLine(&g, &lower, x, r.Bottom, rw - 20, 0);
    }
    C->Draw(0, 0, &bmp);
}

} // namespace AdvToolBar
