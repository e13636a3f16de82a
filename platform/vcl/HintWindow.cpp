// The hint window.

#include "platform/vcl/HintWindow.h"

#include <algorithm>

#include "platform/vcl/Screen.h"
#include "platform/win/Gdi.h"
#include "platform/win/Input.h"

namespace vcl {

namespace {
constexpr win::UINT kHintTextFlags = win::DT_LEFT | win::DT_NOPREFIX | win::DT_WORDBREAK;
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    FVisible = false;
    FParentColor = false;
    FParentFont = false;
    SetColor(clInfoBk);
    Font()->Assign(GetScreen()->HintFont());
}

THintWindow::~THintWindow() = default;

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = win::WS_POPUP | win::WS_BORDER;
    Params.ExStyle = win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST | win::WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
    Params.WindowClass.style |= win::CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*) {
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, Font()->Handle());
    win::RECT r{0, 0, std::max(MaxWidth, 1), 0};
    win::DrawText(dc, AHint.c_str(), -1, &r, kHintTextFlags | win::DT_CALCRECT);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    // Room for the border and a little space around the text.
    return {0, 0, r.Right + 6, r.Bottom + 2};
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
    SetCaption(AHint);
    // Keep the hint on the monitor it is shown on.
    TMonitor* m = GetScreen()->MonitorFromPoint(Rect.TopLeft());
    if (m) {
        TRect mon = m->BoundsRect();
        int w = Rect.Width(), h = Rect.Height();
        if (Rect.Right > mon.Right) Rect.Left = mon.Right - w;
        if (Rect.Bottom > mon.Bottom) Rect.Top = mon.Bottom - h;
        Rect.Left = std::max(Rect.Left, mon.Left);
        Rect.Top = std::max(Rect.Top, mon.Top);
        Rect.Right = Rect.Left + w;
        Rect.Bottom = Rect.Top + h;
    }
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    win::HWND h = Handle();
    win::SetWindowPos(h, win::HWND_TOPMOST, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
                      win::SWP_SHOWWINDOW | win::SWP_NOACTIVATE);
    FVisible = true;
    win::InvalidateRect(h, nullptr, 1);
    win::UpdateWindow(h);
}

void THintWindow::ActivateHintData(TRect Rect, const String& AHint, void*) {
    ActivateHint(Rect, AHint);
}

void THintWindow::ReleaseHandle() {
    FVisible = false;
    DestroyHandle();
}

bool THintWindow::IsHintMsg(const win::MSG& Msg) const {
    using namespace win;
    UINT m = Msg.message;
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN ||
           m == WM_MBUTTONDOWN || m == WM_NCLBUTTONDOWN || m == WM_ACTIVATE || m == WM_ACTIVATEAPP;
}

void THintWindow::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    r.Left += 2;
    r.Top += 0;
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    String text = Caption();
    win::DrawText(c->Handle(), text.c_str(), -1, &r, kHintTextFlags);
}

void THintWindow::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_NCHITTEST:
        Message.Result = win::HTTRANSPARENT;
        return;
    case win::WM_MOUSEACTIVATE:
        Message.Result = win::MA_NOACTIVATE;
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

} // namespace vcl
