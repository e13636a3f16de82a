#include "components/foundation/AdvGlowButton.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/win/WinUser.h"

namespace AdvGlowButton {

using namespace vcl;

KV_PUBLISHED(TAdvCustomGlowButton) {
    using B = TAdvCustomGlowButton;
    p.Str("Caption", &B::GetCaptionText, &B::SetCaptionText);
    p.Enum("BorderStyle", &B::FBorderStyle, &B::SetBorderStyle, bsSingle);
    p.Bool("Cancel", &B::FCancel, nullptr, false);
    p.Bool("Default", &B::FDefault, nullptr, false);
    p.Object("DisabledPicture", &B::FDisabledPicture);
    p.Enum("FocusType", &B::FFocusType, nullptr, ftBorder);
    p.Object("HotPicture", &B::FHotPicture);
    p.Int("MarginVert", &B::FMarginVert, &B::SetMarginVert, 2);
    p.Int("MarginHorz", &B::FMarginHorz, &B::SetMarginHorz, 2);
    p.Int("ModalResult", &B::FModalResult, nullptr, 0);
    p.Strings("Notes", &B::FNotes);
    p.Object("NotesFont", &B::FNotesFont);
    p.Object("OfficeHint", &B::FOfficeHint);
    p.Object("Picture", &B::FPicture);
    p.Enum("Position", &B::FPosition, &B::SetButtonPosition, bpStandalone);
    p.Int("InitRepeatPause", &B::FInitRepeatPause, nullptr, 400);
    p.Int("RepeatPause", &B::FRepeatPause, nullptr, 100);
    p.Bool("RepeatClick", &B::FRepeatClick, nullptr, false);
    p.Bool("Rounded", &B::FRounded, &B::SetRounded, true);
    p.Str("ShortCutHint", &B::FShortCutHint, nullptr);
    p.Enum("ShortCutHintPos", &B::FShortCutHintPos, nullptr, shpTop);
    p.Bool("ShowCaption", &B::FShowCaption, &B::SetShowCaption, true);
    p.Bool("ShowDisabled", &B::FShowDisabled, &B::SetShowDisabled, true);
    p.Int("Spacing", &B::FSpacing, &B::SetSpacing, 2);
    p.Bool("Transparent", &B::FTransparent, nullptr, false);
    // Read-only: writes are ignored and layouts never hold it.
    p.Str("Version", &B::GetVersion, &B::SetVersion).Stored(&B::NeverStored);
    p.Bool("WordWrap", &B::FWordWrap, &B::SetWordWrap, true);
    p.Event("OnDropDown", &B::OnDropDown);
}

KV_PUBLISHED(TAdvGlowButton) {
    using B = TAdvGlowButton;
    p.Bool("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp, false);
    p.Object("Appearance", &B::Appearance);
    p.Bool("Down", &B::Down, &B::SetDown, false);
    p.Int("GroupIndex", &B::GroupIndex, &B::SetGroupIndex, 0);
    p.Enum("Layout", &B::Layout, &B::SetLayout, blGlyphLeft);
    p.Enum("Style", &B::Style, &B::SetStyle, bsButton);
    p.Enum("MaxButtonSizeState", &B::MaxButtonSizeState, &B::SetMaxButtonSizeState, bsLarge);
    p.Enum("MinButtonSizeState", &B::MinButtonSizeState, &B::SetMinButtonSizeState, bsGlyph);
    p.Bool("DropDownButton", &B::DropDownButton, &B::SetDropDownButton, false);
    p.Enum("DropDownPosition", &B::DropDownPosition, &B::SetDropDownPosition, dpRight);
    p.Enum("DropDownDirection", &B::DropDownDirection, &B::SetDropDownDirection, ddDown);
    p.Bool("DropDownSplit", &B::DropDownSplit, &B::SetDropDownSplit, true);
}

KV_REGISTER_CLASS(TAdvGlowButton)

TAdvCustomGlowButton::TAdvCustomGlowButton(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<TGlowButtonAppearance>()),
      FPicture(std::make_unique<GDIPicture::TGDIPPicture>()),
      FDisabledPicture(std::make_unique<GDIPicture::TGDIPPicture>()),
      FHotPicture(std::make_unique<GDIPicture::TGDIPPicture>()),
      FOfficeHint(std::make_unique<AdvHintInfo::TAdvHintInfo>()), FNotes(std::make_unique<TStringList>()),
      FNotesFont(std::make_unique<TFont>()) {
    FAppearance->OnChange = [this](TObject*) { Invalidate(); };
    FPicture->OnChange = [this](TObject*) { PerformResize(); };
    FDisabledPicture->OnChange = [this](TObject*) { PerformResize(); };
    FNotesFont->SetName("Tahoma");
    FNotesFont->SetSize(8);
    FNotesFont->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(Left(), Top(), 100, 41);
    SetDoubleBuffered(true);
}

TAdvCustomGlowButton::~TAdvCustomGlowButton() {
    // The owned parts call back into the button: silence them before they go.
    FAppearance->OnChange = nullptr;
    FPicture->OnChange = nullptr;
    FDisabledPicture->OnChange = nullptr;
    FNotesFont->OnChange = nullptr;
}

bool TAdvCustomGlowButton::IsLoading() const {
    return ComponentState().Contains(csLoading);
}

// ---- Setters

void TAdvCustomGlowButton::SetDisabledPicture(GDIPicture::TGDIPPicture* Value) {
    FDisabledPicture->Assign(Value);
    Invalidate();
}

void TAdvCustomGlowButton::SetNotes(TStrings* Value) {
    FNotes->Assign(Value);
    Invalidate();
}

void TAdvCustomGlowButton::SetNotesFont(TFont* Value) {
    FNotesFont->Assign(Value);
    Invalidate();
}

void TAdvCustomGlowButton::SetLayout(TButtonLayout Value) {
    FLayout = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetButtonPosition(TButtonPosition Value) {
    FPosition = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetSpacing(int Value) {
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetMarginHorz(int Value) {
    if (FMarginHorz == Value) return;
    FMarginHorz = Value;
    PerformResize();
}

void TAdvCustomGlowButton::SetMarginVert(int Value) {
    if (FMarginVert == Value) return;
    FMarginVert = Value;
    PerformResize();
}

void TAdvCustomGlowButton::SetRounded(bool Value) {
    if (FRounded == Value) return;
    FRounded = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetShowCaption(bool Value) {
    FShowCaption = Value;
    PerformResize();
    Invalidate();
}

void TAdvCustomGlowButton::SetShowDisabled(bool Value) {
    FShowDisabled = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetDropDownButton(bool Value) {
    if (FDropDownButton == Value) return;
    FDropDownButton = Value;
    SetBounds(Left(), Top(), Width(), Height());
    Invalidate();
}

void TAdvCustomGlowButton::SetDropDownPosition(TDropDownPosition Value) {
    if (FDropDownPosition == Value) return;
    FDropDownPosition = Value;
    if (FDropDownButton) SetBounds(Left(), Top(), Width(), Height());
    Invalidate();
}

void TAdvCustomGlowButton::SetDropDownDirection(TDropDownDirection Value) {
    if (FDropDownDirection == Value) return;
    FDropDownDirection = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetMaxButtonSizeState(TButtonSizeState Value) {
    if (FMaxButtonSizeState == Value) return;
    FMaxButtonSizeState = Value;
    FButtonSizeState = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetMinButtonSizeState(TButtonSizeState Value) {
    if (FMinButtonSizeState == Value) return;
    FMinButtonSizeState = Value;
    if (FButtonSizeState < Value) {
        FButtonSizeState = Value;
        Invalidate();
    }
}

void TAdvCustomGlowButton::SetAntiAlias(AdvGDIP::TAntiAlias Value) {
    if (FAntiAlias == Value) return;
    FAntiAlias = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetBorderStyle(TBorderStyle Value) {
    FBorderStyle = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetTrimming(AdvGDIP::StringTrimming Value) {
    if (FTrimming == Value) return;
    FTrimming = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetWideCaption(const String& Value) {
    if (FWideCaption == Value) return;
    FWideCaption = Value;
    PerformResize();
}

void TAdvCustomGlowButton::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TAdvCustomGlowButton*>(Source);
    if (!s) {
        TCustomControl::Assign(Source);
        return;
    }
    SetAlign(s->Align());
    SetAction(s->Action());
    SetAnchors(s->Anchors());
    SetAntiAlias(s->FAntiAlias);
    SetBorderStyle(s->FBorderStyle);
    SetCancel(s->FCancel);
    SetCaption(s->Caption());
    Constraints()->Assign(s->Constraints());
    SetDefault(s->FDefault);
    Font()->Assign(s->Font());
    SetPicture(s->Picture());
    SetDisabledPicture(s->DisabledPicture());
    SetHotPicture(s->HotPicture());
    SetFocusType(s->FFocusType);
    SetMarginVert(s->FMarginVert);
    SetMarginHorz(s->FMarginHorz);
    SetModalResult(s->FModalResult);
    SetNotes(s->Notes());
    SetNotesFont(s->NotesFont());
    SetOfficeHint(s->OfficeHint());
    SetParentFont(s->ParentFont());
    SetPopupMenu(s->PopupMenu());
    SetButtonPosition(s->FPosition);
    SetInitRepeatPause(s->FInitRepeatPause);
    SetRepeatPause(s->FRepeatPause);
    SetRepeatClick(s->FRepeatClick);
    SetRounded(s->FRounded);
    SetShortCutHint(s->FShortCutHint);
    SetShortCutHintPos(s->FShortCutHintPos);
    SetShowCaption(s->FShowCaption);
    SetShowDisabled(s->FShowDisabled);
    SetSpacing(s->FSpacing);
    SetTransparent(s->FTransparent);
    SetTrimming(s->FTrimming);
    SetWordWrap(s->FWordWrap);
    SetShowHint(s->ShowHint());
    SetTabOrder(s->TabOrder());
    SetTabStop(s->TabStop());
    SetVisible(s->Visible());
}

void TAdvCustomGlowButton::PerformResize() {
    Invalidate();
}

// ---- Down and groups

void TAdvCustomGlowButton::SetDown(bool Value) {
    if (IsLoading()) FDownKept = Value;
    if (FGroupIndex == 0 && FStyle == bsButton) Value = false;
    if (FStyle == bsCheck) {
        FDown = Value;
        FState = Value ? absDown : absUp;
        Repaint();
        return;
    }
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return; // the last one down of a group stays down
    FDown = Value;
    if (Value) {
        if (FState == absUp) Invalidate();
        FState = absExclusive;
    } else {
        FState = absUp;
        Repaint();
    }
    if (Value && !FCheckedLinked) UpdateExclusive();
}

void TAdvCustomGlowButton::SetGroupIndex(int Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TAdvCustomGlowButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TAdvCustomGlowButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage msg(CM_BUTTONPRESSED, static_cast<win::WPARAM>(FGroupIndex),
                 reinterpret_cast<win::LPARAM>(this));
    Parent()->Broadcast(msg);
}

void TAdvCustomGlowButton::CMButtonPressed(TMessage& Message) {
    TCMButtonPressed m(Message);
    if (m.Index != FGroupIndex || m.Control == this) return;
    auto* sender = dynamic_cast<TAdvCustomGlowButton*>(m.Control);
    if (sender && sender->Down() && FDown) {
        FDown = false;
        FState = absUp;
        Invalidate();
    }
}

void TAdvCustomGlowButton::Loaded() {
    TCustomControl::Loaded();
    if (FDownKept != FDown) SetDown(FDownKept);
}

// ---- Clicking

void TAdvCustomGlowButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) {
        if (FModalResult != 0) form->SetModalResult(FModalResult);
    }
    if (OnInternalClick) OnInternalClick(this);
    TCustomControl::Click();
}

void TAdvCustomGlowButton::InternalClick() {
    if (IsMenuButton() && !FDropDownButton) return;
    if (FDropDownButton && !FDropDownSplit && FStyle != bsCheck && FGroupIndex == 0) return;
    if (FStyle == bsCheck) SetDown(!FDown);
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (FStyle == bsCheck) {
        FState = absDown;
        Repaint();
    }
    Click();
}

void TAdvCustomGlowButton::TimerExpired(TObject*) {
    FRepeatTimer->SetInterval(static_cast<unsigned>(FRepeatPause));
    if (FPressed && MouseCapture()) Click();
}

// ---- Mouse

void TAdvCustomGlowButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (FRepeatClick) {
        if (!FRepeatTimer) {
            FRepeatTimer = new TTimer(this);
            FRepeatTimer->OnTimer = [this](TObject* Sender) { TimerExpired(Sender); };
        }
        FRepeatTimer->SetInterval(static_cast<unsigned>(FInitRepeatPause));
        FRepeatTimer->SetEnabled(true);
    }
    FPressed = true;
    FCaptured = true;
    if (TabStop() && CanFocus()) SetFocus();
    FGlowState = gsPush;
    FPushProgress = 100;

    const bool inDropPart = (FDropDownPosition == dpRight && X > Width() - 13) ||
                            (FDropDownPosition == dpBottom && Y > Height() - 13);
    const bool dropDown = (IsMenuButton() && !FDropDownButton) ||
                          (FDropDownButton && FDropDownSplit && inDropPart) ||
                          (FDropDownButton && !FDropDownSplit && FStyle != bsCheck && FGroupIndex <= 0);
    if (dropDown) {
        FHot = false;
        if (OnDropDown) OnDropDown(this);
        Invalidate();
        return;
    }
    if (FStyle == bsCheck) SetDown(!FDown);
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (FStyle == bsCheck) {
        FState = absDown;
        Repaint();
    }
    FMouseDown = true;
}

void TAdvCustomGlowButton::WMLButtonUp(TMessage& Message) {
    const TWMMouse m(Message);
    FGlowState = gsPush;
    FPushProgress = 0;
    FCaptured = false;
    FReleasedOutside = false;
    if (!(IsMenuButton() && !FDropDownButton) && FMouseDown) {
        FMouseDown = false;
        const bool inside = m.XPos >= 0 && m.XPos < ClientWidth() && m.YPos >= 0 && m.YPos <= ClientHeight();
        if (FGroupIndex != 0) {
            if (FCheckedLinked || FGroupLinked) {
                TCustomControl::WndProc(Message);
                return;
            }
            if (inside) {
                SetDown(!FDown);
                if (FDown) Repaint();
            } else if (FDown) {
                FState = absExclusive;
                Repaint();
            }
        } else {
            FState = absUp;
            FHot = false;
            if (FStyle == bsCheck && (FCheckedLinked || FGroupLinked)) {
                TCustomControl::WndProc(Message);
                return;
            }
            if (FStyle == bsCheck && !inside && FDown) {
                SetDown(!FDown);
                Repaint();
            } else if (inside && FState != absDown && FState != absExclusive) {
                Invalidate();
            }
            // The pointer may have left while captured: put the hover look right.
            FHot = inside;
            FMouseInside = inside;
        }
    }
    FPressed = false;
    TCustomControl::WndProc(Message); // the framework's handling: the click
    if (FStyle == bsCheck || FGroupIndex != 0) Repaint();
    Invalidate();
}

void TAdvCustomGlowButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TAdvCustomGlowButton::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (ComponentState().Contains(csDesigning)) return;
    const bool over = FDropDownButton && ((FDropDownPosition == dpRight && X > Width() - 12) ||
                                          (FDropDownPosition == dpBottom && Y > Height() - 12));
    if (over != FOverDropPart) {
        FOverDropPart = over;
        Invalidate();
    }
    if (!FMouseDown) return;
    const TAdvButtonState old = FState;
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
    if (inside)
        FState = FDown ? absExclusive : absDown;
    else
        FState = FDown ? absExclusive : absUp;
    if (FDown && FStyle == bsCheck) FState = absDown;
    if (FState != old) Invalidate();
}

void TAdvCustomGlowButton::CMMouseEnter(TMessage& Message) {
    TCustomControl::WndProc(Message); // the framework's handling raises OnMouseEnter
    if (ComponentState().Contains(csDesigning) || FMouseInside) return;
    if (FReleasedOutside) FPressed = true;
    FHoverProgress = 100;
    Invalidate();
    FHot = true;
    FMouseInside = true;
}

void TAdvCustomGlowButton::CMMouseLeave(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if (ComponentState().Contains(csDesigning) || !FMouseInside) return;
    FMouseInside = false;
    FHot = false;
    FOverDropPart = false;
    if (FPressed && FCaptured) FReleasedOutside = true;
    FPressed = false;
    FHoverProgress = 0;
    Invalidate();
}

// ---- Keys and focus

void TAdvCustomGlowButton::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == win::VK_RETURN || Key == win::VK_SPACE) {
        FPressed = true;
        FState = absDown;
        Repaint();
    }
    if (OnInternalKeyDown) OnInternalKeyDown(this, Key, Shift);
}

void TAdvCustomGlowButton::KeyUp(Word& Key, TShiftState Shift) {
    TCustomControl::KeyUp(Key, Shift);
    if (!FPressed) return;
    FPressed = false;
    FState = absUp;
    Repaint();
}

void TAdvCustomGlowButton::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    const bool clicked = FDialogKeyClicked;
    FDialogKeyClicked = false;
    if (Key == U'\r' && clicked) return;
    // Through Click, so that the action and the toolbar's hook run as for a mouse click.
    if (Key == U'\r' || Key == U' ') Click();
}

void TAdvCustomGlowButton::CMDialogKey(TMessage& Message) {
    const TCMDialogKey key(Message);
    const bool noShift = (win::GetKeyState(win::VK_SHIFT) & 0x8000) == 0 &&
                         (win::GetKeyState(win::VK_CONTROL) & 0x8000) == 0 &&
                         (win::GetKeyState(win::VK_MENU) & 0x8000) == 0;
    if (((key.CharCode == win::VK_RETURN && FActiveDefault) || (key.CharCode == win::VK_ESCAPE && FCancel)) &&
        noShift && CanFocus()) {
        // The key's character still follows; it must not click a second time.
        FDialogKeyClicked = key.CharCode == win::VK_RETURN;
        InternalClick();
        Message.Result = 1;
        return;
    }
    TCustomControl::WndProc(Message);
}

void TAdvCustomGlowButton::CMFocusChanged(TMessage& Message) {
    const TCMFocusChanged m(Message);
    if (auto* b = dynamic_cast<TAdvCustomGlowButton*>(m.Sender))
        FActiveDefault = b == this;
    else
        FActiveDefault = FDefault;
    TCustomControl::WndProc(Message);
}

void TAdvCustomGlowButton::CMDialogChar(TMessage& Message) {
    const TCMDialogChar key(Message);
    if (IsAccel(key.CharCode, Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TCustomControl::WndProc(Message);
}

void TAdvCustomGlowButton::DoEnter() {
    TCustomControl::DoEnter();
    Invalidate();
}

void TAdvCustomGlowButton::DoExit() {
    TCustomControl::DoExit();
    FPressed = false;
    FState = absUp;
    Invalidate();
}

bool TAdvCustomGlowButton::CanDrawFocused() {
    return Focused() && (FFocusType == ftBorder || FFocusType == ftHotBorder);
}

void TAdvCustomGlowButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_LBUTTONUP:
        WMLButtonUp(Message);
        return;
    case CM_MOUSEENTER:
        CMMouseEnter(Message);
        return;
    case CM_MOUSELEAVE:
        CMMouseLeave(Message);
        return;
    case CM_BUTTONPRESSED:
        CMButtonPressed(Message);
        return;
    case CM_DIALOGKEY:
        CMDialogKey(Message);
        return;
    case CM_FOCUSCHANGED:
        CMFocusChanged(Message);
        return;
    case CM_DIALOGCHAR:
        CMDialogChar(Message);
        return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

// ---- Look

TGlowColorSet TAdvCustomGlowButton::CurrentColors() const {
    if (!Enabled()) return FAppearance->DisabledColors();
    if (FState == absDown || (FPressed && FMouseInside)) return FAppearance->DownColors();
    if (FDown || FState == absExclusive) return FAppearance->CheckedColors();
    if (FHot) return FAppearance->HotColors();
    return FAppearance->NormalColors();
}

void TAdvCustomGlowButton::Paint() {
    DrawPlainFace();
}

void TAdvCustomGlowButton::DrawPlainFace() {
    TCanvas* c = Canvas();
    const TRect r = GetClientRect();
    const TGlowColorSet colors = CurrentColors();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(colors.Color);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(CanDrawBorder() ? colors.BorderColor : colors.Color);
    c->Rectangle(r);

    GDIPicture::TGDIPPicture* glyph = FPicture.get();
    if (!Enabled() && !FDisabledPicture->Empty()) glyph = FDisabledPicture.get();
    if (FHot && !FHotPicture->Empty()) glyph = FHotPicture.get();
    int gw = 0, gh = 0;
    if (!glyph->Empty() && glyph->GetImageSizes()) {
        gw = glyph->Width();
        gh = glyph->Height();
    }

    c->Font()->Assign(Font());
    if (!Enabled()) c->Font()->SetColor(0x808080);
    const String caption = !FShowCaption ? String() : !Caption().empty() ? Caption() : FWideCaption;
    const int tw = caption.empty() ? 0 : c->TextWidth(StripHotKey(caption));
    const int th = caption.empty() ? 0 : c->TextHeight("Wg");
    const bool vertical = FLayout == blGlyphTop || FLayout == blGlyphTopAdjusted ||
                          FLayout == blGlyphBottom || FLayout == blGlyphBottomAdjusted;
    const bool adjusted = FLayout == blGlyphLeftAdjusted;
    const int gap = (gw > 0 && tw > 0) ? FSpacing * 2 : 0;

    int gx = 0, gy = 0, tx = 0, ty = 0;
    if (vertical) {
        const int total = gh + gap + th;
        gx = (r.Width() - gw) / 2;
        gy = (r.Height() - total) / 2;
        tx = (r.Width() - tw) / 2;
        ty = gy + gh + gap;
    } else {
        const int total = gw + gap + tw;
        gx = adjusted ? FMarginHorz + FSpacing : (r.Width() - total) / 2;
        gy = (r.Height() - gh) / 2;
        tx = gx + gw + gap;
        ty = (r.Height() - th) / 2;
    }
    if (gw > 0) glyph->Draw(c, TRect(gx, gy, gx + gw, gy + gh));
    if (tw > 0) {
        c->Brush()->SetStyle(bsClear);
        TRect tr(tx, ty, r.Right - FMarginHorz, ty + th);
        String text = caption;
        c->TextRect(tr, text, {tfSingleLine, tfLeft, tfTop});
    }
    if (CanDrawFocused()) {
        const TRect fr(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3);
        c->Brush()->SetStyle(bsSolid);
        c->DrawFocusRect(fr);
    }
}

// ---- Style presets

void TAdvCustomGlowButton::SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) {
    using namespace AdvStyleIF;
    if (AStyle == tsCustom) return;
    TGlowButtonAppearance& a = *FAppearance;
    // The hot and down faces (colour, colour to, mirror, mirror to, border) and the checked face (without
    // border), all with vertical gradients.
    auto states = [&a](const TColor(&hot)[5], const TColor(&down)[5], const TColor(&checked)[4]) {
        a.SetColorHot(hot[0]);
        a.SetColorHotTo(hot[1]);
        a.SetColorMirrorHot(hot[2]);
        a.SetColorMirrorHotTo(hot[3]);
        a.SetBorderColorHot(hot[4]);
        a.SetColorDown(down[0]);
        a.SetColorDownTo(down[1]);
        a.SetColorMirrorDown(down[2]);
        a.SetColorMirrorDownTo(down[3]);
        a.SetBorderColorDown(down[4]);
        a.SetColorChecked(checked[0]);
        a.SetColorCheckedTo(checked[1]);
        a.SetColorMirrorChecked(checked[2]);
        a.SetColorMirrorCheckedTo(checked[3]);
        a.SetGradientHot(ggVertical);
        a.SetGradientMirrorHot(ggVertical);
        a.SetGradientDown(ggVertical);
        a.SetGradientMirrorDown(ggVertical);
        a.SetGradientChecked(ggVertical);
        a.SetGradientMirrorChecked(ggVertical);
    };
    auto hotDownChecked = [&states] {
        states({0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0x99CEDB},
               {0x76AFF1, 0x4190F3, 0x0E72F1, 0x4C9FFD, 0x45667B}, {0xB5DBFB, 0x78C7FE, 0x9FEBFD, 0x56B4FE});
    };
    auto face = [&a](TColor c, TColor cTo, TColor m, TColor mTo, TColor border) {
        a.SetColor(c);
        a.SetColorTo(cTo);
        a.SetColorMirror(m);
        a.SetColorMirrorTo(mTo);
        a.SetBorderColor(border);
        a.SetGradient(ggVertical);
        a.SetGradientMirror(ggVertical);
    };
    if (AStyle == tsOffice2003Blue || AStyle == tsOffice2003Silver || AStyle == tsOffice2003Olive ||
        AStyle == tsWhidbey)
        hotDownChecked();
    switch (AStyle) {
    case tsOffice2003Blue:
        face(0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B);
        break;
    case tsOffice2003Silver:
        face(0xEDD4C0, 0xE6D8D8, 0xEDD4C0, 0xC8B2B3, 0x927476);
        break;
    case tsOffice2003Olive:
        face(0xCFF0EA, 0xCFF0EA, 0xCFF0EA, 0x8CC0B1, 0x8CC0B1);
        break;
    case tsOffice2003Classic:
        face(0xFFFFFF, 0xC9D1D5, 0xFFFFFF, 0xC9D1D5, 0x000000);
        hotDownChecked();
        break;
    case tsOffice2007Luna:
        face(0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B);
        hotDownChecked();
        a.SetBorderColorChecked(0x45667B);
        break;
    case tsOffice2007Obsidian:
        face(0xDFDED6, 0xE4E2DB, 0xD7D5CE, 0xE7E5E0, 0xC0BCB2);
        hotDownChecked();
        a.SetBorderColorChecked(0x45667B);
        break;
    case tsWindowsXP:
        face(0xFFFFFF, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC);
        states({0xEFD3C6, 0xEFD3C6, 0xEFD3C6, 0xEFD3C6, clHighlight},
               {0xB59284, 0xB59284, 0xB59284, 0xB59284, clHighlight},
               {0xB9D8DC, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC});
        a.SetBorderColorChecked(0x000000);
        break;
    case tsWhidbey:
        face(0xFFFFFF, 0xDFEDF0, 0xDFEDF0, 0xDFEDF0, 0x99A8AC);
        break;
    case tsOffice2007Silver:
        face(0xF3F3F1, 0xF5F5F3, 0xEEEAE7, 0xF8F7F6, 0xCCCAC9);
        hotDownChecked();
        a.SetBorderColorChecked(0x45667B);
        break;
    default:
        break;
    }
    Invalidate();
}

} // namespace AdvGlowButton
