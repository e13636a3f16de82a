// Menu items: the tree, radio groups, AutoCheck, the window-system menu built from the items, finding
// items, and menus read from form layouts; shortcut values and their English texts, and hotkey captions.

#include <gtest/gtest.h>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/ShortCut.h"
#include "platform/win/WinUser.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;

class MenuItemTest : public uitest::UiTest {
protected:
    TMenuItem* Item(TMenuItem* Parent, const String& Caption) {
        auto* i = new TMenuItem(Menu.get());
        i->SetCaption(Caption);
        if (Parent) Parent->Add(i);
        return i;
    }
    String EntryText(win::HMENU h, int pos) {
        char buf[64]{};
        win::GetMenuString(h, static_cast<win::UINT>(pos), buf, sizeof buf, win::MF_BYPOSITION);
        return buf;
    }
    TComponentPtr<TPopupMenu> Menu{new TPopupMenu(nullptr)};
};

TEST_F(MenuItemTest, TreeOperationsKeepParentsAndIndexesAndBadOnesRaiseMenuErrors) {
    TMenuItem* root = Menu->Items();
    TMenuItem* a = Item(root, "&Alpha");
    TMenuItem* b = Item(root, "Beta");
    TMenuItem* c = new TMenuItem(Menu.get());
    c->SetCaption("Gamma");
    root->Insert(1, c);
    EXPECT_EQ(root->Count(), 3);
    EXPECT_EQ(c->MenuIndex(), 1);
    EXPECT_EQ(b->MenuIndex(), 2);
    EXPECT_EQ(c->Parent(), root);
    EXPECT_EQ(c->GetParentMenu(), Menu.get());
    EXPECT_EQ(root->Find("alpha"), a);
    EXPECT_EQ(root->Find("&Gamma"), c);
    EXPECT_EQ(root->Find("Delta"), nullptr);
    c->SetMenuIndex(0);
    EXPECT_EQ(root->IndexOf(c), 0);
    EXPECT_EQ(root->IndexOf(a), 1);

    // Taking an item out keeps it alive and parentless.
    root->Remove(c);
    EXPECT_EQ(c->Parent(), nullptr);
    EXPECT_EQ(root->Count(), 2);
    EXPECT_EQ(c->GetParentMenu(), nullptr);
    FreeComponent(c);

    // Freeing an item takes it out of its parent; freeing a parent frees its sub-items.
    TMenuItem* sub = Item(a, "Sub");
    Item(sub, "SubSub");
    FreeComponent(b);
    EXPECT_EQ(root->Count(), 1);
    FreeComponent(sub);
    EXPECT_EQ(a->Count(), 0);

    // Bad inserts and indexes raise menu errors and change nothing.
    TMenuItem* child = Item(a, "Child");
    EXPECT_THROW(root->Add(child), EMenuError); // already has a parent
    EXPECT_THROW(child->Add(a), EMenuError);    // a would contain itself
    EXPECT_THROW(root->Items(5), EMenuError);
    EXPECT_THROW(root->Delete(-1), EMenuError);
    auto* loose = new TMenuItem(Menu.get());
    EXPECT_THROW(root->Insert(9, loose), EMenuError);
    EXPECT_THROW(root->Remove(loose), EMenuError);
    EXPECT_EQ(loose->Parent(), nullptr);
    FreeComponent(loose);
    EXPECT_EQ(root->Count(), 1);
}

