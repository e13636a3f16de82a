#include "components/toolbar/styler/ToolBarStyler.h"

#include <algorithm>

namespace AdvToolBar {

KV_PUBLISHED(TCustomAdvToolBarStyler) {
    using S = TCustomAdvToolBarStyler;
    p.Ref("AdvMenuStyler", &S::FAdvMenuStyler, &S::SetAdvMenuStyler);
    p.Object("BackGround", &S::FBackGround);
    p.Bool("BackGroundTransparent", &S::FBackGroundTransparent, &S::SetBackGroundTransparent, true);
    p.Enum("BackGroundDisplay", &S::FBackGroundDisplay, &S::SetBackGroundDisplay, bdTile);
    p.Color("BorderColor", &S::FBorderColor, &S::SetBorderColor, vcl::clNone);
    // Set by the style presets: always stored, so that a preset cannot hide the layout's value.
    p.Color("BorderColorHot", &S::FBorderColorHot, &S::SetBorderColorHot);
    p.Object("ButtonAppearance", &S::FButtonAppearance);
    p.Object("CaptionAppearance", &S::FCaptionAppearance);
    p.Object("CaptionFont", &S::FCaptionFont);
    p.Object("ContainerAppearance", &S::FContainerAppearance);
    p.Object("Color", &S::FColor);
    p.Object("ColorHot", &S::FColorHot);
    p.Object("CompactGlowButtonAppearance", &S::FCompactGlowButtonAppearance);
    p.Object("DockColor", &S::FDockColor);
    p.Enum("DragGripStyle", &S::FDragGripStyle, &S::SetDragGripStyle, dsDots);
    p.Object("DragGripImage", &S::FDragGripImage);
    p.Color("FloatingWindowBorderColor", &S::FFloatingWindowBorderColor, &S::SetFloatingWindowBorderColor);
    p.Int("FloatingWindowBorderWidth", &S::FFloatingWindowBorderWidth, &S::SetFloatingWindowBorderWidth, 2);
    p.Object("Font", &S::FFont);
    p.Object("GlowButtonAppearance", &S::FGlowButtonAppearance);
    p.Object("GroupAppearance", &S::FGroupAppearance);
    p.Object("PageAppearance", &S::FPageAppearance);
    p.Object("PagerCaption", &S::FPagerCaption);
    p.Object("QATAppearance", &S::FQATAppearance);
    p.Object("RightHandleImage", &S::FRightHandleImage);
    // Set by the style presets, as BorderColorHot.
    p.Color("RightHandleColor", &S::FRightHandleColor, &S::SetRightHandleColor);
    p.Color("RightHandleColorTo", &S::FRightHandleColorTo, &S::SetRightHandleColorTo);
    p.Color("RightHandleColorHot", &S::FRightHandleColorHot, &S::SetRightHandleColorHot);
    p.Color("RightHandleColorHotTo", &S::FRightHandleColorHotTo, &S::SetRightHandleColorHotTo);
    p.Color("RightHandleColorDown", &S::FRightHandleColorDown, &S::SetRightHandleColorDown);
    p.Color("RightHandleColorDownTo", &S::FRightHandleColorDownTo, &S::SetRightHandleColorDownTo);
    p.Object("TabAppearance", &S::FTabAppearance);
    p.Bool("SystemFont", &S::FSystemFont, &S::SetSystemFont, true);
}

TCustomAdvToolBarStyler::TCustomAdvToolBarStyler(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner), FBackGround(std::make_unique<vcl::TBitmap>()),
      FFont(std::make_unique<vcl::TFont>()), FDragGripImage(std::make_unique<vcl::TBitmap>()),
      FRightHandleImage(std::make_unique<vcl::TBitmap>()),
      FCaptionAppearance(std::make_unique<TCaptionAppearance>()),
      FColor(std::make_unique<TGradientBackground>()), FDockColor(std::make_unique<TGradientBackground>()),
      FButtonAppearance(std::make_unique<TButtonAppearance>()),
      FColorHot(std::make_unique<TGradientBackground>()), FCaptionFont(std::make_unique<vcl::TFont>()),
      FContainerAppearance(std::make_unique<TContainerAppearance>()),
      FGlowButtonAppearance(std::make_unique<TGlowButtonAppearance>()),
      FCompactGlowButtonAppearance(std::make_unique<TGlowButtonAppearance>()),
      FPagerCaption(std::make_unique<TVistaTextBackground>()),
      FTabAppearance(std::make_unique<TTabAppearance>()),
      FPageAppearance(std::make_unique<TVistaBackground>()),
      FGroupAppearance(std::make_unique<TGroupAppearance>()),
      FQATAppearance(std::make_unique<TQATAppearance>()) {
    auto signal = [this](TStylerChange Code) { return [this, Code](vcl::TObject*) { Change(Code); }; };
    FCaptionAppearance->OnChange = signal(TStylerChange::Colors);
    FColor->OnChange = signal(TStylerChange::Colors);
    FDockColor->OnChange = signal(TStylerChange::Colors);
    FInternalMenuStyler = new AdvMenuStylers::TAdvMenuStyler(this);
    FInternalMenuStyler->SetName("InternalMenuStyler");
    FCurrentAdvMenuStyler = FInternalMenuStyler;
    // ColorHot's change event is not connected; its two colours start unset.
    FColorHot->SetColor(vcl::clNone);
    FColorHot->SetColorTo(vcl::clNone);
    FContainerAppearance->OnChange = signal(TStylerChange::Container);
    FGlowButtonAppearance->OnChange = signal(TStylerChange::GlowButtons);
    FCompactGlowButtonAppearance->OnChange = signal(TStylerChange::GlowButtons);
    FPagerCaption->OnChange = signal(TStylerChange::PagerCaption);
    FTabAppearance->OnChange = signal(TStylerChange::PagerLook);
    FPageAppearance->OnChange = signal(TStylerChange::PagerLook);
    FGroupAppearance->OnChange = signal(TStylerChange::PagerLook);
    FQATAppearance->OnChange = signal(TStylerChange::QuickAccess);
    FFont->SetName(SystemFontName());
    FCaptionFont->SetName(SystemFontName());
}

TCustomAdvToolBarStyler::~TCustomAdvToolBarStyler() {
    ReleaseAllControls();
    BeforeDestruction();
}

void TCustomAdvToolBarStyler::AddControl(IToolBarStylerClient* Control) {
    FControlList.Add(Control);
}

void TCustomAdvToolBarStyler::RemoveControl(IToolBarStylerClient* Control) {
    int i = FControlList.IndexOf(Control);
    if (i >= 0) FControlList.Delete(i);
}

TCustomAdvToolBarStyler* TCustomAdvToolBarStyler::Relink(vcl::TComponent* Self, IToolBarStylerClient* Client,
                                                         TCustomAdvToolBarStyler*& Linked,
                                                         TCustomAdvToolBarStyler* Internal,
                                                         TCustomAdvToolBarStyler* Value) {
    if (Linked != nullptr && Linked != Internal) {
        Linked->RemoveControl(Client);
        Linked->RemoveFreeNotification(Self);
    }
    Linked = Value;
    if (Value == nullptr) return Internal;
    Value->FreeNotification(Self);
    Value->AddControl(Client);
    return Value;
}

void TCustomAdvToolBarStyler::Change(TStylerChange Code) {
    const int count = FControlList.Count();
    // A receiver may leave the list while it is told (it takes another styler): stop at the end of
    // the list as it is now instead of reading past it.
    for (int i = 0; i < count && i < FControlList.Count(); ++i)
        FControlList[i]->StylerChanged(Code);
}

void TCustomAdvToolBarStyler::ReleaseAllControls() {
    // Each client is asked once: one that keeps its registration (a toolbar following its dock
    // panel) is stepped over, so the walk always ends.
    const int limit = FControlList.Count();
    int i = 0;
    for (int handled = 0; handled < limit && i < FControlList.Count(); ++handled) {
        IToolBarStylerClient* client = FControlList[i];
        client->StylerReleased(this);
        if (i < FControlList.Count() && FControlList[i] == client) ++i;
    }
}

void TCustomAdvToolBarStyler::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TComponent::Notification(AComponent, Operation);
    if (Operation != vcl::opRemove || AComponent == nullptr) return;
    if (AComponent == FAdvMenuStyler) {
        if (!ComponentState().Contains(vcl::csDestroying)) SetAdvMenuStyler(nullptr);
        return;
    }
    // Also while the styler itself goes (its whole form may be going): a freed client must not stay
    // in the list that ReleaseAllControls walks.
    if (auto* client = dynamic_cast<IToolBarStylerClient*>(AComponent)) RemoveControl(client);
}

