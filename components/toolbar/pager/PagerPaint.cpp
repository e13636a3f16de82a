// How the pager paints itself (background picture, caption row, tab band, tab groups and tabs in their
// states with the hover and selection glow) and the mouse handling that drives the glow.

#include <algorithm>

#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/pager/QuickAccessToolBar.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Form.h"
#include "platform/win/Gdi.h"
#include "platform/win/Input.h"

namespace AdvToolBar {

namespace {

bool IsSet(TColor C) {
    return C != vcl::clNone;
}

// Percent of C1 over C2; an unset colour leaves the other.
TColor Blend(TColor C1, TColor C2, int Percent) {
    if (!IsSet(C1)) return C2;
    if (!IsSet(C2)) return C1;
    return BlendColor(C1, C2, Percent);
}

void Line(vcl::TCanvas* C, int X1, int Y1, int X2, int Y2) {
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

void SetPen(vcl::TCanvas* C, TColor Color) {
    C->Pen()->SetStyle(vcl::psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(Color);
}

// The colours one tab paints with.
struct TTabColors {
    TColor Color, ColorTo, Mirror, MirrorTo, Border, Text;
    AdvGlowButton::TGDIPGradient Gradient, GradientMirror;
    bool Fill = true;
    bool Focused = false;
};

TTabColors Normal(const TCustomTabAppearance* A) {
    return {A->Color(),
            A->ColorTo(),
            A->ColorMirror(),
            A->ColorMirrorTo(),
            A->BorderColor(),
            A->TextColor(),
            A->Gradient(),
            A->GradientMirror(),
            true,
            false};
}

TTabColors Hot(const TCustomTabAppearance* A) {
    return {A->ColorHot(),
            A->ColorHotTo(),
            A->ColorMirrorHot(),
            A->ColorMirrorHotTo(),
            A->BorderColorHot(),
            A->TextColorHot(),
            A->GradientHot(),
            A->GradientMirrorHot(),
            true,
            false};
}

TTabColors Selected(const TCustomTabAppearance* A) {
    return {A->ColorSelected(),
            A->ColorSelectedTo(),
            A->ColorMirrorSelected(),
            A->ColorMirrorSelectedTo(),
            A->BorderColorSelected(),
            A->TextColorSelected(),
            A->GradientSelected(),
            A->GradientMirrorSelected(),
            true,
            false};
}

TTabColors Disabled(const TCustomTabAppearance* A) {
    return {A->ColorDisabled(),
            A->ColorDisabledTo(),
            A->ColorMirrorDisabled(),
            A->ColorMirrorDisabledTo(),
            A->BorderColorDisabled(),
            A->TextColorDisabled(),
            A->GradientDisabled(),
            A->GradientMirrorDisabled(),
            true,
            false};
}

// Each colour of To blended over From by Percent (the text and gradient kinds of To).
TTabColors BlendSet(const TTabColors& To, const TTabColors& From, int Percent) {
    TTabColors r = To;
    r.Color = Blend(To.Color, From.Color, Percent);
    r.ColorTo = Blend(To.ColorTo, From.ColorTo, Percent);
    r.Mirror = Blend(To.Mirror, From.Mirror, Percent);
    r.MirrorTo = Blend(To.MirrorTo, From.MirrorTo, Percent);
    r.Border = Blend(To.Border, From.Border, Percent);
    return r;
}

} // namespace

void TAdvToolBarPager::Paint() {
    if (FCurrentStyler == nullptr) return;
    vcl::TCanvas* c = Canvas();
    PaintBackgroundPicture(c);
    DrawCaption();
    DrawAllTabs();
    UpdateMDIButtonsShowing();
    if (ComponentState().Contains(vcl::csDesigning) && FPages->Count() == 0) DrawDesignHint();
    // The maximise button follows the form's state, however it changed.
    vcl::TCustomForm* form = vcl::GetParentForm(this);
    if (FCaption->Visible() && !FCaptionButtons.Empty() && form != nullptr &&
        form->WindowState() != FLastWindowState) {
        FLastWindowState = form->WindowState();
        UpdateCaptionButtons(true);
    }
    DrawFormCorners();
}

void TAdvToolBarPager::PaintBackgroundPicture(vcl::TCanvas* C) {
    vcl::TBitmap* bitmap = FCurrentStyler->BackGround();
    if (bitmap == nullptr || bitmap->Empty()) return;
    const int w = bitmap->Width(), h = bitmap->Height();
    switch (FCurrentStyler->BackGroundDisplay()) {
    case bdTile:
        for (int y = 1; y < Height() - 2; y += h)
            for (int x = 1; x < Width() - 2; x += w)
                C->Draw(x, y, bitmap);
        break;
    case bdCenter:
        C->Draw((Width() - w) / 2, (Height() - h) / 2, bitmap);
        break;
    case bdStretch:
        C->StretchDraw(vcl::TRect{2, 2, Width() - 2, Height() - 2}, bitmap);
        break;
    }
}

void TAdvToolBarPager::DrawDesignHint() {
    vcl::TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(vcl::bsClear);
    const int h = c->TextHeight("gh");
    const int y = Height() / 2;
    c->TextOut(10, y, "Right-click and choose \"New Page\"");
    c->TextOut(10, y + h, "to insert a new tabsheet");
    c->Font()->SetStyle(vcl::TFontStyles{vcl::fsItalic});
    c->TextOut(10, y + 3 * h, "If no such right-click menu option appears");
    c->TextOut(10, y + 4 * h, "please install designtime package!");
}

void TAdvToolBarPager::DrawCaption() {
    if (!FCaption->Visible()) return;
    const vcl::TRect cr = GetCaptionRect();
    if (cr.Width() <= 0 || cr.Height() <= 0) return;
    TVistaTextBackground* pc = FCurrentStyler->PagerCaption();
    vcl::TBitmap bmp(cr.Width(), cr.Height());
    vcl::TCanvas* b = bmp.Canvas();
    // One pixel taller than the row: the lower border line falls outside and the row joins the tabs.
    DrawVistaGradient(b, vcl::TRect{0, 0, cr.Width(), cr.Height() + 1}, pc->Color(), pc->ColorTo(),
                      pc->ColorMirror(), pc->ColorMirrorTo(), pc->BorderColor(), pc->Gradient(),
                      pc->GradientMirror(), "", pc->Font(), true, false, FAntiAlias, false);
    vcl::TRect text{FCaption->Indent(), 0, cr.Width() - FCaption->RightTextMargin(), cr.Height()};
    // The title starts right of a quick access toolbar in the caption row.
    if (FQuickAccessToolBar != nullptr && FQuickAccessToolBar->Visible() && !ShowQATBelow())
        text.Left = MaxQATRect().Left + FQuickAccessToolBar->Width() - cr.Left;
    // Tab groups reach up into the caption row: the title starts right of them.
    for (int g = 0; g < FTabGroups->Count(); ++g) {
        bool l = false, r = false;
        const vcl::TRect gr = GetTabGroupRect(g, l, r);
        if (gr.Width() > 0) text.Left = std::max(text.Left, gr.Right - cr.Left);
    }
    const String caption = FCaption->Caption();
    if (!caption.empty() || !FCaption->WideCaption().empty()) {
        vcl::TFont font;
        font.Assign(pc->Font());
        font.SetColor(pc->TextColor());
        vcl::TRect measured{};
        DrawGDIPTextTrimmed(b, vcl::taCenter, text, caption, FCaption->WideCaption(), &font, Enabled(), true,
                            FAntiAlias, measured);
    }
    Canvas()->Draw(cr.Left, cr.Top, &bmp);
}

void TAdvToolBarPager::FillTabBackground(vcl::TCanvas* C, const vcl::TRect& R) {
    TGradientBackground* bg = FCurrentStyler->TabAppearance()->BackGround();
    if (IsSet(bg->Color()) && IsSet(bg->ColorTo())) {
        DrawGradient(C, bg->Color(), bg->ColorTo(), bg->Steps(), R, bg->Direction() == gdHorizontal);
    } else if (IsSet(bg->Color())) {
        C->Brush()->SetStyle(vcl::bsSolid);
        C->Brush()->SetColor(bg->Color());
        C->FillRect(R);
    }
}

void TAdvToolBarPager::DrawAllTabs() {
    vcl::TCanvas* c = Canvas();
    const vcl::TRect area = GetTabsArea();
    const vcl::TRect client = GetClientRect();
    FillTabBackground(c, vcl::TRect{client.Left, area.Top, client.Right, client.Bottom});
    if (FCaption->Visible() && IsHorizontal(FAlign)) {
        SetPen(c, Blend(vcl::clWhite, FCurrentStyler->TabAppearance()->BackGround()->Color(), 70));
        Line(c, client.Left, area.Top + 1, client.Right, area.Top + 1);
    }
    DrawTabGroups();
    for (int i = 0; i < FPages->Count(); ++i)
        DrawTab(i);
}

void TAdvToolBarPager::DrawTabGroups() {
    vcl::TCanvas* c = Canvas();
    const int areaTop = GetTabsArea().Top;
    TColor captionColor = FCurrentStyler->PagerCaption()->Color();
    TColor background = FCurrentStyler->TabAppearance()->BackGround()->Color();
    for (int g = 0; g < FTabGroups->Count(); ++g) {
        bool leftShown = false, rightShown = false;
        const vcl::TRect gr = GetTabGroupRect(g, leftShown, rightShown);
        if (gr.Width() <= 0) continue;
        TGroupAppearance* ga = GroupAppearanceOf(g);
        const vcl::TRect band{gr.Left, gr.Top + 8, gr.Right, areaTop};
        DrawVistaGradient(c, band, ga->Color(), ga->ColorTo(), ga->ColorMirror(), ga->ColorMirrorTo(),
                          vcl::clNone, ga->Gradient(), ga->GradientMirror(), "", ga->Font(), true, false,
                          FAntiAlias, false);
        SetPen(c, Blend(ga->ColorTo(), vcl::clBlack, 80));
        Line(c, band.Left, band.Bottom - 1, band.Right, band.Bottom - 1);
        // Edges fade in from the caption colour, and below the band into the tab row's background.
        DrawGradient(c, captionColor, ga->BorderColor(), 40,
                     vcl::TRect{gr.Left, gr.Top + 6, gr.Left + 1, band.Bottom + 1}, false);
        DrawGradient(c, captionColor, ga->BorderColor(), 40,
                     vcl::TRect{gr.Right - 1, gr.Top + 6, gr.Right, band.Bottom + 2}, false);
        if (gr.Bottom > band.Bottom) {
            DrawGradient(c, ga->BorderColor(), background, 40,
                         vcl::TRect{gr.Left, band.Bottom, gr.Left + 1, gr.Bottom}, false);
            if (rightShown)
                DrawGradient(c, ga->BorderColor(), background, 40,
                             vcl::TRect{gr.Right - 1, band.Bottom, gr.Right, gr.Bottom}, false);
        }
        const TTabGroupItem* item = FTabGroups->Items(g);
        const String caption = !item->Caption().empty() ? item->Caption() : item->WideCaption();
        int textLeft = band.Left + 3;
        vcl::TCustomImageList* images = FImages != nullptr ? FImages : FDisabledImages;
        if (images != nullptr && item->ImageIndex() >= 0) {
            vcl::TBitmap scratch(1, 1);
            scratch.Canvas()->SetFont(ga->Font());
            scratch.Canvas()->TextHeight("gh");
            win::RECT tr{0, 0, 1000, 100};
            if (!caption.empty())
                win::DrawText(scratch.Canvas()->Handle(), caption.c_str(), static_cast<int>(caption.size()),
                              &tr, win::DT_CALCRECT | win::DT_SINGLELINE);
            const int tw = (caption.empty() ? 0 : tr.Right - tr.Left) + static_cast<int>(caption.size());
            const int iw = images->Width();
            int x = textLeft;
            if (item->CaptionAlignment() == vcl::taRightJustify)
                x = band.Right - (iw + 3 + tw + 3);
            else if (item->CaptionAlignment() == vcl::taCenter)
                x = band.Left + (band.Width() - (iw + 3 + tw)) / 2;
            x = std::max(x, textLeft);
            images->Draw(c, x, band.Top + (band.Height() - images->Height()) / 2, item->ImageIndex());
            textLeft = x + iw + 3;
        }
        if (caption.empty()) continue;
        vcl::TFont font;
        font.Assign(ga->Font());
        font.SetColor(ga->TextColor());
        c->Brush()->SetStyle(vcl::bsClear);
        vcl::TRect measured{};
        DrawGDIPText(c, vcl::taLeftJustify, win::DT_SINGLELINE | win::DT_VCENTER | win::DT_PATH_ELLIPSIS,
                     vcl::TRect{textLeft, band.Top, band.Right, band.Bottom}, item->Caption(),
                     item->WideCaption(), &font, true, true, FAntiAlias, false, false, measured);
    }
}

bool TAdvToolBarPager::ShouldDrawSeparator(int Index) const {
    return FTabSpacing == FTabSettings->MinSpacing() && Index >= 0 && Index < FPages->Count() &&
           Index != GetFirstVisibleTabIndex();
}

void TAdvToolBarPager::DrawTab(int Index) {
    if (Index < 0 || Index >= FPages->Count() || FTabSettings->Height() < 1) return;
    const vcl::TRect r = GetTabRect(Index);
    if (r.Left == -1 && r.Right == -1) return;
    const vcl::TRect t = GetTabsRect();
    if (r.Right <= t.Left || r.Left >= t.Right) return;
    if (r.Left >= t.Left && r.Right <= t.Right) {
        DrawTabOn(Canvas(), Index, r);
        return;
    }
    // A tab cut by the row's ends is painted aside and only its part inside the row copied back.
    vcl::TBitmap bmp(Width(), Height());
    vcl::TCanvas* b = bmp.Canvas();
    b->CopyRect(vcl::TRect{0, 0, Width(), Height()}, Canvas(), vcl::TRect{0, 0, Width(), Height()});
    FillTabBackground(b, r);
    DrawTabOn(b, Index, r);
    const vcl::TRect part{std::max(r.Left, t.Left), r.Top, std::min(r.Right, t.Right), r.Bottom};
    Canvas()->CopyRect(part, b, part);
}

void TAdvToolBarPager::DrawTabOn(vcl::TCanvas* c, int Index, const vcl::TRect& r) {
    TAdvPage* page = GetAdvPages(Index);
    const TCustomTabAppearance* A = TabAppearanceOf(Index);
    const TGradientBackground* bg = FCurrentStyler->TabAppearance()->BackGround();
    const bool fullyInside = r.Left >= GetTabsRect().Left && r.Right <= GetTabsRect().Right;

    if (fullyInside && ShouldDrawSeparator(Index)) {
        const TCustomTabAppearance* ta = FCurrentStyler->TabAppearance();
        DrawGradient(c, Blend(ta->BackGround()->Color(), ta->BorderColorSelected(), 60),
                     ta->BorderColorSelected(), 40, vcl::TRect{r.Left - 2, r.Top + 1, r.Left - 1, r.Bottom},
                     false);
    }

    const bool active = Index == FActivePageIndex;
    const bool hot = Index == FHotTabIndex;
    const bool enabled = page->TabEnabled();
    const bool hoverFade = page->GlowRunning() && !page->SelectionGlow();
    const bool selectionFade = page->GlowRunning() && page->SelectionGlow();
    const int hoverGlow = std::clamp(page->HoverGlow(), 0, 100);

    // Inactive tabs when only the selected tab shows a face: the hot colours faded in over the band.
    auto faceless = [&]() {
        TTabColors k = Hot(A);
        k.Fill = false;
        k.Text = enabled ? A->TextColor() : A->TextColorDisabled();
        if (hoverFade) {
            TTabColors back = k;
            back.Color = back.Mirror = back.MirrorTo = back.Border = bg->Color();
            back.ColorTo = IsSet(bg->ColorTo()) ? bg->ColorTo() : bg->Color();
            k = BlendSet(Hot(A), back, hoverGlow);
            k.Fill = true;
        }
        return k;
    };
    auto inactive = [&]() {
        if (!FShowNonSelectedTabs) return faceless();
        return hoverFade ? BlendSet(Hot(A), Normal(A), hoverGlow) : Normal(A);
    };

    TTabColors k;
    if (active) {
        k = Selected(A);
        if (hot && IsSet(A->BorderColorSelectedHot())) k.Border = A->BorderColorSelectedHot();
        if (selectionFade) {
            const TTabColors h = Hot(A);
            const int s = std::clamp(page->SelectionGlowAmount(), 0, 100);
            const TColor border = k.Border;
            k = BlendSet(k, h, s);
            k.Border = Blend(border, h.Border, s);
        }
        if (hoverFade) k.Border = Blend(A->BorderColorSelectedHot(), A->BorderColorSelected(), hoverGlow);
        if (Index == FPressedTabIndex && !ComponentState().Contains(vcl::csDesigning) &&
            IsSet(A->BorderColorDown()))
            k.Border = A->BorderColorDown();
    } else if (!enabled && FShowNonSelectedTabs) {
        k = Disabled(A);
    } else if (hot) {
        k = hoverFade ? inactive() : Hot(A);
    } else {
        k = inactive();
    }
    if (active && Focused()) {
        k = Hot(A);
        k.Border = A->BorderColorSelectedHot();
        k.Focused = true;
    }

    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    if (k.Fill) {
        DrawVistaGradient(c, r, k.Color, k.ColorTo, k.Mirror, k.MirrorTo, k.Border, k.Gradient,
                          k.GradientMirror, "", A->Font(), enabled, false, FAntiAlias, false);
        // Round the two top corners with what lies outside them.
        const TColor outside = c->GetPixel(L - 1, T - 1);
        c->SetPixel(L, T, outside);
        c->SetPixel(L + 1, T, c->GetPixel(L + 1, T - 1));
        c->SetPixel(L, T + 1, c->GetPixel(L - 1, T));
        const TColor right = c->GetPixel(R + 1, T);
        c->SetPixel(R - 1, T, right);
        c->SetPixel(R - 2, T, right);
        c->SetPixel(R - 1, T + 1, right);
        // A soft inner highlight.
        const int p = (k.Focused || (page->GlowRunning() && !page->SelectionGlow())) ? 20 : 50;
        SetPen(c, Blend(vcl::clWhite, k.Color, p));
        Line(c, L + 3, T + 3, R - 3, T + 3);
        SetPen(c, Blend(k.Color, k.Border, 80));
        Line(c, L + 3, T + 1, R - 3, T + 1);
        SetPen(c, Blend(k.Color, k.Border, 50));
        Line(c, L + 1, T + 3, L + 1, B - 5);
        Line(c, R - 2, T + 3, R - 2, B - 5);
    }

    vcl::TRect content = r;
    content.Left += TabLeftMargin(IsGroupTab(Index));
    if ((FImages != nullptr || FDisabledImages != nullptr) && page->ImageIndex() >= 0) {
        vcl::TCustomImageList* list = FImages;
        bool drawEnabled = true;
        if (!enabled) {
            if (FDisabledImages != nullptr)
                list = FDisabledImages;
            else
                drawEnabled = false;
        }
        if (list != nullptr) {
            list->Draw(c, content.Left, T + (r.Height() - list->Height()) / 2, page->ImageIndex(),
                       drawEnabled);
            content.Left += list->Width() + 2;
        }
    }
    content.Right -= 2;
    if (content.Right <= content.Left) return;
    vcl::TFont font;
    font.Assign(A->Font());
    font.SetColor(k.Text);
    c->Brush()->SetStyle(vcl::bsClear);
    vcl::TRect measured{};
    DrawGDIPText(c, vcl::taLeftJustify, win::DT_SINGLELINE | win::DT_VCENTER, content, page->Caption(),
                 page->WideCaption(), &font, enabled, true, FAntiAlias, false, false, measured);
}

// ---- Mouse and glow

void TAdvToolBarPager::StartGlow(int Index, int Step, bool Selection) {
    if (TAdvPage* page = GetAdvPages(Index)) page->StartGlow(Step, Selection);
}

void TAdvToolBarPager::MouseMove(vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomControl::MouseMove(Shift, X, Y);
    if (ComponentState().Contains(vcl::csDesigning) || !GetTabsArea().Contains(vcl::TPoint{X, Y})) return;
    const int t = PTOnTab(X, Y);
    if (t == FHotTabIndex) return;
    if (FPressedTabIndex >= 0) {
        FPressedTabIndex = -1;
        InvalidateTab(-1);
    }
    if (FHotTabIndex >= 0) StartGlow(FHotTabIndex, -20, false);
    FHotTabIndex = -1;
    if (t >= 0 && GetAdvPages(t)->TabEnabled()) {
        FHotTabIndex = t;
        FLastHotTabIndex = t;
        StartGlow(t, 20, false);
        Invalidate();
    }
    if (t != FHintTabIndex) {
        FHintTabIndex = t;
        if (vcl::GetApplication() != nullptr) vcl::GetApplication()->CancelHint();
    }
}

void TAdvToolBarPager::CMMouseLeave() {
    FHintTabIndex = -1;
    if (ComponentState().Contains(vcl::csDesigning) || FHotTabIndex < 0) return;
    win::POINT p{};
    win::GetCursorPos(&p);
    const vcl::TPoint local = ScreenToClient(vcl::TPoint{p.X, p.Y});
    vcl::TRect t = GetTabsRect();
    t.Bottom -= 4;
    if (t.Contains(local)) return;
    if (FHotTabIndex != FActivePageIndex) {
        StartGlow(FHotTabIndex, -20, false);
        FHotTabIndex = -1;
        InvalidateTab(-1);
    } else {
        FHotTabIndex = -1;
        Invalidate();
    }
}

void TAdvToolBarPager::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomControl::MouseDown(Button, Shift, X, Y);
    if (CaptionMouseDown(Button, X, Y)) return;
    if (FKeyTipMode) HideShortCutHintOfAllPages(true);
    if (Button != vcl::mbLeft) return;
    const int t = PTOnTab(X, Y);
    if (t < 0) return;
    if (GetAdvPages(t)->TabEnabled() && t != FActivePageIndex) {
        ChangeActivePage(t);
        if (!ComponentState().Contains(vcl::csDesigning)) StartGlow(t, 20, true);
        Invalidate();
    } else {
        FPressedTabIndex = t;
        InvalidateTab(-1);
    }
}

void TAdvToolBarPager::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FPressedTabIndex >= 0) {
        FPressedTabIndex = -1;
        InvalidateTab(-1);
    }
}

} // namespace AdvToolBar
