// The caption row standing in for the form's caption: the caption buttons, maximising by a double
// click, the wheel switching pages through the form, the border left to the form; and the Office-style
// form's hit tests and outline.

#include "tests/pager/PagerTestSupport.h"

#include "components/foundation/AdvGlowButton.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/Menu.h"
#include "platform/win/Messages.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"

namespace pagertest {
namespace {

win::LPARAM ScreenParam(TControl* C, int X, int Y) {
    const TPoint p = C->ClientToScreen(TPoint{X, Y});
    return static_cast<win::LPARAM>((p.X & 0xFFFF) | ((p.Y & 0xFFFF) << 16));
}

class PagerCaptionTest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        AddPages({"Home", "Insert", "View"});
        pager->SetActivePageIndex(1);
        form->Show();
    }
    // The first column of pixels of the maximise glyph that holds anything but the transparent colour.
    std::vector<win::COLORREF> MaxGlyph() {
        TBitmap b;
        pager->CaptionButtonImages()->GetBitmap(1, &b);
        std::vector<win::COLORREF> pixels;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x)
                pixels.push_back(static_cast<win::COLORREF>(b.Canvas()->GetPixel(x, y)));
        return pixels;
    }
};

TEST_F(PagerCaptionTest, AnyCaptionButtonShowsAllThreeWithOnlyTheAskedOnesEnabled) {
    pager->SetCaptionButtons(TCaptionButtons{cbClose});
    ASSERT_NE(pager->CloseButton(), nullptr);
    const int w = pager->Width();
    EXPECT_EQ(pager->CloseButton()->BoundsRect(), (TRect{w - 22, 4, w - 6, 20}));
    EXPECT_EQ(pager->MaxButton()->Left(), w - 22 - 18);
    EXPECT_EQ(pager->MinButton()->Left(), w - 22 - 36);
    EXPECT_TRUE(pager->CloseButton()->Enabled());
    EXPECT_FALSE(pager->MaxButton()->Enabled());
    EXPECT_FALSE(pager->MinButton()->Enabled());
    // The caption text keeps clear of them, and gets its room back when they go.
    EXPECT_EQ(pager->Caption()->RightTextMargin(), w - pager->MinButton()->Left());
    EXPECT_EQ(pager->GetCaptionButtonsRect(), (TRect{w - 58, 4, w - 6, 20}));
    pager->SetCaptionButtons(TCaptionButtons{});
    EXPECT_EQ(pager->CloseButton(), nullptr);
    EXPECT_EQ(pager->Caption()->RightTextMargin(), 0);
}

TEST_F(PagerCaptionTest, CaptionButtonsFollowTheGlowLookOfALinkedStylerOnly) {
    pager->SetCaptionButtons(TCaptionButtons{cbClose, cbMinimize, cbMaximize});
    AdvGlowButton::TAdvGlowButton* close = pager->CloseButton();
    // Without a linked styler a change of the pager's own look leaves a button's look alone.
    close->Appearance()->SetColorHot(clRed);
    pager->CurrentStyler()->Change(TStylerChange::Colors);
    EXPECT_EQ(close->Appearance()->ColorHot(), clRed);
    auto* styler = new AdvToolBarStylers::TAdvToolBarOfficeStyler(form.get());
    styler->GlowButtonAppearance()->SetColorHot(clLime);
    pager->SetToolBarStyler(styler);
    EXPECT_EQ(close->Appearance()->ColorHot(), clLime) << "linked: its glow look";
    pager->MinButton()->Appearance()->SetColorHot(clRed);
    styler->Change(TStylerChange::Colors);
    EXPECT_EQ(pager->MinButton()->Appearance()->ColorHot(), clLime) << "and again at each change";
}

TEST_F(PagerCaptionTest, TheGlyphsTakeTheCaptionTextColourOfEachNewLookAndStyler) {
    pager->SetCaptionButtons(TCaptionButtons{cbClose});
    // The glyph's colour: the one pixel of the close glyph's centre.
    auto glyph = [&] {
        TBitmap b;
        pager->CaptionButtonImages()->GetBitmap(0, &b);
        return static_cast<TColor>(b.Canvas()->GetPixel(7, 7));
    };
    pager->CurrentStyler()->PagerCaption()->SetTextColor(clRed);
    EXPECT_EQ(glyph(), clRed) << "a new caption look";
    pager->CurrentStyler()->Change(TStylerChange::Colors);
    EXPECT_EQ(glyph(), clRed);
    auto* styler = new AdvToolBarStylers::TAdvToolBarOfficeStyler(form.get());
    styler->PagerCaption()->SetTextColor(clBlue);
    pager->SetToolBarStyler(styler);
    EXPECT_EQ(glyph(), clBlue) << "another styler";
}

