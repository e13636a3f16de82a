// Pictures of an open main menu in the office and fantasy looks, to be looked at.

#include "tests/menus/MenuLookSupport.h"

namespace menutest {
namespace {

class MenuPicturesTest : public MenuLookTest {
protected:
    // On a fresh form each time; a side bar in the deep blue of the classic look unless the look has its own.
    void Shoot(TCustomAdvMenuStyler* Styler, const String& Name) {
        TSideBar* side = Styler->SideBar();
        if (side->Caption.empty()) {
            side->Caption = "Kalvenor";
            side->Image()->SetGradientColor(0, 0x6A240A);
            side->Image()->SetGradientColor(1, 0xEDC6A9);
        }
        side->SetVisible(true);
        form->Menu->SetMenuStyler(Styler);
        bool open = false;
        WithFileMenuOpen([&] {
            open = WindowOf(form->Recent) != nullptr;
            ui.Screen().WriteScreenPng(uitest::UiDriver::OutputPath(Name));
        });
        EXPECT_TRUE(open) << Name;
    }
};

TEST_F(MenuPicturesTest, OfficeAndFantasyLooks) {
    const std::pair<TOfficeStyle, const char*> looks[] = {{osOffice2007Luna, "MenuLuna.png"},
                                                          {osOffice2003Blue, "MenuOffice2003Blue.png"},
                                                          {osOfficeXP, "MenuOfficeXP.png"},
                                                          {osVista, "MenuVista.png"}};
    for (auto [style, name] : looks) {
        form.reset(new TMenuLookForm(nullptr));
        auto* styler = new TAdvMenuOfficeStyler(form.get());
        styler->SetStyle(style);
        Shoot(styler, name);
    }
    for (auto [style, name] :
         {std::pair{fsWindowsClassic, "MenuWindowsClassic.png"}, std::pair{fsTextured, "MenuTextured.png"}}) {
        form.reset(new TMenuLookForm(nullptr));
        auto* styler = new TAdvMenuFantasyStyler(form.get());
        styler->SetStyle(style);
        Shoot(styler, name);
    }
}

} // namespace
} // namespace menutest
