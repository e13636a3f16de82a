// The quick access toolbar on a pager: its room in the caption row and below the pages, controls laid
// out left to right, the first one past the edge hidden with all after it and brought back one by one,
// the customize and overflow buttons taking turns at the right end, the overflow window, the customize
// menu, key tips of its glow buttons, update counting, its parents, and a layout read from text.

#include "tests/pager/PagerTestSupport.h"

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/options/SelectorPanels.h"
#include "platform/classes/LayoutReader.h"
#include "platform/vcl/Menus.h"
#include "platform/win/WinUser.h"
#include "tests/support/MenuDriver.h"

namespace pagertest {
namespace {

using AdvGlowButton::TAdvGlowButton;

class QuickAccessTest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        pager->SetAlign(alNone);
        pager->SetBounds(0, 0, 600, 140);
        AddPages({"Home", "Insert", "View"});
        pager->SetActivePageIndex(0);
        qat = new TAdvQuickAccessToolBar(form.get());
        qat->SetName("QAT");
        qat->SetParent(pager);
        // The pager hears of its new size from its window.
        form->Show();
    }
    TAdvGlowButton* Button(int Width = 30) {
        auto* b = new TAdvGlowButton(form.get());
        b->SetName("Q" + std::to_string(++made));
        b->SetBounds(0, 0, Width, 20);
        qat->AddToolBarControl(b);
        return b;
    }
    std::vector<TAdvGlowButton*> Buttons(int Count) {
        std::vector<TAdvGlowButton*> v;
        for (int i = 0; i < Count; ++i)
            v.push_back(Button());
        return v;
    }
    void Resize(int Width) { pager->SetBounds(0, 0, Width, pager->Height()); }
    bool Parked(TControl* C) { return C->Parent() != qat || C->Top() + C->Height() <= 0; }

    TAdvQuickAccessToolBar* qat = nullptr;
    int made = 0;
};

// Caption 27 high, MinWidth 100, tabs starting at 60: the bar may take x 54 .. Width - 100, the lower
// 25 pixels of the caption row.
TEST_F(QuickAccessTest, TheCaptionRowLeavesTheBarTheRoomBetweenTabStartAndCaptionMinimum) {
    EXPECT_EQ(pager->QuickAccessToolBar(), qat);
    EXPECT_EQ(pager->MaxQATRect(), (TRect{54, 2, 500, 27}));
    pager->SetCaptionButtons({cbClose});
    const int buttonsLeft = pager->GetCaptionButtonsRect().Left;
    EXPECT_EQ(pager->MaxQATRect().Right, 600 - (600 - buttonsLeft + 100 + 2));
    pager->Caption()->SetVisible(false);
    EXPECT_EQ(pager->MaxQATRect(), (TRect{}));
    // A pager without a bar offers no room.
    delete qat;
    EXPECT_EQ(pager->QuickAccessToolBar(), nullptr);
    EXPECT_EQ(pager->MaxQATRect(), (TRect{}));
}

