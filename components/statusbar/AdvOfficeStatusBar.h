#pragma once
// TAdvOfficeStatusBar: the Office-style status bar. A windowed control aligned to the bottom of its form
// that shows its panels (or one simple text) in the colours of a status-bar styler: the one named in
// Styler, or its own internal styler while none is set.
//
// A 100 ms window timer keeps the clock, date, key-lock, blinking and animated panels current; button
// panels show hot and pressed states; mark-up panels have anchors that open web and mail addresses or
// raise OnAnchorClick.

#include <functional>
#include <memory>

#include "components/foundation/AdvGDIPTypes.h"
#include "components/statusbar/AdvOfficeStatusBarProgress.h"
#include "components/statusbar/AdvOfficeStatusBarStyler.h"
#include "components/statusbar/AdvOfficeStatusPanels.h"
#include "components/statusbar/PictureContainer.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/ImgList.h"

namespace AdvToolBar {
class TAdvToolBarForm;
}

namespace AdvOfficeStatusBar {

using TDrawPanelEvent =
    std::function<void(vcl::TObject* Sender, TAdvOfficeStatusPanel* Panel, const vcl::TRect& Rect)>;
using TAnchorClick = std::function<void(vcl::TObject* Sender, const String& Anchor)>;
using TPanelClick = std::function<void(vcl::TObject* Sender, int PanelIndex)>;

constexpr unsigned StatusBarTimerId = 111;
constexpr unsigned StatusBarTimerInterval = 100;

// The bar's window style bits (those of the window system's status-bar class): a size grip, on a bar
// that may show one, else the bar's place at the top of its parent's client area.
constexpr win::DWORD SBARS_SIZEGRIP = 0x100;
constexpr win::DWORD CCS_TOP = 0x1;

// An invisible control that carries the rich hint of the panel under the pointer to the hint machinery.
class TDummyHintControl : public vcl::TControl {
    KV_CLASS(TDummyHintControl, vcl::TControl)
public:
    explicit TDummyHintControl(vcl::TComponent* AOwner);
    ~TDummyHintControl() override;
    AdvHintInfo::TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(AdvHintInfo::TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }

private:
    std::unique_ptr<AdvHintInfo::TAdvHintInfo> FOfficeHint;
};

class TAdvOfficeStatusBar : public vcl::TCustomControl {
    KV_CLASS(TAdvOfficeStatusBar, vcl::TCustomControl)
    KV_PUBLISHED_PROPERTIES(TAdvOfficeStatusBar)
public:
    explicit TAdvOfficeStatusBar(vcl::TComponent* AOwner);
    ~TAdvOfficeStatusBar() override;

