// Line reduction: a menu whose AutoLineReduction is automatic leaves out the separators that separate
// nothing (leading, trailing, doubled), counting only the items it shows, without touching their Visible;
// maManual keeps them; maParent takes the parent item's choice, and at the top the menu's.

#include "tests/vcl/MenuTestSupport.h"

namespace {

using namespace menutest;
using namespace vcl;

class MenuLineReductionTest : public MenuFormTest {
protected:
    // The entries a window-system menu holds, "-" for a separator, joined by spaces.
    static String Shown(win::HMENU Menu) {
        String r;
        for (int i = 0; i < win::GetMenuItemCount(Menu); ++i) {
            const auto pos = static_cast<win::UINT>(i);
            char text[64]{};
            if (win::GetMenuState(Menu, pos, win::MF_BYPOSITION) & win::MF_SEPARATOR)
                text[0] = '-';
            else
                win::GetMenuString(Menu, pos, text, sizeof text, win::MF_BYPOSITION);
            String entry = text;
            r += (r.empty() ? "" : " ") + entry.substr(0, entry.find('\t')); // the caption, not the shortcut
        }
        return r;
    }
    // Items of Parent from a line of captions ("-" separators, "~X" a hidden X).
    std::vector<TMenuItem*> Fill(TMenuItem* Parent, const std::vector<String>& Captions) {
        std::vector<TMenuItem*> made;
        for (const String& c : Captions) {
            const bool hidden = c.size() > 1 && c[0] == '~';
            TMenuItem* item = AddItem(Parent, "", hidden ? c.substr(1) : c);
            item->SetVisible(!hidden);
            made.push_back(item);
        }
        return made;
    }
};

TEST_F(MenuLineReductionTest, SeparatorsThatSeparateNothingAreLeftOut) {
    const struct {
        std::vector<String> items;
        const char* reduced;
        const char* manual;
    } rows[] = {
        {{"A", "-", "B"}, "A - B", "A - B"},
        {{"-", "A", "B", "-"}, "A B", "- A B -"},
        {{"A", "-", "-", "-", "B"}, "A - B", "A - - - B"},
        {{"A", "-", "~H", "-", "B"}, "A - B", "A - - B"}, // the separators around a hidden item
        {{"A", "~-", "-", "B"}, "A - B", "A - B"},        // a hidden separator stays hidden
        {{"~A", "-", "B", "-", "~C"}, "B", "- B -"},      // shown items only count
        {{"-", "-"}, "", "- -"},
    };
    for (const auto& row : rows) {
        auto* popup = new TPopupMenu(Form);
        const std::vector<TMenuItem*> items = Fill(popup->Items(), row.items);
        EXPECT_EQ(Shown(popup->Handle()), row.reduced) << row.manual;
        popup->SetAutoLineReduction(maManual);
        EXPECT_EQ(Shown(popup->Handle()), row.manual);
        // Left out is not hidden: the items keep the Visible they were given.
        for (size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(items[i]->Visible(), row.items[i][0] != '~') << row.manual << " item " << i;
        FreeComponent(popup);
    }
}

TEST_F(MenuLineReductionTest, AnItemTakesItsParentsChoiceUnlessItHasItsOwn) {
    // File (New, Open > (Recent1, Recent2), -, Exit): a separator made leading and doubled in each level.
    TMenuItem* lead = AddItem(File, "Lead", "-");
    lead->SetMenuIndex(0);
    Fill(Open, {"-", "-"});
    ASSERT_EQ(File->AutoLineReduction(), maParent);
    EXPECT_EQ(Shown(File->Handle()), "&New &Open - E&xit") << "the menu's default: automatic";
    EXPECT_EQ(Shown(Open->Handle()), "Recent &1 Recent &2");

    // The menu manual: every level that takes its parent's choice keeps its separators.
    Menu->SetAutoLineReduction(maManual);
    EXPECT_EQ(File->GetAutoLineReduction(), maManual);
    EXPECT_EQ(Shown(File->Handle()), "- &New &Open - E&xit");
    EXPECT_EQ(Shown(Open->Handle()), "Recent &1 Recent &2 - -");
    // File automatic: it and Open (which takes File's) reduce; the bar's own level stays manual.
    File->SetAutoLineReduction(maAutomatic);
    EXPECT_EQ(Shown(File->Handle()), "&New &Open - E&xit");
    EXPECT_EQ(Shown(Open->Handle()), "Recent &1 Recent &2");
    Open->SetAutoLineReduction(maManual);
    EXPECT_EQ(Shown(Open->Handle()), "Recent &1 Recent &2 - -");
    // A submenu left with nothing to show opens none.
    Recent1->SetVisible(false);
    Recent2->SetVisible(false);
    Open->SetAutoLineReduction(maAutomatic);
    EXPECT_EQ(Open->Handle() ? win::GetMenuItemCount(Open->Handle()) : 0, 0);
    EXPECT_EQ(win::GetSubMenu(File->Handle(), 1), nullptr) << "Open shows as a plain item";
    EXPECT_FALSE(lead->Shown());
    EXPECT_TRUE(lead->Visible());
}

} // namespace
