// A styler's clients: every control that paints from a styler shows a change as soon as it is made,
// and a styler or a client that goes is never reached through the other afterwards.

#include "components/toolbar/options/PopupMenuPanel.h"
#include "tests/toolbar/PageFixture.h"

namespace toolbartest {
namespace {

using AdvGlowButton::TAdvGlowButton;

constexpr TColor kBody = 0x4080C0;
constexpr TColor kDock = 0x20A060;
constexpr TColor kFrame = 0x0000B0;
constexpr TColor kPage = 0xC06020;

// Flat colours, no border, square corners: a probe anywhere in a body reads its colour.
void Flatten(TCustomAdvToolBarStyler* S) {
    S->Color()->SetColorTo(clNone);
    S->DockColor()->SetColorTo(clNone);
    S->SetBorderColor(clNone);
    S->SetRoundEdges(false);
}

class StylerClientTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        styler = Make<TCustomAdvToolBarStyler>("Styler");
        Flatten(styler);
    }
    // A dock panel on the form with one toolbar following its styler.
    void Dock() {
        panel = Make<TAdvDockPanel>("Dock", form.get());
        panel->SetTop(200);
        panel->SetToolBarStyler(styler);
        bar = Make<TAdvToolBar>("Bar", panel);
        bar->SetParentStyler(true);
        form->Show();
    }
    win::COLORREF Screen(TControl* C, int X, int Y) {
        ui.Process();
        TPoint p = C->ClientToScreen(TPoint{X, Y});
        return ui.Screen().ScreenPixel(p.X, p.Y);
    }
    TCustomAdvToolBarStyler* styler = nullptr;
    TAdvDockPanel* panel = nullptr;
    TAdvToolBar* bar = nullptr;
};

TEST_F(StylerClientTest, AColourChangeShowsOnThePanelTheToolBarAndTheFloatingWindow) {
    Dock();
    ASSERT_EQ(bar->CurrentStyler(), styler);
    styler->DockColor()->SetColor(kDock);
    styler->Color()->SetColor(kBody);
    EXPECT_COLOR(At(panel, panel->Width() - 4, 4), Ref(kDock)) << "the panel's free end";
    EXPECT_COLOR(At(bar, bar->Width() / 2, bar->Height() / 2), Ref(kBody)) << "the toolbar's body";

    bar->SetFloating(300, 300, true);
    TFloatingWindow* window = bar->FloatingWindow();
    ASSERT_NE(window, nullptr);
    styler->SetFloatingWindowBorderColor(kFrame);
    EXPECT_COLOR(Screen(window, 1, window->Height() / 2), Ref(kFrame)) << "the floating window's border";
    styler->SetFloatingWindowBorderWidth(4);
    EXPECT_EQ(window->BorderWidth(), 4);
    EXPECT_EQ(window->Width(), bar->Width() + 2 * 4 + 2) << "the window grew around the toolbar";
}

TEST_F(StylerClientTest, APagersPageAndItsToolBarsShowThePagersStylerChanges) {
    auto* pager = Make<TAdvToolBarPager>("Pager", form.get());
    pager->SetBounds(0, 240, 580, 140);
    TAdvPage* p = pager->GetAdvPages(pager->AddAdvPage("Home"));
    TAdvToolBar* tb = p->CreateAdvToolBar();
    pager->SetToolBarStyler(styler);
    pager->SetActivePageIndex(0);
    ASSERT_EQ(tb->CurrentStyler(), styler) << "a page toolbar follows its pager";
    form->Show();
    TVistaBackground* look = styler->PageAppearance();
    look->SetColorMirror(kPage);
    look->SetColorMirrorTo(kPage);
    look->SetColor(kPage);
    look->SetColorTo(kPage);
    EXPECT_COLOR(At(p, p->Width() - 6, p->Height() / 4), Ref(kPage)) << "the page";
    styler->Color()->SetColor(kBody);
    EXPECT_COLOR(At(tb, tb->Width() / 2, 4), Ref(kBody)) << "the page toolbar's body";
    TAdvGlowButton* glow = Glow(tb, "Paste");
    styler->GlowButtonAppearance()->SetBorderColor(kFrame);
    styler->GlowButtonAppearance()->Changed();
    EXPECT_COLOR(glow->Appearance()->BorderColor(), kFrame) << "the toolbar's glow buttons take the new look";
}

