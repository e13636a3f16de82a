#include "components/toolbar/dock/ToolBar.h"

#include <algorithm>
#include <vector>

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/customizer/AdvToolBarCustomizer.h"
#include "components/toolbar/dock/CompactWindow.h"
#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/FloatingWindow.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "components/toolbar/dock/ToolBarContainer.h"
#include "components/toolbar/dock/ToolBarControl.h"
#include "components/toolbar/dock/ToolBarMenuButton.h"
#include "components/toolbar/dock/ToolBarSeparator.h"
#include "components/toolbar/options/OptionWindow.h"
#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

namespace AdvToolBar {

namespace {
bool IdentToAntiAlias(const vcl::String& Ident, vcl::Int64& Value);
bool AntiAliasToIdent(vcl::Int64 Value, vcl::String& Ident);
} // namespace

KV_PUBLISHED(TAdvToolBar) {
    using T = TAdvToolBar;
    p.Default("DoubleBuffered", true);
    p.Default("ParentColor", false);
    p.Default("ParentShowHint", false);
    p.Default("Color", vcl::clNone).NoDefault(); // the styler's colour: always stored
    p.Bool("AllowFloating", &T::FAllowFloating, &T::SetAllowFloating, true);
    p.Bool("AutoArrangeButtons", &T::FAutoArrangeButtons, &T::SetAutoArrangeButtons, true);
    p.Bool("AutoDockOnClose", &T::AutoDockOnClose, nullptr, false);
    p.Ref("Customizer", &T::Customizer, &T::SetCustomizer);
    p.Bool("AutoMDIButtons", &T::FAutoMDIButtons, &T::SetAutoMDIButtons, false);
    p.Bool("AutoOptionMenu", &T::AutoOptionMenu, nullptr, false);
    p.Bool("AutoPositionControls", &T::FAutoPositionControls, &T::SetAutoPositionControls, true);
    p.Bool("AutoSize", &T::AutoSize, &T::SetAutoSizeEx, true);
    p.Int(
         "AntiAlias", [](T* c) { return static_cast<int>(c->AntiAlias()); },
         [](T* c, int v) { c->SetAntiAlias(static_cast<AdvGDIP::TAntiAlias>(std::clamp(v, 0, 2))); },
         static_cast<int>(AdvGDIP::aaClearType))
        .Idents(IdentToAntiAlias, AntiAliasToIdent);
    p.Ref("Images", &T::FImages, &T::SetImages);
    p.Ref("DisabledImages", &T::FDisabledImages, &T::SetDisabledImages);
    p.Ref("OptionMenu", &T::FOptionMenu, &T::SetOptionMenu);
    p.Ref("Menu", &T::FMenu, &T::SetMenu);
    p.Object("OptionPicture", &T::FOptionPicture);
    p.Object("OptionDisabledPicture", &T::FOptionDisabledPicture);
    p.Object("CompactPicture", &T::FCompactPicture);
    p.Object("OfficeHint", &T::FOfficeHint);
    p.Event("OnOptionClick", &T::OnOptionClick);
    p.Bool("Locked", &T::FLocked, &T::SetLocked, false);
    p.Str("Caption", &T::FCaption, &T::SetCaption);
    p.Object("CaptionFont", &T::FCaptionFont);
    p.Int("CaptionHeight", &T::FCaptionHeight, &T::SetCaptionHeight, 16);
    p.Enum("CaptionPosition", &T::FCaptionPosition, &T::SetCaptionPosition, cpTop);
    p.Enum("CaptionAlignment", &T::FCaptionAlignment, &T::SetCaptionAlignment, vcl::taLeftJustify);
    p.Str("CompactCaption", &T::FCompactCaption, &T::SetCompactCaption);
    p.Int("CompactImageIndex", &T::FCompactImageIndex, &T::SetCompactImageIndex, -1);
    p.Bool("ShowCaption", &T::FShowCaption, &T::SetShowCaption, false);
    p.Str("HintOptionButton", &T::HintOptionButton);
    p.Str("HintCloseButton", &T::HintCloseButton);
    p.Bool("ShowRightHandle", &T::FShowRightHandle, &T::SetShowRightHandle, true);
    p.Bool("ShowClose", &T::FShowClose, &T::SetShowClose, true);
    p.Bool("ShowOptionIndicator", &T::FShowOptionIndicator, &T::SetShowOptionIndicator, true);
    p.Set("DockableTo", &T::FDockableTo, &T::SetDockableTo, TDockableTo{daLeft, daTop, daRight, daBottom});
    p.Enum("DockMode", &T::DockMode, nullptr, dmAll);
    p.Bool("FullSize", &T::FFullSize, &T::SetFullSize, false);
    p.Str("TextAutoOptionMenu", &T::TextAutoOptionMenu, nullptr, "Add or Remove Buttons");
    p.Str("TextOptionMenu", &T::TextOptionMenu, nullptr, "Options");
    p.Ref("ToolBarStyler", &T::FToolBarStyler, &T::SetToolBarStyler).Stored(&T::IsToolBarStylerStored);
    p.Bool("ParentStyler", &T::FParentStyler, &T::SetParentStyler, true);
    p.Bool("ParentOptionPicture", &T::FParentOptionPicture, &T::SetParentOptionPicture, true);
    p.Bool("ShowHint", &T::ShowHint, &T::SetShowHint, true);
    p.Int("ToolBarIndex", &T::ToolBarIndex, &T::SetToolBarIndex);
    p.Object("Persistence", &T::FPersistence);
    p.Str("Version", &T::Version, &T::SetVersion, kVersion);
    p.Event("OnClose", &T::OnClose);
    p.Event("OnDocked", &T::OnDocked);
    p.Event("OnUnDocked", &T::OnUnDocked);
}

KV_REGISTER_CLASS(TAdvToolBar)

namespace {

const char* const AntiAliasNames[] = {"aaNone", "aaClearType", "aaAntiAlias"};

bool IdentToAntiAlias(const vcl::String& Ident, vcl::Int64& Value) {
    for (vcl::Int64 i = 0; i < 3; ++i)
        if (Ident == AntiAliasNames[i]) {
            Value = i;
            return true;
        }
    return false;
}

bool AntiAliasToIdent(vcl::Int64 Value, vcl::String& Ident) {
    if (Value < 0 || Value > 2) return false;
    Ident = AntiAliasNames[Value];
    return true;
}

bool IsBeingDestroyed(const vcl::TComponent* C) {
    return C->ComponentState().Contains(vcl::csDestroying);
}

} // namespace

TAdvCustomToolBar::TAdvCustomToolBar(vcl::TComponent* AOwner)
    : vcl::TCustomControl(AOwner), FControlList(std::make_unique<TDbgList>()),
      FRULControlList(std::make_unique<TDbgList>()), FHiddenControlList(std::make_unique<TDbgList>()),
      FVisibleSequenceList(std::make_unique<TDbgList>()) {
    FControlStyle.Include(vcl::csAcceptsControls);
    FControlStyle.Exclude(vcl::csOpaque);
    FCaptionFont = std::make_unique<vcl::TFont>();
    SetDoubleBuffered(true);
    SetAutoSize(true);
    Constraints()->SetMinWidth(FMinLength);
    SetBounds(Left(), Top(), Width(), 26);
    FInternalStyler = new TCustomAdvToolBarStyler(this);
    FInternalStyler->SetName("InternalStyler");
    FCurrentStyler = FInternalStyler;
    FInternalStyler->AddControl(this);
    FInternalStyler->SetSubComponent(true);
    FThickness = Height();
    FMaxLength = Constraints()->MinWidth();
    FPersistence = std::make_unique<TPersistence>(this);
    FPersistence->SetSection("UnDockedAdvToolBars");
    Constraints()->SetMaxWidth(Constraints()->MinWidth());
    SetShowHint(true);
    FOptionPicture = std::make_unique<GDIPicture::TGDIPPicture>();
    FOptionPicture->OnChange = [this](vcl::TObject*) { Invalidate(); };
    FOptionDisabledPicture = std::make_unique<GDIPicture::TGDIPPicture>();
    FOptionDisabledPicture->OnChange = [this](vcl::TObject*) { Invalidate(); };
    FCompactPicture = std::make_unique<GDIPicture::TGDIPPicture>();
    FCompactPicture->OnChange = [this](vcl::TObject* Sender) { OnCompactPictureChanged(Sender); };
    FOfficeHint = std::make_unique<AdvHintInfo::TAdvHintInfo>();
    TextAutoOptionMenu = "Add or Remove Buttons";
    TextOptionMenu = "Options";
    FColor = FInternalStyler->Color()->Color();
    FParentColor = false;
    FMenuItemTimer = std::make_unique<vcl::TTimer>(nullptr);
    FMenuItemTimer->SetEnabled(false);
    FMenuItemTimer->SetInterval(1);
    FMenuItemTimer->OnTimer = [this](vcl::TObject* Sender) { MenuItemTimerOnTime(Sender); };
    FMDIChildList = std::make_unique<vcl::TStringList>();
}

TAdvCustomToolBar::~TAdvCustomToolBar() {
    // Owned and notified components go first, while the toolbar is whole.
    BeforeDestruction();
    *FAlive = false;
    KillFollowTimer();
    if (FFloatingWindow != nullptr) {
        // The window goes with its toolbar, unless it is the one going (and freeing the toolbar with it).
        TFloatingWindow* window = FFloatingWindow;
        FFloatingWindow = nullptr;
        window->SetAdvToolBar(nullptr);
        if (!IsBeingDestroyed(window)) {
            if (Parent() == window) vcl::TCustomControl::SetParent(nullptr);
            vcl::FreeComponent(window);
        }
    }
    ReleaseMenuBar();
    SetAutoMDIButtons(false);
    if (FDockPanel != nullptr) FDockPanel->RemoveToolBar(this);
    if (FToolBarStyler != nullptr) FToolBarStyler->RemoveControl(this);
    FToolBarStyler = nullptr;
    FCurrentStyler = nullptr;
    FInternalStyler = nullptr;
    for (int i = 0; i < FControlList->Count(); ++i)
        if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(FControlList->At<vcl::TControl>(i)))
            if (tc->FAdvToolBar == this) tc->FAdvToolBar = nullptr;
}

