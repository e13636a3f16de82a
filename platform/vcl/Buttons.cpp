#include "platform/vcl/Buttons.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/Windows.h"

namespace vcl {

KV_PUBLISHED(TSpeedButton) {
    p.Default("Color", clBtnFace);
    p.Default("ParentColor", false);
    p.Bool("AllowAllUp", &TSpeedButton::FAllowAllUp, &TSpeedButton::SetAllowAllUp, false);
    p.Int("GroupIndex", &TSpeedButton::FGroupIndex, &TSpeedButton::SetGroupIndex, 0);
    p.Bool("Down", &TSpeedButton::FDown, &TSpeedButton::SetDown, false);
    p.Str("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
    p.Bool("Flat", &TSpeedButton::FFlat, &TSpeedButton::SetFlat, false);
    p.Object("Glyph", &TSpeedButton::FGlyph);
    p.Enum("Layout", &TSpeedButton::FLayout, &TSpeedButton::SetLayout, blGlyphLeft);
    p.Int("Margin", &TSpeedButton::FMargin, &TSpeedButton::SetMargin, -1);
    p.Int("NumGlyphs", &TSpeedButton::FNumGlyphs, &TSpeedButton::SetNumGlyphs, 1);
    p.Int("Spacing", &TSpeedButton::FSpacing, &TSpeedButton::SetSpacing, 4);
    p.Bool("Transparent", &TSpeedButton::FTransparent, &TSpeedButton::SetTransparent, true);
}

KV_REGISTER_CLASS(TSpeedButton)

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
    FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
    SetBounds(0, 0, 23, 22);
    FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
    FColor = clBtnFace;
    FParentColor = false;
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::GlyphChanged(TObject*) {
    // A glyph as wide as several of its height holds that many images.
    int w = FGlyph->Width();
    int h = FGlyph->Height();
    if (h > 0 && w > h && w % h == 0) FNumGlyphs = std::clamp(w / h, 1, 4);
    Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
    if (FGroupIndex == 0) Value = false;
    if (Value == FDown) return;
    // The down button of a group without AllowAllUp comes up only when another one goes down.
    if (FDown && !FAllowAllUp && !ComponentState().Contains(csLoading)) return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp) FState = bsExclusive;
    } else {
        FState = bsUp;
    }
    Invalidate();
    if (Value) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
    if (Value < 1 || Value > 4 || Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
    if (FMargin == Value || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    if (Value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

void TSpeedButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !FParent) return;
    TMessage m(CM_BUTTONPRESSED, static_cast<win::WPARAM>(FGroupIndex), reinterpret_cast<win::LPARAM>(this));
    FParent->Broadcast(m);
}

void TSpeedButton::Click() {
    TGraphicControl::Click();
}

void TSpeedButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_BUTTONPRESSED: {
        auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
        if (sender != this && static_cast<int>(Message.WParam) == FGroupIndex && FGroupIndex != 0) {
            if (sender->FDown && FDown) {
                FDown = false;
                FState = bsUp;
                Invalidate();
            }
            FAllowAllUp = sender->FAllowAllUp;
        }
        return;
    }
    case CM_MOUSEENTER:
        TGraphicControl::WndProc(Message);
        if (!FMouseInControl && Enabled()) {
            FMouseInControl = true;
            if (FFlat) Invalidate();
        }
        return;
    case CM_MOUSELEAVE:
        TGraphicControl::WndProc(Message);
        if (FMouseInControl) {
            FMouseInControl = false;
            if (FFlat) Invalidate();
        }
        return;
    case CM_ENABLEDCHANGED:
        TGraphicControl::WndProc(Message);
        if (!Enabled()) FMouseInControl = false;
        Invalidate();
        return;
    case CM_TEXTCHANGED:
        TGraphicControl::WndProc(Message);
        Invalidate();
        return;
    default:
        TGraphicControl::WndProc(Message);
    }
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    bool inside = GetClientRect().Contains(TPoint{X, Y});
    TButtonState state = FDown ? bsExclusive : inside ? bsDown : bsUp;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging || Button != mbLeft) return;
    FDragging = false;
    bool click = GetClientRect().Contains(TPoint{X, Y});
    if (FGroupIndex == 0) {
        FState = bsUp;
        Invalidate();
    } else if (click) {
        SetDown(!FDown);
        if (FDown) FState = bsExclusive;
    } else {
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    }
    if (click) Click();
}

