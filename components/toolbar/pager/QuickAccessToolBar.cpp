// The quick access toolbar's model: creation, parent and bounds, its customize and overflow buttons,
// the overflow window, styling, images, key tips and update counting. Layout: QuickAccessLayout.cpp;
// painting: QuickAccessPaint.cpp.

#include "components/toolbar/pager/QuickAccessToolBar.h"

#include <algorithm>
#include <cctype>

#include "components/foundation/AdvGlowButton.h"
#include "components/foundation/AdvStyleIF.h"
#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "components/toolbar/options/PopupMenuWindow.h"
#include "components/toolbar/options/SelectorPanels.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/pager/VistaButtons.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/Messages.h"
#include "platform/win/Metrics.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"

namespace AdvToolBar {

KV_PUBLISHED(TAdvQuickAccessToolBar) {
    using A = TAdvQuickAccessToolBar;
    p.Str("CustomizeHint", &A::CustomizeHint, &A::SetCustomizeHint);
    p.Ref("DisabledImages", &A::DisabledImages, &A::SetDisabledImages);
    p.Ref("Images", &A::Images, &A::SetImages);
    p.Bool("ShowCustomizeOption", &A::ShowCustomizeOption, &A::SetShowCustomizeOption, false);
    p.Ref("DropDownPopupMenu", &A::DropDownPopupMenu, &A::SetDropDownPopupMenu);
}

KV_REGISTER_CLASS(TAdvQuickAccessToolBar)

namespace {

// AdjustSize is the control's own business; the bar asks for it after changing what a control shows.
struct SizeAccess : vcl::TControl {
    static void Adjust(vcl::TControl* C) { (C->*&SizeAccess::AdjustSize)(); }
};

String Upper(String S) {
    std::transform(S.begin(), S.end(), S.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return S;
}

} // namespace

TAdvCustomQuickAccessToolBar::TAdvCustomQuickAccessToolBar(vcl::TComponent* AOwner)
    : vcl::TCustomControl(AOwner), FControlList(std::make_unique<TDbgList>()),
      FHiddenList(std::make_unique<TDbgList>()) {
    FControlStyle.Include(vcl::csAcceptsControls);
    FControlStyle.Exclude(vcl::csOpaque);
}

TAdvCustomQuickAccessToolBar::~TAdvCustomQuickAccessToolBar() {
    // A window leaving with its destruction sends its parent no notice: the pager is told here.
    if (TAdvToolBarPager* pager = Pager(); pager != nullptr && pager->FQuickAccessToolBar == this)
        pager->FQuickAccessToolBar = nullptr;
    for (void* p : *FHiddenList)
        static_cast<vcl::TControl*>(p)->RemoveFreeNotification(this);
    FHiddenList->Clear();
    FControlList->Clear();
    // The buttons and the window (with the controls it had taken) go while the bar is whole.
    BeforeDestruction();
}

TAdvToolBarPager* TAdvCustomQuickAccessToolBar::Pager() const {
    return dynamic_cast<TAdvToolBarPager*>(Parent());
}

void TAdvCustomQuickAccessToolBar::SetParent(vcl::TWinControl* AParent) {
    if (AParent != nullptr && dynamic_cast<TAdvToolBarPager*>(AParent) == nullptr)
        throw vcl::Exception("Invalid Parent");
    vcl::TCustomControl::SetParent(AParent);
}

void TAdvCustomQuickAccessToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    vcl::TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateSize();
    UpdateControlsVisiblity();
}

void TAdvCustomQuickAccessToolBar::Loaded() {
    vcl::TCustomControl::Loaded();
    Relayout();
    UpdateAllGlowButtons();
}

void TAdvCustomQuickAccessToolBar::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TCustomControl::Notification(AComponent, Operation);
    if (Operation != vcl::opRemove) return;
    if (AComponent == FCustomizeButton) FCustomizeButton = nullptr;
    if (AComponent == FOverflowButton) FOverflowButton = nullptr;
    if (AComponent == FOverflowWindow) {
        FOverflowWindow = nullptr;
        FOverflowPanel = nullptr;
    }
    if (AComponent == FDropDownPopupMenu) FDropDownPopupMenu = nullptr;
    if (AComponent == FImages) {
        FImages = nullptr;
        Invalidate();
    }
    if (AComponent == FDisabledImages) {
        FDisabledImages = nullptr;
        Invalidate();
    }
    // A control that goes while it waits in the overflow window must not stay listed.
    if (auto* c = dynamic_cast<vcl::TControl*>(AComponent)) ForgetControl(c);
}

