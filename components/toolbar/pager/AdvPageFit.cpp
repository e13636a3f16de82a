// Fitting the page's toolbars into its width: their size variants grow and shrink, and the last ones
// compact when even their smallest variant leaves the row too wide.

#include "components/toolbar/dock/CompactWindow.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/pager/AdvPage.h"

namespace AdvToolBar {

using AdvGlowButton::bsGlyph;
using AdvGlowButton::bsLabel;
using AdvGlowButton::bsLarge;
using AdvGlowButton::TButtonSizeState;

namespace {

// Each pass changes one toolbar by one step, so a row settles in far fewer passes; the bound only
// keeps a toolbar that reports a step it cannot take from spinning the page forever.
constexpr int MaxPasses = 1000;

struct TChoice {
    TAdvToolBar* ToolBar = nullptr;
    int Difference = 0;
    TButtonSizeState State = bsLarge;
};

} // namespace

bool TAdvPage::Fittable() const {
    return !ComponentState().Contains(vcl::csDesigning) && !ComponentState().Contains(vcl::csLoading);
}

int TAdvPage::FreeWidth(TDbgList& List) const {
    GetSequencialToolBarList(&List);
    if (List.Count() == 0) return 0;
    const auto* last = List.At<TAdvToolBar>(List.Count() - 1);
    return Width() - (last->Left() + last->Width()) - 2;
}

bool TAdvPage::Eligible(const TAdvToolBar* ToolBar) const {
    return (ToolBar->Visible() || ComponentState().Contains(vcl::csDesigning)) && !ToolBar->Compact() &&
           ToolBar->LoadedOnce();
}

TAdvPage::TUnCompact TAdvPage::TryUnCompact(TDbgList& List, int FreeWidth) {
    // Only the first toolbar that may un-compact is asked: the row gives its room back in order.
    for (int i = 0; i < List.Count(); ++i) {
        auto* t = List.At<TAdvToolBar>(i);
        if (!t->Compact() || !t->CanUnCompact()) continue;
        // An open compact window is in use (and may be the one whose message brought us here):
        // its toolbar keeps it until it closes.
        if (t->CompactWindow() != nullptr && t->CompactWindow()->Visible()) return ucBlocked;
        if (t->GetInCompactWidth() - t->GetCompactWidth() + 4 > FreeWidth) return ucBlocked;
        t->SetCompact(false);
        UpdateAdvToolBarsPosition();
        return ucDone;
    }
    return ucNone;
}

bool TAdvPage::CompactLastEligible(TDbgList& List, bool CloneAtSmallest) {
    for (int i = List.Count() - 1; i >= 0; --i) {
        auto* t = List.At<TAdvToolBar>(i);
        if (!Eligible(t)) continue;
        t->SetCompact(true);
        if (!t->Compact()) continue; // it refused: try the one before it
        if (CloneAtSmallest) t->SetCloneAtSmallest(true);
        UpdateAdvToolBarsPosition();
        return true;
    }
    return false;
}

void TAdvPage::UpdateAllToolBars() {
    if (!Fittable()) return;
    for (int pass = 0; pass < MaxPasses; ++pass) {
        TDbgList list;
        int free = FreeWidth(list);
        if (list.Count() == 0) return;
        if (free >= 1) {
            const TUnCompact u = TryUnCompact(list, free);
            if (u == ucDone) continue;
            if (u == ucBlocked) return;
            TChoice best;
            for (int i = list.Count() - 1; i >= 0; --i) {
                auto* t = list.At<TAdvToolBar>(i);
                if (!Eligible(t)) continue;
                TButtonSizeState s = bsLarge;
                const int d = t->LargerVariantDifference(s);
                if (d < 1 || d >= free) continue;
                // A column of labelled buttons is preferred to opening a column into large buttons.
                if (best.ToolBar == nullptr || (d > best.Difference && s == best.State) ||
                    (s == bsLabel && best.State == bsLarge))
                    best = {t, d, s};
            }
            if (best.ToolBar == nullptr) return;
            free -= best.ToolBar->SetLargerVariant(best.State, true);
            UpdateAdvToolBarsPosition();
            if (free < 1) return;
            continue;
        }
        const int overflow = -free;
        TChoice best;
        for (int i = list.Count() - 1; i >= 0; --i) {
            auto* t = list.At<TAdvToolBar>(i);
            if (!Eligible(t)) continue;
            TButtonSizeState s = bsLarge;
            const int d = t->SmallerVariantDifference(s);
            if (d < 1) continue;
            // The smallest step that covers the overflow wins; large buttons go to labels first.
            if (best.ToolBar == nullptr ||
                (s == best.State && (d < best.Difference || best.Difference < overflow)) ||
                (s == bsLabel && best.State == bsGlyph))
                best = {t, d, s};
        }
        if (best.ToolBar != nullptr) {
            best.ToolBar->SetSmallerVariant(best.State, true);
            UpdateAdvToolBarsPosition();
            continue;
        }
        if (!CompactLastEligible(list, false)) return;
    }
}

void TAdvPage::IncreaseToolBarSize() {
    if (!Fittable()) return;
    for (int pass = 0; pass < MaxPasses; ++pass) {
        TDbgList list;
        int free = FreeWidth(list);
        if (list.Count() == 0 || free < 1) return;
        const TUnCompact u = TryUnCompact(list, free);
        if (u == ucDone) continue;
        if (u == ucBlocked) return;
        TChoice best;
        for (int i = 0; i < list.Count(); ++i) {
            auto* t = list.At<TAdvToolBar>(i);
            if (!Eligible(t)) continue;
            TButtonSizeState s = bsLarge;
            const int d = t->LargerVariantDifference(s);
            if (d < 1) continue;
            if (best.ToolBar == nullptr || (d > best.Difference && s == best.State) ||
                (s == bsLabel && best.State == bsLarge))
                best = {t, d, s};
        }
        if (best.ToolBar == nullptr || best.Difference >= free) return;
        free -= best.ToolBar->SetLargerVariant(best.State, true);
        UpdateAdvToolBarsPosition();
        if (free < 1) return;
    }
}

void TAdvPage::DecreaseToolBarSize() {
    if (!Fittable()) return;
    for (int pass = 0; pass < MaxPasses; ++pass) {
        TDbgList list;
        const int free = FreeWidth(list);
        if (list.Count() == 0 || free >= 1) return;
        TChoice best;
        for (int i = list.Count() - 1; i >= 0; --i) {
            auto* t = list.At<TAdvToolBar>(i);
            if (!Eligible(t)) continue;
            TButtonSizeState s = bsLarge;
            const int d = t->SmallerVariantDifference(s);
            if (d < 1) continue;
            if (best.ToolBar == nullptr || (s == best.State && d < best.Difference) ||
                (s == bsLabel && best.State == bsGlyph))
                best = {t, d, s};
        }
        if (best.ToolBar != nullptr) {
            best.ToolBar->SetSmallerVariant(best.State, true);
            UpdateAdvToolBarsPosition();
            continue;
        }
        if (!CompactLastEligible(list, true)) return;
    }
}

bool TAdvPage::ALLATBSmallestVariant() const {
    bool any = false;
    for (int i = 0; i < FToolBars->Count(); ++i) {
        const TAdvToolBar* t = AdvToolBars(i);
        if (!t->Visible()) continue;
        any = true;
        if (!t->IsSmallestVariant()) return false;
    }
    return any;
}

} // namespace AdvToolBar
