// TWinControl: painting (with the windowless children), showing, and the look notifications.

#include "platform/vcl/ControlInternal.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/Gdi.h"

namespace vcl {

using namespace controls_detail;

namespace {

// Moves the logical origin so that (DX, DY) becomes (0, 0).
void MoveWindowOrg(win::HDC DC, int DX, int DY) {
    win::POINT p{};
    win::GetWindowOrgEx(DC, &p);
    win::SetWindowOrgEx(DC, p.X - DX, p.Y - DY, nullptr);
}

} // namespace

void TWinControl::WMPaint(TWMPaint& Message) {
    if (Message.DC == nullptr && FDoubleBuffered && FHandle != nullptr) {
        DoubleBufferedPaint(Message);
        return;
    }
    PaintHandler(Message);
}

// A double-buffered control is never seen half-painted. The window system paints into the window's own
// image, and a backend shows that image only once the message loop waits for more (see
// platform/backend/README.md): the image already is the back buffer. So the control erases and paints
// straight into it, in one go, through the update region; a bitmap of its own would only add a copy.
void TWinControl::DoubleBufferedPaint(TWMPaint& Message) {
    win::PAINTSTRUCT ps{};
    win::HDC dc = win::BeginPaint(FHandle, &ps);
    struct End {
        win::HWND h;
        win::PAINTSTRUCT* ps;
        ~End() { win::EndPaint(h, ps); }
    } end{FHandle, &ps};
    // The erase that BeginPaint sent left the background alone (see WMEraseBkgnd); it goes here, with the
    // context in both parameters as for a buffer of its own.
    Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), reinterpret_cast<win::LPARAM>(dc));
    TWMPaint inner;
    inner.Msg = win::WM_PAINT;
    inner.DC = dc;
    PaintHandler(inner);
    Message.Result = 0;
}

void TWinControl::PaintHandler(TWMPaint& Message) {
    win::PAINTSTRUCT ps{};
    win::HDC dc = Message.DC;
    bool own = dc == nullptr;
    if (own) {
        if (FHandle == nullptr) return;
        dc = win::BeginPaint(FHandle, &ps);
    }
    struct End {
        bool own;
        win::HWND h;
        win::PAINTSTRUCT* ps;
        ~End() {
            if (own) win::EndPaint(h, ps);
        }
    } end{own, FHandle, &ps};
    FreeDeviceContexts();
    if (FControls.empty()) {
        PaintWindow(dc);
    } else {
        // The opaque windowless children cover their part; the control paints the rest.
        int saved = win::SaveDC(dc);
        int clip = win::SIMPLEREGION;
        for (TControl* c : FControls) {
            if (c->Visible() && c->ControlStyle().Contains(csOpaque)) {
                clip = win::ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(),
                                            c->Top() + c->Height());
                if (clip == win::NULLREGION) break;
            }
        }
        if (clip != win::NULLREGION) PaintWindow(dc);
        win::RestoreDC(dc, saved);
    }
    PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(win::HDC DC) {
    TMessage m(win::WM_PAINT, reinterpret_cast<win::WPARAM>(DC), 0);
    DefaultHandler(m);
}

void TWinControl::PaintControls(win::HDC DC, TControl* First) {
    size_t i = 0;
    if (First != nullptr) {
        auto it = std::find(FControls.begin(), FControls.end(), First);
        if (it != FControls.end()) i = static_cast<size_t>(it - FControls.begin());
    }
    // A painting control may not change the list; walk a copy to be safe anyway.
    TControlList list(FControls.begin() + static_cast<std::ptrdiff_t>(i), FControls.end());
    for (TControl* c : list) {
        if (c->FParent != this || !c->Visible()) continue;
        TRect r = c->BoundsRect();
        if (!win::RectVisible(DC, &r)) continue;
        if (FControlState.Contains(csPaintCopy)) c->FControlState.Include(csPaintCopy);
        int saved = win::SaveDC(DC);
        MoveWindowOrg(DC, c->Left(), c->Top());
        win::IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
        try {
            c->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(DC), 0);
        } catch (...) {
            win::RestoreDC(DC, saved);
            c->FControlState.Exclude(csPaintCopy);
            throw;
        }
        win::RestoreDC(DC, saved);
        c->FControlState.Exclude(csPaintCopy);
    }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
    auto dc = reinterpret_cast<win::HDC>(Message.WParam);
    Message.Result = 1;
    if (dc == nullptr) return;
    if (FControlStyle.Contains(csParentBackground) && FParent != nullptr) {
        // The parent's background shows through, as if this control were not there.
        int saved = win::SaveDC(dc);
        MoveWindowOrg(dc, -FLeft, -FTop);
        FParent->Perform(win::WM_ERASEBKGND, Message.WParam, Message.WParam);
        FParent->PaintWindow(dc);
        win::RestoreDC(dc, saved);
        return;
    }
    // A double-buffered control erases only as it paints (sent with the same context in both parameters).
    if (!FDoubleBuffered || static_cast<win::LPARAM>(Message.WParam) == Message.LParam) {
        TRect r = GetClientRect();
        win::FillRect(dc, &r, FBrush->Handle());
    }
}

