// The picture container (GIF frames, lookups, loading and its failures) and path shortening by table.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "components/statusbar/HTMLImage.h"
#include "components/statusbar/PathShorten.h"
#include "components/statusbar/PictureContainer.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/Streams.h"
#include "platform/vcl/Bitmap.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using namespace PictureContainer;
using AdvOfficeStatusBar::ShortenPath;

String Bytes(std::initializer_list<int> B) {
    String s;
    for (int b : B)
        s += static_cast<char>(b);
    return s;
}

// A GIF with a 4 x 4 screen and two one-pixel frames: the first at (0, 0), the second at (2, 3) shown
// for 7 hundredths of a second.
const String kHeader =
    Bytes({'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0});
const String kFrame1 =
    Bytes({0x21, 0xF9, 0x04, 0, 5, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0});
const String kFrame2 =
    Bytes({0x21, 0xF9, 0x04, 0, 7, 0, 0, 0, 0x2C, 2, 0, 3, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0});
const String kTrailer = Bytes({0x3B});

String Bmp() {
    TBitmap b(3, 2);
    TMemoryStream s;
    b.SaveToStream(&s);
    String data(static_cast<size_t>(s.Size()), '\0');
    s.SetPosition(0);
    s.Read(data.data(), s.Size());
    return data;
}

TEST(HTMLPictureTest, GifFramesAreCutFromTheBytesAndOtherDataKeepsThemAll) {
    THTMLPicture p;
    const String gif = kHeader + kFrame1 + kFrame2 + kTrailer;
    p.LoadFromBytes(gif);
    EXPECT_TRUE(p.IsGIFFile());
    EXPECT_EQ(p.GetFrameCount(), 2);
    EXPECT_EQ(p.FrameData(), gif); // frame 1: everything
    EXPECT_EQ(p.GetFrameTime(2), 7);
    EXPECT_EQ(p.GetFrameTime(3), -1);
    int changes = 0;
    p.OnFrameChange = [&](TObject*) { ++changes; };
    p.SetFrame(2);
    EXPECT_EQ(changes, 1);
    // The header and what comes before the first frame, then the second frame on.
    EXPECT_EQ(p.FrameData(), kHeader + kFrame2 + kTrailer);
    EXPECT_EQ(p.FrameLeft(), 2);
    EXPECT_EQ(p.FrameTop(), 3);
    EXPECT_EQ(p.GetMaxWidth(), 4);
    EXPECT_FALSE(p.Empty());
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 2);
    // Other data keeps all its bytes.
    THTMLPicture bmp;
    bmp.LoadFromBytes(Bmp());
    EXPECT_FALSE(bmp.IsGIFFile());
    EXPECT_EQ(bmp.GetFrameCount(), -1);
    EXPECT_EQ(bmp.FrameData(), Bmp());
    EXPECT_EQ(bmp.Width(), 3);
    // A GIF without any frame extension keeps all its bytes too.
    THTMLPicture plain;
    String noExtension = kHeader + kFrame1.substr(8) + kTrailer;
    plain.LoadFromBytes(noExtension);
    EXPECT_EQ(plain.GetFrameCount(), 0);
    EXPECT_EQ(plain.FrameData(), noExtension);
    // Fewer than five bytes are never a GIF; a frame extension cut short is no frame.
    THTMLPicture few;
    EXPECT_THROW(few.LoadFromBytes("GIF8"), Exception);
    EXPECT_EQ(few.GetFrameCount(), -1);
    THTMLPicture cut;
    EXPECT_THROW(cut.LoadFromBytes(kHeader + kFrame1.substr(0, 12)), Exception);
    EXPECT_EQ(cut.GetFrameCount(), 0);
}

// The packed byte of a frame's control extension: the transparent flag in bit 0, the disposal method in
// bits 2 to 4 (the user-input flag, bit 1, and the reserved bits beside them read as neither).
TEST(HTMLPictureTest, FrameTimeKeepsTheFramesTransparencyAndDisposal) {
    String first = kFrame1, second = kFrame2;
    first[3] = static_cast<char>(0xE3);  // reserved bits and user input set, disposal 0, transparent
    second[3] = static_cast<char>(0x0E); // disposal 3, user input, opaque
    THTMLPicture p;
    p.LoadFromBytes(kHeader + first + second + kTrailer);
    EXPECT_FALSE(p.FrameTransparent());
    EXPECT_EQ(p.FrameDisposal(), 0);
    EXPECT_EQ(p.GetFrameTime(1), 5);
    EXPECT_TRUE(p.FrameTransparent());
    EXPECT_EQ(p.FrameDisposal(), 0);
    EXPECT_EQ(p.GetFrameTime(2), 7);
    EXPECT_FALSE(p.FrameTransparent());
    EXPECT_EQ(p.FrameDisposal(), 3);
    second[3] = static_cast<char>(0x09); // disposal 2, transparent
    p.LoadFromBytes(kHeader + first + second + kTrailer);
    EXPECT_EQ(p.GetFrameTime(2), 7);
    EXPECT_TRUE(p.FrameTransparent());
    EXPECT_EQ(p.FrameDisposal(), 2);
    // No such frame keeps what the last one found; clearing the picture forgets it.
    EXPECT_EQ(p.GetFrameTime(3), -1);
    EXPECT_EQ(p.FrameDisposal(), 2);
    p.Assign(nullptr);
    EXPECT_FALSE(p.FrameTransparent());
    EXPECT_EQ(p.FrameDisposal(), 0);
}

TEST(HTMLPictureTest, LoadingFailuresAndAssign) {
    THTMLPicture p;
    TMemoryStream junk;
    junk.Write("not a picture", 13);
    junk.SetPosition(0);
    try {
        p.LoadFromStream(&junk);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Could not load image. Invalid format");
    }
    // From a file the failure is swallowed and the picture stays empty.
    String path = uitest::UiDriver::OutputPath("not-a-picture.gif");
    std::ofstream(path) << "GIF89a but nothing else";
    THTMLPicture f;
    f.LoadFromFile(path);
    EXPECT_TRUE(f.Empty());
    // "file://" in any case loads the file.
    String good = uitest::UiDriver::OutputPath("picture.bmp");
    std::ofstream(good, std::ios::binary) << Bmp();
    THTMLPicture url;
    url.LoadFromURL("file://" + good);
    EXPECT_EQ(url.Width(), 3);
    const String bmp = Bmp();
    RegisterResource("STATUSPICTURE", TResType(RT_RCDATA), bmp.data(), bmp.size());
    THTMLPicture res;
    res.LoadFromURL("res://StatusPicture");
    EXPECT_EQ(res.Width(), 3);
    THTMLPicture none;
    none.LoadFromURL("RES://NoSuchPicture");
    none.LoadFromURL("FILE://");
    EXPECT_TRUE(none.Empty());
    // Assign copies the bytes; nothing (or another class) clears.
    THTMLPicture copy;
    copy.Assign(&url);
    EXPECT_EQ(copy.Width(), 3);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(PictureContainerTest, ContainerNamesAndImagePlacement) {
    TPictureContainer c(nullptr);
    TPictureItem* item = c.Items()->Add();
    item->SetName("Logo");
    EXPECT_EQ(c.FindPicture("LOGO"), item->Picture());
    EXPECT_EQ(c.FindPicture("other"), nullptr);
    EXPECT_EQ(c.Version(), "1.0.0.0");
    THTMLPictureCache cache;
    THTMLPicture* p = cache.AddPicture();
    p->SetID("http://x/Logo.gif");
    EXPECT_EQ(cache.FindPicture("http://x/Logo.gif"), p);
    EXPECT_EQ(cache.FindPicture("http://x/logo.gif"), nullptr);
    // A picture put in place of another: the cache owns it and finds it by its identity; the old one is
    // gone. A wrong index or no picture leaves the cache as it was.
    auto other = std::make_unique<THTMLPicture>();
    other->SetID("http://x/Other.gif");
    THTMLPicture* put = other.get();
    cache.SetPicture(0, std::move(other));
    EXPECT_EQ(cache.GetPicture(0), put);
    EXPECT_EQ(cache.FindPicture("http://x/Other.gif"), put);
    EXPECT_EQ(cache.FindPicture("http://x/Logo.gif"), nullptr);
    EXPECT_THROW(cache.SetPicture(1, std::make_unique<THTMLPicture>()), EListError);
    EXPECT_THROW(cache.SetPicture(-1, std::make_unique<THTMLPicture>()), EListError);
    EXPECT_THROW(cache.GetPicture(1), EListError);
    EXPECT_THROW(cache.SetPicture(0, nullptr), EInvalidPointer);
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_EQ(cache.GetPicture(0), put);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
    // An image control places its picture by position.
    THTMLImage image(nullptr);
    EXPECT_EQ(image.Width(), 100);
    THTMLPicture dot;
    dot.LoadFromBytes(Bmp()); // 3 x 2
    image.SetHTMLPicture(&dot);
    struct Case {
        TPicturePosition Position;
        TPoint Origin;
    } cases[] = {
        {bpTopLeft, {0, 0}},       {bpTopRight, {97, 0}}, {bpBottomLeft, {0, 98}},
        {bpBottomRight, {97, 98}}, {bpCenter, {48, 49}},
    };
    for (const Case& k : cases) {
        image.SetPicturePosition(k.Position);
        EXPECT_EQ(image.PictureOrigin(), k.Origin) << k.Position;
    }
    // A picture larger than the control is placed at the top-left whatever the corner.
    image.SetBounds(0, 0, 2, 1);
    image.SetPicturePosition(bpBottomRight);
    EXPECT_EQ(image.PictureOrigin(), (TPoint{0, 0}));
}

class PathShortenTest : public ::testing::Test {
protected:
    TBitmap bmp{1, 1};
    int Width(const String& S) { return bmp.Canvas()->TextWidth(S); }
    String Shorten(const String& S, int W) { return ShortenPath(S, bmp.Canvas(), W); }
};

TEST_F(PathShortenTest, LeadingFoldersGiveWayStepByStep) {
    const char* steps[] = {
        "C:\\one\\two\\three\\file.txt",
        "C:\\...\\two\\three\\file.txt",
        "C:\\...\\three\\file.txt",
        "C:\\...\\file.txt",
        "...\\file.txt",
        "file.txt",
    };
    for (const char* step : steps)
        EXPECT_EQ(Shorten(steps[0], Width(step)), step) << step;
    // However narrow, the file name stays.
    EXPECT_EQ(Shorten(steps[0], 1), "file.txt");
    // Rooted paths without a drive.
    EXPECT_EQ(Shorten("\\alpha\\beta\\f.txt", Width("\\...\\beta\\f.txt")), "\\...\\beta\\f.txt");
    EXPECT_EQ(Shorten("\\alpha\\beta\\f.txt", Width("\\...\\f.txt")), "\\...\\f.txt");
    EXPECT_EQ(Shorten("\\alpha\\beta\\f.txt", 1), "f.txt");
    // What fits, and a bare file name, stay as they are.
    EXPECT_EQ(Shorten("C:\\a\\f.txt", 1000), "C:\\a\\f.txt");
    EXPECT_EQ(Shorten("a-long-file-name.txt", 1), "a-long-file-name.txt");
    // Only backslashes separate folders.
    EXPECT_EQ(Shorten("/usr/share/f.txt", 1), "/usr/share/f.txt");
    for (const char* odd : {"\\", "\\...\\", "...\\", "C:", "C:\\"})
        EXPECT_NO_THROW(Shorten(odd, 1)) << odd;
}

} // namespace
