// The registration, recovery and about forms.

#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;
using namespace vcl;

using OtherFormsTest = AppTest;

TEST_F(OtherFormsTest, RegistrationShowsItsOkPanelOnceTheMarkerCompletes) {
    auto* form = UnitRegistration::frm_Registration;
    EXPECT_EQ(form->Caption(), "Registration");
    EXPECT_FALSE(form->pnl_Bottom->Visible());
    login->rg_WouldLike->SetItemIndex(1);
    ui.WhenModal([&](TCustomForm*) {
        auto* engine = EngineOf(form->WebBrowser_Registration);
        engine->RaiseFrameComplete(String(Base) + "frame.php", "<html></html>");
        EXPECT_FALSE(form->pnl_Bottom->Visible());
        engine->RaiseDocumentComplete(String(Base) + "registration.php?agenting=true&done=Welcome", "");
        EXPECT_FALSE(form->pnl_Bottom->Visible()); // the marker is case-sensitive
        engine->RaiseDocumentComplete(String(Base) + "registration.php?agenting=true&done=welcome", "");
        EXPECT_TRUE(form->pnl_Bottom->Visible());
        engine->RaiseDocumentComplete(String(Base) + "registration.php?agenting=true", "");
        EXPECT_TRUE(form->pnl_Bottom->Visible()); // stays
        ui.ClickButton(form, "OK");
    });
    form->ShowModal();
    EXPECT_EQ(login->rg_WouldLike->ItemIndex(), 0);
    EXPECT_TRUE(login->gb_Login->Enabled());
    // A later showing asks for the page again and keeps the panel.
    ui.WhenModal([&](TCustomForm* Dlg) { Dlg->Close(); });
    form->ShowModal();
    EXPECT_TRUE(form->pnl_Bottom->Visible());
    EXPECT_EQ(EngineOf(form->WebBrowser_Registration)->Navigations.size(), 2u);
}

TEST_F(OtherFormsTest, RecoveryRequestsItsPageAtEveryShowingAndSetsTheChoiceBack) {
    auto* form = UnitRecoverPass::frm_RecoverPass;
    EXPECT_EQ(form->Caption(), "Recover password");
    for (int i = 0; i < 2; ++i) {
        login->rg_WouldLike->SetItemIndex(2);
        EXPECT_FALSE(login->ledt_Login->Enabled());
        ui.WhenModal([&](TCustomForm* Dlg) { Dlg->Close(); });
        form->ShowModal();
        EXPECT_EQ(login->rg_WouldLike->ItemIndex(), 0);
        EXPECT_TRUE(login->ledt_Login->Enabled());
    }
    auto* engine = EngineOf(form->WebBrowser1);
    ASSERT_NE(engine, nullptr);
    ASSERT_EQ(engine->Navigations.size(), 2u);
    for (const auto& n : engine->Navigations) {
        EXPECT_EQ(n.URL, String(Base) + "lostpass.php?agenting=true");
        EXPECT_EQ(n.Method, "GET");
    }
}

TEST_F(OtherFormsTest, OkWithTheRecoveryChoiceOpensRecoveryAndDoesNotSignIn) {
    ui.WhenModal([&](TCustomForm* Dlg) {
        login->rg_WouldLike->SetItemIndex(2);
        ui.ClickButton(Dlg, "OK");
    });
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(Dlg, UnitRecoverPass::frm_RecoverPass);
        Dlg->Close();
    });
    ui.WhenModal([&](TCustomForm* Dlg) {
        EXPECT_EQ(Dlg, login);
        ui.ClickButton(Dlg, "Cancel");
    });
    login->ShowModal();
    EXPECT_TRUE(main->FLogin.empty());
    EXPECT_EQ(ui.PendingActions(), 0);
}

TEST_F(OtherFormsTest, TheAboutBoxShowsItsRows) {
    auto* about = UnitAbout::frm_About;
    EXPECT_EQ(about->Caption(), "About Kalvenor");
    EXPECT_EQ(about->ClientWidth(), 465);
    EXPECT_EQ(about->ClientHeight(), 280);
    auto* value1 = uitest::UiDriver::Get<TLabel>(about, "lbl_Value1");
    EXPECT_EQ(value1->Caption(), "Kalvenor");
    EXPECT_TRUE(value1->Font()->Style().Contains(fsBold));
    EXPECT_EQ(uitest::UiDriver::Get<TLabel>(about, "lbl_Value2")->Caption(), "1.3");
    EXPECT_EQ(uitest::UiDriver::Get<TLabel>(about, "lbl_Caption6")->Caption(), "Special thanks to:");
    ASSERT_NE(about->Image1->Picture()->Graphic(), nullptr);
}

// The program itself makes these three only when first shown, after the login dialog's first frame.
TEST_F(OtherFormsTest, MadeWhenNeededEachFormComesAtItsFirstShowingAndOnlyOnce) {
    AppForms::FreeForms();
    AppForms::CreateForms(true);
    main = UnitMain::frm_Main;
    login = UnitLogin::frm_Login;
    EXPECT_EQ(UnitAbout::frm_About, nullptr);
    EXPECT_EQ(UnitRegistration::frm_Registration, nullptr);
    EXPECT_EQ(UnitRecoverPass::frm_RecoverPass, nullptr);
    TCustomForm* shown = nullptr;
    ui.WhenModal([&](TCustomForm* Dlg) {
        shown = Dlg;
        ui.ClickButton(Dlg, "OK");
    });
    main->About1Click(nullptr);
    ASSERT_NE(UnitAbout::frm_About, nullptr);
    EXPECT_EQ(shown, UnitAbout::frm_About);
    TCustomForm* about = UnitAbout::frm_About;
    ui.WhenModal([&](TCustomForm* Dlg) { ui.ClickButton(Dlg, "OK"); });
    main->About1Click(nullptr);
    EXPECT_EQ(UnitAbout::frm_About, about) << "made once";
    // The login dialog's choices make theirs.
    ui.WhenModal([&](TCustomForm* Dlg) {
        shown = Dlg;
        Dlg->Close();
    });
    login->rg_WouldLike->SetItemIndex(2);
    login->btn_OKClick(nullptr);
    ASSERT_NE(UnitRecoverPass::frm_RecoverPass, nullptr);
    EXPECT_EQ(shown, UnitRecoverPass::frm_RecoverPass);
    EXPECT_EQ(UnitRegistration::frm_Registration, nullptr);
    EXPECT_EQ(ui.PendingActions(), 0);
}

} // namespace
