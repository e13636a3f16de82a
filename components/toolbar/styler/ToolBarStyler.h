#pragma once
// TCustomAdvToolBarStyler: the appearance component that dock panels, toolbars and pagers register
// with. It owns every colour, font, picture and appearance object they paint from, keeps the list of
// its registered clients and tells each of them what changed (IToolBarStylerClient).

#include <cstddef>
#include <memory>
#include <vector>

#include "components/foundation/AdvGlowButtonAppearance.h"
#include "components/foundation/AdvStyleIF.h"
#include "components/menus/AdvMenuStyler.h"
#include "components/toolbar/styler/PagerAppearance.h"
#include "components/toolbar/styler/ToolBarAppearance.h"
#include "components/toolbar/styler/ToolBarStylerClient.h"
#include "platform/classes/Component.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Panel.h"

namespace AdvToolBar {

using AdvGlowButton::TGlowButtonAppearance;
using AdvMenuStylers::TCustomAdvMenuStyler;

class TCustomAdvToolBarStyler : public vcl::TComponent {
    KV_CLASS(TCustomAdvToolBarStyler, vcl::TComponent)
    KV_PUBLISHED_PROPERTIES(TCustomAdvToolBarStyler)
public:
    explicit TCustomAdvToolBarStyler(vcl::TComponent* AOwner);
    ~TCustomAdvToolBarStyler() override;

    // ---- Registration
    // Appends the client (no duplicate check).
    void AddControl(IToolBarStylerClient* Control);
    // Removes the first occurrence, when there is one.
    void RemoveControl(IToolBarStylerClient* Control);
    // Moves a client's assigned styler from Linked to Value: the old one (unless it is the client's
    // internal styler, never listed) forgets the client, the new one lists it and tells Self when it
    // goes. Returns the styler the client paints with: Value, or Internal when Value is null.
    static TCustomAdvToolBarStyler* Relink(vcl::TComponent* Self, IToolBarStylerClient* Client,
                                           TCustomAdvToolBarStyler*& Linked,
                                           TCustomAdvToolBarStyler* Internal, TCustomAdvToolBarStyler* Value);
    int ControlCount() const { return FControlList.Count(); }
    IToolBarStylerClient* Controls(int Index) const { return FControlList[Index]; }
    // Tells every registered client, in registration order.
    void Change(TStylerChange Code);
    void UpdateStyle() { Change(TStylerChange::Colors); }
    // Makes every registered client that holds this styler (and is not being destroyed) let go of it.
    void ReleaseAllControls();

    // From another toolbar styler: the menu styler's settings, Color, DockColor, the background and
    // its settings, the font, the drag grip and its picture, the right-handle picture, the floating
    // window border, the caption and button appearances. Any other source raises the framework's
    // conversion error.
    void Assign(vcl::TPersistent* Source) override;

    // The 274 property lines of the property file: appended to Lines; read from Lines starting at
    // First. Loading raises Exception "Corrupt file" at the first line it cannot read or does not find,
    // keeping the values read before it and reading none after it.
    void SavePropToFile(std::vector<String>& Lines);
    void LoadPropFromFile(const std::vector<String>& Lines, std::size_t First);

    // ---- Menus
    TCustomAdvMenuStyler* AdvMenuStyler() const { return FAdvMenuStyler; }
    void SetAdvMenuStyler(TCustomAdvMenuStyler* Value);
    // The assigned menu styler, or the internal one ("InternalMenuStyler") when none is assigned.
    TCustomAdvMenuStyler* CurrentAdvMenuStyler() const { return FCurrentAdvMenuStyler; }
    TCustomAdvMenuStyler* InternalMenuStyler() const { return FInternalMenuStyler; }

