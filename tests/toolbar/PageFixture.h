#pragma once
// Toolbars on a real page of a pager, the place where they step through size variants, stack their
// glow buttons in columns and compact.

#include <algorithm>
#include <numeric>
#include <vector>

#include "components/toolbar/dock/CompactWindow.h"
#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {

using AdvToolBar::TAdvPage;
using AdvToolBar::TAdvToolBarPager;

class PageTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        auto* pager = Make<TAdvToolBarPager>("FixturePager", form.get());
        page = pager->GetAdvPages(pager->AddAdvPage("Page"));
        pager->SetActivePageIndex(0);
        // Placed by hand: these tests look at one toolbar at a time, not at the page's row.
        page->SetAutoPosition(false);
    }
    // A toolbar on the page, as the page makes it: loaded, and sized by its own buttons.
    TAdvToolBar* PageToolBar(const String& Name, int Left = 0) {
        auto* tb = Make<TAdvToolBar>(Name, page);
        tb->SetLeft(Left);
        tb->SetTop(0);
        tb->SetLoadedOnce(true);
        return tb;
    }
    AdvGlowButton::TAdvGlowButton* Glow(TAdvCustomToolBar* Tb, const String& Caption,
                                        AdvGlowButton::TButtonSizeState State = AdvGlowButton::bsLarge) {
        String name = Tb->Name() + "_" + Caption;
        std::replace(name.begin(), name.end(), ' ', '_');
        auto* b = Make<AdvGlowButton::TAdvGlowButton>(name);
        b->SetCaption(Caption);
        b->SetAutoSizeEx(true);
        b->SetButtonSizeState(State);
        b->SetParent(Tb);
        return b;
    }
    TAdvPage* page = nullptr;
};

} // namespace toolbartest
