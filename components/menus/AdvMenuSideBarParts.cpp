// The side bar with its caption, the menu glyphs and the toolbar family's button appearance.

#include "components/menus/AdvMenuStylerParts.h"

#include "components/foundation/AdvStyleIF.h"

namespace AdvMenuStylers {

using namespace vcl;

namespace {

const char* SystemFontName() {
    return AdvStyleIF::IsVista() ? "Segoe UI" : "Tahoma";
}

// Builds a monochrome mark from rows of '#' (black, drawn) and '.' (white, transparent).
std::unique_ptr<TBitmap> MakeMark(std::initializer_list<const char*> Rows) {
    auto bmp = std::make_unique<TBitmap>();
    int h = static_cast<int>(Rows.size());
    int w = static_cast<int>(std::char_traits<char>::length(*Rows.begin()));
    std::vector<std::uint32_t> pixels(static_cast<size_t>(w * h), 0xFFFFFFFFu);
    int y = 0;
    for (const char* row : Rows) {
        for (int x = 0; x < w && row[x]; ++x)
            if (row[x] == '#') pixels[static_cast<size_t>(y * w + x)] = 0xFF000000u;
        ++y;
    }
    bmp->SetPixels(w, h, pixels.data(), afIgnored, true);
    bmp->SetTransparent(true);
    return bmp;
}

} // namespace

// ---- TBarCaption

KV_PUBLISHED(TBarCaption) {
    using C = TBarCaption;
    p.Enum("Alignment", &C::Alignment, nullptr, taLeftJustify);
    p.Str("Caption", &C::Caption);
    p.Object("Font", &C::FFont);
    p.Color("ShadowColor", &C::ShadowColor, nullptr, clNone);
    p.Int("Depth", &C::Depth, nullptr, 1);
    p.Enum("Direction", &C::Direction, nullptr, dDownToUp);
}

TBarCaption::TBarCaption() : FFont(std::make_unique<TFont>()) {
    FFont->SetName("Tahoma");
    FFont->SetSize(14);
    FFont->SetColor(0xFFFFFF);
    FFont->SetStyle(TFontStyles{fsBold, fsItalic});
}

TBarCaption::~TBarCaption() = default;

void TBarCaption::SetFont(TFont* Value) {
    FFont->Assign(Value);
    RefreshServedMenu(FMenu, true, false);
}

void TBarCaption::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TBarCaption*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    TextOffset = src->TextOffset;
    Alignment = src->Alignment;
    Caption = src->Caption;
    FFont->Assign(src->FFont.get());
    ShadowColor = src->ShadowColor;
    HighlightColor = src->HighlightColor;
    Depth = src->Depth;
    Direction = src->Direction;
}

// ---- TSideBar

KV_PUBLISHED(TSideBar) {
    using C = TSideBar;
    p.Bool("Visible", &C::FVisible, &C::SetVisible, false);
    p.Enum("VisibleIn", &C::VisibleIn, nullptr, viFirstVisible);
    p.Object("Image", &C::FImage);
    p.Object("Background", &C::FBackground);
    p.Int("Size", &C::Size, nullptr, 24);
    p.Color("SplitterColor", &C::SplitterColor, nullptr, 0x808080);
    p.Color("SplitterColorTo", &C::SplitterColorTo, nullptr, clNone);
    p.Int("SplitterWidth", &C::SplitterWidth, nullptr, 1);
    p.Int("SplitterMargin", &C::SplitterMargin, nullptr, 0);
    p.Int("SplitterGradientWidth", &C::SplitterGradientWidth, nullptr, 0);
    p.Enum("SplitterGradientType", &C::SplitterGradientType, nullptr, gtBoth);
    p.Color("BorderColor", &C::BorderColor, nullptr, 0xA19D9D);
}

TSideBar::TSideBar()
    : FImage(std::make_unique<TBackground>()), FBackground(std::make_unique<TBackground>()) {}

TSideBar::~TSideBar() = default;

void TSideBar::SetVisible(bool Value) {
    FVisible = Value;
    auto* main = dynamic_cast<TMainMenu*>(FMenu);
    if (main && main->WindowHandle()) RefreshServedMenu(FMenu, false, true);
}

void TSideBar::SetImage(TBackground* Value) {
    FImage->Assign(Value);
    RefreshServedMenu(FMenu, true, false);
}

void TSideBar::SetBackground(TBackground* Value) {
    FBackground->Assign(Value);
    if (FBackground->HasImage() && dynamic_cast<TBitmap*>(FBackground->Image()->Graphic()))
        FBackground->GetBitmap()->SetTransparent(true);
    RefreshServedMenu(FMenu, true, false);
}

void TSideBar::Assign(TPersistent* Source) {
    if (auto* src = dynamic_cast<TSideBar*>(Source)) {
        SetVisible(src->FVisible);
        FImage->Assign(src->FImage.get());
        FBackground->Assign(src->FBackground.get());
        BarPosition = src->BarPosition;
        Size = src->Size;
        SplitterWidth = src->SplitterWidth;
        SplitterMargin = src->SplitterMargin;
        SplitterGradientWidth = src->SplitterGradientWidth;
        SplitterGradientType = src->SplitterGradientType;
        BorderColor = src->BorderColor;
    }
    TBarCaption::Assign(Source);
}

// ---- TMenuGlyphs

