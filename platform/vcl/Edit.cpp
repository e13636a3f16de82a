#include "platform/vcl/Edit.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/backend/Backend.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Menu.h"
#include "platform/win/Gdi.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"
#include "platform/win/WinUser.h"

namespace vcl {

KV_PUBLISHED(TCustomEdit) {
    p.Default("TabStop", true);
    p.Default("ParentColor", false);
    p.Default("Cursor", crIBeam);
    p.Str("Text", &TCustomEdit::Text, &TCustomEdit::SetText);
    p.Int("MaxLength", &TCustomEdit::FMaxLength, &TCustomEdit::SetMaxLength, 0);
    p.Char("PasswordChar", &TCustomEdit::FPasswordChar, &TCustomEdit::SetPasswordChar, U'\0');
    p.Bool("ReadOnly", &TCustomEdit::FReadOnly, &TCustomEdit::SetReadOnly, false);
    p.Bool("AutoSelect", &TCustomEdit::FAutoSelect, &TCustomEdit::SetAutoSelect, true);
    p.Bool("HideSelection", &TCustomEdit::FHideSelection, &TCustomEdit::SetHideSelection, true);
    p.Event("OnChange", &TCustomEdit::OnChange);
}

KV_REGISTER_CLASS(TEdit)

String GetClipboardText() {
    return backend::GetBackend().GetClipboardText();
}

void SetClipboardText(const String& Text) {
    backend::GetBackend().SetClipboardText(Text);
}

namespace {

constexpr int kBorder = 2; // the sunken edge
constexpr int kMargin = 2; // between the edge and the text

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The byte offset of character Index (clamped to the end).
std::size_t ByteOffset(const String& S, int Index) {
    std::size_t i = 0;
    for (int n = 0; n < Index && i < S.size(); ++n) {
        ++i;
        while (i < S.size() && IsContinuation(static_cast<unsigned char>(S[i])))
            ++i;
    }
    return i;
}

int CharCount(const String& S) {
    int n = 0;
    for (unsigned char c : S)
        if (!IsContinuation(c)) ++n;
    return n;
}

String CharsSlice(const String& S, int From, int Count) {
    std::size_t a = ByteOffset(S, From);
    std::size_t b = ByteOffset(S, From + Count);
    return S.substr(a, b - a);
}

// A single line: line breaks pasted into the edit end the text there, as the system's edit does.
String FirstLine(const String& S) {
    std::size_t cut = S.find_first_of("\r\n");
    return cut == String::npos ? S : S.substr(0, cut);
}

int MeasureWidth(TFont* Font, const String& Text) {
    if (Text.empty()) return 0;
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, Font->Handle());
    win::SIZE size{};
    win::GetTextExtentPoint32(dc, Text.c_str(), static_cast<int>(Text.size()), &size);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    return size.cx;
}

bool IsWordChar(const String& S, int Index) {
    String c = CharsSlice(S, Index, 1);
    if (c.empty()) return false;
    unsigned char b = static_cast<unsigned char>(c[0]);
    return b >= 0x80 || std::isalnum(b) || b == '_';
}

} // namespace

int stdctrls::TextLineHeight(TFont* Font) {
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, Font->Handle());
    win::TEXTMETRIC tm{};
    win::GetTextMetrics(dc, &tm);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    return tm.tmHeight;
}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight, csCaptureMouse};
    FColor = clWindow;
    FParentColor = false;
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    SetCursor(crIBeam);
}

TCustomEdit::~TCustomEdit() = default;

int TCustomEdit::Length() const {
    return CharCount(FEditText);
}

String TCustomEdit::DisplayText() const {
    if (FPasswordChar == 0) return FEditText;
    String mask = Utf8Encode(FPasswordChar);
    String shown;
    shown.reserve(mask.size() * static_cast<std::size_t>(Length()));
    for (int i = 0; i < Length(); ++i)
        shown += mask;
    return shown;
}

TRect TCustomEdit::EditRect() {
    TRect r = ClientRect();
    r.Left += kBorder + kMargin;
    r.Right -= kBorder + kMargin;
    r.Top += kBorder + 1;
    r.Bottom -= kBorder;
    return r;
}

