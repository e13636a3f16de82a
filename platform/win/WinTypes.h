#pragma once
// The window system's value types and handles, under the platform's own names.

#include <cstdint>

#include "platform/rtl/Types.h"

namespace win {

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using ATOM = std::uint16_t;
// 0x00BBGGRR, as the platform's colour references.
using COLORREF = std::uint32_t;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

using RECT = vcl::TRect;
using POINT = vcl::TPoint;
using SIZE = vcl::TSize;

// Handles are pointers to the window system's own records; a null handle is nullptr.
struct WindowRecord;
using HWND = WindowRecord*;

struct MenuRecord;
using HMENU = MenuRecord*;

// GDI objects share one base record, so that SelectObject and DeleteObject take any of them.
struct GdiObject;
struct GdiPen;
struct GdiBrush;
struct GdiFont;
struct GdiBitmap;
struct GdiRegion;
struct GdiPalette;
using HGDIOBJ = GdiObject*;
using HPEN = GdiPen*;
using HBRUSH = GdiBrush*;
using HFONT = GdiFont*;
using HBITMAP = GdiBitmap*;
using HRGN = GdiRegion*;
using HPALETTE = GdiPalette*;

struct DeviceContext;
using HDC = DeviceContext*;

struct IconRecord;
using HICON = IconRecord*;
using HCURSOR = IconRecord*;

struct HookRecord;
using HHOOK = HookRecord*;

struct MonitorRecord;
using HMONITOR = MonitorRecord*;

struct ModuleRecord;
using HINSTANCE = ModuleRecord*;
using HMODULE = ModuleRecord*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using HOOKPROC = LRESULT (*)(int code, WPARAM, LPARAM);

constexpr WORD LOWORD(std::uintptr_t v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr std::int16_t GET_X_LPARAM(LPARAM v) {
    return static_cast<std::int16_t>(v & 0xFFFF);
}
constexpr std::int16_t GET_Y_LPARAM(LPARAM v) {
    return static_cast<std::int16_t>((v >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int lo, int hi) {
    return static_cast<LPARAM>(static_cast<DWORD>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) {
    return static_cast<WPARAM>(static_cast<DWORD>(MAKELPARAM(lo, hi)));
}
constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}

} // namespace win