// ---- Painting

void TSpeedButton::Arrange(const TRect& Client, TSize GlyphSize, TSize TextSize, TPoint& GlyphAt,
                           TRect& TextRect) {
    const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    const int room = horizontal ? Client.Width() : Client.Height();
    const int glyphLen = horizontal ? GlyphSize.cx : GlyphSize.cy;
    const int textLen = horizontal ? TextSize.cx : TextSize.cy;
    int margin = FMargin;
    int spacing = (glyphLen == 0 || textLen == 0) ? 0 : FSpacing;
    if (margin == -1) {
        if (spacing == -1) {
            // The room left is shared by the three gaps: before, between and after.
            int gap = (room - glyphLen - textLen) / 3;
            margin = spacing = gap;
        } else {
            margin = (room - glyphLen - textLen - spacing) / 2;
        }
    } else if (spacing == -1) {
        spacing = (room - margin - glyphLen - textLen) / 2;
    }
    // Along the layout's axis the glyph sits at the margin, the text after the spacing; across it both
    // are centred.
    const int cx = Client.Left + (Client.Width() - GlyphSize.cx) / 2;
    const int cy = Client.Top + (Client.Height() - GlyphSize.cy) / 2;
    const int tx = Client.Left + (Client.Width() - TextSize.cx) / 2;
    const int ty = Client.Top + (Client.Height() - TextSize.cy) / 2;
    switch (FLayout) {
    case blGlyphLeft:
        GlyphAt = TPoint{Client.Left + margin, cy};
        TextRect = Bounds(GlyphAt.X + glyphLen + spacing, ty, TextSize.cx, TextSize.cy);
        break;
    case blGlyphRight:
        GlyphAt = TPoint{Client.Right - margin - glyphLen, cy};
        TextRect = Bounds(GlyphAt.X - spacing - TextSize.cx, ty, TextSize.cx, TextSize.cy);
        break;
    case blGlyphTop:
        GlyphAt = TPoint{cx, Client.Top + margin};
        TextRect = Bounds(tx, GlyphAt.Y + glyphLen + spacing, TextSize.cx, TextSize.cy);
        break;
    case blGlyphBottom:
        GlyphAt = TPoint{cx, Client.Bottom - margin - glyphLen};
        TextRect = Bounds(tx, GlyphAt.Y - spacing - TextSize.cy, TextSize.cx, TextSize.cy);
        break;
    }
}