KV_PUBLISHED(TMenuGlyphs) {
    using C = TMenuGlyphs;
    p.Object("SubMenu", &C::FSubMenu);
    p.Object("Check", &C::FCheck);
    p.Object("Radio", &C::FRadio);
}

TMenuGlyphs::TMenuGlyphs() {
    FSubMenu = MakeMark({"#...", "##..", "###.", "####", "###.", "##..", "#..."});
    FCheck = MakeMark({"................", "................", "................", "................",
                       "...........#....", "..........##....", ".....#...###....", ".....##.###.....",
                       ".....#####......", "......###.......", ".......#........", "................",
                       "................", "................", "................", "................"});
    FRadio = MakeMark({"................", "................", "................", "................",
                       "................", "......####......", ".....######.....", ".....######.....",
                       ".....######.....", ".....######.....", "......####......", "................",
                       "................", "................", "................", "................"});
}

TMenuGlyphs::~TMenuGlyphs() = default;

void TMenuGlyphs::SetSubMenu(TBitmap* Value) {
    FSubMenu->Assign(Value);
    FSubMenu->SetTransparent(true);
    RefreshServedMenu(FMenu, false, false);
}

void TMenuGlyphs::SetCheck(TBitmap* Value) {
    FCheck->Assign(Value);
    FCheck->SetTransparent(true);
    RefreshServedMenu(FMenu, false, false);
}

void TMenuGlyphs::SetRadio(TBitmap* Value) {
    FRadio->Assign(Value);
    FRadio->SetTransparent(true);
    RefreshServedMenu(FMenu, false, false);
}

void TMenuGlyphs::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TMenuGlyphs*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    SetSubMenu(src->FSubMenu.get());
    SetCheck(src->FCheck.get());
    SetRadio(src->FRadio.get());
}

// ---- TButtonAppearance

KV_PUBLISHED(TButtonAppearance) {
    using C = TButtonAppearance;
    p.Color("Color", &C::FColor, &C::SetColor, clNone);
    p.Color("ColorTo", &C::FColorTo, &C::SetColorTo, clNone);
    p.Color("DownColor", &C::FDownColor, &C::SetDownColor, 0xB59285);
    p.Color("DownColorTo", &C::FDownColorTo, &C::SetDownColorTo, clNone);
    p.Color("HoverColor", &C::FHoverColor, &C::SetHoverColor, 0xD2BDB6);
    p.Color("HoverColorTo", &C::FHoverColorTo, &C::SetHoverColorTo, clNone);
    p.Enum("GradientDirection", &C::FGradientDirection, &C::SetGradientDirection, gdVertical);
    p.Color("BorderColor", &C::FBorderColor, &C::SetBorderColor, clNone);
    p.Color("DownBorderColor", &C::DownBorderColor, nullptr, 0x6A240A);
    p.Color("HoverBorderColor", &C::HoverBorderColor, nullptr, 0x6A240A);
    p.Object("CaptionFont", &C::FCaptionFont);
    p.Bool("UseSystemFont", &C::FUseSystemFont, &C::SetUseSystemFont, true);
}

TButtonAppearance::TButtonAppearance() : FCaptionFont(std::make_unique<TFont>()) {
    FCaptionFont->SetName(SystemFontName());
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::Change() {
    if (OnChange) OnChange(this);
}

#define KV_APPEARANCE_SETTER(Name, Type, Field)                                                              \
    void TButtonAppearance::Set##Name(Type Value) {                                                          \
        if (Field == Value) return;                                                                          \
        Field = Value;                                                                                       \
        Change();                                                                                            \
    }
KV_APPEARANCE_SETTER(Color, TColor, FColor)
KV_APPEARANCE_SETTER(ColorTo, TColor, FColorTo)
KV_APPEARANCE_SETTER(DownColor, TColor, FDownColor)
KV_APPEARANCE_SETTER(DownColorTo, TColor, FDownColorTo)
KV_APPEARANCE_SETTER(HoverColor, TColor, FHoverColor)
KV_APPEARANCE_SETTER(HoverColorTo, TColor, FHoverColorTo)
KV_APPEARANCE_SETTER(BorderColor, TColor, FBorderColor)
KV_APPEARANCE_SETTER(GradientDirection, TGradientDirection, FGradientDirection)
KV_APPEARANCE_SETTER(GlyphPosition, TGlyphPosition, FGlyphPosition)
#undef KV_APPEARANCE_SETTER

void TButtonAppearance::SetCaptionFont(TFont* Value) {
    FCaptionFont->Assign(Value);
    Change();
}

void TButtonAppearance::SetUseSystemFont(bool Value) {
    if (FUseSystemFont == Value) return;
    FUseSystemFont = Value;
    if (Value) FCaptionFont->SetName(SystemFontName());
}

void TButtonAppearance::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TButtonAppearance*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    FColor = src->FColor;
    FColorTo = src->FColorTo;
    FHoverColor = src->FHoverColor;
    FHoverColorTo = src->FHoverColorTo;
    FDownColor = src->FDownColor;
    FDownColorTo = src->FDownColorTo;
    FGradientDirection = src->FGradientDirection;
    FBorderColor = src->FBorderColor;
    HoverBorderColor = src->HoverBorderColor;
    DownBorderColor = src->DownBorderColor;
}

} // namespace AdvMenuStylers
