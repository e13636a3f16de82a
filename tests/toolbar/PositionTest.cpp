// Keeping the toolbar layout: the panel's rows and the toolbars' floating places and hidden controls,
// written at destruction and read back, in an INI file and in the registry; damaged or stale layouts.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "components/toolbar/customizer/AdvToolBarCustomizer.h"

#include <filesystem>
#include <memory>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysInfo.h"
#include "platform/vcl/Panel.h"
#include "platform/vcl/Screen.h"

namespace toolbartest {
namespace {

const String kSection = "ToolBars";
const String kBars = "UnDockedAdvToolBars";

class PositionTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        char pattern[] = "/tmp/kv-layout-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
        SysInfo().SetEnvironmentOverride("KALVENOR_REGISTRY_DIR", dir + "/hives");
        ini = dir + "/layout.ini";
        top = Make<TAdvDockPanel>("Top", form.get());
        Keep(top, plIniFile, ini);
        form->Show();
    }
    void TearDown() override {
        form.reset();
        SysInfo().Reset();
        std::filesystem::remove_all(dir);
        ToolBarTest::TearDown();
    }
    static void Keep(TAdvDockPanel* P, TPersistenceLocation Where, const String& Key) {
        P->Persistence()->SetLocation(Where);
        P->Persistence()->SetKey(Key);
        P->Persistence()->SetSection(kSection);
        P->Persistence()->SetEnabled(true);
    }
    TAdvToolBar* Bar(const String& Name, TAdvDockPanel* P, int Controls = 2) {
        auto* b = Make<TAdvToolBar>(Name, P);
        for (int i = 0; i < Controls; ++i)
            Block(Name + "C" + std::to_string(i), b);
        ui.Process();
        return b;
    }
    std::unique_ptr<TIniFile> Ini() const { return std::make_unique<TIniFile>(ini); }
    // The toolbars of each row by name, rows separated by "|".
    static String Rows(TAdvDockPanel* P) {
        String s;
        for (int r = 0; r < P->GetRowCount(); ++r) {
            if (r) s += "|";
            TRowCollectionItem* row = P->Rows()->Items(r);
            for (int i = 0; i < row->ToolBarCount(); ++i) {
                s += (i ? "," : "") + row->ToolBars(i)->Name();
                EXPECT_EQ(row->ToolBars(i)->Row(), r) << row->ToolBars(i)->Name();
            }
        }
        return s;
    }

    String dir;
    String ini;
    TAdvDockPanel* top = nullptr;
};

TEST_F(PositionTest, ThePanelWritesItsRowsThenItsHiddenToolBarsWhenTheFormGoes) {
    TAdvToolBar* main = Bar("tbMain", top);
    auto* unnamed = new TPanel(form.get());
    unnamed->SetBounds(0, 0, 30, 20);
    unnamed->SetParent(main);
    static_cast<TControl*>(form->FindComponent("tbMainC1"))->SetVisible(false);
    TAdvToolBar* edit = Bar("tbEdit", top);
    edit->SetVisible(false);
    ui.Process();
    const TRect bounds = main->BoundsRect();
    form.reset();

    auto f = Ini();
    EXPECT_EQ(f->ReadInteger(kSection, "ToolBarCount", -1), 2);
    EXPECT_EQ(f->ReadInteger(kSection, "RowCount", -1), 1);
    EXPECT_EQ(f->ReadString(kSection, "Name1", ""), "tbMain");
    EXPECT_EQ(f->ReadInteger(kSection, "tbMain.Row", -1), 0);
    EXPECT_EQ(f->ReadInteger(kSection, "tbMain.Left", -1), bounds.Left);
    EXPECT_EQ(f->ReadInteger(kSection, "tbMain.Top", -1), bounds.Top);
    EXPECT_EQ(f->ReadInteger(kSection, "tbMain.Width", -1), bounds.Width());
    EXPECT_EQ(f->ReadInteger(kSection, "tbMain.Height", -1), bounds.Height());
    EXPECT_EQ(f->ReadString(kSection, "tbMain.Visible", ""), "1");
    EXPECT_EQ(f->ReadString(kSection, "Name2", ""), "tbEdit");
    EXPECT_EQ(f->ReadString(kSection, "tbEdit.Visible", ""), "0");
    // The toolbars' own section: one entry per named control, the hidden one as 0.
    EXPECT_EQ(f->ReadString(kBars, "tbMain.tbMainC0", ""), "1");
    EXPECT_EQ(f->ReadString(kBars, "tbMain.tbMainC1", ""), "0");
    EXPECT_EQ(f->ReadString(kBars, "tbEdit.tbEditC0", ""), "1");
    TStringList names;
    f->ReadSection(kBars, &names);
    EXPECT_EQ(names.Count(), 4) << "a control without a name is not kept";
    EXPECT_EQ(f->ReadString(kBars, "tbMain.Name", "absent"), "absent") << "docked: no floating entries";
}

