#pragma once
// The window system's own records and state, shared by its source files. Not for other layers.

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/win/Input.h"
#include "platform/win/MenuHooks.h"
#include "platform/win/Window.h"

namespace win::detail {

using vcl::String;

struct WndClass {
    String Name;
    ATOM Atom = 0;
    UINT Style = 0;
    WNDPROC Proc = nullptr;
    int ClsExtra = 0;
    int WndExtra = 0;
    HINSTANCE Instance = nullptr;
    HICON Icon = nullptr;
    HICON IconSm = nullptr;
    HCURSOR Cursor = nullptr;
    HBRUSH Background = nullptr;
    String MenuName;
    int Windows = 0; // live windows of the class
};

struct Wnd {
    HWND Handle = nullptr;
    std::shared_ptr<WndClass> Class;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    WNDPROC Proc = nullptr;
    LONG_PTR UserData = 0;
    LONG_PTR Id = 0; // GWL_ID (child windows) or the menu (top-level windows)
    HINSTANCE Instance = nullptr;
    HMENU Menu = nullptr;
    std::vector<BYTE> Extra;
    std::vector<std::pair<String, HANDLE>> Props;
    Wnd* Parent = nullptr; // the desktop record for top-level windows
    Wnd* Owner = nullptr;
    std::vector<Wnd*> Children; // topmost first
    RECT Rect{};   // window rectangle in the parent's client coordinates (screen for top-level windows)
    RECT Client{}; // client rectangle in window coordinates
    String Text;
    HICON IconBig = nullptr, IconSmall = nullptr; // WM_SETICON's, not owned
    // Pending painting, in window coordinates.
    HRGN Update = nullptr;
    bool ErasePending = false;
    bool FramePending = false;
    bool InternalPaint = false;
    std::uint64_t PaintStamp = 0; // changes whenever the window is invalidated (see PaintStamp.h)
    bool Redraw = true;           // WM_SETREDRAW
    HRGN Shape = nullptr;         // SetWindowRgn, window coordinates, owned
    // Layered attributes.
    BYTE Alpha = 255;
    COLORREF Key = 0;
    DWORD LayeredFlags = 0;
    bool PerPixel = false;
    bool UlwMode = false;  // UpdateLayeredWindow supplies the image: no WM_PAINT
    bool AttrMode = false; // SetLayeredWindowAttributes was used (UpdateLayeredWindow then fails)
    // Placement.
    RECT Normal{};
    POINT MinPos{-1, -1};
    POINT MaxPos{-1, -1};
    bool RestoreToMax = false;
    // Top-level windows: the sizes WM_GETMINMAXINFO last answered (a zero maximum: none below the
    // system's), handed to the native window.
    std::optional<std::pair<vcl::TSize, vcl::TSize>> TrackLimits;
    // Top-level windows: the image of the whole window and the backend's window.
    cairo_surface_t* Surface = nullptr;
    std::unique_ptr<backend::NativeWindow> Native;
    bool MessageOnly = false; // made under HWND_MESSAGE: never on the screen, so no backend window
    bool Dead = false;
    bool Destroying = false;
    bool SizeSent = false;    // the first WM_SIZE and WM_MOVE went out
    bool OpenAsked = false;   // WM_QUERYOPEN was answered for the un-minimising under way
    bool FrameActive = false; // the caption is drawn active (WM_NCACTIVATE)

