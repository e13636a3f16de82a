#pragma once
// The records behind the flat interface's opaque objects, shared by the platform/gdiplus sources only.

#include <cairo.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdiplus/GdiPlusFlat.h"

namespace gdip {

namespace detail {

// Coordinates beyond this are refused: Cairo's 24.8 fixed-point rasteriser cannot hold much more.
constexpr double kMaxCoord = 4.0e6;

inline bool ValidCoord(double v) {
    return std::isfinite(v) && std::fabs(v) <= kMaxCoord;
}
inline bool ValidCoords(std::initializer_list<double> vs) {
    for (double v : vs)
        if (!ValidCoord(v)) return false;
    return true;
}

struct PathData {
    std::vector<GpPointF> points;
    std::vector<BYTE> types;
    FillMode fillMode = FillModeAlternate;
    bool startNew = true;
    // Set while the path is exactly one ellipse (the path gradient brush draws it as a radial gradient).
    bool ellipseOnly = false;
    GpRectF ellipse{};
};

// Appends the path's figures to the context's current path (in user space).
void AppendPath(cairo_t* cr, const PathData& path);

// A figure flattened into a polyline; pos[i] is the vertex's place along the path's points (point index
// plus the fraction towards the next point), used to spread per-point colours.
struct FlatFigure {
    std::vector<GpPointF> pts;
    std::vector<double> pos;
    bool closed = false;
};
std::vector<FlatFigure> Flatten(const PathData& path);

// Colours as Cairo wants them.
inline void SetSourceArgb(cairo_t* cr, ARGB c) {
    cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0,
                          ((c >> 24) & 0xFF) / 255.0);
}
inline void AddStopArgb(cairo_pattern_t* p, double offset, ARGB c) {
    cairo_pattern_add_color_stop_rgba(p, offset, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                                      (c & 0xFF) / 255.0, ((c >> 24) & 0xFF) / 255.0);
}

// UTF-16 (length -1: up to the terminating zero) to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const WCHAR* s, INT length);
INT Utf16Length(const WCHAR* s);

// Device pixels per unit for fonts and pens (96 dots per inch; world and display units are pixels).
double PixelsPerUnit(Unit unit);

struct RegionNode;
using RegionPtr = std::shared_ptr<const RegionNode>;
struct RegionNode {
    enum class Kind { Empty, Infinite, Rect, Path, Combine } kind = Kind::Empty;
    GpRectF rect{};
    std::shared_ptr<const PathData> path;
    CombineMode op = CombineModeReplace;
    RegionPtr a, b;
};
// Renders a region into a new A8 mask of width x height device pixels; m maps region (world) coordinates
// to device pixels. Returns nullptr when Cairo cannot make the surface.
cairo_surface_t* RenderRegionMask(const RegionNode& region, int width, int height, const cairo_matrix_t& m);
bool RegionContains(const RegionNode& region, double x, double y);
// Combines two A8 masks of equal size in place: dst := dst (op) src.
void CombineMasks(cairo_surface_t* dst, cairo_surface_t* src, CombineMode op);

} // namespace detail

struct GpPath {
    detail::PathData data;
};

struct GpRegion {
    detail::RegionPtr root;
};

struct GpFontCollection {};

struct GpFontFamily {
    std::string name;     // as asked for
    std::string resolved; // the installed family that stands for it
};

struct GpFont {
    std::string family;
    REAL emSize = 0;
    INT style = FontStyleRegular;
    Unit unit = UnitPoint;
};

struct GpStringFormat {
    INT flags = 0;
    LANGID language = 0;
    StringAlignment align = StringAlignmentNear;
    StringAlignment lineAlign = StringAlignmentNear;
    StringTrimming trimming = StringTrimmingCharacter;
    INT hotkeyPrefix = HotkeyPrefixNone;
};

struct GpPen {
    ARGB color = 0xFF000000;
    REAL width = 1.0f;
    Unit unit = UnitWorld;
    DashStyle dash = DashStyleSolid;
    LineCap startCap = LineCapFlat;
    LineCap endCap = LineCapFlat;
};

namespace detail {

struct SolidFillImpl final : GpSolidFill {
    ARGB color = 0;
};

struct LineGradientImpl final : GpLineGradient {
    GpRectF rect{};
    ARGB color1 = 0;
    ARGB color2 = 0;
    LinearGradientMode mode = LinearGradientModeHorizontal;
    WrapMode wrap = WrapModeTile;
};

struct PathGradientImpl final : GpPathGradient {
    PathData path;
    ARGB center = 0xFFFFFFFF;
    GpPointF centerPoint{};
    std::vector<ARGB> surround{0xFFFFFFFF};
};

// Every image is a bitmap held as a premultiplied ARGB32 Cairo surface.
struct BitmapImpl final : GpBitmap {
    ~BitmapImpl() override;
    cairo_surface_t* surface = nullptr;
    GUID rawFormat = ImageFormatMemoryBMP;
    PixelFormat format = PixelFormat32bppARGB;
};

inline BitmapImpl* AsBitmap(GpImage* image) {
    return dynamic_cast<BitmapImpl*>(image);
}
// A new bitmap owning surface (an ARGB32 image surface, taken over).
BitmapImpl* MakeBitmap(cairo_surface_t* surface, const GUID& raw, PixelFormat format);

// Sets the brush as the context's source for filling the current path (user space = world space).
// Returns InvalidParameter for an unknown brush.
Status SetBrushSource(cairo_t* cr, const GpBrush* brush);
// Fills the current path with a path gradient brush (the clipping to the brush's own path included).
void FillWithPathGradient(cairo_t* cr, const PathGradientImpl& brush);
// Sets line width, dashes and caps of the pen and its colour as the source.
void ApplyPen(cairo_t* cr, const GpPen& pen);

} // namespace detail

struct GpGraphics {
    ~GpGraphics();
    HDC dc = nullptr;                   // graphics on a device context
    cairo_t* own = nullptr;             // graphics on an image: our own context
    cairo_surface_t* surface = nullptr; // graphics on an image: the image's surface (referenced)
    HDC lentDC = nullptr;               // a DC handed out by GdipGetDC, until GdipReleaseDC
    bool dcLent = false;
    SmoothingMode smoothing = SmoothingModeNone;
    TextRenderingHint textHint = TextRenderingHintSystemDefault;
    CompositingQuality quality = CompositingQualityDefault;
    cairo_surface_t* clip = nullptr; // A8 mask in device pixels; nullptr = no clip of our own
};

namespace detail {

// One drawing call's use of a graphics: a fresh context state with the world-to-device matrix (and, for
// shapes, GDI+'s pixel-centre offset), drawing through the graphics' clip mask when it has one.
class DrawScope {
public:
    DrawScope(GpGraphics* g, bool shapes);
    ~DrawScope();
    DrawScope(const DrawScope&) = delete;
    DrawScope& operator=(const DrawScope&) = delete;
    cairo_t* cr() const { return cr_; }
    explicit operator bool() const { return cr_ != nullptr; }

private:
    GpGraphics* g_;
    cairo_t* cr_ = nullptr;
};

// The context and surface a graphics draws into (nullptr when unusable).
cairo_t* GraphicsCairo(GpGraphics* g);
cairo_surface_t* GraphicsSurface(GpGraphics* g);
// World-to-device matrix of shapes (base matrix plus the pixel-centre offset).
cairo_matrix_t ShapeMatrix(GpGraphics* g);
// Checks a graphics is usable for drawing: not null and no DC lent out.
Status CheckGraphics(GpGraphics* g);

} // namespace detail

} // namespace gdip
