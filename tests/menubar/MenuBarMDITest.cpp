// The menu bar on an MDI frame: the window list added to the Window menu while it is dropped from the bar,
// and the close, restore and minimise buttons of the maximised active child.

#include "tests/menubar/MenuBarSupport.h"

namespace menubartest {
namespace {

class MenuBarMDITest : public MenuBarTest {
protected:
    void BeforeShow() override {
        form->SetFormStyle(fsMDIForm);
        window = Item(menu->Items(), "&Window");
        cascade = Item(window, "&Cascade");
        form->SetWindowMenu(window);
        // The menu bar fills the dock panel along the top of the frame.
        dock = Make<TAdvDockPanel>("Dock", form.get());
        bar->SetParent(dock);
        bar->SetFullSize(true);
    }
    void TearDown() override {
        bar->SetAutoMDIButtons(false);
        children.clear();
        MenuBarTest::TearDown();
    }
    TForm* Child(const String& Caption, bool Maximised = false) {
        auto* f = new TForm(Application);
        f->SetCaption(Caption);
        f->SetClientWidth(200);
        f->SetClientHeight(100);
        f->SetFormStyle(fsMDIChild);
        f->Show();
        if (Maximised) f->SetWindowState(wsMaximized);
        children.emplace_back(f);
        ui.Process();
        return f;
    }
    void MDIButtonsOn() {
        bar->SetAutoMDIButtons(true);
        bar->Invalidate();
        ui.Process();
    }
    void ClickAt(vcl::TRect R) { ui.Click(bar, R.Left + R.Width() / 2, R.Top + R.Height() / 2); }

    TMenuItem *window = nullptr, *cascade = nullptr;
    TAdvDockPanel* dock = nullptr;
    std::vector<std::unique_ptr<TForm>> children;
};

TEST_F(MenuBarMDITest, TheWindowListShowsWhileTheWindowMenuIsDroppedWithTheActiveChildChecked) {
    TForm* one = Child("One");
    TForm* two = Child("Two");
    bar->AddMDIChildMenu(one, "First");
    bar->AddMDIChildMenu(two, ""); // the form's own caption
    ASSERT_EQ(form->ActiveMDIChild(), two);

    std::vector<String> captions;
    std::vector<bool> checked;
    ui.WhenIdle([&] {
        for (TMenuItem* item : Dropped()) {
            captions.push_back(item->Caption());
            checked.push_back(item->Checked());
        }
        menus.ClickOpenItem(Dropped()[1]);
    });
    ui.Click(ButtonOf(window));
    ui.Process();
    EXPECT_EQ(captions, (std::vector<String>{"&Cascade", "First", "Two"}));
    EXPECT_EQ(checked, (std::vector<bool>{false, false, true}));
    // Choosing an entry brings its child forward; the list leaves the menu when it closes.
    win::HWND focus = win::GetFocus();
    EXPECT_TRUE(focus == one->Handle() || win::IsChild(one->Handle(), focus));
    ASSERT_EQ(window->Count(), 1);
    EXPECT_EQ(window->Items(0), cascade);
}

TEST_F(MenuBarMDITest, RemovingNeedsTheSameFormAndTextAnyCase) {
    TForm* one = Child("One");
    TForm* two = Child("Two");
    bar->AddMDIChildMenu(one, "Report");
    bar->RemoveMDIChildMenu(two, "Report");
    EXPECT_EQ(bar->MDIChildMenuCount(), 1);
    bar->RemoveMDIChildMenu(one, "REPORT");
    EXPECT_EQ(bar->MDIChildMenuCount(), 0);
    // A frame without a Window menu keeps no list.
    form->SetWindowMenu(nullptr);
    bar->AddMDIChildMenu(one, "Report");
    EXPECT_EQ(bar->MDIChildMenuCount(), 0);
}

TEST_F(MenuBarMDITest, TheButtonsShowOnlyOnAFullSizeBarWhileTheActiveChildIsMaximised) {
    bar->SetFullSize(false);
    bar->SetAutoMDIButtons(true);
    EXPECT_FALSE(bar->AutoMDIButtons());
    bar->SetFullSize(true);
    MDIButtonsOn();
    EXPECT_TRUE(bar->AutoMDIButtons());
    TForm* child = Child("Doc", true);
    bar->Invalidate();
    ui.Process();
    EXPECT_TRUE(bar->MDIButtonsVisible());
    // Close sits 3 pixels in from the far end, the others each one pixel left of the one before.
    vcl::TRect close = bar->GetMDICloseBtnRect(), max = bar->GetMDIMaxBtnRect(),
               min = bar->GetMDIMinBtnRect();
    EXPECT_EQ(close.Right, bar->Width() - 3);
    EXPECT_EQ(close.Width(), 18);
    EXPECT_EQ(close.Height(), 18);
    EXPECT_EQ(max.Right, close.Left - 1);
    EXPECT_EQ(min.Right, max.Left - 1);

    // Restore acts on the child; the buttons go at the next paint.
    ClickAt(max);
    EXPECT_EQ(child->WindowState(), wsNormal);
    bar->Invalidate();
    ui.Process();
    EXPECT_FALSE(bar->MDIButtonsVisible());
}

TEST_F(MenuBarMDITest, CloseAndMinimiseActOnTheChild) {
    MDIButtonsOn();
    TForm* child = Child("Doc", true);
    int closes = 0;
    child->OnClose = [&](TObject*, TCloseAction& Action) {
        ++closes;
        Action = caNone;
    };
    bar->Invalidate();
    ui.Process();
    ClickAt(bar->GetMDICloseBtnRect());
    EXPECT_EQ(closes, 1);
    ui.Advance(1000); // not a double click

    ClickAt(bar->GetMDIMinBtnRect());
    EXPECT_EQ(child->WindowState(), wsMinimized);
}

TEST_F(MenuBarMDITest, AChildThatCannotMaximiseShowsAGreyRestoreGlyphAndOneWithoutASystemMenuNoButtons) {
    MDIButtonsOn();
    TForm* child = Child("Doc", true);
    child->SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
    bar->Invalidate();
    ui.Process();
    ui.WritePng(form.get(), ui.OutputPath("menubar-mdi-buttons.png"));
    vcl::TRect max = bar->GetMDIMaxBtnRect();
    const int x = max.Left + (max.Width() - 8) / 2, y = max.Top + (max.Height() - 8) / 2;
    // The first stroke of the restore glyph: grey instead of black.
    EXPECT_COLOR(At(bar, x + 2, y), 0x808080);
    EXPECT_FALSE(bar->PtOnMDIMax(TPoint{x, y}));
    ClickAt(max);
    EXPECT_EQ(child->WindowState(), wsMaximized);
    // Without a system menu: no buttons at all.
    child->SetBorderIcons(TBorderIcons{});
    EXPECT_TRUE(bar->GetMDICloseBtnRect().IsEmpty());
    EXPECT_TRUE(bar->GetMDIMaxBtnRect().IsEmpty());
    EXPECT_TRUE(bar->GetMDIMinBtnRect().IsEmpty());
}

TEST_F(MenuBarMDITest, EveryMoveOfTheFrameRepaintsTheBar) {
    MDIButtonsOn();
    Child("Doc", true);
    ui.Process();
    EXPECT_FALSE(win::GetUpdateRect(bar->Handle(), nullptr, win::FALSE));
    form->SetBounds(form->Left() + 10, form->Top(), form->Width(), form->Height());
    EXPECT_TRUE(win::GetUpdateRect(bar->Handle(), nullptr, win::FALSE));
}

} // namespace
} // namespace menubartest
