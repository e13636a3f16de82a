#pragma once
// The GDI+ flat interface: types, enumerations and Gdip* functions with GDI+'s names, signatures,
// numeric values and status codes, drawn with Cairo, Pango and gdk-pixbuf.
//
// Strings are UTF-16 (WCHAR = char16_t). A length of -1 means "up to the terminating zero".
// Degenerate input (null pointers, NaN or infinite coordinates, coordinates beyond +-4,000,000, negative or
// huge sizes) returns a failure status and draws nothing. Drawing calls given an empty rectangle or an empty
// path draw nothing and return Ok, as GDI+ does; creating a gradient over an empty rectangle or path
// returns OutOfMemory, GDI+'s answer.
// World transforms and page units are not offered: world units are device pixels (96 dots per inch).

#include <cstddef>
#include <cstdint>

#include "platform/win/Global.h"
#include "platform/win/WinTypes.h"

namespace gdip {

using INT = std::int32_t;
using UINT = std::uint32_t;
using UINT32 = std::uint32_t;
using INT16 = std::int16_t;
using UINT16 = std::uint16_t;
using BYTE = std::uint8_t;
using BOOL = win::BOOL;
using LANGID = std::uint16_t;
using REAL = float;
using ULONG_PTR = std::uintptr_t;
using WCHAR = char16_t;
using CHAR = char;
using ARGB = std::uint32_t; // 0xAARRGGBB
using PixelFormat = INT;
using HDC = win::HDC;
using IStream = win::IStream;

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
    friend constexpr bool operator==(const GUID&, const GUID&) = default;
};
using CLSID = GUID;

enum Status : INT {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20
};
using GpStatus = Status;

// ---- value types ----
struct GpPointF {
    REAL X;
    REAL Y;
};
struct GpPoint {
    INT X;
    INT Y;
};
struct GpRectF {
    REAL X;
    REAL Y;
    REAL Width;
    REAL Height;
};
struct GpRect {
    INT X;
    INT Y;
    INT Width;
    INT Height;
};
struct GpSizeF {
    REAL Width;
    REAL Height;
};
using PointF = GpPointF;
using Point = GpPoint;
using RectF = GpRectF;
using Rect = GpRect;
using SizeF = GpSizeF;

// ---- enumerations (GDI+'s numeric values; any INT converts safely, and the calls check the range) ----
enum SmoothingMode : INT {
    SmoothingModeInvalid = -1,
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4,
    SmoothingModeAntiAlias8x4 = 4,
    SmoothingModeAntiAlias8x8 = 5
};
enum CompositingQuality : INT {
    CompositingQualityInvalid = -1,
    CompositingQualityDefault = 0,
    CompositingQualityHighSpeed = 1,
    CompositingQualityHighQuality = 2,
    CompositingQualityGammaCorrected = 3,
    CompositingQualityAssumeLinear = 4
};
enum TextRenderingHint : INT {
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintSingleBitPerPixelGridFit = 1,
    TextRenderingHintSingleBitPerPixel = 2,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5
};
enum FlushIntention : INT { FlushIntentionFlush = 0, FlushIntentionSync = 1 };
using GpFlushIntention = FlushIntention;
enum DebugEventLevel : INT { DebugEventLevelFatal = 0, DebugEventLevelWarning = 1 };

enum Unit : INT {
    UnitWorld = 0,
    UnitDisplay = 1,
    UnitPixel = 2,
    UnitPoint = 3,
    UnitInch = 4,
    UnitDocument = 5,
    UnitMillimeter = 6
};
using GpUnit = Unit;

enum DashStyle : INT {
    DashStyleSolid = 0,
    DashStyleDash = 1,
    DashStyleDot = 2,
    DashStyleDashDot = 3,
    DashStyleDashDotDot = 4,
    DashStyleCustom = 5
};
using GpDashStyle = DashStyle;

enum LineCap : INT {
    LineCapFlat = 0,
    LineCapSquare = 1,
    LineCapRound = 2,
    LineCapTriangle = 3,
    LineCapNoAnchor = 0x10,
    LineCapSquareAnchor = 0x11,
    LineCapRoundAnchor = 0x12,
    LineCapDiamondAnchor = 0x13,
    LineCapArrowAnchor = 0x14,
    LineCapCustom = 0xFF,
    LineCapAnchorMask = 0xF0
};
using GpLineCap = LineCap;

