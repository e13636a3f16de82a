#include "components/toolbar/pager/AdvToolBarPager.h"

#include <algorithm>

#include "components/foundation/AdvGlowButton.h"
#include "components/menus/AdvMenus.h"
#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/QuickAccessToolBar.h"
#include "components/toolbar/pager/VistaButtons.h"
#include "components/toolbar/styler/AdvToolBarStylers.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/Messages.h"

namespace AdvToolBar {

KV_PUBLISHED(TAdvToolBarPager) {
    using A = TAdvToolBarPager;
    p.Default("Align", vcl::alTop);
    p.Default("ParentShowHint", false);
    p.Int(
        "AntiAlias", [](A* c) { return static_cast<int>(c->AntiAlias()); },
        [](A* c, int v) { c->SetAntiAlias(static_cast<AdvGDIP::TAntiAlias>(std::clamp(v, 0, 2))); },
        static_cast<int>(AdvGDIP::aaClearType));
    p.Object("Caption", &A::FCaption);
    p.Ref("Images", &A::FImages, &A::SetImages);
    p.Ref("DisabledImages", &A::FDisabledImages, &A::SetDisabledImages);
    p.Bool("EnableWheel", &A::FEnableWheel, &A::SetEnableWheel, true);
    p.Collection("TabGroups", &A::FTabGroups);
    p.Object("TabSettings", &A::FTabSettings);
    p.Ref("ToolBarStyler", &A::FToolBarStyler, &A::SetToolBarStyler);
    p.Bool("ShowNonSelectedTabs", &A::FShowNonSelectedTabs, &A::SetShowNonSelectedTabs, false);
    p.Bool("ShowTabHint", &A::FShowTabHint, &A::SetShowTabHint, false);
    p.Int("PageLeftMargin", &A::FPageLeftMargin, &A::SetPageLeftMargin);
    p.Int("PageRightMargin", &A::FPageRightMargin, &A::SetPageRightMargin);
    p.Object("OptionPicture", &A::FOptionPicture);
    p.Object("OptionDisabledPicture", &A::FOptionDisabledPicture);
    p.Object("OfficeHint", &A::FOfficeHint);
}

KV_REGISTER_CLASS(TAdvToolBarPager)

TAdvToolBarPager::TAdvToolBarPager(vcl::TComponent* AOwner) : vcl::TCustomControl(AOwner) {
    FControlStyle.Include(vcl::csAcceptsControls);
    FControlStyle.Exclude(vcl::csOpaque);
    vcl::TControl::SetAlign(vcl::alTop);
    FInternalStyler = new TCustomAdvToolBarStyler(this);
    FInternalStyler->SetName("InternalStyler");
    FInternalStyler->AddControl(this);
    FInternalStyler->SetSubComponent(true);
    FCurrentStyler = FInternalStyler;
    FPages = std::make_unique<TDbgList>();
    FTabSettings = std::make_unique<TATBTabSettings>();
    FTabSettings->OnChange = [this](vcl::TObject* Sender) { OnTabSettingsChanged(Sender); };
    FTabSpacing = FTabSettings->Spacing();
    FTabLeftMargin = FGroupTabLeftMargin = FTabSettings->LeftMargin();
    FTabRightMargin = FGroupTabRightMargin = FTabSettings->RightMargin();
    FCaption = std::make_unique<TAdvPageCaption>();
    FCaption->OnChange = [this](vcl::TObject* Sender) { OnCaptionChanged(Sender); };
    FTabGroups = std::make_unique<TTabGroups>(this);
    FTabGroups->OnChange = [this](vcl::TObject* Sender) { OnTabGroupsChanged(Sender); };
    FOptionPicture = std::make_unique<GDIPicture::TGDIPPicture>();
    FOptionPicture->OnChange = [this](vcl::TObject* Sender) { OnOptionPictureChanged(Sender); };
    FOptionDisabledPicture = std::make_unique<GDIPicture::TGDIPPicture>();
    FOptionDisabledPicture->OnChange = [this](vcl::TObject* Sender) { OnOptionPictureChanged(Sender); };
    FOfficeHint = std::make_unique<AdvHintInfo::TAdvHintInfo>();
    SetShowHint(false);
    SetTabStop(false);
    SetHeight(140);
    FKeyTipTimer = std::make_unique<vcl::TTimer>(nullptr);
    FKeyTipTimer->SetEnabled(false);
    FKeyTipTimer->SetInterval(50);
    FKeyTipTimer->OnTimer = [this](vcl::TObject* Sender) { OnShortCutTime(Sender); };
    // Made last: until a styler is linked, the pager looks like Office 2007.
    FOfficeStyler = new AdvToolBarStylers::TAdvToolBarOfficeStyler(this);
    FOfficeStyler->SetSubComponent(true);
    FOfficeStyler->SetToolBarStyle(AdvToolBarStylers::bsOffice2007Luna);
    FOfficeStyler->AddControl(this);
    FCurrentStyler = FOfficeStyler;
    if (AOwner != nullptr) {
        const auto state = AOwner->ComponentState();
        FNewlyDropped = state.Contains(vcl::csDesigning) && !state.Contains(vcl::csLoading) &&
                        !state.Contains(vcl::csReading);
    }
}

TAdvToolBarPager::~TAdvToolBarPager() {
    FKeyTipTimer.reset();
    RestoreFormProc();
    EndMDIHook();
    if (FToolBarStyler != nullptr && FToolBarStyler != FInternalStyler) FToolBarStyler->RemoveControl(this);
    for (int i = 0; i < FPages->Count(); ++i)
        FPages->At<TAdvPage>(i)->FPager = nullptr;
    FPages->Clear();
    // Owned components (stylers, pages, scroll buttons) go while the pager is whole.
    BeforeDestruction();
    FCurrentStyler = nullptr;
}

// ---- Styler

void TAdvToolBarPager::SetToolBarStyler(TCustomAdvToolBarStyler* Value) {
    if (Value != nullptr && Value == FToolBarStyler) return;
    FCurrentStyler = TCustomAdvToolBarStyler::Relink(this, this, FToolBarStyler, FInternalStyler, Value);
    const auto state = ComponentState();
    if (!state.Contains(vcl::csDestroying) && !state.Contains(vcl::csLoading)) {
        for (int i = 0; i < FPages->Count(); ++i) {
            TAdvPage* page = GetAdvPages(i);
            for (int k = 0; k < page->AdvToolBarCount(); ++k) {
                TAdvToolBar* t = page->AdvToolBars(k);
                t->SetParentStyler(t->ParentStyler());
            }
            page->Invalidate();
        }
    }
    UpdateMe(0);
    // The caption buttons' glyphs are drawn in the caption text colour of the styler now in use.
    if (!state.Contains(vcl::csDestroying)) UpdateCaptionButtons(true);
    SetPopupMenu(PopupMenu());
    Invalidate();
}

void TAdvToolBarPager::StylerReleased(TCustomAdvToolBarStyler* Styler) {
    if (!ComponentState().Contains(vcl::csDestroying) && FToolBarStyler == Styler) SetToolBarStyler(nullptr);
}

void TAdvToolBarPager::UpdateMe(int Code) {
    Invalidate();
    if (TAdvPage* page = ActivePage()) page->Invalidate();
    if (FCurrentStyler == nullptr) return;
    for (TAdvPageScrollButton* b : {FScrollLeftBtn, FScrollRightBtn})
        if (b != nullptr) b->SetAppearance(FCurrentStyler->GlowButtonAppearance());
    // The caption and MDI buttons take the glow look of a styler linked to the pager; without one
    // they keep the look they were made with.
    if (FToolBarStyler != nullptr)
        for (AdvGlowButton::TAdvGlowButton* b :
             {FCloseBtn, FMaxBtn, FMinBtn, FMDICloseBtn, FMDIMaxBtn, FMDIMinBtn})
            if (b != nullptr) {
                b->Appearance()->Assign(FToolBarStyler->GlowButtonAppearance());
                b->Invalidate();
            }
    // A new caption look: the glyphs take its text colour.
    if (Code == static_cast<int>(TStylerChange::PagerCaption)) UpdateCaptionButtons(true);
    UpdateShapeButton();
    if (FQuickAccessToolBar != nullptr) FQuickAccessToolBar->UpdateMe(Code);
}

void TAdvToolBarPager::SetPopupMenu(vcl::TComponent* Value) {
    vcl::TCustomControl::SetPopupMenu(Value);
    if (auto* menu = dynamic_cast<AdvMenus::TAdvPopupMenu*>(Value);
        menu != nullptr && FCurrentStyler != nullptr)
        menu->SetMenuStyler(FCurrentStyler->CurrentAdvMenuStyler());
}

void TAdvToolBarPager::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TCustomControl::Notification(AComponent, Operation);
    if (Operation != vcl::opRemove) return;
    for (auto** b : {&FCloseBtn, &FMaxBtn, &FMinBtn})
        if (*b != nullptr && static_cast<vcl::TComponent*>(*b) == AComponent) *b = nullptr;
    // A form that goes before the pager gets its own window procedure back while it is still whole.
    if (AComponent == FSubclassedForm) RestoreFormProc();
    if (AComponent == FOfficeStyler) {
        // Its own Office look freed from outside: the pager paints with its internal styler.
        FOfficeStyler = nullptr;
        if (FCurrentStyler == AComponent) FCurrentStyler = FInternalStyler;
    }
    if (AComponent == FToolBarStyler) {
        // While the pager goes too only the reference is dropped: nothing is repainted any more.
        if (ComponentState().Contains(vcl::csDestroying)) {
            FToolBarStyler = nullptr;
            FCurrentStyler = FInternalStyler;
        } else {
            SetToolBarStyler(nullptr);
        }
    }
    if (ComponentState().Contains(vcl::csDestroying)) return;
    if (AComponent == PopupMenu()) vcl::TCustomControl::SetPopupMenu(nullptr);
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FDisabledImages) FDisabledImages = nullptr;
}

