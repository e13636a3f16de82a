#pragma once
// The window tree: classes, creation and destruction, window longs, properties, relations, positions,
// show states, placement, coordinates, text, the message queue, painting and timers.

#include <functional>
#include <memory>

#include "platform/win/Messages.h"
#include "platform/win/WinUser.h"

namespace win {

using HANDLE = void*;

struct WNDCLASSEX {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
    HICON hIconSm;
};

struct WNDCLASS {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

// Last-error codes set by the window calls (GetLastError).
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr DWORD ERROR_INVALID_INDEX = 1413;
constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;
constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;
constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;
constexpr DWORD ERROR_INVALID_HOOK_HANDLE = 1404;
constexpr DWORD ERROR_INVALID_FILTER_PROC = 1427;
DWORD GetLastError();
void SetLastError(DWORD code);

// ---- Classes (names compare without regard to case; hInstance is accepted and ignored)
ATOM RegisterClassEx(const WNDCLASSEX* lpwcx);
ATOM RegisterClass(const WNDCLASS* lpWndClass);
BOOL UnregisterClass(const char* lpClassName, HINSTANCE hInstance);
BOOL GetClassInfo(HINSTANCE hInstance, const char* lpClassName, WNDCLASS* lpWndClass);
BOOL GetClassInfoEx(HINSTANCE hInstance, const char* lpszClass, WNDCLASSEX* lpwcx);
// Copies the class name (truncated to nMaxCount - 1 bytes, terminated); returns the bytes copied.
int GetClassName(HWND hWnd, char* lpClassName, int nMaxCount);
DWORD GetClassLong(HWND hWnd, int nIndex);
std::uintptr_t GetClassLongPtr(HWND hWnd, int nIndex);
std::uintptr_t SetClassLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);

// ---- Creation and destruction
HWND CreateWindowEx(DWORD dwExStyle, const char* lpClassName, const char* lpWindowName, DWORD dwStyle, int X,
                    int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                    void* lpParam);
HWND CreateWindow(const char* lpClassName, const char* lpWindowName, DWORD dwStyle, int x, int y, int nWidth,
                  int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, void* lpParam);
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
HWND GetDesktopWindow();

// ---- Window procedures
LRESULT DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LONG GetWindowLong(HWND hWnd, int nIndex);
LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong);
LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex);
LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
WORD GetWindowWord(HWND hWnd, int nIndex);

// ---- Properties (names compare without regard to case)
BOOL SetProp(HWND hWnd, const char* lpString, HANDLE hData);
HANDLE GetProp(HWND hWnd, const char* lpString);
HANDLE RemoveProp(HWND hWnd, const char* lpString);

// ---- Relations and z-order (siblings are kept topmost first)
HWND GetParent(HWND hWnd);
HWND SetParent(HWND hWndChild, HWND hWndNewParent);
HWND GetWindow(HWND hWnd, UINT uCmd);
HWND GetAncestor(HWND hwnd, UINT gaFlags);
HWND GetTopWindow(HWND hWnd);
HWND GetNextWindow(HWND hWnd, UINT wCmd);
BOOL IsChild(HWND hWndParent, HWND hWnd);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsWindowEnabled(HWND hWnd);
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam);
BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam);
HWND FindWindow(const char* lpClassName, const char* lpWindowName);
HWND FindWindowEx(HWND hWndParent, HWND hWndChildAfter, const char* lpszClass, const char* lpszWindow);
DWORD GetWindowThreadProcessId(HWND hWnd, DWORD* lpdwProcessId);
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
HMENU GetMenu(HWND hWnd);
// Attaches a menu bar to a top-level window (the menu engine draws it); the frame is recalculated.
BOOL SetMenu(HWND hWnd, HMENU hMenu);

// ---- Text (UTF-8; lengths and buffer sizes are in bytes; a cut never splits a character)
BOOL SetWindowText(HWND hWnd, const char* lpString);
int GetWindowText(HWND hWnd, char* lpString, int nMaxCount);
int GetWindowTextLength(HWND hWnd);

