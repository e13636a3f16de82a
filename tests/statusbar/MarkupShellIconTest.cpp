// Shell icons in the mark-up: "SSYS:" and "LSYS:" sources show the desktop's icon of a folder, a file
// type or a system icon index in the small or large size, take its room, and answer anchors; and a bar's
// mark-up panel with a container picture and a shell icon, written to a picture.

#include <filesystem>

#include "components/statusbar/HTMLRender.h"
#include "components/statusbar/PictureContainer.h"
#include "platform/rtl/Streams.h"
#include "platform/vcl/ShellIcons.h"
#include "tests/statusbar/StatusBarTestSupport.h"

namespace statusbartest {
namespace {

using namespace HTMLRender;

class MarkupShellIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        bmp = std::make_unique<TBitmap>(300, 60);
        c = bmp->Canvas();
        c->Font()->SetName("DejaVu Sans");
        c->Font()->SetSize(9);
        Clear();
    }
    void Clear() {
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect{0, 0, 300, 60});
    }
    THTMLRenderResult Render(const String& Text, bool Draw, THTMLRenderArgs Args = {}) {
        Args.NoDraw = !Draw;
        THTMLRenderResult r;
        RenderHTML(c, Text, TRect{0, 0, 300, 60}, Args, r);
        return r;
    }
    // The pixels of a rectangle, row by row.
    std::vector<TColor> Pixels(const TRect& R) {
        std::vector<TColor> v;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                v.push_back(c->Pixels(x, y) & 0xFFFFFF);
        return v;
    }
    bool Inked(const TRect& R) {
        for (TColor p : Pixels(R))
            if (p != 0xFFFFFF) return true;
        return false;
    }
    // The system icon Index as drawn alone at the origin of a white square.
    std::vector<TColor> Icon(int Index, int Size) {
        TBitmap b(Size, Size);
        DrawSystemIcon(b.Canvas(), 0, 0, Index, Size);
        std::vector<TColor> v;
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
                v.push_back(b.Canvas()->Pixels(x, y) & 0xFFFFFF);
        return v;
    }

    std::unique_ptr<TBitmap> bmp;
    TCanvas* c = nullptr;
    const String folder = ::testing::TempDir();
};

// The renderer's working rectangle starts one pixel in: an image stands at x = 1, on the line's top.
TEST_F(MarkupShellIconTest, SmallAndLargeIconsAreTheDesktopsAndTakeTheirRoom) {
    const TRect small{1, 0, 17, 16};
    Render("<IMG SRC=\"SSYS:" + folder + "\">", true);
    EXPECT_EQ(Pixels(small), Icon(SystemIconFolder, 16));
    EXPECT_FALSE(Inked(TRect{17, 0, 300, 60}));
    EXPECT_FALSE(Inked(TRect{0, 16, 300, 60}));
    // By index, by extension, and in upper or lower case: the same pictures as the system list's.
    Clear();
    Render("<img src=\"ssys:3\">", true);
    EXPECT_EQ(Pixels(small), Icon(SystemIconFolder, 16));
    Clear();
    Render("<IMG SRC=\"SSYS:notes.txt\">", true);
    EXPECT_EQ(Pixels(small), Icon(SystemIconDocument, 16));
    Clear();
    Render("<IMG SRC=\"LSYS:" + folder + "\">", true);
    EXPECT_EQ(Pixels(TRect{1, 0, 33, 32}), Icon(SystemIconFolder, 32));
    // Their room: the icon's size across, and at least its height down.
    const int blank = c->TextWidth(" ");
    EXPECT_EQ(Render("<IMG SRC=\"SSYS:.pdf\">", false).MaxLineWidth, 16 + 2);
    EXPECT_EQ(Render("<IMG SRC=\"LSYS:.pdf\"> x", false).MaxLineWidth, 32 + blank + c->TextWidth("x") + 2);
    EXPECT_EQ(Render("<IMG SRC=\"LSYS:.pdf\">", false).TotalHeight, 32);
    // Text after a small icon starts right of it.
    Clear();
    Render("<IMG SRC=\"SSYS:.pdf\">Word", true);
    EXPECT_TRUE(Inked(TRect{17, 0, 17 + c->TextWidth("Word"), 16}));
    // Nothing after the prefix is index 0, the unknown file's icon; an index with no icon draws nothing
    // and takes no room.
    Clear();
    Render("<IMG SRC=\"SSYS:\">", true);
    EXPECT_EQ(Pixels(small), Icon(SystemIconUnknownFile, 16));
    for (const char* none : {"SSYS:100000", "LSYS:-1"}) {
        SCOPED_TRACE(none);
        Clear();
        THTMLRenderResult r = Render(String("<IMG SRC=\"") + none + "\">", true);
        EXPECT_EQ(r.MaxLineWidth, 0);
        EXPECT_FALSE(Inked(TRect{0, 0, 300, 60}));
    }
}

