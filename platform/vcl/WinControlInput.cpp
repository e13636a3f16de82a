// TWinControl's window procedure: mouse routing to windowless children, mouse enter and leave, the
// keyboard pipeline, focus and tab order.

#include <algorithm>
#include <climits>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ControlInternal.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/Input.h"

namespace vcl {

using namespace controls_detail;

namespace {

TControlExceptionHandler ExceptionHandler = nullptr;

bool IsKeyMessage(win::UINT Msg) {
    return Msg == win::WM_KEYDOWN || Msg == win::WM_SYSKEYDOWN || Msg == win::WM_CHAR ||
           Msg == win::WM_SYSCHAR;
}

} // namespace

void SetControlExceptionHandler(TControlExceptionHandler Handler) {
    ExceptionHandler = Handler;
}

void TWinControl::MainWndProc(TMessage& Message) {
    try {
        // The dialog pipeline sees a key before the control does; a key it takes goes no further.
        if (IsKeyMessage(Message.Msg)) {
            win::HWND h = FHandle;
            if (Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam) != 0) {
                Message.Result = 0;
                return;
            }
            // The pipeline may have closed the window (and freed this control with it).
            if (h == nullptr || !win::IsWindow(h) || FindControl(h) != this) return;
        }
        if (WindowProc)
            WindowProc(Message);
        else
            WndProc(Message);
    } catch (...) {
        if (ExceptionHandler == nullptr) throw;
        ExceptionHandler(this);
    }
}

void TWinControl::WndProc(TMessage& Message) {
    using namespace win;
    switch (Message.Msg) {
    case WM_SETFOCUS: {
        // The window system hands the focus of a destroyed child to its parent; while the form goes, that
        // focus is not recorded (the form and its controls are past their free notifications).
        TWinControl* root = FocusRoot();
        bool going = ComponentState().Contains(csDestroying) ||
                     (root != nullptr && root->ComponentState().Contains(csDestroying));
        if (root != nullptr && !going && !root->SetFocusedControl(this)) return;
        break;
    }
    case WM_KILLFOCUS:
        if (FControlState.Contains(csFocusing)) return;
        break;
    case WM_MOUSEMOVE:
        TrackMouse(Message);
        break;
    case WM_MOUSELEAVE:
        TrackMouse(Message);
        return;
    case WM_CAPTURECHANGED:
        if (CaptureControl != nullptr && CaptureControl->Parent() == this &&
            reinterpret_cast<HWND>(Message.LParam) != FHandle)
            CaptureControl = nullptr;
        break;
    case WM_MOUSEWHEEL:
        Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
        if (Message.Result == 0) DefaultHandler(Message);
        return;
    default:
        break;
    }
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
        Message.Msg != WM_MOUSEHWHEEL) {
        if (IsControlMouseMsg(Message)) return;
    }
    switch (Message.Msg) {
    case WM_PAINT: {
        TWMPaint m(Message);
        WMPaint(m);
        m.Store(Message);
        return;
    }
    case WM_ERASEBKGND:
        WMEraseBkgnd(Message);
        return;
    case WM_WINDOWPOSCHANGED:
        WMWindowPosChanged(Message);
        return;
    case CM_PARENTWINDOWPOSCHANGED:
        NotifyChildrenOfWindowPos();
        return;
    case WM_SETCURSOR:
        WMSetCursor(Message);
        return;
    case WM_SETTEXT:
        FText = Message.LParam != 0 ? reinterpret_cast<const char*>(Message.LParam) : "";
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        TWMKey m(Message);
        WMKeyDown(m);
        m.Store(Message);
        return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        TWMKey m(Message);
        WMKeyUp(m);
        m.Store(Message);
        return;
    }
    case WM_CHAR: {
        TWMKey m(Message);
        WMChar(m);
        m.Store(Message);
        return;
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
        TWMKey m(Message);
        CNKeyDown(m);
        m.Store(Message);
        return;
    }
    case CN_CHAR:
    case CN_SYSCHAR: {
        TWMKey m(Message);
        CNChar(m);
        m.Store(Message);
        return;
    }
    case CM_CHILDKEY: {
        TCMChildKey m(Message);
        CMChildKey(m);
        m.Store(Message);
        return;
    }
    case CM_DIALOGKEY: {
        TCMDialogKey m(Message);
        CMDialogKey(m);
        m.Store(Message);
        return;
    }
    case CM_DIALOGCHAR: {
        TCMDialogChar m(Message);
        CMDialogChar(m);
        m.Store(Message);
        return;
    }
    case CM_FOCUSCHANGED: {
        TCMFocusChanged m(Message);
        CMFocusChanged(m);
        m.Store(Message);
        return;
    }
    case CM_ENTER:
        CMEnter(Message);
        return;
    case CM_EXIT:
        CMExit(Message);
        return;
    case CM_SHOWINGCHANGED:
        CMShowingChanged(Message);
        return;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(Message);
        return;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(Message);
        return;
    case CM_COLORCHANGED:
        CMColorChanged(Message);
        return;
    case CM_FONTCHANGED:
        CMFontChanged(Message);
        return;
    case CM_SHOWHINTCHANGED:
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        return;
    case CM_BUTTONPRESSED:
        CMButtonPressed(Message);
        return;
    case CM_BIDIMODECHANGED:
        CMBiDiModeChanged(Message);
        return;
    default:
        break;
    }
    TControl::WndProc(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
    if (FHandle == nullptr) {
        TControl::DefaultHandler(Message);
        return;
    }
    Message.Result = win::CallWindowProc(FDefWndProc != nullptr ? FDefWndProc : win::DefWindowProc, FHandle,
                                         Message.Msg, Message.WParam, Message.LParam);
}

