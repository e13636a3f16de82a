// How the status bar paints itself: the panels side by side in the styler's light or dark appearance,
// each panel's content by its style, the simple text, the size grip and the frame; and the measuring of
// auto-sized panels.

#include <algorithm>

#include "components/foundation/AdvStyleIF.h"
#include "components/statusbar/AdvOfficeStatusBar.h"
#include "components/statusbar/AdvOfficeStatusBarDraw.h"
#include "components/statusbar/ClipScope.h"
#include "components/statusbar/HTMLRender.h"
#include "components/toolbar/pager/AdvToolBarForm.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Form.h"

namespace AdvOfficeStatusBar {

using namespace vcl;

namespace {

bool IsEmptyRect(const TRect& R) {
    return R.Left >= R.Right || R.Top >= R.Bottom;
}

void Line(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2) {
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(Color);
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

constexpr unsigned kTextFlags =
    win::DT_SINGLELINE | win::DT_VCENTER | win::DT_NOPREFIX | win::DT_END_ELLIPSIS;

} // namespace

TVistaBackground* TAdvOfficeStatusBar::AppearanceOf(TAdvOfficeStatusPanel* Panel) const {
    if (FCurrentStyler == nullptr) return nullptr;
    return Panel->AppearanceStyle() == psDark ? FCurrentStyler->PanelAppearanceDark()
                                              : FCurrentStyler->PanelAppearanceLight();
}

void TAdvOfficeStatusBar::Paint() {
    DrawAllPanels();
    if (auto* form = dynamic_cast<AdvToolBar::TAdvToolBarForm*>(Parent())) DrawFormCorners(form);
    if (FOfficeStatusBarStyler != nullptr && FOfficeStatusBarStyler->BorderColor() != clNone)
        Line(Canvas(), FOfficeStatusBarStyler->BorderColor(), 0, 0, Width(), 0);
}

void TAdvOfficeStatusBar::DrawFormCorners(AdvToolBar::TAdvToolBarForm* Form) {
    // Before Vista the captionless form is cut to a rounded region: the bar at its bottom draws the
    // form's rounded corners over its own, in the outline colour of the form's pagers or in the border
    // colour of the bar's own styler.
    if (AdvStyleIF::IsVista()) return;
    TColor color = Form->OutlineColor();
    if (FOfficeStatusBarStyler != nullptr && FOfficeStatusBarStyler->BorderColor() != clNone)
        color = FOfficeStatusBarStyler->BorderColor();
    if (ColorToRGB(color) == ColorToRGB(clWhite)) color = clBlack;
    const int w = Width(), h = Height();
    const int lines[8][4] = {{0, h - 7, 0, h},
                             {1, h - 4, 1, h},
                             {0, h - 1, 7, h - 1},
                             {1, h - 2, 4, h - 2},
                             {w - 1, h - 7, w - 1, h},
                             {w - 2, h - 4, w - 2, h},
                             {w - 1, h - 1, w - 8, h - 1},
                             {w - 1, h - 2, w - 5, h - 2}};
    for (const auto& l : lines)
        Line(Canvas(), color, l[0], l[1], l[2], l[3]);
}

void TAdvOfficeStatusBar::DrawAllPanels() {
    if (FCurrentStyler == nullptr) return;
    if (FSimplePanel) {
        DrawSimplePanel();
    } else {
        for (int i = 0; i < FPanels->Count(); ++i)
            DrawPanel(FPanels->GetItem(i), GetPaintRect(i));
    }
    if (HasSizeGrip()) DrawSizeGrip(TRect{Width() - 18, 0, Width() - 3, Height() - 1});
    TCanvas* c = Canvas();
    TColor border = FCurrentStyler->BorderColor();
    int w = Width() - 1, h = Height() - 1;
    if (border == clNone) return;
    Line(c, border, 0, 0, 0, h);
    Line(c, border, 0, h, w, h);
    Line(c, border, w, h, w, 0);
    // The top edge is lighter than the other three.
    Line(c, BlendColor(border, clWhite, 80), 0, 0, Width(), 0);
}

void TAdvOfficeStatusBar::DrawPanelBackGround(TAdvOfficeStatusPanel* Panel, const TRect& Rect) {
    TVistaBackground* a = AppearanceOf(Panel);
    const int index = IndexOfPanel(Panel);
    const bool down = Panel->Button() && index == FDownPanel;
    const bool hot = Panel->Button() && index == FHotPanel;
    TColor border = a->BorderColor(), from = a->Color(), to = a->ColorTo(), mirror = a->ColorMirror(),
           mirrorTo = a->ColorMirrorTo();
    if (down) {
        border = a->BorderColorDown(), from = a->ColorDown(), to = a->ColorDownTo();
        mirror = a->ColorMirrorDown(), mirrorTo = a->ColorMirrorDownTo();
    } else if (hot) {
        border = a->BorderColorHot(), from = a->ColorHot(), to = a->ColorHotTo();
        mirror = a->ColorMirrorHot(), mirrorTo = a->ColorMirrorHotTo();
    }
    TRect r = Rect;
    if (index > 0) r.Left += 2;
    DrawVistaGradient(Canvas(), r, from, to, mirror, mirrorTo, border, true, true);
    if (index <= 0) return;
    // The separator: two columns, light at both ends and darkest in the middle.
    TColor c = a->ColorTo();
    int h = (Rect.Bottom - Rect.Top) / 2;
    int l = Rect.Left, t = Rect.Top, b = Rect.Bottom;
    TColor outer = BlendColor(c, clWhite, 70);
    DrawGradient(Canvas(), outer, c, 40, TRect{l, t, l + 1, t + h + 1}, false);
    DrawGradient(Canvas(), c, outer, 40, TRect{l, t + h, l + 1, b}, false);
    TColor inner = BlendColor(c, clWhite, 50), innerEnd = BlendColor(c, clWhite, 10);
    DrawGradient(Canvas(), inner, innerEnd, 40, TRect{l + 1, t, l + 2, t + h + 1}, false);
    DrawGradient(Canvas(), innerEnd, inner, 40, TRect{l + 1, t + h, l + 2, b}, false);
}

void TAdvOfficeStatusBar::DrawMarkup(const String& Text, const TRect& R, int OffsetX, int OffsetY) {
    HTMLRender::THTMLRenderArgs a;
    a.ImageList = FImages;
    a.Pictures = FContainer;
    a.AnchorColor = FURLColor;
    a.ShadowColor = 0x808080;
    a.BlinkOn = FTick > 5;
    HTMLRender::THTMLRenderResult result;
    TRect bounds{R.Left + OffsetX, R.Top + OffsetY, R.Right, R.Bottom};
    TClipScope clip(Canvas(), R);
    HTMLRender::RenderHTML(Canvas(), Text, bounds, a, result);
}

void TAdvOfficeStatusBar::DrawPanelText(TAdvOfficeStatusPanel* Panel, const TRect& R, unsigned Flags,
                                        bool Ellipsis) {
    if (IsEmptyRect(R)) return;
    if (Panel->Alignment() == taRightJustify) Flags |= win::DT_RIGHT;
    if (Panel->Alignment() == taCenter) Flags |= win::DT_CENTER;
    TRect calc;
    String text = Panel->Text();
    DrawGDIPText(Canvas(), Panel->Alignment(), Flags, R, text, Canvas()->Font(), Enabled(), true, FAntiAlias,
                 Ellipsis, false, calc);
}

void TAdvOfficeStatusBar::DrawPanelImage(TAdvOfficeStatusPanel* Panel, TCustomImageList* List, int Index,
                                         TRect& R) {
    R.Left += 2;
    int y = R.Top + (R.Bottom - R.Top - List->Height()) / 2;
    if (Panel->Enabled())
        List->Draw(Canvas(), R.Left, y, Index, true);
    else if (FDisabledImages != nullptr && List == FImages)
        FDisabledImages->Draw(Canvas(), R.Left, y, Index, true);
    else
        List->Draw(Canvas(), R.Left, y, Index, false);
    R.Left += List->Width();
}

void TAdvOfficeStatusBar::DrawPanel(TAdvOfficeStatusPanel* Panel, const TRect& Rect) {
    if (IsEmptyRect(Rect) || FCurrentStyler == nullptr) return;
    TCanvas* c = Canvas();
    TRect r = Rect;
    if (FOfficeStatusBarStyler != nullptr && FOfficeStatusBarStyler->BorderColor() != clNone) {
        r.Top += 1;
        r.Bottom -= 1;
    }
    DrawPanelBackGround(Panel, r);
    r.Left += 2;
    r.Right -= 2;
    if (HasSizeGrip() && IsLastPanel(Panel)) {
        r.Right -= 15;
        if (IsEmptyRect(r)) return;
    }
    TVistaBackground* a = AppearanceOf(Panel);
    const int index = IndexOfPanel(Panel);
    const bool down = Panel->Button() && index == FDownPanel;
    const bool hot = Panel->Button() && index == FHotPanel;
    c->Font()->Assign(Font());
    c->Font()->SetStyle(a->TextStyle());
    c->Font()->SetColor(down ? a->TextColorDown() : hot ? a->TextColorHot() : a->TextColor());
    if (!Panel->Enabled()) c->Font()->SetColor(0x808080);
    c->Brush()->SetStyle(bsClear);
    // Content never spills into the neighbours: a panel is cut to its own place.
    TClipScope clip(c, Rect);
    switch (Panel->Style()) {
    case psHTML:
        DrawMarkup(Panel->Text(), r, Panel->HTMLOffsetX(), Panel->HTMLOffsetY());
        break;
    case psProgress: {
        TProgressStyle* p = Panel->Progress();
        TGaugeSettings s;
        s.Level0Color = p->Level0Color(), s.Level0ColorTo = p->Level0ColorTo();
        s.Level1Color = p->Level1Color(), s.Level1ColorTo = p->Level1ColorTo();
        s.Level2Color = p->Level2Color(), s.Level2ColorTo = p->Level2ColorTo();
        s.Level3Color = p->Level3Color(), s.Level3ColorTo = p->Level3ColorTo();
        s.Level1Perc = p->Level1Perc(), s.Level2Perc = p->Level2Perc();
        s.BorderColor = p->BorderColor(), s.ShowBorder = p->ShowBorder(), s.Stacked = p->Stacked();
        s.ShowPercentage = p->ShowPercentage(), s.CompletionSmooth = p->CompletionSmooth();
        s.ShowGradient = p->ShowGradient(), s.BackGround = p->BackGround(), s.Position = p->Position();
        s.Prefix = p->Prefix(), s.Suffix = p->Suffix(), s.Text = Panel->Text();
        s.Font = c->Font(), s.Steps = 11, s.Orientation = goHorizontal;
        s.ShowAsPercent = p->Indication() == piPercentage;
        DrawGauge(c, r, GaugeValue(p->Min(), p->Max(), p->Position()), s);
        break;
    }
    case psImage:
        if (FImages != nullptr) DrawPanelImage(Panel, FImages, Panel->ImageIndex(), r);
        r.Left += 2;
        DrawPanelText(Panel, r, kTextFlags, true);
        break;
    case psImageList:
        if (FImages != nullptr)
            for (int i = 0; i < Panel->ImageCount(); ++i)
                DrawPanelImage(Panel, FImages, Panel->GetImageIndexes(i), r);
        break;
    case psAnimation:
        if (Panel->AnimationImages() != nullptr)
            DrawPanelImage(Panel, Panel->AnimationImages(), Panel->Animated() ? Panel->AnimationIndex() : 0,
                           r);
        r.Left += 2;
        DrawPanelText(Panel, r, kTextFlags, true);
        break;
    case psEllipsText:
        if (Panel->Alignment() == taLeftJustify) r.Left += 2;
        DrawPanelText(Panel, r, kTextFlags, true);
        break;
    case psFileEllipsText:
        if (Panel->Alignment() == taLeftJustify) r.Left += 2;
        DrawPanelText(Panel, r, (kTextFlags & ~win::DT_END_ELLIPSIS) | win::DT_PATH_ELLIPSIS, false);
        break;
    case psOwnerDraw:
        if (OnDrawPanel) {
            OnDrawPanel(this, Panel, Rect);
            break;
        }
        [[fallthrough]];
    default:
        r.Left += 2;
        r.Right -= 2;
        DrawPanelText(Panel, r, kTextFlags, true);
        break;
    }
}

void TAdvOfficeStatusBar::DrawSimplePanel() {
    TVistaBackground* a = FCurrentStyler->PanelAppearanceLight();
    DrawVistaGradient(Canvas(), TRect{0, 0, Width(), Height()}, a->Color(), a->ColorTo(), a->ColorMirror(),
                      a->ColorMirrorTo(), clNone, true, true);
    Canvas()->Font()->Assign(Font());
    Canvas()->Font()->SetColor(a->TextColor());
    Canvas()->Brush()->SetStyle(bsClear);
    DrawMarkup(FSimpleText, GetSimplePanelRect(), 2, 2);
}

void TAdvOfficeStatusBar::DrawSizeGrip(const TRect& Rect) {
    TCanvas* c = Canvas();
    const int x = Rect.Left, b = Rect.Bottom;
    // A triangle of three, two and one dots, each a light square with a darker one up and left of it.
    static const int dots[6][2] = {{5, 4}, {9, 4}, {13, 4}, {13, 8}, {13, 12}, {9, 8}};
    auto squares = [&](TColor Color, int Shift) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color);
        c->Pen()->SetColor(Color);
        for (const auto& d : dots)
            c->FillRect(
                TRect{x + d[0] - Shift, b - d[1] - Shift, x + d[0] + 2 - Shift, b - d[1] + 2 - Shift});
    };
    squares(BlendColor(FCurrentStyler->PanelAppearanceDark()->Color(), clWhite, 50), 0);
    squares(BlendColor(FCurrentStyler->BorderColor(), clWhite, 100), 1);
}

