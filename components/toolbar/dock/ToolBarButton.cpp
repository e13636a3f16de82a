#include "components/toolbar/dock/ToolBarButton.h"

#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarContainer.h"
#include "components/toolbar/pager/QuickAccessToolBar.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/Input.h"

namespace AdvToolBar {

// ---- TAdvToolBarButtonDrawPosition

KV_PUBLISHED(TAdvToolBarButtonDrawPosition) {
    using D = TAdvToolBarButtonDrawPosition;
    p.Bool("Enabled", &D::FEnabled, &D::SetEnabled, false);
    p.Int("TextX", &D::FTextX, &D::SetTextX, 0);
    p.Int("TextY", &D::FTextY, &D::SetTextY, 0);
    p.Int("ImageX", &D::FImageX, &D::SetImageX, 0);
    p.Int("ImageY", &D::FImageY, &D::SetImageY, 0);
}

void TAdvToolBarButtonDrawPosition::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TAdvToolBarButtonDrawPosition*>(Source);
    if (src == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FEnabled = src->FEnabled;
    FTextX = src->FTextX;
    FTextY = src->FTextY;
    FImageX = src->FImageX;
    FImageY = src->FImageY;
}

void TAdvToolBarButtonDrawPosition::Changed() {
    if (OnChange) OnChange(this);
}

#define KV_DRAWPOS_SETTER(Name, Field, Type)                                                                 \
    void TAdvToolBarButtonDrawPosition::Set##Name(Type Value) {                                              \
        if (Field == Value) return;                                                                          \
        Field = Value;                                                                                       \
        Changed();                                                                                           \
    }
KV_DRAWPOS_SETTER(Enabled, FEnabled, bool)
KV_DRAWPOS_SETTER(TextX, FTextX, int)
KV_DRAWPOS_SETTER(TextY, FTextY, int)
KV_DRAWPOS_SETTER(ImageX, FImageX, int)
KV_DRAWPOS_SETTER(ImageY, FImageY, int)
#undef KV_DRAWPOS_SETTER

// ---- TAdvToolBarButtonActionLink

TAdvToolBarButtonActionLink::TAdvToolBarButtonActionLink(vcl::TObject* AClient)
    : vcl::TControlActionLink(AClient) {
    AssignClient(AClient);
}

void TAdvToolBarButtonActionLink::AssignClient(vcl::TObject* AClient) {
    vcl::TControlActionLink::AssignClient(AClient);
    FButton = dynamic_cast<TAdvCustomToolBarButton*>(AClient);
}

bool TAdvToolBarButtonActionLink::IsCheckedLinked() {
    auto* a = dynamic_cast<vcl::TCustomAction*>(FAction);
    return vcl::TControlActionLink::IsCheckedLinked() && FButton != nullptr && a != nullptr &&
           a->Checked() == FButton->Down();
}

bool TAdvToolBarButtonActionLink::IsGroupIndexLinked() {
    auto* a = dynamic_cast<vcl::TCustomAction*>(FAction);
    return FButton != nullptr && a != nullptr && a->GroupIndex() == FButton->GroupIndex();
}

void TAdvToolBarButtonActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) FButton->SetDown(Value);
}

void TAdvToolBarButtonActionLink::SetGroupIndex(int Value) {
    if (IsGroupIndexLinked()) FButton->SetGroupIndex(Value);
}

// ---- TAdvCustomToolBarButton: creation

