// The main window's menu read from a layout like the application's, chosen and probed on screen.

#include "components/menus/AdvMenuGradient.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/win/Windows.h"
#include "tests/menus/MenuTestSupport.h"
#include "tests/support/MenuDriver.h"

namespace menutest {
namespace {

class TMenuLayoutForm : public TForm {
    KV_CLASS(TMenuLayoutForm, TForm)
    KV_PUBLISHED_PROPERTIES(TMenuLayoutForm)
public:
    explicit TMenuLayoutForm(TComponent* AOwner) : TForm(AOwner) {}
    TAdvMainMenu* AdvMainMenu = nullptr;
    TAdvMenuOfficeStyler* AdvMenuOfficeStyler = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* FAQ1 = nullptr;
    std::vector<String> Clicked;
    void Exit1Click(TObject*) { Clicked.push_back("Exit"); }
    void Profile1Click(TObject*) { Clicked.push_back("Profile"); }
    void FAQ1Click(TObject*) { Clicked.push_back("FAQ"); }
    void Contactadministrator1Click(TObject*) { Clicked.push_back("Contact"); }
    void About1Click(TObject*) { Clicked.push_back("About"); }
};

KV_PUBLISHED(TMenuLayoutForm) {
    using F = TMenuLayoutForm;
    p.Field("AdvMainMenu", &F::AdvMainMenu);
    p.Field("AdvMenuOfficeStyler", &F::AdvMenuOfficeStyler);
    p.Field("File1", &F::File1);
    p.Field("Help1", &F::Help1);
    p.Field("FAQ1", &F::FAQ1);
    p.Handler("Exit1Click", &F::Exit1Click);
    p.Handler("Profile1Click", &F::Profile1Click);
    p.Handler("FAQ1Click", &F::FAQ1Click);
    p.Handler("Contactadministrator1Click", &F::Contactadministrator1Click);
    p.Handler("About1Click", &F::About1Click);
}

const char* const kLayout = R"(object MainForm: TMenuLayoutForm
  Left = 30
  Top = 30
  Caption = 'Kalvenor'
  ClientHeight = 240
  ClientWidth = 420
  Color = clBtnFace
  Font.Height = -11
  Font.Name = 'Tahoma'
  Menu = AdvMainMenu
  object AdvMainMenu: TAdvMainMenu
    MenuStyler = AdvMenuOfficeStyler
    Version = '2.5.2.0'
    object File1: TMenuItem
      Caption = 'File'
      object Exit1: TMenuItem
        Caption = 'Exit'
        OnClick = Exit1Click
      end
    end
    object Settings1: TMenuItem
      Caption = 'Settings'
      object Profile1: TMenuItem
        Caption = 'Profile'
        OnClick = Profile1Click
      end
    end
    object Help1: TMenuItem
      Caption = 'Help'
      object FAQ1: TMenuItem
        Caption = 'FAQ'
        OnClick = FAQ1Click
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Contactadministrator1: TMenuItem
        Caption = 'Contact administrator'
        OnClick = Contactadministrator1Click
      end
      object N2: TMenuItem
        Caption = '-'
      end
      object About1: TMenuItem
        Caption = 'About...'
        OnClick = About1Click
      end
    end
  end
  object AdvMenuOfficeStyler: TAdvMenuOfficeStyler
    AntiAlias = aaNone
    AutoThemeAdapt = False
    Style = osOffice2007Luna
    Background.Position = bpStretched
    Background.Color = 16185078
    Background.ColorTo = 16185078
    ButtonAppearance.HoverColorTo = 16052977
    ButtonAppearance.CaptionFont.Name = 'Segoe UI'
    IconBar.Color = 15658729
    IconBar.ColorTo = 15658729
    IconBar.SeparatorColor = 12961221
    SelectedItem.BorderColor = 10079963
    SelectedItem.Font.Name = 'Tahoma'
    SelectedItem.NotesFont.Height = -8
    RootItem.Color = 15915714
    RootItem.ColorTo = 15784385
    RootItem.GradientDirection = gdVertical
    RootItem.Font.Color = clMenuText
    RootItem.Font.Height = -11
    RootItem.Font.Name = 'Tahoma'
    RootItem.SelectedBorderColor = 4548219
    RootItem.HoverBorderColor = 10079963
    SideBar.Font.Height = -19
    SideBar.Font.Style = [fsBold, fsItalic]
    SideBar.SplitterColorTo = clBlack
    Separator.Color = 12961221
    Separator.GradientType = gtBoth
    Font.Charset = DEFAULT_CHARSET
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    NotesFont.Color = clGray
    NotesFont.Height = -9
    NotesFont.Name = 'Tahoma'
    MenuBorderColor = clSilver
  end
end
)";

class MainMenuLayoutTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        RegisterClasses({ClassEntry<TMenuLayoutForm>()});
        RegisterAdvMenusClasses();
        form.reset(new TMenuLayoutForm(nullptr));
        ReadComponentFromText(kLayout, form.get(), "MainForm");
        ASSERT_NE(form->AdvMainMenu, nullptr);
        ASSERT_NE(form->AdvMenuOfficeStyler, nullptr);
    }
    void TearDown() override { form.reset(); }

    // A screen point's colour, read from the top-level window under it.
    static win::COLORREF ScreenPixel(uitest::UiDriver& Ui, TPoint P) {
        win::HWND w = win::WindowFromPoint(P);
        win::RECT r{};
        win::GetWindowRect(w, &r);
        return Ui.Screen().WindowPixel(w, P.X - r.Left, P.Y - r.Top) & 0xFFFFFF;
    }

    TComponentPtr<TMenuLayoutForm> form;
};