TEST_F(PositionTest, TheRowsComeBackFromTheRegistryAsTheyWereSaved) {
    Keep(top, plRegistry, "Software\\Kalvenor\\Layout");
    TAdvToolBar* a = Bar("A", top);
    Bar("B", top);
    TAdvToolBar* c = Bar("C", top);
    top->Rows()->MoveToolBarToRow(c, 0);
    ui.Process();
    ASSERT_EQ(Rows(top), "A,C|B");
    const int left = c->Left();
    top->SaveToolBarsPosition();
    top->Rows()->MoveToolBarToRow(a, 1);
    ui.Process();
    ASSERT_NE(Rows(top), "A,C|B");
    top->LoadToolBarsPosition();
    EXPECT_EQ(Rows(top), "A,C|B");
    EXPECT_EQ(c->Left(), left);
    TRegistryIniFile reg("Software\\Kalvenor\\Layout");
    EXPECT_EQ(reg.ReadInteger(kSection, "ToolBarCount", 0), 3) << "integers stored as integers";
}

TEST_F(PositionTest, WithoutAToolBarCountOnlyTheToolBarsOwnSectionsAreRead) {
    TAdvToolBar* a = Bar("A", top);
    Bar("B", top);
    top->Rows()->MoveToolBarToRow(a, 1);
    ui.Process();
    const String before = Rows(top);
    Ini()->WriteInteger(kBars, "A.AC0", 0);
    Ini()->WriteInteger(kSection, "RowCount", 5);
    top->LoadToolBarsPosition();
    EXPECT_EQ(Rows(top), before);
    EXPECT_TRUE(a->PositionLoaded());
    EXPECT_FALSE(static_cast<TControl*>(form->FindComponent("AC0"))->Visible()) << "hidden control kept";
    Ini()->WriteInteger(kSection, "ToolBarCount", 0);
    top->LoadToolBarsPosition();
    EXPECT_EQ(Rows(top), before);
}

TEST_F(PositionTest, ExtraStoredRowsAreDroppedAndUnnamedToolBarsGetRowsOfTheirOwn) {
    Bar("A", top);
    Bar("B", top);
    Bar("C", top);
    auto f = Ini();
    f->WriteInteger(kSection, "ToolBarCount", 2);
    f->WriteInteger(kSection, "RowCount", 5);
    f->WriteString(kSection, "Name1", "b");
    f->WriteInteger(kSection, "b.Row", 3);
    f->WriteString(kSection, "Name2", "A");
    f->WriteInteger(kSection, "A.Row", 3);
    top->LoadToolBarsPosition();
    EXPECT_EQ(Rows(top), "B,A|C") << "names match whatever their case";
}

TEST_F(PositionTest, ADamagedLayoutNeitherCrashesNorLosesAToolBar) {
    Bar("A", top);
    Bar("B", top);
    Bar("C", top);
    auto f = Ini();
    f->WriteInteger(kSection, "ToolBarCount", 2000000000);
    f->WriteInteger(kSection, "RowCount", 2000000000);
    f->WriteString(kSection, "Name1", "B");
    f->WriteInteger(kSection, "B.Row", 57);
    f->WriteString(kSection, "B.Left", "abc");
    f->WriteInteger(kSection, "B.Width", -5000000);
    f->WriteString(kSection, "Name2", "Nobody");
    f->WriteString(kSection, "Name4", "A");
    f->WriteInteger(kSection, "A.Row", 0);
    f->WriteString(kSection, "A.Visible", "yes");
    top->LoadToolBarsPosition();
    // A takes row 0; B, whose row does not exist, and C, not named, get rows of their own.
    EXPECT_EQ(Rows(top), "A|B|C");
    EXPECT_TRUE(static_cast<TControl*>(form->FindComponent("A"))->Visible()) << "garbled: current value";
    TAdvToolBar* b = static_cast<TAdvToolBar*>(form->FindComponent("B"));
    EXPECT_GE(b->Width(), b->MinLength());
    EXPECT_GE(b->Left(), 0);
}

TEST_F(PositionTest, AToolBarNamedInTheLayoutMovesInFromAnotherPanelOfTheForm) {
    auto* bottom = Make<TAdvDockPanel>("Bottom", form.get());
    bottom->SetAlign(daBottom);
    TAdvToolBar* x = Bar("X", bottom);
    Bar("A", top);
    auto f = Ini();
    f->WriteInteger(kSection, "ToolBarCount", 2);
    f->WriteInteger(kSection, "RowCount", 1);
    f->WriteString(kSection, "Name1", "A");
    f->WriteInteger(kSection, "A.Row", 0);
    f->WriteString(kSection, "Name2", "X");
    f->WriteInteger(kSection, "X.Row", 0);
    top->LoadToolBarsPosition();
    EXPECT_EQ(Rows(top), "A,X");
    EXPECT_EQ(x->DockPanel(), top);
    EXPECT_EQ(x->Parent(), top);
    EXPECT_EQ(x->Position(), daTop);
    EXPECT_EQ(bottom->GetAdvToolBarCount(), 0);
    EXPECT_EQ(Rows(bottom), "");
}

