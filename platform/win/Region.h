#pragma once
// Regions: lists of rectangles kept in y-x bands as GDI keeps them. Rectangles are sorted by top, then
// by left; rectangles of one band share their top and bottom, do not touch or overlap, and two
// vertically adjacent bands with the same spans are merged into one.

#include <climits>
#include <vector>

#include "platform/win/GdiObject.h"

namespace win {

// Region kinds returned by the region calls.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_ERROR = ERROR;

// CombineRgn modes (also ExtSelectClipRgn).
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

constexpr DWORD RDH_RECTANGLES = 1;

struct RGNDATAHEADER {
    DWORD dwSize;
    DWORD iType;
    DWORD nCount;
    DWORD nRgnSize;
    RECT rcBound;
};

// A region's data: the header followed by nCount RECTs in Buffer.
struct RGNDATA {
    RGNDATAHEADER rdh;
    char Buffer[1];
};

struct GdiRegion : GdiObject {
    GdiRegion();
    ~GdiRegion() override;
    std::vector<RECT> Rects; // banded, as described above
    RECT Extents{};          // bounding box; empty when Rects is empty
};

HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
HRGN CreateRectRgnIndirect(const RECT* lprect);
// Corners are quarter ellipses of width w and height h. A box with no width or no height gives an empty
// region, as a rectangle region does.
HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h);
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
HRGN CreateEllipticRgnIndirect(const RECT* lprect);
HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode);
HRGN CreatePolyPolygonRgn(const POINT* pptl, const int* pc, int cPoly, int iMode);

// hrgnDst receives the combination of hrgnSrc1 and hrgnSrc2 (hrgnSrc2 is ignored by RGN_COPY);
// the destination may be one of the sources. Returns the kind of the result, or ERROR.
int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
// Moves the region. Where part of it would leave the int range, it stops at the range's end: what is
// pushed past it is gone, as it could never be drawn (see detail::OffsetRects).
int OffsetRgn(HRGN hrgn, int x, int y);
int GetRgnBox(HRGN hrgn, RECT* lprc);
BOOL PtInRegion(HRGN hrgn, int x, int y);
BOOL RectInRegion(HRGN hrgn, const RECT* lprect);
BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);
BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);
// Copies the region's rectangles (RGNDATA with RDH_RECTANGLES) into lpRgnData, whose size in bytes is
// nCount. With lpRgnData null, returns the size needed; a buffer too small fails with 0; otherwise
// returns the size written.
DWORD GetRegionData(HRGN hrgn, DWORD nCount, RGNDATA* lpRgnData);
// A region of the union of the RDH_RECTANGLES in lpData (nCount: its size in bytes), in any order,
// overlapping or not. No transformation is supported: lpx must be null. Null on bad data.
struct XFORM;
HRGN ExtCreateRegion(const XFORM* lpx, DWORD nCount, const RGNDATA* lpData);

namespace detail {
// The region's rectangles (an empty list for a null or dead handle).
std::vector<RECT> GetRegionRects(HRGN hrgn);
// A region of the given banded rectangles.
HRGN CreateRegionFromRects(std::vector<RECT> rects);

// Operations on banded rectangle lists.
using RectList = std::vector<RECT>;
// The banded list of the union of any rectangles.
RectList RectsUnion(std::vector<RECT> rects);
RectList CombineRects(const RectList& a, const RectList& b, int mode);
RectList RectsFromRect(const RECT& r);
// Builds a banded list from one span list per row: rows[i] holds sorted, disjoint [x0, x1) pairs of row
// top + i.
RectList RectsFromRows(int top, const std::vector<std::vector<int>>& rows);
// Shapes larger than this many rows are refused by the region calls.
constexpr int MaxShapeRows = 1 << 20;
RECT RectsExtents(const RectList& rects);
int RectsKind(const RectList& rects);
bool RectsContain(const RectList& rects, int x, int y);
// Whether r shares a pixel with the rectangles.
bool RectsMeet(const RectList& rects, const RECT& r);
// Moves the rectangles; an edge that would leave the int range stops at its end (OffsetRgn, the window
// system's offsets of update and visible regions, a DC's clip).
void OffsetRects(RectList& rects, int dx, int dy);

// Rasterised shapes as rows of spans, shared by the regions and the drawing calls. A pixel belongs to a
// shape when its centre lies inside the shape. Rows[i] holds the sorted [x0, x1) pairs of row Top + i.
struct ShapeRows {
    int Top = 0;
    std::vector<std::vector<int>> Rows;
};
// A row per pixel is kept, so a caller bounds them: the region calls refuse shapes taller than
// MaxShapeRows, and drawing asks only for the rows the clip reaches.
// The rows of a rounded rectangle whose corners are quarter ellipses of width w and height h (an ellipse
// is a rounded rectangle with w and h the full size), limited to the rows [yFrom, yTo).
ShapeRows RoundRectRows(int left, int top, int right, int bottom, int w, int h, int yFrom = INT_MIN,
                        int yTo = INT_MAX);
// Closed polygons (counts[k] points each) with the fill mode, limited to the rows [yFrom, yTo).
ShapeRows PolygonRows(const POINT* pts, const int* counts, int polys, int mode, int yFrom = INT_MIN,
                      int yTo = INT_MAX);
} // namespace detail

} // namespace win
