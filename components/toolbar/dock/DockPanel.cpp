#include "components/toolbar/dock/DockPanel.h"

#include <algorithm>
#include <vector>

#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/ToolBar.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/Messages.h"

namespace AdvToolBar {

KV_PUBLISHED(TAdvDockPanel) {
    p.Enum("Align", &TAdvDockPanel::FAlign,
           static_cast<void (TAdvDockPanel::*)(TDockAlign)>(&TAdvDockPanel::SetAlign), daTop);
    p.Int("MinimumSize", &TAdvDockPanel::FMinimumSize, &TAdvDockPanel::SetMinimumSize);
    p.Bool("LockHeight", &TAdvDockPanel::FLockHeight, &TAdvDockPanel::SetLockHeight);
    p.Object("Persistence", &TAdvDockPanel::FPersistence);
    p.Ref("ToolBarStyler", &TAdvDockPanel::FToolBarStyler, &TAdvDockPanel::SetToolBarStyler);
    p.Bool("UseRunTimeHeight", &TAdvDockPanel::FUseRunTimeHeight, &TAdvDockPanel::SetUseRunTimeHeight);
    p.Str("Version", &TAdvDockPanel::Version, &TAdvDockPanel::SetVersion, kVersion);
}

KV_REGISTER_CLASS(TAdvDockPanel)

namespace {

vcl::TAlign FrameworkAlign(TDockAlign Value) {
    switch (Value) {
    case daLeft:
        return vcl::alLeft;
    case daRight:
        return vcl::alRight;
    case daBottom:
        return vcl::alBottom;
    case daTop:
        break;
    }
    return vcl::alTop;
}

} // namespace

TAdvDockPanel::TAdvDockPanel(vcl::TComponent* AOwner) : vcl::TCustomControl(AOwner) {
    FControlStyle.Include(vcl::csAcceptsControls);
    FControlStyle.Exclude(vcl::csCaptureMouse);
    FControlStyle.Exclude(vcl::csClickEvents);
    FControlStyle.Exclude(vcl::csOpaque);
    vcl::TControl::SetAlign(vcl::alTop);
    FInternalStyler = new TCustomAdvToolBarStyler(this);
    FInternalStyler->SetName("InternalStyler");
    FCurrentStyler = FInternalStyler;
    FInternalStyler->AddControl(this);
    FInternalStyler->SetSubComponent(true);
    FRows = std::make_unique<TRowCollection>(this);
    FToolBarList = std::make_unique<TDbgList>();
    FHiddenToolBarList = std::make_unique<TDbgList>();
    FPersistence = std::make_unique<TPersistence>(this);
    FPersistence->OnChange = [this](vcl::TObject* Sender) { OnPersistenceChange(Sender); };
    SetDoubleBuffered(true);
    FColor = FInternalStyler->DockColor()->Color();
    FParentColor = false;
}

TAdvDockPanel::~TAdvDockPanel() {
    // Owned and notified components go first (the internal styler among them), while the panel is whole.
    BeforeDestruction();
    FCurrentStyler = nullptr;
    FInternalStyler = nullptr;
    // Toolbars still docked here outlive the panel only as long as their parent does; let them forget it.
    for (int i = 0; i < FToolBarList->Count(); ++i) {
        TAdvCustomToolBar* t = GetAdvToolBars(i);
        t->SetDockPanel(nullptr);
        t->SetRow(-1);
    }
    FToolBarList->Clear();
    FRows.reset();
}

bool TAdvDockPanel::RowsFrozen() const {
    return FLockHeight && !ComponentState().Contains(vcl::csDesigning) && FLoaded;
}

void TAdvDockPanel::SetAlign(TDockAlign Value) {
    if (FAlign == Value) return;
    FAlign = Value;
    vcl::TControl::SetAlign(FrameworkAlign(Value));
    for (int i = 0; i < FToolBarList->Count(); ++i)
        GetAdvToolBars(i)->SetPosition(Value);
}

void TAdvDockPanel::SetMinimumSize(int Value) {
    if (Value < 1 || Value == FMinimumSize) return;
    FMinimumSize = Value;
    if (!ComponentState().Contains(vcl::csDesigning)) FRows->SetParentSize();
}

void TAdvDockPanel::SetUseRunTimeHeight(bool Value) {
    if (FUseRunTimeHeight == Value) return;
    FUseRunTimeHeight = Value;
    FRows->SetRowsPosition();
}

void TAdvDockPanel::SetParent(vcl::TWinControl* AParent) {
    if (dynamic_cast<TAdvDockPanel*>(AParent) != nullptr ||
        dynamic_cast<TAdvCustomToolBar*>(AParent) != nullptr)
        throw vcl::Exception("Invalid Parent");
    vcl::TCustomControl::SetParent(AParent);
}

void TAdvDockPanel::SetToolBarStyler(TCustomAdvToolBarStyler* Value) {
    if (Value != nullptr && Value == FToolBarStyler) return;
    if (FToolBarStyler != nullptr && FToolBarStyler != FInternalStyler) {
        FToolBarStyler->RemoveControl(this);
        FToolBarStyler->RemoveFreeNotification(this);
    }
    FToolBarStyler = Value;
    if (Value != nullptr) {
        FCurrentStyler = Value;
        Value->FreeNotification(this);
        Value->AddControl(this);
    } else {
        FCurrentStyler = FInternalStyler;
    }
    const auto state = ComponentState();
    if (!state.Contains(vcl::csDestroying) && !state.Contains(vcl::csLoading)) {
        for (int i = 0; i < FToolBarList->Count(); ++i) {
            TAdvCustomToolBar* t = GetAdvToolBars(i);
            t->SetParentStyler(t->ParentStyler());
        }
    }
    if (FCurrentStyler != nullptr) FColor = FCurrentStyler->DockColor()->Color();
    Invalidate();
}

void TAdvDockPanel::StylerReleased(TCustomAdvToolBarStyler* Styler) {
    if (!ComponentState().Contains(vcl::csDestroying) && FToolBarStyler == Styler) SetToolBarStyler(nullptr);
}

void TAdvDockPanel::UpdateMe(int) {
    if (FCurrentStyler != nullptr) SetColor(FCurrentStyler->DockColor()->Color());
    Invalidate();
}

int TAdvDockPanel::IsAllowedInAnyRow(TAdvCustomToolBar* ToolBar) const {
    int n = FRows->Count();
    if (FAlign == daLeft || FAlign == daTop) {
        for (int i = n - 1; i >= 0; --i)
            if (FRows->Items(i)->IsAllowed(ToolBar)) return i;
    } else {
        for (int i = 0; i < n; ++i)
            if (FRows->Items(i)->IsAllowed(ToolBar)) return i;
    }
    return -1;
}

int TAdvDockPanel::AddToolBar(TAdvCustomToolBar* ToolBar) {
    if (ToolBar == nullptr) return -1;
    bool frozen = RowsFrozen();
    int row = -1;
    if (frozen) {
        row = IsAllowedInAnyRow(ToolBar);
        if (row < 0) return -1;
    }
    ToolBar->SetDockPanel(nullptr);
    ToolBar->SetPosition(FAlign);
    ToolBar->SetDockPanel(this);
    if (FToolBarList->IndexOf(ToolBar) < 0) FToolBarList->Add(ToolBar);
    ToolBar->FreeNotification(this);
    int result = 0;
    if (frozen) {
        result = FRows->Items(row)->AddToolBar(ToolBar);
    } else if (!ComponentState().Contains(vcl::csLoading)) {
        result = FRows->Add()->AddToolBar(ToolBar);
    }
    CopyPersistenceTo(ToolBar);
    return result;
}

void TAdvDockPanel::RemoveToolBar(TAdvCustomToolBar* ToolBar) {
    if (ToolBar == nullptr) return;
    if (!ComponentState().Contains(vcl::csLoading)) {
        for (int i = 0; i < FRows->Count(); ++i) {
            TRowCollectionItem* row = FRows->Items(i);
            if (row->IndexOfToolBar(ToolBar) >= 0) {
                row->RemoveToolBar(ToolBar, !ComponentState().Contains(vcl::csDestroying));
                break;
            }
        }
    }
    FToolBarList->Remove(ToolBar);
    FHiddenToolBarList->Remove(ToolBar);
    if (ToolBar->DockPanel() == this) ToolBar->SetDockPanel(nullptr);
    ToolBar->SetRow(-1);
}

void TAdvDockPanel::SetToolBarBounds(TAdvCustomToolBar* ToolBar, int& ALeft, int& ATop, int& AWidth,
                                     int& AHeight) {
    if (ComponentState().Contains(vcl::csLoading) || !ToolBar->Visible()) return;
    int r = ToolBar->Row();
    if (r < 0 || r >= FRows->Count()) return;
    TRowCollectionItem* row = FRows->Items(r);
    vcl::TRect rect = row->GetRowRect();
    const int g = TRowCollection::ToolBarSpacing;
    bool thicknessChanged;
    // The toolbar stays in its row: across the row it snaps to the row's start; along it, a full-size
    // toolbar keeps the whole row and any other stays inside the row.
    if (IsHorizontal()) {
        ATop = rect.Top;
        thicknessChanged = AHeight != ToolBar->Height();
        if (ToolBar->FullSize()) {
            ALeft = ToolBar->Left();
            AWidth = ToolBar->Width();
        } else {
            ALeft = std::max(rect.Left + g, std::min(ALeft, rect.Right - g - AWidth));
        }
    } else {
        ALeft = rect.Left;
        thicknessChanged = AWidth != ToolBar->Width();
        if (ToolBar->FullSize()) {
            ATop = ToolBar->Top();
            AHeight = ToolBar->Height();
        } else {
            ATop = std::max(rect.Top + g, std::min(ATop, rect.Bottom - g - AHeight));
        }
    }
    if (thicknessChanged) {
        bool saved = ToolBar->AllowBoundChange();
        ToolBar->SetAllowBoundChange(true);
        ToolBar->SetBounds(ALeft, ATop, AWidth, AHeight);
        ToolBar->SetAllowBoundChange(saved);
        FRows->SetRowsPosition();
        ALeft = ToolBar->Left();
        ATop = ToolBar->Top();
        AWidth = ToolBar->Width();
        AHeight = ToolBar->Height();
    }
}

void TAdvDockPanel::SetToolBarFullSize(TAdvCustomToolBar* ToolBar) {
    FRows->SetToolBarFullSize(ToolBar);
}

void TAdvDockPanel::UpdateToolBarVisibility(TAdvCustomToolBar* ToolBar) {
    if (!ToolBar->Visible()) {
        if (FHiddenToolBarList->IndexOf(ToolBar) < 0) FHiddenToolBarList->Add(ToolBar);
    } else {
        FHiddenToolBarList->Remove(ToolBar);
    }
    // While loading there are no rows yet: Loaded builds them.
    if (!ComponentState().Contains(vcl::csLoading)) FRows->UpdateToolBarVisibility(ToolBar);
}

void TAdvDockPanel::Loaded() {
    vcl::TCustomControl::Loaded();
    // Rows by design position: across the rows first, then along them; equal keys keep joining order.
    std::vector<TAdvCustomToolBar*> order;
    bool horizontal = IsHorizontal();
    auto key = [horizontal](TAdvCustomToolBar* t) {
        return horizontal ? std::make_pair(t->Top(), t->Left()) : std::make_pair(t->Left(), t->Top());
    };
    for (int i = 0; i < FToolBarList->Count(); ++i)
        order.push_back(GetAdvToolBars(i));
    std::stable_sort(order.begin(), order.end(),
                     [&](TAdvCustomToolBar* a, TAdvCustomToolBar* b) { return key(a) < key(b); });
    for (TAdvCustomToolBar* t : order) {
        int left = t->Left();
        int top = t->Top();
        FRows->Add()->AddToolBar(t);
        t->SetLeft(left);
        t->SetTop(top);
    }
    FLoaded = true;
}

void TAdvDockPanel::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TCustomControl::Notification(AComponent, Operation);
    if (ComponentState().Contains(vcl::csDestroying) || Operation != vcl::opRemove) return;
    if (AComponent == FToolBarStyler) {
        SetToolBarStyler(nullptr);
    } else if (auto* t = dynamic_cast<TAdvCustomToolBar*>(AComponent)) {
        // Also a toolbar that is in no row: the panel keeps no pointer to a freed toolbar.
        if (FToolBarList->IndexOf(t) >= 0) RemoveToolBar(t);
    }
}

