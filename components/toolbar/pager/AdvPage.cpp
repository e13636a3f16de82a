#include "components/toolbar/pager/AdvPage.h"

#include <algorithm>

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/pager/VistaButtons.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"

namespace AdvToolBar {

KV_PUBLISHED(TAdvPage) {
    using A = TAdvPage;
    p.Bool("AutoPosition", &A::FAutoPosition, &A::SetAutoPosition, true);
    p.Str("Caption", &A::FCaption, &A::SetCaption);
    p.Int("ImageIndex", &A::FImageIndex, &A::SetImageIndex, -1);
    p.Str("TabHint", &A::FTabHint, &A::SetTabHint);
    p.Bool("TabVisible", &A::FTabVisible, &A::SetTabVisible, true);
    p.Bool("TabEnabled", &A::FTabEnabled, &A::SetTabEnabled, true);
    p.Object("OfficeHint", &A::FOfficeHint);
    p.Str("ShortCutHint", &A::FShortCutHint, &A::SetShortCutHint);
    p.Enum("ShortCutHintPos", &A::FShortCutHintPos, &A::SetShortCutHintPos, shpTop);
}

KV_REGISTER_CLASS(TAdvPage)

TAdvPage::TAdvPage(vcl::TComponent* AOwner)
    : vcl::TCustomControl(AOwner), FToolBars(std::make_unique<TDbgList>()),
      FOfficeHint(std::make_unique<AdvHintInfo::TAdvHintInfo>()) {
    FControlStyle.Include(vcl::csAcceptsControls);
    FControlStyle.Exclude(vcl::csOpaque);
    FPreviousWidth = Width();
}

TAdvPage::~TAdvPage() {
    FGlowTimer.reset();
    if (FPager != nullptr) FPager->RemoveAdvPage(this);
    // The toolbars the page owns go with it; those owned elsewhere no longer count on the list.
    FToolBars->Clear();
    BeforeDestruction();
}

// ---- Pager

void TAdvPage::SetAdvToolBarPager(TAdvToolBarPager* Value) {
    if (FPager != nullptr && FPager != Value) FPager->RemoveAdvPage(this);
    if (Value != nullptr) {
        if (Parent() != Value) {
            TFlagGuard guard(FInSetParent, true);
            vcl::TCustomControl::SetParent(Value);
        }
        Value->AddAdvPage(this);
    }
    FPager = Value;
}

void TAdvPage::ReadState(vcl::TReader& Reader) {
    vcl::TCustomControl::ReadState(Reader);
    if (auto* pager = dynamic_cast<TAdvToolBarPager*>(Reader.Parent());
        pager != nullptr && pager->IndexOfPage(this) < 0)
        SetAdvToolBarPager(pager);
}

void TAdvPage::SetParent(vcl::TWinControl* AParent) {
    if (dynamic_cast<TAdvDockPanel*>(AParent) != nullptr ||
        dynamic_cast<TAdvCustomToolBar*>(AParent) != nullptr)
        throw vcl::Exception("Invalid Parent");
    auto* pager = dynamic_cast<TAdvToolBarPager*>(AParent);
    auto* page = dynamic_cast<TAdvPage*>(AParent);
    if ((pager == nullptr && page == nullptr) || FInSetParent) {
        // A page taken off its pager leaves the pager's list: the pager would go on placing, showing
        // and hiding a page that is no longer its child.
        if (!FInSetParent && FPager != nullptr && AParent != FPager &&
            !ComponentState().Contains(vcl::csDestroying)) {
            TAdvToolBarPager* old = FPager;
            FPager = nullptr;
            old->RemoveAdvPage(this);
        }
        vcl::TCustomControl::SetParent(AParent);
        return;
    }
    TFlagGuard guard(FInSetParent, true);
    TAdvToolBarPager* target = pager != nullptr ? pager : page->AdvToolBarPager();
    if (target == nullptr) {
        vcl::TCustomControl::SetParent(AParent);
        return;
    }
    if (FPager != target) {
        vcl::TCustomControl::SetParent(target);
        SetAdvToolBarPager(target);
    }
    if (FPager != target) throw vcl::Exception("Invalid Parent");
    if (page != nullptr && page != this) {
        // A page dropped on another page of the pager takes that page's place.
        const int mine = target->IndexOfPage(this);
        const int other = target->IndexOfPage(page);
        if (mine < 0 || other < 0)
            throw vcl::Exception("Invalid Parent " + std::to_string(mine) + ":" + std::to_string(other));
        target->MoveAdvPage(mine, other);
    }
    if (Parent() != target) vcl::TCustomControl::SetParent(target);
    target->Invalidate();
    Invalidate();
}

int TAdvPage::PageIndex() const {
    return FPager != nullptr ? FPager->IndexOfPage(this) : -1;
}

void TAdvPage::SetPageIndex(int Value) {
    if (FPager == nullptr || Value < 0 || Value >= FPager->GetAdvToolBarPageCount()) return;
    FPager->MoveAdvPage(PageIndex(), Value);
    Invalidate();
    FPager->Invalidate();
}

// ---- Toolbars

TAdvToolBar* TAdvPage::AdvToolBars(int Index) const {
    if (Index < 0 || Index >= FToolBars->Count()) return nullptr;
    return FToolBars->At<TAdvToolBar>(Index);
}

TAdvToolBar* TAdvPage::CreateAdvToolBar() {
    auto* t = new TAdvToolBar(this);
    t->SetShowRightHandle(false);
    t->SetShowCaption(true);
    t->SetCaptionPosition(cpBottom);
    t->SetCaptionAlignment(vcl::taCenter);
    t->SetBounds(t->Left(), t->Top(), 120, 26);
    t->SetCaption("Untitled");
    AddAdvToolBar(t);
    // Fixed on the page now, the toolbar lets its size be set from outside.
    t->SetAutoSizeEx(false);
    t->SetParentStyler(true);
    const auto state = ComponentState();
    if (!state.Contains(vcl::csDesigning) && !state.Contains(vcl::csLoading)) t->SetLoadedOnce(true);
    return t;
}

int TAdvPage::AddAdvToolBar(TAdvToolBar* ToolBar) {
    if (ToolBar == nullptr || FToolBars->IndexOf(ToolBar) >= 0) return -1;
    const int result = FToolBars->Add(ToolBar);
    ToolBar->FreeNotification(this);
    if (ToolBar->Parent() != this) ToolBar->SetParent(this);
    const auto state = ComponentState();
    if (!state.Contains(vcl::csLoading) && !state.Contains(vcl::csDesigning) &&
        ToolBar->ToolBarStyler() == nullptr)
        ToolBar->SetParentStyler(true);
    UpdateAdvToolBarsPosition();
    return result;
}

int TAdvPage::InsertAdvToolBar(int Index, TAdvToolBar* ToolBar) {
    if (ToolBar == nullptr) return -1;
    const int old = FToolBars->IndexOf(ToolBar);
    if (old >= 0) return old;
    Index = std::clamp(Index, 0, FToolBars->Count());
    FToolBars->Insert(Index, ToolBar);
    ToolBar->FreeNotification(this);
    if (ToolBar->Parent() != this) ToolBar->SetParent(this);
    UpdateAdvToolBarsPosition();
    return Index;
}

void TAdvPage::RemoveAdvToolBar(TAdvToolBar* ToolBar) {
    const int i = FToolBars->IndexOf(ToolBar);
    if (i < 0) return;
    FToolBars->Delete(i);
    if (!ToolBar->ComponentState().Contains(vcl::csDestroying) && ToolBar->Parent() == this)
        ToolBar->SetParent(nullptr);
}

void TAdvPage::MoveAdvToolBar(int FromIndex, int ToIndex) {
    const int n = FToolBars->Count();
    if (FromIndex < 0 || FromIndex >= n || ToIndex < 0 || ToIndex >= n || FromIndex == ToIndex) return;
    FToolBars->Move(FromIndex, ToIndex);
    UpdateAdvToolBarsPosition();
}

TAdvToolBar* TAdvPage::GetFirstToolBar(bool VisibleOnly) const {
    for (int i = 0; i < FToolBars->Count(); ++i) {
        TAdvToolBar* t = AdvToolBars(i);
        if (!VisibleOnly || t->Visible()) return t;
    }
    return nullptr;
}

void TAdvPage::GetSequencialToolBarList(TDbgList* List) const {
    List->Clear();
    const bool designing = ComponentState().Contains(vcl::csDesigning);
    for (int i = 0; i < ControlCount(); ++i) {
        auto* t = dynamic_cast<TAdvToolBar*>(Controls(i));
        if (t == nullptr || (!t->Visible() && !designing)) continue;
        int at = List->Count();
        for (int k = 0; k < List->Count(); ++k)
            if (List->At<TAdvToolBar>(k)->Left() > t->Left()) {
                at = k;
                break;
            }
        List->Insert(at, t);
    }
}

int TAdvPage::VisibleToolBarCount() const {
    int n = 0;
    for (int i = 0; i < FToolBars->Count(); ++i)
        if (AdvToolBars(i)->Visible()) ++n;
    return n;
}

int TAdvPage::RealIndexToVisIndex(int Index) const {
    if (Index < 0 || Index >= FToolBars->Count() || !AdvToolBars(Index)->Visible()) return -1;
    int n = 0;
    for (int i = 0; i < Index; ++i)
        if (AdvToolBars(i)->Visible()) ++n;
    return n;
}

int TAdvPage::VisIndexToRealIndex(int Index) const {
    int n = -1;
    for (int i = 0; i < FToolBars->Count(); ++i)
        if (AdvToolBars(i)->Visible() && ++n == Index) return i;
    return -1;
}

void TAdvPage::InvalidateAllAdvToolBars() {
    for (int i = 0; i < FToolBars->Count(); ++i)
        AdvToolBars(i)->Invalidate();
}

void TAdvPage::UpdateAdvToolBarsPosition() {
    if (!FAutoPosition || FPositioning || ComponentState().Contains(vcl::csLoading)) return;
    TFlagGuard guard(FPositioning, true);
    const bool designing = ComponentState().Contains(vcl::csDesigning);
    int x = 3;
    for (int i = 0; i < FToolBars->Count(); ++i) {
        TAdvToolBar* t = AdvToolBars(i);
        if (!t->Visible() && !designing) continue;
        t->SetBounds(x, 3, t->Width(), Height() - 6);
        x += t->Width() + 3;
    }
}

// ---- Toolbar scrolling

int TAdvPage::ScrollPageATBVisibleCount(int Index, bool Forward) const {
    TDbgList list;
    GetSequencialToolBarList(&list);
    int x = 3;
    int n = 0;
    for (int i = Index; i >= 0 && i < list.Count(); i += Forward ? 1 : -1) {
        x += list.At<TAdvToolBar>(i)->Width() + 3;
        if (x - 3 >= Width()) break;
        ++n;
    }
    return n;
}

void TAdvPage::InitializeScroller() {
    FFirstShownToolBar = 0;
    FScroller.SetMin(0);
    FScroller.SetMax(0);
    FScroller.SetPosition(0);
    UpdateScroller();
}

void TAdvPage::UpdateScroller() {
    if (ComponentState().Contains(vcl::csDesigning)) return;
    const int visible = VisibleToolBarCount();
    const int first = std::max(1, ScrollPageATBVisibleCount(0, true));
    int max = 0;
    if (visible > first && ALLATBSmallestVariant()) {
        int start = 0, total = 0;
        for (int pass = 0; pass < FToolBars->Count(); ++pass) {
            const int n = std::max(1, ScrollPageATBVisibleCount(start, true));
            total += n;
            if (total >= visible) break;
            ++max;
            start += n;
        }
    }
    FScroller.SetMax(max);
    FScroller.SetPosition(std::min(FScroller.Position(), FScroller.Max()));
    auto place = [this](TAdvPageScrollButton*& Button, bool Left, bool Needed) {
        if (!Needed) {
            if (Button != nullptr) Button->SetVisible(false);
            return;
        }
        if (Button == nullptr) Button = MakeScrollButton(Left);
        if (FPager != nullptr && FPager->CurrentStyler() != nullptr)
            Button->SetAppearance(FPager->CurrentStyler()->CompactGlowButtonAppearance());
        Button->SetVisible(true);
        Button->BringToFront();
    };
    place(FScrollLeftBtn, true, FScroller.CanGoBack());
    place(FScrollRightBtn, false, FScroller.CanGoForward());
}

TAdvPageScrollButton* TAdvPage::MakeScrollButton(bool Left) {
    auto* b = new TAdvPageScrollButton(this);
    b->SetParent(this);
    b->SetAlign(Left ? vcl::alLeft : vcl::alRight);
    b->SetWidth(12);
    b->SetButtonPosition(Left ? bpLeft : bpRight);
    b->SetScrollArrow(Left ? saLeft : saRight);
    b->OnClick = [this, Left](vcl::TObject*) { ScrollToolBars(Left ? -1 : 1); };
    return b;
}

void TAdvPage::ScrollToolBars(int Delta) {
    const int visible = VisibleToolBarCount();
    int target = FFirstShownToolBar;
    if (Delta > 0) {
        const int n = std::min(Delta, FScroller.Max() - FScroller.Position());
        if (!FScroller.CanGoForward() || n <= 0) return;
        FScroller.SetPosition(FScroller.Position() + n);
        for (int i = 0; i < n && target < visible; ++i)
            target += std::max(1, ScrollPageATBVisibleCount(target, true));
    } else if (Delta < 0) {
        const int n = std::min(-Delta, FScroller.Position() - FScroller.Min());
        if (!FScroller.CanGoBack() || n <= 0 || FFirstShownToolBar <= 0) return;
        FScroller.SetPosition(FScroller.Position() - n);
        for (int i = 0; i < n && target >= 1; ++i)
            target -= std::max(1, ScrollPageATBVisibleCount(target - 1, false));
    } else {
        return;
    }
    ChangeLeftATBIndexTo(std::clamp(target, 0, std::max(0, visible - 1)));
    if (FScrollLeftBtn != nullptr) FScrollLeftBtn->Invalidate();
    if (FScrollRightBtn != nullptr) FScrollRightBtn->Invalidate();
}

void TAdvPage::ShiftToolBars(int Delta) {
    for (int i = 0; i < FToolBars->Count(); ++i) {
        TAdvToolBar* t = AdvToolBars(i);
        t->SetLeft(t->Left() + Delta);
    }
}

void TAdvPage::ChangeLeftATBIndexTo(int Index) {
    if (Index < 0 || Index >= VisibleToolBarCount() || FPositioning) return;
    TFlagGuard guard(FPositioning, true);
    TDbgList list;
    GetSequencialToolBarList(&list);
    if (list.Count() == 0) return;
    constexpr int step = 5;
    if (Index > FFirstShownToolBar) {
        // Fill the page from the end: step back while one more toolbar still fits before the target.
        int c = ScrollPageATBVisibleCount(Index, true);
        while (Index - 1 > FFirstShownToolBar && ScrollPageATBVisibleCount(Index - 1, true) > c) {
            --Index;
            c = ScrollPageATBVisibleCount(Index, true);
        }
        if (Index > FFirstShownToolBar) {
            auto* last = list.At<TAdvToolBar>(list.Count() - 1);
            auto* target = list.At<TAdvToolBar>(Index);
            // Each pass moves by at most one step; the bound only guards against a stuck layout.
            for (int pass = 0; pass < 100000; ++pass) {
                int d = step;
                bool lastPass = false;
                const int lastRight = last->Left() + last->Width();
                if (lastRight - d <= Width() - 3) {
                    d = lastRight - (Width() - 3);
                    lastPass = true;
                }
                if (target->Left() - d <= 3) {
                    d = std::min(d, target->Left() - 3);
                    lastPass = true;
                }
                if (d > 0) ShiftToolBars(-d);
                if (lastPass || d <= 0) break;
            }
        }
    } else if (Index < FFirstShownToolBar) {
        auto* first = list.At<TAdvToolBar>(0);
        auto* target = list.At<TAdvToolBar>(Index);
        for (int pass = 0; pass < 100000; ++pass) {
            int d = step;
            const int lead = std::max(first->Left(), target->Left());
            if (lead + d >= 0) {
                d = 3 - target->Left();
                if (d > 0) ShiftToolBars(d);
                break;
            }
            ShiftToolBars(d);
        }
    }
    FFirstShownToolBar = Index;
    UpdateScroller();
}

void TAdvPage::ScrollInView(int Index) {
    if (FScroller.Max() == 0 || FPositioning || Index < 0 || Index >= FToolBars->Count()) return;
    const int v = RealIndexToVisIndex(Index);
    if (v < 0) return;
    if (v < FFirstShownToolBar)
        ScrollToolBars(-1);
    else
        ScrollToolBars(1);
}

// ---- Size and children

void TAdvPage::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    // Without a window the width is not yet fitted to: the size message sent when the window is made
    // (often in the middle of a focus change) reports no change and rearranges nothing.
    if (AWidth != Width()) FPreviousWidth = HandleAllocated() ? Width() : AWidth;
    vcl::TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateAdvToolBarsPosition();
}