// ---- Settings

void TAdvCustomToolBar::SetAntiAlias(AdvGDIP::TAntiAlias Value) {
    if (FAntiAlias == Value) return;
    FAntiAlias = Value;
    Invalidate();
}

void TAdvCustomToolBar::SetWideCaption(const String& Value) {
    if (FWideCaption == Value) return;
    FWideCaption = Value;
    Invalidate();
}

void TAdvCustomToolBar::SetShowPopupIndicator(bool Value) {
    if (FShowPopupIndicator == Value) return;
    FShowPopupIndicator = Value;
    Invalidate();
}

void TAdvCustomToolBar::SetImages(vcl::TCustomImageList* Value) {
    if (FImages == Value) return;
    vcl::TCustomImageList* old = FImages;
    if (old != nullptr) {
        // The thickness follows the change of image size across the line.
        int oldSize = Horizontal() ? old->Height() : old->Width();
        int newSize = Value == nullptr ? 0 : Horizontal() ? Value->Height() : Value->Width();
        FThickness += newSize - oldSize;
    }
    FImages = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    {
        TFlagGuard positioning(FPositioning, true);
        for (void* p : *FControlList)
            if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(static_cast<vcl::TControl*>(p)))
                tc->AdjustSize();
    }
    SetControlsPosition(true);
    if (old != nullptr)
        for (void* p : *FControlList)
            if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(static_cast<vcl::TControl*>(p))) {
                tc->AdjustSize();
                // The silhouette under a hot image was made from the old list's image.
                if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(tc)) b->GenerateShade();
            }
    Invalidate();
}

