// Shortcuts of a menu-bar toolbar's menu wherever the bar is: docked on its form, floating in a window of
// its own, and with the key typed in an MDI child of the frame the bar serves. Each key runs its item once;
// a floating bar answers its own form's keys, not another form's.

#include "platform/vcl/ShortCut.h"
#include "platform/vcl/StdCtrls.h"
#include "tests/menubar/MenuBarSupport.h"

namespace menubartest {
namespace {

class MenuBarShortCutPlacesTest : public MenuBarTest {
protected:
    void BeforeShow() override {
        dock = Make<TAdvDockPanel>("Dock", form.get());
        bar->SetParent(dock);
        edit = Make<TEdit>("Edit", form.get());
        edit->SetBounds(10, 200, 100, 22);
    }
    void SetUp() override {
        MenuBarTest::SetUp();
        open->SetShortCut(vcl::ShortCut('O', {ssCtrl}));
    }
    void TearDown() override {
        children.clear();
        others.clear();
        MenuBarTest::TearDown();
    }
    // Ctrl+O typed in an edit that has the focus; the clicks it caused.
    std::vector<String> CtrlOIn(TEdit* Where) {
        clicks.clear();
        Where->SetFocus();
        ui.Process();
        ui.Key('O', {ssCtrl});
        ui.Process();
        return clicks;
    }
    TForm* Form(bool MDIChild) {
        auto* f = new TForm(Application);
        f->SetBounds(300, 300, 260, 160);
        if (MDIChild) f->SetFormStyle(fsMDIChild);
        f->Show();
        (MDIChild ? children : others).emplace_back(f);
        ui.Process();
        return f;
    }
    TEdit* EditOn(TForm* Owner) {
        auto* e = new TEdit(Owner);
        e->SetParent(Owner);
        e->SetBounds(10, 10, 100, 22);
        return e;
    }
    void Float() {
        bar->SetFloating(320, 20, true);
        ui.Process();
        ASSERT_EQ(bar->ToolBarState(), tsFloating);
        ASSERT_EQ(bar->Parent(), bar->FloatingWindow());
        ASSERT_EQ(bar->GetMyParentForm(), form.get()) << "the form of the panel it left";
    }

    TAdvDockPanel* dock = nullptr;
    TEdit* edit = nullptr;
    std::vector<std::unique_ptr<TForm>> children, others;
};

const std::vector<String> kOpenOnce{"&Open"};

TEST_F(MenuBarShortCutPlacesTest, DockedAndFloatingTheBarAnswersItsFormsKeysOnce) {
    EXPECT_EQ(CtrlOIn(edit), kOpenOnce) << "docked";
    Float();
    EXPECT_EQ(CtrlOIn(edit), kOpenOnce) << "floating";
    // The form shows the same menu as well: still one click.
    form->SetMenu(menu);
    EXPECT_EQ(CtrlOIn(edit), kOpenOnce) << "floating, and the form's own menu";
    form->SetMenu(nullptr);
    // A floating bar the user cannot use answers nothing: its window hidden, or the bar disabled.
    bar->SetEnabled(false);
    EXPECT_TRUE(CtrlOIn(edit).empty()) << "disabled";
    bar->SetEnabled(true);
    bar->FloatingWindow()->Hide();
    EXPECT_TRUE(CtrlOIn(edit).empty()) << "its window hidden";
    bar->FloatingWindow()->Show();
    // Another form's keys are not the bar's.
    TEdit* elsewhere = EditOn(Form(false));
    EXPECT_TRUE(CtrlOIn(elsewhere).empty()) << "typed in another form";
    EXPECT_EQ(CtrlOIn(edit), kOpenOnce) << "back in its own form";
}

class MenuBarShortCutMDITest : public MenuBarShortCutPlacesTest {
protected:
    void BeforeShow() override {
        form->SetFormStyle(fsMDIForm);
        MenuBarShortCutPlacesTest::BeforeShow();
    }
};

TEST_F(MenuBarShortCutMDITest, AKeyTypedInAnMDIChildReachesTheFramesBarAndMenuOnce) {
    TForm* child = Form(true);
    TEdit* inChild = EditOn(child);
    ASSERT_EQ(form->ActiveMDIChild(), child);
    EXPECT_EQ(CtrlOIn(inChild), kOpenOnce) << "the bar docked on the frame";
    Float();
    EXPECT_EQ(CtrlOIn(inChild), kOpenOnce) << "the bar floating";
    // The frame's own main menu serves its children the same way; it comes before the bar.
    auto* own = new TMainMenu(form.get());
    TMenuItem* ownFile = Item(own->Items(), "Own file");
    Item(ownFile, "Own open")->SetShortCut(vcl::ShortCut('O', {ssCtrl}));
    form->SetMenu(own);
    EXPECT_EQ(CtrlOIn(inChild), std::vector<String>{"Own open"}) << "the frame's menu";
    // The child's own menu comes first of all.
    auto* childMenu = new TMainMenu(child);
    TMenuItem* childFile = Item(childMenu->Items(), "Child file");
    Item(childFile, "Child open")->SetShortCut(vcl::ShortCut('O', {ssCtrl}));
    child->SetMenu(childMenu);
    EXPECT_EQ(CtrlOIn(inChild), std::vector<String>{"Child open"}) << "the child's menu";
}

} // namespace
} // namespace menubartest
