// The main window's side bar read from a layout: a left dock panel holding one full-size vertical
// toolbar with separators, section buttons and the search container, linked to an office toolbar
// styler. Every property the main window's layout sets, the stacking of the controls, free
// notification of the styler, a frozen panel, and the plain look by pixel probes.

#include "tests/support/ColorMatch.h"
#include "tests/toolbar/ToolBarTestSupport.h"

#include "platform/classes/LayoutReader.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/Panel.h"

namespace toolbartest {
namespace {

using colortest::IsColorNear;

// Section buttons are stood in for by panels: a toolbar holds any control.
String ButtonObject(const String& Name, int Top, int Height) {
    return "      object " + Name + ": TPanel\n        Left = 2\n        Top = " + std::to_string(Top) +
           "\n        Width = 120\n        Height = " + std::to_string(Height) + "\n      end\n";
}

String SeparatorObject(const String& Name, int Top) {
    return "      object " + Name +
           ": TAdvToolBarSeparator\n        Left = 2\n        Top = " + std::to_string(Top) +
           "\n        Width = 120\n        Height = 10\n        LineColor = clBtnShadow\n" + "      end\n";
}

String MainLayout(bool LockHeight = false) {
    String s = "object MainForm: TForm\n"
               "  Left = 0\n  Top = 0\n  Caption = 'Kalvenor'\n  ClientHeight = 564\n  ClientWidth = 884\n"
               "  object AdvDockPanel_Left: TAdvDockPanel\n"
               "    Left = 0\n    Top = 0\n    Width = 140\n    Height = 564\n"
               "    Align = daLeft\n    MinimumSize = 3\n";
    s += LockHeight ? "    LockHeight = True\n" : "    LockHeight = False\n";
    s += "    Persistence.Location = plRegistry\n    Persistence.Enabled = False\n"
         "    ToolBarStyler = AdvToolBarOfficeStyler\n    UseRunTimeHeight = False\n    Version = '3.0.9.1'\n"
         "    object AdvToolBar_Left: TAdvToolBar\n"
         "      Left = 3\n      Top = 1\n      Width = 124\n      Height = 520\n"
         "      AllowFloating = False\n      Caption = 'Untitled'\n      CaptionFont.Name = 'Tahoma'\n"
         "      CaptionFont.Size = 8\n      CompactImageIndex = -1\n      FullSize = True\n"
         "      TextAutoOptionMenu = 'Add or Remove Buttons'\n      TextOptionMenu = 'Options'\n"
         "      ToolBarStyler = AdvToolBarOfficeStyler\n      ParentOptionPicture = True\n      ToolBarIndex "
         "= -1\n";
    // Layout order: the separators, the buttons, the container; the toolbar stacks them by Top.
    s += SeparatorObject("AdvToolBarSeparator1", 85) + SeparatorObject("AdvToolBarSeparator2", 138) +
         SeparatorObject("AdvToolBarSeparator3", 234) + SeparatorObject("AdvToolBarSeparator4", 373) +
         SeparatorObject("AdvToolBarSeparator5", 469) + SeparatorObject("AdvToolBarSeparator6", 51);
    s += ButtonObject("AdvGlowButton_Catalog", 61, 24) + ButtonObject("AdvGlowButton_Overview", 95, 43) +
         ButtonObject("AdvGlowButton_Supplies", 148, 43) + ButtonObject("AdvGlowButton_Demands", 191, 43) +
         ButtonObject("AdvGlowButton_Contacts", 244, 43) + ButtonObject("AdvGlowButton_Inbox", 287, 43) +
         ButtonObject("AdvGlowButton_Outbox", 330, 43) + ButtonObject("AdvGlowButton_AddFunds", 383, 43) +
         ButtonObject("AdvGlowButton_Transactions", 426, 43) + ButtonObject("AdvGlowButton_Hits", 479, 43);
    s += "      object AdvToolBarContainer: TAdvToolBarContainer\n"
         "        Left = 2\n        Top = 2\n        Width = 120\n        Height = 49\n"
         "        Caption = 'Quick offer search'\n        Color.Color = clWhite\n        Color.ColorTo = "
         "clBtnFace\n"
         "        Color.Direction = gdHorizontal\n        LineColor = clBtnShadow\n        Line3D = True\n"
         "        object edt_Search: TEdit\n"
         "          Left = 8\n          Top = 20\n          Width = 103\n          Height = 21\n"
         "          Text = 'search...'\n        end\n"
         "      end\n"
         "    end\n"
         "  end\n"
         "  object AdvToolBarOfficeStyler: TAdvToolBarOfficeStyler\n"
         "    Style = bsOffice2007Luna\n"
         "  end\n"
         "end\n";
    return s;
}

class MainWindowLayoutTest : public ToolBarTest {
protected:
    void Read(bool LockHeight = false) {
        main.reset(new TForm(nullptr));
        ReadComponentFromText(MainLayout(LockHeight), main.get(), "MainWindow.layout");
        panel = Find<TAdvDockPanel>("AdvDockPanel_Left");
        bar = Find<TAdvToolBar>("AdvToolBar_Left");
        container = Find<TAdvToolBarContainer>("AdvToolBarContainer");
        styler = Find<TAdvToolBarOfficeStyler>("AdvToolBarOfficeStyler");
    }
    void TearDown() override {
        main.reset();
        ToolBarTest::TearDown();
    }
    template <typename T> T* Find(const String& Name) {
        auto* c = dynamic_cast<T*>(main->FindComponent(Name));
        EXPECT_NE(c, nullptr) << Name;
        return c;
    }
    win::COLORREF OnMain(TControl* C, int X, int Y) {
        ui.Process();
        TPoint p = C->ClientToScreen(TPoint{X, Y});
        return ui.Pixel(main.get(), p.X - main->Left(), p.Y - main->Top());
    }

