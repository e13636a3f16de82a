// Where a toolbar puts its controls: one line across or down, floating rows, controls hidden behind
// the right handle parked out of sight; the size queries; layouts naming every dock mode.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "components/foundation/AdvGlowButton.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/vcl/Panel.h"

namespace toolbartest {
namespace {

class ToolBarLayoutTest : public ToolBarTest {};

struct Placement {
    const char* Case;
    TDockAlign Align;
    bool Grip;
    bool Caption;
    // Expected Left and Top of the two controls (30 x 20 and 40 x 22).
    int L1, T1, L2, T2;
};

TEST_F(ToolBarLayoutTest, ControlsFollowOneAnotherAlongTheLineFromTheStartOffset) {
    // Start: grip width 7 + 2 when the grip shows, else 2; across: 2, plus the caption on its near side.
    const Placement cases[] = {
        {"horizontal with grip", daTop, true, false, 9, 2, 39, 2},
        {"horizontal without grip", daTop, false, false, 2, 2, 32, 2},
        {"horizontal with caption on top", daBottom, false, true, 2, 18, 32, 18},
        {"vertical with grip", daLeft, true, false, 2, 9, 2, 29},
        {"vertical with caption strip on the left", daRight, false, true, 18, 2, 18, 22},
    };
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.Case);
        auto* bar = Make<TAdvToolBar>("Bar", form.get());
        bar->InternalStyler()->SetDragGripStyle(c.Grip ? dsDots : dsNone);
        bar->SetPosition(c.Align);
        bar->SetShowCaption(c.Caption);
        auto* a = Block("A", bar, 30, 20);
        auto* b = Block("B", bar, 40, 22);
        bar->SetControlsPosition(true);
        EXPECT_EQ(a->Left(), c.L1);
        EXPECT_EQ(a->Top(), c.T1);
        EXPECT_EQ(b->Left(), c.L2);
        EXPECT_EQ(b->Top(), c.T2);
        delete bar;
    }
}

TEST_F(ToolBarLayoutTest, InvisibleControlsAreParkedJustPastTheFarSide) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    auto* a = Block("A", bar, 30, 20);
    auto* b = Block("B", bar, 40, 20);
    auto* c = Block("C", bar, 20, 20);
    b->SetVisible(false);
    bar->SetControlsPosition(true);
    EXPECT_EQ(b->Top(), bar->Height() + 2);
    EXPECT_EQ(c->Left(), a->Left() + a->Width()); // the gap closes
    bar->SetPosition(daLeft);
    EXPECT_EQ(b->Left(), bar->Width() + 2);
    EXPECT_EQ(c->Top(), a->Top() + a->Height());
}

TEST_F(ToolBarLayoutTest, SizeQueriesCountTheRightKindsOfControl) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    Block("Edit", bar, 80, 21);
    auto* sep = Make<TAdvToolBarSeparator>("Sep");
    sep->SetAdvToolBar(bar);
    sep->SetBounds(sep->Left(), sep->Top(), 10, 60); // taller than anything: never counted
    int w = 0;
    int h = 0;
    bar->GetMaxControlSize(w, h);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(h, 21);
    w = h = 0;
    bar->GetMaxToolBarButtonSize(w, h);
    EXPECT_EQ(w, 0); // neither the edit nor the separator is a toolbar button
    // Docked thickness: the tallest non-separator + 4, at least 26.
    EXPECT_EQ(bar->GetSizeAtDock(false), 26);
    bar->ToolBarControls(0)->SetHeight(30);
    EXPECT_EQ(bar->GetSizeAtDock(false), 34);
    // Shrink and expand follow the constraints the layout set.
    bar->SetControlsPosition(true);
    EXPECT_EQ(bar->CanExpand(), bar->Constraints()->MaxWidth() - bar->Width());
    EXPECT_EQ(bar->CanShrink(), bar->Width() - bar->Constraints()->MinWidth());
}

