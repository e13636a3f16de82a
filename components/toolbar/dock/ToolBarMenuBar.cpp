// The toolbar as the form's menu bar: one menu button per top-level item of Menu, the items' sub-menus
// dropped as pop-up menus, the keyboard menu mode (Alt, F10, Alt+letter, arrows) and merging of a second
// main menu. The hooks that carry the keyboard and the pointer while a menu is open are in
// ToolBarMenuHooks.cpp.

#include <algorithm>
#include <vector>

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarMenuButton.h"
#include "components/toolbar/dock/ToolBarMenuHooks_p.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/ShortCut.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"
#include "platform/win/Metrics.h"
#include "platform/win/Subclass.h"

namespace AdvToolBar {

namespace {
// The frame of a pop-up menu window around its items, top and bottom.
constexpr int kMenuFrame = 3;

// An item's size as its menu measures it for the window system (owner-drawn items included).
win::SIZE MeasureMenuItem(vcl::TPopupMenu* Menu, vcl::TMenuItem* Item) {
    Menu->Handle();
    win::MEASUREITEMSTRUCT info{};
    info.CtlType = win::ODT_MENU;
    info.itemID = Item->Command();
    info.itemWidth = 10;
    info.itemHeight = 10;
    info.itemData = reinterpret_cast<std::uintptr_t>(Item);
    if (!Menu->MeasureItem(info)) return {10, 10};
    return {static_cast<int>(info.itemWidth), static_cast<int>(info.itemHeight)};
}

// The toolbars that have shown a menu, while they live: the form's keys reach those outside its controls.
std::vector<TAdvCustomToolBar*>& MenuBars() {
    static std::vector<TAdvCustomToolBar*> bars;
    return bars;
}

// What the user can reach: it and every parent showing and enabled (a control keeps its Showing while
// the window it lies in is hidden).
bool Usable(vcl::TControl* Control) {
    for (vcl::TControl* c = Control; c != nullptr; c = c->Parent())
        if (!c->Showing() || !c->Enabled()) return false;
    return true;
}

// A form's shortcut, to the menu bars that serve it from outside its controls: a floating bar lives in
// its floating window, yet its menu is still its form's. A bar among the form's controls was asked with
// them (CM_ISSHORTCUT), so that a key runs its item once.
bool AnswerFormShortCut(vcl::TCustomForm* Form, vcl::TWMKey& Key) {
    // A copy: the item a key runs may free toolbars, although the walk ends as soon as one ran.
    const std::vector<TAdvCustomToolBar*> bars = MenuBars();
    for (TAdvCustomToolBar* bar : bars) {
        const auto& now = MenuBars();
        if (std::find(now.begin(), now.end(), bar) == now.end()) continue;
        if (bar->Menu() == nullptr || bar->ComponentState().Contains(vcl::csDesigning)) continue;
        if (bar->GetMyParentForm() != Form || vcl::GetParentForm(bar, false) == Form || !Usable(bar))
            continue;
        if (bar->IsShortCut(Key)) return true;
    }
    return false;
}
} // namespace

// ---- Building the bar

void TAdvCustomToolBar::SetMenu(vcl::TMainMenu* Value) {
    if (Value == FMenu) return;
    if (FControlStyle.Contains(vcl::csAcceptsControls)) {
        FControlStyle = vcl::TControlStyle{vcl::csCaptureMouse, vcl::csClickEvents, vcl::csSetCaption,
                                           vcl::csDoubleClicks, vcl::csMenuEvents};
        RecreateWnd();
    }
    if (FMenu != nullptr) {
        for (int i = ToolBarControlCount() - 1; i >= 0; --i) {
            auto* b = dynamic_cast<TAdvToolBarMenuButton*>(ToolBarControls(i));
            if (b != nullptr && b->ToolBarMade) delete b;
        }
        FMenu->RemoveFreeNotification(this);
    }
    FMenu = Value;
    if (FMenu == nullptr) return;
    if (std::find(MenuBars().begin(), MenuBars().end(), this) == MenuBars().end()) MenuBars().push_back(this);
    vcl::FormShortCutHook = &AnswerFormShortCut;
    FMenu->FreeNotification(this);
    FMenu->Handle();
    if (!(ComponentState().Contains(vcl::csLoading) && FMenu->Images() == nullptr)) FImages = FMenu->Images();
    BuildMenuButtons(FMenu->Items(), false);
    // The buttons the toolbar made take the items again in item order.
    int k = 0;
    for (int i = 0; i < ToolBarControlCount() && k < FMenu->Items()->Count(); ++i) {
        auto* b = dynamic_cast<TAdvToolBarMenuButton*>(ToolBarControls(i));
        if (b != nullptr && b->ToolBarMade && b->Merged == 0) b->SetMenuItem(FMenu->Items()->Items(k++));
    }
}

TAdvCustomToolBarButton* TAdvCustomToolBar::MakeMenuButton(vcl::TMenuItem* Item, bool MergedItem) {
    auto button = std::make_unique<TAdvToolBarMenuButton>(this);
    button->SetGrouped(true);
    button->SetParent(this);
    button->SetShowCaption(true);
    button->SetMenuItem(Item);
    button->ToolBarMade = true;
    if (MergedItem) button->Merged = 1;
    button->SetAutoSize(true);
    return button.release();
}

void TAdvCustomToolBar::BuildMenuButtons(vcl::TMenuItem* Items, bool MergedItems) {
    for (int i = 0; i < Items->Count(); ++i)
        MakeMenuButton(Items->Items(i), MergedItems);
}

void TAdvCustomToolBar::UpdateMenu() {
    if (FMenu == nullptr) return;
    FMenu->Handle();
    vcl::TMenuItem* items = FMenu->Items();
    for (int k = 0; k < items->Count(); ++k) {
        vcl::TMenuItem* item = items->Items(k);
        TAdvCustomToolBarButton* shown = nullptr;
        for (int i = 0; i < ToolBarControlCount() && shown == nullptr; ++i) {
            auto* b = dynamic_cast<TAdvToolBarMenuButton*>(ToolBarControls(i));
            if (b != nullptr && b->ToolBarMade && b->MenuItem() == item) shown = b;
        }
        if (shown == nullptr) {
            vcl::TMainMenu* menu = FMenu;
            SetMenu(nullptr);
            SetMenu(menu);
            return;
        }
        shown->SetMenuItem(item);
    }
}

namespace {
int CountItems(vcl::TMenuItem* Item) {
    int n = Item->Count();
    for (int i = 0; i < Item->Count(); ++i)
        n += CountItems(Item->Items(i));
    return n;
}
} // namespace

int TAdvCustomToolBar::GetMenuItemCount() const {
    return FMenu != nullptr ? CountItems(FMenu->Items()) : 0;
}

// ---- Merging

void TAdvCustomToolBar::MergeMenu(vcl::TMainMenu* Value) {
    if (Value != nullptr && FMenu != nullptr) {
        if (Value == FMergedMenu || Value == FMenu) return;
        if (FMergedMenu != nullptr) DeleteMergedMenuItems();
        FMergedMenu = Value;
        AddMergedMenuItems();
        FMergedMenu->FreeNotification(this);
        return;
    }
    DeleteMergedMenuItems();
    FMergedMenu = nullptr;
}

void TAdvCustomToolBar::UnmergeMenu(vcl::TMainMenu* Value) {
    if (Value != nullptr && Value == FMergedMenu) MergeMenu(nullptr);
}

void TAdvCustomToolBar::AddMergedMenuItems() {
    if (FMergedMenu == nullptr) return;
    std::vector<TAdvCustomToolBarButton*> taken;
    vcl::TMenuItem* items = FMergedMenu->Items();
    for (int k = 0; k < items->Count(); ++k) {
        vcl::TMenuItem* item = items->Items(k);
        TAdvToolBarMenuButton* reuse = nullptr;
        if (item->GroupIndex() != 0)
            for (int i = 0; i < ToolBarControlCount() && reuse == nullptr; ++i) {
                auto* b = dynamic_cast<TAdvToolBarMenuButton*>(ToolBarControls(i));
                if (b != nullptr && b->ToolBarMade && b->MenuItem() != nullptr &&
                    b->MenuItem()->GroupIndex() == item->GroupIndex() &&
                    std::find(taken.begin(), taken.end(), b) == taken.end())
                    reuse = b;
            }
        if (reuse != nullptr) {
            reuse->SetMenuItem(item);
            reuse->Merged = 1;
            taken.push_back(reuse);
        } else {
            MakeMenuButton(item, true);
        }
    }
}

void TAdvCustomToolBar::DeleteMergedMenuItems() {
    for (int i = ToolBarControlCount() - 1; i >= 0; --i) {
        auto* b = dynamic_cast<TAdvToolBarMenuButton*>(ToolBarControls(i));
        if (b != nullptr && b->Merged != 0) delete b;
    }
    UpdateMenu();
}

vcl::TCustomForm* TAdvCustomToolBar::GetMyParentForm() const {
    if (FDockPanel != nullptr) return vcl::GetParentForm(FDockPanel);
    if (FLastDockPanel != nullptr) return vcl::GetParentForm(FLastDockPanel);
    return Parent() != nullptr ? vcl::GetParentForm(const_cast<TAdvCustomToolBar*>(this)) : nullptr;
}

TAdvCustomToolBarButton* TAdvCustomToolBar::FindButtonFromAccel(win::WPARAM Key) const {
    for (int i = 0; i < ToolBarControlCount(); ++i) {
        auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i));
        if (b != nullptr && b->Visible() && b->Enabled() && vcl::IsAccel(Key, b->Caption())) return b;
    }
    return nullptr;
}

