#pragma once
// The framework's own messages (CM_* between controls, CN_* reflected notifications), the message record
// TMessage and its typed views, shift states and the small keyboard helpers.
//
// A typed record (TWMKey, TWMMouse, TCMDialogKey, ...) is a value made from a TMessage; a handler that
// changes it writes it back with Store. The usual shape in a control's WndProc:
//
//     case CM_DIALOGKEY: {
//         TCMDialogKey Key(Message);
//         CMDialogKey(Key);
//         Key.Store(Message);   // Result and CharCode go back into the message
//         return;
//     }

#include <cstdint>

#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"
#include "platform/rtl/Types.h"
#include "platform/win/Messages.h"

namespace vcl {

class TControl;
class TWinControl;

// ---- Message numbers
constexpr win::UINT CM_BASE = 0xB000;
constexpr win::UINT CM_ACTIVATE = CM_BASE + 0;
constexpr win::UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr win::UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr win::UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr win::UINT CM_CANCELMODE = CM_BASE + 4;
constexpr win::UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr win::UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr win::UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr win::UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr win::UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr win::UINT CM_HITTEST = CM_BASE + 10;
constexpr win::UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr win::UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr win::UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr win::UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr win::UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr win::UINT CM_CTL3DCHANGED = CM_BASE + 16;
constexpr win::UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr win::UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr win::UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr win::UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr win::UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr win::UINT CM_APPKEYDOWN = CM_BASE + 22;
constexpr win::UINT CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr win::UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr win::UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr win::UINT CM_ENTER = CM_BASE + 26;
constexpr win::UINT CM_EXIT = CM_BASE + 27;
constexpr win::UINT CM_DESIGNHITTEST = CM_BASE + 28;
constexpr win::UINT CM_ICONCHANGED = CM_BASE + 29;
constexpr win::UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr win::UINT CM_INVOKEHELP = CM_BASE + 31;
constexpr win::UINT CM_WINDOWHOOK = CM_BASE + 32;
constexpr win::UINT CM_RELEASE = CM_BASE + 33;
constexpr win::UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr win::UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr win::UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr win::UINT CM_WININICHANGE = CM_BASE + 37;
constexpr win::UINT CM_FONTCHANGE = CM_BASE + 38;
constexpr win::UINT CM_TIMECHANGE = CM_BASE + 39;
constexpr win::UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr win::UINT CM_UIACTIVATE = CM_BASE + 41;
constexpr win::UINT CM_UIDEACTIVATE = CM_BASE + 42;
constexpr win::UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr win::UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr win::UINT CM_GETDATALINK = CM_BASE + 45;
constexpr win::UINT CM_CHILDKEY = CM_BASE + 46;
constexpr win::UINT CM_DRAG = CM_BASE + 47;
constexpr win::UINT CM_HINTSHOW = CM_BASE + 48;
constexpr win::UINT CM_DIALOGHANDLE = CM_BASE + 49;
constexpr win::UINT CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr win::UINT CM_RECREATEWND = CM_BASE + 51;
constexpr win::UINT CM_INVALIDATE = CM_BASE + 52;
constexpr win::UINT CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr win::UINT CM_CONTROLCHANGE = CM_BASE + 54;
constexpr win::UINT CM_CHANGED = CM_BASE + 55;
constexpr win::UINT CM_DOCKCLIENT = CM_BASE + 56;
constexpr win::UINT CM_UNDOCKCLIENT = CM_BASE + 57;
constexpr win::UINT CM_FLOAT = CM_BASE + 58;
constexpr win::UINT CM_BORDERCHANGED = CM_BASE + 59;
constexpr win::UINT CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr win::UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr win::UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
constexpr win::UINT CM_ACTIONUPDATE = CM_BASE + 63;
constexpr win::UINT CM_ACTIONEXECUTE = CM_BASE + 64;
constexpr win::UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr win::UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
constexpr win::UINT CM_MOUSEWHEEL = CM_BASE + 67;
constexpr win::UINT CM_ISSHORTCUT = CM_BASE + 68;
// A windowed parent, at any depth, moved, changed size, showed or hid: the control's place on the screen or
// its visibility changed although its own window did not (a native view laid over it must follow).
// TWinControl hands it on to its windowed children.
constexpr win::UINT CM_PARENTWINDOWPOSCHANGED = CM_BASE + 69;

// Notifications a parent reflects back to the child control that caused them.
constexpr win::UINT CN_BASE = 0xBC00;
constexpr win::UINT CN_CHARTOITEM = CN_BASE + 0x002F;
constexpr win::UINT CN_COMMAND = CN_BASE + win::WM_COMMAND;
constexpr win::UINT CN_COMPAREITEM = CN_BASE + 0x0039;
constexpr win::UINT CN_CTLCOLORBTN = CN_BASE + win::WM_CTLCOLORBTN;
constexpr win::UINT CN_CTLCOLORDLG = CN_BASE + win::WM_CTLCOLORDLG;
constexpr win::UINT CN_CTLCOLOREDIT = CN_BASE + win::WM_CTLCOLOREDIT;
constexpr win::UINT CN_CTLCOLORLISTBOX = CN_BASE + win::WM_CTLCOLORLISTBOX;
constexpr win::UINT CN_CTLCOLORMSGBOX = CN_BASE + win::WM_CTLCOLORMSGBOX;
constexpr win::UINT CN_CTLCOLORSCROLLBAR = CN_BASE + win::WM_CTLCOLORSCROLLBAR;
constexpr win::UINT CN_CTLCOLORSTATIC = CN_BASE + win::WM_CTLCOLORSTATIC;
constexpr win::UINT CN_DELETEITEM = CN_BASE + 0x002D;
constexpr win::UINT CN_DRAWITEM = CN_BASE + win::WM_DRAWITEM;
constexpr win::UINT CN_HSCROLL = CN_BASE + win::WM_HSCROLL;
constexpr win::UINT CN_MEASUREITEM = CN_BASE + win::WM_MEASUREITEM;
constexpr win::UINT CN_PARENTNOTIFY = CN_BASE + win::WM_PARENTNOTIFY;
constexpr win::UINT CN_VKEYTOITEM = CN_BASE + 0x002E;
constexpr win::UINT CN_VSCROLL = CN_BASE + win::WM_VSCROLL;
constexpr win::UINT CN_KEYDOWN = CN_BASE + win::WM_KEYDOWN;
constexpr win::UINT CN_KEYUP = CN_BASE + win::WM_KEYUP;
constexpr win::UINT CN_CHAR = CN_BASE + win::WM_CHAR;
constexpr win::UINT CN_SYSKEYDOWN = CN_BASE + win::WM_SYSKEYDOWN;
constexpr win::UINT CN_SYSCHAR = CN_BASE + win::WM_SYSCHAR;
constexpr win::UINT CN_NOTIFY = CN_BASE + win::WM_NOTIFY;

// ---- Shift states and mouse buttons
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The modifier keys held now (GetKeyState), as the key messages' handlers report them.
TShiftState KeyboardStateToShiftState();
// The shift state of a key message's lParam: Alt from its context bit (bit 29), Shift and Ctrl from the
// keyboard state.
TShiftState KeyDataToShiftState(std::intptr_t KeyData);
// The shift state of a mouse message's key flags (MK_*), with Alt from the keyboard state.
TShiftState KeysToShiftState(win::WPARAM Keys);

// True when Caption has "&" before the character VK names: VK is a whole code point, the character after
// "&" is decoded from UTF-8, and letters match without regard to case (as AnsiUpperChar folds them, so
// "&Файл" answers both "ф" and "Ф"). "&&" is a literal ampersand and marks nothing.
bool IsAccel(win::WPARAM VK, const String& Caption);
// The caption without its "&" markers ("&&" becomes "&").
String StripHotKey(const String& Caption);

// ---- The message record and its typed views
struct TMessage {
    win::UINT Msg = 0;
    win::WPARAM WParam = 0;
    win::LPARAM LParam = 0;
    win::LRESULT Result = 0;