TEST_F(MainMenuLayoutTest, LayoutSetsEveryPropertyLinksTheStylerDeclaredLaterAndEveryItemIsChosen) {
    TAdvMainMenu* menu = form->AdvMainMenu;
    TAdvMenuOfficeStyler* s = form->AdvMenuOfficeStyler;
    EXPECT_EQ(form->Menu(), menu);
    EXPECT_EQ(menu->MenuStyler(), s);
    EXPECT_EQ(menu->GetCurrentMenuStyler(), s);
    EXPECT_EQ(s->Menu(), menu);
    // The internal styler went when the outside one was linked while loading.
    EXPECT_EQ(menu->FindComponent("InternalMenuStyler"), nullptr);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(menu->GetVersion(), "2.5.2.0");

    EXPECT_EQ(s->Style(), osOffice2007Luna);
    EXPECT_EQ(s->AntiAlias(), AdvGDIP::aaNone);
    EXPECT_FALSE(s->AutoThemeAdapt());
    EXPECT_EQ(s->MenuBorderColor, clSilver);
    EXPECT_EQ(s->Background()->Position, bpStretched);
    EXPECT_EQ(s->ButtonAppearance()->CaptionFont()->Name(), "Segoe UI");
    EXPECT_EQ(s->ButtonAppearance()->HoverColorTo(), TColor(16052977));
    EXPECT_EQ(s->IconBar()->SeparatorColor, TColor(0xC5C5C5));
    EXPECT_EQ(s->SelectedItem()->NotesFont()->Height(), -8);
    EXPECT_EQ(s->RootItem()->Font()->Color(), clMenuText);
    EXPECT_EQ(s->RootItem()->GradientDirection(), gdVertical);
    EXPECT_EQ(s->SideBar()->Font()->Height(), -19);
    EXPECT_EQ(s->SideBar()->SplitterColorTo, clBlack);
    EXPECT_EQ(s->Separator()->Color(), TColor(0xC5C5C5));
    EXPECT_EQ(s->Font()->Name(), "Tahoma");
    EXPECT_EQ(s->NotesFont()->Color(), clGray);

    ASSERT_EQ(menu->Items()->Count(), 3);
    TMenuItem* help = form->Help1;
    ASSERT_EQ(help->Count(), 5);
    EXPECT_TRUE(help->Items(1)->IsLine());
    EXPECT_EQ(help->Items(2)->Caption(), "Contact administrator");
    // Loaded hooked every item to the menu's painter.
    for (int i = 0; i < help->Count(); ++i) {
        EXPECT_TRUE(static_cast<bool>(help->Items(i)->OnAdvancedDrawItem)) << i;
        EXPECT_TRUE(static_cast<bool>(help->Items(i)->OnMeasureItem)) << i;
    }
    // Every item is chosen through the menu bar.
    form->Show();
    ui.Process();
    uitest::MenuDriver menus(ui);
    for (const char* path :
         {"File|Exit", "Settings|Profile", "Help|FAQ", "Help|Contact administrator", "Help|About..."})
        menus.Choose(form.get(), path);
    EXPECT_EQ(form->Clicked, (std::vector<String>{"Exit", "Profile", "FAQ", "Contact", "About"}));
}