void TAdvCustomToolBar::SetDisabledImages(vcl::TCustomImageList* Value) {
    if (FDisabledImages == Value) return;
    FDisabledImages = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    for (void* p : *FControlList)
        if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(static_cast<vcl::TControl*>(p)))
            tc->AdjustSize();
    Invalidate();
}

void TAdvCustomToolBar::SetOptionMenu(vcl::TPopupMenu* Value) {
    FOptionMenu = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TAdvCustomToolBar::SetAutoSizeEx(bool Value) {
    if (!Value && !(FToolBarState == tsFixed && dynamic_cast<TAdvDockPanel*>(Parent()) == nullptr)) return;
    SetAutoSize(Value);
    SetControlsPosition(true);
    if (!Value) {
        vcl::TSizeConstraints* k = Constraints();
        k->SetMinWidth(0);
        k->SetMaxWidth(0);
        k->SetMinHeight(0);
        k->SetMaxHeight(0);
    }
}

void TAdvCustomToolBar::SetFullSize(bool Value) {
    if (FFullSize == Value) return;
    FFullSize = Value;
    if (FDockPanel == nullptr || FToolBarState != tsDocked) return;
    if (Value) {
        SetParentStyler(true);
        FDockPanel->SetToolBarFullSize(this);
        UpdateRULists();
        SetControlsPosition(false);
    } else {
        UpdateSize();
    }
}

void TAdvCustomToolBar::SetAllowFloating(bool Value) {
    if (!Value && FToolBarState == tsFloating) return;
    FAllowFloating = Value;
}

void TAdvCustomToolBar::SetLocked(bool Value) {
    FLocked = Value && FToolBarState != tsFloating;
}

void TAdvCustomToolBar::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Invalidate();
    SetText(Value);
}

void TAdvCustomToolBar::SetCaptionFont(vcl::TFont* Value) {
    FCaptionFont->Assign(Value);
    Invalidate();
}

void TAdvCustomToolBar::SetCaptionHeight(int Value) {
    if (FCaptionHeight == Value) return;
    FCaptionHeight = Value;
    if (FShowCaption) {
        SetControlsPosition(false);
        Invalidate();
    }
}

void TAdvCustomToolBar::SetCaptionPosition(TCaptionPosition Value) {
    if (FCaptionPosition == Value) return;
    FCaptionPosition = Value;
    if (FShowCaption) {
        SetControlsPosition(false);
        Invalidate();
    }
}

void TAdvCustomToolBar::SetCaptionAlignment(vcl::TAlignment Value) {
    FCaptionAlignment = Value;
    Invalidate();
}

void TAdvCustomToolBar::SetShowCaption(bool Value) {
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    SetControlsPosition(true);
    Invalidate();
}

void TAdvCustomToolBar::SetCompactImageIndex(int Value) {
    if (FCompactImageIndex == Value) return;
    FCompactImageIndex = Value;
    Invalidate();
}

void TAdvCustomToolBar::SetShowOptionIndicator(bool Value) {
    if (FShowOptionIndicator == Value) return;
    FShowOptionIndicator = Value;
    Invalidate();
}

void TAdvCustomToolBar::SetShowRightHandle(bool Value) {
    if (FShowRightHandle == Value) return;
    FShowRightHandle = Value;
    FPopupIndicatorWidth = Value ? 14 : 4;
    SetControlsPosition(true);
    if (FDockPanel != nullptr && FToolBarState == tsDocked) FDockPanel->Rows()->SetRowsPosition();
    Invalidate();
}

void TAdvCustomToolBar::SetParentOptionPicture(bool Value) {
    if (FParentOptionPicture == Value) return;
    FParentOptionPicture = Value;
    Invalidate();
}

void TAdvCustomToolBar::SetAutoArrangeButtons(bool Value) {
    if (FAutoArrangeButtons == Value) return;
    FAutoArrangeButtons = Value;
    if (!Value && FAutoRUL && !ComponentState().Contains(vcl::csLoading)) {
        FRULControlList->Clear();
        for (void* c : *FControlList)
            FRULControlList->Add(c);
    }
}

void TAdvCustomToolBar::SetAutoPositionControls(bool Value) {
    if (FAutoPositionControls == Value) return;
    if (!Value && !(FToolBarState == tsFixed && dynamic_cast<TAdvDockPanel*>(Parent()) == nullptr)) return;
    FAutoPositionControls = Value;
    if (Value)
        SetControlsPosition(true);
    else
        SetAutoSizeEx(false);
}

// ---- Styler link

