// The main window's layout: every component in its class with the properties the shell relies on, and a
// picture of the window.

#include "platform/vcl/Screen.h"
#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;
using namespace vcl;

using MainLayoutTest = AppTest;

TEST_F(MainLayoutTest, TheFormAndItsNonVisualComponents) {
    EXPECT_EQ(main->Caption(), "Kalvenor");
    EXPECT_EQ(main->ClientWidth(), 884);
    EXPECT_EQ(main->ClientHeight(), 564);
    EXPECT_EQ(main->Constraints()->MinWidth(), 750);
    EXPECT_EQ(main->Constraints()->MinHeight(), 550);
    EXPECT_EQ(main->Font()->Name(), "Tahoma");
    EXPECT_EQ(main->Menu(), main->AdvMainMenu);
    EXPECT_EQ(Application->MainForm(), main);
    ASSERT_NE(main->XPManifest, nullptr);
    ASSERT_NE(main->ExeInfo1, nullptr);
    EXPECT_EQ(main->AdvToolBarOfficeStyler->Style(), AdvToolBarStylers::bsOffice2007Luna);
    EXPECT_EQ(main->AdvOfficeStatusBarOfficeStyler->Style(), AdvOfficeStatusBarStylers::psOffice2007Luna);
    EXPECT_EQ(main->AdvMenuOfficeStyler->Style(), AdvMenuStylers::osOffice2007Luna);
    EXPECT_EQ(main->AdvMenuOfficeStyler->MenuBorderColor, clSilver);
    EXPECT_EQ(main->AdvMainMenu->MenuStyler(), main->AdvMenuOfficeStyler);
}

TEST_F(MainLayoutTest, TheMenuHoldsItsItemsInOrder) {
    TMenuItem* items = main->AdvMainMenu->Items();
    ASSERT_EQ(items->Count(), 3);
    EXPECT_EQ(items->Items(0), main->File1);
    EXPECT_EQ(main->File1->Items(0), main->Exit1);
    EXPECT_EQ(main->Settings1->Items(0), main->Profile1);
    ASSERT_EQ(main->Help1->Count(), 5);
    EXPECT_EQ(main->Help1->Items(0)->Caption(), "FAQ");
    EXPECT_TRUE(main->Help1->Items(1)->IsLine());
    EXPECT_EQ(main->Help1->Items(2)->Caption(), "Contact administrator");
    EXPECT_TRUE(main->Help1->Items(3)->IsLine());
    EXPECT_EQ(main->Help1->Items(4)->Caption(), "About...");
}

TEST_F(MainLayoutTest, TheToolbarStacksItsItemsInTheDockPanel) {
    EXPECT_EQ(main->AdvDockPanel_Left->Align(), AdvToolBar::daLeft);
    EXPECT_EQ(main->AdvDockPanel_Left->ToolBarStyler(), main->AdvToolBarOfficeStyler);
    // The toolbars' menus take the main menu's look.
    EXPECT_EQ(main->AdvToolBarOfficeStyler->CurrentAdvMenuStyler(), main->AdvMenuOfficeStyler);
    EXPECT_EQ(main->AdvToolBar_Left->Parent(), main->AdvDockPanel_Left);
    EXPECT_EQ(main->AdvToolBarContainer->Parent(), main->AdvToolBar_Left);
    EXPECT_EQ(main->edt_Search->Parent(), main->AdvToolBarContainer);
    EXPECT_EQ(main->edt_Search->Text(), "search...");
    // Top to bottom: container, separator, Catalog, ..., Hits; no two overlap.
    const TControl* order[] = {
        main->AdvToolBarContainer,    main->AdvToolBarSeparator6,   main->AdvGlowButton_Catalog,
        main->AdvToolBarSeparator1,   main->AdvGlowButton_Overview, main->AdvToolBarSeparator2,
        main->AdvGlowButton_Supplies, main->AdvGlowButton_Demands,  main->AdvToolBarSeparator3,
        main->AdvGlowButton_Contacts, main->AdvGlowButton_Inbox,    main->AdvGlowButton_Outbox,
        main->AdvToolBarSeparator4,   main->AdvGlowButton_AddFunds, main->AdvGlowButton_Transactions,
        main->AdvToolBarSeparator5,   main->AdvGlowButton_Hits};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        EXPECT_EQ(order[i]->Parent(), main->AdvToolBar_Left);
        EXPECT_GE(order[i]->Top(), order[i - 1]->Top() + order[i - 1]->Height()) << i;
    }
}

