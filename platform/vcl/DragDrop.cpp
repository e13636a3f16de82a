// The drag-and-drop engine: one drag at a time, driven by the mouse capture of a hidden window.

#include "platform/vcl/DragDrop.h"

#include <cstdlib>
#include <vector>

#include "platform/vcl/Canvas.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Windows.h"

namespace vcl {

namespace {

constexpr const char* kCaptureClass = "TPDragCapture";
constexpr const char* kImageClass = "TPDragImage";

void RegisterClassOnce(const char* Name, win::WNDPROC Proc) {
    win::WNDCLASS existing{};
    if (win::GetClassInfo(nullptr, Name, &existing)) return;
    win::WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = Name;
    win::RegisterClassEx(&wc);
}

TPoint CursorPos() {
    win::POINT p{};
    win::GetCursorPos(&p);
    return TPoint{p.X, p.Y};
}

} // namespace

// ---- The engine

class TDragEngine {
public:
    static TDragEngine& Get() {
        static TDragEngine engine;
        return engine;
    }

    void Begin(TControl* Source, bool Immediate, int Threshold) {
        if (FSource) return;
        FSource = Source;
        FStart = CursorPos();
        FThreshold = Threshold < 0 ? Mouse->DragThreshold() : Threshold;
        FPending = true;
        if (Immediate) Start();
    }

    void PendingMove(TControl* Source) {
        if (!FPending || Source != FSource) return;
        TPoint p = CursorPos();
        if (std::abs(p.X - FStart.X) >= FThreshold || std::abs(p.Y - FStart.Y) >= FThreshold) Start();
    }

    bool PendingRelease(TControl* Source) {
        if (!FPending || Source != FSource) return false;
        Reset();
        return true;
    }

    bool IsSource(const TControl* Control) const { return Control && Control == FSource; }
    TDragObject* Object() const { return FActive ? FObject : nullptr; }

    // Ends the drag: Drop true drops on the target when it accepted, false cancels.
    void Done(bool Drop) {
        if (FPending) {
            Reset();
            return;
        }
        if (!FActive || FEnding) return;
        FEnding = true;
        StopTracking();
        TControl* source = FSource;
        TDragObject* obj = FObject;
        std::unique_ptr<TDragObject> owned = std::move(FOwned);
        TObject* sourceArg = SourceArg(owned.get());
        TControl* target = obj->FDragTarget;
        TPoint at = obj->FDragTargetPos;
        bool accepted = Drop && FAccepted && target;
        obj->FCancelling = !Drop;
        Reset();
        // From here on a handler may free either control or start the next drag.
        Watch watchSource(source);
        Watch watchTarget(target);
        if (target) {
            bool ignored = false;
            target->DragOver(sourceArg, at.X, at.Y, dsDragLeave, ignored);
        }
        accepted = accepted && watchTarget.Alive();
        if (accepted) target->DragDrop(sourceArg, at.X, at.Y);
        accepted = accepted && watchTarget.Alive();
        obj->FDropped = accepted;
        if (!accepted && watchSource.Alive()) at = source->ScreenToClient(obj->FDragPos);
        obj->Finished(accepted ? target : nullptr, at.X, at.Y, accepted);
        if (watchSource.Alive()) source->DoEndDrag(accepted ? target : nullptr, at.X, at.Y);
    }

    void Forget(TControl* Control) {
        for (Watch* w : FWatches)
            if (w->Control == Control) w->FAlive = false;
        if (FObject && FObject->FDragTarget == Control) {
            FObject->FDragTarget = nullptr;
            FAccepted = false;
        }
        if (auto* co = dynamic_cast<TBaseDragControlObject*>(FOwned.get()); co && co->FControl == Control)
            co->FControl = nullptr;
        if (Control == FSource) {
            // The source is gone: the drag ends without events.
            if (FActive && !FEnding) StopTracking();
            Reset();
        }
    }

private:
    // Remembers whether a control survives the handlers called while it is watched.
    struct Watch {
        explicit Watch(TControl* C) : Control(C) { Get().FWatches.push_back(this); }
        ~Watch() { std::erase(Get().FWatches, this); }
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;
        bool Alive() const { return Control && FAlive; }
        TControl* Control;
        bool FAlive = true;
    };

    TObject* SourceArg(TDragObject* Owned) const {
        if (Owned) return static_cast<TBaseDragControlObject*>(Owned)->Control();
        return FObject;
    }

