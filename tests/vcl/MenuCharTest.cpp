// Letters typed in an open menu whose items the window system cannot read (owner-drawn ones): the menu's
// owner answers WM_MENUCHAR from the items' captions, so that a letter chooses its item as it does in a
// plain menu; a letter that several items share selects them in turn.

#include <map>

#include "tests/vcl/MenuTestSupport.h"

namespace {

using namespace menutest;
using namespace vcl;

class MenuCharTest : public MenuFormTest {
protected:
    // The highlighted item of an open menu, as its caption without "&" ("" for none).
    static String Highlighted(TMenu* Owner, win::HMENU Menu) {
        for (int i = 0; i < win::GetMenuItemCount(Menu); ++i)
            if (win::GetMenuState(Menu, static_cast<win::UINT>(i), win::MF_BYPOSITION) & win::MF_HILITE) {
                win::MENUITEMINFO info{};
                info.fMask = win::MIIM_ID;
                win::GetMenuItemInfo(Menu, static_cast<win::UINT>(i), win::TRUE, &info);
                TMenuItem* item = Owner->FindItem(info.wID, fkCommand);
                return item ? StripHotkey(item->Caption()) : String("?");
            }
        return "";
    }
};

TEST_F(MenuCharTest, ALetterChoosesItsItemInAPlainAndAnOwnerDrawnMenuBar) {
    // Each row: the keys (a letter is typed, anything else pressed) and the item they run.
    const struct {
        const char* name;
        std::vector<String> letters; // typed one at each idle turn, after Alt+F or F10
        bool f10;
        const char* runs;
    } rows[] = {
        {"a letter in the dropped menu", {"x"}, false, "Exit1"},
        {"either case", {"X"}, false, "Exit1"},
        {"a submenu opens on its first item; a letter in it", {"o", "2"}, false, "Recent2"},
        {"a letter on the bar drops its menu; a letter in it", {"e", "p"}, true, "Paste1"},
    };
    for (bool ownerDraw : {false, true}) {
        Menu->SetOwnerDraw(ownerDraw);
        for (const auto& row : rows) {
            Clicks.clear();
            for (const String& letter : row.letters)
                ui.WhenIdle([this, letter] { ui.Type(letter); });
            if (row.f10)
                ui.Key(win::VK_F10);
            else
                ui.Key('F', {ssAlt});
            ui.Process();
            EXPECT_EQ(Clicks, std::vector<String>{row.runs})
                << row.name << (ownerDraw ? ", owner-drawn" : ", plain");
            EXPECT_FALSE(win::IsMenuTracking());
        }
    }
}

TEST_F(MenuCharTest, ALetterSeveralItemsShareSelectsEachInTurnAndRunsNone) {
    auto* popup = new TPopupMenu(Form);
    AddItem(popup->Items(), "Save1", "&Save");
    AddItem(popup->Items(), "Hidden1", "&Secret")->SetVisible(false); // not in the menu: never selected
    AddItem(popup->Items(), "N2", "-");
    AddItem(popup->Items(), "Send1", "&send");
    AddItem(popup->Items(), "Quit1", "&Quit");
    for (bool ownerDraw : {false, true}) {
        popup->SetOwnerDraw(ownerDraw);
        const char* how = ownerDraw ? "owner-drawn" : "plain";
        // Typed s, S, s: Save, then send, then round to Save. What a letter did shows at the next turn.
        std::vector<String> seen;
        ui.WhenIdle([&] { ui.Type("s"); });
        for (const char* letter : {"S", "s"})
            ui.WhenIdle([&, letter] {
                seen.push_back(Highlighted(popup, popup->Handle()));
                ui.Type(letter);
            });
        ui.WhenIdle([&] {
            seen.push_back(Highlighted(popup, popup->Handle()));
            ui.Key(win::VK_ESCAPE);
        });
        Clicks.clear();
        popup->Popup(150, 150);
        ui.Process();
        EXPECT_EQ(seen, (std::vector<String>{"Save", "send", "Save"})) << how;
        EXPECT_TRUE(Clicks.empty()) << how;

        // Selected in turn, then Enter runs the one selected; a letter only one item has runs it at once.
        ui.WhenIdle([&] { ui.Type("s"); });
        ui.WhenIdle([&] { ui.Type("s"); });
        ui.WhenIdle([&] { ui.Key(win::VK_RETURN); });
        popup->Popup(150, 150);
        ui.Process();
        ui.WhenIdle([&] { ui.Type("q"); });
        popup->Popup(150, 150);
        ui.Process();
        EXPECT_EQ(Clicks, (std::vector<String>{"Send1", "Quit1"})) << how;
    }
}

TEST_F(MenuCharTest, TheOwnersAnswerNamesThePositionInTheShownMenu) {
    // Asked as the window system asks: the popup list's window for popup menus, the form for its bar and
    // drop-downs. Positions are the shown menu's: hidden items and left-out separators are not in it.
    auto* popup = new TPopupMenu(Form);
    popup->SetOwnerDraw(true);
    AddItem(popup->Items(), "", "-"); // leading: left out
    AddItem(popup->Items(), "Gone1", "&Gone")->SetVisible(false);
    AddItem(popup->Items(), "File2", "&\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB"); // Файл
    AddItem(popup->Items(), "", "-");
    AddItem(popup->Items(), "", "-"); // doubled: left out
    AddItem(popup->Items(), "Off1", "&Off")->SetEnabled(false);
    const win::HWND list = PopupList().Window(), form = Form->Handle();
    const struct {
        win::HWND owner;
        char32_t typed;
        win::HMENU menu;
        int position;
        win::UINT answer;
        const char* why;
    } rows[] = {
        {list, U'\x0444', popup->Handle(), 0, win::MNC_EXECUTE, "\xD1\x84: the whole character"},
        {list, U'\x0424', popup->Handle(), 0, win::MNC_EXECUTE, "\xD0\xA4: either case"},
        {list, 'o', popup->Handle(), 2, win::MNC_EXECUTE, "a disabled item is the window system's to refuse"},
        {list, 'g', popup->Handle(), 0, win::MNC_IGNORE, "hidden"},
        {list, 'x', File->Handle(), 0, win::MNC_IGNORE, "the form's menu, not a popup menu's"},
        {form, 'x', File->Handle(), 3, win::MNC_EXECUTE, "E&xit after New, Open and the separator"},
        {form, 'e', Menu->Handle(), 1, win::MNC_EXECUTE, "the bar"},
        {form, 'x', popup->Handle(), 0, win::MNC_IGNORE, "a popup menu, not the form's"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(
            win::SendMessage(row.owner, win::WM_MENUCHAR,
                             win::MAKEWPARAM(static_cast<int>(row.typed), static_cast<int>(win::MF_POPUP)),
                             reinterpret_cast<win::LPARAM>(row.menu)),
            win::MAKELPARAM(row.position, static_cast<int>(row.answer)))
            << row.why;
}

TEST_F(MenuCharTest, OnTheBarASharedLetterHighlightsWithoutDroppingAMenu) {
    TMenuItem* format = AddItem(Menu->Items(), "Format1", "&Format");
    format->OnClick = nullptr;
    AddItem(format, "Font1", "F&ont");
    for (bool ownerDraw : {false, true}) {
        Menu->SetOwnerDraw(ownerDraw);
        const char* how = ownerDraw ? "owner-drawn" : "plain";
        MenuLog log(Form->Handle(), Menu);
        // F10 highlights File; f moves to Format without dropping it; Down drops it; o runs Font.
        String afterF;
        ui.WhenIdle([&] { ui.Type("f"); });
        ui.WhenIdle([&] {
            afterF = Highlighted(Menu, Menu->Handle());
            EXPECT_EQ(win::MenuWindowOf(format->Handle()), nullptr) << how << ": a selection drops no menu";
            ui.Key(win::VK_DOWN);
        });
        ui.WhenIdle([&] { ui.Type("o"); });
        Clicks.clear();
        ui.Key(win::VK_F10);
        ui.Process();
        EXPECT_EQ(afterF, "Format") << how;
        EXPECT_EQ(Clicks, std::vector<String>{"Font1"}) << how;
        const auto popups = std::count_if(log.Entries.begin(), log.Entries.end(),
                                          [](const String& e) { return e.rfind("popup:", 0) == 0; });
        EXPECT_EQ(popups, 1) << how << ": only Format's menu dropped";
    }
}

TEST_F(MenuCharTest, TheFirstKeyUnderlinesTheLettersOfEveryItemShown) {
    // Opened by the pointer, an owner-drawn menu is painted without its letters underlined; the first key
    // paints them all again with them, not only the item it selects. An item's look is what it last
    // painted where the painting reached the window.
    auto* popup = new TPopupMenu(Form);
    popup->SetOwnerDraw(true);
    std::map<String, bool> underlined;
    for (const char* caption : {"&Cut", "&Paste", "&Delete"})
        AddItem(popup->Items(), "", caption)->OnAdvancedDrawItem =
            [&underlined, caption](TObject*, TCanvas* Canvas, TRect R, TOwnerDrawState S) {
                const win::RECT r = R;
                if (win::RectVisible(Canvas->Handle(), &r)) underlined[caption] = !S.Contains(odNoAccel);
            };
    std::map<String, bool> before, after;
    ui.WhenIdle([&] {
        before = underlined;
        ui.Key(win::VK_DOWN);
    });
    ui.WhenIdle([&] {
        after = underlined;
        ui.Key(win::VK_ESCAPE);
    });
    popup->Popup(150, 150);
    ui.Process();
    const std::map<String, bool> none{{"&Cut", false}, {"&Paste", false}, {"&Delete", false}};
    const std::map<String, bool> all{{"&Cut", true}, {"&Paste", true}, {"&Delete", true}};
    EXPECT_EQ(before, none);
    EXPECT_EQ(after, all);
}

} // namespace
