// A picture to look at: bars with one panel of every style, in four presets, written next to the tests;
// each bar is probed where it shows its preset and its panels' styles.

#include <algorithm>
#include <cmath>

#include "platform/rtl/FileUtil.h"
#include "tests/statusbar/StatusBarTestSupport.h"
#include "tests/support/ColorMatch.h"

namespace statusbartest {
namespace {

using namespace AdvOfficeStatusBarStylers;
using colortest::IsColor;
using colortest::IsColorNear;

// What a preset shows, by its table: the bar's frame, the light panels' gradient (upper start, lower
// start and end; clNone where the table leaves it to the look) and their frame, and the text colour.
struct Preset {
    TOfficeStatusBarStyle Style;
    TColor Border, Color, ColorTo, Mirror, MirrorTo, PanelBorder, Text;
};

const Preset kPresets[] = {
    {psOffice2007Luna, 0xB07D56, 0xF9E6D7, 0xF8DCC7, 0xF5D0B3, 0xF7E0CD, clNone, 0x612009},
    {psOffice2007Obsidian, 0x414141, 0x414141, 0x30302F, 0x30302F, 0x4C4C4C, clNone, clWhite},
    {psOffice2003Blue, 0xE4AE88, 0xFADDC6, 0xE2A982, 0xE2A982, clNone, 0xE3B28D, clBlack},
    {psOffice2007Silver, 0x766A61, 0xEBE8E7, 0xC7BBB5, 0xB7B0AA, 0xCEC9C7, clNone, 0x2A2623},
};

// The gauge's level pairs (Color, ColorTo) by the progress style's defaults, for the positions the bars
// show: 55 % (below 70), 75 % (from 70), 95 % (from 90) and 115 % (at 100 and past it).
const std::pair<TColor, TColor> kLevels[] = {
    {clLime, 0xE1FFE1}, {clYellow, 0xCAFFFF}, {0x53A9FF, 0xA8D3FF}, {clRed, 0xCACAFF}};

// The three pictures of the image list: a disc in its colour on white.
const TColor kDiscs[] = {0x3050E0, 0x30A040, 0xC06020};

// Percent of A over B, channel by channel, rounded.
win::COLORREF Blend(TColor A, TColor B, int Percent) {
    const auto a = static_cast<win::COLORREF>(A), b = static_cast<win::COLORREF>(B);
    win::COLORREF r = 0;
    for (int shift : {0, 8, 16}) {
        const double v =
            Percent / 100.0 * ((a >> shift) & 0xFF) + (1 - Percent / 100.0) * ((b >> shift) & 0xFF);
        r |= static_cast<win::COLORREF>(std::lrint(v)) << shift;
    }
    return r;
}

class StatusBarSheetTest : public StatusBarTest {
protected:
    // The pixel of a client rectangle nearest to Color (the ink of a text drawn in it).
    win::COLORREF Nearest(TControl* C, const TRect& R, TColor Color) {
        const win::COLORREF want = Ref(Color);
        win::COLORREF best = 0;
        int bestDistance = 1 << 30;
        for (int x = R.Left; x < R.Right; ++x)
            for (int y = R.Top; y < R.Bottom; ++y) {
                const win::COLORREF c = Peek(C, x, y);
                int d = 0;
                for (int shift : {0, 8, 16}) {
                    const int a = static_cast<int>((c >> shift) & 0xFF),
                              b = static_cast<int>((want >> shift) & 0xFF);
                    d = std::max(d, std::abs(a - b));
                }
                if (d < bestDistance) bestDistance = d, best = c;
            }
        return best;
    }
    // The leftmost column of R holding a pixel within Tolerance of Color, or -1.
    int FirstColumnOf(TControl* C, const TRect& R, TColor Color, int Tolerance) {
        for (int x = R.Left; x < R.Right; ++x)
            for (int y = R.Top; y < R.Bottom; ++y)
                if (Near(Peek(C, x, y), Ref(Color), Tolerance)) return x;
        return -1;
    }

