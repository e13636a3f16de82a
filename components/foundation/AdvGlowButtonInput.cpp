// The glow button's behaviour: clicks, the fade timer, mouse, keys, the drop-down menu and key tips.

#include "components/foundation/AdvGlowButton.h"

#include "components/foundation/GlowKeyTip.h"
#include "platform/win/Input.h"
#include "platform/win/WinUser.h"

namespace AdvGlowButton {

using namespace vcl;

namespace {

constexpr int FadeStep = 20;

bool KeyHeld(int VirtualKey) {
    return (win::GetKeyState(VirtualKey) & 0x8000) != 0;
}

} // namespace

// ---- Clicking

void TAdvCustomGlowButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) {
        if (FModalResult != 0) form->SetModalResult(FModalResult);
    }
    if (OnInternalClick) OnInternalClick(this);
    TCustomControl::Click();
}

void TAdvCustomGlowButton::ShowPressed() {
    if (FStyle == bsCheck) SetDown(!FDown);
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (FStyle == bsCheck) {
        FState = absDown;
        Repaint();
    }
}

void TAdvCustomGlowButton::InternalClick() {
    if (IsMenuButton() && !FDropDownButton) return;
    if (FDropDownButton && !FDropDownSplit && FStyle != bsCheck && FGroupIndex == 0) return;
    ShowPressed();
    Click();
}

void TAdvCustomGlowButton::TimerExpired(TObject*) {
    FRepeatTimer->SetInterval(static_cast<unsigned>(FRepeatPause));
    if (FPressed && MouseCapture()) Click();
}

// ---- Fades

void TAdvCustomGlowButton::EnsureFadeTimer() {
    if (FTimer) return;
    FTimer = new TTimer(this);
    FTimer->SetInterval(static_cast<unsigned>(AdvGDIP::GlowSpeed));
    FTimer->OnTimer = [this](TObject*) { TimerProc(); };
    FTimer->SetEnabled(true);
}

void TAdvCustomGlowButton::FreeFadeTimer() {
    TTimer* t = FTimer;
    FTimer = nullptr;
    delete t;
}

// One fade step. The step that passes an end clamps the progress there and stops the fade; as a rule the
// previous step already painted the end look, so it repaints only where the look without the fade differs
// (a press released outside ends its fade on a hover progress the leave left half-way).
void TAdvCustomGlowButton::TimerProc() {
    if (FGlowState == gsNone) return;
    int& progress = FGlowState == gsHover ? FHoverProgress : FPushProgress;
    progress += FStep;
    const bool pastTop = FStep > 0 && progress > 100;
    const bool pastBottom = FStep < 0 && progress < 0;
    if (!pastTop && !pastBottom) {
        Invalidate();
        return;
    }
    progress = pastTop ? 100 : 0;
    if (FGlowState == gsPush && pastBottom) {
        FPressed = false;
        FReleasedOutside = false;
    }
    FGlowState = gsNone;
    bool wasEmphasised = false, isEmphasised = false;
    const TGlowColorSet shown = FaceColors(wasEmphasised);
    FreeFadeTimer(); // the timer allows its handler to free it
    const TGlowColorSet now = FaceColors(isEmphasised);
    if (shown != now || wasEmphasised != isEmphasised) Invalidate();
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
    EnsureFadeTimer();
    FStep = FadeStep;
    FGlowState = gsPush;

    const bool inDropPart = (FDropDownPosition == dpRight && X > Width() - DropDownPartSize) ||
                            (FDropDownPosition == dpBottom && Y > Height() - DropDownPartSize);
    const bool dropDown = (IsMenuButton() && !FDropDownButton) ||
                          (FDropDownButton && FDropDownSplit && inDropPart) ||
                          (FDropDownButton && !FDropDownSplit && FStyle != bsCheck && FGroupIndex <= 0);
    if (dropDown) {
        FHot = false;
        if (OnDropDown) OnDropDown(this);
        if (FDropDownMenu) {
            FPressed = false;
            FHovering = false;
            FDroppedDown = true;
            FMouseInside = true;
            Repaint();
            PopupMenuAt();
            // The press that opened the menu is spent: its release, taken by the menu, must not
            // click the button afterwards.
            Perform(win::WM_CANCELMODE, 0, 0);
            FDroppedDown = false;
            win::POINT p{};
            win::GetCursorPos(&p);
            if (FindDragTarget(TPoint{p.X, p.Y}, true) != this) {
                FMouseInside = false;
                FHot = false;
                FHovering = false;
                FOverDropPart = false;
            }
            Repaint();
        }
        Invalidate();
        return;
    }
    ShowPressed();
    FMouseDown = true;
}

void TAdvCustomGlowButton::WMLButtonUp(TMessage& Message) {
    const TWMMouse m(Message);
    FStep = -FadeStep;
    FGlowState = gsPush;
    FCaptured = false;
    FReleasedOutside = false;
    EnsureFadeTimer();
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
            UpdateTracking();
        }
    }
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
    // The hover look of the drop-down part starts one pixel further in than a press drops it down.
    const bool over =
        FDropDownButton && ((FDropDownPosition == dpRight && X > Width() - DropDownStripSize) ||
                            (FDropDownPosition == dpBottom && Y > Height() - DropDownStripSize));
    if (over != FOverDropPart) {
        FOverDropPart = over;
        Invalidate();
    }
    if (!FMouseDown) {
        if (!FHot) UpdateTracking();
        return;
    }
    const TAdvButtonState old = FState;
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
    if (inside)
        FState = FDown ? absExclusive : absDown;
    else
        FState = FDown ? absExclusive : absUp;
    if (FDown && FStyle == bsCheck) FState = absDown;
    if (FState != old) Invalidate();
}

