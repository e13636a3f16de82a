// Combo boxes: the drop-down list opened by the button, F4 and Alt+Down, chosen by click or Enter, closed
// by Escape or a click outside; the events of each way; typing; the list style's keys; the open list's
// scroll bar.

#include "tests/support/UiDriver.h"
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
    // A point of the open list's window (client coordinates) on the screen.
    TPoint OnList(TComboBox* C, int X, int Y) {
        win::POINT p{X, Y};
        win::ClientToScreen(C->DropDownHandle(), &p);
        return TPoint{p.X, p.Y};
    }
    // A screen click at a point of the open list's window.
    void ClickList(TComboBox* C, int X, int Y) {
        TPoint p = OnList(C, X, Y);
        screen->Click(p.X, p.Y);
        Pump();
    }
    // A box of 20 items whose list, open, shows 8 of them beside a scroll bar.
    TComboBox* OpenLongCombo() {
        TComboBox* c = MakeCombo();
        c->Items()->Clear();
        for (int i = 0; i < 20; ++i)
            c->Items()->Add("Item " + std::to_string(i));
        ShowHost();
        ClickAt(c, 140, 10);
        log.clear();
        return c;
    }
    // The pointer over a point of the open list's window (client coordinates), and the button pressed and
    // released there.
    void OverList(TComboBox* C, int X, int Y) { MoveTo(OnList(C, X, Y)); }
    void DownOnList(TComboBox* C, int X, int Y) { DownAt(OnList(C, X, Y)); }
    void Wait(unsigned Ms) {
        screen->Advance(Ms);
        Pump();
    }
    // The open list's client rectangle and its scroll bar's column.
    TRect ListClient(TComboBox* C) {
        win::RECT r{};
        win::GetClientRect(C->DropDownHandle(), &r);
        return r;
    }
    int BarX(TComboBox* C) { return ListClient(C).Right - stdctrls::kScrollBarWidth / 2; }
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
    EXPECT_NE(screen->TextCaret(host->Handle()), std::nullopt) << "a box one types into has a caret";
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
    ASSERT_TRUE(c->Focused());
    EXPECT_EQ(screen->TextCaret(host->Handle()), std::nullopt) << "no caret in a box that only chooses";
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

TEST_F(ComboBoxTest, TheOpenListsArrowsScrollALineAndRepeatWhileHeldWithoutChoosing) {
    TComboBox* c = OpenLongCombo();
    ASSERT_EQ(c->DropDownTopIndex(), 0);
    const int bottom = ListClient(c).Bottom;
    // The down arrow: a line at once, then one after the delay and one each interval while held.
    DownOnList(c, BarX(c), bottom - 4);
    EXPECT_EQ(c->DropDownTopIndex(), 1);
    Wait(TScrollRepeat::Delay - 1);
    EXPECT_EQ(c->DropDownTopIndex(), 1);
    Wait(1);
    EXPECT_EQ(c->DropDownTopIndex(), 2);
    Wait(2 * TScrollRepeat::Interval);
    EXPECT_EQ(c->DropDownTopIndex(), 4);
    // Off the arrow, over the lines: the repeat waits and no line lights up.
    OverList(c, 20, 10);
    Wait(500);
    EXPECT_EQ(c->DropDownTopIndex(), 4);
    EXPECT_EQ(c->DropDownHotIndex(), -1);
    OverList(c, BarX(c), bottom - 3);
    Wait(TScrollRepeat::Interval);
    EXPECT_EQ(c->DropDownTopIndex(), 5);
    // The release ends it; the list stays open with nothing chosen.
    screen->Release();
    Wait(500);
    EXPECT_EQ(c->DropDownTopIndex(), 5);
    EXPECT_TRUE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_TRUE(log.empty());
    // The up arrow, clicked: a line back; the lines and their highlight follow the scrolling.
    ClickList(c, BarX(c), 3);
    EXPECT_EQ(c->DropDownTopIndex(), 4);
    OverList(c, 20, c->ItemHeight() / 2);
    EXPECT_EQ(c->DropDownHotIndex(), 4);
    // Up to the end and no further; the list closed while the arrow is held takes the repeat along.
    DownOnList(c, BarX(c), bottom - 4);
    Wait(2000);
    EXPECT_EQ(c->DropDownTopIndex(), 20 - 8);
    Press(win::VK_ESCAPE);
    EXPECT_FALSE(c->DroppedDown());
    Wait(500);
    screen->Release();
    Pump();
    EXPECT_EQ(c->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, TheOpenListsTrackPagesAndItsThumbDrags) {
    TComboBox* c = OpenLongCombo();
    const TRect client = ListClient(c);
    const int h = c->ItemHeight();
    // Held on the track below the thumb: a page (the lines seen) at a time, until the thumb reaches the
    // pointer.
    DownOnList(c, BarX(c), client.Bottom - stdctrls::kScrollBarWidth - 2);
    EXPECT_EQ(c->DropDownTopIndex(), 8);
    Wait(TScrollRepeat::Delay + 5 * TScrollRepeat::Interval);
    screen->Release();
    Pump();
    EXPECT_EQ(c->DropDownTopIndex(), 12);
    EXPECT_TRUE(c->DroppedDown());
    // The thumb sits at the bottom of the track now, the track's colour above it.
    win::HWND list = c->DropDownHandle();
    auto pixel = [&](int X, int Y) { return screen->WindowPixel(list, X + 1, Y + 1); }; // inside the border
    const int arrow = stdctrls::kScrollBarWidth;
    EXPECT_THAT(pixel(BarX(c), client.Bottom - arrow - 3), colortest::IsColor(Ref(clBtnFace)))
        << "the thumb just above the down arrow";
    EXPECT_THAT(pixel(BarX(c), arrow + 2), colortest::IsColor(Ref(clScrollBar)))
        << "the track below the up arrow";
    EXPECT_TRUE(screen->WriteScreenPng(uitest::UiDriver::OutputPath("ComboListScrolled.png")));
    // Dragged to the top and back down: the lines follow the thumb, and nothing is chosen.
    TRect bar{client.Right - arrow, 0, client.Right, client.Bottom};
    TRect thumb = stdctrls::VScrollThumb(bar, 12, 20, 8);
    DownOnList(c, BarX(c), (thumb.Top + thumb.Bottom) / 2);
    OverList(c, BarX(c) - 60, -200); // far off the bar, above the list
    EXPECT_EQ(c->DropDownTopIndex(), 0);
    OverList(c, BarX(c), client.Bottom + 200);
    EXPECT_EQ(c->DropDownTopIndex(), 12);
    OverList(c, BarX(c), client.Bottom / 2);
    EXPECT_GT(c->DropDownTopIndex(), 0);
    EXPECT_LT(c->DropDownTopIndex(), 12);
    OverList(c, BarX(c), client.Bottom + 200);
    screen->Release();
    Pump();
    EXPECT_TRUE(c->DroppedDown());
    EXPECT_TRUE(log.empty());
    // A click on a line chooses the line shown there, from its first pixel row on.
    ClickList(c, 20, 2 * h);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->Text(), "Item 14");
}

} // namespace
} // namespace stdtest
