// The GDI+ picture: bytes kept as loaded, sizes, loading from every source, drawing and copying.

#include <gtest/gtest.h>

#include <cstdio>

#include "components/foundation/GDIPicture.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/Streams.h"
#include "tests/foundation/AdvGDIPTestSupport.h"
#include "tests/support/ColorMatch.h"

namespace {

using colortest::IsColor;

using GDIPicture::TGDIPPicture;
using namespace vcl;

String Bytes(const std::vector<std::uint8_t>& v) {
    return String(v.begin(), v.end());
}

void LoadBytes(TGDIPPicture& pic, const String& bytes) {
    TMemoryStream ms;
    if (!bytes.empty()) ms.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    ms.SetPosition(0);
    pic.LoadFromStream(&ms);
}

String Stored(TGDIPPicture& pic) {
    TMemoryStream ms;
    pic.WriteData(&ms);
    return String(static_cast<const char*>(ms.Memory()), static_cast<std::size_t>(ms.Size()));
}

// 0x00RRGGBB of a bitmap pixel.
std::uint32_t At(TBitmap& bmp, int x, int y) {
    return bmp.PixelData()[y * bmp.Width() + x] & 0xFFFFFF;
}

TEST(GDIPicture, AFreshPictureIsEmptyAndAssignCopiesClearsAndNeverKeepsStaleBytes) {
    TGDIPPicture pic;
    EXPECT_TRUE(pic.Empty());
    EXPECT_EQ(pic.Width(), 0);
    EXPECT_EQ(pic.Height(), 0);
    EXPECT_FALSE(pic.GetImageSizes());
    TBitmap bmp(6, 6);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect{0, 0, 6, 6});
    bmp.Canvas()->StretchDraw(TRect{0, 0, 6, 6}, &pic);
    EXPECT_THAT(At(bmp, 0, 0), IsColor(0xFFFFFFu));
    TGDIPPicture a, b;
    LoadBytes(a, Bytes(AdvGDIPTest::QuadrantPng()));
    b.Assign(&a);
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(Stored(b), Stored(a));

    std::vector<String> events;
    b.OnChange = [&](TObject*) { events.push_back("change"); };
    b.OnClear = [&](TObject*) { events.push_back("clear"); };
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(events, (std::vector<String>{"change", "clear"}));
    EXPECT_EQ(Stored(b), "");

    TBitmap small(2, 3);
    b.Assign(&small);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(Stored(b).substr(0, 2), "BM");

    TPicture noGraphic;
    EXPECT_NO_THROW(b.Assign(&noGraphic));
    EXPECT_TRUE(b.Empty());

    LoadBytes(b, Bytes(AdvGDIPTest::QuadrantPng()));
    TFont font;
    b.Assign(&font); // not a picture: nothing copied, and the old bytes are not stored either
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(Stored(b), "");
}

TEST(GDIPicture, LoadFromStreamKeepsTheBytesDecodableOrNot) {
    TGDIPPicture pic;
    int changes = 0;
    pic.OnChange = [&](TObject*) { ++changes; };
    pic.SetWidth(99); // the size is the image's own
    const String png = Bytes(AdvGDIPTest::QuadrantPng());
    LoadBytes(pic, png);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(pic.Empty());
    EXPECT_EQ(pic.Width(), 4);
    EXPECT_EQ(pic.Height(), 4);
    EXPECT_EQ(Stored(pic), png); // byte for byte, the PNG signature first
    // Undecodable bytes are kept but report no size.
    TGDIPPicture bad;
    LoadBytes(bad, "not an image");
    EXPECT_FALSE(bad.Empty());
    EXPECT_FALSE(bad.GetImageSizes());
    EXPECT_EQ(bad.Width(), 0);
    EXPECT_EQ(Stored(bad), "not an image");
    // The layout data round-trips byte-identical and fires nothing.
    TGDIPPicture b;
    TMemoryStream ms;
    pic.WriteData(&ms);
    ms.SetPosition(0);
    changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.ReadData(&ms);
    EXPECT_EQ(changes, 0); // reading a layout fires nothing
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(Stored(b), png);
    EXPECT_TRUE(b.GetImageSizes());
    EXPECT_EQ(b.Width(), 4);
}