    TMessage() = default;
    TMessage(win::UINT AMsg, win::WPARAM AWParam, win::LPARAM ALParam)
        : Msg(AMsg), WParam(AWParam), LParam(ALParam) {}
    win::WORD WParamLo() const { return win::LOWORD(WParam); }
    win::WORD WParamHi() const { return win::HIWORD(WParam); }
    win::WORD LParamLo() const { return win::LOWORD(static_cast<std::uintptr_t>(LParam)); }
    win::WORD LParamHi() const { return win::HIWORD(static_cast<std::uintptr_t>(LParam)); }
};

// WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSCHAR, CN_KEYDOWN, CN_CHAR, CM_DIALOGKEY, CM_DIALOGCHAR,
// CM_WANTSPECIALKEY: the virtual key (or character) and the key data.
struct TWMKey {
    win::UINT Msg = 0;
    win::WORD CharCode = 0; // the character for WM_CHAR-like messages: see Char
    std::intptr_t KeyData = 0;
    win::LRESULT Result = 0;
    win::WPARAM Char = 0; // full wParam (a character code point for the character messages)

    TWMKey() = default;
    explicit TWMKey(const TMessage& M)
        : Msg(M.Msg), CharCode(static_cast<win::WORD>(M.WParam & 0xFFFF)), KeyData(M.LParam),
          Result(M.Result), Char(M.WParam) {}
    // Writes CharCode (or Char for characters beyond 16 bits that CharCode kept), KeyData and Result back.
    void Store(TMessage& M) const {
        M.WParam = (Char > 0xFFFF && static_cast<win::WORD>(Char & 0xFFFF) == CharCode) ? Char : CharCode;
        M.LParam = KeyData;
        M.Result = Result;
    }
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TWMSysKeyDown = TWMKey;
using TWMSysChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;

// The client mouse messages: key flags and the position (client coordinates).
struct TWMMouse {
    win::UINT Msg = 0;
    win::WPARAM Keys = 0;
    int XPos = 0;
    int YPos = 0;
    win::LRESULT Result = 0;

