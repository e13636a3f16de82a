// TControl's window procedure: the mouse, the framework's notifications and the default handling.

#include <algorithm>
#include <cstring>

#include "platform/vcl/Control.h"
#include "platform/vcl/ControlInternal.h"
#include "platform/vcl/DragDrop.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/Input.h"

namespace vcl {

using namespace controls_detail;

namespace controls_detail {

TControl* CaptureControl = nullptr;
TControl* MouseControl = nullptr;
THintMouseMessageHook HintHook = nullptr;

void SetMouseControl(TControl* Control) {
    if (Control == MouseControl) return;
    TControl* old = MouseControl;
    MouseControl = Control;
    if (old != nullptr) old->Perform(CM_MOUSELEAVE, 0, 0);
    // The leave handler may have moved things on; enter only if the new one is still the one.
    if (Control != nullptr && MouseControl == Control) Control->Perform(CM_MOUSEENTER, 0, 0);
}

void ForgetControl(TControl* Control) {
    detail::ForgetDragControl(Control);
    if (MouseControl == Control) MouseControl = nullptr;
    if (CaptureControl == Control) {
        CaptureControl = nullptr;
        win::ReleaseCapture();
    }
}

} // namespace controls_detail

void SetHintMouseMessageHook(THintMouseMessageHook Hook) {
    HintHook = Hook;
}

win::LRESULT TControl::Perform(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
    TMessage m(Msg, WParam, LParam);
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message) {
    using namespace win;
    bool autoDragAfterPress = false;
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        if (!FControlStyle.Contains(csDoubleClicks)) {
            switch (Message.Msg) {
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK:
                Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
                break;
            default:
                break;
            }
        }
        if (HintHook != nullptr) HintHook(this, Message);
        switch (Message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (FDragMode == dmAutomatic && !Dragging() && !ComponentState().Contains(csDesigning)) {
                if (AutoDragTakesPress()) {
                    BeginAutoDrag();
                    return;
                }
                autoDragAfterPress = true;
            }
            FControlState.Include(csLButtonDown);
            break;
        case WM_LBUTTONUP:
            // A press that waited for the drag threshold and never reached it is an ordinary click.
            detail::PendingRelease(this);
            FControlState.Exclude(csLButtonDown);
            break;
        default:
            break;
        }
    }
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: {
        TWMMouse m(Message);
        WMLButtonDown(m);
        m.Store(Message);
        if (autoDragAfterPress) BeginAutoDrag();
        return;
    }
    case WM_LBUTTONUP: {
        TWMMouse m(Message);
        WMLButtonUp(m);
        m.Store(Message);
        return;
    }
    case WM_LBUTTONDBLCLK: {
        TWMMouse m(Message);
        WMLButtonDblClk(m);
        m.Store(Message);
        return;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
        TWMMouse m(Message);
        WMRButtonDown(m);
        m.Store(Message);
        return;
    }
    case WM_RBUTTONUP: {
        TWMMouse m(Message);
        WMRButtonUp(m);
        m.Store(Message);
        // The right button's release asks for the context menu (screen coordinates).
        TPoint screen = ClientToScreen({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
        Perform(WM_CONTEXTMENU, 0, MAKELPARAM(screen.X, screen.Y));
        return;
    }
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
        TWMMouse m(Message);
        WMMButtonDown(m);
        m.Store(Message);
        return;
    }
    case WM_MBUTTONUP: {
        TWMMouse m(Message);
        WMMButtonUp(m);
        m.Store(Message);
        return;
    }
    case WM_MOUSEMOVE: {
        TWMMouse m(Message);
        WMMouseMove(m);
        m.Store(Message);
        detail::PendingMove(this);
        return;
    }
    case WM_CANCELMODE:
        if (MouseCapture()) SetMouseCapture(false);
        FControlState.Exclude(csClicked);
        FControlState.Exclude(csLButtonDown);
        return;
    case CM_MOUSEWHEEL: {
        TCMMouseWheel m(Message);
        if (DoMouseWheel(m.ShiftState, m.WheelDelta, m.Pos()))
            Message.Result = 1;
        else if (FParent != nullptr)
            Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
        return;
    }
    case CM_MOUSEENTER:
        CMMouseEnter(Message);
        return;
    case CM_MOUSELEAVE:
        CMMouseLeave(Message);
        return;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(Message);
        return;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(Message);
        return;
    case CM_FONTCHANGED:
        CMFontChanged(Message);
        return;
    case CM_COLORCHANGED:
        CMColorChanged(Message);
        return;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(Message);
        return;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(Message);
        return;
    case CM_PARENTSHOWHINTCHANGED:
        CMParentShowHintChanged(Message);
        return;
    case CM_PARENTBIDIMODECHANGED:
        CMParentBiDiModeChanged(Message);
        return;
    case CM_TEXTCHANGED:
        CMTextChanged(Message);
        return;
    case CM_HITTEST: {
        TCMHitTest m(Message);
        CMHitTest(m);
        m.Store(Message);
        return;
    }
    case CM_HINTSHOW: {
        TCMHintShow m(Message);
        CMHintShow(m);
        m.Store(Message);
        return;
    }
    case WM_CONTEXTMENU: {
        TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        bool handled = false;
        DoContextPopup(p.X == -1 && p.Y == -1 ? TPoint{-1, -1} : ScreenToClient(p), handled);
        if (!handled && PopupMenuHook) {
            // The nearest popup menu up the parent chain; from the keyboard, at the control's centre.
            for (TControl* c = this; c && !handled; c = c->Parent())
                if (c->FPopupMenu) {
                    TPoint at = p.X == -1 && p.Y == -1 ? ClientToScreen({Width() / 2, Height() / 2}) : p;
                    handled = PopupMenuHook(this, c->FPopupMenu, at);
                }
        }
        if (handled) {
            Message.Result = 1;
            return;
        }
        break;
    }
    default:
        break;
    }
    DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage& Message) {
    using namespace win;
    switch (Message.Msg) {
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<char*>(Message.LParam);
        auto size = static_cast<size_t>(Message.WParam);
        if (buf == nullptr || size == 0) {
            Message.Result = 0;
            return;
        }
        size_t n = std::min(FText.size(), size - 1);
        // Never cut a character in two.
        while (n > 0 && n < FText.size() && (static_cast<unsigned char>(FText[n]) & 0xC0) == 0x80)
            --n;
        std::memcpy(buf, FText.data(), n);
        buf[n] = '\0';
        Message.Result = static_cast<LRESULT>(n);
        return;
    }
    case WM_GETTEXTLENGTH:
        Message.Result = static_cast<LRESULT>(FText.size());
        return;
    case WM_SETTEXT: {
        auto* text = reinterpret_cast<const char*>(Message.LParam);
        FText = text != nullptr ? text : "";
        Message.Result = 1;
        return;
    }
    default:
        break;
    }
}