TEST_F(MenuItemTest, RadioItemsOfOneGroupExcludeEachOther) {
    TMenuItem* root = Menu->Items();
    TMenuItem* r1 = Item(root, "R1");
    TMenuItem* r2 = Item(root, "R2");
    TMenuItem* other = Item(root, "Other group");
    TMenuItem* plain = Item(root, "Plain check");
    for (TMenuItem* r : {r1, r2, other})
        r->SetRadioItem(true);
    other->SetGroupIndex(2);
    plain->SetChecked(true);
    other->SetChecked(true);
    r1->SetChecked(true);
    r2->SetChecked(true);
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(r2->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(plain->Checked());
    // Moving an item into the group unchecks the others.
    r1->SetChecked(true);
    other->SetGroupIndex(0);
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(other->Checked());
}

TEST_F(MenuItemTest, TheWindowSystemMenuFollowsTheItems) {
    TMenuItem* root = Menu->Items();
    TMenuItem* save = Item(root, "&Save");
    save->SetShortCut(ShortCut('S', {ssCtrl}));
    Item(root, "-");
    TMenuItem* hidden = Item(root, "Hidden");
    hidden->SetVisible(false);
    TMenuItem* sub = Item(root, "More");
    TMenuItem* deep = Item(sub, "Deep");
    TMenuItem* radio = Item(root, "Radio");
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    radio->SetEnabled(false);
    radio->SetBreak(mbBarBreak);

    win::HMENU h = Menu->Handle();
    ASSERT_EQ(win::GetMenuItemCount(h), 4); // the hidden item takes no entry
    EXPECT_EQ(EntryText(h, 0), "&Save\tCtrl+S");
    EXPECT_EQ(win::GetMenuItemID(h, 0), save->Command());
    EXPECT_TRUE(win::GetMenuState(h, 1, win::MF_BYPOSITION) & win::MF_SEPARATOR);
    EXPECT_EQ(win::GetSubMenu(h, 2), sub->Handle());
    EXPECT_EQ(win::GetMenuItemID(sub->Handle(), 0), deep->Command());
    win::MENUITEMINFO mi{};
    mi.fMask = win::MIIM_FTYPE | win::MIIM_STATE | win::MIIM_DATA;
    ASSERT_TRUE(win::GetMenuItemInfo(h, 3, win::TRUE, &mi));
    EXPECT_TRUE(mi.fType & win::MFT_RADIOCHECK);
    EXPECT_TRUE(mi.fType & win::MFT_MENUBARBREAK);
    EXPECT_EQ(mi.fState & win::MFS_CHECKED, win::MFS_CHECKED);
    EXPECT_EQ(mi.fState & win::MFS_GRAYED, win::MFS_GRAYED);
    EXPECT_EQ(mi.dwItemData, reinterpret_cast<std::uintptr_t>(radio));

    // Every change shows at once; an emptied submenu becomes a plain entry.
    save->SetCaption("Save &As");
    hidden->SetVisible(true);
    EXPECT_EQ(EntryText(h, 0), "Save &As\tCtrl+S");
    EXPECT_EQ(win::GetMenuItemCount(h), 5);
    FreeComponent(deep);
    EXPECT_EQ(win::GetSubMenu(h, 3), nullptr);
    EXPECT_EQ(win::GetMenuItemID(h, 3), sub->Command());
}

TEST_F(MenuItemTest, FindItemByCommandHandleAndShortcutAndClickHonoursEnabledAndAutoCheck) {
    TMenuItem* file = Item(Menu->Items(), "File");
    TMenuItem* exit = Item(file, "Exit");
    exit->SetShortCut(ShortCut(win::VK_F4, {ssAlt}));
    EXPECT_EQ(Menu->FindItem(exit->Command(), fkCommand), exit);
    EXPECT_EQ(Menu->FindItem(reinterpret_cast<std::uintptr_t>(file->Handle()), fkHandle), file);
    EXPECT_EQ(Menu->FindItem(ShortCut(win::VK_F4, {ssAlt}), fkShortCut), exit);
    EXPECT_EQ(Menu->FindItem(0, fkShortCut), nullptr);
    EXPECT_EQ(Menu->FindItem(0xFFFF, fkCommand), nullptr);
    // Commands are unique while items live.
    EXPECT_NE(file->Command(), exit->Command());
    int runs = 0;
    exit->OnClick = [&](TObject*) { ++runs; };
    EXPECT_TRUE(Menu->DispatchCommand(static_cast<Word>(exit->Command())));
    EXPECT_FALSE(Menu->DispatchCommand(0));
    EXPECT_EQ(runs, 1);

    // Click honours Enabled and AutoCheck.
    TMenuItem* i = Item(Menu->Items(), "Toggle");
    int clicks = 0;
    i->OnClick = [&](TObject*) { ++clicks; };
    i->SetAutoCheck(true);
    i->Click();
    EXPECT_TRUE(i->Checked());
    i->Click();
    EXPECT_FALSE(i->Checked());
    i->SetEnabled(false);
    i->Click();
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(i->Checked());
}

TEST_F(MenuItemTest, WindowSystemCallsRejectBadHandlesAndKeepSubmenusOnRemove) {
    EXPECT_EQ(win::GetMenuItemCount(nullptr), -1);
    EXPECT_FALSE(win::AppendMenu(nullptr, win::MF_STRING, 1, "x"));
    win::HMENU top = win::CreateMenu();
    win::HMENU sub = win::CreatePopupMenu();
    int notAMenu = 0;
    EXPECT_FALSE(win::AppendMenu(top, win::MF_POPUP, reinterpret_cast<win::UINT_PTR>(&notAMenu), "bad"));
    ASSERT_TRUE(win::AppendMenu(top, win::MF_POPUP, reinterpret_cast<win::UINT_PTR>(sub), "&Sub"));
    win::AppendMenu(sub, win::MF_STRING, 7, "Seven");
    // By command, the search goes into submenus.
    EXPECT_EQ(win::CheckMenuItem(top, 7, win::MF_CHECKED), 0u);
    EXPECT_EQ(win::GetMenuState(sub, 7, win::MF_BYCOMMAND) & win::MF_CHECKED, win::MF_CHECKED);
    EXPECT_TRUE(win::RemoveMenu(top, 0, win::MF_BYPOSITION));
    EXPECT_TRUE(win::IsMenu(sub));
    ASSERT_TRUE(win::AppendMenu(top, win::MF_POPUP, reinterpret_cast<win::UINT_PTR>(sub), "&Sub"));
    EXPECT_TRUE(win::DestroyMenu(top)); // takes its submenus along
    EXPECT_FALSE(win::IsMenu(sub));
    EXPECT_FALSE(win::IsMenu(top));
    // A cut text never splits a character.
    win::HMENU m = win::CreatePopupMenu();
    win::AppendMenu(m, win::MF_STRING, 1, "Größe");
    char buf[4]{};
    EXPECT_EQ(win::GetMenuString(m, 0, buf, sizeof buf, win::MF_BYPOSITION), 2);
    EXPECT_STREQ(buf, "Gr");
    win::DestroyMenu(m);
}

TEST_F(MenuItemTest, SystemMenuIsTheStandardOneAndCanBeReverted) {
    TComponentPtr<TForm> form(new TForm(nullptr));
    form->Show();
    win::HMENU sys = win::GetSystemMenu(form->Handle(), win::FALSE);
    ASSERT_NE(sys, nullptr);
    EXPECT_EQ(win::GetSystemMenu(form->Handle(), win::FALSE), sys);
    ASSERT_EQ(win::GetMenuItemCount(sys), 7);
    EXPECT_EQ(win::GetMenuItemID(sys, 6), win::SC_CLOSE);
    EXPECT_TRUE(win::GetMenuState(sys, 6, win::MF_BYPOSITION) & win::MF_DEFAULT);
    win::DeleteMenu(sys, win::SC_SIZE, win::MF_BYCOMMAND);
    EXPECT_EQ(win::GetMenuItemCount(sys), 6);
    EXPECT_EQ(win::GetSystemMenu(form->Handle(), win::TRUE), nullptr);
    EXPECT_FALSE(win::IsMenu(sys));
    EXPECT_EQ(win::GetMenuItemCount(win::GetSystemMenu(form->Handle(), win::FALSE)), 7);
    // Tracked like any popup: the chosen command comes back.
    ui.WhenIdle([&] { ui.Key(win::VK_UP); });
    ui.WhenIdle([&] { ui.Key(win::VK_RETURN); });
    EXPECT_EQ(static_cast<win::WPARAM>(win::TrackPopupMenu(win::GetSystemMenu(form->Handle(), win::FALSE),
                                                           win::TPM_RETURNCMD, 200, 200, 0, form->Handle(),
                                                           nullptr)),
              win::SC_CLOSE);
}

TEST_F(MenuItemTest, MenusAreReadFromFormLayouts) {
    RegisterClass<TMainMenu>();
    RegisterClass<TMenuItem>();
    const String layout = "object MenuForm: TForm\r\n"
                          "  Menu = MainMenu1\r\n"
                          "  object MainMenu1: TMainMenu\r\n"
                          "    object File1: TMenuItem\r\n"
                          "      Caption = '&File'\r\n"
                          "      object Save1: TMenuItem\r\n"
                          "        Caption = '&Save'\r\n"
                          "        ShortCut = 16467\r\n"
                          "      end\r\n"
                          "      object N1: TMenuItem\r\n"
                          "        Caption = '-'\r\n"
                          "      end\r\n"
                          "      object Exit1: TMenuItem\r\n"
                          "        Caption = 'E&xit'\r\n"
                          "        Enabled = False\r\n"
                          "      end\r\n"
                          "    end\r\n"
                          "  end\r\n"
                          "end\r\n";
    TComponentPtr<TForm> form(new TForm(nullptr));
    ReadComponentFromText(layout, form.get(), "MenuForm");
    auto* menu = dynamic_cast<TMainMenu*>(form->FindComponent("MainMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(form->Menu(), menu);
    ASSERT_EQ(menu->Items()->Count(), 1);
    TMenuItem* file = menu->Items()->Items(0);
    EXPECT_EQ(file->Name(), "File1");
    ASSERT_EQ(file->Count(), 3);
    EXPECT_EQ(file->Items(0)->ShortCut(), ShortCut('S', {ssCtrl}));
    EXPECT_TRUE(file->Items(1)->IsLine());
    EXPECT_FALSE(file->Items(2)->Enabled());
    EXPECT_EQ(file->Items(2)->Owner(), form.get());
    form->Show();
    EXPECT_EQ(win::GetMenu(form->Handle()), menu->Handle());
    EXPECT_EQ(win::GetMenuItemCount(file->Handle()), 3);
}

using namespace vcl;

TEST(ShortCutTest, TextsUseThePlatformsKeyNamesAndModifierOrder) {
    EXPECT_EQ(ShortCutToText(ShortCut('S', {ssCtrl})), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_F10, {})), "F10");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_DELETE, {ssShift})), "Shift+Del");
    EXPECT_EQ(ShortCutToText(ShortCut('Z', {ssAlt, ssCtrl, ssShift})), "Shift+Ctrl+Alt+Z");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_RETURN, {ssCtrl})), "Ctrl+Enter");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_PRIOR, {})), "PgUp");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_ESCAPE, {})), "Esc");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_BACK, {ssAlt})), "Alt+BkSp");
    EXPECT_EQ(ShortCutToText(ShortCut('7', {ssCtrl})), "Ctrl+7");
    // The framework's stored values.
    EXPECT_EQ(ShortCut('S', {ssCtrl}), 16467);
    EXPECT_EQ(ShortCut(win::VK_DELETE, {ssShift}), 0x2000 + 0x2E);
    // No shortcut, and keys without a name, give no text.
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(scCtrl), "");             // a modifier alone
    EXPECT_EQ(ShortCutToText(ShortCut(0xE5, {})), ""); // no English name
    EXPECT_EQ(ShortCut(0x1FF, {ssCtrl}), 0);           // not a key code
}

