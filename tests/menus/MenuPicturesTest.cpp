// Pictures of an open main menu in the office and fantasy looks, to be looked at, each probed where it
// shows its look: the window's frame, the side bar's gradient and caption, the icon bar, the background,
// a separator, the selected item with its caption, and the menu bar with its open item. The 2007 Luna
// and 2003 Blue looks are pictured by the probe tests of the menu windows.

#include <algorithm>

#include "tests/menus/MenuLookSupport.h"
#include "tests/support/ColorMatch.h"

namespace menutest {
namespace {

using colortest::IsColor;
using colortest::IsColorNear;

// What one look shows, by its preset's table. clNone: the look has no such colour and the part shows
// what lies under it (for the background: its tiled texture).
struct Look {
    const char* Picture;
    TColor Border, Background, IconBar, Separator, Selected, SelectedText, Bar, BarSelected;
    TColor SideTop, SideBottom; // the side bar's gradient, top row to bottom row
};

// The side bar the pictures give a look that has none of its own: deep blue into light blue.
constexpr TColor kSideFrom = 0x6A240A, kSideTo = 0xEDC6A9;

win::COLORREF Rgb(TColor C) {
    return static_cast<win::COLORREF>(ColorToRGB(C)) & 0xFFFFFF;
}

class MenuPicturesTest : public MenuLookTest {
protected:
    win::COLORREF At(win::HWND W, int X, int Y) { return ui.Screen().WindowPixel(W, X, Y) & 0xFFFFFF; }
    // An item's rectangle in its menu window's coordinates.
    static win::RECT Local(TMenuItem* Item) {
        win::RECT r = ItemRect(Item), w{};
        win::GetWindowRect(WindowOf(Item->Parent()), &w);
        return {r.Left - w.Left, r.Top - w.Top, r.Right - w.Left, r.Bottom - w.Top};
    }
    // The pixel of R nearest to Color (the ink of a caption drawn in it).
    win::COLORREF Nearest(win::HWND W, const win::RECT& R, TColor Color) {
        const win::COLORREF want = Rgb(Color);
        win::COLORREF best = 0;
        int bestDistance = 1 << 30;
        for (int x = R.Left; x < R.Right; ++x)
            for (int y = R.Top; y < R.Bottom; ++y) {
                const win::COLORREF c = At(W, x, y);
                int d = 0;
                for (int shift : {0, 8, 16}) {
                    const int a = static_cast<int>((c >> shift) & 0xFF),
                              b = static_cast<int>((want >> shift) & 0xFF);
                    d = std::max(d, a > b ? a - b : b - a);
                }
                if (d < bestDistance) bestDistance = d, best = c;
            }
        return best;
    }
    // How many pixels of R are within Tolerance of Color.
    int Count(win::HWND W, const win::RECT& R, TColor Color, int Tolerance) {
        int n = 0;
        for (int x = R.Left; x < R.Right; ++x)
            for (int y = R.Top; y < R.Bottom; ++y)
                n += ::testing::Value(At(W, x, y), IsColorNear(Rgb(Color), Tolerance));
        return n;
    }

    // Opens File and Recent on a fresh form in the look, writes the picture and probes it.
    void ShootAndProbe(TCustomAdvMenuStyler* S, const Look& L) {
        SCOPED_TRACE(L.Picture);
        TSideBar* side = S->SideBar();
        if (side->Caption.empty()) {
            side->Caption = "Kalvenor";
            side->Image()->SetGradientColor(0, kSideFrom);
            side->Image()->SetGradientColor(1, kSideTo);
        }
        side->SetVisible(true);
        form->Menu->SetMenuStyler(S);
        bool open = false;
        WithFileMenuOpen([&] {
            ui.Screen().WriteScreenPng(uitest::UiDriver::OutputPath(L.Picture));
            win::HWND fw = WindowOf(form->File);
            open = fw != nullptr && WindowOf(form->Recent) != nullptr;
            if (!open) return;
            Probe(fw, S, L);
        });
        EXPECT_TRUE(open);
    }

