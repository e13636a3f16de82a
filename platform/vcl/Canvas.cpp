#include "platform/vcl/Canvas.h"

#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/GraphicsCore.h"

namespace vcl {

using namespace win;

namespace {
const TCanvasState kAllValid{csHandleValid, csFontValid, csPenValid, csBrushValid};
}

UINT TextFormatToFlags(TTextFormat Format) {
    static const UINT kFlags[] = {DT_BOTTOM,       DT_CALCRECT,      DT_CENTER,       DT_EDITCONTROL,
                                  DT_END_ELLIPSIS, DT_PATH_ELLIPSIS, DT_EXPANDTABS,   DT_EXTERNALLEADING,
                                  DT_LEFT,         DT_MODIFYSTRING,  DT_NOCLIP,       DT_NOPREFIX,
                                  DT_RIGHT,        DT_RTLREADING,    DT_SINGLELINE,   DT_TOP,
                                  DT_VCENTER,      DT_WORDBREAK,     DT_HIDEPREFIX,   DT_NOFULLWIDTHCHARBREAK,
                                  DT_PREFIXONLY,   DT_TABSTOP,       DT_WORD_ELLIPSIS};
    UINT flags = 0;
    for (std::size_t i = 0; i < std::size(kFlags); ++i)
        if (Format.Contains(static_cast<TTextFormats>(i))) flags |= kFlags[i];
    return flags;
}

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
    FFont->OnChange = [this](TObject* s) { FontChanged(s); };
    FPen->OnChange = [this](TObject* s) { PenChanged(s); };
    FBrush->OnChange = [this](TObject* s) { BrushChanged(s); };
}

TCanvas::~TCanvas() {
    // The objects must leave the context before they are freed.
    DeselectHandles();
    FHandle = nullptr;
    FFont->OnChange = nullptr;
    FPen->OnChange = nullptr;
    FBrush->OnChange = nullptr;
}

HDC TCanvas::Handle() {
    Changing();
    RequiredState(kAllValid);
    return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
    if (FHandle == Value) return;
    if (FHandle != nullptr) {
        DeselectHandles();
        FHandle = nullptr;
        FState.Exclude(csHandleValid);
    }
    if (Value != nullptr) {
        FHandle = Value;
        FState.Include(csHandleValid);
    }
}

void TCanvas::DeselectHandles() {
    if (FHandle == nullptr) return;
    if (FState.Contains(csPenValid)) SelectObject(FHandle, GetStockObject(BLACK_PEN));
    if (FState.Contains(csBrushValid)) SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
    if (FState.Contains(csFontValid)) SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    FState = FState - TCanvasState{csPenValid, csBrushValid, csFontValid};
}

void TCanvas::RequiredState(TCanvasState ReqState) {
    TCanvasState needed = ReqState - FState;
    if (needed.Empty()) return;
    if (needed.Contains(csHandleValid)) {
        CreateHandle();
        if (FHandle == nullptr) throw EInvalidOperation("Canvas does not allow drawing");
        FState.Include(csHandleValid);
    }
    if (needed.Contains(csFontValid)) CreateFont();
    if (needed.Contains(csPenValid)) CreatePen();
    if (needed.Contains(csBrushValid)) CreateBrush();
}

void TCanvas::CreateFont() {
    SelectObject(FHandle, FFont->Handle());
    SetTextColor(FHandle, graphics::ToColorRef(FFont->Color()));
    FState.Include(csFontValid);
}

void TCanvas::CreatePen() {
    SelectObject(FHandle, FPen->Handle());
    SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
    FState.Include(csPenValid);
}

void TCanvas::CreateBrush() {
    SelectObject(FHandle, FBrush->Handle());
    // Text and hatches get the brush colour behind them, or nothing when the brush is clear.
    if (FBrush->Style() == bsSolid) {
        SetBkColor(FHandle, graphics::ToColorRef(FBrush->Color()));
        SetBkMode(FHandle, OPAQUE);
    } else {
        SetBkColor(FHandle, ~graphics::ToColorRef(FBrush->Color()) & 0xFFFFFFu);
        SetBkMode(FHandle, TRANSPARENT);
    }
    FState.Include(csBrushValid);
}

void TCanvas::FontChanged(TObject*) {
    if (FState.Contains(csFontValid)) {
        FState.Exclude(csFontValid);
        SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    }
}

void TCanvas::PenChanged(TObject*) {
    if (FState.Contains(csPenValid)) {
        FState.Exclude(csPenValid);
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
    }
}

void TCanvas::BrushChanged(TObject*) {
    if (FState.Contains(csBrushValid)) {
        FState.Exclude(csBrushValid);
        SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
    }
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
    RequiredState({csHandleValid});
    POINT p{};
    GetCurrentPositionEx(FHandle, &p);
    return p;
}

