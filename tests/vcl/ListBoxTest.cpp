// List boxes: selection by click and keys (single and multiple), OnClick, scrolling by wheel, keys and the
// scroll bar, ItemAtPos, owner drawing; the scroll bar control.

#include "tests/support/UiDriver.h"
#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class ListBoxTest : public StdControlTest {
protected:
    TListBox* MakeList(int Count, int H = 100) {
        auto* l = Make<TListBox>("List", 20, 20, 150, H);
        for (int i = 0; i < Count; ++i)
            l->Items()->Add("Item " + std::to_string(i));
        l->OnClick = [this](TObject*) { ++clicks; };
        return l;
    }
    // The client point in the middle of line Index.
    TPoint LinePoint(TListBox* L, int Index) {
        TRect r = L->ItemRect(Index);
        return {r.Left + 10, (r.Top + r.Bottom) / 2};
    }
    void ClickLine(TListBox* L, int Index) {
        TPoint p = LinePoint(L, Index);
        ClickAt(L, p.X, p.Y);
    }
    // A click on line Index with a modifier key (VK_CONTROL, VK_SHIFT) held.
    void ClickLineWith(unsigned Modifier, TListBox* L, int Index) {
        screen->KeyDown(Modifier);
        ClickLine(L, Index);
        screen->KeyUp(Modifier);
        Pump();
    }
    int clicks = 0;
};

TEST_F(ListBoxTest, ClickAndKeysSelectOneLine) {
    TListBox* l = MakeList(5);
    ShowHost();
    EXPECT_EQ(l->ItemIndex(), -1);
    ClickLine(l, 2);
    EXPECT_EQ(l->ItemIndex(), 2);
    EXPECT_TRUE(l->Focused());
    EXPECT_TRUE(l->Selected(2));
    EXPECT_EQ(clicks, 1);
    Press(win::VK_DOWN);
    EXPECT_EQ(l->ItemIndex(), 3);
    Press(win::VK_END);
    EXPECT_EQ(l->ItemIndex(), 4);
    Press(win::VK_DOWN); // at the end: no change, no click
    EXPECT_EQ(clicks, 3);
    Press(win::VK_HOME);
    EXPECT_EQ(l->ItemIndex(), 0);
    // The selected line is highlighted.
    TPoint p = LinePoint(l, 0);
    ExpectPixels(l, {{p.X + 80, p.Y, clHighlight}});
    // Clicking below the last line selects nothing.
    ClickAt(l, 50, 95);
    EXPECT_EQ(l->ItemIndex(), 0);
    // By code: no OnClick; out of range raises.
    clicks = 0;
    l->SetItemIndex(1);
    EXPECT_EQ(clicks, 0);
    EXPECT_THROW(l->SetItemIndex(5), EListError);
    // The selection follows its line when lines come and go above it.
    l->Items()->Insert(0, "New");
    EXPECT_EQ(l->ItemIndex(), 2);
    EXPECT_EQ(l->Items()->Get(l->ItemIndex()), "Item 1");
    l->Items()->Delete(0);
    EXPECT_EQ(l->ItemIndex(), 1);
    // Removing the selected line clears the selection.
    l->Items()->Delete(1);
    EXPECT_EQ(l->ItemIndex(), -1);
    l->Items()->Clear();
    EXPECT_EQ(l->ItemIndex(), -1);
}