    // ---- Panels
    TAdvOfficeStatusPanels* Panels() const { return FPanels.get(); }
    void SetPanels(TAdvOfficeStatusPanels* Value) { FPanels->Assign(Value); }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool Value);
    const String& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const String& Value);
    int StretchPanel() const { return FStretchPanel; }
    // Taken only when -1 <= Value < Panels.Count.
    void SetStretchPanel(int Value);

    // ---- Styler
    TCustomAdvOfficeStatusBarStyler* Styler() const { return FOfficeStatusBarStyler; }
    // The Styler setter: registers with the new styler (the internal one when Value is null).
    void SetOfficeStatusBarStyler(TCustomAdvOfficeStatusBarStyler* Value);
    void SetStyler(TCustomAdvOfficeStatusBarStyler* Value) { SetOfficeStatusBarStyler(Value); }
    // The styler painting uses: Styler when set, else the internal styler.
    TCustomAdvOfficeStatusBarStyler* CurrentStyler() const { return FCurrentStyler; }
    TCustomAdvOfficeStatusBarStyler* InternalStyler() const { return FInternalStyler; }
    // Called by a styler when its look changed: repaints the bar.
    void UpdateMe(int Code);

    // ---- Other properties
    bool AnchorHint() const { return FAnchorHint; }
    void SetAnchorHint(bool Value) { FAnchorHint = Value; }
    AdvGDIP::TAntiAlias AntiAlias() const { return FAntiAlias; }
    void SetAntiAlias(AdvGDIP::TAntiAlias Value);
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool Value) { FAutoHint = Value; }
    vcl::TCustomImageList* Images() const { return FImages; }
    void SetImages(vcl::TCustomImageList* Value);
    vcl::TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(vcl::TCustomImageList* Value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value) { FURLColor = Value; }
    PictureContainer::TPictureContainer* GetPictureContainer() const { return FContainer; }
    void SetPictureContainer(PictureContainer::TPictureContainer* Value);
    bool UseSystemFont() const { return FUseSystemFont; }
    void SetUseSystemFont(bool Value);
    // The desktop-font flag: the bar's font follows the desktop's (the system information's desktop font,
    // from the display's settings) while it is set, unless UseSystemFont puts the hint font over it.
    bool DesktopFont() const { return FDesktopFont; }
    void SetDesktopFont(bool Value);
    String GetVersion() const;
    void SetVersion(const String&) {}
    static int GetVersionNr() { return 0x01020002; }

    // ---- Layout (client pixels)
    // The panel's rectangle for hit tests and invalidation; (-1, -1, -1, -1) when Index is not a panel.
    vcl::TRect GetPanelRect(int Index);
    vcl::TRect GetSimplePanelRect();
    // The sum of the panels' widths except the stretch panel's.
    int PanelFixedSize() const;
    // The first panel whose rectangle holds X (its right edge included), else -1.
    int GetPanel(int X);
    int IndexOfPanel(TAdvOfficeStatusPanel* Panel) const;
    bool IsFirstPanel(TAdvOfficeStatusPanel* Panel) const { return IndexOfPanel(Panel) == 0; }
    bool IsLastPanel(TAdvOfficeStatusPanel* Panel) const;
    // Invalidates the panel's rectangle (the whole bar when Index is not a panel).
    void InvalidatePanel(int Index);
    void UpdatePanel(int Index, bool Repaint);
    void UpdatePanels(bool UpdateRects, bool UpdateText);
    // Sets the width of every AutoSize panel from its content.
    void AutoSizePanels();
    // The first panel whose right edge lies within 2 pixels of X, else -1.
    int OnPanelBorder(int X);
    // True when the grip is shown: SizeGrip, a sizeable parent form that is not maximised.
    bool HasSizeGrip();
    // SizeGrip on a bar whose parent is a sizeable form (maximised or not).
    bool SizeGripAllowed() const;

    // ---- Timer, mouse and anchors
    // Brings the timed panels up to date (clock, date, key locks, blinking, animation frames).
    virtual void UpdateStatusBar();
    int Tick() const { return FTick; }
    int HotPanel() const { return FHotPanel; }
    int DownPanel() const { return FDownPanel; }
    // The anchor of the mark-up under the client point, or an empty text.
    String IsAnchor(int X, int Y);
    virtual bool DoHint();
    bool ExecuteAction(vcl::TBasicAction* Action) override;
    // Reverses the panels (each copied with its Assign); the new first panel takes the room the others
    // leave, the new last one the old first one's width.
    void FlipChildren(bool AllLevels) override;
    TDummyHintControl* HintControl() const { return FHintControl; }
    // Takes the desktop's font when DesktopFont is set, then the screen's hint font when UseSystemFont is.
    void SyncToSystemFont();
    // A layout keeps the font only when it is the bar's own (neither the system's, the desktop's nor the
    // parent's).
    bool IsFontStored() const;
    // With the system font only the top position is scaled; otherwise the bounds and the font.
    void ChangeScale(int M, int D) override;

    // The rectangle panel Index is painted in (the last panel reaches the right edge unless a panel
    // stretches); an empty rectangle when Index is not a panel.
    vcl::TRect GetPaintRect(int Index);

    // ---- Events
    TDrawPanelEvent OnDrawPanel;
    vcl::TNotifyEvent OnHint;
    TPanelClick OnPanelClick;
    TPanelClick OnPanelDblClick;
    TPanelClick OnPanelRightClick;
    TAnchorClick OnAnchorClick;
    TAnchorClick OnAnchorEnter;
    TAnchorClick OnAnchorExit;

    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