TAdvCustomToolBarButton::TAdvCustomToolBarButton(vcl::TComponent* AOwner)
    : TAdvCustomToolBarControl(AOwner), FAppearance(std::make_unique<TButtonAppearance>()),
      FGlyph(std::make_unique<vcl::TBitmap>()), FGlyphHot(std::make_unique<vcl::TBitmap>()),
      FGlyphDown(std::make_unique<vcl::TBitmap>()), FGlyphDisabled(std::make_unique<vcl::TBitmap>()),
      FGlyphChecked(std::make_unique<vcl::TBitmap>()), FShade(std::make_unique<vcl::TBitmap>()),
      FPicture(std::make_unique<vcl::TPicture>()), FPictureDisabled(std::make_unique<vcl::TPicture>()),
      FDrawPosition(std::make_unique<TAdvToolBarButtonDrawPosition>()),
      FOfficeHint(std::make_unique<AdvHintInfo::TAdvHintInfo>()),
      FUnHotTimer(std::make_unique<vcl::TTimer>(nullptr)) {
    FGlyph->OnChange = [this](vcl::TObject* Sender) { GlyphChanged(Sender); };
    FDrawPosition->OnChange = [this](vcl::TObject*) { Invalidate(); };
    SetBounds(0, 0, 23, 22);
    // No csClickEvents: the button calls Click itself once it knows the release counts.
    FControlStyle = vcl::TControlStyle{vcl::csCaptureMouse, vcl::csDoubleClicks};
    SetParentFont(true);
    FAppearance->OnChange = [this](vcl::TObject*) { Invalidate(); };
    SetAutoSize(true);
    Font()->SetName("Tahoma");
    FPicture->OnChange = [this](vcl::TObject* Sender) { GlyphChanged(Sender); };
    FPictureDisabled->OnChange = [this](vcl::TObject* Sender) { GlyphChanged(Sender); };
    FUnHotTimer->SetInterval(1);
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->OnTimer = [this](vcl::TObject* Sender) { UnHotTimerOnTime(Sender); };
}

TAdvCustomToolBarButton::~TAdvCustomToolBarButton() {
    BeforeDestruction();
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->OnTimer = nullptr;
    FGlyph->OnChange = nullptr;
    FPicture->OnChange = nullptr;
    FPictureDisabled->OnChange = nullptr;
    FAppearance->OnChange = nullptr;
    FDrawPosition->OnChange = nullptr;
}

// ---- setters

void TAdvCustomToolBarButton::SetGroupIndex(int Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TAdvCustomToolBarButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TAdvCustomToolBarButton::SetDown(bool Value) {
    // Down is applied again in Loaded, once GroupIndex and Style are known.
    if (IsLoading()) FLoadedDown = Value;
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        FState = Value ? absDown : absUp;
        Repaint();
        return;
    }
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return; // a group always keeps one button down
    FDown = Value;
    if (Value) {
        if (FState == absUp) Invalidate();
        FState = absExclusive;
        UpdateExclusive();
    } else {
        FState = absUp;
        Repaint();
    }
}

void TAdvCustomToolBarButton::SetDropDownButton(bool Value) {
    if (FDropDownButton == Value) return;
    FDropDownButton = Value;
    AdjustSize();
    Invalidate();
}

void TAdvCustomToolBarButton::SetDropDownMenu(AdvMenus::TAdvPopupMenu* Value) {
    if (FDropDownMenu == Value) return;
    if (FDropDownMenu != nullptr) FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TAdvCustomToolBarButton::SetGlyphPosition(TGlyphPosition Value) {
    if (FGlyphPosition == Value) return;
    FGlyphPosition = Value;
    AdjustSize();
    Invalidate();
}

void TAdvCustomToolBarButton::SetSpacing(int Value) {
    if (FSpacing == Value) return;
    FSpacing = Value;
    AdjustSize();
    Invalidate();
}

void TAdvCustomToolBarButton::SetShowCaption(bool Value) {
    FShowCaption = Value;
    AdjustSize();
    Invalidate();
}

void TAdvCustomToolBarButton::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    if (FShaded) GenerateShade();
    AdjustSize();
    Invalidate();
}

void TAdvCustomToolBarButton::SetShaded(bool Value) {
    FShaded = Value;
    if (Value && !IsLoading()) GenerateShade();
}

void TAdvCustomToolBarButton::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    Invalidate();
}

void TAdvCustomToolBarButton::SetParentStyler(bool Value) {
    if (FParentStyler == Value) return;
    FParentStyler = Value;
    Invalidate();
}

void TAdvCustomToolBarButton::SetPicture(vcl::TPicture* Value) {
    FPicture->Assign(Value);
    Invalidate();
}

void TAdvCustomToolBarButton::SetPictureDisabled(vcl::TPicture* Value) {
    FPictureDisabled->Assign(Value);
    Invalidate();
}

void TAdvCustomToolBarButton::GlyphChanged(vcl::TObject*) {
    AdjustSize();
    Invalidate();
}