TEST_F(ToolBarLayoutTest, WithoutThePopupIndicatorTheLengthLeavesNoRoomForTheHandle) {
    auto* bar = Make<TAdvToolBar>("Bar", form.get());
    bar->InternalStyler()->SetDragGripStyle(dsNone);
    Block("A", bar, 50, 20);
    EXPECT_EQ(bar->GetMaxLength(), 2 + 50 + 14);
    bar->SetShowPopupIndicator(false);
    bar->SetShowRightHandle(false);
    EXPECT_EQ(bar->GetMaxLength(), 60); // 52 is below the minimum length
}

TEST_F(ToolBarLayoutTest, LayoutsNamingEachDockModeLoad) {
    const std::pair<const char*, TDockMode> modes[] = {{"dmAll", dmAll},
                                                       {"dmAllParentDockPanels", dmAllParentDockPanels},
                                                       {"dmParentDockPanelOnly", dmParentDockPanelOnly}};
    for (auto [mode, value] : modes) {
        SCOPED_TRACE(mode);
        TComponentPtr<TForm> f(new TForm(nullptr));
        ReadComponentFromText(String("object F: TForm\n"
                                     "  object Panel: TAdvDockPanel\n"
                                     "    object Bar: TAdvToolBar\n"
                                     "      DockMode = ") +
                                  mode + "\n    end\n  end\nend\n",
                              f.get(), "DockMode.layout");
        auto* bar = dynamic_cast<TAdvToolBar*>(f->FindComponent("Bar"));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->DockMode, value);
        EXPECT_EQ(bar->ToolBarState(), tsDocked);
    }
}

TEST_F(ToolBarLayoutTest, SettingsOtherThanTheDefaultsAreWrittenAndReadBack) {
    TComponentPtr<TForm> f(new TForm(nullptr));
    f->SetName("F");
    auto* panel = new TAdvDockPanel(f.get());
    panel->SetName("Panel");
    panel->SetParent(f.get());
    auto* bar = new TAdvToolBar(f.get());
    bar->SetName("Bar");
    bar->SetParent(panel);
    bar->SetAntiAlias(AdvGDIP::aaNone);
    bar->SetAutoArrangeButtons(false);
    bar->SetCaptionHeight(20);
    bar->SetShowRightHandle(false);
    bar->SetShowOptionIndicator(false);
    bar->DockMode = dmParentDockPanelOnly;
    bar->TextOptionMenu = "More";
    const String text = WriteComponentToText(f.get());
    TComponentPtr<TForm> g(new TForm(nullptr));
    ReadComponentFromText(text, g.get(), "RoundTrip.layout");
    auto* read = dynamic_cast<TAdvToolBar*>(g->FindComponent("Bar"));
    ASSERT_NE(read, nullptr) << text;
    EXPECT_EQ(read->AntiAlias(), AdvGDIP::aaNone);
    EXPECT_FALSE(read->AutoArrangeButtons());
    EXPECT_EQ(read->CaptionHeight(), 20);
    EXPECT_FALSE(read->ShowRightHandle());
    EXPECT_FALSE(read->ShowOptionIndicator());
    EXPECT_EQ(read->DockMode, dmParentDockPanelOnly);
    EXPECT_EQ(read->TextOptionMenu, "More");
    EXPECT_EQ(read->Version(), "3.0.9.1");
}

TEST_F(ToolBarLayoutTest, GlowButtonsOnADockedToolBarReportTheirClicksToIt) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    auto* docked = Make<TAdvToolBar>("Docked", panel);
    auto* fixed = Make<TAdvToolBar>("Fixed", form.get());
    auto* a = Make<AdvGlowButton::TAdvGlowButton>("A", docked);
    auto* b = Make<AdvGlowButton::TAdvGlowButton>("B", fixed);
    EXPECT_TRUE(static_cast<bool>(a->OnInternalClick));
    EXPECT_FALSE(static_cast<bool>(b->OnInternalClick));
    // Restyled by the toolbar: the styler's glow look, not the button's own.
    EXPECT_COLOR(a->Appearance()->ColorHot(), docked->CurrentStyler()->GlowButtonAppearance()->ColorHot());
}

} // namespace
} // namespace toolbartest
