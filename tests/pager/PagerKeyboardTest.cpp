// Keyboard use across a page: arrows run through the glow buttons of all the page's toolbars and round
// the page, Escape and Up give the focus back to the pager, and key tips go from a tab's tip on to the
// tips of that page's buttons, where typed letters click one and Escape steps back to the tabs.

#include "tests/pager/PagerTestSupport.h"

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/dock/CompactWindow.h"
#include "platform/vcl/Edit.h"
#include "platform/win/WinUser.h"

namespace pagertest {
namespace {

using AdvGlowButton::TAdvGlowButton;

// The application button as the pager knows it: a child of that class name with a published key tip,
// whose tip is shown and hidden through CM_HINTSHOW.
class TAdvShapeButton : public TCustomControl {
    KV_CLASS(TAdvShapeButton, TCustomControl)
    KV_PUBLISHED_PROPERTIES(TAdvShapeButton)
public:
    explicit TAdvShapeButton(TComponent* AOwner) : TCustomControl(AOwner) {}
    void SetShortCutHint(const String& Value) { FShortCutHint = Value; }
    void Click() override { ++clicks; }
    void Paint() override { ++paints; }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_HINTSHOW && Message.WParam == 1) {
            tipShown = Message.LParam == 1;
            return;
        }
        TCustomControl::WndProc(Message);
    }
    String FShortCutHint;
    bool tipShown = false;
    int clicks = 0;
    int paints = 0;
};

KV_PUBLISHED(TAdvShapeButton) {
    p.Str("ShortCutHint", &TAdvShapeButton::FShortCutHint, &TAdvShapeButton::SetShortCutHint);
}

class PagerKeyboardTest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        edit = new TEdit(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(10, 250, 100, 22);
        home = AddPage("Home");
        home->SetShortCutHint("H");
        AddPage("Insert")->SetShortCutHint("N");
        pager->SetActivePageIndex(0);
        clip = home->CreateAdvToolBar();
        clip->SetLeft(3);
        font = home->CreateAdvToolBar();
        font->SetLeft(200);
        cut = Button(clip, "Cut", "X");
        copy = Button(clip, "Copy", "cp");
        bold = Button(font, "Bold", "1");
        italic = Button(font, "Italic", "2");
        form->Show();
        pager->SetTabStop(true);
        ui.Process();
    }
    TAdvGlowButton* Button(TAdvToolBar* Tb, const String& Caption, const String& Tip) {
        auto* b = new TAdvGlowButton(form.get());
        b->SetCaption(Caption);
        b->SetShortCutHint(Tip);
        b->SetParent(Tb);
        b->SetWidth(40);
        b->OnClick = [this, b](TObject*) { clicked.push_back(b); };
        return b;
    }
    void TapAlt() {
        ui.Screen().KeyDown(win::VK_MENU);
        ui.Process();
        ui.Screen().KeyUp(win::VK_MENU);
        ui.Process();
        ui.Advance(50);
    }
    static bool TipShown(TAdvGlowButton* B) {
        auto* w = B->ShortCutHintWindow();
        return w != nullptr && w->Visible();
    }
    // Focuses Start, presses each key and records who had the focus after each one.
    std::vector<TWinControl*> Walk(TWinControl* Start, std::initializer_list<unsigned> Keys) {
        Start->SetFocus();
        ui.Process();
        std::vector<TWinControl*> seen;
        for (unsigned k : Keys) {
            ui.Key(k);
            seen.push_back(FindControl(win::GetFocus()));
        }
        return seen;
    }

    TEdit* edit = nullptr;
    TAdvPage* home = nullptr;
    TAdvToolBar* clip = nullptr;
    TAdvToolBar* font = nullptr;
    TAdvGlowButton *cut = nullptr, *copy = nullptr, *bold = nullptr, *italic = nullptr;
    std::vector<TAdvGlowButton*> clicked;
};