void TWinControl::Invalidate() {
    if (FHandle == nullptr || ComponentState().Contains(csDestroying)) return;
    win::InvalidateRect(FHandle, nullptr, FControlStyle.Contains(csOpaque) ? win::FALSE : win::TRUE);
}

void TWinControl::Update() {
    if (FHandle != nullptr) win::UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::PaintTo(win::HDC DC, int X, int Y) {
    FControlState.Include(csPaintCopy);
    int saved = win::SaveDC(DC);
    struct Restore {
        TWinControl* self;
        win::HDC dc;
        int saved;
        ~Restore() {
            win::RestoreDC(dc, saved);
            self->FControlState.Exclude(csPaintCopy);
        }
    } restore{this, DC, saved};
    MoveWindowOrg(DC, X, Y);
    win::IntersectClipRect(DC, 0, 0, FWidth, FHeight);
    Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(DC), reinterpret_cast<win::LPARAM>(DC));
    Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(DC), 0);
    TWinControlList children = FWinControls;
    for (TWinControl* c : children)
        if (c->FParent == this && c->Visible()) c->PaintTo(DC, c->Left(), c->Top());
}

// ---- Showing and the look notifications

void TWinControl::CMShowingChanged(TMessage&) {
    if (FHandle == nullptr) return;
    win::UINT flags = win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE;
    flags |= FShowing ? win::SWP_SHOWWINDOW : win::SWP_HIDEWINDOW;
    win::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, flags);
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
    if (!FVisible && FParent != nullptr) {
        // The focus cannot stay on a hidden control.
        TWinControl* root = FocusRoot();
        if (root != nullptr && root->FFocusedControl != nullptr && ContainsControl(root->FFocusedControl))
            root->FFocusedControl = FParent;
    }
    if (!FVisible && (MouseControl == this || (MouseControl != nullptr && MouseControl->Parent() == this &&
                                               !IsWindowed(MouseControl))))
        SetMouseControl(nullptr);
    if (!ComponentState().Contains(csDesigning)) UpdateControlState();
    (void)Message;
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
    if (!FEnabled && FParent != nullptr) {
        TWinControl* root = FocusRoot();
        if (root != nullptr && root->FFocusedControl != nullptr && ContainsControl(root->FFocusedControl))
            root->FFocusedControl = FParent;
    }
    if (FHandle != nullptr && !ComponentState().Contains(csDesigning))
        win::EnableWindow(FHandle, FEnabled ? win::TRUE : win::FALSE);
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMColorChanged(TMessage& Message) {
    FBrush->SetColor(FColor);
    NotifyControls(CM_PARENTCOLORCHANGED);
    TControl::CMColorChanged(Message);
}

void TWinControl::CMFontChanged(TMessage& Message) {
    if (FHandle != nullptr)
        win::SendMessage(FHandle, win::WM_SETFONT, reinterpret_cast<win::WPARAM>(FFont->Handle()), 0);
    NotifyControls(CM_PARENTFONTCHANGED);
    TControl::CMFontChanged(Message);
}

void TWinControl::CMTextChanged(TMessage& Message) {
    TControl::CMTextChanged(Message);
}

} // namespace vcl
