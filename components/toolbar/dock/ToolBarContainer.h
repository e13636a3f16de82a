#pragma once
// TAdvToolBarContainer: a windowed panel standing on a toolbar that holds ordinary controls (an edit, a
// combo box, glow buttons), with an optional caption and an etched frame whose line follows the
// toolbar's styler. It looks transparent: each paint first copies what its parent paints behind it.

#include <memory>

#include "components/foundation/AdvHintInfo.h"
#include "components/toolbar/styler/ToolBarAppearance.h"
#include "platform/vcl/CustomControl.h"

namespace AdvToolBar {

class TAdvCustomToolBar;

class TAdvToolBarContainer : public vcl::TCustomControl {
    KV_CLASS(TAdvToolBarContainer, vcl::TCustomControl)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarContainer)
public:
    explicit TAdvToolBarContainer(vcl::TComponent* AOwner);
    ~TAdvToolBarContainer() override;

    static constexpr int FrameMargin = 2;

    TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
    void SetAdvToolBar(TAdvCustomToolBar* Value);
    // The container's own caption (not the framework's text).
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value);
    bool Line3D() const { return FLine3D; }
    void SetLine3D(bool Value);
    bool ParentStyler() const { return FParentStyler; }
    void SetParentStyler(bool Value);
    // The published "Color": a gradient background whose Color becomes the control's colour.
    TGradientBackground* GradientColor() const { return FGradient.get(); }
    void SetGradientColor(TGradientBackground* Value);
    // The line colour and 3D look in effect: the styler's container appearance when the container
    // follows its toolbar's styler, else its own.
    void GetLineSettings(TColor& Color, bool& Is3D) const;
    AdvHintInfo::TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(AdvHintInfo::TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
    // Glow buttons inside take the toolbar styler's glow-button look and its component style.
    void UpdateAllGlowButtons();

    void SetParent(vcl::TWinControl* AParent) override;

protected:
    void Loaded() override;
    void Paint() override;
    void WndProc(vcl::TMessage& Message) override;

private:
    void OnColorChange(vcl::TObject* Sender);
    // Paints the parent's background and windowless controls behind the container onto the canvas.
    void PaintParentBackground(vcl::TCanvas* Canvas);
    void ControlInserted(vcl::TControl* Control);

    TAdvCustomToolBar* FAdvToolBar = nullptr;
    bool FParentStyler = true;
    bool FLine3D = true;
    String FCaption;
    TColor FLineColor = vcl::clBtnShadow;
    std::unique_ptr<TGradientBackground> FGradient;
    std::unique_ptr<AdvHintInfo::TAdvHintInfo> FOfficeHint;
};

} // namespace AdvToolBar
