// The edit: typing with MaxLength in characters, the password character, the caret and selection by keys
// and mouse, the clipboard, OnKeyDown / OnKeyPress swallowing keys, read-only mode, UTF-8 text.
// Labels: auto-size, word wrap, alignment and layout, transparency, and the accelerator that focuses the
// FocusControl. Images: where the picture goes for each combination of Stretch, Proportional and Center,
// and that it is drawn there.

#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/vcl/Bitmap.h"
#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class EditTest : public StdControlTest {
protected:
    TEdit* MakeEdit(const char* Name = "Edit1", int Y = 20) {
        auto* e = Make<TEdit>(Name, 20, Y, 200, 21);
        e->SetText("");
        e->OnChange = [this](TObject*) { ++changes; };
        return e;
    }
    // An edit on the shown host, holding the focus.
    TEdit* FocusedEdit() {
        TEdit* e = MakeEdit();
        ShowHost();
        e->SetFocus();
        return e;
    }
    // Pixels of the edit's text area, row by row.
    std::vector<win::COLORREF> TextPixels(TEdit* E) {
        std::vector<win::COLORREF> out;
        for (int y = 3; y < E->Height() - 3; ++y)
            for (int x = 3; x < E->Width() - 3; ++x)
                out.push_back(At(E, x, y));
        return out;
    }
    int changes = 0;
};

TEST_F(EditTest, TypingHonoursMaxLengthInCharacters) {
    TEdit* e = FocusedEdit();
    e->SetMaxLength(5);
    Type("h\xC3\xA9llo w\xC3\xB6rld"); // "héllo wörld"
    EXPECT_EQ(e->Text(), "h\xC3\xA9llo");
    EXPECT_EQ(e->SelStart(), 5);
    EXPECT_EQ(changes, 5);
    // Full: another character changes nothing and raises no OnChange.
    Type("x");
    EXPECT_EQ(e->Text(), "h\xC3\xA9llo");
    EXPECT_EQ(changes, 5);
    // Replacing a selection frees its room: two characters selected, three typed, two fit.
    e->SetSelStart(1);
    e->SetSelLength(2);
    EXPECT_EQ(e->SelText(), "\xC3\xA9l");
    Type("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"); // three euro signs
    EXPECT_EQ(e->Text(), "h\xE2\x82\xAC\xE2\x82\xAClo");
    // Text set by code is not cut.
    e->SetText("abcdefgh");
    EXPECT_EQ(e->Text(), "abcdefgh");
}

