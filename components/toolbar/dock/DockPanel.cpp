#include "components/toolbar/dock/DockPanel.h"

#include <algorithm>
#include <vector>

#include "components/menus/AdvMenus.h"
#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/Messages.h"

namespace AdvToolBar {

KV_PUBLISHED(TAdvDockPanel) {
    p.Default("DoubleBuffered", true);
    p.Default("ParentColor", false);
    p.Default("Color", vcl::clNone).NoDefault(); // the styler's dock colour: always stored
    p.Enum("Align", &TAdvDockPanel::FAlign,
           static_cast<void (TAdvDockPanel::*)(TDockAlign)>(&TAdvDockPanel::SetAlign), daTop);
    p.Int("MinimumSize", &TAdvDockPanel::FMinimumSize, &TAdvDockPanel::SetMinimumSize);
    p.Bool("LockHeight", &TAdvDockPanel::FLockHeight, &TAdvDockPanel::SetLockHeight);
    p.Object("Persistence", &TAdvDockPanel::FPersistence);
    p.Ref("ToolBarStyler", &TAdvDockPanel::FToolBarStyler, &TAdvDockPanel::SetToolBarStyler);
    p.Ref(
        "PopupMenu", [](TAdvDockPanel* c) { return c->PopupMenu(); },
        [](TAdvDockPanel* c, vcl::TComponent* v) { c->SetPopupMenu(v); });
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
    FImage = std::make_unique<vcl::TBitmap>();
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
    // Toolbars docked here forget the panel first: those the panel owns are freed just below, and the
    // others outlive it only as long as their parent does.
    for (int i = 0; i < FToolBarList->Count(); ++i) {
        TAdvCustomToolBar* t = GetAdvToolBars(i);
        t->SetDockPanel(nullptr);
        t->SetRow(-1);
    }
    FToolBarList->Clear();
    // Owned and notified components go next (the internal styler among them), while the panel is whole.
    BeforeDestruction();
    FCurrentStyler = nullptr;
    FInternalStyler = nullptr;
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
    FCurrentStyler = TCustomAdvToolBarStyler::Relink(this, this, FToolBarStyler, FInternalStyler, Value);
    const auto state = ComponentState();
    if (!state.Contains(vcl::csDestroying) && !state.Contains(vcl::csLoading)) {
        for (int i = 0; i < FToolBarList->Count(); ++i) {
            TAdvCustomToolBar* t = GetAdvToolBars(i);
            t->SetParentStyler(t->ParentStyler());
        }
    }
    if (FCurrentStyler != nullptr) FColor = FCurrentStyler->DockColor()->Color();
    SetPopupMenu(PopupMenu());
    FImageValid = false;
    Invalidate();
}

void TAdvDockPanel::SetPopupMenu(vcl::TComponent* Value) {
    vcl::TCustomControl::SetPopupMenu(Value);
    if (auto* menu = dynamic_cast<AdvMenus::TAdvPopupMenu*>(Value);
        menu != nullptr && FCurrentStyler != nullptr)
        menu->SetMenuStyler(FCurrentStyler->CurrentAdvMenuStyler());
}

void TAdvDockPanel::StylerReleased(TCustomAdvToolBarStyler* Styler) {
    if (!ComponentState().Contains(vcl::csDestroying) && FToolBarStyler == Styler) SetToolBarStyler(nullptr);
}

void TAdvDockPanel::UpdateMe(int Code) {
    FImageValid = false;
    if (FCurrentStyler != nullptr) SetColor(FCurrentStyler->DockColor()->Color());
    if (Code == static_cast<int>(TStylerChange::MenuStyler)) SetPopupMenu(PopupMenu());
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
    // First across the rows (which may move the toolbar to another row), then along its row.
    if (IsHorizontal()) {
        FRows->SetToolBarTopAndHeight(ToolBar, ATop, AHeight);
        int r = ToolBar->Row();
        if (r >= 0 && r < FRows->Count()) FRows->Items(r)->SetToolBarLeftAndWidth(ToolBar, ALeft, AWidth);
    } else {
        FRows->SetToolBarLeftAndWidth(ToolBar, ALeft, AWidth);
        int r = ToolBar->Row();
        if (r >= 0 && r < FRows->Count()) FRows->Items(r)->SetToolBarTopAndHeight(ToolBar, ATop, AHeight);
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
    // Read before the rows may freeze, so that a stored layout can still change them.
    LoadToolBarsPosition();
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
    // Painted into the panel image first: docked toolbars read their rounded corners from it.
    if (FImage->Width() != Width() || FImage->Height() != Height()) {
        FImage->SetSize(Width(), Height());
        FImageValid = false;
    }
    if (FImageValid) {
        Canvas()->Draw(0, 0, FImage.get());
        return;
    }
    FImageValid = true;
    vcl::TCanvas* c = FImage->Canvas();
    vcl::TRect r{0, 0, Width(), Height()};
    TGradientBackground* d = FCurrentStyler ? FCurrentStyler->DockColor() : nullptr;
    if (d != nullptr && d->ColorTo() != vcl::clNone) {
        DrawGradient(c, d->Color(), d->ColorTo(), d->Steps(), r, d->Direction() == gdHorizontal);
    } else {
        TColor fill = d != nullptr ? d->Color() : Color();
        c->Pen()->SetStyle(vcl::psSolid);
        c->Pen()->SetColor(fill);
        c->Brush()->SetStyle(vcl::bsSolid);
        c->Brush()->SetColor(fill);
        c->Rectangle(r);
    }
    vcl::TBitmap* bitmap = FCurrentStyler ? FCurrentStyler->BackGround() : nullptr;
    if (bitmap != nullptr && !bitmap->Empty()) {
        const int w = bitmap->Width();
        const int h = bitmap->Height();
        switch (FCurrentStyler->BackGroundDisplay()) {
        case bdTile:
            for (int y = 1; y < Height() - 2; y += h)
                for (int x = 1; x < Width() - 2; x += w)
                    c->Draw(x, y, bitmap);
            break;
        case bdCenter:
            c->Draw((Width() - w) / 2, (Height() - h) / 2, bitmap);
            break;
        case bdStretch:
            c->StretchDraw(vcl::TRect{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}, bitmap);
            break;
        }
    }
    Canvas()->Draw(0, 0, FImage.get());
}

} // namespace AdvToolBar