    bool IsTopLevel() const;
    bool IsDesktop() const { return Parent == nullptr; }
};

struct Timer {
    Wnd* Window = nullptr; // null for thread timers
    HWND Handle = nullptr;
    UINT_PTR Id = 0;
    UINT Elapse = 0;
    TIMERPROC Proc = nullptr;
    std::uint32_t Due = 0;
    std::uint64_t Order = 0;
};

struct Hook {
    HHOOK Handle = nullptr;
    int Kind = 0;
    HOOKPROC Proc = nullptr;
    bool Dead = false;
};

struct ClickInfo {
    UINT Button = 0; // WM_LBUTTONDOWN ... of the last press, 0 = none
    HWND Window = nullptr;
    DWORD Time = 0;
    POINT Pt{};
};

struct Tracking {
    HWND Window = nullptr;
    DWORD Flags = 0; // TME_LEAVE, TME_HOVER, TME_NONCLIENT
    DWORD HoverTime = 400;
    std::optional<std::uint32_t> HoverDue;
    POINT HoverOrigin{};
};

// The last place the mouse messages went (for leave tracking).
struct MouseTarget {
    HWND Window = nullptr;
    bool NonClient = false;
    bool Away = false; // the pointer went into a native window not ours (Input.cpp)
};

struct SizeMoveDrag {
    HWND Window = nullptr;
    LRESULT Hit = HTNOWHERE; // HTCAPTION for a move, a border code for a size
    POINT Start{};
    RECT StartRect{};
    POINT MinTrack{}; // a size: the window's limits (WM_GETMINMAXINFO) asked when the loop began
    POINT MaxTrack{};
};

// The caret (Caret.cpp).
struct CaretInfo {
    HWND Owner = nullptr;
    POINT Pos{}; // the owner's client coordinates
    SIZE Size{};
    HBITMAP Bitmap = nullptr;      // null: solid; (HBITMAP)1: grey; else the caret's picture
    int Hidden = 1;                // HideCaret calls not undone yet (a new caret starts hidden)
    int PaintHidden = 0;           // BeginPaint calls of the owner not ended yet
    bool On = true;                // the blink's phase
    bool Drawn = false;            // its rectangle is inverted in the owner's pixels now
    HWND TextRoot = nullptr;       // the top-level window whose native window was told where the caret is
    std::optional<RECT> TextCaret; // what it was told (window coordinates)
};

struct State {
    std::unordered_map<std::uintptr_t, std::unique_ptr<Wnd>> Windows;
    std::vector<std::unique_ptr<Wnd>> Graveyard;
    std::uintptr_t NextId = 0x10010;
    std::unique_ptr<Wnd> Desktop;
    std::map<String, std::shared_ptr<WndClass>> Classes; // key: lower-case name
    ATOM NextAtom = 0xC000;

    std::deque<MSG> Posted;
    std::deque<backend::InputEvent> Input;
    bool QuitPending = false;
    int QuitCode = 0;
    std::vector<Timer> Timers;
    std::uint64_t TimerOrder = 0;
    UINT_PTR NextThreadTimerId = 0x7FF0;

    HWND Focus = nullptr;
    HWND Active = nullptr;
    HWND Capture = nullptr;
    bool AppActive = false;
    BYTE Keys[256] = {};      // as seen by the retrieved messages (GetKeyState)
    BYTE AsyncKeys[256] = {}; // the physical state (GetAsyncKeyState)
    BYTE AsyncPressed[256] = {};
    bool AltAlone = false; // Alt went down and no other key since
    bool AltTap = false;   // the Alt key just released was pressed alone
    int Beeps = 0;
    POINT Cursor{};
    HCURSOR CurrentCursor = nullptr;
    int CursorCount = 0;
    ClickInfo LastClick;
    Tracking Track;
    MouseTarget LastMouse;
    SizeMoveDrag Drag;
    UINT DoubleClickTime = 500;
    CaretInfo Caret;
    UINT CaretBlinkTime = 530;

    std::vector<std::shared_ptr<Hook>> Hooks; // newest first
    std::uintptr_t NextHookId = 0x20010;

    DWORD MessageTime = 0;
    POINT MessagePos{};
    int SendDepth = 0;
    std::uint64_t PaintStamps = 0; // the last paint stamp handed out
    int DispatchDepth = 0;
    std::function<bool()> IdleHandler;
    DWORD LastError = 0;
    cairo_surface_t* ScreenSurface = nullptr;
    HWND PressedCaptionButton = nullptr;
    LRESULT PressedCaptionHit = HTNOWHERE;

    // System parameters kept in this process.
    bool MenuAnimation = false;
    bool MenuFade = false;
    bool KeyboardCues = false;
    bool FlatMenu = false;
    bool DropShadow = true;

