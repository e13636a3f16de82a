// The edit's own context menu: opened by a right click at the pointer, by Shift+F10 or the Menu key at the
// caret; its items enabled as the edit's state allows; each choice doing what its message does; a popup
// menu of the edit's own, or OnContextPopup, taking the request instead; the combo box's edit.

#include "platform/vcl/StdCtrls.h"
#include "tests/vcl/MenuTestSupport.h"

namespace {

using namespace menutest;
using namespace vcl;

// The menu that is open now, as the user sees it.
struct TMenuSeen {
    win::HMENU Menu = nullptr;
    win::RECT Window{};
    std::vector<String> Items;   // texts, "-" for a separator
    std::vector<String> Enabled; // texts of the items that can be chosen
};

TMenuSeen SeeOpenMenu() {
    TMenuSeen seen;
    win::HWND w = win::FindWindow(win::MENU_WINDOW_CLASS, nullptr);
    seen.Menu = win::MenuOfWindow(w);
    win::GetWindowRect(w, &seen.Window);
    for (int i = 0; i < win::GetMenuItemCount(seen.Menu); ++i) {
        win::UINT state = win::GetMenuState(seen.Menu, static_cast<win::UINT>(i), win::MF_BYPOSITION);
        char text[64] = {};
        win::GetMenuString(seen.Menu, static_cast<win::UINT>(i), text, sizeof text, win::MF_BYPOSITION);
        String item = state & win::MF_SEPARATOR ? String("-") : String(text);
        seen.Items.push_back(item);
        if (!(state & (win::MF_SEPARATOR | win::MF_GRAYED | win::MF_DISABLED))) seen.Enabled.push_back(item);
    }
    return seen;
}

class EditContextMenuTest : public MenuFormTest {
protected:
    void SetUp() override {
        MenuFormTest::SetUp();
        // A blinking caret keeps the virtual clock going, and the menu's loop would never be idle for the
        // test to answer it.
        win::SetCaretBlinkTime(win::INFINITE);
        Edit = new TEdit(Form);
        Edit->SetName("Edit");
        Edit->SetBounds(10, 10, 200, 21);
        Edit->SetParent(Form);
        Other = new TButton(Form);
        Other->SetName("Other");
        Other->SetBounds(10, 60, 75, 25);
        Other->SetParent(Form);
        Edit->SetText("hello world");
        Other->SetFocus();
        ui.Process();
        SetClipboardText("");
    }
    // Right-clicks the control, looks at the menu that opens and answers it with the keys of Answer
    // (Escape when empty: no choice).
    TMenuSeen RightClick(TControl* Control, const String& Answer = "", int X = 40, int Y = 10) {
        TMenuSeen seen;
        AnswerWhenOpen(seen, Answer);
        ui.Click(Control, X, Y, backend::MouseButton::Right);
        return seen;
    }
    void AnswerWhenOpen(TMenuSeen& Seen, const String& Answer) {
        ui.WhenIdle([this, &Seen, Answer] {
            Seen = SeeOpenMenu();
            if (Answer.empty())
                ui.Key(win::VK_ESCAPE);
            else
                ui.Type(Answer);
        });
    }
    // Selects the first N characters by the keys.
    void SelectFirst(int N) {
        ui.Key(win::VK_HOME);
        for (int i = 0; i < N; ++i)
            ui.Key(win::VK_RIGHT, {ssShift});
    }
    TEdit* Edit = nullptr;
    TButton* Other = nullptr;
};

TEST_F(EditContextMenuTest, ARightClickOpensTheEditsMenuAtThePointerWithItsItemsAsTheStateAllows) {
    bool pictured = false;
    TMenuSeen seen;
    ui.WhenIdle([&] {
        seen = SeeOpenMenu();
        pictured = ui.Screen().WriteScreenPng(uitest::UiDriver::OutputPath("EditContextMenu.png"));
        ui.Key(win::VK_ESCAPE);
    });
    ui.Click(Edit, 40, 10, backend::MouseButton::Right);
    EXPECT_TRUE(pictured);
    EXPECT_EQ(seen.Items,
              (std::vector<String>{"&Undo", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "Select &All"}));
    TPoint at = Edit->ClientToScreen({40, 10});
    EXPECT_EQ(seen.Window.Left, at.X);
    EXPECT_EQ(seen.Window.Top, at.Y);
    // The click took the focus, which selected everything; nothing to undo or paste.
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(seen.Enabled, (std::vector<String>{"Cu&t", "&Copy", "&Delete"}));
    EXPECT_EQ(Edit->Text(), "hello world");

    // Part of the text selected, text on the clipboard: everything but Undo.
    SetClipboardText("pasted");
    SelectFirst(5);
    seen = RightClick(Edit);
    EXPECT_EQ(seen.Enabled, (std::vector<String>{"Cu&t", "&Copy", "&Paste", "&Delete", "Select &All"}));
    EXPECT_EQ(Edit->SelText(), "hello") << "a right click keeps the selection";
    // Nothing selected: neither Cut, Copy nor Delete; after a change, Undo.
    ui.Key(win::VK_END);
    ui.Type("!");
    seen = RightClick(Edit);
    EXPECT_EQ(seen.Enabled, (std::vector<String>{"&Undo", "&Paste", "Select &All"}));
}

TEST_F(EditContextMenuTest, EachItemDoesWhatItsMessageDoes) {
    Edit->SetFocus();
    SelectFirst(5);
    RightClick(Edit, "t"); // Cu&t
    EXPECT_EQ(Edit->Text(), " world");
    EXPECT_EQ(GetClipboardText(), "hello");
    RightClick(Edit, "u"); // &Undo
    EXPECT_EQ(Edit->Text(), "hello world");
    RightClick(Edit, "a"); // Select &All
    EXPECT_EQ(Edit->SelLength(), 11);
    EXPECT_EQ(Edit->CaretPos(), 11);
    SetClipboardText("copied over");
    RightClick(Edit, "c"); // &Copy
    EXPECT_EQ(GetClipboardText(), "hello world");
    RightClick(Edit, "d"); // &Delete
    EXPECT_EQ(Edit->Text(), "");
    RightClick(Edit, "p"); // &Paste
    EXPECT_EQ(Edit->Text(), "hello world");
    // A click on an item chooses it as well.
    ui.WhenIdle([&] {
        win::HWND w = win::FindWindow(win::MENU_WINDOW_CLASS, nullptr);
        win::RECT r{};
        win::GetMenuItemRect(w, win::MenuOfWindow(w), 7, &r); // Select All
        ui.Screen().MoveMouse((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        ui.Screen().Press();
        ui.Screen().Release();
    });
    ui.Click(Edit, 40, 10, backend::MouseButton::Right);
    EXPECT_EQ(Edit->SelText(), "hello world");
}

TEST_F(EditContextMenuTest, ReadOnlyPasswordAndEmptyEditsOfferOnlyWhatTheyAllow) {
    SetClipboardText("x");
    Edit->SetFocus();
    ui.Key(win::VK_END);
    ui.Type("!"); // something to undo
    ui.Key('A', {ssCtrl});
    Edit->SetReadOnly(true);
    // Read-only: copying only.
    EXPECT_EQ(RightClick(Edit).Enabled, std::vector<String>{"&Copy"});
    for (win::UINT m : {win::WM_CUT, win::WM_CLEAR, win::WM_PASTE, win::WM_UNDO})
        win::SendMessage(Edit->Handle(), m, 0, 0);
    EXPECT_EQ(Edit->Text(), "hello world!") << "the messages change no read-only text either";
    // A password is neither cut nor copied.
    Edit->SetReadOnly(false);
    Edit->SetPasswordChar(U'*');
    Edit->SetText("secret");
    ui.Key('A', {ssCtrl});
    EXPECT_EQ(RightClick(Edit).Enabled, (std::vector<String>{"&Paste", "&Delete"}));
    // Empty: nothing to select; with an empty clipboard nothing at all.
    Edit->SetText("");
    SetClipboardText("");
    EXPECT_TRUE(RightClick(Edit).Enabled.empty());
}

TEST_F(EditContextMenuTest, ShiftF10AndTheMenuKeyOpenItAtTheCaret) {
    Edit->SetFocus();
    ui.Key(win::VK_END);
    ui.Key(win::VK_LEFT);
    std::optional<TRect> caret = ui.Screen().TextCaret(Form->Handle());
    ASSERT_TRUE(caret.has_value());
    win::RECT form{};
    win::GetWindowRect(Form->Handle(), &form);
    TMenuSeen seen;
    AnswerWhenOpen(seen, "a");
    ui.Key(win::VK_F10, {ssShift});
    ASSERT_NE(seen.Menu, nullptr);
    // Below the caret, the line left in sight.
    EXPECT_EQ(seen.Window.Left, form.Left + caret->Left);
    EXPECT_EQ(seen.Window.Top, form.Top + caret->Bottom);
    EXPECT_EQ(Edit->SelLength(), 11);
    // The Menu key, on its release.
    ui.Key(win::VK_RIGHT);
    seen = {};
    AnswerWhenOpen(seen, "");
    ui.Key(win::VK_APPS);
    EXPECT_NE(seen.Menu, nullptr);
    EXPECT_EQ(Edit->Text(), "hello world");

    // Where no context menu answers, Shift+F10 leaves the menu bar alone; F10 alone enters it.
    Other->SetFocus();
    bool barTracked = false;
    ui.WhenIdle([&] {
        barTracked = win::IsMenuTracking();
        ui.Key(win::VK_ESCAPE);
    });
    ui.Key(win::VK_F10, {ssShift});
    EXPECT_EQ(ui.PendingActions(), 1) << "no menu loop ran";
    ui.Key(win::VK_F10);
    EXPECT_TRUE(barTracked);
}

TEST_F(EditContextMenuTest, APopupMenuOfTheEditsOwnOrOnContextPopupTakesTheRequest) {
    // The form's popup menu does not stand in for the edit's own menu.
    auto* formMenu = new TPopupMenu(Form);
    AddItem(formMenu->Items(), "FormItem", "&Form");
    Form->SetPopupMenu(formMenu);
    EXPECT_NE(RightClick(Edit).Menu, formMenu->Handle());
    EXPECT_EQ(RightClick(Edit).Items.size(), 8u);
    // One of the edit's own does, from the keyboard too.
    auto* own = new TPopupMenu(Form);
    AddItem(own->Items(), "OwnItem", "&Own");
    Edit->SetPopupMenu(own);
    RightClick(Edit, "o");
    EXPECT_EQ(Clicks, std::vector<String>{"OwnItem"});
    TMenuSeen seen;
    AnswerWhenOpen(seen, "");
    ui.Key(win::VK_F10, {ssShift});
    EXPECT_EQ(seen.Menu, own->Handle());
    // One that does not pop up by itself leaves the request to the edit's menu.
    own->SetAutoPopup(false);
    EXPECT_EQ(RightClick(Edit).Items.size(), 8u);
    // OnContextPopup sees the request first and may keep any menu from opening.
    Edit->SetPopupMenu(nullptr);
    TPoint asked{-2, -2};
    Edit->OnContextPopup = [&](TObject*, TPoint MousePos, bool& Handled) {
        asked = MousePos;
        Handled = true;
    };
    ui.Click(Edit, 40, 10, backend::MouseButton::Right);
    EXPECT_EQ(asked, (TPoint{40, 10}));
    EXPECT_FALSE(win::IsMenuTracking());
}

TEST_F(EditContextMenuTest, AComboBoxHasTheMenuInItsEditOnly) {
    auto* formMenu = new TPopupMenu(Form);
    AddItem(formMenu->Items(), "FormItem", "&Form");
    Form->SetPopupMenu(formMenu);
    auto* combo = new TComboBox(Form);
    combo->SetBounds(10, 100, 150, 21);
    combo->SetParent(Form);
    combo->Items()->Add("Apple");
    combo->SetItemIndex(0);
    ui.Process();
    EXPECT_EQ(RightClick(combo, "", 20, 10).Items.size(), 8u);
    // On its button, and in a box that only chooses, the request goes on up to the form's menu.
    EXPECT_EQ(RightClick(combo, "", 140, 10).Menu, formMenu->Handle());
    combo->SetStyle(csDropDownList);
    EXPECT_EQ(RightClick(combo, "", 20, 10).Menu, formMenu->Handle());
}

} // namespace