void TAdvCustomQuickAccessToolBar::ForgetControl(vcl::TControl* C) {
    FHiddenList->Remove(C);
    FControlList->Remove(C);
}

bool TAdvCustomQuickAccessToolBar::IsOwnControl(const vcl::TControl* C) const {
    return C == FCustomizeButton || C == FOverflowButton ||
           C == static_cast<const vcl::TControl*>(FOverflowWindow) ||
           C == static_cast<const vcl::TControl*>(FOverflowPanel);
}

void TAdvCustomQuickAccessToolBar::Relayout() {
    UpdateControlList();
    UpdateSize();
    UpdateControlsPos(false);
    UpdateControlsVisiblity();
}

void TAdvCustomQuickAccessToolBar::AlignControls(vcl::TControl* AControl, vcl::TRect& Rect) {
    vcl::TCustomControl::AlignControls(AControl, Rect);
    if (FPositioning) return;
    // A control arriving is aligned before the bar hears of it.
    if (AControl != nullptr && AControl->Parent() == this && !IsOwnControl(AControl) &&
        FControlList->IndexOf(AControl) < 0)
        JoinBehindHidden(AControl);
    Relayout();
}

void TAdvCustomQuickAccessToolBar::JoinBehindHidden(vcl::TControl* C) {
    // Behind controls that already wait in the overflow window a newcomer at the end waits too: the
    // bar keeps its order, and the hidden ones come back first.
    if (FHiddenList->Count() == 0 || FHiddenList->IndexOf(C) >= 0) return;
    if (FControlList->Count() > 0 && C->Left() < ControlListItems(FControlList->Count() - 1)->Left()) return;
    FHiddenList->Add(C);
    C->FreeNotification(this);
}

void TAdvCustomQuickAccessToolBar::WndProc(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_ERASEBKGND:
        Message.Result = 1;
        break;
    case vcl::CM_CONTROLCHANGE:
        vcl::TCustomControl::WndProc(Message);
        CMControlChange(Message);
        return;
    default:
        break;
    }
    vcl::TCustomControl::WndProc(Message);
}

void TAdvCustomQuickAccessToolBar::CMControlChange(vcl::TMessage& Message) {
    auto* c = reinterpret_cast<vcl::TControl*>(Message.WParam);
    if (FPositioning || c == nullptr || IsOwnControl(c)) return;
    const bool inserting = Message.LParam != 0;
    if (inserting) {
        // Beside the others a toolbar button keeps only a pixel of margin on each side.
        if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(c)) b->SetMargin(1);
        JoinBehindHidden(c);
    } else {
        // A control taken off the bar is no longer one of its hidden controls either.
        if (FHiddenList->IndexOf(c) >= 0) c->RemoveFreeNotification(this);
        FHiddenList->Remove(c);
    }
    if (!ComponentState().Contains(vcl::csDestroying)) Relayout();
}

void TAdvCustomQuickAccessToolBar::AddToolBarControl(vcl::TControl* Control) {
    if (Control == nullptr) return;
    // Placed at the end before it arrives, so that it is laid out there from the start.
    Control->SetLeft(Width());
    if (Control->Parent() != this) Control->SetParent(this);
}

