#pragma once
// TAdvToolBarSeparator: the etched divider between groups of controls on a toolbar.

#include "components/toolbar/dock/ToolBarControl.h"

namespace AdvToolBar {

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
