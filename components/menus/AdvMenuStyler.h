#pragma once
// TCustomAdvMenuStyler: the non-visual component holding the whole look of the owner-drawn menus, made
// of the appearance parts; TAdvMenuStyler is its published form. The menu linked last through Menu is the
// one that a change refreshes.

#include <algorithm>

#include "components/foundation/AdvGDIPTypes.h"
#include "components/menus/AdvMenuStylerParts.h"

namespace AdvMenuStylers {

using AdvGDIP::TAntiAlias;

class TCustomAdvMenuStyler : public vcl::TComponent {
    KV_CLASS(TCustomAdvMenuStyler, vcl::TComponent)
public:
    explicit TCustomAdvMenuStyler(vcl::TComponent* AOwner);
    ~TCustomAdvMenuStyler() override;

    // Copies the parts, the font and UseSystemFont from a TAdvMenuStyler; any other source raises the
    // assignment error.
    void Assign(vcl::TPersistent* Source) override;

    TAntiAlias AntiAlias() const { return FAntiAlias; }
    void SetAntiAlias(TAntiAlias Value);
    TBackground* Background() const { return FBackground.get(); }
    void SetBackground(TBackground* Value);
    TIconBar* IconBar() const { return FIconBar.get(); }
    void SetIconBar(TIconBar* Value);
    TSelectedItem* SelectedItem() const { return FSelectedItem.get(); }
    void SetSelectedItem(TSelectedItem* Value);
    TRootItem* RootItem() const { return FRootItem.get(); }
    void SetRootItem(TRootItem* Value);
    TMenuGlyphs* Glyphs() const { return FGlyphs.get(); }
    void SetGlyphs(TMenuGlyphs* Value);
    TSideBar* SideBar() const { return FSideBar.get(); }
    void SetSideBar(TSideBar* Value);
    TSeparator* Separator() const { return FSeparator.get(); }
    void SetSeparator(TSeparator* Value);
    vcl::TFont* Font() const { return FFont.get(); }
    void SetFont(vcl::TFont* Value);
    vcl::TFont* NotesFont() const { return FNotesFont.get(); }
    void SetNotesFont(vcl::TFont* Value);
    bool UseSystemFont() const { return FUseSystemFont; }
    void SetUseSystemFont(bool Value);
    TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetTButtonAppearance(TButtonAppearance* Value);
    vcl::TBitmap* WorkBitmap() const { return FWorkBitmap.get(); }

    // The menu served (not owned); stored in every part.
    vcl::TMenu* Menu() const { return FMenu; }
    void SetMenu(vcl::TMenu* Value);

    TColor MenuBorderColor = 0x7C7C94;

    // What the work bitmap holds: the background composed at a menu window's size.
    struct TComposedKey {
        int Width = 0, Height = 0;
        const void* Graphic = nullptr;
        TBackgroundPosition Position = bpCenter;
        int OffsetX = 0, OffsetY = 0;
        bool operator==(const TComposedKey&) const = default;
    };
    TComposedKey Composed;

private:
    void Refresh(bool SideBar, bool Size);

    std::unique_ptr<TSideBar> FSideBar;
    std::unique_ptr<TBackground> FBackground;
    std::unique_ptr<TIconBar> FIconBar;
    std::unique_ptr<TSelectedItem> FSelectedItem;
    std::unique_ptr<TRootItem> FRootItem;
    std::unique_ptr<TMenuGlyphs> FGlyphs;
    std::unique_ptr<TSeparator> FSeparator;
    std::unique_ptr<vcl::TFont> FFont;
    bool FUseSystemFont = true;
    vcl::TMenu* FMenu = nullptr;
    std::unique_ptr<vcl::TBitmap> FWorkBitmap;
    std::unique_ptr<vcl::TFont> FNotesFont;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    TAntiAlias FAntiAlias = AdvGDIP::aaNone;
};

class TAdvMenuStyler : public TCustomAdvMenuStyler {
    KV_CLASS(TAdvMenuStyler, TCustomAdvMenuStyler)
    KV_PUBLISHED_PROPERTIES(TAdvMenuStyler)
public:
    explicit TAdvMenuStyler(vcl::TComponent* AOwner) : TCustomAdvMenuStyler(AOwner) {}
};

// The layout names of the text-rendering choices (aaNone, aaClearType, aaAntiAlias).
bool IdentToAntiAlias(const vcl::String& Ident, vcl::Int64& Value);
bool AntiAliasToIdent(vcl::Int64 Value, vcl::String& Ident);

// The published properties of a styler class, in two groups, so that a derived styler can publish its
// own values between them (a preset must be read before the parts' single values that override it).
template <typename T> void DeclareAntiAliasProperty(vcl::TPropertyDeclarer<T>& p) {
    p.Int(
         "AntiAlias", [](T* c) { return static_cast<int>(c->AntiAlias()); },
         [](T* c, int v) { c->SetAntiAlias(static_cast<TAntiAlias>(std::clamp(v, 0, 2))); }, 0)
        .Idents(IdentToAntiAlias, AntiAliasToIdent);
}

template <typename T> void DeclareStylerProperties(vcl::TPropertyDeclarer<T>& p) {
    p.Object("Background", &T::Background);
    p.Object("ButtonAppearance", &T::ButtonAppearance);
    p.Object("IconBar", &T::IconBar);
    p.Object("SelectedItem", &T::SelectedItem);
    p.Object("RootItem", &T::RootItem);
    p.Object("Glyphs", &T::Glyphs);
    p.Object("SideBar", &T::SideBar);
    p.Object("Separator", &T::Separator);
    p.Object("Font", &T::Font);
    p.Object("NotesFont", &T::NotesFont);
    p.Bool("UseSystemFont", &T::UseSystemFont, &T::SetUseSystemFont, true);
    p.Color("MenuBorderColor", &T::MenuBorderColor, nullptr, 0x7C7C94);
}

} // namespace AdvMenuStylers
