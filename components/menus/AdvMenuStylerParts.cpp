#include "components/menus/AdvMenuStylerParts.h"

#include <cstddef>

#include "components/menus/AdvMenuUtil.h"
#include "components/menus/AdvMenus.h"
#include "platform/vcl/Screen.h"

namespace AdvMenuStylers {

using namespace vcl;

void RefreshServedMenu(TMenu* Menu, bool SideBarChanged, bool SizeChanged) {
    if (!Menu) return;
    AdvMenus::RefreshMenu(AdvMenus::GetAdvMenuIntf(Menu), SideBarChanged, SizeChanged);
}

std::unique_ptr<TFont> NewMenuFont() {
    auto font = std::make_unique<TFont>();
    font->Assign(GetScreen()->MenuFont());
    return font;
}

namespace {

// The field an indexed colour property stands for: index 0 is the first field, 1 the second, and so on;
// any other index raises EInvalidPropertyIndex.
template <class T> T& PickByIndex(int Index, T& Field0, T& Field1) {
    if (Index == 0) return Field0;
    if (Index != 1) AdvMenuUtil::InvalidPropertyIndex(Index);
    return Field1;
}

template <class T, std::size_t N> T& PickByIndex(int Index, T (&Fields)[N]) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= N) AdvMenuUtil::InvalidPropertyIndex(Index);
    return Fields[Index];
}

} // namespace

std::unique_ptr<TFont> NewNotesFont(TColor Color) {
    auto font = NewMenuFont();
    font->SetSize(font->Size() - 2);
    font->SetColor(Color);
    return font;
}

// ---- TGradientBar

TGradientBar::TGradientBar() = default;

TColor TGradientBar::GetGradientColor(int Index) const {
    return PickByIndex(Index, FColor, FColorTo);
}

void TGradientBar::SetGradientColor(int Index, TColor Value) {
    PickByIndex(Index, FColor, FColorTo) = Value;
}

void TGradientBar::Assign(TPersistent* Source) {
    if (auto* src = dynamic_cast<TGradientBar*>(Source)) {
        SetGradientColor(0, src->FColor);
        SetGradientColor(1, src->FColorTo);
        FGradientDirection = src->FGradientDirection;
        return;
    }
    TPersistent::Assign(Source);
}

// ---- TIconBar

KV_PUBLISHED(TIconBar) {
    using C = TIconBar;
    p.Color("Color", &C::Color, &C::SetColor, 0xFFF9F9);
    p.Color("ColorTo", &C::ColorTo, &C::SetColorTo, 0xBBA0A1);
    p.Enum("GradientDirection", &C::FGradientDirection, nullptr, gdHorizontal);
    p.Color(
        "CheckColor", &C::FCheckColor, [](C* c, TColor v) { c->SetCheckColor(0, v); }, 0x6FC0FF);
    p.Color(
        "CheckColorTo", &C::FCheckColorTo, [](C* c, TColor v) { c->SetCheckColor(1, v); }, clNone);
    p.Color("CheckBorder", &C::CheckBorder, nullptr, 0x6F4B4B);
    p.Enum("CheckGradientDirection", &C::CheckGradientDirection, nullptr, gdVertical);
    p.Color(
        "RadioColor", &C::FRadioColor, [](C* c, TColor v) { c->SetRadioColor(0, v); }, 0x6FC0FF);
    p.Color(
        "RadioColorTo", &C::FRadioColorTo, [](C* c, TColor v) { c->SetRadioColor(1, v); }, clNone);
    p.Color("RadioBorder", &C::RadioBorder, nullptr, 0x6F4B4B);
    p.Enum("RadioGradientDirection", &C::RadioGradientDirection, nullptr, gdVertical);
    p.Color("SeparatorColor", &C::SeparatorColor, nullptr, clNone);
    p.Int("Size", &C::FSize, &C::SetSize, 24);
}

TIconBar::TIconBar() {
    FColor = 0xFFF9F9;
    FColorTo = 0xBBA0A1;
    FGradientDirection = gdHorizontal;
}

TColor TIconBar::GetCheckColor(int Index) const {
    return PickByIndex(Index, FCheckColor, FCheckColorTo);
}

void TIconBar::SetCheckColor(int Index, TColor Value) {
    PickByIndex(Index, FCheckColor, FCheckColorTo) = Value;
    RefreshServedMenu(FMenu, false, false);
}

TColor TIconBar::GetRadioColor(int Index) const {
    return PickByIndex(Index, FRadioColor, FRadioColorTo);
}

void TIconBar::SetRadioColor(int Index, TColor Value) {
    PickByIndex(Index, FRadioColor, FRadioColorTo) = Value;
    RefreshServedMenu(FMenu, false, false);
}

