#pragma once
// TAdvCustomToolBar / TAdvToolBar: the toolbar window. It holds any controls (toolbar buttons,
// separators, glow buttons, containers, edits), keeps them in a list in layout order, lays them out in
// one line (left to right when horizontal, top to bottom when vertical), links to a toolbar styler,
// and lives docked in a dock panel row or fixed on any other parent.

#include <functional>
#include <memory>
#include <vector>

#include "components/foundation/AdvGDIPTypes.h"
#include "components/foundation/AdvGlowButton.h"
#include "components/foundation/AdvHintInfo.h"
#include "components/foundation/GDIPicture.h"
#include "components/toolbar/dock/Persistence.h"
#include "components/toolbar/styler/ToolBarStyler.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Label.h"
#include "platform/vcl/Menu.h"
#include "platform/vcl/Timer.h"
#include "platform/win/Subclass.h"

namespace AdvMenus {
class TAdvPopupMenu;
}

namespace AdvToolBar {

class TAdvDockPanel;
class TAdvToolBarCustomizer;
class TCompactWindow;
class TOptionSelectorWindow;
class TControlSelectorPanel;
class TAdvCustomToolBarButton;
class TFloatingWindow;
class TAdvToolBarPager;

using TDockedEvent = std::function<void(vcl::TObject* Sender, TAdvDockPanel* DockPanel)>;
using TOptionEvent =
    std::function<void(vcl::TObject* Sender, vcl::TPoint ClientPoint, vcl::TPoint ScreenPoint)>;

class TAdvCustomToolBar : public vcl::TCustomControl, public IToolBarStylerClient {
    KV_CLASS(TAdvCustomToolBar, vcl::TCustomControl)
public:
    explicit TAdvCustomToolBar(vcl::TComponent* AOwner);
    ~TAdvCustomToolBar() override;

    // ---- Place
    TDockAlign Position() const { return FPosition; }
    // Re-orients the toolbar and its controls (daTop/daBottom horizontal, daLeft/daRight vertical).
    void SetPosition(TDockAlign Value);
    bool IsVertical() const { return !IsHorizontal(FPosition); }
    TToolBarState ToolBarState() const { return FToolBarState; }
    TToolBarState GetToolBarState() const { return FToolBarState; }
    TAdvDockPanel* DockPanel() const { return FDockPanel; }
    TAdvDockPanel* LastDockPanel() const { return FLastDockPanel; }
    int Row() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }
    bool AllowBoundChange() const { return FAllowBoundChange; }
    void SetAllowBoundChange(bool Value) { FAllowBoundChange = Value; }
    // Set by the dock panel's AddToolBar / RemoveToolBar.
    void SetDockPanel(TAdvDockPanel* Value) { FDockPanel = Value; }

    // ---- Published settings
    bool FullSize() const { return FFullSize; }
    void SetFullSize(bool Value);
    bool AllowFloating() const { return FAllowFloating; }
    // Switching it off while floating is refused.
    void SetAllowFloating(bool Value);
    bool Locked() const { return FLocked; }
    // A floating toolbar cannot be locked.
    void SetLocked(bool Value);
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    vcl::TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(vcl::TFont* Value);
    int CaptionHeight() const { return FCaptionHeight; }
    void SetCaptionHeight(int Value);
    TCaptionPosition CaptionPosition() const { return FCaptionPosition; }
    void SetCaptionPosition(TCaptionPosition Value);
    vcl::TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(vcl::TAlignment Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    String CompactCaption() const { return FCompactCaption; }
    void SetCompactCaption(const String& Value);
    int CompactImageIndex() const { return FCompactImageIndex; }
    void SetCompactImageIndex(int Value);
    bool ShowOptionIndicator() const { return FShowOptionIndicator; }
    void SetShowOptionIndicator(bool Value);
    bool ShowRightHandle() const { return FShowRightHandle; }
    void SetShowRightHandle(bool Value);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool Value) { FShowClose = Value; }
    bool ParentOptionPicture() const { return FParentOptionPicture; }
    void SetParentOptionPicture(bool Value);
    bool AutoArrangeButtons() const { return FAutoArrangeButtons; }
    void SetAutoArrangeButtons(bool Value);
    bool AutoPositionControls() const { return FAutoPositionControls; }
    void SetAutoPositionControls(bool Value);
    TDockableTo DockableTo() const { return FDockableTo; }
    void SetDockableTo(TDockableTo Value) { FDockableTo = Value; }
    // The index in the page's toolbar list, -1 unless the toolbar stands on a pager page; a write
    // (clamped to the list) moves it there, and has no effect elsewhere.
    int ToolBarIndex() const;
    void SetToolBarIndex(int Value);
    String Version() const { return kVersion; }
    void SetVersion(const String&) {}
    // The four version numbers one per byte, 3 in the highest.
    int GetVersionNr() const { return (3 << 24) | (0 << 16) | (9 << 8) | 1; }
    TPersistence* Persistence() const { return FPersistence.get(); }
    void SetPersistence(TPersistence* Value) { FPersistence->Assign(Value); }