bool TAdvCustomToolBar::IsShortCut(vcl::TWMKey& Message) {
    return FMenu != nullptr && FMenu->IsShortCut(Message);
}

// ---- Hot button

bool TAdvCustomToolBar::SetButtonHot(TAdvCustomToolBarButton* Button) {
    if (Button != nullptr) {
        Button->SetHot(true);
        return true;
    }
    if (FHotButton == nullptr) return false;
    FHotButton->SetHot(false);
    return true;
}

void TAdvCustomToolBar::SetButtonHot(int Index) {
    if (Index < 0) {
        SetButtonHot(static_cast<TAdvCustomToolBarButton*>(nullptr));
        return;
    }
    int n = 0;
    for (int i = 0; i < ToolBarControlCount(); ++i) {
        auto* b = dynamic_cast<TAdvToolBarMenuButton*>(ToolBarControls(i));
        if (b == nullptr || !b->Visible() || !b->Enabled()) continue;
        if (FToolBarState == tsDocked && IsHidden(b)) continue;
        if (n++ == Index) {
            SetButtonHot(b);
            return;
        }
    }
}

void TAdvCustomToolBar::UpdateButtonHot(TAdvCustomToolBarButton* Button) {
    if (Button == nullptr) return;
    if (Button->Hot()) {
        if (FHotButton != nullptr && FHotButton != Button) FHotButton->SetHot(false);
        FHotButton = Button;
    } else if (FHotButton == Button) {
        FHotButton = nullptr;
    }
}