void TAdvCustomQuickAccessToolBar::SetFullSize(bool Value) {
    if (FFullSize == Value) return;
    FFullSize = Value;
    Relayout();
    UpdateControlsPos(false);
    Invalidate();
}

// ---- Customize and overflow buttons

void TAdvCustomQuickAccessToolBar::SetShowCustomizeOption(bool Value) {
    FShowCustomizeOption = Value;
    if (Value) {
        if (FCustomizeButton == nullptr) {
            FCustomizeButton = new TAdvVistaButton(this);
            FCustomizeButton->SetParent(this);
            FCustomizeButton->SetArrowStyle(asWithLine);
            FCustomizeButton->SetScrollArrow(saBottom);
            FCustomizeButton->OnClick = [this](vcl::TObject* Sender) { OnCustomizeButtonClick(Sender); };
            FCustomizeButton->SetHint(FCustomizeHint);
        } else {
            FCustomizeButton->SetVisible(false);
        }
        FCustomizeButton->SetHeight(Height());
        FCustomizeButton->SetWidth(ButtonWidth);
        if (FCustomizeButton->Parent() != this) {
            TFlagGuard quiet(FPositioning, true);
            FCustomizeButton->SetParent(this);
        }
        if (TCustomAdvToolBarStyler* s = GetCustomAdvToolBarStyler())
            FCustomizeButton->SetAppearance(s->GlowButtonAppearance());
        FCustomizeButton->SetVisible(true);
    } else if (FCustomizeButton != nullptr) {
        FCustomizeButton->SetVisible(false);
        FCustomizeButton->SetWidth(0);
        FCustomizeButton->SetHeight(0);
    }
    UpdateSize();
    UpdateControlsPos(false);
    UpdateControlsVisiblity();
}

void TAdvCustomQuickAccessToolBar::OnCustomizeButtonClick(vcl::TObject*) {
    if (FDropDownPopupMenu == nullptr || FCustomizeButton == nullptr) return;
    vcl::TPoint p{FCustomizeButton->Left(), FCustomizeButton->Top() + FCustomizeButton->Height()};
    if (vcl::TWinControl* holder = FCustomizeButton->Parent()) p = holder->ClientToScreen(p);
    FCustomizeButton->SetDown(true);
    FDropDownPopupMenu->Popup(p.X, p.Y);
    // The menu may have freed the bar's button with it.
    if (FCustomizeButton != nullptr) FCustomizeButton->SetDown(false);
}

bool TAdvCustomQuickAccessToolBar::GetShowScrollButton() const {
    return FOverflowButton != nullptr && FOverflowButton->Visible();
}

void TAdvCustomQuickAccessToolBar::SetShowScrollButton(bool Value) {
    if (!Value) {
        if (FOverflowButton != nullptr) FOverflowButton->SetVisible(false);
        return;
    }
    TFlagGuard quiet(FPositioning, true);
    if (FOverflowButton == nullptr) {
        FOverflowButton = new TAdvVistaButton(this);
        FOverflowButton->SetParent(this);
        FOverflowButton->SetArrowStyle(asDouble);
        FOverflowButton->SetScrollArrow(saRight);
        FOverflowButton->SetHeight(Height());
        FOverflowButton->SetWidth(ButtonWidth);
        FOverflowButton->OnClick = [this](vcl::TObject* Sender) { OnScrollButtonClick(Sender); };
        FOverflowButton->OnMouseDown = [this](vcl::TObject* Sender, vcl::TMouseButton Button,
                                              vcl::TShiftState Shift, int X,
                                              int Y) { OnScrollButtonDown(Sender, Button, Shift, X, Y); };
    }
    const vcl::TRect r = GetCustomizeBtnRect();
    FOverflowButton->SetLeft(r.Left);
    FOverflowButton->SetTop(r.Top);
    if (TCustomAdvToolBarStyler* s = GetCustomAdvToolBarStyler())
        FOverflowButton->SetAppearance(s->GlowButtonAppearance());
    FOverflowButton->SetVisible(true);
}

