#pragma once
// Shared by the menu components' tests: a fresh offscreen screen per test, a main menu that counts how
// often it re-measures its items, and a few item helpers.

#include <gtest/gtest.h>

#include "components/menus/AdvMenuStylers.h"
#include "components/menus/AdvMenus.h"
#include "platform/classes/Component.h"
#include "platform/rtl/SysInfo.h"
#include "platform/vcl/Forms.h"
#include "tests/support/UiDriver.h"

namespace menutest {

using namespace vcl;
using namespace AdvMenus;
using namespace AdvMenuStylers;

// Counts the re-creations of its entries (each one measures every item again).
class TCountingMainMenu : public TAdvMainMenu {
public:
    explicit TCountingMainMenu(TComponent* AOwner) : TAdvMainMenu(AOwner) {}
    void RebuildItems() override {
        ++Rebuilds;
        TAdvMainMenu::RebuildItems();
    }
    int Rebuilds = 0;
};

class MenuTest : public uitest::UiTest {
protected:
    void SetUp() override { SysInfo().Reset(); }
    void TearDown() override { SysInfo().Reset(); }

    static TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const String& Caption) {
        auto* item = new TMenuItem(Owner);
        item->SetCaption(Caption);
        Parent->Add(item);
        return item;
    }
};

} // namespace menutest