int TCustomEdit::CharX(int Index) {
    String shown = DisplayText();
    int x = MeasureWidth(Font(), shown.substr(0, ByteOffset(shown, Index)));
    return EditRect().Left + x - FScrollX;
}

int TCustomEdit::CharAtX(int X) {
    String shown = DisplayText();
    int n = CharCount(shown);
    int target = X - EditRect().Left + FScrollX;
    int prev = 0;
    for (int i = 1; i <= n; ++i) {
        int w = MeasureWidth(Font(), shown.substr(0, ByteOffset(shown, i)));
        // Past the middle of character i-1: the caret goes after it.
        if (target < (prev + w + 1) / 2) return i - 1;
        prev = w;
    }
    return n;
}

void TCustomEdit::MakeCaretVisible() {
    int width = std::max(0, EditRect().Width());
    String shown = DisplayText();
    int caretX = MeasureWidth(Font(), shown.substr(0, ByteOffset(shown, FCaret)));
    if (caretX - FScrollX > width - 1) FScrollX = caretX - width + 1 + width / 4;
    if (caretX < FScrollX) FScrollX = std::max(0, caretX - width / 4);
    int total = MeasureWidth(Font(), shown);
    if (FScrollX > 0 && total - FScrollX < width - 1) FScrollX = std::max(0, total - width + 1);
}

void TCustomEdit::MoveCaret(int Pos, bool Extend) {
    Pos = std::clamp(Pos, 0, Length());
    FCaret = Pos;
    if (!Extend) FAnchor = Pos;
    FSelStart = std::min(FCaret, FAnchor);
    FSelLength = std::abs(FCaret - FAnchor);
    MakeCaretVisible();
    Invalidate();
    UpdateCaret();
}

int TCustomEdit::CaretHeight() {
    TRect text = EditRect();
    return std::max(1, std::min(text.Height(), stdctrls::TextLineHeight(Font())));
}

void TCustomEdit::MakeCaret() {
    if (FHasCaret) win::DestroyCaret();
    FHasCaret = win::CreateCaret(WindowHandle(), nullptr, 1, CaretHeight());
    UpdateCaret();
    if (FHasCaret) win::ShowCaret(WindowHandle());
}

void TCustomEdit::UpdateCaret() {
    if (FHasCaret) win::SetCaretPos(CharX(FCaret), EditRect().Top);
}

void TCustomEdit::SetSelStart(int Value) {
    MoveCaret(Value, false);
}

void TCustomEdit::SetSelLength(int Value) {
    int end = std::clamp(FSelStart + std::max(0, Value), 0, Length());
    FAnchor = FSelStart;
    MoveCaret(end, true);
}

String TCustomEdit::SelText() const {
    return CharsSlice(FEditText, FSelStart, FSelLength);
}

void TCustomEdit::SetSelText(const String& Value) {
    ReplaceSelection(Value, false, TUndoStep::None);
}

void TCustomEdit::SelectAll() {
    FAnchor = 0;
    MoveCaret(Length(), true);
}

void TCustomEdit::ClearSelection() {
    if (!FReadOnly && FSelLength > 0) ReplaceSelection("", false, TUndoStep::Single);
}

void TCustomEdit::SetSelection(int Start, int End) {
    if (Start < 0) {
        MoveCaret(FCaret, false);
        return;
    }
    FAnchor = std::min(Start, Length());
    MoveCaret(End < 0 ? Length() : End, true);
}

bool TCustomEdit::RunGoesOn(TUndoStep Step) const {
    const bool run = Step == TUndoStep::Typing || Step == TUndoStep::Deleting;
    return run && FCanUndo && FUndoRun == Step && FSelLength == 0 && FCaret == FUndoRunEnd;
}

void TCustomEdit::NoteUndo(TUndoStep Step, bool GoesOn) {
    if (Step == TUndoStep::None) {
        ClearUndo();
        return;
    }
    if (!GoesOn) {
        FUndoText = FEditText;
        FUndoCaret = FCaret;
        FUndoAnchor = FAnchor;
        FCanUndo = true;
    }
    FUndoRun = Step;
}