enum WrapMode : INT {
    WrapModeTile = 0,
    WrapModeTileFlipX = 1,
    WrapModeTileFlipY = 2,
    WrapModeTileFlipXY = 3,
    WrapModeClamp = 4
};
using GpWrapMode = WrapMode;

enum LinearGradientMode : INT {
    LinearGradientModeHorizontal = 0,
    LinearGradientModeVertical = 1,
    LinearGradientModeForwardDiagonal = 2,
    LinearGradientModeBackwardDiagonal = 3
};

enum FillMode : INT { FillModeAlternate = 0, FillModeWinding = 1 };
using GpFillMode = FillMode;

enum CombineMode : INT {
    CombineModeReplace = 0,
    CombineModeIntersect = 1,
    CombineModeUnion = 2,
    CombineModeXor = 3,
    CombineModeExclude = 4,
    CombineModeComplement = 5
};

enum FontStyle : INT {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleBoldItalic = 3,
    FontStyleUnderline = 4,
    FontStyleStrikeout = 8
};

enum StringAlignment : INT { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };

enum StringTrimming : INT {
    StringTrimmingNone = 0,
    StringTrimmingCharacter = 1,
    StringTrimmingWord = 2,
    StringTrimmingEllipsisCharacter = 3,
    StringTrimmingEllipsisWord = 4,
    StringTrimmingEllipsisPath = 5
};

enum HotkeyPrefix : INT { HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2 };

enum StringFormatFlags : INT {
    StringFormatFlagsDirectionRightToLeft = 0x00000001,
    StringFormatFlagsDirectionVertical = 0x00000002,
    StringFormatFlagsNoFitBlackBox = 0x00000004,
    StringFormatFlagsDisplayFormatControl = 0x00000020,
    StringFormatFlagsNoFontFallback = 0x00000400,
    StringFormatFlagsMeasureTrailingSpaces = 0x00000800,
    StringFormatFlagsNoWrap = 0x00001000,
    StringFormatFlagsLineLimit = 0x00002000,
    StringFormatFlagsNoClip = 0x00004000
};

enum RotateFlipType : INT {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6,
    Rotate270FlipX = 7,
    RotateNoneFlipY = Rotate180FlipX,
    Rotate90FlipY = Rotate270FlipX,
    Rotate180FlipY = RotateNoneFlipX,
    Rotate270FlipY = Rotate90FlipX,
    RotateNoneFlipXY = Rotate180FlipNone,
    Rotate90FlipXY = Rotate270FlipNone,
    Rotate180FlipXY = RotateNoneFlipNone,
    Rotate270FlipXY = Rotate90FlipNone
};

// Path point types, as a path's points are tagged.
enum PathPointType : INT {
    PathPointTypeStart = 0,
    PathPointTypeLine = 1,
    PathPointTypeBezier = 3,
    PathPointTypePathTypeMask = 0x07,
    PathPointTypeDashMode = 0x10,
    PathPointTypePathMarker = 0x20,
    PathPointTypeCloseSubpath = 0x80
};

// ---- pixel formats ----
constexpr PixelFormat PixelFormatIndexed = 0x00010000;
constexpr PixelFormat PixelFormatGDI = 0x00020000;
constexpr PixelFormat PixelFormatAlpha = 0x00040000;
constexpr PixelFormat PixelFormatPAlpha = 0x00080000;
constexpr PixelFormat PixelFormatExtended = 0x00100000;
constexpr PixelFormat PixelFormatCanonical = 0x00200000;
constexpr PixelFormat PixelFormatUndefined = 0;
constexpr PixelFormat PixelFormatDontCare = 0;
constexpr PixelFormat PixelFormat1bppIndexed = 0x00030101;
constexpr PixelFormat PixelFormat4bppIndexed = 0x00030402;
constexpr PixelFormat PixelFormat8bppIndexed = 0x00030803;
constexpr PixelFormat PixelFormat16bppGrayScale = 0x00101004;
constexpr PixelFormat PixelFormat16bppRGB555 = 0x00021005;
constexpr PixelFormat PixelFormat16bppRGB565 = 0x00021006;
constexpr PixelFormat PixelFormat16bppARGB1555 = 0x00061007;
constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;
constexpr PixelFormat PixelFormat48bppRGB = 0x0010300C;
constexpr PixelFormat PixelFormat64bppARGB = 0x0034400D;
constexpr PixelFormat PixelFormat64bppPARGB = 0x001A400E;

