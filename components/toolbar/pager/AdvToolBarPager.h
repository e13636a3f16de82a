#pragma once
// TAdvToolBarPager: the ribbon-like control at the top of a form. An optional caption row, a row of
// tabs (one per TAdvPage, optionally gathered in coloured tab groups) and below them the active page,
// which hosts toolbars. The pager fits its tabs into the row (shrinking spacing, margins and tab widths,
// growing them back when room returns) and scrolls them by screenfuls when even that is not enough.

#include <functional>
#include <memory>

#include "components/foundation/AdvGDIPTypes.h"
#include "components/foundation/AdvHintInfo.h"
#include "components/foundation/GDIPicture.h"
#include "components/toolbar/pager/PagerSettings.h"
#include "components/toolbar/styler/ToolBarStyler.h"
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Timer.h"
#include "platform/win/Subclass.h"

namespace AdvToolBarStylers {
class TAdvToolBarOfficeStyler;
}

namespace AdvGlowButton {
class TAdvGlowButton;
}

namespace AdvToolBar {

KV_ENUM(TCaptionButton, cbClose, cbMinimize, cbMaximize);
using TCaptionButtons = vcl::TSet<TCaptionButton>;

class TAdvPage;
class TAdvPageScrollButton;
class TAdvCustomQuickAccessToolBar;

using TTabChangingEvent =
    std::function<void(vcl::TObject* Sender, int FromPage, int ToPage, bool& AllowChange)>;

class TAdvToolBarPager : public vcl::TCustomControl, public IToolBarStylerClient {
    KV_CLASS(TAdvToolBarPager, vcl::TCustomControl)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarPager)
public:
    explicit TAdvToolBarPager(vcl::TComponent* AOwner);
    ~TAdvToolBarPager() override;

    // ---- Styler. Until ToolBarStyler is set the pager draws with its own Office styler; set to null
    // it draws with its internal one.
    TCustomAdvToolBarStyler* ToolBarStyler() const { return FToolBarStyler; }
    void SetToolBarStyler(TCustomAdvToolBarStyler* Value);
    TCustomAdvToolBarStyler* CurrentStyler() const { return FCurrentStyler; }
    TCustomAdvToolBarStyler* InternalStyler() const { return FInternalStyler; }
    void UpdateMe(int Code);
    // Repaints the application button (a child of class "TAdvShapeButton") placed on the pager.
    void UpdateShapeButton();
    void StylerChanged(TStylerChange Code) override { UpdateMe(static_cast<int>(Code)); }
    void StylerReleased(TCustomAdvToolBarStyler* Styler) override;
    void SetPopupMenu(vcl::TComponent* Value) override;

    // ---- Pages
    int AddAdvPage(TAdvPage* Page);
    int AddAdvPage(const String& Caption);
    int RemoveAdvPage(TAdvPage* Page);
    void MoveAdvPage(int CurIndex, int NewIndex);
    TAdvPage* GetAdvPages(int Index) const;
    int GetAdvToolBarPageCount() const { return FPages->Count(); }
    int IndexOfPage(const TAdvPage* Page) const { return FPages->IndexOf(const_cast<TAdvPage*>(Page)); }

    // ---- Active page
    int ActivePageIndex() const { return FActivePageIndex; }
    void SetActivePageIndex(int Index);
    // Null while the active index is out of range.
    TAdvPage* ActivePage() const;
    // An unlisted page is ignored.
    void SetActivePage(TAdvPage* Page);
    // Steps (wrapping) to the next page other than the active one whose tab is visible and enabled.
    void SelectNextPage(bool GoForward);
    // The nearest selectable page before / after the active one, without wrapping.
    void PrevActivePage();
    void NextActivePage();