TEST_F(PagerCaptionTest, TheCloseButtonTellsItsEventOrClosesTheForm) {
    pager->SetCaptionButtons(TCaptionButtons{cbClose, cbMinimize, cbMaximize});
    TObject* told = nullptr;
    pager->OnCloseButtonClick = [&](TObject* Sender) { told = Sender; };
    ui.Click(pager->CloseButton());
    EXPECT_EQ(told, pager->CloseButton());
    EXPECT_TRUE(form->Visible());
    pager->OnCloseButtonClick = nullptr;
    ui.Advance(1000); // not a double click
    bool closing = false;
    form->OnClose = [&](TObject*, TCloseAction&) { closing = true; };
    ui.Click(pager->CloseButton());
    EXPECT_TRUE(closing);
}

TEST_F(PagerCaptionTest, ARightClickOnTheCaptionOpensTheSystemMenuWhoseCloseClosesTheForm) {
    bool closing = false;
    form->OnClose = [&](TObject*, TCloseAction&) { closing = true; };
    ui.WhenIdle([&] { ui.Screen().PressKey('C'); });
    ui.Click(pager, 200, 10, backend::MouseButton::Right);
    EXPECT_TRUE(closing);
    EXPECT_EQ(ui.PendingActions(), 0);
}

TEST_F(PagerCaptionTest, TheCaptionsSystemMenuIsEnabledAsTheFormsStateAllowsAndRestoreRestores) {
    form->SetWindowState(wsMaximized);
    ui.Process();
    win::HMENU sys = win::GetSystemMenu(form->Handle(), false);
    auto grayed = [&](win::WPARAM command) {
        return (win::GetMenuState(sys, static_cast<win::UINT>(command), win::MF_BYCOMMAND) &
                win::MF_GRAYED) != 0;
    };
    bool restoreGrayed = true, maximizeGrayed = false, moveGrayed = false;
    ui.WhenIdle([&] {
        restoreGrayed = grayed(win::SC_RESTORE);
        maximizeGrayed = grayed(win::SC_MAXIMIZE);
        moveGrayed = grayed(win::SC_MOVE);
        ui.Screen().PressKey('R');
    });
    ui.Click(pager, 200, 10, backend::MouseButton::Right);
    EXPECT_EQ(ui.PendingActions(), 0);
    EXPECT_FALSE(restoreGrayed);
    EXPECT_TRUE(maximizeGrayed);
    EXPECT_TRUE(moveGrayed);
    EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(PagerCaptionTest, DoubleClickingTheCaptionToggleMaximisationAndSwapsTheGlyph) {
    pager->SetCaptionButtons(TCaptionButtons{cbClose, cbMinimize, cbMaximize});
    const auto maximiseGlyph = MaxGlyph();
    ui.Click(pager, 200, 10);
    ui.Click(pager, 200, 10);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_NE(MaxGlyph(), maximiseGlyph);
    ui.Advance(1000);
    ui.Click(pager, 200, 10);
    ui.Click(pager, 200, 10);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(MaxGlyph(), maximiseGlyph);
}

TEST_F(PagerCaptionTest, TheWheelOverThePagerStepsThroughThePagesWithoutWrapping) {
    ui.MoveTo(pager, 200, 40);
    ui.Screen().Wheel(120);
    ui.Process();
    EXPECT_EQ(pager->ActivePageIndex(), 0);
    ui.Screen().Wheel(120);
    ui.Process();
    EXPECT_EQ(pager->ActivePageIndex(), 0);
    ui.Screen().Wheel(-120);
    ui.Process();
    EXPECT_EQ(pager->ActivePageIndex(), 1);
}

TEST_F(PagerCaptionTest, ThePagersEdgesLetTheFormAnswerHitTests) {
    const win::HWND h = pager->Handle();
    EXPECT_EQ(win::SendMessage(h, win::WM_NCHITTEST, 0, ScreenParam(pager, 1, 50)), win::HTTRANSPARENT);
    EXPECT_EQ(win::SendMessage(h, win::WM_NCHITTEST, 0, ScreenParam(pager, 100, 2)), win::HTTRANSPARENT);
    EXPECT_EQ(win::SendMessage(h, win::WM_NCHITTEST, 0, ScreenParam(pager, pager->Width() - 5, 50)),
              win::HTTRANSPARENT);
    EXPECT_EQ(win::SendMessage(h, win::WM_NCHITTEST, 0, ScreenParam(pager, 100, 50)), win::HTCLIENT);
}

class ToolBarFormTest : public uitest::UiTest {
protected:
    void SetUp() override {
        RegisterAdvToolBarClasses();
        vcl::SysInfo().SetIsVista(false);
        form.reset(new TAdvToolBarForm(nullptr));
        form->SetBounds(50, 50, 400, 300);
    }
    void TearDown() override {
        form.reset();
        vcl::SysInfo().SetIsVista(true);
    }
    win::LRESULT Hit(int X, int Y) {
        return win::SendMessage(form->Handle(), win::WM_NCHITTEST, 0, ScreenParam(form.get(), X, Y));
    }
    static win::COLORREF Ref(TColor Color) {
        return static_cast<win::COLORREF>(ColorToRGB(Color)) & 0xFFFFFF;
    }
    TComponentPtr<TAdvToolBarForm> form;
};

TEST_F(ToolBarFormTest, CaptionButtonsNeverTakeTheFocusNorShowAFocusFrame) {
    auto* pager = new TAdvToolBarPager(form.get());
    pager->SetParent(form.get());
    pager->AddAdvPage("Home");
    pager->SetActivePageIndex(0);
    pager->SetCaptionButtons(TCaptionButtons{cbClose, cbMinimize, cbMaximize});
    pager->SetTabStop(true);
    // Even a button asking for the border focus frame.
    pager->MinButton()->SetFocusType(AdvGlowButton::ftBorder);
    pager->Caption()->SetCaption("Kalvenor");
    form->Show();
    ui.Process();
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("OfficeForm_FirstShow.png")));
    EXPECT_TRUE(pager->Focused()) << "the form's first tab stop";
    // The top row of the minimise button, where a focus frame would run.
    auto frameRow = [&] {
        ui.Process();
        const TPoint p = pager->MinButton()->ClientToScreen(TPoint{pager->MinButton()->Width() / 2, 1});
        return ui.Pixel(form.get(), p.X - form->Left(), p.Y - form->Top());
    };
    const win::COLORREF unfocused = frameRow();
    // Escape passes the focus back along the form's tab order, tab stops or not: past the pager's own
    // buttons, which would come first.
    ui.Key(win::VK_ESCAPE);
    for (TWinControl* b :
         {static_cast<TWinControl*>(pager->MinButton()), static_cast<TWinControl*>(pager->MaxButton()),
          static_cast<TWinControl*>(pager->CloseButton())}) {
        EXPECT_FALSE(b->Focused());
        EXPECT_FALSE(b->CanFocus());
    }
    EXPECT_THAT(frameRow(), IsColor(unfocused)) << "no focus frame";
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("OfficeForm_AfterEscape.png")));
    // A click acts but leaves the focus where it was.
    win::HWND before = win::GetFocus();
    int clicks = 0;
    pager->OnMinButtonClick = [&](TObject*) { ++clicks; };
    ui.Click(pager->MinButton());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(win::GetFocus(), before);
}

