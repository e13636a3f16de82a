// The popup menu window on its own: rows of items sized from their captions, the hot item and the
// icon column in the menu styler's colours, check items that switch a control, the sub-popup of an
// item with children beside it (or left of it near the screen's edge), the keyboard, and the chain of
// popups closing on a click outside.

#include "tests/options/OptionsTestSupport.h"

namespace optionstest {
namespace {

using AdvMenuStylers::TAdvMenuStyler;

constexpr TColor kHot = 0x3050E0;    // the selected item's face
constexpr TColor kHotRim = 0x102080; // its border
constexpr TColor kIcon = 0xC0F0C0;   // the icon column
constexpr TColor kCheck = 0xF0A040;  // the check cell of an unselected item

class PopupMenuTest : public OptionsTest {
protected:
    void SetUp() override {
        OptionsTest::SetUp();
        styler = new TAdvMenuStyler(form.get());
        styler->SelectedItem()->SetColor(kHot);
        styler->SelectedItem()->SetColorTo(clNone);
        styler->SelectedItem()->BorderColor = kHotRim;
        styler->IconBar()->SetColor(kIcon);
        styler->IconBar()->SetColorTo(clNone);
        styler->IconBar()->SetCheckColor(0, kCheck);
        styler->IconBar()->CheckBorder = clNone;
        popup = new TATBPopupWindow(form.get(), 0);
        popup->CreateItems();
        popup->SetBorderStyle(bsNone);
        panel = popup->PopupPanel();
        panel->SetAdvMenuStyler(styler);
        panel->SetShowIconBar(true);
        popup->OnDeActivateHide = [this](TObject*) { ++deactivateHides; };
    }
    TATBMenuItem* Item(const String& Caption, TATBMenuItem* Under = nullptr) {
        TATBMenuItem* i = (Under != nullptr ? Under : popup->RootItem())->Add();
        i->SetCaption(Caption);
        return i;
    }
    void ShowAt(int X, int Y) {
        panel->SetItems(popup->RootItem());
        popup->SetWindowSize();
        popup->SetBounds(X, Y, popup->Width(), popup->Height());
        popup->Show();
        ui.Process();
    }
    TPoint ItemCentre(TATBPopupPanel* P, int Index) {
        TRect r = P->Items()->GetItem(Index)->ItemRect;
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void HoverItem(TATBPopupPanel* P, int Index) {
        TPoint c = ItemCentre(P, Index);
        Hover(P, c.X, c.Y);
    }
    int TextWidth(const String& Text) {
        TBitmap b;
        b.Canvas()->SetFont(panel->Font());
        return b.Canvas()->TextWidth(Text);
    }

    TAdvMenuStyler* styler = nullptr;
    TATBPopupWindow* popup = nullptr;
    TATBPopupPanel* panel = nullptr;
    int deactivateHides = 0;
};

TEST_F(PopupMenuTest, RowsAreSizedFromTheCaptionsAndTheColumns) {
    // No items: the least width, 70, inside 2-pixel margins, and one margin high.
    panel->SetShowIconBar(false);
    panel->SetItems(popup->RootItem());
    EXPECT_EQ(panel->Width(), 2 * 2 + 70);
    EXPECT_EQ(panel->Height(), 2);
    // One item with children: its caption + 7 + 30 for the arrow, and the icon column.
    const String caption = "Arrange the toolbar controls";
    Item(caption);
    Item("Sub", popup->RootItem()->GetItem(0));
    panel->SetShowIconBar(true);
    panel->ArrangeItems();
    ASSERT_GT(TextWidth(caption) + 7 + 30, 70);
    EXPECT_EQ(panel->Width(), 2 * 2 + TextWidth(caption) + 7 + 30 + styler->IconBar()->Size());
    // Rows of ItemHeight with a margin between them.
    Item("Two");
    panel->ArrangeItems();
    EXPECT_EQ(popup->RootItem()->GetItem(1)->ItemRect,
              (TRect{2, 2 + 24 + 2, panel->Width() - 2, 2 + 2 * 24 + 2}));
    EXPECT_EQ(panel->Height(), 2 + 2 * (24 + 2));
    // A linked control with a picture opens the image column.
    auto* button = Make<TAdvToolBarButton>("Pictured", bar);
    button->Glyph()->SetSize(16, 16);
    Item("Pictured")->SetControl(button);
    const int before = panel->Width();
    panel->ArrangeItems();
    EXPECT_TRUE(panel->ShowImageBar());
    EXPECT_EQ(panel->Width(), before + panel->ImageBarSize());
}

TEST_F(PopupMenuTest, TheHotItemFollowsThePointerInTheSelectedItemsColours) {
    Item("First");
    Item("Second");
    ShowAt(100, 100);
    const TRect second = popup->RootItem()->GetItem(1)->ItemRect;
    const int probeX = second.Right - 6; // right of the text
    const int iconX = second.Left + 3;
    EXPECT_EQ(Hex(PopupAt(panel, probeX, second.Top + 5)), Hex(Ref(panel->Color()))) << "not hot yet";
    EXPECT_EQ(Hex(PopupAt(panel, iconX, second.Top + 5)), Hex(Ref(kIcon))) << "icon column";
    HoverItem(panel, 1);
    EXPECT_EQ(panel->HotItem(), 1);
    EXPECT_EQ(Hex(PopupAt(panel, probeX, second.Top + 5)), Hex(Ref(kHot))) << "face in SelectedItem.Color";
    EXPECT_EQ(Hex(PopupAt(panel, second.Left, second.Top)), Hex(Ref(kHotRim))) << "rim in its BorderColor";
    EXPECT_EQ(Hex(PopupAt(panel, second.Right - 1, second.Bottom - 1)), Hex(Ref(kHotRim)));
    HoverItem(panel, 0);
    EXPECT_EQ(panel->HotItem(), 0);
    EXPECT_EQ(Hex(PopupAt(panel, probeX, second.Top + 5)), Hex(Ref(panel->Color()))) << "no longer hot";
    // Leaving the panel with no sub-popup open clears the highlight.
    ui.MoveTo(form.get(), 500, 500);
    EXPECT_EQ(panel->HotItem(), -1);
}

TEST_F(PopupMenuTest, ClickingACheckItemSwitchesItsControlAndThePopupStaysOpen) {
    TControl* target = Add("Target");
    TATBMenuItem* item = Item("Target");
    item->SetAutoCheck(true);
    item->SetChecked(true);
    item->SetControl(target);
    ShowAt(100, 100);
    const TRect r = item->ItemRect;
    // The check cell inside the icon column, away from the mark.
    auto cell = [&] { return Hex(PopupAt(panel, r.Left + 2, r.Top + 2)); };
    HoverItem(panel, 0);
    ui.MoveTo(form.get(), 500, 500); // not hot: the icon bar's check colour
    EXPECT_EQ(cell(), Hex(Ref(kCheck)));
    TPoint c = ItemCentre(panel, 0);
    ui.Click(panel, c.X, c.Y);
    EXPECT_FALSE(target->Visible());
    EXPECT_FALSE(item->Checked());
    EXPECT_TRUE(popup->Visible()) << "several controls can be switched in a row";
    ui.MoveTo(form.get(), 500, 500);
    EXPECT_EQ(cell(), Hex(Ref(kIcon))) << "unchecked: no check cell";
    ui.Click(panel, c.X, c.Y);
    EXPECT_TRUE(target->Visible());
    EXPECT_TRUE(item->Checked());
}

TEST_F(PopupMenuTest, AnItemWithChildrenOpensItsPopupBesideItOrLeftOfItAtTheScreensEdgeUntilAClickOutside) {
    TATBMenuItem* parent = Item("More");
    Item("Inner one", parent);
    Item("Inner two", parent);
    Item("Plain");
    ShowAt(100, 100);
    HoverItem(panel, 0);
    TATBPopupWindow* sub = panel->ItemPopup();
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->Visible());
    EXPECT_EQ(panel->PopupItem(), 0);
    TPoint beside = panel->ClientToScreen(TPoint{parent->ItemRect.Right + 2, parent->ItemRect.Top});
    EXPECT_EQ(sub->Left(), beside.X);
    EXPECT_EQ(sub->Top(), beside.Y);
    EXPECT_EQ(sub->PopupPanel()->Items(), parent);
    // The sub-menu mark sits a few pixels in from the item's right edge, in the text colour.
    const int mid = (parent->ItemRect.Top + parent->ItemRect.Bottom) / 2;
    int marked = 0;
    for (int x = parent->ItemRect.Right - 9; x < parent->ItemRect.Right - 3; ++x)
        marked += PopupAt(panel, x, mid) == Ref(panel->Font()->Color());
    EXPECT_GE(marked, 1);
    EXPECT_FALSE(popup->HideOnDeActivate()) << "the sub-popup taking the activation must not close it";
    // Leaving the panel while the sub-popup is open keeps the item highlighted.
    ui.MoveTo(form.get(), 500, 500);
    EXPECT_EQ(panel->HotItem(), 0);
    // Hovering another item closes it.
    HoverItem(panel, 1);
    EXPECT_FALSE(sub->Visible());
    EXPECT_TRUE(popup->HideOnDeActivate());
    popup->Hide();
    // Near the right edge of the 1024-pixel screen the sub-popup opens left of its item, and above
    // the work area's bottom (738) by what it would pass it, less 2.
    ShowAt(1024 - popup->Width() - 5, 738 - 30);
    HoverItem(panel, 0);
    ASSERT_TRUE(sub->Visible());
    EXPECT_EQ(sub->Left(), panel->ClientToScreen(TPoint{parent->ItemRect.Left, 0}).X - sub->Width());
    EXPECT_EQ(sub->Top() + sub->Height() + 2, 738);
    // A click outside closes the whole chain one tick later.
    ui.Click(form.get(), 300, 400);
    EXPECT_TRUE(sub->Visible()) << "the hide waits for the timer";
    ui.Advance(kTick);
    EXPECT_FALSE(sub->Visible());
    EXPECT_FALSE(popup->Visible());
    EXPECT_EQ(deactivateHides, 1) << "the first popup tells its owner once";
    EXPECT_EQ(panel->HotItem(), -1);
    EXPECT_EQ(panel->PopupItem(), -1);
}

// The screen's edge is the edge of the monitor the popup is on, not of the primary one: on a second
// monitor to the right, a sub-popup with room beside its item opens beside it.
TEST_F(PopupMenuTest, OnASecondMonitorTheSubPopupKeepsToThatMonitorsWorkArea) {
    ui.Screen().SetMonitors(
        {backend::Monitor{TRect{0, 0, 1024, 768}, TRect{0, 0, 1024, 738}, true, "left"},
         backend::Monitor{TRect{1024, 0, 2048, 768}, TRect{1024, 0, 2048, 700}, false, "right"}});
    TATBMenuItem* parent = Item("More");
    Item("Inner", parent);
    ShowAt(1300, 690);
    HoverItem(panel, 0);
    TATBPopupWindow* sub = panel->ItemPopup();
    ASSERT_TRUE(sub->Visible());
    EXPECT_EQ(sub->Left(), panel->ClientToScreen(TPoint{parent->ItemRect.Right + 2, 0}).X);
    EXPECT_EQ(sub->Top() + sub->Height() + 2, 700) << "moved up by what passes that monitor's work area";
    popup->Hide();
    ui.Screen().SetMonitors({});
}

TEST_F(PopupMenuTest, TheKeyboardMovesTheHighlightOpensSubPopupsTogglesChecksAndEscapes) {
    TControl* target = Add("Target");
    TATBMenuItem* check = Item("Target");
    check->SetAutoCheck(true);
    check->SetChecked(true);
    check->SetControl(target);
    TATBMenuItem* parent = Item("More");
    Item("Inner", parent);
    ShowAt(100, 100);
    ui.Key(win::VK_DOWN);
    EXPECT_EQ(panel->HotItem(), 0);
    ui.Key(win::VK_SPACE);
    EXPECT_FALSE(target->Visible());
    ui.Key(win::VK_DOWN);
    EXPECT_EQ(panel->HotItem(), 1);
    ui.Key(win::VK_DOWN);
    EXPECT_EQ(panel->HotItem(), 0) << "wraps round";
    ui.Key(win::VK_UP);
    ui.Key(win::VK_RIGHT);
    TATBPopupWindow* sub = panel->ItemPopup();
    ASSERT_NE(sub, nullptr);
    ASSERT_TRUE(sub->Visible());
    EXPECT_EQ(sub->PopupPanel()->HotItem(), 0);
    // Left closes the sub-popup only; the keys are the first popup's again.
    ui.Key(win::VK_LEFT);
    EXPECT_FALSE(sub->Visible());
    EXPECT_TRUE(popup->Visible());
    ui.Key(win::VK_UP);
    EXPECT_EQ(panel->HotItem(), 0);
    ui.Key(win::VK_ESCAPE);
    EXPECT_FALSE(popup->Visible());
    EXPECT_EQ(deactivateHides, 1);
}

} // namespace
} // namespace optionstest
