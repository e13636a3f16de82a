#pragma once
// TMenu (a tree of TMenuItem under Items, built into a window-system menu), TMainMenu (a form's menu bar)
// and TPopupMenu (a context menu, Popup(X, Y) returning when it has closed).
//
// A form shows its Menu in its bar; the form answers the bar's WM_COMMAND, WM_INITMENUPOPUP, WM_MENUCHAR
// and owner-draw requests through the menu, and dispatches menu shortcuts before its controls see the
// key: its own Menu first, then, when that has not taken the key, the menus its controls show
// (CM_ISSHORTCUT, WParam the key, LParam its key data, Result nonzero when the key ran an item), asked one
// by one at any depth, visible and enabled ones only and no form inside the form, then the menus shown
// outside its controls that serve it (FormShortCutHook). A key no menu of an MDI child took goes on to
// its MDI frame's menus in the same order, as the frame's own keys do.

#include "platform/vcl/Control.h"
#include "platform/vcl/MenuItem.h"

namespace vcl {

class TCustomForm;

KV_ENUM(TFindItemKind, fkCommand, fkHandle, fkShortCut);
KV_ENUM(TPopupAlignment, paLeft, paRight, paCenter);
KV_ENUM(TTrackButton, tbRightButton, tbLeftButton);

// WM_MENUCHAR: a character typed in an open menu that matched none of its items by the window system's own
// rule (owner-drawn items have no text it reads). Result: MNC_* in the high word, the item's position in
// Menu in the low word.
struct TWMMenuChar {
    win::UINT Msg = 0;
    char32_t User = 0;      // the character
    win::WORD MenuFlag = 0; // MF_POPUP for a drop-down or submenu, MF_SYSMENU for a system menu
    win::HMENU Menu = nullptr;
    win::LRESULT Result = 0;

    TWMMenuChar() = default;
    explicit TWMMenuChar(const TMessage& M)
        : Msg(M.Msg), User(win::LOWORD(static_cast<win::DWORD>(M.WParam))),
          MenuFlag(win::HIWORD(static_cast<win::DWORD>(M.WParam))),
          Menu(reinterpret_cast<win::HMENU>(M.LParam)), Result(M.Result) {}
};

class TMenu : public TComponent {
    KV_CLASS(TMenu, TComponent)
    KV_PUBLISHED_PROPERTIES(TMenu)
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems; }
    // The images items show by ImageIndex; a change in the list re-measures the items.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value);
    // The top-level items' line reduction, and that of every item that takes its parent's (maParent, the
    // items' default). A menu has no parent: maParent reads as maAutomatic.
    TMenuAutoFlag AutoLineReduction() const { return FAutoLineReduction; }
    void SetAutoLineReduction(TMenuAutoFlag Value);
    // The window-system menu (built on first request, rebuilt on every change).
    win::HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // The item by command identifier, submenu handle or shortcut; null when none.
    TMenuItem* FindItem(std::uintptr_t Value, TFindItemKind Kind);
    // Runs the enabled, visible item with the key's shortcut; true when one ran.
    bool IsShortCut(TWMKey& Message);
    // WM_MENUCHAR for Message.Menu when it is this menu's or one of its items' submenus (else false and
    // the message untouched): the items whose captions have the character as accelerator (IsAccel, either
    // case) decide. One executes (MNC_EXECUTE), several select the next one after the highlighted item
    // (MNC_SELECT, round to the first), none leaves the answer MNC_IGNORE.
    bool ProcessMenuChar(TWMMenuChar& Message);
    // WM_COMMAND: clicks the item with that command; true when there was one.
    bool DispatchCommand(win::WORD ACommand);
    // WM_INITMENUPOPUP: clicks the item whose submenu is opening (dynamic menus fill it in OnClick).
    bool DispatchPopup(win::HMENU AHandle);
    // WM_MEASUREITEM / WM_DRAWITEM of an owner-drawn item of this menu; false when it is not one of ours.
    bool MeasureItem(win::MEASUREITEMSTRUCT& Info);
    bool DrawItem(const win::DRAWITEMSTRUCT& Info);
    // Re-creates the entries, so that every owner-drawn item is measured again.
    void RebuildItems();

    virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);
    TNotifyEvent OnChange;

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    friend class TMenuItem;
    void Loaded() override;
    virtual win::HMENU CreateMenuHandle() = 0;
    // Top-level items of a main menu sit on the bar.
    virtual bool IsBar() const { return false; }
    // Another menu whose items show in this one (a merged main menu), or null.
    virtual TMenu* MergedMenu() const { return nullptr; }
    // The visible top-level items, in order, before line reduction (Items()->ShownItems() applies it).
    virtual std::vector<TMenuItem*> ShownItems() const;
    void RebuildHandle();
    void DestroyHandle();

private:
    TMenuItem* FItems = nullptr;
    win::HMENU FHandle = nullptr;
    bool FOwnerDraw = false;
    TMenuAutoFlag FAutoLineReduction = maAutomatic;
    TBiDiMode FBiDiMode = bdLeftToRight;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
};

class TMainMenu : public TMenu {
    KV_CLASS(TMainMenu, TMenu)
    KV_PUBLISHED_PROPERTIES(TMainMenu)
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;

    bool AutoMerge() const { return FAutoMerge; }
    void SetAutoMerge(bool Value) { FAutoMerge = Value; }
    // The form window showing this menu in its bar, or null.
    win::HWND WindowHandle() const { return FWindowHandle; }
    // Shows the menu in the bar of Wnd (null: in none).
    void SetWindowHandle(win::HWND Value);
    void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;
    // Shows Menu's top-level items in this bar: an item of Menu replaces this menu's items of its
    // GroupIndex, and the bar is ordered by GroupIndex. One menu is merged at a time; null unmerges.
    void Merge(TMainMenu* Menu);
    void Unmerge(TMainMenu* Menu);
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    win::HMENU CreateMenuHandle() override;
    bool IsBar() const override { return true; }
    TMenu* MergedMenu() const override { return FMerged; }
    std::vector<TMenuItem*> ShownItems() const override;

private:
    TMainMenu* FMerged = nullptr;     // merged into this one
    TMainMenu* FMergedInto = nullptr; // this one is merged into that one
    win::HWND FWindowHandle = nullptr;
    bool FAutoMerge = false;
};

class TPopupMenu : public TMenu {
    KV_CLASS(TPopupMenu, TMenu)
    KV_PUBLISHED_PROPERTIES(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // Shows the menu at (X, Y) in screen coordinates and returns when it has closed; the chosen item's
    // OnClick runs as the posted WM_COMMAND is handled, right after.
    virtual void Popup(int X, int Y);
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    TTrackButton TrackButton() const { return FTrackButton; }
    void SetTrackButton(TTrackButton Value) { FTrackButton = Value; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    TNotifyEvent OnPopup;

protected:
    win::HMENU CreateMenuHandle() override;
    virtual void DoPopup(TObject* Sender);

private:
    TComponent* FPopupComponent = nullptr;
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    TTrackButton FTrackButton = tbRightButton;
    int FHelpContext = 0;
};

// Every popup menu, and the hidden window that receives their commands, WM_INITMENUPOPUP and owner-draw
// requests (the window popup menus are tracked for). A measure or draw request for an item's command may
// be sent to Window() from outside the engine as well.
class TPopupList {
public:
    win::HWND Window();
    void Add(TPopupMenu* Menu);
    void Remove(TPopupMenu* Menu);
    int Count() const { return static_cast<int>(FMenus.size()); }

private:
    static win::LRESULT WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp);
    std::vector<TPopupMenu*> FMenus;
    win::HWND FWindow = nullptr;
};
TPopupList& PopupList();

// The menu engine's door into forms: attaches a form's Menu to its window and answers the form's menu
// messages. Installed by the menu unit; true when the message was the menu's.
bool FormMenuMessage(TCustomForm* Form, TMessage& Message);

// Menus shown outside a form's controls that answer its shortcuts (a menu bar floating in a window of
// its own): asked after the form's menu and controls, with every menu the form's controls hold already
// asked. Installed by the unit that shows such menus; true when the key ran an item.
inline bool (*FormShortCutHook)(TCustomForm* Form, TWMKey& Key) = nullptr;

} // namespace vcl
