// TWinControl: life, window handle, children, text and bounds.

#include "platform/vcl/WinControl.h"
#include "platform/vcl/KeptPicture.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ControlInternal.h"
#include "platform/win/Input.h"

namespace vcl {

using namespace controls_detail;

namespace {

// The control whose window is being made: it binds itself to the first message its window gets.
TWinControl* CreationControl = nullptr;

} // namespace

// The window procedure of every control class.
win::LRESULT ControlWndProcEntry(win::HWND hWnd, win::UINT Msg, win::WPARAM wParam, win::LPARAM lParam) {
    auto* control = static_cast<TWinControl*>(win::GetProp(hWnd, ControlProp));
    if (control == nullptr) {
        control = CreationControl;
        if (control == nullptr) return win::DefWindowProc(hWnd, Msg, wParam, lParam);
        CreationControl = nullptr;
        control->FHandle = hWnd;
        win::SetProp(hWnd, ControlProp, control);
    }
    TMessage m(Msg, wParam, lParam);
    control->MainWndProc(m);
    if (Msg == win::WM_NCDESTROY) DetachControlWindow(control);
    // A control canvas that took a device context outside painting gives it back once the message is
    // handled: releasing it is what presents its drawing on the screen.
    FreeDeviceContexts();
    return m.Result;
}

// Called when the window is gone: the control no longer has one.
void DetachControlWindow(TWinControl* Control) {
    if (Control->FHandle != nullptr) win::RemoveProp(Control->FHandle, ControlProp);
    Control->FHandle = nullptr;
    Control->FShowing = false;
    Control->FMouseTracking = false;
}

TWinControl* FindControl(win::HWND Handle) {
    if (Handle == nullptr) return nullptr;
    return static_cast<TWinControl*>(win::GetProp(Handle, ControlProp));
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    FBrush = std::make_unique<TBrush>();
    FBrush->SetColor(FColor);
}

TWinControl* TWinControl::CreateParented(win::HWND ParentWindow) {
    auto* c = new TWinControl(nullptr);
    c->SetParentWindow(ParentWindow);
    return c;
}

TWinControl::~TWinControl() {
    BeforeDestruction();
    WindowProc = nullptr;
    TWinControl* root = FocusRoot();
    // Children not owned through the component model go with their parent (detached without SetParent).
    while (!FControls.empty() || !FWinControls.empty()) {
        TControl* child =
            !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
        if (root->FFocusedControl != nullptr && child->FParent == this &&
            dynamic_cast<TWinControl*>(child) != nullptr &&
            static_cast<TWinControl*>(child)->ContainsControl(root->FFocusedControl))
            root->FFocusedControl = this;
        Remove(child);
        FreeComponent(child);
    }
    if (root != this && root->FFocusedControl == this) root->FFocusedControl = FParent;
    ForgetControl(this);
    if (FHandle != nullptr) {
        FreeDeviceContexts();
        FControlState.Include(csDestroyingHandle);
        win::HWND h = FHandle;
        win::DestroyWindow(h);
        if (FHandle != nullptr) DetachControlWindow(this);
    }
    if (FParent != nullptr) {
        TWinControl* p = FParent;
        p->Remove(this);
        if (!p->ComponentState().Contains(csDestroying)) p->Realign();
    }
}

// ---- The window

win::HWND TWinControl::Handle() {
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded() {
    if (FHandle != nullptr) return;
    if (FParent != nullptr) FParent->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateHandle() {
    if (FHandle != nullptr) return;
    CreateWnd();
    if (FParent != nullptr && FParent->HandleAllocated()) {
        // Keep the window at its place among its siblings' windows (the list is bottom first).
        auto it = std::find(FParent->FWinControls.begin(), FParent->FWinControls.end(), this);
        win::HWND after = win::HWND_TOP;
        for (auto j = it + 1; it != FParent->FWinControls.end() && j != FParent->FWinControls.end(); ++j)
            if ((*j)->HandleAllocated()) after = (*j)->FHandle;
        if (after != win::HWND_TOP)
            win::SetWindowPos(FHandle, after, 0, 0, 0, 0,
                              win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
    }
    for (TControl* c : FControls)
        c->UpdateAnchorRules();
    for (TWinControl* c : FWinControls)
        c->UpdateAnchorRules();
}

void TWinControl::SetZOrder(bool TopMost) {
    if (FParent == nullptr) return;
    TWinControlList& list = FParent->FWinControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (TopMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    // A window not made yet takes its place from the list when it is.
    if (FHandle != nullptr)
        win::SetWindowPos(FHandle, TopMost ? win::HWND_TOP : win::HWND_BOTTOM, 0, 0, 0, 0,
                          win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
}

void TWinControl::CreateParams(TCreateParams& Params) {
    using namespace win;
    Params = TCreateParams{};
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FControlStyle.Contains(csAcceptsControls)) {
        Params.Style |= WS_CLIPCHILDREN;
        Params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!ComponentState().Contains(csDesigning) && !FEnabled) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    if (FParent != nullptr)
        Params.WndParent = FParent->Handle();
    else
        Params.WndParent = FParentWindow;
    // A control without any parent window is a top-level window of its own.
    if (Params.WndParent == nullptr) Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProc;
    Params.WindowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    Params.WindowClass.hbrBackground = nullptr;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (params.WndParent == nullptr && (params.Style & win::WS_CHILD) != 0)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    FDefWndProc =
        params.WindowClass.lpfnWndProc != nullptr ? params.WindowClass.lpfnWndProc : win::DefWindowProc;
    win::WNDCLASS existing{};
    bool registered = win::GetClassInfo(nullptr, params.WinClassName.c_str(), &existing) != 0;
    if (!registered || existing.lpfnWndProc != &ControlWndProcEntry) {
        if (registered) win::UnregisterClass(params.WinClassName.c_str(), nullptr);
        win::WNDCLASS wc = params.WindowClass;
        wc.lpfnWndProc = &ControlWndProcEntry;
        wc.lpszClassName = params.WinClassName.c_str();
        if (win::RegisterClass(&wc) == 0)
            throw EOSError("Cannot register the window class " + params.WinClassName);
    }
    FControlState.Include(csCreating);
    try {
        CreateWindowHandle(params);
    } catch (...) {
        FControlState.Exclude(csCreating);
        throw;
    }
    FControlState.Exclude(csCreating);
    if (FHandle == nullptr) throw EOSError("Error creating window of control '" + Name() + "'");
    UpdateBounds();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    CreationControl = this;
    win::HWND h = nullptr;
    try {
        h = win::CreateWindowEx(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(),
                                Params.Style, Params.X, Params.Y, Params.Width, Params.Height,
                                Params.WndParent, nullptr, nullptr, Params.Param);
    } catch (...) {
        CreationControl = nullptr;
        throw;
    }
    if (CreationControl == this) CreationControl = nullptr; // the window sent nothing while being made
    if (h != nullptr && FHandle == nullptr) {
        FHandle = h;
        win::SetProp(h, ControlProp, this);
    }
}

void TWinControl::UpdateBounds() {
    if (FHandle == nullptr) return;
    win::RECT r{};
    if (!win::GetWindowRect(FHandle, &r)) return;
    TPoint p = r.TopLeft();
    win::HWND parent = win::GetParent(FHandle);
    auto style = static_cast<win::DWORD>(win::GetWindowLong(FHandle, win::GWL_STYLE));
    if ((style & win::WS_CHILD) != 0 && parent != nullptr) win::ScreenToClient(parent, &p);
    FLeft = p.X;
    FTop = p.Y;
    FWidth = r.Width();
    FHeight = r.Height();
}

void TWinControl::DestroyHandle() {
    if (FHandle == nullptr) return;
    for (TWinControl* c : FWinControls)
        c->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    FreeDeviceContexts();
    // The pointer cannot be over a window that goes away.
    if (MouseControl == this ||
        (MouseControl != nullptr && MouseControl->Parent() == this && !IsWindowed(MouseControl)))
        SetMouseControl(nullptr);
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    FControlState.Include(csDestroyingHandle);
    try {
        if (FHandle != nullptr) win::DestroyWindow(FHandle);
    } catch (...) {
        FControlState.Exclude(csDestroyingHandle);
        throw;
    }
    FControlState.Exclude(csDestroyingHandle);
    if (FHandle != nullptr) DetachControlWindow(this);
    FShowing = false;
}

void TWinControl::RecreateWnd() {
    if (FHandle == nullptr) return;
    DestroyHandle();
    UpdateControlState();
}

void TWinControl::SetParentWindow(win::HWND Value) {
    if (FParent != nullptr || FParentWindow == Value) return;
    FParentWindow = Value;
    if (FHandle != nullptr) {
        if (Value != nullptr)
            win::SetParent(FHandle, Value);
        else
            DestroyHandle();
    }
    UpdateControlState();
}

void TWinControl::UpdateShowing() {
    bool show = FVisible && !FControlState.Contains(csReadingState);
    if (show) {
        if (FHandle == nullptr) CreateHandle();
        TWinControlList children = FWinControls;
        for (TWinControl* c : children)
            c->UpdateShowing();
    }
    if (FHandle != nullptr && FShowing != show) {
        FShowing = show;
        try {
            Perform(CM_SHOWINGCHANGED, 0, 0);
        } catch (...) {
            FShowing = !show;
            throw;
        }
    }
}

void TWinControl::UpdateControlState() {
    TWinControl* c = this;
    while (c->FParent != nullptr) {
        c = c->FParent;
        if (!c->Showing()) return;
    }
    UpdateShowing();
}

// ---- Children

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    auto n = static_cast<int>(FControls.size());
    if (Index < n) return FControls[static_cast<size_t>(Index)];
    return FWinControls[static_cast<size_t>(Index - n)];
}

void TWinControl::Insert(TControl* AControl) {
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(w);
        FTabList.push_back(w);
    } else {
        FControls.push_back(AControl);
    }
    AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl) {
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        std::erase(FWinControls, w);
        std::erase(FTabList, w);
    } else {
        std::erase(FControls, AControl);
    }
    AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
    if (AControl == nullptr || AControl->FParent == this) return;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<win::WPARAM>(AControl), 1);
    Insert(AControl);
    auto* w = dynamic_cast<TWinControl*>(AControl);
    if (w != nullptr && w->FHandle != nullptr) {
        // A window moving in from another parent keeps its identity.
        if (HandleAllocated())
            win::SetParent(w->FHandle, FHandle);
        else
            w->DestroyHandle();
    }
    if (!AControl->ComponentState().Contains(csReading)) {
        AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        if (w != nullptr)
            w->UpdateControlState();
        else
            AControl->Invalidate();
        AlignControl(AControl);
    }
    Perform(CM_CONTROLCHANGE, reinterpret_cast<win::WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
    if (AControl == nullptr || AControl->FParent != this) return;
    Perform(CM_CONTROLCHANGE, reinterpret_cast<win::WPARAM>(AControl), 0);
    auto* w = dynamic_cast<TWinControl*>(AControl);
    // Keep the focus bookkeeping off a control that leaves.
    if (w != nullptr) {
        TWinControl* root = FocusRoot();
        if (root != nullptr && root->FFocusedControl != nullptr && w->ContainsControl(root->FFocusedControl))
            root->FFocusedControl = this;
        if (w->FHandle != nullptr && !w->FReparenting) w->DestroyHandle();
    } else if (HandleAllocated() && AControl->Visible()) {
        TRect r = AControl->BoundsRect();
        win::InvalidateRect(FHandle, &r, win::TRUE);
    }
    if (MouseControl == AControl && w == nullptr) SetMouseControl(nullptr);
    if (CaptureControl == AControl) SetCaptureControl(nullptr);
    Remove(AControl);
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<win::WPARAM>(AControl), 0);
    if (!ComponentState().Contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* AControl) const {
    for (TControl* c = AControl; c != nullptr; c = c->FParent)
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls, bool AllLevels) {
    auto hits = [&](TControl* c) {
        if (!c->FVisible || (!AllowDisabled && !c->FEnabled)) return false;
        if (!c->BoundsRect().Contains(Pos)) return false;
        TPoint local{Pos.X - c->FLeft, Pos.Y - c->FTop};
        return c->Perform(CM_HITTEST, 0, win::MAKELPARAM(local.X, local.Y)) != 0;
    };
    if (AllowWinControls) {
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it) {
            TWinControl* w = *it;
            if (!hits(w)) continue;
            if (AllLevels) {
                TPoint local{Pos.X - w->FLeft, Pos.Y - w->FTop};
                if (TControl* inner = w->ControlAtPos(local, AllowDisabled, true, true)) return inner;
            }
            return w;
        }
    }
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hits(*it)) return *it;
    return nullptr;
}

