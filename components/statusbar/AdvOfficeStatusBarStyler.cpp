#include "components/statusbar/AdvOfficeStatusBarStyler.h"

#include "components/statusbar/AdvOfficeStatusBar.h"
#include "platform/rtl/Exceptions.h"

namespace AdvOfficeStatusBar {

using namespace vcl;

// ---- TDbgList

// A negative index is out of bounds as much as one past the end.
void CheckDbgListRead(int Index, int Count) {
    if (Index < 0 || Index >= Count) throw Exception("Index out of bounds in list read access");
}

void CheckDbgListWrite(int Index, int Count) {
    if (Index < 0 || Index >= Count) throw Exception("Index out of bounds in list write access");
}

// ---- TCustomAdvOfficeStatusBarStyler

KV_PUBLISHED(TCustomAdvOfficeStatusBarStyler) {
    using S = TCustomAdvOfficeStatusBarStyler;
    p.Color("BorderColor", &S::FBorderColor, &S::SetBorderColor);
    p.Object("PanelAppearanceLight", &S::FPanelAppearanceLight);
    p.Object("PanelAppearanceDark", &S::FPanelAppearanceDark);
}

TCustomAdvOfficeStatusBarStyler::TCustomAdvOfficeStatusBarStyler(TComponent* AOwner)
    : TComponent(AOwner), FControlList(std::make_unique<TDbgList<TComponent>>()),
      FPanelAppearanceLight(std::make_unique<TVistaBackground>()),
      FPanelAppearanceDark(std::make_unique<TVistaBackground>()) {
    FPanelAppearanceLight->OnChange = [this](TObject* Sender) { OnPanelAppearanceChanged(Sender); };
    FPanelAppearanceDark->OnChange = [this](TObject* Sender) { OnPanelAppearanceChanged(Sender); };
}

TCustomAdvOfficeStatusBarStyler::~TCustomAdvOfficeStatusBarStyler() {
    // The registered bars hear of the removal (they asked for it) and fall back to their own stylers.
    BeforeDestruction();
}

void TCustomAdvOfficeStatusBarStyler::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TCustomAdvOfficeStatusBarStyler*>(Source);
    if (s == nullptr) {
        TComponent::Assign(Source);
        return;
    }
    FAutoThemeAdapt = s->FAutoThemeAdapt;
    FPanelAppearanceLight->Assign(s->FPanelAppearanceLight.get());
    FPanelAppearanceDark->Assign(s->FPanelAppearanceDark.get());
    SetBorderColor(s->FBorderColor);
}

void TCustomAdvOfficeStatusBarStyler::AddControl(TComponent* Bar) {
    FControlList->Add(Bar);
    // A bar on another form (or made at run time) must leave the list when it is freed.
    FreeNotification(Bar);
}

void TCustomAdvOfficeStatusBarStyler::RemoveControl(TComponent* Bar) {
    FControlList->Remove(Bar);
}

void TCustomAdvOfficeStatusBarStyler::Change(int Code) {
    // By index: a bar may unregister itself while it repaints.
    for (int i = 0; i < FControlList->Count(); ++i) {
        auto* bar = dynamic_cast<TAdvOfficeStatusBar*>(FControlList->GetItemsEx(i));
        if (bar != nullptr) bar->UpdateMe(Code);
    }
}

void TCustomAdvOfficeStatusBarStyler::OnPanelAppearanceChanged(TObject*) {
    Change(1);
}

void TCustomAdvOfficeStatusBarStyler::SetBorderColor(TColor Value) {
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Change(1);
}

void TCustomAdvOfficeStatusBarStyler::SetPanelAppearanceLight(TVistaBackground* Value) {
    FPanelAppearanceLight->Assign(Value);
}

void TCustomAdvOfficeStatusBarStyler::SetPanelAppearanceDark(TVistaBackground* Value) {
    FPanelAppearanceDark->Assign(Value);
}

void TCustomAdvOfficeStatusBarStyler::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && !ComponentState().Contains(csDestroying)) {
        while (FControlList->IndexOf(AComponent) >= 0)
            FControlList->Remove(AComponent);
    }
}

} // namespace AdvOfficeStatusBar