void TAdvDockPanel::CopyPersistenceTo(TAdvCustomToolBar* ToolBar) const {
    TPersistence* tp = ToolBar->Persistence();
    tp->SetEnabled(FPersistence->Enabled());
    tp->SetKey(FPersistence->Key());
    tp->SetLocation(FPersistence->Location());
}

void TAdvDockPanel::OnPersistenceChange(vcl::TObject*) {
    for (int r = 0; r < FRows->Count(); ++r) {
        TRowCollectionItem* row = FRows->Items(r);
        for (int i = 0; i < row->ToolBarCount(); ++i)
            CopyPersistenceTo(row->ToolBars(i));
    }
}

void TAdvDockPanel::WndProc(vcl::TMessage& Message) {
    if (Message.Msg == win::WM_SIZE && !FSizing) {
        TFlagGuard sizing(FSizing, true);
        FRows->SetRowsPosition();
    }
    vcl::TCustomControl::WndProc(Message);
}

void TAdvDockPanel::Paint() {
    // The plain look: the styler's dock colour, a one-pixel line on the side facing the client area.
    vcl::TCanvas* c = Canvas();
    vcl::TRect r = ClientRect();
    TColor fill = FCurrentStyler ? FCurrentStyler->DockColor()->Color() : Color();
    c->Brush()->SetStyle(vcl::bsSolid);
    c->Brush()->SetColor(fill);
    c->FillRect(r);
    c->Pen()->SetStyle(vcl::psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(vcl::clBtnShadow);
    switch (FAlign) {
    case daLeft:
        c->MoveTo(r.Right - 1, r.Top);
        c->LineTo(r.Right - 1, r.Bottom);
        break;
    case daRight:
        c->MoveTo(r.Left, r.Top);
        c->LineTo(r.Left, r.Bottom);
        break;
    case daTop:
        c->MoveTo(r.Left, r.Bottom - 1);
        c->LineTo(r.Right, r.Bottom - 1);
        break;
    case daBottom:
        c->MoveTo(r.Left, r.Top);
        c->LineTo(r.Right, r.Top);
        break;
    }
}

} // namespace AdvToolBar