void TAdvCustomGlowButton::UpdateTracking() {
    if (!Enabled()) return;
    win::POINT p{};
    win::GetCursorPos(&p);
    const bool inside = FindDragTarget(TPoint{p.X, p.Y}, true) == this;
    if (inside == FHot) return;
    FHot = inside;
    Perform(inside ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TAdvCustomGlowButton::CMMouseEnter(TMessage& Message) {
    TCustomControl::WndProc(Message); // the framework's handling raises OnMouseEnter
    if (ComponentState().Contains(csDesigning) || FMouseInside) return;
    FHovering = true;
    if (FReleasedOutside) FPressed = true;
    EnsureFadeTimer();
    // The hover fade goes on upwards from where it is (a leave may have started it downwards).
    if (!FPressed && FGlowState != gsPush) {
        FStep = FadeStep;
        FGlowState = gsHover;
    }
    Invalidate();
    FHot = true;
    FMouseInside = true;
}

void TAdvCustomGlowButton::CMMouseLeave(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if (ComponentState().Contains(csDesigning) || !FMouseInside) return;
    FMouseInside = false;
    FHot = false;
    FHovering = false;
    FOverDropPart = false;
    if (FPressed && FCaptured) {
        FPressed = false;
        FStep = -FadeStep;
        FGlowState = gsHover;
        FReleasedOutside = true;
    } else {
        FPressed = false;
        FHoverProgress = 100;
        FStep = -FadeStep;
        FGlowState = gsHover;
    }
    Invalidate();
    EnsureFadeTimer();
}

// ---- Drop-down

void TAdvCustomGlowButton::PopupMenuAt() {
    const TPoint p = FDropDownDirection == ddDown ? ClientToScreen(TPoint{0, Height()})
                                                  : ClientToScreen(TPoint{Width(), 0});
    FDropDownMenu->SetPopupComponent(this);
    FDropDownMenu->Popup(p.X, p.Y);
}

void TAdvCustomGlowButton::PopupBtnDown() {
    if (OnDropDown) OnDropDown(this);
}

void TAdvCustomGlowButton::DoDropDown() {
    if (!IsMenuButton() && !FDropDownMenu) return;
    if (FDropDownMenu) {
        FState = absDown;
        PopupBtnDown();
        Invalidate();
        FDroppedDown = true;
        PopupMenuAt();
        FDroppedDown = false;
        FState = absUp;
        Repaint();
    }
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
    if (Key == win::VK_F4) DoDropDown();
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
    const bool noShift = !KeyHeld(win::VK_SHIFT) && !KeyHeld(win::VK_CONTROL) && !KeyHeld(win::VK_MENU);
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
    if (IsAccel(key.Char, Caption()) && CanFocus()) {
        // A button with a menu opens it, as F4 does.
        if (IsMenuButton() || FDropDownMenu)
            DoDropDown();
        else
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

// ---- Key tips

void TAdvCustomGlowButton::ShowShortCutHint() {
    if (!FShortCutHintWindow) {
        FShortCutHintWindow = new TShortCutHintWindow(this);
        FShortCutHintWindow->SetParent(this);
        FShortCutHintWindow->SetVisible(false);
    }
    FShortCutHintWindow->SetCaption(FShortCutHint);
    const TPoint p = ClientToScreen(TPoint{0, 0});
    const int W = Width(), H = Height();
    const TSize tip = FShortCutHintWindow->TipSize();
    const int w = tip.cx, h = tip.cy;
    TPoint at;
    switch (FShortCutHintPos) {
    case shpLeft:
        at = TPoint{p.X - w / 2, p.Y + (H - h) / 2};
        break;
    case shpTop:
        at = TPoint{p.X + (W - w) / 2, p.Y - h / 2};
        break;
    case shpRight:
        at = TPoint{p.X + W - w / 2, p.Y + (H - h) / 2};
        break;
    case shpBottom:
        at = TPoint{p.X + (W - w) / 2, p.Y + H - h / 2};
        break;
    }
    FShortCutHintWindow->ShowAt(at);
}

void TAdvCustomGlowButton::HideShortCutHint() {
    if (!FShortCutHintWindow) return;
    FShortCutHintWindow->SetVisible(false);
    // The hint window was shown past its Visible property (as hints are): hide the window itself.
    if (FShortCutHintWindow->HandleAllocated()) win::ShowWindow(FShortCutHintWindow->Handle(), win::SW_HIDE);
}

// ---- Messages

void TAdvCustomGlowButton::CMEnabledChanged(TMessage& Message) {
    TCustomControl::WndProc(Message);
    Invalidate();
}

void TAdvCustomGlowButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_LBUTTONUP:
        WMLButtonUp(Message);
        return;
    case win::WM_ERASEBKGND:
        Message.Result = 1; // the face covers everything
        return;
    case win::WM_GETDLGCODE:
        TCustomControl::WndProc(Message);
        if (OnInternalKeyDown) Message.Result |= win::DLGC_WANTARROWS;
        return;
    case win::WM_SETTEXT:
        TCustomControl::WndProc(Message);
        if (FAutoSizeEx) PerformResize();
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
        CMEnabledChanged(Message);
        return;
    case CN_COMMAND:
        // A command notification of code 0 (BN_CLICKED) clicks, as a button's own does.
        if (((Message.WParam >> 16) & 0xFFFF) == 0) Click();
        return;
    case CM_TEXTCHANGED:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

} // namespace AdvGlowButton