TEST_F(StylerClientTest, ACompactedToolBarsCloneAndItsWindowRestyleWithIt) {
    TAdvToolBar* tb = PageToolBar("Tools");
    Flatten(tb->InternalStyler());
    // A page toolbar paints from its pager's styler.
    dynamic_cast<TAdvToolBarPager*>(page->Parent())->SetToolBarStyler(styler);
    tb->SetCompactCaption("Tools");
    tb->SetShowRightHandle(false);
    Glow(tb, "Cut");
    Glow(tb, "Copy");
    form->Show();
    tb->SetCompact(true);
    ASSERT_TRUE(tb->Compact());
    TAdvCustomToolBar* clone = tb->CloneLink();
    ASSERT_NE(clone, nullptr);
    ui.Click(tb->CompactButton());
    TCompactWindow* window = tb->CompactWindow();
    ASSERT_TRUE(window != nullptr && window->Visible());

    // The compact button is the toolbar's; the body the clone shows is the styler's.
    styler->Color()->SetColor(kBody);
    EXPECT_EQ(clone->Color(), kBody);
    EXPECT_EQ(window->Color(), kBody) << "the window around the clone";
    int free = 0; // the clone's body right of its buttons
    for (int i = 0; i < clone->ControlCount(); ++i)
        free = std::max(free, clone->Controls(i)->Left() + clone->Controls(i)->Width());
    ASSERT_LT(free + 3, clone->Width());
    EXPECT_COLOR(Screen(clone, free + 2, clone->Height() / 2), Ref(kBody));
    EXPECT_COLOR(Screen(window, 0, window->Height() / 2), Ref(kBody)) << "the window's frame";
    styler->CompactGlowButtonAppearance()->SetColor(kFrame);
    styler->CompactGlowButtonAppearance()->Changed();
    EXPECT_COLOR(tb->CompactButton()->Appearance()->Color(), kFrame);
    window->SetVisible(false);
}

// Every freed piece is read by AddressSanitizer if anything still points at it: each step ends by
// painting everything and raising a change on the stylers that stay.
TEST_F(StylerClientTest, AFreedStylerOrClientIsNeverReachedAgain) {
    Dock();
    auto* pager = Make<TAdvToolBarPager>("Pager", form.get());
    pager->SetBounds(0, 300, 580, 140);
    TAdvPage* p = pager->GetAdvPages(pager->AddAdvPage("Home"));
    TAdvToolBar* onPage = p->CreateAdvToolBar();
    pager->SetToolBarStyler(styler);
    auto* own = Make<TAdvToolBar>("Own", form.get());
    own->SetToolBarStyler(styler);
    ui.Process();
    const int listed = styler->ControlCount();

    // A client that goes leaves the list.
    FreeComponent(own);
    EXPECT_EQ(styler->ControlCount(), listed - 1);
    styler->Color()->SetColor(kBody);
    ui.Process();

    // The styler that goes lets each of its clients fall back to its own.
    FreeComponent(styler);
    EXPECT_EQ(panel->CurrentStyler(), panel->InternalStyler());
    EXPECT_EQ(bar->CurrentStyler(), panel->InternalStyler()) << "the toolbar follows its panel again";
    EXPECT_NE(pager->CurrentStyler(), nullptr);
    EXPECT_EQ(onPage->CurrentStyler(), pager->CurrentStyler()) << "and the page toolbar its pager";
    Flatten(panel->InternalStyler());
    panel->InternalStyler()->Color()->SetColor(kDock);
    pager->CurrentStyler()->Color()->SetColor(kDock);
    ui.Process();
    EXPECT_COLOR(At(bar, bar->Width() / 2, bar->Height() / 2), Ref(kDock));

    // A pager that goes with its toolbars leaves another styler's list clean.
    auto* other = Make<TCustomAdvToolBarStyler>("Other");
    pager->SetToolBarStyler(other);
    FreeComponent(pager);
    EXPECT_EQ(other->ControlCount(), 0);
    other->Color()->SetColor(kBody);
    FreeComponent(other);
    ui.Process();
}

TEST_F(StylerClientTest, AnOptionPopupLetsGoOfTheMenuStylerThatGoes) {
    auto* popup = Make<TATBPopupPanel>("Popup", form.get());
    popup->SetBounds(0, 0, 120, 60);
    auto* menus = Make<AdvMenuStylers::TAdvMenuStyler>("Menus");
    popup->SetAdvMenuStyler(menus);
    form->Show();
    ui.Process();
    FreeComponent(menus);
    EXPECT_EQ(popup->AdvMenuStyler(), nullptr);
    popup->Invalidate();
    ui.Process();
}

} // namespace
} // namespace toolbartest
