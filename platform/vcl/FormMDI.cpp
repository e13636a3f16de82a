// The MDI frame's client window: the area the frame's aligned controls leave free, where the MDI child
// forms live. It is a plain window of its own class (not a control); the frame places it after each
// alignment and asks its children which child form is active.

#include <algorithm>

#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

namespace vcl {

namespace {

constexpr const char* kMDIClientClass = "MDICLIENT";

TCustomForm* FrameOfClient(win::HWND Client) {
    TWinControl* w = FindControl(win::GetParent(Client));
    return w != nullptr ? w->AsForm() : nullptr;
}

TCustomForm* MDIChildOf(win::HWND Window) {
    TWinControl* w = FindControl(Window);
    TCustomForm* f = w != nullptr ? w->AsForm() : nullptr;
    return f != nullptr && f->FormStyle() == fsMDIChild ? f : nullptr;
}

win::LRESULT MDIClientProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
    switch (Msg) {
    case win::WM_ERASEBKGND:
        // The free area shows the frame's own colour.
        if (TCustomForm* frame = FrameOfClient(Wnd)) {
            win::RECT r{};
            win::GetClientRect(Wnd, &r);
            win::HBRUSH b = win::CreateSolidBrush(static_cast<win::COLORREF>(ColorToRGB(frame->Color())));
            win::FillRect(reinterpret_cast<win::HDC>(WParam), &r, b);
            win::DeleteObject(b);
            return 1;
        }
        break;
    case win::WM_MDIACTIVATE:
        if (TCustomForm* child = MDIChildOf(reinterpret_cast<win::HWND>(WParam))) {
            child->BringToFront();
            if (child->CanFocus()) child->SetFocus();
        }
        return 0;
    case win::WM_MDIGETACTIVE:
        if (TCustomForm* frame = FrameOfClient(Wnd))
            if (TCustomForm* active = frame->ActiveMDIChild())
                return reinterpret_cast<win::LRESULT>(active->WindowHandle());
        return 0;
    default:
        break;
    }
    return win::DefWindowProc(Wnd, Msg, WParam, LParam);
}

} // namespace

void TCustomForm::CreateClientWindow() {
    if (FClientHandle != nullptr || !HandleAllocated()) return;
    win::WNDCLASS existing{};
    if (!win::GetClassInfo(nullptr, kMDIClientClass, &existing)) {
        win::WNDCLASS wc{};
        wc.lpfnWndProc = &MDIClientProc;
        wc.lpszClassName = kMDIClientClass;
        wc.hCursor = win::LoadCursor(nullptr, win::IDC_ARROW);
        win::RegisterClass(&wc);
    }
    win::RECT r{};
    win::GetClientRect(WindowHandle(), &r);
    FClientHandle = win::CreateWindowEx(
        0, kMDIClientClass, "", win::WS_CHILD | win::WS_VISIBLE | win::WS_CLIPCHILDREN | win::WS_CLIPSIBLINGS,
        0, 0, r.Right, r.Bottom, WindowHandle(), nullptr, nullptr, nullptr);
    // Below the frame's own controls; its place and size follow the alignment.
    win::SetWindowPos(FClientHandle, win::HWND_BOTTOM, 0, 0, 0, 0,
                      win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
    Realign();
}

void TCustomForm::DestroyClientWindow() {
    win::HWND h = FClientHandle;
    FClientHandle = nullptr;
    if (h != nullptr && win::IsWindow(h)) win::DestroyWindow(h);
}

win::HWND TCustomForm::ClientHandle() {
    if (FFormStyle != fsMDIForm) return nullptr;
    HandleNeeded();
    CreateClientWindow();
    return FClientHandle;
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect) {
    TWinControl::AlignControls(AControl, Rect);
    if (FClientHandle == nullptr) return;
    win::SetWindowPos(FClientHandle, nullptr, Rect.Left, Rect.Top, std::max(Rect.Width(), 0),
                      std::max(Rect.Height(), 0), win::SWP_NOZORDER | win::SWP_NOACTIVATE);
}

} // namespace vcl
