#include "platform/vcl/GraphicsObjects.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/HandleStock.h"

namespace vcl {

using namespace win;

int graphics::MulDiv(int a, int b, int c) {
    if (c == 0) return 0;
    std::int64_t n = static_cast<std::int64_t>(a) * b;
    std::int64_t q = (std::llabs(n) + std::llabs(c) / 2) / std::llabs(c);
    return static_cast<int>(((n < 0) != (c < 0)) ? -q : q);
}

int PenModeToRop2(TPenMode Mode) {
    static const int kRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    auto i = static_cast<unsigned>(Mode);
    return i < std::size(kRop2) ? kRop2[i] : R2_COPYPEN;
}

namespace {

struct TCharsetName {
    int Value;
    const char* Name;
};

const TCharsetName kCharsets[] = {
    {0, "ANSI_CHARSET"},      {1, "DEFAULT_CHARSET"},    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},      {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},   {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},   {162, "TURKISH_CHARSET"},  {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},  {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"}, {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};

} // namespace

bool CharsetToIdent(Int64 Charset, String& Ident) {
    for (const auto& c : kCharsets)
        if (c.Value == Charset) {
            Ident = c.Name;
            return true;
        }
    return false;
}

bool IdentToCharset(const String& Ident, Int64& Charset) {
    for (const auto& c : kCharsets)
        if (SameText(Ident, c.Name)) {
            Charset = c.Value;
            return true;
        }
    return false;
}

KV_PUBLISHED(TFont) {
    p.Int("Charset", &TFont::Charset, &TFont::SetCharset, win::DEFAULT_CHARSET)
        .Idents(IdentToCharset, CharsetToIdent);
    p.Color("Color", &TFont::Color, &TFont::SetColor);
    p.Int("Height", &TFont::Height, &TFont::SetHeight);
    p.Str("Name", &TFont::Name, &TFont::SetName);
    p.Int("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0);
    p.Enum("Pitch", &TFont::Pitch, &TFont::SetPitch, fpDefault);
    p.Int("Size", &TFont::Size, &TFont::SetSize).Stored(&TFont::SizeStored);
    p.Set("Style", &TFont::Style, &TFont::SetStyle, TFontStyles{});
}

KV_PUBLISHED(TPen) {
    p.Color("Color", &TPen::Color, &TPen::SetColor, clBlack);
    p.Enum("Mode", &TPen::Mode, &TPen::SetMode, pmCopy);
    p.Enum("Style", &TPen::Style, &TPen::SetStyle, psSolid);
    p.Int("Width", &TPen::Width, &TPen::SetWidth, 1);
}

KV_PUBLISHED(TBrush) {
    p.Color("Color", &TBrush::Color, &TBrush::SetColor, clWhite);
    p.Enum("Style", &TBrush::Style, &TBrush::SetStyle, bsSolid);
}

// ---- TGraphicsObject ----

TGraphicsObject::~TGraphicsObject() {
    FreeHandle();
}

namespace {

// Lets a handle go: back to the stock, deleted when owned, else left alone.
void LetGo(HGDIOBJ Handle, bool Owned, bool Stocked) {
    if (Handle == nullptr) return;
    if (Stocked)
        THandleStock::Instance().Give(Handle);
    else if (Owned)
        DeleteObject(Handle);
}

} // namespace

void TGraphicsObject::FreeHandle() {
    HGDIOBJ old = std::exchange(FHandle, nullptr);
    LetGo(old, FOwnsHandle, std::exchange(FStocked, false));
    FOwnsHandle = true;
}

void TGraphicsObject::ReplaceHandle(HGDIOBJ Handle, bool Owned) {
    // A kept handle stays the stock's: this object is one more of its users, and never deletes it.
    const bool stocked = Handle != nullptr && Handle != FHandle && THandleStock::Instance().Share(Handle);
    HGDIOBJ old = std::exchange(FHandle, Handle);
    bool ownedOld = std::exchange(FOwnsHandle, Owned && !stocked);
    bool stockedOld = std::exchange(FStocked, stocked);
    // The old handle goes only once every listener had the chance to deselect it, even when one throws.
    struct Release {
        HGDIOBJ h;
        bool owned, stocked;
        ~Release() { LetGo(h, owned, stocked); }
    } release{old != Handle ? old : nullptr, ownedOld, stockedOld};
    if (OnChange) OnChange(this);
}

void TGraphicsObject::Changed() {
    ReplaceHandle(nullptr, true);
}

// ---- TFont ----

TFont::TFont() = default;

void TFont::Assign(TPersistent* Source) {
    if (auto* f = dynamic_cast<TFont*>(Source)) {
        if (f == this) return;
        bool same = FName == f->FName && FHeight == f->FHeight && FColor == f->FColor &&
                    FStyle == f->FStyle && FCharset == f->FCharset && FPitch == f->FPitch &&
                    FOrientation == f->FOrientation && FPixelsPerInch == f->FPixelsPerInch;
        if (same) return;
        FName = f->FName;
        FHeight = f->FHeight;
        FColor = f->FColor;
        FStyle = f->FStyle;
        FCharset = f->FCharset;
        FPitch = f->FPitch;
        FOrientation = f->FOrientation;
        FPixelsPerInch = f->FPixelsPerInch;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TFont::SetName(const TFontName& Value) {
    if (Value.empty() || Value == FName) return;
    FName = Value;
    Changed();
}

int TFont::Size() const {
    return -graphics::MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int Value) {
    SetHeight(-graphics::MulDiv(Value, FPixelsPerInch, 72));
}

void TFont::SetHeight(int Value) {
    if (Value == FHeight) return;
    FHeight = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (Value == FColor) return;
    // The colour is not part of the GDI font: keep the handle, tell the listeners.
    FColor = Value;
    if (OnChange) OnChange(this);
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value) {
    if (Value == FCharset) return;
    FCharset = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == FPitch) return;
    FPitch = Value;
    Changed();
}

void TFont::SetOrientation(int Value) {
    if (Value == FOrientation) return;
    FOrientation = Value;
    Changed();
}

void TFont::SetPixelsPerInch(int Value) {
    if (Value <= 0 || Value == FPixelsPerInch) return;
    FPixelsPerInch = Value;
    Changed();
}

LOGFONT TFont::GetLogFont() const {
    LOGFONT lf{};
    lf.lfHeight = FHeight;
    lf.lfEscapement = FOrientation;
    lf.lfOrientation = FOrientation;
    lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = FStyle.Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = FPitch == fpFixed      ? FIXED_PITCH
                          : FPitch == fpVariable ? VARIABLE_PITCH
                                                 : DEFAULT_PITCH;
    // The face name is cut to the field, never in the middle of a UTF-8 character.
    std::size_t n = std::min<std::size_t>(FName.size(), LF_FACESIZE - 1);
    if (n < FName.size())
        while (n > 0 && (static_cast<unsigned char>(FName[n]) & 0xC0) == 0x80)
            --n;
    std::memcpy(lf.lfFaceName, FName.data(), n);
    lf.lfFaceName[n] = '\0';
    return lf;
}

HFONT TFont::Handle() {
    if (FHandle == nullptr) {
        LOGFONT lf = GetLogFont();
        FHandle = CreateFontIndirect(&lf);
        FOwnsHandle = true;
        if (FHandle == nullptr) throw EOutOfResources("Out of system resources");
    }
    return static_cast<HFONT>(FHandle);
}

void TFont::SetHandle(HFONT Value) {
    if (Value == FHandle) return;
    if (Value != nullptr) {
        LOGFONT lf{};
        if (GetObjectType(Value) != OBJ_FONT || GetObject(Value, sizeof(lf), &lf) == 0)
            throw EInvalidGraphicOperation("Invalid font handle");
        lf.lfFaceName[LF_FACESIZE - 1] = '\0';
        if (lf.lfFaceName[0] != '\0') FName = lf.lfFaceName;
        FHeight = lf.lfHeight;
        TFontStyles style;
        if (lf.lfWeight >= FW_SEMIBOLD) style.Include(fsBold);
        if (lf.lfItalic) style.Include(fsItalic);
        if (lf.lfUnderline) style.Include(fsUnderline);
        if (lf.lfStrikeOut) style.Include(fsStrikeOut);
        FStyle = style;
        FCharset = lf.lfCharSet;
        int pitch = lf.lfPitchAndFamily & 0x3;
        FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
        FOrientation = lf.lfEscapement;
    }
    ReplaceHandle(Value, true);
}

// ---- TPen ----

void TPen::Assign(TPersistent* Source) {
    if (auto* p = dynamic_cast<TPen*>(Source)) {
        if (p == this) return;
        if (FColor == p->FColor && FWidth == p->FWidth && FStyle == p->FStyle && FMode == p->FMode) return;
        FColor = p->FColor;
        FWidth = p->FWidth;
        FStyle = p->FStyle;
        FMode = p->FMode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TPen::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    if (Value < 0 || Value == FWidth) return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value) {
    if (Value == FMode) return;
    // The mode is a property of the device context, not of the pen: the handle stays.
    FMode = Value;
    if (OnChange) OnChange(this);
}

HPEN TPen::Handle() {
    if (FHandle == nullptr) {
        static const int kStyles[] = {static_cast<int>(PS_SOLID),      static_cast<int>(PS_DASH),
                                      static_cast<int>(PS_DOT),        static_cast<int>(PS_DASHDOT),
                                      static_cast<int>(PS_DASHDOTDOT), static_cast<int>(PS_NULL),
                                      static_cast<int>(PS_INSIDEFRAME)};
        const int style = kStyles[FStyle];
        const COLORREF color = graphics::ToColorRef(FColor);
        // Kept pens: one bit for the kind, the style, the width (a pen is never wider than 2^31) and the
        // colour.
        const std::uint64_t key = (std::uint64_t{1} << 63) | (static_cast<std::uint64_t>(style) << 56) |
                                  (static_cast<std::uint64_t>(static_cast<std::uint32_t>(FWidth)) << 24) |
                                  (color & 0xFFFFFFu);
        THandleStock& stock = THandleStock::Instance();
        FHandle = stock.Take(key);
        if (FHandle == nullptr) {
            FHandle = CreatePen(style, FWidth, color);
            if (FHandle == nullptr) throw EOutOfResources("Out of system resources");
            stock.Add(key, FHandle);
        }
        FOwnsHandle = false;
        FStocked = true;
    }
    return static_cast<HPEN>(FHandle);
}

void TPen::SetHandle(HPEN Value) {
    if (Value == FHandle) return;
    if (Value != nullptr) {
        LOGPEN lp{};
        if (GetObjectType(Value) != OBJ_PEN || GetObject(Value, sizeof(lp), &lp) == 0)
            throw EInvalidGraphicOperation("Invalid pen handle");
        UINT style = lp.lopnStyle & PS_STYLE_MASK;
        FStyle = style <= PS_INSIDEFRAME ? static_cast<TPenStyle>(style) : psSolid;
        FWidth = lp.lopnWidth.X;
        FColor = static_cast<TColor>(lp.lopnColor & 0xFFFFFF);
    }
    ReplaceHandle(Value, true);
}

// ---- TBrush ----

void TBrush::Assign(TPersistent* Source) {
    if (auto* b = dynamic_cast<TBrush*>(Source)) {
        if (b == this) return;
        if (FColor == b->FColor && FStyle == b->FStyle && FBitmap == b->FBitmap) return;
        FColor = b->FColor;
        FStyle = b->FStyle;
        FBitmap = b->FBitmap;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
    if (Value == FColor && FStyle != bsClear) return;
    FColor = Value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* Value) {
    // The same bitmap again still makes a new pattern: its pixels may have changed.
    if (Value == nullptr && FBitmap == nullptr) return;
    FBitmap = Value;
    Changed();
}

HBRUSH TBrush::Handle() {
    if (FHandle == nullptr) {
        HGDIOBJ h;
        bool owned = true;
        if (FStyle == bsClear) {
            h = GetStockObject(NULL_BRUSH);
            owned = false;
        } else if (FBitmap != nullptr && !FBitmap->Empty()) {
            h = CreatePatternBrush(FBitmap->Handle());
        } else {
            // Kept brushes: the style (solid or a hatch) and the colour.
            const COLORREF color = graphics::ToColorRef(FColor);
            const std::uint64_t key = (static_cast<std::uint64_t>(FStyle) << 32) | (color & 0xFFFFFFu);
            THandleStock& stock = THandleStock::Instance();
            h = stock.Take(key);
            if (h == nullptr) {
                h = FStyle == bsSolid
                        ? CreateSolidBrush(color)
                        : CreateHatchBrush(static_cast<int>(FStyle) - bsHorizontal + HS_HORIZONTAL, color);
                if (h != nullptr) stock.Add(key, h);
            }
            owned = false;
            FStocked = h != nullptr;
        }
        if (h == nullptr) throw EOutOfResources("Out of system resources");
        FHandle = h;
        FOwnsHandle = owned;
    }
    return static_cast<HBRUSH>(FHandle);
}

void TBrush::SetHandle(HBRUSH Value) {
    if (Value == FHandle) return;
    if (Value != nullptr) {
        LOGBRUSH lb{};
        if (GetObjectType(Value) != OBJ_BRUSH || GetObject(Value, sizeof(lb), &lb) == 0)
            throw EInvalidGraphicOperation("Invalid brush handle");
        FBitmap = nullptr;
        if (lb.lbStyle == BS_NULL) {
            FStyle = bsClear;
        } else {
            FColor = static_cast<TColor>(lb.lbColor & 0xFFFFFF);
            FStyle = lb.lbStyle == BS_HATCHED && lb.lbHatch <= static_cast<ULONG_PTR>(HS_DIAGCROSS)
                         ? static_cast<TBrushStyle>(bsHorizontal + static_cast<int>(lb.lbHatch))
                         : bsSolid;
        }
    }
    ReplaceHandle(Value, true);
}

} // namespace vcl
