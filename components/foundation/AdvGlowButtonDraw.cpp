#include "components/foundation/AdvGlowButtonDraw.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "components/foundation/AdvGDIPUtf16.h"
#include "components/foundation/AdvGlowButtonFace.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Gdi.h"

namespace AdvGlowButton {

using namespace vcl;
using namespace AdvGDIP;

namespace {

constexpr TColor DisabledTextColor = 0x808080;
constexpr TColor FocusOuterColor = 0xE4AD89;
constexpr TColor FocusInnerColor = 0x808080;

float F(int V) {
    return static_cast<float>(V);
}

int RoundPx(float V) {
    return static_cast<int>(std::lround(V));
}

// A family of that name, or "Arial" when GDI+ knows no such family or style.
std::unique_ptr<TGPFontFamily> FamilyOf(TFont* Font) {
    auto family = std::make_unique<TGPFontFamily>(Font ? Font->Name() : String("Arial"));
    const Status s = family->GetLastStatus();
    if (s == FontFamilyNotFound || s == FontStyleNotFound)
        family = std::make_unique<TGPFontFamily>(String("Arial"));
    return family;
}

int GdipStyleOf(TFont* Font) {
    int style = 0;
    if (Font->Style().Contains(fsBold)) style |= 1;
    if (Font->Style().Contains(fsItalic)) style |= 2;
    if (Font->Style().Contains(fsUnderline)) style |= 4;
    return style;
}

// The caption goes through GDI+ only in an installed outline font: a device font or a bitmap font
// would be substituted by GDI+ and no longer match what GDI measures for the same button elsewhere.
bool UseGdiPlusText(TCanvas* Canvas, TFont* Font, TAntiAlias AntiAlias) {
    if (AntiAlias == aaNone) return false;
    win::TEXTMETRIC tm{};
    win::GetTextMetrics(Canvas->Handle(), &tm);
    const bool outline =
        (tm.tmPitchAndFamily & win::TMPF_VECTOR) != 0 && (tm.tmPitchAndFamily & win::TMPF_DEVICE) == 0;
    return outline && Screen->Fonts()->IndexOf(Font->Name()) >= 0;
}

String NotesText(TStrings* Notes) {
    String s;
    for (int i = 0; i < Notes->Count(); ++i) {
        if (i > 0) s += "\r\n";
        s += Notes->Strings(i);
    }
    return s;
}

String ReplaceAll(String S, const String& From, const String& To) {
    for (std::size_t p = S.find(From); p != String::npos; p = S.find(From, p + To.size()))
        S.replace(p, From.size(), To);
    return S;
}

TSize GdiMeasure(TCanvas* Canvas, TFont* Font, const String& Text, int Left, int Top, win::UINT Flags) {
    Canvas->Font()->Assign(Font);
    win::RECT r{Left, Top, Left + 2, Top};
    win::DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &r,
                  win::DT_CALCRECT | Flags);
    return TSize{r.Right - r.Left, r.Bottom - r.Top};
}

TGPRectF GdipMeasure(TGPGraphics& G, const String& Text, TGPFont* Font, const TGPRectF& Box,
                     TGPStringFormat* Format) {
    TGPRectF bounds{};
    const std::vector<gdip::WCHAR> w = Utf8ToUtf16Buffer(Text);
    G.MeasureString(w.data(), static_cast<int>(w.size()) - 1, Font, Box, Format, bounds);
    return bounds;
}

void FillFace(const TGlowDrawInput& In, TGPGraphics& G) {
    const TRect& R = In.R;
    const int h = R.Bottom - R.Top, hh = h / 2;
    TCanvas* c = In.Canvas;
    auto lower = [&](TRect r, TColor mirror, TColor mirrorTo, TGDIPGradient kind) {
        FillGlowBackground(c, &G, r, mirrorTo, mirror, kind, false);
    };
    auto upper = [&](TRect r, TColor from, TColor to, TGDIPGradient kind) {
        FillGlowBackground(c, &G, r, from, to, kind, true);
    };
    if (!(In.DropDownButton && In.Emphasised && In.DropDownSplit)) {
        lower(TRect{R.Left, R.Top + hh - 1, R.Right, R.Bottom}, In.ColorMirror, In.ColorMirrorTo,
              In.GradientMirror);
        upper(TRect{R.Left, R.Top, R.Right, R.Bottom - hh}, In.Color, In.ColorTo, In.Gradient);
        return;
    }
    // The split look: the part under the cursor is drawn in its own colours, the other 10 % darker.
    const bool right = In.DropDownPosition == dpRight;
    const int s = DropDownStripSize;
    const int hb = (h - s) / 2;
    const TRect mainLower = right ? TRect{R.Left, R.Top + hh - 1, R.Right - s, R.Bottom}
                                  : TRect{R.Left, R.Top + hb - 1, R.Right, R.Bottom - s};
    const TRect mainUpper = right ? TRect{R.Left, R.Top, R.Right - s, R.Bottom - hh}
                                  : TRect{R.Left, R.Top, R.Right, R.Bottom - s - hb};
    const TRect dropUpper = right ? TRect{R.Right - s, R.Top, R.Right, R.Bottom - hh}
                                  : TRect{R.Left, R.Bottom - s, R.Right, R.Bottom};
    const TRect dropLower{R.Right - s, R.Top + hh - 1, R.Right, R.Bottom};
    auto dark = [](TColor v) { return AdjustBrightness(v, -10); };
    if (In.DropDownPartState == 2) {
        lower(mainLower, In.ColorMirror, In.ColorMirrorTo, In.GradientMirror);
        upper(mainUpper, In.Color, In.ColorTo, In.Gradient);
        upper(dropUpper, dark(In.Color), dark(In.ColorTo), In.Gradient);
        if (right) lower(dropLower, dark(In.ColorMirror), dark(In.ColorMirrorTo), In.GradientMirror);
    } else {
        lower(mainLower, dark(In.ColorMirror), dark(In.ColorMirrorTo), In.GradientMirror);
        upper(mainUpper, dark(In.Color), dark(In.ColorTo), In.Gradient);
        upper(dropUpper, In.Color, In.ColorTo, ggRadial);
        if (right) lower(dropLower, In.ColorMirror, In.ColorMirrorTo, In.GradientMirror);
    }
}

void DrawBorderAndFocus(const TGlowDrawInput& In, TGPGraphics& G, int Radius) {
    const TRect& R = In.R;
    if (In.DrawBorder && !In.SkipBackground) {
        const int x = R.Left, y = R.Top, w = R.Right - 1, h = R.Bottom - 1;
        const bool emph = In.Hot || In.Down;
        switch (In.Position) {
        case bpStandalone:
            DrawRoundRectBorder(&G, In.BorderColor, x, y, w, h, Radius);
            break;
        case bpLeft:
            DrawLeftButtonBorder(&G, In.BorderColor, x, y, w, h, Radius);
            break;
        case bpMiddle:
            DrawMiddleButtonBorder(&G, In.BorderColor, x, y, w, h, Radius, emph);
            break;
        case bpRight:
            DrawRightButtonBorder(&G, In.BorderColor, x, y, w, h, Radius, emph);
            break;
        }
    }
    if (In.Focused) {
        DrawRoundRectBorder(&G, FocusOuterColor, R.Left + 1, R.Top + 1, R.Right - 3, R.Bottom - 3, Radius);
        DrawDottedRoundRect(&G, FocusInnerColor, R.Left + 2, R.Top + 2, R.Right - 5, R.Bottom - 5, Radius);
    }
}

bool ToolImageUsable(const TGlowDrawInput& In) {
    return In.ToolImage && !In.ToolImage->Empty() && In.ToolImage->Width() > 1 && In.ToolImage->Height() > 1;
}

bool Forced(const TGlowDrawInput& In) {
    return In.ForcedGlyphSize.cx > 0 && In.ForcedGlyphSize.cy > 0;
}

TSize GlyphSize(const TGlowDrawInput& In) {
    if (ToolImageUsable(In))
        return Forced(In) ? In.ForcedGlyphSize : TSize{In.ToolImage->Width(), In.ToolImage->Height()};
    if (In.Picture && !In.Picture->Empty()) {
        In.Picture->GetImageSizes();
        return Forced(In) ? In.ForcedGlyphSize : TSize{In.Picture->Width(), In.Picture->Height()};
    }
    if (In.ImageIndex > -1 && In.Images) return TSize{In.Images->Width(), In.Images->Height()};
    return TSize{0, 0};
}

void DrawGlyph(const TGlowDrawInput& In, TGPGraphics& G, int X, int Y) {
    TCanvas* c = In.Canvas;
    if (ToolImageUsable(In)) {
        if (!Forced(In)) {
            c->Draw(X, Y, In.ToolImage);
        } else {
            In.ToolImage->SetTransparent(true);
            c->StretchDraw(TRect{X, Y, X + In.ForcedGlyphSize.cx, Y + In.ForcedGlyphSize.cy}, In.ToolImage);
        }
    } else if (In.Picture && !In.Picture->Empty()) {
        if (!Forced(In)) {
            In.Picture->GetImageSizes();
            c->Draw(X, Y, In.Picture);
        } else {
            DrawPictureStream(&G, c, TRect{X, Y, X + In.ForcedGlyphSize.cx, Y + In.ForcedGlyphSize.cy},
                              In.Picture);
        }
    } else if (In.ImageIndex > -1 && In.Images) {
        In.Images->Draw(c, X, Y, In.ImageIndex, In.ImageEnabled);
    }
}

// Where the glyph and the text box go, by layout.
struct TPlacement {
    TGPRectF Box;
    int GX = 0, GY = 0;
};

TPlacement Place(const TGlowDrawInput& In, TButtonLayout Layout, bool Gdi, int w2, int h2, int gw, int gh,
                 int tw, int th) {
    const TRect& R = In.R;
    TPlacement p;
    p.Box = TGPRectF{F(R.Left), F(R.Top), F(w2), F(h2)};
    const int midY = R.Top + std::max(0, (h2 - gh) / 2);
    const int midX = R.Left + std::max(0, (w2 - gw) / 2);
    bool yFromText = false;
    switch (Layout) {
    case blGlyphLeft: {
        // Glyph and caption centred as one group. GDI draws the text from the box's left; GDI+ centres
        // it, in a box just wider than the text.
        const int c = R.Left + (w2 - tw - gw) / 2;
        p.Box.X = F(Gdi ? c + gw : c + gw - 1);
        p.Box.Width = F(Gdi ? R.Left + w2 - (c + gw) : std::min(tw + 2, w2 - 2 - gw));
        p.GX = c;
        p.GY = midY;
        break;
    }
    case blGlyphLeftAdjusted:
        p.Box.X = F(R.Left + 2 + gw);
        p.Box.Width = F(w2 - 2 - gw);
        p.GX = R.Left + 2;
        p.GY = midY;
        break;
    case blGlyphRight:
    case blGlyphRightAdjusted:
        p.Box.X = F(R.Left + 2);
        // GDI text has no padding of its own: keep the spacing between its end and the glyph.
        p.Box.Width = F(w2 - 4 - gw - (Gdi ? In.Spacing : 0));
        if (Layout == blGlyphRightAdjusted) {
            p.GX = R.Left + w2 - gw - 2;
        } else {
            p.GX = R.Left + std::max(0, (RoundPx(p.Box.Width) - tw) / 2) + tw + 4;
            if (p.GX > R.Left + w2 - gw) p.GX = R.Left + w2 - gw - 2;
        }
        p.GY = midY;
        break;
    case blGlyphTop:
    case blGlyphTopAdjusted:
        p.Box.Y = F(R.Top + gh);
        p.Box.Height = F(h2 - 2 - gh);
        p.GX = midX;
        yFromText = Layout == blGlyphTop;
        p.GY = yFromText ? R.Top + std::max(0, (RoundPx(p.Box.Height) - th) / 2) - (Gdi ? 4 : 0) : R.Top;
        break;
    case blGlyphBottom:
        p.Box.Y = F(R.Top + 2);
        p.Box.Height = F(h2 - 2 - gh);
        p.GX = midX;
        yFromText = true;
        p.GY = R.Top + std::max(0, (RoundPx(p.Box.Height) - th) / 2) + th + (Gdi ? 5 : 2);
        if (p.GY > R.Top + h2 - gh) p.GY = R.Top + h2 - gh - 2;
        break;
    case blGlyphBottomAdjusted:
        p.Box.Y = F(R.Top + 2);
        p.Box.Height = F(h2 - (Gdi ? 4 : 2) - gh);
        p.GX = midX;
        if (Gdi) {
            p.GY = R.Top + h2 - gh - 2;
        } else {
            yFromText = true;
            p.GY = R.Top + std::max(0, h2 / 2) + th + 2;
            if (p.GY > R.Top + h2 - gh) p.GY = R.Top + h2 - gh - 2;
        }
        break;
    }
    if (p.GX < 2) p.GX = 2;
    if (yFromText && p.GY < 2) p.GY = 2;
    return p;
}

void DrawCaptionGdiPlus(const TGlowDrawInput& In, TGPGraphics& G, TGPRectF Box, const String& Caption,
                        const String& Notes, TGPFont* Font, TGPFontFamily* NotesFamily,
                        TGPStringFormat* Format, int th, int nh) {
    TGPSolidBrush brush(ColorToARGB(In.Enabled ? In.Font->Color() : DisabledTextColor));
    if (!Notes.empty()) {
        Format->SetLineAlignment(StringAlignmentNear);
        Box.Y += (Box.Height - F(th) - F(nh)) / 2;
    }
    G.DrawString(Caption, -1, Font, Box, Format, &brush);
    if (Notes.empty()) return;
    Box.Y += F(th);
    TGPFont notesFont(NotesFamily, F(In.NotesFont->Size()), GdipStyleOf(In.NotesFont), UnitPoint);
    TGPSolidBrush notesBrush(ColorToARGB(In.Enabled ? In.NotesFont->Color() : DisabledTextColor));
    G.DrawString(Notes, -1, &notesFont, Box, Format, &notesBrush);
}

void DrawCaptionGdi(const TGlowDrawInput& In, TButtonLayout Layout, const TGPRectF& Box, int GY, int gh,
                    const String& Caption, const String& Notes, int th, int nh) {
    TCanvas* c = In.Canvas;
    win::RECT r{RoundPx(Box.X), RoundPx(Box.Y), RoundPx(Box.X + Box.Width), RoundPx(Box.Y + Box.Height)};
    c->Brush()->SetStyle(bsClear);
    win::UINT flags = In.WordWrap ? win::DT_WORDBREAK : win::DT_SINGLELINE;
    switch (Layout) {
    case blGlyphLeft:
        flags |= win::DT_VCENTER;
        break;
    case blGlyphTop:
    case blGlyphRight:
    case blGlyphBottom:
        flags |= win::DT_CENTER | win::DT_VCENTER;
        break;
    case blGlyphLeftAdjusted:
        r.Left += 2;
        if (!Notes.empty())
            r.Top += (r.Bottom - r.Top - th - nh) / 2;
        else
            flags |= win::DT_VCENTER;
        break;
    case blGlyphRightAdjusted:
        flags |= win::DT_RIGHT | win::DT_VCENTER;
        break;
    case blGlyphTopAdjusted:
        flags |= win::DT_CENTER;
        break;
    case blGlyphBottomAdjusted:
        flags |= win::DT_CENTER | win::DT_BOTTOM;
        break;
    }
    c->Font()->Assign(In.Font);
    if (!In.Enabled) c->Font()->SetColor(DisabledTextColor);
    if (In.WordWrap && Notes.empty()) {
        // DrawText centres only single lines: place the wrapped block by its measured height.
        win::RECT m = r;
        win::DrawText(c->Handle(), Caption.c_str(), -1, &m, flags | win::DT_CALCRECT);
        const int th2 = m.Bottom - m.Top;
        if (Layout == blGlyphTop)
            r.Top = GY + gh + ((r.Bottom - (GY + gh)) - th2) / 2;
        else if (Layout == blGlyphBottomAdjusted)
            r.Top = r.Bottom - th2;
        else if (Layout != blGlyphTopAdjusted)
            r.Top += (r.Bottom - r.Top - th2) / 2;
    }
    win::DrawText(c->Handle(), Caption.c_str(), -1, &r, flags);
    if (Notes.empty()) return;
    r.Top += th;
    r.Bottom = r.Top + nh;
    c->Font()->Assign(In.NotesFont);
    if (!In.Enabled) c->Font()->SetColor(DisabledTextColor);
    win::DrawText(c->Handle(), Notes.c_str(), -1, &r, flags);
}

TRect DropDownPart(const TGlowDrawInput& In) {
    const TRect& rc = In.R;
    return In.DropDownPosition == dpRight ? TRect{rc.Right - DropDownPartSize, rc.Top, rc.Right, rc.Bottom}
                                          : TRect{rc.Left, rc.Bottom - DropDownPartSize, rc.Right, rc.Bottom};
}

// The face: background halves, border, focus outlines and caption (only measured with MeasureOnly).
// Returns the content size and where the glyph goes.
TGlowFaceLayout PaintFace(const TGlowDrawInput& In, TGPGraphics& g) {
    TCanvas* canvas = In.Canvas;
    const TRect& R = In.R;
    const int radius = In.Rounded ? 3 : 0;
    TRect rc = R;
    const TRect dp = DropDownPart(In);
    if (In.DropDownButton)
        (In.DropDownPosition == dpRight ? rc.Right : rc.Bottom) =
            In.DropDownPosition == dpRight ? dp.Left : dp.Top;
    const bool hasNotes = In.Notes && In.Notes->Count() > 0;
    const TButtonLayout layout = hasNotes ? blGlyphLeftAdjusted : In.Layout;

    if (!In.MeasureOnly && !In.SkipBackground) FillFace(In, g);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    if (!In.MeasureOnly) DrawBorderAndFocus(In, g, radius);

    // The families are made even without a caption: measuring and drawing share them.
    std::unique_ptr<TGPFontFamily> family = FamilyOf(In.Font);
    std::unique_ptr<TGPFontFamily> notesFamily = FamilyOf(In.NotesFont);

    TGlowFaceLayout out;
    out.Glyph = GlyphSize(In);
    out.HasNotes = hasNotes;
    int gw = out.Glyph.cx;
    const int gh = out.Glyph.cy;
    const bool hasCaption = !In.Caption.empty() || !In.WideCaption.empty();
    out.HasCaption = hasCaption;
    if (hasCaption && gw > 0) gw += In.Spacing;
    out.Size = TSize{gw, gh};
    const int w2 = rc.Right - rc.Left, h2 = rc.Bottom - rc.Top;

    if (!hasCaption) {
        int cw = w2, ch = h2;
        if (In.DropDownButton) (In.DropDownPosition == dpRight ? cw : ch) -= 8;
        out.GX = R.Left + std::max(0, (cw - gw) / 2);
        out.GY = R.Top + std::max(0, (ch - gh) / 2);
        return out;
    }

    // A literal "\n" in a caption breaks the line, unless the glyph size is forced (a small toolbar
    // button, which has room for one line only).
    const String lineBreak = Forced(In) ? String(" ") : String("\n\r");
    const String caption = ReplaceAll(!In.Caption.empty() ? In.Caption : In.WideCaption, "\\n", lineBreak);
    const String notes = hasNotes ? NotesText(In.Notes) : String();
    canvas->Font()->Assign(In.Font);
    const bool gdip = UseGdiPlusText(canvas, In.Font, In.AntiAlias);
    out.GdiText = !gdip;

    TGPFont font(family.get(), F(In.Font->Size()), GdipStyleOf(In.Font), UnitPoint);
    TGPRectF box{F(R.Left), F(R.Top), F(In.MeasureOnly ? 4096 : w2), F(In.MeasureOnly ? 4096 : h2)};
    TGPStringFormat format(In.WordWrap ? 0 : StringFormatFlagsNoWrap);
    format.SetAlignment(layout == blGlyphLeftAdjusted    ? StringAlignmentNear
                        : layout == blGlyphRightAdjusted ? StringAlignmentFar
                                                         : StringAlignmentCenter);
    format.SetLineAlignment(layout == blGlyphTopAdjusted      ? StringAlignmentNear
                            : layout == blGlyphBottomAdjusted ? StringAlignmentFar
                                                              : StringAlignmentCenter);
    format.SetHotkeyPrefix(HotkeyPrefixShow);
    format.SetTrimming(In.Trimming);
    if (In.AntiAlias == aaClearType) g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    if (In.AntiAlias == aaAntiAlias) g.SetTextRenderingHint(TextRenderingHintAntiAlias);

    int tw = 0, th = 0, nw = 0, nh = 0;
    if (!gdip) {
        const TSize t =
            GdiMeasure(canvas, In.Font, caption, RoundPx(box.X), RoundPx(box.Y), win::DT_SINGLELINE);
        tw = t.cx;
        th = t.cy;
        if (hasNotes) {
            const TSize n =
                GdiMeasure(canvas, In.NotesFont, notes, RoundPx(box.X), RoundPx(box.Y), win::DT_WORDBREAK);
            nw = n.cx;
            nh = n.cy;
        }
    } else {
        const TGPRectF t = GdipMeasure(g, caption, &font, box, &format);
        tw = RoundPx(t.Width);
        th = RoundPx(t.Height);
        if (hasNotes) {
            TGPFont notesFont(notesFamily.get(), F(In.NotesFont->Size()), GdipStyleOf(In.NotesFont),
                              UnitPoint);
            const TGPRectF n = GdipMeasure(g, notes, &notesFont, box, &format);
            nw = RoundPx(n.Width);
            nh = RoundPx(n.Height);
        }
    }
    const bool vertical = layout == blGlyphTop || layout == blGlyphBottom || layout == blGlyphTopAdjusted ||
                          layout == blGlyphBottomAdjusted;
    if (vertical)
        out.Size = TSize{std::max(gw, tw) + In.Spacing, th + gh + In.Spacing};
    else
        out.Size = TSize{std::max(tw, nw) + gw + In.Spacing, std::max(gh + In.Spacing, th + nh + In.Spacing)};
    if (In.MeasureOnly) return out;

    const TPlacement p = Place(In, layout, !gdip, w2, h2, gw, gh, tw, th);
    if (gdip)
        DrawCaptionGdiPlus(In, g, p.Box, caption, notes, &font, notesFamily.get(), &format, th, nh);
    else if (!In.Caption.empty())
        DrawCaptionGdi(In, layout, p.Box, p.GY, gh, caption, notes, th, nh);
    out.GX = p.GX;
    out.GY = p.GY;
    return out;
}

// Over the face: the glyph, and the drop-down part's split line and arrow. G is the face's graphics, or
// nullptr when the face was copied (one is made then if a picture needs it, set up as the face's was).
void PaintGlyphAndDropDown(const TGlowDrawInput& In, TGPGraphics* G, const TGlowFaceLayout& L) {
    TCanvas* canvas = In.Canvas;
    if (L.Glyph.cx > 0) {
        if (G != nullptr) {
            DrawGlyph(In, *G, L.GX, L.GY);
        } else {
            TGPGraphics g(canvas->Handle());
            g.SetSmoothingMode(SmoothingModeAntiAlias);
            if (L.HasCaption && In.AntiAlias == aaClearType)
                g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
            if (L.HasCaption && In.AntiAlias == aaAntiAlias)
                g.SetTextRenderingHint(TextRenderingHintAntiAlias);
            DrawGlyph(In, g, L.GX, L.GY);
        }
    }
    if (!In.DropDownButton) return;
    const TRect dp = DropDownPart(In);
    canvas->Brush()->SetStyle(bsClear);
    if (In.Emphasised && In.DropDownSplit) {
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetColor(In.BorderColor);
        canvas->MoveTo(dp.Left, dp.Top);
        if (In.DropDownPosition == dpRight)
            canvas->LineTo(dp.Left, dp.Bottom);
        else
            canvas->LineTo(dp.Right, dp.Top);
    }
    const TPoint at{dp.Left + (dp.Width() - 5) / 2, dp.Top + (dp.Height() - 3) / 2 + 1};
    DrawDropDownArrow(canvas, at, In.Enabled ? clBlack : DisabledTextColor, clWhite, In.ArrowDown);
}

TGlowFaceKey FaceKeyOf(const TGlowDrawInput& In) {
    TGlowFaceKey k;
    k.R = In.R;
    k.Color = In.Color;
    k.ColorTo = In.ColorTo;
    k.ColorMirror = In.ColorMirror;
    k.ColorMirrorTo = In.ColorMirrorTo;
    k.BorderColor = In.BorderColor;
    k.Gradient = static_cast<int>(In.Gradient);
    k.GradientMirror = static_cast<int>(In.GradientMirror);
    k.Caption = In.Caption;
    k.WideCaption = In.WideCaption;
    const bool hasNotes = In.Notes && In.Notes->Count() > 0;
    if (hasNotes) k.Notes = NotesText(In.Notes);
    k.Font = TGlowFontKey::Of(In.Font);
    if (hasNotes) k.NotesFont = TGlowFontKey::Of(In.NotesFont);
    k.Glyph = GlyphSize(In);
    k.ForcedGlyph = Forced(In);
    k.Layout = static_cast<int>(In.Layout);
    k.Spacing = In.Spacing;
    k.Trimming = static_cast<int>(In.Trimming);
    k.AntiAlias = static_cast<int>(In.AntiAlias);
    k.DropDownPosition = static_cast<int>(In.DropDownPosition);
    k.DropDownPartState = In.DropDownPartState;
    k.Position = static_cast<int>(In.Position);
    k.WordWrap = In.WordWrap;
    k.DropDownButton = In.DropDownButton;
    k.DropDownSplit = In.DropDownSplit;
    k.Emphasised = In.Emphasised;
    k.Enabled = In.Enabled;
    k.Hot = In.Hot;
    k.Down = In.Down;
    k.Focused = In.Focused;
    k.DrawBorder = In.DrawBorder;
    k.Rounded = In.Rounded;
    return k;
}

// Leaves the canvas's font and brush as painting the face there would have.
void LeaveCanvasAsPainted(const TGlowDrawInput& In, const TGlowFaceLayout& L) {
    if (!L.HasCaption) return;
    TCanvas* c = In.Canvas;
    if (!L.GdiText) {
        c->Font()->Assign(In.Font);
        return;
    }
    if (In.Caption.empty()) {
        // Measured only: the last font measured stays.
        c->Font()->Assign(L.HasNotes ? In.NotesFont : In.Font);
        return;
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(L.HasNotes ? In.NotesFont : In.Font);
    if (!In.Enabled) c->Font()->SetColor(DisabledTextColor);
}

} // namespace

TSize DrawGlowButton(const TGlowDrawInput& In) {
    // A face over the background (every pixel of it painted) can be kept and copied; one over a
    // transparent button's background cannot.
    const TRect& R = In.R;
    if (In.FaceCache && !In.MeasureOnly && !In.SkipBackground && R.Left >= 0 && R.Top >= 0 &&
        R.Right > R.Left && R.Bottom > R.Top) {
        const TGlowFaceKey key = FaceKeyOf(In);
        const TGlowFaceLayout* kept = In.FaceCache->Find(key);
        if (kept == nullptr) {
            TGlowDrawInput face = In;
            face.Canvas = In.FaceCache->Begin(key);
            TGPGraphics g(face.Canvas->Handle());
            In.FaceCache->Keep(PaintFace(face, g));
            kept = In.FaceCache->Find(key);
        }
        In.FaceCache->CopyTo(In.Canvas);
        LeaveCanvasAsPainted(In, *kept);
        PaintGlyphAndDropDown(In, nullptr, *kept);
        return kept->Size;
    }
    TGPGraphics g(In.Canvas->Handle());
    const TGlowFaceLayout layout = PaintFace(In, g);
    if (!In.MeasureOnly) PaintGlyphAndDropDown(In, &g, layout);
    return layout.Size;
}

} // namespace AdvGlowButton
