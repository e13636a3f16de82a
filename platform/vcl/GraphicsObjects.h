#pragma once
// The drawing objects of a canvas: font, pen and brush. Each describes a GDI object, makes its
// handle on demand and reports every change through OnChange, so that a canvas using it can
// select the new handle before it next draws.
//
// The default font is "Tahoma", 8 points (11 pixels high at 96 pixels per inch), clWindowText,
// no style: the framework's default face on the systems the program was written for.

#include <memory>

#include "platform/classes/Properties.h"
#include "platform/rtl/Colors.h"
#include "platform/rtl/Events.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"
#include "platform/win/GdiObjects.h"

namespace vcl {

class TBitmap;

// Pixels per inch of every device here; font sizes in points convert through it.
constexpr int ScreenPixelsPerInch = 96;

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
using TFontName = String;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

KV_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut");
KV_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed");
KV_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
              "psInsideFrame");
KV_ENUM_NAMES(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
              "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask",
              "pmXor", "pmNotXor");
KV_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
              "bsCross", "bsDiagCross");

// The names of the character sets ("DEFAULT_CHARSET", ...), as layouts write them.
bool CharsetToIdent(Int64 Charset, String& Ident);
bool IdentToCharset(const String& Ident, Int64& Charset);

// The mix mode (R2_*) of a pen mode.
int PenModeToRop2(TPenMode Mode);

namespace graphics {
// The colour reference GDI takes for a colour: system colours resolved, flag bits dropped.
inline win::COLORREF ToColorRef(TColor Color) {
    return static_cast<win::COLORREF>(ColorToRGB(Color)) & 0xFFFFFFu;
}
// a * b / c rounded to the nearest integer, halves away from zero; 0 when c is 0.
int MulDiv(int a, int b, int c);
} // namespace graphics

class TGraphicsObject : public TPersistent {
    KV_CLASS(TGraphicsObject, TPersistent)
public:
    ~TGraphicsObject() override;

    TNotifyEvent OnChange;

    // True while the object holds a handle.
    bool HandleAllocated() const { return FHandle != nullptr; }

protected:
    // Drops the handle (it describes the old state) and raises OnChange. The old handle is freed after
    // the listeners have had the chance to deselect it.
    virtual void Changed();
    // Frees the handle now, if the object owns it.
    void FreeHandle();
    // Puts Handle in place of the current one, raises OnChange, then frees the old handle (if owned).
    void ReplaceHandle(win::HGDIOBJ Handle, bool Owned);

    win::HGDIOBJ FHandle = nullptr;
    bool FOwnsHandle = true;
    bool FStocked = false; // the handle is a kept one of the stock (HandleStock.h), given back when let go
};

class TFont : public TGraphicsObject {
    KV_CLASS(TFont, TGraphicsObject)
    KV_PUBLISHED_PROPERTIES(TFont)
public:
    TFont();

    void Assign(TPersistent* Source) override;

    const TFontName& Name() const { return FName; }
    void SetName(const TFontName& Value);
    // Points at PixelsPerInch; setting it sets Height.
    int Size() const;
    void SetSize(int Value);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    // Angle of the text in tenths of a degree, counter-clockwise.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int Value);
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value);

    // The font made from the description (on first use). Setting a handle takes it over: the
    // description is read back from it, and the font frees it.
    win::HFONT Handle();
    void SetHandle(win::HFONT Value);

    // The description handed to CreateFontIndirect.
    win::LOGFONT GetLogFont() const;

private:
    // Layouts carry Height; Size is read but never written.
    bool SizeStored() const { return false; }

    TFontName FName = "Tahoma";
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    TFontCharset FCharset = win::DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FOrientation = 0;
    int FPixelsPerInch = ScreenPixelsPerInch;
};

class TPen : public TGraphicsObject {
    KV_CLASS(TPen, TGraphicsObject)
    KV_PUBLISHED_PROPERTIES(TPen)
public:
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // Negative widths are ignored; 0 draws one pixel wide.
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);

    win::HPEN Handle();
    // Takes over a pen made elsewhere; colour, width and style are read back from it.
    void SetHandle(win::HPEN Value);

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
    KV_CLASS(TBrush, TGraphicsObject)
    KV_PUBLISHED_PROPERTIES(TBrush)
public:
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    // Setting a colour on a clear brush makes it solid, as the framework does.
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // A pattern bitmap (not owned; the caller keeps it alive while the brush uses it). While set,
    // a brush that is not clear paints the pattern, as the bitmap was when the brush's handle was
    // made (setting the bitmap again takes its current pixels).
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);

    win::HBRUSH Handle();
    // Takes over a brush made elsewhere; colour and style are read back from it.
    void SetHandle(win::HBRUSH Value);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

} // namespace vcl
