// The main window's menu read from a layout like the application's (an owner-drawn main menu with File,
// Settings and Help, linked to an office styler declared after it), its items chosen through the menu
// engine, and the plain look probed pixel by pixel and written to pictures.

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
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
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
    ButtonAppearance.DownColor = 13421257
    ButtonAppearance.DownColorTo = 15395047
    ButtonAppearance.HoverColor = 14737117
    ButtonAppearance.HoverColorTo = 16052977
    ButtonAppearance.DownBorderColor = 11906984
    ButtonAppearance.HoverBorderColor = 11906984
    ButtonAppearance.CaptionFont.Charset = DEFAULT_CHARSET
    ButtonAppearance.CaptionFont.Color = clWindowText
    ButtonAppearance.CaptionFont.Height = -11
    ButtonAppearance.CaptionFont.Name = 'Segoe UI'
    ButtonAppearance.CaptionFont.Style = []
    IconBar.Color = 15658729
    IconBar.ColorTo = 15658729
    IconBar.CheckBorder = clNavy
    IconBar.RadioBorder = clNavy
    IconBar.SeparatorColor = 12961221
    SelectedItem.BorderColor = 10079963
    SelectedItem.Font.Charset = DEFAULT_CHARSET
    SelectedItem.Font.Color = clWindowText
    SelectedItem.Font.Height = -11
    SelectedItem.Font.Name = 'Tahoma'
    SelectedItem.Font.Style = []
    SelectedItem.NotesFont.Charset = DEFAULT_CHARSET
    SelectedItem.NotesFont.Color = clWindowText
    SelectedItem.NotesFont.Height = -8
    SelectedItem.NotesFont.Name = 'Tahoma'
    SelectedItem.NotesFont.Style = []
    SelectedItem.CheckBorder = clNavy
    SelectedItem.RadioBorder = clNavy
    RootItem.Color = 15915714
    RootItem.ColorTo = 15784385
    RootItem.GradientDirection = gdVertical
    RootItem.Font.Charset = DEFAULT_CHARSET
    RootItem.Font.Color = clMenuText
    RootItem.Font.Height = -11
    RootItem.Font.Name = 'Tahoma'
    RootItem.Font.Style = []
    RootItem.SelectedBorderColor = 4548219
    RootItem.HoverBorderColor = 10079963
    SideBar.Font.Charset = DEFAULT_CHARSET
    SideBar.Font.Color = clWhite
    SideBar.Font.Height = -19
    SideBar.Font.Name = 'Tahoma'
    SideBar.Font.Style = [fsBold, fsItalic]
    SideBar.Image.Position = bpCenter
    SideBar.Background.Position = bpCenter
    SideBar.SplitterColorTo = clBlack
    Separator.Color = 12961221
    Separator.GradientType = gtBoth
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    NotesFont.Charset = DEFAULT_CHARSET
    NotesFont.Color = clGray
    NotesFont.Height = -9
    NotesFont.Name = 'Tahoma'
    NotesFont.Style = []
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

TEST_F(MainMenuLayoutTest, LayoutSetsEveryPropertyAndLinksTheStylerDeclaredLater) {
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
}

TEST_F(MainMenuLayoutTest, EveryItemIsChosenThroughTheMenuBar) {
    form->Show();
    ui.Process();
    uitest::MenuDriver menus(ui);
    for (const char* path :
         {"File|Exit", "Settings|Profile", "Help|FAQ", "Help|Contact administrator", "Help|About..."})
        menus.Choose(form.get(), path);
    EXPECT_EQ(form->Clicked, (std::vector<String>{"Exit", "Profile", "FAQ", "Contact", "About"}));
}

} // namespace
} // namespace menutest
