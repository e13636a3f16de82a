#pragma once
// The fixture of the shell's tests: the five forms made as the program makes them, a registry and a
// temporary folder of the test's own, the service at a made-up address, and browsers with fake engines.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "app/AppForms.h"
#include "app/UnitAbout.h"
#include "app/UnitLogin.h"
#include "app/UnitMain.h"
#include "app/UnitRecoverPass.h"
#include "app/UnitRegistration.h"
#include "platform/rtl/Registry.h"
#include "tests/support/FakeBrowserEngine.h"
#include "tests/support/UiDriver.h"

namespace apptest {

using vcl::String;

inline constexpr const char* Base = "http://svc.test/";

// Sets an environment variable for the life of the object, then puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* Name, const char* Value) : FName(Name) {
        if (const char* old = ::getenv(Name)) {
            FHad = true;
            FOld = old;
        }
        if (Value)
            ::setenv(Name, Value, 1);
        else
            ::unsetenv(Name);
    }
    ~ScopedEnv() {
        if (FHad)
            ::setenv(FName.c_str(), FOld.c_str(), 1);
        else
            ::unsetenv(FName.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    String FName;
    String FOld;
    bool FHad = false;
};

// A fresh folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/kv-app-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        FPath = made ? made : "";
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const String& Path() const { return FPath; }

private:
    String FPath;
};

class AppTest : public uitest::UiTest {
protected:
    AppTest()
        : registry("KALVENOR_REGISTRY_DIR", folder.Path().c_str()), temp("TEMP", folder.Path().c_str()),
          service("KALVENOR_SERVICE_URL", Base) {}
    void SetUp() override {
        AppForms::CreateForms();
        main = UnitMain::frm_Main;
        login = UnitLogin::frm_Login;
    }
    void TearDown() override { AppForms::FreeForms(); }

    // The fake engine of a browser (made by its first navigation; null before).
    static kvtest::FakeBrowserEngine* EngineOf(vcl::TWebBrowser* Browser) {
        return dynamic_cast<kvtest::FakeBrowserEngine*>(Browser->Engine());
    }
    kvtest::FakeBrowserEngine* MainEngine() { return EngineOf(main->WebBrowser_Main); }
    const std::vector<vcl::TNavigateRequest>& MainNavigations() {
        static const std::vector<vcl::TNavigateRequest> none;
        auto* e = MainEngine();
        return e ? e->Navigations : none;
    }

    // Answers the next login dialog with these values (OK), or cancels it when Login is null.
    void AnswerLogin(const char* Login, const char* Password, bool Save = false) {
        if (!Login) {
            ui.WhenModal([&](vcl::TCustomForm* Dlg) {
                EXPECT_EQ(Dlg, login);
                ui.ClickButton(Dlg, "Cancel");
            });
            return;
        }
        String l = Login, p = Password;
        ui.WhenModal([this, l, p, Save](vcl::TCustomForm* Dlg) {
            EXPECT_EQ(Dlg, login);
            login->ledt_Login->SetText(l);
            login->ledt_Password->SetText(p);
            login->chkb_SavePass->SetChecked(Save);
            ui.ClickButton(Dlg, "OK");
        });
    }
    // Shows the main window and signs in with demo/demo123.
    void SignIn(const char* Login = "demo", const char* Password = "demo123") {
        AnswerLogin(Login, Password);
        main->Show();
        ui.Process();
    }

    // The program's registry key, opened (and made when Create); written when the object goes.
    static std::unique_ptr<vcl::TRegistry> Key(bool Create = false) {
        auto reg = std::make_unique<vcl::TRegistry>();
        reg->OpenKey(UnitMain::RegistryKey, Create);
        return reg;
    }
    static void WritePlacement(int Top, int Left, int Width, int Height, int State) {
        auto reg = Key(true);
        for (auto [name, value] :
             {std::pair{"Top", Top}, {"Left", Left}, {"Width", Width}, {"Height", Height}, {"State", State}})
            reg->WriteInteger(name, value);
        reg->CloseKey();
    }

    TempFolder folder;
    ScopedEnv registry;
    ScopedEnv temp;
    ScopedEnv service;
    kvtest::FakeBrowserEngineScope fake;
    UnitMain::Tfrm_Main* main = nullptr;
    UnitLogin::Tfrm_Login* login = nullptr;
};

} // namespace apptest
