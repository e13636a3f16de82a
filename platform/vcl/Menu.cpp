#include "platform/vcl/Menu.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"

#include "platform/vcl/Form.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Windows.h"

namespace vcl {
namespace {

bool PopupForControl(TControl* Control, TComponent* Menu, TPoint Screen) {
    auto* popup = dynamic_cast<TPopupMenu*>(Menu);
    if (!popup || !popup->AutoPopup()) return false;
    popup->SetPopupComponent(Control);
    popup->Popup(Screen.X, Screen.Y);
    return true;
}

void InstallFormHook() {
    TCustomForm::MenuHook = &FormMenuMessage;
    TControl::PopupMenuHook = &PopupForControl;
}

// A canvas on a DC it does not own.
class TMenuCanvas : public TCanvas {
public:
    explicit TMenuCanvas(win::HDC DC) { SetHandle(DC); }
    ~TMenuCanvas() override { SetHandle(nullptr); }
};

// A canvas on a memory DC, for measuring.
class TMeasureCanvas : public TCanvas {
public:
    TMeasureCanvas() : FDC(win::CreateCompatibleDC(nullptr)) { SetHandle(FDC); }
    ~TMeasureCanvas() override {
        SetHandle(nullptr);
        win::DeleteDC(FDC);
    }

private:
    win::HDC FDC;
};

// A WM_MENUCHAR answer: what to do in the high word, the item's position in the low word.
win::LRESULT MenuCharAnswer(win::UINT Code, int Position) {
    return static_cast<win::LRESULT>(win::MAKELPARAM(Position, static_cast<int>(Code)));
}

TOwnerDrawState ToOwnerDrawState(win::UINT s) {
    using namespace win;
    TOwnerDrawState r;
    if (s & ODS_SELECTED) r.Include(odSelected);
    if (s & ODS_GRAYED) r.Include(odGrayed);
    if (s & ODS_DISABLED) r.Include(odDisabled);
    if (s & ODS_CHECKED) r.Include(odChecked);
    if (s & ODS_FOCUS) r.Include(odFocused);
    if (s & ODS_DEFAULT) r.Include(odDefault);
    if (s & ODS_HOTLIGHT) r.Include(odHotLight);
    if (s & ODS_INACTIVE) r.Include(odInactive);
    if (s & ODS_NOACCEL) r.Include(odNoAccel);
    if (s & ODS_NOFOCUSRECT) r.Include(odNoFocusRect);
    return r;
}

} // namespace

// ---- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {
    InstallFormHook();
    // The root item is the menu's own (not its owner's): the menu frees it last.
    FItems = new TMenuItem(nullptr);
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    BeforeDestruction();
    SetImages(nullptr);
    DestroyHandle();
    if (FItems) {
        TMenuItem* items = FItems;
        FItems = nullptr;
        items->FMenu = nullptr;
        FreeComponent(items);
    }
}

KV_PUBLISHED(TMenu) {
    p.Ref("Images", &TMenu::FImages, &TMenu::SetImages);
    p.Bool("OwnerDraw", &TMenu::FOwnerDraw, &TMenu::SetOwnerDraw, false);
    p.Enum("AutoLineReduction", &TMenu::FAutoLineReduction, &TMenu::SetAutoLineReduction, maAutomatic);
}

void TMenu::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) {
        FImages->UnRegisterChanges(FImageChangeLink.get());
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (FImages) {
        if (!FImageChangeLink) {
            FImageChangeLink = std::make_unique<TChangeLink>();
            FImageChangeLink->OnChange = [this](TObject*) { MenuChanged(this, nullptr, true); };
        }
        FImages->RegisterChanges(FImageChangeLink.get());
        FImages->FreeNotification(this);
    }
    if (!ComponentState().Contains(csDestroying)) MenuChanged(this, nullptr, true);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    FItems->GetChildren(Proc, Root);
}

void TMenu::SetOwnerDraw(bool Value) {
    if (FOwnerDraw == Value) return;
    FOwnerDraw = Value;
    MenuChanged(this, nullptr, true);
}

void TMenu::SetAutoLineReduction(TMenuAutoFlag Value) {
    if (FAutoLineReduction == Value) return;
    FAutoLineReduction = Value;
    MenuChanged(this, nullptr, true);
}