TControl* TWinControl::FindChildControl(const String& ControlName) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (SameText(c->Name(), ControlName)) return c;
    }
    for (TWinControl* w : FWinControls)
        if (TControl* c = w->FindChildControl(ControlName)) return c;
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
    // A handler may change the list; walk a copy and skip the controls that left.
    std::vector<TControl*> children(FControls.begin(), FControls.end());
    children.insert(children.end(), FWinControls.begin(), FWinControls.end());
    for (TControl* c : children) {
        if (c->FParent != this) continue;
        c->WindowProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(win::UINT Msg) {
    TMessage m(Msg, 0, 0);
    Broadcast(m);
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Owner() == Root) Proc(c);
    }
}

// ---- Parent, bounds and text

void TWinControl::SetParent(TWinControl* AParent) {
    if (FParent == AParent) return;
    FReparenting = FParent != nullptr && AParent != nullptr;
    try {
        TControl::SetParent(AParent);
    } catch (...) {
        FReparenting = false;
        throw;
    }
    FReparenting = false;
    if (FParent == nullptr && FHandle != nullptr && FParentWindow == nullptr) DestroyHandle();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    KeepBoundsInRange(ALeft, ATop, AWidth, AHeight);
    CanResize(AWidth, AHeight);
    KeepBoundsInRange(ALeft, ATop, AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    bool resized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (FHandle != nullptr && !win::IsIconic(FHandle))
        win::SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight,
                          win::SWP_NOZORDER | win::SWP_NOACTIVATE);
    if (!FAnchorMove) UpdateAnchorRules();
    RequestAlign();
    if (resized) {
        Realign();
        if (!ComponentState().Contains(csLoading)) Resize();
    }
}

