#include "components/menus/AdvMenuWindow.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "components/menus/AdvMenuItemInfo.h"
#include "components/menus/AdvMenuPaint.h"
#include "components/menus/AdvMenuUtil.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"

namespace AdvMenus {

using namespace vcl;

namespace {

std::vector<TMenu*> g_menus;
win::HHOOK g_cbtHook = nullptr;
// The window procedure each hooked popup window had before.
std::unordered_map<win::HWND, win::WNDPROC> g_popupProcs;
// The hooked MDI clients: their menu and their previous procedure.
struct MDIHook {
    TAdvMainMenu* Menu;
    win::WNDPROC Proc;
};
std::unordered_map<win::HWND, MDIHook> g_mdiClients;

bool IsMenuWindowClass(win::HWND Wnd) {
    char name[16] = {};
    return win::GetClassName(Wnd, name, sizeof(name)) > 0 && String(name) == win::MENU_WINDOW_CLASS;
}

// The first visible item of the owner-drawn menu shown in the popup window, or null.
TMenuItem* FirstItemShownIn(win::HWND Wnd) {
    win::HMENU h = win::MenuOfWindow(Wnd);
    if (!h) return nullptr;
    for (TMenu* menu : g_menus)
        if (TMenuItem* parent = menu->FindItem(reinterpret_cast<std::uintptr_t>(h), fkHandle))
            return FirstVisibleItem(parent);
    return nullptr;
}

int WindowLevel(TMenuItem* Item) {
    return GetMenuItemLevel(Item) + (dynamic_cast<TAdvPopupMenu*>(GetParentMenuEx(Item)) ? 1 : 0);
}

void Subclass(win::HWND Wnd) {
    auto old = reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(Wnd, win::GWLP_WNDPROC));
    if (old == &MenuWindowProc || g_popupProcs.count(Wnd)) return;
    g_popupProcs[Wnd] = old;
    win::SetWindowLongPtr(Wnd, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(&MenuWindowProc));
}

// The region that hides the outer pixel and the 17-pixel strip; the place where the frame meets the item
// the window drops from (a drop-down one pixel left and two up, a submenu over its parent's strip).
win::POINT PlaceMenuWindow(win::HWND Wnd, TMenuItem* Item, win::POINT At) {
    win::RECT wr{};
    win::GetWindowRect(Wnd, &wr);
    win::SetWindowRgn(Wnd, win::CreateRectRgn(1, 1, wr.Width() - 1 - kHiddenStrip, wr.Height() - 1),
                      win::FALSE);
    // The menu's opacity reaches its windows here, once each, before they show.
    if (IAdvMenu* intf = GetMenuItemIntf(Item)) SetMenuOpacity(intf, Wnd, intf->GetOpacity());
    if (WindowLevel(Item) <= 1) return {At.X - 1, At.Y - 2};
    return {IsRightAligned(Item) ? At.X - kHiddenStrip + 3 : At.X + kHiddenStrip + 3, At.Y};
}

// Takes the region away and our procedure out; true when the window is free of the hook. A procedure
// put in front of ours later keeps ours behind it (the record stays until the window goes).
bool Unhook(win::HWND Wnd) {
    auto it = g_popupProcs.find(Wnd);
    if (it == g_popupProcs.end()) return true;
    win::SetWindowRgn(Wnd, nullptr, win::FALSE);
    if (reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(Wnd, win::GWLP_WNDPROC)) != &MenuWindowProc)
        return false;
    win::SetWindowLongPtr(Wnd, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(it->second));
    return true;
}

win::LRESULT CbtProc(int Code, win::WPARAM WParam, win::LPARAM LParam) {
    if (Code == win::HCBT_CREATEWND) {
        auto wnd = reinterpret_cast<win::HWND>(WParam);
        if (IsMenuWindowClass(wnd)) Subclass(wnd);
    }
    return win::CallNextHookEx(g_cbtHook, Code, WParam, LParam);
}

} // namespace

bool IsMenuWindowHooked(win::HWND Wnd) {
    // Known by the record, not by the window's procedure: another procedure may stand in front of ours.
    return g_popupProcs.count(Wnd) != 0;
}

void RegisterAdvMenu(TMenu* Menu) {
    // The menus draw their windows at once: no animation while any of them lives.
    if (g_menus.empty()) AdvMenuUtil::DisableMenuAnimation();
    g_menus.push_back(Menu);
    if (!g_cbtHook)
        g_cbtHook = win::SetWindowsHookEx(win::WH_CBT, &CbtProc, nullptr, win::GetCurrentThreadId());
}

void UnregisterAdvMenu(TMenu* Menu) {
    g_menus.erase(std::remove(g_menus.begin(), g_menus.end(), Menu), g_menus.end());
    if (!g_menus.empty()) return;
    if (g_cbtHook) win::UnhookWindowsHookEx(g_cbtHook);
    g_cbtHook = nullptr;
    AdvMenuUtil::RestoreMenuAnimation();
}