win::HMENU TMenu::Handle() {
    if (!FHandle) {
        FHandle = CreateMenuHandle();
        RebuildHandle();
    }
    return FHandle;
}

void TMenu::DestroyHandle() {
    if (!FHandle) return;
    while (win::GetMenuItemCount(FHandle) > 0)
        win::RemoveMenu(FHandle, 0, win::MF_BYPOSITION);
    win::DestroyMenu(FHandle);
    FHandle = nullptr;
}

void TMenu::RebuildHandle() {
    if (!FHandle || !FItems) return;
    while (win::GetMenuItemCount(FHandle) > 0)
        win::RemoveMenu(FHandle, 0, win::MF_BYPOSITION);
    for (TMenuItem* child : FItems->ShownItems()) {
        win::MENUITEMINFO info{};
        String text;
        child->FillEntry(info, text, FOwnerDraw);
        win::InsertMenuItem(FHandle, 0xFFFFFFFF, win::TRUE, &info);
    }
}

std::vector<TMenuItem*> TMenu::ShownItems() const {
    std::vector<TMenuItem*> r;
    if (FItems)
        for (TMenuItem* i : FItems->FItems)
            if (i->Visible()) r.push_back(i);
    return r;
}

void TMenu::SetBiDiMode(TBiDiMode Value) {
    if (FBiDiMode == Value) return;
    FBiDiMode = Value;
    MenuChanged(this, nullptr, true);
}

void TMenu::RebuildItems() {
    MenuChanged(this, nullptr, true);
}

void TMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    (void)Source;
    if (ComponentState().Contains(csDestroying) || ComponentState().Contains(csLoading)) return;
    if (Rebuild) RebuildHandle();
    if (OnChange) OnChange(Sender ? Sender : this);
}

void TMenu::Loaded() {
    TComponent::Loaded();
    MenuChanged(this, nullptr, true);
}

TMenuItem* TMenu::FindItem(std::uintptr_t Value, TFindItemKind Kind) {
    std::function<TMenuItem*(TMenuItem*)> walk = [&](TMenuItem* item) -> TMenuItem* {
        for (TMenuItem* i : item->FItems) {
            bool match = false;
            switch (Kind) {
            case fkCommand:
                match = i->Command() == Value;
                break;
            case fkHandle:
                match = i->FHandle != nullptr && reinterpret_cast<std::uintptr_t>(i->FHandle) == Value;
                break;
            case fkShortCut:
                match = i->ShortCut() != 0 && i->ShortCut() == Value;
                break;
            }
            if (match) return i;
            if (TMenuItem* r = walk(i)) return r;
        }
        return nullptr;
    };
    if (Kind == fkHandle && FHandle && reinterpret_cast<std::uintptr_t>(FHandle) == Value) return FItems;
    TMenuItem* found = FItems ? walk(FItems) : nullptr;
    if (!found && MergedMenu() && MergedMenu()->FItems) found = walk(MergedMenu()->FItems);
    return found;
}

bool TMenu::IsShortCut(TWMKey& Message) {
    TShortCut sc = ShortCut(static_cast<Word>(Message.CharCode), KeyDataToShiftState(Message.KeyData));
    if ((sc & 0xFF) == 0) return false;
    TMenuItem* item = FindItem(sc, fkShortCut);
    if (!item) return false;
    // Only an item the user could reach: it and every parent enabled and visible.
    for (TMenuItem* p = item; p && p != FItems; p = p->Parent())
        if (!p->Enabled() || !p->Visible()) return false;
    item->Click();
    return true;
}