TEST(GDIPicture, FilesAndAddresses) {
    const String path = ::testing::TempDir() + "glow_picture_test.png";
    const auto png = AdvGDIPTest::QuadrantPng();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(png.data(), 1, png.size(), f);
    std::fclose(f);
    const String bytes = Bytes(png);
    RegisterResource("GLOWTESTGLYPH", TResType(RT_RCDATA), bytes.data(), bytes.size());

    TGDIPPicture pic;
    int clears = 0;
    pic.OnClear = [&](TObject*) { ++clears; };
    pic.LoadFromURL("file://" + path);
    EXPECT_EQ(clears, 1); // a file load fires OnClear
    EXPECT_EQ(pic.Width(), 4);

    TGDIPPicture res;
    res.LoadFromURL("res://GlowTestGlyph");
    EXPECT_EQ(Stored(res), bytes);

    TGDIPPicture none;
    none.LoadFromURL("FILE://");
    none.LoadFromURL("RES://");
    none.LoadFromURL("http://example.invalid/a.png");
    none.LoadFromURL("RES://NoSuchResourceHere");
    EXPECT_TRUE(none.Empty());
    EXPECT_THROW(none.LoadFromResourceID(nullptr, 31999), EResNotFound);

    TGDIPPicture missing;
    EXPECT_NO_THROW(missing.LoadFromFile(path + ".missing"));
    EXPECT_TRUE(missing.Empty());

    // A handler's fault is not taken for a missing file: it reaches the caller, the bytes stay.
    TGDIPPicture faulty;
    faulty.OnChange = [](TObject*) { throw EConvertError("handler failed"); };
    EXPECT_THROW(faulty.LoadFromFile(path), EConvertError);
    EXPECT_FALSE(faulty.Empty());
    EXPECT_EQ(faulty.Width(), 4);
    std::remove(path.c_str());
}

TEST(GDIPicture, PngIsScaledIntoTheRectangleBitmapIsDrawnUnscaled) {
    TGDIPPicture png;
    LoadBytes(png, Bytes(AdvGDIPTest::QuadrantPng()));
    TBitmap bmp(20, 20);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect{0, 0, 20, 20});
    bmp.Canvas()->StretchDraw(TRect{0, 0, 16, 16}, &png);
    EXPECT_THAT(At(bmp, 2, 2), IsColor(0xFF0000u));   // red quadrant, scaled to 8 x 8
    EXPECT_THAT(At(bmp, 12, 3), IsColor(0x00FF00u));  // green
    EXPECT_THAT(At(bmp, 3, 12), IsColor(0x0000FFu));  // blue
    EXPECT_THAT(At(bmp, 18, 18), IsColor(0xFFFFFFu)); // outside the rectangle

    TGDIPPicture bitmapFile;
    LoadBytes(bitmapFile, Bytes(AdvGDIPTest::SmallBmp()));
    EXPECT_EQ(bitmapFile.Width(), 3);
    TBitmap out(20, 20);
    out.Canvas()->Brush()->SetColor(clWhite);
    out.Canvas()->FillRect(TRect{0, 0, 20, 20});
    out.Canvas()->StretchDraw(TRect{5, 5, 20, 20}, &bitmapFile);
    EXPECT_THAT(At(out, 5, 5), IsColor(0xFF0000u)); // top-left pixel of the file, unscaled
    EXPECT_THAT(At(out, 7, 5), IsColor(0x0000FFu));
    EXPECT_THAT(At(out, 9, 9), IsColor(0xFFFFFFu)); // not stretched over the rectangle
    EXPECT_THAT(At(out, 5, 6), IsColor(0xFFFFFFu)); // bottom-left black is the automatic transparent colour
}

// Drawing decodes the bytes once; new bytes are decoded once again, bad bytes are tried only once.
TEST(GDIPicture, BytesAreDecodedOnceUntilTheyChange) {
    TGDIPPicture pic;
    LoadBytes(pic, Bytes(AdvGDIPTest::QuadrantPng()));
    TBitmap bmp(8, 8);
    for (int i = 0; i < 5; ++i) {
        bmp.Canvas()->StretchDraw(TRect{0, 0, 8, 8}, &pic);
        pic.GetImageSizes();
    }
    EXPECT_EQ(pic.DecodeCount(), 1);
    EXPECT_THAT(At(bmp, 1, 1), IsColor(0xFF0000u)); // still the picture's own pixels

    LoadBytes(pic, Bytes(AdvGDIPTest::SmallBmp()));
    EXPECT_EQ(pic.Width(), 3);
    bmp.Canvas()->StretchDraw(TRect{0, 0, 8, 8}, &pic);
    EXPECT_EQ(pic.DecodeCount(), 2);

    LoadBytes(pic, "not an image");
    bmp.Canvas()->StretchDraw(TRect{0, 0, 8, 8}, &pic);
    EXPECT_FALSE(pic.GetImageSizes());
    EXPECT_EQ(pic.DecodeCount(), 3);
}

} // namespace