void TAdvToolBarPager::SetParent(vcl::TWinControl* AParent) {
    if (dynamic_cast<TAdvDockPanel*>(AParent) != nullptr ||
        dynamic_cast<TAdvCustomToolBar*>(AParent) != nullptr ||
        dynamic_cast<TAdvToolBarPager*>(AParent) != nullptr || dynamic_cast<TAdvPage*>(AParent) != nullptr)
        throw vcl::Exception("Invalid Parent");
    vcl::TCustomControl::SetParent(AParent);
}

void TAdvToolBarPager::Loaded() {
    vcl::TCustomControl::Loaded();
    FTabsInitialized = true;
    InitializeTabsSize();
    UpdateTabSizes();
    if (FAutoMDIButtons) {
        FAutoMDIButtons = false;
        SetAutoMDIButtons(true);
    }
}

void TAdvToolBarPager::GetChildren(const vcl::TGetChildProc& Proc, vcl::TComponent* Root) {
    for (int i = 0; i < FPages->Count(); ++i)
        Proc(GetAdvPages(i));
    for (int i = 0; i < ControlCount(); ++i) {
        vcl::TControl* c = Controls(i);
        if (c->Owner() == Root && FPages->IndexOf(c) < 0) Proc(c);
    }
}

void TAdvToolBarPager::AlignControls(vcl::TControl* AControl, vcl::TRect& Rect) {
    vcl::TCustomControl::AlignControls(AControl, Rect);
    if (auto* page = dynamic_cast<TAdvPage*>(AControl)) SetPagePosition(page);
}

