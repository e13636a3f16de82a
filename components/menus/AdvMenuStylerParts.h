#pragma once
// The appearance parts of the menu styler: background, icon bar, selected (hot) item, menu-bar items,
// separator, side bar with its caption, check/radio/submenu glyphs and the toolbar family's button
// appearance. Each part remembers the menu it serves, so that a change that alters item sizes can have
// that menu measure its items again.

#include <memory>

#include "platform/classes/Properties.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/Label.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Picture.h"

namespace AdvMenuStylers {

using vcl::TColor;

KV_ENUM(TGradientDirection, gdVertical, gdHorizontal);
KV_ENUM(TGradientType, gtLeft, gtRight, gtBoth);
KV_ENUM(TBackgroundPosition, bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpTopCenter, bpBottomCenter,
        bpTiled, bpStretched, bpCenter, bpXY);
KV_ENUM(TSideBarVisibleIn, viFirstVisible, viFirstLevel, viAnyLevel);
KV_ENUM(TSideBarPosition, spLeft, spRight);
KV_ENUM(TDirection, dDownToUp, dUpToDown);
KV_ENUM(TGlyphPosition, gpLeft, gpRight);
KV_ENUM(TDrawStyle, dsNormal, dsTile, dsStretch);
KV_ENUM(TBarPart, bpGradient, bpPicture, bpBackPicture, bpCaption, bpBorder, bpSplitter);
KV_ENUM(TSeparatorStyle, ssNormal, ssShortLine, ssCaption);

// Asks the menu (when it is one of the owner-drawn menus) to refresh: with either flag its items are
// measured again.
void RefreshServedMenu(vcl::TMenu* Menu, bool SideBarChanged, bool SizeChanged);

// A copy of the screen's menu font.
std::unique_ptr<vcl::TFont> NewMenuFont();
// A font two points smaller than the screen's menu font, in the given colour.
std::unique_ptr<vcl::TFont> NewNotesFont(vcl::TColor Color);

class TGradientBar : public vcl::TPersistent {
    KV_CLASS(TGradientBar, vcl::TPersistent)
public:
    TGradientBar();
    void Assign(vcl::TPersistent* Source) override;

    // Index 0: Color, 1: ColorTo; others raise EInvalidPropertyIndex.
    TColor GetGradientColor(int Index) const;
    void SetGradientColor(int Index, TColor Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { SetGradientColor(0, Value); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { SetGradientColor(1, Value); }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }

    vcl::TMenu* Menu() const { return FMenu; }
    void SetMenu(vcl::TMenu* Value) { FMenu = Value; }

protected:
    TColor FColor = 0xD8BDAF;
    TColor FColorTo = vcl::clNone;
    TGradientDirection FGradientDirection = gdVertical;
    vcl::TMenu* FMenu = nullptr;
};

class TIconBar : public TGradientBar {
    KV_CLASS(TIconBar, TGradientBar)
    KV_PUBLISHED_PROPERTIES(TIconBar)
public:
    TIconBar();
    void Assign(vcl::TPersistent* Source) override;

    TColor GetCheckColor(int Index) const;
    void SetCheckColor(int Index, TColor Value);
    TColor GetRadioColor(int Index) const;
    void SetRadioColor(int Index, TColor Value);
    TColor CheckColor() const { return FCheckColor; }
    TColor CheckColorTo() const { return FCheckColorTo; }
    TColor RadioColor() const { return FRadioColor; }
    TColor RadioColorTo() const { return FRadioColorTo; }
    // The icon bar is at least 16 pixels wide.
    int Size() const { return FSize; }
    void SetSize(int Value);

    TColor CheckBorder = 0x6F4B4B;
    TGradientDirection CheckGradientDirection = gdVertical;
    TColor RadioBorder = 0x6F4B4B;
    TGradientDirection RadioGradientDirection = gdVertical;
    TColor SeparatorColor = vcl::clNone;

private:
    TColor FCheckColor = 0x6FC0FF;
    TColor FCheckColorTo = vcl::clNone;
    TColor FRadioColor = 0x6FC0FF;
    TColor FRadioColorTo = vcl::clNone;
    int FSize = 24;
};

class TSelectedItem : public TGradientBar {
    KV_CLASS(TSelectedItem, TGradientBar)
    KV_PUBLISHED_PROPERTIES(TSelectedItem)
public:
    TSelectedItem();
    ~TSelectedItem() override;
    void Assign(vcl::TPersistent* Source) override;

