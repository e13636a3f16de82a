// The login dialog: the choice, the saved login, the hand-over, and the windows it opens.

#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;
using namespace vcl;

using LoginTest = AppTest;

TEST_F(LoginTest, TheLayoutGivesTheChoicesAndLimits) {
    EXPECT_EQ(login->Caption(), "Kalvenor");
    EXPECT_EQ(login->ClientWidth(), 353);
    EXPECT_EQ(login->ClientHeight(), 316);
    ASSERT_EQ(login->rg_WouldLike->Items()->Count(), 3);
    EXPECT_EQ(login->rg_WouldLike->Items()->Strings(1), "Register and join Kalvenor");
    EXPECT_EQ(login->rg_WouldLike->ItemIndex(), 0);
    EXPECT_EQ(login->rg_WouldLike->Caption(), "I would like ");
    EXPECT_EQ(login->ledt_Login->MaxLength(), 20);
    EXPECT_EQ(login->ledt_Password->MaxLength(), 20);
    EXPECT_EQ(login->ledt_Password->PasswordChar(), U'\u2022') << "a bullet in place of each character";
    EXPECT_TRUE(login->btn_OK->Default());
    EXPECT_TRUE(login->btn_Cancel->Cancel());
    ASSERT_NE(login->img_Splash->Picture()->Graphic(), nullptr);
    EXPECT_EQ(login->img_Splash->Picture()->Width(), 130);
}

TEST_F(LoginTest, MoreThanTwentyCharactersCannotBeTyped) {
    ui.WhenModal([&](TCustomForm* Dlg) {
        ui.Click(login->ledt_Login);
        ui.Type("abcdefghijklmnopqrstuvwxyz");
        ui.ClickButton(Dlg, "Cancel");
    });
    login->ShowModal();
    EXPECT_EQ(login->ledt_Login->Text(), "abcdefghijklmnopqrst");
}

TEST_F(LoginTest, ChoosingRegistrationOrRecoveryDisablesTheSignInControls) {
    login->rg_WouldLike->SetItemIndex(1);
    EXPECT_FALSE(login->gb_Login->Enabled());
    EXPECT_FALSE(login->ledt_Login->Enabled());
    EXPECT_FALSE(login->ledt_Password->Enabled());
    EXPECT_FALSE(login->chkb_SavePass->Enabled());
    login->rg_WouldLike->SetItemIndex(2);
    EXPECT_FALSE(login->gb_Login->Enabled());
    login->rg_WouldLike->SetItemIndex(0);
    EXPECT_TRUE(login->gb_Login->Enabled());
    EXPECT_TRUE(login->ledt_Login->Enabled());
    EXPECT_TRUE(login->ledt_Password->Enabled());
    EXPECT_TRUE(login->chkb_SavePass->Enabled());
}

TEST_F(LoginTest, TheIncorrectLoginBoxIsCentredOnTheDialogAndEnterAnswersIt) {
    // The main window is being shown (its show handler asks for the login) at another place.
    main->SetBounds(0, 0, 900, 620);
    ui.WhenModal([&](TCustomForm* Dlg) {
        login->ledt_Login->SetText("demo");
        ui.ClickButton(Dlg, "OK");
    });
    TPoint dialogCentre, boxCentre;
    ui.WhenModal([&](TCustomForm* Box) {
        const TRect d = login->BoundsRect(), b = Box->BoundsRect();
        dialogCentre = {(d.Left + d.Right) / 2, (d.Top + d.Bottom) / 2};
        boxCentre = {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
        ui.Key(win::VK_RETURN);
    });
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(Dlg, login) << "Enter answered the box; the dialog is back";
        ui.ClickButton(Dlg, "Cancel");
    });
    main->Show();
    ui.Process();
    EXPECT_EQ(ui.SeenMessages(), std::vector<String>{"Incorrect login or password"});
    EXPECT_NEAR(boxCentre.X, dialogCentre.X, 1);
    EXPECT_NEAR(boxCentre.Y, dialogCentre.Y, 1);
}

TEST_F(LoginTest, ACheckedSavePasswordIsStoredAndLoadedAtTheNextShowing) {
    AnswerLogin("trader", "pw", true);
    login->ShowModal();
    {
        auto reg = Key();
        EXPECT_EQ(reg->ReadString("Login"), "trader");
        EXPECT_EQ(reg->ReadString("Password"), "pw");
        EXPECT_TRUE(reg->ReadBool("SaveAuthData"));
    }
    login->ledt_Login->SetText("");
    login->ledt_Password->SetText("");
    login->chkb_SavePass->SetChecked(false);
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(login->ledt_Login->Text(), "trader");
        EXPECT_EQ(login->ledt_Password->Text(), "pw");
        EXPECT_TRUE(login->chkb_SavePass->Checked());
        ui.ClickButton(Dlg, "Cancel");
    });
    login->ShowModal();
}