    // ---- Settings
    TAdvPageCaption* Caption() const { return FCaption.get(); }
    void SetCaption(TAdvPageCaption* Value) { FCaption->Assign(Value); }
    TATBTabSettings* TabSettings() const { return FTabSettings.get(); }
    void SetTabSettings(TATBTabSettings* Value) { FTabSettings->Assign(Value); }
    TTabGroups* TabGroups() const { return FTabGroups.get(); }
    void SetTabGroups(TTabGroups* Value) { FTabGroups->Assign(Value); }
    bool ShowNonSelectedTabs() const { return FShowNonSelectedTabs; }
    void SetShowNonSelectedTabs(bool Value);
    int PageLeftMargin() const { return FPageLeftMargin; }
    void SetPageLeftMargin(int Value);
    int PageRightMargin() const { return FPageRightMargin; }
    void SetPageRightMargin(int Value);
    vcl::TCustomImageList* Images() const { return FImages; }
    void SetImages(vcl::TCustomImageList* Value);
    vcl::TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(vcl::TCustomImageList* Value);
    AdvGDIP::TAntiAlias AntiAlias() const { return FAntiAlias; }
    void SetAntiAlias(AdvGDIP::TAntiAlias Value);
    using vcl::TControl::SetAlign;
    TDockAlign Align() const { return FAlign; }
    void SetAlign(TDockAlign Value);
    bool EnableWheel() const { return FEnableWheel; }
    void SetEnableWheel(bool Value) { FEnableWheel = Value; }
    // The pictures the option indicators of the active page's toolbars draw.
    GDIPicture::TGDIPPicture* OptionPicture() const { return FOptionPicture.get(); }
    void SetOptionPicture(GDIPicture::TGDIPPicture* Value) { FOptionPicture->Assign(Value); }
    GDIPicture::TGDIPPicture* OptionDisabledPicture() const { return FOptionDisabledPicture.get(); }
    void SetOptionDisabledPicture(GDIPicture::TGDIPPicture* Value) { FOptionDisabledPicture->Assign(Value); }
    AdvHintInfo::TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(AdvHintInfo::TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
    bool ShowTabHint() const { return FShowTabHint; }
    void SetShowTabHint(bool Value) { FShowTabHint = Value; }
    // The fade interval of every glow in the program (milliseconds).
    static void SetGlowSpeed(int Value);
    String Version() const { return kVersion; }
    void SetVersion(const String&) {}
    int GetVersionNr() const { return (3 << 24) | (0 << 16) | (9 << 8) | 1; }

    // ---- Collapse: the pager shrinks to its caption row and tabs, and grows back to its old height.
    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool Value);
    void Collaps() { SetExpanded(false); }
    void Expand() { SetExpanded(true); }

    // ---- Row geometry (client coordinates); PagerTabs.cpp
    vcl::TRect GetCaptionRect();
    vcl::TRect GetTabsArea();
    vcl::TRect GetTabsRect();
    vcl::TRect GetAdvPageRect();
    void SetPagePosition(TAdvPage* Page);
    void SetAllPagesPosition();
    vcl::TRect GetTabRect(int Index);
    vcl::TRect GetTabRect(const TAdvPage* Page) { return GetTabRect(IndexOfPage(Page)); }
    vcl::TRect GetTabVisibleRect(int Index);
    int PTOnTab(int X, int Y);
    bool CanShowTab(int Index) const;
    int GetFirstVisibleTabIndex() const;
    int GetLastVisibleTabIndex() const;
    int VisibleTabCount() const { return VisibleTabCount(0, GetAdvToolBarPageCount() - 1); }
    int VisibleTabCount(int From, int To) const;

    // ---- Tab groups
    int GroupOfTab(int Index) const;
    bool IsTabGroupVisible(int GroupIndex) const;
    vcl::TRect GetTabGroupRect(int GroupIndex, bool& LeftEdgeShown, bool& RightEdgeShown);
    // The group appearance a tab group paints with: its own, or the styler's while it keeps the default.
    TGroupAppearance* GroupAppearanceOf(int GroupIndex) const;
    // The tab appearance the tab at Index paints and measures with.
    TCustomTabAppearance* TabAppearanceOf(int Index) const;

    // ---- Tab widths and fitting
    static constexpr int MinTabWidth = 24;
    int GetRealTabWidth(int Index, int& ContentWidth);
    void InitializeTabWidth(int Index);
    void InitializeTabsSize();
    int GetTabsWidth(int From, int To) const;
    int GetTotalTabsWidth() const { return GetTabsWidth(0, GetAdvToolBarPageCount() - 1); }
    int GetLargestTabIndex(bool IncludeGroupTabs) const;
    int GetSmallestExpandableTabIndex(bool PreferGroupTabs) const;
    bool AnyTabCanBeShrunk(bool IncludeGroupTabs) const;
    bool AnyTabCanBeExpanded() const;
    bool AnyGroupTabCanBeExpanded() const;
    int TotalGroupTabsCanBeExpanded() const;
    void UpdateTabSizes();
    int TabSpacing() const { return FTabSpacing; }
    // The working margins of a tab: those of grouped tabs while it lies in a tab group.
    int TabLeftMargin(bool Grouped) const { return Grouped ? FGroupTabLeftMargin : FTabLeftMargin; }
    int TabRightMargin(bool Grouped) const { return Grouped ? FGroupTabRightMargin : FTabRightMargin; }

