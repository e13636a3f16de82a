#pragma once
// TEdit: a single-line text box drawn by us: caret, selection (mouse, Shift with the arrows, Home and End),
// Backspace and Delete, the clipboard (Ctrl+C / Ctrl+X / Ctrl+V, Ctrl+Insert / Shift+Delete /
// Shift+Insert), Ctrl+A to select everything, MaxLength in characters, a password character, read-only
// mode. Positions (SelStart, SelLength) count characters of the UTF-8 text, never bytes.
//
// The caret is the window system's (it blinks, and tells an input method where text goes in): made when
// the edit takes the focus, destroyed when it loses it.
//
// Undo is single-level, as the platform's edit has it: Ctrl+Z (or Undo, EM_UNDO, WM_UNDO) takes back the
// last step, and undoing again brings it back. A run of typed characters is one step, as is a run of
// Backspace or Delete presses without the caret moved between; a cut, a paste or a deletion of a selection
// is a step of its own. Text set by code (Text, SelText) cannot be undone and empties the undo.
//
// The clipboard is the display backend's: kept inside the process offscreen, the desktop's under GTK.
//
// OnChange runs after every change of the text, by the user or by code. OnKeyDown sees each key before
// the edit does: setting the key to 0 swallows it; OnKeyPress does the same for characters.
//
// The edit answers the platform's edit messages: WM_UNDO / EM_UNDO, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR
// (nothing in read-only mode) and EM_SETSEL (start and end in characters; end -1 for the end of the text,
// start -1 to deselect; the caret goes to the end).
//
// Its own context menu (a right click, Shift+F10 or the Menu key: WM_CONTEXTMENU) offers Undo, Cut, Copy,
// Paste, Delete and Select All, each enabled as the edit's state allows, and sends the message of the
// item chosen. OnContextPopup sees the request first; a PopupMenu set on the edit (AutoPopup) is shown
// instead.

#include "platform/vcl/Label.h"

namespace vcl {

namespace stdctrls {
// The height of a line of text in a font (its text metrics' height).
int TextLineHeight(TFont* Font);
} // namespace stdctrls

// The clipboard's text (UTF-8), through the active display backend.
String GetClipboardText();
void SetClipboardText(const String& Text);

class TCustomEdit : public TCustomControl {
    KV_CLASS(TCustomEdit, TCustomControl)
    KV_PUBLISHED_PROPERTIES(TCustomEdit)
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    // 0: no limit. Counted in characters; text set by code is not cut.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    // '\0': the text is shown as it is; otherwise each character is shown as this one.
    // The character shown in place of each character of the text (0: the text itself).
    char32_t PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char32_t Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

    // The selection, in characters. SelStart is the caret's position when nothing is selected.
    int SelStart() const { return FSelStart; }
    void SetSelStart(int Value);
    int SelLength() const { return FSelLength; }
    void SetSelLength(int Value);
    String SelText() const;
    // Replaces the selection with Value (as typing would, but without MaxLength).
    void SetSelText(const String& Value);
    void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Clear() { SetText(""); }
    bool CanUndo() const { return FCanUndo; }
    void Undo();
    void ClearUndo();
    // The caret's character position.
    int CaretPos() const { return FCaret; }

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoEnter() override;
    void DoExit() override;
    // Whether a context menu request at ClientPos (ByKeyboard: at the caret) opens the edit's own menu.
    virtual bool EditMenuAt(TPoint /*ClientPos*/, bool /*ByKeyboard*/) { return true; }
    String GetTextValue() override { return FEditText; }
    void SetTextValue(const String& Value) override;
    virtual void Change();
    // The edit's own handling of a key (after OnKeyDown); sets Key to 0 when it used it.
    void EditKeyDown(Word& Key, TShiftState Shift);
    // Where the text is shown, in client coordinates (inside the border).
    virtual TRect EditRect();
    // Whether the edit shows a caret while it has the focus (a box that only chooses from a list has none).
    virtual bool WantsCaret() { return true; }
    // Moves the caret; with Extend the selection grows from its anchor.
    void MoveCaret(int Pos, bool Extend);
    int Length() const;

    String FEditText;

private:
    // The text as shown (password characters in place of the text).
    String DisplayText() const;
    // The x of the left edge of character Index, in client coordinates (scrolling included).
    int CharX(int Index);
    int CharAtX(int X);
    void MakeCaretVisible();
    // How a change of the user's is undone: as a step of a run (Typing, Deleting), a step of its own, or
    // (by code) not at all; Noted: the caller kept the text for undo already.
    enum class TUndoStep { Typing, Deleting, Single, None, Noted };
    // Replaces the selection with Text, honouring MaxLength when Typed; false when nothing changed.
    bool ReplaceSelection(const String& Text, bool Typed, TUndoStep Step);
    void DeleteSelectionOr(int Direction);
    // Keeps the text as it is before a change, unless the change goes on the run of the last one.
    void NoteUndo(TUndoStep Step, bool GoesOn);
    bool RunGoesOn(TUndoStep Step) const;
    int CaretHeight();
    void MakeCaret();
    // EM_SETSEL: Start -1 deselects; End -1 is the end of the text.
    void SetSelection(int Start, int End);
    void WMContextMenu(TMessage& Message);
    // Tracks the edit's own menu at Screen and sends the message of the item chosen.
    void ShowEditMenu(TPoint Screen);
    // Puts the window system's caret where the caret position shows, while the edit has it.
    void UpdateCaret();

    int FMaxLength = 0;
    char32_t FPasswordChar = 0;
    bool FReadOnly = false;
    bool FAutoSelect = true;
    bool FHideSelection = true;
    bool FModified = false;
    int FSelStart = 0;  // first selected character
    int FSelLength = 0; // selected characters
    int FCaret = 0;     // caret position (one end of the selection)
    int FAnchor = 0;    // the other end of the selection
    int FScrollX = 0;   // pixels the text is scrolled to the left
    bool FHasCaret = false;
    // Undo: the text and selection before the last step, and the run it may go on.
    bool FCanUndo = false;
    String FUndoText;
    int FUndoCaret = 0;
    int FUndoAnchor = 0;
    TUndoStep FUndoRun = TUndoStep::Single;
    int FUndoRunEnd = 0; // the caret after the run's last step
};

class TEdit : public TCustomEdit {
    KV_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

} // namespace vcl
