#pragma once
// The preset menu stylers: TAdvMenuOfficeStyler fills the menu styler from the Office and Windows looks,
// follows the desktop's colour scheme on request and takes styles pushed through IBrixStyle;
// TAdvMenuFantasyStyler offers freer looks, one of them on a tiled texture.

#include "components/foundation/AdvAppStyler.h"
#include "components/foundation/AdvStyleIF.h"
#include "components/menus/AdvMenuStyler.h"

namespace AdvMenuStylers {

KV_ENUM(TOfficeStyle, osOffice2003Blue, osOffice2003Silver, osOffice2003Olive, osOfficeXP, osOffice2007Luna,
        osOffice2007Obsidian, osCustom, osOffice2007Silver, osVista);
KV_ENUM(TFantasyStyle, fsArctic, fsAquaBlue, fsChocolate, fsMacOS, fsSilverFox, fsSoftSand, fsTerminalGreen,
        fsTextured, fsWindowsClassic, fsWhidbey, fsCustom);

// The bitmap resource the textured fantasy style tiles.
inline constexpr const char* kMenuTextureResource = "MENUTEXTURE";

// The hidden window through which the Office styler hears of theme changes.
class TNotifierWindow : public AdvAppStyler::TThemeNotifierWindow {
    KV_CLASS(TNotifierWindow, AdvAppStyler::TThemeNotifierWindow)
public:
    using AdvAppStyler::TThemeNotifierWindow::TThemeNotifierWindow;
};

class TAdvMenuOfficeStyler : public TCustomAdvMenuStyler, public AdvStyleIF::IBrixStyle {
    KV_CLASS(TAdvMenuOfficeStyler, TCustomAdvMenuStyler)
    KV_PUBLISHED_PROPERTIES(TAdvMenuOfficeStyler)
public:
    // Starts with the osOffice2003Blue colours.
    explicit TAdvMenuOfficeStyler(vcl::TComponent* AOwner);
    ~TAdvMenuOfficeStyler() override;

    TOfficeStyle Style() const { return FStyle; }
    // Loads the style's colours (again, also when it is the current style; osCustom loads none) and
    // repaints the bar of the main menu served.
    void SetStyle(TOfficeStyle Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    // A plain value: the theme is read again at the next theme change or Loaded.
    void SetAutoThemeAdapt(bool Value) { FAutoThemeAdapt = Value; }

    void SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) override;
    // With AutoThemeAdapt: the style of the desktop's colour scheme.
    void ThemeChanged(vcl::TObject* Sender);

protected:
    void Loaded() override;

private:
    void ApplyPreset(TOfficeStyle Value);

    TOfficeStyle FStyle = osOffice2003Blue;
    bool FAutoThemeAdapt = false;
    TNotifierWindow* FNotifier = nullptr; // owned as a component
};

class TAdvMenuFantasyStyler : public TCustomAdvMenuStyler {
    KV_CLASS(TAdvMenuFantasyStyler, TCustomAdvMenuStyler)
    KV_PUBLISHED_PROPERTIES(TAdvMenuFantasyStyler)
public:
    // Loads no look at run time; while designed it starts custom.
    explicit TAdvMenuFantasyStyler(vcl::TComponent* AOwner);
    ~TAdvMenuFantasyStyler() override;

    TFantasyStyle Style() const { return FStyle; }
    // Clears the mirror colours, loads the style (again, also when it is the current one; fsCustom loads
    // nothing more) and repaints the bar of the main menu served. Raises the resource error when the
    // texture is missing.
    void SetStyle(TFantasyStyle Value);

private:
    TFantasyStyle FStyle = fsArctic;
};

} // namespace AdvMenuStylers