void TAdvOfficeStatusBar::AutoSizePanels() {
    if (FPanels == nullptr) return;
    std::unique_ptr<TBitmap> measure;
    for (int i = 0; i < FPanels->Count(); ++i) {
        TAdvOfficeStatusPanel* panel = FPanels->GetItem(i);
        if (!panel->AutoSize()) continue;
        if (!measure) {
            measure = std::make_unique<TBitmap>(1, 1);
            measure->Canvas()->Font()->Assign(Font());
        }
        if (panel->Style() == psHTML) {
            HTMLRender::THTMLRenderArgs a;
            a.NoDraw = true;
            a.ImageList = FImages;
            a.Pictures = FContainer;
            HTMLRender::THTMLRenderResult r;
            HTMLRender::RenderHTML(measure->Canvas(), panel->Text(), TRect{0, 0, 1000, 100}, a, r);
            panel->SetWidth(std::max(panel->MinWidth(), r.MaxLineWidth + 10));
            continue;
        }
        String text;
        int imageWidth = 0;
        switch (panel->Style()) {
        case psText:
        case psTime:
        case psDate:
            text = panel->Text();
            break;
        case psNumLock:
            text = "NUM";
            break;
        case psCapsLock:
            text = "CAP";
            break;
        case psScrollLock:
            text = "SCRL";
            break;
        case psImage:
            text = panel->Text();
            if (FImages != nullptr && panel->ImageIndex() >= 0) imageWidth = FImages->Width();
            break;
        default:
            continue;
        }
        if (text.empty()) continue;
        TRect calc;
        DrawGDIPText(measure->Canvas(), panel->Alignment(),
                     win::DT_SINGLELINE | win::DT_VCENTER | win::DT_END_ELLIPSIS, TRect{0, 0, 1000, 100},
                     text, measure->Canvas()->Font(), true, false, FAntiAlias, true, false, calc);
        panel->SetWidth(std::max(panel->MinWidth(), calc.Right - calc.Left + imageWidth + 12));
    }
}

bool TAdvOfficeStatusBar::SizeGripAllowed() const {
    if (!FSizeGrip) return false;
    auto* form = dynamic_cast<TCustomForm*>(Parent());
    return form != nullptr && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin);
}

bool TAdvOfficeStatusBar::HasSizeGrip() {
    if (!SizeGripAllowed()) return false;
    auto* form = static_cast<TCustomForm*>(Parent());
    if (!form->HandleAllocated()) return true;
    win::WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    win::GetWindowPlacement(form->Handle(), &wp);
    return wp.showCmd != win::SW_SHOWMAXIMIZED;
}

} // namespace AdvOfficeStatusBar