TRect TWinControl::GetClientRect() {
    if (FHandle != nullptr) {
        win::RECT r{};
        win::GetClientRect(FHandle, &r);
        return r;
    }
    return Rect(0, 0, FWidth, FHeight);
}

TPoint TWinControl::ClientOrigin() {
    if (FHandle != nullptr) {
        win::POINT p{0, 0};
        win::ClientToScreen(FHandle, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetTextValue(const String& Value) {
    FText = Value;
    if (FHandle != nullptr) win::SetWindowText(FHandle, Value.c_str());
}

String TWinControl::GetTextValue() {
    return FText;
}

void TWinControl::SetTabStop(bool Value) {
    if (FTabStop == Value) return;
    FTabStop = Value;
    if (FHandle != nullptr) {
        auto style = static_cast<win::DWORD>(win::GetWindowLong(FHandle, win::GWL_STYLE));
        style = Value ? (style | win::WS_TABSTOP) : (style & ~win::WS_TABSTOP);
        win::SetWindowLong(FHandle, win::GWL_STYLE, static_cast<win::LONG>(style));
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::SetDoubleBuffered(bool Value) {
    if (FDoubleBuffered == Value) return;
    FDoubleBuffered = Value;
    Invalidate();
}

void TWinControl::SetParentBackground(bool Value) {
    if (ParentBackground() == Value) return;
    if (Value)
        FControlStyle.Include(csParentBackground);
    else
        FControlStyle.Exclude(csParentBackground);
    Invalidate();
}

void TWinControl::SetBorderWidth(int Value) {
    Value = std::max(Value, 0);
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    Realign();
    Invalidate();
}

void TWinControl::ReadState(TReader& Reader) {
    DisableAlign();
    try {
        TControl::ReadState(Reader);
    } catch (...) {
        EnableAlign();
        throw;
    }
    EnableAlign();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    // The children's tab orders as read; a control read into a parent that was not read with it
    // takes its place now.
    FixupTabList();
    if (FTabOrderRead >= 0) {
        int order = FTabOrderRead;
        FTabOrderRead = -1;
        UpdateTabOrder(order);
    }
    Realign();
    if (FParent == nullptr || FParent->Showing()) UpdateControlState();
}

KV_PUBLISHED(TWinControl) {
    p.Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1);
    p.Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false);
    p.Bool("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered, false);
    p.Bool("ParentBackground", &TWinControl::ParentBackground, &TWinControl::SetParentBackground, false);
    p.Int("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth, 0);
    p.Event("OnEnter", &TWinControl::OnEnter);
    p.Event("OnExit", &TWinControl::OnExit);
    p.Event("OnKeyDown", &TWinControl::OnKeyDown);
    p.Event("OnKeyPress", &TWinControl::OnKeyPress);
    p.Event("OnKeyUp", &TWinControl::OnKeyUp);
}

} // namespace vcl