// ---- The mouse

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
    TControl* control = nullptr;
    TPoint pos{win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)};
    if (FHandle != nullptr && win::GetCapture() == FHandle) {
        if (CaptureControl != nullptr && CaptureControl->Parent() == this) control = CaptureControl;
    } else {
        control = ControlAtPos(pos, false);
    }
    if (control == nullptr || IsWindowed(control)) return false;
    TPoint local{pos.X - control->Left(), pos.Y - control->Top()};
    Message.Result = control->Perform(Message.Msg, Message.WParam, win::MAKELPARAM(local.X, local.Y));
    return true;
}

void TWinControl::TrackMouse(TMessage& Message) {
    if (Message.Msg == win::WM_MOUSELEAVE) {
        FMouseTracking = false;
        if (MouseControl == this ||
            (MouseControl != nullptr && MouseControl->Parent() == this && !IsWindowed(MouseControl)))
            SetMouseControl(nullptr);
        return;
    }
    UpdateMouseTracking({win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)});
}

void TWinControl::UpdateMouseTracking(TPoint ClientPos) {
    if (FHandle == nullptr) return;
    if (!FMouseTracking) {
        win::TRACKMOUSEEVENT tme{sizeof(win::TRACKMOUSEEVENT), win::TME_LEAVE, FHandle, 0};
        if (win::TrackMouseEvent(&tme)) FMouseTracking = true;
    }
    TControl* target = nullptr;
    if (GetClientRect().Contains(ClientPos)) {
        target = this;
        TControl* child = ControlAtPos(ClientPos, true);
        if (child != nullptr && !IsWindowed(child)) target = child;
    }
    SetMouseControl(target);
}

