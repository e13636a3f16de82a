#include "components/toolbar/dock/ToolBarControl.h"

#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/pager/QuickAccessToolBar.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Exceptions.h"

namespace AdvToolBar {

// ---- TAdvCustomToolBarControl

KV_PUBLISHED(TAdvCustomToolBarControl) {
    p.Enum("Position", &TAdvCustomToolBarControl::FPosition, &TAdvCustomToolBarControl::SetPosition, daTop);
}

TAdvCustomToolBarControl::TAdvCustomToolBarControl(vcl::TComponent* AOwner) : vcl::TGraphicControl(AOwner) {}

TAdvCustomToolBarControl::~TAdvCustomToolBarControl() {
    BeforeDestruction();
    if (FAdvToolBar != nullptr) {
        TAdvCustomToolBar* t = FAdvToolBar;
        FAdvToolBar = nullptr;
        t->RemoveControl(this);
    }
}

void TAdvCustomToolBarControl::SetAdvToolBar(TAdvCustomToolBar* Value) {
    if (Value == FAdvToolBar) return;
    if (FAdvToolBar != nullptr) FAdvToolBar->RemoveControl(this);
    FAdvToolBar = nullptr;
    SetParent(Value);
    if (Value == nullptr) return;
    if (FAdvToolBar == nullptr) Value->InsertControl(this);
    if (FAdvToolBar == nullptr) throw vcl::Exception("AdvToolBar not set");
}

vcl::TComponent* TAdvCustomToolBarControl::ToolBarReference(const String& Name) const {
    vcl::TObject* holder = FAdvToolBar != nullptr ? static_cast<vcl::TObject*>(FAdvToolBar)
                           : FAdvQuickAccessToolBar != nullptr
                               ? static_cast<vcl::TObject*>(FAdvQuickAccessToolBar)
                               : nullptr;
    if (holder == nullptr) return nullptr;
    const vcl::TPropInfo* info = vcl::GetPropInfo(holder, Name);
    if (info == nullptr || info->Kind != vcl::TPropKind::Component || !info->GetRef) return nullptr;
    return info->GetRef(holder);
}

void TAdvCustomToolBarControl::SetPosition(TDockAlign Value) {
    if (FPosition == Value) return;
    FPosition = Value;
    if (AutoSize()) AdjustSize();
    Invalidate();
}

} // namespace AdvToolBar