TEST_F(QuickAccessTest, ControlsStandLeftToRightAndTheBarIsJustWideEnough) {
    auto b = Buttons(3);
    // Left margin half the height plus 2; right 12 more and the 14 + 2 kept for the end button.
    const int left = 25 / 2 + 2;
    EXPECT_EQ(qat->BoundsRect(), (TRect{54, 2, 54 + left + 90 + 12 + 16, 27}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(b[i]->Left(), left + 30 * i) << i;
        // Centred in the rows 3 .. 23 left under the drawing top.
        EXPECT_EQ(b[i]->Top(), 3 + (21 - 20) / 2) << i;
    }
    // Order follows Left, not creation.
    b[2]->SetLeft(0);
    EXPECT_EQ(qat->ControlListItems(0), b[2]);
    EXPECT_EQ(b[2]->Left(), left);
    EXPECT_EQ(b[0]->Left(), left + 30);
    // An empty bar keeps its minimum width.
    for (auto* c : b)
        delete c;
    EXPECT_EQ(qat->Width(), TAdvCustomQuickAccessToolBar::MinWidth);
}

TEST_F(QuickAccessTest, TheFirstControlPastTheEdgeGoesWithAllAfterItAndTheyComeBackOneByOne) {
    auto b = Buttons(20);
    // Room 446 wide: controls from 14 must end by 446 - 16 - 12 = 418, so 13 fit.
    EXPECT_EQ(qat->Width(), 446);
    ASSERT_EQ(qat->HiddenCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(qat->HiddenControls(i), b[13 + i]) << i;
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Parked(b[i]), i >= 13) << i;
    EXPECT_TRUE(qat->GetShowScrollButton());
    // 60 more pixels leave 74 after the last shown control: two come back, the third does not fit.
    Resize(660);
    EXPECT_EQ(qat->HiddenCount(), 5);
    EXPECT_EQ(qat->HiddenControls(0), b[15]);
    EXPECT_FALSE(Parked(b[13]));
    EXPECT_EQ(b[14]->Left(), 14 + 14 * 30);
    // Narrower again (room 346, edge at 318): everything from the new first crossing control, the
    // eleventh, goes at once.
    Resize(500);
    EXPECT_EQ(qat->HiddenCount(), 20 - 10);
    EXPECT_EQ(qat->HiddenControls(0), b[10]);
    Resize(800);
    EXPECT_EQ(qat->HiddenCount(), 0);
    EXPECT_FALSE(qat->GetShowScrollButton());
}

TEST_F(QuickAccessTest, CaptionAndTabSettingsChangesReachTheBar) {
    Buttons(10);
    EXPECT_EQ(qat->HiddenCount(), 0);
    // A wider caption minimum leaves 54 .. 300: the edge at 246 - 28 = 218 lets six controls stay.
    pager->Caption()->SetMinWidth(300);
    EXPECT_EQ(qat->Width(), 246);
    EXPECT_EQ(qat->HiddenCount(), 4);
    // Tabs starting further right move the bar's left end with them.
    pager->TabSettings()->SetStartMargin(100);
    EXPECT_EQ(qat->Left(), 94);
}

TEST_F(QuickAccessTest, CustomizeAndOverflowButtonsTakeTurnsAtTheRightEnd) {
    qat->SetShowCustomizeOption(true);
    Buttons(3);
    TAdvVistaButton* customize = qat->CustomizeButton();
    ASSERT_NE(customize, nullptr);
    EXPECT_EQ(customize->ArrowStyle(), asWithLine);
    EXPECT_TRUE(customize->Visible());
    EXPECT_EQ(customize->BoundsRect(), (TRect{qat->Width() - 14, 3, qat->Width(), 24}));
    Buttons(17);
    TAdvVistaButton* overflow = qat->OverflowButton();
    ASSERT_NE(overflow, nullptr);
    EXPECT_EQ(overflow->ArrowStyle(), asDouble);
    EXPECT_TRUE(overflow->Visible());
    EXPECT_FALSE(customize->Visible());
    EXPECT_EQ(overflow->BoundsRect(), (TRect{qat->Width() - 14, 3, qat->Width(), 24}));
    Resize(1000);
    EXPECT_FALSE(overflow->Visible());
    EXPECT_TRUE(qat->CustomizeButton()->Visible());
    EXPECT_EQ(qat->CustomizeButton()->Parent(), qat);
    // Turned off it takes no room.
    qat->SetShowCustomizeOption(false);
    EXPECT_FALSE(qat->CustomizeButton()->Visible());
}

TEST_F(QuickAccessTest, TheOverflowWindowOffersTheHiddenControlsWithTheCustomizeButtonLast) {
    qat->SetShowCustomizeOption(true);
    auto b = Buttons(16);
    form->Show();
    ui.Process();
    ASSERT_EQ(qat->HiddenCount(), 3);
    // A press on the double arrow drops the window below the bar's right end and holds the button down.
    ui.Click(qat->OverflowButton());
    TOptionSelectorWindow* w = qat->OverflowWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Visible());
    TControlSelectorPanel* panel = qat->OverflowPanel();
    ASSERT_EQ(panel->SelectorControlCount(), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(panel->SelectorControls(i), b[13 + i]) << i;
    EXPECT_EQ(panel->SelectorControls(3), qat->CustomizeButton());
    EXPECT_FALSE(panel->ShowAddAndRemoveBtn());
    const TPoint below =
        pager->ClientToScreen(TPoint{qat->Left() + qat->Width() - 12, qat->BoundsRect().Bottom + 1});
    EXPECT_EQ(w->Left(), below.X);
    EXPECT_EQ(w->Top(), below.Y);
    EXPECT_TRUE(qat->OverflowButton()->Down());
    qat->HideOverflowWindow();
    EXPECT_FALSE(qat->OverflowButton()->Down());
    // Room again: the controls and the customize button come back from the window.
    Resize(900);
    EXPECT_EQ(qat->HiddenCount(), 0);
    for (auto* c : b)
        EXPECT_EQ(c->Parent(), qat);
    EXPECT_EQ(qat->CustomizeButton()->Parent(), qat);
    EXPECT_TRUE(qat->CustomizeButton()->Visible());
}

TEST_F(QuickAccessTest, AnOverflowWindowWithNothingToOfferIsNotShown) {
    Buttons(2);
    qat->ShowOverflowWindow(0, 0, false);
    ASSERT_NE(qat->OverflowWindow(), nullptr);
    EXPECT_FALSE(qat->OverflowWindow()->Visible());
}

TEST_F(QuickAccessTest, TheCustomizeButtonDropsItsMenuBelowItselfAndIsDownMeanwhile) {
    auto* menu = new TPopupMenu(form.get());
    auto* item = new TMenuItem(menu);
    item->SetCaption("Show Below the Ribbon");
    menu->Items()->Add(item);
    qat->SetDropDownPopupMenu(menu);
    qat->SetShowCustomizeOption(true);
    Buttons(2);
    form->Show();
    ui.Process();
    TAdvVistaButton* customize = qat->CustomizeButton();
    uitest::MenuDriver menus(ui);
    bool down = false;
    TPoint itemAt;
    ui.WhenIdle([&] {
        down = customize->Down();
        itemAt = uitest::MenuDriver::OpenItemPoint(item);
        menus.CloseMenus();
    });
    ui.Click(customize);
    EXPECT_EQ(ui.PendingActions(), 0);
    EXPECT_TRUE(down);
    EXPECT_FALSE(customize->Down());
    const TPoint corner = qat->ClientToScreen(TPoint{customize->Left(), customize->BoundsRect().Bottom});
    EXPECT_GT(itemAt.Y, corner.Y);
    EXPECT_GT(itemAt.X, corner.X);
    EXPECT_LT(itemAt.Y, corner.Y + 30);
}

TEST_F(QuickAccessTest, FullSizePutsTheBarBelowThePagesAcrossTheWholeWidth) {
    Buttons(3);
    const int height = pager->Height();
    const int pageBottom = pager->GetAdvPageRect().Bottom;
    pager->SetShowQATBelow(true);
    EXPECT_TRUE(qat->FullSize());
    EXPECT_TRUE(pager->ShowQATBelow());
    EXPECT_EQ(pager->Height(), height + 25);
    EXPECT_EQ(qat->BoundsRect(), (TRect{2, height, 598, height + 25}));
    EXPECT_EQ(pager->GetAdvPageRect().Bottom, pageBottom);
    // Margins of 4 and no notch; the bar does not shrink to its controls.
    EXPECT_EQ(qat->ControlListItems(0)->Left(), 4);
    EXPECT_EQ(qat->CanShrink(), 0);
    // Collapsed, the pager keeps the bar's row under its tabs rather than laying the bar over them.
    pager->Collaps();
    EXPECT_EQ(pager->Height(), 27 + 26 + 25);
    EXPECT_EQ(qat->Top(), 27 + 26);
    pager->Expand();
    EXPECT_EQ(pager->Height(), height + 25);
    pager->SetShowQATBelow(false);
    EXPECT_FALSE(qat->FullSize());
    EXPECT_EQ(pager->Height(), height);
    EXPECT_EQ(qat->Top(), 2);
}

TEST_F(QuickAccessTest, AToolBarButtonOnTheBarKeepsOnlyAPixelOfMarginEachSide) {
    auto make = [&](TWinControl* Parent) {
        auto* b = new TAdvToolBarButton(form.get());
        b->SetShowCaption(true);
        b->SetCaption("Print preview");
        if (Parent == qat)
            qat->AddToolBarControl(b);
        else
            b->SetParent(Parent);
        b->SetCaption("Print");
        return b;
    };
    TAdvToolBarButton* elsewhere = make(form.get());
    TAdvToolBarButton* onBar = make(qat);
    // Four pixels each side elsewhere, one on the bar.
    EXPECT_EQ(elsewhere->Width() - onBar->Width(), 2 * (4 - 1));
}

TEST_F(QuickAccessTest, AStylerChangeReachesTheBarsButtonsHiddenOnesAndTheCustomizeButton) {
    auto* office = new AdvToolBarStylers::TAdvToolBarOfficeStyler(form.get());
    pager->SetToolBarStyler(office);
    qat->SetShowCustomizeOption(true);
    auto b = Buttons(16);
    ASSERT_GT(qat->HiddenCount(), 0);
    qat->ShowOverflowWindow(0, 0, false); // the hidden ones now sit in the window
    // A new look of the styler: every glow button of the bar wears the styler's glow look.
    office->SetToolBarStyle(AdvToolBarStylers::bsOffice2007Obsidian);
    const TColor glow = office->GlowButtonAppearance()->Color();
    for (auto* c : b)
        EXPECT_EQ(c->Appearance()->Color(), glow) << c->Name();
    EXPECT_EQ(qat->CustomizeButton()->Appearance()->Color(), glow);
    EXPECT_EQ(qat->OverflowButton()->Appearance()->Color(), glow);
    // Dropped again, the overflow window takes its colours from the pager's styler too.
    qat->ShowOverflowWindow(0, 0, false);
    EXPECT_EQ(qat->OverflowPanel()->WindowBorderColor(), office->QATAppearance()->FullSizeBorderColor());
    qat->HideOverflowWindow();
}

TEST_F(QuickAccessTest, OnlyAPagerOrNoParentHoldsTheBar) {
    auto* other = new TAdvQuickAccessToolBar(form.get());
    EXPECT_THAT([&] { other->SetParent(form.get()); },
                ThrowsMessage<Exception>(testing::StrEq("Invalid Parent")));
    EXPECT_EQ(other->Parent(), nullptr);
    qat->SetParent(nullptr);
    EXPECT_EQ(pager->QuickAccessToolBar(), nullptr);
    // Off a pager the bar neither sizes nor hides controls.
    for (int i = 0; i < 30; ++i) {
        auto* b = new TAdvGlowButton(form.get());
        b->SetBounds(0, 0, 30, 20);
        qat->AddToolBarControl(b);
    }
    EXPECT_EQ(qat->HiddenCount(), 0);
    EXPECT_EQ(qat->GetCustomAdvToolBarStyler(), nullptr);
}

TEST_F(QuickAccessTest, UpdatesWaitForTheLastEndUpdateAndAnUnmatchedEndKeepsTheCountAtZero) {
    form->Show();
    qat->EndUpdate();
    EXPECT_EQ(qat->UpdateCount(), 0);
    qat->BeginUpdate();
    qat->BeginUpdate();
    auto b = Buttons(20);
    EXPECT_EQ(qat->HiddenCount(), 0);
    qat->EndUpdate();
    EXPECT_EQ(qat->HiddenCount(), 0);
    qat->EndUpdate();
    EXPECT_EQ(qat->UpdateCount(), 0);
    EXPECT_EQ(qat->HiddenCount(), 7);
}

TEST_F(QuickAccessTest, AKeyTipOnTheBarClicksItsGlowButton) {
    auto b = Buttons(3);
    b[0]->SetShortCutHint("1");
    b[1]->SetShortCutHint("2");
    int clicks = 0;
    b[1]->OnClick = [&](TObject*) { ++clicks; };
    pager->GetAdvPages(0)->SetShortCutHint("H");
    form->Show();
    pager->SetTabStop(true);
    pager->SetFocus();
    ui.Process();
    ui.Screen().KeyDown(win::VK_MENU);
    ui.Process();
    ui.Screen().KeyUp(win::VK_MENU);
    ui.Process();
    ui.Advance(50);
    ASSERT_TRUE(pager->KeyTipMode());
    ASSERT_NE(b[1]->ShortCutHintWindow(), nullptr);
    EXPECT_TRUE(b[1]->ShortCutHintWindow()->Visible());
    ui.Type("2");
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(pager->KeyTipMode());
    EXPECT_FALSE(b[1]->ShortCutHintWindow()->Visible());
}

// The pager's side at design time: a left press on a tab is the pager's, anything else the designer's.
TEST_F(QuickAccessTest, TheDesignerLetsThePagerTakeALeftPressOnATab) {
    auto hit = [&](win::WPARAM Keys, TPoint P) {
        return pager->Perform(CM_DESIGNHITTEST, Keys, static_cast<win::LPARAM>((P.Y << 16) | (P.X & 0xFFFF)));
    };
    const TRect tab = pager->GetTabRect(1);
    const TPoint onTab{tab.Left + 5, tab.Top + 5};
    EXPECT_EQ(hit(win::MK_LBUTTON, onTab), 0); // not designing
    form->SetDesigning(true);
    EXPECT_EQ(hit(win::MK_LBUTTON, onTab), 1);
    EXPECT_EQ(hit(0, onTab), 0);
    EXPECT_EQ(hit(win::MK_LBUTTON, TPoint{tab.Left + 5, 5}), 0); // the caption row
    form->SetDesigning(false);
}

// Mended: the page tips all gone, a two-letter tip of the bar still waiting for its second letter
// keeps the mode instead of ending it under the typist.
TEST_F(QuickAccessTest, ATwoLetterTipOnTheBarWaitsForItsSecondLetter) {
    auto b = Buttons(2);
    b[0]->SetShortCutHint("QA");
    b[1]->SetShortCutHint("QB");
    int clicks = 0;
    b[1]->OnClick = [&](TObject*) { ++clicks; };
    pager->GetAdvPages(0)->SetShortCutHint("H");
    pager->SetTabStop(true);
    pager->SetFocus();
    ui.Process();
    ui.Screen().KeyDown(win::VK_MENU);
    ui.Process();
    ui.Screen().KeyUp(win::VK_MENU);
    ui.Process();
    ui.Advance(50);
    ASSERT_TRUE(pager->KeyTipMode());
    ui.Type("Q");
    EXPECT_TRUE(pager->KeyTipMode());
    auto* pageTip = pager->GetAdvPages(0)->ShortCutHintWindow();
    EXPECT_TRUE(pageTip == nullptr || !pageTip->Visible());
    ASSERT_NE(b[1]->ShortCutHintWindow(), nullptr);
    EXPECT_TRUE(b[1]->ShortCutHintWindow()->Visible());
    ui.Type("B");
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(pager->KeyTipMode());
}

TEST_F(QuickAccessTest, AReadLayoutPutsPagesIntoThePagerAndButtonsOntoTheBar) {
    form.reset(new TForm(nullptr));
    ReadComponentFromText(R"(object Form1: TForm
  object Pager: TAdvToolBarPager
    Left = 0
    Top = 0
    Width = 600
    Height = 140
    object PageA: TAdvPage
      Caption = 'Home'
    end
    object PageB: TAdvPage
      Caption = 'Insert'
    end
    object QAT: TAdvQuickAccessToolBar
      ShowCustomizeOption = True
      CustomizeHint = 'Customize'
      object Q1: TAdvGlowButton
        Width = 30
        Height = 20
      end
      object Q2: TAdvGlowButton
        Left = 40
        Width = 30
        Height = 20
      end
    end
  end
end
)",
                          form.get(), "Ribbon.layout");
    auto* p = uitest::UiDriver::Get<TAdvToolBarPager>(form.get(), "Pager");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetAdvToolBarPageCount(), 2);
    auto* q = uitest::UiDriver::Get<TAdvQuickAccessToolBar>(form.get(), "QAT");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(p->QuickAccessToolBar(), q);
    EXPECT_EQ(q->ControlListCount(), 2);
    EXPECT_EQ(q->CustomizeButton()->Hint(), "Customize");
    EXPECT_EQ(q->Width(), 14 + 60 + 12 + 16);
}

} // namespace
} // namespace pagertest
