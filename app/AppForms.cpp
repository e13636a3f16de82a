#include "app/AppForms.h"

#include "app/UnitAbout.h"
#include "app/UnitLogin.h"
#include "app/UnitMain.h"
#include "app/UnitRecoverPass.h"
#include "app/UnitRegistration.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace AppForms {

void RegisterLayoutClasses() {
    vcl::RegisterStdCtrlsClasses();
    vcl::RegisterExtCtrlsClasses();
    AdvToolBar::RegisterAdvToolBarClasses();
    AdvOfficeStatusBar::RegisterAdvOfficeStatusBarClasses();
    AdvOfficeStatusBarStylers::RegisterAdvOfficeStatusBarStylersClasses();
    AdvMenus::RegisterAdvMenusClasses();
}

void CreateForms(bool WhenNeeded) {
    RegisterLayoutClasses();
    vcl::Application->CreateForm(UnitMain::frm_Main);
    vcl::Application->CreateForm(UnitLogin::frm_Login);
    if (WhenNeeded) return;
    vcl::Application->CreateForm(UnitAbout::frm_About);
    vcl::Application->CreateForm(UnitRegistration::frm_Registration);
    vcl::Application->CreateForm(UnitRecoverPass::frm_RecoverPass);
}

namespace {
template <typename T> void Free(T*& Form) {
    T* form = Form;
    Form = nullptr;
    if (form) vcl::FreeComponent(form);
}
} // namespace

void FreeForms() {
    Free(UnitRecoverPass::frm_RecoverPass);
    Free(UnitRegistration::frm_Registration);
    Free(UnitAbout::frm_About);
    Free(UnitLogin::frm_Login);
    Free(UnitMain::frm_Main);
}

} // namespace AppForms