    TComponentPtr<TForm> main;
    TAdvDockPanel* panel = nullptr;
    TAdvToolBar* bar = nullptr;
    TAdvToolBarContainer* container = nullptr;
    TAdvToolBarOfficeStyler* styler = nullptr;
};

TEST_F(MainWindowLayoutTest, ThePanelReadsWithTheFullSizeToolBarInOneRowThatFollowsItsLength) {
    Read();
    ASSERT_TRUE(panel && bar && container && styler);
    EXPECT_EQ(static_cast<TControl*>(panel)->Align(), alLeft);
    EXPECT_EQ(panel->MinimumSize(), 3);
    EXPECT_EQ(panel->Persistence()->Location(), plRegistry);
    EXPECT_FALSE(panel->Persistence()->Enabled());
    EXPECT_EQ(panel->CurrentStyler(), styler);
    EXPECT_TRUE(bar->FullSize());
    EXPECT_FALSE(bar->AllowFloating());
    EXPECT_EQ(bar->Caption(), "Untitled");
    EXPECT_EQ(bar->ToolBarStyler(), styler);
    EXPECT_EQ(bar->CurrentStyler(), styler);
    EXPECT_EQ(container->Caption(), "Quick offer search");
    EXPECT_EQ(container->GradientColor()->ColorTo(), clBtnFace);
    EXPECT_EQ(container->GradientColor()->Direction(), gdHorizontal);
    EXPECT_EQ(styler->Style(), AdvToolBarStylers::bsOffice2007Luna);

    EXPECT_EQ(panel->GetRowCount(), 1);
    EXPECT_EQ(panel->GetAdvToolBarCount(), 1);
    EXPECT_EQ(bar->DockPanel(), panel);
    EXPECT_EQ(bar->ToolBarState(), tsDocked);
    EXPECT_EQ(bar->Position(), daLeft);
    EXPECT_EQ(bar->Row(), 0);
    // The column starts one pixel in; the toolbar takes the row's length less two spacings.
    EXPECT_EQ(bar->Left(), 1);
    EXPECT_EQ(bar->Top(), 3);
    EXPECT_EQ(bar->Width(), 124);
    EXPECT_EQ(bar->Height(), 564 - 2 - 4);
    // The panel sizes itself to its column: spacing 1 + thickness 124 + 1, and the inset 1.
    EXPECT_EQ(panel->Width(), 127);
    main->Show();
    ui.Process();
    main->SetClientHeight(400);
    ui.Process();
    EXPECT_EQ(panel->Height(), 400);
    EXPECT_EQ(bar->Height(), 400 - 2 - 4);
    EXPECT_EQ(panel->Width(), 127);
}

TEST_F(MainWindowLayoutTest, TheToolBarStacksItsControlsTopToBottomAndTheContainerHostsTheSearchEdit) {
    Read();
    ASSERT_TRUE(bar && container);
    const char* order[] = {"AdvToolBarContainer",    "AdvToolBarSeparator6",   "AdvGlowButton_Catalog",
                           "AdvToolBarSeparator1",   "AdvGlowButton_Overview", "AdvToolBarSeparator2",
                           "AdvGlowButton_Supplies", "AdvGlowButton_Demands",  "AdvToolBarSeparator3",
                           "AdvGlowButton_Contacts", "AdvGlowButton_Inbox",    "AdvGlowButton_Outbox",
                           "AdvToolBarSeparator4",   "AdvGlowButton_AddFunds", "AdvGlowButton_Transactions",
                           "AdvToolBarSeparator5",   "AdvGlowButton_Hits"};
    const int tops[] = {2, 51, 61, 85, 95, 138, 148, 191, 234, 244, 287, 330, 373, 383, 426, 469, 479};
    ASSERT_EQ(bar->ToolBarControlCount(), 17);
    for (int i = 0; i < 17; ++i) {
        TControl* c = bar->ToolBarControls(i);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Name(), order[i]) << i;
        EXPECT_EQ(c->Left(), 2) << order[i];
        EXPECT_EQ(c->Top(), tops[i]) << order[i];
        EXPECT_EQ(c->Width(), 120) << order[i];
    }
    auto* sep = Find<TAdvToolBarSeparator>("AdvToolBarSeparator3");
    EXPECT_EQ(sep->Position(), daLeft);
    EXPECT_EQ(sep->Height(), 10);