TEST_F(PagerKeyboardTest, ArrowsRunAcrossThePageToolBarsAndRoundThePage) {
    using V = std::vector<TWinControl*>;
    EXPECT_EQ(Walk(cut, {win::VK_RIGHT, win::VK_RIGHT, win::VK_RIGHT, win::VK_RIGHT}),
              (V{copy, bold, italic, cut}))
        << "right off the last toolbar wraps to the first";
    EXPECT_EQ(Walk(cut, {win::VK_LEFT, win::VK_LEFT, win::VK_LEFT}), (V{italic, bold, copy}))
        << "left off the first toolbar goes to the last toolbar's last button";

    // A button that cannot take the focus is stepped over.
    copy->SetEnabled(false);
    EXPECT_EQ(Walk(bold, {win::VK_LEFT}), (V{cut}));
}

TEST_F(PagerKeyboardTest, EscapeAndUpGiveTheFocusToThePagerAndDownEntersThePage) {
    using V = std::vector<TWinControl*>;
    EXPECT_EQ(Walk(bold, {win::VK_ESCAPE}), (V{pager}));
    EXPECT_EQ(Walk(italic, {win::VK_UP, win::VK_DOWN}), (V{pager, cut}))
        << "Down from the pager focuses the first toolbar, which hands on to its first button";
    // Down from the pager also shows the page's button tips; the next key ends them.
    EXPECT_TRUE(home->ToolBarKeyTipsShown());
    EXPECT_TRUE(TipShown(italic));
    ui.Key(win::VK_RIGHT);
    EXPECT_FALSE(home->ToolBarKeyTipsShown());
    EXPECT_FALSE(TipShown(italic));
    EXPECT_EQ(FindControl(win::GetFocus()), copy);
}

TEST_F(PagerKeyboardTest, AltThenATabTipThenAButtonTipClicksTheButton) {
    pager->SetFocus();
    TapAlt();
    ASSERT_TRUE(pager->KeyTipMode());
    EXPECT_FALSE(TipShown(cut)) << "only the tabs show tips at first";

    ui.Type("h");
    EXPECT_FALSE(pager->KeyTipMode());
    EXPECT_TRUE(home->ToolBarKeyTipsShown());
    EXPECT_EQ(FindControl(win::GetFocus()), cut);
    for (TAdvGlowButton* b : {cut, copy, bold, italic})
        EXPECT_TRUE(TipShown(b)) << b->Caption();
    EXPECT_EQ(win::GetCapture(), home->Handle()) << "the page holds the mouse while its tips show";

    // The tip "cp" is matched by the keys C and P; its first letter narrows the tips down to it.
    ui.Type("c");
    EXPECT_TRUE(clicked.empty());
    EXPECT_TRUE(TipShown(copy));
    EXPECT_FALSE(TipShown(cut));
    EXPECT_FALSE(TipShown(bold));
    ui.Type("p");
    EXPECT_EQ(clicked, std::vector<TAdvGlowButton*>{copy});
    EXPECT_FALSE(home->ToolBarKeyTipsShown());
    EXPECT_FALSE(TipShown(copy));
    EXPECT_EQ(win::GetCapture(), nullptr);
    EXPECT_EQ(FindControl(win::GetFocus()), copy);
}

TEST_F(PagerKeyboardTest, ALetterNoButtonTipStartsWithEndsTheButtonTips) {
    pager->SetFocus();
    TapAlt();
    ui.Type("h");
    ui.Type("q");
    EXPECT_TRUE(clicked.empty());
    EXPECT_FALSE(home->ToolBarKeyTipsShown());
    for (TAdvGlowButton* b : {cut, copy, bold, italic})
        EXPECT_FALSE(TipShown(b)) << b->Caption();
    EXPECT_EQ(win::GetCapture(), nullptr) << "no capture is left behind with the tips gone";
}

