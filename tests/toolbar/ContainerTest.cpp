// The toolbar container: the toolbar shows through it, its frame and caption follow the line settings
// in effect, a windowed child works normally, toolbar buttons inside share the toolbar's groups, and a
// control dropped at design time lands right of the others.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/Panel.h"

namespace toolbartest {
namespace {

class ContainerTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        panel = Make<TAdvDockPanel>("Panel", form.get());
        panel->SetAlign(daLeft);
        bar = Make<TAdvToolBar>("Bar", panel);
        box = Make<TAdvToolBarContainer>("Box", bar);
        box->SetBounds(2, 2, 120, 49);
    }
    void Show() {
        form->Show();
        ui.Process();
    }
    // The colour at a client point of the container on screen, and the colour the toolbar paints
    // itself (without its windowed children) at the same place.
    std::pair<win::COLORREF, win::COLORREF> WithAndWithout(int X, int Y) {
        win::COLORREF with = At(box, X, Y);
        TBitmap own(bar->Width(), bar->Height());
        win::HDC dc = own.Canvas()->Handle();
        bar->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc),
                     reinterpret_cast<win::LPARAM>(dc));
        bar->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
        win::COLORREF without = own.Canvas()->GetPixel(box->Left() + X, box->Top() + Y) & 0xFFFFFF;
        return {with, without};
    }

    TAdvDockPanel* panel = nullptr;
    TAdvToolBar* bar = nullptr;
    TAdvToolBarContainer* box = nullptr;
};

TEST_F(ContainerTest, TheToolBarShowsThroughTheContainerWhoseLinesFollowTheStylerAndClNoneDrawsNoFrame) {
    bar->CurrentStyler()->Color()->SetColor(0x3366CC);
    bar->CurrentStyler()->Color()->SetColorTo(0x99CCFF);
    Show();
    // Inside the frame, away from the lines, several points in both directions.
    for (TPoint p : {TPoint{10, 20}, TPoint{60, 30}, TPoint{110, 12}}) {
        auto [with, without] = WithAndWithout(p.X, p.Y);
        EXPECT_COLOR(with, without) << p.X << "," << p.Y;
    }
    // The styler's line settings win over the container's own.
    TContainerAppearance* look = bar->CurrentStyler()->ContainerAppearance();
    look->SetLineColor(0x0000C0);
    look->SetLine3D(true);
    box->SetLineColor(0xC00000); // no effect while the styler decides
    box->SetLine3D(false);
    // Margin 2: the top line is 4 pixels down, its white copy one below; left line at x 0.
    EXPECT_COLOR(At(box, 30, 4), 0x0000C0);
    EXPECT_COLOR(At(box, 30, 5), 0xFFFFFF);
    EXPECT_COLOR(At(box, 0, 25), 0x0000C0);
    EXPECT_COLOR(At(box, 1, 25), 0xFFFFFF);
    EXPECT_COLOR(At(box, 60, 49 - 2), 0x0000C0);
    // Its own settings count once it stops following the styler.
    box->SetParentStyler(false);
    EXPECT_COLOR(At(box, 30, 4), 0xC00000);
    auto [below, behind] = WithAndWithout(30, 5);
    EXPECT_COLOR(below, behind);
    // clNone: only the toolbar behind it.
    box->SetLineColor(clNone);
    auto [with, without] = WithAndWithout(0, 25);
    EXPECT_COLOR(with, without);
}

TEST_F(ContainerTest, ACaptionBreaksTheTopLineWhichIsWholeWithoutOne) {
    box->SetParentStyler(false);
    box->SetLineColor(0x0000C0);
    Show();
    EXPECT_COLOR(At(box, 5, 4), 0x0000C0);
    EXPECT_COLOR(At(box, 40, 4), 0x0000C0);
    box->SetCaption("Quick offer search");
    // The line stops before the caption at x 9 and takes up again after it.
    EXPECT_COLOR(At(box, 5, 4), 0x0000C0);
    EXPECT_NE(At(box, 12, 4), 0x0000C0u);
    EXPECT_COLOR(At(box, 120 - 4, 4), 0x0000C0);
}

TEST_F(ContainerTest, ButtonsInsideShareTheToolBarsGroups) {
    auto* outside = Make<TAdvToolBarButton>("Outside", bar);
    auto* inside = Make<TAdvToolBarButton>("Inside", box);
    inside->SetBounds(8, 12, 23, 22);
    EXPECT_EQ(inside->AdvToolBar(), bar);
    outside->SetGroupIndex(1);
    inside->SetGroupIndex(1);
    outside->SetDown(true);
    Show();
    ui.Click(inside);
    EXPECT_TRUE(inside->Down());
    EXPECT_FALSE(outside->Down());
    // Out of the container a button loses the toolbar; so do the container's buttons when it leaves.
    inside->SetParent(form.get());
    EXPECT_EQ(inside->AdvToolBar(), nullptr);
    inside->SetParent(box);
    EXPECT_EQ(inside->AdvToolBar(), bar);
    box->SetParent(form.get());
    EXPECT_EQ(inside->AdvToolBar(), nullptr);
}