TEST_F(LoginTest, UncheckedSavePasswordRemovesTheSavedLoginAndPassword) {
    AnswerLogin("first", "one", true);
    login->ShowModal();
    AnswerLogin("second", "two", false);
    login->ShowModal();
    EXPECT_EQ(main->FLogin, "second");
    {
        auto reg = Key();
        EXPECT_FALSE(reg->ValueExists("Login"));
        EXPECT_FALSE(reg->ValueExists("Password"));
        EXPECT_FALSE(reg->ReadBool("SaveAuthData"));
    }
    // Nothing is loaded at the next showing: the box stays unchecked.
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(login->ledt_Login->Text(), "second");
        EXPECT_FALSE(login->chkb_SavePass->Checked());
        ui.ClickButton(Dlg, "Cancel");
    });
    login->ShowModal();
}

TEST_F(LoginTest, WithNothingSavedTheEditsKeepWhatWasTyped) {
    AnswerLogin("typed", "secret", false);
    login->ShowModal();
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(login->ledt_Login->Text(), "typed");
        EXPECT_EQ(login->ledt_Password->Text(), "secret");
        ui.ClickButton(Dlg, "Cancel");
    });
    login->ShowModal();
}

TEST_F(LoginTest, ASavedValueOfTheWrongTypeIsLeftOutAlone) {
    // The flag stored as text: nothing is loaded, and nothing is raised.
    Key(true)->WriteString("SaveAuthData", "yes");
    Key(true)->WriteString("Login", "saved");
    EXPECT_NO_THROW(login->FormShow(nullptr));
    EXPECT_EQ(login->ledt_Login->Text(), "");
    EXPECT_FALSE(login->chkb_SavePass->Checked());
    // The flag sound, the login stored as a number: the password and the flag are loaded all the same.
    Key(true)->WriteBool("SaveAuthData", true);
    Key(true)->WriteInteger("Login", 42);
    Key(true)->WriteString("Password", "pw");
    EXPECT_NO_THROW(login->FormShow(nullptr));
    EXPECT_EQ(login->ledt_Login->Text(), "");
    EXPECT_EQ(login->ledt_Password->Text(), "pw");
    EXPECT_TRUE(login->chkb_SavePass->Checked());
}

TEST_F(LoginTest, CentredOnTheDesktopTheDialogStillEndsOnOneMonitor) {
    // Two monitors with a gap between them: the desktop's centre lies in the gap.
    ui.Screen().SetMonitors({backend::Monitor{{0, 0, 1024, 768}, {0, 0, 1024, 738}, true, "left"},
                             backend::Monitor{{1200, 0, 2224, 768}, {1200, 0, 2224, 768}, false, "right"}});
    ui.WhenModal([&](TCustomForm* Dlg) {
        const TRect r = Dlg->BoundsRect();
        const bool onLeft = r.Left >= 0 && r.Right <= 1024 && r.Top >= 0 && r.Bottom <= 738;
        const bool onRight = r.Left >= 1200 && r.Right <= 2224 && r.Top >= 0 && r.Bottom <= 768;
        EXPECT_TRUE(onLeft || onRight) << r.Left << "," << r.Top << " " << r.Width() << "x" << r.Height();
        EXPECT_EQ(r.Width(), 359) << "no smaller than it is";
        ui.ClickButton(Dlg, "Cancel");
    });
    login->ShowModal();
}

TEST_F(LoginTest, RegistrationFromTheLoginSetsTheChoiceBackAndLeavesTheLoginEmpty) {
    ui.WhenModal([&](TCustomForm* Dlg) {
        login->rg_WouldLike->SetItemIndex(1);
        ui.ClickButton(Dlg, "OK");
    });
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(Dlg, UnitRegistration::frm_Registration);
        Dlg->Close(); // the close box
    });
    ui.WhenModal([&](TCustomForm* Dlg) {
        // Back in the login dialog, which stayed open; sign-in controls enabled again.
        EXPECT_EQ(Dlg, login);
        EXPECT_EQ(login->rg_WouldLike->ItemIndex(), 0);
        EXPECT_TRUE(login->ledt_Login->Enabled());
        EXPECT_TRUE(main->FLogin.empty());
        ui.ClickButton(Dlg, "Cancel");
    });
    main->Show();
    ui.Process();
    EXPECT_TRUE(MainNavigations().empty());
    EXPECT_TRUE(main->FSessionClosed);
    auto* reg = EngineOf(UnitRegistration::frm_Registration->WebBrowser_Registration);
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->Navigations.at(0).URL, String(Base) + "registration.php?agenting=true");
}

} // namespace