void TAdvPage::AlignControls(vcl::TControl* AControl, vcl::TRect& Rect) {
    vcl::TCustomControl::AlignControls(AControl, Rect);
    UpdateAdvToolBarsPosition();
}

void TAdvPage::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TCustomControl::Notification(AComponent, Operation);
    // Told while the toolbar is still whole: it leaves the list before anything lays the page out again.
    if (Operation == vcl::opRemove) FToolBars->Remove(AComponent);
}

void TAdvPage::Loaded() {
    vcl::TCustomControl::Loaded();
    FToolBars->Clear();
    for (int i = 0; i < ControlCount(); ++i) {
        auto* t = dynamic_cast<TAdvToolBar*>(Controls(i));
        if (t == nullptr) continue;
        int at = FToolBars->Count();
        for (int k = 0; k < FToolBars->Count(); ++k)
            if (AdvToolBars(k)->Left() > t->Left()) {
                at = k;
                break;
            }
        FToolBars->Insert(at, t);
    }
    UpdateAdvToolBarsPosition();
    UpdateAllToolBars();
}

void TAdvPage::WndProc(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case vcl::CM_CONTROLCHANGE: {
        vcl::TCustomControl::WndProc(Message);
        auto* control = reinterpret_cast<vcl::TControl*>(Message.WParam);
        if (Message.LParam != 0) {
            if (auto* t = dynamic_cast<TAdvToolBar*>(control)) AddAdvToolBar(t);
        } else {
            // A toolbar being destroyed is no longer one: it is taken off the list by its address.
            FToolBars->Remove(control);
        }
        return;
    }
    case win::WM_SIZE:
        vcl::TCustomControl::WndProc(Message);
        if (Width() != FPreviousWidth) {
            if (Width() > FPreviousWidth)
                IncreaseToolBarSize();
            else
                DecreaseToolBarSize();
            FPreviousWidth = Width();
        }
        InitializeScroller();
        return;
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
        // A click anywhere on the page (it holds the mouse while tips show) ends the key tips.
        if (FToolBarTipsShown) HideShortCutHintOfAllToolBars();
        break;
    default:
        break;
    }
    vcl::TCustomControl::WndProc(Message);
}