// ---- Positions, show states, placement, coordinates
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL BringWindowToTop(HWND hWnd);
BOOL GetWindowRect(HWND hWnd, RECT* lpRect);
BOOL GetClientRect(HWND hWnd, RECT* lpRect);
BOOL AdjustWindowRectEx(RECT* lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);
BOOL AdjustWindowRect(RECT* lpRect, DWORD dwStyle, BOOL bMenu);
BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl);
BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl);
BOOL ClientToScreen(HWND hWnd, POINT* lpPoint);
BOOL ScreenToClient(HWND hWnd, POINT* lpPoint);
// Maps points from one window's client coordinates to another's (null = screen); returns the offset
// (x in the low word, y in the high word, as 16-bit values).
int MapWindowPoints(HWND hWndFrom, HWND hWndTo, POINT* lpPoints, UINT cPoints);
HWND WindowFromPoint(POINT Point);
HWND ChildWindowFromPoint(HWND hWndParent, POINT Point);
HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags);
HWND RealChildWindowFromPoint(HWND hwndParent, POINT ptParentClientCoords);

// ---- Messages
LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);
// Waits for a message (see WaitMessage). Returns 0 for WM_QUIT, else nonzero.
BOOL GetMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL PeekMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL TranslateMessage(const MSG* lpMsg);
LRESULT DispatchMessage(const MSG* lpMsg);
// Returns when input or a posted message is there, or a timer is due. With the offscreen backend and
// nothing pending, the idle handler (SetIdleHandler) is called; if it does not make anything happen,
// EMessageLoopIdle is raised so that a test never hangs.
BOOL WaitMessage();
DWORD GetMessageTime();
DWORD GetMessagePos();
BOOL InSendMessage();
DWORD GetTickCount();

// Raised by GetMessage/WaitMessage when nothing can ever arrive (offscreen backend, nothing pending).
class EMessageLoopIdle : public std::exception {
public:
    const char* what() const noexcept override { return "the message loop is idle: nothing can arrive"; }
};
// Called when a message loop would wait with nothing pending (the test driver's and modal driver's door):
// returns true if it made something happen (posted a message, injected input, advanced the clock).
void SetIdleHandler(std::function<bool()> handler);
// Our own: the one way into the queue from a signal handler or another thread, where nothing else of the
// window system may be called. SetWakeMessage names, on the GUI thread, the window that hears of a
// wake-up and its message (a null window: none). WakeQueue (async-signal-safe) has that message posted the
// next time a loop looks at the queue, and ends the wait of a loop that waits, whichever loop runs (the
// main one, a modal form's, a menu's). Wake-ups before the message is posted make one message.
void SetWakeMessage(HWND hWnd, UINT Msg);
void WakeQueue();

// ---- Timers (a window's timers die with it; a timer can be killed from its own tick)
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// ---- Painting
BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase);
BOOL ValidateRect(HWND hWnd, const RECT* lpRect);
BOOL ValidateRgn(HWND hWnd, HRGN hRgn);
BOOL GetUpdateRect(HWND hWnd, RECT* lpRect, BOOL bErase);
int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase);
BOOL UpdateWindow(HWND hWnd);
BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags);
HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags);
int ReleaseDC(HWND hWnd, HDC hDC);
BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect);

// ---- Window regions and layered windows
// The window takes ownership of hRgn (window coordinates); null removes the shape.
int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw);
// Copies the window's region into hRgn; returns its kind, or ERROR when the window has none.
int GetWindowRgn(HWND hWnd, HRGN hRgn);
int GetWindowRgnBox(HWND hWnd, RECT* lprc);
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* pcrKey, BYTE* pbAlpha, DWORD* pdwFlags);
struct BLENDFUNCTION;
BOOL UpdateLayeredWindow(HWND hWnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc,
                         COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags);

} // namespace win