    AdvGDIP::TAntiAlias AntiAlias() const { return FAntiAlias; }
    void SetAntiAlias(AdvGDIP::TAntiAlias Value);
    // The Unicode caption, painted when Caption is empty.
    String WideCaption() const { return FWideCaption; }
    void SetWideCaption(const String& Value);
    bool AutoRUL() const { return FAutoRUL; }
    void SetAutoRUL(bool Value) { FAutoRUL = Value; }
    int FloatingRows() const { return FFloatingRows; }
    // Room for the right handle is counted in the length while on.
    bool ShowPopupIndicator() const { return FShowPopupIndicator; }
    void SetShowPopupIndicator(bool Value);
    vcl::TCustomImageList* Images() const { return FImages; }
    // Changes the thickness by the difference of the two lists' image sizes and re-measures the controls.
    void SetImages(vcl::TCustomImageList* Value);
    vcl::TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(vcl::TCustomImageList* Value);
    vcl::TPopupMenu* OptionMenu() const { return FOptionMenu; }
    void SetOptionMenu(vcl::TPopupMenu* Value);
    GDIPicture::TGDIPPicture* OptionPicture() const { return FOptionPicture.get(); }
    void SetOptionPicture(GDIPicture::TGDIPPicture* Value) { FOptionPicture->Assign(Value); }
    GDIPicture::TGDIPPicture* OptionDisabledPicture() const { return FOptionDisabledPicture.get(); }
    void SetOptionDisabledPicture(GDIPicture::TGDIPPicture* Value) { FOptionDisabledPicture->Assign(Value); }
    GDIPicture::TGDIPPicture* CompactPicture() const { return FCompactPicture.get(); }
    void SetCompactPicture(GDIPicture::TGDIPPicture* Value) { FCompactPicture->Assign(Value); }
    void OnCompactPictureChanged(vcl::TObject*);
    AdvHintInfo::TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(AdvHintInfo::TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
    // Stored with AutoPositionControls; refused (kept on) unless the toolbar is fixed off a dock panel.
    void SetAutoSizeEx(bool Value);

    String TextAutoOptionMenu;
    String TextOptionMenu;
    String HintOptionButton;
    String HintCloseButton;
    bool AutoDockOnClose = false;
    bool AutoOptionMenu = false;
    TDockMode DockMode = dmAll;

    // ---- Customizer
    TAdvToolBarCustomizer* Customizer() const { return FCustomizer; }
    // Stores only; the customizer's SetAdvToolBar makes the link.
    void SetCustomizer(TAdvToolBarCustomizer* Value);
    // The linked customizer's dialog and reset; nothing without one.
    void ShowCustomizer();
    void ResetToolBar();
    // ---- Dragging and docking (hit tests take client points; right and bottom edges excluded)
    TAdvDockPanel* AdvDockPanel() const { return FDockPanel; }
    // Docks the toolbar in another panel that accepts it and frees its floating window.
    void SetAdvDockPanel(TAdvDockPanel* Value);
    bool AcceptableDockPanel(TAdvDockPanel* Panel) const;
    bool PtOnDragGrip(int X, int Y) const;
    bool PtOnPopupIndicator(int X, int Y) const;
    bool PtOnGripCaption(int X, int Y) const;
    bool PtOnCloseBtn(int X, int Y) const;
    bool PtOnCustomizedBtn(int X, int Y) const;
    // The first visible, enabled toolbar button under the point (both edges included), or null.
    TAdvCustomToolBarButton* ButtonAtPos(int X, int Y) const;
    // The drag: a nested message loop with the mouse captured, from the press on the grip (or the
    // floating caption) to the release.
    void BeginMove(vcl::TShiftState Shift, int X, int Y);
    void Move(vcl::TShiftState Shift, int X, int Y);
    void EndMove();
    bool Moving() const { return FMoving; }
    // The close button of the floating caption.
    void CloseBtnClick();

    // ---- Floating
    TFloatingWindow* FloatingWindow() const { return FFloatingWindow; }
    // Floats the toolbar in a window of its own, its corner at (X, Y) or at the cursor.
    void SetFloating(int X, int Y, bool UsePoint);
    void SetToolBarFloating(vcl::TPoint P);
    // Ignored unless 0 < Value <= GetMaxFloatingRowCount.
    void SetFloatingRows(int Value);
    int GetMaxFloatingRowCount() const;
    // The toolbar's size floating with Rows rows; false for a row count out of range.
    bool GetFloatingWindowSizes(int Rows, int& AHeight, int& AWidth) const;
    void GetFloatingSizes(int& AHeight, int& AWidth) const;

    // ---- Layout persistence (the toolbar's section: floating place and hidden controls)
    void SavePosition();
    void LoadPosition();
    bool PositionLoaded() const { return FPositionLoaded; }

    // ---- Styler
    TCustomAdvToolBarStyler* ToolBarStyler() const { return FToolBarStyler; }
    void SetToolBarStyler(TCustomAdvToolBarStyler* Value);
    bool ParentStyler() const { return FParentStyler; }
    void SetParentStyler(bool Value);
    TCustomAdvToolBarStyler* CurrentStyler() const { return FCurrentStyler; }
    // Written to layouts only when chosen for this toolbar alone.
    bool IsToolBarStylerStored() const;
    TCustomAdvToolBarStyler* InternalStyler() const { return FInternalStyler; }
    // The styler's change notification.
    void UpdateMe(int Code);
    // The glow buttons on the toolbar take the styler's glow-button appearance (a copy each).
    void UpdateAllGlowButtons();
    // A compacted toolbar's clone (which carries its controls) restyles first, then the toolbar.
    void StylerChanged(TStylerChange Code) override;
    // A toolbar keeps its registration with a styler that goes (it follows its dock panel's).
    void StylerReleased(TCustomAdvToolBarStyler*) override {}

    // ---- Control list
    int ToolBarControlCount() const { return FControlList->Count(); }
    // Null when Index is out of range.
    vcl::TControl* ToolBarControls(int Index) const;
    int IndexOfToolBarControl(vcl::TControl* Control) const { return FControlList->IndexOf(Control); }
    int AddToolBarControl(vcl::TControl* Control);
    int InsertToolBarControl(int Index, vcl::TControl* Control);
    void MoveToolBarControl(int FromIndex, int ToIndex);
    // Index greater than the count raises Exception "Invalid Index".
    int InsertAdvToolBarControl(vcl::TControl* Control, int Index);
    int AddAdvToolBarControl(vcl::TControl* Control) {
        return InsertAdvToolBarControl(Control, ToolBarControlCount());
    }
    void RemoveAdvToolBarControl(vcl::TControl* Control);
    int ControlIndex(int OldIndex, int ALeft, int ATop) const;
    int ReorderControl(int OldIndex, int ALeft, int ATop);
    void InsertControl(vcl::TControl* Control);
    void RemoveControl(vcl::TControl* Control);
    void BuildSequenceControlList();
    // The children (visible only, when asked) in screen order.
    void GetSequenceControlList(TDbgList* List, bool VisibleOnly) const;

    // ---- Right handle and hidden controls
    int HiddenControlCount() const { return FHiddenControlList->Count(); }
    vcl::TControl* HiddenControls(int Index) const { return FHiddenControlList->At<vcl::TControl>(Index); }
    int RULControlCount() const { return FRULControlList->Count(); }
    vcl::TControl* RULControls(int Index) const { return FRULControlList->At<vcl::TControl>(Index); }
    // Hides the least recently used controls that do not fit the present length, or brings back the
    // last hidden ones that fit again, then lays the controls out.
    void UpdateRULists();
    // The control becomes the most recently used and comes back onto the toolbar.
    void UpControlInRUL(vcl::TControl* Control);
    void MoveUpInRUList(vcl::TControl* Control);
    void UnHideAllControls();
    // A click on the right handle / the caption's option button.
    void OptionIndicatorClick();
    void CapOptionIndicatorClick();
    // ---- The caption's option indicator (ToolBarCapIndicator.cpp): a glow-style button at the right end
    // of the caption strip of a horizontal docked or fixed toolbar without right handle. The pointer on
    // it makes it hot, a press makes it pressed and fires OnOptionClick; both fade on the glow timer.
    bool CapIndicatorHot() const { return FCapIndicatorHot; }
    bool CapIndicatorDown() const { return FCapIndicatorDown; }
    // Whether a fade of the indicator runs.
    bool OptionFading() const;
    // Invalidate (with erase) the indicator's rectangle or the caption strip.
    void InvalidateCapOptionBtn();
    void InvalidateCaption();
    // ---- Option window: the right handle's popup with the hidden controls
    // Creates the window and its panel on first use and fills the panel with the hidden controls.
    void InitializeOptionWindow();
    // Fills and shows the window: at the screen point (X, Y) when UsePoint, else below the right handle.
    // Nothing shows when the panel would be empty.
    void ShowOptionWindow(int X, int Y, bool UsePoint);
    void HideOptionWindow();
    // Null until first shown.
    TOptionSelectorWindow* OptionWindow() const { return FOptionWindow; }
    TControlSelectorPanel* OptionPanel() const { return FOptionPanel; }
    // The option window's "Customize" request: the linked customizer's dialog, when there is one.
    void RequestCustomize() { ShowCustomizer(); }
    bool RightHandleHot() const { return FRightHandleHot; }
    bool RightHandleDown() const { return FRightHandleDown; }

    // ---- Painter geometry (client coordinates)
    vcl::TRect GetCaptionRect() const;
    vcl::TRect GetMyClientRect() const;
    vcl::TRect FWCloseBtnRect() const;
    vcl::TRect FWCustomizedBtnRect() const;
    // (-1, -1, -1, -1) unless the caption shows the option indicator.
    vcl::TRect GetOptionIndicatorRect() const;
    vcl::TRect GetDragGripRect() const;
    vcl::TRect GetRightHandleRect() const;
    // True when the right handle is drawn: the indicator shown, not floating, not full-size.
    bool RightHandleShown() const;

    // ---- Layout
    void SetControlsPosition(bool UpdateSize);
    void UpdateSize();
    int GetMaxLength() const;
    // Raise Width and Height to the largest control of each kind (separators never count).
    void GetMaxControlSize(int& AWidth, int& AHeight) const;
    void GetMaxExternalControlSize(int& AWidth, int& AHeight) const;
    void GetMaxToolBarButtonSize(int& AWidth, int& AHeight) const;
    // The thickness the toolbar takes docked (at least 26).
    int GetSizeAtDock(bool AsFloating) const;
    int CanShrink();
    int CanExpand();
    int MinLength() const { return FMinLength; }
    int MaxLength() const { return FMaxLength; }
    int Thickness() const { return FThickness; }
    // True unless the styler's drag grip is dsNone (or the toolbar floats or stands on a page).
    bool DragGripShown() const;
    // The pager whose page the toolbar stands on, or null.
    TAdvToolBarPager* PagerOfPage() const;
    int DragGripWidth() const { return FDragGripWidth; }
    // Both store only.
    void SetDragGripWidth(int Value) { FDragGripWidth = Value; }
    void SetPopupIndicatorWidth(int Value) { FPopupIndicatorWidth = Value; }
    // The right handle's length: 14, or 4 while ShowRightHandle is off.
    int PopupIndicatorWidth() const { return FPopupIndicatorWidth; }
    // What the indicator adds to the length: its width while the show-popup-indicator flag is on.
    int IndicatorLength() const { return FShowPopupIndicator ? PopupIndicatorWidth() : 0; }
    void BeginUpdate();
    void EndUpdate();
    void Update() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(vcl::TWinControl* AParent) override;

    // ---- Size variants and compact mode (on a pager page or in a compact window)
    // True on a pager page or in a compact window: small glow buttons stack in columns, the grip is
    // not drawn and the size variants apply.
    bool OnPageOrCompactWindow() const;
    bool OnPage() const;
    // One variant step; with Apply false nothing changes. The result is the width the step wins
    // (smaller) or costs (larger), 0 when no step is possible (NewState is then left alone).
    int SetSmallerVariant(AdvGlowButton::TButtonSizeState& NewState, bool Apply);
    int SetLargerVariant(AdvGlowButton::TButtonSizeState& NewState, bool Apply);
    int SmallerVariantDifference(AdvGlowButton::TButtonSizeState& NewState) {
        return SetSmallerVariant(NewState, false);
    }
    int LargerVariantDifference(AdvGlowButton::TButtonSizeState& NewState) {
        return SetLargerVariant(NewState, false);
    }
    void SetSmallestVaraint();
    void SetLargestVaraint();
    bool IsSmallestVariant() const { return FCompacted; }
    bool Compact() const { return FCompacted; }
    // Folds the toolbar into its compact button (or back); only on a page, once loaded, and never
    // while CompactMode pins the state.
    void SetCompact(bool Value);
    bool CompactMode() const { return FCompactMode; }
    void SetCompactMode(bool Value);
    bool CanUnCompact() const { return !FCompactMode; }
    int CompactWidth() const { return FCompactWidth; }
    int GetCompactWidth() const;
    // The width the toolbar would take back when un-compacted.
    int GetInCompactWidth();
    void UpdateCompactWindow(bool MoveControls);
    void UpdateCompactButton();
    void HideCompactWindow();
    TCompactWindow* CompactWindow() const { return FCompactWindow; }
    // Whether a hover fade runs, and how far it got (0 normal colours, 100 and above hot ones).
    bool HoverFading() const;
    int FadePosition() const { return FFadePosition; }
    AdvGlowButton::TAdvGlowButton* CompactButton() const { return FCompactButton; }
    // The clone of a compacted toolbar; in the clone, the toolbar it was cloned from.
    TAdvCustomToolBar* CloneLink() const { return FCloneLink; }
    // Raised at the end of Loaded (and by a page that creates the toolbar); compacting needs it.
    bool LoadedOnce() const { return FLoadedOnce; }
    void SetLoadedOnce(bool Value) { FLoadedOnce = Value; }
    bool CloneAtSmallest() const { return FCloneAtSmallest; }
    void SetCloneAtSmallest(bool Value) { FCloneAtSmallest = Value; }
    void OnCompactBtnDropDown(vcl::TObject* Sender);
    void OnCompactWindowHide(vcl::TObject*) {}

    vcl::TNotifyEvent OnClose;
    TOptionEvent OnOptionClick;
    TDockedEvent OnDocked;
    vcl::TNotifyEvent OnUnDocked;

    // ---- Menu bar (ToolBarMenuBar.cpp): one menu button per top-level item of Menu
    vcl::TMainMenu* Menu() const { return FMenu; }
    void SetMenu(vcl::TMainMenu* Value);
    // Gives the top-level items to the buttons showing them again, or rebuilds the bar.
    void UpdateMenu();
    // The items of Menu at every depth (the root not counted).
    int GetMenuItemCount() const;
    vcl::TMainMenu* MergedMenu() const { return FMergedMenu; }
    // Shows a second main menu's items on the bar (null unmerges).
    void MergeMenu(vcl::TMainMenu* Value);
    void UnmergeMenu(vcl::TMainMenu* Value);
    // The form holding the dock panel, else the last dock panel's, else the parent's.
    vcl::TCustomForm* GetMyParentForm() const;
    // Drops the button's menu; true when one was dropped (returns when it has closed).
    virtual bool CheckMenuDropdown(TAdvCustomToolBarButton* Button);
    // Switches the open menu to another button.
    virtual void ClickButton(TAdvCustomToolBarButton* Button, bool ByMouse);
    // Runs the keyboard menu mode; true when an item was chosen with Enter.
    virtual bool TrackMenu(TAdvCustomToolBarButton* Button);
    virtual void InitMenu(TAdvCustomToolBarButton* Button);
    virtual void CancelMenu();
    virtual bool IsShortCut(vcl::TWMKey& Message);
    void ClearTempMenu();
    // Makes the button hot (null un-hots the hot button); false when there was nothing to un-hot.
    bool SetButtonHot(TAdvCustomToolBarButton* Button);
    // Makes the index-th visible, enabled menu button hot; a negative index un-hots.
    void SetButtonHot(int Index);
    // Called by a button whose hot state changed: at most one button is hot.
    void UpdateButtonHot(TAdvCustomToolBarButton* Button);
    TAdvCustomToolBarButton* HotButton() const { return FHotButton; }
    // The first visible, enabled button whose caption has Key as its accelerator; null when none.
    TAdvCustomToolBarButton* FindButtonFromAccel(win::WPARAM Key) const;
    bool InMenuLoop() const { return FMenuLoop; }
    bool MenuTracking() const { return FMenuTracking; }
    bool DropDownOpen() const { return FDropDownOpen; }
    AdvMenus::TAdvPopupMenu* TempPopupMenu() const { return FTempMenu; }

    // ---- MDI (ToolBarMDI.cpp): the window list of the form's Window menu, the maximised child's buttons
    bool AutoMDIButtons() const { return FAutoMDIButtons; }
    // Kept on only on a full-size toolbar with a Menu on a form; follows the form's window while on.
    void SetAutoMDIButtons(bool Value);
    bool MDIButtonsVisible() const { return FMDIButtonsVisible; }
    void SetMDIButtonsVisible(bool Value);
    void AddMDIChildMenu(vcl::TCustomForm* Form, const String& Caption);
    void RemoveMDIChildMenu(vcl::TCustomForm* Form, const String& Caption);
    void RemoveAllMDIChildMenu();
    int MDIChildMenuCount() const { return FMDIChildList->Count(); }
    void OnMDIChildMenuClick(vcl::TObject* Sender);
    vcl::TRect GetMDICloseBtnRect() const;
    vcl::TRect GetMDIMaxBtnRect() const;
    vcl::TRect GetMDIMinBtnRect() const;
    bool PtOnMDIClose(vcl::TPoint P) const;
    bool PtOnMDIMax(vcl::TPoint P) const;
    bool PtOnMDIMin(vcl::TPoint P) const;
    void MDICloseBtnClick();
    void MDIMaxBtnClick();
    void MDIMinBtnClick();

    // ---- Keyboard among the controls and key tips (ToolBarKeyTips.cpp)
    vcl::TWinControl* GetFirstTabControl(bool CheckFocus) const;
    vcl::TWinControl* GetLastTabControl(bool CheckFocus) const;
    vcl::TWinControl* GetControlFromHandle(win::HWND Handle) const;
    bool AnyDroppedDownButton() const;
    void OnGlowButtonKeyDown(vcl::TObject* Sender, win::WORD& Key, vcl::TShiftState Shift);
    // The key handler of glow buttons on a toolbar or in its containers: it finds the toolbar through
    // the button's parents when a key comes, so a button that moves on never holds a stale toolbar.
    static void GiveGlowButtonKeys(vcl::TControl* Control);
    // Clicks the glow button whose key tip is Keys; Count gets the tips that only start with it.
    bool HasShortCut(const String& Keys, int& Count);
    void ShowShortCutHintOfButtons();
    void HideShortCutHintOfButtons();
    void InvalidateTransparentControls();
    bool KeyTipFocus() const { return FKeyTipFocus; }

protected:
    // Writes the toolbar's layout while it and its controls are whole (the start of its destruction).
    void Destroying() override;
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void Paint() override;
    void WndProc(vcl::TMessage& Message) override;
    void AlignControls(vcl::TControl* AControl, vcl::TRect& Rect) override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    // Replaces the hint over the floating caption's buttons and the right handle by theirs.
    void CMHintShow(vcl::TCMHintShow& Message);
    // The click notification of glow buttons on a docked toolbar: the option window goes.
    void OnGlowButtonClick(vcl::TObject*) { HideOptionWindow(); }
    // The size request of glow buttons on a page toolbar: a large button takes the toolbar's height
    // less the caption strip.
    void OnSetGlowButtonSize(vcl::TObject* Sender, int& AWidth, int& AHeight);
    // Every toolbar button, or with MenuButtonsOnly every menu button, measures itself again.
    void AdjustSizeOfAllButtons(bool MenuButtonsOnly);
    // The caption indicator's share of the mouse handlers, and the tick of its fades.
    void CapIndicatorMouseDown(int X, int Y);
    void CapIndicatorMouseMove(int X, int Y);
    void CapIndicatorMouseUp();
    void CapIndicatorMouseLeave();
    void OptionTimerProc();
    // The indicator is shown (horizontal, docked or fixed, with caption, without right handle).
    bool CapIndicatorShown() const { return GetOptionIndicatorRect().Left >= 0; }
    // Starts a fade of the indicator: Kind 0 hover, 1 pressed; the timer takes the glow speed of the
    // moment when it was idle.
    void StartOptionFade(int Kind, int Step);
    // The caption appearance the strip paints with: a tab group's on a grouped page, else the styler's.
    TCaptionAppearance* CaptionLook() const;
    // Painting, in the order the toolbar paints itself.
    void PaintCaption(vcl::TCanvas* C);
    void PaintFloatingCaption(vcl::TCanvas* C);
    // Paints the body; the result is the border colour that goes with it.
    TColor PaintBackground(vcl::TCanvas* C, const vcl::TRect& Body);
    void PaintBevel(vcl::TCanvas* C);
    void DrawDragGrip(vcl::TCanvas* C);
    void DrawPopupIndicator(vcl::TCanvas* C);
    void DrawCaptionOptionIndicator(vcl::TCanvas* C);
    void PaintRoundCorners(vcl::TCanvas* C);
    // The rectangle the rounded border and corners go round: the background rectangle (the body, one
    // past the last column and row), with the caption strip too while the corners are rounded.
    vcl::TRect RoundedRect() const;
    void DrawCloseBtn(vcl::TCanvas* C);
    void DrawCustomizedBtn(vcl::TCanvas* C);
    // The colour a docked toolbar's surroundings show at one of its client points.
    TColor PanelColorAt(int X, int Y) const;
    bool GripDrawn() const;
    bool IsFloating() const { return FToolBarState == tsFloating; }
    void AdjustControl(vcl::TControl* Control);
    void UpdateAllContainer();
    // Repaints the toolbar containers after a styler change.
    bool Horizontal() const { return IsHorizontal(FPosition); }
    // Menu-bar and key-tip message handling; true when the message was handled whole.
    bool MenuBarMessage(vcl::TMessage& Message);
    bool KeyboardMessage(vcl::TMessage& Message);
    // MDI button pointer handling inside the toolbar's mouse handlers.
    void MDIMouseDown(int X, int Y);
    void MDIMouseMove(int X, int Y);
    void MDIMouseUp(int X, int Y);
    void MDIMouseLeave();
    void DrawMDIButtons(vcl::TCanvas* C);

    String FCaption;
    std::unique_ptr<vcl::TFont> FCaptionFont;
    bool FFullSize = false;
    bool FAllowFloating = true;
    bool FLocked = false;
    int FCaptionHeight = 16;
    TCaptionPosition FCaptionPosition = cpTop;
    vcl::TAlignment FCaptionAlignment = vcl::taLeftJustify;
    bool FShowCaption = false;
    String FCompactCaption;
    int FCompactImageIndex = -1;
    bool FShowOptionIndicator = true;
    bool FShowRightHandle = true;
    bool FShowClose = true;
    bool FParentOptionPicture = true;
    bool FAutoArrangeButtons = true;
    bool FAutoPositionControls = true;
    TDockableTo FDockableTo{daLeft, daTop, daRight, daBottom};
    TCustomAdvToolBarStyler* FToolBarStyler = nullptr;
    bool FParentStyler = true;
    std::unique_ptr<TPersistence> FPersistence;
    AdvGDIP::TAntiAlias FAntiAlias = AdvGDIP::aaClearType;
    String FWideCaption;
    int FFloatingRows = 1;
    bool FShowPopupIndicator = true;
    vcl::TCustomImageList* FImages = nullptr;
    vcl::TCustomImageList* FDisabledImages = nullptr;
    vcl::TPopupMenu* FOptionMenu = nullptr;
    std::unique_ptr<GDIPicture::TGDIPPicture> FOptionPicture;
    std::unique_ptr<GDIPicture::TGDIPPicture> FOptionDisabledPicture;
    std::unique_ptr<GDIPicture::TGDIPPicture> FCompactPicture;
    std::unique_ptr<AdvHintInfo::TAdvHintInfo> FOfficeHint;
    bool FCompacted = false;
    bool FCompactMode = false;
    bool FLoadedOnce = false;
    bool FCloneAtSmallest = false;
    int FCompactWidth = 45;
    TAdvCustomToolBar* FCloneLink = nullptr;
    TCompactWindow* FCompactWindow = nullptr;                // owned by the toolbar
    AdvGlowButton::TAdvGlowButton* FCompactButton = nullptr; // owned by the toolbar
    bool FSavedAutoPositionControls = false;
    bool FSavedAutoSize = false;
    bool FSavedAutoArrangeButtons = false;
    // Hover fade state: the toolbar is hot while the pointer is over it; a running fade blends toward it.
    // The timer is made on the first fade and kept; it runs only while a fade does.
    bool FHover = false;
    int FFadePosition = 0;
    int FFadeStep = 0;
    std::unique_ptr<vcl::TTimer> FHoverTimer;
    // The right handle's look and the caption indicator's (set by the mouse handling).
    bool FRightHandleHot = false;
    bool FRightHandleDown = false;
    bool FCapIndicatorHot = false;
    bool FCapIndicatorDown = false;
    // The indicator's fades: the hover and pressed positions (0 .. 100, a step past either end when a
    // fade finishes), the running fade's step and its kind (0 hover, 1 pressed, 2 none). The timer is
    // made on the first fade and kept; it runs only while a fade does.
    std::unique_ptr<vcl::TTimer> FOptionTimer;
    int FOptionHoverFade = 0;
    int FOptionDownFade = 0;
    int FOptionFadeStep = 0;
    int FOptionFadeKind = 2;
    bool FCloseBtnHot = false;
    bool FCloseBtnDown = false;
    bool FCustomBtnHot = false;
    bool FCustomBtnDown = false;
    bool FInternalReparent = false;
    bool FListUpdating = false;
    TOptionSelectorWindow* FOptionWindow = nullptr; // owned by the toolbar as a component
    TControlSelectorPanel* FOptionPanel = nullptr;  // owned by the option window as a component
    // The body's gradient as last painted: a transparent control repaints the toolbar under itself on
    // every paint, and the bands need not be drawn again while size and colours stay.
    struct TBodyKey {
        int Width = 0, Height = 0, Steps = 0;
        TColor Color = 0, ColorTo = 0;
        bool LeftToRight = false;
        bool operator==(const TBodyKey&) const = default;
    };
    std::unique_ptr<vcl::TBitmap> FBodyCache;
    TBodyKey FBodyKey;

private:
    struct TDockTarget {
        TAdvDockPanel* Panel;
        vcl::TRect Rect; // screen rectangle, widened toward the form's client area
    };
    // The right handle's share of the mouse handlers.
    void RightHandleMouseDown(vcl::TMouseButton Button, int X, int Y);
    void RightHandleMouseMove(int X, int Y);
    void RightHandleMouseUp(vcl::TMouseButton Button, int X, int Y);
    void CMMouseLeave();
    // The hover fade of a toolbar on a page or in the compact window: the pointer entering starts it
    // toward the hot colours, leaving runs it back; each tick moves the position by the step.
    void CMMouseEnter();
    void StartHoverFade(int Step);
    void HoverTimerProc();
    // The tab group look of the pager page the toolbar paints on; null outside a group.
    TGroupAppearance* GroupLook() const;
    // An enabled toolbar holding the focus on a page or in the compact window shows its hot colours.
    bool FocusLooksHot() const;
    void CollectDockTargets();
    void VisitDockTargets(vcl::TControl* Control);
    void RefreshDockTargets();
    vcl::TRect DockTargetRect(TAdvDockPanel* Panel) const;
    void FollowTimer();
    void KillFollowTimer();
    // Whether the persistence settings allow reading or writing.
    bool PersistenceActive() const;
    // The group separator that goes with a hidden control (null when none).
    vcl::TControl* GroupSeparatorOf(vcl::TControl* Control) const;
    // Puts a hidden control back on the toolbar without touching the lists.
    void Reparent(vcl::TControl* Control, bool Checked);
    bool IsHidden(vcl::TControl* Control) const { return FHiddenControlList->IndexOf(Control) >= 0; }
    int LengthOf(vcl::TControl* Control) const;
    int StartOf(vcl::TControl* Control) const;
    void LayoutFloating(bool UpdateSizeToo);
    // Places the controls of a page toolbar: small glow buttons stacked in columns of up to three.
    void LayoutStacked(int X, int Y, bool Designing);
    // The right edge of the trailing column of a page toolbar (0 when there is none).
    int TrailingColumnEnd() const;
    // One variant step down (Smaller) or up; Found tells whether a group was found at all.
    int VariantStep(bool Smaller, AdvGlowButton::TButtonSizeState& NewState, bool Apply, bool& Found);
    void CreateCompactButton();
    void MoveControlsTo(TAdvCustomToolBar* Target);
    void OnOptionWindowHide(vcl::TObject* Sender);
    // The point below the right handle (or beside a floating toolbar's caption) the window opens at.
    void OptionPoint(vcl::TPoint& Client, vcl::TPoint& Screen);
    void UpdateFloatingSize();

    TAdvToolBarCustomizer* FCustomizer = nullptr;
    std::unique_ptr<TDbgList> FControlList;
    std::unique_ptr<TDbgList> FRULControlList;
    std::unique_ptr<TDbgList> FHiddenControlList;
    std::unique_ptr<TDbgList> FVisibleSequenceList;
    TCustomAdvToolBarStyler* FInternalStyler = nullptr; // owned by the toolbar
    TCustomAdvToolBarStyler* FCurrentStyler = nullptr;
    int FDragGripWidth = 7;
    int FPopupIndicatorWidth = 14;
    TAdvDockPanel* FDockPanel = nullptr;
    TAdvDockPanel* FLastDockPanel = nullptr;
    TDockAlign FPosition = daTop;
    int FRow = -1;
    TToolBarState FToolBarState = tsDocked;
    TToolBarState FPreviousState = tsDocked;
    bool FAllowBoundChange = false;
    bool FPositioning = false;
    bool FAutoRUL = true;
    int FThickness = 26;
    int FMinLength = 60;
    int FMaxLength = 60;
    int FUpdateCount = 0;
    bool FAdjustingControl = false;
    // Drag and floating state.
    bool FMoving = false;
    vcl::TCursor FSavedCursor = vcl::crDefault;
    vcl::TPoint FDragAnchor{};
    std::vector<TDockTarget> FDockTargets;
    TFloatingWindow* FFloatingWindow = nullptr; // owned by the owner form
    vcl::TCustomForm* FFollowedForm = nullptr;
    bool FFloatingVisible = false;
    bool FFollowTimerOn = false;
    // Where the floating window last stood, kept when the form frees the window before the toolbar.
    vcl::TPoint FFloatingPlace{};
    bool FPositionLoaded = false;
    // Cleared by the destructor: a drag loop learns that a dispatched message freed the toolbar.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);

protected:
    // Menu bar
    friend struct MenuBarHooks;
    void BuildMenuButtons(vcl::TMenuItem* Items, bool MergedItems);
    TAdvCustomToolBarButton* MakeMenuButton(vcl::TMenuItem* Item, bool MergedItem);
    void AddMergedMenuItems();
    void DeleteMergedMenuItems();
    void MenuItemTimerOnTime(vcl::TObject* Sender);
    void DropDownClosed();
    void MenuKeyDown(vcl::TMessage& Message);
    // Clears every pointer to a menu button that goes away.
    void ForgetMenuButton(vcl::TControl* Control);
    // Ends menu mode and the hooks for good (the toolbar goes).
    void ReleaseMenuBar();
    vcl::TMainMenu* FMenu = nullptr;
    vcl::TMainMenu* FMergedMenu = nullptr;
    AdvMenus::TAdvPopupMenu* FTempMenu = nullptr; // owned by the toolbar
    vcl::TMenuItem* FLentItem = nullptr;
    bool FMenuLoop = false;
    bool FMenuResult = false;
    bool FCaptureCancels = false;
    bool FDropDownOpen = false;
    bool FMenuTracking = false;
    bool FSwallowAltTap = false;
    TAdvCustomToolBarButton* FDroppedButton = nullptr;
    TAdvCustomToolBarButton* FLastDroppedButton = nullptr;
    TAdvCustomToolBarButton* FHotButton = nullptr;
    TAdvCustomToolBarButton* FPendingButton = nullptr;
    std::unique_ptr<vcl::TTimer> FMenuItemTimer;
    // MDI
    void AddMDIWindowList(vcl::TMenuItem* Dropped);
    void RemoveMDIWindowList();
    vcl::TRect MDIButtonRect(int Which) const;
    bool FAutoMDIButtons = false;
    win::WindowSubclass FMDISubclass;
    bool FMDIButtonsVisible = false;
    vcl::TCustomForm* FActiveMDIChild = nullptr;
    bool FMDICloseDown = false, FMDICloseHot = false;
    bool FMDIMaxDown = false, FMDIMaxHot = false;
    bool FMDIMinDown = false, FMDIMinHot = false;
    std::unique_ptr<vcl::TStringList> FMDIChildList;
    std::vector<vcl::TMenuItem*> FWindowListItems;
    // Key tips
    bool FKeyTipFocus = false;
};

// The toolbar with its properties published.
class TAdvToolBar : public TAdvCustomToolBar {
    KV_CLASS(TAdvToolBar, TAdvCustomToolBar)
    KV_PUBLISHED_PROPERTIES(TAdvToolBar)
public:
    explicit TAdvToolBar(vcl::TComponent* AOwner) : TAdvCustomToolBar(AOwner) {}
};

// Deletes from a tab-order list every hint window, toolbar container and windowed control that
// cannot take the focus; other entries keep their order. A null list is left alone.
void RemoveUnfocusableControls(vcl::TList* List);

} // namespace AdvToolBar