TEST_F(EditTest, CaretMovesAndDeletesWholeCharacters) {
    TEdit* e = FocusedEdit();
    Type("a\xC3\xA9\xE2\x82\xAC"); // a, é, €
    e->SetSelStart(3);
    e->SetSelLength(0);
    // A character beyond 16 bits arrives as one character.
    Type("\xF0\x9F\x98\x80");
    EXPECT_EQ(e->Text(), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    Press(win::VK_BACK);
    EXPECT_EQ(e->Text(), "a\xC3\xA9\xE2\x82\xAC");
    Press(win::VK_HOME);
    EXPECT_EQ(e->CaretPos(), 0);
    Press(win::VK_DELETE);
    EXPECT_EQ(e->Text(), "\xC3\xA9\xE2\x82\xAC");
    Press(win::VK_RIGHT);
    Press(win::VK_BACK);
    EXPECT_EQ(e->Text(), "\xE2\x82\xAC");
    Press(win::VK_BACK); // at the start: nothing to delete
    EXPECT_EQ(e->Text(), "\xE2\x82\xAC");
    Press(win::VK_END);
    Press(win::VK_DELETE); // at the end: nothing to delete
    EXPECT_EQ(e->Text(), "\xE2\x82\xAC");
    EXPECT_EQ(e->CaretPos(), 1);
}

TEST_F(EditTest, ShiftArrowsSelectAndTheClipboardCopiesCutsAndPastes) {
    TEdit* e = FocusedEdit();
    Type("hello world");
    Press(win::VK_HOME);
    for (int i = 0; i < 5; ++i)
        Chord({win::VK_SHIFT}, win::VK_RIGHT);
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_EQ(e->SelLength(), 5);
    EXPECT_EQ(e->SelText(), "hello");
    Chord({win::VK_CONTROL}, 'C');
    EXPECT_EQ(GetClipboardText(), "hello");
    // An arrow without Shift collapses the selection to its side.
    Press(win::VK_RIGHT);
    EXPECT_EQ(e->SelLength(), 0);
    EXPECT_EQ(e->CaretPos(), 5);
    Press(win::VK_END);
    Chord({win::VK_CONTROL}, 'V');
    EXPECT_EQ(e->Text(), "hello worldhello");
    // Shift+Home selects back to the start; Ctrl+X cuts it.
    Press(win::VK_LEFT);
    Chord({win::VK_SHIFT}, win::VK_HOME);
    EXPECT_EQ(e->SelText(), "hello worldhell");
    Chord({win::VK_CONTROL}, 'X');
    EXPECT_EQ(e->Text(), "o");
    EXPECT_EQ(GetClipboardText(), "hello worldhell");
    // A pasted line break ends the pasted text there (a single-line edit).
    SetClipboardText("one\r\ntwo");
    Chord({win::VK_CONTROL}, 'A');
    Chord({win::VK_CONTROL}, 'V');
    EXPECT_EQ(e->Text(), "one");
    // Pasting honours MaxLength.
    e->SetMaxLength(4);
    SetClipboardText("12345");
    Press(win::VK_END);
    Chord({win::VK_SHIFT}, win::VK_INSERT);
    EXPECT_EQ(e->Text(), "one1");
}

TEST_F(EditTest, PasswordCharacterIsDrawnNeverCopiedMayBeAnyCharacterAndIsReadFromLayouts) {
    TEdit* secret = MakeEdit("Secret", 20);
    TEdit* stars = MakeEdit("Stars", 60);
    TEdit* plain = MakeEdit("Plain", 100);
    secret->SetPasswordChar('*');
    secret->SetText("WWWW");
    stars->SetText("****");
    plain->SetText("WWWW");
    ShowHost();
    EXPECT_EQ(secret->Text(), "WWWW");
    // The password edit looks exactly like an edit holding the stars, not like the plain text.
    EXPECT_EQ(TextPixels(secret), TextPixels(stars));
    EXPECT_NE(TextPixels(secret), TextPixels(plain));
    // Copy and cut hand nothing out; cut leaves the text alone.
    SetClipboardText("before");
    secret->SetFocus();
    secret->SelectAll();
    Chord({win::VK_CONTROL}, 'C');
    Chord({win::VK_CONTROL}, 'X');
    EXPECT_EQ(GetClipboardText(), "before");
    EXPECT_EQ(secret->Text(), "WWWW");

    plain->SetFocus(); // no caret or selection in the edits compared
    secret->SetPasswordChar(U'\u2022');
    secret->SetText("pw\xC3\xB6rd");
    stars->SetText("\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2");
    // One bullet per character of the text, however many bytes the character takes.
    EXPECT_EQ(TextPixels(secret), TextPixels(stars));

    // A layout names the character by its code; it is written back the same way.
    TEdit* read = MakeEdit("Read", 140);
    vcl::ReadComponentFromText("object Read: TEdit\n  PasswordChar = #8226\nend\n", read, "edit.dfm");
    EXPECT_EQ(read->PasswordChar(), U'\u2022');
    EXPECT_NE(vcl::WriteComponentToText(read).find("PasswordChar = #8226"), String::npos);
    EXPECT_THROW(
        vcl::ReadComponentFromText("object Read: TEdit\n  PasswordChar = 'ab'\nend\n", read, "edit.dfm"),
        vcl::EReadError);
}

TEST_F(EditTest, KeyHandlersCanSwallowKeysAndCharacters) {
    TEdit* e = FocusedEdit();
    Type("abc");
    std::vector<Word> seen;
    e->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
        seen.push_back(Key);
        if (Key == win::VK_BACK || Key == win::VK_LEFT) Key = 0;
    };
    e->OnKeyPress = [&](TObject*, char32_t& Key) {
        if (Key == U'x') Key = 0;
        if (Key == U'a') Key = U'A';
    };
    Press(win::VK_BACK);
    Press(win::VK_LEFT);
    EXPECT_EQ(e->Text(), "abc");
    EXPECT_EQ(e->CaretPos(), 3);
    EXPECT_EQ(seen, (std::vector<Word>{win::VK_BACK, win::VK_LEFT}));
    Type("xa");
    EXPECT_EQ(e->Text(), "abcA");
    // Keys the handler lets through still work.
    Press(win::VK_HOME);
    EXPECT_EQ(e->CaretPos(), 0);
}