void TAdvCustomToolBar::SetToolBarStyler(TCustomAdvToolBarStyler* Value) {
    if (Value != nullptr && Value == FToolBarStyler) return;
    if (FToolBarStyler != nullptr && FToolBarStyler != FInternalStyler) FToolBarStyler->RemoveControl(this);
    FToolBarStyler = Value;
    if (FParentStyler && FLastDockPanel != nullptr) {
        TCustomAdvToolBarStyler* s = FLastDockPanel->CurrentStyler();
        if (s != nullptr && !IsBeingDestroyed(s)) FToolBarStyler = s;
    }
    if (FParentStyler) {
        if (TAdvToolBarPager* pager = PagerOfPage(); pager != nullptr && !IsBeingDestroyed(pager)) {
            // While the pager's styler goes, the pager's own default styler stands in for it.
            TCustomAdvToolBarStyler* s = pager->CurrentStyler();
            if (s == nullptr || IsBeingDestroyed(s)) s = pager->InternalStyler();
            if (s != nullptr && !IsBeingDestroyed(s)) FToolBarStyler = s;
        }
    }
    if (FToolBarStyler != nullptr) {
        FCurrentStyler = FToolBarStyler;
        FToolBarStyler->FreeNotification(this);
        FToolBarStyler->AddControl(this);
    } else {
        FCurrentStyler = FInternalStyler;
    }
    if (FCurrentStyler != nullptr) FColor = FCurrentStyler->Color()->Color();
    if (Parent() != nullptr && !ComponentState().Contains(vcl::csLoading)) {
        AdjustSizeOfAllButtons(false);
        SetControlsPosition(true);
        UpdateAllGlowButtons();
    }
    Invalidate();
}

bool TAdvCustomToolBar::IsToolBarStylerStored() const {
    // Taken from the dock panel it is derived again on loading; and another component's internal
    // styler cannot be named from a layout.
    return FToolBarStyler != nullptr && !FParentStyler &&
           !FToolBarStyler->ComponentStyle().Contains(vcl::csSubComponent);
}

void TAdvCustomToolBar::UpdateAllGlowButtons() {
    if (FCurrentStyler == nullptr) return;
    // The component style goes first so that the styler's glow look, which the user may have tuned,
    // is what the buttons show.
    AdvStyleIF::TBrixStyle style = FCurrentStyler->ChildComponentStyle();
    if (style != AdvStyleIF::tsCustom)
        for (void* p : *FControlList)
            if (auto* styled = dynamic_cast<AdvStyleIF::IBrixStyle*>(static_cast<vcl::TControl*>(p)))
                styled->SetComponentStyle(style);
    for (void* p : *FControlList) {
        auto* c = static_cast<vcl::TControl*>(p);
        if (auto* b = dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(c)) {
            // A compacted toolbar's buttons wear the compact look.
            b->Appearance()->Assign(FCompacted ? FCurrentStyler->CompactGlowButtonAppearance()
                                               : FCurrentStyler->GlowButtonAppearance());
            b->Invalidate();
        }
    }
}

void TAdvCustomToolBar::SetParentStyler(bool Value) {
    if (FParentStyler == Value && !Value) return;
    FParentStyler = Value;
    SetToolBarStyler(nullptr);
}

void TAdvCustomToolBar::StylerChanged(TStylerChange Code) {
    if (FCompacted && FCloneLink != nullptr) FCloneLink->UpdateMe(static_cast<int>(Code));
    UpdateMe(static_cast<int>(Code));
}

void TAdvCustomToolBar::UpdateMe(int Code) {
    if (FCurrentStyler == nullptr) return;
    SetColor(FCurrentStyler->Color()->Color());
    // The windows around the toolbar are painted from the styler too.
    if (FFloatingWindow != nullptr && IsFloating()) FFloatingWindow->TakeLook(FCurrentStyler);
    if (auto* window = dynamic_cast<TCompactWindow*>(Parent())) {
        window->SetColor(FCurrentStyler->Color()->Color());
        window->Invalidate();
    }
    if (Code == static_cast<int>(TStylerChange::DragGrip)) {
        SetControlsPosition(true);
        UpdateRULists();
    }
    // Menu buttons measure their captions in the menu styler's font.
    if (Code == static_cast<int>(TStylerChange::MenuStyler) && !ComponentState().Contains(vcl::csLoading))
        AdjustSizeOfAllButtons(true);
    if (Code == static_cast<int>(TStylerChange::GlowButtons) ||
        Code == static_cast<int>(TStylerChange::Colors)) {
        UpdateAllGlowButtons();
        UpdateCompactButton();
    }
    UpdateAllContainer();
    Invalidate();
}

// ---- Hover fade

bool TAdvCustomToolBar::HoverFading() const {
    return FHoverTimer != nullptr && FHoverTimer->Enabled();
}

void TAdvCustomToolBar::CMMouseEnter() {
    if (ComponentState().Contains(vcl::csDesigning) || !OnPageOrCompactWindow()) return;
    FHover = true;
    StartHoverFade(20);
    Repaint();
}

void TAdvCustomToolBar::StartHoverFade(int Step) {
    if (FHoverTimer == nullptr) {
        FHoverTimer = std::make_unique<vcl::TTimer>(nullptr);
        FHoverTimer->SetInterval(static_cast<unsigned>(std::max<std::int32_t>(1, AdvGDIP::GlowSpeed)));
        FHoverTimer->OnTimer = [this](vcl::TObject*) { HoverTimerProc(); };
    }
    FFadeStep = Step;
    FHoverTimer->SetEnabled(true);
}

void TAdvCustomToolBar::HoverTimerProc() {
    FFadePosition += FFadeStep;
    const bool finished = (FFadeStep > 0 && FFadePosition > 100) || (FFadeStep < 0 && FFadePosition < 0);
    // The hot colour the body fades toward: a grouped page's toolbar takes its group's.
    TGradientBackground* hot = nullptr;
    if (TGroupAppearance* group = GroupLook())
        hot = group->ToolBarAppearance()->ColorHot();
    else if (FCurrentStyler != nullptr)
        hot = FCurrentStyler->ColorHot();
    const bool hotSet = hot != nullptr && hot->Color() != vcl::clNone;
    if (!finished && hotSet) {
        Repaint();
        // Controls that show the toolbar through themselves follow its colour.
        for (void* p : *FControlList) {
            auto* c = static_cast<vcl::TControl*>(p);
            auto* container = dynamic_cast<TAdvToolBarContainer*>(c);
            if (container != nullptr || dynamic_cast<AdvGlowButton::TAdvGlowButton*>(c) != nullptr ||
                vcl::IsPublishedProp(c, "Transparent") || c->ClassName().find("AdvOffice") != String::npos)
                c->Invalidate();
            if (container == nullptr) continue;
            for (int i = 0; i < container->ControlCount(); ++i)
                if (dynamic_cast<AdvGlowButton::TAdvGlowButton*>(container->Controls(i)) != nullptr)
                    container->Controls(i)->Invalidate();
        }
    }
    // The timer is this call's sender: it is stopped, not freed, and started again by the next fade.
    if (finished || !hotSet) {
        FHoverTimer->SetEnabled(false);
        // The colours the fade leaves behind are the plain or the hot ones, not its last step.
        Invalidate();
    }
    if (FFadePosition > 0)
        for (void* p : *FControlList)
            if (auto* container = dynamic_cast<TAdvToolBarContainer*>(static_cast<vcl::TControl*>(p)))
                for (int i = 0; i < container->ControlCount(); ++i)
                    container->Controls(i)->Repaint();
}

