// Push buttons: clicks by mouse, Space, Enter and Escape on the default and cancel buttons, which button
// is active as the focus moves, accelerators, the form's ModalResult, the pressed look.

#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class ButtonTest : public StdControlTest {
protected:
    TButton* MakeButton(const char* Name, const char* Caption, int X) {
        auto* b = Make<TButton>(Name, X, 100, 75, 25);
        b->SetCaption(Caption);
        b->OnClick = [this, Name](TObject*) { clicks.push_back(Name); };
        return b;
    }
    std::vector<std::string> clicks;
};

TEST_F(ButtonTest, MouseClickNeedsPressAndReleaseOverTheButton) {
    TButton* b = MakeButton("B1", "Go", 10);
    ShowHost();
    ClickAt(b, 10, 10);
    EXPECT_EQ(clicks, (std::vector<std::string>{"B1"}));
    EXPECT_TRUE(b->Focused());
    // Pressed, dragged off and released outside: no click; the pressed look follows the pointer.
    Down(b, 10, 10);
    EXPECT_TRUE(b->Pressed());
    MoveOver(b, 120, 10);
    EXPECT_FALSE(b->Pressed());
    Up();
    EXPECT_EQ(clicks.size(), 1u);
    // A disabled button takes no clicks.
    b->SetEnabled(false);
    ClickAt(b, 10, 10);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(ButtonTest, SpaceClicksOnReleaseAndEnterClicksTheFocusedButton) {
    TButton* a = MakeButton("A", "A", 10);
    TButton* b = MakeButton("B", "B", 100);
    ShowHost();
    a->SetFocus();
    screen->KeyDown(win::VK_SPACE);
    Pump();
    EXPECT_TRUE(a->Pressed());
    EXPECT_TRUE(clicks.empty());
    screen->KeyUp(win::VK_SPACE);
    Pump();
    EXPECT_FALSE(a->Pressed());
    EXPECT_EQ(clicks, (std::vector<std::string>{"A"}));
    b->SetFocus();
    Press(win::VK_RETURN);
    EXPECT_EQ(clicks, (std::vector<std::string>{"A", "B"}));
}

TEST_F(ButtonTest, DefaultAndCancelButtonsTakeEnterAndEscape) {
    TButton* ok = MakeButton("OK", "OK", 10);
    TButton* cancel = MakeButton("Cancel", "Cancel", 100);
    TButton* other = MakeButton("Other", "Other", 190);
    auto* edit = Make<TEdit>("Edit", 10, 10, 100, 21);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    ShowHost();
    edit->SetFocus();
    EXPECT_TRUE(ok->Active());
    EXPECT_FALSE(cancel->Active());
    Press(win::VK_RETURN);
    Press(win::VK_ESCAPE);
    EXPECT_EQ(clicks, (std::vector<std::string>{"OK", "Cancel"}));
    // Another focused button is the active one: Enter presses it instead of the default.
    other->SetFocus();
    EXPECT_TRUE(other->Active());
    EXPECT_FALSE(ok->Active());
    Press(win::VK_RETURN);
    EXPECT_EQ(clicks.back(), "Other");
    // Back on the edit the default button is active again.
    edit->SetFocus();
    EXPECT_TRUE(ok->Active());
    EXPECT_FALSE(other->Active());
    // Enter with a modifier is not the default button's.
    clicks.clear();
    Chord({win::VK_SHIFT}, win::VK_RETURN);
    EXPECT_TRUE(clicks.empty());
    // Neither Default nor Cancel: Escape goes nowhere.
    cancel->SetCancel(false);
    Press(win::VK_ESCAPE);
    EXPECT_TRUE(clicks.empty());
    // The active button wears a dark outline, the others do not.
    ExpectPixels(ok, {{0, 0, cl3DDkShadow}});
    EXPECT_THAT(At(cancel, 0, 0), ::testing::Not(colortest::IsColor(Ref(cl3DDkShadow))));
}

TEST_F(ButtonTest, AcceleratorClicks) {
    TButton* save = MakeButton("Save", "&Save", 10);
    auto* edit = Make<TEdit>("Edit", 10, 10, 100, 21);
    (void)save;
    ShowHost();
    edit->SetFocus();
    Chord({win::VK_MENU}, 'S');
    EXPECT_EQ(clicks, (std::vector<std::string>{"Save"}));
    Chord({win::VK_MENU}, 'X');
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(ButtonTest, ClickSetsTheFormsModalResult) {
    TComponentPtr<TCustomForm> form(TCustomForm::CreateNew(nullptr));
    auto* b = new TButton(form.get());
    b->SetParent(form.get());
    b->SetModalResult(mrOk);
    int clicked = 0;
    b->OnClick = [&](TObject*) {
        // The form's result is already set when OnClick runs.
        EXPECT_EQ(form->ModalResult(), mrOk);
        ++clicked;
    };
    b->Click();
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(form->ModalResult(), mrOk);
    // A button without a form around it just clicks.
    TButton* loose = MakeButton("Loose", "x", 10);
    loose->SetModalResult(mrCancel);
    loose->Click();
    EXPECT_EQ(clicks, (std::vector<std::string>{"Loose"}));
}

} // namespace
} // namespace stdtest