    void Start() {
        FPending = false;
        TControl* source = FSource;
        // The press that started the drag is no click of the source's.
        TControlState st = source->ControlState();
        st.Exclude(csClicked);
        st.Exclude(csLButtonDown);
        source->SetControlState(st);
        if (GetCaptureControl() == source) SetCaptureControl(nullptr);
        TDragObject* obj = nullptr;
        {
            Watch w(source);
            source->DoStartDrag(obj);
            if (!w.Alive() || FSource != source) return;
        }
        if (!obj) {
            FOwned = std::make_unique<TDragControlObject>(source);
            obj = FOwned.get();
        }
        FObject = obj;
        FActive = true;
        FAccepted = false;
        RegisterClassOnce(kCaptureClass, &TDragEngine::CaptureProc);
        FCapture = win::CreateWindowEx(0, kCaptureClass, "", win::WS_POPUP, 0, 0, 0, 0, win::HWND_MESSAGE,
                                       nullptr, nullptr, nullptr);
        FHook = win::SetWindowsHookEx(win::WH_KEYBOARD, &TDragEngine::KeyProc, nullptr, 0);
        win::SetCapture(FCapture);
        if (TDragImageList* images = obj->GetDragImages(); images && images->DragImageIndex() >= 0) {
            FImages = images;
            TPoint p = CursorPos();
            images->BeginDrag(p.X, p.Y);
            images->HideDragImage();
        }
        MoveTo(CursorPos());
    }

    void MoveTo(TPoint Pos) {
        if (!FActive || FEnding) return;
        TDragObject* obj = FObject;
        obj->FDragPos = Pos;
        TControl* target = FindDragTarget(Pos, false);
        TObject* sourceArg = SourceArg(FOwned.get());
        auto ask = [&](TControl* C, TDragState State) {
            TPoint at = C->ScreenToClient(Pos);
            obj->FDragTargetPos = at;
            bool accept = false;
            C->DragOver(sourceArg, at.X, at.Y, State, accept);
            return accept;
        };
        if (target != obj->FDragTarget) {
            if (TControl* old = obj->FDragTarget) {
                bool ignored = false;
                TPoint at = old->ScreenToClient(Pos);
                old->DragOver(sourceArg, at.X, at.Y, dsDragLeave, ignored);
            }
            if (!FActive) return;
            obj->FDragTarget = target;
            FAccepted = target && ask(target, dsDragEnter);
        } else if (target) {
            FAccepted = ask(target, dsDragMove);
        }
        if (!FActive) return;
        TPoint at = obj->FDragTargetPos;
        win::SetCursor(CursorHandleOf(obj->GetDragCursor(FAccepted, at.X, at.Y)));
        if (FImages) {
            FImages->DragMove(Pos.X, Pos.Y);
            if (obj->FDragTarget && obj->FDragTarget->ControlStyle().Contains(csDisplayDragImage))
                FImages->ShowDragImage();
            else
                FImages->HideDragImage();
        }
    }

    void StopTracking() {
        FEnding = true;
        if (FImages) FImages->EndDrag();
        FImages = nullptr;
        if (FHook) win::UnhookWindowsHookEx(FHook);
        FHook = nullptr;
        if (FCapture) {
            win::HWND h = FCapture;
            FCapture = nullptr;
            if (win::GetCapture() == h) win::ReleaseCapture();
            if (win::IsWindow(h)) win::DestroyWindow(h);
        }
    }

    void Reset() {
        FSource = nullptr;
        FObject = nullptr;
        FOwned.reset();
        FPending = FActive = FEnding = FAccepted = false;
    }

    static win::LRESULT CaptureProc(win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) {
        TDragEngine& e = Get();
        if (h == e.FCapture) {
            switch (m) {
            case win::WM_MOUSEMOVE:
                e.MoveTo(CursorPos());
                return 0;
            case win::WM_LBUTTONUP:
                e.Done(true);
                return 0;
            case win::WM_RBUTTONDOWN:
                e.Done(false);
                return 0;
            case win::WM_CAPTURECHANGED:
                e.Done(false);
                return 0;
            case win::WM_SETCURSOR:
                return 1;
            default:
                break;
            }
        }
        return win::DefWindowProc(h, m, w, l);
    }

    static win::LRESULT KeyProc(int Code, win::WPARAM W, win::LPARAM L) {
        TDragEngine& e = Get();
        // Bit 31 of the key data is set for a release.
        bool down = (static_cast<unsigned long>(L) & 0x80000000UL) == 0;
        if (Code >= 0 && W == win::VK_ESCAPE && e.FActive) {
            if (down) e.Done(false);
            return 1;
        }
        return win::CallNextHookEx(nullptr, Code, W, L);
    }

