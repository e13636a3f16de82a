#include "components/toolbar/styler/AdvToolBarStylers.h"
#include "components/toolbar/styler/FantasyPresets.h"
#include "platform/classes/ClassRegistry.h"

namespace AdvToolBarStylers {

using AdvGlowButton::ggVertical;
using AdvToolBar::gdVertical;

KV_PUBLISHED(TAdvToolBarFantasyStyler) {
    // Style comes before the inherited colours: a streamed form loads the preset, then its overrides.
    p.Enum("Style", &TAdvToolBarFantasyStyler::FStyle, &TAdvToolBarFantasyStyler::SetToolBarStyle,
           bsChocolate)
        .First();
}

KV_REGISTER_CLASS(TAdvToolBarFantasyStyler)

TAdvToolBarFantasyStyler::TAdvToolBarFantasyStyler(vcl::TComponent* AOwner)
    : AdvToolBar::TCustomAdvToolBarStyler(AOwner) {
    SetToolBarStyle(bsChocolate);
}

void TAdvToolBarFantasyStyler::SetToolBarStyle(TToolBarFantasyStyle Value) {
    FStyle = Value;
    if (Value == bsUser) return;
    const TFantasyPreset& p = kFantasyPresets[Value];
    Color()->SetColor(p.ColorColor);
    Color()->SetColorTo(p.ColorColorTo);
    Color()->SetDirection(p.ColorDirection);
    Color()->SetSteps(64);
    DockColor()->SetColor(p.DockColor);
    DockColor()->SetColorTo(p.DockColorTo);
    DockColor()->SetDirection(p.DockDirection);
    DockColor()->SetSteps(128);
    PutUnlessKept(p.FontColor, [this](TColor v) { Font()->SetColor(v); });
    SetRightHandleColor(p.RightHandleColor);
    SetRightHandleColorTo(p.RightHandleColorTo);
    SetRightHandleColorDown(p.RightHandleColorDown);
    SetRightHandleColorDownTo(p.RightHandleColorDownTo);
    SetRightHandleColorHot(p.RightHandleColorHot);
    SetRightHandleColorHotTo(p.RightHandleColorHotTo);
    auto* c = CaptionAppearance();
    c->SetCaptionColor(p.CaptionColor);
    c->SetCaptionColorTo(p.CaptionColorTo);
    c->SetCaptionBorderColor(p.CaptionBorderColor);
    c->SetCaptionTextColor(p.CaptionTextColor);
    auto* b = ButtonAppearance();
    b->SetColor(p.ButtonColor);
    b->SetColorTo(p.ButtonColorTo);
    b->SetColorDown(p.ButtonColorDown);
    b->SetColorDownTo(p.ButtonColorDownTo);
    b->SetColorHot(p.ButtonColorHot);
    b->SetColorHotTo(p.ButtonColorHotTo);
    b->SetBorderHotColor(p.ButtonBorderHotColor);
    b->SetBorderDownColor(p.ButtonBorderDownColor);
    PutUnlessKept(p.ButtonBorderCheckedColor, [b](TColor v) { b->SetBorderCheckedColor(v); });
    b->SetColorChecked(p.ButtonColorChecked);
    b->SetColorCheckedTo(p.ButtonColorCheckedTo);
    b->SetCaptionTextColor(p.ButtonCaptionTextColor);
    b->SetCaptionTextColorChecked(p.ButtonCaptionTextColorChecked);
    b->SetCaptionTextColorDown(p.ButtonCaptionTextColorDown);
    b->SetCaptionTextColorHot(p.ButtonCaptionTextColorHot);
    PutUnlessKept(p.ButtonBorderColor, [b](TColor v) { b->SetBorderColor(v); });
    SetRoundEdges(p.RoundEdges);
    SetDragGripStyle(p.DragGripStyle);
    SetBevel(vcl::bvNone);
    SetUseBevel(false);
    if (Value == bsWhidbey) LoadWhidbey();
}

// The part of the Whidbey look that the other fantasy styles do not write: the floating window, the
// hot caption, the glow buttons, the tabs, groups, pages and the pager caption.
void TAdvToolBarFantasyStyler::LoadWhidbey() {
    SetFloatingWindowBorderColor(0x828F92);
    SetFloatingWindowBorderWidth(2);
    SetBorderColorHot(0xE0C7AD);
    auto* c = CaptionAppearance();
    c->SetCaptionColorHot(0xADC4C4);
    c->SetCaptionColorHotTo(0xADC4C4);
    c->SetCaptionTextColorHot(vcl::clWhite);

    auto* g = GlowButtonAppearance();
    g->SetColor(vcl::clWhite);
    g->SetColorTo(0xDFEDF0);
    g->SetColorMirror(0xDFEDF0);
    g->SetColorMirrorTo(0xDFEDF0);
    g->SetBorderColor(0x99A8AC);
    g->SetGradient(ggVertical);
    g->SetGradientMirror(ggVertical);
    PutOrangeGlowStates(g);
    CompactGlowButtonAppearance()->Assign(g);

    auto* grp = GroupAppearance();
    grp->SetTextColor(vcl::clBlack);
    grp->SetColor(vcl::clWhite);
    grp->SetColorTo(vcl::clWhite);
    grp->SetColorMirror(vcl::clWhite);
    grp->SetColorMirrorTo(0xFFDDBB);
    grp->SetGradient(ggVertical);
    grp->SetGradientMirror(ggVertical);
    grp->SetBorderColor(vcl::clWhite);
    auto* gt = grp->TabAppearance();
    gt->SetColorHot(0xCCF4FF);
    gt->SetColorHotTo(0xCCF4FF);
    gt->SetColorMirrorHot(0xCCF4FF);
    gt->SetColorMirrorHotTo(0x91D0FF);
    gt->SetColorSelected(0x9EDFFB);
    gt->SetColorSelectedTo(0xBAE8FC);
    gt->SetColorMirrorSelected(0xBAE8FC);
    gt->SetColorMirrorSelectedTo(0xD4F1FD);
    gt->SetBorderColorSelected(0xA0BFCC);
    gt->SetBorderColorSelectedHot(0xA0BFCC);
    gt->SetBorderColor(vcl::clHighlight);
    gt->SetBorderColorHot(vcl::clHighlight);
    gt->SetTextColor(vcl::clWhite);
    gt->SetTextColorHot(vcl::clBlack);
    gt->SetTextColorSelected(vcl::clBlack);
    gt->SetGradient(ggVertical);
    gt->SetGradientMirror(ggVertical);
    gt->SetGradientHot(ggVertical);
    gt->SetGradientMirrorHot(ggVertical);
    gt->SetGradientSelected(ggVertical);
    gt->SetGradientMirrorSelected(ggVertical);
    auto* gp = grp->PageAppearance();
    gp->SetColor(0xD6F2FE);
    gp->SetColorTo(0xF9F9F9);
    gp->SetColorMirror(0xF9F9F9);
    gp->SetColorMirrorTo(0xF9F9F9);
    gp->SetBorderColor(0xC2C2C2);
    gp->SetGradient(ggVertical);
    gp->SetGradientMirror(ggVertical);
    auto* gb = grp->ToolBarAppearance();
    gb->Color()->SetColor(0xECF8FD);
    gb->Color()->SetColorTo(0xF9F9F9);
    gb->SetBorderColor(0xCCD1D3);
    gb->ColorHot()->SetColor(0xEEF4F5);
    gb->ColorHot()->SetColorTo(0xFDFBFA);
    gb->SetBorderColorHot(0xC7C7C7);
    auto* gc = grp->CaptionAppearance();
    gc->SetCaptionColor(0xD9E9EC);
    gc->SetCaptionColorTo(0xD9E9EC);
    gc->SetCaptionColorHot(0xDFEDF0);
    gc->SetCaptionColorHotTo(0xDFEDF0);
    gc->SetCaptionTextColor(vcl::clBlack);
    gc->SetCaptionTextColorHot(vcl::clBlack);

    auto* t = TabAppearance();
    t->BackGround()->SetColor(0x859D9D);
    t->BackGround()->SetColorTo(0xADC4C4);
    t->SetBorderColor(vcl::clNone);
    t->SetBorderColorDisabled(vcl::clNone);
    t->SetBorderColorHot(0xE3B28D);
    t->SetBorderColorSelected(vcl::clBlack);
    t->SetBorderColorSelectedHot(0x60CCF9);
    t->SetTextColor(vcl::clWhite);
    t->SetTextColorHot(vcl::clBlack);
    t->SetTextColorSelected(vcl::clBlack);
    t->SetTextColorDisabled(vcl::clSilver);
    t->SetColorSelected(0xADC4C4);
    t->SetColorSelectedTo(vcl::clWhite);
    t->SetColorMirrorSelected(vcl::clWhite);
    t->SetColorMirrorSelectedTo(vcl::clWhite);
    t->SetColorHot(0xCCF4FF);
    t->SetColorHotTo(0xCCF4FF);
    t->SetColorMirrorHot(0xCCF4FF);
    t->SetColorMirrorHotTo(0x91D0FF);
    t->SetGradient(ggVertical);
    t->SetGradientMirror(ggVertical);
    t->SetGradientHot(ggVertical);
    t->SetGradientMirrorHot(ggVertical);
    t->SetGradientSelected(ggVertical);
    t->SetGradientMirrorSelected(ggVertical);
    t->SetGradientDisabled(ggVertical);
    t->SetGradientMirrorDisabled(ggVertical);

    ColorHot()->SetColor(0xF5F9FA);
    ColorHot()->SetColorTo(0xF5F9FA);
    ColorHot()->SetDirection(gdVertical);
    auto* pg = PageAppearance();
    pg->SetBorderColor(vcl::clBlack);
    pg->SetColor(vcl::clWhite);
    pg->SetColorTo(0xD9E9EC);
    pg->SetColorMirror(0xD9E9EC);
    pg->SetColorMirrorTo(vcl::clWhite);
    pg->SetGradient(ggVertical);
    pg->SetGradientMirror(ggVertical);
    auto* pc = PagerCaption();
    pc->SetColor(0x859D9D);
    pc->SetColorTo(0x859D9D);
    pc->SetColorMirror(0x859D9D);
    pc->SetColorMirrorTo(0x859D9D);
    pc->SetBorderColor(0xF0CAAE);
    pc->SetGradient(ggVertical);
    pc->SetGradientMirror(ggVertical);
}

} // namespace AdvToolBarStylers