TEST_F(EditTest, ReadOnlyEditSelectsAndCopiesButDoesNotChange) {
    TEdit* e = MakeEdit();
    e->SetText("fixed");
    e->SetReadOnly(true);
    ShowHost();
    e->SetFocus();
    changes = 0;
    Type("zz");
    Press(win::VK_BACK);
    Press(win::VK_DELETE);
    SetClipboardText("paste");
    Chord({win::VK_CONTROL}, 'V');
    Chord({win::VK_CONTROL}, 'X');
    EXPECT_EQ(e->Text(), "fixed");
    EXPECT_EQ(changes, 0);
    Chord({win::VK_CONTROL}, 'A');
    Chord({win::VK_CONTROL}, 'C');
    EXPECT_EQ(GetClipboardText(), "fixed");
}

TEST_F(EditTest, MouseSetsCaretAndDragSelects) {
    TEdit* other = MakeEdit("Other", 60);
    TEdit* e = MakeEdit();
    e->SetText("iiiiiiiiii");
    ShowHost();
    other->SetFocus();
    // A click far right of the text puts the caret at the end and focuses without selecting everything.
    ClickAt(e, 190, 10);
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->CaretPos(), 10);
    EXPECT_EQ(e->SelLength(), 0);
    // A drag from the far left to the far right selects the whole text.
    Down(e, 1, 10);
    EXPECT_EQ(e->CaretPos(), 0);
    MoveOver(e, 195, 10);
    Up();
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_EQ(e->SelLength(), 10);
    // Tabbing in selects everything (AutoSelect).
    other->SetFocus();
    e->SetSelStart(2);
    Press(win::VK_TAB);
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->SelLength(), 10);
}

TEST_F(EditTest, TextSetByCodeRaisesOnChangeOnlyWhenItDiffers) {
    TEdit* e = MakeEdit();
    changes = 0;
    e->SetText("one");
    e->SetText("one");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(e->SelStart(), 0);
    e->SetSelStart(99);
    EXPECT_EQ(e->SelStart(), 3);
    e->SetSelText("!");
    EXPECT_EQ(e->Text(), "one!");
    EXPECT_EQ(changes, 2);
    e->Clear();
    EXPECT_EQ(e->Text(), "");
}

// The columns of the edit's text area where two pictures of it differ.
std::vector<int> ChangedColumns(const std::vector<win::COLORREF>& A, const std::vector<win::COLORREF>& B,
                                int Width) {
    std::vector<int> cols;
    for (std::size_t i = 0; i < A.size() && i < B.size(); ++i) {
        int col = static_cast<int>(i) % Width;
        if (A[i] != B[i] && std::find(cols.begin(), cols.end(), col) == cols.end()) cols.push_back(col);
    }
    std::sort(cols.begin(), cols.end());
    return cols;
}

TEST_F(EditTest, TheCaretBlinksShowsAtOnceAfterKeysAndClicksAndGoesWithTheFocus) {
    TEdit* other = MakeEdit("Other", 60);
    TEdit* e = FocusedEdit();
    Type("ab");
    const int width = e->Width() - 6; // TextPixels' columns
    auto on = TextPixels(e);
    screen->Advance(win::GetCaretBlinkTime());
    auto off = TextPixels(e);
    // One column blinks, right of the text's ink: the caret after "ab".
    std::vector<int> blinking = ChangedColumns(on, off, width);
    ASSERT_EQ(blinking.size(), 1u);
    int lastInk = -1;
    for (std::size_t i = 0; i < off.size(); ++i)
        if (IsInk(off[i])) lastInk = std::max(lastInk, static_cast<int>(i) % width);
    EXPECT_GT(blinking[0], lastInk);
    screen->Advance(win::GetCaretBlinkTime());
    EXPECT_EQ(TextPixels(e), on) << "on again after another blink time";

    // In the off phase a key shows the caret at once, at its new place (one character to the left).
    screen->Advance(win::GetCaretBlinkTime());
    ASSERT_EQ(TextPixels(e), off);
    Press(win::VK_LEFT);
    std::vector<int> moved = ChangedColumns(TextPixels(e), off, width);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_LT(moved[0], blinking[0]);
    // So does a click (here at the end of the text again).
    screen->Advance(win::GetCaretBlinkTime());
    ClickAt(e, 190, 10);
    EXPECT_EQ(TextPixels(e), on);

    // Without the focus there is no caret, and nothing blinks.
    other->SetFocus();
    Pump();
    auto unfocused = TextPixels(e);
    EXPECT_EQ(unfocused, off);
    screen->Advance(win::GetCaretBlinkTime());
    EXPECT_EQ(TextPixels(e), unfocused);
    // The other edit blinks now.
    auto otherOn = TextPixels(other);
    screen->Advance(win::GetCaretBlinkTime());
    EXPECT_NE(TextPixels(other), otherOn);
}

