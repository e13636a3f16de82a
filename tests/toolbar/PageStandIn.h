#pragma once
// A page for toolbar tests: a plain control whose class reads as the pager's page, which is all a
// toolbar asks of its parent to stack its glow buttons, step through size variants and compact.

#include <algorithm>
#include <numeric>
#include <vector>

#include "components/toolbar/dock/CompactWindow.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {

class PageStandIn : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    static TClass StaticClassType() {
        static const TClassInfo info{"TAdvPage", TCustomControl::StaticClassType()};
        return &info;
    }
    TClass ClassType() const override { return StaticClassType(); }
};

class PageTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        page = Make<PageStandIn>("Page", form.get());
        page->SetBounds(0, 0, 580, 120);
    }
    // A toolbar on the page, as the page makes it: loaded, positioned and sized automatically.
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
    PageStandIn* page = nullptr;
};

} // namespace toolbartest