// ---- Pages

TAdvPage* TAdvToolBarPager::GetAdvPages(int Index) const {
    if (Index < 0 || Index >= FPages->Count()) return nullptr;
    return FPages->At<TAdvPage>(Index);
}

int TAdvToolBarPager::AddAdvPage(TAdvPage* Page) {
    int index = FPages->IndexOf(Page);
    if (index < 0) index = FPages->Add(Page);
    if (Page->Parent() != this) {
        TFlagGuard quiet(Page->FInSetParent, true);
        Page->SetParent(this);
    }
    Page->FPager = this;
    SetPagePosition(Page);
    if (index != FActivePageIndex) Page->SetVisible(false);
    InvalidateTab(-1);
    if (TAdvPage* active = ActivePage()) active->BringToFront();
    // A pager built in code is never loaded: its first page starts the tab fitting.
    if (!ComponentState().Contains(vcl::csLoading)) FTabsInitialized = true;
    InitializeTabsSize();
    UpdateTabPosition();
    InitializeScroller();
    UpdateTabSizes();
    return index;
}

int TAdvToolBarPager::AddAdvPage(const String& Caption) {
    auto* page = new TAdvPage(this);
    page->SetCaption(Caption);
    page->SetAdvToolBarPager(this);
    return IndexOfPage(page);
}

