// Pictures in form layouts: a picture container's pictures are stored as their files' bytes, read back
// byte for byte, and drawn by the mark-up of a status bar that refers to the container; the picture's and
// the image control's published members; web sources that are only recorded.

#include "components/statusbar/HTMLImage.h"
#include "components/statusbar/PictureContainer.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/rtl/Streams.h"
#include "platform/vcl/Bitmap.h"
#include "tests/statusbar/StatusBarTestSupport.h"

namespace statusbartest {
namespace {

using namespace PictureContainer;

String Hex(const String& Bytes) {
    static const char digits[] = "0123456789ABCDEF";
    String s;
    for (char ch : Bytes) {
        auto b = static_cast<unsigned char>(ch);
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

// A bitmap file of Width x Height pixels in one colour.
String BitmapFile(int Width, int Height, TColor Color) {
    TBitmap b(Width, Height);
    b.Canvas()->Brush()->SetColor(Color);
    b.Canvas()->FillRect(TRect{0, 0, Width, Height});
    TMemoryStream s;
    b.SaveToStream(&s);
    return String(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

String Stored(THTMLPicture* P) {
    TMemoryStream s;
    P->SaveToStream(&s);
    return s.Size() == 0 ? String()
                         : String(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

// A GIF with a 4 x 4 screen and two one-pixel frames, the second at (2, 3).
String TwoFrameGif() {
    const int bytes[] = {
        'G', 'I', 'F', '8', '9',  'a', 4, 0, 4, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0,    0, 0, 0x21, 0xF9, 4, 0,
        5,   0,   0,   0,   0x2C, 0,   0, 0, 0, 1, 0,    1, 0, 0,    2,    2,    0x44, 1, 0, 0x21, 0xF9, 4, 0,
        7,   0,   0,   0,   0x2C, 2,   0, 3, 0, 1, 0,    1, 0, 0,    2,    2,    0x44, 1, 0, 0x3B};
    String s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

class PictureStreamingTest : public StatusBarTest {
protected:
    void SetUp() override {
        StatusBarTest::SetUp();
        RegisterAdvOfficeStatusBarClasses();
        RegisterPictureContainerClasses();
        RegisterHTMLImageClasses();
        form->SetName("");
    }
    // A form with a container of one picture named Logo and a bar whose mark-up panel shows it.
    String Layout(const String& PictureBytes) {
        return "object MainForm: TCustomForm\r\n"
               "  Left = 40\r\n  Top = 40\r\n  Width = 400\r\n  Height = 200\r\n"
               "  object Pictures: TPictureContainer\r\n"
               "    Items = <\r\n"
               "      item\r\n"
               "        Picture.Data = {" +
               Hex(PictureBytes) +
               "}\r\n"
               "        Name = 'Logo'\r\n"
               "        Tag = 7\r\n"
               "      end>\r\n"
               "  end\r\n"
               "  object Bar: TAdvOfficeStatusBar\r\n"
               "    PictureContainer = Pictures\r\n"
               "    Panels = <\r\n"
               "      item\r\n"
               "        Text = '<IMG SRC=\"logo\"> text'\r\n"
               "        Width = 200\r\n"
               "      end>\r\n"
               "  end\r\n"
               "end\r\n";
    }
    TPictureContainer* Container() {
        return dynamic_cast<TPictureContainer*>(form->FindComponent("Pictures"));
    }
};

TEST_F(PictureStreamingTest, AContainerReadFromALayoutHoldsItsPicturesAndTheMarkupDrawsThem) {
    const String bmp = BitmapFile(8, 8, 0x0000FF);
    ReadComponentFromText(Layout(bmp), form.get(), "MainForm");
    TPictureContainer* pictures = Container();
    ASSERT_NE(pictures, nullptr);
    ASSERT_EQ(pictures->Items()->Count(), 1);
    TPictureItem* item = pictures->Items()->GetItem(0);
    EXPECT_EQ(item->Name(), "Logo");
    EXPECT_EQ(item->Tag(), 7);
    EXPECT_EQ(Stored(item->Picture()), bmp); // the file's bytes, unchanged
    EXPECT_EQ(item->Picture()->Width(), 8);
    auto* bar = dynamic_cast<TAdvOfficeStatusBar*>(form->FindComponent("Bar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetPictureContainer(), pictures);
    ShowAndPaint();
    // The panel's mark-up starts at (1 + 2 + 2 + 1, 0 + 2): the panel's left edge, its margin, the
    // mark-up offset and the renderer's own pixel. The picture stands there at its own size.
    EXPECT_EQ(At(bar, 6, 2), Ref(0x0000FF));
    EXPECT_EQ(At(bar, 13, 9), Ref(0x0000FF));
    EXPECT_NE(At(bar, 14, 5), Ref(0x0000FF));
    EXPECT_NE(At(bar, 5, 5), Ref(0x0000FF));
    // Without the container the name names nothing.
    bar->SetPictureContainer(nullptr);
    bar->Invalidate();
    EXPECT_NE(At(bar, 9, 5), Ref(0x0000FF));
}

TEST_F(PictureStreamingTest, PicturesRoundTripByteForByteWithTheirFrameAndStretch) {
    const String gif = TwoFrameGif();
    ReadComponentFromText(Layout(gif), form.get(), "MainForm");
    THTMLPicture* picture = Container()->Items()->GetItem(0)->Picture();
    picture->SetFrame(2);
    picture->SetStretch(true);
    TPictureItem* empty = Container()->Items()->Add();
    empty->SetName("Nothing");
    const String text = WriteComponentToText(Container());
    EXPECT_NE(text.find("Picture.Data = {"), String::npos) << text;
    EXPECT_NE(text.find("Frame = 2"), String::npos) << text;
    EXPECT_EQ(text.find("Version"), String::npos) << text; // read-only, and at its value

    TComponentPtr<TPictureContainer> pictures(new TPictureContainer(nullptr));
    ReadComponentFromText(text, pictures.get(), "Pictures");
    ASSERT_EQ(pictures->Items()->Count(), 2);
    THTMLPicture* read = pictures->Items()->GetItem(0)->Picture();
    EXPECT_EQ(Stored(read), gif);
    EXPECT_EQ(read->Frame(), 2);
    EXPECT_EQ(read->FrameLeft(), 2); // the frame of the bytes read before it
    EXPECT_TRUE(read->Stretch());
    EXPECT_TRUE(pictures->Items()->GetItem(1)->Picture()->Empty());
    EXPECT_EQ(pictures->Items()->GetItem(1)->Name(), "Nothing");
    // Bytes that are no picture fail the read with the picture's own message.
    TComponentPtr<TCustomForm> bad(TCustomForm::CreateNew(nullptr));
    try {
        ReadComponentFromText(Layout("not a picture"), bad.get(), "MainForm");
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message.find("Could not load image. Invalid format"), String::npos) << e.Message;
    }
}

TEST_F(PictureStreamingTest, AnImageControlKeepsItsPictureAndTakesItsDevicesPixelsPerInch) {
    TComponentPtr<THTMLImage> image(new THTMLImage(nullptr));
    image->SetName("Image");
    THTMLPicture source;
    source.LoadFromBytes(BitmapFile(3, 2, clLime));
    image->SetHTMLPicture(&source);
    image->SetPicturePosition(bpCenter);
    const String text = WriteComponentToText(image.get());
    EXPECT_NE(text.find("HTMLPicture.Data = {"), String::npos) << text;
    // A picture sized for a device of 192 pixels per inch is twice as large.
    TComponentPtr<THTMLImage> again(new THTMLImage(nullptr));
    again->HTMLPicture()->SetPixelsPerInch(192, 192);
    again->HTMLPicture()->LoadFromBytes(BitmapFile(3, 2, clLime));
    EXPECT_EQ(again->HTMLPicture()->Width(), 6);
    EXPECT_EQ(again->HTMLPicture()->Height(), 4);
    // Loaded takes the screen's (96).
    ReadComponentFromText(text, again.get(), "Image");
    EXPECT_EQ(again->HTMLPicture()->PixelsPerInchX(), 96);
    EXPECT_EQ(again->HTMLPicture()->Width(), 3);
    EXPECT_EQ(again->PicturePosition(), bpCenter);
    EXPECT_EQ(Stored(again->HTMLPicture()), BitmapFile(3, 2, clLime));
}

// The download events are published on the picture and on the image control, which passes the picture's
// on as their sender.
TEST_F(PictureStreamingTest, DownloadEventsArePassedOnByTheImage) {
    for (const char* name :
         {"OnDownLoadError", "OnDownLoadCancel", "OnDownLoadProgress", "OnDownLoadComplete"}) {
        EXPECT_NE(GetPropInfo(THTMLPicture::StaticClassType(), name), nullptr) << name;
        EXPECT_NE(GetPropInfo(THTMLImage::StaticClassType(), name), nullptr) << name;
    }
    THTMLImage image(nullptr);
    THTMLPicture* picture = image.HTMLPicture();
    bool cancel = false;
    picture->DownLoadCancel(cancel); // nobody listens: nothing happens
    String seen;
    image.OnDownLoadError = [&](TObject* Sender, const String& Err) { seen += Sender == &image ? Err : "?"; };
    image.OnDownLoadCancel = [&](TObject*, bool& Cancel) { Cancel = true; };
    image.OnDownLoadProgress = [&](TObject*, std::uint32_t Size, std::uint32_t Total) {
        seen += " " + std::to_string(Size) + "/" + std::to_string(Total);
    };
    image.OnDownLoadComplete = [&](TObject* Sender) { seen += Sender == &image ? " done" : " ?"; };
    picture->DownLoadError("lost");
    picture->DownLoadCancel(cancel);
    picture->DownLoadProgress(4000000000u, 4000000001u);
    picture->DownLoadComplete();
    EXPECT_EQ(seen, "lost 4000000000/4000000001 done");
    EXPECT_TRUE(cancel);
}

TEST_F(PictureStreamingTest, AWebSourceIsOnlyRecordedAndStartsOneDownloadThatFetchesNothing) {
    THTMLPicture web;
    ASSERT_TRUE(web.Asynch());
    web.LoadFromURL("https://example.org/a.png");
    EXPECT_TRUE(web.Empty());
    EXPECT_EQ(web.Address(), "https://example.org/a.png");
    EXPECT_TRUE(web.ThreadBusy());
    EXPECT_EQ(web.ID(), ""); // an asynchronous download names the picture only once it is done
    // While the download counts as running, another address is not taken.
    web.LoadFromURL("https://example.org/b.png");
    EXPECT_EQ(web.Address(), "https://example.org/a.png");
    // Loaded synchronously the address is the picture's identity at once.
    THTMLPicture now;
    now.SetAsynch(false);
    now.LoadFromURL("http://example.org/c.gif");
    EXPECT_TRUE(now.Empty());
    EXPECT_FALSE(now.ThreadBusy());
    EXPECT_EQ(now.Address(), "http://example.org/c.gif");
    EXPECT_EQ(now.ID(), "http://example.org/c.gif");
    // A resource or file prefix with nothing after it names nothing.
    THTMLPicture bare;
    bare.LoadFromURL("res://");
    bare.LoadFromURL("FILE://");
    EXPECT_EQ(bare.ID(), "");
    EXPECT_FALSE(bare.ThreadBusy());
}

} // namespace
} // namespace statusbartest
