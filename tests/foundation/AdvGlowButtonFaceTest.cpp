// The glow button's face as the screen shows it, and a sheet of every state to look at.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "components/foundation/AdvGlowButton.h"
#include "platform/vcl/Image.h"
#include "tests/foundation/AdvGDIPTestSupport.h"
#include "tests/support/ColorMatch.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using namespace AdvGlowButton;
using colortest::IsColor;
using colortest::IsColorNear;

constexpr TColor ParentColor = 0x00C000; // a green no preset uses

class AdvGlowButtonFaceTest : public uitest::UiTest {
protected:
    void SetUp() override {
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(ParentColor);
    }
    TAdvGlowButton* Make(AdvStyleIF::TBrixStyle Style, int Top, int Group = 0) {
        auto* b = new TAdvGlowButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(20, Top, 120, 40);
        b->SetGroupIndex(Group);
        b->SetComponentStyle(Style);
        return b;
    }
    void Show() {
        form->Show();
        ui.Process();
    }
    // A pixel of the button as the form's window shows it (after the input handled so far).
    win::COLORREF Px(TControl* B, int X, int Y) {
        const TPoint o = B->ClientToScreen(TPoint{0, 0});
        const TRect wr = form->BoundsRect();
        return ui.Screen().WindowPixel(form->Handle(), o.X - wr.Left + X, o.Y - wr.Top + Y);
    }
    // The darkest channel value over the button's caption band.
    int Darkest(TControl* B) {
        int darkest = 255;
        for (int y = 10; y < 30; ++y)
            for (int x = 10; x < 110; ++x) {
                const win::COLORREF c = Px(B, x, y);
                darkest = std::min({darkest, static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                                    static_cast<int>((c >> 16) & 0xFF)});
            }
        return darkest;
    }
    // The two halves of a 40-pixel face: the upper gradient runs over rows 0..19 from the first colour
    // to the second, the mirror gradient over rows 19..39 from its second colour to its first.
    void ExpectFace(TControl* B, TColor Color, TColor ColorTo, TColor Mirror, TColor MirrorTo) {
        EXPECT_THAT(Px(B, 60, 1), IsColorNear(Color, 6)) << "upper gradient, top";
        EXPECT_THAT(Px(B, 60, 18), IsColorNear(ColorTo, 6)) << "upper gradient, bottom";
        EXPECT_THAT(Px(B, 60, 20), IsColorNear(MirrorTo, 6)) << "mirror gradient, top";
        EXPECT_THAT(Px(B, 60, 38), IsColorNear(Mirror, 8)) << "mirror gradient, bottom";
    }
    TComponentPtr<TCustomForm> form;
};

// Normal colours of the two presets, and the hot, down and checked set both share.
struct Preset {
    AdvStyleIF::TBrixStyle Style;
    TColor Color, ColorTo, Mirror, MirrorTo;
};
constexpr Preset Luna{AdvStyleIF::tsOffice2007Luna, 0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0};
constexpr Preset Blue{AdvStyleIF::tsOffice2003Blue, 0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0};

class AdvGlowButtonPresetFace : public AdvGlowButtonFaceTest, public ::testing::WithParamInterface<Preset> {};

TEST_P(AdvGlowButtonPresetFace, GradientsOfRestHotDownAndChecked) {
    const Preset p = GetParam();
    TAdvGlowButton* rest = Make(p.Style, 10);
    TAdvGlowButton* checked = Make(p.Style, 60, 1);
    checked->SetDown(true);
    TAdvGlowButton* hot = Make(p.Style, 110);
    Show();
    ExpectFace(rest, p.Color, p.ColorTo, p.Mirror, p.MirrorTo);
    ExpectFace(checked, 0xB5DBFB, 0x78C7FE, 0x9FEBFD, 0x56B4FE);

    ui.MoveTo(hot);
    ui.Advance(300); // the hover fade has ended
    ExpectFace(hot, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF);
    ui.Screen().Press();
    ui.Process();
    ui.Advance(300); // the press fade has ended
    ExpectFace(hot, 0x76AFF1, 0x4190F3, 0x0E72F1, 0x4C9FFD);
    ui.Screen().Release();
    ui.Process();
}

