// The quick access toolbar's background probed pixel by pixel: the caption-row strip with its notch
// and rounded end, the full-size bar's frame and inner line, the plain full-size rectangle, and the
// title moved right of the bar. Pictures of a ribbon (tab group, the bar in each place, key tips shown,
// collapsed) in four looks are written to look at.

#include "tests/pager/PagerTestSupport.h"

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/options/OptionWindow.h"

namespace pagertest {
namespace {

using AdvGlowButton::TAdvGlowButton;

// The colour made of Percent of C1 and the rest of C2, channel by channel.
TColor Mix(TColor C1, TColor C2, int Percent) {
    auto ch = [&](int shift) {
        const int a = (static_cast<int>(C1) >> shift) & 0xFF, b = (static_cast<int>(C2) >> shift) & 0xFF;
        return ((a * Percent + b * (100 - Percent)) / 100) << shift;
    };
    return static_cast<TColor>(ch(0) | ch(8) | ch(16));
}

constexpr TColor kCaption = 0x804000;
constexpr TColor kBar = 0x00C0FF, kBarBorder = 0x0000A0;
constexpr TColor kFull = 0xE0A060, kFullTo = 0xC08040, kFullBorder = 0x400000;

class QuickAccessPaintTest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        pager->SetAlign(alNone);
        pager->SetBounds(0, 0, 560, 140);
        AddPages({"Home", "Insert", "View"});
        pager->SetActivePageIndex(0);
        qat = new TAdvQuickAccessToolBar(form.get());
        qat->SetName("QAT");
        qat->SetParent(pager);
        for (int i = 0; i < 3; ++i) {
            auto* b = new TAdvGlowButton(form.get());
            b->SetName("Q" + std::to_string(i));
            b->SetBounds(0, 0, 22, 20);
            qat->AddToolBarControl(b);
            buttons.push_back(b);
        }
        form->Show();
    }
    // The pager's own styler with a flat caption row and a flat bar, so each rule shows as one colour.
    void Flat() {
        pager->SetToolBarStyler(nullptr);
        TCustomAdvToolBarStyler* s = pager->CurrentStyler();
        TVistaTextBackground* c = s->PagerCaption();
        c->SetColor(kCaption);
        c->SetColorTo(kCaption);
        c->SetColorMirror(kCaption);
        c->SetColorMirrorTo(kCaption);
        c->SetBorderColor(clNone);
        TQATAppearance* q = s->QATAppearance();
        q->SetColor(kBar);
        q->SetColorTo(kBar);
        q->SetBorderColor(kBarBorder);
        q->SetFullSizeColor(kFull);
        q->SetFullSizeColorTo(kFullTo);
        q->SetFullSizeBorderColor(kFullBorder);
    }
    TAdvQuickAccessToolBar* qat = nullptr;
    std::vector<TAdvGlowButton*> buttons;
};

TEST_F(QuickAccessPaintTest, TheCaptionStripIsFilledBetweenTheNotchAndTheRoundedEnd) {
    Flat();
    // An empty bar at its minimum width shows the whole strip.
    for (auto* b : buttons)
        delete b;
    const int w = qat->Width(), mid = 12;
    ASSERT_EQ(w, TAdvCustomQuickAccessToolBar::MinWidth);
    // Inside the strip, away from every edge line.
    EXPECT_THAT(At(qat, 20, mid), IsColor(Ref(kBar)));
    EXPECT_THAT(At(qat, 30, mid), IsColor(Ref(kBar)));
    // The application button's notch cuts the left end: the caption row shows through.
    EXPECT_THAT(At(qat, 2, mid), IsColor(Ref(kCaption)));
    // Right of the rounded end, before the customize room, the caption row shows again.
    EXPECT_THAT(At(qat, w - 17, mid), IsColor(Ref(kCaption)));
    // Above the strip's top edge line the caption row shows.
    EXPECT_THAT(At(qat, w / 2, 0), IsColor(Ref(kCaption)));
}

TEST_F(QuickAccessPaintTest, TheFullSizeBarHasAFrameAndALightInnerLine) {
    Flat();
    pager->SetShowQATBelow(true);
    const int w = qat->Width(), h = qat->Height();
    // The frame: top line from L + 1, left line from T + 1; the corner itself is left out.
    EXPECT_THAT(At(qat, w / 2, 0), IsColor(Ref(kFullBorder)));
    EXPECT_THAT(At(qat, 0, h / 2), IsColor(Ref(kFullBorder)));
    EXPECT_THAT(At(qat, w - 1, h / 2), IsColor(Ref(kFullBorder)));
    EXPECT_THAT(At(qat, w / 2, h - 2), IsColor(Ref(kFullBorder)));
    // Inside it (and along the very bottom) a line of half white and half the bar colour.
    const TColor light = Mix(0xFFFFFF, kFull, 50);
    EXPECT_THAT(At(qat, w / 2, 1), IsColorNear(Ref(light), 1));
    EXPECT_THAT(At(qat, 1, h / 2), IsColorNear(Ref(light), 1));
    EXPECT_THAT(At(qat, w / 2, h - 1), IsColorNear(Ref(light), 1));
    // Between them the gradient runs from the top colour down towards the bottom one.
    EXPECT_THAT(At(qat, w / 2, 3), IsColorNear(Ref(kFull), 0x0C));
}