void TAdvCustomToolBarButton::SetGlyph(vcl::TBitmap* Value) {
    FGlyph->Assign(Value);
    if (FGlyphDisabled->Empty() && !FGlyph->Empty()) {
        FGlyphDisabled->Assign(FGlyph.get());
        vcl::TCanvas* c = FGlyphDisabled->Canvas();
        // Each pixel becomes a light grey of its own brightness, so the shape stays readable.
        for (int x = 0; x < FGlyphDisabled->Width(); ++x)
            for (int y = 0; y < FGlyphDisabled->Height(); ++y) {
                TColor px = c->GetPixel(x, y);
                int r = px & 0xFF, g = (px >> 8) & 0xFF, b = (px >> 16) & 0xFF;
                int v = ((r + g + b) / 3) / 2 + 96;
                c->SetPixel(x, y, static_cast<TColor>(v | (v << 8) | (v << 16)));
            }
    }
    Invalidate();
}

void TAdvCustomToolBarButton::SetMenuItem(vcl::TMenuItem* Value) {
    if (Value != nullptr) {
        if (Value != FMenuItem) Value->FreeNotification(this);
        SetAction(Value->Action());
        SetCaption(Value->Caption());
        SetDown(Value->Checked());
        SetEnabled(Value->Enabled());
        SetHint(Value->Hint());
        SetImageIndex(Value->ImageIndex());
        SetVisible(Value->Visible());
    }
    FMenuItem = Value;
}

// ---- toolbar links

int TAdvCustomToolBarButton::GetIndex() const {
    return FAdvToolBar != nullptr
               ? FAdvToolBar->IndexOfToolBarControl(const_cast<TAdvCustomToolBarButton*>(this))
               : -1;
}

TCustomAdvToolBarStyler* TAdvCustomToolBarButton::Styler() const {
    if (FAdvToolBar != nullptr) return FAdvToolBar->CurrentStyler();
    return FAdvQuickAccessToolBar != nullptr ? FAdvQuickAccessToolBar->GetCustomAdvToolBarStyler() : nullptr;
}

void TAdvCustomToolBarButton::SetParent(vcl::TWinControl* AParent) {
    TAdvCustomToolBarControl::SetParent(AParent);
    // Inside a container the button works through the container's toolbar (groups, hot tracking).
    if (auto* container = dynamic_cast<TAdvToolBarContainer*>(AParent))
        FAdvToolBar = container->AdvToolBar();
    else if (FAdvToolBar != nullptr && AParent != FAdvToolBar && FAdvToolBar->IndexOfToolBarControl(this) < 0)
        FAdvToolBar = nullptr; // out of a container: the toolbar no longer reaches it
    // On a quick access toolbar the button knows it; in the bar's overflow window it keeps knowing it;
    // anywhere else it forgets it (the bar may go while the button lives on).
    if (auto* qat = dynamic_cast<TAdvCustomQuickAccessToolBar*>(AParent))
        FAdvQuickAccessToolBar = qat;
    else if (FAdvQuickAccessToolBar != nullptr && !FAdvQuickAccessToolBar->HoldsInOverflowWindow(AParent))
        FAdvQuickAccessToolBar = nullptr;
}

void TAdvCustomToolBarButton::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    TAdvCustomToolBarControl::Notification(AComponent, Operation);
    if (Operation != vcl::opRemove || ComponentState().Contains(vcl::csDestroying)) return;
    if (AComponent == FDropDownMenu)
        FDropDownMenu = nullptr;
    else if (AComponent == FMenuItem)
        SetMenuItem(nullptr);
    // Compared as components: a list on its way out is no image list any more.
    if (AComponent != nullptr && AComponent == ToolBarReference("Images")) FImageIndex = -1;
}

void TAdvCustomToolBarButton::Loaded() {
    TAdvCustomToolBarControl::Loaded();
    if (FDown != FLoadedDown) SetDown(FLoadedDown);
    if (FShaded) GenerateShade();
    AdjustSize();
}

vcl::TControlActionLinkClass TAdvCustomToolBarButton::GetActionLinkClass() {
    return [](vcl::TControl* Client) -> std::unique_ptr<vcl::TControlActionLink> {
        return std::make_unique<TAdvToolBarButtonActionLink>(Client);
    };
}