win::LRESULT MenuWindowProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
    auto it = g_popupProcs.find(Wnd);
    win::WNDPROC old = it != g_popupProcs.end() ? it->second : &win::DefWindowProc;
    switch (Msg) {
    case win::WM_ERASEBKGND:
        return 1;
    case win::WM_WINDOWPOSCHANGING: {
        // Placed before it first shows, so the window never jumps.
        auto* pos = reinterpret_cast<win::WINDOWPOS*>(LParam);
        if (!(pos->flags & win::SWP_SHOWWINDOW)) break;
        TMenuItem* item = FirstItemShownIn(Wnd);
        if (!item) break;
        win::RECT wr{};
        win::GetWindowRect(Wnd, &wr);
        win::POINT at = PlaceMenuWindow(Wnd, item, win::POINT{wr.Left, wr.Top});
        pos->x = at.X;
        pos->y = at.Y;
        pos->flags &= ~win::SWP_NOMOVE;
        break;
    }
    case win::WM_SHOWWINDOW:
        if ((WParam & 0xFF) != 0) break;
        [[fallthrough]];
    case win::WM_CLOSE:
    case win::WM_DESTROY: {
        if (Unhook(Wnd) || Msg == win::WM_DESTROY) g_popupProcs.erase(Wnd);
        return win::CallWindowProc(old, Wnd, Msg, WParam, LParam);
    }
    default:
        break;
    }
    return win::CallWindowProc(old, Wnd, Msg, WParam, LParam);
}

void DrawMenuWindowBorder(TMenuItem* Item, TCanvas* ACanvas) {
    win::HWND wnd = win::WindowFromDC(ACanvas->Handle());
    TMenu* menu = GetParentMenuEx(Item);
    IAdvMenu* intf = GetAdvMenuIntf(menu);
    if (!intf || !wnd || !win::IsWindow(wnd) || wnd == GetMenuWnd(menu) || IsInTopMainMenu(Item)) return;
    if (!IsMenuWindowClass(wnd)) return;
    const int level = WindowLevel(Item);
    win::RECT wr{};
    win::GetWindowRect(wnd, &wr);
    if (!IsMenuWindowHooked(wnd)) {
        Subclass(wnd);
        win::POINT at = PlaceMenuWindow(wnd, Item, win::POINT{wr.Left, wr.Top});
        win::SetWindowPos(wnd, nullptr, at.X, at.Y, 0, 0,
                          win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE | win::SWP_NOREDRAW);
        win::GetWindowRect(wnd, &wr);
    }
    TCustomAdvMenuStyler* s = intf->GetCurrentMenuStyler();
    // The frame follows the region at every level: its right edge stands where the hidden strip begins.
    TRect f{1, 1, wr.Width() - 1 - kHiddenStrip, wr.Height() - 1};
    // Drawn on the painting's own device context: a window painted in parts redraws only those parts.
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(s->MenuBorderColor);
    if (s->MenuBorderColor != clNone) ACanvas->FrameRect(f);
    if (level == 1 && Item->Parent() && IsInTopMainMenu(Item->Parent())) {
        TMenuItem* barItem = Item->Parent();
        TMainMenu* main = dynamic_cast<TMainMenu*>(menu);
        win::RECT br{};
        win::HWND form = GetMenuWnd(menu);
        if (main && form &&
            win::GetMenuItemRect(form, main->Handle(), static_cast<win::UINT>(VisibleMenuIndex(barItem)),
                                 &br)) {
            ACanvas->Brush()->SetColor(s->Background()->Color());
            ACanvas->FillRect(TRect{br.Left + 1 - wr.Left, 1, br.Right - 1 - wr.Left, 2});
        }
    }
    ACanvas->Brush()->SetColor(s->Background()->Color());
    ACanvas->FrameRect(TRect{f.Left + 1, f.Top + 1, f.Right - 1, f.Bottom - 1});
}

// ---- Opacity

void SetMenuOpacity(IAdvMenu* Menu, win::HWND Wnd, Byte Value) {
    (void)Value; // the menu's own opacity decides
    if (!Menu || !Wnd || !AdvMenuUtil::SupportsLayeredWindows()) return;
    const bool layered = (win::GetWindowLongPtr(Wnd, win::GWL_EXSTYLE) & win::WS_EX_LAYERED) != 0;
    if (dynamic_cast<TAdvPopupMenu*>(Menu->GetSelf())) {
        if (!layered && Menu->GetOpacity() < 255) {
            AdvMenuUtil::SetWindowLayered(Wnd, true);
            AdvMenuUtil::SetLayeredWindowAttributes(Wnd, 0, Menu->GetOpacity(), win::LWA_ALPHA);
        }
    } else if (layered) {
        AdvMenuUtil::SetLayeredWindowAttributes(Wnd, 0, 255, win::LWA_ALPHA);
        AdvMenuUtil::SetWindowLayered(Wnd, false);
    }
}

void SetMenuOpacity(TMenuItem* Item, TCanvas* ACanvas) {
    IAdvMenu* intf = GetMenuItemIntf(Item);
    if (!intf) return;
    SetMenuOpacity(intf, win::WindowFromDC(ACanvas->Handle()), intf->GetOpacity());
}