// ---- Mouse

void TControl::FireMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift) {
    if (FControlStyle.Contains(csNoStdEvents)) return;
    MouseDown(Button, KeysToShiftState(Message.Keys) + Shift, Message.XPos, Message.YPos);
}

void TControl::FireMouseUp(TWMMouse& Message, TMouseButton Button) {
    if (FControlStyle.Contains(csNoStdEvents)) return;
    MouseUp(Button, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMLButtonDown(TWMMouse& Message) {
    SendCancelMode(this);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
    FireMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TWMMouse& Message) {
    SendCancelMode(this);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) DblClick();
    FireMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TWMMouse& Message) {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        if (GetClientRect().Contains(Message.Pos())) Click();
    }
    FireMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TWMMouse& Message) {
    FireMouseDown(Message, mbRight,
                  Message.Msg == win::WM_RBUTTONDBLCLK ? TShiftState{ssDouble} : TShiftState{});
}

void TControl::WMRButtonUp(TWMMouse& Message) {
    FireMouseUp(Message, mbRight);
}

void TControl::WMMButtonDown(TWMMouse& Message) {
    FireMouseDown(Message, mbMiddle,
                  Message.Msg == win::WM_MBUTTONDBLCLK ? TShiftState{ssDouble} : TShiftState{});
}

void TControl::WMMButtonUp(TWMMouse& Message) {
    FireMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TWMMouse& Message) {
    if (FControlStyle.Contains(csNoStdEvents)) return;
    MouseMove(KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

// ---- Notifications

void TControl::CMMouseEnter(TMessage& Message) {
    if (Message.LParam == 0 && OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& Message) {
    if (Message.LParam == 0 && OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMEnabledChanged(TMessage&) {
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
    if (!FVisible) {
        if (MouseControl == this) SetMouseControl(nullptr);
        if (MouseCapture()) SetMouseCapture(false);
        // The area it covered is painted again by the parent.
        if (FParent != nullptr && FParent->HandleAllocated() && !controls_detail::IsWindowed(this)) {
            TRect r = BoundsRect();
            win::InvalidateRect(FParent->WindowHandle(), &r, win::TRUE);
        }
    } else {
        Invalidate();
    }
}

void TControl::CMFontChanged(TMessage&) {
    Invalidate();
}

void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage&) {
    ParentFontChanged();
}

void TControl::CMParentColorChanged(TMessage&) {
    ParentColorChanged();
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (FParentShowHint && FParent != nullptr && FShowHint != FParent->ShowHint()) {
        FShowHint = FParent->ShowHint();
        Perform(CM_SHOWHINTCHANGED, 0, 0);
    }
}

void TControl::CMTextChanged(TMessage&) {
    Invalidate();
}

void TControl::CMHitTest(TCMHitTest& Message) {
    Message.Result = 1; // the whole rectangle
}

void TControl::CMHintShow(TCMHintShow& Message) {
    // A linked action may supply the hint.
    if (Message.HintInfo != nullptr && FActionLink != nullptr)
        FActionLink->DoShowHint(Message.HintInfo->HintStr);
}

} // namespace vcl
