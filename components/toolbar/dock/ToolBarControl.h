#pragma once
// TAdvCustomToolBarControl: the windowless control a toolbar lays out itself, knowing the toolbar it
// sits on and the docking side it is drawn for; TAdvToolBarSeparator: the etched divider between
// groups of controls.

#include "components/toolbar/styler/ToolBarTypes.h"
#include "platform/vcl/CustomControl.h"

namespace AdvToolBar {

class TAdvCustomToolBar;

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
    TDockAlign Position() const { return FPosition; }
    // Stores the side and, with AutoSize, fits the size to it.
    void SetPosition(TDockAlign Value);

protected:
    friend class TAdvCustomToolBar;
    friend class TAdvToolBarContainer;
    TAdvCustomToolBar* FAdvToolBar = nullptr;
    TDockAlign FPosition = daTop;
};

KV_ENUM(TAdvSeparatorStyle, ssOffice2003, ssBlank);

class TAdvToolBarSeparator : public TAdvCustomToolBarControl {
    KV_CLASS(TAdvToolBarSeparator, TAdvCustomToolBarControl)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarSeparator)
public:
    explicit TAdvToolBarSeparator(vcl::TComponent* AOwner);

    TAdvSeparatorStyle SeparatorStyle() const { return FSeparatorStyle; }
    void SetSeparatorStyle(TAdvSeparatorStyle Value);
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value);

    // From another separator: SeparatorStyle and LineColor; any other source: the framework's Assign.
    void Assign(vcl::TPersistent* Source) override;

protected:
    void Paint() override;
    // 10 across the line; along it the toolbar's thickness less 4.
    void AdjustSize() override;

private:
    TAdvSeparatorStyle FSeparatorStyle = ssOffice2003;
    TColor FLineColor = vcl::clBtnShadow;
};

} // namespace AdvToolBar
