// Shortcuts of a menu shown on a toolbar serving as the menu bar: typed in the form they run their item
// once, after the form's own menu has had its turn; a toolbar the user cannot see or use, or one on
// another form, runs nothing.

#include "platform/vcl/ShortCut.h"
#include "platform/vcl/StdCtrls.h"
#include "tests/menubar/MenuBarSupport.h"

namespace menubartest {
namespace {

class MenuBarShortCutTest : public MenuBarTest {
protected:
    void BeforeShow() override {
        edit = Make<TEdit>("Edit", form.get());
        edit->SetBounds(10, 200, 100, 22);
    }
    static TShortCut CtrlO() { return vcl::ShortCut('O', {ssCtrl}); }
    void CtrlOInTheEdit() {
        edit->SetFocus();
        ui.Key('O', {ssCtrl});
    }
    TEdit* edit = nullptr;
};

TEST_F(MenuBarShortCutTest, TheShortCutOfAnItemShownOnlyOnTheBarRunsItOnce) {
    open->SetShortCut(CtrlO());
    ASSERT_EQ(form->Menu(), nullptr) << "the menu is the bar's alone";
    CtrlOInTheEdit();
    EXPECT_EQ(clicks, (std::vector<String>{"&Open"}));
    // A key with no item types on.
    ui.Key('Q', {ssCtrl});
    EXPECT_EQ(clicks.size(), 1u);
    // An item the user could not reach runs nothing.
    file->SetEnabled(false);
    CtrlOInTheEdit();
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(MenuBarShortCutTest, AKeyTheFormsOwnMenuTakesRunsOnlyThere) {
    open->SetShortCut(CtrlO());
    // The form shows the bar's menu as well: one click, not two.
    form->SetMenu(menu);
    CtrlOInTheEdit();
    EXPECT_EQ(clicks, (std::vector<String>{"&Open"}));
    // The form's own menu, with an item of the same shortcut, comes first.
    auto* own = new TMainMenu(form.get());
    TMenuItem* ownFile = Item(own->Items(), "Own file");
    TMenuItem* ownOpen = Item(ownFile, "Own open");
    ownOpen->SetShortCut(CtrlO());
    form->SetMenu(own);
    clicks.clear();
    CtrlOInTheEdit();
    EXPECT_EQ(clicks, (std::vector<String>{"Own open"}));
}

TEST_F(MenuBarShortCutTest, AHiddenDisabledOrOtherFormsBarIsNotAsked) {
    open->SetShortCut(CtrlO());
    // On a panel, as a bar usually stands: asked at any depth.
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    bar->SetParent(panel);
    CtrlOInTheEdit();
    ASSERT_EQ(clicks.size(), 1u);
    bar->SetEnabled(false);
    CtrlOInTheEdit();
    panel->SetEnabled(false);
    bar->SetEnabled(true);
    CtrlOInTheEdit();
    panel->SetEnabled(true);
    bar->SetVisible(false);
    CtrlOInTheEdit();
    EXPECT_EQ(clicks.size(), 1u) << "disabled, in a disabled panel, hidden";
    // A bar on another form answers that form's keys only.
    bar->SetVisible(true);
    TComponentPtr<TCustomForm> other(TCustomForm::CreateNew(nullptr));
    other->SetBounds(300, 300, 300, 200);
    auto* otherBar = new TAdvToolBar(other.get());
    otherBar->SetParent(other.get());
    otherBar->SetMenu(menu);
    bar->SetMenu(nullptr);
    other->Show();
    form->Show();
    CtrlOInTheEdit();
    EXPECT_EQ(clicks.size(), 1u) << "the other form's bar";
    other->SetFocus();
    ui.Key('O', {ssCtrl});
    EXPECT_EQ(clicks.size(), 2u) << "in its own form";
}

} // namespace
} // namespace menubartest