    // ---- Tab positions and scrolling
    void ResetTabsPosition();
    void UpdateTabPosition(int From, int To);
    void UpdateTabPosition() { UpdateTabPosition(0, GetAdvToolBarPageCount() - 1); }
    int TabCountOnVisibleArea(int Start, bool Forward, int& Last);
    void InitializeScroller();
    void UpdateTabScroller();
    void ChangeLeftTabIndexTo(int Index);
    int ScrollTabsPage(int Delta);
    int LeftTabIndex() const { return FLeftTabIndex; }
    const TATBTabScroller& TabScroller() const { return FTabScroller; }
    TAdvPageScrollButton* ScrollLeftButton() const { return FScrollLeftBtn; }
    TAdvPageScrollButton* ScrollRightButton() const { return FScrollRightBtn; }

    // ---- Invalidation
    // The tab's rectangle; -1 (or any index out of range) the whole tab row.
    void InvalidateTab(int Index);
    void InvalidateActivePageAttachement();

    // ---- Tab states, as painted
    int HotTabIndex() const { return FHotTabIndex; }
    int PressedTabIndex() const { return FPressedTabIndex; }
    bool ShouldDrawSeparator(int Index) const;
    // Called by a page's glow timer when a hover fade ends with the pointer gone.
    void ClearHotTab() { FHotTabIndex = -1; }

    // ---- Caption row standing in for the form's caption (PagerCaption.cpp): caption buttons, moving
    // the form by it, its system menu and maximising by a double click.
    TCaptionButtons CaptionButtons() const { return FCaptionButtons; }
    void SetCaptionButtons(TCaptionButtons Value);
    bool CanMove() const { return FCanMove; }
    void SetCanMove(bool Value) { FCanMove = Value; }
    // Makes, places and enables the caption buttons (or frees them); glyphs drawn anew when asked.
    void UpdateCaptionButtons(bool RebuildGlyphs);
    // The close, maximise (or restore) and minimise glyphs in the caption's text colour, into List.
    void MakeCaptionGlyphs(vcl::TCustomImageList* List, bool Restore);
    vcl::TRect GetCaptionButtonsRect();
    AdvGlowButton::TAdvGlowButton* CloseButton() const { return FCloseBtn; }
    AdvGlowButton::TAdvGlowButton* MaxButton() const { return FMaxBtn; }
    AdvGlowButton::TAdvGlowButton* MinButton() const { return FMinBtn; }
    vcl::TCustomImageList* CaptionButtonImages() const { return FCaptionImages.get(); }

    // ---- Quick access toolbar (PagerCaption.cpp): in the caption row, or below the pages in full size.
    TAdvCustomQuickAccessToolBar* QuickAccessToolBar() const { return FQuickAccessToolBar; }
    int GetQATHeight() const;
    bool ShowQATBelow() const;
    // Grows (or shrinks) the pager by the bar's height and turns the bar's full-size mode on (off).
    void SetShowQATBelow(bool Value);
    // The largest rectangle the quick access toolbar may take; empty without one.
    vcl::TRect MaxQATRect();

    // ---- MDI buttons (PagerMDI.cpp): minimise, restore and close of the maximised MDI child, right of
    // the tabs; the pager repaints them by hooking the frame window (one pager per process owns that).
    bool AutoMDIButtons() const { return FAutoMDIButtons; }
    void SetAutoMDIButtons(bool Value);
    bool MDIButtonsVisible() const { return FMDIButtonsVisible; }
    void SetMDIButtonsVisible(bool Value);
    void UpdateMDIButtonsShowing();
    void UpdateMDIButtons(bool RebuildGlyphs);
    vcl::TRect GetMDIButtonsRectRect();
    AdvGlowButton::TAdvGlowButton* MDICloseButton() const { return FMDICloseBtn; }
    AdvGlowButton::TAdvGlowButton* MDIMaxButton() const { return FMDIMaxBtn; }
    AdvGlowButton::TAdvGlowButton* MDIMinButton() const { return FMDIMinBtn; }
    static constexpr int MDIButtonSize = 16;
    static constexpr int MDIButtonGap = 2;
    vcl::TNotifyEvent OnCloseButtonClick;
    vcl::TNotifyEvent OnMinButtonClick;
    vcl::TNotifyEvent OnMaxButtonClick;