    // What ResetState found alive and wiped, for the tests' leak check (see LiveState).
    std::vector<std::string> Wiped;
};

State& S();
// The live record of a handle (nullptr for null, stale or destroyed handles).
Wnd* W(HWND h);
// As W, and sets ERROR_INVALID_WINDOW_HANDLE when the handle is not a live window.
Wnd* Checked(HWND h);
Wnd* Root(Wnd* w);
// Screen position of the window's top-left corner and of its client area's (summed in 64 bits along the
// chain of parents, brought into int at the end).
POINT ScreenOrigin(const Wnd* w);
POINT ClientScreenOrigin(const Wnd* w);
// Where the window's top-left corner lies from its root window's: on the root's image (the same way).
POINT RootOffset(const Wnd* w);
// Where the window's client area lies on its root's image (the same way).
POINT RootClientOffset(const Wnd* w);
RECT ScreenRect(const Wnd* w);
bool IsVisibleChain(const Wnd* w); // the window and every ancestor are visible
LRESULT Send(Wnd* w, UINT msg, WPARAM wp, LPARAM lp);
void FreeGraveyard();
// The window's first WM_SIZE and WM_MOVE (after WM_CREATE, or at the first showing of an overlapped window).
void SendFirstSize(Wnd* w);
// Back to a clean state (for tests): destroys every window, empties the queue, forgets timers, hooks, the
// key state, focus, capture and tracking. Classes stay registered.
void ResetState();
// One line per piece of window-system state alive now that a test must give back: windows (marked when
// their procedure is not their class's), timers, hooks, the mouse capture, window device contexts and
// subclassings. ResetState keeps what it wipes for TakeWiped.
std::vector<std::string> LiveState();
std::vector<std::string> TakeWiped();
// Window device contexts not released yet, and releasing them (ResetState).
std::vector<std::string> OpenWindowDCs();
void ReleaseWindowDCs();
// Subclassings and hooks held by WindowSubclass and WindowsHook objects alive now (Subclass.cpp).
std::vector<std::string> LiveSubclasses();
backend::Backend& Backend();
backend::EventSink* Sink();

// Frame metrics of a window of these styles (left, top, right, bottom thickness of the non-client area).
RECT NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu);
// Re-computes the client rectangle through WM_NCCALCSIZE (wParam FALSE).
void CalcClient(Wnd* w);
int MenuBarHeight(Wnd* w);

// Painting internals.
void AddUpdate(Wnd* w, HRGN windowRgn, bool erase, bool frame);
void InvalidateWhole(Wnd* w, bool erase, bool children);
// After a change of the client area: what is pending outside it is no part of the window any more.
void KeepUpdateInClient(Wnd* w);
// After a resize in place: invalidates what the new size uncovers (the whole window when `whole`).
void InvalidateResized(Wnd* w, const RECT& oldRect, const RECT& oldClient, bool whole);
// After a move of a child: carries over the pixels seen before and after (oldVisible: surface coordinates,
// before the move) and invalidates the rest of the window.
void CopyMovedBits(Wnd* w, HRGN oldVisible, POINT delta);
bool HasPendingPaint(Wnd* w);
Wnd* NextPaintWindow(HWND filter);
void EnsureSurface(Wnd* root);
void ReleaseSurface(Wnd* root);
HRGN VisibleRegion(Wnd* w, bool window, bool clipChildren, bool clipSiblings); // surface coordinates
void Present(Wnd* root, const RECT& windowRect);
void UpdateNativeAttributes(Wnd* root);
// Tells the backend the window's owner (its owner's native window, none while that has none).
void UpdateNativeOwner(Wnd* root);
void Restack();
// Title and icon of a top-level window's native window (at creation, WM_SETTEXT, WM_SETICON).
void UpdateNativeTitleAndIcon(Wnd* root);
LRESULT DefIconMessage(Wnd* w, UINT msg, WPARAM wp, LPARAM lp); // WM_SETICON, WM_GETICON
// The images of the program's icon ("MAINICON"), largest first; empty when it has none.
const std::vector<backend::IconImage>& ProgramIconImages();
// The icon a caption shows: the window's small or big icon, else its class's, else the program's.
HICON CaptionIcon(Wnd* w);