void TAdvCustomToolBar::AdjustSizeOfAllButtons(bool MenuButtonsOnly) {
    for (void* p : *FControlList) {
        auto* c = static_cast<vcl::TControl*>(p);
        if (MenuButtonsOnly ? dynamic_cast<TAdvToolBarMenuButton*>(c) != nullptr
                            : dynamic_cast<TAdvCustomToolBarButton*>(c) != nullptr)
            static_cast<TAdvCustomToolBarControl*>(c)->AdjustSize();
    }
}

void TAdvCustomToolBar::OnSetGlowButtonSize(vcl::TObject* Sender, int&, int& AHeight) {
    auto* b = dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(Sender);
    if (b == nullptr || b->ButtonSizeState() != AdvGlowButton::bsLarge) return;
    // A compacted toolbar keeps the rule it had: its buttons stand in the compact window meanwhile.
    if (FAutoPositionControls || (FCompacted && FSavedAutoPositionControls))
        AHeight = std::max(0, Height() - (FCaptionHeight + 5));
}

void TAdvCustomToolBar::UpdateAllContainer() {
    if (FCurrentStyler == nullptr) return;
    for (void* c : *FControlList)
        if (auto* container = dynamic_cast<TAdvToolBarContainer*>(static_cast<vcl::TControl*>(c)))
            container->Invalidate();
}

TAdvToolBarPager* TAdvCustomToolBar::PagerOfPage() const {
    auto* page = dynamic_cast<TAdvPage*>(Parent());
    return page != nullptr ? dynamic_cast<TAdvToolBarPager*>(page->Parent()) : nullptr;
}

int TAdvCustomToolBar::ToolBarIndex() const {
    auto* page = dynamic_cast<TAdvPage*>(Parent());
    return page != nullptr ? page->IndexOfAdvToolBar(this) : -1;
}

void TAdvCustomToolBar::SetToolBarIndex(int Value) {
    auto* page = dynamic_cast<TAdvPage*>(Parent());
    const int current = ToolBarIndex();
    if (page == nullptr || current < 0 || page->AdvToolBarCount() == 0) return;
    page->MoveAdvToolBar(current, std::clamp(Value, 0, page->AdvToolBarCount() - 1));
}

bool TAdvCustomToolBar::DragGripShown() const {
    if (FToolBarState == tsFloating || OnPageOrCompactWindow()) return false;
    return FCurrentStyler != nullptr && FCurrentStyler->DragGripStyle() != dsNone;
}

// ---- Parent and notifications

void TAdvCustomToolBar::SetParent(vcl::TWinControl* AParent) {
    // The option window stands by the toolbar's right handle: it goes before the toolbar moves, even
    // when the toolbar stays where it is.
    const auto state = ComponentState();
    if (!state.Contains(vcl::csDesigning) && !state.Contains(vcl::csLoading) && !IsBeingDestroyed(this))
        HideOptionWindow();
    if (AParent == Parent()) return;
    auto* panel = dynamic_cast<TAdvDockPanel*>(AParent);
    auto* window = dynamic_cast<TFloatingWindow*>(AParent);
    // A panel whose frozen rows have no room for the toolbar refuses it before it moves: the toolbar
    // keeps its parent, its state and its floating window.
    if (panel != nullptr && panel != FDockPanel && !IsBeingDestroyed(this) && panel->RowsFrozen() &&
        panel->IsAllowedInAnyRow(this) < 0)
        return;
    const bool fromFloating = FToolBarState == tsFloating;
    vcl::TCustomControl::SetParent(AParent);
    FPreviousState = FToolBarState;
    bool docked = false;
    bool floated = false;
    if (panel != nullptr && panel != FDockPanel) {
        if (FDockPanel != nullptr) FDockPanel->RemoveToolBar(this);
        if (fromFloating) {
            KillFollowTimer();
            if (Horizontal()) {
                Constraints()->SetMinHeight(0);
                Constraints()->SetMaxHeight(0);
                TFlagGuard allow(FAllowBoundChange, true);
                SetHeight(FThickness);
            }
        }
        FToolBarState = tsDocked;
        if (panel->AddToolBar(this) != -1) {
            FLastDockPanel = panel;
            panel->FreeNotification(this);
            SetParentStyler(FParentStyler);
            if (FFloatingWindow != nullptr) FFloatingWindow->SetVisible(false);
            docked = true;
        } else {
            FToolBarState = FPreviousState;
        }
    } else if (window != nullptr) {
        FToolBarState = tsFloating;
        if (FDockPanel != nullptr) FDockPanel->RemoveToolBar(this);
        if (!Horizontal()) SetPosition(daTop);
        SetHeight(Height() + FCaptionHeight);
        floated = true;
    } else if (panel == nullptr) {
        if (fromFloating) KillFollowTimer();
        // On a pager's page the toolbar keeps following its parent's styler: the pager's.
        if (PagerOfPage() == nullptr) FParentStyler = false;
        FToolBarState = tsFixed;
        if (FDockPanel != nullptr) FDockPanel->RemoveToolBar(this);
    }
    SetControlsPosition(true);
    if (ComponentState().Contains(vcl::csLoading)) return;
    if (docked && OnDocked) OnDocked(this, panel);
    if (floated && OnUnDocked) OnUnDocked(this);
}