// ---- Dropping a menu

bool TAdvCustomToolBar::CheckMenuDropdown(TAdvCustomToolBarButton* Button) {
    if (Button == nullptr) return false;
    FCaptureCancels = false;
    // The close notice follows every drop, whether a menu showed or not.
    struct PostClosed {
        TAdvCustomToolBar* T;
        ~PostClosed() {
            if (T->HandleAllocated()) win::PostMessage(T->Handle(), CN_DROPDOWNCLOSED, 0, 0);
        }
    } postClosed{this};

    vcl::TPopupMenu* menu = Button->DropDownMenu();
    if (menu == nullptr) {
        vcl::TMenuItem* item = Button->MenuItem();
        if (item == nullptr) return false;
        item->Click();
        ClearTempMenu();
        FTempMenu = new AdvMenus::TAdvPopupMenu(this);
        if (vcl::TMenu* parent = item->GetParentMenu()) {
            FTempMenu->SetBiDiMode(parent->BiDiMode());
            FTempMenu->SetImages(parent->Images());
        }
        FTempMenu->SetHelpContext(0);
        FTempMenu->SetTrackButton(vcl::tbLeftButton);
        FLentItem = item;
        AddMDIWindowList(item);
        for (int i = item->Count() - 1; i >= 0; --i) {
            vcl::TMenuItem* sub = item->Items(i);
            item->Delete(i);
            FTempMenu->Items()->Insert(0, sub);
        }
        menu = FTempMenu;
    }
    SendCancelMode(this);
    menu->SetPopupComponent(this);
    const bool hook = menu->Items()->Count() > 0 && FMenu != nullptr;
    if (hook) MenuBarHooks::InitToolMenuHooks(this, Button->GetIndex());
    SetButtonHot(-1);

    // The menu's look first: it decides the sizes measured below.
    if (auto* adv = dynamic_cast<AdvMenus::TAdvPopupMenu*>(menu); adv != nullptr && FCurrentStyler != nullptr)
        adv->SetMenuStyler(FCurrentStyler->CurrentAdvMenuStyler());
    // Where the menu drops, by the side the toolbar is docked on.
    vcl::TPoint at;
    switch (FPosition) {
    case daLeft:
        at = Button->ClientToScreen(vcl::TPoint{Button->ClientWidth(), 1});
        break;
    case daRight: {
        // The menu's width: its widest item measured by the menu's own painter.
        int width = 0;
        for (int i = 0; i < menu->Items()->Count(); ++i)
            width = std::max(width, static_cast<int>(MeasureMenuItem(menu, menu->Items()->Items(i)).cx));
        at = Button->ClientToScreen(vcl::TPoint{0, 1});
        at.X -= width;
        break;
    }
    default: {
        at = Button->ClientToScreen(vcl::TPoint{0, Button->ClientHeight()});
        if (menu->IsRightToLeft()) at.X += Button->Width();
        const int items = menu->Items()->Count();
        const int rows = win::GetSystemMetrics(win::SM_CYMENU) * items;
        win::MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        win::GetMonitorInfo(win::MonitorFromPoint(win::POINT{at.X, at.Y}, win::MONITOR_DEFAULTTONEAREST),
                            &mi);
        // Near the bottom of the monitor the menu opens above its button. The rows are only an estimate of
        // the menu's height (owner-drawn items are taller), so the items' measured heights decide too, and
        // the menu's bottom goes to the button's top: it does not cover the button, and the release of the
        // opening click does not land on an item.
        int height = 2 * kMenuFrame;
        for (int i = 0; i < items; ++i)
            height += MeasureMenuItem(menu, menu->Items()->Items(i)).cy;
        if (mi.rcMonitor.Bottom < rows + at.Y + 10 || mi.rcWork.Bottom < at.Y + height)
            at.Y = Button->ClientToScreen(vcl::TPoint{0, 0}).Y - height;
        break;
    }
    }
    FDropDownOpen = true;

    if (hook || menu->Items()->Count() > 0) {
        Button->ToolBarDropped = true;
        // Outside menu mode the pop-up's own loop keeps the pointer; in menu mode the toolbar keeps it.
        if (!FMenuLoop && win::GetCapture() == Handle()) SetMouseCapture(false);
        menu->Popup(at.X, at.Y);
        FDroppedButton = Button;
    }
    if (hook) MenuBarHooks::ReleaseToolMenuHooks();
    FLastDroppedButton = Button;
    Button->OnDropDownHide();
    if (MenuBarHooks::Get().Switch && FMenuTracking) SetButtonHot(Button);
    UpControlInRUL(Button);
    return true;
}