TEST_F(AdvGlowButtonFaceTest, AFadeBlendsTheHotColoursIntoTheNormalOnes) {
    TAdvGlowButton* b = Make(AdvStyleIF::tsOffice2007Luna, 10);
    b->SetCaption("");
    Show();
    // Percent of the hot colour and the rest of the normal one, channel by channel.
    auto mix = [](TColor Hot, TColor Normal, int Percent) {
        TColor r = 0;
        for (int shift : {0, 8, 16}) {
            const int h = (Hot >> shift) & 0xFF, n = (Normal >> shift) & 0xFF;
            r |= static_cast<TColor>((h * Percent + n * (100 - Percent) + 50) / 100) << shift;
        }
        return r;
    };
    ui.MoveTo(b);
    ui.Advance(60); // two ticks: 40 %
    EXPECT_EQ(b->HoverProgress(), 40);
    EXPECT_THAT(Px(b, 60, 38), IsColorNear(mix(0x59DAFF, Luna.Mirror, 40), 8));
    EXPECT_THAT(Px(b, 60, 18), IsColorNear(mix(0xACECFF, Luna.ColorTo, 40), 6));
}

INSTANTIATE_TEST_SUITE_P(Presets, AdvGlowButtonPresetFace, ::testing::Values(Luna, Blue),
                         [](const auto& Info) {
                             return Info.index == 0 ? "Office2007Luna" : "Office2003Blue";
                         });

TEST_F(AdvGlowButtonFaceTest, CornersAndTransparentButtonsShowTheParent) {
    TAdvGlowButton* round = Make(AdvStyleIF::tsOffice2007Luna, 10);
    TAdvGlowButton* square = Make(AdvStyleIF::tsOffice2007Luna, 60);
    square->SetRounded(false);
    TAdvGlowButton* left = Make(AdvStyleIF::tsOffice2007Luna, 110);
    left->SetButtonPosition(bpLeft);
    TAdvGlowButton* middle = Make(AdvStyleIF::tsOffice2007Luna, 60);
    middle->SetLeft(160);
    middle->SetButtonPosition(bpMiddle);
    TAdvGlowButton* right = Make(AdvStyleIF::tsOffice2007Luna, 110);
    right->SetLeft(160);
    right->SetButtonPosition(bpRight);
    Show();
    for (const TPoint c : {TPoint{0, 0}, TPoint{119, 0}, TPoint{0, 39}, TPoint{119, 39}})
        EXPECT_THAT(Px(round, c.X, c.Y), IsColor(ParentColor)) << c.X << "," << c.Y;
    // Square corners: the border runs to the corner pixel, which shows the parent all the same.
    EXPECT_THAT(Px(square, 1, 0), IsColor(0xE0B99Bu));
    EXPECT_THAT(Px(square, 0, 1), IsColor(0xE0B99Bu));
    EXPECT_THAT(Px(square, 118, 39), IsColor(0xE0B99Bu));
    // A left piece of a group: round on the left only.
    EXPECT_THAT(Px(left, 0, 0), IsColor(ParentColor));
    EXPECT_NE(Px(left, 119, 0), ParentColor);
    EXPECT_NE(Px(left, 119, 39), ParentColor);
    // The other pieces: a right one round on the right only, a middle one square on both sides.
    EXPECT_THAT(Px(right, 119, 39), IsColor(ParentColor));
    EXPECT_NE(Px(right, 0, 0), ParentColor);
    for (const TPoint c : {TPoint{0, 0}, TPoint{119, 0}, TPoint{0, 39}, TPoint{119, 39}})
        EXPECT_NE(Px(middle, c.X, c.Y), ParentColor) << c.X << "," << c.Y;
    // A transparent button at rest shows its parent, and no border.
    TAdvGlowButton* b = Make(AdvStyleIF::tsOffice2007Luna, 160);
    b->SetTransparent(true);
    b->SetCaption("");
    ui.Process();
    EXPECT_THAT(Px(b, 60, 20), IsColor(ParentColor));
    EXPECT_THAT(Px(b, 0, 20), IsColor(ParentColor)); // no border either
    ui.MoveTo(b);
    ui.Advance(300);
    EXPECT_THAT(Px(b, 60, 1), IsColorNear(0xEBFDFF, 6)); // the hot face while the mouse is in
}