// ---- Tab

void TAdvPage::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    if (FPager == nullptr) return;
    FPager->InitializeTabsSize();
    FPager->UpdateTabSizes();
    FPager->Invalidate();
}

void TAdvPage::SetWideCaption(const String& Value) {
    if (FWideCaption == Value) return;
    FWideCaption = Value;
    if (FPager == nullptr) return;
    FPager->InitializeTabsSize();
    FPager->UpdateTabSizes();
    FPager->Invalidate();
}

void TAdvPage::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    if (FPager == nullptr) return;
    FPager->InitializeTabsSize();
    FPager->UpdateTabSizes();
    FPager->Invalidate();
}

void TAdvPage::SetTabVisible(bool Value) {
    if (FTabVisible == Value) return;
    FTabVisible = Value;
    if (!Value)
        for (int i = 0; i < FToolBars->Count(); ++i)
            AdvToolBars(i)->HideCompactWindow();
    if (FPager == nullptr) return;
    FPager->UpdateTabSizes();
    FPager->InitializeScroller();
    FPager->Invalidate();
    if (TAdvPage* active = FPager->ActivePage()) active->Invalidate();
    Invalidate();
}

void TAdvPage::SetTabEnabled(bool Value) {
    if (FTabEnabled == Value) return;
    FTabEnabled = Value;
    Invalidate();
    if (FPager != nullptr) FPager->Invalidate();
}

