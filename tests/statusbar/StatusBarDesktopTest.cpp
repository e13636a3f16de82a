// The status bar and the desktop's settings: the desktop's font, the screen's pixels per inch in the
// mark-up's image advances, the locale's formats of new panels, and the size grip's window style bits.

#include "components/statusbar/HTMLRender.h"
#include "components/statusbar/StatusClock.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysInfo.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Panel.h"
#include "platform/vcl/Screen.h"
#include "tests/statusbar/StatusBarTestSupport.h"

namespace statusbartest {
namespace {

class StatusBarDesktopTest : public StatusBarTest {
protected:
    void TearDown() override {
        StatusBarTest::TearDown();
        SysInfo().Reset();
    }
};

TEST_F(StatusBarDesktopTest, TheDesktopFontFlagFollowsTheDesktopsFont) {
    SysInfo().SetDesktopFont({"DejaVu Serif", 14});
    auto* bar = MakeBar({100});
    auto* other = MakeBar({100});
    bar->SetUseSystemFont(false);
    other->SetUseSystemFont(false);
    other->Font()->SetName("DejaVu Sans");
    EXPECT_TRUE(bar->IsFontStored());
    bar->SetDesktopFont(true);
    EXPECT_EQ(bar->Font()->Name(), "DejaVu Serif");
    EXPECT_EQ(bar->Font()->Size(), 14);
    EXPECT_FALSE(bar->IsFontStored()) << "the desktop's font is not the bar's own";
    ShowAndPaint();
    // A change of the desktop's font reaches the bar that follows it, and only that one.
    SysInfo().SetDesktopFont({"DejaVu Sans Mono", 11});
    ui.Process();
    EXPECT_EQ(bar->Font()->Name(), "DejaVu Sans Mono");
    EXPECT_EQ(bar->Font()->Size(), 11);
    EXPECT_EQ(other->Font()->Name(), "DejaVu Sans");
    // The system font is put over it; the parent's font ends both.
    bar->SetUseSystemFont(true);
    EXPECT_EQ(bar->Font()->Name(), vcl::Screen->HintFont()->Name());
    bar->SetParentFont(true);
    EXPECT_FALSE(bar->DesktopFont());
    EXPECT_FALSE(bar->UseSystemFont());
    // Switched on again, it takes the parent's font's place.
    bar->SetDesktopFont(true);
    EXPECT_FALSE(bar->ParentFont());
    EXPECT_EQ(bar->Font()->Name(), "DejaVu Sans Mono");
}

TEST_F(StatusBarDesktopTest, TheSizeGripStyleBitFollowsTheGripAndTheForm) {
    auto styleOf = [](TAdvOfficeStatusBar* Bar) { return win::GetWindowLong(Bar->Handle(), win::GWL_STYLE); };
    form->SetBorderStyle(bsSizeable);
    auto* bar = MakeBar({100});
    ShowAndPaint();
    EXPECT_TRUE(styleOf(bar) & SBARS_SIZEGRIP);
    EXPECT_FALSE(styleOf(bar) & CCS_TOP);
    // Without the grip the window is made again, with the other bit.
    bar->SetSizeGrip(false);
    EXPECT_FALSE(styleOf(bar) & SBARS_SIZEGRIP);
    EXPECT_TRUE(styleOf(bar) & CCS_TOP);
    bar->SetSizeGrip(true);
    EXPECT_TRUE(styleOf(bar) & SBARS_SIZEGRIP);
    // A maximised form shows no grip, but the bar may show one: the bit stays.
    form->SetWindowState(wsMaximized);
    ui.Process();
    EXPECT_FALSE(bar->HasSizeGrip());
    EXPECT_TRUE(styleOf(bar) & SBARS_SIZEGRIP);
    // On a form of fixed size, or on no form, the bar never shows one.
    std::unique_ptr<TCustomForm> dialog(TCustomForm::CreateNew(nullptr));
    dialog->SetBorderStyle(bsDialog);
    auto* fixed = new TAdvOfficeStatusBar(dialog.get());
    fixed->SetParent(dialog.get());
    EXPECT_TRUE(styleOf(fixed) & CCS_TOP);
    EXPECT_FALSE(styleOf(fixed) & SBARS_SIZEGRIP);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* inner = new TAdvOfficeStatusBar(form.get());
    inner->SetParent(panel);
    EXPECT_TRUE(styleOf(inner) & CCS_TOP);
}

TEST_F(StatusBarDesktopTest, ANewPanelTakesTheSystemsFormats) {
    SysInfo().SetLongTimeFormat(String("h:nn AM/PM"));
    SysInfo().SetShortDateFormat(String("dd.mm.yyyy"));
    auto* bar = MakeBar({100, 100});
    TAdvOfficeStatusPanel* clock = bar->Panels()->GetItem(0);
    TAdvOfficeStatusPanel* date = bar->Panels()->GetItem(1);
    EXPECT_EQ(clock->TimeFormat(), "h:nn AM/PM");
    EXPECT_EQ(date->DateFormat(), "dd.mm.yyyy");
    clock->SetStyle(psTime);
    date->SetStyle(psDate);
    const TClockSource old = SetClockSource([] { return TClockTime{2026, 3, 7, 14, 5, 9, 0}; });
    bar->UpdateStatusBar();
    SetClockSource(old);
    EXPECT_EQ(clock->Text(), "2:05 PM");
    EXPECT_EQ(date->Text(), "07.03.2026");
    // A panel keeps the formats it was made with.
    SysInfo().SetLongTimeFormat(String("hh:nn:ss"));
    EXPECT_EQ(clock->TimeFormat(), "h:nn AM/PM");
    EXPECT_EQ(bar->Panels()->Add()->TimeFormat(), "hh:nn:ss");
}

// An image's advance on a mark-up line is its size scaled by the screen's pixels per inch over 96,
// rounded: an image-list image, a picture at its own size and a picture stretched by WIDTH and HEIGHT.
class MarkupAdvanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        bmp.Canvas()->Font()->SetName("DejaVu Sans");
        bmp.Canvas()->Font()->SetSize(9);
        images.SetWidth(16);
        images.SetHeight(12);
        TBitmap image(16, 12);
        images.Add(&image, nullptr);
        TBitmap dot(3, 2);
        TMemoryStream bytes;
        dot.SaveToStream(&bytes);
        bytes.SetPosition(0);
        PictureContainer::TPictureItem* item = pictures.Items()->Add();
        item->SetName("dot");
        item->Picture()->LoadFromStream(&bytes);
    }
    void TearDown() override { SysInfo().Reset(); }
    HTMLRender::THTMLRenderResult Measure(const String& Text, int HitX = -1) {
        HTMLRender::THTMLRenderArgs a;
        a.NoDraw = true;
        a.ImageList = &images;
        a.Pictures = &pictures;
        a.HitX = HitX;
        a.HitY = 5;
        HTMLRender::THTMLRenderResult r;
        HTMLRender::RenderHTML(bmp.Canvas(), Text, TRect{0, 0, 300, 60}, a, r);
        return r;
    }
    TBitmap bmp{300, 60};
    TImageList images{nullptr};
    PictureContainer::TPictureContainer pictures{nullptr};
};

