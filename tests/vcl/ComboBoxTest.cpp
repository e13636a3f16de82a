// Combo boxes: the drop-down list opened by the button, F4 and Alt+Down, chosen by click or Enter, closed
// by Escape or a click outside; the events of each way; typing; the list style's keys.

#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class ComboBoxTest : public StdControlTest {
protected:
    TComboBox* MakeCombo(TComboBoxStyle Style = csDropDown) {
        auto* c = Make<TComboBox>("Combo", 20, 20, 150, 21);
        c->SetText("");
        c->SetStyle(Style);
        for (const char* s : {"Apple", "Banana", "Cherry", "Date"})
            c->Items()->Add(s);
        c->OnChange = [this](TObject*) { log.push_back("change"); };
        c->OnSelect = [this](TObject*) { log.push_back("select"); };
        c->OnClick = [this](TObject*) { log.push_back("click"); };
        c->OnDropDown = [this](TObject*) { log.push_back("dropdown"); };
        c->OnCloseUp = [this](TObject*) { log.push_back("closeup"); };
        return c;
    }
    // A screen click at a point of the open list's window.
    void ClickList(TComboBox* C, int X, int Y) {
        win::POINT p{X, Y};
        win::ClientToScreen(C->DropDownHandle(), &p);
        screen->Click(p.X, p.Y);
        Pump();
    }
    std::vector<std::string> log;
};

TEST_F(ComboBoxTest, ButtonOpensTheListAndAClickChooses) {
    TComboBox* c = MakeCombo();
    ShowHost();
    ClickAt(c, 140, 10);
    ASSERT_TRUE(c->DroppedDown());
    EXPECT_TRUE(c->Focused());
    EXPECT_TRUE(win::IsWindowVisible(c->DropDownHandle()));
    // The list sits right under the box, as wide as it.
    win::RECT r{};
    win::GetWindowRect(c->DropDownHandle(), &r);
    TPoint below = c->ClientToScreen(TPoint{0, c->Height()});
    EXPECT_EQ(r.Left, below.X);
    EXPECT_EQ(r.Top, below.Y);
    EXPECT_EQ(r.Right - r.Left, 150);
    int h = c->ItemHeight();
    ClickList(c, 20, 2 * h + h / 2);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->Text(), "Cherry");
    EXPECT_EQ(log, (std::vector<std::string>{"dropdown", "closeup", "click", "select"}));
    // Without OnSelect a choice raises OnChange.
    c->OnSelect = nullptr;
    log.clear();
    ClickAt(c, 140, 10);
    ClickList(c, 20, h / 2);
    EXPECT_EQ(c->Text(), "Apple");
    EXPECT_EQ(log, (std::vector<std::string>{"dropdown", "closeup", "click", "change"}));
}

TEST_F(ComboBoxTest, EscapeAndOutsideClicksCloseUnchanged) {
    TComboBox* c = MakeCombo();
    auto* ok = Make<TButton>("OK", 20, 200, 75, 25);
    int okClicks = 0;
    ok->SetDefault(true);
    ok->SetCancel(true);
    ok->OnClick = [&](TObject*) { ++okClicks; };
    c->SetItemIndex(1);
    ShowHost();
    c->SetFocus();
    Press(win::VK_F4);
    ASSERT_TRUE(c->DroppedDown());
    EXPECT_EQ(c->DropDownHotIndex(), 1);
    Press(win::VK_DOWN);
    EXPECT_EQ(c->DropDownHotIndex(), 2);
    // Escape belongs to the open list, not to the cancel button.
    Press(win::VK_ESCAPE);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(okClicks, 0);
    // Alt+Down opens; Enter chooses the highlighted line and does not press the default button.
    Chord({win::VK_MENU}, win::VK_DOWN);
    ASSERT_TRUE(c->DroppedDown());
    Press(win::VK_DOWN);
    Press(win::VK_RETURN);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(okClicks, 0);
    // A click outside the list closes it without choosing, and is not passed on.
    ClickAt(c, 140, 10);
    ASSERT_TRUE(c->DroppedDown());
    ClickAt(host.get(), 300, 250);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->DropDownHandle(), nullptr);
}

TEST_F(ComboBoxTest, TypingAndArrowKeys) {
    TComboBox* c = MakeCombo();
    ShowHost();
    c->SetFocus();
    Press(win::VK_DOWN);
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(c->Text(), "Apple");
    Press(win::VK_DOWN);
    EXPECT_EQ(c->Text(), "Banana");
    EXPECT_EQ(log, (std::vector<std::string>{"click", "select", "click", "select"}));
    // Typed text is no item's: ItemIndex -1, OnChange for each character.
    log.clear();
    Chord({win::VK_CONTROL}, 'A');
    Type("Kiwi");
    EXPECT_EQ(c->Text(), "Kiwi");
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(log.size(), 4u);
    // ItemIndex and Text by code raise nothing; Text finds its item.
    log.clear();
    c->SetItemIndex(3);
    EXPECT_EQ(c->Text(), "Date");
    c->SetText("Banana");
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_THROW(c->SetItemIndex(4), EListError);
    // The chosen item stays chosen when lines are inserted above it.
    c->Items()->Insert(0, "Apricot");
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->Text(), "Banana");
    c->SetItemIndex(-1);
    EXPECT_EQ(c->Text(), "");
    EXPECT_TRUE(log.empty());
}

TEST_F(ComboBoxTest, DropDownListStyleChoosesByLetterAndIgnoresTyping) {
    TComboBox* c = MakeCombo(csDropDownList);
    ShowHost();
    // A click anywhere on the box opens the list.
    ClickAt(c, 20, 10);
    EXPECT_TRUE(c->DroppedDown());
    Press(win::VK_ESCAPE);
    Type("c");
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->Text(), "Cherry");
    Type("z");
    EXPECT_EQ(c->ItemIndex(), 2);
    Press(win::VK_END);
    EXPECT_EQ(c->Text(), "Date");
    Press(win::VK_BACK);
    EXPECT_EQ(c->Text(), "Date");
    // Text that is no item's empties the box.
    c->SetText("Nothing");
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->Text(), "");
    // Changing the items closes an open list and keeps a valid index.
    c->SetItemIndex(3);
    c->SetDroppedDown(true);
    c->Items()->Delete(3);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, OwnerDrawnItemsInTheFieldAndTheList) {
    TComboBox* c = MakeCombo(csOwnerDrawFixed);
    std::vector<std::pair<int, bool>> drawn; // index, drawn in the field
    c->OnDrawItem = [&](TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State) {
        EXPECT_EQ(Control, c);
        drawn.push_back({Index, State.Contains(odComboBoxEdit)});
        c->Canvas()->Brush()->SetColor(Index == 1 ? clLime : clAqua);
        c->Canvas()->FillRect(Rect);
    };
    c->SetItemIndex(1);
    ShowHost();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), (std::pair<int, bool>{1, true}));
    ExpectPixels(c, {{10, 10, clLime}});
    drawn.clear();
    c->SetDroppedDown(true);
    Pump();
    // Every line of the open list (the field repaints too, as the field).
    std::vector<int> listLines;
    for (auto [index, field] : drawn)
        if (!field) listLines.push_back(index);
    EXPECT_EQ(listLines, (std::vector<int>{0, 1, 2, 3}));
    c->SetDroppedDown(false);
    EXPECT_EQ(c->DropDownHandle(), nullptr);
}

} // namespace
} // namespace stdtest