TEST_F(ListBoxTest, MultiSelectWithCtrlAndShift) {
    TListBox* l = MakeList(6);
    l->SetMultiSelect(true);
    ShowHost();
    ClickLine(l, 1);
    ClickLineWith(win::VK_CONTROL, l, 3);
    EXPECT_TRUE(l->Selected(1));
    EXPECT_FALSE(l->Selected(2));
    EXPECT_TRUE(l->Selected(3));
    EXPECT_EQ(l->SelCount(), 2);
    // Shift selects the range from the last clicked line.
    ClickLineWith(win::VK_SHIFT, l, 5);
    EXPECT_EQ(l->SelCount(), 3);
    EXPECT_TRUE(l->Selected(4));
    EXPECT_FALSE(l->Selected(1));
    // Ctrl+click toggles a line off.
    ClickLineWith(win::VK_CONTROL, l, 4);
    EXPECT_FALSE(l->Selected(4));
    // Sorting moves the selection with the lines: 3 and 5 are selected ("Item 3", "Item 5").
    l->Items()->Insert(0, "Item 9");
    l->Items()->Add("Item 0b");
    static_cast<TStringList*>(l->Items())->Sort();
    EXPECT_EQ(l->SelCount(), 2);
    for (int i = 0; i < l->Count(); ++i) {
        String s = l->Items()->Get(i);
        EXPECT_EQ(l->Selected(i), s == "Item 3" || s == "Item 5") << s;
    }
    l->Items()->Delete(l->Items()->IndexOf("Item 9"));
    l->Items()->Delete(l->Items()->IndexOf("Item 0b"));
    // A plain click starts again.
    ClickLine(l, 0);
    EXPECT_EQ(l->SelCount(), 1);
    EXPECT_EQ(l->ItemIndex(), 0);
    EXPECT_THROW(l->Selected(6), EListError);
}

TEST_F(ListBoxTest, ScrollingKeepsTheSelectionInView) {
    TListBox* l = MakeList(30, 100);
    ShowHost();
    int visible = l->VisibleCount();
    ASSERT_LT(visible, 30);
    l->SetFocus();
    Press(win::VK_HOME);
    for (int i = 0; i < visible + 2; ++i)
        Press(win::VK_DOWN);
    EXPECT_EQ(l->ItemIndex(), visible + 2);
    EXPECT_EQ(l->TopIndex(), 3);
    EXPECT_EQ(l->ItemAtPos(LinePoint(l, visible + 2), true), visible + 2);
    Press(win::VK_END);
    EXPECT_EQ(l->TopIndex(), 30 - visible);
    // The wheel scrolls three lines a notch, within the range.
    MoveOver(l, 50, 50);
    screen->Wheel(120);
    Pump();
    EXPECT_EQ(l->TopIndex(), 30 - visible - 3);
    for (int i = 0; i < 20; ++i)
        screen->Wheel(120);
    Pump();
    EXPECT_EQ(l->TopIndex(), 0);
    // The scroll bar's arrows move a line; the track a page.
    TRect lr{2, 2, 150 - 2 - stdctrls::kScrollBarWidth, 98};
    ClickAt(l, lr.Right + 5, 98 - 5);
    EXPECT_EQ(l->TopIndex(), 1);
    ClickAt(l, lr.Right + 5, 2 + 3);
    EXPECT_EQ(l->TopIndex(), 0);
    ClickAt(l, lr.Right + 5, 80);
    EXPECT_EQ(l->TopIndex(), visible);
    // Dragging the thumb to the bottom shows the last lines; back to the top the first.
    TRect sb{lr.Right, 2, lr.Right + stdctrls::kScrollBarWidth, 98};
    TRect thumb = stdctrls::VScrollThumb(sb, l->TopIndex(), 30, visible);
    Down(l, lr.Right + 5, (thumb.Top + thumb.Bottom) / 2);
    MoveOver(l, lr.Right + 5, 200);
    EXPECT_EQ(l->TopIndex(), 30 - visible);
    MoveOver(l, lr.Right + 5, -100);
    EXPECT_EQ(l->TopIndex(), 0);
    Up();
    // Lines out of view are not at any point; a point below the lines is not a line.
    EXPECT_EQ(l->ItemAtPos(TPoint{10, 300}, true), -1);
    EXPECT_EQ(l->ItemAtPos(TPoint{10, 300}, false), 30);
}

TEST_F(ListBoxTest, HoldingAScrollArrowRepeatsUntilReleasedOrThePointerLeavesIt) {
    TListBox* l = MakeList(30, 100);
    ShowHost();
    const int arrowX = 150 - 2 - stdctrls::kScrollBarWidth + 5;
    Down(l, arrowX, 98 - 5); // the down arrow
    EXPECT_EQ(l->TopIndex(), 1);
    screen->Advance(TScrollRepeat::Delay);
    Pump();
    EXPECT_EQ(l->TopIndex(), 2);
    screen->Advance(2 * TScrollRepeat::Interval);
    Pump();
    EXPECT_EQ(l->TopIndex(), 4);
    MoveOver(l, 50, 50); // off the arrow: it waits
    screen->Advance(500);
    Pump();
    EXPECT_EQ(l->TopIndex(), 4);
    MoveOver(l, arrowX, 98 - 4);
    screen->Advance(TScrollRepeat::Interval);
    Pump();
    EXPECT_EQ(l->TopIndex(), 5);
    Up();
    screen->Advance(500);
    Pump();
    EXPECT_EQ(l->TopIndex(), 5);
}