void TAdvCustomQuickAccessToolBar::OnScrollButtonDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int,
                                                      int) {
    if (FOverflowButton != nullptr) FOverflowButton->SetDown(true);
    ShowOverflowWindow(0, 0, false);
    // Nothing to offer: the button does not stay down.
    if ((FOverflowWindow == nullptr || !FOverflowWindow->Visible()) && FOverflowButton != nullptr)
        FOverflowButton->SetDown(false);
}

void TAdvCustomQuickAccessToolBar::OnOverflowWindowHide(vcl::TObject*) {
    if (FOverflowButton != nullptr) FOverflowButton->SetDown(false);
}

// ---- Overflow window

void TAdvCustomQuickAccessToolBar::InitializeOverflowWindow() {
    if (IsDesigning() || ComponentState().Contains(vcl::csDestroying)) return;
    if (FOverflowWindow == nullptr) {
        FOverflowWindow = new TOptionSelectorWindow(this, 0);
        FOverflowWindow->SetBorderIcons({});
        FOverflowWindow->SetBorderStyle(vcl::bsNone);
        FOverflowWindow->SetFormStyle(vcl::fsStayOnTop);
        FOverflowWindow->SetVisible(false);
        FOverflowWindow->SetWidth(10);
        FOverflowWindow->SetHeight(10);
        FOverflowWindow->SetBorderWidth(0);
        FOverflowWindow->OnHide = [this](vcl::TObject* Sender) { OnOverflowWindowHide(Sender); };
    }
    if (FOverflowPanel == nullptr) {
        FOverflowPanel = new TControlSelectorPanel(FOverflowWindow);
        FOverflowPanel->SetParent(FOverflowWindow);
        FOverflowPanel->SetAdvQuickAccessToolBar(static_cast<TAdvQuickAccessToolBar*>(this));
        FOverflowWindow->SetOptionsPanel(FOverflowPanel);
    }
    TControlSelectorPanel* panel = FOverflowPanel;
    panel->SetShowAddAndRemoveBtn(false);
    panel->SetOptionsMenu(nullptr);
    panel->SetTextAutoOptionMenu("");
    panel->SetTextOptionMenu("");
    if (TCustomAdvToolBarStyler* s = GetCustomAdvToolBarStyler()) {
        TButtonAppearance* a = s->ButtonAppearance();
        panel->ItemColorHot = a->ColorHot();
        panel->ItemColorHotTo = a->ColorHotTo();
        panel->ItemColorDown = a->ColorDown();
        panel->ItemColorDownTo = a->ColorDownTo();
        panel->ItemTextColor = a->CaptionTextColor();
        panel->ItemTextColorHot = a->CaptionTextColorHot();
        panel->ItemTextColorDown = a->CaptionTextColorDown();
        panel->SetWindowBorderColor(s->QATAppearance()->FullSizeBorderColor());
        panel->SetColor(s->TabAppearance()->BackGround()->Color());
        panel->SetColorTo(s->TabAppearance()->BackGround()->ColorTo());
    }
    panel->ClearControls();
    {
        TFlagGuard quiet(FPositioning, true);
        for (void* p : *FHiddenList)
            panel->AddControl(static_cast<vcl::TControl*>(p));
        // The customize button comes last, where the bar had no room for it.
        if (FShowCustomizeOption && FCustomizeButton != nullptr) {
            panel->AddControl(FCustomizeButton);
            FCustomizeButton->SetWidth(ButtonWidth);
            FCustomizeButton->SetHeight(Height());
            FCustomizeButton->SetVisible(true);
        }
    }
    panel->ArrangeControls();
    FOverflowWindow->SetWindowSize();
}