TEST_F(MarkupShellIconTest, AnIconInAnAnchorAnswersTheHitTestAndPrintsStretched) {
    THTMLRenderArgs a;
    a.HitX = 8;
    a.HitY = 8;
    a.KeepColors = true;
    THTMLRenderResult r = Render("<A HREF=\"open\"><IMG SRC=\"SSYS:" + folder + "\"></A>", false, a);
    EXPECT_TRUE(r.Hit);
    EXPECT_EQ(r.HitHref, "open");
    a.HitX = 30;
    EXPECT_FALSE(Render("<A HREF=\"open\"><IMG SRC=\"SSYS:" + folder + "\"></A>", false, a).Hit);
    // Printing stretches the icon by the print scale from a bitmap of its size.
    THTMLRenderArgs print;
    print.PrintMode = true;
    print.PrintScale = 2.0;
    Clear();
    Render("<IMG SRC=\"SSYS:" + folder + "\">", true, print);
    EXPECT_TRUE(Inked(TRect{17, 0, 33, 32}));
    EXPECT_FALSE(Inked(TRect{33, 0, 300, 60}));
}

// The bar's look: a container picture and a shell icon in one mark-up panel.
class MarkupPanelPictureTest : public StatusBarTest {};

TEST_F(MarkupPanelPictureTest, AContainerPictureAndAShellIconAreDrawnInAPanel) {
    TBitmap logo(12, 12);
    logo.Canvas()->Brush()->SetColor(0x2080F0);
    logo.Canvas()->FillRect(TRect{0, 0, 12, 12});
    logo.Canvas()->Brush()->SetColor(clWhite);
    logo.Canvas()->Ellipse(TRect{2, 2, 10, 10});
    TMemoryStream bytes;
    logo.SaveToStream(&bytes);
    bytes.SetPosition(0);
    auto* pictures = new PictureContainer::TPictureContainer(form.get());
    PictureContainer::TPictureItem* item = pictures->Items()->Add();
    item->SetName("Logo");
    item->Picture()->LoadFromStream(&bytes);

    auto* bar = MakeBar({260, 140}, 400);
    bar->SetPictureContainer(pictures);
    TAdvOfficeStatusPanel* panel = bar->Panels()->GetItem(0);
    panel->SetStyle(psHTML);
    panel->SetText("<IMG SRC=\"Logo\"> Quotes <IMG SRC=\"SSYS:" + ::testing::TempDir() + "\">");
    ShowAndPaint();
    // The mark-up begins at x = 6, y = 2 (panel edge, margin, offset and the renderer's own pixel).
    EXPECT_EQ(At(bar, 7, 3), Ref(0x2080F0));
    EXPECT_EQ(At(bar, 12, 8), Ref(clWhite));
    // The folder icon stands after the picture, a blank and the word, over the panel's gradient.
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(bar->Font());
    const int x = 6 + 12 + measure.Canvas()->TextWidth(" ") + measure.Canvas()->TextWidth("Quotes ");
    auto iconShows = [&](int Left) {
        ui.Process();
        int differ = 0;
        for (int y = 2; y < 18; ++y)
            for (int px = Left; px < Left + 16; ++px)
                differ += Peek(bar, px, y) != Peek(bar, 250, y);
        return differ;
    };
    EXPECT_GT(iconShows(x), 16 * 16 / 4);
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("StatusBarMarkupPictures.png")));
    // A source naming no icon leaves the place to the background.
    panel->SetText("<IMG SRC=\"Logo\"> Quotes <IMG SRC=\"SSYS:100000\">");
    EXPECT_EQ(iconShows(x), 0);
}

} // namespace
} // namespace statusbartest
