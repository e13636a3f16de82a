// The dock panel: defaults, docking side, rows and self-sizing, refused parents and toolbars, the
// persistence settings passed on to its toolbars.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "platform/rtl/Exceptions.h"

namespace toolbartest {
namespace {

class DockPanelTest : public ToolBarTest {};

TEST_F(DockPanelTest, AnEmptyPanelPaintsFromItsOwnStylerIsMinimumSizeThickAndKeepsItsVersion) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    EXPECT_EQ(panel->CurrentStyler(), panel->InternalStyler());
    EXPECT_EQ(panel->InternalStyler()->Name(), "InternalStyler");
    panel->SetVersion("9.9");
    EXPECT_EQ(panel->Version(), "3.0.9.1");
    EXPECT_EQ(panel->GetVersionNr(), 0x03000901);
    EXPECT_TRUE(panel->ControlStyle().Contains(csAcceptsControls));
    // Empty, it is MinimumSize thick; sizes below one are ignored.
    panel->SetMinimumSize(5);
    EXPECT_EQ(panel->Height(), 5);
    panel->SetMinimumSize(0);
    panel->SetMinimumSize(-3);
    EXPECT_EQ(panel->MinimumSize(), 5);
    EXPECT_EQ(panel->Height(), 5);
}

TEST_F(DockPanelTest, AlignMapsToTheFrameworkAlignmentAndReorientsToolBars) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    auto* bar = Make<TAdvToolBar>("Bar", panel);
    EXPECT_EQ(bar->Position(), daTop);
    panel->SetAlign(daRight);
    EXPECT_EQ(static_cast<TControl*>(panel)->Align(), alRight);
    EXPECT_EQ(bar->Position(), daRight);
    EXPECT_TRUE(bar->IsVertical());
    panel->SetAlign(daLeft);
    EXPECT_EQ(static_cast<TControl*>(panel)->Align(), alLeft);
    panel->SetAlign(daBottom);
    EXPECT_EQ(static_cast<TControl*>(panel)->Align(), alBottom);
    EXPECT_EQ(bar->Position(), daBottom);
}

TEST_F(DockPanelTest, APanelOrAToolBarIsNoParentForAPanel) {
    auto* outer = Make<TAdvDockPanel>("Outer", form.get());
    auto* bar = Make<TAdvToolBar>("Bar", outer);
    auto* inner = Make<TAdvDockPanel>("Inner");
    try {
        inner->SetParent(outer);
        FAIL() << "a panel in a panel";
    } catch (const vcl::Exception& e) {
        EXPECT_EQ(e.Message, "Invalid Parent");
    }
    EXPECT_THROW(inner->SetParent(bar), vcl::Exception);
    EXPECT_EQ(inner->Parent(), nullptr);
}

TEST_F(DockPanelTest, ADockedToolBarGetsARowAndThePanelSizesItselfToIt) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    auto* bar = Make<TAdvToolBar>("Bar", panel);
    EXPECT_EQ(bar->ToolBarState(), tsDocked);
    EXPECT_EQ(bar->DockPanel(), panel);
    EXPECT_EQ(panel->GetAdvToolBarCount(), 1);
    ASSERT_EQ(panel->GetRowCount(), 1);
    EXPECT_EQ(bar->Row(), 0);
    // Row 0 starts one pixel down; the toolbar starts two pixels into the row.
    EXPECT_EQ(bar->Top(), 1);
    EXPECT_EQ(bar->Left(), 1 + 2);
    // Height: row spacing 1 + row thickness 26 + 1.
    EXPECT_EQ(panel->Height(), 28);

    auto* second = Make<TAdvToolBar>("Second", panel);
    EXPECT_EQ(panel->GetRowCount(), 2);
    EXPECT_EQ(second->Row(), 1);
    EXPECT_EQ(second->Top(), 28);
    EXPECT_EQ(panel->Height(), 55);

    bar->SetParent(form.get()); // leaves: its row goes
    EXPECT_EQ(bar->ToolBarState(), tsFixed);
    EXPECT_EQ(bar->DockPanel(), nullptr);
    EXPECT_EQ(panel->GetRowCount(), 1);
    EXPECT_EQ(second->Row(), 0);
    EXPECT_EQ(panel->Height(), 28);
}

TEST_F(DockPanelTest, ToolBarsTakeThePanelsPersistenceExceptTheSection) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    panel->Persistence()->SetKey("Software\\Test");
    panel->Persistence()->SetSection("Docked");
    panel->Persistence()->SetEnabled(true);
    auto* bar = Make<TAdvToolBar>("Bar", panel);
    EXPECT_EQ(bar->Persistence()->Key(), "Software\\Test");
    EXPECT_TRUE(bar->Persistence()->Enabled());
    EXPECT_EQ(bar->Persistence()->Section(), "UnDockedAdvToolBars");
    panel->Persistence()->SetLocation(plIniFile);
    panel->Persistence()->SetEnabled(false);
    EXPECT_EQ(bar->Persistence()->Location(), plIniFile);
    EXPECT_FALSE(bar->Persistence()->Enabled());
}

TEST(PersistenceTest, SettersSignalChangesAndAssignCopiesSilently) {
    TPersistence a(nullptr), b(nullptr);
    int changes = 0;
    a.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &a);
        ++changes;
    };
    a.SetKey("");
    a.SetEnabled(false);
    a.SetLocation(plRegistry);
    EXPECT_EQ(changes, 0);
    a.SetKey("k");
    a.SetSection("s");
    a.SetEnabled(true);
    a.SetLocation(plIniFile);
    EXPECT_EQ(changes, 4);
    b.Assign(&a);
    EXPECT_EQ(b.Key(), "k");
    EXPECT_EQ(b.Section(), "s");
    EXPECT_TRUE(b.Enabled());
    EXPECT_EQ(b.Location(), plIniFile);
    TGradientBackground g;
    EXPECT_THROW(a.Assign(&g), EConvertError);
    EXPECT_EQ(changes, 4);
}

TEST_F(DockPanelTest, FreeingADockedToolBarLeavesThePanelConsistent) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    auto* bar = Make<TAdvToolBar>("Bar", panel);
    auto* second = Make<TAdvToolBar>("Second", panel);
    FreeComponent(bar);
    EXPECT_EQ(panel->GetAdvToolBarCount(), 1);
    EXPECT_EQ(panel->GetRowCount(), 1);
    EXPECT_EQ(second->Row(), 0);
    FreeComponent(panel); // frees its child toolbar too
    EXPECT_EQ(form->ComponentCount(), 0);
    // A panel that owns the toolbars docked on it frees them first: the sanitizer reports any use of
    // them after.
    auto* owner = new TAdvDockPanel(form.get());
    owner->SetParent(form.get());
    for (int i = 0; i < 2; ++i)
        (new TAdvToolBar(owner))->SetParent(owner);
    ASSERT_EQ(owner->GetAdvToolBarCount(), 2);
    delete owner;
}

} // namespace
} // namespace toolbartest
