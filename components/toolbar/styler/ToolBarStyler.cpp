#include "components/toolbar/styler/ToolBarStyler.h"

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/ToolBar.h"
#include "platform/vcl/CustomControl.h"

namespace AdvToolBar {

KV_PUBLISHED(TCustomAdvToolBarStyler) {
    using S = TCustomAdvToolBarStyler;
    p.Bool("BackGroundTransparent", &S::FBackGroundTransparent, &S::SetBackGroundTransparent, true);
    p.Enum("BackGroundDisplay", &S::FBackGroundDisplay, &S::SetBackGroundDisplay, bdTile);
    p.Color("BorderColor", &S::FBorderColor, &S::SetBorderColor, vcl::clNone);
    p.Color("BorderColorHot", &S::FBorderColorHot, &S::SetBorderColorHot, vcl::clNone);
    p.Object("ContainerAppearance", &S::FContainerAppearance);
    p.Object("Color", &S::FColor);
    p.Object("ColorHot", &S::FColorHot);
    p.Object("DockColor", &S::FDockColor);
    p.Enum("DragGripStyle", &S::FDragGripStyle, &S::SetDragGripStyle, dsDots);
    p.Color("FloatingWindowBorderColor", &S::FFloatingWindowBorderColor, &S::SetFloatingWindowBorderColor);
    p.Int("FloatingWindowBorderWidth", &S::FFloatingWindowBorderWidth, &S::SetFloatingWindowBorderWidth, 2);
    p.Color("RightHandleColor", &S::FRightHandleColor, &S::SetRightHandleColor, vcl::clGray);
    p.Color("RightHandleColorTo", &S::FRightHandleColorTo, &S::SetRightHandleColorTo, vcl::clGray);
    p.Color("RightHandleColorHot", &S::FRightHandleColorHot, &S::SetRightHandleColorHot);
    p.Color("RightHandleColorHotTo", &S::FRightHandleColorHotTo, &S::SetRightHandleColorHotTo);
    p.Color("RightHandleColorDown", &S::FRightHandleColorDown, &S::SetRightHandleColorDown);
    p.Color("RightHandleColorDownTo", &S::FRightHandleColorDownTo, &S::SetRightHandleColorDownTo);
    p.Bool("SystemFont", &S::FSystemFont, &S::SetSystemFont, true);
}

TCustomAdvToolBarStyler::TCustomAdvToolBarStyler(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner), FControlList(std::make_unique<TDbgList>()),
      FColor(std::make_unique<TGradientBackground>()), FDockColor(std::make_unique<TGradientBackground>()),
      FColorHot(std::make_unique<TGradientBackground>()),
      FContainerAppearance(std::make_unique<TContainerAppearance>()) {
    FColor->OnChange = [this](vcl::TObject*) { Change(2); };
    FDockColor->OnChange = [this](vcl::TObject*) { Change(2); };
    FContainerAppearance->OnChange = [this](vcl::TObject*) { Change(4); };
    // ColorHot's change event is not connected; its two colours start unset.
    FColorHot->SetColor(vcl::clNone);
    FColorHot->SetColorTo(vcl::clNone);
}

TCustomAdvToolBarStyler::~TCustomAdvToolBarStyler() {
    ReleaseAllControls();
    BeforeDestruction();
}

void TCustomAdvToolBarStyler::AddControl(vcl::TComponent* Control) {
    FControlList->Add(Control);
}

void TCustomAdvToolBarStyler::RemoveControl(vcl::TComponent* Control) {
    int i = FControlList->IndexOf(Control);
    if (i >= 0) FControlList->Delete(i);
}

void TCustomAdvToolBarStyler::Change(int Code) {
    int count = FControlList->Count();
    // A receiver may leave the list while it is told (it takes another styler): stop at the end of
    // the list as it is now instead of reading past it.
    for (int i = 0; i < count && i < FControlList->Count(); ++i) {
        auto* control = dynamic_cast<vcl::TCustomControl*>(FControlList->At<vcl::TComponent>(i));
        if (control == nullptr) continue;
        if (auto* panel = dynamic_cast<TAdvDockPanel*>(control))
            panel->UpdateMe(Code);
        else if (auto* toolbar = dynamic_cast<TAdvToolBar*>(control))
            toolbar->UpdateMe(Code);
    }
}

void TCustomAdvToolBarStyler::ReleaseAllControls() {
    int limit = FControlList->Count();
    int handled = 0;
    int i = 0;
    while (i < FControlList->Count() && handled < limit) {
        auto* control = dynamic_cast<vcl::TCustomControl*>(FControlList->At<vcl::TComponent>(i));
        if (control == nullptr) {
            ++i;
            continue;
        }
        auto* panel = dynamic_cast<TAdvDockPanel*>(control);
        bool released = false;
        if (panel && !panel->ComponentState().Contains(vcl::csDestroying) && panel->ToolBarStyler() == this) {
            panel->SetToolBarStyler(nullptr);
            released = FControlList->IndexOf(panel) < 0;
        }
        if (!released) ++i;
        ++handled;
    }
}

void TCustomAdvToolBarStyler::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TComponent::Notification(AComponent, Operation);
    // Also while the styler itself goes (its whole form may be going): a freed control must not stay
    // in the list that ReleaseAllControls walks.
    if (Operation == vcl::opRemove) RemoveControl(AComponent);
}

