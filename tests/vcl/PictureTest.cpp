// Pictures: the graphic class chosen by extension or content, registered formats, icons, GIF, layout data
// and declared sizes. Canvases: drawing, pixels, text, events, copying and locking.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/rtl/Exceptions.h"
#include "tests/vcl/GraphicsTestSupport.h"

using namespace vcl;
using namespace graphics_test;

namespace {

class PictureFiles : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("kv-picture-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    String Write(const String& name, const String& bytes) {
        String path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::filesystem::path dir_;
};

// A graphic class of the test's own, to register for an extension.
class TTestGraphic : public TGraphic {
    KV_CLASS(TTestGraphic, TGraphic)
public:
    String Data;
    void LoadFromStream(TStream* Stream) override {
        Data.resize(static_cast<std::size_t>(Stream->Size() - Stream->Position()));
        Stream->ReadBuffer(Data.data(), static_cast<Int64>(Data.size()));
    }
    void SaveToStream(TStream* Stream) override {
        Stream->WriteBuffer(Data.data(), static_cast<Int64>(Data.size()));
    }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void Assign(TPersistent* Source) override {
        if (auto* t = dynamic_cast<TTestGraphic*>(Source)) {
            Data = t->Data;
            return;
        }
        TGraphic::Assign(Source);
    }

protected:
    void Draw(TCanvas*, const TRect&) override {}
    bool GetEmpty() override { return Data.empty(); }
    int GetWidth() override { return static_cast<int>(Data.size()); }
    int GetHeight() override { return 1; }
};

std::unique_ptr<TIcon> MakeIcon(int w, int h, std::uint32_t pixel) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w * h), pixel);
    auto icon = std::make_unique<TIcon>();
    icon->SetHandle(win::detail::CreateIconFromPixels(w, h, pixels.data(), true, win::POINT{0, 0}));
    return icon;
}

} // namespace

TEST_F(PictureFiles, TheExtensionChoosesTheGraphicClassOnLoadingAndSaving) {
    TPicture p;
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    p.LoadFromFile(Write("a.bmp", MakeBmp(3, 2, 24, std::vector<std::uint32_t>(6, 0xFF0000))));
    ASSERT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
    EXPECT_EQ(p.Width(), 3);
    EXPECT_EQ(p.Height(), 2);
    EXPECT_GE(changes, 1);

    p.LoadFromFile(Write("b.PNG", MakePng(4, 5, std::vector<std::uint32_t>(20, 0xFF00FF00))));
    auto* wic = dynamic_cast<TWICImage*>(p.Graphic());
    ASSERT_NE(wic, nullptr) << "extensions compare without case";
    EXPECT_EQ(wic->ImageFormat(), wifPng);
    EXPECT_EQ(p.Width(), 4);

    p.LoadFromFile(Write("c.jpg", MakePng(6, 6, std::vector<std::uint32_t>(36, 0xFF808080), "jpeg")));
    EXPECT_EQ(dynamic_cast<TWICImage*>(p.Graphic())->ImageFormat(), wifJpeg);

    auto icon = MakeIcon(16, 16, 0xFF0000FF);
    p.LoadFromFile(Write("d.ico", SaveBytes(*icon)));
    ASSERT_NE(dynamic_cast<TIcon*>(p.Graphic()), nullptr);
    EXPECT_EQ(p.Width(), 16);

    // SaveToFile writes the graphic.
    p.Bitmap()->SetSize(2, 3);
    String path = (dir_ / "out.bmp").string();
    p.SaveToFile(path);
    TPicture q;
    q.LoadFromFile(path);
    EXPECT_EQ(q.Height(), 3);
}

TEST_F(PictureFiles, UnknownExtensionsAndBadContentLeaveThePictureAlone) {
    TPicture p;
    p.LoadFromFile(Write("keep.bmp", MakeBmp(2, 2, 24, std::vector<std::uint32_t>(4, 0))));
    TGraphic* before = p.Graphic();
    try {
        p.LoadFromFile(Write("x.xyz", "whatever"));
        FAIL() << "loaded an unknown extension";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, "Unknown picture file extension (.xyz)");
    }
    try {
        p.LoadFromFile(Write("noext", "whatever"));
        FAIL() << "loaded a file without extension";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, "Unknown picture file extension (.)");
    }
    EXPECT_THROW(p.LoadFromFile(Write("broken.png", "\x89PNG\r\n\x1a\n garbage")), EInvalidGraphic);
    EXPECT_THROW(p.LoadFromFile((dir_ / "missing.bmp").string()), EFOpenError);
    EXPECT_EQ(p.Graphic(), before);
    EXPECT_EQ(p.Width(), 2);
}