TEST_F(PagerKeyboardTest, EscapeStepsBackFromTheButtonTipsToTheTabTipsAndThenLeaves) {
    edit->SetTabOrder(0);
    pager->SetFocus();
    TapAlt();
    ui.Type("h");
    ui.Key(win::VK_ESCAPE);
    EXPECT_FALSE(home->ToolBarKeyTipsShown());
    EXPECT_FALSE(TipShown(cut));
    EXPECT_TRUE(pager->KeyTipMode()) << "the tabs' tips are back";
    EXPECT_EQ(FindControl(win::GetFocus()), pager);
    ASSERT_NE(home->ShortCutHintWindow(), nullptr);
    EXPECT_TRUE(home->ShortCutHintWindow()->Visible());

    ui.Key(win::VK_ESCAPE);
    EXPECT_FALSE(pager->KeyTipMode());
    EXPECT_EQ(FindControl(win::GetFocus()), edit);
    EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(PagerKeyboardTest, TheApplicationButtonShowsItsTipWithTheTabsAndIsClickedByIt) {
    auto* app = new TAdvShapeButton(form.get());
    app->SetParent(pager);
    app->SetBounds(2, 2, 30, 30);
    app->SetShortCutHint("F");
    pager->SetFocus();
    TapAlt();
    EXPECT_TRUE(app->tipShown);
    ui.Type("n");
    EXPECT_FALSE(app->tipShown) << "a letter its tip does not start with hides it";
    EXPECT_EQ(pager->ActivePageIndex(), 1);

    pager->SetFocus();
    TapAlt();
    ui.Type("f");
    EXPECT_EQ(app->clicks, 1);
    EXPECT_FALSE(pager->KeyTipMode());
    EXPECT_FALSE(app->tipShown);
    EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(PagerKeyboardTest, TheApplicationButtonRepaintsWhenThePagersLookChanges) {
    auto* app = new TAdvShapeButton(form.get());
    app->SetParent(pager);
    app->SetBounds(2, 2, 30, 30);
    ui.Process();
    const int before = app->paints;
    pager->CurrentStyler()->Change(TStylerChange::Colors);
    ui.Process();
    EXPECT_GT(app->paints, before);
}

TEST_F(PagerKeyboardTest, AltPressedAgainAfterHoldingItForTheTipsHidesThem) {
    pager->SetFocus();
    ui.Process();
    ui.Screen().KeyDown(win::VK_MENU);
    ui.Process();
    ui.Advance(700);
    ASSERT_TRUE(pager->KeyTipMode());
    ui.Screen().KeyUp(win::VK_MENU);
    ui.Process();
    TapAlt();
    EXPECT_FALSE(pager->KeyTipMode());
    EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(PagerKeyboardTest, LeavingThePagerEndsTheButtonTips) {
    pager->SetFocus();
    TapAlt();
    ui.Type("h");
    ASSERT_TRUE(home->ToolBarKeyTipsShown());
    edit->SetFocus();
    ui.Process();
    EXPECT_FALSE(home->ToolBarKeyTipsShown());
    EXPECT_FALSE(TipShown(bold));
}

TEST_F(PagerKeyboardTest, ACompactedToolBarsWindowTakesTheArrowsAndEscapeReturnsToThePager) {
    font->SetLoadedOnce(true);
    font->SetCompact(true);
    ASSERT_TRUE(font->Compact());
    EXPECT_EQ(font->GetFirstTabControl(true), font->CompactButton())
        << "a compacted toolbar offers only its compact button";
    EXPECT_EQ(Walk(copy, {win::VK_RIGHT}), std::vector<TWinControl*>{font->CompactButton()});

    ui.Click(font->CompactButton());
    TCompactWindow* window = font->CompactWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->Visible());
    TAdvCustomToolBar* clone = window->AdvToolBar();
    ASSERT_NE(clone, nullptr);
    clone->SetFocus();
    ui.Process();
    EXPECT_EQ(FindControl(win::GetFocus()), clone) << "in a compact window the toolbar keeps the focus";
    EXPECT_EQ(clone->Perform(win::WM_GETDLGCODE, 0, 0), win::DLGC_WANTARROWS);

    ui.Key(win::VK_DOWN);
    EXPECT_EQ(FindControl(win::GetFocus()), bold);
    clone->SetFocus();
    ui.Process();
    ui.Key(win::VK_ESCAPE);
    EXPECT_EQ(FindControl(win::GetFocus()), pager);
}

} // namespace
} // namespace pagertest
