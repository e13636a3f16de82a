#pragma once
// TCanvas: drawing on a device context with a pen, a brush and a font.
//
// The canvas selects its pen, brush and font into the device context lazily, just before a call
// needs them (RequiredState), and deselects one as soon as it changes, so the GDI objects can be
// replaced at any time. A canvas without a handle asks CreateHandle for one; a plain canvas has
// none to give and raises EInvalidOperation "Canvas does not allow drawing".

#include <initializer_list>
#include <memory>
#include <mutex>
#include <span>

#include "platform/rtl/Set.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/win/Gdi.h"

namespace vcl {

class TGraphic;

enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStates>;

// Raster operations of CopyRect and of drawing bitmaps.
using TCopyMode = Integer;
constexpr TCopyMode cmBlackness = static_cast<TCopyMode>(win::BLACKNESS);
constexpr TCopyMode cmDstInvert = static_cast<TCopyMode>(win::DSTINVERT);
constexpr TCopyMode cmMergeCopy = static_cast<TCopyMode>(win::MERGECOPY);
constexpr TCopyMode cmMergePaint = static_cast<TCopyMode>(win::MERGEPAINT);
constexpr TCopyMode cmNotSrcCopy = static_cast<TCopyMode>(win::NOTSRCCOPY);
constexpr TCopyMode cmNotSrcErase = static_cast<TCopyMode>(win::NOTSRCERASE);
constexpr TCopyMode cmPatCopy = static_cast<TCopyMode>(win::PATCOPY);
constexpr TCopyMode cmPatInvert = static_cast<TCopyMode>(win::PATINVERT);
constexpr TCopyMode cmPatPaint = static_cast<TCopyMode>(win::PATPAINT);
constexpr TCopyMode cmSrcAnd = static_cast<TCopyMode>(win::SRCAND);
constexpr TCopyMode cmSrcCopy = static_cast<TCopyMode>(win::SRCCOPY);
constexpr TCopyMode cmSrcErase = static_cast<TCopyMode>(win::SRCERASE);
constexpr TCopyMode cmSrcInvert = static_cast<TCopyMode>(win::SRCINVERT);
constexpr TCopyMode cmSrcPaint = static_cast<TCopyMode>(win::SRCPAINT);
constexpr TCopyMode cmWhiteness = static_cast<TCopyMode>(win::WHITENESS);

// Options of the formatting TextRect; each stands for one DT_* flag.
enum TTextFormats {
    tfBottom,
    tfCalcRect,
    tfCenter,
    tfEditControl,
    tfEndEllipsis,
    tfPathEllipsis,
    tfExpandTabs,
    tfExternalLeading,
    tfLeft,
    tfModifyString,
    tfNoClip,
    tfNoPrefix,
    tfRight,
    tfRtlReading,
    tfSingleLine,
    tfTop,
    tfVerticalCenter,
    tfWordBreak,
    tfHidePrefix,
    tfNoFullWidthCharBreak,
    tfPrefixOnly,
    tfTabStop,
    tfWordEllipsis
};
using TTextFormat = TSet<TTextFormats>;

// The DrawText flags of a text format.
win::UINT TextFormatToFlags(TTextFormat Format);

class TCanvas : public TPersistent {
    KV_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    // The device context, with pen, brush and font selected. Raises EInvalidOperation when the canvas
    // has no context and cannot make one.
    win::HDC Handle();
    // Puts the canvas on another device context (nullptr detaches it); the old one keeps no object
    // of this canvas selected.
    void SetHandle(win::HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    // Copy the given object's description (the canvas keeps its own objects).
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }

    TPoint PenPos();
    void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }

    // Pixels[x, y]: the colour there (as 0x00BBGGRR; -1 outside the clip or the surface), or set it.
    // Written Pixels(x, y) or Pixels[x][y]; both read and assign.
    TColor GetPixel(int X, int Y);
    void SetPixel(int X, int Y, TColor Value);
    class TPixelRef {
    public:
        TPixelRef(TCanvas& Canvas, int X, int Y) : FCanvas(Canvas), FX(X), FY(Y) {}
        operator TColor() const { return FCanvas.GetPixel(FX, FY); }
        TPixelRef& operator=(TColor Value) {
            FCanvas.SetPixel(FX, FY, Value);
            return *this;
        }
        TPixelRef& operator=(const TPixelRef& Other) { return *this = static_cast<TColor>(Other); }