    // ---- Owned objects (written by copying)
    vcl::TBitmap* BackGround() const { return FBackGround.get(); }
    void SetBackGround(vcl::TBitmap* Value);
    vcl::TBitmap* DragGripImage() const { return FDragGripImage.get(); }
    void SetDragGripImage(vcl::TBitmap* Value) { FDragGripImage->Assign(Value); }
    vcl::TBitmap* RightHandleImage() const { return FRightHandleImage.get(); }
    void SetRightHandleImage(vcl::TBitmap* Value);
    vcl::TFont* Font() const { return FFont.get(); }
    void SetFont(vcl::TFont* Value);
    vcl::TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(vcl::TFont* Value);
    TGradientBackground* Color() const { return FColor.get(); }
    void SetColor(TGradientBackground* Value) { FColor->Assign(Value); }
    TGradientBackground* ColorHot() const { return FColorHot.get(); }
    void SetColorHot(TGradientBackground* Value) { FColorHot->Assign(Value); }
    TGradientBackground* DockColor() const { return FDockColor.get(); }
    void SetDockColor(TGradientBackground* Value) { FDockColor->Assign(Value); }
    TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetTButtonAppearance(TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TCaptionAppearance* CaptionAppearance() const { return FCaptionAppearance.get(); }
    void SetCaptionAppearance(TCaptionAppearance* Value) { FCaptionAppearance->Assign(Value); }
    TContainerAppearance* ContainerAppearance() const { return FContainerAppearance.get(); }
    void SetContainerAppearance(TContainerAppearance* Value) { FContainerAppearance->Assign(Value); }
    TGlowButtonAppearance* GlowButtonAppearance() const { return FGlowButtonAppearance.get(); }
    void SetGlowButtonAppearance(TGlowButtonAppearance* Value) { FGlowButtonAppearance->Assign(Value); }
    TGlowButtonAppearance* CompactGlowButtonAppearance() const { return FCompactGlowButtonAppearance.get(); }
    void SetCompactGlowButtonAppearance(TGlowButtonAppearance* Value) {
        FCompactGlowButtonAppearance->Assign(Value);
    }
    TTabAppearance* TabAppearance() const { return FTabAppearance.get(); }
    void SetTabAppearance(TTabAppearance* Value) { FTabAppearance->Assign(Value); }
    TVistaBackground* PageAppearance() const { return FPageAppearance.get(); }
    void SetPageAppearance(TVistaBackground* Value) { FPageAppearance->Assign(Value); }
    TVistaTextBackground* PagerCaption() const { return FPagerCaption.get(); }
    void SetPagerCaption(TVistaTextBackground* Value) { FPagerCaption->Assign(Value); }
    TGroupAppearance* GroupAppearance() const { return FGroupAppearance.get(); }
    void SetGroupAppearance(TGroupAppearance* Value) { FGroupAppearance->Assign(Value); }
    TQATAppearance* QATAppearance() const { return FQATAppearance.get(); }
    void SetQATAppearance(TQATAppearance* Value) { FQATAppearance->Assign(Value); }

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
    // Kept to 0 .. kMaxFloatingWindowBorderWidth.
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
    // Switched on, Font and CaptionFont take the system font name (no change code).
    void SetSystemFont(bool Value);

    // ---- State that is not published
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Stores and signals Colors on every write, also when unchanged.
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
    // Pages of a tab group draw with rounded corners.
    bool RoundedPageCorners() const { return FRoundedPageCorners; }
    // The quick access toolbar's left notch is one pixel wider.
    bool WideQATNotch() const { return FWideQATNotch; }

protected:
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void SetChildComponentStyle(AdvStyleIF::TBrixStyle Value) { FChildComponentStyle = Value; }
    void SetDarkStyle(bool Value) { FDarkStyle = Value; }
    void SetRoundedPageCorners(bool Value) { FRoundedPageCorners = Value; }
    void SetWideQATNotch(bool Value) { FWideQATNotch = Value; }
    // Renames the six fonts whose system-font flag is on.
    void RefreshSystemFontNames();

    bool FAutoThemeAdapt = false;

private:
    void ChangeColor(TColor& Field, TColor Value);

    TDbgListOf<IToolBarStylerClient> FControlList;
    std::unique_ptr<vcl::TBitmap> FBackGround;
    bool FBackGroundTransparent = true;
    TBackGroundDisplay FBackGroundDisplay = bdTile;
    std::unique_ptr<vcl::TFont> FFont;
    TDragGripStyle FDragGripStyle = dsDots;
    std::unique_ptr<vcl::TBitmap> FDragGripImage;
    std::unique_ptr<vcl::TBitmap> FRightHandleImage;
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
    std::unique_ptr<TCaptionAppearance> FCaptionAppearance;
    vcl::TBevelCut FBevel = vcl::bvNone;
    bool FUseBevel = false;
    std::unique_ptr<TGradientBackground> FColor;
    std::unique_ptr<TGradientBackground> FDockColor;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    TCustomAdvMenuStyler* FInternalMenuStyler = nullptr; // owned as a component
    TCustomAdvMenuStyler* FAdvMenuStyler = nullptr;
    TCustomAdvMenuStyler* FCurrentAdvMenuStyler = nullptr;
    TColor FBorderColor = vcl::clNone;
    TColor FBorderColorHot = vcl::clNone;
    std::unique_ptr<TGradientBackground> FColorHot;
    std::unique_ptr<vcl::TFont> FCaptionFont;
    std::unique_ptr<TContainerAppearance> FContainerAppearance;
    std::unique_ptr<TGlowButtonAppearance> FGlowButtonAppearance;
    std::unique_ptr<TGlowButtonAppearance> FCompactGlowButtonAppearance;
    std::unique_ptr<TVistaTextBackground> FPagerCaption;
    std::unique_ptr<TTabAppearance> FTabAppearance;
    std::unique_ptr<TVistaBackground> FPageAppearance;
    std::unique_ptr<TGroupAppearance> FGroupAppearance;
    std::unique_ptr<TQATAppearance> FQATAppearance;
    bool FSystemFont = true;
    AdvStyleIF::TBrixStyle FChildComponentStyle = AdvStyleIF::tsOffice2003Blue;
    bool FDarkStyle = false;
    bool FRoundedPageCorners = false;
    bool FWideQATNotch = false;
};

} // namespace AdvToolBar
