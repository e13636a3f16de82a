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
using AdvToolBar::TAdvToolBarForm;
using AdvToolBar::TAdvToolBarPager;

constexpr TColor kInternalBorder = 0x825A3B; // the frame of the bar's internal styler

class StatusBarOfficeFormTest : public uitest::UiTest {
protected:
    void SetUp() override {
        AdvToolBar::RegisterAdvToolBarClasses();
        SysInfo().SetIsVista(false);
        form.reset(new TAdvToolBarForm(nullptr));
        form->SetName("OfficeForm");
        form->SetBounds(40, 40, 420, 220);
        pager = new TAdvToolBarPager(form.get());
        pager->SetName("Pager");
        pager->SetParent(form.get());
        pager->GetAdvPages(pager->AddAdvPage("Home"));
        bar = new TAdvOfficeStatusBar(form.get());
        bar->SetName("Bar");
        bar->SetParent(form.get());
        for (int w : {120, 100}) {
            TAdvOfficeStatusPanel* p = bar->Panels()->Add();
            p->SetWidth(w);
            p->SetStyle(psText);
        }
        bar->Panels()->GetItem(0)->SetText("Ready");
        form->Show();
        ui.Process();
    }
    // The form's rounded region cuts most of the corner lines off the screen; without it the window's
    // image shows everything the bar draws.
    void WithoutTheFormsRegion() {
        win::SetWindowRgn(form->Handle(), nullptr, 1);
        ui.Process();
    }
    void TearDown() override {
        form.reset();
        SysInfo().SetIsVista(true);
    }
    // The bar's pixel in the form's window image: before Vista the form's rounded region hides part of
    // the corners on the screen.
    win::COLORREF At(int X, int Y) {
        ui.Process();
        TPoint p = bar->ClientToScreen(TPoint{X, Y});
        win::RECT r{};
        win::GetWindowRect(form->Handle(), &r);
        return ui.Screen().WindowPixel(form->Handle(), p.X - r.Left, p.Y - r.Top) & 0xFFFFFF;
    }
    static win::COLORREF Ref(TColor Color) {
        return static_cast<win::COLORREF>(ColorToRGB(Color)) & 0xFFFFFF;
    }
    // The corner lines' pixels, and pixels just beyond each line's end.
    std::vector<std::pair<int, int>> CornerPixels() const {
        const int w = bar->Width(), h = bar->Height();
        return {{0, h - 7}, {0, h - 1},     {1, h - 4},     {1, h - 2},     {6, h - 1},
                {3, h - 2}, {w - 1, h - 7}, {w - 2, h - 4}, {w - 7, h - 1}, {w - 4, h - 2}};
    }
    std::vector<std::pair<int, int>> BeyondTheLines() const {
        const int w = bar->Width(), h = bar->Height();
        return {{1, h - 5}, {4, h - 2}, {w - 2, h - 5}, {w - 5, h - 2}};
    }
    void ExpectCorners(win::COLORREF Color) {
        for (auto [x, y] : CornerPixels())
            EXPECT_EQ(At(x, y), Color) << x << ", " << y;
        for (auto [x, y] : BeyondTheLines())
            EXPECT_NE(At(x, y), Color) << x << ", " << y;
    }

    TComponentPtr<TAdvToolBarForm> form;
    TAdvToolBarPager* pager = nullptr;
    TAdvOfficeStatusBar* bar = nullptr;
};

TEST_F(StatusBarOfficeFormTest, CornersTakeThePagersCaptionColourThenTheStylersBorder) {
    ASSERT_EQ(bar->Parent(), form.get());
    WithoutTheFormsRegion();
    // The last pager's caption text colour; the frame goes on where the corner lines end (the bottom
    // line from x = 7, the left one above H - 7).
    pager->CurrentStyler()->CaptionAppearance()->SetCaptionTextColor(0x0000C0);
    bar->Invalidate();
    ExpectCorners(Ref(0x0000C0));
    EXPECT_EQ(At(7, bar->Height() - 1), Ref(kInternalBorder));
    EXPECT_EQ(At(0, bar->Height() - 8), Ref(kInternalBorder));
    EXPECT_EQ(At(bar->Width() - 8, bar->Height() - 1), Ref(kInternalBorder));
    // White reads as black.
    pager->CurrentStyler()->CaptionAppearance()->SetCaptionTextColor(clWhite);
    bar->Invalidate();
    ExpectCorners(Ref(clBlack));
    // A styler of the bar's own with a border colour wins, white again as black; without one (clNone)
    // the pager's colour stays.
    auto* styler = new TAdvOfficeStatusBarOfficeStyler(form.get());
    styler->SetBorderColor(0x00A000);
    bar->SetStyler(styler);
    ExpectCorners(Ref(0x00A000));
    styler->SetBorderColor(clWhite);
    ExpectCorners(Ref(clBlack));
    styler->SetBorderColor(clNone);
    pager->CurrentStyler()->CaptionAppearance()->SetCaptionTextColor(0x0000C0);
    bar->Invalidate();
    ExpectCorners(Ref(0x0000C0));
}

TEST_F(StatusBarOfficeFormTest, NoCornersOnVistaNorOnAnyOtherForm) {
    WithoutTheFormsRegion();
    pager->CurrentStyler()->CaptionAppearance()->SetCaptionTextColor(0x0000C0);
    SysInfo().SetIsVista(true);
    bar->Invalidate();
    for (auto [x, y] : CornerPixels())
        EXPECT_NE(At(x, y), Ref(0x0000C0)) << x << ", " << y;
    // On a plain form the bar's own frame is all there is.
    SysInfo().SetIsVista(false);
    TComponentPtr<TCustomForm> plain(TCustomForm::CreateNew(nullptr));
    plain->SetBounds(40, 300, 300, 100);
    bar->SetParent(plain.get());
    plain->Show();
    ui.Process();
    TPoint p = bar->ClientToScreen(TPoint{1, bar->Height() - 4});
    EXPECT_NE(ui.Screen().WindowPixel(plain->Handle(), p.X - plain->Left(), p.Y - plain->Top()) & 0xFFFFFF,
              Ref(0x0000C0));
    bar->SetParent(form.get());
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
