#pragma once
// Text: metrics, measuring, TextOut/ExtTextOut and DrawText with its DT_* flags.
//
// Text is UTF-8; counts (cch, c) are in bytes, -1 meaning "up to the terminating zero" where the platform
// allows it. Glyphs are drawn with greyscale anti-aliasing (as a classic desktop with font smoothing);
// every position and size follows GDI's integer geometry.

#include "platform/win/GdiDC.h"

namespace win {

// ExtTextOut options.
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// DrawText formats.
constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

struct DRAWTEXTPARAMS {
    UINT cbSize;
    int iTabLength; // in average character widths
    int iLeftMargin;
    int iRightMargin;
    UINT uiLengthDrawn; // out: bytes processed
};

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* lptm);
int GetTextFace(HDC hdc, int c, char* lpName);
BOOL GetTextExtentPoint32(HDC hdc, const char* lpString, int c, SIZE* psizl);
// lpnFit receives how many characters fit in nMaxExtent; alpDx the extent after each character.
// Counts here are in characters.
BOOL GetTextExtentExPoint(HDC hdc, const char* lpszString, int cchString, int nMaxExtent, int* lpnFit,
                          int* lpnDx, SIZE* lpSize);
BOOL TextOut(HDC hdc, int x, int y, const char* lpString, int c);
// lpDx (per character advances) is not supported and ignored.
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, const char* lpString, UINT c,
                const int* lpDx);

// Draws or measures formatted text in lprc. Returns the text height (for DT_VCENTER and DT_BOTTOM: the
// offset from lprc->top to the bottom of the text), 0 on failure. With DT_MODIFYSTRING and an ellipsis,
// the buffer (which must be writable and hold cchText + 4 bytes) receives the text as shown.
int DrawText(HDC hdc, const char* lpchText, int cchText, RECT* lprc, UINT format);
int DrawTextEx(HDC hdc, char* lpchText, int cchText, RECT* lprc, UINT format, DRAWTEXTPARAMS* lpdtp);

} // namespace win