void TWinControl::WMSetCursor(TMessage& Message) {
    using namespace win;
    if (reinterpret_cast<HWND>(Message.WParam) == FHandle &&
        static_cast<short>(LOWORD(Message.LParam)) == HTCLIENT) {
        TCursor cursor = crDefault;
        POINT p{};
        GetCursorPos(&p);
        TControl* c = ControlAtPos(ScreenToClient(p), false);
        if (c != nullptr) cursor = c->Cursor();
        if (cursor == crDefault) cursor = Cursor();
        if (cursor != crDefault) {
            win::SetCursor(CursorHandleOf(cursor));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

// ---- Bounds changed by the window system

void TWinControl::WMWindowPosChanged(TMessage& Message) {
    auto* wp = reinterpret_cast<const win::WINDOWPOS*>(Message.LParam);
    if (wp != nullptr && !FControlState.Contains(csDestroyingHandle)) {
        int l = FLeft, t = FTop, w = FWidth, h = FHeight;
        if ((wp->flags & win::SWP_NOMOVE) == 0) {
            l = wp->x;
            t = wp->y;
        }
        if ((wp->flags & win::SWP_NOSIZE) == 0) {
            w = wp->cx;
            h = wp->cy;
        }
        bool resized = w != FWidth || h != FHeight;
        if (l != FLeft || t != FTop || resized) {
            FLeft = l;
            FTop = t;
            FWidth = w;
            FHeight = h;
            if (!FAnchorMove) UpdateAnchorRules();
            if (resized) {
                Realign();
                if (!ComponentState().Contains(csLoading)) Resize();
            }
        } else if ((wp->flags & win::SWP_FRAMECHANGED) != 0) {
            // A new frame (a menu bar set or taken away, another border) changes the client area within
            // the same outer size: the aligned controls follow it.
            Realign();
        }
    }
    DefaultHandler(Message);
    // The children of a child window that moved, changed size, showed or hid keep their own positions and
    // WS_VISIBLE and hear nothing from the window system: they are told. (A top-level window's children
    // keep their place in it.)
    constexpr win::UINT kNotPlaced = win::SWP_NOMOVE | win::SWP_NOSIZE;
    if (wp != nullptr && FHandle != nullptr &&
        ((wp->flags & kNotPlaced) != kNotPlaced ||
         (wp->flags & (win::SWP_SHOWWINDOW | win::SWP_HIDEWINDOW))) &&
        (static_cast<win::DWORD>(win::GetWindowLong(FHandle, win::GWL_STYLE)) & win::WS_CHILD) != 0)
        NotifyChildrenOfWindowPos();
}

void TWinControl::NotifyChildrenOfWindowPos() {
    for (TWinControl* c : TWinControlList(FWinControls))
        if (c->FParent == this) c->Perform(CM_PARENTWINDOWPOSCHANGED, 0, 0);
}

// ---- Keys

bool TWinControl::DoKeyDown(TWMKey& Message) {
    TWinControl* root = FocusRoot();
    if (root != nullptr && root != this && root->KeyPreview() && root->DoKeyDown(Message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        Word key = Message.CharCode;
        KeyDown(key, KeyDataToShiftState(Message.KeyData));
        Message.CharCode = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
    TWinControl* root = FocusRoot();
    if (root != nullptr && root != this && root->KeyPreview() && root->DoKeyUp(Message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        Word key = Message.CharCode;
        KeyUp(key, KeyDataToShiftState(Message.KeyData));
        Message.CharCode = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
    TWinControl* root = FocusRoot();
    if (root != nullptr && root != this && root->KeyPreview() && root->DoKeyPress(Message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        auto ch = static_cast<char32_t>(Message.Char);
        KeyPress(ch);
        Message.Char = ch;
        Message.CharCode = static_cast<Word>(ch & 0xFFFF);
        if (ch == 0) return true;
    }
    return false;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TWMKey& Message) {
    if (DoKeyDown(Message)) return;
    TMessage m(Message.Msg, Message.CharCode, Message.KeyData);
    DefaultHandler(m);
    Message.Result = m.Result;
}

void TWinControl::WMKeyUp(TWMKey& Message) {
    if (DoKeyUp(Message)) return;
    TMessage m(Message.Msg, Message.CharCode, Message.KeyData);
    DefaultHandler(m);
    Message.Result = m.Result;
}

void TWinControl::WMChar(TWMKey& Message) {
    if (DoKeyPress(Message)) return;
    TMessage m(Message.Msg, Message.Char, Message.KeyData);
    DefaultHandler(m);
    Message.Result = m.Result;
}

void TWinControl::CNKeyDown(TWMKey& Message) {
    using namespace win;
    Message.Result = 1;
    if (IsMenuKey(Message)) return;
    if (!ComponentState().Contains(csDesigning)) {
        if (Perform(CM_CHILDKEY, Message.CharCode, reinterpret_cast<LPARAM>(this)) != 0) return;
        TWinControl* root = FocusRoot();
        if (Message.Msg == CN_SYSKEYDOWN) {
            if (root != nullptr && root->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0)
                return;
        } else {
            LRESULT mask = 0;
            switch (Message.CharCode) {
            case VK_TAB:
                mask = DLGC_WANTTAB;
                break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN:
                mask = DLGC_WANTARROWS;
                break;
            case VK_RETURN:
            case VK_EXECUTE:
            case VK_ESCAPE:
            case VK_CANCEL:
                mask = DLGC_WANTALLKEYS;
                break;
            default:
                break;
            }
            if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.CharCode, 0) == 0 &&
                (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0 && root != nullptr &&
                root->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0)
                return;
        }
    }
    Message.Result = 0;
}

void TWinControl::CNChar(TWMKey& Message) {
    using namespace win;
    Message.Result = 1;
    if (!ComponentState().Contains(csDesigning)) {
        TWinControl* root = FocusRoot();
        bool wantsChars = (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) != 0;
        bool sys = Message.Msg == CN_SYSCHAR;
        if (root != nullptr && ((sys && Message.CharCode != VK_SPACE) || (!sys && !wantsChars)) &&
            root->Perform(CM_DIALOGCHAR, Message.Char, Message.KeyData) != 0)
            return;
    }
    Message.Result = 0;
}

void TWinControl::CMChildKey(TCMChildKey& Message) {
    if (FParent != nullptr) {
        TMessage m(CM_CHILDKEY, Message.CharCode, reinterpret_cast<win::LPARAM>(Message.Sender));
        FParent->WindowProc(m);
        Message.Result = m.Result;
    }
}

void TWinControl::CMDialogKey(TCMDialogKey& Message) {
    using namespace win;
    // The focus root moves the focus with Tab and the arrows (not with Alt held).
    if (FParent == nullptr && GetKeyState(static_cast<int>(VK_MENU)) >= 0) {
        TWinControl* active = FFocusedControl != this ? FFocusedControl : nullptr;
        switch (Message.CharCode) {
        case VK_TAB:
            if (GetKeyState(static_cast<int>(VK_CONTROL)) >= 0) {
                SelectNext(active, GetKeyState(static_cast<int>(VK_SHIFT)) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (active != nullptr && active->FParent != nullptr) {
                active->FParent->SelectNext(
                    active, Message.CharCode == VK_RIGHT || Message.CharCode == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TMessage m(Message.Msg, Message.CharCode, Message.KeyData);
    Broadcast(m);
    Message.Result = m.Result;
}

void TWinControl::CMDialogChar(TCMDialogChar& Message) {
    TMessage m(Message.Msg, Message.Char, Message.KeyData);
    Broadcast(m);
    Message.Result = m.Result;
}

void TWinControl::CMFocusChanged(TCMFocusChanged& Message) {
    TMessage m(CM_FOCUSCHANGED, 0, reinterpret_cast<win::LPARAM>(Message.Sender));
    Broadcast(m);
    Message.Result = m.Result;
}

void TWinControl::CMButtonPressed(TMessage& Message) {
    Broadcast(Message);
}

void TWinControl::CMBiDiModeChanged(TMessage&) {
    NotifyControls(CM_PARENTBIDIMODECHANGED);
    Invalidate();
}

// ---- Focus

TWinControl* TWinControl::FocusRoot() {
    TWinControl* c = this;
    while (c->FParent != nullptr)
        c = c->FParent;
    return c;
}

TWinControl* TWinControl::FocusedControl() const {
    const TWinControl* c = this;
    while (c->FParent != nullptr)
        c = c->FParent;
    return c->FFocusedControl;
}

bool TWinControl::CanFocus() {
    TWinControl* root = FocusRoot();
    for (TWinControl* c = this; c != nullptr; c = c->FParent) {
        // A form's own visibility does not count: its controls can take the focus before it shows.
        if (c == root && c->IsForm()) break;
        if (!c->FVisible || !c->FEnabled) return false;
    }
    return true;
}

bool TWinControl::Focused() {
    return FHandle != nullptr && win::GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    win::HWND h = Handle();
    if (win::GetFocus() == h) {
        // The window has it already; make sure the bookkeeping agrees.
        TWinControl* root = FocusRoot();
        if (root != nullptr && root->FFocusedControl != this) root->SetFocusedControl(this);
        return;
    }
    win::SetFocus(h);
}

bool TWinControl::SetFocusedControl(TWinControl* Control) {
    if (Control == nullptr) return false;
    int count = ++FFocusCount;
    if (Control->FControlState.Contains(csFocusing)) return false;
    Control->FControlState.Include(csFocusing);
    struct Unmark {
        TWinControl* c;
        ~Unmark() { c->FControlState.Exclude(csFocusing); }
    } unmark{Control};
    if (FFocusedControl == nullptr) FFocusedControl = this;
    if (FFocusedControl != Control) {
        // Leave upwards to the common parent...
        while (FFocusedControl != nullptr && !FFocusedControl->ContainsControl(Control)) {
            TWinControl* leaving = FFocusedControl;
            FFocusedControl = leaving->FParent;
            leaving->Perform(CM_EXIT, 0, 0);
            if (FFocusCount != count) return false;
        }
        if (FFocusedControl == nullptr) FFocusedControl = this;
        // ...and enter downwards to the new control.
        while (FFocusedControl != Control) {
            TWinControl* step = Control;
            while (step->FParent != FFocusedControl && step->FParent != nullptr)
                step = step->FParent;
            FFocusedControl = step;
            step->Perform(CM_ENTER, 0, 0);
            if (FFocusCount != count) return false;
        }
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<win::LPARAM>(Control));
    }
    return true;
}

void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}

void TWinControl::CMExit(TMessage&) {
    DoExit();
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ---- Tab order

int TWinControl::TabOrder() const {
    if (FParent == nullptr) return -1;
    const TWinControlList& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (ComponentState().Contains(csLoading) || FControlState.Contains(csReadingState)) {
        FTabOrderRead = Value;
        return;
    }
    UpdateTabOrder(Value);
}

void TWinControl::UpdateTabOrder(int Value) {
    if (FParent == nullptr) return;
    TWinControlList& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    int count = static_cast<int>(list.size());
    if (Value < 0 || Value >= count) Value = count - 1;
    list.erase(it);
    list.insert(list.begin() + Value, this);
}

void TWinControl::FixupTabList() {
    bool any =
        std::any_of(FTabList.begin(), FTabList.end(), [](TWinControl* c) { return c->FTabOrderRead >= 0; });
    if (!any) return;
    std::stable_sort(FTabList.begin(), FTabList.end(), [](TWinControl* a, TWinControl* b) {
        int ka = a->FTabOrderRead >= 0 ? a->FTabOrderRead : INT_MAX;
        int kb = b->FTabOrderRead >= 0 ? b->FTabOrderRead : INT_MAX;
        return ka < kb;
    });
    for (TWinControl* c : FTabList)
        c->FTabOrderRead = -1;
}

void TWinControl::GetTabOrderList(TWinControlList& List) {
    for (TWinControl* c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
    TWinControlList list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    auto n = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), CurControl);
    int start = found == list.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    do {
        if (GoForward) {
            if (++i == n) i = 0;
        } else {
            if (i == 0) i = n;
            --i;
        }
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->FParent == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (next != nullptr) next->SetFocus();
}

} // namespace vcl
