// The main window's status bar read from a layout like the application's, and its look.

#include "platform/classes/LayoutReader.h"
#include "platform/rtl/FileUtil.h"
#include "tests/statusbar/StatusBarTestSupport.h"

namespace statusbartest {
namespace {

using namespace AdvOfficeStatusBarStylers;

const char* const kLayout = R"(object MainForm: TCustomForm
  Left = 40
  Top = 40
  Width = 700
  Height = 200
  Caption = 'Kalvenor'
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  object AdvOfficeStatusBar: TAdvOfficeStatusBar
    Left = 0
    Top = 150
    Width = 684
    Height = 19
    AnchorHint = False
    Panels = <
      item
        AppearanceStyle = psLight
        DateFormat = 'dd.MM.yyyy'
        Progress.BackGround = clNone
        Progress.BorderColor = clBlack
        Progress.CompletionSmooth = True
        Progress.ShowBorder = False
        Progress.Stacked = False
        Style = psText
        Text = 'Ready'
        TimeFormat = 'h:mm:ss'
        Width = 225
      end
      item
        AppearanceStyle = psLight
        DateFormat = 'dd.MM.yyyy'
        Progress.BackGround = clNone
        Progress.Indication = piPercentage
        Progress.Min = 0
        Progress.Max = 100
        Progress.Position = 0
        Progress.Level0Color = clLime
        Progress.Level0ColorTo = 14811105
        Progress.Level1Color = clYellow
        Progress.Level1ColorTo = 13303807
        Progress.Level2Color = 5483007
        Progress.Level2ColorTo = 11064319
        Progress.Level3Color = clRed
        Progress.Level3ColorTo = 13290239
        Progress.Level1Perc = 70
        Progress.Level2Perc = 90
        Progress.BorderColor = clBlack
        Progress.ShowBorder = False
        Progress.Stacked = False
        Style = psProgress
        TimeFormat = 'h:mm:ss'
        Width = 100
      end
      item
        Width = 130
      end
      item
        Width = 50
      end>
    SimplePanel = False
    URLColor = clBlue
    Styler = AdvOfficeStatusBarOfficeStyler
    Version = '1.2.0.2'
  end
  object AdvOfficeStatusBarOfficeStyler: TAdvOfficeStatusBarOfficeStyler
    Style = psOffice2007Luna
    BorderColor = $00B07D56
    PanelAppearanceLight.BorderColor = clNone
    PanelAppearanceLight.TextColorHot = clBlack
    PanelAppearanceLight.TextColorDown = clBlack
    PanelAppearanceLight.TextStyle = []
    PanelAppearanceDark.BorderColor = clNone
    PanelAppearanceDark.TextStyle = []
    AutoThemeAdapt = False
  end
end
)";

constexpr TColor kLunaLight = 0xF9E6D7;
constexpr TColor kLunaDark = 0xF8DCC5;
constexpr TColor kLunaBorder = 0xB07D56;

class StatusBarLayoutTest : public StatusBarTest {
protected:
    void SetUp() override {
        StatusBarTest::SetUp();
        form->SetName("");
        ReadComponentFromText(kLayout, form.get(), "MainForm");
        bar = dynamic_cast<TAdvOfficeStatusBar*>(form->FindComponent("AdvOfficeStatusBar"));
        styler = dynamic_cast<TAdvOfficeStatusBarOfficeStyler*>(
            form->FindComponent("AdvOfficeStatusBarOfficeStyler"));
        ASSERT_NE(bar, nullptr);
        ASSERT_NE(styler, nullptr);
    }
    // What the browser's progress handler does with the panel's gauge.
    void Progress(int Position, int Max) {
        TProgressStyle* gauge = bar->Panels()->GetItem(1)->Progress();
        gauge->SetMax(Max);
        gauge->SetPosition(Position);
    }

