// A picture to look at: bars with one panel of every style, in four presets, written next to the tests.

#include "platform/rtl/FileUtil.h"
#include "tests/statusbar/StatusBarTestSupport.h"

namespace statusbartest {
namespace {

using namespace AdvOfficeStatusBarStylers;

class StatusBarSheetTest : public StatusBarTest {};

TEST_F(StatusBarSheetTest, EveryStyleInFourPresetsIsWrittenToAPicture) {
    form->SetBounds(0, 0, 1010, 170);
    TImageList images(nullptr);
    for (TColor c : {TColor(0x3050E0), TColor(0x30A040), TColor(0xC06020)}) {
        TBitmap b(16, 16);
        b.Canvas()->Brush()->SetColor(clWhite);
        b.Canvas()->FillRect(TRect{0, 0, 16, 16});
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->Ellipse(TRect{2, 2, 14, 14});
        images.Add(&b, nullptr);
    }
    const TOfficeStatusBarStyle presets[] = {psOffice2007Luna, psOffice2007Obsidian, psOffice2003Blue,
                                             psOffice2007Silver};
    struct Panel {
        TAdvOfficeStatusPanelStyle Style;
        const char* Text;
        int Width;
    };
    const Panel panels[] = {
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
    int top = 10;
    int n = 0;
    for (TOfficeStatusBarStyle preset : presets) {
        auto* styler = new TAdvOfficeStatusBarOfficeStyler(form.get());
        styler->SetStyle(preset);
        auto* bar = new TAdvOfficeStatusBar(form.get());
        bar->SetName("Sheet" + std::to_string(++n));
        bar->SetAlign(alNone);
        bar->SetBounds(0, top, 1000, 22);
        bar->SetParent(form.get());
        bar->SetStyler(styler);
        bar->SetImages(&images);
        bar->SetSizeGrip(false);
        for (const Panel& p : panels) {
            TAdvOfficeStatusPanel* panel = bar->Panels()->Add();
            panel->SetStyle(p.Style);
            panel->SetText(p.Text);
            panel->SetWidth(p.Width);
            panel->SetTimeFormat("h:mm:ss");
            panel->SetDateFormat("dd.MM.yyyy");
        }
        bar->Panels()->GetItem(8)->Progress()->SetPosition(35 + 20 * n);
        bar->Panels()->GetItem(9)->SetImageIndex(0);
        bar->Panels()->GetItem(10)->SetImageIndexes(0, 0);
        bar->Panels()->GetItem(10)->SetImageIndexes(1, 1);
        bar->Panels()->GetItem(10)->SetImageIndexes(2, 2);
        bar->Panels()->GetItem(11)->SetAnimationImages(&images);
        bar->Panels()->GetItem(2)->SetButton(true);
        bar->UpdateStatusBar();
        top += 36;
    }
    ShowAndPaint();
    String path = uitest::UiDriver::OutputPath("StatusBarStyles.png");
    ASSERT_TRUE(ui.WritePng(form.get(), path));
    EXPECT_TRUE(FileExists(path));
}

} // namespace
} // namespace statusbartest
