#pragma once
// The status-bar stylers: TAdvOfficeStatusBarOfficeStyler fills the bar's colours from ten named Office
// and Windows styles, follows the desktop's colour scheme on request and takes styles pushed through
// IBrixStyle; TAdvOfficeStatusBarFantasyStyler only keeps the name of a fantasy style.

#include "components/foundation/AdvAppStyler.h"
#include "components/foundation/AdvStyleIF.h"
#include "components/statusbar/AdvOfficeStatusBarStyler.h"

namespace AdvOfficeStatusBarStylers {

using AdvOfficeStatusBar::TCustomAdvOfficeStatusBarStyler;

KV_ENUM(TOfficeStatusBarStyle, psOffice2003Blue, psOffice2003Silver, psOffice2003Olive, psOffice2003Classic,
        psOffice2007Luna, psOffice2007Obsidian, psWindowsXP, psWhidbey, psCustom, psOffice2007Silver);
KV_ENUM(TOfficeStatusBarFantasyStyle, psArctic, psAquaBlue, psChocolate, psMacOS, psSilverFox, psSoftSand,
        psTerminalGreen, psTextured, psWindowsClassic, psUser);

// The hidden window through which the Office styler hears of theme changes.
class TNotifierWindow : public AdvAppStyler::TThemeNotifierWindow {
    KV_CLASS(TNotifierWindow, AdvAppStyler::TThemeNotifierWindow)
public:
    using AdvAppStyler::TThemeNotifierWindow::TThemeNotifierWindow;
};

class TAdvOfficeStatusBarOfficeStyler : public TCustomAdvOfficeStatusBarStyler,
                                        public AdvStyleIF::IBrixStyle {
    KV_CLASS(TAdvOfficeStatusBarOfficeStyler, TCustomAdvOfficeStatusBarStyler)
    KV_PUBLISHED_PROPERTIES(TAdvOfficeStatusBarOfficeStyler)
public:
    // Starts with the psOffice2003Blue colours.
    explicit TAdvOfficeStatusBarOfficeStyler(vcl::TComponent* AOwner);
    ~TAdvOfficeStatusBarOfficeStyler() override;

    TOfficeStatusBarStyle Style() const { return FStyle; }
    // Applies the style's colours when the style changes (re-selecting the current style does nothing);
    // psCustom keeps the colours.
    void SetOfficeStatusBarStyle(TOfficeStatusBarStyle Value);
    void SetStyle(TOfficeStatusBarStyle Value) { SetOfficeStatusBarStyle(Value); }

    // The style of the same ordinal value.
    void SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) override;
    // With AutoThemeAdapt: the style of the desktop's colour scheme.
    void ThemeChanged(vcl::TObject* Sender);

protected:
    void Loaded() override;

private:
    void ApplyPreset(TOfficeStatusBarStyle Value);

    TNotifierWindow* FNotifier = nullptr; // owned as a component
    TOfficeStatusBarStyle FStyle = psOffice2003Blue;
};

class TAdvOfficeStatusBarFantasyStyler : public TCustomAdvOfficeStatusBarStyler {
    KV_CLASS(TAdvOfficeStatusBarFantasyStyler, TCustomAdvOfficeStatusBarStyler)
    KV_PUBLISHED_PROPERTIES(TAdvOfficeStatusBarFantasyStyler)
public:
    explicit TAdvOfficeStatusBarFantasyStyler(vcl::TComponent* AOwner);
    ~TAdvOfficeStatusBarFantasyStyler() override;

    TOfficeStatusBarFantasyStyle Style() const { return FStyle; }
    // Stores the name only: no colour changes and no bar is told.
    void SetOfficeStatusBarStyle(TOfficeStatusBarFantasyStyle Value) { FStyle = Value; }

private:
    TOfficeStatusBarFantasyStyle FStyle = psChocolate;
};

// Registers the stylers' classes for the layout reader (also done at start-up when this unit is linked).
void RegisterAdvOfficeStatusBarStylersClasses();

} // namespace AdvOfficeStatusBarStylers