void TSpeedButton::DrawGlyph(TCanvas* C, TPoint At, TButtonState State) {
    const int count = std::max(1, FNumGlyphs);
    const int w = FGlyph->Width() / count;
    const int h = FGlyph->Height();
    if (w <= 0 || h <= 0) return;
    int index = static_cast<int>(State);
    if (index >= count) index = 0;
    const win::COLORREF key = static_cast<win::COLORREF>(ColorToRGB(FGlyph->TransparentColor()));
    if (State == bsDisabled && index == 0) {
        // Made from the up image: every pixel that is not transparent becomes the highlight colour one
        // pixel down and right, then the shadow colour in place, as disabled text is drawn.
        TBitmap mono(w, h);
        mono.Canvas()->Brush()->SetColor(static_cast<TColor>(key));
        mono.Canvas()->FillRect(TRect{0, 0, w, h});
        std::uint32_t* src = FGlyph->PixelData();
        const int stride = FGlyph->Width();
        auto opaque = [&](int x, int y) {
            std::uint32_t p = src[y * stride + x];
            return (((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16)) != key;
        };
        for (TColor colour : {static_cast<TColor>(clBtnHighlight), static_cast<TColor>(clBtnShadow)}) {
            const int shift = colour == static_cast<TColor>(clBtnHighlight) ? 1 : 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (opaque(x, y)) C->SetPixel(At.X + x + shift, At.Y + y + shift, ColorToRGB(colour));
        }
        return;
    }
    FGlyph->DrawPart(C, Bounds(At.X, At.Y, w, h), Bounds(index * w, 0, w, h), true, key);
}

void TSpeedButton::Paint() {
    TCanvas* c = Canvas();
    TRect r = GetClientRect();
    TButtonState state = FState;
    if (!Enabled()) {
        state = bsDisabled;
        FDragging = false;
    } else if (state == bsDisabled) {
        state = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    const bool pressed = state == bsDown || state == bsExclusive;
    win::HDC dc = c->Handle();
    if (!FFlat) {
        win::RECT face{r.Left, r.Top, r.Right, r.Bottom};
        win::DrawFrameControl(dc, &face, win::DFC_BUTTON,
                              win::DFCS_BUTTONPUSH | (pressed ? win::DFCS_PUSHED : 0u));
    } else {
        if (!FTransparent) {
            c->Brush()->SetColor(FColor);
            c->FillRect(r);
        }
        win::RECT edge{r.Left, r.Top, r.Right, r.Bottom};
        if (pressed)
            win::DrawEdge(dc, &edge, win::BDR_SUNKENOUTER, win::BF_RECT);
        else if (FMouseInControl && state != bsDisabled)
            win::DrawEdge(dc, &edge, win::BDR_RAISEDINNER, win::BF_RECT);
    }
    if (state == bsExclusive && !(FFlat && FMouseInControl)) {
        // Held down: the face shows the light dither of a latched button.
        TRect inner{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
        for (int y = inner.Top; y < inner.Bottom; ++y)
            for (int x = inner.Left + ((y + inner.Left) & 1); x < inner.Right; x += 2)
                c->SetPixel(x, y, ColorToRGB(clBtnHighlight));
    }

    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    const String caption = Caption();
    TSize textSize{0, 0};
    if (!caption.empty()) {
        win::RECT calc{0, 0, r.Width(), 0};
        win::DrawText(dc, caption.c_str(), -1, &calc, win::DT_CALCRECT | win::DT_SINGLELINE);
        textSize = TSize{calc.Right - calc.Left, calc.Bottom - calc.Top};
    }
    const int count = std::max(1, FNumGlyphs);
    TSize glyphSize{FGlyph->Empty() ? 0 : FGlyph->Width() / count, FGlyph->Empty() ? 0 : FGlyph->Height()};
    const int shift = pressed ? 1 : 0;
    TRect client{r.Left + 1 + shift, r.Top + 1 + shift, r.Right - 1 + shift, r.Bottom - 1 + shift};
    TPoint glyphAt;
    TRect textRect;
    Arrange(client, glyphSize, textSize, glyphAt, textRect);
    if (glyphSize.cx > 0) DrawGlyph(c, glyphAt, state);
    if (!caption.empty()) {
        const win::UINT flags = win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE;
        win::SetBkMode(dc, win::TRANSPARENT);
        auto text = [&](TRect at, TColor colour) {
            win::SetTextColor(dc, static_cast<win::COLORREF>(ColorToRGB(colour)));
            win::RECT rr{at.Left, at.Top, at.Right, at.Bottom};
            win::DrawText(dc, caption.c_str(), -1, &rr, flags);
        };
        if (state == bsDisabled) {
            text(TRect{textRect.Left + 1, textRect.Top + 1, textRect.Right + 1, textRect.Bottom + 1},
                 clBtnHighlight);
            text(textRect, clBtnShadow);
        } else {
            text(textRect, Font()->Color());
        }
    }
}

} // namespace vcl