int TAdvToolBarPager::RemoveAdvPage(TAdvPage* Page) {
    const int index = FPages->IndexOf(Page);
    if (index < 0) return -1;
    const int stays = index < FActivePageIndex ? FActivePageIndex - 1 : FActivePageIndex;
    if (index == FActivePageIndex) SelectNextPage(true);
    FPages->Delete(index);
    Page->FPager = nullptr;
    // The page that moved into the index becomes active. When that index is past the end (the last
    // page went), the page SelectNextPage went to stays.
    SetActivePageIndex(stays);
    // An index left past the end would make the next page added count as active: none is.
    if (FActivePageIndex >= FPages->Count()) FActivePageIndex = -1;
    if (!ComponentState().Contains(vcl::csDestroying)) {
        InitializeTabsSize();
        UpdateTabSizes();
        Invalidate();
    }
    return index;
}

void TAdvToolBarPager::MoveAdvPage(int CurIndex, int NewIndex) {
    const int n = FPages->Count();
    if (CurIndex < 0 || CurIndex >= n || NewIndex < 0 || NewIndex >= n) return;
    TAdvPage* active = ActivePage();
    FPages->Move(CurIndex, NewIndex);
    if (active != nullptr) FActivePageIndex = IndexOfPage(active);
    UpdateTabScroller();
    UpdateTabPosition();
    InvalidateTab(-1);
}

// ---- Active page

TAdvPage* TAdvToolBarPager::ActivePage() const {
    return GetAdvPages(FActivePageIndex);
}

void TAdvToolBarPager::ChangeActivePage(int Index) {
    if (Index < 0 || Index >= FPages->Count() || Index == FActivePageIndex) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, FActivePageIndex, Index, allow);
    if (!allow) return;
    if (TAdvPage* old = ActivePage()) old->SetVisible(false);
    FActivePageIndex = Index;
    TAdvPage* page = ActivePage();
    page->SetVisible(true);
    page->BringToFront();
    if (OnChange) OnChange(this);
}

void TAdvToolBarPager::SetActivePageIndex(int Index) {
    ChangeActivePage(Index);
    InvalidateTab(-1);
}

void TAdvToolBarPager::SetActivePage(TAdvPage* Page) {
    const int index = IndexOfPage(Page);
    if (index >= 0) SetActivePageIndex(index);
}

namespace {
bool Selectable(const TAdvPage* Page) {
    return Page->TabVisible() && Page->TabEnabled();
}
} // namespace

void TAdvToolBarPager::SelectNextPage(bool GoForward) {
    if (ActivePage() == nullptr) return;
    const int n = FPages->Count();
    int i = FActivePageIndex;
    for (int step = 0; step < n - 1; ++step) {
        i = (i + (GoForward ? 1 : n - 1)) % n;
        if (Selectable(GetAdvPages(i))) {
            SetActivePageIndex(i);
            return;
        }
    }
}