TEST_F(ListBoxTest, OwnerDrawCallsOnDrawItemForVisibleLines) {
    TListBox* l = MakeList(30, 100);
    l->SetStyle(lbOwnerDrawFixed);
    l->SetItemHeight(20);
    std::vector<int> drawn;
    l->OnDrawItem = [&](TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State) {
        EXPECT_EQ(Control, l);
        EXPECT_LE(Rect.Height(), 20);
        EXPECT_EQ(State.Contains(odSelected), Index == 1) << Index;
        drawn.push_back(Index);
        l->Canvas()->Brush()->SetColor(clLime);
        l->Canvas()->FillRect(Rect);
    };
    l->SetItemIndex(1);
    ShowHost();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front(), 0);
    EXPECT_LE(drawn.back(), 5);
    ExpectPixels(l, {{10, 30, clLime}});
    EXPECT_EQ(l->ItemAtPos(TPoint{10, 2 + 45}, true), 2);
}

class ListBoxScrollBarTest : public StdControlTest {};

TEST_F(ListBoxScrollBarTest, ArrowsAreSolidTriangles) {
    auto* v = Make<TScrollBar>("V", 20, 20, 17, 120);
    v->SetKind(sbVertical);
    v->SetBounds(20, 20, 17, 120);
    auto* h = Make<TScrollBar>("H", 60, 20, 160, 17);
    ShowHost();
    ASSERT_TRUE(screen->WriteWindowPng(host->Handle(), uitest::UiDriver::OutputPath("ScrollBarArrows.png")));
    const auto ink = static_cast<win::COLORREF>(ColorToRGB(clBtnText));
    // Each row (or column) of an arrow is one unbroken run, one pixel shorter at each end than the last.
    auto runs = [&](TScrollBar* bar, TRect r, bool vertical) {
        const TPoint o{bar->Left() + r.Left, bar->Top() + r.Top};
        std::vector<int> lengths;
        for (int a = 0; a < (vertical ? r.Height() : r.Width()); ++a) {
            std::string line;
            for (int b = 0; b < (vertical ? r.Width() : r.Height()); ++b)
                line += Pixel(o.X + (vertical ? b : a), o.Y + (vertical ? a : b)) == ink ? '#' : '.';
            const auto first = line.find('#'), last = line.rfind('#');
            if (first == std::string::npos) continue;
            EXPECT_EQ(line.find('.', first), last + 1 == line.size() ? std::string::npos : last + 1) << line;
            lengths.push_back(static_cast<int>(last - first + 1));
        }
        return lengths;
    };
    EXPECT_EQ(runs(v, v->FirstArrowRect(), true), (std::vector<int>{1, 3, 5, 7}));
    EXPECT_EQ(runs(v, v->LastArrowRect(), true), (std::vector<int>{7, 5, 3, 1}));
    EXPECT_EQ(runs(h, h->FirstArrowRect(), false), (std::vector<int>{1, 3, 5, 7}));
    EXPECT_EQ(runs(h, h->LastArrowRect(), false), (std::vector<int>{7, 5, 3, 1}));
}