void TAdvCustomQuickAccessToolBar::ShowOverflowWindow(int X, int Y, bool AtPosition) {
    InitializeOverflowWindow();
    if (FOverflowWindow == nullptr || FOverflowPanel == nullptr) return;
    const int w = FOverflowWindow->Width();
    const int h = FOverflowWindow->Height();
    vcl::TPoint p{X, Y};
    if (!AtPosition) {
        p = vcl::TPoint{Left() + Width() - 12, Top() + Height() + 1};
        if (Parent() != nullptr) p = Parent()->ClientToScreen(p);
        win::RECT work{};
        win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &work, 0);
        if (h + p.Y + 2 > work.Bottom) p.Y -= h + p.Y + 2 - work.Bottom;
        const vcl::TRect monitor = popups::WorkAreaAt(p);
        if (w + p.X > monitor.Right) p.X -= w + p.X - monitor.Right;
    }
    if (FOverflowPanel->IsEmpty()) return;
    FOverflowWindow->SetBounds(p.X, p.Y, w, h);
    FOverflowWindow->Show();
}

void TAdvCustomQuickAccessToolBar::HideOverflowWindow() {
    if (FOverflowWindow != nullptr && FOverflowWindow->Visible()) FOverflowWindow->Hide();
}

bool TAdvCustomQuickAccessToolBar::HoldsInOverflowWindow(const vcl::TWinControl* Parent) const {
    for (const vcl::TWinControl* p = Parent; p != nullptr && FOverflowWindow != nullptr; p = p->Parent())
        if (p == FOverflowWindow) return true;
    return false;
}

// ---- Styling

TCustomAdvToolBarStyler* TAdvCustomQuickAccessToolBar::GetCustomAdvToolBarStyler() const {
    TAdvToolBarPager* pager = Pager();
    return pager != nullptr ? pager->CurrentStyler() : nullptr;
}

void TAdvCustomQuickAccessToolBar::UpdateMe(int Code) {
    if (Code == 0 || (Code >= 10 && Code <= 12)) Invalidate();
    if (Code == 0 || Code == 2 || Code == 7) UpdateAllGlowButtons();
}

void TAdvCustomQuickAccessToolBar::UpdateAllGlowButtons() {
    TCustomAdvToolBarStyler* s = GetCustomAdvToolBarStyler();
    if (s == nullptr) return;
    const AdvStyleIF::TBrixStyle style = s->ChildComponentStyle();
    auto restyle = [&](vcl::TControl* c) {
        auto* b = dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(c);
        if (b == nullptr) return;
        // The component style goes first, so that the styler's glow look is what the button shows.
        if (style != AdvStyleIF::tsCustom)
            if (auto* styled = dynamic_cast<AdvStyleIF::IBrixStyle*>(c)) styled->SetComponentStyle(style);
        b->Appearance()->Assign(s->GlowButtonAppearance());
        b->Invalidate();
    };
    for (int i = 0; i < ControlCount(); ++i)
        restyle(Controls(i));
    for (void* p : *FHiddenList)
        if (static_cast<vcl::TControl*>(p)->Parent() != this) restyle(static_cast<vcl::TControl*>(p));
    if (FCustomizeButton != nullptr) FCustomizeButton->SetAppearance(s->GlowButtonAppearance());
    if (FOverflowButton != nullptr) FOverflowButton->SetAppearance(s->GlowButtonAppearance());
}

void TAdvCustomQuickAccessToolBar::AdjustToolBarControls() {
    for (void* p : *FControlList)
        if (auto* c = dynamic_cast<TAdvCustomToolBarControl*>(static_cast<vcl::TControl*>(p)))
            SizeAccess::Adjust(c);
}

