// The popup menu windows opened through the real queue, probed pixel by pixel.

#include "components/menus/AdvMenuGradient.h"
#include "components/menus/AdvMenuUtil.h"
#include "components/menus/AdvMenuWindow.h"
#include "tests/menus/MenuLookSupport.h"

namespace menutest {
namespace {

class MenuWindowTest : public MenuLookTest {
protected:
    TAdvMenuOfficeStyler* Use(TOfficeStyle Style) {
        auto* s = new TAdvMenuOfficeStyler(form.get());
        s->SetStyle(Style);
        form->Menu->SetMenuStyler(s);
        return s;
    }
    // A pixel of a window in its own coordinates.
    win::COLORREF At(win::HWND W, int X, int Y) { return ui.Screen().WindowPixel(W, X, Y) & 0xFFFFFF; }
    static win::RECT WindowRect(win::HWND W) {
        win::RECT r{};
        win::GetWindowRect(W, &r);
        return r;
    }
    // An item's rectangle in its window's coordinates.
    static win::RECT Local(TMenuItem* Item) {
        win::RECT r = ItemRect(Item), w = WindowRect(WindowOf(Item->Parent()));
        return {r.Left - w.Left, r.Top - w.Top, r.Right - w.Left, r.Bottom - w.Top};
    }
};

TEST_F(MenuWindowTest, EveryOpenWindowHasItsRegionPlaceAndFrame) {
    TAdvMenuOfficeStyler* s = Use(osOffice2007Luna);
    win::RECT file{}, recent{}, fileBox{}, recentBox{}, bar{}, opened{};
    win::COLORREF outer = 0, inner = 0, right = 0, joined = 0, beside = 0;
    bool hooked = false;
    WithFileMenuOpen([&] {
        win::HWND fw = WindowOf(form->File), rw = WindowOf(form->Recent);
        ASSERT_TRUE(fw && rw);
        hooked = IsMenuWindowHooked(fw) && IsMenuWindowHooked(rw);
        file = WindowRect(fw);
        recent = WindowRect(rw);
        win::GetWindowRgnBox(fw, &fileBox);
        win::GetWindowRgnBox(rw, &recentBox);
        win::GetMenuItemRect(form->Handle(), form->Menu->Handle(), 0, &bar);
        const int mid = file.Height() / 2;
        outer = At(fw, 1, mid);
        inner = At(fw, 2, mid);
        right = At(fw, file.Width() - 1 - 17 - 1, mid);
        // The top edge under the open bar item is the menu's background: the two run into each other.
        joined = At(fw, bar.Left - file.Left + 4, 1);
        beside = At(fw, bar.Right - file.Left + 4, 1);
        opened = bar;
    });
    EXPECT_TRUE(hooked);
    // The outer pixel and the 17-pixel strip are cut off at every level.
    EXPECT_EQ(fileBox, (win::RECT{1, 1, file.Width() - 18, file.Height() - 1}));
    EXPECT_EQ(recentBox, (win::RECT{1, 1, recent.Width() - 18, recent.Height() - 1}));
    // The drop-down moved one pixel left and two up from below its bar item, so its frame meets it.
    EXPECT_EQ(file.Left, opened.Left - 1);
    EXPECT_EQ(file.Top, opened.Bottom - 2);
    // The submenu opened to the right and moved back over its parent's hidden strip.
    EXPECT_EQ(recent.Left, file.Right - 17);
    EXPECT_EQ(outer, s->MenuBorderColor & 0xFFFFFF) << std::hex << outer;
    EXPECT_EQ(right, s->MenuBorderColor & 0xFFFFFF) << std::hex << right;
    EXPECT_EQ(inner, s->Background()->Color());
    EXPECT_EQ(joined, s->Background()->Color()) << std::hex << joined;
    EXPECT_EQ(beside, s->MenuBorderColor & 0xFFFFFF) << std::hex << beside;
    // Closed: the windows are gone and nothing stays hooked.
    EXPECT_EQ(WindowOf(form->File), nullptr);
}

// The probes read each look's own colours: icon bar, selected item with its frame, separator, check mark
// box, and the side bar's caption; the open menus are written to a picture as well.
struct LookProbes {
    win::COLORREF IconLeft, IconRight, IconSeparator, Selected, SelectedLower, SelectedFrame, Separator,
        CheckBox, CheckFrame;
    bool CaptionInk;
};

class MenuLookProbeTest : public MenuWindowTest {
protected:
    LookProbes Probe(TAdvMenuOfficeStyler* S, const char* Picture) {
        S->SideBar()->SetVisible(true);
        S->SideBar()->Caption = "Kalvenor";
        S->SideBar()->Font()->SetColor(clYellow);
        S->SideBar()->Image()->SetGradientColor(0, clNavy);
        S->SideBar()->Image()->SetGradientColor(1, clNavy);
        LookProbes p{};
        WithFileMenuOpen([&] {
            ui.Screen().WriteScreenPng(uitest::UiDriver::OutputPath(Picture));
            win::HWND fw = WindowOf(form->File);
            const int bar = S->SideBar()->Size + S->SideBar()->SplitterWidth;
            const int icon = S->IconBar()->Size();
            win::RECT open = Local(form->Open);
            const int y = (open.Top + open.Bottom) / 2;
            p.IconLeft = At(fw, open.Left + bar, y);
            p.IconRight = At(fw, open.Left + bar + icon - 2, y);
            p.IconSeparator = At(fw, open.Left + bar + icon - 1, y);
            win::RECT sel = Local(form->Recent); // selected: its submenu is open
            const int x = open.Left + bar + icon + 60;
            p.Selected = At(fw, x, sel.Top + 1);
            p.SelectedLower = At(fw, x, sel.Bottom - 2);
            p.SelectedFrame = At(fw, x, sel.Top);
            win::RECT line = Local(form->Line);
            p.Separator = At(fw, x, (line.Top + line.Bottom) / 2);
            win::RECT wrap = Local(form->Wrap);
            // The 16-pixel mark square is centred in the icon bar's square; its corner pixel is frame, the
            // one inside it the box's fill (the mark itself is in the middle).
            const int top = wrap.Top + 1 + (wrap.Bottom - wrap.Top - 2 - 16) / 2;
            const int left = open.Left + bar + (icon - 16) / 2;
            p.CheckFrame = At(fw, left, top);
            p.CheckBox = At(fw, left + 2, top + 2);
            for (int yy = 4; yy < WindowRect(fw).Height() - 4 && !p.CaptionInk; ++yy)
                for (int xx = 3; xx < bar; ++xx)
                    p.CaptionInk |= At(fw, xx, yy) == (clYellow & 0xFFFFFF);
        });
        return p;
    }
};

TEST_F(MenuLookProbeTest, Office2007Luna) {
    LookProbes p = Probe(Use(osOffice2007Luna), "MenuLuna.png");
    // The icon bar is one colour, closed by its separator line.
    EXPECT_EQ(p.IconLeft, 0xEEEEE9u);
    EXPECT_EQ(p.IconRight, 0xEEEEE9u);
    EXPECT_EQ(p.IconSeparator, 0xC5C5C5u);
    // The selected item: the upper half from 0xEBFDFF toward 0xABEBFF (one row down from the frame),
    // the lower half ending toward 0x96E4FF, framed in 0x99CEDB.
    EXPECT_EQ(p.SelectedFrame, 0x99CEDBu);
    const int half = 24 / 2;
    EXPECT_EQ(p.Selected, static_cast<win::COLORREF>(AdvMenus::GradientStep(0xEBFDFF, 0xABEBFF, 1, half)));
    EXPECT_EQ(p.SelectedLower,
              static_cast<win::COLORREF>(AdvMenus::GradientStep(0x69D6FF, 0x96E4FF, half - 2, half)));
    EXPECT_EQ(p.Separator, 0xC5C5C5u);
    EXPECT_EQ(p.CheckBox, 0x6FC0FFu);
    EXPECT_EQ(p.CheckFrame, static_cast<win::COLORREF>(clNavy));
    EXPECT_TRUE(p.CaptionInk);
}

TEST_F(MenuLookProbeTest, Office2003Blue) {
    LookProbes p = Probe(Use(osOffice2003Blue), "MenuOffice2003Blue.png");
    // A horizontal gradient from 0xFFEFE3 toward 0xE4AD87 across the 24-pixel icon bar.
    EXPECT_EQ(p.IconLeft, 0xFFEFE3u);
    EXPECT_EQ(p.IconRight, static_cast<win::COLORREF>(AdvMenus::GradientStep(0xFFEFE3, 0xE4AD87, 22, 24)));
    EXPECT_EQ(p.Selected, 0xC2EEFFu);
    EXPECT_EQ(p.SelectedLower, 0xC2EEFFu);
    EXPECT_EQ(p.Separator, 0xCB8C6Au);
    EXPECT_EQ(p.CheckBox, 0x6FC0FFu);
    EXPECT_TRUE(p.CaptionInk);
}

TEST_F(MenuWindowTest, KeyboardMovesTheSelectionAndChoosesThroughTheQueue) {
    TAdvMenuOfficeStyler* s = Use(osOffice2007Luna);
    bool exitChosen = false;
    form->Exit->OnClick = [&](TObject*) { exitChosen = true; };
    win::COLORREF newBefore = 0, newAfter = 0, openAfter = 0;
    form->Show();
    ui.Process();
    uitest::MenuDriver menus(ui);
    auto sample = [&](TMenuItem* Item) {
        win::HWND fw = WindowOf(form->File);
        win::RECT r = Local(Item);
        return At(fw, r.Right - 30, r.Top + 1);
    };
    ui.WhenIdle([&] {
        newBefore = sample(form->New);
        ui.Screen().PressKey(win::VK_DOWN); // the first item
    });
    ui.WhenIdle([&] {
        newAfter = sample(form->New);
        ui.Screen().PressKey(win::VK_DOWN);
    });
    ui.WhenIdle([&] {
        openAfter = sample(form->Open);
        ui.Screen().PressKey(win::VK_UP); // back on New, then up past the top to Exit
        ui.Screen().PressKey(win::VK_UP);
        ui.Screen().PressKey(win::VK_RETURN);
    });
    menus.OpenMenu(form.get(), "File");
    ui.Process();
    EXPECT_EQ(newBefore, s->Background()->Color());
    EXPECT_EQ(newAfter, static_cast<win::COLORREF>(AdvMenus::GradientStep(0xEBFDFF, 0xABEBFF, 1, 12)));
    EXPECT_EQ(openAfter, newAfter);
    EXPECT_TRUE(exitChosen);
}

TEST_F(MenuWindowTest, PopupMenuByMouseWithItsOpacityAndNoneForAMainMenu) {
    TComponentPtr<TAdvPopupMenu> popup(new TAdvPopupMenu(nullptr));
    popup->SetOpacity(200);
    TMenuItem* copy = AddItem(form.get(), popup->Items(), "&Copy");
    AddItem(form.get(), popup->Items(), "-");
    TMenuItem* paste = AddItem(form.get(), popup->Items(), "&Paste");
    std::vector<String> clicked;
    copy->OnClick = [&](TObject*) { clicked.push_back("Copy"); };
    paste->OnClick = [&](TObject*) { clicked.push_back("Paste"); };
    win::BYTE alpha = 0;
    win::DWORD flags = 0;
    bool layered = false;
    win::RECT box{}, wr{};
    ui.WhenIdle([&] {
        win::HWND w = win::MenuWindowOf(popup->Handle());
        layered = (win::GetWindowLongPtr(w, win::GWL_EXSTYLE) & win::WS_EX_LAYERED) != 0;
        win::GetLayeredWindowAttributes(w, nullptr, &alpha, &flags);
        win::GetWindowRgnBox(w, &box);
        win::GetWindowRect(w, &wr);
        TPoint p = uitest::MenuDriver::OpenItemPoint(paste);
        ui.Screen().MoveMouse(p.X, p.Y);
        ui.Screen().Press();
        ui.Screen().Release();
    });
    popup->Popup(120, 100);
    ui.Process(); // the chosen item's command arrives through the queue
    EXPECT_TRUE(layered);
    EXPECT_EQ(alpha, 200);
    EXPECT_TRUE(flags & win::LWA_ALPHA);
    EXPECT_EQ(box, (win::RECT{1, 1, wr.Right - wr.Left - 18, wr.Bottom - wr.Top - 1}));
    EXPECT_EQ(clicked, std::vector<String>{"Paste"});
    popup->Items()->Clear();
    // A main menu's window is never made see-through.
    form->Show();
    win::HWND w = form->Handle();
    AdvMenuUtil::SetWindowLayered(w, true);
    form->Menu->SetOpacity(100);
    SetMenuOpacity(form->Menu, w, 100);
    EXPECT_FALSE(win::GetWindowLongPtr(w, win::GWL_EXSTYLE) & win::WS_EX_LAYERED);
}

TEST_F(MenuWindowTest, DisabledItemsDrawFromTheDisabledImagesAndSmoothTextHasInk) {
    TAdvMenuOfficeStyler* s = Use(osOffice2003Blue);
    s->SetAntiAlias(AdvGDIP::aaAntiAlias);
    // A list of plain squares in one colour stands in for the greyed pictures.
    auto* disabled = new TImageList(form.get());
    for (int i = 0; i < 3; ++i) {
        TBitmap bmp;
        bmp.SetSize(16, 16);
        bmp.Canvas()->Brush()->SetColor(0x00A0A0);
        bmp.Canvas()->FillRect(TRect{0, 0, 16, 16});
        disabled->Add(&bmp, nullptr);
    }
    form->Menu->SetDisabledImages(disabled);
    win::COLORREF printImage = 0, openImage = 0;
    int ink = 0;
    WithFileMenuOpen(
        [&] {
            win::HWND fw = WindowOf(form->File);
            auto centre = [&](TMenuItem* Item) {
                win::RECT r = Local(Item);
                return At(fw, r.Left + s->IconBar()->Size() / 2, (r.Top + r.Bottom) / 2);
            };
            printImage = centre(form->Print);
            openImage = centre(form->Open);
            // The caption "Exit", drawn through GDI+, leaves dark pixels where it stands.
            win::RECT exit = Local(form->Exit);
            for (int x = exit.Left + s->IconBar()->Size() + 8; x < exit.Left + s->IconBar()->Size() + 40; ++x)
                for (int y = exit.Top + 2; y < exit.Bottom - 2; ++y)
                    ink += (At(fw, x, y) & 0xFF) < 0x60;
        },
        false);
    EXPECT_EQ(printImage, 0x00A0A0u);
    EXPECT_NE(openImage, 0x00A0A0u); // enabled items keep their own list
    EXPECT_GT(ink, 10);
}

} // namespace
} // namespace menutest