TEST_F(ListBoxScrollBarTest, ArrowsTrackKeysAndEvents) {
    auto* s = Make<TScrollBar>("S", 20, 20, 200, 17);
    s->SetParams(10, 0, 100);
    s->SetSmallChange(1);
    s->SetLargeChange(10);
    std::vector<std::pair<TScrollCode, int>> scrolls;
    int changes = 0;
    s->OnScroll = [&](TObject*, TScrollCode Code, int& Pos) {
        scrolls.push_back({Code, Pos});
        if (Code == scPageDown) Pos = 50; // the handler may move it elsewhere
    };
    s->OnChange = [&](TObject*) { ++changes; };
    ShowHost();
    ClickAt(s, 5, 8); // left arrow
    EXPECT_EQ(s->Position(), 9);
    ClickAt(s, 195, 8); // right arrow
    EXPECT_EQ(s->Position(), 10);
    ClickAt(s, 180, 8); // track right of the thumb
    EXPECT_EQ(s->Position(), 50);
    ASSERT_GE(scrolls.size(), 3u);
    EXPECT_EQ(scrolls[0].first, scLineUp);
    EXPECT_EQ(scrolls[0].second, 9);
    s->SetFocus();
    Press(win::VK_END);
    EXPECT_EQ(s->Position(), 100);
    Press(win::VK_RIGHT); // clamped at the end, no change
    EXPECT_EQ(s->Position(), 100);
    Press(win::VK_HOME);
    EXPECT_EQ(s->Position(), 0);
    EXPECT_EQ(changes, 5);
    // Range checks.
    EXPECT_THROW(s->SetMax(-5), EInvalidOperation);
    s->SetPosition(500);
    EXPECT_EQ(s->Position(), 100);
    s->SetPageSize(20);
    EXPECT_EQ(s->Position(), 81);
    // Dragging the thumb to the far end reaches the last position.
    s->SetPosition(0);
    TRect t = s->ThumbRect();
    Down(s, (t.Left + t.Right) / 2, 8);
    MoveOver(s, 400, 8);
    Up();
    EXPECT_EQ(s->Position(), 81);
    EXPECT_EQ(scrolls.back().first, scEndScroll);
    // The kind swaps the sides.
    s->SetKind(sbVertical);
    EXPECT_EQ(s->Width(), 17);
    EXPECT_EQ(s->Height(), 200);
}

TEST_F(ListBoxScrollBarTest, HoldingAnArrowOrTheTrackRepeatsUntilReleasedOrThePointerLeavesThePart) {
    auto* s = Make<TScrollBar>("S", 20, 20, 200, 17);
    s->SetParams(0, 0, 100);
    s->SetLargeChange(10);
    std::vector<TScrollCode> codes;
    s->OnScroll = [&](TObject*, TScrollCode Code, int&) { codes.push_back(Code); };
    ShowHost();
    auto advance = [&](unsigned ms) {
        screen->Advance(ms);
        Pump();
    };
    // The right arrow held: one step at the press, the first repeat 200 ms later, then one every 50 ms.
    Down(s, 195, 8);
    EXPECT_EQ(s->Position(), 1);
    advance(199);
    EXPECT_EQ(s->Position(), 1);
    advance(1);
    EXPECT_EQ(s->Position(), 2);
    advance(49);
    EXPECT_EQ(s->Position(), 2);
    advance(1);
    EXPECT_EQ(s->Position(), 3);
    advance(100);
    EXPECT_EQ(s->Position(), 5);
    // Off the arrow it pauses; back on it, it goes on.
    MoveOver(s, 100, 40);
    advance(200);
    EXPECT_EQ(s->Position(), 5);
    MoveOver(s, 196, 9);
    advance(50);
    EXPECT_EQ(s->Position(), 6);
    Up();
    advance(500);
    EXPECT_EQ(s->Position(), 6);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), scLineDown), 6);
    EXPECT_EQ(codes.back(), scEndScroll);

    // The track held right of the thumb pages towards the pointer and stops when the thumb reaches it.
    codes.clear();
    Down(s, 150, 8);
    EXPECT_EQ(s->Position(), 16);
    advance(2000);
    TRect thumb = s->ThumbRect();
    EXPECT_TRUE(thumb.Contains(TPoint{150, 8})) << "thumb " << thumb.Left << ".." << thumb.Right;
    const int reached = s->Position();
    EXPECT_GT(reached, 16);
    EXPECT_LT(reached, 100);
    advance(1000);
    EXPECT_EQ(s->Position(), reached);
    Up();
    EXPECT_EQ(codes.back(), scEndScroll);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), scPageDown), static_cast<long>(codes.size()) - 1);
    // Nothing runs after the release: no timer of the bar is left.
    for (const std::string& line : win::detail::LiveState())
        EXPECT_EQ(line.find("timer"), std::string::npos) << line;
}

} // namespace
} // namespace stdtest