TEST_F(MainMenuLayoutTest, TheMainMenuPaintsInOffice2007Luna) {
    form->Show();
    ui.Process();
    TAdvMainMenu* menu = form->AdvMainMenu;
    win::RECT file{}, help{};
    ASSERT_TRUE(win::GetMenuItemRect(form->Handle(), menu->Handle(), 0, &file));
    ASSERT_TRUE(win::GetMenuItemRect(form->Handle(), menu->Handle(), 2, &help));
    // One vertical gradient from 0xF2DAC2 toward 0xF0D9C1 spans the bar, through the last item to the
    // client area's right edge.
    const int barHeight = file.Bottom - file.Top;
    EXPECT_EQ(ScreenPixel(ui, (TPoint{file.Left + 2, file.Top})), 0xF2DAC2u);
    const TPoint clientRight = form->ClientToScreen((TPoint{form->ClientWidth() - 2, 0}));
    EXPECT_EQ(
        ScreenPixel(ui, (TPoint{clientRight.X, file.Bottom - 1})),
        static_cast<win::COLORREF>(AdvMenus::GradientStep(0xF2DAC2, 0xF0D9C1, barHeight - 1, barHeight)));

    uitest::MenuDriver menus(ui);
    win::COLORREF barFrame = 0, barFace = 0, faqFace = 0, faqFrame = 0;
    int faqHalf = 0;
    ui.WhenIdle([&] {
        TPoint faq = uitest::MenuDriver::OpenItemPoint(form->FAQ1);
        ui.Screen().MoveMouse(faq.X, faq.Y);
    });
    ui.WhenIdle([&] {
        barFrame = ScreenPixel(ui, (TPoint{help.Left, help.Top + 3}));
        barFace = ScreenPixel(ui, (TPoint{help.Left + 3, help.Top + 1}));
        win::RECT r{};
        win::GetMenuItemRect(nullptr, form->Help1->Handle(), 0, &r);
        faqHalf = (r.Bottom - r.Top) / 2;
        faqFrame = ScreenPixel(ui, (TPoint{r.Left + 40, r.Top}));
        faqFace = ScreenPixel(ui, (TPoint{r.Left + 40, r.Top + 1}));
        ui.Screen().WriteScreenPng(uitest::UiDriver::OutputPath("MainMenuLuna.png"));
    });
    ui.WhenIdle([&] { menus.CloseMenus(); });
    menus.OpenMenu(form.get(), "Help");
    // The open bar item: framed in 0x45667B, its upper half from 0x76AFF1 toward 0x4190F3.
    EXPECT_EQ(barFrame, 0x45667Bu);
    EXPECT_EQ(barFace,
              static_cast<win::COLORREF>(AdvMenus::GradientStep(0x76AFF1, 0x4190F3, 1, barHeight / 2)));
    // The selected item: framed in 0x99CEDB, its upper half from 0xEBFDFF toward 0xABEBFF.
    EXPECT_EQ(faqFrame, 0x99CEDBu);
    EXPECT_EQ(faqFace, static_cast<win::COLORREF>(AdvMenus::GradientStep(0xEBFDFF, 0xABEBFF, 1, faqHalf)));
}

} // namespace
} // namespace menutest
