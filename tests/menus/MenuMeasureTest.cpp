// Measuring of the owner-drawn items through the menu's own measure request.

#include "components/menus/AdvMenuPaint.h"
#include "components/menus/AdvMenuUtil.h"
#include "tests/menus/MenuLookSupport.h"

namespace menutest {
namespace {

class MenuMeasureTest : public MenuLookTest {
protected:
    void SetUp() override {
        MenuLookTest::SetUp();
        styler = new TAdvMenuOfficeStyler(form.get());
        styler->SetStyle(osOffice2007Luna);
        form->Menu->SetMenuStyler(styler);
        probe.Canvas()->Font()->Assign(GetScreen()->MenuFont());
    }

    TSize Measure(TMenuItem* Item) {
        win::MEASUREITEMSTRUCT info{};
        info.CtlType = win::ODT_MENU;
        info.itemID = Item->Command();
        EXPECT_TRUE(form->Menu->MeasureItem(info));
        return {static_cast<int>(info.itemWidth), static_cast<int>(info.itemHeight)};
    }
    int TextWidth(const String& Text, TFont* Font = nullptr) {
        probe.Canvas()->Font()->Assign(Font ? Font : GetScreen()->MenuFont());
        return probe.Canvas()->TextWidth(Text);
    }
    // A popup item: icon bar, 15 for the image column, 7 around the text and the hidden strip.
    int PopupWidth(const String& Text) { return styler->IconBar()->Size() + 15 + TextWidth(Text) + 7 + 17; }

    TAdvMenuOfficeStyler* styler = nullptr;
    TBitmap probe;
};

TEST_F(MenuMeasureTest, PopupItemsByTable) {
    // The engine hands a popup item no height; items start from the bar's 18, raised to the 16-pixel
    // images, plus 5, made even.
    const int itemHeight = 24;
    struct Row {
        TMenuItem* Item;
        String Text;
    };
    const Row rows[] = {{form->New, "NewCtrl+N"}, {form->Wrap, "Word wrap"}, {form->Exit, "ExitAlt+F4"}};
    for (const Row& r : rows) {
        TSize s = Measure(r.Item);
        EXPECT_EQ(s.cx, PopupWidth(r.Text)) << r.Text;
        EXPECT_EQ(s.cy, itemHeight) << r.Text;
        EXPECT_EQ(s.cy % 2, 0);
    }
    // A separator is its line's width plus 2 high and -2 wide.
    EXPECT_EQ(Measure(form->Line), (TSize{-2, 3}));
    styler->Separator()->Width = 4;
    EXPECT_EQ(Measure(form->Line), (TSize{-2, 6}));
    // With its own font the height follows the text.
    styler->SetUseSystemFont(false);
    styler->Font()->SetSize(20);
    TSize big = Measure(form->Wrap);
    probe.Canvas()->Font()->Assign(styler->Font());
    const int h = probe.Canvas()->TextHeight("Word wrap") + 6;
    EXPECT_EQ(big.cy, h + (h & 1));
}

TEST_F(MenuMeasureTest, NotesAddALinePerBreakOnlyWhileShownAndBarItemsTakeTheirText) {
    TSize withNotes = Measure(form->Notes);
    probe.Canvas()->Font()->Assign(styler->NotesFont());
    const int line = probe.Canvas()->TextHeight("gh");
    EXPECT_EQ(withNotes.cy, 24 + line + ((24 + line) & 1));
    EXPECT_GE(withNotes.cx, TextWidth("Stores a copy under a new name", styler->NotesFont()) + 17 + 24 + 15);
    EXPECT_GE(withNotes.cx, PopupWidth("Save as"));
    form->Menu->SetShowNotes(false);
    TSize plain = Measure(form->Notes);
    EXPECT_EQ(plain.cy, 24);
    EXPECT_EQ(plain.cx, PopupWidth("Save as\\nStores a copy under a new name"));
    form->Show();
    ui.Process();
    // Without an image: -7 + the text + 7, and the window system's check-mark space beside it.
    TSize file = Measure(form->File);
    EXPECT_EQ(file.cx, TextWidth("File") + win::GetSystemMetrics(win::SM_CXMENUCHECK));
    EXPECT_EQ(file.cy, win::GetSystemMetrics(win::SM_CYMENUSIZE));
    win::RECT r{};
    ASSERT_TRUE(win::GetMenuItemRect(form->Handle(), form->Menu->Handle(), 0, &r));
    EXPECT_EQ(r.Right - r.Left, file.cx);
}

TEST_F(MenuMeasureTest, WindowsKeySideBarAndColumnBreak) {
    form->Exit->SetShortCut(static_cast<TShortCut>(AdvMenuUtil::scWin | scCtrl | 'Q'));
    EXPECT_EQ(Measure(form->Exit).cx, PopupWidth("ExitWin+Ctrl+Q") + TextWidth("Win+"));
    // The side bar shows beside the first drop-down only (File); items after a column break have none.
    styler->SideBar()->SetVisible(true);
    const int bar = styler->SideBar()->Size + styler->SideBar()->SplitterWidth;
    EXPECT_EQ(Measure(form->Wrap).cx, PopupWidth("Word wrap") + bar);
    TMenuItem* undo = form->Edit->Items(0);
    EXPECT_EQ(Measure(undo).cx, PopupWidth("UndoCtrl+Z"));
    form->Large->SetBreak(mbBreak);
    // The column a break starts has no side bar, from the breaking item on; the one before keeps it.
    EXPECT_EQ(Measure(form->Large).cx, PopupWidth("Large icons"));
    EXPECT_EQ(Measure(form->Small).cx, PopupWidth("Small icons"));
    EXPECT_EQ(Measure(form->Wrap).cx, PopupWidth("Word wrap") + bar);
    // A hidden item breaks nothing.
    form->Large->SetVisible(false);
    EXPECT_EQ(Measure(form->Small).cx, PopupWidth("Small icons") + bar);
    form->Large->SetVisible(true);
    styler->SideBar()->VisibleIn = viAnyLevel;
    EXPECT_EQ(Measure(undo).cx, PopupWidth("UndoCtrl+Z") + bar);
}

} // namespace
} // namespace menutest
