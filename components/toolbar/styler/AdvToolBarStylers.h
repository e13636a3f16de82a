#pragma once
// TAdvToolBarOfficeStyler: the toolbar styler with built-in Office and Windows colour presets, picked
// by Style; it can follow the desktop's colour scheme (AutoThemeAdapt) and takes a style pushed
// through IBrixStyle.

#include "components/foundation/AdvStyleIF.h"
#include "components/toolbar/styler/ToolBarStyler.h"

namespace AdvToolBarStylers {

KV_ENUM(TToolBarStyle, bsOffice2003Blue, bsOffice2003Silver, bsOffice2003Olive, bsOffice2003Classic,
        bsOffice2007Luna, bsOffice2007Obsidian, bsWindowsXP, bsWhidbeyStyle, bsCustom, bsOffice2007Silver,
        bsOfficeXP);

class TAdvToolBarOfficeStyler : public AdvToolBar::TCustomAdvToolBarStyler, public AdvStyleIF::IBrixStyle {
    KV_CLASS(TAdvToolBarOfficeStyler, AdvToolBar::TCustomAdvToolBarStyler)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarOfficeStyler)
public:
    explicit TAdvToolBarOfficeStyler(vcl::TComponent* AOwner);
    ~TAdvToolBarOfficeStyler() override;

    TToolBarStyle Style() const { return FStyle; }
    // Loads the preset of a new style and tells the registered controls (code 2); the style already
    // set changes nothing.
    void SetToolBarStyle(TToolBarStyle Value);
    // Selects the style of the same ordinal (tsCustom: bsCustom).
    void SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) override;
    // With AutoThemeAdapt, maps the desktop's colour scheme to a style.
    void ThemeChanged(vcl::TObject* Sender);

protected:
    void Loaded() override;

private:
    void LoadPreset(TToolBarStyle Value);
    TToolBarStyle FStyle = bsOffice2003Blue;
};

} // namespace AdvToolBarStylers