bool TAdvPage::IsGroupTab() const {
    return FPager != nullptr && FPager->GroupOfTab(PageIndex()) >= 0;
}

int TAdvPage::GetTabWidth() const {
    if (FPager == nullptr) return FTabContentWidth;
    const bool grouped = IsGroupTab();
    return FTabContentWidth + FPager->TabLeftMargin(grouped) + FPager->TabRightMargin(grouped);
}

// ---- Glow

void TAdvPage::StartGlow(int Step, bool Selection) {
    if (FGlowTimer == nullptr) {
        FGlowTimer = std::make_unique<vcl::TTimer>(nullptr);
        FGlowTimer->SetInterval(static_cast<unsigned>(std::max<std::int32_t>(1, AdvGDIP::GlowSpeed)));
        FGlowTimer->OnTimer = [this](vcl::TObject* Sender) { TimerProc(Sender); };
    }
    FGlowTimer->SetEnabled(true);
    FGlowStep = Step;
    FGlowState = Selection ? gsSelection : gsHover;
}

void TAdvPage::TimerProc(vcl::TObject*) {
    if (FPager == nullptr) {
        FGlowTimer->SetEnabled(false);
        FGlowState = gsIdle;
        return;
    }
    const int index = PageIndex();
    if (FGlowState == gsHover) {
        FHoverGlow += FGlowStep;
        const bool inside = FHoverGlow >= 0 && FHoverGlow <= 100;
        if (inside || (FHoverGlow > 100 && FGlowStep < 0) || (FHoverGlow < 0 && FGlowStep > 0)) {
            FPager->InvalidateTab(index);
            return;
        }
        if (FHoverGlow > 100 && FGlowStep > 0) {
            FHoverGlow = 120;
            win::POINT p{};
            win::GetCursorPos(&p);
            const vcl::TPoint local = FPager->ScreenToClient(vcl::TPoint{p.X, p.Y});
            const vcl::TRect r = FPager->GetTabRect(index);
            if (!r.Contains(local)) {
                FGlowStep = -20;
                FPager->ClearHotTab();
            }
        } else if (FHoverGlow < 0 && FGlowStep < 0) {
            // The timer is this call's sender: it is stopped, not freed, and started again by the next fade.
            FGlowTimer->SetEnabled(false);
            FGlowState = gsIdle;
            FPager->InvalidateTab(index);
        }
        FSelectionGlow = 0;
        FHoverGlow = std::clamp(FHoverGlow, -20, 120);
    } else if (FGlowState == gsSelection) {
        FSelectionGlow += FGlowStep;
        const bool inside = FSelectionGlow >= 0 && FSelectionGlow <= 100;
        if (inside || (FSelectionGlow > 100 && FGlowStep < 0) || (FSelectionGlow < 0 && FGlowStep > 0)) {
            FPager->InvalidateTab(index);
            return;
        }
        FGlowTimer->SetEnabled(false);
        FGlowState = gsIdle;
        FSelectionGlow = 0;
        FPager->InvalidateTab(index);
    }
}