    auto* edit = Find<TEdit>("edt_Search");
    EXPECT_EQ(edit->Parent(), container);
    EXPECT_EQ(edit->Top(), 20);
    EXPECT_EQ(container->AdvToolBar(), bar);
    EXPECT_EQ(bar->IndexOfToolBarControl(edit), -1);
    main->Show();
    ui.Process();
    ui.Click(edit);
    EXPECT_TRUE(edit->Focused());
    edit->SetText("");
    ui.Type("car");
    EXPECT_EQ(edit->Text(), "car");
}

TEST_F(MainWindowLayoutTest, AStylerChangeReachesTheSideBarAndFreeingTheStylerFallsBackToTheInternalOnes) {
    Read();
    styler->SetToolBarStyle(AdvToolBarStylers::bsOffice2003Olive);
    EXPECT_EQ(panel->Color(), 0xAADADA);
    EXPECT_EQ(bar->Color(), 0xCFF0EA);
    // Olive draws a grip: code 2 alone does not re-lay, code 5 from the grip style did.
    EXPECT_EQ(bar->ToolBarControls(0)->Top(), 9);
    FreeComponent(styler);
    EXPECT_EQ(panel->ToolBarStyler(), nullptr);
    EXPECT_EQ(bar->CurrentStyler(), panel->InternalStyler());
    EXPECT_EQ(panel->Color(), panel->InternalStyler()->DockColor()->Color());
    // The side bar still works with the default look, which draws a grip: 7 + 2.
    bar->UpdateMe(5);
    EXPECT_EQ(bar->ToolBarControls(0)->Top(), 9);
}

TEST_F(MainWindowLayoutTest, AFrozenPanelRefusesAnotherFullSizeToolBar) {
    Read(true);
    ASSERT_TRUE(panel->RowsFrozen());
    auto* other = new TAdvToolBar(main.get());
    other->SetFullSize(true);
    EXPECT_EQ(panel->AddToolBar(other), -1);
    other->SetParent(panel);
    // Refused: it stays out of the panel's lists and rows (its state stays what it was).
    EXPECT_EQ(other->DockPanel(), nullptr);
    EXPECT_EQ(other->Row(), -1);
    EXPECT_EQ(panel->GetAdvToolBarCount(), 1);
    EXPECT_EQ(panel->GetRowCount(), 1);
}

TEST_F(MainWindowLayoutTest, DockingAtRunTimeRaisesOnDocked) {
    Read();
    auto* other = new TAdvToolBar(main.get());
    TAdvDockPanel* seen = nullptr;
    other->OnDocked = [&](TObject* Sender, TAdvDockPanel* Panel) {
        EXPECT_EQ(Sender, other);
        seen = Panel;
    };
    other->SetParent(panel);
    EXPECT_EQ(seen, panel);
    EXPECT_EQ(panel->GetRowCount(), 2);
    EXPECT_EQ(other->CurrentStyler(), styler);
}

TEST_F(MainWindowLayoutTest, TheFullSizeToolBarIsPartOfTheDockInFineBandsWithoutBorder) {
    Read();
    main->Show();
    ui.Process();
    if (const char* dir = std::getenv("KALVENOR_TOOLBAR_PNG"))
        ui.WritePng(main.get(), String(dir) + "/sidebar.png");
    TGradientBackground* dock = styler->DockColor();
    ASSERT_NE(dock->ColorTo(), clNone);
    ASSERT_EQ(dock->Direction(), gdHorizontal);
    // Left to right from the dock colour to its second colour, edge to edge: no border on any side.
    const int y = bar->Height() - 10;
    EXPECT_THAT(OnMain(bar, 0, y), IsColorNear(Ref(dock->Color()), 2));
    EXPECT_THAT(OnMain(bar, bar->Width() - 1, y), IsColorNear(Ref(dock->ColorTo()), 3));
    for (int x : {0, bar->Width() / 2, bar->Width() - 1}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(OnMain(bar, x, 0), OnMain(bar, x, y));
        EXPECT_EQ(OnMain(bar, x, bar->Height() - 1), OnMain(bar, x, y));
    }
    // 256 bands over about 125 pixels: neighbouring columns differ by a step at most, never by a line.
    for (int x = 1; x < bar->Width(); ++x)
        ASSERT_THAT(OnMain(bar, x, y), IsColorNear(OnMain(bar, x - 1, y), 3)) << x;
    // The panel beside it shows the same dock colours, with no edge line of its own.
    EXPECT_THAT(OnMain(panel, 1, y), IsColorNear(Ref(dock->Color()), 2));
    EXPECT_THAT(OnMain(panel, panel->Width() - 1, y), IsColorNear(OnMain(panel, panel->Width() - 2, y), 3));
    // A separator: the etched groove across its middle.
    auto* sep = Find<TAdvToolBarSeparator>("AdvToolBarSeparator3");
    EXPECT_EQ(OnMain(sep, 60, 5), Ref(clBtnShadow));
    EXPECT_EQ(OnMain(sep, 60, 6), Ref(clWhite));
    // The container's frame: top line right of the caption, 3D white below it, the left line.
    EXPECT_EQ(OnMain(container, 115, 4), Ref(clBtnShadow));
    EXPECT_EQ(OnMain(container, 115, 5), Ref(clWhite));
    EXPECT_EQ(OnMain(container, 0, 30), Ref(clBtnShadow));
    EXPECT_EQ(OnMain(container, 1, 30), Ref(clWhite));
}

} // namespace
} // namespace toolbartest