void TAdvToolBarPager::PrevActivePage() {
    for (int i = FActivePageIndex - 1; i >= 0; --i)
        if (Selectable(GetAdvPages(i))) {
            SetActivePageIndex(i);
            return;
        }
}

void TAdvToolBarPager::NextActivePage() {
    if (FActivePageIndex < 0) return;
    for (int i = FActivePageIndex + 1; i < FPages->Count(); ++i)
        if (Selectable(GetAdvPages(i))) {
            SetActivePageIndex(i);
            return;
        }
}

// ---- Settings

void TAdvToolBarPager::SetShowNonSelectedTabs(bool Value) {
    FShowNonSelectedTabs = Value;
    InvalidateTab(-1);
}

void TAdvToolBarPager::SetPageLeftMargin(int Value) {
    if (Value == FPageLeftMargin || Value < 0) return;
    FPageLeftMargin = Value;
    SetAllPagesPosition();
    if (TAdvPage* page = ActivePage()) page->Invalidate();
}

void TAdvToolBarPager::SetPageRightMargin(int Value) {
    if (Value == FPageRightMargin || Value < 0) return;
    FPageRightMargin = Value;
    SetAllPagesPosition();
    if (TAdvPage* page = ActivePage()) page->Invalidate();
}

void TAdvToolBarPager::SetImages(vcl::TCustomImageList* Value) {
    FImages = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    Invalidate();
}

void TAdvToolBarPager::SetDisabledImages(vcl::TCustomImageList* Value) {
    FDisabledImages = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    Invalidate();
}

void TAdvToolBarPager::SetAntiAlias(AdvGDIP::TAntiAlias Value) {
    FAntiAlias = Value;
    Invalidate();
}

void TAdvToolBarPager::SetAlign(TDockAlign Value) {
    FAlign = Value;
    switch (Value) {
    case daLeft:
        vcl::TControl::SetAlign(vcl::alLeft);
        break;
    case daTop:
        vcl::TControl::SetAlign(vcl::alTop);
        break;
    case daRight:
        vcl::TControl::SetAlign(vcl::alRight);
        break;
    case daBottom:
        vcl::TControl::SetAlign(vcl::alBottom);
        break;
    }
}

void TAdvToolBarPager::SetGlowSpeed(int Value) {
    AdvGDIP::GlowSpeed = Value;
}

void TAdvToolBarPager::SetExpanded(bool Value) {
    if (Value && !FExpanded) {
        SetHeight(FExpandedHeight);
        FExpanded = true;
    } else if (!Value && FExpanded) {
        FExpandedHeight = Height();
        // A quick access toolbar below the pages keeps its row under the tabs: without it the bar would
        // cover the tabs that expand the pager again.
        SetHeight(GetAdvPageRect().Top + (ShowQATBelow() ? GetQATHeight() : 0));
        FExpanded = false;
    }
}

void TAdvToolBarPager::OnCaptionChanged(vcl::TObject*) {
    SetAllPagesPosition();
    UpdateCaptionButtons(true);
    // A nudge to the right and back lays the quick access toolbar out for the new caption row.
    if (TAdvCustomQuickAccessToolBar* q = FQuickAccessToolBar) {
        q->SetLeft(q->Left() + 1);
        q->SetLeft(q->Left() - 1);
    }
    Invalidate();
}

void TAdvToolBarPager::OnTabSettingsChanged(vcl::TObject*) {
    SetAllPagesPosition();
    InitializeTabsSize();
    UpdateTabSizes();
    if (FQuickAccessToolBar != nullptr) {
        FQuickAccessToolBar->UpdateSize();
        FQuickAccessToolBar->Invalidate();
    }
    Invalidate();
    if (TAdvPage* page = ActivePage()) page->Invalidate();
}

