// Push buttons: clicks by mouse, Space, Enter and Escape on the default and cancel buttons, which button
// is active as the focus moves, accelerators, the form's ModalResult, the pressed look. Check boxes:
// toggling by click and Space, the grayed state, OnClick on every change, the check mark. Radio buttons
// and groups: siblings exclude each other, arrows check as they move, the group's ItemIndex and OnClick
// (by code too), its columns and its items.
// Speed buttons: clicks by real input (a release off the button is no click), groups that keep one button
// down, AllowAllUp, the flat look's edges, glyph placement and the disabled glyph.

#include "platform/vcl/Buttons.h"
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

// The dotted focus rectangle shows on the control that has the focus, from the moment it gets it, and goes
// when the focus moves on: a column it crosses has a dark dot on it, else only the face colour.
TEST_F(ButtonTest, TheFocusRectangleFollowsTheFocusAsTabMovesIt) {
    auto* edit = Make<TEdit>("Edit", 10, 10, 100, 21);
    auto* check = Make<TCheckBox>("Check", 10, 40, 120, 17);
    check->SetCaption("Save password");
    auto* radio = Make<TRadioButton>("Radio", 10, 60, 120, 17);
    radio->SetCaption("Log in");
    TButton* ok = MakeButton("OK", "OK", 10);
    ok->SetDefault(true);
    ShowHost();
    // Left of a box's caption (box 13, gap 4) and four pixels in from the default button's outline.
    auto dotted = [this](TControl* C, int X, int Top, int Bottom) {
        for (int y = Top; y < Bottom; ++y)
            if (At(C, X, y) != Ref(clBtnFace)) return true;
        return false;
    };
    edit->SetFocus();
    EXPECT_FALSE(dotted(check, 16, 1, 16));
    EXPECT_FALSE(dotted(ok, 4, 5, 20));
    Press(win::VK_TAB);
    ASSERT_TRUE(check->Focused());
    EXPECT_TRUE(dotted(check, 16, 1, 16)) << "the box that took the focus shows it";
    Press(win::VK_TAB);
    ASSERT_TRUE(radio->Focused());
    EXPECT_FALSE(dotted(check, 16, 1, 16)) << "the box the focus left no longer shows it";
    EXPECT_TRUE(dotted(radio, 16, 1, 16));
    Press(win::VK_TAB);
    ASSERT_TRUE(ok->Focused());
    EXPECT_FALSE(dotted(radio, 16, 1, 16));
    EXPECT_TRUE(dotted(ok, 4, 5, 20)) << "the default button, active all along, shows the focus too";
    edit->SetFocus();
    EXPECT_FALSE(dotted(ok, 4, 5, 20));
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

// Alt and a key whose character has no key of its own on the layout (a character packet): the window
// system's WM_SYSCHAR carries the whole code point, and the caption's "&" marks a whole UTF-8 character.
TEST_F(ButtonTest, AnAcceleratorBeyondAsciiAnswersItsOwnCharacterOnly) {
    MakeButton("Emile", "&Émile", 10);
    MakeButton("File", "&Файл", 90);
    MakeButton("Smile", "&😀 Smile", 170);
    auto* edit = Make<TEdit>("Edit", 10, 10, 100, 21);
    ShowHost();
    edit->SetFocus();
    auto altType = [&](const String& Text) {
        screen->KeyDown(win::VK_MENU);
        screen->TypeText(Text);
        screen->KeyUp(win::VK_MENU);
        Pump();
    };
    // The first byte of "É" (0xC3) and of "Ф" (0xD0) and the low 16 bits of U+1F600 name no accelerator.
    altType("Ã");
    altType("Ð");
    altType("\uF600");
    EXPECT_TRUE(clicks.empty());
    altType("é");
    altType("ф");
    altType("😀");
    EXPECT_EQ(clicks, (std::vector<std::string>{"Emile", "File", "Smile"}));
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

class CheckBoxTest : public StdControlTest {
protected:
    TCheckBox* MakeCheck() {
        auto* c = Make<TCheckBox>("Check", 20, 20, 120, 17);
        c->SetCaption("Remember");
        c->OnClick = [this](TObject*) { ++clicks; };
        return c;
    }
    int clicks = 0;
};

TEST_F(CheckBoxTest, ClickAndSpaceToggle) {
    TCheckBox* c = MakeCheck();
    ShowHost();
    ClickAt(c, 5, 8);
    EXPECT_TRUE(c->Checked());
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(clicks, 1);
    // Clicking the caption toggles too.
    ClickAt(c, 60, 8);
    EXPECT_FALSE(c->Checked());
    Press(win::VK_SPACE);
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(clicks, 3);
    c->SetEnabled(false);
    ClickAt(c, 5, 8);
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(clicks, 3);
}

TEST_F(CheckBoxTest, AllowGrayedCyclesThroughThreeStatesAndChangesByCodeRunOnClickOnce) {
    TCheckBox* c = MakeCheck();
    c->SetAllowGrayed(true);
    ShowHost();
    c->SetFocus();
    Press(win::VK_SPACE);
    EXPECT_EQ(c->State(), cbGrayed);
    EXPECT_FALSE(c->Checked());
    Press(win::VK_SPACE);
    EXPECT_EQ(c->State(), cbChecked);
    Press(win::VK_SPACE);
    EXPECT_EQ(c->State(), cbUnchecked);
    // Without AllowGrayed a grayed box goes on to checked and never back to grayed.
    c->SetAllowGrayed(false);
    c->SetState(cbGrayed);
    Press(win::VK_SPACE);
    EXPECT_EQ(c->State(), cbChecked);
    Press(win::VK_SPACE);
    EXPECT_EQ(c->State(), cbUnchecked);

    // A change of state by code runs OnClick once.
    clicks = 0;
    c->SetChecked(true);
    c->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(c->State(), cbChecked);
    c->SetState(cbUnchecked);
    EXPECT_FALSE(c->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(CheckBoxTest, CheckMarkAndBoxSide) {
    TCheckBox* c = MakeCheck();
    ShowHost();
    // The box is 13 pixels square, vertically centred, on the left: its inside is the window colour.
    ExpectPixels(c, {{6, 8, clWindow}});
    c->SetChecked(true);
    ExpectPixels(c, {{5, 9, clWindowText}});
    c->SetState(cbGrayed);
    ExpectPixels(c, {{5, 9, clBtnShadow}});
    // Alignment taLeftJustify puts the box at the right end.
    c->SetChecked(true);
    c->SetAlignment(taLeftJustify);
    EXPECT_THAT(At(c, 5, 9), ::testing::Not(colortest::IsColor(Ref(clWindowText))));
    ExpectPixels(c, {{120 - 13 + 5, 9, clWindowText}});
}

class RadioTest : public StdControlTest {};

TEST_F(RadioTest, RadioButtonsOfOneParentExcludeEachOther) {
    auto* a = Make<TRadioButton>("A", 10, 10, 100, 17);
    auto* b = Make<TRadioButton>("B", 10, 30, 100, 17);
    auto* box = Make<TPanel>("Box", 150, 10, 150, 60);
    auto* c = Make<TRadioButton>("C", 5, 5, 100, 17, box);
    std::vector<std::string> clicks;
    for (TRadioButton* r : {a, b, c})
        r->OnClick = [&clicks, r](TObject*) { clicks.push_back(r->Name()); };
    c->SetChecked(true);
    ShowHost();
    ClickAt(a, 5, 8);
    EXPECT_TRUE(a->Checked());
    ClickAt(b, 5, 8);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    // Another parent, another group.
    EXPECT_TRUE(c->Checked());
    // Clicking the checked one changes nothing.
    ClickAt(b, 5, 8);
    EXPECT_EQ(clicks, (std::vector<std::string>{"C", "A", "B"}));
    // The checked button is the group's tab stop.
    EXPECT_TRUE(b->TabStop());
    EXPECT_FALSE(a->TabStop());
    // The dot in the middle of the circle.
    ExpectPixels(b, {{5, 8, clWindowText}});
    EXPECT_THAT(At(a, 5, 8), ::testing::Not(colortest::IsColor(Ref(clWindowText))));
}

class RadioGroupTest : public StdControlTest {
protected:
    TRadioGroup* MakeGroup() {
        auto* g = Make<TRadioGroup>("Group", 10, 10, 200, 100);
        g->SetCaption("Server");
        g->Items()->Add("Live");
        g->Items()->Add("Demo");
        g->Items()->Add("Local");
        g->OnClick = [this](TObject*) {
            clicks.push_back(static_cast<TRadioGroup*>(host->FindComponent("Group"))->ItemIndex());
        };
        return g;
    }
    std::vector<int> clicks;
};

TEST_F(RadioGroupTest, ItemIndexByCodeRunsOnClickAndColumnsAndItemsRearrangeTheButtons) {
    TRadioGroup* g = MakeGroup();
    ASSERT_EQ(g->ButtonCount(), 3);
    EXPECT_EQ(g->ItemIndex(), -1);
    g->SetItemIndex(1);
    EXPECT_TRUE(g->Buttons(1)->Checked());
    g->SetItemIndex(1);
    g->SetItemIndex(2);
    EXPECT_FALSE(g->Buttons(1)->Checked());
    g->SetItemIndex(-1);
    EXPECT_FALSE(g->Buttons(2)->Checked());
    EXPECT_EQ(clicks, (std::vector<int>{1, 2, -1}));
    EXPECT_THROW(g->SetItemIndex(3), EListError);
    EXPECT_THROW(g->Buttons(3), EListError);

    g->Items()->Add("Test");
    g->SetColumns(2);
    // Filled top to bottom, then left to right; each column (Width - 10) / 2 wide from x = 8.
    EXPECT_EQ(g->Buttons(0)->Left(), 8);
    EXPECT_EQ(g->Buttons(1)->Left(), 8);
    EXPECT_EQ(g->Buttons(2)->Left(), 8 + 95);
    EXPECT_EQ(g->Buttons(3)->Left(), 8 + 95);
    EXPECT_EQ(g->Buttons(0)->Top(), g->Buttons(2)->Top());
    EXPECT_GT(g->Buttons(1)->Top(), g->Buttons(0)->Top());
    EXPECT_EQ(g->Buttons(0)->Width(), 95);
    // The checked line stays checked when lines come and go above it.
    g->SetItemIndex(2);
    clicks.clear();
    g->Items()->Insert(0, "First");
    EXPECT_EQ(g->ButtonCount(), 5);
    EXPECT_EQ(g->ItemIndex(), 3);
    EXPECT_TRUE(g->Buttons(3)->Checked());
    EXPECT_EQ(g->Buttons(3)->Caption(), "Local");
    g->Items()->Delete(0);
    EXPECT_EQ(g->ItemIndex(), 2);
    EXPECT_TRUE(clicks.empty());
    // Removing the checked line leaves none checked.
    g->Items()->Delete(2);
    EXPECT_EQ(g->ButtonCount(), 3);
    EXPECT_EQ(g->ItemIndex(), -1);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(g->Buttons(i)->Checked());
    EXPECT_EQ(g->Buttons(1)->Caption(), "Demo");
    g->Items()->Clear();
    EXPECT_EQ(g->ButtonCount(), 0);
    EXPECT_EQ(g->ItemIndex(), -1);
}

TEST_F(RadioGroupTest, ClicksAndArrowKeysChooseItems) {
    TRadioGroup* g = MakeGroup();
    auto* edit = Make<TEdit>("Edit", 250, 10, 100, 21);
    ShowHost();
    ClickAt(g->Buttons(2), 5, 5);
    EXPECT_EQ(g->ItemIndex(), 2);
    ClickAt(g->Buttons(0), 5, 5);
    EXPECT_EQ(g->ItemIndex(), 0);
    EXPECT_EQ(clicks, (std::vector<int>{2, 0}));
    // The arrow keys move the focus and the check along the buttons.
    Press(win::VK_DOWN);
    EXPECT_EQ(g->ItemIndex(), 1);
    EXPECT_TRUE(g->Buttons(1)->Focused());
    // Tabbing away and back lands on the checked button without changing it.
    edit->SetFocus();
    Chord({win::VK_SHIFT}, win::VK_TAB);
    EXPECT_TRUE(g->Buttons(1)->Focused());
    EXPECT_EQ(g->ItemIndex(), 1);
}

class SpeedButtonTest : public StdControlTest {
protected:
    TSpeedButton* MakeButton(const char* Name, int X, int Group = 0) {
        auto* b = Make<TSpeedButton>(Name, X, 20, 23, 22);
        b->SetGroupIndex(Group);
        b->OnClick = [this, b](TObject*) { clicked.push_back(b->Name()); };
        return b;
    }
    std::vector<String> clicked;
};

TEST_F(SpeedButtonTest, AClickNeedsTheReleaseOnTheButtonAndTheFaceFollowsThePointer) {
    TSpeedButton* b = MakeButton("B", 20);
    ShowHost();
    Down(b, 10, 10);
    EXPECT_EQ(b->State(), bsDown);
    // Dragged off, the face comes up; back on, it goes down again.
    MoveOver(b, 60, 10);
    EXPECT_EQ(b->State(), bsUp);
    Up();
    EXPECT_TRUE(clicked.empty());
    Down(b, 10, 10);
    MoveOver(b, 12, 12);
    Up();
    EXPECT_EQ(clicked, std::vector<String>{"B"});
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_FALSE(b->Down()); // without a group a button never stays down
    // Disabled: no click.
    b->SetEnabled(false);
    ClickAt(b, 10, 10);
    EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(SpeedButtonTest, AGroupKeepsOneButtonDownUnlessAllMayBeUp) {
    TSpeedButton* a = MakeButton("A", 20, 1);
    TSpeedButton* b = MakeButton("B", 50, 1);
    TSpeedButton* other = MakeButton("Other", 80, 2);
    other->SetDown(true);
    ShowHost();
    ClickAt(a, 10, 10);
    EXPECT_TRUE(a->Down());
    ClickAt(b, 10, 10);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(other->Down()); // another group is left alone
    // Clicking the down button keeps it down, but still clicks.
    ClickAt(b, 10, 10);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicked, (std::vector<String>{"A", "B", "B"}));
    // With AllowAllUp (shared by the group) it comes up.
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    ClickAt(b, 10, 10);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());
}

TEST_F(SpeedButtonTest, AFlatButtonShowsARaisedEdgeOnlyWhileHotAndASunkenOneWhileDown) {
    TSpeedButton* b = MakeButton("B", 20, 1);
    b->SetFlat(true);
    b->SetBounds(20, 20, 30, 30);
    ShowHost();
    // At rest the button is just its parent's face.
    ExpectPixels(b, {{0, 0, clBtnFace}, {29, 29, clBtnFace}});
    MoveOver(b, 15, 15);
    EXPECT_TRUE(b->MouseInControl());
    // Raised: light top-left, dark bottom-right.
    ExpectPixels(b, {{0, 0, clBtnHighlight}, {29, 29, clBtnShadow}});
    MoveOver(b, 100, 100);
    EXPECT_EQ(At(b, 0, 0), Ref(clBtnFace));
    b->SetDown(true);
    // Sunken: dark top-left, light bottom-right.
    ExpectPixels(b, {{0, 0, clBtnShadow}, {29, 29, clBtnHighlight}});
}

TEST_F(SpeedButtonTest, TheGlyphSitsByLayoutAndMarginAndIsEmbossedWhenDisabled) {
    auto* b = Make<TSpeedButton>("B", 20, 20, 40, 30);
    TBitmap glyph(8, 8);
    // Black square with a one-pixel frame in the transparent colour (the bottom-left pixel's).
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(TRect{0, 0, 8, 8});
    glyph.Canvas()->Brush()->SetColor(clBlack);
    glyph.Canvas()->FillRect(TRect{1, 1, 7, 7});
    b->SetGlyph(&glyph);
    b->SetMargin(3);
    ShowHost();
    // Glyph left, margin 3 inside the one-pixel face border: the square starts at x = 1 + 3 + 1.
    EXPECT_EQ(At(b, 5, 15), Ref(clBlack));
    EXPECT_EQ(At(b, 4, 15), Ref(clBtnFace)); // the transparent frame shows the face
    b->SetLayout(blGlyphRight);
    ExpectPixels(b, {{40 - 1 - 3 - 2, 15, clBlack}, {5, 15, clBtnFace}});
    // Centred (margin -1): the square's middle at the button's middle.
    b->SetMargin(-1);
    EXPECT_EQ(At(b, 20, 15), Ref(clBlack));
    // Disabled with one image: shadow colour in place, highlight one pixel down and right.
    b->SetEnabled(false);
    EXPECT_EQ(At(b, 20, 15), Ref(clBtnShadow));
    TPoint lastInk{0, 0};
    for (int x = 2; x < 30; ++x) // inside the face's border
        if (At(b, x, 15) == Ref(clBtnShadow)) lastInk.X = x;
    EXPECT_EQ(At(b, lastInk.X + 1, 15), Ref(clBtnHighlight));
}

TEST_F(SpeedButtonTest, AWideGlyphHoldsSeveralImagesAndTheDownOneShowsWhilePressed) {
    auto* b = Make<TSpeedButton>("B", 20, 20, 23, 22);
    TBitmap strip(24, 8); // up: red, disabled: green, down: blue
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        strip.Canvas()->Brush()->SetColor(colours[i]);
        strip.Canvas()->FillRect(TRect{i * 8, 0, i * 8 + 8, 8});
    }
    strip.SetTransparentColor(clFuchsia);
    b->SetGlyph(&strip);
    EXPECT_EQ(b->NumGlyphs(), 3);
    b->SetNumGlyphs(7); // out of range: ignored
    EXPECT_EQ(b->NumGlyphs(), 3);
    ShowHost();
    EXPECT_EQ(At(b, 11, 11), Ref(clRed));
    Down(b, 11, 11);
    // Pressed, the content moves one pixel down and right.
    EXPECT_EQ(At(b, 12, 12), Ref(clBlue));
    Up();
    b->SetEnabled(false);
    EXPECT_EQ(At(b, 11, 11), Ref(clLime));
}

} // namespace
} // namespace stdtest
