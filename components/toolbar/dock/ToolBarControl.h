#pragma once
// TAdvCustomToolBarControl: the windowless control a toolbar lays out itself, knowing the toolbar or
// quick access toolbar it sits on and the docking side it is drawn for.

#include "components/toolbar/styler/ToolBarTypes.h"
#include "platform/vcl/CustomControl.h"

namespace AdvToolBar {

class TAdvCustomToolBar;
class TAdvCustomQuickAccessToolBar;

class TAdvCustomToolBarControl : public vcl::TGraphicControl {
    KV_CLASS(TAdvCustomToolBarControl, vcl::TGraphicControl)
    KV_PUBLISHED_PROPERTIES(TAdvCustomToolBarControl)
public:
    explicit TAdvCustomToolBarControl(vcl::TComponent* AOwner);
    ~TAdvCustomToolBarControl() override;

    TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
    // Moves the control onto the toolbar (null: off any parent). Raises Exception "AdvToolBar not set"
    // when the toolbar did not take it.
    virtual void SetAdvToolBar(TAdvCustomToolBar* Value);
    // The quick access toolbar the control sits on (or whose overflow window holds it); null otherwise.
    TAdvCustomQuickAccessToolBar* AdvQuickAccessToolBar() const { return FAdvQuickAccessToolBar; }
    void SetAdvQuickAccessToolBar(TAdvCustomQuickAccessToolBar* Value) { FAdvQuickAccessToolBar = Value; }
    TDockAlign Position() const { return FPosition; }
    // Stores the side and, with AutoSize, fits the size to it.
    void SetPosition(TDockAlign Value);

protected:
    // The component a published reference property of the toolbar names ("Images", "Menu", ...), or,
    // off any toolbar, of the quick access toolbar; null without either, without such a property, or
    // when it is not set.
    vcl::TComponent* ToolBarReference(const String& Name) const;

    friend class TAdvCustomToolBar;
    friend class TAdvToolBarContainer;
    TAdvCustomToolBar* FAdvToolBar = nullptr;
    TAdvCustomQuickAccessToolBar* FAdvQuickAccessToolBar = nullptr;
    TDockAlign FPosition = daTop;
};

} // namespace AdvToolBar

// The separator is the smallest of these controls; code that tells separators apart includes only
// this header.
#include "components/toolbar/dock/ToolBarSeparator.h"