void TAdvToolBarPager::OnOptionPictureChanged(vcl::TObject*) {
    Invalidate();
    if (TAdvPage* page = ActivePage()) {
        page->Invalidate();
        page->InvalidateAllAdvToolBars();
    }
}

void TAdvToolBarPager::OnTabGroupsChanged(vcl::TObject*) {
    Invalidate();
}

// ---- Messages

void TAdvToolBarPager::WndProc(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_SIZE:
        vcl::TCustomControl::WndProc(Message);
        SetAllPagesPosition();
        UpdateTabSizes();
        InitializeScroller();
        UpdateCaptionButtons(false);
        UpdateMDIButtons(false);
        if (FQuickAccessToolBar != nullptr) {
            FQuickAccessToolBar->UpdateSize();
            FQuickAccessToolBar->UpdateControlsVisiblity();
            FQuickAccessToolBar->UpdateControlsPos(false);
        }
        return;
    case vcl::CM_CONTROLCHANGE: {
        vcl::TCustomControl::WndProc(Message);
        // A bar that is being destroyed is no longer known by its class: it is recognised by address.
        auto* c = reinterpret_cast<vcl::TControl*>(Message.WParam);
        if (Message.LParam == 0) {
            if (FQuickAccessToolBar != nullptr && c == static_cast<vcl::TControl*>(FQuickAccessToolBar))
                FQuickAccessToolBar = nullptr;
        } else if (auto* q = dynamic_cast<TAdvCustomQuickAccessToolBar*>(c)) {
            FQuickAccessToolBar = q;
        }
        return;
    }
    case vcl::CM_MOUSELEAVE:
        vcl::TCustomControl::WndProc(Message);
        if (Message.LParam == 0) CMMouseLeave();
        return;
    case win::WM_LBUTTONDBLCLK:
        vcl::TCustomControl::WndProc(Message);
        WMLButtonDblClk(Message);
        return;
    case win::WM_NCHITTEST:
        vcl::TCustomControl::WndProc(Message);
        WMNCHitTest(Message);
        return;
    case win::WM_DESTROY:
        RestoreFormProc();
        break;
    case vcl::CM_HINTSHOW: {
        vcl::TCustomControl::WndProc(Message);
        // The hint of the tab under the pointer, and none at all unless tab hints are asked for.
        if (auto* info = reinterpret_cast<vcl::THintInfo*>(Message.LParam)) {
            if (!FShowTabHint)
                info->HintStr.clear();
            else if (TAdvPage* page = GetAdvPages(FHintTabIndex))
                info->HintStr = page->TabHint();
        }
        return;
    }
    case vcl::CM_DESIGNHITTEST:
        // The designer lets the pager take a left click on a tab, so that tabs switch at design time.
        if (ComponentState().Contains(vcl::csDesigning)) {
            const vcl::TCMDesignHitTest hit(Message);
            if ((hit.Keys & win::MK_LBUTTON) != 0 && GetTabsRect().Contains(hit.Pos()) &&
                PTOnTab(hit.XPos, hit.YPos) >= 0) {
                Message.Result = 1;
                return;
            }
        }
        break;
    case win::WM_GETDLGCODE:
        Message.Result = win::DLGC_WANTARROWS | win::DLGC_WANTCHARS;
        return;
    case win::WM_KEYDOWN:
        WMKeyDown(Message);
        vcl::TCustomControl::WndProc(Message);
        return;
    case vcl::CM_DIALOGKEY:
        if (CMDialogKey(Message)) return;
        break;
    case vcl::CM_DIALOGCHAR:
        if (CMDialogChar(Message)) return;
        break;
    case vcl::CM_FOCUSCHANGED:
        vcl::TCustomControl::WndProc(Message);
        CMFocusChanged(Message);
        return;
    default:
        break;
    }
    vcl::TCustomControl::WndProc(Message);
}

} // namespace AdvToolBar