void TCustomAdvToolBarStyler::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TCustomAdvToolBarStyler*>(Source);
    if (src == nullptr) {
        vcl::TComponent::Assign(Source);
        return;
    }
    FColor->Assign(src->FColor.get());
    FDockColor->Assign(src->FDockColor.get());
    SetBackGroundTransparent(src->FBackGroundTransparent);
    SetBackGroundDisplay(src->FBackGroundDisplay);
    SetDragGripStyle(src->FDragGripStyle);
    SetFloatingWindowBorderColor(src->FFloatingWindowBorderColor);
    SetFloatingWindowBorderWidth(src->FFloatingWindowBorderWidth);
}

void TCustomAdvToolBarStyler::ChangeColor(TColor& Field, TColor Value, int Code) {
    if (Field == Value) return;
    Field = Value;
    Change(Code);
}

void TCustomAdvToolBarStyler::SetBackGroundTransparent(bool Value) {
    if (FBackGroundTransparent == Value) return;
    FBackGroundTransparent = Value;
    Change(1);
}

void TCustomAdvToolBarStyler::SetBackGroundDisplay(TBackGroundDisplay Value) {
    if (FBackGroundDisplay == Value) return;
    FBackGroundDisplay = Value;
    Change(1);
}

void TCustomAdvToolBarStyler::SetBorderColor(TColor Value) {
    ChangeColor(FBorderColor, Value, 2);
}
void TCustomAdvToolBarStyler::SetBorderColorHot(TColor Value) {
    ChangeColor(FBorderColorHot, Value, 2);
}

void TCustomAdvToolBarStyler::SetDragGripStyle(TDragGripStyle Value) {
    if (FDragGripStyle == Value) return;
    FDragGripStyle = Value;
    Change(5);
}

void TCustomAdvToolBarStyler::SetFloatingWindowBorderColor(TColor Value) {
    ChangeColor(FFloatingWindowBorderColor, Value, 2);
}

void TCustomAdvToolBarStyler::SetFloatingWindowBorderWidth(int Value) {
    if (FFloatingWindowBorderWidth == Value) return;
    FFloatingWindowBorderWidth = Value;
    Change(2);
}

void TCustomAdvToolBarStyler::SetRightHandleColor(TColor Value) {
    ChangeColor(FRightHandleColor, Value, 2);
}
void TCustomAdvToolBarStyler::SetRightHandleColorTo(TColor Value) {
    ChangeColor(FRightHandleColorTo, Value, 2);
}
void TCustomAdvToolBarStyler::SetRightHandleColorHot(TColor Value) {
    ChangeColor(FRightHandleColorHot, Value, 2);
}
void TCustomAdvToolBarStyler::SetRightHandleColorHotTo(TColor Value) {
    ChangeColor(FRightHandleColorHotTo, Value, 2);
}
void TCustomAdvToolBarStyler::SetRightHandleColorDown(TColor Value) {
    ChangeColor(FRightHandleColorDown, Value, 2);
}
void TCustomAdvToolBarStyler::SetRightHandleColorDownTo(TColor Value) {
    ChangeColor(FRightHandleColorDownTo, Value, 2);
}

void TCustomAdvToolBarStyler::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    Change(2);
}

void TCustomAdvToolBarStyler::SetRoundEdges(bool Value) {
    FRoundEdges = Value;
    Change(2);
}

void TCustomAdvToolBarStyler::SetBevel(vcl::TBevelCut Value) {
    if (FBevel == Value) return;
    FBevel = Value;
    Change(2);
}

void TCustomAdvToolBarStyler::SetUseBevel(bool Value) {
    if (FUseBevel == Value) return;
    FUseBevel = Value;
    Change(2);
}

} // namespace AdvToolBar
