#pragma once
// The base record shared by every GDI object (pens, brushes, fonts, bitmaps, regions, palettes),
// and the calls that take any of them.

#include "platform/win/WinTypes.h"

namespace win {

// Object types as GetObjectType reports them.
constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_METADC = 4;
constexpr DWORD OBJ_PAL = 5;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_REGION = 8;
constexpr DWORD OBJ_METAFILE = 9;
constexpr DWORD OBJ_MEMDC = 10;
constexpr DWORD OBJ_EXTPEN = 11;

// Stock objects for GetStockObject.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int DEFAULT_PALETTE = 15;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;
constexpr int DC_BRUSH = 18;
constexpr int DC_PEN = 19;

// The base record of every GDI object. Stock objects are never freed: DeleteObject on one
// succeeds and does nothing, as on the platform.
struct GdiObject {
    // Objects enter the table of live handles when made and leave it when destroyed.
    explicit GdiObject(DWORD type);
    virtual ~GdiObject();
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    const DWORD ObjectType;
    bool Stock = false;
    // Number of selections (in device contexts and their saved states) that hold this object.
    int SelectCount = 0;

    // GetObject: copies the description into pv (c bytes at most); with pv null, returns the size.
    virtual int Describe(int c, void* pv) const;
};

// Frees a pen, brush, font, bitmap, region or palette. Fails (FALSE) for a null or unknown handle and, as on
// the platform, for an object still selected into a device context (or a saved state of one), which is
// left alive.
BOOL DeleteObject(HGDIOBJ ho);
// OBJ_* of the object, 0 for a null or unknown handle.
DWORD GetObjectType(HGDIOBJ h);
// Copies the object's description (LOGPEN, EXTLOGPEN, LOGBRUSH, LOGFONT, BITMAP or DIBSECTION) into pv;
// with pv null, returns the size needed. Returns the bytes written, 0 on failure.
int GetObject(HGDIOBJ h, int c, void* pv);
HGDIOBJ GetStockObject(int i);

namespace detail {
// True while h is a live GDI object created by this layer (stock objects included).
bool IsLiveGdiObject(const GdiObject* h);
// A selection reference taken / dropped by a DC.
void RetainSelected(GdiObject* h);
void ReleaseSelected(GdiObject* h);
} // namespace detail

} // namespace win
