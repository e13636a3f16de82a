#pragma once
// The preset menu styler: TAdvMenuOfficeStyler fills the menu styler from nine Office and Windows looks,
// follows the desktop's colour scheme on request and takes styles pushed through IBrixStyle.

#include "components/foundation/AdvStyleIF.h"
#include "components/menus/AdvMenuStyler.h"

namespace AdvMenuStylers {

KV_ENUM(TOfficeStyle, osOffice2003Blue, osOffice2003Silver, osOffice2003Olive, osOfficeXP, osOffice2007Luna,
        osOffice2007Obsidian, osCustom, osOffice2007Silver, osVista);

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
    int FThemeListener = 0;
};

} // namespace AdvMenuStylers