bool TMenu::ProcessMenuChar(TWMMenuChar& Message) {
    using namespace win;
    HMENU h = Message.Menu;
    if (!h || !FindItem(reinterpret_cast<std::uintptr_t>(h), fkHandle)) return false;
    Message.Result = MenuCharAnswer(MNC_IGNORE, 0);
    // Positions are the window-system menu's (hidden items and reduced separators are not in it); each
    // entry is found by its command, which every item has, submenu or not.
    const int count = GetMenuItemCount(h);
    int current = -1;
    std::vector<int> matches;
    for (int i = 0; i < count; ++i) {
        const UINT pos = static_cast<UINT>(i);
        if (GetMenuState(h, pos, MF_BYPOSITION) & MF_HILITE) current = i;
        MENUITEMINFO info{};
        info.fMask = MIIM_ID;
        if (!GetMenuItemInfo(h, pos, TRUE, &info)) continue;
        TMenuItem* item = FindItem(info.wID, fkCommand);
        if (item && !item->IsLine() && IsAccel(Message.User, item->Caption())) matches.push_back(i);
    }
    if (matches.size() == 1) {
        Message.Result = MenuCharAnswer(MNC_EXECUTE, matches.front());
    } else if (matches.size() > 1) {
        auto next = std::find_if(matches.begin(), matches.end(), [&](int i) { return i > current; });
        Message.Result = MenuCharAnswer(MNC_SELECT, next != matches.end() ? *next : matches.front());
    }
    return true;
}

bool TMenu::DispatchCommand(win::WORD ACommand) {
    TMenuItem* item = FindItem(ACommand, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(win::HMENU AHandle) {
    TMenuItem* item = FindItem(reinterpret_cast<std::uintptr_t>(AHandle), fkHandle);
    if (!item) return false;
    // The items' actions update them before they show; then the parent's OnClick may fill it.
    for (int i = 0; i < item->Count(); ++i)
        item->Items(i)->InitiateAction();
    if (item != FItems) item->Click();
    return true;
}

bool TMenu::MeasureItem(win::MEASUREITEMSTRUCT& Info) {
    if (Info.CtlType != win::ODT_MENU) return false;
    // By command alone: a request may come from outside the engine (with no item data).
    TMenuItem* item = FindItem(Info.itemID, fkCommand);
    if (!item) return false;
    TMeasureCanvas canvas;
    canvas.Font()->Assign(GetScreen()->MenuFont());
    bool bar = IsBar() && item->Parent() == FItems;
    int w = bar ? win::GetSystemMetrics(win::SM_CXMENUSIZE) : static_cast<int>(Info.itemWidth);
    int h = bar ? win::GetSystemMetrics(win::SM_CYMENUSIZE) : static_cast<int>(Info.itemHeight);
    item->MeasureItem(&canvas, w, h);
    Info.itemWidth = static_cast<win::UINT>(w);
    Info.itemHeight = static_cast<win::UINT>(std::max(h, 0));
    return true;
}

bool TMenu::DrawItem(const win::DRAWITEMSTRUCT& Info) {
    if (Info.CtlType != win::ODT_MENU) return false;
    TMenuItem* item = FindItem(Info.itemID, fkCommand);
    if (!item) return false;
    TMenuCanvas canvas(Info.hDC);
    canvas.Font()->Assign(GetScreen()->MenuFont());
    bool bar = IsBar() && item->Parent() == FItems;
    item->AdvancedDrawItem(&canvas, Info.rcItem, ToOwnerDrawState(Info.itemState), bar);
    return true;
}

// ---- TMainMenu

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu() {
    BeforeDestruction();
    if (FMergedInto) FMergedInto->Unmerge(this);
    Unmerge(FMerged);
    SetWindowHandle(nullptr);
}

KV_PUBLISHED(TMainMenu) {
    p.Bool("AutoMerge", &TMainMenu::FAutoMerge, &TMainMenu::SetAutoMerge, false);
}
KV_REGISTER_CLASS(TMainMenu)

win::HMENU TMainMenu::CreateMenuHandle() {
    return win::CreateMenu();
}

void TMainMenu::SetWindowHandle(win::HWND Value) {
    if (FWindowHandle == Value) {
        if (Value && win::IsWindow(Value) && win::GetMenu(Value) != Handle()) win::SetMenu(Value, Handle());
        return;
    }
    if (FWindowHandle && win::IsWindow(FWindowHandle) && HandleAllocated() &&
        win::GetMenu(FWindowHandle) == Handle())
        win::SetMenu(FWindowHandle, nullptr);
    FWindowHandle = Value;
    if (FWindowHandle && win::IsWindow(FWindowHandle)) {
        win::SetMenu(FWindowHandle, Handle());
        win::DrawMenuBar(FWindowHandle);
    }
}

std::vector<TMenuItem*> TMainMenu::ShownItems() const {
    std::vector<TMenuItem*> own = TMenu::ShownItems();
    if (!FMerged) return own;
    std::vector<TMenuItem*> other = FMerged->TMenu::ShownItems();
    std::vector<TMenuItem*> r;
    for (TMenuItem* i : own)
        if (std::none_of(other.begin(), other.end(),
                         [&](TMenuItem* o) { return o->GroupIndex() == i->GroupIndex(); }))
            r.push_back(i);
    r.insert(r.end(), other.begin(), other.end());
    std::stable_sort(r.begin(), r.end(),
                     [](TMenuItem* a, TMenuItem* b) { return a->GroupIndex() < b->GroupIndex(); });
    return r;
}

void TMainMenu::Merge(TMainMenu* Menu) {
    if (Menu == this) return;
    if (FMerged == Menu) return;
    if (FMerged) Unmerge(FMerged);
    if (!Menu) return;
    if (Menu->FMergedInto) Menu->FMergedInto->Unmerge(Menu);
    FMerged = Menu;
    Menu->FMergedInto = this;
    Menu->FreeNotification(this);
    MenuChanged(this, nullptr, true);
}

void TMainMenu::Unmerge(TMainMenu* Menu) {
    if (!Menu || Menu != FMerged) return;
    FMerged = nullptr;
    Menu->FMergedInto = nullptr;
    Menu->RemoveFreeNotification(this);
    if (!ComponentState().Contains(csDestroying)) MenuChanged(this, nullptr, true);
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMerged) Unmerge(FMerged);
}

void TMainMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    TMenu::MenuChanged(Sender, Source, Rebuild);
    // The bar this menu is merged into shows its items too.
    if (FMergedInto && !ComponentState().Contains(csDestroying))
        FMergedInto->MenuChanged(this, Source, Rebuild);
    if (FWindowHandle && win::IsWindow(FWindowHandle) && !ComponentState().Contains(csDestroying))
        win::DrawMenuBar(FWindowHandle);
}

