// The glow button's painting and sizing: the colours of the current look (blended while a fade runs),
// the glyph source, the size pass of an auto-sizing button, the parent's background under a transparent
// button and under the rounded corners.

#include "components/foundation/AdvGlowButton.h"

#include <vector>

#include "components/foundation/AdvStyleIF.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Bitmap.h"
#include "platform/win/Gdi.h"

namespace AdvGlowButton {

using namespace vcl;

namespace {

// The corner pixels a button at Position, W by H, leaves to its parent (moved by DX, DY): a middle piece
// of a group has square corners, the ends of a group round their outer side only.
void AddRoundedCorners(std::vector<TRect>& Into, TButtonPosition Position, int W, int H, int DX, int DY) {
    auto add = [&](int X, int Y) { Into.push_back(TRect{X + DX, Y + DY, X + DX + 1, Y + DY + 1}); };
    if (Position != bpRight && Position != bpMiddle) {
        add(0, 0);
        add(0, H - 1);
    }
    if (Position != bpLeft && Position != bpMiddle) {
        add(W - 1, 0);
        add(W - 1, H - 1);
    }
}

TGlowColorSet Blend(const TGlowColorSet& A, const TGlowColorSet& B, int Percent, bool WithBorder) {
    TGlowColorSet r = A;
    r.Color = BlendColor(A.Color, B.Color, Percent);
    r.ColorTo = BlendColor(A.ColorTo, B.ColorTo, Percent);
    r.ColorMirror = BlendColor(A.ColorMirror, B.ColorMirror, Percent);
    r.ColorMirrorTo = BlendColor(A.ColorMirrorTo, B.ColorMirrorTo, Percent);
    r.BorderColor = WithBorder ? BlendColor(A.BorderColor, B.BorderColor, Percent) : A.BorderColor;
    return r;
}

// A canvas to measure on when the button is not painting.
class TMeasureCanvas {
public:
    TMeasureCanvas() : FBitmap(1, 1) {}
    TCanvas* Canvas() { return FBitmap.Canvas(); }

private:
    TBitmap FBitmap;
};

} // namespace

TGlowColorSet TAdvCustomGlowButton::FaceColors(bool& Emphasised) {
    const TGlowButtonAppearance& a = *FAppearance;
    const bool enabled = Enabled();
    const bool checkDown = FStyle == bsCheck && FDown;
    TGlowColorSet c = a.NormalColors();
    bool emphasised = false;
    if (!enabled && FShowDisabled) {
        c = a.DisabledColors();
    } else if (FState == absDown && FStyle != bsCheck) {
        c = a.DownColors();
        emphasised = true;
    } else if (FState != absExclusive && !checkDown) {
        if (FHovering) {
            c = a.HotColors();
            emphasised = true;
        }
    } else {
        c = a.CheckedColors();
        emphasised = true;
        if (FTimer && (FHot || (FStyle != bsCheck && (FGroupIndex <= 0 || FState == absDown))))
            c = Blend(a.CheckedColors(), a.DownColors(), FPushProgress, false);
    }
    if (FTimer) {
        if (!FPressed && !FTransparent && FState != absExclusive && !checkDown)
            c = Blend(a.HotColors(), a.NormalColors(), FHoverProgress, true);
        else if (FPressed && FStyle != bsCheck && FState != absExclusive)
            c = Blend(a.DownColors(), a.HotColors(), FPushProgress, true);
        else if (FPressed && FStyle == bsCheck)
            c = Blend(a.DownColors(), a.CheckedColors(), FPushProgress, false);
    }
    if (FPosition != bpStandalone && MouseCapture()) c.BorderColor = a.BorderColor();
    if (!enabled && FShowDisabled) c = a.DisabledColors();
    const bool focused = HandleAllocated() && Focused();
    if (focused && (FFocusType == ftHot || FFocusType == ftHotBorder) && !FPressed) {
        c = a.HotColors();
        emphasised = true;
    }

    Emphasised = emphasised;
    return c;
}

TGlowDrawInput TAdvCustomGlowButton::MakeDrawInput(TButtonSizeState SizeState, bool ForMeasure,
                                                   TGlowButtonState& Look) {
    const bool enabled = Enabled();
    TGlowDrawInput in;
    bool emphasised = false;
    const TGlowColorSet c = FaceColors(emphasised);
    const bool focused = HandleAllocated() && Focused();
    in.Color = c.Color;
    in.ColorTo = c.ColorTo;
    in.ColorMirror = c.ColorMirror;
    in.ColorMirrorTo = c.ColorMirrorTo;
    in.BorderColor = c.BorderColor;
    in.Gradient = c.Gradient;
    in.GradientMirror = c.GradientMirror;
    in.Emphasised = emphasised;

    // Glyph: the list and the picture of the look; the derived button's own list when none applies.
    if (!enabled && FDisabledImages) {
        in.Images = FDisabledImages;
        in.ImageEnabled = true;
    } else {
        in.Images = FHovering && FHotImages ? FHotImages : FImages;
        in.ImageEnabled = enabled;
    }
    if (!enabled && !FDisabledPicture->Empty())
        in.Picture = FDisabledPicture.get();
    else if (FHovering && !FHotPicture->Empty())
        in.Picture = FHotPicture.get();
    else
        in.Picture = FPicture.get();
    if (!in.Images && FIGlyphList) {
        in.Images = FIGlyphList;
        in.ImageEnabled = true;
    }
    in.ImageIndex = FImageIndex;
    if (auto* action = dynamic_cast<TCustomAction*>(Action())) {
        if (action->ImageIndex() >= 0 && action->ActionList() && action->ActionList()->Images()) {
            in.Images = action->ActionList()->Images();
            in.ImageEnabled = enabled;
        }
    }

    if (FShowCaption) {
        in.Caption = Caption();
        in.WideCaption = FWideCaption;
    }
    TButtonLayout layout = FLayout;
    TDropDownPosition dropPos = FDropDownPosition;
    if (FAutoSizeEx && SizeState < bsLarge) {
        in.ForcedGlyphSize = TSize{16, 16};
        if (in.Images && in.ImageIndex >= 0) in.Picture = nullptr;
        if (SizeState == bsGlyph) {
            in.Caption.clear();
            in.WideCaption.clear();
        }
        if (ForMeasure) {
            layout = blGlyphLeft;
            dropPos = dpRight;
        }
    } else if (ForMeasure && FAutoSizeEx && SizeState == bsLarge && FButtonSizeState != bsLarge) {
        layout = FLargeLayout;
        dropPos = FLargeDropDownPosition;
    }
    in.Font = Font();
    in.NotesFont = FNotesFont.get();
    in.Notes = FNotes.get();
    in.Layout = layout;
    in.Spacing = FSpacing;
    in.WordWrap = FWordWrap;
    in.Trimming = FTrimming;
    in.AntiAlias = FAntiAlias;
    in.DropDownButton = FDropDownButton;
    in.DropDownPosition = dropPos;
    in.DropDownSplit = FDropDownSplit;
    in.ArrowDown = FDropDownDirection == ddDown;
    in.DropDownPartState = (FHot || FMouseDown) ? (FDropDownButton ? (FOverDropPart ? 2 : 1) : 0) : 0;
    in.Enabled = enabled;
    in.Hot = FMouseInside;
    in.Down = FState == absDown || FDown;
    in.Focused = HandleAllocated() && CanDrawFocused();
    in.DrawBorder = CanDrawBorder();
    in.Position = FPosition;
    in.Rounded = FRounded;
    const bool hotFocus = focused && (FFocusType == ftHot || FFocusType == ftHotBorder);
    in.SkipBackground = FTransparent && !FMouseInside && !hotFocus && FState != absDown;
    Look = FState == absDown ? gsDown : FMouseInside ? gsHot : gsNormal;
    return in;
}

TSize TAdvCustomGlowButton::SizeFor(TButtonSizeState SizeState) {
    TMeasureCanvas mc;
    TGlowButtonState look;
    TGlowDrawInput in = MakeDrawInput(SizeState, true, look);
    // The caption font as painting takes it.
    TFont font;
    font.Assign(Font());
    if (!ParentFont() && FAppearance->SystemFont())
        font.SetName(AdvStyleIF::IsVista() ? "Segoe UI" : "Tahoma");
    in.Font = &font;
    in.Canvas = mc.Canvas();
    in.R = TRect{0, 0, Width(), Height()};
    in.MeasureOnly = true;
    const TSize content = DrawGlowButton(in);
    TSize s{content.cx + FSpacing * 3 + 2 + FMarginHorz * 2, content.cy + FSpacing * 2 + FMarginVert * 2};
    if (FDropDownButton) (in.DropDownPosition == dpRight ? s.cx : s.cy) += DropDownPartSize;
    return s;
}

TSize TAdvCustomGlowButton::GetButtonSize(TButtonSizeState State) {
    return SizeFor(State);
}

void TAdvCustomGlowButton::SetAutoSizeEx(bool Value) {
    if (FAutoSizeEx == Value) return;
    FAutoSizeEx = Value;
    PerformResize();
}

// The size pass runs here rather than in the next paint: a button without a window yet (or hidden)
// still takes its size at once, and a toolbar laying out its buttons reads the new width directly.
void TAdvCustomGlowButton::PerformResize() {
    if (!FAutoSizeEx) {
        Invalidate();
        return;
    }
    if (IsLoading()) {
        FSizeDirty = true;
        return;
    }
    FRemeasuring = true;
    TSize s = SizeFor(FButtonSizeState);
    if (OnSizeRequest) OnSizeRequest(this, s.cx, s.cy);
    if (s.cx != Width() || s.cy != Height()) SetBounds(Left(), Top(), s.cx, s.cy);
    FRemeasuring = false;
    FSizeDirty = false;
    Repaint();
}

void TAdvCustomGlowButton::SetButtonSizeState(TButtonSizeState Value) {
    if (FButtonSizeState == Value) return;
    if (FButtonSizeState == bsLarge) {
        FLargeLayout = FLayout;
        FLargeDropDownPosition = FDropDownPosition;
    }
    FButtonSizeState = Value;
    if (FAutoSizeEx) {
        // Set the fields directly: the setters would take these as the large state's choice.
        FLayout = Value == bsLarge ? FLargeLayout : blGlyphLeft;
        FDropDownPosition = Value == bsLarge ? FLargeDropDownPosition : dpRight;
    }
    FSizeDirty = true;
    PerformResize();
}

void TAdvCustomGlowButton::AddParentShowing(std::vector<TRect>& Into, int DX, int DY) const {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    if (FTransparent)
        Into.push_back(TRect{DX, DY, w + DX, h + DY});
    else
        AddRoundedCorners(Into, FPosition, w, h, DX, DY);
}

void TAdvCustomGlowButton::PaintParentInto(win::HDC DC, win::HRGN Clip) {
    if (!Parent()) return;
    const int saved = win::SaveDC(DC);
    // The clip is in device coordinates: the client's origin may not be the device's.
    win::POINT origin{0, 0};
    win::LPtoDP(DC, &origin, 1);
    win::OffsetRgn(Clip, origin.X, origin.Y);
    win::ExtSelectClipRgn(DC, Clip, win::RGN_AND);
    // The parent's picture as it keeps it, asked for what it shows under every glow button on it, so that
    // buttons side by side have it painted once; else the parent painted through.
    std::vector<TRect> need;
    AddParentShowing(need, Left(), Top());
    TWinControl* parent = Parent();
    win::HDC kept = parent->KeptPicture(need, [parent](std::vector<TRect>& More) {
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TAdvCustomGlowButton*>(parent->Controls(i));
                b != nullptr && b->Visible())
                b->AddParentShowing(More, b->Left(), b->Top());
    });
    if (kept != nullptr) {
        win::BitBlt(DC, 0, 0, Width(), Height(), kept, Left(), Top(), win::SRCCOPY);
    } else {
        win::POINT org{};
        win::GetWindowOrgEx(DC, &org);
        win::SetWindowOrgEx(DC, org.X + Left(), org.Y + Top(), nullptr);
        const auto dc = reinterpret_cast<win::WPARAM>(DC);
        Parent()->Perform(win::WM_ERASEBKGND, dc, static_cast<win::LPARAM>(dc));
        Parent()->Perform(win::WM_PAINT, dc, 0);
    }
    win::RestoreDC(DC, saved);
}

