// The toolbar button's face, image and caption, its hot shade and its automatic size.

#include <algorithm>
#include <cstdlib>

#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/ActnList.h"
#include "platform/win/Gdi.h"

namespace AdvToolBar {

namespace {

bool IsColor(TColor C) {
    return C != vcl::clNone;
}

// The caption's single-line extent as DrawText measures it (the hot-key marker not counted).
vcl::TSize MeasureCaption(vcl::TFont* Font, const String& Caption) {
    vcl::TBitmap scratch(1, 1);
    vcl::TCanvas* c = scratch.Canvas();
    c->SetFont(Font);
    vcl::TRect r{0, 0, 1000, 100};
    if (!Caption.empty())
        win::DrawText(c->Handle(), Caption.c_str(), static_cast<int>(Caption.size()), &r,
                      win::DT_CALCRECT | win::DT_SINGLELINE);
    else
        r = {0, 0, 0, 0};
    int th = c->TextHeight("gh");
    return {r.Right - r.Left, std::max(r.Bottom - r.Top, Caption.empty() ? 0 : th)};
}

int TextHeightOf(vcl::TFont* Font) {
    vcl::TBitmap scratch(1, 1);
    scratch.Canvas()->SetFont(Font);
    return scratch.Canvas()->TextHeight("gh");
}

} // namespace

vcl::TFont* TAdvCustomToolBarButton::CaptionFont() const {
    if (FParentStyler && Styler() != nullptr) return Styler()->ButtonAppearance()->CaptionFont();
    return const_cast<TAdvCustomToolBarButton*>(this)->Font();
}

vcl::TCustomImageList* TAdvCustomToolBarButton::ToolBarImages() const {
    return dynamic_cast<vcl::TCustomImageList*>(ToolBarReference("Images"));
}

vcl::TCustomImageList* TAdvCustomToolBarButton::ToolBarDisabledImages() const {
    return dynamic_cast<vcl::TCustomImageList*>(ToolBarReference("DisabledImages"));
}

bool TAdvCustomToolBarButton::ImageSource(vcl::TCustomImageList*& List, int& Index, bool ForSizing) const {
    List = ToolBarImages();
    Index = FImageIndex;
    if (auto* a = dynamic_cast<vcl::TCustomAction*>(const_cast<TAdvCustomToolBarButton*>(this)->Action()))
        if (a->ActionList() != nullptr) {
            Index = a->ImageIndex();
            if (a->ActionList()->Images() != nullptr) List = a->ActionList()->Images();
        }
    if (!ForSizing && FForceImageIndex && FImageIndex >= 0) {
        List = ToolBarImages();
        Index = FImageIndex;
    }
    return List != nullptr && Index >= 0;
}

// ---- Paint

void TAdvCustomToolBarButton::Paint() {
    if (!Enabled()) {
        FState = absDisabled;
        FDragging = false;
    } else if (FState == absDisabled) {
        FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
    }
    if (FStyle == tasCheck && FDown) FState = absDown;
    DrawButton(Canvas());
}

TAdvCustomToolBarButton::TButtonFace TAdvCustomToolBarButton::StateFace() const {
    TButtonFace face;
    TCustomAdvToolBarStyler* styler = Styler();
    TButtonAppearance* a =
        FParentStyler && styler != nullptr ? styler->ButtonAppearance() : FAppearance.get();
    if (IsDisabledLook()) {
        face = RestFace();
        face.Text = FAppearance->CaptionTextColor();
        face.Glyph = FGlyphDisabled.get();
    } else if (IsDownLook()) {
        face = {a->ColorDown(),
                a->ColorDownTo(),
                a->ColorHot(),
                a->ColorHotTo(),
                a->CaptionTextColorDown(),
                a->BorderDownColor(),
                a->GradientDirectionDown() == gdHorizontal,
                FGlyphDown.get()};
    } else if (IsCheckedLook()) {
        face = CheckedFace();
    } else if (FHot) {
        face = {a->ColorHot(),
                a->ColorHotTo(),
                a->ColorHot(),
                a->ColorHotTo(),
                a->CaptionTextColorHot(),
                a->BorderHotColor(),
                a->GradientDirectionHot() == gdHorizontal,
                FGlyphHot.get()};
    } else {
        face = RestFace();
        face.Text =
            FParentStyler && styler != nullptr ? a->CaptionTextColor() : FAppearance->CaptionTextColor();
    }
    return face;
}

TAdvCustomToolBarButton::TButtonFace TAdvCustomToolBarButton::RestFace() const {
    TButtonFace face;
    // At rest and disabled only the button's own colours apply; a transparent button draws no face.
    if (!FTransparent) {
        face.From = face.DropFrom = FAppearance->Color();
        face.To = face.DropTo = FAppearance->ColorTo();
        face.Border = FAppearance->BorderColor();
    }
    face.HorizontalGradient = FAppearance->GradientDirection() == gdHorizontal;
    face.Text = FAppearance->CaptionTextColor();
    face.Glyph = FGlyph.get();
    return face;
}

TAdvCustomToolBarButton::TButtonFace TAdvCustomToolBarButton::CheckedFace() const {
    TCustomAdvToolBarStyler* styler = Styler();
    TButtonAppearance* a =
        FParentStyler && styler != nullptr ? styler->ButtonAppearance() : FAppearance.get();
    return {a->ColorChecked(),
            a->ColorCheckedTo(),
            a->ColorChecked(),
            a->ColorCheckedTo(),
            a->CaptionTextColorChecked(),
            a->BorderCheckedColor(),
            a->GradientDirectionChecked() == gdHorizontal,
            FGlyphChecked.get()};
}

bool TAdvCustomToolBarButton::IsDisabledLook() const {
    return FState == absDisabled || !Enabled();
}

bool TAdvCustomToolBarButton::IsDownLook() const {
    // A down check button shows checked, not pressed.
    if (FStyle == tasCheck && FState == absDown) return false;
    return FState == absDropDown || (FState == absDown && FStyle == tasButton) ||
           (FState == absExclusive && FHot) || FMousePressed;
}

bool TAdvCustomToolBarButton::IsCheckedLook() const {
    return FState == absExclusive || (FState == absDown && FStyle == tasCheck);
}

void TAdvCustomToolBarButton::DrawButton(vcl::TCanvas* Canvas) {
    DrawFace(Canvas, StateFace());
}

void TAdvCustomToolBarButton::DrawFace(vcl::TCanvas* Canvas, const TButtonFace& Face) {
    const bool horz = IsHorizontal(FPosition);
    const vcl::TRect c = ClientRect();
    vcl::TRect b = c;
    const vcl::TRect d = DropDownRect();
    if (FDropDownButton) {
        if (horz)
            b.Right = d.Left;
        else
            b.Bottom = d.Top;
    }
    const TColor f = Face.From, t = Face.To, df = Face.DropFrom, dt = Face.DropTo, border = Face.Border;
    vcl::TBitmap* glyph = Face.Glyph;

    const bool gradHorz = Face.HorizontalGradient;
    if (IsColor(f) && IsColor(t)) {
        if (FDropDownButton) DrawGradient(Canvas, df, dt, 40, c, gradHorz);
        DrawGradient(Canvas, f, t, 40, b, gradHorz);
    } else if (IsColor(f)) {
        Canvas->Brush()->SetStyle(vcl::bsSolid);
        Canvas->Pen()->SetStyle(vcl::psSolid);
        if (FDropDownButton) {
            Canvas->Brush()->SetColor(df);
            Canvas->Pen()->SetColor(df);
            Canvas->Rectangle(c);
        }
        Canvas->Brush()->SetColor(f);
        Canvas->Pen()->SetColor(f);
        Canvas->Rectangle(b);
    }

    if (IsColor(border)) {
        Canvas->Brush()->SetStyle(vcl::bsClear);
        Canvas->Pen()->SetStyle(vcl::psSolid);
        Canvas->Pen()->SetColor(border);
        if (FDropDownButton && FDropDownSplit) {
            Canvas->Rectangle(c);
            Canvas->Rectangle(b);
        } else if (FDropDownButton) {
            Canvas->Rectangle(b.Left, b.Top, c.Right, b.Bottom);
        } else {
            Canvas->Rectangle(b);
        }
    }

    if (FMenuShowing && FDropDownSplit) {
        Canvas->Pen()->SetColor(static_cast<TColor>(win::RGB(0, 0, 128)));
        Canvas->MoveTo(c.Left, d.Bottom);
        Canvas->LineTo(c.Left, c.Top);
        Canvas->LineTo(d.Right - 1, c.Top);
        Canvas->LineTo(d.Right - 1, d.Bottom);
    }

    if (FDropDownButton) {
        Canvas->Pen()->SetColor(vcl::clBlack);
        const int dw = d.Right - d.Left, dh = d.Bottom - d.Top;
        if (horz) {
            int x = d.Left + (dw - 5) / 2, y = d.Top + (dh - 3) / 2 + 1;
            for (int row = 0; row < 3; ++row) {
                Canvas->MoveTo(x + row, y + row);
                Canvas->LineTo(x + 5 - row, y + row);
            }
        } else {
            int x = d.Left + (dw - 3) / 2 + 1, y = d.Top + (dh - 5) / 2;
            for (int col = 0; col < 3; ++col) {
                Canvas->MoveTo(x - col, y + col);
                Canvas->LineTo(x - col, y + 5 - col);
            }
        }
    }

    if ((glyph == nullptr || glyph->Empty()) && !FGlyph->Empty()) glyph = FGlyph.get();
    DrawGlyphAndCaption(Canvas, b, glyph, Face.Text);
}

void TAdvCustomToolBarButton::DrawGlyphAndCaption(vcl::TCanvas* Canvas, const vcl::TRect& R,
                                                  vcl::TBitmap* Glyph, TColor TextColor) {
    const bool horz = IsHorizontal(FPosition);
    const String caption = Caption();
    int tw = 0, th = Height();
    if (FShowCaption) {
        vcl::TSize ts = MeasureCaption(CaptionFont(), caption);
        tw = ts.cx;
        th = ts.cy;
    }
    const int rw = R.Right - R.Left, rh = R.Bottom - R.Top, h = Height();
    vcl::TRect tr = R;
    unsigned flags = win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE;
    vcl::TPoint pt{R.Right + 1 - (rw - th) / 2, R.Top + (rh - tw) / 2};
    const int g = tw >= 1 && th >= 1 ? FSpacing : 0;

    // The image: the state glyph, else the picture (its disabled one when the button is disabled).
    vcl::TGraphic* image = nullptr;
    bool isPicture = false;
    vcl::TCustomImageList* list = nullptr;
    int index = -1;
    bool listEnabledLook = Enabled();
    if (ImageSource(list, index, false)) {
        if (!Enabled() && ToolBarDisabledImages() != nullptr) {
            list = ToolBarDisabledImages();
            listEnabledLook = true;
        }
    } else {
        list = nullptr;
    }
    if (list != nullptr) {
        // drawn below from the list
    } else if (Glyph == nullptr || Glyph->Empty()) {
        vcl::TPicture* pic = FPicture.get();
        if (!Enabled() && FPictureDisabled->Graphic() != nullptr && !FPictureDisabled->Graphic()->Empty())
            pic = FPictureDisabled.get();
        if (pic->Graphic() != nullptr && !pic->Graphic()->Empty()) image = pic->Graphic(), isPicture = true;
    } else {
        image = Glyph;
    }
    int x = 0, y = 0;
    if (image != nullptr || list != nullptr) {
        const int iw = list != nullptr ? list->Width() : image->Width();
        const int ih = list != nullptr ? list->Height() : image->Height();
        if (horz) {
            switch (FGlyphPosition) {
            case gpLeft:
                x = (rw - (iw + g + tw)) / 2, y = (h - ih) / 2;
                tr = {iw + x + g, R.Top, R.Right, R.Bottom};
                flags = win::DT_LEFT | win::DT_VCENTER | win::DT_SINGLELINE;
                break;
            case gpTop:
                x = (rw - iw) / 2, y = (h - (ih + g + th)) / 2;
                tr = {R.Left, ih + y + g, R.Right, R.Bottom};
                flags = win::DT_CENTER | win::DT_TOP | win::DT_SINGLELINE;
                break;
            case gpRight:
                x = rw - (rw - (iw + g + tw)) / 2 - iw, y = (h - ih) / 2;
                tr = {(rw - (iw + g + tw)) / 2, R.Top, isPicture ? x : x - g, R.Bottom};
                flags = win::DT_RIGHT | win::DT_VCENTER | win::DT_SINGLELINE;
                break;
            case gpBottom:
                x = (rw - iw) / 2, y = h - (h - (ih + g + th)) / 2 - ih;
                tr = {R.Left, y - g - th, R.Right, y};
                break;
            }
        } else {
            switch (FGlyphPosition) {
            case gpLeft:
                x = (rw - iw) / 2, y = (rh - (ih + g + tw)) / 2;
                tr = {R.Right - (rw - th) / 2, ih + y + g, R.Right, R.Bottom};
                pt = {tr.Left, tr.Top};
                break;
            case gpTop:
                x = rw - (rw - (iw + g + th)) / 2 - iw, y = (rh - ih) / 2;
                // Every kind of image places the caption beside it (the button's corner would put a
                // turned caption outside the button).
                tr = {R.Left, R.Top + (rh - tw) / 2, x - g, R.Bottom};
                tr.Left = tr.Right - (tr.Right - tr.Left - th) / 2;
                pt = {tr.Left, tr.Top};
                break;
            case gpRight:
                x = (rw - iw) / 2, y = rh - (rh - (ih + g + tw)) / 2 - ih;
                tr = {R.Right - (rw - th) / 2, R.Top + (rh - (ih + g + tw)) / 2, R.Right, y - g};
                pt = {tr.Left, tr.Top};
                break;
            case gpBottom:
                x = (rw - (iw + g + th)) / 2, y = (rh - ih) / 2;
                tr = {x + g + iw, R.Top, R.Right, R.Bottom};
                tr.Left = tr.Right - (tr.Right - tr.Left - th) / 2;
                pt = {tr.Left, R.Top + (rh - tw) / 2};
                break;
            }
        }
        // A fixed-size button too small for its content keeps the image inside and shortens the caption.
        if (!AutoSize()) {
            if (horz && x < 0) {
                tr.Left += std::abs(x) + 1;
                x = 1;
                flags |= win::DT_END_ELLIPSIS;
            } else if (!horz && y < 0) {
                tr.Top += std::abs(y) + 1;
                pt.Y += std::abs(y) + 1;
                y = 1;
                flags |= win::DT_END_ELLIPSIS;
            }
        }
        if (FDrawPosition->Enabled()) x = FDrawPosition->ImageX(), y = FDrawPosition->ImageY();

        if (FMouseInControl && FHot && FShaded && Enabled() && FState == absUp && !FMousePressed &&
            !FShade->Empty() && !isPicture) {
            // The shade follows what is drawn: rebuilt when it was made from the other source.
            if (FShadeFromImages != (list != nullptr)) GenerateShade();
            FShade->SetTransparentMode(vcl::tmAuto);
            FShade->SetTransparent(true);
            Canvas->Draw(x + 2, y + 2, FShade.get());
        }
        if (list != nullptr) {
            list->Draw(Canvas, x, y, index, listEnabledLook);
        } else {
            if (auto* bmp = dynamic_cast<vcl::TBitmap*>(image)) {
                bmp->SetTransparentMode(vcl::tmAuto);
                bmp->SetTransparent(true);
            }
            Canvas->Draw(x, y, image);
        }
    }

    if (caption.empty() || !FShowCaption) return;
    Canvas->SetFont(CaptionFont());
    if (!horz) Canvas->Font()->SetOrientation(2700);
    Canvas->Brush()->SetStyle(vcl::bsClear);
    if (!AutoSize()) {
        if (!horz && pt.Y < 0) pt.Y = 1;
        if (horz && tr.Left < 0) {
            tr.Left = 1;
            flags = win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE | win::DT_END_ELLIPSIS;
        }
        // Without an image the caption alone may still be too long for a fixed size.
        flags |= win::DT_END_ELLIPSIS;
    }
    if (FDrawPosition->Enabled()) {
        tr = {FDrawPosition->TextX(), FDrawPosition->TextY(), Width(), Height()};
        flags = win::DT_SINGLELINE | win::DT_END_ELLIPSIS;
    }
    win::HDC dc = Canvas->Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    auto drawAt = [&](TColor color, int dx, int dy) {
        Canvas->Font()->SetColor(color);
        if (horz) {
            vcl::TRect r{tr.Left + dx, tr.Top + dy, tr.Right + dx, tr.Bottom + dy};
            Canvas->RequiredState(vcl::TCanvasState{vcl::csHandleValid, vcl::csFontValid});
            win::SetTextColor(dc, vcl::graphics::ToColorRef(color));
            win::DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
        } else {
            DrawVerticalText(Canvas, caption, vcl::TPoint{pt.X + dx, pt.Y + dy});
        }
    };
    if (FState == absDisabled) {
        // Embossed: a highlight copy one pixel right of and below the shadow copy.
        if (horz) {
            drawAt(vcl::clBtnHighlight, 1, 1);
            drawAt(vcl::clBtnShadow, 0, 0);
        } else {
            drawAt(vcl::clBtnHighlight, 0, 0);
            drawAt(vcl::clBtnShadow, -1, -1);
        }
    } else {
        drawAt(TextColor, 0, 0);
    }
}

// ---- shade

void TAdvCustomToolBarButton::GenerateShade() {
    vcl::TCustomImageList* list = ToolBarImages();
    vcl::TBitmap fromList;
    vcl::TBitmap* src = nullptr;
    if (list != nullptr && FImageIndex >= 0) {
        FShadeFromImages = true;
        fromList.SetSize(list->Width(), list->Height());
        fromList.Canvas()->Brush()->SetColor(vcl::clWhite);
        fromList.Canvas()->FillRect(vcl::TRect{0, 0, list->Width(), list->Height()});
        list->Draw(fromList.Canvas(), 0, 0, FImageIndex, true);
        src = &fromList;
    } else if (!FGlyph->Empty()) {
        FShadeFromImages = false;
        src = FGlyph.get();
    } else {
        return;
    }
    const int w = src->Width(), h = src->Height();
    const vcl::TRect r{0, 0, w, h};
    const TColor key = src->Canvas()->GetPixel(0, h - 1);
    FShade->SetSize(w, h);
    // Image pixels black, background the key colour ...
    FShade->Canvas()->Brush()->SetColor(vcl::clBlack);
    FShade->Canvas()->BrushCopy(r, src, r, key);
    FShade->Canvas()->SetCopyMode(vcl::cmSrcInvert);
    FShade->Canvas()->CopyRect(r, src->Canvas(), r);
    FShade->Canvas()->SetCopyMode(vcl::cmSrcCopy);
    // ... then the black turns mid grey.
    vcl::TBitmap grey(w, h);
    grey.Canvas()->Brush()->SetColor(static_cast<TColor>(win::RGB(128, 128, 128)));
    grey.Canvas()->BrushCopy(r, FShade.get(), r, vcl::clBlack);
    FShade->Canvas()->CopyRect(r, grey.Canvas(), r);
}

// ---- size

void TAdvCustomToolBarButton::AdjustSize() {
    if (Parent() == nullptr || !AutoSize() || IsLoading()) return;
    const bool horz = IsHorizontal(FPosition);
    int gw = 0, gh = 0;
    bool anyGlyph = false;
    vcl::TCustomImageList* list = nullptr;
    int index = -1;
    if (ImageSource(list, index, true)) {
        gw = list->Width();
        gh = list->Height();
        anyGlyph = true;
    } else
        for (vcl::TBitmap* g :
             {FGlyph.get(), FGlyphHot.get(), FGlyphDown.get(), FGlyphChecked.get(), FGlyphDisabled.get()})
            if (!g->Empty()) {
                gw = std::max(gw, g->Width());
                gh = std::max(gh, g->Height());
                if (g != FGlyphDisabled.get()) anyGlyph = true;
            }
    if (!anyGlyph && FPicture->Graphic() != nullptr && !FPicture->Graphic()->Empty()) {
        gw = FPicture->Graphic()->Width();
        gh = FPicture->Graphic()->Height();
    }
    vcl::TFont* font = CaptionFont();
    const int tw = FShowCaption && !Caption().empty() ? MeasureCaption(font, Caption()).cx : 0;
    const int th = TextHeightOf(font);
    const int m = FMargin, s = FSpacing;
    const int along0 = horz ? gw : gh, across0 = horz ? gh : gw;
    int along, across;
    if (FGlyphPosition == gpLeft || FGlyphPosition == gpRight) {
        along = (along0 >= 1 && tw >= 1 ? along0 + s + tw : along0 > 0 ? along0 : tw) + 2 * m;
        across = std::max(across0, th) + 2 * m;
    } else {
        along = std::max(along0, tw) + 2 * m;
        across = th + across0 + s + 2 * m;
    }
    along = std::max(along, 15);
    if (FDropDownButton) along += kDropDownWidth;

    bool applyAcross;
    if (FAdvToolBar != nullptr) {
        const int thickness = horz ? FAdvToolBar->Height() : FAdvToolBar->Width();
        int minimum = thickness - 4;
        if (FAdvToolBar->ToolBarState() == tsFloating)
            minimum = FAdvToolBar->Thickness() - 4;
        else if (FAdvToolBar->ShowCaption())
            minimum = thickness - 4 - FAdvToolBar->CaptionHeight();
        across = std::max(across, minimum);
        const bool floating = FAdvToolBar->ToolBarState() == tsFloating;
        applyAcross = FAdvToolBar->AutoPositionControls() || floating;
    } else {
        // Off a toolbar only a vertical button takes its thickness from the content.
        applyAcross = !horz;
    }
    if (horz)
        SetBounds(Left(), Top(), along, applyAcross ? across : Height());
    else
        SetBounds(Left(), Top(), applyAcross ? across : Width(), along);
}

} // namespace AdvToolBar