// ---- TPopupMenu and the popup list

namespace {
constexpr const char* kPopupListClass = "TPopupListWindow";
} // namespace

TPopupList& PopupList() {
    static TPopupList list;
    return list;
}

void TPopupList::Add(TPopupMenu* Menu) {
    if (std::find(FMenus.begin(), FMenus.end(), Menu) == FMenus.end()) FMenus.push_back(Menu);
}

void TPopupList::Remove(TPopupMenu* Menu) {
    FMenus.erase(std::remove(FMenus.begin(), FMenus.end(), Menu), FMenus.end());
    if (FMenus.empty() && FWindow) {
        if (win::IsWindow(FWindow)) win::DestroyWindow(FWindow);
        FWindow = nullptr;
    }
}

win::HWND TPopupList::Window() {
    using namespace win;
    // A handle can outlive its window (and be reused for another): trust it only with our class.
    char cls[32]{};
    if (FWindow && IsWindow(FWindow) && GetClassName(FWindow, cls, sizeof cls) > 0 &&
        String(cls) == kPopupListClass)
        return FWindow;
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, kPopupListClass, &wc)) {
        wc.lpfnWndProc = &TPopupList::WndProc;
        wc.lpszClassName = kPopupListClass;
        RegisterClass(&wc);
    }
    FWindow =
        CreateWindowEx(0, kPopupListClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    return FWindow;
}

win::LRESULT TPopupList::WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp) {
    using namespace win;
    // A copy: a handler may free a menu.
    std::vector<TPopupMenu*> menus = PopupList().FMenus;
    auto alive = [](TPopupMenu* m) {
        const auto& now = PopupList().FMenus;
        return std::find(now.begin(), now.end(), m) != now.end();
    };
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(static_cast<DWORD>(wp)) == 0 && lp == 0)
            for (TPopupMenu* m : menus)
                if (alive(m) && m->DispatchCommand(LOWORD(static_cast<DWORD>(wp)))) break;
        return 0;
    case WM_INITMENUPOPUP:
        for (TPopupMenu* m : menus)
            if (alive(m) && m->DispatchPopup(reinterpret_cast<HMENU>(wp))) break;
        return 0;
    case WM_MEASUREITEM:
        for (TPopupMenu* m : menus)
            if (alive(m) && m->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return 1;
        return 0;
    case WM_DRAWITEM:
        for (TPopupMenu* m : menus)
            if (alive(m) && m->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return 1;
        return 0;
    case WM_MENUCHAR: {
        TWMMenuChar m(TMessage(msg, wp, lp));
        for (TPopupMenu* menu : menus)
            if (alive(menu) && menu->ProcessMenuChar(m)) return m.Result;
        return MenuCharAnswer(MNC_IGNORE, 0);
    }
    default:
        return DefWindowProc(h, msg, wp, lp);
    }
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
    PopupList().Add(this);
}