bool TCustomEdit::ReplaceSelection(const String& Text, bool Typed, TUndoStep Step) {
    const bool goesOn = RunGoesOn(Step);
    String insert = FirstLine(Text);
    if (Typed && FMaxLength > 0) {
        int room = FMaxLength - (Length() - FSelLength);
        if (room <= 0) {
            insert.clear();
        } else if (CharCount(insert) > room) {
            insert = CharsSlice(insert, 0, room);
        }
        // Nothing fits: the text and the selection stay as they are.
        if (insert.empty() && !Text.empty()) {
            win::MessageBeep(0);
            return false;
        }
    }
    if (insert.empty() && FSelLength == 0) return false;
    if (Step != TUndoStep::Noted) NoteUndo(Step, goesOn);
    std::size_t a = ByteOffset(FEditText, FSelStart);
    std::size_t b = ByteOffset(FEditText, FSelStart + FSelLength);
    FEditText.replace(a, b - a, insert);
    int caret = FSelStart + CharCount(insert);
    FAnchor = caret;
    MoveCaret(caret, false);
    FUndoRunEnd = caret;
    FModified = true;
    Change();
    return true;
}

void TCustomEdit::DeleteSelectionOr(int Direction) {
    if (FReadOnly) return;
    if (FSelLength > 0) {
        ReplaceSelection("", false, TUndoStep::Single);
        return;
    }
    int target = FCaret + Direction;
    if (target < 0 || target > Length()) return;
    // A run of presses is one step: whether it goes on is asked before the character is selected.
    const bool goesOn = RunGoesOn(TUndoStep::Deleting);
    FAnchor = FCaret;
    FCaret = target;
    FSelStart = std::min(FCaret, FAnchor);
    FSelLength = 1;
    NoteUndo(TUndoStep::Deleting, goesOn);
    ReplaceSelection("", false, TUndoStep::Noted);
}

void TCustomEdit::Undo() {
    if (!FCanUndo || FReadOnly) return;
    // The text before the step and the text now change places: undoing again brings the step back.
    std::swap(FEditText, FUndoText);
    int caret = std::exchange(FUndoCaret, FCaret);
    int anchor = std::exchange(FUndoAnchor, FAnchor);
    FUndoRun = TUndoStep::Single;
    FAnchor = std::clamp(anchor, 0, Length());
    MoveCaret(caret, true);
    FModified = true;
    Change();
}

void TCustomEdit::ClearUndo() {
    FCanUndo = false;
    FUndoText.clear();
    FUndoRun = TUndoStep::Single;
}

void TCustomEdit::CopyToClipboard() {
    // A password is never handed out.
    if (FPasswordChar != 0 || FSelLength == 0) return;
    SetClipboardText(SelText());
}

void TCustomEdit::CutToClipboard() {
    if (FPasswordChar != 0 || FReadOnly || FSelLength == 0) return;
    SetClipboardText(SelText());
    ReplaceSelection("", false, TUndoStep::Single);
}

void TCustomEdit::PasteFromClipboard() {
    if (FReadOnly) return;
    ReplaceSelection(GetClipboardText(), true, TUndoStep::Single);
}

void TCustomEdit::SetTextValue(const String& Value) {
    String line = Value;
    if (line == FEditText) return;
    FEditText = line;
    FScrollX = 0;
    FAnchor = 0;
    FCaret = 0;
    FSelStart = 0;
    FSelLength = 0;
    FModified = false;
    ClearUndo();
    Invalidate();
    UpdateCaret();
    Change();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::SetMaxLength(int Value) {
    FMaxLength = std::max(0, Value);
}

void TCustomEdit::SetPasswordChar(char32_t Value) {
    if (FPasswordChar == Value) return;
    FPasswordChar = Value;
    FScrollX = 0;
    MakeCaretVisible();
    Invalidate();
    UpdateCaret();
}

void TCustomEdit::SetReadOnly(bool Value) {
    FReadOnly = Value;
}

void TCustomEdit::SetHideSelection(bool Value) {
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    Invalidate();
}

void TCustomEdit::Paint() {
    TCanvas* c = Canvas();
    stdctrls::DrawSunkenField(c, ClientRect(), Color(), Enabled());

    TRect text = EditRect();
    c->Font()->Assign(Font());
    String shown = DisplayText();
    int lineHeight = c->TextHeight("Wg");
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    c->TextRect(text, text.Left - FScrollX, text.Top, shown);
    bool focused = Focused();
    if (FSelLength > 0 && (focused || !FHideSelection)) {
        TRect sel{std::max(text.Left, CharX(FSelStart)), text.Top,
                  std::min(text.Right, CharX(FSelStart + FSelLength)),
                  std::min(text.Bottom, text.Top + lineHeight)};
        if (sel.Right > sel.Left) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(focused ? clHighlight : clBtnFace);
            c->Font()->SetColor(focused ? clHighlightText : clWindowText);
            c->TextRect(sel, CharX(FSelStart), text.Top, CharsSlice(shown, FSelStart, FSelLength));
        }
    }
}

void TCustomEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_GETDLGCODE:
        Message.Result = win::DLGC_WANTARROWS | win::DLGC_WANTCHARS | win::DLGC_HASSETSEL;
        return;
    case win::EM_CANUNDO:
        Message.Result = FCanUndo ? 1 : 0;
        return;
    case win::EM_UNDO:
    case win::WM_UNDO:
        Message.Result = FCanUndo && !FReadOnly ? 1 : 0;
        Undo();
        return;
    case win::EM_EMPTYUNDOBUFFER:
        ClearUndo();
        return;
    case win::WM_CUT:
        CutToClipboard();
        return;
    case win::WM_COPY:
        CopyToClipboard();
        return;
    case win::WM_PASTE:
        PasteFromClipboard();
        return;
    case win::WM_CLEAR:
        ClearSelection();
        return;
    case win::EM_SETSEL:
        SetSelection(static_cast<int>(Message.WParam), static_cast<int>(Message.LParam));
        return;
    case win::WM_CONTEXTMENU:
        WMContextMenu(Message);
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
    switch (Message.Msg) {
    case win::WM_SETFOCUS:
        if (win::GetFocus() == WindowHandle() && WantsCaret()) MakeCaret();
        break;
    case win::WM_KILLFOCUS:
        if (FHasCaret) win::DestroyCaret();
        FHasCaret = false;
        break;
    case win::WM_DESTROY: // the caret goes with the window
        FHasCaret = false;
        break;
    case win::WM_SIZE:
        UpdateCaret();
        break;
    case CM_FONTCHANGED:
        if (FHasCaret) MakeCaret();
        break;
    default:
        break;
    }
}

void TCustomEdit::WMContextMenu(TMessage& Message) {
    TPoint at{win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)};
    const bool byKeyboard = at.X == -1 && at.Y == -1;
    TPoint client = byKeyboard ? TPoint{-1, -1} : ScreenToClient(at);
    // A popup menu of the edit's own that pops up by itself goes the framework's way, and so does a request
    // the edit's menu does not take.
    auto* own = dynamic_cast<TPopupMenu*>(PopupMenu());
    if ((own != nullptr && own->AutoPopup()) || !EditMenuAt(client, byKeyboard)) {
        TCustomControl::WndProc(Message);
        return;
    }
    Message.Result = 1;
    bool handled = false;
    DoContextPopup(client, handled);
    if (handled) return;
    if (!Focused() && CanFocus()) SetFocus();
    if (byKeyboard) {
        // Below the caret, so that the line stays in sight.
        TRect text = EditRect();
        at = ClientToScreen(
            TPoint{std::clamp(CharX(FCaret), text.Left, text.Right), text.Top + CaretHeight()});
    }
    ShowEditMenu(at);
}

void TCustomEdit::ShowEditMenu(TPoint Screen) {
    using namespace win;
    const bool selected = FSelLength > 0;
    const bool password = FPasswordChar != 0;
    HMENU menu = CreatePopupMenu();
    auto item = [menu](UINT Command, const char* Text, bool Enabled) {
        AppendMenu(menu, MF_STRING | (Enabled ? MF_ENABLED : MF_GRAYED), Command, Text);
    };
    // The commands are the messages the items send.
    item(WM_UNDO, "&Undo", FCanUndo && !FReadOnly);
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    item(WM_CUT, "Cu&t", selected && !password && !FReadOnly);
    item(WM_COPY, "&Copy", selected && !password);
    item(WM_PASTE, "&Paste", !FReadOnly && !GetClipboardText().empty());
    item(WM_CLEAR, "&Delete", selected && !FReadOnly);
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    item(EM_SETSEL, "Select &All", Length() > 0 && FSelLength < Length());
    // The menu's loop runs everything else meanwhile and may free the edit: after it, only its window is
    // asked.
    HWND self = WindowHandle();
    auto command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, Screen.X, Screen.Y, 0, self, nullptr));
    DestroyMenu(menu);
    if (command != 0 && IsWindow(self))
        SendMessage(self, command, 0, command == EM_SETSEL ? static_cast<LPARAM>(-1) : 0);
}

void TCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key != 0) EditKeyDown(Key, Shift);
}

void TCustomEdit::EditKeyDown(Word& Key, TShiftState Shift) {
    const bool shift = Shift.Contains(ssShift);
    const bool ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    switch (Key) {
    case win::VK_LEFT:
    case win::VK_RIGHT: {
        int dir = Key == win::VK_LEFT ? -1 : 1;
        int pos = FCaret;
        if (!shift && !ctrl && FSelLength > 0) {
            // Without Shift an arrow collapses the selection to its side.
            pos = dir < 0 ? FSelStart : FSelStart + FSelLength;
        } else if (ctrl) {
            // A word to the left or right (a password moves to its ends).
            if (FPasswordChar != 0) {
                pos = dir < 0 ? 0 : Length();
            } else if (dir < 0) {
                while (pos > 0 && !IsWordChar(FEditText, pos - 1))
                    --pos;
                while (pos > 0 && IsWordChar(FEditText, pos - 1))
                    --pos;
            } else {
                int n = Length();
                while (pos < n && IsWordChar(FEditText, pos))
                    ++pos;
                while (pos < n && !IsWordChar(FEditText, pos))
                    ++pos;
            }
        } else {
            pos += dir;
        }
        MoveCaret(pos, shift);
        Key = 0;
        break;
    }
    case win::VK_HOME:
        MoveCaret(0, shift);
        Key = 0;
        break;
    case win::VK_END:
        MoveCaret(Length(), shift);
        Key = 0;
        break;
    case win::VK_BACK:
        DeleteSelectionOr(-1);
        Key = 0;
        break;
    case win::VK_DELETE:
        if (shift)
            CutToClipboard();
        else
            DeleteSelectionOr(1);
        Key = 0;
        break;
    case win::VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (shift)
            PasteFromClipboard();
        Key = 0;
        break;
    case 'A':
    case 'C':
    case 'X':
    case 'V':
    case 'Z':
        if (!ctrl) break;
        if (Key == 'A') SelectAll();
        if (Key == 'C') CopyToClipboard();
        if (Key == 'X') CutToClipboard();
        if (Key == 'V') PasteFromClipboard();
        if (Key == 'Z') Undo();
        Key = 0;
        break;
    default:
        break;
    }
}

void TCustomEdit::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    // Control characters (Backspace, Enter, Tab, Ctrl+letters) are keys, handled in KeyDown.
    if (Key < 0x20 || Key == 0x7F) return;
    if (Key > 0x10FFFF || (Key >= 0xD800 && Key <= 0xDFFF)) return;
    if (FReadOnly) {
        win::MessageBeep(0);
        return;
    }
    ReplaceSelection(Utf8Encode(Key), true, TUndoStep::Typing);
}

void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (!Focused() && CanFocus()) SetFocus();
        if (Shift.Contains(ssDouble)) {
            // A double click selects the word under the pointer.
            int pos = CharAtX(X);
            int a = pos, b = pos;
            if (FPasswordChar == 0) {
                while (a > 0 && IsWordChar(FEditText, a - 1))
                    --a;
                while (b < Length() && IsWordChar(FEditText, b))
                    ++b;
            } else {
                a = 0;
                b = Length();
            }
            FAnchor = a;
            MoveCaret(b, true);
        } else {
            MoveCaret(CharAtX(X), Shift.Contains(ssShift));
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomEdit::MouseMove(TShiftState Shift, int X, int Y) {
    if (Shift.Contains(ssLeft) && MouseCapture()) MoveCaret(CharAtX(X), true);
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomEdit::DoEnter() {
    // Tabbing in selects everything; a click places the caret instead.
    if (FAutoSelect && !FControlState.Contains(csLButtonDown)) SelectAll();
    Invalidate();
    TCustomControl::DoEnter();
}

void TCustomEdit::DoExit() {
    Invalidate();
    TCustomControl::DoExit();
}

} // namespace vcl