TEST_F(QuickAccessPaintTest, WithoutASecondColourTheFullSizeBarIsAPlainRectangle) {
    Flat();
    pager->CurrentStyler()->QATAppearance()->SetFullSizeColorTo(clNone);
    pager->SetShowQATBelow(true);
    const int w = qat->Width(), h = qat->Height();
    EXPECT_THAT(At(qat, 0, 0), IsColor(Ref(kBarBorder)));
    EXPECT_THAT(At(qat, w - 1, h / 2), IsColor(Ref(kBarBorder)));
    EXPECT_THAT(At(qat, w / 2, h / 2), IsColor(Ref(kFull)));
}

TEST_F(QuickAccessPaintTest, TheRibbonInFourLooks) {
    pager->SetToolBarStyler(nullptr);
    auto* office = new AdvToolBarStylers::TAdvToolBarOfficeStyler(form.get());
    pager->SetToolBarStyler(office);
    pager->Caption()->SetCaption("Kalvenor - Orders");
    pager->SetCaptionButtons(TCaptionButtons{cbClose, cbMinimize, cbMaximize});
    TTabGroupItem* group = pager->TabGroups()->Add();
    group->SetCaption("Tools");
    group->SetTabIndexStart(1);
    group->SetTabIndexEnd(2);
    const char* tips[] = {"H", "N", "V"};
    for (int i = 0; i < 3; ++i) {
        pager->GetAdvPages(i)->SetShortCutHint(tips[i]);
        buttons[static_cast<std::size_t>(i)]->SetShortCutHint(std::to_string(i + 1));
    }
    TAdvToolBar* bar = pager->ActivePage()->CreateAdvToolBar();
    bar->SetCaption("Clipboard");
    qat->SetShowCustomizeOption(true);
    pager->SetTabStop(true);
    const struct {
        AdvToolBarStylers::TToolBarStyle Style;
        const char* Name;
    } looks[] = {{AdvToolBarStylers::bsOffice2007Luna, "luna"},
                 {AdvToolBarStylers::bsOffice2007Obsidian, "obsidian"},
                 {AdvToolBarStylers::bsOffice2007Silver, "silver"},
                 {AdvToolBarStylers::bsOffice2003Blue, "office2003blue"}};
    auto picture = [&](const char* What, const char* Look) {
        EXPECT_TRUE(ui.WritePng(
            form.get(), uitest::UiDriver::OutputPath(String("ribbon-") + What + "-" + Look + ".png")));
    };
    for (const auto& look : looks) {
        SCOPED_TRACE(look.Name);
        office->SetToolBarStyle(look.Style);
        pager->SetShowQATBelow(false);
        EXPECT_EQ(qat->Top(), 2);
        // The key tips over the tabs and the bar's buttons, shown by Alt tapped.
        pager->SetFocus();
        ui.Screen().KeyDown(win::VK_MENU);
        ui.Process();
        ui.Screen().KeyUp(win::VK_MENU);
        ui.Process();
        ui.Advance(50);
        ASSERT_TRUE(pager->KeyTipMode());
        // Key tips are windows of their own: the screen shows them over the form.
        EXPECT_TRUE(ui.Screen().WriteScreenPng(
            uitest::UiDriver::OutputPath(String("ribbon-keytips-") + look.Name + ".png")));
        ui.Key(win::VK_ESCAPE);
        ASSERT_FALSE(pager->KeyTipMode());
        picture("caption", look.Name);

        pager->SetShowQATBelow(true);
        EXPECT_EQ(qat->BoundsRect().Bottom, pager->Height());
        picture("below", look.Name);
        pager->Collaps();
        picture("collapsed", look.Name);
        pager->Expand();
        pager->SetShowQATBelow(false);

        // Too narrow for its buttons, the bar offers the rest behind its double arrow.
        pager->SetWidth(320);
        ui.Click(qat->OverflowButton());
        ASSERT_TRUE(qat->OverflowWindow()->Visible());
        EXPECT_TRUE(ui.WritePng(qat->OverflowWindow(),
                                uitest::UiDriver::OutputPath(String("qat-overflow-") + look.Name + ".png")));
        qat->HideOverflowWindow();
        pager->SetWidth(560);
    }
}

} // namespace
} // namespace pagertest