TPopupMenu::~TPopupMenu() {
    BeforeDestruction();
    PopupList().Remove(this);
}

KV_PUBLISHED(TPopupMenu) {
    p.Enum("Alignment", &TPopupMenu::FAlignment, &TPopupMenu::SetAlignment, paLeft);
    p.Bool("AutoPopup", &TPopupMenu::FAutoPopup, &TPopupMenu::SetAutoPopup, true);
    p.Enum("TrackButton", &TPopupMenu::FTrackButton, &TPopupMenu::SetTrackButton, tbRightButton);
    p.Int("HelpContext", &TPopupMenu::FHelpContext, &TPopupMenu::SetHelpContext, 0);
    p.Event("OnPopup", &TPopupMenu::OnPopup);
}
KV_REGISTER_CLASS(TPopupMenu)

win::HMENU TPopupMenu::CreateMenuHandle() {
    return win::CreatePopupMenu();
}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
    using namespace win;
    DoPopup(this);
    RebuildHandle();
    if (GetMenuItemCount(Handle()) <= 0) return;
    UINT flags = FAlignment == paRight    ? TPM_RIGHTALIGN
                 : FAlignment == paCenter ? TPM_CENTERALIGN
                                          : TPM_LEFTALIGN;
    flags |= FTrackButton == tbLeftButton ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON;
    TrackPopupMenu(Handle(), flags, X, Y, 0, PopupList().Window(), nullptr);
}

// ---- Forms