void TIconBar::SetSize(int Value) {
    FSize = std::max(Value, 16);
    RefreshServedMenu(FMenu, false, true);
}

void TIconBar::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TIconBar*>(Source);
    if (!src) {
        TGradientBar::Assign(Source);
        return;
    }
    SetCheckColor(0, src->FCheckColor);
    SetCheckColor(1, src->FCheckColorTo);
    CheckBorder = src->CheckBorder;
    CheckGradientDirection = src->CheckGradientDirection;
    SetRadioColor(0, src->FRadioColor);
    SetRadioColor(1, src->FRadioColorTo);
    RadioBorder = src->RadioBorder;
    RadioGradientDirection = src->RadioGradientDirection;
    SetSize(src->FSize);
    SeparatorColor = src->SeparatorColor;
}

// ---- TSelectedItem

KV_PUBLISHED(TSelectedItem) {
    using C = TSelectedItem;
    p.Color("Color", &C::Color, &C::SetColor, 0xC2EEFF);
    p.Color("ColorTo", &C::ColorTo, &C::SetColorTo, clNone);
    p.Color("ColorMirror", &C::ColorMirror, nullptr, clNone);
    p.Color("ColorMirrorTo", &C::ColorMirrorTo, nullptr, clNone);
    p.Enum("GradientDirection", &C::FGradientDirection, nullptr, gdVertical);
    p.Color("BorderColor", &C::BorderColor, nullptr, 0x6F4B4B);
    p.Object("Font", &C::FFont);
    p.Object("NotesFont", &C::FNotesFont);
    p.Bool("UseSystemFont", &C::FUseSystemFont, &C::SetUseSystemFont, true);
    p.Color(
        "CheckColor", &C::FCheckColor, [](C* c, TColor v) { c->SetCheckColor(0, v); }, 0x3E80FE);
    p.Color(
        "CheckColorTo", &C::FCheckColorTo, [](C* c, TColor v) { c->SetCheckColor(1, v); }, clNone);
    p.Color("CheckBorder", &C::CheckBorder, nullptr, 0x6F4B4B);
    p.Enum("CheckGradientDirection", &C::CheckGradientDirection, nullptr, gdVertical);
    p.Color(
        "RadioColor", &C::FRadioColor, [](C* c, TColor v) { c->SetRadioColor(0, v); }, 0x3E80FE);
    p.Color(
        "RadioColorTo", &C::FRadioColorTo, [](C* c, TColor v) { c->SetRadioColor(1, v); }, clNone);
    p.Color("RadioBorder", &C::RadioBorder, nullptr, 0x6F4B4B);
    p.Enum("RadioGradientDirection", &C::RadioGradientDirection, nullptr, gdVertical);
}

TSelectedItem::TSelectedItem() : FFont(NewMenuFont()), FNotesFont(NewNotesFont(clWindowText)) {
    FColor = 0xC2EEFF;
    FColorTo = clNone;
    FGradientDirection = gdVertical;
    FFont->SetColor(clWindowText);
}

TSelectedItem::~TSelectedItem() = default;

TColor TSelectedItem::GetCheckColor(int Index) const {
    return PickByIndex(Index, FCheckColor, FCheckColorTo);
}

void TSelectedItem::SetCheckColor(int Index, TColor Value) {
    PickByIndex(Index, FCheckColor, FCheckColorTo) = Value;
    RefreshServedMenu(FMenu, false, false);
}

TColor TSelectedItem::GetRadioColor(int Index) const {
    return PickByIndex(Index, FRadioColor, FRadioColorTo);
}

void TSelectedItem::SetRadioColor(int Index, TColor Value) {
    PickByIndex(Index, FRadioColor, FRadioColorTo) = Value;
    RefreshServedMenu(FMenu, false, false);
}

void TSelectedItem::SetFont(TFont* Value) {
    FFont->Assign(Value);
    RefreshServedMenu(FMenu, false, true);
}

void TSelectedItem::SetNotesFont(TFont* Value) {
    FNotesFont->Assign(Value);
    RefreshServedMenu(FMenu, false, true);
}

void TSelectedItem::SetUseSystemFont(bool Value) {
    FUseSystemFont = Value;
    RefreshServedMenu(FMenu, false, true);
}

void TSelectedItem::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TSelectedItem*>(Source);
    if (!src) {
        TGradientBar::Assign(Source);
        return;
    }
    ColorMirror = src->ColorMirror;
    ColorMirrorTo = src->ColorMirrorTo;
    BorderColor = src->BorderColor;
    FFont->Assign(src->FFont.get());
    SetUseSystemFont(src->FUseSystemFont);
    SetCheckColor(0, src->FCheckColor);
    SetCheckColor(1, src->FCheckColorTo);
    CheckGradientDirection = src->CheckGradientDirection;
    SetRadioColor(0, src->FRadioColor);
    SetRadioColor(1, src->FRadioColorTo);
    RadioBorder = src->RadioBorder;
    RadioGradientDirection = src->RadioGradientDirection;
}