    TColor GetCheckColor(int Index) const;
    void SetCheckColor(int Index, TColor Value);
    TColor GetRadioColor(int Index) const;
    void SetRadioColor(int Index, TColor Value);
    TColor CheckColor() const { return FCheckColor; }
    TColor CheckColorTo() const { return FCheckColorTo; }
    TColor RadioColor() const { return FRadioColor; }
    TColor RadioColorTo() const { return FRadioColorTo; }
    vcl::TFont* Font() const { return FFont.get(); }
    void SetFont(vcl::TFont* Value);
    vcl::TFont* NotesFont() const { return FNotesFont.get(); }
    void SetNotesFont(vcl::TFont* Value);
    bool UseSystemFont() const { return FUseSystemFont; }
    void SetUseSystemFont(bool Value);

    TColor ColorMirror = vcl::clNone;
    TColor ColorMirrorTo = vcl::clNone;
    TColor BorderColor = 0x6F4B4B;
    TColor CheckBorder = 0x6F4B4B;
    TGradientDirection CheckGradientDirection = gdVertical;
    TColor RadioBorder = 0x6F4B4B;
    TGradientDirection RadioGradientDirection = gdVertical;

private:
    TColor FCheckColor = 0x3E80FE;
    TColor FCheckColorTo = vcl::clNone;
    TColor FRadioColor = 0x3E80FE;
    TColor FRadioColorTo = vcl::clNone;
    std::unique_ptr<vcl::TFont> FFont;
    std::unique_ptr<vcl::TFont> FNotesFont;
    bool FUseSystemFont = true;
};

class TRootItem : public TGradientBar {
    KV_CLASS(TRootItem, TGradientBar)
    KV_PUBLISHED_PROPERTIES(TRootItem)
public:
    TRootItem();
    ~TRootItem() override;
    void Assign(vcl::TPersistent* Source) override;

    // Index 0: the colour, 1: its gradient end, 2: the mirror colour, 3: the mirror's end.
    TColor GetSelectedColor(int Index) const;
    void SetSelectedColor(int Index, TColor Value);
    TColor GetHoverColor(int Index) const;
    void SetHoverColor(int Index, TColor Value);
    vcl::TFont* Font() const { return FFont.get(); }
    void SetFont(vcl::TFont* Value);
    bool UseSystemFont() const { return FUseSystemFont; }
    void SetUseSystemFont(bool Value);

    TGradientDirection SelectedGradientDirection = gdVertical;
    TColor SelectedBorderColor = 0x947C7C;
    TColor SelectedTextColor = vcl::clWindowText;
    TGradientDirection HoverGradientDirection = gdVertical;
    TColor HoverBorderColor = 0x6F4B4B;
    TColor HoverTextColor = vcl::clWindowText;

private:
    TColor FSelected[4] = {0xF2E8E8, 0xCDB8B9, vcl::clNone, vcl::clNone};
    TColor FHover[4] = {0xCFF6FF, 0x9DD8FF, vcl::clNone, vcl::clNone};
    std::unique_ptr<vcl::TFont> FFont;
    bool FUseSystemFont = true;
};

class TBackground : public TGradientBar {
    KV_CLASS(TBackground, TGradientBar)
    KV_PUBLISHED_PROPERTIES(TBackground)
public:
    TBackground();
    ~TBackground() override;
    void Assign(vcl::TPersistent* Source) override;

    // The picture, created empty on first use; a bitmap in it is drawn transparent (automatic colour).
    vcl::TPicture* Image();
    // Copies the picture; null clears it and frees it.
    void SetImage(vcl::TPicture* Value);
    bool HasImage() const { return FImage != nullptr; }
    // The bitmap the background is composed in before it is drawn (made on first use).
    vcl::TBitmap* GetBitmap();
    vcl::TBitmap* WorkBitmap() const { return FWorkBitmap.get(); }
    // Where the picture's top-left corner goes inside R for the picture position.
    void CalcPicturePosition(const vcl::TRect& R, int& X, int& Y);

    TBackgroundPosition Position = bpCenter;
    int OffsetX = 0;
    int OffsetY = 0;
    int MarginX = 0;
    int MarginY = 0;

private:
    std::unique_ptr<vcl::TPicture> FImage;
    std::unique_ptr<vcl::TBitmap> FWorkBitmap;
};

class TSeparator : public TGradientBar {
    KV_CLASS(TSeparator, TGradientBar)
    KV_PUBLISHED_PROPERTIES(TSeparator)
public:
    TSeparator();
    void Assign(vcl::TPersistent* Source) override;

    int Width = 1;
    TGradientType GradientType = gtBoth;
    int GradientWidth = 0;
    int Margin = 2;
};

class TBarCaption : public vcl::TPersistent {
    KV_CLASS(TBarCaption, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TBarCaption)
public:
    TBarCaption();
    ~TBarCaption() override;
    void Assign(vcl::TPersistent* Source) override;

