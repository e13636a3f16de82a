#include "components/toolbar/dock/ToolBarMenuHooks_p.h"

#include "components/toolbar/dock/ToolBarButton.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"

namespace AdvToolBar {

MenuBarHooks& MenuBarHooks::Get() {
    static MenuBarHooks h;
    return h;
}

TAdvCustomToolBarButton* MenuBarHooks::FindNextMenuButton(bool Forward) {
    MenuBarHooks& h = Get();
    TAdvCustomToolBar* t = h.MenuToolBar;
    if (t == nullptr) return nullptr;
    int n = t->ToolBarControlCount();
    if (n == 0) return nullptr;
    int i = h.MenuButtonIndex;
    for (int k = 1; k < n; ++k) {
        int at = (((i + (Forward ? k : -k)) % n) + n) % n;
        auto* b = dynamic_cast<TAdvCustomToolBarButton*>(t->ToolBarControls(at));
        if (b != nullptr && b->Visible() && b->Enabled()) return b;
    }
    return nullptr;
}

win::LRESULT MenuBarHooks::MsgFilterProc(int Code, win::WPARAM WParam, win::LPARAM LParam) {
    MenuBarHooks& h = Get();
    auto* msg = reinterpret_cast<win::MSG*>(LParam);
    // In a right-to-left menu the two arrow keys trade places.
    if (msg != nullptr && h.SelectedItem != nullptr && msg->message == win::WM_KEYDOWN)
        if (vcl::TMenu* m = h.SelectedItem->GetParentMenu(); m != nullptr && m->IsRightToLeft()) {
            if (msg->wParam == win::VK_LEFT)
                msg->wParam = win::VK_RIGHT;
            else if (msg->wParam == win::VK_RIGHT)
                msg->wParam = win::VK_LEFT;
        }
    win::LRESULT r = win::CallNextHookEx(h.MsgFilter.Handle(), Code, WParam, LParam);
    if (r != 0 || Code != win::MSGF_MENU || msg == nullptr || h.MenuToolBar == nullptr) return r;
    TAdvCustomToolBar* t = h.MenuToolBar;
    if (!h.FirstKey) {
        // The menu opens with its first item highlighted.
        h.FirstKey = true;
        win::PostMessage(msg->hwnd, win::WM_KEYDOWN, win::VK_DOWN, 0);
    }
    TAdvCustomToolBarButton* target = nullptr;
    bool byMouse = false;
    switch (msg->message) {
    case win::WM_KEYDOWN:
        if (msg->wParam == win::VK_RETURN) t->FMenuResult = true;
        if (msg->wParam == win::VK_ESCAPE) h.Switch = true;
        if (h.SelectedItem != nullptr) {
            if (msg->wParam == win::VK_RIGHT && h.SelectedItem->Count() == 0)
                target = FindNextMenuButton(true);
            else if (msg->wParam == win::VK_LEFT && t->FTempMenu != nullptr &&
                     h.SelectedItem->Parent() == t->FTempMenu->Items())
                target = FindNextMenuButton(false);
        }
        break;
    case win::WM_SYSKEYDOWN:
        if (msg->wParam == win::VK_MENU) t->CancelMenu();
        return r;
    case win::WM_MOUSEMOVE: {
        win::POINT p{};
        win::GetCursorPos(&p);
        if (p.X != h.LastPoint.X || p.Y != h.LastPoint.Y) {
            target =
                dynamic_cast<TAdvCustomToolBarButton*>(vcl::FindDragTarget(vcl::TPoint{p.X, p.Y}, false));
            h.LastPoint = p;
            byMouse = true;
        }
        break;
    }
    default:
        break;
    }
    if (target != nullptr && target->IsMenuButton() && target->GetIndex() != h.MenuButtonIndex &&
        target->Parent() != nullptr && target->Parent()->HandleAllocated()) {
        h.Switch = true;
        t->FCaptureCancels = false;
        t->ClickButton(target, byMouse);
    }
    return r;
}

// The selection notices (WM_MENUSELECT) go to the pop-up's owner window, past the message filter.
win::LRESULT MenuBarHooks::SelectWatchProc(int Code, win::WPARAM WParam, win::LPARAM LParam) {
    MenuBarHooks& h = Get();
    win::LRESULT r = win::CallNextHookEx(h.SelectWatch.Handle(), Code, WParam, LParam);
    auto* cwp = reinterpret_cast<const win::CWPSTRUCT*>(LParam);
    if (Code != win::HC_ACTION || cwp == nullptr || cwp->message != win::WM_MENUSELECT) return r;
    TAdvCustomToolBar* t = h.MenuToolBar;
    if (t == nullptr) return r;
    win::WORD flags = win::HIWORD(cwp->wParam);
    if (flags == 0xFFFF && cwp->lParam == 0) {
        // The menu closes: the end of menu mode, unless it closed for a switch or for Escape.
        if (!h.Switch) t->CancelMenu();
        return r;
    }
    h.Switch = false;
    h.SelectedItem = nullptr;
    if (t->FTempMenu == nullptr) return r;
    auto menu = reinterpret_cast<win::HMENU>(cwp->lParam);
    win::WORD index = win::LOWORD(cwp->wParam);
    if (flags & win::MF_POPUP)
        h.SelectedItem = t->FTempMenu->FindItem(
            reinterpret_cast<std::uintptr_t>(win::GetSubMenu(menu, index)), vcl::fkHandle);
    else
        h.SelectedItem = t->FTempMenu->FindItem(index, vcl::fkCommand);
    return r;
}

win::LRESULT MenuBarHooks::GetMessageProc(int Code, win::WPARAM WParam, win::LPARAM LParam) {
    MenuBarHooks& h = Get();
    auto* msg = reinterpret_cast<win::MSG*>(LParam);
    if (Code == win::HC_ACTION && WParam == win::PM_REMOVE && msg != nullptr &&
        h.KeyboardToolBar != nullptr) {
        switch (msg->message) {
        case vcl::CM_DEACTIVATE:
            h.KeyboardToolBar->CancelMenu();
            break;
        case win::WM_COMMAND:
            // A command was chosen: menu mode is over.
            h.GetMessage.Remove();
            break;
        case win::WM_KEYDOWN:
        case win::WM_KEYUP:
        case win::WM_CHAR:
        case win::WM_SYSKEYDOWN:
        case win::WM_SYSKEYUP:
            // Keys go to the toolbar while no pop-up is tracked (a tracked pop-up takes its own).
            if (h.MsgFilter.Handle() == nullptr && h.KeyboardToolBar->HandleAllocated())
                msg->hwnd = h.KeyboardToolBar->Handle();
            break;
        default:
            break;
        }
    }
    return win::CallNextHookEx(nullptr, Code, WParam, LParam);
}

void MenuBarHooks::InitToolMenuHooks(TAdvCustomToolBar* ToolBar, int ButtonIndex) {
    MenuBarHooks& h = Get();
    h.MenuButtonIndex = ButtonIndex;
    h.MenuToolBar = ToolBar;
    h.Switch = false;
    win::GetCursorPos(&h.LastPoint);
    if (h.MsgFilter.Handle() == nullptr) h.MsgFilter.Set(win::WH_MSGFILTER, MsgFilterProc);
    if (h.SelectWatch.Handle() == nullptr) h.SelectWatch.Set(win::WH_CALLWNDPROC, SelectWatchProc);
}

void MenuBarHooks::ReleaseToolMenuHooks() {
    MenuBarHooks& h = Get();
    h.MsgFilter.Remove();
    h.SelectWatch.Remove();
    h.MenuToolBar = nullptr;
    h.SelectedItem = nullptr;
    h.MenuButtonIndex = -1;
    h.FirstKey = false;
}

} // namespace AdvToolBar