// ---- image formats ----
inline constexpr GUID ImageFormatUndefined = {
    0xb96b3ca9, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatMemoryBMP = {
    0xb96b3caa, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatBMP = {
    0xb96b3cab, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatEMF = {
    0xb96b3cac, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatWMF = {
    0xb96b3cad, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatJPEG = {
    0xb96b3cae, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatPNG = {
    0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatGIF = {
    0xb96b3cb0, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatTIFF = {
    0xb96b3cb1, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatEXIF = {
    0xb96b3cb2, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatIcon = {
    0xb96b3cb5, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// ---- start-up ----
using DebugEventProc = void (*)(DebugEventLevel level, CHAR* message);
using NotificationHookProc = Status (*)(ULONG_PTR* token);
using NotificationUnhookProc = void (*)(ULONG_PTR token);

struct GdiplusStartupInput {
    UINT32 GdiplusVersion = 1;
    DebugEventProc DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = 0;
    BOOL SuppressExternalCodecs = 0;
};
struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook = nullptr;
    NotificationUnhookProc NotificationUnhook = nullptr;
};

// ---- objects (opaque; made and freed only through the functions below) ----
struct GpGraphics;
struct GpPen;
struct GpPath;
struct GpRegion;
struct GpFontFamily;
struct GpFontCollection;
struct GpFont;
struct GpStringFormat;
struct GpMatrix; // transforms are not offered; pass nullptr
struct EncoderParameters;

class GpBrush {
public:
    virtual ~GpBrush() = default;
    GpBrush(const GpBrush&) = delete;
    GpBrush& operator=(const GpBrush&) = delete;

protected:
    GpBrush() = default;
};
class GpSolidFill : public GpBrush {
protected:
    GpSolidFill() = default;
};
class GpLineGradient : public GpBrush {
protected:
    GpLineGradient() = default;
};
class GpPathGradient : public GpBrush {
protected:
    GpPathGradient() = default;
};

class GpImage {
public:
    virtual ~GpImage() = default;
    GpImage(const GpImage&) = delete;
    GpImage& operator=(const GpImage&) = delete;

protected:
    GpImage() = default;
};
class GpBitmap : public GpImage {
protected:
    GpBitmap() = default;
};

// ---- start-up and memory ----
// Counts start-ups; every call returns a fresh non-zero token. Calls without start-up are permitted.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);
void* GdipAlloc(std::size_t size);
void GdipFree(void* ptr);

// ---- graphics ----
GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
GpStatus GdipFlush(GpGraphics* graphics, GpFlushIntention intention);
GpStatus GdipGetDC(GpGraphics* graphics, HDC* hdc);
GpStatus GdipReleaseDC(GpGraphics* graphics, HDC hdc);
GpStatus GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint mode);
GpStatus GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* mode);
GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode smoothingMode);
GpStatus GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* smoothingMode);
GpStatus GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality compositingQuality);
GpStatus GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* compositingQuality);
GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color);
GpStatus GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);
GpStatus GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height);
GpStatus GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
GpStatus GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path);
GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path);
GpStatus GdipDrawString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                        const RectF* layoutRect, const GpStringFormat* stringFormat, const GpBrush* brush);
GpStatus GdipMeasureString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                           const RectF* layoutRect, const GpStringFormat* stringFormat, RectF* boundingBox,
                           INT* codepointsFitted, INT* linesFilled);
GpStatus GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y);
GpStatus GdipDrawImage(GpGraphics* graphics, GpImage* image, REAL x, REAL y);
GpStatus GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height);
GpStatus GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height,
                         CombineMode combineMode);
GpStatus GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode combineMode);
GpStatus GdipSetClipPath(GpGraphics* graphics, GpPath* path, CombineMode combineMode);
GpStatus GdipResetClip(GpGraphics* graphics);