void TAdvCustomToolBar::ClearTempMenu() {
    if (FLentItem == nullptr || FLastDroppedButton == nullptr || FLastDroppedButton->MenuItem() == nullptr ||
        FTempMenu == nullptr)
        return;
    vcl::TMenuItem* items = FTempMenu->Items();
    for (int i = items->Count() - 1; i >= 0; --i) {
        vcl::TMenuItem* sub = items->Items(i);
        items->Delete(i);
        FLentItem->Insert(0, sub);
    }
    delete FTempMenu;
    FTempMenu = nullptr;
    FLastDroppedButton = nullptr;
    FLentItem = nullptr;
    RemoveMDIWindowList();
}

void TAdvCustomToolBar::DropDownClosed() {
    ClearTempMenu();
    TAdvCustomToolBarButton* dropped = FDroppedButton;
    if (dropped != nullptr && Parent() != nullptr && FMenu != nullptr && !dropped->ClickOpened) {
        win::POINT p{};
        win::GetCursorPos(&p);
        // The click that closed the menu over its own button must not open it again.
        if (vcl::FindDragTarget(vcl::TPoint{p.X, p.Y}, true) == dropped && Parent()->HandleAllocated()) {
            dropped->ClosedOverButton = true;
            vcl::TPoint at{dropped->Left() + 1, dropped->Top() + 1};
            win::PostMessage(Parent()->Handle(), win::WM_LBUTTONUP, 0, win::MAKELPARAM(at.X, at.Y));
        }
    }
    FDropDownOpen = false;
    if (dropped != nullptr) dropped->ToolBarDropped = false;
    if (FLastDroppedButton != nullptr) FLastDroppedButton->Invalidate();
    FCaptureCancels = true;
}

// ---- Switching between menus