void TAdvCustomToolBarButton::ActionChange(vcl::TObject* Sender, bool CheckDefaults) {
    TAdvCustomToolBarControl::ActionChange(Sender, CheckDefaults);
    auto* a = dynamic_cast<vcl::TCustomAction*>(Sender);
    if (a == nullptr) return;
    if (CheckDefaults || FGroupIndex == 0) SetGroupIndex(a->GroupIndex());
    SetImageIndex(a->ImageIndex());
}

void TAdvCustomToolBarButton::PopupBtnDown() {
    Invalidate();
    if (OnDropDown) OnDropDown(this);
}

void TAdvCustomToolBarButton::OnDropDownHide() {
    FMousePressed = false;
    FMouseInControl = false;
    FState = absUp;
    Invalidate();
}

// ---- groups

void TAdvCustomToolBarButton::UpdateExclusive() {
    if (FGroupIndex == 0 || Parent() == nullptr) return;
    vcl::TMessage m(vcl::CM_BUTTONPRESSED, static_cast<win::WPARAM>(FGroupIndex),
                    reinterpret_cast<win::LPARAM>(this));
    Parent()->Broadcast(m);
    // A button in a container shares its group with the buttons on the toolbar itself, one in the
    // overflow window of a quick access toolbar with the buttons on the bar.
    if (FAdvToolBar != nullptr && Parent() != FAdvToolBar)
        FAdvToolBar->Broadcast(m);
    else if (FAdvToolBar == nullptr && FAdvQuickAccessToolBar != nullptr &&
             Parent() != FAdvQuickAccessToolBar)
        FAdvQuickAccessToolBar->Broadcast(m);
}

void TAdvCustomToolBarButton::ButtonPressed(vcl::TMessage& Message) {
    auto* sender = reinterpret_cast<vcl::TControl*>(Message.LParam);
    auto* other = dynamic_cast<TAdvCustomToolBarButton*>(sender);
    if (static_cast<int>(Message.WParam) != FGroupIndex || other == nullptr || other == this) return;
    if (other->FDown && FDown) {
        FDown = false;
        FState = absUp;
        if (auto* a = dynamic_cast<vcl::TCustomAction*>(Action())) a->SetChecked(false);
        Invalidate();
    }
    FAllowAllUp = other->FAllowAllUp;
}

// ---- input

vcl::TRect TAdvCustomToolBarButton::DropDownRect() const {
    vcl::TRect c{0, 0, Width(), Height()};
    if (IsHorizontal(FPosition)) return {c.Right - kDropDownWidth, c.Top, c.Right, c.Bottom};
    return {c.Left, c.Bottom - kDropDownWidth, c.Right, c.Bottom};
}

void TAdvCustomToolBarButton::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    TAdvCustomToolBarControl::MouseDown(Button, Shift, X, Y);
    if (Button != vcl::mbLeft || !Enabled() || IsDesigning()) return;
    FMousePressed = true;
    // The last 12 pixels along the toolbar are the drop-down part.
    bool onDropDown = IsHorizontal(FPosition) ? X > Width() - 13 : Y > Height() - 13;

    if (!FDropDownButton && IsMenuButton() && (FDropDownMenu != nullptr || FMenuItem != nullptr)) {
        Invalidate();
        if (!ClosedOverButton && !ToolBarDropped) {
            ClickOpened = false;
            DoDropDown();
        } else if (ClickOpened) {
            ClickOpened = false;
            DoDropDown();
        } else if (ClosedOverButton) {
            // The click that closed the menu does not open it again.
            ClosedOverButton = false;
        }
        return;
    }

    if (FDropDownButton && (onDropDown || !FDropDownSplit)) {
        FState = absUp;
        FMouseInControl = false;
        FMousePressed = false;
        PopupBtnDown();
        if (FDropDownMenu != nullptr) {
            if (FStyle == tasButton) FDown = false;
            FMenuShowing = true;
            Repaint();
            vcl::TPoint at = ClientToScreen(vcl::TPoint{0, Height()});
            if (TCustomAdvToolBarStyler* s = Styler())
                FDropDownMenu->SetMenuStyler(s->CurrentAdvMenuStyler());
            // The popup's own loop keeps the pointer; the button will not see the release.
            SetMouseCapture(false);
            FDropDownMenu->Popup(at.X, at.Y);
            FMenuShowing = false;
            Repaint();
        }
        Invalidate();
        return;
    }

    ButtonDown();
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = absDown;
        Repaint();
    }
    FDragging = true;
}