TEST_F(PictureFiles, RegisteredFormatsAreFoundAndForgotten) {
    EXPECT_THROW(TPicture::RegisterFileFormat("tst", "Test", TTestGraphic::StaticClassType()),
                 EInvalidGraphic)
        << "a class that cannot be made";
    TPicture::RegisterFileFormat<TTestGraphic>(".TST", "Test pictures");
    EXPECT_EQ(TPicture::GraphicClassForExtension("tst"), TTestGraphic::StaticClassType());
    TPicture p;
    p.LoadFromFile(Write("one.tst", "payload"));
    auto* t = dynamic_cast<TTestGraphic*>(p.Graphic());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Data, "payload");

    TPicture::UnregisterGraphicClass(TTestGraphic::StaticClassType());
    EXPECT_EQ(TPicture::GraphicClassForExtension("tst"), nullptr);
    EXPECT_THROW(p.LoadFromFile(Write("two.tst", "x")), EInvalidGraphic);
    EXPECT_EQ(TPicture::GraphicClassForExtension("BMP"), TBitmap::StaticClassType());
}

TEST(PictureStreams, ContentChoosesTheClassAndLayoutDataNamesIt) {
    TPicture p;
    TStringStream png(MakePng(2, 2, std::vector<std::uint32_t>(4, 0xFFFFFFFF)));
    p.LoadFromStream(&png);
    EXPECT_NE(dynamic_cast<TWICImage*>(p.Graphic()), nullptr);
    TStringStream bmp(MakeBmp(1, 1, 24, {0}));
    p.LoadFromStream(&bmp);
    EXPECT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
    TStringStream junk("junk");
    try {
        p.LoadFromStream(&junk);
        FAIL() << "junk was loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, "Unknown picture format");
    }
    EXPECT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);

    // Layout data names the class.
    p.Bitmap()->SetSize(3, 1);
    TMemoryStream s;
    p.WriteData(&s);
    EXPECT_EQ(static_cast<const char*>(s.Memory())[0], 7);
    EXPECT_EQ(String(static_cast<const char*>(s.Memory()) + 1, 7), "TBitmap");
    s.SetPosition(0);
    TPicture q;
    q.ReadData(&s);
    ASSERT_NE(dynamic_cast<TBitmap*>(q.Graphic()), nullptr);
    EXPECT_EQ(q.Width(), 3);

    TStringStream unknown(String("\x06TNoSuch", 8));
    EXPECT_THROW(q.ReadData(&unknown), EInvalidGraphic);
    TStringStream none(String("\x00", 1));
    q.ReadData(&none);
    EXPECT_EQ(q.Graphic(), nullptr);
}

TEST(PictureStreams, GifImagesDecodeWithTheirTransparency) {
    // 1 x 1, two colours, the only pixel of the transparent index 0.
    const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80,
                                 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04,
                                 0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01,
                                 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    TPicture p;
    TStringStream s(String(reinterpret_cast<const char*>(gif), sizeof gif));
    p.LoadFromStream(&s);
    auto* image = dynamic_cast<TWICImage*>(p.Graphic());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->ImageFormat(), wifGif);
    EXPECT_EQ(p.Width(), 1);
    auto target = Filled(3, 3, clLime);
    target->Canvas()->Draw(1, 1, p.Graphic());
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), Rgb(0, 255, 0)) << "the transparent pixel shows what was there";
    EXPECT_EQ(SaveBytes(*image), String(reinterpret_cast<const char*>(gif), sizeof gif));
    EXPECT_THROW(image->SetWidth(4), EInvalidGraphicOperation);
}