TEST_F(AdvGlowButtonFaceTest, FocusOutlinesByFocusTypeAndTheDisabledCaption) {
    TAdvGlowButton* b = Make(AdvStyleIF::tsOffice2007Luna, 10);
    b->SetTabStop(true);
    TAdvGlowButton* none = Make(AdvStyleIF::tsOffice2007Luna, 60);
    none->SetTabStop(true);
    none->SetFocusType(ftNone);
    Show();
    b->SetFocus();
    ui.Process();
    // The outer outline one pixel in, the dotted grey one two pixels in.
    EXPECT_THAT(Px(b, 60, 1), IsColor(0xE4AD89u));
    EXPECT_THAT(Px(b, 1, 20), IsColor(0xE4AD89u));
    int grey = 0;
    for (int x = 20; x < 100; ++x)
        if (::testing::Matches(IsColorNear(0x808080, 0x18))(Px(b, x, 2))) ++grey;
    EXPECT_GT(grey, 15); // dotted: about every other pixel
    EXPECT_LT(grey, 65);

    none->SetFocus();
    ui.Process();
    EXPECT_THAT(Px(none, 60, 1), IsColorNear(Luna.Color, 6)); // no outline, the face
    EXPECT_THAT(Px(b, 60, 1), IsColorNear(Luna.Color, 6));    // the first button lost its outline
    // A disabled caption is grey whatever the font colour.
    TAdvGlowButton* on = Make(AdvStyleIF::tsOffice2007Luna, 110);
    TAdvGlowButton* off = Make(AdvStyleIF::tsOffice2007Luna, 160);
    for (TAdvGlowButton* button : {on, off}) {
        button->SetCaption("WWWWWW");
        button->Font()->SetColor(clBlack);
    }
    off->SetEnabled(false);
    ui.Process();
    EXPECT_LT(Darkest(on), 0x30);
    // Text pixels are no darker than the grey (edges blend into the face).
    EXPECT_NEAR(Darkest(off), 0x80, 0x10);
}

TEST_F(AdvGlowButtonFaceTest, SplitDropDownPartLineAndArrow) {
    TAdvGlowButton* b = Make(AdvStyleIF::tsOffice2007Luna, 10);
    b->SetDropDownButton(true);
    TAdvGlowButton* off = Make(AdvStyleIF::tsOffice2007Luna, 60);
    off->SetDropDownButton(true);
    off->SetEnabled(false);
    Show();
    // At rest: no split line, the arrow in black centred in the 13-pixel part.
    const int dl = 120 - 13;
    EXPECT_THAT(Px(b, dl, 10), IsColorNear(Luna.Color, 8));
    const int ax = dl + (13 - 5) / 2, ay = (40 - 3) / 2 + 1;
    EXPECT_THAT(Px(b, ax + 2, ay), IsColor(0x000000u));
    EXPECT_THAT(Px(off, ax + 2, ay), IsColor(0x808080u)); // the disabled arrow in grey

    // Hot over the main part: the split line in the hot border colour, the main part 10 % darker
    // than the drop-down part's radial upper half at the same row.
    ui.MoveTo(b, 40, 20);
    ui.Advance(300);
    EXPECT_THAT(Px(b, dl, 20), IsColor(0x99CEDBu));
    const win::COLORREF main = Px(b, 60, 8), drop = Px(b, 113, 1);
    EXPECT_LT(main & 0xFF, drop & 0xFF);
}

// ---- The sheet: every state for four presets, written as one picture to look at.