// ---- pens ----
GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipDeletePen(GpPen* pen);
GpStatus GdipSetPenDashStyle(GpPen* pen, GpDashStyle dashStyle);
GpStatus GdipGetPenDashStyle(GpPen* pen, GpDashStyle* dashStyle);
GpStatus GdipSetPenStartCap(GpPen* pen, GpLineCap startCap);
GpStatus GdipSetPenEndCap(GpPen* pen, GpLineCap endCap);
GpStatus GdipGetPenEndCap(GpPen* pen, GpLineCap* endCap);
GpStatus GdipGetPenWidth(GpPen* pen, REAL* width);
GpStatus GdipGetPenColor(GpPen* pen, ARGB* argb);

// ---- brushes ----
GpStatus GdipDeleteBrush(GpBrush* brush);
GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color);
GpStatus GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                     GpWrapMode wrapMode, GpLineGradient** lineGradient);
GpStatus GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                      GpWrapMode wrapMode, GpLineGradient** lineGradient);

GpStatus GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** polyGradient);
GpStatus GdipSetPathGradientCenterColor(GpPathGradient* brush, ARGB colors);
GpStatus GdipGetPathGradientCenterColor(GpPathGradient* brush, ARGB* colors);
GpStatus GdipSetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* points);
GpStatus GdipGetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* points);
GpStatus GdipSetPathGradientCenterPointI(GpPathGradient* brush, GpPoint* points);
GpStatus GdipGetPathGradientCenterPointI(GpPathGradient* brush, GpPoint* points);
GpStatus GdipGetPathGradientPointCount(GpPathGradient* brush, INT* count);
// count is in/out: the number of colours given; stays as given on success. More colours than the path
// has points, or fewer than one, is InvalidParameter. Points beyond the last colour take the last colour.
GpStatus GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* brush, const ARGB* color, INT* count);
GpStatus GdipGetPathGradientSurroundColorCount(GpPathGradient* brush, INT* count);
// count is in/out: the room in color on entry (InsufficientBuffer when too small), the number written out.
GpStatus GdipGetPathGradientSurroundColorsWithCount(GpPathGradient* brush, ARGB* color, INT* count);

// ---- paths ----
GpStatus GdipCreatePath(GpFillMode brushMode, GpPath** path);
GpStatus GdipDeletePath(GpPath* path);
GpStatus GdipClonePath(GpPath* path, GpPath** clonePath);
GpStatus GdipResetPath(GpPath* path);
GpStatus GdipGetPointCount(GpPath* path, INT* count);
GpStatus GdipGetPathTypes(GpPath* path, BYTE* types, INT count);
GpStatus GdipGetPathPoints(GpPath* path, GpPointF* points, INT count);
GpStatus GdipGetPathFillMode(GpPath* path, GpFillMode* fillmode);
GpStatus GdipSetPathFillMode(GpPath* path, GpFillMode fillmode);
GpStatus GdipGetPathWorldBounds(GpPath* path, GpRectF* bounds, const GpMatrix* matrix, const GpPen* pen);
GpStatus GdipStartPathFigure(GpPath* path);
GpStatus GdipClosePathFigure(GpPath* path);
GpStatus GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2);
GpStatus GdipAddPathLineI(GpPath* path, INT x1, INT y1, INT x2, INT y2);
GpStatus GdipAddPathLine2(GpPath* path, const GpPointF* points, INT count);
GpStatus GdipAddPathLine2I(GpPath* path, const GpPoint* points, INT count);
GpStatus GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                        REAL sweepAngle);
GpStatus GdipAddPathArcI(GpPath* path, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle);
GpStatus GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipAddPathEllipseI(GpPath* path, INT x, INT y, INT width, INT height);
GpStatus GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                        REAL sweepAngle);
GpStatus GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count);
GpStatus GdipAddPathPolygonI(GpPath* path, const GpPoint* points, INT count);
GpStatus GdipAddPathCurve(GpPath* path, const GpPointF* points, INT count);
GpStatus GdipAddPathCurveI(GpPath* path, const GpPoint* points, INT count);
GpStatus GdipAddPathCurve2(GpPath* path, const GpPointF* points, INT count, REAL tension);
GpStatus GdipAddPathCurve2I(GpPath* path, const GpPoint* points, INT count, REAL tension);
GpStatus GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4,
                           REAL y4);
GpStatus GdipAddPathBezierI(GpPath* path, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4);