// ---- Key tip

void TAdvPage::ShowShortCutHint() {
    if (FPager == nullptr || !FTabEnabled || !FTabVisible) return;
    if (FShortCutHintWindow == nullptr) {
        FShortCutHintWindow = new AdvGlowButton::TShortCutHintWindow(this);
        FShortCutHintWindow->SetParent(FPager);
    }
    FShortCutHintWindow->SetCaption(FShortCutHint);
    const vcl::TRect r = FPager->GetTabRect(PageIndex());
    const vcl::TPoint P = FPager->ClientToScreen(vcl::TPoint{r.Left, r.Top});
    const vcl::TSize s = FShortCutHintWindow->TipSize();
    const int W = r.Width(), H = r.Height(), w = s.cx, h = s.cy;
    vcl::TPoint at;
    switch (FShortCutHintPos) {
    case shpLeft:
        at = {P.X - w / 2, P.Y + (H - h) / 2};
        break;
    case shpTop:
        at = {P.X + (W - w) / 2, P.Y - h / 2};
        break;
    case shpRight:
        at = {P.X + W - w / 2, P.Y + (H - h) / 2};
        break;
    case shpBottom:
        at = {P.X + (W - w) / 2, P.Y + H - h / 2};
        break;
    }
    FShortCutHintWindow->ShowAt(at);
}