void TAdvCustomToolBar::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TCustomControl::Notification(AComponent, Operation);
    if (Operation != vcl::opRemove) return;
    bool destroying = IsBeingDestroyed(this);
    if (AComponent == FOptionWindow) {
        FOptionWindow = nullptr;
        FOptionPanel = nullptr; // owned by the option window
    }
    // Pointers to what goes away are cleared even while the toolbar itself goes: nothing may be left
    // pointing at a freed styler, panel or control.
    if (AComponent == FDockPanel) {
        FDockPanel = nullptr;
        FRow = -1;
    }
    if (AComponent == FLastDockPanel) FLastDockPanel = nullptr;
    if (AComponent == FCustomizer) FCustomizer = nullptr;
    if (AComponent == FCompactWindow) FCompactWindow = nullptr;
    if (AComponent == FCompactButton) FCompactButton = nullptr;
    if (AComponent == FCloneLink) FCloneLink = nullptr;
    if (AComponent == FFloatingWindow) {
        FFloatingPlace = vcl::TPoint{FFloatingWindow->Left(), FFloatingWindow->Top()};
        FFloatingWindow = nullptr;
    }
    if (AComponent == FFollowedForm) FFollowedForm = nullptr;
    if (AComponent == FOptionMenu) FOptionMenu = nullptr;
    if (AComponent == FTempMenu) FTempMenu = nullptr;
    if (AComponent == FMenu) {
        if (destroying)
            FMenu = nullptr;
        else
            SetMenu(nullptr);
    }
    if (AComponent == FMergedMenu) {
        if (destroying)
            FMergedMenu = nullptr;
        else
            UnmergeMenu(FMergedMenu);
    }
    if (auto* control = dynamic_cast<vcl::TControl*>(AComponent)) ForgetMenuButton(control);
    if (AComponent == FImages) {
        if (destroying)
            FImages = nullptr;
        else
            SetImages(nullptr);
    }
    if (AComponent == FDisabledImages) {
        if (destroying)
            FDisabledImages = nullptr;
        else
            SetDisabledImages(nullptr);
    }
    if (AComponent == FToolBarStyler) {
        if (destroying) {
            FToolBarStyler = nullptr;
            FCurrentStyler = nullptr;
        } else {
            SetToolBarStyler(nullptr);
        }
    }
    if (auto* control = dynamic_cast<vcl::TControl*>(AComponent)) {
        if (FControlList->IndexOf(control) < 0) return;
        if (destroying) {
            FControlList->Remove(control);
            FRULControlList->Remove(control);
            FHiddenControlList->Remove(control);
            FVisibleSequenceList->Remove(control);
        } else {
            RemoveControl(control);
        }
    }
}