namespace {

// The MDI child list goes after the window menu's own items: a separator, then "&1 Caption" ... with
// the active child checked. Commands from here up are the children's.
constexpr win::WORD kFirstMDIChild = 0xFF00;

void AppendChildList(TCustomForm* Form, win::HMENU Handle) {
    using namespace win;
    for (int i = GetMenuItemCount(Handle) - 1; i >= 0; --i) {
        UINT id = GetMenuItemID(Handle, i);
        bool ours = id != MENU_ERROR && id >= kFirstMDIChild;
        bool separatorOfOurs = (GetMenuState(Handle, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) &&
                               GetMenuItemID(Handle, i) == kFirstMDIChild - 1;
        if (ours || separatorOfOurs) RemoveMenu(Handle, static_cast<UINT>(i), MF_BYPOSITION);
    }
    if (Form->FormStyle() != fsMDIForm) return;
    int count = Form->MDIChildCount();
    if (count == 0) return;
    if (GetMenuItemCount(Handle) > 0) AppendMenu(Handle, MF_SEPARATOR, kFirstMDIChild - 1, nullptr);
    TCustomForm* active = Form->ActiveMDIChild();
    // Nine at most, as the platform lists them.
    for (int i = 0; i < count && i < 9; ++i) {
        TCustomForm* child = Form->MDIChildren(i);
        String text = "&" + std::to_string(i + 1) + " " + child->Caption();
        AppendMenu(Handle, MF_STRING | (child == active ? MF_CHECKED : 0),
                   kFirstMDIChild + static_cast<UINT>(i), text.c_str());
    }
}

// CM_ISSHORTCUT to the windowed controls of Parent, at any depth, until one runs the key. Only what the
// user could use is asked: a hidden or disabled control answers for none of its children, and a form
// inside the form answers for its own keys, not for this one's.
bool AskControlsForShortCut(TWinControl* Parent, const TWMKey& Key) {
    // A copy: the item a key runs may add or free controls, although the walk ends as soon as one ran.
    const TWinControlList children = Parent->WinControls();
    for (TWinControl* c : children) {
        if (!c->Showing() || !c->Enabled() || c->IsForm()) continue;
        if (c->Perform(CM_ISSHORTCUT, Key.CharCode, Key.KeyData) != 0) return true;
        if (AskControlsForShortCut(c, Key)) return true;
    }
    return false;
}

// The form's own menu, then the menus its controls show, then those serving it from outside its controls.
bool FormShortCut(TCustomForm* Form, TWMKey& Key) {
    auto* menu = dynamic_cast<TMainMenu*>(Form->Menu());
    if (menu && menu->IsShortCut(Key)) return true;
    if (AskControlsForShortCut(Form, Key)) return true;
    return FormShortCutHook && FormShortCutHook(Form, Key);
}

} // namespace

bool FormMenuMessage(TCustomForm* Form, TMessage& Message) {
    using namespace win;
    auto* menu = dynamic_cast<TMainMenu*>(Form->Menu());
    switch (Message.Msg) {
    case CM_MENUCHANGED: {
        // The form's Menu was set, or its window was made: show the menu in the bar.
        if (!Form->HandleAllocated()) return false;
        HWND wnd = Form->Handle();
        HMENU current = GetMenu(wnd);
        if (current && (!menu || current != menu->Handle())) {
            SetMenu(wnd, nullptr);
        }
        if (menu && Form->FormStyle() != fsMDIChild) menu->SetWindowHandle(wnd);
        return false;
    }
    case WM_COMMAND: {
        // A child of the window list: activate it.
        WORD id = LOWORD(static_cast<DWORD>(Message.WParam));
        if (Message.LParam == 0 && id >= kFirstMDIChild && Form->FormStyle() == fsMDIForm &&
            id - kFirstMDIChild < Form->MDIChildCount()) {
            TCustomForm* child = Form->MDIChildren(id - kFirstMDIChild);
            child->BringToFront();
            if (child->CanFocus()) child->SetFocus();
            Message.Result = 0;
            return true;
        }
    }
        if (menu && Message.LParam == 0 && HIWORD(static_cast<DWORD>(Message.WParam)) == 0 &&
            menu->DispatchCommand(LOWORD(static_cast<DWORD>(Message.WParam)))) {
            Message.Result = 0;
            return true;
        }
        return false;
    case WM_INITMENUPOPUP: {
        if (!menu || !menu->DispatchPopup(reinterpret_cast<HMENU>(Message.WParam))) return false;
        auto* windowMenu = dynamic_cast<TMenuItem*>(Form->WindowMenu());
        if (windowMenu && windowMenu->HandleAllocated() &&
            reinterpret_cast<HMENU>(Message.WParam) == windowMenu->Handle())
            AppendChildList(Form, windowMenu->Handle());
        Message.Result = 0;
        return true;
    }
    case WM_MEASUREITEM:
        if (menu && Message.WParam == 0 &&
            menu->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam))) {
            Message.Result = 1;
            return true;
        }
        return false;
    case WM_DRAWITEM:
        if (menu && Message.WParam == 0 &&
            menu->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam))) {
            Message.Result = 1;
            return true;
        }
        return false;
    case WM_NCMOUSEMOVE:
        if (Form->HandleAllocated())
            MenuBarHotTrack(Form->Handle(),
                            POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
        return false;
    case WM_MOUSEMOVE:
    case WM_NCMOUSELEAVE:
        if (Form->HandleAllocated()) MenuBarHotTrack(Form->Handle(), POINT{-32000, -32000});
        return false;
    case WM_MENUCHAR: {
        TWMMenuChar m(Message);
        if (!menu || !menu->ProcessMenuChar(m)) return false;
        Message.Result = m.Result;
        return true;
    }
    case CM_CHILDKEY: {
        // A menu shortcut runs before the controls see the key, each key at most once.
        TWMKey key;
        key.Msg = WM_KEYDOWN;
        key.CharCode = static_cast<WORD>(Message.WParam);
        key.KeyData = GetKeyState(VK_MENU) < 0 ? (std::intptr_t{1} << 29) : 0;
        bool ran = FormShortCut(Form, key);
        // A key no menu of an MDI child took is its frame's, as though typed in the frame: the frame's
        // menu bar serves its children.
        if (!ran && Form->FormStyle() == fsMDIChild)
            if (TCustomForm* frame = Form->MDIParent(); frame && frame->Enabled())
                ran = FormShortCut(frame, key);
        if (!ran) return false;
        Message.Result = 1;
        return true;
    }
    default:
        return false;
    }
}

} // namespace vcl
