// The status bar on the captionless Office-style form: before Vista it draws the form's rounded bottom
// corners, in the colour of the form's pagers or of its own styler's border.

#include <utility>
#include <vector>

#include "components/toolbar/AdvToolBar.h"
#include "platform/rtl/SysInfo.h"
#include "tests/statusbar/StatusBarTestSupport.h"

namespace statusbartest {
namespace {

using AdvOfficeStatusBarStylers::TAdvOfficeStatusBarOfficeStyler;

class StatusBarOfficeFormTest : public uitest::UiTest {
protected:
    void SetUp() override {
        AdvToolBar::RegisterAdvToolBarClasses();
        SysInfo().SetIsVista(false);
        form.reset(new AdvToolBar::TAdvToolBarForm(nullptr));
        form->SetBounds(40, 40, 420, 220);
        pager = new AdvToolBar::TAdvToolBarPager(form.get());
        pager->SetParent(form.get());
        pager->AddAdvPage("Home");
        bar = new TAdvOfficeStatusBar(form.get());
        bar->SetParent(form.get());
        bar->Panels()->Add()->SetText("Ready");
        form->Show();
        ui.Process();
    }
    void TearDown() override {
        form.reset();
        SysInfo().SetIsVista(true);
    }
    // The bar's pixel in the form's window image, without the form's rounded region (which cuts most of
    // the corner lines off the screen).
    win::COLORREF At(int X, int Y) {
        win::SetWindowRgn(form->Handle(), nullptr, 1);
        ui.Process();
        TPoint p = bar->ClientToScreen(TPoint{X, Y});
        win::RECT r{};
        win::GetWindowRect(form->Handle(), &r);
        return ui.Screen().WindowPixel(form->Handle(), p.X - r.Left, p.Y - r.Top) & 0xFFFFFF;
    }
    static win::COLORREF Ref(TColor Color) {
        return static_cast<win::COLORREF>(ColorToRGB(Color)) & 0xFFFFFF;
    }
    void SetPagerColour(TColor Color) {
        pager->CurrentStyler()->CaptionAppearance()->SetCaptionTextColor(Color);
        bar->Invalidate();
    }
    // Pixels of the eight corner lines (their ends included, the end points of LineTo left out), and
    // pixels just beyond them.
    void ExpectCorners(win::COLORREF Color, bool Drawn = true) {
        const int w = bar->Width(), h = bar->Height();
        const std::pair<int, int> on[] = {{0, h - 7},     {0, h - 1},    {1, h - 4},     {1, h - 2},
                                          {6, h - 1},     {3, h - 2},    {w - 1, h - 7}, {w - 2, h - 4},
                                          {w - 7, h - 1}, {w - 4, h - 2}};
        const std::pair<int, int> beyond[] = {{1, h - 5}, {4, h - 2}, {w - 2, h - 5}, {w - 5, h - 2}};
        for (auto [x, y] : on)
            EXPECT_EQ(At(x, y) == Color, Drawn) << x << ", " << y;
        for (auto [x, y] : beyond)
            EXPECT_NE(At(x, y), Color) << x << ", " << y;
    }

    TComponentPtr<AdvToolBar::TAdvToolBarForm> form;
    AdvToolBar::TAdvToolBarPager* pager = nullptr;
    TAdvOfficeStatusBar* bar = nullptr;
};

TEST_F(StatusBarOfficeFormTest, CornersTakeThePagersCaptionColourThenTheStylersBorder) {
    // From Vista on the form has no rounded region and the bar draws no corners.
    SysInfo().SetIsVista(true);
    SetPagerColour(0x0000C0);
    ExpectCorners(Ref(0x0000C0), false);
    SysInfo().SetIsVista(false);
    // The last pager's caption text colour; the frame (the internal styler's 0x825A3B) goes on where the
    // corner lines end.
    SetPagerColour(0x0000C0);
    ExpectCorners(Ref(0x0000C0));
    EXPECT_EQ(At(7, bar->Height() - 1), Ref(0x825A3B));
    EXPECT_EQ(At(0, bar->Height() - 8), Ref(0x825A3B));
    // White reads as black.
    SetPagerColour(clWhite);
    ExpectCorners(Ref(clBlack));
    // A styler of the bar's own with a border colour wins (white again as black); with clNone the
    // pager's colour stays.
    auto* styler = new TAdvOfficeStatusBarOfficeStyler(form.get());
    styler->SetBorderColor(0x00A000);
    bar->SetStyler(styler);
    ExpectCorners(Ref(0x00A000));
    styler->SetBorderColor(clWhite);
    ExpectCorners(Ref(clBlack));
    styler->SetBorderColor(clNone);
    SetPagerColour(0x0000C0);
    ExpectCorners(Ref(0x0000C0));
}

TEST_F(StatusBarOfficeFormTest, IsWrittenToAPicture) {
    auto* styler = new TAdvOfficeStatusBarOfficeStyler(form.get());
    styler->SetStyle(AdvOfficeStatusBarStylers::psOffice2007Luna);
    bar->SetStyler(styler);
    auto* office = new AdvToolBarStylers::TAdvToolBarOfficeStyler(form.get());
    office->SetToolBarStyle(AdvToolBarStylers::bsOffice2007Luna);
    pager->SetToolBarStyler(office);
    pager->Caption()->SetCaption("Kalvenor");
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("StatusBarOfficeForm.png")));
}

} // namespace
} // namespace statusbartest
