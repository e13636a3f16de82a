#pragma once
// System metrics and parameters, monitors and the work area.

#include "platform/win/GdiObjects.h"
#include "platform/win/Window.h"

namespace win {

// Values of the classic look at 96 DPI: borders 1, edges 2, fixed frame 3, sizing frame 4, caption 19
// (small caption 15), menu bar 19, caption buttons 18, scroll bars 16, icons 32 (small 16), double-click
// and drag rectangles 4; screen values come from the backend's monitors.
int GetSystemMetrics(int nIndex);

struct NONCLIENTMETRICS {
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONT lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONT lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
    int iPaddedBorderWidth;
};

// SPI_GETWORKAREA (the primary monitor's work area), SPI_GETNONCLIENTMETRICS ("Tahoma" 8 point fonts, bold
// caption), the menu animation, fade, flat-menu, drop-shadow and keyboard-cue flags (kept in this process;
// the SET calls send WM_SETTINGCHANGE to the top-level windows when fWinIni asks for it), hover sizes and
// times, wheel lines. Unknown actions fail.
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);

HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags);
HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags);
HMONITOR MonitorFromRect(const RECT* lprc, DWORD dwFlags);
// Takes a MONITORINFO or MONITORINFOEX (by cbSize).
BOOL GetMonitorInfo(HMONITOR hMonitor, MONITORINFO* lpmi);
using MONITORENUMPROC = BOOL (*)(HMONITOR, HDC, RECT*, LPARAM);
BOOL EnumDisplayMonitors(HDC hdc, const RECT* lprcClip, MONITORENUMPROC lpfnEnum, LPARAM dwData);

} // namespace win
