#pragma once
// Shared by the menu tests: a form with a main menu, and a log of the menu messages its window gets.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Subclass.h"
#include "platform/win/Windows.h"
#include "tests/support/MenuDriver.h"
#include "tests/support/UiDriver.h"

namespace menutest {

using namespace vcl;

// Records the menu messages of one window (subclassed) as short texts: "enter", "init", "popup:File",
// "select:Exit", "uninit:File", "select:close", "exit", "command:Exit".
class MenuLog {
public:
    MenuLog(win::HWND Wnd, TMenu* Menu) : FMenu(Menu) {
        Current() = this;
        FSubclass.Attach(Wnd, &Proc);
    }
    ~MenuLog() { Current() = nullptr; }
    std::vector<String> Entries;
    void Add(const String& s) { Entries.push_back(s); }

private:
    static MenuLog*& Current() {
        static MenuLog* current = nullptr;
        return current;
    }
    String NameOfHandle(win::HMENU h) {
        if (TMenuItem* i = FMenu->FindItem(reinterpret_cast<std::uintptr_t>(h), fkHandle))
            return i == FMenu->Items() ? String("(menu)") : StripHotkey(i->Caption());
        return "?";
    }
    String NameOfCommand(win::UINT id) {
        TMenuItem* i = FMenu->FindItem(id, fkCommand);
        return i ? StripHotkey(i->Caption()) : "?";
    }
    static win::LRESULT Proc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp) {
        MenuLog* log = Current();
        using namespace win;
        switch (msg) {
        case WM_ENTERMENULOOP:
            log->Add("enter");
            break;
        case WM_EXITMENULOOP:
            log->Add("exit");
            break;
        case WM_INITMENU:
            log->Add("init");
            break;
        case WM_INITMENUPOPUP:
            log->Add("popup:" + log->NameOfHandle(reinterpret_cast<HMENU>(wp)));
            break;
        case WM_UNINITMENUPOPUP:
            log->Add("uninit:" + log->NameOfHandle(reinterpret_cast<HMENU>(wp)));
            break;
        case WM_MENUSELECT: {
            UINT flags = HIWORD(static_cast<DWORD>(wp));
            if (flags == 0xFFFF && lp == 0) {
                log->Add("select:close");
            } else {
                HMENU m = reinterpret_cast<HMENU>(lp);
                UINT id = LOWORD(static_cast<DWORD>(wp));
                if (flags & MF_POPUP)
                    log->Add("select:" + log->NameOfHandle(GetSubMenu(m, static_cast<int>(id))));
                else
                    log->Add("select:" + log->NameOfCommand(id));
            }
            break;
        }
        case WM_COMMAND:
            if (lp == 0) log->Add("command:" + log->NameOfCommand(LOWORD(static_cast<DWORD>(wp))));
            break;
        default:
            break;
        }
        return log->FSubclass.CallPrevious(h, msg, wp, lp);
    }
    TMenu* FMenu;
    win::WindowSubclass FSubclass;
};

class MenuFormTest : public uitest::UiTest {
protected:
    TMenuItem* AddItem(TMenuItem* Parent, const String& Name, const String& Caption, TShortCut Key = 0) {
        auto* i = new TMenuItem(Form);
        i->SetName(Name);
        i->SetCaption(Caption);
        i->SetShortCut(Key);
        i->OnClick = [this](TObject* Sender) { Clicks.push_back(static_cast<TMenuItem*>(Sender)->Name()); };
        Parent->Add(i);
        return i;
    }
    // A form with "&File" (New, Open > (Recent1, Recent2), -, Exit) and "&Edit" (Copy, Paste) on its bar.
    void SetUp() override {
        Form = new TForm(Application);
        Form->SetName("MenuForm");
        Form->SetCaption("Menus");
        Form->SetBounds(100, 100, 320, 200);
        Menu = new TMainMenu(Form);
        Menu->SetName("MainMenu1");
        File = AddItem(Menu->Items(), "File1", "&File");
        New = AddItem(File, "New1", "&New", ShortCut('N', {ssCtrl}));
        Open = AddItem(File, "Open1", "&Open");
        Recent1 = AddItem(Open, "Recent1", "Recent &1");
        Recent2 = AddItem(Open, "Recent2", "Recent &2");
        AddItem(File, "N1", "-");
        Exit = AddItem(File, "Exit1", "E&xit");
        Edit = AddItem(Menu->Items(), "Edit1", "&Edit");
        Copy = AddItem(Edit, "Copy1", "&Copy", ShortCut('C', {ssCtrl}));
        Paste = AddItem(Edit, "Paste1", "&Paste");
        // Only the leaves log their clicks (a parent's OnClick runs as its submenu opens).
        for (TMenuItem* parent : {File, Open, Edit})
            parent->OnClick = nullptr;
        Form->SetMenu(Menu);
        Form->Show();
        ui.Process();
    }
    void TearDown() override { FreeComponent(Form); }
    // Queues the keys, one at each idle turn of the menu loop that the test starts next.
    void KeysWhenIdle(std::initializer_list<unsigned> Keys) {
        for (unsigned k : Keys)
            ui.WhenIdle([this, k] { ui.Key(k); });
    }

    TForm* Form = nullptr;
    TMainMenu* Menu = nullptr;
    TMenuItem *File = nullptr, *New = nullptr, *Open = nullptr, *Recent1 = nullptr, *Recent2 = nullptr,
              *Exit = nullptr, *Edit = nullptr, *Copy = nullptr, *Paste = nullptr;
    std::vector<String> Clicks;
    uitest::MenuDriver menus{ui};
};

} // namespace menutest
