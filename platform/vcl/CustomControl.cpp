// TControlCanvas, TGraphicControl and TCustomControl.

#include "platform/vcl/CustomControl.h"

#include <algorithm>
#include <vector>

namespace vcl {

namespace {

// The control canvases holding a device context they took themselves.
std::vector<TControlCanvas*>& CanvasList() {
    static std::vector<TControlCanvas*> list;
    return list;
}

} // namespace

void FreeDeviceContexts() {
    // A canvas that is locked is being drawn on by a handler further up the stack: it keeps its context.
    std::vector<TControlCanvas*> list = CanvasList();
    for (TControlCanvas* c : list) {
        if (std::find(CanvasList().begin(), CanvasList().end(), c) == CanvasList().end()) continue;
        if (c->LockCount() > 0) continue;
        c->FreeHandle();
    }
}

// ---- TControlCanvas

TControlCanvas::TControlCanvas() = default;

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* AControl) {
    if (FControl == AControl) return;
    FreeHandle();
    FControl = AControl;
}

void TControlCanvas::CreateHandle() {
    if (FControl == nullptr) return;
    win::HWND h = nullptr;
    auto* windowed = dynamic_cast<TWinControl*>(FControl);
    if (windowed != nullptr)
        h = windowed->Handle();
    else if (FControl->Parent() != nullptr)
        h = FControl->Parent()->Handle();
    if (h == nullptr) return;
    win::HDC dc = win::GetDC(h);
    if (dc == nullptr) return;
    if (windowed == nullptr) {
        // The windowless control's own area of its parent's window.
        win::SetWindowOrgEx(dc, -FControl->Left(), -FControl->Top(), nullptr);
        win::IntersectClipRect(dc, 0, 0, FControl->Width(), FControl->Height());
    }
    FDeviceContext = dc;
    FWindowHandle = h;
    CanvasList().push_back(this);
    SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
    if (FDeviceContext == nullptr) {
        if (HandleAllocated()) SetHandle(nullptr);
        return;
    }
    SetHandle(nullptr);
    win::ReleaseDC(FWindowHandle, FDeviceContext);
    FDeviceContext = nullptr;
    FWindowHandle = nullptr;
    std::erase(CanvasList(), this);
}

// ---- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
    FCanvas = std::make_unique<TControlCanvas>();
    FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
    BeforeDestruction();
    FCanvas->FreeHandle();
}

void TGraphicControl::WndProc(TMessage& Message) {
    if (Message.Msg == win::WM_PAINT) {
        TWMPaint m(Message);
        WMPaint(m);
        m.Store(Message);
        return;
    }
    TControl::WndProc(Message);
}

void TGraphicControl::WMPaint(TWMPaint& Message) {
    if (Message.DC == nullptr) return;
    FCanvas->FreeHandle();
    FCanvas->Lock();
    struct Done {
        TControlCanvas* c;
        ~Done() {
            c->SetHandle(nullptr);
            c->Unlock();
        }
    } done{FCanvas.get()};
    FCanvas->SetHandle(Message.DC);
    Paint();
}

// ---- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
    FCanvas = std::make_unique<TControlCanvas>();
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() {
    BeforeDestruction();
    FCanvas->FreeHandle();
}

void TCustomControl::PaintWindow(win::HDC DC) {
    FCanvas->FreeHandle();
    FCanvas->Lock();
    FControlState.Include(csCustomPaint);
    struct Done {
        TControlCanvas* c;
        TControlState* state;
        ~Done() {
            c->SetHandle(nullptr);
            c->Unlock();
            state->Exclude(csCustomPaint);
        }
    } done{FCanvas.get(), &FControlState};
    FCanvas->SetHandle(DC);
    Paint();
}

} // namespace vcl
