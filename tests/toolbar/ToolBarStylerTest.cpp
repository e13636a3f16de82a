// The toolbar styler: appearance objects, change codes reaching the registered controls, release and
// free notification, Assign, and the office presets.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "platform/rtl/Exceptions.h"

namespace toolbartest {
namespace {

using namespace AdvToolBarStylers;

TEST(ToolBarAppearanceTest, GradientWritesAlwaysNotifyButCopyingNeverDoes) {
    TGradientBackground g, src;
    EXPECT_EQ(g.Color(), clWhite);
    EXPECT_EQ(g.ColorTo(), clBtnFace);
    EXPECT_EQ(g.Direction(), gdHorizontal);
    EXPECT_EQ(g.Steps(), 64);
    int changes = 0;
    g.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &g);
        ++changes;
    };
    g.SetColor(clWhite); // same value: still a change
    g.SetSteps(64);
    EXPECT_EQ(changes, 2);
    src.SetColor(0x123456);
    src.SetColorTo(0x654321);
    src.SetDirection(gdVertical);
    src.SetSteps(8);
    g.Assign(&src);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(g.Color(), 0x123456);
    EXPECT_EQ(g.ColorTo(), 0x654321);
    EXPECT_EQ(g.Direction(), gdVertical);
    EXPECT_EQ(g.Steps(), 8);
    TContainerAppearance other;
    g.Assign(&other); // ignored without error
    EXPECT_EQ(g.Color(), 0x123456);
}

TEST(ToolBarAppearanceTest, ContainerAppearanceComparesAndRefusesForeignSources) {
    TContainerAppearance a, b;
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    a.SetLineColor(clBtnShadow);
    a.SetLine3D(true);
    EXPECT_EQ(changes, 0);
    b.SetLineColor(clNone);
    b.SetLine3D(false);
    a.Assign(&b);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(a.LineColor(), clNone);
    EXPECT_FALSE(a.Line3D());
    TGradientBackground g;
    EXPECT_THROW(a.Assign(&g), EConvertError);
}

class StylerTest : public ToolBarTest {};

TEST_F(StylerTest, ChangeCodesReachRegisteredPanelsOnlyWhenAValueChanges) {
    auto* styler = Make<TCustomAdvToolBarStyler>("Styler");
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    panel->SetToolBarStyler(styler);
    ASSERT_EQ(styler->ControlCount(), 1);
    // UpdateMe takes the dock colour: a colour set by hand shows whether the panel was told.
    panel->SetColor(0x010203);
    styler->SetRightHandleColor(styler->RightHandleColor());
    styler->SetDragGripStyle(styler->DragGripStyle());
    styler->SetBackGroundTransparent(styler->BackGroundTransparent());
    EXPECT_EQ(panel->Color(), 0x010203);
    styler->SetRoundEdges(styler->RoundEdges()); // always signals
    EXPECT_EQ(panel->Color(), styler->DockColor()->Color());

    panel->SetColor(0x010203);
    styler->ColorHot()->SetColor(0x445566); // not connected
    EXPECT_EQ(panel->Color(), 0x010203);
    styler->DockColor()->SetColor(0x00A0B0C0);
    EXPECT_EQ(panel->Color(), 0x00A0B0C0);
}

TEST_F(StylerTest, ChangeWithAnEmptyListAndRemovalOfAnUnknownClientAreHarmless) {
    auto* styler = Make<TCustomAdvToolBarStyler>("Styler");
    styler->Change(TStylerChange::Colors);
    RecordingClient client;
    styler->AddControl(&client);
    styler->RemoveControl(&client);
    styler->RemoveControl(&client); // not there: nothing
    EXPECT_EQ(styler->ControlCount(), 0);
    EXPECT_TRUE(client.Codes.empty());
}

TEST_F(StylerTest, FreeingTheStylerHandsPanelsAndToolBarsBackToTheirInternalStylers) {
    auto* styler = Make<TCustomAdvToolBarStyler>("Styler");
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    panel->SetAlign(daLeft);
    auto* bar = Make<TAdvToolBar>("Bar", panel);
    panel->SetToolBarStyler(styler);
    EXPECT_EQ(panel->CurrentStyler(), styler);
    EXPECT_EQ(bar->CurrentStyler(), styler); // ParentStyler: the panel's styler
    EXPECT_EQ(styler->ControlCount(), 2);
    FreeComponent(styler);
    EXPECT_EQ(panel->ToolBarStyler(), nullptr);
    EXPECT_EQ(panel->CurrentStyler(), panel->InternalStyler());
    EXPECT_EQ(bar->CurrentStyler(), panel->InternalStyler());
    EXPECT_EQ(panel->Color(), panel->InternalStyler()->DockColor()->Color());
}

TEST_F(StylerTest, FreeingRegisteredControlsLeavesNoStaleEntries) {
    auto* styler = Make<TCustomAdvToolBarStyler>("Styler");
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->SetParentStyler(false);
    bar->SetToolBarStyler(styler);
    panel->SetToolBarStyler(styler);
    EXPECT_EQ(styler->ControlCount(), 2);
    FreeComponent(bar);
    FreeComponent(panel);
    EXPECT_EQ(styler->ControlCount(), 0);
    styler->Change(TStylerChange::Colors);
}