protected:
    void Loaded() override;
    void Paint() override;
    void WndProc(vcl::TMessage& Message) override;
    // Adds SBARS_SIZEGRIP when the grip is allowed (SizeGripAllowed), else CCS_TOP.
    void CreateParams(vcl::TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    // Draws one panel in Rect.
    virtual void DrawPanel(TAdvOfficeStatusPanel* Panel, const vcl::TRect& Rect);
    void DrawAllPanels();
    void DrawPanelBackGround(TAdvOfficeStatusPanel* Panel, const vcl::TRect& Rect);
    void DrawSimplePanel();
    void DrawSizeGrip(const vcl::TRect& Rect);
    // The rounded bottom corners of the captionless Office-style form the bar sits on (before Vista).
    void DrawFormCorners(AdvToolBar::TAdvToolBarForm* Form);

private:
    void PanelsChanged(vcl::TObject* Sender);
    // The setter of UseSystemFont and DesktopFont.
    void SetFontFlag(bool& Flag, bool Value);
    TVistaBackground* AppearanceOf(TAdvOfficeStatusPanel* Panel) const;
    // The renderer's arguments for the bar's mark-up.
    void DrawMarkup(const String& Text, const vcl::TRect& R, int OffsetX, int OffsetY);
    void DrawPanelText(TAdvOfficeStatusPanel* Panel, const vcl::TRect& R, unsigned Flags, bool Ellipsis);
    void DrawPanelImage(TAdvOfficeStatusPanel* Panel, vcl::TCustomImageList* List, int Index, vcl::TRect& R);
    void SetHotPanel(int Index);
    void SetDownPanel(int Index);
    void MouseLeft();
    void HintShow(vcl::THintInfo* Info);
    win::LRESULT NCHitTest(const vcl::TMessage& Message, win::LRESULT Inherited);

    TCustomAdvOfficeStatusBarStyler* FInternalStyler = nullptr; // owned by the bar as a component
    TCustomAdvOfficeStatusBarStyler* FOfficeStatusBarStyler = nullptr;
    TCustomAdvOfficeStatusBarStyler* FCurrentStyler = nullptr;
    std::unique_ptr<TAdvOfficeStatusPanels> FPanels;
    String FSimpleText;
    bool FSimplePanel = false;
    bool FSizeGrip = true;
    bool FUseSystemFont = true;
    bool FDesktopFont = false;
    bool FAutoHint = false;
    TColor FURLColor = vcl::clBlue;
    vcl::TCustomImageList* FImages = nullptr;
    vcl::TCustomImageList* FDisabledImages = nullptr;
    bool FAnchorHint = false;
    AdvGDIP::TAntiAlias FAntiAlias = AdvGDIP::aaClearType;
    int FStretchPanel = -1;
    PictureContainer::TPictureContainer* FContainer = nullptr;
    unsigned FTimerID = 0;
    int FTick = 0;
    int FHintPanel = -1;
    String FAnchor;
    int FHotPanel = -1;
    int FDownPanel = -1;
    TDummyHintControl* FHintControl = nullptr; // owned by the bar as a component
    vcl::TPoint FDesignMouse{-10, -10};
    int FResizePanel = -1;
    int FResizeStartX = 0;
    int FResizeStartWidth = 0;
};

// Registers the bar's class for the layout reader (also done at start-up when this unit is linked).
void RegisterAdvOfficeStatusBarClasses();

} // namespace AdvOfficeStatusBar
