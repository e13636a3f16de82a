#pragma once
// Mouse, keyboard, capture, focus and activation, hooks, cursors and the key names.

#include "platform/win/Window.h"

namespace win {

// ---- Capture and mouse
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL TrackMouseEvent(TRACKMOUSEEVENT* lpEventTrack);
BOOL GetCursorPos(POINT* lpPoint);
BOOL SetCursorPos(int X, int Y);
UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT uInterval);
// Synthetic input: goes through the same queue as the backend's events.
void mouse_event(DWORD dwFlags, DWORD dx, DWORD dy, DWORD dwData, std::uintptr_t dwExtraInfo);
void keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, std::uintptr_t dwExtraInfo);
// True when the pointer leaves the drag rectangle (SM_CXDRAG) around pt with the left button held before
// it is released; runs its own small loop over the queued input.
BOOL DragDetect(HWND hwnd, POINT pt);
BOOL MessageBeep(UINT uType);

// ---- Keyboard state (high bit: down; low bit: toggled)
short GetKeyState(int nVirtKey);
short GetAsyncKeyState(int vKey);
BOOL GetKeyboardState(BYTE* lpKeyState);
BOOL SetKeyboardState(BYTE* lpKeyState);
UINT MapVirtualKey(UINT uCode, UINT uMapType);
// Key names of the platform's English keyboard ("Ctrl", "Num Lock", "Page Up", "A" ...) from the lParam
// layout of the key messages (scan code in bits 16-23, extended key bit 24, "don't care" bit 25).
int GetKeyNameText(LONG lParam, char* lpString, int cchSize);
short VkKeyScan(char ch);

// ---- Focus and activation
HWND SetFocus(HWND hWnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hWnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hWnd);
HWND GetForegroundWindow();

// ---- Hooks (thread hooks; a hook may unhook itself, or another, while it is being called)
HHOOK SetWindowsHookEx(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
BOOL UnhookWindowsHookEx(HHOOK hhk);
LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
// For the modal loops of other layers (menus, dialogs, message boxes): offers a message to the
// WH_MSGFILTER hooks with code (MSGF_MENU, MSGF_DIALOGBOX, ...); true = a hook processed it, skip it.
BOOL CallMsgFilter(MSG* lpMsg, int nCode);

// ---- The caret: one per thread, owned by one window, drawn by inverting its rectangle in the owner's client
// area and blinking at the caret blink time. A new caret is hidden until ShowCaret; hiding counts
// (HideCaret twice wants ShowCaret twice). BeginPaint hides it while its owner paints, EndPaint shows it
// again. SetCaretPos shows it at once (the blink starts over). The caret dies with its owner. Its place
// also tells the display where typed text goes in (an input method's candidate window).
// hBitmap: null for a solid caret of width by height (0: the border's width or height), (HBITMAP)1 for a
// grey one, else a bitmap whose size and pixels make the caret.
BOOL CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hWnd);
BOOL HideCaret(HWND hWnd);
BOOL SetCaretPos(int X, int Y);
BOOL GetCaretPos(POINT* lpPoint);
// Milliseconds the caret stays on and off; INFINITE: it does not blink. 530 by default.
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT uMSeconds);
constexpr UINT INFINITE = 0xFFFFFFFF;

// ---- Cursors
HCURSOR LoadCursor(HINSTANCE hInstance, const char* lpCursorName);
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();
int ShowCursor(BOOL bShow);

} // namespace win