    void Probe(win::HWND Fw, TCustomAdvMenuStyler* S, const Look& L) {
        win::RECT window{};
        win::GetWindowRect(Fw, &window);
        const int width = window.Right - window.Left, height = window.Bottom - window.Top;
        const win::RECT first = Local(form->New), last = Local(form->Exit);
        // The items' union: the side bar runs down its left edge, the icon bar follows, then the text.
        const win::RECT m{first.Left, first.Top, first.Right - 17, last.Bottom};
        const int bar = S->SideBar()->Size + S->SideBar()->SplitterWidth;
        const int iconLeft = m.Left + bar, textLeft = iconLeft + S->IconBar()->Size();
        // The background where the look has a colour; its texture, tiled from the items' corner, where not.
        TBitmap* texture = S->Background()->Image()->Bitmap();
        auto background = [&](int X, int Y) -> win::COLORREF {
            if (L.Background != clNone) return Rgb(L.Background);
            return texture->Canvas()->GetPixel((X - m.Left) % texture->Width(),
                                               (Y - m.Top) % texture->Height()) &
                   0xFFFFFF;
        };

        // The frame in the look's border colour, one pixel in, left of the 17-pixel strip on the right.
        EXPECT_THAT(At(Fw, 1, height / 2), IsColor(Rgb(L.Border)));
        EXPECT_THAT(At(Fw, width - 1 - 17 - 1, height / 2), IsColor(Rgb(L.Border)));
        EXPECT_THAT(At(Fw, width / 2, height - 2), IsColor(Rgb(L.Border)));

        // The icon bar beside the Open item's image, and a separator: one line in its colour across the
        // text column, two pixels short of the icon bar, between rows of background.
        const win::RECT open = Local(form->Open), line = Local(form->Line);
        EXPECT_THAT(At(Fw, iconLeft + 1, (open.Top + open.Bottom) / 2), IsColor(Rgb(L.IconBar)));
        for (int x : {textLeft + 2, textLeft + 40, m.Right - 3}) {
            SCOPED_TRACE(x);
            EXPECT_THAT(At(Fw, x, line.Top + 1), IsColor(Rgb(L.Separator)));
            EXPECT_THAT(At(Fw, x, line.Top), IsColor(background(x, line.Top)));
            EXPECT_THAT(At(Fw, x, line.Top + 2), IsColor(background(x, line.Top + 2)));
        }
        EXPECT_THAT(At(Fw, textLeft + 1, line.Top + 1), IsColor(background(textLeft + 1, line.Top + 1)));

        // Recent, selected while its submenu is open: its fill starts at the selection colour (one
        // gradient step in, below the frame), and its caption is written in the selected font's colour.
        const win::RECT sel = Local(form->Recent);
        const int fillX = textLeft + 60;
        const win::COLORREF fill = At(Fw, fillX, sel.Top + 1);
        if (L.Selected != clNone) {
            EXPECT_THAT(fill, IsColorNear(Rgb(L.Selected), 5));
        } else {
            EXPECT_THAT(fill, IsColor(background(fillX, sel.Top + 1)));
        }
        const win::RECT caption{textLeft + 8, sel.Top + 2, textLeft + 50, sel.Bottom - 2};
        EXPECT_THAT(Nearest(Fw, caption, L.SelectedText), IsColorNear(Rgb(L.SelectedText), 8));

        // The side bar: its gradient from the top row to the bottom one inside its border, the caption
        // in white written upwards from six pixels above the bottom, clear of the bar's top quarter.
        const int sideX = m.Left + 2;
        EXPECT_THAT(At(Fw, sideX, m.Top + 1), IsColorNear(Rgb(L.SideTop), 1));
        EXPECT_THAT(At(Fw, sideX, m.Bottom - 2), IsColorNear(Rgb(L.SideBottom), 3));
        const int quarter = (m.Bottom - m.Top) / 4;
        auto captionInk = [&](int Top, int Bottom) {
            return Count(Fw, win::RECT{m.Left + 1, Top, m.Left + bar - 2, Bottom}, clWhite, 24);
        };
        EXPECT_EQ(captionInk(m.Top + 1, m.Top + quarter), 0) << "white pixels in the side bar's top quarter";
        EXPECT_GT(captionInk(m.Bottom - 2 * quarter, m.Bottom - 6), 20) << "white pixels in its lower half";
        EXPECT_EQ(captionInk(m.Bottom - 5, m.Bottom - 1), 0) << "white pixels in its last five rows";

        // The menu bar: one gradient from the bar's left to the window's right edge, and the open File
        // item in the selected colours.
        win::RECT file{}, help{};
        win::GetMenuItemRect(form->Handle(), form->Menu->Handle(), 0, &file);
        win::GetMenuItemRect(form->Handle(), form->Menu->Handle(), 2, &help);
        const TPoint end = form->ClientToScreen(TPoint{form->ClientWidth() - 2, 0});
        EXPECT_THAT(ScreenPixel(TPoint{end.X, help.Top + 1}), IsColorNear(Rgb(L.Bar), 3));
        if (L.BarSelected != clNone) {
            EXPECT_THAT(ScreenPixel(TPoint{file.Left + 2, file.Top + 1}), IsColorNear(Rgb(L.BarSelected), 5));
        }
    }
};

TEST_F(MenuPicturesTest, OfficeLooks) {
    const std::pair<TOfficeStyle, Look> looks[] = {
        {osOfficeXP,
         {"MenuOfficeXP.png", clGray, clWindow, clBtnFace, 0x7A868A, 0xEFD3C6, clWindowText, clBtnFace,
          clBtnFace, kSideFrom, kSideTo}},
        {osVista,
         {"MenuVista.png", 0x979797, 0xEEEEEE, 0xEEEEEE, 0xE0E0E0, 0xF4F1EB, clWindowText, clWhite, 0xBBB8B6,
          kSideFrom, kSideTo}},
    };
    for (const auto& [style, look] : looks) {
        form.reset(new TMenuLookForm(nullptr));
        auto* styler = new TAdvMenuOfficeStyler(form.get());
        styler->SetStyle(style);
        ShootAndProbe(styler, look);
    }
}

TEST_F(MenuPicturesTest, FantasyLooks) {
    // Windows Classic brings its own side bar, light at the top; Textured tiles its texture and has no
    // selection colour.
    const std::pair<TFantasyStyle, Look> looks[] = {
        {fsWindowsClassic,
         {"MenuWindowsClassic.png", clBlack, clMenu, clMenu, clBlack, 0xA1684A, clWhite, clMenu, 0xA1684A,
          kSideTo, kSideFrom}},
        {fsTextured,
         {"MenuTextured.png", 0x0000B0, clNone, 0xCFD5F3, clWhite, clNone, clRed, 0xCFD5F3, clNone, kSideFrom,
          kSideTo}},
    };
    for (const auto& [style, look] : looks) {
        form.reset(new TMenuLookForm(nullptr));
        auto* styler = new TAdvMenuFantasyStyler(form.get());
        styler->SetStyle(style);
        ShootAndProbe(styler, look);
    }
}

} // namespace
} // namespace menutest