TEST_F(MarkupAdvanceTest, ImageAdvancesFollowTheScreensPixelsPerInch) {
    const struct {
        int PixelsPerInch;
        int Image, ImageHeight, Picture, Stretched;
    } cases[] = {
        {96, 16, 12, 3, 10},
        {120, 20, 15, 4, 13}, // 3.75 and 12.5 rounded
        {144, 24, 18, 5, 15}, // 4.5 rounded away from zero
    };
    const int x = bmp.Canvas()->TextWidth("x");
    const int gh = bmp.Canvas()->TextHeight("gh");
    for (const auto& k : cases) {
        SCOPED_TRACE(k.PixelsPerInch);
        SysInfo().SetScreenPixelsPerInch(k.PixelsPerInch);
        ASSERT_EQ(vcl::Screen->PixelsPerInch(), k.PixelsPerInch);
        // The widest line is its width plus 2.
        EXPECT_EQ(Measure("<img src=\"IDX:0\">").MaxLineWidth, k.Image + 2);
        EXPECT_EQ(Measure("<img src=\"IDX:0\">").TotalHeight, std::max(gh, k.ImageHeight));
        EXPECT_EQ(Measure("<img src=\"idx:0\">x").MaxLineWidth, k.Image + x + 2);
        EXPECT_EQ(Measure("<img src=\"dot\">").MaxLineWidth, k.Picture + 2);
        EXPECT_EQ(Measure("<img src=\"dot\" width=\"10\" height=\"4\">").MaxLineWidth, k.Stretched + 2);
    }
    // The hit test takes the scaled advance: 20 pixels in lies beyond 16 but within 24.
    const String anchored = "<a href=\"go\"><img src=\"IDX:0\"></a>";
    SysInfo().SetScreenPixelsPerInch(96);
    EXPECT_FALSE(Measure(anchored, 20).Hit);
    SysInfo().SetScreenPixelsPerInch(144);
    EXPECT_TRUE(Measure(anchored, 20).Hit);
}

} // namespace
} // namespace statusbartest
