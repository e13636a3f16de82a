#pragma once
// Shared by the menu bar tests: a form with a toolbar serving as its menu bar over File (Open, Exit),
// Edit (Undo) and Help (About), and the input the tests drive it with.

#include "components/toolbar/dock/ToolBarMenuButton.h"
#include "tests/support/MenuDriver.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace menubartest {

using namespace toolbartest;

class MenuBarTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        menu = new TMainMenu(form.get());
        file = Item(menu->Items(), "&File");
        open = Item(file, "&Open");
        exitItem = Item(file, "E&xit");
        edit = Item(menu->Items(), "&Edit");
        undo = Item(edit, "&Undo");
        help = Item(menu->Items(), "&Help");
        about = Item(help, "&About");
        bar = Make<TAdvToolBar>("MenuBar", form.get());
        BeforeShow();
        bar->SetMenu(menu);
        form->Show();
        ui.Process();
    }

    // What a fixture adds to the form before it is shown.
    virtual void BeforeShow() {}

    TMenuItem* Item(TMenuItem* Parent, const String& Caption) {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(Caption);
        item->OnClick = [this, Caption](TObject*) { clicks.push_back(Caption); };
        Parent->Add(item);
        return item;
    }
    // The menu button showing a top-level item, or null.
    TAdvToolBarMenuButton* ButtonOf(TMenuItem* Item) const {
        for (int i = 0; i < bar->ToolBarControlCount(); ++i)
            if (auto* b = dynamic_cast<TAdvToolBarMenuButton*>(bar->ToolBarControls(i));
                b && b->MenuItem() == Item)
                return b;
        return nullptr;
    }
    // The items of the menu dropped from the bar now (empty when none is).
    std::vector<TMenuItem*> Dropped() const {
        std::vector<TMenuItem*> items;
        if (auto* m = bar->TempPopupMenu(); m && win::IsMenuTracking())
            for (int i = 0; i < m->Items()->Count(); ++i)
                items.push_back(m->Items()->Items(i));
        return items;
    }
    // From an idle action: a key pressed and released (only injected).
    void Press(unsigned Vk) {
        ui.Screen().KeyDown(Vk);
        ui.Screen().KeyUp(Vk);
    }
    // From an idle action: the pointer onto a control's centre (only injected).
    void Slide(TControl* C) {
        TPoint p = C->ClientToScreen(TPoint{C->Width() / 2, C->Height() / 2});
        ui.Screen().MoveMouse(p.X, p.Y);
    }

    TMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *open = nullptr, *exitItem = nullptr, *edit = nullptr, *undo = nullptr;
    TMenuItem *help = nullptr, *about = nullptr;
    TAdvToolBar* bar = nullptr;
    std::vector<String> clicks;
    uitest::MenuDriver menus{ui};
};

} // namespace menubartest