void TAdvCustomToolBarButton::DoDropDown() {
    if (!IsMenuButton()) return;
    FState = absDropDown;
    Invalidate();
    CheckMenuDropdown();
}

bool TAdvCustomToolBarButton::CheckMenuDropdown() {
    if (IsDesigning()) return false;
    if (!((FDropDownMenu != nullptr && FDropDownMenu->AutoPopup()) || FMenuItem != nullptr)) return false;
    return FAdvToolBar != nullptr && FAdvToolBar->CheckMenuDropdown(this);
}

void TAdvCustomToolBarButton::MouseMove(vcl::TShiftState Shift, int X, int Y) {
    TAdvCustomToolBarControl::MouseMove(Shift, X, Y);
    if (IsDesigning()) return;
    if (FDragging) {
        TAdvButtonState s = FDown ? absExclusive : absUp;
        if (X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight()) s = FDown ? absExclusive : absDown;
        if (FStyle == tasCheck && FDown) s = absDown;
        if (s != FState) {
            FState = s;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TAdvCustomToolBarButton::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    TAdvCustomToolBarControl::MouseUp(Button, Shift, X, Y);
    ClosedOverButton = false;
    ToolBarDropped = false;
    if (IsDesigning()) return;
    FMousePressed = false;
    Invalidate();
    if (!FDropDownButton && IsMenuButton() && (FDropDownMenu != nullptr || FMenuItem != nullptr)) return;
    if (!FDragging) return;
    FDragging = false;
    bool counts = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    if (FGroupIndex == 0) {
        FState = absUp;
        FMouseInControl = false;
        if (FStyle == tasCheck) {
            SetDown(!FDown);
            FState = absUp;
        }
        if (counts) Invalidate();
    } else if (counts) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        if (FDown) FState = absExclusive;
        Repaint();
    }
    if (counts) Click();
    UpdateTracking();
}

void TAdvCustomToolBarButton::UpdateTracking() {
    if (!FFlat || !Enabled()) return;
    win::POINT p{};
    win::GetCursorPos(&p);
    if (vcl::FindDragTarget(vcl::TPoint{p.X, p.Y}, true) != this) {
        FMouseInControl = true;
        Perform(vcl::CM_MOUSELEAVE, 0, 0);
    } else {
        Perform(vcl::CM_MOUSEENTER, 0, 0);
    }
}

// ---- hot tracking

void TAdvCustomToolBarButton::SetHot(bool Value) {
    bool old = FHot;
    FHot = Value && FState == absUp && (FAdvToolBar != nullptr || FAdvQuickAccessToolBar != nullptr);
    if (FHot || old) UpdateButtonHot();
    if (old != FHot) Invalidate();
}

void TAdvCustomToolBarButton::UpdateButtonHot() {
    if (FAdvToolBar != nullptr) FAdvToolBar->UpdateButtonHot(this);
}

void TAdvCustomToolBarButton::MouseEntered() {
    if (IsDesigning()) return;
    FMouseInControl = true;
    if (Enabled()) {
        SetHot(true);
        Invalidate();
    }
    FUnHotTimer->SetEnabled(true);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TAdvCustomToolBarButton::MouseLeft() {
    if (IsDesigning()) return;
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    // In menu mode the hot button stays hot when the pointer leaves it.
    if (FAdvToolBar == nullptr || !FAdvToolBar->MenuTracking() || !FAdvToolBar->InMenuLoop()) SetHot(false);
    if (Enabled()) Invalidate();
    if (OnMouseLeave) OnMouseLeave(this);
}

void TAdvCustomToolBarButton::UnHotTimerOnTime(vcl::TObject*) {
    win::POINT p{};
    win::GetCursorPos(&p);
    vcl::TPoint c = ScreenToClient(vcl::TPoint{p.X, p.Y});
    bool outside = !(c.X >= 0 && c.X < Width() && c.Y >= 0 && c.Y < Height());
    bool menuUp = FDropDownButton && IsMenuButton() && FMenuShowing &&
                  (FDropDownMenu != nullptr || FMenuItem != nullptr);
    // Catches a CM_MOUSELEAVE that never came.
    if (!outside && !menuUp) return;
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    SetHot(false);
    if (Enabled()) Invalidate();
}

void TAdvCustomToolBarButton::WndProc(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case vcl::CM_BUTTONPRESSED:
        ButtonPressed(Message);
        return;
    case vcl::CM_MOUSEENTER:
        TAdvCustomToolBarControl::WndProc(Message);
        if (Message.LParam == 0) MouseEntered();
        return;
    case vcl::CM_MOUSELEAVE:
        TAdvCustomToolBarControl::WndProc(Message);
        if (Message.LParam == 0) MouseLeft();
        return;
    case vcl::CM_TEXTCHANGED:
        TAdvCustomToolBarControl::WndProc(Message);
        AdjustSize();
        Invalidate();
        return;
    case vcl::CM_FONTCHANGED:
        TAdvCustomToolBarControl::WndProc(Message);
        AdjustSize();
        Invalidate();
        return;
    case vcl::CM_ENABLEDCHANGED:
        TAdvCustomToolBarControl::WndProc(Message);
        Invalidate();
        return;
    default:
        TAdvCustomToolBarControl::WndProc(Message);
    }
}

// ---- TAdvToolBarButton

KV_PUBLISHED(TAdvToolBarButton) {
    using B = TAdvToolBarButton;
    p.Bool("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp, false);
    p.Bool("AutoSize", &B::AutoSize, &B::SetAutoSize, true);
    p.Object("Appearance", &B::Appearance);
    p.Enum("GlyphPosition", &B::GlyphPosition, &B::SetGlyphPosition, gpLeft);
    p.Int("GroupIndex", &B::GroupIndex, &B::SetGroupIndex, 0);
    p.Bool("Down", &B::Down, &B::SetDown, false);
    p.Bool("DropDownButton", &B::DropDownButton, &B::SetDropDownButton, false);
    p.Ref("DropDownMenu", &B::FDropDownMenu, &B::SetDropDownMenu);
    p.Bool("DropDownSplit", &B::DropDownSplit, &B::SetDropDownSplit, true);
    p.Str("Caption", &B::Caption, &B::SetCaption);
    p.Object("DrawPosition", &B::DrawPosition);
    p.Object("Glyph", &B::Glyph);
    p.Object("GlyphHot", &B::GlyphHot);
    p.Object("GlyphDown", &B::GlyphDown);
    p.Object("GlyphDisabled", &B::GlyphDisabled);
    p.Object("GlyphChecked", &B::GlyphChecked);
    p.Int("ImageIndex", &B::ImageIndex, &B::SetImageIndex, -1);
    p.Object("Picture", &B::Picture);
    p.Object("PictureDisabled", &B::PictureDisabled);
    p.Bool("ParentStyler", &B::ParentStyler, &B::SetParentStyler, true);
    p.Bool("Shaded", &B::Shaded, &B::SetShaded, true);
    p.Bool("ShowCaption", &B::ShowCaption, &B::SetShowCaption, false);
    p.Object("OfficeHint", &B::OfficeHint);
    p.Enum("Style", &B::Style, &B::SetStyle, tasButton);
    p.Str("Version", &B::Version, &B::SetVersion);
    p.Event("OnMouseEnter", &B::OnMouseEnter);
    p.Event("OnMouseLeave", &B::OnMouseLeave);
    p.Event("OnDropDown", &B::OnDropDown);
}

void TAdvCustomToolBarButton::Click() {
    TAdvCustomToolBar* bar = FAdvToolBar;
    if (bar != nullptr)
        bar->HideOptionWindow();
    else if (FAdvQuickAccessToolBar != nullptr)
        FAdvQuickAccessToolBar->HideOverflowWindow();
    TAdvCustomToolBarControl::Click();
    if (bar != nullptr) bar->UpControlInRUL(this);
}

KV_REGISTER_CLASS(TAdvToolBarButton)

} // namespace AdvToolBar