void TAdvCustomGlowButton::Paint() {
    TCanvas* canvas = Canvas();
    const TRect client = GetClientRect();
    win::HDC dc = canvas->Handle();

    if (FTransparent && !FMouseInside) {
        win::HRGN all = win::CreateRectRgn(0, 0, client.Right, client.Bottom);
        PaintParentInto(dc, all);
        win::DeleteObject(all);
    }
    if (Enabled()) {
        if (FState == absDisabled) FState = (FDown && FGroupIndex != 0) ? absExclusive : absUp;
    } else {
        FState = absDisabled;
        FMouseDown = false;
    }
    if (FStyle == bsCheck && FDown) FState = absDown;

    if (FSizeDirty && FAutoSizeEx && !FRemeasuring) {
        // The first paint of an auto-sizing button (or one read from a layout) measures it.
        FSizeDirty = false;
        TSize s = SizeFor(FButtonSizeState);
        if (OnSizeRequest) OnSizeRequest(this, s.cx, s.cy);
        if (s.cx != Width() || s.cy != Height()) {
            SetBounds(Left(), Top(), s.cx, s.cy);
            Invalidate();
        }
    }
    FSizeDirty = false;

    TGlowButtonState look;
    TGlowDrawInput in = MakeDrawInput(FButtonSizeState, false, look);
    TFont font;
    font.Assign(Font());
    if (!ParentFont() && FAppearance->SystemFont())
        font.SetName(AdvStyleIF::IsVista() ? "Segoe UI" : "Tahoma");
    in.Font = &font;
    TBitmap toolImage(1, 1);
    GetToolImage(&toolImage);
    in.ToolImage = &toolImage;
    in.Canvas = canvas;
    in.R = client;
    in.FaceCache = &FFaceCache;
    DrawGlowButton(in);

    DrawGlyphCaption();
    if (OnDrawButton) OnDrawButton(this, canvas, client, look);

    // The rounded corners show the parent, unless the button is a transparent one at rest (its whole
    // face is the parent's then) or a middle piece of a group (square corners).
    const bool restingTransparent = FTransparent && !FMouseInside && FState != absDown && !FHovering;
    std::vector<TRect> pixels;
    if (Parent() && !restingTransparent)
        AddRoundedCorners(pixels, FPosition, client.Right, client.Bottom, 0, 0);
    if (!pixels.empty()) {
        win::HRGN corners = win::CreateRectRgn(0, 0, 0, 0);
        for (const TRect& p : pixels) {
            win::HRGN px = win::CreateRectRgn(p.Left, p.Top, p.Right, p.Bottom);
            win::CombineRgn(corners, corners, px, win::RGN_OR);
            win::DeleteObject(px);
        }
        PaintParentInto(dc, corners);
        win::DeleteObject(corners);
    }
}

} // namespace AdvGlowButton