// ---- TRootItem

KV_PUBLISHED(TRootItem) {
    using C = TRootItem;
    p.Color("Color", &C::Color, &C::SetColor, 0xE5D7D7);
    p.Color("ColorTo", &C::ColorTo, &C::SetColorTo, 0xF7F2F2);
    p.Enum("GradientDirection", &C::FGradientDirection, nullptr, gdHorizontal);
    p.Object("Font", &C::FFont);
    p.Bool("UseSystemFont", &C::FUseSystemFont, &C::SetUseSystemFont, true);
    p.Color(
        "SelectedColor", [](C* c) { return c->GetSelectedColor(0); },
        [](C* c, TColor v) { c->SetSelectedColor(0, v); }, 0xF2E8E8);
    p.Color(
        "SelectedColorTo", [](C* c) { return c->GetSelectedColor(1); },
        [](C* c, TColor v) { c->SetSelectedColor(1, v); }, 0xCDB8B9);
    p.Color(
        "SelectedColorMirror", [](C* c) { return c->GetSelectedColor(2); },
        [](C* c, TColor v) { c->SetSelectedColor(2, v); }, clNone);
    p.Color(
        "SelectedColorMirrorTo", [](C* c) { return c->GetSelectedColor(3); },
        [](C* c, TColor v) { c->SetSelectedColor(3, v); }, clNone);
    p.Enum("SelectedGradientDirection", &C::SelectedGradientDirection, nullptr, gdVertical);
    p.Color("SelectedBorderColor", &C::SelectedBorderColor, nullptr, 0x947C7C);
    p.Color("SelectedTextColor", &C::SelectedTextColor, nullptr, clWindowText);
    p.Color(
        "HoverColor", [](C* c) { return c->GetHoverColor(0); },
        [](C* c, TColor v) { c->SetHoverColor(0, v); }, 0xCFF6FF);
    p.Color(
        "HoverColorTo", [](C* c) { return c->GetHoverColor(1); },
        [](C* c, TColor v) { c->SetHoverColor(1, v); }, 0x9DD8FF);
    p.Color(
        "HoverColorMirror", [](C* c) { return c->GetHoverColor(2); },
        [](C* c, TColor v) { c->SetHoverColor(2, v); }, clNone);
    p.Color(
        "HoverColorMirrorTo", [](C* c) { return c->GetHoverColor(3); },
        [](C* c, TColor v) { c->SetHoverColor(3, v); }, clNone);
    p.Enum("HoverGradientDirection", &C::HoverGradientDirection, nullptr, gdVertical);
    p.Color("HoverBorderColor", &C::HoverBorderColor, nullptr, 0x6F4B4B);
    p.Color("HoverTextColor", &C::HoverTextColor, nullptr, clWindowText);
}

TRootItem::TRootItem() : FFont(NewMenuFont()) {
    FColor = 0xE5D7D7;
    FColorTo = 0xF7F2F2;
    FGradientDirection = gdHorizontal;
}

TRootItem::~TRootItem() = default;

TColor TRootItem::GetSelectedColor(int Index) const {
    return PickByIndex(Index, FSelected);
}

void TRootItem::SetSelectedColor(int Index, TColor Value) {
    PickByIndex(Index, FSelected) = Value;
    RefreshServedMenu(FMenu, false, true);
}

TColor TRootItem::GetHoverColor(int Index) const {
    return PickByIndex(Index, FHover);
}

void TRootItem::SetHoverColor(int Index, TColor Value) {
    PickByIndex(Index, FHover) = Value;
    RefreshServedMenu(FMenu, false, true);
}

void TRootItem::SetFont(TFont* Value) {
    FFont->Assign(Value);
    RefreshServedMenu(FMenu, false, true);
}

void TRootItem::SetUseSystemFont(bool Value) {
    FUseSystemFont = Value;
    RefreshServedMenu(FMenu, false, true);
}

void TRootItem::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TRootItem*>(Source);
    if (!src) {
        TGradientBar::Assign(Source);
        return;
    }
    FFont->Assign(src->FFont.get());
    SetUseSystemFont(src->FUseSystemFont);
    SetSelectedColor(0, src->FSelected[0]);
    SetSelectedColor(1, src->FSelected[1]);
    SelectedGradientDirection = src->SelectedGradientDirection;
    SelectedBorderColor = src->SelectedBorderColor;
    SelectedTextColor = src->SelectedTextColor;
    SetHoverColor(0, src->FHover[0]);
    SetHoverColor(1, src->FHover[1]);
    HoverGradientDirection = src->HoverGradientDirection;
    HoverBorderColor = src->HoverBorderColor;
    HoverTextColor = src->HoverTextColor;
    SetSelectedColor(2, src->FSelected[2]);
    SetSelectedColor(3, src->FSelected[3]);
}