TEST(PictureModel, GraphicIsCopiedAndForcedTypesReplaceIt) {
    auto b = Filled(2, 2, clRed);
    TPicture p;
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    p.SetGraphic(b.get());
    EXPECT_EQ(changes, 1);
    ASSERT_NE(p.Graphic(), b.get()) << "the picture keeps a copy";
    b->SetSize(5, 5);
    EXPECT_EQ(p.Width(), 2);

    p.Bitmap()->SetSize(4, 4);
    EXPECT_EQ(changes, 2) << "changes of the graphic reach the picture";
    TIcon* icon = p.Icon();
    EXPECT_TRUE(icon->Empty()) << "a bitmap picture asked for its icon gets a new, empty one";

    TPicture q;
    q.Assign(&p);
    EXPECT_NE(q.Graphic(), p.Graphic());
    EXPECT_NE(dynamic_cast<TIcon*>(q.Graphic()), nullptr);
    q.Assign(nullptr);
    EXPECT_EQ(q.Graphic(), nullptr);
    EXPECT_EQ(q.Width(), 0);

    // A picture hands its graphic to a graphic of the same class.
    TPicture r;
    r.Bitmap()->SetSize(6, 2);
    TBitmap target;
    target.Assign(&r);
    EXPECT_EQ(target.Width(), 6);
}

TEST(PictureIcon, IconsReadWriteAndKeepTheirSize) {
    auto icon = MakeIcon(8, 4, 0x80000080); // half-transparent blue, premultiplied
    EXPECT_EQ(icon->Width(), 8);
    EXPECT_EQ(icon->Height(), 4);
    EXPECT_TRUE(icon->Transparent());
    String ico = SaveBytes(*icon);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(ico.substr(0, 4), String("\0\0\1\0", 4));

    TIcon back;
    LoadBytes(back, ico);
    ASSERT_EQ(back.Width(), 8);
    ASSERT_EQ(back.Height(), 4);
    std::uint32_t p = back.Handle()->Pixels[0];
    EXPECT_NEAR(static_cast<int>(p >> 24), 0x80, 1);
    EXPECT_NEAR(static_cast<int>(p & 0xFF), 0x80, 2);
    EXPECT_EQ(SaveBytes(back), ico) << "the file read is written back as it was";

    try {
        back.SetWidth(32);
        FAIL() << "resized an icon";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message, "Cannot change the size of an icon");
    }
    EXPECT_THROW(LoadBytes(back, MakeBmp(1, 1, 24, {0})), EInvalidGraphic);
    EXPECT_EQ(back.Width(), 8);

    TIcon copy;
    copy.Assign(&back);
    EXPECT_NE(copy.Handle(), back.Handle());
    EXPECT_EQ(copy.Height(), 4);

    // Drawn blended over what is there.
    auto target = Filled(10, 10, clWhite);
    target->Canvas()->Draw(1, 1, &copy);
    TColor c = target->Canvas()->Pixels(2, 2);
    EXPECT_NEAR(win::GetBValue(static_cast<win::COLORREF>(c)), 255, 2);
    EXPECT_NEAR(win::GetRValue(static_cast<win::COLORREF>(c)), 127, 3);
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), Rgb(255, 255, 255));
}