TEST_F(EditTest, UndoTakesBackTheLastStepAndUndoingAgainBringsItBack) {
    TEdit* e = FocusedEdit();
    EXPECT_FALSE(e->CanUndo());
    // A run of typed characters is one step.
    Type("hello world");
    EXPECT_TRUE(e->CanUndo());
    changes = 0;
    Chord({win::VK_CONTROL}, 'Z');
    EXPECT_EQ(e->Text(), "");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(e->Modified());
    Chord({win::VK_CONTROL}, 'Z');
    EXPECT_EQ(e->Text(), "hello world");
    EXPECT_EQ(e->CaretPos(), 11);

    // A run of Backspace presses is one step, apart from the typing before it.
    Press(win::VK_BACK);
    Press(win::VK_BACK);
    Press(win::VK_BACK);
    EXPECT_EQ(e->Text(), "hello wo");
    Chord({win::VK_CONTROL}, 'Z');
    EXPECT_EQ(e->Text(), "hello world");
    // Typing after the caret moved starts a new step.
    Press(win::VK_HOME);
    Type("a");
    Press(win::VK_END);
    Type("z");
    Chord({win::VK_CONTROL}, 'Z');
    EXPECT_EQ(e->Text(), "ahello world");
    // Delete presses in a row are one step too.
    Press(win::VK_HOME);
    Press(win::VK_DELETE);
    Press(win::VK_DELETE);
    EXPECT_EQ(e->Text(), "ello world");
    Chord({win::VK_CONTROL}, 'Z');
    EXPECT_EQ(e->Text(), "ahello world");

    // A cut is a step; undoing it brings the text back selected.
    e->SetSelStart(1);
    e->SetSelLength(5);
    Chord({win::VK_CONTROL}, 'X');
    EXPECT_EQ(e->Text(), "a world");
    Chord({win::VK_CONTROL}, 'Z');
    EXPECT_EQ(e->Text(), "ahello world");
    EXPECT_EQ(e->SelText(), "hello");
    // So is each paste, and typing over a selection.
    SetClipboardText("XY");
    Press(win::VK_END);
    Chord({win::VK_CONTROL}, 'V');
    Chord({win::VK_CONTROL}, 'V');
    EXPECT_EQ(e->Text(), "ahello worldXYXY");
    Chord({win::VK_CONTROL}, 'Z');
    EXPECT_EQ(e->Text(), "ahello worldXY");
    Press(win::VK_BACK);
    Press(win::VK_BACK);
    EXPECT_EQ(e->Text(), "ahello world");
    Chord({win::VK_CONTROL}, 'A');
    Type("q");
    EXPECT_EQ(e->Text(), "q");
    Chord({win::VK_CONTROL}, 'Z');
    EXPECT_EQ(e->Text(), "ahello world");

    // The messages: EM_CANUNDO, EM_UNDO (undoing again redoes), EM_EMPTYUNDOBUFFER.
    win::HWND h = e->Handle();
    EXPECT_EQ(win::SendMessage(h, win::EM_CANUNDO, 0, 0), 1);
    EXPECT_EQ(win::SendMessage(h, win::EM_UNDO, 0, 0), 1);
    EXPECT_EQ(e->Text(), "q");
    win::SendMessage(h, win::EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_FALSE(e->CanUndo());
    EXPECT_EQ(win::SendMessage(h, win::EM_UNDO, 0, 0), 0);
    Chord({win::VK_CONTROL}, 'Z');
    EXPECT_EQ(e->Text(), "q");

    // Text set by code cannot be undone and empties the undo.
    Type("r");
    ASSERT_TRUE(e->CanUndo());
    e->SetText("code");
    EXPECT_FALSE(e->CanUndo());
    Press(win::VK_END);
    Type("s");
    e->SetSelText("!");
    EXPECT_FALSE(e->CanUndo());
    EXPECT_EQ(e->Text(), "codes!");
    // A read-only edit undoes nothing.
    Type("t");
    e->SetReadOnly(true);
    e->Undo();
    EXPECT_EQ(e->Text(), "codes!t");
}

class EditLabeledTest : public StdControlTest {};

TEST_F(EditLabeledTest, LabelStaysBesideTheEdit) {
    auto* e = Make<TLabeledEdit>("LE", 100, 100, 120, 21);
    TBoundLabel* l = e->EditLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), host.get());
    l->SetCaption("User name:");
    // Above by default, 3 pixels apart.
    EXPECT_EQ(l->Left(), 100);
    EXPECT_EQ(l->Top() + l->Height() + 3, 100);
    e->SetLabelPosition(lpLeft);
    e->SetLabelSpacing(5);
    EXPECT_EQ(l->Left() + l->Width() + 5, 100);
    EXPECT_EQ(l->Top(), 100 + (21 - l->Height()) / 2);
    // A longer caption keeps the gap on the left side.
    l->SetCaption("A much longer user name:");
    EXPECT_EQ(l->Left() + l->Width() + 5, 100);
    e->SetLabelPosition(lpRight);
    EXPECT_EQ(l->Left(), 100 + 120 + 5);
    e->SetLabelPosition(lpBelow);
    EXPECT_EQ(l->Top(), 100 + 21 + 5);
    // Moving the edit moves the label.
    e->SetBounds(150, 120, 120, 21);
    EXPECT_EQ(l->Left(), 150);
    EXPECT_EQ(l->Top(), 120 + 21 + 5);
    // Visibility and enabled state follow the edit.
    e->SetVisible(false);
    EXPECT_FALSE(l->Visible());
    e->SetVisible(true);
    e->SetEnabled(false);
    EXPECT_FALSE(l->Enabled());
}