TEST(ShortCutTest, TextToShortCutAndShortCutToKeyReverseTheValue) {
    for (TShortCut sc :
         {ShortCut('S', {ssCtrl}), ShortCut(win::VK_F10, {}), ShortCut(win::VK_DELETE, {ssShift}),
          ShortCut('Q', {ssShift, ssCtrl, ssAlt}), ShortCut(win::VK_F1 + 11, {ssAlt})})
        EXPECT_EQ(TextToShortCut(ShortCutToText(sc)), sc) << ShortCutToText(sc);
    EXPECT_EQ(TextToShortCut("ctrl+s"), ShortCut('S', {ssCtrl}));
    EXPECT_EQ(TextToShortCut("Alt+Ctrl+X"), ShortCut('X', {ssCtrl, ssAlt}));
    EXPECT_EQ(TextToShortCut(""), 0);
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Ctrl+Banana"), 0);
    EXPECT_EQ(TextToShortCut("F25"), 0);
    // ShortCutToKey splits a value into the key and the modifiers.
    Word key = 0;
    TShiftState shift;
    ShortCutToKey(ShortCut('K', {ssCtrl, ssShift}), key, shift);
    EXPECT_EQ(key, 'K');
    EXPECT_TRUE(shift.Contains(ssCtrl));
    EXPECT_TRUE(shift.Contains(ssShift));
    EXPECT_FALSE(shift.Contains(ssAlt));
}

TEST(ShortCutTest, HotkeysOfCaptions) {
    EXPECT_EQ(StripHotkey("&File"), "File");
    EXPECT_EQ(StripHotkey("Save && E&xit"), "Save & Exit");
    EXPECT_EQ(StripHotkey("Trailing&"), "Trailing");
    EXPECT_EQ(GetHotkey("E&xit"), "X");
    EXPECT_EQ(GetHotkey("Save && Close"), "");
    EXPECT_EQ(GetHotkey("&&&Both"), "B");
    EXPECT_EQ(GetHotkey("Zur&ück"), "ü"); // a character, not a byte
    EXPECT_EQ(GetHotkey("None"), "");
}

} // namespace