void TCustomAdvToolBarStyler::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TCustomAdvToolBarStyler*>(Source);
    if (src == nullptr) {
        vcl::TComponent::Assign(Source);
        return;
    }
    if (FCurrentAdvMenuStyler != nullptr && src->FAdvMenuStyler != nullptr)
        FCurrentAdvMenuStyler->Assign(src->FAdvMenuStyler);
    FColor->Assign(src->FColor.get());
    FDockColor->Assign(src->FDockColor.get());
    FBackGround->Assign(src->FBackGround.get());
    SetBackGroundTransparent(src->FBackGroundTransparent);
    SetBackGroundDisplay(src->FBackGroundDisplay);
    FFont->Assign(src->FFont.get());
    SetDragGripStyle(src->FDragGripStyle);
    FDragGripImage->Assign(src->FDragGripImage.get());
    FRightHandleImage->Assign(src->FRightHandleImage.get());
    SetFloatingWindowBorderColor(src->FFloatingWindowBorderColor);
    SetFloatingWindowBorderWidth(src->FFloatingWindowBorderWidth);
    FCaptionAppearance->Assign(src->FCaptionAppearance.get());
    FButtonAppearance->Assign(src->FButtonAppearance.get());
}

void TCustomAdvToolBarStyler::SetAdvMenuStyler(TCustomAdvMenuStyler* Value) {
    if (FAdvMenuStyler != nullptr && FAdvMenuStyler != Value) FAdvMenuStyler->RemoveFreeNotification(this);
    FAdvMenuStyler = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    FCurrentAdvMenuStyler = Value != nullptr ? Value : FInternalMenuStyler;
    Change(TStylerChange::MenuStyler);
}