TEST_F(EditLabeledTest, LabelAcceleratorFocusesItsEdit) {
    auto* first = Make<TEdit>("First", 20, 20, 100, 21);
    auto* e = Make<TLabeledEdit>("LE", 100, 100, 120, 21);
    e->EditLabel()->SetCaption("&Password:");
    e->SetPasswordChar('*');
    e->SetMaxLength(4);
    ShowHost();
    first->SetFocus();
    Chord({win::VK_MENU}, 'P');
    EXPECT_TRUE(e->Focused());
    Type("123456");
    EXPECT_EQ(e->Text(), "1234");
    // Freeing the edit frees its label with it.
    FreeComponent(e);
    EXPECT_EQ(host->ControlCount(), 1);
}

class LabelTest : public StdControlTest {
protected:
    // Columns of the label holding dark (text) pixels: first and last.
    std::pair<int, int> InkColumns(TLabel* L) {
        int first = -1, last = -1;
        for (int x = 0; x < L->Width(); ++x)
            for (int y = 0; y < L->Height(); ++y)
                if (IsInk(At(L, x, y))) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }
};

TEST_F(LabelTest, AutoSizeFollowsTheCaption) {
    auto* l = Make<TLabel>("L", 10, 10, 200, 50);
    l->SetCaption("Short");
    int shortWidth = l->Width();
    int lineHeight = l->Height();
    EXPECT_GT(shortWidth, 10);
    EXPECT_GT(lineHeight, 5);
    l->SetCaption("A much longer caption");
    EXPECT_GT(l->Width(), shortWidth);
    EXPECT_EQ(l->Height(), lineHeight);
    // "&" marks an accelerator and takes no room; with ShowAccelChar off it is shown.
    l->SetCaption("&Short");
    EXPECT_EQ(l->Width(), shortWidth);
    l->SetShowAccelChar(false);
    EXPECT_GT(l->Width(), shortWidth);
    // An empty caption keeps one line's height.
    l->SetCaption("");
    EXPECT_EQ(l->Height(), lineHeight);
    // Word wrap keeps the width and grows downwards.
    l->SetCaption("one two three four five six seven eight nine ten");
    l->SetWordWrap(true);
    l->SetWidth(60);
    l->AdjustBounds();
    EXPECT_EQ(l->Width(), 60);
    EXPECT_GT(l->Height(), 2 * lineHeight);
    // Without AutoSize nothing moves.
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 33, 44);
    l->SetCaption("x");
    EXPECT_EQ(l->BoundsRect(), (TRect{10, 10, 43, 54}));
}

TEST_F(LabelTest, AlignmentLayoutAndTransparency) {
    auto* l = Make<TLabel>("L", 10, 10, 200, 40);
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 200, 40);
    l->SetCaption("III");
    l->SetColor(clWhite);
    ShowHost();
    auto left = InkColumns(l);
    ASSERT_GE(left.first, 0);
    EXPECT_LT(left.first, 5);
    l->SetAlignment(taRightJustify);
    auto right = InkColumns(l);
    EXPECT_GT(right.second, 190);
    l->SetAlignment(taCenter);
    auto centre = InkColumns(l);
    EXPECT_NEAR((centre.first + centre.second) / 2, 100, 4);
    // Layout moves the text down.
    auto inkRow = [&]() {
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x)
                if (IsInk(At(l, x, y))) return y;
        return -1;
    };
    int top = inkRow();
    l->SetLayout(tlBottom);
    EXPECT_GT(inkRow(), top + 15);
    // Opaque labels fill with their colour; transparent ones show the parent.
    ExpectPixels(l, {{2, 2, clWhite}});
    l->SetTransparent(true);
    ExpectPixels(l, {{2, 2, clBtnFace}});
}