    TWMMouse() = default;
    explicit TWMMouse(const TMessage& M)
        : Msg(M.Msg), Keys(M.WParam), XPos(win::GET_X_LPARAM(M.LParam)), YPos(win::GET_Y_LPARAM(M.LParam)),
          Result(M.Result) {}
    TPoint Pos() const { return {XPos, YPos}; }
    void Store(TMessage& M) const {
        M.WParam = Keys;
        M.LParam = win::MAKELPARAM(XPos, YPos);
        M.Result = Result;
    }
};
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMMouseMove = TWMMouse;
using TCMHitTest = TWMMouse;       // Result nonzero: the point hits the control
using TCMDesignHitTest = TWMMouse; // Result nonzero: the control takes the mouse at design time

// CM_MOUSEENTER / CM_MOUSELEAVE: LParam is null when the message concerns the receiver itself.
struct TCMMouseEnter {
    win::UINT Msg = 0;
    TControl* Control = nullptr;
    win::LRESULT Result = 0;
    TCMMouseEnter() = default;
    explicit TCMMouseEnter(const TMessage& M)
        : Msg(M.Msg), Control(reinterpret_cast<TControl*>(M.LParam)), Result(M.Result) {}
    void Store(TMessage& M) const {
        M.LParam = reinterpret_cast<win::LPARAM>(Control);
        M.Result = Result;
    }
};
using TCMMouseLeave = TCMMouseEnter;

// CM_CONTROLCHANGE: WParam the control, LParam nonzero when it is being inserted (sent to the parent
// after an insertion and before a removal).
struct TCMControlChange {
    win::UINT Msg = 0;
    TControl* Control = nullptr;
    bool Inserting = false;
    win::LRESULT Result = 0;
    TCMControlChange() = default;
    explicit TCMControlChange(const TMessage& M)
        : Msg(M.Msg), Control(reinterpret_cast<TControl*>(M.WParam)), Inserting(M.LParam != 0),
          Result(M.Result) {}
    void Store(TMessage& M) const { M.Result = Result; }
};
// CM_CONTROLLISTCHANGE: the same layout (sent to the parent before an insertion and after a removal).
using TCMControlListChange = TCMControlChange;

// CM_FOCUSCHANGED: LParam the control that has the focus now.
struct TCMFocusChanged {
    win::UINT Msg = 0;
    TWinControl* Sender = nullptr;
    win::LRESULT Result = 0;
    TCMFocusChanged() = default;
    explicit TCMFocusChanged(const TMessage& M)
        : Msg(M.Msg), Sender(reinterpret_cast<TWinControl*>(M.LParam)), Result(M.Result) {}
    void Store(TMessage& M) const { M.Result = Result; }
};

// CM_CHILDKEY: WParam the key, LParam the control it was pressed in; Result nonzero swallows the key.
struct TCMChildKey {
    win::UINT Msg = 0;
    win::WORD CharCode = 0;
    TWinControl* Sender = nullptr;
    win::LRESULT Result = 0;
    TCMChildKey() = default;
    explicit TCMChildKey(const TMessage& M)
        : Msg(M.Msg), CharCode(static_cast<win::WORD>(M.WParam & 0xFFFF)),
          Sender(reinterpret_cast<TWinControl*>(M.LParam)), Result(M.Result) {}
    void Store(TMessage& M) const {
        M.WParam = CharCode;
        M.Result = Result;
    }
};

// What the application's hint machinery fills in before it shows a hint; a control's CM_HINTSHOW
// handler may change it (Result nonzero: show no hint).
struct THintInfo {
    TControl* HintControl = nullptr;
    TClass HintWindowClass = nullptr; // the hint window's class, or null
    TPoint HintPos;                   // screen coordinates
    int HintMaxWidth = 0;
    std::int32_t HintColor = 0;
    TRect CursorRect; // client coordinates of HintControl
    TPoint CursorPos; // client coordinates of HintControl
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    String HintStr;
    void* HintData = nullptr;
};

// CM_HINTSHOW: LParam points at the THintInfo.
struct TCMHintShow {
    win::UINT Msg = 0;
    THintInfo* HintInfo = nullptr;
    win::LRESULT Result = 0;
    TCMHintShow() = default;
    explicit TCMHintShow(const TMessage& M)
        : Msg(M.Msg), HintInfo(reinterpret_cast<THintInfo*>(M.LParam)), Result(M.Result) {}
    void Store(TMessage& M) const { M.Result = Result; }
};

// CM_BUTTONPRESSED: WParam the group index, LParam the control that went down.
struct TCMButtonPressed {
    win::UINT Msg = 0;
    int Index = 0;
    TControl* Control = nullptr;
    win::LRESULT Result = 0;
    TCMButtonPressed() = default;
    explicit TCMButtonPressed(const TMessage& M)
        : Msg(M.Msg), Index(static_cast<int>(M.WParam)), Control(reinterpret_cast<TControl*>(M.LParam)),
          Result(M.Result) {}
    void Store(TMessage& M) const { M.Result = Result; }
};

// WM_PAINT / WM_ERASEBKGND: WParam a device context to paint into (0: BeginPaint).
struct TWMPaint {
    win::UINT Msg = 0;
    win::HDC DC = nullptr;
    win::LRESULT Result = 0;
    TWMPaint() = default;
    explicit TWMPaint(const TMessage& M)
        : Msg(M.Msg), DC(reinterpret_cast<win::HDC>(M.WParam)), Result(M.Result) {}
    void Store(TMessage& M) const { M.Result = Result; }
};
using TWMEraseBkgnd = TWMPaint;

// WM_COMMAND / CN_COMMAND.
struct TWMCommand {
    win::UINT Msg = 0;
    win::WORD ItemID = 0;
    win::WORD NotifyCode = 0;
    win::HWND Ctl = nullptr;
    win::LRESULT Result = 0;
    TWMCommand() = default;
    explicit TWMCommand(const TMessage& M)
        : Msg(M.Msg), ItemID(M.WParamLo()), NotifyCode(M.WParamHi()),
          Ctl(reinterpret_cast<win::HWND>(M.LParam)), Result(M.Result) {}
    void Store(TMessage& M) const { M.Result = Result; }
};

// WM_SIZE.
struct TWMSize {
    win::UINT Msg = 0;
    win::WPARAM SizeType = 0;
    int Width = 0;
    int Height = 0;
    win::LRESULT Result = 0;
    TWMSize() = default;
    explicit TWMSize(const TMessage& M)
        : Msg(M.Msg), SizeType(M.WParam), Width(M.LParamLo()), Height(M.LParamHi()), Result(M.Result) {}
    void Store(TMessage& M) const { M.Result = Result; }
};

// CM_MOUSEWHEEL / WM_MOUSEWHEEL.
struct TCMMouseWheel {
    win::UINT Msg = 0;
    TShiftState ShiftState;
    int WheelDelta = 0;
    int XPos = 0; // screen coordinates
    int YPos = 0;
    win::LRESULT Result = 0;
    TCMMouseWheel() = default;
    explicit TCMMouseWheel(const TMessage& M)
        : Msg(M.Msg), ShiftState(KeysToShiftState(M.WParam & 0xFFFF)),
          WheelDelta(win::GET_WHEEL_DELTA_WPARAM(M.WParam)), XPos(win::GET_X_LPARAM(M.LParam)),
          YPos(win::GET_Y_LPARAM(M.LParam)), Result(M.Result) {}
    TPoint Pos() const { return {XPos, YPos}; }
    void Store(TMessage& M) const { M.Result = Result; }
};
using TWMMouseWheel = TCMMouseWheel;

} // namespace vcl