TEST_F(ToolBarFormTest, EdgesAndCornersAnswerTheSizingHitTestsWithCornersWinning) {
    form->Show();
    const int w = form->Width(), h = form->Height();
    struct Case {
        const char* Rule;
        int X, Y;
        win::LRESULT Expected;
    } cases[] = {
        {"top edge", 100, 1, win::HTTOP},
        {"left edge", 1, 100, win::HTLEFT},
        {"right edge: beyond Width - 12", w - 11, 100, win::HTRIGHT},
        {"bottom edge", 100, h - 11, win::HTBOTTOM},
        {"top-left corner, even within 3 of the top", 10, 1, win::HTTOPLEFT},
        {"top-right corner", w - 10, 10, win::HTTOPRIGHT},
        {"bottom-left corner", 10, h - 10, win::HTBOTTOMLEFT},
        {"bottom-right corner", w - 10, h - 10, win::HTBOTTOMRIGHT},
        {"inside", 100, 100, win::HTCLIENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Rule);
        EXPECT_EQ(form->EdgeHitTest(TPoint{c.X, c.Y}, win::HTCLIENT), c.Expected);
    }
    EXPECT_EQ(Hit(10, 1), win::HTTOPLEFT);
    form->SetWindowState(wsMaximized);
    ui.Process();
    EXPECT_EQ(Hit(10, 1), win::HTCLIENT);
}

TEST_F(ToolBarFormTest, APagerWithWhiteCaptionTextGivesABlackOutlineAndCorners) {
    EXPECT_EQ(form->OutlineColor(), clGray);
    auto* pager = new TAdvToolBarPager(form.get());
    pager->SetParent(form.get());
    pager->SetToolBarStyler(nullptr);
    pager->CurrentStyler()->CaptionAppearance()->SetCaptionTextColor(clWhite);
    EXPECT_EQ(form->OutlineColor(), clBlack);
    pager->CurrentStyler()->CaptionAppearance()->SetCaptionTextColor(clRed);
    EXPECT_EQ(form->OutlineColor(), clRed);
    form->Show();
    ui.Process();
    // Before Vista the pager draws the form's rounded top corners: (0,0)-(7,0) and (W-1,0)-(W-1,7) in the
    // caption text colour (painted aside: the form's rounded region cuts the very corners off screen).
    TBitmap picture(pager->Width(), pager->Height());
    pager->PaintTo(picture.Canvas()->Handle(), 0, 0);
    EXPECT_THAT(Ref(picture.Canvas()->GetPixel(3, 0)), IsColor(Ref(clRed)));
    EXPECT_THAT(Ref(picture.Canvas()->GetPixel(pager->Width() - 1, 5)), IsColor(Ref(clRed)));
    EXPECT_THAT(Ref(picture.Canvas()->GetPixel(20, 0)), ::testing::Not(IsColor(Ref(clRed))));
    // The form lets its pager move it only while it is neither maximised nor minimised.
    EXPECT_TRUE(pager->CanMove());
}

} // namespace
} // namespace pagertest