    TControl* FSource = nullptr;
    TDragObject* FObject = nullptr;
    std::unique_ptr<TDragObject> FOwned;
    TDragImageList* FImages = nullptr;
    TPoint FStart;
    int FThreshold = 5;
    bool FPending = false;
    bool FActive = false;
    bool FEnding = false;
    bool FAccepted = false;
    win::HWND FCapture = nullptr;
    win::HHOOK FHook = nullptr;
    std::vector<Watch*> FWatches;
};

TDragObject* CurrentDragObject() {
    return TDragEngine::Get().Object();
}

namespace detail {
void BeginDrag(TControl* Source, bool Immediate, int Threshold) {
    TDragEngine::Get().Begin(Source, Immediate, Threshold);
}
void EndDrag(TControl* Source, bool Drop) {
    if (TDragEngine::Get().IsSource(Source)) TDragEngine::Get().Done(Drop);
}
bool IsDragSource(const TControl* Control) {
    return TDragEngine::Get().IsSource(Control);
}
void PendingMove(TControl* Source) {
    TDragEngine::Get().PendingMove(Source);
}
bool PendingRelease(TControl* Source) {
    return TDragEngine::Get().PendingRelease(Source);
}
void ForgetDragControl(TControl* Control) {
    TDragEngine::Get().Forget(Control);
}
} // namespace detail

// ---- Drag objects

TDragObject::~TDragObject() = default;

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) {
    return Accepted ? crDrag : crNoDrop;
}

void TDragObject::Finished(TObject*, int, int, bool) {}

TCursor TBaseDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
    if (Accepted && FControl) return FControl->DragCursor();
    return TDragObject::GetDragCursor(Accepted, X, Y);
}

TDragImageList* TBaseDragControlObject::GetDragImages() {
    return FControl ? FControl->GetDragImages() : nullptr;
}

// ---- Drag image list

TDragImageList::TDragImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
TDragImageList::TDragImageList(int AWidth, int AHeight) : TCustomImageList(AWidth, AHeight) {}

TDragImageList::~TDragImageList() {
    EndDrag();
}

bool TDragImageList::SetDragImage(int Index, int HotSpotX, int HotSpotY) {
    if (Index < 0 || Index >= Count()) return false;
    FDragIndex = Index;
    FHotSpot = TPoint{HotSpotX, HotSpotY};
    return true;
}

bool TDragImageList::BeginDrag(int X, int Y) {
    if (FDragIndex < 0 || FDragIndex >= Count()) return false;
    EndDrag();
    RegisterClassOnce(kImageClass, &TDragImageList::WndProc);
    // Layered and transparent: the pointer's hit tests look through it to the controls below.
    FWindow = win::CreateWindowEx(win::WS_EX_LAYERED | win::WS_EX_TRANSPARENT | win::WS_EX_TOOLWINDOW |
                                      win::WS_EX_TOPMOST,
                                  kImageClass, "", win::WS_POPUP, X - FHotSpot.X, Y - FHotSpot.Y, Width(),
                                  Height(), nullptr, nullptr, nullptr, nullptr);
    if (!FWindow) return false;
    win::SetWindowLongPtr(FWindow, win::GWLP_USERDATA, reinterpret_cast<win::LONG_PTR>(this));
    win::SetLayeredWindowAttributes(FWindow, 0, 128, win::LWA_ALPHA);
    ShowDragImage();
    return true;
}

bool TDragImageList::DragMove(int X, int Y) {
    if (!FWindow) return false;
    win::SetWindowPos(FWindow, win::HWND_TOPMOST, X - FHotSpot.X, Y - FHotSpot.Y, 0, 0,
                      win::SWP_NOSIZE | win::SWP_NOACTIVATE);
    return true;
}

void TDragImageList::ShowDragImage() {
    if (FWindow && !win::IsWindowVisible(FWindow)) win::ShowWindow(FWindow, win::SW_SHOWNOACTIVATE);
}

void TDragImageList::HideDragImage() {
    if (FWindow && win::IsWindowVisible(FWindow)) win::ShowWindow(FWindow, win::SW_HIDE);
}

bool TDragImageList::EndDrag() {
    if (!FWindow) return false;
    win::HWND h = FWindow;
    FWindow = nullptr;
    if (win::IsWindow(h)) {
        win::SetWindowLongPtr(h, win::GWLP_USERDATA, 0);
        win::DestroyWindow(h);
    }
    return true;
}

win::LRESULT TDragImageList::WndProc(win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) {
    auto* self = reinterpret_cast<TDragImageList*>(win::GetWindowLongPtr(h, win::GWLP_USERDATA));
    if (m == win::WM_PAINT && self) {
        win::PAINTSTRUCT ps{};
        win::HDC dc = win::BeginPaint(h, &ps);
        TCanvas canvas;
        canvas.SetHandle(dc);
        self->Draw(&canvas, 0, 0, self->FDragIndex);
        canvas.SetHandle(nullptr);
        win::EndPaint(h, &ps);
        return 0;
    }
    return win::DefWindowProc(h, m, w, l);
}

} // namespace vcl