    TAdvOfficeStatusBar* bar = nullptr;
    TAdvOfficeStatusBarOfficeStyler* styler = nullptr;
};

TEST_F(StatusBarLayoutTest, EveryPropertyTheLayoutSetsIsRead) {
    EXPECT_EQ(bar->Parent(), form.get());
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->Height(), 19);
    EXPECT_FALSE(bar->AnchorHint());
    EXPECT_FALSE(bar->SimplePanel());
    EXPECT_EQ(bar->URLColor(), clBlue);
    EXPECT_EQ(bar->Styler(), styler); // named before the styler was read
    EXPECT_EQ(bar->CurrentStyler(), styler);
    EXPECT_EQ(styler->ControlCount(), 1);
    EXPECT_EQ(styler->Style(), psOffice2007Luna);
    EXPECT_EQ(styler->BorderColor(), kLunaBorder);
    EXPECT_EQ(styler->PanelAppearanceLight()->Color(), kLunaLight);
    EXPECT_EQ(styler->PanelAppearanceLight()->BorderColor(), clNone);
    EXPECT_EQ(styler->PanelAppearanceLight()->TextColorHot(), clBlack);
    EXPECT_FALSE(styler->AutoThemeAdapt());

    ASSERT_EQ(bar->Panels()->Count(), 4);
    const TAdvOfficeStatusPanelStyle styles[] = {psText, psProgress, psHTML, psHTML};
    const int widths[] = {225, 100, 130, 50};
    for (int i = 0; i < 4; ++i) {
        TAdvOfficeStatusPanel* p = bar->Panels()->GetItem(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(p->Style(), styles[i]);
        EXPECT_EQ(p->Width(), widths[i]);
        if (i >= 2) continue; // the last two leave the rest to the defaults
        EXPECT_EQ(p->AppearanceStyle(), psLight);
        EXPECT_EQ(p->DateFormat(), "dd.MM.yyyy");
        EXPECT_EQ(p->TimeFormat(), "h:mm:ss");
        EXPECT_EQ(p->Progress()->BackGround(), clNone);
        EXPECT_EQ(p->Progress()->BorderColor(), clBlack);
        EXPECT_FALSE(p->Progress()->ShowBorder());
        EXPECT_FALSE(p->Progress()->Stacked());
    }
    EXPECT_EQ(bar->Panels()->GetItem(0)->Text(), "Ready");
    EXPECT_TRUE(bar->Panels()->GetItem(0)->Progress()->CompletionSmooth());
    TProgressStyle* gauge = bar->Panels()->GetItem(1)->Progress();
    EXPECT_EQ(gauge->Min(), 0);
    EXPECT_EQ(gauge->Max(), 100);
    EXPECT_EQ(gauge->Position(), 0);
    EXPECT_EQ(gauge->Indication(), piPercentage);
    EXPECT_EQ(gauge->Level1Perc(), 70);
    EXPECT_EQ(gauge->Level2Perc(), 90);
    EXPECT_EQ(gauge->Level0ColorTo(), 0xE1FFE1);
    EXPECT_EQ(bar->Panels()->GetItem(2)->Text(), "");
}

TEST_F(StatusBarLayoutTest, LunaPanelsAreVistaGradientsWithSeparators) {
    ShowAndPaint();
    // A user-set styler with a border: panels one pixel inside it, the upper half from Color to ColorTo,
    // the lower from ColorMirror to ColorMirrorTo (Luna: 0xF9E6D7, 0xF8DCC7, 0xF5D0B3, 0xF7E0CD).
    EXPECT_TRUE(Close(At(bar, 100, 1), Ref(0xF9E6D7)));
    EXPECT_TRUE(Close(At(bar, 100, 8), Ref(0xF8DCC7)));
    EXPECT_TRUE(Close(At(bar, 100, 9), Ref(0xF5D0B3)));
    EXPECT_TRUE(Close(At(bar, 100, 16), Ref(0xF7E0CD)));
    // The frame in the styler's border colour, the top line too (drawn last).
    EXPECT_EQ(At(bar, 0, 9), Ref(kLunaBorder));
    EXPECT_EQ(At(bar, 300, 18), Ref(kLunaBorder));
    EXPECT_EQ(At(bar, bar->Width() - 1, 9), Ref(kLunaBorder));
    EXPECT_EQ(At(bar, 300, 0), Ref(kLunaBorder));
    // Separators at 225, 325 and 455: the outer column runs from ColorTo blended 70 % with white to
    // ColorTo in the middle, the inner from 50 % to 10 %; none inside the first panel.
    const TColor to = 0xF8DCC7;
    for (int x : {225, 325, 455}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(Close(At(bar, x, 1), Ref(BlendColor(to, clWhite, 70))));
        EXPECT_TRUE(Close(At(bar, x, 9), Ref(to)));
        EXPECT_TRUE(Close(At(bar, x + 1, 1), Ref(BlendColor(to, clWhite, 50))));
        EXPECT_TRUE(Close(At(bar, x + 1, 9), Ref(BlendColor(to, clWhite, 10))));
    }
    EXPECT_TRUE(Close(At(bar, 150, 1), Ref(0xF9E6D7)));
    // A dark panel takes the dark appearance (Color 0xF8DCC5 at its top).
    bar->Panels()->GetItem(2)->SetAppearanceStyle(psDark);
    EXPECT_TRUE(Close(At(bar, 420, 1), Ref(kLunaDark), 8));
}

// The bar erases nothing: the row above the bottom line, which the inset leaves outside the panels, is
// painted by the last band of each gradient (a band reaches one pixel past its rectangle).
TEST_F(StatusBarLayoutTest, TheRowAboveTheBottomLineIsTheLastBandsAndNeverLeftUnpainted) {
    ShowAndPaint();
    const int row = bar->Height() - 2;
    // Inside a panel: the mirror gradient's end colour (Luna's ColorMirrorTo 0xF7E0CD).
    for (int x : {100, 300, 600}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(Close(At(bar, x, row), Ref(0xF7E0CD)));
    }
    // The separators' columns end where they began: ColorTo blended 70 % and 50 % with white.
    const TColor to = 0xF8DCC7;
    for (int x : {225, 325, 455}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(Close(At(bar, x, row), Ref(BlendColor(to, clWhite, 70))));
        EXPECT_TRUE(Close(At(bar, x + 1, row), Ref(BlendColor(to, clWhite, 50))));
    }
    // The bottom line stays the frame's.
    EXPECT_EQ(At(bar, 300, row + 1), Ref(kLunaBorder));
}

TEST_F(StatusBarLayoutTest, TheGaugeIsSegmentedAndColouredByLevel) {
    ShowAndPaint();
    // Panel 1 spans 225..325; inside the separator and margins the gauge is 227..323 high 1..17, its
    // fill length 94. At 45 %: the band from 229 to 227 + 42, rows 3..13, lightest (Level0ColorTo) at
    // the top and Level0Color in the middle, with two-pixel gaps from 229 + 8 every 9 pixels.
    const win::COLORREF before = At(bar, 237, 8);
    Progress(45, 100);
    EXPECT_GT(At(bar, 230, 3) & 0xFF, 0xC0u); // towards 0xE1FFE1: red appears
    EXPECT_EQ(At(bar, 236, 8), Ref(clLime));
    EXPECT_EQ(At(bar, 261, 8), Ref(clLime));
    for (int gap : {237, 238, 246, 255})
        EXPECT_EQ(At(bar, gap, 8), before) << gap;
    EXPECT_EQ(At(bar, 269, 8), before);
    EXPECT_EQ(At(bar, 228, 8), before);
    // Level colours: from 70 % Level1, from 90 % Level2, at 100 % Level3.
    Progress(70, 100);
    EXPECT_EQ(At(bar, 236, 8), Ref(clYellow));
    Progress(90, 100);
    EXPECT_EQ(At(bar, 236, 8), Ref(0x53A9FF));
    Progress(100, 100);
    EXPECT_EQ(At(bar, 236, 8), Ref(clRed));
    EXPECT_EQ(At(bar, 317, 8), Ref(clRed));
    // Past the maximum the band stops at the gauge's edge; the next panel is untouched.
    const win::COLORREF next = At(bar, 340, 8);
    Progress(150, 100);
    EXPECT_EQ(At(bar, 340, 8), next);
    EXPECT_TRUE(Close(At(bar, 325, 9), Ref(0xF8DCC7)));
    // A zero range: no band.
    Progress(0, 0);
    EXPECT_EQ(At(bar, 236, 8), before);
}

TEST_F(StatusBarLayoutTest, TheShellsStatusTextRepaintsTheBarAndTheStylerCanGo) {
    ShowAndPaint();
    ASSERT_FALSE(RepaintPending(bar));
    bar->Panels()->GetItem(0)->SetText("Overview loading...");
    // Only the first panel's place waits for a repaint.
    win::RECT r{};
    ASSERT_TRUE(win::GetUpdateRect(bar->Handle(), &r, 0));
    EXPECT_EQ(r, bar->GetPanelRect(0));
    EXPECT_EQ(bar->Panels()->GetItem(0)->Text(), "Overview loading...");
    // A longer text reaches further right than "Ready" did.
    EXPECT_TRUE(AnyOtherThan(bar, TRect{60, 3, 150, 16}, Ref(kLunaLight)));
    // Without its styler the bar falls back to the internal look: white panels, no inset, its own frame.
    FreeComponent(styler);
    EXPECT_EQ(bar->Styler(), nullptr);
    EXPECT_EQ(bar->CurrentStyler(), bar->InternalStyler());
    EXPECT_EQ(At(bar, 200, 1), Ref(clWhite));
    EXPECT_EQ(At(bar, 0, 9), Ref(0x825A3B));
}

TEST_F(StatusBarLayoutTest, DisabledPanelsWriteInGreyAndOwnerDrawnPanelsAreLeftToTheirHandler) {
    ShowAndPaint();
    // The darkest pixel of the first panel's text: the appearance's dark blue, then grey.
    auto darkest = [&] {
        ui.Process();
        int best = 3 * 255;
        win::COLORREF pick = 0;
        for (int x = 3; x < 60; ++x)
            for (int y = 3; y < 16; ++y) {
                win::COLORREF c = Peek(bar, x, y);
                int sum = static_cast<int>((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF));
                if (sum < best) best = sum, pick = c;
            }
        return pick;
    };
    EXPECT_TRUE(Near(darkest(), Ref(0x612009)));
    bar->Panels()->GetItem(0)->SetEnabled(false);
    EXPECT_TRUE(Near(darkest(), Ref(0x808080)));

    // psOwnerDraw: the handler gets the panel and its whole rectangle, and nothing else is drawn.
    TAdvOfficeStatusPanel* owner = bar->Panels()->GetItem(2);
    owner->SetText("Not drawn");
    owner->SetStyle(psOwnerDraw);
    std::vector<TRect> rects;
    bar->OnDrawPanel = [&](TObject* Sender, TAdvOfficeStatusPanel* Panel, const TRect& R) {
        EXPECT_EQ(Sender, bar);
        EXPECT_EQ(Panel, owner);
        rects.push_back(R);
    };
    // Nothing but the background: every row of the panel is one colour.
    auto rowsPlain = [&] {
        ui.Process();
        for (int y = 3; y < 16; ++y)
            for (int x = 331; x < 400; ++x)
                if (Peek(bar, x, y) != Peek(bar, 330, y)) return false;
        return true;
    };
    bar->Invalidate();
    EXPECT_TRUE(rowsPlain());
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects.back(), (TRect{325, 0, 455, 18}));
    // Without a handler it is drawn like a text panel.
    bar->OnDrawPanel = nullptr;
    bar->Invalidate();
    EXPECT_FALSE(rowsPlain());
}

TEST_F(StatusBarLayoutTest, IsWrittenToAPicture) {
    bar->Panels()->GetItem(0)->SetText("Overview loading...");
    bar->Panels()->GetItem(2)->SetText("<b>Mark-up</b> text");
    Progress(45, 100);
    ShowAndPaint();
    // Written next to the test program.
    String path = uitest::UiDriver::OutputPath("StatusBarForm.png");
    ASSERT_TRUE(ui.WritePng(form.get(), path));
    EXPECT_TRUE(FileExists(path));
}

} // namespace
} // namespace statusbartest