TEST_F(ContainerTest, AtDesignTimeADroppedControlLandsRightOfTheOthers) {
    box->SetDesigning(true);
    auto* first = Make<TPanel>("First");
    first->SetBounds(5, 10, 30, 20);
    first->SetParent(box);
    auto* second = Make<TPanel>("Second");
    second->SetBounds(0, 10, 30, 20);
    second->SetParent(box);
    EXPECT_EQ(second->Left(), 35);
    // Right of the others would be outside: it stays where it was dropped.
    auto* wide = Make<TPanel>("Wide");
    wide->SetBounds(20, 10, 120, 20);
    wide->SetParent(box);
    auto* third = Make<TPanel>("Third");
    third->SetBounds(3, 30, 10, 10);
    third->SetParent(box);
    EXPECT_EQ(third->Left(), 3);
}

// A windowed control that records the style pushed to it.
struct StyledPanel : TPanel, AdvStyleIF::IBrixStyle {
    using TPanel::TPanel;
    int Got = -1;
    void SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) override { Got = AStyle; }
};

TEST_F(ContainerTest, ChildrenTakeTheStylersGlowLookThenItsComponentStyle) {
    auto* glow = Make<AdvGlowButton::TAdvGlowButton>("Glow", box);
    auto* styled = new StyledPanel(form.get());
    styled->SetParent(box);
    TCustomAdvToolBarStyler* styler = bar->CurrentStyler();
    styler->GlowButtonAppearance()->SetColorHot(0x00AB12);
    styler->GlowButtonAppearance()->SetBorderColor(0x0012AB);
    box->UpdateAllGlowButtons();
    EXPECT_EQ(styled->Got, static_cast<int>(styler->ChildComponentStyle()));
    // The same order by hand on a loose glow button: copy the look, then push the style.
    auto* reference = Make<AdvGlowButton::TAdvGlowButton>("Reference");
    reference->Appearance()->Assign(styler->GlowButtonAppearance());
    reference->SetComponentStyle(styler->ChildComponentStyle());
    EXPECT_COLOR(glow->Appearance()->ColorHot(), reference->Appearance()->ColorHot());
    EXPECT_COLOR(glow->Appearance()->BorderColor(), reference->Appearance()->BorderColor());
}

TEST_F(ToolBarTest, AToolBarLayoutWithButtonsAndAContainerReadsBackLinked) {
    // Everything owned by the toolbar, so that the toolbar's layout holds it all.
    TComponentPtr<TAdvToolBar> bar(new TAdvToolBar(nullptr));
    bar->SetName("Bar");
    auto own = [&]<typename T>(T* c, const String& Name, TWinControl* Parent) {
        c->SetName(Name);
        c->SetParent(Parent);
        return c;
    };
    auto* button = own(new TAdvToolBarButton(bar.get()), "Button", bar.get());
    button->SetGroupIndex(2);
    button->SetDown(true);
    own(new TAdvToolBarSeparator(bar.get()), "Sep", bar.get())->SetSeparatorStyle(ssBlank);
    own(new TAdvToolBarMenuButton(bar.get()), "MenuButton", bar.get())->SetCaption("File");
    auto* box = own(new TAdvToolBarContainer(bar.get()), "Box", bar.get());
    box->SetCaption("Find");
    own(new TAdvToolBarButton(bar.get()), "Inner", box);
    String text = WriteComponentToText(bar.get());

    TComponentPtr<TComponent> read(ReadComponentFromText(text, nullptr, "Bar", form.get()));
    auto* readBar = dynamic_cast<TAdvToolBar*>(read.get());
    ASSERT_NE(readBar, nullptr) << text;
    auto* readButton = uitest::UiDriver::Get<TAdvToolBarButton>(read.get(), "Button");
    EXPECT_EQ(readButton->AdvToolBar(), readBar);
    EXPECT_TRUE(readButton->Down());
    EXPECT_EQ(readBar->IndexOfToolBarControl(readButton), 0);
    EXPECT_EQ(uitest::UiDriver::Get<TAdvToolBarSeparator>(read.get(), "Sep")->SeparatorStyle(), ssBlank);
    EXPECT_EQ(uitest::UiDriver::Get<TAdvToolBarMenuButton>(read.get(), "MenuButton")->Caption(), "File");
    auto* readBox = uitest::UiDriver::Get<TAdvToolBarContainer>(read.get(), "Box");
    EXPECT_EQ(readBox->AdvToolBar(), readBar);
    EXPECT_EQ(readBox->Caption(), "Find");
    EXPECT_EQ(uitest::UiDriver::Get<TAdvToolBarButton>(read.get(), "Inner")->AdvToolBar(), readBar);
}

} // namespace
} // namespace toolbartest
