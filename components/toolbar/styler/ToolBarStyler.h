#pragma once
// TCustomAdvToolBarStyler: the appearance component that dock panels and toolbars register with. It
// keeps the list of its registered controls and tells each of them, with a change code, when one of
// its properties changes (the receivers react in their UpdateMe).
//
// Change codes: 1 background and font, 2 colours and captions, 4 container appearance, 5 drag grip,
// 6 menu styler, 7 glow-button appearances, 10 tabs/pages/groups, 11 pager caption, 12 quick access
// toolbar.

#include <memory>

#include "components/foundation/AdvStyleIF.h"
#include "components/toolbar/styler/ToolBarAppearance.h"
#include "platform/classes/Component.h"
#include "platform/vcl/Panel.h"

namespace AdvToolBar {

class TCustomAdvToolBarStyler : public vcl::TComponent {
    KV_CLASS(TCustomAdvToolBarStyler, vcl::TComponent)
    KV_PUBLISHED_PROPERTIES(TCustomAdvToolBarStyler)
public:
    explicit TCustomAdvToolBarStyler(vcl::TComponent* AOwner);
    ~TCustomAdvToolBarStyler() override;

    // ---- Registration
    // Appends the control (no duplicate check).
    void AddControl(vcl::TComponent* Control);
    // Removes the first occurrence, when there is one.
    void RemoveControl(vcl::TComponent* Control);
    int ControlCount() const { return FControlList->Count(); }
    vcl::TComponent* Controls(int Index) const { return FControlList->At<vcl::TComponent>(Index); }
    // Calls UpdateMe(Code) on every registered dock panel and toolbar.
    void Change(int Code);
    void UpdateStyle() { Change(2); }
    // Makes every registered dock panel that uses this styler (and is not being destroyed) let go of it.
    void ReleaseAllControls();

    // From another toolbar styler: the colours, the background settings, the drag grip and the floating
    // window border. Any other source raises the framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;

    // ---- Appearance objects (owned; written by copying)
    TGradientBackground* Color() const { return FColor.get(); }
    void SetColor(TGradientBackground* Value) { FColor->Assign(Value); }
    TGradientBackground* ColorHot() const { return FColorHot.get(); }
    void SetColorHot(TGradientBackground* Value) { FColorHot->Assign(Value); }
    TGradientBackground* DockColor() const { return FDockColor.get(); }
    void SetDockColor(TGradientBackground* Value) { FDockColor->Assign(Value); }
    TContainerAppearance* ContainerAppearance() const { return FContainerAppearance.get(); }
    void SetContainerAppearance(TContainerAppearance* Value) { FContainerAppearance->Assign(Value); }

    // ---- Plain properties (setters compare unless said otherwise)
    bool BackGroundTransparent() const { return FBackGroundTransparent; }
    void SetBackGroundTransparent(bool Value);
    TBackGroundDisplay BackGroundDisplay() const { return FBackGroundDisplay; }
    void SetBackGroundDisplay(TBackGroundDisplay Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor Value);
    TDragGripStyle DragGripStyle() const { return FDragGripStyle; }
    void SetDragGripStyle(TDragGripStyle Value);
    TColor FloatingWindowBorderColor() const { return FFloatingWindowBorderColor; }
    void SetFloatingWindowBorderColor(TColor Value);
    int FloatingWindowBorderWidth() const { return FFloatingWindowBorderWidth; }
    void SetFloatingWindowBorderWidth(int Value);
    TColor RightHandleColor() const { return FRightHandleColor; }
    void SetRightHandleColor(TColor Value);
    TColor RightHandleColorTo() const { return FRightHandleColorTo; }
    void SetRightHandleColorTo(TColor Value);
    TColor RightHandleColorHot() const { return FRightHandleColorHot; }
    void SetRightHandleColorHot(TColor Value);
    TColor RightHandleColorHotTo() const { return FRightHandleColorHotTo; }
    void SetRightHandleColorHotTo(TColor Value);
    TColor RightHandleColorDown() const { return FRightHandleColorDown; }
    void SetRightHandleColorDown(TColor Value);
    TColor RightHandleColorDownTo() const { return FRightHandleColorDownTo; }
    void SetRightHandleColorDownTo(TColor Value);
    bool SystemFont() const { return FSystemFont; }
    void SetSystemFont(bool Value) { FSystemFont = Value; }

    // ---- State that is not published
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Stores and signals code 2 on every write, also when unchanged.
    bool RoundEdges() const { return FRoundEdges; }
    void SetRoundEdges(bool Value);
    vcl::TBevelCut Bevel() const { return FBevel; }
    void SetBevel(vcl::TBevelCut Value);
    bool UseBevel() const { return FUseBevel; }
    void SetUseBevel(bool Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value) { FAutoThemeAdapt = Value; }
    // The style the registered toolbars push to their glow buttons; tsCustom: they keep their own look.
    AdvStyleIF::TBrixStyle ChildComponentStyle() const { return FChildComponentStyle; }
    bool DarkStyle() const { return FDarkStyle; }

protected:
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void SetChildComponentStyle(AdvStyleIF::TBrixStyle Value) { FChildComponentStyle = Value; }
    void SetDarkStyle(bool Value) { FDarkStyle = Value; }
    // Changes a colour property: compares, stores, signals Code.
    void ChangeColor(TColor& Field, TColor Value, int Code);

    bool FAutoThemeAdapt = false;

private:
    std::unique_ptr<TDbgList> FControlList;
    bool FBackGroundTransparent = true;
    TBackGroundDisplay FBackGroundDisplay = bdTile;
    TDragGripStyle FDragGripStyle = dsDots;
    bool FTransparent = false;
    bool FRoundEdges = true;
    TColor FRightHandleColor = 0x9E9E9E;
    TColor FRightHandleColorTo = 0;
    TColor FRightHandleColorHot = 0xD2BDB6;
    TColor FRightHandleColorHotTo = 0;
    TColor FRightHandleColorDown = 0x76C1FF;
    TColor FRightHandleColorDownTo = 0x2DA0FF;
    int FFloatingWindowBorderWidth = 2;
    TColor FFloatingWindowBorderColor = 0x6D6D6D;
    vcl::TBevelCut FBevel = vcl::bvNone;
    bool FUseBevel = false;
    std::unique_ptr<TGradientBackground> FColor;
    std::unique_ptr<TGradientBackground> FDockColor;
    std::unique_ptr<TGradientBackground> FColorHot;
    TColor FBorderColor = vcl::clNone;
    TColor FBorderColorHot = vcl::clNone;
    std::unique_ptr<TContainerAppearance> FContainerAppearance;
    bool FSystemFont = true;
    AdvStyleIF::TBrixStyle FChildComponentStyle = AdvStyleIF::tsOffice2003Blue;
    bool FDarkStyle = false;
};

} // namespace AdvToolBar
