#include "components/toolbar/styler/AdvToolBarStylers.h"

#include "components/toolbar/styler/OfficePresets.h"
#include "platform/classes/ClassRegistry.h"

namespace AdvToolBarStylers {

using AdvGlowButton::ggVertical;
using AdvToolBar::gdHorizontal;
using AdvToolBar::gdVertical;
using AdvToolBar::TStylerChange;

KV_PUBLISHED(TAdvToolBarOfficeStyler) {
    // Style comes before the inherited colours: a streamed form loads the preset, then its overrides.
    p.Enum("Style", &TAdvToolBarOfficeStyler::FStyle, &TAdvToolBarOfficeStyler::SetToolBarStyle,
           bsOffice2003Blue)
        .First();
    p.Bool("AutoThemeAdapt", &TAdvToolBarOfficeStyler::FAutoThemeAdapt, nullptr, false);
}

KV_REGISTER_CLASS(TAdvToolBarOfficeStyler)

// ---- TAdvToolBarOfficeStyler

TAdvToolBarOfficeStyler::TAdvToolBarOfficeStyler(vcl::TComponent* AOwner)
    : AdvToolBar::TCustomAdvToolBarStyler(AOwner) {
    FNotifierWindow = new TNotifierWindow(this);
    FNotifierWindow->ParentToOwnerWindow(AOwner);
    FNotifierWindow->OnThemeChange = [this](vcl::TObject* Sender) { ThemeChanged(Sender); };
    // The style field starts at Blue: going through Windows XP makes the Blue preset load in full.
    SetToolBarStyle(bsWindowsXP);
    SetToolBarStyle(bsOffice2003Blue);
}

// The notifier window goes with the styler's owned components, before this destructor runs.
TAdvToolBarOfficeStyler::~TAdvToolBarOfficeStyler() = default;

void TAdvToolBarOfficeStyler::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    AdvToolBar::TCustomAdvToolBarStyler::Notification(AComponent, Operation);
    if (Operation == vcl::opRemove && AComponent == FNotifierWindow) FNotifierWindow = nullptr;
}

void TAdvToolBarOfficeStyler::SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) {
    SetToolBarStyle(static_cast<TToolBarStyle>(static_cast<int>(AStyle)));
}

void TAdvToolBarOfficeStyler::SetToolBarStyle(TToolBarStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    SetChildComponentStyle(AdvStyleIF::tsCustom);
    SetDarkStyle(false);
    RefreshSystemFontNames();
    if (Value == bsOffice2003Blue || Value == bsOffice2003Silver || Value == bsOffice2003Olive ||
        Value == bsWhidbeyStyle) {
        // The orange Office hot, down and checked set; the case itself leaves them alone.
        PutOrangeGlowStates(GlowButtonAppearance());
        CompactGlowButtonAppearance()->Assign(GlowButtonAppearance());
    }
    if (Value != bsCustom) LoadPreset(Value);
    Change(TStylerChange::Colors);
}

using AdvGlowButton::TGlowButtonAppearance;

void PutGlowStates(TGlowButtonAppearance* g, TColor Hot, TColor HotTo, TColor MirrorHot, TColor MirrorHotTo,
                   TColor BorderHot, TColor Down, TColor DownTo, TColor MirrorDown, TColor MirrorDownTo,
                   TColor BorderDown, TColor Checked, TColor CheckedTo, TColor MirrorChecked,
                   TColor MirrorCheckedTo, TColor BorderChecked) {
    if (Hot == kKeep) return;
    g->SetColorHot(Hot);
    g->SetColorHotTo(HotTo);
    g->SetColorMirrorHot(MirrorHot);
    g->SetColorMirrorHotTo(MirrorHotTo);
    g->SetBorderColorHot(BorderHot);
    g->SetColorDown(Down);
    g->SetColorDownTo(DownTo);
    g->SetColorMirrorDown(MirrorDown);
    g->SetColorMirrorDownTo(MirrorDownTo);
    g->SetBorderColorDown(BorderDown);
    g->SetColorChecked(Checked);
    g->SetColorCheckedTo(CheckedTo);
    g->SetColorMirrorChecked(MirrorChecked);
    g->SetColorMirrorCheckedTo(MirrorCheckedTo);
    PutUnlessKept(BorderChecked, [&](TColor v) { g->SetBorderColorChecked(v); });
    g->SetGradientHot(ggVertical);
    g->SetGradientMirrorHot(ggVertical);
    g->SetGradientDown(ggVertical);
    g->SetGradientMirrorDown(ggVertical);
    g->SetGradientChecked(ggVertical);
    g->SetGradientMirrorChecked(ggVertical);
}

