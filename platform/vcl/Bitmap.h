#pragma once
// TBitmap: a picture of pixels held in a 32-bit device-independent bitmap section, with a canvas
// over a memory device context to draw on it.
//
// Whatever the PixelFormat, the pixels are held as 32 bits (blue, green, red, alpha), rows top-down;
// PixelFormat decides how the bitmap is saved, and pf1bit makes it monochrome. ScanLine is offered
// for pf32bit bitmaps (the only format whose rows are read or written directly).
//
// A monochrome bitmap draws its black in the destination canvas's font colour and its white in the
// brush colour. A transparent bitmap leaves out the pixels of its TransparentColor: in tmAuto mode
// the colour of its bottom-left pixel. With AlphaFormat set, the alpha bytes blend the pixels in.

#include <cstdint>
#include <memory>

#include "platform/vcl/Canvas.h"
#include "platform/vcl/GraphicsCore.h"

namespace vcl {

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };
// afIgnored: the alpha bytes mean nothing; afDefined: straight alpha; afPremultiplied: the colours are
// premultiplied by alpha.
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };

class TBitmap;

namespace graphics {
// Blends premultiplied pixels (Width * Height values 0xAARRGGBB, rows top-down) into Dest of a device
// context, stretched to fit.
void BlendPixels(win::HDC DC, const TRect& Dest, int Width, int Height, const std::uint32_t* Pixels);
// The pixel value (0xFFRRGGBB) of a colour reference, and back.
constexpr std::uint32_t PixelOfColorRef(win::COLORREF c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr win::COLORREF ColorRefOfPixel(std::uint32_t p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}
} // namespace graphics

// The canvas of a bitmap: it makes its memory device context when first drawn on.
class TBitmapCanvas : public TCanvas {
    KV_CLASS(TBitmapCanvas, TCanvas)
public:
    explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {}
    ~TBitmapCanvas() override;
    // Gives the context up (the bitmap is about to be replaced).
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap* FBitmap;
    win::HDC FDC = nullptr;
    win::HGDIOBJ FOldBitmap = nullptr;
};

class TBitmap : public TGraphic {
    KV_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    TBitmap(int AWidth, int AHeight);
    ~TBitmap() override;

    // A TBitmap source is copied deeply (pixels, format, transparency); null empties the bitmap.
    void Assign(TPersistent* Source) override;

    TCanvas* Canvas();
    // The bitmap section (made on first use; an empty bitmap has none and gives null).
    win::HBITMAP Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    // Changing the size keeps the overlapping part; new pixels take the canvas's brush colour.
    void SetSize(int AWidth, int AHeight);
    void SetWidth(int Value) override { SetSize(Value, FHeight); }
    void SetHeight(int Value) override { SetSize(FWidth, Value); }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);
    bool Monochrome() const { return FMonochrome; }
    void SetMonochrome(bool Value);
    TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
    void SetAlphaFormat(TAlphaFormat Value);

    TTransparentMode TransparentMode() const { return FTransparentMode; }
    // tmAuto forgets a fixed colour.
    void SetTransparentMode(TTransparentMode Value);
    // In tmAuto mode the colour of the bottom-left pixel (clDefault while the bitmap is empty);
    // setting a colour other than clDefault switches to tmFixed.
    TColor TransparentColor();
    void SetTransparentColor(TColor Value);

    // The first byte of row Row (top row 0) of a pf32bit bitmap, 4 bytes per pixel. Raises
    // EInvalidGraphicOperation "Scan line index out of range" for a row outside the bitmap and
    // "Scan lines need a 32-bit pixel format" for other formats.
    void* ScanLine(int Row);

    // BMP files (any depth, as files or bare bitmaps) are read here; other picture files (PNG, JPEG,
    // GIF, ICO) are decoded too. Unknown data raises EInvalidGraphic "Bitmap image is not valid".
    void LoadFromStream(TStream* Stream) override;
    // Writes a BMP file: 1 bit per pixel when monochrome, 32 bits for pf32bit, 24 bits otherwise.
    void SaveToStream(TStream* Stream) override;
    // Loads the compiled-in RT_BITMAP resource of that name: a BMP file, or a bare bitmap (header,
    // colours and bits) as resource compilers store them. Missing: EResNotFound.
    void LoadFromResourceName(const void* Instance, const String& ResName);
    // The layout form: a 32-bit byte count, then the BMP file.
    void ReadData(TStream* Stream) override;
    void WriteData(TStream* Stream) override;

    // Draws Source (bitmap coordinates) into Dest of the canvas. With Transparent the pixels of the
    // colour Key (0x00BBGGRR) are left out.
    void DrawPart(TCanvas* ACanvas, const TRect& Dest, const TRect& Source, bool Transparent,
                  win::COLORREF Key);

    // The pixels (Width * Height values 0xAARRGGBB, rows top-down), current with every drawing made
    // on the canvas; null when empty. For the graphics classes; others use ScanLine.
    std::uint32_t* PixelData();
    // Fills the whole bitmap from decoded pixels.
    void SetPixels(int AWidth, int AHeight, const std::uint32_t* Pixels, TAlphaFormat Alpha, bool Mono);

    void Changed(TObject* Sender) override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool GetEmpty() override { return FWidth == 0 || FHeight == 0; }
    int GetWidth() override { return FWidth; }
    int GetHeight() override { return FHeight; }

private:
    friend class TBitmapCanvas;
    // Replaces the section by one of the new size (none for an empty bitmap), filled with Fill; with
    // KeepPixels the overlapping part of the old pixels is kept.
    void Reallocate(int AWidth, int AHeight, bool KeepPixels, std::uint32_t Fill);
    void LoadPixels(int AWidth, int AHeight, const std::uint32_t* Pixels);
    void LoadFromBytes(const String& Data, bool BareDib);
    void FreeContext();
    std::uint32_t FillPixel();

    int FWidth = 0;
    int FHeight = 0;
    win::HBITMAP FHandle = nullptr;
    std::uint32_t* FBits = nullptr;
    TPixelFormat FPixelFormat = pfDevice;
    bool FMonochrome = false;
    TAlphaFormat FAlphaFormat = afIgnored;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

} // namespace vcl