    vcl::TFont* Font() const { return FFont.get(); }
    void SetFont(vcl::TFont* Value);
    vcl::TMenu* Menu() const { return FMenu; }
    void SetMenu(vcl::TMenu* Value) { FMenu = Value; }

    vcl::TAlignment Alignment = vcl::taLeftJustify;
    vcl::String Caption;
    TColor ShadowColor = vcl::clNone;
    int Depth = 1;
    TDirection Direction = dDownToUp;
    int TextOffset = 6;
    TColor HighlightColor = vcl::clNone;

protected:
    std::unique_ptr<vcl::TFont> FFont;
    vcl::TMenu* FMenu = nullptr;
};

class TSideBar : public TBarCaption {
    KV_CLASS(TSideBar, TBarCaption)
    KV_PUBLISHED_PROPERTIES(TSideBar)
public:
    TSideBar();
    ~TSideBar() override;
    void Assign(vcl::TPersistent* Source) override;

    bool Visible() const { return FVisible; }
    // Refreshes only a main menu that is shown in a window.
    void SetVisible(bool Value);
    TBackground* Image() const { return FImage.get(); }
    void SetImage(TBackground* Value);
    TBackground* Background() const { return FBackground.get(); }
    void SetBackground(TBackground* Value);

    TSideBarVisibleIn VisibleIn = viFirstVisible;
    int Size = 24;
    TColor SplitterColor = 0x808080;
    TColor SplitterColorTo = vcl::clNone;
    int SplitterWidth = 1;
    int SplitterMargin = 0;
    int SplitterGradientWidth = 0;
    TGradientType SplitterGradientType = gtBoth;
    TColor BorderColor = 0xA19D9D;
    TSideBarPosition BarPosition = spLeft;

private:
    bool FVisible = false;
    std::unique_ptr<TBackground> FImage;
    std::unique_ptr<TBackground> FBackground;
};

class TMenuGlyphs : public vcl::TPersistent {
    KV_CLASS(TMenuGlyphs, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TMenuGlyphs)
public:
    // Made with the built-in monochrome marks: an arrow (4 x 7), a check and a radio dot (16 x 16).
    TMenuGlyphs();
    ~TMenuGlyphs() override;
    void Assign(vcl::TPersistent* Source) override;

    vcl::TBitmap* SubMenu() const { return FSubMenu.get(); }
    void SetSubMenu(vcl::TBitmap* Value);
    vcl::TBitmap* Check() const { return FCheck.get(); }
    void SetCheck(vcl::TBitmap* Value);
    vcl::TBitmap* Radio() const { return FRadio.get(); }
    void SetRadio(vcl::TBitmap* Value);
    vcl::TMenu* Menu() const { return FMenu; }
    void SetMenu(vcl::TMenu* Value) { FMenu = Value; }

private:
    std::unique_ptr<vcl::TBitmap> FSubMenu;
    std::unique_ptr<vcl::TBitmap> FCheck;
    std::unique_ptr<vcl::TBitmap> FRadio;
    vcl::TMenu* FMenu = nullptr;
};

class TButtonAppearance : public vcl::TPersistent {
    KV_CLASS(TButtonAppearance, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TButtonAppearance)
public:
    TButtonAppearance();
    ~TButtonAppearance() override;
    void Assign(vcl::TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor DownColor() const { return FDownColor; }
    void SetDownColor(TColor Value);
    TColor DownColorTo() const { return FDownColorTo; }
    void SetDownColorTo(TColor Value);
    TColor HoverColor() const { return FHoverColor; }
    void SetHoverColor(TColor Value);
    TColor HoverColorTo() const { return FHoverColorTo; }
    void SetHoverColorTo(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value);
    TGlyphPosition GlyphPosition() const { return FGlyphPosition; }
    void SetGlyphPosition(TGlyphPosition Value);
    vcl::TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(vcl::TFont* Value);
    bool UseSystemFont() const { return FUseSystemFont; }
    // Switching it on names the caption font after the system's ("Segoe UI" or "Tahoma").
    void SetUseSystemFont(bool Value);

    TColor DownBorderColor = 0x6A240A;
    TColor HoverBorderColor = 0x6A240A;
    vcl::TNotifyEvent OnChange;

private:
    void Change();

    TColor FColor = vcl::clNone;
    TColor FColorTo = vcl::clNone;
    TColor FDownColor = 0xB59285;
    TColor FDownColorTo = vcl::clNone;
    TColor FHoverColor = 0xD2BDB6;
    TColor FHoverColorTo = vcl::clNone;
    TColor FBorderColor = vcl::clNone;
    TGradientDirection FGradientDirection = gdVertical;
    TGlyphPosition FGlyphPosition = gpLeft;
    std::unique_ptr<vcl::TFont> FCaptionFont;
    bool FUseSystemFont = true;
};

} // namespace AdvMenuStylers