    // ---- Key tips (PagerKeyTips.cpp): Alt or F10 pressed and released (or held 700 ms) shows a tip on
    // every tab; typing a tip's letters activates that tab.
    void ShowShortCutHintOfAllPages();
    void HideShortCutHintOfAllPages(bool AlsoToolBars);
    bool KeyTipMode() const { return FKeyTipMode; }
    String TypedKeyTip() const { return FTypedKeyTip; }
    static constexpr int KeyTipHoldTime = 700;

    vcl::TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void CreateWnd() override;
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void WndProc(vcl::TMessage& Message) override;
    // Alt let go after holding it for the tips: the next Alt press hides them.
    void KeyUp(vcl::Word& Key, vcl::TShiftState Shift) override;
    void AlignControls(vcl::TControl* AControl, vcl::TRect& Rect) override;
    void Paint() override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;

public:
    void SetParent(vcl::TWinControl* AParent) override;
    void GetChildren(const vcl::TGetChildProc& Proc, vcl::TComponent* Root) override;

private:
    friend class TAdvPage;
    friend class TAdvCustomQuickAccessToolBar;
    void ChangeActivePage(int Index);
    void OnCaptionChanged(vcl::TObject* Sender);
    void OnTabSettingsChanged(vcl::TObject* Sender);
    void OnTabGroupsChanged(vcl::TObject* Sender);
    void OnOptionPictureChanged(vcl::TObject* Sender);
    void OnScrollLeftBtnClick(vcl::TObject*) { ScrollTabsPage(-1); }
    void OnScrollRightBtnClick(vcl::TObject*) { ScrollTabsPage(1); }
    TAdvPageScrollButton* MakeScrollButton(bool Left);
    bool IsGroupTab(int Index) const { return GroupOfTab(Index) >= 0; }
    int TabWidthOf(int Index) const;
    // Moves the tab left of every visible tab after Index by Delta.
    void ShiftTabsAfter(int Index, int Delta);
    // Starts a glow fade on the page's tab.
    void StartGlow(int Index, int Step, bool Selection);
    void CMMouseLeave();
    // Keyboard; the Boolean results say the message was handled.
    void WMKeyDown(vcl::TMessage& Message);
    bool CMDialogKey(vcl::TMessage& Message);
    bool CMDialogChar(vcl::TMessage& Message);
    void CMFocusChanged(vcl::TMessage& Message);
    void OnShortCutTime(vcl::TObject* Sender);
    // PagerCaption.cpp: true when the click belonged to the caption row.
    bool CaptionMouseDown(vcl::TMouseButton Button, int X, int Y);
    void WMLButtonDblClk(vcl::TMessage& Message);
    void WMNCHitTest(vcl::TMessage& Message);
    void SubclassProc(vcl::TMessage& Message);
    void OnMDICloseBtnClick(vcl::TObject* Sender);
    void OnMDIMaxBtnClick(vcl::TObject* Sender);
    void OnMDIMinBtnClick(vcl::TObject* Sender);
    // The maximised active child the MDI buttons act on, or null.
    vcl::TCustomForm* MaximizedMDIChild();
    void EndMDIHook();
    void RestoreFormProc();
    void OnCaptionCloseBtnClick(vcl::TObject* Sender);
    void OnCaptionMaxBtnClick(vcl::TObject* Sender);
    void OnCaptionMinBtnClick(vcl::TObject* Sender);
    void ToggleFormMaximized();
    // The rounded top corners a pager draws as the caption of an Office-style form.
    void DrawFormCorners();
    // The typed key-tip text gained a character.
    void KeyTipTyped(char Key);
    bool KeyDownNow(unsigned VirtualKey) const;
    // Key-tip mode was asked for by the released (or held) key.
    void KeyTipKeyDone();