void TAdvCustomToolBar::SetCustomizer(TAdvToolBarCustomizer* Value) {
    if (FCustomizer == Value) return;
    if (FCustomizer != nullptr) FCustomizer->RemoveFreeNotification(this);
    FCustomizer = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TAdvCustomToolBar::ShowCustomizer() {
    if (FCustomizer != nullptr) FCustomizer->ShowCustomizer();
}

void TAdvCustomToolBar::ResetToolBar() {
    if (FCustomizer != nullptr) FCustomizer->ResetToolBar();
}

void TAdvCustomToolBar::Loaded() {
    vcl::TCustomControl::Loaded();
    FSavedCursor = Cursor();
    BuildSequenceControlList();
    SetControlsPosition(true);
    GetSequenceControlList(FVisibleSequenceList.get(), true);
    // The panel's Loaded may have read the toolbar's part already.
    if (!FPositionLoaded && FPersistence->Enabled() && !ComponentState().Contains(vcl::csDesigning))
        LoadPosition();
    if (FMenu != nullptr) {
        AdjustSizeOfAllButtons(true);
        UpdateMenu();
    }
    if (FAutoMDIButtons) {
        FAutoMDIButtons = false;
        SetAutoMDIButtons(true);
    }
    // The customizer keeps the toolbar as it stands once its own layout is read.
    if (FCustomizer != nullptr) {
        FCustomizer->SaveInitialState();
        FCustomizer->UpdateAdvToolBar();
    }
    // The look stored with each glow button gives way to the styler's.
    UpdateAllGlowButtons();
    FLoadedOnce = true;
}

void TAdvCustomToolBar::WndProc(vcl::TMessage& Message) {
    if (MenuBarMessage(Message) || KeyboardMessage(Message)) return;
    switch (Message.Msg) {
    case win::WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case vcl::CM_CONTROLCHANGE: {
        vcl::TCustomControl::WndProc(Message);
        auto* control = reinterpret_cast<vcl::TControl*>(Message.WParam);
        // Controls the toolbar moves itself (to and from the option panel) keep their list entries.
        if (control == nullptr || FInternalReparent || IsCompactWindow(control)) return;
        if (Message.LParam != 0)
            InsertControl(control);
        else
            RemoveControl(control);
        return;
    }
    case vcl::CM_MOUSEENTER:
        vcl::TCustomControl::WndProc(Message);
        CMMouseEnter();
        return;
    case vcl::CM_MOUSELEAVE:
        vcl::TCustomControl::WndProc(Message);
        MDIMouseLeave();
        CMMouseLeave();
        if (!ComponentState().Contains(vcl::csDesigning) && OnPageOrCompactWindow()) {
            FHover = false;
            Invalidate();
            StartHoverFade(-20);
        }
        return;
    case vcl::CM_VISIBLECHANGED:
        vcl::TCustomControl::WndProc(Message);
        if (FDockPanel != nullptr && FToolBarState == tsDocked &&
            !ComponentState().Contains(vcl::csDesigning))
            FDockPanel->UpdateToolBarVisibility(this);
        if (IsFloating() && FFloatingWindow != nullptr) {
            // While the form is hidden the follow timer shows the window with it.
            FFloatingVisible = Visible();
            FFloatingWindow->SetVisible(Visible() && (FFollowedForm == nullptr || FFollowedForm->Visible()));
        }
        // On a page the toolbars close up behind a hidden one and make room for a shown one: the others
        // shrink for one that shows and grow back into the room one leaves.
        if (auto* page = dynamic_cast<TAdvPage*>(Parent()); page != nullptr && !IsFloating()) {
            page->UpdateAdvToolBarsPosition();
            if (Visible())
                page->DecreaseToolBarSize();
            else
                page->IncreaseToolBarSize();
        }
        return;
    case vcl::CM_HINTSHOW: {
        vcl::TCustomControl::WndProc(Message);
        vcl::TCMHintShow hint(Message);
        CMHintShow(hint);
        return;
    }
    case win::WM_TIMER:
        vcl::TCustomControl::WndProc(Message);
        if (Message.WParam == 500) FollowTimer();
        return;
    case win::WM_DESTROY:
        KillFollowTimer();
        break;
    default:
        break;
    }
    vcl::TCustomControl::WndProc(Message);
}

void TAdvCustomToolBar::CMHintShow(vcl::TCMHintShow& Message) {
    vcl::THintInfo* Info = Message.HintInfo;
    if (Info == nullptr || !ShowHint()) return;
    const vcl::TPoint p = Info->CursorPos;
    // The caption's buttons and the right handle have hints of their own; each holds while the
    // pointer stays on its button.
    auto take = [Info](const String& Hint, const vcl::TRect& Area) {
        Info->HintStr = Hint;
        Info->CursorRect = Area;
    };
    if (IsFloating()) {
        if (FShowClose && !HintCloseButton.empty() && PtOnCloseBtn(p.X, p.Y))
            take(HintCloseButton, FWCloseBtnRect());
        else if (FShowOptionIndicator && !HintOptionButton.empty() && PtOnCustomizedBtn(p.X, p.Y))
            take(HintOptionButton, FWCustomizedBtnRect());
    } else if (FShowOptionIndicator && !HintOptionButton.empty() && PtOnPopupIndicator(p.X, p.Y)) {
        const int w = PopupIndicatorWidth();
        take(HintOptionButton, Horizontal() ? vcl::TRect{Width() - w, 0, Width(), Height()}
                                            : vcl::TRect{0, Height() - w, Width(), Height()});
    }
}

// ---- Control list

vcl::TControl* TAdvCustomToolBar::ToolBarControls(int Index) const {
    if (Index < 0 || Index >= FControlList->Count()) return nullptr;
    return FControlList->At<vcl::TControl>(Index);
}

int TAdvCustomToolBar::AddToolBarControl(vcl::TControl* Control) {
    if (Control == nullptr || IndexOfToolBarControl(Control) >= 0 || Control->Parent() == this) return -1;
    Control->SetParent(this);
    int i = IndexOfToolBarControl(Control);
    if (i < 0) return -1;
    int last = FControlList->Count() - 1;
    if (i != last) {
        FControlList->Move(i, last);
        SetControlsPosition(true);
    }
    return last;
}

int TAdvCustomToolBar::InsertToolBarControl(int Index, vcl::TControl* Control) {
    int i = AddToolBarControl(Control);
    if (i < 0) return -1;
    int target = std::clamp(Index, 0, FControlList->Count() - 1);
    MoveToolBarControl(i, target);
    return IndexOfToolBarControl(Control);
}

void TAdvCustomToolBar::MoveToolBarControl(int FromIndex, int ToIndex) {
    int n = FControlList->Count();
    if (FromIndex < 0 || FromIndex >= n || ToIndex < 0 || ToIndex >= n || FromIndex == ToIndex) return;
    FControlList->Move(FromIndex, ToIndex);
    SetControlsPosition(true);
}

int TAdvCustomToolBar::InsertAdvToolBarControl(vcl::TControl* Control, int Index) {
    if (Index > FControlList->Count() || Index < 0) throw vcl::Exception("Invalid Index");
    int existing = IndexOfToolBarControl(Control);
    if (existing >= 0 || Control == nullptr) return existing;
    FControlList->Insert(Index, Control);
    Control->FreeNotification(this);
    if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(Control)) tc->FAdvToolBar = this;
    SetControlsPosition(true);
    return Index;
}

void TAdvCustomToolBar::RemoveAdvToolBarControl(vcl::TControl* Control) {
    int i = IndexOfToolBarControl(Control);
    if (i < 0) return;
    FControlList->Delete(i);
    SetControlsPosition(true);
}

int TAdvCustomToolBar::ControlIndex(int OldIndex, int ALeft, int ATop) const {
    int n = FControlList->Count();
    if (OldIndex >= 0 && n <= 1) return OldIndex;
    // A control at the origin goes last.
    if (ALeft == 0 || ATop == 0) return n;
    bool horizontal = Horizontal();
    for (int i = 0; i < n; ++i) {
        if (i == OldIndex) continue;
        vcl::TControl* c = FControlList->At<vcl::TControl>(i);
        if (horizontal ? c->Left() >= ALeft : c->Top() >= ATop) return i;
    }
    return n;
}

