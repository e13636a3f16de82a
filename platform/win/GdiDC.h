#pragma once
// Device contexts: creation, selected objects, saved states, coordinates, modes and clipping.

#include "platform/win/GdiObjects.h"
#include "platform/win/Region.h"

namespace win {

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text alignment (SetTextAlign).
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT TA_RTLREADING = 256;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;

// Mix modes (SetROP2).
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Stretch modes.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr int STRETCH_ANDSCANS = BLACKONWHITE;
constexpr int STRETCH_ORSCANS = WHITEONBLACK;
constexpr int STRETCH_DELETESCANS = COLORONCOLOR;
constexpr int STRETCH_HALFTONE = HALFTONE;

// Polygon fill mode: ALTERNATE / WINDING (Region.h).

// GetDeviceCaps indexes.
constexpr int DRIVERVERSION = 0;
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMBRUSHES = 16;
constexpr int NUMPENS = 18;
constexpr int NUMFONTS = 22;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int VREFRESH = 116;
constexpr int DESKTOPVERTRES = 117;
constexpr int DESKTOPHORZRES = 118;
constexpr int DT_RASDISPLAY = 1;
constexpr int RC_BITBLT = 1;
constexpr int RC_STRETCHBLT = 0x0800;
constexpr int RC_DI_BITMAP = 0x0080;
constexpr int RC_STRETCHDIB = 0x2000;

// OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_PAL for GetCurrentObject: GdiObject.h.

// A memory DC, with a 1 by 1 monochrome bitmap selected. hdc may be null or any DC.
HDC CreateCompatibleDC(HDC hdc);
// Frees a memory DC (or a DC made by CreateSurfaceDC); objects selected into it are released.
BOOL DeleteDC(HDC hdc);

// Selects a pen, brush, font or bitmap and returns the previous one (null on failure). Selecting a region
// selects a copy of it as the clip region (as SelectClipRgn) and returns the region kind (cast to HGDIOBJ).
// A bitmap can be selected into a memory DC only, and into one DC at a time.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);

// Saves the DC's state; returns its level (>= 1), 0 on failure. RestoreDC(level) restores the state saved
// at that level, dropping the later ones; a negative level counts back from the newest (-1 = newest).
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int nSavedDC);

// Coordinates: device = logical - window origin + viewport origin (the mapping mode is MM_TEXT).
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL GetViewportOrgEx(HDC hdc, POINT* lppoint);
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL GetWindowOrgEx(HDC hdc, POINT* lppoint);
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL LPtoDP(HDC hdc, POINT* lppt, int c);
BOOL DPtoLP(HDC hdc, POINT* lppt, int c);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL GetBrushOrgEx(HDC hdc, POINT* lppt);
BOOL MoveToEx(HDC hdc, int x, int y, POINT* lppt);
BOOL GetCurrentPositionEx(HDC hdc, POINT* lppt);

// Colours and modes; each setter returns the previous value (CLR_INVALID or 0 on failure).
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);
int SetPolyFillMode(HDC hdc, int mode);
int GetPolyFillMode(HDC hdc);
COLORREF SetDCBrushColor(HDC hdc, COLORREF color);
COLORREF SetDCPenColor(HDC hdc, COLORREF color);
int SetTextCharacterExtra(HDC hdc, int extra);
int GetTextCharacterExtra(HDC hdc);

// Clipping. The clip region is kept in device coordinates; the region handed in is copied.
// SelectClipRgn(dc, nullptr) removes the clip. Each returns the kind of the new clip region, or ERROR.
int SelectClipRgn(HDC hdc, HRGN hrgn);
int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC hdc, int x, int y);
// The bounds of what can be drawn, in logical coordinates.
int GetClipBox(HDC hdc, RECT* lprect);
// Copies the DC's clip region (device coordinates) into hrgn: 1 if there is one, 0 if none, -1 on error.
int GetClipRgn(HDC hdc, HRGN hrgn);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* lprect);

// 96 pixels per inch, 32 bits per pixel; HORZRES/VERTRES give the surface size (the screen's for a DC of
// no window).
int GetDeviceCaps(HDC hdc, int index);
// The window of a window DC, null for others.
HWND WindowFromDC(HDC hdc);
BOOL GdiFlush();

} // namespace win