// ---- regions ----
GpStatus GdipCreateRegion(GpRegion** region); // the infinite region
GpStatus GdipCreateRegionRect(const GpRectF* rect, GpRegion** region);
GpStatus GdipCreateRegionRectI(const GpRect* rect, GpRegion** region);
GpStatus GdipCreateRegionPath(GpPath* path, GpRegion** region);
GpStatus GdipCloneRegion(GpRegion* region, GpRegion** cloneRegion);
GpStatus GdipDeleteRegion(GpRegion* region);
GpStatus GdipCombineRegionRect(GpRegion* region, const GpRectF* rect, CombineMode combineMode);
GpStatus GdipCombineRegionPath(GpRegion* region, GpPath* path, CombineMode combineMode);
GpStatus GdipCombineRegionRegion(GpRegion* region1, GpRegion* region2, CombineMode combineMode);
GpStatus GdipIsVisibleRegionPoint(GpRegion* region, REAL x, REAL y, GpGraphics* graphics, BOOL* result);

// ---- fonts and text ----
GpStatus GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* fontCollection,
                                      GpFontFamily** fontFamily);
GpStatus GdipDeleteFontFamily(GpFontFamily* fontFamily);
GpStatus GdipGetFamilyName(const GpFontFamily* family, WCHAR name[32], LANGID language);
GpStatus GdipCreateFont(const GpFontFamily* fontFamily, REAL emSize, INT style, Unit unit, GpFont** font);
GpStatus GdipDeleteFont(GpFont* font);
GpStatus GdipGetFontSize(GpFont* font, REAL* size);
GpStatus GdipGetFontStyle(GpFont* font, INT* style);
GpStatus GdipGetFontUnit(GpFont* font, Unit* unit);

GpStatus GdipCreateStringFormat(INT formatAttributes, LANGID language, GpStringFormat** format);
GpStatus GdipDeleteStringFormat(GpStringFormat* format);
GpStatus GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** newFormat);
GpStatus GdipSetStringFormatFlags(GpStringFormat* format, INT flags);
GpStatus GdipGetStringFormatFlags(const GpStringFormat* format, INT* flags);
GpStatus GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align);
GpStatus GdipGetStringFormatAlign(const GpStringFormat* format, StringAlignment* align);
GpStatus GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align);
GpStatus GdipGetStringFormatLineAlign(const GpStringFormat* format, StringAlignment* align);
GpStatus GdipSetStringFormatTrimming(GpStringFormat* format, StringTrimming trimming);
GpStatus GdipGetStringFormatTrimming(const GpStringFormat* format, StringTrimming* trimming);
GpStatus GdipSetStringFormatHotkeyPrefix(GpStringFormat* format, INT hotkeyPrefix);
GpStatus GdipGetStringFormatHotkeyPrefix(const GpStringFormat* format, INT* hotkeyPrefix);

// ---- images and bitmaps ----
GpStatus GdipLoadImageFromFile(const WCHAR* filename, GpImage** image);
GpStatus GdipLoadImageFromFileICM(const WCHAR* filename, GpImage** image);
GpStatus GdipLoadImageFromStream(IStream* stream, GpImage** image);
GpStatus GdipLoadImageFromStreamICM(IStream* stream, GpImage** image);
GpStatus GdipDisposeImage(GpImage* image);
GpStatus GdipCloneImage(GpImage* image, GpImage** cloneImage);
GpStatus GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus GdipGetImageHeight(GpImage* image, UINT* height);
GpStatus GdipGetImageRawFormat(GpImage* image, GUID* format);
GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format);
GpStatus GdipImageRotateFlip(GpImage* image, RotateFlipType rfType);
GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
GpStatus GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap);
GpStatus GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap** bitmap);
// stride 0 with scan0 nullptr: the bitmap allocates its own zeroed pixels. With scan0 given, the pixels are
// copied in at creation (a stride of at least width * bytes per pixel is required; negative strides are
// bottom-up); later changes to the caller's buffer do not reach the bitmap.
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap);
GpStatus GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color);
GpStatus GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color);
// Saves as PNG (the encoder CLSID and parameters are not examined beyond being given).
GpStatus GdipSaveImageToFile(GpImage* image, const WCHAR* filename, const CLSID* clsidEncoder,
                             const EncoderParameters* encoderParams);

} // namespace gdip