void TAdvCustomQuickAccessToolBar::SetImages(vcl::TCustomImageList* Value) {
    if (Value == FImages) return;
    vcl::TCustomImageList* old = FImages;
    // The bar grows or shrinks with the height of the images its buttons show.
    if (old != nullptr) SetHeight(Height() + (Value != nullptr ? Value->Height() : 0) - old->Height());
    if (old != nullptr) old->RemoveFreeNotification(this);
    FImages = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    {
        TFlagGuard quiet(FPositioning, true);
        AdjustToolBarControls();
    }
    UpdateControlsPos(true);
    if (old != nullptr) {
        AdjustToolBarControls();
        for (void* p : *FControlList)
            if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(static_cast<vcl::TControl*>(p)))
                b->GenerateShade();
    }
    Invalidate();
}

void TAdvCustomQuickAccessToolBar::SetDisabledImages(vcl::TCustomImageList* Value) {
    if (Value == FDisabledImages) return;
    if (FDisabledImages != nullptr) FDisabledImages->RemoveFreeNotification(this);
    FDisabledImages = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    {
        TFlagGuard quiet(FPositioning, true);
        AdjustToolBarControls();
    }
    Invalidate();
}

void TAdvCustomQuickAccessToolBar::SetCustomizeHint(const String& Value) {
    FCustomizeHint = Value;
    if (FCustomizeButton != nullptr) FCustomizeButton->SetHint(Value);
}

void TAdvCustomQuickAccessToolBar::SetDropDownPopupMenu(vcl::TPopupMenu* Value) {
    if (Value == FDropDownPopupMenu) return;
    if (FDropDownPopupMenu != nullptr) FDropDownPopupMenu->RemoveFreeNotification(this);
    FDropDownPopupMenu = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

// ---- Key tips

namespace {

// The glow button of the list entry, or null.
AdvGlowButton::TAdvCustomGlowButton* GlowOf(void* P) {
    return dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(static_cast<vcl::TControl*>(P));
}

} // namespace

void TAdvCustomQuickAccessToolBar::ShowShortCutHintOfButtons() {
    for (void* p : *FControlList)
        if (auto* b = GlowOf(p); b != nullptr && b->Enabled() && b->Visible() && b->Parent() == this)
            b->ShowShortCutHint();
}

void TAdvCustomQuickAccessToolBar::HideShortCutHintOfButtons() {
    for (void* p : *FControlList)
        if (auto* b = GlowOf(p)) b->HideShortCutHint();
}

bool TAdvCustomQuickAccessToolBar::AnyShortCutStartsWith(const String& Keys) const {
    const String keys = Upper(Keys);
    for (void* p : *FControlList)
        if (auto* b = GlowOf(p); b != nullptr && !b->ShortCutHint().empty() &&
                                 Upper(b->ShortCutHint()).compare(0, keys.size(), keys) == 0)
            return true;
    return false;
}

bool TAdvCustomQuickAccessToolBar::HasShortCut(const String& Keys, int& PartialCount) {
    const String keys = Upper(Keys);
    // A copy: the click may change the bar's controls.
    TDbgList buttons;
    buttons.AssignList(FControlList.get());
    for (void* p : buttons) {
        auto* b = GlowOf(p);
        if (b == nullptr) continue;
        const String tip = Upper(b->ShortCutHint());
        if (tip == keys) {
            if (b->Enabled() && b->Visible()) {
                if (b->CanFocus()) b->SetFocus();
                b->Invalidate();
                b->InternalClick();
            }
            return true;
        }
        if (tip.empty()) continue;
        if (tip.compare(0, keys.size(), keys) == 0)
            ++PartialCount;
        else
            b->HideShortCutHint();
    }
    return false;
}

// ---- Update counting

void TAdvCustomQuickAccessToolBar::BeginUpdate() {
    if (!Visible()) return;
    ++FUpdateCount;
    if (HandleAllocated()) win::SendMessage(Handle(), win::WM_SETREDRAW, 0, 0);
}

void TAdvCustomQuickAccessToolBar::EndUpdate() {
    if (!Visible()) return;
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount != 0) return;
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::WM_SETREDRAW, 1, 0);
        win::InvalidateRect(Handle(), nullptr, false);
    }
    Relayout();
}

} // namespace AdvToolBar