    void Probe(TAdvOfficeStatusBar* Bar, const Preset& P, int Level);
};

struct Panel {
    TAdvOfficeStatusPanelStyle Style;
    const char* Text;
    int Width;
};

// Panel by panel, left to right: the first at 0 and each the previous one's width further on.
const Panel kPanels[] = {
    {psHTML, "<b>Bold</b> <a href=\"x\">link</a> <font color=\"clred\">red</font>", 120},
    {psText, "Ready", 55},
    {psOwnerDraw, "Owner", 50},
    {psTime, "", 70},
    {psDate, "", 75},
    {psNumLock, "", 40},
    {psCapsLock, "", 40},
    {psScrollLock, "", 40},
    {psProgress, "", 100},
    {psImage, "Image", 70},
    {psImageList, "", 70},
    {psAnimation, "Busy", 60},
    {psEllipsText, "A text too long for its panel", 80},
    {psFileEllipsText, "C:\\Program Files\\Kalvenor\\data\\quotes.csv", 130},
};

int PanelLeft(int Index) {
    int x = 0;
    for (int i = 0; i < Index; ++i)
        x += kPanels[i].Width;
    return x;
}

void StatusBarSheetTest::Probe(TAdvOfficeStatusBar* Bar, const Preset& P, int Level) {
    SCOPED_TRACE(GetEnumName(KvEnumInfo(P.Style), P.Style));
    const int w = Bar->Width(), h = Bar->Height();
    // The frame in the styler's border colour, its top line too (drawn over the lighter one last).
    EXPECT_THAT(Peek(Bar, 0, h / 2), IsColor(Ref(P.Border)));
    EXPECT_THAT(Peek(Bar, w - 1, h / 2), IsColor(Ref(P.Border)));
    EXPECT_THAT(Peek(Bar, w / 2, h - 1), IsColor(Ref(P.Border)));
    EXPECT_THAT(Peek(Bar, w / 2, 0), IsColor(Ref(P.Border)));

    // Panels stand one pixel inside the frame (rows 1 to 19 of 22), the upper half from Color, the lower
    // from the mirror colour, whose last band reaches the row above the bottom line. The Num Lock and
    // Scroll Lock panels, their locks off, show nothing but that: each of their rows is one colour. The
    // second one's column x is the panel's look for the probes further down.
    const int caps = PanelLeft(6), scroll = PanelLeft(7), x = scroll + 20;
    if (P.PanelBorder != clNone) {
        EXPECT_THAT(Peek(Bar, x, 1), IsColor(Ref(P.PanelBorder)));
        EXPECT_THAT(Peek(Bar, scroll + 2, 10), IsColor(Ref(P.PanelBorder)));
    } else {
        EXPECT_THAT(Peek(Bar, x, 1), IsColorNear(Ref(P.Color), 3));
    }
    EXPECT_THAT(Peek(Bar, x, 10), IsColorNear(Ref(P.Mirror), 3));
    if (P.MirrorTo != clNone) {
        EXPECT_THAT(Peek(Bar, x, h - 2), IsColorNear(Ref(P.MirrorTo), 2));
    }
    for (int panel : {5, 7}) {
        const int left = PanelLeft(panel) + 3, right = PanelLeft(panel) + kPanels[panel].Width - 1;
        TPoint mark{-1, -1};
        for (int y = 2; y < h - 2 && mark.X < 0; ++y)
            for (int px = left; px < right && mark.X < 0; ++px)
                if (Peek(Bar, px, y) != Peek(Bar, left, y)) mark = TPoint{px, y};
        EXPECT_LT(mark.X, 0) << "a mark in the empty lock panel " << panel << " at " << mark.X << ", "
                             << mark.Y;
    }

    // The separator at a panel's left edge: two columns of ColorTo lightened with white, most at the ends:
    // the outer from 70 % ColorTo at the top to ColorTo itself in the middle, the inner from 50 % to 10 %.
    EXPECT_THAT(Peek(Bar, caps, 1), IsColorNear(Blend(P.ColorTo, clWhite, 70), 4));
    EXPECT_THAT(Peek(Bar, caps, 10), IsColorNear(Ref(P.ColorTo), 4));
    EXPECT_THAT(Peek(Bar, caps + 1, 1), IsColorNear(Blend(P.ColorTo, clWhite, 50), 4));
    EXPECT_THAT(Peek(Bar, caps + 1, 10), IsColorNear(Blend(P.ColorTo, clWhite, 10), 4));

    // Text in the preset's colour: Caps Lock is on, and each text panel writes its text.
    // (The image and animation panels write theirs after the picture.)
    for (int i : {1, 2, 3, 4, 6, 9, 11, 12, 13}) {
        SCOPED_TRACE(GetEnumName(KvEnumInfo(kPanels[i].Style), kPanels[i].Style));
        const int from = PanelLeft(i) + (i == 9 || i == 11 ? 22 : 2);
        const TRect r{from, 3, PanelLeft(i) + kPanels[i].Width, h - 4};
        EXPECT_THAT(Nearest(Bar, r, P.Text), IsColorNear(Ref(P.Text), 16));
    }
    // The mark-up: the bold word in the text colour, then the link in the bar's link colour (blue), then
    // the word whose colour the mark-up names, red, each to the right of the one before.
    const TRect markup{1, 2, kPanels[0].Width, h - 2};
    const int bold = FirstColumnOf(Bar, markup, P.Text, 16), link = FirstColumnOf(Bar, markup, clBlue, 16),
              red = FirstColumnOf(Bar, markup, clRed, 16);
    EXPECT_GE(bold, 0) << "no ink of the text colour in the mark-up";
    EXPECT_GT(link, bold) << "the link's first blue column (-1: none) after the bold word's";
    EXPECT_GT(red, link) << "the red word's first column (-1: none) after the link's";

    // The gauge fills its band two pixels inside the panel's text room: lightest (ColorTo) on its top
    // row, its level's Color in the middle, cut by two-pixel gaps every nine pixels that show the panel.
    const int gauge = PanelLeft(8) + 4;
    const auto [level, levelTo] = kLevels[Level];
    EXPECT_THAT(Peek(Bar, gauge, 3), IsColor(Ref(levelTo)));
    EXPECT_THAT(Peek(Bar, gauge, 10), IsColor(Ref(level)));
    EXPECT_THAT(Peek(Bar, gauge + 7, 10), IsColor(Ref(level)));
    EXPECT_THAT(Peek(Bar, gauge - 1, 10), IsColor(Peek(Bar, x, 10)));
    EXPECT_THAT(Peek(Bar, gauge + 8, 10), IsColor(Peek(Bar, x, 10)));
    EXPECT_THAT(Peek(Bar, gauge + 9, 10), IsColor(Peek(Bar, x, 10)));
    EXPECT_THAT(Peek(Bar, gauge + 10, 10), IsColor(Ref(level)));

    // Pictures 16 pixels square, four pixels into their panel and two apart, one pixel below the panel's
    // top, with the panel around them: the image panel's first, the list's three in their order, the
    // animation's first frame.
    const int image = PanelLeft(9) + 4, list = PanelLeft(10) + 4, frame = PanelLeft(11) + 4;
    const std::pair<int, TColor> pictures[] = {{image, kDiscs[0]},
                                               {list, kDiscs[0]},
                                               {list + 18, kDiscs[1]},
                                               {list + 36, kDiscs[2]},
                                               {frame, kDiscs[0]}};
    for (auto [left, disc] : pictures) {
        SCOPED_TRACE(left);
        EXPECT_THAT(Peek(Bar, left, 2), IsColor(Ref(clWhite)));
        EXPECT_THAT(Peek(Bar, left + 15, 17), IsColor(Ref(clWhite)));
        EXPECT_THAT(Peek(Bar, left + 8, 10), IsColor(Ref(disc)));
        EXPECT_THAT(Peek(Bar, left - 1, 10), IsColor(Peek(Bar, x, 10)));
        EXPECT_THAT(Peek(Bar, left + 16, 10), IsColor(Peek(Bar, x, 10)));
        EXPECT_THAT(Peek(Bar, left + 8, 1), IsColor(Peek(Bar, x, 1)));
    }
}

TEST_F(StatusBarSheetTest, EveryStyleInFourPresetsIsWrittenToAPictureAndShowsItsLook) {
    form->SetBounds(0, 0, 1010, 170);
    TImageList images(nullptr);
    for (TColor c : kDiscs) {
        TBitmap b(16, 16);
        b.Canvas()->Brush()->SetColor(clWhite);
        b.Canvas()->FillRect(TRect{0, 0, 16, 16});
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->Ellipse(TRect{2, 2, 14, 14});
        images.Add(&b, nullptr);
    }
    std::vector<TAdvOfficeStatusBar*> bars;
    int top = 10;
    for (const Preset& preset : kPresets) {
        const int n = static_cast<int>(bars.size());
        auto* styler = new TAdvOfficeStatusBarOfficeStyler(form.get());
        styler->SetStyle(preset.Style);
        auto* bar = new TAdvOfficeStatusBar(form.get());
        bar->SetName("Sheet" + std::to_string(n + 1));
        bar->SetAlign(alNone);
        bar->SetBounds(0, top, 1000, 22);
        bar->SetParent(form.get());
        bar->SetStyler(styler);
        bar->SetImages(&images);
        bar->SetSizeGrip(false);
        for (const Panel& p : kPanels) {
            TAdvOfficeStatusPanel* panel = bar->Panels()->Add();
            panel->SetStyle(p.Style);
            panel->SetText(p.Text);
            panel->SetWidth(p.Width);
            panel->SetTimeFormat("h:mm:ss");
            panel->SetDateFormat("dd.MM.yyyy");
        }
        bar->Panels()->GetItem(8)->Progress()->SetPosition(55 + 20 * n);
        bar->Panels()->GetItem(9)->SetImageIndex(0);
        bar->Panels()->GetItem(10)->SetImageIndexes(0, 0);
        bar->Panels()->GetItem(10)->SetImageIndexes(1, 1);
        bar->Panels()->GetItem(10)->SetImageIndexes(2, 2);
        bar->Panels()->GetItem(11)->SetAnimationImages(&images);
        bar->Panels()->GetItem(2)->SetButton(true);
        bar->UpdateStatusBar();
        bars.push_back(bar);
        top += 36;
    }
    ShowAndPaint();
    // Caps Lock on and Num Lock and Scroll Lock off, as the bars' timer sees them at its next tick.
    if ((win::GetKeyState(win::VK_CAPITAL) & 1) == 0) ui.Key(win::VK_CAPITAL);
    if ((win::GetKeyState(win::VK_NUMLOCK) & 1) != 0) ui.Key(win::VK_NUMLOCK);
    if ((win::GetKeyState(win::VK_SCROLL) & 1) != 0) ui.Key(win::VK_SCROLL);
    ui.Advance(100);
    String path = uitest::UiDriver::OutputPath("StatusBarStyles.png");
    ASSERT_TRUE(ui.WritePng(form.get(), path));
    EXPECT_TRUE(FileExists(path));
    for (size_t i = 0; i < bars.size(); ++i)
        Probe(bars[i], kPresets[i], static_cast<int>(i));
}

} // namespace
} // namespace statusbartest