// A 16 x 16 glyph: a blue disc with a dark rim on white (white, its corner colour, is left out).
void LoadGlyph(GDIPicture::TGDIPPicture* Picture) {
    TBitmap bmp(16, 16);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect{0, 0, 16, 16});
    bmp.Canvas()->Brush()->SetColor(static_cast<TColor>(0xC06020));
    bmp.Canvas()->Pen()->SetColor(static_cast<TColor>(0x803010));
    bmp.Canvas()->Ellipse(1, 1, 15, 15);
    Picture->Assign(&bmp);
}

TEST_F(AdvGlowButtonFaceTest, SheetOfEveryStateForFourPresets) {
    const AdvStyleIF::TBrixStyle styles[] = {AdvStyleIF::tsOffice2007Luna, AdvStyleIF::tsOffice2003Blue,
                                             AdvStyleIF::tsOffice2007Obsidian, AdvStyleIF::tsWindowsXP};
    const char* states[] = {"rest",     "hot",     "down",       "checked",
                            "disabled", "focused", "drop right", "drop bottom"};
    // Two rows per preset: the states, then the eight layouts.
    // Two more rows: the first preset with its caption in plain GDI text (no anti-aliasing).
    constexpr int CellW = 124, CellH = 62, Cols = 8, Rows = 10;
    form->SetColor(clBtnFace);
    form->SetBounds(0, 0, 20 + Cols * CellW, 50 + Rows * CellH);
    auto* sheet = new TImage(form.get());
    sheet->SetParent(form.get());
    sheet->SetBounds(0, 0, Cols * CellW + 10, Rows * CellH + 10);
    TBitmap* bmp = sheet->Picture()->Bitmap();
    bmp->SetSize(Cols * CellW + 10, Rows * CellH + 10);
    bmp->Canvas()->Brush()->SetColor(clBtnFace);
    bmp->Canvas()->FillRect(TRect{0, 0, bmp->Width(), bmp->Height()});
    // The buttons live on a panel of their own, off the sheet.
    TCustomForm* host = TCustomForm::CreateNew(form.get());
    host->SetBounds(0, 0, 300, 200);
    host->SetColor(clBtnFace);
    host->Show();

    for (int row = 0; row < Rows; ++row) {
        for (int col = 0; col < Cols; ++col) {
            auto* b = new TAdvGlowButton(host);
            b->SetParent(host);
            b->SetComponentStyle(styles[row / 2 % 4]);
            if (row >= 8) b->SetAntiAlias(AdvGDIP::aaNone);
            LoadGlyph(b->Picture());
            const bool layouts = row % 2 == 1;
            if (!layouts) {
                b->SetBounds(10, 10, 116, col >= 6 ? 50 : 40);
                b->SetCaption(states[col]);
            } else {
                // The eight layouts, each with a glyph; the last one with notes as well.
                b->SetBounds(10, 10, 116, 56);
                b->SetLayout(static_cast<TButtonLayout>(col));
                b->SetCaption("Layout " + std::to_string(col));
                if (col == 7) b->Notes()->Add("and notes");
            }
            b->SetTabStop(true);
            const int state = layouts ? 0 : col;
            if (state == 3) {
                b->SetGroupIndex(1);
                b->SetDown(true);
            }
            if (state == 4) b->SetEnabled(false);
            if (state == 6) b->SetDropDownButton(true);
            if (state == 7) {
                b->SetDropDownButton(true);
                b->SetDropDownPosition(dpBottom);
            }
            ui.Process();
            ui.MoveTo(host, 250, 150); // away
            if (state == 1 || state == 6 || state == 7) ui.MoveTo(b, 30, 15);
            if (state == 2) {
                ui.MoveTo(b);
                ui.Screen().Press();
                ui.Process();
            }
            if (state == 5) b->SetFocus();
            ui.Advance(300);
            b->PaintTo(bmp->Canvas()->Handle(), 5 + col * CellW, 5 + row * CellH);
            if (state == 2) {
                ui.MoveTo(host, 250, 150);
                ui.Screen().Release();
                ui.Process();
            }
            delete b;
        }
    }
    form->Show();
    form->Repaint();
    ui.Process();
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("glow_button_sheet.png")));
}

} // namespace