void TAdvPage::HideShortCutHint() {
    if (FShortCutHintWindow == nullptr) return;
    FShortCutHintWindow->SetVisible(false);
    delete FShortCutHintWindow;
    FShortCutHintWindow = nullptr;
}

// ---- Paint

vcl::TBitmap& TAdvPage::Background(TVistaBackground* Look) {
    const TBackgroundKey key{Look->Color(),
                             Look->ColorTo(),
                             Look->ColorMirror(),
                             Look->ColorMirrorTo(),
                             Look->BorderColor(),
                             static_cast<int>(Look->Gradient()),
                             static_cast<int>(Look->GradientMirror()),
                             static_cast<int>(FPager->AntiAlias())};
    return FBackground.For(key, Width(), Height(), [&](vcl::TBitmap& B) {
        DrawVistaGradient(B.Canvas(), vcl::TRect{0, 0, Width(), Height()}, Look->Color(), Look->ColorTo(),
                          Look->ColorMirror(), Look->ColorMirrorTo(), Look->BorderColor(), Look->Gradient(),
                          Look->GradientMirror(), "", Font(), true, false, FPager->AntiAlias(), true);
    });
}

void TAdvPage::Paint() {
    if (FPager == nullptr || FPager->CurrentStyler() == nullptr) return;
    TCustomAdvToolBarStyler* s = FPager->CurrentStyler();
    if (Color() != s->PageAppearance()->Color()) SetColor(s->PageAppearance()->Color());
    const bool active = FPager->ActivePage() == this;
    const int group = FPager->GroupOfTab(PageIndex());
    TVistaBackground* look = s->PageAppearance();
    if (active && group >= 0) look = FPager->GroupAppearanceOf(group)->PageAppearance();
    const vcl::TRect r{0, 0, Width(), Height()};
    vcl::TCanvas* c = Canvas();
    c->Draw(0, 0, &Background(look));
    auto line = [c](int x1, int y1, int x2, int y2) {
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    c->Pen()->SetStyle(vcl::psSolid);
    c->Pen()->SetWidth(1);
    if (look == s->PageAppearance()) {
        // A white inner rim along the sides and the bottom.
        c->Pen()->SetColor(BlendColor(vcl::clWhite, look->BorderColor(), 50));
        line(1, 10, 1, r.Bottom - 2);
        line(r.Right - 2, 10, r.Right - 2, r.Bottom - 2);
        line(3, r.Bottom - 2, r.Right - 2, r.Bottom - 2);
    }
    if (!active || !IsHorizontal(FPager->Align())) return;
    const vcl::TRect tab = FPager->GetTabVisibleRect(PageIndex());
    if (tab.Left < 1 || tab.Right < 1 || FPager->TabSettings()->Height() <= 0) return;
    // The active tab opens into the page: the page's top edge is drawn over in the page colour.
    const int shift = 4 + FPager->PageLeftMargin();
    c->Pen()->SetColor(look->Color());
    line(tab.Left - shift, 0, tab.Right - shift, 0);
    if (!s->RoundedPageCorners()) return;
    vcl::TCanvas* pc = FPager->Canvas();
    const int L = Left(), T = Top(), R = Left() + Width(), B = Top() + Height();
    const vcl::TPoint corners[][2] = {
        {{0, 0}, {L - 1, T - 1}},
        {{1, 0}, {L - 1, T - 1}},
        {{0, 1}, {L - 1, T - 1}},
        {{Width() - 1, 0}, {R, T - 1}},
        {{Width() - 2, 0}, {R, T - 1}},
        {{Width() - 1, 1}, {R, T - 1}},
        {{0, Height() - 1}, {L - 1, B}},
        {{1, Height() - 1}, {L - 1, B}},
        {{0, Height() - 2}, {L - 1, B}},
        {{Width() - 1, Height() - 1}, {R, B}},
        {{Width() - 2, Height() - 1}, {R, B}},
        {{Width() - 1, Height() - 2}, {R, B}},
    };
    for (const auto& k : corners)
        c->SetPixel(k[0].X, k[0].Y, pc->GetPixel(k[1].X, k[1].Y));
}

} // namespace AdvToolBar
