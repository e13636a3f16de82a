// The caption's option indicator: a glow-style button at the right end of the caption strip of a
// horizontal docked or fixed toolbar whose right handle is hidden. Its hot and pressed looks, the two
// fades between them on the glow timer (hover: toward the hot look and back toward the caption strip;
// pressed: from the hot look toward the pressed one), its click, and its painting.

#include <algorithm>

#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarPaint_p.h"
#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "platform/win/Window.h"

namespace AdvToolBar {

using namespace paint;

namespace {

constexpr int kHoverFade = 0;
constexpr int kPressedFade = 1;
constexpr int kNoFade = 2;

// One look of the indicator's face.
struct TFace {
    TColor Color, ColorTo, Mirror, MirrorTo, Border;
    AdvGlowButton::TGDIPGradient Gradient, GradientMirror;
};

TFace HotFace(AdvGlowButton::TGlowButtonAppearance* A) {
    return {A->ColorHot(),       A->ColorHotTo(),  A->ColorMirrorHot(),   A->ColorMirrorHotTo(),
            A->BorderColorHot(), A->GradientHot(), A->GradientMirrorHot()};
}

TFace DownFace(AdvGlowButton::TGlowButtonAppearance* A) {
    return {A->ColorDown(),       A->ColorDownTo(),  A->ColorMirrorDown(),   A->ColorMirrorDownTo(),
            A->BorderColorDown(), A->GradientDown(), A->GradientMirrorDown()};
}

// Percent of From, the rest of To, for every colour; the gradient kinds are From's.
TFace Blend(const TFace& From, const TFace& To, int Percent) {
    return {FadeColor(From.Color, To.Color, Percent),
            FadeColor(From.ColorTo, To.ColorTo, Percent),
            FadeColor(From.Mirror, To.Mirror, Percent),
            FadeColor(From.MirrorTo, To.MirrorTo, Percent),
            FadeColor(From.Border, To.Border, Percent),
            From.Gradient,
            From.GradientMirror};
}

} // namespace

bool TAdvCustomToolBar::OptionFading() const {
    return FOptionTimer != nullptr && FOptionTimer->Enabled();
}

void TAdvCustomToolBar::InvalidateCapOptionBtn() {
    if (!HandleAllocated()) return;
    const vcl::TRect r = GetOptionIndicatorRect();
    win::RECT wr{r.Left, r.Top, r.Right, r.Bottom};
    win::InvalidateRect(Handle(), &wr, win::TRUE);
}

void TAdvCustomToolBar::InvalidateCaption() {
    if (!HandleAllocated()) return;
    const vcl::TRect r = GetCaptionRect();
    win::RECT wr{r.Left, r.Top, r.Right, r.Bottom};
    win::InvalidateRect(Handle(), &wr, win::TRUE);
}

void TAdvCustomToolBar::CapOptionIndicatorClick() {
    if (!OnOptionClick || Parent() == nullptr || IsFloating()) return;
    vcl::TPoint client{Left() + Width() - 12, Top() + Height() + 1};
    OnOptionClick(this, client, Parent()->ClientToScreen(client));
}

// ---- Mouse

void TAdvCustomToolBar::CapIndicatorMouseDown(int X, int Y) {
    if (ComponentState().Contains(vcl::csDesigning) || !GetOptionIndicatorRect().Contains(vcl::TPoint{X, Y}))
        return;
    StartOptionFade(kPressedFade, 20);
    FCapIndicatorDown = true;
    InvalidateCapOptionBtn();
    CapOptionIndicatorClick();
    InvalidateCapOptionBtn();
}

void TAdvCustomToolBar::CapIndicatorMouseMove(int X, int Y) {
    const bool inside = GetOptionIndicatorRect().Contains(vcl::TPoint{X, Y});
    if (inside == FCapIndicatorHot) return;
    if (inside) {
        StartOptionFade(kHoverFade, 20);
        FCapIndicatorHot = true;
    } else {
        StartOptionFade(kHoverFade, -20);
        FCapIndicatorHot = false;
    }
    InvalidateCapOptionBtn();
}

void TAdvCustomToolBar::CapIndicatorMouseUp() {
    // The press ends wherever the pointer was released (the toolbar has the capture): an indicator
    // left pressed would stay so until the pointer left the toolbar.
    if (!FCapIndicatorDown || !CapIndicatorShown()) return;
    if (!ComponentState().Contains(vcl::csDesigning)) StartOptionFade(kPressedFade, -20);
    FCapIndicatorDown = false;
    InvalidateCapOptionBtn();
}

void TAdvCustomToolBar::CapIndicatorMouseLeave() {
    if (IsFloating() || (!FCapIndicatorHot && !FCapIndicatorDown)) return;
    FCapIndicatorHot = false;
    FCapIndicatorDown = false;
    InvalidateCapOptionBtn();
}

// ---- Fades

void TAdvCustomToolBar::StartOptionFade(int Kind, int Step) {
    if (FOptionTimer == nullptr) {
        FOptionTimer = std::make_unique<vcl::TTimer>(nullptr);
        FOptionTimer->SetEnabled(false);
        FOptionTimer->OnTimer = [this](vcl::TObject*) { OptionTimerProc(); };
    }
    if (!FOptionTimer->Enabled())
        FOptionTimer->SetInterval(static_cast<unsigned>(std::max<std::int32_t>(1, AdvGDIP::GlowSpeed)));
    FOptionFadeKind = Kind;
    FOptionFadeStep = Step;
    FOptionTimer->SetEnabled(true);
}

void TAdvCustomToolBar::OptionTimerProc() {
    auto finishedAt = [this](int Position) {
        return (FOptionFadeStep > 0 && Position > 100) || (FOptionFadeStep < 0 && Position < 0);
    };
    // The timer is this call's sender: it is stopped, not freed, and started again by the next fade.
    auto stop = [this] {
        FOptionTimer->SetEnabled(false);
        FOptionFadeKind = kNoFade;
    };
    switch (FOptionFadeKind) {
    case kHoverFade:
        FOptionHoverFade += FOptionFadeStep;
        if (!finishedAt(FOptionHoverFade)) {
            InvalidateCapOptionBtn();
            return;
        }
        stop();
        if (FOptionHoverFade < 0) {
            FCapIndicatorHot = false;
            InvalidateCapOptionBtn();
        }
        InvalidateCaption();
        FOptionDownFade = 0;
        FOptionHoverFade = std::clamp(FOptionHoverFade, -20, 120);
        return;
    case kPressedFade:
        FOptionDownFade += FOptionFadeStep;
        if (!finishedAt(FOptionDownFade)) {
            InvalidateCapOptionBtn();
            return;
        }
        stop();
        if (FOptionDownFade < 0) {
            FCapIndicatorDown = false;
            InvalidateCaption();
        }
        return;
    default:
        stop();
        return;
    }
}

// ---- Painting

void TAdvCustomToolBar::DrawCaptionOptionIndicator(vcl::TCanvas* C) {
    const vcl::TRect r = GetOptionIndicatorRect();
    if (r.Left < 0) return;
    AdvGlowButton::TGlowButtonAppearance* a = FCurrentStyler->GlowButtonAppearance();
    const bool fading = OptionFading();
    const bool upward = fading && FOptionFadeStep > 0;
    const bool downward = fading && FOptionFadeStep < 0;
    // Fading out, the hot look sinks into the caption strip under it.
    auto towardCaption = [&] {
        TCaptionAppearance* cap = CaptionLook();
        const TColor back = cap->CaptionColor();
        const TColor backTo = cap->CaptionColorTo() == clNone ? back : cap->CaptionColorTo();
        const TFace strip{
            back, backTo, back, back, a->BorderColor(), a->GradientHot(), a->GradientMirrorHot()};
        return Blend(HotFace(a), strip, FOptionHoverFade);
    };
    TFace face;
    if (FCapIndicatorDown)
        face = upward ? Blend(DownFace(a), HotFace(a), FOptionDownFade) : DownFace(a);
    else if (FCapIndicatorHot && upward)
        face = Blend(DownFace(a), HotFace(a), FOptionDownFade);
    else if (FCapIndicatorHot)
        face = downward ? towardCaption() : HotFace(a);
    else if (downward)
        face = towardCaption();
    else
        return;
    DrawVistaGradient(C, r, face.Color, face.ColorTo, face.Mirror, face.MirrorTo, face.Border, face.Gradient,
                      face.GradientMirror, "", Font(), Enabled(), false, FAntiAlias, false);
    // With ParentOptionPicture a toolbar on a pager's page shows the pager's option pictures.
    GDIPicture::TGDIPPicture* normal = FOptionPicture.get();
    GDIPicture::TGDIPPicture* disabled = FOptionDisabledPicture.get();
    if (FParentOptionPicture)
        if (TAdvToolBarPager* pager = PagerOfPage()) {
            normal = pager->OptionPicture();
            disabled = pager->OptionDisabledPicture();
        }
    GDIPicture::TGDIPPicture* picture = !Enabled() && !disabled->Empty() ? disabled : normal;
    if (picture->Empty()) return;
    picture->GetImageSizes();
    const int x = std::max(0, (r.Right - r.Left - picture->Width()) / 2);
    const int y = std::max(0, (r.Bottom - r.Top - picture->Height()) / 2);
    C->Draw(r.Left + x, r.Top + y, picture);
}

} // namespace AdvToolBar