TEST_F(LabelTest, AcceleratorFocusesTheFocusControl) {
    auto* button = Make<TButton>("B", 10, 100, 75, 25);
    auto* edit = Make<TEdit>("E", 100, 10, 100, 21);
    auto* l = Make<TLabel>("L", 10, 10, 60, 13);
    l->SetCaption("&Name:");
    l->SetFocusControl(edit);
    ShowHost();
    button->SetFocus();
    Chord({win::VK_MENU}, 'N');
    EXPECT_TRUE(edit->Focused());
    // Another letter does nothing; a disabled target cannot take the focus.
    button->SetFocus();
    Chord({win::VK_MENU}, 'X');
    EXPECT_TRUE(button->Focused());
    edit->SetEnabled(false);
    Chord({win::VK_MENU}, 'N');
    EXPECT_TRUE(button->Focused());
    // Freeing the target clears the reference.
    edit->SetEnabled(true);
    FreeComponent(edit);
    EXPECT_EQ(l->FocusControl(), nullptr);
    Chord({win::VK_MENU}, 'N');
    EXPECT_TRUE(button->Focused());
}

class ImageTest : public StdControlTest {
protected:
    TImage* MakeImage(int PicW, int PicH, int W = 100, int H = 50) {
        auto* img = Make<TImage>("Img", 10, 10, W, H);
        TBitmap bmp;
        bmp.SetSize(PicW, PicH);
        bmp.Canvas()->Brush()->SetColor(clRed);
        bmp.Canvas()->FillRect(TRect{0, 0, PicW, PicH});
        img->Picture()->SetGraphic(&bmp);
        return img;
    }
};

TEST_F(ImageTest, DestinationRectangle) {
    TImage* img = MakeImage(20, 10);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 20, 10}));
    img->SetCenter(true);
    EXPECT_EQ(img->DestRect(), (TRect{40, 20, 60, 30}));
    // Proportional alone never enlarges.
    img->SetProportional(true);
    EXPECT_EQ(img->DestRect(), (TRect{40, 20, 60, 30}));
    // Stretch fills; with Proportional it keeps 2:1 inside 100 x 50.
    img->SetCenter(false);
    img->SetProportional(false);
    img->SetStretch(true);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 100, 50}));
    img->SetProportional(true);
    img->SetBounds(10, 10, 100, 80);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 100, 50}));
    img->SetCenter(true);
    EXPECT_EQ(img->DestRect(), (TRect{0, 15, 100, 65}));
}

TEST_F(ImageTest, ProportionalShrinksLargePictures) {
    // Taller than wide, larger than the control: the height decides.
    TImage* img = MakeImage(40, 200, 100, 50);
    img->SetProportional(true);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 10, 50}));
    // Wider than tall but the height still limits.
    TBitmap wide;
    wide.SetSize(300, 200);
    img->Picture()->SetGraphic(&wide);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 75, 50}));
    // An empty picture has no extent.
    img->Picture()->SetGraphic(nullptr);
    EXPECT_EQ(img->DestRect(), (TRect{0, 0, 0, 0}));
}

TEST_F(ImageTest, PictureIsDrawnStretched) {
    host->SetColor(clWhite);
    TImage* img = MakeImage(4, 2);
    ShowHost();
    ExpectPixels(img, {{1, 1, clRed}, {10, 5, clWhite}});
    img->SetStretch(true);
    ExpectPixels(img, {{99, 49, clRed}, {50, 25, clRed}});
    img->SetProportional(true);
    img->SetCenter(true);
    img->SetBounds(10, 10, 100, 100);
    // 2:1 in 100 x 100: rows 25 to 74.
    ExpectPixels(img, {{50, 20, clWhite}, {50, 30, clRed}, {50, 80, clWhite}});
    // AutoSize takes the picture's size.
    img->SetAutoSize(true);
    EXPECT_EQ(img->Width(), 4);
    EXPECT_EQ(img->Height(), 2);
}

} // namespace
} // namespace stdtest