int TAdvCustomToolBar::ReorderControl(int OldIndex, int ALeft, int ATop) {
    int target = ControlIndex(OldIndex, ALeft, ATop);
    if (target != OldIndex && OldIndex >= 0 && OldIndex < FControlList->Count()) {
        int to = OldIndex < target ? target - 1 : target;
        to = std::clamp(to, 0, FControlList->Count() - 1);
        if (to != OldIndex) FControlList->Move(OldIndex, to);
    }
    return target;
}

void TAdvCustomToolBar::InsertControl(vcl::TControl* Control) {
    if (Control == nullptr) return;
    const auto state = ComponentState();
    if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(Control)) {
        // A page toolbar draws its caption strip along its bottom: a separator there keeps its own
        // length, where one sized to the toolbar's height would run its line down through the strip.
        if (dynamic_cast<TAdvToolBarSeparator*>(tc) != nullptr &&
            dynamic_cast<TAdvPage*>(Parent()) != nullptr)
            tc->SetAutoSize(false);
        tc->FAdvToolBar = this;
        tc->FPosition = FPosition;
        if (!state.Contains(vcl::csLoading) && !state.Contains(vcl::csDesigning)) tc->AdjustSize();
    }
    Control->FreeNotification(this);
    int i = IndexOfToolBarControl(Control);
    if (i < 0) {
        int at = std::min(ControlIndex(-1, Control->Left(), Control->Top()), FControlList->Count());
        FControlList->Insert(at, Control);
    } else {
        ReorderControl(i, Control->Left(), Control->Top());
    }
    if (auto* b = dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(Control)) {
        if (FCurrentStyler != nullptr) b->Appearance()->Assign(FCurrentStyler->GlowButtonAppearance());
        // On a dock panel a click on a glow button closes the option window.
        if (!state.Contains(vcl::csDesigning) && dynamic_cast<TAdvDockPanel*>(Parent()) != nullptr)
            b->OnInternalClick = [this](vcl::TObject* Sender) { OnGlowButtonClick(Sender); };
        // On a page a large glow button takes the toolbar's height. The request is answered only while
        // the button is on this toolbar or its clone, and never once the toolbar has gone.
        if (!state.Contains(vcl::csDesigning) && dynamic_cast<TAdvPage*>(Parent()) != nullptr)
            b->OnSizeRequest = [this, alive = FAlive](vcl::TObject* Sender, int& W, int& H) {
                auto* c = dynamic_cast<vcl::TControl*>(Sender);
                if (*alive && c != nullptr &&
                    (c->Parent() == this || (c->Parent() != nullptr && c->Parent() == FCloneLink)))
                    OnSetGlowButtonSize(Sender, W, H);
            };
    }
    GiveGlowButtonKeys(Control);
    if (auto* container = dynamic_cast<TAdvToolBarContainer*>(Control))
        for (int k = 0; k < container->ControlCount(); ++k)
            GiveGlowButtonKeys(container->Controls(k));
    if (FAutoRUL && FRULControlList->IndexOf(Control) < 0) FRULControlList->Add(Control);
    SetControlsPosition(true);
    // On a toolbar its row already holds at full length the new control may not fit, and its length
    // does not change, so nothing else looks again. What shows is worked out afresh, least recently
    // used (the newest) hidden first, so the hidden ones are the last ones and come back in order.
    // Not for a control the toolbar takes back itself (from its option window or its hidden list).
    if (FToolBarState == tsDocked && !FInternalReparent && !FListUpdating &&
        !state.Contains(vcl::csLoading) && !state.Contains(vcl::csDesigning)) {
        UnHideAllControls();
        UpdateRULists();
    }
}

void TAdvCustomToolBar::RemoveControl(vcl::TControl* Control) {
    int i = IndexOfToolBarControl(Control);
    if (i < 0) return;
    if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(Control))
        if (tc->FAdvToolBar == this) tc->FAdvToolBar = nullptr;
    FControlList->Delete(i);
    FRULControlList->Remove(Control);
    FHiddenControlList->Remove(Control);
    FVisibleSequenceList->Remove(Control);
    SetControlsPosition(true);
}

void TAdvCustomToolBar::BuildSequenceControlList() {
    bool horizontal = Horizontal();
    std::vector<vcl::TControl*> order;
    for (int i = 0; i < ControlCount(); ++i)
        if (!IsCompactWindow(Controls(i))) order.push_back(Controls(i));
    // By position along the toolbar; ties keep child order.
    std::stable_sort(order.begin(), order.end(), [horizontal](vcl::TControl* a, vcl::TControl* b) {
        return horizontal ? a->Left() < b->Left() : a->Top() < b->Top();
    });
    FControlList->Clear();
    for (vcl::TControl* c : order)
        FControlList->Add(c);
    if (FAutoRUL) {
        FRULControlList->Clear();
        for (vcl::TControl* c : order)
            FRULControlList->Add(c);
    }
}

void TAdvCustomToolBar::GetSequenceControlList(TDbgList* List, bool VisibleOnly) const {
    if (List == nullptr) return;
    List->Clear();
    bool horizontal = Horizontal();
    std::vector<vcl::TControl*> order;
    for (int i = 0; i < ControlCount(); ++i) {
        vcl::TControl* c = Controls(i);
        if ((!VisibleOnly || c->Visible()) && !IsCompactWindow(c)) order.push_back(c);
    }
    std::stable_sort(order.begin(), order.end(), [horizontal](vcl::TControl* a, vcl::TControl* b) {
        if (horizontal) return a->Left() != b->Left() ? a->Left() < b->Left() : a->Top() < b->Top();
        return a->Top() < b->Top();
    });
    for (vcl::TControl* c : order)
        List->Add(c);
}

} // namespace AdvToolBar