void TCustomAdvToolBarStyler::SetBackGround(vcl::TBitmap* Value) {
    FBackGround->Assign(Value);
    Change(TStylerChange::Background);
}

void TCustomAdvToolBarStyler::SetRightHandleImage(vcl::TBitmap* Value) {
    FRightHandleImage->Assign(Value);
    Change(TStylerChange::Colors);
}

void TCustomAdvToolBarStyler::SetFont(vcl::TFont* Value) {
    FFont->Assign(Value);
    Change(TStylerChange::Background);
}

void TCustomAdvToolBarStyler::SetCaptionFont(vcl::TFont* Value) {
    FCaptionFont->Assign(Value);
    Change(TStylerChange::Colors);
}

void TCustomAdvToolBarStyler::SetSystemFont(bool Value) {
    if (FSystemFont == Value) return;
    FSystemFont = Value;
    if (!Value) return;
    FFont->SetName(SystemFontName());
    FCaptionFont->SetName(SystemFontName());
}

void TCustomAdvToolBarStyler::RefreshSystemFontNames() {
    const String name = SystemFontName();
    if (FTabAppearance->SystemFont()) FTabAppearance->Font()->SetName(name);
    if (FPagerCaption->SystemFont()) FPagerCaption->Font()->SetName(name);
    if (FGroupAppearance->SystemFont()) FGroupAppearance->Font()->SetName(name);
    if (FButtonAppearance->SystemFont()) FButtonAppearance->CaptionFont()->SetName(name);
    if (FSystemFont) {
        FFont->SetName(name);
        FCaptionFont->SetName(name);
    }
}

void TCustomAdvToolBarStyler::ChangeColor(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    Change(TStylerChange::Colors);
}

void TCustomAdvToolBarStyler::SetBackGroundTransparent(bool Value) {
    if (FBackGroundTransparent == Value) return;
    FBackGroundTransparent = Value;
    Change(TStylerChange::Background);
}

void TCustomAdvToolBarStyler::SetBackGroundDisplay(TBackGroundDisplay Value) {
    if (FBackGroundDisplay == Value) return;
    FBackGroundDisplay = Value;
    Change(TStylerChange::Background);
}

void TCustomAdvToolBarStyler::SetBorderColor(TColor Value) {
    ChangeColor(FBorderColor, Value);
}
void TCustomAdvToolBarStyler::SetBorderColorHot(TColor Value) {
    ChangeColor(FBorderColorHot, Value);
}

void TCustomAdvToolBarStyler::SetDragGripStyle(TDragGripStyle Value) {
    if (FDragGripStyle == Value) return;
    FDragGripStyle = Value;
    Change(TStylerChange::DragGrip);
}

void TCustomAdvToolBarStyler::SetFloatingWindowBorderColor(TColor Value) {
    ChangeColor(FFloatingWindowBorderColor, Value);
}

void TCustomAdvToolBarStyler::SetFloatingWindowBorderWidth(int Value) {
    Value = std::clamp(Value, 0, kMaxFloatingWindowBorderWidth);
    if (FFloatingWindowBorderWidth == Value) return;
    FFloatingWindowBorderWidth = Value;
    Change(TStylerChange::Colors);
}

void TCustomAdvToolBarStyler::SetRightHandleColor(TColor Value) {
    ChangeColor(FRightHandleColor, Value);
}
void TCustomAdvToolBarStyler::SetRightHandleColorTo(TColor Value) {
    ChangeColor(FRightHandleColorTo, Value);
}
void TCustomAdvToolBarStyler::SetRightHandleColorHot(TColor Value) {
    ChangeColor(FRightHandleColorHot, Value);
}
void TCustomAdvToolBarStyler::SetRightHandleColorHotTo(TColor Value) {
    ChangeColor(FRightHandleColorHotTo, Value);
}
void TCustomAdvToolBarStyler::SetRightHandleColorDown(TColor Value) {
    ChangeColor(FRightHandleColorDown, Value);
}
void TCustomAdvToolBarStyler::SetRightHandleColorDownTo(TColor Value) {
    ChangeColor(FRightHandleColorDownTo, Value);
}

void TCustomAdvToolBarStyler::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    Change(TStylerChange::Colors);
}

void TCustomAdvToolBarStyler::SetRoundEdges(bool Value) {
    FRoundEdges = Value;
    Change(TStylerChange::Colors);
}

void TCustomAdvToolBarStyler::SetBevel(vcl::TBevelCut Value) {
    if (FBevel == Value) return;
    FBevel = Value;
    Change(TStylerChange::Colors);
}

void TCustomAdvToolBarStyler::SetUseBevel(bool Value) {
    if (FUseBevel == Value) return;
    FUseBevel = Value;
    Change(TStylerChange::Colors);
}

} // namespace AdvToolBar
