#pragma once
// The toolbar stylers with built-in presets: TAdvToolBarOfficeStyler (Office and Windows looks, can
// follow the desktop's colour scheme, takes a style pushed through IBrixStyle) and
// TAdvToolBarFantasyStyler (fantasy looks). Both save their preset and values to a property file.

#include "components/foundation/AdvAppStyler.h"
#include "components/foundation/AdvStyleIF.h"
#include "components/toolbar/styler/ToolBarStyler.h"
#include "platform/vcl/WinControl.h"

namespace AdvToolBarStylers {

KV_ENUM(TToolBarStyle, bsOffice2003Blue, bsOffice2003Silver, bsOffice2003Olive, bsOffice2003Classic,
        bsOffice2007Luna, bsOffice2007Obsidian, bsWindowsXP, bsWhidbeyStyle, bsCustom, bsOffice2007Silver,
        bsOfficeXP);
KV_ENUM(TToolBarFantasyStyle, bsArctic, bsAquaBlue, bsChocolate, bsMacOS, bsSilverFox, bsSoftSand,
        bsTerminalGreen, bsTextured, bsWindowsClassic, bsUser, bsWhidbey);

// The hidden window through which the Office styler hears of theme changes.
class TNotifierWindow : public AdvAppStyler::TThemeNotifierWindow {
    KV_CLASS(TNotifierWindow, AdvAppStyler::TThemeNotifierWindow)
public:
    using AdvAppStyler::TThemeNotifierWindow::TThemeNotifierWindow;
};

class TAdvToolBarOfficeStyler : public AdvToolBar::TCustomAdvToolBarStyler, public AdvStyleIF::IBrixStyle {
    KV_CLASS(TAdvToolBarOfficeStyler, AdvToolBar::TCustomAdvToolBarStyler)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarOfficeStyler)
public:
    explicit TAdvToolBarOfficeStyler(vcl::TComponent* AOwner);
    ~TAdvToolBarOfficeStyler() override;

    TToolBarStyle Style() const { return FStyle; }
    // Loads the preset of a new style and tells the registered controls (Colors); the style already
    // set changes nothing.
    void SetToolBarStyle(TToolBarStyle Value);
    // Selects the style of the same ordinal (tsCustom: bsCustom).
    void SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) override;
    // With AutoThemeAdapt, maps the desktop's colour scheme to a style.
    void ThemeChanged(vcl::TObject* Sender);
    TNotifierWindow* NotifierWindow() const { return FNotifierWindow; }

    // The style name line, then the property lines. Saving replaces the file at once (never half
    // written) and raises Exception "Cannot Create <name>" when it cannot; loading raises "Cannot open
    // file <name>" (nothing changed) or "Corrupt file" (the values before the bad line applied).
    void SaveToFile(const vcl::String& FileName);
    void LoadFromFile(const vcl::String& FileName);

protected:
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

private:
    void LoadPreset(TToolBarStyle Value);
    TToolBarStyle FStyle = bsOffice2003Blue;
    TNotifierWindow* FNotifierWindow = nullptr; // owned as a component
};

class TAdvToolBarFantasyStyler : public AdvToolBar::TCustomAdvToolBarStyler {
    KV_CLASS(TAdvToolBarFantasyStyler, AdvToolBar::TCustomAdvToolBarStyler)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarFantasyStyler)
public:
    explicit TAdvToolBarFantasyStyler(vcl::TComponent* AOwner);

    TToolBarFantasyStyle Style() const { return FStyle; }
    // Loads the preset, also when it is the current one; bsUser changes nothing.
    void SetToolBarStyle(TToolBarFantasyStyle Value);

    void SaveToFile(const vcl::String& FileName);
    void LoadFromFile(const vcl::String& FileName);

private:
    void LoadWhidbey();
    TToolBarFantasyStyle FStyle = bsChocolate;
};

} // namespace AdvToolBarStylers
