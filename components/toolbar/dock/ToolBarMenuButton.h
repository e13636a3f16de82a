#pragma once
// TAdvToolBarMenuButton: the toolbar button that stands for one top-level menu item while the toolbar
// acts as a menu bar; it paints with the menu styler's root-item colours. TAdvGlowMenuButton: a glow
// button that reports itself as a menu button (an application-menu button).

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/dock/ToolBarButton.h"

namespace AdvToolBar {

class TAdvToolBarMenuButton : public TAdvCustomToolBarButton {
    KV_CLASS(TAdvToolBarMenuButton, TAdvCustomToolBarButton)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarMenuButton)
public:
    explicit TAdvToolBarMenuButton(vcl::TComponent* AOwner);

    bool IsMenuButton() const override { return true; }
    // The menu styler whose root item colours the button: the one in effect of the toolbar's styler,
    // only while the button follows the styler and the toolbar has a menu.
    AdvMenuStylers::TCustomAdvMenuStyler* MenuStyler() const;

protected:
    void DrawButton(vcl::TCanvas* Canvas) override;
    vcl::TFont* CaptionFont() const override;
};

class TAdvGlowMenuButton : public AdvGlowButton::TAdvCustomGlowButton {
    KV_CLASS(TAdvGlowMenuButton, AdvGlowButton::TAdvCustomGlowButton)
    KV_PUBLISHED_PROPERTIES(TAdvGlowMenuButton)
public:
    explicit TAdvGlowMenuButton(vcl::TComponent* AOwner);

    bool IsMenuButton() const override { return true; }
};

} // namespace AdvToolBar