// ---- TBackground

KV_PUBLISHED(TBackground) {
    using C = TBackground;
    p.Object("Image", &C::Image);
    p.Enum("Position", &C::Position, nullptr, bpCenter);
    p.Int("OffsetX", &C::OffsetX, nullptr, 0);
    p.Int("OffsetY", &C::OffsetY, nullptr, 0);
    p.Int("MarginX", &C::MarginX, nullptr, 0);
    p.Int("MarginY", &C::MarginY, nullptr, 0);
    p.Color("Color", &C::Color, &C::SetColor, 0xFFFAFD);
    p.Color("ColorTo", &C::ColorTo, &C::SetColorTo, clNone);
    p.Enum("GradientDirection", &C::FGradientDirection, nullptr, gdVertical);
}

TBackground::TBackground() {
    FColor = 0xFFFAFD;
    FColorTo = clNone;
    FGradientDirection = gdVertical;
}

TBackground::~TBackground() = default;

TPicture* TBackground::Image() {
    if (!FImage) FImage = std::make_unique<TPicture>();
    if (auto* bmp = dynamic_cast<TBitmap*>(FImage->Graphic())) {
        bmp->SetTransparentMode(tmAuto);
        bmp->SetTransparent(true);
    }
    return FImage.get();
}

void TBackground::SetImage(TPicture* Value) {
    if (Value) {
        Image()->Assign(Value);
    } else if (FImage) {
        FImage->SetGraphic(nullptr);
        FImage.reset();
    }
    RefreshServedMenu(FMenu, false, false);
}

TBitmap* TBackground::GetBitmap() {
    if (!FWorkBitmap) FWorkBitmap = std::make_unique<TBitmap>();
    return FWorkBitmap.get();
}

void TBackground::CalcPicturePosition(const TRect& R, int& X, int& Y) {
    X = R.Left;
    Y = R.Top;
    if (!FImage || !FImage->Graphic() || FImage->Graphic()->Empty()) return;
    const int W = R.Width(), H = R.Height();
    const int w = FImage->Width(), h = FImage->Height();
    switch (Position) {
    case bpTopLeft:
    case bpBottomLeft:
        X += OffsetX;
        break;
    case bpTopRight:
    case bpBottomRight:
        X += W + OffsetX - w;
        break;
    case bpTopCenter:
    case bpBottomCenter:
    case bpCenter:
        X += (W - w) / 2 + OffsetX;
        break;
    default:
        break;
    }
    switch (Position) {
    case bpTopLeft:
    case bpTopRight:
    case bpTopCenter:
        Y += OffsetY;
        break;
    case bpBottomLeft:
    case bpBottomRight:
    case bpBottomCenter:
        Y += H + OffsetY - h;
        break;
    case bpCenter:
        Y += (H - h) / 2 + OffsetY;
        break;
    default:
        break;
    }
}

void TBackground::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TBackground*>(Source);
    if (!src) {
        TGradientBar::Assign(Source);
        return;
    }
    SetImage(src->FImage ? src->FImage.get() : nullptr);
    OffsetX = src->OffsetX;
    OffsetY = src->OffsetY;
    Position = src->Position;
    FColor = src->FColor;
    FColorTo = src->FColorTo;
}

// ---- TSeparator

KV_PUBLISHED(TSeparator) {
    using C = TSeparator;
    p.Color("Color", &C::Color, &C::SetColor, 0x8F6D6E);
    p.Color("ColorTo", &C::ColorTo, &C::SetColorTo, clNone);
    p.Int("Width", &C::Width, nullptr, 1);
    p.Enum("GradientType", &C::GradientType, nullptr, gtBoth);
    p.Int("GradientWidth", &C::GradientWidth, nullptr, 0);
    p.Int("Margin", &C::Margin, nullptr, 2);
}

TSeparator::TSeparator() {
    FColor = 0x8F6D6E;
    FColorTo = clNone;
    FGradientDirection = gdHorizontal;
}

void TSeparator::Assign(TPersistent* Source) {
    if (auto* src = dynamic_cast<TSeparator*>(Source)) {
        Width = src->Width;
        GradientType = src->GradientType;
        GradientWidth = src->GradientWidth;
        Margin = src->Margin;
    }
    TGradientBar::Assign(Source);
}

} // namespace AdvMenuStylers