void TAdvCustomToolBar::ClickButton(TAdvCustomToolBarButton* Button, bool ByMouse) {
    FCaptureCancels = false;
    FDroppedButton = nullptr;
    Button->ClickOpened = true;
    if (ByMouse) {
        // The press closes the open menu and presses the button under the pointer.
        win::mouse_event(win::MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        return;
    }
    if (!HandleAllocated()) return;
    if (Button->MenuItem() != nullptr && Button->MenuItem()->Count() > 0) {
        win::PostMessage(Handle(), win::WM_LBUTTONDOWN, win::MK_LBUTTON,
                         win::MAKELPARAM(Button->Left(), Button->Top()));
        return;
    }
    // A button without a menu of its own: the open menu closes and the button becomes hot.
    vcl::TPoint outside = Horizontal() ? vcl::TPoint{Button->Left(), Button->Top() - 1}
                                       : vcl::TPoint{Button->Left() - 1, Button->Top()};
    win::PostMessage(Handle(), win::WM_LBUTTONDOWN, 0, win::MAKELPARAM(outside.X, outside.Y));
    win::PostMessage(Handle(), win::WM_LBUTTONUP, 0, win::MAKELPARAM(outside.X, outside.Y));
    FPendingButton = Button;
    FMenuItemTimer->SetEnabled(true);
}

void TAdvCustomToolBar::MenuItemTimerOnTime(vcl::TObject*) {
    FMenuItemTimer->SetEnabled(false);
    if (FPendingButton == nullptr) return;
    TAdvCustomToolBarButton* b = FPendingButton;
    FPendingButton = nullptr;
    TrackMenu(nullptr);
    SetButtonHot(b);
}

// ---- Menu mode

bool TAdvCustomToolBar::TrackMenu(TAdvCustomToolBarButton* Button) {
    if (FMenuLoop) {
        if (Button == nullptr) return false;
        ClickButton(Button, false);
        return true;
    }
    FMenuResult = false;
    // The loop counts as running from the start: a menu dropped on entry may end it (a command chosen
    // from it) before the loop proper begins.
    FMenuLoop = FMenu != nullptr;
    InitMenu(Button);
    if (FMenuLoop) {
        vcl::TApplication* app = vcl::GetApplication();
        try {
            while (FMenuLoop) {
                if (app->Terminated()) {
                    FMenuLoop = false;
                    break;
                }
                app->HandleMessage();
            }
        } catch (...) {
            // Whatever ends the loop early, the hooks and the capture go with it.
            CancelMenu();
            throw;
        }
    }
    CancelMenu();
    return FMenuResult;
}

void TAdvCustomToolBar::InitMenu(TAdvCustomToolBarButton* Button) {
    MenuBarHooks& h = MenuBarHooks::Get();
    h.KeyboardToolBar = this;
    SetMouseCapture(true);
    FMenuTracking = true;
    if (h.GetMessage.Handle() == nullptr) h.GetMessage.Set(win::WH_GETMESSAGE, MenuBarHooks::GetMessageProc);
    if (Button != nullptr) {
        SetButtonHot(Button);
        Button->DoDropDown();
    } else {
        SetButtonHot(0);
        FCaptureCancels = true;
    }
}

void TAdvCustomToolBar::CancelMenu() {
    if (FMenuLoop) {
        MenuBarHooks& h = MenuBarHooks::Get();
        h.GetMessage.Remove();
        if (h.KeyboardToolBar == this) h.KeyboardToolBar = nullptr;
        if (win::GetCapture() == Handle()) SetMouseCapture(false);
        FMenuTracking = false;
    }
    FMenuLoop = false;
    FCaptureCancels = false;
    SetButtonHot(-1);
}

void TAdvCustomToolBar::ReleaseMenuBar() {
    std::erase(MenuBars(), this);
    MenuBarHooks& h = MenuBarHooks::Get();
    if (h.KeyboardToolBar == this) {
        h.GetMessage.Remove();
        h.KeyboardToolBar = nullptr;
    }
    if (h.MenuToolBar == this) MenuBarHooks::ReleaseToolMenuHooks();
    FMenuLoop = false;
    FMenuTracking = false;
    if (FMenuItemTimer) FMenuItemTimer->SetEnabled(false);
}

void TAdvCustomToolBar::ForgetMenuButton(vcl::TControl* Control) {
    if (Control == FDroppedButton) FDroppedButton = nullptr;
    if (Control == FLastDroppedButton) FLastDroppedButton = nullptr;
    if (Control == FHotButton) FHotButton = nullptr;
    if (Control == FPendingButton) FPendingButton = nullptr;
}

// ---- Messages

void TAdvCustomToolBar::MenuKeyDown(vcl::TMessage& Message) {
    switch (Message.WParam) {
    case win::VK_RETURN:
    case win::VK_DOWN:
        if (FHotButton != nullptr) FHotButton->DoDropDown();
        break;
    case win::VK_ESCAPE:
        CancelMenu();
        break;
    case win::VK_LEFT:
    case win::VK_RIGHT: {
        if (FHotButton == nullptr) break;
        int n = ToolBarControlCount();
        int i = IndexOfToolBarControl(FHotButton) + (Message.WParam == win::VK_LEFT ? -1 : 1);
        if (i < 0 || i >= n) i = Message.WParam == win::VK_LEFT ? n - 1 : 0;
        SetButtonHot(i);
        break;
    }
    default:
        break;
    }
}

bool TAdvCustomToolBar::MenuBarMessage(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_SYSCOMMAND: {
        // Alt or F10 (key 0) and Alt+letter reach the form's windowed controls as SC_KEYMENU.
        const auto key = static_cast<win::WPARAM>(Message.LParam);
        if (FSwallowAltTap && (Message.WParam & 0xFFF0) == win::SC_KEYMENU) {
            FSwallowAltTap = false;
            if (key == 0) {
                Message.Result = 1;
                return true;
            }
        }
        if (FMenuLoop || !Enabled() || !Showing() || FMenu == nullptr ||
            (Message.WParam & 0xFFF0) != win::SC_KEYMENU || key == ' ' || key == '-' ||
            win::GetCapture() != nullptr)
            return false;
        TAdvCustomToolBarButton* button = nullptr;
        if (key != 0) {
            button = dynamic_cast<TAdvCustomToolBarButton*>(FindButtonFromAccel(key));
            if (button == nullptr) return false;
        }
        TrackMenu(button);
        Message.Result = 1;
        return true;
    }
    case win::WM_KEYDOWN:
        if (!FMenuLoop) return false;
        MenuKeyDown(Message);
        if (Message.WParam != win::VK_DOWN) vcl::TCustomControl::WndProc(Message);
        return true;
    case win::WM_CAPTURECHANGED:
        vcl::TCustomControl::WndProc(Message);
        if (FMenuLoop && FCaptureCancels) CancelMenu();
        return true;
    case vcl::CN_SYSKEYDOWN:
        vcl::TCustomControl::WndProc(Message);
        if (Message.WParam == win::VK_MENU && FMenuLoop) {
            CancelMenu();
            // The release of this Alt would enter menu mode again at once.
            FSwallowAltTap = true;
        }
        return true;
    case vcl::CN_CHAR:
        if (!FMenuLoop || ComponentState().Contains(vcl::csDesigning)) return false;
        if (Perform(vcl::CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) {
            Message.Result = 1;
            return true;
        }
        return false;
    case vcl::CM_DIALOGCHAR: {
        TAdvCustomToolBarButton* b = nullptr;
        // Alt+letter on a menu bar enters menu mode through the form's key menu command instead.
        const bool altLetter = FMenu != nullptr && !FMenuLoop && win::GetKeyState(win::VK_MENU) < 0;
        if (Enabled() && Showing() && !altLetter) b = FindButtonFromAccel(Message.WParam);
        if (b == nullptr) return false;
        if (b->IsMenuButton() && (b->DropDownMenu() != nullptr || b->MenuItem() != nullptr))
            b->DoDropDown();
        else
            b->Click();
        Message.Result = 1;
        return true;
    }
    case win::WM_LBUTTONDOWN: {
        // In menu mode the toolbar holds the pointer itself, so a press posted for a switch reaches it
        // rather than the button under the point: the toolbar hands it on.
        if (!FMenuLoop) return false;
        vcl::TPoint p{static_cast<short>(win::LOWORD(static_cast<win::DWORD>(Message.LParam))),
                      static_cast<short>(win::HIWORD(static_cast<win::DWORD>(Message.LParam)))};
        auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ControlAtPos(p, false));
        if (b == nullptr || !b->ClickOpened || !b->IsMenuButton()) return false;
        b->ClickOpened = false;
        b->DoDropDown();
        return true;
    }
    case CN_DROPDOWNCLOSED:
        DropDownClosed();
        return true;
    case vcl::CM_ISSHORTCUT: {
        // The form asks its controls once its own menu has not taken the key; the form only asks a
        // toolbar the user can see and use. At design time keys run nothing.
        if (ComponentState().Contains(vcl::csDesigning)) return false;
        vcl::TWMKey key(vcl::TMessage(win::WM_KEYDOWN, Message.WParam, Message.LParam));
        Message.Result = IsShortCut(key) ? 1 : 0;
        return true;
    }
    default:
        return false;
    }
}

} // namespace AdvToolBar