    // PagerPaint.cpp
    void PaintBackgroundPicture(vcl::TCanvas* C);
    void DrawCaption();
    void DrawAllTabs();
    void FillTabBackground(vcl::TCanvas* C, const vcl::TRect& R);
    void DrawTabGroups();
    void DrawTab(int Index);
    void DrawTabOn(vcl::TCanvas* C, int Index, const vcl::TRect& R);
    void DrawDesignHint();

    TDockAlign FAlign = daTop;
    TCustomAdvToolBarStyler* FInternalStyler = nullptr; // owned as a component
    TCustomAdvToolBarStyler* FToolBarStyler = nullptr;
    TCustomAdvToolBarStyler* FCurrentStyler = nullptr;
    AdvToolBarStylers::TAdvToolBarOfficeStyler* FOfficeStyler = nullptr; // owned as a component
    std::unique_ptr<TDbgList> FPages;
    bool FTabsInitialized = false;
    bool FShowNonSelectedTabs = false;
    std::unique_ptr<TATBTabSettings> FTabSettings;
    std::unique_ptr<TAdvPageCaption> FCaption;
    TATBTabScroller FTabScroller;
    int FActivePageIndex = -1;
    int FHotTabIndex = -1;
    int FPressedTabIndex = -1;
    int FLastHotTabIndex = -1;
    int FHintTabIndex = -1;
    vcl::TCustomImageList* FImages = nullptr;
    vcl::TCustomImageList* FDisabledImages = nullptr;
    bool FShowTabHint = false;
    std::unique_ptr<TTabGroups> FTabGroups;
    AdvGDIP::TAntiAlias FAntiAlias = AdvGDIP::aaClearType;
    int FPageRightMargin = 0;
    int FPageLeftMargin = 0;
    bool FExpanded = true;
    int FExpandedHeight = 0;
    int FTabSpacing = 4;
    int FTabLeftMargin = 4;
    int FTabRightMargin = 4;
    int FGroupTabLeftMargin = 4;
    int FGroupTabRightMargin = 4;
    TAdvPageScrollButton* FScrollLeftBtn = nullptr;  // owned as a component
    TAdvPageScrollButton* FScrollRightBtn = nullptr; // owned as a component
    int FLeftTabIndex = 0;
    bool FEnableWheel = true;
    std::unique_ptr<GDIPicture::TGDIPPicture> FOptionPicture;
    std::unique_ptr<GDIPicture::TGDIPPicture> FOptionDisabledPicture;
    std::unique_ptr<AdvHintInfo::TAdvHintInfo> FOfficeHint;
    std::unique_ptr<vcl::TTimer> FKeyTipTimer;
    bool FKeyTipMode = false;
    String FTypedKeyTip;
    bool FWaitingForKey = false;
    bool FAltHeld = false;
    int FKeyHoldTime = 0;
    TCaptionButtons FCaptionButtons;
    bool FCanMove = false;
    AdvGlowButton::TAdvGlowButton* FCloseBtn = nullptr; // owned as a component
    AdvGlowButton::TAdvGlowButton* FMaxBtn = nullptr;   // owned as a component
    AdvGlowButton::TAdvGlowButton* FMinBtn = nullptr;   // owned as a component
    std::unique_ptr<vcl::TCustomImageList> FCaptionImages;
    int FSavedRightTextMargin = 0;
    vcl::TWindowState FLastWindowState = vcl::wsNormal;
    // The form whose window procedure the pager stands in front of, and that procedure.
    vcl::TCustomForm* FSubclassedForm = nullptr;
    bool FAutoMDIButtons = false;
    bool FMDIButtonsVisible = false;
    win::WindowSubclass FMDISubclass;
    vcl::TCustomForm* FActiveMDIChild = nullptr;
    AdvGlowButton::TAdvGlowButton* FMDICloseBtn = nullptr; // owned as a component
    AdvGlowButton::TAdvGlowButton* FMDIMaxBtn = nullptr;   // owned as a component
    AdvGlowButton::TAdvGlowButton* FMDIMinBtn = nullptr;   // owned as a component
    std::unique_ptr<vcl::TCustomImageList> FMDIImages;
    // Made in the designer on a form that was neither loading nor being read.
    bool FNewlyDropped = false;
    vcl::TWndMethod FSavedFormProc;
    TAdvCustomQuickAccessToolBar* FQuickAccessToolBar = nullptr; // a child control
};

} // namespace AdvToolBar