TEST_F(StylerTest, AssignCopiesColoursAndSettingsButNotBorderColours) {
    auto* a = Make<TCustomAdvToolBarStyler>("A");
    auto* b = Make<TCustomAdvToolBarStyler>("B");
    b->Color()->SetColor(0x111111);
    b->DockColor()->SetColorTo(0x222222);
    b->SetDragGripStyle(dsNone);
    b->SetFloatingWindowBorderWidth(5);
    b->SetBorderColor(0x333333);
    b->ContainerAppearance()->SetLineColor(clRed);
    a->Assign(b);
    EXPECT_EQ(a->Color()->Color(), 0x111111);
    EXPECT_EQ(a->DockColor()->ColorTo(), 0x222222);
    EXPECT_EQ(a->DragGripStyle(), dsNone);
    EXPECT_EQ(a->FloatingWindowBorderWidth(), 5);
    EXPECT_EQ(a->BorderColor(), clNone);
    EXPECT_EQ(a->ContainerAppearance()->LineColor(), clBtnShadow);
    EXPECT_THROW(a->Assign(form.get()), EConvertError);
}

TEST_F(StylerTest, ANewOfficeStylerHoldsTheBluePresetOverTheWindowsXPOne) {
    auto* s = Make<TAdvToolBarOfficeStyler>("Office");
    EXPECT_EQ(s->Style(), bsOffice2003Blue);
    EXPECT_EQ(s->ChildComponentStyle(), AdvStyleIF::tsOffice2003Blue);
    EXPECT_EQ(s->Color()->Direction(), gdVertical);
    EXPECT_EQ(s->DockColor()->Steps(), 128);
    // Blue does not write it: the Windows XP value loaded first stays.
    EXPECT_EQ(s->GlowButtonAppearance()->BorderColorChecked(), clBlack);
    EXPECT_FALSE(s->DarkStyle());
}

TEST_F(StylerTest, OfficeStylesLoadTheirPresetsAndSignalOnlyOnAChangeOfStyle) {
    auto* s = Make<TAdvToolBarOfficeStyler>("Office");
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    panel->SetToolBarStyler(s);
    s->SetToolBarStyle(bsOffice2007Luna);
    EXPECT_EQ(panel->Color(), 0xEDD8C7); // told with code 2
    EXPECT_EQ(s->DockColor()->ColorTo(), 0xFAF1E9);
    EXPECT_EQ(s->Color()->ColorTo(), 0xF6E9D9);
    EXPECT_EQ(s->Color()->Steps(), 64); // the 2007 cases leave the steps alone
    EXPECT_EQ(s->DragGripStyle(), dsNone);
    EXPECT_EQ(s->RightHandleColorDown(), 0x087FE8);
    EXPECT_EQ(s->BorderColor(), 0xDFD2C5);
    EXPECT_EQ(s->FloatingWindowBorderWidth(), 1);
    EXPECT_EQ(s->ChildComponentStyle(), AdvStyleIF::tsOffice2007Luna);

    s->DockColor()->SetColor(0x0000FF); // a single override...
    panel->SetColor(0x010203);
    s->SetToolBarStyle(bsOffice2007Luna); // ...survives setting the same style, and nobody is told
    EXPECT_EQ(s->DockColor()->Color(), 0x0000FF);
    EXPECT_EQ(panel->Color(), 0x010203);

    s->SetToolBarStyle(bsOffice2003Silver);
    EXPECT_EQ(s->RightHandleColorDown(), 0x087FE8); // Silver does not write it
    s->SetToolBarStyle(bsOffice2007Obsidian);
    EXPECT_TRUE(s->DarkStyle());
    s->SetToolBarStyle(bsOffice2003Classic);
    EXPECT_FALSE(s->DarkStyle());
    EXPECT_EQ(s->ChildComponentStyle(), AdvStyleIF::tsCustom);
}

TEST_F(StylerTest, CustomKeepsTheColoursAndWindowsXPMatchesOfficeXP) {
    auto* s = Make<TAdvToolBarOfficeStyler>("Office");
    s->SetToolBarStyle(bsWhidbeyStyle);
    TColor dock = s->DockColor()->Color();
    s->SetComponentStyle(AdvStyleIF::tsCustom);
    EXPECT_EQ(s->Style(), bsCustom);
    EXPECT_EQ(s->DockColor()->Color(), dock);
    EXPECT_EQ(s->ChildComponentStyle(), AdvStyleIF::tsCustom);

    auto* xp = Make<TAdvToolBarOfficeStyler>("XP");
    auto* officeXp = Make<TAdvToolBarOfficeStyler>("OfficeXP");
    xp->SetToolBarStyle(bsWindowsXP);
    officeXp->SetToolBarStyle(bsOfficeXP);
    EXPECT_EQ(xp->Color()->Color(), officeXp->Color()->Color());
    EXPECT_EQ(xp->DragGripStyle(), dsSingleLine);
    EXPECT_EQ(officeXp->DragGripStyle(), dsSingleLine);
    EXPECT_EQ(xp->Bevel(), officeXp->Bevel());
    EXPECT_TRUE(officeXp->UseBevel());
    EXPECT_FALSE(officeXp->RoundEdges());
    EXPECT_EQ(officeXp->ChildComponentStyle(), AdvStyleIF::tsWindowsXP);
}

} // namespace
} // namespace toolbartest