void PutOrangeGlowStates(TGlowButtonAppearance* g) {
    PutGlowStates(g, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0x99CEDB, 0x76AFF1, 0x4190F3, 0x0E72F1, 0x4C9FFD,
                  0x45667B, 0xB5DBFB, 0x78C7FE, 0x9FEBFD, 0x56B4FE, kKeep);
}

void TAdvToolBarOfficeStyler::LoadPreset(TToolBarStyle Value) {
    const TOfficePreset& p = kOfficePresets[Value];
    DockColor()->SetColor(p.DockColor);
    DockColor()->SetColorTo(p.DockColorTo);
    DockColor()->SetDirection(gdHorizontal);
    DockColor()->SetSteps(128);
    SetRightHandleColor(p.RightHandleColor);
    SetRightHandleColorTo(p.RightHandleColorTo);
    SetRightHandleColorHot(p.RightHandleColorHot);
    SetRightHandleColorHotTo(p.RightHandleColorHotTo);
    PutUnlessKept(p.RightHandleColorDown, [this](TColor v) { SetRightHandleColorDown(v); });
    PutUnlessKept(p.RightHandleColorDownTo, [this](TColor v) { SetRightHandleColorDownTo(v); });

    auto* g = GlowButtonAppearance();
    g->SetColor(p.GlowColor);
    g->SetColorTo(p.GlowColorTo);
    g->SetColorMirror(p.GlowColorMirror);
    g->SetColorMirrorTo(p.GlowColorMirrorTo);
    g->SetBorderColor(p.GlowBorderColor);
    g->SetGradient(ggVertical);
    g->SetGradientMirror(ggVertical);
    PutGlowStates(g, p.GlowColorHot, p.GlowColorHotTo, p.GlowColorMirrorHot, p.GlowColorMirrorHotTo,
                  p.GlowBorderColorHot, p.GlowColorDown, p.GlowColorDownTo, p.GlowColorMirrorDown,
                  p.GlowColorMirrorDownTo, p.GlowBorderColorDown, p.GlowColorChecked, p.GlowColorCheckedTo,
                  p.GlowColorMirrorChecked, p.GlowColorMirrorCheckedTo, p.GlowBorderColorChecked);
    CompactGlowButtonAppearance()->Assign(g);
    PutGlowStates(CompactGlowButtonAppearance(), p.CompactColorHot, p.CompactColorHotTo,
                  p.CompactColorMirrorHot, p.CompactColorMirrorHotTo, p.CompactBorderColorHot,
                  p.CompactColorDown, p.CompactColorDownTo, p.CompactColorMirrorDown,
                  p.CompactColorMirrorDownTo, p.CompactBorderColorDown, p.CompactColorChecked,
                  p.CompactColorCheckedTo, p.CompactColorMirrorChecked, p.CompactColorMirrorCheckedTo,
                  p.CompactBorderColorChecked);

    for (AdvToolBar::TCaptionAppearance* c : {CaptionAppearance(), GroupAppearance()->CaptionAppearance()}) {
        c->SetCaptionColor(p.CaptionColor);
        c->SetCaptionColorTo(p.CaptionColorTo);
        c->SetCaptionColorHot(p.CaptionColorHot);
        c->SetCaptionColorHotTo(p.CaptionColorHotTo);
        c->SetCaptionTextColor(p.CaptionTextColor);
        c->SetCaptionTextColorHot(p.CaptionTextColorHot);
    }
    PutUnlessKept(p.CaptionBorderColor, [this](TColor v) { CaptionAppearance()->SetCaptionBorderColor(v); });

    auto* b = ButtonAppearance();
    PutUnlessKept(p.ButtonColor, [b](TColor v) { b->SetColor(v); });
    PutUnlessKept(p.ButtonColorTo, [b](TColor v) { b->SetColorTo(v); });
    PutUnlessKept(p.ButtonColorHot, [b](TColor v) { b->SetColorHot(v); });
    PutUnlessKept(p.ButtonColorHotTo, [b](TColor v) { b->SetColorHotTo(v); });
    PutUnlessKept(p.ButtonColorDown, [b](TColor v) { b->SetColorDown(v); });
    PutUnlessKept(p.ButtonColorDownTo, [b](TColor v) { b->SetColorDownTo(v); });
    PutUnlessKept(p.ButtonColorChecked, [b](TColor v) { b->SetColorChecked(v); });
    PutUnlessKept(p.ButtonColorCheckedTo, [b](TColor v) { b->SetColorCheckedTo(v); });
    PutUnlessKept(p.ButtonCaptionTextColor, [b](TColor v) { b->SetCaptionTextColor(v); });
    PutUnlessKept(p.ButtonCaptionTextColorHot, [b](TColor v) { b->SetCaptionTextColorHot(v); });
    PutUnlessKept(p.ButtonCaptionTextColorDown, [b](TColor v) { b->SetCaptionTextColorDown(v); });
    PutUnlessKept(p.ButtonCaptionTextColorChecked, [b](TColor v) { b->SetCaptionTextColorChecked(v); });
    PutUnlessKept(p.ButtonBorderHotColor, [b](TColor v) { b->SetBorderHotColor(v); });
    PutUnlessKept(p.ButtonBorderDownColor, [b](TColor v) { b->SetBorderDownColor(v); });
    PutUnlessKept(p.ButtonBorderCheckedColor, [b](TColor v) { b->SetBorderCheckedColor(v); });

    auto* grp = GroupAppearance();
    grp->SetTextColor(p.GroupTextColor);
    grp->SetColor(p.GroupColor);
    grp->SetColorTo(p.GroupColorTo);
    grp->SetColorMirror(p.GroupColorMirror);
    grp->SetColorMirrorTo(p.GroupColorMirrorTo);
    grp->SetGradient(ggVertical);
    grp->SetGradientMirror(ggVertical);
    grp->SetBorderColor(p.GroupBorderColor);
    auto* gt = grp->TabAppearance();
    gt->SetColorHot(p.GroupTabColorHot);
    gt->SetColorHotTo(p.GroupTabColorHotTo);
    gt->SetColorMirrorHot(p.GroupTabColorMirrorHot);
    gt->SetColorMirrorHotTo(p.GroupTabColorMirrorHotTo);
    gt->SetGradient(p.GroupTabGradient);
    gt->SetGradientMirror(p.GroupTabGradientMirror);
    gt->SetColorSelected(p.GroupTabColorSelected);
    gt->SetColorSelectedTo(p.GroupTabColorSelectedTo);
    gt->SetColorMirrorSelected(p.GroupTabColorMirrorSelected);
    gt->SetColorMirrorSelectedTo(p.GroupTabColorMirrorSelectedTo);
    gt->SetTextColorSelected(p.GroupTabTextColorSelected);
    gt->SetBorderColorSelected(p.GroupTabBorderColorSelected);
    gt->SetBorderColorSelectedHot(p.GroupTabBorderColorSelectedHot);
    gt->SetBorderColorHot(p.GroupTabBorderColorHot);
    gt->SetBorderColor(p.GroupTabBorderColor);
    gt->SetTextColor(p.GroupTabTextColor);
    gt->SetTextColorHot(p.GroupTabTextColorHot);
    auto* gp = grp->PageAppearance();
    gp->SetColor(p.GroupPageColor);
    gp->SetColorTo(p.GroupPageColorTo);
    gp->SetColorMirror(p.GroupPageColorMirror);
    gp->SetColorMirrorTo(p.GroupPageColorMirrorTo);
    gp->SetBorderColor(p.GroupPageBorderColor);
    gp->SetGradient(ggVertical);
    gp->SetGradientMirror(ggVertical);
    auto* gb = grp->ToolBarAppearance();
    gb->Color()->SetColor(p.GroupToolBarColor);
    gb->Color()->SetColorTo(p.GroupToolBarColorTo);
    gb->SetBorderColor(p.GroupToolBarBorderColor);
    gb->ColorHot()->SetColor(p.GroupToolBarColorHot);
    gb->ColorHot()->SetColorTo(p.GroupToolBarColorHotTo);
    gb->SetBorderColorHot(p.GroupToolBarBorderColorHot);

    auto* t = TabAppearance();
    t->BackGround()->SetColor(p.TabBackGroundColor);
    t->BackGround()->SetColorTo(p.TabBackGroundColorTo);
    if (p.TabBackGroundVertical) t->BackGround()->SetDirection(gdVertical);
    t->SetBorderColor(p.TabBorderColor);
    t->SetBorderColorDisabled(p.TabBorderColorDisabled);
    t->SetBorderColorHot(p.TabBorderColorHot);
    t->SetBorderColorSelected(p.TabBorderColorSelected);
    t->SetBorderColorSelectedHot(p.TabBorderColorSelectedHot);
    t->SetTextColor(p.TabTextColor);
    t->SetTextColorHot(p.TabTextColorHot);
    t->SetTextColorSelected(p.TabTextColorSelected);
    t->SetTextColorDisabled(p.TabTextColorDisabled);
    t->SetColorSelected(p.TabColorSelected);
    t->SetColorSelectedTo(p.TabColorSelectedTo);
    t->SetColorMirrorSelected(p.TabColorMirrorSelected);
    t->SetColorMirrorSelectedTo(p.TabColorMirrorSelectedTo);
    t->SetColorDisabled(p.TabColorDisabled);
    t->SetColorDisabledTo(p.TabColorDisabledTo);
    t->SetColorMirrorDisabled(p.TabColorMirrorDisabled);
    t->SetColorMirrorDisabledTo(p.TabColorMirrorDisabledTo);
    t->SetColorHot(p.TabColorHot);
    t->SetColorHotTo(p.TabColorHotTo);
    t->SetColorMirrorHot(p.TabColorMirrorHot);
    t->SetColorMirrorHotTo(p.TabColorMirrorHotTo);
    t->SetGradient(ggVertical);
    t->SetGradientDisabled(ggVertical);
    t->SetGradientHot(p.TabGradientHot);
    t->SetGradientMirrorDisabled(ggVertical);
    t->SetGradientMirrorHot(ggVertical);
    t->SetGradientMirrorSelected(ggVertical);
    t->SetGradientSelected(ggVertical);

    SetDragGripStyle(p.DragGripStyle);
    SetRoundEdges(p.RoundEdges);
    SetBevel(p.Bevel);
    SetUseBevel(p.UseBevel);
    Color()->SetColor(p.ColorColor);
    Color()->SetColorTo(p.ColorColorTo);
    Color()->SetDirection(gdVertical);
    if (p.ColorSteps != 0) Color()->SetSteps(p.ColorSteps);
    PutUnlessKept(p.BorderColor, [this](TColor v) { SetBorderColor(v); });
    ColorHot()->SetColor(p.ColorHotColor);
    ColorHot()->SetColorTo(p.ColorHotColorTo);
    ColorHot()->SetDirection(gdVertical);
    SetBorderColorHot(p.BorderColorHot);
    SetFloatingWindowBorderColor(p.FloatingWindowBorderColor);
    SetFloatingWindowBorderWidth(p.FloatingWindowBorderWidth);

    auto* pg = PageAppearance();
    pg->SetBorderColor(p.PageBorderColor);
    pg->SetColor(p.PageColor);
    pg->SetColorTo(p.PageColorTo);
    pg->SetColorMirror(p.PageColorMirror);
    pg->SetColorMirrorTo(p.PageColorMirrorTo);
    pg->SetGradient(ggVertical);
    pg->SetGradientMirror(ggVertical);
    auto* pc = PagerCaption();
    pc->SetColor(p.PagerCaptionColor);
    pc->SetColorTo(p.PagerCaptionColorTo);
    pc->SetColorMirror(p.PagerCaptionColorMirror);
    pc->SetColorMirrorTo(p.PagerCaptionColorMirrorTo);
    pc->SetBorderColor(p.PagerCaptionBorderColor);
    pc->SetGradient(ggVertical);
    pc->SetGradientMirror(ggVertical);
    auto* q = QATAppearance();
    q->SetColor(p.QATColor);
    q->SetColorTo(p.QATColorTo);
    q->SetBorderColor(p.QATBorderColor);
    q->SetFullSizeColor(p.QATFullSizeColor);
    q->SetFullSizeColorTo(p.QATFullSizeColorTo);
    q->SetFullSizeBorderColor(p.QATFullSizeBorderColor);

    SetChildComponentStyle(p.ChildComponentStyle);
    SetRoundedPageCorners(p.RoundedPageCorners);
    SetWideQATNotch(p.WideQATNotch);
    SetDarkStyle(p.DarkStyle);
}

void TAdvToolBarOfficeStyler::ThemeChanged(vcl::TObject*) {
    if (!FAutoThemeAdapt) return;
    switch (AdvStyleIF::DetectThemeScheme()) {
    case 1:
        SetToolBarStyle(bsOffice2003Blue);
        break;
    case 2:
        SetToolBarStyle(bsOffice2003Olive);
        break;
    case 3:
        SetToolBarStyle(bsOffice2003Silver);
        break;
    default:
        SetToolBarStyle(bsOffice2003Classic);
        break;
    }
}

void TAdvToolBarOfficeStyler::Loaded() {
    AdvToolBar::TCustomAdvToolBarStyler::Loaded();
    if (!ComponentState().Contains(vcl::csDesigning)) ThemeChanged(this);
}

} // namespace AdvToolBarStylers