TEST_F(MainLayoutTest, TheSectionButtonsFormOneGroupWithGlyphsAndColours) {
    AdvGlowButton::TAdvGlowButton* buttons[] = {
        main->AdvGlowButton_Overview, main->AdvGlowButton_Supplies,     main->AdvGlowButton_Demands,
        main->AdvGlowButton_Contacts, main->AdvGlowButton_Inbox,        main->AdvGlowButton_Outbox,
        main->AdvGlowButton_AddFunds, main->AdvGlowButton_Transactions, main->AdvGlowButton_Hits};
    for (auto* b : buttons) {
        SCOPED_TRACE(b->Name());
        EXPECT_EQ(b->GroupIndex(), 1);
        EXPECT_EQ(b->Layout(), AdvGlowButton::blGlyphLeftAdjusted);
        EXPECT_FALSE(b->Picture()->Empty());
        // A PNG of 33 by 33 (the size in its header).
        const String png(static_cast<const char*>(b->Picture()->Data().Memory()),
                         static_cast<std::size_t>(const_cast<TMemoryStream&>(b->Picture()->Data()).Size()));
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(png.substr(1, 3), "PNG");
        EXPECT_EQ(png.substr(16, 8), String("\0\0\0\x21\0\0\0\x21", 8));
        EXPECT_EQ(b->Appearance()->BorderColor(), static_cast<TColor>(0xE0B99B));
        EXPECT_EQ(b->Appearance()->ColorMirrorDown(), static_cast<TColor>(0x0E72F1));
        EXPECT_EQ(b->Width(), 120);
    }
    EXPECT_EQ(main->AdvGlowButton_Catalog->GroupIndex(), 1);
    EXPECT_TRUE(main->AdvGlowButton_Catalog->Picture()->Empty());
    EXPECT_EQ(main->AdvGlowButton_Catalog->Caption(), "Catalog");
    EXPECT_EQ(main->AdvGlowButton_Hits->Caption(), "Hits statistics");
}

TEST_F(MainLayoutTest, TheStatusBarHasItsFourPanels) {
    auto* panels = main->AdvOfficeStatusBar->Panels();
    ASSERT_EQ(panels->Count(), 4);
    EXPECT_EQ(panels->GetItem(0)->Text(), "Ready");
    EXPECT_EQ(panels->GetItem(0)->Width(), 225);
    EXPECT_EQ(panels->GetItem(1)->Style(), AdvOfficeStatusBar::psProgress);
    EXPECT_EQ(panels->GetItem(1)->Progress()->Max(), 100);
    EXPECT_EQ(panels->GetItem(2)->Width(), 130);
    EXPECT_EQ(panels->GetItem(3)->Width(), 50);
    EXPECT_EQ(main->AdvOfficeStatusBar->Height(), 19);
    EXPECT_EQ(main->AdvOfficeStatusBar->Styler(), main->AdvOfficeStatusBarOfficeStyler);
}

TEST_F(MainLayoutTest, ClickingASectionButtonChecksItInItsGroup) {
    SignIn();
    ui.Click(main->AdvGlowButton_Inbox);
    EXPECT_TRUE(main->AdvGlowButton_Inbox->Down());
    ui.Click(main->AdvGlowButton_Outbox);
    EXPECT_TRUE(main->AdvGlowButton_Outbox->Down());
    EXPECT_FALSE(main->AdvGlowButton_Inbox->Down());
}

TEST_F(MainLayoutTest, IsWrittenToAPicture) {
    SignIn();
    ui.Process();
    const String path = uitest::UiDriver::OutputPath("MainWindow.png");
    ASSERT_TRUE(ui.WritePng(main, path));
    // The dock panel's area is not the browser's, and the status bar sits at the bottom.
    TPoint dock = main->AdvDockPanel_Left->ClientToScreen({5, 300});
    TPoint bar = main->AdvOfficeStatusBar->ClientToScreen({300, 9});
    EXPECT_EQ(main->AdvOfficeStatusBar->Top() + main->AdvOfficeStatusBar->Height(), main->ClientHeight());
    EXPECT_GE(dock.X, main->Left());
    EXPECT_LT(bar.Y, main->Top() + main->Height());
    const String loginPath = uitest::UiDriver::OutputPath("LoginDialog.png");
    login->Show();
    ui.Process();
    EXPECT_TRUE(ui.WritePng(login, loginPath));
    login->Hide();
    UnitAbout::frm_About->Show();
    ui.Process();
    EXPECT_TRUE(ui.WritePng(UnitAbout::frm_About, uitest::UiDriver::OutputPath("AboutBox.png")));
    UnitAbout::frm_About->Hide();
}

} // namespace