// ---- The window list of a multiple-document frame

TCustomForm* FindForm(win::HWND Wnd) {
    TScreen* screen = GetScreen();
    for (int i = 0; i < screen->FormCount(); ++i)
        if (TCustomForm* f = screen->Forms(i); f->HandleAllocated() && f->Handle() == Wnd) return f;
    return nullptr;
}

win::HWND GetMDIClientWnd(IAdvMenu* Menu) {
    auto* main = Menu ? dynamic_cast<TAdvMainMenu*>(Menu->GetSelf()) : nullptr;
    if (!main || main->ComponentState().Contains(csDestroying)) return nullptr;
    auto* form = dynamic_cast<TCustomForm*>(main->Owner());
    if (!form) return nullptr;
    if (form->FormStyle() == fsMDIChild) form = MDIFrameOf(form);
    if (!form || form->FormStyle() != fsMDIForm || !form->HandleAllocated()) return nullptr;
    return form->ClientHandle();
}

void HookMDIClient(TAdvMainMenu* Menu) {
    win::HWND client = GetMDIClientWnd(Menu);
    if (!client) return;
    auto proc = reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(client, win::GWLP_WNDPROC));
    if (proc == &MDIClientWindowProc) {
        g_mdiClients[client].Menu = Menu;
        return;
    }
    UnhookMDIClient(Menu);
    g_mdiClients[client] = MDIHook{Menu, proc};
    win::SetWindowLongPtr(client, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(&MDIClientWindowProc));
}

void UnhookMDIClient(TAdvMainMenu* Menu) {
    for (auto it = g_mdiClients.begin(); it != g_mdiClients.end();) {
        if (it->second.Menu != Menu) {
            ++it;
            continue;
        }
        if (win::IsWindow(it->first))
            win::SetWindowLongPtr(it->first, win::GWLP_WNDPROC,
                                  reinterpret_cast<win::LONG_PTR>(it->second.Proc));
        it = g_mdiClients.erase(it);
    }
}

namespace {

win::LRESULT RefreshWindowList(TCustomForm* Form, TAdvMainMenu* Menu) {
    auto* windowMenu = dynamic_cast<TMenuItem*>(Form->WindowMenu());
    Menu->BeginUpdate();
    TMenuItem* marker = Menu->FindItem(kWindowListMarker, fkShortCut);
    if (marker && marker->Caption() != "-") marker = nullptr;
    if (marker && marker->Parent()) {
        TMenuItem* list = marker->Parent();
        for (int i = list->Count() - 1; i > marker->MenuIndex(); --i) {
            TMenuItem* old = list->Items(i);
            list->Delete(i);
            delete old;
        }
    } else {
        marker = new TMenuItem(Menu);
        marker->SetCaption("-");
        marker->SetShortCut(kWindowListMarker);
        marker->SetAutoLineReduction(maAutomatic);
        windowMenu->Add(marker);
    }
    // Shown whenever there are children: a marker made while there were none must not stay hidden.
    marker->SetVisible(Form->MDIChildCount() > 0);
    std::multimap<String, TCustomForm*, bool (*)(const String&, const String&)> children(
        [](const String& A, const String& B) { return CompareText(A, B) < 0; });
    for (int i = 0; i < Form->MDIChildCount(); ++i)
        if (TCustomForm* child = Form->MDIChildren(i); !child->ComponentState().Contains(csDestroying))
            children.emplace(child->Caption(), child);
    int n = 0;
    TMenuItem* list = marker->Parent();
    for (auto& [caption, child] : children) {
        auto* item = new TMenuItem(Menu);
        item->SetCaption(std::to_string(++n) + " " + caption);
        item->SetTag(reinterpret_cast<std::intptr_t>(child->Handle()));
        item->OnClick = [Menu](TObject* Sender) { Menu->ActivateMDIChild(Sender); };
        item->SetRadioItem(true);
        item->SetGroupIndex(kWindowListGroup);
        item->SetChecked(child == Form->ActiveMDIChild());
        list->Add(item);
    }
    Menu->EndUpdate();
    return reinterpret_cast<win::LRESULT>(Menu->Handle());
}

} // namespace

win::LRESULT MDIClientWindowProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
    auto it = g_mdiClients.find(Wnd);
    if (it == g_mdiClients.end()) return win::DefWindowProc(Wnd, Msg, WParam, LParam);
    MDIHook hook = it->second;
    if (Msg == win::WM_MDIREFRESHMENU) {
        TCustomForm* form = FindForm(win::GetParent(Wnd)); // the frame holding this client window
        if (form && form->FormStyle() == fsMDIForm && form->Menu() == hook.Menu &&
            dynamic_cast<TMenuItem*>(form->WindowMenu()))
            return RefreshWindowList(form, hook.Menu);
        // Not a list this menu keeps: the window's own handling stays.
    }
    return win::CallWindowProc(hook.Proc, Wnd, Msg, WParam, LParam);
}

} // namespace AdvMenus
