#pragma once
// TAdvPage: one page of a pager. The pager shows a tab for it and, while it is the active page, the
// page itself below the tabs. The page hosts toolbars side by side in one row and scrolls them with two
// small buttons when they do not fit; it holds its tab's caption, image, hint and key tip, runs the
// glow fade of its tab and paints its background.

#include <memory>

#include "components/foundation/AdvHintInfo.h"
#include "components/foundation/GlowKeyTip.h"
#include "components/foundation/KeptBitmap.h"
#include "components/toolbar/pager/PagerSettings.h"
#include "components/toolbar/styler/ToolBarTypes.h"
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/Timer.h"

namespace AdvToolBar {

class TAdvToolBar;
class TAdvToolBarPager;
class TAdvPageScrollButton;

KV_ENUM(TShortCutHintPos, shpLeft, shpTop, shpRight, shpBottom);

class TAdvPage : public vcl::TCustomControl {
    KV_CLASS(TAdvPage, vcl::TCustomControl)
    KV_PUBLISHED_PROPERTIES(TAdvPage)
public:
    explicit TAdvPage(vcl::TComponent* AOwner);
    ~TAdvPage() override;

    // ---- Pager. Leaves the old pager, takes the new one as parent and joins it.
    TAdvToolBarPager* AdvToolBarPager() const { return FPager; }
    void SetAdvToolBarPager(TAdvToolBarPager* Value);
    // -1 without pager.
    int PageIndex() const;
    void SetPageIndex(int Value);

    // ---- Toolbars, in page order
    int AdvToolBarCount() const { return FToolBars->Count(); }
    // Null outside 0..Count-1.
    TAdvToolBar* AdvToolBars(int Index) const;
    int IndexOfAdvToolBar(const vcl::TControl* ToolBar) const {
        return FToolBars->IndexOf(const_cast<vcl::TControl*>(ToolBar));
    }
    TAdvToolBar* CreateAdvToolBar();
    // -1 for null or a toolbar already listed.
    int AddAdvToolBar(TAdvToolBar* ToolBar);
    int InsertAdvToolBar(int Index, TAdvToolBar* ToolBar);
    void RemoveAdvToolBar(TAdvToolBar* ToolBar);
    void MoveAdvToolBar(int FromIndex, int ToIndex);
    // The first listed toolbar (visible only, when asked), or null.
    TAdvToolBar* GetFirstToolBar(bool VisibleOnly) const;
    // The visible child toolbars in screen order (left to right).
    void GetSequencialToolBarList(TDbgList* List) const;
    int VisibleToolBarCount() const;
    int RealIndexToVisIndex(int Index) const;
    int VisIndexToRealIndex(int Index) const;
    void InvalidateAllAdvToolBars();
    // Places the visible toolbars side by side: 3 pixels apart, 3 from the top and bottom.
    void UpdateAdvToolBarsPosition();
    // True when every visible toolbar is compacted: only then do they scroll when they do not fit.
    bool ALLATBSmallestVariant() const;

    // ---- Fitting the toolbars into the page's width through their size variants and compact mode.
    // Settles the row either way: grows into free room, shrinks or compacts what overflows.
    void UpdateAllToolBars();
    // After the page grew: un-compacts or grows, first toolbar first.
    void IncreaseToolBarSize();
    // After the page shrank: shrinks the cheapest step, compacts the last toolbar when none is left.
    void DecreaseToolBarSize();
    bool AutoPosition() const { return FAutoPosition; }
    void SetAutoPosition(bool Value) { FAutoPosition = Value; }

    // ---- Toolbar scrolling
    void InitializeScroller();
    void UpdateScroller();
    void ScrollToolBars(int Delta);
    void ChangeLeftATBIndexTo(int Index);
    int ScrollPageATBVisibleCount(int Index, bool Forward) const;
    void ScrollInView(int Index);
    const TATBTabScroller& Scroller() const { return FScroller; }
    int FirstShownToolBar() const { return FFirstShownToolBar; }
    TAdvPageScrollButton* ScrollLeftButton() const { return FScrollLeftBtn; }
    TAdvPageScrollButton* ScrollRightButton() const { return FScrollRightBtn; }