TEST_F(PositionTest, AToolBarSavedFloatingFloatsAgainWhereItWas) {
    TAdvToolBar* a = Bar("A", top, 6);
    a->SetFloating(200, 150, true);
    a->SetFloatingRows(2);
    a->SavePosition();
    auto f = Ini();
    EXPECT_EQ(f->ReadString(kBars, "A.Name", ""), "A");
    EXPECT_EQ(f->ReadInteger(kBars, "A.State", -1), 1);
    EXPECT_EQ(f->ReadInteger(kBars, "A.FloatingRows", -1), 2);
    EXPECT_EQ(f->ReadInteger(kBars, "A.Left", -1), 200);
    EXPECT_EQ(f->ReadInteger(kBars, "A.Top", -1), 150);
    EXPECT_EQ(f->ReadInteger(kBars, "A.Width", -1), a->Width());

    a->SetAdvDockPanel(top);
    a->SetFloatingRows(1);
    a->LoadPosition();
    ASSERT_EQ(a->ToolBarState(), tsFloating);
    EXPECT_EQ(a->FloatingWindow()->Left(), 200);
    EXPECT_EQ(a->FloatingWindow()->Top(), 150);
    EXPECT_EQ(a->FloatingRows(), 2);

    // Saved docked after having floated: only the state changes, and it loads docked.
    a->SetAdvDockPanel(top);
    a->SavePosition();
    EXPECT_EQ(f->ReadInteger(kBars, "A.State", -1), 0);
    EXPECT_EQ(f->ReadInteger(kBars, "A.Left", -1), 200);
    a->LoadPosition();
    EXPECT_EQ(a->ToolBarState(), tsDocked);
}

TEST_F(PositionTest, AFloatingPlaceOffTheScreenComesBackOntoTheWorkArea) {
    TAdvToolBar* a = Bar("A", top);
    auto f = Ini();
    f->WriteString(kBars, "A.Name", "a");
    f->WriteInteger(kBars, "A.State", 1);
    f->WriteInteger(kBars, "A.Left", 40000);
    f->WriteInteger(kBars, "A.Top", -900000);
    a->LoadPosition();
    ASSERT_EQ(a->ToolBarState(), tsFloating);
    TRect work = vcl::Screen->WorkAreaRect();
    TRect r = a->FloatingWindow()->BoundsRect();
    EXPECT_TRUE(r.Left >= work.Left && r.Right <= work.Right && r.Top >= work.Top && r.Bottom <= work.Bottom)
        << r.Left << "," << r.Top;
}

TEST_F(PositionTest, SettingsThatAreOffOrIncompleteOrUnwritableNeverStopTheTeardown) {
    TAdvToolBar* a = Bar("A", top);
    top->Persistence()->SetEnabled(false);
    EXPECT_FALSE(a->Persistence()->Enabled()) << "the panel's settings reach its toolbars";
    a->SavePosition();
    top->SaveToolBarsPosition();
    EXPECT_FALSE(std::filesystem::exists(ini)) << "nothing written while off";
    top->Persistence()->SetEnabled(true);
    top->Persistence()->SetSection("");
    form.reset();
    TStringList sections;
    Ini()->ReadSections(&sections);
    ASSERT_EQ(sections.Count(), 1) << "the panel keeps nothing without a section";
    EXPECT_EQ(sections.Strings(0), kBars);

    form.reset(TCustomForm::CreateNew(nullptr));
    top = Make<TAdvDockPanel>("Top", form.get());
    Keep(top, plIniFile, dir + "/no/such/folder/layout.ini");
    Bar("A", top);
    EXPECT_NO_THROW(form.reset());
}

// A toolbar whose loading step a test can run.
struct LoadableToolBar : TAdvToolBar {
    using TAdvToolBar::TAdvToolBar;
    void Load() { Loaded(); }
};

TEST_F(PositionTest, TheCustomizerKeepsTheToolBarAsItsLayoutLeftIt) {
    auto* a = Make<LoadableToolBar>("A", top);
    auto* shown = Make<TAdvToolBarButton>("Shown", a);
    auto* hidden = Make<TAdvToolBarButton>("Hidden", a);
    ui.Process();
    Ini()->WriteInteger(kBars, "A.Hidden", 0);
    auto* cust = Make<TAdvToolBarCustomizer>("Cust");
    cust->SetFileName(dir + "/customizer.ini");
    cust->SetAdvToolBar(a);
    a->Load();
    ASSERT_TRUE(shown->Visible());
    ASSERT_FALSE(hidden->Visible()) << "read from the layout";
    // The design state the customizer writes is the toolbar once its layout has been read.
    TIniFile custIni(dir + "/customizer.ini");
    EXPECT_EQ(custIni.ReadString("CustOrg", "Name1", ""), "Hidden");
    EXPECT_EQ(custIni.ReadString("CustOrg", "Name1.Visible", ""), "0");
    EXPECT_EQ(custIni.ReadString("CustOrg", "Name0.Visible", ""), "1");
}

} // namespace
} // namespace toolbartest