namespace {

void Put32(String& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A 1 x 1 GIF, screen and frame made to declare Width by Height.
String GifDeclaring(int width, int height) {
    const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
                                 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    String s(reinterpret_cast<const char*>(gif), sizeof gif);
    for (std::size_t at : {std::size_t{6}, std::size_t{24}}) {
        s[at] = static_cast<char>(width & 0xFF);
        s[at + 1] = static_cast<char>(width >> 8);
        s[at + 2] = static_cast<char>(height & 0xFF);
        s[at + 3] = static_cast<char>(height >> 8);
    }
    return s;
}

// A BMP header declaring Width by Height, without the bits.
String BmpDeclaring(int width, int height, int compression = 0) {
    String s = MakeBmp(1, 1, 8, {0}, {0});
    Put32(s, 18, static_cast<std::uint32_t>(width));
    Put32(s, 22, static_cast<std::uint32_t>(height));
    Put32(s, 30, static_cast<std::uint32_t>(compression));
    return s;
}

String LoadError(const String& bytes) {
    TPicture p;
    TStringStream s(bytes);
    try {
        p.LoadFromStream(&s);
    } catch (const EOutOfResources&) {
        return "too large";
    } catch (const EInvalidGraphic&) {
        return "not valid";
    }
    return "";
}

} // namespace

// The size a file declares is checked before anything is decoded: at most 16 million pixels.
TEST(PictureStreams, DeclaredSizesAboveSixteenMegapixelsAreRefusedBeforeDecoding) {
    EXPECT_EQ(LoadError(GifDeclaring(16384, 16384)), "too large");
    EXPECT_EQ(LoadError(GifDeclaring(1, 1)), "");
    EXPECT_EQ(LoadError(BmpDeclaring(1794, 9472, 1)), "too large"); // run-length, 17 Mpixel
    EXPECT_EQ(LoadError(BmpDeclaring(67108889, 3)), "too large");
    EXPECT_EQ(LoadError(BmpDeclaring(4097, 4096)), "too large");
    // Exactly 16 Mpixel is allowed: without its bits the file is merely not valid.
    EXPECT_EQ(LoadError(BmpDeclaring(4096, 4096)), "not valid");
    EXPECT_EQ(LoadError(BmpDeclaring(4096, -4096)), "not valid");
}

// A colour count beyond what the bit depth indexes is read as the full table, as other readers do.
TEST(PictureStreams, AnImpossibleColourCountReadsTheFullTable) {
    std::vector<std::uint32_t> palette(16, 0);
    palette[3] = 0x00FF00;
    palette[15] = 0x0000FF;
    std::vector<std::uint32_t> pixels(27, 3);
    pixels[26] = 15;
    String bmp = MakeBmp(9, 3, 4, pixels, palette);
    Put32(bmp, 46, 0xDFDFDFDF);
    TBitmap b;
    TStringStream s(bmp);
    b.LoadFromStream(&s);
    ASSERT_EQ(b.Width(), 9);
    ExpectPixels(b.Canvas(), {{0, 0, Rgb(0, 255, 0)}, {8, 2, Rgb(0, 0, 255)}});
}

namespace {

constexpr TColor kWhite = Rgb(255, 255, 255), kRed = Rgb(255, 0, 0), kBlue = Rgb(0, 0, 255);

} // namespace

TEST(CanvasBasics, RefusesToDrawWithoutContextAndLetsAForeignContextGo) {
    TCanvas none;
    EXPECT_FALSE(none.HandleAllocated());
    try {
        none.FillRect(Rect(0, 0, 2, 2));
        FAIL() << "drew without a device context";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message, "Canvas does not allow drawing");
    }

    auto bmp = Filled(8, 8, clWhite);
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, bmp->Handle());
    {
        TCanvas c;
        c.SetHandle(dc);
        c.Brush()->SetColor(clRed);
        c.FillRect(Rect(0, 0, 4, 4));
        EXPECT_EQ(c.GetPixel(1, 1), kRed);
        c.SetHandle(nullptr);
        EXPECT_FALSE(c.HandleAllocated());
        // The brush is no longer selected, so it could be freed while the context lives on.
        EXPECT_NE(win::GetCurrentObject(dc, win::OBJ_BRUSH), c.Brush()->Handle());
    }
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    ExpectPixels(bmp->Canvas(), {{1, 1, kRed}, {5, 5, kWhite}});
    // The clipping rectangle of a bitmap's canvas is the bitmap.
    EXPECT_EQ(Filled(7, 5, clWhite)->Canvas()->ClipRect(), Rect(0, 0, 7, 5));
}

TEST(CanvasShapes, RectanglesUsePenAndBrushAndExcludeTheirFarEdges) {
    auto bmp = Filled(10, 10, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Pen()->SetColor(clRed);
    c->Brush()->SetColor(clBlue);
    c->Rectangle(1, 1, 6, 6);
    // The outline takes the last column and row inside.
    ExpectPixels(c, {{1, 1, kRed}, {5, 5, kRed}, {3, 3, kBlue}, {6, 6, kWhite}, {0, 0, kWhite}});

    // A clear brush leaves the inside alone: the old fill shows through.
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clLime);
    c->Rectangle(Rect(2, 2, 9, 9));
    ExpectPixels(c, {{2, 2, Rgb(0, 255, 0)}, {4, 4, kBlue}, {7, 7, kWhite}});
}

TEST(CanvasShapes, LinesLeaveOutTheEndPointAndMoveThePen) {
    auto bmp = Filled(10, 10, clWhite);
    TCanvas* c = bmp->Canvas();
    c->MoveTo(1, 2);
    c->LineTo(6, 2);
    EXPECT_EQ(c->PenPos(), Point(6, 2));
    ExpectPixels(c, {{1, 2, Rgb(0, 0, 0)}, {5, 2, Rgb(0, 0, 0)}, {6, 2, kWhite}});

    // A pen changed after it was selected is used for the next line.
    c->Pen()->SetColor(clRed);
    c->LineTo(6, 7);
    ExpectPixels(c, {{6, 4, kRed}});

    c->Pen()->SetColor(clBlue);
    c->Polyline({Point(0, 9), Point(4, 9), Point(4, 5)});
    ExpectPixels(c, {{2, 9, kBlue}, {4, 7, kBlue}});
}