TColor TCanvas::GetPixel(int X, int Y) {
    RequiredState({csHandleValid});
    COLORREF c = win::GetPixel(FHandle, X, Y);
    return c == CLR_INVALID ? static_cast<TColor>(-1) : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int X, int Y, TColor Value) {
    Changing();
    RequiredState({csHandleValid, csPenValid});
    win::SetPixel(FHandle, X, Y, graphics::ToColorRef(Value));
    Changed();
}

void TCanvas::MoveTo(int X, int Y) {
    RequiredState({csHandleValid});
    MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    win::LineTo(FHandle, X, Y);
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    Changing();
    RequiredState({csHandleValid, csBrushValid, csPenValid});
    win::Rectangle(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    Changing();
    RequiredState({csHandleValid, csBrushValid, csPenValid});
    win::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    Changing();
    RequiredState({csHandleValid, csBrushValid, csPenValid});
    win::Ellipse(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
    Changing();
    RequiredState({csHandleValid, csBrushValid, csPenValid});
    if (!Points.empty()) win::Polygon(FHandle, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
    Changing();
    RequiredState({csHandleValid, csBrushValid, csPenValid});
    if (!Points.empty()) win::Polyline(FHandle, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::FillRect(const TRect& Rect) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    win::FillRect(FHandle, &Rect, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    win::FrameRect(FHandle, &Rect, FBrush->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    win::DrawFocusRect(FHandle, &Rect);
    Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    win::ExtTextOut(FHandle, X, Y, 0, nullptr, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    MoveTo(X + TextWidth(Text), Y);
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const String& Text) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    UINT options = ETO_CLIPPED;
    if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
    win::ExtTextOut(FHandle, X, Y, options, &Rect, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

void TCanvas::TextRect(TRect& Rect, String& Text, TTextFormat TextFormat) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    UINT flags = TextFormatToFlags(TextFormat);
    if (TextFormat.Contains(tfModifyString)) {
        // DrawText may write the shortened text back, with up to four more bytes.
        std::vector<char> buffer(Text.begin(), Text.end());
        buffer.resize(Text.size() + 5, '\0');
        win::DrawText(FHandle, buffer.data(), static_cast<int>(Text.size()), &Rect, flags);
        Text.assign(buffer.data());
    } else {
        win::DrawText(FHandle, Text.data(), static_cast<int>(Text.size()), &Rect, flags);
    }
    Changed();
}

TSize TCanvas::TextExtent(const String& Text) {
    RequiredState({csHandleValid, csFontValid});
    SIZE size{};
    GetTextExtentPoint32(FHandle, Text.data(), static_cast<int>(Text.size()), &size);
    return size;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
    if (Graphic == nullptr || Graphic->Empty()) return;
    StretchDraw(Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
    if (Graphic == nullptr || Graphic->Empty()) return;
    Changing();
    RequiredState(kAllValid);
    // Monochrome pictures take these colours for black and white.
    SetBkColor(FHandle, graphics::ToColorRef(FBrush->Color()));
    SetTextColor(FHandle, graphics::ToColorRef(FFont->Color()));
    // A colour bitmap is stretched with its dropped rows and columns left out, as the framework does
    // (the DC's own mode would merge them); the mode stays set on the canvas's DC.
    if (auto* bitmap = dynamic_cast<TBitmap*>(Graphic); bitmap != nullptr && !bitmap->Monochrome())
        SetStretchBltMode(FHandle, COLORONCOLOR);
    Graphic->Draw(this, Rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    if (Canvas == nullptr) return;
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    Canvas->RequiredState({csHandleValid, csBrushValid});
    StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas->FHandle, Source.Left,
               Source.Top, Source.Width(), Source.Height(), static_cast<DWORD>(FCopyMode));
    Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
    if (Bitmap == nullptr || Bitmap->Empty()) return;
    Changing();
    RequiredState(kAllValid);
    // The brush first, then the picture over it with the colour left out.
    win::FillRect(FHandle, &Dest, FBrush->Handle());
    Bitmap->DrawPart(this, Dest, Source, true, graphics::ToColorRef(Color));
    Changed();
}

TRect TCanvas::ClipRect() {
    RequiredState({csHandleValid});
    RECT r{};
    GetClipBox(FHandle, &r);
    return r;
}

void TCanvas::Lock() {
    FLock.lock();
    ++FLockCount;
}

void TCanvas::Unlock() {
    if (FLockCount == 0) return;
    --FLockCount;
    FLock.unlock();
}

bool TCanvas::TryLock() {
    if (!FLock.try_lock()) return false;
    ++FLockCount;
    return true;
}

} // namespace vcl