// Position internals.
// Bounds brought into the range windows are kept to (KeptCoordinate, KeptSize).
constexpr RECT KeptBounds(std::int64_t x, std::int64_t y, std::int64_t cx, std::int64_t cy) {
    return vcl::Bounds(KeptCoordinate(x), KeptCoordinate(y), KeptSize(cx), KeptSize(cy));
}
// The client rectangle, in window coordinates, of a window at `window` whose WM_NCCALCSIZE answered
// `answered` (both in the parent's coordinates): a window procedure may answer any rectangle, so the
// client area is kept to the windows' range relative to its window, its size kept, an inverted side empty.
constexpr RECT ClientFromAnswer(const RECT& answered, const RECT& window) {
    return KeptBounds(std::int64_t{answered.Left} - window.Left, std::int64_t{answered.Top} - window.Top,
                      std::int64_t{answered.Right} - answered.Left,
                      std::int64_t{answered.Bottom} - answered.Top);
}
// Asks a window its size limits (WM_GETMINMAXINFO) with the system's defaults filled in, and notes them.
MINMAXINFO AskTrackLimits(Wnd* w);
// Notes the track sizes a window's WM_GETMINMAXINFO answered; those of a top-level window reach its
// native window (ApplyNativeSizeLimits, also once a native window is made).
void NoteTrackLimits(Wnd* w, const MINMAXINFO& mmi);
void ApplyNativeSizeLimits(Wnd* w);
// How one of the window system's own moves stands to an activation. ActivatedAfter: the caller activates
// the window once the move is done, and the move reports no SWP_NOACTIVATE.
enum class MoveRole { Plain, ActivatedAfter };
// Whether placing w after `after` (a sibling or HWND_TOP, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST) would
// change its siblings' order or its topmost state.
bool ZOrderWouldChange(Wnd* w, HWND after);
// The place w has among its siblings, as the hwndInsertAfter that leaves it there: the sibling above it,
// HWND_TOP for the first.
HWND PlaceOf(Wnd* w);
// SetWindowPos for the window system's own moves.
BOOL SetPos(Wnd* w, HWND after, int x, int y, int cx, int cy, UINT flags, MoveRole role = MoveRole::Plain);
void ActivateWindow(Wnd* w, WORD how, bool fromShow);
void ActivateNext(Wnd* leaving);
void Deactivated(Wnd* w);    // keeps activation and focus consistent when w is hidden or destroyed
bool HasFocusInside(Wnd* w); // the focus is w or one of its descendants
// The window that takes the activation meant for a disabled window: the visible, enabled window it owns
// that can be activated (a modal box), looked for down the owners' chain; null when there is none.
Wnd* EnabledPopup(Wnd* owner);

// Queue and timers.
void KillTimersOf(Wnd* w);
std::optional<std::uint32_t> NextDeadline();
void RemovePostedFor(HWND h);
bool ConvertInput(MSG* out, HWND filter, UINT min, UINT max, bool remove);
bool HasInput();

// Hooks.
LRESULT CallHooks(int kind, int code, WPARAM wp, LPARAM lp, bool* any = nullptr);
bool HasHook(int kind);

// The caret (Caret.cpp): BeginPaint of its owner hides it, EndPaint shows it again; a window going takes
// its caret along; the keyboard focus moving between windows drops a composition of the input method.
void HideCaretForPaint(Wnd* w);
void ShowCaretAfterPaint(HWND h);
void ForgetCaretOf(HWND h);
void TextInputFocusMoved(HWND from, HWND to);

// Input internals.
void ReleaseCaptureOf(Wnd* w);
void ForgetWindowInput(HWND h);
LRESULT HitTest(Wnd* w, POINT screen);
void StartSizeMove(Wnd* w, LRESULT hit, POINT screen);
bool HandleDrag(const backend::InputEvent& ev);
// Escape and Enter end a move or size in progress: Escape putting the window back, Enter keeping it.
bool HandleDragKey(const backend::InputEvent& ev);

// Non-client.
LRESULT DefNcHitTest(Wnd* w, POINT screen);
void DefNcPaint(Wnd* w, bool active);
void DefCalcSize(Wnd* w, RECT* rc);

// Key tables.
UINT ScanCodeOf(UINT vk, bool* extended);
char32_t CharFromKey(UINT vk, const BYTE* keys);
std::optional<std::pair<UINT, bool>> KeyForChar(char32_t ch); // virtual key and shift

HCURSOR StandardCursor(int id);
backend::CursorShape ShapeOf(HCURSOR c);

// Length of the longest prefix of s not longer than max bytes that does not cut a UTF-8 sequence.
size_t Utf8Cut(const String& s, size_t max);

} // namespace win::detail