TEST(CanvasShapes, FillsFramesAndPolygons) {
    auto bmp = Filled(12, 12, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clGreen);
    c->FrameRect(Rect(1, 1, 8, 8));
    ExpectPixels(c, {{1, 1, Rgb(0, 128, 0)}, {7, 7, Rgb(0, 128, 0)}, {4, 4, kWhite}});

    c->Brush()->SetColor(clNavy);
    c->Pen()->SetStyle(psClear);
    c->Polygon({Point(0, 0), Point(11, 0), Point(11, 11), Point(0, 11)});
    ExpectPixels(c, {{5, 5, Rgb(0, 0, 128)}});

    // The corners lie outside the ellipse.
    c->Brush()->SetColor(clYellow);
    c->Ellipse(0, 0, 12, 12);
    ExpectPixels(c, {{6, 6, Rgb(255, 255, 0)}, {0, 0, Rgb(0, 0, 128)}});
}

TEST(CanvasShapes, APatternBrushRepeatsItsBitmap) {
    auto pattern = Filled(2, 2, clRed);
    pattern->Canvas()->Pixels(1, 0) = kBlue;
    pattern->Canvas()->Pixels(0, 1) = kBlue;
    auto bmp = Filled(6, 6, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetBitmap(pattern.get());
    c->FillRect(Rect(0, 0, 6, 6));
    ExpectPixels(c, {{0, 0, kRed}, {1, 0, kBlue}, {4, 4, kRed}, {5, 4, kBlue}});
    pattern->Canvas()->Pixels(0, 0) = Rgb(0, 255, 0);
    c->Brush()->SetBitmap(pattern.get()); // again: the pattern follows the bitmap's pixels
    c->FillRect(Rect(0, 0, 6, 6));
    ExpectPixels(c, {{2, 2, Rgb(0, 255, 0)}});
    c->Brush()->SetBitmap(nullptr); // back to the plain brush
    c->FillRect(Rect(0, 0, 6, 6));
    ExpectPixels(c, {{1, 0, kWhite}});
}

TEST(CanvasPixels, ReadWriteAndOutside) {
    auto bmp = Filled(4, 4, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Pixels(2, 3) = Rgb(10, 20, 30);
    EXPECT_EQ(c->GetPixel(2, 3), Rgb(10, 20, 30));
    c->Pixels[1][2] = c->Pixels[2][3]; // copies the colour, not the place
    EXPECT_EQ(c->Pixels(1, 2), Rgb(10, 20, 30));
    TColor read = c->Pixels[3][3];
    EXPECT_EQ(read, kWhite);
    c->SetPixel(0, 0, clBtnFace);
    EXPECT_EQ(c->GetPixel(0, 0), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(c->GetPixel(4, 0), -1);
    EXPECT_EQ(c->GetPixel(-1, 2), -1);
}

TEST(CanvasText, MeasuringAgreesWithDrawText) {
    auto bmp = Filled(200, 40, clWhite);
    TCanvas* c = bmp->Canvas();
    TSize extent = c->TextExtent("Kalvenor");
    EXPECT_GT(extent.cx, 0);
    EXPECT_GT(extent.cy, 0);
    EXPECT_EQ(c->TextWidth("Kalvenor"), extent.cx);
    EXPECT_EQ(c->TextHeight("gh"), extent.cy) << "one line is one line high";
    EXPECT_EQ(c->TextWidth(""), 0);

    TRect r = Rect(0, 0, 1000, 100);
    win::DrawText(c->Handle(), "Kalvenor", -1, &r, win::DT_CALCRECT | win::DT_SINGLELINE | win::DT_NOPREFIX);
    EXPECT_EQ(r.Width(), extent.cx);
    EXPECT_EQ(r.Height(), extent.cy);

    TRect calc = Rect(0, 0, 1000, 100);
    String text = "Kalvenor";
    c->TextRect(calc, text, {tfCalcRect, tfSingleLine, tfNoPrefix});
    EXPECT_EQ(calc.Width(), extent.cx);

    int small = c->TextWidth("Wide text");
    c->Font()->SetSize(16);
    EXPECT_GT(c->TextWidth("Wide text"), small) << "a bigger font is selected before measuring";
    c->Font()->SetStyle({fsBold});
    EXPECT_GT(c->TextHeight("gh"), extent.cy);
}

TEST(CanvasText, TextOutMovesThePenAndPaintsTheBrushBehind) {
    auto bmp = Filled(100, 30, clWhite);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clRed);
    c->TextOut(5, 5, "   ");
    int w = c->TextWidth("   ");
    EXPECT_EQ(c->PenPos(), Point(5 + w, 5));
    EXPECT_EQ(c->Pixels(6, 7), kRed) << "opaque text background in the brush colour";

    c->Brush()->SetStyle(bsClear);
    c->TextOut(5, 18, "   ");
    EXPECT_EQ(c->Pixels(6, 20), kWhite) << "a clear brush gives transparent text";

    c->Font()->SetColor(clBlue);
    c->TextOut(40, 5, "\xE2\x96\x88\xE2\x96\x88"); // full blocks
    bool blue = false;
    for (int y = 5; y < 20 && !blue; ++y)
        for (int x = 40; x < 60 && !blue; ++x)
            blue = c->Pixels(x, y) == kBlue;
    EXPECT_TRUE(blue) << "text drawn in the font colour";

    // TextRect fills its rectangle and draws nothing outside it.
    c->Brush()->SetColor(clYellow);
    c->TextRect(Rect(0, 0, 10, 10), 0, 0, "clipped text");
    ExpectPixels(c, {{12, 2, kWhite}, {9, 9, Rgb(255, 255, 0)}});

    String text = "A rather long caption";
    TRect r = Rect(0, 0, c->TextWidth("A rath") + 1, 20);
    c->TextRect(r, text, {tfSingleLine, tfEndEllipsis, tfModifyString});
    EXPECT_NE(text, "A rather long caption");
    EXPECT_EQ(text.substr(text.size() - 3), "...");
}

TEST(CanvasEvents, DrawingRaisesChangingThenChange) {
    auto bmp = Filled(4, 4, clWhite);
    TCanvas* c = bmp->Canvas();
    std::vector<String> log;
    c->OnChanging = [&](TObject*) { log.push_back("changing"); };
    c->OnChange = [&](TObject*) { log.push_back("change"); };
    c->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(log, (std::vector<String>{"changing", "change"}));
    log.clear();
    c->TextWidth("x");
    c->GetPixel(0, 0);
    EXPECT_TRUE(log.empty()) << "measuring and reading change nothing";
}

TEST(CanvasCopy, CopyRectStretchesAndHonoursTheCopyMode) {
    auto src = Filled(4, 4, clWhite);
    src->Canvas()->Brush()->SetColor(clRed);
    src->Canvas()->FillRect(Rect(0, 0, 2, 2));
    auto dst = Filled(8, 8, clBlack);
    dst->Canvas()->CopyRect(Rect(0, 0, 8, 8), src->Canvas(), Rect(0, 0, 4, 4));
    ExpectPixels(dst->Canvas(), {{3, 3, kRed}, {4, 4, kWhite}});

    // Red xor red is black; red xor white is cyan.
    dst->Canvas()->SetCopyMode(cmSrcInvert);
    dst->Canvas()->CopyRect(Rect(0, 0, 4, 4), src->Canvas(), Rect(0, 0, 4, 4));
    ExpectPixels(dst->Canvas(), {{0, 0, Rgb(0, 0, 0)}, {3, 3, Rgb(0, 255, 255)}});
}

TEST(CanvasLock, LocksAreCountedAndExcludeOtherThreads) {
    TCanvas c;
    c.Lock();
    EXPECT_TRUE(c.TryLock());
    EXPECT_EQ(c.LockCount(), 2);
    std::atomic<bool> other{true};
    std::thread t([&] {
        other = c.TryLock();
        if (other) c.Unlock();
    });
    t.join();
    EXPECT_FALSE(other);
    c.Unlock();
    c.Unlock();
    EXPECT_EQ(c.LockCount(), 0);
    c.Unlock(); // one too many is ignored
    EXPECT_EQ(c.LockCount(), 0);
}
