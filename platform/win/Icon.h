#pragma once
// Icons and cursors: an ARGB image with a hot spot.

#include <vector>

#include "platform/win/GdiObjects.h"

namespace win {

struct ICONINFO {
    BOOL fIcon;
    DWORD xHotspot;
    DWORD yHotspot;
    HBITMAP hbmMask;
    HBITMAP hbmColor;
};

// The record behind HICON and HCURSOR: premultiplied ARGB pixels (0xAARRGGBB), row by row.
struct IconRecord {
    int Width = 0;
    int Height = 0;
    bool IsIcon = true;
    POINT HotSpot{};
    std::vector<std::uint32_t> Pixels;
};

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;
constexpr UINT DI_COMPAT = 0x0004;
constexpr UINT DI_DEFAULTSIZE = 0x0008;

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_COPYDELETEORG = 0x0008;

// From a colour bitmap (32 bits: its alpha is used if any pixel has one, else the mask decides) and a
// mask bitmap (set bits are transparent). The bitmaps are copied.
HICON CreateIconIndirect(ICONINFO* piconinfo);
BOOL DestroyIcon(HICON hIcon);
HICON CopyIcon(HICON hIcon);
// Fills in piconinfo with new bitmaps (the caller deletes them).
BOOL GetIconInfo(HICON hIcon, ICONINFO* piconinfo);
// cxWidth/cyHeight 0 = the icon's own size; hbrFlickerFreeDraw, if given, paints the background first
// through an off-screen bitmap.
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags);
BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon);
// Copies an icon (IMAGE_ICON/IMAGE_CURSOR, resized when cx/cy are not 0) or a bitmap (IMAGE_BITMAP).
HANDLE CopyImage(HANDLE h, UINT type, int cx, int cy, UINT flags);

namespace detail {
// An icon from premultiplied ARGB pixels (width * height values).
HICON CreateIconFromPixels(int width, int height, const std::uint32_t* pixels, bool isIcon, POINT hotSpot);
// Whether h is an icon that was made and not yet destroyed.
bool IsLiveIcon(HICON h);
} // namespace detail

} // namespace win