    // ---- Tab
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    String WideCaption() const { return FWideCaption; }
    void SetWideCaption(const String& Value);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    bool TabEnabled() const { return FTabEnabled; }
    void SetTabEnabled(bool Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    String TabHint() const { return FTabHint; }
    void SetTabHint(const String& Value) { FTabHint = Value; }
    AdvHintInfo::TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(AdvHintInfo::TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
    String ShortCutHint() const { return FShortCutHint; }
    void SetShortCutHint(const String& Value) { FShortCutHint = Value; }
    TShortCutHintPos ShortCutHintPos() const { return FShortCutHintPos; }
    void SetShortCutHintPos(TShortCutHintPos Value) { FShortCutHintPos = Value; }
    // The tab as the pager lays it out: its left edge and its content width now and unshrunk.
    int TabLeft() const { return FTabLeft; }
    void SetTabLeft(int Value) { FTabLeft = Value; }
    int TabContentWidth() const { return FTabContentWidth; }
    void SetTabContentWidth(int Value) { FTabContentWidth = Value; }
    int FullTabContentWidth() const { return FFullTabContentWidth; }
    void SetFullTabContentWidth(int Value) { FFullTabContentWidth = Value; }
    // The content width plus the pager's working tab margins (those of grouped tabs in a tab group).
    int GetTabWidth() const;
    bool IsGroupTab() const;

    // ---- Tab glow: hover fades in and out between 0 and 100; a click fades the selection.
    enum TGlowState { gsHover = 0, gsSelection = 1, gsIdle = 2 };
    void StartGlow(int Step, bool Selection);
    bool GlowRunning() const { return FGlowTimer != nullptr && FGlowTimer->Enabled(); }
    bool SelectionGlow() const { return FGlowState == gsSelection; }
    int HoverGlow() const { return FHoverGlow; }
    int SelectionGlowAmount() const { return FSelectionGlow; }
    void TimerProc(vcl::TObject* Sender);

    // ---- Key tip of the tab
    void ShowShortCutHint();
    void HideShortCutHint();
    AdvGlowButton::TShortCutHintWindow* ShortCutHintWindow() const { return FShortCutHintWindow; }
    // Key tips of the toolbars' glow buttons, shown for all toolbars or for none (PagerKeyTips.cpp).
    void ShowShortCutHintOfAllToolBars();
    void HideShortCutHintOfAllToolBars();
    // Clicks the button whose tip is Keys; without even a partial match the tips end with a beep.
    bool HasShortCut(const String& Keys);
    bool ToolBarKeyTipsShown() const { return FToolBarTipsShown; }
    String TypedKeyTip() const { return FTypedKeyTip; }
    // Adds a typed letter; true when it completed a tip and that button was clicked.
    bool AddTypedKeyTip(char Key);

    void SetParent(vcl::TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Loaded() override;
    // A page read inside a pager joins it.
    void ReadState(vcl::TReader& Reader) override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void Paint() override;
    void WndProc(vcl::TMessage& Message) override;
    void AlignControls(vcl::TControl* AControl, vcl::TRect& Rect) override;

private:
    friend class TAdvToolBarPager;
    TAdvPageScrollButton* MakeScrollButton(bool Left);
    enum TUnCompact { ucNone, ucDone, ucBlocked };
    bool Fittable() const;
    // Fills List with the row in screen order; the room right of its last toolbar.
    int FreeWidth(TDbgList& List) const;
    bool Eligible(const TAdvToolBar* ToolBar) const;
    TUnCompact TryUnCompact(TDbgList& List, int FreeWidth);
    bool CompactLastEligible(TDbgList& List, bool CloneAtSmallest);
    // Moves every listed toolbar right by Delta (left when negative).
    void ShiftToolBars(int Delta);
    // The page's gradient background at its size, kept while its look and size hold.
    struct TBackgroundKey {
        vcl::TColor Color = 0, ColorTo = 0, ColorMirror = 0, ColorMirrorTo = 0, BorderColor = 0;
        int Gradient = 0, GradientMirror = 0, AntiAlias = 0;
        bool operator==(const TBackgroundKey&) const = default;
    };
    vcl::TBitmap& Background(TVistaBackground* Look);

    std::unique_ptr<TDbgList> FToolBars;
    bool FTabVisible = true;
    TAdvToolBarPager* FPager = nullptr;
    String FCaption;
    String FWideCaption;
    bool FTabEnabled = true;
    int FImageIndex = -1;
    bool FAutoPosition = true;
    bool FPositioning = false;
    std::unique_ptr<vcl::TTimer> FGlowTimer;
    int FGlowStep = 20;
    int FHoverGlow = 0;
    int FSelectionGlow = 0;
    TGlowState FGlowState = gsIdle;
    String FTabHint;
    std::unique_ptr<AdvHintInfo::TAdvHintInfo> FOfficeHint;
    AdvGlowButton::TShortCutHintWindow* FShortCutHintWindow = nullptr; // owned as a component
    TShortCutHintPos FShortCutHintPos = shpTop;
    String FShortCutHint;
    bool FToolBarTipsShown = false;
    String FTypedKeyTip;
    TATBTabScroller FScroller;
    int FFirstShownToolBar = 0;
    TAdvPageScrollButton* FScrollLeftBtn = nullptr;  // owned as a component
    TAdvPageScrollButton* FScrollRightBtn = nullptr; // owned as a component
    int FTabLeft = 0;
    int FTabContentWidth = 0;
    int FFullTabContentWidth = 0;
    int FPreviousWidth = 0;
    bool FInSetParent = false;
    AdvGlowButton::TKeptBitmap<TBackgroundKey> FBackground;
};

} // namespace AdvToolBar