    private:
        TCanvas& FCanvas;
        int FX, FY;
    };
    class TPixelColumn {
    public:
        TPixelColumn(TCanvas& Canvas, int X) : FCanvas(Canvas), FX(X) {}
        TPixelRef operator[](int Y) const { return TPixelRef(FCanvas, FX, Y); }

    private:
        TCanvas& FCanvas;
        int FX;
    };
    class TPixels {
    public:
        explicit TPixels(TCanvas& Canvas) : FCanvas(Canvas) {}
        TPixels(const TPixels&) = delete;
        TPixels& operator=(const TPixels&) = delete;
        TPixelRef operator()(int X, int Y) const { return TPixelRef(FCanvas, X, Y); }
        TPixelColumn operator[](int X) const { return TPixelColumn(FCanvas, X); }

    private:
        TCanvas& FCanvas;
    };
    const TPixels Pixels{*this};

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void Polygon(std::span<const TPoint> Points);
    void Polygon(std::initializer_list<TPoint> Points) {
        Polygon(std::span<const TPoint>(Points.begin(), Points.size()));
    }
    void Polyline(std::span<const TPoint> Points);
    void Polyline(std::initializer_list<TPoint> Points) {
        Polyline(std::span<const TPoint>(Points.begin(), Points.size()));
    }
    void FillRect(const TRect& Rect);
    void FrameRect(const TRect& Rect);
    void DrawFocusRect(const TRect& Rect);

    // Writes the text with its top-left corner at (X, Y); the pen moves to the end of the text.
    void TextOut(int X, int Y, const String& Text);
    // Writes the text at (X, Y) clipped to Rect; a brush that is not clear fills Rect first.
    void TextRect(const TRect& Rect, int X, int Y, const String& Text);
    // Formatted text in Rect (DrawText). tfCalcRect only measures, adjusting Rect; tfModifyString
    // puts the text as shown (with its ellipsis) back into Text.
    void TextRect(TRect& Rect, String& Text, TTextFormat TextFormat = {});
    TSize TextExtent(const String& Text);
    int TextWidth(const String& Text) { return TextExtent(Text).cx; }
    int TextHeight(const String& Text) { return TextExtent(Text).cy; }

    // Draws a graphic at its own size, or stretched into Rect. A monochrome graphic takes the font's
    // colour for its black and the brush's colour for its white.
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // Copies (stretching) Source of Canvas into Dest of this canvas with the CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // Copies Source of Bitmap into Dest, the pixels of Color replaced by this canvas's brush.
    void BrushCopy(const TRect& Dest, class TBitmap* Bitmap, const TRect& Source, TColor Color);

    // The part of the canvas drawing can reach, in logical coordinates.
    TRect ClipRect();

    // The canvas's own lock, for drawing from several threads. Recursive.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return FLockCount; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Selects what the next call needs (handle, font, pen, brush).
    void RequiredState(TCanvasState ReqState);
    // Raise OnChanging / OnChange around a drawing call.
    virtual void Changing();
    virtual void Changed();

protected:
    // Called when a handle is needed and there is none; a canvas that can make one sets it here.
    virtual void CreateHandle() {}
    // Deselects the canvas's objects from its context, leaving the handle in place.
    void DeselectHandles();

private:
    void CreateFont();
    void CreatePen();
    void CreateBrush();
    void FontChanged(TObject* Sender);
    void PenChanged(TObject* Sender);
    void BrushChanged(TObject* Sender);

    win::HDC FHandle = nullptr;
    TCanvasState FState;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TCopyMode FCopyMode = cmSrcCopy;
    friend class TBitmap;
    std::recursive_mutex FLock;
    int FLockCount = 0;
};

} // namespace vcl
