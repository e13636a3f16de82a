// The pager's row geometry, the width of each tab, the fitting that shrinks and grows spacing, margins
// and tab widths to the room there is, and the scrolling of the tabs by screenfuls.

#include <algorithm>

#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/pager/VistaButtons.h"
#include "platform/vcl/Bitmap.h"
#include "platform/win/Gdi.h"
#include "platform/win/Window.h"

namespace AdvToolBar {

namespace {

const vcl::TRect kNoRect{-1, -1, -1, -1};

int CharacterCount(const String& Text) {
    int n = 0;
    for (unsigned char ch : Text)
        if ((ch & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace

// ---- Rows

vcl::TRect TAdvToolBarPager::GetCaptionRect() {
    if (!FCaption->Visible()) return kNoRect;
    vcl::TRect r = GetClientRect();
    r.Bottom = r.Top + FCaption->Height();
    return r;
}

vcl::TRect TAdvToolBarPager::GetTabsArea() {
    vcl::TRect r = GetClientRect();
    if (!IsHorizontal(FAlign)) return r;
    if (FCaption->Visible()) r.Top += FCaption->Height();
    r.Bottom = r.Top + FTabSettings->Height();
    return r;
}

vcl::TRect TAdvToolBarPager::GetTabsRect() {
    vcl::TRect c = GetClientRect();
    if (!IsHorizontal(FAlign)) return c;
    vcl::TRect r;
    r.Top = c.Top + (FCaption->Visible() ? FCaption->Height() : 0) + 4;
    r.Bottom = r.Top + FTabSettings->Height();
    r.Left = c.Left + FTabSettings->StartMargin() + FPageLeftMargin + 4;
    r.Right = c.Right - FTabSettings->EndMargin() - FPageRightMargin - 4;
    // Room for the MDI buttons right of the tabs.
    if (FAutoMDIButtons && !ComponentState().Contains(vcl::csDesigning))
        r.Right -= (MDIButtonSize + MDIButtonGap) * 3 + 5;
    if (FTabScroller.Visible()) r.Right -= 32;
    return r;
}

vcl::TRect TAdvToolBarPager::GetAdvPageRect() {
    vcl::TRect r = GetClientRect();
    if (!IsHorizontal(FAlign)) return r;
    if (FCaption->Visible()) r.Top += FCaption->Height();
    r.Top += FTabSettings->Height();
    r.Left += 4 + FPageLeftMargin;
    r.Right -= 4 + FPageRightMargin;
    // A quick access toolbar below the pages takes the bottom strip.
    if (ShowQATBelow()) r.Bottom -= GetQATHeight();
    r.Bottom -= 5;
    return r;
}

void TAdvToolBarPager::SetPagePosition(TAdvPage* Page) {
    if (IndexOfPage(Page) < 0 || !IsHorizontal(FAlign)) return;
    const vcl::TRect r = GetAdvPageRect();
    Page->SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
}

void TAdvToolBarPager::SetAllPagesPosition() {
    for (int i = 0; i < FPages->Count(); ++i)
        SetPagePosition(GetAdvPages(i));
}

// ---- Tabs

bool TAdvToolBarPager::CanShowTab(int Index) const {
    return Index >= 0 && Index < FPages->Count() && GetAdvPages(Index)->TabVisible();
}

int TAdvToolBarPager::TabWidthOf(int Index) const {
    return GetAdvPages(Index)->GetTabWidth();
}

vcl::TRect TAdvToolBarPager::GetTabRect(int Index) {
    if (!CanShowTab(Index)) return kNoRect;
    const vcl::TRect t = GetTabsRect();
    const TAdvPage* page = GetAdvPages(Index);
    return {page->TabLeft(), t.Top, page->TabLeft() + page->GetTabWidth(), t.Bottom};
}

vcl::TRect TAdvToolBarPager::GetTabVisibleRect(int Index) {
    vcl::TRect r = GetTabRect(Index);
    const vcl::TRect t = GetTabsRect();
    if (r.Left == -1 && r.Right == -1) return kNoRect;
    if (r.Right <= t.Left || r.Left >= t.Right) return kNoRect;
    r.Left = std::max(r.Left, t.Left);
    r.Right = std::min(r.Right, t.Right);
    return r;
}

int TAdvToolBarPager::PTOnTab(int X, int Y) {
    for (int i = 0; i < FPages->Count(); ++i) {
        const vcl::TRect r = GetTabRect(i);
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) return i;
    }
    return -1;
}

int TAdvToolBarPager::GetFirstVisibleTabIndex() const {
    for (int i = 0; i < FPages->Count(); ++i)
        if (CanShowTab(i)) return i;
    return -1;
}

int TAdvToolBarPager::GetLastVisibleTabIndex() const {
    for (int i = FPages->Count() - 1; i >= 0; --i)
        if (CanShowTab(i)) return i;
    return -1;
}

int TAdvToolBarPager::VisibleTabCount(int From, int To) const {
    if (From < 0 || To >= FPages->Count() || From > To) return 0;
    int n = 0;
    for (int i = From; i <= To; ++i)
        if (CanShowTab(i)) ++n;
    return n;
}

// ---- Tab groups

int TAdvToolBarPager::GroupOfTab(int Index) const {
    if (Index < 0 || Index >= FPages->Count()) return -1;
    for (int g = 0; g < FTabGroups->Count(); ++g) {
        const TTabGroupItem* item = FTabGroups->Items(g);
        if (item->TabIndexStart() <= Index && Index <= item->TabIndexEnd()) return g;
    }
    return -1;
}

bool TAdvToolBarPager::IsTabGroupVisible(int GroupIndex) const {
    if (ActivePage() == nullptr || GroupIndex < 0 || GroupIndex >= FTabGroups->Count()) return false;
    const TTabGroupItem* item = FTabGroups->Items(GroupIndex);
    const int s = item->TabIndexStart(), e = item->TabIndexEnd();
    return s >= 0 && e >= 0 && s <= e && e < FPages->Count() && FActivePageIndex >= s &&
           FActivePageIndex <= e;
}

vcl::TRect TAdvToolBarPager::GetTabGroupRect(int GroupIndex, bool& LeftEdgeShown, bool& RightEdgeShown) {
    LeftEdgeShown = RightEdgeShown = false;
    vcl::TRect result{0, 0, 0, 0};
    if (GroupIndex < 0 || GroupIndex >= FTabGroups->Count()) return result;
    const TTabGroupItem* item = FTabGroups->Items(GroupIndex);
    const int s = item->TabIndexStart(), e = item->TabIndexEnd();
    if (s < 0 || s > e || e >= FPages->Count()) return result;
    bool any = false;
    for (int i = s; i <= e; ++i) {
        const vcl::TRect r = GetTabVisibleRect(i);
        if (r.Left == -1 && r.Right == -1) continue;
        if (!any) {
            result = r;
            LeftEdgeShown = RightEdgeShown = true;
            any = true;
        } else {
            result.Right = r.Right;
        }
    }
    if (!any) return result;
    result.Top = GetCaptionRect().Top;
    if (FTabSettings->Spacing() > 2) {
        result.Left -= FTabSettings->Spacing() / 2;
        result.Right += FTabSettings->Spacing() / 2;
    }
    return result;
}

TGroupAppearance* TAdvToolBarPager::GroupAppearanceOf(int GroupIndex) const {
    const TTabGroupItem* item = FTabGroups->Items(GroupIndex);
    return item->DefaultAppearance() ? FCurrentStyler->GroupAppearance() : item->GroupAppearance();
}

TCustomTabAppearance* TAdvToolBarPager::TabAppearanceOf(int Index) const {
    const int g = GroupOfTab(Index);
    if (g >= 0) return GroupAppearanceOf(g)->TabAppearance();
    return FCurrentStyler->TabAppearance();
}

// ---- Tab widths

int TAdvToolBarPager::GetRealTabWidth(int Index, int& ContentWidth) {
    ContentWidth = 0;
    if (Index < 0 || Index >= FPages->Count()) return 0;
    const TAdvPage* page = GetAdvPages(Index);
    vcl::TFont* font = TabAppearanceOf(Index)->Font();
    const String text = !page->Caption().empty() ? page->Caption() : page->WideCaption();
    int margin = 5;
    int textWidth = 0;
    if (!text.empty()) {
        vcl::TBitmap scratch(1, 1);
        vcl::TCanvas* c = scratch.Canvas();
        c->SetFont(font);
        c->TextHeight("gh");
        win::RECT r{0, 0, 1000, 100};
        win::DrawText(c->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
                      win::DT_CALCRECT | win::DT_SINGLELINE);
        textWidth = r.Right - r.Left;
        margin = std::max(5, CharacterCount(text));
    }
    if (FAntiAlias != AdvGDIP::aaNone)
        margin += std::max(0, font->Size() - 8);
    else
        margin = 2;
    int width = textWidth + margin;
    if ((FImages != nullptr || FDisabledImages != nullptr) && page->ImageIndex() >= 0) {
        if (!page->TabEnabled() && FDisabledImages != nullptr)
            width += FDisabledImages->Width() + 2;
        else if (FImages != nullptr)
            width += FImages->Width() + 2;
    }
    ContentWidth = width;
    return width + FTabSettings->LeftMargin() + FTabSettings->RightMargin();
}

void TAdvToolBarPager::InitializeTabWidth(int Index) {
    int content = 0;
    GetRealTabWidth(Index, content);
    TAdvPage* page = GetAdvPages(Index);
    page->SetTabContentWidth(content);
    page->SetFullTabContentWidth(content);
}

void TAdvToolBarPager::InitializeTabsSize() {
    FTabSpacing = FTabSettings->Spacing();
    FTabLeftMargin = FGroupTabLeftMargin = FTabSettings->LeftMargin();
    FTabRightMargin = FGroupTabRightMargin = FTabSettings->RightMargin();
    for (int i = 0; i < FPages->Count(); ++i)
        InitializeTabWidth(i);
    InitializeScroller();
}

int TAdvToolBarPager::GetTabsWidth(int From, int To) const {
    if (From < 0 || To >= FPages->Count() || From > To) return 0;
    int w = 0;
    for (int i = From; i <= To; ++i) {
        if (!CanShowTab(i)) continue;
        w += TabWidthOf(i);
        if (i != FPages->Count() - 1) w += FTabSpacing;
    }
    return w;
}

int TAdvToolBarPager::GetLargestTabIndex(bool IncludeGroupTabs) const {
    int best = -1;
    for (int i = 0; i < FPages->Count(); ++i) {
        if (!CanShowTab(i) || (!IncludeGroupTabs && IsGroupTab(i))) continue;
        if (best < 0 || TabWidthOf(i) > TabWidthOf(best)) best = i;
    }
    return best;
}

int TAdvToolBarPager::GetSmallestExpandableTabIndex(bool PreferGroupTabs) const {
    int best = -1;
    for (int i = 0; i < FPages->Count(); ++i) {
        if (!CanShowTab(i)) continue;
        const TAdvPage* p = GetAdvPages(i);
        if (p->TabContentWidth() >= p->FullTabContentWidth()) continue;
        if (best >= 0 && PreferGroupTabs && IsGroupTab(best) != IsGroupTab(i)) {
            if (IsGroupTab(i)) best = i;
            continue;
        }
        if (best < 0 || p->TabContentWidth() < GetAdvPages(best)->TabContentWidth()) best = i;
    }
    return best;
}

bool TAdvToolBarPager::AnyTabCanBeShrunk(bool IncludeGroupTabs) const {
    for (int i = 0; i < FPages->Count(); ++i)
        if (CanShowTab(i) && (IncludeGroupTabs || !IsGroupTab(i)) && TabWidthOf(i) > MinTabWidth) return true;
    return false;
}

bool TAdvToolBarPager::AnyTabCanBeExpanded() const {
    for (int i = 0; i < FPages->Count(); ++i)
        if (CanShowTab(i) && GetAdvPages(i)->TabContentWidth() < GetAdvPages(i)->FullTabContentWidth())
            return true;
    return false;
}

bool TAdvToolBarPager::AnyGroupTabCanBeExpanded() const {
    return TotalGroupTabsCanBeExpanded() > 0;
}

int TAdvToolBarPager::TotalGroupTabsCanBeExpanded() const {
    int sum = 0;
    for (int i = 0; i < FPages->Count(); ++i)
        if (CanShowTab(i) && IsGroupTab(i))
            sum += std::max(0, GetAdvPages(i)->FullTabContentWidth() - GetAdvPages(i)->TabContentWidth());
    return sum;
}

void TAdvToolBarPager::ShiftTabsAfter(int Index, int Delta) {
    for (int i = Index + 1; i < FPages->Count(); ++i)
        if (CanShowTab(i)) GetAdvPages(i)->SetTabLeft(GetAdvPages(i)->TabLeft() + Delta);
}

void TAdvToolBarPager::UpdateTabSizes() {
    if (FPages->Count() == 0 || !FTabsInitialized || !IsHorizontal(FAlign)) return;
    constexpr int step = 5;
    const int total = GetTotalTabsWidth();
    int avail = GetTabsRect().Width();
    auto room = [&] { return avail - GetTotalTabsWidth(); };

    if (total == avail && AnyGroupTabCanBeExpanded()) avail += std::min(step, TotalGroupTabsCanBeExpanded());

    if (total < avail) {
        int free = avail - total;
        if (AnyTabCanBeExpanded()) {
            // Give shrunk tabs their width back, five pixels at a time, the narrowest (grouped) first.
            const int shortfall = TotalGroupTabsCanBeExpanded();
            if (shortfall > free) free += std::min(step, shortfall - free);
            for (int pass = 0; pass < total && free >= 1; ++pass) {
                const int i = GetSmallestExpandableTabIndex(true);
                if (i < 0) break;
                TAdvPage* p = GetAdvPages(i);
                const int d = std::min(p->FullTabContentWidth() - p->TabContentWidth(), std::min(step, free));
                p->SetTabContentWidth(p->TabContentWidth() + d);
                ShiftTabsAfter(i, d);
                free -= d;
            }
            if (AnyTabCanBeExpanded()) return;
        }
        // Then the spacing, the grouped tabs' margins and the other tabs' margins, pixel by pixel, never
        // beyond the settings.
        if (free > 0) {
            while (FTabSpacing < FTabSettings->Spacing()) {
                ++FTabSpacing;
                free = room();
                if (free < 1) {
                    if (free < 0) --FTabSpacing;
                    break;
                }
            }
            UpdateTabPosition();
        }
        auto grow = [&](int& L, int& R) {
            free = room();
            if (free <= 0) return;
            const int lt = FTabSettings->LeftMargin(), rt = FTabSettings->RightMargin();
            while (L < lt || R < rt) {
                for (int* m : {&L, &R}) {
                    if (*m >= (m == &L ? lt : rt)) continue;
                    ++*m;
                    free = room();
                    if (free < 1) {
                        if (free < 0) --*m;
                        return;
                    }
                }
            }
        };
        grow(FGroupTabLeftMargin, FGroupTabRightMargin);
        UpdateTabPosition();
        grow(FTabLeftMargin, FTabRightMargin);
        UpdateTabPosition();
        return;
    }
    if (total == avail) return;

    int over = total - avail;
    while (over >= 1 && FTabSpacing > FTabSettings->MinSpacing()) {
        --FTabSpacing;
        over = -room();
    }
    UpdateTabPosition();
    auto shrink = [&](int& L, int& R) {
        const int min = FTabSettings->MinTabMargin();
        while (over >= 1 && (L > min || R > min)) {
            for (int* m : {&L, &R}) {
                if (*m <= min || over < 1) continue;
                --*m;
                over = -room();
            }
        }
    };
    shrink(FTabLeftMargin, FTabRightMargin);
    UpdateTabPosition();
    shrink(FGroupTabLeftMargin, FGroupTabRightMargin);
    UpdateTabPosition();
    if (over < 1) return;

    // Last the tabs themselves, the widest first: grouped tabs (with five pixels of tolerance) only
    // once no ungrouped tab can give any more.
    const bool groupsOnly = !AnyTabCanBeShrunk(false);
    if (groupsOnly) over -= step;
    for (int pass = 0; pass < total && over >= 1; ++pass) {
        const int i = GetLargestTabIndex(groupsOnly);
        if (i < 0 || TabWidthOf(i) <= MinTabWidth || (groupsOnly && !IsGroupTab(i))) break;
        TAdvPage* p = GetAdvPages(i);
        const int d = std::min(TabWidthOf(i) - MinTabWidth, std::min(step, over));
        p->SetTabContentWidth(p->TabContentWidth() - d);
        ShiftTabsAfter(i, -d);
        over -= d;
    }
}

// ---- Positions

void TAdvToolBarPager::ResetTabsPosition() {
    int x = GetTabsRect().Left;
    for (int i = 0; i < FPages->Count(); ++i) {
        if (!CanShowTab(i)) continue;
        GetAdvPages(i)->SetTabLeft(x);
        x += TabWidthOf(i) + FTabSpacing;
    }
}

void TAdvToolBarPager::UpdateTabPosition(int From, int To) {
    if (From < 0 || To >= FPages->Count() || From > To) return;
    int prev = -1;
    for (int i = From; i <= To; ++i) {
        if (!CanShowTab(i)) continue;
        if (prev >= 0)
            GetAdvPages(i)->SetTabLeft(GetAdvPages(prev)->TabLeft() + TabWidthOf(prev) + FTabSpacing);
        prev = i;
    }
}

// ---- Scrolling

int TAdvToolBarPager::TabCountOnVisibleArea(int Start, bool Forward, int& Last) {
    const vcl::TRect t = GetTabsRect();
    int x = t.Left;
    int n = 0;
    Last = Start;
    for (int i = Start; i >= 0 && i < FPages->Count(); i += Forward ? 1 : -1) {
        if (!CanShowTab(i)) continue;
        x += TabWidthOf(i) + FTabSpacing;
        if (x - FTabSpacing >= t.Right) break;
        ++n;
        Last = i;
    }
    return n;
}

void TAdvToolBarPager::InitializeScroller() {
    FLeftTabIndex = 0;
    FTabScroller.SetMin(0);
    FTabScroller.SetMax(0);
    FTabScroller.SetPosition(0);
    ResetTabsPosition();
    UpdateTabScroller();
}

TAdvPageScrollButton* TAdvToolBarPager::MakeScrollButton(bool Left) {
    auto* b = new TAdvPageScrollButton(this);
    b->SetParent(this);
    b->SetButtonPosition(Left ? bpLeft : bpRight);
    b->SetScrollArrow(Left ? saLeft : saRight);
    b->OnClick = [this, Left](vcl::TObject* Sender) {
        if (Left)
            OnScrollLeftBtnClick(Sender);
        else
            OnScrollRightBtnClick(Sender);
    };
    return b;
}

void TAdvToolBarPager::UpdateTabScroller() {
    const auto state = ComponentState();
    if (state.Contains(vcl::csDesigning) || state.Contains(vcl::csLoading) || FPages->Count() == 0) return;
    const vcl::TRect t = GetTabsRect();
    int max = 0;
    if (GetTotalTabsWidth() > t.Width()) {
        const int visible = VisibleTabCount();
        int start = 0, counted = 0;
        for (int pass = 0; pass < FPages->Count(); ++pass) {
            int last = start;
            counted += std::max(1, TabCountOnVisibleArea(start, true, last));
            if (counted >= visible) break;
            start = std::max(last, start) + 1;
            ++max;
        }
    }
    FTabScroller.SetMax(max);
    FTabScroller.SetPosition(std::min(FTabScroller.Position(), FTabScroller.Max()));
    auto place = [&](TAdvPageScrollButton*& Button, bool Left, bool Needed) {
        if (!Needed) {
            if (Button != nullptr) Button->SetVisible(false);
            return;
        }
        if (Button == nullptr) Button = MakeScrollButton(Left);
        Button->SetBounds(Left ? t.Left : t.Right - 12, t.Top, 12, t.Height() - 5);
        if (FCurrentStyler != nullptr) Button->SetAppearance(FCurrentStyler->GlowButtonAppearance());
        Button->SetVisible(true);
        Button->BringToFront();
    };
    place(FScrollLeftBtn, true, FTabScroller.CanGoBack());
    place(FScrollRightBtn, false, FTabScroller.CanGoForward());
}

void TAdvToolBarPager::ChangeLeftTabIndexTo(int Index) {
    if (Index < 0 || Index >= FPages->Count()) return;
    // A hidden tab has no place in the row: the nearest shown one in the direction of travel stands in.
    const int step = Index < FLeftTabIndex ? -1 : 1;
    while (Index >= 0 && Index < FPages->Count() && !CanShowTab(Index))
        Index += step;
    if (Index < 0 || Index >= FPages->Count()) return;
    constexpr int pixels = 5;
    const vcl::TRect t = GetTabsRect();
    auto shiftAll = [&](int d) {
        for (int i = 0; i < FPages->Count(); ++i)
            GetAdvPages(i)->SetTabLeft(GetAdvPages(i)->TabLeft() + d);
        InvalidateTab(-1);
    };
    if (Index < FLeftTabIndex) {
        Index = std::max(0, Index);
        for (int pass = 0; pass < 100000; ++pass) {
            int d = pixels;
            const int left = GetAdvPages(Index)->TabLeft();
            const bool lastPass = left + d >= t.Left;
            if (lastPass) d = t.Left - left;
            shiftAll(d);
            if (lastPass) break;
        }
    } else if (Index > FLeftTabIndex) {
        int last = 0;
        int n = TabCountOnVisibleArea(Index, true, last);
        // Fill the row from the end: step back while one more tab fits in front of the target.
        while (Index - 1 >= 0) {
            const int before = TabCountOnVisibleArea(Index - 1, true, last);
            if (before <= n) break;
            --Index;
            n = before;
        }
        if (Index <= FLeftTabIndex) return;
        const int lastTab = GetLastVisibleTabIndex();
        for (int pass = 0; pass < 100000 && lastTab >= 0; ++pass) {
            int d = pixels;
            bool lastPass = false;
            const int right = GetAdvPages(lastTab)->TabLeft() + TabWidthOf(lastTab);
            if (right - d <= t.Right) {
                d = right - t.Right;
                lastPass = true;
            }
            const int left = GetAdvPages(Index)->TabLeft();
            if (left - d <= t.Left) {
                d = left - t.Left;
                lastPass = true;
            }
            if (d > 0) shiftAll(-d);
            if (lastPass || d <= 0) break;
        }
    } else {
        return;
    }
    FLeftTabIndex = Index;
    UpdateTabScroller();
}

int TAdvToolBarPager::ScrollTabsPage(int Delta) {
    if (Delta > 0) {
        const int n = std::min(Delta, FTabScroller.Max() - FTabScroller.Position());
        if (!FTabScroller.CanGoForward() || n <= 0) return n;
        FTabScroller.SetPosition(FTabScroller.Position() + n);
        int start = FLeftTabIndex, last = FLeftTabIndex;
        for (int k = 0; k < n && start < FPages->Count(); ++k) {
            TabCountOnVisibleArea(start, true, last);
            start = last + 1;
        }
        ChangeLeftTabIndexTo(last + 1);
        InvalidateActivePageAttachement();
        return n;
    }
    if (Delta < 0) {
        const int n = -std::min(-Delta, FTabScroller.Position() - FTabScroller.Min());
        if (!FTabScroller.CanGoBack() || n >= 0 || FLeftTabIndex < 1) return n;
        FTabScroller.SetPosition(FTabScroller.Position() + n);
        int start = FLeftTabIndex - 1, target = start;
        for (int k = 0; k < -n; ++k) {
            int last = start;
            TabCountOnVisibleArea(start, false, last);
            target = last;
            if (target < 1) {
                target = 0;
                break;
            }
            start = target - 1;
        }
        ChangeLeftTabIndexTo(target);
        InvalidateActivePageAttachement();
        return n;
    }
    return 0;
}

// ---- Invalidation

void TAdvToolBarPager::InvalidateTab(int Index) {
    if (!HandleAllocated()) return;
    const vcl::TRect r = (Index >= 0 && Index < FPages->Count()) ? GetTabRect(Index) : GetTabsArea();
    // Two pixels more all round: a tab rounds its top corners with the pixels just outside it, which
    // must be painted anew in the same pass (the paint buffer holds nothing outside what is invalid).
    const win::RECT wr{r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2};
    win::InvalidateRect(Handle(), &wr, true);
}

void TAdvToolBarPager::InvalidateActivePageAttachement() {
    TAdvPage* page = ActivePage();
    if (page == nullptr || !page->HandleAllocated()) return;
    const win::RECT r{0, 0, page->Width(), 3};
    win::InvalidateRect(page->Handle(), &r, true);
}

} // namespace AdvToolBar
